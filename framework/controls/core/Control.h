// TControl, the root of the control hierarchy, with its size constraints and action link, the
// interfaces of shortcut handlers and context menus, and the lookups of controls by window,
// point and capture.
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
#pragma once

#include "framework/controls/core/ActionLink.h"
#include "framework/controls/core/ControlMessages.h"
#include "framework/controls/core/ControlTypes.h"
#include "framework/controls/graphics/Colors.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/rtl/Component.h"

#include <memory>

namespace dw {

class TWinControl;
class TCustomForm;
class TDragObject;
class TDragImageList;

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

// The positions and sizes controls accept (Left, Top, Width, Height, ClientWidth, ClientHeight,
// BorderWidth): a million pixels each way, so that no sum a layout, a scroll range or a window
// rectangle makes of them comes near overflowing. Sizes below zero count as zero, as they always
// have; anything beyond the range is refused with EPropertyError naming the property.
constexpr int MaxControlCoordinate = 1000000;
void CheckControlPosition(const char* name, int value);
void CheckControlSize(const char* name, int value);

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

} // namespace dw
