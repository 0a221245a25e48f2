#include "GdiTestSupport.h"

#include "framework/platform/gdi/FontEngine.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Text.h"

#include <climits>

using namespace dw;

namespace {

class Text : public dw::test::SurfaceFixture {
protected:
    Text() : SurfaceFixture(200, 100) {}
    void TearDown() override {
        SelectObject(Dc, GetStockObject(SYSTEM_FONT));
        for (HFONT f : Fonts) DeleteObject(f);
        SurfaceFixture::TearDown();
    }
    HFONT Use(const char* face, int height, int weight = FW_NORMAL, bool italic = false, bool underline = false) {
        HFONT f = CreateFont(height, 0, 0, 0, weight, italic, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        Fonts.push_back(f);
        SelectObject(Dc, f);
        return f;
    }
    TSize Extent(const char* s) {
        TSize size;
        EXPECT_TRUE(GetTextExtentPoint32(Dc, s, &size));
        return size;
    }
    // Bounds of the pixels that are not white.
    TRect Ink() const {
        TRect r;
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                if (At(x, y) != White) r = r.Union({x, y, x + 1, y + 1});
        return r;
    }
    std::vector<HFONT> Fonts;
};

} // namespace

TEST_F(Text, MetricsOfDejaVuSans) {
    Use("DejaVu Sans", -12);
    EXPECT_EQ(GetTextFace(Dc), "DejaVu Sans");
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(Dc, &tm));
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12); // the character height asked for
    EXPECT_GT(tm.tmDescent, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH); // variable pitch
    TSize hello = Extent("Hello");
    EXPECT_GT(hello.cx, 0);
    EXPECT_EQ(hello.cy, tm.tmHeight);
    EXPECT_EQ(Extent("Hello").cx, hello.cx); // stable
    int widths[5];
    int sum = 0;
    for (char c : std::string("Hello")) {
        ASSERT_TRUE(GetCharWidth32(Dc, UINT(c), UINT(c), widths));
        sum += widths[0];
    }
    EXPECT_EQ(sum, hello.cx);
    Use("DejaVu Sans", -12, FW_BOLD);
    EXPECT_GT(Extent("Hello").cx, hello.cx);
    // A positive height is the cell height.
    Use("DejaVu Sans", 20);
    GetTextMetrics(Dc, &tm);
    EXPECT_EQ(tm.tmHeight, 20);
    EXPECT_GT(tm.tmInternalLeading, 0);
}

TEST_F(Text, ClassicFaceNamesMapToCloseFaces) {
    Use("MS Sans Serif", -11);
    TSize sans = Extent("Button1");
    String face = GetTextFace(Dc);
    EXPECT_NE(face.find("Sans"), String::npos);
    EXPECT_EQ(face, ResolveFontFamily("MS Sans Serif"));
    Use("Courier New", -11);
    int i = 0, w = 0;
    GetCharWidth32(Dc, 'i', 'i', &i);
    GetCharWidth32(Dc, 'W', 'W', &w);
    EXPECT_EQ(i, w) << GetTextFace(Dc) << " should be fixed pitch";
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    Use("Times New Roman", -11);
    String serif = GetTextFace(Dc);
    EXPECT_TRUE(serif.find("Serif") != String::npos || serif.find("Tinos") != String::npos) << serif;
    // Eight-point MS Sans Serif is narrow: "Button1" stays within a classic button's caption area.
    EXPECT_LE(sans.cx, 45);
    // Unknown faces fall back to something that draws.
    Use("No Such Face Anywhere", -11);
    EXPECT_GT(Extent("x").cx, 0);
}

