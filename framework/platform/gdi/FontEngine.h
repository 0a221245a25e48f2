// Internal to the renderer: fonts realised from LOGFONT through fontconfig and FreeType, with
// per-font metrics and a glyph cache (keyed by face file, pixel size and style).
#pragma once

#include "framework/platform/gdi/GdiObjects.h"
#include "framework/rtl/SysUtils.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dw {

// A rendered glyph: 8-bit coverage (0..255; 1-bit fonts use 0 and 255) placed relative to the pen
// position on the baseline.
struct TGlyph {
    int Advance = 0;
    int Left = 0; // bitmap x offset from the pen
    int Top = 0;  // rows of the bitmap above the baseline
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;
};

// One face at one pixel size and style. Lives as long as the font cache (until program exit).
class TFontInstance {
public:
    ~TFontInstance();
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

    const String& Family() const { return FFamily; }
    int Ascent() const { return FAscent; }
    int Descent() const { return FDescent; }
    int Height() const { return FAscent + FDescent; }
    int EmPixels() const { return FEm; }
    int AveCharWidth() const { return FAveCharWidth; }
    int MaxCharWidth() const { return FMaxCharWidth; }
    int Weight() const { return FWeight; }
    bool Italic() const { return FItalic; }
    bool FixedPitch() const { return FFixedPitch; }
    // Rows below the cell top.
    int UnderlineTop() const { return FUnderlineTop; }
    int UnderlineThickness() const { return FUnderlineThickness; }
    int StrikeOutTop() const { return FStrikeOutTop; }

    const TGlyph& Glyph(char32_t cp);
    int Advance(char32_t cp) { return Glyph(cp).Advance; }

private:
    friend class TFontCache;
    TFontInstance() = default;
    void Render(char32_t cp, TGlyph& out);

    void* FFace = nullptr; // FT_Face
    String FFamily;
    int FEm = 0;
    int FAscent = 0, FDescent = 0, FAveCharWidth = 0, FMaxCharWidth = 0, FWeight = FW_NORMAL;
    bool FItalic = false, FFixedPitch = false, FMono = false, FSynthBold = false, FSynthItalic = false;
    int FUnderlineTop = 0, FUnderlineThickness = 1, FStrikeOutTop = 0;
    std::unique_ptr<TGlyph> FAscii[128];
    std::unordered_map<char32_t, std::unique_ptr<TGlyph>> FOther;
};

// The instance for a logical font; null only when no font at all can be loaded.
TFontInstance* RealizeFont(const LOGFONT& font);

// The family fontconfig would give for a face name after the classic-name mapping (for tests).
String ResolveFontFamily(std::string_view faceName);

} // namespace dw
