#include "framework/rtl/ClassRegistry.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"

#include <unordered_map>

namespace dw {

namespace {
std::unordered_map<String, TClass>& Registry() {
    static std::unordered_map<String, TClass> registry;
    return registry;
}

void Add(const String& name, TClass cls) {
    if (!cls) throw EFilerError("Cannot register a null class");
    auto [it, inserted] = Registry().emplace(UpperCase(name), cls);
    if (!inserted) throw EFilerError(Format("A class named %s has already been registered", name));
}
} // namespace

void RegisterClass(TClass cls) { Add(cls ? cls->ClassName() : String(), cls); }

void RegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass cls : classes) RegisterClass(cls);
}

void RegisterClassAlias(TClass cls, const String& alias) { Add(alias, cls); }

void UnRegisterClass(TClass cls) {
    auto& reg = Registry();
    for (auto it = reg.begin(); it != reg.end();)
        it = it->second == cls ? reg.erase(it) : std::next(it);
}

TClass GetClass(std::string_view className) {
    auto it = Registry().find(UpperCase(className));
    return it == Registry().end() ? nullptr : it->second;
}

TClass FindClass(std::string_view className) {
    TClass cls = GetClass(className);
    if (!cls) throw EClassNotFound(Format("Class %s not found", String(className)));
    return cls;
}

bool IsClassRegistered(TClass cls) {
    for (auto& [name, c] : Registry())
        if (c == cls) return true;
    return false;
}

} // namespace dw
