// Status bars and their panels.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/stdctrls/StdPublish.h"
#include "framework/rtl/Collection.h"

#include <vector>

namespace dw {

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
