// Documents: New, Open, Merge and closing, driven through the tool buttons, the menu and the
// scripted open dialog.
#include "ShellFixture.h"

#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/window/Window.h"

namespace dw::test {

using DocumentsTest = ShellTest;

namespace {

int CountOwned(TComponent* root, const String& name) {
    int n = 0;
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (SameText(root->Components(i)->Name(), name)) ++n;
    return n;
}

} // namespace

TEST_F(DocumentsTest, NewDocumentsAreNumberedFromOneAndStartFromTheTemplate) {
    std::vector<TMDIChild*> documents;
    for (int i = 0; i < 3; ++i) documents.push_back(NewDocument());
    ASSERT_EQ(Main->MDIChildCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TMDIChild* document = documents[i];
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->Name(), "MDIChild_" + IntToStr(i + 1));
        EXPECT_EQ(document->Caption(), "New form");
        EXPECT_EQ(document->Owner(), nullptr);
        ASSERT_NE(document->Button1, nullptr);
        ASSERT_NE(document->Button2, nullptr);
        EXPECT_EQ(document->Button1->BoundsRect(), Bounds(16, 20, 75, 25));
        EXPECT_EQ(document->Button2->BoundsRect(), Bounds(16, 52, 75, 25));
        EXPECT_EQ(document->Button2->Caption(), "Button2");
        EXPECT_TRUE(document->ControlStyle().Contains(csDisplayDragImage));
        EXPECT_EQ(document->FormStyle(), fsMDIChild);
        EXPECT_EQ(document->WindowState(), wsMaximized);
    }
    EXPECT_EQ(Main->ActiveDocument(), documents[2]);
    EXPECT_EQ(Main->DocumentCounter(), 4);
}

TEST_F(DocumentsTest, ClosingADocumentFreesIt) {
    TMDIChild* first = NewDocument();
    NewDocument();
    first->Close();
    Process();
    EXPECT_EQ(Main->MDIChildCount(), 1);
    for (int i = 0; i < Screen->CustomFormCount(); ++i)
        EXPECT_NE(Screen->CustomForms(i)->Name(), "MDIChild_1") << "the closed document was freed";
}

TEST_F(DocumentsTest, OpenReadsTheFileIntoANewDocumentOverTheTemplate) {
    struct TCase {
        const char* Title;
        const char* Text;
        const char* Button1Caption;
        int Button1Left;
    };
    const TCase cases[] = {
        {"a file with its own Button1 updates the template's",
         "object Stored: TMDIChild\n  Caption = 'Stored form'\n  object Button1: TButton\n    Left = 120\n"
         "    Top = 20\n    Width = 75\n    Height = 25\n    Caption = 'Stored'\n  end\n"
         "  object Edit1: TEdit\n    Left = 120\n    Top = 60\n    Width = 121\n    Height = 21\n    Text = 'typed'\n"
         "  end\nend\n",
         "Stored", 120},
        {"a file without Button1 keeps the template's buttons",
         "object Stored: TMDIChild\n  Caption = 'Stored form'\n  object Edit1: TEdit\n    Left = 120\n    Top = 60\n"
         "    Width = 121\n    Height = 21\n    Text = 'typed'\n  end\nend\n",
         "Button1", 16},
        {"what cannot be read is skipped, the rest is read",
         "object Stored: TMDIChild\n  Caption = 'Stored form'\n  NoSuchProperty = 5\n  object Gizmo1: TNoSuchClass\n"
         "    Left = 1\n  end\n  object Edit1: TEdit\n    Left = 120\n    Top = 60\n    Width = 121\n    Height = 21\n"
         "    Text = 'typed'\n    OnChange = NoSuchHandler\n  end\nend\n",
         "Button1", 16},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        String fileName = TempPath("open.dfm");
        WriteText(fileName, c.Text);
        int before = Main->MDIChildCount();
        AnswerOpen(fileName);
        ClickToolButton(Main->FileOpen);
        ASSERT_EQ(Main->MDIChildCount(), before + 1);
        TMDIChild* document = Main->ActiveDocument();
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->Caption(), "Stored form");
        EXPECT_EQ(CountOwned(document, "Button1"), 1);
        EXPECT_EQ(document->Button1->Caption(), c.Button1Caption);
        EXPECT_EQ(document->Button1->Left(), c.Button1Left);
        EXPECT_EQ(document->Button2->Caption(), "Button2");
        auto* edit = dynamic_cast<TEdit*>(document->FindComponent("Edit1"));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->Text(), "typed");
        EXPECT_EQ(edit->Parent(), document);
        EXPECT_TRUE(Shown.empty()) << Shown.front();
    }
}

