// TJPEGImage: JPEG pictures through libjpeg, read from and written to streams, with quality,
// greyscale, progressive encoding, scaled decoding and progress events.
#pragma once

#include "framework/controls/graphics/Bitmap.h"

#include <vector>

namespace dw {

DW_ENUM(TJPEGScale, jsFullSize, jsHalf, jsQuarter, jsEighth)
DW_ENUM(TJPEGPerformance, jpBestQuality, jpBestSpeed)

// The image keeps its compressed data and the decoded pixels. Loading decodes at once, so a
// corrupt file fails in LoadFromStream (EInvalidGraphic), never later while drawing. Saving writes
// the data as loaded; an image assigned from a bitmap is compressed (with CompressionQuality,
// Grayscale and ProgressiveEncoding) when first saved, and Compress re-encodes on request.
class TJPEGImage : public TGraphic {
    DW_CLASS(TJPEGImage, TGraphic)
    TJPEGImage();
    ~TJPEGImage() override;

    // From another JPEG image, or from a bitmap (or any graphic, drawn over white).
    void Assign(const TPersistent* source) override;

    bool Empty() const override;
    // The decoded size (reduced by Scale).
    int Width() const override;
    int Height() const override;

    // 1 to 100.
    int CompressionQuality() const { return FCompressionQuality; }
    void SetCompressionQuality(int value);
    // Decodes to grey and encodes in grey.
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool value);
    bool ProgressiveEncoding() const { return FProgressiveEncoding; }
    void SetProgressiveEncoding(bool value) { FProgressiveEncoding = value; }
    // Decoding at 1/2, 1/4 or 1/8 of the size.
    TJPEGScale Scale() const { return FScale; }
    void SetScale(TJPEGScale value);
    TJPEGPerformance Performance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance value);

    // Encodes the pixels again with the current settings.
    void Compress();
    // The decoded pixels (null while empty).
    TBitmap* Bitmap();
    // The compressed data (compressing first when needed).
    const std::vector<Byte>& Data();

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas* canvas, const TRect& rect) override;

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    void Decode();
    void ReportProgress(TProgressStage stage, int percent);

    std::vector<Byte> FData;
    TObjectPtr<TBitmap> FBitmap;
    int FCompressionQuality = 90;
    bool FGrayscale = false;
    bool FProgressiveEncoding = false;
    TJPEGScale FScale = jsFullSize;
    TJPEGPerformance FPerformance = jpBestQuality;
};

} // namespace dw
