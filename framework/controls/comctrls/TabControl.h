// Tab controls: a row (or rows) of tabs along one side of a three-dimensional frame.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/stdctrls/StdPublish.h"
#include "framework/rtl/StringList.h"

#include <vector>

namespace dw {

DW_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)
DW_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons)
DW_EVENT(TTabChangingEvent, (TObject*, bool&), "Sender: TObject; var AllowChange: Boolean");
DW_EVENT(TTabGetImageEvent, (TObject*, int, int&), "Sender: TObject; TabIndex: Integer; var ImageIndex: Integer");
DW_EVENT(TDrawTabEvent, (class TCustomTabControl*, int, const TRect&, bool),
         "Control: TCustomTabControl; TabIndex: Integer; const Rect: TRect; Active: Boolean");

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

} // namespace dw
