// Input: message order of clicks, double clicks and captured drags; mouse activation; non-client
// mouse messages; key messages and key state; focus and activation; cursors; cursor clipping;
// mouse tracking.
#include "tests/platform/WmFixture.h"

#include "framework/platform/window/NonClient.h"

namespace dw::test {
namespace {

class InputTest : public WmTest {};

TEST_F(InputTest, ClickOnAnInactiveWindow) {
    HWND active = Top({500, 500, 600, 600});
    HWND top = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, {10, 10, 110, 110});
    SetActiveWindow(active);
    Pump();
    Log.clear();
    Screen->InjectMouseMove(50, 50);
    Screen->InjectMouseDown();
    Screen->InjectMouseUp();
    Pump();
    EXPECT_EQ(Messages(child, MouseMessages),
              (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_MOUSEACTIVATE, WM_LBUTTONDOWN,
                                 WM_SETCURSOR, WM_LBUTTONUP}));
    auto down = Entries(child, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(PointFromLParam(down[0].lParam), (TPoint{40, 40}));
    EXPECT_EQ(down[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(GetActiveWindow(), top);
    auto activate = Entries(top, WM_ACTIVATE);
    ASSERT_EQ(activate.size(), 1u);
    EXPECT_EQ(LOWORD(activate[0].wParam), WA_CLICKACTIVE);
    // The parent's DefWindowProc was asked about activation (classic chain).
    EXPECT_EQ(Count(top, WM_MOUSEACTIVATE), 1);
    // The window is active now: a second click asks nothing.
    Log.clear();
    Screen->Click(50, 50);
    EXPECT_EQ(Count(child, WM_MOUSEACTIVATE), 0);
}

TEST_F(InputTest, MouseActivateAnswersDecide) {
    struct TCase {
        LRESULT answer;
        bool activates;
        bool delivered;
    };
    const TCase cases[] = {{MA_ACTIVATE, true, true},
                           {MA_NOACTIVATE, false, true},
                           {MA_ACTIVATEANDEAT, true, false},
                           {MA_NOACTIVATEANDEAT, false, false}};
    for (const TCase& c : cases) {
        HWND other = Top({500, 500, 600, 600});
        HWND w = Popup({0, 0, 100, 100});
        SetActiveWindow(other);
        Pump();
        On(w, WM_MOUSEACTIVATE, [&](HWND, WPARAM, LPARAM) -> LRESULT { return c.answer; });
        Log.clear();
        Screen->Click(50, 50);
        EXPECT_EQ(GetActiveWindow() == w, c.activates) << c.answer;
        EXPECT_EQ(Count(w, WM_LBUTTONDOWN), c.delivered ? 1 : 0) << c.answer;
        EXPECT_EQ(Count(w, WM_LBUTTONUP), 1) << c.answer;
        DestroyWindow(w);
        DestroyWindow(other);
    }
}

TEST_F(InputTest, DoubleClicks) {
    HWND dbl = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, DblClass);
    HWND plain = Top({200, 0, 300, 100}, WS_POPUP | WS_VISIBLE);
    const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    Pump();
    Log.clear();
    Screen->DoubleClick(50, 50);
    EXPECT_EQ(Messages(dbl, buttons),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    // A third press starts afresh.
    Log.clear();
    Screen->Click(50, 50);
    EXPECT_EQ(Messages(dbl, buttons), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));

    Screen->AdvanceTime(1000);
    Log.clear();
    Screen->DoubleClick(250, 50);
    EXPECT_EQ(Messages(plain, buttons),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    struct TCase {
        int waitMs;
        int dx;
        bool isDouble;
    };
    for (TCase c : {TCase{500, 0, true}, TCase{501, 0, false}, TCase{100, 2, true}, TCase{100, 3, false}}) {
        Screen->AdvanceTime(1000);
        Log.clear();
        Screen->Click(50, 50);
        Screen->AdvanceTime(static_cast<std::uint32_t>(c.waitMs));
        Screen->Click(50 + c.dx, 50);
        EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), c.isDouble ? 1 : 0) << c.waitMs << " ms, " << c.dx << " px";
    }
}

TEST_F(InputTest, CapturedDragReportsPointsOutsideTheWindow) {
    HWND top = Top({0, 0, 400, 400}, WS_POPUP | WS_VISIBLE);
    HWND w = Child(top, {100, 100, 200, 200});
    On(w, WM_LBUTTONDOWN, [](HWND h, WPARAM, LPARAM) -> LRESULT {
        SetCapture(h);
        return 0;
    });
    On(w, WM_LBUTTONUP, [](HWND, WPARAM, LPARAM) -> LRESULT {
        ReleaseCapture();
        return 0;
    });
    Pump();
    Log.clear();
    Screen->Drag({150, 150}, {50, 20}, 2);
    auto moves = Entries(w, WM_MOUSEMOVE);
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(PointFromLParam(moves.back().lParam), (TPoint{-50, -80}));
    EXPECT_EQ(moves.back().wParam & MK_LBUTTON, MK_LBUTTON);
    auto up = Entries(w, WM_LBUTTONUP);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(PointFromLParam(up[0].lParam), (TPoint{-50, -80}));
    EXPECT_EQ(Count(top, WM_MOUSEMOVE), 0);
    // While captured, no WM_SETCURSOR.
    std::vector<UINT> after =
        Messages(w, {WM_LBUTTONDOWN, WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED});
    auto down = std::find(after.begin(), after.end(), UINT(WM_LBUTTONDOWN));
    ASSERT_NE(down, after.end());
    EXPECT_EQ(std::count(down, after.end(), UINT(WM_SETCURSOR)), 0);
    EXPECT_EQ(after.back(), WM_CAPTURECHANGED);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, CaptureChangesAreReportedWithoutCancelMode) {
    HWND a = Top({0, 0, 100, 100});
    HWND b = Top({200, 0, 300, 100});
    Log.clear();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(Messages(a, {WM_CAPTURECHANGED, WM_CANCELMODE}), (std::vector<UINT>{WM_CAPTURECHANGED}));
    EXPECT_EQ(reinterpret_cast<HWND>(Entries(a, WM_CAPTURECHANGED)[0].lParam), b);
    EXPECT_EQ(Count(b, WM_CANCELMODE), 0);
    ReleaseCapture();
    EXPECT_EQ(Count(b, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, NonClientMouseMessagesCarryHitCodeAndScreenPoint) {
    HWND w = Top({100, 100, 300, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    struct TCase {
        TPoint p;
        UINT msg;
        int hit;
    };
    const TCase cases[] = {
        {{200, 110}, WM_NCRBUTTONDOWN, HTCAPTION},
        {{101, 200}, WM_NCRBUTTONDOWN, HTLEFT},
        {{200, 200}, WM_RBUTTONDOWN, HTCLIENT},
    };
    for (const TCase& c : cases) {
        Log.clear();
        Screen->Click(c.p.X, c.p.Y, TMouseButton::Right);
        auto e = Entries(w, c.msg);
        ASSERT_EQ(e.size(), 1u) << c.p.X << "," << c.p.Y;
        if (c.hit != HTCLIENT) {
            EXPECT_EQ(static_cast<int>(e[0].wParam), c.hit);
            EXPECT_EQ(PointFromLParam(e[0].lParam), c.p);
            EXPECT_EQ(Count(w, c.msg + 1), 1); // and the matching button-up, also non-client
        }
    }
}

TEST_F(InputTest, KeyMessagesAndKeyStateInStep) {
    HWND w = Top({0, 0, 100, 100});
    Pump();
    ASSERT_EQ(GetFocus(), w);
    std::vector<short> shiftSeen;
    On(w, WM_KEYDOWN, [&](HWND, WPARAM, LPARAM) -> LRESULT {
        shiftSeen.push_back(GetKeyState(VK_SHIFT));
        return 0;
    });
    Log.clear();
    Screen->InjectKeyDown(VK_SHIFT);
    Screen->InjectKeyDown('A');
    Screen->InjectKeyUp('A');
    Screen->InjectKeyUp(VK_SHIFT);
    Screen->InjectKeyDown('B');
    // Nothing retrieved yet: the queue's view still has no Shift; the async view has the latest.
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetAsyncKeyState('B'), 0);
    Pump();
    ASSERT_EQ(shiftSeen.size(), 3u); // Shift, A, B
    EXPECT_LT(shiftSeen[1], 0);      // Shift down while A arrived
    EXPECT_GE(shiftSeen[2], 0);      // released before B
    Screen->InjectKeyDown('B');      // auto-repeat
    Pump();
    auto downs = Entries(w, WM_KEYDOWN);
    EXPECT_EQ(downs.back().lParam & 0xFFFF, 1);
    EXPECT_NE(downs.back().lParam & (LPARAM(1) << 30), 0); // was down before
    EXPECT_EQ(downs[2].lParam & (LPARAM(1) << 30), 0);

    Log.clear();
    Screen->InjectKeyDown(VK_MENU);
    Screen->InjectKeyDown('X');
    Screen->InjectKeyUp('X');
    Screen->InjectKeyUp(VK_MENU);
    Pump();
    auto sys = Entries(w, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].wParam, WPARAM('X'));
    EXPECT_NE(sys[1].lParam & (LPARAM(1) << 29), 0);
    EXPECT_EQ(Count(w, WM_KEYDOWN), 0);
    EXPECT_EQ(Count(w, WM_SYSKEYUP), 2);
}

TEST_F(InputTest, AltF4ClosesTheWindow) {
    HWND w = Top({0, 0, 100, 100}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = Child(w, {0, 0, 10, 10});
    Pump();
    SetFocus(child);
    Screen->InjectKeyDown(VK_MENU);
    Screen->InjectKeyDown(VK_F4);
    Pump();
    EXPECT_EQ(Count(w, WM_CLOSE), 1);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(InputTest, FocusAndActivationMessages) {
    HWND a = Top({0, 0, 100, 100});
    HWND aEdit = Child(a, {0, 0, 50, 20});
    HWND b = Top({200, 0, 300, 100});
    HWND bEdit = Child(b, {0, 0, 50, 20});
    Pump();
    SetFocus(aEdit);
    ASSERT_EQ(GetActiveWindow(), a);
    Log.clear();
    // Focus into a window of an inactive top-level window activates that one first.
    SetFocus(bEdit);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetFocus(), bEdit);
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& e : Log)
        if (e.msg == WM_ACTIVATE || e.msg == WM_NCACTIVATE || e.msg == WM_SETFOCUS || e.msg == WM_KILLFOCUS)
            order.push_back({e.hwnd, e.msg});
    std::vector<std::pair<HWND, UINT>> expected = {{a, WM_NCACTIVATE}, {a, WM_ACTIVATE},    {aEdit, WM_KILLFOCUS},
                                                   {b, WM_NCACTIVATE}, {b, WM_ACTIVATE},    {b, WM_SETFOCUS},
                                                   {b, WM_KILLFOCUS},  {bEdit, WM_SETFOCUS}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(LOWORD(Entries(a, WM_ACTIVATE)[0].wParam), WA_INACTIVE);
    EXPECT_EQ(Entries(a, WM_NCACTIVATE)[0].wParam, 0u);
    EXPECT_EQ(reinterpret_cast<HWND>(Entries(bEdit, WM_SETFOCUS)[0].wParam), b);
    // Within one window: kill then set, each naming the other.
    HWND bOther = Child(b, {0, 30, 50, 50});
    Log.clear();
    SetFocus(bOther);
    EXPECT_EQ(reinterpret_cast<HWND>(Entries(bEdit, WM_KILLFOCUS)[0].wParam), bOther);
    EXPECT_EQ(reinterpret_cast<HWND>(Entries(bOther, WM_SETFOCUS)[0].wParam), bEdit);
}

TEST_F(InputTest, KeysGoToTheFocusWindow) {
    HWND w = Top({0, 0, 100, 100});
    HWND edit = Child(w, {0, 0, 50, 20});
    Pump();
    SetFocus(edit);
    Log.clear();
    Screen->PressKey('Q');
    EXPECT_EQ(Count(edit, WM_KEYDOWN), 1);
    EXPECT_EQ(Count(edit, WM_CHAR), 1);
    EXPECT_EQ(Count(w, WM_KEYDOWN), 0);
}

TEST_F(InputTest, CursorComesFromTheClassAndTheFrame) {
    HWND w = Top({100, 100, 300, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    RegisterTestClass("DwIBeam", 0);
    WNDCLASS wc;
    GetClassInfo("DwIBeam", wc);
    UnregisterClass("DwIBeam");
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    RegisterClass(wc);
    HWND edit = CreateWindowEx(0, "DwIBeam", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, w, 0);
    Pump();
    struct TCase {
        TPoint p;
        TCursorShape shape;
    };
    TPoint editOrigin{0, 0};
    ClientToScreen(edit, editOrigin);
    const TCase cases[] = {
        {{editOrigin.X + 5, editOrigin.Y + 5}, TCursorShape::IBeam},
        {{200, 250}, TCursorShape::Arrow},
        {{101, 200}, TCursorShape::SizeWE},
        {{200, 298}, TCursorShape::SizeNS},
        {{298, 298}, TCursorShape::SizeNWSE},
        {{298, 101}, TCursorShape::SizeNESW},
    };
    for (const TCase& c : cases) {
        Screen->InjectMouseMove(c.p.X, c.p.Y);
        Pump();
        EXPECT_EQ(Screen->CursorShape(), c.shape) << c.p.X << "," << c.p.Y;
    }
    // The parent has the first say.
    On(w, WM_SETCURSOR, [](HWND, WPARAM, LPARAM) -> LRESULT {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return 1;
    });
    Screen->InjectMouseMove(editOrigin.X + 6, editOrigin.Y + 5);
    Pump();
    EXPECT_EQ(Screen->CursorShape(), TCursorShape::Hand);
    DestroyWindow(w);
    UnregisterClass("DwIBeam");
}

TEST_F(InputTest, ClipCursorConfinesThePointer) {
    HWND w = Top({0, 0, 400, 400}, WS_POPUP | WS_VISIBLE);
    Pump();
    TRect box{100, 100, 200, 150};
    ClipCursor(&box);
    EXPECT_EQ(*Screen->PointerConfinement(), box);
    Log.clear();
    Screen->InjectMouseMove(10, 300);
    Pump();
    EXPECT_EQ(GetCursorPos(), (TPoint{100, 149}));
    EXPECT_EQ(PointFromLParam(Entries(w, WM_MOUSEMOVE).back().lParam), (TPoint{100, 149}));
    ClipCursor(nullptr);
    EXPECT_FALSE(Screen->PointerConfinement().has_value());
    Screen->InjectMouseMove(10, 300);
    Pump();
    EXPECT_EQ(GetCursorPos(), (TPoint{10, 300}));
}

TEST_F(InputTest, MouseLeaveAndHover) {
    HWND top = Top({0, 0, 400, 400}, WS_POPUP | WS_VISIBLE);
    HWND w = Child(top, {100, 100, 200, 200});
    Pump();
    Screen->InjectMouseMove(150, 150);
    Pump();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE | TME_HOVER;
    tme.hwndTrack = w;
    tme.dwHoverTime = 300;
    ASSERT_TRUE(TrackMouseEvent(tme));
    Log.clear();
    Screen->AdvanceTime(299);
    EXPECT_EQ(Count(w, WM_MOUSEHOVER), 0);
    Screen->AdvanceTime(1);
    ASSERT_EQ(Count(w, WM_MOUSEHOVER), 1);
    EXPECT_EQ(PointFromLParam(Entries(w, WM_MOUSEHOVER)[0].lParam), (TPoint{50, 50}));
    Screen->AdvanceTime(1000);
    EXPECT_EQ(Count(w, WM_MOUSEHOVER), 1); // once per request
    Screen->InjectMouseMove(20, 20);
    Pump();
    EXPECT_EQ(Count(w, WM_MOUSELEAVE), 1);
    Screen->InjectMouseMove(150, 150);
    Screen->InjectMouseMove(20, 20);
    Pump();
    EXPECT_EQ(Count(w, WM_MOUSELEAVE), 1); // not tracked any more
}

TEST_F(InputTest, DisabledWindowsGetNoInputButShowACursor) {
    HWND owner = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    Pump();
    EnableWindow(owner, false);
    Log.clear();
    Screen->Click(50, 50);
    Screen->PressKey('A');
    EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(owner, WM_KEYDOWN), 0);
    auto cursor = Entries(owner, WM_SETCURSOR);
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(LoWordSigned(cursor[0].lParam), HTERROR);
}

TEST_F(InputTest, RightClickAsksForAContextMenuUpTheParents) {
    HWND top = Top({100, 100, 300, 300}, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, {10, 10, 110, 110});
    Pump();
    Log.clear();
    Screen->Click(150, 150, TMouseButton::Right);
    auto menu = Entries(top, WM_CONTEXTMENU);
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(menu[0].wParam), child);
    EXPECT_EQ(PointFromLParam(menu[0].lParam), (TPoint{150, 150}));
    SetFocus(child);
    Log.clear();
    Screen->PressKey(VK_APPS);
    ASSERT_EQ(Count(child, WM_CONTEXTMENU), 1);
    EXPECT_EQ(PointFromLParam(Entries(child, WM_CONTEXTMENU)[0].lParam), (TPoint{-1, -1}));
}

TEST_F(InputTest, PressOnADisabledOwnerBringsItsModalPopupForward) {
    HWND owner = Top({0, 0, 300, 300});
    HWND dialog = Top({400, 0, 600, 200}, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, TestClass, owner);
    HWND other = Top({700, 0, 800, 100});
    EnableWindow(owner, false);
    ASSERT_EQ(GetActiveWindow(), other);
    Screen->Click(50, 50);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, WheelGoesToTheFocusAndUpTheParents) {
    HWND top = Top({0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND edit = Child(top, {0, 0, 50, 20});
    Pump();
    SetFocus(edit);
    Log.clear();
    Screen->InjectMouseMove(150, 150);
    Screen->InjectMouseWheel(-120);
    Pump();
    auto wheel = Entries(edit, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(static_cast<short>(HIWORD(wheel[0].wParam)), -120);
    EXPECT_EQ(Count(top, WM_MOUSEWHEEL), 1); // DefWindowProc passed it up
}

} // namespace
} // namespace dw::test
