#include "EditorFixture.h"

#include "framework/designtime/VclPropEdits.h"
#include "framework/rtl/ClassInfo.h"

namespace dw::test {

HRESULT TTestDesigner::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IDesigner::IID || iid == IInterface::IID) {
        *obj = static_cast<IDesigner*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TTestDesigner::IndexOfHandler(const String& name) const {
    for (size_t i = 0; i < Handlers.size(); ++i)
        if (SameText(Handlers[i], name)) return static_cast<int>(i);
    return -1;
}

TMethod TTestDesigner::CreateMethod(const String& name, const TTypeInfo*) {
    if (name.empty()) return {};
    int index = IndexOfHandler(name);
    if (index < 0) {
        Handlers.push_back(name);
        index = static_cast<int>(Handlers.size()) - 1;
    }
    return TMethod{&FSlots[index], FRoot};
}

String TTestDesigner::GetMethodName(const TMethod& method) {
    auto offset = static_cast<char*>(method.Code) - FSlots;
    if (offset < 0 || offset >= static_cast<std::ptrdiff_t>(Handlers.size())) return {};
    return Handlers[static_cast<size_t>(offset)];
}

void TTestDesigner::RenameMethod(const String& curName, const String& newName) {
    int index = IndexOfHandler(curName);
    if (index >= 0) Handlers[static_cast<size_t>(index)] = newName;
    Renamed.emplace_back(curName, newName);
}

void TTestDesigner::GetComponentNames(const TTypeInfo* typeData, const TGetStrProc& proc) {
    TClass cls = typeData ? typeData->ClassType() : nullptr;
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* c = FRoot->Components(i);
        if (!c->Name().empty() && (!cls || c->InheritsFrom(cls))) proc(c->Name());
    }
}

String TTestDesigner::GetObjectName(TPersistent* instance) {
    auto* component = As<TComponent>(instance);
    return component ? component->Name() : instance->GetNamePath();
}

DW_DEFINE_CLASS(TEditorTestComponent) {
    c.Property("Count", &TEditorTestComponent::Count, &TEditorTestComponent::SetCount).Default(0);
    c.Property("Big", &TEditorTestComponent::FBig, &TEditorTestComponent::FBig);
    c.Property("Letter", &TEditorTestComponent::FLetter, &TEditorTestComponent::FLetter);
    c.Property("Ratio", &TEditorTestComponent::FRatio, &TEditorTestComponent::FRatio);
    c.Property("Amount", &TEditorTestComponent::FAmount, &TEditorTestComponent::FAmount);
    c.Property("When", &TEditorTestComponent::FWhen, &TEditorTestComponent::FWhen);
    c.Property("Day", &TEditorTestComponent::FDay, &TEditorTestComponent::FDay).Type(DateTypeInfo());
    c.Property("Clock", &TEditorTestComponent::FClock, &TEditorTestComponent::FClock).Type(TimeTypeInfo());
    c.Property("Data", &TEditorTestComponent::FData, &TEditorTestComponent::FData);
    c.Property("Ref", &TEditorTestComponent::FRef, &TEditorTestComponent::SetRef);
    c.Property("Menu", &TEditorTestComponent::FMenu, &TEditorTestComponent::FMenu);
    c.Property("Counter", [](const TEditorTestComponent* self) { return self->FCount * 2; });
    c.Property(
        "Broken", [](const TEditorTestComponent*) -> int { throw EPropertyError("Broken cannot be read"); },
        [](TEditorTestComponent*, int) {});
    c.Event("OnAlpha", &TEditorTestComponent::FOnAlpha);
    c.Event("OnChanged", &TEditorTestComponent::FOnChanged);
    c.Event("OnClick", &TEditorTestComponent::FOnClick);
}

DW_DEFINE_CLASS(TOneEventComponent) {
    c.Event("OnBeta", &TOneEventComponent::FOnBeta);
    c.Event("OnGamma", &TOneEventComponent::FOnGamma);
}

DW_DEFINE_CLASS(TCreateEventComponent) {
    c.Event("OnChange", &TCreateEventComponent::FOnChange);
    c.Event("OnClick", &TCreateEventComponent::FOnClick);
    c.Event("OnCreate", &TCreateEventComponent::FOnCreate);
}

void EditorTest::SetUp() {
    SetBackend(std::make_unique<THeadlessBackend>());
    Form.reset(New<TForm>(nullptr, CreateNew));
    Form->SetName("Form1");
    Designer = std::make_unique<TTestDesigner>(Form.get());
    auto place = [this]<class T>(T* control, const char* name, int left) {
        control->SetName(name);
        control->SetLeft(left);
        control->SetParent(Form.get());
        return control;
    };
    Button1 = place(New<TButton>(Form.get()), "Button1", 8);
    Button2 = place(New<TButton>(Form.get()), "Button2", 100);
    Label1 = place(New<TLabel>(Form.get()), "Label1", 200);
    PopupMenu1 = New<TPopupMenu>(Form.get());
    PopupMenu1->SetName("PopupMenu1");
    Test1 = New<TEditorTestComponent>(Form.get());
    Test1->SetName("Test1");
    Test2 = New<TEditorTestComponent>(Form.get());
    Test2->SetName("Test2");
}

void EditorTest::TearDown() {
    Form.reset();
    SetBackend(std::make_unique<THeadlessBackend>());
}

std::map<String, TInterfacePtr<IProperty>> EditorTest::Editors(std::initializer_list<TPersistent*> objects,
                                                               TTypeKinds kinds) {
    TInterfacePtr<IDesignerSelections> selection = TDesignerSelections::Make();
    for (TPersistent* object : objects) selection->Add(object);
    std::map<String, TInterfacePtr<IProperty>> editors;
    Registry.GetComponentProperties(selection.get(), kinds, Designer.get(), [&](IProperty* prop) {
        editors[prop->GetName()] = TInterfacePtr<IProperty>(prop);
    });
    return editors;
}

std::vector<String> EditorTest::Names(std::initializer_list<TPersistent*> objects, TTypeKinds kinds) {
    TInterfacePtr<IDesignerSelections> selection = TDesignerSelections::Make();
    for (TPersistent* object : objects) selection->Add(object);
    std::vector<String> names;
    Registry.GetComponentProperties(selection.get(), kinds, Designer.get(),
                                    [&](IProperty* prop) { names.push_back(prop->GetName()); });
    return names;
}

TInterfacePtr<IProperty> EditorTest::Editor(std::initializer_list<TPersistent*> objects, const String& name) {
    auto editors = Editors(objects);
    auto found = editors.find(name);
    if (found == editors.end()) return {};
    return found->second;
}

} // namespace dw::test
