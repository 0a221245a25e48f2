#include "framework/rtl/ClassInfo.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

TClassInfo::TClassInfo(String name, TClass parent, TFactory factory)
    : FClassName(std::move(name)), FParent(parent), FFactory(factory) {}

bool TClassInfo::InheritsFrom(TClass cls) const {
    for (TClass c = this; c; c = c->FParent)
        if (c == cls) return true;
    return false;
}

TObject* TClassInfo::Create(TObject* arg) const {
    if (!FFactory) throw EInvalidOperation(Format("Cannot create an instance of abstract class %s", FClassName));
    return FFactory(arg);
}

void RaiseBadCreateArg(const char* className, TObject* arg) {
    throw EInvalidArgument(Format("Cannot create %s with a %s", String(className), arg->ClassName()));
}

TPropInfo& TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
    prop->Declarer = this;
    FOwnProps.push_back(std::move(prop));
    return *FOwnProps.back();
}

void TClassInfo::AddMethod(TMethodEntry entry) {
    entry.Declarer = this;
    FMethods.push_back(std::move(entry));
}

void TClassInfo::AddField(TFieldEntry entry) {
    FFields.push_back(std::move(entry));
}

// Builds the full property list: the ancestors' properties, with a redeclared property (same
// name) taking the place of the inherited one.
void TClassInfo::Seal() {
    if (FParent) {
        FAllProps = FParent->FAllProps;
        FPropIndex = FParent->FPropIndex;
    }
    for (auto& own : FOwnProps) {
        String key = UpperCase(own->Name);
        auto it = FPropIndex.find(key);
        if (it != FPropIndex.end()) {
            for (auto& p : FAllProps)
                if (p == it->second) p = own.get();
            it->second = own.get();
        } else {
            FAllProps.push_back(own.get());
            FPropIndex.emplace(key, own.get());
        }
    }
    for (size_t i = 0; i < FAllProps.size(); ++i)
        if (FAllProps[i]->Declarer == this) const_cast<TPropInfo*>(FAllProps[i])->NameIndex = static_cast<int>(i);
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    auto it = FPropIndex.find(UpperCase(name));
    return it == FPropIndex.end() ? nullptr : it->second;
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view name) const {
    for (TClass c = this; c; c = c->FParent)
        for (const auto& m : c->FMethods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TMethodEntry* TClassInfo::FindMethodByCode(const void* code) const {
    if (!code) return nullptr;
    for (TClass c = this; c; c = c->FParent)
        for (const auto& m : c->FMethods)
            if (m.Code == code) return &m;
    return nullptr;
}

std::vector<const TMethodEntry*> TClassInfo::Methods() const {
    std::vector<const TMethodEntry*> all;
    for (TClass c = this; c; c = c->FParent)
        for (const auto& m : c->FMethods) all.push_back(&m);
    return all;
}

const TFieldEntry* TClassInfo::FindField(std::string_view name) const {
    for (TClass c = this; c; c = c->FParent)
        for (const auto& f : c->FFields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

TPropertyBuilder& TPropertyBuilder::Type(const TTypeInfo& type) {
    auto storage = [](TTypeKind k) {
        switch (k) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkWChar:
        case tkInt64:
            return 0;
        case tkString:
        case tkLString:
            return 1;
        default:
            return static_cast<int>(k) + 10;
        }
    };
    if (storage(type.Kind) != storage(FProp.PropType->Kind))
        throw EPropertyError(
            Format("Property %s cannot be published as type %s: the kinds differ", FProp.Name, type.Name()));
    FProp.PropType = &type;
    return *this;
}

} // namespace dw
