#include "environment/Frames.h"

namespace dw {

DW_DEFINE_CLASS(Frames) {}

} // namespace dw
