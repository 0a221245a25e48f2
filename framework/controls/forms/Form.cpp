// TCustomForm and TForm: creation from stored descriptions, the designer hook, showing, closing
// and modal loops, focus and activation, multiple documents.
#include "framework/controls/forms/Forms.h"
#include "framework/controls/graphics/Icon.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Mdi.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/GlobalComponents.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/StreamFormat.h"

#include <algorithm>

namespace dw {

const TTypeInfo& ModalResultTypeInfo() {
    return NamedType(tkInteger, "TModalResult");
}

DW_DEFINE_CLASS(TCustomForm) {}

DW_DEFINE_CLASS(TForm) {
    c.Property("Left", &TForm::StoredLeft, &TForm::SetLeft);
    c.Property("Top", &TForm::StoredTop, &TForm::SetTop);
    c.Property("Width", &TForm::Width, &TForm::SetWidth).Stored(&TForm::IsFormSizeStored);
    c.Property("Height", &TForm::Height, &TForm::SetHeight).Stored(&TForm::IsFormSizeStored);
    c.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
    PublishControlProperties(c, {"Action", "Align", "Anchors", "BiDiMode", "Caption", "Constraints", "Ctl3D", "Enabled",
                                 "Font", "ParentBiDiMode", "ParentFont", "PopupMenu", "ShowHint", "DoubleBuffered"});
    c.Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll).Default(true);
    c.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    c.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
    c.Property("BorderWidth", &TForm::BorderWidth, &TForm::SetBorderWidth).Default(0);
    c.Property("ClientHeight", &TForm::StoredClientHeight, &TForm::SetStoredClientHeight)
        .Stored(&TForm::IsClientSizeStored);
    c.Property("ClientWidth", &TForm::StoredClientWidth, &TForm::SetStoredClientWidth)
        .Stored(&TForm::IsClientSizeStored);
    c.Property("Color", &TForm::Color, &TForm::SetColor)
        .Type(ColorTypeInfo())
        .Default(clBtnFace)
        .Stored(&TForm::IsColorStoredF);
    c.Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle).Default(fsNormal);
    c.Property("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar);
    c.Property("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar);
    c.Property("Icon", &TForm::Icon, &TForm::SetIcon);
    c.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview).Default(false);
    c.Property("Menu", &TForm::Menu, &TForm::SetMenu);
    c.Property("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder).Default(false);
    c.Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch).Stored(false);
    c.Property("Position", &TForm::Position, &TForm::SetPosition).Default(poDesigned);
    c.Property("Scaled", &TForm::Scaled, &TForm::SetScaled).Default(true);
    c.Property("Visible", &TForm::Visible, &TForm::SetVisible).Default(false);
    c.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState).Default(wsNormal);
    c.Property("OnActivate", &TForm::OnActivate, &TForm::OnActivate);
    c.Property("OnClick", &TForm::OnClick, &TForm::OnClick);
    c.Property("OnClose", &TForm::OnClose, &TForm::OnClose);
    c.Property("OnCloseQuery", &TForm::OnCloseQuery, &TForm::OnCloseQuery);
    c.Property("OnCreate", &TForm::OnCreate, &TForm::OnCreate);
    c.Property("OnDblClick", &TForm::OnDblClick, &TForm::OnDblClick);
    c.Property("OnDeactivate", &TForm::OnDeactivate, &TForm::OnDeactivate);
    c.Property("OnDestroy", &TForm::OnDestroy, &TForm::OnDestroy);
    c.Property("OnDragDrop", &TForm::OnDragDrop, &TForm::OnDragDrop);
    c.Property("OnDragOver", &TForm::OnDragOver, &TForm::OnDragOver);
    c.Property("OnHide", &TForm::OnHide, &TForm::OnHide);
    c.Property("OnKeyDown", &TForm::OnKeyDown, &TForm::OnKeyDown);
    c.Property("OnKeyPress", &TForm::OnKeyPress, &TForm::OnKeyPress);
    c.Property("OnKeyUp", &TForm::OnKeyUp, &TForm::OnKeyUp);
    c.Property("OnMouseDown", &TForm::OnMouseDown, &TForm::OnMouseDown);
    c.Property("OnMouseMove", &TForm::OnMouseMove, &TForm::OnMouseMove);
    c.Property("OnMouseUp", &TForm::OnMouseUp, &TForm::OnMouseUp);
    c.Property("OnMouseWheel", &TForm::OnMouseWheel, &TForm::OnMouseWheel);
    c.Property("OnPaint", &TForm::OnPaint, &TForm::OnPaint);
    c.Property("OnResize", &TForm::OnResize, &TForm::OnResize);
    c.Property("OnShortCut", &TForm::OnShortCut, &TForm::OnShortCut);
    c.Property("OnShow", &TForm::OnShow, &TForm::OnShow);
}

