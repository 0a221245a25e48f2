// The services that design-time editors ask their environment for: the designers list, the
// component designer with its design environment, the root of the module being edited, the IDE
// services and the legacy tool services. Editors written for a full development environment
// call them; this system answers the few questions that matter and the rest neutrally. The
// numbers are the operations' places in the framework's lists; places not declared here answer
// neutrally by definition.
#pragma once

#include "framework/designtime/DesignIntf.h"
#include "framework/rtl/Stream.h"

#include <memory>
#include <vector>

namespace dw {

class IComponentDesigner;
class IDesignEnvironment;

class IRoot : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{346E7BA1-D47E-11D3-BA96-0080C78ADCDB}");
    // 36: the designer of the module being edited.
    virtual IDesigner* GetDesigner() = 0;

protected:
    ~IRoot() = default;
};

class IDesignEnvironment : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7ED7BF2B-E349-11D3-AB4A-00C04FB17A72}");
    // Opens the module of that name; nothing to open here.
    virtual void OpenModule(const String& name) = 0;
    // 15: the main window's rectangle, whose bottom design windows are placed under.
    virtual TRect GetMainWindowSize() = 0;
    // 16: where a new root's window goes.
    virtual TPoint GetNewRootPosition() = 0;
    // 21: a component was created from the palette's class.
    virtual void ComponentCreated() = 0;

protected:
    ~IDesignEnvironment() = default;
};

class IComponentDesigner : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7ED7BF25-E349-11D3-AB4A-00C04FB17A72}");
    // 5: whether designing is possible.
    virtual bool CanDesign() = 0;
    // 11: the root of the module being edited (a new object each time).
    virtual TInterfacePtr<IRoot> GetActiveRoot() = 0;
    // The root of another module by name; none is reachable here.
    virtual TInterfacePtr<IRoot> FindRoot(const String& name) = 0;
    // 13: the edit states the environment can offer.
    virtual TEditStates GetEditState() = 0;
    // 24: fills the list with the active designer's selection.
    virtual void GetSelections(IDesignerSelections* list) = 0;
    // 25: hands a command code to an object (a control gets it as a message).
    virtual void ObjectCommand(TObject* object, int code) = 0;
    // 33: the design environment.
    virtual IDesignEnvironment* Environment() = 0;

protected:
    ~IComponentDesigner() = default;
};

class IDesigners : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{82B1BC83-2E27-49D8-BF00-09E60D8BCC20}");
    // 1: whether a designer is active.
    virtual bool HasActiveDesigner() = 0;
    // 4: the component designer.
    virtual IComponentDesigner* GetComponentDesigner() = 0;
    // 14: the number of module designers; sets count and returns it.
    virtual int GetModuleDesignerCount(int& count) = 0;
    // 17: the names of the open modules.
    virtual std::vector<String> GetModuleNames() = 0;
    // 18: the component designer of the active module.
    virtual IComponentDesigner* GetActiveComponentDesigner() = 0;

protected:
    ~IDesigners() = default;
};

// The IDE's general services: the product's registry key and directories.
class IGeneralServices : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{164A2D1A-7CAD-47AA-8DAB-0D0D2055330D}");
    virtual String GetBaseRegistryKey() = 0;
    virtual String GetProductIdentifier() = 0;
    virtual String GetRootDirectory() = 0;
    virtual String GetBinDirectory() = 0;
    virtual String GetTemplateDirectory() = 0;
    // Designing in the running program: always.
    virtual bool IsDesignTime() = 0;
    // Components may be created at design time: always.
    virtual bool CanCreateComponents() = 0;

protected:
    ~IGeneralServices() = default;
};

// The IDE's module services: no modules are open in this system.
class IModuleServices : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{29005C6C-5AB0-4397-B195-EF73E3DACD3F}");
    virtual int GetModuleCount() = 0;
    virtual String GetModuleFileName(int index) = 0;
    virtual bool IsModuleOpen(const String& fileName) = 0;
    virtual bool OpenModule(const String& fileName) = 0;

protected:
    ~IModuleServices() = default;
};

class IIDEServices : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{A4FC8F98-B2AB-497D-B3B1-1A3C5F6F53D3}");
    // "dfm".
    virtual String GetFormFileExtension() = 0;
    virtual String GetProjectName() = 0;
    virtual bool IsProjectOpen() = 0;

protected:
    ~IIDEServices() = default;
};

// The framework's legacy tool services; every operation answers neutrally unless overridden.
class TIToolServices {
public:
    virtual ~TIToolServices() = default;
    virtual HWND GetParentHandle() { return nullptr; }
    virtual String GetProjectName() { return {}; }
    virtual int GetUnitCount() { return 0; }
    virtual String GetUnitName(int) { return {}; }
    virtual int GetFormCount() { return 0; }
    virtual String GetFormName(int) { return {}; }
    virtual bool OpenFile(const String&) { return false; }
    virtual bool CloseFile(const String&) { return false; }
    virtual bool SaveFile(const String&) { return false; }
    virtual bool IsFileOpen(const String&) { return false; }
    virtual TRect GetMainWindowRect() { return {}; }
    // The three stream operations take the streams over.
    virtual int CreateModule(const String&, TObjectPtr<TStream>, TObjectPtr<TStream>, int) { return 0; }
    virtual int CreateModuleEx(const String&, const String&, const String&, const String&, TObjectPtr<TStream>,
                               TObjectPtr<TStream>, int) {
        return 0;
    }
    virtual int AddToProject(TObjectPtr<TStream>) { return 0; }
};

} // namespace dw
