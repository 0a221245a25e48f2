// Windows: creation and destruction messages, the tree and z-order, reparenting, positioning,
// showing, coordinates (also mirrored), hit testing of the tree, long values and subclassing.
#include "tests/platform/WmFixture.h"

#include "framework/platform/gdi/Region.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

class WindowTest : public WmTest {};

TEST_F(WindowTest, CreationSendsNcCreateNcCalcSizeCreateWithTheParameters) {
    int token = 42;
    void* seenInCreate = nullptr;
    On(WM_CREATE, [&](HWND, WPARAM, LPARAM lp) -> LRESULT {
        seenInCreate = reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams;
        return 0;
    });
    HWND w = CreateWindowEx(0, TestClass, "Hello", WS_POPUP, 5, 6, 70, 80, nullptr, 0, &token);
    ASSERT_TRUE(IsWindow(w));
    auto msgs = Messages(w, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE});
    EXPECT_EQ(msgs, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    EXPECT_EQ(seenInCreate, &token);
    EXPECT_EQ(GetWindowText(w), "Hello");
    EXPECT_EQ(GetWindowRect(w), (TRect{5, 6, 75, 86}));
}

TEST_F(WindowTest, CreationCanBeRefused) {
    struct TCase {
        UINT msg;
        LRESULT answer;
    };
    for (TCase c : {TCase{WM_NCCREATE, 0}, TCase{WM_CREATE, -1}}) {
        Handlers.clear();
        On(c.msg, [&](HWND, WPARAM, LPARAM) -> LRESULT { return c.answer; });
        int before = GetWindowCount();
        HWND w = CreateWindowEx(0, TestClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0);
        EXPECT_EQ(w, nullptr);
        EXPECT_EQ(GetWindowCount(), before);
    }
}

TEST_F(WindowTest, ExceptionDuringCreationDestroysTheWindowAndPropagates) {
    HWND seen = nullptr;
    HWND parent = Top({0, 0, 100, 100});
    On(WM_CREATE, [&](HWND h, WPARAM, LPARAM) -> LRESULT {
        seen = h;
        throw EInvalidOperation("no");
    });
    EXPECT_THROW(Child(parent, {0, 0, 10, 10}), EInvalidOperation);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    EXPECT_THROW(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr), EInvalidArgument);
    EXPECT_THROW(CreateWindowEx(0, TestClass, "", WS_CHILD, 0, 0, 1, 1, nullptr), EInvalidArgument);
}

TEST_F(WindowTest, DestroyOrderAndInvalidHandles) {
    HWND parent = Top({0, 0, 200, 200});
    HWND child = Child(parent, {0, 0, 50, 50});
    HWND grandChild = Child(child, {0, 0, 10, 10});
    Log.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& e : Log)
        if (e.msg == WM_DESTROY || e.msg == WM_NCDESTROY) order.push_back({e.hwnd, e.msg});
    std::vector<std::pair<HWND, UINT>> expected = {{parent, WM_DESTROY},     {child, WM_DESTROY},
                                                   {grandChild, WM_DESTROY}, {grandChild, WM_NCDESTROY},
                                                   {child, WM_NCDESTROY},    {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND h : {parent, child, grandChild}) EXPECT_FALSE(IsWindow(h));
    TRect r;
    EXPECT_FALSE(GetWindowRect(child, r));
}

