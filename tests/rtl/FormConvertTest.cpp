#include "framework/rtl/FormConvert.h"
#include "TestClasses.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ResourceHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <type_traits>

using namespace dw;
using namespace std::literals;
using dw::test::TTestItem;
using dw::test::TTestRoot;
using dw::test::TWidget;

namespace {

// Builds binary component streams byte by byte.
class TBin {
public:
    TBin& Sig() { return Raw("TPF0"); }
    TBin& Raw(std::string_view s) {
        FBytes += s;
        return *this;
    }
    TBin& Str(std::string_view s) {
        FBytes += static_cast<char>(s.size());
        FBytes += s;
        return *this;
    }
    TBin& Obj(std::string_view className, std::string_view name) { return Str(className).Str(name); }
    TBin& End() { return Raw("\0"sv); }
    TBin& Repeat(std::string_view s, int n) {
        for (int i = 0; i < n; ++i) FBytes += s;
        return *this;
    }
    const String& Bytes() const { return FBytes; }

private:
    String FBytes;
};

String LE32(std::uint32_t v) {
    return {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16 & 0xFF), char(v >> 24 & 0xFF)};
}

String BinaryToText(const String& binary) {
    TStringStream in(binary), out;
    ObjectBinaryToText(in, out);
    return out.DataString();
}

String TextToBinary(const String& text) {
    TStringStream in(text), out;
    ObjectTextToBinary(in, out);
    return out.DataString();
}

// A form TA named A with the one property X holding the value bytes.
String FormWithValue(std::string_view value) {
    return TBin().Sig().Obj("TA", "A").Str("X").Raw(value).End().End().Bytes();
}

struct TRaised {
    String Message;
    int Line = 0;
};

// The message (and for text errors the line) of the E that f raises.
template <class E> TRaised RaisedBy(const std::function<void()>& f, const String& what) {
    try {
        f();
    } catch (const E& e) {
        if constexpr (std::is_base_of_v<ETextParserError, E>)
            return {e.Message(), e.Line()};
        else
            return {e.Message(), 0};
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": wrong exception: " << e.what();
        return {};
    }
    ADD_FAILURE() << what << ": nothing raised";
    return {};
}

} // namespace

TEST(FormConvert, KnownFormHasExactText) {
    String binary = TBin()
                        .Sig()
                        .Obj("TForm1", "Form1")
                        .Str("Left")
                        .Raw("\x02\x08"sv)
                        .Str("Caption")
                        .Raw("\x06\x05Hello")
                        .Str("Font.Style")
                        .Raw("\x0B\x06"
                             "fsBold\x08"
                             "fsItalic\x00"sv)
                        .End()
                        .Obj("TPanel", "Panel1")
                        .Str("Align")
                        .Raw("\x07\x08"
                             "alClient")
                        .End()
                        .Obj("TListBox", "List1")
                        .Str("Items.Strings")
                        .Raw("\x01\x06\x03one\x06\x03two\x00"sv)
                        .Str("OnClick")
                        .Raw("\x07\x0A"
                             "List1Click")
                        .End()
                        .End()
                        .End()
                        .End()
                        .Bytes();
    const String text = "object Form1: TForm1\n"
                        "  Left = 8\n"
                        "  Caption = 'Hello'\n"
                        "  Font.Style = [fsBold, fsItalic]\n"
                        "  object Panel1: TPanel\n"
                        "    Align = alClient\n"
                        "    object List1: TListBox\n"
                        "      Items.Strings = (\n"
                        "        'one'\n"
                        "        'two')\n"
                        "      OnClick = List1Click\n"
                        "    end\n"
                        "  end\n"
                        "end\n";
    EXPECT_EQ(BinaryToText(binary), text);
    EXPECT_EQ(TextToBinary(text), binary);
}

