// Damaged picture files of every format: loading either succeeds or raises EInvalidGraphic,
// never anything else and never a crash (run under the sanitizers to see memory errors).
#include "GraphicsFixture.h"

#include "framework/controls/graphics/Icon.h"
#include "framework/controls/graphics/JPEG.h"
#include "framework/controls/graphics/Metafile.h"
#include "framework/controls/graphics/PngImage.h"

#include <random>

using namespace dw;
using namespace dw::test;

namespace {

std::vector<Byte> Saved(TGraphic* graphic) {
    TMemoryStream stream;
    graphic->SaveToStream(stream);
    return stream.Bytes();
}

TObjectPtr<TBitmap> Picture(int width, int height) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(width, height, clWhite);
    bitmap->Canvas()->Brush()->SetColor(clNavy);
    bitmap->Canvas()->Ellipse(1, 1, width - 1, height - 1);
    bitmap->Canvas()->Pen()->SetColor(clRed);
    bitmap->Canvas()->MoveTo(0, height - 1);
    bitmap->Canvas()->LineTo(width, 0);
    return bitmap;
}

// Each damaged copy flips a few bytes or cuts the file short.
std::vector<std::vector<Byte>> Damaged(const std::vector<Byte>& good, unsigned seed, int count) {
    std::mt19937 random(seed);
    std::vector<std::vector<Byte>> out;
    for (int i = 0; i < count; ++i) {
        std::vector<Byte> bytes = good;
        if (i % 4 == 3) {
            bytes.resize(random() % bytes.size());
        } else {
            int flips = 1 + static_cast<int>(random() % 4);
            for (int f = 0; f < flips; ++f) {
                // Headers matter most: aim half of the damage at the first 64 bytes.
                size_t at = (random() % 2 ? random() % std::min<size_t>(64, bytes.size()) : random() % bytes.size());
                bytes[at] = static_cast<Byte>(random());
            }
        }
        out.push_back(std::move(bytes));
    }
    return out;
}

template <class T> void ExpectOnlyInvalidGraphic(const std::vector<Byte>& good, unsigned seed) {
    for (const std::vector<Byte>& bytes : Damaged(good, seed, 300)) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        stream.SetPosition(0);
        TObjectPtr<T> graphic = MakeObject<T>();
        try {
            graphic->LoadFromStream(stream);
            // Whatever was read can be drawn.
            TObjectPtr<TBitmap> target = MakeBitmap(8, 8, clWhite);
            target->Canvas()->StretchDraw({0, 0, 8, 8}, graphic.get());
        } catch (const EInvalidGraphic&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << T::StaticClass()->ClassName() << ": " << e.what();
        }
    }
}

TEST(GraphicRobustness, DamagedBitmaps) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit}) {
        TObjectPtr<TBitmap> bitmap = Picture(13, 9);
        bitmap->SetPixelFormat(format);
        ExpectOnlyInvalidGraphic<TBitmap>(Saved(bitmap.get()), 100 + format);
    }
}

TEST(GraphicRobustness, DamagedIcons) {
    TObjectPtr<TBitmap> bitmap = Picture(16, 16);
    bitmap->SetTransparent(true);
    TObjectPtr<TIcon> icon = MakeObject<TIcon>();
    icon->Assign(bitmap.get());
    ExpectOnlyInvalidGraphic<TIcon>(Saved(icon.get()), 7);
}

TEST(GraphicRobustness, DamagedJpegAndPng) {
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(Picture(24, 16).get());
    ExpectOnlyInvalidGraphic<TJPEGImage>(Saved(jpeg.get()), 11);
    jpeg->SetProgressiveEncoding(true);
    jpeg->Compress();
    ExpectOnlyInvalidGraphic<TJPEGImage>(Saved(jpeg.get()), 12);
    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(Picture(24, 16).get());
    ExpectOnlyInvalidGraphic<TPngImage>(Saved(png.get()), 13);
}

TEST(GraphicRobustness, DamagedMetafiles) {
    std::vector<Byte> emf(108, 0);
    auto put = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) emf[at + i] = static_cast<Byte>(v >> (8 * i));
    };
    put(0, 1);
    put(4, 88);
    put(32, 2540);
    put(36, 2540);
    put(40, 0x464D4520);
    put(48, 108);
    put(88, 14);
    put(92, 20);
    ExpectOnlyInvalidGraphic<TMetafile>(emf, 17);
}

} // namespace