// ---------------------------------------------------------------------------------------------
// Stored descriptions

namespace {

bool ReadComponentRes(const String& resName, TComponent* instance) {
    TResourceData data = FindResource(UpperCase(resName), "RCDATA");
    if (!data.Data) return false;
    TResourceStream resource(UpperCase(resName), "RCDATA");
    TMemoryStream binary;
    switch (TestStreamFormat(resource)) {
    case TStreamOriginalFormat::sofText:
        ObjectTextToBinary(resource, binary);
        break;
    case TStreamOriginalFormat::sofBinary: {
        Byte first = 0;
        resource.ReadBuffer(&first, 1);
        resource.SetPosition(0);
        // A resource header in front of the binary form is skipped.
        if (first == 0xFF) ReadResourceHeader(resource);
        binary.CopyFrom(resource, resource.Size() - resource.Position());
        break;
    }
    default:
        throw EReadError(Format("Resource %s is not a component stream", UpperCase(resName)));
    }
    binary.SetPosition(0);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(instance);
    return true;
}

bool InitComponent(TComponent* instance, TClass cls, TClass rootAncestor) {
    if (!cls || cls == TComponent::StaticClass() || cls == rootAncestor) return false;
    bool result = InitComponent(instance, cls->ClassParent(), rootAncestor);
    return ReadComponentRes(cls->ClassName(), instance) || result;
}

} // namespace

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
    return InitComponent(instance, instance->ClassType(), rootAncestor);
}

bool TCustomForm::InitInheritedComponent(TClass rootAncestor) {
    return dw::InitInheritedComponent(this, rootAncestor);
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TCustomForm::TCustomForm(TComponent* owner) : TCustomForm(owner, CreateNew) {
    FReadDescription = true;
}

TCustomForm::TCustomForm(TComponent* owner, TCreateNew) : TScrollingWinControl(owner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FLeft = 0;
    FTop = 0;
    FWidth = 320;
    FHeight = 240;
    FVisible = false;
    FColor = clBtnFace;
    FBrush->SetColor(FColor);
    FParentColor = false;
    FParentFont = false;
    FCtl3D = true;
    FParentCtl3D = false;
    auto* canvas = New<TControlCanvas>();
    canvas->SetControl(this);
    FCanvas.reset(canvas);
    FIcon = New<TIcon>();
    AddGlobalComponent(this);
}

TCustomForm::~TCustomForm() {
    if (FIcon) FIcon->Free();
}

void TCustomForm::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    // Only now is the form's class known (Screen sorts forms from other custom forms).
    if (Screen) Screen->AddForm(this);
    TClass cls = ClassType();
    if (FReadDescription && cls != TForm::StaticClass() && cls != TCustomForm::StaticClass() &&
        !HasState(csDesigning)) {
        FFormState += fsCreating;
        {
            auto restore = ScopeExit([&] { FFormState -= fsCreating; });
            if (!InitInheritedComponent(TForm::StaticClass()))
                throw EResNotFound(Format("Resource %s not found", ClassName()));
        }
    }
    DoCreate();
    // A form read as visible shows once it is complete.
    if (FVisible) UpdateControlState();
}

void TCustomForm::BeforeDestruction() {
    if (!HasState(csDestroying)) {
        Destroying();
        try {
            DoDestroy();
        } catch (...) {
            // Destruction goes on: a failing OnDestroy must not leave a half-freed form behind.
            if (Application) Application->HandleException(this);
        }
    }
    if (Application) {
        if (Application->MainForm() == this) Application->SetMainForm(nullptr);
    }
    if (Screen) Screen->RemoveForm(this);
    RemoveGlobalComponent(this);
    SetDesigner(nullptr);
    if (FMenu) SetMenu(nullptr);
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    OnCreate(this);
}
void TCustomForm::DoDestroy() {
    OnDestroy(this);
}
void TCustomForm::DoShow() {
    OnShow(this);
}
void TCustomForm::DoHide() {
    OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
    OnClose(this, action);
}
void TCustomForm::Paint() {
    OnPaint(this);
}
void TCustomForm::Activate() {
    OnActivate(this);
}
void TCustomForm::Deactivate() {
    OnDeactivate(this);
}

// ---------------------------------------------------------------------------------------------
// Designer hook

void TCustomForm::SetDesigner(IDesignerHook* value) {
    if (FDesigner == value) return;
    IDesignerHook* old = FDesigner;
    FDesigner = value;
    if (value) value->AddRef();
    if (old) old->Release();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TScrollingWinControl::Notification(component, operation);
    if (operation == opRemove) {
        if (component == FMenu) {
            FMenu = nullptr;
            Perform(CM_MENUCHANGED, 0, 0);
        }
        if (component == FActiveControl) FActiveControl = nullptr;
        if (component == FFocusedControl) FFocusedControl = nullptr;
        if (component == FLastActiveControl) FLastActiveControl = nullptr;
    }
    if (FDesigner) FDesigner->Notification(component, operation);
}

