#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

#include <climits>

using namespace dw;

namespace {

// Every pixel of the region inside a window, for comparing shapes pixel by pixel.
std::vector<TPoint> Pixels(const TRegion& r, const TRect& window) {
    std::vector<TPoint> out;
    for (int y = window.Top; y < window.Bottom; ++y)
        for (int x = window.Left; x < window.Right; ++x)
            if (r.Contains({x, y})) out.push_back({x, y});
    return out;
}

} // namespace

TEST(Region, CombineTable) {
    // Two overlapping squares: A = [0,10)^2, B = [5,15)^2, overlap 25 pixels.
    struct TCase {
        int Mode;
        int Kind;
        int Area;
        TPoint In, Out;
    };
    const TCase cases[] = {
        {RGN_AND, SIMPLEREGION, 25, {7, 7}, {2, 2}},     {RGN_OR, COMPLEXREGION, 175, {12, 12}, {12, 2}},
        {RGN_XOR, COMPLEXREGION, 150, {2, 2}, {7, 7}},   {RGN_DIFF, COMPLEXREGION, 75, {2, 7}, {7, 7}},
        {RGN_COPY, SIMPLEREGION, 100, {0, 0}, {10, 10}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Mode);
        HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(d, a, b, c.Mode), c.Kind);
        TRegion r;
        ASSERT_TRUE(GetRegion(d, r));
        EXPECT_EQ(static_cast<int>(Pixels(r, {0, 0, 16, 16}).size()), c.Area);
        EXPECT_TRUE(PtInRegion(d, c.In.X, c.In.Y));
        EXPECT_FALSE(PtInRegion(d, c.Out.X, c.Out.Y));
        for (HRGN h : {a, b, d}) EXPECT_TRUE(DeleteObject(h));
    }
}

