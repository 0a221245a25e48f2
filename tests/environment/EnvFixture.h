// Helpers for the design environment tests: a designer that counts its references and records
// what it is asked, a listener that records every notification into a shared log, and a fixture
// with a headless screen and the environment started.
#pragma once

#include "environment/DesignerManager.h"
#include "environment/PackageMng.h"
#include "environment/Startup.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace dw::test {

// A designer interface with neutral answers. It is not freed by its references; Refs() shows
// whether holders balanced AddRef and Release.
class TFakeDesigner : public IDesigner, public IImplementation {
public:
    explicit TFakeDesigner(TObject* instance = nullptr) : FInstance(instance) {}
    int Refs() const { return FRefs; }

    // What GetSelections reports.
    std::vector<TPersistent*> Selection;
    struct TCreateCall {
        TClass ComponentClass;
        TComponent* Parent;
        int Left, Top, Width, Height;
    };
    std::vector<TCreateCall> Created;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IDesigner::IID || iid == IInterface::IID) {
            *obj = static_cast<IDesigner*>(this);
        } else if (iid == IImplementation::IID && FInstance) {
            *obj = static_cast<IImplementation*>(this);
        } else {
            *obj = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    int AddRef() override { return ++FRefs; }
    int Release() override { return --FRefs; }
    TObject* GetInstance() override { return FInstance; }

    void Activate() override {}
    void Modified() override {}
    TMethod CreateMethod(const String&, const TTypeInfo*) override { return {}; }
    String GetMethodName(const TMethod&) override { return {}; }
    void GetMethods(const TTypeInfo*, const TGetStrProc&) override {}
    String GetPathAndBaseExeName() override { return {}; }
    String GetPrivateDirectory() override { return {}; }
    String GetBaseRegKey() override { return {}; }
    TObject* GetIDEOptions() override { return nullptr; }
    void GetSelections(IDesignerSelections* list) override {
        for (TPersistent* item : Selection) list->Add(item);
    }
    bool MethodExists(const String&) override { return false; }
    void RenameMethod(const String&, const String&) override {}
    void SelectComponent(TPersistent*) override {}
    void SetSelections(IDesignerSelections*) override {}
    void ShowMethod(const String&) override {}
    void GetComponentNames(const TTypeInfo*, const TGetStrProc&) override {}
    TComponent* GetComponent(const String&) override { return nullptr; }
    String GetComponentName(TComponent*) override { return {}; }
    TPersistent* GetObject(const String&) override { return nullptr; }
    String GetObjectName(TPersistent*) override { return {}; }
    void GetObjectNames(const TTypeInfo*, const TGetStrProc&) override {}
    bool MethodFromAncestor(const TMethod&) override { return false; }
    TComponent* CreateComponent(TClass componentClass, TComponent* parent, int left, int top, int width,
                                int height) override {
        Created.push_back({componentClass, parent, left, top, width, height});
        return nullptr;
    }
    TComponent* CreateCurrentComponent(TComponent*, const TRect&) override { return nullptr; }
    bool IsComponentLinkable(TComponent*) override { return false; }
    bool IsComponentHidden(TComponent*) override { return false; }
    void MakeComponentLinkable(TComponent*) override {}
    void Revert(TPersistent*, const TPropInfo*) override {}
    bool GetIsDormant() override { return false; }
    void GetProjectModules(const TGetStrProc&) override {}
    IDesigner* GetAncestorDesigner() override { return nullptr; }
    bool IsSourceReadOnly() override { return false; }
    TPoint GetScrollRanges(const TPoint& scrollPosition) override { return scrollPosition; }
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
    String GetRootClassName() override { return {}; }
    String UniqueName(const String& baseName) override { return baseName + "1"; }
    TComponent* GetRoot() override { return nullptr; }
    TShiftState GetShiftState() override { return {}; }
    void ModalEdit(char, IInterface*) override {}
    void SelectItemName(const String&) override {}
    void Resurrect() override {}
    TObject* GetActiveClassGroup() override { return nullptr; }
    TComponent* FindRootAncestor(const String&) override { return nullptr; }

private:
    TObject* FInstance;
    int FRefs = 0;
};

// The interfaces a TRecordingListener answers.
enum TListens : unsigned { lsNotification = 1, lsPalette = 2, lsHook = 4 };

