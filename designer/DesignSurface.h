// TDesignSurface: the optional window that hosts a designed form between rulers and a frame. The
// designer talks to it only through the operations declared here.
#pragma once

#include "framework/controls/forms/Forms.h"

namespace dw {

class TDesignSurface : public TCustomControl {
    DW_CLASS(TDesignSurface, TCustomControl)
    explicit TDesignSurface(TComponent* owner);

    // The hosted form, or null.
    TCustomForm* Form() const { return FForm; }
    virtual void SetForm(TCustomForm* form);
    // Whether the frame shows its grips (the designer passes "nothing is selected").
    bool FrameGrips() const { return FFrameGrips; }
    virtual void SetFrameGrips(bool value);
    virtual void UpdateScrollBars() {}
    // Lets the surface keep the hosted form where it belongs while the user moves its window.
    virtual void AdjustFormRect(TRect& rect) { (void)rect; }
    // Around writing the hosted form to a file.
    virtual void BeforeFormSave() {}
    virtual void AfterFormSave() {}
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* FForm = nullptr;
    bool FFrameGrips = true;
};

} // namespace dw
