// The window manager's regions are the graphics core's TRegion values.
#pragma once

#include "framework/platform/gdi/Region.h"

namespace dw {

using TWmRegion = TRegion;

} // namespace dw
