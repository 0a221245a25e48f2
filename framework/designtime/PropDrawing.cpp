// The default drawing of names, values and list values, and the value as the inspector shows it.
#include "framework/controls/graphics/Canvas.h"
#include "framework/designtime/PropertyIntf.h"

namespace dw {

String GetVisualValue(IProperty* prop) {
    return prop->AllEqual() ? prop->GetValue() : String();
}

void DefaultPropertyDrawName(IProperty* prop, TCanvas* canvas, const TRect& rect) {
    canvas->TextRect(rect, rect.Left + 2, rect.Top + 1, prop->GetName());
}

void DefaultPropertyDrawValue(IProperty* prop, TCanvas* canvas, const TRect& rect) {
    canvas->TextRect(rect, rect.Left + 1, rect.Top + 1, GetVisualValue(prop));
}

void DefaultPropertyListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) {
    (void)selected;
    canvas->TextRect(rect, rect.Left + 1, rect.Top + 1, value);
}

} // namespace dw
