// Regions: the value class TRegion (pixman_region32 underneath) used inside the windowing core,
// and the classic HRGN functions built on it.
#pragma once

#include "framework/platform/Types.h"

#include <pixman.h>

#include <vector>

namespace dw {

// Region kinds, as CombineRgn and friends return them. ERROR also means "bad handle".
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Combine modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// A set of pixels made of y-x banded rectangles. Coordinates are clamped to +-kCoordLimit so that
// no arithmetic on them can overflow; offsets that would leave that range clip the region.
class TRegion {
public:
    static constexpr int kCoordLimit = 1 << 28;

    TRegion();
    explicit TRegion(const TRect& r);
    TRegion(const TRect* rects, int count);
    explicit TRegion(const std::vector<TRect>& rects) : TRegion(rects.data(), static_cast<int>(rects.size())) {}
    TRegion(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(const TRegion& other);
    TRegion& operator=(TRegion&& other) noexcept;
    ~TRegion();

    bool IsEmpty() const;
    // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
    int Kind() const;
    // The smallest rectangle holding the region; all zero when empty.
    TRect Bounds() const;
    int RectCount() const;
    std::vector<TRect> Rects() const;
    // The banded rectangles without copying: sorted by top, then left; rectangles of one band
    // share top and bottom.
    const pixman_box32_t* Boxes(int& count) const;

    bool Contains(TPoint p) const;
    // True when all of r is inside.
    bool ContainsRect(const TRect& r) const;
    // True when any pixel of r is inside.
    bool Intersects(const TRect& r) const;

    void Clear();
    void SetRect(const TRect& r);
    TRegion& Union(const TRegion& other);
    TRegion& Union(const TRect& r);
    TRegion& Intersect(const TRegion& other);
    TRegion& Intersect(const TRect& r);
    TRegion& Subtract(const TRegion& other);
    TRegion& Subtract(const TRect& r);
    TRegion& Xor(const TRegion& other);
    TRegion& Offset(int dx, int dy);

    TRegion operator|(const TRegion& o) const { return TRegion(*this).Union(o); }
    TRegion operator&(const TRegion& o) const { return TRegion(*this).Intersect(o); }
    TRegion operator-(const TRegion& o) const { return TRegion(*this).Subtract(o); }
    TRegion operator^(const TRegion& o) const { return TRegion(*this).Xor(o); }
    bool operator==(const TRegion& o) const;

    pixman_region32_t* Native() { return &FRegion; }
    const pixman_region32_t* Native() const { return &FRegion; }

    // Shapes, with the classic pixel rules (right and bottom edges excluded; a pixel belongs to the
    // shape when its centre does). Polygon points are pixel corners. Shapes taller than
    // kMaxShapeRows rows give an empty region: they cannot be a sensible window or clip shape and
    // would cost memory without bound.
    static constexpr int kMaxShapeRows = 1 << 16;
    static TRegion Ellipse(const TRect& box);
    static TRegion RoundRect(const TRect& box, int ellipseWidth, int ellipseHeight);
    static TRegion Polygon(const TPoint* points, int count, int fillMode);

private:
    pixman_region32_t FRegion;
};

// --- Classic region handles. A bad or stale handle makes each call fail (ERROR, false or null).

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const TRect* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
// A new handle holding a copy of region (for the window manager and the controls layer).
HRGN CreateRgnFromRegion(const TRegion& region);

// dest := src1 op src2 (src2 unused for RGN_COPY). dest may be one of the sources.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
bool PtInRegion(HRGN rgn, int x, int y);
bool RectInRegion(HRGN rgn, const TRect* rect);
int GetRgnBox(HRGN rgn, TRect* box);
bool EqualRgn(HRGN a, HRGN b);
bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// Copies the region behind a handle; false for a bad handle.
bool GetRegion(HRGN rgn, TRegion& out);
// Replaces the region behind a handle; false for a bad handle.
bool SetRegion(HRGN rgn, const TRegion& region);

// Painting regions (logical coordinates of the device context). FillRgn and FrameRgn copy the
// brush's pattern (PATCOPY); PaintRgn uses the selected brush under the current ROP2 mode;
// InvertRgn inverts the destination.
bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
bool FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height);
bool InvertRgn(HDC dc, HRGN rgn);
bool PaintRgn(HDC dc, HRGN rgn);

} // namespace dw
