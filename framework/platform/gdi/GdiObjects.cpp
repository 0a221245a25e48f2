#include "framework/platform/gdi/GdiObjects.h"

#include "framework/platform/gdi/GdiInternal.h"
#include "framework/platform/gdi/SysColors.h"
#include "framework/rtl/Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace dw {

// --- Handle table ------------------------------------------------------------------------------

namespace gdi {

namespace {

// Handle value: generation in the high 32 bits, a tag in bits 24..31 and the slot index below,
// so stale handles (old generation) and handles of other tables (other tag) never match.
constexpr std::uintptr_t kTag = 0x47;
constexpr std::uint32_t kMaxSlots = 1u << 24;

static_assert(sizeof(std::uintptr_t) >= 8, "handle encoding needs 64-bit pointers");

struct TSlot {
    std::unique_ptr<TGdiObject> Obj;
    std::uint32_t Gen = 1;
};

struct TTable {
    std::vector<TSlot> Slots;
    std::vector<std::uint32_t> Free;
    int Live = 0; // non-stock objects, zombies included
};

TTable& Table() {
    // Never destroyed: objects owned by other process-wide singletons are deleted during static
    // destruction, in an order nobody controls, and must still find their handles.
    static TTable* table = new TTable;
    return *table;
}

HGDIOBJ Encode(std::uint32_t index, std::uint32_t gen) {
    std::uintptr_t v = (std::uintptr_t(gen) << 32) | (kTag << 24) | index;
    return reinterpret_cast<HGDIOBJ>(v);
}

bool Decode(HGDIOBJ h, std::uint32_t& index, std::uint32_t& gen) {
    std::uintptr_t v = reinterpret_cast<std::uintptr_t>(h);
    if (((v >> 24) & 0xFF) != kTag) return false;
    index = static_cast<std::uint32_t>(v & 0xFFFFFF);
    gen = static_cast<std::uint32_t>(v >> 32);
    return true;
}

} // namespace

HGDIOBJ Register(std::unique_ptr<TGdiObject> obj) {
    TTable& t = Table();
    std::uint32_t index;
    if (!t.Free.empty()) {
        index = t.Free.back();
        t.Free.pop_back();
    } else {
        if (t.Slots.size() >= kMaxSlots) return nullptr;
        index = static_cast<std::uint32_t>(t.Slots.size());
        t.Slots.emplace_back();
    }
    TSlot& slot = t.Slots[index];
    HGDIOBJ h = Encode(index, slot.Gen);
    obj->Handle = h;
    if (!obj->Stock) t.Live++;
    slot.Obj = std::move(obj);
    return h;
}

TGdiObject* Lookup(HGDIOBJ h) {
    std::uint32_t index, gen;
    if (!h || !Decode(h, index, gen)) return nullptr;
    TTable& t = Table();
    if (index >= t.Slots.size()) return nullptr;
    TSlot& slot = t.Slots[index];
    if (slot.Gen != gen || !slot.Obj) return nullptr;
    return slot.Obj.get();
}

void MarkStock(HGDIOBJ h) {
    TGdiObject* o = Lookup(h);
    if (o && !o->Stock) {
        o->Stock = true;
        Table().Live--;
    }
}

TObjRef::~TObjRef() {
    if (!FObj) return;
    if (--FObj->Refs == 0 && FObj->Zombie) {
        Table().Live--;
        delete FObj;
    }
}

TBrushObj* LookupBrush(HBRUSH h) {
    std::uintptr_t v = reinterpret_cast<std::uintptr_t>(h);
    if (v >= 1 && v <= COLOR_ENDCOLORS + 1)
        return LookupAs<TBrushObj>(GetSysColorBrush(static_cast<int>(v) - 1), OBJ_BRUSH);
    return LookupAs<TBrushObj>(h, OBJ_BRUSH);
}

} // namespace gdi

using namespace gdi;

int GdiObjectCount() {
    return Table().Live;
}

