#include "framework/controls/menus/ShortCut.h"

#include "framework/platform/window/KeyboardLayout.h"
#include "framework/rtl/Exceptions.h"

#include <array>
#include <cctype>

namespace dw {

namespace {

struct TKeyName {
    Word Key;
    const char* Name;
};

// Keys whose names are not their character.
constexpr std::array<TKeyName, 27> KeyNames{{
    {VK_BACK, "BkSp"},       {VK_TAB, "Tab"},           {VK_RETURN, "Enter"},  {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},     {VK_PRIOR, "PgUp"},        {VK_NEXT, "PgDn"},     {VK_END, "End"},
    {VK_HOME, "Home"},       {VK_LEFT, "Left"},         {VK_UP, "Up"},         {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},       {VK_INSERT, "Ins"},        {VK_DELETE, "Del"},    {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},       {VK_SUBTRACT, "Num -"},    {VK_DECIMAL, "Num ."}, {VK_DIVIDE, "Num /"},
    {VK_PAUSE, "Pause"},     {VK_SNAPSHOT, "PrtSc"},    {VK_APPS, "Menu"},     {VK_CAPITAL, "CapsLock"},
    {VK_NUMLOCK, "NumLock"}, {VK_SCROLL, "ScrollLock"}, {VK_HELP, "Help"},
}};

String KeyName(Word key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return "Num " + IntToStr(key - VK_NUMPAD0);
    for (const TKeyName& k : KeyNames)
        if (k.Key == key) return k.Name;
    // A punctuation key is named by what it types.
    if (key != VK_SPACE)
        if (char32_t c = UsLayoutChar(key, false)) return String(1, static_cast<char>(c));
    return {};
}

// The key named name (without regard to case), or 0.
Word KeyFromName(std::string_view name) {
    if (name.size() == 1) {
        auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
        auto [key, shifted] = UsLayoutKeyFor(static_cast<unsigned char>(name[0]));
        if (key && !shifted && key != VK_SPACE) return static_cast<Word>(key);
    }
    for (Word key = VK_F1; key <= VK_F12; ++key)
        if (SameText(name, KeyName(key))) return key;
    for (Word key = VK_NUMPAD0; key <= VK_NUMPAD0 + 9; ++key)
        if (SameText(name, KeyName(key))) return key;
    for (const TKeyName& k : KeyNames)
        if (SameText(name, k.Name)) return k.Key;
    // Long forms people type.
    static constexpr std::array<TKeyName, 8> Aliases{{{VK_DELETE, "Delete"},
                                                      {VK_INSERT, "Insert"},
                                                      {VK_ESCAPE, "Escape"},
                                                      {VK_BACK, "Backspace"},
                                                      {VK_RETURN, "Return"},
                                                      {VK_PRIOR, "PageUp"},
                                                      {VK_NEXT, "PageDown"},
                                                      {VK_SPACE, " "}}};
    for (const TKeyName& k : Aliases)
        if (SameText(name, k.Name)) return k.Key;
    return 0;
}

} // namespace

const TTypeInfo& ShortCutTypeInfo() {
    static const TTypeInfo& info = NamedType(tkInteger, "TShortCut", 0, 65535);
    return info;
}

TShortCut ShortCut(Word key, TShiftState shift) {
    if (key == 0 || key > 0xFF) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = {};
    if (shortCut & scShift) shift += ssShift;
    if (shortCut & scCtrl) shift += ssCtrl;
    if (shortCut & scAlt) shift += ssAlt;
}

TShortCut ShortCutFromMessage(const TWMKey& message) {
    return ShortCut(static_cast<Word>(message.CharCode()), KeyDataToShiftState(message.KeyData()));
}

String ShortCutToText(TShortCut shortCut) {
    String name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    String prefix;
    if (shortCut & scShift) prefix += "Shift+";
    if (shortCut & scCtrl) prefix += "Ctrl+";
    if (shortCut & scAlt) prefix += "Alt+";
    return prefix + name;
}

bool TryTextToShortCut(std::string_view text, TShortCut& shortCut) {
    shortCut = scNone;
    String rest = Trim(text);
    if (rest.empty()) return true;
    TShortCut modifiers = 0;
    // Modifiers come first; a "+" at the very end is the key "Num +" or a plain "+".
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == String::npos || plus == 0 || plus + 1 >= rest.size()) break;
        String word = Trim(std::string_view(rest).substr(0, plus));
        TShortCut bit = SameText(word, "Shift")                               ? scShift
                        : SameText(word, "Ctrl") || SameText(word, "Control") ? scCtrl
                        : SameText(word, "Alt")                               ? scAlt
                                                                              : 0;
        if (!bit) break;
        modifiers |= bit;
        rest = Trim(std::string_view(rest).substr(plus + 1));
    }
    Word key = KeyFromName(rest);
    if (!key) return false;
    shortCut = static_cast<TShortCut>(key | modifiers);
    return true;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut result;
    if (!TryTextToShortCut(text, result)) throw EConvertError(Format("'%s' is not a valid shortcut", String(text)));
    return result;
}

String StripHotkey(std::string_view caption) {
    String result;
    result.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

namespace {
// Decodes one UTF-8 sequence at text[i], advancing i; invalid bytes decode as themselves.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    auto b = static_cast<unsigned char>(text[i++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = b & (0x3F >> extra);
    for (int k = 0; k < extra && i < text.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return cp;
}

char32_t UpperChar(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    // Latin-1 and Latin Extended letters keep accelerators usable beyond ASCII.
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20; // Cyrillic
    return c;
}
} // namespace

char32_t GetHotkey(std::string_view caption) {
    size_t i = 0;
    while (i < caption.size()) {
        if (caption[i] == '&') {
            ++i;
            if (i >= caption.size()) return 0;
            if (caption[i] == '&') {
                ++i;
                continue;
            }
            return UpperChar(NextCodePoint(caption, i));
        }
        NextCodePoint(caption, i);
    }
    return 0;
}

bool IsAccel(char32_t ch, std::string_view caption) {
    char32_t hotkey = GetHotkey(caption);
    return hotkey != 0 && hotkey == UpperChar(ch);
}

} // namespace dw
