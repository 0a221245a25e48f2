#include "GraphicsFixture.h"

#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/platform/gdi/Text.h"

using namespace dw;
using namespace dw::test;

namespace {

TEST(Font, SizeAndHeightConvertAtNinetySixDpi) {
    // Size = -Height * 72 / 96 rounded; setting Size gives Height = -(Size * 96 / 72) rounded.
    const std::pair<int, int> heightToSize[] = {{-11, 8},  {-13, 10}, {-12, 9}, {-16, 12},
                                                {-15, 11}, {-8, 6},   {-1, 1},  {0, 0}};
    TObjectPtr<TFont> font = MakeObject<TFont>();
    for (auto [height, size] : heightToSize) {
        font->SetHeight(height);
        EXPECT_EQ(font->Size(), size) << "Height " << height;
    }
    const std::pair<int, int> sizeToHeight[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {11, -15}, {72, -96}};
    for (auto [size, height] : sizeToHeight) {
        font->SetSize(size);
        EXPECT_EQ(font->Height(), height) << "Size " << size;
    }
}

TEST(Font, DefaultsAndAssign) {
    TObjectPtr<TFont> font = MakeObject<TFont>();
    EXPECT_EQ(font->Name(), "MS Sans Serif");
    EXPECT_EQ(font->Height(), -11);
    EXPECT_EQ(font->Size(), 8);
    EXPECT_EQ(font->Color(), clWindowText);
    EXPECT_EQ(font->Charset(), DEFAULT_CHARSET);
    EXPECT_TRUE(font->Style().Empty());

    TObjectPtr<TFont> other = MakeObject<TFont>();
    other->SetName("Courier New");
    other->SetHeight(-20);
    other->SetStyle({fsBold, fsItalic});
    other->SetColor(clRed);
    other->SetPitch(fpFixed);
    int changes = 0;
    struct Counter : TObject {
        int* Count = nullptr;
        void Changed(TObject*) { ++*Count; }
    } counter;
    counter.Count = &changes;
    font->OnChange = MakeMethod<&Counter::Changed>(&counter);
    font->Assign(other.get());
    EXPECT_TRUE(font->Equals(*other));
    EXPECT_EQ(changes, 1);
    font->Assign(other.get());
    EXPECT_EQ(changes, 1) << "assigning equal values changes nothing";

    LOGFONT lf = font->LogFont();
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
}

TEST(Font, HandleFollowsTheProperties) {
    TObjectPtr<TFont> font = MakeObject<TFont>();
    HFONT first = font->Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font->Handle(), first);
    font->SetHeight(-30);
    HFONT second = font->Handle();
    LOGFONT lf;
    ASSERT_GT(GetObject(second, sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -30);
    // A taller font measures taller text.
    TObjectPtr<TBitmap> bitmap = MakeBitmap(10, 10, clWhite);
    bitmap->Canvas()->Font()->SetHeight(-11);
    int small = bitmap->Canvas()->TextHeight("Hg");
    bitmap->Canvas()->Font()->SetHeight(-30);
    int large = bitmap->Canvas()->TextHeight("Hg");
    EXPECT_GT(large, small + 10);
}

TEST(Font, StreamsAsFontPathsWithCharsetName) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TGfxHolder> holder(New<TGfxHolder>(nullptr));
    holder->SetName("Holder");
    holder->Font()->SetHeight(-13);
    holder->Font()->SetStyle({fsBold});
    holder->Font()->SetColor(clNavy);
    TMemoryStream stream;
    TObjectPtr<TComponent> copy(StreamRoundTrip(holder.get(), &stream));
    TFont* font = As<TGfxHolder>(copy.get())->Font();
    EXPECT_TRUE(font->Equals(*holder->Font()));
    const auto& bytes = stream.Bytes();
    auto contains = [&](const String& text) {
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    };
    EXPECT_TRUE(contains("Font.Height"));
    EXPECT_TRUE(contains("Font.Charset"));
    EXPECT_TRUE(contains("DEFAULT_CHARSET"));
    EXPECT_TRUE(contains("clNavy"));
    EXPECT_FALSE(contains("Font.Size")) << "Size is derived from Height and not stored";
}

TEST(Pen, ModesMapToTheirRasterOperations) {
    const std::pair<TPenMode, int> cases[] = {
        {pmBlack, R2_BLACK},
        {pmWhite, R2_WHITE},
        {pmNop, R2_NOP},
        {pmNot, R2_NOT},
        {pmCopy, R2_COPYPEN},
        {pmNotCopy, R2_NOTCOPYPEN},
        {pmMergePenNot, R2_MERGEPENNOT},
        {pmMaskPenNot, R2_MASKPENNOT},
        {pmMergeNotPen, R2_MERGENOTPEN},
        {pmMaskNotPen, R2_MASKNOTPEN},
        {pmMerge, R2_MERGEPEN},
        {pmNotMerge, R2_NOTMERGEPEN},
        {pmMask, R2_MASKPEN},
        {pmNotMask, R2_NOTMASKPEN},
        {pmXor, R2_XORPEN},
        {pmNotXor, R2_NOTXORPEN},
    };
    TObjectPtr<TBitmap> bitmap = MakeBitmap(4, 4, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    for (auto [mode, rop] : cases) {
        EXPECT_EQ(PenModeToROP2(mode), rop);
        EXPECT_EQ(ROP2ToPenMode(rop), mode);
        canvas->Pen()->SetMode(mode);
        EXPECT_EQ(GetROP2(canvas->Handle()), rop) << GetEnumName(TypeInfoOf<TPenMode>(), mode);
    }
}

TEST(Pen, WidthStyleAndColourMakeTheHandle) {
    TObjectPtr<TPen> pen = MakeObject<TPen>();
    pen->SetWidth(0);
    EXPECT_EQ(pen->Width(), 1);
    pen->SetWidth(3);
    pen->SetColor(clBtnShadow);
    pen->SetStyle(psInsideFrame);
    LOGPEN lp;
    ASSERT_GT(GetObject(pen->Handle(), sizeof lp, &lp), 0);
    EXPECT_EQ(lp.lopnWidth.X, 3);
    EXPECT_EQ(lp.lopnColor, ColorToRGB(clBtnShadow));
    EXPECT_EQ(static_cast<int>(lp.lopnStyle & PS_STYLE_MASK), PS_INSIDEFRAME);
    pen->SetStyle(psClear);
    ASSERT_GT(GetObject(pen->Handle(), sizeof lp, &lp), 0);
    EXPECT_EQ(static_cast<int>(lp.lopnStyle & PS_STYLE_MASK), PS_NULL);
}

TEST(Brush, ColourMakesAClearBrushSolid) {
    TObjectPtr<TBrush> brush = MakeObject<TBrush>();
    brush->SetStyle(bsClear);
    brush->SetColor(clRed);
    EXPECT_EQ(brush->Style(), bsSolid);
    brush->SetStyle(bsDiagCross);
    LOGBRUSH lb;
    ASSERT_GT(GetObject(brush->Handle(), sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, static_cast<std::uintptr_t>(HS_DIAGCROSS));
    EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
}

} // namespace
