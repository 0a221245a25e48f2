#include "framework/rtl/Placeholder.h"

#include "framework/rtl/Filer.h"
#include "framework/rtl/KeptState.h"

namespace dw {

DW_DEFINE_CLASS(TPlaceholderComponent) {}

TPlaceholderComponent::~TPlaceholderComponent() {
    SetParentComponent(nullptr);
}

String TPlaceholderComponent::StoredClassName() const {
    return Kept() ? Kept()->ClassName : ClassName();
}

void TPlaceholderComponent::SetParentComponent(TComponent* value) {
    if (value == FParentComponent) return;
    if (FParentComponent) FParentComponent->RemoveFreeNotification(this);
    FParentComponent = value;
    if (FParentComponent) FParentComponent->FreeNotification(this);
}

void TPlaceholderComponent::ReadState(TReader* reader) {
    // Children of the root are the root's own; anything deeper stays with the object it was in.
    if (reader->Parent() && reader->Parent() != reader->Root() && reader->Parent() != this)
        SetParentComponent(reader->Parent());
    TComponent::ReadState(reader);
}

void TPlaceholderComponent::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FParentComponent) FParentComponent = nullptr;
}

} // namespace dw
