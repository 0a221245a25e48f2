// Lines, shapes, rectangle fills, pixels and region painting.
#include "framework/platform/gdi/GdiInternal.h"
#include "framework/platform/gdi/GdiRaster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dw {

using namespace gdi;

namespace {

struct TPenInfo {
    bool Null = true;
    int Width = 1;
    bool InsideFrame = false;
    COLORREF Color = 0;
    const int* Dashes = nullptr; // on, off, on, off, ... ; null for solid
    int DashCount = 0;
};

constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
constexpr int kAlternate[] = {1, 1};

TPenInfo PenOf(TDeviceContext& dc) {
    TPenInfo info;
    auto* pen = dc.S.Pen.As<TPenObj>();
    if (!pen || pen->Style() == PS_NULL) return info;
    info.Null = false;
    info.Color = pen->DcPen ? dc.S.DcPenColor : pen->Log.lopnColor;
    info.Width = pen->Width();
    info.InsideFrame = pen->Style() == PS_INSIDEFRAME;
    auto dashes = [&](const int* d, int n) {
        info.Dashes = d;
        info.DashCount = n;
    };
    switch (pen->Style()) {
    case PS_DASH:
        dashes(kDash, 2);
        break;
    case PS_DOT:
        dashes(kDot, 2);
        break;
    case PS_DASHDOT:
        dashes(kDashDot, 4);
        break;
    case PS_DASHDOTDOT:
        dashes(kDashDotDot, 6);
        break;
    case PS_ALTERNATE:
        dashes(kAlternate, 2);
        break;
    default:
        break;
    }
    // Styles are for one-pixel pens; wider ones draw solid (the alternate style stays thin).
    if (pen->Style() == PS_ALTERNATE)
        info.Width = 1;
    else if (info.Width > 1)
        info.Dashes = nullptr;
    return info;
}

TBrushObj* BrushOf(TDeviceContext& dc) {
    return dc.S.Brush.As<TBrushObj>();
}

raster::TWindow ClipWindow(TDeviceContext& dc, int margin = 0) {
    TRect b = dc.Clip().Bounds();
    if (dc.Clip().IsEmpty()) return {0, 0, 0, 0};
    return {b.Left - margin, b.Top - margin, b.Right + margin, b.Bottom + margin};
}

// Collects consecutive pixels into spans before handing them to a painter.
class TRunPainter {
public:
    explicit TRunPainter(TPainter& p) : FPainter(p) {}
    ~TRunPainter() { Flush(); }
    void Plot(int x, int y) {
        if (FOpen && y == FY && x == FX1) {
            ++FX1;
            return;
        }
        if (FOpen && y == FY && x == FX0 - 1) {
            --FX0;
            return;
        }
        Flush();
        FOpen = true;
        FY = y;
        FX0 = x;
        FX1 = x + 1;
    }
    void Flush() {
        if (FOpen) FPainter.Span(FY, FX0, FX1);
        FOpen = false;
    }

private:
    TPainter& FPainter;
    bool FOpen = false;
    int FY = 0, FX0 = 0, FX1 = 0;
};

// Walks the dash pattern pixel by pixel.
class TDashWalker {
public:
    TDashWalker(const TPenInfo& pen) : FPen(pen) {}
    bool Next() {
        if (!FPen.Dashes) return true;
        bool on = (FIndex % 2) == 0;
        if (++FCount >= FPen.Dashes[FIndex]) {
            FCount = 0;
            FIndex = (FIndex + 1) % FPen.DashCount;
        }
        return on;
    }

private:
    const TPenInfo& FPen;
    int FIndex = 0;
    int FCount = 0;
};

struct TPoint64 {
    std::int64_t X, Y;
};

// Paints a sequence of pixels with the pen: dash pixels in the pen colour, gaps in the background
// colour when the background is opaque.
class TPenPixels {
public:
    TPenPixels(TDeviceContext& dc, const TPenInfo& pen)
        : FPen(pen), FRop(Rop2ToRop3(dc.S.Rop2)), FOnSource(SolidSource(dc, pen.Color)),
          FOffSource(SolidSource(dc, dc.S.BkColor)), FOn(dc, FRop, FOnSource), FOff(dc, FRop, FOffSource), FOnRuns(FOn),
          FOffRuns(FOff), FDash(pen), FOpaque(dc.S.BkMode == OPAQUE) {}
    void Plot(int x, int y) {
        if (FDash.Next())
            FOnRuns.Plot(x, y);
        else if (FOpaque)
            FOffRuns.Plot(x, y);
    }
    // For dashes: steps the pattern over pixels that were clipped away, so the dashes do not
    // shift when part of a line is hidden.
    void Skip(std::int64_t n) {
        for (std::int64_t i = 0; i < n && FPen.Dashes && i < 64; ++i) FDash.Next();
    }

private:
    const TPenInfo& FPen;
    unsigned FRop;
    TPaintSource FOnSource, FOffSource;
    TPainter FOn, FOff;
    TRunPainter FOnRuns, FOffRuns;
    TDashWalker FDash;
    bool FOpaque;
};

// Thin lines from a through the points, each segment without its last pixel.
void ThinPolyline(TDeviceContext& dc, const TPenInfo& pen, const std::vector<TPoint64>& pts, bool closed) {
    TPenPixels pixels(dc, pen);
    raster::TWindow w = ClipWindow(dc);
    std::size_t n = pts.size();
    std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const TPoint64& a = pts[i];
        const TPoint64& b = pts[(i + 1) % n];
        if (pen.Dashes) {
            // Keep dash phase exact: walk the whole visible-or-not segment when it is short.
            std::int64_t len = std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y));
            if (len <= 1 << 16) {
                raster::TWindow all;
                raster::LinePixels(a.X, a.Y, b.X, b.Y, false, all, [&](int x, int y) {
                    if (x >= w.Left && x < w.Right && y >= w.Top && y < w.Bottom)
                        pixels.Plot(x, y);
                    else
                        pixels.Skip(1);
                });
                continue;
            }
        }
        raster::LinePixels(a.X, a.Y, b.X, b.Y, false, w, [&](int x, int y) { pixels.Plot(x, y); });
    }
}

