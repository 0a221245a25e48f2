#include "GraphicsFixture.h"

#include "framework/controls/graphics/Bitmap.h"
#include "framework/rtl/Resources.h"

#include <cstring>

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

// A BMP file put together by hand, for shapes our writer never makes.
struct BmpSpec {
    int Width = 0;
    int Height = 0; // negative: top-down
    int BitCount = 24;
    std::uint32_t Compression = 0;
    std::vector<std::uint32_t> Palette; // 0x00RRGGBB
    std::vector<std::uint32_t> Masks;   // after the header (BI_BITFIELDS)
    std::vector<Byte> Bits;
    std::uint32_t ClrUsed = 0;
};

std::vector<Byte> BuildBmp(const BmpSpec& s) {
    std::vector<Byte> info;
    Put32(info, 40);
    Put32(info, static_cast<std::uint32_t>(s.Width));
    Put32(info, static_cast<std::uint32_t>(s.Height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint32_t>(s.BitCount));
    Put32(info, s.Compression);
    Put32(info, static_cast<std::uint32_t>(s.Bits.size()));
    Put32(info, 0);
    Put32(info, 0);
    Put32(info, s.ClrUsed ? s.ClrUsed : static_cast<std::uint32_t>(s.Palette.size()));
    Put32(info, 0);
    for (std::uint32_t m : s.Masks) Put32(info, m);
    for (std::uint32_t c : s.Palette) Put32(info, c);
    std::vector<Byte> file{'B', 'M'};
    Put32(file, static_cast<std::uint32_t>(14 + info.size() + s.Bits.size()));
    Put32(file, 0);
    Put32(file, static_cast<std::uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.Bits.begin(), s.Bits.end());
    return file;
}

TObjectPtr<TBitmap> LoadBytes(const std::vector<Byte>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

std::vector<Byte> SaveBytes(TBitmap* bitmap) {
    TMemoryStream stream;
    bitmap->SaveToStream(stream);
    return stream.Bytes();
}

// A picture with a few colours, so that every depth can hold it exactly.
TObjectPtr<TBitmap> Sample(int width, int height, std::vector<TColor> colours) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(width, height, colours[0]);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Canvas()->SetPixels(x, y, colours[static_cast<size_t>((x * 7 + y * 3) % colours.size())]);
    return bitmap;
}

void ExpectSamePixels(TBitmap* a, TBitmap* b) {
    ASSERT_EQ(a->Width(), b->Width());
    ASSERT_EQ(a->Height(), b->Height());
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) ASSERT_EQ(PixelOf(a, x, y), PixelOf(b, x, y)) << x << "," << y;
}

TEST(Bitmap, RoundTripsAtEveryDepthItWrites) {
    struct Case {
        TPixelFormat Format;
        int BitCount;
        std::vector<TColor> Colours;
    };
    const Case cases[] = {
        {pf1bit, 1, {clBlack, clWhite}},
        {pf4bit, 4, {clBlack, clMaroon, clNavy, clSilver, clRed, clWhite, clTeal, clYellow}},
        {pf8bit, 8, {clBlack, clWhite, clRed, clLime, clBlue, 0x336699, 0xCCCCCC}},
        {pf24bit, 24, {0x010203, 0xFEFDFC, 0x7F8081, 0x123456, 0xABCDEF}},
        {pf32bit, 32, {0x010203, 0xFEFDFC, 0x7F8081, 0x123456, 0xABCDEF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.BitCount);
        // Odd widths exercise the row padding.
        TObjectPtr<TBitmap> original = Sample(13, 7, c.Colours);
        original->SetPixelFormat(c.Format);
        std::vector<Byte> file = SaveBytes(original.get());
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[28] | (file[29] << 8), c.BitCount);
        TObjectPtr<TBitmap> read = LoadBytes(file);
        EXPECT_EQ(read->PixelFormat(), c.Format);
        ExpectSamePixels(original.get(), read.get());
        EXPECT_EQ(SaveBytes(read.get()), file) << "writing what was read gives the same file";
    }
}

