// TDualList: an owner-painted list of rows with a name cell and a value cell on either side of
// a movable split, one in-place editor over the selected row's value cell, scrolling by whole
// rows and keyboard navigation.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/stdctrls/Edit.h"

namespace dw {

class TDualList : public TCustomControl {
    DW_CLASS(TDualList, TCustomControl)
    explicit TDualList(TComponent* owner);
    ~TDualList() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    int ItemCount() const { return FItemCount; }
    void SetItemCount(int value);
    int ItemIndex() const { return FItemIndex; }
    // Clamps into the rows, scrolls the row into view, and (with a window) selects it.
    virtual void SetItemIndex(int value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    int TopItem() const { return FTopItem; }
    void SetTopItem(int value);
    int SplitPos() const { return FSplitPos; }
    // Ignored below 20 or with less than 20 pixels left on its right.
    void SetSplitPos(int value);
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool value);
    bool EditorVisible() const { return FEditorVisible; }
    void SetEditorVisible(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ShowSelFrame() const { return FShowSelFrame; }
    void SetShowSelFrame(bool value);
    TCustomEdit* Editor() const { return FEditor; }
    TTimer* ScrollTimer() const { return FScrollTimer; }

    // Client height div ItemHeight, 0 without a window.
    int VisibleRows() const;
    TRect ItemRect(int index) const;
    // The row at y, clamped into the rows; -1 with none.
    int ItemAtY(int y) const;
    // Fills the editor for the selected row.
    virtual void LoadEditor();
    // What a key does to the rows (also for an editor that passes its keys on): the navigation
    // keys select, any other key brings the selected row back into view.
    void HandleRowKey(Word key, TShiftState shift);

    void Dispatch(TMessage& message) override;
    // The standard edit actions act on the editor while it is shown.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;

protected:
    virtual void FocusEditor();
    // Column 0 is the name cell, 1 the value cell.
    virtual void DrawCell(const TRect& rect, int column, bool selected, int index) {
        (void)rect, (void)column, (void)selected, (void)index;
    }
    virtual TCustomEdit* CreateEditor();
    // A row of one cell across the whole width.
    virtual bool IsFullRow(int index) { return (void)index, false; }

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

    // Puts the editor over row index's value cell, or hides it where no editor belongs.
    void PlaceEditor(int index);
    void UpdateScrollBar();
    void InvalidateRow(int index, int grow = 0);
    bool Splitting() const { return FSplitting; }

private:
    void ScrollTimerTick(TObject* sender);
    void EditorMouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y);
    void DrawGrid(const TRect& clip, int itemsBottom);
    void DrawSelFrame();

    int FItemCount = 0;
    int FSplitPos = 100;
    int FItemIndex = -1;
    int FItemHeight = 17;
    int FTopItem = 0;
    bool FShowGrid = true;
    bool FEditorVisible = true;
    TBorderStyle FBorderStyle = bsNone;
    bool FShowSelFrame = false;
    TCustomEdit* FEditor = nullptr;
    TTimer* FScrollTimer = nullptr;
    bool FSplitting = false;
    int FSplitOffset = 0;
    DWORD FLastClickTime = 0;
};

} // namespace dw
