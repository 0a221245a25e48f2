// The streaming class registry: the classes a form reader may create, found by name without
// regard to case.
#pragma once

#include "framework/rtl/Object.h"

#include <initializer_list>
#include <vector>

namespace dw {

// Registering a name that is already registered raises EFilerError, also for the same class.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void RegisterClassAlias(TClass cls, const String& alias);
void UnRegisterClass(TClass cls);
// The registered class, or null.
TClass GetClass(std::string_view className);
// The registered class; raises EClassNotFound naming it when there is none.
TClass FindClass(std::string_view className);
bool IsClassRegistered(TClass cls);

} // namespace dw
