// Window classes: a name, a window procedure, class styles, a cursor and a background brush
// shared by the windows created from them; and the window procedure types.
#pragma once

#include "framework/platform/window/Messages.h"
#include "framework/rtl/SysUtils.h"

#include <functional>
#include <string_view>

namespace dw {

// A plain window procedure.
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
// Any callable window procedure; controls keep their object in the capture.
using TWindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// A system colour index plus one may stand in for a background brush, as it always could.
inline HBRUSH ColorIndexBrush(int colorIndex) {
    return reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(colorIndex + 1));
}

struct WNDCLASS {
    UINT style = 0;
    TWindowProc lpfnWndProc;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    String lpszClassName;
};

// Registers a class; returns its atom, or 0 when a class of that name (compared without regard
// to ASCII case) exists already. Throws EInvalidArgument for an empty name or a missing procedure.
ATOM RegisterClass(const WNDCLASS& wc);
// Fails (false) while windows of the class exist or when there is no such class.
bool UnregisterClass(std::string_view className);
bool GetClassInfo(std::string_view className, WNDCLASS& wc);
String GetClassName(HWND hwnd);

// Per-class values read and written through the window.
constexpr int GCL_STYLE = -26;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HBRBACKGROUND = -10;
LONG_PTR GetClassLongPtr(HWND hwnd, int index);
LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

} // namespace dw
