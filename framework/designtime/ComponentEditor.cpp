#include "framework/designtime/ComponentEditor.h"

#include "framework/designtime/EditorRegistry.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TComponentEditor) {}
DW_DEFINE_CLASS(TDefaultEditor) {}

TComponentEditor* TComponentEditor::Create(TComponentEditorClass editorClass, TComponent* component,
                                           IDesigner* designer, TEditorRegistry* registry) {
    if (!editorClass || !editorClass->InheritsFrom(TComponentEditor::StaticClass()))
        throw EInvalidArgument(
            Format("%s is not a component editor class", editorClass ? editorClass->ClassName() : String("(none)")));
    auto* editor = static_cast<TComponentEditor*>(editorClass->Create());
    editor->FComponent = component;
    editor->FDesigner = designer;
    editor->FRegistry = registry;
    return editor;
}

HRESULT TComponentEditor::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IComponentEditor::IID || iid == IInterface::IID) {
        *obj = static_cast<IComponentEditor*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TComponentEditor::Release() {
    int count = --FRefCount;
    if (count == 0) Free();
    return count;
}

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0) ExecuteVerb(0);
}

namespace {
// The events a double click prefers, best first.
constexpr const char* PreferredEvents[] = {"ONCREATE", "ONCHANGE", "ONCHANGED", "ONCLICK"};

int EventRank(const String& name) {
    for (int i = 0; i < 4; ++i)
        if (SameText(name, PreferredEvents[i])) return i;
    return 4;
}
} // namespace

void TDefaultEditor::Edit() {
    if (!GetComponent() || !Registry()) return;
    TInterfacePtr<IDesignerSelections> components = TDesignerSelections::Make();
    components->Add(GetComponent());
    bool continueIterating = true;
    Registry()->GetComponentProperties(components.get(), tkMethods, GetDesigner(), [&](IProperty* prop) {
        if (continueIterating) EditProperty(prop, continueIterating);
    });
    if (continueIterating) {
        TInterfacePtr<IProperty> chosen = FBest ? FBest : FFirst;
        FBest = {};
        FFirst = {};
        if (chosen) chosen->Edit();
    }
    FBest = {};
    FFirst = {};
}

void TDefaultEditor::EditProperty(IProperty* prop, bool& continueIterating) {
    (void)continueIterating;
    if (prop->GetPropType()->Kind != tkMethod) return;
    if (!FFirst) FFirst = TInterfacePtr<IProperty>(prop);
    int rank = EventRank(prop->GetName());
    if (rank < 4 && (!FBest || rank < EventRank(FBest->GetName()))) FBest = TInterfacePtr<IProperty>(prop);
}

} // namespace dw
