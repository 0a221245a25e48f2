#include "framework/rtl/ComponentSet.h"

#include <algorithm>

namespace dw {

bool TComponentSet::Contains(TComponent* component) const {
    if (!FIndex.empty()) return FIndex.count(component) != 0;
    return std::find(FItems.begin(), FItems.end(), component) != FItems.end();
}

bool TComponentSet::Add(TComponent* component) {
    if (Contains(component)) return false;
    FItems.push_back(component);
    if (!FIndex.empty()) {
        FIndex.emplace(component, FItems.size() - 1);
    } else if (FItems.size() > IndexThreshold) {
        for (size_t i = 0; i < FItems.size(); ++i) FIndex.emplace(FItems[i], i);
    }
    return true;
}

bool TComponentSet::Remove(TComponent* component) {
    size_t index;
    if (!FIndex.empty()) {
        auto it = FIndex.find(component);
        if (it == FIndex.end()) return false;
        index = it->second;
        FIndex.erase(it);
    } else {
        auto it = std::find(FItems.begin(), FItems.end(), component);
        if (it == FItems.end()) return false;
        index = static_cast<size_t>(it - FItems.begin());
    }
    if (index != FItems.size() - 1) {
        FItems[index] = FItems.back();
        if (!FIndex.empty()) FIndex[FItems[index]] = index;
    }
    FItems.pop_back();
    if (FItems.size() <= IndexThreshold / 2) FIndex.clear();
    return true;
}

} // namespace dw
