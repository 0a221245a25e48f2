#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Png.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace dw;

namespace {

BITMAPINFO Info(int width, int height, int bits, int colors) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biClrUsed = static_cast<DWORD>(colors);
    return info;
}

void SetColor(BITMAPINFO& info, int index, int r, int g, int b) {
    info.bmiColors[index] = {static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

} // namespace

TEST(Bitmap, IndexedImagesRoundTripThroughTheirColourTable) {
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const int width = 13, height = 5, colors = 1 << bits;
        BITMAPINFO info = Info(width, height, bits, colors);
        for (int i = 0; i < colors; ++i) SetColor(info, i, (i * 37) & 0xFF, (i * 91 + 7) & 0xFF, 255 - i);
        std::int64_t rowBytes = DibRowBytes(width, bits);
        ASSERT_GT(rowBytes, 0);
        EXPECT_EQ(rowBytes % 4, 0);
        std::vector<std::uint8_t> in(std::size_t(rowBytes * height), 0);
        // Index (x + 3 y) mod colours at every pixel, packed most significant bits first.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int index = (x + 3 * y) % colors;
                std::uint8_t* row = in.data() + rowBytes * y;
                int bit = x * bits;
                row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
            }
        HBITMAP bmp = CreateCompatibleBitmap(nullptr, width, height);
        ASSERT_EQ(SetDIBits(nullptr, bmp, 0, height, in.data(), &info, DIB_RGB_COLORS), height);
        // Bottom-up: the first row in memory (indices 0, 1, 2, ...) is the bottom image row.
        TSurface* s = GetBitmapSurface(bmp);
        EXPECT_EQ(ColorFromPixel(s->At(1, height - 1)), RGB(37, 98, 254));
        std::vector<std::uint8_t> out(in.size(), 0xAA);
        BITMAPINFO back = info;
        ASSERT_EQ(GetDIBits(nullptr, bmp, 0, height, out.data(), &back, DIB_RGB_COLORS), height);
        EXPECT_EQ(out, in);
        DeleteObject(bmp);
    }
}

TEST(Bitmap, GetDIBitsWithoutTableWritesAStandardOne) {
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 2, 1);
    GetBitmapSurface(bmp)->At(0, 0) = PixelFromColor(RGB(255, 255, 255));
    GetBitmapSurface(bmp)->At(1, 0) = PixelFromColor(RGB(10, 10, 10));
    BITMAPINFO info = Info(2, 1, 1, 0);
    std::uint8_t bits[4] = {};
    ASSERT_EQ(GetDIBits(nullptr, bmp, 0, 1, bits, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.bmiColors[1].rgbRed, 255);
    EXPECT_EQ(info.bmiColors[0].rgbRed, 0);
    EXPECT_EQ(bits[0], 0x80); // white, black
    DeleteObject(bmp);
}

TEST(Bitmap, TrueColourBitsRoundTripBothOrientations) {
    for (int bits : {24, 32}) {
        for (int height : {3, -3}) {
            SCOPED_TRACE(bits * 10 + (height > 0));
            BITMAPINFO info = Info(5, height, bits, 0);
            std::int64_t rowBytes = DibRowBytes(5, bits);
            std::vector<std::uint8_t> in(std::size_t(rowBytes * 3));
            for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 7 + 1);
            if (bits == 32)
                for (std::size_t i = 3; i < in.size(); i += 4) in[i] = 0xFF; // opaque alpha
            HBITMAP bmp = CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, in.data(), &info, DIB_RGB_COLORS);
            ASSERT_NE(bmp, nullptr);
            // The first bytes in memory are the top row for top-down images and the bottom row otherwise.
            int firstRowY = height > 0 ? 2 : 0;
            EXPECT_EQ(ColorFromPixel(GetBitmapSurface(bmp)->At(0, firstRowY)), RGB(in[2], in[1], in[0]));
            std::vector<std::uint8_t> out(in.size());
            EXPECT_EQ(GetDIBits(nullptr, bmp, 0, 3, out.data(), &info, DIB_RGB_COLORS), 3);
            for (std::int64_t y = 0; y < 3; ++y) // padding bytes aside
                EXPECT_EQ(std::memcmp(out.data() + rowBytes * y, in.data() + rowBytes * y, std::size_t(5 * bits / 8)),
                          0);
            DeleteObject(bmp);
        }
    }
}

