// Graphics objects behind HGDIOBJ handles: pens, brushes, fonts, bitmaps (device-dependent,
// monochrome and device-independent), their creation, inspection and deletion, and stock objects.
// Like everything in the windowing core, handles belong to the one user-interface thread.
// Functions of the classic API report failure (null, false, 0, ERROR) rather than throwing.
#pragma once

#include "framework/platform/Types.h"
#include "framework/rtl/SysUtils.h"

#include <cstdint>

namespace dw {

class TSurface;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;

// Object types (GetObjectType).
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;
constexpr int OBJ_MEMDC = 10;

// Pen styles. Styled pens (dash, dot, ...) are one pixel wide; a wider styled pen draws solid.
// Gaps are painted in the background colour when the background mode is OPAQUE.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
// Wide pens of this style keep the outline of closed shapes inside their bounding rectangle.
constexpr int PS_INSIDEFRAME = 6;
// Alternate pixels on, whatever the width (the focus rectangle's dots).
constexpr int PS_ALTERNATE = 8;
constexpr int PS_STYLE_MASK = 0x0F;

// Brush styles.
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;

// Hatch styles: 8 x 8 line patterns in the brush colour; the gaps take the background colour
// when the background mode is OPAQUE and are left alone when it is TRANSPARENT.
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;
// Their colour is the device context's (SetDCBrushColor / SetDCPenColor).
constexpr int DC_BRUSH = 18;
constexpr int DC_PEN = 19;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    TPoint lopnWidth; // X is the width; Y unused
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0; // hatch style for BS_HATCHED
};

// Font weights.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE OEM_CHARSET = 255;

// Output qualities: anti-aliased greyscale unless NONANTIALIASED_QUALITY asks for 1-bit glyphs.
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;

// Pitch and family (low two bits pitch, high nibble family); used when the face name is empty.
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

constexpr int LF_FACESIZE = 32;

// Height below zero: the character (em) height in pixels; above zero: the cell height
// (ascent + descent); zero: the default 8-point size. Escapement and orientation are ignored.
// The face name is UTF-8, NUL-terminated.
struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH;
    char lfFaceName[LF_FACESIZE] = {};
};
// Stores a face name, cut at a character boundary when it is too long.
void SetFaceName(LOGFONT& font, std::string_view name);

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr; // a DIB section's bits; null otherwise
};

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// biHeight above zero: rows bottom-up; below zero: top-down. biBitCount 1, 4, 8, 24 or 32.
struct BITMAPINFOHEADER {
    DWORD biSize = sizeof(BITMAPINFOHEADER);
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 3780;
    LONG biYPelsPerMeter = 3780;
    DWORD biClrUsed = 0; // 0 with 1/4/8 bits: the full 2^n table
    DWORD biClrImportant = 0;
};

// The colour table has room for every entry an 8-bit image can have, so the structure can be
// used as it is, without the variable-length allocation tricks of the classic header.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {};
    void* dshSection = nullptr;
    DWORD dsOffset = 0;
};

// Bytes per row of device-independent bits (rows are padded to 4 bytes); -1 when the sizes are
// unusable.
std::int64_t DibRowBytes(int width, int bitCount);

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatchStyle, COLORREF color);
// The brush takes a copy of the bitmap's pixels (any size; the pattern repeats from the brush
// origin). A monochrome bitmap draws in the text colour (0 bits) and background colour (1 bits).
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, std::string_view faceName);

// Bitmaps. Colour bitmaps are 32 bits per pixel; one bit per pixel gives a monochrome bitmap
// (black and white only). Monochrome blits follow the classic rules: blitting a monochrome
// source onto colour maps black to the text colour and white to the background colour; blitting
// colour onto monochrome makes pixels equal to the source's background colour white and the rest
// black. New bitmaps are black. Sizes beyond TSurface's limits, and zero or negative sizes for
// CreateDIBSection, give null.
// bits (optional) are rows padded to 2 bytes, top-down, 1, 24 or 32 bits per pixel.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
// Compatible with dc: monochrome when dc is a memory DC holding a monochrome bitmap (as a fresh
// memory DC does), colour otherwise; a null dc means the screen (colour). A zero size gives a
// 1 x 1 monochrome bitmap, as it always has.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A DIB section: 32 bits per pixel only, because the bits pointer is the bitmap's own pixels
// (0xAARRGGBB, premultiplied where alpha is used; bottom-up when biHeight is positive). Other
// depths are served by CreateDIBitmap / SetDIBits / GetDIBits, which convert.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section, DWORD offset);
constexpr DWORD CBM_INIT = 4;
// A colour bitmap of the header's size, initialised from bits when init has CBM_INIT.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage);
// Writes rows [startScan, startScan + lines) of the image described by info (numbered from the
// bottom for bottom-up images) into the bitmap. Returns the number of rows written, 0 on failure.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// Reads rows of the bitmap in the format of info->bmiHeader (biWidth and biBitCount must be set;
// a zero biHeight or null bits fill in the header of the whole bitmap and return its height).
// For 1, 4 and 8 bits: when info carries a colour table (biClrUsed > 0) pixels are mapped to the
// nearest entry of that table, so images round-trip exactly through the table they were written
// with; otherwise a standard table is written into info (black and white; the 16 VGA colours;
// a 6x6x6 cube with greys) and used. Returns the number of rows copied, 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* info, UINT usage);

// GetObject fills a LOGPEN, LOGBRUSH, LOGFONT, BITMAP or DIBSECTION (copying at most size
// bytes) and returns the bytes written; with a null buffer it returns the size it needs.
int GetObject(HGDIOBJ obj, int size, void* buffer);
// OBJ_PEN, OBJ_BRUSH, ...; 0 for a bad handle.
int GetObjectType(HGDIOBJ obj);
// Fails for stock objects and bad handles. An object still selected into a device context is
// deleted at once as far as its handle goes (the handle becomes invalid), and freed when the
// last device context lets go of it.
bool DeleteObject(HGDIOBJ obj);
HGDIOBJ GetStockObject(int index);
bool IsStockObject(HGDIOBJ obj);

// The pixels behind a bitmap handle (for PNG output, picture classes and the window manager);
// null for a bad handle. Valid until the bitmap is deleted.
TSurface* GetBitmapSurface(HBITMAP bitmap);
bool IsMonochromeBitmap(HBITMAP bitmap);
// Size of a bitmap in pixels; false for a bad handle.
bool GetBitmapSize(HBITMAP bitmap, TSize* size);

// Number of live (created and not yet freed) objects that are not stock objects; for leak tests.
int GdiObjectCount();

} // namespace dw
