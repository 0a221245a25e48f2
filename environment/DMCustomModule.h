// TzDMCustomModule: the custom module of data module roots. A data module holds non-visual
// components only, so it refuses every control.
#pragma once

#include "framework/designtime/DesignIntf.h"

namespace dw {

class TzDMCustomModule : public TBaseCustomModule {
public:
    TzDMCustomModule(TComponent* root, IDesigner* designer) : TBaseCustomModule(root, designer) {}

    // Raises EComponentError "Can not add control to Data Module" for a control.
    void ValidateComponent(TComponent* component) override;
    // False for control classes.
    bool ValidateComponentClass(TClass componentClass) override;
};

} // namespace dw
