// TIcon: icons read from and written to ICO files (uncompressed entries of any depth with their
// masks, and PNG-compressed entries) and drawn with their transparency.
#pragma once

#include "framework/controls/graphics/Bitmap.h"

#include <vector>

namespace dw {

// Of the images an icon file holds, the largest is used (the deepest of equal size). Saving an
// icon that was loaded writes the file back unchanged; an icon made from a bitmap is saved as one
// 32-bit entry with alpha and mask.
class TIcon : public TGraphic {
    DW_CLASS(TIcon, TGraphic)
    TIcon();
    ~TIcon() override;

    // From another icon, or from a bitmap (its alpha, or else its transparent colour when it is
    // Transparent, becomes the icon's transparency).
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return FImage->Empty(); }
    int Width() const override { return FImage->Width(); }
    int Height() const override { return FImage->Height(); }

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas* canvas, const TRect& rect) override;

    // The pixels (32-bit, premultiplied alpha) of the image in use.
    const TBitmap* Image() const { return FImage.get(); }

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    TObjectPtr<TBitmap> FImage;
    std::vector<Byte> FData; // the file as loaded
};

} // namespace dw
