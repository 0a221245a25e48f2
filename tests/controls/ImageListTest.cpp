#include "GraphicsFixture.h"

#include "framework/controls/graphics/Icon.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/platform/gdi/DeviceContext.h"

using namespace dw;
using namespace dw::test;

namespace {

TObjectPtr<TImageList> NewList(int width = 16, int height = 16) {
    TObjectPtr<TImageList> list(New<TImageList>(nullptr));
    list->SetSize(width, height);
    return list;
}

// A strip of count cells, each filled with its colour on a silver background with a 2-pixel margin.
TObjectPtr<TBitmap> Strip(const std::vector<TColor>& colours, int cell = 16) {
    TObjectPtr<TBitmap> strip = MakeBitmap(cell * static_cast<int>(colours.size()), cell, clSilver);
    for (size_t i = 0; i < colours.size(); ++i) {
        strip->Canvas()->Brush()->SetColor(colours[i]);
        int left = static_cast<int>(i) * cell;
        strip->Canvas()->FillRect({left + 2, 2, left + cell - 2, cell - 2});
    }
    return strip;
}

TObjectPtr<TBitmap> Drawn(TImageList* list, int index, bool enabled, TColor background = clWhite) {
    TObjectPtr<TBitmap> target = MakeBitmap(list->Width() + 2, list->Height() + 2, background);
    list->Draw(target->Canvas(), 0, 0, index, enabled);
    return target;
}

TEST(ImageList, AddMaskedSplitsAStripAndMasksTheKeyColour) {
    TObjectPtr<TImageList> list = NewList();
    EXPECT_EQ(list->Width(), 16);
    EXPECT_EQ(list->Height(), 16);
    TObjectPtr<TBitmap> strip = Strip({clRed, clLime, clBlue});
    EXPECT_EQ(list->AddMasked(strip.get(), clSilver), 0);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->AddMasked(strip.get(), clSilver), 3) << "the index of the first image added";
    EXPECT_EQ(list->Count(), 6);

    TObjectPtr<TBitmap> image = Drawn(list.get(), 1, true);
    EXPECT_EQ(PixelOf(image.get(), 8, 8), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(image.get(), 0, 0), RGB(255, 255, 255)) << "silver is transparent";
    TObjectPtr<TBitmap> mask = MakeObject<TBitmap>();
    list->GetMask(2, mask.get());
    EXPECT_TRUE(mask->Monochrome());
    EXPECT_EQ(PixelOf(mask.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(mask.get(), 8, 8), RGB(0, 0, 0));
}

TEST(ImageList, MenuImagesResourceGivesEightImages) {
    TObjectPtr<TImageList> list = NewList();
    ASSERT_TRUE(list->ResourceLoad("MENUIMAGES", clSilver));
    EXPECT_EQ(list->Count(), 8);
    EXPECT_FALSE(list->ResourceLoad("NO_SUCH_STRIP", clSilver));
    for (int i = 0; i < 8; ++i) {
        TObjectPtr<TBitmap> image = Drawn(list.get(), i, true, clFuchsia);
        int ink = 0, background = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                COLORREF c = PixelOf(image.get(), x, y);
                ink += c != RGB(255, 0, 255);
                background += c == RGB(255, 0, 255);
                EXPECT_NE(c, RGB(192, 192, 192)) << "image " << i << " shows its silver background";
            }
        EXPECT_GT(ink, 20) << "image " << i;
        EXPECT_GT(background, 40) << "image " << i;
    }

    TObjectPtr<TImageList> sized = NewList(8, 8);
    ASSERT_TRUE(sized->GetResource("MENUIMAGES", 16, clDefault));
    EXPECT_EQ(sized->Width(), 16);
    EXPECT_EQ(sized->Height(), 16);
    EXPECT_EQ(sized->Count(), 8);
}

