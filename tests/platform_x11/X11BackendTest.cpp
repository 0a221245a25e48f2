// The X11 backend on a private Xvfb server: presenting pixels, input translation, windows,
// the pointer, and the window manager running on it.
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"
#include "tests/platform_x11/X11Fixture.h"

#include <X11/keysym.h>

#include <cstdlib>

namespace dw::test {
namespace {

constexpr std::uint32_t Rgb(COLORREF c) {
    return PixelFromColor(c) & 0xFFFFFFu;
}

class X11PresentTest : public X11Test, public ::testing::WithParamInterface<bool> {};

TEST_P(X11PresentTest, PresentedRectReachesTheScreenAndNothingElseDoes) {
    auto b = NewBackend({.UseSharedMemory = GetParam()});
    EXPECT_EQ(b->UsesSharedMemory(), GetParam()) << "Xvfb on this machine offers MIT-SHM";
    const COLORREF red = RGB(200, 30, 40), blue = RGB(10, 120, 250), green = RGB(0, 255, 0), grey = RGB(99, 99, 99);
    TSurface s(200, 100);
    s.Fill({0, 0, 100, 100}, PixelFromColor(red));
    s.Fill({100, 0, 200, 100}, PixelFromColor(blue));
    s.SetPixel(5, 7, PixelFromColor(green));
    TNativeWindow w = b->CreateNativeWindow(Bounds(100, 80, 200, 100), {});
    b->SetNativeWindowSurface(w, &s);
    ShowAndWait(*b, w);
    b->PresentRect(w, s.BoundsRect());
    b->Sync();

    auto xid = static_cast<Window>(w);
    EXPECT_EQ(ScreenPixel(xid, 0, 0), Rgb(red));
    EXPECT_EQ(ScreenPixel(xid, 99, 99), Rgb(red));
    EXPECT_EQ(ScreenPixel(xid, 100, 0), Rgb(blue));
    EXPECT_EQ(ScreenPixel(xid, 199, 99), Rgb(blue));
    EXPECT_EQ(ScreenPixel(xid, 5, 7), Rgb(green));
    // The window sits where it was asked to on the screen.
    Window root = DefaultRootWindow(Raw);
    EXPECT_EQ(ScreenPixel(root, 100 + 5, 80 + 7), Rgb(green));
    EXPECT_EQ(ScreenPixel(root, 100 + 150, 80 + 50), Rgb(blue));

    // Only the presented rectangle goes out, even though more of the surface changed.
    s.Fill(PixelFromColor(grey));
    b->PresentRect(w, {20, 10, 40, 30});
    b->Sync();
    EXPECT_EQ(ScreenPixel(xid, 20, 10), Rgb(grey));
    EXPECT_EQ(ScreenPixel(xid, 39, 29), Rgb(grey));
    EXPECT_EQ(ScreenPixel(xid, 40, 30), Rgb(red));
    EXPECT_EQ(ScreenPixel(xid, 19, 10), Rgb(red));
    // Rectangles reaching outside the surface are clipped, not refused.
    b->PresentRect(w, {150, 50, 5000, 5000});
    b->Sync();
    EXPECT_EQ(ScreenPixel(xid, 199, 99), Rgb(grey));
    EXPECT_EQ(ScreenPixel(xid, 149, 99), Rgb(blue));
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryAndPlain, X11PresentTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Shm" : "PutImage"; });

TEST_F(X11Test, ExposedWindowReportsTheArea) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(10, 10, 120, 90), {});
    ShowAndWait(*b, w);
    TRect all;
    for (auto& e : EventsOf(TBackendEvent::Expose)) all = all.Union(e.rect);
    EXPECT_EQ(all, (TRect{0, 0, 120, 90}));
}

struct TButtonCase {
    unsigned xbutton;
    TBackendEvent::Kind kind;
    TMouseButton button;
    int wheel;
};

TEST_F(X11Test, ButtonsAndWheelArriveWithScreenPositionsAndTimes) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(300, 300, 100, 100), {});
    ShowAndWait(*b, w);
    const TButtonCase cases[] = {
        {Button1, TBackendEvent::MouseDown, TMouseButton::Left, 0},
        {Button2, TBackendEvent::MouseDown, TMouseButton::Middle, 0},
        {Button3, TBackendEvent::MouseDown, TMouseButton::Right, 0},
        {Button4, TBackendEvent::MouseWheel, TMouseButton::Left, 120},
        {Button5, TBackendEvent::MouseWheel, TMouseButton::Left, -120},
    };
    MovePointer(350, 340);
    ASSERT_TRUE(PumpUntil(*b, [&] { return !EventsOf(TBackendEvent::MouseMove).empty(); }));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xbutton);
        Events.clear();
        std::uint32_t before = b->TickCount();
        Button(c.xbutton, true, static_cast<Window>(w));
        Button(c.xbutton, false, static_cast<Window>(w));
        ASSERT_TRUE(PumpUntil(*b, [&] { return !EventsOf(c.kind).empty(); }));
        if (c.kind == TBackendEvent::MouseDown) {
            ASSERT_TRUE(PumpUntil(*b, [&] { return !EventsOf(TBackendEvent::MouseUp).empty(); }));
        } else {
            PumpUntil(
                *b, [] { return false; }, 50);
            EXPECT_EQ(EventsOf(TBackendEvent::MouseWheel).size(), 1u) << "one notch, one event";
        }
        TBackendEvent e = EventsOf(c.kind).front();
        EXPECT_EQ(e.window, w);
        EXPECT_EQ(e.pos, (TPoint{350, 340}));
        EXPECT_EQ(e.wheelDelta, c.wheel);
        if (c.kind == TBackendEvent::MouseDown) {
            EXPECT_EQ(e.button, c.button);
            TBackendEvent up = EventsOf(TBackendEvent::MouseUp).front();
            EXPECT_EQ(up.button, c.button);
            EXPECT_GE(static_cast<std::int32_t>(up.time - e.time), 0);
        }
        // Event times are on the backend's clock.
        EXPECT_LE(static_cast<std::int32_t>(e.time - b->TickCount()), 0);
        EXPECT_LT(static_cast<std::int32_t>(before - e.time), 1000);
    }
}

