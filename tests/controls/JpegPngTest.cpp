#include "GraphicsFixture.h"

#include "framework/controls/graphics/JPEG.h"
#include "framework/controls/graphics/PngImage.h"

#include <cstdlib>

using namespace dw;
using namespace dw::test;

namespace {

// Smooth colour ramps, as photographs have, so JPEG keeps them closely.
TObjectPtr<TBitmap> Gradient(int width, int height) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(width, height, clWhite);
    TSurface& s = *bitmap->Surface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.At(x, y) = PixelFromColor(RGB(x * 255 / (width - 1), y * 255 / (height - 1), 128));
    return bitmap;
}

int MaxDifference(TBitmap* a, TBitmap* b) {
    int worst = 0;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) {
            COLORREF p = PixelOf(a, x, y), q = PixelOf(b, x, y);
            worst = std::max({worst, std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
                              std::abs(GetBValue(p) - GetBValue(q))});
        }
    return worst;
}

std::vector<Byte> SaveGraphic(TGraphic* graphic) {
    TMemoryStream stream;
    graphic->SaveToStream(stream);
    return stream.Bytes();
}

template <class T> TObjectPtr<T> LoadGraphic(const std::vector<Byte>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    TObjectPtr<T> graphic = MakeObject<T>();
    graphic->LoadFromStream(stream);
    return graphic;
}

struct ProgressLog : TObject {
    std::vector<std::pair<TProgressStage, int>> Calls;
    void Progress(TObject*, TProgressStage stage, Byte percent, bool, const TRect&, const String&) {
        Calls.emplace_back(stage, percent);
    }
};

TEST(Jpeg, EncodeDecodeRoundTripStaysWithinTolerance) {
    TObjectPtr<TBitmap> original = Gradient(64, 48);
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(original.get());
    EXPECT_EQ(jpeg->CompressionQuality(), 90);
    std::vector<Byte> data = SaveGraphic(jpeg.get());
    ASSERT_GT(data.size(), 100u);
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);
    TObjectPtr<TJPEGImage> read = LoadGraphic<TJPEGImage>(data);
    EXPECT_EQ(read->Width(), 64);
    EXPECT_EQ(read->Height(), 48);
    TObjectPtr<TBitmap> decoded = MakeObject<TBitmap>();
    decoded->Assign(read.get());
    EXPECT_LE(MaxDifference(original.get(), decoded.get()), 12);
    // Saving what was loaded writes the same data.
    EXPECT_EQ(SaveGraphic(read.get()), data);
}

TEST(Jpeg, QualityGreyscaleProgressiveAndScale) {
    TObjectPtr<TBitmap> original = Gradient(64, 64);
    auto encode = [&](int quality, bool grey, bool progressive) {
        TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
        jpeg->SetCompressionQuality(quality);
        jpeg->SetGrayscale(grey);
        jpeg->SetProgressiveEncoding(progressive);
        jpeg->Assign(original.get());
        return SaveGraphic(jpeg.get());
    };
    EXPECT_LT(encode(10, false, false).size(), encode(95, false, false).size());
    EXPECT_THROW(MakeObject<TJPEGImage>()->SetCompressionQuality(0), EInvalidArgument);

    TObjectPtr<TJPEGImage> grey = LoadGraphic<TJPEGImage>(encode(90, true, false));
    TObjectPtr<TBitmap> pixels = MakeObject<TBitmap>();
    pixels->Assign(grey.get());
    COLORREF c = PixelOf(pixels.get(), 40, 10);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));

    std::vector<Byte> progressive = encode(90, false, true);
    TObjectPtr<TJPEGImage> read = LoadGraphic<TJPEGImage>(progressive);
    pixels->Assign(read.get());
    EXPECT_LE(MaxDifference(original.get(), pixels.get()), 12);

    read->SetScale(jsHalf);
    EXPECT_EQ(read->Width(), 32);
    read->SetScale(jsEighth);
    EXPECT_EQ(read->Height(), 8);
}

TEST(Jpeg, CorruptAndTruncatedDataRaiseInvalidGraphic) {
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(Gradient(32, 32).get());
    std::vector<Byte> good = SaveGraphic(jpeg.get());

    std::vector<Byte> notJpeg{'B', 'M', 1, 2, 3, 4, 5, 6};
    std::vector<Byte> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    // A 12-bit frame header: this libjpeg decodes 8-bit samples only.
    std::vector<Byte> badPrecision = good;
    for (size_t i = 0; i + 4 < badPrecision.size(); ++i)
        if (badPrecision[i] == 0xFF && badPrecision[i + 1] == 0xC0) {
            badPrecision[i + 4] = 12;
            break;
        }
    struct Case {
        const char* What;
        std::vector<Byte> Bytes;
        const char* Message;
    };
    const Case cases[] = {
        {"not a JPEG", notJpeg, "Not a JPEG file"},
        {"truncated", truncated, "truncated"},
        {"bad precision", badPrecision, "JPEG image is not valid: Unsupported JPEG data precision 12"},
        {"empty", {}, "empty"},
    };
    for (const Case& c : cases) {
        TObjectPtr<TJPEGImage> target = MakeObject<TJPEGImage>();
        target->Assign(Gradient(4, 4).get());
        try {
            LoadGraphic<TJPEGImage>(c.Bytes);
            ADD_FAILURE() << c.What;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << c.What << ": " << e.Message();
        }
        // A failed load keeps what the image held.
        TMemoryStream stream;
        stream.WriteBuffer(c.Bytes.data(), static_cast<Int64>(c.Bytes.size()));
        stream.SetPosition(0);
        EXPECT_THROW(target->LoadFromStream(stream), EInvalidGraphic);
        EXPECT_EQ(target->Width(), 4) << c.What;
    }
}

