#include "framework/controls/menus/Menus.h"

#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/MenuTracker.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

// ---------------------------------------------------------------------------------------------
// TMenuActionLink

DW_DEFINE_CLASS(TMenuActionLink) {}

TMenuActionLink::TMenuActionLink(TObject* client) : TActionLink(client), FItem(As<TMenuItem>(client)) {}

namespace {
// A property stays linked while the item still shows what the action holds.
template <class Get> bool AgreesWithAction(const TMenuItem* item, const TCustomAction* action, Get get) {
    return action && get(item) == get(action);
}
} // namespace

bool TMenuActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->Caption(); });
}
bool TMenuActionLink::IsCheckedLinked() const {
    return TActionLink::IsCheckedLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->Checked(); });
}
bool TMenuActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->Enabled(); });
}
bool TMenuActionLink::IsHelpContextLinked() const {
    return TActionLink::IsHelpContextLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->HelpContext(); });
}
bool TMenuActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->Hint(); });
}
bool TMenuActionLink::IsImageIndexLinked() const {
    return TActionLink::IsImageIndexLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->ImageIndex(); });
}
bool TMenuActionLink::IsShortCutLinked() const {
    return TActionLink::IsShortCutLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->ShortCut(); });
}
bool TMenuActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() &&
           AgreesWithAction(FItem, CustomAction(), [](auto* o) { return o->Visible(); });
}
bool TMenuActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && FItem->OnClick == FAction->OnExecute;
}
bool TMenuActionLink::IsAutoCheckLinked() const {
    auto* a = CustomAction();
    return a && FItem->AutoCheck() == a->AutoCheck();
}

