// TGraphicControl, a control without a window that paints on its parent's window.
//
// Non-windowed controls (TGraphicControl) get their mouse messages from their parent, which
// forwards each mouse message to the child under the mouse (or the one that captured it) with the
// point converted to the child's client coordinates, and their paint messages as
// WM_PAINT with the parent's DC (origin moved to the child, clipped to it) in WPARAM.
#pragma once

#include "framework/controls/core/Control.h"
#include "framework/controls/graphics/Canvas.h"

#include <memory>

namespace dw {

// A control without a window; it paints on its parent's window through its Canvas.
class TGraphicControl : public TControl {
    DW_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Valid while painting (Paint); a canvas over the parent's DC at other times.
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& message);

private:
    std::unique_ptr<TCanvas, TObjectDeleter> FCanvas;
};

} // namespace dw
