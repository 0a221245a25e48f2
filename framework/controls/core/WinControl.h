// TWinControl, a control with a window of its own and the parent of other controls, and the
// creation parameters of its window.
#pragma once

#include "framework/controls/core/Control.h"
#include "framework/platform/window/WindowClass.h"

#include <memory>
#include <vector>

namespace dw {

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

} // namespace dw
