// Tool bars and their tool buttons.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/core/GraphicControl.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/stdctrls/StdPublish.h"

#include <vector>

namespace dw {

DW_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)
DW_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom)
DW_SET(TEdgeBorders, TEdgeBorder)
DW_ENUM(TEdgeStyle, esNone, esRaised, esLowered)

class TToolBar;

// Ties a tool button to its action: the image, checked state, enabled state and hint follow.
class TToolButtonActionLink : public TControlActionLink {
    DW_CLASS(TToolButtonActionLink, TControlActionLink)
    using TControlActionLink::TControlActionLink;
    bool IsCheckedLinked() const override;
    bool IsImageIndexLinked() const override;
    void SetChecked(bool value) override;
    void SetImageIndex(int value) override;
};

class TToolButton : public TGraphicControl {
    DW_CLASS(TToolButton, TGraphicControl)
    explicit TToolButton(TComponent* owner);

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool IsImageIndexStored() const;
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool IsCheckedStored() const;
    // Check buttons with Grouped next to each other are one group: one of them is down.
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value) { FGrouped = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    bool Indeterminate() const { return FIndeterminate; }
    void SetIndeterminate(bool value);
    bool Marked() const { return FMarked; }
    void SetMarked(bool value);
    // A new row starts after this button.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    // The pop-up shown by the arrow of a tbsDropDown button (a component with IContextPopup).
    TComponent* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TComponent* value);
    TToolBar* ToolBar() const;
    // The position of the button among the tool bar's buttons.
    int Index() const;
    void SetAutoSize(bool value) override;

    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

protected:
    friend class TToolBar;
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    void ShowDropdown();
    bool OnArrow(int x) const;
    // The group of check buttons this one belongs to (itself alone when not Grouped).
    void UpdateGroup();

private:
    TToolButtonStyle FStyle = tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    bool FIndeterminate = false;
    bool FMarked = false;
    bool FWrap = false;
    TComponent* FDropdownMenu = nullptr;
    bool FPressed = false;
    bool FTracking = false;
    bool FMouseInControl = false;
    bool FArrowPressed = false;
};

class TToolBar : public TCustomControl {
    DW_CLASS(TToolBar, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool List() const { return FList; }
    void SetList(bool value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    int Indent() const { return FIndent; }
    void SetIndent(int value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders value);
    TEdgeStyle EdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle value);
    TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* value);
    void SetAutoSize(bool value) override;
    // The size every button gets (the widest caption when captions show).
    TSize ButtonSize() const;
    int RowCount() const { return FRowCount; }

    void AdjustClientRect(TRect& rect) const override;
    void AlignControls(TControl* control, TRect& rect) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    friend class TToolButton;
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    // Places the buttons (and other controls) in rows; returns the height they take.
    int LayoutButtons(int width, bool apply);
    void ImageListChange(TObject* sender);
    int EdgeSize(TEdgeBorder edge) const;
    void SetImageList(TCustomImageList*& field, TCustomImageList* value);

private:
    std::vector<TToolButton*> FButtons;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FList = false;
    bool FWrapable = true;
    int FIndent = 0;
    bool FTransparent = false;
    TEdgeBorders FEdgeBorders{ebTop};
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TObjectPtr<TChangeLink> FImageLink;
    bool FLayingOut = false;
    int FRowCount = 1;
};

} // namespace dw
