// Forms and what runs them: the designer hook interfaces, scrolling controls and the scroll box,
// TCustomForm and TForm, frames, data modules, the hint window, and the Screen and Application
// objects with the message loop, idle processing, shortcuts, modal loops and exception display.
#pragma once

#include "framework/controls/Controls.h"
#include "framework/platform/ScrollBar.h"
#include "framework/rtl/Interface.h"

#include <functional>
#include <vector>

namespace dw {

class TCustomForm;
class TForm;
class TDataModule;
class TApplication;
class TScreen;
class THintWindow;
class TIcon;

// ---------------------------------------------------------------------------------------------
// The designer hook. A form whose components are in design state offers every message of each
// such control on it to its Designer's IsDesignMsg before the control handles it, and skips the
// message when the hook answers true. It calls PaintGrid when it paints its background in design
// state, forwards the insertion and removal of its components to Notification, and lets the hook
// validate renames.

class IDesignerNotify : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{B2F3C7A0-5E4D-4C1B-9A6E-3D2F1B0C8E71}");
    virtual void Modified() = 0;
    virtual void Notification(TPersistent* object, TOperation operation) = 0;

protected:
    ~IDesignerNotify() = default;
};

class IDesignerHook : public IDesignerNotify {
public:
    static constexpr TGUID IID = TGUID::Parse("{1E9C4B7D-2A63-4F08-B5D1-7C8E0A4F2D93}");
    virtual TCustomForm* GetForm() = 0;
    virtual void SetForm(TCustomForm* value) = 0;
    virtual bool GetIsControl() = 0;
    virtual void SetIsControl(bool value) = 0;
    virtual bool IsDesignMsg(TControl* sender, TMessage& message) = 0;
    virtual void PaintGrid() = 0;
    virtual void ValidateRename(TComponent* component, const String& currentName, const String& newName) = 0;
    virtual String UniqueName(const String& baseName) = 0;
    virtual TComponent* GetRoot() = 0;

protected:
    ~IDesignerHook() = default;
};

// Implemented by main menus: told when a form takes the menu as its Menu (and when it lets it go),
// so the menu can put its bar on the form. The form also asks it about shortcuts when it
// implements IShortCutHandler.
class IFormMenu {
public:
    // The form shows this menu now (it was set, or the form's window was made again): the menu
    // lays its bar out in the form's frame.
    virtual void AttachToForm(TCustomForm* form) = 0;
    // The form no longer shows this menu.
    virtual void DetachFromForm(TCustomForm* form) = 0;
    // The height of the bar the form would show with width pixels inside its frame (0: none).
    virtual int BarHeight(const TCustomForm* form, int width) const = 0;

protected:
    ~IFormMenu() = default;
};

// ---------------------------------------------------------------------------------------------
// Scrolling.

DW_ENUM(TScrollBarKind, sbHorizontal, sbVertical)

