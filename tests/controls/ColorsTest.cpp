#include "GraphicsFixture.h"

#include "framework/controls/graphics/Colors.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/platform/gdi/SysColors.h"

using namespace dw;
using namespace dw::test;

namespace {

TEST(Colors, NamedColoursHaveTheirClassicValues) {
    struct Case {
        const char* Name;
        std::uint32_t Value;
    };
    const Case cases[] = {
        {"clBlack", 0x000000},      {"clMaroon", 0x000080},         {"clGreen", 0x008000},
        {"clOlive", 0x008080},      {"clNavy", 0x800000},           {"clPurple", 0x800080},
        {"clTeal", 0x808000},       {"clGray", 0x808080},           {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},        {"clLime", 0x00FF00},           {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},        {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0},     {"clSkyBlue", 0xF0CAA6},
        {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},        {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},  {"clScrollBar", 0x80000000},    {"clBtnFace", 0x8000000F},
        {"clWindow", 0x80000005},   {"clWindowText", 0x80000008},   {"clHighlight", 0x8000000D},
        {"clInfoBk", 0x80000018},   {"cl3DDkShadow", 0x80000015},   {"cl3DLight", 0x80000016},
        {"clGrayText", 0x80000011}, {"clBtnHighlight", 0x80000014},
    };
    for (const Case& c : cases) {
        TColor color = 0;
        ASSERT_TRUE(IdentToColor(c.Name, color)) << c.Name;
        EXPECT_EQ(static_cast<std::uint32_t>(color), c.Value) << c.Name;
        String back;
        ASSERT_TRUE(ColorToIdent(color, back)) << c.Name;
        EXPECT_EQ(back, c.Name);
    }
}

TEST(Colors, EveryListedNameReadsBackToItself) {
    std::vector<String> names;
    GetColorValues([&](const String& name) { names.push_back(name); });
    ASSERT_GE(names.size(), 45u);
    EXPECT_EQ(names.front(), "clBlack");
    for (const String& name : names) {
        TColor color;
        ASSERT_TRUE(IdentToColor(name, color)) << name;
        EXPECT_EQ(ColorToString(color), name);
    }
}

TEST(Colors, ColorToRGBResolvesSystemColoursAndKeepsRGB) {
    ResetSysColors();
    const std::pair<TColor, int> system[] = {
        {clBtnFace, COLOR_BTNFACE},       {clWindow, COLOR_WINDOW},       {clWindowText, COLOR_WINDOWTEXT},
        {clHighlight, COLOR_HIGHLIGHT},   {clBtnShadow, COLOR_BTNSHADOW}, {clBtnHighlight, COLOR_BTNHIGHLIGHT},
        {clInfoBk, COLOR_INFOBK},         {clGrayText, COLOR_GRAYTEXT},   {clActiveCaption, COLOR_ACTIVECAPTION},
        {cl3DDkShadow, COLOR_3DDKSHADOW},
    };
    for (auto [color, index] : system) EXPECT_EQ(ColorToRGB(color), GetSysColor(index)) << ColorToString(color);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);

    // A changed scheme is followed.
    int index = COLOR_BTNFACE;
    COLORREF pink = RGB(255, 192, 203);
    SetSysColors(1, &index, &pink);
    EXPECT_EQ(ColorToRGB(clBtnFace), pink);
    ResetSysColors();
}

TEST(Colors, StringToColorTakesNamesHexAndDecimal) {
    EXPECT_EQ(StringToColor("clRed"), clRed);
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-2147483643"), clWindow);
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    for (const char* bad : {"clPink", "", "$1FFFFFFFFF", "12abc"}) {
        try {
            StringToColor(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find(bad), String::npos) << e.Message();
        }
    }
}

TEST(Cursors, NamesAndNumbersFollowTheClassicTable) {
    const std::pair<const char*, int> cases[] = {
        {"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},    {"crCross", -3},     {"crIBeam", -4},
        {"crSizeNESW", -6},   {"crSizeNS", -7},   {"crSizeNWSE", -8}, {"crSizeWE", -9},    {"crUpArrow", -10},
        {"crHourGlass", -11}, {"crDrag", -12},    {"crNoDrop", -13},  {"crHSplit", -14},   {"crVSplit", -15},
        {"crMultiDrag", -16}, {"crSQLWait", -17}, {"crNo", -18},      {"crAppStart", -19}, {"crHelp", -20},
        {"crHandPoint", -21}, {"crSizeAll", -22},
    };
    for (auto [name, value] : cases) {
        int cursor = 99;
        ASSERT_TRUE(IdentToCursor(name, cursor)) << name;
        EXPECT_EQ(cursor, value) << name;
        EXPECT_EQ(CursorToString(static_cast<TCursor>(value)), name);
    }
    int size = 0;
    ASSERT_TRUE(IdentToCursor("crSize", size));
    EXPECT_EQ(size, crSizeAll);
    EXPECT_EQ(CursorToString(crSize), "crSizeAll");
    EXPECT_EQ(StringToCursor("5"), 5);
    EXPECT_EQ(CursorToString(5), "5");
    EXPECT_THROW(StringToCursor("crPointer"), EConvertError);
}

TEST(Colors, StreamsStoreColoursAndCursorsByName) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TGfxHolder> holder(New<TGfxHolder>(nullptr));
    holder->SetName("Holder");
    holder->SetColor(clWindow);
    holder->SetCursor(crHandPoint);
    TMemoryStream stream;
    TObjectPtr<TComponent> copy(StreamRoundTrip(holder.get(), &stream));
    auto* read = As<TGfxHolder>(copy.get());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Color(), clWindow);
    EXPECT_EQ(read->Cursor(), crHandPoint);
    const auto& bytes = stream.Bytes();
    auto contains = [&](const String& text) {
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    };
    EXPECT_TRUE(contains("clWindow"));
    EXPECT_TRUE(contains("crHandPoint"));

    // An unnamed colour goes as a number and comes back.
    holder->SetColor(0x123456);
    TObjectPtr<TComponent> copy2(StreamRoundTrip(holder.get()));
    EXPECT_EQ(As<TGfxHolder>(copy2.get())->Color(), 0x123456);
}

} // namespace
