// TSurface: the 32-bit pixel buffer that every top-level window and every bitmap draws into,
// and the conversions between its pixels and COLORREF values.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/Region.h"

#include <cstddef>
#include <cstdint>
#include <memory>

union pixman_image;

namespace dw {

// Pixel format: one std::uint32_t per pixel, 0xAARRGGBB with premultiplied alpha (pixman's
// a8r8g8b8; in memory on little-endian machines the bytes are B, G, R, A). That is what an X11
// TrueColor visual of depth 24 wants (it ignores the top byte), and what per-pixel AlphaBlend
// expects of its source.
// Every drawing operation writes opaque pixels (alpha 0xFF). Only BitBlt SRCCOPY, PNG reading and
// 32-bit device-independent bits carry the alpha byte through unchanged, so a bitmap keeps its
// transparency when it is copied around, and a plain window surface is always opaque.
using TPixel = std::uint32_t;

constexpr TPixel PixelFromColor(COLORREF c) {
    return 0xFF000000u | (static_cast<TPixel>(GetRValue(c)) << 16) | (static_cast<TPixel>(GetGValue(c)) << 8) |
           static_cast<TPixel>(GetBValue(c));
}
// Drops the alpha byte; the colour channels are taken as stored.
constexpr COLORREF ColorFromPixel(TPixel p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Pixel memory as the system hands it out: zeroed, and not touched until someone writes to it.
// Large buffers are mapped from the system directly (on huge pages where it allows), so that a
// new window pays for its fresh pages once, when it is painted, instead of clearing memory the
// system already cleared; small ones come from the heap.
class TPixelMemory {
public:
    TPixelMemory() = default;
    // count zero pixels; raises std::bad_alloc when the system has no memory for them.
    explicit TPixelMemory(std::size_t count);
    ~TPixelMemory();
    TPixelMemory(TPixelMemory&& other) noexcept;
    TPixelMemory& operator=(TPixelMemory&& other) noexcept;
    TPixelMemory(const TPixelMemory&) = delete;
    TPixelMemory& operator=(const TPixelMemory&) = delete;

    TPixel* Data() const { return FData; }
    explicit operator bool() const { return FData != nullptr; }

private:
    void Release();
    TPixel* FData = nullptr;
    void* FMapping = nullptr; // the whole mapping of a mapped buffer, null for heap memory
    std::size_t FMappingBytes = 0;
};

class TSurface {
public:
    // Surfaces larger than this in either direction, or with more pixels than kMaxPixels, are
    // refused: a hostile bitmap header must not make us allocate gigabytes.
    static constexpr int kMaxDimension = 32767;
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

    // An empty 0 x 0 surface.
    TSurface();
    // Owns its pixels, filled with opaque black (or with fill). Raises EInvalidArgument naming
    // the size when it is negative or beyond the limits above.
    TSurface(int width, int height);
    TSurface(int width, int height, TPixel fill);
    // Owns its pixels, all zero (transparent black) and untouched: for a surface that is about
    // to be overwritten whole (a copy, a window's first paint), so that nothing fills it first.
    static TSurface Blank(int width, int height);
    // Wraps pixels owned by someone else (a DIB section's bits, a shared-memory image). The
    // stride is in bytes and may be negative for bottom-up images; the memory must outlive the
    // surface.
    TSurface(TPixel* firstRow, int width, int height, std::ptrdiff_t strideBytes);
    ~TSurface();
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
    TSurface(TSurface&& other) noexcept;
    TSurface& operator=(TSurface&& other) noexcept;

    // A deep copy that owns its pixels.
    TSurface Clone() const;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool IsEmpty() const { return FWidth <= 0 || FHeight <= 0; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }
    std::ptrdiff_t Stride() const { return FStride; }
    TPixel* Row(int y) { return reinterpret_cast<TPixel*>(reinterpret_cast<std::uint8_t*>(FFirstRow) + y * FStride); }
    const TPixel* Row(int y) const {
        return reinterpret_cast<const TPixel*>(reinterpret_cast<const std::uint8_t*>(FFirstRow) + y * FStride);
    }
    // Unchecked; callers clip first.
    TPixel& At(int x, int y) { return Row(y)[x]; }
    TPixel At(int x, int y) const { return Row(y)[x]; }
    // Checked; outside the surface reads 0 and writes nothing.
    TPixel Pixel(int x, int y) const;
    void SetPixel(int x, int y, TPixel p);

    // Fills the part of r inside the surface.
    void Fill(const TRect& r, TPixel p);
    void Fill(TPixel p) { Fill(BoundsRect(), p); }

    // Reallocates to the new size keeping the overlapping top-left contents; new area gets fill.
    // Wrapped surfaces become owning. Same limits as the constructor.
    void Resize(int width, int height, TPixel fill = 0xFF000000u);

    // Changes whenever the pixel memory moves (Resize, assignment), so device contexts notice.
    unsigned Generation() const { return FGeneration; }

    // Where the surface's top-left corner is on the screen; kept by the window manager, read by
    // GetDCOrgEx.
    TPoint ScreenOrigin() const { return FScreenOrigin; }
    void SetScreenOrigin(TPoint p) { FScreenOrigin = p; }

    // Damage tracking for surfaces shown by a backend. When enabled, every drawing operation
    // through a device context adds the bounds of what it touched; the backend takes the
    // accumulated region when it pushes pixels to the display.
    void SetTrackDamage(bool on);
    bool TrackDamage() const { return FTrackDamage; }
    void AddDamage(const TRect& r);
    TRegion TakeDamage();

    // The pixman image over these pixels (created on first use, a8r8g8b8). For the renderer.
    pixman_image* PixmanImage();

private:
    void ReleaseImage();

    TPixelMemory FOwned;
    TPixel* FFirstRow = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::ptrdiff_t FStride = 0;
    unsigned FGeneration = 0;
    TPoint FScreenOrigin;
    bool FTrackDamage = false;
    TRegion FDamage;
    pixman_image* FImage = nullptr;
};

} // namespace dw
