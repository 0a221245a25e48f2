// TCollection and TCollectionItem: a list of persistent items of one class, owned by the
// collection and streamed as a collection value; TOwnedCollection knows its owner.
#pragma once

#include "framework/rtl/Persistent.h"

#include <vector>

namespace dw {

class TCollection;

DW_ENUM(TCollectionNotification, cnAdded, cnExtracting, cnDeleting)

class TCollectionItem : public TPersistent {
    DW_CLASS(TCollectionItem, TPersistent)
    using TCreateArg = TCollection;
    // Joins the collection at once; the collection is told in AfterConstruction.
    explicit TCollectionItem(TCollection* collection);
    // An item destroyed without Free (or whose descendant's constructor raised) still leaves its
    // collection, quietly.
    ~TCollectionItem() override;
    void BeforeDestruction() override;
    void AfterConstruction() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any, when null), where it gets a new ID.
    // An item that is not of the other collection's item class raises and stays where it was.
    void SetCollection(TCollection* value);
    int ID() const { return FID; }
    int Index() const;
    virtual void SetIndex(int value);
    String DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const String& value);
    TPersistent* GetOwner() const override;
    String GetNamePath() const override;

protected:
    // The class name unless a descendant knows better.
    virtual String GetDisplayName() const { return ClassName(); }
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
    bool FAddPending = false;
};

class TCollection : public TPersistent {
    DW_CLASS(TCollection, TPersistent)
    explicit TCollection(TClass itemClass);
    ~TCollection() override;
    // Frees the items while the whole collection, descendants included, still hears about it.
    void BeforeDestruction() override;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    // Delete and Clear tell Notify cnDeleting before they free an item.
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;
    // Assigns item into the item at index.
    void SetItem(int index, TCollectionItem* item);
    TCollectionItem* FindItemID(int id) const;
    TClass ItemClass() const { return FItemClass; }
    int NextID() const { return FNextID; }
    TPersistent* Owner() const { return GetOwner(); }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* source) override;
    // The owner's name path, a full stop and the name of the owner's property holding this.
    String GetNamePath() const override;
    // The name of the owner's published property that holds this collection, or "".
    String PropName() const;

protected:
    // Called after changes while not updating; item is null when every item may have changed.
    virtual void Update(TCollectionItem* item) { (void)item; }
    // cnAdded after an item joined; cnDeleting before Delete or Clear frees one; cnExtracting
    // before an item leaves (freed or moved to another collection).
    virtual void Notify(TCollectionItem* item, TCollectionNotification action) { (void)item, (void)action; }
    void Changed();

private:
    friend class TCollectionItem;
    void CheckItemClass(const TCollectionItem* item) const;
    void InsertItem(TCollectionItem* item, int index, bool notify);
    void RemoveItem(TCollectionItem* item, bool notify = true);

    TClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
    bool FChangedWhileUpdating = false;
};

class TOwnedCollection : public TCollection {
    DW_CLASS(TOwnedCollection, TCollection)
    TOwnedCollection(TPersistent* owner, TClass itemClass) : TCollection(itemClass), FOwner(owner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

} // namespace dw
