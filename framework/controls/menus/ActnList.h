// Actions and action lists: TContainedAction (an action in a list, with a category),
// TCustomAction and TAction (caption, checked, enabled, shortcut ... shown by every linked
// client), TActionList (the actions of a form, updated on idle and asked for shortcuts), and the
// target dispatch that offers an action to the controls and forms that can act on it.
//
// Executing or updating a contained action asks, in this order, until one says it handled it:
//   1. the action list's OnExecute / OnUpdate;
//   2. the action's own OnExecute / OnUpdate (TBasicAction::Execute / Update);
//   3. the targets (DispatchAction), each through its ExecuteAction / UpdateAction, which asks the
//      action's HandlesTarget and then calls ExecuteTarget / UpdateTarget:
//        a. the active form's focused control (ActiveControl), then the active form itself;
//        b. for a multiple-document frame, its active child's focused control, then the child;
//        c. every visible control of the active form (and of that child), parents before children;
//        d. when the active form is a document (MDI child), its frame's focused control and frame;
//        e. each other visible form, most recently active first: its focused control, then it;
//        f. the application (its OnActionExecute / OnActionUpdate).
// An update that nobody handled leaves a TCustomAction enabled only when it has an OnExecute
// handler (DisableIfNoHandler, on by default): an action that can do nothing shows disabled.
// A descendant that overrides Execute or Update without calling the inherited one takes all of
// this over, handlers included.
#pragma once

#include "framework/controls/core/ActionLink.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/menus/ShortCut.h"
#include "framework/rtl/StringList.h"

#include <vector>

