// Keyboard and mouse: focus, activation, capture, cursors, cursor position and clipping, key
// state, mouse tracking (leave and hover), and the double-click settings.
#pragma once

#include "framework/platform/window/Messages.h"

namespace dw {

// Focus and activation.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// Capture. SetCapture sends WM_CAPTURECHANGED to the window losing the capture (never
// WM_CANCELMODE); so does ReleaseCapture.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// Cursor position and confinement (screen coordinates). ClipCursor(nullptr) frees the cursor.
bool GetCursorPos(TPoint& p);
TPoint GetCursorPos();
bool SetCursorPos(int x, int y);
bool ClipCursor(const TRect* rect);
bool GetClipCursor(TRect& rect);

// Cursors. Standard shapes are loaded by identifier; the handles are shared and never freed.
constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_UPARROW = 32516;
constexpr int IDC_SIZE = 32640;
constexpr int IDC_ICON = 32641;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;
constexpr int IDC_APPSTARTING = 32650;
constexpr int IDC_HELP = 32651;
// Shapes of drag and drop and splitters.
constexpr int IDC_DRAG = 32700;
constexpr int IDC_NODROP = 32701;
constexpr int IDC_MULTIDRAG = 32702;
constexpr int IDC_HSPLIT = 32703;
constexpr int IDC_VSPLIT = 32704;
// Returns the shared cursor for an identifier above; null for an unknown one. The instance
// argument exists for the classic signature and must be null.
HCURSOR LoadCursor(void* instance, int id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The identifier a cursor handle stands for (0 for null).
int CursorId(HCURSOR cursor);

// Key state. GetKeyState answers as of the last message retrieved from the queue (high bit set
// while down, low bit toggled); GetAsyncKeyState as of the latest input.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);

// Mouse tracking.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};
bool TrackMouseEvent(TRACKMOUSEEVENT& tme);

// Double clicks: a second press within this time and inside a box of this size around the first.
constexpr UINT DoubleClickTime = 500;
constexpr int DoubleClickBox = 4;
UINT GetDoubleClickTime();

} // namespace dw
