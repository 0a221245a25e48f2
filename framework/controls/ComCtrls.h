// The common controls of the shell: tab controls and page controls with their sheets, tool bars
// with tool buttons, and status bars with panels.
#pragma once

#include "framework/controls/ImageList.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Collection.h"

#include <vector>

namespace dw {

DW_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)
DW_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons)
DW_EVENT(TTabChangingEvent, (TObject*, bool&), "Sender: TObject; var AllowChange: Boolean");
DW_EVENT(TTabGetImageEvent, (TObject*, int, int&), "Sender: TObject; TabIndex: Integer; var ImageIndex: Integer");
DW_EVENT(TDrawTabEvent, (class TCustomTabControl*, int, const TRect&, bool),
         "Control: TCustomTabControl; TabIndex: Integer; const Rect: TRect; Active: Boolean");

// ---------------------------------------------------------------------------------------------
// Tab controls

class TCustomTabControl;

class TTabStrings : public TStringList {
    DW_CLASS(TTabStrings, TStringList)
    explicit TTabStrings(TCustomTabControl* tabControl = nullptr) : FTabControl(tabControl) {}

protected:
    void Changed() override;

private:
    TCustomTabControl* FTabControl;
};

// A row (or rows) of tabs along one side of a three-dimensional frame. The area inside the
// frame, DisplayRect, is where child controls are laid out. Clicking a tab selects it (asking
// OnChanging first, then firing OnChange); the tabs take the mouse at design time too.
class TCustomTabControl : public TCustomControl {
    DW_CLASS(TCustomTabControl, TCustomControl)
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(TStrings* value) { FTabs->Assign(value); }
    // -1: no tab selected.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value) { FMultiSelect = value; }
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool value);
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool value) { FScrollOpposite = value; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    // Fixed tab sizes; 0 sizes each tab to its caption and the font.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);

    // The area inside the frame, in client coordinates.
    TRect DisplayRect() const;
    // The rectangle of a tab in client coordinates (empty when it is scrolled out of view).
    TRect TabRect(int index) const;
    // The tab at a client point, or -1.
    int IndexOfTabAt(int x, int y) const;
    int RowCount() const;
    // Scrolling of a single line of tabs that does not fit: the first tab shown.
    int FirstVisibleTab() const { return FFirstTab; }
    void ScrollTabs(int delta);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

    void AdjustClientRect(TRect& rect) const override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;

protected:
    friend class TTabStrings;
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void Resize() override;
    // Asks OnChanging whether the selection may change.
    virtual bool CanChange();
    // Fires OnChange (a page control also shows the page).
    virtual void Change();
    virtual int GetImageIndex(int tabIndex);
    virtual void DrawTab(int tabIndex, const TRect& rect, bool active);
    // Selects a tab as the user does: CanChange, then the change and Change.
    void SelectTab(int index);
    void TabsChanged();
    // The number of tabs and their captions (a page control shows its visible pages).
    virtual int TabCount() const { return FTabs->Count(); }
    virtual String TabCaption(int index) const { return FTabs->Get(index); }
    void InvalidateLayout();
    void InvalidateLayoutEvent(TObject* sender);

    TObjectPtr<TTabStrings> FTabs;
    int FTabIndex = -1;

private:
    struct TTabPlace {
        TRect Rect; // along the strip: x is the length axis, y the rows (0 next to the frame)
        int Row = 0;
    };
    // Lays the tabs out in the top orientation (length along x, rows stacked upwards from the
    // frame) and maps them to the real side when asked.
    void EnsureLayout() const;
    TRect MapRect(const TRect& r) const;
    int StripLength() const;
    int TabThickness() const;
    int StripThickness() const;
    bool ScrollerVisible() const;
    TRect ScrollerRect() const;
    void DrawTabText(TCanvas* canvas, int index, const TRect& rect);

    TTabPosition FTabPosition = tpTop;
    bool FMultiLine = false;
    bool FMultiSelect = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    bool FHotTrack = false;
    TTabStyle FStyle = tsTabs;
    int FTabHeight = 0;
    int FTabWidth = 0;
    TCustomImageList* FImages = nullptr;
    TObjectPtr<TChangeLink> FImageLink;
    int FFirstTab = 0;
    mutable bool FLayoutValid = false;
    mutable std::vector<TTabPlace> FPlaces;
    mutable int FRows = 1;
    mutable bool FOverflow = false;
};