// Every value type, each notation read back to the same bytes and the same text.
TEST(FormConvert, EveryValueTypeRoundTripsBothWays) {
    struct Case {
        std::string_view value;
        const char* text;
    } cases[] = {
        {"\x02\x05"sv, " 5"},
        {"\x02\xFB"sv, " -5"},
        {"\x03\x2C\x01"sv, " 300"},
        {"\x03\x05\x00"sv, " 5:Int16"},
        {"\x04\xA0\x86\x01\x00"sv, " 100000"},
        {"\x04\x05\x00\x00\x00"sv, " 5:Int32"},
        {"\x13\x00\xF2\x05\x2A\x01\x00\x00\x00"sv, " 5000000000"},
        {"\x13\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"sv, " -1:Int64"},
        {"\x13\x00\x00\x00\x00\x00\x00\x00\x80"sv, " -9223372036854775808"},
        {"\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F"sv, " 1.5:Extended"},
        {"\x05\x00\x00\x00\x00\x00\x00\x00\x80\x00\x40"sv, " 2.0:Extended"},
        {"\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x80"sv, " -0.0:Extended"},
        {"\x05\x00\xD0\xCC\xCC\xCC\xCC\xCC\xCC\xFB\x3F"sv, " 0.1:Extended"},
        // Extended values that no double holds, infinities and NaNs keep their bytes.
        {"\x05\xCD\xCC\xCC\xCC\xCC\xCC\xCC\xCC\xFB\x3F"sv, " {CDCCCCCCCCCCCCCCFB3F}:Extended"},
        {"\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x7F"sv, " {0000000000000080FF7F}:Extended"},
        {"\x05\x00\x00\x00\x00\x00\x00\x00\x40\xFF\x3F"sv, " {0000000000000040FF3F}:Extended"},
        {"\x15\x9A\x99\x99\x99\x99\x99\xB9\x3F"sv, " 0.1"},
        {"\x15\x00\x00\x00\x00\x00\x00\x59\x40"sv, " 100.0"},
        {"\x15\x00\x00\x00\x00\x00\x00\x00\x80"sv, " -0.0"},
        {"\x15\x01\x00\x00\x00\x00\x00\xF8\x7F"sv, " {010000000000F87F}:Double"},
        {"\x0F\xCD\xCC\xCC\x3D"sv, " 0.1s"},
        {"\x0F\x00\x00\x80\xFF"sv, " {000080FF}:Single"},
        {"\x0F\x01\x00\x00\x00"sv, " 1E-45s"},
        {"\x10\xC0\x1D\xFE\xFF\xFF\xFF\xFF\xFF"sv, " -12.3456c"},
        {"\x10\x20\x4E\x00\x00\x00\x00\x00\x00"sv, " 2c"},
        {"\x11\x00\x00\x00\x00\x08\xF9\xE5\x40"sv, " 45000.25d"},
        {"\x11\x00\x00\x00\x00\x00\x00\x00\x00"sv, " 0d"},
        {"\x06\x06It's\r\n"sv, " 'It''s'#13#10"},
        {"\x06\x00"sv, " ''"},
        {"\x06\x04Zo\xC3\xAB"sv, " 'Zo\xC3\xAB':String"},
        {"\x06\x01\xE9"sv, " {E9}:String"},
        {"\x0C\x03\x00\x00\x00"
         "abc"sv,
         " 'abc':LString"},
        {"\x14\x0B\x00\x00\x00Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC"sv,
         " 'Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC'"},
        {"\x14\x03\x00\x00\x00"
         "abc"sv,
         " 'abc':UTF8String"},
        {"\x14\x05\x00\x00\x00"
         "a\xE2\x80\xA8"
         "b"sv,
         " 'a'#8232'b'"},
        {"\x14\x02\x00\x00\x00\xC2\x85"sv, " #133"},
        {"\x14\x03\x00\x00\x00\xED\xA0\x80"sv, " {EDA080}:UTF8String"},
        {"\x12\x06\x00\x00\x00"
         "A\x00\xE9\x00\x00\xD8'\x00=\xD8\x00\xDE"sv,
         " 'A\xC3\xA9'#55296'''\xF0\x9F\x98\x80':WString"},
        {"\x12\x00\x00\x00\x00"sv, " '':WString"},
        {"\x07\x05"
         "clRed"sv,
         " clRed"},
        {"\x07\x0D"
         "Form2.Button1"sv,
         " Form2.Button1"},
        {"\x07\x04true"sv, " true:Ident"},
        {"\x07\x03NIL"sv, " NIL:Ident"},
        {"\x08"sv, " False"},
        {"\x09"sv, " True"},
        {"\x0D"sv, " nil"},
        {"\x00"sv, " Null"},
        {"\x07\x04Null"sv, " Null:Ident"},
        {"\x0B\x06"
         "akLeft\x05"
         "akTop\x00"sv,
         " [akLeft, akTop]"},
        {"\x0B\x00"sv, " []"},
        {"\x0A\x02\x00\x00\x00\x0A\x0B"sv, " {\n    0A0B}"},
        {"\x0A\x00\x00\x00\x00"sv, " {}"},
        {"\x01\x00"sv, " ()"},
        {"\x01\x02\x01\x06\x01"
         "a\x01\x09\x00\x00"sv,
         " (\n    1\n    'a'\n    (\n      True))"},
        {"\x0E\x00"sv, " <>"},
        {"\x0E\x01\x00\x02\x03\x01\x01"
         "A\x02\x01\x00\x00"sv,
         " <\n    item\n    end\n    item [3]\n      A = 1\n    end>"},
        {"\x0E\x03\x03\x00\x01\x00\x00"sv, " <\n    item [3:Int16]\n    end>"},
        {"\x01\x0E\x01\x00\x00\x0B\x00\x00"sv, " (\n    <\n      item\n      end>\n    [])"},
    };
    for (auto& c : cases) {
        String binary = FormWithValue(c.value);
        String text = "object A: TA\n  X =" + String(c.text) + "\nend\n";
        try {
            EXPECT_EQ(BinaryToText(binary), text);
            EXPECT_EQ(TextToBinary(text), binary) << c.text;
        } catch (const Exception& e) {
            ADD_FAILURE() << c.text << ": " << e.Message();
        }
    }
}