TEST(Bitmap, ReadsSixteenBitFieldsTopDownAndCoreFiles) {
    // 2 x 2, 5-5-5: red, green / blue, white.
    BmpSpec s555;
    s555.Width = 2;
    s555.Height = 2;
    s555.BitCount = 16;
    s555.Bits = {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03}; // bottom row first: blue, white; red, green
    TObjectPtr<TBitmap> b = LoadBytes(BuildBmp(s555));
    EXPECT_EQ(b->PixelFormat(), pf15bit);
    EXPECT_EQ(PixelOf(b.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(b.get(), 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(b.get(), 1, 1), RGB(255, 255, 255));

    BmpSpec s565 = s555;
    s565.Compression = 3;
    s565.Masks = {0xF800, 0x07E0, 0x001F};
    s565.Height = -2; // top-down: first row is the top one
    s565.Bits = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x00, 0x00};
    b = LoadBytes(BuildBmp(s565));
    EXPECT_EQ(b->PixelFormat(), pf16bit);
    EXPECT_EQ(PixelOf(b.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(b.get(), 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(b.get(), 1, 1), RGB(0, 0, 0));

    // 32-bit bit fields with alpha: transparency is kept.
    BmpSpec s32;
    s32.Width = 2;
    s32.Height = 1;
    s32.BitCount = 32;
    s32.Compression = 3;
    s32.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    s32.Bits = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00};
    b = LoadBytes(BuildBmp(s32));
    EXPECT_EQ(PixelOf(b.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(b->AlphaFormat(), afIgnored);

    BmpSpec alpha;
    alpha.Width = 2;
    alpha.Height = 1;
    alpha.BitCount = 32;
    alpha.Bits = {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00}; // opaque red, transparent blue
    b = LoadBytes(BuildBmp(alpha));
    EXPECT_EQ(b->AlphaFormat(), afPremultiplied);
    EXPECT_EQ(b->Surface()->Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(b->Surface()->Pixel(1, 0) >> 24, 0u);
    std::vector<Byte> again = SaveBytes(b.get());
    EXPECT_EQ(again[54 + 3], 0xFF);
    EXPECT_EQ(again[54 + 7], 0x00) << "alpha is written back";
}

TEST(Bitmap, ReadsRunLengthEncodedFiles) {
    BmpSpec rle;
    rle.Width = 4;
    rle.Height = 2;
    rle.BitCount = 8;
    rle.Compression = 1;
    rle.Palette = {0x000000, 0xFF0000, 0x00FF00};
    // Bottom row: 4 x index 1; end of line; top row: literal 2,0,2 then 1 x 0; end of bitmap.
    rle.Bits = {4, 1, 0, 0, 0, 3, 2, 0, 2, 0, 1, 0, 0, 1};
    TObjectPtr<TBitmap> b = LoadBytes(BuildBmp(rle));
    EXPECT_EQ(PixelOf(b.get(), 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 3, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(b.get(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 2, 0), RGB(0, 255, 0));

    BmpSpec rle4 = rle;
    rle4.BitCount = 4;
    rle4.Compression = 2;
    rle4.Bits = {4, 0x12, 0, 0, 0, 1};
    b = LoadBytes(BuildBmp(rle4));
    EXPECT_EQ(PixelOf(b.get(), 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(b.get(), 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(b.get(), 2, 1), RGB(255, 0, 0));
}

TEST(Bitmap, CorruptAndTruncatedFilesRaiseClearErrors) {
    BmpSpec good;
    good.Width = 4;
    good.Height = 4;
    good.BitCount = 24;
    good.Bits.assign(4 * 12, 0x80);
    const std::vector<Byte> valid = BuildBmp(good);
    ASSERT_NO_THROW(LoadBytes(valid));

    auto patch32 = [&](size_t at, std::uint32_t v) {
        std::vector<Byte> copy = valid;
        for (int i = 0; i < 4; ++i) copy[at + i] = static_cast<Byte>(v >> (8 * i));
        return copy;
    };
    auto patch16 = [&](size_t at, std::uint32_t v) {
        std::vector<Byte> copy = valid;
        copy[at] = static_cast<Byte>(v);
        copy[at + 1] = static_cast<Byte>(v >> 8);
        return copy;
    };
    BmpSpec rle;
    rle.Width = 8;
    rle.Height = 8;
    rle.BitCount = 8;
    rle.Compression = 1;
    rle.Palette = {0, 0xFFFFFF};
    rle.Bits = {0, 5, 1, 1}; // a literal run of 5 with only 2 bytes left
    BmpSpec eight;
    eight.Width = 2;
    eight.Height = 1;
    eight.BitCount = 8;
    eight.Palette = {0, 0xFFFFFF};
    eight.Bits = {0, 1, 0, 0};
    std::vector<Byte> hugeTable = BuildBmp(eight);
    hugeTable[46] = 0xA0;
    hugeTable[47] = 0x86;
    hugeTable[48] = 0x01; // 100000 entries
    BmpSpec hugeRle = rle;
    hugeRle.Width = 30000;
    hugeRle.Height = 30000;
    hugeRle.Bits = {0, 1};

    struct Case {
        const char* What;
        std::vector<Byte> Bytes;
        const char* Message;
    };
    const Case cases[] = {
        {"empty", {}, "truncated"},
        {"not BM", patch16(0, 0x4D42 + 1), "does not start with \"BM\""},
        {"header cut", std::vector<Byte>(valid.begin(), valid.begin() + 30), "truncated"},
        {"pixels cut", std::vector<Byte>(valid.begin(), valid.end() - 5), "pixel data expected"},
        {"odd header size", patch32(14, 44), "header of 44 bytes"},
        {"zero width", patch32(18, 0), "size is 0 x 4"},
        {"huge size", patch32(18, 40000), "too large"},
        {"bad depth", patch16(28, 7), "7 bits per pixel"},
        {"bad compression", patch32(30, 9), "unknown compression"},
        {"JPEG inside", patch32(30, 4), "not supported"},
        {"colour table too big", hugeTable, "colour table of 100000 entries"},
        {"data offset past the end", patch32(10, 5000), "should start at offset"},
        {"RLE run past the end", BuildBmp(rle), "truncated"},
        {"RLE of absurd size", BuildBmp(hugeRle), "too large"},
    };
    for (const Case& c : cases) {
        try {
            LoadBytes(c.Bytes);
            ADD_FAILURE() << c.What << ": no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << c.What << ": " << e.Message();
        }
    }
}

TEST(Bitmap, AFailedLoadLeavesTheBitmapAsItWas) {
    TObjectPtr<TBitmap> bitmap = Sample(3, 3, {clRed, clBlue});
    std::vector<Byte> junk{'B', 'M', 1, 2, 3};
    TMemoryStream stream;
    stream.WriteBuffer(junk.data(), static_cast<Int64>(junk.size()));
    stream.SetPosition(0);
    EXPECT_THROW(bitmap->LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), RGB(255, 0, 0));
}

TEST(Bitmap, SizeChangesKeepTheTopLeftAndFillWhite) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(4, 4, clRed);
    bitmap->SetSize(6, 2);
    EXPECT_EQ(PixelOf(bitmap.get(), 3, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(bitmap.get(), 5, 1), RGB(255, 255, 255));
    bitmap->SetWidth(0);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Handle(), nullptr);
    EXPECT_NO_THROW(bitmap->Canvas()->TextWidth("measuring on an empty bitmap"));
}

TEST(Bitmap, MonochromeMapsWhiteToWhiteAndAllElseToBlack) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(3, 1, clWhite);
    bitmap->Canvas()->SetPixels(1, 0, clSilver);
    bitmap->SetMonochrome(true);
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 0), RGB(0, 0, 0));
    std::vector<Byte> file = SaveBytes(bitmap.get());
    EXPECT_EQ(file[28], 1);
    TObjectPtr<TBitmap> read = LoadBytes(file);
    EXPECT_EQ(PixelOf(read.get(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(read.get(), 2, 0), RGB(255, 255, 255));
}

TEST(Bitmap, GlyphResourcesAreSixteenColourWithBottomLeftTransparency) {
    for (const char* name : {"TBUTTON", "TLABEL", "TEDIT", "TPANEL", "TCHECKBOX", "TRADIOBUTTON", "TLISTBOX",
                             "TCOMBOBOX", "TMEMO", "TGROUPBOX", "TIMAGE", "NOICON"}) {
        SCOPED_TRACE(name);
        TObjectPtr<TBitmap> glyph = MakeObject<TBitmap>();
        glyph->LoadFromResourceName(name);
        EXPECT_EQ(glyph->Width(), 24);
        EXPECT_EQ(glyph->Height(), 24);
        EXPECT_EQ(glyph->PixelFormat(), pf4bit);
        EXPECT_EQ(glyph->Palette().size(), 16u);
        EXPECT_EQ(glyph->TransparentColor(), clFuchsia);
        // Something is drawn: at least a tenth of the pixels are not the transparent colour.
        int ink = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) ink += PixelOf(glyph.get(), x, y) != RGB(255, 0, 255);
        EXPECT_GT(ink, 24 * 24 / 10);
    }
    TObjectPtr<TBitmap> design = MakeObject<TBitmap>();
    design->LoadFromResourceName("noicon_dsn");
    EXPECT_EQ(design->Width(), 20);
    EXPECT_EQ(design->TransparentColor(), clFuchsia);

    TObjectPtr<TBitmap> menu = MakeObject<TBitmap>();
    menu->LoadFromResourceName("MENUIMAGES");
    EXPECT_EQ(menu->Width(), 128);
    EXPECT_EQ(menu->Height(), 16);
    EXPECT_EQ(menu->TransparentColor(), clSilver);

    EXPECT_THROW(design->LoadFromResourceName("NO_SUCH_BITMAP"), EResNotFound);
}

TEST(Bitmap, ResourcesWithoutFileHeaderAreReadToo) {
    // Classic bitmap resources hold the info header and bits without the file header.
    BmpSpec s;
    s.Width = 1;
    s.Height = 1;
    s.Bits = {0x00, 0x00, 0xFF, 0x00};
    static std::vector<Byte> dib;
    std::vector<Byte> file = BuildBmp(s);
    dib.assign(file.begin() + 14, file.end());
    RegisterResource("TEST_BARE_DIB", "BITMAP", dib.data(), dib.size());
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName("TEST_BARE_DIB");
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), RGB(255, 0, 0));
}

TEST(Bitmap, TransparentColourModes) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(4, 4, clLime);
    bitmap->Canvas()->SetPixels(0, 3, clTeal);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clTeal);
    bitmap->SetTransparentColor(clLime);
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), clLime);
    bitmap->SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clTeal);
}

