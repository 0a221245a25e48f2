// Frames: the palette's marker class for inserting a frame. Asked to create one, the designer
// inserts a frame chosen by the user instead.
#pragma once

#include "framework/rtl/Component.h"

namespace dw {

class Frames : public TComponent {
    DW_CLASS(Frames, TComponent)
    explicit Frames(TComponent* owner) : TComponent(owner) {}
};

} // namespace dw
