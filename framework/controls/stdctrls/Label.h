// Labels: text on the parent's surface, with an accelerator that focuses another control.
#pragma once

#include "framework/controls/core/GraphicControl.h"
#include "framework/controls/core/WinControl.h"
#include "framework/controls/stdctrls/StdPublish.h"

namespace dw {

DW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)

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

} // namespace dw
