// The keysym tables of the X11 backend (no display needed).
#include "framework/platform/backends/x11/X11Keyboard.h"
#include "framework/platform/window/Messages.h"

#include <X11/keysym.h>

#include <gtest/gtest.h>

namespace dw {
namespace {

TEST(X11KeyboardTest, KeySymsMapToTheClassicVirtualKeys) {
    struct TCase {
        unsigned long keysym;
        int vk;
    };
    const TCase cases[] = {
        {XK_a, 'A'},
        {XK_z, 'Z'},
        {XK_Q, 'Q'},
        {XK_0, '0'},
        {XK_9, '9'},
        {XK_F1, VK_F1},
        {XK_F12, VK_F12},
        {XK_Left, VK_LEFT},
        {XK_Up, VK_UP},
        {XK_Right, VK_RIGHT},
        {XK_Down, VK_DOWN},
        {XK_Home, VK_HOME},
        {XK_End, VK_END},
        {XK_Prior, VK_PRIOR},
        {XK_Next, VK_NEXT},
        {XK_Insert, VK_INSERT},
        {XK_Delete, VK_DELETE},
        {XK_Tab, VK_TAB},
        {XK_ISO_Left_Tab, VK_TAB},
        {XK_Return, VK_RETURN},
        {XK_KP_Enter, VK_RETURN},
        {XK_Escape, VK_ESCAPE},
        {XK_BackSpace, VK_BACK},
        {XK_Shift_L, VK_SHIFT},
        {XK_Shift_R, VK_SHIFT},
        {XK_Control_L, VK_CONTROL},
        {XK_Control_R, VK_CONTROL},
        {XK_Alt_L, VK_MENU},
        {XK_Alt_R, VK_MENU},
        {XK_ISO_Level3_Shift, VK_MENU},
        {XK_KP_5, VK_NUMPAD0 + 5},
        {XK_KP_Home, VK_HOME},
        {XK_KP_Add, VK_ADD},
        {XK_space, VK_SPACE},
        {XK_comma, VK_OEM_COMMA},
        {XK_slash, VK_OEM_2},
        {XK_eacute, 0},
        {XK_VoidSymbol, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromKeySym(c.keysym), c.vk) << std::hex << c.keysym;
}

TEST(X11KeyboardTest, KeySymsGiveTheirCharacters) {
    struct TCase {
        unsigned long keysym;
        char32_t ch;
    };
    const TCase cases[] = {
        {XK_a, U'a'},        {XK_A, U'A'},    {XK_eacute, 0xE9},  {XK_EuroSign, 0x20AC},
        {0x01000416, 0x416}, {XK_KP_7, U'7'}, {XK_Return, U'\r'}, {XK_Escape, 0x1B},
        {XK_F1, 0},          {XK_Shift_L, 0}, {0x0100D800, 0},    {0x01110000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(CharFromKeySym(c.keysym)), static_cast<std::uint32_t>(c.ch))
            << std::hex << c.keysym;
}

} // namespace
} // namespace dw
