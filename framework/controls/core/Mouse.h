// The mouse object: position, capture and drag threshold.
#pragma once

#include "framework/platform/Types.h"

namespace dw {

// The mouse: its position, capture and drag threshold.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint value);
    HWND Capture() const;
    void SetCapture(HWND value);
    bool DragImmediate = true;
    int DragThreshold = 5;
    bool WheelPresent() const { return true; }
    int WheelScrollLines() const { return 3; }
};
extern TMouse* Mouse;

} // namespace dw
