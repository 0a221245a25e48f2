// The standard edit actions: cut, copy, paste, delete, undo and select all, acting on the
// focused edit control or on the one an action is bound to (Control), enabled as the control's
// state allows. Each comes with its usual shortcut.
#pragma once

#include "framework/controls/menus/ActnList.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw {

// The base of the edit actions. A bound Control is the only target (focused or not); without one
// the target is whichever edit control has the focus. Controls in design state are never targets.
// Descendants override UpdateTarget and ExecuteTarget; a subclass can widen HandlesTarget and
// keep the edit behaviour by calling the inherited operations.
class TEditAction : public TAction {
    DW_CLASS(TEditAction, TAction)
    explicit TEditAction(TComponent* owner);
    void BeforeDestruction() override;

    TCustomEdit* Control() const { return FControl; }
    void SetControl(TCustomEdit* value);

    bool HandlesTarget(TObject* target) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // The target as an edit control (null when it is none).
    TCustomEdit* GetControl(TObject* target) const { return As<TCustomEdit>(target); }

private:
    TCustomEdit* FControl = nullptr;
};

// Enabled with a selection in an editable control; moves the selection to the clipboard.
class TEditCut : public TEditAction {
    DW_CLASS(TEditCut, TEditAction)
    explicit TEditCut(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Enabled with a selection; copies it to the clipboard.
class TEditCopy : public TEditAction {
    DW_CLASS(TEditCopy, TEditAction)
    explicit TEditCopy(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Enabled when the clipboard holds text and the control is editable; pastes it.
class TEditPaste : public TEditAction {
    DW_CLASS(TEditPaste, TEditAction)
    explicit TEditPaste(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Enabled with a selection in an editable control; deletes it.
class TEditDelete : public TEditAction {
    DW_CLASS(TEditDelete, TEditAction)
    explicit TEditDelete(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Enabled when the control can undo; undoes.
class TEditUndo : public TEditAction {
    DW_CLASS(TEditUndo, TEditAction)
    explicit TEditUndo(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Enabled when the control has text; selects all of it.
class TEditSelectAll : public TEditAction {
    DW_CLASS(TEditSelectAll, TEditAction)
    explicit TEditSelectAll(TComponent* owner);
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Makes the edit action classes known to the form reader; safe to call more than once.
void RegisterStandardActions();

} // namespace dw
