// Keyboard translation for the X11 backend: X keysyms to the classic virtual-key codes, and
// keysyms to the characters they type when no input method is at hand.
#pragma once

namespace dw {

// The virtual key of a keysym as the key's unshifted, ungrouped symbol (letters give 'A'..'Z',
// digits '0'..'9', keypad keys VK_NUMPAD0..9 or the navigation keys they double as); 0 for a
// keysym without one.
int VirtualKeyFromKeySym(unsigned long keysym);

// The Unicode character a keysym stands for, 0 for none (function and modifier keys).
char32_t CharFromKeySym(unsigned long keysym);

} // namespace dw
