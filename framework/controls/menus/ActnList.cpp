#include "framework/controls/menus/ActnList.h"

#include "framework/controls/graphics/ImageList.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Target dispatch

namespace {

bool Offer(TComponent* target, TBasicAction* action, bool execute) {
    if (!target || target->HasState(csDestroying)) return false;
    return execute ? target->ExecuteAction(action) : target->UpdateAction(action);
}

// Every visible control of container, parents before their children.
bool TraverseClients(TWinControl* container, TBasicAction* action, bool execute) {
    if (!container->Showing()) return false;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        if (control->Visible() && Offer(control, action, execute)) return true;
        if (auto* win = As<TWinControl>(control))
            if (TraverseClients(win, action, execute)) return true;
    }
    return false;
}

bool FormShown(TCustomForm* form) {
    return form && !form->HasState(csDestroying) && form->HandleAllocated() && form->Showing();
}

// The focused control and the form; the active child of a frame (unless it was offered already);
// then, when asked, every visible control. Controls of a designed form are never offered one by
// one: they are the designer's, not the user's (the form itself and its active control still are).
bool OfferForm(TCustomForm* form, TBasicAction* action, bool execute, bool traverse, TCustomForm* done = nullptr) {
    if (!FormShown(form)) return false;
    if (Offer(form->ActiveControl(), action, execute) || Offer(form, action, execute)) return true;
    TForm* child = form->FormStyle() == fsMDIForm ? form->ActiveMDIChild() : nullptr;
    if (child == done) child = nullptr;
    if (child && !child->HasState(csDestroying)) {
        if (Offer(child->ActiveControl(), action, execute) || Offer(child, action, execute)) return true;
    }
    if (!traverse) return false;
    if (!form->HasState(csDesigning) && TraverseClients(form, action, execute)) return true;
    if (child && FormShown(child) && !child->HasState(csDesigning) && TraverseClients(child, action, execute))
        return true;
    return false;
}

// The frame of an MDI child.
TCustomForm* FrameOf(TCustomForm* form) {
    if (!form || form->FormStyle() != fsMDIChild || !Application) return nullptr;
    TForm* frame = Application->MainForm();
    return frame && frame->FormStyle() == fsMDIForm ? frame : nullptr;
}

} // namespace

bool DispatchAction(TBasicAction* action, bool execute) {
    if (!action) return false;
    TCustomForm* active = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (OfferForm(active, action, execute, true)) return true;
    // An active document window is followed by its frame.
    TCustomForm* frame = FrameOf(active);
    if (frame && OfferForm(frame, action, execute, false, active)) return true;
    if (Screen) {
        TForm* activeChild = active && active->FormStyle() == fsMDIForm ? active->ActiveMDIChild() : nullptr;
        for (int i = 0; i < Screen->CustomFormCount(); ++i) {
            TCustomForm* form = Screen->CustomForms(i);
            if (form == active || form == activeChild || form == frame) continue;
            if (OfferForm(form, action, execute, false)) return true;
        }
    }
    if (Application) return execute ? Application->ExecuteAction(action) : Application->UpdateAction(action);
    return false;
}

// ---------------------------------------------------------------------------------------------
// TShortCutList

DW_DEFINE_CLASS(TShortCutList) {}

TShortCut TShortCutList::ShortCuts(int index) const {
    TShortCut result;
    return TryTextToShortCut(Get(index), result) ? result : scNone;
}

int TShortCutList::IndexOfShortCut(TShortCut shortCut) const {
    if (shortCut == scNone) return -1;
    for (int i = 0; i < Count(); ++i)
        if (ShortCuts(i) == shortCut) return i;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// TContainedAction

DW_DEFINE_CLASS(TContainedAction) {
    c.Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

TContainedAction::TContainedAction(TComponent* owner) : TBasicAction(owner) {}

void TContainedAction::BeforeDestruction() {
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TCustomActionList* value) {
    if (value == FActionList) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (value) value->AddAction(this);
}

void TContainedAction::SetCategory(const String& value) {
    if (value == FCategory) return;
    FCategory = value;
    if (FActionList) FActionList->Change();
}

int TContainedAction::Index() const {
    return FActionList ? FActionList->IndexOf(this) : -1;
}

void TContainedAction::SetIndex(int value) {
    if (!FActionList) return;
    auto& list = FActionList->FActions;
    int current = Index();
    value = std::clamp(value, 0, static_cast<int>(list.size()) - 1);
    if (value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + value, this);
    FActionList->Change();
}

bool TContainedAction::Execute() {
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    if (TBasicAction::Execute()) return true;
    return DispatchAction(this, true);
}

bool TContainedAction::Update() {
    if (FActionList && FActionList->UpdateAction(this)) return true;
    if (TBasicAction::Update()) return true;
    return DispatchAction(this, false);
}

TComponent* TContainedAction::GetParentComponent() const {
    return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* value) {
    if (auto* list = As<TCustomActionList>(value)) SetActionList(list);
}

void TContainedAction::ReadState(TReader* reader) {
    TBasicAction::ReadState(reader);
    if (auto* list = As<TCustomActionList>(reader->Parent())) SetActionList(list);
}

// ---------------------------------------------------------------------------------------------
// TCustomAction

DW_DEFINE_CLASS(TCustomAction) {}

TCustomAction::TCustomAction(TComponent* owner)
    : TContainedAction(owner), FSecondaryShortCuts(MakeObject<TShortCutList>()) {}

TCustomAction::~TCustomAction() = default;

namespace {
// Calls fn for every client link that shows action properties. The list is copied: a client
// may drop its link while being told.
template <class F> void ForEachLink(const std::vector<TBasicActionLink*>& clients, F fn) {
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients))
        if (auto* actionLink = As<TActionLink>(link)) fn(actionLink);
}
} // namespace

