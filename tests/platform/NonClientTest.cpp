// Frames: client areas per style, hit testing (also mirrored), the interactive move and size
// loops, caption buttons and window scroll bars.
#include "tests/platform/WmFixture.h"

#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

class NonClientTest : public WmTest {};

TEST_F(NonClientTest, ClientAreaFollowsTheStyles) {
    HWND top = Popup({0, 0, 400, 400});
    struct TCase {
        DWORD style;
        DWORD exStyle;
        TRect client; // in window coordinates
    };
    const TCase cases[] = {
        {0, 0, {0, 0, 100, 100}},
        {WS_BORDER, 0, {1, 1, 99, 99}},
        {WS_DLGFRAME, 0, {3, 3, 97, 97}},
        {WS_THICKFRAME, 0, {4, 4, 96, 96}},
        {0, WS_EX_CLIENTEDGE, {2, 2, 98, 98}},
        {0, WS_EX_STATICEDGE, {1, 1, 99, 99}},
        {WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 97, 97}},
        {WS_CAPTION, 0, {3, 22, 97, 97}},
        {WS_CAPTION, WS_EX_TOOLWINDOW, {3, 18, 97, 97}},
        {WS_CAPTION | WS_THICKFRAME, 0, {4, 23, 96, 96}},
        {WS_VSCROLL, 0, {0, 0, 84, 100}},
        {WS_HSCROLL | WS_VSCROLL | WS_BORDER, 0, {1, 1, 83, 83}},
        {WS_VSCROLL, WS_EX_LAYOUTRTL, {16, 0, 100, 100}},
    };
    for (const TCase& c : cases) {
        HWND w = Child(top, {0, 0, 100, 100}, c.style, c.exStyle);
        TRect client = GetClientRect(w);
        TPoint origin{0, 0};
        ClientToScreen(w, origin);
        TRect win = GetWindowRect(w);
        TRect got = Bounds(origin.X - win.Left, origin.Y - win.Top, client.Width(), client.Height());
        if (c.exStyle & WS_EX_LAYOUTRTL) got = got.Offset(-client.Width() + 1, 0); // origin is the right-most column
        EXPECT_EQ(got, c.client) << std::hex << c.style << " " << c.exStyle;
        TRect adjusted = {0, 0, c.client.Width(), c.client.Height()};
        AdjustWindowRectEx(adjusted, c.style, false, c.exStyle);
        EXPECT_EQ(adjusted.Width(), 100) << std::hex << c.style << " " << c.exStyle;
        EXPECT_EQ(adjusted.Height(), 100) << std::hex << c.style << " " << c.exStyle;
        DestroyWindow(w);
    }
}

TEST_F(NonClientTest, FrameChangeRecalculatesTheClientArea) {
    HWND host = Popup({0, 0, 400, 400});
    HWND form = Child(host, {10, 10, 210, 160}, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    EXPECT_EQ(GetClientRect(form), (TRect{0, 0, 192, 123}));
    LONG_PTR style = GetWindowLongPtr(form, GWL_STYLE);
    SetWindowLongPtr(form, GWL_STYLE, style & ~LONG_PTR(0x00CF0000));
    EXPECT_EQ(GetClientRect(form).Width(), 192); // nothing happens until the frame change
    Log.clear();
    SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto calc = Entries(form, WM_NCCALCSIZE);
    ASSERT_EQ(calc.size(), 1u);
    EXPECT_EQ(calc[0].wParam, 1u);
    EXPECT_EQ(GetClientRect(form), (TRect{0, 0, 200, 150}));
    EXPECT_EQ(Count(form, WM_SIZE), 1);
}

// A menu bar sits between the caption and the client edge, scroll bars and client area; child
// windows have none.
TEST_F(NonClientTest, MenuBarRowsLieBetweenCaptionAndClient) {
    HWND top = Top({50, 50, 350, 250}, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, WS_EX_CLIENTEDGE);
    TRect before = GetClientRect(top);
    TNonClientLayout plain = GetNonClientLayout(top);
    SetMenuBarHeight(top, 19);
    EXPECT_EQ(GetMenuBarHeight(top), 19);
    TNonClientLayout l = GetNonClientLayout(top);
    EXPECT_EQ(l.MenuBar, (TRect{l.Frame, plain.Caption.Bottom + 1, 300 - l.Frame, plain.Caption.Bottom + 20}));
    EXPECT_EQ(l.EdgeRect.Top, l.MenuBar.Bottom);
    EXPECT_EQ(l.VScroll.Top, plain.VScroll.Top + 19);
    EXPECT_EQ(GetClientRect(top).Height(), before.Height() - 19);
    TRect window = GetWindowRect(top);
    EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(window.Left + 200, window.Top + l.MenuBar.Top + 5)), HTMENU);
    // The same frame, measured before a window exists.
    TRect r{0, 0, before.Width(), before.Height() - 19};
    AdjustWindowRectEx(r, WS_OVERLAPPEDWINDOW | WS_VSCROLL, true, WS_EX_CLIENTEDGE);
    EXPECT_EQ(r.Width(), 300);
    EXPECT_EQ(r.Height(), 200);
    SetMenuBarHeight(top, 0);
    EXPECT_EQ(GetClientRect(top), before);
    HWND child = Child(top, {0, 0, 100, 100}, WS_CAPTION);
    SetMenuBarHeight(child, 19);
    EXPECT_EQ(GetMenuBarHeight(child), 0);
    EXPECT_TRUE(GetNonClientLayout(child).MenuBar.IsEmpty());
}

