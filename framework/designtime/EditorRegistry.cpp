#include "framework/designtime/EditorRegistry.h"

#include "framework/controls/core/ControlTypes.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/designtime/RefPropEdits.h"
#include "framework/designtime/StdPropEdits.h"
#include "framework/designtime/VclPropEdits.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

TPropertyEditorClass DefaultEditorClass(TTypeKind kind) {
    switch (kind) {
    case tkInteger:
        return TIntegerProperty::StaticClass();
    case tkChar:
    case tkWChar:
        return TCharProperty::StaticClass();
    case tkEnumeration:
        return TEnumProperty::StaticClass();
    case tkFloat:
        return TFloatProperty::StaticClass();
    case tkString:
    case tkLString:
    case tkWString:
        return TStringProperty::StaticClass();
    case tkSet:
        return TSetProperty::StaticClass();
    case tkClass:
        return TClassProperty::StaticClass();
    case tkMethod:
        return TMethodProperty::StaticClass();
    case tkVariant:
        return TVariantProperty::StaticClass();
    case tkInt64:
        return TInt64Property::StaticClass();
    default:
        return TPropertyEditor::StaticClass();
    }
}

TEditorRegistry::TEditorRegistry() {
    RegisterFrameworkEditors();
}

void TEditorRegistry::RegisterFrameworkEditors() {
    RegisterPropertyEditor(&TypeInfoOf<TComponent*>(), nullptr, "", TComponentProperty::StaticClass());
    RegisterPropertyEditor(&NamedType(tkLString, "TComponentName"), TComponent::StaticClass(), "Name",
                           TComponentNameProperty::StaticClass());
    RegisterPropertyEditor(&ColorTypeInfo(), nullptr, "", TColorProperty::StaticClass());
    RegisterPropertyEditor(&TypeInfoOf<TBrushStyle>(), nullptr, "", TBrushStyleProperty::StaticClass());
    RegisterPropertyEditor(&TypeInfoOf<TPenStyle>(), nullptr, "", TPenStyleProperty::StaticClass());
    RegisterPropertyEditor(&CursorTypeInfo(), nullptr, "", TCursorProperty::StaticClass());
    RegisterPropertyEditor(&TypeInfoOf<TFont*>(), nullptr, "", TFontProperty::StaticClass());
    RegisterPropertyEditor(&FontNameTypeInfo(), nullptr, "", TFontNameProperty::StaticClass());
    RegisterPropertyEditor(&FontCharsetTypeInfo(), nullptr, "", TFontCharsetProperty::StaticClass());
    RegisterPropertyEditor(&ModalResultTypeInfo(), nullptr, "", TModalResultProperty::StaticClass());
    RegisterPropertyEditor(&TabOrderTypeInfo(), nullptr, "", TTabOrderProperty::StaticClass());
    RegisterPropertyEditor(&CaptionTypeInfo(), nullptr, "", TCaptionProperty::StaticClass());
    RegisterPropertyEditor(&TypeInfoOf<TDateTime>(), nullptr, "", TDateTimeProperty::StaticClass());
    RegisterPropertyEditor(&DateTypeInfo(), nullptr, "", TDateProperty::StaticClass());
    RegisterPropertyEditor(&TimeTypeInfo(), nullptr, "", TTimeProperty::StaticClass());
}

void TEditorRegistry::RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                             const String& propertyName, TPropertyEditorClass editorClass) {
    if (!propertyType) throw EInvalidArgument("A property editor needs a property type");
    if (!editorClass || !editorClass->InheritsFrom(TPropertyEditor::StaticClass()))
        throw EInvalidArgument(
            Format("%s is not a property editor class", editorClass ? editorClass->ClassName() : String("(none)")));
    FEditors.push_back({propertyType, componentClass, propertyName, editorClass, FCurrentGroup});
    FEditorCache.clear();
}

void TEditorRegistry::RegisterPropertyMapper(TPropertyMapperFunc mapper) {
    if (!mapper) throw EInvalidArgument("A property mapper must be a function");
    FMappers.push_back(std::move(mapper));
}

void TEditorRegistry::RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass) {
    if (!componentClass) throw EInvalidArgument("A component editor needs a component class");
    if (!editorClass || !editorClass->InheritsFrom(TComponentEditor::StaticClass()))
        throw EInvalidArgument(
            Format("%s is not a component editor class", editorClass ? editorClass->ClassName() : String("(none)")));
    FComponentEditors.push_back({componentClass, editorClass});
}

namespace {

bool IsClassType(const TTypeInfo* type) {
    return type->Kind == tkClass && type->ClassType();
}

// Whether type is a class type deriving from base (a class type too). Interface types carry no
// ancestry here, so two of them are compatible only when they are the same type.
bool DerivesFrom(const TTypeInfo* type, const TTypeInfo* base) {
    if (type == base) return true;
    return IsClassType(type) && IsClassType(base) && type->ClassType()->InheritsFrom(base->ClassType());
}

} // namespace