TEST(FormConvert, PrefixFlagsAndChildPositions) {
    struct Case {
        std::string_view prefix;
        std::string_view name;
        const char* header;
    } cases[] = {
        {""sv, "A"sv, "object A: TA"},
        {""sv, ""sv, "object TA"},
        {"\xF1"sv, "A"sv, "inherited A: TA"},
        {"\xF4"sv, "A"sv, "inline A: TA"},
        {"\xF5"sv, "A"sv, "inherited inline A: TA"},
        {"\xF2\x02\x02"sv, "A"sv, "object A: TA [2]"},
        {"\xF3\x03\x02\x00"sv, "A"sv, "inherited A: TA [2:Int16]"},
        {"\xF6\x02\xFF"sv, ""sv, "inline TA [-1]"},
        {"\xF7\x02\x00"sv, "A"sv, "inherited inline A: TA [0]"},
    };
    for (auto& c : cases) {
        // The flags on a child, so that the root around it shows the nesting.
        String binary =
            TBin().Sig().Obj("TRoot", "Root").End().Raw(c.prefix).Obj("TA", c.name).End().End().End().Bytes();
        String text = "object Root: TRoot\n  " + String(c.header) + "\n  end\nend\n";
        EXPECT_EQ(BinaryToText(binary), text);
        EXPECT_EQ(TextToBinary(text), binary) << c.header;
        // And on the root itself.
        String rootBinary = TBin().Sig().Raw(c.prefix).Obj("TA", c.name).End().End().Bytes();
        EXPECT_EQ(TextToBinary(String(c.header) + "\nend\n"), rootBinary) << c.header;
    }
    // Either order of the two keywords reads.
    EXPECT_EQ(TextToBinary("inline inherited A: TA\nend"), TextToBinary("inherited inline A: TA\nend"));
}

