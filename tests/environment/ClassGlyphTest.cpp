// Drawing class glyphs, the drag image of the armed class, and the frame selection dialog driven
// by injected mouse input.
#include "EnvFixture.h"

#include "environment/ClassGlyph.h"
#include "environment/SelectFrameDialog.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw::test {

namespace {
// A 4 x 4 red glyph whose bottom-left pixel (the transparent colour) is fuchsia, as is the pixel
// at (1, 1).
TObjectPtr<TBitmap> SmallGlyph() {
    auto glyph = MakeObject<TBitmap>(4, 4);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(TRect{0, 0, 4, 4});
    glyph->Canvas()->SetPixels(0, 3, clFuchsia);
    glyph->Canvas()->SetPixels(1, 1, clFuchsia);
    return glyph;
}

TObjectPtr<TBitmap> GreenCanvas(int size = 30) {
    auto target = MakeObject<TBitmap>(size, size);
    target->Canvas()->Brush()->SetColor(clGreen);
    target->Canvas()->FillRect(TRect{0, 0, size, size});
    return target;
}
} // namespace

TEST_F(ManagerTest, ClassGlyphIsCentredWithTruncatedHalvesAndTransparent) {
    auto glyph = SmallGlyph();
    struct TCase {
        TRect Rect;
        TPoint TopLeft;
    };
    const TCase cases[] = {
        {{0, 0, 30, 30}, {13, 13}},
        {{10, 5, 15, 10}, {10, 5}},   // odd spare pixel: (5 - 4) / 2 = 0
        {{10, 10, 13, 13}, {10, 10}}, // rect narrower than the glyph: (3 - 4) / 2 truncates to 0, not -1
        {{10, 10, 11, 12}, {9, 9}},   // (1 - 4) / 2 = -1
    };
    for (const TCase& c : cases) {
        auto target = GreenCanvas();
        DrawClassGlyph(target->Canvas(), c.Rect, glyph.get(), gfNone);
        TCanvas* canvas = target->Canvas();
        int x = c.TopLeft.X, y = c.TopLeft.Y;
        SCOPED_TRACE(IntToStr(c.Rect.Left) + "," + IntToStr(c.Rect.Top) + "," + IntToStr(c.Rect.Right));
        EXPECT_EQ(canvas->Pixels(x, y), clRed);
        EXPECT_EQ(canvas->Pixels(x + 3, y + 3), clRed);
        EXPECT_EQ(canvas->Pixels(x + 1, y + 1), clGreen) << "transparent pixel";
        EXPECT_EQ(canvas->Pixels(x, y + 3), clGreen) << "the bottom-left pixel itself";
        EXPECT_EQ(canvas->Pixels(x - 1, y), clGreen);
        EXPECT_EQ(canvas->Pixels(x + 4, y + 3), clGreen);
    }
}

TEST_F(ManagerTest, ClassGlyphFramesAndEmptyGlyphs) {
    auto glyph = SmallGlyph();
    auto empty = MakeObject<TBitmap>();
    const TRect rect{2, 2, 26, 26};
    for (int kind : {gfNone, gfPushButton, gfRaisedEdge}) {
        auto target = GreenCanvas();
        target->Canvas()->Brush()->SetColor(clYellow);
        DrawClassGlyph(target->Canvas(), rect, glyph.get(), kind);
        TCanvas* canvas = target->Canvas();
        EXPECT_EQ(canvas->Brush()->Color(), clYellow) << "brush restored, kind " << kind;
        bool framed = canvas->Pixels(2, 2) != clGreen && canvas->Pixels(25, 25) != clGreen;
        EXPECT_EQ(framed, kind != gfNone) << "kind " << kind;
        if (kind == gfRaisedEdge) {
            EXPECT_EQ(ColorToRGB(canvas->Pixels(5, 5)), ColorToRGB(clBtnFace)) << "the middle is filled";
        }
        EXPECT_EQ(canvas->Pixels(12, 12), clRed) << "glyph over the frame, kind " << kind;
        EXPECT_EQ(canvas->Pixels(0, 0), clGreen);

        auto untouched = GreenCanvas();
        DrawClassGlyph(untouched->Canvas(), rect, empty.get(), kind);
        DrawClassGlyph(untouched->Canvas(), rect, nullptr, kind);
        EXPECT_EQ(untouched->Canvas()->Pixels(2, 2), clGreen) << "an empty glyph draws no frame either";
        EXPECT_EQ(untouched->Canvas()->Pixels(14, 14), clGreen);
    }
}