TEST(Jpeg, ProgressEventsRunFromStartToEnd) {
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(Gradient(64, 64).get());
    std::vector<Byte> data = SaveGraphic(jpeg.get());
    ProgressLog log;
    TObjectPtr<TJPEGImage> read = MakeObject<TJPEGImage>();
    read->OnProgress = MakeMethod<&ProgressLog::Progress>(&log);
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
    stream.SetPosition(0);
    read->LoadFromStream(stream);
    ASSERT_GE(log.Calls.size(), 3u);
    EXPECT_EQ(log.Calls.front().first, psStarting);
    EXPECT_EQ(log.Calls.back().first, psEnding);
    EXPECT_EQ(log.Calls.back().second, 100);
    int running = 0, last = -1;
    for (auto [stage, percent] : log.Calls)
        if (stage == psRunning) {
            ++running;
            EXPECT_GE(percent, last);
            last = percent;
        }
    EXPECT_GT(running, 0);
}

TEST(Jpeg, AnExceptionInAProgressHandlerComesThroughUnchanged) {
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(Gradient(64, 64).get());
    struct Canceller : TObject {
        void Progress(TObject*, TProgressStage stage, Byte, bool, const TRect&, const String&) {
            if (stage == psRunning) throw EAbortTest("cancelled");
        }
        DW_DECLARE_EXCEPTION(EAbortTest, Exception);
    } canceller;
    jpeg->OnProgress = MakeMethod<&Canceller::Progress>(&canceller);
    TMemoryStream stream;
    EXPECT_THROW(jpeg->SaveToStream(stream), Canceller::EAbortTest);
}

TEST(Png, RoundTripKeepsPixelsAndAlpha) {
    TObjectPtr<TBitmap> original = Gradient(20, 10);
    TSurface& s = *original->Surface();
    s.At(3, 3) = 0x00000000; // fully transparent
    s.At(4, 3) = 0x80800000; // half-transparent red, premultiplied
    original->SetAlphaFormat(afPremultiplied);
    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(original.get());
    EXPECT_TRUE(png->HasAlpha());
    std::vector<Byte> data = SaveGraphic(png.get());
    EXPECT_EQ(data[1], 'P');
    TObjectPtr<TPngImage> read = LoadGraphic<TPngImage>(data);
    EXPECT_TRUE(read->HasAlpha());
    EXPECT_EQ(read->Width(), 20);
    const TSurface& r = *read->Bitmap()->Surface();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) EXPECT_EQ(r.At(x, y), s.At(x, y)) << x << "," << y;

    // Opaque images stay opaque, and a Transparent bitmap's key colour becomes transparent.
    TObjectPtr<TBitmap> keyed = MakeBitmap(4, 4, clFuchsia);
    keyed->Canvas()->SetPixels(1, 1, clBlue);
    TObjectPtr<TPngImage> opaque = MakeObject<TPngImage>();
    opaque->Assign(keyed.get());
    EXPECT_FALSE(opaque->HasAlpha());
    keyed->SetTransparent(true);
    TObjectPtr<TPngImage> cut = MakeObject<TPngImage>();
    cut->Assign(keyed.get());
    EXPECT_TRUE(cut->HasAlpha());
    EXPECT_EQ(cut->Bitmap()->Surface()->At(0, 0), 0u);
    EXPECT_EQ(cut->Bitmap()->Surface()->At(1, 1), 0xFF0000FFu);
}

TEST(Png, CorruptDataRaisesInvalidGraphic) {
    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(Gradient(8, 8).get());
    std::vector<Byte> good = SaveGraphic(png.get());
    std::vector<Byte> truncated(good.begin(), good.begin() + 40);
    std::vector<Byte> garbage{0x89, 'P', 'N', 'G', 1, 2, 3};
    std::vector<Byte> badCrc = good;
    badCrc[good.size() / 2] ^= 0xFF;
    for (const auto& bytes : {truncated, garbage, badCrc, std::vector<Byte>{}}) {
        try {
            LoadGraphic<TPngImage>(bytes);
            ADD_FAILURE() << bytes.size() << " bytes read without error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find("PNG"), String::npos) << e.Message();
        }
    }
}

} // namespace
