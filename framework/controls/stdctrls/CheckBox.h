// Check boxes.
#pragma once

#include "framework/controls/stdctrls/Button.h"

namespace dw {

DW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

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

} // namespace dw
