// The control core: framework messages (CM_*, CN_*) and the message record with its typed views,
// TControl, TWinControl, TGraphicControl, TCustomControl and TControlCanvas, size constraints,
// the control's action link, drag and drop objects, and the mouse object.
//
// Messages. Every message a control handles goes through its WindowProc (by default WndProc):
//   platform window procedure -> MainWndProc -> WindowProc -> WndProc -> Dispatch -> handler
//   Perform(msg, w, l)        ->                WindowProc -> ...
// WndProc's first act for a control in design state is to offer the message to the designer hook
// of its parent form (IsDesignMsg); a message the hook takes goes no further. Dispatch is a switch
// in each class: a handler passes a message on to the inherited handling with
// `inherited::Dispatch(message)`; what no class handles reaches DefaultHandler, which for a
// windowed control is the window class's procedure (DefWindowProc for the framework's classes).
// An exception raised while a window message is handled is caught in MainWndProc and shown by
// Application->HandleException; it never unwinds into the windowing core.
//
// Non-windowed controls (TGraphicControl) get their mouse messages from their parent, which
// forwards each mouse message to the child under the mouse (or the one that captured it) with the
// point converted to the child's client coordinates, and their paint messages as
// WM_PAINT with the parent's DC (origin moved to the child, clipped to it) in WPARAM.
#pragma once

#include "framework/controls/ActionLink.h"
#include "framework/controls/Canvas.h"
#include "framework/controls/Colors.h"
#include "framework/controls/Cursors.h"
#include "framework/controls/Graphics.h"
#include "framework/platform/Messages.h"
#include "framework/platform/WindowClass.h"
#include "framework/rtl/Component.h"

#include <functional>
#include <memory>
#include <vector>

namespace dw {

class TControl;
class TWinControl;
class TCustomForm;
class TDragObject;
class TDragImageList;
struct TWMKey;

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

// Implemented by components that answer keyboard shortcuts (menus, action lists). Before a key
// reaches the focused control the application asks, in turn, the popup menus of the control and
// its parents, then the active form (TCustomForm::IsShortCut: its OnShortCut, its Menu, then
// every component it owns that implements this and answers FormShortCuts), the active MDI child
// and the main form.
class IShortCutHandler {
public:
    // True when the key was a shortcut and has been acted on.
    virtual bool IsShortCut(TWMKey& message) = 0;
    // Whether the owning form asks this component about every key (popup menus answer false:
    // they are asked only through the controls they belong to).
    virtual bool FormShortCuts() const { return true; }

protected:
    ~IShortCutHandler() = default;
};

// Implemented by popup menus: shown for control at a screen point when the user asks for the
// context menu (right button up, or the menu key).
class IContextPopup {
public:
    virtual void PopupFor(TControl* control, TPoint screenPos) = 0;

protected:
    ~IContextPopup() = default;
};

// ---------------------------------------------------------------------------------------------
// Enumerations and sets.

DW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
DW_SET(TAlignSet, TAlign)
DW_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
DW_SET(TAnchors, TAnchorKind)
DW_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
DW_SET(TShiftState, TShiftStateItem)
// The mouse button of a mouse event. Published under the type name "TMouseButton"; the C++ name
// differs because the windowing core's backend events already use TMouseButton.
enum TMouseBtn { mbLeft, mbRight, mbMiddle };
inline const TTypeInfo& DwTypeInfoOf(TMouseBtn*) {
    static const TTypeInfo& info = MakeEnumTypeInfo("TMouseButton", "mbLeft, mbRight, mbMiddle");
    return info;
}
DW_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
        csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
        csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
        csParentBackground)
DW_SET(TControlStyle, TControlStyleItem)
DW_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
        csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csMouseInside)
