#include "framework/platform/gdi/Png.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FileSave.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

namespace dw {

namespace {

struct TPngError {
    String Message;
};

void OnError(png_structp png, png_const_charp message) {
    auto* err = static_cast<TPngError*>(png_get_error_ptr(png));
    if (err) err->Message = message ? message : "unknown libpng error";
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

TRect Area(const TSurface& surface, const TRect* rect) {
    TRect r = rect ? rect->Intersect(surface.BoundsRect()) : surface.BoundsRect();
    if (r.IsEmpty()) throw EInvalidArgument("There is nothing to write: the PNG area is empty");
    return r;
}

// Rows as 8-bit RGB or RGBA, un-premultiplied.
std::vector<std::uint8_t> PackRows(const TSurface& surface, const TRect& r, bool withAlpha) {
    int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> out(std::size_t(r.Width()) * r.Height() * channels);
    std::uint8_t* o = out.data();
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TPixel* row = surface.Row(y);
        for (int x = r.Left; x < r.Right; ++x) {
            TPixel p = row[x];
            unsigned a = p >> 24, cr = (p >> 16) & 0xFF, cg = (p >> 8) & 0xFF, cb = p & 0xFF;
            if (withAlpha) {
                if (a != 0 && a != 255) {
                    cr = std::min(255u, (cr * 255 + a / 2) / a);
                    cg = std::min(255u, (cg * 255 + a / 2) / a);
                    cb = std::min(255u, (cb * 255 + a / 2) / a);
                } else if (a == 0)
                    cr = cg = cb = 0;
                *o++ = static_cast<std::uint8_t>(cr);
                *o++ = static_cast<std::uint8_t>(cg);
                *o++ = static_cast<std::uint8_t>(cb);
                *o++ = static_cast<std::uint8_t>(a);
            } else {
                *o++ = static_cast<std::uint8_t>(cr);
                *o++ = static_cast<std::uint8_t>(cg);
                *o++ = static_cast<std::uint8_t>(cb);
            }
        }
    }
    return out;
}

void WriteCallback(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushCallback(png_structp) {}

struct TReadSource {
    const std::uint8_t* Data;
    std::size_t Size;
    std::size_t Pos;
};

void ReadCallback(png_structp png, png_bytep data, png_size_t length) {
    auto* src = static_cast<TReadSource*>(png_get_io_ptr(png));
    if (length > src->Size - src->Pos) png_error(png, "the PNG data ends too early");
    std::memcpy(data, src->Data + src->Pos, length);
    src->Pos += length;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const TSurface& surface, const TRect* rect, bool withAlpha) {
    TRect r = Area(surface, rect);
    std::vector<std::uint8_t> pixels = PackRows(surface, r, withAlpha);
    std::vector<std::uint8_t> out;
    TPngError err;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &err, OnError, OnWarning);
    if (!png) throw EOutOfResources("Cannot create a PNG writer");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw EOutOfResources("Cannot create a PNG writer");
    }
    std::vector<png_bytep> rows(std::size_t(r.Height()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw EWriteError("Cannot encode the PNG image: " + err.Message);
    }
    png_set_write_fn(png, &out, WriteCallback, FlushCallback);
    png_set_IHDR(png, info, static_cast<png_uint_32>(r.Width()), static_cast<png_uint_32>(r.Height()), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    std::size_t stride = std::size_t(r.Width()) * (withAlpha ? 4 : 3);
    for (int y = 0; y < r.Height(); ++y) rows[std::size_t(y)] = pixels.data() + stride * std::size_t(y);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void SavePng(const TSurface& surface, const String& fileName, const TRect* rect, bool withAlpha) {
    std::vector<std::uint8_t> data = EncodePng(surface, rect, withAlpha);
    SaveFile(fileName, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

TSurface DecodePng(const std::uint8_t* data, std::size_t size, bool* hasAlpha) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) throw EInvalidImage("The data is not a PNG image");
    TPngError err;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &err, OnError, OnWarning);
    if (!png) throw EOutOfResources("Cannot create a PNG reader");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw EOutOfResources("Cannot create a PNG reader");
    }
    TReadSource src{data, size, 0};
    // Buffers live behind a pointer that is not changed after setjmp, so a longjmp leaves them valid.
    struct TBuffers {
        std::vector<std::uint8_t> Pixels;
        std::vector<png_bytep> Rows;
    };
    auto buffers = std::make_unique<TBuffers>();
    std::vector<std::uint8_t>& pixels = buffers->Pixels;
    std::vector<png_bytep>& rows = buffers->Rows;
    png_uint_32 width = 0, height = 0;
    bool alpha = false;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw EInvalidImage("The PNG image is corrupt: " + err.Message);
    }
    png_set_read_fn(png, &src, ReadCallback);
    png_set_user_limits(png, TSurface::kMaxDimension, TSurface::kMaxDimension);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (std::uint64_t(width) * height > std::uint64_t(TSurface::kMaxPixels)) png_error(png, "the image is too large");
    int colorType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4) png_error(png, "unexpected row layout");
    pixels.resize(std::size_t(width) * height * 4);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + std::size_t(y) * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    TSurface out(static_cast<int>(width), static_cast<int>(height));
    for (png_uint_32 y = 0; y < height; ++y) {
        const std::uint8_t* in = rows[y];
        TPixel* o = out.Row(static_cast<int>(y));
        for (png_uint_32 x = 0; x < width; ++x) {
            unsigned r = in[x * 4], g = in[x * 4 + 1], b = in[x * 4 + 2], a = in[x * 4 + 3];
            if (a != 255) {
                r = (r * a + 127) / 255;
                g = (g * a + 127) / 255;
                b = (b * a + 127) / 255;
            }
            o[x] = (TPixel(a) << 24) | (r << 16) | (g << 8) | b;
        }
    }
    if (hasAlpha) *hasAlpha = alpha;
    return out;
}

TSurface LoadPng(const String& fileName, bool* hasAlpha) {
    std::FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) throw EReadError(Format("Cannot open the PNG file \"%s\"", fileName));
    std::vector<std::uint8_t> data;
    std::uint8_t buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) data.insert(data.end(), buf, buf + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) throw EReadError(Format("Cannot read the PNG file \"%s\"", fileName));
    try {
        return DecodePng(data.data(), data.size(), hasAlpha);
    } catch (const EInvalidImage& e) {
        throw EInvalidImage(Format("\"%s\": %s", fileName, e.Message()));
    }
}

} // namespace dw
