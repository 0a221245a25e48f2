// Group boxes.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/stdctrls/StdPublish.h"

namespace dw {

class TCustomGroupBox : public TCustomControl {
    DW_CLASS(TCustomGroupBox, TCustomControl)
    explicit TCustomGroupBox(TComponent* owner);
    void AdjustClientRect(TRect& rect) const override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    DW_CLASS(TGroupBox, TCustomGroupBox)
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace dw
