// The design-time service objects: the designers list (TzDesigners) with the component designer
// (TzComponentDesigner) and design environment (TzDesignEnvironment) it owns, the root object
// (TzRoot), the IDE services (TzIDEServices) and the tool services (TIToolServicesImpl). Each
// answers from the designer manager it is given, and neutrally where nothing can be known.
#pragma once

#include "environment/DesignerManager.h"
#include "framework/designtime/DesignServices.h"

#include <memory>

namespace dw {

// A new one for every request of the active root; it dies with its last reference.
class TzRoot final : public IRoot {
public:
    static TInterfacePtr<IRoot> Make(TDesignerManager& manager);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;
    IDesigner* GetDesigner() override { return FManager.ActiveDesigner(); }

private:
    explicit TzRoot(TDesignerManager& manager) : FManager(manager) {}
    ~TzRoot() = default;
    TDesignerManager& FManager;
    int FRefCount = 0;
};

// Lives as long as its designers list; acquiring and releasing it counts nothing.
class TzDesignEnvironment final : public IDesignEnvironment {
public:
    explicit TzDesignEnvironment(TDesignerManager& manager) : FManager(manager) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return 1; }
    int Release() override { return 1; }
    void OpenModule(const String&) override {}
    // (0, 0, screen width, y of the new root position).
    TRect GetMainWindowSize() override;
    TPoint GetNewRootPosition() override;
    void ComponentCreated() override { FManager.ComponentCreated(); }

private:
    TDesignerManager& FManager;
};

class TzComponentDesigner final : public IComponentDesigner {
public:
    TzComponentDesigner(TDesignerManager& manager, IDesignEnvironment* environment)
        : FManager(manager), FEnvironment(environment) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return 1; }
    int Release() override { return 1; }
    bool CanDesign() override { return true; }
    TInterfacePtr<IRoot> GetActiveRoot() override { return TzRoot::Make(FManager); }
    TInterfacePtr<IRoot> FindRoot(const String&) override { return {}; }
    // Every edit state, 0 to 13.
    TEditStates GetEditState() override { return 0x3FFF; }
    void GetSelections(IDesignerSelections* list) override;
    void ObjectCommand(TObject* object, int code) override;
    IDesignEnvironment* Environment() override { return FEnvironment; }

private:
    TDesignerManager& FManager;
    IDesignEnvironment* FEnvironment;
};

// Owns the component designer and the design environment; reference counted, freed by its last
// release.
class TzDesigners final : public IDesigners {
public:
    static TInterfacePtr<IDesigners> Make(TDesignerManager& manager);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;
    bool HasActiveDesigner() override { return FManager.ActiveDesigner() != nullptr; }
    IComponentDesigner* GetComponentDesigner() override { return &FComponentDesigner; }
    int GetModuleDesignerCount(int& count) override { return count = 0; }
    std::vector<String> GetModuleNames() override { return {}; }
    IComponentDesigner* GetActiveComponentDesigner() override { return &FComponentDesigner; }

private:
    explicit TzDesigners(TDesignerManager& manager)
        : FManager(manager), FEnvironment(manager), FComponentDesigner(manager, &FEnvironment) {}
    ~TzDesigners() = default;
    TDesignerManager& FManager;
    TzDesignEnvironment FEnvironment;
    TzComponentDesigner FComponentDesigner;
    int FRefCount = 0;
};

// The IDE services: "dfm" for form files, the five process strings (never assigned, so empty),
// true for the two design-time questions, and nothing about projects or modules.
class TzIDEServices final : public IIDEServices, public IGeneralServices, public IModuleServices {
public:
    static TInterfacePtr<IIDEServices> Make();
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;

    String GetFormFileExtension() override { return "dfm"; }
    String GetProjectName() override { return {}; }
    bool IsProjectOpen() override { return false; }

    String GetBaseRegistryKey() override { return FBaseRegistryKey; }
    String GetProductIdentifier() override { return FProductIdentifier; }
    String GetRootDirectory() override { return FRootDirectory; }
    String GetBinDirectory() override { return FBinDirectory; }
    String GetTemplateDirectory() override { return FTemplateDirectory; }
    bool IsDesignTime() override { return true; }
    bool CanCreateComponents() override { return true; }

    int GetModuleCount() override { return 0; }
    String GetModuleFileName(int) override { return {}; }
    bool IsModuleOpen(const String&) override { return false; }
    bool OpenModule(const String&) override { return false; }

private:
    TzIDEServices() = default;
    ~TzIDEServices() = default;
    String FBaseRegistryKey, FProductIdentifier, FRootDirectory, FBinDirectory, FTemplateDirectory;
    int FRefCount = 0;
};

// Every legacy tool service answers neutrally; streams handed over are freed.
class TIToolServicesImpl final : public TIToolServices {};

} // namespace dw
