// Windows: creation and destruction, the window tree with z-order and owners, showing and
// positioning, coordinates, window text and long values, window procedures, and sending messages.
#pragma once

#include "framework/platform/window/Messages.h"
#include "framework/platform/window/WindowClass.h"

#include <functional>
#include <string_view>

namespace dw {

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Creates a window of a registered class. WM_NCCREATE, WM_NCCALCSIZE and WM_CREATE are sent in
// that order; createParams reaches both create messages in CREATESTRUCT::lpCreateParams. Returns
// null when WM_NCCREATE answers 0 or WM_CREATE answers -1 (the window is destroyed again). An
// unknown class or an invalid parent throws EInvalidArgument; an exception from the window
// procedure destroys the half-made window and propagates.
HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, LONG_PTR id = 0, void* createParams = nullptr);
// Destroys the window and its descendants (and the pop-ups it owns): WM_DESTROY goes to the window
// before its children, WM_NCDESTROY to children before the window. False for an invalid handle.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
// Number of live windows; for leak tests.
int GetWindowCount();

// Window procedures. SetWindowProc returns the previous procedure so that a subclass can pass
// messages on with CallWindowProc.
TWindowProc GetWindowProc(HWND hwnd);
TWindowProc SetWindowProc(HWND hwnd, TWindowProc proc);
LRESULT CallWindowProc(const TWindowProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The classic form: a WNDPROC value read with GetWindowLongPtr(GWLP_WNDPROC) may stand for a
// procedure that is not a plain function; CallWindowProc knows how to call it.
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Long values.
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_HWNDPARENT = -8;
constexpr int GWLP_ID = -12;
constexpr int GWL_ID = GWLP_ID;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;
// Setting GWL_STYLE or GWL_EXSTYLE changes the bits only; the frame is recalculated by a following
// SetWindowPos with SWP_FRAMECHANGED, as always. Unknown indexes throw EInvalidArgument.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND hwnd, int index) {
    return GetWindowLongPtr(hwnd, index);
}
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtr(hwnd, index, value);
}

// Named properties attached to a window (removed when it is destroyed).
bool SetProp(HWND hwnd, std::string_view name, void* value);
void* GetProp(HWND hwnd, std::string_view name);
void* RemoveProp(HWND hwnd, std::string_view name);

// Text.
bool SetWindowText(HWND hwnd, std::string_view text);
String GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);

// The tree.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;
constexpr UINT GA_PARENT = 1;
constexpr UINT GA_ROOT = 2;
constexpr UINT GA_ROOTOWNER = 3;

HWND GetDesktopWindow();
// The parent of a child window, or the owner of a top-level window (null if none).
HWND GetParent(HWND hwnd);
HWND GetAncestor(HWND hwnd, UINT flags);
// Makes the window a child of newParent, or a top-level window when newParent is null or the
// desktop (WS_CHILD is switched accordingly). Returns the previous parent.
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);
// Calls the function for every descendant, parents before their children, in z-order from the
// top; stops when it returns false.
bool EnumChildWindows(HWND parent, const std::function<bool(HWND)>& fn);
// Top-level windows in z-order from the top.
bool EnumWindows(const std::function<bool(HWND)>& fn);
HWND FindWindow(std::string_view className, std::string_view windowName);

// Showing and positioning.
bool ShowWindow(HWND hwnd, int cmd);
bool IsWindowVisible(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
bool BringWindowToTop(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);

struct WINDOWPLACEMENT {
    UINT showCmd = SW_SHOWNORMAL;
    TRect rcNormalPosition;
};
bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT& wp);

// Coordinates. Window rectangles are in screen coordinates; client rectangles start at (0, 0).
// Client coordinates of a WS_EX_LAYOUTRTL window run from its right edge leftwards.
bool GetWindowRect(HWND hwnd, TRect& rect);
bool GetClientRect(HWND hwnd, TRect& rect);
TRect GetWindowRect(HWND hwnd);
TRect GetClientRect(HWND hwnd);
bool ClientToScreen(HWND hwnd, TPoint& p);
bool ScreenToClient(HWND hwnd, TPoint& p);
// Maps points between the client areas of two windows (null is the screen). A mirrored side maps
// points as pixels, so x = 0 of a mirrored client is its right-most pixel column.
int MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
// Maps a rectangle; across a mirrored side its left and right edges trade places.
void MapWindowRect(HWND from, HWND to, TRect& rect);

// The deepest visible window at a screen point: hidden windows are skipped, disabled ones are
// still found, WS_EX_TRANSPARENT windows and those answering HTTRANSPARENT let the point through.
HWND WindowFromPoint(TPoint screenPoint);
constexpr UINT CWP_ALL = 0;
constexpr UINT CWP_SKIPINVISIBLE = 1;
constexpr UINT CWP_SKIPDISABLED = 2;
constexpr UINT CWP_SKIPTRANSPARENT = 4;
// The immediate child containing a point in the parent's client coordinates, the parent itself
// when no child does, null when the point is outside the parent.
HWND ChildWindowFromPoint(HWND parent, TPoint p);
HWND ChildWindowFromPointEx(HWND parent, TPoint p, UINT flags);
HWND RealChildWindowFromPoint(HWND parent, TPoint p);

// Window shapes. The window owns the region after the call and deletes it when replaced or when
// the window is destroyed; region coordinates are relative to the window's top-left.
int SetWindowRgn(HWND hwnd, HRGN rgn, bool redraw);
// Copies the shape into an existing region; returns the region type, ERROR (0) without a shape.
int GetWindowRgn(HWND hwnd, HRGN rgn);

} // namespace dw
