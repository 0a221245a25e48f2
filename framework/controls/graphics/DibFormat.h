// Device-independent bitmap data as BMP and ICO files hold it: reading and checking the info
// header, colour masks and colour table, decoding the pixel bits (1, 4, 8, 16, 24 and 32 bits,
// RLE4, RLE8 and bit fields) into a bitmap, and encoding a bitmap's pixels for writing.
#pragma once

#include "framework/controls/graphics/Graphics.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/rtl/Stream.h"

#include <vector>

namespace dw::dib {

constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD BI_JPEG = 4;
constexpr DWORD BI_PNG = 5;
constexpr DWORD BI_ALPHABITFIELDS = 6;

// RLE data does not bound the image size, so compressed images get a smaller limit than the
// surface's own.
constexpr std::int64_t kMaxRlePixels = std::int64_t(1) << 24;

// Bytes per row of pixel bits, rows padded to 4 bytes (any depth, 16 bits included).
constexpr std::int64_t RowBytes(int width, int bitCount) {
    return ((std::int64_t(width) * bitCount + 31) / 32) * 4;
}

struct TDibHeader {
    int Width = 0;
    int Height = 0; // rows of the image (half the stored height for an icon entry)
    bool TopDown = false;
    int BitCount = 0;
    DWORD Compression = BI_RGB;
    DWORD SizeImage = 0;
    bool Core = false;             // a 12-byte core header with 3-byte colour entries
    std::vector<RGBQUAD> Palette;  // for 1, 4 and 8 bits: the colour table
    DWORD Masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha for 16 and 32 bits
    size_t HeaderSize = 0;         // the info header
    size_t TableSize = 0;          // masks following a 40-byte header, and the colour table

    std::int64_t RowBytes() const { return dib::RowBytes(Width, BitCount); }
    bool IsRle() const { return Compression == BI_RLE4 || Compression == BI_RLE8; }
    // Bytes of pixel bits for an uncompressed image.
    std::int64_t BitsSize() const { return RowBytes() * Height; }
};

// Reads the info header, the masks and the colour table from the stream, checks them, and
// returns them. iconEntry: the stored height counts the XOR image and the AND mask. Raises
// EInvalidGraphic naming what is wrong.
TDibHeader ReadDibHeader(TStream& stream, bool iconEntry);

// Decodes pixel bits into a new 32-bit top-down bitmap of the header's size. For 32-bit images
// an alpha channel that is neither all zero nor all opaque is kept (premultiplied) and hasAlpha
// is set; otherwise pixels are opaque.
HBITMAP DecodeDibBits(const TDibHeader& header, const Byte* bits, size_t size, bool& hasAlpha);

// A 32-bit top-down DIB section of the size, filled with fill; raises EInvalidGraphic when the
// size is beyond the limits.
HBITMAP CreateDib(int width, int height, TPixel fill);

// The pixel bits of bitmap as rows of bitCount bits (1, 4, 8, 16 (5-6-5), 24 or 32), bottom-up,
// padded to 4 bytes. For 1, 4 and 8 bits pixels map to the nearest entry of palette; an empty
// palette is replaced by the standard table of that depth. 32-bit rows carry un-premultiplied
// alpha when withAlpha, opaque alpha otherwise.
std::vector<Byte> EncodeDibBits(HBITMAP bitmap, int bitCount, std::vector<RGBQUAD>& palette, bool withAlpha);

// Appends a 40-byte info header (height doubled for icon entries), the 5-6-5 masks for 16 bits
// and the colour table.
void WriteInfoHeader(std::vector<Byte>& out, int width, int height, int bitCount, const std::vector<RGBQUAD>& palette,
                     std::uint32_t bitsSize);

// Little-endian helpers for the file formats.
inline std::uint16_t GetU16(const Byte* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t GetU32(const Byte* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void PutU16(std::vector<Byte>& out, std::uint32_t v) {
    out.push_back(static_cast<Byte>(v));
    out.push_back(static_cast<Byte>(v >> 8));
}
inline void PutU32(std::vector<Byte>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// Reads exactly count bytes or raises EInvalidGraphic saying which part (what) is incomplete.
void ReadExact(TStream& stream, void* buffer, Int64 count, const char* what);
// Bytes between the stream position and its end.
Int64 Remaining(TStream& stream);

// Premultiplies straight alpha in place / undoes it.
TPixel Premultiply(TPixel p);
TPixel Unpremultiply(TPixel p);

} // namespace dw::dib
