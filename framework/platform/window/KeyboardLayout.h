// The US keyboard layout: which character each printable key types, with and without Shift.
// Character messages for keys without a backend layout, the headless backend's typing, the X11
// key codes and the shortcut names all read this one table.
#pragma once

#include "framework/platform/window/Messages.h"

#include <span>
#include <utility>

namespace dw {

struct TKeyLayoutEntry {
    int Key;
    char Plain;
    char Shifted;
};

// Space, the digits and the punctuation keys (letters are the keys 'A' to 'Z' themselves).
std::span<const TKeyLayoutEntry> UsKeyboardLayout();
// The character the key types (letters in lower case without Shift); 0 when it types none.
char32_t UsLayoutChar(int key, bool shift);
// The key and Shift state that type c; key 0 when no key does.
std::pair<int, bool> UsLayoutKeyFor(char32_t c);

} // namespace dw
