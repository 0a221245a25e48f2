// Small stored forms with hostile or unlucky values, opened as a user opens them: none may crash,
// overflow or break the document's undo history.
#include "ShellFixture.h"

#include "designer/FormDesigner.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw::test {

using StoredValuesTest = ShellTest;

namespace {

// One edit of the designed form, as the designer records it, and back.
void ChangeAndUndo(TMDIChild* document, TControl* control) {
    TzFormDesigner* designer = document->FormDesigner;
    String name = control->Name(); // the control itself is rebuilt by Undo
    int left = control->Left();
    control->SetLeft(left + 8);
    designer->MarkModified();
    ASSERT_TRUE(designer->CanUndo());
    designer->Undo();
    auto* again = As<TControl>(document->FindComponent(name));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Left(), left);
}

} // namespace

TEST_F(StoredValuesTest, DesignerSettingsFromAFileAreRangeChecked) {
    struct TCase {
        const char* Setting;
        int UndoLimit, GridStepX, GridStepY;
    };
    const TCase cases[] = {
        {"UndoLimit = 2147483647", 16, 4, 4}, {"UndoLimit = 1000", 1000, 4, 4},
        {"UndoLimit = 1001", 16, 4, 4},       {"GridStepX = 0", 16, 4, 4},
        {"GridStepY = -3", 16, 4, 4},         {"GridStepY = 2147483647", 16, 4, 4},
        {"GridStepX = 16", 16, 16, 4},        {"TabOrderIcons.Width = 2147483647", 16, 4, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Setting);
        String fileName = TempPath("settings.dfm");
        WriteText(fileName, String("object Doc: TMDIChild\n  object Designer: TzFormDesigner\n    ") + c.Setting +
                                "\n  end\nend\n");
        AnswerOpen(fileName);
        ClickToolButton(Main->FileOpen);
        TMDIChild* document = Main->ActiveDocument();
        ASSERT_NE(document, nullptr);
        TzFormDesigner* designer = document->FormDesigner;
        EXPECT_TRUE(designer->Active());
        EXPECT_EQ(designer->UndoLimit(), c.UndoLimit);
        EXPECT_EQ(designer->GridStepX(), c.GridStepX);
        EXPECT_EQ(designer->GridStepY(), c.GridStepY);
        EXPECT_LE(designer->TabOrderIcons()->Width(), TTabOrderIcons::MaxBadgeSize);
        ChangeAndUndo(document, document->Button1);
        document->Free();
        Process();
    }
    EXPECT_TRUE(Shown.empty()) << Shown.front();
}

TEST_F(StoredValuesTest, RangeErrorsNameTheSettingAndItsLimits) {
    TMDIChild* document = NewDocument();
    TzFormDesigner* designer = document->FormDesigner;
    try {
        designer->SetUndoLimit(2147483647);
        FAIL() << "an undo limit of 2147483647 was taken";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Property UndoLimit: 2147483647 is out of range (0 to 1000)");
    }
    designer->SetUndoLimit(-1);
    EXPECT_EQ(designer->UndoLimit(), 16) << "a negative limit is ignored";
}

TEST_F(StoredValuesTest, AChildNamedLikeItsFormIsTheOneItsFormRefersTo) {
    String fileName = TempPath("twin.dfm");
    WriteText(fileName, "object Doc: TMDIChild\n  ActiveControl = Doc\n"
                        "  object Doc: TEdit\n    Left = 120\n    Top = 60\n    Width = 121\n    Height = 21\n"
                        "    Text = 'twin'\n  end\nend\n");
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    TMDIChild* document = Main->ActiveDocument();
    ASSERT_NE(document, nullptr);
    auto* twin = As<TEdit>(document->FindComponent("Doc"));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(document->ActiveControl(), twin);
    ChangeAndUndo(document, twin);
    EXPECT_EQ(document->ActiveControl(), document->FindComponent("Doc"));
    document->FormDesigner->Redo();
    EXPECT_TRUE(Shown.empty()) << Shown.front();
}

TEST_F(StoredValuesTest, TheDeepestFormThatOpensAlsoSavesAndUndoes) {
    // The document and 255 panels inside one another: as deep as a form file may nest.
    String text = "object Doc: TMDIChild\n";
    for (int i = 1; i < 256; ++i) text += "object Panel" + IntToStr(i) + ": TPanel\nLeft = 1\n";
    for (int i = 1; i < 256; ++i) text += "end\n";
    text += "end\n";
    String fileName = TempPath("deep.dfm");
    WriteText(fileName, text);
    AnswerOpen(fileName);
    ClickToolButton(Main->FileOpen);
    TMDIChild* document = Main->ActiveDocument();
    ASSERT_NE(document, nullptr);
    auto* deepest = As<TPanel>(document->FindComponent("Panel255"));
    ASSERT_NE(deepest, nullptr);
    String saved = TempPath("deep-saved.dfm");
    AnswerSave(saved);
    ClickToolButton(Main->FileSave);
    EXPECT_NE(ReadText(saved).find("object Panel255: TPanel"), String::npos);

    int before = document->FormDesigner->UndoCount();
    ChangeAndUndo(document, As<TControl>(document->FindComponent("Panel1")));
    EXPECT_GT(document->FormDesigner->UndoCount(), before) << "the change was kept for undo";
    EXPECT_TRUE(Shown.empty()) << Shown.front();
}

} // namespace dw::test
