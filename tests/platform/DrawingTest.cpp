#include "GdiTestSupport.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"

#include <climits>
#include <functional>

using namespace dw;
using dw::test::SurfaceFixture;

namespace {

class Drawing : public SurfaceFixture {};

} // namespace

TEST_F(Drawing, EveryBinaryRasterOperationOnAKnownPixelPair) {
    constexpr COLORREF pen = RGB(0x33, 0xCC, 0xF0), dest = RGB(0x55, 0xAA, 0x0F);
    using TOp = std::function<std::uint32_t(std::uint32_t, std::uint32_t)>;
    const std::pair<int, TOp> table[] = {
        {R2_BLACK, [](auto, auto) { return 0u; }},
        {R2_NOTMERGEPEN, [](auto p, auto d) { return ~(p | d); }},
        {R2_MASKNOTPEN, [](auto p, auto d) { return ~p & d; }},
        {R2_NOTCOPYPEN, [](auto p, auto) { return ~p; }},
        {R2_MASKPENNOT, [](auto p, auto d) { return p & ~d; }},
        {R2_NOT, [](auto, auto d) { return ~d; }},
        {R2_XORPEN, [](auto p, auto d) { return p ^ d; }},
        {R2_NOTMASKPEN, [](auto p, auto d) { return ~(p & d); }},
        {R2_MASKPEN, [](auto p, auto d) { return p & d; }},
        {R2_NOTXORPEN, [](auto p, auto d) { return ~(p ^ d); }},
        {R2_NOP, [](auto, auto d) { return d; }},
        {R2_MERGENOTPEN, [](auto p, auto d) { return ~p | d; }},
        {R2_COPYPEN, [](auto p, auto) { return p; }},
        {R2_MERGEPENNOT, [](auto p, auto d) { return p | ~d; }},
        {R2_MERGEPEN, [](auto p, auto d) { return p | d; }},
        {R2_WHITE, [](auto, auto) { return 0xFFFFFFu; }},
    };
    HPEN hpen = CreatePen(PS_SOLID, 1, pen);
    SelectObject(Dc, hpen);
    for (const auto& [mode, op] : table) {
        SCOPED_TRACE(mode);
        Surface.Fill(PixelFromColor(dest));
        EXPECT_EQ(SetROP2(Dc, mode) != 0, true);
        EXPECT_EQ(GetROP2(Dc), mode);
        MoveToEx(Dc, 3, 3, nullptr);
        LineTo(Dc, 4, 3); // one pixel: the end point is not drawn
        EXPECT_EQ(At(3, 3), op(pen, dest) & 0xFFFFFF);
        EXPECT_EQ(At(4, 3), dest);
    }
    EXPECT_EQ(SetROP2(Dc, 0), 0);
    EXPECT_EQ(SetROP2(Dc, 17), 0);
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    DeleteObject(hpen);
}

