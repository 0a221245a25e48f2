// TEditorRegistry: the property editor, mapper, component editor and category registrations of
// one design environment, the choice of an editor class for a property and of a component editor
// for a component, and the enumeration of property editors for a selection. A new registry holds
// the framework's own editors for the common types; registrations made later win over them.
#pragma once

#include "framework/designtime/ComponentEditor.h"
#include "framework/designtime/PropEdit.h"

#include <unordered_map>
#include <variant>
#include <vector>

namespace dw {

// Asked for every property before the registrations: an editor class, or null to pass.
using TPropertyMapperFunc = std::function<TPropertyEditorClass(TPersistent* instance, const TPropInfo* propInfo)>;

// Where the category entries end: the category registry installs it (a filter per call).
class IPropertyCategoryHook {
public:
    virtual void RegisterPropertyFilter(const String& category, TClass componentClass, const TTypeInfo* propertyType,
                                        const String& nameMask, int group) = 0;
    virtual void UnregisterGroup(int group) = 0;

protected:
    ~IPropertyCategoryHook() = default;
};

// One entry of a category's filter list: a property name mask, a component class or a type.
using TPropertyFilterEntry = std::variant<String, TClass, const TTypeInfo*>;

class TEditorRegistry {
public:
    TEditorRegistry();
    TEditorRegistry(const TEditorRegistry&) = delete;
    TEditorRegistry& operator=(const TEditorRegistry&) = delete;

    // --- Registration entries
    // The editor for properties of that type, on instances of componentClass (or any when null),
    // named propertyName (or any when empty). The editor class must derive from TPropertyEditor.
    void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass, const String& propertyName,
                                TPropertyEditorClass editorClass);
    void RegisterPropertyMapper(TPropertyMapperFunc mapper);
    // The editor class must derive from TComponentEditor.
    void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass);

    // Category entries; without a hook they do nothing.
    void SetCategoryHook(IPropertyCategoryHook* hook) { FCategoryHook = hook; }
    void RegisterPropertyInCategory(const String& category, const std::vector<TPropertyFilterEntry>& filters);
    void RegisterPropertyInCategory(const String& category, TClass componentClass, const String& nameMask);
    void RegisterPropertiesInCategory(const String& category, TClass componentClass,
                                      const std::vector<String>& nameMasks);
    void RegisterPropertiesInCategory(const String& category, const TTypeInfo* propertyType,
                                      const std::vector<String>& nameMasks);
    // The registration group that new registrations belong to, and the unloading of one.
    int CurrentGroup() const { return FCurrentGroup; }
    void SetCurrentGroup(int group) { FCurrentGroup = group; }
    void UnloadGroup(int group);

    // --- Choices
    // Mappers in registration order, then the registrations from the newest, then the default
    // editor of the property's type kind.
    TPropertyEditorClass GetEditorClass(const TPropInfo* propInfo, TPersistent* instance);
    // A new component editor for the component: the registration of the most derived class (the
    // newest of equals), else TDefaultEditor.
    TInterfacePtr<IComponentEditor> GetComponentEditor(TComponent* component, IDesigner* designer);

    // --- Enumeration
    // Whether properties without a setter are listed (the inspector sets it before each call).
    bool ShowReadOnlyProps() const { return FShowReadOnlyProps; }
    void SetShowReadOnlyProps(bool value) { FShowReadOnlyProps = value; }
    // One call per property editor: for one object every readable published property of the
    // kinds that is writable (or class-typed, or read-only with the switch on) and available; for
    // several only the properties all of them have by name and type, whose editor class is the
    // same for each and allows multi-select. In the first object's order by name.
    void GetComponentProperties(IDesignerSelections* components, TTypeKinds filter, IDesigner* designer,
                                const TGetPropProc& proc);

private:
    struct TPropertyEditorRec {
        const TTypeInfo* PropertyType;
        TClass ComponentClass;
        String PropertyName;
        TPropertyEditorClass EditorClass;
        int Group;
    };
    struct TComponentEditorRec {
        TClass ComponentClass;
        TComponentEditorClass EditorClass;
    };
    struct TCacheKey {
        TClass InstanceClass;
        const TPropInfo* PropInfo;
        bool operator==(const TCacheKey&) const = default;
    };
    struct TCacheKeyHash {
        size_t operator()(const TCacheKey& key) const {
            return std::hash<const void*>()(key.InstanceClass) * 31 + std::hash<const void*>()(key.PropInfo);
        }
    };

    TPropertyEditorClass FindRegisteredEditor(const TPropInfo* propInfo, TClass instanceClass) const;
    void RegisterFrameworkEditors();

    std::vector<TPropertyEditorRec> FEditors;
    std::vector<TPropertyMapperFunc> FMappers;
    std::vector<TComponentEditorRec> FComponentEditors;
    // The registrations' answer depends only on the instance's class and the property, so it is
    // kept per pair until the next registration.
    std::unordered_map<TCacheKey, TPropertyEditorClass, TCacheKeyHash> FEditorCache;
    IPropertyCategoryHook* FCategoryHook = nullptr;
    int FCurrentGroup = 0;
    bool FShowReadOnlyProps = false;
};

// The editor class for a type kind when no registration matches.
TPropertyEditorClass DefaultEditorClass(TTypeKind kind);

} // namespace dw
