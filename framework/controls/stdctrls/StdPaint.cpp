// Drawing helpers shared by the standard controls.
#include "framework/controls/stdctrls/StdPaint.h"

#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/gdi/SysColors.h"
#include "framework/platform/gdi/Text.h"

#include <cctype>
#include <utility>

namespace dw {

TMeasureDC::TMeasureDC(const TFont* font) : FDC(CreateCompatibleDC(nullptr)), FOldFont(nullptr) {
    if (font) FOldFont = SelectObject(FDC, font->Handle());
}

TMeasureDC::~TMeasureDC() {
    if (FOldFont) SelectObject(FDC, FOldFont);
    DeleteDC(FDC);
}

TSize TMeasureDC::Extent(std::string_view text) const {
    TSize size;
    GetTextExtentPoint32(FDC, text, &size);
    if (size.cy == 0) size.cy = LineHeight();
    return size;
}

int TMeasureDC::LineHeight() const {
    TEXTMETRIC tm;
    GetTextMetrics(FDC, &tm);
    return tm.tmHeight;
}

TSize TMeasureDC::FormattedSize(const String& text, UINT flags, int width) const {
    TRect r{0, 0, width, 0};
    // An empty caption still takes one line of height.
    DrawText(FDC, text.empty() ? String(" ") : text, &r, flags | DT_CALCRECT);
    if (text.empty()) r.Right = r.Left;
    return {r.Width(), r.Height()};
}

int FontLineHeight(const TFont* font) {
    return TMeasureDC(font).LineHeight();
}

void DrawCaption(TCanvas* canvas, const String& text, TRect rect, UINT flags, bool enabled) {
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        DrawText(dc, text, &rect, flags);
        return;
    }
    TColor saved = canvas->Font()->Color();
    canvas->Font()->SetColor(clBtnHighlight);
    dc = canvas->Handle();
    TRect shifted = rect.Offset(1, 1);
    DrawText(dc, text, &shifted, flags);
    canvas->Font()->SetColor(clBtnShadow);
    dc = canvas->Handle();
    DrawText(dc, text, &rect, flags);
    canvas->Font()->SetColor(saved);
}

COLORREF GlyphTransparentColor(TBitmap* glyph) {
    return ColorToRGB(glyph->TransparentColor()) & 0xFFFFFF;
}

void DrawGlyph(TCanvas* canvas, TBitmap* glyph, int cells, int index, int x, int y, bool emboss) {
    if (!glyph || glyph->Empty()) return;
    cells = std::max(cells, 1);
    int w = glyph->Width() / cells;
    int h = glyph->Height();
    if (w <= 0 || index < 0 || index >= cells) return;
    COLORREF key = GlyphTransparentColor(glyph);
    HDC dest = canvas->Handle();
    if (!emboss) {
        HDC src = glyph->Canvas()->Handle();
        TransparentBlt(dest, x, y, w, h, src, index * w, 0, w, h, key);
        return;
    }
    // The disabled shape: every pixel that is neither transparent nor light.
    COLORREF light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass) {
        int offset = pass == 0 ? 1 : 0;
        COLORREF colour = pass == 0 ? light : shadow;
        for (int row = 0; row < h; ++row) {
            const TPixel* line = std::as_const(*glyph).ScanLine(row);
            for (int col = 0; col < w; ++col) {
                COLORREF c = ColorFromPixel(line[index * w + col]);
                if (c == key) continue;
                int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                if (lum >= 192) continue;
                SetPixelV(dest, x + col + offset, y + row + offset, colour);
            }
        }
    }
}

HBRUSH DitherBrush() {
    static HBRUSH brush = nullptr;
    static COLORREF face = CLR_INVALID, light = CLR_INVALID;
    COLORREF f = ColorToRGB(clBtnFace), l = ColorToRGB(clBtnHighlight);
    if (brush && f == face && l == light) return brush;
    if (brush) DeleteObject(brush);
    face = f;
    light = l;
    TGdiHandle pattern(CreateBitmap(8, 8, 1, 32, nullptr));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, pattern);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixelV(dc, x, y, (x + y) % 2 ? face : light);
    SelectObject(dc, old);
    DeleteDC(dc);
    brush = CreatePatternBrush(pattern);
    return brush;
}

bool IsAccel(char32_t key, const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(caption[i + 1]);
        if (c >= 0x80 || key >= 0x80) return false;
        return std::toupper(c) == std::toupper(static_cast<int>(key));
    }
    return false;
}

} // namespace dw
