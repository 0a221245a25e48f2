#include "framework/rtl/GlobalComponents.h"

#include <algorithm>

namespace dw {

namespace {
std::vector<TComponent*>& Globals() {
    static std::vector<TComponent*> globals;
    return globals;
}
std::vector<TFindGlobalComponentProc>& Finders() {
    static std::vector<TFindGlobalComponentProc> finders;
    return finders;
}
} // namespace

void AddGlobalComponent(TComponent* component) {
    auto& g = Globals();
    if (component && std::find(g.begin(), g.end(), component) == g.end()) g.push_back(component);
}

void RemoveGlobalComponent(TComponent* component) {
    auto& g = Globals();
    g.erase(std::remove(g.begin(), g.end(), component), g.end());
}

int GlobalComponentCount() {
    return static_cast<int>(Globals().size());
}

TComponent* GlobalComponent(int index) {
    auto& g = Globals();
    return index >= 0 && index < static_cast<int>(g.size()) ? g[static_cast<size_t>(index)] : nullptr;
}

TComponent* FindGlobalComponent(std::string_view name) {
    if (name.empty()) return nullptr;
    for (TComponent* c : Globals())
        if (SameText(c->Name(), name)) return c;
    // A copy: a finder may add or remove finders while it answers.
    std::vector<TFindGlobalComponentProc> finders = Finders();
    for (TFindGlobalComponentProc finder : finders)
        if (TComponent* found = finder(name)) return found;
    return nullptr;
}

void AddFindGlobalComponentProc(TFindGlobalComponentProc finder) {
    auto& f = Finders();
    if (finder && std::find(f.begin(), f.end(), finder) == f.end()) f.push_back(finder);
}

void RemoveFindGlobalComponentProc(TFindGlobalComponentProc finder) {
    auto& f = Finders();
    f.erase(std::remove(f.begin(), f.end(), finder), f.end());
}

String UniqueGlobalName(const String& name, const TComponent* except) {
    auto taken = [&](const String& candidate) {
        for (TComponent* c : Globals())
            if (c != except && SameText(c->Name(), candidate)) return true;
        return false;
    };
    if (!taken(name)) return name;
    for (int i = 1;; ++i) {
        String candidate = name + "_" + IntToStr(i);
        if (!taken(candidate)) return candidate;
    }
}

} // namespace dw
