// The design-time interfaces that editors, the inspector, the palette and the designer meet
// through: the designer interface, selection lists, the edit handler, custom modules, the
// instance-access interface and design notifications.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/rtl/Interface.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/TypInfo.h"

#include <functional>
#include <vector>

namespace dw {

class IDesigner;

using TGetStrProc = std::function<void(const String&)>;

// A counted reference to an interface: AddRef on taking, Release on letting go. Objects that live
// in the owner tree answer both with -1 and are not freed by it.
template <class I> class TInterfacePtr {
public:
    TInterfacePtr() = default;
    TInterfacePtr(I* intf) : FIntf(intf) {
        if (FIntf) FIntf->AddRef();
    }
    TInterfacePtr(const TInterfacePtr& other) : TInterfacePtr(other.FIntf) {}
    TInterfacePtr(TInterfacePtr&& other) noexcept : FIntf(other.FIntf) { other.FIntf = nullptr; }
    TInterfacePtr& operator=(TInterfacePtr other) noexcept {
        std::swap(FIntf, other.FIntf);
        return *this;
    }
    ~TInterfacePtr() {
        if (FIntf) FIntf->Release();
    }
    I* get() const { return FIntf; }
    I* operator->() const { return FIntf; }
    I& operator*() const { return *FIntf; }
    explicit operator bool() const { return FIntf != nullptr; }
    bool operator==(const I* other) const { return FIntf == other; }

private:
    I* FIntf = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Selection lists. A new list is made for every announcement.

class IDesignerSelections : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7ED7BF30-E349-11D3-AB4A-00C04FB17A72}");
    virtual int Add(TPersistent* item) = 0;
    // Same items in the same order.
    virtual bool Equals(IDesignerSelections* list) = 0;
    virtual TPersistent* Get(int index) = 0;
    virtual int Count() = 0;

protected:
    ~IDesignerSelections() = default;
};

// The framework's selection list: an ordered list of plain references, freed by its last release.
// Create it with Make() and hold it in a TInterfacePtr.
class TDesignerSelections final : public IDesignerSelections {
public:
    static TInterfacePtr<IDesignerSelections> Make();
    // A copy of another list's items.
    static TInterfacePtr<IDesignerSelections> Make(IDesignerSelections* source);

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;

