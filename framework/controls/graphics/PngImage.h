// TPngImage: PNG pictures (any PNG libpng reads, alpha kept) read from and written to streams.
#pragma once

#include "framework/controls/graphics/Bitmap.h"

namespace dw {

// The pixels are a 32-bit bitmap; images with transparency keep it (premultiplied) and draw
// blended. Saving writes 8-bit RGB, or RGBA when the image has alpha.
class TPngImage : public TGraphic {
    DW_CLASS(TPngImage, TGraphic)
    TPngImage();
    ~TPngImage() override;

    // From another PNG image, or from a bitmap (keeping its alpha; a Transparent bitmap's
    // transparent colour becomes transparent), or any graphic (drawn over white).
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return FImage->Empty(); }
    int Width() const override { return FImage->Width(); }
    int Height() const override { return FImage->Height(); }
    void SetSize(int width, int height) override;
    void SetWidth(int value) override { SetSize(value, Height()); }
    void SetHeight(int value) override { SetSize(Width(), value); }
    bool HasAlpha() const { return FImage->AlphaFormat() != afIgnored; }

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas* canvas, const TRect& rect) override;

    // The pixels; drawing on its canvas changes the image.
    TBitmap* Bitmap() const { return FImage.get(); }

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    void ImageChanged(TObject* sender);
    TObjectPtr<TBitmap> FImage;
};

} // namespace dw
