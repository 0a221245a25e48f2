#include "framework/rtl/StringList.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <numeric>

namespace dw {

DW_DEFINE_CLASS(TStringList) {}

namespace {
const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SSortedListError = "Operation not allowed on sorted list";
const char* const SDuplicateString = "String list does not allow duplicates";
} // namespace

TStringList::~TStringList() {
    if (FOwnsObjects)
        for (auto& item : FList) dw::Free(item.FObject);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error(SListIndexError, index);
}

void TStringList::CheckNotSorted() const {
    if (FSorted) throw EStringListError(SSortedListError);
}

String TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FString;
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FObject;
}

void TStringList::Put(int index, const String& s) {
    CheckNotSorted();
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FString = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FObject = obj;
    Changed();
}

void TStringList::InsertItem(int index, const String& s, TObject* obj) {
    Changing();
    FList.insert(FList.begin() + index, TStringItem{s, obj});
    Changed();
}

void TStringList::Insert(int index, const String& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const String& s, TObject* obj) {
    CheckNotSorted();
    if (index < 0 || index > Count()) Error(SListIndexError, index);
    InsertItem(index, s, obj);
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* obj = FList[static_cast<size_t>(index)].FObject;
    FList.erase(FList.begin() + index);
    if (FOwnsObjects) dw::Free(obj);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(FList);
    // The list is already empty when the objects go, in case one of them looks at it.
    if (FOwnsObjects)
        for (auto& item : old) dw::Free(item.FObject);
    Changed();
}

void TStringList::SetCapacity(int newCapacity) {
    if (newCapacity < Count()) throw EStringListError(Format("List capacity out of bounds (%d)", newCapacity));
    FList.reserve(static_cast<size_t>(newCapacity));
}

int TStringList::Add(const String& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const String& s, TObject* obj) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        switch (FDuplicates) {
        case dupIgnore:
            return index;
        case dupError:
            throw EStringListError(SDuplicateString);
        case dupAccept:
            index = UpperBound(s);
            break;
        }
    }
    InsertItem(index, s, obj);
    return index;
}

void TStringList::Exchange(int index1, int index2) {
    CheckNotSorted();
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2) return;
    Changing();
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    CheckNotSorted();
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex) return;
    Changing();
    auto first = FList.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
    Changed();
}

int TStringList::IndexOf(const String& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, int& index) const {
    auto it = std::lower_bound(FList.begin(), FList.end(), s, [this](const TStringItem& item, const String& v) {
        return CompareStrings(item.FString, v) < 0;
    });
    index = static_cast<int>(it - FList.begin());
    return it != FList.end() && CompareStrings(it->FString, s) == 0;
}

int TStringList::UpperBound(const String& s) const {
    auto it = std::upper_bound(FList.begin(), FList.end(), s, [this](const String& v, const TStringItem& item) {
        return CompareStrings(v, item.FString) < 0;
    });
    return static_cast<int>(it - FList.begin());
}

void TStringList::SortByStrings() {
    if (FList.size() < 2) return;
    Changing();
    std::stable_sort(FList.begin(), FList.end(), [this](const TStringItem& a, const TStringItem& b) {
        return CompareStrings(a.FString, b.FString) < 0;
    });
    Changed();
}

void TStringList::Sort() {
    if (!FSorted) SortByStrings();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    CheckNotSorted();
    if (FList.size() < 2) return;
    // Sorting positions rather than lines lets compare look at the list as it was.
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    Changing();
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) SortByStrings();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    if (FSorted) SortByStrings();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
    if (!FCaseSensitive) return CompareText(a, b);
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

void TStringList::ReplaceLine(int index, const String& s) {
    if (!FSorted) {
        Put(index, s);
        return;
    }
    CheckIndex(index);
    // The line leaves its place and goes where the new text sorts, without counting itself as a
    // duplicate of the new text.
    TStringItem item = std::move(FList[static_cast<size_t>(index)]);
    FList.erase(FList.begin() + index);
    int newIndex;
    bool duplicate = Find(s, newIndex);
    FList.insert(FList.begin() + index, std::move(item));
    if (duplicate && FDuplicates == dupError) throw EStringListError(SDuplicateString);
    Changing();
    item = std::move(FList[static_cast<size_t>(index)]);
    FList.erase(FList.begin() + index);
    if (duplicate && FDuplicates == dupIgnore) {
        if (FOwnsObjects) dw::Free(item.FObject);
    } else {
        if (duplicate) newIndex = UpperBound(s);
        item.FString = s;
        FList.insert(FList.begin() + newIndex, std::move(item));
    }
    Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0) {
        FOnChanging(this);
    } else if (!FChangedInUpdate) {
        FChangedInUpdate = true;
        FOnChanging(this);
    }
}

void TStringList::Changed() {
    if (UpdateCount() == 0) FOnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating || !FChangedInUpdate) return;
    FChangedInUpdate = false;
    FOnChange(this);
}

} // namespace dw
