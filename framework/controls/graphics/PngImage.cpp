#include "framework/controls/graphics/PngImage.h"

#include "framework/controls/graphics/DibFormat.h"
#include "framework/platform/gdi/Png.h"

#include <cstring>

namespace dw {

DW_DEFINE_CLASS(TPngImage) {}

TPngImage::TPngImage() : FImage(MakeObject<TBitmap>()) {
    FImage->OnChange = MakeMethod<&TPngImage::ImageChanged>(this);
}

TPngImage::~TPngImage() = default;

void TPngImage::ImageChanged(TObject*) {
    Changed();
}

void TPngImage::Assign(const TPersistent* source) {
    if (auto* png = As<TPngImage>(source)) {
        if (png != this) FImage->Assign(png->FImage.get());
        return;
    }
    if (auto* bitmap = As<TBitmap>(source)) {
        TObjectPtr<TBitmap> copy = MakeObject<TBitmap>();
        copy->Assign(bitmap);
        if (!copy->Empty()) {
            copy->SetMonochrome(false);
            copy->SetPixelFormat(pf32bit);
            if (copy->AlphaFormat() == afIgnored && bitmap->Transparent()) {
                COLORREF key = ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF;
                TSurface& s = *copy->Surface();
                for (int y = 0; y < s.Height(); ++y) {
                    TPixel* row = s.Row(y);
                    for (int x = 0; x < s.Width(); ++x)
                        if (ColorFromPixel(row[x]) == key) row[x] = 0;
                }
                copy->SetAlphaFormat(afPremultiplied);
            }
            copy->SetTransparent(false);
        }
        FImage->Assign(copy.get());
        return;
    }
    if (!source) {
        FImage->Assign(nullptr);
        return;
    }
    TGraphic::Assign(source);
}

void TPngImage::AssignTo(TPersistent* dest) const {
    if (auto* bitmap = As<TBitmap>(dest)) {
        bitmap->Assign(FImage.get());
        return;
    }
    TGraphic::AssignTo(dest);
}

void TPngImage::SetSize(int width, int height) {
    FImage->SetSize(width, height);
}

void TPngImage::LoadFromStream(TStream& stream) {
    Int64 size = dib::Remaining(stream);
    if (size <= 0) throw EInvalidGraphic("PNG image is not valid: the data is empty");
    std::vector<Byte> data(static_cast<size_t>(size));
    dib::ReadExact(stream, data.data(), size, "the PNG data");
    TSurface pixels;
    bool hasAlpha = false;
    try {
        pixels = DecodePng(data.data(), data.size(), &hasAlpha);
    } catch (const EInvalidGraphic&) {
        throw;
    } catch (const Exception& e) {
        throw EInvalidGraphic(Format("PNG image is not valid: %s", e.Message()));
    }
    if (pixels.IsEmpty()) throw EInvalidGraphic("PNG image is not valid: it has no pixels");
    HBITMAP image = dib::CreateDib(pixels.Width(), pixels.Height(), 0);
    TSurface& to = *GetBitmapSurface(image);
    for (int y = 0; y < pixels.Height(); ++y)
        std::memcpy(to.Row(y), pixels.Row(y), sizeof(TPixel) * static_cast<size_t>(pixels.Width()));
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetHandle(image);
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetAlphaFormat(hasAlpha ? afPremultiplied : afIgnored);
    FImage->Assign(bitmap.get());
}

void TPngImage::SaveToStream(TStream& stream) {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty PNG image");
    std::vector<std::uint8_t> data;
    try {
        data = EncodePng(*FImage->Surface(), nullptr, HasAlpha());
    } catch (const Exception& e) {
        throw EInvalidGraphic(Format("PNG image cannot be written: %s", e.Message()));
    }
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TPngImage::Draw(TCanvas* canvas, const TRect& rect) {
    FImage->Draw(canvas, rect);
}

} // namespace dw
