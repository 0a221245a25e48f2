// TMetafile: enhanced (EMF) and Windows (WMF) metafiles kept as data. The windowing core has no
// metafile player, so drawing shows a placeholder frame of the picture's size; loading, saving,
// streaming and the size from the file's header work.
#pragma once

#include "framework/controls/graphics/Graphic.h"

#include <vector>

namespace dw {

class TMetafile : public TGraphic {
    DW_CLASS(TMetafile, TGraphic)
    TMetafile();

    void Assign(const TPersistent* source) override;

    bool Empty() const override { return FData.empty(); }
    // In pixels at 96 DPI: from the header's frame (EMF) or bounding box (placeable WMF); a WMF
    // without placeable header has no size until one is set.
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    // The size in 0.01 mm.
    int MMWidth() const;
    int MMHeight() const;
    // True for EMF data (and for an empty metafile, which saves as nothing).
    bool Enhanced() const { return FEnhanced; }

    // Reads exactly the metafile the header describes; the data is saved back unchanged.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas* canvas, const TRect& rect) override;

    const std::vector<Byte>& Data() const { return FData; }

private:
    std::vector<Byte> FData;
    int FWidth = 0;
    int FHeight = 0;
    bool FEnhanced = true;
};

} // namespace dw
