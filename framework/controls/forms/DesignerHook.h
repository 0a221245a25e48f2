// The designer hook: the interfaces through which a form in design state offers its messages,
// paints its grid, reports its components' insertion and removal, and validates renames.
#pragma once

#include "framework/controls/core/ControlMessages.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Interface.h"

namespace dw {

class TControl;
class TCustomForm;

// The designer hook. A form whose components are in design state offers every message of each
// such control on it to its Designer's IsDesignMsg before the control handles it, and skips the
// message when the hook answers true. It calls PaintGrid when it paints its background in design
// state, forwards the insertion and removal of its components to Notification, and lets the hook
// validate renames.

class IDesignerNotify : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{B2F3C7A0-5E4D-4C1B-9A6E-3D2F1B0C8E71}");
    virtual void Modified() = 0;
    virtual void Notification(TPersistent* object, TOperation operation) = 0;

protected:
    ~IDesignerNotify() = default;
};

class IDesignerHook : public IDesignerNotify {
public:
    static constexpr TGUID IID = TGUID::Parse("{1E9C4B7D-2A63-4F08-B5D1-7C8E0A4F2D93}");
    virtual TCustomForm* GetForm() = 0;
    virtual void SetForm(TCustomForm* value) = 0;
    virtual bool GetIsControl() = 0;
    virtual void SetIsControl(bool value) = 0;
    virtual bool IsDesignMsg(TControl* sender, TMessage& message) = 0;
    virtual void PaintGrid() = 0;
    virtual void ValidateRename(TComponent* component, const String& currentName, const String& newName) = 0;
    virtual String UniqueName(const String& baseName) = 0;
    virtual TComponent* GetRoot() = 0;

protected:
    ~IDesignerHook() = default;
};

} // namespace dw