    int Add(TPersistent* item) override;
    bool Equals(IDesignerSelections* list) override;
    // Raises EListError for an index out of range.
    TPersistent* Get(int index) override;
    int Count() override { return static_cast<int>(FItems.size()); }

private:
    TDesignerSelections() = default;
    ~TDesignerSelections() = default;
    std::vector<TPersistent*> FItems;
    int FRefCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Instance access: the way from an interface reference back to the object behind it (the designer
// component answers it for its IDesigner).

class IImplementation : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{F9D448F2-50BC-11D1-9FB5-0020AF3D82DA}");
    virtual TObject* GetInstance() = 0;

protected:
    ~IImplementation() = default;
};

// ---------------------------------------------------------------------------------------------
// The designer interface, used by property editors, component editors, the inspector and the
// actions. Slot order matters to nobody in C++, but it is kept as the framework's for reference.

class IDesigner : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{93F3FCBC-BE48-4A38-9C08-6D1B2F40B1E6}");
    virtual void Activate() = 0;                                                            // 1
    virtual void Modified() = 0;                                                            // 2
    virtual TMethod CreateMethod(const String& name, const TTypeInfo* typeData) = 0;        // 3
    virtual String GetMethodName(const TMethod& method) = 0;                                // 4
    virtual void GetMethods(const TTypeInfo* typeData, const TGetStrProc& proc) = 0;        // 5
    virtual String GetPathAndBaseExeName() = 0;                                             // 6
    virtual String GetPrivateDirectory() = 0;                                               // 7
    virtual String GetBaseRegKey() = 0;                                                     // 8
    virtual TObject* GetIDEOptions() = 0;                                                   // 9
    virtual void GetSelections(IDesignerSelections* list) = 0;                              // 10
    virtual bool MethodExists(const String& name) = 0;                                      // 11
    virtual void RenameMethod(const String& curName, const String& newName) = 0;            // 12
    virtual void SelectComponent(TPersistent* instance) = 0;                                // 13
    virtual void SetSelections(IDesignerSelections* list) = 0;                              // 14
    virtual void ShowMethod(const String& name) = 0;                                        // 15
    virtual void GetComponentNames(const TTypeInfo* typeData, const TGetStrProc& proc) = 0; // 16
    virtual TComponent* GetComponent(const String& name) = 0;                               // 17
    virtual String GetComponentName(TComponent* component) = 0;                             // 18
    virtual TPersistent* GetObject(const String& name) = 0;                                 // 19
    virtual String GetObjectName(TPersistent* instance) = 0;                                // 20
    virtual void GetObjectNames(const TTypeInfo* typeData, const TGetStrProc& proc) = 0;    // 21
    virtual bool MethodFromAncestor(const TMethod& method) = 0;                             // 22
    virtual TComponent* CreateComponent(TClass componentClass, TComponent* parent, int left, int top, int width,
                                        int height) = 0;                                   // 23
    virtual TComponent* CreateCurrentComponent(TComponent* parent, const TRect& rect) = 0; // 24
    virtual bool IsComponentLinkable(TComponent* component) = 0;                           // 25
    virtual bool IsComponentHidden(TComponent* component) = 0;                             // 26
    virtual void MakeComponentLinkable(TComponent* component) = 0;                         // 27
    virtual void Revert(TPersistent* instance, const TPropInfo* propInfo) = 0;             // 28
    virtual bool GetIsDormant() = 0;                                                       // 29
    virtual void GetProjectModules(const TGetStrProc& proc) = 0;                           // 30
    virtual IDesigner* GetAncestorDesigner() = 0;                                          // 31
    virtual bool IsSourceReadOnly() = 0;                                                   // 32
    virtual TPoint GetScrollRanges(const TPoint& scrollPosition) = 0;                      // 33
    virtual void Edit(TComponent* component) = 0;                                          // 34
    virtual void ChainCall(const String& methodName, const String& instanceName, const String& instanceMethod,
                           const TTypeInfo* typeData) = 0;                                              // 35
    virtual void CopySelection() = 0;                                                                   // 36
    virtual void CutSelection() = 0;                                                                    // 37
    virtual bool CanPaste() = 0;                                                                        // 38
    virtual void PasteSelection() = 0;                                                                  // 39
    virtual void DeleteSelection(bool doAll = false) = 0;                                               // 40
    virtual void ClearSelection() = 0;                                                                  // 41
    virtual void NoSelection() = 0;                                                                     // 42
    virtual void ModuleFileNames(String& implFileName, String& intfFileName, String& formFileName) = 0; // 43
    virtual String GetRootClassName() = 0;                                                              // 44
    virtual String UniqueName(const String& baseName) = 0;                                              // 45
    virtual TComponent* GetRoot() = 0;                                                                  // 46
    virtual TShiftState GetShiftState() = 0;                                                            // 47
    virtual void ModalEdit(char editKey, IInterface* returnWindow) = 0;                                 // 48
    virtual void SelectItemName(const String& propertyName) = 0;                                        // 49
    virtual void Resurrect() = 0;                                                                       // 50
    virtual TObject* GetActiveClassGroup() = 0;                                                         // 51
    virtual TComponent* FindRootAncestor(const String& name) = 0;                                       // 52

protected:
    ~IDesigner() = default;
};

// ---------------------------------------------------------------------------------------------
// Edit commands and edit states, exchanged through the edit handler.

enum TEditCommand {
    ecUndo = 0,
    ecRedo = 1,
    ecCut = 2,
    ecCopy = 3,
    ecPaste = 4,
    ecDelete = 5,
    ecSelectAll = 6,
    ecBringToFront = 8,
    ecSendToBack = 9,
    ecAlignToGrid = 10,
    ecFlipAll = 11,
    ecFlipSelected = 12,
};

