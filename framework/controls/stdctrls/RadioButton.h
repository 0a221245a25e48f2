// Radio buttons.
#pragma once

#include "framework/controls/stdctrls/Button.h"

namespace dw {

class TRadioButton : public TButtonControl {
    DW_CLASS(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool Checked() const { return FChecked; }
    // Checking a radio button unchecks the other radio buttons of its parent and fires OnClick.
    void SetChecked(bool value);
    void Dispatch(TMessage& message) override;

protected:
    void Press() override { SetChecked(true); }
    bool ReportsDoubleClicks() const override { return true; }
    void Paint() override;
    void KeyDown(Word& key, TShiftState shift) override;

private:
    TAlignment FAlignment = taRightJustify;
    bool FChecked = false;
};

} // namespace dw
