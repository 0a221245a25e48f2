// Painting windows: update regions and invalidation, WM_PAINT with BeginPaint/EndPaint, redrawing
// now, update locking, device contexts on window surfaces (client, whole window, screen) and
// scrolling a window's contents.
//
// Every top-level window has a backing surface into which it and its children are painted.
// Update regions, paint rectangles and DCs use the client area's pixels as they lie on the
// surface: in a WS_EX_LAYOUTRTL window they are not mirrored (child placement and mouse
// coordinates are).
#pragma once

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/window/Messages.h"

namespace dw {

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false; // the background still needs erasing (WM_ERASEBKGND answered 0)
    TRect rcPaint;
};

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
bool InvalidateRgn(HWND hwnd, HRGN rgn, bool erase);
bool ValidateRect(HWND hwnd, const TRect* rect);
bool ValidateRgn(HWND hwnd, HRGN rgn);
// Bounds of the update region (client coordinates); false when there is none. With erase, a
// pending background erase is done now.
bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, bool erase);

// Sends WM_NCPAINT and WM_ERASEBKGND as needed, validates the update region and returns a DC
// clipped to it. EndPaint releases the DC and shows the result.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps);
// Paints the window's pending update now (WM_PAINT sent directly), then its children's.
bool UpdateWindow(HWND hwnd);

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;
// rect and rgn are client coordinates; both null means the whole client area (and with RDW_FRAME
// the frame). Children are included with RDW_ALLCHILDREN, excluded with RDW_NOCHILDREN, and
// otherwise included when the window lacks WS_CLIPCHILDREN.
bool RedrawWindow(HWND hwnd, const TRect* rect, HRGN rgn, UINT flags);

// While a window is locked nothing of it or its descendants reaches the screen (their DCs get an
// empty visible region); unlocking (null) repaints it. Only one window can be locked: locking
// another while one is locked fails.
bool LockWindowUpdate(HWND hwnd);

// Device contexts. GetDC: the client area, clipped by WS_CLIPCHILDREN/WS_CLIPSIBLINGS as the
// window's styles ask; GetDC(null): the screen. GetWindowDC: the whole window including the
// non-client area and NOT clipped by child windows, so that drawing appears over them.
constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_INTERSECTUPDATE = 0x00000200;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
constexpr DWORD DCX_VALIDATE = 0x00200000;
// clip (window or client coordinates, as the DC) is used with DCX_EXCLUDERGN or
// DCX_INTERSECTRGN; the function takes ownership of it, as it always has. DCX_INTERSECTUPDATE
// limits the DC to the update region (DCX_VALIDATE then validates it); DCX_LOCKWINDOWUPDATE draws
// even while the window is locked; DCX_CACHE, DCX_NORESETATTRS and DCX_PARENTCLIP change nothing.
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// The window a DC from GetDC/GetWindowDC/BeginPaint belongs to.
HWND WindowFromDC(HDC dc);

// Scrolling the contents of a window by (dx, dy): the scrolled area is repainted (as invalidation,
// or moved pixels when nothing covers it), and with SW_SCROLLCHILDREN the child windows move too.
constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;
int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
                   UINT flags);
bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip);

// The backing surface of a top-level window (created on demand); null for a child window or an
// invalid handle. For screenshots and tests.
TSurface* GetWindowSurface(HWND topLevel);

} // namespace dw