TEST_F(X11Test, MotionCarriesIncreasingTimes) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(0, 0, 400, 300), {});
    ShowAndWait(*b, w);
    // Each move is taken before the next: queued motion is coalesced, which would leave fewer events.
    for (int i = 0; i < 5; ++i) {
        MovePointer(50 + 10 * i, 60);
        ASSERT_TRUE(PumpUntil(*b, [&] {
            auto m = EventsOf(TBackendEvent::MouseMove);
            return !m.empty() && m.back().pos == TPoint{50 + 10 * i, 60};
        }));
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    auto moves = EventsOf(TBackendEvent::MouseMove);
    ASSERT_GE(moves.size(), 5u);
    EXPECT_GE(static_cast<std::int32_t>(moves.back().time - moves.front().time), 40) << "times follow the real moves";
    for (std::size_t i = 1; i < moves.size(); ++i)
        EXPECT_GE(static_cast<std::int32_t>(moves[i].time - moves[i - 1].time), 0);
}

struct TKeyCase {
    unsigned long keysym;
    bool shift;
    bool control;
    int vk;
    char32_t ch; // 0: no character
};

TEST_F(X11Test, KeysArriveAsVirtualKeysAndCharacters) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(0, 0, 200, 200), {});
    ShowAndWait(*b, w, /*activate=*/true);
    b->Sync();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(Raw, &focus, &revert);
    ASSERT_EQ(focus, static_cast<Window>(w)) << "showing with activation gives the window the keyboard";

    const TKeyCase cases[] = {
        {XK_a, false, false, 'A', U'a'},
        {XK_a, true, false, 'A', U'A'},
        {XK_a, false, true, 'A', 0x01},
        {XK_5, false, false, '5', U'5'},
        {XK_5, true, false, '5', U'%'},
        {XK_F1, false, false, VK_F1, 0},
        {XK_F12, false, false, VK_F12, 0},
        {XK_Left, false, false, VK_LEFT, 0},
        {XK_Up, false, false, VK_UP, 0},
        {XK_Right, false, false, VK_RIGHT, 0},
        {XK_Down, false, false, VK_DOWN, 0},
        {XK_Home, false, false, VK_HOME, 0},
        {XK_End, false, false, VK_END, 0},
        {XK_Prior, false, false, VK_PRIOR, 0},
        {XK_Next, false, false, VK_NEXT, 0},
        {XK_Insert, false, false, VK_INSERT, 0},
        {XK_Delete, false, false, VK_DELETE, 0},
        {XK_Tab, false, false, VK_TAB, U'\t'},
        {XK_Return, false, false, VK_RETURN, U'\r'},
        {XK_Escape, false, false, VK_ESCAPE, 0x1B},
        {XK_BackSpace, false, false, VK_BACK, U'\b'},
        {XK_space, false, false, VK_SPACE, U' '},
        {XK_Shift_L, false, false, VK_SHIFT, 0},
        {XK_Control_L, false, false, VK_CONTROL, 0},
        {XK_Alt_L, false, false, VK_MENU, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keysym);
        Events.clear();
        unsigned state = (c.shift ? ShiftMask : 0) | (c.control ? ControlMask : 0);
        if (c.shift) Key(XK_Shift_L, true);
        if (c.control) Key(XK_Control_L, true);
        Key(c.keysym, true, state, static_cast<Window>(w));
        Key(c.keysym, false, state, static_cast<Window>(w));
        if (c.control) Key(XK_Control_L, false);
        if (c.shift) Key(XK_Shift_L, false);
        ASSERT_TRUE(PumpUntil(*b, [&] {
            for (auto& e : Events)
                if (e.kind == TBackendEvent::KeyUp && e.key == c.vk) return true;
            return false;
        }));
        PumpUntil(
            *b, [] { return false; }, 30);
        std::vector<int> downs;
        for (auto& e : EventsOf(TBackendEvent::KeyDown)) {
            EXPECT_EQ(e.window, w);
            downs.push_back(e.key);
        }
        ASSERT_FALSE(downs.empty());
        EXPECT_EQ(downs.back(), c.vk);
        // What the key types travels with its key-down, once.
        std::u32string typed = Typed();
        EXPECT_TRUE(EventsOf(TBackendEvent::KeyDown).back().translated);
        if (c.ch) {
            ASSERT_EQ(typed.size(), 1u);
            EXPECT_EQ(static_cast<std::uint32_t>(typed[0]), static_cast<std::uint32_t>(c.ch));
        } else {
            EXPECT_TRUE(typed.empty()) << static_cast<std::uint32_t>(typed.empty() ? 0 : typed[0]);
        }
    }
}

