// TSet: a set of the values of one enumeration, held as a bit mask with bit n for value n.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace dw {

template <class E> class TSet {
public:
    using Element = E;
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) FBits |= Bit(v);
    }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E v) {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FBits &= ~Bit(v);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet operator+(E v) const { return FromBits(FBits | Bit(v)); }
    constexpr TSet operator-(E v) const { return FromBits(FBits & ~Bit(v)); }
    constexpr TSet& operator+=(TSet o) { return *this = *this + o; }
    constexpr TSet& operator-=(TSet o) { return *this = *this - o; }
    constexpr TSet& operator+=(E v) { return Include(v); }
    constexpr TSet& operator-=(E v) { return Exclude(v); }
    constexpr bool operator==(const TSet&) const = default;
    // True when every element of o is in this set.
    constexpr bool ContainsAll(TSet o) const { return (FBits & o.FBits) == o.FBits; }

private:
    static constexpr std::uint64_t Bit(E v) { return std::uint64_t(1) << static_cast<unsigned>(v); }
    std::uint64_t FBits = 0;
};

} // namespace dw
