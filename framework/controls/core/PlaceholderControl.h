// TPlaceholderControl: stands in for a stored control whose class the program does not have. It
// keeps the stored bounds, holds the stored children and draws as a framed box naming what it
// stands for; the reader keeps the rest of its stored form (framework/rtl/KeptState.h).
#pragma once

#include "framework/controls/core/CustomControl.h"

namespace dw {

class TPlaceholderControl : public TCustomControl {
    DW_CLASS(TPlaceholderControl, TCustomControl)
    explicit TPlaceholderControl(TComponent* owner);

    // The class name it was stored with.
    String StoredClassName() const;
    // "Name: ClassName", what the box shows.
    String Label() const;

protected:
    void Paint() override;
};

} // namespace dw