TEST(FormConvert, LongStringsAndBinaryAreSplitIntoLines) {
    String text64(64, 'a');
    String longValue = text64 + text64 + "bb";
    String binary = FormWithValue("\x06\x82" + longValue);
    String expected = "object A: TA\n  X =\n    '" + text64 + "' +\n    '" + text64 + "' +\n    'bb'\nend\n";
    EXPECT_EQ(BinaryToText(binary), expected);
    EXPECT_EQ(TextToBinary(expected), binary);

    // In a list the string starts on the item's line.
    String listBinary = FormWithValue("\x01\x06\x42" + text64 + "cc" + "\x00"s);
    String listText = "object A: TA\n  X = (\n    '" + text64 + "' +\n      'cc')\nend\n";
    EXPECT_EQ(BinaryToText(listBinary), listText);

    String data;
    for (int i = 0; i < 70; ++i) data += static_cast<char>(i);
    String binaryText = BinaryToText(FormWithValue("\x0A" + LE32(70) + data));
    EXPECT_EQ(binaryText, "object A: TA\n  X = {\n"
                          "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                          "    202122232425262728292A2B2C2D2E2F303132333435363738393A3B3C3D3E3F\n"
                          "    404142434445}\nend\n");
}

TEST(FormConvert, TextNotationsReadAsTheirValueTypes) {
    struct Case {
        const char* text;
        std::string_view value;
    } cases[] = {
        {"$FF", "\x03\xFF\x00"sv},
        {"-129", "\x03\x7F\xFF"sv},
        {"2147483648", "\x13\x00\x00\x00\x80\x00\x00\x00\x00"sv},
        {"'a' +\n 'b'#13 + #10'c'", "\x06\x05"
                                    "ab\r\nc"sv},
        {"'x'#$41", "\x06\x02xA"sv},
        {"1.5:Single", "\x0F\x00\x00\xC0\x3F"sv},
        {"0.1:Single", "\x0F\xCD\xCC\xCC\x3D"sv},
        {"1.5:Extended", "\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F"sv},
        {"1.5E0", "\x15\x00\x00\x00\x00\x00\x00\xF8\x3F"sv},
        {"NULL", "\x00"sv},
        {"3D", "\x11\x00\x00\x00\x00\x00\x00\x08\x40"sv},
        {"1.5:date", "\x11\x00\x00\x00\x00\x00\x00\xF8\x3F"sv},
        {"'x':wstring", "\x12\x01\x00\x00\x00x\x00"sv},
        {"'caf'#233", "\x14\x05\x00\x00\x00"
                      "caf\xC3\xA9"sv},
        {"{C3A9}:UTF8String", "\x14\x02\x00\x00\x00\xC3\xA9"sv},
        {"{0000C03F}:Single", "\x0F\x00\x00\xC0\x3F"sv},
        {"true", "\x09"sv},
        {"Nil", "\x0D"sv},
        {"clRed:Ident", "\x07\x05"
                        "clRed"sv},
        {"[ a ,b ]", "\x0B\x01"
                     "a\x01"
                     "b\x00"sv},
        {"< item [1] end >", "\x0E\x02\x01\x01\x00\x00"sv},
    };
    for (auto& c : cases) {
        try {
            EXPECT_EQ(TextToBinary("object A: TA\n  X = " + String(c.text) + "\nend"), FormWithValue(c.value))
                << c.text;
        } catch (const Exception& e) {
            ADD_FAILURE() << c.text << ": " << e.Message();
        }
    }
    String longAscii(256, 'z');
    EXPECT_EQ(TextToBinary("object A: TA X = '" + longAscii + "' end"), FormWithValue("\x0C" + LE32(256) + longAscii));
}

TEST(FormConvert, TextLineEndingsAndByteOrderMark) {
    String expected = TextToBinary("object A: TA\n  X = 1\n  object B: TB\n  end\nend\n");
    EXPECT_EQ(TextToBinary("object A: TA\r\n  X = 1\r\n  object B: TB\r\n  end\r\nend\r\n"), expected);
    EXPECT_EQ(TextToBinary("\xEF\xBB\xBFobject A: TA\n\tX=1 object B: TB end end"), expected);
}

TEST(FormConvert, ConversionStopsAfterTheRootObject) {
    String one = TBin().Sig().Obj("TA", "A").End().End().Bytes();
    String two = TBin().Sig().Obj("TB", "B").End().End().Bytes();
    TStringStream binary(one + two);
    TStringStream text;
    EXPECT_EQ(ObjectBinaryToText(binary, text).ClassName, "TA");
    EXPECT_EQ(binary.Position(), static_cast<Int64>(one.size()));
    EXPECT_EQ(ObjectBinaryToText(binary, text).ClassName, "TB");
    EXPECT_EQ(text.DataString(), "object A: TA\nend\nobject B: TB\nend\n");

    TStringStream back(text.DataString());
    TStringStream out;
    ObjectTextToBinary(back, out);
    EXPECT_EQ(back.Position(), 16); // just after the first "end"
    ObjectTextToBinary(back, out);
    EXPECT_EQ(out.DataString(), one + two);
}

