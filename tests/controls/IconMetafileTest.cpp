#include "GraphicsFixture.h"

#include "framework/controls/graphics/Icon.h"
#include "framework/controls/graphics/Metafile.h"
#include "framework/controls/graphics/PngImage.h"

using namespace dw;
using namespace dw::test;

namespace {

void Put16(std::vector<Byte>& out, std::uint32_t v) {
    out.push_back(static_cast<Byte>(v));
    out.push_back(static_cast<Byte>(v >> 8));
}
void Put32(std::vector<Byte>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// An icon entry of the classic kind: info header (doubled height), colour table, XOR bits, AND mask.
std::vector<Byte> DibEntry(int size, int bitCount, const std::vector<std::uint32_t>& palette,
                           const std::function<std::uint32_t(int, int)>& pixel,
                           const std::function<bool(int, int)>& transparent) {
    std::vector<Byte> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(size * 2));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitCount));
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (std::uint32_t c : palette) Put32(out, c);
    const int rowBytes = ((size * bitCount + 31) / 32) * 4;
    for (int r = size - 1; r >= 0; --r) {
        std::vector<Byte> row(static_cast<size_t>(rowBytes), 0);
        for (int x = 0; x < size; ++x) {
            std::uint32_t v = pixel(x, r);
            if (bitCount == 4)
                row[x / 2] |= static_cast<Byte>(v << (x % 2 ? 0 : 4));
            else
                for (int i = 0; i < 4; ++i) row[4 * x + i] = static_cast<Byte>(v >> (8 * i));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    const int maskBytes = ((size + 31) / 32) * 4;
    for (int r = size - 1; r >= 0; --r) {
        std::vector<Byte> row(static_cast<size_t>(maskBytes), 0);
        for (int x = 0; x < size; ++x)
            if (transparent(x, r)) row[x / 8] |= static_cast<Byte>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<Byte> IconFile(const std::vector<std::vector<Byte>>& entries, const std::vector<int>& sizes) {
    std::vector<Byte> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        out.push_back(static_cast<Byte>(sizes[i] & 0xFF));
        out.push_back(static_cast<Byte>(sizes[i] & 0xFF));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

template <class T> TObjectPtr<T> Load(const std::vector<Byte>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    TObjectPtr<T> graphic = MakeObject<T>();
    graphic->LoadFromStream(stream);
    return graphic;
}

std::vector<Byte> Save(TGraphic* graphic) {
    TMemoryStream stream;
    graphic->SaveToStream(stream);
    return stream.Bytes();
}

// 16 x 16, 4 bits: a red square with a transparent border of 2 pixels.
std::vector<Byte> SixteenColourEntry() {
    return DibEntry(
        16, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        [](int, int) { return 1u; }, [](int x, int y) { return x < 2 || y < 2 || x >= 14 || y >= 14; });
}

TEST(Icon, MaskedSixteenColourEntryDrawsWithItsMask) {
    TObjectPtr<TIcon> icon = Load<TIcon>(IconFile({SixteenColourEntry()}, {16}));
    EXPECT_EQ(icon->Width(), 16);
    EXPECT_TRUE(icon->Transparent());
    TObjectPtr<TBitmap> canvas = MakeBitmap(20, 20, clWhite);
    canvas->Canvas()->Draw(2, 2, icon.get());
    EXPECT_EQ(PixelOf(canvas.get(), 3, 3), RGB(255, 255, 255)) << "the masked border shows the background";
    EXPECT_EQ(PixelOf(canvas.get(), 10, 10), RGB(255, 0, 0));
}

TEST(Icon, TheLargestAndDeepestEntryIsUsed) {
    auto deep = DibEntry(
        32, 32, {}, [](int x, int) { return x < 16 ? 0xFF00FF00u : 0x800000FFu; }, [](int, int) { return false; });
    TObjectPtr<TIcon> icon = Load<TIcon>(IconFile({SixteenColourEntry(), deep}, {16, 32}));
    EXPECT_EQ(icon->Width(), 32);
    const TSurface& s = *icon->Image()->Surface();
    EXPECT_EQ(s.At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(s.At(20, 0) >> 24, 0x80u) << "32-bit entries keep their alpha";

    // A PNG-compressed entry (as large icons have) is read through the PNG reader.
    TObjectPtr<TBitmap> big = MakeBitmap(48, 48, clTeal);
    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(big.get());
    TObjectPtr<TIcon> withPng = Load<TIcon>(IconFile({SixteenColourEntry(), Save(png.get())}, {16, 48}));
    EXPECT_EQ(withPng->Width(), 48);
    EXPECT_EQ(ColorFromPixel(withPng->Image()->Surface()->At(5, 5)), RGB(0, 128, 128));
}

TEST(Icon, SavesLoadedFilesUnchangedAndBitmapsWithTheirTransparency) {
    std::vector<Byte> file = IconFile({SixteenColourEntry()}, {16});
    TObjectPtr<TIcon> icon = Load<TIcon>(file);
    EXPECT_EQ(Save(icon.get()), file);

    TObjectPtr<TBitmap> bitmap = MakeBitmap(16, 16, clFuchsia);
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect({4, 4, 12, 12});
    bitmap->SetTransparent(true);
    TObjectPtr<TIcon> made = MakeObject<TIcon>();
    made->Assign(bitmap.get());
    TObjectPtr<TIcon> read = Load<TIcon>(Save(made.get()));
    EXPECT_EQ(read->Width(), 16);
    EXPECT_EQ(read->Image()->Surface()->At(0, 0) >> 24, 0u);
    EXPECT_EQ(read->Image()->Surface()->At(8, 8), 0xFF0000FFu);
}

TEST(Icon, BrokenFilesRaiseInvalidGraphic) {
    std::vector<Byte> good = IconFile({SixteenColourEntry()}, {16});
    std::vector<Byte> truncated(good.begin(), good.end() - 40);
    std::vector<Byte> noImages{0, 0, 1, 0, 0, 0};
    std::vector<Byte> wrongType{0, 0, 7, 0, 1, 0};
    std::vector<Byte> badOffset = good;
    badOffset[18] = 0xFF;
    badOffset[19] = 0xFF; // entry offset far beyond the end
    const std::pair<std::vector<Byte>, const char*> cases[] = {
        {truncated, "lies outside the file"}, {noImages, "holds no images"}, {wrongType, "not an icon file"},
        {badOffset, "lies outside the file"}, {{0, 0}, "truncated"},
    };
    for (const auto& [bytes, message] : cases) {
        try {
            Load<TIcon>(bytes);
            ADD_FAILURE() << message;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(message), String::npos) << e.Message();
        }
    }
}

std::vector<Byte> Emf(int frameRight, int frameBottom) {
    std::vector<Byte> out;
    Put32(out, 1);                                                                           // EMR_HEADER
    Put32(out, 88);                                                                          // record size
    for (int v : {0, 0, 100, 50}) Put32(out, static_cast<std::uint32_t>(v));                 // bounds
    for (int v : {0, 0, frameRight, frameBottom}) Put32(out, static_cast<std::uint32_t>(v)); // frame, 0.01 mm
    Put32(out, 0x464D4520);
    Put32(out, 0x10000);
    Put32(out, 88 + 20); // total bytes
    Put32(out, 2);       // records
    while (out.size() < 88) out.push_back(0);
    Put32(out, 14); // EMR_EOF
    Put32(out, 20);
    for (int i = 0; i < 3; ++i) Put32(out, 0);
    return out;
}

TEST(Metafile, KeepsTheDataAndReadsTheSizeFromTheHeader) {
    std::vector<Byte> emf = Emf(2540, 1270); // 1 inch by half an inch
    emf.push_back(0xEE);                     // something after the metafile in the stream
    TMemoryStream stream;
    stream.WriteBuffer(emf.data(), static_cast<Int64>(emf.size()));
    stream.SetPosition(0);
    TObjectPtr<TMetafile> metafile = MakeObject<TMetafile>();
    metafile->LoadFromStream(stream);
    EXPECT_TRUE(metafile->Enhanced());
    EXPECT_EQ(metafile->Width(), 96);
    EXPECT_EQ(metafile->Height(), 48);
    EXPECT_EQ(metafile->MMWidth(), 2540);
    EXPECT_EQ(stream.Position(), 108) << "exactly the metafile is read";
    emf.pop_back();
    EXPECT_EQ(Save(metafile.get()), emf);

    // A placeable Windows metafile: bounding box in units of 1/1440 inch.
    std::vector<Byte> wmf;
    Put32(wmf, 0x9AC6CDD7);
    Put16(wmf, 0);
    for (int v : {0, 0, 1440, 720}) Put16(wmf, static_cast<std::uint32_t>(v));
    Put16(wmf, 1440);
    Put32(wmf, 0);
    Put16(wmf, 0);
    Put16(wmf, 1);     // type
    Put16(wmf, 9);     // header words
    Put16(wmf, 0x300); // version
    Put32(wmf, 9 + 3); // size in words: header and the end record
    Put16(wmf, 0);
    Put32(wmf, 3);
    Put16(wmf, 0);
    Put32(wmf, 3); // end record: size 3 words, function 0
    Put16(wmf, 0);
    TObjectPtr<TMetafile> windows = Load<TMetafile>(wmf);
    EXPECT_FALSE(windows->Enhanced());
    EXPECT_EQ(windows->Width(), 96);
    EXPECT_EQ(windows->Height(), 48);
    EXPECT_EQ(Save(windows.get()), wmf);

    std::vector<Byte> truncated = Emf(2540, 1270);
    truncated.resize(100);
    try {
        Load<TMetafile>(truncated);
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("truncated"), String::npos) << e.Message();
    }
    EXPECT_THROW(Load<TMetafile>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}),
                 EInvalidGraphic);
}

TEST(Metafile, DrawsAPlaceholderFrame) {
    TObjectPtr<TMetafile> metafile = Load<TMetafile>(Emf(2540, 1270));
    TObjectPtr<TBitmap> canvas = MakeBitmap(120, 60, clWhite);
    canvas->Canvas()->Draw(10, 5, metafile.get());
    EXPECT_EQ(PixelOf(canvas.get(), 10, 5), RGB(128, 128, 128));
    EXPECT_EQ(PixelOf(canvas.get(), 105, 52), RGB(128, 128, 128));
    EXPECT_EQ(PixelOf(canvas.get(), 9, 5), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(canvas.get(), 60, 20), RGB(255, 255, 255));
}

} // namespace
