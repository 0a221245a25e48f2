// The message queue: posting, retrieving in priority order, dispatching, timers and the idle hook.
#include "framework/platform/window/MessageQueue.h"

#include "framework/platform/window/Input.h"
#include "framework/platform/window/KeyboardLayout.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <climits>

namespace dw {

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& wm = WM();
    if (hwnd && !wm.Find(hwnd)) return false;
    TMsg m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = wm.Backend().TickCount();
    m.pt = wm.FCursorPos;
    wm.FPosted.push_back(m);
    return true;
}

void PostQuitMessage(int exitCode) {
    auto& wm = WM();
    wm.FQuitPosted = true;
    wm.FQuitCode = exitCode;
}

namespace {

bool InRange(UINT m, UINT lo, UINT hi) {
    return (lo == 0 && hi == 0) || (m >= lo && m <= hi);
}

bool WindowMatches(TWindowManager& wm, TWindow* filter, HWND h) {
    if (!filter) return true;
    TWindow* w = wm.Find(h);
    return w && wm.IsDescendant(filter, w);
}

void Retrieved(TWindowManager& wm, const TMsg& m) {
    wm.FMessageTime = m.time;
    wm.FMessagePos = m.pt;
}

// A timer that is due, the earliest first; null when none.
TWmTimer* DueTimer(TWindowManager& wm, DWORD now, TWindow* filter, bool internal) {
    TWmTimer* best = nullptr;
    for (TWmTimer& t : wm.FTimers) {
        if (t.Internal != internal) continue;
        if (static_cast<std::int32_t>(now - t.Due) < 0) continue;
        if (!internal && filter && !WindowMatches(wm, filter, t.Hwnd)) continue;
        if (!best || static_cast<std::int32_t>(t.Due - best->Due) < 0) best = &t;
    }
    return best;
}

} // namespace

bool PeekMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    auto& wm = WM();
    TWindow* filter = nullptr;
    if (hwnd) {
        filter = wm.Find(hwnd);
        if (!filter) return false;
    }
    bool remove = (removeFlags & PM_REMOVE) != 0;
    wm.Backend().PollEvents();

    // Posted messages.
    for (auto it = wm.FPosted.begin(); it != wm.FPosted.end(); ++it) {
        if (!InRange(it->message, filterMin, filterMax)) continue;
        if (filter && !WindowMatches(wm, filter, it->hwnd)) continue;
        msg = *it;
        if (remove) wm.FPosted.erase(it);
        Retrieved(wm, msg);
        return true;
    }
    if (wm.FQuitPosted && !filter && InRange(WM_QUIT, filterMin, filterMax)) {
        msg = TMsg{};
        msg.message = WM_QUIT;
        msg.wParam = static_cast<WPARAM>(wm.FQuitCode);
        msg.time = wm.Backend().TickCount();
        msg.pt = wm.FCursorPos;
        if (remove) wm.FQuitPosted = false;
        return true;
    }

    // Input.
    bool wantsInput = InRange(WM_MOUSEMOVE, filterMin, filterMax) || InRange(WM_KEYDOWN, filterMin, filterMax) ||
                      InRange(WM_NCMOUSEMOVE, filterMin, filterMax) || InRange(WM_MOUSEWHEEL, filterMin, filterMax) ||
                      (filterMin <= WM_KEYLAST && filterMax >= WM_KEYFIRST) ||
                      (filterMin <= WM_MOUSELAST && filterMax >= WM_MOUSEFIRST);
    if (wantsInput) {
        for (;;) {
            for (auto it = wm.FInputMsgs.begin(); it != wm.FInputMsgs.end(); ++it) {
                if (!InRange(it->message, filterMin, filterMax)) continue;
                if (filter && !WindowMatches(wm, filter, it->hwnd)) continue;
                msg = *it;
                if (remove) wm.FInputMsgs.erase(it);
                Retrieved(wm, msg);
                return true;
            }
            if (!WmConvertInput()) break;
        }
    }

    // Paint.
    if (InRange(WM_PAINT, filterMin, filterMax)) {
        if (TWindow* w = WmNextPaintWindow(filter)) {
            msg = TMsg{};
            msg.hwnd = w->Handle;
            msg.message = WM_PAINT;
            msg.time = wm.Backend().TickCount();
            msg.pt = wm.FCursorPos;
            Retrieved(wm, msg);
            return true;
        }
    }

    // Timers: the window manager's own first (they never reach the caller), then the program's.
    DWORD now = wm.Backend().TickCount();
    if (TWmTimer* t = DueTimer(wm, now, nullptr, true)) {
        // The window manager's own repeat timers run at dispatch time, like everything that may
        // call a window procedure.
        msg = TMsg{};
        msg.hwnd = t->Hwnd;
        msg.message = WM_SYSTRACK;
        msg.wParam = t->Id;
        msg.lParam = 1;
        msg.time = now;
        msg.pt = wm.FCursorPos;
        if (remove) t->Due = now + t->Interval;
        Retrieved(wm, msg);
        return true;
    }
    WmCheckHover(now);
    for (auto it = wm.FPosted.begin(); it != wm.FPosted.end(); ++it) {
        // Hover notifications just posted.
        if (!InRange(it->message, filterMin, filterMax)) continue;
        if (filter && !WindowMatches(wm, filter, it->hwnd)) continue;
        msg = *it;
        if (remove) wm.FPosted.erase(it);
        Retrieved(wm, msg);
        return true;
    }
    if (InRange(WM_TIMER, filterMin, filterMax)) {
        if (TWmTimer* t = DueTimer(wm, now, filter, false)) {
            msg = TMsg{};
            msg.hwnd = t->Hwnd;
            msg.message = WM_TIMER;
            msg.wParam = t->Id;
            msg.lParam = t->Callback ? 1 : 0;
            msg.time = now;
            msg.pt = wm.FCursorPos;
            // Classic timers do not pile up: one message however many periods passed.
            if (remove) t->Due = now + t->Interval;
            Retrieved(wm, msg);
            return true;
        }
    }
    return false;
}

