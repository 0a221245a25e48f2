#include "framework/platform/gdi/Region.h"

#include "framework/platform/gdi/GdiInternal.h"
#include "framework/platform/gdi/GdiRaster.h"

#include <algorithm>

namespace dw {

namespace {

constexpr int kLimit = TRegion::kCoordLimit;

int Clamp(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -kLimit, kLimit));
}

// Normalised and clamped; empty when it has no area.
TRect CleanRect(const TRect& r) {
    TRect c{Clamp(r.Left), Clamp(r.Top), Clamp(r.Right), Clamp(r.Bottom)};
    return c;
}

void InitRect(pixman_region32_t* rgn, const TRect& r) {
    TRect c = CleanRect(r);
    if (c.IsEmpty())
        pixman_region32_init(rgn);
    else
        pixman_region32_init_rect(rgn, c.Left, c.Top, static_cast<unsigned>(c.Width()),
                                  static_cast<unsigned>(c.Height()));
}

} // namespace

TRegion::TRegion() {
    pixman_region32_init(&FRegion);
}

TRegion::TRegion(const TRect& r) {
    InitRect(&FRegion, r);
}

TRegion::TRegion(const TRect* rects, int count) {
    pixman_region32_init(&FRegion);
    if (!rects || count <= 0) return;
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TRect c = CleanRect(rects[i]);
        if (!c.IsEmpty()) boxes.push_back({c.Left, c.Top, c.Right, c.Bottom});
    }
    if (boxes.empty()) return;
    pixman_region32_fini(&FRegion);
    pixman_region32_init_rects(&FRegion, boxes.data(), static_cast<int>(boxes.size()));
}

TRegion::TRegion(const TRegion& other) {
    pixman_region32_init(&FRegion);
    pixman_region32_copy(&FRegion, &other.FRegion);
}

TRegion::TRegion(TRegion&& other) noexcept {
    pixman_region32_init(&FRegion);
    std::swap(FRegion, other.FRegion);
}

TRegion& TRegion::operator=(const TRegion& other) {
    if (this != &other) pixman_region32_copy(&FRegion, &other.FRegion);
    return *this;
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
    if (this != &other) std::swap(FRegion, other.FRegion);
    return *this;
}

TRegion::~TRegion() {
    pixman_region32_fini(&FRegion);
}

bool TRegion::IsEmpty() const {
    return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&FRegion));
}

int TRegion::Kind() const {
    int n = RectCount();
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TRegion::Bounds() const {
    if (IsEmpty()) return {};
    const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&FRegion));
    return {b->x1, b->y1, b->x2, b->y2};
}

int TRegion::RectCount() const {
    return pixman_region32_n_rects(const_cast<pixman_region32_t*>(&FRegion));
}

std::vector<TRect> TRegion::Rects() const {
    int n = 0;
    const pixman_box32_t* b = Boxes(n);
    std::vector<TRect> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back({b[i].x1, b[i].y1, b[i].x2, b[i].y2});
    return out;
}

const pixman_box32_t* TRegion::Boxes(int& count) const {
    return pixman_region32_rectangles(const_cast<pixman_region32_t*>(&FRegion), &count);
}

bool TRegion::Contains(TPoint p) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&FRegion), p.X, p.Y, nullptr);
}

bool TRegion::ContainsRect(const TRect& r) const {
    TRect c = CleanRect(r);
    if (c.IsEmpty()) return false;
    pixman_box32_t box{c.Left, c.Top, c.Right, c.Bottom};
    return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&FRegion), &box) == PIXMAN_REGION_IN;
}

bool TRegion::Intersects(const TRect& r) const {
    TRect c = CleanRect(r);
    if (c.IsEmpty()) return false;
    pixman_box32_t box{c.Left, c.Top, c.Right, c.Bottom};
    return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&FRegion), &box) != PIXMAN_REGION_OUT;
}

void TRegion::Clear() {
    pixman_region32_clear(&FRegion);
}

void TRegion::SetRect(const TRect& r) {
    pixman_region32_fini(&FRegion);
    InitRect(&FRegion, r);
}