// One scroll bar of a scrolling control: the scrolled range and the position in it. The bar shows
// when Range exceeds the client extent.
class TControlScrollBar : public TPersistent {
    DW_CLASS(TControlScrollBar, TPersistent)
    TControlScrollBar(class TScrollingWinControl* control, TScrollBarKind kind);
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TScrollBarKind Kind() const { return FKind; }
    int Range() const { return FRange; }
    void SetRange(int value);
    int Position() const { return FPosition; }
    // Clamped to 0 .. Range - client extent; scrolls the children.
    void SetPosition(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value < 1 ? 1 : value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    int Margin() const { return FMargin; }
    void SetMargin(int value) { FMargin = value; }
    // Whether the bar is shown now (visible and the range exceeds the client extent).
    bool IsScrollBarVisible() const;
    int ScrollPos() const { return FVisible ? FPosition : 0; }
    // Handles WM_HSCROLL/WM_VSCROLL codes.
    void ScrollMessage(WPARAM wParam);
    void Update();

private:
    int ClientExtent() const;
    class TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    int FIncrement = 8;
    int FMargin = 0;
    bool FVisible = true;
    bool FTracking = false;
    bool FUpdating = false;
    HWND FAppliedHandle = nullptr;
    SCROLLINFO FAppliedInfo;
};

class TScrollingWinControl : public TWinControl {
    DW_CLASS(TScrollingWinControl, TWinControl)
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { FHorzScrollBar->Assign(value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* value) { FVertScrollBar->Assign(value); }
    // Computes the ranges from the children's extents.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // Scrolls so that control is inside the client area.
    void ScrollInView(TControl* control);
    void Dispatch(TMessage& message) override;

protected:
    friend class TControlScrollBar;
    void AlignControls(TControl* control, TRect& rect) override;
    void CreateWnd() override;
    void UpdateScrollBars();
    // Sets both ranges from the children (AutoScroll).
    void CalcAutoRange();
    void AdjustClientRect(TRect& rect) const override;

private:
    std::unique_ptr<TControlScrollBar, TObjectDeleter> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar, TObjectDeleter> FVertScrollBar;
    bool FAutoScroll = false;
    bool FUpdatingScrollBars = false;
};

class TScrollBox : public TScrollingWinControl {
    DW_CLASS(TScrollBox, TScrollingWinControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    static constexpr TColor ColorDefault = clBtnFace;
    explicit TScrollBox(TComponent* owner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};

// ---------------------------------------------------------------------------------------------
// Forms.

DW_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
DW_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
DW_SET(TBorderIcons, TBorderIcon)
DW_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
        poMainFormCenter, poOwnerFormCenter)
DW_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
DW_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
DW_ENUM(TFormStateItem, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated)
DW_SET(TFormState, TFormStateItem)

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
// The named integer type of ModalResult properties.
const TTypeInfo& ModalResultTypeInfo();

DW_EVENT(TCloseEvent, (TObject*, TCloseAction&), "Sender: TObject; var Action: TCloseAction");
DW_EVENT(TCloseQueryEvent, (TObject*, bool&), "Sender: TObject; var CanClose: Boolean");
DW_EVENT(TShortCutEvent, (TWMKey&, bool&), "var Msg: TWMKey; var Handled: Boolean");

// Selects the constructor that makes a form (or frame, or data module) without reading its stored
// description: New<TForm1>(owner, CreateNew).
struct TCreateNew {};
inline constexpr TCreateNew CreateNew{};

class TCustomForm : public TScrollingWinControl {
    DW_CLASS(TCustomForm, TScrollingWinControl)
    // Makes the form and, once it is fully constructed, reads its stored description: the
    // "RCDATA" resource named after its class in upper case, ancestors' descriptions first (for
    // classes derived from the form classes of the framework). A class that has no description
    // anywhere in its chain raises EResNotFound naming the class.
    explicit TCustomForm(TComponent* owner);
    // Makes the form without a stored description.
    TCustomForm(TComponent* owner, TCreateNew);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- designer hook
    IDesignerHook* Designer() const { return FDesigner; }
    void SetDesigner(IDesignerHook* value);

    // ---- showing and closing
    void Show();
    void Hide();
    void Close();
    virtual bool CloseQuery();
    // Shows the form modally: other windows are disabled and messages are handled until
    // ModalResult is non-zero (and a close query allows it). Raises EInvalidOperation for a form
    // that is visible or disabled, or an MDI child.
    virtual int ShowModal();
    // Frees the form once the messages pending for it have been handled.
    void Release();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Active() const { return FActive; }
    TFormState FormState() const { return FFormState; }
    void SetFocus() override;
    bool CanFocus() const override { return FVisible && Enabled(); }

    // ---- focus
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Raises EInvalidOperation when the control cannot take the focus (a visible form only).
    void SetActiveControl(TWinControl* control);
    // Moves the focus to control (the form must be showing).
    void FocusControl(TWinControl* control);
    // Called when a control of the form gets the focus; sends CM_EXIT/CM_ENTER along the chain,
    // CM_ACTIVATE to the form when it becomes the focused form, and CM_FOCUSCHANGED.
    bool SetFocusedControl(TWinControl* control);
    void DefocusControl(TWinControl* control, bool removing);
    TWinControl* FocusedControl() const { return FFocusedControl; }

