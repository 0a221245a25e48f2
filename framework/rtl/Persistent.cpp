#include "framework/rtl/Persistent.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TPersistent) {}

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
    String sourceName = source ? source->ClassName() : String("nil");
    throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

String TPersistent::GetNamePath() const {
    String path = ClassName();
    if (TPersistent* owner = GetOwner()) {
        String ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) path = ownerPath + "." + path;
    }
    return path;
}

} // namespace dw
