// Frames: metrics, layout, WM_NCCALCSIZE, hit testing, painting, caption buttons and the
// interactive move and size loops.
#include "framework/platform/window/NonClient.h"

#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

namespace {
constexpr int CaptionHeight = 19; // bar plus the line under it
constexpr int SmallCaptionHeight = 15;
constexpr int ScrollSize = 16;
constexpr int ThickFrame = 4;
constexpr int DialogFrame = 3;
} // namespace

int GetSystemMetrics(int index) {
    TSize screen = WM().Backend().ScreenSize();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screen.cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return ScrollSize;
    case SM_CYCAPTION:
        return CaptionHeight;
    case SM_CYSMCAPTION:
        return SmallCaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return DialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return ThickFrame;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_CXSIZE:
        return 18;
    case SM_CYSIZE:
        return 18;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return 14;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return DoubleClickBox;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
        return 1;
    case SM_SWAPBUTTON:
        return 0;
    }
    return 0;
}

namespace {
int FrameOf(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return ThickFrame;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return DialogFrame;
    if (style & WS_BORDER) return 1;
    return 0;
}

int EdgeOf(DWORD exStyle) {
    if (exStyle & WS_EX_CLIENTEDGE) return 2;
    if (exStyle & WS_EX_STATICEDGE) return 1;
    return 0;
}

TRect Mirror(const TRect& r, int width) {
    if (r.IsEmpty()) return r;
    return {width - r.Right, r.Top, width - r.Left, r.Bottom};
}

TNonClientLayout Layout(DWORD style, DWORD exStyle, int width, int height, bool vscroll, bool hscroll, bool rtl,
                        int menuHeight) {
    TNonClientLayout l;
    TRect r{0, 0, width, height};
    l.Frame = FrameOf(style, exStyle);
    l.Sizing = (style & WS_THICKFRAME) != 0;
    r = r.Inflate(-l.Frame, -l.Frame);
    if ((style & WS_CAPTION) == WS_CAPTION) {
        bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
        int h = tool ? SmallCaptionHeight : CaptionHeight;
        l.Caption = {r.Left, r.Top, r.Right, r.Top + h - 1};
        r.Top += h;
        int bh = l.Caption.Height() - 4;
        int bw = bh + 2;
        int y = l.Caption.Top + 2;
        int x = l.Caption.Right - 2;
        if (style & WS_SYSMENU) {
            l.CloseButton = {x - bw, y, x, y + bh};
            x -= bw + 2;
            if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
                l.MaxButton = {x - bw, y, x, y + bh};
                x -= bw;
                l.MinButton = {x - bw, y, x, y + bh};
            }
            if (!tool) l.SysMenu = {l.Caption.Left + 2, y, l.Caption.Left + 2 + bh, y + bh};
        }
    }
    // The menu bar spans the frame's inside, above the client edge and the scroll bars.
    if (style & WS_CHILD) menuHeight = 0;
    menuHeight = std::clamp(menuHeight, 0, std::max(0, r.Height()));
    l.MenuBar = {r.Left, r.Top, r.Right, r.Top + menuHeight};
    r.Top += menuHeight;
    l.Edge = EdgeOf(exStyle);
    l.EdgeRect = r;
    r = r.Inflate(-l.Edge, -l.Edge);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    bool leftBar = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (vscroll && r.Width() >= ScrollSize) {
        l.VScroll = leftBar ? TRect{r.Left, r.Top, r.Left + ScrollSize, r.Bottom}
                            : TRect{r.Right - ScrollSize, r.Top, r.Right, r.Bottom};
        if (leftBar)
            r.Left += ScrollSize;
        else
            r.Right -= ScrollSize;
    }
    if (hscroll && r.Height() >= ScrollSize) {
        l.HScroll = {r.Left, r.Bottom - ScrollSize, r.Right, r.Bottom};
        r.Bottom -= ScrollSize;
        if (!l.VScroll.IsEmpty()) {
            l.VScroll.Bottom = r.Bottom;
            l.SizeBox = {l.VScroll.Left, r.Bottom, l.VScroll.Right, r.Bottom + ScrollSize};
        }
    }
    l.Client = r;
    if (style & WS_MINIMIZE) l.Client = {r.Left, r.Top, r.Left, r.Top};
    if (rtl) {
        for (TRect* part : {&l.Caption, &l.SysMenu, &l.MinButton, &l.MaxButton, &l.CloseButton, &l.MenuBar, &l.EdgeRect,
                            &l.VScroll, &l.HScroll, &l.SizeBox, &l.Client})
            *part = Mirror(*part, width);
    }
    return l;
}

