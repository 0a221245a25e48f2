// Push buttons and what push buttons, check boxes and radio buttons share.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/stdctrls/StdPublish.h"

namespace dw {

// What push buttons, check boxes and radio buttons share: pressing with the mouse (pushed while
// the button is down and the mouse inside) and with the Space key, accelerators, and the focus
// rectangle. A control in design state does not press.
class TButtonControl : public TCustomControl {
    DW_CLASS(TButtonControl, TCustomControl)
    explicit TButtonControl(TComponent* owner);

    bool Pressed() const { return FPressed; }
    void Dispatch(TMessage& message) override;

protected:
    // What a completed press does (a button clicks, a check box toggles).
    virtual void Press() = 0;
    // Whether the second press of a double click is a double click (OnDblClick) rather than
    // another press; push buttons and check boxes take it as another press.
    virtual bool ReportsDoubleClicks() const { return false; }
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void CancelPress();
    void SetPressed(bool value);

    bool FPressed = false;
    bool FMouseDown = false;
    bool FSpaceDown = false;
};

class TButton : public TButtonControl {
    DW_CLASS(TButton, TButtonControl)
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Whether Enter presses this button now (the default button while no other button has the
    // focus, or the focused button).
    bool Active() const { return FActive; }

    // Sets the parent form's ModalResult (when this button has one), then fires OnClick.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Press() override { Click(); }
    void Paint() override;
    // Draws the face and frame, and returns the rectangle left for the content.
    TRect DrawButtonFace();
    bool FActive = false;

private:
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

} // namespace dw