// The region covered by a wide pen along the points (round joins and caps).
TRegion WideStroke(const std::vector<TPoint64>& pts, bool closed, int width, const raster::TWindow& w) {
    raster::TSpanList spans;
    TRegion result;
    double h = width / 2.0;
    auto disc = [&](const TPoint64& p) {
        double cx = double(p.X) + 0.5, cy = double(p.Y) + 0.5;
        raster::RoundRectSpans(cx - h, cy - h, cx + h, cy + h, width, width, w, spans);
    };
    std::size_t n = pts.size();
    std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < n; ++i) disc(pts[i]);
    for (std::size_t i = 0; i < segments; ++i) {
        const TPoint64& a = pts[i];
        const TPoint64& b = pts[(i + 1) % n];
        double dx = double(b.X - a.X), dy = double(b.Y - a.Y);
        double len = std::sqrt(dx * dx + dy * dy);
        if (len == 0) continue;
        double nx = -dy / len * h, ny = dx / len * h;
        double ax = double(a.X) + 0.5, ay = double(a.Y) + 0.5, bx = double(b.X) + 0.5, by = double(b.Y) + 0.5;
        raster::TPointD quad[4] = {{ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};
        int four = 4;
        raster::TSpanList q;
        raster::PolygonSpans(quad, &four, 1, WINDING, w, q);
        result.Union(q.ToRegion());
    }
    result.Union(spans.ToRegion());
    return result;
}

