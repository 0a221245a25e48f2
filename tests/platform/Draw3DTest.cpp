#include "GdiTestSupport.h"

#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/GdiObjects.h"

using namespace dw;

namespace {

class Draw3D : public dw::test::SurfaceFixture {
protected:
    void TearDown() override {
        ResetSysColors();
        SurfaceFixture::TearDown();
    }
};

} // namespace

TEST_F(Draw3D, ClassicSystemColours) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), COLORREF(0xE1FFFF));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), White);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), Black);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(COLOR_ENDCOLORS + 1), 0u);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    // System colour brushes follow changes and cannot be deleted.
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_FALSE(DeleteObject(face));
    int index = COLOR_BTNFACE;
    COLORREF pink = RGB(255, 192, 203);
    EXPECT_TRUE(SetSysColors(1, &index, &pink));
    TRect r{0, 0, 2, 2};
    FillRect(Dc, &r, face);
    EXPECT_EQ(At(0, 0), pink);
    int bad = 77;
    EXPECT_FALSE(SetSysColors(1, &bad, &pink));
}

TEST_F(Draw3D, RaisedEdgeLinesAndCorners) {
    TRect r{0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(Dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(9, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(8, 8), GetSysColor(COLOR_BTNSHADOW));
    // The bottom-right lines own the shared corners.
    EXPECT_EQ(At(9, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(0, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(8, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(10, 10), White);
}

TEST_F(Draw3D, EdgeKindsAndFlags) {
    struct TCase {
        UINT Edge, Flags;
        int OuterTopLeft, InnerTopLeft, OuterBottomRight;
    };
    const TCase cases[] = {
        {EDGE_SUNKEN, BF_RECT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT},
        {EDGE_ETCHED, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT},
        {EDGE_BUMP, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW},
        {EDGE_RAISED, BF_RECT | BF_SOFT, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNSHADOW},
        {EDGE_SUNKEN, BF_RECT | BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOWFRAME},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Edge * 0x10000 + c.Flags);
        Surface.Fill(PixelFromColor(RGB(1, 2, 3)));
        TRect r{0, 0, 10, 10};
        DrawEdge(Dc, &r, c.Edge, c.Flags);
        EXPECT_EQ(At(0, 5), GetSysColor(c.OuterTopLeft));
        EXPECT_EQ(At(1, 5), GetSysColor(c.InnerTopLeft));
        EXPECT_EQ(At(9, 5), GetSysColor(c.OuterBottomRight));
        EXPECT_EQ(At(5, 5), RGB(1, 2, 3));   // no BF_MIDDLE
        EXPECT_EQ(r, (TRect{0, 0, 10, 10})); // no BF_ADJUST
    }
    // Only the requested sides.
    Surface.Fill(PixelFromColor(White));
    TRect r{0, 0, 10, 10};
    DrawEdge(Dc, &r, BDR_SUNKENOUTER, BF_TOP | BF_ADJUST);
    EXPECT_EQ(r, (TRect{0, 1, 10, 10}));
    EXPECT_EQ(At(9, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(0, 5), White);
    EXPECT_FALSE(DrawEdge(Dc, &r, EDGE_RAISED, BF_DIAGONAL));
    EXPECT_FALSE(DrawEdge(Dc, nullptr, EDGE_RAISED, BF_RECT));
}

TEST_F(Draw3D, FrameControls) {
    // An unchecked check box is a sunken box with a window-coloured inside; checking adds a mark.
    TRect box{0, 0, 13, 13};
    EXPECT_TRUE(DrawFrameControl(Dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_EQ(At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(6, 6), GetSysColor(COLOR_WINDOW));
    int before = CountColor(GetSysColor(COLOR_BTNTEXT));
    DrawFrameControl(Dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(CountColor(GetSysColor(COLOR_BTNTEXT)), before + 10);
    // An inactive box is filled with the face colour.
    DrawFrameControl(Dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_EQ(At(6, 6), GetSysColor(COLOR_BTNFACE));
    // A radio button leaves its corners alone.
    Surface.Fill(PixelFromColor(RGB(1, 2, 3)));
    TRect radio{0, 0, 12, 12};
    DrawFrameControl(Dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(5, 5), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(At(5, 2), GetSysColor(COLOR_WINDOW));
    // A push button: raised, face inside, adjustable.
    TRect push{0, 0, 20, 10};
    DrawFrameControl(Dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(push, (TRect{2, 2, 18, 8}));
    EXPECT_EQ(At(19, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(10, 5), GetSysColor(COLOR_BTNFACE));
    // A checked (latched) push button is sunken with a checkerboard of highlight and face inside.
    TRect latched{0, 0, 20, 10};
    DrawFrameControl(Dc, &latched, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
    EXPECT_EQ(At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_NE(At(5, 5), At(6, 5));
    EXPECT_EQ(At(5, 5), At(6, 6));
    EXPECT_TRUE(At(5, 5) == GetSysColor(COLOR_BTNHIGHLIGHT) || At(5, 5) == GetSysColor(COLOR_BTNFACE));
    // Scroll arrows point the right way: the up arrow is wider at the bottom.
    Surface.Fill(PixelFromColor(White));
    TRect up{0, 0, 16, 16};
    DrawFrameControl(Dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
    auto inkInRow = [&](int y) {
        int n = 0;
        for (int x = 2; x < 14; ++x) n += At(x, y) == GetSysColor(COLOR_BTNTEXT);
        return n;
    };
    int first = -1, last = -1;
    for (int y = 2; y < 14; ++y)
        if (inkInRow(y)) {
            if (first < 0) first = y;
            last = y;
        }
    ASSERT_GE(first, 0);
    EXPECT_LT(inkInRow(first), inkInRow(last));
    TRect close{20, 0, 36, 14};
    EXPECT_TRUE(DrawFrameControl(Dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_FALSE(DrawFrameControl(Dc, &close, 99, 0));
}
