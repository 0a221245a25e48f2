// Activation on roots that are not forms, and activation failures.
#include "DesignerFixture.h"

#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

using DesignerRootsTest = DesignerTest;

String ActivationError(TzFormDesigner* designer) {
    try {
        designer->SetActive(true);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(activated)";
}

TEST_F(DesignerRootsTest, ActivatingAgainWithoutTargetFails) {
    TForm* form = MakeForm();
    TzFormDesigner* designer = Design(form);
    designer->SetActive(false);
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_EQ(ActivationError(designer), "Designer have not any Root Component");
    EXPECT_FALSE(designer->Active());

    designer->SetTarget(form);
    EXPECT_EQ(ActivationError(designer), "(activated)");
    EXPECT_TRUE(designer->Active());
}

TEST_F(DesignerRootsTest, RootThatIsNeitherFormNorControlNorModuleIsRefused) {
    TObjectPtr<TTimer> timer(New<TTimer>(nullptr));
    TObjectPtr<TzFormDesigner> designer(New<TzFormDesigner>(nullptr));
    designer->SetTarget(timer.get());
    EXPECT_EQ(ActivationError(designer.get()), "Not allowed type of Root Component");
    EXPECT_FALSE(designer->Active());
    EXPECT_EQ(designer->HostForm(), nullptr);
}

TEST_F(DesignerRootsTest, FrameIsDesignedInAHostWindowThatResizesIt) {
    auto* frame = New<TFrame>(nullptr, CreateNew);
    Roots.emplace_back(frame);
    frame->SetName("Frame1");
    frame->SetBounds(30, 40, 320, 240);
    auto* button = Place<TButton>(frame, 10, 10);
    auto* designer = New<TzFormDesigner>(frame);
    designer->SetActive(true);
    Process();

    TCustomForm* host = designer->HostForm();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->Owner(), frame);
    EXPECT_EQ(frame->Parent(), host);
    EXPECT_EQ(designer->DesignWindow(), frame);
    EXPECT_EQ(designer->DesignForm(), host);
    EXPECT_EQ(host->ClientWidth(), 320);
    EXPECT_EQ(host->ClientHeight(), 240);
    EXPECT_EQ(frame->Left(), 0);
    EXPECT_EQ(frame->Top(), 0);
    EXPECT_EQ(host->Caption(), "Frame1");
    EXPECT_TRUE(IsWindowVisible(host->Handle()));
    EXPECT_TRUE(frame->HasState(csDesigning));
    EXPECT_TRUE(button->HasState(csDesigning));
    EXPECT_FALSE(designer->HasState(csDesigning));

    int snapshots = designer->UndoCount();
    host->SetClientSize(400, 260);
    Process();
    EXPECT_EQ(frame->Width(), 400);
    EXPECT_EQ(frame->Height(), 260);
    EXPECT_EQ(designer->UndoCount(), snapshots + 1) << "resizing the frame is a modification";

    // A frame resized by other means takes its host along after the posted refresh.
    int refreshes = designer->RefreshCount();
    frame->SetBounds(0, 0, 300, 200);
    Process();
    EXPECT_GT(designer->RefreshCount(), refreshes);
    EXPECT_EQ(frame->Width(), 300);
    EXPECT_EQ(host->ClientWidth(), 300);
    EXPECT_EQ(host->ClientHeight(), 200);

    designer->SetActive(false);
    Process();
    EXPECT_EQ(frame->Parent(), nullptr);
    EXPECT_EQ(designer->HostForm(), nullptr);
    EXPECT_FALSE(frame->HasState(csDesigning));
    EXPECT_EQ(frame->FindComponent(""), nullptr);
    for (int i = 0; i < frame->ComponentCount(); ++i)
        EXPECT_FALSE(frame->Components(i)->Is<TOwnerDsnFrom>()) << "the host left the frame";
}

TEST_F(DesignerRootsTest, DataModuleIsShownInAWhiteHostCaptionedWithItsName) {
    auto* module = New<TDataModule>(nullptr, CreateNew);
    Roots.emplace_back(module);
    module->SetName("DataModule1");
    auto* timer = New<TTimer>(module);
    timer->SetName("Timer1");
    auto* designer = New<TzFormDesigner>(module);
    designer->SetActive(true);
    Process();

    TCustomForm* host = designer->HostForm();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->Caption(), "DataModule1");
    EXPECT_EQ(host->Color(), TColor(0xFFFFFF));
    ASSERT_TRUE(host->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(host->Handle()));
    EXPECT_EQ(designer->DesignForm(), host);
    EXPECT_NE(designer->DesignWindow(), host) << "the host's container is designed";
    EXPECT_EQ(ScreenColor(designer->DesignWindow(), 20, 20), COLORREF(0xFFFFFF)) << "white, and no grid";
    EXPECT_TRUE(timer->HasState(csDesigning));
    EXPECT_GE(designer->UndoCount(), 1);

    designer->SetActive(false);
    Process();
    EXPECT_EQ(designer->HostForm(), nullptr);
    EXPECT_FALSE(timer->HasState(csDesigning));
}

TEST_F(DesignerRootsTest, FreeingTheDesignedFormDeactivatesTheDesigner) {
    auto* other = MakeForm();
    auto* designer = New<TzFormDesigner>(other);
    auto* form = New<TForm>(nullptr, CreateNew);
    form->Show();
    designer->SetTarget(form);
    designer->SetActive(true);
    Process();
    ASSERT_EQ(DesignerManager().ActiveDesigner(), static_cast<IDesigner*>(designer));
    form->Free();
    EXPECT_FALSE(designer->Active());
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_EQ(designer->DesignWindow(), nullptr);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr);
}

TEST_F(DesignerRootsTest, FreeingAnActiveFrameRootOrItsDesignerLeavesNothingBehind) {
    for (bool freeFrameFirst : {true, false}) {
        SCOPED_TRACE(freeFrameFirst ? "frame freed" : "designer freed");
        auto* frame = New<TFrame>(nullptr, CreateNew);
        frame->SetName("Frame1");
        Place<TButton>(frame, 10, 10);
        TObjectPtr<TzFormDesigner> designer(New<TzFormDesigner>(nullptr));
        designer->SetTarget(frame);
        designer->SetActive(true);
        Process();
        ASSERT_NE(designer->HostForm(), nullptr);
        if (freeFrameFirst) {
            frame->Free();
            EXPECT_FALSE(designer->Active());
            EXPECT_EQ(designer->Root(), nullptr);
            EXPECT_EQ(designer->HostForm(), nullptr);
            designer.reset();
        } else {
            designer.reset();
            EXPECT_EQ(frame->Parent(), nullptr);
            EXPECT_FALSE(frame->HasState(csDesigning));
            frame->Free();
        }
        Process();
        EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr);
    }
}

} // namespace
} // namespace dw::test