TEST_F(X11Test, CharactersBeyondAsciiComeThroughTheKeyboardMap) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(0, 0, 200, 200), {});
    ShowAndWait(*b, w, true);
    // Put é and the euro sign on a key nobody uses (the highest keycode), as a layout would.
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(Raw, &minCode, &maxCode);
    KeySym syms[2] = {XK_eacute, XK_EuroSign};
    XChangeKeyboardMapping(Raw, maxCode, 2, syms, 1);
    XSync(Raw, False);
    PumpUntil(
        *b, [] { return false; }, 100); // the mapping change reaches the backend first
    Events.clear();
    Key(XK_eacute, true, 0, static_cast<Window>(w));
    Key(XK_eacute, false, 0, static_cast<Window>(w));
    Key(XK_Shift_L, true);
    Key(XK_eacute, true, ShiftMask, static_cast<Window>(w));
    Key(XK_eacute, false, ShiftMask, static_cast<Window>(w));
    Key(XK_Shift_L, false);
    ASSERT_TRUE(PumpUntil(*b, [&] { return Typed().size() >= 2; }));
    std::u32string typed = Typed();
    EXPECT_EQ(static_cast<std::uint32_t>(typed[0]), 0xE9u);
    EXPECT_EQ(static_cast<std::uint32_t>(typed[1]), 0x20ACu);
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(Raw, maxCode, 2, none, 1);
    XSync(Raw, False);
}

