#include "framework/platform/gdi/Surface.h"

#include "framework/rtl/Exceptions.h"

#include <pixman.h>

#include <algorithm>
#include <cstring>

namespace dw {

namespace {

void CheckSize(int width, int height) {
    if (width < 0 || height < 0 || width > TSurface::kMaxDimension || height > TSurface::kMaxDimension ||
        std::int64_t(width) * height > TSurface::kMaxPixels)
        throw EInvalidArgument(Format("Surface size %d x %d is negative or too large", width, height));
}

} // namespace

TSurface::TSurface() = default;

TSurface::TSurface(int width, int height) {
    CheckSize(width, height);
    FWidth = width;
    FHeight = height;
    FStride = std::ptrdiff_t(width) * sizeof(TPixel);
    std::size_t count = std::size_t(width) * height;
    FOwned.reset(new TPixel[count > 0 ? count : 1]);
    std::fill_n(FOwned.get(), count, 0xFF000000u);
    FFirstRow = FOwned.get();
}

TSurface::TSurface(TPixel* firstRow, int width, int height, std::ptrdiff_t strideBytes) {
    CheckSize(width, height);
    if (!firstRow && width > 0 && height > 0) throw EInvalidArgument("Surface pixels are null");
    if (strideBytes % std::ptrdiff_t(sizeof(TPixel)) != 0 ||
        (height > 1 && std::abs(strideBytes) < std::ptrdiff_t(width) * std::ptrdiff_t(sizeof(TPixel))))
        throw EInvalidArgument(
            Format("Surface stride %d does not fit width %d", static_cast<long long>(strideBytes), width));
    FFirstRow = firstRow;
    FWidth = width;
    FHeight = height;
    FStride = strideBytes;
}

TSurface::~TSurface() {
    ReleaseImage();
}

TSurface::TSurface(TSurface&& other) noexcept {
    *this = std::move(other);
}

TSurface& TSurface::operator=(TSurface&& other) noexcept {
    if (this == &other) return *this;
    ReleaseImage();
    other.ReleaseImage();
    FOwned = std::move(other.FOwned);
    FFirstRow = other.FFirstRow;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FStride = other.FStride;
    FScreenOrigin = other.FScreenOrigin;
    FTrackDamage = other.FTrackDamage;
    FDamage = std::move(other.FDamage);
    FGeneration = std::max(FGeneration, other.FGeneration) + 1;
    other.FFirstRow = nullptr;
    other.FWidth = other.FHeight = 0;
    other.FStride = 0;
    other.FGeneration++;
    return *this;
}

TSurface TSurface::Clone() const {
    TSurface copy(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) std::memcpy(copy.Row(y), Row(y), std::size_t(FWidth) * sizeof(TPixel));
    copy.FScreenOrigin = FScreenOrigin;
    return copy;
}

TPixel TSurface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    return At(x, y);
}

void TSurface::SetPixel(int x, int y, TPixel p) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    At(x, y) = p;
}

void TSurface::Fill(const TRect& r, TPixel p) {
    TRect c = r.Intersect(BoundsRect());
    if (c.IsEmpty()) return;
    for (int y = c.Top; y < c.Bottom; ++y) std::fill_n(Row(y) + c.Left, c.Width(), p);
}

void TSurface::Resize(int width, int height, TPixel fill) {
    CheckSize(width, height);
    TSurface next(width, height);
    next.Fill(fill);
    int w = std::min(width, FWidth), h = std::min(height, FHeight);
    for (int y = 0; y < h; ++y) std::memcpy(next.Row(y), Row(y), std::size_t(w) * sizeof(TPixel));
    ReleaseImage();
    FOwned = std::move(next.FOwned);
    FFirstRow = next.FFirstRow;
    next.FFirstRow = nullptr;
    FWidth = width;
    FHeight = height;
    FStride = next.FStride;
    FGeneration++;
    if (FTrackDamage) FDamage.Union(BoundsRect());
}

void TSurface::SetTrackDamage(bool on) {
    FTrackDamage = on;
    if (!on) FDamage.Clear();
}

void TSurface::AddDamage(const TRect& r) {
    if (!FTrackDamage) return;
    TRect c = r.Intersect(BoundsRect());
    if (!c.IsEmpty()) FDamage.Union(c);
}

TRegion TSurface::TakeDamage() {
    TRegion result = std::move(FDamage);
    FDamage.Clear();
    return result;
}

pixman_image* TSurface::PixmanImage() {
    if (!FImage && FFirstRow && !IsEmpty())
        FImage = pixman_image_create_bits(PIXMAN_a8r8g8b8, FWidth, FHeight, reinterpret_cast<std::uint32_t*>(FFirstRow),
                                          static_cast<int>(FStride));
    return FImage;
}

void TSurface::ReleaseImage() {
    if (FImage) pixman_image_unref(FImage);
    FImage = nullptr;
}

} // namespace dw