class TTabControl : public TCustomTabControl {
    DW_CLASS(TTabControl, TCustomTabControl)
    using TCustomTabControl::TCustomTabControl;
};

class TPageControl;

class TTabSheet : public TWinControl {
    DW_CLASS(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* owner);
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The index of the sheet's tab among the visible tabs, or -1.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool value) { FHighlighted = value; }

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    void ReadState(TReader* reader) override;
    void SetParentComponent(TComponent* value) override;
    void Dispatch(TMessage& message) override;

protected:
    void PaintWindow(HDC dc) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = 0;
    bool FHighlighted = false;
};

// A tab control whose tabs are its pages: the active page fills the display area, the others
// are hidden. Pages are its children (TTabSheet) and are written as its children in form files.
class TPageControl : public TCustomTabControl {
    DW_CLASS(TPageControl, TCustomTabControl)
    explicit TPageControl(TComponent* owner);
    void BeforeDestruction() override;

    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int value);
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    // The next (or previous) page after current, wrapping round; with checkTabVisible pages whose
    // tab is hidden are skipped. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void ShowControl(TControl* control) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void AlignControls(TControl* control, TRect& rect) override;

protected:
    friend class TTabSheet;
    void Change() override;
    int TabCount() const override;
    String TabCaption(int index) const override;
    int GetImageIndex(int tabIndex) override;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void UpdateTabs();
    // The page behind a visible tab.
    TTabSheet* PageOfTab(int tabIndex) const;
    void ChangeActivePage(TTabSheet* page);

private:
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FSizingPages = false;
};

// ---------------------------------------------------------------------------------------------
// Tool bars

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

// ---------------------------------------------------------------------------------------------
// Status bars

DW_ENUM(TStatusPanelStyle, psText, psOwnerDraw)
DW_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusBar;

class TStatusPanel : public TCollectionItem {
    DW_CLASS(TStatusPanel, TCollectionItem)
    explicit TStatusPanel(TCollection* collection);
    void Assign(const TPersistent* source) override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle value);
    const String& Text() const { return FText; }
    void SetText(const String& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);

protected:
    String GetDisplayName() const override;

private:
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    String FText;
    int FWidth = 50;
};

class TStatusPanels : public TOwnedCollection {
    DW_CLASS(TStatusPanels, TOwnedCollection)
    explicit TStatusPanels(TStatusBar* statusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* FStatusBar;
};

DW_EVENT(TDrawPanelEvent, (TStatusBar*, TStatusPanel*, const TRect&),
         "StatusBar: TStatusBar; Panel: TStatusPanel; const Rect: TRect");

class TStatusBar : public TCustomControl {
    DW_CLASS(TStatusBar, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* value) { FPanels->Assign(value); }
    // One panel showing SimpleText instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool value) { FAutoHint = value; }
    // The rectangle of a panel in client coordinates (the last one reaches the right edge).
    TRect PanelRect(int index) const;
    // The panel at a client point, or -1.
    int PanelAt(int x, int y) const;
    // The size grip's rectangle; empty when it is not shown.
    TRect GripRect() const;

    TDrawPanelEvent OnDrawPanel;
    TNotifyEvent OnHint;

    void Dispatch(TMessage& message) override;

protected:
    friend class TStatusPanels;
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);
    bool GripShown() const;

private:
    TObjectPtr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
    bool FAutoHint = false;
};

} // namespace dw
