// Run-time type information: type kinds, the type information of every published type, the
// published property records and the get and set operations on them.
#pragma once

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"
#include "framework/rtl/Set.h"
#include "framework/rtl/Variant.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <typeinfo>
#include <variant>
#include <vector>

namespace dw {

enum TTypeKind : std::uint8_t {
    tkUnknown = 0,
    tkInteger = 1,
    tkChar = 2,
    tkEnumeration = 3,
    tkFloat = 4,
    tkString = 5,
    tkSet = 6,
    tkClass = 7,
    tkMethod = 8,
    tkWChar = 9,
    tkLString = 10,
    tkWString = 11,
    tkVariant = 12,
    tkArray = 13,
    tkRecord = 14,
    tkInterface = 15,
    tkInt64 = 16,
    tkDynArray = 17,
};

// A set of type kinds: bit n for kind n.
using TTypeKinds = std::uint32_t;
constexpr TTypeKinds KindBit(TTypeKind k) { return TTypeKinds(1) << k; }
constexpr TTypeKinds TypeKinds(std::initializer_list<TTypeKind> kinds) {
    TTypeKinds s = 0;
    for (TTypeKind k : kinds) s |= KindBit(k);
    return s;
}
constexpr TTypeKinds tkAny = (TTypeKinds(1) << (tkDynArray + 1)) - 1;
constexpr TTypeKinds tkMethods = KindBit(tkMethod);
constexpr TTypeKinds tkProperties = tkAny & ~KindBit(tkUnknown) & ~tkMethods;
constexpr TTypeKinds tkOrdinal =
    TypeKinds({tkInteger, tkChar, tkEnumeration, tkSet, tkWChar});
constexpr TTypeKinds tkStrings = TypeKinds({tkString, tkLString, tkWString});

enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
enum TParamFlag : std::uint8_t { pfVar = 1, pfConst = 2, pfArray = 4, pfAddress = 8, pfReference = 16, pfOut = 32 };

struct TParamInfo {
    std::uint8_t Flags = 0;
    String Name;
    String TypeName;
    bool operator==(const TParamInfo&) const = default;
};

// The description of one type. Objects are made once per type and compared by address.
struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    // For class types the name is the class name, looked up when first asked.
    const String& Name() const;
    TOrdType OrdType = otSLong;
    Int64 MinValue = 0;
    Int64 MaxValue = 0;
    std::vector<String> EnumNames;          // enumeration: the name of value MinValue + i
    const TTypeInfo* CompType = nullptr;    // set: the element type
    TClass (*ClassGetter)() = nullptr;      // class: the class of the property
    TFloatType FloatType = ftDouble;
    std::vector<TParamInfo> Params;         // method: its parameters
    const std::type_info* Signature = nullptr; // method: the C++ signature handlers must have

    TClass ClassType() const { return ClassGetter ? ClassGetter() : nullptr; }
    bool IsOrdinal() const { return (KindBit(Kind) & tkOrdinal) != 0; }
    bool IsString() const { return (KindBit(Kind) & tkStrings) != 0; }

    mutable String FName;
};

// The name of an enumeration value, or "" when out of range.
String GetEnumName(const TTypeInfo& type, Int64 value);
// The value of an enumeration name (without regard to case), or -1 when there is none.
Int64 GetEnumValue(const TTypeInfo& type, std::string_view name);
// "[a,b]" (or "a,b" without brackets) from a set value of the set type.
String SetToString(const TTypeInfo& setType, Int64 value, bool brackets = false);
// The value of "[a, b]" or "a,b"; an unknown element name raises EPropertyConvertError.
Int64 StringToSet(const TTypeInfo& setType, std::string_view text);

// Type information makers, each called once per type.
const TTypeInfo& MakeEnumTypeInfo(const char* name, const char* valueNames);
const TTypeInfo& MakeSetTypeInfo(const char* name, const TTypeInfo& elementType);
// One shared object per name: the named integer, float or string types (TColor, TCaption, ...).
const TTypeInfo& NamedType(TTypeKind kind, const String& name, Int64 minValue = INT32_MIN, Int64 maxValue = INT32_MAX);

// A string of at most 255 characters: the short-string kind.
struct ShortString {
    String Value;
    bool operator==(const ShortString&) const = default;
};

