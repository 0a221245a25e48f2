// TzBoundCtrl: the designer's selection-marker settings (published as SelMarker) and the handle
// set that surrounds the one selected control.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/controls/graphics/Bitmap.h"

#include <array>

namespace dw {

class TzCustomFormDesigner;

// msReactangle is spelled so on purpose: stored forms and callers use this name.
DW_ENUM(TMarkerShape, msReactangle, msCircle, msRoundRect)

class TzBoundCtrl : public TPersistent {
    DW_CLASS(TzBoundCtrl, TPersistent)
    // Loads the default handle picture from the bitmap resource "SELMARK" (a missing resource
    // leaves Bitmap empty).
    explicit TzBoundCtrl(TzCustomFormDesigner* designer = nullptr);
    ~TzBoundCtrl() override;
    // From another marker set: Color, GrabSize, Bitmap and MarkerShape, then the handles are rebuilt.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // 0..50; other values are ignored.
    int GrabSize() const { return FGrabSize; }
    void SetGrabSize(int value);
    TMarkerShape MarkerShape() const { return FMarkerShape; }
    void SetMarkerShape(TMarkerShape value);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* value);
    bool Local() const { return FLocal; }
    void SetLocal(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool DrawMultSel() const { return FDrawMultSel; }
    void SetDrawMultSel(bool value);

    TzCustomFormDesigner* Designer() const { return FDesigner; }
    // The control the handles surround, or null.
    TControl* Target() const { return FTarget; }
    void SetTarget(TControl* target);
    bool LockedLook() const { return FLockedLook; }
    void SetLockedLook(bool value);

    // The handle windows themselves come with the marker windows; until then these keep the
    // state (target, look) and there are no handle windows to place, paint or find.
    void UpdateMarkers();
    void DestroyMarkers();
    void RebuildMarkers();
    void RepaintMarkers();
    void HideMarkers();
    // The handle window at a screen point, or null.
    TControl* MarkerAt(TPoint screenPos) const;

private:
    TzCustomFormDesigner* FDesigner;
    TColor FColor = clBlack;
    int FGrabSize = 7;
    TMarkerShape FMarkerShape = msRoundRect;
    TObjectPtr<TBitmap> FBitmap;
    bool FLocal = true;
    bool FVisible = true;
    bool FDrawMultSel = true;
    bool FLockedLook = false;
    TControl* FTarget = nullptr;
    // Slots 1..8: the handle windows (slot 0 is FTarget).
    std::array<TControl*, 9> FHandles{};
};

} // namespace dw