TEST(FormConvert, SummaryNamesTheRootAndCountsObjects) {
    TStringStream in("inherited Main: TMain\n object A: TA\n  object B: TB\n  end\n end\n object C: TC end\nend");
    TMemoryStream out;
    TObjectSummary summary = ObjectTextToBinary(in, out);
    EXPECT_EQ(summary.Name, "Main");
    EXPECT_EQ(summary.ClassName, "TMain");
    EXPECT_EQ(summary.ObjectCount, 4);
    out.SetPosition(0);
    TMemoryStream text;
    summary = ObjectBinaryToText(out, text);
    EXPECT_EQ(summary.ClassName, "TMain");
    EXPECT_EQ(summary.ObjectCount, 4);
}

TEST(FormConvert, ResourceFormsCarryTheHeader) {
    const String text = "object Form1: TForm1\n  Tag = 1\nend\n";
    TStringStream in(text);
    TMemoryStream res;
    ObjectTextToResource(in, res);
    String data = TextToBinary(text);
    String expected = "\xFF\x0A\x00TFORM1\x00\x30\x10"s + LE32(static_cast<std::uint32_t>(data.size())) + data;
    EXPECT_EQ(String(reinterpret_cast<const char*>(res.Memory()), static_cast<size_t>(res.Size())), expected);

    res.SetPosition(0);
    TStringStream back;
    ObjectResourceToText(res, back);
    EXPECT_EQ(back.DataString(), text);
    EXPECT_EQ(res.Position(), res.Size());

    // The object must fit inside the length the header gives.
    String shortRes = "\xFF\x0A\x00TFORM1\x00\x30\x10"s + LE32(static_cast<std::uint32_t>(data.size() - 1)) + data;
    TStringStream cut(shortRes), sink;
    EXPECT_THROW(ObjectResourceToText(cut, sink), EReadError);
}

TEST(FormConvert, NestingIsLimited) {
    auto nestedBinary = [](int depth) {
        return TBin().Sig().Repeat("\x02TA\x00\x00"sv, depth).Repeat("\x00"sv, depth).Bytes();
    };
    auto nestedText = [](int depth) {
        String t;
        for (int i = 0; i < depth; ++i) t += "object TA\n";
        for (int i = 0; i < depth; ++i) t += "end\n";
        return t;
    };
    EXPECT_EQ(TextToBinary(nestedText(MaxFilerNesting)), nestedBinary(MaxFilerNesting));
    EXPECT_NO_THROW(BinaryToText(nestedBinary(MaxFilerNesting)));
    auto binaryError = RaisedBy<EReadError>([&] { BinaryToText(nestedBinary(MaxFilerNesting + 1)); }, "deep binary");
    EXPECT_EQ(binaryError.Message, Format("Offset %d: Objects are nested deeper than 256 levels", 4 + 5 * 256));
    auto textError = RaisedBy<ETextParserError>([&] { TextToBinary(nestedText(MaxFilerNesting + 1)); }, "deep text");
    EXPECT_EQ(textError.Line, 257);

    String deepLists = FormWithValue(String(MaxFilerNesting + 1, '\x01') + String(MaxFilerNesting + 1, '\x00'));
    EXPECT_THROW(BinaryToText(deepLists), EReadError);
    EXPECT_THROW(TextToBinary("object A: TA X = " + String(MaxFilerNesting + 1, '(') +
                              String(MaxFilerNesting + 1, ')') + " end"),
                 ETextParserError);
    // Deep nesting is refused without exhausting the stack.
    EXPECT_THROW(TextToBinary("object A: TA X = " + String(100000, '(')), ETextParserError);
    EXPECT_THROW(BinaryToText(FormWithValue(String(100000, '\x0E'))), EReadError);
}

