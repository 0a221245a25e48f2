// The designer component: TzCustomFormDesigner (state, activation, message interception, the
// interfaces editors and the environment reach it through) and TzFormDesigner, which publishes
// its settings and events. This is the header the rest of the program includes.
#pragma once

#include "designer/BaseDesigner.h"
#include "designer/BoundCtrl.h"
#include "designer/DesignSurface.h"
#include "designer/TabOrderIcons.h"
#include "environment/DesignerManager.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/rtl/Stream.h"
#include "framework/rtl/StringList.h"

#include <memory>
#include <vector>

namespace dw {

class TBasicAction;
class TCustomFrame;
class TOwnerDsnFrom;

DW_ENUM(TGuidelinesStyle, glLeft, glHCenter, glRight, glTop, glVCenter, glBottom, glMouse, glKeyboard, glMoving,
        glSizing, glStatic, glMultiple, glMultipleSel)
DW_SET(TGuidelinesStyles, TGuidelinesStyle)
DW_ENUM(TLocalMenuFilter, lmModule, lmComponent, lmDesigner)
DW_SET(TLocalMenuFilters, TLocalMenuFilter)

constexpr TGuidelinesStyles DefaultGuidelinesStyle{glLeft,  glHCenter, glRight,  glTop,      glVCenter,    glBottom,
                                                   glMouse, glMoving,  glSizing, glMultiple, glMultipleSel};
constexpr TLocalMenuFilters DefaultPopupMenuFilter{lmModule, lmComponent, lmDesigner};

// The designer's deferred refresh after a control or the form changed its window position.
constexpr UINT DM_REFRESHAFTERMOVE = 0xC002;
// Marks the window remake a deactivation posts to the form it designed.
constexpr WPARAM RecreateAfterDesign = 0xD5;

DW_EVENT(TValidateMethodEvent, (TObject*, const TTypeInfo*, TComponent*, void*, const String&, bool&),
         "Sender: TObject; TypeData: PTypeData; ARoot: TComponent; MethAddr: Pointer; const MethodName: string; "
         "var Accept: Boolean");
DW_EVENT(TComponentEvent, (TObject*, TComponent*, bool&),
         "Sender: TObject; Component: TComponent; var Accept: Boolean");
DW_EVENT(TRenameEvent, (TObject*, TComponent*, const String&, bool&),
         "Sender: TObject; Component: TComponent; const NewName: string; var Accept: Boolean");
DW_EVENT(TCreateIconEvent, (TObject*, TComponent*, bool&),
         "Sender: TObject; Component: TComponent; var AllowCreate: Boolean");
DW_EVENT(TNotificationEvent, (TObject*, TPersistent*, TOperation),
         "Sender: TObject; AnObject: TPersistent; Operation: TOperation");
DW_EVENT(TShowMethodEvent, (TObject*, const String&), "Sender: TObject; const MethodName: string");
DW_EVENT(TRenameMethodEvent, (TObject*, const String&, const String&),
         "Sender: TObject; const CurName: string; const NewName: string");
DW_EVENT(TCreateMethodEvent, (TObject*, const String&, const TTypeInfo*, TMethod&),
         "Sender: TObject; const Name: string; TypeData: PTypeData; var Method: TMethod");
DW_EVENT(TGetScriptProcEvent, (TObject*, TPersistent*, const TPropInfo*, String&),
         "Sender: TObject; Instance: TPersistent; pInfo: PPropInfo; var ProcName: string");
DW_EVENT(TSetScriptProcEvent, (TObject*, TPersistent*, const TPropInfo*, const String&),
         "Sender: TObject; Instance: TPersistent; pInfo: PPropInfo; const EventProc: string");
DW_EVENT(TGetMethodNamesEvent, (TObject*, const TTypeInfo*, const TGetStrProc&),
         "Sender: TObject; TypeData: PTypeData; Proc: TGetStrProc");
DW_EVENT(TCreateFrameEvent, (TObject*, TComponent*, TCustomFrame*&),
         "Sender: TObject; Root: TComponent; var Frame: TCustomFrame");
DW_EVENT(TCreateComponentEvent, (TObject*, TClass, TComponent*, TComponent*&),
         "Sender: TObject; AClass: TComponentClass; AOwner: TComponent; var Instance: TComponent");
DW_EVENT(TGetObjNameEvent, (TObject*, TPersistent*, String&), "Sender: TObject; Obj: TPersistent; var ObjName: string");
DW_EVENT(TSetNameEvent, (TObject*, TComponent*, String&), "Sender: TObject; Component: TComponent; var Name: string");
DW_EVENT(THandleActionEvent, (TObject*, TBasicAction*, bool&),
         "Sender: TObject; Action: TBasicAction; var Handled: Boolean");
DW_EVENT(TUndoRecEvent, (TObject*, TStream*), "Sender: TObject; Stream: TStream");
DW_EVENT(TDrawControlEvent, (TObject*, TControl*, HDC), "Sender: TObject; Control: TControl; DC: HDC");

// What a running mouse gesture does.
enum TDesignDragMode { ddNone, ddRubberBand, ddMove, ddSize, ddInsert };

// Services of the design environment that the designer uses without depending on how they are
// provided: the host form of a data module. Empty, a data module gets a plain white host form.
struct TDesignerEnvironment {
    // Makes the host form of a data module owned by it; container receives the windowed control
    // whose client area is designed.
    TCustomForm* (*CreateDataModuleHost)(TDataModule* module, class TzCustomFormDesigner* designer,
                                         TWinControl*& container) = nullptr;
};
TDesignerEnvironment& DesignerEnvironment();

class TzCustomFormDesigner : public TBaseDesigner,
                             public IDesigner,
                             public IDesignerHook,
                             public IEditHandler,
                             public IImplementation,
                             public IPaletteNotification {
    DW_CLASS(TzCustomFormDesigner, TBaseDesigner)
    explicit TzCustomFormDesigner(TComponent* owner);
    ~TzCustomFormDesigner() override;
    void BeforeDestruction() override;

    // ---- what is designed
    TComponent* Root() const { return FRoot; }
    // The Root, or the design window when only one windowed control of the Root form is designed.
    TComponent* Target() const;
    // Refused while active ("Can not change property on an active designer").
    void SetTarget(TComponent* value);
    // The form that contains the design window (the design window itself when it is a form).
    TCustomForm* DesignForm() const;
    TCustomForm* HostForm() const;
    ICustomModule* CustomModule() const { return FCustomModule.get(); }
    void AssignRoot(TComponent* component);
    // Set by every modification; the designer never clears it (the shell does after saving).
    bool IsModified() const { return FModified; }
    void ClearModified() { FModified = false; }
    // Nonzero while modifications are not marked (icon building, marker updates, text commits).
    void BeginSuppressModified() { ++FSuppressModified; }
    void EndSuppressModified() { --FSuppressModified; }

    // ---- settings (published by TzFormDesigner)
    // Their ranges. Each undo step holds a snapshot of the whole form (about 1 MB on a form of
    // 10,000 controls), so a thousand steps keep the history near a gigabyte at worst.
    static constexpr int MaxUndoLimit = 1000;
    static constexpr int MaxGridStep = 128;
    int GridStepX() const { return FGridStepX; }
    void SetGridStepX(int value);
    int GridStepY() const { return FGridStepY; }
    void SetGridStepY(int value);
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool value) { FSnapToGrid = value; }
    bool AllowComponents() const { return FAllowComponents; }
    void SetAllowComponents(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool DisplayGrid() const { return FDisplayGrid; }
    void SetDisplayGrid(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool FlatIcons() const { return FFlatIcons; }
    void SetFlatIcons(bool value);
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* value) { FCaptionFont->Assign(value); }
    bool LockControls() const { return FLockControls; }
    void SetLockControls(bool value);
    bool AutoAlign() const { return FAutoAlign; }
    void SetAutoAlign(bool value) { FAutoAlign = value; }
    // CloseDisactive is spelled so on purpose: stored forms and callers use this name.
    bool CloseDisactive() const { return FCloseDisactive; }
    void SetCloseDisactive(bool value) { FCloseDisactive = value; }
    bool LockPublished() const { return FLockPublished; }
    void SetLockPublished(bool value) { FLockPublished = value; }
    TzBoundCtrl* SelMarker() const { return FSelMarker.get(); }
    void SetSelMarker(TzBoundCtrl* value) { FSelMarker->Assign(value); }
    bool LiveDragStyle() const { return FLiveDragStyle; }
    void SetLiveDragStyle(bool value) { FLiveDragStyle = value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int UndoLimit() const { return FUndoLimit; }
    void SetUndoLimit(int value);
    bool TextEditMode() const { return FTextEditMode; }
    void SetTextEditMode(bool value);
    bool DragParentLimit() const { return FDragParentLimit; }
    void SetDragParentLimit(bool value);
    bool StoreEvents() const { return FStoreEvents; }
    void SetStoreEvents(bool value) { FStoreEvents = value; }
    bool IgnoreReadErrors() const { return FIgnoreReadErrors; }
    void SetIgnoreReadErrors(bool value) { FIgnoreReadErrors = value; }
    TGuidelinesStyles GuidelinesStyle() const { return FGuidelinesStyle; }
    void SetGuidelinesStyle(TGuidelinesStyles value);
    TTabOrderIcons* TabOrderIcons() const { return FTabOrderIcons.get(); }
    void SetTabOrderIcons(TTabOrderIcons* value) { FTabOrderIcons->Assign(value); }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TLocalMenuFilters PopupMenuFilter() const { return FPopupMenuFilter; }
    void SetPopupMenuFilter(TLocalMenuFilters value) { FPopupMenuFilter = value; }
    bool DisplayControlGrid() const { return FDisplayControlGrid; }
    void SetDisplayControlGrid(bool value);
    TDesignSurface* DesignSurface() const { return FDesignSurface; }
    void SetDesignSurface(TDesignSurface* value);

    // ---- bookkeeping shared by every designer operation
    // Sets the modified flag, broadcasts ItemsModified, repositions icons and takes an undo
    // snapshot; nothing while suppressed or inactive.
    void MarkModified();
    void ComponentNotification(TPersistent* object, TOperation operation);

    // ---- permission queries (each fires its event with the designer's own verdict)
    virtual bool IsComponentLocked(TComponent* component);
    virtual bool QueryComponentLocked(TComponent* component);
    virtual bool CanInsertComponent(TComponent* component);
    virtual bool CanDeleteComponent(TComponent* component);
    virtual bool CanSelectComponent(TComponent* component);
    virtual bool CanMoveComponent(TComponent* component);
    virtual bool CanResizeComponent(TComponent* component);
    virtual bool CanRenameComponent(TComponent* component, const String& newName);
    virtual bool CanEditComponent(TComponent* component);

    // ---- event list: "Button1.OnClick=Button1Click", or "OnCreate=FormCreate" for the Root
    TStringList* EventList() const { return FEventList.get(); }
    String GetScriptProc(TPersistent* instance, const TPropInfo* prop);
    void SetScriptProc(TPersistent* instance, const TPropInfo* prop, const String& name);

    // ---- selection
    // Selected surface controls (icons stand for non-visual components), in selection order.
    const std::vector<TControl*>& Selection() const { return FSelection; }
    // Selected objects without a control on the surface.
    const std::vector<TPersistent*>& OtherSelection() const { return FOtherSelection; }
    int SelectedCount() const { return static_cast<int>(FSelection.size() + FOtherSelection.size()); }
    bool IsSelected(TPersistent* item) const;
    virtual void UpdateSelection();
    // Broadcasts the selection (the Root when nothing is selected) through the designer manager.
    void AnnounceSelection();
    void SelectOnly(TPersistent* item, bool showPage = true);
    // Adds an item to the selection (keeping the others only when MultiSelect allows).
    void AddSelected(TPersistent* item);
    void RemoveSelected(TPersistent* item);
    void ClearSelected();
    void FillSelection(IDesignerSelections* list);
    void TakeSelection(IDesignerSelections* list);

    // ---- activation and message interception
    bool HandleDesignMessage(TControl* sender, TMessage& message);
    virtual bool PaintDesignedControl(TControl* control, TMessage& message);
    void PaintFormGrid();
    // Draws the grid into dc over control's client area.
    void DrawGrid(TControl* control, HDC dc);
    TBitmap* GridBitmap() const { return FGridBitmap.get(); }
    TControl* ControlAtPoint(TWinControl* container, TPoint point);
    TControl* ChildAtPoint(TWinControl* container, TPoint point);
    TControl* DesignedAncestor(TControl* control) const;
    bool Dragging() const { return FDragging; }
    // How many deferred refreshes after a position change have run.
    int RefreshCount() const { return FRefreshCount; }

    // ---- undo
    void PushUndo();
    void ResetUndo();
    void TrimUndo();
    bool CanUndo() const { return FUndoPos + 1 < UndoCount(); }
    bool CanRedo() const { return FUndoPos > 0; }
    void Undo();
    void Redo();
    void RestoreSnapshot(TStream& stream);
    int UndoCount() const { return static_cast<int>(FUndoList.size()); }
    int UndoPosition() const { return FUndoPos; }
    // Writes the Root, without the designer and the data module host, in binary form.
    void WriteSnapshot(TStream& stream);

    // ---- operations whose behaviour comes with their own features (see each definition)
    virtual void ResolvePastedName(TComponent* component, String& name);
    void CancelDrag();
    TComponent* CreateDesignComponent(TClass componentClass, TComponent* parent, int left, int top, int width,
                                      int height);
    TComponent* CreateArmedComponent(TComponent* parent, const TRect& rect);
    String MakeUniqueName(const String& baseName);
    void CheckRename(TComponent* component, const String& currentName, const String& newName);
    void DeleteSelected();
    void EditComponent(TComponent* component);
    void CopySelected();
    void CutSelected();
    bool ClipboardHasComponents();
    void PasteComponents();
    void ClearGroups();
    void EndTextEdit(bool commit);
    void ShowDesignMenu(TPoint screenPos);
    void CreateComponentIcons();
    void FreeComponentIcons();
    void RefreshComponentIcons();
    TControl* FindComponentIcon(TComponent* component) const;
    TComponent* IconComponent(TControl* control) const;
    void RepositionIcons();
    bool IsComponentHiddenOnSurface(TComponent* component);
    void RefreshStaticGuidelines();
    void ClearGuidelines();
    void UpdateMarkers();

    // ---- IInterface (the designer lives in the owner tree: no reference counting)
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }
    // ---- IImplementation
    TObject* GetInstance() override { return this; }
    // ---- IPaletteNotification
    void ComponentClassChanged() override {}
    void PaletteChanged() override { RefreshComponentIcons(); }
    // ---- IDesignerNotify and IDesignerHook (the form's hook while active)
    void Modified() override { MarkModified(); }
    void Notification(TPersistent* object, TOperation operation) override { ComponentNotification(object, operation); }
    TCustomForm* GetForm() override { return DesignForm(); }
    void SetForm(TCustomForm* value) override;
    bool GetIsControl() override { return FIsControl; }
    void SetIsControl(bool value) override { FIsControl = value; }
    bool IsDesignMsg(TControl* sender, TMessage& message) override { return HandleDesignMessage(sender, message); }
    void PaintGrid() override { PaintFormGrid(); }
    // Serves both the form's hook (CheckRename) and this component as the owner of its own
    // helper components (the usual uniqueness check).
    void ValidateRename(TComponent* component, const String& currentName, const String& newName) override;
    String UniqueName(const String& baseName) override { return MakeUniqueName(baseName); }
    TComponent* GetRoot() override { return FRoot; }
    // ---- IEditHandler
    bool RunEditCommand(int command) override;
    TEditStates EditStateSet() override;
    // ---- IDesigner
    void Activate() override;
    TMethod CreateMethod(const String& name, const TTypeInfo* typeData) override;
    String GetMethodName(const TMethod& method) override;
    void GetMethods(const TTypeInfo* typeData, const TGetStrProc& proc) override;
    String GetPathAndBaseExeName() override { return {}; }
    String GetPrivateDirectory() override;
    String GetBaseRegKey() override { return {}; }
    TObject* GetIDEOptions() override { return nullptr; }
    void GetSelections(IDesignerSelections* list) override { FillSelection(list); }
    bool MethodExists(const String& name) override;
    void RenameMethod(const String& curName, const String& newName) override;
    void SelectComponent(TPersistent* instance) override { SelectOnly(instance, true); }
    void SetSelections(IDesignerSelections* list) override { TakeSelection(list); }
    void ShowMethod(const String& name) override;
    void GetComponentNames(const TTypeInfo* typeData, const TGetStrProc& proc) override;
    TComponent* GetComponent(const String& name) override;
    String GetComponentName(TComponent* component) override { return GetObjectName(component); }
    TPersistent* GetObject(const String& name) override { return GetComponent(name); }
    String GetObjectName(TPersistent* instance) override;
    void GetObjectNames(const TTypeInfo*, const TGetStrProc&) override {}
    bool MethodFromAncestor(const TMethod& method) override;
    TComponent* CreateComponent(TClass componentClass, TComponent* parent, int left, int top, int width,
                                int height) override {
        return CreateDesignComponent(componentClass, parent, left, top, width, height);
    }
    TComponent* CreateCurrentComponent(TComponent* parent, const TRect& rect) override {
        return CreateArmedComponent(parent, rect);
    }
    bool IsComponentLinkable(TComponent* component) override;
    bool IsComponentHidden(TComponent* component) override { return IsComponentHiddenOnSurface(component); }
    void MakeComponentLinkable(TComponent*) override {}
    void Revert(TPersistent*, const TPropInfo*) override {}
    bool GetIsDormant() override { return false; }
    void GetProjectModules(const TGetStrProc&) override {}
    IDesigner* GetAncestorDesigner() override { return nullptr; }
    bool IsSourceReadOnly() override { return FReadOnly; }
    TPoint GetScrollRanges(const TPoint& scrollPosition) override { return scrollPosition; }
    void Edit(TComponent* component) override { EditComponent(component); }
    void ChainCall(const String&, const String&, const String&, const TTypeInfo*) override {}
    void CopySelection() override { CopySelected(); }
    void CutSelection() override { CutSelected(); }
    bool CanPaste() override { return ClipboardHasComponents(); }
    void PasteSelection() override { PasteComponents(); }
    void DeleteSelection(bool doAll = false) override;
    void ClearSelection() override { ClearSelected(); }
    void NoSelection() override { ClearSelected(); }
    void ModuleFileNames(String&, String&, String&) override {}
    String GetRootClassName() override { return FRoot ? FRoot->ClassName() : String(); }
    TShiftState GetShiftState() override;
    void ModalEdit(char, IInterface*) override {}
    void SelectItemName(const String&) override {}
    void Resurrect() override {}
    TObject* GetActiveClassGroup() override { return nullptr; }
    TComponent* FindRootAncestor(const String&) override { return nullptr; }

    // The designer interface of this designer.
    IDesigner* DesignerIntf() { return this; }

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // ---- events
    TValidateMethodEvent OnValidateMethod;
    TComponentEvent OnCanInsert;
    TComponentEvent OnCanDelete;
    TComponentEvent OnCanSelect;
    TComponentEvent OnCanMove;
    TComponentEvent OnCanResize;
    TRenameEvent OnCanRename;
    TCreateIconEvent OnCreateIcon;
    TNotificationEvent OnNotification;
    TNotifyEvent OnFormClosed;
    TShowMethodEvent OnShowMethod;
    TRenameMethodEvent OnRenameMethod;
    TCreateMethodEvent OnCreateMethod;
    TGetScriptProcEvent OnGetScriptProc;
    TSetScriptProcEvent OnSetScriptProc;
    TGetMethodNamesEvent OnGetMethodNames;
    TCreateFrameEvent OnCreateFrame;
    TCreateComponentEvent OnCreateComponent;
    TComponentEvent OnGetComponentLocked;
    TComponentEvent OnCanEdit;
    TGetObjNameEvent OnGetObjectName;
    TSetNameEvent OnSetNewName;
    THandleActionEvent OnExecuteAction;
    THandleActionEvent OnUpdateAction;
    TUndoRecEvent OnPushUndo;
    TUndoRecEvent OnPopUndo;
    TDrawControlEvent OnDrawControl;

protected:
    void SetActiveValue(bool value) override;
    void Activation();
    void Deactivation();
    // The steps shared by the end of activation and deactivation.
    void ActivationCommonEnd();
    static void ShowDesignForm(TCustomForm* form);
    void HostFormResize(TObject* sender);
    // The grid bitmap, rebuilt when missing or smaller than size.
    TBitmap* NeededGridBitmap(TSize size);
    void DrawCornerMarks(TControl* control, HDC dc);
    bool OnSurface(TControl* sender) const;
    // Tells the surface (if any) whether nothing is selected.
    void UpdateFrameGrips();
    bool IsIcon(TPersistent* object) const;
    void CaptionFontChanged(TObject* sender);
    // The component a method path names ("" for the Root).
    TComponent* MethodOwner(const String& path);
    // Adds the members of every control group that holds a selected control.
    void ExtendByGroups();
    // The deferred refresh after sender's window position changed.
    void RefreshAfterMove(TControl* sender);
    void GridChanged();
    // Applies FlatIcons and CaptionFont to every icon.
    void ApplyIconSettings();
    // Invalidates control and every windowed control inside it.
    static void InvalidateTree(TWinControl* control);
    void FreeHostForm();
    void RemoveFromGroups(TPersistent* object);
    void CreateComponentIcon(TComponent* component);
    void FreeComponentIcon(TComponent* component);
    // The event list key of an event property: "Name.OnX", or "OnX" for the Root.
    String EventKey(TPersistent* instance, const TPropInfo* prop) const;

    TComponent* FRoot = nullptr;
    TOwnerDsnFrom* FHostForm = nullptr;
    // A data module host made by the environment (not a TOwnerDsnFrom).
    TCustomForm* FForeignHost = nullptr;
    // The form whose designer hook this designer is while active.
    TCustomForm* FHookedForm = nullptr;
    // Set while the design form's window is being destroyed.
    bool FWindowDestroying = false;
    TInterfacePtr<ICustomModule> FCustomModule;
    bool FIsControl = false;
    std::vector<TControl*> FSelection;
    std::vector<TPersistent*> FOtherSelection;
    // Drag state.
    bool FDragging = false;
    TDesignDragMode FDragMode = ddNone;
    int FGrabHandle = 0;
    TPoint FStartPoint;
    TPoint FCurrentPoint;
    TRect FStartBounds;
    bool FKeepAspect = false;
    // Settings.
    int FGridStepX = 4;
    int FGridStepY = 4;
    bool FSnapToGrid = true;
    bool FAllowComponents = true;
    bool FShowCaptions = false;
    bool FDisplayGrid = true;
    bool FMultiSelect = true;
    bool FFlatIcons = true;
    TObjectPtr<TFont> FCaptionFont;
    bool FLockControls = false;
    bool FAutoAlign = true;
    bool FCloseDisactive = false;
    bool FLockPublished = false;
    std::unique_ptr<TzBoundCtrl, TObjectDeleter> FSelMarker;
    bool FLiveDragStyle = true;
    bool FReadOnly = false;
    int FUndoLimit = 16;
    bool FTextEditMode = false;
    bool FDragParentLimit = true;
    bool FStoreEvents = true;
    bool FIgnoreReadErrors = false;
    TGuidelinesStyles FGuidelinesStyle = DefaultGuidelinesStyle;
    std::unique_ptr<TTabOrderIcons, TObjectDeleter> FTabOrderIcons;
    TPopupMenu* FPopupMenu = nullptr;
    TLocalMenuFilters FPopupMenuFilter = DefaultPopupMenuFilter;
    bool FDisplayControlGrid = false;
    TDesignSurface* FDesignSurface = nullptr;
    // Own context menu and its pictures (owned by the designer).
    TImageList* FMenuImages = nullptr;
    TPopupMenu* FDesignMenu = nullptr;
    // Undo: newest first; FUndoPos steps are undone.
    std::vector<TObjectPtr<TMemoryStream>> FUndoList;
    int FUndoPos = 0;
    bool FUndoBusy = false;
    TObjectPtr<TStringList> FEventList;
    TObjectPtr<TBitmap> FGridBitmap;
    int FSuppressModified = 0;
    bool FModified = false;
    bool FHideOnDeactivate = false;
    std::vector<TComponent*> FBeingDeleted;
    bool FDeleting = false;
    bool FTextEditing = false;
    // How many deferred refreshes after a move ran (for tests and diagnostics).
    int FRefreshCount = 0;
};

// Publishes the designer's settings and events, in the order form files and the inspector show them.
class TzFormDesigner : public TzCustomFormDesigner {
    DW_CLASS(TzFormDesigner, TzCustomFormDesigner)
    using TzCustomFormDesigner::TzCustomFormDesigner;
};

// The host window of a windowed Root that is not a form (a frame): transient, owned by the Root,
// and written as if it had a parent, so that writing the Root never takes it for one of its
// non-visual components. TOwnerDsnFrom is spelled so on purpose: callers use this name.
class TOwnerDsnFrom : public TForm {
    DW_CLASS(TOwnerDsnFrom, TForm)
    explicit TOwnerDsnFrom(TComponent* owner);
    bool HasParent() const override { return true; }
};

// The designer component behind a designer interface (the active designer's when given null),
// or null.
TzCustomFormDesigner* GetFormDesigner(IDesigner* designer = nullptr);

// Registers the designer's classes for form reading (the program's start-up calls it once; later
// calls do nothing).
void RegisterDesignerClasses();

} // namespace dw