void TMenuActionLink::SetCaption(const String& value) {
    if (IsCaptionLinked()) FItem->SetCaption(value);
}
void TMenuActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) FItem->SetChecked(value);
}
void TMenuActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) FItem->SetEnabled(value);
}
void TMenuActionLink::SetHelpContext(int value) {
    if (IsHelpContextLinked()) FItem->SetHelpContext(value);
}
void TMenuActionLink::SetHint(const String& value) {
    if (IsHintLinked()) FItem->SetHint(value);
}
void TMenuActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) FItem->SetImageIndex(value);
}
void TMenuActionLink::SetShortCut(TShortCut value) {
    if (IsShortCutLinked()) FItem->SetShortCut(value);
}
void TMenuActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) FItem->SetVisible(value);
}
void TMenuActionLink::SetOnExecute(const TNotifyEvent& value) {
    if (IsOnExecuteLinked()) FItem->OnClick = value;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

DW_DEFINE_CLASS(TMenuItem) {
    using C = TMenuItem;
    // Action first, so that reading a form takes the action's values before the item's own.
    c.Property("Action", &C::Action, &C::SetAction);
    c.Property("AutoCheck", &C::AutoCheck, &C::SetAutoCheck).Default(false);
    c.Property("Caption", &C::Caption, &C::SetCaption).Type(CaptionTypeInfo()).Stored(&C::IsCaptionStored);
    c.Property("Checked", &C::Checked, &C::SetChecked).Default(false).Stored(&C::IsCheckedStored);
    c.Property("Default", &C::Default, &C::SetDefault).Default(false);
    c.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true).Stored(&C::IsEnabledStored);
    c.Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
    c.Property("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0).Stored(&C::IsHelpContextStored);
    c.Property("Hint", &C::Hint, &C::SetHint).Stored(&C::IsHintStored);
    c.Property("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1).Stored(&C::IsImageIndexStored);
    c.Property("RadioItem", &C::RadioItem, &C::SetRadioItem).Default(false);
    c.Property("ShortCut", &C::ShortCut, &C::SetShortCut)
        .Type(ShortCutTypeInfo())
        .Default(0)
        .Stored(&C::IsShortCutStored);
    c.Property("Visible", &C::Visible, &C::SetVisible).Default(true).Stored(&C::IsVisibleStored);
    c.Property("OnClick", &C::OnClick, &C::OnClick).Stored(&C::IsOnClickStored);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() = default;

void TMenuItem::BeforeDestruction() {
    if (FParent) FParent->Remove(this);
    // Sub-items go with their parent, whoever owns them.
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        FItems.pop_back();
        item->FParent = nullptr;
        item->Free();
    }
    if (FActionLink) SetAction(nullptr);
    TComponent::BeforeDestruction();
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (HasState(csDestroying)) return;
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    if (root->FMenu && !root->FMenu->HasState(csDestroying)) root->FMenu->MenuChanged(this, rebuild);
}

void TMenuItem::SetCaption(const String& value) {
    if (value == FCaption) return;
    FCaption = value;
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->SetChecked(false);
}

void TMenuItem::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    if (value && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (value == FDefault) return;
    // One default item per drop-down.
    if (value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FDefault) sibling->SetDefault(false);
    FDefault = value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == FRadioItem) return;
    FRadioItem = value;
    if (FChecked && value) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(Byte value) {
    if (value == FGroupIndex) return;
    FGroupIndex = value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == FShortCut) return;
    FShortCut = value;
    MenuChanged(false);
}

void TMenuItem::SetHint(const String& value) {
    FHint = value;
}

void TMenuItem::SetHelpContext(int value) {
    FHelpContext = value;
}

void TMenuItem::SetAutoCheck(bool value) {
    FAutoCheck = value;
}

// ---- action

TBasicAction* TMenuItem::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* value) {
    TBasicAction* old = Action();
    if (value == old) return;
    if (old) old->RemoveFreeNotification(this);
    if (!value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = MakeObject<TMenuActionLink>(this);
    FActionLink->SetAction(value);
    ActionChange(value, value->HasState(csLoading));
    value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = As<TBasicAction>(sender);
    if (!action) return;
    if (auto* a = As<TCustomAction>(action)) {
        // When a stored item is read, its own stored values come later and win; what it did not
        // store is taken from the action.
        if (!checkDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
        if (!checkDefaults || FCaption.empty()) SetCaption(a->Caption());
        if (!checkDefaults || !FChecked) SetChecked(a->Checked());
        if (!checkDefaults || FEnabled) SetEnabled(a->Enabled());
        if (!checkDefaults || FHelpContext == 0) SetHelpContext(a->HelpContext());
        if (!checkDefaults || FHint.empty()) SetHint(a->Hint());
        if (!checkDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
        if (!checkDefaults || FShortCut == scNone) SetShortCut(a->ShortCut());
        if (!checkDefaults || FVisible) SetVisible(a->Visible());
    }
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
}

void TMenuItem::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

bool TMenuItem::IsCaptionStored() const {
    return !FActionLink || !FActionLink->IsCaptionLinked();
}
bool TMenuItem::IsCheckedStored() const {
    return !FActionLink || !FActionLink->IsCheckedLinked();
}
bool TMenuItem::IsEnabledStored() const {
    return !FActionLink || !FActionLink->IsEnabledLinked();
}
bool TMenuItem::IsHelpContextStored() const {
    return !FActionLink || !FActionLink->IsHelpContextLinked();
}
bool TMenuItem::IsHintStored() const {
    return !FActionLink || !FActionLink->IsHintLinked();
}
bool TMenuItem::IsImageIndexStored() const {
    return !FActionLink || !FActionLink->IsImageIndexLinked();
}
bool TMenuItem::IsShortCutStored() const {
    return !FActionLink || !FActionLink->IsShortCutLinked();
}
bool TMenuItem::IsVisibleStored() const {
    return !FActionLink || !FActionLink->IsVisibleLinked();
}
bool TMenuItem::IsOnClickStored() const {
    return !FActionLink || !FActionLink->IsOnExecuteLinked();
}

// ---- sub-items

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("Menu index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Add(std::initializer_list<TMenuItem*> items) {
    for (TMenuItem* item : items) Add(item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EInvalidArgument("Cannot insert a null menu item");
    if (item->FParent)
        throw EInvalidOperation(
            Format("Menu item '%s' is already in a menu", item->Name().empty() ? item->Caption() : item->Name()));
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EInvalidOperation(Format("Menu item '%s' cannot be inserted into itself", item->Name()));
    if (index < 0 || index > Count()) throw EListError(Format("Menu index out of bounds (%d)", index));
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    item->FreeNotification(this);
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    item->RemoveFreeNotification(this);
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        FItems.pop_back();
        item->FParent = nullptr;
        item->RemoveFreeNotification(this);
        item->Free();
    }
    MenuChanged(true);
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    String wanted = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->Caption()), wanted)) return item;
    return nullptr;
}

