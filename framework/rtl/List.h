// TList, the list of untyped pointers underneath the framework's containers. Descendants learn
// about every pointer that enters or leaves the list through Notify.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <functional>
#include <vector>

namespace dw {

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative when a sorts before b, zero when they are equal, positive otherwise.
using TListSortCompare = std::function<int(void* a, void* b)>;

class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    // Plain pointers need no teardown; descendants that own their items clear in their own destructor,
    // because Notify no longer reaches them here.
    virtual ~TList() = default;

    int Add(void* item);
    void Insert(int index, void* item);
    // Removes the item at index; descendants that own their items free it.
    void Delete(int index);
    // Deletes the first occurrence of item and returns its former index, or -1.
    int Remove(void* item);
    // Takes the first occurrence of item out without freeing it; null when it is not in the list.
    void* Extract(void* item);
    int IndexOf(const void* item) const;
    void Clear();

    int Count() const { return static_cast<int>(FItems.size()); }
    // Growing fills with null pointers; shrinking deletes the items at the end.
    void SetCount(int newCount);
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    // Raises EListError when the capacity would be less than Count.
    void SetCapacity(int newCapacity);

    void* Items(int index) const;
    void SetItems(int index, void* item);
    void* operator[](int index) const { return Items(index); }
    // Raise EListError on an empty list.
    void* First() const;
    void* Last() const;

    void Exchange(int index1, int index2);
    // Moves the item at curIndex so that it ends up at newIndex.
    void Move(int curIndex, int newIndex);
    // Removes every null pointer.
    void Pack();
    // A stable sort, so items that compare equal keep their order.
    void Sort(const TListSortCompare& compare);

    std::vector<void*>::const_iterator begin() const { return FItems.begin(); }
    std::vector<void*>::const_iterator end() const { return FItems.end(); }

protected:
    // Told after an item entered the list, and after it left it (extracted or deleted).
    virtual void Notify(void* item, TListNotification action) { (void)item, (void)action; }
    [[noreturn]] static void Error(int index);
    void CheckIndex(int index) const;

private:
    std::vector<void*> FItems;
};

} // namespace dw
