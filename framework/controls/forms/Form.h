// Forms: TCustomForm and TForm with their enumerations, modal results and events, and the
// interface of the main menu a form shows.
#pragma once

#include "framework/controls/core/ControlCanvas.h"
#include "framework/controls/forms/DesignerHook.h"
#include "framework/controls/forms/ScrollingWinControl.h"
#include "framework/controls/forms/StoredRoot.h"

#include <functional>
#include <memory>
#include <vector>

namespace dw {

class TCustomForm;
class TForm;
class TIcon;

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
    // The place and client size as streams store them: a maximized or minimized form stores its
    // normal place; while the form is read the client size is applied once reading ends.
    int StoredLeft() const { return NormalBounds().Left; }
    int StoredTop() const { return NormalBounds().Top; }
    int StoredClientWidth() const;
    void SetStoredClientWidth(int value);
    int StoredClientHeight() const;
    void SetStoredClientHeight(int value);
    // The bounds the form has when neither maximized nor minimized.
    TRect NormalBounds() const;
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

} // namespace dw
