#include "framework/designtime/StdPropEdits.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace dw {

DW_DEFINE_CLASS(TOrdinalProperty) {}
DW_DEFINE_CLASS(TIntegerProperty) {}
DW_DEFINE_CLASS(TCharProperty) {}
DW_DEFINE_CLASS(TEnumProperty) {}
DW_DEFINE_CLASS(TSetProperty) {}
DW_DEFINE_CLASS(TSetElementProperty) {}
DW_DEFINE_CLASS(TInt64Property) {}
DW_DEFINE_CLASS(TFloatProperty) {}
DW_DEFINE_CLASS(TStringProperty) {}
DW_DEFINE_CLASS(TVariantProperty) {}

String TIntegerProperty::GetValue() {
    return IntToStr(GetOrdValue());
}

void TIntegerProperty::SetValue(const String& value) {
    Int64 v = StrToInt64(Trim(value));
    const TTypeInfo& type = *GetPropType();
    CheckEditorRange(v, type.MinValue, type.MaxValue);
    SetOrdValue(v);
}

String TCharProperty::GetValue() {
    Int64 c = GetOrdValue();
    if (c < 33 || c > 127) return Format("#%d", c);
    return String(1, static_cast<char>(c));
}

void TCharProperty::SetValue(const String& value) {
    Int64 code;
    if (value.empty())
        code = 0;
    else if (value.size() == 1)
        code = static_cast<unsigned char>(value[0]);
    else if (value[0] == '#')
        code = StrToInt64(value.substr(1));
    else
        RaiseInvalidPropertyValue();
    const TTypeInfo& type = *GetPropType();
    CheckEditorRange(code, type.MinValue, type.MaxValue);
    SetOrdValue(code);
}

String TEnumProperty::GetValue() {
    Int64 v = GetOrdValue();
    String name = GetEnumName(*GetPropType(), v);
    return name.empty() ? IntToStr(v) : name;
}

void TEnumProperty::GetValues(const TGetStrProc& proc) {
    for (const String& name : GetPropType()->EnumNames) proc(name);
}

void TEnumProperty::SetValue(const String& value) {
    Int64 v = GetEnumValue(*GetPropType(), value);
    if (v < 0) RaiseInvalidPropertyValue();
    SetOrdValue(v);
}

String TSetProperty::GetValue() {
    return SetToString(*GetPropType(), GetOrdValue(), true);
}

void TSetProperty::GetProperties(const TGetPropProc& proc) {
    const TTypeInfo& element = *GetPropType()->CompType;
    for (Int64 i = element.MinValue; i <= element.MaxValue; ++i) {
        auto* editor = static_cast<TSetElementProperty*>(
            TPropertyEditor::Create(TSetElementProperty::StaticClass(), Designer(), Registry(), PropCount()));
        TInterfacePtr<IProperty> holder(editor);
        for (int j = 0; j < PropCount(); ++j) editor->SetPropEntry(j, GetComponent(j), PropInfoAt(j));
        editor->SetElement(static_cast<int>(i));
        editor->Initialize();
        proc(editor);
    }
}

void TSetProperty::SetValue(const String& value) {
    SetOrdValue(StringToSet(*GetPropType(), value));
}

namespace {
bool HasElement(Int64 set, int element) {
    return (static_cast<std::uint64_t>(set) >> element) & 1;
}
} // namespace

bool TSetElementProperty::AllEqual() {
    bool first = HasElement(GetOrdValueAt(0), FElement);
    for (int i = 1; i < PropCount(); ++i)
        if (HasElement(GetOrdValueAt(i), FElement) != first) return false;
    return true;
}

String TSetElementProperty::GetName() {
    const TTypeInfo& element = *GetPropType()->CompType;
    String name = element.Kind == tkEnumeration ? GetEnumName(element, FElement) : String();
    return name.empty() ? IntToStr(FElement) : name;
}

String TSetElementProperty::GetValue() {
    return HasElement(GetOrdValue(), FElement) ? "True" : "False";
}

void TSetElementProperty::GetValues(const TGetStrProc& proc) {
    proc("False");
    proc("True");
}

void TSetElementProperty::SetValue(const String& value) {
    bool include;
    if (SameText(Trim(value), "True"))
        include = true;
    else if (SameText(Trim(value), "False"))
        include = false;
    else
        RaiseInvalidPropertyValue();
    std::uint64_t bit = std::uint64_t(1) << FElement;
    SetPropValueEach([this, include, bit](int i) -> TPropValue {
        auto set = static_cast<std::uint64_t>(GetOrdValueAt(i));
        return static_cast<Int64>(include ? set | bit : set & ~bit);
    });
}

String TInt64Property::GetValue() {
    return IntToStr(GetInt64Value());
}

void TInt64Property::SetValue(const String& value) {
    Int64 v = StrToInt64(Trim(value));
    const TTypeInfo& type = *GetPropType();
    if (type.MinValue < type.MaxValue) CheckEditorRange(v, type.MinValue, type.MaxValue);
    SetPropValue(v);
}

String TFloatProperty::GetValue() {
    double v = GetFloatValue();
    if (GetPropType()->FloatType != ftSingle || !std::isfinite(v)) return FloatToStr(v);
    // The shortest text that reads back as the same single, not the double it widens to.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
    (void)ec;
    String text(buf, end);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

void TFloatProperty::SetValue(const String& value) {
    double v = StrToFloat(Trim(value));
    if (!std::isfinite(v)) throw EConvertError(Format("'%s' is not a valid floating point value", value));
    if (GetPropType()->FloatType == ftSingle && std::fabs(v) > FLT_MAX)
        throw EPropertyError(Format("Value must be between %s and %s", FloatToStr(-FLT_MAX), FloatToStr(FLT_MAX)));
    SetFloatValue(v);
}

int TStringProperty::GetEditLimit() {
    return GetPropType()->Kind == tkString ? 255 : 2047;
}

void TStringProperty::SetValue(const String& value) {
    if (GetPropType()->Kind == tkString && value.size() > 255)
        throw EPropertyError(
            Format("Value must be at most 255 characters long, not %d", static_cast<Int64>(value.size())));
    SetStrValue(value);
}

String TVariantProperty::GetValue() {
    Variant v = GetVarValue();
    if (v.IsNull()) return "(Null)";
    if (v.IsEmpty()) return "";
    return v.AsString();
}

void TVariantProperty::SetValue(const String& value) {
    Variant current = GetVarValue();
    Variant result;
    if (value.empty()) {
        // Empty text empties the value.
    } else if (value == "(Null)") {
        result = Variant::Null();
    } else {
        switch (current.VarType()) {
        case TVarType::varBoolean:
            result = Variant(value).AsBoolean();
            break;
        case TVarType::varInteger:
        case TVarType::varInt64:
            result = StrToInt64(Trim(value));
            break;
        case TVarType::varDouble:
            result = StrToFloat(Trim(value));
            break;
        case TVarType::varDate:
            result = Variant(value).AsDateTime();
            break;
        default:
            result = value;
        }
    }
    SetVarValue(result);
}

} // namespace dw
