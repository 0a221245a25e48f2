// Window message numbers and the constants that travel with them: mouse key flags, hit-test
// codes, activation answers, virtual keys, window and class styles, positioning flags, show
// commands, and the message record itself.
#pragma once

#include "framework/platform/Types.h"

#include <cstdint>
#include <string_view>

namespace dw {

using DWORD = std::uint32_t;
using LONG_PTR = std::intptr_t;
using ATOM = std::uint16_t;

// clang-format off
constexpr UINT WM_NULL              = 0x0000;
constexpr UINT WM_CREATE            = 0x0001;
constexpr UINT WM_DESTROY           = 0x0002;
constexpr UINT WM_MOVE              = 0x0003;
constexpr UINT WM_SIZE              = 0x0005;
constexpr UINT WM_ACTIVATE          = 0x0006;
constexpr UINT WM_SETFOCUS          = 0x0007;
constexpr UINT WM_KILLFOCUS         = 0x0008;
constexpr UINT WM_ENABLE            = 0x000A;
constexpr UINT WM_SETREDRAW         = 0x000B;
constexpr UINT WM_SETTEXT           = 0x000C;
constexpr UINT WM_GETTEXT           = 0x000D;
constexpr UINT WM_GETTEXTLENGTH     = 0x000E;
constexpr UINT WM_PAINT             = 0x000F;
constexpr UINT WM_CLOSE             = 0x0010;
constexpr UINT WM_QUIT              = 0x0012;
constexpr UINT WM_ERASEBKGND        = 0x0014;
constexpr UINT WM_SHOWWINDOW        = 0x0018;
constexpr UINT WM_CANCELMODE        = 0x001F;
constexpr UINT WM_SETCURSOR         = 0x0020;
constexpr UINT WM_MOUSEACTIVATE     = 0x0021;
constexpr UINT WM_CHILDACTIVATE     = 0x0022;
constexpr UINT WM_GETMINMAXINFO     = 0x0024;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED  = 0x0047;
constexpr UINT WM_CONTEXTMENU       = 0x007B;
constexpr UINT WM_NCCREATE          = 0x0081;
constexpr UINT WM_NCDESTROY         = 0x0082;
constexpr UINT WM_NCCALCSIZE        = 0x0083;
constexpr UINT WM_NCHITTEST         = 0x0084;
constexpr UINT WM_NCPAINT           = 0x0085;
constexpr UINT WM_NCACTIVATE        = 0x0086;
constexpr UINT WM_GETDLGCODE        = 0x0087;
constexpr UINT WM_NCMOUSEMOVE       = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN     = 0x00A1;
constexpr UINT WM_NCLBUTTONUP       = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK   = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN     = 0x00A4;
constexpr UINT WM_NCRBUTTONUP       = 0x00A5;
constexpr UINT WM_NCRBUTTONDBLCLK   = 0x00A6;
constexpr UINT WM_NCMBUTTONDOWN     = 0x00A7;
constexpr UINT WM_NCMBUTTONUP       = 0x00A8;
constexpr UINT WM_NCMBUTTONDBLCLK   = 0x00A9;
constexpr UINT WM_NCXBUTTONDOWN     = 0x00AB;
constexpr UINT WM_NCXBUTTONUP       = 0x00AC;
constexpr UINT WM_NCXBUTTONDBLCLK   = 0x00AD;
constexpr UINT WM_KEYFIRST          = 0x0100;
constexpr UINT WM_KEYDOWN           = 0x0100;
constexpr UINT WM_KEYUP             = 0x0101;
constexpr UINT WM_CHAR              = 0x0102;
constexpr UINT WM_DEADCHAR          = 0x0103;
constexpr UINT WM_SYSKEYDOWN        = 0x0104;
constexpr UINT WM_SYSKEYUP          = 0x0105;
constexpr UINT WM_SYSCHAR           = 0x0106;
constexpr UINT WM_SYSDEADCHAR       = 0x0107;
constexpr UINT WM_KEYLAST           = 0x0108;
constexpr UINT WM_COMMAND           = 0x0111;
constexpr UINT WM_SYSCOMMAND        = 0x0112;
constexpr UINT WM_TIMER             = 0x0113;
constexpr UINT WM_HSCROLL           = 0x0114;
constexpr UINT WM_VSCROLL           = 0x0115;
constexpr UINT WM_INITMENUPOPUP     = 0x0117;
constexpr UINT WM_MENUSELECT        = 0x011F;
constexpr UINT WM_MOUSEFIRST        = 0x0200;
constexpr UINT WM_MOUSEMOVE         = 0x0200;
constexpr UINT WM_LBUTTONDOWN       = 0x0201;
constexpr UINT WM_LBUTTONUP         = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK     = 0x0203;
constexpr UINT WM_RBUTTONDOWN       = 0x0204;
constexpr UINT WM_RBUTTONUP         = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK     = 0x0206;
constexpr UINT WM_MBUTTONDOWN       = 0x0207;
constexpr UINT WM_MBUTTONUP         = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK     = 0x0209;
constexpr UINT WM_MOUSEWHEEL        = 0x020A;
constexpr UINT WM_MOUSELAST         = 0x020A;
constexpr UINT WM_PARENTNOTIFY      = 0x0210;
constexpr UINT WM_ENTERMENULOOP     = 0x0211;
constexpr UINT WM_EXITMENULOOP      = 0x0212;
constexpr UINT WM_SIZING            = 0x0214;
constexpr UINT WM_CAPTURECHANGED    = 0x0215;
constexpr UINT WM_MOVING            = 0x0216;
constexpr UINT WM_MDICREATE         = 0x0220;
constexpr UINT WM_MDIDESTROY        = 0x0221;
constexpr UINT WM_MDIACTIVATE       = 0x0222;
constexpr UINT WM_MDIRESTORE        = 0x0223;
constexpr UINT WM_MDINEXT           = 0x0224;
constexpr UINT WM_MDIMAXIMIZE       = 0x0225;
constexpr UINT WM_MDITILE           = 0x0226;
constexpr UINT WM_MDICASCADE        = 0x0227;
constexpr UINT WM_MDIICONARRANGE    = 0x0228;
constexpr UINT WM_MDIGETACTIVE      = 0x0229;
constexpr UINT WM_MDISETMENU        = 0x0230;
constexpr UINT WM_ENTERSIZEMOVE     = 0x0231;
constexpr UINT WM_EXITSIZEMOVE      = 0x0232;
constexpr UINT WM_MDIREFRESHMENU    = 0x0234;
constexpr UINT WM_NCMOUSEHOVER      = 0x02A0;
constexpr UINT WM_MOUSEHOVER        = 0x02A1;
constexpr UINT WM_NCMOUSELEAVE      = 0x02A2;
constexpr UINT WM_MOUSELEAVE        = 0x02A3;
constexpr UINT WM_CUT               = 0x0300;
constexpr UINT WM_PRINT             = 0x0317;
constexpr UINT WM_PRINTCLIENT       = 0x0318;
constexpr UINT WM_COPY              = 0x0301;
constexpr UINT WM_PASTE             = 0x0302;
constexpr UINT WM_CLEAR             = 0x0303;
constexpr UINT WM_UNDO              = 0x0304;
constexpr UINT WM_USER              = 0x0400;
constexpr UINT WM_APP               = 0x8000;

// Key and button flags of mouse messages (WPARAM).
constexpr WPARAM MK_LBUTTON  = 0x0001;
constexpr WPARAM MK_RBUTTON  = 0x0002;
constexpr WPARAM MK_SHIFT    = 0x0004;
constexpr WPARAM MK_CONTROL  = 0x0008;
constexpr WPARAM MK_MBUTTON  = 0x0010;

// Hit-test codes answered by WM_NCHITTEST.
constexpr int HTERROR       = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE     = 0;
constexpr int HTCLIENT      = 1;
constexpr int HTCAPTION     = 2;
constexpr int HTSYSMENU     = 3;
constexpr int HTSIZE        = 4;
constexpr int HTGROWBOX     = HTSIZE;
constexpr int HTMENU        = 5;
constexpr int HTHSCROLL     = 6;
constexpr int HTVSCROLL     = 7;
constexpr int HTMINBUTTON   = 8;
constexpr int HTREDUCE      = HTMINBUTTON;
constexpr int HTMAXBUTTON   = 9;
constexpr int HTZOOM        = HTMAXBUTTON;
constexpr int HTLEFT        = 10;
constexpr int HTRIGHT       = 11;
constexpr int HTTOP         = 12;
constexpr int HTTOPLEFT     = 13;
constexpr int HTTOPRIGHT    = 14;
constexpr int HTBOTTOM      = 15;
constexpr int HTBOTTOMLEFT  = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER      = 18;
constexpr int HTCLOSE       = 20;
constexpr int HTHELP        = 21;

// Answers to WM_MOUSEACTIVATE.
constexpr LRESULT MA_ACTIVATE         = 1;
constexpr LRESULT MA_ACTIVATEANDEAT   = 2;
constexpr LRESULT MA_NOACTIVATE       = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// WM_ACTIVATE states (low word of WPARAM).
constexpr WPARAM WA_INACTIVE    = 0;
constexpr WPARAM WA_ACTIVE      = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;

// Virtual keys. Letters and digits are their upper-case ASCII codes.
constexpr int VK_LBUTTON  = 0x01;
constexpr int VK_RBUTTON  = 0x02;
constexpr int VK_CANCEL   = 0x03;
constexpr int VK_MBUTTON  = 0x04;
constexpr int VK_BACK     = 0x08;
constexpr int VK_TAB      = 0x09;
constexpr int VK_CLEAR    = 0x0C;
constexpr int VK_RETURN   = 0x0D;
constexpr int VK_SHIFT    = 0x10;
constexpr int VK_CONTROL  = 0x11;
constexpr int VK_MENU     = 0x12;
constexpr int VK_PAUSE    = 0x13;
constexpr int VK_CAPITAL  = 0x14;
constexpr int VK_ESCAPE   = 0x1B;
constexpr int VK_SPACE    = 0x20;
constexpr int VK_PRIOR    = 0x21;
constexpr int VK_NEXT     = 0x22;
constexpr int VK_END      = 0x23;
constexpr int VK_HOME     = 0x24;
constexpr int VK_LEFT     = 0x25;
constexpr int VK_UP       = 0x26;
constexpr int VK_RIGHT    = 0x27;
constexpr int VK_DOWN     = 0x28;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT   = 0x2D;
constexpr int VK_DELETE   = 0x2E;
constexpr int VK_HELP     = 0x2F;
constexpr int VK_LWIN     = 0x5B;
constexpr int VK_RWIN     = 0x5C;
constexpr int VK_APPS     = 0x5D;
constexpr int VK_NUMPAD0  = 0x60;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD      = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL  = 0x6E;
constexpr int VK_DIVIDE   = 0x6F;
constexpr int VK_F1       = 0x70;
constexpr int VK_F2       = 0x71;
constexpr int VK_F3       = 0x72;
constexpr int VK_F4       = 0x73;
constexpr int VK_F5       = 0x74;
constexpr int VK_F6       = 0x75;
constexpr int VK_F7       = 0x76;
constexpr int VK_F8       = 0x77;
constexpr int VK_F9       = 0x78;
constexpr int VK_F10      = 0x79;
constexpr int VK_F11      = 0x7A;
constexpr int VK_F12      = 0x7B;
constexpr int VK_NUMLOCK  = 0x90;
constexpr int VK_SCROLL   = 0x91;
constexpr int VK_LSHIFT   = 0xA0;
constexpr int VK_RSHIFT   = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU    = 0xA4;
constexpr int VK_RMENU    = 0xA5;
constexpr int VK_OEM_1      = 0xBA; // ;:
constexpr int VK_OEM_PLUS   = 0xBB; // =+
constexpr int VK_OEM_COMMA  = 0xBC; // ,<
constexpr int VK_OEM_MINUS  = 0xBD; // -_
constexpr int VK_OEM_PERIOD = 0xBE; // .>
constexpr int VK_OEM_2      = 0xBF; // /?
constexpr int VK_OEM_3      = 0xC0; // `~
constexpr int VK_OEM_4      = 0xDB; // [{
constexpr int VK_OEM_5      = 0xDC; // \|
constexpr int VK_OEM_6      = 0xDD; // ]}
constexpr int VK_OEM_7      = 0xDE; // '"

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS    = 0x0001;
constexpr LRESULT DLGC_WANTTAB       = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS   = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE   = 0x0004;
constexpr LRESULT DLGC_HASSETSEL     = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON   = 0x0040;
constexpr LRESULT DLGC_WANTCHARS     = 0x0080;
constexpr LRESULT DLGC_STATIC        = 0x0100;
constexpr LRESULT DLGC_BUTTON        = 0x2000;

// Window styles.
constexpr DWORD WS_OVERLAPPED   = 0x00000000;
constexpr DWORD WS_POPUP        = 0x80000000;
constexpr DWORD WS_CHILD        = 0x40000000;
constexpr DWORD WS_MINIMIZE     = 0x20000000;
constexpr DWORD WS_VISIBLE      = 0x10000000;
constexpr DWORD WS_DISABLED     = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE     = 0x01000000;
constexpr DWORD WS_CAPTION      = 0x00C00000; // WS_BORDER | WS_DLGFRAME
constexpr DWORD WS_BORDER       = 0x00800000;
constexpr DWORD WS_DLGFRAME     = 0x00400000;
constexpr DWORD WS_VSCROLL      = 0x00200000;
constexpr DWORD WS_HSCROLL      = 0x00100000;
constexpr DWORD WS_SYSMENU      = 0x00080000;
constexpr DWORD WS_THICKFRAME   = 0x00040000;
constexpr DWORD WS_SIZEBOX      = WS_THICKFRAME;
constexpr DWORD WS_GROUP        = 0x00020000;
constexpr DWORD WS_TABSTOP      = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX  = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX  = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_POPUPWINDOW  = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr DWORD WS_CHILDWINDOW  = WS_CHILD;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST       = 0x00000008;
constexpr DWORD WS_EX_ACCEPTFILES   = 0x00000010;
constexpr DWORD WS_EX_TRANSPARENT   = 0x00000020;
constexpr DWORD WS_EX_MDICHILD      = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW    = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE    = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE    = 0x00000200;
constexpr DWORD WS_EX_CONTEXTHELP   = 0x00000400;
constexpr DWORD WS_EX_RIGHT         = 0x00001000;
constexpr DWORD WS_EX_RTLREADING    = 0x00002000;
constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x00004000;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE    = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW     = 0x00040000;
constexpr DWORD WS_EX_LAYERED       = 0x00080000;
constexpr DWORD WS_EX_NOINHERITLAYOUT = 0x00100000;
constexpr DWORD WS_EX_LAYOUTRTL     = 0x00400000;
constexpr DWORD WS_EX_NOACTIVATE    = 0x08000000;
constexpr DWORD WS_EX_OVERLAPPEDWINDOW = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;

// Class styles.
constexpr UINT CS_VREDRAW   = 0x0001;
constexpr UINT CS_HREDRAW   = 0x0002;
constexpr UINT CS_DBLCLKS   = 0x0008;
constexpr UINT CS_OWNDC     = 0x0020;
constexpr UINT CS_CLASSDC   = 0x0040;
constexpr UINT CS_PARENTDC  = 0x0080;
constexpr UINT CS_NOCLOSE   = 0x0200;
constexpr UINT CS_SAVEBITS  = 0x0800;
constexpr UINT CS_GLOBALCLASS = 0x4000;

// SetWindowPos flags and z-order anchors.
constexpr UINT SWP_NOSIZE         = 0x0001;
constexpr UINT SWP_NOMOVE         = 0x0002;
constexpr UINT SWP_NOZORDER       = 0x0004;
constexpr UINT SWP_NOREDRAW       = 0x0008;
constexpr UINT SWP_NOACTIVATE     = 0x0010;
constexpr UINT SWP_FRAMECHANGED   = 0x0020;
constexpr UINT SWP_DRAWFRAME      = SWP_FRAMECHANGED;
constexpr UINT SWP_SHOWWINDOW     = 0x0040;
constexpr UINT SWP_HIDEWINDOW     = 0x0080;
constexpr UINT SWP_NOCOPYBITS     = 0x0100;
constexpr UINT SWP_NOOWNERZORDER  = 0x0200;
constexpr UINT SWP_NOREPOSITION   = SWP_NOOWNERZORDER;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_DEFERERASE     = 0x2000;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

inline HWND const HWND_TOP = reinterpret_cast<HWND>(0);
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
// Parent of message-only windows: top-level windows that receive messages and are never shown.
inline HWND const HWND_MESSAGE = reinterpret_cast<HWND>(-3);

// ShowWindow commands.
constexpr int SW_HIDE            = 0;
constexpr int SW_SHOWNORMAL      = 1;
constexpr int SW_NORMAL          = 1;
constexpr int SW_SHOWMINIMIZED   = 2;
constexpr int SW_SHOWMAXIMIZED   = 3;
constexpr int SW_MAXIMIZE        = 3;
constexpr int SW_SHOWNOACTIVATE  = 4;
constexpr int SW_SHOW            = 5;
constexpr int SW_MINIMIZE        = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA          = 8;
constexpr int SW_RESTORE         = 9;
constexpr int SW_SHOWDEFAULT     = 10;

// WM_PRINT options (LPARAM).
constexpr LPARAM PRF_CHECKVISIBLE = 0x0001;
constexpr LPARAM PRF_NONCLIENT    = 0x0002;
constexpr LPARAM PRF_CLIENT       = 0x0004;
constexpr LPARAM PRF_ERASEBKGND   = 0x0008;
constexpr LPARAM PRF_CHILDREN     = 0x0010;
constexpr LPARAM PRF_OWNED        = 0x0020;

// WM_SIZE kinds (WPARAM).
constexpr WPARAM SIZE_RESTORED  = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_SHOWWINDOW reasons (LPARAM); zero when ShowWindow caused it.
constexpr LPARAM SW_PARENTCLOSING = 1;
constexpr LPARAM SW_PARENTOPENING = 3;

// WM_SYSCOMMAND commands; the low four bits carry extra information and are masked off.
constexpr WPARAM SC_SIZE       = 0xF000;
constexpr WPARAM SC_MOVE       = 0xF010;
constexpr WPARAM SC_MINIMIZE   = 0xF020;
constexpr WPARAM SC_MAXIMIZE   = 0xF030;
constexpr WPARAM SC_NEXTWINDOW = 0xF040;
constexpr WPARAM SC_PREVWINDOW = 0xF050;
constexpr WPARAM SC_CLOSE      = 0xF060;
constexpr WPARAM SC_VSCROLL    = 0xF070;
constexpr WPARAM SC_HSCROLL    = 0xF080;
constexpr WPARAM SC_MOUSEMENU  = 0xF090;
constexpr WPARAM SC_KEYMENU    = 0xF100;
constexpr WPARAM SC_RESTORE    = 0xF120;

// WM_SIZING edges (WPARAM).
constexpr WPARAM WMSZ_LEFT        = 1;
constexpr WPARAM WMSZ_RIGHT       = 2;
constexpr WPARAM WMSZ_TOP         = 3;
constexpr WPARAM WMSZ_TOPLEFT     = 4;
constexpr WPARAM WMSZ_TOPRIGHT    = 5;
constexpr WPARAM WMSZ_BOTTOM      = 6;
constexpr WPARAM WMSZ_BOTTOMLEFT  = 7;
constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// WM_NCCALCSIZE answers when WPARAM is true.
constexpr LRESULT WVR_ALIGNTOP    = 0x0010;
constexpr LRESULT WVR_REDRAW      = 0x0300;
// clang-format on

// The message record a queue hands out.
struct TMsg {
    HWND hwnd = nullptr;
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    TPoint pt;
    // The key press a key message came from, for TranslateMessage (0: made by a program).
    std::uint32_t keySerial = 0;
};
using MSG = TMsg;

// What WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED point at (LPARAM). A handler of the first may
// change position, size, z-order anchor and flags.
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE: rgrc[0] holds the proposed window rectangle on entry (parent coordinates) and the
// client rectangle on return; rgrc[1] and rgrc[2] hold the old window and client rectangles.
struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

// WM_GETMINMAXINFO: limits a handler may change before a window is sized or maximised.
struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

// WM_NCCREATE and WM_CREATE point at this (LPARAM).
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    HWND hMenu = nullptr; // the child identifier for child windows
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

// A message number unique to this program for the given name (compared without regard to
// ASCII case), from $C000 up; the same name always gets the same number. $C002 is never handed
// out: the designer posts that number to itself.
UINT RegisterWindowMessage(std::string_view name);

// Packs a point for a mouse message's LPARAM.
inline LPARAM PointToLParam(TPoint p) {
    return MAKELPARAM(p.X, p.Y);
}

} // namespace dw
