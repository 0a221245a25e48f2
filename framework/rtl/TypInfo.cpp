#include "framework/rtl/TypInfo.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>

namespace dw {

const String& TTypeInfo::Name() const {
    if (FName.empty() && Kind == tkClass && ClassGetter) FName = ClassGetter()->ClassName();
    return FName;
}

namespace {

std::vector<String> SplitNames(const char* list) {
    std::vector<String> names;
    String current;
    for (const char* p = list; *p; ++p) {
        if (*p == ',') {
            names.push_back(Trim(current));
            current.clear();
        } else {
            current += *p;
        }
    }
    if (!Trim(current).empty()) names.push_back(Trim(current));
    return names;
}

// Type information objects live for the whole program; this keeps them in one place.
TTypeInfo& NewTypeInfo() {
    static std::deque<TTypeInfo> store;
    return store.emplace_back();
}

const TTypeInfo& Simple(TTypeKind kind, const char* name, TOrdType ord, Int64 lo, Int64 hi) {
    TTypeInfo& t = NewTypeInfo();
    t.Kind = kind;
    t.FName = name;
    t.OrdType = ord;
    t.MinValue = lo;
    t.MaxValue = hi;
    return t;
}

const TTypeInfo& FloatType(const char* name, TFloatType ft) {
    TTypeInfo& t = NewTypeInfo();
    t.Kind = tkFloat;
    t.FName = name;
    t.FloatType = ft;
    return t;
}

[[noreturn]] void KindError(const TPropInfo& prop, const char* wanted) {
    throw EPropertyError(Format("Property %s is of type %s, not %s", prop.Name, prop.Type().Name(), wanted));
}

TPropValue Read(const TObject* instance, const TPropInfo& prop) {
    if (!prop.Getter) throw EPropertyError(Format("Property %s cannot be read", prop.Name));
    return prop.Getter(instance);
}

void Write(TObject* instance, const TPropInfo& prop, const TPropValue& value) {
    if (!prop.Setter) throw EPropertyError(Format("Property %s is read-only", prop.Name));
    prop.Setter(instance, value);
}

bool IsOrdinalStorage(TTypeKind k) {
    return (KindBit(k) & (tkOrdinal | KindBit(tkInt64))) != 0;
}

} // namespace

const TTypeInfo& MakeEnumTypeInfo(const char* name, const char* valueNames) {
    TTypeInfo& t = NewTypeInfo();
    t.Kind = tkEnumeration;
    t.FName = name;
    t.EnumNames = SplitNames(valueNames);
    // An enumerator written "name = value" keeps only its name; values are consecutive from 0.
    for (auto& n : t.EnumNames) n = Trim(n.substr(0, n.find('=')));
    t.MinValue = 0;
    t.MaxValue = static_cast<Int64>(t.EnumNames.size()) - 1;
    t.OrdType = t.EnumNames.size() <= 256 ? otUByte : otUWord;
    return t;
}

const TTypeInfo& MakeSetTypeInfo(const char* name, const TTypeInfo& elementType) {
    if (elementType.MaxValue > 31 || elementType.MinValue < 0)
        throw EPropertyError(Format("Set type %s: elements must lie between 0 and 31", name));
    TTypeInfo& t = NewTypeInfo();
    t.Kind = tkSet;
    t.FName = name;
    t.CompType = &elementType;
    t.OrdType = otULong;
    return t;
}

const TTypeInfo& NamedType(TTypeKind kind, const String& name, Int64 minValue, Int64 maxValue) {
    static std::map<String, const TTypeInfo*> named;
    String key = UpperCase(name);
    auto it = named.find(key);
    if (it != named.end()) {
        if (it->second->Kind != kind)
            throw EPropertyError(Format("Type %s is already declared with another kind", name));
        return *it->second;
    }
    TTypeInfo& t = NewTypeInfo();
    t.Kind = kind;
    t.FName = name;
    t.MinValue = minValue;
    t.MaxValue = maxValue;
    t.OrdType = minValue >= 0 && maxValue > INT32_MAX ? otULong : otSLong;
    named.emplace(key, &t);
    return t;
}

const TTypeInfo& ClassTypeInfo(TClass (*getter)()) {
    TTypeInfo& t = NewTypeInfo();
    t.Kind = tkClass;
    t.ClassGetter = getter;
    return t;
}

const TTypeInfo& MakeMethodTypeInfo(const char* name, const char* parameters, const std::type_info& signature) {
    TTypeInfo& t = NewTypeInfo();
    t.Kind = tkMethod;
    t.FName = name;
    t.Signature = &signature;
    String decl = parameters;
    size_t start = 0;
    while (start <= decl.size()) {
        size_t end = decl.find(';', start);
        if (end == String::npos) end = decl.size();
        String part = Trim(decl.substr(start, end - start));
        start = end + 1;
        if (part.empty()) continue;
        TParamInfo p;
        for (auto [word, flag] : {std::pair{"var ", pfVar}, {"const ", pfConst}, {"out ", pfOut}}) {
            if (part.size() > std::strlen(word) && SameText(part.substr(0, std::strlen(word)), word)) {
                p.Flags |= flag;
                part = Trim(part.substr(std::strlen(word)));
            }
        }
        size_t colon = part.find(':');
        p.Name = Trim(part.substr(0, colon));
        p.TypeName = colon == String::npos ? "" : Trim(part.substr(colon + 1));
        t.Params.push_back(p);
    }
    return t;
}

bool MethodTypesCompatible(const TTypeInfo& event, const TTypeInfo& handler) {
    if (event.Kind != tkMethod || handler.Kind != tkMethod) return false;
    if (event.Signature && handler.Signature) return *event.Signature == *handler.Signature;
    if (event.Params.size() != handler.Params.size()) return false;
    for (size_t i = 0; i < event.Params.size(); ++i)
        if (event.Params[i].Flags != handler.Params[i].Flags ||
            !SameText(event.Params[i].TypeName, handler.Params[i].TypeName))
            return false;
    return true;
}

#define DW_SIMPLE_TYPE(CppType, Kind, Name, Ord, Lo, Hi)                                                               \
    const TTypeInfo& DwTypeInfoOf(CppType*) {                                                                          \
        static const TTypeInfo& info = Simple(Kind, Name, Ord, Lo, Hi);                                                \
        return info;                                                                                                   \
    }
DW_SIMPLE_TYPE(char, tkChar, "Char", otUByte, 0, 255)
DW_SIMPLE_TYPE(char16_t, tkWChar, "WideChar", otUWord, 0, 65535)
DW_SIMPLE_TYPE(std::int8_t, tkInteger, "ShortInt", otSByte, -128, 127)
DW_SIMPLE_TYPE(std::uint8_t, tkInteger, "Byte", otUByte, 0, 255)
DW_SIMPLE_TYPE(std::int16_t, tkInteger, "SmallInt", otSWord, -32768, 32767)
DW_SIMPLE_TYPE(std::uint16_t, tkInteger, "Word", otUWord, 0, 65535)
DW_SIMPLE_TYPE(std::int32_t, tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX)
DW_SIMPLE_TYPE(std::uint32_t, tkInteger, "Cardinal", otULong, 0, UINT32_MAX)
DW_SIMPLE_TYPE(std::int64_t, tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX)
DW_SIMPLE_TYPE(String, tkLString, "String", otSLong, 0, 0)
DW_SIMPLE_TYPE(ShortString, tkString, "ShortString", otSLong, 0, 255)
DW_SIMPLE_TYPE(WideString, tkWString, "WideString", otSLong, 0, 0)
DW_SIMPLE_TYPE(Variant, tkVariant, "Variant", otSLong, 0, 0)
#undef DW_SIMPLE_TYPE

const TTypeInfo& DwTypeInfoOf(bool*) {
    static const TTypeInfo& info = MakeEnumTypeInfo("Boolean", "False, True");
    return info;
}
const TTypeInfo& DwTypeInfoOf(float*) {
    static const TTypeInfo& info = FloatType("Single", ftSingle);
    return info;
}
const TTypeInfo& DwTypeInfoOf(double*) {
    static const TTypeInfo& info = FloatType("Double", ftDouble);
    return info;
}
const TTypeInfo& DwTypeInfoOf(TDateTime*) {
    static const TTypeInfo& info = FloatType("TDateTime", ftDouble);
    return info;
}

String GetEnumName(const TTypeInfo& type, Int64 value) {
    if (type.Kind != tkEnumeration || value < type.MinValue || value > type.MaxValue) return "";
    return type.EnumNames[static_cast<size_t>(value - type.MinValue)];
}

Int64 GetEnumValue(const TTypeInfo& type, std::string_view name) {
    if (type.Kind != tkEnumeration) return -1;
    String n = Trim(name);
    for (size_t i = 0; i < type.EnumNames.size(); ++i)
        if (SameText(type.EnumNames[i], n)) return type.MinValue + static_cast<Int64>(i);
    return -1;
}

String SetToString(const TTypeInfo& setType, Int64 value, bool brackets) {
    String out;
    const TTypeInfo& elem = *setType.CompType;
    for (int bit = 0; bit < 32; ++bit) {
        if (!(static_cast<std::uint64_t>(value) & (std::uint64_t(1) << bit))) continue;
        if (!out.empty()) out += ',';
        String name = elem.Kind == tkEnumeration ? GetEnumName(elem, bit) : IntToStr(bit);
        out += name.empty() ? IntToStr(bit) : name;
    }
    return brackets ? "[" + out + "]" : out;
}

Int64 StringToSet(const TTypeInfo& setType, std::string_view text) {
    String s = Trim(text);
    if (!s.empty() && s.front() == '[') {
        if (s.back() != ']') throw EPropertyConvertError(Format("Invalid set value '%s': missing ']'", String(text)));
        s = s.substr(1, s.size() - 2);
    }
    const TTypeInfo& elem = *setType.CompType;
    std::uint64_t bits = 0;
    for (const String& name : SplitNames(s.c_str())) {
        if (name.empty()) continue;
        Int64 v = elem.Kind == tkEnumeration ? GetEnumValue(elem, name) : -1;
        if (v < 0) {
            Int64 n;
            if (elem.Kind != tkEnumeration && TryStrToInt64(name, n) && n >= elem.MinValue && n <= elem.MaxValue) v = n;
        }
        if (v < 0 || v > 31)
            throw EPropertyConvertError(Format("Invalid set element '%s' for type %s", name, setType.Name()));
        bits |= std::uint64_t(1) << v;
    }
    return static_cast<Int64>(bits);
}

const TPropInfo* GetPropInfo(TClass cls, std::string_view name) {
    return cls ? cls->FindProperty(name) : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name) {
    return instance ? GetPropInfo(instance->ClassType(), name) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(TClass cls, TTypeKinds kinds, bool sorted) {
    std::vector<const TPropInfo*> list;
    for (const TPropInfo* p : cls->Properties())
        if (KindBit(p->Kind()) & kinds) list.push_back(p);
    if (sorted)
        std::stable_sort(list.begin(), list.end(),
                         [](const TPropInfo* a, const TPropInfo* b) { return CompareText(a->Name, b->Name) < 0; });
    return list;
}

bool IsPublishedProp(const TObject* instance, std::string_view name) {
    return GetPropInfo(instance, name) != nullptr;
}

Int64 GetOrdProp(const TObject* instance, const TPropInfo& prop) {
    if (!IsOrdinalStorage(prop.Kind()) && prop.Kind() != tkClass) KindError(prop, "an ordinal");
    if (prop.Kind() == tkClass) return reinterpret_cast<std::intptr_t>(std::get<TObject*>(Read(instance, prop)));
    return std::get<Int64>(Read(instance, prop));
}

void SetOrdProp(TObject* instance, const TPropInfo& prop, Int64 value) {
    if (!IsOrdinalStorage(prop.Kind())) KindError(prop, "an ordinal");
    const TTypeInfo& t = prop.Type();
    if (t.Kind == tkSet) {
        Int64 limit = t.CompType->MaxValue;
        if (value < 0 || (limit < 63 && (static_cast<std::uint64_t>(value) >> (limit + 1)) != 0))
            throw EPropertyError(
                Format("Value %d is not a valid set of %s for property %s", value, t.CompType->Name(), prop.Name));
    } else if (t.Kind != tkInt64 && (value < t.MinValue || value > t.MaxValue)) {
        throw EPropertyError(
            Format("Value %d is out of range for property %s (%d to %d)", value, prop.Name, t.MinValue, t.MaxValue));
    }
    Write(instance, prop, value);
}

String GetEnumProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() != tkEnumeration) KindError(prop, "an enumeration");
    return GetEnumName(prop.Type(), GetOrdProp(instance, prop));
}

