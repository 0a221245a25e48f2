#include "framework/controls/graphics/Metafile.h"

#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/graphics/DibFormat.h"
#include "framework/platform/gdi/GdiHandle.h"

#include <cmath>

namespace dw {

using namespace dib;

namespace {

constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
// Anything larger is not a picture a form would hold.
constexpr Int64 kMaxMetafileBytes = Int64(256) << 20;

int HundredthsMmToPixels(Int64 v) {
    return static_cast<int>(std::lround(static_cast<double>(v) * ScreenPixelsPerInch / 2540.0));
}

} // namespace

DW_DEFINE_CLASS(TMetafile) {}

TMetafile::TMetafile() {
    TGraphic::SetTransparent(true);
}

void TMetafile::Assign(const TPersistent* source) {
    if (auto* other = As<TMetafile>(source)) {
        if (other == this) return;
        FData = other->FData;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        FEnhanced = other->FEnhanced;
        Changed();
        return;
    }
    if (!source) {
        FData.clear();
        FWidth = FHeight = 0;
        FEnhanced = true;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TMetafile::SetWidth(int value) {
    if (value < 0) value = 0;
    if (value == FWidth) return;
    FWidth = value;
    Changed();
}

void TMetafile::SetHeight(int value) {
    if (value < 0) value = 0;
    if (value == FHeight) return;
    FHeight = value;
    Changed();
}

int TMetafile::MMWidth() const {
    return static_cast<int>(std::lround(FWidth * 2540.0 / ScreenPixelsPerInch));
}

int TMetafile::MMHeight() const {
    return static_cast<int>(std::lround(FHeight * 2540.0 / ScreenPixelsPerInch));
}

void TMetafile::LoadFromStream(TStream& stream) {
    const Int64 available = Remaining(stream);
    Byte head[88];
    ReadExact(stream, head, 22, "the metafile header");
    Int64 total = 0;
    int width = 0, height = 0;
    bool enhanced = false;
    if (GetU32(head) == 1) {
        // EMR_HEADER: bounds, frame (0.01 mm), signature, version, total bytes.
        ReadExact(stream, head + 22, 88 - 22, "the metafile header");
        if (GetU32(head + 40) != kEmfSignature)
            throw EInvalidGraphic("Metafile is not valid: the enhanced metafile signature is missing");
        std::uint32_t headerSize = GetU32(head + 4);
        total = GetU32(head + 48);
        if (headerSize < 88 || total < headerSize)
            throw EInvalidGraphic(Format("Metafile is not valid: it claims %d bytes", total));
        auto frame = [&](int offset) { return static_cast<Int64>(static_cast<std::int32_t>(GetU32(head + offset))); };
        width = HundredthsMmToPixels(frame(32) - frame(24));
        height = HundredthsMmToPixels(frame(36) - frame(28));
        enhanced = true;
    } else {
        int offset = 0;
        if (GetU32(head) == kPlaceableKey) {
            auto coord = [&](int at) { return static_cast<std::int16_t>(GetU16(head + at)); };
            int inch = GetU16(head + 14);
            if (inch > 0) {
                width = static_cast<int>(std::lround(double(coord(10) - coord(6)) * ScreenPixelsPerInch / inch));
                height = static_cast<int>(std::lround(double(coord(12) - coord(8)) * ScreenPixelsPerInch / inch));
            }
            offset = 22;
            ReadExact(stream, head + 22, 18, "the metafile header");
        }
        const Byte* wmf = head + offset;
        int type = GetU16(wmf), headerWords = GetU16(wmf + 2);
        if ((type != 1 && type != 2) || headerWords != 9)
            throw EInvalidGraphic("Metafile is not valid: the data is neither an enhanced nor a Windows metafile");
        total = offset + Int64(GetU32(wmf + 6)) * 2;
        if (total < offset + 24) throw EInvalidGraphic(Format("Metafile is not valid: it claims %d bytes", total));
    }
    if (total > available)
        throw EInvalidGraphic(Format("Metafile is truncated: %d bytes expected, %d found", total, available));
    if (total > kMaxMetafileBytes) throw EInvalidGraphic(Format("Metafile of %d bytes is too large", total));
    const Int64 headBytes = enhanced ? 88 : (GetU32(head) == kPlaceableKey ? 40 : 22);
    std::vector<Byte> data(static_cast<size_t>(total));
    std::copy(head, head + std::min(headBytes, total), data.begin());
    if (total > headBytes) ReadExact(stream, data.data() + headBytes, total - headBytes, "the metafile records");
    FData = std::move(data);
    FWidth = std::max(0, width);
    FHeight = std::max(0, height);
    FEnhanced = enhanced;
    Changed();
}

void TMetafile::SaveToStream(TStream& stream) {
    if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TMetafile::Draw(TCanvas* canvas, const TRect& rect) {
    if (!canvas || rect.IsEmpty()) return;
    // Playback is not available: a grey frame with its diagonals marks where the picture goes.
    HDC dc = canvas->Handle();
    int saved = SaveDC(dc);
    TGdiHandle pen(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_COPYPEN);
    dw::Rectangle(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    MoveToEx(dc, rect.Left, rect.Top, nullptr);
    dw::LineTo(dc, rect.Right - 1, rect.Bottom - 1);
    MoveToEx(dc, rect.Right - 1, rect.Top, nullptr);
    dw::LineTo(dc, rect.Left, rect.Bottom - 1);
    RestoreDC(dc, saved);
}

} // namespace dw