std::vector<TPoint64> ToSurfacePoints(TDeviceContext& dc, const TPoint* pts, int n) {
    std::vector<TPoint64> out(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out[i] = {ClampCoord(dc.SX(pts[i].X)), ClampCoord(dc.SY(pts[i].Y))};
    return out;
}

void StrokePolyline(TDeviceContext& dc, const std::vector<TPoint64>& pts, bool closed) {
    TPenInfo pen = PenOf(dc);
    if (pen.Null || pts.size() < 2) return;
    if (pen.Width <= 1) {
        ThinPolyline(dc, pen, pts, closed);
        return;
    }
    TRegion stroke = WideStroke(pts, closed, pen.Width, ClipWindow(dc, pen.Width));
    TPaintSource src = SolidSource(dc, pen.Color);
    TPainter painter(dc, Rop2ToRop3(dc.S.Rop2), src);
    painter.ClippedRegion(std::move(stroke));
}

// Paints a closed shape: interior with the brush, outline with the pen, each pixel once.
void PaintShape(TDeviceContext& dc, const TRegion& interior, const TRegion& outline) {
    unsigned rop = Rop2ToRop3(dc.S.Rop2);
    TPaintSource brush = BrushSource(dc, BrushOf(dc));
    if (brush.Kind != TPaintSource::TKind::None && !interior.IsEmpty()) {
        TPainter painter(dc, rop, brush);
        painter.ClippedRegion(interior - outline);
    }
    TPenInfo pen = PenOf(dc);
    if (!pen.Null && !outline.IsEmpty()) {
        TPaintSource src = SolidSource(dc, pen.Color);
        TPainter painter(dc, rop, src);
        painter.ClippedRegion(outline);
    }
}

// Pixels of a region in order of angle around (cx, cy), for dashing curved outlines.
void DashRegion(TDeviceContext& dc, const TPenInfo& pen, const TRegion& ring, double cx, double cy) {
    struct TPix {
        double Angle;
        int X, Y;
    };
    std::vector<TPix> pixels;
    int n = 0;
    const pixman_box32_t* b = ring.Boxes(n);
    for (int k = 0; k < n; ++k)
        for (int y = b[k].y1; y < b[k].y2; ++y)
            for (int x = b[k].x1; x < b[k].x2; ++x) {
                if (pixels.size() > (1u << 22)) break;
                pixels.push_back({std::atan2(-(y + 0.5 - cy), x + 0.5 - cx), x, y});
            }
    std::sort(pixels.begin(), pixels.end(), [](const TPix& a, const TPix& c) { return a.Angle > c.Angle; });
    TPenPixels out(dc, pen);
    for (const TPix& p : pixels) out.Plot(p.X, p.Y);
}

struct TShapeBox {
    double L, T, R, B;
};

TRegion RoundRegion(const TShapeBox& box, double ew, double eh, const raster::TWindow& w) {
    raster::TSpanList spans;
    raster::RoundRectSpans(box.L, box.T, box.R, box.B, ew, eh, w, spans);
    return spans.ToRegion();
}

// Outline and interior of a rounded rectangle (ellipse when ew/eh cover the box) with the pen.
void RoundShape(TDeviceContext& dc, int left, int top, int right, int bottom, std::int64_t ew, std::int64_t eh,
                bool ellipse) {
    TRect r = dc.ToSurface(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
    TPenInfo pen = PenOf(dc);
    raster::TWindow w = ClipWindow(dc);
    auto shape = [&](double l, double t, double rr, double b, double cw, double ch) {
        if (ellipse) {
            cw = rr - l;
            ch = b - t;
        }
        return RoundRegion({l, t, rr, b}, std::max(0.0, cw), std::max(0.0, ch), w);
    };
    if (pen.Null) {
        PaintShape(dc, shape(r.Left, r.Top, r.Right - 1, r.Bottom - 1, double(ew), double(eh)), TRegion());
        return;
    }
    int a = pen.InsideFrame || pen.Width <= 1 ? 0 : (pen.Width - 1) / 2;
    double ol = r.Left - a, ot = r.Top - a, orr = r.Right + a, ob = r.Bottom + a;
    int pw = pen.Width;
    TRegion outer = shape(ol, ot, orr, ob, double(ew + 2 * a), double(eh + 2 * a));
    TRegion inner =
        shape(ol + pw, ot + pw, orr - pw, ob - pw, double(ew + 2 * a - 2 * pw), double(eh + 2 * a - 2 * pw));
    TRegion ring = outer - inner;
    if (pen.Dashes) {
        PaintShape(dc, inner, TRegion());
        DashRegion(dc, pen, ring & dc.Clip(), (r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
        return;
    }
    PaintShape(dc, inner, ring);
}

// The arc family: which pixels of the outline and interior lie within the angular range.
enum class TArcKind { Arc, Pie, Chord };

double NormAngle(double a) {
    constexpr double twoPi = 2 * std::numbers::pi;
    a = std::fmod(a, twoPi);
    return a < 0 ? a + twoPi : a;
}

void ArcShape(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, TArcKind kind) {
    TDeviceContext* d = LookupDC(hdc);
    if (!d) return;
    TDeviceContext& dc = *d;
    TRect r = dc.ToSurface(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
    if (r.IsEmpty()) return;
    TPenInfo pen = PenOf(dc);
    raster::TWindow w = ClipWindow(dc);
    double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    double rx = (r.Right - r.Left) / 2.0, ry = (r.Bottom - r.Top) / 2.0;
    double sxp = double(dc.SX(xs)), syp = double(dc.SY(ys)), exp = double(dc.SX(xe)), eyp = double(dc.SY(ye));
    double as = std::atan2(-(syp - cy), sxp - cx), ae = std::atan2(-(eyp - cy), exp - cx);
    double sweep = NormAngle(ae - as);
    if (sweep == 0) sweep = 2 * std::numbers::pi;
    auto inSweep = [&](double px, double py) { return NormAngle(std::atan2(-(py - cy), px - cx) - as) <= sweep; };
    // Where the rays meet the ellipse.
    auto onEllipse = [&](double angle) {
        double dx = std::cos(angle), dy = -std::sin(angle);
        double t = 1 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
        return TPoint64{static_cast<std::int64_t>(std::floor(cx + t * dx)),
                        static_cast<std::int64_t>(std::floor(cy + t * dy))};
    };
    TPoint64 ps = onEllipse(as), pe = onEllipse(as + sweep);
    int a = pen.Null || pen.InsideFrame || pen.Width <= 1 ? 0 : (pen.Width - 1) / 2;
    int pw = pen.Null ? 1 : pen.Width;
    TShapeBox ob{double(r.Left - a), double(r.Top - a), double(r.Right + a), double(r.Bottom + a)};
    TShapeBox ib{ob.L + pw, ob.T + pw, ob.R - pw, ob.B - pw};
    TRegion outer = RoundRegion(ob, ob.R - ob.L, ob.B - ob.T, w);
    TRegion inner = RoundRegion(ib, ib.R - ib.L, ib.B - ib.T, w);
    // Angular filtering, pixel by pixel (bounded by the clip window).
    auto filter = [&](const TRegion& rgn, auto&& keep) {
        raster::TSpanList spans;
        int n = 0;
        const pixman_box32_t* b = rgn.Boxes(n);
        for (int k = 0; k < n; ++k)
            for (int y = b[k].y1; y < b[k].y2; ++y) {
                int runStart = -1;
                for (int x = b[k].x1; x <= b[k].x2; ++x) {
                    bool in = x < b[k].x2 && keep(x + 0.5, y + 0.5);
                    if (in && runStart < 0) runStart = x;
                    if (!in && runStart >= 0) {
                        spans.Add(y, runStart, x, w);
                        runStart = -1;
                    }
                }
            }
        return spans.ToRegion();
    };
    TRegion outline;
    if (!pen.Null) {
        outline = filter(outer - inner, inSweep);
        if (kind != TArcKind::Arc) {
            std::vector<TPoint64> path;
            if (kind == TArcKind::Pie)
                path = {pe, {std::int64_t(std::floor(cx)), std::int64_t(std::floor(cy))}, ps};
            else
                path = {pe, ps};
            if (pen.Width <= 1) {
                raster::TSpanList spans;
                for (std::size_t i = 0; i + 1 < path.size(); ++i)
                    raster::LinePixels(path[i].X, path[i].Y, path[i + 1].X, path[i + 1].Y, true, w,
                                       [&](int x, int y) { spans.Add(y, x, x + 1, w); });
                outline.Union(spans.ToRegion());
            } else
                outline.Union(WideStroke(path, false, pen.Width, w));
        }
    }
    if (kind == TArcKind::Arc) {
        if (pen.Dashes)
            DashRegion(dc, pen, outline & dc.Clip(), cx, cy);
        else
            PaintShape(dc, TRegion(), outline);
        return;
    }
    TRegion interior;
    if (kind == TArcKind::Pie)
        interior = filter(inner, inSweep);
    else {
        double mid = as + sweep / 2;
        double mx = cx + rx * std::cos(mid), my = cy - ry * std::sin(mid);
        double ux = double(pe.X - ps.X), uy = double(pe.Y - ps.Y);
        double side = ux * (my - (ps.Y + 0.5)) - uy * (mx - (ps.X + 0.5));
        interior = filter(inner, [&](double px, double py) {
            double s = ux * (py - (ps.Y + 0.5)) - uy * (px - (ps.X + 0.5));
            return (s >= 0) == (side >= 0);
        });
    }
    if (pen.Dashes) {
        PaintShape(dc, interior - outline, TRegion());
        DashRegion(dc, pen, outline & dc.Clip(), cx, cy);
    } else
        PaintShape(dc, interior, outline);
}

} // namespace

// --- Lines -------------------------------------------------------------------------------------------

bool MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    if (previous) *previous = d->S.CurPos;
    d->S.CurPos = {x, y};
    return true;
}

bool GetCurrentPositionEx(HDC dc, TPoint* position) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !position) return false;
    *position = d->S.CurPos;
    return true;
}

bool LineTo(HDC dc, int x, int y) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    TPoint pts[2] = {d->S.CurPos, {x, y}};
    StrokePolyline(*d, ToSurfacePoints(*d, pts, 2), false);
    d->S.CurPos = {x, y};
    return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !points || count < 2) return false;
    StrokePolyline(*d, ToSurfacePoints(*d, points, count), false);
    return true;
}