void SetEnumProp(TObject* instance, const TPropInfo& prop, std::string_view value) {
    if (prop.Kind() != tkEnumeration) KindError(prop, "an enumeration");
    Int64 v = GetEnumValue(prop.Type(), value);
    if (v < 0)
        throw EPropertyConvertError(Format("Invalid enumeration value '%s' for property %s", String(value), prop.Name));
    SetOrdProp(instance, prop, v);
}

String GetSetProp(const TObject* instance, const TPropInfo& prop, bool brackets) {
    if (prop.Kind() != tkSet) KindError(prop, "a set");
    return SetToString(prop.Type(), GetOrdProp(instance, prop), brackets);
}

void SetSetProp(TObject* instance, const TPropInfo& prop, std::string_view value) {
    if (prop.Kind() != tkSet) KindError(prop, "a set");
    SetOrdProp(instance, prop, StringToSet(prop.Type(), value));
}

String GetStrProp(const TObject* instance, const TPropInfo& prop) {
    switch (prop.Kind()) {
    case tkString:
    case tkLString:
        return std::get<String>(Read(instance, prop));
    case tkWString:
        return WideToUtf8(std::get<WideString>(Read(instance, prop)));
    default:
        KindError(prop, "a string");
    }
}

void SetStrProp(TObject* instance, const TPropInfo& prop, const String& value) {
    switch (prop.Kind()) {
    case tkString:
        if (value.size() > 255)
            throw EPropertyError(Format("Value for property %s is longer than 255 characters", prop.Name));
        [[fallthrough]];
    case tkLString:
        Write(instance, prop, value);
        break;
    case tkWString:
        Write(instance, prop, Utf8ToWide(value));
        break;
    default:
        KindError(prop, "a string");
    }
}