DW_SET(TControlState, TControlStateItem)
DW_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
DW_ENUM(TDragMode, dmManual, dmAutomatic)
DW_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
DW_ENUM(TDragKind, dkDrag, dkDock)
DW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
DW_ENUM(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)
DW_ENUM(TBevelEdge, beLeft, beTop, beRight, beBottom)
DW_SET(TBevelEdges, TBevelEdge)
// Form border styles; controls publish their BorderStyle with BorderStyleTypeInfo (bsNone, bsSingle).
DW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
using TBorderStyle = TFormBorderStyle;
const TTypeInfo& BorderStyleTypeInfo();
// The width of a border or bevel in pixels.
using TBorderWidth = int;
using TBevelWidth = int;
// A named integer type for TabOrder (-1 means none), so property editors can find it.
const TTypeInfo& TabOrderTypeInfo();
// A named string type for captions and hints.
const TTypeInfo& CaptionTypeInfo();

// The anchors each Align value implies.
TAnchors AnchorAlign(TAlign align);

TShiftState KeysToShiftState(WPARAM keys);
// The shift state from a key message's key data (Alt from its context bit; Shift and Ctrl from
// the key state of the message being handled).
TShiftState KeyDataToShiftState(LPARAM keyData);
// Shift, Ctrl, Alt and the mouse buttons as the key state of the current message has them.
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------------------------------------
// Events.

DW_EVENT(TMouseEvent, (TObject*, TMouseBtn, TShiftState, int, int),
         "Sender: TObject; Button: TMouseButton; Shift: TShiftState; X: Integer; Y: Integer");
DW_EVENT(TMouseMoveEvent, (TObject*, TShiftState, int, int),
         "Sender: TObject; Shift: TShiftState; X: Integer; Y: Integer");
DW_EVENT(TKeyEvent, (TObject*, Word&, TShiftState), "Sender: TObject; var Key: Word; Shift: TShiftState");
DW_EVENT(TKeyPressEvent, (TObject*, char32_t&), "Sender: TObject; var Key: Char");
DW_EVENT(TMouseWheelEvent, (TObject*, TShiftState, int, TPoint, bool&),
         "Sender: TObject; Shift: TShiftState; WheelDelta: Integer; MousePos: TPoint; var Handled: Boolean");
DW_EVENT(TMouseWheelUpDownEvent, (TObject*, TShiftState, TPoint, bool&),
         "Sender: TObject; Shift: TShiftState; MousePos: TPoint; var Handled: Boolean");
DW_EVENT(TDragOverEvent, (TObject*, TObject*, int, int, TDragState, bool&),
         "Sender: TObject; Source: TObject; X: Integer; Y: Integer; State: TDragState; var Accept: Boolean");
DW_EVENT(TDragDropEvent, (TObject*, TObject*, int, int), "Sender: TObject; Source: TObject; X: Integer; Y: Integer");
DW_EVENT(TStartDragEvent, (TObject*, TDragObject*&), "Sender: TObject; var DragObject: TDragObject");
DW_EVENT(TEndDragEvent, (TObject*, TObject*, int, int), "Sender: TObject; Target: TObject; X: Integer; Y: Integer");
DW_EVENT(TCanResizeEvent, (TObject*, int&, int&, bool&),
         "Sender: TObject; var NewWidth: Integer; var NewHeight: Integer; var Resize: Boolean");
DW_EVENT(
    TConstrainedResizeEvent, (TObject*, int&, int&, int&, int&),
    "Sender: TObject; var MinWidth: Integer; var MinHeight: Integer; var MaxWidth: Integer; var MaxHeight: Integer");
DW_EVENT(TContextPopupEvent, (TObject*, TPoint, bool&), "Sender: TObject; MousePos: TPoint; var Handled: Boolean");

// ---------------------------------------------------------------------------------------------

// Limits applied to a control's size on every bounds change (0: no limit).
class TSizeConstraints : public TPersistent {
    DW_CLASS(TSizeConstraints, TPersistent)
    explicit TSizeConstraints(TControl* control) : FControl(control) {}
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override;

    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);
    TControl* Control() const { return FControl; }
    TNotifyEvent OnChange;

protected:
    void Change();