TEST_F(NonClientTest, HugeWindowsAreRefusedNowhere) {
    HWND w = Top({0, 0, 40000, 60}, WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(IsWindow(w));
    Pump();
    HDC dc = GetDC(w);
    EXPECT_NE(dc, nullptr);
    ReleaseDC(w, dc);
    EXPECT_LE(GetWindowSurface(w)->Width(), 32767);
}

TEST_F(NonClientTest, HitTestTable) {
    for (bool rtl : {false, true}) {
        HWND w = Top({100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                     rtl ? WS_EX_LAYOUTRTL : 0);
        struct TCase {
            TPoint p; // window coordinates
            int ltr;
            int mirrored;
        };
        const TCase cases[] = {
            {{1, 1}, HTTOPLEFT, HTTOPLEFT},     {{150, 1}, HTTOP, HTTOP},
            {{298, 100}, HTRIGHT, HTRIGHT},     {{2, 100}, HTLEFT, HTLEFT},
            {{150, 198}, HTBOTTOM, HTBOTTOM},   {{298, 198}, HTBOTTOMRIGHT, HTBOTTOMRIGHT},
            {{100, 12}, HTCAPTION, HTCAPTION},  {{285, 12}, HTCLOSE, HTSYSMENU},
            {{14, 12}, HTSYSMENU, HTCLOSE},     {{268, 12}, HTMAXBUTTON, HTCAPTION},
            {{32, 12}, HTCAPTION, HTMAXBUTTON}, {{250, 12}, HTMINBUTTON, HTCAPTION},
            {{288, 100}, HTVSCROLL, HTCLIENT},  {{12, 100}, HTCLIENT, HTVSCROLL},
            {{100, 188}, HTHSCROLL, HTHSCROLL}, {{288, 188}, HTSIZE, HTHSCROLL},
            {{12, 188}, HTHSCROLL, HTSIZE},     {{100, 100}, HTCLIENT, HTCLIENT},
            {{350, 100}, HTNOWHERE, HTNOWHERE},
        };
        for (const TCase& c : cases) {
            LRESULT hit = SendMessage(w, WM_NCHITTEST, 0, PointToLParam({100 + c.p.X, 100 + c.p.Y}));
            EXPECT_EQ(hit, rtl ? c.mirrored : c.ltr) << (rtl ? "mirrored " : "") << c.p.X << "," << c.p.Y;
        }
        DestroyWindow(w);
    }
}

TEST_F(NonClientTest, CaptionDragMovesAChildWindowThroughAChangeableRect) {
    HWND host = Popup({0, 0, 400, 400});
    HWND form = Child(host, {50, 50, 200, 150}, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    std::vector<TRect> proposed;
    On(form, WM_MOVING, [&](HWND, WPARAM, LPARAM lp) -> LRESULT {
        auto* r = reinterpret_cast<TRect*>(lp);
        proposed.push_back(*r);
        int w = r->Width();
        r->Left = (r->Left / 25) * 25; // the handler keeps the window on a 25-pixel grid
        r->Right = r->Left + w;
        return 1;
    });
    Pump();
    Log.clear();
    Screen->Drag({100, 60}, {130, 90}, 3);
    ASSERT_FALSE(proposed.empty());
    EXPECT_EQ(proposed.back(), (TRect{80, 80, 230, 180})); // screen coordinates
    EXPECT_EQ(GetWindowRect(form), (TRect{75, 80, 225, 180}));
    auto order = Messages(form, {WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE,
                                 WM_EXITSIZEMOVE, WM_NCLBUTTONDOWN});
    ASSERT_GE(order.size(), 7u);
    EXPECT_EQ(std::vector<UINT>(order.begin(), order.begin() + 7),
              (std::vector<UINT>{WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGING,
                                 WM_WINDOWPOSCHANGED, WM_MOVE, WM_MOVING}));
    EXPECT_EQ(order.back(), WM_EXITSIZEMOVE);
    EXPECT_EQ(GetCapture(), nullptr);
    // Esc puts the window back where the loop started.
    Screen->InjectMouseMove(100, 100);
    Pump();
    TRect before = GetWindowRect(form);
    Screen->InjectMouseMove(before.Left + 50, before.Top + 10);
    Screen->InjectMouseDown();
    Pump();
    Screen->InjectMouseMove(before.Left + 150, before.Top + 110);
    Pump();
    EXPECT_NE(GetWindowRect(form), before);
    Screen->InjectKeyDown(VK_ESCAPE);
    Pump();
    EXPECT_EQ(GetWindowRect(form), before);
    Screen->InjectMouseUp();
    Pump();
}

TEST_F(NonClientTest, BorderDragSizesThroughWmSizing) {
    HWND w = Top({100, 100, 300, 250}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    std::vector<WPARAM> edges;
    On(w, WM_SIZING, [&](HWND, WPARAM wp, LPARAM lp) -> LRESULT {
        edges.push_back(wp);
        auto* r = reinterpret_cast<TRect*>(lp);
        r->Bottom = std::min(r->Bottom, 300); // the handler limits the height
        return 1;
    });
    Pump();
    Screen->Drag({299, 249}, {349, 399}, 2);
    ASSERT_FALSE(edges.empty());
    EXPECT_EQ(edges[0], WMSZ_BOTTOMRIGHT);
    EXPECT_EQ(GetWindowRect(w), (TRect{100, 100, 350, 300}));
    // The left edge cannot pass the minimum tracking width.
    Screen->Drag({101, 200}, {600, 200}, 2);
    EXPECT_EQ(GetWindowRect(w).Width(), GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(GetWindowRect(w).Right, 350);
}

TEST_F(NonClientTest, FailingMoveHandlerEndsTheLoop) {
    HWND w = Top({100, 100, 300, 250}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    On(w, WM_MOVING, [](HWND, WPARAM, LPARAM) -> LRESULT { throw EInvalidOperation("no moving"); });
    Pump();
    EXPECT_THROW(Screen->Drag({200, 110}, {250, 150}, 2), EInvalidOperation);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(w, WM_EXITSIZEMOVE), 1);
    Log.clear();
    Screen->InjectMouseMove(200, 200);
    Screen->InjectMouseUp();
    Pump();
    EXPECT_EQ(Count(w, WM_MOVING), 0);
    EXPECT_EQ(Count(w, WM_LBUTTONUP), 1); // ordinary input again
    EXPECT_EQ(GetWindowRect(w), (TRect{100, 100, 300, 250}));
}

TEST_F(NonClientTest, CaptionButtons) {
    HWND w = Top({100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    // Pressed on the close button but released elsewhere: nothing happens.
    Screen->Drag({100 + 285, 100 + 12}, {200, 200}, 2);
    EXPECT_TRUE(IsWindow(w));
    Screen->Drag({100 + 268, 100 + 12}, {100 + 268, 100 + 12}, 1);
    EXPECT_TRUE(IsZoomed(w));
    TRect zoomed = GetWindowRect(w);
    TNonClientLayout l = GetNonClientLayout(w);
    TPoint restore{zoomed.Left + l.MaxButton.Left + 3, zoomed.Top + l.MaxButton.Top + 3};
    Screen->Drag(restore, restore, 1);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(GetWindowRect(w), (TRect{100, 100, 400, 300}));
    Screen->DoubleClick(200, 112); // caption: maximise
    EXPECT_TRUE(IsZoomed(w));
    ShowWindow(w, SW_RESTORE);
    Log.clear();
    Screen->Drag({100 + 285, 100 + 12}, {100 + 285, 100 + 12}, 1);
    auto sys = Entries(w, WM_SYSCOMMAND);
    ASSERT_EQ(sys.size(), 1u);
    EXPECT_EQ(sys[0].wParam & 0xFFF0, SC_CLOSE);
    EXPECT_EQ(Count(w, WM_CLOSE), 1);
    EXPECT_FALSE(IsWindow(w));
}

class ScrollBarTest : public WmTest {
protected:
    void SetUp() override {
        WmTest::SetUp();
        Wnd = Popup({0, 0, 200, 200}, 0, WS_VSCROLL);
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = 99;
        si.nPage = 10;
        si.nPos = 0;
        SetScrollInfo(Wnd, SB_VERT, si, true);
        Pump();
        Log.clear();
    }
    std::vector<std::pair<int, int>> Requests() const {
        std::vector<std::pair<int, int>> out;
        for (const auto& e : Entries(Wnd, WM_VSCROLL))
            out.push_back({LOWORD(e.wParam), static_cast<short>(HIWORD(e.wParam))});
        return out;
    }
    HWND Wnd = nullptr;
};

TEST_F(ScrollBarTest, ArrowsAndPagesRequestScrolling) {
    Screen->Click(192, 190);
    Screen->Click(192, 100);
    Screen->Click(192, 5);
    std::vector<std::pair<int, int>> expected = {{SB_LINEDOWN, 0},  {SB_ENDSCROLL, 0}, {SB_PAGEDOWN, 0},
                                                 {SB_ENDSCROLL, 0}, {SB_LINEUP, 0},    {SB_ENDSCROLL, 0}};
    EXPECT_EQ(Requests(), expected);
}

TEST_F(ScrollBarTest, HeldArrowRepeats) {
    Screen->InjectMouseMove(192, 190);
    Screen->InjectMouseDown();
    Pump();
    EXPECT_EQ(Requests().size(), 1u);
    Screen->AdvanceTime(ScrollRepeatDelay - 1);
    EXPECT_EQ(Requests().size(), 1u);
    Screen->AdvanceTime(1);
    EXPECT_EQ(Requests().size(), 2u);
    Screen->AdvanceTime(ScrollRepeatInterval * 2);
    EXPECT_EQ(Requests().size(), 4u);
    // Off the arrow it pauses.
    Screen->InjectMouseMove(100, 100);
    Screen->AdvanceTime(ScrollRepeatInterval * 2);
    EXPECT_EQ(Requests().size(), 4u);
    Screen->InjectMouseUp();
    Pump();
    EXPECT_EQ(Requests().back().first, SB_ENDSCROLL);
    Screen->AdvanceTime(1000);
    EXPECT_EQ(Requests().size(), 5u);
}

TEST_F(ScrollBarTest, ThumbDragTracksAndEnds) {
    Screen->InjectMouseMove(192, 20);
    Screen->InjectMouseDown();
    Pump();
    Screen->InjectMouseMove(192, 104);
    Pump();
    SCROLLINFO si;
    si.fMask = SIF_TRACKPOS | SIF_POS;
    GetScrollInfo(Wnd, SB_VERT, si);
    EXPECT_EQ(si.nTrackPos, 50);
    EXPECT_EQ(si.nPos, 0);             // the program sets the position itself
    Screen->InjectMouseMove(192, 400); // far below: the end
    Screen->InjectMouseUp();
    Pump();
    std::vector<std::pair<int, int>> expected = {
        {SB_THUMBTRACK, 50}, {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(Requests(), expected);
}

TEST_F(ScrollBarTest, InfoClampsAndHidesOrDisables) {
    EXPECT_EQ(SetScrollPos(Wnd, SB_VERT, 500, true), 0);
    EXPECT_EQ(GetScrollPos(Wnd, SB_VERT), 90); // max - page + 1
    SCROLLINFO fits;
    fits.fMask = SIF_RANGE | SIF_PAGE;
    fits.nMin = 0;
    fits.nMax = 9;
    fits.nPage = 10;
    SetScrollInfo(Wnd, SB_VERT, fits, true);
    EXPECT_FALSE(GetWindowLongPtr(Wnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(GetClientRect(Wnd).Width(), 200);
    fits.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(Wnd, SB_VERT, fits, true);
    EXPECT_TRUE(GetWindowLongPtr(Wnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(GetClientRect(Wnd).Width(), 184);
    Pump();
    Log.clear();
    Screen->Click(192, 190); // disabled: no requests
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ScrollBarTest, FlatScrollBarsWorkTheSameAndLookFlat) {
    Pump();
    TSurface normal = GetWindowSurface(Wnd)->Clone();
    ASSERT_TRUE(InitializeFlatSB(Wnd));
    EXPECT_TRUE(IsFlatScrollBar(Wnd));
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = 30;
    EXPECT_TRUE(FlatSB_SetScrollInfo(Wnd, SB_VERT, si, true));
    EXPECT_EQ(FlatSB_GetScrollPos(Wnd, SB_VERT), 30);
    FlatSB_SetScrollPos(Wnd, SB_VERT, 0, true);
    Pump();
    const TSurface& flat = *GetWindowSurface(Wnd);
    int differences = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 184; x < 200; ++x) differences += normal.Pixel(x, y) != flat.Pixel(x, y);
    EXPECT_GT(differences, 0);
    Screen->Click(192, 190);
    EXPECT_EQ(Requests().front().first, SB_LINEDOWN);
}

} // namespace
} // namespace dw::test
