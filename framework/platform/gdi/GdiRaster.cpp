#include "framework/platform/gdi/GdiRaster.h"

#include <algorithm>

namespace dw::raster {

TRegion TSpanList::ToRegion() const {
    TRegion r;
    if (FBoxes.empty()) return r;
    pixman_region32_fini(r.Native());
    pixman_region32_init_rects(r.Native(), FBoxes.data(), static_cast<int>(FBoxes.size()));
    return r;
}

namespace {

// Pixels whose centres lie in [a, b).
inline void CentreSpan(double a, double b, int& x0, int& x1) {
    x0 = static_cast<int>(std::ceil(a - 0.5));
    x1 = static_cast<int>(std::ceil(b - 0.5));
}

} // namespace

void RoundRectSpans(double left, double top, double right, double bottom, double ellipseWidth, double ellipseHeight,
                    const TWindow& w, TSpanList& out) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left <= 0 || bottom - top <= 0) return;
    double a = std::clamp(std::abs(ellipseWidth), 0.0, right - left) / 2;
    double b = std::clamp(std::abs(ellipseHeight), 0.0, bottom - top) / 2;
    int yStart = std::max<int>(w.Top, static_cast<int>(std::floor(top)));
    int yEnd = std::min<int>(w.Bottom, static_cast<int>(std::ceil(bottom)));
    for (int y = yStart; y < yEnd; ++y) {
        double yc = y + 0.5;
        if (yc < top || yc >= bottom) continue;
        double inset = 0;
        if (a > 0 && b > 0) {
            double dy = 0;
            if (yc < top + b)
                dy = top + b - yc;
            else if (yc > bottom - b)
                dy = yc - (bottom - b);
            if (dy > 0) {
                double t = 1 - (dy / b) * (dy / b);
                if (t <= 0) continue;
                inset = a - a * std::sqrt(t);
            }
        }
        int x0, x1;
        CentreSpan(left + inset, right - inset, x0, x1);
        out.Add(y, x0, x1, w);
    }
}

namespace {

struct TEdge {
    double X0, Y0, X1, Y1; // Y0 < Y1
    int Dir;
};

} // namespace

void PolygonSpans(const TPointD* points, const int* counts, int polygonCount, int fillMode, const TWindow& w,
                  TSpanList& out) {
    std::vector<TEdge> edges;
    const TPointD* p = points;
    double minY = 0, maxY = 0;
    bool any = false;
    for (int k = 0; k < polygonCount; ++k) {
        int n = counts[k];
        for (int i = 0; i < n; ++i) {
            TPointD a = p[i], b = p[(i + 1) % n];
            if (!any) {
                minY = maxY = a.Y;
                any = true;
            }
            minY = std::min(minY, a.Y);
            maxY = std::max(maxY, a.Y);
            if (a.Y == b.Y) continue;
            if (a.Y < b.Y)
                edges.push_back({a.X, a.Y, b.X, b.Y, 1});
            else
                edges.push_back({b.X, b.Y, a.X, a.Y, -1});
        }
        p += n;
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(), [](const TEdge& e, const TEdge& f) { return e.Y0 < f.Y0; });
    int yStart = std::max<int>(w.Top, static_cast<int>(std::floor(minY)));
    int yEnd = std::min<int>(w.Bottom, static_cast<int>(std::ceil(maxY)));
    std::vector<const TEdge*> active;
    std::vector<std::pair<double, int>> xs;
    std::size_t next = 0;
    for (int y = yStart; y < yEnd; ++y) {
        double yc = y + 0.5;
        while (next < edges.size() && edges[next].Y0 <= yc) active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(), [&](const TEdge* e) { return e->Y1 <= yc; }),
                     active.end());
        xs.clear();
        for (const TEdge* e : active) {
            if (e->Y0 > yc) continue;
            double x = e->X0 + (yc - e->Y0) * (e->X1 - e->X0) / (e->Y1 - e->Y0);
            xs.emplace_back(x, e->Dir);
        }
        if (xs.size() < 2) continue;
        std::sort(xs.begin(), xs.end());
        if (fillMode == WINDING) {
            int wind = 0;
            double start = 0;
            for (auto& [x, dir] : xs) {
                int before = wind;
                wind += dir;
                if (before == 0 && wind != 0)
                    start = x;
                else if (before != 0 && wind == 0) {
                    int x0, x1;
                    CentreSpan(start, x, x0, x1);
                    out.Add(y, x0, x1, w);
                }
            }
        } else {
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                int x0, x1;
                CentreSpan(xs[i].first, xs[i + 1].first, x0, x1);
                out.Add(y, x0, x1, w);
            }
        }
    }
}

} // namespace dw::raster
