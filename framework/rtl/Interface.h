// Interfaces with a GUID identity: TGUID, the IInterface base with QueryInterface and reference
// counting, and the helpers that ask an object for an interface by GUID.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <array>
#include <cstdint>

namespace dw {

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};
    constexpr bool operator==(const TGUID&) const = default;

    // "{E8C9F739-5601-4ADD-9D95-594132D4CEFD}"; a malformed text fails to compile when used in a
    // constant expression and raises EConvertError at run time.
    static constexpr TGUID Parse(std::string_view text);
    String ToString() const;
};

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

// The root of every interface. QueryInterface sets obj to the interface of that GUID (cast to
// void*) and answers S_OK, or sets it to null and answers E_NOINTERFACE. Objects whose lifetime is
// the owner tree (components) answer AddRef and Release with -1 and never die of them.
class IInterface {
public:
    static constexpr TGUID IID{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int AddRef() = 0;
    virtual int Release() = 0;

protected:
    ~IInterface() = default;
};

// The interface I (a class with a static IID) of obj, or null.
template <class I> I* QueryIntf(IInterface* obj) {
    void* result = nullptr;
    if (obj && obj->QueryInterface(I::IID, &result) == S_OK) return static_cast<I*>(result);
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

namespace detail {
[[noreturn]] void RaiseBadGuid(std::string_view text);
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
constexpr std::uint64_t HexField(std::string_view text, size_t pos, size_t digits) {
    std::uint64_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        int d = pos + i < text.size() ? HexDigit(text[pos + i]) : -1;
        if (d < 0) RaiseBadGuid(text);
        v = v * 16 + static_cast<std::uint64_t>(d);
    }
    return v;
}
} // namespace detail

constexpr TGUID TGUID::Parse(std::string_view text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-')
        detail::RaiseBadGuid(text);
    TGUID g;
    g.D1 = static_cast<std::uint32_t>(detail::HexField(text, 1, 8));
    g.D2 = static_cast<std::uint16_t>(detail::HexField(text, 10, 4));
    g.D3 = static_cast<std::uint16_t>(detail::HexField(text, 15, 4));
    g.D4[0] = static_cast<std::uint8_t>(detail::HexField(text, 20, 2));
    g.D4[1] = static_cast<std::uint8_t>(detail::HexField(text, 22, 2));
    for (size_t i = 0; i < 6; ++i) g.D4[2 + i] = static_cast<std::uint8_t>(detail::HexField(text, 25 + 2 * i, 2));
    return g;
}

} // namespace dw
