// Device context management: the DC table, selected objects, saved states, coordinates, modes
// and clipping. Drawing is in GdiDraw.cpp and GdiBlit.cpp.
#include "framework/platform/gdi/DeviceContext.h"

#include "framework/platform/gdi/GdiInternal.h"

#include <algorithm>

namespace dw {

namespace gdi {

namespace {

constexpr std::uintptr_t kDcTag = 0x44;

struct TDcSlot {
    std::unique_ptr<TDeviceContext> Dc;
    std::uint32_t Gen = 1;
};

struct TDcTable {
    std::vector<TDcSlot> Slots;
    std::vector<std::uint32_t> Free;
    int Live = 0;
};

TDcTable& DcTable() {
    static TDcTable table;
    return table;
}

bool DecodeDc(HDC h, std::uint32_t& index, std::uint32_t& gen) {
    std::uintptr_t v = reinterpret_cast<std::uintptr_t>(h);
    if (!v || ((v >> 24) & 0xFF) != kDcTag) return false;
    index = static_cast<std::uint32_t>(v & 0xFFFFFF);
    gen = static_cast<std::uint32_t>(v >> 32);
    return true;
}

HDC RegisterDc(std::unique_ptr<TDeviceContext> dc) {
    TDcTable& t = DcTable();
    std::uint32_t index;
    if (!t.Free.empty()) {
        index = t.Free.back();
        t.Free.pop_back();
    } else {
        if (t.Slots.size() >= (1u << 24)) return nullptr;
        index = static_cast<std::uint32_t>(t.Slots.size());
        t.Slots.emplace_back();
    }
    TDcSlot& slot = t.Slots[index];
    HDC h = reinterpret_cast<HDC>((std::uintptr_t(slot.Gen) << 32) | (kDcTag << 24) | index);
    dc->Handle = h;
    slot.Dc = std::move(dc);
    t.Live++;
    return h;
}

void InitState(TDcState& s) {
    s = TDcState();
    s.Pen = TObjRef(Lookup(GetStockObject(BLACK_PEN)));
    s.Brush = TObjRef(Lookup(GetStockObject(WHITE_BRUSH)));
    s.Font = TObjRef(Lookup(GetStockObject(SYSTEM_FONT)));
}

TBitmapObj* DefaultBitmap() {
    // The 1 x 1 monochrome bitmap of fresh memory DCs, shared and never deleted.
    static HBITMAP bitmap = [] {
        HBITMAP h = CreateBitmap(1, 1, 1, 1, nullptr);
        MarkStock(h);
        return h;
    }();
    return LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
}

// Keeps a bitmap's "selected into" mark in step with the DC's current state.
void SetCurrentBitmap(TDeviceContext& dc, const TObjRef& next) {
    TBitmapObj* old = dc.SelectedBitmap();
    if (old && old->SelectedInto == dc.Handle) old->SelectedInto = nullptr;
    dc.S.Bitmap = next;
    TBitmapObj* now = dc.SelectedBitmap();
    if (now && !now->Stock) now->SelectedInto = dc.Handle;
    dc.InvalidateClip();
}

TRegion WholeDevice() {
    constexpr int L = TRegion::kCoordLimit;
    return TRegion(TRect{-L, -L, L, L});
}

} // namespace

TDeviceContext* LookupDC(HDC h) {
    std::uint32_t index, gen;
    if (!DecodeDc(h, index, gen)) return nullptr;
    TDcTable& t = DcTable();
    if (index >= t.Slots.size() || t.Slots[index].Gen != gen) return nullptr;
    return t.Slots[index].Dc.get();
}

TSurface* TDeviceContext::Target() const {
    if (Memory) {
        TBitmapObj* b = SelectedBitmap();
        return b ? &b->Surface : nullptr;
    }
    return Surface;
}

TRect TDeviceContext::ToSurface(int l, int t, int r, int b) const {
    return {ClampCoord(SX(l)), ClampCoord(SY(t)), ClampCoord(SX(r)), ClampCoord(SY(b))};
}

const TRegion& TDeviceContext::Clip() {
    TSurface* t = Target();
    if (FClipValid && FClipSurface == t && (!t || t->Generation() == FClipGeneration)) return FClip;
    if (!t || t->IsEmpty())
        FClip.Clear();
    else if (Memory)
        FClip.SetRect(t->BoundsRect());
    else {
        FClip = Visible;
        FClip.Intersect(t->BoundsRect());
    }
    if (S.HasClip && !FClip.IsEmpty()) {
        TRegion app = S.Clip;
        app.Offset(DeviceOrigin.X, DeviceOrigin.Y);
        FClip.Intersect(app);
    }
    FClipValid = true;
    FClipSurface = t;
    FClipGeneration = t ? t->Generation() : 0;
    return FClip;
}

TRegion TDeviceContext::DefaultClipDevice() {
    return WholeDevice();
}

} // namespace gdi

using namespace gdi;

// --- Window manager interface ------------------------------------------------------------------

HDC CreateSurfaceDC(TSurface* surface, TPoint deviceOrigin, const TRegion& visibleRegion) {
    if (!surface) return nullptr;
    auto dc = std::make_unique<TDeviceContext>();
    dc->Surface = surface;
    dc->DeviceOrigin = deviceOrigin;
    dc->Visible = visibleRegion;
    InitState(dc->S);
    return RegisterDc(std::move(dc));
}

HDC CreateSurfaceDC(TSurface* surface) {
    if (!surface) return nullptr;
    // Far beyond any surface, so a later Resize shows everything too.
    constexpr int L = TSurface::kMaxDimension;
    return CreateSurfaceDC(surface, {0, 0}, TRegion(TRect{0, 0, L, L}));
}

void ReleaseSurfaceDC(HDC dc) {
    DeleteDC(dc);
}

bool SetDCVisibleRegion(HDC dc, const TRegion& visibleRegion) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || d->Memory) return false;
    d->Visible = visibleRegion;
    d->InvalidateClip();
    return true;
}

