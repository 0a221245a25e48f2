// The application's global components (forms and data modules): found by name, so that form
// files can refer across forms, and used to give a read root a unique name.
#pragma once

#include "framework/rtl/Component.h"

namespace dw {

// Forms and data modules add themselves when created and remove themselves when freed.
void AddGlobalComponent(TComponent* component);
void RemoveGlobalComponent(TComponent* component);
int GlobalComponentCount();
TComponent* GlobalComponent(int index);
// The global component of that name (without regard to case), or null. When no global component
// has the name, the installed finders are asked in the order they were added.
TComponent* FindGlobalComponent(std::string_view name);
// Finders let a host (the design environment) answer for roots that are not global components.
using TFindGlobalComponentProc = TComponent* (*)(std::string_view name);
// A finder is added once; adding it again does nothing.
void AddFindGlobalComponentProc(TFindGlobalComponentProc finder);
void RemoveFindGlobalComponentProc(TFindGlobalComponentProc finder);
// name itself when no global component other than except has it, else name_1, name_2, ...
String UniqueGlobalName(const String& name, const TComponent* except = nullptr);

} // namespace dw