private:
    TControl* FControl;
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};

// Ties a control to its Action: the control shows the action's caption, enabled state, hint and
// visibility while they agree, and a click executes the action.
class TControlActionLink : public TActionLink {
    DW_CLASS(TControlActionLink, TActionLink)
    explicit TControlActionLink(TObject* client);

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;
    void SetCaption(const String& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const String& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;
    // Lets the action change the hint about to be shown; false suppresses it.
    virtual bool DoShowHint(String& hintStr);

protected:
    TControl* FControl;
};

// ---------------------------------------------------------------------------------------------
// Drag and drop.

class TDragObject : public TObject {
    DW_CLASS(TDragObject, TObject)
    TDragObject() = default;

    // The cursor over a target that accepts (or refuses) the drop.
    virtual TCursor GetDragCursor(bool accepted, int x, int y);
    // The images shown while dragging; null for none.
    virtual TDragImageList* GetDragImages();
    virtual void HideDragImage();
    virtual void ShowDragImage();
    // Told when the drag ended, dropped on target (accepted) or not.
    virtual void Finished(TObject* target, int x, int y, bool accepted);
    // The source passed to OnDragOver and OnDragDrop: the dragged control for a control drag object.
    virtual TObject* SourceObject() { return this; }

    TPoint DragPos() const { return FDragPos; }
    TControl* DragTarget() const { return FDragTarget; }
    TPoint DragTargetPos() const { return FDragTargetPos; }
    bool Cancelling() const { return FCancelling; }
    bool Dropped() const { return FDropped; }
    // Whether the framework frees this object when the drag ends (objects made by the framework).
    bool AutoFree() const { return FAutoFree; }
    void SetAutoFree(bool value) { FAutoFree = value; }
    bool AlwaysShowDragImages = false;

private:
    friend struct TDragMachine;
    TPoint FDragPos;
    TControl* FDragTarget = nullptr;
    TPoint FDragTargetPos;
    bool FCancelling = false;
    bool FDropped = false;
    bool FAutoFree = false;
};

// A drag object whose source is a control.
class TDragControlObject : public TDragObject {
    DW_CLASS(TDragControlObject, TDragObject)
    explicit TDragControlObject(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value) { FControl = value; }
    TCursor GetDragCursor(bool accepted, int x, int y) override;
    TDragImageList* GetDragImages() override;
    void HideDragImage() override;
    void ShowDragImage() override;
    void Finished(TObject* target, int x, int y, bool accepted) override;
    TObject* SourceObject() override;

private:
    TControl* FControl;
};

// The drag object of the drag under way, or null.
TDragObject* DragObject();
bool IsDragging();
// Cancels the drag under way (the target gets dmDragCancel; nothing is dropped).
void CancelDrag();
// Ends the drag under way: drops on the current target when drop is true (and it accepts).
void DragDone(bool drop);
// Told when a control dies, so a drag under way forgets it.
void DragControlDestroyed(TControl* control);

// ---------------------------------------------------------------------------------------------

class TControl : public TComponent {
    DW_CLASS(TControl, TComponent)
    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;

