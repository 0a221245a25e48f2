// The item tree whose visible items are the rows of the property list: TPropertyItem, and
// TPropListRoot, which flattens the tree into rows and keeps expansion, top row and selection
// across a rebuild by path.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <memory>
#include <set>
#include <vector>

namespace dw {

class TCustomPropList;
class TPropListRoot;

class TPropertyItem {
public:
    TPropertyItem() = default;
    TPropertyItem(const TPropertyItem&) = delete;
    TPropertyItem& operator=(const TPropertyItem&) = delete;
    virtual ~TPropertyItem();

    // Tells the root of the tree that it changed.
    virtual void Changed();
    // The name used in paths.
    virtual String GetName() const { return {}; }
    // Frees the children (and tells the root).
    virtual void ClearChildren();
    virtual bool HasChildren() const { return false; }
    // An item without one is drawn as one full-width cell.
    virtual bool HasValueColumn() const { return true; }
    // Same class, same name, and parents that are the same by this rule (or both none).
    virtual bool IsSame(const TPropertyItem* other) const;

    int ChildCount() const { return FChildren ? static_cast<int>(FChildren->size()) : 0; }
    TPropertyItem* Child(int index) const;
    // The item takes ownership of the child.
    TPropertyItem* AddChild(std::unique_ptr<TPropertyItem> item) { return InsertChild(ChildCount(), std::move(item)); }
    TPropertyItem* InsertChild(int index, std::unique_ptr<TPropertyItem> item);
    void DeleteChild(int index);
    // -1 for the root, 0 for its children.
    int Level() const;
    TPropertyItem* Parent() const { return FParent; }
    // The top ancestor as a root, or null when the tree has no root.
    TPropListRoot* Root();

    const WideString& Caption() const { return FCaption; }
    void SetCaption(const WideString& value);
    bool Expanded() const { return FExpanded; }
    // Expanding asks the root to create the children; collapsing clears them.
    void SetExpanded(bool value);
    // The parent's name, a backslash and this item's name; the own name without a parent.
    String Path() const;

protected:
    bool FExpanded = false;

private:
    std::unique_ptr<std::vector<std::unique_ptr<TPropertyItem>>> FChildren;
    TPropertyItem* FParent = nullptr;
    WideString FCaption;
};

class TPropListRoot : public TPropertyItem {
public:
    explicit TPropListRoot(TCustomPropList* list);

    // Recomputes the rows (or only marks them dirty inside an update) and repaints the list.
    void Changed() override;
    // Fills the children of an expanded item; nothing here.
    virtual void CreateChildren(TPropertyItem* item) { (void)item; }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    int VisibleCount();
    TPropertyItem* VisibleItem(int index);
    // -1 for an item that is not visible.
    int IndexOfVisible(const TPropertyItem* item);
    // Remembers the top row, the selected row's path and the paths of the expanded items.
    void SaveState();
    // Expands the remembered paths again, recomputes the rows, and puts back the top row and
    // the selection.
    void RestoreState();

    TCustomPropList* List() const { return FList; }

private:
    void Flatten();
    void FlattenInto(TPropertyItem* item);
    void SaveExpanded(TPropertyItem* item);
    void RestoreExpanded(TPropertyItem* item);
    void ReportBug();

    TCustomPropList* FList;
    std::vector<TPropertyItem*> FVisibleItems;
    int FUpdateCount = 0;
    bool FDirty = true;
    std::unique_ptr<std::set<String>> FSavedExpanded;
    String FSavedSelected;
    int FSavedTopItem = 0;
};

} // namespace dw