TEST_F(WindowTest, DestroyingFocusCaptureAndActiveWindowsMovesThemOn) {
    HWND other = Top({300, 0, 400, 100});
    HWND main = Top({0, 0, 200, 200});
    HWND edit = Child(main, {0, 0, 50, 50});
    Pump();
    SetFocus(edit);
    SetCapture(edit);
    ASSERT_EQ(GetActiveWindow(), main);
    Log.clear();
    DestroyWindow(edit);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(edit, WM_CAPTURECHANGED), 1);
    DestroyWindow(main);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(WindowTest, OwnedPopupsDieWithTheirOwnerAndStayAboveIt) {
    HWND owner = Top({0, 0, 200, 200});
    HWND popup = Popup({10, 10, 50, 50}, 0, 0, owner);
    HWND other = Top({20, 20, 220, 220});
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(popup), owner);
    BringWindowToTop(owner);
    EXPECT_EQ(GetTopWindow(nullptr), popup);
    EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(WindowTest, ZOrderOperations) {
    HWND parent = Top({0, 0, 300, 300});
    HWND a = Child(parent, {0, 0, 10, 10});
    HWND b = Child(parent, {0, 0, 10, 10});
    HWND c = Child(parent, {0, 0, 10, 10});
    // New windows go on top.
    EXPECT_EQ(GetWindow(parent, GW_CHILD), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDLAST), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), a);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDLAST), a);
    SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // just below c
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
    std::vector<HWND> seen;
    EnumChildWindows(parent, [&](HWND h) {
        seen.push_back(h);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<HWND>{c, a, b}));
}

