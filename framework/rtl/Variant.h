// Variant: a value of one of a few kinds (empty, null, Boolean, integer, 64-bit integer, float,
// string, date-time), as variant properties hold it.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <variant>

namespace dw {

// Days since 1899-12-30, the fraction being the time of day.
struct TDateTime {
    double Value = 0;
    bool operator==(const TDateTime&) const = default;
};

enum class TVarType { varEmpty, varNull, varBoolean, varInteger, varInt64, varDouble, varString, varDate };

class Variant {
public:
    Variant() = default;
    static Variant Null();
    Variant(bool v) : FValue(v) {}
    Variant(int v) : FValue(v) {}
    Variant(Int64 v) : FValue(v) {}
    Variant(double v) : FValue(v) {}
    Variant(const char* v) : FValue(String(v)) {}
    Variant(String v) : FValue(std::move(v)) {}
    Variant(TDateTime v) : FValue(v) {}

    TVarType VarType() const;
    bool IsEmpty() const { return VarType() == TVarType::varEmpty; }
    bool IsNull() const { return VarType() == TVarType::varNull; }

    // Conversions raise EVariantError with the value and the target when they cannot be made.
    bool AsBoolean() const;
    int AsInteger() const;
    Int64 AsInt64() const;
    double AsDouble() const;
    String AsString() const;
    TDateTime AsDateTime() const;

    bool operator==(const Variant&) const = default;

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    std::variant<std::monostate, NullTag, bool, int, Int64, double, String, TDateTime> FValue;
};

} // namespace dw
