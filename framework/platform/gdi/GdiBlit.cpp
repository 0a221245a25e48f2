// Blits: PatBlt, BitBlt, StretchBlt, TransparentBlt, AlphaBlend and device-independent bits onto
// a device context.
#include "framework/platform/gdi/GdiInternal.h"

#include <pixman.h>

#include <algorithm>
#include <cstring>

namespace dw {

using namespace gdi;

namespace {

unsigned RopIndex(DWORD rop) {
    return (rop >> 16) & 0xFF;
}

// A normalised rectangle from a corner and signed extents; mirrored tells whether it was flipped.
TRect Extents(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, bool& mirrorX, bool& mirrorY) {
    mirrorX = w < 0;
    mirrorY = h < 0;
    std::int64_t l = w < 0 ? x + w : x, t = h < 0 ? y + h : y;
    std::int64_t r = w < 0 ? x : x + w, b = h < 0 ? y : y + h;
    return {ClampCoord(l), ClampCoord(t), ClampCoord(r), ClampCoord(b)};
}

// How source pixels turn into destination pixels between monochrome and colour.
struct TSourceConversion {
    enum class TKind { None, MonoToColor, ColorToMono } Kind = TKind::None;
    TPixel Fore = 0, Back = 0; // mono -> colour: black -> Fore, white -> Back
    TPixel Key = 0;            // colour -> mono: Key -> white, other -> black

