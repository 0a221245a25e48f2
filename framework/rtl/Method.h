// Method values and typed events. A method value is a pair (code, data): data is the object, code
// identifies one published method of its class. Any value may be stored as code (the form reader
// stores small integers there); calling goes only through TEvent, which refuses codes that are not
// real methods of the event's signature.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <cstdint>
#include <typeinfo>
#include <utility>

namespace dw {

class TObject;

struct TMethod {
    void* Code = nullptr;
    void* Data = nullptr;
    bool operator==(const TMethod&) const = default;
    bool Assigned() const { return Code != nullptr; }
    // A code that is only a number, as the form code stores handler indexes.
    static TMethod FromNumber(std::intptr_t code, TObject* data);
    std::intptr_t CodeAsNumber() const { return reinterpret_cast<std::intptr_t>(Code); }
};

// The identity of one callable method: its C++ signature and a function that calls it on an
// object. The address of a TMethodCode is what TMethod::Code holds for a real method.
class TMethodCode {
public:
    TMethodCode(const std::type_info& signature, void* invoker);
    ~TMethodCode();
    TMethodCode(const TMethodCode&) = delete;
    TMethodCode& operator=(const TMethodCode&) = delete;
    const std::type_info& Signature() const { return FSignature; }
    void* Invoker() const { return FInvoker; }
    // The method code behind a code value, or null when the value is not a real method.
    static const TMethodCode* Find(const void* code);

private:
    const std::type_info& FSignature;
    void* FInvoker;
};

// Raised when an event holds a code that is not a method of its signature.
[[noreturn]] void RaiseInvalidMethodCall(const TMethod& method);

template <auto M> struct TMethodThunk;
template <class C, class... A, void (C::*M)(A...)> struct TMethodThunk<M> {
    static void Invoke(void* self, A... args) {
        (static_cast<C*>(static_cast<TObject*>(self))->*M)(std::forward<A>(args)...);
    }
    static const TMethodCode& Code() {
        static const TMethodCode code(typeid(void(A...)), reinterpret_cast<void*>(&Invoke));
        return code;
    }
};

// The method value for obj->Method: MakeMethod<&TForm1::Button1Click>(form).
template <auto M, class C> TMethod MakeMethod(C* obj) {
    return TMethod{const_cast<TMethodCode*>(&TMethodThunk<M>::Code()), static_cast<TObject*>(obj)};
}

template <class Sig> class TEvent;
template <class... A> class TEvent<void(A...)> {
public:
    using Signature = void(A...);
    TEvent() = default;
    TEvent(TMethod method) : FMethod(method) {}
    const TMethod& Method() const { return FMethod; }
    void SetMethod(const TMethod& m) { FMethod = m; }
    bool Assigned() const { return FMethod.Code != nullptr; }
    explicit operator bool() const { return Assigned(); }
    void Clear() { FMethod = TMethod{}; }
    bool operator==(const TEvent& o) const { return FMethod == o.FMethod; }

    // Calls the handler; an empty event does nothing.
    void operator()(A... args) const {
        if (!FMethod.Code) return;
        const TMethodCode* code = TMethodCode::Find(FMethod.Code);
        if (!code || code->Signature() != typeid(Signature)) RaiseInvalidMethodCall(FMethod);
        reinterpret_cast<void (*)(void*, A...)>(code->Invoker())(FMethod.Data, std::forward<A>(args)...);
    }

private:
    TMethod FMethod;
};

struct TTypeInfo;
// The type information of a method type named Name whose parameters are declared as in
// "Sender: TObject; var Key: Word". Made once per event type.
const TTypeInfo& MakeMethodTypeInfo(const char* name, const char* parameters, const std::type_info& signature);

// Declares an event type: DW_EVENT(TNotifyEvent, (TObject*), "Sender: TObject").
#define DW_EVENT(Name, Params, Declaration)                                                                            \
    struct Name : ::dw::TEvent<void Params> {                                                                          \
        using TEvent::TEvent;                                                                                          \
        static const ::dw::TTypeInfo& TypeInfo() {                                                                     \
            static const ::dw::TTypeInfo& info = ::dw::MakeMethodTypeInfo(#Name, Declaration, typeid(void Params));    \
            return info;                                                                                               \
        }                                                                                                              \
    }

DW_EVENT(TNotifyEvent, (TObject*), "Sender: TObject");

} // namespace dw
