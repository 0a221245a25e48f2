#include "framework/platform/window/KeyboardLayout.h"

#include <array>

namespace dw {

namespace {
constexpr std::array<TKeyLayoutEntry, 22> Layout{{
    {VK_SPACE, ' ', ' '},    {'0', '0', ')'},          {'1', '1', '!'},          {'2', '2', '@'},
    {'3', '3', '#'},         {'4', '4', '$'},          {'5', '5', '%'},          {'6', '6', '^'},
    {'7', '7', '&'},         {'8', '8', '*'},          {'9', '9', '('},          {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},     {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
}};
} // namespace

std::span<const TKeyLayoutEntry> UsKeyboardLayout() {
    return Layout;
}

char32_t UsLayoutChar(int key, bool shift) {
    if (key >= 'A' && key <= 'Z') return static_cast<char32_t>(shift ? key : key + 32);
    for (const TKeyLayoutEntry& entry : Layout)
        if (entry.Key == key) return static_cast<char32_t>(shift ? entry.Shifted : entry.Plain);
    return 0;
}

std::pair<int, bool> UsLayoutKeyFor(char32_t c) {
    if (c >= 'a' && c <= 'z') return {static_cast<int>(c - U'a' + 'A'), false};
    if (c >= 'A' && c <= 'Z') return {static_cast<int>(c), true};
    for (const TKeyLayoutEntry& entry : Layout) {
        if (c == static_cast<char32_t>(entry.Plain)) return {entry.Key, false};
        if (c == static_cast<char32_t>(entry.Shifted)) return {entry.Key, true};
    }
    return {0, false};
}

} // namespace dw