TEST(FormConvert, MalformedBinaryNamesTheOffset) {
    struct Case {
        String bytes;
        const char* message;
    } cases[] = {
        {"TPF1", "Invalid stream format: no signature 'TPF0' at offset 0"},
        {"TPF0", "Offset 4: Unexpected end of stream"},
        {"TPF0\x05TA", "Offset 5: Class name of 5 bytes runs past the end of the stream (2 bytes left)"},
        {FormWithValue("\x16"sv), "Offset 11: Invalid value type 22"},
        {FormWithValue("\x0C\xFF\xFF\xFF\x7F"
                       "abc"sv),
         "Offset 16: String of 2147483647 bytes runs past the end of the stream (5 bytes left)"},
        {FormWithValue("\x12\x02\x00\x00\x80"
                       "ab"sv),
         "Offset 16: Wide string of 4294967300 bytes runs past the end of the stream (4 bytes left)"},
        {FormWithValue("\x0A\x10\x00\x00\x00\x01"sv),
         "Offset 16: Binary data of 16 bytes runs past the end of the stream (3 bytes left)"},
        {FormWithValue("\x07\x03"
                       "a b"sv),
         "Offset 12: Identifier 'a b' is not valid"},
        {FormWithValue("\x07\x00"sv), "Offset 12: Identifier '' is not valid"},
        // Control characters are shown as escapes, so the message stays on one line.
        {FormWithValue("\x07\x03"
                       "a\nb"sv),
         "Offset 12: Identifier 'a#10b' is not valid"},
        {FormWithValue("\x0B\x02"
                       "1a\x00"sv),
         "Offset 12: Set element '1a' is not a valid identifier"},
        {FormWithValue("\x0E\x06\x00"sv), "Offset 12: Collection item expected"},
        {FormWithValue("\x05\x01\x02"sv),
         "Offset 12: Extended value of 10 bytes runs past the end of the stream (4 bytes left)"},
        {TBin().Sig().Obj("TA", "A").Str("end").Raw("\x02\x01"sv).End().End().Bytes(),
         "Offset 9: Property name 'end' is a reserved word"},
        {TBin().Sig().Obj("TA", "A").Str("a..b").Raw("\x02\x01"sv).End().End().Bytes(),
         "Offset 9: Property name 'a..b' is not a valid identifier"},
        {TBin().Sig().Obj("object", "A").End().End().Bytes(), "Offset 4: Class name 'object' is a reserved word"},
        {TBin().Sig().Obj("TA", "My Form").End().End().Bytes(),
         "Offset 7: Object name 'My Form' is not a valid identifier"},
        {TBin().Sig().Raw("\xF0"sv).Obj("TA", "A").End().End().Bytes(), "Offset 4: Invalid object prefix $F0"},
        {TBin().Sig().Raw("\xF8"sv).Obj("TA", "A").End().End().Bytes(), "Offset 4: Invalid object prefix $F8"},
        {TBin().Sig().Raw("\xF2\x06\x01x"sv).Obj("TA", "A").End().End().Bytes(),
         "Offset 5: Child position must be an integer, not value type 6"},
    };
    for (auto& c : cases) {
        auto e = RaisedBy<EReadError>([&] { BinaryToText(c.bytes); }, c.message);
        EXPECT_EQ(e.Message, c.message);
    }
}

// Every truncation of a stream holding each value type fails cleanly with a read error.
TEST(FormConvert, EveryTruncatedBinaryRaisesReadError) {
    const String text = "inherited Form1: TForm1 [3]\n"
                        "  A = 300\n  B = 1.5:Extended\n  C = 'abc'\n  D = 'x':WString\n  E = [a, b]\n  F = (\n    1)\n"
                        "  G = {\n    0102}\n  H = <\n    item [1]\n      P = nil\n    end>\n  I = 2.5s\n  J = 3c\n"
                        "  K = 'z':UTF8String\n  L = 1.0\n  R = Null\n  M = 4d\n  N = 'q':LString\n  O = 5000000000\n"
                        "  object Child: TChild\n    Q = Ident\n  end\nend\n";
    String binary = TextToBinary(text);
    ASSERT_EQ(BinaryToText(binary), text);
    for (size_t n = 0; n < binary.size(); ++n) {
        try {
            BinaryToText(binary.substr(0, n));
            ADD_FAILURE() << "truncated at " << n << " was accepted";
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("ffset"), String::npos) << e.Message();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "truncated at " << n << ": " << e.what();
        }
    }
}