namespace dw {

class TCustomActionList;
class TCustomImageList;
class TChangeLink;

DW_ENUM(THelpType, htKeyword, htContext)
DW_ENUM(TActionListState, asNormal, asSuspended, asSuspendedEnabled)
DW_EVENT(THintEvent, (String&, bool&), "var HintStr: string; var CanShow: Boolean");

// Makes TActionList and TAction known to the form reader; safe to call more than once.
void RegisterActionClasses();

// Offers action to the targets (steps 3a to 3f above) for execution or for an update; true when
// one of them took it.
bool DispatchAction(TBasicAction* action, bool execute);

// Shortcut texts ("Ctrl+Ins"), one a line; a line that is not a shortcut counts as none.
class TShortCutList : public TStringList {
    DW_CLASS(TShortCutList, TStringList)
    TShortCutList() = default;
    TShortCut ShortCuts(int index) const;
    int IndexOfShortCut(TShortCut shortCut) const;
    int AddShortCut(TShortCut shortCut) { return Add(ShortCutToText(shortCut)); }
};

// An action that belongs to an action list (it is streamed inside it) under a category.
class TContainedAction : public TBasicAction {
    DW_CLASS(TContainedAction, TBasicAction)
    explicit TContainedAction(TComponent* owner);
    void BeforeDestruction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* value);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& value);
    // The place in the list (-1 without one); setting it moves the action.
    int Index() const;
    void SetIndex(int value);

    bool Execute() override;
    bool Update() override;

    bool HasParent() const override { return FActionList != nullptr; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;
    void ReadState(TReader* reader) override;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

// An action with everything a client shows. Each change is passed to the linked clients before
// the action's own value changes, so a client can tell whether it still followed the action.
class TCustomAction : public TContainedAction {
    DW_CLASS(TCustomAction, TContainedAction)
    explicit TCustomAction(TComponent* owner);
    ~TCustomAction() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool Checked() const { return FChecked; }
    // Checking an action of a group (GroupIndex > 0) unchecks the others of its list's group.
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value);
    const String& HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const String& value) { FHelpKeyword = value; }
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType value) { FHelpType = value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    TShortCutList* SecondaryShortCuts() const { return FSecondaryShortCuts.get(); }
    void SetSecondaryShortCuts(TShortCutList* value) { FSecondaryShortCuts->Assign(value); }
    bool IsSecondaryShortCutsStored() const { return FSecondaryShortCuts->Count() > 0; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // Executing toggles Checked (for a group: only turns it on).
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value) { FAutoCheck = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
    void SetDisableIfNoHandler(bool value) { FDisableIfNoHandler = value; }
    // Whether shortcut is this action's ShortCut or one of its SecondaryShortCuts.
    bool HasShortCut(TShortCut shortCut) const;

    // Nothing while the list is suspended; otherwise updates, applies AutoCheck when enabled and
    // runs the dispatch when enabled. True when something executed it.
    bool Execute() override;
    bool Update() override;
    // The shortcut was pressed: executes; false (the key goes on) when the action is disabled.
    virtual bool HandleShortCut();
    // Lets OnHint change or refuse the hint a client is about to show.
    virtual bool DoHint(String& hintStr);

    THintEvent OnHint;

protected:
    friend class TCustomActionList;
    // Enabled as it was before the list was suspended with asSuspendedEnabled.
    bool FSavedEnabledState = false;

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FHelpContext = 0;
    String FHelpKeyword;
    THelpType FHelpType = htKeyword;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    TObjectPtr<TShortCutList> FSecondaryShortCuts;
    bool FVisible = true;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    bool FDisableIfNoHandler = true;
    bool FChecking = false;
};

// The action of forms: publishes every property of a custom action and its events.
class TAction : public TCustomAction {
    DW_CLASS(TAction, TCustomAction)
    explicit TAction(TComponent* owner);
};

// Publishes the properties of TCustomAction on a descendant C, so each action class can choose
// what the inspector shows: names among "AutoCheck", "Caption", "Checked", "Enabled",
// "GroupIndex", "HelpContext", "HelpKeyword", "HelpType", "Hint", "ImageIndex", "ShortCut",
// "SecondaryShortCuts", "Visible", "OnHint" (OnExecute and OnUpdate are published by
// TBasicAction). An unknown name raises EPropertyError.
template <class C> void PublishActionProperties(TClassBuilder<C>& c, std::initializer_list<const char*> names);

// The actions of a form (or data module) in order, with the images they show.
class TCustomActionList : public TComponent, public IShortCutHandler {
    DW_CLASS(TCustomActionList, TComponent)
    explicit TCustomActionList(TComponent* owner);
    ~TCustomActionList() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    // Index out of range raises EListError.
    TContainedAction* Actions(int index) const;
    int IndexOf(const TContainedAction* action) const;
    // The categories in the order they first occur ("" for actions without one is included).
    std::vector<String> Categories() const;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TActionListState State() const { return FState; }
    // asSuspended stops executing and updating; asSuspendedEnabled also enables every custom
    // action until the list is back to asNormal, which restores their Enabled.
    void SetState(TActionListState value);

    // The list-level handlers of every action (step 1 of the dispatch); true when handled.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    // Updates every action (the application's idle processing calls it). Not while the list is
    // suspended or designed.
    void UpdateActions();

    // IShortCutHandler: the first action with the key as a shortcut handles it.
    bool IsShortCut(TWMKey& message) override;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;
    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnStateChange;

protected:
    friend class TContainedAction;
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    void Change();
    void ImageListChange(TObject* sender);

private:
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
    TObjectPtr<TChangeLink> FImageChangeLink;
    TActionListState FState = asNormal;
    int FIdleKey = 0;
};

class TActionList : public TCustomActionList {
    DW_CLASS(TActionList, TCustomActionList)
    using TCustomActionList::TCustomActionList;
};

// ---------------------------------------------------------------------------------------------

template <class C> void PublishActionProperties(TClassBuilder<C>& c, std::initializer_list<const char*> names) {
    auto is = [](const char* a, const char* b) { return std::string_view(a) == b; };
    for (const char* name : names) {
        if (is(name, "AutoCheck"))
            c.Property("AutoCheck", &C::AutoCheck, &C::SetAutoCheck).Default(false);
        else if (is(name, "Caption"))
            c.Property("Caption", &C::Caption, &C::SetCaption).Type(CaptionTypeInfo());
        else if (is(name, "Checked"))
            c.Property("Checked", &C::Checked, &C::SetChecked).Default(false);
        else if (is(name, "Enabled"))
            c.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
        else if (is(name, "GroupIndex"))
            c.Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
        else if (is(name, "HelpContext"))
            c.Property("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0);
        else if (is(name, "HelpKeyword"))
            c.Property("HelpKeyword", &C::HelpKeyword, &C::SetHelpKeyword);
        else if (is(name, "HelpType"))
            c.Property("HelpType", &C::HelpType, &C::SetHelpType).Default(htKeyword);
        else if (is(name, "Hint"))
            c.Property("Hint", &C::Hint, &C::SetHint);
        else if (is(name, "ImageIndex"))
            c.Property("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1);
        else if (is(name, "ShortCut"))
            c.Property("ShortCut", &C::ShortCut, &C::SetShortCut).Type(ShortCutTypeInfo()).Default(0);
        else if (is(name, "SecondaryShortCuts"))
            c.Property("SecondaryShortCuts", &C::SecondaryShortCuts, &C::SetSecondaryShortCuts)
                .Stored(&C::IsSecondaryShortCutsStored);
        else if (is(name, "Visible"))
            c.Property("Visible", &C::Visible, &C::SetVisible).Default(true);
        else if (is(name, "OnHint"))
            c.Property("OnHint", &C::OnHint, &C::OnHint);
        else
            throw EPropertyError(
                Format("%s has no action property %s to publish", C::StaticClass()->ClassName(), String(name)));
    }
}

} // namespace dw
