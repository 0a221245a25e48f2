#include "framework/rtl/List.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace dw {

void TList::Error(int index) {
    throw EListError(Format("List index out of bounds (%d)", index));
}

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error(index);
}

int TList::Add(void* item) {
    FItems.push_back(item);
    if (item) Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) Error(index);
    FItems.insert(FItems.begin() + index, item);
    if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
    CheckIndex(index);
    void* item = FItems[static_cast<size_t>(index)];
    // Out of the list before Notify, so an item that removes itself while being freed finds nothing.
    FItems.erase(FItems.begin() + index);
    if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    int index = IndexOf(item);
    if (index < 0) return nullptr;
    FItems.erase(FItems.begin() + index);
    if (item) Notify(item, lnExtracted);
    return item;
}

int TList::IndexOf(const void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() {
    // One at a time from the end: a freed item may look at (or shrink) the list while it goes.
    while (!FItems.empty()) Delete(Count() - 1);
    FItems.shrink_to_fit();
}

void TList::SetCount(int newCount) {
    if (newCount < 0) throw EListError(Format("List count out of bounds (%d)", newCount));
    while (Count() > newCount) Delete(Count() - 1);
    FItems.resize(static_cast<size_t>(newCount), nullptr);
}

void TList::SetCapacity(int newCapacity) {
    if (newCapacity < Count()) throw EListError(Format("List capacity out of bounds (%d)", newCapacity));
    if (newCapacity > Capacity())
        FItems.reserve(static_cast<size_t>(newCapacity));
    else if (newCapacity == Count())
        FItems.shrink_to_fit();
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
    CheckIndex(index);
    void* old = FItems[static_cast<size_t>(index)];
    if (old == item) return;
    FItems[static_cast<size_t>(index)] = item;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

void* TList::First() const {
    return Items(0);
}
void* TList::Last() const {
    return Items(Count() - 1);
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    auto first = FItems.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
}

void TList::Pack() {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

void TList::Sort(const TListSortCompare& compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

} // namespace dw