TEST(Bitmap, AssignCopiesPixelsAndSettings) {
    TObjectPtr<TBitmap> source = Sample(5, 4, {clRed, clYellow, clNavy});
    source->SetPixelFormat(pf8bit);
    source->SetTransparent(true);
    source->SetTransparentColor(clYellow);
    TObjectPtr<TBitmap> copy = MakeObject<TBitmap>();
    copy->Assign(source.get());
    ExpectSamePixels(source.get(), copy.get());
    EXPECT_EQ(copy->PixelFormat(), pf8bit);
    EXPECT_TRUE(copy->Transparent());
    EXPECT_EQ(copy->TransparentColor(), clYellow);
    // The copy is independent.
    copy->Canvas()->SetPixels(0, 0, clWhite);
    EXPECT_EQ(PixelOf(source.get(), 0, 0), RGB(255, 0, 0));
    copy->Assign(nullptr);
    EXPECT_TRUE(copy->Empty());
}

TEST(Bitmap, FilesRoundTripThroughTheFileSystem) {
    ScratchDir dir;
    TObjectPtr<TBitmap> original = Sample(9, 9, {clRed, clBlue, clWhite});
    original->SetPixelFormat(pf24bit);
    original->SaveToFile(dir.File("a.bmp"));
    TObjectPtr<TBitmap> read = MakeObject<TBitmap>();
    read->LoadFromFile(dir.File("a.bmp"));
    ExpectSamePixels(original.get(), read.get());
    WriteFileBytes(dir.File("bad.bmp"), {'B', 'M', 0, 0});
    try {
        read->LoadFromFile(dir.File("bad.bmp"));
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("bad.bmp"), String::npos) << e.Message();
    }
}

} // namespace

