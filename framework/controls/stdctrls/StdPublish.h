// How the standard controls publish their inherited properties and their Color.
#pragma once

#include "framework/controls/core/ControlsPublish.h"
#include "framework/controls/graphics/Colors.h"

namespace dw {

// The standard controls publish through the shared mechanism.
template <class C> void PublishStd(TClassBuilder<C>& c, std::initializer_list<const char*> names) {
    PublishControlProperties(c, names);
}

// Publishes Color with the default a control class really has (clBtnFace for panels and bars).
template <class C> void PublishColor(TClassBuilder<C>& c, TColor defaultColor) {
    c.Property("Color", &C::Color, &C::SetColor).Type(ColorTypeInfo()).Default(defaultColor).Stored(&C::IsColorStored);
}

} // namespace dw
