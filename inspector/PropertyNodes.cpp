#include "inspector/PropertyNodes.h"

#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Application.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

namespace {
// Undoes a BeginUpdate on every way out.
struct TUpdateGuard {
    TPropListRoot& Root;
    explicit TUpdateGuard(TPropListRoot& root) : Root(root) { Root.BeginUpdate(); }
    ~TUpdateGuard() { Root.EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
};
} // namespace

namespace {
bool IsReferenceEditor(IProperty* editor) {
    auto* reference = QueryIntf<IReferenceProperty>(editor);
    if (reference) reference->Release();
    return reference != nullptr;
}
} // namespace

TPropertyNode::TPropertyNode(IProperty* editor, const WideString& caption) : FPropEdit(editor) {
    SetCaption(caption);
}

TPropertyNodes* TPropertyNode::Nodes() const {
    return dynamic_cast<TPropertyNodes*>(const_cast<TPropertyNode*>(this)->Root());
}

bool TPropertyNode::HasChildren() const {
    if (FPropEdit->GetAttributes().Contains(paSubProperties)) return true;
    TPropertyNodes* nodes = Nodes();
    if (!nodes || !nodes->ExpandRefs) return false;
    auto* reference = QueryIntf<IReferenceProperty>(FPropEdit.get());
    if (!reference) return false;
    TComponent* component = reference->GetComponentReference();
    reference->Release();
    return component != nullptr;
}

bool TPropertyNode::IsReference() const {
    return IsReferenceEditor(FPropEdit.get());
}

bool TPropertyNode::IsUnderReference() const {
    auto* parent = dynamic_cast<TPropertyNode*>(Parent());
    return parent && (parent->IsReference() || parent->IsUnderReference());
}

bool TPropertyNode::IsDefault() const {
    auto* query = QueryIntf<IPropertyIsDefault>(FPropEdit.get());
    if (!query) return false;
    bool result = query->IsDefault();
    query->Release();
    return result;
}

bool TPropertyNode::IsExpandedComponent() const {
    const TTypeInfo* type = FPropEdit->GetPropType();
    return type->Kind == tkClass && type->ClassType() && type->ClassType()->InheritsFrom(TComponent::StaticClass()) &&
           Expanded();
}

TObject* TPropertyNode::OwnerObject() const {
    auto* parent = dynamic_cast<TPropertyNode*>(Parent());
    if (!parent) {
        TPropertyNodes* nodes = Nodes();
        return nodes ? nodes->Instance() : nullptr;
    }
    if (parent->PropEdit()->GetPropType()->Kind != tkClass) return parent->OwnerObject();
    TObject* owner = parent->OwnerObject();
    const TPropInfo* prop = owner ? GetPropInfo(owner, parent->GetName()) : nullptr;
    return prop ? GetObjectProp(owner, *prop) : nullptr;
}

TCategoryNode::TCategoryNode(TPropertyCategory* category, const String& name, const WideString& caption)
    : FCategory(category), FName(name) {
    SetCaption(caption);
}

// ---------------------------------------------------------------------------------------------

TPropertyNodes::TPropertyNodes(TCustomPropList* list, TEditorRegistry* registry)
    : TPropListRoot(list), FRegistry(registry) {}

TTypeKinds TPropertyNodes::EffectiveTypeKinds() const {
    switch (TypeSelector) {
    case tsProperties:
        return tkProperties;
    case tsEvents:
        return tkMethods;
    default:
        return TypeKinds;
    }
}

bool TPropertyNodes::AcceptProperty(IProperty* editor, WideString& name) {
    bool accept = false;
    try {
        accept =
            (KindBit(editor->GetPropType()->Kind) & EffectiveTypeKinds()) || (IncludeRefs && IsReferenceEditor(editor));
        name = Utf8ToWide(editor->GetName());
        if (OnAcceptProperty) OnAcceptProperty(editor, name, accept);
    } catch (const Exception&) {
        // The property is listed only if it was accepted before the failure.
    }
    return accept;
}

void TPropertyNodes::BuildTree(IDesignerSelections* selection, IDesigner* designer) {
    TUpdateGuard update(*this);
    TPropListRoot::ClearChildren();
    FDesigner = designer;
    FInstance = nullptr;
    FExpandingNode = nullptr;
    FDefaultCategoryNode = nullptr;
    if (!selection || selection->Count() == 0 || !FRegistry) return;
    try {
        TTypeKinds kinds = EffectiveTypeKinds();
        if (IncludeRefs) kinds |= KindBit(tkClass);
        if (ByCategories && FCategories) {
            for (int i = 0; i < FCategories->CategoryCount(); ++i) {
                TPropertyCategory* category = FCategories->Category(i);
                String name = FCategories->CategoryName(category);
                WideString caption = Utf8ToWide(name);
                bool accept = true;
                if (OnAcceptCategory) OnAcceptCategory(caption, accept);
                if (!accept) continue;
                auto* node =
                    static_cast<TCategoryNode*>(AddChild(std::make_unique<TCategoryNode>(category, name, caption)));
                if (category == FCategories->DefaultCategory()) FDefaultCategoryNode = node;
            }
        }
        FRegistry->SetShowReadOnlyProps(ShowReadOnly);
        FInstance = selection->Get(0);
        FRegistry->GetComponentProperties(selection, kinds, designer, [this](IProperty* p) { AddProperty(p); });
        if (ByCategories && FCategories)
            for (int i = ChildCount() - 1; i >= 0; --i)
                if (dynamic_cast<TCategoryNode*>(Child(i)) && Child(i)->ChildCount() == 0) {
                    if (Child(i) == FDefaultCategoryNode) FDefaultCategoryNode = nullptr;
                    DeleteChild(i);
                }
    } catch (const Exception&) {
        if (Application)
            Application->MessageBox("Possibly no one property editor registered by system", "Property Error",
                                    MB_ICONERROR);
    }
}

void TPropertyNodes::Rebuild(IDesignerSelections* selection, IDesigner* designer) {
    TUpdateGuard update(*this);
    SaveState();
    TPropListRoot::ClearChildren();
    BuildTree(selection, designer);
}

void TPropertyNodes::AddProperty(IProperty* editor) {
    WideString name;
    if (!AcceptProperty(editor, name)) return;
    if (FExpandingNode) {
        FExpandingNode->AddChild(std::make_unique<TPropertyNode>(editor, name));
        return;
    }
    if (ByCategories && FCategories) {
        bool matched = false;
        TClass instanceClass = FInstance ? FInstance->ClassType() : nullptr;
        for (int i = 0; i < ChildCount(); ++i) {
            auto* node = dynamic_cast<TCategoryNode*>(Child(i));
            if (!node || node == FDefaultCategoryNode) continue;
            if (FCategories->Matches(node->Category(), editor->GetName(), instanceClass, editor->GetPropType())) {
                node->AddChild(std::make_unique<TPropertyNode>(editor, name));
                matched = true;
            }
        }
        if (!matched && FDefaultCategoryNode)
            FDefaultCategoryNode->AddChild(std::make_unique<TPropertyNode>(editor, name));
        return;
    }
    AddChild(std::make_unique<TPropertyNode>(editor, name));
}

void TPropertyNodes::CreateChildren(TPropertyItem* item) {
    auto* node = dynamic_cast<TPropertyNode*>(item);
    if (!node || !node->HasChildren() || !FRegistry) return;
    TUpdateGuard update(*this);
    TPropertyItem* outer = FExpandingNode;
    FExpandingNode = node;
    struct TRestore {
        TPropertyItem*& Target;
        TPropertyItem* Value;
        ~TRestore() { Target = Value; }
    } restore{FExpandingNode, outer};
    FRegistry->SetShowReadOnlyProps(ShowReadOnly);
    if (node->PropEdit()->GetAttributes().Contains(paSubProperties)) {
        node->PropEdit()->GetProperties([this](IProperty* p) { AddProperty(p); });
        return;
    }
    auto* reference = QueryIntf<IReferenceProperty>(node->PropEdit());
    if (!reference) return;
    TComponent* component = reference->GetComponentReference();
    reference->Release();
    if (!component) return;
    TInterfacePtr<IDesignerSelections> selection = TDesignerSelections::Make();
    selection->Add(component);
    FRegistry->GetComponentProperties(selection.get(), EffectiveTypeKinds(), FDesigner,
                                      [this](IProperty* p) { AddProperty(p); });
}

} // namespace dw
