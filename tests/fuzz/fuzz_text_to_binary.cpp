// Arbitrary bytes as the text form: whatever converts to binary must convert to text and back to
// the same binary, and that text must be stable.
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace dw;

namespace {
bool SameBytes(TMemoryStream& a, TMemoryStream& b) {
    return a.Size() == b.Size() && std::memcmp(a.Memory(), b.Memory(), static_cast<size_t>(a.Size())) == 0;
}

[[noreturn]] void Fail(const char* what, TMemoryStream& text) {
    std::fprintf(stderr, "%s\n%.*s\n", what, static_cast<int>(text.Size()),
                 reinterpret_cast<const char*>(text.Memory()));
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    TMemoryStream input;
    input.WriteBuffer(data, static_cast<Int64>(size));
    input.SetPosition(0);
    TMemoryStream binary;
    try {
        ObjectTextToBinary(input, binary);
    } catch (const Exception&) {
        return 0;
    }
    TMemoryStream text, binary2, text2;
    try {
        binary.SetPosition(0);
        ObjectBinaryToText(binary, text);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Fail("The binary form of accepted text was rejected; the input was:", input);
    }
    try {
        text.SetPosition(0);
        ObjectTextToBinary(text, binary2);
        binary2.SetPosition(0);
        ObjectBinaryToText(binary2, text2);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Fail("Converting the written text again failed:", text);
    }
    if (!SameBytes(binary, binary2)) Fail("Text -> binary -> text -> binary changed the bytes:", text);
    if (!SameBytes(text, text2)) Fail("The written text is not stable:", text);
    return 0;
}