    void Row(const TPixel* in, TPixel* out, int n) const {
        switch (Kind) {
        case TKind::MonoToColor:
            for (int i = 0; i < n; ++i) out[i] = (in[i] & 0xFFFFFF) ? Back : Fore;
            break;
        case TKind::ColorToMono:
            for (int i = 0; i < n; ++i) out[i] = ((in[i] ^ Key) & 0xFFFFFF) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
            break;
        case TKind::None:
            std::memcpy(out, in, std::size_t(n) * sizeof(TPixel));
            break;
        }
    }
};

TSourceConversion Conversion(TDeviceContext& dest, bool srcMono, COLORREF srcBk) {
    TSourceConversion c;
    bool destMono = dest.MonoTarget();
    if (srcMono && !destMono) {
        c.Kind = TSourceConversion::TKind::MonoToColor;
        c.Fore = PixelFromColor(dest.S.TextColor);
        c.Back = PixelFromColor(dest.S.BkColor);
    } else if (!srcMono && destMono) {
        c.Kind = TSourceConversion::TKind::ColorToMono;
        c.Key = PixelFromColor(srcBk);
    }
    return c;
}

struct TBlitSource {
    const TSurface* Surface = nullptr;
    bool Mono = false;
    COLORREF BkColor = RGB(255, 255, 255);
};

// The destination area (surface coordinates) clipped by the DC.
TRegion ClippedArea(TDeviceContext& dest, const TRect& area) {
    TRegion r(area);
    r.Intersect(dest.Clip());
    return r;
}

bool SameMemory(const TSurface& a, const TSurface* b) {
    return b && a.Row(0) == b->Row(0);
}

// Copies/combines src (source rectangle at srcOrigin, unscaled) onto dest at destRect.
void BlitUnscaled(TDeviceContext& dest, const TRect& destRect, const TBlitSource& source, TPoint srcOrigin,
                  unsigned rop) {
    TSurface* target = dest.Target();
    if (!target) return;
    const TSurface* src = source.Surface;
    int ddx = destRect.Left - srcOrigin.X, ddy = destRect.Top - srcOrigin.Y;
    // Only where the source has pixels.
    TRect valid = destRect.Intersect(src->BoundsRect().Offset(ddx, ddy));
    if (valid.IsEmpty()) return;
    TRegion area = ClippedArea(dest, valid);
    if (area.IsEmpty()) return;
    TSurface copy;
    if (SameMemory(*target, src)) {
        // Overlapping scroll within one surface: read from a snapshot.
        TRect b = area.Bounds().Offset(-ddx, -ddy);
        copy = TSurface::Blank(b.Width(), b.Height());
        for (int y = 0; y < b.Height(); ++y)
            std::memcpy(copy.Row(y), src->Row(b.Top + y) + b.Left, std::size_t(b.Width()) * sizeof(TPixel));
        src = &copy;
        ddx += b.Left;
        ddy += b.Top;
    }
    TSourceConversion conv = Conversion(dest, source.Mono, source.BkColor);
    int n = 0;
    const pixman_box32_t* boxes = area.Boxes(n);
    if (rop == 0xCC && conv.Kind == TSourceConversion::TKind::None) {
        for (int k = 0; k < n; ++k) {
            const pixman_box32_t& b = boxes[k];
            if (pixman_blt(reinterpret_cast<std::uint32_t*>(const_cast<TPixel*>(src->Row(0))),
                           reinterpret_cast<std::uint32_t*>(target->Row(0)), static_cast<int>(src->Stride() / 4),
                           static_cast<int>(target->Stride() / 4), 32, 32, b.x1 - ddx, b.y1 - ddy, b.x1, b.y1,
                           b.x2 - b.x1, b.y2 - b.y1))
                continue;
            std::size_t bytes = std::size_t(b.x2 - b.x1) * sizeof(TPixel);
            for (int y = b.y1; y < b.y2; ++y)
                std::memcpy(target->Row(y) + b.x1, src->Row(y - ddy) + (b.x1 - ddx), bytes);
        }
        dest.Damage(area.Bounds());
        return;
    }
    TPaintSource pattern;
    if (RopUsesPattern(rop)) pattern = BrushSource(dest, dest.S.Brush.As<TBrushObj>());
    TPainter painter(dest, rop, pattern);
    std::vector<TPixel> row;
    for (int k = 0; k < n; ++k) {
        const pixman_box32_t& b = boxes[k];
        int w = b.x2 - b.x1;
        row.resize(std::size_t(w));
        for (int y = b.y1; y < b.y2; ++y) {
            const TPixel* s = src->Row(y - ddy) + (b.x1 - ddx);
            if (conv.Kind != TSourceConversion::TKind::None) {
                conv.Row(s, row.data(), w);
                s = row.data();
            }
            painter.Row(y, b.x1, b.x2, s);
        }
    }
}

// Stretches srcRect of the source onto destRect (both normalised; surface coordinates) with a
// raster operation, or, with transparent set, copies every pixel but the key colour.
void BlitStretched(TDeviceContext& dest, const TRect& destRect, bool mirrorX, bool mirrorY, const TBlitSource& source,
                   const TRect& srcRect, unsigned rop, const TPixel* transparentKey) {
    TSurface* target = dest.Target();
    if (!target || destRect.IsEmpty() || srcRect.IsEmpty()) return;
    TRegion area = ClippedArea(dest, destRect);
    if (area.IsEmpty()) return;
    TRect ab = area.Bounds();
    // Maps for the visible columns and rows only.
    auto mapFor = [&](int destStart, int destLen, int visStart, int visLen, int srcStart, int srcLen, bool mirror) {
        std::vector<int> map(static_cast<std::size_t>(visLen));
        for (int i = 0; i < visLen; ++i) {
            std::int64_t pos = std::int64_t(visStart + i) - destStart;
            std::int64_t k = ((2 * pos + 1) * srcLen) / (2 * std::int64_t(destLen));
            if (mirror) k = srcLen - 1 - k;
            map[std::size_t(i)] = srcStart + static_cast<int>(k);
        }
        return map;
    };
    std::vector<int> xmap =
        mapFor(destRect.Left, destRect.Width(), ab.Left, ab.Width(), srcRect.Left, srcRect.Width(), mirrorX);
    std::vector<int> ymap =
        mapFor(destRect.Top, destRect.Height(), ab.Top, ab.Height(), srcRect.Top, srcRect.Height(), mirrorY);
    const TSurface* src = source.Surface;
    TSurface copy;
    if (SameMemory(*target, src)) {
        copy = src->Clone();
        src = &copy;
    }
    TSourceConversion conv = Conversion(dest, source.Mono, source.BkColor);
    TPaintSource pattern;
    if (!transparentKey && RopUsesPattern(rop)) pattern = BrushSource(dest, dest.S.Brush.As<TBrushObj>());
    TPainter painter(dest, transparentKey ? 0xCC : rop, pattern);
    std::vector<TPixel> raw, row;
    int n = 0;
    const pixman_box32_t* boxes = area.Boxes(n);
    for (int k = 0; k < n; ++k) {
        const pixman_box32_t& b = boxes[k];
        int w = b.x2 - b.x1;
        raw.resize(std::size_t(w));
        row.resize(std::size_t(w));
        for (int y = b.y1; y < b.y2; ++y) {
            int sy = ymap[std::size_t(y - ab.Top)];
            bool rowInside = sy >= 0 && sy < src->Height();
            const TPixel* srow = rowInside ? src->Row(sy) : nullptr;
            // Runs of columns whose source pixel exists (and is not the key colour).
            int i = 0;
            while (i < w) {
                auto usable = [&](int c) {
                    int sx = xmap[std::size_t(b.x1 + c - ab.Left)];
                    if (!srow || sx < 0 || sx >= src->Width()) return false;
                    return !transparentKey || ((srow[sx] ^ *transparentKey) & 0xFFFFFF) != 0;
                };
                if (!usable(i)) {
                    ++i;
                    continue;
                }
                int j = i;
                while (j < w && usable(j)) {
                    raw[std::size_t(j)] = srow[xmap[std::size_t(b.x1 + j - ab.Left)]];
                    ++j;
                }
                conv.Row(raw.data() + i, row.data() + i, j - i);
                if (transparentKey)
                    for (int c = i; c < j; ++c) row[std::size_t(c)] |= 0xFF000000u;
                painter.Row(y, b.x1 + i, b.x1 + j, row.data() + i);
                i = j;
            }
        }
    }
}

// Bilinear stretch of a source area lying wholly inside its surface (SRCCOPY in HALFTONE mode).
bool BlitHalftone(TDeviceContext& dest, const TRect& destRect, bool mirrorX, bool mirrorY, TSurface& src,
                  const TRect& srcRect) {
    TSurface* target = dest.Target();
    if (!target || SameMemory(*target, &src) || dest.MonoTarget()) return false;
    if (src.BoundsRect().Intersect(srcRect) != srcRect) return false;
    TRegion area = ClippedArea(dest, destRect);
    if (area.IsEmpty()) return true;
    pixman_image_t* s = src.PixmanImage();
    pixman_image_t* d = target->PixmanImage();
    if (!s || !d) return false;
    double scaleX = double(srcRect.Width()) / destRect.Width(), scaleY = double(srcRect.Height()) / destRect.Height();
    pixman_f_transform ft;
    pixman_f_transform_init_identity(&ft);
    // Destination x -> source x.
    ft.m[0][0] = mirrorX ? -scaleX : scaleX;
    ft.m[0][2] = mirrorX ? srcRect.Right + destRect.Left * scaleX : srcRect.Left - destRect.Left * scaleX;
    ft.m[1][1] = mirrorY ? -scaleY : scaleY;
    ft.m[1][2] = mirrorY ? srcRect.Bottom + destRect.Top * scaleY : srcRect.Top - destRect.Top * scaleY;
    pixman_transform_t t;
    if (!pixman_transform_from_pixman_f_transform(&t, &ft)) return false;
    pixman_image_set_transform(s, &t);
    pixman_image_set_filter(s, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(s, PIXMAN_REPEAT_PAD);
    pixman_image_set_clip_region32(d, area.Native());
    TRect b = area.Bounds();
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, b.Left, b.Top, 0, 0, b.Left, b.Top, b.Width(), b.Height());
    pixman_image_set_clip_region32(d, nullptr);
    pixman_image_set_transform(s, nullptr);
    pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_set_repeat(s, PIXMAN_REPEAT_NONE);
    // Keep window surfaces opaque.
    int n = 0;
    const pixman_box32_t* boxes = area.Boxes(n);
    for (int k = 0; k < n; ++k)
        for (int y = boxes[k].y1; y < boxes[k].y2; ++y) {
            TPixel* row = target->Row(y);
            for (int x = boxes[k].x1; x < boxes[k].x2; ++x) row[x] |= 0xFF000000u;
        }
    dest.Damage(b);
    return true;
}

bool SourceOf(HDC src, TBlitSource& out, TDeviceContext*& srcDc) {
    srcDc = LookupDC(src);
    if (!srcDc) return false;
    out.Surface = srcDc->Target();
    out.Mono = srcDc->MonoTarget();
    out.BkColor = srcDc->S.BkColor;
    return out.Surface != nullptr;
}

} // namespace

bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    TDeviceContext* d = LookupDC(dc);
    unsigned r = RopIndex(rop);
    if (!d || RopUsesSource(r)) return false;
    bool mx, my;
    TRect area = Extents(d->SX(x), d->SY(y), width, height, mx, my);
    TPaintSource pattern;
    if (RopUsesPattern(r)) pattern = BrushSource(*d, d->S.Brush.As<TBrushObj>());
    TPainter painter(*d, r, pattern);
    painter.Rect(area);
    return true;
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
    unsigned r = RopIndex(rop);
    if (!RopUsesSource(r)) return PatBlt(dest, x, y, width, height, rop);
    TDeviceContext* d = LookupDC(dest);
    TDeviceContext* s = nullptr;
    TBlitSource source;
    if (!d || !SourceOf(src, source, s)) return false;
    if (width <= 0 || height <= 0) return width == 0 || height == 0;
    TRect destRect{ClampCoord(d->SX(x)), ClampCoord(d->SY(y)), ClampCoord(d->SX(x) + width),
                   ClampCoord(d->SY(y) + height)};
    TPoint srcOrigin{ClampCoord(s->SX(xSrc)), ClampCoord(s->SY(ySrc))};
    BlitUnscaled(*d, destRect, source, srcOrigin, r);
    return true;
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                DWORD rop) {
    unsigned r = RopIndex(rop);
    if (!RopUsesSource(r)) return PatBlt(dest, x, y, width, height, rop);
    if (width == srcWidth && height == srcHeight && width > 0 && height > 0)
        return BitBlt(dest, x, y, width, height, src, xSrc, ySrc, rop);
    TDeviceContext* d = LookupDC(dest);
    TDeviceContext* s = nullptr;
    TBlitSource source;
    if (!d || !SourceOf(src, source, s)) return false;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return false;
    bool dmx, dmy, smx, smy;
    TRect destRect = Extents(d->SX(x), d->SY(y), width, height, dmx, dmy);
    TRect srcRect = Extents(s->SX(xSrc), s->SY(ySrc), srcWidth, srcHeight, smx, smy);
    if (d->S.StretchMode == HALFTONE && r == 0xCC && !source.Mono &&
        BlitHalftone(*d, destRect, dmx != smx, dmy != smy, *s->Target(), srcRect))
        return true;
    BlitStretched(*d, destRect, dmx != smx, dmy != smy, source, srcRect, r, nullptr);
    return true;
}