int TMenuItem::MenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int value) {
    if (!FParent) return;
    int current = MenuIndex();
    value = std::clamp(value, 0, FParent->Count() - 1);
    if (value == current) return;
    auto& items = FParent->FItems;
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    return root->FMenu;
}

TCustomImageList* TMenuItem::GetImageList() const {
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (FAutoCheck && !(FActionLink && FActionLink->IsAutoCheckLinked())) SetChecked(FRadioItem || !FChecked);
    TBasicAction* action = Action();
    if (OnClick && action && !(OnClick == action->OnExecute))
        OnClick(this);
    else if (!HasState(csDesigning) && FActionLink)
        FActionLink->Execute(this);
    else
        OnClick(this);
}

// ---- streaming

bool TMenuItem::HasParent() const {
    return FParent != nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
    if (FParent) FParent->Remove(this);
    if (auto* menu = As<TMenu>(value))
        menu->Items()->Add(this);
    else if (auto* item = As<TMenuItem>(value))
        item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
        if (item->Owner() == root) proc(item);
}

void TMenuItem::SetChildOrder(TComponent* child, int order) {
    if (auto* item = As<TMenuItem>(child); item && item->FParent == this) item->SetMenuIndex(order);
}

void TMenuItem::ReadState(TReader* reader) {
    TComponent* parent = reader->Parent();
    if (!FParent && (As<TMenu>(parent) || As<TMenuItem>(parent))) SetParentComponent(parent);
    TComponent::ReadState(reader);
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (FActionLink && component == FActionLink->Action()) SetAction(nullptr);
    if (auto* item = As<TMenuItem>(component); item && item->FParent == this) {
        FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
        item->FParent = nullptr;
        MenuChanged(true);
    }
}

// ---------------------------------------------------------------------------------------------
// TMenu

DW_DEFINE_CLASS(TMenu) {
    c.Property("Images", &TMenu::Images, &TMenu::SetImages);
    c.Property("Items", &TMenu::Items, nullptr).Stored(false);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FImageChangeLink(MakeObject<TChangeLink>()) {
    FItems = New<TMenuItem>(this);
    FItems->FMenu = this;
    FImageChangeLink->OnChange = MakeMethod<&TMenu::ImageListChange>(this);
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    if (TMenuTracker* tracker = TMenuTracker::Active(); tracker && tracker->Menu() == this) tracker->Cancel();
    SetImages(nullptr);
    TComponent::BeforeDestruction();
}

void TMenu::SetImages(TCustomImageList* value) {
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
    MenuChanged(nullptr, false);
}

void TMenu::ImageListChange(TObject* sender) {
    if (sender == FImages) MenuChanged(nullptr, false);
}

namespace {
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->ShortCut() == shortCut && !item->IsLine()) return item;
        if (TMenuItem* found = FindShortCut(item, shortCut)) return found;
    }
    return nullptr;
}
} // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
    if (shortCut == scNone) return nullptr;
    return FindShortCut(FItems, shortCut);
}

bool TMenu::IsShortCut(TWMKey& message) {
    if (HasState(csDesigning)) return false;
    TMenuItem* item = FindItemByShortCut(ShortCutFromMessage(message));
    if (!item) return false;
    // The actions of the item and its parents decide whether they are enabled now.
    std::vector<TMenuItem*> chain;
    for (TMenuItem* p = item; p && p != FItems; p = p->Parent()) chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->InitiateAction();
        if (!(*it)->Enabled() || !(*it)->Visible()) return false;
    }
    if (item->Count() > 0) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

void TMenu::SetChildOrder(TComponent* child, int order) {
    FItems->SetChildOrder(child, order);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages = nullptr;
        MenuChanged(nullptr, false);
    }
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (HasState(csDestroying) || HasState(csLoading)) return;
    if (TMenuTracker* tracker = TMenuTracker::Active(); tracker && tracker->Menu() == this) tracker->MenuChanged();
    OnChange(this, source, rebuild);
}

// ---------------------------------------------------------------------------------------------
// TMainMenu

DW_DEFINE_CLASS(TMainMenu) {}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() = default;

