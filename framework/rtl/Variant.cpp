#include "framework/rtl/Variant.h"

#include "framework/rtl/Exceptions.h"

#include <cmath>

namespace dw {

Variant Variant::Null() {
    Variant v;
    v.FValue = NullTag{};
    return v;
}

TVarType Variant::VarType() const {
    return static_cast<TVarType>(FValue.index());
}

namespace {
const char* TypeName(TVarType t) {
    switch (t) {
    case TVarType::varEmpty:
        return "Empty";
    case TVarType::varNull:
        return "Null";
    case TVarType::varBoolean:
        return "Boolean";
    case TVarType::varInteger:
        return "Integer";
    case TVarType::varInt64:
        return "Int64";
    case TVarType::varDouble:
        return "Double";
    case TVarType::varString:
        return "String";
    case TVarType::varDate:
        return "Date";
    }
    return "?";
}
} // namespace

Int64 Variant::AsInt64() const {
    switch (VarType()) {
    case TVarType::varEmpty:
        return 0;
    case TVarType::varBoolean:
        return std::get<bool>(FValue) ? -1 : 0;
    case TVarType::varInteger:
        return std::get<int>(FValue);
    case TVarType::varInt64:
        return std::get<Int64>(FValue);
    case TVarType::varDouble:
    case TVarType::varDate: {
        double d = AsDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18) break;
        return static_cast<Int64>(std::nearbyint(d));
    }
    case TVarType::varString: {
        Int64 v;
        if (TryStrToInt64(std::get<String>(FValue), v)) return v;
        throw EVariantError(Format("Could not convert variant of type (String) value '%s' into type (Int64)",
                                   std::get<String>(FValue)));
    }
    case TVarType::varNull:
        break;
    }
    throw EVariantError(Format("Could not convert variant of type (%s) into type (Int64)", TypeName(VarType())));
}

int Variant::AsInteger() const {
    Int64 v = AsInt64();
    if (v < INT32_MIN || v > INT32_MAX)
        throw EVariantError(Format("Variant value %d is out of the range of type (Integer)", v));
    return static_cast<int>(v);
}

bool Variant::AsBoolean() const {
    switch (VarType()) {
    case TVarType::varBoolean:
        return std::get<bool>(FValue);
    case TVarType::varString: {
        const String& s = std::get<String>(FValue);
        if (SameText(s, "True")) return true;
        if (SameText(s, "False")) return false;
        Int64 v;
        if (TryStrToInt64(s, v)) return v != 0;
        throw EVariantError(Format("Could not convert variant of type (String) value '%s' into type (Boolean)", s));
    }
    default:
        return AsInt64() != 0;
    }
}

double Variant::AsDouble() const {
    switch (VarType()) {
    case TVarType::varDouble:
        return std::get<double>(FValue);
    case TVarType::varDate:
        return std::get<TDateTime>(FValue).Value;
    case TVarType::varString: {
        double d;
        if (TryStrToFloat(std::get<String>(FValue), d)) return d;
        throw EVariantError(Format("Could not convert variant of type (String) value '%s' into type (Double)",
                                   std::get<String>(FValue)));
    }
    case TVarType::varNull:
        throw EVariantError("Could not convert variant of type (Null) into type (Double)");
    default:
        return static_cast<double>(AsInt64());
    }
}

TDateTime Variant::AsDateTime() const {
    return TDateTime{AsDouble()};
}

String Variant::AsString() const {
    switch (VarType()) {
    case TVarType::varEmpty:
        return "";
    case TVarType::varNull:
        throw EVariantError("Could not convert variant of type (Null) into type (String)");
    case TVarType::varBoolean:
        return std::get<bool>(FValue) ? "True" : "False";
    case TVarType::varInteger:
        return IntToStr(std::get<int>(FValue));
    case TVarType::varInt64:
        return IntToStr(std::get<Int64>(FValue));
    case TVarType::varDouble:
        return FloatToStr(std::get<double>(FValue));
    case TVarType::varDate:
        return FloatToStr(std::get<TDateTime>(FValue).Value);
    case TVarType::varString:
        return std::get<String>(FValue);
    }
    return "";
}

} // namespace dw
