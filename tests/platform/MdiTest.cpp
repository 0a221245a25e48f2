// MDI: document creation and activation (clicks, focus, hiding, destroying), maximised documents,
// next, cascade and tile.
#include "tests/platform/WmFixture.h"

#include "framework/platform/window/Mdi.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/ScrollBar.h"

namespace dw::test {
namespace {

class MdiTest : public WmTest {
protected:
    static constexpr const char* DocClass = "DwMdiDocument";

    static LRESULT DocProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        static_cast<MdiTest*>(Current())->Log.push_back({hwnd, msg, wParam, lParam});
        return DefMDIChildProc(hwnd, msg, wParam, lParam);
    }

    void SetUp() override {
        WmTest::SetUp();
        UnregisterClass(DocClass);
        WNDCLASS wc;
        wc.lpfnWndProc = DocProc;
        wc.lpszClassName = DocClass;
        RegisterClass(wc);
        Frame = Top({0, 0, 800, 600}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        CLIENTCREATESTRUCT ccs;
        TRect fc = GetClientRect(Frame);
        Client = CreateWindowEx(WS_EX_CLIENTEDGE, MDICLIENT, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                fc.Width(), fc.Height(), Frame, 0, &ccs);
        ASSERT_NE(Client, nullptr);
    }

    void TearDown() override {
        WmTest::TearDown();
        UnregisterClass(DocClass);
    }

    HWND Doc(const char* title, DWORD style = WS_VISIBLE) {
        return CreateMDIWindow(DocClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               Client, 0);
    }
    HWND Active(bool* maximized = nullptr) {
        return reinterpret_cast<HWND>(SendMessage(Client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    }

    HWND Frame = nullptr;
    HWND Client = nullptr;
};

TEST_F(MdiTest, NewDocumentsBecomeActiveAndTheOldOneHearsOfIt) {
    HWND a = Doc("A");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(Active(), a);
    Log.clear();
    HWND b = Doc("B");
    EXPECT_EQ(Active(), b);
    auto nc = Entries(a, WM_NCACTIVATE);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(nc[0].wParam, 0u);
    auto act = Entries(a, WM_MDIACTIVATE);
    ASSERT_EQ(act.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(act[0].wParam), a); // deactivated
    EXPECT_EQ(reinterpret_cast<HWND>(act[0].lParam), b); // activated
    EXPECT_EQ(Entries(b, WM_NCACTIVATE).back().wParam, 1u);
    EXPECT_EQ(GetWindow(Client, GW_CHILD), b);
}

TEST_F(MdiTest, ClickingOrFocusingADocumentActivatesIt) {
    HWND a = Doc("A");
    HWND aEdit = Child(a, {0, 0, 40, 20});
    HWND b = Doc("B");
    Pump();
    ASSERT_EQ(Active(), b);
    // a is partly covered by b; click a visible part of its client area.
    TRect ra = GetWindowRect(a);
    Screen->Click(ra.Left + 10, ra.Bottom - 10);
    EXPECT_EQ(Active(), a);
    EXPECT_EQ(GetWindow(Client, GW_CHILD), a);
    SendMessage(Client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
    ASSERT_EQ(Active(), b);
    SetFocus(aEdit);
    EXPECT_EQ(Active(), a);
    EXPECT_EQ(GetFocus(), aEdit); // activation did not take the focus away from the control
}

TEST_F(MdiTest, MaximisedDocumentsFillTheClientAndPassItOn) {
    HWND a = Doc("A");
    SendMessage(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    bool maximized = false;
    EXPECT_EQ(Active(&maximized), a);
    EXPECT_TRUE(maximized);
    TRect clientArea = GetClientRect(Client);
    TPoint origin{0, 0};
    ClientToScreen(a, origin);
    TPoint clientOrigin{0, 0};
    ClientToScreen(Client, clientOrigin);
    EXPECT_EQ(origin, clientOrigin);
    EXPECT_EQ(GetClientRect(a), clientArea);
    // A later document opens maximised, and the earlier one is restored.
    HWND b = Doc("B");
    EXPECT_TRUE(IsZoomed(b));
    EXPECT_FALSE(IsZoomed(a));
    // Activating another keeps the maximised state with the active document.
    SendMessage(Client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_TRUE(IsZoomed(a));
    EXPECT_FALSE(IsZoomed(b));
    // The client grows: the maximised document follows.
    MoveWindow(Client, 0, 0, 600, 400, true);
    EXPECT_EQ(GetClientRect(a), GetClientRect(Client));
    SendMessage(Client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_FALSE(IsZoomed(a));
}

TEST_F(MdiTest, ScrollBarsShowOnlyWhileADocumentLiesOutsideTheClient) {
    auto style = [&] { return static_cast<DWORD>(GetWindowLongPtr(Client, GWL_STYLE)); };
    HWND a = Doc("A");
    MoveWindow(a, 10, 10, 200, 150, true);
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), 0u) << "everything fits";
    TRect area = GetClientRect(Client);
    MoveWindow(a, area.Width() - 50, 10, 200, 150, true);
    EXPECT_NE(style() & WS_HSCROLL, 0u);
    EXPECT_EQ(style() & WS_VSCROLL, 0u);
    // Scrolling to the far end moves the document back into view, and the bar goes.
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Client, SB_HORZ, info));
    int last = info.nMax - static_cast<int>(info.nPage) + 1;
    SendMessage(Client, WM_HSCROLL, MAKELPARAM(SB_THUMBPOSITION, last), 0);
    TRect docRect = GetWindowRect(a);
    TPoint clientOrigin{0, 0};
    ClientToScreen(Client, clientOrigin);
    EXPECT_EQ(docRect.Right - clientOrigin.X, GetClientRect(Client).Width()) << "the document's right edge shows";
    // A maximised document hides both bars.
    MoveWindow(a, area.Width() + 100, area.Height() + 100, 200, 150, true);
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    SendMessage(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), 0u);
}

TEST_F(MdiTest, HidingOrDestroyingTheActiveDocumentActivatesTheNext) {
    HWND a = Doc("A");
    HWND b = Doc("B");
    HWND c = Doc("C");
    ASSERT_EQ(Active(), c);
    Log.clear();
    ShowWindow(c, SW_HIDE);
    EXPECT_EQ(Active(), b);
    EXPECT_EQ(Entries(c, WM_NCACTIVATE).back().wParam, 0u);
    EXPECT_EQ(Count(b, WM_MDIACTIVATE), 1);
    SendMessage(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(Active(), a);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(Active(), nullptr); // c is hidden too
    ShowWindow(c, SW_SHOW);
    EXPECT_EQ(Active(), c);
}

TEST_F(MdiTest, CloseGoesThroughTheClient) {
    HWND a = Doc("A");
    HWND b = Doc("B");
    SendMessage(b, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(Active(), a);
}

TEST_F(MdiTest, NextCascadeAndTile) {
    HWND a = Doc("A");
    HWND b = Doc("B");
    HWND c = Doc("C");
    SendMessage(Client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(Active(), b);
    EXPECT_EQ(GetWindow(GetWindow(Client, GW_CHILD), GW_HWNDLAST), c); // the one left goes to the back
    SendMessage(Client, WM_MDICASCADE, 0, 0);
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    TPoint clientOrigin{0, 0};
    ClientToScreen(Client, clientOrigin);
    // Back to front: c, a, b (b active on top).
    EXPECT_EQ(GetWindowRect(c).TopLeft(), clientOrigin);
    EXPECT_EQ(GetWindowRect(a).TopLeft(), (clientOrigin + TPoint{step, step}));
    EXPECT_EQ(GetWindowRect(b).TopLeft(), (clientOrigin + TPoint{2 * step, 2 * step}));
    SendMessage(Client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
    TRect area = GetClientRect(Client);
    int total = 0;
    for (HWND h : {a, b, c}) {
        TRect r = GetWindowRect(h);
        EXPECT_EQ(r.Width(), area.Width());
        total += r.Height();
    }
    EXPECT_EQ(total, area.Height());
}

} // namespace
} // namespace dw::test
