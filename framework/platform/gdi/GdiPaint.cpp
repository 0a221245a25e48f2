// The raster operation evaluator and the span painter every drawing call ends in.
#include "framework/platform/gdi/GdiInternal.h"
#include "framework/platform/gdi/SysColors.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace dw::gdi {

namespace {

// Bit i of the truth table is the result for pattern (i >> 2) & 1, source (i >> 1) & 1 and
// destination i & 1. Instantiated once per table so that the compiler folds the expression.
template <unsigned T> inline TPixel Rop3(TPixel P, TPixel S, TPixel D) {
    if constexpr (T == 0xCC)
        return S;
    else if constexpr (T == 0x66)
        return S ^ D;
    else if constexpr (T == 0x88)
        return S & D;
    else if constexpr (T == 0xEE)
        return S | D;
    else if constexpr (T == 0x33)
        return ~S;
    else if constexpr (T == 0x55)
        return ~D;
    else if constexpr (T == 0xF0)
        return P;
    else if constexpr (T == 0x5A)
        return P ^ D;
    else if constexpr (T == 0xA5)
        return ~(P ^ D);
    else if constexpr (T == 0xC0)
        return P & S;
    else if constexpr (T == 0xBB)
        return ~S | D;
    else if constexpr (T == 0x44)
        return S & ~D;
    else if constexpr (T == 0x11)
        return ~(S | D);
    else if constexpr (T == 0xFB)
        return P | ~S | D;
    else if constexpr (T == 0xB8)
        return (P & ~S) | (D & S); // pattern where source is 0
    else if constexpr (T == 0xE2)
        return (D & ~S) | (P & S); // pattern where source is 1
    else {
        TPixel r = 0;
        if constexpr ((T & 0x01) != 0) r |= ~P & ~S & ~D;
        if constexpr ((T & 0x02) != 0) r |= ~P & ~S & D;
        if constexpr ((T & 0x04) != 0) r |= ~P & S & ~D;
        if constexpr ((T & 0x08) != 0) r |= ~P & S & D;
        if constexpr ((T & 0x10) != 0) r |= P & ~S & ~D;
        if constexpr ((T & 0x20) != 0) r |= P & ~S & D;
        if constexpr ((T & 0x40) != 0) r |= P & S & ~D;
        if constexpr ((T & 0x80) != 0) r |= P & S & D;
        return r;
    }
}

template <unsigned T> void RopRowImpl(TPixel* d, const TPixel* s, const TPixel* p, int n) {
    for (int i = 0; i < n; ++i) d[i] = Rop3<T>(p[i], s[i], d[i]) | 0xFF000000u;
}

template <std::size_t... I> constexpr std::array<TRopRow, 256> MakeTable(std::index_sequence<I...>) {
    return {&RopRowImpl<static_cast<unsigned>(I)>...};
}

constexpr std::array<TRopRow, 256> kRopTable = MakeTable(std::make_index_sequence<256>{});

// 8 x 8 hatch patterns, bit 7 = leftmost pixel.
constexpr std::uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal: top-left to bottom-right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x10, 0x10, 0x10, 0xFF, 0x10, 0x10, 0x10, 0x10}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

inline int Mod(std::int64_t a, int m) {
    int r = static_cast<int>(a % m);
    return r < 0 ? r + m : r;
}

} // namespace

TRopRow RopRowFunction(unsigned rop3Index) {
    return kRopTable[rop3Index & 0xFF];
}

unsigned Rop2ToRop3(int rop2) {
    unsigned t2 = static_cast<unsigned>(std::clamp(rop2, R2_BLACK, R2_WHITE) - 1);
    unsigned t3 = 0;
    for (unsigned i = 0; i < 8; ++i) {
        unsigned p = (i >> 2) & 1, dd = i & 1;
        if ((t2 >> (p * 2 + dd)) & 1) t3 |= 1u << i;
    }
    return t3;
}

TPixel TargetPixel(TDeviceContext& dc, COLORREF color) {
    TPixel p = PixelFromColor(color);
    return dc.MonoTarget() ? MonoPixel(p) : p;
}

TPaintSource SolidSource(TDeviceContext& dc, COLORREF color) {
    TPaintSource s;
    s.Kind = TPaintSource::TKind::Solid;
    s.Color = TargetPixel(dc, color);
    return s;
}

TPaintSource BrushSource(TDeviceContext& dc, TBrushObj* brush) {
    TPaintSource s;
    if (!brush || brush->Log.lbStyle == BS_NULL) return s;
    COLORREF color = brush->Log.lbColor;
    if (brush->SysColorIndex >= 0)
        color = GetSysColor(brush->SysColorIndex);
    else if (brush->DcBrush)
        color = dc.S.DcBrushColor;
    s.Origin = {dc.DeviceOrigin.X + dc.S.BrushOrg.X, dc.DeviceOrigin.Y + dc.S.BrushOrg.Y};
    switch (brush->Log.lbStyle) {
    case BS_SOLID:
        s.Kind = TPaintSource::TKind::Solid;
        s.Color = TargetPixel(dc, color);
        break;
    case BS_HATCHED:
        s.Kind = TPaintSource::TKind::Hatch;
        s.HatchRows = kHatch[std::min<std::uintptr_t>(brush->Log.lbHatch, 5)];
        s.Color = TargetPixel(dc, color);
        s.Back = TargetPixel(dc, dc.S.BkColor);
        s.HatchOpaque = dc.S.BkMode == OPAQUE;
        break;
    case BS_PATTERN: {
        s.Kind = TPaintSource::TKind::Tile;
        s.Tile = brush->Pattern.Clone();
        bool mono = dc.MonoTarget();
        TPixel fore = TargetPixel(dc, dc.S.TextColor), back = TargetPixel(dc, dc.S.BkColor);
        for (int y = 0; y < s.Tile.Height(); ++y) {
            TPixel* row = s.Tile.Row(y);
            for (int x = 0; x < s.Tile.Width(); ++x) {
                if (brush->MonoPattern)
                    row[x] = (row[x] & 0xFFFFFF) ? back : fore;
                else if (mono)
                    row[x] = MonoPixel(row[x]);
                else
                    row[x] |= 0xFF000000u;
            }
        }
        break;
    }
    default:
        break;
    }
    return s;
}