TEST_F(WindowTest, TopMostWindowsStayAboveNormalOnes) {
    HWND topmost = Popup({0, 0, 50, 50}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    HWND normal = Top({0, 0, 100, 100});
    BringWindowToTop(normal);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(normal);
    EXPECT_EQ(GetTopWindow(nullptr), normal);
    SetWindowPos(normal, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLongPtr(normal, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTest, WindowPosChangingMayChangeThePlace) {
    HWND parent = Top({0, 0, 300, 300});
    HWND w = Child(parent, {10, 10, 60, 60});
    On(w, WM_WINDOWPOSCHANGING, [](HWND, WPARAM, LPARAM lp) -> LRESULT {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOMOVE)) pos->x = (pos->x / 10) * 10; // snap to a 10 grid
        return 0;
    });
    Log.clear();
    MoveWindow(w, 37, 44, 50, 50, true);
    TRect r = GetWindowRect(w);
    TPoint origin{0, 0};
    ClientToScreen(parent, origin);
    EXPECT_EQ(r.Left - origin.X, 30);
    EXPECT_EQ(r.Top - origin.Y, 44);
    EXPECT_EQ(Messages(w, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    EXPECT_EQ(PointFromLParam(Entries(w, WM_MOVE).back().lParam), (TPoint{30, 44}));
    Log.clear();
    SetWindowPos(w, nullptr, 0, 0, 80, 20, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(Count(w, WM_SIZE), 1);
    EXPECT_EQ(Count(w, WM_MOVE), 0);
    EXPECT_EQ(PointFromLParam(Entries(w, WM_SIZE)[0].lParam), (TPoint{80, 20}));
}

TEST_F(WindowTest, ShowWindowAndVisibility) {
    HWND parent = CreateWindowEx(0, TestClass, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr);
    HWND child = Child(parent, {0, 0, 10, 10});
    EXPECT_FALSE(IsWindowVisible(child)); // parent hidden
    Log.clear();
    EXPECT_FALSE(ShowWindow(parent, SW_SHOWNA));
    EXPECT_EQ(Count(parent, WM_SHOWWINDOW), 1);
    EXPECT_EQ(Entries(parent, WM_SHOWWINDOW)[0].wParam, 1u);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_NE(GetActiveWindow(), parent); // NA: not activated
    ShowWindow(parent, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), parent);
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(parent));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTest, MaximiseAndRestore) {
    HWND w = Top({50, 60, 250, 260}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log.clear();
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(w));
    auto sizes = Entries(w, WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, SIZE_MAXIMIZED);
    TRect client = GetClientRect(w);
    EXPECT_EQ(client.Width(), 1280);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(GetWindowRect(w), (TRect{50, 60, 250, 260}));
}

TEST_F(WindowTest, SetParentMovesWindowsBetweenTopLevelAndChild) {
    HWND host = Top({100, 100, 400, 400});
    HWND form = Top({150, 170, 250, 270}, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(SetParent(form, host), nullptr);
    EXPECT_TRUE(GetWindowLongPtr(form, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(form), host);
    EXPECT_TRUE(IsChild(host, form));
    EXPECT_EQ(GetWindowRect(form), (TRect{150, 170, 250, 270})); // stays where it was on screen
    MoveWindow(form, 0, 0, 100, 100, true);
    TPoint hostOrigin{0, 0};
    ClientToScreen(host, hostOrigin);
    EXPECT_EQ(GetWindowRect(form).TopLeft(), hostOrigin);
    EXPECT_EQ(SetParent(form, nullptr), host);
    EXPECT_FALSE(GetWindowLongPtr(form, GWL_STYLE) & (WS_CHILD | WS_POPUP)); // overlapped again
    EXPECT_EQ(GetAncestor(form, GA_ROOT), form);
    HWND inner = Child(host, {0, 0, 10, 10});
    EXPECT_THROW(SetParent(host, inner), EInvalidArgument); // no cycles
}

TEST_F(WindowTest, CoordinatesThroughFramesAndMirroredParents) {
    HWND top = Top({100, 50, 500, 450}, WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND child = Child(top, {10, 20, 110, 70}, WS_BORDER);
    TPoint p{0, 0};
    ClientToScreen(child, p);
    // Popup border 1, child at (10, 20), child border 1.
    EXPECT_EQ(p, (TPoint{100 + 1 + 10 + 1, 50 + 1 + 20 + 1}));
    ScreenToClient(child, p);
    EXPECT_EQ(p, (TPoint{0, 0}));

    HWND rtl = Child(top, {0, 100, 200, 200}, 0, WS_EX_LAYOUTRTL);
    HWND inner = Child(rtl, {10, 10, 60, 30});
    TRect rtlRect = GetWindowRect(rtl);
    // x = 0 of a mirrored client is its right-most column; children are placed from the right.
    TPoint q{0, 0};
    ClientToScreen(rtl, q);
    EXPECT_EQ(q.X, rtlRect.Right - 1);
    EXPECT_EQ(GetWindowRect(inner),
              (TRect{rtlRect.Right - 60, rtlRect.Top + 10, rtlRect.Right - 10, rtlRect.Top + 30}));
    TRect r{10, 10, 60, 30};
    MapWindowRect(rtl, nullptr, r);
    EXPECT_EQ(r, GetWindowRect(inner));
    MapWindowRect(nullptr, rtl, r);
    EXPECT_EQ(r, (TRect{10, 10, 60, 30}));
    // The mirrored child inherited the layout.
    EXPECT_TRUE(GetWindowLongPtr(inner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
}

// Child windows may be 0 or 1 pixels wide or high, mirrored parents included.
TEST_F(WindowTest, ThinChildWindowsKeepTheirSize) {
    HWND top = Top({100, 50, 500, 450}, WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND rtl = Child(top, {0, 100, 200, 200}, 0, WS_EX_LAYOUTRTL);
    for (HWND parent : {top, rtl}) {
        HWND child = Child(parent, {10, 20, 60, 70});
        for (TSize size : {TSize{0, 0}, TSize{1, 1}, TSize{0, 30}, TSize{30, 0}, TSize{1, 0}}) {
            SetWindowPos(child, nullptr, 10, 20, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            TRect r = GetWindowRect(child);
            EXPECT_EQ(r.Width(), size.cx) << size.cx << "x" << size.cy;
            EXPECT_EQ(r.Height(), size.cy) << size.cx << "x" << size.cy;
            MapWindowRect(nullptr, parent, r);
            EXPECT_EQ(r, Bounds(10, 20, size.cx, size.cy)) << size.cx << "x" << size.cy;
        }
    }
    TRect edge{10, 10, 10, 30};
    MapWindowRect(rtl, nullptr, edge);
    TRect rtlRect = GetWindowRect(rtl);
    EXPECT_EQ(edge, (TRect{rtlRect.Right - 10, rtlRect.Top + 10, rtlRect.Right - 10, rtlRect.Top + 30}));
}

TEST_F(WindowTest, WindowFromPointSkipsWhatItShould) {
    HWND top = Top({0, 0, 300, 300}, WS_POPUP | WS_VISIBLE);
    HWND hidden = Child(top, {0, 0, 50, 50});
    ShowWindow(hidden, SW_HIDE);
    HWND disabled = Child(top, {60, 0, 110, 50}, WS_DISABLED);
    Child(top, {120, 0, 170, 50}, 0, WS_EX_TRANSPARENT);
    HWND seeThrough = Child(top, {180, 0, 230, 50});
    On(seeThrough, WM_NCHITTEST, [](HWND, WPARAM, LPARAM) -> LRESULT { return HTTRANSPARENT; });
    HWND round = Child(top, {0, 100, 100, 200});
    SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), true);
    HWND under = Child(top, {0, 100, 100, 200});
    SetWindowPos(under, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    struct TCase {
        TPoint p;
        HWND expected;
    };
    const TCase cases[] = {
        {{10, 10}, top},      {{70, 10}, disabled}, {{130, 10}, top},  {{190, 10}, top},
        {{125, 45}, top},     {{50, 150}, round},   {{2, 102}, under}, // a corner outside the ellipse
        {{350, 10}, nullptr},
    };
    for (const TCase& c : cases) EXPECT_EQ(WindowFromPoint(c.p), c.expected) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(ChildWindowFromPointEx(top, {10, 10}, CWP_SKIPINVISIBLE), top);
    EXPECT_EQ(ChildWindowFromPointEx(top, {10, 10}, CWP_ALL), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(top, {70, 10}, CWP_SKIPDISABLED), top);
    EXPECT_EQ(ChildWindowFromPoint(top, {400, 10}), nullptr);
}

TEST_F(WindowTest, SubclassingThroughTheWindowProcSlot) {
    HWND w = Top({0, 0, 100, 100});
    std::vector<UINT> seenBySubclass;
    TWindowProc old = SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        seenBySubclass.push_back(m);
        if (m == WM_USER) return 77;
        return CallWindowProc(old, h, m, wp, lp);
    });
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 77);
    Log.clear();
    SendMessage(w, WM_USER + 1, 0, 0);
    EXPECT_EQ(Count(w, WM_USER + 1), 1); // reached the class procedure
    EXPECT_EQ(seenBySubclass.back(), WM_USER + 1);

    // The classic slot: the value read back calls what was there.
    auto token = reinterpret_cast<WNDPROC>(GetWindowLongPtr(w, GWLP_WNDPROC));
    EXPECT_EQ(CallWindowProc(token, w, WM_USER, 0, 0), 77);
    SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WmTest::LoggingProc));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(token));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 77);

    SetWindowLongPtr(w, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);
    EXPECT_THROW(GetWindowLongPtr(w, 12345), EInvalidArgument);
    DestroyWindow(w); // the subclass refers to locals of this test
}

TEST_F(WindowTest, EnableWindowCancelsCaptureAndKeepsInputAway) {
    HWND top = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND button = Child(top, {10, 10, 60, 40});
    Pump();
    SetCapture(button);
    Log.clear();
    EnableWindow(button, false);
    EXPECT_EQ(Messages(button, {WM_CANCELMODE, WM_ENABLE}), (std::vector<UINT>{WM_CANCELMODE, WM_ENABLE}));
    EXPECT_EQ(GetCapture(), nullptr); // DefWindowProc let it go
    EXPECT_FALSE(IsWindowEnabled(button));
    Log.clear();
    Screen->Click(20, 20);
    EXPECT_EQ(Count(button, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 0);
    EnableWindow(button, true);
    Screen->Click(20, 20);
    EXPECT_EQ(Count(button, WM_LBUTTONDOWN), 1);
}

TEST_F(WindowTest, MessageOnlyWindowsAreNeverShown) {
    HWND w = CreateWindowEx(0, TestClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, HWND_MESSAGE);
    ASSERT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    ShowWindow(w, SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(SendMessage(w, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_TRUE(PostMessage(w, WM_USER, 0, 0));
    Pump();
    EXPECT_EQ(Count(w, WM_USER), 1);
}

TEST_F(WindowTest, UnregisterClassFailsWhileWindowsExist) {
    HWND w = Top({0, 0, 10, 10});
    EXPECT_FALSE(UnregisterClass(TestClass));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass(TestClass));
    RegisterTestClass(TestClass, 0);
}

} // namespace
} // namespace dw::test
