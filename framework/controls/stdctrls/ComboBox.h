// Combo boxes: an edit with a drop-down list.
#pragma once

#include "framework/controls/stdctrls/EditCore.h"
#include "framework/controls/stdctrls/ListBox.h"

#include <memory>

namespace dw {

DW_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)

class TCustomComboBox;

// The list of a combo box: a top-most pop-up while dropped down (or a child for csSimple).
class TComboListBox : public TCustomListBox {
    DW_CLASS(TComboListBox, TCustomListBox)
    explicit TComboListBox(TComponent* owner);
    TCustomComboBox* ComboBox() const { return FComboBox; }
    void SetComboBox(TCustomComboBox* value) { FComboBox = value; }
    bool Popup() const { return FPopup; }
    // Only a dropped-down list follows the mouse; a simple combo box's list selects on clicks, as
    // a list box does (following the mouse there would select without telling anyone).
    void SetPopup(bool value) {
        FPopup = value;
        FHotTrack = value;
    }
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MeasureItem(int index, int& height) override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void SelectionChanged() override;
    // A double click in a simple combo box's list is the combo box's.
    void DblClick() override;

private:
    friend class TCustomComboBox;
    TCustomComboBox* FComboBox = nullptr;
    bool FPopup = true;
    // The button that dropped the list is still down: releasing outside keeps the list open.
    bool FTrackingFromButton = false;
};

class TComboBoxStrings : public TStringList {
    DW_CLASS(TComboBoxStrings, TStringList)
    explicit TComboBoxStrings(TCustomComboBox* comboBox = nullptr) : FComboBox(comboBox) {}

protected:
    void Changed() override;

private:
    TCustomComboBox* FComboBox;
};

class TCustomComboBox : public TCustomControl {
    DW_CLASS(TCustomComboBox, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;
    void BeforeDestruction() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    // Selects an item (its text becomes Text) without firing OnChange or OnSelect.
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value < 1 ? 1 : value; }
    int ItemHeight() const;
    void SetItemHeight(int value);
    int MaxLength() const { return FEdit.MaxLength; }
    void SetMaxLength(int value) { FEdit.MaxLength = value < 0 ? 0 : value; }
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool value);
    int SelStart() const { return FEdit.SelStart(); }
    void SetSelStart(int value) { FEdit.SetSelStart(value); }
    int SelLength() const { return FEdit.SelLength(); }
    void SetSelLength(int value) { FEdit.SetSelLength(value); }
    String SelText() const { return FEdit.SelText(); }
    void SelectAll() { FEdit.SelectAll(); }
    void Clear();
    // Whether the style edits text (csDropDown, csSimple).
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    // The text area (client coordinates), and the drop-down button.
    TRect TextRect() const;
    TRect ButtonRect() const;
    TComboListBox* ListBox() const { return FList.get(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;

protected:
    friend class TComboListBox;
    friend class TComboBoxStrings;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void SetTextImpl(const String& value) override;
    String GetText() const override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void Resize() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    virtual void Change();
    // The user chose an item: OnClick, then OnSelect (or OnChange when OnSelect is not set).
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // The height the control must have for its font (all styles but csSimple).
    int EditHeight() const;
    void ItemsChanged();
    // Closes the list; with accept the highlighted item becomes the selection.
    void CloseList(bool accept);
    // Selects an item on behalf of the user.
    void UserSelect(int index);
    void UpdateEdit();

    TObjectPtr<TComboBoxStrings> FItems;
    TObjectPtr<TComboListBox> FList;
    TEditCore FEdit;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FItemHeight = 16;
    bool FDroppedDown = false;
    bool FButtonDown = false;
    bool FEditMouse = false;
    bool FChangingText = false;
    bool FCaretTimer = false;
    String FSavedText;
    int FSavedIndex = -1;
    bool FLoadedText = false;
};

class TComboBox : public TCustomComboBox {
    DW_CLASS(TComboBox, TCustomComboBox)
    using TCustomComboBox::TCustomComboBox;
};

} // namespace dw