WideString GetWideStrProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() == tkWString) return std::get<WideString>(Read(instance, prop));
    return Utf8ToWide(GetStrProp(instance, prop));
}

void SetWideStrProp(TObject* instance, const TPropInfo& prop, const WideString& value) {
    if (prop.Kind() == tkWString)
        Write(instance, prop, value);
    else
        SetStrProp(instance, prop, WideToUtf8(value));
}

double GetFloatProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() != tkFloat) KindError(prop, "a float");
    return std::get<double>(Read(instance, prop));
}

void SetFloatProp(TObject* instance, const TPropInfo& prop, double value) {
    if (prop.Kind() != tkFloat) KindError(prop, "a float");
    Write(instance, prop, value);
}

Int64 GetInt64Prop(const TObject* instance, const TPropInfo& prop) {
    if (!IsOrdinalStorage(prop.Kind())) KindError(prop, "a 64-bit integer");
    return std::get<Int64>(Read(instance, prop));
}

void SetInt64Prop(TObject* instance, const TPropInfo& prop, Int64 value) {
    if (prop.Kind() != tkInt64) return SetOrdProp(instance, prop, value);
    Write(instance, prop, value);
}

Variant GetVariantProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() != tkVariant) KindError(prop, "a variant");
    return std::get<Variant>(Read(instance, prop));
}

