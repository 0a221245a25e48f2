#include "framework/rtl/Object.h"

#include "framework/rtl/ClassInfo.h"

namespace dw {

TClass TObject::StaticClass() {
    static TClassInfo info("TObject", nullptr, nullptr);
    static const bool sealed = (info.Seal(), true);
    (void)sealed;
    return &info;
}

String TObject::ClassName() const {
    return ClassType()->ClassName();
}
TClass TObject::ClassParent() const {
    return ClassType()->ClassParent();
}
bool TObject::InheritsFrom(TClass cls) const {
    return ClassType()->InheritsFrom(cls);
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

void* TObject::MethodAddress(std::string_view name) const {
    const TMethodEntry* m = ClassType()->FindMethod(name);
    return m ? const_cast<TMethodCode*>(m->Code) : nullptr;
}

String TObject::MethodName(const void* code) const {
    const TMethodEntry* m = ClassType()->FindMethodByCode(code);
    return m ? m->Name : String();
}

} // namespace dw