bool GetDCVisibleRegion(HDC dc, TRegion& visibleRegion) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    if (d->Memory) {
        TSurface* t = d->Target();
        visibleRegion = t ? TRegion(t->BoundsRect()) : TRegion();
    } else
        visibleRegion = d->Visible;
    return true;
}

bool SetDCDeviceOrigin(HDC dc, TPoint deviceOrigin) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || d->Memory) return false;
    d->DeviceOrigin = deviceOrigin;
    d->InvalidateClip();
    return true;
}

bool SetDCSurface(HDC dc, TSurface* surface, TPoint deviceOrigin, const TRegion& visibleRegion) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || d->Memory || !surface) return false;
    d->Surface = surface;
    d->DeviceOrigin = deviceOrigin;
    d->Visible = visibleRegion;
    d->InvalidateClip();
    return true;
}

TSurface* GetDCSurface(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->Target() : nullptr;
}

bool ResetDCState(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    TObjRef bitmap = d->S.Bitmap;
    d->Saved.clear();
    InitState(d->S);
    d->S.Bitmap = bitmap;
    d->InvalidateClip();
    return true;
}

bool IsValidDC(HDC dc) {
    return LookupDC(dc) != nullptr;
}

int DCCount() {
    return DcTable().Live;
}

// --- Creating and saving -------------------------------------------------------------------------

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !LookupDC(dc)) return nullptr;
    auto d = std::make_unique<TDeviceContext>();
    d->Memory = true;
    InitState(d->S);
    d->S.Bitmap = TObjRef(DefaultBitmap());
    return RegisterDc(std::move(d));
}