void TMainMenu::AfterConstruction() {
    TMenu::AfterConstruction();
    if (auto* form = As<TCustomForm>(Owner())) AttachForm(form);
    // Forms whose Menu is this menu without owning it get their bar on the next idle pass.
    if (Application) FIdleKey = Application->AddIdleUpdate([this] { TFormMenuBar::AttachMenuForms(this); });
}

void TMainMenu::BeforeDestruction() {
    if (Application && FIdleKey) Application->RemoveIdleUpdate(FIdleKey);
    FIdleKey = 0;
    TMenu::BeforeDestruction();
}

void TMainMenu::AttachForm(TCustomForm* form) {
    if (form) TFormMenuBar::Of(form, true);
}

void TMainMenu::AttachToForm(TCustomForm* form) {
    if (!form || form->Menu() != this) return;
    if (TFormMenuBar* bar = TFormMenuBar::Of(form, true)) bar->Refresh();
}

void TMainMenu::DetachFromForm(TCustomForm* form) {
    // A bar of this menu open on that form closes; the form lays its frame out without it.
    if (TMenuTracker* tracker = TMenuTracker::Active();
        tracker && tracker->Menu() == this && tracker->BarForm() == form)
        tracker->Cancel();
}

int TMainMenu::BarHeight(const TCustomForm* form, int width) const {
    if (!form || form->FormStyle() == fsMDIChild || HasState(csDestroying)) return 0;
    return TFormMenuBar::Arrange(this, 0, 0, width, nullptr);
}

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    TMenu::MenuChanged(source, rebuild);
    if (HasState(csDestroying) || HasState(csLoading)) return;
    // Only the top level shows in the bar.
    if (source && source->Parent() != Items() && source != Items() && !rebuild) return;
    for (TFormMenuBar* bar : TFormMenuBar::All())
        if (bar->Menu() == this) bar->Refresh();
}

namespace {
// The form showing menu's bar that the user is working in.
TFormMenuBar* ActiveBarOf(TMainMenu* menu) {
    TFormMenuBar* found = nullptr;
    for (TFormMenuBar* bar : TFormMenuBar::All()) {
        if (bar->Menu() != menu || !bar->Shown()) continue;
        TCustomForm* form = bar->Form();
        if (form->Active() || (Screen && Screen->ActiveCustomForm() == form)) return bar;
        if (!found) found = bar;
    }
    return found;
}
} // namespace

bool TMainMenu::IsShortCut(TWMKey& message) {
    if (TMenu::IsShortCut(message)) return true;
    if (HasState(csDesigning) || TMenuTracker::Active()) return false;
    TFormMenuBar* bar = ActiveBarOf(this);
    if (!bar || bar->Items().empty()) return false;
    auto key = static_cast<int>(message.CharCode());
    TShiftState shift = KeyDataToShiftState(message.KeyData());
    bool repeat = (message.KeyData() & (LPARAM(1) << 30)) != 0;
    if (key == VK_MENU && !repeat && !shift.Contains(ssCtrl) && !shift.Contains(ssShift)) {
        RunBar(bar, 0, false, true, false);
        return true;
    }
    if (key == VK_F10 && shift.Empty()) {
        RunBar(bar, 0, false, false, false);
        return true;
    }
    // Alt+accelerator of a top-level item, pressed in one go.
    if (shift == TShiftState{ssAlt}) {
        const auto& items = bar->Items();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i]->Enabled() && IsAccel(static_cast<char32_t>(key), items[i]->Caption())) {
                RunBar(bar, static_cast<int>(i), true, false, false);
                return true;
            }
    }
    return false;
}

void TMainMenu::TrackBar(TCustomForm* form, int index, bool dropDown) {
    TFormMenuBar* bar = TFormMenuBar::Of(form, false);
    if (!bar || bar->Menu() != this || !bar->Shown()) return;
    RunBar(bar, index, dropDown, false, false);
}

void TMainMenu::RunBar(TFormMenuBar* bar, int index, bool dropDown, bool altMode, bool byMouse) {
    if (TMenuTracker::Active()) return;
    TMenuItem* chosen = nullptr;
    {
        TObjectPtr<TMenuTracker> tracker(New<TMenuTracker>(this));
        chosen = tracker->RunBar(bar, index, dropDown, altMode, byMouse);
    }
    if (chosen) chosen->Click();
}

