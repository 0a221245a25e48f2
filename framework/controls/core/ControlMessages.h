// The framework messages (CM_*, CN_*) and the message record with its typed views: the key,
// mouse, paint, size, drag and hint messages as controls read and change them.
#pragma once

#include "framework/controls/graphics/Colors.h"
#include "framework/platform/window/Messages.h"
#include "framework/rtl/TypInfo.h"

#include <cstdint>
#include <functional>

namespace dw {

class TControl;
class TWinControl;
class TDragObject;

// ---------------------------------------------------------------------------------------------
// Framework messages: $B000-$BBFF control messages, $BC00-$BFFF notifications reflected back to
// the control that caused them (CN_BASE + the window message).

// clang-format off
constexpr UINT CM_BASE                  = 0xB000;
constexpr UINT CM_ACTIVATE              = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE            = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS              = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS             = CM_BASE + 3;
constexpr UINT CM_CANCELMODE            = CM_BASE + 4;  // LPARAM: the control that took over (TControl*)
// Dialog keys: a key the focused control does not want (WM_GETDLGCODE) goes as CM_DIALOGKEY to its
// form, which moves the focus for Tab and the arrows and broadcasts any other key to all its
// controls (recursively): a default button answers VK_RETURN, a cancel button VK_ESCAPE, with
// result 1. CM_FOCUSCHANGED is broadcast the same way, so a default button knows when another
// button has the focus.
constexpr UINT CM_DIALOGKEY             = CM_BASE + 5;  // as WM_KEYDOWN; result 1: handled
constexpr UINT CM_DIALOGCHAR            = CM_BASE + 6;  // as WM_CHAR; result 1: handled
constexpr UINT CM_FOCUSCHANGED          = CM_BASE + 7;  // LPARAM: the newly focused control (TWinControl*)
constexpr UINT CM_PARENTFONTCHANGED     = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED    = CM_BASE + 9;
constexpr UINT CM_HITTEST               = CM_BASE + 10; // LPARAM: client point; result non-zero: hit
constexpr UINT CM_VISIBLECHANGED        = CM_BASE + 11; // WPARAM: the new value
constexpr UINT CM_ENABLEDCHANGED        = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED          = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED           = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED         = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED          = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED    = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED           = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER            = CM_BASE + 19; // LPARAM: the control entered (TControl*)
constexpr UINT CM_MOUSELEAVE            = CM_BASE + 20; // LPARAM: the control left (TControl*)
constexpr UINT CM_MENUCHANGED           = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN            = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND         = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED         = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED        = CM_BASE + 25;
constexpr UINT CM_ENTER                 = CM_BASE + 26;
constexpr UINT CM_EXIT                  = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST         = CM_BASE + 28; // as a mouse message; non-zero: wants the mouse at design time
constexpr UINT CM_ICONCHANGED           = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY        = CM_BASE + 30; // WPARAM: key; non-zero: the control handles it itself
constexpr UINT CM_INVOKEHELP            = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK            = CM_BASE + 32;
constexpr UINT CM_RELEASE               = CM_BASE + 33; // posted to a form by Release; frees it
constexpr UINT CM_SHOWHINTCHANGED       = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE        = CM_BASE + 36;
constexpr UINT CM_WININICHANGE          = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE            = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE            = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED        = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE            = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE          = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE     = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE     = CM_BASE + 44; // WPARAM: TControl*; LPARAM: inserting
constexpr UINT CM_GETDATALINK           = CM_BASE + 45;
constexpr UINT CM_CHILDKEY              = CM_BASE + 46; // WPARAM: key; LPARAM: TWinControl* with focus; non-zero: handled
constexpr UINT CM_DRAG                  = CM_BASE + 47; // WPARAM: TDragMessage; LPARAM: TDragRec*
constexpr UINT CM_HINTSHOW              = CM_BASE + 48; // LPARAM: THintInfo*; non-zero: no hint
constexpr UINT CM_DIALOGHANDLE          = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL         = CM_BASE + 50;
constexpr UINT CM_RECREATEWND           = CM_BASE + 51;
constexpr UINT CM_INVALIDATE            = CM_BASE + 52; // WPARAM: 1 when only the control's own area
constexpr UINT CM_SYSFONTCHANGED        = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE         = CM_BASE + 54; // WPARAM: TControl*; LPARAM: inserting
constexpr UINT CM_CHANGED               = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT            = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT          = CM_BASE + 57;
constexpr UINT CM_FLOAT                 = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED         = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED       = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED    = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE          = CM_BASE + 63; // LPARAM: TBasicAction*
constexpr UINT CM_ACTIONEXECUTE         = CM_BASE + 64; // LPARAM: TBasicAction*
constexpr UINT CM_HINTSHOWPAUSE         = CM_BASE + 65; // WPARAM: hint was active; LPARAM: int* pause
constexpr UINT CM_DOCKNOTIFICATION      = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL            = CM_BASE + 67; // as WM_MOUSEWHEEL; non-zero: handled
constexpr UINT CM_ISSHORTCUT            = CM_BASE + 68;
constexpr UINT CM_SHOWINGCHANGED_ALL    = CM_BASE + 69;
constexpr UINT CM_PARENTVISIBLECHANGED  = CM_BASE + 70;

constexpr UINT CN_BASE                  = 0xBC00;
constexpr UINT CN_CHARTOITEM            = CN_BASE + 0x002F;
constexpr UINT CN_COMMAND               = CN_BASE + WM_COMMAND;
constexpr UINT CN_HSCROLL               = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL               = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN               = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP                 = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR                  = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN            = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSKEYUP              = CN_BASE + WM_SYSKEYUP;
constexpr UINT CN_SYSCHAR               = CN_BASE + WM_SYSCHAR;
// clang-format on

// ---------------------------------------------------------------------------------------------
// The message record and its typed views. A view refers to the record; writing through it
// changes the message (a key handler may change or clear the key).

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

struct TMessageView {
    explicit TMessageView(TMessage& message) : Message(message) {}
    TMessage& Message;
    UINT Msg() const { return Message.Msg; }
    LRESULT& Result() { return Message.Result; }
};

// WM_MOUSEMOVE ... WM_MBUTTONDBLCLK, CM_DESIGNHITTEST: the key flags and a signed 16-bit point.
struct TWMMouse : TMessageView {
    using TMessageView::TMessageView;
    WPARAM Keys() const { return Message.WParam; }
    int XPos() const { return LoWordSigned(Message.LParam); }
    int YPos() const { return HiWordSigned(Message.LParam); }
    TPoint Pos() const { return {XPos(), YPos()}; }
    void SetPos(TPoint p) { Message.LParam = PointToLParam(p); }
};
using TCMDesignHitTest = TWMMouse;

// WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP, WM_CHAR, CM_DIALOGKEY, CN_KEYDOWN ...: the key (or character)
// by reference and the key data.
struct TWMKey : TMessageView {
    using TMessageView::TMessageView;
    WPARAM& CharCode() { return Message.WParam; }
    WPARAM CharCode() const { return Message.WParam; }
    LPARAM KeyData() const { return Message.LParam; }
};
using TWMChar = TWMKey;

// WM_MOUSEWHEEL, CM_MOUSEWHEEL: key flags (low word), the signed delta (high word) and the screen point.
struct TWMMouseWheel : TMessageView {
    using TMessageView::TMessageView;
    WPARAM Keys() const { return LOWORD(Message.WParam); }
    int WheelDelta() const { return static_cast<std::int16_t>(HIWORD(Message.WParam)); }
    TPoint Pos() const { return PointFromLParam(Message.LParam); }
};

// WM_PAINT, WM_ERASEBKGND: the device context to paint into (null: paint the window itself).
struct TWMPaint : TMessageView {
    using TMessageView::TMessageView;
    HDC DC() const { return reinterpret_cast<HDC>(Message.WParam); }
    void SetDC(HDC dc) { Message.WParam = reinterpret_cast<WPARAM>(dc); }
};
using TWMEraseBkgnd = TWMPaint;

// WM_NCHITTEST (screen point) and CM_HITTEST (client point).
struct TWMNCHitTest : TMessageView {
    using TMessageView::TMessageView;
    TPoint Pos() const { return PointFromLParam(Message.LParam); }
};
using TCMHitTest = TWMNCHitTest;

// WM_MOVING, WM_SIZING: the proposed window rectangle, which the handler may change.
struct TWMMoving : TMessageView {
    using TMessageView::TMessageView;
    WPARAM Edge() const { return Message.WParam; }
    TRect* DragRect() const { return reinterpret_cast<TRect*>(Message.LParam); }
};
using TWMSizing = TWMMoving;

// WM_WINDOWPOSCHANGING/CHANGED.
struct TWMWindowPosMsg : TMessageView {
    using TMessageView::TMessageView;
    WINDOWPOS* WindowPos() const { return reinterpret_cast<WINDOWPOS*>(Message.LParam); }
};

// WM_SIZE and WM_MOVE.
struct TWMSize : TMessageView {
    using TMessageView::TMessageView;
    WPARAM SizeType() const { return Message.WParam; }
    int Width() const { return LOWORD(static_cast<std::uintptr_t>(Message.LParam)); }
    int Height() const { return HIWORD(static_cast<std::uintptr_t>(Message.LParam)); }
};
struct TWMMove : TMessageView {
    using TMessageView::TMessageView;
    int XPos() const { return LoWordSigned(Message.LParam); }
    int YPos() const { return HiWordSigned(Message.LParam); }
};

// WM_ACTIVATE.
struct TWMActivate : TMessageView {
    using TMessageView::TMessageView;
    int Active() const { return LOWORD(Message.WParam); }
    bool Minimized() const { return HIWORD(Message.WParam) != 0; }
    HWND ActiveWindow() const { return reinterpret_cast<HWND>(Message.LParam); }
};

// WM_SETCURSOR.
struct TWMSetCursor : TMessageView {
    using TMessageView::TMessageView;
    HWND CursorWnd() const { return reinterpret_cast<HWND>(Message.WParam); }
    int HitTest() const { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))); }
    UINT MouseMsg() const { return HIWORD(static_cast<std::uintptr_t>(Message.LParam)); }
};

