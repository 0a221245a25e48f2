// The classic clipboard over the backend's clipboard hooks, and the global memory handle table.
#include "framework/platform/window/Clipboard.h"

#include "framework/platform/window/Messages.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <new>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Registered formats

namespace {

// Numbers come from the window manager's registered names (shared with window messages); the
// names are kept here as first spelled, because the backend exchanges them by that spelling.
std::map<UINT, String>& FormatNames() {
    static std::map<UINT, String> names;
    return names;
}

} // namespace

UINT RegisterClipboardFormat(std::string_view name) {
    if (name.empty()) throw EInvalidArgument("A clipboard format needs a name");
    UINT n = RegisterWindowMessage(name);
    // $FFFF is not a format: 16-bit code uses it as "no format".
    if (n < 0xC000 || n >= 0xFFFF) {
        throw EOutOfResources(Format("No clipboard format number is left to register \"%s\"", String(name)));
    }
    // A recorded name that differs is left from a table the window manager has since reset.
    auto [it, inserted] = FormatNames().try_emplace(n, String(name));
    if (!inserted && !SameText(it->second, name)) it->second = String(name);
    return n;
}

String GetClipboardFormatName(UINT format) {
    auto it = FormatNames().find(format);
    return it == FormatNames().end() ? String() : it->second;
}

// ---------------------------------------------------------------------------------------------
// Global memory

namespace {

struct TGlobalBlock {
    std::unique_ptr<std::uint8_t[]> Bytes;
    std::size_t Size = 0;
    int Locks = 0;
};

struct TGlobalTable {
    std::map<std::uintptr_t, TGlobalBlock> Blocks;
    // Handles are never reused, so a freed handle stays invalid.
    std::uintptr_t Next = 0x10000;
};

TGlobalTable& Globals() {
    static TGlobalTable table;
    return table;
}

TGlobalBlock* FindBlock(HGLOBAL mem) {
    auto& blocks = Globals().Blocks;
    auto it = blocks.find(reinterpret_cast<std::uintptr_t>(mem));
    return it == blocks.end() ? nullptr : &it->second;
}

constexpr UINT KnownGlobalFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;
// No single block larger than this: a length read from somewhere must not exhaust memory.
constexpr std::size_t MaxGlobalBytes = std::size_t(1) << 30;

HGLOBAL BlockFrom(const std::uint8_t* data, std::size_t size, bool terminate) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + (terminate ? 1 : 0));
    if (h && size) std::memcpy(FindBlock(h)->Bytes.get(), data, size);
    return h;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    if ((flags & ~KnownGlobalFlags) != 0 || bytes > MaxGlobalBytes) return nullptr;
    TGlobalBlock block;
    // At least one byte, so that even an empty block locks to a real address.
    block.Bytes.reset(new (std::nothrow) std::uint8_t[std::max<std::size_t>(bytes, 1)]());
    if (!block.Bytes) return nullptr;
    block.Size = bytes;
    auto& table = Globals();
    std::uintptr_t handle = table.Next;
    table.Next += 4;
    table.Blocks.emplace(handle, std::move(block));
    return reinterpret_cast<HGLOBAL>(handle);
}

void* GlobalLock(HGLOBAL mem) {
    TGlobalBlock* b = FindBlock(mem);
    if (!b) return nullptr;
    ++b->Locks;
    return b->Bytes.get();
}

bool GlobalUnlock(HGLOBAL mem) {
    TGlobalBlock* b = FindBlock(mem);
    if (!b || b->Locks == 0) return false;
    return --b->Locks > 0;
}

