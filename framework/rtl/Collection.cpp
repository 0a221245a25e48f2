#include "framework/rtl/Collection.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TCollectionItem) {}
DW_DEFINE_CLASS(TCollection) {}
DW_DEFINE_CLASS(TOwnedCollection) {}

namespace {
// Runs EndUpdate also when the work in between raises.
class TCollectionUpdate {
public:
    explicit TCollectionUpdate(TCollection& collection) : FCollection(collection) { FCollection.BeginUpdate(); }
    ~TCollectionUpdate() { FCollection.EndUpdate(); }
    TCollectionUpdate(const TCollectionUpdate&) = delete;
    TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

private:
    TCollection& FCollection;
};
} // namespace

// ---------------------------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) {
    if (collection) collection->InsertItem(this, true);
}

TCollectionItem::~TCollectionItem() {
    // Freed without Free, or a descendant's constructor raised: leave without calling back into a
    // half-destroyed object.
    if (FCollection) FCollection->RemoveItem(this, true);
}

void TCollectionItem::BeforeDestruction() {
    SetCollection(nullptr);
    TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* value) {
    if (value == FCollection) return;
    if (value) value->CheckItemClass(this);
    if (FCollection) FCollection->RemoveItem(this, false);
    if (value) value->InsertItem(this, false);
}

int TCollectionItem::Index() const {
    return FCollection ? FCollection->FItems.IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int value) {
    int current = Index();
    if (current < 0 || current == value) return;
    FCollection->FItems.Move(current, value);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String& value) {
    (void)value;
    Changed(false);
}

String TCollectionItem::GetDisplayName() const {
    return ClassName();
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

String TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", FCollection->GetNamePath(), Index());
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// ---------------------------------------------------------------------------------------------
// TCollection

TCollection::TCollection(TClass itemClass) : FItemClass(itemClass) {
    if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::StaticClass()))
        throw EInvalidArgument(Format("%s is not a collection item class", itemClass ? itemClass->ClassName() : "nil"));
}

TCollection::~TCollection() {
    // Only items left by a collection that was not freed with Free: no notifications any more.
    while (FItems.Count() > 0) {
        auto* item = static_cast<TCollectionItem*>(FItems.Last());
        FItems.Delete(FItems.Count() - 1);
        item->FCollection = nullptr;
        item->Free();
    }
}

void TCollection::BeforeDestruction() {
    ++FUpdateCount;
    Clear();
    TPersistent::BeforeDestruction();
}

TCollectionItem* TCollection::Add() {
    auto* item = static_cast<TCollectionItem*>(FItemClass->Create(this));
    // The constructor joined quietly; now that the whole item exists, tell the collection.
    if (item->FCollection == this) {
        Notify(item, cnAdded);
        Changed();
    }
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) throw EListError(Format("List index out of bounds (%d)", index));
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
    if (Count() == 0) return;
    TCollectionUpdate update(*this);
    while (Count() > 0) Delete(Count() - 1);
}

void TCollection::SetItem(int index, const TCollectionItem* value) {
    Items(index)->Assign(value);
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (void* p : FItems) {
        auto* item = static_cast<TCollectionItem*>(p);
        if (item->FID == id) return item;
    }
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::CheckItemClass(const TCollectionItem* item) const {
    if (!item->InheritsFrom(FItemClass))
        throw EListError(
            Format("Cannot add a %s to a collection of %s items", item->ClassName(), FItemClass->ClassName()));
}

void TCollection::InsertItem(TCollectionItem* item, bool quietly) {
    FItems.Add(item);
    item->FCollection = this;
    item->FID = FNextID++;
    if (quietly) return;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item, bool quietly) {
    if (!quietly) Notify(item, cnExtracting);
    // Items mostly leave from the end (Clear, Delete of the last), so look there first.
    int index = FItems.Count() > 0 && FItems.Last() == item ? FItems.Count() - 1 : FItems.IndexOf(item);
    if (index >= 0) FItems.Delete(index);
    item->FCollection = nullptr;
    if (!quietly) Changed();
}

void TCollection::Assign(const TPersistent* source) {
    if (const TCollection* other = As<TCollection>(source)) {
        if (other == this) return;
        TCollectionUpdate update(*this);
        Clear();
        for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->Items(i));
        return;
    }
    TPersistent::Assign(source);
}

String TCollection::PropName() const {
    if (!FPropName.empty()) return FPropName;
    TPersistent* owner = GetOwner();
    if (!owner) return String();
    for (const TPropInfo* prop : GetPropList(owner->ClassType(), KindBit(tkClass)))
        if (prop->HasGetter() && GetObjectProp(owner, *prop) == this) {
            FPropName = prop->Name;
            break;
        }
    return FPropName;
}

String TCollection::GetNamePath() const {
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    String ownerPath = owner->GetNamePath();
    String propName = PropName();
    if (ownerPath.empty() || propName.empty()) return ClassName();
    return ownerPath + "." + propName;
}

} // namespace dw