TRect TMainMenu::ItemRect(TCustomForm* form, int index) const {
    TFormMenuBar* bar = TFormMenuBar::Of(form, false);
    if (!bar || bar->Menu() != this) return {};
    return bar->ItemScreenRect(index);
}

TRect TMainMenu::DocumentPartRect(TCustomForm* form, TMenuDocumentPart part) const {
    TFormMenuBar* bar = TFormMenuBar::Of(form, false);
    if (!bar || bar->Menu() != this) return {};
    return bar->DocumentPartScreenRect(part);
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

DW_DEFINE_CLASS(TPopupMenu) {
    c.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    c.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    c.Property("OnClose", &TPopupMenu::OnClose, &TPopupMenu::OnClose);
    c.Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    if (value == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = value;
    if (value) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* sender) {
    OnPopup(sender);
}

void TPopupMenu::Popup(int x, int y) {
    if (TMenuTracker::Active()) return;
    FPopupPoint = {x, y};
    DoPopup(this);
    TMenuItem* chosen = nullptr;
    {
        TObjectPtr<TMenuTracker> tracker(New<TMenuTracker>(this));
        chosen = tracker->RunPopup(Items(), FPopupPoint, FAlignment);
    }
    OnClose(this);
    if (chosen) chosen->Click();
}

void TPopupMenu::PopupFor(TControl* control, TPoint screenPos) {
    if (!FAutoPopup || HasState(csDesigning)) return;
    SetPopupComponent(control);
    Popup(screenPos.X, screenPos.Y);
}

// ---------------------------------------------------------------------------------------------
// Tracking queries

TMenu* ActiveMenu() {
    TMenuTracker* tracker = TMenuTracker::Active();
    return tracker ? tracker->Menu() : nullptr;
}

std::vector<TRect> OpenDropDownRects() {
    std::vector<TRect> result;
    if (TMenuTracker* tracker = TMenuTracker::Active())
        for (int i = 0; i < tracker->LevelCount(); ++i) result.push_back(tracker->LevelScreenRect(i));
    return result;
}

std::vector<HWND> OpenDropDownWindows() {
    std::vector<HWND> result;
    if (TMenuTracker* tracker = TMenuTracker::Active())
        for (int i = 0; i < tracker->LevelCount(); ++i) result.push_back(tracker->LevelWindow(i));
    return result;
}

TRect DropDownItemRect(int level, int index) {
    TMenuTracker* tracker = TMenuTracker::Active();
    return tracker ? tracker->ItemScreenRect(level, index) : TRect{};
}

void CancelMenuTracking() {
    if (TMenuTracker* tracker = TMenuTracker::Active()) tracker->Cancel();
}

// ---------------------------------------------------------------------------------------------
// TMenuItemAdapter

TMenuItemAdapter TMenuItemAdapter::Add(const String& caption, const TNotifyEvent& onClick, TShortCut shortCut,
                                       bool checked, bool enabled, int index) {
    auto* item = New<TMenuItem>(FItem->Owner());
    item->OnClick = onClick;
    item->SetCaption(caption);
    item->SetChecked(checked);
    item->SetShortCut(shortCut);
    item->SetEnabled(enabled);
    {
        auto undo = ScopeFail([&] { item->Free(); });
        FItem->Insert(index < 0 ? FItem->Count() : index, item);
    }
    return TMenuItemAdapter(item);
}

TMenuItemAdapter TMenuItemAdapter::AddAction(TBasicAction* action, int index) {
    auto* item = New<TMenuItem>(FItem->Owner());
    item->SetAction(action);
    {
        auto undo = ScopeFail([&] { item->Free(); });
        FItem->Insert(index < 0 ? FItem->Count() : index, item);
    }
    return TMenuItemAdapter(item);
}

TMenuItemAdapter TMenuItemAdapter::AddLine(int index) {
    return Add("-", {}, scNone, false, true, index);
}

void RegisterMenuClasses() {
    for (TClass cls : {TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass()})
        if (!IsClassRegistered(cls)) RegisterClass(cls);
}

namespace {
// Registered at start-up too, for programs that link this unit anyway.
const bool MenuClassesRegistered = [] {
    RegisterMenuClasses();
    return true;
}();
} // namespace

} // namespace dw
