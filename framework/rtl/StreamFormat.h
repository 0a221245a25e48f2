// Recognising what a form stream holds from its first bytes: the binary form (behind a resource
// header or bare) or the text form.
#pragma once

#include "framework/rtl/Stream.h"

namespace dw {

enum class TStreamOriginalFormat { sofUnknown, sofBinary, sofText };

// Looks at the first bytes from the current position and leaves the position where it was.
// $FF (a resource header) and the bare signature "TPF0" are binary; "o", "O", "i", "I", space,
// tab, CR, LF or VT (the text form starts with object, inherited or inline, possibly after white
// space) are text, also behind a UTF-8 byte order mark; anything else is unknown.
TStreamOriginalFormat TestStreamFormat(TStream& stream);

} // namespace dw
