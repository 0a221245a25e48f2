// The designer component's settings, Target, event list, selection lists, undo snapshots and
// loading from a stream.
#include "DesignerFixture.h"

#include "formfiles/FormFiles.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

using FormDesignerTest = DesignerTest;

TEST_F(FormDesignerTest, NewDesignerHasTheDeclaredDefaults) {
    TObjectPtr<TzFormDesigner> designer(New<TzFormDesigner>(nullptr));
    EXPECT_EQ(designer->GridStepX(), 4);
    EXPECT_EQ(designer->GridStepY(), 4);
    EXPECT_EQ(designer->UndoLimit(), 16);
    EXPECT_EQ(designer->GuidelinesStyle().Bits(), 7039u);
    EXPECT_EQ(designer->PopupMenuFilter(), (TLocalMenuFilters{lmModule, lmComponent, lmDesigner}));
    EXPECT_FALSE(designer->ShowCaptions());
    EXPECT_FALSE(designer->ReadOnly());
    EXPECT_FALSE(designer->Active());
    EXPECT_EQ(designer->Target(), nullptr);
    EXPECT_EQ(designer->TabOrderIcons()->Color(), clMaroon);
    EXPECT_EQ(designer->TabOrderIcons()->Font()->Color(), clYellow);
    EXPECT_EQ(designer->SelMarker()->GrabSize(), 7);
    EXPECT_EQ(designer->SelMarker()->Bitmap()->Width(), 14) << "the SELMARK picture is loaded";
    EXPECT_EQ(designer->SelMarker()->Bitmap()->Height(), 7);
    EXPECT_EQ(designer->HintWindow()->Color(), TColor(0xC6FFFF));
    EXPECT_FALSE(designer->HintTimer()->Enabled());
    EXPECT_EQ(designer->HintTimer()->Interval(), 500u);

    // Every published default is the value a new designer really has, so nothing that was not
    // changed gets written to a form file.
    int checked = 0;
    for (const TPropInfo* prop : designer->ClassType()->Properties()) {
        if (!prop->Default || !prop->Type().IsOrdinal()) continue;
        EXPECT_EQ(GetOrdProp(designer.get(), *prop), *prop->Default) << prop->Name;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(FormDesignerTest, PublishesSettingsThenEventsInTheirOrder) {
    const auto& props = TzFormDesigner::StaticClass()->Properties();
    std::vector<String> names;
    for (const TPropInfo* p : props) names.push_back(p->Name);
    auto position = [&](const char* name) {
        auto it = std::find(names.begin(), names.end(), String(name));
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    };
    const char* order[] = {"Active",
                           "ShowHints",
                           "Target",
                           "GridStepX",
                           "UndoLimit",
                           "GuidelinesStyle",
                           "TabOrderIcons",
                           "PopupMenu",
                           "PopupMenuFilter",
                           "DisplayControlGrid",
                           "DesignSurface",
                           "OnActiveChanged",
                           "OnHandleControlMessage",
                           "OnValidateMethod",
                           "OnCanInsert",
                           "OnFormClosed",
                           "OnPushUndo",
                           "OnPopUndo",
                           "OnDrawControl"};
    int last = -1;
    for (const char* name : order) {
        int p = position(name);
        ASSERT_GE(p, 0) << name << " is published";
        EXPECT_GT(p, last) << name << " comes after the one before it";
        last = p;
    }
}

TEST_F(FormDesignerTest, DesignerOnAFormHasItAsDesignWindowRootAndTarget) {
    TForm* form = MakeForm();
    auto* designer = New<TzFormDesigner>(form);
    EXPECT_EQ(designer->DesignWindow(), form);
    EXPECT_EQ(designer->Root(), form);
    EXPECT_EQ(designer->Target(), form);
    EXPECT_EQ(designer->DesignForm(), form);
}

TEST_F(FormDesignerTest, TargetCannotChangeWhileActive) {
    TForm* form = MakeForm();
    TForm* other = MakeForm();
    TzFormDesigner* designer = Design(form);
    ASSERT_TRUE(designer->Active());
    try {
        designer->SetTarget(other);
        FAIL() << "Target changed on an active designer";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Can not change property on an active designer");
    }
    EXPECT_TRUE(designer->Active());
    EXPECT_EQ(designer->Target(), form);
    EXPECT_EQ(form->Designer(), static_cast<IDesignerHook*>(designer));
}

TEST_F(FormDesignerTest, ScriptProcLinesNameTheComponentExceptForTheRoot) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 8, 8);
    button->SetName("Button1");
    auto* designer = New<TzFormDesigner>(form);
    const TPropInfo* onClick = GetPropInfo(button, "OnClick");
    const TPropInfo* onCreate = GetPropInfo(form, "OnCreate");
    ASSERT_TRUE(onClick && onCreate);

    designer->SetScriptProc(button, onClick, "Button1Click");
    EXPECT_EQ(designer->EventList()->Text(), "Button1.OnClick=Button1Click\n");
    EXPECT_EQ(designer->GetScriptProc(button, onClick), "Button1Click");
    designer->SetScriptProc(button, onClick, "");
    EXPECT_EQ(designer->EventList()->Count(), 0);
    EXPECT_EQ(designer->GetScriptProc(button, onClick), "");

    designer->SetScriptProc(form, onCreate, "FormCreate");
    EXPECT_EQ(designer->EventList()->Text(), "OnCreate=FormCreate\n");
}