TEST(ImageList, DisabledDrawingIsEmbossedGrey) {
    TObjectPtr<TImageList> list = NewList();
    list->AddMasked(Strip({clRed}).get(), clSilver);
    TObjectPtr<TBitmap> enabled = Drawn(list.get(), 0, true);
    TObjectPtr<TBitmap> disabled = Drawn(list.get(), 0, false);
    EXPECT_EQ(PixelOf(enabled.get(), 8, 8), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(disabled.get(), 8, 8), ColorToRGB(clBtnShadow));
    // The highlight shows one pixel down and right of the shape, where the shape is not.
    EXPECT_EQ(PixelOf(disabled.get(), 14, 14), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(disabled.get(), 1, 1), RGB(255, 255, 255));
    bool differs = false;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) differs |= PixelOf(enabled.get(), x, y) != PixelOf(disabled.get(), x, y);
    EXPECT_TRUE(differs);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) EXPECT_NE(PixelOf(disabled.get(), x, y), RGB(255, 0, 0));
}

TEST(ImageList, BackgroundBlendAndMaskStyles) {
    TObjectPtr<TImageList> list = NewList();
    list->AddMasked(Strip({clBlack}).get(), clSilver);
    list->SetBkColor(clYellow);
    EXPECT_EQ(PixelOf(Drawn(list.get(), 0, true).get(), 0, 0), RGB(255, 255, 0)) << "BkColor fills the background";
    list->SetDrawingStyle(dsTransparent);
    EXPECT_EQ(PixelOf(Drawn(list.get(), 0, true).get(), 0, 0), RGB(255, 255, 255));

    list->SetBkColor(clNone);
    list->SetBlendColor(clWhite);
    list->SetDrawingStyle(dsSelected);
    COLORREF half = PixelOf(Drawn(list.get(), 0, true).get(), 8, 8);
    EXPECT_NEAR(GetRValue(half), 128, 2) << "black blended half with white";
    list->SetDrawingStyle(dsFocus);
    EXPECT_NEAR(GetRValue(PixelOf(Drawn(list.get(), 0, true).get(), 8, 8)), 64, 2);

    list->SetDrawingStyle(dsNormal);
    list->SetImageType(itMask);
    TObjectPtr<TBitmap> mask = Drawn(list.get(), 0, true, clRed);
    EXPECT_EQ(PixelOf(mask.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(mask.get(), 8, 8), RGB(0, 0, 0));

    list->SetImageType(itImage);
    list->SetMasked(false);
    EXPECT_EQ(PixelOf(Drawn(list.get(), 0, true, clRed).get(), 0, 0), RGB(0, 0, 0))
        << "an unmasked list draws every pixel";
}

TEST(ImageList, InsertMoveReplaceDeleteKeepTheOrder) {
    TObjectPtr<TImageList> list = NewList();
    list->AddMasked(Strip({clRed, clLime, clBlue}).get(), clSilver);
    list->InsertMasked(1, Strip({clYellow}).get(), clSilver);        // red yellow lime blue
    list->Move(0, 3);                                                // yellow lime blue red
    list->ReplaceMasked(1, Strip({clNavy, clAqua}).get(), clSilver); // yellow navy blue red
    list->Delete(2);                                                 // yellow navy red
    const COLORREF expected[] = {RGB(255, 255, 0), RGB(0, 0, 128), RGB(255, 0, 0)};
    ASSERT_EQ(list->Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PixelOf(Drawn(list.get(), i, true).get(), 8, 8), expected[i]) << i;
    EXPECT_THROW(list->Delete(3), EInvalidOperation);
    EXPECT_THROW(list->Move(0, 5), EInvalidOperation);
    list->Delete(-1);
    EXPECT_EQ(list->Count(), 0);

    // A new size clears the list.
    list->AddMasked(Strip({clRed}).get(), clSilver);
    list->SetSize(24, 24);
    EXPECT_EQ(list->Count(), 0);
}

TEST(ImageList, AddWithMaskBitmapAndIcons) {
    TObjectPtr<TImageList> list = NewList(4, 4);
    TObjectPtr<TBitmap> image = MakeBitmap(4, 4, clRed);
    TObjectPtr<TBitmap> mask = MakeBitmap(4, 4, clBlack);
    mask->Canvas()->SetPixels(0, 0, clWhite);
    EXPECT_EQ(list->Add(image.get(), mask.get()), 0);
    TObjectPtr<TBitmap> drawn = Drawn(list.get(), 0, true);
    EXPECT_EQ(PixelOf(drawn.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(drawn.get(), 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(list->Add(nullptr, nullptr), -1);

    TObjectPtr<TBitmap> keyed = MakeBitmap(8, 8, clFuchsia);
    keyed->Canvas()->Brush()->SetColor(clBlue);
    keyed->Canvas()->FillRect({2, 2, 8, 8});
    keyed->SetTransparent(true);
    TObjectPtr<TIcon> icon = MakeObject<TIcon>();
    icon->Assign(keyed.get());
    EXPECT_EQ(list->AddIcon(icon.get()), 1);
    drawn = Drawn(list.get(), 1, true);
    EXPECT_EQ(PixelOf(drawn.get(), 0, 0), RGB(255, 255, 255)) << "the icon's transparency, scaled to 4 x 4";
    EXPECT_EQ(PixelOf(drawn.get(), 3, 3), RGB(0, 0, 255));

    TObjectPtr<TBitmap> copy = MakeObject<TBitmap>();
    list->GetBitmap(0, copy.get());
    EXPECT_EQ(copy->Width(), 4);
    EXPECT_EQ(PixelOf(copy.get(), 2, 2), RGB(255, 0, 0));
    TSize size;
    ASSERT_TRUE(GetBitmapSize(list->GetImageBitmap(), &size));
    EXPECT_EQ(size, (TSize{8, 4}));
    EXPECT_TRUE(IsMonochromeBitmap(list->GetMaskBitmap()));
}

TEST(ImageList, ChangeLinksHearOfChanges) {
    TObjectPtr<TImageList> list = NewList();
    struct Listener : TObject {
        int Count = 0;
        void Changed(TObject*) { ++Count; }
    } listener;
    {
        TChangeLink link;
        link.OnChange = MakeMethod<&Listener::Changed>(&listener);
        list->RegisterChanges(&link);
        EXPECT_EQ(link.Sender(), list.get());
        list->AddMasked(Strip({clRed}).get(), clSilver);
        EXPECT_EQ(listener.Count, 1);
        list->BeginUpdate();
        list->AddMasked(Strip({clRed}).get(), clSilver);
        list->Delete(0);
        EXPECT_EQ(listener.Count, 1);
        list->EndUpdate();
        EXPECT_EQ(listener.Count, 2) << "one change after the update";
    }
    // The link unregistered itself when it went.
    list->Clear();
    EXPECT_EQ(listener.Count, 2);
}

TEST(ImageList, StreamingRoundTripKeepsSizeMaskAndImages) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TGfxHolder> root(New<TGfxHolder>(nullptr));
    root->SetName("Form1");
    TImageList* list = New<TImageList>(root.get());
    list->SetName("ImageList1");
    list->SetSize(12, 10);
    list->SetBkColor(clYellow);
    TObjectPtr<TBitmap> strip = Strip({clRed, clBlue}, 12);
    list->AddMasked(strip.get(), clSilver);
    TMemoryStream stream;
    TObjectPtr<TComponent> copy(StreamRoundTrip(root.get(), &stream));
    auto* read = As<TImageList>(copy->FindComponent("ImageList1"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Width(), 12);
    EXPECT_EQ(read->Height(), 10);
    EXPECT_EQ(read->BkColor(), clYellow);
    EXPECT_TRUE(read->Masked());
    ASSERT_EQ(read->Count(), 2);
    read->SetBkColor(clNone);
    for (int i = 0; i < 2; ++i) {
        TObjectPtr<TBitmap> a = MakeObject<TBitmap>(), b = MakeObject<TBitmap>();
        list->GetImage(i, a.get());
        read->GetImage(i, b.get());
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(a->Surface()->At(x, y), b->Surface()->At(x, y)) << i;
    }
    const auto& bytes = stream.Bytes();
    const String magic = "DWIL";
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), magic.begin(), magic.end()), bytes.end());

    // An empty list writes no image data.
    list->Clear();
    TMemoryStream emptyStream;
    TObjectPtr<TComponent>(StreamRoundTrip(root.get(), &emptyStream));
    const auto& emptyBytes = emptyStream.Bytes();
    EXPECT_EQ(std::search(emptyBytes.begin(), emptyBytes.end(), magic.begin(), magic.end()), emptyBytes.end());
}

TEST(ImageList, CorruptStreamDataRaisesAClearError) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TGfxHolder> root(New<TGfxHolder>(nullptr));
    root->SetName("Form1");
    TImageList* list = New<TImageList>(root.get());
    list->SetName("ImageList1");
    list->AddMasked(Strip({clRed}).get(), clSilver);
    TMemoryStream stream;
    TObjectPtr<TComponent>(StreamRoundTrip(root.get(), &stream));
    const std::vector<Byte> good = stream.Bytes();
    const String magic = "DWIL";
    const size_t at =
        static_cast<size_t>(std::search(good.begin(), good.end(), magic.begin(), magic.end()) - good.begin());
    ASSERT_LT(at, good.size());

    auto patched = [&](size_t offset, Byte value) {
        std::vector<Byte> bytes = good;
        bytes[at + offset] = value;
        return bytes;
    };
    const std::pair<std::vector<Byte>, const char*> cases[] = {
        {patched(0, 'X'), "does not start with \"DWIL\""},
        {patched(4, 9), "version 9"},
        {patched(8, 0), "image size of 0 x 16"},
        {patched(16, 2), "bytes of images expected"}, // claims 2 images, holds 1
        {patched(16, 0), "follow the last image"},    // claims none, holds 1
        {patched(20, 7), "masked flag 7"},
        {patched(19, 0x40), "too many"}, // a count of about a billion
    };
    for (const auto& [bytes, message] : cases) {
        TMemoryStream bad;
        bad.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        bad.SetPosition(0);
        TReader reader(bad, 4096);
        try {
            TObjectPtr<TComponent>(reader.ReadRootComponent(nullptr));
            ADD_FAILURE() << message;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("ImageList1.Bitmap"), String::npos) << e.Message();
            EXPECT_NE(e.Message().find(message), String::npos) << e.Message();
        }
    }
}