void TCustomForm::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    TScrollingWinControl::ValidateRename(component, currentName, newName);
    if (FDesigner) FDesigner->ValidateRename(component, currentName, newName);
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TScrollingWinControl::GetChildren(proc, root);
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
}

void TCustomForm::SetChildOrder(TComponent* child, int order) {
    if (child->Is<TControl>())
        TScrollingWinControl::SetChildOrder(child, order);
    else
        child->SetComponentIndex(order);
}

void TCustomForm::ReadState(TReader* reader) {
    // A description read into a shown window describes its normal place and its state: the
    // window is restored first, so that the bounds read are its own, and shows the state read
    // (normal unless the description says otherwise) once reading is done.
    if (FHandle && FShowing && !HasState(csDesigning) && (IsZoomed(FHandle) || IsIconic(FHandle))) {
        ShowWindow(FHandle, SW_RESTORE);
        FWindowState = wsNormal;
    }
    DisableAlign();
    FPendingClientWidth = 0;
    FPendingClientHeight = 0;
    {
        auto undo = ScopeFail([&] { EnableAlign(); });
        TScrollingWinControl::ReadState(reader);
    }
    // The stored client size is applied in Loaded: the frame it needs depends on references (the
    // main menu) that are resolved only after the form's own properties are read.
    EnableAlign();
}

void TCustomForm::ApplyPendingClientSize() {
    if (FPendingClientWidth > 0 || FPendingClientHeight > 0) {
        TRect m = NonClientMargins();
        int w = FPendingClientWidth > 0 ? FPendingClientWidth + m.Left + m.Right : FWidth;
        int h = FPendingClientHeight > 0 ? FPendingClientHeight + m.Top + m.Bottom : FHeight;
        FPendingClientWidth = FPendingClientHeight = 0;
        SetBounds(FLeft, FTop, w, h);
    }
}

int TCustomForm::MenuBarHeight(int width) const {
    auto* menu = Supports<IFormMenu>(FMenu);
    return menu && !FMenu->HasState(csDestroying) ? menu->BarHeight(this, width) : 0;
}

TRect TCustomForm::NormalBounds() const {
    if (FHandle && (IsZoomed(FHandle) || IsIconic(FHandle))) {
        WINDOWPLACEMENT placement;
        if (GetWindowPlacement(FHandle, placement)) return placement.rcNormalPosition;
    }
    return BoundsRect();
}

int TCustomForm::StoredClientWidth() const {
    TRect normal = NormalBounds();
    if (normal == BoundsRect()) return ClientWidth();
    TRect m = NonClientMargins();
    return std::max(normal.Width() - m.Left - m.Right, 0);
}

int TCustomForm::StoredClientHeight() const {
    TRect normal = NormalBounds();
    if (normal == BoundsRect()) return ClientHeight();
    TRect m = NonClientMargins();
    return std::max(normal.Height() - m.Top - m.Bottom, 0);
}

void TCustomForm::SetStoredClientWidth(int value) {
    CheckControlSize("ClientWidth", value);
    if (FControlState.Contains(csReadingState))
        FPendingClientWidth = value;
    else
        SetClientWidth(value);
}

void TCustomForm::SetStoredClientHeight(int value) {
    CheckControlSize("ClientHeight", value);
    if (FControlState.Contains(csReadingState))
        FPendingClientHeight = value;
    else
        SetClientHeight(value);
}

bool TCustomForm::IsFormSizeStored() const {
    return HorzScrollBar()->Range() != 0 || VertScrollBar()->Range() != 0;
}

void TCustomForm::DefineProperties(TFiler* filer) {
    TScrollingWinControl::DefineProperties(filer);
    filer->DefineProperty(
        "TextHeight", [this](TReader* r) { FTextHeight = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FTextHeight); }, true);
}

void TCustomForm::Loaded() {
    ApplyPendingClientSize();
    TScrollingWinControl::Loaded();
    if (FActiveControl && !FActiveControl->CanFocus()) FActiveControl = nullptr;
    if (FHandle && FShowing && !HasState(csDesigning)) {
        TWindowState shown = IsZoomed(FHandle) ? wsMaximized : IsIconic(FHandle) ? wsMinimized : wsNormal;
        if (shown != FWindowState) {
            static constexpr int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
            ShowWindow(FHandle, commands[FWindowState]);
        }
    }
    // Read into a finished form, a stored Visible shows it now; while the form is being made from
    // its description it shows once construction is complete.
    if (FVisible && !FFormState.Contains(fsCreating)) UpdateControlState();
}

void TCustomForm::SetPixelsPerInch(int value) {
    if (value > 0) FPixelsPerInch = value;
}

// ---------------------------------------------------------------------------------------------
// The window

