#include "GraphicsFixture.h"

#include "framework/controls/graphics/Canvas.h"
#include "framework/platform/gdi/DeviceContext.h"

using namespace dw;
using namespace dw::test;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(Canvas, RectangleDrawsPenOutlineAndBrushInterior) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(20, 20, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clBlue);
    canvas->Rectangle(2, 3, 12, 10);
    EXPECT_EQ(PixelOf(bitmap.get(), 2, 3), kRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 11, 9), kRed) << "the outline lies inside the rectangle";
    EXPECT_EQ(PixelOf(bitmap.get(), 12, 10), kWhite);
    EXPECT_EQ(PixelOf(bitmap.get(), 6, 6), kBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 3), kWhite);

    // A clear brush leaves the interior alone.
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clBlack);
    canvas->Rectangle(0, 0, 20, 20);
    EXPECT_EQ(PixelOf(bitmap.get(), 6, 6), kBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), kBlack);
}

TEST(Canvas, LinesExcludeTheirEndPointAndMoveThePen) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(10, 10, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->MoveTo(1, 5);
    canvas->LineTo(8, 5);
    EXPECT_EQ(canvas->PenPos(), (TPoint{8, 5}));
    for (int x = 1; x < 8; ++x) EXPECT_EQ(PixelOf(bitmap.get(), x, 5), kBlack) << x;
    EXPECT_EQ(PixelOf(bitmap.get(), 8, 5), kWhite);
    canvas->LineTo(8, 9);
    EXPECT_EQ(PixelOf(bitmap.get(), 8, 7), kBlack);

    canvas->Pen()->SetColor(clRed);
    canvas->Polyline({{0, 0}, {4, 0}, {4, 3}});
    EXPECT_EQ(PixelOf(bitmap.get(), 2, 0), kRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 4, 2), kRed);
}

TEST(Canvas, FillAndFrameUseTheBrushOnly) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(10, 10, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect({1, 1, 5, 5});
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(bitmap.get(), 4, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(bitmap.get(), 5, 5), kWhite);
    canvas->Brush()->SetColor(clBlue);
    canvas->FrameRect({5, 5, 10, 10});
    EXPECT_EQ(PixelOf(bitmap.get(), 5, 5), kBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 9, 9), kBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 7, 7), kWhite);
}

TEST(Canvas, NotXorPenDrawnTwiceRestoresThePicture) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(40, 30, clBtnFace);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clTeal);
    canvas->FillRect({5, 5, 25, 20});
    TObjectPtr<TBitmap> before = MakeObject<TBitmap>();
    before->Assign(bitmap.get());

    canvas->Pen()->SetMode(pmNotXor);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
    auto rubberBand = [&] {
        canvas->Rectangle(3, 2, 30, 25);
        canvas->MoveTo(0, 0);
        canvas->LineTo(39, 29);
    };
    rubberBand();
    bool changed = false;
    for (int y = 0; y < 30 && !changed; ++y)
        for (int x = 0; x < 40; ++x)
            if (PixelOf(bitmap.get(), x, y) != PixelOf(before.get(), x, y)) changed = true;
    EXPECT_TRUE(changed);
    rubberBand();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(PixelOf(bitmap.get(), x, y), PixelOf(before.get(), x, y)) << x << "," << y;
}

TEST(Canvas, EllipsePieAndPolygonFillTheirInside) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(30, 30, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetStyle(psClear);
    canvas->Ellipse(0, 0, 20, 20);
    EXPECT_EQ(PixelOf(bitmap.get(), 10, 10), kRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 1), kWhite) << "corners are outside";
    canvas->Brush()->SetColor(clBlue);
    canvas->Polygon({{20, 20}, {29, 20}, {29, 29}});
    EXPECT_EQ(PixelOf(bitmap.get(), 27, 22), kBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 21, 28), kWhite);
}

TEST(Canvas, TextUsesFontColourBrushBackgroundAndMovesThePen) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(120, 30, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetColor(clRed);
    canvas->Font()->SetHeight(-16);
    canvas->Brush()->SetColor(clYellow);
    TSize extent = canvas->TextExtent("Hello");
    EXPECT_GT(extent.cx, 20);
    EXPECT_GT(extent.cy, 12);
    EXPECT_EQ(canvas->TextWidth("Hello"), extent.cx);
    canvas->TextOut(5, 5, "Hello");
    EXPECT_EQ(canvas->PenPos(), (TPoint{5 + extent.cx, 5}));
    int red = 0, yellow = 0, outside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            COLORREF c = PixelOf(bitmap.get(), x, y);
            bool inside = x >= 5 && x < 5 + extent.cx && y >= 5 && y < 5 + extent.cy;
            if (!inside && c != kWhite) ++outside;
            if (c == kRed) ++red;
            if (c == RGB(255, 255, 0)) ++yellow;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(yellow, 50) << "an opaque brush fills behind the text";
    EXPECT_EQ(outside, 0);
}

