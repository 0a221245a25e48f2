// Scrolling: the scroll bars of a scrolling control, TScrollingWinControl and the scroll box.
#pragma once

#include "framework/controls/core/WinControl.h"
#include "framework/platform/window/ScrollBar.h"

#include <memory>

namespace dw {

DW_ENUM(TScrollBarKind, sbHorizontal, sbVertical)

// One scroll bar of a scrolling control: the scrolled range and the position in it. The bar shows
// when Range exceeds the client extent.
class TControlScrollBar : public TPersistent {
    DW_CLASS(TControlScrollBar, TPersistent)
    TControlScrollBar(class TScrollingWinControl* control, TScrollBarKind kind);
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TScrollBarKind Kind() const { return FKind; }
    int Range() const { return FRange; }
    void SetRange(int value);
    int Position() const { return FPosition; }
    // Clamped to 0 .. Range - client extent; scrolls the children.
    void SetPosition(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value < 1 ? 1 : value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    int Margin() const { return FMargin; }
    void SetMargin(int value) { FMargin = value; }
    // Whether the bar is shown now (visible and the range exceeds the client extent).
    bool IsScrollBarVisible() const;
    int ScrollPos() const { return FVisible ? FPosition : 0; }
    // Handles WM_HSCROLL/WM_VSCROLL codes.
    void ScrollMessage(WPARAM wParam);
    void Update();

private:
    int ClientExtent() const;
    class TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    int FIncrement = 8;
    int FMargin = 0;
    bool FVisible = true;
    bool FTracking = false;
    bool FUpdating = false;
    HWND FAppliedHandle = nullptr;
    SCROLLINFO FAppliedInfo;
};

class TScrollingWinControl : public TWinControl {
    DW_CLASS(TScrollingWinControl, TWinControl)
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { FHorzScrollBar->Assign(value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* value) { FVertScrollBar->Assign(value); }
    // Computes the ranges from the children's extents.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // Scrolls so that control is inside the client area.
    void ScrollInView(TControl* control);
    void Dispatch(TMessage& message) override;

protected:
    friend class TControlScrollBar;
    void AlignControls(TControl* control, TRect& rect) override;
    void CreateWnd() override;
    void UpdateScrollBars();
    // Sets both ranges from the children (AutoScroll).
    void CalcAutoRange();
    void AdjustClientRect(TRect& rect) const override;

private:
    std::unique_ptr<TControlScrollBar, TObjectDeleter> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar, TObjectDeleter> FVertScrollBar;
    bool FAutoScroll = false;
    bool FUpdatingScrollBars = false;
};

class TScrollBox : public TScrollingWinControl {
    DW_CLASS(TScrollBox, TScrollingWinControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    static constexpr TColor ColorDefault = clBtnFace;
    explicit TScrollBox(TComponent* owner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};

} // namespace dw