bool PolylineTo(HDC dc, const TPoint* points, int count) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !points || count < 1) return false;
    std::vector<TPoint> all;
    all.reserve(static_cast<std::size_t>(count) + 1);
    all.push_back(d->S.CurPos);
    all.insert(all.end(), points, points + count);
    StrokePolyline(*d, ToSurfacePoints(*d, all.data(), static_cast<int>(all.size())), false);
    d->S.CurPos = points[count - 1];
    return true;
}

namespace {

bool PolygonImpl(HDC hdc, const TPoint* points, const int* counts, int polygonCount) {
    TDeviceContext* d = LookupDC(hdc);
    if (!d || !points || !counts || polygonCount <= 0) return false;
    TDeviceContext& dc = *d;
    raster::TWindow w = ClipWindow(dc);
    std::vector<raster::TPointD> fillPts;
    std::vector<int> fillCounts;
    TRegion outline;
    TPenInfo pen = PenOf(dc);
    std::vector<std::vector<TPoint64>> rings;
    const TPoint* p = points;
    for (int k = 0; k < polygonCount; ++k) {
        if (counts[k] < 2) return false;
        std::vector<TPoint64> ring = ToSurfacePoints(dc, p, counts[k]);
        for (const TPoint64& q : ring) fillPts.push_back({double(q.X), double(q.Y)});
        fillCounts.push_back(counts[k]);
        if (!pen.Null && !pen.Dashes) {
            if (pen.Width <= 1) {
                raster::TSpanList spans;
                for (std::size_t i = 0; i < ring.size(); ++i) {
                    const TPoint64& a = ring[i];
                    const TPoint64& b = ring[(i + 1) % ring.size()];
                    raster::LinePixels(a.X, a.Y, b.X, b.Y, false, w, [&](int x, int y) { spans.Add(y, x, x + 1, w); });
                }
                outline.Union(spans.ToRegion());
            } else
                outline.Union(WideStroke(ring, true, pen.Width, ClipWindow(dc, pen.Width)));
        }
        rings.push_back(std::move(ring));
        p += counts[k];
    }
    raster::TSpanList fill;
    raster::PolygonSpans(fillPts.data(), fillCounts.data(), polygonCount, dc.S.PolyFillMode, w, fill);
    TRegion interior = fill.ToRegion();
    if (pen.Dashes) {
        PaintShape(dc, interior, TRegion());
        for (const auto& ring : rings) ThinPolyline(dc, pen, ring, true);
        return true;
    }
    PaintShape(dc, interior, outline);
    return true;
}

} // namespace

