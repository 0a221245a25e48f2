#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StreamFormat.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace std::literals;

namespace {
std::vector<Byte> BytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}
} // namespace

TEST(ResourceHeader, LayoutAndLengthFixup) {
    TMemoryStream stream;
    Int64 lengthPos = WriteResourceHeader(stream, "TForm1");
    stream.WriteBuffer("TPF0data", 8);
    FixupResourceHeader(stream, lengthPos);
    EXPECT_EQ(lengthPos, 12);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(stream.Bytes(), BytesOf("\xFF\x0A\x00TFORM1\x00\x30\x10\x08\x00\x00\x00TPF0data"sv));
}

TEST(ResourceHeader, NameIsCutToSixtyThreeBytes) {
    TMemoryStream stream;
    WriteResourceHeader(stream, String(70, 'a'));
    ASSERT_EQ(stream.Size(), 3 + 63 + 1 + 2 + 4);
    EXPECT_EQ(String(reinterpret_cast<const char*>(stream.Memory()) + 3, 63), String(63, 'A'));
    EXPECT_EQ(stream.Memory()[66], 0);
    EXPECT_THROW(WriteResourceHeader(stream, "bad\0name"s), EInvalidArgument);
}

TEST(ResourceHeader, ReadSkipsTheHeaderAndReturnsTheLength) {
    TMemoryStream stream;
    Int64 lengthPos = WriteResourceHeader(stream, "TMainForm");
    stream.WriteBuffer("TPF0xyz", 7);
    FixupResourceHeader(stream, lengthPos);
    stream.WriteBuffer("trailing", 8);
    stream.SetPosition(0);
    EXPECT_EQ(ReadResourceHeader(stream), 7);
    EXPECT_EQ(stream.Position(), lengthPos + 4);
}

TEST(ResourceHeader, MalformedHeadersRaiseReadErrors) {
    struct Case {
        std::string_view bytes;
        const char* message;
    } cases[] = {
        {"TPF0\x09TForm1"sv, "Invalid stream format"},
        {""sv, "Invalid stream format"},
        {"\xFF\x0A"sv, "Invalid resource header at offset 1: the stream ends inside the header"},
        {"\xFF\x05\x00X\x00\x30\x10\x00\x00\x00\x00"sv,
         "Invalid resource header at offset 1: resource type 5 instead of 10"},
        {"\xFF\x0A\x00TFORM"sv, "Invalid resource header at offset 8: the stream ends inside the resource name"},
        {"\xFF\x0A\x00X\x00\x30\x10\x05\x00\x00\x00TPF0"sv,
         "Invalid resource header at offset 7: data length 5 exceeds the 4 bytes that remain in the stream"},
        {"\xFF\x0A\x00X\x00\x30\x10\xFF\xFF\xFF\xFF"sv,
         "Invalid resource header at offset 7: data length 4294967295 exceeds the 0 bytes that remain in the stream"},
    };
    for (auto& c : cases) {
        TStringStream stream{String(c.bytes)};
        try {
            ReadResourceHeader(stream);
            ADD_FAILURE() << c.message;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    String longName = "\xFF\x0A\x00"s + String(64, 'N') + "\x00\x30\x10\x00\x00\x00\x00"s;
    TStringStream stream(longName);
    EXPECT_THROW(ReadResourceHeader(stream), EReadError);
}

TEST(StreamFormat, RecognisedFromTheFirstBytes) {
    using enum TStreamOriginalFormat;
    struct Case {
        std::string_view bytes;
        TStreamOriginalFormat format;
    } cases[] = {
        {"\xFF\x0A\x00"sv, sofBinary},
        {"TPF0\x06TForm1"sv, sofBinary},
        {"object Form1: TForm1"sv, sofText},
        {"OBJECT"sv, sofText},
        {"inherited Form2: TForm2"sv, sofText},
        {"Inline"sv, sofText},
        {"  object"sv, sofText},
        {"\tobject"sv, sofText},
        {"\r\nobject"sv, sofText},
        {"\nobject"sv, sofText},
        {"\vobject"sv, sofText},
        {"\xEF\xBB\xBFobject"sv, sofText},
        {"\xEF\xBB\xBF\nobject"sv, sofText},
        {"\xEF\xBB\xBFx"sv, sofUnknown},
        {"\xEF\xBB\xBF"sv, sofUnknown},
        {"TPF"sv, sofUnknown},
        {"TPF1"sv, sofUnknown},
        {"x"sv, sofUnknown},
        {"{"sv, sofUnknown},
        {""sv, sofUnknown},
        {"\0"sv, sofUnknown},
    };
    for (auto& c : cases) {
        TStringStream stream("prefix" + String(c.bytes));
        stream.SetPosition(6);
        EXPECT_EQ(TestStreamFormat(stream), c.format) << c.bytes;
        EXPECT_EQ(stream.Position(), 6) << c.bytes;
    }
}
