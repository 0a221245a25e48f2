#include "framework/controls/graphics/Colors.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"

namespace dw {

namespace {

struct TColorName {
    TColor Value;
    const char* Name;
};

// The order the colour lists of the inspector and the colour box show.
constexpr TColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

const TTypeInfo& ColorTypeInfo() {
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        const TTypeInfo& t = NamedType(tkInteger, "TColor", INT32_MIN, INT32_MAX);
        RegisterIntegerConsts(
            t, [](const String& ident, std::int32_t& value) { return IdentToColor(ident, value); },
            [](std::int32_t value, String& ident) { return ColorToIdent(value, ident); });
        return t;
    }();
    return info;
}

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

bool ColorToIdent(TColor color, String& ident) {
    for (const TColorName& entry : kColorNames)
        if (entry.Value == color) {
            ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& ident, TColor& color) {
    for (const TColorName& entry : kColorNames)
        if (SameText(ident, entry.Name)) {
            color = entry.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor color) {
    String ident;
    if (ColorToIdent(color, ident)) return ident;
    return "$" + IntToHex(static_cast<std::uint32_t>(color), 8);
}

TColor StringToColor(const String& text) {
    TColor color;
    if (IdentToColor(Trim(text), color)) return color;
    Int64 value;
    if (!TryStrToInt64(text, value) || value < INT32_MIN || value > static_cast<Int64>(UINT32_MAX))
        throw EConvertError(Format("'%s' is not a valid colour", text));
    return static_cast<TColor>(static_cast<std::uint32_t>(value));
}

void GetColorValues(const std::function<void(const String& name)>& proc) {
    for (const TColorName& entry : kColorNames) proc(entry.Name);
}

} // namespace dw
