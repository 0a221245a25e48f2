#include "designer/DesignSurface.h"

namespace dw {

DW_DEFINE_CLASS(TDesignSurface) {
    PublishControlProperties(c, {"Align", "Anchors", "Color", "Visible"});
}

TDesignSurface::TDesignSurface(TComponent* owner) : TCustomControl(owner) {
    FControlStyle += csAcceptsControls;
}

void TDesignSurface::SetForm(TCustomForm* form) {
    if (FForm == form) return;
    if (FForm) FForm->RemoveFreeNotification(this);
    FForm = form;
    if (form) form->FreeNotification(this);
}

void TDesignSurface::SetFrameGrips(bool value) {
    if (FFrameGrips == value) return;
    FFrameGrips = value;
    Invalidate();
}

void TDesignSurface::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FForm) FForm = nullptr;
}

} // namespace dw
