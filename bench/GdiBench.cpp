// The renderer's hot paths: full-screen blits and fills, and a line of text with cached glyphs.
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/gdi/Text.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace dw;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

void BM_MemcpyFullScreen(benchmark::State& state) {
    TSurface a(kWidth, kHeight), b(kWidth, kHeight);
    for (auto _ : state) {
        std::memcpy(b.Row(0), a.Row(0), std::size_t(kWidth) * kHeight * sizeof(TPixel));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}
BENCHMARK(BM_MemcpyFullScreen)->Unit(benchmark::kMicrosecond);

void BM_BitBltSrcCopyFullScreen(benchmark::State& state) {
    TSurface a(kWidth, kHeight), b(kWidth, kHeight);
    HDC src = CreateSurfaceDC(&a), dst = CreateSurfaceDC(&b);
    for (auto _ : state) {
        BitBlt(dst, 0, 0, kWidth, kHeight, src, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
    DeleteDC(src);
    DeleteDC(dst);
}
BENCHMARK(BM_BitBltSrcCopyFullScreen)->Unit(benchmark::kMicrosecond);

void BM_BitBltSrcInvertFullScreen(benchmark::State& state) {
    TSurface a(kWidth, kHeight), b(kWidth, kHeight);
    HDC src = CreateSurfaceDC(&a), dst = CreateSurfaceDC(&b);
    for (auto _ : state) {
        BitBlt(dst, 0, 0, kWidth, kHeight, src, 0, 0, SRCINVERT);
        benchmark::ClobberMemory();
    }
    DeleteDC(src);
    DeleteDC(dst);
}
BENCHMARK(BM_BitBltSrcInvertFullScreen)->Unit(benchmark::kMicrosecond);

void BM_FillRectFullScreen(benchmark::State& state) {
    TSurface a(kWidth, kHeight);
    HDC dc = CreateSurfaceDC(&a);
    HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
    TRect r{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(dc, &r, brush);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
    DeleteObject(brush);
    DeleteDC(dc);
}
BENCHMARK(BM_FillRectFullScreen)->Unit(benchmark::kMicrosecond);

// A window DC whose visible region has holes (covering child windows), as the window manager makes.
void BM_FillRectComplexClip(benchmark::State& state) {
    TSurface a(kWidth, kHeight);
    TRegion visible(TRect{0, 0, kWidth, kHeight});
    for (int i = 0; i < 40; ++i)
        visible.Subtract(TRect{40 + i * 45, 100 + (i % 7) * 120, 70 + i * 45, 180 + (i % 7) * 120});
    HDC dc = CreateSurfaceDC(&a, {0, 0}, visible);
    HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
    TRect r{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(dc, &r, brush);
        benchmark::ClobberMemory();
    }
    DeleteObject(brush);
    DeleteDC(dc);
}
BENCHMARK(BM_FillRectComplexClip)->Unit(benchmark::kMicrosecond);

void BM_TextLine40Chars8pt(benchmark::State& state) {
    TSurface a(800, 100);
    HDC dc = CreateSurfaceDC(&a);
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const char* line = "The quick brown fox jumps over a lazy do"; // 40 characters
    TextOut(dc, 10, 10, line);                                     // fills the glyph cache
    for (auto _ : state) {
        TextOut(dc, 10, 10, line);
        benchmark::ClobberMemory();
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteDC(dc);
}
BENCHMARK(BM_TextLine40Chars8pt)->Unit(benchmark::kMicrosecond);

void BM_DrawTextWordBreak(benchmark::State& state) {
    TSurface a(400, 300);
    HDC dc = CreateSurfaceDC(&a);
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(dc, font);
    const char* text = "Button1: TButton\r\nOrigin: (16, 20);  Size: (75, 25) and a longer hint text that wraps";
    for (auto _ : state) {
        TRect r{0, 0, 200, 300};
        DrawText(dc, text, &r, DT_WORDBREAK);
        benchmark::ClobberMemory();
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteDC(dc);
}
BENCHMARK(BM_DrawTextWordBreak)->Unit(benchmark::kMicrosecond);

// The designer's rubber band: a dotted NOT-XOR rectangle drawn and erased on every mouse move.
void BM_RubberBandRectangle(benchmark::State& state) {
    TSurface a(kWidth, kHeight);
    HDC dc = CreateSurfaceDC(&a);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    SetROP2(dc, R2_NOTXORPEN);
    for (auto _ : state) {
        Rectangle(dc, 100, 100, 900, 700);
        benchmark::ClobberMemory();
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    DeleteDC(dc);
}
BENCHMARK(BM_RubberBandRectangle)->Unit(benchmark::kMicrosecond);

} // namespace
