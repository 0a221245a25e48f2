// Documents with their designers: activation by New, Open and Merge, the Save action's state,
// saving, Design mode, closing, and what a click does on a designed document.
#include "ShellFixture.h"

#include "designer/FormDesigner.h"
#include "environment/DesignerManager.h"
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/Window.h"

namespace dw::test {

using DesignedDocumentsTest = ShellTest;

namespace {

class TActiveLog : public TObject {
public:
    std::vector<bool> States;
    void ActiveChanged(TObject* sender) { States.push_back(static_cast<TzFormDesigner*>(sender)->Active()); }
};

class TClickCounter : public TObject {
public:
    int Clicks = 0;
    std::vector<TPoint> Downs;
    void MouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y) {
        (void)sender, (void)button, (void)shift;
        Downs.push_back(TPoint{x, y});
    }
    void Click(TObject* sender) {
        (void)sender;
        ++Clicks;
    }
};

const char PagesForm[] = "object Paged: TMDIChild\n"
                         "  object PageControl1: TPageControl\n    Left = 120\n    Top = 20\n    Width = 200\n"
                         "    Height = 150\n    ActivePage = TabSheet1\n"
                         "    object TabSheet1: TTabSheet\n      Caption = 'First'\n    end\n"
                         "    object TabSheet2: TTabSheet\n      Caption = 'Second'\n    end\n  end\nend\n";

} // namespace

TEST_F(DesignedDocumentsTest, NewActivatesTheTemplatesDesignerOnItsOwnWindow) {
    TMDIChild* document = NewDocument();
    ASSERT_NE(document->FormDesigner, nullptr);
    EXPECT_TRUE(document->FormDesigner->Active());
    EXPECT_EQ(document->FormDesigner->Root(), document);
    EXPECT_EQ(document->FormDesigner->Target(), document);
    EXPECT_TRUE(document->FormDesigner->CloseDisactive());
    EXPECT_TRUE(document->FormDesigner->LockPublished());
    EXPECT_TRUE(document->FormDesigner->DisplayControlGrid());
    EXPECT_EQ(document->FormDesigner->SelMarker()->Bitmap()->Width(), 14);
    EXPECT_EQ(document->FormDesigner->SelMarker()->Bitmap()->Height(), 7);
    EXPECT_TRUE(document->FormDesigner->GuidelinesStyle().Contains(glKeyboard));
    EXPECT_EQ(document->FormDesigner->UndoCount(), 1) << "one snapshot of the new form";
    EXPECT_FALSE(document->FormDesigner->CanUndo());
}

TEST_F(DesignedDocumentsTest, SaveIsEnabledOnceADesignerIsActiveAndStaysSoAfterSaving) {
    Process();
    EXPECT_FALSE(Main->FileSave->Enabled()) << "no document";
    // A file that is no form leaves its document with an inactive designer.
    String notes = TempPath("notes.dfm");
    WriteText(notes, "notes\n");
    AnswerOpen(notes);
    ClickToolButton(Main->FileOpen);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0], "Unsupported resource format");
    ASSERT_NE(Main->ActiveDocument(), nullptr);
    EXPECT_FALSE(Main->ActiveDocument()->FormDesigner->Active());
    Process();
    EXPECT_FALSE(Main->FileSave->Enabled()) << "inactive designer";
    NewDocument();
    EXPECT_TRUE(Main->FileSave->Enabled()) << "activation marks the form modified";
    AnswerSave(TempPath("saved.dfm"));
    ClickToolButton(Main->FileSave);
    EXPECT_TRUE(Main->FileSave->Enabled());
}

