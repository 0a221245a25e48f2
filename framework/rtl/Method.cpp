#include "framework/rtl/Method.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/TypInfo.h"

#include <unordered_set>

namespace dw {

namespace {
std::unordered_set<const void*>& MethodCodes() {
    static std::unordered_set<const void*> codes;
    return codes;
}
} // namespace

TMethod TMethod::FromNumber(std::intptr_t code, TObject* data) {
    return TMethod{reinterpret_cast<void*>(code), data};
}

TMethodCode::TMethodCode(const std::type_info& signature, void* invoker) : FSignature(signature), FInvoker(invoker) {
    MethodCodes().insert(this);
}

TMethodCode::~TMethodCode() {
    MethodCodes().erase(this);
}

const TMethodCode* TMethodCode::Find(const void* code) {
    if (!code) return nullptr;
    auto& codes = MethodCodes();
    return codes.count(code) ? static_cast<const TMethodCode*>(code) : nullptr;
}

void RaiseInvalidMethodCall(const TMethod& method) {
    throw EInvalidOperation(Format("Cannot call event handler: code %d is not a method of the event's type",
                                   static_cast<Int64>(method.CodeAsNumber())));
}

} // namespace dw
