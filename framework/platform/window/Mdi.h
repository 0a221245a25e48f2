// Multiple-document windows: the "MDICLIENT" window class that holds document windows inside a
// frame, the document (MDI child) windows with WS_EX_MDICHILD, and the default procedures of frame
// and child windows.
#pragma once

#include "framework/platform/window/Messages.h"

namespace dw {

// createParams of the MDI client window.
struct CLIENTCREATESTRUCT {
    HWND hWindowMenu = nullptr;
    UINT idFirstChild = 0xFF00;
};

// lParam of WM_MDICREATE. CW_USEDEFAULT places and sizes the child in the cascade.
struct MDICREATESTRUCT {
    const char* szClass = nullptr;
    const char* szTitle = nullptr;
    int x = static_cast<int>(0x80000000);
    int y = static_cast<int>(0x80000000);
    int cx = static_cast<int>(0x80000000);
    int cy = static_cast<int>(0x80000000);
    DWORD style = 0;
    LPARAM lParam = 0; // reaches the child's WM_CREATE as CREATESTRUCT::lpCreateParams
};

constexpr WPARAM MDITILE_VERTICAL = 0x0000;
constexpr WPARAM MDITILE_HORIZONTAL = 0x0001;
constexpr WPARAM MDITILE_SKIPDISABLED = 0x0002;

constexpr const char* MDICLIENT = "MDICLIENT";

// Creates a document window in an MDI client (WM_MDICREATE does the same).
HWND CreateMDIWindow(const char* className, const char* title, DWORD style, int x, int y, int width, int height,
                     HWND client, LPARAM lParam);
// Defaults for a frame window holding an MDI client: the client fills the frame's client area and
// gets the focus.
LRESULT DefFrameProc(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam);
// Defaults for a document window: activation through the client when clicked or focused, closing
// through WM_MDIDESTROY, maximise and restore through the client.
LRESULT DefMDIChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The document keys of a frame, for a key message bound for a window of client's frame: Ctrl+F4
// closes the active document (SC_CLOSE, so its close handling runs), Ctrl+F6 and Ctrl+Shift+F6
// activate the next and the previous one. True when msg was one of them and was carried out.
bool TranslateMDISysAccel(HWND client, const TMsg& msg);

// Registers the window manager's own classes (MDICLIENT); done when a backend is installed.
void RegisterSystemClasses();

} // namespace dw
