#include "GdiTestSupport.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"

#include <climits>

using namespace dw;
using dw::test::SurfaceFixture;

namespace {

class Blit : public SurfaceFixture {
protected:
    void SetUp() override {
        SurfaceFixture::SetUp();
        Mem = CreateCompatibleDC(Dc);
        Bitmap = CreateCompatibleBitmap(Dc, 8, 8);
        Old = SelectObject(Mem, Bitmap);
    }
    void TearDown() override {
        SelectObject(Mem, Old);
        DeleteDC(Mem);
        DeleteObject(Bitmap);
        SurfaceFixture::TearDown();
    }
    TSurface& Source() { return *GetBitmapSurface(Bitmap); }
    HDC Mem = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Old = nullptr;
};

// The truth table applied bit by bit: an implementation independent of the renderer's.
std::uint32_t Evaluate(unsigned table, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t r = 0;
    for (int bit = 0; bit < 24; ++bit) {
        unsigned index = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
        r |= ((table >> index) & 1u) << bit;
    }
    return r;
}

} // namespace

TEST_F(Blit, NamedTernaryRasterOperations) {
    constexpr COLORREF P = RGB(0xF0, 0x0F, 0x3C), S = RGB(0xCC, 0xAA, 0x66), D = RGB(0x5A, 0x33, 0x99);
    struct TCase {
        const char* Name;
        DWORD Rop;
        std::uint32_t Expected;
    };
    const std::uint32_t p = P, s = S, d = D, all = 0xFFFFFF;
    const TCase cases[] = {
        {"SRCCOPY", SRCCOPY, s},
        {"SRCPAINT", SRCPAINT, s | d},
        {"SRCAND", SRCAND, s & d},
        {"SRCINVERT", SRCINVERT, s ^ d},
        {"SRCERASE", SRCERASE, s & ~d & all},
        {"NOTSRCCOPY", NOTSRCCOPY, ~s & all},
        {"NOTSRCERASE", NOTSRCERASE, ~(s | d) & all},
        {"MERGECOPY", MERGECOPY, p & s},
        {"MERGEPAINT", MERGEPAINT, (~s | d) & all},
        {"PATCOPY", PATCOPY, p},
        {"PATPAINT", PATPAINT, (p | ~s | d) & all},
        {"PATINVERT", PATINVERT, p ^ d},
        {"DSTINVERT", DSTINVERT, ~d & all},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, all},
    };
    HBRUSH brush = CreateSolidBrush(P);
    SelectObject(Dc, brush);
    Source().Fill(PixelFromColor(S));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Surface.Fill(PixelFromColor(D));
        EXPECT_TRUE(BitBlt(Dc, 2, 2, 3, 3, Mem, 0, 0, c.Rop));
        EXPECT_EQ(At(3, 3), c.Expected);
        EXPECT_EQ(At(5, 3), D);
    }
    SelectObject(Dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(Blit, EveryTernaryTruthTableEvaluates) {
    constexpr COLORREF P = RGB(0xF0, 0x0F, 0x3C), S = RGB(0xCC, 0xAA, 0x66), D = RGB(0x5A, 0x33, 0x99);
    HBRUSH brush = CreateSolidBrush(P);
    SelectObject(Dc, brush);
    Source().Fill(PixelFromColor(S));
    for (unsigned t = 0; t < 256; ++t) {
        Surface.Fill(PixelFromColor(D));
        DWORD rop = DWORD(t) << 16;
        ASSERT_TRUE(BitBlt(Dc, 0, 0, 2, 1, Mem, 0, 0, rop));
        ASSERT_EQ(At(1, 0), Evaluate(t, P, S, D)) << "table " << t;
    }
    // PatBlt refuses operations that need a source.
    EXPECT_FALSE(PatBlt(Dc, 0, 0, 1, 1, SRCCOPY));
    SelectObject(Dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(Blit, TransparentBlitSkipsTheKeyColour) {
    const COLORREF key = RGB(255, 0, 255), green = RGB(0, 200, 0);
    const COLORREF row[4] = {key, RGB(255, 0, 0), key, RGB(0, 0, 255)};
    for (int x = 0; x < 4; ++x) Source().At(x, 0) = PixelFromColor(row[x]);
    Surface.Fill(PixelFromColor(green));
    EXPECT_TRUE(TransparentBlt(Dc, 0, 0, 4, 1, Mem, 0, 0, 4, 1, key));
    EXPECT_EQ(At(0, 0), green);
    EXPECT_EQ(At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(2, 0), green);
    EXPECT_EQ(At(3, 0), RGB(0, 0, 255));
    // Stretched twice as wide, each source pixel covers two.
    Surface.Fill(PixelFromColor(green));
    EXPECT_TRUE(TransparentBlt(Dc, 0, 1, 8, 1, Mem, 0, 0, 4, 1, key));
    const COLORREF wide[8] = {green, green, RGB(255, 0, 0), RGB(255, 0, 0),
                              green, green, RGB(0, 0, 255), RGB(0, 0, 255)};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(At(x, 1), wide[x]) << x;
    EXPECT_FALSE(TransparentBlt(Dc, 0, 0, -4, 1, Mem, 0, 0, 4, 1, key));
}

TEST_F(Blit, StretchDuplicatesAndMirrors) {
    const COLORREF c[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    Source().At(0, 0) = PixelFromColor(c[0]);
    Source().At(1, 0) = PixelFromColor(c[1]);
    Source().At(0, 1) = PixelFromColor(c[2]);
    Source().At(1, 1) = PixelFromColor(c[3]);
    EXPECT_TRUE(StretchBlt(Dc, 0, 0, 4, 4, Mem, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(At(0, 0), c[0]);
    EXPECT_EQ(At(1, 1), c[0]);
    EXPECT_EQ(At(3, 0), c[1]);
    EXPECT_EQ(At(0, 3), c[2]);
    EXPECT_EQ(At(3, 3), c[3]);
    // A negative destination width mirrors left to right.
    EXPECT_TRUE(StretchBlt(Dc, 12, 0, -2, 2, Mem, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(At(10, 0), c[1]);
    EXPECT_EQ(At(11, 0), c[0]);
    EXPECT_EQ(At(11, 1), c[2]);
    // Halving takes one pixel of each pair.
    Surface.Fill(PixelFromColor(White));
    EXPECT_TRUE(StretchBlt(Dc, 20, 20, 1, 1, Mem, 0, 0, 2, 2, SRCCOPY));
    EXPECT_NE(At(20, 20), White);
    EXPECT_EQ(At(21, 20), White);
    // Hostile sizes neither crash nor allocate the world.
    EXPECT_TRUE(StretchBlt(Dc, 0, 0, INT_MAX, INT_MAX, Mem, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(Dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Mem, INT_MIN, 0, INT_MAX, 1, SRCCOPY));
    EXPECT_FALSE(StretchBlt(Dc, 0, 0, 4, 4, Mem, 0, 0, 0, 2, SRCCOPY));
}

TEST_F(Blit, ScrollingWithinOneSurfaceCopiesTheOldPixels) {
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 32; ++y) Surface.At(x, y) = PixelFromColor(RGB(x * 8, y * 8, 0));
    TSurface before = Surface.Clone();
    EXPECT_TRUE(BitBlt(Dc, 1, 2, 20, 20, Dc, 0, 0, SRCCOPY)); // overlapping, down and right
    for (int y = 2; y < 22; ++y)
        for (int x = 1; x < 21; ++x) ASSERT_EQ(Surface.At(x, y), before.At(x - 1, y - 2)) << x << "," << y;
    TSurface middle = Surface.Clone();
    EXPECT_TRUE(BitBlt(Dc, 0, 0, 20, 20, Dc, 3, 1, SRCCOPY)); // up and left
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(Surface.At(x, y), middle.At(x + 3, y + 1)) << x << "," << y;
}

TEST_F(Blit, SourceOutsideItsSurfaceLeavesTheDestinationAlone) {
    Source().Fill(PixelFromColor(Black));
    EXPECT_TRUE(BitBlt(Dc, 0, 0, 16, 16, Mem, -4, -4, SRCCOPY));
    EXPECT_EQ(At(3, 3), White);
    EXPECT_EQ(At(4, 4), Black);
    EXPECT_EQ(At(11, 11), Black);
    EXPECT_EQ(At(12, 12), White);
    EXPECT_EQ(CountColor(Black), 64);
}

TEST_F(Blit, MonochromeConversionsUseTextAndBackgroundColours) {
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, 4, 1); // a fresh memory DC is monochrome
    BITMAP info;
    ASSERT_EQ(GetObject(mono, sizeof(info), &info), int(sizeof(info)));
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(monoDc, mono);
    // Colour to monochrome: the source's background colour becomes white, the rest black.
    Source().At(0, 0) = PixelFromColor(RGB(255, 0, 255));
    Source().At(1, 0) = PixelFromColor(RGB(10, 10, 10));
    Source().At(2, 0) = PixelFromColor(RGB(255, 0, 255));
    Source().At(3, 0) = PixelFromColor(RGB(250, 250, 250));
    SetBkColor(Mem, RGB(255, 0, 255));
    EXPECT_TRUE(BitBlt(monoDc, 0, 0, 4, 1, Mem, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(monoDc, 0, 0), White);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), Black);
    EXPECT_EQ(GetPixel(monoDc, 2, 0), White);
    EXPECT_EQ(GetPixel(monoDc, 3, 0), Black);
    // Monochrome to colour: black takes the text colour, white the background colour.
    SetTextColor(Dc, RGB(0, 128, 0));
    SetBkColor(Dc, RGB(0, 0, 128));
    EXPECT_TRUE(BitBlt(Dc, 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY));
    EXPECT_EQ(At(0, 0), RGB(0, 0, 128));
    EXPECT_EQ(At(1, 0), RGB(0, 128, 0));
    // The classic mask trick: AND the mask, then paint the image where the mask is black.
    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST_F(Blit, AlphaBlendConstantAndPerPixel) {
    Source().Fill(PixelFromColor(White));
    Surface.Fill(PixelFromColor(Black));
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(AlphaBlend(Dc, 0, 0, 4, 4, Mem, 0, 0, 4, 4, half));
    EXPECT_NEAR(GetRValue(At(1, 1)), 128, 1);
    EXPECT_EQ(At(5, 5), Black);
    // Per-pixel premultiplied alpha: transparent pixels leave the destination, opaque ones cover it.
    Source().At(0, 0) = 0x00000000u; // transparent
    Source().At(1, 0) = 0xFF0000FFu; // opaque blue
    Source().At(2, 0) = 0x80800000u; // half-transparent red (premultiplied)
    Surface.Fill(PixelFromColor(RGB(0, 255, 0)));
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(AlphaBlend(Dc, 0, 0, 3, 1, Mem, 0, 0, 3, 1, perPixel));
    EXPECT_EQ(At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(At(1, 0), RGB(0, 0, 255));
    EXPECT_NEAR(GetRValue(At(2, 0)), 128, 1);
    EXPECT_NEAR(GetGValue(At(2, 0)), 127, 1);
    // The source must lie inside its bitmap.
    EXPECT_FALSE(AlphaBlend(Dc, 0, 0, 4, 4, Mem, 6, 6, 4, 4, half));
    // Stretching doubles each pixel.
    Surface.Fill(PixelFromColor(RGB(0, 255, 0)));
    EXPECT_TRUE(AlphaBlend(Dc, 0, 0, 6, 2, Mem, 0, 0, 3, 1, perPixel));
    EXPECT_EQ(At(2, 1), RGB(0, 0, 255));
    EXPECT_EQ(At(1, 1), RGB(0, 255, 0));
}

TEST_F(Blit, BitmapSelectedIntoOneDCOnly) {
    HDC other = CreateCompatibleDC(Dc);
    EXPECT_EQ(SelectObject(other, Bitmap), nullptr);
    EXPECT_EQ(SelectObject(Dc, Bitmap), nullptr); // not into a window DC either
    SelectObject(Mem, Old);
    EXPECT_NE(SelectObject(other, Bitmap), nullptr);
    SelectObject(other, GetCurrentObject(Mem, OBJ_BITMAP));
    SelectObject(Mem, Bitmap);
    DeleteDC(other);
}

TEST_F(Blit, PatternBrushRepeatsTheBitmap) {
    Source().Fill(PixelFromColor(RGB(255, 0, 0)));
    Source().At(0, 0) = PixelFromColor(RGB(0, 0, 255));
    HBRUSH pattern = CreatePatternBrush(Bitmap);
    TRect r{0, 0, 32, 32};
    FillRect(Dc, &r, pattern);
    EXPECT_EQ(At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(At(8, 16), RGB(0, 0, 255));
    EXPECT_EQ(At(9, 16), RGB(255, 0, 0));
    EXPECT_EQ(CountColor(RGB(0, 0, 255)), 16);
    DeleteObject(pattern);
}

TEST(BlitFromDibSection, BottomUpSectionsBlendAndStretch) {
    // Bottom-up sections are stored with a negative stride; every blit path must read them upright.
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* p = static_cast<std::uint32_t*>(bits);
    p[0] = p[1] = 0xFFFF0000u; // bottom row red
    p[2] = p[3] = 0xFF0000FFu; // top row blue
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, section);
    TSurface target(4, 4);
    HDC dc = CreateSurfaceDC(&target);
    BLENDFUNCTION opaque{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(dc, 0, 0, 2, 2, src, 0, 0, 2, 2, opaque));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    SetStretchBltMode(dc, HALFTONE);
    ASSERT_TRUE(StretchBlt(dc, 0, 0, 4, 4, src, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    ASSERT_TRUE(BitBlt(dc, 2, 0, 2, 2, src, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 3, 1), RGB(255, 0, 0));
    DeleteDC(dc);
    DeleteDC(src);
    DeleteObject(section);
}