HFONT CaptionFont(bool small) {
    static HFONT normal = nullptr;
    static HFONT tool = nullptr;
    HFONT& f = small ? tool : normal;
    if (!f)
        f = CreateFont(small ? -10 : -11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY,
                       DEFAULT_PITCH, "MS Sans Serif");
    return f;
}
} // namespace

TNonClientLayout WmLayout(const TWindow* w, int width, int height) {
    return Layout(w->Style, w->ExStyle, width, height, (w->Style & WS_VSCROLL) != 0, (w->Style & WS_HSCROLL) != 0,
                  w->IsRtl(), w->MenuBarHeight);
}

TRect WmNcInsets(const TWindow* w, const TRect& windowRect) {
    TNonClientLayout l = WmLayout(w, windowRect.Width(), windowRect.Height());
    return {l.Client.Left, l.Client.Top, windowRect.Width() - l.Client.Right, windowRect.Height() - l.Client.Bottom};
}

TNonClientLayout GetNonClientLayout(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return {};
    return WmLayout(w, w->Rect.Width(), w->Rect.Height());
}

TNonClientLayout GetNonClientLayout(HWND hwnd, int width, int height) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return {};
    return WmLayout(w, std::max(width, 0), std::max(height, 0));
}

void SetMenuBarHeight(HWND hwnd, int height, bool relayout) {
    TWindow* w = WM().Find(hwnd);
    height = std::max(height, 0);
    if (!w || w->MenuBarHeight == height) return;
    w->MenuBarHeight = height;
    if (relayout)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int GetMenuBarHeight(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && !(w->Style & WS_CHILD) ? w->MenuBarHeight : 0;
}

bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle) {
    if ((style & WS_DLGFRAME) || (style & WS_THICKFRAME)) exStyle |= WS_EX_WINDOWEDGE;
    // Lay out a large window and grow the rectangle by the frame found.
    TNonClientLayout l = Layout(style, exStyle, 1000, 1000, (style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0, false,
                                menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect.Left -= l.Client.Left;
    rect.Top -= l.Client.Top;
    rect.Right += 1000 - l.Client.Right;
    rect.Bottom += 1000 - l.Client.Bottom;
    return true;
}

LRESULT DefNcCalcSize(HWND hwnd, WPARAM, LPARAM lParam) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !lParam) return 0;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    TRect win = params->rgrc[0];
    TNonClientLayout l = WmLayout(w, win.Width(), win.Height());
    params->rgrc[0] = l.Client.Offset(win.Left, win.Top);
    return 0;
}

LRESULT DefNcHitTest(HWND hwnd, TPoint screen) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return HTNOWHERE;
    TPoint p = screen - wm.WindowOrigin(w);
    int width = w->Rect.Width(), height = w->Rect.Height();
    if (!TRect{0, 0, width, height}.Contains(p)) return HTNOWHERE;
    if (w->Shape && !w->Shape->Contains(p)) return HTNOWHERE;
    TNonClientLayout l = WmLayout(w, width, height);
    if (l.Client.Contains(p)) return HTCLIENT;
    if (w->Style & WS_MINIMIZE) return HTCAPTION;
    int f = l.Frame;
    bool inFrame = p.X < f || p.Y < f || p.X >= width - f || p.Y >= height - f;
    if (inFrame) {
        if (!l.Sizing || (w->Style & WS_MAXIMIZE)) return HTBORDER;
        int corner = GetSystemMetrics(SM_CXSIZE) + f;
        bool left = p.X < f, right = p.X >= width - f, top = p.Y < f, bottom = p.Y >= height - f;
        if (top) return p.X < corner ? HTTOPLEFT : p.X >= width - corner ? HTTOPRIGHT : HTTOP;
        if (bottom) return p.X < corner ? HTBOTTOMLEFT : p.X >= width - corner ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return p.Y < corner ? HTTOPLEFT : p.Y >= height - corner ? HTBOTTOMLEFT : HTLEFT;
        if (right) return p.Y < corner ? HTTOPRIGHT : p.Y >= height - corner ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (l.MenuBar.Contains(p)) return HTMENU;
    if (l.CloseButton.Contains(p)) return HTCLOSE;
    if (l.MaxButton.Contains(p)) return HTMAXBUTTON;
    if (l.MinButton.Contains(p)) return HTMINBUTTON;
    if (l.SysMenu.Contains(p)) return HTSYSMENU;
    if (l.Caption.Inflate(0, 0).Contains(p) ||
        (!l.Caption.IsEmpty() && p.Y < l.Caption.Bottom + 1 && p.Y >= l.Caption.Top))
        return HTCAPTION;
    if (l.VScroll.Contains(p)) return HTVSCROLL;
    if (l.HScroll.Contains(p)) return HTHSCROLL;
    if (l.SizeBox.Contains(p)) return (l.Sizing && !(w->Style & WS_MAXIMIZE)) ? HTSIZE : HTNOWHERE;
    return HTBORDER;
}

