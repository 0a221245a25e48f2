// Internal to the renderer: the objects behind GDI handles, the handle tables, the device context
// structure and the span painter shared by the drawing, blit and text code.
#pragma once

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Surface.h"

#include <memory>
#include <vector>

namespace dw {
class TFontInstance;
}

namespace dw::gdi {

struct TGdiObject {
    virtual ~TGdiObject() = default;
    int Type = 0;
    bool Stock = false;
    // Selections in device context states (current and saved) holding the object.
    int Refs = 0;
    // The handle was deleted while selected; the object lives until the last selection goes.
    bool Zombie = false;
    HGDIOBJ Handle = nullptr;
};

struct TPenObj : TGdiObject {
    LOGPEN Log;
    bool DcPen = false; // DC_PEN: colour comes from the DC
    int Style() const { return static_cast<int>(Log.lopnStyle & PS_STYLE_MASK); }
    int Width() const { return Log.lopnWidth.X < 1 ? 1 : Log.lopnWidth.X; }
};

struct TBrushObj : TGdiObject {
    LOGBRUSH Log;
    TSurface Pattern; // BS_PATTERN
    bool MonoPattern = false;
    int SysColorIndex = -1; // follows the system colour
    bool DcBrush = false;   // DC_BRUSH: colour comes from the DC
};

struct TFontObj : TGdiObject {
    LOGFONT Log;
    TFontInstance* Instance = nullptr; // realised on first use; owned by the font cache
};

struct TBitmapObj : TGdiObject {
    TSurface Surface;
    bool Mono = false;
    int BitsPixel = 32;
    HDC SelectedInto = nullptr;
    // DIB sections own their memory here (the surface wraps it, bottom-up or top-down).
    TPixelMemory DibMemory;
    bool DibSection = false;
    BITMAPINFOHEADER DibHeader;
};

struct TRegionObj : TGdiObject {
    TRegion Rgn;
};

// Handle table. Lookups of stale, deleted or foreign handles return null.
HGDIOBJ Register(std::unique_ptr<TGdiObject> obj);
TGdiObject* Lookup(HGDIOBJ h);
// Makes a registered object a stock object (never deleted, not counted as live).
void MarkStock(HGDIOBJ h);
template <class T> T* LookupAs(HGDIOBJ h, int type) {
    TGdiObject* o = Lookup(h);
    return o && o->Type == type ? static_cast<T*>(o) : nullptr;
}
// Brush handle or system colour index + 1; an index brush resolves to the system colour brush.
TBrushObj* LookupBrush(HBRUSH h);

// A counted reference held by a DC state; frees zombies when the last one goes.
class TObjRef {
public:
    TObjRef() = default;
    explicit TObjRef(TGdiObject* o) : FObj(o) {
        if (FObj) FObj->Refs++;
    }
    TObjRef(const TObjRef& o) : TObjRef(o.FObj) {}
    TObjRef& operator=(const TObjRef& o) {
        if (this != &o) {
            TObjRef tmp(o);
            std::swap(FObj, tmp.FObj);
        }
        return *this;
    }
    ~TObjRef();
    TGdiObject* Get() const { return FObj; }
    template <class T> T* As() const { return static_cast<T*>(FObj); }

private:
    TGdiObject* FObj = nullptr;
};

struct TDcState {
    TObjRef Pen, Brush, Font, Bitmap;
    TPoint WindowOrg, ViewportOrg, BrushOrg, CurPos;
    int Rop2 = R2_COPYPEN;
    int BkMode = OPAQUE;
    int PolyFillMode = ALTERNATE;
    int StretchMode = BLACKONWHITE;
    COLORREF BkColor = RGB(255, 255, 255);
    COLORREF TextColor = RGB(0, 0, 0);
    COLORREF DcBrushColor = RGB(255, 255, 255);
    COLORREF DcPenColor = RGB(0, 0, 0);
    UINT TextAlign = 0;
    bool HasClip = false;
    TRegion Clip; // device coordinates
};

struct TDeviceContext {
    HDC Handle = nullptr;
    bool Memory = false;
    TSurface* Surface = nullptr; // surface DCs
    TPoint DeviceOrigin;         // surface coordinates of the device origin
    TRegion Visible;             // surface coordinates; surface DCs only
    TDcState S;
    std::vector<TDcState> Saved;

    TSurface* Target() const;
    TBitmapObj* SelectedBitmap() const { return S.Bitmap.As<TBitmapObj>(); }
    bool MonoTarget() const { return Memory && SelectedBitmap() && SelectedBitmap()->Mono; }