TEST(FormConvert, MalformedTextNamesTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"", 1, "Line 1: 'object' expected but end of file found"},
        {"form Form1: TForm1\nend", 1, "Line 1: 'object' expected but 'form' found"},
        {"object Form1: TForm1\n  Caption = 'Hello\nend", 2, "Line 2: Unterminated string"},
        {"object Form1: TForm1\n  Left = 1\n", 3, "Line 3: 'end' expected but end of file found"},
        {"object Form1: TForm1\n  Left 1\nend", 2, "Line 2: '=' expected but '1' found"},
        {"object Form1: TForm1\n  S = [a, b\nend", 3, "Line 3: ',' expected but 'end' found"},
        {"object Form1: TForm1\n  S = [a,\n  ]\nend", 3, "Line 3: Set element expected but ']' found"},
        {"object Form1: TForm1\n  D = {\n    0A0\n  }\nend", 3,
         "Line 3: Invalid binary data: odd number of hex digits"},
        {"object Form1: TForm1\n  D = {\n    0AZZ}\nend", 3, "Line 3: Invalid character 'Z' in binary data"},
        {"object Form1: TForm1\n  D = {\n    0A0B\n", 4, "Line 4: '}' expected but end of file found in binary data"},
        {"object Form1: TForm1\n  L = (\n    1\n", 4, "Line 4: ')' expected but end of file found"},
        {"object Form1: TForm1\n  C = <\n    Width = 1\n  >\nend", 3,
         "Line 3: 'item' or '>' expected but 'Width' found"},
        {"object Form1: TForm1\n  C = <\n    item\n      object = 1\n    end>\nend", 4,
         "Line 4: Property name expected but 'object' found"},
        {"object Form1: TForm1\n  X = =\nend", 2, "Line 2: Value expected but '=' found"},
        {"object Form1: TForm1\n  X = 5:Int99\nend", 2, "Line 2: Unknown value type 'Int99'"},
        {"object Form1: TForm1\n  X = (\n    Null)\nend", 3, "Line 3: Null cannot be a list item"},
        {"object Form1: TForm1\n  X = 300:Int8\nend", 2, "Line 2: 300 does not fit Int8"},
        {"object Form1: TForm1\n  X = 'a':Int32\nend", 2, "Line 2: A string cannot be stored as Int32"},
        {"object Form1: TForm1\n  X = 1.5s:Double\nend", 2, "Line 2: 1.5s cannot be stored as Double"},
        {"object Form1: TForm1\n  X = {00}:Single\nend", 2, "Line 2: Single takes 4 bytes of raw data, not 1"},
        {"object Form1: TForm1\n  X = 1E400\nend", 2, "Line 2: Float value '1E400' is out of range"},
        {"object Form1: TForm1\n  X = 'abc' +\nend", 3, "Line 3: String expected but 'end' found"},
        {"object end: TForm1\nend", 1, "Line 1: Object name expected but 'end' found"},
        {"object Form1: inline\nend", 1, "Line 1: Class name expected but 'inline' found"},
        {"object Form1: TForm1 [x]\nend", 1, "Line 1: Integer expected but 'x' found"},
        {"object Form1: TForm1\n  object B: TB\n  end\n  Left = 1\nend", 4, "Line 4: 'end' expected but 'Left' found"},
    };
    for (auto& c : cases) {
        auto e = RaisedBy<ETextParserError>([&] { TextToBinary(c.text); }, c.text);
        EXPECT_EQ(e.Line, c.line) << c.text;
        EXPECT_EQ(e.Message, c.message) << c.text;
    }
    String longName(256, 'n');
    auto e = RaisedBy<ETextParserError>([&] { TextToBinary("object A: TA\n  " + longName + " = 1\nend"); }, "long");
    EXPECT_EQ(e.Message, "Line 2: Property name is longer than 255 bytes");
    // A class name this long reads as an object prefix unless a prefix comes first.
    String longClass(240, 'T');
    e = RaisedBy<ETextParserError>([&] { TextToBinary("object A: " + longClass + "\nend"); }, "long class");
    EXPECT_EQ(e.Message, "Line 1: Class name is longer than 239 bytes");
    EXPECT_NO_THROW(TextToBinary("inherited A: " + longClass + "\nend"));
}

