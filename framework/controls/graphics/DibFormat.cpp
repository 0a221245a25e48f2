#include "framework/controls/graphics/DibFormat.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/rtl/ScopeGuard.h"

#include <bit>
#include <cstring>

namespace dw::dib {

namespace {

bool ValidHeaderSize(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Extracts one channel of a bit-field pixel, scaled to 8 bits.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(std::uint32_t mask) : Mask(mask) {
        if (!mask) return;
        Shift = std::countr_zero(mask);
        Bits = std::popcount(mask);
    }
    int Get(std::uint32_t v, int absent) const {
        if (!Mask) return absent;
        std::uint32_t value = (v & Mask) >> Shift;
        if (Bits >= 8) return static_cast<int>(value >> (Bits - 8));
        std::uint32_t max = (1u << Bits) - 1;
        return static_cast<int>((value * 255 + max / 2) / max);
    }
};

TPixel PaletteColor(const std::vector<RGBQUAD>& palette, unsigned index) {
    if (index >= palette.size()) return 0xFF000000u;
    const RGBQUAD& q = palette[index];
    return 0xFF000000u | (static_cast<TPixel>(q.rgbRed) << 16) | (static_cast<TPixel>(q.rgbGreen) << 8) | q.rgbBlue;
}

// Decides what a 32-bit image's alpha bytes mean: all zero (the classic "reserved" byte) or all
// opaque is no alpha; anything else is straight alpha, premultiplied here.
bool FixAlpha(TSurface& s) {
    bool anyZero = false, anyPartial = false, anyNonZero = false;
    for (int y = 0; y < s.Height(); ++y) {
        const TPixel* row = s.Row(y);
        for (int x = 0; x < s.Width(); ++x) {
            TPixel a = row[x] >> 24;
            if (a == 0) anyZero = true;
            if (a != 0) anyNonZero = true;
            if (a != 0xFF) anyPartial = true;
        }
    }
    bool hasAlpha = anyNonZero && anyPartial;
    (void)anyZero;
    for (int y = 0; y < s.Height(); ++y) {
        TPixel* row = s.Row(y);
        for (int x = 0; x < s.Width(); ++x) row[x] = hasAlpha ? Premultiply(row[x]) : (row[x] | 0xFF000000u);
    }
    return hasAlpha;
}

void DecodeBitFields(const TDibHeader& h, const Byte* bits, TSurface& s, bool& hasAlpha) {
    TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]), alpha(h.Masks[3]);
    const std::int64_t rowBytes = h.RowBytes();
    for (int r = 0; r < h.Height; ++r) {
        const Byte* src = bits + r * rowBytes;
        TPixel* dst = s.Row(h.TopDown ? r : h.Height - 1 - r);
        for (int x = 0; x < h.Width; ++x) {
            std::uint32_t v = h.BitCount == 16 ? GetU16(src + 2 * x) : GetU32(src + 4 * x);
            dst[x] = (static_cast<TPixel>(alpha.Get(v, 0)) << 24) | (static_cast<TPixel>(red.Get(v, 0)) << 16) |
                     (static_cast<TPixel>(green.Get(v, 0)) << 8) | static_cast<TPixel>(blue.Get(v, 0));
        }
    }
    hasAlpha = h.Masks[3] ? FixAlpha(s) : false;
    if (!h.Masks[3])
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) s.At(x, y) |= 0xFF000000u;
}

void DecodeRle(const TDibHeader& h, const Byte* data, size_t size, TSurface& s) {
    const bool rle4 = h.Compression == BI_RLE4;
    s.Fill(PaletteColor(h.Palette, 0));
    int x = 0, y = 0; // y counts rows from the bottom
    size_t pos = 0;
    auto put = [&](unsigned index) {
        if (x < h.Width && y < h.Height) s.At(x, h.Height - 1 - y) = PaletteColor(h.Palette, index);
        ++x;
    };
    auto truncated = [] { throw EInvalidGraphic("Bitmap image is truncated: the compressed pixel data ends early"); };
    for (;;) {
        if (y >= h.Height) return;
        if (pos + 2 > size) truncated();
        unsigned count = data[pos++];
        unsigned code = data[pos++];
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) put(rle4 ? (i % 2 == 0 ? code >> 4 : code & 0x0F) : code);
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return;
        case 2: // delta
            if (pos + 2 > size) truncated();
            x += data[pos++];
            y += data[pos++];
            break;
        default: { // a run of literal pixels, padded to a 16-bit boundary
            unsigned bytes = rle4 ? (code + 1) / 2 : code;
            if (pos + bytes > size) truncated();
            for (unsigned i = 0; i < code; ++i) {
                Byte b = data[pos + (rle4 ? i / 2 : i)];
                put(rle4 ? (i % 2 == 0 ? b >> 4 : b & 0x0F) : b);
            }
            pos += bytes + (bytes & 1);
            break;
        }
        }
    }
}

