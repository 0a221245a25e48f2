// The registration entries through which components, no-icon classes, custom modules and design
// notification listeners are declared. Each entry calls a hook that the design environment
// installs at start-up; an entry without a hook raises, so a registration is never lost silently.
#pragma once

#include "framework/designtime/DesignIntf.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace dw {

using TComponentClasses = std::vector<TClass>;

struct TRegistrationHooks {
    std::function<void(const String& page, const TComponentClasses& classes)> RegisterComponents;
    std::function<void(const TComponentClasses& classes)> RegisterNoIcon;
    std::function<void(const TComponentClasses& classes)> RegisterNonActiveX;
    std::function<void(const TComponentClasses& classes)> RegisterFields;
    std::function<void(int group, TClass componentBaseClass, const TCustomModuleClass& moduleClass)>
        RegisterCustomModule;
    std::function<void(IInterface* listener)> RegisterDesignNotification;
    std::function<void(IInterface* listener)> UnregisterDesignNotification;
};

// The installed hooks; the environment sets and clears them.
TRegistrationHooks& RegistrationHooks();

// The current registration group (handed to custom module registrations).
int CurrentGroup();
void SetCurrentGroup(int group);

// Each raises EComponentError "No registration handler installed for <entry>" without its hook.
void RegisterComponents(const String& page, const TComponentClasses& classes);
void RegisterNoIcon(const TComponentClasses& classes);
void RegisterNonActiveX(const TComponentClasses& classes);
void RegisterFields(const TComponentClasses& classes);
void RegisterCustomModule(TClass componentBaseClass, const TCustomModuleClass& moduleClass);
// Listener registration is quiet without a hook: nothing listens then.
void RegisterDesignNotification(IInterface* listener);
void UnregisterDesignNotification(IInterface* listener);

} // namespace dw