TEST_F(X11Test, CloseRequestFromTheDesktopBecomesACloseEvent) {
    auto b = NewBackend();
    TNativeWindow w = b->CreateNativeWindow(Bounds(0, 0, 50, 50), {});
    ShowAndWait(*b, w);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = static_cast<Window>(w);
    ev.xclient.message_type = XInternAtom(Raw, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(Raw, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(Raw, static_cast<Window>(w), False, NoEventMask, &ev);
    XSync(Raw, False);
    ASSERT_TRUE(PumpUntil(*b, [&] { return !EventsOf(TBackendEvent::Close).empty(); }));
    EXPECT_EQ(EventsOf(TBackendEvent::Close).front().window, w);
}

TEST_F(X11Test, WindowsCarryTheirTitleFlagsAndPlace) {
    auto b = NewBackend();
    TNativeWindow normal = b->CreateNativeWindow(Bounds(10, 20, 100, 50), {});
    TNativeWindow popup = b->CreateNativeWindow(Bounds(30, 40, 60, 20), {.popup = true, .noActivate = true});
    const String title = "Größe – Form1";
    b->SetNativeWindowTitle(normal, title);
    ShowAndWait(*b, popup);
    b->Sync();

    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(Raw, static_cast<Window>(normal), XInternAtom(Raw, "_NET_WM_NAME", False), 0, 1024, False,
                       AnyPropertyType, &type, &format, &count, &after, &data);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(type, XInternAtom(Raw, "UTF8_STRING", False));
    EXPECT_EQ(String(reinterpret_cast<char*>(data), count), title);
    XFree(data);
    char* oldName = nullptr;
    ASSERT_TRUE(XFetchName(Raw, static_cast<Window>(normal), &oldName));
    EXPECT_STREQ(oldName, "Gr\xF6\xDF"
                          "e ? Form1")
        << "Latin-1 with a stand-in for the dash";
    XFree(oldName);

    XWindowAttributes attrs;
    XGetWindowAttributes(Raw, static_cast<Window>(popup), &attrs);
    EXPECT_TRUE(attrs.override_redirect) << "pop-ups bypass the desktop's window manager";
    EXPECT_EQ(attrs.map_state, IsViewable);
    XWMHints* hints = XGetWMHints(Raw, static_cast<Window>(popup));
    ASSERT_NE(hints, nullptr);
    EXPECT_FALSE(hints->input) << "a no-activate window asks not to get the keyboard";
    XFree(hints);
    XGetWindowAttributes(Raw, static_cast<Window>(normal), &attrs);
    EXPECT_FALSE(attrs.override_redirect);
    EXPECT_EQ(attrs.map_state, IsUnmapped);

    b->MoveNativeWindow(popup, Bounds(300, 200, 80, 30));
    b->Sync();
    XGetWindowAttributes(Raw, static_cast<Window>(popup), &attrs);
    EXPECT_EQ((TRect{attrs.x, attrs.y, attrs.x + attrs.width, attrs.y + attrs.height}), Bounds(300, 200, 80, 30));
    b->ShowNativeWindow(popup, false, false);
    b->Sync();
    XGetWindowAttributes(Raw, static_cast<Window>(popup), &attrs);
    EXPECT_EQ(attrs.map_state, IsUnmapped);
    b->DestroyNativeWindow(popup);
    b->Sync();
    EXPECT_THROW(b->ShowNativeWindow(popup, true, false), EInvalidArgument);
}

TEST_F(X11Test, RestackingPutsWindowsInTheGivenOrder) {
    auto b = NewBackend();
    TNativeWindow a = b->CreateNativeWindow(Bounds(100, 100, 100, 100), {.popup = true});
    TNativeWindow c = b->CreateNativeWindow(Bounds(150, 150, 100, 100), {.popup = true});
    TSurface red(100, 100), blue(100, 100);
    red.Fill(PixelFromColor(RGB(255, 0, 0)));
    blue.Fill(PixelFromColor(RGB(0, 0, 255)));
    b->SetNativeWindowSurface(a, &red);
    b->SetNativeWindowSurface(c, &blue);
    ShowAndWait(*b, a);
    ShowAndWait(*b, c);
    Window root = DefaultRootWindow(Raw);
    for (auto order : {std::vector<TNativeWindow>{a, c}, std::vector<TNativeWindow>{c, a}}) {
        b->RestackNativeWindows(order);
        b->Sync();
        PumpUntil(
            *b, [] { return false; }, 50);
        for (auto& e : Events)
            if (e.kind == TBackendEvent::Expose) b->PresentRect(e.window, e.rect);
        Events.clear();
        b->Sync();
        std::uint32_t front = order.front() == a ? Rgb(RGB(255, 0, 0)) : Rgb(RGB(0, 0, 255));
        EXPECT_EQ(ScreenPixel(root, 175, 175), front) << "the overlap shows the frontmost window";
    }
}

TEST_F(X11Test, PointerIsWarpedAndConfinedAndFreedAgain) {
    auto b = NewBackend();
    b->WarpPointer({640, 500});
    b->Sync(); // the other connection's query must come after the warp
    EXPECT_EQ(PointerPos(), (TPoint{640, 500}));

    TRect box{100, 100, 300, 250};
    b->ConfinePointer(&box);
    b->Sync();
    EXPECT_TRUE(box.Contains(PointerPos())) << "the pointer moves into the box at once";
    MovePointer(800, 800);
    PumpUntil(
        *b, [] { return false; }, 50);
    EXPECT_EQ(PointerPos(), (TPoint{299, 249}));
    MovePointer(10, 120);
    EXPECT_EQ(PointerPos(), (TPoint{100, 120}));

    b->ConfinePointer(nullptr);
    b->Sync();
    MovePointer(800, 800);
    EXPECT_EQ(PointerPos(), (TPoint{800, 800}));
}

TEST_F(X11Test, ClockIsMonotonicInMilliseconds) {
    auto b = NewBackend();
    std::uint32_t t0 = b->TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    std::uint32_t t1 = b->TickCount();
    EXPECT_GE(t1 - t0, 55u);
    EXPECT_LT(t1 - t0, 1000u);
}

TEST_F(X11Test, WaitForEventsReturnsAfterTheTimeoutWhenNothingHappens) {
    auto b = NewBackend();
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(b->WaitForEvents(100));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 90);
    EXPECT_LT(ms, 1000);
}

TEST_F(X11Test, DefaultBackendIsX11WithADisplayAndHeadlessWithout) {
    const char* old = std::getenv("DISPLAY");
    String saved = old ? old : "";
    RegisterX11Backend();
    setenv("DISPLAY", TXvfbEnvironment::Display().c_str(), 1);
    auto x11 = CreateDefaultBackend();
    EXPECT_NE(dynamic_cast<TX11Backend*>(x11.get()), nullptr);
    setenv("DISPLAY", ":31999", 1); // no server there
    auto fallback = CreateDefaultBackend();
    EXPECT_NE(dynamic_cast<THeadlessBackend*>(fallback.get()), nullptr);
    unsetenv("DISPLAY");
    EXPECT_NE(dynamic_cast<THeadlessBackend*>(CreateDefaultBackend().get()), nullptr);
    if (old) setenv("DISPLAY", saved.c_str(), 1);
}

// The window manager on the real display: a painted pop-up shows on the screen and a click on it
// reaches its window procedure in client coordinates.
TEST_F(X11Test, WindowManagerPaintsAndTakesClicksOnTheDisplay) {
    static std::vector<std::pair<UINT, LPARAM>> received;
    received.clear();
    WNDCLASS wc;
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, ps);
            HBRUSH brush = CreateSolidBrush(RGB(220, 20, 60));
            TRect r{0, 0, 120, 80};
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            EndPaint(hwnd, ps);
            return 0;
        }
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) received.emplace_back(msg, lParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    };
    wc.lpszClassName = "DwX11TestPopup";
    RegisterClass(wc);
    SetBackend(std::make_unique<TX11Backend>(TXvfbEnvironment::Display()));
    HWND hwnd = CreateWindowEx(0, "DwX11TestPopup", "", WS_POPUP | WS_VISIBLE, 50, 60, 120, 80, nullptr, 0);
    ASSERT_NE(hwnd, nullptr);
    Window root = DefaultRootWindow(Raw);
    auto settle = [&](const std::function<bool()>& done) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            CurrentBackend().WaitForEvents(20);
            PumpMessages();
        }
        return done();
    };
    EXPECT_TRUE(settle([&] { return ScreenPixel(root, 50 + 60, 60 + 40) == Rgb(RGB(220, 20, 60)); }));
    EXPECT_EQ(ScreenPixel(root, 50, 60), Rgb(RGB(220, 20, 60)));
    EXPECT_EQ(ScreenPixel(root, 50 + 119, 60 + 79), Rgb(RGB(220, 20, 60)));

    MovePointer(50 + 30, 60 + 25);
    Button(Button1, true);
    Button(Button1, false);
    ASSERT_TRUE(settle([&] { return received.size() >= 2; }));
    EXPECT_EQ(received[0].first, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(PointFromLParam(received[0].second), (TPoint{30, 25}));
    EXPECT_EQ(received[1].first, static_cast<UINT>(WM_LBUTTONUP));

    SetBackend(std::make_unique<THeadlessBackend>());
    UnregisterClass("DwX11TestPopup");
}

} // namespace
} // namespace dw::test