TRegion& TRegion::Union(const TRegion& other) {
    pixman_region32_union(&FRegion, &FRegion, &other.FRegion);
    return *this;
}

TRegion& TRegion::Union(const TRect& r) {
    TRect c = CleanRect(r);
    if (!c.IsEmpty())
        pixman_region32_union_rect(&FRegion, &FRegion, c.Left, c.Top, static_cast<unsigned>(c.Width()),
                                   static_cast<unsigned>(c.Height()));
    return *this;
}

TRegion& TRegion::Intersect(const TRegion& other) {
    pixman_region32_intersect(&FRegion, &FRegion, &other.FRegion);
    return *this;
}

TRegion& TRegion::Intersect(const TRect& r) {
    TRect c = CleanRect(r);
    if (c.IsEmpty())
        Clear();
    else
        pixman_region32_intersect_rect(&FRegion, &FRegion, c.Left, c.Top, static_cast<unsigned>(c.Width()),
                                       static_cast<unsigned>(c.Height()));
    return *this;
}

TRegion& TRegion::Subtract(const TRegion& other) {
    pixman_region32_subtract(&FRegion, &FRegion, &other.FRegion);
    return *this;
}

TRegion& TRegion::Subtract(const TRect& r) {
    return Subtract(TRegion(r));
}

TRegion& TRegion::Xor(const TRegion& other) {
    TRegion both = *this & other;
    Union(other);
    return Subtract(both);
}

TRegion& TRegion::Offset(int dx, int dy) {
    if (IsEmpty() || (dx == 0 && dy == 0)) return *this;
    TRect b = Bounds();
    // Keep the result inside the coordinate limit: drop what would leave it.
    std::int64_t l = std::int64_t(b.Left) + dx, t = std::int64_t(b.Top) + dy;
    std::int64_t r = std::int64_t(b.Right) + dx, bo = std::int64_t(b.Bottom) + dy;
    if (l < -kLimit || t < -kLimit || r > kLimit || bo > kLimit) {
        TRect keep{Clamp(-std::int64_t(kLimit) - dx), Clamp(-std::int64_t(kLimit) - dy),
                   Clamp(std::int64_t(kLimit) - dx), Clamp(std::int64_t(kLimit) - dy)};
        Intersect(keep);
        if (IsEmpty()) return *this;
    }
    pixman_region32_translate(&FRegion, dx, dy);
    return *this;
}

bool TRegion::operator==(const TRegion& o) const {
    return pixman_region32_equal(const_cast<pixman_region32_t*>(&FRegion), const_cast<pixman_region32_t*>(&o.FRegion));
}

TRegion TRegion::Ellipse(const TRect& box) {
    TRect c = CleanRect(box);
    return RoundRect(c, c.Right - c.Left, c.Bottom - c.Top);
}

TRegion TRegion::RoundRect(const TRect& box, int ellipseWidth, int ellipseHeight) {
    TRect c = CleanRect(box);
    if (std::abs(std::int64_t(c.Bottom) - c.Top) > kMaxShapeRows) return {};
    raster::TSpanList spans;
    raster::RoundRectSpans(c.Left, c.Top, c.Right, c.Bottom, ellipseWidth, ellipseHeight, raster::TWindow{}, spans);
    return spans.ToRegion();
}

TRegion TRegion::Polygon(const TPoint* points, int count, int fillMode) {
    if (!points || count < 3) return {};
    std::vector<raster::TPointD> pts(static_cast<std::size_t>(count));
    int minY = kLimit, maxY = -kLimit;
    for (int i = 0; i < count; ++i) {
        pts[i] = {double(Clamp(points[i].X)), double(Clamp(points[i].Y))};
        minY = std::min(minY, Clamp(points[i].Y));
        maxY = std::max(maxY, Clamp(points[i].Y));
    }
    if (std::int64_t(maxY) - minY > kMaxShapeRows) return {};
    raster::TSpanList spans;
    raster::PolygonSpans(pts.data(), &count, 1, fillMode, raster::TWindow{}, spans);
    return spans.ToRegion();
}

// --- Handles ---------------------------------------------------------------------------------------