TEST(Canvas, TextRectClipsAndFormatsText) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(100, 40, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetHeight(-20);
    canvas->TextRect({10, 5, 20, 35}, 10, 5, "WWWWWW");
    for (int y = 0; y < 40; ++y)
        for (int x = 20; x < 100; ++x) ASSERT_EQ(PixelOf(bitmap.get(), x, y), kWhite) << x << "," << y;

    // Right alignment puts the ink at the right end of the rectangle.
    TObjectPtr<TBitmap> right = MakeBitmap(100, 30, clWhite);
    right->Canvas()->Brush()->SetStyle(bsClear);
    TRect r{0, 0, 100, 30};
    right->Canvas()->TextRect(r, "ab", TTextFormat{tfRight, tfSingleLine, tfVerticalCenter});
    int leftmost = 100;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            if (PixelOf(right.get(), x, y) != kWhite) leftmost = std::min(leftmost, x);
    EXPECT_GT(leftmost, 70);

    TRect calc{0, 0, 500, 0};
    bitmap->Canvas()->TextRect(calc, "Hello", TTextFormat{tfCalcRect, tfSingleLine});
    EXPECT_EQ(calc.Width(), bitmap->Canvas()->TextWidth("Hello"));
}

TEST(Canvas, PixelsReadAndWrite) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(5, 5, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->SetPixels(2, 3, clMaroon);
    EXPECT_EQ(canvas->Pixels(2, 3), clMaroon);
    EXPECT_EQ(canvas->Pixels(0, 0), clWhite);
    canvas->SetPixels(1, 1, clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(canvas->Pixels(1, 1)), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas->Pixels(7, 7), clNone) << "outside the bitmap";
    EXPECT_EQ(canvas->ClipRect(), (TRect{0, 0, 5, 5}));
}

TEST(Canvas, CopyRectStretchesWithCopyMode) {
    TObjectPtr<TBitmap> source = MakeBitmap(2, 2, clRed);
    source->Canvas()->SetPixels(1, 1, clBlue);
    TObjectPtr<TBitmap> dest = MakeBitmap(8, 8, clWhite);
    dest->Canvas()->CopyRect({0, 0, 8, 8}, source->Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(PixelOf(dest.get(), 1, 1), kRed);
    EXPECT_EQ(PixelOf(dest.get(), 6, 6), kBlue);
    dest->Canvas()->SetCopyMode(cmDstInvert);
    dest->Canvas()->CopyRect({0, 0, 4, 4}, source->Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(PixelOf(dest.get(), 1, 1), RGB(0, 255, 255));
}

TEST(Canvas, DrawHonoursTransparencyAndStretchDrawScales) {
    TObjectPtr<TBitmap> glyph = MakeBitmap(4, 4, clFuchsia);
    glyph->Canvas()->SetPixels(1, 1, clNavy);
    TObjectPtr<TBitmap> dest = MakeBitmap(10, 10, clWhite);
    dest->Canvas()->Draw(2, 2, glyph.get());
    EXPECT_EQ(PixelOf(dest.get(), 2, 2), RGB(255, 0, 255)) << "opaque while not Transparent";
    dest = MakeBitmap(10, 10, clWhite);
    glyph->SetTransparent(true);
    EXPECT_EQ(glyph->TransparentColor(), clFuchsia) << "the bottom-left pixel";
    dest->Canvas()->Draw(2, 2, glyph.get());
    EXPECT_EQ(PixelOf(dest.get(), 2, 2), kWhite);
    EXPECT_EQ(PixelOf(dest.get(), 3, 3), RGB(0, 0, 128));

    glyph->SetTransparent(false);
    dest->Canvas()->StretchDraw({0, 0, 8, 8}, glyph.get());
    EXPECT_EQ(PixelOf(dest.get(), 2, 2), RGB(0, 0, 128));
    EXPECT_EQ(PixelOf(dest.get(), 3, 3), RGB(0, 0, 128));
    EXPECT_EQ(PixelOf(dest.get(), 0, 0), RGB(255, 0, 255));
}

TEST(Canvas, FloodFillStopsAtTheBorderColour) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(20, 20, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Rectangle(2, 2, 12, 12);
    canvas->Brush()->SetColor(clLime);
    canvas->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(PixelOf(bitmap.get(), 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(bitmap.get(), 10, 10), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(bitmap.get(), 2, 2), kBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 15, 15), kWhite);
    canvas->Brush()->SetColor(clRed);
    canvas->FloodFill(15, 15, clWhite, fsSurface);
    EXPECT_EQ(PixelOf(bitmap.get(), 15, 15), kRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), kRed);
    EXPECT_EQ(PixelOf(bitmap.get(), 5, 5), RGB(0, 255, 0));
}

TEST(Canvas, WrapsAForeignDCAndLeavesItAsFound) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(10, 10, clWhite);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap->ReleaseHandle());
    ASSERT_NE(oldBitmap, nullptr);
    HGDIOBJ stockPen = GetCurrentObject(dc, OBJ_PEN);
    {
        TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
        EXPECT_THROW(canvas->Handle(), EInvalidOperation);
        canvas->SetHandle(dc);
        canvas->Pen()->SetColor(clRed);
        canvas->MoveTo(0, 0);
        canvas->LineTo(5, 0);
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), stockPen);
        canvas->SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), stockPen) << "the pen is deselected when the handle goes";
    }
    EXPECT_EQ(GetPixel(dc, 2, 0), kRed);
    HGDIOBJ ours = SelectObject(dc, oldBitmap);
    DeleteObject(ours);
    DeleteDC(dc);
}

