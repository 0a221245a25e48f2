#include "environment/EnvironmentEditors.h"

#include "framework/controls/core/ControlTypes.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/designtime/VclPropEdits.h"

namespace dw {

// The collection, string list, picture, graphic, wide character and wide string editors, the
// menu editors, the event editor and the extended editors join this list with their own parts.
void RegisterEnvironmentEditors(TEditorRegistry& registry) {
    registry.RegisterPropertyEditor(&CaptionTypeInfo(), nullptr, "", TCaptionProperty::StaticClass());
    registry.RegisterPropertyEditor(&TypeInfoOf<TFont*>(), nullptr, "", TFontProperty::StaticClass());
    registry.RegisterPropertyEditor(&TypeInfoOf<TComponent*>(), nullptr, "", TComponentProperty::StaticClass());
    registry.RegisterPropertyEditor(&NamedType(tkLString, "TComponentName"), TComponent::StaticClass(), "Name",
                                    TComponentNameProperty::StaticClass());
    registry.RegisterPropertyEditor(&CursorTypeInfo(), nullptr, "", TCursorProperty::StaticClass());
    registry.RegisterPropertyEditor(&TypeInfoOf<TDateTime>(), nullptr, "", TDateTimeProperty::StaticClass());
    registry.RegisterPropertyEditor(&DateTypeInfo(), nullptr, "", TDateProperty::StaticClass());
    registry.RegisterPropertyEditor(&TimeTypeInfo(), nullptr, "", TTimeProperty::StaticClass());
    registry.RegisterPropertyEditor(&FontCharsetTypeInfo(), nullptr, "", TFontCharsetProperty::StaticClass());
    registry.RegisterPropertyEditor(&FontNameTypeInfo(), nullptr, "", TFontNameProperty::StaticClass());
    registry.RegisterPropertyEditor(&ModalResultTypeInfo(), nullptr, "", TModalResultProperty::StaticClass());
    registry.RegisterPropertyEditor(&TabOrderTypeInfo(), nullptr, "", TTabOrderProperty::StaticClass());
}

} // namespace dw
