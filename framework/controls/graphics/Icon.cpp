#include "framework/controls/graphics/Icon.h"

#include "framework/controls/graphics/DibFormat.h"
#include "framework/platform/gdi/Png.h"

#include <cstring>

namespace dw {

using namespace dib;

namespace {

constexpr Byte kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct TIconEntry {
    size_t Offset = 0;
    size_t Size = 0;
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    bool Png = false;
};

// A read-only view of memory as a stream, so the bitmap reader can parse icon entries in place.
class TByteViewStream : public TStream {
public:
    TByteViewStream(const Byte* data, size_t size) : FData(data), FSize(static_cast<Int64>(size)) {}
    Int64 Read(void* buffer, Int64 count) override {
        Int64 n = std::max<Int64>(0, std::min(count, FSize - FPos));
        if (n) std::memcpy(buffer, FData + FPos, static_cast<size_t>(n));
        FPos += n;
        return n;
    }
    Int64 Write(const void*, Int64) override { return 0; }
    Int64 Seek(Int64 offset, TSeekOrigin origin) override {
        Int64 base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPos : FSize;
        FPos = std::clamp<Int64>(base + offset, 0, FSize);
        return FPos;
    }
    Int64 Size() override { return FSize; }

private:
    const Byte* FData;
    Int64 FSize;
    Int64 FPos = 0;
};

// Reads the real size and depth of an entry from its data (directories are often wrong).
bool ProbeEntry(const std::vector<Byte>& file, TIconEntry& e) {
    const Byte* p = file.data() + e.Offset;
    if (e.Size >= 24 && std::memcmp(p, kPngSignature, 8) == 0) {
        e.Png = true;
        e.Width = static_cast<int>((p[16] << 24) | (p[17] << 16) | (p[18] << 8) | p[19]);
        e.Height = static_cast<int>((p[20] << 24) | (p[21] << 16) | (p[22] << 8) | p[23]);
        e.BitCount = 32;
        return e.Width > 0 && e.Height > 0;
    }
    if (e.Size < 40) return false;
    std::uint32_t headerSize = GetU32(p);
    if (headerSize < 40 || headerSize > e.Size) return false;
    e.Width = static_cast<std::int32_t>(GetU32(p + 4));
    e.Height = static_cast<std::int32_t>(GetU32(p + 8)) / 2;
    e.BitCount = GetU16(p + 14);
    return e.Width > 0 && e.Height > 0;
}

HBITMAP DecodePngEntry(const Byte* data, size_t size) {
    TSurface png;
    try {
        png = DecodePng(data, size);
    } catch (const Exception& e) {
        throw EInvalidGraphic(Format("Icon image is not valid: %s", e.Message()));
    }
    HBITMAP image = CreateDib(png.Width(), png.Height(), 0);
    TSurface& to = *GetBitmapSurface(image);
    for (int y = 0; y < png.Height(); ++y)
        std::memcpy(to.Row(y), png.Row(y), sizeof(TPixel) * static_cast<size_t>(png.Width()));
    return image;
}

HBITMAP DecodeDibEntry(const Byte* data, size_t size) {
    TByteViewStream stream(data, size);
    TDibHeader header = ReadDibHeader(stream, true);
    if (header.IsRle()) throw EInvalidGraphic("Icon image is not valid: compressed entries are not supported");
    Int64 pos = stream.Position();
    const Int64 xorSize = header.BitsSize();
    const Int64 maskRow = RowBytes(header.Width, 1);
    const Int64 maskSize = maskRow * header.Height;
    if (pos + xorSize > static_cast<Int64>(size))
        throw EInvalidGraphic(Format("Icon image is truncated: %d bytes of pixel data expected, %d found", xorSize,
                                     static_cast<Int64>(size) - pos));
    bool hasAlpha = false;
    HBITMAP image = DecodeDibBits(header, data + pos, static_cast<size_t>(xorSize), hasAlpha);
    const bool hasMask = pos + xorSize + maskSize <= static_cast<Int64>(size);
    if (!hasAlpha && !hasMask) {
        DeleteObject(image);
        throw EInvalidGraphic("Icon image is truncated: its transparency mask is missing");
    }
    if (!hasAlpha) {
        // Mask bit 1: the screen shows through.
        TSurface& s = *GetBitmapSurface(image);
        const Byte* mask = data + pos + xorSize;
        for (int r = 0; r < header.Height; ++r) {
            const Byte* bits = mask + r * maskRow;
            TPixel* row = s.Row(header.TopDown ? r : header.Height - 1 - r);
            for (int x = 0; x < header.Width; ++x)
                if (bits[x >> 3] & (0x80 >> (x & 7))) row[x] = 0;
        }
    }
    return image;
}

} // namespace

DW_DEFINE_CLASS(TIcon) {}

TIcon::TIcon() : FImage(MakeObject<TBitmap>()) {
    TGraphic::SetTransparent(true);
}

TIcon::~TIcon() = default;

void TIcon::Assign(const TPersistent* source) {
    if (auto* icon = As<TIcon>(source)) {
        if (icon == this) return;
        FImage->Assign(icon->FImage.get());
        FData = icon->FData;
        Changed();
        return;
    }
    if (auto* bitmap = As<TBitmap>(source)) {
        TObjectPtr<TBitmap> image = MakeObject<TBitmap>();
        if (!bitmap->Empty()) {
            image->Assign(bitmap);
            image->SetMonochrome(false);
            image->SetPixelFormat(pf32bit);
            TSurface& s = *image->Surface();
            if (bitmap->AlphaFormat() == afIgnored) {
                bool keyed = bitmap->Transparent();
                COLORREF key = ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF;
                for (int y = 0; y < s.Height(); ++y) {
                    TPixel* row = s.Row(y);
                    for (int x = 0; x < s.Width(); ++x)
                        row[x] = keyed && ColorFromPixel(row[x]) == key ? 0 : (row[x] | 0xFF000000u);
                }
            }
            image->SetAlphaFormat(afPremultiplied);
        }
        FImage = std::move(image);
        FData.clear();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::AssignTo(TPersistent* dest) const {
    if (auto* bitmap = As<TBitmap>(dest)) {
        bitmap->Assign(FImage.get());
        return;
    }
    TGraphic::AssignTo(dest);
}

void TIcon::LoadFromStream(TStream& stream) {
    const Int64 available = Remaining(stream);
    Byte dir[6];
    ReadExact(stream, dir, sizeof dir, "the icon header");
    const int type = GetU16(dir + 2), count = GetU16(dir + 4);
    if (GetU16(dir) != 0 || (type != 1 && type != 2))
        throw EInvalidGraphic("Icon image is not valid: the data is not an icon file");
    if (count == 0) throw EInvalidGraphic("Icon image is not valid: it holds no images");
    std::vector<Byte> entries(static_cast<size_t>(count) * 16);
    ReadExact(stream, entries.data(), static_cast<Int64>(entries.size()), "the icon directory");

    std::vector<TIconEntry> list;
    size_t end = 6 + entries.size();
    for (int i = 0; i < count; ++i) {
        const Byte* e = entries.data() + 16 * i;
        TIconEntry entry;
        entry.Size = GetU32(e + 8);
        entry.Offset = GetU32(e + 12);
        if (entry.Offset < 6 + entries.size() || entry.Size == 0 ||
            static_cast<Int64>(entry.Offset) + static_cast<Int64>(entry.Size) > available)
            throw EInvalidGraphic(Format("Icon image is truncated: image %d lies outside the file", i));
        end = std::max(end, entry.Offset + entry.Size);
        list.push_back(entry);
    }
    std::vector<Byte> file(end);
    std::memcpy(file.data(), dir, sizeof dir);
    std::memcpy(file.data() + 6, entries.data(), entries.size());
    ReadExact(stream, file.data() + 6 + entries.size(), static_cast<Int64>(end - 6 - entries.size()), "the icon data");

    const TIconEntry* best = nullptr;
    for (TIconEntry& e : list) {
        if (!ProbeEntry(file, e) || e.Width > 256 || e.Height > 256) continue;
        if (!best || std::int64_t(e.Width) * e.Height > std::int64_t(best->Width) * best->Height ||
            (e.Width == best->Width && e.Height == best->Height && e.BitCount > best->BitCount))
            best = &e;
    }
    if (!best) throw EInvalidGraphic("Icon image is not valid: none of its images can be read");
    HBITMAP image = best->Png ? DecodePngEntry(file.data() + best->Offset, best->Size)
                              : DecodeDibEntry(file.data() + best->Offset, best->Size);
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetHandle(image);
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetAlphaFormat(afPremultiplied);
    FImage = std::move(bitmap);
    FData = std::move(file);
    Changed();
}

void TIcon::SaveToStream(TStream& stream) {
    if (!FData.empty()) {
        stream.WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
        return;
    }
    if (Empty()) throw EInvalidGraphic("Cannot save an empty icon");
    const int w = Width(), h = Height();
    if (w > 256 || h > 256) throw EInvalidGraphic(Format("An icon of %d x %d pixels cannot be saved", w, h));
    std::vector<RGBQUAD> none;
    std::vector<Byte> colour = EncodeDibBits(FImage->Handle(), 32, none, true);
    const std::int64_t maskRow = RowBytes(w, 1);
    std::vector<Byte> mask(static_cast<size_t>(maskRow * h), 0);
    const TSurface& s = *FImage->Surface();
    for (int r = 0; r < h; ++r) {
        const TPixel* row = s.Row(h - 1 - r);
        for (int x = 0; x < w; ++x)
            if ((row[x] >> 24) < 128) mask[r * maskRow + (x >> 3)] |= static_cast<Byte>(0x80 >> (x & 7));
    }
    std::vector<Byte> entry;
    WriteInfoHeader(entry, w, 2 * h, 32, none, static_cast<std::uint32_t>(colour.size() + mask.size()));
    std::vector<Byte> out;
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    out.push_back(static_cast<Byte>(w == 256 ? 0 : w));
    out.push_back(static_cast<Byte>(h == 256 ? 0 : h));
    out.push_back(0);
    out.push_back(0);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<std::uint32_t>(entry.size() + colour.size() + mask.size()));
    PutU32(out, 6 + 16);
    out.insert(out.end(), entry.begin(), entry.end());
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    FImage->Draw(canvas, rect);
}

} // namespace dw