TEST(Region, CombineIntoOneOfTheSources) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 0, 20, 10);
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), SIMPLEREGION);
    TRect box;
    EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect{0, 0, 20, 10}));
    EXPECT_EQ(CombineRgn(a, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(GetRgnBox(a, &box), NULLREGION);
    EXPECT_EQ(box, TRect{});
    DeleteObject(a);
    DeleteObject(b);
}

TEST(Region, QueriesAndOffset) {
    HRGN r = CreateRectRgn(10, 20, 30, 40);
    TRect inside{12, 22, 14, 24}, touching{29, 39, 50, 50}, outside{30, 40, 50, 50};
    EXPECT_TRUE(RectInRegion(r, &inside));
    EXPECT_TRUE(RectInRegion(r, &touching));
    EXPECT_FALSE(RectInRegion(r, &outside));
    EXPECT_EQ(OffsetRgn(r, -10, 5), SIMPLEREGION);
    TRect box;
    GetRgnBox(r, &box);
    EXPECT_EQ(box, (TRect{0, 25, 20, 45}));
    HRGN same = CreateRectRgn(20, 45, 0, 25); // corners in any order
    EXPECT_TRUE(EqualRgn(r, same));
    EXPECT_TRUE(SetRectRgn(same, 0, 0, 1, 1));
    EXPECT_FALSE(EqualRgn(r, same));
    DeleteObject(r);
    DeleteObject(same);
}

TEST(Region, EllipseFollowsPixelCentres) {
    // A 10 x 6 ellipse: the corners are out, the centre lines reach the box edges.
    TRegion e = TRegion::Ellipse({0, 0, 10, 6});
    EXPECT_EQ(e.Bounds(), (TRect{0, 0, 10, 6}));
    EXPECT_FALSE(e.Contains({0, 0}));
    EXPECT_FALSE(e.Contains({9, 5}));
    EXPECT_TRUE(e.Contains({0, 2}));
    EXPECT_TRUE(e.Contains({9, 3}));
    EXPECT_TRUE(e.Contains({4, 0}));
    // Symmetric left-right and top-bottom.
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(e.Contains({x, y}), e.Contains({9 - x, 5 - y})) << x << "," << y;
}

TEST(Region, RoundRectAndPolygonShapes) {
    TRegion rr = TRegion::RoundRect({0, 0, 20, 20}, 6, 6);
    EXPECT_FALSE(rr.Contains({0, 0}));
    EXPECT_TRUE(rr.Contains({3, 0}));
    EXPECT_TRUE(rr.Contains({0, 10}));
    // A square polygon covers exactly the pixels between its corners.
    TPoint square[4] = {{2, 2}, {8, 2}, {8, 6}, {2, 6}};
    EXPECT_EQ(TRegion::Polygon(square, 4, ALTERNATE), TRegion(TRect{2, 2, 8, 6}));
    // Overlapping loops: the overlap is a hole in alternate mode and filled in winding mode.
    TPoint twice[8] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(TRegion::Polygon(twice, 8, ALTERNATE).IsEmpty());
    EXPECT_EQ(TRegion::Polygon(twice, 8, WINDING), TRegion(TRect{0, 0, 10, 10}));
}

TEST(Region, ValueClassAlgebra) {
    TRegion a(TRect{0, 0, 10, 10});
    TRegion b(TRect{10, 0, 20, 10});
    TRegion u = a | b;
    EXPECT_EQ(u.Kind(), SIMPLEREGION);
    EXPECT_EQ(u.Bounds(), (TRect{0, 0, 20, 10}));
    TRegion hole = u - TRegion(TRect{5, 5, 6, 6});
    EXPECT_EQ(hole.Kind(), COMPLEXREGION);
    EXPECT_FALSE(hole.Contains({5, 5}));
    EXPECT_TRUE(hole.ContainsRect({0, 0, 5, 10}));
    EXPECT_FALSE(hole.ContainsRect({0, 0, 10, 10}));
    EXPECT_TRUE(hole.Intersects({5, 5, 7, 7}));
    EXPECT_TRUE((a & b).IsEmpty());
    EXPECT_EQ(a ^ a, TRegion());
    TRegion moved = hole;
    moved.Offset(100, 0);
    EXPECT_TRUE(moved.Contains({100, 0}));
    EXPECT_FALSE(hole.Contains({100, 0})); // the copy is independent
    int area = 0;
    for (const TRect& r : hole.Rects()) area += r.Width() * r.Height();
    EXPECT_EQ(area, 199);
}

TEST(Region, HostileCoordinatesAreClamped) {
    TRegion huge(TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_FALSE(huge.IsEmpty());
    EXPECT_EQ(huge.Bounds().Right, TRegion::kCoordLimit);
    huge.Offset(INT_MAX, INT_MAX); // must not overflow
    EXPECT_LE(huge.Bounds().Right, TRegion::kCoordLimit);
    TRegion small(TRect{0, 0, 10, 10});
    small.Offset(INT_MAX, 0); // pushed entirely beyond the limit
    EXPECT_TRUE(small.IsEmpty());
    // Shapes too tall to be sensible fail instead of allocating without bound.
    EXPECT_EQ(CreateEllipticRgn(0, 0, 10, 1 << 30), nullptr);
    TPoint tall[3] = {{0, 0}, {5, INT_MAX}, {10, 0}};
    EXPECT_EQ(CreatePolygonRgn(tall, 3, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(tall, 3, 7), nullptr);
}

TEST(Region, BadHandlesFail) {
    HRGN r = CreateRectRgn(0, 0, 5, 5);
    ASSERT_TRUE(DeleteObject(r));
    TRect box;
    EXPECT_EQ(GetRgnBox(r, &box), ERROR);
    EXPECT_EQ(CombineRgn(r, r, r, RGN_OR), ERROR);
    EXPECT_EQ(OffsetRgn(r, 1, 1), ERROR);
    EXPECT_FALSE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(DeleteObject(r));
    HBRUSH notARegion = CreateSolidBrush(0);
    EXPECT_EQ(OffsetRgn(notARegion, 1, 1), ERROR);
    DeleteObject(notARegion);
    EXPECT_EQ(CombineRgn(nullptr, nullptr, nullptr, RGN_OR), ERROR);
}