TEST(FormConvert, InputThatIsNotAMemoryStream) {
    // The file and string streams take the copying path; the result must be the same.
    String binary = TextToBinary("object A: TA\n  X = 'abc'\nend\n");
    TStringStream in("junk" + binary + "more");
    in.SetPosition(4);
    TStringStream out;
    ObjectBinaryToText(in, out);
    EXPECT_EQ(out.DataString(), "object A: TA\n  X = 'abc'\nend\n");
    EXPECT_EQ(in.Position(), static_cast<Int64>(4 + binary.size()));
}

// What the framework's writer produces converts to text and back unchanged, and the reader takes
// the result.
TEST(FormConvert, WriterOutputRoundTripsAndReadsBack) {
    dw::test::RegisterTestClasses();
    TTestRoot root(nullptr);
    root.SetName("Root1");
    auto* w1 = New<TWidget>(&root);
    w1->SetName("Widget1");
    w1->Count = 100000;
    w1->Caption = "Gr\xC3\xBC\xC3\x9F"
                  "e\r\nline two";
    w1->Wide = u"wide \U0001F600";
    w1->Ratio = 0.1;
    w1->When = TDateTime{45000.5};
    w1->Big = 5;
    w1->Extra = Variant::Null();
    w1->Modes = {dw::test::cmGreen, dw::test::cmBlue};
    w1->Origin()->X = -7;
    auto* item = static_cast<TTestItem*>(w1->Items()->Add());
    item->Text = "first";
    item->Width = 80;
    auto* w2 = New<TWidget>(&root);
    w2->SetName("Widget2");
    w2->SetBuddy(w1);
    w2->Caption = String(300, 'x');
    w2->Extra = Variant(Int64(7));

    TMemoryStream binary;
    {
        TWriter writer(binary, 4096);
        writer.WriteRootComponent(&root);
    }
    binary.SetPosition(0);
    TMemoryStream text;
    ObjectBinaryToText(binary, text);
    String textForm(reinterpret_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
    for (const char* line :
         {"    Caption = 'Gr\xC3\xBC\xC3\x9F"
          "e'#13#10'line two'\n",
          "    Ratio = 0.1\n", "    When = 45000.5d\n", "    Extra = Null\n", "    Modes = [cmGreen, cmBlue]\n",
          "    Origin.X = -7\n", "    Buddy = Widget1\n", "    Extra = 7:Int64\n"})
        EXPECT_NE(textForm.find(line), String::npos) << line << "\n" << textForm;

    text.SetPosition(0);
    TMemoryStream back;
    ObjectTextToBinary(text, back);
    EXPECT_EQ(back.Bytes(), binary.Bytes());

    TTestRoot copy(nullptr);
    back.SetPosition(0);
    {
        TReader reader(back, 4096);
        reader.ReadRootComponent(&copy);
    }
    auto* r1 = As<TWidget>(copy.FindComponent("Widget1"));
    auto* r2 = As<TWidget>(copy.FindComponent("Widget2"));
    ASSERT_TRUE(r1 && r2);
    EXPECT_EQ(r1->Caption, w1->Caption);
    EXPECT_EQ(r1->Wide, w1->Wide);
    EXPECT_EQ(r1->Ratio, 0.1);
    EXPECT_EQ(r1->Count, 100000);
    EXPECT_TRUE(r1->Extra.IsNull());
    EXPECT_EQ(r1->Origin()->X, -7);
    ASSERT_EQ(r1->Items()->Count(), 1);
    EXPECT_EQ(static_cast<TTestItem*>(r1->Items()->Items(0))->Width, 80);
    EXPECT_EQ(r2->Buddy, r1);
    EXPECT_EQ(r2->Caption, String(300, 'x'));
}
