// The main window as its stored layout makes it: frame, bands, inspector panel, menus, actions,
// dialogs; and the handlers that do not need a document (tabs, band moves, About, Exit).
#include "ShellFixture.h"

#include <functional>

#include "app/AboutBox.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"

namespace dw::test {

using MainWindowTest = ShellTest;

TEST_F(MainWindowTest, FrameHasTheStoredCaptionBoundsAndColours) {
    EXPECT_EQ(Main->Name(), "MDIForm");
    EXPECT_EQ(Main->Caption(), "Vornix Draftwell");
    EXPECT_EQ(Main->BoundsRect(), Bounds(235, 229, 844, 628));
    EXPECT_EQ(Main->Color(), clAppWorkSpace);
    EXPECT_EQ(Main->FormStyle(), fsMDIForm);
    EXPECT_EQ(Main->Menu(), Main->MainMenu1);
    EXPECT_NE(Main->ClientHandle(), nullptr);
    EXPECT_EQ(Main->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(Main->Font()->Height(), -11);
}

TEST_F(MainWindowTest, BandsSitWhereTheLayoutPutsThem) {
    struct TCase {
        TControl* Band;
        int Left, Top;
    };
    for (const TCase& c : {TCase{Main->ToolBar2, 11, 2}, TCase{Main->ToolBar1, 129, 2}, TCase{Main->ToolBar3, 11, 32},
                           TCase{Main->PaletteTab1, 332, 2}}) {
        EXPECT_EQ(c.Band->Parent(), Main->ControlBar1) << c.Band->Name();
        EXPECT_EQ(c.Band->Left(), c.Left) << c.Band->Name();
        EXPECT_EQ(c.Band->Top(), c.Top) << c.Band->Name();
    }
    // Two rows: the palette band, two rows high, sits beside the second row, not above a third.
    EXPECT_EQ(Main->ControlBar1->RowCount(), 2);
    EXPECT_EQ(Main->PaletteTab1->Width(), 498);
    EXPECT_EQ(Main->PaletteTab1->Height(), 56);
    EXPECT_EQ(Main->ControlBar1->Align(), alTop);
    EXPECT_EQ(Main->ControlBar1->RowSize(), 30);
    for (TToolBar* bar : {Main->ToolBar1, Main->ToolBar2, Main->ToolBar3}) {
        EXPECT_TRUE(bar->Flat()) << bar->Name();
        EXPECT_EQ(bar->ButtonWidth(), 24) << bar->Name();
        EXPECT_EQ(bar->ButtonHeight(), 24) << bar->Name();
        EXPECT_EQ(bar->Images(), Main->ImageList1) << bar->Name();
    }
    // New, Open, Save, a separator, Design mode.
    ASSERT_EQ(Main->ToolBar2->ButtonCount(), 5);
    TBasicAction* expected[] = {Main->FileNew, Main->FileOpen, Main->FileSave, nullptr, Main->DesignMode};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Main->ToolBar2->Buttons(i)->Action(), expected[i]) << i;
    EXPECT_EQ(Main->ToolBar2->Buttons(3)->Style(), tbsSeparator);
}

TEST_F(MainWindowTest, InspectorPanelNestsTheTabControlsOnTheLeft) {
    EXPECT_EQ(Main->Panel1->Align(), alLeft);
    EXPECT_EQ(Main->Panel1->Width(), 237);
    EXPECT_EQ(Main->Panel1->BevelOuter(), bvLowered);
    EXPECT_EQ(Main->TabControl2->Parent(), Main->Panel1);
    EXPECT_EQ(Main->TabControl2->TabPosition(), tpBottom);
    EXPECT_EQ(Main->TabControl2->Tabs()->Text(), "Properties\nEvents\n");
    EXPECT_EQ(Main->ComponentCombo1->Parent(), Main->TabControl2);
    EXPECT_EQ(Main->ComponentCombo1->Align(), alTop);
    EXPECT_EQ(Main->TabControl1->Parent(), Main->TabControl2);
    EXPECT_EQ(Main->TabControl1->TabPosition(), tpLeft);
    EXPECT_TRUE(Main->TabControl1->MultiLine());
    EXPECT_EQ(Main->TabControl1->Tabs()->Text(), "By names\nBy categories\n");
    EXPECT_EQ(Main->Panel2->Parent(), Main->TabControl1);
    // The splitter sits right of the panel, the document area takes the rest.
    EXPECT_EQ(Main->Splitter1->Left(), Main->Panel1->Left() + Main->Panel1->Width());
    EXPECT_EQ(Main->Panel1->Top(), Main->ControlBar1->Height());
}

TEST_F(MainWindowTest, ShellActionsCarryTheirCategoriesCaptionsAndPictures) {
    struct TCase {
        TAction* Action;
        const char* Category;
        const char* Caption;
        int ImageIndex;
    };
    const TCase cases[] = {
        {Main->FileNew, "File", "New", 18},
        {Main->FileOpen, "File", "Open", 17},
        {Main->FileSave, "File", "Save", 14},
        {Main->FileExit, "File", "Exit", 16},
        {Main->FileMerge, "File", "Merge with current", -1},
        {Main->DesignMode, "VX Designer", "Design mode", 12},
        {Main->DsnAbout, "VX Designer", "About...", -1},
    };
    for (const TCase& c : cases) {
        ASSERT_NE(c.Action, nullptr);
        EXPECT_EQ(c.Action->ActionList(), Main->ActionList1) << c.Caption;
        EXPECT_EQ(c.Action->Category(), c.Category) << c.Caption;
        EXPECT_EQ(c.Action->Caption(), c.Caption);
        EXPECT_EQ(c.Action->ImageIndex(), c.ImageIndex) << c.Caption;
        EXPECT_TRUE(c.Action->OnExecute.Assigned()) << c.Caption;
        if (c.ImageIndex >= 0) {
            EXPECT_LT(c.ImageIndex, Main->ImageList1->Count()) << c.Caption;
        }
    }
    EXPECT_EQ(Main->ActionList1->Images(), Main->ImageList1);
    EXPECT_EQ(Main->ImageList1->Width(), 16);
    EXPECT_EQ(Main->ImageList1->Height(), 16);
    // Every picture the designer actions will ask for is there.
    EXPECT_GE(Main->ImageList1->Count(), 26);
}

TEST_F(MainWindowTest, MenusListTheFileItemsAndKeepEditDesignAndAbout) {
    TMenuItem* items = Main->MainMenu1->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(0)->Caption(), "&File");
    EXPECT_EQ(items->Items(1)->Caption(), "&Edit");
    EXPECT_EQ(items->Items(2)->Caption(), "&Design");
    EXPECT_EQ(items->Items(3)->Action(), Main->DsnAbout);
    EXPECT_EQ(items->Items(3)->Caption(), "About...");
    TMenuItem* file = items->Items(0);
    TBasicAction* expected[] = {Main->FileNew,  Main->FileOpen, Main->FileMerge,
                                Main->FileSave, nullptr,        Main->FileExit};
    ASSERT_EQ(file->Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(file->Items(i)->Action(), expected[i]) << i;
    EXPECT_TRUE(file->Items(4)->IsLine());
    EXPECT_EQ(file->Items(2)->Caption(), "Merge with current");
}

TEST_F(MainWindowTest, OpenAndSaveDialogsAskForFormResources) {
    const char* filter = "Form resource (*.dfm)|*.dfm|All files (*.*)|*.*";
    EXPECT_EQ(Main->OD->DefaultExt(), "dfm");
    EXPECT_EQ(Main->OD->Filter(), filter);
    EXPECT_EQ(Main->OD->Title(), "Open form");
    EXPECT_EQ(Main->SD->DefaultExt(), "dfm");
    EXPECT_EQ(Main->SD->Filter(), filter);
    EXPECT_EQ(Main->SD->Title(), "Save form");
    // The palette's pop-up menu offers customization.
    EXPECT_EQ(Main->PaletteTab1->PopupMenu(), Main->PopupMenu2);
    ASSERT_EQ(Main->PopupMenu2->Items()->Count(), 1);
    EXPECT_EQ(Main->PopupMenu2->Items()->Items(0)->Caption(), "Customize");
    EXPECT_TRUE(Main->PopupMenu2->Items()->Items(0)->OnClick.Assigned());
}

TEST_F(MainWindowTest, TabsChooseTheInspectorFilterAndGrouping) {
    EXPECT_EQ(Main->InspectorTypeKinds(), 261886u);
    EXPECT_FALSE(Main->InspectorByCategories());
    ClickTab(Main->TabControl2, 1);
    EXPECT_EQ(Main->TabControl2->TabIndex(), 1);
    EXPECT_EQ(Main->InspectorTypeKinds(), 256u);
    ClickTab(Main->TabControl2, 0);
    EXPECT_EQ(Main->InspectorTypeKinds(), 261886u);
    ClickTab(Main->TabControl1, 1);
    EXPECT_TRUE(Main->InspectorByCategories());
    ClickTab(Main->TabControl1, 0);
    EXPECT_FALSE(Main->InspectorByCategories());
}

TEST_F(MainWindowTest, DraggingThePaletteBandKeepsItsRightEdgeAtTheBarsEdge) {
    TControlBar* bar = Main->ControlBar1;
    TRect band = bar->BandRect(Main->PaletteTab1);
    TPoint grabber = bar->ClientToScreen(TPoint{band.Left + 4, band.Top + 10});
    Backend->SkipTime(DoubleClickTime + 1);
    Backend->Drag(grabber, {grabber.X + 30, grabber.Y}, 3);
    Process();
    TRect moved = bar->BandRect(Main->PaletteTab1);
    EXPECT_EQ(moved.Left, band.Left + 30) << "the band moved";
    EXPECT_EQ(moved.Right, bar->ClientWidth()) << "and narrowed to keep its right edge";
    // Another band is moved as dragged, its width unchanged.
    int width = Main->ToolBar1->Width();
    TRect toolBand = bar->BandRect(Main->ToolBar1);
    TPoint toolGrabber = bar->ClientToScreen(TPoint{toolBand.Left + 4, toolBand.Top + 10});
    Backend->SkipTime(DoubleClickTime + 1);
    Backend->Drag(toolGrabber, {toolGrabber.X + 10, toolGrabber.Y}, 2);
    Process();
    EXPECT_EQ(Main->ToolBar1->Width(), width);
}

TEST_F(MainWindowTest, AboutShowsTheProductModally) {
    String product, version;
    bool modal = false;
    TIdleSteps steps;
    steps.When([] { return dynamic_cast<TAboutBox*>(Screen->ActiveCustomForm()) != nullptr; },
               [&] {
                   auto* box = static_cast<TAboutBox*>(Screen->ActiveCustomForm());
                   modal = box->FormState().Contains(fsModal);
                   product = box->ProductName->Caption();
                   version = box->Version->Caption();
                   EXPECT_FALSE(box->Contact1->Caption().empty());
                   EXPECT_FALSE(box->Contact2->Caption().empty());
                   Backend->InjectKeyDown(VK_RETURN);
                   Backend->InjectKeyUp(VK_RETURN);
               });
    ChooseMenuItem(3, -1);
    EXPECT_EQ(steps.Left(), 0);
    EXPECT_TRUE(modal);
    EXPECT_EQ(product, "Vornix Draftwell");
    EXPECT_EQ(version.rfind("Version ", 0), 0u) << version;
    EXPECT_EQ(Screen->ActiveCustomForm(), Main) << "the box closed with Enter";
}

TEST_F(MainWindowTest, ExitClosesTheMainWindow) {
    ChooseMenuItem(0, 5);
    EXPECT_TRUE(Application->Terminated());
    // A loop that meets a quit message at once ends and forgets it was told to end, so the next
    // test's modal loops still run.
    PostQuitMessage(0);
    Application->Run();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(MainWindowTest, ThePaletteBandReachesTheBarsRightEdgeAtEverySize) {
    auto gap = [&] { return Main->ControlBar1->ClientWidth() - Main->PaletteTab1->BoundsRect().Right; };
    int stored = gap();
    struct TCase {
        const char* Title;
        std::function<void()> Change;
    };
    const TCase cases[] = {
        {"maximized", [&] { Main->SetWindowState(wsMaximized); }},
        {"restored", [&] { Main->SetWindowState(wsNormal); }},
        {"wider", [&] { Main->SetWidth(Main->Width() + 200); }},
        {"narrower", [&] { Main->SetWidth(Main->Width() - 100); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        c.Change();
        Process();
        EXPECT_EQ(gap(), stored) << "bar " << Main->ControlBar1->ClientWidth() << ", palette right "
                                 << Main->PaletteTab1->BoundsRect().Right;
    }
}

} // namespace dw::test
