#include "GraphicsFixture.h"

#include "framework/controls/graphics/Icon.h"
#include "framework/controls/graphics/JPEG.h"
#include "framework/controls/graphics/Metafile.h"
#include "framework/controls/graphics/PngImage.h"

using namespace dw;
using namespace dw::test;

namespace {

TEST(Picture, FiltersExtensionsAndMasksFollowTheRegisteredFormats) {
    EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
              "All (*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.jpeg;*.png)|*.bmp;*.ico;*.emf;*.wmf;*.jpg;*.jpeg;*.png|"
              "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
              "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
              "Portable Network Graphics (*.png)|*.png");
    EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(GraphicFilter(TMetafile::StaticClass()),
              "All (*.emf;*.wmf)|*.emf;*.wmf|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(GraphicExtension(TBitmap::StaticClass()), "bmp");
    EXPECT_EQ(GraphicExtension(TJPEGImage::StaticClass()), "jpg");
    EXPECT_EQ(GraphicExtension(TPngImage::StaticClass()), "png");
    EXPECT_EQ(GraphicExtension(TGraphic::StaticClass()), "");
    EXPECT_EQ(GraphicFileMask(TJPEGImage::StaticClass()), "*.jpg;*.jpeg");
    EXPECT_EQ(FindGraphicClassByExtension(".JPEG"), TJPEGImage::StaticClass());
    EXPECT_EQ(FindGraphicClassByExtension("xyz"), nullptr);
}

// A graphic class of the test's own, registered and unregistered again.
class TTestGraphic : public TBitmap {
    DW_CLASS(TTestGraphic, TBitmap)
    TTestGraphic() = default;
};
DW_DEFINE_CLASS(TTestGraphic) {}

TEST(Picture, RegisteringAndUnregisteringAFormat) {
    RegisterFileFormat("tgr", "Test graphics", TTestGraphic::StaticClass());
    EXPECT_EQ(FindGraphicClassByExtension("tgr"), TTestGraphic::StaticClass());
    EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "All (*.bmp;*.tgr)|*.bmp;*.tgr|Bitmaps (*.bmp)|*.bmp|"
                                                     "Test graphics (*.tgr)|*.tgr");
    UnregisterGraphicClass(TTestGraphic::StaticClass());
    EXPECT_EQ(FindGraphicClassByExtension("tgr"), nullptr);
    EXPECT_EQ(FindGraphicClassByExtension("bmp"), TBitmap::StaticClass()) << "only the class and its descendants go";
}