TEST(Canvas, ChangeEventsSurroundDrawing) {
    TObjectPtr<TBitmap> bitmap = MakeBitmap(5, 5, clWhite);
    struct Log : TObject {
        String Events;
        void Changing(TObject*) { Events += "<"; }
        void Changed(TObject*) { Events += ">"; }
    } log;
    TCanvas* canvas = bitmap->Canvas();
    canvas->OnChanging = MakeMethod<&Log::Changing>(&log);
    canvas->OnChange = MakeMethod<&Log::Changed>(&log);
    canvas->FillRect({0, 0, 2, 2});
    canvas->LineTo(3, 3);
    EXPECT_EQ(log.Events, "<><>");
}

} // namespace

namespace {

TEST(Canvas, BrushBitmapPatternsRepeat) {
    TObjectPtr<TBitmap> pattern = MakeBitmap(2, 2, clRed);
    pattern->Canvas()->SetPixels(1, 0, clBlue);
    pattern->Canvas()->SetPixels(0, 1, clBlue);
    TObjectPtr<TBitmap> bitmap = MakeBitmap(8, 8, clWhite);
    bitmap->Canvas()->Brush()->SetBitmap(pattern.get());
    bitmap->Canvas()->FillRect({0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PixelOf(bitmap.get(), x, y), (x + y) % 2 ? RGB(0, 0, 255) : RGB(255, 0, 0)) << x << "," << y;
    bitmap->Canvas()->Brush()->SetBitmap(nullptr);
}

TEST(Canvas, FreeingGraphicsReleasesEveryHandle) {
    const int objects = GdiObjectCount(), dcs = DCCount();
    {
        TObjectPtr<TBitmap> bitmap = MakeBitmap(30, 30, clWhite);
        TCanvas* canvas = bitmap->Canvas();
        canvas->Font()->SetStyle({fsBold});
        canvas->TextOut(1, 1, "x");
        canvas->Pen()->SetWidth(3);
        canvas->Brush()->SetStyle(bsCross);
        canvas->Rectangle(0, 0, 20, 20);
        canvas->Font()->SetHeight(-20);
        canvas->TextOut(1, 1, "y");
        TObjectPtr<TBitmap> copy = MakeObject<TBitmap>();
        copy->Assign(bitmap.get());
        copy->SetMonochrome(true);
        copy->SetMonochrome(false);
        copy->SetPixelFormat(pf8bit);
        canvas->Draw(0, 0, copy.get());
        TMemoryStream stream;
        copy->SaveToStream(stream);
        stream.SetPosition(0);
        bitmap->LoadFromStream(stream);
        TObjectPtr<TImageList> list(New<TImageList>(nullptr));
        list->AddMasked(bitmap.get(), clDefault);
        list->Draw(canvas, 0, 0, 0, false);
        list->GetMaskBitmap();
    }
    EXPECT_EQ(GdiObjectCount(), objects);
    EXPECT_EQ(DCCount(), dcs);
}

} // namespace
