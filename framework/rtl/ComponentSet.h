// TComponentSet: an unordered set of component pointers that stays cheap both when tiny (most
// components watch one or two others) and when one component watches thousands.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace dw {

class TComponent;

class TComponentSet {
public:
    // False when component was already in the set.
    bool Add(TComponent* component);
    // False when component was not in the set. The last element takes the removed one's place.
    bool Remove(TComponent* component);
    bool Contains(TComponent* component) const;
    bool Empty() const { return FItems.empty(); }
    size_t Size() const { return FItems.size(); }
    TComponent* Back() const { return FItems.back(); }
    void PopBack() { Remove(FItems.back()); }

private:
    // Below this size a linear scan beats hashing.
    static constexpr size_t IndexThreshold = 16;
    std::vector<TComponent*> FItems;
    std::unordered_map<TComponent*, size_t> FIndex; // filled only above the threshold
};

} // namespace dw
