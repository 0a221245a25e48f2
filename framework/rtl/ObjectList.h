// TObjectList, a list of framework objects that may own them, and TObjectListOf<T>, the same list
// typed for one class.
#pragma once

#include "framework/rtl/List.h"
#include "framework/rtl/Object.h"

namespace dw {

// With OwnsObjects on (the default) the list frees an object with Free() when it is deleted,
// removed, cleared, overwritten through SetItems or left in the list when the list dies. Extract
// hands the object back without freeing it. An owning list must not hold the same object twice.
class TObjectList : public TList {
public:
    explicit TObjectList(bool ownsObjects = true) : FOwnsObjects(ownsObjects) {}
    ~TObjectList() override;

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    int Add(TObject* obj) { return TList::Add(obj); }
    void Insert(int index, TObject* obj) { TList::Insert(index, obj); }
    int Remove(TObject* obj) { return TList::Remove(obj); }
    TObject* Extract(TObject* obj) { return static_cast<TObject*>(TList::Extract(obj)); }
    int IndexOf(const TObject* obj) const { return TList::IndexOf(obj); }
    TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
    void SetItems(int index, TObject* obj) { TList::SetItems(index, obj); }
    TObject* operator[](int index) const { return Items(index); }
    TObject* First() const { return static_cast<TObject*>(TList::First()); }
    TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
    // The index of the first object from startAt on whose class is cls (exactly, or a descendant
    // when exact is false), or -1.
    int FindInstanceOf(TClass cls, bool exact = true, int startAt = 0) const;

protected:
    void Notify(void* item, TListNotification action) override;

private:
    bool FOwnsObjects;
};

template <class T> class TObjectListOf : public TObjectList {
public:
    using TObjectList::TObjectList;
    int Add(T* obj) { return TObjectList::Add(obj); }
    void Insert(int index, T* obj) { TObjectList::Insert(index, obj); }
    int Remove(T* obj) { return TObjectList::Remove(obj); }
    T* Extract(T* obj) { return static_cast<T*>(TObjectList::Extract(obj)); }
    int IndexOf(const T* obj) const { return TObjectList::IndexOf(obj); }
    T* Items(int index) const { return static_cast<T*>(TObjectList::Items(index)); }
    void SetItems(int index, T* obj) { TObjectList::SetItems(index, obj); }
    T* operator[](int index) const { return Items(index); }
    T* First() const { return static_cast<T*>(TObjectList::First()); }
    T* Last() const { return static_cast<T*>(TObjectList::Last()); }
    void Sort(const std::function<int(T* a, T* b)>& compare) {
        TList::Sort([&](void* a, void* b) { return compare(static_cast<T*>(a), static_cast<T*>(b)); });
    }
};

} // namespace dw
