// TBasicAction: a command object that components execute and update through target dispatch,
// and TBasicActionLink, which ties a client (menu item, button) to an action.
#pragma once

#include "framework/rtl/Component.h"

namespace dw {

class TBasicActionLink;

class TBasicAction : public TComponent {
    DW_CLASS(TBasicAction, TComponent)
    explicit TBasicAction(TComponent* owner);
    void BeforeDestruction() override;

    // Target dispatch: whether this action acts on target, and doing so.
    virtual bool HandlesTarget(TObject* target) { (void)target; return false; }
    virtual void UpdateTarget(TObject* target) { (void)target; }
    virtual void ExecuteTarget(TObject* target) { (void)target; }
    // Fires OnExecute (or OnUpdate); true when a handler ran.
    virtual bool Execute();
    virtual bool Update();

    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* value);
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Tells every linked client that a property changed.
    void Change();
    std::vector<TBasicActionLink*> FClients;

private:
    TComponent* FActionComponent = nullptr;
};

class TBasicActionLink : public TObject {
    DW_CLASS(TBasicActionLink, TObject)
    explicit TBasicActionLink(TObject* client) : FClient(client) {}
    ~TBasicActionLink() override;
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* value);
    TObject* Client() const { return FClient; }
    virtual bool Execute(TComponent* actionComponent = nullptr);
    virtual bool Update();
    // Called when a property of the action changed; links copy what their client shows.
    virtual void Change() {}

protected:
    TBasicAction* FAction = nullptr;
    TObject* FClient;
};

} // namespace dw
