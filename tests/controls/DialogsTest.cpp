// Dialogs: message boxes and input boxes answered by the script and by injected keys, the default
// exception display, and the open and save dialogs browsing a folder tree.
#include "MenuFixture.h"

#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace dw::test {
namespace {

class DialogTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        DialogScript().Clear();
        InstallDialogMessageBox();
    }
    void TearDown() override {
        EXPECT_EQ(DialogScript().Pending(), 0) << "every scripted answer was used";
        DialogScript().Clear();
        MenuTest::TearDown();
    }
    void Key(int vk) {
        Backend->InjectKeyDown(vk);
        Backend->InjectKeyUp(vk);
    }
    template <class T> static T* Find(TForm* form, const char* name) {
        auto* c = As<T>(form->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void Shot(const char* name) {
        String path = testing::TempDir() + name;
        HeadlessBackend()->SaveScreenshot(path);
        std::printf("screenshot: %s\n", path.c_str());
    }
};

// ---------------------------------------------------------------------------------------------
// Message boxes

TEST_F(DialogTest, ScriptedAnswersReturnWithoutShowingAnything) {
    DialogScript().AnswerMessage(mrNo);
    EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel), mrNo);
    DialogScript().AnswerMessage(IDRETRY);
    EXPECT_EQ(MessageBox("Disk not ready", "Drive", MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
    ASSERT_EQ(DialogScript().Log().size(), 2u);
    EXPECT_EQ(DialogScript().Log()[0].Text, "Save changes?");
    EXPECT_EQ(DialogScript().Log()[0].Caption, "Confirmation");
    EXPECT_EQ(DialogScript().Log()[1].Caption, "Drive");
    EXPECT_TRUE(DialogScript().Log()[1].Scripted);
    EXPECT_EQ(GetWindowCount(), GetWindowCount()) << "nothing was left behind";

    // An answer the box has no button for, or one meant for another dialog, is a mistake.
    DialogScript().AnswerMessage(mrYes);
    EXPECT_THROW(MessageDlg("Only OK", mtInformation, TMsgDlgButtons{mbOK}), EInvalidOperation);
    DialogScript().AnswerInput(String("text"));
    EXPECT_THROW(ShowMessage("Hello"), EInvalidOperation);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
    struct TCase {
        TMsgDlgButtons Buttons;
        int Key;
        int Expected;
    };
    const TCase cases[] = {
        {mbYesNoCancel, VK_RETURN, mrYes},
        {mbYesNoCancel, VK_ESCAPE, mrCancel},
        {TMsgDlgButtons{mbYes, mbNo}, VK_ESCAPE, mrNo},
        {TMsgDlgButtons{mbOK}, VK_ESCAPE, mrOk},
        {mbOKCancel, VK_RETURN, mrOk},
    };
    for (const TCase& c : cases) {
        DialogScript().Handle(TDialogKind::MessageBox, [&](TForm* form) {
            EXPECT_TRUE(form->Visible());
            Key(c.Key);
        });
        EXPECT_EQ(MessageDlg("Question", mtConfirmation, c.Buttons), c.Expected) << c.Key;
    }
    // The classic box: MB_DEFBUTTON2 makes the second button the default.
    DialogScript().Handle(TDialogKind::MessageBox, [&](TForm*) { Key(VK_RETURN); });
    EXPECT_EQ(MessageBox("Replace it?", "Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
}

TEST_F(DialogTest, MessageBoxLayoutAndScreenshot) {
    DialogScript().Handle(TDialogKind::MessageBox, [&](TForm* form) {
        EXPECT_EQ(form->Caption(), "Warning");
        auto* text = Find<TLabel>(form, "Message");
        auto* yes = Find<TButton>(form, "Yes");
        auto* cancel = Find<TButton>(form, "Cancel");
        EXPECT_NE(form->FindComponent("Image"), nullptr);
        EXPECT_TRUE(yes->Default());
        EXPECT_TRUE(cancel->Cancel());
        EXPECT_GT(text->Left(), 32) << "right of the icon";
        EXPECT_GT(yes->Top(), text->Top() + text->Height());
        EXPECT_LE(cancel->Left() + cancel->Width(), form->ClientWidth());
        // The buttons are centred.
        int left = Find<TButton>(form, "Yes")->Left();
        int right = form->ClientWidth() - (cancel->Left() + cancel->Width());
        EXPECT_LE(std::abs(left - right), 1);
        Shot("message-box.png");
        ClickAt(Find<TButton>(form, "No"), 5, 5);
    });
    EXPECT_EQ(MessageDlg("The form has been changed.\nDo you want to save the changes before closing it?", mtWarning,
                         mbYesNoCancel),
              mrNo);
}

TEST_F(DialogTest, TheDefaultExceptionDisplayIsAMessageBox) {
    DialogScript().AnswerMessage(mrOk);
    Application->ShowException(EInvalidOperation("Unsupported resource format"));
    ASSERT_EQ(DialogScript().Log().size(), 1u);
    EXPECT_EQ(DialogScript().Log()[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(DialogScript().Log()[0].Text, "Unsupported resource format.");
}

TEST_F(DialogTest, InputQuery) {
    String value = "Button1";
    DialogScript().AnswerInput(String("OKButton"));
    EXPECT_TRUE(InputQuery("Rename", "New name:", value));
    EXPECT_EQ(value, "OKButton");
    DialogScript().AnswerInput(std::nullopt);
    EXPECT_FALSE(InputQuery("Rename", "New name:", value));
    EXPECT_EQ(value, "OKButton");
    // Typed by the user: the old text is selected, so typing replaces it.
    DialogScript().Handle(TDialogKind::InputQuery, [&](TForm* form) {
        EXPECT_EQ(form->ActiveControl(), form->FindComponent("Value"));
        Backend->TypeText("Panel2");
        Key(VK_RETURN);
    });
    EXPECT_TRUE(InputQuery("Rename", "New name:", value));
    EXPECT_EQ(value, "Panel2");
    DialogScript().Handle(TDialogKind::InputQuery, [&](TForm*) {
        Backend->TypeText("x");
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(InputBox("Rename", "New name:", "kept"), "kept");
}

// ---------------------------------------------------------------------------------------------
// File dialogs

class TTempTree {
public:
    TTempTree() {
        std::random_device random;
        FRoot = fs::temp_directory_path() / ("dw-dialogs-" + std::to_string(random()));
        fs::create_directories(FRoot / "Sub");
        fs::create_directories(FRoot / "Another");
        for (const char* name : {"b.dfm", "A.dfm", "notes.txt", "Sub/inner.dfm", ".hidden.dfm"})
            std::ofstream(FRoot / name) << "object Form1: TForm\nend\n";
    }
    ~TTempTree() {
        std::error_code ignored;
        fs::remove_all(FRoot, ignored);
    }
    String Path(const char* rel = "") const { return (FRoot / rel).lexically_normal().string(); }
    String Root() const { return FRoot.string(); }

private:
    fs::path FRoot;
};

std::vector<String> ListItems(TForm* form) {
    auto* list = As<TListBox>(form->FindComponent("FileList"));
    std::vector<String> items;
    for (int i = 0; list && i < list->Items()->Count(); ++i) items.push_back(list->Items()->Strings(i));
    return items;
}

TEST(FileFilterTest, ParsesFiltersAndMatchesMasks) {
    auto filters = ParseFilter("Form resource (*.dfm)|*.dfm|All files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].Description, "Form resource (*.dfm)");
    EXPECT_EQ(filters[0].Masks, std::vector<String>{"*.dfm"});
    filters = ParseFilter("Config files (*.SYS;*.INI)|*.SYS;*.INI|Odd");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].Masks, (std::vector<String>{"*.SYS", "*.INI"}));
    EXPECT_EQ(filters[1].Masks, std::vector<String>{"*"});
    EXPECT_TRUE(ParseFilter("").empty());
    struct TCase {
        const char* Name;
        const char* Mask;
        bool Match;
    };
    const TCase cases[] = {{"Form1.dfm", "*.dfm", true}, {"FORM1.DFM", "*.dfm", true}, {"Form1.dfmx", "*.dfm", false},
                           {"README", "*.*", true},      {"a.b.c", "*.c", true},       {"abc", "a?c", true},
                           {"ac", "a?c", false},         {"x.ini", "*.SYS", false},    {"", "*", true}};
    for (const TCase& c : cases) EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Match) << c.Name << " " << c.Mask;
}

TEST_F(DialogTest, OpenDialogBrowsesFoldersWithTheFilterAndTheDefaultExtension) {
    TTempTree tree;
    auto* dialog = New<TOpenDialog>(nullptr);
    TObjectPtr<TOpenDialog> keep(dialog);
    dialog->SetFilter("Form resource (*.dfm)|*.dfm|All files (*.*)|*.*");
    dialog->SetDefaultExt("dfm");
    dialog->SetTitle("Open form");
    dialog->SetInitialDir(tree.Root());
    dialog->SetOptions(dialog->Options() + ofFileMustExist);
    TIdleSteps steps;
    DialogScript().Handle(TDialogKind::OpenDialog, [&](TForm* form) {
        EXPECT_EQ(form->Caption(), "Open form");
        EXPECT_EQ(Find<TEdit>(form, "FolderEdit")->Text(), tree.Root());
        // Folders first, then the files the filter admits, hidden files left out.
        EXPECT_EQ(ListItems(form), (std::vector<String>{"..", "Another", "Sub", "A.dfm", "b.dfm"}));
        Shot("open-dialog.png");
        // Another filter shows every file.
        auto* filter = Find<TComboBox>(form, "FilterCombo");
        filter->SetFocus();
        Key(VK_DOWN);
        steps.Then([&, form] {
            EXPECT_EQ(ListItems(form), (std::vector<String>{"..", "Another", "Sub", "A.dfm", "b.dfm", "notes.txt"}));
            // Into Sub by double clicking it.
            auto* list = Find<TListBox>(form, "FileList");
            TRect r = list->ItemRect(2);
            TPoint p = list->ClientToScreen(TPoint{r.Left + 30, r.Top + 5});
            Backend->InjectMouseMove(p.X, p.Y);
            Backend->InjectMouseDown();
            Backend->InjectMouseUp();
            Backend->InjectMouseDown();
            Backend->InjectMouseUp();
        });
        steps.Then([&, form] {
            EXPECT_EQ(Find<TEdit>(form, "FolderEdit")->Text(), tree.Path("Sub"));
            EXPECT_EQ(ListItems(form), (std::vector<String>{"..", "inner.dfm"}));
            // A name without extension gets the default one.
            auto* name = Find<TEdit>(form, "FileNameEdit");
            name->SetFocus();
            Backend->TypeText("inner");
            Key(VK_RETURN);
        });
    });
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(steps.Left(), 0);
    EXPECT_EQ(dialog->FileName(), tree.Path("Sub/inner.dfm"));
    EXPECT_EQ(dialog->FilterIndex(), 2);
    ASSERT_EQ(dialog->Files()->Count(), 1);
    EXPECT_EQ(dialog->Files()->Strings(0), dialog->FileName());
}

TEST_F(DialogTest, OpenDialogIsUsableByKeyboard) {
    TTempTree tree;
    auto* dialog = New<TOpenDialog>(nullptr);
    TObjectPtr<TOpenDialog> keep(dialog);
    dialog->SetFilter("Form resource (*.dfm)|*.dfm|All files (*.*)|*.*");
    dialog->SetInitialDir(tree.Path("Sub"));
    TIdleSteps steps;
    DialogScript().Handle(TDialogKind::OpenDialog, [&](TForm* form) {
        auto* name = Find<TEdit>(form, "FileNameEdit");
        auto* list = Find<TListBox>(form, "FileList");
        EXPECT_EQ(form->ActiveControl(), name) << "typing a name is the first thing";
        // Tab order: name, type, Open, Cancel, Up, then round to the list; one key at a time.
        Key(VK_TAB);
        for (const char* next : {"FilterCombo", "OKButton", "CancelButton", "UpButton", "FileList"}) {
            steps.Then([this, form, next] {
                TWinControl* active = form->ActiveControl();
                EXPECT_EQ(active, form->FindComponent(next))
                    << next << " but " << (active ? active->ClassName() + " " + active->Name() : String("none"));
                // From the list, Backspace goes up to the root of the tree.
                Key(String(next) == "FileList" ? VK_BACK : VK_TAB);
            });
        }
        steps.Then([this, form, list, &tree] {
            EXPECT_EQ(Find<TEdit>(form, "FolderEdit")->Text(), tree.Root());
            EXPECT_EQ(list->ItemIndex(), 2) << "the folder just left stays selected";
            Key(VK_DOWN); // A.dfm: its name goes into the edit
        });
        steps.Then([this, name] {
            EXPECT_EQ(name->Text(), "A.dfm");
            Key(VK_RETURN);
        });
    });
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(steps.Left(), 0);
    EXPECT_EQ(dialog->FileName(), tree.Path("A.dfm"));

    // Esc cancels and leaves the dialog's file name alone.
    DialogScript().Handle(TDialogKind::OpenDialog, [&](TForm*) { Key(VK_ESCAPE); });
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), tree.Path("A.dfm"));
}

TEST_F(DialogTest, SaveDialogAsksBeforeReplacingAFile) {
    TTempTree tree;
    auto* dialog = New<TSaveDialog>(nullptr);
    TObjectPtr<TSaveDialog> keep(dialog);
    dialog->SetDefaultExt("dfm");
    dialog->SetFilter("Form resource (*.dfm)|*.dfm|All files (*.*)|*.*");
    dialog->SetTitle("Save form");
    dialog->SetInitialDir(tree.Root());
    dialog->SetOptions(dialog->Options() + ofOverwritePrompt);

    DialogScript().AnswerFileName(TDialogKind::SaveDialog, String("b"));
    DialogScript().AnswerMessage(mrNo);
    EXPECT_FALSE(dialog->Execute());
    ASSERT_EQ(DialogScript().Log().size(), 2u);
    EXPECT_EQ(DialogScript().Log()[0].Caption, "Save form");
    EXPECT_NE(DialogScript().Log()[1].Text.find("b.dfm already exists"), String::npos);

    DialogScript().AnswerFileName(TDialogKind::SaveDialog, String("b"));
    DialogScript().AnswerMessage(mrYes);
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), tree.Path("b.dfm"));

    // A new file needs no question; a name with an extension keeps it.
    DialogScript().AnswerFileName(TDialogKind::SaveDialog, String("Sub/new.form"));
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), tree.Path("Sub/new.form"));
    DialogScript().AnswerFileName(TDialogKind::SaveDialog, std::nullopt);
    EXPECT_FALSE(dialog->Execute());

    // The live dialog asks the same, and stays open when told No.
    TIdleSteps steps;
    DialogScript().Handle(TDialogKind::SaveDialog, [&](TForm* form) {
        EXPECT_EQ(Find<TButton>(form, "OKButton")->Caption(), "&Save");
        Backend->TypeText("A");
        Key(VK_RETURN);
        steps.Then([&, form] {
            EXPECT_TRUE(form->Visible()) << "still open after No";
            Key(VK_RETURN);
        });
    });
    DialogScript().Handle(TDialogKind::MessageBox, [&](TForm* box) {
        EXPECT_EQ(box->Caption(), "Confirm Save As");
        Key(VK_RETURN); // No is the default
    });
    DialogScript().AnswerMessage(mrYes);
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), tree.Path("A.dfm"));
}

TEST_F(DialogTest, FileMustExistRefusesAMissingFile) {
    TTempTree tree;
    auto* dialog = New<TOpenDialog>(nullptr);
    TObjectPtr<TOpenDialog> keep(dialog);
    dialog->SetInitialDir(tree.Root());
    dialog->SetOptions(dialog->Options() + ofFileMustExist);
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, String("missing.dfm"));
    DialogScript().AnswerMessage(mrOk);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_NE(DialogScript().Log().back().Text.find("File not found"), String::npos);
    // A folder is no file to open.
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, String("Sub"));
    EXPECT_FALSE(dialog->Execute());
    // Without the option the name is taken as it is.
    dialog->SetOptions(dialog->Options() - ofFileMustExist);
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, tree.Path("missing.dfm"));
    EXPECT_TRUE(dialog->Execute());
}

} // namespace
} // namespace dw::test