// The type information of a C++ type, found through DwTypeInfoOf(T*) overloads (by argument-
// dependent lookup, so enumerations declared with DW_ENUM in any namespace work).
const TTypeInfo& DwTypeInfoOf(bool*);
const TTypeInfo& DwTypeInfoOf(char*);
const TTypeInfo& DwTypeInfoOf(char16_t*);
const TTypeInfo& DwTypeInfoOf(std::int8_t*);
const TTypeInfo& DwTypeInfoOf(std::uint8_t*);
const TTypeInfo& DwTypeInfoOf(std::int16_t*);
const TTypeInfo& DwTypeInfoOf(std::uint16_t*);
const TTypeInfo& DwTypeInfoOf(std::int32_t*);
const TTypeInfo& DwTypeInfoOf(std::uint32_t*);
const TTypeInfo& DwTypeInfoOf(std::int64_t*);
const TTypeInfo& DwTypeInfoOf(float*);
const TTypeInfo& DwTypeInfoOf(double*);
const TTypeInfo& DwTypeInfoOf(TDateTime*);
const TTypeInfo& DwTypeInfoOf(String*);
const TTypeInfo& DwTypeInfoOf(ShortString*);
const TTypeInfo& DwTypeInfoOf(WideString*);
const TTypeInfo& DwTypeInfoOf(Variant*);

const TTypeInfo& ClassTypeInfo(TClass (*getter)());
template <class T>
    requires std::derived_from<T, TObject>
const TTypeInfo& DwTypeInfoOf(T**) {
    static const TTypeInfo& info = ClassTypeInfo(&T::StaticClass);
    return info;
}
template <class T>
    requires requires { T::TypeInfo(); }
const TTypeInfo& DwTypeInfoOf(T*) {
    return T::TypeInfo();
}

template <class T> const TTypeInfo& TypeInfoOf() { return DwTypeInfoOf(static_cast<T*>(nullptr)); }

