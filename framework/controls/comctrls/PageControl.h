// Page controls and their tab sheets.
#pragma once

#include "framework/controls/comctrls/TabControl.h"
#include "framework/controls/core/WinControl.h"

#include <vector>

namespace dw {

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

} // namespace dw