    // ---- appearance and behaviour
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TIcon* Icon() const { return FIcon; }
    void SetIcon(TIcon* value);
    // The main menu (a free-notified component; the menus' TMainMenu, told through IFormMenu).
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value);
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    // A canvas over the form's client area.
    TCanvas* Canvas() const { return FCanvas.get(); }
    int TextHeight() const { return FTextHeight; }
    // The client size as streams store it: while the form is read it is applied once reading ends.
    int StoredClientWidth() const { return ClientWidth(); }
    void SetStoredClientWidth(int value);
    int StoredClientHeight() const { return ClientHeight(); }
    void SetStoredClientHeight(int value);
    // Forms store their client size, and their outer size only when they scroll.
    bool IsFormSizeStored() const;
    bool IsClientSizeStored() const { return !IsFormSizeStored(); }
    bool IsColorStoredF() const { return !ParentColor(); }

    // ---- multiple documents
    TForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;
    // The MDI client window of a frame form (made with the form's window).
    HWND ClientHandle() const { return FClientHandle; }
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();

    // ---- keyboard
    // Whether key is a shortcut of this form; fires OnShortCut, then asks the Menu and the owned
    // components implementing IShortCutHandler.
    virtual bool IsShortCut(TWMKey& message);
    // A key for child; true when the form handled it (key preview).
    virtual bool WantChildKey(TControl* child, TMessage& message);
    // Updates the actions of the form's action links (idle processing).
    virtual void UpdateActions();

    void Notification(TComponent* component, TOperation operation) override;
    void ValidateRename(TComponent* component, const String& currentName, const String& newName) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    TComponent* GetChildOwner() override { return this; }
    void ReadState(TReader* reader) override;
    void Loaded() override;
    int MenuBarHeight(int width) const override;
    void DefineProperties(TFiler* filer) override;
    void Dispatch(TMessage& message) override;
    void WndProc(TMessage& message) override;
    void SetParent(TWinControl* value) override;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    friend class TApplication;
    friend class TScreen;

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    bool EraseBackground(HDC dc) override;
    void ChangeScale(int m, int d) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void SetClientSizeImpl(int width, int height) override;
    void ShowingChanged() override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Paint();
    // Reads the stored descriptions of the class chain into this form; false when there were none.
    bool InitInheritedComponent(TClass rootAncestor);
    void SetActive(bool value);
    void SetWindowFocus();
    void SetWindowToMonitor() {}
    void MergeMenu(bool mergeState) { (void)mergeState; }
    void CloseModal();
    // Applies Position when the form is first shown.
    void ApplyPosition();
    // The client size read from the form's description, applied once its references are resolved.
    void ApplyPendingClientSize();
    void SetVisibleFromShow(bool value);
    void DefaultHandler(TMessage& message) override;

    // Message handlers.
    void WMActivate(TMessage& message);
    void WMMDIActivate(TMessage& message);
    void WMClose(TMessage& message);
    void WMDestroy(TMessage& message);
    void WMSysCommand(TMessage& message);
    void WMWindowPosChangingF(TMessage& message);
    void WMGetMinMaxInfo(TMessage& message);
    void CMActivate(TMessage& message);
    void CMDeactivate(TMessage& message);
    void CMDialogKeyF(TMessage& message);
    void CMRelease(TMessage& message);
    void CMShowingChangedF(TMessage& message);
    void CMFocusChangedF(TMessage& message);
    void CMTextChangedF(TMessage& message);
    void CMMenuChanged(TMessage& message);