bool DeleteDC(HDC dc) {
    std::uint32_t index, gen;
    TDeviceContext* d = LookupDC(dc);
    if (!d || !DecodeDc(dc, index, gen)) return false;
    if (TBitmapObj* b = d->SelectedBitmap(); b && b->SelectedInto == dc) b->SelectedInto = nullptr;
    TDcTable& t = DcTable();
    TDcSlot& slot = t.Slots[index];
    slot.Gen = slot.Gen == 0xFFFFFFFFu ? 1 : slot.Gen + 1;
    slot.Dc.reset(); // releases the selected objects (and frees zombies among them)
    t.Free.push_back(index);
    t.Live--;
    return true;
}

int SaveDC(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return 0;
    d->Saved.push_back(d->S);
    return static_cast<int>(d->Saved.size());
}

bool RestoreDC(HDC dc, int level) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || level == 0) return false;
    std::int64_t size = static_cast<std::int64_t>(d->Saved.size());
    std::int64_t target = level > 0 ? level : size + 1 + level;
    if (target < 1 || target > size) return false;
    TDcState state = d->Saved[static_cast<std::size_t>(target - 1)];
    d->Saved.resize(static_cast<std::size_t>(target - 1));
    TObjRef bitmap = state.Bitmap;
    if (d->Memory) SetCurrentBitmap(*d, bitmap);
    state.Bitmap = d->S.Bitmap;
    d->S = std::move(state);
    d->InvalidateClip();
    return true;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
    TDeviceContext* d = LookupDC(dc);
    TGdiObject* o = Lookup(obj);
    if (!d || !o) return nullptr;
    switch (o->Type) {
    case OBJ_PEN: {
        HGDIOBJ old = d->S.Pen.Get() ? d->S.Pen.Get()->Handle : nullptr;
        d->S.Pen = TObjRef(o);
        return old;
    }
    case OBJ_BRUSH: {
        HGDIOBJ old = d->S.Brush.Get() ? d->S.Brush.Get()->Handle : nullptr;
        d->S.Brush = TObjRef(o);
        return old;
    }
    case OBJ_FONT: {
        HGDIOBJ old = d->S.Font.Get() ? d->S.Font.Get()->Handle : nullptr;
        d->S.Font = TObjRef(o);
        return old;
    }
    case OBJ_BITMAP: {
        if (!d->Memory) return nullptr;
        auto* b = static_cast<TBitmapObj*>(o);
        if (b->SelectedInto && b->SelectedInto != dc && LookupDC(b->SelectedInto)) return nullptr;
        HGDIOBJ old = d->S.Bitmap.Get() ? d->S.Bitmap.Get()->Handle : nullptr;
        SetCurrentBitmap(*d, TObjRef(o));
        return old;
    }
    case OBJ_REGION: {
        int kind = SelectClipRgn(dc, obj);
        return kind == ERROR ? nullptr : reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(kind));
    }
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT objectType) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return nullptr;
    const TObjRef* r = nullptr;
    switch (objectType) {
    case OBJ_PEN:
        r = &d->S.Pen;
        break;
    case OBJ_BRUSH:
        r = &d->S.Brush;
        break;
    case OBJ_FONT:
        r = &d->S.Font;
        break;
    case OBJ_BITMAP:
        r = &d->S.Bitmap;
        break;
    default:
        return nullptr;
    }
    return r->Get() && !r->Get()->Zombie ? r->Get()->Handle : nullptr;
}

COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->S.DcBrushColor;
    d->S.DcBrushColor = color & 0xFFFFFF;
    return old;
}

COLORREF SetDCPenColor(HDC dc, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->S.DcPenColor;
    d->S.DcPenColor = color & 0xFFFFFF;
    return old;
}

// --- Coordinates -----------------------------------------------------------------------------------

bool GetDCOrgEx(HDC dc, TPoint* origin) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !origin) return false;
    if (d->Memory)
        *origin = {};
    else
        *origin = d->Surface->ScreenOrigin() + d->DeviceOrigin;
    return true;
}

namespace {

bool SetOrigin(HDC dc, TPoint TDcState::*field, int x, int y, TPoint* previous, bool offset) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    TPoint& p = d->S.*field;
    if (previous) *previous = p;
    if (offset)
        p = {ClampCoord(std::int64_t(p.X) + x), ClampCoord(std::int64_t(p.Y) + y)};
    else
        p = {ClampCoord(x), ClampCoord(y)};
    return true;
}

