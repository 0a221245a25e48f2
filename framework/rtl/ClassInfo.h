// Class metadata: name, parent, virtual constructor, and the published properties, methods and
// fields of a class and its ancestors. Defined in a class's source file with DW_DEFINE_CLASS.
#pragma once

#include "framework/rtl/TypInfo.h"

#include <deque>
#include <memory>
#include <type_traits>
#include <unordered_map>

namespace dw {

struct TMethodEntry {
    String Name;
    const TMethodCode* Code = nullptr;
    TClass Declarer = nullptr;
};

struct TFieldEntry {
    String Name;
    TClass (*FieldClass)() = nullptr;
    std::function<TObject*(const TObject*)> Get;
    // Only called with an object of FieldClass (or null).
    std::function<void(TObject*, TObject*)> Set;
};

class TClassInfo {
public:
    using TFactory = TObject* (*)(TObject* arg);
    TClassInfo(String name, TClass parent, TFactory factory);
    TClassInfo(const TClassInfo&) = delete;

    const String& ClassName() const { return FClassName; }
    TClass ClassParent() const { return FParent; }
    bool InheritsFrom(TClass cls) const;
    // The virtual constructor. Components take their owner (or null); classes that declare
    // `using TCreateArg = X;` take an X (a collection item its collection); others take nothing.
    // Raises EInvalidOperation for an abstract class and EInvalidArgument for a wrong argument.
    TObject* Create(TObject* arg = nullptr) const;
    bool CanCreate() const { return FFactory != nullptr; }

    // Every published property, ancestors' first.
    const std::vector<const TPropInfo*>& Properties() const { return FAllProps; }
    const TPropInfo* FindProperty(std::string_view name) const;

    const TMethodEntry* FindMethod(std::string_view name) const;
    const TMethodEntry* FindMethodByCode(const void* code) const;
    // Every published method of the class and its ancestors, the class's own first.
    std::vector<const TMethodEntry*> Methods() const;
    const TFieldEntry* FindField(std::string_view name) const;

    // Filled by TClassBuilder while the class is defined.
    TPropInfo& AddProperty(std::unique_ptr<TPropInfo> prop);
    void AddMethod(TMethodEntry entry);
    void AddField(TFieldEntry entry);
    void Seal();

private:
    String FClassName;
    TClass FParent;
    TFactory FFactory;
    std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
    std::vector<const TPropInfo*> FAllProps;
    std::unordered_map<String, const TPropInfo*> FPropIndex; // upper-case name
    std::vector<TMethodEntry> FMethods;
    std::vector<TFieldEntry> FFields;
};

// Chained settings of one property being declared.
class TPropertyBuilder {
public:
    explicit TPropertyBuilder(TPropInfo& prop) : FProp(prop) {}
    TPropertyBuilder& Default(Int64 value) {
        FProp.Default = value;
        return *this;
    }
    template <class E> TPropertyBuilder& Default(TSet<E> value) { return Default(static_cast<Int64>(value.Bits())); }
    TPropertyBuilder& NoDefault() {
        FProp.Default.reset();
        return *this;
    }
    TPropertyBuilder& Stored(bool stored) {
        FProp.StoredValue = stored;
        return *this;
    }
    template <class C> TPropertyBuilder& Stored(bool (C::*test)() const) {
        FProp.StoredProc = [test](const TObject* o) { return (static_cast<const C*>(o)->*test)(); };
        return *this;
    }
    // Publishes the property under a named type of the same kind (TColor, TCaption, ...).
    TPropertyBuilder& Type(const TTypeInfo& type);
    TPropertyBuilder& Index(int index) {
        FProp.Index = index;
        return *this;
    }

private:
    TPropInfo& FProp;
};

template <class C> class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

