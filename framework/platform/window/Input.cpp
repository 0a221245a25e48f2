// Input: backend events become mouse and keyboard messages (hit testing, WM_SETCURSOR, mouse
// activation, double clicks, mouse tracking); focus, activation, capture, cursors and key state.
#include "framework/platform/window/Input.h"

#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstdlib>

namespace dw {

namespace {

TPoint ClampToScreen(TWindowManager& wm, TPoint p) {
    TRect screen = wm.Desktop()->Rect;
    TRect area = wm.FClipCursor ? *wm.FClipCursor : screen;
    p.X = std::clamp(p.X, area.Left, std::max(area.Left, area.Right - 1));
    p.Y = std::clamp(p.Y, area.Top, std::max(area.Top, area.Bottom - 1));
    return p;
}

int ButtonVk(TMouseButton b) {
    switch (b) {
    case TMouseButton::Left:
        return VK_LBUTTON;
    case TMouseButton::Right:
        return VK_RBUTTON;
    case TMouseButton::Middle:
        return VK_MBUTTON;
    }
    return VK_LBUTTON;
}

void ApplyToKeyState(std::array<std::uint8_t, 256>& state, const TBackendEvent& e) {
    auto press = [&](int vk) {
        if (!(state[vk] & 0x80)) state[vk] ^= 0x01; // toggled on each fresh press
        state[vk] |= 0x80;
    };
    auto release = [&](int vk) { state[vk] &= static_cast<std::uint8_t>(~0x80); };
    switch (e.kind) {
    case TBackendEvent::MouseDown:
        press(ButtonVk(e.button));
        break;
    case TBackendEvent::MouseUp:
        release(ButtonVk(e.button));
        break;
    case TBackendEvent::KeyDown:
        press(e.key & 0xFF);
        break;
    case TBackendEvent::KeyUp:
        release(e.key & 0xFF);
        break;
    default:
        break;
    }
}

WPARAM MouseKeyFlags(const std::array<std::uint8_t, 256>& s) {
    WPARAM f = 0;
    if (s[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (s[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (s[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (s[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (s[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

UINT ButtonMessage(const TBackendEvent& e) {
    UINT base = e.button == TMouseButton::Left    ? WM_LBUTTONDOWN
                : e.button == TMouseButton::Right ? WM_RBUTTONDOWN
                                                  : WM_MBUTTONDOWN;
    return e.kind == TBackendEvent::MouseDown ? base : base + 1;
}

void PushMessage(TWindowManager& wm, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const TBackendEvent& e) {
    TMsg m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = e.time;
    m.pt = e.pos;
    wm.FInputMsgs.push_back(m);
}

TWindow* MdiClientOf(TWindow* child) {
    return child->Parent;
}

// Activates the MDI children on the way from w up to its top-level window.
void ActivateMdiAncestors(TWindowManager& wm, TWindow* w) {
    std::vector<HWND> chain;
    for (TWindow* c = w; c && c != wm.Desktop(); c = c->Parent)
        if (c->ExStyle & WS_EX_MDICHILD) chain.push_back(c->Handle);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        TWindow* c = wm.Find(*it);
        if (!c) continue;
        TWindow* client = MdiClientOf(c);
        if (client && client->Mdi && client->Mdi->Active == c->Handle) continue;
        wm.Send(c, WM_CHILDACTIVATE, 0, 0);
    }
}

void PostLeave(TWindowManager& wm, TWindow* w) {
    if (!w || w->Destroyed) return;
    if (w->TrackFlags & TME_LEAVE) {
        UINT msg = (w->TrackFlags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE;
        w->TrackFlags &= ~DWORD(TME_LEAVE | TME_NONCLIENT);
        PostMessage(w->Handle, msg, 0, 0);
    }
    w->TrackFlags &= ~DWORD(TME_HOVER);
    if (wm.FHoverWindow == w) wm.FHoverWindow = nullptr;
}

void ConvertMouse(TWindowManager& wm, const TBackendEvent& e) {
    if (e.kind == TBackendEvent::MouseWheel) {
        TWindow* target = wm.FFocus ? wm.FFocus : wm.FActive;
        if (!target || !wm.ReallyEnabled(target)) return;
        WPARAM wp = (MouseKeyFlags(wm.FKeyState) & 0xFFFF) |
                    (static_cast<WPARAM>(static_cast<std::uint16_t>(e.wheelDelta)) << 16);
        PushMessage(wm, target->Handle, WM_MOUSEWHEEL, wp, PointToLParam(e.pos), e);
        return;
    }
    UINT clientMsg = e.kind == TBackendEvent::MouseMove ? WM_MOUSEMOVE : ButtonMessage(e);
    TWindow* target = nullptr;
    int hit = HTCLIENT;
    if (wm.FCapture) {
        target = wm.FCapture;
    } else {
        HWND h = WindowFromPoint(e.pos);
        target = wm.Find(h);
        if (!target) {
            if (wm.FMouseWindow) PostLeave(wm, wm.FMouseWindow);
            wm.FMouseWindow = nullptr;
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            return;
        }
        hit = static_cast<int>(wm.Send(target, WM_NCHITTEST, 0, PointToLParam(e.pos)));
        if (!wm.Find(h)) return;
        if (!wm.ReallyEnabled(target)) {
            // A disabled window gets no input; its cursor still shows. A press on a window that a
            // modal pop-up disabled brings that pop-up forward.
            wm.Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(h),
                    MAKELPARAM(HTERROR, static_cast<int>(clientMsg)));
            if (e.kind == TBackendEvent::MouseDown && wm.Find(h)) {
                TWindow* top = wm.TopLevelOf(target);
                for (TWindow* t : wm.Desktop()->Children) {
                    bool owned = false;
                    for (TWindow* o = t->Owner; o && !owned; o = o->Owner) owned = o == top;
                    if (owned && (t->Style & WS_VISIBLE) && !(t->Style & WS_DISABLED) &&
                        !(t->ExStyle & WS_EX_NOACTIVATE)) {
                        WmActivate(t, WA_CLICKACTIVE);
                        break;
                    }
                }
            }
            return;
        }
        wm.Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(hit, static_cast<int>(clientMsg)));
        if (!wm.Find(h)) return;
    }
    HWND targetHandle = target->Handle;

    if (e.kind == TBackendEvent::MouseDown && !wm.FCapture) {
        TWindow* top = wm.TopLevelOf(target);
        if (top != wm.FActive) {
            LRESULT r = wm.Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->Handle),
                                MAKELPARAM(hit, static_cast<int>(clientMsg)));
            if (!wm.Find(targetHandle)) return;
            if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && !(top->ExStyle & WS_EX_NOACTIVATE) &&
                wm.ReallyVisible(top))
                WmActivate(top, WA_CLICKACTIVE);
            if (!wm.Find(targetHandle)) return;
            if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return;
        }
        ActivateMdiAncestors(wm, target);
        if (!wm.Find(targetHandle)) return;
    }

    UINT message = clientMsg;
    if (e.kind == TBackendEvent::MouseDown) {
        bool sameSpot = std::abs(e.pos.X - wm.FLastDownPos.X) <= DoubleClickBox / 2 &&
                        std::abs(e.pos.Y - wm.FLastDownPos.Y) <= DoubleClickBox / 2;
        bool inTime = e.time - wm.FLastDownTime <= DoubleClickTime;
        bool classWants = hit != HTCLIENT || (target->Class && (target->Class->Style & CS_DBLCLKS));
        if (wm.FLastDownHwnd == targetHandle && wm.FLastDownMsg == clientMsg && sameSpot && inTime && classWants) {
            message = clientMsg + 2;    // WM_xBUTTONDBLCLK
            wm.FLastDownHwnd = nullptr; // a third press starts afresh
        } else {
            wm.FLastDownHwnd = targetHandle;
            wm.FLastDownMsg = clientMsg;
            wm.FLastDownTime = e.time;
            wm.FLastDownPos = e.pos;
        }
    }

    // Leave and hover tracking.
    bool nonClient = hit != HTCLIENT && !wm.FCapture;
    if (wm.FMouseWindow != target) {
        if (wm.FMouseWindow) PostLeave(wm, wm.FMouseWindow);
        wm.FMouseWindow = target;
    } else if (target->TrackFlags & TME_LEAVE) {
        bool trackingNc = (target->TrackFlags & TME_NONCLIENT) != 0;
        if (trackingNc != nonClient) PostLeave(wm, target);
    }
    if (e.kind == TBackendEvent::MouseMove && wm.FHoverWindow == target &&
        (std::abs(e.pos.X - wm.FHoverStart.X) > 2 || std::abs(e.pos.Y - wm.FHoverStart.Y) > 2)) {
        wm.FHoverStart = e.pos;
        wm.FHoverStartTime = e.time;
    }

    if (!nonClient) {
        TPoint client = wm.ScreenToClient(target, e.pos);
        PushMessage(wm, targetHandle, message, MouseKeyFlags(wm.FKeyState), PointToLParam(client), e);
    } else {
        PushMessage(wm, targetHandle, message - 0x160, static_cast<WPARAM>(hit), PointToLParam(e.pos), e);
    }
}

void ConvertKey(TWindowManager& wm, const TBackendEvent& e, bool wasDown) {
    TWindow* target = wm.FFocus ? wm.FFocus : wm.FActive;
    if (!target || !wm.ReallyEnabled(target)) return;
    bool alt = (wm.FKeyState[VK_MENU] & 0x80) != 0;
    bool ctrl = (wm.FKeyState[VK_CONTROL] & 0x80) != 0;
    bool down = e.kind == TBackendEvent::KeyDown;
    bool sys = (alt && !ctrl) || e.key == VK_F10 || e.key == VK_MENU || !wm.FFocus;
    if (e.kind == TBackendEvent::Char) {
        PushMessage(wm, target->Handle, alt && !ctrl ? WM_SYSCHAR : WM_CHAR, e.ch, 1 | (alt ? (1 << 29) : 0), e);
        return;
    }
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1;
    if (alt && e.key != VK_MENU) lp |= LPARAM(1) << 29;
    if (down && e.key == VK_MENU) lp |= LPARAM(1) << 29;
    if (wasDown || !down) lp |= LPARAM(1) << 30;
    if (!down) lp |= LPARAM(1) << 31;
    PushMessage(wm, target->Handle, message, static_cast<WPARAM>(e.key), lp, e);
    if (down && e.translated) {
        // The key's characters wait for TranslateMessage, the one place that makes them.
        std::uint32_t serial = wm.FNextKeySerial++;
        if (serial == 0) serial = wm.FNextKeySerial++;
        wm.FInputMsgs.back().keySerial = serial;
        wm.FKeyTexts.emplace_back(serial, e.text);
        while (wm.FKeyTexts.size() > 64) wm.FKeyTexts.pop_front();
    }
}

HCURSOR CursorHandle(int id) {
    return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(id));
}

TCursorShape ShapeOf(int id) {
    switch (id) {
    case IDC_ARROW:
        return TCursorShape::Arrow;
    case IDC_IBEAM:
        return TCursorShape::IBeam;
    case IDC_WAIT:
        return TCursorShape::Wait;
    case IDC_CROSS:
        return TCursorShape::Cross;
    case IDC_UPARROW:
        return TCursorShape::UpArrow;
    case IDC_SIZE:
    case IDC_SIZEALL:
        return TCursorShape::SizeAll;
    case IDC_ICON:
        return TCursorShape::Arrow;
    case IDC_SIZENWSE:
        return TCursorShape::SizeNWSE;
    case IDC_SIZENESW:
        return TCursorShape::SizeNESW;
    case IDC_SIZEWE:
        return TCursorShape::SizeWE;
    case IDC_SIZENS:
        return TCursorShape::SizeNS;
    case IDC_NO:
        return TCursorShape::No;
    case IDC_HAND:
        return TCursorShape::Hand;
    case IDC_APPSTARTING:
        return TCursorShape::AppStarting;
    case IDC_HELP:
        return TCursorShape::Help;
    case IDC_DRAG:
        return TCursorShape::Drag;
    case IDC_NODROP:
        return TCursorShape::NoDrop;
    case IDC_MULTIDRAG:
        return TCursorShape::MultiDrag;
    case IDC_HSPLIT:
        return TCursorShape::HSplit;
    case IDC_VSPLIT:
        return TCursorShape::VSplit;
    }
    return TCursorShape::None;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Backend events

void WmOnBackendEvent(const TBackendEvent& event) {
    auto& wm = WM();
    TBackendEvent e = event;
    switch (e.kind) {
    case TBackendEvent::MouseMove:
    case TBackendEvent::MouseDown:
    case TBackendEvent::MouseUp:
    case TBackendEvent::MouseWheel:
        e.pos = ClampToScreen(wm, e.pos);
        wm.FCursorPos = e.pos;
        break;
    case TBackendEvent::Expose:
        for (TWindow* t : wm.Desktop()->Children)
            if (t->Native == e.window && t->Native) wm.Backend().PresentRect(t->Native, e.rect);
        return;
    default:
        break;
    }
    ApplyToKeyState(wm.FAsyncKeyState, e);
    wm.FInput.push_back(e);
}

bool WmConvertInput() {
    auto& wm = WM();
    if (wm.FInput.empty()) return false;
    TBackendEvent e = wm.FInput.front();
    wm.FInput.pop_front();
    bool wasDown = (e.kind == TBackendEvent::KeyDown) && (wm.FKeyState[e.key & 0xFF] & 0x80);
    ApplyToKeyState(wm.FKeyState, e);
    switch (e.kind) {
    case TBackendEvent::MouseMove:
    case TBackendEvent::MouseDown:
    case TBackendEvent::MouseUp:
    case TBackendEvent::MouseWheel:
        if (wm.FTrack.Kind != TTrackState::None && e.kind != TBackendEvent::MouseWheel) {
            WmQueueTrackInput(e);
            break;
        }
        ConvertMouse(wm, e);
        break;
    case TBackendEvent::KeyDown:
        if (wm.FTrack.Kind != TTrackState::None && e.key == VK_ESCAPE) {
            WmQueueTrackInput(e);
            break;
        }
        ConvertKey(wm, e, wasDown);
        break;
    case TBackendEvent::KeyUp:
    case TBackendEvent::Char:
        ConvertKey(wm, e, wasDown);
        break;
    case TBackendEvent::Close:
    case TBackendEvent::Minimized:
    case TBackendEvent::Restored: {
        // The desktop's own controls: they become the window's system commands.
        WPARAM command = e.kind == TBackendEvent::Close       ? SC_CLOSE
                         : e.kind == TBackendEvent::Minimized ? SC_MINIMIZE
                                                              : SC_RESTORE;
        for (TWindow* t : wm.Desktop()->Children)
            if (t->Native == e.window && t->Native) {
                PushMessage(wm, t->Handle, WM_SYSCOMMAND, command, 0, e);
                break;
            }
        break;
    }
    case TBackendEvent::FocusLost:
        WmActivate(nullptr, WA_INACTIVE);
        break;
    default:
        break;
    }
    return true;
}

void WmCheckHover(DWORD now) {
    auto& wm = WM();
    TWindow* w = wm.FHoverWindow;
    if (!w || w->Destroyed || !(w->TrackFlags & TME_HOVER)) return;
    if (now - wm.FHoverStartTime < wm.FHoverTime) return;
    w->TrackFlags &= ~DWORD(TME_HOVER);
    wm.FHoverWindow = nullptr;
    if (w->TrackFlags & TME_NONCLIENT) {
        PostMessage(w->Handle, WM_NCMOUSEHOVER, HTCLIENT, PointToLParam(wm.FCursorPos));
    } else {
        PostMessage(w->Handle, WM_MOUSEHOVER, MouseKeyFlags(wm.FKeyState),
                    PointToLParam(wm.ScreenToClient(w, wm.FCursorPos)));
    }
}

// ---------------------------------------------------------------------------------------------
// Activation and focus

void WmActivate(TWindow* top, WPARAM how) {
    auto& wm = WM();
    TWindow* old = wm.FActive;
    if (old == top) return;
    if (top && (top->Destroyed || (top->Style & WS_DISABLED))) return;
    wm.FActive = top;
    if (old && !old->Destroyed) {
        HWND oh = old->Handle;
        wm.Send(old, WM_NCACTIVATE, 0, 0);
        if (wm.Find(oh))
            wm.Send(old, WM_ACTIVATE, WA_INACTIVE | ((old->Style & WS_MINIMIZE) ? 0x10000u : 0u),
                    reinterpret_cast<LPARAM>(H(top)));
        if (wm.FFocus && wm.IsDescendant(old, wm.FFocus)) {
            TWindow* f = wm.FFocus;
            wm.FFocus = nullptr;
            wm.Send(f, WM_KILLFOCUS, 0, 0);
        }
    }
    if (wm.FActive != top || !top || top->Destroyed) return;
    // The active window comes to the front of its layer, and the display gives its native
    // window the keyboard (a desktop without a window manager gives it nobody otherwise).
    wm.LinkTop(top, top->Parent);
    wm.RaiseOwned(top);
    wm.RestackNative();
    if (top->Native && (top->Style & WS_VISIBLE) && !(top->Style & WS_MINIMIZE))
        wm.Backend().ShowNativeWindow(top->Native, true, true);
    HWND th = top->Handle;
    wm.Send(top, WM_NCACTIVATE, 1, 0);
    if (wm.Find(th))
        wm.Send(top, WM_ACTIVATE, how | ((top->Style & WS_MINIMIZE) ? 0x10000u : 0u), reinterpret_cast<LPARAM>(H(old)));
}

void WmActivateNext(TWindow* leaving) {
    auto& wm = WM();
    auto usable = [&](TWindow* t) {
        return t && !t->Destroyed && !wm.IsDescendant(leaving, t) && (t->Style & WS_VISIBLE) &&
               !(t->Style & (WS_DISABLED | WS_MINIMIZE)) && !(t->ExStyle & WS_EX_NOACTIVATE);
    };
    TWindow* top = wm.TopLevelOf(leaving);
    TWindow* next = nullptr;
    if (top && usable(top->Owner)) next = top->Owner;
    if (!next)
        for (TWindow* t : wm.Desktop()->Children)
            if (usable(t) && !(t->ExStyle & WS_EX_TOOLWINDOW)) {
                next = t;
                break;
            }
    WmActivate(next, WA_ACTIVE);
    if (wm.FActive && wm.IsDescendant(leaving, wm.FActive)) WmActivate(nullptr, WA_INACTIVE);
}

void WmSetFocus(TWindow* w) {
    auto& wm = WM();
    TWindow* old = wm.FFocus;
    if (old == w) return;
    wm.FFocus = w;
    if (old && !old->Destroyed) wm.Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(H(w)), 0);
    if (w && wm.FFocus == w && !w->Destroyed) wm.Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(H(old)), 0);
}

void WmForgetInputState(TWindow* w) {
    auto& wm = WM();
    if (wm.FFocus && wm.IsDescendant(w, wm.FFocus)) wm.FFocus = nullptr;
    if (wm.FCapture && wm.IsDescendant(w, wm.FCapture)) {
        TWindow* c = wm.FCapture;
        wm.FCapture = nullptr;
        if (!c->Destroying) wm.Send(c, WM_CAPTURECHANGED, 0, 0);
    }
    if (wm.FActive && wm.IsDescendant(w, wm.FActive)) wm.FActive = nullptr;
    if (wm.FLocked && wm.IsDescendant(w, wm.FLocked)) wm.FLocked = nullptr;
    if (wm.FMouseWindow && wm.IsDescendant(w, wm.FMouseWindow)) wm.FMouseWindow = nullptr;
    if (wm.FHoverWindow && wm.IsDescendant(w, wm.FHoverWindow)) wm.FHoverWindow = nullptr;
    if (wm.FTrack.Kind != TTrackState::None) {
        TWindow* t = wm.Find(wm.FTrack.Hwnd);
        if (!t || wm.IsDescendant(w, t)) WmEndTracking(true);
    }
    auto& timers = wm.FTimers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const TWmTimer& t) { return t.Hwnd == w->Handle; }),
                 timers.end());
    auto& posted = wm.FPosted;
    posted.erase(std::remove_if(posted.begin(), posted.end(), [&](const TMsg& m) { return m.hwnd == w->Handle; }),
                 posted.end());
    auto& inputs = wm.FInputMsgs;
    inputs.erase(std::remove_if(inputs.begin(), inputs.end(), [&](const TMsg& m) { return m.hwnd == w->Handle; }),
                 inputs.end());
    if (wm.FLastDownHwnd == w->Handle) wm.FLastDownHwnd = nullptr;
}

HWND SetFocus(HWND hwnd) {
    auto& wm = WM();
    HWND old = H(wm.FFocus);
    if (!hwnd) {
        WmSetFocus(nullptr);
        return old;
    }
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop() || !wm.ReallyEnabled(w)) return nullptr;
    TWindow* top = wm.TopLevelOf(w);
    if (top != wm.FActive) {
        WmActivate(top, WA_ACTIVE);
        if (!wm.Find(hwnd)) return old;
    }
    ActivateMdiAncestors(wm, w);
    if (!wm.Find(hwnd)) return old;
    WmSetFocus(w);
    return old;
}

HWND GetFocus() {
    return H(WM().FFocus);
}

HWND SetActiveWindow(HWND hwnd) {
    auto& wm = WM();
    HWND old = H(wm.FActive);
    if (!hwnd) {
        WmActivate(nullptr, WA_INACTIVE);
        return old;
    }
    TWindow* w = wm.Find(hwnd);
    if (!w) return nullptr;
    WmActivate(wm.TopLevelOf(w), WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() {
    return H(WM().FActive);
}

bool SetForegroundWindow(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    SetActiveWindow(hwnd);
    return WM().FActive == WM().TopLevelOf(w);
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

// ---------------------------------------------------------------------------------------------
// Capture

HWND SetCapture(HWND hwnd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    TWindow* old = wm.FCapture;
    if (!w) return H(old);
    wm.FCapture = w;
    if (old && old != w) wm.Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return H(old);
}

bool ReleaseCapture() {
    auto& wm = WM();
    TWindow* old = wm.FCapture;
    wm.FCapture = nullptr;
    if (old) wm.Send(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    return H(WM().FCapture);
}

// ---------------------------------------------------------------------------------------------
// Cursor

bool GetCursorPos(TPoint& p) {
    p = WM().FCursorPos;
    return true;
}

TPoint GetCursorPos() {
    return WM().FCursorPos;
}

bool SetCursorPos(int x, int y) {
    auto& wm = WM();
    TPoint p = ClampToScreen(wm, {x, y});
    wm.Backend().WarpPointer(p);
    // The pointer moved: windows hear about it as about any move.
    TBackendEvent e;
    e.kind = TBackendEvent::MouseMove;
    e.pos = p;
    e.time = wm.Backend().TickCount();
    WmOnBackendEvent(e);
    return true;
}

bool ClipCursor(const TRect* rect) {
    auto& wm = WM();
    if (!rect) {
        wm.FClipCursor.reset();
        wm.Backend().ConfinePointer(nullptr);
        return true;
    }
    TRect r = rect->Intersect(wm.Desktop()->Rect);
    if (r.IsEmpty()) r = Bounds(rect->Left, rect->Top, 1, 1).Intersect(wm.Desktop()->Rect);
    wm.FClipCursor = r;
    wm.Backend().ConfinePointer(&r);
    TPoint p = ClampToScreen(wm, wm.FCursorPos);
    if (p != wm.FCursorPos) SetCursorPos(p.X, p.Y);
    return true;
}

bool GetClipCursor(TRect& rect) {
    auto& wm = WM();
    rect = wm.FClipCursor ? *wm.FClipCursor : wm.Desktop()->Rect;
    return true;
}

HCURSOR LoadCursor(void* instance, int id) {
    if (instance) return nullptr;
    return ShapeOf(id) == TCursorShape::None ? nullptr : CursorHandle(id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& wm = WM();
    HCURSOR old = wm.FCursor;
    wm.FCursor = cursor;
    if (old != cursor) wm.Backend().SetCursorShape(ShapeOf(CursorId(cursor)));
    return old;
}

HCURSOR GetCursor() {
    return WM().FCursor;
}

int CursorId(HCURSOR cursor) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(cursor));
}

// ---------------------------------------------------------------------------------------------
// Keys and tracking

short GetKeyState(int vk) {
    std::uint8_t s = WM().FKeyState[vk & 0xFF];
    return static_cast<short>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

short GetAsyncKeyState(int vk) {
    std::uint8_t s = WM().FAsyncKeyState[vk & 0xFF];
    return static_cast<short>((s & 0x80) ? 0x8000 : 0);
}

bool TrackMouseEvent(TRACKMOUSEEVENT& tme) {
    auto& wm = WM();
    if (tme.dwFlags & TME_QUERY) {
        TWindow* w = wm.FMouseWindow;
        tme.hwndTrack = H(w);
        tme.dwFlags = w ? (w->TrackFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT)) : 0;
        tme.dwHoverTime = wm.FHoverTime;
        return true;
    }
    TWindow* w = wm.Find(tme.hwndTrack);
    if (!w) return false;
    if (tme.dwFlags & TME_CANCEL) {
        w->TrackFlags &= ~(tme.dwFlags & (TME_LEAVE | TME_HOVER));
        if ((tme.dwFlags & TME_HOVER) && wm.FHoverWindow == w) wm.FHoverWindow = nullptr;
        return true;
    }
    if (wm.FMouseWindow != w) {
        // The mouse is not over the window any more: it has left already.
        if (tme.dwFlags & TME_LEAVE)
            PostMessage(w->Handle, (tme.dwFlags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return true;
    }
    w->TrackFlags |= tme.dwFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT);
    if (tme.dwFlags & TME_HOVER) {
        wm.FHoverWindow = w;
        wm.FHoverTime = tme.dwHoverTime == HOVER_DEFAULT ? 400 : tme.dwHoverTime;
        wm.FHoverStart = wm.FCursorPos;
        wm.FHoverStartTime = wm.Backend().TickCount();
    }
    return true;
}

UINT GetDoubleClickTime() {
    return DoubleClickTime;
}

} // namespace dw
