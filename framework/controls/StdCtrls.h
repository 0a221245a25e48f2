// The standard controls: labels, edits and memos, push buttons, check boxes and radio buttons,
// group boxes, list boxes, combo boxes and scroll bars. Every one of them is drawn by the
// framework in the classic three-dimensional look and driven by mouse and keyboard messages.
#pragma once

#include "framework/controls/Controls.h"
#include "framework/controls/EditCore.h"
#include "framework/controls/Forms.h"
#include "framework/rtl/StringList.h"

#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dw {

DW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
DW_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
DW_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
DW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
DW_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
DW_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
DW_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll)
DW_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
        odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
DW_SET(TOwnerDrawState, TOwnerDrawStateItem)

// The standard controls publish through the shared mechanism.
template <class C> void PublishStd(TClassBuilder<C>& c, std::initializer_list<const char*> names) {
    PublishControlProperties(c, names);
}

// Publishes Color with the default a control class really has (clBtnFace for panels and bars).
template <class C> void PublishColor(TClassBuilder<C>& c, TColor defaultColor) {
    c.Property("Color", &C::Color, &C::SetColor).Type(ColorTypeInfo()).Default(defaultColor).Stored(&C::IsColorStored);
}

DW_EVENT(TDrawItemEvent, (TWinControl*, int, const TRect&, TOwnerDrawState),
         "Control: TWinControl; Index: Integer; Rect: TRect; State: TOwnerDrawState");
DW_EVENT(TMeasureItemEvent, (TWinControl*, int, int&), "Control: TWinControl; Index: Integer; var Height: Integer");
DW_EVENT(TScrollEvent, (TObject*, TScrollCode, int&),
         "Sender: TObject; ScrollCode: TScrollCode; var ScrollPos: Integer");

// ---------------------------------------------------------------------------------------------
// Labels

