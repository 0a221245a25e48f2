// List boxes with their item list, owner-draw states and events.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/stdctrls/StdPublish.h"
#include "framework/rtl/StringList.h"

#include <vector>

namespace dw {

DW_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
DW_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
        odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
DW_SET(TOwnerDrawState, TOwnerDrawStateItem)

DW_EVENT(TDrawItemEvent, (TWinControl*, int, const TRect&, TOwnerDrawState),
         "Control: TWinControl; Index: Integer; Rect: TRect; State: TOwnerDrawState");
DW_EVENT(TMeasureItemEvent, (TWinControl*, int, int&), "Control: TWinControl; Index: Integer; var Height: Integer");

class TCustomListBox;

// The items of a list box: a string list that keeps the list box's selection in step.
class TListBoxStrings : public TStringList {
    DW_CLASS(TListBoxStrings, TStringList)
    explicit TListBoxStrings(TCustomListBox* listBox = nullptr) : FListBox(listBox) {}
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* obj) override;
    void Insert(int index, const String& s) override;
    void InsertObject(int index, const String& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;

protected:
    void Changed() override;

private:
    TCustomListBox* FListBox;
};

class TCustomListBox : public TCustomControl {
    DW_CLASS(TCustomListBox, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int Count() const { return FItems->Count(); }
    // The selected item, or the focused one with MultiSelect; -1 for none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value) { FExtendedSelect = value; }
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void SelectAll();
    void ClearSelection();
    void DeleteSelected();
    void Clear() { FItems->Clear(); }
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    // The height of the items of owner-drawn styles; lbStandard uses the font's line height.
    int ItemHeight() const;
    void SetItemHeight(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value) { FIntegralHeight = value; }
    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value < 0 ? 0 : value; }

    // The item at a client point; -1 when none (existing) or Count below the last item.
    int ItemAtPos(TPoint pos, bool existing);
    // The rectangle of an item in client coordinates (it may lie outside the client area).
    TRect ItemRect(int index);
    // Makes an item visible.
    void MakeVisible(int index);

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(TMessage& message) override;

protected:
    friend class TListBoxStrings;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void Resize() override;
    // Draws one item: OnDrawItem for the owner-drawn styles, else the text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // The selection changed because of the user: fires OnClick.
    virtual void SelectionChanged();
    int ItemHeightOf(int index);
    int VisibleCount();
    void UpdateScrollBar();
    // Moves the focus (and the single selection) to index, as the user does.
    void UserSelect(int index, TShiftState shift);
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void ItemsMoved(int from, int to);
    void ItemsExchanged(int index1, int index2);
    void ItemsCleared();
    virtual void ItemsChanged();

    TObjectPtr<TListBoxStrings> FItems;
    std::vector<char> FSelected;
    int FItemIndex = -1;
    int FAnchorIndex = -1;
    int FTopIndex = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    TBorderStyle FBorderStyle = bsSingle;
    bool FIntegralHeight = false;
    int FColumns = 0;
    bool FMouseSelecting = false;
    std::vector<int> FTops; // item tops from the first item, for variable heights
    bool FTopsValid = false;
    // Hot tracking: the item under the mouse becomes the selection (drop-down lists).
    bool FHotTrack = false;
};

class TListBox : public TCustomListBox {
    DW_CLASS(TListBox, TCustomListBox)
    using TCustomListBox::TCustomListBox;
};

} // namespace dw
