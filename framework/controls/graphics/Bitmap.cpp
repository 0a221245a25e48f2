#include "framework/controls/graphics/Bitmap.h"

#include "framework/controls/graphics/DibFormat.h"
#include "framework/controls/graphics/Picture.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace dw {

using namespace dib;

namespace {

// A memory DC holding one bitmap for the length of a blit.
class TSelectedBitmap {
public:
    explicit TSelectedBitmap(HBITMAP bitmap) : FDC(CreateCompatibleDC(nullptr)) {
        FOld = FDC ? SelectObject(FDC, bitmap) : nullptr;
        if (!FOld) {
            if (FDC) DeleteDC(FDC);
            throw EInvalidGraphicOperation("The bitmap cannot be selected for drawing");
        }
    }
    ~TSelectedBitmap() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TSelectedBitmap(const TSelectedBitmap&) = delete;
    TSelectedBitmap& operator=(const TSelectedBitmap&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

int BitsOf(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    default:
        return 0;
    }
}

TPixelFormat FormatOf(const TDibHeader& h) {
    switch (h.BitCount) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        if (h.Masks[0] == 0x7C00 && h.Masks[1] == 0x03E0 && h.Masks[2] == 0x001F) return pf15bit;
        if (h.Masks[0] == 0xF800 && h.Masks[1] == 0x07E0 && h.Masks[2] == 0x001F) return pf16bit;
        return pfCustom;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfCustom;
    }
}

const std::vector<RGBQUAD>& BlackAndWhite() {
    static const std::vector<RGBQUAD> table{{0, 0, 0, 0}, {255, 255, 255, 0}};
    return table;
}

HBITMAP CreateMonochrome(int width, int height) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
    if (!bitmap) throw EOutOfResources(Format("A bitmap of %d x %d pixels cannot be created", width, height));
    return bitmap;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TBitmapCanvas

DW_DEFINE_CLASS(TBitmapCanvas) {}

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::CreateHandle() {
    if (!FMemoryDC) {
        FMemoryDC = CreateCompatibleDC(nullptr);
        if (!FMemoryDC) throw EOutOfResources("Cannot create a device context for a bitmap");
    }
    if (FBitmap && FBitmap->FHandle && !FOldBitmap) {
        FOldBitmap = SelectObject(FMemoryDC, FBitmap->FHandle);
        if (!FOldBitmap) throw EInvalidGraphicOperation("The bitmap cannot be selected for drawing");
    }
    SetHandle(FMemoryDC);
}

HDC TBitmapCanvas::BitmapDC() {
    RequiredState(csHandleValid);
    return FMemoryDC;
}

void TBitmapCanvas::FreeContext() {
    if (!FMemoryDC) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FMemoryDC, FOldBitmap);
    DeleteDC(FMemoryDC);
    FMemoryDC = nullptr;
    FOldBitmap = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TBitmap

DW_DEFINE_CLASS(TBitmap) {}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    FCanvas.reset();
    if (FHandle) DeleteObject(FHandle);
}

void TBitmap::ReleaseCanvasContext() {
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::NewImage(HBITMAP handle, TPixelFormat format) {
    ReleaseCanvasContext();
    if (FHandle) DeleteObject(FHandle);
    FHandle = handle;
    FWidth = FHeight = 0;
    if (handle) {
        TSize size;
        GetBitmapSize(handle, &size);
        FWidth = size.cx;
        FHeight = size.cy;
    }
    FPixelFormat = format;
}

void TBitmap::Changed() {
    TGraphic::Changed();
}

void TBitmap::CanvasChanged(TObject*) {
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = MakeObject<TBitmapCanvas>(this);
        FCanvas->OnChange = MakeMethod<&TBitmap::CanvasChanged>(this);
    }
    return FCanvas.get();
}

TSurface* TBitmap::Surface() const {
    return FHandle ? GetBitmapSurface(FHandle) : nullptr;
}