    IDesignerHook* FDesigner = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TWinControl* FLastActiveControl = nullptr;
    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TIcon* FIcon = nullptr;
    TComponent* FMenu = nullptr;
    bool FKeyPreview = false;
    bool FScaled = true;
    int FPixelsPerInch = ScreenPixelsPerInch;
    int FTextHeight = 13;
    bool FOldCreateOrder = false;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    TFormState FFormState;
    bool FReadDescription = false;
    int FPendingClientWidth = 0;
    int FPendingClientHeight = 0;
    bool FPositionApplied = false;
    bool FReleasePosted = false;
    HWND FClientHandle = nullptr;
    std::unique_ptr<TControlCanvas, TObjectDeleter> FCanvas;
};

class TForm : public TCustomForm {
    DW_CLASS(TForm, TCustomForm)
    using TCustomForm::TCustomForm;
};

// A windowed control that can be the root of a stored description, and is written inline inside
// the form that uses it.
class TCustomFrame : public TScrollingWinControl {
    DW_CLASS(TCustomFrame, TScrollingWinControl)
    explicit TCustomFrame(TComponent* owner);
    TCustomFrame(TComponent* owner, TCreateNew);
    void AfterConstruction() override;
    TComponent* GetChildOwner() override { return this; }
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetParent(TWinControl* value) override;
    // Read inline in another root's stream, the stream's components replace those of the same
    // name that the frame's own description made (the stream holds the frame as it was saved).
    void ReadState(TReader* reader) override;
    void ValidateRename(TComponent* component, const String& currentName, const String& newName) override;

private:
    bool FReadDescription = false;
    bool FReadingInline = false;
    std::vector<TComponent*> FReplaceable;
};

class TFrame : public TCustomFrame {
    DW_CLASS(TFrame, TCustomFrame)
    using TCustomFrame::TCustomFrame;
};

// A non-visual root that owns components; created from its stored description like a form.
class TDataModule : public TComponent {
    DW_CLASS(TDataModule, TComponent)
    explicit TDataModule(TComponent* owner);
    TDataModule(TComponent* owner, TCreateNew);
    void AfterConstruction() override;
    void BeforeDestruction() override;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void DefineProperties(TFiler* filer) override;
    // The design-time size and scroll offset of the module's host window.
    TPoint DesignSize() const { return FDesignSize; }
    void SetDesignSize(TPoint value) { FDesignSize = value; }
    TPoint DesignOffset() const { return FDesignOffset; }
    void SetDesignOffset(TPoint value) { FDesignOffset = value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    TPoint FDesignSize;
    TPoint FDesignOffset;
    bool FOldCreateOrder = false;
    bool FReadDescription = false;
};

// Reads the stored descriptions of instance's class chain (ancestors first, stopping at
// rootAncestor) into instance; false when none of the classes has one.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);

// ---------------------------------------------------------------------------------------------

// The pop-up that shows hints: top-most, takes no activation, multi-line text on clInfoBk.
class THintWindow : public TCustomControl {
    DW_CLASS(THintWindow, TCustomControl)
    explicit THintWindow(TComponent* owner);
    // Shows hint in rect (screen coordinates) without taking the activation.
    virtual void ActivateHint(TRect rect, const String& hint);
    virtual void ActivateHintData(TRect rect, const String& hint, void* data);
    // The rectangle (at 0, 0) the hint needs, wrapping at maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const String& hint, void* data);
    // Whether msg (retrieved from the queue) should hide the hint.
    virtual bool IsHintMsg(const TMsg& msg);
    void ReleaseHandle();
    bool Activating() const { return FActivating; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void Dispatch(TMessage& message) override;

private:
    bool FActivating = false;
};
using THintWindowClass = TClass;

// ---------------------------------------------------------------------------------------------

DW_EVENT(TIdleEvent, (TObject*, bool&), "Sender: TObject; var Done: Boolean");
DW_EVENT(TMessageEvent, (TMsg&, bool&), "var Msg: TMsg; var Handled: Boolean");
DW_EVENT(TExceptionEvent, (TObject*, Exception&), "Sender: TObject; E: Exception");
DW_EVENT(TShowHintEvent, (String&, bool&, THintInfo&),
         "var HintStr: string; var CanShow: Boolean; var HintInfo: THintInfo");
DW_EVENT(THelpEvent, (Word, int, bool&), "Command: Word; Data: Integer; var CallHelp: Boolean");
DW_EVENT(TActionEvent, (TBasicAction*, bool&), "Action: TBasicAction; var Handled: Boolean");

// The screen: forms, the active form and control, cursors, fonts and size.
class TScreen : public TComponent {
    DW_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    // Forms (TForm) and custom forms in the order the user last activated them, newest first.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    int CustomFormCount() const { return static_cast<int>(FCustomForms.size()); }
    TCustomForm* CustomForms(int index) const { return FCustomForms.at(static_cast<size_t>(index)); }
    int DataModuleCount() const { return static_cast<int>(FDataModules.size()); }
    TDataModule* DataModules(int index) const { return FDataModules.at(static_cast<size_t>(index)); }
    TForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }

