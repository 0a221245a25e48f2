#include "framework/rtl/Component.h"

#include "framework/rtl/BasicAction.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/KeptState.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TComponent) {
    c.Property("Name", &TComponent::Name, &TComponent::SetName)
        .Type(NamedType(tkLString, "TComponentName"))
        .Stored(false);
    c.Property(
         "Tag", [](const TComponent* self) { return static_cast<std::int32_t>(self->Tag()); },
         [](TComponent* self, std::int32_t v) { self->SetTag(v); })
        .Default(0);
}

TComponent::TComponent(TComponent* owner) {
    if (!owner) return;
    // Everything but the owner's notification, which must see the finished object.
    ValidateContainer(owner);
    owner->ValidateRename(this, "", FName);
    owner->Insert(this);
    if (owner->FComponentState.Contains(csDesigning)) SetDesigning(true);
    FInsertPending = true;
}

void TComponent::AfterConstruction() {
    TPersistent::AfterConstruction();
    if (FInsertPending && FOwner) {
        FInsertPending = false;
        FOwner->Notification(this, opInsert);
    }
}

TComponent::~TComponent() {
    // Objects deleted without Free still leave their owner and watchers consistent.
    if (!FComponentState.Contains(csDestroying)) TComponent::BeforeDestruction();
}

void TComponent::BeforeDestruction() {
    if (FComponentState.Contains(csDestroying) && FComponents.empty() && FFreeNotifies.Empty() && !FOwner) return;
    Destroying();
    NotifyFreeNotifiers();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
    TPersistent::BeforeDestruction();
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::NotifyFreeNotifiers() {
    // A receiver may free itself (or others) inside Notification, so take one link at a time.
    while (!FFreeNotifies.Empty()) {
        TComponent* other = FFreeNotifies.Back();
        FFreeNotifies.PopBack();
        other->FFreeNotifies.Remove(this);
        other->Notification(this, opRemove);
    }
    FComponentState.Exclude(csFreeNotification);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        // An owner being destroyed is not told about each of its components; a live owner is.
        if (FComponentState.Contains(csDestroying))
            Remove(c);
        else
            RemoveComponent(c);
        c->Free();
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("Component index %d out of bounds (0 to %d)", index, ComponentCount() - 1));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (!FOwner) return;
    auto& list = FOwner->FComponents;
    int current = ComponentIndex();
    int count = static_cast<int>(list.size());
    index = std::clamp(index, 0, count - 1);
    if (current < 0 || index == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    auto it = FNameIndex.find(UpperCase(name));
    return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::Insert(TComponent* component, int index) {
    if (index < 0 || index > ComponentCount())
        FComponents.push_back(component);
    else
        FComponents.insert(FComponents.begin() + index, component);
    component->FOwner = this;
    if (!component->FName.empty()) FNameIndex[UpperCase(component->FName)] = component;
}

void TComponent::Remove(TComponent* component) {
    // Searched from the end: components are mostly removed newest first.
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
    if (!component->FName.empty()) {
        auto n = FNameIndex.find(UpperCase(component->FName));
        if (n != FNameIndex.end() && n->second == component) FNameIndex.erase(n);
    }
    component->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component) return;
    if (component == this) throw EComponentError(Format("Component %s cannot own itself", Name()));
    for (TComponent* o = this; o; o = o->FOwner)
        if (o == component) throw EComponentError(Format("Component %s cannot own its own owner", component->Name()));
    component->ValidateContainer(this);
    ValidateRename(component, "", component->FName);
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    Insert(component);
    component->SetReference(true);
    if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this) return;
    Notification(component, opRemove);
    component->SetReference(false);
    Remove(component);
}

void TComponent::DetachQuietly(TComponent* component) {
    if (component && component->FOwner == this) Remove(component);
}

void TComponent::AttachQuietly(TComponent* component, int index) {
    if (!component || component->FOwner == this) return;
    if (component->FOwner) component->FOwner->Remove(component);
    Insert(component, index);
}

void TComponent::SetReference(bool enable) {
    if (!FOwner || FName.empty()) return;
    const TFieldEntry* field = FOwner->ClassType()->FindField(FName);
    if (!field) return;
    if (enable) {
        if (InheritsFrom(field->FieldClass())) field->Set(FOwner, this);
    } else if (field->Get(FOwner) == this) {
        field->Set(FOwner, nullptr);
    }
}

void TComponent::SetName(const String& newName) {
    if (FName == newName) return;
    if (!newName.empty() && !IsValidIdent(newName))
        throw EComponentError(Format("'%s' is not a valid component name", newName));
    if (FOwner)
        FOwner->ValidateRename(this, FName, newName);
    else
        ValidateRename(nullptr, FName, newName);
    SetReference(false);
    ChangeName(newName);
    SetReference(true);
}

