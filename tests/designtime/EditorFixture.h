// Helpers for the property and component editor tests: a designer that answers from a plain
// root without the designer component, a component with one published property of each kind
// the editors serve, and a fixture with a headless screen and a form of real controls.
#pragma once

#include "framework/controls/forms/Form.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/designtime/EditorRegistry.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace dw::test {

// The designer's answers that editors use, from the root's owned components; event handlers
// are names it keeps (there is no code behind them). Everything else answers neutrally.
class TTestDesigner : public IDesigner {
public:
    explicit TTestDesigner(TComponent* root) : FRoot(root) {}
    int ModifiedCount = 0;
    std::vector<String> Shown;
    std::vector<std::pair<String, String>> Renamed;
    std::vector<String> Handlers;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }

    void Activate() override {}
    void Modified() override { ++ModifiedCount; }
    TMethod CreateMethod(const String& name, const TTypeInfo*) override;
    String GetMethodName(const TMethod& method) override;
    void GetMethods(const TTypeInfo*, const TGetStrProc& proc) override {
        for (const String& name : Handlers) proc(name);
    }
    String GetPathAndBaseExeName() override { return {}; }
    String GetPrivateDirectory() override { return {}; }
    String GetBaseRegKey() override { return {}; }
    TObject* GetIDEOptions() override { return nullptr; }
    void GetSelections(IDesignerSelections*) override {}
    bool MethodExists(const String& name) override { return IndexOfHandler(name) >= 0; }
    void RenameMethod(const String& curName, const String& newName) override;
    void SelectComponent(TPersistent*) override {}
    void SetSelections(IDesignerSelections*) override {}
    void ShowMethod(const String& name) override { Shown.push_back(name); }
    void GetComponentNames(const TTypeInfo* typeData, const TGetStrProc& proc) override;
    TComponent* GetComponent(const String& name) override { return FRoot->FindComponent(name); }
    String GetComponentName(TComponent* component) override { return component->Name(); }
    TPersistent* GetObject(const String&) override { return nullptr; }
    String GetObjectName(TPersistent* instance) override;
    void GetObjectNames(const TTypeInfo*, const TGetStrProc&) override {}
    bool MethodFromAncestor(const TMethod&) override { return false; }
    TComponent* CreateComponent(TClass, TComponent*, int, int, int, int) override { return nullptr; }
    TComponent* CreateCurrentComponent(TComponent*, const TRect&) override { return nullptr; }
    bool IsComponentLinkable(TComponent*) override { return false; }
    bool IsComponentHidden(TComponent*) override { return false; }
    void MakeComponentLinkable(TComponent*) override {}
    void Revert(TPersistent*, const TPropInfo*) override {}
    bool GetIsDormant() override { return false; }
    void GetProjectModules(const TGetStrProc&) override {}
    IDesigner* GetAncestorDesigner() override { return nullptr; }
    bool IsSourceReadOnly() override { return false; }
    TPoint GetScrollRanges(const TPoint& p) override { return p; }
    void Edit(TComponent*) override {}
    void ChainCall(const String&, const String&, const String&, const TTypeInfo*) override {}
    void CopySelection() override {}
    void CutSelection() override {}
    bool CanPaste() override { return false; }
    void PasteSelection() override {}
    void DeleteSelection(bool) override {}
    void ClearSelection() override {}
    void NoSelection() override {}
    void ModuleFileNames(String&, String&, String&) override {}
    String GetRootClassName() override { return FRoot->ClassName(); }
    String UniqueName(const String& baseName) override { return baseName + "1"; }
    TComponent* GetRoot() override { return FRoot; }
    TShiftState GetShiftState() override { return {}; }
    void ModalEdit(char, IInterface*) override {}
    void SelectItemName(const String&) override {}
    void Resurrect() override {}
    TObject* GetActiveClassGroup() override { return nullptr; }
    TComponent* FindRootAncestor(const String&) override { return nullptr; }

private:
    int IndexOfHandler(const String& name) const;
    TComponent* FRoot;
    // Handler i's code is the address of slot i.
    char FSlots[64] = {};
};

DW_EVENT(TTestEvent, (TObject*), "Sender: TObject");

// One published property of each kind the editors serve. Count refuses values above Limit, so
// one of several objects can refuse what the others accept; Broken cannot be read.
class TEditorTestComponent : public TComponent {
    DW_CLASS(TEditorTestComponent, TComponent)
    using TComponent::TComponent;

    int FCount = 0;
    int Limit = 1000;
    Int64 FBig = 0;
    char FLetter = 'A';
    float FRatio = 0.5f;
    double FAmount = 0;
    TDateTime FWhen{};
    double FDay = 0;
    double FClock = 0;
    Variant FData;
    TComponent* FRef = nullptr;
    TPopupMenu* FMenu = nullptr;
    TTestEvent FOnClick, FOnChanged, FOnAlpha;

    int Count() const { return FCount; }
    void SetCount(int value) {
        if (value > Limit) throw EPropertyError(Format("Count %d is above the limit %d", value, Limit));
        FCount = value;
    }
    void SetRef(TComponent* value) { FRef = value; }
};

// Only events, to see which one a double click picks.
class TOneEventComponent : public TComponent {
    DW_CLASS(TOneEventComponent, TComponent)
    using TComponent::TComponent;
    TTestEvent FOnBeta, FOnGamma;
};
class TCreateEventComponent : public TComponent {
    DW_CLASS(TCreateEventComponent, TComponent)
    using TComponent::TComponent;
    TTestEvent FOnClick, FOnChange, FOnCreate;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The editors of the objects' common properties of the kinds, by name.
    std::map<String, TInterfacePtr<IProperty>> Editors(std::initializer_list<TPersistent*> objects,
                                                       TTypeKinds kinds = tkAny);
    // The names in enumeration order.
    std::vector<String> Names(std::initializer_list<TPersistent*> objects, TTypeKinds kinds = tkProperties);
    TInterfacePtr<IProperty> Editor(std::initializer_list<TPersistent*> objects, const String& name);

    TEditorRegistry Registry;
    TObjectPtr<TForm> Form;
    std::unique_ptr<TTestDesigner> Designer;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TEditorTestComponent* Test1 = nullptr;
    TEditorTestComponent* Test2 = nullptr;
};

} // namespace dw::test