    // ---- messages
    // Where every message goes first; replace it to look at messages before the control does
    // (keep the previous value and pass messages on to it).
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // Hands the message to this class's handler for it (each class overrides with a switch and
    // passes what it does not handle on with inherited::Dispatch).
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // ---- geometry
    int Left() const { return FLeft; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The one place bounds change: applies the constraints, moves the window (windowed) or
    // repaints and sends itself WM_WINDOWPOSCHANGED (non-windowed), and re-aligns the parent.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int value);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int value);
    // Sets the size so that the client area gets this size.
    void SetClientSize(int width, int height) { SetClientSizeImpl(width, height); }
    // The screen position of the client area's origin.
    TPoint ClientOrigin() const { return GetClientOrigin(); }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    TRect ClientToScreen(const TRect& r) const;
    TRect ScreenToClient(const TRect& r) const;
    // Converts between this control's client coordinates and those of parent (by default the
    // Parent); parent must be an ancestor.
    TPoint ClientToParent(TPoint p, TWinControl* parent = nullptr) const;
    TPoint ParentToClient(TPoint p, TWinControl* parent = nullptr) const;

    // ---- tree
    TWinControl* Parent() const { return FParent; }
    // Moves the control to another parent (null removes it from its parent).
    virtual void SetParent(TWinControl* value);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

    // ---- state and appearance
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show();
    void Hide();
    // Visible, and every parent too.
    bool IsVisibleOnScreen() const;
    // The design-time visibility rule: a control in design state shows unless it is invisible and
    // marked csNoDesignVisible.
    bool DesignVisible() const;
    bool Enabled() const { return GetEnabled(); }
    void SetEnabled(bool value) { SetEnabledImpl(value); }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    bool IsAnchorsStored() const { return FAnchors != AnchorAlign(FAlign); }
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* value) { FConstraints->Assign(value); }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);
    const String& Caption() const { return FText; }
    void SetCaption(const String& value) { SetText(value); }
    const String& Text() const { return FText; }
    void SetText(const String& value);
    bool IsCaptionStored() const;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    bool IsColorStored() const;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    bool IsFontStored() const { return !FParentFont; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    TDragMode DragMode() const { return FDragMode; }
    virtual void SetDragMode(TDragMode value) { FDragMode = value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind value) { FDragKind = value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool IsHintStored() const;
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    bool IsShowHintStored() const { return !FParentShowHint; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    // The popup menu: a free-notified reference to a component that implements IContextPopup
    // (the menus' TPopupMenu). Typed as a component so the core does not depend on the menus.
    TComponent* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TComponent* value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftScrollBar() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    // Taking csNoDesignVisible away (or adding it) shows (or hides) a designed control at once.
    void SetControlStyle(TControlStyle value);
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // Whether the mouse is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInClient() const { return FControlState.Contains(csMouseInside); }

    // ---- actions
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // Asks the action link to update the action (idle processing calls it).
    virtual void InitiateAction();

    // ---- painting and z-order
    virtual void Invalidate();
    // Paints now what is invalid (Update), after invalidating the whole control (Repaint).
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool topMost);
    // Paints the control (and a windowed control's children) into dc with its top-left at (x, y).
    virtual void PaintTo(HDC dc, int x, int y);

    // ---- input
    virtual void Click();
    virtual void DblClick();
    void BeginDrag(bool immediate, int threshold = -1);
    void EndDrag(bool drop);
    bool Dragging() const;
    virtual void DragDrop(TObject* source, int x, int y);

    // ---- scaling and mirroring
    // Scales position, size and font by m/d (ScaleBy on the parent calls it for each child).
    void ScaleControl(int m, int d) { ChangeScale(m, d); }
    // The control's position mirrored inside its parent, and its alignment and anchors flipped.
    void FlipPosition();

    // ---- streaming
    void SetName(const String& newName) override;
    void ReadState(TReader* reader) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TContextPopupEvent OnContextPopup;

protected:
    friend class TWinControl;
    friend class TCustomForm;
    friend class TControlActionLink;
    friend class TDragControlObject;
    friend class TApplication;
    friend struct TDragMachine;

    // Offers the message to the designer hook of the parent form when the control is in design
    // state; true when the hook took it.
    bool DesignerTakes(TMessage& message);
    // WndProc after the designer's turn: key preview, mouse bookkeeping, then Dispatch.
    void ControlWndProc(TMessage& message);
    void BeginAutoDrag();

    virtual TRect GetClientRect() const;
    virtual TPoint GetClientOrigin() const;
    virtual void SetClientSizeImpl(int width, int height);
    virtual bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabledImpl(bool value);
    virtual void SetTextImpl(const String& value);
    virtual void VisibleChanging() {}
    // Mouse and input virtuals.
    virtual void MouseDown(TMouseBtn button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseBtn button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    virtual void Resize();
    virtual bool CanResize(int& newWidth, int& newHeight);
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
    // Applies the constraints and OnCanResize/CanAutoSize; false when the size may not change.
    bool CheckNewSize(int& newWidth, int& newHeight);
    void DoConstraintsChange(TObject* sender);
    // Sizes the control to its content when AutoSize is set.
    virtual void AdjustSize();
    // Scaling: positions, sizes and the font by m/d.
    virtual void ChangeScale(int m, int d);
    // Drag virtuals.
    virtual void DoStartDrag(TDragObject*& dragObject);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragCanceled() {}
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // Action virtuals.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TControlActionLink* CreateActionLink();
    void DoActionChange(TObject* sender);
    // Tells the parent's alignment that this control's bounds or alignment changed.
    void RequestAlign();
    // Sets bounds on behalf of the parent's layout (anchor rules stay as they are).
    void SetBoundsByLayout(int left, int top, int width, int height);
    void UpdateAnchorRules();
    // Sets the bounds fields without any message (the window already has them).
    void UpdateBoundsRect(const TRect& r);
    virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
    // Invalidates the control's area on its parent (the control itself when windowed).
    void InvalidateControl(bool isVisible, bool isOpaque);
    virtual HWND GetParentHandle() const;
    // Text of the window or of the field.
    virtual String GetText() const { return FText; }
    void SendCancelMode(TControl* sender);
    void SetParentInternal(TWinControl* value) { FParent = value; }

    // Message handlers.
    void WMMouseButton(TMessage& message, TMouseBtn button, bool down, bool dbl);
    void WMMouseMove(TMessage& message);
    void WMMouseWheel(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void CMDrag(TMessage& message);
    void CMHitTest(TMessage& message);
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void CMParentFontChanged(TMessage& message);
    void CMParentColorChanged(TMessage& message);
    void CMParentShowHintChanged(TMessage& message);
    void CMParentBiDiModeChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMTextChanged(TMessage& message);
    void CMMouseWheel(TMessage& message);
    void CMFloat(TMessage& message) { (void)message; }

    void FontChanged(TObject* sender);

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TWinControl* FParent = nullptr;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FAutoSize = false;
    String FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont, TObjectDeleter> FFont;
    bool FParentFont = true;
    TCursor FCursor = crDefault;
    TCursor FDragCursor = crDrag;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    int FHelpContext = 0;
    TComponent* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    std::unique_ptr<TSizeConstraints, TObjectDeleter> FConstraints;
    std::unique_ptr<TControlActionLink, TObjectDeleter> FActionLink;
    // DisableAlign nesting of a windowed control.
    int FAlignLevel = 0;
    // Set while the parent's layout moves the control, so the move keeps the anchor rules.
    bool FAnchorMove = false;
    // Anchors were read from a stream, so Align read later must not replace them.
    bool FAnchorsRead = false;
};

// ---------------------------------------------------------------------------------------------

// What CreateParams fills in: the window's styles, class and position.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    // style, cursor and background of the class; its procedure is the framework's.
    UINT ClassStyle = 0;
    HCURSOR ClassCursor = nullptr;
    HBRUSH ClassBackground = nullptr;
    // The class name; a name of a class registered by someone else is subclassed.
    String WinClassName;
};

// A control with a window of its own, the parent of other controls.
class TWinControl : public TControl {
    DW_CLASS(TWinControl, TControl)
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // ---- the window
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // True while RecreateWnd destroys and remakes the window: the control itself stays.
    bool Recreating() const { return FRecreating; }
    void HandleNeeded();
    // Destroys the window and makes it again with the same state (text, bounds, focus).
    void RecreateWnd();
    // Releases the window (it is made again when next needed).
    virtual void DestroyHandle();
    // A parent window for a control without Parent (null removes the window).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND value);
    // The window procedure the window really calls: converts, routes through WindowProc, and
    // catches exceptions for the application's display.
    LRESULT MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether the window is currently shown (the control and all parents visible).
    bool Showing() const { return FShowing; }

    // ---- children
    int ControlCount() const { return static_cast<int>(FGraphicControls.size() + FWinControls.size()); }
    // In z-order, bottom first: non-windowed children before windowed ones.
    TControl* Controls(int index) const;
    int WinControlCount() const { return static_cast<int>(FWinControls.size()); }
    TWinControl* WinControls(int index) const { return FWinControls.at(static_cast<size_t>(index)); }
    int GraphicControlCount() const { return static_cast<int>(FGraphicControls.size()); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Whether control is this control or one of its descendants.
    bool ContainsControl(const TControl* control) const;
    // The child at a client point (the topmost hit; windowed ones first); allowDisabled finds
    // disabled children too; allLevels searches down into windowed children.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = true, bool allLevels = false) const;
    TControl* FindChildControl(std::string_view controlName) const;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    // Sends the message to every child until one sets a non-zero result.
    void Broadcast(TMessage& message);
    // Sends msg (with no parameters) to every child.
    void NotifyControls(UINT msg);

    // ---- focus and tab order
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // The windowed children in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    const std::vector<TWinControl*>& TabList() const { return FTabList; }
    virtual bool CanFocus() const;
    virtual bool Focused() const;
    // Raises EInvalidOperation when the control cannot be focused.
    virtual void SetFocus();
    // The next control in tab order after current (before it when goForward is false).
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // The focused descendant, if any.
    bool ContainsFocus() const;

    // ---- layout
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    // Lays out the aligned and anchored children in the client area; control is the one that
    // moved (it keeps its place among equally aligned ones).
    virtual void AlignControls(TControl* control, TRect& rect);
    // The client area less the border width (where aligned children go).
    virtual void AdjustClientRect(TRect& rect) const;
    // Scales the children and (for a form) the font by m/d.
    void ScaleBy(int m, int d);
    // Mirrors the children (and their children when allLevels).
    virtual void FlipChildren(bool allLevels);
    void ScrollBy(int deltaX, int deltaY);

    // ---- appearance
    TBrush* Brush() const { return FBrush.get(); }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value);
    bool IsCtl3DStored() const { return !FParentCtl3D; }
    TBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TBorderWidth value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind value);
    TBevelWidth BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(TBevelWidth value);
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges value);

    // ---- painting
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Paints the control and its non-windowed children into the message's DC (BeginPaint when it
    // has none). Does not go through the designer hook: the hook calls it to paint a control.
    virtual void PaintHandler(TMessage& message);
    // Paints the non-windowed children into dc (each gets WM_PAINT with dc, through its hook);
    // first is the child to start at (null: all).
    void PaintControls(HDC dc, TControl* first);
    void PaintTo(HDC dc, int x, int y) override;
    void SetZOrder(bool topMost) override;

    // ---- events
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* value) override;
    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void ReadState(TReader* reader) override;
    void Loaded() override;
    void InitiateAction() override;

