// Component editors: the verbs of a component's context menu and its default action (a double
// click on the form). TDefaultEditor, the editor of every component without one of its own,
// opens an event handler.
#pragma once

#include "framework/designtime/PropertyIntf.h"

namespace dw {

class TEditorRegistry;

class IComponentEditor : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{ABBE7252-5495-11D1-9FB5-0020AF3D82DA}");
    virtual void Edit() = 0;
    virtual void ExecuteVerb(int index) = 0;
    virtual String GetVerb(int index) = 0;
    virtual int GetVerbCount() = 0;
    virtual void Copy() = 0;
    virtual TComponent* GetComponent() = 0;
    virtual IDesigner* GetDesigner() = 0;

protected:
    ~IComponentEditor() = default;
};

// A class derived from TComponentEditor.
using TComponentEditorClass = TClass;

class TComponentEditor : public TObject, public IComponentEditor {
    DW_CLASS(TComponentEditor, TObject)
    TComponentEditor() = default;

    // A new editor of that class for the component and the designer; the registry serves the
    // property enumerations the editor makes.
    static TComponentEditor* Create(TComponentEditorClass editorClass, TComponent* component, IDesigner* designer,
                                    TEditorRegistry* registry);

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;

    // Runs verb 0 when there is one.
    void Edit() override;
    void ExecuteVerb(int) override {}
    String GetVerb(int) override { return {}; }
    int GetVerbCount() override { return 0; }
    void Copy() override {}
    TComponent* GetComponent() override { return FComponent; }
    IDesigner* GetDesigner() override { return FDesigner; }
    TEditorRegistry* Registry() const { return FRegistry; }

private:
    TComponent* FComponent = nullptr;
    IDesigner* FDesigner = nullptr;
    TEditorRegistry* FRegistry = nullptr;
    int FRefCount = 0;
};

// Edit opens an event handler of the component: the first event property named "ONCREATE", else
// "ONCHANGE", else "ONCHANGED", else "ONCLICK" (without regard to case), else the first event.
class TDefaultEditor : public TComponentEditor {
    DW_CLASS(TDefaultEditor, TComponentEditor)
    void Edit() override;

protected:
    // Called with each event's editor in turn; the base ranks them. Clearing continueIterating
    // stops the walk and leaves the handler alone (a descendant that edited one itself).
    virtual void EditProperty(IProperty* prop, bool& continueIterating);

private:
    TInterfacePtr<IProperty> FFirst;
    TInterfacePtr<IProperty> FBest;
};

} // namespace dw
