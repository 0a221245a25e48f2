// Writing the form a designer designs: its Root without the designer component (or a data
// module's host form), with the designer's event list when it stores events.
#pragma once

#include "framework/designtime/DesignIntf.h"
#include "framework/rtl/Stream.h"
#include "framework/rtl/Strings.h"

namespace dw {

// Writes the form of a designer (the designer manager's active one when none is given): its Root
// with everything the Root owns except the designer itself (or a data module's host form), with
// the designer's event list when it stores events. Nothing is written without a designer.
void WriteDesignedForm(TStream& stream, IDesigner* designer, bool asText);
// WriteDesignedForm into a file, created or overwritten once the form has been written.
void SaveDesignedForm(const String& fileName, IDesigner* designer, bool asText);

} // namespace dw
