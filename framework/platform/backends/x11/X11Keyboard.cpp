// Keysym tables of the X11 backend.
#include "framework/platform/backends/x11/X11Keyboard.h"

#include "framework/platform/window/KeyboardLayout.h"
#include "framework/platform/window/Messages.h"

#include <X11/keysym.h>

namespace dw {

int VirtualKeyFromKeySym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym);
    if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + static_cast<int>(keysym - XK_F1);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(keysym - XK_KP_0);
    switch (keysym) {
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_Clear:
    case XK_KP_Begin:
        return VK_CLEAR;
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift:
        return VK_MENU;
    case XK_Pause:
        return VK_PAUSE;
    case XK_Caps_Lock:
        return VK_CAPITAL;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_space:
    case XK_KP_Space:
        return VK_SPACE;
    case XK_Prior:
    case XK_KP_Prior:
        return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next:
        return VK_NEXT;
    case XK_End:
    case XK_KP_End:
        return VK_END;
    case XK_Home:
    case XK_KP_Home:
        return VK_HOME;
    case XK_Left:
    case XK_KP_Left:
        return VK_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return VK_UP;
    case XK_Right:
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return VK_DOWN;
    case XK_Print:
        return VK_SNAPSHOT;
    case XK_Insert:
    case XK_KP_Insert:
        return VK_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_Help:
        return VK_HELP;
    case XK_Super_L:
        return VK_LWIN;
    case XK_Super_R:
        return VK_RWIN;
    case XK_Menu:
        return VK_APPS;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Decimal:
    case XK_KP_Separator:
        return VK_DECIMAL;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_Num_Lock:
        return VK_NUMLOCK;
    case XK_Scroll_Lock:
        return VK_SCROLL;
    }
    // The punctuation keys: Latin-1 key symbols are their characters, typed without Shift.
    if (keysym > ' ' && keysym < 0x7F) {
        auto [key, shifted] = UsLayoutKeyFor(static_cast<char32_t>(keysym));
        if (!shifted) return key;
    }
    return 0;
}

char32_t CharFromKeySym(unsigned long keysym) {
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) return static_cast<char32_t>(keysym);
    // Keysyms of the form 0x01000000 + code point stand for that character.
    if ((keysym & 0xFF000000u) == 0x01000000u) {
        unsigned long cp = keysym & 0x00FFFFFFu;
        return cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) ? static_cast<char32_t>(cp) : 0;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<char32_t>('0' + (keysym - XK_KP_0));
    switch (keysym) {
    case XK_BackSpace:
        return U'\b';
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return U'\t';
    case XK_Return:
    case XK_KP_Enter:
        return U'\r';
    case XK_Escape:
        return 0x1B;
    case XK_KP_Space:
        return U' ';
    case XK_KP_Multiply:
        return U'*';
    case XK_KP_Add:
        return U'+';
    case XK_KP_Subtract:
        return U'-';
    case XK_KP_Decimal:
        return U'.';
    case XK_KP_Divide:
        return U'/';
    case XK_KP_Equal:
        return U'=';
    case XK_EuroSign:
        return 0x20AC;
    }
    return 0;
}

} // namespace dw
