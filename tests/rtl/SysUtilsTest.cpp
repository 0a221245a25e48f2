#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"

#include <gtest/gtest.h>

using namespace dw;

TEST(SysUtils, IdentifiersCompareWithoutCase) {
    EXPECT_TRUE(SameText("Button1", "BUTTON1"));
    EXPECT_FALSE(SameText("Button1", "Button"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
}

TEST(SysUtils, ValidIdentifiers) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"Button1", true}, {"_x", true}, {"1abc", false}, {"", false}, {"a b", false}, {"a.b", false}};
    for (auto& c : cases) EXPECT_EQ(IsValidIdent(c.text), c.valid) << c.text;
}

TEST(SysUtils, FormatDirectives) {
    EXPECT_EQ(Format("%s: %s%sOrigin: (%d, %d)", "Button1", "TButton", "\r\n", 8, -3),
              "Button1: TButton\r\nOrigin: (8, -3)");
    EXPECT_EQ(Format("MDIChild_%d", 3), "MDIChild_3");
    EXPECT_EQ(Format("[%5s|%-4d|%x|%.2f|%%]", "ab", 7, 255, 1.5), "[   ab|7   |FF|1.50|%]");
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s %s", "one"), EConvertError);
}

TEST(SysUtils, IntegerConversion) {
    EXPECT_EQ(StrToInt(" -42 "), -42);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToIntDef("x", 7), 7);
    EXPECT_THROW(StrToInt("12a"), EConvertError);
    EXPECT_THROW(StrToInt("99999999999"), EConvertError);
}

TEST(SysUtils, FloatTextRoundTrips) {
    for (double v : {0.0, 1.5, -2.25, 1e20, 0.1, 123456.789}) EXPECT_EQ(StrToFloat(FloatToStr(v)), v);
    EXPECT_THROW(StrToFloat("1.2.3"), EConvertError);
}

TEST(SysUtils, Utf8AndUtf16RoundTrip) {
    String text = "Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
    EXPECT_EQ(Utf8ToWide("\xFF" "a"), (WideString{u'\uFFFD', u'a'}));
    EXPECT_EQ(Utf8ToWide("\xE2\x82"), (WideString{u'\uFFFD'}));
}
