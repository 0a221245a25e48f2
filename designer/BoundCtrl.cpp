#include "designer/BoundCtrl.h"

#include "designer/FormDesigner.h"

namespace dw {

DW_DEFINE_CLASS(TzBoundCtrl) {
    c.Property("Color", &TzBoundCtrl::Color, &TzBoundCtrl::SetColor).Type(ColorTypeInfo()).Default(clBlack);
    c.Property("GrabSize", &TzBoundCtrl::GrabSize, &TzBoundCtrl::SetGrabSize).Default(7);
    c.Property("MarkerShape", &TzBoundCtrl::MarkerShape, &TzBoundCtrl::SetMarkerShape).Default(msRoundRect);
    c.Property("Bitmap", &TzBoundCtrl::Bitmap, &TzBoundCtrl::SetBitmap);
    c.Property("Local", &TzBoundCtrl::Local, &TzBoundCtrl::SetLocal).Default(true);
    c.Property("Visible", &TzBoundCtrl::Visible, &TzBoundCtrl::SetVisible).Default(true);
    c.Property("DrawMultSel", &TzBoundCtrl::DrawMultSel, &TzBoundCtrl::SetDrawMultSel).Default(true);
}

TzBoundCtrl::TzBoundCtrl(TzCustomFormDesigner* designer) : FDesigner(designer), FBitmap(New<TBitmap>()) {
    try {
        FBitmap->LoadFromResourceName("SELMARK");
    } catch (const Exception&) {
        // Without the picture the handles are drawn as plain rectangles.
    }
}

TzBoundCtrl::~TzBoundCtrl() = default;

TPersistent* TzBoundCtrl::GetOwner() const {
    return FDesigner;
}

void TzBoundCtrl::Assign(const TPersistent* source) {
    if (auto* other = As<TzBoundCtrl>(source)) {
        FColor = other->FColor;
        FGrabSize = other->FGrabSize;
        FBitmap->Assign(other->FBitmap.get());
        FMarkerShape = other->FMarkerShape;
        RebuildMarkers();
        return;
    }
    TPersistent::Assign(source);
}

void TzBoundCtrl::SetColor(TColor value) {
    FColor = value;
    RepaintMarkers();
}

void TzBoundCtrl::SetGrabSize(int value) {
    if (value < 0 || value > 50 || value == FGrabSize) return;
    FGrabSize = value;
    RebuildMarkers();
}

void TzBoundCtrl::SetMarkerShape(TMarkerShape value) {
    FMarkerShape = value;
    RebuildMarkers();
}

void TzBoundCtrl::SetBitmap(TBitmap* value) {
    FBitmap->Assign(value);
    RepaintMarkers();
}

void TzBoundCtrl::SetLocal(bool value) {
    FLocal = value;
    RebuildMarkers();
}

void TzBoundCtrl::SetVisible(bool value) {
    FVisible = value;
    if (value)
        UpdateMarkers();
    else
        HideMarkers();
}

void TzBoundCtrl::SetDrawMultSel(bool value) {
    FDrawMultSel = value;
    if (FDesigner && FDesigner->Selection().size() > 1)
        if (TCustomForm* form = FDesigner->DesignForm()) form->Invalidate();
}

void TzBoundCtrl::SetTarget(TControl* target) {
    if (!target || !FTarget || target->Parent() != FTarget->Parent()) DestroyMarkers();
    FTarget = target;
    UpdateMarkers();
}

void TzBoundCtrl::SetLockedLook(bool value) {
    if (value == FLockedLook) return;
    FLockedLook = value;
    RepaintMarkers();
}

void TzBoundCtrl::UpdateMarkers() {
    // No handle windows exist yet, so there is nothing to create, move or show.
}

void TzBoundCtrl::DestroyMarkers() {
    for (size_t i = 1; i < FHandles.size(); ++i) FHandles[i] = nullptr;
}

void TzBoundCtrl::RebuildMarkers() {
    DestroyMarkers();
    UpdateMarkers();
}

void TzBoundCtrl::RepaintMarkers() {
    for (size_t i = 1; i < FHandles.size(); ++i)
        if (FHandles[i]) FHandles[i]->Invalidate();
}

void TzBoundCtrl::HideMarkers() {}

TControl* TzBoundCtrl::MarkerAt(TPoint screenPos) const {
    for (size_t i = 1; i < FHandles.size(); ++i) {
        TControl* h = FHandles[i];
        if (h && h->IsVisibleOnScreen()) {
            TPoint origin = h->ClientToScreen(TPoint{0, 0});
            if (Bounds(origin.X, origin.Y, h->Width(), h->Height()).Contains(screenPos)) return h;
        }
    }
    return nullptr;
}

} // namespace dw