bool GetOrigin(HDC dc, TPoint TDcState::*field, TPoint* out) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !out) return false;
    *out = d->S.*field;
    return true;
}

} // namespace

bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetOrigin(dc, &TDcState::WindowOrg, x, y, previous, false);
}
bool GetWindowOrgEx(HDC dc, TPoint* origin) {
    return GetOrigin(dc, &TDcState::WindowOrg, origin);
}
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* previous) {
    return SetOrigin(dc, &TDcState::WindowOrg, dx, dy, previous, true);
}
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetOrigin(dc, &TDcState::ViewportOrg, x, y, previous, false);
}
bool GetViewportOrgEx(HDC dc, TPoint* origin) {
    return GetOrigin(dc, &TDcState::ViewportOrg, origin);
}
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* previous) {
    return SetOrigin(dc, &TDcState::ViewportOrg, dx, dy, previous, true);
}

bool LPtoDP(HDC dc, TPoint* points, int count) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || (!points && count > 0) || count < 0) return false;
    for (int i = 0; i < count; ++i)
        points[i] = {ClampCoord(std::int64_t(points[i].X) - d->S.WindowOrg.X + d->S.ViewportOrg.X),
                     ClampCoord(std::int64_t(points[i].Y) - d->S.WindowOrg.Y + d->S.ViewportOrg.Y)};
    return true;
}

bool DPtoLP(HDC dc, TPoint* points, int count) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || (!points && count > 0) || count < 0) return false;
    for (int i = 0; i < count; ++i)
        points[i] = {ClampCoord(std::int64_t(points[i].X) + d->S.WindowOrg.X - d->S.ViewportOrg.X),
                     ClampCoord(std::int64_t(points[i].Y) + d->S.WindowOrg.Y - d->S.ViewportOrg.Y)};
    return true;
}

// --- Modes and colours -----------------------------------------------------------------------------

int SetROP2(HDC dc, int mode) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || mode < R2_BLACK || mode > R2_WHITE) return 0;
    int old = d->S.Rop2;
    d->S.Rop2 = mode;
    return old;
}

int GetROP2(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.Rop2 : 0;
}

int SetBkMode(HDC dc, int mode) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int old = d->S.BkMode;
    d->S.BkMode = mode;
    return old;
}

int GetBkMode(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.BkMode : 0;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->S.BkColor;
    d->S.BkColor = color & 0xFFFFFF;
    return old;
}

COLORREF GetBkColor(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.BkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->S.TextColor;
    d->S.TextColor = color & 0xFFFFFF;
    return old;
}

COLORREF GetTextColor(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.TextColor : CLR_INVALID;
}

UINT SetTextAlign(HDC dc, UINT align) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return GDI_ERROR;
    UINT old = d->S.TextAlign;
    d->S.TextAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
    return old;
}

UINT GetTextAlign(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.TextAlign : GDI_ERROR;
}

bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetOrigin(dc, &TDcState::BrushOrg, x, y, previous, false);
}
bool GetBrushOrgEx(HDC dc, TPoint* origin) {
    return GetOrigin(dc, &TDcState::BrushOrg, origin);
}

int SetPolyFillMode(HDC dc, int mode) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || (mode != ALTERNATE && mode != WINDING)) return 0;
    int old = d->S.PolyFillMode;
    d->S.PolyFillMode = mode;
    return old;
}

int GetPolyFillMode(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.PolyFillMode : 0;
}

int SetStretchBltMode(HDC dc, int mode) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int old = d->S.StretchMode;
    d->S.StretchMode = mode;
    return old;
}

int GetStretchBltMode(HDC dc) {
    TDeviceContext* d = LookupDC(dc);
    return d ? d->S.StretchMode : 0;
}

// --- Clipping --------------------------------------------------------------------------------------

namespace {

int ClipKind(TDeviceContext& d) {
    return d.Clip().Kind();
}

} // namespace