void WmDrawFrame(HDC dc, TWindow* w) {
    int width = w->Rect.Width(), height = w->Rect.Height();
    TNonClientLayout l = WmLayout(w, width, height);
    TRect r{0, 0, width, height};
    if (w->Style & WS_THICKFRAME) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        FrameRect(dc, &r, GetSysColorBrush(w->NcActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
        r = r.Inflate(-1, -1);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else if ((w->Style & WS_DLGFRAME) || (w->ExStyle & WS_EX_DLGMODALFRAME)) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else if (w->Style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if (!l.Caption.IsEmpty()) {
        bool active = w->NcActive;
        DrawCaptionBackground(dc, l.Caption, active);
        TRect line{l.Caption.Left, l.Caption.Bottom, l.Caption.Right, l.Caption.Bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
        bool tool = (w->ExStyle & WS_EX_TOOLWINDOW) != 0;
        TRect textRect = l.Caption;
        textRect.Left += l.SysMenu.IsEmpty() ? 3 : l.SysMenu.Width() + 5;
        int rightmost = l.Caption.Right;
        for (const TRect& b : {l.MinButton, l.MaxButton, l.CloseButton})
            if (!b.IsEmpty()) rightmost = std::min(rightmost, b.Left);
        textRect.Right = rightmost - 2;
        if (w->IsRtl()) {
            textRect = l.Caption;
            textRect.Right -= l.SysMenu.IsEmpty() ? 3 : l.SysMenu.Width() + 5;
            int leftmost = l.Caption.Left;
            for (const TRect& b : {l.MinButton, l.MaxButton, l.CloseButton})
                if (!b.IsEmpty()) leftmost = std::max(leftmost, b.Right);
            textRect.Left = leftmost + 2;
        }
        if (!l.SysMenu.IsEmpty()) {
            // A small window glyph where the system menu icon goes.
            TRect icon = l.SysMenu.Inflate(-1, -1);
            FillRect(dc, &icon, GetSysColorBrush(COLOR_WINDOW));
            FrameRect(dc, &icon, GetSysColorBrush(COLOR_WINDOWTEXT));
            TRect bar{icon.Left, icon.Top, icon.Right, icon.Top + 3};
            FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
        }
        HGDIOBJ oldFont = SelectObject(dc, CaptionFont(tool));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawText(dc, WmWindowCaption(w), &textRect,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (w->IsRtl() ? DT_RIGHT : DT_LEFT));
        SelectObject(dc, oldFont);
        auto button = [&](TRect b, UINT kind, int hit) {
            if (b.IsEmpty()) return;
            UINT state = kind | (w->NcButtonDown == hit ? DFCS_PUSHED : 0u);
            DrawFrameControl(dc, &b, DFC_CAPTION, state);
        };
        button(l.MinButton, DFCS_CAPTIONMIN, HTMINBUTTON);
        button(l.MaxButton, (w->Style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON);
        button(l.CloseButton, DFCS_CAPTIONCLOSE, HTCLOSE);
    }
    // The bar's owner draws the items over this.
    if (!l.MenuBar.IsEmpty()) FillRect(dc, &l.MenuBar, GetSysColorBrush(COLOR_MENU));
    if (l.Edge) {
        TRect e = l.EdgeRect;
        if (w->ExStyle & WS_EX_CLIENTEDGE)
            DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT);
        else
            DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    WmDrawScrollBars(dc, w, l);
}

void DefNcPaint(HWND hwnd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || !WmCanDraw(w)) return;
    int width = w->Rect.Width(), height = w->Rect.Height();
    TNonClientLayout l = WmLayout(w, width, height);
    if (l.Client == TRect{0, 0, width, height}) return;
    // The frame only: the client area belongs to the window's own painting.
    HRGN clip = CreateRectRgn(l.Client.Left, l.Client.Top, l.Client.Right, l.Client.Bottom);
    HDC dc = GetDCEx(hwnd, clip, DCX_WINDOW | DCX_EXCLUDERGN | ((w->Style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0u));
    if (!dc) return;
    struct TRelease {
        HWND h;
        HDC dc;
        ~TRelease() { ReleaseDC(h, dc); }
    } release{hwnd, dc};
    WmDrawFrame(dc, w);
}

// ---------------------------------------------------------------------------------------------
// The loops

namespace {

TPoint MinTrackSize(TWindow* w) {
    MINMAXINFO mmi;
    bool captioned = (w->Style & WS_CAPTION) == WS_CAPTION;
    TRect insets = WmNcInsets(w, {0, 0, 1000, 1000});
    mmi.ptMinTrackSize = captioned ? TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}
                                   : TPoint{insets.Left + insets.Right + 1, insets.Top + insets.Bottom + 1};
    TSize screen = WM().Backend().ScreenSize();
    mmi.ptMaxTrackSize = {screen.cx + 2 * ThickFrame + 100, screen.cy + 2 * ThickFrame + 100};
    mmi.ptMaxSize = {screen.cx, screen.cy};
    WM().Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi.ptMinTrackSize;
}

void ApplyRect(TWindow* w, const TRect& screenRect) {
    auto& wm = WM();
    TRect r = screenRect;
    if (!wm.IsTopLevel(w)) MapWindowRect(nullptr, w->Parent->Handle, r);
    SetWindowPos(w->Handle, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveSizeInput(const TBackendEvent& e) {
    auto& wm = WM();
    TTrackState& t = wm.FTrack;
    TWindow* w = wm.Find(t.Hwnd);
    if (!w) {
        WmEndTracking(true);
        return;
    }
    if (e.kind == TBackendEvent::KeyDown && e.key == VK_ESCAPE) {
        WmEndTracking(true);
        return;
    }
    if (e.kind == TBackendEvent::MouseUp) {
        WmEndTracking(false);
        return;
    }
    if (e.kind != TBackendEvent::MouseMove) return;
    int dx = e.pos.X - t.StartCursor.X;
    int dy = e.pos.Y - t.StartCursor.Y;
    TRect r = t.StartRect;
    if (t.Hit == HTCAPTION) {
        r = r.Offset(dx, dy);
        wm.Send(w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    } else {
        TPoint minSize = MinTrackSize(w);
        if (!wm.Find(t.Hwnd)) return;
        bool left = t.Hit == HTLEFT || t.Hit == HTTOPLEFT || t.Hit == HTBOTTOMLEFT;
        bool right = t.Hit == HTRIGHT || t.Hit == HTTOPRIGHT || t.Hit == HTBOTTOMRIGHT || t.Hit == HTSIZE;
        bool top = t.Hit == HTTOP || t.Hit == HTTOPLEFT || t.Hit == HTTOPRIGHT;
        bool bottom = t.Hit == HTBOTTOM || t.Hit == HTBOTTOMLEFT || t.Hit == HTBOTTOMRIGHT || t.Hit == HTSIZE;
        if (left) r.Left = std::min(r.Left + dx, r.Right - minSize.X);
        if (right) r.Right = std::max(r.Right + dx, r.Left + minSize.X);
        if (top) r.Top = std::min(r.Top + dy, r.Bottom - minSize.Y);
        if (bottom) r.Bottom = std::max(r.Bottom + dy, r.Top + minSize.Y);
        WPARAM edge = t.Hit == HTSIZE ? WMSZ_BOTTOMRIGHT : static_cast<WPARAM>(t.Hit - HTLEFT + 1);
        wm.Send(w, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
    }
    if (!wm.Find(t.Hwnd) || wm.FTrack.Kind != TTrackState::MoveSize) return;
    if (r != t.CurrentRect) {
        t.CurrentRect = r;
        ApplyRect(w, r);
    }
}

void CaptionButtonInput(const TBackendEvent& e) {
    auto& wm = WM();
    TTrackState& t = wm.FTrack;
    TWindow* w = wm.Find(t.Hwnd);
    if (!w) {
        WmEndTracking(true);
        return;
    }
    if (e.kind == TBackendEvent::KeyDown && e.key == VK_ESCAPE) {
        WmEndTracking(true);
        return;
    }
    bool over = DefNcHitTest(t.Hwnd, e.pos) == t.Hit;
    if (e.kind == TBackendEvent::MouseUp) {
        int hit = t.Hit;
        HWND h = t.Hwnd;
        WmEndTracking(false);
        if (!over || !wm.Find(h)) return;
        WPARAM cmd = hit == HTCLOSE       ? SC_CLOSE
                     : hit == HTMINBUTTON ? SC_MINIMIZE
                                          : (IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE);
        wm.Send(h, WM_SYSCOMMAND, cmd, PointToLParam(e.pos));
        return;
    }
    int shown = over ? t.Hit : 0;
    if (w->NcButtonDown != shown) {
        w->NcButtonDown = shown;
        DefNcPaint(t.Hwnd);
    }
}

} // namespace

void BeginMoveSize(HWND hwnd, int hit) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || wm.FTrack.Kind != TTrackState::None) return;
    if (!(wm.FAsyncKeyState[VK_LBUTTON] & 0x80)) return; // the loop follows a held button
    TTrackState t;
    t.Kind = TTrackState::MoveSize;
    t.Hwnd = hwnd;
    t.Hit = hit;
    t.StartCursor = wm.FCursorPos;
    t.StartRect = wm.ScreenRect(w);
    t.CurrentRect = t.StartRect;
    wm.FTrack = t;
    SetCapture(hwnd);
    if (!wm.Find(hwnd)) return;
    wm.Send(w, WM_ENTERSIZEMOVE, 0, 0);
    if (wm.FTrack.Kind == TTrackState::MoveSize) wm.FTrack.Started = true;
}

void WmBeginCaptionButton(TWindow* w, int hit) {
    auto& wm = WM();
    if (wm.FTrack.Kind != TTrackState::None) return;
    TTrackState t;
    t.Kind = TTrackState::CaptionButton;
    t.Hwnd = w->Handle;
    t.Hit = hit;
    wm.FTrack = t;
    SetCapture(w->Handle);
    w->NcButtonDown = hit;
    DefNcPaint(w->Handle);
}

void WmQueueTrackInput(const TBackendEvent& e) {
    auto& wm = WM();
    wm.FTrackInput.push_back(e);
    TMsg m;
    m.hwnd = wm.FTrack.Hwnd;
    m.message = WM_SYSTRACK;
    m.time = e.time;
    m.pt = e.pos;
    wm.FInputMsgs.push_back(m);
}

void WmTrackStep(const TMsg& msg) {
    auto& wm = WM();
    if (msg.lParam == 1) {
        // An auto-repeat tick of the scroll bar loop.
        if (wm.FTrack.Kind == TTrackState::ScrollBar && wm.FTrack.RepeatTimer == msg.wParam) {
            {
                auto undo = ScopeFail([&] { WmEndTracking(true); });
                WmScrollTrackInput(nullptr);
            }
        }
        return;
    }
    if (wm.FTrackInput.empty()) return;
    TBackendEvent e = wm.FTrackInput.front();
    wm.FTrackInput.pop_front();
    if (wm.FTrack.Kind == TTrackState::None) return;
    {
        // A failing window procedure ends the loop; the window stays where the last step put it.
        auto undo = ScopeFail([&] { WmEndTracking(false); });
        switch (wm.FTrack.Kind) {
        case TTrackState::MoveSize:
            MoveSizeInput(e);
            break;
        case TTrackState::CaptionButton:
            CaptionButtonInput(e);
            break;
        case TTrackState::ScrollBar:
            if (e.kind == TBackendEvent::KeyDown && e.key == VK_ESCAPE)
                WmEndTracking(true);
            else
                WmScrollTrackInput(&e);
            break;
        default:
            break;
        }
    }
}

void WmEndTracking(bool cancelled) {
    auto& wm = WM();
    TTrackState t = wm.FTrack;
    if (t.Kind == TTrackState::None) return;
    if (t.Kind == TTrackState::ScrollBar) {
        WmEndScrollTrack(cancelled);
        return;
    }
    wm.FTrack = TTrackState{};
    wm.FTrackInput.clear();
    TWindow* w = wm.Find(t.Hwnd);
    // Later steps can fail too; the state above is already clean.
    if (w && t.Kind == TTrackState::MoveSize && cancelled && t.CurrentRect != t.StartRect) ApplyRect(w, t.StartRect);
    if (w && t.Kind == TTrackState::CaptionButton && w->NcButtonDown) {
        w->NcButtonDown = 0;
        DefNcPaint(t.Hwnd);
    }
    if (wm.FCapture && wm.FCapture->Handle == t.Hwnd) ReleaseCapture();
    if (w && !w->Destroyed && t.Kind == TTrackState::MoveSize && t.Started) wm.Send(w, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace dw