TEST_F(DesignedDocumentsTest, SaveWritesTheDesignedFormAsTextWithoutTheDesigner) {
    TMDIChild* document = NewDocument();
    // Something beyond the template, and a template button somewhere else.
    String merged = TempPath("merged.dfm");
    WriteText(merged, "object MDIChild_1: TMDIChild\n  object Button2: TButton\n    Left = 40\n    Top = 300\n  end\n"
                      "  object Edit1: TEdit\n    Left = 120\n    Top = 60\n    Width = 121\n    Height = 21\n"
                      "    Text = 'typed'\n  end\nend\n");
    AnswerOpen(merged);
    ChooseMenuItem(0, 2);
    ASSERT_TRUE(document->FormDesigner->Active());
    ASSERT_EQ(Main->ActiveDocument(), document);
    ASSERT_TRUE(Main->FileSave->Enabled());
    String fileName = TempPath("form.dfm");
    AnswerSave(fileName);
    ClickToolButton(Main->FileSave);
    String text = ReadText(fileName);
    EXPECT_EQ(text.rfind("object MDIChild_1: TMDIChild", 0), 0u) << text;
    EXPECT_NE(text.find("object Button1: TButton"), String::npos);
    EXPECT_NE(text.find("object Edit1: TEdit"), String::npos);
    EXPECT_EQ(text.find("TzFormDesigner"), String::npos);
    EXPECT_EQ(text.find("object Designer"), String::npos);
    // The designer is back in its place and still designing.
    EXPECT_EQ(document->FormDesigner->Owner(), document);
    EXPECT_EQ(document->FindComponent("Designer"), document->FormDesigner);
    EXPECT_TRUE(document->FormDesigner->Active());
    EXPECT_FALSE(document->FormDesigner->HasState(csDesigning));
    // What was saved opens again as the same form.
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    TMDIChild* reopened = Main->ActiveDocument();
    EXPECT_TRUE(Shown.empty()) << Shown.front();
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened, document);
    for (const char* name : {"Button1", "Button2", "Edit1"}) {
        auto* original = dynamic_cast<TControl*>(document->FindComponent(name));
        auto* copy = dynamic_cast<TControl*>(reopened->FindComponent(name));
        ASSERT_NE(copy, nullptr) << name;
        EXPECT_EQ(copy->BoundsRect(), original->BoundsRect()) << name;
        EXPECT_EQ(copy->ClassName(), original->ClassName()) << name;
    }
    EXPECT_EQ(reopened->Button2->Top(), 300);
    EXPECT_TRUE(reopened->FormDesigner->Active());
}

TEST_F(DesignedDocumentsTest, OpenAndMergeLeaveTheDesignerActiveOnTheSameWindow) {
    String fileName = TempPath("pages.dfm");
    WriteText(fileName, PagesForm);
    TMDIChild* document = NewDocument();
    AnswerOpen(fileName);
    ChooseMenuItem(0, 2);
    EXPECT_TRUE(Shown.empty()) << Shown[0];
    EXPECT_EQ(Main->MDIChildCount(), 1);
    EXPECT_TRUE(document->FormDesigner->Active());
    EXPECT_EQ(document->FormDesigner->Target(), document);
    TComponent* pages = document->FindComponent("PageControl1");
    ASSERT_NE(pages, nullptr);
    document->FormDesigner->SelectOnly(pages);
    EXPECT_TRUE(document->FormDesigner->IsSelected(pages)) << "merged components are selectable";
}

TEST_F(DesignedDocumentsTest, ButtonsDoNotPressAtDesignTimeButPageTabsSwitch) {
    String fileName = TempPath("pages.dfm");
    WriteText(fileName, PagesForm);
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    TMDIChild* document = Main->ActiveDocument();
    ASSERT_TRUE(document->FormDesigner->Active());
    TClickCounter counter;
    document->Button1->OnClick = MakeMethod<&TClickCounter::Click>(&counter);
    ClickCentre(document->Button1);
    EXPECT_EQ(counter.Clicks, 0);
    auto* pages = dynamic_cast<TPageControl*>(document->FindComponent("PageControl1"));
    ASSERT_NE(pages, nullptr);
    ClickTab(pages, 1);
    EXPECT_EQ(pages->ActivePage()->Name(), "TabSheet2");
}

TEST_F(DesignedDocumentsTest, DesignModeCopiesTheFormIntoAWindowOfTheMainWindow) {
    TMDIChild* document = NewDocument();
    Process();
    EXPECT_TRUE(Main->DesignMode->Checked());
    ClickToolButton(Main->DesignMode);
    ASSERT_EQ(Main->MDIChildCount(), 2);
    TMDIChild* copy = nullptr;
    for (int i = 0; i < Main->MDIChildCount(); ++i)
        if (Main->MDIChildren(i) != document) copy = dynamic_cast<TMDIChild*>(Main->MDIChildren(i));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Owner(), Main);
    EXPECT_EQ(copy->Button1->BoundsRect(), document->Button1->BoundsRect());
    EXPECT_TRUE(copy->FormDesigner->Active());
    EXPECT_EQ(copy->FormDesigner->Root(), Main) << "the copy's owner is the designer's Root";
    // The copy's controls work as at run time.
    TClickCounter counter;
    copy->Button1->OnClick = MakeMethod<&TClickCounter::Click>(&counter);
    ClickCentre(copy->Button1);
    EXPECT_EQ(counter.Clicks, 1);
}