// Bit i is set when edit state i (0 can undo, 1 can redo, 2 can cut, 3 can copy, 4 can paste,
// 5 can delete, ..., 12 can select all, 13) holds.
using TEditStates = std::uint32_t;
constexpr int esCanUndo = 0, esCanRedo = 1, esCanCut = 2, esCanCopy = 3, esCanPaste = 4, esCanDelete = 5,
              esCanSelectAll = 12, esLastState = 13;

class IEditHandler : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7ED7BF2D-E349-11D3-AB4A-00C04FB17A72}");
    virtual bool RunEditCommand(int command) = 0;
    virtual TEditStates EditStateSet() = 0;

protected:
    ~IEditHandler() = default;
};

// ---------------------------------------------------------------------------------------------
// Custom modules: per-root-class support objects for roots that are not forms.

DW_ENUM(TCustomModuleAttribute, cmaVirtualSize)
DW_SET(TCustomModuleAttributes, TCustomModuleAttribute)

class ICustomModule : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{95DA4A2B-D800-4CBB-B0B8-85AB7D3CFADA}");
    virtual TCustomModuleAttributes GetAttributes() = 0;       // 1
    virtual void ExecuteVerb(int index) = 0;                   // 2
    virtual String GetVerb(int index) = 0;                     // 3
    virtual int GetVerbCount() = 0;                            // 4
    virtual void PrepareItem(int index, TComponent* item) = 0; // 5
    virtual void Saving() = 0;                                 // 6
    // Raises when the component may not be placed on the root.
    virtual void ValidateComponent(TComponent* component) = 0;      // 7
    virtual bool ValidateComponentClass(TClass componentClass) = 0; // 8
    virtual bool Nestable() = 0;                                    // 9

protected:
    ~ICustomModule() = default;
};

// The framework's base custom module: made with the root and the designer, reference counted,
// freed by its last release. Every operation is neutral; descendants override.
class TBaseCustomModule : public ICustomModule {
public:
    TBaseCustomModule(TComponent* root, IDesigner* designer) : FRoot(root), FDesigner(designer) {}
    virtual ~TBaseCustomModule() = default;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;

    TCustomModuleAttributes GetAttributes() override { return {}; }
    void ExecuteVerb(int) override {}
    String GetVerb(int) override { return {}; }
    int GetVerbCount() override { return 0; }
    void PrepareItem(int, TComponent*) override {}
    void Saving() override {}
    void ValidateComponent(TComponent*) override {}
    bool ValidateComponentClass(TClass) override { return true; }
    bool Nestable() override { return false; }

    TComponent* Root() const { return FRoot; }
    IDesigner* Designer() const { return FDesigner; }

private:
    TComponent* FRoot;
    IDesigner* FDesigner;
    int FRefCount = 0;
};

// A custom module class: its name and how to make one for a root and a designer.
struct TCustomModuleClass {
    String ClassName;
    std::function<ICustomModule*(TComponent* root, IDesigner* designer)> Make;
    explicit operator bool() const { return static_cast<bool>(Make); }
};
template <class M> TCustomModuleClass CustomModuleClassOf(const String& className) {
    return {className, [](TComponent* root, IDesigner* designer) -> ICustomModule* { return new M(root, designer); }};
}

// ---------------------------------------------------------------------------------------------
// Design notifications, broadcast by the designer manager to its listeners.

class IDesignNotification : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{E8C9F739-5601-4ADD-9D95-594132D4CEFD}");
    virtual void ItemDeleted(IDesigner* designer, TPersistent* item) = 0;
    virtual void ItemInserted(IDesigner* designer, TPersistent* item) = 0;
    virtual void ItemsModified(IDesigner* designer) = 0;
    virtual void SelectionChanged(IDesigner* designer, IDesignerSelections* selection) = 0;
    virtual void DesignerOpened(IDesigner* designer, bool resurrecting) = 0;
    virtual void DesignerClosed(IDesigner* designer, bool goingDormant) = 0;

protected:
    ~IDesignNotification() = default;
};

} // namespace dw