    // Property(name, getter, setter): getter is a member function, a data member or a callable
    // taking const C*; setter likewise (member function, data member or callable taking C*, value),
    // or nullptr for a read-only property.
    template <class G, class S> TPropertyBuilder Property(const char* name, G getter, S setter) {
        using Raw = std::invoke_result_t<G, const C*>;
        using T = std::remove_cvref_t<Raw>;
        auto prop = std::make_unique<TPropInfo>();
        prop->Name = name;
        prop->PropType = &TypeInfoOf<T>();
        prop->Getter = [getter](const TObject* o) -> TPropValue {
            return TPropConv<T>::To(std::invoke(getter, static_cast<const C*>(o)));
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t>) {
            prop->Setter = [setter](TObject* o, const TPropValue& v) {
                C* self = static_cast<C*>(o);
                if constexpr (std::is_member_object_pointer_v<S>)
                    self->*setter = TPropConv<T>::From(v);
                else
                    std::invoke(setter, self, TPropConv<T>::From(v));
            };
        }
        return TPropertyBuilder(FInfo.AddProperty(std::move(prop)));
    }
    template <class G> TPropertyBuilder Property(const char* name, G getter) { return Property(name, getter, nullptr); }

    // An event property backed by a data member of an event type.
    template <class E> TPropertyBuilder Event(const char* name, E C::*field) { return Property(name, field, field); }

    // A published method: Method<&TForm1::Button1Click>("Button1Click").
    template <auto M> void Method(const char* name) {
        FInfo.AddMethod(TMethodEntry{name, &TMethodThunk<M>::Code(), &FInfo});
    }

    // A published field that binds to the owned component of the same name.
    template <class T> void Field(const char* name, T* C::*member) {
        static_assert(std::is_base_of_v<TObject, T>, "published fields hold framework objects");
        TFieldEntry f;
        f.Name = name;
        f.FieldClass = &T::StaticClass;
        f.Get = [member](const TObject* o) -> TObject* { return static_cast<const C*>(o)->*member; };
        f.Set = [member](TObject* o, TObject* v) { static_cast<C*>(o)->*member = static_cast<T*>(v); };
        FInfo.AddField(std::move(f));
    }

private:
    TClassInfo& FInfo;
};

[[noreturn]] void RaiseBadCreateArg(const char* className, TObject* arg);

template <class C> TObject* CreateInstance(TObject* arg) {
    if constexpr (requires { typename C::TCreateArg; }) {
        using A = typename C::TCreateArg;
        A* typed = As<A>(arg);
        if (arg && !typed) RaiseBadCreateArg(C::StaticClass()->ClassName().c_str(), arg);
        return New<C>(typed);
    } else if constexpr (std::is_constructible_v<C, TComponent*>) {
        TComponent* owner = As<TComponent>(arg);
        if (arg && !owner) RaiseBadCreateArg(C::StaticClass()->ClassName().c_str(), arg);
        return New<C>(owner);
    } else {
        if (arg) RaiseBadCreateArg(C::StaticClass()->ClassName().c_str(), arg);
        return New<C>();
    }
}

template <class C> constexpr TClassInfo::TFactory FactoryOf() {
    if constexpr (std::is_abstract_v<C>)
        return nullptr;
    else if constexpr (requires { typename C::TCreateArg; })
        return &CreateInstance<C>;
    else if constexpr (std::is_constructible_v<C, TComponent*> || std::is_default_constructible_v<C>)
        return &CreateInstance<C>;
    else
        return nullptr;
}

template <class C> TClass BuildClassInfo(const char* name, void (*define)(TClassBuilder<C>&)) {
    static TClassInfo info(name, C::inherited::StaticClass(), FactoryOf<C>());
    static const bool built = [&] {
        TClassBuilder<C> builder(info);
        define(builder);
        info.Seal();
        return true;
    }();
    (void)built;
    return &info;
}

// Defines the metadata of a class declared with DW_CLASS; the braces that follow declare its
// published members through the builder `c`:
//   DW_DEFINE_CLASS(TButton) { c.Property("Caption", &TButton::Caption, &TButton::SetCaption); }
#define DW_DEFINE_CLASS(Self)                                                                                          \
    static void DwDefine_##Self(::dw::TClassBuilder<Self>& c);                                                        \
    ::dw::TClass Self::StaticClass() { return ::dw::BuildClassInfo<Self>(#Self, &DwDefine_##Self); }                   \
    static void DwDefine_##Self([[maybe_unused]] ::dw::TClassBuilder<Self>& c)

} // namespace dw
