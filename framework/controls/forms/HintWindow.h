// The hint window: the pop-up that shows hints.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/platform/window/Messages.h"

namespace dw {

// The pop-up that shows hints: top-most, takes no activation, multi-line text on clInfoBk.
class THintWindow : public TCustomControl {
    DW_CLASS(THintWindow, TCustomControl)
    explicit THintWindow(TComponent* owner);
    // Shows hint in rect (screen coordinates) without taking the activation.
    virtual void ActivateHint(TRect rect, const String& hint);
    virtual void ActivateHintData(TRect rect, const String& hint, void* data);
    // The rectangle (at 0, 0) the hint needs, wrapping at maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const String& hint, void* data);
    // Whether msg (retrieved from the queue) should hide the hint.
    virtual bool IsHintMsg(const TMsg& msg);
    void ReleaseHandle();
    bool Activating() const { return FActivating; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void Dispatch(TMessage& message) override;

private:
    bool FActivating = false;
};
using THintWindowClass = TClass;

} // namespace dw