std::size_t GlobalSize(HGLOBAL mem) {
    TGlobalBlock* b = FindBlock(mem);
    return b ? b->Size : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    TGlobalBlock* b = FindBlock(mem);
    if (!b || b->Locks > 0) return mem;
    Globals().Blocks.erase(reinterpret_cast<std::uintptr_t>(mem));
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The clipboard

namespace {

struct TClipboardState {
    bool Open = false;
    HWND Window = nullptr;
    // Handles handed out by GetClipboardData during this opening, freed at close.
    std::map<UINT, HGLOBAL> Handed;
    // The formats as listed during this opening (a display round trip each time otherwise).
    std::optional<std::vector<UINT>> Formats;
};

TClipboardState& State() {
    static TClipboardState state;
    return state;
}

bool IsText(UINT format) {
    return format == CF_TEXT || format == CF_UNICODETEXT;
}

// The backend's name of a format; empty for a number that is no format.
String BackendName(UINT format) {
    if (IsText(format)) return String(ClipboardTextFormatName);
    return GetClipboardFormatName(format);
}

void ReleaseHanded(TClipboardState& s) {
    for (auto& [format, h] : s.Handed) GlobalFree(h); // a block the caller still holds locked stays
    s.Handed.clear();
}

void Changed(TClipboardState& s) {
    ReleaseHanded(s);
    s.Formats.reset();
}

// The formats on the clipboard as numbers, in the backend's order. Backend failures (a display
// that went away) read as an empty clipboard.
std::vector<UINT> ListFormats() {
    std::vector<String> names;
    try {
        names = CurrentBackend().ClipboardFormats();
    } catch (const Exception&) {
        return {};
    }
    std::vector<UINT> formats;
    auto add = [&](UINT f) {
        if (std::find(formats.begin(), formats.end(), f) == formats.end()) formats.push_back(f);
    };
    for (const String& name : names) {
        if (name == ClipboardTextFormatName) {
            add(CF_TEXT);
            add(CF_UNICODETEXT);
            continue;
        }
        for (auto& [number, registered] : FormatNames()) {
            if (registered == name) add(number);
        }
    }
    return formats;
}

const std::vector<UINT>& OpenFormats(TClipboardState& s) {
    if (!s.Formats) s.Formats = ListFormats();
    return *s.Formats;
}

bool Place(UINT format, std::vector<std::uint8_t> bytes) {
    auto& s = State();
    String name = BackendName(format);
    if (!s.Open || name.empty()) return false;
    if (IsText(format)) {
        // Text ends at its first zero, as a C string does.
        auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
        bytes.erase(zero, bytes.end());
    }
    Changed(s);
    try {
        CurrentBackend().SetClipboardData(name, std::move(bytes));
    } catch (const Exception&) {
        return false; // the display refused the selection; the caller keeps its data
    }
    return true;
}

} // namespace

bool OpenClipboard(HWND owner) {
    auto& s = State();
    if (s.Open) return false;
    if (owner && !IsWindow(owner)) return false;
    s.Open = true;
    s.Window = owner;
    Changed(s);
    return true;
}

bool CloseClipboard() {
    auto& s = State();
    if (!s.Open) return false;
    Changed(s);
    s.Open = false;
    s.Window = nullptr;
    return true;
}

HWND GetOpenClipboardWindow() {
    auto& s = State();
    return s.Open ? s.Window : nullptr;
}

bool EmptyClipboard() {
    auto& s = State();
    if (!s.Open) return false;
    Changed(s);
    try {
        CurrentBackend().EmptyClipboard();
    } catch (const Exception&) {
        return false;
    }
    return true;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL mem) {
    TGlobalBlock* b = FindBlock(mem);
    if (!b) return nullptr;
    std::vector<std::uint8_t> bytes(b->Bytes.get(), b->Bytes.get() + b->Size);
    if (!Place(format, std::move(bytes))) return nullptr;
    GlobalFree(mem); // ours now; a block still locked by the caller is left to it
    return mem;
}

bool SetClipboardData(UINT format, std::vector<std::uint8_t> bytes) {
    return Place(format, std::move(bytes));
}

HGLOBAL GetClipboardData(UINT format) {
    auto& s = State();
    String name = BackendName(format);
    if (!s.Open || name.empty()) return nullptr;
    auto handed = s.Handed.find(format);
    if (handed != s.Handed.end() && FindBlock(handed->second)) return handed->second;
    std::optional<std::vector<std::uint8_t>> data;
    try {
        data = CurrentBackend().GetClipboardData(name);
    } catch (const Exception&) {
        return nullptr;
    }
    if (!data) return nullptr;
    HGLOBAL h = BlockFrom(data->data(), data->size(), IsText(format));
    if (h) s.Handed[format] = h;
    return h;
}

bool GetClipboardData(UINT format, std::vector<std::uint8_t>& bytes) {
    HGLOBAL h = GetClipboardData(format);
    if (!h) return false;
    TGlobalBlock* b = FindBlock(h);
    std::size_t size = b->Size;
    if (IsText(format) && size > 0) --size; // the terminating zero
    bytes.assign(b->Bytes.get(), b->Bytes.get() + size);
    return true;
}

bool IsClipboardFormatAvailable(UINT format) {
    if (BackendName(format).empty()) return false;
    auto& s = State();
    std::vector<UINT> formats = s.Open ? OpenFormats(s) : ListFormats();
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

UINT EnumClipboardFormats(UINT format) {
    auto& s = State();
    if (!s.Open) return 0;
    const std::vector<UINT>& formats = OpenFormats(s);
    if (format == 0) return formats.empty() ? 0 : formats.front();
    auto it = std::find(formats.begin(), formats.end(), format);
    if (it == formats.end() || ++it == formats.end()) return 0;
    return *it;
}

int CountClipboardFormats() {
    auto& s = State();
    return static_cast<int>((s.Open ? OpenFormats(s) : ListFormats()).size());
}

bool SetClipboardText(const String& text) {
    if (!OpenClipboard(nullptr)) return false;
    bool ok = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, std::vector<std::uint8_t>(text.begin(), text.end()));
    CloseClipboard();
    return ok;
}

std::optional<String> GetClipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bool ok = GetClipboardData(CF_UNICODETEXT, bytes);
    CloseClipboard();
    if (!ok) return std::nullopt;
    return String(bytes.begin(), bytes.end());
}

} // namespace dw
