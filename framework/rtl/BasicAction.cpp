#include "framework/rtl/BasicAction.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TBasicAction) {
    c.Event("OnExecute", &TBasicAction::OnExecute);
    c.Event("OnUpdate", &TBasicAction::OnUpdate);
}

DW_DEFINE_CLASS(TBasicActionLink) {}

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

void TBasicAction::BeforeDestruction() {
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
    TComponent::BeforeDestruction();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* value) {
    if (FActionComponent == value) return;
    if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
    FActionComponent = value;
    if (value) value->FreeNotification(this);
}

void TBasicAction::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
    if (std::find(FClients.begin(), FClients.end(), link) == FClients.end()) FClients.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), link), FClients.end());
}

void TBasicAction::Change() {
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->Change();
}

TBasicActionLink::~TBasicActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (FAction == value) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* actionComponent) {
    if (!FAction) return false;
    FAction->SetActionComponent(actionComponent);
    bool handled = FAction->Execute();
    FAction->SetActionComponent(nullptr);
    return handled;
}

bool TBasicActionLink::Update() {
    return FAction && FAction->Update();
}

} // namespace dw