void SetVariantProp(TObject* instance, const TPropInfo& prop, const Variant& value) {
    if (prop.Kind() != tkVariant) KindError(prop, "a variant");
    Write(instance, prop, value);
}

TObject* GetObjectProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() != tkClass) KindError(prop, "a class");
    return std::get<TObject*>(Read(instance, prop));
}

void SetObjectProp(TObject* instance, const TPropInfo& prop, TObject* value) {
    if (prop.Kind() != tkClass) KindError(prop, "a class");
    TClass cls = prop.Type().ClassType();
    if (value && cls && !value->InheritsFrom(cls))
        throw EPropertyError(
            Format("Cannot assign a %s to property %s of type %s", value->ClassName(), prop.Name, cls->ClassName()));
    Write(instance, prop, value);
}

TMethod GetMethodProp(const TObject* instance, const TPropInfo& prop) {
    if (prop.Kind() != tkMethod) KindError(prop, "a method");
    return std::get<TMethod>(Read(instance, prop));
}

void SetMethodProp(TObject* instance, const TPropInfo& prop, const TMethod& value) {
    if (prop.Kind() != tkMethod) KindError(prop, "a method");
    Write(instance, prop, value);
}

namespace {
const TPropInfo& RequireProp(const TObject* instance, std::string_view name) {
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p)
        throw EPropertyError(Format("Property %s does not exist in %s", String(name),
                                    instance ? instance->ClassName() : String("(nil)")));
    return *p;
}
} // namespace

