// Window scroll bars: their state, geometry and drawing, and the loop that follows the mouse on them.
#include "framework/platform/window/ScrollBar.h"

#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"

#include <algorithm>

namespace dw {

namespace {

enum TPart { PartNone = 0, PartArrowUp, PartPageUp, PartThumb, PartPageDown, PartArrowDown };

TScrollBarState* BarState(TWindow* w, int bar) {
    if (bar == SB_VERT) return &w->VScroll;
    if (bar == SB_HORZ) return &w->HScroll;
    return nullptr;
}

int MaxPos(const TScrollBarState& s) {
    return std::max(s.Min, s.Max - std::max(s.Page - 1, 0));
}

bool CanScroll(const TScrollBarState& s) {
    return s.Max > s.Min && (s.Page == 0 || s.Page <= s.Max - s.Min);
}

struct TBarGeometry {
    bool Vertical = true;
    TRect Bar;
    TRect ArrowUp, ArrowDown, Track, Thumb;
    int TrackStart = 0, TrackLength = 0, ThumbStart = 0, ThumbLength = 0;
};

TBarGeometry Geometry(const TScrollBarState& s, const TRect& bar, bool vertical, bool tracking) {
    TBarGeometry g;
    g.Vertical = vertical;
    g.Bar = bar;
    int length = vertical ? bar.Height() : bar.Width();
    int arrow = std::min(GetSystemMetrics(SM_CYVSCROLL), length / 2);
    if (vertical) {
        g.ArrowUp = {bar.Left, bar.Top, bar.Right, bar.Top + arrow};
        g.ArrowDown = {bar.Left, bar.Bottom - arrow, bar.Right, bar.Bottom};
        g.Track = {bar.Left, bar.Top + arrow, bar.Right, bar.Bottom - arrow};
        g.TrackStart = g.Track.Top;
        g.TrackLength = g.Track.Height();
    } else {
        g.ArrowUp = {bar.Left, bar.Top, bar.Left + arrow, bar.Bottom};
        g.ArrowDown = {bar.Right - arrow, bar.Top, bar.Right, bar.Bottom};
        g.Track = {bar.Left + arrow, bar.Top, bar.Right - arrow, bar.Bottom};
        g.TrackStart = g.Track.Left;
        g.TrackLength = g.Track.Width();
    }
    if (!CanScroll(s) || (s.DisabledArrows == ESB_DISABLE_BOTH)) return g;
    int range = s.Max - s.Min + 1;
    int thumb = s.Page > 0 ? static_cast<int>(static_cast<long long>(g.TrackLength) * s.Page / range)
                           : GetSystemMetrics(SM_CYVTHUMB);
    thumb = std::max(thumb, 8);
    if (thumb >= g.TrackLength) return g;
    int pos = tracking ? s.TrackPos : s.Pos;
    int span = MaxPos(s) - s.Min;
    int offset = span > 0 ? static_cast<int>(static_cast<long long>(g.TrackLength - thumb) * (pos - s.Min) / span) : 0;
    g.ThumbStart = g.TrackStart + offset;
    g.ThumbLength = thumb;
    g.Thumb = vertical ? TRect{bar.Left, g.ThumbStart, bar.Right, g.ThumbStart + thumb}
                       : TRect{g.ThumbStart, bar.Top, g.ThumbStart + thumb, bar.Bottom};
    return g;
}

int PartAt(const TBarGeometry& g, TPoint p) {
    if (!g.Bar.Contains(p)) return PartNone;
    if (g.ArrowUp.Contains(p)) return PartArrowUp;
    if (g.ArrowDown.Contains(p)) return PartArrowDown;
    if (g.ThumbLength == 0) return PartNone;
    if (g.Thumb.Contains(p)) return PartThumb;
    int axis = g.Vertical ? p.Y : p.X;
    return axis < g.ThumbStart ? PartPageUp : PartPageDown;
}

TRect BarRect(TWindow* w, int bar) {
    TNonClientLayout l = WmLayout(w, w->Rect.Width(), w->Rect.Height());
    return bar == SB_VERT ? l.VScroll : l.HScroll;
}

void RedrawFrame(TWindow* w) {
    if (!WmCanDraw(w)) return;
    DefNcPaint(w->Handle);
}

void ShowBar(TWindow* w, int bar, bool show) {
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    bool shown = (w->Style & bit) != 0;
    if (shown == show) return;
    if (show)
        w->Style |= bit;
    else
        w->Style &= ~bit;
    SetWindowPos(w->Handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH TrackBrush() {
    // The classic dithered track: highlight and face in a checker pattern.
    static HBRUSH brush = nullptr;
    static COLORREF made[2] = {CLR_INVALID, CLR_INVALID};
    COLORREF a = GetSysColor(COLOR_BTNHIGHLIGHT), b = GetSysColor(COLOR_BTNFACE);
    if (!brush || made[0] != a || made[1] != b) {
        if (brush) DeleteObject(brush);
        std::uint32_t bits[64];
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                COLORREF c = ((x + y) & 1) ? a : b;
                bits[y * 8 + x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                                  (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
            }
        TGdiHandle bmp(CreateBitmap(8, 8, 1, 32, bits));
        brush = CreatePatternBrush(bmp);
        made[0] = a;
        made[1] = b;
    }
    return brush;
}

void DrawBar(HDC dc, TWindow* w, int bar, const TRect& rect) {
    auto& wm = WM();
    TScrollBarState& s = *BarState(w, bar);
    bool vertical = bar == SB_VERT;
    bool tracking = wm.FTrack.Kind == TTrackState::ScrollBar && wm.FTrack.Hwnd == w->Handle && wm.FTrack.Bar == bar;
    TBarGeometry g = Geometry(s, rect, vertical, tracking && s.Tracking);
    int pressed = tracking && wm.FTrack.Pressed ? wm.FTrack.Part : PartNone;
    bool disabled = !CanScroll(s) || s.DisabledArrows == ESB_DISABLE_BOTH;
    UINT flat = w->FlatScrollBars ? DFCS_FLAT : 0u;
    TRect up = g.ArrowUp, down = g.ArrowDown;
    DrawFrameControl(dc, &up, DFC_SCROLL,
                     (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | flat |
                         ((disabled || (s.DisabledArrows & ESB_DISABLE_LTUP)) ? DFCS_INACTIVE : 0u) |
                         (pressed == PartArrowUp ? DFCS_PUSHED : 0u));
    DrawFrameControl(dc, &down, DFC_SCROLL,
                     (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | flat |
                         ((disabled || (s.DisabledArrows & ESB_DISABLE_RTDN)) ? DFCS_INACTIVE : 0u) |
                         (pressed == PartArrowDown ? DFCS_PUSHED : 0u));
    FillRect(dc, &g.Track, w->FlatScrollBars ? GetSysColorBrush(COLOR_BTNFACE) : TrackBrush());
    if (g.ThumbLength > 0) {
        if (pressed == PartPageUp || pressed == PartPageDown) {
            TRect page = g.Track;
            if (vertical) {
                if (pressed == PartPageUp)
                    page.Bottom = g.Thumb.Top;
                else
                    page.Top = g.Thumb.Bottom;
            } else {
                if (pressed == PartPageUp)
                    page.Right = g.Thumb.Left;
                else
                    page.Left = g.Thumb.Right;
            }
            FillRect(dc, &page, GetSysColorBrush(COLOR_3DDKSHADOW));
        }
        TRect thumb = g.Thumb;
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE | (w->FlatScrollBars ? BF_FLAT : 0u));
    }
}

void SendScroll(TWindow* w, int bar, int request, int pos) {
    WM().Send(w, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
              static_cast<WPARAM>(request) | (static_cast<WPARAM>(pos & 0xFFFF) << 16), 0);
}

int RequestFor(int part) {
    switch (part) {
    case PartArrowUp:
        return SB_LINEUP;
    case PartArrowDown:
        return SB_LINEDOWN;
    case PartPageUp:
        return SB_PAGEUP;
    case PartPageDown:
        return SB_PAGEDOWN;
    }
    return SB_ENDSCROLL;
}

} // namespace

void WmDrawScrollBars(HDC dc, TWindow* w, const TNonClientLayout& l) {
    if (!l.VScroll.IsEmpty()) DrawBar(dc, w, SB_VERT, l.VScroll);
    if (!l.HScroll.IsEmpty()) DrawBar(dc, w, SB_HORZ, l.HScroll);
    if (!l.SizeBox.IsEmpty()) {
        TRect box = l.SizeBox;
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void WmBeginScrollTrack(TWindow* w, int bar, TPoint screen) {
    auto& wm = WM();
    if (wm.FTrack.Kind != TTrackState::None) return;
    TScrollBarState& s = *BarState(w, bar);
    if (!CanScroll(s) || s.DisabledArrows == ESB_DISABLE_BOTH) return;
    TPoint p = screen - wm.WindowOrigin(w);
    TBarGeometry g = Geometry(s, BarRect(w, bar), bar == SB_VERT, false);
    int part = PartAt(g, p);
    if (part == PartNone) return;
    if ((part == PartArrowUp && (s.DisabledArrows & ESB_DISABLE_LTUP)) ||
        (part == PartArrowDown && (s.DisabledArrows & ESB_DISABLE_RTDN)))
        return;
    TTrackState t;
    t.Kind = TTrackState::ScrollBar;
    t.Hwnd = w->Handle;
    t.Bar = bar;
    t.Part = part;
    t.Pressed = true;
    t.ThumbOffset = (bar == SB_VERT ? p.Y : p.X) - g.ThumbStart;
    t.ThumbStartPos = s.Pos;
    wm.FTrack = t;
    HWND h = w->Handle;
    SetCapture(h);
    if (!wm.Find(h)) return;
    if (part == PartThumb) {
        s.Tracking = true;
        s.TrackPos = s.Pos;
        RedrawFrame(w);
        return;
    }
    TWmTimer timer;
    timer.Hwnd = h;
    timer.Id = wm.FNextTimerId++;
    timer.Interval = ScrollRepeatDelay;
    timer.Due = wm.Backend().TickCount() + ScrollRepeatDelay;
    timer.Internal = true;
    wm.FTimers.push_back(timer);
    wm.FTrack.RepeatTimer = timer.Id;
    RedrawFrame(w);
    SendScroll(w, bar, RequestFor(part), 0);
}

void WmScrollTrackInput(const TBackendEvent* e) {
    auto& wm = WM();
    TTrackState& t = wm.FTrack;
    TWindow* w = wm.Find(t.Hwnd);
    if (!w) {
        WmEndScrollTrack(true);
        return;
    }
    TScrollBarState& s = *BarState(w, t.Bar);
    bool vertical = t.Bar == SB_VERT;
    TPoint p = (e ? e->pos : wm.FCursorPos) - wm.WindowOrigin(w);
    TBarGeometry g = Geometry(s, BarRect(w, t.Bar), vertical, s.Tracking);
    if (!e) {
        // Auto-repeat: keep going while the pressed part is still under the mouse.
        for (TWmTimer& timer : wm.FTimers)
            if (timer.Internal && timer.Id == t.RepeatTimer) {
                timer.Interval = ScrollRepeatInterval;
                timer.Due = wm.Backend().TickCount() + ScrollRepeatInterval;
            }
        if (t.Part != PartThumb && PartAt(g, p) == t.Part) SendScroll(w, t.Bar, RequestFor(t.Part), 0);
        return;
    }
    if (e->kind == TBackendEvent::MouseUp) {
        int part = t.Part;
        int bar = t.Bar;
        int pos = s.TrackPos;
        HWND h = t.Hwnd;
        WmEndScrollTrack(false);
        TWindow* again = wm.Find(h);
        if (!again) return;
        if (part == PartThumb) SendScroll(again, bar, SB_THUMBPOSITION, pos);
        if ((again = wm.Find(h))) SendScroll(again, bar, SB_ENDSCROLL, 0);
        return;
    }
    if (e->kind != TBackendEvent::MouseMove) return;
    if (t.Part == PartThumb) {
        int span = MaxPos(s) - s.Min;
        int room = g.TrackLength - g.ThumbLength;
        int axis = vertical ? p.Y : p.X;
        int start = std::clamp(axis - t.ThumbOffset - g.TrackStart, 0, std::max(room, 0));
        int pos = room > 0 ? s.Min + static_cast<int>((static_cast<long long>(start) * span + room / 2) / room) : s.Min;
        pos = std::clamp(pos, s.Min, MaxPos(s));
        if (pos != s.TrackPos) {
            s.TrackPos = pos;
            RedrawFrame(w);
            SendScroll(w, t.Bar, SB_THUMBTRACK, pos);
        }
        return;
    }
    bool over = PartAt(g, p) == t.Part;
    if (over != t.Pressed) {
        t.Pressed = over;
        RedrawFrame(w);
    }
}

void WmEndScrollTrack(bool /*cancelled*/) {
    auto& wm = WM();
    TTrackState t = wm.FTrack;
    wm.FTrack = TTrackState{};
    wm.FTrackInput.clear();
    auto& timers = wm.FTimers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const TWmTimer& x) { return x.Internal && x.Id == t.RepeatTimer; }),
                 timers.end());
    TWindow* w = wm.Find(t.Hwnd);
    if (w) {
        if (TScrollBarState* s = BarState(w, t.Bar)) s->Tracking = false;
    }
    if (wm.FCapture && wm.FCapture->Handle == t.Hwnd) ReleaseCapture();
    if ((w = wm.Find(t.Hwnd))) RedrawFrame(w);
}

// ---------------------------------------------------------------------------------------------

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return 0;
    TScrollBarState* s = BarState(w, bar);
    if (!s) return 0;
    if (info.fMask & SIF_RANGE) {
        s->Min = info.nMin;
        s->Max = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE)
        s->Page = static_cast<int>(std::min<long long>(info.nPage, static_cast<long long>(s->Max) - s->Min + 1));
    if (info.fMask & SIF_POS) s->Pos = info.nPos;
    s->Pos = std::clamp(s->Pos, s->Min, MaxPos(*s));
    if (!s->Tracking) s->TrackPos = s->Pos;
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        if (!CanScroll(*s)) {
            if (info.fMask & SIF_DISABLENOSCROLL) {
                s->DisabledArrows = ESB_DISABLE_BOTH;
                ShowBar(w, bar, true);
            } else {
                ShowBar(w, bar, false);
            }
        } else {
            if (s->DisabledArrows == ESB_DISABLE_BOTH) s->DisabledArrows = ESB_ENABLE_BOTH;
            ShowBar(w, bar, true);
        }
    }
    if (redraw && WM().Find(hwnd)) RedrawFrame(w);
    return s->Pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    TScrollBarState* s = BarState(w, bar);
    if (!s) return false;
    if (info.fMask & SIF_RANGE) {
        info.nMin = s->Min;
        info.nMax = s->Max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = static_cast<UINT>(s->Page);
    if (info.fMask & SIF_POS) info.nPos = s->Pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s->Tracking ? s->TrackPos : s->Pos;
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !BarState(w, bar)) return 0;
    int old = BarState(w, bar)->Pos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, si, redraw);
    return old;
}

std::optional<int> RequestedScrollPos(int code, int pos, int line, int page, int first, int last, int thumb) {
    switch (code) {
    case SB_LINEUP:
        return pos - line;
    case SB_LINEDOWN:
        return pos + line;
    case SB_PAGEUP:
        return pos - page;
    case SB_PAGEDOWN:
        return pos + page;
    case SB_TOP:
        return first;
    case SB_BOTTOM:
        return last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return thumb;
    default:
        return std::nullopt;
    }
}

int ScrollTrackPos(HWND hwnd, int bar, int fallback) {
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    return hwnd && GetScrollInfo(hwnd, bar, info) ? info.nTrackPos : fallback;
}

int GetScrollPos(HWND hwnd, int bar) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !BarState(w, bar)) return 0;
    return BarState(w, bar)->Pos;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = minPos;
    si.nMax = maxPos;
    TWindow* w = WM().Find(hwnd);
    if (!w || !BarState(w, bar)) return false;
    SetScrollInfo(hwnd, bar, si, redraw);
    return true;
}

bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !BarState(w, bar)) return false;
    if (minPos) *minPos = BarState(w, bar)->Min;
    if (maxPos) *maxPos = BarState(w, bar)->Max;
    return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    if (bar == SB_BOTH) {
        DWORD bits = WS_VSCROLL | WS_HSCROLL;
        DWORD old = w->Style;
        w->Style = show ? (w->Style | bits) : (w->Style & ~bits);
        if (old != w->Style)
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    if (!BarState(w, bar)) return false;
    ShowBar(w, bar, show);
    return true;
}

bool EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && bar != b) continue;
        BarState(w, b)->DisabledArrows = arrows & ESB_DISABLE_BOTH;
    }
    RedrawFrame(w);
    return true;
}

bool InitializeFlatSB(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    w->FlatScrollBars = true;
    RedrawFrame(w);
    return true;
}

bool UninitializeFlatSB(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    w->FlatScrollBars = false;
    RedrawFrame(w);
    return true;
}

bool IsFlatScrollBar(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && w->FlatScrollBars;
}

bool FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw) {
    if (!IsWindow(hwnd)) return false;
    SetScrollInfo(hwnd, bar, info, redraw);
    return true;
}
bool FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info) {
    return GetScrollInfo(hwnd, bar, info);
}
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    return SetScrollPos(hwnd, bar, pos, redraw);
}
int FlatSB_GetScrollPos(HWND hwnd, int bar) {
    return GetScrollPos(hwnd, bar);
}
bool FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
    return SetScrollRange(hwnd, bar, minPos, maxPos, redraw);
}
bool FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    return GetScrollRange(hwnd, bar, minPos, maxPos);
}
bool FlatSB_ShowScrollBar(HWND hwnd, int bar, bool show) {
    return ShowScrollBar(hwnd, bar, show);
}
bool FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
    return EnableScrollBar(hwnd, bar, arrows);
}

} // namespace dw