bool Polygon(HDC dc, const TPoint* points, int count) {
    return PolygonImpl(dc, points, &count, 1);
}

bool PolyPolygon(HDC dc, const TPoint* points, const int* counts, int polygonCount) {
    return PolygonImpl(dc, points, counts, polygonCount);
}

// --- Shapes ------------------------------------------------------------------------------------------

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    TDeviceContext* d = LookupDC(hdc);
    if (!d) return false;
    TDeviceContext& dc = *d;
    TRect r = dc.ToSurface(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
    TPenInfo pen = PenOf(dc);
    if (pen.Null) {
        // Without a pen the filled area is one pixel smaller, as it has always been.
        PaintShape(dc, TRegion(TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}), TRegion());
        return true;
    }
    int a = pen.InsideFrame || pen.Width <= 1 ? 0 : (pen.Width - 1) / 2;
    TRect outer = r.Inflate(a, a);
    TRect inner = outer.Inflate(-pen.Width, -pen.Width);
    TRegion innerRgn(inner);
    if (pen.Dashes) {
        PaintShape(dc, innerRgn, TRegion());
        if (outer.Width() >= 1 && outer.Height() >= 1) {
            std::vector<TPoint64> ring = {{outer.Left, outer.Top},
                                          {outer.Right - 1, outer.Top},
                                          {outer.Right - 1, outer.Bottom - 1},
                                          {outer.Left, outer.Bottom - 1}};
            if (outer.Width() == 1 || outer.Height() == 1) {
                ThinPolyline(dc, pen, {{outer.Left, outer.Top}, {outer.Right - 1, outer.Bottom - 1}}, false);
                TPenPixels last(dc, pen);
                last.Plot(outer.Right - 1, outer.Bottom - 1);
            } else
                ThinPolyline(dc, pen, ring, true);
        }
        return true;
    }
    PaintShape(dc, innerRgn, TRegion(outer) - innerRgn);
    return true;
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    RoundShape(*d, left, top, right, bottom, ellipseWidth, ellipseHeight, false);
    return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    RoundShape(*d, left, top, right, bottom, 0, 0, true);
    return true;
}

