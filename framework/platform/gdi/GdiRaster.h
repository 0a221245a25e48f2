// Internal to the renderer: turning shapes (lines, polygons, ellipses, rounded rectangles) into
// pixel spans, restricted to a window of interest so that huge shapes cost only what is visible.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/Region.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace dw::raster {

// The rows and columns worth producing; everything outside is dropped.
struct TWindow {
    int Left = -TRegion::kCoordLimit;
    int Top = -TRegion::kCoordLimit;
    int Right = TRegion::kCoordLimit;
    int Bottom = TRegion::kCoordLimit;
    static TWindow FromRect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
};

struct TPointD {
    double X = 0;
    double Y = 0;
};

// Spans collected row by row; rows must be added in increasing order for ToRegion to stay cheap,
// but any order gives the right region.
class TSpanList {
public:
    void Add(int y, int x0, int x1, const TWindow& w) {
        if (y < w.Top || y >= w.Bottom) return;
        if (x0 < w.Left) x0 = w.Left;
        if (x1 > w.Right) x1 = w.Right;
        if (x0 >= x1) return;
        if (!FBoxes.empty()) {
            pixman_box32_t& last = FBoxes.back();
            if (last.y1 == y && last.x2 >= x0 && last.x1 <= x1) {
                if (x0 < last.x1) last.x1 = x0;
                if (x1 > last.x2) last.x2 = x1;
                return;
            }
        }
        FBoxes.push_back({x0, y, x1, y + 1});
    }
    bool Empty() const { return FBoxes.empty(); }
    void Clear() { FBoxes.clear(); }
    TRegion ToRegion() const;

private:
    std::vector<pixman_box32_t> FBoxes;
};

// A rounded rectangle (an ellipse when the corner ellipse is the whole box) with the classic pixel
// rule: a pixel belongs when its centre is inside; right and bottom edges excluded.
void RoundRectSpans(double left, double top, double right, double bottom, double ellipseWidth, double ellipseHeight,
                    const TWindow& w, TSpanList& out);

// Polygons (several, each closed) with points on pixel corners, filled by pixel centres.
void PolygonSpans(const TPointD* points, const int* counts, int polygonCount, int fillMode, const TWindow& w,
                  TSpanList& out);

// Bresenham: calls plot(x, y) for each pixel of the line from a to b inside w, in order from a,
// b itself included only when includeLast. Coordinates are 64-bit so nothing overflows.
template <class F>
void LinePixels(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool includeLast, const TWindow& w,
                F&& plot) {
    std::int64_t dx = x1 - x0, dy = y1 - y0;
    std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    bool xMajor = adx >= ady;
    std::int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    std::int64_t n = major + (includeLast ? 1 : 0);
    if (n <= 0) return;
    // Minor offset of step i: floor((2 i minor + major) / (2 major)), i.e. rounded to nearest.
    auto minorAt = [&](std::int64_t i) -> std::int64_t {
        return major == 0 ? 0 : (2 * i * minor + major) / (2 * major);
    };
    std::int64_t majStart = xMajor ? x0 : y0, minStart = xMajor ? y0 : x0;
    int majSign = xMajor ? sx : sy, minSign = xMajor ? sy : sx;
    std::int64_t majLo = xMajor ? w.Left : w.Top, majHi = xMajor ? w.Right : w.Bottom;
    std::int64_t minLo = xMajor ? w.Top : w.Left, minHi = xMajor ? w.Bottom : w.Right;
    // Steps whose major coordinate lies in [majLo, majHi).
    std::int64_t iLo, iHi;
    if (majSign > 0) {
        iLo = majLo - majStart;
        iHi = majHi - majStart;
    } else {
        iLo = majStart - majHi + 1;
        iHi = majStart - majLo + 1;
    }
    if (iLo < 0) iLo = 0;
    if (iHi > n) iHi = n;
    if (iLo >= iHi) return;
    // The minor coordinate is monotonic in i: narrow [iLo, iHi) to where it lies in [minLo, minHi).
    auto inMinorBefore = [&](std::int64_t i) { // minor coordinate of step i still before the window
        std::int64_t m = minStart + minSign * minorAt(i);
        return minSign > 0 ? m < minLo : m >= minHi;
    };
    auto inMinorAfter = [&](std::int64_t i) { // minor coordinate of step i already past the window
        std::int64_t m = minStart + minSign * minorAt(i);
        return minSign > 0 ? m >= minHi : m < minLo;
    };
    {
        std::int64_t lo = iLo, hi = iHi; // first i not before the window
        while (lo < hi) {
            std::int64_t mid = lo + (hi - lo) / 2;
            if (inMinorBefore(mid))
                lo = mid + 1;
            else
                hi = mid;
        }
        iLo = lo;
        lo = iLo;
        hi = iHi; // first i past the window
        while (lo < hi) {
            std::int64_t mid = lo + (hi - lo) / 2;
            if (inMinorAfter(mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        iHi = lo;
    }
    if (iLo >= iHi) return;
    std::int64_t num = 2 * iLo * minor + major;
    std::int64_t den = 2 * major;
    std::int64_t k = den == 0 ? 0 : num / den;
    std::int64_t rem = den == 0 ? 0 : num % den;
    for (std::int64_t i = iLo; i < iHi; ++i) {
        std::int64_t maj = majStart + majSign * i, mn = minStart + minSign * k;
        if (xMajor)
            plot(static_cast<int>(maj), static_cast<int>(mn));
        else
            plot(static_cast<int>(mn), static_cast<int>(maj));
        rem += 2 * minor;
        while (den != 0 && rem >= den) {
            rem -= den;
            ++k;
        }
    }
}

} // namespace dw::raster
