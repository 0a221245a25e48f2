// TObject, the root of every framework class, and class references (TClass). Each class names its
// metadata with DW_CLASS in its body and defines it with DW_DEFINE_CLASS in its source file.
#pragma once

#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/SysUtils.h"

#include <memory>

namespace dw {

class TClassInfo;
// A class reference: the metadata object of one class.
using TClass = const TClassInfo*;
class TComponent;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }
    String ClassName() const;
    TClass ClassParent() const;
    bool InheritsFrom(TClass cls) const;
    template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

    // Runs the teardown that needs the whole object alive, then deletes it. Always free objects of
    // the framework this way (or through TObjectPtr), never with a bare delete.
    void Free();
    // Called by Free before deletion; each override does its own teardown, then calls inherited.
    virtual void BeforeDestruction() {}
    // Called by New once the whole object is constructed: what must see the object's real class
    // (an owner told of its new component, for example) happens here, not in a constructor.
    virtual void AfterConstruction() {}

    // Published methods and fields of the object's class and its ancestors.
    void* MethodAddress(std::string_view name) const;
    String MethodName(const void* code) const;
};

// Free on a null pointer does nothing.
inline void Free(TObject* obj) {
    if (obj) obj->Free();
}
template <class T> void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    Free(tmp);
}

struct TObjectDeleter {
    void operator()(TObject* obj) const { Free(obj); }
};
// Sole ownership of an object that has no owner component.
template <class T> using TObjectPtr = std::unique_ptr<T, TObjectDeleter>;
// Creates an object of the framework: constructs it, then runs AfterConstruction. Components
// can only be created this way (or through their class's virtual constructor).
template <class T, class... Args> T* New(Args&&... args) {
    T* obj = new T(std::forward<Args>(args)...);
    {
        auto undo = ScopeFail([&] { obj->Free(); });
        obj->AfterConstruction();
    }
    return obj;
}

template <class T, class... Args> TObjectPtr<T> MakeObject(Args&&... args) {
    return TObjectPtr<T>(New<T>(std::forward<Args>(args)...));
}

// Checked down-cast: null when obj is null or not of class T.
template <class T> T* As(TObject* obj) { return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr; }
template <class T> const T* As(const TObject* obj) {
    return obj && obj->Is<T>() ? static_cast<const T*>(obj) : nullptr;
}

// Whether obj implements interface I (an abstract class), and the interface if so.
template <class I, class O> I* Supports(O* obj) { return dynamic_cast<I*>(obj); }

// Declares the class metadata of class Self whose parent class is Parent. Put it first in the
// class body; it leaves the access at public.
#define DW_CLASS(Self, Parent)                                                                                         \
public:                                                                                                                \
    using inherited = Parent;                                                                                          \
    static ::dw::TClass StaticClass();                                                                                 \
    ::dw::TClass ClassType() const override { return StaticClass(); }

} // namespace dw
