// Text output and measurement on device contexts: TextOut, ExtTextOut, DrawText, extents and
// metrics. Text is UTF-8; fonts are FreeType faces found through fontconfig; fixed 96 DPI.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/rtl/SysUtils.h"

#include <string_view>

namespace dw {

struct TEXTMETRIC {
    LONG tmHeight = 0; // ascent + descent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0; // height - character (em) height
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    char32_t tmFirstChar = 0x20;
    char32_t tmLastChar = 0xFFFD;
    char32_t tmDefaultChar = 0xFFFD;
    char32_t tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0; // TMPF_FIXED_PITCH set means *variable* pitch, as it always has
    BYTE tmCharSet = 0;
};
constexpr BYTE TMPF_FIXED_PITCH = 1;

// Uses the selected font, text colour, background mode and colour, and text alignment; the ROP2
// mode does not apply to text. With TA_UPDATECP the current position is used and advanced.
bool TextOut(HDC dc, int x, int y, std::string_view text);

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
// ETO_OPAQUE fills rect with the background colour first; ETO_CLIPPED clips the text to rect.
// dx (optional) gives the advance of each character (code point) in turn.
bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text, const int* dx = nullptr);

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);
// How many characters (code points) fit into maxExtent (when fit is not null), the extent of each
// prefix (when dx is not null, one entry per code point) and the extent of the whole text.
bool GetTextExtentExPoint(HDC dc, std::string_view text, int maxExtent, int* fit, int* dx, TSize* size);
bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
// Advance widths of the code points first..last into widths (last - first + 1 entries).
bool GetCharWidth(HDC dc, UINT first, UINT last, int* widths);
bool GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
// The family name of the face actually used for the selected font.
String GetTextFace(HDC dc);

constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_TABSTOP = 0x0080; // the high byte of the format is the tab size in characters
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_EXTERNALLEADING = 0x0200;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
constexpr UINT DT_HIDEPREFIX = 0x100000;
constexpr UINT DT_PREFIXONLY = 0x200000;

// Formats text into rect. Without DT_NOPREFIX "&x" underlines x and "&&" shows "&". Line breaks
// (CR, LF, CR LF) start new lines unless DT_SINGLELINE; DT_WORDBREAK wraps at spaces (a word
// wider than the rectangle stays whole). DT_VCENTER and DT_BOTTOM apply to single lines.
// DT_CALCRECT draws nothing and sets rect's right and bottom to the bounds of the formatted text.
// Returns the height of the text, or with DT_VCENTER/DT_BOTTOM the offset from rect->top to the
// bottom of the drawn text; 0 on failure.
int DrawText(HDC dc, std::string_view text, TRect* rect, UINT format);

} // namespace dw
