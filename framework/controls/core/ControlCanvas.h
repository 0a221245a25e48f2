// TControlCanvas, a canvas over the device context of a control.
#pragma once

#include "framework/controls/graphics/Canvas.h"
#include "framework/platform/Types.h"

namespace dw {

class TControl;

// A canvas over a control's device context: the window's client DC for a windowed control, the
// parent's DC moved and clipped to the control for a non-windowed one. The DC is made when first
// drawn with and released by FreeHandle (and when the control's window goes).
class TControlCanvas : public TCanvas {
    DW_CLASS(TControlCanvas, TCanvas)
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value);
    void FreeHandle();
    // Releases the DCs every control canvas holds (after each message, and on idle).
    static void FreeDeviceContexts();

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

} // namespace dw
