#include "framework/rtl/Collection.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TCollectionItem) {}
DW_DEFINE_CLASS(TCollection) {}
DW_DEFINE_CLASS(TOwnedCollection) {}

TCollectionItem::TCollectionItem(TCollection* collection) {
    if (!collection) return;
    collection->InsertItem(this, -1, false);
    FAddPending = true;
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this, false);
}

void TCollectionItem::AfterConstruction() {
    TPersistent::AfterConstruction();
    if (FAddPending && FCollection) {
        FAddPending = false;
        if (!InheritsFrom(FCollection->FItemClass)) {
            // The collection never heard of the item, so it does not hear of it leaving either.
            TCollection* collection = FCollection;
            collection->RemoveItem(this, false);
            collection->CheckItemClass(this);
        }
        FCollection->Notify(this, cnAdded);
        FCollection->Changed();
    }
}

void TCollectionItem::BeforeDestruction() {
    SetCollection(nullptr);
    TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* value) {
    if (FCollection == value) return;
    if (value) value->CheckItemClass(this);
    if (FCollection) FCollection->RemoveItem(this);
    if (value) value->InsertItem(this, -1, true);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int value) {
    int current = Index();
    if (current < 0 || value == current) return;
    auto& items = FCollection->FItems;
    value = std::clamp(value, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) {
    Changed(false);
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

String TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", FCollection->GetNamePath(), Index());
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(allItems ? nullptr : this);
    else if (FCollection)
        FCollection->FChangedWhileUpdating = true;
}

// ---------------------------------------------------------------------------------------------

TCollection::TCollection(TClass itemClass) : FItemClass(itemClass) {
    if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::StaticClass()))
        throw EInvalidArgument("A collection needs an item class derived from TCollectionItem");
}

TCollection::~TCollection() {
    // Left only when the collection was not freed with Free: the items go without notifications.
    FUpdateCount = 1; // no Update calls into a half-destroyed collection
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        RemoveItem(item, false);
        item->Free();
    }
}

void TCollection::BeforeDestruction() {
    ++FUpdateCount;
    Clear();
    TPersistent::BeforeDestruction();
}

TCollectionItem* TCollection::Add() {
    auto* item = As<TCollectionItem>(FItemClass->Create(this));
    if (!item) throw EInvalidOperation(Format("Class %s cannot make collection items", FItemClass->ClassName()));
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    item->Free();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    {
        auto restore = ScopeExit([&] { EndUpdate(); });
        while (!FItems.empty()) Delete(Count() - 1);
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TCollection::SetItem(int index, TCollectionItem* item) {
    Items(index)->Assign(item);
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::CheckItemClass(const TCollectionItem* item) const {
    if (!item->InheritsFrom(FItemClass))
        throw EInvalidOperation(
            Format("Cannot add a %s to a collection of %s", item->ClassName(), FItemClass->ClassName()));
}

void TCollection::InsertItem(TCollectionItem* item, int index, bool notify) {
    if (notify) CheckItemClass(item);
    if (index < 0 || index > Count())
        FItems.push_back(item);
    else
        FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    item->FID = FNextID++;
    if (!notify) return;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item, bool notify) {
    if (notify) Notify(item, cnExtracting);
    // Items mostly leave from the end (Clear, destruction), so look there first.
    if (!FItems.empty() && FItems.back() == item)
        FItems.pop_back();
    else
        FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FCollection = nullptr;
    if (notify) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
    else
        FChangedWhileUpdating = true;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Update(nullptr);
    }
}

void TCollection::Assign(const TPersistent* source) {
    auto* other = As<TCollection>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    BeginUpdate();
    {
        auto restore = ScopeExit([&] { EndUpdate(); });
        Clear();
        for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    }
}

String TCollection::PropName() const {
    TPersistent* owner = GetOwner();
    if (!owner) return "";
    for (const TPropInfo* prop : GetPropList(owner->ClassType(), KindBit(tkClass)))
        if (prop->HasGetter() && GetObjectProp(owner, *prop) == this) return prop->Name;
    return "";
}

String TCollection::GetNamePath() const {
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    String ownerPath = owner->GetNamePath();
    String prop = PropName();
    if (ownerPath.empty() || prop.empty()) return ClassName();
    return ownerPath + "." + prop;
}

} // namespace dw