TEST_F(Drawing, XorAndNotXorDrawingTwiceRestoresThePicture) {
    Pattern();
    TSurface before = Surface.Clone();
    // Not black or white: XOR with black and NOT-XOR with white change nothing.
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(90, 160, 30));
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(200, 30, 60));
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(10, 200, 90));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
    struct TShape {
        const char* Name;
        HPEN Pen;
        std::function<void(HDC)> Draw;
    };
    const TShape shapes[] = {
        {"dotted rubber band", dotted, [](HDC dc) { Rectangle(dc, 2, 3, 25, 20); }},
        {"wide outline", wide, [](HDC dc) { Rectangle(dc, 4, 4, 20, 28); }},
        {"thin polyline", thin,
         [](HDC dc) {
             TPoint pts[4] = {{1, 1}, {30, 5}, {28, 30}, {3, 29}};
             Polyline(dc, pts, 4);
         }},
        {"wide polyline with joins", wide,
         [](HDC dc) {
             TPoint pts[3] = {{2, 2}, {25, 10}, {5, 28}};
             Polyline(dc, pts, 3);
         }},
        {"ellipse", thin, [](HDC dc) { Ellipse(dc, 3, 3, 29, 22); }},
        {"dotted ellipse", dotted, [](HDC dc) { Ellipse(dc, 1, 2, 30, 30); }},
        {"round rect", wide, [](HDC dc) { RoundRect(dc, 3, 3, 29, 29, 10, 10); }},
        {"pie", thin, [](HDC dc) { Pie(dc, 2, 2, 30, 30, 30, 2, 2, 16); }},
        {"chord", wide, [](HDC dc) { Chord(dc, 2, 2, 30, 30, 30, 20, 2, 10); }},
        {"arc", dotted, [](HDC dc) { Arc(dc, 2, 2, 30, 30, 2, 2, 30, 30); }},
        {"polygon", thin,
         [](HDC dc) {
             TPoint pts[5] = {{16, 1}, {22, 28}, {2, 10}, {30, 10}, {8, 28}};
             Polygon(dc, pts, 5);
         }},
    };
    for (int mode : {R2_XORPEN, R2_NOTXORPEN}) {
        for (bool withBrush : {false, true}) {
            for (const TShape& s : shapes) {
                SCOPED_TRACE(std::string(s.Name) + (mode == R2_XORPEN ? " xor" : " not-xor") +
                             (withBrush ? " brush" : ""));
                SetROP2(Dc, mode);
                SelectObject(Dc, s.Pen);
                SelectObject(Dc, withBrush ? hatch : GetStockObject(NULL_BRUSH));
                SetBkMode(Dc, withBrush ? OPAQUE : TRANSPARENT);
                s.Draw(Dc);
                EXPECT_FALSE(SameAs(before)) << "the first drawing shows";
                s.Draw(Dc);
                EXPECT_TRUE(SameAs(before)) << "the second drawing removes it";
            }
        }
    }
    TRect focus{3, 3, 20, 12};
    DrawFocusRect(Dc, &focus);
    EXPECT_FALSE(SameAs(before));
    DrawFocusRect(Dc, &focus);
    EXPECT_TRUE(SameAs(before));
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    SelectObject(Dc, GetStockObject(WHITE_BRUSH));
    for (HGDIOBJ h : {HGDIOBJ(dotted), HGDIOBJ(wide), HGDIOBJ(thin), HGDIOBJ(hatch)}) EXPECT_TRUE(DeleteObject(h));
}

TEST_F(Drawing, LinesFollowBresenhamAndExcludeTheEndPixel) {
    MoveToEx(Dc, 0, 0, nullptr);
    LineTo(Dc, 5, 2);
    const TPoint expected[] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}};
    for (TPoint p : expected) EXPECT_EQ(At(p.X, p.Y), Black) << p.X << "," << p.Y;
    EXPECT_EQ(At(5, 2), White);
    EXPECT_EQ(CountColor(Black), 5);
    TPoint pos;
    GetCurrentPositionEx(Dc, &pos);
    EXPECT_EQ(pos, (TPoint{5, 2}));
    // A closed polyline path draws each corner once.
    Surface.Fill(PixelFromColor(White));
    TPoint square[5] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
    Polyline(Dc, square, 5);
    EXPECT_EQ(CountColor(Black), 16);
}

