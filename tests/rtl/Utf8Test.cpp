// The UTF-8 module: one policy for bad input (U+FFFD once per bad sequence, decoding goes on).
#include "framework/rtl/Utf8.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

struct TDecodeCase {
    const char* Name;
    std::string Bytes;
    std::u32string CodePoints;
    bool Valid;
};

TEST(Utf8, DecodesGoodTextAndReplacesEachBadSequenceOnce) {
    const TDecodeCase cases[] = {
        {"ascii", "ab", U"ab", true},
        {"two, three and four bytes", "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u00FC\u20AC\U0001F600", true},
        {"stray continuation",
         "a\x80"
         "b",
         U"a\uFFFD"
         "b",
         false},
        {"impossible lead",
         "\xFF"
         "a",
         U"\uFFFD"
         "a",
         false},
        {"cut short before ascii",
         "\xE2\x82"
         "a",
         U"\uFFFD"
         "a",
         false},
        {"cut short at the end", "a\xF0\x9F\x98", U"a\uFFFD", false},
        {"overlong slash", "\xC0\xAF", U"\uFFFD", false},
        {"overlong three bytes", "\xE0\x80\xAF", U"\uFFFD", false},
        {"surrogate", "\xED\xA0\x80", U"\uFFFD", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD", false},
        {"replacement char written out", "\xEF\xBF\xBD", U"\uFFFD", true},
        {"empty", "", U"", true},
    };
    for (const TDecodeCase& c : cases) {
        EXPECT_EQ(Utf8ToCodePoints(c.Bytes), c.CodePoints) << c.Name;
        EXPECT_EQ(IsValidUtf8(c.Bytes), c.Valid) << c.Name;
    }
}

TEST(Utf8, NextNeverReadsPastTheEnd) {
    std::string bytes = "\xF0\x9F";
    std::size_t pos = 0;
    EXPECT_EQ(NextUtf8(std::string_view(bytes.data(), 1), pos), ReplacementChar);
    EXPECT_EQ(pos, 1u);
    EXPECT_EQ(NextUtf8(bytes, pos), ReplacementChar) << "a lone continuation";
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(NextUtf8(bytes, pos), ReplacementChar) << "at the end";
    EXPECT_EQ(pos, 2u);
}

TEST(Utf8, EncodesAndReplacesWhatCannotBeEncoded) {
    const std::pair<char32_t, std::string> cases[] = {
        {U'a', "a"},
        {0xFC, "\xC3\xBC"},
        {0x20AC, "\xE2\x82\xAC"},
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0xD800, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
    };
    for (const auto& [cp, bytes] : cases) {
        std::string out;
        AppendUtf8(out, cp);
        EXPECT_EQ(out, bytes) << static_cast<unsigned>(cp);
    }
}

} // namespace
} // namespace dw