Variant GetPropValue(const TObject* instance, std::string_view name) {
    const TPropInfo& p = RequireProp(instance, name);
    switch (p.Kind()) {
    case tkEnumeration:
        if (&p.Type() == &TypeInfoOf<bool>()) return Variant(GetOrdProp(instance, p) != 0);
        return Variant(GetEnumProp(instance, p));
    case tkSet:
        return Variant(GetSetProp(instance, p));
    case tkInteger:
    case tkChar:
    case tkWChar:
        return Variant(static_cast<int>(GetOrdProp(instance, p)));
    case tkInt64:
        return Variant(GetInt64Prop(instance, p));
    case tkFloat:
        return Variant(GetFloatProp(instance, p));
    case tkString:
    case tkLString:
    case tkWString:
        return Variant(GetStrProp(instance, p));
    case tkVariant:
        return GetVariantProp(instance, p);
    default:
        throw EPropertyError(Format("Property %s of type %s has no variant value", p.Name, p.Type().Name()));
    }
}

void SetPropValue(TObject* instance, std::string_view name, const Variant& value) {
    const TPropInfo& p = RequireProp(instance, name);
    switch (p.Kind()) {
    case tkEnumeration:
        if (value.VarType() == TVarType::varString)
            SetEnumProp(instance, p, value.AsString());
        else if (value.VarType() == TVarType::varBoolean)
            SetOrdProp(instance, p, value.AsBoolean() ? 1 : 0);
        else
            SetOrdProp(instance, p, value.AsInt64());
        break;
    case tkSet:
        if (value.VarType() == TVarType::varString)
            SetSetProp(instance, p, value.AsString());
        else
            SetOrdProp(instance, p, value.AsInt64());
        break;
    case tkInteger:
    case tkChar:
    case tkWChar:
        SetOrdProp(instance, p, value.AsInt64());
        break;
    case tkInt64:
        SetInt64Prop(instance, p, value.AsInt64());
        break;
    case tkFloat:
        SetFloatProp(instance, p, value.AsDouble());
        break;
    case tkString:
    case tkLString:
    case tkWString:
        SetStrProp(instance, p, value.AsString());
        break;
    case tkVariant:
        SetVariantProp(instance, p, value);
        break;
    default:
        throw EPropertyError(Format("Property %s of type %s cannot be set from a variant", p.Name, p.Type().Name()));
    }
}

void CheckPropertyRange(std::string_view name, Int64 value, Int64 min, Int64 max) {
    if (value < min || value > max)
        throw EPropertyError(Format("Property %s: %d is out of range (%d to %d)", String(name), value, min, max));
}

} // namespace dw
