// TPersistent: objects that can be assigned to one another and streamed as properties.
#pragma once

#include "framework/rtl/ClassInfo.h"

namespace dw {

class TFiler;

class TPersistent : public TObject {
    DW_CLASS(TPersistent, TObject)
    // Copies source into this object; a source this class does not know raises EConvertError.
    virtual void Assign(const TPersistent* source);
    // The owner in the sense of the name path (a collection item's collection, ...).
    virtual TPersistent* GetOwner() const { return nullptr; }
    // "Form1.Button1.Font": the owner's name path, a full stop and this object's name.
    virtual String GetNamePath() const;

    // Declares stream data that is not a published property (see TFiler::DefineProperty).
    virtual void DefineProperties(TFiler* filer) { (void)filer; }

protected:
    // Lets a source copy itself into dest when dest does not know the source's class.
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

} // namespace dw
