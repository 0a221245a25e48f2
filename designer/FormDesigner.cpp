#include "designer/FormDesigner.h"

#include "framework/platform/window/Clipboard.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/TypInfo.h"

namespace dw {

namespace {

// The registered clipboard format of designed components; $FFFF until registered.
std::uint16_t gComponentsFormat = 0xFFFF;

const char* const ActiveDesignerError = "Can not change property on an active designer";

} // namespace

TDesignerEnvironment& DesignerEnvironment() {
    static TDesignerEnvironment environment;
    return environment;
}

// ---------------------------------------------------------------------------------------------
// Metadata. TzCustomFormDesigner publishes nothing itself; TzFormDesigner publishes everything in
// the order form files and the inspector list it.

DW_DEFINE_CLASS(TzCustomFormDesigner) {}

DW_DEFINE_CLASS(TzFormDesigner) {
    using D = TzFormDesigner;
    c.Property("Active", &D::Active, &D::SetActive).Default(false);
    c.Property("ShowHints", &D::ShowHints, &D::SetShowHints).Default(true);
    c.Property("Target", &D::Target, &D::SetTarget);
    c.Property("GridStepX", &D::GridStepX, &D::SetGridStepX).Default(4);
    c.Property("GridStepY", &D::GridStepY, &D::SetGridStepY).Default(4);
    c.Property("SnapToGrid", &D::SnapToGrid, &D::SetSnapToGrid).Default(true);
    c.Property("AllowComponents", &D::AllowComponents, &D::SetAllowComponents).Default(true);
    c.Property("ShowCaptions", &D::ShowCaptions, &D::SetShowCaptions).Default(false);
    c.Property("DisplayGrid", &D::DisplayGrid, &D::SetDisplayGrid).Default(true);
    c.Property("MultiSelect", &D::MultiSelect, &D::SetMultiSelect).Default(true);
    c.Property("FlatIcons", &D::FlatIcons, &D::SetFlatIcons).Default(true);
    c.Property("CaptionFont", &D::CaptionFont, &D::SetCaptionFont);
    c.Property("LockControls", &D::LockControls, &D::SetLockControls).Default(false);
    c.Property("AutoAlign", &D::AutoAlign, &D::SetAutoAlign).Default(true);
    c.Property("CloseDisactive", &D::CloseDisactive, &D::SetCloseDisactive).Default(false);
    c.Property("LockPublished", &D::LockPublished, &D::SetLockPublished).Default(false);
    c.Property("SelMarker", &D::SelMarker, &D::SetSelMarker);
    c.Property("LiveDragStyle", &D::LiveDragStyle, &D::SetLiveDragStyle).Default(true);
    c.Property("ReadOnly", &D::ReadOnly, &D::SetReadOnly).Default(false);
    c.Property("UndoLimit", &D::UndoLimit, &D::SetUndoLimit).Default(16);
    c.Property("TextEditMode", &D::TextEditMode, &D::SetTextEditMode).Default(false);
    c.Property("DragParentLimit", &D::DragParentLimit, &D::SetDragParentLimit).Default(true);
    c.Property("StoreEvents", &D::StoreEvents, &D::SetStoreEvents).Default(true);
    c.Property("IgnoreReadErrors", &D::IgnoreReadErrors, &D::SetIgnoreReadErrors).Default(false);
    c.Property("GuidelinesStyle", &D::GuidelinesStyle, &D::SetGuidelinesStyle).Default(DefaultGuidelinesStyle);
    c.Property("TabOrderIcons", &D::TabOrderIcons, &D::SetTabOrderIcons);
    c.Property("PopupMenu", &D::PopupMenu, &D::SetPopupMenu);
    c.Property("PopupMenuFilter", &D::PopupMenuFilter, &D::SetPopupMenuFilter).Default(DefaultPopupMenuFilter);
    c.Property("DisplayControlGrid", &D::DisplayControlGrid, &D::SetDisplayControlGrid).Default(false);
    c.Property("DesignSurface", &D::DesignSurface, &D::SetDesignSurface);

    c.Property("OnActiveChanged", &D::OnActiveChanged, &D::OnActiveChanged);
    c.Property("OnKeyDown", &D::OnKeyDown, &D::OnKeyDown);
    c.Property("OnKeyUp", &D::OnKeyUp, &D::OnKeyUp);
    c.Property("OnKeyPress", &D::OnKeyPress, &D::OnKeyPress);
    c.Property("OnMouseDown", &D::OnMouseDown, &D::OnMouseDown);
    c.Property("OnMouseUp", &D::OnMouseUp, &D::OnMouseUp);
    c.Property("OnMouseMove", &D::OnMouseMove, &D::OnMouseMove);
    c.Property("OnDragDrop", &D::OnDragDrop, &D::OnDragDrop);
    c.Property("OnDragOver", &D::OnDragOver, &D::OnDragOver);
    c.Property("OnHandleControlMessage", &D::OnHandleControlMessage, &D::OnHandleControlMessage);
    c.Property("OnValidateMethod", &D::OnValidateMethod, &D::OnValidateMethod);
    c.Property("OnCanInsert", &D::OnCanInsert, &D::OnCanInsert);
    c.Property("OnCanDelete", &D::OnCanDelete, &D::OnCanDelete);
    c.Property("OnCanSelect", &D::OnCanSelect, &D::OnCanSelect);
    c.Property("OnCanMove", &D::OnCanMove, &D::OnCanMove);
    c.Property("OnCanResize", &D::OnCanResize, &D::OnCanResize);
    c.Property("OnCanRename", &D::OnCanRename, &D::OnCanRename);
    c.Property("OnCreateIcon", &D::OnCreateIcon, &D::OnCreateIcon);
    c.Property("OnNotification", &D::OnNotification, &D::OnNotification);
    c.Property("OnGetComponentHint", &D::OnGetComponentHint, &D::OnGetComponentHint);
    c.Property("OnFormClosed", &D::OnFormClosed, &D::OnFormClosed);
    c.Property("OnShowMethod", &D::OnShowMethod, &D::OnShowMethod);
    c.Property("OnRenameMethod", &D::OnRenameMethod, &D::OnRenameMethod);
    c.Property("OnCreateMethod", &D::OnCreateMethod, &D::OnCreateMethod);
    c.Property("OnGetScriptProc", &D::OnGetScriptProc, &D::OnGetScriptProc);
    c.Property("OnSetScriptProc", &D::OnSetScriptProc, &D::OnSetScriptProc);
    c.Property("OnGetMethodNames", &D::OnGetMethodNames, &D::OnGetMethodNames);
    c.Property("OnCreateFrame", &D::OnCreateFrame, &D::OnCreateFrame);
    c.Property("OnCreateComponent", &D::OnCreateComponent, &D::OnCreateComponent);
    c.Property("OnGetComponentLocked", &D::OnGetComponentLocked, &D::OnGetComponentLocked);
    c.Property("OnCanEdit", &D::OnCanEdit, &D::OnCanEdit);
    c.Property("OnGetObjectName", &D::OnGetObjectName, &D::OnGetObjectName);
    c.Property("OnSetNewName", &D::OnSetNewName, &D::OnSetNewName);
    c.Property("OnExecuteAction", &D::OnExecuteAction, &D::OnExecuteAction);
    c.Property("OnUpdateAction", &D::OnUpdateAction, &D::OnUpdateAction);
    c.Property("OnPushUndo", &D::OnPushUndo, &D::OnPushUndo);
    c.Property("OnPopUndo", &D::OnPopUndo, &D::OnPopUndo);
    c.Property("OnDrawControl", &D::OnDrawControl, &D::OnDrawControl);
}

DW_DEFINE_CLASS(TOwnerDsnFrom) {}

TOwnerDsnFrom::TOwnerDsnFrom(TComponent* owner) : TForm(owner, CreateNew) {
    FComponentStyle += csTransient;
}

void RegisterDesignerClasses() {
    static bool done = [] {
        for (TClass cls : {TzFormDesigner::StaticClass(), TzBoundCtrl::StaticClass(), TTabOrderIcons::StaticClass(),
                           TDesignSurface::StaticClass()})
            if (!GetClass(cls->ClassName())) RegisterClass(cls);
        return true;
    }();
    (void)done;
}

TzCustomFormDesigner* GetFormDesigner(IDesigner* designer) {
    return As<TzCustomFormDesigner>(GetFormDesignerObject(designer));
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TzCustomFormDesigner::TzCustomFormDesigner(TComponent* owner) : TBaseDesigner(owner) {
    FIsControl = false;
    if (auto* form = As<TCustomForm>(owner)) SetDesignWindow(form);
    FSelMarker.reset(New<TzBoundCtrl>(this));
    FMenuImages = New<TImageList>(this);
    FMenuImages->SetSize(16, 16);
    try {
        FMenuImages->GetResource("MENUIMAGES", 16, clSilver);
    } catch (const Exception&) {
        // The menu works without pictures.
    }
    FDesignMenu = New<TPopupMenu>(this);
    FDesignMenu->SetImages(FMenuImages);
    FCaptionFont.reset(New<TFont>());
    FCaptionFont->OnChange = MakeMethod<&TzCustomFormDesigner::CaptionFontChanged>(this);
    AssignRoot(owner);
    if (gComponentsFormat == 0xFFFF)
        gComponentsFormat = static_cast<std::uint16_t>(RegisterClipboardFormat("Draftwell Components"));
    FEventList.reset(New<TStringList>());
    FTabOrderIcons.reset(New<TTabOrderIcons>(this));
}

TzCustomFormDesigner::~TzCustomFormDesigner() = default;

void TzCustomFormDesigner::BeforeDestruction() {
    DesignerManager().RemoveListener(static_cast<IDesigner*>(this));
    if (FActive) SetActiveValue(false);
    // The manager must never keep a designer that is gone.
    if (DesignerManager().ActiveDesigner() == static_cast<IDesigner*>(this))
        DesignerManager().SetActiveDesigner(nullptr);
    AssignRoot(nullptr);
    if (FHostForm) FreeHostForm();
    SetPopupMenu(nullptr);
    SetDesignSurface(nullptr);
    FUndoList.clear();
    FEventList.reset();
    FGridBitmap.reset();
    FTabOrderIcons.reset();
    FSelMarker.reset();
    FCaptionFont.reset();
    TBaseDesigner::BeforeDestruction();
}

HRESULT TzCustomFormDesigner::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IInterface::IID || iid == IDesigner::IID)
        *obj = static_cast<IDesigner*>(this);
    else if (iid == IDesignerHook::IID || iid == IDesignerNotify::IID)
        *obj = static_cast<IDesignerHook*>(this);
    else if (iid == IEditHandler::IID)
        *obj = static_cast<IEditHandler*>(this);
    else if (iid == IImplementation::IID)
        *obj = static_cast<IImplementation*>(this);
    else if (iid == IPaletteNotification::IID)
        *obj = static_cast<IPaletteNotification*>(this);
    else {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Root, design window and Target

TCustomForm* TzCustomFormDesigner::DesignForm() const {
    if (!FDesignWindow) return nullptr;
    if (auto* form = As<TCustomForm>(FDesignWindow)) return form;
    return GetParentForm(FDesignWindow);
}

void TzCustomFormDesigner::AssignRoot(TComponent* component) {
    if (FActive && !HasState(csLoading)) throw EInvalidOperation(ActiveDesignerError);
    if (FRoot == component) return;
    if (FRoot) FRoot->RemoveFreeNotification(this);
    FRoot = component;
    if (!component || component != DesignForm()) SetDesignWindow(nullptr);
    if (component) component->FreeNotification(this);
}

TComponent* TzCustomFormDesigner::Target() const {
    if (!FRoot) return nullptr;
    if (FDesignWindow && FDesignWindow->Owner() == FRoot) return FDesignWindow;
    return FRoot;
}

void TzCustomFormDesigner::SetTarget(TComponent* value) {
    if (FActive && !HasState(csLoading)) throw EInvalidOperation(ActiveDesignerError);
    if (!value) {
        AssignRoot(nullptr);
        return;
    }
    // A form owned by another form counts too: the shell's Design mode copy is designed with the
    // main window as its Root, its own controls left working.
    auto* win = As<TWinControl>(value);
    if (win && As<TCustomForm>(win->Owner())) {
        AssignRoot(win->Owner());
        SetDesignWindow(win);
        return;
    }
    AssignRoot(value);
    if (auto* form = As<TCustomForm>(value)) SetDesignWindow(form);
}

void TzCustomFormDesigner::SetForm(TCustomForm* value) {
    if (FActive && !HasState(csLoading)) throw EInvalidOperation(ActiveDesignerError);
    AssignRoot(nullptr);
    SetDesignWindow(value);
}

void TzCustomFormDesigner::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    if (component && component->Owner() == this) {
        TComponent::ValidateRename(component, currentName, newName);
        return;
    }
    CheckRename(component, currentName, newName);
}

void TzCustomFormDesigner::Notification(TComponent* component, TOperation operation) {
    TBaseDesigner::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (component == FDesignSurface) {
        if (FActive) SetActiveValue(false);
        FDesignSurface = nullptr;
    }
    if (component == FRoot) {
        if (FActive) SetActiveValue(false);
        FHostForm = nullptr;
        FRoot = nullptr;
    }
    if (component == FHostForm) FHostForm = nullptr;
    if (component == FForeignHost) FForeignHost = nullptr;
    if (component == FHookedForm) FHookedForm = nullptr;
}

void TzCustomFormDesigner::Loaded() {
    TBaseDesigner::Loaded();
}

// ---------------------------------------------------------------------------------------------
// Settings

void TzCustomFormDesigner::SetGridStepX(int value) {
    CheckPropertyRange("GridStepX", value, 1, MaxGridStep);
    if (value == FGridStepX) return;
    FGridStepX = value;
    GridChanged();
}

void TzCustomFormDesigner::SetGridStepY(int value) {
    CheckPropertyRange("GridStepY", value, 1, MaxGridStep);
    if (value == FGridStepY) return;
    FGridStepY = value;
    GridChanged();
}

void TzCustomFormDesigner::GridChanged() {
    TCustomForm* form = DesignForm();
    if (!form || form != FDesignWindow) return;
    FGridBitmap.reset();
    NeededGridBitmap(TSize{form->ClientWidth(), form->ClientHeight()});
    form->Invalidate();
}

void TzCustomFormDesigner::SetAllowComponents(bool value) {
    if (value == FAllowComponents) return;
    FAllowComponents = value;
    if (FActive && !HasState(csLoading)) RefreshComponentIcons();
}

void TzCustomFormDesigner::SetShowCaptions(bool value) {
    if (value == FShowCaptions) return;
    FShowCaptions = value;
    if (FActive) RefreshComponentIcons();
}

void TzCustomFormDesigner::SetDisplayGrid(bool value) {
    if (value == FDisplayGrid) return;
    FDisplayGrid = value;
    if (FActive)
        if (TCustomForm* form = DesignForm()) form->Invalidate();
}

void TzCustomFormDesigner::SetMultiSelect(bool value) {
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    if (!value && SelectedCount() > 1) ClearSelected();
}

void TzCustomFormDesigner::SetFlatIcons(bool value) {
    if (value == FFlatIcons) return;
    FFlatIcons = value;
    if (FActive) ApplyIconSettings();
}

void TzCustomFormDesigner::CaptionFontChanged(TObject* sender) {
    (void)sender;
    if (FActive) ApplyIconSettings();
}

void TzCustomFormDesigner::SetLockControls(bool value) {
    FLockControls = value;
    FSelMarker->SetLockedLook(value);
}

void TzCustomFormDesigner::SetReadOnly(bool value) {
    if (value == FReadOnly) return;
    FReadOnly = value;
    UpdateSelection();
}

void TzCustomFormDesigner::SetUndoLimit(int value) {
    if (value == FUndoLimit || value < 0) return;
    CheckPropertyRange("UndoLimit", value, 0, MaxUndoLimit);
    FUndoLimit = value;
    TrimUndo();
}

void TzCustomFormDesigner::SetTextEditMode(bool value) {
    if (value == FTextEditMode) return;
    FTextEditMode = value;
    if (!value) EndTextEdit(true);
}

void TzCustomFormDesigner::SetDragParentLimit(bool value) {
    if (value == FDragParentLimit) return;
    CancelDrag();
    FDragParentLimit = value;
}

void TzCustomFormDesigner::SetGuidelinesStyle(TGuidelinesStyles value) {
    if (value == FGuidelinesStyle) return;
    FGuidelinesStyle = value;
    RefreshStaticGuidelines();
}

void TzCustomFormDesigner::SetPopupMenu(TPopupMenu* value) {
    if (value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TzCustomFormDesigner::SetDisplayControlGrid(bool value) {
    if (value == FDisplayControlGrid) return;
    FDisplayControlGrid = value;
    if (FActive)
        if (TCustomForm* form = DesignForm()) InvalidateTree(form);
}

void TzCustomFormDesigner::SetDesignSurface(TDesignSurface* value) {
    if (value == FDesignSurface) return;
    if (FDesignSurface) FDesignSurface->RemoveFreeNotification(this);
    FDesignSurface = value;
    if (value) {
        value->FreeNotification(this);
        UpdateFrameGrips();
    }
}

void TzCustomFormDesigner::UpdateFrameGrips() {
    if (FDesignSurface && !FUndoBusy) FDesignSurface->SetFrameGrips(SelectedCount() == 0);
}

// ---------------------------------------------------------------------------------------------
// Modification and notification

void TzCustomFormDesigner::MarkModified() {
    if (FSuppressModified > 0 || !FActive) return;
    FModified = true;
    DesignerManager().NotifyItemsModified(this);
    RepositionIcons();
    PushUndo();
}

void TzCustomFormDesigner::ComponentNotification(TPersistent* object, TOperation operation) {
    if (!object) return;
    auto* component = As<TComponent>(object);
    if (operation == opRemove) {
        std::erase(FBeingDeleted, component);
        RemoveFromGroups(object);
    }
    if (!FActive) return;

    bool isIcon = IsIcon(object);
    if (component && !As<TControl>(component)) {
        if (operation == opInsert) {
            if (component->Owner() == FRoot) CreateComponentIcon(component);
        } else {
            if (TControl* icon = FindComponentIcon(component)) {
                if (std::erase(FSelection, icon)) UpdateSelection();
                FreeComponentIcon(component);
            }
            if (std::erase(FOtherSelection, object)) AnnounceSelection();
        }
    } else if (!component && operation == opRemove) {
        if (std::erase(FOtherSelection, object)) AnnounceSelection();
    }

    if (operation == opRemove) {
        if (object == FDesignWindow || object == FRoot) {
            SetActiveValue(false);
            if (object == FDesignWindow) SetDesignWindow(nullptr);
            if (object == FRoot) {
                FRoot->RemoveFreeNotification(this);
                FRoot = nullptr;
            }
            return;
        }
        bool removed = std::erase(FSelection, static_cast<TControl*>(As<TControl>(object))) > 0;
        removed = std::erase(FOtherSelection, object) > 0 || removed;
        if (removed) UpdateSelection();
    }

    if (!isIcon && DesignerManager().ActiveDesigner() == static_cast<IDesigner*>(this) && component &&
        !As<TCustomForm>(component) && component->Owner() == FRoot) {
        if (operation == opInsert)
            DesignerManager().NotifyItemInserted(this, component);
        else
            DesignerManager().NotifyItemDeleted(this, component);
    }

    TCustomForm* form = DesignForm();
    if ((!form || !form->HasState(csDesigning)) && !isIcon && operation == opInsert && component &&
        component->Owner() == FRoot)
        component->SetDesigning(true, false);

    OnNotification(this, object, operation);
}

// ---------------------------------------------------------------------------------------------
// Permission queries

bool TzCustomFormDesigner::QueryComponentLocked(TComponent* component) {
    bool accept = false;
    OnGetComponentLocked(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::IsComponentLocked(TComponent* component) {
    if (FReadOnly) return true;
    if (component && FLockPublished && component->Owner() == FRoot && FRoot &&
        FRoot->ClassType()->FindField(component->Name()))
        return true;
    return QueryComponentLocked(component);
}

bool TzCustomFormDesigner::CanInsertComponent(TComponent* component) {
    bool accept = !FReadOnly;
    OnCanInsert(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::CanDeleteComponent(TComponent* component) {
    bool accept = !IsComponentLocked(component);
    OnCanDelete(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::CanSelectComponent(TComponent* component) {
    bool accept = true;
    OnCanSelect(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::CanMoveComponent(TComponent* component) {
    bool accept = !IsComponentLocked(component);
    OnCanMove(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::CanResizeComponent(TComponent* component) {
    bool accept = !IsComponentLocked(component) && As<TControl>(component) != nullptr;
    OnCanResize(this, component, accept);
    return accept;
}

bool TzCustomFormDesigner::CanRenameComponent(TComponent* component, const String& newName) {
    bool accept = !IsComponentLocked(component ? component : FRoot);
    OnCanRename(this, component, newName, accept);
    return accept;
}

bool TzCustomFormDesigner::CanEditComponent(TComponent* component) {
    bool accept = !IsComponentLocked(component);
    OnCanEdit(this, component, accept);
    return accept;
}

// ---------------------------------------------------------------------------------------------
// Event list

String TzCustomFormDesigner::EventKey(TPersistent* instance, const TPropInfo* prop) const {
    if (!prop) return {};
    if (instance == FRoot) return prop->Name;
    auto* component = As<TComponent>(instance);
    String name = component ? component->Name() : instance ? instance->GetNamePath() : String();
    return name + "." + prop->Name;
}

String TzCustomFormDesigner::GetScriptProc(TPersistent* instance, const TPropInfo* prop) {
    String name;
    String key = EventKey(instance, prop);
    if (!key.empty()) name = FEventList->Values(key);
    OnGetScriptProc(this, instance, prop, name);
    return name;
}

void TzCustomFormDesigner::SetScriptProc(TPersistent* instance, const TPropInfo* prop, const String& name) {
    String key = EventKey(instance, prop);
    if (!key.empty()) FEventList->SetValue(key, name);
    OnSetScriptProc(this, instance, prop, name);
}

} // namespace dw
