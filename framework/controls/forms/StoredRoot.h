// What forms, frames and data modules share as roots of a stored description: the constructor
// tag that skips reading it, and reading the descriptions of a class chain into an instance.
#pragma once

#include "framework/rtl/Component.h"

namespace dw {

// Selects the constructor that makes a form (or frame, or data module) without reading its stored
// description: New<TForm1>(owner, CreateNew).
struct TCreateNew {};
inline constexpr TCreateNew CreateNew{};

// Reads the stored descriptions of instance's class chain (ancestors first, stopping at
// rootAncestor) into instance; false when none of the classes has one.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);

} // namespace dw
