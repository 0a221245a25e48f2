#include "framework/designtime/Registration.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

TRegistrationHooks& RegistrationHooks() {
    static TRegistrationHooks hooks;
    return hooks;
}

namespace {
int currentGroup = 0;

[[noreturn]] void RaiseNoHandler(const char* entry) {
    throw EComponentError(Format("No registration handler installed for %s", entry));
}
} // namespace

int CurrentGroup() {
    return currentGroup;
}
void SetCurrentGroup(int group) {
    currentGroup = group;
}

void RegisterComponents(const String& page, const TComponentClasses& classes) {
    auto& hook = RegistrationHooks().RegisterComponents;
    if (!hook) RaiseNoHandler("RegisterComponents");
    hook(page, classes);
}

void RegisterNoIcon(const TComponentClasses& classes) {
    auto& hook = RegistrationHooks().RegisterNoIcon;
    if (!hook) RaiseNoHandler("RegisterNoIcon");
    hook(classes);
}

void RegisterNonActiveX(const TComponentClasses& classes) {
    auto& hook = RegistrationHooks().RegisterNonActiveX;
    if (!hook) RaiseNoHandler("RegisterNonActiveX");
    hook(classes);
}

void RegisterFields(const TComponentClasses& classes) {
    auto& hook = RegistrationHooks().RegisterFields;
    if (!hook) RaiseNoHandler("RegisterFields");
    hook(classes);
}

void RegisterCustomModule(TClass componentBaseClass, const TCustomModuleClass& moduleClass) {
    auto& hook = RegistrationHooks().RegisterCustomModule;
    if (!hook) RaiseNoHandler("RegisterCustomModule");
    hook(currentGroup, componentBaseClass, moduleClass);
}

void RegisterDesignNotification(IInterface* listener) {
    if (auto& hook = RegistrationHooks().RegisterDesignNotification) hook(listener);
}

void UnregisterDesignNotification(IInterface* listener) {
    if (auto& hook = RegistrationHooks().UnregisterDesignNotification) hook(listener);
}

} // namespace dw