std::vector<RGBQUAD> StandardTableFor(int bitCount) {
    // Ask the windowing core for its standard table, so our files and its conversions agree.
    HBITMAP probe = CreateDib(1, 1, 0xFF000000u);
    BITMAPINFO info;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biClrUsed = 0;
    Byte bits[4] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    int rows = GetDIBits(dc, probe, 0, 1, bits, &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(probe);
    if (rows != 1) throw EInvalidGraphic(Format("The standard %d-bit colour table is not available", bitCount));
    return std::vector<RGBQUAD>(info.bmiColors, info.bmiColors + (1 << bitCount));
}

} // namespace

TPixel Premultiply(TPixel p) {
    TPixel a = p >> 24;
    if (a == 0xFF) return p;
    if (a == 0) return 0;
    auto mul = [a](TPixel c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
}

TPixel Unpremultiply(TPixel p) {
    TPixel a = p >> 24;
    if (a == 0xFF) return p;
    if (a == 0) return 0;
    auto div = [a](TPixel c) { return std::min<TPixel>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}

void ReadExact(TStream& stream, void* buffer, Int64 count, const char* what) {
    Byte* p = static_cast<Byte*>(buffer);
    Int64 done = 0;
    while (done < count) {
        Int64 n = stream.Read(p + done, count - done);
        if (n <= 0) throw EInvalidGraphic(Format("Picture data is truncated: %s is incomplete", what));
        done += n;
    }
}

Int64 Remaining(TStream& stream) {
    Int64 pos = stream.Position();
    return std::max<Int64>(0, stream.Size() - pos);
}

TDibHeader ReadDibHeader(TStream& stream, bool iconEntry) {
    Byte buf[124];
    ReadExact(stream, buf, 4, "the bitmap header");
    std::uint32_t headerSize = GetU32(buf);
    if (!ValidHeaderSize(headerSize))
        throw EInvalidGraphic(Format("Bitmap image is not valid: a header of %u bytes is not supported", headerSize));
    ReadExact(stream, buf + 4, headerSize - 4, "the bitmap header");

    TDibHeader h;
    h.HeaderSize = headerSize;
    std::int64_t width, height;
    int planes;
    std::uint32_t clrUsed = 0;
    if (headerSize == 12) {
        h.Core = true;
        width = GetU16(buf + 4);
        height = GetU16(buf + 6);
        planes = GetU16(buf + 8);
        h.BitCount = GetU16(buf + 10);
    } else {
        width = static_cast<std::int32_t>(GetU32(buf + 4));
        height = static_cast<std::int32_t>(GetU32(buf + 8));
        planes = GetU16(buf + 12);
        h.BitCount = GetU16(buf + 14);
        h.Compression = GetU32(buf + 16);
        h.SizeImage = GetU32(buf + 20);
        clrUsed = GetU32(buf + 32);
        if (headerSize >= 52)
            for (int i = 0; i < 3; ++i) h.Masks[i] = GetU32(buf + 40 + 4 * i);
        if (headerSize >= 56) h.Masks[3] = GetU32(buf + 52);
    }
    if (planes > 1) throw EInvalidGraphic(Format("Bitmap image is not valid: %d colour planes", planes));
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        break;
    case 16:
    case 32:
        if (!h.Core) break;
        [[fallthrough]];
    default:
        throw EInvalidGraphic(Format("Bitmap image is not valid: %d bits per pixel", h.BitCount));
    }
    switch (h.Compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (h.BitCount != (h.Compression == BI_RLE8 ? 8 : 4))
            throw EInvalidGraphic(Format("Bitmap image is not valid: RLE%d compression with %d bits per pixel",
                                         h.Compression == BI_RLE8 ? 8 : 4, h.BitCount));
        if (height < 0) throw EInvalidGraphic("Bitmap image is not valid: a compressed image cannot be top-down");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (h.BitCount != 16 && h.BitCount != 32)
            throw EInvalidGraphic(
                Format("Bitmap image is not valid: bit-field colours with %d bits per pixel", h.BitCount));
        break;
    case BI_JPEG:
    case BI_PNG:
        throw EInvalidGraphic("Bitmaps holding JPEG or PNG data are not supported");
    default:
        throw EInvalidGraphic(Format("Bitmap image is not valid: unknown compression %u", h.Compression));
    }

    if (iconEntry) height /= 2;
    h.TopDown = height < 0;
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic(Format("Bitmap image is not valid: its size is %d x %d", static_cast<int>(width),
                                     static_cast<int>(height)));
    std::int64_t maxPixels = h.IsRle() ? kMaxRlePixels : TSurface::kMaxPixels;
    if (width > TSurface::kMaxDimension || height > TSurface::kMaxDimension || width * height > maxPixels)
        throw EInvalidGraphic(Format("Bitmap image of %d x %d pixels is too large", static_cast<Int64>(width),
                                     static_cast<Int64>(height)));
    h.Width = static_cast<int>(width);
    h.Height = static_cast<int>(height);

    // Masks that follow a plain info header.
    if (headerSize == 40 && (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS)) {
        int count = h.Compression == BI_BITFIELDS ? 3 : 4;
        Byte masks[16];
        ReadExact(stream, masks, 4 * count, "the colour masks");
        for (int i = 0; i < count; ++i) h.Masks[i] = GetU32(masks + 4 * i);
        h.TableSize += 4 * count;
    }
    if (h.Compression == BI_RGB) {
        if (h.BitCount == 16) {
            h.Masks[0] = 0x7C00;
            h.Masks[1] = 0x03E0;
            h.Masks[2] = 0x001F;
            h.Masks[3] = 0;
        } else if (h.BitCount == 32) {
            h.Masks[0] = 0x00FF0000;
            h.Masks[1] = 0x0000FF00;
            h.Masks[2] = 0x000000FF;
            h.Masks[3] = 0xFF000000;
        }
    }
    if ((h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) &&
        !(h.Masks[0] | h.Masks[1] | h.Masks[2]))
        throw EInvalidGraphic("Bitmap image is not valid: all colour masks are empty");

    if (h.BitCount <= 8) {
        std::uint32_t maxEntries = 1u << h.BitCount;
        if (clrUsed > 256)
            throw EInvalidGraphic(Format("Bitmap image is not valid: a colour table of %u entries", clrUsed));
        std::uint32_t entries = clrUsed ? clrUsed : maxEntries;
        int entrySize = h.Core ? 3 : 4;
        std::vector<Byte> table(static_cast<size_t>(entries) * entrySize);
        ReadExact(stream, table.data(), static_cast<Int64>(table.size()), "the colour table");
        h.TableSize += table.size();
        h.Palette.resize(std::min(entries, maxEntries));
        for (size_t i = 0; i < h.Palette.size(); ++i) {
            const Byte* e = table.data() + i * entrySize;
            h.Palette[i].rgbBlue = e[0];
            h.Palette[i].rgbGreen = e[1];
            h.Palette[i].rgbRed = e[2];
        }
    }
    return h;
}

HBITMAP CreateDib(int width, int height, TPixel fill) {
    if (width <= 0 || height <= 0 || width > TSurface::kMaxDimension || height > TSurface::kMaxDimension ||
        static_cast<std::int64_t>(width) * height > TSurface::kMaxPixels)
        throw EInvalidGraphic(Format("A bitmap of %d x %d pixels cannot be created", width, height));
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    TSurface* surface = bitmap ? GetBitmapSurface(bitmap) : nullptr;
    if (!surface) {
        if (bitmap) DeleteObject(bitmap);
        throw EOutOfResources(Format("A bitmap of %d x %d pixels cannot be created", width, height));
    }
    surface->Fill(fill);
    return bitmap;
}

HBITMAP DecodeDibBits(const TDibHeader& h, const Byte* bits, size_t size, bool& hasAlpha) {
    hasAlpha = false;
    if (!h.IsRle() && static_cast<std::int64_t>(size) < h.BitsSize())
        throw EInvalidGraphic(Format("Bitmap image is truncated: %d bytes of pixel data expected, %d found",
                                     h.BitsSize(), static_cast<Int64>(size)));
    HBITMAP bitmap = CreateDib(h.Width, h.Height, 0xFF000000u);
    {
        auto undo = ScopeFail([&] { DeleteObject(bitmap); });
        TSurface& surface = *GetBitmapSurface(bitmap);
        if (h.IsRle()) {
            DecodeRle(h, bits, size, surface);
        } else if (h.BitCount == 16 || h.Compression != BI_RGB) {
            DecodeBitFields(h, bits, surface, hasAlpha);
        } else {
            BITMAPINFO info;
            info.bmiHeader.biWidth = h.Width;
            info.bmiHeader.biHeight = h.TopDown ? -h.Height : h.Height;
            info.bmiHeader.biBitCount = static_cast<WORD>(h.BitCount);
            info.bmiHeader.biClrUsed = static_cast<DWORD>(h.Palette.size());
            std::copy(h.Palette.begin(), h.Palette.end(), info.bmiColors);
            int rows = SetDIBits(nullptr, bitmap, 0, static_cast<UINT>(h.Height), bits, &info, DIB_RGB_COLORS);
            if (rows != h.Height) throw EInvalidGraphic("Bitmap image could not be converted");
            if (h.BitCount == 32)
                hasAlpha = FixAlpha(surface);
            else
                for (int y = 0; y < h.Height; ++y)
                    for (int x = 0; x < h.Width; ++x) surface.At(x, y) |= 0xFF000000u;
        }
    }
    return bitmap;
}

std::vector<Byte> EncodeDibBits(HBITMAP bitmap, int bitCount, std::vector<RGBQUAD>& palette, bool withAlpha) {
    TSurface* surface = GetBitmapSurface(bitmap);
    if (!surface || surface->IsEmpty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    const int w = surface->Width(), h = surface->Height();
    const std::int64_t rowBytes = RowBytes(w, bitCount);
    std::vector<Byte> bits(static_cast<size_t>(rowBytes * h));
    if (bitCount == 16) {
        for (int r = 0; r < h; ++r) {
            const TPixel* src = surface->Row(h - 1 - r);
            Byte* dst = bits.data() + r * rowBytes;
            for (int x = 0; x < w; ++x) {
                TPixel p = src[x];
                std::uint32_t v = (((p >> 19) & 0x1F) << 11) | (((p >> 10) & 0x3F) << 5) | ((p >> 3) & 0x1F);
                dst[2 * x] = static_cast<Byte>(v);
                dst[2 * x + 1] = static_cast<Byte>(v >> 8);
            }
        }
        return bits;
    }
    if (bitCount == 24 || bitCount == 32) {
        palette.clear();
        for (int r = 0; r < h; ++r) {
            const TPixel* src = surface->Row(h - 1 - r);
            Byte* dst = bits.data() + r * rowBytes;
            for (int x = 0; x < w; ++x) {
                TPixel p = src[x];
                if (bitCount == 24) {
                    *dst++ = static_cast<Byte>(p);
                    *dst++ = static_cast<Byte>(p >> 8);
                    *dst++ = static_cast<Byte>(p >> 16);
                } else {
                    p = withAlpha ? Unpremultiply(p) : (p | 0xFF000000u);
                    for (int i = 0; i < 4; ++i) *dst++ = static_cast<Byte>(p >> (8 * i));
                }
            }
        }
        return bits;
    }
    // Indexed rows: the windowing core maps every pixel to the nearest entry of the table.
    if (palette.empty() || palette.size() > (1u << bitCount)) palette = StandardTableFor(bitCount);
    BITMAPINFO info;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biClrUsed = static_cast<DWORD>(palette.size());
    std::copy(palette.begin(), palette.end(), info.bmiColors);
    HDC dc = CreateCompatibleDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != h) throw EInvalidGraphic(Format("The pixels of the bitmap could not be read as %d bits", bitCount));
    return bits;
}

void WriteInfoHeader(std::vector<Byte>& out, int width, int height, int bitCount, const std::vector<RGBQUAD>& palette,
                     std::uint32_t bitsSize) {
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bitCount));
    PutU32(out, bitCount == 16 ? BI_BITFIELDS : BI_RGB);
    PutU32(out, bitsSize);
    PutU32(out, 3780);
    PutU32(out, 3780);
    PutU32(out, bitCount <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
    PutU32(out, 0);
    if (bitCount == 16) {
        PutU32(out, 0xF800);
        PutU32(out, 0x07E0);
        PutU32(out, 0x001F);
    }
    if (bitCount <= 8)
        for (const RGBQUAD& q : palette) {
            out.push_back(q.rgbBlue);
            out.push_back(q.rgbGreen);
            out.push_back(q.rgbRed);
            out.push_back(0);
        }
}

} // namespace dw::dib
