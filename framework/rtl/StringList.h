// TStringList, the TStrings that keeps its lines itself: sorting with binary search, duplicate
// handling, case sensitivity, owned objects and change events.
#pragma once

#include "framework/rtl/Strings.h"

#include <functional>
#include <vector>

namespace dw {

DW_ENUM(TDuplicates, dupIgnore, dupAccept, dupError)

class TStringList;
// Negative, zero or positive as the line at index1 sorts before, equal to or after the one at index2.
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
    DW_CLASS(TStringList, TStrings)
    // No constructor taking a flag: the virtual constructor would take a component for it.
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FList.size()); }
    String Get(int index) const override;
    TObject* GetObject(int index) const override;
    // Raises EStringListError on a sorted list, whose order the new text could break.
    void Put(int index, const String& s) override;
    // Replaces the object without freeing the old one: the caller takes it back.
    void PutObject(int index, TObject* obj) override;
    // Insert raises EStringListError on a sorted list; Add finds the place instead.
    void Insert(int index, const String& s) override;
    void InsertObject(int index, const String& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;
    int Capacity() const override { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int newCapacity) override;

    // On a sorted list a line equal to one already there is handled as Duplicates says: dupIgnore
    // returns the index of the line already there (and obj is not taken), dupError raises
    // EStringListError, dupAccept adds it after the equal ones.
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* obj) override;
    // Both raise EStringListError on a sorted list.
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;

    int IndexOf(const String& s) const override;
    // Binary search of a sorted list: true when s is there. index is its first occurrence, or the
    // place where s would be inserted.
    bool Find(const String& s, int& index) const;
    // Sorts by CompareStrings (stable); nothing to do on a sorted list.
    virtual void Sort();
    // Sorts with compare, which may look at the list (unchanged during the sort). Raises
    // EStringListError on a sorted list.
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    // Off by default: lines compare without regard to ASCII case. Changing it re-sorts a sorted list.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    // When on, the list frees the objects of lines it deletes or clears, and of all lines when it
    // is destroyed. A list that owns its objects must not hold one object twice.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    // OnChanging fires before and OnChange after each change. Inside BeginUpdate/EndUpdate,
    // OnChanging fires before the first change only and OnChange once at the final EndUpdate, and
    // neither fires when nothing changed.
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
    const TNotifyEvent& OnChanging() const { return FOnChanging; }
    void SetOnChanging(const TNotifyEvent& value) { FOnChanging = value; }

protected:
    virtual void Changing();
    virtual void Changed();
    int CompareStrings(const String& a, const String& b) const override;
    void SetUpdateState(bool updating) override;
    void ReplaceLine(int index, const String& s) override;

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    void CheckIndex(int index) const;
    void CheckNotSorted() const;
    void InsertItem(int index, const String& s, TObject* obj);
    // Where a line equal to s goes when duplicates are accepted: after the equal ones.
    int UpperBound(const String& s) const;
    void SortByStrings();

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    bool FChangedInUpdate = false;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};

} // namespace dw