// Declares an enumeration with its value names: DW_ENUM(TAlign, alNone, alTop, alBottom).
#define DW_ENUM(Name, ...)                                                                                             \
    enum Name { __VA_ARGS__ };                                                                                         \
    inline const ::dw::TTypeInfo& DwTypeInfoOf(Name*) {                                                                \
        static const ::dw::TTypeInfo& info = ::dw::MakeEnumTypeInfo(#Name, #__VA_ARGS__);                              \
        return info;                                                                                                   \
    }

// Declares a set type over an enumeration: DW_SET(TAnchors, TAnchorKind).
#define DW_SET(Name, Element)                                                                                          \
    using Name = ::dw::TSet<Element>;                                                                                  \
    inline const ::dw::TTypeInfo& DwTypeInfoOf(Name*) {                                                                \
        static const ::dw::TTypeInfo& info = ::dw::MakeSetTypeInfo(#Name, ::dw::TypeInfoOf<Element>());                \
        return info;                                                                                                   \
    }

// ---------------------------------------------------------------------------------------------
// Published properties

// A property value in the form its kind is stored: ordinals and 64-bit integers as Int64, floats
// as double, narrow and wide strings, variants, objects and methods.
using TPropValue = std::variant<Int64, double, String, WideString, Variant, TObject*, TMethod>;

class TPropInfo {
public:
    String Name;
    const TTypeInfo* PropType = nullptr;
    std::function<TPropValue(const TObject*)> Getter;
    std::function<void(TObject*, const TPropValue&)> Setter;
    // The declared default of an ordinal or set property; none means always stored.
    std::optional<Int64> Default;
    std::function<bool(const TObject*)> StoredProc;
    bool StoredValue = true;
    int Index = INT32_MIN; // INT32_MIN: no index
    int NameIndex = 0;     // position among all properties of the class, ancestors first
    TClass Declarer = nullptr;

    const TTypeInfo& Type() const { return *PropType; }
    TTypeKind Kind() const { return PropType->Kind; }
    bool HasGetter() const { return static_cast<bool>(Getter); }
    bool HasSetter() const { return static_cast<bool>(Setter); }
    bool IsStored(const TObject* instance) const { return StoredProc ? StoredProc(instance) : StoredValue; }
};

// Property lookup (without regard to case); null when the class has no such property.
const TPropInfo* GetPropInfo(TClass cls, std::string_view name);
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);
// Every published property of the class whose kind is in kinds, ancestors' first, or sorted by name.
std::vector<const TPropInfo*> GetPropList(TClass cls, TTypeKinds kinds = tkAny, bool sorted = false);
bool IsPublishedProp(const TObject* instance, std::string_view name);

// The one check of setters that refuse values they cannot work with: raises EPropertyError
// "Property NAME: VALUE is out of range (MIN to MAX)" unless min <= value <= max.
void CheckPropertyRange(std::string_view name, Int64 value, Int64 min, Int64 max);

// Get and set by kind. A kind that does not match the property, a read-only property or an
// out-of-range value raises EPropertyError naming the property.
Int64 GetOrdProp(const TObject* instance, const TPropInfo& prop);
void SetOrdProp(TObject* instance, const TPropInfo& prop, Int64 value);
String GetEnumProp(const TObject* instance, const TPropInfo& prop);
void SetEnumProp(TObject* instance, const TPropInfo& prop, std::string_view value);
String GetSetProp(const TObject* instance, const TPropInfo& prop, bool brackets = false);
void SetSetProp(TObject* instance, const TPropInfo& prop, std::string_view value);
String GetStrProp(const TObject* instance, const TPropInfo& prop);
void SetStrProp(TObject* instance, const TPropInfo& prop, const String& value);
WideString GetWideStrProp(const TObject* instance, const TPropInfo& prop);
void SetWideStrProp(TObject* instance, const TPropInfo& prop, const WideString& value);
double GetFloatProp(const TObject* instance, const TPropInfo& prop);
void SetFloatProp(TObject* instance, const TPropInfo& prop, double value);
Int64 GetInt64Prop(const TObject* instance, const TPropInfo& prop);
void SetInt64Prop(TObject* instance, const TPropInfo& prop, Int64 value);
Variant GetVariantProp(const TObject* instance, const TPropInfo& prop);
void SetVariantProp(TObject* instance, const TPropInfo& prop, const Variant& value);
TObject* GetObjectProp(const TObject* instance, const TPropInfo& prop);
// The object must be of the property's class (or null).
void SetObjectProp(TObject* instance, const TPropInfo& prop, TObject* value);
TMethod GetMethodProp(const TObject* instance, const TPropInfo& prop);
void SetMethodProp(TObject* instance, const TPropInfo& prop, const TMethod& value);

// Any property except class and method ones as a variant (enumerations and sets as names).
Variant GetPropValue(const TObject* instance, std::string_view name);
void SetPropValue(TObject* instance, std::string_view name, const Variant& value);

// Whether a handler with the method type info `handler` can serve an event of type `event`.
bool MethodTypesCompatible(const TTypeInfo& event, const TTypeInfo& handler);

// Conversion between C++ property types and the stored form of their kind.
template <class T> struct TPropConv;
template <class T>
    requires(std::is_integral_v<T> || std::is_enum_v<T>)
struct TPropConv<T> {
    static TPropValue To(T v) { return static_cast<Int64>(v); }
    static T From(const TPropValue& v) { return static_cast<T>(std::get<Int64>(v)); }
};
template <class E> struct TPropConv<TSet<E>> {
    static TPropValue To(TSet<E> v) { return static_cast<Int64>(v.Bits()); }
    static TSet<E> From(const TPropValue& v) { return TSet<E>::FromBits(static_cast<std::uint64_t>(std::get<Int64>(v))); }
};
template <class T>
    requires std::is_floating_point_v<T>
struct TPropConv<T> {
    static TPropValue To(T v) { return static_cast<double>(v); }
    static T From(const TPropValue& v) { return static_cast<T>(std::get<double>(v)); }
};
template <> struct TPropConv<TDateTime> {
    static TPropValue To(TDateTime v) { return v.Value; }
    static TDateTime From(const TPropValue& v) { return TDateTime{std::get<double>(v)}; }
};
template <> struct TPropConv<String> {
    static TPropValue To(const String& v) { return v; }
    static String From(const TPropValue& v) { return std::get<String>(v); }
};
template <> struct TPropConv<ShortString> {
    static TPropValue To(const ShortString& v) { return v.Value; }
    static ShortString From(const TPropValue& v) { return ShortString{std::get<String>(v)}; }
};
template <> struct TPropConv<WideString> {
    static TPropValue To(const WideString& v) { return v; }
    static WideString From(const TPropValue& v) { return std::get<WideString>(v); }
};
template <> struct TPropConv<Variant> {
    static TPropValue To(const Variant& v) { return v; }
    static Variant From(const TPropValue& v) { return std::get<Variant>(v); }
};
template <class T>
    requires std::derived_from<T, TObject>
struct TPropConv<T*> {
    static TPropValue To(T* v) { return static_cast<TObject*>(v); }
    static T* From(const TPropValue& v) { return static_cast<T*>(std::get<TObject*>(v)); }
};
template <class T>
    requires requires(const T& e) { e.Method(); T::TypeInfo(); }
struct TPropConv<T> {
    static TPropValue To(const T& v) { return v.Method(); }
    static T From(const TPropValue& v) { return T(std::get<TMethod>(v)); }
};

} // namespace dw
