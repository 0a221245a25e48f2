// Documents with their designers: activation by New, Open and Merge, the Save action's state,
// saving, Design mode, closing, and what a click does on a designed document.
#include "ShellFixture.h"

#include "designer/FormDesigner.h"
#include "framework/controls/ComCtrls.h"

namespace dw::test {

using DesignedDocumentsTest = ShellTest;

namespace {

class TClickCounter : public TObject {
public:
    int Clicks = 0;
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
    String fileName = TempPath("form.dfm");
    AnswerSave(fileName);
    ClickToolButton(Main->FileSave);
    String text = ReadText(fileName);
    EXPECT_EQ(text.rfind("object MDIChild_1: TMDIChild", 0), 0u) << text;
    EXPECT_NE(text.find("object Button1: TButton"), String::npos);
    EXPECT_EQ(text.find("TzFormDesigner"), String::npos);
    // The designer is back in its place and still designing.
    EXPECT_EQ(document->FormDesigner->Owner(), document);
    EXPECT_EQ(document->FindComponent("Designer"), document->FormDesigner);
    EXPECT_TRUE(document->FormDesigner->Active());
    EXPECT_FALSE(document->FormDesigner->HasState(csDesigning));
    // What was saved opens again as the same form.
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    TMDIChild* reopened = Main->ActiveDocument();
    ASSERT_NE(reopened, document);
    EXPECT_EQ(reopened->Button1->BoundsRect(), document->Button1->BoundsRect());
    EXPECT_TRUE(reopened->FormDesigner->Active());
}

TEST_F(DesignedDocumentsTest, OpenAndMergeLeaveTheDesignerActiveOnTheSameWindow) {
    String fileName = TempPath("pages.dfm");
    WriteText(fileName, PagesForm);
    TMDIChild* document = NewDocument();
    AnswerOpen(fileName);
    ChooseMenuItem(0, 2);
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
        TMDIChild* document = NewDocument();
        String name = document->Name();
        document->FormDesigner->SetCloseDisactive(closeDisactive);
        int before = Main->MDIChildCount();
        document->Close();
        Process();
        bool stillThere = false;
        for (int i = 0; i < Screen->CustomFormCount(); ++i) stillThere |= Screen->CustomForms(i)->Name() == name;
        if (closeDisactive) {
            EXPECT_FALSE(stillThere) << "deactivated, then closed and freed";
            EXPECT_EQ(Main->MDIChildCount(), before - 1);
        } else {
            ASSERT_TRUE(stillThere);
            EXPECT_FALSE(document->Visible()) << "hidden";
            EXPECT_TRUE(document->FormDesigner->Active());
        }
    }
}

} // namespace dw::test