// Records every call as "<name>:<operation>" into a log shared by several listeners. Throw names
// an operation that raises (after it was logged).
class TRecordingListener : public IDesignNotification, public IPaletteNotification, public IDesignEnvironmentHook {
public:
    TRecordingListener(String name, std::vector<String>& log, unsigned listens)
        : FName(std::move(name)), FLog(log), FListens(listens) {}

    String Throw;
    // Answers of the hook operations.
    bool StopRootComponents = false;
    std::vector<TComponent*> Roots;
    bool StopNewRootPosition = false;
    TPoint NewRootPosition;
    // DesignerKeyDown/KeyPress zero the key when set.
    bool EatKey = false;
    // FilterComponentClass sets these when set.
    bool Reject = false;
    String RenamePage;
    IDesigner* LastDesigner = nullptr;
    IDesignerSelections* LastSelection = nullptr;
    int LastSelectionCount = -1;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        *obj = nullptr;
        if (iid == IDesignNotification::IID && (FListens & lsNotification))
            *obj = static_cast<IDesignNotification*>(this);
        else if (iid == IPaletteNotification::IID && (FListens & lsPalette))
            *obj = static_cast<IPaletteNotification*>(this);
        else if (iid == IDesignEnvironmentHook::IID && (FListens & lsHook))
            *obj = static_cast<IDesignEnvironmentHook*>(this);
        else if (iid == IInterface::IID)
            *obj = static_cast<IDesignNotification*>(this);
        return *obj ? S_OK : E_NOINTERFACE;
    }
    int AddRef() override { return -1; }
    int Release() override { return -1; }
    // The pointer registered with the manager.
    IInterface* Intf() { return static_cast<IDesignNotification*>(this); }

    void ItemDeleted(IDesigner* d, TPersistent*) override { Note("ItemDeleted", d); }
    void ItemInserted(IDesigner* d, TPersistent*) override { Note("ItemInserted", d); }
    void ItemsModified(IDesigner* d) override { Note("ItemsModified", d); }
    void SelectionChanged(IDesigner* d, IDesignerSelections* selection) override {
        LastSelection = selection;
        LastSelectionCount = selection ? selection->Count() : -1;
        Note("SelectionChanged", d);
    }
    void DesignerOpened(IDesigner* d, bool) override { Note("DesignerOpened", d); }
    void DesignerClosed(IDesigner* d, bool) override { Note("DesignerClosed", d); }
    void ComponentClassChanged() override { Note("ComponentClassChanged"); }
    void PaletteChanged() override { Note("PaletteChanged"); }
    void ActiveDesignerChanged() override { Note("ActiveDesignerChanged"); }
    bool GetRootComponents(TComponent*, std::vector<TComponent*>& list) override {
        Note("GetRootComponents");
        list.insert(list.end(), Roots.begin(), Roots.end());
        return StopRootComponents;
    }
    void DesignerKeyDown(IDesigner* d, Word& key, TShiftState) override {
        Note("DesignerKeyDown", d);
        if (EatKey) key = 0;
    }
    void DesignerKeyPress(IDesigner* d, char32_t& key) override {
        Note("DesignerKeyPress", d);
        if (EatKey) key = 0;
    }
    bool GetNewRootPosition(TPoint& point) override {
        Note("GetNewRootPosition");
        if (StopNewRootPosition) point = NewRootPosition;
        return StopNewRootPosition;
    }
    void FilterComponentClass(TClass, String& page, bool& accept) override {
        Note("FilterComponentClass");
        if (Reject) accept = false;
        if (!RenamePage.empty()) page = RenamePage;
    }

private:
    void Note(const char* operation, IDesigner* designer = nullptr) {
        if (designer) LastDesigner = designer;
        FLog.push_back(FName + ":" + operation);
        if (Throw == operation) throw EComponentError(FName + " failed in " + operation);
    }
    String FName;
    std::vector<String>& FLog;
    unsigned FListens;
};

// A fresh headless screen and a fresh designer manager for every test.
class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBackend(std::make_unique<THeadlessBackend>());
        FreeDesignerManager();
    }
    void TearDown() override {
        FreeDesignerManager();
        SetBackend(std::make_unique<THeadlessBackend>());
    }
    std::vector<String> Log;
};

// The environment started as the program starts it, and stopped after the test.
class EnvironmentTest : public ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        ASSERT_TRUE(InitDesignEnvironment());
    }
    void TearDown() override {
        DoneDesignEnvironment();
        ManagerTest::TearDown();
    }
};

} // namespace dw::test
