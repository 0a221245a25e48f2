// TPlaceholderComponent: stands in for a stored non-visual component whose class the program does
// not have. It runs nothing of that class; the reader keeps its stored form (KeptState.h) and the
// writer gives it back.
#pragma once

#include "framework/rtl/Component.h"

namespace dw {

class TPlaceholderComponent : public TComponent {
    DW_CLASS(TPlaceholderComponent, TComponent)
    using TComponent::TComponent;
    ~TPlaceholderComponent() override;

    // The class name it was stored with.
    String StoredClassName() const;

    // Stored inside another component (a field inside its data set): written with that one.
    bool HasParent() const override { return FParentComponent != nullptr; }
    TComponent* GetParentComponent() const override { return FParentComponent; }
    void SetParentComponent(TComponent* value) override;
    void ReadState(TReader* reader) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* FParentComponent = nullptr;
};

// The name of the class that stands in for stored controls of unknown classes, when the control
// library registers one; without it they are kept as TPlaceholderComponent.
constexpr const char* PlaceholderControlClassName = "TPlaceholderControl";

} // namespace dw
