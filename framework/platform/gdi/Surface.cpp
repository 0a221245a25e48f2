#include "framework/platform/gdi/Surface.h"

#include "framework/rtl/Exceptions.h"

#include <pixman.h>

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace dw {

namespace {

void CheckSize(int width, int height) {
    if (width < 0 || height < 0 || width > TSurface::kMaxDimension || height > TSurface::kMaxDimension ||
        std::int64_t(width) * height > TSurface::kMaxPixels)
        throw EInvalidArgument(Format("Surface size %d x %d is negative or too large", width, height));
}

// Buffers from this size on are mapped directly; from kHugePage on they are aligned to huge pages.
constexpr std::size_t kMapThreshold = std::size_t(1) << 20;
constexpr std::size_t kHugePage = std::size_t(2) << 20;

} // namespace

// ---------------------------------------------------------------------------------------------
// TPixelMemory

TPixelMemory::TPixelMemory(std::size_t count) {
    std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(TPixel);
    if (bytes < kMapThreshold) {
        // calloc hands out fresh heap pages without clearing them again.
        FData = static_cast<TPixel*>(std::calloc(bytes, 1));
        if (!FData) throw std::bad_alloc();
        return;
    }
    bool huge = bytes >= kHugePage;
    std::size_t length = huge ? (bytes + kHugePage - 1) / kHugePage * kHugePage : bytes;
    std::size_t mapped = huge ? length + kHugePage : length;
    void* p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(p);
    if (huge) {
        // Keep the huge-page aligned part and give the rest back.
        auto address = reinterpret_cast<std::uintptr_t>(p);
        std::size_t head = (kHugePage - address % kHugePage) % kHugePage;
        if (head) munmap(start, head);
        std::size_t tail = mapped - head - length;
        if (tail) munmap(start + head + length, tail);
        start += head;
        mapped = length;
#ifdef MADV_HUGEPAGE
        madvise(start, length, MADV_HUGEPAGE);
#endif
    }
    FMapping = start;
    FMappingBytes = mapped;
    FData = reinterpret_cast<TPixel*>(start);
}

TPixelMemory::~TPixelMemory() {
    Release();
}

TPixelMemory::TPixelMemory(TPixelMemory&& other) noexcept {
    *this = std::move(other);
}

TPixelMemory& TPixelMemory::operator=(TPixelMemory&& other) noexcept {
    if (this == &other) return *this;
    Release();
    FData = std::exchange(other.FData, nullptr);
    FMapping = std::exchange(other.FMapping, nullptr);
    FMappingBytes = std::exchange(other.FMappingBytes, 0);
    return *this;
}

void TPixelMemory::Release() {
    if (FMapping)
        munmap(FMapping, FMappingBytes);
    else
        std::free(FData);
    FData = nullptr;
    FMapping = nullptr;
    FMappingBytes = 0;
}

// ---------------------------------------------------------------------------------------------
// TSurface

TSurface::TSurface() = default;

TSurface::TSurface(int width, int height) : TSurface(width, height, 0xFF000000u) {}

TSurface::TSurface(int width, int height, TPixel fill) : TSurface(Blank(width, height)) {
    std::fill_n(FFirstRow, std::size_t(width) * height, fill);
}

TSurface TSurface::Blank(int width, int height) {
    CheckSize(width, height);
    TSurface s;
    s.FWidth = width;
    s.FHeight = height;
    s.FStride = std::ptrdiff_t(width) * sizeof(TPixel);
    s.FOwned = TPixelMemory(std::size_t(width) * height);
    s.FFirstRow = s.FOwned.Data();
    return s;
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
    TSurface copy = Blank(FWidth, FHeight);
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
    TSurface next = Blank(width, height);
    // Every pixel is written once: the kept part is copied, only the new part filled.
    int w = std::min(width, FWidth), h = std::min(height, FHeight);
    for (int y = 0; y < h; ++y) {
        std::memcpy(next.Row(y), Row(y), std::size_t(w) * sizeof(TPixel));
        std::fill(next.Row(y) + w, next.Row(y) + width, fill);
    }
    next.Fill({0, h, width, height}, fill);
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
