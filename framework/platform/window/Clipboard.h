// The classic clipboard: registered formats, movable global memory handles, and opening, filling
// and reading the clipboard through the current backend's clipboard.
#pragma once

#include "framework/platform/Types.h"
#include "framework/rtl/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dw {

// Standard formats. Both hold plain UTF-8 text inside the program: as a handle the bytes end with
// a terminating zero, on the backend they travel without one under ClipboardTextFormatName. Text
// placed under one is available under both.
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;
// The backend format name of plain text (the X11 backend offers it as UTF8_STRING and friends).
inline constexpr std::string_view ClipboardTextFormatName = "text/plain;charset=utf-8";

// A format number for a name, from $C000 to $FFFE; the same name (compared without regard to
// ASCII case) always gets the same number. Registered formats share their numbers with
// RegisterWindowMessage, as they always have: one name, one number, so $C002 is never handed out.
// The backend exchanges the format under the name as first registered. Raises EInvalidArgument for
// an empty name and EOutOfResources when no number is left.
UINT RegisterClipboardFormat(std::string_view name);
// The name of a registered format; empty for standard and unknown numbers.
String GetClipboardFormatName(UINT format);

// Global memory: blocks behind handles. A stale or unknown handle is recognised and refused.
struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
// Blocks are always zero-filled. Null for unknown flag bits or a size the program cannot have.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's bytes (never null for a valid handle, even of size 0); each lock needs an unlock.
void* GlobalLock(HGLOBAL mem);
// True while the block is still locked after this unlock.
bool GlobalUnlock(HGLOBAL mem);
// The size asked for at allocation; 0 for an invalid handle.
std::size_t GlobalSize(HGLOBAL mem);
// Null on success; the handle back when it is invalid or still locked (a locked block is not
// freed under the pointer someone holds).
HGLOBAL GlobalFree(HGLOBAL mem);

// The clipboard is opened by one window (or null for the program) at a time; opening it again
// before closing fails, whoever asks. EmptyClipboard, SetClipboardData, GetClipboardData and
// EnumClipboardFormats need it open; the other queries do not.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
HWND GetOpenClipboardWindow();
// Removes every format, this program's and other programs'.
bool EmptyClipboard();
// Places a format. Without EmptyClipboard the formats already on the clipboard stay (see the
// backend for what happens to another program's formats: the X11 backend offers them again). On
// success the clipboard owns the handle, frees it (unless the caller still holds it locked) and
// returns it; the caller must not use it again. On failure (clipboard not open, unknown format,
// invalid or null handle, the backend refusing) it returns null and the caller still owns it.
HGLOBAL SetClipboardData(UINT format, HGLOBAL mem);
// The same from a byte vector; true on success.
bool SetClipboardData(UINT format, std::vector<std::uint8_t> bytes);
// A handle to the format's data, owned by the clipboard and freed when the clipboard is closed or
// emptied; the same handle for repeated calls while open. Null when the clipboard is not open or
// the format is not there.
HGLOBAL GetClipboardData(UINT format);
// The same into a byte vector (text without its terminating zero); true when the format is there.
bool GetClipboardData(UINT format, std::vector<std::uint8_t>& bytes);
bool IsClipboardFormatAvailable(UINT format);
// The format after `format` (0: the first); 0 after the last or when the clipboard is not open.
// Formats of other programs that this program never registered are not listed.
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();

// Text in one step: opens, empties (or not), places or reads, and closes. False or nullopt when
// the clipboard is open elsewhere or the backend fails.
bool SetClipboardText(const String& text);
std::optional<String> GetClipboardText();

} // namespace dw
