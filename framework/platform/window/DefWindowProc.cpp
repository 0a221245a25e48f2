// DefWindowProc: the classic default handling of every message a window procedure passes on.
#include "framework/platform/gdi/SysColors.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"

#include <cstring>

namespace dw {

namespace {

HCURSOR CursorForHit(int hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM:
        return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
    case HTSIZE:
        return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return LoadCursor(nullptr, IDC_SIZENESW);
    }
    return LoadCursor(nullptr, IDC_ARROW);
}

LRESULT DefSetCursor(TWindowManager& wm, TWindow* w, WPARAM wParam, LPARAM lParam) {
    // The parent has the first say, as it always had.
    if (w->IsChild() && w->Parent && w->Parent != wm.Desktop()) {
        if (wm.Send(w->Parent, WM_SETCURSOR, wParam, lParam)) return 1;
        if (w->Destroyed) return 1;
    }
    // Asked on behalf of a child: the child decides on its own shape.
    if (reinterpret_cast<HWND>(wParam) != w->Handle) return 0;
    int hit = LoWordSigned(lParam);
    if (hit == HTCLIENT) {
        if (w->Class && w->Class->Cursor) {
            SetCursor(w->Class->Cursor);
            return 1;
        }
        return 0;
    }
    if (hit == HTERROR) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return 1;
    }
    SetCursor(CursorForHit(hit));
    return 1;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName) w->Text = cs->lpszName;
        return 1;
    }
    case WM_NCCALCSIZE:
        return DefNcCalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST:
        return DefNcHitTest(hwnd, PointFromLParam(lParam));
    case WM_NCPAINT:
        DefNcPaint(hwnd);
        return 0;
    case WM_NCACTIVATE:
        w->NcActive = wParam != 0;
        if (WmCanDraw(w)) DefNcPaint(hwnd);
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(HIWORD(wParam)) && !(w->Style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        w->Text = text ? text : "";
        if (w->Native) wm.Backend().SetNativeWindowTitle(w->Native, WmWindowCaption(w));
        if ((w->Style & WS_CAPTION) == WS_CAPTION && WmCanDraw(w)) DefNcPaint(hwnd);
        return 1;
    }
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam) return 0;
        char* buffer = reinterpret_cast<char*>(lParam);
        std::size_t n = std::min<std::size_t>(wParam - 1, w->Text.size());
        std::memcpy(buffer, w->Text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->Text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, ps);
        EndPaint(hwnd, ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = w->Class ? w->Class->Background : nullptr;
        if (!brush) return 0;
        TRect r{0, 0, w->Client.Width(), w->Client.Height()};
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    case WM_SETREDRAW:
        w->Redraw = wParam != 0;
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETCURSOR:
        return DefSetCursor(wm, w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (w->IsChild() && w->Parent && w->Parent != wm.Desktop()) {
            LRESULT r = wm.Send(w->Parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_RBUTTONUP: {
        // A right click asks for a context menu at the cursor (screen coordinates).
        TPoint p = wm.ClientToScreen(w, PointFromLParam(lParam));
        wm.Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), PointToLParam(p));
        return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The menu key and Shift+F10 ask for a context menu at no particular point (-1, -1).
        if (wParam == static_cast<WPARAM>(VK_APPS) ||
            (wParam == static_cast<WPARAM>(VK_F10) && GetKeyState(VK_SHIFT) < 0))
            wm.Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
        return 0;
    case WM_CONTEXTMENU:
        if (w->IsChild() && w->Parent && w->Parent != wm.Desktop()) return wm.Send(w->Parent, msg, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (w->IsChild() && w->Parent && w->Parent != wm.Desktop()) return wm.Send(w->Parent, msg, wParam, lParam);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos) return 0;
        if (!(pos->flags & SWP_NOMOVE)) {
            TPoint p = w->Rect.TopLeft() + w->Client.TopLeft();
            wm.Send(w, WM_MOVE, 0, MAKELPARAM(p.X, p.Y));
        }
        if (!(pos->flags & SWP_NOSIZE) && !w->Destroyed) {
            WPARAM kind = (w->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                          : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                     : SIZE_RESTORED;
            wm.Send(w, WM_SIZE, kind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
        }
        return 0;
    }
    case WM_CANCELMODE:
        if (wm.FTrack.Kind != TTrackState::None && wm.FTrack.Hwnd == hwnd) WmEndTracking(true);
        if (wm.FCapture == w) ReleaseCapture();
        return 0;
    case WM_NCLBUTTONDOWN: {
        int hit = static_cast<int>(wParam);
        switch (hit) {
        case HTCAPTION:
            if (!(w->Style & WS_MAXIMIZE)) wm.Send(w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
            break;
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOM:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            wm.Send(w, WM_SYSCOMMAND, SC_SIZE + static_cast<WPARAM>(hit - HTLEFT + 1), lParam);
            break;
        case HTSIZE:
            wm.Send(w, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, lParam);
            break;
        case HTCLOSE:
        case HTMINBUTTON:
        case HTMAXBUTTON:
            WmBeginCaptionButton(w, hit);
            break;
        case HTVSCROLL:
            wm.Send(w, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lParam);
            break;
        case HTHSCROLL:
            wm.Send(w, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lParam);
            break;
        }
        return 0;
    }
    case WM_NCLBUTTONDBLCLK: {
        int hit = static_cast<int>(wParam);
        if (hit == HTCAPTION && (w->Style & WS_MAXIMIZEBOX))
            wm.Send(w, WM_SYSCOMMAND, (w->Style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        else if (hit == HTSYSMENU && (w->Style & WS_SYSMENU))
            wm.Send(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
        else if (hit == HTVSCROLL || hit == HTHSCROLL)
            // A quick second click on a scroll bar acts like another press.
            return DefWindowProc(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
        return 0;
    }
    case WM_SYSCOMMAND: {
        WPARAM cmd = wParam & 0xFFF0;
        switch (cmd) {
        case SC_MOVE:
            BeginMoveSize(hwnd, HTCAPTION);
            break;
        case SC_SIZE: {
            int edge = static_cast<int>(wParam & 0x0F);
            if (edge >= 1 && edge <= 8) BeginMoveSize(hwnd, HTLEFT + edge - 1);
            break;
        }
        case SC_CLOSE:
            if (!(w->Class && (w->Class->Style & CS_NOCLOSE))) wm.Send(w, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        case SC_VSCROLL:
            WmBeginScrollTrack(w, SB_VERT, PointFromLParam(lParam));
            break;
        case SC_HSCROLL:
            WmBeginScrollTrack(w, SB_HORZ, PointFromLParam(lParam));
            break;
        }
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & (LPARAM(1) << 29))) {
            TWindow* top = wm.TopLevelOf(w);
            wm.Send(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_PRINT: {
        // Paints the window (and with PRF_CHILDREN its children) into a DC with the window's
        // top-left corner at the DC's origin: what a control's picture of itself is made from.
        HDC dc = reinterpret_cast<HDC>(wParam);
        if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return 0;
        int saved = SaveDC(dc);
        struct TRestore {
            HDC dc;
            int saved;
            ~TRestore() { RestoreDC(dc, saved); }
        } restore{dc, saved};
        if (lParam & PRF_NONCLIENT) {
            SaveDC(dc);
            ExcludeClipRect(dc, w->Client.Left, w->Client.Top, w->Client.Right, w->Client.Bottom);
            WmDrawFrame(dc, w);
            RestoreDC(dc, -1);
        }
        OffsetViewportOrgEx(dc, w->Client.Left, w->Client.Top, nullptr);
        IntersectClipRect(dc, 0, 0, w->Client.Width(), w->Client.Height());
        if (lParam & PRF_ERASEBKGND) wm.Send(w, WM_ERASEBKGND, wParam, 0);
        if ((lParam & PRF_CLIENT) && !w->Destroyed) wm.Send(w, WM_PRINTCLIENT, wParam, lParam);
        if ((lParam & PRF_CHILDREN) && !w->Destroyed) {
            std::vector<HWND> kids;
            for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
                if ((*it)->Style & WS_VISIBLE) kids.push_back((*it)->Handle);
            for (HWND k : kids) {
                TWindow* c = wm.Find(k);
                if (!c) continue;
                TRect pr = wm.PhysicalRectInParent(c);
                SaveDC(dc);
                OffsetViewportOrgEx(dc, pr.Left, pr.Top, nullptr);
                IntersectClipRect(dc, 0, 0, pr.Width(), pr.Height());
                wm.Send(c, WM_PRINT, wParam, lParam & ~PRF_CHECKVISIBLE);
                RestoreDC(dc, -1);
            }
        }
        return 0;
    }
    case WM_SHOWWINDOW:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    case WM_CHILDACTIVATE:
    case WM_GETDLGCODE:
    case WM_NCDESTROY:
    case WM_DESTROY:
    case WM_CREATE:
    default:
        return 0;
    }
}

} // namespace dw