bool TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, UINT transparentColor) {
    TDeviceContext* d = LookupDC(dest);
    TDeviceContext* s = nullptr;
    TBlitSource source;
    if (!d || !SourceOf(src, source, s)) return false;
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
    bool mx, my;
    TRect destRect = Extents(d->SX(x), d->SY(y), width, height, mx, my);
    TRect srcRect = Extents(s->SX(xSrc), s->SY(ySrc), srcWidth, srcHeight, mx, my);
    TPixel key = PixelFromColor(transparentColor);
    BlitStretched(*d, destRect, false, false, source, srcRect, 0xCC, &key);
    return true;
}

bool AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                BLENDFUNCTION blend) {
    TDeviceContext* d = LookupDC(dest);
    TDeviceContext* s = nullptr;
    TBlitSource source;
    if (!d || !SourceOf(src, source, s) || blend.BlendOp != AC_SRC_OVER) return false;
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
    TSurface* target = d->Target();
    bool mx, my;
    TRect destRect = Extents(d->SX(x), d->SY(y), width, height, mx, my);
    TRect srcRect = Extents(s->SX(xSrc), s->SY(ySrc), srcWidth, srcHeight, mx, my);
    TSurface* srcSurface = s->Target();
    // The source rectangle must lie inside the source, as it always had to.
    if (srcSurface->BoundsRect().Intersect(srcRect) != srcRect) return false;
    TRegion area = ClippedArea(*d, destRect);
    if (area.IsEmpty()) return true;
    TSurface snapshot;
    if (SameMemory(*target, srcSurface)) {
        snapshot = srcSurface->Clone();
        srcSurface = &snapshot;
    }
    bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    pixman_image_t* simg = pixman_image_create_bits(
        perPixel ? PIXMAN_a8r8g8b8 : PIXMAN_x8r8g8b8, srcSurface->Width(), srcSurface->Height(),
        reinterpret_cast<std::uint32_t*>(srcSurface->Row(0)), static_cast<int>(srcSurface->Stride()));
    pixman_image_t* dimg = target->PixmanImage();
    if (!simg || !dimg) {
        if (simg) pixman_image_unref(simg);
        return false;
    }
    pixman_image_t* mask = nullptr;
    if (blend.SourceConstantAlpha != 255) {
        pixman_color_t c{0, 0, 0, static_cast<std::uint16_t>(blend.SourceConstantAlpha * 257)};
        mask = pixman_image_create_solid_fill(&c);
    }
    if (srcRect.Width() != destRect.Width() || srcRect.Height() != destRect.Height()) {
        pixman_f_transform ft;
        pixman_f_transform_init_identity(&ft);
        double sx = double(srcRect.Width()) / destRect.Width(), sy = double(srcRect.Height()) / destRect.Height();
        ft.m[0][0] = sx;
        ft.m[0][2] = srcRect.Left - destRect.Left * sx;
        ft.m[1][1] = sy;
        ft.m[1][2] = srcRect.Top - destRect.Top * sy;
        pixman_transform_t t;
        pixman_transform_from_pixman_f_transform(&t, &ft);
        pixman_image_set_transform(simg, &t);
        pixman_image_set_repeat(simg, PIXMAN_REPEAT_PAD);
    }
    bool scaled = srcRect.Width() != destRect.Width() || srcRect.Height() != destRect.Height();
    TRect b = area.Bounds();
    pixman_image_set_clip_region32(dimg, area.Native());
    int srcX = scaled ? b.Left : b.Left - destRect.Left + srcRect.Left;
    int srcY = scaled ? b.Top : b.Top - destRect.Top + srcRect.Top;
    pixman_image_composite32(PIXMAN_OP_OVER, simg, mask, dimg, srcX, srcY, 0, 0, b.Left, b.Top, b.Width(), b.Height());
    pixman_image_set_clip_region32(dimg, nullptr);
    if (mask) pixman_image_unref(mask);
    pixman_image_unref(simg);
    if (d->MonoTarget()) {
        int n = 0;
        const pixman_box32_t* boxes = area.Boxes(n);
        for (int k = 0; k < n; ++k)
            for (int yy = boxes[k].y1; yy < boxes[k].y2; ++yy)
                for (int xx = boxes[k].x1; xx < boxes[k].x2; ++xx) target->At(xx, yy) = MonoPixel(target->At(xx, yy));
    }
    d->Damage(b);
    return true;
}