// CM_FOCUSCHANGED, CM_CANCELMODE, CM_MOUSEENTER/LEAVE: the control concerned.
struct TCMControlMessage : TMessageView {
    using TMessageView::TMessageView;
    TControl* Sender() const { return reinterpret_cast<TControl*>(Message.LParam); }
};
using TCMFocusChanged = TCMControlMessage;
using TCMCancelMode = TCMControlMessage;

// CM_CONTROLCHANGE and CM_CONTROLLISTCHANGE.
struct TCMControlChange : TMessageView {
    using TMessageView::TMessageView;
    TControl* Control() const { return reinterpret_cast<TControl*>(Message.WParam); }
    bool Inserting() const { return Message.LParam != 0; }
};

// CM_CHILDKEY.
struct TCMChildKey : TMessageView {
    using TMessageView::TMessageView;
    WPARAM& CharCode() { return Message.WParam; }
    TWinControl* Sender() const { return reinterpret_cast<TWinControl*>(Message.LParam); }
};

// Drag and drop (CM_DRAG).
DW_ENUM(TDragMessage, dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget)
struct TDragRec {
    TPoint Pos; // screen coordinates
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;
    bool Docking = false;
};
struct TCMDrag : TMessageView {
    using TMessageView::TMessageView;
    TDragMessage DragMessage() const { return static_cast<TDragMessage>(Message.WParam); }
    TDragRec* DragRec() const { return reinterpret_cast<TDragRec*>(Message.LParam); }
};

// CM_HINTSHOW: what the hint will show and where; a handler may change any of it.
struct THintInfo {
    TControl* HintControl = nullptr;
    int HintWindowClassIndex = 0;
    TPoint HintPos; // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;      // client coordinates of HintControl: moving out of it hides the hint
    TPoint CursorPos;      // client coordinates of HintControl
    int ReshowTimeout = 0; // ms after which the hint is asked for again (0: never)
    int HideTimeout = 0;   // ms the hint stays (0: the application's HintHidePause)
    String HintStr;
    void* HintData = nullptr;
};
struct TCMHintShow : TMessageView {
    using TMessageView::TMessageView;
    THintInfo* HintInfo() const { return reinterpret_cast<THintInfo*>(Message.LParam); }
};

} // namespace dw
