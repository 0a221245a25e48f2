#include "framework/controls/graphics/Clipbrd.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"

#include <cstring>

namespace dw {

DW_DEFINE_CLASS(TClipboard) {}

namespace {
// Opens for the length of one operation (nested inside an outer Open when there is one).
class TOpenScope {
public:
    explicit TOpenScope(TClipboard& clipboard) : FClipboard(clipboard) { FClipboard.Open(); }
    ~TOpenScope() { FClipboard.Close(); }
    TOpenScope(const TOpenScope&) = delete;
    TOpenScope& operator=(const TOpenScope&) = delete;

private:
    TClipboard& FClipboard;
};
} // namespace

TClipboard::~TClipboard() {
    if (FOpenCount > 0) CloseClipboard();
}

void TClipboard::Open() {
    if (FOpenCount == 0) {
        if (!OpenClipboard(nullptr)) throw EInvalidOperation("Cannot open the clipboard: another window has it open");
        FEmptied = false;
    }
    ++FOpenCount;
}

void TClipboard::Close() {
    if (FOpenCount == 0) return;
    if (--FOpenCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
    TOpenScope scope(*this);
    EmptyClipboard();
    FEmptied = true;
}

void TClipboard::Adding() {
    if (FOpenCount > 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

bool TClipboard::HasFormat(UINT format) const {
    return IsClipboardFormatAvailable(format);
}

int TClipboard::FormatCount() const {
    auto* self = const_cast<TClipboard*>(this);
    TOpenScope scope(*self);
    return CountClipboardFormats();
}

UINT TClipboard::Formats(int index) const {
    auto* self = const_cast<TClipboard*>(this);
    TOpenScope scope(*self);
    if (index >= 0) {
        UINT format = 0;
        for (int i = 0; i <= index; ++i) {
            format = EnumClipboardFormats(format);
            if (!format) break;
        }
        if (format) return format;
    }
    throw EListError(Format("Clipboard format index out of bounds (%d)", index));
}

String TClipboard::AsText() const {
    std::vector<std::uint8_t> bytes = GetBuffer(CF_TEXT);
    return String(bytes.begin(), bytes.end());
}

void TClipboard::SetAsText(const String& value) {
    SetBuffer(CF_TEXT, value.data(), value.size());
}

HGLOBAL TClipboard::GetAsHandle(UINT format) {
    if (FOpenCount == 0)
        throw EInvalidOperation("The clipboard must be open to read a handle: the handle lives only until Close");
    return GetClipboardData(format);
}

void TClipboard::SetAsHandle(UINT format, HGLOBAL value) {
    TOpenScope scope(*this);
    Adding();
    if (!SetClipboardData(format, value)) {
        GlobalFree(value);
        throw EInvalidOperation(Format("Cannot place clipboard format %d", static_cast<int>(format)));
    }
}

std::vector<std::uint8_t> TClipboard::GetBuffer(UINT format) const {
    auto* self = const_cast<TClipboard*>(this);
    TOpenScope scope(*self);
    std::vector<std::uint8_t> bytes;
    if (!GetClipboardData(format, bytes)) bytes.clear();
    return bytes;
}

void TClipboard::SetBuffer(UINT format, const void* data, std::size_t size) {
    TOpenScope scope(*this);
    Adding();
    const auto* p = static_cast<const std::uint8_t*>(data);
    if (!SetClipboardData(format, std::vector<std::uint8_t>(p, p + size)))
        throw EInvalidOperation(Format("Cannot place clipboard format %d", static_cast<int>(format)));
}

void TClipboard::Assign(const TPersistent* source) {
    if (const auto* strings = As<TStrings>(source)) {
        SetAsText(strings->Text());
        return;
    }
    TPersistent::Assign(source);
}

TClipboard* Clipboard() {
    static TObjectPtr<TClipboard> instance = MakeObject<TClipboard>();
    return instance.get();
}

} // namespace dw