TEST_F(Text, TextOutDrawsInTheTextColourWithTheBackgroundMode) {
    Use("DejaVu Sans", -12);
    SetTextColor(Dc, RGB(0, 0, 255));
    SetBkMode(Dc, TRANSPARENT);
    EXPECT_TRUE(TextOut(Dc, 10, 10, "Hi"));
    TRect ink = Ink();
    TSize size = Extent("Hi");
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 10 + size.cx + 1);
    EXPECT_GE(ink.Top, 10);
    EXPECT_LE(ink.Bottom, 10 + size.cy);
    EXPECT_GT(CountColor(RGB(0, 0, 255)), 3); // solid stems in the pure text colour
    // Opaque mode fills the text cell with the background colour.
    SetBkMode(Dc, OPAQUE);
    SetBkColor(Dc, RGB(255, 255, 0));
    TextOut(Dc, 100, 10, "Hi");
    EXPECT_EQ(At(100, 10), RGB(255, 255, 0));
    EXPECT_EQ(At(100 + size.cx - 1, 10 + size.cy - 1), RGB(255, 255, 0));
    EXPECT_EQ(At(100 + size.cx, 10), White);
    // Alignment: right-aligned text ends at x.
    Surface.Fill(PixelFromColor(White));
    SetBkMode(Dc, TRANSPARENT);
    SetTextAlign(Dc, TA_RIGHT | TA_BASELINE);
    TextOut(Dc, 150, 50, "Hi");
    ink = Ink();
    EXPECT_LE(ink.Right, 151);
    EXPECT_GE(ink.Left, 150 - size.cx - 1);
    EXPECT_LE(ink.Bottom, 53);
    EXPECT_LT(ink.Top, 50);
}

