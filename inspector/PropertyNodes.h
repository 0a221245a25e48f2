// The items of the inspector's tree: a node per property editor, category nodes, and
// TPropertyNodes, the root that fills the tree from the property editors of a selection.
#pragma once

#include "framework/designtime/EditorRegistry.h"
#include "inspector/PropertyItem.h"

#include <functional>

namespace dw {

DW_ENUM(TTypeSelector, tsProperties, tsEvents, tsCustom)

class TPropertyNodes;

// A property category as the category registry keeps it; the tree only holds it.
class TPropertyCategory;

// The category registry as the tree asks it: the categories in registry order, the default one
// ("Miscellaneous") and whether one matches a property.
class IPropertyCategorySource {
public:
    virtual int CategoryCount() = 0;
    virtual TPropertyCategory* Category(int index) = 0;
    virtual String CategoryName(TPropertyCategory* category) = 0;
    virtual TPropertyCategory* DefaultCategory() = 0;
    virtual bool Matches(TPropertyCategory* category, const String& propertyName, TClass componentClass,
                         const TTypeInfo* propertyType) = 0;

protected:
    ~IPropertyCategorySource() = default;
};

class TPropertyNode : public TPropertyItem {
public:
    TPropertyNode(IProperty* editor, const WideString& caption);
    IProperty* PropEdit() const { return FPropEdit.get(); }

    String GetName() const override { return FPropEdit->GetName(); }
    // Sub-properties, or (with ExpandRefs) a component that a reference points at.
    bool HasChildren() const override;

    // The editor answers the component-reference query (the reference may be empty).
    bool IsReference() const;
    // The parent is a property node that is a reference or is under one.
    bool IsUnderReference() const;
    // The editor answers the is-default query with true.
    bool IsDefault() const;
    // A component-typed property whose node is expanded.
    bool IsExpandedComponent() const;
    // The object that holds this node's property.
    TObject* OwnerObject() const;

private:
    TPropertyNodes* Nodes() const;
    TInterfacePtr<IProperty> FPropEdit;
};

class TCategoryNode : public TPropertyItem {
public:
    TCategoryNode(TPropertyCategory* category, const String& name, const WideString& caption);
    TPropertyCategory* Category() const { return FCategory; }
    String GetName() const override { return FName; }
    bool HasChildren() const override { return ChildCount() > 0; }
    bool HasValueColumn() const override { return false; }
    // Collapsing a category only hides its children.
    void ClearChildren() override {}

private:
    TPropertyCategory* FCategory;
    String FName;
};

class TPropertyNodes : public TPropListRoot {
public:
    TPropertyNodes(TCustomPropList* list, TEditorRegistry* registry);

    // The inspector's settings the tree follows.
    TTypeKinds TypeKinds = tkProperties;
    TTypeSelector TypeSelector = tsProperties;
    bool ByCategories = false;
    bool ExpandRefs = false;
    bool IncludeRefs = false;
    bool ShowReadOnly = false;
    // (editor, var name, var accept); may change both.
    std::function<void(IProperty* editor, WideString& name, bool& accept)> OnAcceptProperty;
    // (var name, var accept).
    std::function<void(WideString& name, bool& accept)> OnAcceptCategory;

    void SetEditorRegistry(TEditorRegistry* registry) { FRegistry = registry; }
    TEditorRegistry* EditorRegistry() const { return FRegistry; }
    void SetCategorySource(IPropertyCategorySource* source) { FCategories = source; }

    // tsProperties: every kind but unknown and method; tsEvents: method; tsCustom: TypeKinds.
    TTypeKinds EffectiveTypeKinds() const;
    // Whether an editor becomes a node, and under which name; failures count as refusals unless
    // the property was accepted before them.
    virtual bool AcceptProperty(IProperty* editor, WideString& name);

    // Fills the tree for a selection; an empty one leaves it empty.
    void BuildTree(IDesignerSelections* selection, IDesigner* designer);
    // The whole rebuild after a change: expansion, top row and selection come back by path.
    void Rebuild(IDesignerSelections* selection, IDesigner* designer);
    void CreateChildren(TPropertyItem* item) override;
    void AddProperty(IProperty* editor);

    TPersistent* Instance() const { return FInstance; }
    IDesigner* Designer() const { return FDesigner; }

private:
    TEditorRegistry* FRegistry;
    IPropertyCategorySource* FCategories = nullptr;
    TPersistent* FInstance = nullptr;
    IDesigner* FDesigner = nullptr;
    TPropertyItem* FExpandingNode = nullptr;
    TCategoryNode* FDefaultCategoryNode = nullptr;
};

} // namespace dw
