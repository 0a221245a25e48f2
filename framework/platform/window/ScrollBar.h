// Window scroll bars (WS_HSCROLL, WS_VSCROLL): scroll information, showing and enabling them, the
// flat style, and the notifications (WM_HSCROLL, WM_VSCROLL) sent while the user works them.
#pragma once

#include <optional>

#include "framework/platform/window/Messages.h"

namespace dw {

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// Scroll requests (low word of WPARAM of WM_HSCROLL and WM_VSCROLL).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;
constexpr UINT ESB_DISABLE_LEFT = ESB_DISABLE_LTUP;
constexpr UINT ESB_DISABLE_UP = ESB_DISABLE_LTUP;
constexpr UINT ESB_DISABLE_RIGHT = ESB_DISABLE_RTDN;
constexpr UINT ESB_DISABLE_DOWN = ESB_DISABLE_RTDN;

// Sets the chosen parts and returns the new position (clamped to min..max - max(page - 1, 0)).
// When nothing can scroll the bar is hidden, or with SIF_DISABLENOSCROLL shown disabled.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
bool ShowScrollBar(HWND hwnd, int bar, bool show);

// What a scroll request (the low word of WM_HSCROLL/WM_VSCROLL) asks for: the position after
// moving pos by a line or a page, to first or last, or to thumb for the thumb codes. Codes that
// ask for no move (SB_ENDSCROLL) give std::nullopt.
std::optional<int> RequestedScrollPos(int code, int pos, int line, int page, int first, int last, int thumb);
// The thumb's place for a thumb request: the bar's track position, or fallback without that bar.
int ScrollTrackPos(HWND hwnd, int bar, int fallback);
bool EnableScrollBar(HWND hwnd, int bar, UINT arrows);

// Flat scroll bars: the same bars drawn flat. Until InitializeFlatSB the FlatSB_ calls act on the
// normal bars, so callers need not care which style is on.
bool InitializeFlatSB(HWND hwnd);
bool UninitializeFlatSB(HWND hwnd);
bool FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int FlatSB_GetScrollPos(HWND hwnd, int bar);
bool FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
bool FlatSB_ShowScrollBar(HWND hwnd, int bar, bool show);
bool FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows);
bool IsFlatScrollBar(HWND hwnd);

// Auto-repeat of held arrows and page areas.
constexpr UINT ScrollRepeatDelay = 400;
constexpr UINT ScrollRepeatInterval = 50;

} // namespace dw