TEST(DragImageList, ShowsMovesAndHidesRestoringTheBackground) {
    TObjectPtr<TDragImageList> drag(New<TDragImageList>(nullptr));
    drag->SetSize(8, 8);
    drag->AddMasked(MakeBitmap(8, 8, clRed).get(), clNone);
    ASSERT_TRUE(drag->SetDragImage(0, 4, 4));
    TObjectPtr<TBitmap> screen = MakeBitmap(40, 40, clTeal);
    screen->Canvas()->Brush()->SetColor(clWhite);
    screen->Canvas()->FillRect({20, 20, 40, 40});
    TObjectPtr<TBitmap> before = MakeObject<TBitmap>();
    before->Assign(screen.get());
    HDC dc = screen->Canvas()->Handle();

    ASSERT_TRUE(drag->BeginDrag(dc, 10, 10));
    EXPECT_TRUE(drag->Dragging());
    EXPECT_EQ(PixelOf(screen.get(), 6, 6), RGB(255, 0, 0)) << "the hot spot sits under the mouse";
    EXPECT_EQ(PixelOf(screen.get(), 14, 14), RGB(0, 128, 128));
    drag->DragMove(24, 24);
    EXPECT_EQ(PixelOf(screen.get(), 6, 6), RGB(0, 128, 128)) << "the old place is restored";
    EXPECT_EQ(PixelOf(screen.get(), 21, 21), RGB(255, 0, 0));
    drag->HideDragImage();
    drag->DragMove(30, 30); // hidden images stay hidden
    EXPECT_EQ(PixelOf(screen.get(), 29, 29), RGB(255, 255, 255));
    drag->ShowDragImage();
    EXPECT_EQ(PixelOf(screen.get(), 29, 29), RGB(255, 0, 0));
    drag->EndDrag();
    EXPECT_FALSE(drag->Dragging());
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(PixelOf(screen.get(), x, y), PixelOf(before.get(), x, y)) << x << "," << y;
}

} // namespace
