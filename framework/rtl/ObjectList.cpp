#include "framework/rtl/ObjectList.h"

#include "framework/rtl/ClassInfo.h"

namespace dw {

// Notify no longer reaches this class from ~TList, so the owned objects go here.
TObjectList::~TObjectList() {
    Clear();
}

void TObjectList::Notify(void* item, TListNotification action) {
    if (FOwnsObjects && action == lnDeleted) static_cast<TObject*>(item)->Free();
    TList::Notify(item, action);
}

int TObjectList::FindInstanceOf(TClass cls, bool exact, int startAt) const {
    for (int i = startAt < 0 ? 0 : startAt; i < Count(); ++i) {
        TObject* obj = Items(i);
        if (obj && (exact ? obj->ClassType() == cls : obj->InheritsFrom(cls))) return i;
    }
    return -1;
}

} // namespace dw