void TCustomForm::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    params.ClassStyle = CS_DBLCLKS;
    if (!FParent && !FParentWindow) {
        params.WndParent = nullptr;
        params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    }
    if (HasState(csDesigning)) {
        params.Style |= WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU;
        return;
    }
    TBorderIcons icons = FBorderIcons;
    switch (FBorderStyle) {
    case bsNone:
        if (!FParent && !FParentWindow) params.Style |= WS_POPUP;
        icons = {};
        break;
    case bsSingle:
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        icons = icons * TBorderIcons{biSystemMenu, biHelp};
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FFormStyle == fsMDIChild) {
        params.ExStyle |= WS_EX_MDICHILD;
        params.Style |= WS_CHILD;
        params.Style &= ~WS_POPUP;
        if (TForm* frame = Application ? Application->MainForm() : nullptr) params.WndParent = frame->ClientHandle();
    }
    if (FFormStyle == fsMDIForm) params.Style |= WS_CLIPCHILDREN;
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    if (icons.Contains(biSystemMenu)) params.Style |= WS_SYSMENU;
    if (icons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    if (FFormStyle != fsMDIChild) {
        if (FWindowState == wsMinimized)
            params.Style |= WS_MINIMIZE;
        else if (FWindowState == wsMaximized)
            params.Style |= WS_MAXIMIZE;
    }
    if (!FPositionApplied && !FParent && !FParentWindow) {
        if (FPosition == poDefault || FPosition == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
    }
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params) {
    if (FFormStyle != fsMDIChild || HasState(csDesigning)) {
        TScrollingWinControl::CreateWindowHandle(params);
        return;
    }
    TForm* frame = Application ? Application->MainForm() : nullptr;
    if (!frame || frame->FormStyle() != fsMDIForm || !frame->ClientHandle())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    bool defaultPlace = (FPosition == poDefault || FPosition == poDefaultPosOnly) && !FPositionApplied;
    bool defaultSize = (FPosition == poDefault || FPosition == poDefaultSizeOnly) && !FPositionApplied;
    TCreateParams child = params;
    // Showing is the framework's business (CM_SHOWINGCHANGED), not the client's.
    child.Style &= ~static_cast<DWORD>(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    child.ExStyle |= WS_EX_MDICHILD;
    child.WndParent = frame->ClientHandle();
    if (defaultPlace) child.X = child.Y = CW_USEDEFAULT;
    if (defaultSize) child.Width = child.Height = CW_USEDEFAULT;
    TScrollingWinControl::CreateWindowHandle(child);
}

void TCustomForm::CreateWnd() {
    TScrollingWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm && !HasState(csDesigning) && !FClientHandle) {
        CLIENTCREATESTRUCT ccs;
        TRect client = dw::GetClientRect(FHandle);
        FClientHandle =
            CreateWindowEx(WS_EX_CLIENTEDGE, MDICLIENT, "",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0, 0,
                           client.Width(), client.Height(), FHandle, 0, &ccs);
        Realign();
    }
    if (FMenu) Perform(CM_MENUCHANGED, 0, 0);
    // A release posted to a window that was remade since went with that window.
    if (FReleasePosted) PostMessage(FHandle, CM_RELEASE, 0, 0);
}

void TCustomForm::DestroyWnd() {
    FClientHandle = nullptr;
    TScrollingWinControl::DestroyWnd();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
    TScrollingWinControl::AlignControls(control, rect);
    // The MDI client takes what the aligned controls leave.
    if (FClientHandle && IsWindow(FClientHandle))
        SetWindowPos(FClientHandle, HWND_BOTTOM, rect.Left, rect.Top, rect.Width(), rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::SetClientSizeImpl(int width, int height) {
    TScrollingWinControl::SetClientSizeImpl(width, height);
}

void TCustomForm::SetParent(TWinControl* value) {
    if (FParent == value) return;
    bool recreate = FHandle != nullptr;
    // A form changes between a top-level window and a child window: its window is made again.
    if (recreate) DestroyHandle();
    TScrollingWinControl::SetParent(value);
    if (recreate) UpdateControlState();
}

void TCustomForm::PaintWindow(HDC dc) {
    auto* canvas = FCanvas.get();
    canvas->FreeHandle();
    canvas->SetHandle(dc);
    canvas->SetFont(FFont.get());
    canvas->Brush()->SetColor(FColor);
    {
        auto restore = ScopeExit([&] { canvas->SetHandle(nullptr); });
        // In design state the designer draws the background grid instead of the form's own paint.
        if (FDesigner && HasState(csDesigning))
            FDesigner->PaintGrid();
        else
            Paint();
    }
}

bool TCustomForm::EraseBackground(HDC dc) {
    if (FFormStyle == fsMDIForm && FClientHandle) return true;
    return TScrollingWinControl::EraseBackground(dc);
}

void TCustomForm::ChangeScale(int m, int d) {
    TScrollingWinControl::ChangeScale(m, d);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (FFormStyle == value) return;
    if (value == fsMDIChild && !HasState(csDesigning) && !HasState(csLoading)) {
        TForm* frame = Application ? Application->MainForm() : nullptr;
        if (!frame || frame->FormStyle() != fsMDIForm)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    }
    FFormStyle = value;
    // A form in design state keeps the window it is designed in (a designed document stays in
    // its frame through an undo that resets and reads the form again); the style takes effect
    // when the window is made again after designing.
    if (HasState(csDesigning)) return;
    RecreateWnd();
    // A document window is always shown: it lives inside the frame's client.
    if (value == fsMDIChild && !HasState(csLoading) && !HasState(csDesigning)) {
        if (FVisible)
            UpdateControlState();
        else
            SetVisible(true);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    if (!HasState(csDesigning)) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (FBorderIcons == value) return;
    FBorderIcons = value;
    if (!HasState(csDesigning)) RecreateWnd();
}

void TCustomForm::SetPosition(TPosition value) {
    FPosition = value;
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (FWindowState == value) return;
    FWindowState = value;
    // While a description is read the state is applied at its end (Loaded), after the bounds.
    if (HasState(csDesigning) || HasState(csLoading) || !FHandle || !FShowing) return;
    static constexpr int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(FHandle, commands[value]);
}

void TCustomForm::SetIcon(TIcon* value) {
    if (FIcon && value) FIcon->Assign(value);
    Perform(CM_ICONCHANGED, 0, 0);
}

void TCustomForm::SetMenu(TComponent* value) {
    if (FMenu == value) return;
    if (FMenu) {
        FMenu->RemoveFreeNotification(this);
        if (auto* menu = Supports<IFormMenu>(FMenu); menu && !FMenu->HasState(csDestroying)) menu->DetachFromForm(this);
    }
    FMenu = value;
    if (value) value->FreeNotification(this);
    Perform(CM_MENUCHANGED, 0, 0);
}

void TCustomForm::CMMenuChanged(TMessage& message) {
    (void)message;
    // The menu lays its bar out in the frame; without one the frame keeps no room for a bar.
    if (auto* menu = Supports<IFormMenu>(FMenu); menu && !FMenu->HasState(csDestroying))
        menu->AttachToForm(this);
    else if (FHandle)
        SetMenuBarHeight(FHandle, 0);
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::ApplyPosition() {
    if (FPositionApplied || HasState(csDesigning)) return;
    FPositionApplied = true;
    TCustomForm* reference = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: {
        int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        if (FFormStyle == fsMDIChild && Application && Application->MainForm()) {
            TRect client = dw::GetClientRect(Application->MainForm()->ClientHandle());
            sw = client.Width();
            sh = client.Height();
        }
        SetBounds((sw - FWidth) / 2, (sh - FHeight) / 2, FWidth, FHeight);
        break;
    }
    case poMainFormCenter:
        reference = Application ? Application->MainForm() : nullptr;
        break;
    case poOwnerFormCenter:
        reference = As<TCustomForm>(Owner());
        break;
    default:
        break;
    }
    if (reference && reference != this && FFormStyle != fsMDIChild) {
        TRect r = reference->BoundsRect();
        SetBounds(r.Left + (r.Width() - FWidth) / 2, r.Top + (r.Height() - FHeight) / 2, FWidth, FHeight);
    } else if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && !reference) {
        int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        SetBounds((sw - FWidth) / 2, (sh - FHeight) / 2, FWidth, FHeight);
    }
}

void TCustomForm::ShowingChanged() {}

void TCustomForm::CMShowingChangedF(TMessage& message) {
    (void)message;
    if (FFormState.Contains(fsShowing) && !HasState(csDesigning))
        throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
    FFormState += fsShowing;
    {
        auto restore = ScopeExit([&] { FFormState -= fsShowing; });
        if (FShowing) {
            try {
                DoShow();
            } catch (...) {
                if (Application) Application->HandleException(this);
            }
            ApplyPosition();
            if (FFormStyle == fsMDIChild && !HasState(csDesigning)) {
                ShowWindow(FHandle, FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                                    : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                                  : SW_SHOWNORMAL);
                SendMessage(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
            } else if (FParent || FParentWindow) {
                SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            } else {
                int cmd = FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                          : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                        : SW_SHOWNORMAL;
                ShowWindow(FHandle, cmd);
            }
        } else {
            try {
                DoHide();
            } catch (...) {
                if (Application) Application->HandleException(this);
            }
            if (FFormStyle == fsMDIChild && FHandle) {
                // A hidden document leaves the client's activation to the next one.
                HWND client = GetParent(FHandle);
                if (client && SendMessage(client, WM_MDIGETACTIVE, 0, 0) == reinterpret_cast<LRESULT>(FHandle))
                    SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(FHandle), 0);
            }
            ShowWindow(FHandle, SW_HIDE);
            if (FActive) SetActive(false);
        }
    }
}

void TCustomForm::SetVisibleFromShow(bool value) {
    SetVisible(value);
}

bool TCustomForm::CloseQuery() {
    if (FFormStyle == fsMDIForm) {
        for (int i = 0; i < MDIChildCount(); ++i)
            if (!MDIChildren(i)->CloseQuery()) return false;
    }
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
    case caNone:
        FModalResult = mrNone;
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

int TCustomForm::ShowModal() {
    if (FVisible || !Enabled() || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) {
        SendMessage(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    FFormState += fsModal;
    HWND activeWindow = GetActiveWindow();
    TCursor savedCursor = Screen ? Screen->Cursor() : crDefault;
    if (Screen) Screen->SetCursor(crDefault);
    std::vector<HWND> disabled = Application ? Application->DisableTaskWindows(Handle()) : std::vector<HWND>{};
    if (Application) Application->ModalStarted();
    int result = mrNone;
    auto restore = ScopeExit([&] {
        if (Application) {
            Application->ModalFinished();
            Application->EnableTaskWindows(disabled);
        }
        if (Screen) Screen->SetCursor(savedCursor);
        if (activeWindow && IsWindow(activeWindow) && IsWindowVisible(activeWindow)) SetActiveWindow(activeWindow);
        FFormState -= fsModal;
    });
    Show();
    {
        auto hide = ScopeExit([&] { Hide(); });
        Perform(CM_ACTIVATE, 0, 0);
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
        result = FModalResult;
        Perform(CM_DEACTIVATE, 0, 0);
    }
    return result;
}

void TCustomForm::Release() {
    if (FReleasePosted) return;
    FReleasePosted = PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage& message) {
    (void)message;
    Free();
}

// ---------------------------------------------------------------------------------------------
// Focus and activation

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (FActiveControl == control) return;
    if (control &&
        (control == this || GetParentForm(control) != this || (!HasState(csLoading) && !control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (!HasState(csLoading)) {
        if (FActive) SetWindowFocus();
    }
}

void TCustomForm::FocusControl(TWinControl* control) {
    bool wasActive = FActive;
    SetActiveControl(control);
    if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
    if (!FActive) {
        if (!(FVisible && Enabled())) throw EInvalidOperation("Cannot focus a disabled or invisible window");
        SetWindowFocus();
    }
}

void TCustomForm::SetWindowFocus() {
    if (!FHandle) return;
    HWND focus = FHandle;
    if (FFormStyle == fsMDIForm) {
        if (TForm* child = ActiveMDIChild()) {
            child->SetWindowFocus();
            return;
        }
    }
    if (FActiveControl && !FDesigner && FActiveControl->HandleAllocated()) focus = FActiveControl->Handle();
    if (focus) dw::SetFocus(focus);
}

void TCustomForm::SetActive(bool value) {
    FActive = value;
    if (value) {
        if (!FActiveControl && !HasState(csDesigning)) FActiveControl = FindNextControl(nullptr, true, true, false);
        MergeMenu(true);
        SetWindowFocus();
    } else {
        MergeMenu(false);
        if (Application) Application->CancelHint();
    }
}

namespace {
int gFocusCount = 0;

// Sends a focus message; false when a handler moved the focus elsewhere meanwhile.
bool SendFocusMessage(TWinControl* control, UINT msg) {
    int count = gFocusCount;
    control->Perform(msg, 0, 0);
    return gFocusCount == count;
}
} // namespace

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    ++gFocusCount;
    if (!FDesigner) FActiveControl = control != this ? control : nullptr;
    if (Screen) {
        Screen->SetActiveControlInternal(control);
        Screen->SetActiveCustomForm(this);
    }
    if (control->FControlState.Contains(csFocusing)) return false;
    control->FControlState += csFocusing;
    auto finish = ScopeExit([&] { control->FControlState -= csFocusing; });
    if (Screen && Screen->FocusedForm() != this) {
        if (TCustomForm* old = Screen->FocusedForm()) {
            Screen->SetFocusedForm(nullptr);
            if (!SendFocusMessage(old, CM_DEACTIVATE)) {
                return false;
            }
        }
        Screen->SetFocusedForm(this);
        if (!SendFocusMessage(this, CM_ACTIVATE)) {
            return false;
        }
    }
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl != control) {
        while (FFocusedControl && !FFocusedControl->ContainsControl(control)) {
            TWinControl* leaving = FFocusedControl;
            FFocusedControl = FFocusedControl->Parent();
            if (!SendFocusMessage(leaving, CM_EXIT)) {
                return false;
            }
        }
        while (FFocusedControl != control) {
            TWinControl* entering = control;
            while (entering->Parent() != FFocusedControl) entering = entering->Parent();
            FFocusedControl = entering;
            if (!SendFocusMessage(entering, CM_ENTER)) {
                return false;
            }
        }
        for (TWinControl* p = control->Parent(); p; p = p->Parent())
            if (auto* scroller = As<TScrollingWinControl>(p)) scroller->ScrollInView(control);
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && FFocusedControl && control->ContainsControl(FFocusedControl)) FFocusedControl = control->Parent();
    if (FActiveControl && control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FLastActiveControl && control->ContainsControl(FLastActiveControl)) FLastActiveControl = nullptr;
    if (Screen && Screen->ActiveControl() && control->ContainsControl(Screen->ActiveControl()))
        Screen->SetActiveControlInternal(nullptr);
}

void TCustomForm::WMActivate(TMessage& message) {
    TWMActivate activate(message);
    bool active = activate.Active() != static_cast<int>(WA_INACTIVE);
    if (FFormStyle != fsMDIForm || HasState(csDesigning)) {
        SetActive(active);
    } else {
        FActive = active;
        if (active) SetWindowFocus();
    }
}

void TCustomForm::WMMDIActivate(TMessage& message) {
    DefaultHandler(message);
    if (FFormStyle != fsMDIChild) return;
    HWND activating = reinterpret_cast<HWND>(message.LParam);
    if (activating == FHandle)
        SetActive(true);
    else if (reinterpret_cast<HWND>(message.WParam) == FHandle)
        FActive = false;
}

void TCustomForm::CMActivate(TMessage& message) {
    (void)message;
    Activate();
}

void TCustomForm::CMDeactivate(TMessage& message) {
    (void)message;
    Deactivate();
}

void TCustomForm::CMFocusChangedF(TMessage& message) {
    TScrollingWinControl::Dispatch(message);
}

// Tab moves among the tab stops, the arrows among the siblings of the active control; other keys
// go to the children (a default button takes Enter, a cancel button Esc).
void TCustomForm::CMDialogKeyF(TMessage& message) {
    TWMKey key(message);
    if (GetKeyState(VK_MENU) >= 0) {
        switch (static_cast<int>(key.CharCode())) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                int code = static_cast<int>(key.CharCode());
                FActiveControl->Parent()->SelectNext(FActiveControl, code == VK_RIGHT || code == VK_DOWN, false);
                message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TScrollingWinControl::Dispatch(message);
}

void TCustomForm::CMTextChangedF(TMessage& message) {
    TScrollingWinControl::Dispatch(message);
}

bool TCustomForm::WantChildKey(TControl* child, TMessage& message) {
    (void)child, (void)message;
    return false;
}

bool TCustomForm::IsShortCut(TWMKey& message) {
    // A form being designed has no shortcuts of its own: its menus and actions are designed.
    if (HasState(csDesigning)) return false;
    bool handled = false;
    OnShortCut(message, handled);
    if (handled) return true;
    if (auto* menu = Supports<IShortCutHandler>(FMenu))
        if (menu->IsShortCut(message)) return true;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (c == FMenu) continue;
        if (auto* handler = Supports<IShortCutHandler>(c))
            if (handler->FormShortCuts() && handler->IsShortCut(message)) return true;
    }
    return false;
}

void TCustomForm::UpdateActions() {
    if (HasState(csDesigning)) return;
    InitiateAction();
}

void TCustomForm::WMClose(TMessage& message) {
    (void)message;
    Close();
}

void TCustomForm::WMDestroy(TMessage& message) {
    DefaultHandler(message);
}

void TCustomForm::WMSysCommand(TMessage& message) {
    WPARAM cmd = message.WParam & 0xFFF0;
    if (!HasState(csDesigning)) {
        if (cmd == SC_MINIMIZE) FWindowState = wsMinimized;
        if (cmd == SC_MAXIMIZE) FWindowState = wsMaximized;
        if (cmd == SC_RESTORE) FWindowState = wsNormal;
    }
    DefaultHandler(message);
}

void TCustomForm::WMWindowPosChangingF(TMessage& message) {
    DefaultHandler(message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& message) {
    DefaultHandler(message);
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    if (!info) return;
    if (FConstraints->MinWidth() > 0) info->ptMinTrackSize.X = FConstraints->MinWidth();
    if (FConstraints->MinHeight() > 0) info->ptMinTrackSize.Y = FConstraints->MinHeight();
    if (FConstraints->MaxWidth() > 0) info->ptMaxTrackSize.X = FConstraints->MaxWidth();
    if (FConstraints->MaxHeight() > 0) info->ptMaxTrackSize.Y = FConstraints->MaxHeight();
}

// ---------------------------------------------------------------------------------------------
// Multiple documents

TForm* TCustomForm::ActiveMDIChild() const {
    if (FFormStyle != fsMDIForm || !FClientHandle) return nullptr;
    auto h = reinterpret_cast<HWND>(SendMessage(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    return As<TForm>(TWinControl::FindControl(h));
}

int TCustomForm::MDIChildCount() const {
    if (FFormStyle != fsMDIForm || !FClientHandle || !Screen) return 0;
    int count = 0;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* f = Screen->Forms(i);
        if (f->FormStyle() == fsMDIChild && f->HandleAllocated() && GetParent(f->FHandle) == FClientHandle) ++count;
    }
    return count;
}

TForm* TCustomForm::MDIChildren(int index) const {
    if (FFormStyle == fsMDIForm && FClientHandle && Screen) {
        int count = 0;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TForm* f = Screen->Forms(i);
            if (f->FormStyle() == fsMDIChild && f->HandleAllocated() && GetParent(f->FHandle) == FClientHandle) {
                if (count == index) return f;
                ++count;
            }
        }
    }
    throw EListError(Format("MDI child index %d out of bounds", index));
}

void TCustomForm::Cascade() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDICASCADE, 0, 0);
}
void TCustomForm::Tile() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDITILE, MDITILE_VERTICAL, 0);
}
void TCustomForm::ArrangeIcons() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}
void TCustomForm::Next() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 0);
}
void TCustomForm::Previous() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 1);
}