void TBitmap::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) width = height = 0;
    if (width == FWidth && height == FHeight) return;
    if (width == 0) {
        NewImage(nullptr, FPixelFormat);
        Changed();
        return;
    }
    HBITMAP image = FMonochrome ? CreateMonochrome(width, height) : CreateDib(width, height, 0xFFFFFFFFu);
    {
        auto undo = ScopeFail([&] { DeleteObject(image); });
        TSelectedBitmap dest(image);
        if (FMonochrome) PatBlt(dest.DC(), 0, 0, width, height, WHITENESS);
        if (FHandle) {
            ReleaseCanvasContext();
            TSelectedBitmap source(FHandle);
            BitBlt(dest.DC(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), source.DC(), 0, 0, SRCCOPY);
        }
    }
    NewImage(image, FPixelFormat);
    Changed();
}

void TBitmap::SetHandle(HBITMAP value) {
    if (value == FHandle) return;
    if (value && GetObjectType(value) != OBJ_BITMAP)
        throw EInvalidGraphicOperation("The handle given to TBitmap is not a bitmap");
    bool mono = value && IsMonochromeBitmap(value);
    NewImage(value, mono ? pf1bit : pfDevice);
    FMonochrome = mono;
    FPalette = mono ? BlackAndWhite() : std::vector<RGBQUAD>{};
    FAlphaFormat = afIgnored;
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    ReleaseCanvasContext();
    HBITMAP handle = FHandle;
    FHandle = nullptr;
    FWidth = FHeight = 0;
    Changed();
    return handle;
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) {
        SetSize(0, 0);
        return;
    }
    if (auto* picture = As<TPicture>(source)) {
        Assign(picture->Graphic());
        return;
    }
    if (auto* other = As<TBitmap>(source)) {
        if (other == this) return;
        HBITMAP image = nullptr;
        if (!other->Empty()) {
            if (other->Monochrome()) {
                image = CreateMonochrome(other->FWidth, other->FHeight);
                {
                    auto undo = ScopeFail([&] { DeleteObject(image); });
                    TSelectedBitmap dest(image);
                    auto* from = const_cast<TBitmap*>(other);
                    from->Canvas();
                    HDC src = from->FCanvas->BitmapDC();
                    BitBlt(dest.DC(), 0, 0, other->FWidth, other->FHeight, src, 0, 0, SRCCOPY);
                }
            } else {
                image = CreateDib(other->FWidth, other->FHeight, 0xFFFFFFFFu);
                const TSurface& from = *other->Surface();
                TSurface& to = *GetBitmapSurface(image);
                for (int y = 0; y < other->FHeight; ++y)
                    std::memcpy(to.Row(y), from.Row(y), sizeof(TPixel) * static_cast<size_t>(other->FWidth));
            }
        }
        NewImage(image, other->FPixelFormat);
        FMonochrome = other->FMonochrome;
        FPalette = other->FPalette;
        FTransparentColor = other->FTransparentColor;
        FTransparentMode = other->FTransparentMode;
        FAlphaFormat = other->FAlphaFormat;
        // Transparent is the graphic's flag; copy it without firing a change of its own.
        if (Transparent() != other->Transparent()) TGraphic::SetTransparent(other->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

bool TBitmap::Monochrome() const {
    return FHandle ? IsMonochromeBitmap(FHandle) : FMonochrome;
}

void TBitmap::SetMonochrome(bool value) {
    if (value == Monochrome()) {
        FMonochrome = value;
        return;
    }
    FMonochrome = value;
    if (Empty()) return;
    HBITMAP image = value ? CreateMonochrome(FWidth, FHeight) : CreateDib(FWidth, FHeight, 0xFFFFFFFFu);
    {
        auto undo = ScopeFail([&] { DeleteObject(image); });
        ReleaseCanvasContext();
        TSelectedBitmap dest(image);
        TSelectedBitmap source(FHandle);
        // Colour to monochrome: the source's background colour becomes white, all else black.
        // Monochrome to colour: black and white through the text and background colours.
        SetBkColor(source.DC(), RGB(255, 255, 255));
        SetTextColor(dest.DC(), RGB(0, 0, 0));
        SetBkColor(dest.DC(), RGB(255, 255, 255));
        BitBlt(dest.DC(), 0, 0, FWidth, FHeight, source.DC(), 0, 0, SRCCOPY);
    }
    NewImage(image, value ? pf1bit : pfDevice);
    FPalette = value ? BlackAndWhite() : std::vector<RGBQUAD>{};
    FAlphaFormat = afIgnored;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    FPixelFormat = value;
    int bits = BitsOf(value);
    if (bits == 1 && (FPalette.empty() || FPalette.size() > 2)) FPalette = BlackAndWhite();
    if (bits > 8 || bits == 0) FPalette.clear();
    if (bits > 0 && bits <= 8 && FPalette.size() > (1u << bits)) FPalette.clear();
    Quantize();
    Changed();
}

void TBitmap::SetPalette(const std::vector<RGBQUAD>& value) {
    if (value.size() > 256) throw EInvalidGraphicOperation("A colour table holds at most 256 colours");
    FPalette = value;
    Quantize();
    Changed();
}

void TBitmap::Quantize() {
    if (Empty() || Monochrome()) return;
    int bits = BitsOf(FPixelFormat);
    TSurface& surface = *Surface();
    if (bits > 0 && bits <= 8) {
        ReleaseCanvasContext();
        std::vector<Byte> data = EncodeDibBits(FHandle, bits, FPalette, false);
        BITMAPINFO info;
        info.bmiHeader.biWidth = FWidth;
        info.bmiHeader.biHeight = FHeight;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        info.bmiHeader.biClrUsed = static_cast<DWORD>(FPalette.size());
        std::copy(FPalette.begin(), FPalette.end(), info.bmiColors);
        SetDIBits(nullptr, FHandle, 0, static_cast<UINT>(FHeight), data.data(), &info, DIB_RGB_COLORS);
        FAlphaFormat = afIgnored;
    } else if (bits == 16) {
        // Keep what 5-6-5 keeps (5-5-5 for pf15bit), expanded back to 8 bits per channel.
        const int greenBits = FPixelFormat == pf15bit ? 5 : 6;
        auto reduce = [](TPixel c, int n) {
            TPixel max = (1u << n) - 1;
            TPixel v = c >> (8 - n);
            return (v * 255 + max / 2) / max;
        };
        for (int y = 0; y < FHeight; ++y) {
            TPixel* row = surface.Row(y);
            for (int x = 0; x < FWidth; ++x) {
                TPixel p = row[x];
                row[x] = 0xFF000000u | (reduce((p >> 16) & 0xFF, 5) << 16) | (reduce((p >> 8) & 0xFF, greenBits) << 8) |
                         reduce(p & 0xFF, 5);
            }
        }
        FAlphaFormat = afIgnored;
    } else if (bits == 24) {
        for (int y = 0; y < FHeight; ++y) {
            TPixel* row = surface.Row(y);
            for (int x = 0; x < FWidth; ++x) row[x] |= 0xFF000000u;
        }
        FAlphaFormat = afIgnored;
    }
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    return static_cast<TColor>(ColorFromPixel(Surface()->Pixel(0, FHeight - 1)));
}

void TBitmap::SetTransparentColor(TColor value) {
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    if (value == tmFixed)
        FTransparentColor = TransparentColor();
    else
        FTransparentColor = clDefault;
    FTransparentMode = value;
    Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat value) {
    if (value == FAlphaFormat) return;
    FAlphaFormat = value;
    Changed();
}

TPixel* TBitmap::ScanLine(int row) {
    return const_cast<TPixel*>(std::as_const(*this).ScanLine(row));
}

const TPixel* TBitmap::ScanLine(int row) const {
    if (Empty() || row < 0 || row >= FHeight)
        throw EInvalidGraphicOperation(Format("Scan line index %d is out of range", row));
    return Surface()->Row(row);
}

int TBitmap::SaveBitCount() const {
    if (Monochrome()) return 1;
    int bits = BitsOf(FPixelFormat);
    if (bits) return bits;
    return FAlphaFormat == afIgnored ? 24 : 32;
}

void TBitmap::LoadFromStream(TStream& stream) {
    LoadBitmap(stream, true);
}

void TBitmap::LoadBitmap(TStream& stream, bool fileHeader) {
    const Int64 start = stream.Position();
    std::uint32_t fileSize = 0, offBits = 0;
    Int64 consumed = 0;
    if (fileHeader) {
        Byte fh[14];
        ReadExact(stream, fh, sizeof fh, "the file header");
        if (fh[0] != 'B' || fh[1] != 'M')
            throw EInvalidGraphic("Bitmap image is not valid: the data does not start with \"BM\"");
        fileSize = GetU32(fh + 2);
        offBits = GetU32(fh + 10);
        consumed = sizeof fh;
    }
    TDibHeader header = ReadDibHeader(stream, false);
    consumed += static_cast<Int64>(header.HeaderSize + header.TableSize);
    if (offBits > consumed) {
        Int64 gap = offBits - consumed;
        if (gap > Remaining(stream))
            throw EInvalidGraphic(
                Format("Bitmap image is truncated: the pixel data should start at offset %u", offBits));
        stream.Seek(gap, TSeekOrigin::soCurrent);
        consumed = offBits;
    }
    Int64 available = Remaining(stream);
    Int64 needed;
    if (header.IsRle())
        needed = header.SizeImage ? std::min<Int64>(header.SizeImage, available) : available;
    else
        needed = header.BitsSize();
    if (needed > available)
        throw EInvalidGraphic(
            Format("Bitmap image is truncated: %d bytes of pixel data expected, %d found", needed, available));
    std::vector<Byte> bits(static_cast<size_t>(needed));
    ReadExact(stream, bits.data(), needed, "the pixel data");
    consumed += needed;
    bool hasAlpha = false;
    HBITMAP image = DecodeDibBits(header, bits.data(), bits.size(), hasAlpha);
    // Skip what the file says belongs to it (a colour profile after the pixels, ...).
    if (fileHeader && fileSize > consumed && fileSize - consumed <= Remaining(stream))
        stream.SetPosition(start + fileSize);

    NewImage(image, FormatOf(header));
    FMonochrome = false;
    FPalette = header.BitCount <= 8 ? header.Palette : std::vector<RGBQUAD>{};
    FAlphaFormat = hasAlpha ? afPremultiplied : afIgnored;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    ReleaseCanvasContext();
    const int bits = SaveBitCount();
    std::vector<RGBQUAD> palette = Monochrome() ? BlackAndWhite() : FPalette;
    std::vector<Byte> data = EncodeDibBits(FHandle, bits, palette, bits == 32 && FAlphaFormat != afIgnored);
    std::vector<Byte> out;
    const std::uint32_t headerBytes =
        14 + 40 + (bits == 16 ? 12 : 0) + (bits <= 8 ? 4 * static_cast<std::uint32_t>(palette.size()) : 0);
    out.reserve(headerBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, headerBytes + static_cast<std::uint32_t>(data.size()));
    PutU32(out, 0);
    PutU32(out, headerBytes);
    WriteInfoHeader(out, FWidth, FHeight, bits, palette, static_cast<std::uint32_t>(data.size()));
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TBitmap::LoadFromResourceName(const String& name) {
    TResourceStream stream(name, "BITMAP");
    Byte magic[2] = {0, 0};
    stream.Read(magic, 2);
    stream.SetPosition(0);
    try {
        LoadBitmap(stream, magic[0] == 'B' && magic[1] == 'M');
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(Format("Bitmap resource %s: %s", name, e.Message()));
    }
}

void TBitmap::ReadData(TStream& stream) {
    if (Remaining(stream) == 0) {
        SetSize(0, 0);
        return;
    }
    LoadFromStream(stream);
}

void TBitmap::WriteData(TStream& stream) {
    if (!Empty()) SaveToStream(stream);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    if (Empty() || !canvas) return;
    Canvas();
    HDC source = FCanvas->BitmapDC();
    HDC dest = canvas->Handle();
    if (FAlphaFormat != afIgnored && !Monochrome()) {
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        AlphaBlend(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, FWidth, FHeight, blend);
    } else if (Transparent()) {
        TransparentBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, FWidth, FHeight,
                       ColorToRGB(TransparentColor()) & 0xFFFFFF);
    } else if (rect.Width() == FWidth && rect.Height() == FHeight) {
        BitBlt(dest, rect.Left, rect.Top, FWidth, FHeight, source, 0, 0, canvas->CopyMode());
    } else {
        StretchBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, FWidth, FHeight,
                   canvas->CopyMode());
    }
}

} // namespace dw
