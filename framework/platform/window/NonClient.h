// Non-client areas: system metrics, the frame a style gives a window, and the default handling of
// the frame messages (sizes, hit tests, painting, the caption buttons and the interactive move and
// size loops), which DefWindowProc uses.
#pragma once

#include "framework/platform/window/Messages.h"

namespace dw {

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_MOUSEPRESENT = 19;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXSMSIZE = 52;
constexpr int SM_CYSMSIZE = 53;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_MOUSEWHEELPRESENT = 75;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
int GetSystemMetrics(int index);

// Grows a client rectangle to the window rectangle the styles need; menu adds one row of menu bar.
bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle);

// Keeps height pixels for a menu bar between the caption and the client area of a top-level
// window (0: none). The frame is laid out again (WM_NCCALCSIZE) at once when the window exists; its
// owner paints the bar's items after the default WM_NCPAINT has filled it, and WM_NCHITTEST answers
// HTMENU over it. A child window has no menu bar. Inside WM_NCCALCSIZE (a bar whose rows depend on
// the new width) pass relayout = false: the height then counts for the calculation under way.
void SetMenuBarHeight(HWND hwnd, int height, bool relayout = true);
int GetMenuBarHeight(HWND hwnd);

// Where the parts of a window's frame lie, in window coordinates (physical: right-to-left windows
// have their caption buttons and vertical scroll bar on the left). Empty rectangles for absent parts.
struct TNonClientLayout {
    int Frame = 0;       // outer frame thickness
    bool Sizing = false; // the frame sizes the window
    TRect Caption;
    TRect SysMenu;
    TRect MinButton;
    TRect MaxButton;
    TRect CloseButton;
    TRect MenuBar;  // its top, left and right are kept even when it has no height
    TRect EdgeRect; // the rectangle the client edge surrounds
    int Edge = 0;   // client edge thickness
    TRect VScroll;
    TRect HScroll;
    TRect SizeBox; // the corner between the scroll bars
    TRect Client;
};
TNonClientLayout GetNonClientLayout(HWND hwnd);
// The layout the window would have at another size (as WM_NCCALCSIZE sees it, before it moves).
TNonClientLayout GetNonClientLayout(HWND hwnd, int width, int height);

// The default non-client handling, as DefWindowProc runs it.
LRESULT DefNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcHitTest(HWND hwnd, TPoint screen);
void DefNcPaint(HWND hwnd);
// Starts the interactive move (SC_MOVE) or size (SC_SIZE + WMSZ_ edge) loop; the loop follows the
// mouse until the button is released (Esc puts the window back).
void BeginMoveSize(HWND hwnd, int hit);

} // namespace dw
