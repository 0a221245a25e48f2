#include "framework/controls/core/PlaceholderControl.h"

#include "framework/rtl/KeptState.h"

namespace dw {

DW_DEFINE_CLASS(TPlaceholderControl) {}

TPlaceholderControl::TPlaceholderControl(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque};
}

String TPlaceholderControl::StoredClassName() const {
    return Kept() ? Kept()->ClassName : ClassName();
}

String TPlaceholderControl::Label() const {
    return Name() + ": " + StoredClassName();
}

void TPlaceholderControl::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(r);
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    TRect text{r.Left + 4, r.Top + 2, r.Right - 4, r.Bottom - 2};
    canvas->TextRect(text, text.Left, text.Top, Label());
}

} // namespace dw