namespace {
// Milliseconds until the next timer is due (-1: none).
int NextTimerDelay(TWindowManager& wm) {
    DWORD now = wm.Backend().TickCount();
    std::int64_t best = -1;
    auto consider = [&](DWORD due) {
        std::int64_t d = std::max<std::int64_t>(0, static_cast<std::int32_t>(due - now));
        if (best < 0 || d < best) best = d;
    };
    for (const TWmTimer& t : wm.FTimers) consider(t.Due);
    if (wm.FHoverWindow && (wm.FHoverWindow->TrackFlags & TME_HOVER)) consider(wm.FHoverStartTime + wm.FHoverTime);
    return static_cast<int>(std::min<std::int64_t>(best, INT_MAX));
}

void WaitForInput(TWindowManager& wm) {
    if (wm.FIdleHandler) {
        auto idle = wm.FIdleHandler;
        idle();
        TMsg probe;
        if (PeekMessage(probe, nullptr, 0, 0, PM_NOREMOVE)) return;
    }
    if (!wm.Backend().WaitForEvents(NextTimerDelay(wm)))
        throw EInvalidOperation("The message queue is empty and no input can arrive: waiting would never end");
}
} // namespace

bool GetMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    auto& wm = WM();
    for (;;) {
        if (PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg.message != WM_QUIT;
        WaitForInput(wm);
    }
}

void WaitMessage() {
    auto& wm = WM();
    TMsg probe;
    if (PeekMessage(probe, nullptr, 0, 0, PM_NOREMOVE)) return;
    WaitForInput(wm);
}

namespace {
// The character a key makes on a US keyboard, 0 for none.
char32_t KeyChar(int vk, bool shift, bool caps, bool ctrl, bool alt) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl && !alt) return static_cast<char32_t>(vk - 'A' + 1);
        bool upper = shift != caps;
        return static_cast<char32_t>(upper ? vk : vk + 32);
    }
    if (ctrl && !alt) {
        if (vk == VK_RETURN) return 10;
        if (vk == VK_BACK) return 127;
        if (vk == VK_OEM_4) return 27;
        if (vk == VK_OEM_6) return 29;
        if (vk == VK_OEM_5) return 28;
        return 0;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char32_t>('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return 8;
    case VK_TAB:
        return 9;
    case VK_ESCAPE:
        return 27;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    }
    return UsLayoutChar(vk, shift);
}
} // namespace