bool Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!LookupDC(dc)) return false;
    ArcShape(dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd, TArcKind::Arc);
    return true;
}

bool Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!LookupDC(dc)) return false;
    ArcShape(dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd, TArcKind::Pie);
    return true;
}

bool Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!LookupDC(dc)) return false;
    ArcShape(dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd, TArcKind::Chord);
    return true;
}

// --- Rectangles and pixels ---------------------------------------------------------------------------

namespace {

TRect SurfaceRect(TDeviceContext& dc, const TRect& r) {
    return dc.ToSurface(r.Left, r.Top, r.Right, r.Bottom);
}

} // namespace

int FillRect(HDC dc, const TRect* rect, HBRUSH brush) {
    TDeviceContext* d = LookupDC(dc);
    TBrushObj* b = LookupBrush(brush);
    if (!d || !rect || !b) return 0;
    TPaintSource src = BrushSource(*d, b);
    TPainter painter(*d, 0xF0, src);
    painter.Rect(SurfaceRect(*d, *rect));
    return 1;
}

int FrameRect(HDC dc, const TRect* rect, HBRUSH brush) {
    TDeviceContext* d = LookupDC(dc);
    TBrushObj* b = LookupBrush(brush);
    if (!d || !rect || !b) return 0;
    TRect r = SurfaceRect(*d, *rect);
    if (r.IsEmpty()) return 1;
    TPaintSource src = BrushSource(*d, b);
    TPainter painter(*d, 0xF0, src);
    painter.ClippedRegion(TRegion(r) - TRegion(r.Inflate(-1, -1)));
    return 1;
}

bool InvertRect(HDC dc, const TRect* rect) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !rect) return false;
    TPaintSource none;
    TPainter painter(*d, 0x55, none);
    painter.Rect(SurfaceRect(*d, *rect));
    return true;
}

bool DrawFocusRect(HDC dc, const TRect* rect) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !rect) return false;
    TRect r = SurfaceRect(*d, *rect);
    if (r.IsEmpty()) return true;
    raster::TWindow w = ClipWindow(*d);
    raster::TSpanList spans;
    TPoint o = d->DeviceOrigin;
    auto dot = [&](int x, int y) {
        if (((x - o.X) + (y - o.Y)) % 2 == 0) spans.Add(y, x, x + 1, w);
    };
    // Rows first (top and bottom), then the sides between them; each pixel once.
    for (int y : {r.Top, r.Bottom - 1}) {
        if (y < w.Top || y >= w.Bottom) continue;
        for (int x = std::max(r.Left, w.Left); x < std::min(r.Right, w.Right); ++x) dot(x, y);
        if (r.Height() == 1) break;
    }
    for (int y = std::max(r.Top + 1, w.Top); y < std::min(r.Bottom - 1, w.Bottom); ++y) {
        dot(r.Left, y);
        if (r.Width() > 1) dot(r.Right - 1, y);
    }
    TPaintSource none;
    TPainter painter(*d, 0x55, none);
    painter.ClippedRegion(spans.ToRegion());
    return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    int sx = ClampCoord(d->SX(x)), sy = ClampCoord(d->SY(y));
    if (!d->Clip().Contains({sx, sy})) return CLR_INVALID;
    TPixel p = TargetPixel(*d, color);
    d->Target()->At(sx, sy) = p;
    d->Damage({sx, sy, sx + 1, sy + 1});
    return ColorFromPixel(p);
}

