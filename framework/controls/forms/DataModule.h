// Data modules: a non-visual root that owns components, created from its stored description.
#pragma once

#include "framework/controls/forms/StoredRoot.h"
#include "framework/platform/Types.h"
#include "framework/rtl/Component.h"

namespace dw {

// A non-visual root that owns components; created from its stored description like a form.
class TDataModule : public TComponent {
    DW_CLASS(TDataModule, TComponent)
    explicit TDataModule(TComponent* owner);
    TDataModule(TComponent* owner, TCreateNew);
    void AfterConstruction() override;
    void BeforeDestruction() override;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void DefineProperties(TFiler* filer) override;
    // The design-time size and scroll offset of the module's host window.
    TPoint DesignSize() const { return FDesignSize; }
    void SetDesignSize(TPoint value) { FDesignSize = value; }
    TPoint DesignOffset() const { return FDesignOffset; }
    void SetDesignOffset(TPoint value) { FDesignOffset = value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    TPoint FDesignSize;
    TPoint FDesignOffset;
    bool FOldCreateOrder = false;
    bool FReadDescription = false;
};

} // namespace dw