    // A screen-wide cursor that overrides every control's cursor while it is not crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The cursor table: the standard cursors (crDefault 0 to crSizeAll) map to the platform's
    // shapes; numbers above 0 are free for a program's own cursors.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR handle);

    int Width() const;
    int Height() const;
    TRect DesktopRect() const;
    TRect WorkAreaRect() const { return DesktopRect(); }
    int PixelsPerInch() const { return ScreenPixelsPerInch; }
    // The font faces the platform knows (through fontconfig), sorted.
    const std::vector<String>& Fonts();
    TFont* HintFont() const { return FHintFont.get(); }
    TFont* IconFont() const { return FIconFont.get(); }
    TFont* MenuFont() const { return FMenuFont.get(); }

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void AddDataModule(TDataModule* dataModule);
    void RemoveDataModule(TDataModule* dataModule);
    // Moves form to the front of the activation order and makes it the active form.
    void SetActiveCustomForm(TCustomForm* form);
    void SetActiveControlInternal(TWinControl* control);
    void SetFocusedForm(TCustomForm* form) { FFocusedForm = form; }
    // Sets the platform cursor for a control's cursor (the screen cursor wins).
    void ApplyCursor(TCursor cursor);

private:
    std::vector<TForm*> FForms;
    std::vector<TCustomForm*> FCustomForms;
    std::vector<TDataModule*> FDataModules;
    TForm* FActiveForm = nullptr;
    TCustomForm* FActiveCustomForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TCursor FCursor = crDefault;
    std::vector<std::pair<int, HCURSOR>> FCustomCursors;
    std::vector<String> FFonts;
    bool FFontsLoaded = false;
    std::unique_ptr<TFont, TObjectDeleter> FHintFont;
    std::unique_ptr<TFont, TObjectDeleter> FIconFont;
    std::unique_ptr<TFont, TObjectDeleter> FMenuFont;
};

// The application: the message loop, idle processing, shortcuts, modal loops, hints and the
// default exception display.
class TApplication : public TComponent {
    DW_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    void BeforeDestruction() override;

    void Initialize();
    // Makes a form of class cls owned by the application; the first form made becomes MainForm.
    TCustomForm* CreateForm(TClass cls);
    template <class T> void CreateForm(T*& reference) { reference = static_cast<T*>(CreateForm(T::StaticClass())); }
    // Handles messages until Terminate (or until the main form closes).
    void Run();
    // Handles every message that is waiting, then returns.
    void ProcessMessages();
    // Handles one message, or does the idle processing and waits for one.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminate; }
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* form) { FMainForm = form; }
    // The hidden window of the application (its timers and posted messages).
    HWND Handle();
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }
    String ExeName() const;
    bool Active() const { return FActive; }

