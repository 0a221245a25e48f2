#include "framework/controls/menus/StdActns.h"

#include "framework/controls/graphics/Clipbrd.h"
#include "framework/rtl/ClassRegistry.h"

namespace dw {

namespace {
// Each edit action publishes its own shortcut as the default, so that clearing it is stored.
template <class C> void PublishEditAction(TClassBuilder<C>& c, TShortCut shortCut) {
    c.Property("ShortCut", &C::ShortCut, &C::SetShortCut).Type(ShortCutTypeInfo()).Default(shortCut);
}

constexpr TShortCut EditCutShortCut = scCtrl | 'X';       // 16472
constexpr TShortCut EditCopyShortCut = scCtrl | 'C';      // 16451
constexpr TShortCut EditPasteShortCut = scCtrl | 'V';     // 16470
constexpr TShortCut EditDeleteShortCut = VK_DELETE;       // 46
constexpr TShortCut EditUndoShortCut = scCtrl | 'Z';      // 16474
constexpr TShortCut EditSelectAllShortCut = scCtrl | 'A'; // 16449
} // namespace

// ---------------------------------------------------------------------------------------------
// TEditAction

DW_DEFINE_CLASS(TEditAction) {
    c.Property("Control", &TEditAction::Control, &TEditAction::SetControl);
}

TEditAction::TEditAction(TComponent* owner) : TAction(owner) {}

void TEditAction::BeforeDestruction() {
    SetControl(nullptr);
    TAction::BeforeDestruction();
}

void TEditAction::SetControl(TCustomEdit* value) {
    if (value == FControl) return;
    if (FControl) FControl->RemoveFreeNotification(this);
    FControl = value;
    if (value) value->FreeNotification(this);
}

void TEditAction::Notification(TComponent* component, TOperation operation) {
    TAction::Notification(component, operation);
    if (operation == opRemove && component == FControl) FControl = nullptr;
}

bool TEditAction::HandlesTarget(TObject* target) {
    auto* edit = GetControl(target);
    if (!edit || edit->HasState(csDesigning) || edit->HasState(csDestroying)) return false;
    if (FControl) return edit == FControl;
    return edit->Focused();
}

// ---------------------------------------------------------------------------------------------

DW_DEFINE_CLASS(TEditCut) {
    PublishEditAction(c, EditCutShortCut);
}
TEditCut::TEditCut(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditCutShortCut);
}
void TEditCut::UpdateTarget(TObject* target) {
    auto* edit = GetControl(target);
    SetEnabled(edit->SelLength() > 0 && !edit->ReadOnly());
}
void TEditCut::ExecuteTarget(TObject* target) {
    GetControl(target)->CutToClipboard();
}

DW_DEFINE_CLASS(TEditCopy) {
    PublishEditAction(c, EditCopyShortCut);
}
TEditCopy::TEditCopy(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditCopyShortCut);
}
void TEditCopy::UpdateTarget(TObject* target) {
    SetEnabled(GetControl(target)->SelLength() > 0);
}
void TEditCopy::ExecuteTarget(TObject* target) {
    GetControl(target)->CopyToClipboard();
}

DW_DEFINE_CLASS(TEditPaste) {
    PublishEditAction(c, EditPasteShortCut);
}
TEditPaste::TEditPaste(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditPasteShortCut);
}
void TEditPaste::UpdateTarget(TObject* target) {
    SetEnabled(!GetControl(target)->ReadOnly() && Clipboard()->HasFormat(CF_TEXT));
}
void TEditPaste::ExecuteTarget(TObject* target) {
    GetControl(target)->PasteFromClipboard();
}

DW_DEFINE_CLASS(TEditDelete) {
    PublishEditAction(c, EditDeleteShortCut);
}
TEditDelete::TEditDelete(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditDeleteShortCut);
}
void TEditDelete::UpdateTarget(TObject* target) {
    auto* edit = GetControl(target);
    SetEnabled(edit->SelLength() > 0 && !edit->ReadOnly());
}
void TEditDelete::ExecuteTarget(TObject* target) {
    GetControl(target)->ClearSelection();
}

DW_DEFINE_CLASS(TEditUndo) {
    PublishEditAction(c, EditUndoShortCut);
}
TEditUndo::TEditUndo(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditUndoShortCut);
}
void TEditUndo::UpdateTarget(TObject* target) {
    auto* edit = GetControl(target);
    SetEnabled(edit->CanUndo() && !edit->ReadOnly());
}
void TEditUndo::ExecuteTarget(TObject* target) {
    GetControl(target)->Undo();
}

DW_DEFINE_CLASS(TEditSelectAll) {
    PublishEditAction(c, EditSelectAllShortCut);
}
TEditSelectAll::TEditSelectAll(TComponent* owner) : TEditAction(owner) {
    SetShortCut(EditSelectAllShortCut);
}
void TEditSelectAll::UpdateTarget(TObject* target) {
    SetEnabled(!GetControl(target)->Text().empty());
}
void TEditSelectAll::ExecuteTarget(TObject* target) {
    GetControl(target)->SelectAll();
}

void RegisterStandardActions() {
    for (TClass cls : {TEditCut::StaticClass(), TEditCopy::StaticClass(), TEditPaste::StaticClass(),
                       TEditDelete::StaticClass(), TEditUndo::StaticClass(), TEditSelectAll::StaticClass()})
        if (!IsClassRegistered(cls)) RegisterClass(cls);
}

namespace {
// Registered at start-up too, for programs that link this unit anyway.
const bool EditActionClassesRegistered = [] {
    RegisterStandardActions();
    return true;
}();
} // namespace

} // namespace dw
