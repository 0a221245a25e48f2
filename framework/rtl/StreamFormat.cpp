#include "framework/rtl/StreamFormat.h"

#include "framework/rtl/Filer.h"

#include <cstring>

namespace dw {

namespace {
bool StartsText(Byte b) {
    switch (b) {
    case 'o':
    case 'O':
    case 'i':
    case 'I':
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
        return true;
    default:
        return false;
    }
}
} // namespace

TStreamOriginalFormat TestStreamFormat(TStream& stream) {
    Int64 pos = stream.Position();
    Byte head[4] = {};
    Int64 n = stream.Read(head, sizeof head);
    stream.SetPosition(pos);
    if (n >= 1 && head[0] == 0xFF) return TStreamOriginalFormat::sofBinary;
    if (n == 4 && std::memcmp(head, FilerSignature, 4) == 0) return TStreamOriginalFormat::sofBinary;
    if (n >= 1 && StartsText(head[0])) return TStreamOriginalFormat::sofText;
    if (n == 4 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF && StartsText(head[3]))
        return TStreamOriginalFormat::sofText;
    return TStreamOriginalFormat::sofUnknown;
}

} // namespace dw
