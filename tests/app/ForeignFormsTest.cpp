// Forms written by other programs through Open, Merge and Save: what the program has no class or
// property for is kept and saved back, and an unchanged form is saved byte for byte.
#include "ShellFixture.h"

#include "designer/DesignedForm.h"
#include "designer/FormDesigner.h"
#include "framework/controls/core/PlaceholderControl.h"
#include "framework/rtl/Placeholder.h"

namespace dw::test {

namespace {

// In the style of the classic tool: CR LF, escapes, a third-party panel holding a known button,
// a third-party non-visual component, later-version properties, a handler without code here.
const char ForeignForm[] =
    "object Orders: TOrders\r\n  Left = 534\r\n  Top = 264\r\n  Width = 446\r\n  Height = 415\r\n"
    "  Caption = 'Bestellung f'#252'r Kunden'\r\n  Color = clBtnFace\r\n  Font.Height = -11\r\n"
    "  Font.Name = 'MS Sans Serif'\r\n  OldCreateOrder = False\r\n  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
    "  object Button1: TButton\r\n    Left = 16\r\n    Top = 20\r\n    Width = 75\r\n    Height = 25\r\n"
    "    Caption = 'Button1'\r\n    TabOrder = 0\r\n    OnClick = Button1Click\r\n  end\r\n"
    "  object Button2: TButton\r\n    Left = 16\r\n    Top = 52\r\n    Width = 75\r\n    Height = 25\r\n"
    "    Caption = 'Button2'\r\n    TabOrder = 1\r\n    ExplicitWidth = 80\r\n  end\r\n"
    "  object JvPanel1: TJvPanel\r\n    Left = 120\r\n    Top = 20\r\n    Width = 200\r\n    Height = 120\r\n"
    "    HotTrack = True\r\n    TabOrder = 2\r\n"
    "    object Edit1: TEdit\r\n      Left = 8\r\n      Top = 8\r\n      Width = 121\r\n      Height = 21\r\n"
    "      TabOrder = 0\r\n      TextHint = 'Name'\r\n    end\r\n  end\r\n"
    "  object JvTimer1: TJvTimer\r\n    Interval = 250\r\n    Left = 16\r\n    Top = 160\r\n  end\r\nend\r\n";

} // namespace

class ForeignFormsTest : public ShellTest {
protected:
    // File > Open of the foreign form; the new document.
    TMDIChild* OpenForeignForm() {
        String fileName = TempPath("orders.dfm");
        WriteText(fileName, ForeignForm);
        AnswerOpen(fileName);
        ClickToolButton(Main->FileOpen);
        return Main->ActiveDocument();
    }
    // File > Save to a new file; what was written.
    String SaveActiveDocument() {
        Process();
        String saved = TempPath("saved.dfm");
        AnswerSave(saved);
        ClickToolButton(Main->FileSave);
        return ReadText(saved);
    }
};

TEST_F(ForeignFormsTest, OpenThenSaveGivesTheFileBackByteForByte) {
    TMDIChild* document = OpenForeignForm();
    EXPECT_TRUE(Shown.empty()) << Shown.front();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->FormDesigner->Active());
    EXPECT_EQ(Main->KeptUnread(), "kept unread: 2 components of 2 unknown classes, 2 properties");
    auto* panel = dynamic_cast<TPlaceholderControl*>(document->FindComponent("JvPanel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(document->FindComponent("Edit1")->HasState(csDesigning), true);
    EXPECT_EQ(dynamic_cast<TControl*>(document->FindComponent("Edit1"))->Parent(), panel);
    EXPECT_NE(dynamic_cast<TPlaceholderComponent*>(document->FindComponent("JvTimer1")), nullptr);
    EXPECT_EQ(SaveActiveDocument(), ForeignForm);
}

TEST_F(ForeignFormsTest, AnEditedFormChangesOnlyTheEditedValues) {
    TMDIChild* document = OpenForeignForm();
    ASSERT_NE(document, nullptr);
    // What moving the placeholder does to it (moving by the mouse comes with the selection work).
    dynamic_cast<TControl*>(document->FindComponent("JvPanel1"))->SetBounds(140, 36, 200, 120);
    document->FormDesigner->Modified();
    String expected = ForeignForm;
    String moved = "    Left = 120\r\n    Top = 20\r\n";
    expected.replace(expected.find(moved), moved.size(), "    Left = 140\r\n    Top = 36\r\n");
    EXPECT_EQ(SaveActiveDocument(), expected);
}

TEST_F(ForeignFormsTest, MergeKeepsWhatBothFilesHold) {
    TMDIChild* document = OpenForeignForm();
    ASSERT_NE(document, nullptr);
    String second = TempPath("more.dfm");
    WriteText(second, "object Orders: TOrders\n  object Grid1: TJvDBGrid\n    Left = 8\n    Top = 200\n"
                      "    Width = 300\n    Height = 90\n    TitleFont.Height = -11\n  end\nend\n");
    AnswerOpen(second);
    ChooseMenuItem(0, 2);
    EXPECT_TRUE(Shown.empty()) << Shown.front();
    EXPECT_EQ(Main->ActiveDocument(), document);
    EXPECT_TRUE(document->FormDesigner->Active());
    EXPECT_NE(dynamic_cast<TPlaceholderControl*>(document->FindComponent("Grid1")), nullptr);
    String text = SaveActiveDocument();
    for (const char* expected : {"  TextHeight = 13\r\n", "    HotTrack = True\r\n", "      TextHint = 'Name'\r\n",
                                 "  object JvTimer1: TJvTimer\r\n", "    OnClick = Button1Click\r\n",
                                 "  object Grid1: TJvDBGrid\r\n", "    TitleFont.Height = -11\r\n"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
}

TEST_F(ForeignFormsTest, UndoingAnEditKeepsWhatTheFileHeld) {
    TMDIChild* document = OpenForeignForm();
    ASSERT_NE(document, nullptr);
    TzFormDesigner* designer = document->FormDesigner;
    dynamic_cast<TControl*>(document->FindComponent("JvPanel1"))->SetLeft(300);
    designer->PushUndo();
    ASSERT_TRUE(designer->CanUndo());
    designer->Undo();
    ASSERT_TRUE(Shown.empty()) << Shown.front();
    ASSERT_TRUE(designer->Active());
    auto* panel = dynamic_cast<TPlaceholderControl*>(document->FindComponent("JvPanel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Left(), 120);
    EXPECT_EQ(dynamic_cast<TControl*>(document->FindComponent("Edit1"))->Parent(), panel);
    // Every line of the file is still saved, in its order (the restored form also holds the values
    // the document's template gave it).
    String fileName = TempPath("undone.dfm");
    SaveDesignedForm(fileName, designer, true);
    String text = ReadText(fileName);
    size_t at = 0;
    String form = ForeignForm;
    for (size_t start = 0, end; (end = form.find("\r\n", start)) != String::npos; start = end + 2) {
        String line = form.substr(start, end + 2 - start);
        size_t found = text.find(line, at);
        ASSERT_NE(found, String::npos) << line << "\n" << text;
        at = found + line.size();
    }
}

} // namespace dw::test