TEST(Bitmap, BottomUpDibSectionBitsAreTheBitmapsPixels) {
    BITMAPINFO info = Info(4, 3, 32, 0);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bmp, nullptr);
    ASSERT_NE(bits, nullptr);
    auto* p = static_cast<std::uint32_t*>(bits);
    p[0] = 0xFF112233; // first row in memory: the bottom row
    p[4 * 2 + 3] = 0xFF445566;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bmp);
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0x44, 0x55, 0x66));
    SetPixel(dc, 1, 2, RGB(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(p[1] & 0xFFFFFF, 0xAABBCCu);
    DIBSECTION ds;
    EXPECT_EQ(GetObject(bmp, sizeof(ds), &ds), int(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biHeight, 3);
    DeleteDC(dc);
    DeleteObject(bmp);
    // Other depths have no direct bits.
    BITMAPINFO eight = Info(4, 3, 8, 0);
    EXPECT_EQ(CreateDIBSection(nullptr, &eight, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST(Bitmap, StretchDIBitsDrawsAnImageOntoADC) {
    TSurface surface(8, 8);
    surface.Fill(PixelFromColor(RGB(255, 255, 255)));
    HDC dc = CreateSurfaceDC(&surface);
    BITMAPINFO info = Info(2, 2, 8, 2);
    SetColor(info, 0, 255, 0, 0);
    SetColor(info, 1, 0, 0, 255);
    const std::uint8_t bits[8] = {0, 1, 0, 0, 1, 1, 0, 0}; // bottom row: red blue; top row: blue blue
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 2, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(ColorFromPixel(surface.At(0, 0)), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromPixel(surface.At(0, 3)), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromPixel(surface.At(3, 3)), RGB(0, 0, 255));
    EXPECT_EQ(SetDIBitsToDevice(dc, 5, 5, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(ColorFromPixel(surface.At(5, 6)), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromPixel(surface.At(5, 5)), RGB(0, 0, 255));
    DeleteDC(dc);
}

TEST(Bitmap, HostileSizesAndHeadersFail) {
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -5, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 100000, 100000), nullptr);
    EXPECT_EQ(CreateBitmap(INT_MAX, 2, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 2, 32, nullptr), nullptr);
    EXPECT_EQ(DibRowBytes(-1, 8), -1);
    EXPECT_EQ(DibRowBytes(4, 7), -1);
    BITMAPINFO bad = Info(4, INT_MIN, 8, 0);
    std::uint8_t bits[64] = {};
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 4, 4);
    EXPECT_EQ(SetDIBits(nullptr, bmp, 0, 4, bits, &bad, DIB_RGB_COLORS), 0);
    BITMAPINFO huge = Info(1 << 20, 1 << 20, 32, 0);
    EXPECT_EQ(CreateDIBSection(nullptr, &huge, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBitmap(nullptr, &huge.bmiHeader, 0, nullptr, nullptr, 0), nullptr);
    BITMAPINFO wrongSize = Info(5, 4, 8, 0);
    EXPECT_EQ(SetDIBits(nullptr, bmp, 0, 4, bits, &wrongSize, DIB_RGB_COLORS), 0);
    BITMAPINFO ok = Info(4, 4, 8, 0);
    EXPECT_EQ(SetDIBits(nullptr, bmp, 7, 4, bits, &ok, DIB_RGB_COLORS), 0);   // start beyond the image
    EXPECT_EQ(SetDIBits(nullptr, bmp, 2, 100, bits, &ok, DIB_RGB_COLORS), 2); // only the rows that exist
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 4, 4, bits, &huge, DIB_RGB_COLORS, SRCCOPY), 0);
    DeleteDC(dc);
    DeleteObject(bmp);
    EXPECT_THROW(TSurface(-1, 5), EInvalidArgument);
    EXPECT_THROW(TSurface(40000, 40000), EInvalidArgument);
}

TEST(Bitmap, GetObjectDescribesObjects) {
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN lp;
    EXPECT_EQ(GetObject(pen, sizeof(lp), &lp), int(sizeof(lp)));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObject(pen, 0, nullptr), int(sizeof(LOGPEN)));
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
    LOGBRUSH lb;
    GetObject(hatch, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, std::uintptr_t(HS_CROSS));
    LOGFONT lf;
    SetFaceName(lf, "Tahoma");
    lf.lfHeight = -13;
    HFONT font = CreateFontIndirect(&lf);
    LOGFONT back;
    GetObject(font, sizeof(back), &back);
    EXPECT_STREQ(back.lfFaceName, "Tahoma");
    EXPECT_EQ(back.lfHeight, -13);
    HBITMAP bmp = CreateBitmap(10, 3, 1, 1, nullptr);
    BITMAP bm;
    GetObject(bmp, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 10);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
    EXPECT_EQ(CreateHatchBrush(6, 0), nullptr);
    EXPECT_EQ(CreatePen(PS_STYLE_MASK, 1, 0), nullptr);
    for (HGDIOBJ h : {HGDIOBJ(pen), HGDIOBJ(hatch), HGDIOBJ(font), HGDIOBJ(bmp)}) EXPECT_TRUE(DeleteObject(h));
    // Face names longer than the field are cut at a character boundary.
    SetFaceName(lf, "ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ");
    EXPECT_EQ(std::strlen(lf.lfFaceName) % 2, 0u);
    EXPECT_LT(std::strlen(lf.lfFaceName), std::size_t(LF_FACESIZE));
}

TEST(Png, WriteReadRoundTrip) {
    TSurface s(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) s.At(x, y) = PixelFromColor(RGB(x * 40, y * 50, (x * y * 13) & 0xFF));
    std::vector<std::uint8_t> png = EncodePng(s);
    bool alpha = true;
    TSurface back = DecodePng(png.data(), png.size(), &alpha);
    EXPECT_FALSE(alpha);
    ASSERT_EQ(back.Width(), 7);
    ASSERT_EQ(back.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(back.At(x, y), s.At(x, y)) << x << "," << y;
    // A rectangle of the surface, through a file, with alpha.
    s.At(2, 1) = 0x80402010u; // half-transparent, premultiplied
    String file = ::testing::TempDir() + "gdi-roundtrip.png";
    TRect part{1, 1, 4, 3};
    SavePng(s, file, &part, true);
    TSurface piece = LoadPng(file, &alpha);
    EXPECT_TRUE(alpha);
    ASSERT_EQ(piece.Width(), 3);
    ASSERT_EQ(piece.Height(), 2);
    EXPECT_EQ(piece.At(0, 0), s.At(1, 1));
    EXPECT_EQ(piece.At(1, 0), 0x80402010u);
    std::remove(file.c_str());
}

TEST(Png, BadInputRaisesClearErrors) {
    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_THROW(DecodePng(junk, sizeof(junk)), EInvalidImage);
    TSurface s(4, 4);
    std::vector<std::uint8_t> png = EncodePng(s);
    png.resize(png.size() / 2); // cut short
    EXPECT_THROW(DecodePng(png.data(), png.size()), EInvalidImage);
    EXPECT_THROW(LoadPng("/nonexistent/dir/none.png"), EReadError);
    EXPECT_THROW(SavePng(s, "/nonexistent/dir/none.png"), EFCreateError);
    TRect outside{10, 10, 20, 20};
    EXPECT_THROW(EncodePng(s, &outside), EInvalidArgument);
}