bool DeleteObject(HGDIOBJ obj) {
    std::uint32_t index, gen;
    TGdiObject* o = Lookup(obj);
    if (!o || o->Stock || !Decode(obj, index, gen)) return false;
    TTable& t = Table();
    TSlot& slot = t.Slots[index];
    slot.Gen = slot.Gen == 0xFFFFFFFFu ? 1 : slot.Gen + 1;
    t.Free.push_back(index);
    if (o->Refs > 0) {
        // Still selected somewhere: the DC keeps drawing with it until it lets go.
        o->Zombie = true;
        (void)slot.Obj.release();
    } else {
        slot.Obj.reset();
        t.Live--;
    }
    return true;
}

bool IsStockObject(HGDIOBJ obj) {
    TGdiObject* o = Lookup(obj);
    return o && o->Stock;
}

int GetObjectType(HGDIOBJ obj) {
    TGdiObject* o = Lookup(obj);
    return o ? o->Type : 0;
}

void SetFaceName(LOGFONT& font, std::string_view name) {
    std::size_t n = std::min<std::size_t>(name.size(), LF_FACESIZE - 1);
    // Do not cut a UTF-8 sequence in half.
    while (n > 0 && n < name.size() && IsUtf8Continuation(name[n])) --n;
    std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
    std::memcpy(font.lfFaceName, name.data(), n);
}

// --- Pens and brushes ------------------------------------------------------------------------------

namespace {

constexpr int kMaxPenWidth = 1 << 15;

HPEN NewPen(const LOGPEN& log, bool stock) {
    int style = static_cast<int>(log.lopnStyle & PS_STYLE_MASK);
    if (style > PS_INSIDEFRAME && style != PS_ALTERNATE) return nullptr;
    auto p = std::make_unique<TPenObj>();
    p->Type = OBJ_PEN;
    p->Stock = stock;
    p->Log = log;
    p->Log.lopnWidth.X = std::clamp(log.lopnWidth.X, 0, kMaxPenWidth);
    p->Log.lopnWidth.Y = 0;
    return Register(std::move(p));
}

std::unique_ptr<TBrushObj> BrushOf(UINT style, COLORREF color, std::uintptr_t hatch) {
    auto b = std::make_unique<TBrushObj>();
    b->Type = OBJ_BRUSH;
    b->Log.lbStyle = style;
    b->Log.lbColor = color & 0xFFFFFF;
    b->Log.lbHatch = hatch;
    return b;
}

} // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
    LOGPEN log;
    log.lopnStyle = static_cast<UINT>(style);
    log.lopnWidth.X = width;
    log.lopnColor = color & 0xFFFFFF;
    return NewPen(log, false);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    return pen ? NewPen(*pen, false) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return Register(BrushOf(BS_SOLID, color, 0));
}

HBRUSH CreateHatchBrush(int hatchStyle, COLORREF color) {
    if (hatchStyle < HS_HORIZONTAL || hatchStyle > HS_DIAGCROSS) return nullptr;
    return Register(BrushOf(BS_HATCHED, color, static_cast<std::uintptr_t>(hatchStyle)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    TBitmapObj* bmp = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    if (!bmp || bmp->Surface.IsEmpty()) return nullptr;
    auto b = BrushOf(BS_PATTERN, 0, 0);
    b->Pattern = bmp->Surface.Clone();
    b->MonoPattern = bmp->Mono;
    return Register(std::move(b));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
        return Register(BrushOf(BS_NULL, 0, 0));
    case BS_HATCHED:
        return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
        return nullptr;
    }
}

// --- Fonts -----------------------------------------------------------------------------------------

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (!font) return nullptr;
    auto f = std::make_unique<TFontObj>();
    f->Type = OBJ_FONT;
    f->Log = *font;
    f->Log.lfFaceName[LF_FACESIZE - 1] = 0;
    return Register(std::move(f));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, std::string_view faceName) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic ? 1 : 0;
    lf.lfUnderline = underline ? 1 : 0;
    lf.lfStrikeOut = strikeOut ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    SetFaceName(lf, faceName);
    return CreateFontIndirect(&lf);
}

// --- Stock objects ---------------------------------------------------------------------------------

