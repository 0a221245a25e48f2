// TComponent: named objects owned by other components, with state flags, free notification,
// published-field binding and the hooks streaming and designing use.
#pragma once

#include "framework/rtl/ComponentSet.h"
#include "framework/rtl/Persistent.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dw {

class TBasicAction;
struct TKeptState;
class TReader;
class TWriter;

DW_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
        csFixups, csFreeNotification, csInline, csDesignInstance)
DW_SET(TComponentState, TComponentStateItem)
DW_ENUM(TComponentStyleItem, csInheritable, csCheckPropAvail, csSubComponent, csTransient)
DW_SET(TComponentStyle, TComponentStyleItem)
DW_ENUM(TOperation, opInsert, opRemove)

using TGetChildProc = std::function<void(TComponent*)>;

class TComponent : public TPersistent {
    DW_CLASS(TComponent, TPersistent)
    // Joins the owner's components at once; the owner is told (Notification, opInsert) in
    // AfterConstruction, when the component's class is complete. Create components with
    // New<T>(owner) or a class's virtual constructor: plain new is not available to them.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    void BeforeDestruction() override;
    void AfterConstruction() override;

    static void operator delete(void* p) { ::operator delete(p); }

    const String& Name() const { return FName; }
    // Checks the syntax and, through ValidateRename up the owner chain, the uniqueness of the new
    // name among the owner's components (without regard to case), then renames.
    virtual void SetName(const String& newName);
    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // Moves this component to another place in its owner's list.
    void SetComponentIndex(int index);
    // The owned component of that name (without regard to case), or null.
    TComponent* FindComponent(std::string_view name) const;

    // Takes ownership of component (from its current owner, if any), with validation and notification.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Detach and re-attach without rename validation, notifications, published-field changes or
    // design-state changes: for writers that must leave one owned component out for a moment.
    void DetachQuietly(TComponent* component);
    void AttachQuietly(TComponent* component, int index = -1);
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateItem item) const { return FComponentState.Contains(item); }
    TComponentStyle ComponentStyle() const { return FComponentStyle; }
    void SetSubComponent(bool value);

    // Low 16 bits: left; high 16 bits: top (both unsigned).
    std::int32_t DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(std::int32_t value) { FDesignInfo = value; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t value) { FTag = value; }

    // Asks to be told (through Notification with opRemove) when component is freed; the link goes
    // both ways, so whichever dies first tells the other.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Sets or clears design state on this component and, when asked, on everything it owns.
    void SetDesigning(bool value, bool setChildren = true);
    void SetDesignInstance(bool value);
    void SetInline(bool value);
    void SetAncestor(bool value);
    void Updating() { FComponentState.Include(csUpdating); }
    void Updated() { FComponentState.Exclude(csUpdating); }

    // Streaming: whether the component is written as a child of a parent rather than of its owner.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* value) { (void)value; }
    // Calls proc for every component written as a child of this one, when root is being written.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual void SetChildOrder(TComponent* child, int order) { (void)child, (void)order; }

    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

    // Raises when component may not be renamed from currentName to newName. The default checks
    // that no other owned component has the new name; a form routes it to its designer.
    virtual void ValidateRename(TComponent* component, const String& currentName, const String& newName);
    // Raises when component may not be inserted into this one.
    virtual void ValidateContainer(TComponent* component);
    virtual void ValidateInsert(TComponent* component) { (void)component; }

    String GetNamePath() const override;
    void DefineProperties(TFiler* filer) override;

    // Reads the properties and children of this component (a control first takes its parent
    // from the reader); writes them likewise.
    virtual void ReadState(TReader* reader);
    virtual void WriteState(TWriter* writer);

    // Streaming state, set by the reader and writer.
    virtual void Loaded();
    void Loading() { FComponentState += TComponentState{csLoading, csReading}; }
    void Reading() { FComponentState.Include(csReading); }
    void SetWriting(bool value);
    // What the last reading kept of this component's stored form, or null (see KeptState.h).
    TKeptState* Kept() const { return FKept.get(); }
    void SetKept(std::unique_ptr<TKeptState> value);

    // Told about components inserted into and removed from this one, and about the death of
    // components this one watches with FreeNotification. Siblings are not told: a component
    // that keeps a pointer to another one watches it with FreeNotification.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    void ChangeName(const String& newName);
    // Marks this component and what it owns as being destroyed.
    virtual void Destroying();
    void ReadLeft(TReader* reader);
    void ReadTop(TReader* reader);
    void WriteLeft(TWriter* writer);
    void WriteTop(TWriter* writer);

    TComponentState FComponentState;
    TComponentStyle FComponentStyle{csInheritable};

private:
    friend class TReader;
    void Insert(TComponent* component, int index = -1);
    void Remove(TComponent* component);
    // Binds (or unbinds) the owner's published field named like this component.
    void SetReference(bool enable);
    void NotifyFreeNotifiers();

    String FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::unordered_map<String, TComponent*> FNameIndex; // upper-case name to owned component
    TComponentSet FFreeNotifies;
    std::int32_t FDesignInfo = 0;
    std::intptr_t FTag = 0;
    bool FInsertPending = false;
    std::unique_ptr<TKeptState> FKept;

    // Private, so that components come into being on the heap only through New.
    static void* operator new(size_t size) { return ::operator new(size); }
    template <class T, class... Args> friend T* New(Args&&... args);
};

} // namespace dw