    // The control of a window handle made by the framework, or null.
    static TWinControl* FindControl(HWND handle);
    // The procedure of the framework's window classes: routes to the control's MainWndProc.
    static LRESULT StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Makes control visible on the way to the screen (a page control brings the page forward).
    virtual void ShowControl(TControl* control);
    // The thickness of the window's frame on each side (left, top, right, bottom), whether or not
    // the window exists yet.
    TRect NonClientMargins() const;

protected:
    friend class TControl;
    friend class TCustomForm;

    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // Makes the windows of the children once this one exists.
    void CreateChildHandles();
    // Brings the window's visibility in line with Visible and the parent's Showing.
    void UpdateShowing();
    virtual void ShowingChanged() {}
    // Reads the window's rectangle into Left/Top/Width/Height.
    void UpdateBounds();
    // Paints the window's own content into dc (TCustomControl: Paint on its canvas).
    virtual void PaintWindow(HDC dc);
    // Fills the background with Color; answer true when the background is done. Override and
    // answer true without drawing to never erase.
    virtual bool EraseBackground(HDC dc);
    // Key virtuals; clearing the key stops its handling.
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Fires OnKeyDown (and the form's preview); true when the key was cleared.
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    // The key was pressed in a child; dialog keys and form shortcuts are handled here.
    bool IsMenuKey(TMessage& message);
    void ChangeScale(int m, int d) override;
    void DoFlipChildren();
    // Called for every child when the client area changed size or a child's bounds changed.
    virtual void AlignControl(TControl* control);
    virtual void DoAlign(TAlign align, TControl* control, TRect& rect);
    virtual bool CustomAlignInsertBefore(TControl* c1, TControl* c2) {
        (void)c1, (void)c2;
        return false;
    }
    virtual void CustomAlignPosition(TControl* control, int& newLeft, int& newTop, int& newWidth, int& newHeight,
                                     TRect& alignRect) {
        (void)control, (void)newLeft, (void)newTop, (void)newWidth, (void)newHeight, (void)alignRect;
    }
    // The size of the window's frame (non-client) on each side.
    TRect GetClientRect() const override;
    TPoint GetClientOrigin() const override;
    void SetClientSizeImpl(int width, int height) override;
    void SetEnabledImpl(bool value) override;
    void SetTextImpl(const String& value) override;
    String GetText() const override;
    HWND GetParentHandle() const override;
    void VisibleChanging() override {}
    // Forwards mouse messages to the non-windowed child under the mouse; true when forwarded.
    bool IsControlMouseMsg(TMessage& message);
    // The window's own procedure for messages the framework does not handle.
    LRESULT CallDefWndProc(TMessage& message);
    void FixupTabList();
    void UpdateTabOrder(int value);
    void InvalidateFrame();
    void RemoveFocus(bool removing);
    // The window above control in z-order (for placing its new window), or HWND_TOP.
    HWND PrecedingWindow(TWinControl* control) const;
    void AttachHandle(HWND handle);
    void DetachHandle(HWND handle);
    void UpdateControlState();
    // The frame drawn by bevels and border width around the client area, in window coordinates.
    int BevelFrameWidth() const;
    // The height of the menu bar the window keeps in its frame when it has width pixels inside its
    // frame (forms with a main menu); used to measure the frame before the window exists.
    virtual int MenuBarHeight(int width) const {
        (void)width;
        return 0;
    }

    // Message handlers.
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMKillFocus(TMessage& message);
    void WMKeyDown(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMChar(TMessage& message);
    void WMSysKeyDown(TMessage& message);
    void WMSize(TMessage& message);
    void WMMove(TMessage& message);
    void WMWindowPosChangedW(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMMouseLeave(TMessage& message);
    void CNKeyDown(TMessage& message);
    void CNKeyUp(TMessage& message);
    void CNChar(TMessage& message);
    void CMEnter(TMessage& message);
    void CMExit(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMFocusChanged(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void CMVisibleChangedW(TMessage& message);
    void CMEnabledChangedW(TMessage& message);
    void CMColorChangedW(TMessage& message);
    void CMFontChangedW(TMessage& message);
    void CMBorderChanged(TMessage& message);
    void CMRecreateWnd(TMessage& message);
    void CMInvalidate(TMessage& message);
    void CMChildKey(TMessage& message);
    void CMCursorChanged(TMessage& message);
    void CMBiDiModeChangedW(TMessage& message);
    void CMCtl3DChanged(TMessage& message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    TWindowProc FDefWndProc;
    bool FOwnClass = true;
    std::vector<TControl*> FGraphicControls; // non-windowed children, bottom first
    std::vector<TWinControl*> FWinControls;  // windowed children, bottom first
    std::vector<TWinControl*> FTabList;
    int FTabOrder = -1;
    bool FTabStop = false;
    bool FShowing = false;
    bool FDoubleBuffered = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TBorderWidth FBorderWidth = 0;
    TBevelCut FBevelInner = bvRaised;
    TBevelCut FBevelOuter = bvLowered;
    TBevelKind FBevelKind = bkNone;
    TBevelWidth FBevelWidth = 1;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    std::unique_ptr<TBrush, TObjectDeleter> FBrush;
    TControl* FMouseControl = nullptr; // the non-windowed child the mouse was last over
    String FSavedText;
    TRect FSavedBounds;
    bool FRecreating = false;
    // Set while CreateParams is asked only to measure the window's frame.
    bool FMeasuringFrame = false;
    TSize FLastClientSize{-1, -1};
};

// A control without a window; it paints on its parent's window through its Canvas.
class TGraphicControl : public TControl {
    DW_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Valid while painting (Paint); a canvas over the parent's DC at other times.
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& message);

private:
    std::unique_ptr<TCanvas, TObjectDeleter> FCanvas;
};

// A windowed control that paints itself on its Canvas in Paint.
class TCustomControl : public TWinControl {
    DW_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // Valid while painting; outside painting it draws on the window's client area (a DC of the
    // window is made on demand and released when the canvas is unlocked or the control repainted).
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TCanvas, TObjectDeleter> FCanvas;
};

// A canvas over a control's device context: the window's client DC for a windowed control, the
// parent's DC moved and clipped to the control for a non-windowed one. The DC is made when first
// drawn with and released by FreeHandle (and when the control's window goes).
class TControlCanvas : public TCanvas {
    DW_CLASS(TControlCanvas, TCanvas)
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value);
    void FreeHandle();
    // Releases the DCs every control canvas holds (after each message, and on idle).
    static void FreeDeviceContexts();

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// ---------------------------------------------------------------------------------------------

// The mouse: its position, capture and drag threshold.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint value);
    HWND Capture() const;
    void SetCapture(HWND value);
    bool DragImmediate = true;
    int DragThreshold = 5;
    bool WheelPresent() const { return true; }
    int WheelScrollLines() const { return 3; }
};
extern TMouse* Mouse;

// The control that captured the mouse (a non-windowed one whose parent holds the capture), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The framework control of a window, or null.
TWinControl* FindControl(HWND handle);
// The deepest framework windowed control at a screen point, or null.
TWinControl* FindVCLWindow(TPoint screenPos);
// The deepest control (windowed or not) at a screen point that could take a drop, or null.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);

// The form that contains control (the outermost one when topForm), or null.
TCustomForm* GetParentForm(const TControl* control, bool topForm = true);
// As GetParentForm, raising EInvalidOperation when there is none.
TCustomForm* ValidParentForm(const TControl* control, bool topForm = true);

// A hidden window for objects that need window messages (timers, the application); proc gets
// each message. Free it with DeallocateHWnd.
HWND AllocateHWnd(TWndMethod proc);
void DeallocateHWnd(HWND window);

// Publishes inherited control properties on a descendant with the framework's usual types and
// defaults: c.Property is called for every name in names ("Align", "Anchors", "BiDiMode",
// "Caption", "Color", "Constraints", "Ctl3D", "Cursor", "DragCursor", "DragKind", "DragMode",
// "Enabled", "Font", "Hint", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
// "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Text", "Visible",
// "AutoSize", "BorderWidth", "BevelInner", "BevelOuter", "BevelKind", "BevelWidth", "BevelEdges",
// "DoubleBuffered", "Action" and the events OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp,
// OnMouseWheel, OnMouseEnter, OnMouseLeave, OnResize, OnCanResize, OnConstrainedResize, OnDragOver,
// OnDragDrop, OnStartDrag, OnEndDrag, OnContextPopup, OnKeyDown, OnKeyPress, OnKeyUp, OnEnter,
// OnExit). An unknown name raises EPropertyError when the class is defined.
template <class C> void PublishControlProperties(TClassBuilder<C>& c, std::initializer_list<const char*> names);

} // namespace dw

#include "framework/controls/ControlsPublish.h"
