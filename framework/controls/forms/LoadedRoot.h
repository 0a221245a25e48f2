// The root a form file is read into by a program that loads and saves forms on their own: the
// stored class when the program has it, otherwise a form, a frame or a data module, as the stored
// root's properties say.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Stream.h"

namespace dw {

// binary: a binary component stream at its signature; its position is left where it was. The
// root is made without an owner and without reading any stored description of its class.
TComponent* CreateLoadedRoot(TStream& binary);

} // namespace dw