bool SetPixelV(HDC dc, int x, int y, COLORREF color) {
    return SetPixel(dc, x, y, color) != CLR_INVALID;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    int sx = ClampCoord(d->SX(x)), sy = ClampCoord(d->SY(y));
    if (!d->Clip().Contains({sx, sy})) return CLR_INVALID;
    return ColorFromPixel(d->Target()->At(sx, sy));
}

bool FillSolidRect(HDC dc, const TRect& rect, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    TPaintSource src = SolidSource(*d, color);
    TPainter painter(*d, 0xF0, src);
    painter.Rect(SurfaceRect(*d, rect));
    return true;
}

bool GradientFillRect(HDC dc, const TRect& rect, COLORREF from, COLORREF to, bool vertical) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    TRect r = SurfaceRect(*d, rect);
    if (r.IsEmpty()) return true;
    int n = vertical ? r.Height() : r.Width();
    if (n > TSurface::kMaxDimension) return false;
    TPaintSource src;
    src.Kind = TPaintSource::TKind::Tile;
    src.Tile = vertical ? TSurface(1, n) : TSurface(n, 1);
    src.Origin = {r.Left, r.Top};
    for (int i = 0; i < n; ++i) {
        auto mix = [&](int a, int b) { return n == 1 ? a : a + (b - a) * i / (n - 1); };
        COLORREF c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                         mix(GetBValue(from), GetBValue(to)));
        TPixel p = TargetPixel(*d, c);
        if (vertical)
            src.Tile.At(0, i) = p;
        else
            src.Tile.At(i, 0) = p;
    }
    TPainter painter(*d, 0xF0, src);
    painter.Rect(r);
    return true;
}

// --- Region painting ---------------------------------------------------------------------------------

namespace {

bool SurfaceRegion(TDeviceContext& dc, HRGN rgn, TRegion& out) {
    if (!GetRegion(rgn, out)) return false;
    TPoint o = dc.LogicalToSurfaceOffset();
    out.Offset(o.X, o.Y);
    return true;
}

} // namespace

bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
    TDeviceContext* d = LookupDC(dc);
    TBrushObj* b = LookupBrush(brush);
    TRegion r;
    if (!d || !b || !SurfaceRegion(*d, rgn, r)) return false;
    TPaintSource src = BrushSource(*d, b);
    TPainter painter(*d, 0xF0, src);
    painter.ClippedRegion(std::move(r));
    return true;
}

bool FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height) {
    TDeviceContext* d = LookupDC(dc);
    TBrushObj* b = LookupBrush(brush);
    TRegion r;
    if (!d || !b || width < 0 || height < 0 || !SurfaceRegion(*d, rgn, r)) return false;
    // The frame is what erosion by the frame size removes.
    TRegion inner = r;
    for (int k = 1; k <= std::min(width, 64); ++k) {
        inner.Intersect(TRegion(r).Offset(k, 0));
        inner.Intersect(TRegion(r).Offset(-k, 0));
    }
    for (int k = 1; k <= std::min(height, 64); ++k) {
        inner.Intersect(TRegion(r).Offset(0, k));
        inner.Intersect(TRegion(r).Offset(0, -k));
    }
    TPaintSource src = BrushSource(*d, b);
    TPainter painter(*d, 0xF0, src);
    painter.ClippedRegion(r - inner);
    return true;
}

bool InvertRgn(HDC dc, HRGN rgn) {
    TDeviceContext* d = LookupDC(dc);
    TRegion r;
    if (!d || !SurfaceRegion(*d, rgn, r)) return false;
    TPaintSource none;
    TPainter painter(*d, 0x55, none);
    painter.ClippedRegion(std::move(r));
    return true;
}

bool PaintRgn(HDC dc, HRGN rgn) {
    TDeviceContext* d = LookupDC(dc);
    TRegion r;
    if (!d || !SurfaceRegion(*d, rgn, r)) return false;
    TPaintSource src = BrushSource(*d, BrushOf(*d));
    if (src.Kind == TPaintSource::TKind::None) return true;
    TPainter painter(*d, Rop2ToRop3(d->S.Rop2), src);
    painter.ClippedRegion(std::move(r));
    return true;
}

} // namespace dw
