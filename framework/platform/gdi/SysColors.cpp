#include "framework/platform/gdi/SysColors.h"

#include "framework/platform/gdi/GdiInternal.h"

#include <array>
#include <memory>

namespace dw {

namespace {

constexpr int kColorCount = COLOR_ENDCOLORS + 1;

constexpr std::array<COLORREF, kColorCount> kClassicColors = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // (unused slot)
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

std::array<COLORREF, kColorCount>& Colors() {
    static std::array<COLORREF, kColorCount> colors = kClassicColors;
    return colors;
}

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= kColorCount) return 0;
    return Colors()[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorCount) return nullptr;
    static std::array<HBRUSH, kColorCount> brushes{};
    HBRUSH& b = brushes[std::size_t(index)];
    if (!b) {
        auto obj = std::make_unique<gdi::TBrushObj>();
        obj->Type = OBJ_BRUSH;
        obj->Stock = true;
        obj->SysColorIndex = index;
        obj->Log.lbStyle = BS_SOLID;
        b = gdi::Register(std::move(obj));
    }
    return b;
}

bool SetSysColors(int count, const int* indexes, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (!indexes || !colors))) return false;
    for (int i = 0; i < count; ++i)
        if (indexes[i] < 0 || indexes[i] >= kColorCount) return false;
    for (int i = 0; i < count; ++i) Colors()[std::size_t(indexes[i])] = colors[i] & 0xFFFFFF;
    return true;
}

void ResetSysColors() {
    Colors() = kClassicColors;
}

} // namespace dw