TEST_F(Drawing, RectangleCoversItsBoundsWithPenAndBrush) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(Dc, red);
    Rectangle(Dc, 2, 2, 8, 6);
    EXPECT_EQ(At(2, 2), Black);
    EXPECT_EQ(At(7, 5), Black);
    EXPECT_EQ(At(8, 5), White);
    EXPECT_EQ(At(7, 6), White);
    EXPECT_EQ(At(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(CountColor(RGB(255, 0, 0)), 4 * 2);
    // Without a pen the filled area is one pixel smaller on the right and bottom.
    Surface.Fill(PixelFromColor(White));
    SelectObject(Dc, GetStockObject(NULL_PEN));
    Rectangle(Dc, 2, 2, 8, 6);
    EXPECT_EQ(CountColor(RGB(255, 0, 0)), 5 * 3);
    EXPECT_EQ(At(7, 3), White);
    // An inside-frame pen keeps the whole outline within the rectangle.
    Surface.Fill(PixelFromColor(White));
    HPEN frame = CreatePen(PS_INSIDEFRAME, 3, RGB(0, 0, 255));
    SelectObject(Dc, frame);
    Rectangle(Dc, 5, 5, 20, 15);
    EXPECT_EQ(At(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(At(7, 7), RGB(0, 0, 255));
    EXPECT_EQ(At(8, 8), RGB(255, 0, 0));
    EXPECT_EQ(At(4, 5), White);
    EXPECT_EQ(At(20, 14), White);
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    SelectObject(Dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    DeleteObject(frame);
}

TEST_F(Drawing, HatchBrushGapsFollowTheBackgroundMode) {
    HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(0, 0, 255));
    SetBkColor(Dc, RGB(0, 255, 0));
    TRect r{0, 0, 8, 8};
    SetBkMode(Dc, TRANSPARENT);
    Surface.Fill(PixelFromColor(White));
    SelectObject(Dc, hatch);
    PatBlt(Dc, 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(CountColor(RGB(0, 0, 255)), 8);
    EXPECT_EQ(CountColor(RGB(0, 255, 0)), 0);
    SetBkMode(Dc, OPAQUE);
    FillRect(Dc, &r, hatch);
    EXPECT_EQ(CountColor(RGB(0, 0, 255)), 8);
    EXPECT_EQ(CountColor(RGB(0, 255, 0)), 56);
    // Moving the brush origin moves the pattern.
    int lineRow = -1;
    for (int y = 0; y < 8; ++y)
        if (At(0, y) == RGB(0, 0, 255)) lineRow = y;
    SetBrushOrgEx(Dc, 0, 2, nullptr);
    FillRect(Dc, &r, hatch);
    EXPECT_EQ(At(0, (lineRow + 2) % 8), RGB(0, 0, 255));
    SelectObject(Dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(hatch);
}

TEST_F(Drawing, FillRectTakesSystemColourIndexes) {
    TRect r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(Dc, &r, reinterpret_cast<HBRUSH>(std::uintptr_t(5 + 1))), 1); // COLOR_WINDOW
    EXPECT_EQ(At(0, 0), White);
    EXPECT_EQ(FillRect(Dc, &r, reinterpret_cast<HBRUSH>(std::uintptr_t(12 + 1))), 1); // COLOR_APPWORKSPACE
    EXPECT_EQ(At(3, 3), RGB(128, 128, 128));
    EXPECT_EQ(At(4, 4), White);
}

TEST_F(Drawing, PixelsOutsideTheClipAreInvalid) {
    EXPECT_EQ(SetPixel(Dc, 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(Dc, 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(Dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(Dc, 32, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(Dc, 40, 40, 0), CLR_INVALID);
    ExcludeClipRect(Dc, 0, 0, 2, 2);
    EXPECT_EQ(GetPixel(Dc, 1, 1), CLR_INVALID);
}

TEST_F(Drawing, ClippingCombinesVisibleRegionAndApplicationClip) {
    // The window manager lets this DC touch only the left half.
    ASSERT_TRUE(SetDCVisibleRegion(Dc, TRegion(TRect{0, 0, 16, 32})));
    IntersectClipRect(Dc, 0, 0, 32, 16); // the application: top half
    TRect all{0, 0, 32, 32};
    FillRect(Dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(At(0, 0), Black);
    EXPECT_EQ(At(15, 15), Black);
    EXPECT_EQ(At(16, 0), White); // not visible
    EXPECT_EQ(At(0, 16), White); // clipped by the application
    EXPECT_EQ(CountColor(Black), 16 * 16);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(Dc, probe), 1);
    // Removing the application clip brings back the visible region, no more.
    EXPECT_EQ(SelectClipRgn(Dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(Dc, probe), 0);
    FillRect(Dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(CountColor(RGB(128, 128, 128)), 16 * 32);
    EXPECT_EQ(At(16, 16), White);
    TRect box;
    EXPECT_EQ(GetClipBox(Dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect{0, 0, 16, 32}));
    // Excluding a rectangle punches a hole that later drawing respects.
    Surface.Fill(PixelFromColor(White));
    EXPECT_EQ(ExcludeClipRect(Dc, 4, 4, 8, 8), COMPLEXREGION);
    FillRect(Dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(At(5, 5), White);
    EXPECT_EQ(At(3, 5), Black);
    EXPECT_FALSE(PtVisible(Dc, 5, 5));
    EXPECT_TRUE(PtVisible(Dc, 3, 5));
    TRect hole{5, 5, 7, 7}, partly{6, 6, 10, 10};
    EXPECT_FALSE(RectVisible(Dc, &hole));
    EXPECT_TRUE(RectVisible(Dc, &partly));
    // Moving the clip region moves the hole.
    OffsetClipRgn(Dc, 4, 0);
    EXPECT_TRUE(PtVisible(Dc, 5, 5));
    EXPECT_FALSE(PtVisible(Dc, 9, 5));
    DeleteObject(probe);
}

TEST_F(Drawing, ClipRegionsAreInDeviceCoordinatesAndBoxesInLogical) {
    // A child window whose client area starts at (8, 4) in its top-level surface.
    HDC child = CreateSurfaceDC(&Surface, {8, 4}, TRegion(TRect{8, 4, 24, 20}));
    SetWindowOrgEx(child, 100, 100, nullptr); // logical (100, 100) is the child's origin
    TRect box;
    GetClipBox(child, &box);
    EXPECT_EQ(box, (TRect{100, 100, 116, 116}));
    HRGN rgn = CreateRectRgn(0, 0, 4, 4); // device coordinates: the child's top-left corner
    SelectClipRgn(child, rgn);
    GetClipBox(child, &box);
    EXPECT_EQ(box, (TRect{100, 100, 104, 104}));
    TRect all{0, 0, 1000, 1000};
    FillRect(child, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(CountColor(Black), 16);
    EXPECT_EQ(At(8, 4), Black);
    EXPECT_EQ(At(11, 7), Black);
    EXPECT_EQ(At(12, 8), White);
    TPoint org;
    Surface.SetScreenOrigin({300, 200});
    GetDCOrgEx(child, &org);
    EXPECT_EQ(org, (TPoint{308, 204}));
    // Changing the selected region later does not change the DC's copy.
    SetRectRgn(rgn, 0, 0, 16, 16);
    GetClipBox(child, &box);
    EXPECT_EQ(box, (TRect{100, 100, 104, 104}));
    DeleteObject(rgn);
    DeleteDC(child);
}

TEST_F(Drawing, SaveAndRestoreBringBackTheState) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_EQ(SaveDC(Dc), 1);
    SelectObject(Dc, red);
    SelectObject(Dc, blue);
    SetROP2(Dc, R2_XORPEN);
    SetBkMode(Dc, TRANSPARENT);
    SetTextColor(Dc, RGB(1, 2, 3));
    SetWindowOrgEx(Dc, 5, 5, nullptr);
    IntersectClipRect(Dc, 5, 5, 10, 10);
    EXPECT_EQ(SaveDC(Dc), 2);
    SetViewportOrgEx(Dc, 3, 3, nullptr);
    SelectObject(Dc, GetStockObject(NULL_PEN));
    EXPECT_EQ(SaveDC(Dc), 3);
    EXPECT_TRUE(RestoreDC(Dc, -2)); // back to level 2, dropping level 3
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), red);
    TPoint vp;
    GetViewportOrgEx(Dc, &vp);
    EXPECT_EQ(vp, TPoint{});
    EXPECT_EQ(GetROP2(Dc), R2_XORPEN);
    EXPECT_FALSE(RestoreDC(Dc, 2)); // gone
    EXPECT_TRUE(RestoreDC(Dc, 1));
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetROP2(Dc), R2_COPYPEN);
    EXPECT_EQ(GetBkMode(Dc), OPAQUE);
    EXPECT_EQ(GetTextColor(Dc), Black);
    TPoint wo;
    GetWindowOrgEx(Dc, &wo);
    EXPECT_EQ(wo, TPoint{});
    TRect box;
    GetClipBox(Dc, &box);
    EXPECT_EQ(box, (TRect{0, 0, 32, 32}));
    EXPECT_FALSE(RestoreDC(Dc, -1));
    EXPECT_FALSE(RestoreDC(Dc, 0));
    // The objects were referenced by the saved states only; they can go now.
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(blue));
}

TEST_F(Drawing, DeletingASelectedObjectIsSafe) {
    int baseline = GdiObjectCount();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    SelectObject(Dc, pen);
    SaveDC(Dc);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0);
    EXPECT_EQ(SelectObject(Dc, pen), nullptr); // the handle is dead for everyone else
    // The DC still draws with it.
    MoveToEx(Dc, 0, 0, nullptr);
    LineTo(Dc, 3, 0);
    EXPECT_EQ(At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(GdiObjectCount(), baseline + 1);
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    EXPECT_EQ(GdiObjectCount(), baseline + 1); // the saved state still holds it
    RestoreDC(Dc, -1);
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    EXPECT_EQ(GdiObjectCount(), baseline);
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST_F(Drawing, StaleAndForeignHandlesFailCleanly) {
    HDC mem = CreateCompatibleDC(Dc);
    ASSERT_TRUE(DeleteDC(mem));
    EXPECT_FALSE(DeleteDC(mem));
    EXPECT_FALSE(LineTo(mem, 3, 3));
    EXPECT_FALSE(Rectangle(mem, 0, 0, 3, 3));
    EXPECT_FALSE(BitBlt(Dc, 0, 0, 4, 4, mem, 0, 0, SRCCOPY));
    EXPECT_EQ(SaveDC(mem), 0);
    EXPECT_EQ(GetPixel(mem, 0, 0), CLR_INVALID);
    // A GDI object handle is not a DC and the other way round.
    HBRUSH b = CreateSolidBrush(0);
    EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(b), 1, 1));
    EXPECT_EQ(SelectObject(Dc, reinterpret_cast<HGDIOBJ>(Dc)), nullptr);
    EXPECT_EQ(SelectObject(Dc, reinterpret_cast<HGDIOBJ>(std::uintptr_t(0xDEADBEEF))), nullptr);
    DeleteObject(b);
    TRect r{0, 0, 5, 5};
    EXPECT_EQ(FillRect(Dc, &r, b), 0);
    EXPECT_EQ(FillRect(Dc, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(CountColor(White), 32 * 32);
}

TEST_F(Drawing, HostileCoordinatesAreClippedNotFatal) {
    HPEN wide = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    SelectObject(Dc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EXPECT_TRUE(Rectangle(Dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(At(16, 16), RGB(128, 128, 128));
    EXPECT_TRUE(Ellipse(Dc, -2000000000, -2000000000, 2000000000, 2000000000));
    MoveToEx(Dc, INT_MIN, INT_MIN, nullptr);
    EXPECT_TRUE(LineTo(Dc, INT_MAX, INT_MAX));
    SelectObject(Dc, wide);
    EXPECT_TRUE(LineTo(Dc, INT_MIN, 5));
    TPoint pts[3] = {{INT_MIN, 0}, {INT_MAX, 10}, {0, INT_MAX}};
    EXPECT_TRUE(Polygon(Dc, pts, 3));
    EXPECT_TRUE(Pie(Dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1));
    EXPECT_TRUE(PatBlt(Dc, INT_MAX, INT_MAX, INT_MIN, INT_MIN, WHITENESS));
    EXPECT_FALSE(Polygon(Dc, nullptr, 3));
    EXPECT_FALSE(Polyline(Dc, pts, -1));
    SetWindowOrgEx(Dc, INT_MIN, INT_MAX, nullptr);
    EXPECT_TRUE(Rectangle(Dc, 0, 0, INT_MAX, INT_MAX));
    SelectObject(Dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST_F(Drawing, DamageTracksWhatWasTouched) {
    Surface.SetTrackDamage(true);
    TRect r{3, 4, 10, 12};
    FillRect(Dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetPixel(Dc, 20, 20, 0);
    TRegion damage = Surface.TakeDamage();
    EXPECT_TRUE(damage.ContainsRect(r));
    EXPECT_TRUE(damage.Contains({20, 20}));
    EXPECT_FALSE(damage.Contains({15, 15}));
    EXPECT_TRUE(Surface.TakeDamage().IsEmpty());
}

TEST_F(Drawing, ResizedSurfaceIsNoticedByItsDC) {
    Surface.Resize(64, 48, PixelFromColor(White));
    TRect box;
    GetClipBox(Dc, &box);
    EXPECT_EQ(box, (TRect{0, 0, 64, 48}));
    TRect r{40, 40, 50, 45};
    FillRect(Dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(At(45, 42), Black);
}

TEST_F(Drawing, WindowManagerDCLifecycle) {
    EXPECT_EQ(CreateSurfaceDC(nullptr), nullptr);
    int before = DCCount();
    HDC dc = CreateSurfaceDC(&Surface, {0, 0}, TRegion(TRect{0, 0, 8, 8}));
    EXPECT_EQ(DCCount(), before + 1);
    EXPECT_EQ(GetDCSurface(dc), &Surface);
    SetROP2(dc, R2_XORPEN);
    SetWindowOrgEx(dc, 3, 3, nullptr);
    IntersectClipRect(dc, 3, 3, 4, 4);
    SaveDC(dc);
    EXPECT_TRUE(ResetDCState(dc));
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_FALSE(RestoreDC(dc, -1));
    TRect box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (TRect{0, 0, 8, 8})); // the visible region stays
    TSurface other(4, 4);
    EXPECT_TRUE(SetDCSurface(dc, &other, {1, 1}, TRegion(TRect{0, 0, 4, 4})));
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (TRect{-1, -1, 3, 3}));
    ReleaseSurfaceDC(dc);
    EXPECT_EQ(DCCount(), before);
    EXPECT_FALSE(IsValidDC(dc));
    EXPECT_FALSE(SetDCVisibleRegion(dc, TRegion()));
}