// --- Drag images ---

TEST_F(EnvironmentTest, DragImageOfARegisteredClassIsItsGlyphAndCaption) {
    EXPECT_EQ(GetClassDragImage(true), nullptr) << "nothing armed";
    DesignerManager().SetComponentClass(TButton::StaticClass());
    TDragImageList* plain = GetClassDragImage(false);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Count(), 1);
    EXPECT_EQ(plain->Width(), 24);
    EXPECT_EQ(plain->Height(), 24);
    EXPECT_EQ(GetClassDragImage(false), plain) << "cached";

    auto measure = MakeObject<TBitmap>();
    int captionWidth = measure->Canvas()->TextWidth("TButton");
    TDragImageList* captioned = GetClassDragImage(true);
    EXPECT_EQ(captioned->Count(), 1);
    EXPECT_EQ(captioned->Width(), 24 + captionWidth + 2);
    EXPECT_EQ(captioned->Height(), 24);
}

TEST_F(EnvironmentTest, DragImageOfAClassWithoutRecordShowsNoIconDsnAndTheClassName) {
    ASSERT_EQ(PackageMng().FindClassInfo(TForm::StaticClass()), nullptr);
    DesignerManager().SetComponentClass(TForm::StaticClass());
    TDragImageList* list = GetClassDragImage(true);
    ASSERT_NE(list, nullptr);
    auto dsn = MakeObject<TBitmap>();
    dsn->LoadFromResourceName("NOICON_DSN");
    auto measure = MakeObject<TBitmap>();
    int captionWidth = measure->Canvas()->TextWidth("TForm");
    ASSERT_EQ(list->Width(), dsn->Width() + captionWidth + 2);
    ASSERT_EQ(list->Height(), dsn->Height());

    auto image = MakeObject<TBitmap>();
    list->GetImage(0, image.get());
    TColor transparent = dsn->Canvas()->Pixels(0, dsn->Height() - 1);
    int glyphDifferences = 0, captionInk = 0, captionOpaque = 0;
    for (int y = 0; y < image->Height(); ++y) {
        for (int x = 0; x < image->Width(); ++x) {
            TPixel pixel = image->ScanLine(y)[x];
            bool opaque = (pixel >> 24) != 0;
            if (x < dsn->Width()) {
                TColor expected = dsn->Canvas()->Pixels(x, y);
                bool expectOpaque = expected != transparent;
                if (opaque != expectOpaque || (opaque && ColorFromPixel(pixel) != ColorToRGB(expected)))
                    ++glyphDifferences;
            } else if (opaque) {
                ++captionOpaque;
                if (ColorFromPixel(pixel) == 0) ++captionInk;
            }
        }
    }
    EXPECT_EQ(glyphDifferences, 0) << "the NOICON_DSN glyph, masked by its bottom-left colour";
    EXPECT_GT(captionInk, 20) << "the class name is written after the glyph";
    EXPECT_EQ(captionOpaque, captionInk) << "only the letters themselves, no fringe of the transparent colour";

    DesignerManager().SetComponentClass(TButton::StaticClass());
    EXPECT_EQ(GetClassDragImage(true)->Height(), 24) << "a new class rebuilds the image";
}

// --- Frame selection ---

class TOwnerFrame : public TFrame {
    DW_CLASS(TOwnerFrame, TFrame)
    using TFrame::TFrame;
};
DW_DEFINE_CLASS(TOwnerFrame) {}

// A component no form reader knows.
class TUnstreamable : public TComponent {
    DW_CLASS(TUnstreamable, TComponent)
    using TComponent::TComponent;
};
DW_DEFINE_CLASS(TUnstreamable) {}