TPropertyEditorClass TEditorRegistry::FindRegisteredEditor(const TPropInfo* propInfo, TClass instanceClass) const {
    const TTypeInfo* propType = propInfo->PropType;
    const TPropertyEditorRec* best = nullptr;
    for (auto it = FEditors.rbegin(); it != FEditors.rend(); ++it) {
        const TPropertyEditorRec& p = *it;
        bool typeMatches =
            p.PropertyType == propType ||
            (propType->Kind == tkClass && p.PropertyType->Kind == tkClass && DerivesFrom(propType, p.PropertyType));
        if (!typeMatches) continue;
        if (p.ComponentClass && !instanceClass->InheritsFrom(p.ComponentClass)) continue;
        if (!p.PropertyName.empty() && !SameText(p.PropertyName, propInfo->Name)) continue;
        if (!best) {
            best = &p;
            continue;
        }
        // An older match takes over only where it is more specific than the best so far.
        bool keep = (best->ComponentClass || !p.ComponentClass) &&
                    (!best->PropertyName.empty() || p.PropertyName.empty()) &&
                    (best->PropertyType == propType || p.PropertyType != propType) &&
                    (best->PropertyType == p.PropertyType || !DerivesFrom(p.PropertyType, best->PropertyType)) &&
                    (!p.ComponentClass || !best->ComponentClass || best->ComponentClass == p.ComponentClass ||
                     !p.ComponentClass->InheritsFrom(best->ComponentClass));
        if (!keep) best = &p;
    }
    return best ? best->EditorClass : nullptr;
}

TPropertyEditorClass TEditorRegistry::GetEditorClass(const TPropInfo* propInfo, TPersistent* instance) {
    for (const TPropertyMapperFunc& mapper : FMappers)
        if (TPropertyEditorClass mapped = mapper(instance, propInfo)) return mapped;
    TCacheKey key{instance->ClassType(), propInfo};
    auto cached = FEditorCache.find(key);
    if (cached != FEditorCache.end()) return cached->second;
    TPropertyEditorClass editorClass = FindRegisteredEditor(propInfo, instance->ClassType());
    if (!editorClass) editorClass = DefaultEditorClass(propInfo->Kind());
    FEditorCache.emplace(key, editorClass);
    return editorClass;
}

TInterfacePtr<IComponentEditor> TEditorRegistry::GetComponentEditor(TComponent* component, IDesigner* designer) {
    const TComponentEditorRec* best = nullptr;
    if (component)
        for (auto it = FComponentEditors.rbegin(); it != FComponentEditors.rend(); ++it)
            if (component->InheritsFrom(it->ComponentClass) &&
                (!best || (it->ComponentClass != best->ComponentClass &&
                           it->ComponentClass->InheritsFrom(best->ComponentClass))))
                best = &*it;
    TComponentEditorClass editorClass = best ? best->EditorClass : TDefaultEditor::StaticClass();
    return TInterfacePtr<IComponentEditor>(TComponentEditor::Create(editorClass, component, designer, this));
}

void TEditorRegistry::RegisterPropertyInCategory(const String& category,
                                                 const std::vector<TPropertyFilterEntry>& filters) {
    if (!FCategoryHook) return;
    for (const TPropertyFilterEntry& entry : filters) {
        if (auto* mask = std::get_if<String>(&entry))
            FCategoryHook->RegisterPropertyFilter(category, nullptr, nullptr, *mask, FCurrentGroup);
        else if (auto* cls = std::get_if<TClass>(&entry))
            FCategoryHook->RegisterPropertyFilter(category, *cls, nullptr, "", FCurrentGroup);
        else
            FCategoryHook->RegisterPropertyFilter(category, nullptr, std::get<const TTypeInfo*>(entry), "",
                                                  FCurrentGroup);
    }
}

void TEditorRegistry::RegisterPropertyInCategory(const String& category, TClass componentClass,
                                                 const String& nameMask) {
    if (FCategoryHook)
        FCategoryHook->RegisterPropertyFilter(category, componentClass, nullptr, nameMask, FCurrentGroup);
}

void TEditorRegistry::RegisterPropertiesInCategory(const String& category, TClass componentClass,
                                                   const std::vector<String>& nameMasks) {
    if (!FCategoryHook) return;
    for (const String& mask : nameMasks)
        FCategoryHook->RegisterPropertyFilter(category, componentClass, nullptr, mask, FCurrentGroup);
}

void TEditorRegistry::RegisterPropertiesInCategory(const String& category, const TTypeInfo* propertyType,
                                                   const std::vector<String>& nameMasks) {
    if (!FCategoryHook) return;
    for (const String& mask : nameMasks)
        FCategoryHook->RegisterPropertyFilter(category, nullptr, propertyType, mask, FCurrentGroup);
}

void TEditorRegistry::UnloadGroup(int group) {
    std::erase_if(FEditors, [group](const TPropertyEditorRec& rec) { return rec.Group == group; });
    FEditorCache.clear();
    if (FCategoryHook) FCategoryHook->UnregisterGroup(group);
}

} // namespace dw
