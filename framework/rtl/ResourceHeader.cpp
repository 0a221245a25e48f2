#include "framework/rtl/ResourceHeader.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"

#include <cstring>

namespace dw {

namespace {
void PutLE(Byte* p, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) p[i] = static_cast<Byte>(value >> (8 * i));
}
} // namespace

Int64 WriteResourceHeader(TStream& stream, const String& name) {
    if (name.find('\0') != String::npos) throw EInvalidArgument("Resource name contains a zero byte");
    String upper = UpperCase(name);
    if (upper.size() > MaxResourceNameLength) {
        size_t cut = MaxResourceNameLength;
        // Never end the name inside a UTF-8 sequence.
        while (cut > 0 && IsUtf8Continuation(upper[cut])) --cut;
        upper.resize(cut);
    }
    Byte header[3 + MaxResourceNameLength + 1 + 2 + 4];
    size_t n = 0;
    header[n++] = 0xFF;
    PutLE(header + n, ResourceTypeRCData, 2);
    n += 2;
    std::memcpy(header + n, upper.data(), upper.size());
    n += upper.size();
    header[n++] = 0;
    PutLE(header + n, ResourceFlags, 2);
    n += 2;
    Int64 lengthPos = stream.Position() + static_cast<Int64>(n);
    PutLE(header + n, 0, 4);
    n += 4;
    stream.WriteBuffer(header, static_cast<Int64>(n));
    return lengthPos;
}

void FixupResourceHeader(TStream& stream, Int64 lengthPos) {
    Int64 end = stream.Position();
    Int64 length = end - (lengthPos + 4);
    if (length < 0 || length > 0xFFFFFFFFLL)
        throw EWriteError(Format("Resource data length %d does not fit the resource header", length));
    Byte field[4];
    PutLE(field, static_cast<std::uint64_t>(length), 4);
    stream.SetPosition(lengthPos);
    stream.WriteBuffer(field, 4);
    stream.SetPosition(end);
}

Int64 ReadResourceHeader(TStream& stream) {
    Int64 start = stream.Position();
    Int64 size = stream.Size();
    auto fail = [&](Int64 offset, const String& what) {
        throw EReadError(Format("Invalid resource header at offset %d: %s", offset, what));
    };
    Byte b = 0;
    if (stream.Read(&b, 1) != 1 || b != 0xFF) throw EReadError("Invalid stream format");
    Byte word[2];
    if (stream.Read(word, 2) != 2) fail(start + 1, "the stream ends inside the header");
    int type = word[0] | word[1] << 8;
    if (type != ResourceTypeRCData) fail(start + 1, Format("resource type %d instead of 10", type));
    // The name and its terminating zero.
    for (int i = 0;; ++i) {
        if (stream.Read(&b, 1) != 1) fail(start + 3 + i, "the stream ends inside the resource name");
        if (b == 0) break;
        if (i == MaxResourceNameLength) fail(start + 3, "the resource name is longer than 63 characters");
    }
    Byte rest[6];
    if (stream.Read(rest, 6) != 6) fail(stream.Position(), "the stream ends inside the header");
    Int64 length =
        static_cast<Int64>(rest[2] | rest[3] << 8 | rest[4] << 16 | static_cast<std::uint32_t>(rest[5]) << 24);
    Int64 remaining = size - stream.Position();
    if (length > remaining)
        fail(stream.Position() - 4,
             Format("data length %d exceeds the %d bytes that remain in the stream", length, remaining));
    return length;
}

} // namespace dw
