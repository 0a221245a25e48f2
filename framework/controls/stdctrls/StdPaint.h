// Drawing helpers shared by the standard controls: text measured in a font outside painting,
// captions drawn normally or embossed when disabled, and bitmap glyphs drawn with their
// transparent colour (or embossed, for a disabled look).
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/Canvas.h"

namespace dw {

// A memory device context with a font selected, for measuring text when no paint is under way.
class TMeasureDC {
public:
    explicit TMeasureDC(const TFont* font);
    ~TMeasureDC();
    TMeasureDC(const TMeasureDC&) = delete;
    TMeasureDC& operator=(const TMeasureDC&) = delete;
    HDC DC() const { return FDC; }
    TSize Extent(std::string_view text) const;
    // The line height of the font (ascent + descent).
    int LineHeight() const;
    // DrawText with DT_CALCRECT: the size the text needs (wrapped at width when flags ask).
    TSize FormattedSize(const String& text, UINT flags, int width = 0) const;

private:
    HDC FDC;
    HGDIOBJ FOldFont;
};

// The line height of a font.
int FontLineHeight(const TFont* font);

// DrawText in the canvas's font colour, or, when disabled, embossed: the text in clBtnHighlight
// one pixel down and right, then in clBtnShadow. The brush is left clear afterwards.
void DrawCaption(TCanvas* canvas, const String& text, TRect rect, UINT flags, bool enabled);

// The colour a glyph bitmap treats as transparent: its own TransparentColor (the bottom-left
// pixel unless fixed).
COLORREF GlyphTransparentColor(TBitmap* glyph);

// Draws cell `index` of a bitmap made of `cells` equally wide glyphs side by side, at (x, y),
// leaving its transparent pixels alone. With emboss, draws the glyph's dark pixels as the classic
// disabled shape instead (clBtnHighlight offset by one pixel, then clBtnShadow).
void DrawGlyph(TCanvas* canvas, TBitmap* glyph, int cells, int index, int x, int y, bool emboss);

// A brush of alternating clBtnFace and clBtnHighlight pixels, the background of a checked tool
// button or speed button and of a scroll bar's track. Shared; never delete it.
HBRUSH DitherBrush();

// Whether the text has an accelerator ("&x"), and which character it is (upper-cased).
bool IsAccel(char32_t key, const String& caption);

} // namespace dw