TEST_F(DocumentsTest, OpenOfAFileThatIsNoFormLeavesTheTemplateAndSaysWhy) {
    String fileName = TempPath("notes.dfm");
    WriteText(fileName, "Just some notes, not a form.\n");
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0], "Unsupported resource format");
    ASSERT_EQ(Main->MDIChildCount(), 1) << "the new document stays open";
    TMDIChild* document = Main->ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Caption(), "New form");
    EXPECT_EQ(document->Button1->Caption(), "Button1");
}

TEST_F(DocumentsTest, OpenRefusesAMissingFileAndSaveAsksBeforeReplacing) {
    // A name that does not exist: the dialog says so and no document is made.
    String missing = TempPath("nothing-here.dfm");
    AnswerOpen(missing);
    DialogScript().AnswerMessage(mrOk);
    ClickToolButton(Main->FileOpen);
    EXPECT_EQ(Main->MDIChildCount(), 0);
    ASSERT_EQ(DialogScript().Log().size(), 2u);
    EXPECT_EQ(DialogScript().Log()[1].Kind, TDialogKind::MessageBox);
    EXPECT_NE(DialogScript().Log()[1].Text.find("File not found"), String::npos) << DialogScript().Log()[1].Text;
    EXPECT_TRUE(Shown.empty()) << Shown.front();

    // Saving over a file asks first; No keeps the file, Yes replaces it.
    NewDocument();
    String existing = TempPath("existing.dfm");
    WriteText(existing, "keep me");
    AnswerSave(existing);
    DialogScript().AnswerMessage(mrNo);
    ClickToolButton(Main->FileSave);
    EXPECT_EQ(ReadText(existing), "keep me");
    EXPECT_NE(DialogScript().Log().back().Text.find("already exists"), String::npos);
    AnswerSave(existing);
    DialogScript().AnswerMessage(mrYes);
    ClickToolButton(Main->FileSave);
    EXPECT_EQ(ReadText(existing).rfind("object MDIChild_1: TMDIChild", 0), 0u);
}

TEST_F(DocumentsTest, CancelledOpenMakesNoDocument) {
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, std::nullopt);
    ClickToolButton(Main->FileOpen);
    EXPECT_EQ(Main->MDIChildCount(), 0);
    ASSERT_EQ(DialogScript().Log().size(), 1u);
    EXPECT_EQ(DialogScript().Log()[0].Caption, "Open form");
}

TEST_F(DocumentsTest, MergeReadsTheFileIntoTheActiveDocument) {
    // Without a document Merge asks for nothing.
    ChooseMenuItem(0, 2);
    EXPECT_TRUE(DialogScript().Log().empty());
    TMDIChild* first = NewDocument();
    TMDIChild* second = NewDocument();
    String fileName = TempPath("merge.dfm");
    WriteText(fileName,
              "object Other: TMDIChild\n  Caption = 'Merged'\n  object Button2: TButton\n    Caption = 'Kept'\n"
              "  end\n  object Label1: TLabel\n    Left = 120\n    Top = 20\n    Caption = 'Added'\n  end\nend\n");
    AnswerOpen(fileName);
    ChooseMenuItem(0, 2);
    EXPECT_EQ(Main->MDIChildCount(), 2) << "no new window";
    EXPECT_EQ(second->Caption(), "Merged");
    EXPECT_EQ(second->Button2->Caption(), "Kept");
    EXPECT_EQ(CountOwned(second, "Button2"), 1);
    EXPECT_NE(second->FindComponent("Label1"), nullptr);
    EXPECT_EQ(first->FindComponent("Label1"), nullptr);
    EXPECT_EQ(first->Caption(), "New form");
}

TEST_F(DocumentsTest, SaveAndDesignModeNeedADocument) {
    Process();
    EXPECT_FALSE(Main->FileSave->Enabled());
    EXPECT_FALSE(Main->DesignMode->Enabled());
    NewDocument();
    EXPECT_TRUE(Main->DesignMode->Enabled());
}

} // namespace dw::test