TEST(Picture, LoadFromFilePicksTheClassByExtension) {
    ScratchDir dir;
    TObjectPtr<TBitmap> source = MakeBitmap(6, 5, clRed);
    source->SaveToFile(dir.File("red.bmp"));
    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(source.get());
    png->SaveToFile(dir.File("red.png"));
    TObjectPtr<TJPEGImage> jpeg = MakeObject<TJPEGImage>();
    jpeg->Assign(source.get());
    jpeg->SaveToFile(dir.File("red.JPEG"));

    TObjectPtr<TPicture> picture = MakeObject<TPicture>();
    const std::pair<const char*, TClass> cases[] = {
        {"red.bmp", TBitmap::StaticClass()},
        {"red.png", TPngImage::StaticClass()},
        {"red.JPEG", TJPEGImage::StaticClass()},
    };
    for (auto [file, cls] : cases) {
        picture->LoadFromFile(dir.File(file));
        ASSERT_TRUE(picture->Graphic()) << file;
        EXPECT_EQ(picture->Graphic()->ClassType(), cls) << file;
        EXPECT_EQ(picture->Width(), 6);
        EXPECT_EQ(picture->Height(), 5);
    }

    WriteFileBytes(dir.File("notes.xyz"), {1, 2, 3});
    try {
        picture->LoadFromFile(dir.File("notes.xyz"));
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    EXPECT_EQ(picture->Graphic()->ClassType(), TJPEGImage::StaticClass()) << "a failed load keeps the picture";

    // A file whose content does not match its extension fails cleanly too.
    WriteFileBytes(dir.File("fake.png"), ReadFileBytes(dir.File("red.bmp")));
    EXPECT_THROW(picture->LoadFromFile(dir.File("fake.png")), EInvalidGraphic);

    picture->SaveToFile(dir.File("copy.jpg"));
    EXPECT_EQ(ReadFileBytes(dir.File("copy.jpg")), ReadFileBytes(dir.File("red.JPEG")));
}

TEST(Picture, TypedAccessorsReplaceOtherGraphics) {
    TObjectPtr<TPicture> picture = MakeObject<TPicture>();
    EXPECT_EQ(picture->Graphic(), nullptr);
    EXPECT_EQ(picture->Width(), 0);
    TBitmap* bitmap = picture->Bitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(bitmap->Empty());
    bitmap->SetSize(3, 3);
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(picture->Bitmap(), bitmap) << "a bitmap stays";
    EXPECT_TRUE(picture->Icon()->Empty()) << "an icon replaces the bitmap";
    picture->Assign(nullptr);
    EXPECT_EQ(picture->Graphic(), nullptr);
}

TEST(Picture, ChangesOfTheGraphicReachThePicture) {
    TObjectPtr<TPicture> picture = MakeObject<TPicture>();
    struct Counter : TObject {
        int Count = 0;
        void Changed(TObject*) { ++Count; }
    } counter;
    picture->OnChange = MakeMethod<&Counter::Changed>(&counter);
    picture->Bitmap()->SetSize(4, 4);
    int before = counter.Count;
    EXPECT_GT(before, 0);
    picture->Bitmap()->Canvas()->FillRect({0, 0, 2, 2});
    EXPECT_GT(counter.Count, before);
}

TEST(Picture, StreamingKeepsTheGraphicClassAndPixels) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TBitmap> source = MakeBitmap(5, 4, clNavy);
    source->Canvas()->SetPixels(2, 1, clYellow);

    TObjectPtr<TPngImage> png = MakeObject<TPngImage>();
    png->Assign(source.get());
    TObjectPtr<TIcon> icon = MakeObject<TIcon>();
    icon->Assign(source.get());
    TObjectPtr<TBitmap> eightBit = MakeObject<TBitmap>();
    eightBit->Assign(source.get());
    eightBit->SetPixelFormat(pf8bit);
    for (TGraphic* graphic : std::initializer_list<TGraphic*>{source.get(), png.get(), icon.get(), eightBit.get()}) {
        SCOPED_TRACE(graphic->ClassName());
        TObjectPtr<TGfxHolder> holder(New<TGfxHolder>(nullptr));
        holder->SetName("Holder");
        holder->Picture()->SetGraphic(graphic);
        TMemoryStream stream;
        TObjectPtr<TComponent> copy(StreamRoundTrip(holder.get(), &stream));
        TPicture* picture = As<TGfxHolder>(copy.get())->Picture();
        ASSERT_TRUE(picture->Graphic());
        EXPECT_EQ(picture->Graphic()->ClassType(), graphic->ClassType());
        TObjectPtr<TBitmap> pixels = MakeObject<TBitmap>(), expected = MakeObject<TBitmap>();
        pixels->Assign(picture->Graphic());
        expected->Assign(graphic);
        ASSERT_EQ(pixels->Width(), 5);
        ASSERT_EQ(pixels->Height(), 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(pixels.get(), x, y), PixelOf(expected.get(), x, y));
        EXPECT_EQ(PixelOf(pixels.get(), 2, 1), RGB(255, 255, 0));
        const auto& bytes = stream.Bytes();
        String path = "Picture.Data";
        EXPECT_NE(std::search(bytes.begin(), bytes.end(), path.begin(), path.end()), bytes.end());
    }

    // No graphic, no data; an empty bitmap comes back as an empty bitmap.
    TObjectPtr<TGfxHolder> empty(New<TGfxHolder>(nullptr));
    empty->SetName("Holder");
    TObjectPtr<TComponent> copy(StreamRoundTrip(empty.get()));
    EXPECT_EQ(As<TGfxHolder>(copy.get())->Picture()->Graphic(), nullptr);
    empty->Picture()->Bitmap();
    TObjectPtr<TComponent> copy2(StreamRoundTrip(empty.get()));
    TGraphic* graphic = As<TGfxHolder>(copy2.get())->Picture()->Graphic();
    ASSERT_TRUE(graphic);
    EXPECT_EQ(graphic->ClassType(), TBitmap::StaticClass());
    EXPECT_TRUE(graphic->Empty());
}

TEST(Picture, DataOfAnUnknownClassIsAReadError) {
    RegisterGraphicsTestClasses();
    TObjectPtr<TGfxHolder> holder(New<TGfxHolder>(nullptr));
    holder->SetName("Holder");
    holder->Picture()->Bitmap()->SetSize(2, 2);
    TMemoryStream stream;
    TObjectPtr<TComponent>(StreamRoundTrip(holder.get(), &stream));
    // Rename the class in the stream: "TBitmap" -> "TBogus!".
    std::vector<Byte> bytes = stream.Bytes();
    String name = "TBitmap";
    auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    std::copy_n("TBogus!", 7, at);
    TMemoryStream bad;
    bad.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    bad.SetPosition(0);
    TReader reader(bad, 4096);
    try {
        TObjectPtr<TComponent>(reader.ReadRootComponent(nullptr));
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Unknown picture format TBogus!"), String::npos) << e.Message();
    }
}

} // namespace
