// The MDI client window and the default frame and document window procedures.
#include "framework/platform/window/Mdi.h"

#include "framework/platform/gdi/SysColors.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace dw {

namespace {

TWindow* ClientOf(TWindow* child) {
    TWindow* p = child ? child->Parent : nullptr;
    return p && p->Mdi ? p : nullptr;
}

// The active document when it is shown maximized.
TWindow* MaximizedActive(const TWindow* client) {
    TWindow* active = WM().Find(client->Mdi->Active);
    if (!active || active->Destroying || !(active->Style & WS_VISIBLE)) return nullptr;
    return (active->Style & WS_MAXIMIZE) && !(active->Style & WS_MINIMIZE) ? active : nullptr;
}

// A maximized document shows in its frame: the frame's caption names it and the frame's menu bar
// carries its icon and buttons. When that changes the frame's non-client area is laid out again.
void SyncFrame(TWindow* client) {
    auto& wm = WM();
    if (!client || !client->Mdi || client->Destroying) return;
    TWindow* frame = client->Parent;
    TWindow* shown = MaximizedActive(client);
    TMdiClientState& st = *client->Mdi;
    String title = shown ? shown->Text : String();
    if (H(shown) == st.ShownMaximized && title == st.ShownTitle) return;
    st.ShownMaximized = H(shown);
    st.ShownTitle = title;
    if (!frame || frame->Destroying) return;
    if (frame->Native) wm.Backend().SetNativeWindowTitle(frame->Native, WmWindowCaption(frame));
    SetWindowPos(frame->Handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Children of the client that take part in activation, in z-order from the top.
std::vector<TWindow*> Documents(TWindow* client, bool visibleOnly) {
    std::vector<TWindow*> out;
    for (TWindow* c : client->Children)
        if ((c->ExStyle & WS_EX_MDICHILD) && !c->Destroying && (!visibleOnly || (c->Style & WS_VISIBLE)))
            out.push_back(c);
    return out;
}

// Takes a maximised document back to its normal rectangle without activating anything.
void RestoreQuietly(TWindow* child) {
    if (!(child->Style & WS_MAXIMIZE)) return;
    child->Style &= ~WS_MAXIMIZE;
    TRect r = child->HasRestoreRect ? child->RestoreRect : child->Rect;
    SetWindowPos(child->Handle, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MdiActivateNow(TWindow* client, TWindow* child);

void MdiActivate(TWindow* client, TWindow* child) {
    MdiActivateNow(client, child);
    SyncFrame(client);
}

void MdiActivateNow(TWindow* client, TWindow* child) {
    auto& wm = WM();
    TMdiClientState& st = *client->Mdi;
    TWindow* old = wm.Find(st.Active);
    if (old == child) return;
    bool wasMaximized = old && (old->Style & WS_MAXIMIZE);
    st.Active = H(child);
    if (child) {
        auto& order = st.Order;
        order.erase(std::remove(order.begin(), order.end(), child->Handle), order.end());
        order.insert(order.begin(), child->Handle);
    }
    if (old) {
        HWND oh = old->Handle;
        wm.Send(old, WM_NCACTIVATE, 0, 0);
        if (wm.Find(oh)) wm.Send(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(oh), reinterpret_cast<LPARAM>(H(child)));
        if (wasMaximized && child && wm.Find(oh)) RestoreQuietly(old);
    }
    if (!child || st.Active != child->Handle || child->Destroyed) return;
    HWND ch = child->Handle;
    SetWindowPos(ch, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (wasMaximized && wm.Find(ch) && !(child->Style & WS_MAXIMIZE)) ShowWindow(ch, SW_MAXIMIZE);
    if (!wm.Find(ch)) return;
    wm.Send(child, WM_NCACTIVATE, 1, 0);
    if (wm.Find(ch)) wm.Send(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(H(old)), reinterpret_cast<LPARAM>(ch));
    if (wm.Find(ch) && wm.FActive == wm.TopLevelOf(child) && !(wm.FFocus && wm.IsDescendant(child, wm.FFocus)))
        SetFocus(ch);
}

void ActivateNextVisible(TWindow* client, TWindow* leaving) {
    TWindow* next = nullptr;
    for (TWindow* c : Documents(client, true))
        if (c != leaving && !(c->Style & WS_MINIMIZE)) {
            next = c;
            break;
        }
    if (!next)
        for (TWindow* c : Documents(client, true))
            if (c != leaving) {
                next = c;
                break;
            }
    MdiActivate(client, next);
}

TRect DefaultPlacement(TWindow* client, int index) {
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    int cw = client->Client.Width(), ch = client->Client.Height();
    int w = std::max(cw * 3 / 4, 100), h = std::max(ch * 3 / 4, 60);
    int n = std::max(1, std::min((cw - w) / std::max(step, 1), (ch - h) / std::max(step, 1)) + 1);
    int k = index % n;
    return Bounds(k * step, k * step, w, h);
}

HWND MdiCreate(TWindow* client, const MDICREATESTRUCT& mcs) {
    auto& wm = WM();
    TWindow* active = wm.Find(client->Mdi->Active);
    DWORD style = mcs.style | WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                  WS_MAXIMIZEBOX;
    if (active && (active->Style & WS_MAXIMIZE)) style |= WS_MAXIMIZE;
    TRect place = DefaultPlacement(client, static_cast<int>(Documents(client, false).size()));
    int x = mcs.x == CW_USEDEFAULT ? place.Left : mcs.x;
    int y = mcs.y == CW_USEDEFAULT ? place.Top : mcs.y;
    int cx = mcs.cx == CW_USEDEFAULT ? place.Width() : mcs.cx;
    int cy = mcs.cy == CW_USEDEFAULT ? place.Height() : mcs.cy;
    HWND h = CreateWindowEx(WS_EX_MDICHILD, mcs.szClass ? mcs.szClass : "", mcs.szTitle ? mcs.szTitle : "",
                            style & ~WS_VISIBLE & ~WS_MAXIMIZE, x, y, cx, cy, client->Handle, 0,
                            reinterpret_cast<void*>(mcs.lParam));
    if (!h) return nullptr;
    if (style & WS_MAXIMIZE)
        ShowWindow(h, SW_SHOWMAXIMIZED);
    else if (style & WS_VISIBLE)
        ShowWindow(h, SW_SHOW);
    if (TWindow* c = wm.Find(h); c && (c->Style & WS_VISIBLE)) MdiActivate(client, c);
    return wm.Find(h) ? h : nullptr;
}

void Cascade(TWindow* client) {
    std::vector<TWindow*> docs = Documents(client, true);
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    std::vector<HWND> order;
    for (auto it = docs.rbegin(); it != docs.rend(); ++it)
        if (!((*it)->Style & WS_MINIMIZE)) order.push_back((*it)->Handle);
    int cw = client->Client.Width(), ch = client->Client.Height();
    int w = std::max(cw - step * static_cast<int>(order.size() - 1), cw / 2);
    int h = std::max(ch - step * static_cast<int>(order.size() - 1), ch / 2);
    int i = 0;
    for (HWND hw : order) {
        TWindow* c = WM().Find(hw);
        if (!c) continue;
        RestoreQuietly(c);
        SetWindowPos(hw, HWND_TOP, i * step, i * step, w, h, SWP_NOACTIVATE);
        ++i;
    }
}

void Tile(TWindow* client, WPARAM how) {
    std::vector<HWND> docs;
    for (TWindow* c : Documents(client, true))
        if (!(c->Style & WS_MINIMIZE) && !((how & MDITILE_SKIPDISABLED) && (c->Style & WS_DISABLED)))
            docs.push_back(c->Handle);
    int n = static_cast<int>(docs.size());
    if (!n) return;
    // Up to three windows share one direction; more make a grid.
    int lines = n <= 3 ? n : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    int rows = (how & MDITILE_HORIZONTAL) ? lines : (n + lines - 1) / lines;
    int cols = (n + rows - 1) / rows;
    rows = (n + cols - 1) / cols;
    int cw = client->Client.Width(), ch = client->Client.Height();
    for (int i = 0; i < n; ++i) {
        int col = i % cols, row = i / cols;
        // The last row shares its width among fewer windows.
        int inRow = row == rows - 1 ? n - row * cols : cols;
        int x0 = col * cw / inRow, x1 = (col + 1) * cw / inRow;
        int y0 = row * ch / rows, y1 = (row + 1) * ch / rows;
        TWindow* c = WM().Find(docs[static_cast<size_t>(i)]);
        if (!c) continue;
        RestoreQuietly(c);
        SetWindowPos(docs[static_cast<size_t>(i)], nullptr, x0, y0, x1 - x0, y1 - y0, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ArrangeIcons(TWindow* client) {
    int i = 0;
    for (TWindow* c : Documents(client, true)) {
        if (!(c->Style & WS_MINIMIZE)) continue;
        SetWindowPos(c->Handle, nullptr, i * 160, client->Client.Height() - 24, 160, 24, SWP_NOZORDER | SWP_NOACTIVATE);
        ++i;
    }
}

// The client's scroll bars cover the documents that lie outside it, and only those: with every
// document inside (or one maximised) both bars are hidden.
void UpdateClientScrollBars(TWindow* client) {
    static bool updating = false;
    if (updating || client->Destroying) return;
    updating = true;
    TRect extent{0, 0, 0, 0};
    bool maximized = false;
    for (TWindow* c : Documents(client, true)) {
        if (c->Style & WS_MAXIMIZE) maximized = true;
        extent = extent.IsEmpty() ? c->Rect : extent.Union(c->Rect);
    }
    // Twice: showing one bar takes room from the other direction.
    for (int pass = 0; pass < 2; ++pass) {
        TRect area = GetClientRect(client->Handle);
        for (int bar : {SB_HORZ, SB_VERT}) {
            bool horz = bar == SB_HORZ;
            int page = horz ? area.Width() : area.Height();
            SCROLLINFO info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (maximized || extent.IsEmpty()) {
                info.nMin = 0;
                info.nMax = 0;
                info.nPage = 1;
            } else {
                int low = std::min(0, horz ? extent.Left : extent.Top);
                int high = std::max(page, horz ? extent.Right : extent.Bottom);
                info.nMin = low;
                info.nMax = high - 1;
                info.nPage = static_cast<UINT>(std::max(page, 0));
                info.nPos = 0;
            }
            SetScrollInfo(client->Handle, bar, info, true);
        }
    }
    updating = false;
}

// Scrolling moves the documents; their new places give the bars their new ranges.
void ScrollClient(TWindow* client, int bar, int code, int thumb) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(client->Handle, bar, info)) return;
    int last = info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0);
    std::optional<int> requested =
        RequestedScrollPos(code, info.nPos, 16, static_cast<int>(info.nPage), info.nMin, last, thumb);
    if (!requested) return;
    int pos = std::clamp(*requested, info.nMin, std::max(info.nMin, last));
    int delta = pos - info.nPos;
    if (delta == 0) return;
    for (TWindow* c : Documents(client, false)) {
        TRect r = c->Rect;
        int x = bar == SB_HORZ ? r.Left - delta : r.Left;
        int y = bar == SB_VERT ? r.Top - delta : r.Top;
        SetWindowPos(c->Handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateClientScrollBars(client);
}

LRESULT MdiClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& wm = WM();
    TWindow* client = wm.Find(hwnd);
    if (!client) return 0;
    switch (msg) {
    case WM_NCCREATE:
        client->Mdi = std::make_unique<TMdiClientState>();
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_MDICREATE: {
        auto* mcs = reinterpret_cast<const MDICREATESTRUCT*>(lParam);
        if (!mcs) return 0;
        return reinterpret_cast<LRESULT>(MdiCreate(client, *mcs));
    }
    case WM_MDIACTIVATE: {
        TWindow* child = wm.Find(reinterpret_cast<HWND>(wParam));
        if (child && child->Parent == client && (child->ExStyle & WS_EX_MDICHILD)) MdiActivate(client, child);
        return 0;
    }
    case WM_MDIGETACTIVE: {
        TWindow* active = wm.Find(client->Mdi->Active);
        if (lParam) *reinterpret_cast<bool*>(lParam) = active && (active->Style & WS_MAXIMIZE);
        return reinterpret_cast<LRESULT>(H(active));
    }
    case WM_MDINEXT: {
        std::vector<TWindow*> docs = Documents(client, true);
        if (docs.size() < 2) return 0;
        TWindow* from = wParam ? wm.Find(reinterpret_cast<HWND>(wParam)) : wm.Find(client->Mdi->Active);
        if (!from) from = docs.front();
        if (lParam) {
            // Previous: the bottom window comes up.
            MdiActivate(client, docs.back());
        } else {
            auto it = std::find(docs.begin(), docs.end(), from);
            TWindow* next = (it == docs.end() || it + 1 == docs.end()) ? docs.front() : *(it + 1);
            HWND fromHandle = from->Handle;
            MdiActivate(client, next);
            if (wm.Find(fromHandle))
                SetWindowPos(fromHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return 0;
    }
    case WM_MDIMAXIMIZE: {
        HWND ch = reinterpret_cast<HWND>(wParam);
        if (TWindow* c = wm.Find(ch); c && c->Parent == client) ShowWindow(ch, SW_MAXIMIZE);
        return 0;
    }
    case WM_MDIRESTORE: {
        HWND ch = reinterpret_cast<HWND>(wParam);
        if (TWindow* c = wm.Find(ch); c && c->Parent == client) ShowWindow(ch, SW_RESTORE);
        return 0;
    }
    case WM_MDIDESTROY: {
        HWND ch = reinterpret_cast<HWND>(wParam);
        if (TWindow* c = wm.Find(ch); c && c->Parent == client) DestroyWindow(ch);
        return 0;
    }
    case WM_MDICASCADE:
        Cascade(client);
        return 1;
    case WM_MDITILE:
        Tile(client, wParam);
        return 1;
    case WM_MDIICONARRANGE:
        ArrangeIcons(client);
        return 0;
    case WM_SIZE: {
        // A maximised document keeps filling the client.
        for (TWindow* c : Documents(client, false))
            if ((c->Style & WS_MAXIMIZE) && !(c->Style & WS_MINIMIZE)) {
                // Filled again, it keeps the place it is restored to.
                TRect restore = c->RestoreRect;
                bool hasRestore = c->HasRestoreRect;
                c->Style &= ~WS_MAXIMIZE;
                ShowWindow(c->Handle, SW_SHOWMAXIMIZED);
                c->RestoreRect = restore;
                c->HasRestoreRect = hasRestore;
            }
        UpdateClientScrollBars(client);
        SyncFrame(client);
        return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollClient(client, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam),
                     static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_SETFOCUS:
        if (TWindow* active = wm.Find(client->Mdi->Active); active && (active->Style & WS_VISIBLE))
            SetFocus(active->Handle);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

void WmMdiChildHidden(TWindow* child) {
    TWindow* client = ClientOf(child);
    if (!client) return;
    if (client->Mdi->Active == child->Handle) ActivateNextVisible(client, child);
    UpdateClientScrollBars(client);
    SyncFrame(client);
}

void WmMdiChildDestroyed(TWindow* child) {
    TWindow* client = ClientOf(child);
    if (!client) return;
    auto& order = client->Mdi->Order;
    order.erase(std::remove(order.begin(), order.end(), child->Handle), order.end());
    if (client->Mdi->Active == child->Handle) {
        bool maximized = (child->Style & WS_MAXIMIZE) != 0;
        ActivateNextVisible(client, child);
        // A maximised document hands the maximised state on.
        if (maximized)
            if (TWindow* next = WM().Find(client->Mdi->Active); next && !(next->Style & WS_MAXIMIZE))
                ShowWindow(next->Handle, SW_MAXIMIZE);
        if (client->Mdi->Active == child->Handle) client->Mdi->Active = nullptr;
    }
    UpdateClientScrollBars(client);
    SyncFrame(client);
}

String WmWindowCaption(const TWindow* w) {
    if (!w) return {};
    for (const TWindow* c : w->Children)
        if (c->Mdi && c->Mdi->ShownMaximized && !c->Destroying)
            if (TWindow* shown = MaximizedActive(c); shown && shown->Handle == c->Mdi->ShownMaximized)
                return w->Text + " - [" + shown->Text + "]";
    return w->Text;
}

HWND CreateMDIWindow(const char* className, const char* title, DWORD style, int x, int y, int width, int height,
                     HWND client, LPARAM lParam) {
    TWindow* c = WM().Find(client);
    if (!c || !c->Mdi) throw EInvalidArgument("CreateMDIWindow needs an MDI client window");
    MDICREATESTRUCT mcs;
    mcs.szClass = className;
    mcs.szTitle = title;
    mcs.x = x;
    mcs.y = y;
    mcs.cx = width;
    mcs.cy = height;
    mcs.style = style;
    mcs.lParam = lParam;
    return reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

LRESULT DefFrameProc(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (IsWindow(client)) {
            TRect r = GetClientRect(hwnd);
            MoveWindow(client, 0, 0, r.Width(), r.Height(), true);
        }
        return 0;
    case WM_SETFOCUS:
        if (IsWindow(client)) {
            SetFocus(client);
            return 0;
        }
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    TWindow* client = w ? ClientOf(w) : nullptr;
    if (!w || !client) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CHILDACTIVATE:
        if (w->Style & WS_VISIBLE) MdiActivate(client, w);
        return 0;
    case WM_WINDOWPOSCHANGED:
        UpdateClientScrollBars(client);
        SyncFrame(client);
        break;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProc(hwnd, msg, wParam, lParam);
        SyncFrame(client);
        return result;
    }
    case WM_SETFOCUS:
        if (client->Mdi->Active != hwnd && (w->Style & WS_VISIBLE)) MdiActivate(client, w);
        return 0;
    case WM_CLOSE:
        SendMessage(client->Handle, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
            SendMessage(client->Handle, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hwnd), 0);
            return 0;
        case SC_RESTORE:
            SendMessage(client->Handle, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hwnd), 0);
            return 0;
        case SC_NEXTWINDOW:
            SendMessage(client->Handle, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 0);
            return 0;
        case SC_PREVWINDOW:
            SendMessage(client->Handle, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 1);
            return 0;
        }
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool TranslateMDISysAccel(HWND client, const TMsg& msg) {
    auto& wm = WM();
    TWindow* c = wm.Find(client);
    if (!c || !c->Mdi || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    WPARAM command = 0;
    if (msg.wParam == static_cast<WPARAM>(VK_F4))
        command = SC_CLOSE;
    else if (msg.wParam == static_cast<WPARAM>(VK_F6))
        command = GetKeyState(VK_SHIFT) < 0 ? SC_PREVWINDOW : SC_NEXTWINDOW;
    else
        return false;
    // Only keys typed in the frame count (not those of a dialog or another window).
    TWindow* target = wm.Find(msg.hwnd);
    if (!target || wm.TopLevelOf(target) != wm.TopLevelOf(c)) return false;
    TWindow* active = wm.Find(c->Mdi->Active);
    if (!active || (active->Style & WS_DISABLED)) return false;
    SendMessage(active->Handle, WM_SYSCOMMAND, command, static_cast<LPARAM>(msg.wParam));
    return true;
}

void RegisterSystemClasses() {
    WNDCLASS wc;
    if (GetClassInfo(MDICLIENT, wc)) return;
    wc.style = 0;
    wc.lpfnWndProc = MdiClientProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = ColorIndexBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = MDICLIENT;
    RegisterClass(wc);
}

} // namespace dw