    // Logical -> surface (64-bit so hostile values cannot overflow).
    std::int64_t SX(int x) const { return std::int64_t(x) - S.WindowOrg.X + S.ViewportOrg.X + DeviceOrigin.X; }
    std::int64_t SY(int y) const { return std::int64_t(y) - S.WindowOrg.Y + S.ViewportOrg.Y + DeviceOrigin.Y; }
    // Offset from logical to surface coordinates.
    TPoint LogicalToSurfaceOffset() const {
        return {-S.WindowOrg.X + S.ViewportOrg.X + DeviceOrigin.X, -S.WindowOrg.Y + S.ViewportOrg.Y + DeviceOrigin.Y};
    }
    // A logical rectangle in surface coordinates, clamped to the coordinate limit.
    TRect ToSurface(int l, int t, int r, int b) const;

    // Visible region & application clip & surface bounds, in surface coordinates.
    const TRegion& Clip();
    void InvalidateClip() { FClipValid = false; }
    // The region in which the application clip combination starts when there is no clip yet.
    TRegion DefaultClipDevice();

    void Damage(const TRect& surfaceRect) {
        if (TSurface* s = Target(); s && s->TrackDamage()) s->AddDamage(surfaceRect);
    }

private:
    TRegion FClip;
    bool FClipValid = false;
    const TSurface* FClipSurface = nullptr;
    unsigned FClipGeneration = 0;
};

TDeviceContext* LookupDC(HDC dc);

// Nearest of black and white by luminance (monochrome targets).
inline TPixel MonoPixel(TPixel p) {
    int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? 0xFFFFFFFFu : 0xFF000000u;
}

// Decodes device-independent rows [startScan, startScan + lines) into a new surface whose row 0
// is the topmost decoded image row; imageTop receives that row's y in the whole image.
bool DecodeDib(const BITMAPINFO* info, const void* bits, UINT startScan, UINT lines, TSurface& out, int& imageTop);

// Clamps a 64-bit coordinate into the range every region and rasteriser can take.
inline int ClampCoord(std::int64_t v) {
    if (v < -TRegion::kCoordLimit) return -TRegion::kCoordLimit;
    if (v > TRegion::kCoordLimit) return TRegion::kCoordLimit;
    return static_cast<int>(v);
}

// --- Span painting ----------------------------------------------------------------------------

// Ternary raster operation on one row: d[i] := rop(p[i], s[i], d[i]).
using TRopRow = void (*)(TPixel* d, const TPixel* s, const TPixel* p, int n);
TRopRow RopRowFunction(unsigned rop3Index);
// Truth table of the ternary operation equivalent to a ROP2 mode (pattern = pen or brush).
unsigned Rop2ToRop3(int rop2);
inline bool RopUsesSource(unsigned t) {
    return ((t >> 2) & 0x33) != (t & 0x33);
}
inline bool RopUsesPattern(unsigned t) {
    return (t >> 4) != (t & 0x0F);
}
inline bool RopUsesDest(unsigned t) {
    return ((t >> 1) & 0x55) != (t & 0x55);
}

// What the pattern operand of a raster operation is: a colour, a repeating tile, or a hatch
// drawn over (transparent background) or with (opaque) its gaps.
struct TPaintSource {
    enum class TKind { None, Solid, Tile, Hatch };
    TKind Kind = TKind::None;
    TPixel Color = 0;
    TSurface Tile;                           // Tile: pixels ready to use
    TPoint Origin;                           // surface coordinates of the tile's (0, 0)
    const std::uint8_t* HatchRows = nullptr; // Hatch: 8 rows of 8 bits, bit 7 = leftmost
    TPixel Back = 0;
    bool HatchOpaque = false;
};

// Resolves the selected (or given) brush, or the pen colour, for painting into dc's target,
// converting to black and white for monochrome targets.
TPaintSource BrushSource(TDeviceContext& dc, TBrushObj* brush);
TPaintSource SolidSource(TDeviceContext& dc, COLORREF color);
TPixel TargetPixel(TDeviceContext& dc, COLORREF color);

// Paints spans, rectangles and regions (surface coordinates) clipped by the DC's clip with a
// pattern source under a ternary raster operation.
class TPainter {
public:
    TPainter(TDeviceContext& dc, unsigned rop3Index, const TPaintSource& source);
    ~TPainter();
    TPainter(const TPainter&) = delete;
    TPainter& operator=(const TPainter&) = delete;
    void Span(int y, int x0, int x1);
    void Rect(const TRect& r);
    void Region(const TRegion& r); // r must already be clipped
    void ClippedRegion(TRegion r);
    // One row already clipped, with source pixels s[0 .. x1 - x0) for operations that use them.
    void Row(int y, int x0, int x1, const TPixel* s = nullptr);

private:
    TDeviceContext& FDc;
    TSurface* FTarget;
    const TRegion& FClip;
    const TPaintSource& FSource;
    unsigned FRop;
    TRopRow FFn;
    bool FFill = false; // the result is the pattern colour alone
    TPixel FFillColor = 0;
    std::vector<TPixel> FPattern;
    TRect FDamage;
};

} // namespace dw::gdi