TPainter::TPainter(TDeviceContext& dc, unsigned rop3Index, const TPaintSource& source)
    : FDc(dc), FTarget(dc.Target()), FClip(dc.Clip()), FSource(source), FRop(rop3Index & 0xFF),
      FFn(RopRowFunction(rop3Index)) {
    if (FRop == 0x00) {
        FFill = true;
        FFillColor = 0xFF000000u;
    } else if (FRop == 0xFF) {
        FFill = true;
        FFillColor = 0xFFFFFFFFu;
    } else if (FRop == 0xF0 && source.Kind == TPaintSource::TKind::Solid) {
        FFill = true;
        FFillColor = source.Color;
    }
    if (dc.MonoTarget() && FFill) FFillColor = MonoPixel(FFillColor);
}

void TPainter::Row(int y, int x0, int x1, const TPixel* s) {
    if (x0 >= x1) return;
    TPixel* d = FTarget->Row(y) + x0;
    int n = x1 - x0;
    if (FDamage.IsEmpty())
        FDamage = {x0, y, x1, y + 1};
    else
        FDamage = FDamage.Union({x0, y, x1, y + 1});
    if (FFill) {
        std::fill_n(d, n, FFillColor);
        return;
    }
    if (!s) s = d;
    bool usesPattern = RopUsesPattern(FRop);
    if (usesPattern && FSource.Kind == TPaintSource::TKind::Hatch && !FSource.HatchOpaque) {
        // Transparent hatch: only the line pixels are painted.
        std::uint8_t bits = FSource.HatchRows[Mod(std::int64_t(y) - FSource.Origin.Y, 8)];
        if (FPattern.size() < std::size_t(n)) FPattern.resize(std::size_t(n));
        std::fill_n(FPattern.data(), n, FSource.Color);
        int i = 0;
        while (i < n) {
            auto on = [&](int k) { return (bits >> (7 - Mod(std::int64_t(x0) + k - FSource.Origin.X, 8))) & 1; };
            if (!on(i)) {
                ++i;
                continue;
            }
            int j = i + 1;
            while (j < n && on(j)) ++j;
            FFn(d + i, s + i, FPattern.data(), j - i);
            i = j;
        }
        return;
    }
    if (FPattern.size() < std::size_t(n)) FPattern.resize(std::size_t(n));
    TPixel* p = FPattern.data();
    if (usesPattern) {
        switch (FSource.Kind) {
        case TPaintSource::TKind::Solid:
            std::fill_n(p, n, FSource.Color);
            break;
        case TPaintSource::TKind::Hatch: {
            std::uint8_t bits = FSource.HatchRows[Mod(std::int64_t(y) - FSource.Origin.Y, 8)];
            for (int i = 0; i < n; ++i)
                p[i] =
                    (bits >> (7 - Mod(std::int64_t(x0) + i - FSource.Origin.X, 8))) & 1 ? FSource.Color : FSource.Back;
            break;
        }
        case TPaintSource::TKind::Tile: {
            const TSurface& t = FSource.Tile;
            const TPixel* row = t.Row(Mod(std::int64_t(y) - FSource.Origin.Y, t.Height()));
            int tx = Mod(std::int64_t(x0) - FSource.Origin.X, t.Width());
            for (int i = 0; i < n; ++i) {
                p[i] = row[tx];
                if (++tx == t.Width()) tx = 0;
            }
            break;
        }
        case TPaintSource::TKind::None:
            return; // a null brush paints nothing
        }
    } else
        std::fill_n(p, n, 0u);
    FFn(d, s, p, n);
}

void TPainter::Span(int y, int x0, int x1) {
    if (!FTarget || x0 >= x1) return;
    int n = 0;
    const pixman_box32_t* b = FClip.Boxes(n);
    if (n == 0) return;
    // First band whose bottom is below y.
    int lo = 0, hi = n;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (b[mid].y2 <= y)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int k = lo; k < n && b[k].y1 <= y; ++k) {
        int a = std::max(x0, b[k].x1), e = std::min(x1, b[k].x2);
        if (a < e) Row(y, a, e);
    }
}

void TPainter::Rect(const TRect& r) {
    if (!FTarget || r.IsEmpty()) return;
    int n = 0;
    const pixman_box32_t* b = FClip.Boxes(n);
    if (n == 1) {
        TRect c = r.Intersect({b[0].x1, b[0].y1, b[0].x2, b[0].y2});
        for (int y = c.Top; y < c.Bottom; ++y) Row(y, c.Left, c.Right);
        return;
    }
    if (n == 0) return;
    TRegion region(r);
    region.Intersect(FClip);
    Region(region);
}

void TPainter::Region(const TRegion& r) {
    if (!FTarget) return;
    int n = 0;
    const pixman_box32_t* b = r.Boxes(n);
    for (int k = 0; k < n; ++k)
        for (int y = b[k].y1; y < b[k].y2; ++y) Row(y, b[k].x1, b[k].x2);
}

void TPainter::ClippedRegion(TRegion r) {
    r.Intersect(FClip);
    Region(r);
}

TPainter::~TPainter() {
    if (!FDamage.IsEmpty()) FDc.Damage(FDamage);
}

} // namespace dw::gdi
