#include "environment/DMCustomModule.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

void TzDMCustomModule::ValidateComponent(TComponent* component) {
    if (component && component->Is<TControl>()) throw EComponentError("Can not add control to Data Module");
}

bool TzDMCustomModule::ValidateComponentClass(TClass componentClass) {
    return componentClass && !componentClass->InheritsFrom(TControl::StaticClass());
}

} // namespace dw