TEST_F(FormDesignerTest, UndoLimitIgnoresNegativesAndTrimsTheOldestSnapshots) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 8, 8);
    button->SetName("Button1");
    TzFormDesigner* designer = Design(form);
    EXPECT_EQ(designer->UndoCount(), 1) << "activation stores the first snapshot";
    for (int i = 1; i < 5; ++i) {
        button->SetLeft(8 + 10 * i);
        designer->MarkModified();
    }
    ASSERT_EQ(designer->UndoCount(), 5);

    designer->SetUndoLimit(-1);
    EXPECT_EQ(designer->UndoLimit(), 16);
    EXPECT_EQ(designer->UndoCount(), 5);

    designer->SetUndoLimit(2);
    EXPECT_EQ(designer->UndoLimit(), 2);
    EXPECT_EQ(designer->UndoCount(), 3) << "the current state and two steps back";
    EXPECT_TRUE(designer->CanUndo());
    EXPECT_FALSE(designer->CanRedo());
}

TEST_F(FormDesignerTest, SnapshotsLeaveTheDesignerOutAndItsOwnerUntouched) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 8, 8);
    button->SetName("Button1");
    TzFormDesigner* designer = Design(form);
    designer->SetLockPublished(true);
    int index = designer->ComponentIndex();
    TMemoryStream stream;
    designer->WriteSnapshot(stream);

    EXPECT_EQ(designer->Owner(), form);
    EXPECT_EQ(designer->ComponentIndex(), index);
    EXPECT_EQ(form->FindComponent("Designer"), designer);
    EXPECT_FALSE(designer->HasState(csDesigning));
    EXPECT_TRUE(button->HasState(csDesigning));

    // The snapshot reads back into a fresh form with the button and without any designer.
    TObjectPtr<TForm> copy(New<TForm>(nullptr, CreateNew));
    stream.SetPosition(0);
    ReadFormStream(stream, copy.get());
    EXPECT_NE(copy->FindComponent("Button1"), nullptr);
    EXPECT_EQ(copy->FindComponent("Designer"), nullptr);
}

TEST_F(FormDesignerTest, UndoAndRedoRestoreSnapshotsAndKeepTheSelectionByName) {
    TForm* form = MakeForm();
    auto* panel = Place<TPanel>(form, 100, 8, 150, 100);
    panel->SetName("Panel1");
    auto* inPanel = Place<TButton>(panel, 8, 8);
    inPanel->SetName("Button2");
    auto* button = Place<TButton>(form, 8, 8);
    button->SetName("Button1");
    TzFormDesigner* designer = Design(form);
    auto list = TDesignerSelections::Make();
    list->Add(button);
    list->Add(panel);
    designer->SetSelections(list.get());

    button->SetLeft(40);
    designer->MarkModified();
    ASSERT_TRUE(designer->RunEditCommand(ecUndo));
    auto* restored = As<TButton>(form->FindComponent("Button1"));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Left(), 8);
    EXPECT_EQ(restored->Parent(), form);
    EXPECT_TRUE(restored->HasState(csDesigning));
    auto* restoredInner = As<TButton>(form->FindComponent("Button2"));
    ASSERT_NE(restoredInner, nullptr);
    EXPECT_EQ(restoredInner->Parent(), form->FindComponent("Panel1"));
    EXPECT_EQ(form->FindComponent("Designer"), designer) << "the designer survives its own undo";
    ASSERT_EQ(designer->SelectedCount(), 2) << "the same components are selected again";
    EXPECT_EQ(designer->Selection()[0], restored);
    EXPECT_EQ(designer->EditStateSet() & 3u, 2u) << "redo possible, undo not";

    designer->Redo();
    EXPECT_EQ(As<TButton>(form->FindComponent("Button1"))->Left(), 40);
    EXPECT_FALSE(designer->CanRedo());

    // A new change after an undo drops the redo states.
    designer->Undo();
    As<TButton>(form->FindComponent("Button1"))->SetTop(50);
    designer->MarkModified();
    EXPECT_FALSE(designer->CanRedo());
    EXPECT_EQ(designer->UndoCount(), 2);
}

