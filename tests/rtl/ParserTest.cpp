#include "framework/rtl/Parser.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace std::literals;

namespace {

struct TTok {
    char Kind;
    String Text;
    int Line;
};

// Every token of text with the line it starts on.
std::vector<TTok> Tokens(const String& text) {
    TStringStream stream(text);
    TParser parser(stream);
    std::vector<TTok> out;
    while (parser.Token() != toEOF) {
        out.push_back({parser.Token(), parser.TokenString(), parser.SourceLine()});
        parser.NextToken();
    }
    return out;
}

// The ETextParserError that tokenizing text raises.
ETextParserError TokenizeError(const String& text) {
    try {
        Tokens(text);
    } catch (const ETextParserError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for: " << text;
    return ETextParserError("", 0);
}

} // namespace

TEST(Parser, TokenKindsAndText) {
    auto toks = Tokens("object Form1: TForm1 [2]\n"
                       "  Font.Height = -11\n"
                       "  Color = $00FF80\n"
                       "  R = Form2.Button1 X = 1.5E-3 Y = 2.5s Z = 3c W = 45000d V = 1e+20\n"
                       "  S = <>,(){}.");
    std::vector<std::pair<char, String>> expected = {{toSymbol, "object"},
                                                     {toSymbol, "Form1"},
                                                     {':', ":"},
                                                     {toSymbol, "TForm1"},
                                                     {'[', "["},
                                                     {toInteger, "2"},
                                                     {']', "]"},
                                                     {toSymbol, "Font.Height"},
                                                     {'=', "="},
                                                     {toInteger, "-11"},
                                                     {toSymbol, "Color"},
                                                     {'=', "="},
                                                     {toInteger, "$00FF80"},
                                                     {toSymbol, "R"},
                                                     {'=', "="},
                                                     {toSymbol, "Form2.Button1"},
                                                     {toSymbol, "X"},
                                                     {'=', "="},
                                                     {toFloat, "1.5E-3"},
                                                     {toSymbol, "Y"},
                                                     {'=', "="},
                                                     {toFloat, "2.5s"},
                                                     {toSymbol, "Z"},
                                                     {'=', "="},
                                                     {toFloat, "3c"},
                                                     {toSymbol, "W"},
                                                     {'=', "="},
                                                     {toFloat, "45000d"},
                                                     {toSymbol, "V"},
                                                     {'=', "="},
                                                     {toFloat, "1e+20"},
                                                     {toSymbol, "S"},
                                                     {'=', "="},
                                                     {'<', "<"},
                                                     {'>', ">"},
                                                     {',', ","},
                                                     {'(', "("},
                                                     {')', ")"},
                                                     {'{', "{"},
                                                     {'}', "}"},
                                                     {'.', "."}};
    ASSERT_EQ(toks.size(), expected.size());
    for (size_t i = 0; i < toks.size(); ++i) {
        EXPECT_EQ(toks[i].Kind, expected[i].first) << i << " " << toks[i].Text;
        EXPECT_EQ(toks[i].Text, expected[i].second) << i;
    }
}

TEST(Parser, NumberValuesAndFloatTypes) {
    struct Case {
        const char* text;
        Int64 value;
    } ints[] = {{"0", 0},
                {"-128", -128},
                {"$FF", 255},
                {"$7FFFFFFFFFFFFFFF", INT64_MAX},
                {"-9223372036854775808", INT64_MIN},
                {"9223372036854775807", INT64_MAX}};
    for (auto& c : ints) {
        TStringStream s(c.text);
        TParser p(s);
        ASSERT_EQ(p.Token(), toInteger) << c.text;
        EXPECT_EQ(p.TokenInt(), c.value) << c.text;
    }
    struct FloatCase {
        const char* text;
        char type;
        double value;
    } floats[] = {{"1.5", 0, 1.5}, {"-2.5E3", 0, -2500}, {"7s", 's', 7}, {"0.25D", 'd', 0.25}, {"1E2c", 'c', 100}};
    for (auto& c : floats) {
        TStringStream s(c.text);
        TParser p(s);
        ASSERT_EQ(p.Token(), toFloat) << c.text;
        EXPECT_EQ(p.FloatType(), c.type) << c.text;
        EXPECT_EQ(p.TokenFloat(), c.value) << c.text;
    }
}

TEST(Parser, CurrencyIsConvertedExactlyFromTheDecimalText) {
    struct Case {
        const char* text;
        Int64 scaled;
    } cases[] = {{"1.2345c", 12345},
                 {"-0.0001c", -1},
                 {"0.1c", 1000},
                 {"922337203685477.5807c", INT64_MAX},
                 {"-922337203685477.5808c", INT64_MIN},
                 {"1.23455c", 12346},
                 {"-1.23455c", -12346},
                 {"1.23454999c", 12345},
                 {"12E-4c", 12},
                 {"0c", 0}};
    for (auto& c : cases) {
        TStringStream s(c.text);
        TParser p(s);
        EXPECT_EQ(p.TokenCurrency(), c.scaled) << c.text;
    }
    TStringStream s("922337203685477.5808c");
    TParser p(s);
    EXPECT_THROW(p.TokenCurrency(), ETextParserError);
}

TEST(Parser, StringPiecesEscapesAndQuotes) {
    struct Case {
        const char* text;
        String value;
    } cases[] = {
        {"'abc'", "abc"},
        {"''", ""},
        {"'It''s'", "It's"},
        {"'abc'#13#10'def'", "abc\r\ndef"},
        {"#$41#66", "AB"},
        {"'caf'#233", "caf\xC3\xA9"},    // #n is the character n, kept as UTF-8
        {"'Zo\xC3\xAB'", "Zo\xC3\xAB"},  // quoted text is taken byte for byte
        {"#8364", "\xE2\x82\xAC"},       // euro sign
        {"#128512", "\xF0\x9F\x98\x80"}, // outside the basic plane
        {"'tab\there'", "tab\there"},    // a tab inside quotes is kept
    };
    for (auto& c : cases) {
        TStringStream s(c.text);
        TParser p(s);
        ASSERT_EQ(p.Token(), toString) << c.text;
        EXPECT_EQ(p.TokenString(), c.value) << c.text;
        p.NextToken();
        EXPECT_EQ(p.Token(), toEOF) << c.text;
    }
}

TEST(Parser, WideStringKeepsLoneSurrogatesAndPairs) {
    TStringStream s("'A'#55296'B'#128512'\xC3\xA9'");
    TParser p(s);
    WideString expected = {u'A', 0xD800, u'B', 0xD83D, 0xDE00, 0xE9};
    EXPECT_EQ(p.TokenWideString(), expected);
    EXPECT_EQ(TokenTextToWide("a\xFF"), (WideString{u'a', 0xFFFD}));
}

TEST(Parser, LinesCountForLfCrLfAndCr) {
    auto toks = Tokens("a\nb\r\nc\rd\n\n  e");
    ASSERT_EQ(toks.size(), 5u);
    int expected[] = {1, 2, 3, 4, 6};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(toks[i].Line, expected[i]) << toks[i].Text;
}

TEST(Parser, ByteOrderMarkIsSkipped) {
    auto toks = Tokens("\xEF\xBB\xBFobject");
    ASSERT_EQ(toks.size(), 1u);
    EXPECT_EQ(toks[0].Text, "object");
}

TEST(Parser, HexToBinaryReadsPairsAcrossLines) {
    TStringStream s("{\n  0A1b\n  FF}\n  end");
    TParser p(s);
    std::vector<Byte> data;
    p.HexToBinary(data);
    EXPECT_EQ(data, (std::vector<Byte>{0x0A, 0x1B, 0xFF}));
    EXPECT_TRUE(p.TokenSymbolIs("END"));
    EXPECT_EQ(p.SourceLine(), 4);
}

TEST(Parser, HexToBinaryErrorsNameTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {{"{\n 0A1\n}", 2, "Line 2: Invalid binary data: odd number of hex digits"},
                 {"{\n\n 0G}", 3, "Line 3: Invalid character 'G' in binary data"},
                 {"{ 0A", 1, "Line 1: '}' expected but end of file found in binary data"}};
    for (auto& c : cases) {
        TStringStream s(c.text);
        TParser p(s);
        std::vector<Byte> data;
        try {
            p.HexToBinary(data);
            ADD_FAILURE() << c.text;
        } catch (const ETextParserError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text;
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(Parser, LexicalErrorsNameTheLine) {
    struct Case {
        std::string_view text;
        int line;
        const char* message;
    } cases[] = {
        {"a\n'abc\n", 2, "Line 2: Unterminated string"},
        {"a\n\n'abc", 3, "Line 3: Unterminated string"},
        {"x = \x01", 1, "Line 1: Invalid character #1"},
        {"\n12abc", 2, "Line 2: Invalid number '12abc'"},
        {"99999999999999999999", 1, "Line 1: Integer '99999999999999999999' is out of range"},
        {"$8000000000000000", 1, "Line 1: Integer '$8000000000000000' is out of range"},
        {"'a'#", 1, "Line 1: Invalid character escape: digits expected after '#'"},
        {"#1114112", 1, "Line 1: Character escape '#1114112' is out of range"},
        {"x\0y"sv, 1, "Line 1: Invalid character #0"},
    };
    for (auto& c : cases) {
        ETextParserError e = TokenizeError(String(c.text));
        EXPECT_EQ(e.Line(), c.line) << c.text;
        EXPECT_EQ(e.Message(), c.message) << c.text;
    }
}

TEST(Parser, CheckTokenNamesWhatWasExpectedAndFound) {
    TStringStream s("Items = [a,\n b\n end");
    TParser p(s);
    for (int i = 0; i < 6; ++i) p.NextToken();
    try {
        p.CheckToken(']');
        FAIL();
    } catch (const ETextParserError& e) {
        EXPECT_EQ(e.Message(), "Line 3: ']' expected but 'end' found");
        EXPECT_EQ(e.Line(), 3);
    }
    EXPECT_THROW(p.CheckTokenSymbol("object"), EParserError);
    p.CheckTokenSymbol("END");
}

TEST(Parser, StreamIsLeftJustAfterTheCurrentToken) {
    TStringStream s("  first second");
    {
        TParser p(s);
        EXPECT_TRUE(p.TokenSymbolIs("first"));
        EXPECT_EQ(p.SourcePos(), 2);
    }
    EXPECT_EQ(s.Position(), 7);
    TParser again(s);
    EXPECT_TRUE(again.TokenSymbolIs("second"));
}