namespace {

// The source rectangle of a device-independent image in top-down image coordinates: for bottom-up
// images ySrc is measured from the bottom, as it always has been.
TRect DibSourceRect(const BITMAPINFOHEADER& h, int xSrc, int ySrc, int srcWidth, int srcHeight, bool& mirrorX,
                    bool& mirrorY) {
    std::int64_t imageHeight = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    std::int64_t top = h.biHeight > 0 ? imageHeight - ySrc - std::int64_t(srcHeight) : ySrc;
    return Extents(xSrc, srcHeight < 0 ? top + srcHeight : top, srcWidth, srcHeight, mirrorX, mirrorY);
}

} // namespace

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !info || !bits || usage != DIB_RGB_COLORS || width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    std::int64_t imageHeight = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    TSurface image;
    int top = 0;
    if (!DecodeDib(info, bits, 0, static_cast<UINT>(std::min<std::int64_t>(imageHeight, 1 << 30)), image, top))
        return 0;
    bool smx, smy, dmx, dmy;
    TRect srcRect = DibSourceRect(h, xSrc, ySrc, srcWidth, srcHeight, smx, smy);
    TRect destRect = Extents(d->SX(x), d->SY(y), width, height, dmx, dmy);
    TBlitSource source;
    source.Surface = &image;
    unsigned r = RopIndex(rop);
    if (!RopUsesSource(r)) {
        PatBlt(dc, x, y, width, height, rop);
        return static_cast<int>(imageHeight);
    }
    if (srcRect.Width() == destRect.Width() && srcRect.Height() == destRect.Height() && dmx == smx && dmy == smy)
        BlitUnscaled(*d, destRect, source, srcRect.TopLeft(), r);
    else
        BlitStretched(*d, destRect, dmx != smx, dmy != smy, source, srcRect, r, nullptr);
    return static_cast<int>(imageHeight);
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !info || !bits || usage != DIB_RGB_COLORS) return 0;
    TSurface band;
    int bandTop = 0;
    if (!DecodeDib(info, bits, startScan, lines, band, bandTop)) return 0;
    if (width == 0 || height == 0) return band.Height();
    bool mx, my;
    int w = static_cast<int>(std::min<DWORD>(width, 1u << 30)), h = static_cast<int>(std::min<DWORD>(height, 1u << 30));
    TRect srcRect = DibSourceRect(info->bmiHeader, xSrc, ySrc, w, h, mx, my);
    TRect destRect{ClampCoord(d->SX(x)), ClampCoord(d->SY(y)), ClampCoord(d->SX(x) + std::int64_t(w)),
                   ClampCoord(d->SY(y) + std::int64_t(h))};
    // Only the rows of the band exist.
    TRect bandRect{0, bandTop, band.Width(), bandTop + band.Height()};
    TRect avail = srcRect.Intersect(bandRect);
    if (avail.IsEmpty()) return band.Height();
    TRect destPart = avail.Offset(destRect.Left - srcRect.Left, destRect.Top - srcRect.Top);
    TBlitSource source;
    source.Surface = &band;
    BlitUnscaled(*d, destPart, source, {avail.Left, avail.Top - bandTop}, 0xCC);
    return band.Height();
}

} // namespace dw
