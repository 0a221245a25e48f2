// Keyboard shortcuts as menus and actions store them (TShortCut: the key code in the low byte,
// scShift, scCtrl and scAlt above it), their texts ("Ctrl+C", "Shift+Ctrl+Z", "Del", "F4"), and
// the accelerator of a caption ("&File" is opened with F).
#pragma once

#include "framework/controls/core/ActionLink.h"
#include "framework/controls/core/Controls.h"

namespace dw {

constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The type information published for ShortCut properties (an integer type named "TShortCut").
const TTypeInfo& ShortCutTypeInfo();

// The shortcut of key with shift (Shift, Ctrl and Alt count; other flags are ignored). A key
// code above 255 makes no shortcut (scNone).
TShortCut ShortCut(Word key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift);
// The shortcut of a key message (WM_KEYDOWN, WM_SYSKEYDOWN, CN_KEYDOWN): its key with the
// modifiers held when it was pressed.
TShortCut ShortCutFromMessage(const TWMKey& message);

// "Shift+Ctrl+Alt+" prefixes in that order, then the key's name: letters and digits as such,
// "F1" to "F12", "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left",
// "Up", "Right", "Down", "Ins", "Del", "Num 0" to "Num 9", "Num *" ..., the punctuation keys as
// their characters. A key without a name gives "" (and so does scNone).
String ShortCutToText(TShortCut shortCut);
// The reverse, without regard to case and to spaces around "+"; "" gives scNone. Text that is
// not a shortcut raises EConvertError naming it.
TShortCut TextToShortCut(std::string_view text);
// The same without raising: false (and scNone) for text that is not a shortcut.
bool TryTextToShortCut(std::string_view text, TShortCut& shortCut);

// The caption without its accelerator marks ("&File" -> "File", "&&" -> "&").
String StripHotkey(std::string_view caption);
// The accelerator character of a caption in upper case (the one after a single "&"), or 0.
char32_t GetHotkey(std::string_view caption);
// Whether ch (any case) is the accelerator of caption.
bool IsAccel(char32_t ch, std::string_view caption);

} // namespace dw