TEST_F(Text, ExtTextOutOpaqueAndClippedRectangles) {
    Use("DejaVu Sans", -16);
    SetBkColor(Dc, RGB(0, 255, 0));
    TRect r{20, 20, 40, 30};
    EXPECT_TRUE(ExtTextOut(Dc, 15, 15, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWW"));
    TRect ink = Ink();
    EXPECT_EQ(ink, r); // background fills the rectangle; glyphs stay inside it
    EXPECT_EQ(At(20, 20), RGB(0, 255, 0));
}

TEST_F(Text, UnderlineAndStrikeOut) {
    Use("DejaVu Sans", -12, FW_NORMAL, false, true);
    SetBkMode(Dc, TRANSPARENT);
    TextOut(Dc, 10, 10, "_  _"); // the spaces show the underline alone
    TSize size = Extent("_  _");
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    bool underlineRow = false;
    for (int y = 10 + tm.tmAscent; y < 10 + tm.tmHeight; ++y) underlineRow |= At(10 + size.cx / 2, y) == Black;
    EXPECT_TRUE(underlineRow);
}

TEST_F(Text, WordBreakAndCalcRectAgree) {
    Use("DejaVu Sans", -12);
    const char* text = "The quick brown fox jumps over the lazy dog again and again";
    TRect calc{10, 10, 90, 10};
    int height = DrawText(Dc, text, &calc, DT_WORDBREAK | DT_CALCRECT);
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    EXPECT_EQ(height, calc.Height());
    EXPECT_GT(height, tm.tmHeight * 2); // it did wrap
    EXPECT_EQ(height % tm.tmHeight, 0);
    EXPECT_LE(calc.Right, 90);
    EXPECT_EQ(CountColor(White), 200 * 100); // nothing drawn while measuring
    TRect draw{10, 10, 90, 100};
    EXPECT_EQ(DrawText(Dc, text, &draw, DT_WORDBREAK), height);
    TRect ink = Ink();
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, calc.Right + 1);
    EXPECT_LE(ink.Bottom, calc.Bottom);
    EXPECT_GT(ink.Bottom, calc.Bottom - tm.tmHeight); // the last line is used
    // Explicit line breaks count too; an empty text has no height.
    TRect lines{0, 0, 200, 0};
    EXPECT_EQ(DrawText(Dc, "a\r\nb\nc", &lines, DT_CALCRECT), 3 * tm.tmHeight);
    TRect empty{0, 0, 50, 50};
    EXPECT_EQ(DrawText(Dc, "", &empty, DT_CALCRECT), 0);
    EXPECT_EQ(DrawText(Dc, "x", nullptr, 0), 0);
}

TEST_F(Text, PrefixCharacters) {
    Use("DejaVu Sans", -12);
    auto width = [&](const char* s, UINT flags) {
        TRect r{0, 0, 0, 0};
        DrawText(Dc, s, &r, flags | DT_CALCRECT | DT_SINGLELINE);
        return r.Width();
    };
    EXPECT_EQ(width("&File", 0), Extent("File").cx);
    EXPECT_EQ(width("&File", DT_NOPREFIX), Extent("&File").cx);
    EXPECT_EQ(width("Save && Exit", 0), Extent("Save & Exit").cx);
    EXPECT_EQ(width("Trailing&", 0), Extent("Trailing").cx);
    // The prefixed letter is underlined just below the baseline; DT_HIDEPREFIX hides the line.
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    SetBkMode(Dc, TRANSPARENT);
    TRect r{10, 10, 190, 40};
    DrawText(Dc, "a&bc", &r, DT_SINGLELINE);
    int ax = Extent("a").cx, bx = Extent("b").cx;
    int underline = 0;
    for (int x = 10 + ax; x < 10 + ax + bx; ++x) underline += At(x, 10 + tm.tmAscent + 1) == Black;
    EXPECT_EQ(underline, bx);
    Surface.Fill(PixelFromColor(White));
    DrawText(Dc, "a&bc", &r, DT_SINGLELINE | DT_HIDEPREFIX);
    underline = 0;
    for (int x = 10 + ax; x < 10 + ax + bx; ++x) underline += At(x, 10 + tm.tmAscent + 1) == Black;
    EXPECT_LT(underline, bx);
}

TEST_F(Text, EndEllipsisFitsTheRectangle) {
    Use("DejaVu Sans", -12);
    const char* text = "An end ellipsis that is far too long for its box";
    TRect r{10, 10, 90, 30};
    TRect calc = r;
    DrawText(Dc, text, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(calc.Right, r.Right);
    EXPECT_GT(calc.Right, r.Right - Extent("W...").cx);
    SetBkMode(Dc, TRANSPARENT);
    DrawText(Dc, text, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP); // no clip: only the ellipsis fits it
    EXPECT_LE(Ink().Right, r.Right);
    // The path ellipsis keeps the file name.
    TRect path{0, 0, 120, 20};
    DrawText(Dc, "C:\\Program Files\\Draftwell\\forms\\Unit1.dfm", &path,
             DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(path.Right, 120);
    EXPECT_GE(path.Right, Extent("...\\Unit1.dfm").cx);
}

TEST_F(Text, EllipsesOfAMillionCharactersKeepTheLongestStartThatFits) {
    // A caption of a million characters (one stored form's worth): each ellipsis style cuts it
    // to what fits, whole words first where asked.
    Use("DejaVu Sans", -12);
    String words;
    while (words.size() < 1000000) words += "Caption word ";
    String path = "C:\\" + String(1000000, 'd') + "\\Unit1.dfm";
    struct TCase {
        const char* Title;
        const String* Text;
        UINT Style;
    };
    const TCase cases[] = {
        {"end", &words, DT_END_ELLIPSIS},
        {"word", &words, DT_WORD_ELLIPSIS},
        {"path", &path, DT_PATH_ELLIPSIS},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TRect box{0, 0, 300, 20};
        TRect calc = box;
        DrawText(Dc, *c.Text, &calc, DT_SINGLELINE | DT_CALCRECT | c.Style);
        EXPECT_LE(calc.Right, box.Right);
        EXPECT_GT(calc.Right, box.Right - Extent("Caption ...").cx) << "as much of the text as fits";
    }
}

TEST_F(Text, AlignmentInDrawText) {
    Use("DejaVu Sans", -12);
    SetBkMode(Dc, TRANSPARENT);
    TRect r{0, 0, 200, 100};
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    int offset = DrawText(Dc, "Right", &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(offset, 100);
    TRect ink = Ink();
    EXPECT_LE(ink.Right, 200);
    EXPECT_GE(ink.Right, 200 - 2);
    EXPECT_GE(ink.Top, 100 - tm.tmHeight);
    Surface.Fill(PixelFromColor(White));
    EXPECT_EQ(DrawText(Dc, "Mid", &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), (100 - tm.tmHeight) / 2 + tm.tmHeight);
    ink = Ink();
    int centre = (ink.Left + ink.Right) / 2;
    EXPECT_NEAR(centre, 100, 2);
}

TEST_F(Text, ExpandedTabsAndExtents) {
    Use("DejaVu Sans", -12);
    TEXTMETRIC tm;
    GetTextMetrics(Dc, &tm);
    TRect r{0, 0, 0, 0};
    DrawText(Dc, "a\tb", &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(r.Width(), 8 * tm.tmAveCharWidth + Extent("b").cx);
    int fit = 0;
    int dx[5];
    TSize total;
    EXPECT_TRUE(GetTextExtentExPoint(Dc, "Hello", Extent("He").cx, &fit, dx, &total));
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(dx[4], total.cx);
    EXPECT_EQ(dx[1], Extent("He").cx);
    // UTF-8 counts characters, not bytes; broken sequences still measure.
    EXPECT_TRUE(GetTextExtentExPoint(Dc, "\xC3\xA4\xC3\xB6", 1000, &fit, nullptr, &total));
    EXPECT_EQ(fit, 2);
    EXPECT_GT(Extent("\xFF\xC3").cx, 0);
}

TEST_F(Text, HostileTextCallsFailOrClipSafely) {
    Use("DejaVu Sans", INT_MIN);
    EXPECT_TRUE(TextOut(Dc, INT_MAX, INT_MIN, "far away"));
    Use("DejaVu Sans", INT_MAX);
    TEXTMETRIC tm;
    EXPECT_TRUE(GetTextMetrics(Dc, &tm));
    EXPECT_LE(tm.tmHeight, 2000);
    EXPECT_FALSE(GetCharWidth32(Dc, 10, 5, nullptr));
    int w;
    EXPECT_FALSE(GetCharWidth32(Dc, 0, 0x7FFFFFFF, &w));
    EXPECT_FALSE(TextOut(nullptr, 0, 0, "x"));
    TRect r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    Use("DejaVu Sans", -12);
    EXPECT_GT(DrawText(Dc, "wrap me please", &r, DT_WORDBREAK), 0);
}

TEST_F(Text, UpdateCurrentPositionAndMonochromeGlyphs) {
    Use("DejaVu Sans", -12);
    SetBkMode(Dc, TRANSPARENT);
    SetTextAlign(Dc, TA_UPDATECP);
    MoveToEx(Dc, 10, 10, nullptr);
    TextOut(Dc, 999, 999, "ab"); // the coordinates are ignored
    TPoint cp;
    GetCurrentPositionEx(Dc, &cp);
    EXPECT_EQ(cp, (TPoint{10 + Extent("ab").cx, 10}));
    EXPECT_FALSE(Ink().IsEmpty());
    EXPECT_LT(Ink().Right, 100);
    SetTextAlign(Dc, TA_LEFT | TA_TOP);
    // Non-antialiased fonts put down only the text colour.
    Surface.Fill(PixelFromColor(White));
    HFONT mono = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "DejaVu Sans");
    Fonts.push_back(mono);
    SelectObject(Dc, mono);
    SetTextColor(Dc, RGB(200, 0, 0));
    TextOut(Dc, 5, 5, "Quality");
    int ink = CountColor(RGB(200, 0, 0));
    EXPECT_GT(ink, 20);
    EXPECT_EQ(ink + CountColor(White), 200 * 100);
}