int SelectClipRgn(HDC dc, HRGN rgn) {
    return ExtSelectClipRgn(dc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return ERROR;
    if (!rgn) {
        if (mode != RGN_COPY) return ERROR;
        d->S.HasClip = false;
        d->S.Clip.Clear();
        d->InvalidateClip();
        return ClipKind(*d);
    }
    TRegion r;
    if (!GetRegion(rgn, r)) return ERROR;
    TRegion current = d->S.HasClip ? d->S.Clip : d->DefaultClipDevice();
    switch (mode) {
    case RGN_COPY:
        current = r;
        break;
    case RGN_AND:
        current.Intersect(r);
        break;
    case RGN_OR:
        current.Union(r);
        break;
    case RGN_XOR:
        current.Xor(r);
        break;
    case RGN_DIFF:
        current.Subtract(r);
        break;
    default:
        return ERROR;
    }
    d->S.Clip = std::move(current);
    d->S.HasClip = true;
    d->InvalidateClip();
    return ClipKind(*d);
}

namespace {

// A logical rectangle as a device region.
TRegion DeviceRect(TDeviceContext& d, int left, int top, int right, int bottom) {
    auto dx = [&](int x) { return ClampCoord(std::int64_t(x) - d.S.WindowOrg.X + d.S.ViewportOrg.X); };
    auto dy = [&](int y) { return ClampCoord(std::int64_t(y) - d.S.WindowOrg.Y + d.S.ViewportOrg.Y); };
    int l = dx(left), t = dy(top), r = dx(right), b = dy(bottom);
    return TRegion(TRect{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)});
}

} // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return ERROR;
    TRegion current = d->S.HasClip ? d->S.Clip : d->DefaultClipDevice();
    current.Intersect(DeviceRect(*d, left, top, right, bottom));
    d->S.Clip = std::move(current);
    d->S.HasClip = true;
    d->InvalidateClip();
    return ClipKind(*d);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return ERROR;
    TRegion current = d->S.HasClip ? d->S.Clip : d->DefaultClipDevice();
    current.Subtract(DeviceRect(*d, left, top, right, bottom));
    d->S.Clip = std::move(current);
    d->S.HasClip = true;
    d->InvalidateClip();
    return ClipKind(*d);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return ERROR;
    if (d->S.HasClip) {
        d->S.Clip.Offset(dx, dy);
        d->InvalidateClip();
    }
    return ClipKind(*d);
}

int GetClipBox(HDC dc, TRect* rect) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !rect) return ERROR;
    const TRegion& clip = d->Clip();
    TRect b = clip.Bounds();
    TPoint o = d->LogicalToSurfaceOffset();
    *rect = clip.IsEmpty() ? TRect{} : b.Offset(-o.X, -o.Y);
    return clip.Kind();
}

int GetClipRgn(HDC dc, HRGN rgn) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || GetObjectType(rgn) != OBJ_REGION) return -1;
    if (!d->S.HasClip) return 0;
    SetRegion(rgn, d->S.Clip);
    return 1;
}

bool RectVisible(HDC dc, const TRect* rect) {
    TDeviceContext* d = LookupDC(dc);
    if (!d || !rect) return false;
    TRect r = d->ToSurface(rect->Left, rect->Top, rect->Right, rect->Bottom);
    TRect n{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
    return d->Clip().Intersects(n);
}

bool PtVisible(HDC dc, int x, int y) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return false;
    return d->Clip().Contains({ClampCoord(d->SX(x)), ClampCoord(d->SY(y))});
}

int GetDeviceCaps(HDC dc, int index) {
    TDeviceContext* d = LookupDC(dc);
    if (!d) return 0;
    TSurface* t = d->Target();
    switch (index) {
    case HORZRES:
        return t ? t->Width() : 0;
    case VERTRES:
        return t ? t->Height() : 0;
    case BITSPIXEL:
        return d->MonoTarget() ? 1 : 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

} // namespace dw