TEST_F(DesignedDocumentsTest, ClosingDeactivatesOrHidesAsCloseDisactiveSays) {
    for (bool closeDisactive : {true, false}) {
        SCOPED_TRACE(closeDisactive ? "CloseDisactive on" : "CloseDisactive off");
        TMDIChild* other = NewDocument();
        TMDIChild* document = NewDocument();
        String name = document->Name();
        TzFormDesigner* designer = document->FormDesigner;
        designer->SetCloseDisactive(closeDisactive);
        TActiveLog log;
        designer->OnActiveChanged = MakeMethod<&TActiveLog::ActiveChanged>(&log);
        int before = Main->MDIChildCount();
        // What the document's close box sends.
        SendMessage(document->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Process();
        EXPECT_TRUE(Shown.empty()) << Shown.front();
        EXPECT_EQ(Main->ActiveDocument(), other);
        bool stillThere = false;
        for (int i = 0; i < Screen->CustomFormCount(); ++i) stillThere |= Screen->CustomForms(i)->Name() == name;
        if (closeDisactive) {
            EXPECT_EQ(log.States, std::vector<bool>{false}) << "deactivated first";
            EXPECT_FALSE(stillThere) << "then closed and freed";
            EXPECT_EQ(Main->MDIChildCount(), before - 1);
        } else {
            ASSERT_TRUE(stillThere);
            EXPECT_FALSE(IsWindowVisible(document->Handle())) << "hidden";
            EXPECT_TRUE(log.States.empty());
            EXPECT_TRUE(designer->Active()) << "still designed";
            EXPECT_EQ(document->FormDesigner, designer);
            // Activating the designer again shows the hidden form.
            designer->SetActive(true);
            EXPECT_TRUE(IsWindowVisible(document->Handle()));
            document->FormDesigner->OnActiveChanged.Clear();
        }
        other->Free();
        if (stillThere) document->Free();
        Process();
    }
}

TEST_F(DesignedDocumentsTest, ANewDocumentIsDesignedOnAGridAndItsButtonsDoNotPress) {
    TMDIChild* document = NewDocument();
    ASSERT_TRUE(document->FormDesigner->Active());
    EXPECT_EQ(document->WindowState(), wsMaximized);
    EXPECT_TRUE(IsZoomed(document->Handle()));
    TSurface shot = Backend->Screenshot();
    auto colour = [&](TControl* control, int x, int y) {
        TPoint p = control->ClientToScreen(TPoint{x, y});
        return ColorFromPixel(shot.Pixel(p.X, p.Y));
    };
    const COLORREF grey = 0x808080;
    const COLORREF face = ColorToRGB(clBtnFace);
    for (TPoint dot : {TPoint{4, 4}, TPoint{200, 200}, TPoint{120, 100}})
        EXPECT_EQ(colour(document, dot.X, dot.Y), grey) << dot.X << ", " << dot.Y;
    for (TPoint between : {TPoint{5, 4}, TPoint{6, 6}, TPoint{201, 203}})
        EXPECT_EQ(colour(document, between.X, between.Y), face) << between.X << ", " << between.Y;

    TClickCounter counter;
    document->Button1->OnClick = MakeMethod<&TClickCounter::Click>(&counter);
    document->FormDesigner->OnMouseDown = MakeMethod<&TClickCounter::MouseDown>(&counter);
    ClickCentre(document->Button1);
    EXPECT_EQ(counter.Clicks, 0) << "a designed button does not press";
    ASSERT_EQ(counter.Downs.size(), 1u) << "the designer has the click";
    TPoint centre{document->Button1->Left() + document->Button1->Width() / 2,
                  document->Button1->Top() + document->Button1->Height() / 2};
    EXPECT_EQ(counter.Downs[0], centre) << "in the document's client coordinates";
}

TEST_F(DesignedDocumentsTest, ActivatingADocumentMakesItsDesignerTheActiveOne) {
    TMDIChild* first = NewDocument();
    TMDIChild* second = NewDocument();
    EXPECT_EQ(DesignerManager().ActiveDesigner(), second->FormDesigner->DesignerIntf());
    // What choosing the document in the frame does.
    SendMessage(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
    Process();
    EXPECT_EQ(Main->ActiveDocument(), first);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), first->FormDesigner->DesignerIntf());
    SendMessage(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second->Handle()), 0);
    Process();
    EXPECT_EQ(DesignerManager().ActiveDesigner(), second->FormDesigner->DesignerIntf());
}

} // namespace dw::test