class SelectFrameTest : public EnvironmentTest {
protected:
    void SetUp() override {
        EnvironmentTest::SetUp();
        FOwner.reset(New<TOwnerFrame>(nullptr, CreateNew));
        FOwner->SetName("Host");
    }
    void TearDown() override {
        FOwner.reset();
        EnvironmentTest::TearDown();
    }
    // Runs act with the dialog once it waits for input; the dialog seen is kept in Seen.
    void WhenDialogWaits(std::function<void(TSelectFrameForm*)> act) {
        auto key = std::make_shared<int>(0);
        *key = Application->AddIdleUpdate([this, key, act] {
            if (!*key) return;
            TSelectFrameForm* dialog = nullptr;
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (auto* f = As<TSelectFrameForm>(Screen->Forms(i))) dialog = f;
            if (!dialog || !dialog->Visible()) return;
            Application->RemoveIdleUpdate(*key);
            *key = 0;
            Seen.clear();
            for (int i = 0; i < dialog->FrameList()->Count(); ++i)
                Seen.push_back(dialog->FrameList()->Items()->Strings(i));
            Caption = dialog->Caption();
            act(dialog);
        });
    }
    void Click(TControl* control, TPoint clientPoint, bool twice = false) {
        TPoint p = control->ClientToScreen(clientPoint);
        HeadlessBackend()->SkipTime(1000);
        if (twice)
            HeadlessBackend()->DoubleClick(p.X, p.Y);
        else
            HeadlessBackend()->Click(p.X, p.Y);
    }
    TPoint ItemCentre(TSelectFrameForm* dialog, int index) {
        TRect r = dialog->FrameList()->ItemRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // A frame template holding one button.
    TComponent* Template() {
        auto* templ = New<TFrame>(nullptr, CreateNew);
        templ->SetName("FrameTemplate");
        auto* button = New<TButton>(templ);
        button->SetName("Button1");
        button->SetParent(templ);
        return templ;
    }

    TObjectPtr<TOwnerFrame> FOwner;
    std::vector<String> Seen;
    String Caption;
};

TEST_F(SelectFrameTest, DoubleClickOnAFrameInsertsACopyOfItsTemplate) {
    PackageMng().RegisterFrame(TOwnerFrame::StaticClass());
    PackageMng().RegisterFrame(TFrame::StaticClass(), Template());
    WhenDialogWaits([&](TSelectFrameForm* dialog) { Click(dialog->FrameList(), ItemCentre(dialog, 0), true); });
    TComponent* frame = PackageMng().SelectFrame(FOwner.get());
    EXPECT_EQ(Caption, "Select frame to insert");
    EXPECT_EQ(Seen, std::vector<String>{"TFrame"}) << "the owner's own class is not offered";
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->ClassType(), TFrame::StaticClass());
    EXPECT_EQ(frame->Owner(), FOwner.get());
    TComponent* button = frame->FindComponent("Button1");
    ASSERT_NE(button, nullptr) << "the template's state was copied";
    EXPECT_EQ(button->ClassType(), TButton::StaticClass());
}

TEST_F(SelectFrameTest, CancelOrOkWithoutChoiceInsertsNothing) {
    PackageMng().RegisterFrame(TFrame::StaticClass());
    WhenDialogWaits([&](TSelectFrameForm* dialog) { Click(dialog->CancelButton(), {10, 10}); });
    EXPECT_EQ(PackageMng().SelectFrame(FOwner.get()), nullptr);
    WhenDialogWaits([&](TSelectFrameForm* dialog) {
        dialog->FrameList()->SetItemIndex(-1);
        Click(dialog->OKButton(), {10, 10});
    });
    EXPECT_EQ(PackageMng().SelectFrame(FOwner.get()), nullptr);
    EXPECT_EQ(FOwner->ComponentCount(), 0);
}

TEST_F(SelectFrameTest, OkAfterChoosingWithTheMouseInserts) {
    PackageMng().RegisterFrame(TFrame::StaticClass());
    WhenDialogWaits([&](TSelectFrameForm* dialog) {
        Click(dialog->FrameList(), ItemCentre(dialog, 0));
        Click(dialog->OKButton(), {10, 10});
    });
    TComponent* frame = PackageMng().SelectFrame(FOwner.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Owner(), FOwner.get());
}

TEST_F(SelectFrameTest, TemplateThatCannotBeReadStillGivesTheFrame) {
    auto* templ = Template();
    New<TUnstreamable>(templ)->SetName("Stranger");
    PackageMng().RegisterFrame(TFrame::StaticClass(), templ);
    WhenDialogWaits([&](TSelectFrameForm* dialog) { Click(dialog->FrameList(), ItemCentre(dialog, 0), true); });
    TComponent* frame = PackageMng().SelectFrame(FOwner.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Owner(), FOwner.get());
    EXPECT_EQ(frame->FindComponent("Stranger"), nullptr);
}

} // namespace dw::test