    // ---- exceptions
    // Shows the exception being handled (OnException when assigned, else ShowException).
    // Call it from a catch block; exceptions that are not framework exceptions are shown with
    // their what() text.
    void HandleException(TObject* sender);
    // The default display: a message box with the exception's message.
    void ShowException(const Exception& e);
    TExceptionEvent OnException;
    // Shows a message box and returns the button pressed (IDOK, ...). The dialogs replace the
    // display through MessageBoxHook; without it a small form of the framework shows the text.
    int MessageBox(const String& text, const String& caption, UINT flags = 0);
    std::function<int(const String& text, const String& caption, UINT flags)> MessageBoxHook;

    // ---- idle, actions and shortcuts
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    THelpEvent OnHelp;
    TActionEvent OnActionExecute;
    TActionEvent OnActionUpdate;
    // Registers a procedure run on every idle pass (action lists update their actions there);
    // returns a key for RemoveIdleUpdate.
    int AddIdleUpdate(std::function<void()> update);
    void RemoveIdleUpdate(int key);
    // The idle pass: OnIdle, hint and action updates; waits for a message unless told not to.
    void Idle(bool waitForMessage = true);
    bool IsShortCut(TWMKey& message);
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    bool HelpContext(int context);

    // ---- modal loops
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }
    int ModalLevel() const { return FModalLevel; }
    // Disables every visible top-level window except except (for a modal form); EnableTaskWindows
    // undoes it.
    std::vector<HWND> DisableTaskWindows(HWND except);
    void EnableTaskWindows(const std::vector<HWND>& windows);

    // ---- hints
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int value) { FHintShortPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    bool HintShortCuts() const { return FHintShortCuts; }
    void SetHintShortCuts(bool value) { FHintShortCuts = value; }
    // The class of the hint window (THintWindow or a descendant).
    TClass HintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(TClass value);
    THintWindow* HintWindow() const { return FHintWindow; }
    void CancelHint();
    void HideHint();
    // Shows the hint of the control at cursorPos (screen) at once.
    void ActivateHint(TPoint cursorPos);
    // Told about every mouse move over a control (TControl::WndProc).
    void HintMouseMessage(TControl* control, TMessage& message);
    // The control the mouse is over (it got CM_MOUSEENTER last), or null.
    TControl* MouseControl() const { return FMouseControl; }
    // Moves the mouse control, sending CM_MOUSELEAVE and CM_MOUSEENTER.
    void SetMouseControl(TControl* control);
    // Told when a control dies, so nothing keeps pointing at it.
    void ControlDestroyed(TControl* control);
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;

    // Handles a message taken from the queue; false when there was none.
    bool ProcessMessage(TMsg& msg);

private:
    friend class TCustomForm;
    void WndProc(TMessage& message);
    bool IsHintMsg(TMsg& msg);
    bool IsKeyMsg(TMsg& msg);
    bool IsMDIMsg(TMsg& msg);
    void DoActionIdle();
    void HintTimerExpired();
    void StartHintTimer(int value, int kind);
    void StopHintTimer();
    void ShowHintFor(TControl* control, TPoint cursorPos);
    void DispatchGuarded(const TMsg& msg);

    TForm* FMainForm = nullptr;
    HWND FHandle = nullptr;
    String FTitle;
    bool FTerminate = false;
    bool FActive = true;
    bool FRunning = false;
    int FModalLevel = 0;
    std::vector<std::pair<int, std::function<void()>>> FIdleUpdates;
    int FNextIdleKey = 1;
    bool FInIdle = false;
    // Hints.
    bool FShowHint = true;
    String FHint;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    bool FHintShortCuts = true;
    TClass FHintWindowClass = nullptr;
    THintWindow* FHintWindow = nullptr;
    TControl* FMouseControl = nullptr;
    TControl* FHintControl = nullptr;
    TRect FHintCursorRect;
    bool FHintActive = false;
    int FHintTimerKind = 0; // 0 none, 1 show, 2 hide
    bool FShowingException = false;
};

extern TApplication* Application;
extern TScreen* Screen;

// Message box flags and answers (the classic values).
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The short part of a hint ("short|long"), and the long part (the whole text without a bar).
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

} // namespace dw
