// The extra controls of the shell: panels with bevels, splitters, radio groups made of real radio
// buttons, and the control bar whose child controls are movable bands.
#pragma once

#include "framework/controls/stdctrls/StdCtrls.h"

#include <vector>

namespace dw {

DW_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern)
DW_EVENT(TCanResizeSplitEvent, (TObject*, int&, bool&), "Sender: TObject; var NewSize: Integer; var Accept: Boolean");
DW_EVENT(TBandMoveEvent, (TObject*, TControl*, TRect&), "Sender: TObject; Control: TControl; var ARect: TRect");

// ---------------------------------------------------------------------------------------------
// Panels

// A container with an outer and an inner bevel around a border of its own colour, and a caption.
// The bevels and the border are part of the client area (children are laid out inside them).
class TCustomPanel : public TCustomControl {
    DW_CLASS(TCustomPanel, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    static constexpr TColor ColorDefault = clBtnFace;
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool value) { FFullRepaint = value; }
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    // The width of everything drawn inside the client edge: border plus bevels.
    int FrameWidth() const;

    void AdjustClientRect(TRect& rect) const override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    TAlignment FAlignment = taCenter;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
    bool FLocked = false;
};

class TPanel : public TCustomPanel {
    DW_CLASS(TPanel, TCustomPanel)
    using TCustomPanel::TCustomPanel;
};

// ---------------------------------------------------------------------------------------------
// Splitters

// Dragging a splitter resizes the control aligned against it (the one on the same side, next to
// it). MinSize keeps both that control and the rest of the parent's client area from shrinking
// below it; with AutoSnap a drag below MinSize collapses the control instead.
class TSplitter : public TGraphicControl {
    DW_CLASS(TSplitter, TGraphicControl)
    // What a fresh one has, for the published defaults.
    static constexpr TCursor CursorDefault = crHSplit;
    explicit TSplitter(TComponent* owner);

    bool AutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool value) { FAutoSnap = value; }
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool value);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int value) { FMinSize = value < 1 ? 1 : value; }
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }
    // The control the splitter resizes, found at the splitter's edge; null when there is none.
    TControl* FindResizeControl() const;

    TCanResizeSplitEvent OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;

    void SetAlign(TAlign value);

protected:
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    virtual bool CanResize(int& newSize);
    virtual void StopSizing();

private:
    void DrawLine();
    void ApplySize();
    int ClampSize(int size) const;
    TRect LineRect() const;

    bool FAutoSnap = true;
    bool FBeveled = false;
    int FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FOldSize = 0;
    int FNewSize = 0;
    int FMaxSize = 0;
    bool FLineVisible = false;
    int FLineOffset = 0;
};

// ---------------------------------------------------------------------------------------------
// Radio groups

class TCustomRadioGroup;

class TRadioGroupStrings : public TStringList {
    DW_CLASS(TRadioGroupStrings, TStringList)
    explicit TRadioGroupStrings(TCustomRadioGroup* group = nullptr) : FGroup(group) {}

protected:
    void Changed() override;

private:
    TCustomRadioGroup* FGroup;
};

// A group box holding one real TRadioButton per item, in item order, arranged in Columns. The
// buttons are owned by the group (never written to form files) and follow Items.
class TCustomRadioGroup : public TCustomGroupBox {
    DW_CLASS(TCustomRadioGroup, TCustomGroupBox)
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TRadioButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    friend class TRadioGroupStrings;
    void ItemsChanged();
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClick(TObject* sender);
    void Resize() override;
    // A button of the group was chosen by the user: the item index follows and OnClick fires.
    virtual bool CanModify() { return true; }

private:
    TObjectPtr<TRadioGroupStrings> FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
    bool FReading = false;
};

class TRadioGroup : public TCustomRadioGroup {
    DW_CLASS(TRadioGroup, TCustomRadioGroup)
    using TCustomRadioGroup::TCustomRadioGroup;
};

// ---------------------------------------------------------------------------------------------
// Control bars

// Every child control is a band: a grabber at its left and a frame around it. Bands lie in rows
// RowSize high, each at an explicit position (the child's Left and Top); dragging a band by its
// grabber moves it within its row or to another row, and OnBandMove may change where it goes.
class TCustomControlBar : public TCustomControl {
    DW_CLASS(TCustomControlBar, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    static constexpr TColor ColorDefault = clBtnFace;
    explicit TCustomControlBar(TComponent* owner);

    // Space a band takes around its control: the grabber on the left, a margin elsewhere.
    static constexpr int GrabberSize = 11;
    static constexpr int BandMargin = 2;

    int RowSize() const { return FRowSize; }
    void SetRowSize(int value);
    bool RowSnap() const { return FRowSnap; }
    void SetRowSnap(bool value) { FRowSnap = value; }
    bool AutoDrag() const { return FAutoDrag; }
    void SetAutoDrag(bool value) { FAutoDrag = value; }
    void SetAutoSize(bool value) override;
    // The band rectangle of a child control (control bounds plus grabber and margins).
    TRect BandRect(const TControl* control) const;
    // The child whose band is at a client point, and whether the point is on its grabber.
    TControl* BandAt(TPoint p, bool* onGrabber = nullptr) const;
    // Moves a band to a new band rectangle (as a drag does, OnBandMove included).
    void MoveBand(TControl* control, TRect bandRect);
    int RowCount() const;

    TBandMoveEvent OnBandMove;

    void AlignControls(TControl* control, TRect& rect) override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    virtual void DoBandMove(TControl* control, TRect& rect);
    virtual void PaintBand(TControl* control, const TRect& rect);

private:
    // Puts the bands in rows without overlaps; moved is kept where it was put.
    void LayoutBands(TControl* moved);
    int RowOf(const TControl* control) const;

    int FRowSize = 26;
    bool FRowSnap = true;
    bool FAutoDrag = true;
    bool FLayingOut = false;
    TControl* FDragControl = nullptr;
    TPoint FDragOffset;
};

class TControlBar : public TCustomControlBar {
    DW_CLASS(TControlBar, TCustomControlBar)
    using TCustomControlBar::TCustomControlBar;
};

// ---------------------------------------------------------------------------------------------
// Simple graphic controls

DW_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
DW_ENUM(TBevelStyle, bsLowered, bsRaised)

class TBevel : public TGraphicControl {
    DW_CLASS(TBevel, TGraphicControl)
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

class TPaintBox : public TGraphicControl {
    DW_CLASS(TPaintBox, TGraphicControl)
    explicit TPaintBox(TComponent* owner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

} // namespace dw
