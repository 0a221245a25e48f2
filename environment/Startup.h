// Start-up and exit of the design environment: the registry takes over the framework's
// registration entries, the built-in classes are registered, and the designer manager is made;
// at exit everything is freed again in order.
#pragma once

#include "framework/rtl/Component.h"

#include <string_view>

namespace dw {

// Runs once before any component registration. The registry takes over registration only when
// no RegisterComponents handler is installed yet; otherwise nothing is done and the answer is
// false. Calling it again while the environment is up does nothing and answers false as well.
bool InitDesignEnvironment();
// Frees what InitDesignEnvironment made (finder, designer manager, drag image, registry) and
// uninstalls the registration hooks it installed.
void DoneDesignEnvironment();
// Whether the registry owns the framework's registration entries (InitDesignEnvironment took
// them over and DoneDesignEnvironment has not run).
bool RegistryOwnsRegistration();

// The component of that name (without regard to case) among the roots that the environment
// hooks report when no root is asking; null when there is none (always without hooks). Installed
// as a global-component finder while the registry owns registration.
TComponent* FindGlobalComponentByName(std::string_view name);

} // namespace dw