namespace {

gdi::TRegionObj* Rgn(HRGN h) {
    return gdi::LookupAs<gdi::TRegionObj>(h, OBJ_REGION);
}

HRGN NewRgn(TRegion r) {
    auto obj = std::make_unique<gdi::TRegionObj>();
    obj->Type = OBJ_REGION;
    obj->Rgn = std::move(r);
    return gdi::Register(std::move(obj));
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    // Classic behaviour: the corners may come in any order.
    return NewRgn(
        TRegion(TRect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)}));
}

HRGN CreateRectRgnIndirect(const TRect* rect) {
    if (!rect) return nullptr;
    return CreateRectRgn(rect->Left, rect->Top, rect->Right, rect->Bottom);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    TRect box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    if (std::int64_t(box.Bottom) - box.Top > TRegion::kMaxShapeRows) return nullptr;
    return NewRgn(TRegion::Ellipse(box));
}

HRGN CreateEllipticRgnIndirect(const TRect* rect) {
    if (!rect) return nullptr;
    return CreateEllipticRgn(rect->Left, rect->Top, rect->Right, rect->Bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    TRect box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    if (std::int64_t(box.Bottom) - box.Top > TRegion::kMaxShapeRows) return nullptr;
    return NewRgn(TRegion::RoundRect(box, ellipseWidth, ellipseHeight));
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode) {
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
    int minY = 0, maxY = 0;
    for (int i = 0; i < count; ++i) {
        minY = i == 0 ? points[i].Y : std::min(minY, points[i].Y);
        maxY = i == 0 ? points[i].Y : std::max(maxY, points[i].Y);
    }
    if (std::int64_t(maxY) - minY > TRegion::kMaxShapeRows) return nullptr;
    return NewRgn(TRegion::Polygon(points, count, fillMode));
}

HRGN CreateRgnFromRegion(const TRegion& region) {
    return NewRgn(region);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    gdi::TRegionObj* d = Rgn(dest);
    gdi::TRegionObj* a = Rgn(src1);
    if (!d || !a) return ERROR;
    if (mode == RGN_COPY) {
        d->Rgn = a->Rgn;
        return d->Rgn.Kind();
    }
    gdi::TRegionObj* b = Rgn(src2);
    if (!b) return ERROR;
    switch (mode) {
    case RGN_AND:
        d->Rgn = a->Rgn & b->Rgn;
        break;
    case RGN_OR:
        d->Rgn = a->Rgn | b->Rgn;
        break;
    case RGN_XOR:
        d->Rgn = a->Rgn ^ b->Rgn;
        break;
    case RGN_DIFF:
        d->Rgn = a->Rgn - b->Rgn;
        break;
    default:
        return ERROR;
    }
    return d->Rgn.Kind();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r) return ERROR;
    r->Rgn.Offset(dx, dy);
    return r->Rgn.Kind();
}

bool PtInRegion(HRGN rgn, int x, int y) {
    gdi::TRegionObj* r = Rgn(rgn);
    return r && r->Rgn.Contains({x, y});
}

bool RectInRegion(HRGN rgn, const TRect* rect) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r || !rect) return false;
    TRect n{std::min(rect->Left, rect->Right), std::min(rect->Top, rect->Bottom), std::max(rect->Left, rect->Right),
            std::max(rect->Top, rect->Bottom)};
    return r->Rgn.Intersects(n);
}

int GetRgnBox(HRGN rgn, TRect* box) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r || !box) return ERROR;
    *box = r->Rgn.Bounds();
    return r->Rgn.Kind();
}

bool EqualRgn(HRGN a, HRGN b) {
    gdi::TRegionObj* ra = Rgn(a);
    gdi::TRegionObj* rb = Rgn(b);
    return ra && rb && ra->Rgn == rb->Rgn;
}

bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r) return false;
    r->Rgn.SetRect({std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
    return true;
}

bool GetRegion(HRGN rgn, TRegion& out) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r) return false;
    out = r->Rgn;
    return true;
}

bool SetRegion(HRGN rgn, const TRegion& region) {
    gdi::TRegionObj* r = Rgn(rgn);
    if (!r) return false;
    r->Rgn = region;
    return true;
}

} // namespace dw