void TCustomAction::SetCaption(const String& value) {
    if (value == FCaption) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetCaption(value); });
    FCaption = value;
    Change();
}

void TCustomAction::SetChecked(bool value) {
    if (value == FChecked || FChecking) return;
    FChecking = true;
    {
        auto restore = ScopeExit([&] { FChecking = false; });
        ForEachLink(FClients, [&](TActionLink* link) { link->SetChecked(value); });
        FChecked = value;
        if (value && FGroupIndex > 0 && ActionList()) {
            for (int i = 0; i < ActionList()->ActionCount(); ++i) {
                auto* other = As<TCustomAction>(ActionList()->Actions(i));
                if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
            }
        }
    }
    Change();
}

void TCustomAction::SetEnabled(bool value) {
    if (value == FEnabled) return;
    // A suspended-enabled list keeps its actions enabled; the value is restored when it resumes.
    if (ActionList() && ActionList()->State() == asSuspendedEnabled) {
        FSavedEnabledState = value;
        return;
    }
    ForEachLink(FClients, [&](TActionLink* link) { link->SetEnabled(value); });
    FEnabled = value;
    Change();
}

void TCustomAction::SetHelpContext(int value) {
    if (value == FHelpContext) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetHelpContext(value); });
    FHelpContext = value;
    Change();
}

void TCustomAction::SetHint(const String& value) {
    if (value == FHint) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetHint(value); });
    FHint = value;
    Change();
}

void TCustomAction::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetImageIndex(value); });
    FImageIndex = value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut value) {
    if (value == FShortCut) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetShortCut(value); });
    FShortCut = value;
    Change();
}

void TCustomAction::SetVisible(bool value) {
    if (value == FVisible) return;
    ForEachLink(FClients, [&](TActionLink* link) { link->SetVisible(value); });
    FVisible = value;
    Change();
}

void TCustomAction::SetGroupIndex(int value) {
    if (value == FGroupIndex) return;
    FGroupIndex = value;
    // Of a group only one stays checked: this one, if it was.
    if (FChecked && value > 0 && ActionList()) {
        for (int i = 0; i < ActionList()->ActionCount(); ++i) {
            auto* other = As<TCustomAction>(ActionList()->Actions(i));
            if (other && other != this && other->FGroupIndex == value) other->SetChecked(false);
        }
    }
}

bool TCustomAction::HasShortCut(TShortCut shortCut) const {
    if (shortCut == scNone) return false;
    return FShortCut == shortCut || FSecondaryShortCuts->IndexOfShortCut(shortCut) >= 0;
}