// ---------------------------------------------------------------------------------------------
// Message routing

void TCustomForm::WndProc(TMessage& message) {
    // The form's own window getting the focus hands it on to its active control.
    if (message.Msg == WM_SETFOCUS && !HasState(csDesigning) && !DesignerTakes(message)) {
        HWND focus = nullptr;
        if (FFormStyle == fsMDIForm) {
            if (TForm* child = ActiveMDIChild()) focus = child->Handle();
        } else if (FActiveControl && FActiveControl != this && FActiveControl->HandleAllocated()) {
            focus = FActiveControl->Handle();
        }
        if (focus) {
            dw::SetFocus(focus);
            return;
        }
        TScrollingWinControl::WndProc(message);
        return;
    }
    TScrollingWinControl::WndProc(message);
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ACTIVATE:
        WMActivate(message);
        break;
    case WM_MDIACTIVATE:
        WMMDIActivate(message);
        break;
    case WM_CLOSE:
        WMClose(message);
        break;
    case WM_SYSCOMMAND:
        WMSysCommand(message);
        break;
    case WM_GETMINMAXINFO:
        WMGetMinMaxInfo(message);
        break;
    case WM_SIZE:
        if (!HasState(csDesigning)) {
            if (message.WParam == SIZE_MAXIMIZED)
                FWindowState = wsMaximized;
            else if (message.WParam == SIZE_MINIMIZED)
                FWindowState = wsMinimized;
            // The size a window gets while it is being made (before it shows in its stored
            // state) or while a description is read into it says nothing about that state.
            else if (message.WParam == SIZE_RESTORED && FShowing && FHandle && !IsIconic(FHandle) &&
                     !HasState(csLoading))
                FWindowState = wsNormal;
        }
        TScrollingWinControl::Dispatch(message);
        break;
    case CM_ACTIVATE:
        CMActivate(message);
        break;
    case CM_DEACTIVATE:
        CMDeactivate(message);
        break;
    case CM_DIALOGKEY:
        CMDialogKeyF(message);
        break;
    case CM_RELEASE:
        CMRelease(message);
        break;
    case CM_SHOWINGCHANGED:
        CMShowingChangedF(message);
        break;
    case CM_MENUCHANGED:
        CMMenuChanged(message);
        break;
    case CM_VISIBLECHANGED:
        // While the form is being read, Visible is only recorded: it shows when complete.
        if (FFormState.Contains(fsCreating) || HasState(csLoading)) break;
        TScrollingWinControl::Dispatch(message);
        break;
    default:
        TScrollingWinControl::Dispatch(message);
        break;
    }
}

void TCustomForm::DefaultHandler(TMessage& message) {
    // A document designed in its frame is still a document window there: activation, the
    // maximized state and the frame's document keys work as for any other.
    if (FHandle && FFormStyle == fsMDIChild && (GetWindowLongPtr(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        message.Result = DefMDIChildProc(FHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (FHandle && !HasState(csDesigning)) {
        // The frame places its MDI client itself (AlignControls): beside the aligned controls,
        // not over the whole client area as the default frame procedure would.
        if (FFormStyle == fsMDIForm && FClientHandle && message.Msg != WM_SIZE) {
            message.Result = DefFrameProc(FHandle, FClientHandle, message.Msg, message.WParam, message.LParam);
            return;
        }
        if (FFormStyle == fsMDIChild) {
            message.Result = DefMDIChildProc(FHandle, message.Msg, message.WParam, message.LParam);
            return;
        }
    }
    TScrollingWinControl::DefaultHandler(message);
}

} // namespace dw