// Reading pixels through ScanLine is no change; a writer says when it is done with SetModified.
TEST(Bitmap, ScanLineReadsFireNoChangeAndWritersSignalTheirs) {
    TObjectPtr<TPicture> picture = MakeObject<TPicture>();
    picture->Bitmap()->SetSize(4, 3);
    picture->Bitmap()->SetModified(false);
    struct Counter : TObject {
        int Count = 0;
        void Changed(TObject*) { ++Count; }
    } pictureChanges;
    // The picture hears of its bitmap's changes through the bitmap's OnChange.
    TBitmap* bitmap = picture->Bitmap();
    picture->OnChange = MakeMethod<&Counter::Changed>(&pictureChanges);
    const TBitmap* reader = bitmap;
    TPixel sum = 0;
    for (int y = 0; y < 3; ++y) sum += reader->ScanLine(y)[0] + bitmap->ScanLine(y)[3];
    EXPECT_NE(sum, 0u) << "a fresh bitmap is white";
    EXPECT_EQ(pictureChanges.Count, 0);
    EXPECT_FALSE(bitmap->Modified());
    for (int y = 0; y < 3; ++y) bitmap->ScanLine(y)[1] = 0xFF000080;
    bitmap->SetModified(true);
    EXPECT_EQ(pictureChanges.Count, 1);
    EXPECT_TRUE(bitmap->Modified());
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 2), clNavy);
    EXPECT_THROW(reader->ScanLine(3), EInvalidGraphicOperation);
}