void TComponent::ChangeName(const String& newName) {
    if (FOwner) {
        if (!FName.empty()) {
            auto n = FOwner->FNameIndex.find(UpperCase(FName));
            if (n != FOwner->FNameIndex.end() && n->second == this) FOwner->FNameIndex.erase(n);
        }
        if (!newName.empty()) FOwner->FNameIndex[UpperCase(newName)] = this;
    }
    FName = newName;
}

void TComponent::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    // A change of case only keeps the name free; anything else must not collide with a sibling.
    if (component && !newName.empty() && !SameText(currentName, newName)) {
        TComponent* existing = FindComponent(newName);
        if (existing && existing != component)
            throw EComponentError(Format("A component named %s already exists", newName));
    }
    if (FComponentState.Contains(csDesigning) && FOwner) FOwner->ValidateRename(component, currentName, newName);
}

void TComponent::ValidateContainer(TComponent* component) {
    component->ValidateInsert(this);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    FFreeNotifies.Add(component);
    component->FFreeNotifies.Add(this);
    FComponentState.Include(csFreeNotification);
    component->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    FFreeNotifies.Remove(component);
    component->FFreeNotifies.Remove(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : FComponents) c->SetDesigning(value, true);
}

void TComponent::SetDesignInstance(bool value) {
    if (value)
        FComponentState.Include(csDesignInstance);
    else
        FComponentState.Exclude(csDesignInstance);
}

void TComponent::SetInline(bool value) {
    if (value)
        FComponentState.Include(csInline);
    else
        FComponentState.Exclude(csInline);
}

void TComponent::SetAncestor(bool value) {
    if (value)
        FComponentState.Include(csAncestor);
    else
        FComponentState.Exclude(csAncestor);
    for (TComponent* c : FComponents) c->SetAncestor(value);
}

void TComponent::SetSubComponent(bool value) {
    if (value)
        FComponentStyle.Include(csSubComponent);
    else
        FComponentStyle.Exclude(csSubComponent);
}

void TComponent::SetKept(std::unique_ptr<TKeptState> value) {
    FKept = std::move(value);
}

void TComponent::SetWriting(bool value) {
    if (value)
        FComponentState.Include(csWriting);
    else
        FComponentState.Exclude(csWriting);
}

// A plain component written as a root writes the owned components that have no parent.
void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (root != this) return;
    for (TComponent* c : std::vector<TComponent*>(FComponents))
        if (!c->HasParent()) proc(c);
}

bool TComponent::ExecuteAction(TBasicAction* action) {
    if (!action || !action->HandlesTarget(this)) return false;
    action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TBasicAction* action) {
    if (!action || !action->HandlesTarget(this)) return false;
    action->UpdateTarget(this);
    return true;
}

String TComponent::GetNamePath() const {
    return FName;
}

void TComponent::Loaded() {
    FComponentState -= TComponentState{csLoading, csReading};
}

void TComponent::DefineProperties(TFiler* filer) {
    // The design position of components that are not controls; controls publish Left and Top.
    auto* ancestor = As<TComponent>(filer->Ancestor());
    std::int32_t ancestorInfo = ancestor ? ancestor->FDesignInfo : 0;
    auto lo = [](std::int32_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); };
    auto hi = [](std::int32_t v) { return static_cast<std::uint16_t>((static_cast<std::uint32_t>(v) >> 16) & 0xFFFF); };
    filer->DefineProperty(
        "Left", [this](TReader* r) { ReadLeft(r); }, [this](TWriter* w) { WriteLeft(w); },
        lo(FDesignInfo) != lo(ancestorInfo));
    filer->DefineProperty(
        "Top", [this](TReader* r) { ReadTop(r); }, [this](TWriter* w) { WriteTop(w); },
        hi(FDesignInfo) != hi(ancestorInfo));
}

void TComponent::ReadState(TReader* reader) {
    reader->ReadData(this);
}
void TComponent::WriteState(TWriter* writer) {
    writer->WriteData(this);
}

void TComponent::ReadLeft(TReader* reader) {
    auto left = static_cast<std::uint32_t>(static_cast<std::uint16_t>(reader->ReadInteger()));
    FDesignInfo = static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignInfo) & 0xFFFF0000u) | left);
}

void TComponent::ReadTop(TReader* reader) {
    auto top = static_cast<std::uint32_t>(static_cast<std::uint16_t>(reader->ReadInteger()));
    FDesignInfo = static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignInfo) & 0x0000FFFFu) | (top << 16));
}

void TComponent::WriteLeft(TWriter* writer) {
    writer->WriteInteger(FDesignInfo & 0xFFFF);
}

void TComponent::WriteTop(TWriter* writer) {
    writer->WriteInteger(static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignInfo) >> 16) & 0xFFFF));
}

} // namespace dw
