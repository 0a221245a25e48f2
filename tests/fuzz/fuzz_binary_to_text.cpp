// Arbitrary bytes as a binary component stream (bare or behind a resource header): whatever
// converts to text must convert back to exactly the bytes it came from.
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/ResourceHeader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace dw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    TMemoryStream input;
    input.WriteBuffer(data, static_cast<Int64>(size));
    input.SetPosition(0);
    TMemoryStream text;
    Int64 start = 0;
    Int64 end = 0;
    try {
        if (size > 0 && data[0] == 0xFF) {
            Int64 length = ReadResourceHeader(input);
            start = input.Position();
            input.SetPosition(0);
            ObjectResourceToText(input, text);
            // The resource may hold more than the object; only what the object used comes back.
            TMemoryStream data2;
            data2.WriteBuffer(data + start, length);
            data2.SetPosition(0);
            TMemoryStream ignored;
            ObjectBinaryToText(data2, ignored);
            end = start + data2.Position();
        } else {
            ObjectBinaryToText(input, text);
            end = input.Position();
        }
    } catch (const Exception&) {
        return 0;
    }
    TMemoryStream binary;
    text.SetPosition(0);
    try {
        ObjectTextToBinary(text, binary);
    } catch (const Exception& e) {
        std::fprintf(stderr, "The text form of an accepted binary stream was rejected: %s\n%.*s\n", e.what(),
                     static_cast<int>(text.Size()), reinterpret_cast<const char*>(text.Memory()));
        std::abort();
    }
    if (binary.Size() != end - start ||
        std::memcmp(binary.Memory(), data + start, static_cast<size_t>(end - start)) != 0) {
        std::fprintf(stderr, "Binary -> text -> binary changed the bytes\n%.*s\n", static_cast<int>(text.Size()),
                     reinterpret_cast<const char*>(text.Memory()));
        std::abort();
    }
    return 0;
}