TEST_F(FormDesignerTest, TurningMultiSelectOffClearsOnlyASelectionOfSeveral) {
    TForm* form = MakeForm();
    std::vector<TButton*> buttons;
    for (int i = 0; i < 3; ++i) buttons.push_back(Place<TButton>(form, 8, 8 + 30 * i));
    TzFormDesigner* designer = Design(form);

    auto select = [&](int count) {
        auto list = TDesignerSelections::Make();
        for (int i = 0; i < count; ++i) list->Add(buttons[static_cast<size_t>(i)]);
        designer->SetSelections(list.get());
    };
    select(3);
    ASSERT_EQ(designer->SelectedCount(), 3);
    designer->SetMultiSelect(false);
    EXPECT_EQ(designer->SelectedCount(), 0);

    designer->SetMultiSelect(true);
    select(1);
    designer->SetMultiSelect(false);
    ASSERT_EQ(designer->SelectedCount(), 1);
    EXPECT_EQ(designer->Selection()[0], buttons[0]);
}

TEST_F(FormDesignerTest, ActiveReadFromAStreamIsAppliedWhenLoadingEnds) {
    if (!GetClass("TForm")) dw::RegisterClass(TForm::StaticClass());
    TStringStream text(R"(object Form1: TForm
  Left = 100
  Top = 100
  ClientWidth = 300
  ClientHeight = 200
  object Button1: TButton
    Left = 8
    Top = 8
  end
  object Designer: TzFormDesigner
    Active = True
    Target = Form1
  end
end
)");
    auto* form = New<TForm>(nullptr, CreateNew);
    Roots.emplace_back(form);
    ReadFormStream(text, form);
    auto* designer = As<TzFormDesigner>(form->FindComponent("Designer"));
    ASSERT_NE(designer, nullptr);
    EXPECT_TRUE(designer->Active());
    EXPECT_EQ(designer->Root(), form);
    EXPECT_EQ(form->Designer(), static_cast<IDesignerHook*>(designer));
    EXPECT_TRUE(form->FindComponent("Button1")->HasState(csDesigning));
    EXPECT_EQ(DesignerManager().ActiveDesigner(), static_cast<IDesigner*>(designer));
}

TEST_F(FormDesignerTest, SettingsObjectsStreamWithTheDesigner) {
    if (!GetClass("TForm")) dw::RegisterClass(TForm::StaticClass());
    TForm* form = MakeForm();
    auto* designer = New<TzFormDesigner>(form);
    designer->SetName("Designer");
    designer->SetGridStepX(8);
    designer->SelMarker()->SetGrabSize(9);
    TObjectPtr<TBitmap> picture(New<TBitmap>(18, 9));
    designer->SelMarker()->SetBitmap(picture.get());
    designer->TabOrderIcons()->SetWidth(20);
    designer->SetGuidelinesStyle(TGuidelinesStyles{glLeft, glStatic});
    TMemoryStream stream;
    WriteFormStream(stream, form, true);

    auto* copy = New<TForm>(nullptr, CreateNew);
    Roots.emplace_back(copy);
    stream.SetPosition(0);
    ReadFormStream(stream, copy);
    auto* read = As<TzFormDesigner>(copy->FindComponent("Designer"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GridStepX(), 8);
    EXPECT_EQ(read->SelMarker()->GrabSize(), 9);
    EXPECT_EQ(read->SelMarker()->Bitmap()->Width(), 18);
    EXPECT_EQ(read->SelMarker()->Bitmap()->Height(), 9);
    EXPECT_EQ(read->TabOrderIcons()->Width(), 20);
    EXPECT_EQ(read->GuidelinesStyle(), (TGuidelinesStyles{glLeft, glStatic}));
    EXPECT_EQ(read->Root(), copy);
    EXPECT_FALSE(read->Active());
}

TEST_F(FormDesignerTest, GetFormDesignerFindsTheComponentBehindTheInterface) {
    TForm* form = MakeForm();
    TzFormDesigner* designer = Design(form);
    EXPECT_EQ(GetFormDesigner(designer->DesignerIntf()), designer);
    EXPECT_EQ(GetFormDesigner(nullptr), designer) << "the active designer's";
    designer->SetActive(false);
    EXPECT_EQ(GetFormDesigner(nullptr), nullptr);
}

} // namespace
} // namespace dw::test