bool TranslateMessage(const TMsg& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    auto& wm = WM();
    UINT charMessage = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    if (msg.keySerial) {
        // A key press of a backend that knows its layout types what that layout says, once.
        auto it = std::find_if(wm.FKeyTexts.begin(), wm.FKeyTexts.end(),
                               [&](const auto& entry) { return entry.first == msg.keySerial; });
        if (it == wm.FKeyTexts.end()) return false;
        std::u32string text = std::move(it->second);
        wm.FKeyTexts.erase(it);
        for (auto c = text.rbegin(); c != text.rend(); ++c) {
            TMsg m = msg;
            m.message = charMessage;
            m.wParam = *c;
            m.keySerial = 0;
            wm.FPosted.push_front(m);
        }
        return !text.empty();
    }
    bool shift = wm.FKeyState[VK_SHIFT] & 0x80;
    bool ctrl = wm.FKeyState[VK_CONTROL] & 0x80;
    bool alt = wm.FKeyState[VK_MENU] & 0x80;
    bool caps = wm.FKeyState[VK_CAPITAL] & 0x01;
    char32_t ch = KeyChar(static_cast<int>(msg.wParam), shift, caps, ctrl, alt);
    if (!ch) return false;
    TMsg c = msg;
    c.message = charMessage;
    c.wParam = ch;
    // The character comes next, ahead of anything posted meanwhile.
    wm.FPosted.push_front(c);
    return true;
}

LRESULT DispatchMessage(const TMsg& msg) {
    auto& wm = WM();
    if (msg.message == WM_SYSTRACK) {
        WmTrackStep(msg);
        return 0;
    }
    if (msg.message == WM_TIMER && msg.lParam) {
        for (TWmTimer& t : wm.FTimers)
            if (t.Hwnd == msg.hwnd && t.Id == msg.wParam && t.Callback && !t.Internal) {
                TIMERPROC cb = t.Callback;
                cb(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
                return 0;
            }
        return 0;
    }
    TWindow* w = wm.Find(msg.hwnd);
    if (!w) return 0;
    if (msg.message == WM_PAINT) {
        int before = wm.FBeginPaintCount;
        {
            auto undo = ScopeFail([&] {
                if (TWindow* again = wm.Find(msg.hwnd)) WmAbortPaint(again);
            });
            wm.Send(w, WM_PAINT, msg.wParam, msg.lParam);
        }
        // A handler that never began painting would get WM_PAINT forever; it has had its chance.
        if (TWindow* again = wm.Find(msg.hwnd); again && wm.FBeginPaintCount == before) {
            again->Update.Clear();
            again->UpdateErase = false;
            again->NcDirty = false;
            again->InternalPaint = false;
            WmRemoveFromPaintSet(again);
        }
        return 0;
    }
    return wm.Send(w, msg.message, msg.wParam, msg.lParam);
}

int PumpMessages() {
    int count = 0;
    TMsg msg;
    while (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(msg);
        DispatchMessage(msg);
        ++count;
    }
    return count;
}

void SetIdleHandler(std::function<void()> handler) {
    WM().FIdleHandler = std::move(handler);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC callback) {
    auto& wm = WM();
    if (hwnd && !wm.Find(hwnd)) return 0;
    elapse = std::max<UINT>(elapse, 1);
    DWORD now = wm.Backend().TickCount();
    if (hwnd) {
        for (TWmTimer& t : wm.FTimers)
            if (t.Hwnd == hwnd && t.Id == id && !t.Internal) {
                t.Interval = elapse;
                t.Due = now + elapse;
                t.Callback = std::move(callback);
                return id ? id : 1;
            }
    } else {
        id = wm.FNextTimerId++;
    }
    TWmTimer t;
    t.Hwnd = hwnd;
    t.Id = id;
    t.Interval = elapse;
    t.Due = now + elapse;
    t.Callback = std::move(callback);
    wm.FTimers.push_back(std::move(t));
    return id ? id : 1;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = WM().FTimers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const TWmTimer& t) { return t.Hwnd == hwnd && t.Id == id && !t.Internal; });
    if (it == timers.end()) return false;
    timers.erase(it);
    return true;
}

DWORD GetTickCount() {
    return WM().Backend().TickCount();
}
DWORD GetMessageTime() {
    return WM().FMessageTime;
}
TPoint GetMessagePos() {
    return WM().FMessagePos;
}

} // namespace dw