bool TCustomAction::Execute() {
    if (ActionList() && ActionList()->State() != asNormal) return false;
    Update();
    if (!FEnabled) return false;
    if (FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

bool TCustomAction::Update() {
    if (ActionList() && ActionList()->State() != asNormal) return false;
    bool handled = TContainedAction::Update();
    if (!handled && FEnabled && FDisableIfNoHandler && !OnExecute) SetEnabled(false);
    return handled;
}

bool TCustomAction::HandleShortCut() {
    return Execute();
}

bool TCustomAction::DoHint(String& hintStr) {
    bool canShow = true;
    OnHint(hintStr, canShow);
    return canShow;
}

// ---------------------------------------------------------------------------------------------
// TAction

DW_DEFINE_CLASS(TAction) {
    PublishActionProperties(c,
                            {"AutoCheck", "Caption", "Checked", "Enabled", "GroupIndex", "HelpContext", "HelpKeyword",
                             "HelpType", "Hint", "ImageIndex", "ShortCut", "SecondaryShortCuts", "Visible", "OnHint"});
}

TAction::TAction(TComponent* owner) : TCustomAction(owner) {}

// ---------------------------------------------------------------------------------------------
// TCustomActionList

DW_DEFINE_CLASS(TCustomActionList) {}

TCustomActionList::TCustomActionList(TComponent* owner)
    : TComponent(owner), FImageChangeLink(MakeObject<TChangeLink>()) {
    FImageChangeLink->OnChange = MakeMethod<&TCustomActionList::ImageListChange>(this);
}

TCustomActionList::~TCustomActionList() = default;

void TCustomActionList::AfterConstruction() {
    TComponent::AfterConstruction();
    if (Application) FIdleKey = Application->AddIdleUpdate([this] { UpdateActions(); });
}

void TCustomActionList::BeforeDestruction() {
    if (Application && FIdleKey) Application->RemoveIdleUpdate(FIdleKey);
    FIdleKey = 0;
    SetImages(nullptr);
    // Actions owned elsewhere outlive the list; they leave it now.
    while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
    TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount()) throw EListError(Format("Action index out of bounds (%d)", index));
    return FActions[static_cast<size_t>(index)];
}

int TCustomActionList::IndexOf(const TContainedAction* action) const {
    auto it = std::find(FActions.begin(), FActions.end(), action);
    return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

std::vector<String> TCustomActionList::Categories() const {
    std::vector<String> result;
    for (TContainedAction* action : FActions)
        if (std::find(result.begin(), result.end(), action->Category()) == result.end())
            result.push_back(action->Category());
    return result;
}

void TCustomActionList::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = value;
    if (FImages) {
        FImages->RegisterChanges(FImageChangeLink.get());
        FImages->FreeNotification(this);
    }
    Change();
}

void TCustomActionList::ImageListChange(TObject* sender) {
    if (sender == FImages) Change();
}

void TCustomActionList::SetState(TActionListState value) {
    if (value == FState) return;
    TActionListState old = FState;
    FState = value;
    if (old == asSuspendedEnabled) {
        for (TContainedAction* action : FActions)
            if (auto* custom = As<TCustomAction>(action)) custom->SetEnabled(custom->FSavedEnabledState);
    } else if (value == asSuspendedEnabled) {
        // SetEnabled keeps values aside while suspended-enabled, so go around it once.
        FState = asNormal;
        for (TContainedAction* action : FActions)
            if (auto* custom = As<TCustomAction>(action)) {
                custom->FSavedEnabledState = custom->Enabled();
                custom->SetEnabled(true);
            }
        FState = asSuspendedEnabled;
    }
    OnStateChange(this);
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    OnExecute(action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    OnUpdate(action, handled);
    return handled;
}

void TCustomActionList::UpdateActions() {
    if (FState != asNormal || HasState(csDesigning) || HasState(csLoading) || HasState(csDestroying)) return;
    // An update may free actions (or the list); work on a copy and skip the ones that left.
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* action : actions) {
        if (std::find(FActions.begin(), FActions.end(), action) == FActions.end()) continue;
        action->Update();
    }
}

bool TCustomActionList::IsShortCut(TWMKey& message) {
    if (FState != asNormal || HasState(csDesigning)) return false;
    TShortCut shortCut = ShortCutFromMessage(message);
    if (shortCut == scNone) return false;
    for (TContainedAction* action : std::vector<TContainedAction*>(FActions)) {
        auto* custom = As<TCustomAction>(action);
        if (custom && custom->HasShortCut(shortCut)) return custom->HandleShortCut();
    }
    return false;
}

void TCustomActionList::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TContainedAction* action : std::vector<TContainedAction*>(FActions))
        if (action->Owner() == root) proc(action);
}

void TCustomActionList::SetChildOrder(TComponent* child, int order) {
    if (auto* action = As<TContainedAction>(child); action && action->ActionList() == this) action->SetIndex(order);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FImages) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages = nullptr;
        Change();
    }
    if (auto* action = As<TContainedAction>(component); action && action->ActionList() == this) RemoveAction(action);
}

void TCustomActionList::AddAction(TContainedAction* action) {
    FActions.push_back(action);
    action->FActionList = this;
    action->FreeNotification(this);
    Change();
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
    auto it = std::find(FActions.begin(), FActions.end(), action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    action->FActionList = nullptr;
    action->RemoveFreeNotification(this);
    Change();
}

void TCustomActionList::Change() {
    if (HasState(csDestroying)) return;
    OnChange(this);
}

DW_DEFINE_CLASS(TActionList) {
    c.Property("Images", &TActionList::Images, &TActionList::SetImages);
    c.Property("State", &TActionList::State, &TActionList::SetState).Default(asNormal);
    c.Property("OnChange", &TActionList::OnChange, &TActionList::OnChange);
    c.Property("OnExecute", &TActionList::OnExecute, &TActionList::OnExecute);
    c.Property("OnStateChange", &TActionList::OnStateChange, &TActionList::OnStateChange);
    c.Property("OnUpdate", &TActionList::OnUpdate, &TActionList::OnUpdate);
}

void RegisterActionClasses() {
    for (TClass cls : {TActionList::StaticClass(), TAction::StaticClass()})
        if (!IsClassRegistered(cls)) RegisterClass(cls);
}

namespace {
// Registered at start-up too, for programs that link this unit anyway.
const bool ActionClassesRegistered = [] {
    RegisterActionClasses();
    return true;
}();
} // namespace

} // namespace dw
