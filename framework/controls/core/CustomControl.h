// TCustomControl, a windowed control that paints itself on its canvas.
#pragma once

#include "framework/controls/core/WinControl.h"
#include "framework/controls/graphics/Canvas.h"

#include <memory>

namespace dw {

// A windowed control that paints itself on its Canvas in Paint.
class TCustomControl : public TWinControl {
    DW_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // Valid while painting; outside painting it draws on the window's client area (a DC of the
    // window is made on demand and released when the canvas is unlocked or the control repainted).
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TCanvas, TObjectDeleter> FCanvas;
};

} // namespace dw