class TCustomLabel : public TGraphicControl {
    DW_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // The control that gets the focus when the caption's accelerator is pressed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    void SetAutoSize(bool value) override;

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    // Resizes the label to its caption (AutoSize), keeping the edge its alignment anchors.
    virtual void AdjustBounds();
    void AdjustSize() override { AdjustBounds(); }
    UINT TextFlags() const;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    bool FWordWrap = false;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    DW_CLASS(TLabel, TCustomLabel)
    using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------------------------
// Edits and memos

class TCustomEdit : public TCustomControl {
    DW_CLASS(TCustomEdit, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return FEdit.HideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const { return FEdit.MaxLength; }
    void SetMaxLength(int value) { FEdit.MaxLength = value < 0 ? 0 : value; }
    bool ReadOnly() const { return FEdit.ReadOnly; }
    void SetReadOnly(bool value);
    char32_t PasswordChar() const { return FEdit.PasswordChar; }
    void SetPasswordChar(char32_t value);
    TAlignment Alignment() const { return FEdit.Alignment; }
    void SetAlignment(TAlignment value);
    // Whether the user changed the text since it was last set or the flag cleared.
    bool Modified() const { return FEdit.Modified; }
    void SetModified(bool value) { FEdit.Modified = value; }
    void SetAutoSize(bool value) override;

    int SelStart() const { return FEdit.SelStart(); }
    void SetSelStart(int value) { FEdit.SetSelStart(value); }
    int SelLength() const { return FEdit.SelLength(); }
    void SetSelLength(int value) { FEdit.SetSelLength(value); }
    String SelText() const { return FEdit.SelText(); }
    void SetSelText(const String& value) { FEdit.SetSelText(value); }
    bool CanUndo() const { return FEdit.CanUndo(); }
    void Undo() { FEdit.Undo(); }
    void ClearUndo() { FEdit.ClearUndo(); }
    void SelectAll() { FEdit.SelectAll(); }
    void ClearSelection() { FEdit.ClearSelection(); }
    void Clear() { SetText(String()); }
    void CopyToClipboard() { FEdit.CopyToClipboard(); }
    void CutToClipboard() { FEdit.CutToClipboard(); }
    void PasteFromClipboard() { FEdit.PasteFromClipboard(); }
    // The rectangle the text is laid out in (client coordinates).
    TRect FormattingRect() const { return FEdit.Rect(); }
    // Scrolls the caret into view.
    void ScrollCaret() { FEdit.ScrollCaret(); }
    // The caret's position: the line and the character in the line.
    TPoint CaretPos() const;

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void SetTextImpl(const String& value) override;
    String GetText() const override { return FEdit.Text(); }
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void Resize() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Loaded() override;
    // Fires OnChange.
    virtual void Change();
    // The formatting rectangle for the current client size.
    virtual TRect EditRect();
    void UpdateEditRect();
    virtual bool WantTabs() const { return false; }
    virtual bool WantReturns() const { return false; }
    // Single-line edits take their height from the font while AutoSize is on.
    void AdjustHeight();
    virtual void EditScrolled() {}

    TEditCore FEdit;

private:
    void EditChanged();
    void StartCaretTimer();
    void StopCaretTimer();

    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    bool FCaretTimer = false;
    bool FChanging = false;
};

class TEdit : public TCustomEdit {
    DW_CLASS(TEdit, TCustomEdit)
    using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The lines of a memo: a view of its text, one line per hard line break.
class TMemoStrings : public TStrings {
    DW_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo* memo = nullptr) : FMemo(memo) {}
    int Count() const override;
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetText(std::string_view text) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    // Lines added at the end during an update wait here and reach the memo in one piece, so
    // that loading a memo is linear in its text.
    void Flush() const;
    TCustomMemo* FMemo;
    mutable String FPending;
    mutable int FPendingCount = 0;
};

class TCustomMemo : public TCustomEdit {
    DW_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value) { FLines->Assign(value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FEdit.WordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const override { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const override { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    TRect EditRect() override;
    void KeyPress(char32_t& key) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void EditScrolled() override;

private:
    friend class TMemoStrings;
    void UpdateScrollBars();
    void ScrollMessage(int bar, WPARAM wParam);

    TObjectPtr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FUpdatingBars = false;
};

class TMemo : public TCustomMemo {
    DW_CLASS(TMemo, TCustomMemo)
    using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes and radio buttons

// What push buttons, check boxes and radio buttons share: pressing with the mouse (pushed while
// the button is down and the mouse inside) and with the Space key, accelerators, and the focus
// rectangle. A control in design state does not press.
class TButtonControl : public TCustomControl {
    DW_CLASS(TButtonControl, TCustomControl)
    explicit TButtonControl(TComponent* owner);

    bool Pressed() const { return FPressed; }
    void Dispatch(TMessage& message) override;

protected:
    // What a completed press does (a button clicks, a check box toggles).
    virtual void Press() = 0;
    // Whether the second press of a double click is a double click (OnDblClick) rather than
    // another press; push buttons and check boxes take it as another press.
    virtual bool ReportsDoubleClicks() const { return false; }
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void CancelPress();
    void SetPressed(bool value);

    bool FPressed = false;
    bool FMouseDown = false;
    bool FSpaceDown = false;
};

class TButton : public TButtonControl {
    DW_CLASS(TButton, TButtonControl)
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Whether Enter presses this button now (the default button while no other button has the
    // focus, or the focused button).
    bool Active() const { return FActive; }

    // Sets the parent form's ModalResult (when this button has one), then fires OnClick.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Press() override { Click(); }
    void Paint() override;
    // Draws the face and frame, and returns the rectangle left for the content.
    TRect DrawButtonFace();
    bool FActive = false;

private:
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
    DW_CLASS(TCustomCheckBox, TButtonControl)
    explicit TCustomCheckBox(TComponent* owner);

    // taRightJustify (the default) puts the caption right of the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    TCheckBoxState State() const { return FState; }
    // Changing the state fires OnClick (except while loading).
    void SetState(TCheckBoxState value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    // Unchecked, checked, then grayed when allowed, then unchecked again.
    virtual void Toggle();

protected:
    void Press() override { Toggle(); }
    void Paint() override;

private:
    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    DW_CLASS(TCheckBox, TCustomCheckBox)
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
    DW_CLASS(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool Checked() const { return FChecked; }
    // Checking a radio button unchecks the other radio buttons of its parent and fires OnClick.
    void SetChecked(bool value);
    void Dispatch(TMessage& message) override;

protected:
    void Press() override { SetChecked(true); }
    bool ReportsDoubleClicks() const override { return true; }
    void Paint() override;
    void KeyDown(Word& key, TShiftState shift) override;

private:
    TAlignment FAlignment = taRightJustify;
    bool FChecked = false;
};

// ---------------------------------------------------------------------------------------------
// Group boxes

class TCustomGroupBox : public TCustomControl {
    DW_CLASS(TCustomGroupBox, TCustomControl)
    explicit TCustomGroupBox(TComponent* owner);
    void AdjustClientRect(TRect& rect) const override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    DW_CLASS(TGroupBox, TCustomGroupBox)
    using TCustomGroupBox::TCustomGroupBox;
};

// ---------------------------------------------------------------------------------------------
// List boxes

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

// ---------------------------------------------------------------------------------------------
// Combo boxes

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

// ---------------------------------------------------------------------------------------------
// Scroll bars

class TScrollBar : public TCustomControl {
    DW_CLASS(TScrollBar, TCustomControl)
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetParams(FPosition, FMin, value); }
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value < 1 ? 1 : value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value < 1 ? 1 : value; }
    // Sets all three at once; raises EInvalidOperation when max is below min. Changing the
    // position fires OnChange.
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    virtual void Change();
    virtual void Scroll(TScrollCode code, int& position);

private:
    enum TPart { spNone, spLineUp, spLineDown, spPageUp, spPageDown, spThumb };
    int ArrowSize() const;
    // The thumb's rectangle, and the track it moves in (client coordinates).
    TRect ThumbRect() const;
    TRect TrackRect() const;
    TPart PartAt(TPoint p) const;
    void DoScroll(TScrollCode code, int position);
    void Step();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TPart FPressedPart = spNone;
    bool FPartHot = false;
    int FThumbOffset = 0;
    int FTrackPosition = 0;
    TPoint FMousePos;
};

} // namespace dw
