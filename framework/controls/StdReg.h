// RegisterStandardControls: makes the standard controls known to the form reader.
#pragma once

namespace dw {

// Registers every class of StdCtrls, ExtCtrls, Buttons and ComCtrls for streaming, and the control
// core's components that stored forms hold (image lists, scroll boxes, timers). Safe to call more
// than once; the program and the tools call it at start-up.
void RegisterStandardControls();

} // namespace dw
