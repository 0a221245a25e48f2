// The property editors the design environment registers at start-up, over the framework's own
// registrations for the same types (newer registrations win).
#pragma once

#include "framework/designtime/EditorRegistry.h"

namespace dw {

void RegisterEnvironmentEditors(TEditorRegistry& registry);

} // namespace dw
