// TCollection, an ordered set of items of one class that the collection creates and frees, its
// TCollectionItem, and TOwnedCollection, the collection that knows the object it belongs to.
#pragma once

#include "framework/rtl/List.h"
#include "framework/rtl/Persistent.h"

namespace dw {

DW_ENUM(TCollectionNotification, cnAdded, cnExtracting, cnDeleting)

class TCollection;

class TCollectionItem : public TPersistent {
    DW_CLASS(TCollectionItem, TPersistent)
    // The virtual constructor hands each item its collection.
    using TCreateArg = TCollection;
    // Joins collection (when given) at its end with the next ID. TCollection::Add, Insert and
    // moves between collections also tell the collection (Notify, Update); an item constructed
    // directly joins quietly, because its descendant part does not exist yet.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    // Leaves the collection.
    void BeforeDestruction() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any with null), where it gets a new ID.
    // Raises EListError when the item is not of the other collection's item class.
    virtual void SetCollection(TCollection* value);
    int Index() const;
    // Moves the item within its collection; EListError when value is out of bounds.
    virtual void SetIndex(int value);
    // Unique within the collection and never reused by it.
    int ID() const { return FID; }
    String DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const String& value);

    TPersistent* GetOwner() const override;
    // The collection's name path followed by "[index]".
    String GetNamePath() const override;

protected:
    // The class name unless a descendant has something better.
    virtual String GetDisplayName() const;
    // Asks the collection to update this item, or every item when allItems is set.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    DW_CLASS(TCollection, TPersistent)
    // itemClass must be TCollectionItem or a descendant (EInvalidArgument otherwise).
    explicit TCollection(TClass itemClass);
    ~TCollection() override;
    // Frees the items while descendants can still hear about it.
    void BeforeDestruction() override;

    // A new item of ItemClass at the end.
    TCollectionItem* Add();
    // A new item at index (0 to Count); EListError otherwise.
    TCollectionItem* Insert(int index);
    // Frees the item at index.
    void Delete(int index);
    void Clear();
    int Count() const { return FItems.Count(); }
    // EListError "List index out of bounds (%d)" when index is out of bounds.
    TCollectionItem* Items(int index) const { return static_cast<TCollectionItem*>(FItems.Items(index)); }
    // Assigns value to the item at index.
    void SetItem(int index, const TCollectionItem* value);
    TCollectionItem* FindItemID(int id) const;
    TClass ItemClass() const { return FItemClass; }
    TPersistent* Owner() const { return GetOwner(); }

    // Update runs once, for all items, when the outermost update block ends.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Clears, then adds one item per item of the source collection and assigns it.
    void Assign(const TPersistent* source) override;
    // The owner's name path, a full stop and PropName; only the class name without them.
    String GetNamePath() const override;
    // The name of the owner's published property whose value is this collection, or "".
    String PropName() const;

protected:
    // After a change while no update block is open: item is the changed item, or null for a
    // change that concerns all of them.
    virtual void Update(TCollectionItem* item) { (void)item; }
    // cnAdded after an item joined; cnDeleting before Delete or Clear frees one; cnExtracting
    // before an item leaves (freed or moved to another collection).
    virtual void Notify(TCollectionItem* item, TCollectionNotification action) { (void)item, (void)action; }
    void Changed();

private:
    friend class TCollectionItem;
    // A joining item is checked before anything changes; quietly means without Notify and Update.
    void CheckItemClass(const TCollectionItem* item) const;
    void InsertItem(TCollectionItem* item, bool quietly);
    void RemoveItem(TCollectionItem* item, bool quietly);

    TClass FItemClass;
    TList FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
    mutable String FPropName;
};

// A collection whose owner is the persistent object that holds it.
class TOwnedCollection : public TCollection {
    DW_CLASS(TOwnedCollection, TCollection)
    TOwnedCollection(TPersistent* owner, TClass itemClass) : TCollection(itemClass), FOwner(owner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

} // namespace dw