HGDIOBJ GetStockObject(int index) {
    static std::array<HGDIOBJ, 20> stock{};
    static bool made = false;
    if (!made) {
        made = true;
        auto stockBrush = [](UINT style, COLORREF c) {
            auto b = BrushOf(style, c, 0);
            b->Stock = true;
            return Register(std::move(b));
        };
        stock[WHITE_BRUSH] = stockBrush(BS_SOLID, RGB(255, 255, 255));
        stock[LTGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(192, 192, 192));
        stock[GRAY_BRUSH] = stockBrush(BS_SOLID, RGB(128, 128, 128));
        stock[DKGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(64, 64, 64));
        stock[BLACK_BRUSH] = stockBrush(BS_SOLID, RGB(0, 0, 0));
        stock[NULL_BRUSH] = stockBrush(BS_NULL, 0);
        {
            auto b = BrushOf(BS_SOLID, RGB(255, 255, 255), 0);
            b->Stock = true;
            b->DcBrush = true;
            stock[DC_BRUSH] = Register(std::move(b));
        }
        auto stockPen = [](int style, COLORREF c, bool dc) {
            LOGPEN log;
            log.lopnStyle = static_cast<UINT>(style);
            log.lopnWidth.X = 1;
            log.lopnColor = c;
            HPEN h = NewPen(log, true);
            if (dc) static_cast<TPenObj*>(Lookup(h))->DcPen = true;
            return h;
        };
        stock[WHITE_PEN] = stockPen(PS_SOLID, RGB(255, 255, 255), false);
        stock[BLACK_PEN] = stockPen(PS_SOLID, RGB(0, 0, 0), false);
        stock[NULL_PEN] = stockPen(PS_NULL, 0, false);
        stock[DC_PEN] = stockPen(PS_SOLID, 0, true);
        auto stockFont = [](int height, int weight, BYTE pitch, const char* face) {
            auto f = std::make_unique<TFontObj>();
            f->Type = OBJ_FONT;
            f->Stock = true;
            f->Log.lfHeight = height;
            f->Log.lfWeight = weight;
            f->Log.lfPitchAndFamily = pitch;
            SetFaceName(f->Log, face);
            return Register(std::move(f));
        };
        // The classic system font is a bold 16-pixel-cell sans; GUI text uses 8-point "MS Sans Serif".
        stock[SYSTEM_FONT] = stockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
        stock[DEVICE_DEFAULT_FONT] = stock[SYSTEM_FONT];
        stock[ANSI_VAR_FONT] = stockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        stock[DEFAULT_GUI_FONT] = stockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        stock[OEM_FIXED_FONT] = stockFont(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
        stock[ANSI_FIXED_FONT] = stockFont(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New");
        stock[SYSTEM_FIXED_FONT] = stockFont(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
    }
    if (index < 0 || index >= static_cast<int>(stock.size())) return nullptr;
    return stock[static_cast<std::size_t>(index)];
}

// --- Bitmaps ---------------------------------------------------------------------------------------

namespace {

bool SizeOk(std::int64_t w, std::int64_t h) {
    return w > 0 && h > 0 && w <= TSurface::kMaxDimension && h <= TSurface::kMaxDimension &&
           w * h <= TSurface::kMaxPixels;
}

HBITMAP NewBitmap(int width, int height, bool mono) {
    if (!SizeOk(width, height)) return nullptr;
    auto b = std::make_unique<TBitmapObj>();
    b->Type = OBJ_BITMAP;
    b->Surface = TSurface(width, height);
    b->Mono = mono;
    b->BitsPixel = mono ? 1 : 32;
    return Register(std::move(b));
}

} // namespace

std::int64_t DibRowBytes(int width, int bitCount) {
    if (width < 0 || (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)) return -1;
    return ((std::int64_t(width) * bitCount + 31) / 32) * 4;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    if (planes != 1 || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return NewBitmap(1, 1, true);
    if (bits && bitCount != 1 && bitCount != 24 && bitCount != 32) return nullptr;
    if (bitCount == 0 || bitCount > 32) return nullptr;
    HBITMAP h = NewBitmap(width, height, bitCount == 1);
    if (!h || !bits) return h;
    TBitmapObj* b = LookupAs<TBitmapObj>(h, OBJ_BITMAP);
    std::size_t rowBytes = ((std::size_t(width) * bitCount + 15) / 16) * 2;
    const auto* src = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = src + rowBytes * std::size_t(y);
        TPixel* out = b->Surface.Row(y);
        for (int x = 0; x < width; ++x) {
            if (bitCount == 1)
                out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 0xFFFFFFFFu : 0xFF000000u;
            else if (bitCount == 24)
                out[x] = 0xFF000000u | (TPixel(row[x * 3 + 2]) << 16) | (TPixel(row[x * 3 + 1]) << 8) | row[x * 3];
            else
                std::memcpy(&out[x], row + x * 4, 4);
        }
    }
    return h;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return NewBitmap(1, 1, true);
    bool mono = false;
    if (dc) {
        TDeviceContext* d = LookupDC(dc);
        if (!d) return nullptr;
        mono = d->MonoTarget();
    }
    return NewBitmap(width, height, mono);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section, DWORD offset) {
    (void)dc;
    (void)offset;
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biPlanes != 1) return nullptr;
    std::int64_t w = h.biWidth, ht = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (!SizeOk(w, ht)) return nullptr;
    auto b = std::make_unique<TBitmapObj>();
    b->Type = OBJ_BITMAP;
    b->DibSection = true;
    b->DibHeader = h;
    b->DibHeader.biSizeImage = static_cast<DWORD>(w * ht * 4);
    std::size_t count = std::size_t(w) * std::size_t(ht);
    b->DibMemory = TPixelMemory(count); // a new section's bits are zero
    TPixel* mem = b->DibMemory.Data();
    if (h.biHeight > 0) // bottom-up: the first row in memory is the bottom one
        b->Surface = TSurface(mem + (ht - 1) * w, int(w), int(ht), -std::ptrdiff_t(w) * 4);
    else
        b->Surface = TSurface(mem, int(w), int(ht), std::ptrdiff_t(w) * 4);
    if (bits) *bits = mem;
    return Register(std::move(b));
}

namespace {

struct TDibFormat {
    int Width = 0, Height = 0; // Height positive
    bool BottomUp = true;
    int Bits = 0;
    std::int64_t RowBytes = 0;
    int TableSize = 0;
};

bool ReadFormat(const BITMAPINFOHEADER& h, TDibFormat& f) {
    if (h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0) return false;
    if (h.biHeight == std::numeric_limits<LONG>::min()) return false; // cannot be negated
    f.Width = h.biWidth;
    f.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    f.BottomUp = h.biHeight > 0;
    f.Bits = h.biBitCount;
    f.RowBytes = DibRowBytes(f.Width, f.Bits);
    if (f.RowBytes < 0 || !SizeOk(f.Width, f.Height)) return false;
    if (f.Bits <= 8) {
        int full = 1 << f.Bits;
        f.TableSize = h.biClrUsed == 0 || h.biClrUsed > DWORD(full) ? full : int(h.biClrUsed);
    }
    return true;
}

TPixel QuadPixel(const RGBQUAD& q) {
    return 0xFF000000u | (TPixel(q.rgbRed) << 16) | (TPixel(q.rgbGreen) << 8) | q.rgbBlue;
}

void DecodeRow(const std::uint8_t* row, const TDibFormat& f, const BITMAPINFO* info, TPixel* out) {
    for (int x = 0; x < f.Width; ++x) {
        switch (f.Bits) {
        case 1:
        case 4:
        case 8: {
            int index;
            if (f.Bits == 1)
                index = (row[x >> 3] >> (7 - (x & 7))) & 1;
            else if (f.Bits == 4)
                index = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
            else
                index = row[x];
            out[x] = index < f.TableSize ? QuadPixel(info->bmiColors[index]) : 0xFF000000u;
            break;
        }
        case 24:
            out[x] = 0xFF000000u | (TPixel(row[x * 3 + 2]) << 16) | (TPixel(row[x * 3 + 1]) << 8) | row[x * 3];
            break;
        default:
            std::memcpy(&out[x], row + x * 4, 4);
            break;
        }
    }
}

// Colour table used when the caller gives none.
void StandardTable(int bits, RGBQUAD* table) {
    auto set = [&](int i, int r, int g, int b) {
        table[i].rgbRed = static_cast<BYTE>(r);
        table[i].rgbGreen = static_cast<BYTE>(g);
        table[i].rgbBlue = static_cast<BYTE>(b);
        table[i].rgbReserved = 0;
    };
    if (bits == 1) {
        set(0, 0, 0, 0);
        set(1, 255, 255, 255);
    } else if (bits == 4) {
        static const int vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                       {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                       {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (int i = 0; i < 16; ++i) set(i, vga[i][0], vga[i][1], vga[i][2]);
    } else {
        int i = 0;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) set(i++, r * 51, g * 51, b * 51);
        for (int k = 0; k < 40; ++k) {
            int v = k * 255 / 39;
            set(i++, v, v, v);
        }
    }
}

class TNearest {
public:
    TNearest(const RGBQUAD* table, int size) : FTable(table), FSize(size) {}
    int Index(TPixel p) {
        p |= 0xFF000000u;
        if (p == FLastPixel) return FLastIndex;
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        int best = 0;
        long bestDist = -1;
        for (int i = 0; i < FSize; ++i) {
            long dr = r - FTable[i].rgbRed, dg = g - FTable[i].rgbGreen, db = b - FTable[i].rgbBlue;
            long d = dr * dr + dg * dg + db * db;
            if (bestDist < 0 || d < bestDist) {
                bestDist = d;
                best = i;
                if (d == 0) break;
            }
        }
        FLastPixel = p;
        FLastIndex = best;
        return best;
    }

private:
    const RGBQUAD* FTable;
    int FSize;
    TPixel FLastPixel = 0;
    int FLastIndex = -1;
};

void EncodeRow(const TPixel* in, const TDibFormat& f, TNearest* nearest, std::uint8_t* row) {
    std::memset(row, 0, static_cast<std::size_t>(f.RowBytes));
    for (int x = 0; x < f.Width; ++x) {
        TPixel p = in[x];
        switch (f.Bits) {
        case 1:
            if (nearest->Index(p)) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            break;
        case 4:
            row[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? nearest->Index(p) : nearest->Index(p) << 4);
            break;
        case 8:
            row[x] = static_cast<std::uint8_t>(nearest->Index(p));
            break;
        case 24:
            row[x * 3] = p & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = (p >> 16) & 0xFF;
            break;
        default:
            std::memcpy(row + x * 4, &p, 4);
            break;
        }
    }
}

} // namespace

namespace gdi {

bool DecodeDib(const BITMAPINFO* info, const void* bits, UINT startScan, UINT lines, TSurface& out, int& imageTop) {
    TDibFormat f;
    if (!info || !bits || !ReadFormat(info->bmiHeader, f)) return false;
    if (startScan >= UINT(f.Height)) return false;
    int count = static_cast<int>(std::min<std::int64_t>(lines, f.Height - std::int64_t(startScan)));
    if (count <= 0) return false;
    out = TSurface(f.Width, count);
    const auto* base = static_cast<const std::uint8_t*>(bits);
    // Scan s (memory order, numbered from the first row in memory) is image row y.
    int firstY = f.BottomUp ? f.Height - 1 - int(startScan) - (count - 1) : int(startScan);
    imageTop = firstY;
    for (int i = 0; i < count; ++i) {
        int scan = int(startScan) + i;
        int y = f.BottomUp ? f.Height - 1 - scan : scan;
        DecodeRow(base + f.RowBytes * i, f, info, out.Row(y - firstY));
    }
    return true;
}

} // namespace gdi

int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    (void)dc;
    TBitmapObj* b = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    if (!b || usage != DIB_RGB_COLORS) return 0;
    TDibFormat f;
    if (!info || !ReadFormat(info->bmiHeader, f) || f.Width != b->Surface.Width() || f.Height != b->Surface.Height())
        return 0;
    TSurface decoded;
    int top = 0;
    if (!DecodeDib(info, bits, startScan, lines, decoded, top)) return 0;
    for (int y = 0; y < decoded.Height(); ++y) {
        TPixel* dst = b->Surface.Row(top + y);
        const TPixel* src = decoded.Row(y);
        if (b->Mono)
            for (int x = 0; x < decoded.Width(); ++x) dst[x] = MonoPixel(src[x]);
        else
            std::memcpy(dst, src, std::size_t(decoded.Width()) * 4);
    }
    return decoded.Height();
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
    (void)dc;
    TBitmapObj* b = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    if (!b || !info || usage != DIB_RGB_COLORS) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    int width = b->Surface.Width(), height = b->Surface.Height();
    if (!bits || h.biHeight == 0) {
        // Describe the bitmap.
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        if (h.biBitCount == 0) h.biBitCount = static_cast<WORD>(b->Mono ? 1 : 32);
        h.biCompression = BI_RGB;
        std::int64_t rb = DibRowBytes(width, h.biBitCount);
        if (rb < 0) return 0;
        h.biSizeImage = static_cast<DWORD>(rb * height);
        if (!bits) return height;
    }
    TDibFormat f;
    if (!ReadFormat(h, f) || f.Width != width || f.Height != height) return 0;
    if (startScan >= UINT(f.Height)) return 0;
    int count = static_cast<int>(std::min<std::int64_t>(lines, f.Height - std::int64_t(startScan)));
    if (count <= 0) return 0;
    if (f.Bits <= 8 && h.biClrUsed == 0) StandardTable(f.Bits, info->bmiColors);
    TNearest nearest(info->bmiColors, f.TableSize);
    auto* base = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < count; ++i) {
        int scan = int(startScan) + i;
        int y = f.BottomUp ? f.Height - 1 - scan : scan;
        EncodeRow(b->Surface.Row(y), f, &nearest, base + f.RowBytes * i);
    }
    return count;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
    if (!header) return nullptr;
    int w = header->biWidth;
    std::int64_t h = header->biHeight < 0 ? -std::int64_t(header->biHeight) : header->biHeight;
    if (!SizeOk(w, h)) return nullptr;
    HBITMAP bmp = NewBitmap(w, int(h), false);
    if (bmp && (init & CBM_INIT) && bits && info) {
        if (SetDIBits(dc, bmp, 0, UINT(h), bits, info, usage) == 0) {
            DeleteObject(bmp);
            return nullptr;
        }
    }
    return bmp;
}

// --- Inspection ------------------------------------------------------------------------------------

int GetObject(HGDIOBJ obj, int size, void* buffer) {
    TGdiObject* o = Lookup(obj);
    if (!o || size < 0) return 0;
    auto copy = [&](const void* data, int bytes) {
        if (!buffer) return bytes;
        int n = std::min(size, bytes);
        std::memcpy(buffer, data, static_cast<std::size_t>(n));
        return n;
    };
    switch (o->Type) {
    case OBJ_PEN: {
        auto* p = static_cast<TPenObj*>(o);
        return copy(&p->Log, sizeof(LOGPEN));
    }
    case OBJ_BRUSH: {
        auto* b = static_cast<TBrushObj*>(o);
        LOGBRUSH log = b->Log;
        if (b->SysColorIndex >= 0) log.lbColor = GetSysColor(b->SysColorIndex);
        return copy(&log, sizeof(LOGBRUSH));
    }
    case OBJ_FONT:
        return copy(&static_cast<TFontObj*>(o)->Log, sizeof(LOGFONT));
    case OBJ_BITMAP: {
        auto* b = static_cast<TBitmapObj*>(o);
        DIBSECTION ds;
        ds.dsBm.bmType = 0;
        ds.dsBm.bmWidth = b->Surface.Width();
        ds.dsBm.bmHeight = b->Surface.Height();
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = static_cast<WORD>(b->Mono ? 1 : 32);
        ds.dsBm.bmWidthBytes = b->Mono ? ((b->Surface.Width() + 15) / 16) * 2 : b->Surface.Width() * 4;
        if (b->DibSection) {
            ds.dsBm.bmBits = b->DibMemory.Data();
            ds.dsBm.bmWidthBytes = b->Surface.Width() * 4;
            ds.dsBmih = b->DibHeader;
            if (size >= int(sizeof(DIBSECTION)) || !buffer) return copy(&ds, sizeof(DIBSECTION));
        }
        return copy(&ds.dsBm, sizeof(BITMAP));
    }
    default:
        return 0;
    }
}

TSurface* GetBitmapSurface(HBITMAP bitmap) {
    TBitmapObj* b = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    return b ? &b->Surface : nullptr;
}

bool IsMonochromeBitmap(HBITMAP bitmap) {
    TBitmapObj* b = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    return b && b->Mono;
}

bool GetBitmapSize(HBITMAP bitmap, TSize* size) {
    TBitmapObj* b = LookupAs<TBitmapObj>(bitmap, OBJ_BITMAP);
    if (!b || !size) return false;
    *size = {b->Surface.Width(), b->Surface.Height()};
    return true;
}

} // namespace dw
