#include "inspector/PropertyItem.h"

#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Application.h"
#include "framework/rtl/Exceptions.h"
#include "inspector/PropList.h"

#include <typeinfo>

namespace dw {

TPropertyItem::~TPropertyItem() = default;

void TPropertyItem::Changed() {
    if (!FParent) return;
    TPropertyItem* top = FParent;
    while (top->FParent) top = top->FParent;
    top->Changed();
}

void TPropertyItem::ClearChildren() {
    if (!FChildren) return;
    FChildren.reset();
    Changed();
}

bool TPropertyItem::IsSame(const TPropertyItem* other) const {
    if (!other || typeid(*other) != typeid(*this) || other->GetName() != GetName()) return false;
    if (!FParent || !other->FParent) return !FParent && !other->FParent;
    return FParent->IsSame(other->FParent);
}

TPropertyItem* TPropertyItem::Child(int index) const {
    if (index < 0 || index >= ChildCount()) return nullptr;
    return (*FChildren)[static_cast<size_t>(index)].get();
}

TPropertyItem* TPropertyItem::InsertChild(int index, std::unique_ptr<TPropertyItem> item) {
    if (!item) throw EInvalidArgument("A null item cannot be a child");
    if (index < 0 || index > ChildCount()) throw EListError(Format("Item index out of bounds (%d)", index));
    if (!FChildren) FChildren = std::make_unique<std::vector<std::unique_ptr<TPropertyItem>>>();
    item->FParent = this;
    TPropertyItem* result = item.get();
    FChildren->insert(FChildren->begin() + index, std::move(item));
    Changed();
    return result;
}

void TPropertyItem::DeleteChild(int index) {
    if (index < 0 || index >= ChildCount()) throw EListError(Format("Item index out of bounds (%d)", index));
    FChildren->erase(FChildren->begin() + index);
    Changed();
}

int TPropertyItem::Level() const {
    return FParent ? FParent->Level() + 1 : -1;
}

TPropListRoot* TPropertyItem::Root() {
    TPropertyItem* top = this;
    while (top->FParent) top = top->FParent;
    return dynamic_cast<TPropListRoot*>(top);
}

void TPropertyItem::SetCaption(const WideString& value) {
    if (value == FCaption) return;
    FCaption = value;
    Changed();
}

void TPropertyItem::SetExpanded(bool value) {
    if (value == FExpanded) return;
    FExpanded = value;
    if (value) {
        if (TPropListRoot* root = Root()) root->CreateChildren(this);
    } else {
        ClearChildren();
    }
    Changed();
}

String TPropertyItem::Path() const {
    if (!FParent) return GetName();
    return FParent->GetName() + "\\" + GetName();
}

// ---------------------------------------------------------------------------------------------

TPropListRoot::TPropListRoot(TCustomPropList* list) : FList(list) {
    FExpanded = true;
}

void TPropListRoot::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Changed();
}

void TPropListRoot::Changed() {
    if (FUpdateCount > 0) {
        FVisibleItems.clear();
        FDirty = true;
        return;
    }
    try {
        if (FSavedExpanded) {
            struct TPin {
                int& Count;
                ~TPin() { Count = 0; }
            } pin{FUpdateCount};
            FUpdateCount = 1;
            RestoreState();
        } else {
            Flatten();
            if (FList) FList->SetItemCount(static_cast<int>(FVisibleItems.size()));
        }
    } catch (const Exception&) {
        // The rows stay as they were; the list still reloads and repaints below.
    }
    if (FList) {
        FList->LoadEditor();
        FList->Invalidate();
    }
}

void TPropListRoot::Flatten() {
    FVisibleItems.clear();
    FDirty = false;
    FlattenInto(this);
}

void TPropListRoot::FlattenInto(TPropertyItem* item) {
    for (int i = 0; i < item->ChildCount(); ++i) {
        TPropertyItem* child = item->Child(i);
        FVisibleItems.push_back(child);
        if (child->Expanded()) FlattenInto(child);
    }
}

int TPropListRoot::VisibleCount() {
    if (FDirty) Flatten();
    return static_cast<int>(FVisibleItems.size());
}

TPropertyItem* TPropListRoot::VisibleItem(int index) {
    if (FDirty) Flatten();
    if (index < 0 || index >= static_cast<int>(FVisibleItems.size())) return nullptr;
    return FVisibleItems[static_cast<size_t>(index)];
}

int TPropListRoot::IndexOfVisible(const TPropertyItem* item) {
    if (FDirty) Flatten();
    for (size_t i = 0; i < FVisibleItems.size(); ++i)
        if (FVisibleItems[i] == item) return static_cast<int>(i);
    return -1;
}

void TPropListRoot::SaveState() {
    FSavedTopItem = FList ? FList->TopItem() : 0;
    FSavedSelected.clear();
    if (FList && FList->ItemIndex() >= 0 && VisibleCount() > 0)
        if (TPropertyItem* selected = VisibleItem(FList->ItemIndex())) FSavedSelected = selected->Path();
    FSavedExpanded = std::make_unique<std::set<String>>();
    SaveExpanded(this);
}

void TPropListRoot::SaveExpanded(TPropertyItem* item) {
    for (int i = 0; i < item->ChildCount(); ++i) {
        TPropertyItem* child = item->Child(i);
        if (!child->Expanded()) continue;
        FSavedExpanded->insert(child->Path());
        SaveExpanded(child);
    }
}

void TPropListRoot::RestoreExpanded(TPropertyItem* item) {
    for (int i = 0; i < item->ChildCount(); ++i) {
        TPropertyItem* child = item->Child(i);
        if (child->HasChildren() && FSavedExpanded->count(child->Path())) child->SetExpanded(true);
        RestoreExpanded(child);
    }
}

void TPropListRoot::RestoreState() {
    {
        // The saved paths go when the walk is done, also when it fails.
        struct TReset {
            std::unique_ptr<std::set<String>>& Saved;
            ~TReset() { Saved.reset(); }
        } reset{FSavedExpanded};
        RestoreExpanded(this);
    }
    Flatten();
    if (!FList) return;
    try {
        FList->SetItemCount(static_cast<int>(FVisibleItems.size()));
    } catch (const Exception&) {
        ReportBug();
    }
    FList->SetTopItem(FSavedTopItem);
    for (size_t i = 0; i < FVisibleItems.size(); ++i)
        if (FVisibleItems[i]->Path() == FSavedSelected) {
            FList->SetItemIndex(static_cast<int>(i));
            break;
        }
}

void TPropListRoot::ReportBug() {
    if (Application) Application->MessageBox("BUG", "BUG", MB_OK);
}

} // namespace dw
