// The 16-bit resource header that precedes the binary form of a component stream in form files
// and snapshots: $FF, type 10 (RCDATA), the upper-case name, flags $1030, the data length.
#pragma once

#include "framework/rtl/Stream.h"

namespace dw {

constexpr Word ResourceTypeRCData = 10;
constexpr Word ResourceFlags = 0x1030;
constexpr int MaxResourceNameLength = 63;

// Writes a header for name (upper-cased, cut to 63 bytes) with a zero length and returns the
// position of the length field for FixupResourceHeader. A name holding a zero byte raises
// EInvalidArgument.
Int64 WriteResourceHeader(TStream& stream, const String& name);
// Fills in the length field at lengthPos with the number of bytes written after it, leaving the
// stream at its end.
void FixupResourceHeader(TStream& stream, Int64 lengthPos);
// Reads and checks a header and returns the length of the data that follows. Raises EReadError:
// "Invalid stream format" when the first byte is not $FF, otherwise a message with the offset for
// a wrong type, an unterminated name or a length beyond the end of the stream.
Int64 ReadResourceHeader(TStream& stream);

} // namespace dw
