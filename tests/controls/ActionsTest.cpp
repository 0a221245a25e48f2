// Actions: idle updates, disabling without a handler, shortcuts before the focused control, the
// order in which targets are offered an action, checked groups and suspended lists.
#include "MenuFixture.h"

#include "framework/controls/graphics/Clipbrd.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

class TActionCounter : public TObject {
public:
    int Executes = 0;
    int Updates = 0;
    bool HandleInList = false;
    void Execute(TObject* sender) {
        (void)sender;
        ++Executes;
    }
    void Update(TObject* sender) {
        (void)sender;
        ++Updates;
    }
    void ListExecute(TBasicAction* action, bool& handled) {
        (void)action;
        ++Executes;
        handled = HandleInList;
    }
};

// An action that records every target it is offered and takes the one it is told to.
class TProbeAction : public TContainedAction {
    DW_CLASS(TProbeAction, TContainedAction)
    explicit TProbeAction(TComponent* owner) : TContainedAction(owner) {}
    std::vector<TObject*> Offered;
    TObject* Accept = nullptr;
    TObject* Executed = nullptr;
    TObject* Updated = nullptr;
    bool HandlesTarget(TObject* target) override {
        Offered.push_back(target);
        return target == Accept;
    }
    void ExecuteTarget(TObject* target) override { Executed = target; }
    void UpdateTarget(TObject* target) override { Updated = target; }
};
DW_DEFINE_CLASS(TProbeAction) {}

class ActionTest : public MenuTest {
protected:
    TAction* MakeAction(TComponent* owner, TActionList* list, const String& caption) {
        auto* action = New<TAction>(owner);
        action->SetCaption(caption);
        action->SetActionList(list);
        return action;
    }
    void Idle() { Application->Idle(false); }
};

TEST_F(ActionTest, ActionsUpdateOnIdle) {
    TForm* form = MakeForm();
    auto* list = New<TActionList>(form);
    TAction* action = MakeAction(form, list, "Save");
    TActionCounter counter;
    action->OnUpdate = MakeMethod<&TActionCounter::Update>(&counter);
    Idle();
    EXPECT_EQ(counter.Updates, 1);
    Idle();
    EXPECT_EQ(counter.Updates, 2);
    // A suspended list updates nothing; a list being designed neither.
    list->SetState(asSuspended);
    Idle();
    EXPECT_EQ(counter.Updates, 2);
    list->SetState(asNormal);
    list->SetDesigning(true, false);
    Idle();
    EXPECT_EQ(counter.Updates, 2);
    list->SetDesigning(false, false);
    // A freed list is no longer called.
    list->Free();
    Idle();
    EXPECT_EQ(counter.Updates, 2);
}

TEST_F(ActionTest, AnActionWithoutOnExecuteShowsDisabledThroughItsLinks) {
    TForm* form = MakeForm();
    auto* list = New<TActionList>(form);
    TAction* exit = MakeAction(form, list, "Exit");
    TAction* open = MakeAction(form, list, "Open");
    TActionCounter counter;
    open->OnExecute = MakeMethod<&TActionCounter::Execute>(&counter);
    auto* menu = New<TMainMenu>(form);
    auto* exitItem = New<TMenuItem>(form);
    exitItem->SetAction(exit);
    menu->Items()->Add(exitItem);
    auto* openItem = New<TMenuItem>(form);
    openItem->SetAction(open);
    menu->Items()->Add(openItem);
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    button->SetAction(exit);
    EXPECT_TRUE(exitItem->Enabled());
    Idle();
    EXPECT_FALSE(exit->Enabled());
    EXPECT_FALSE(exitItem->Enabled());
    EXPECT_FALSE(button->Enabled());
    EXPECT_TRUE(openItem->Enabled());
    // Clicking the disabled item does nothing; the enabled one executes.
    exitItem->Click();
    openItem->Click();
    EXPECT_EQ(counter.Executes, 1);
    // An action the program disabled is not enabled again by the update.
    open->SetEnabled(false);
    Idle();
    EXPECT_FALSE(open->Enabled());
}

TEST_F(ActionTest, ShortcutReachesTheActionBeforeTheFocusedControl) {
    TForm* form = MakeForm();
    auto* edit = New<TTestControl>(form);
    edit->SetParent(form);
    edit->Record = true;
    edit->SetFocus();
    auto* list = New<TActionList>(form);
    TAction* copy = MakeAction(form, list, "Copy");
    copy->SetShortCut(16451);
    copy->SecondaryShortCuts()->Add("Ctrl+Ins");
    TActionCounter counter;
    copy->OnExecute = MakeMethod<&TActionCounter::Execute>(&counter);
    auto keyDowns = [&] { return std::count(edit->Handled.begin(), edit->Handled.end(), WM_KEYDOWN); };

    Backend->InjectKeyDown(VK_CONTROL);
    Process();
    PressKey('C');
    EXPECT_EQ(counter.Executes, 1);
    EXPECT_EQ(keyDowns(), 1) << "the control saw Ctrl, never C";
    PressKey(VK_INSERT);
    EXPECT_EQ(counter.Executes, 2) << "a secondary shortcut";
    // Disabled, the action lets the key through.
    copy->SetEnabled(false);
    copy->OnUpdate = MakeMethod<&TActionCounter::Update>(&counter); // keeps the update from re-enabling
    PressKey('C');
    EXPECT_EQ(counter.Executes, 2);
    EXPECT_EQ(keyDowns(), 2) << "Ctrl, then C once the action let it through";
    Backend->InjectKeyUp(VK_CONTROL);
    Process();
}

TEST_F(ActionTest, ListLevelHandlersComeFirst) {
    TForm* form = MakeForm();
    auto* list = New<TActionList>(form);
    TAction* action = MakeAction(form, list, "Go");
    TActionCounter listCounter, actionCounter;
    list->OnExecute = MakeMethod<&TActionCounter::ListExecute>(&listCounter);
    action->OnExecute = MakeMethod<&TActionCounter::Execute>(&actionCounter);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(listCounter.Executes, 1);
    EXPECT_EQ(actionCounter.Executes, 1);
    listCounter.HandleInList = true;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(listCounter.Executes, 2);
    EXPECT_EQ(actionCounter.Executes, 1) << "handled by the list";
    // A suspended list executes nothing at all.
    list->SetState(asSuspended);
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(listCounter.Executes, 2);
}

// The order targets are offered in: focused control, form, every visible control of the active
// form, then the other visible forms (focused control, form); the first that takes it ends it.
TEST_F(ActionTest, TargetDispatchOrder) {
    TForm* other = MakeForm(500, 100);
    auto* otherFocus = New<TTestControl>(other);
    otherFocus->SetParent(other);
    other->SetActiveControl(otherFocus);
    TForm* form = MakeForm(100, 100);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    auto* focused = New<TTestControl>(form);
    focused->SetParent(form);
    focused->SetBounds(0, 120, 75, 25);
    auto* inPanel = New<TTestControl>(form);
    inPanel->SetParent(panel);
    auto* hidden = New<TTestControl>(form);
    hidden->SetParent(form);
    hidden->SetVisible(false);
    form->SetFocus();
    focused->SetFocus();
    PumpMessages();
    ASSERT_EQ(Screen->ActiveCustomForm(), form);
    ASSERT_EQ(form->ActiveControl(), focused);

    auto* action = New<TProbeAction>(form);
    const std::vector<TObject*> everyone{focused, form, panel, inPanel, focused, otherFocus, other};
    action->Execute();
    EXPECT_EQ(action->Offered, everyone);
    EXPECT_EQ(action->Executed, nullptr);

    struct TCase {
        TObject* Accept;
        size_t OfferedUntil;
    };
    const TCase cases[] = {{focused, 1}, {form, 2}, {panel, 3}, {inPanel, 4}, {otherFocus, 6}, {other, 7}};
    for (const TCase& c : cases) {
        action->Offered.clear();
        action->Accept = c.Accept;
        action->Executed = nullptr;
        EXPECT_TRUE(action->Execute());
        EXPECT_EQ(action->Executed, c.Accept);
        EXPECT_EQ(action->Offered, std::vector<TObject*>(everyone.begin(), everyone.begin() + c.OfferedUntil));
        // Updating goes the same way.
        action->Offered.clear();
        action->Updated = nullptr;
        action->Update();
        EXPECT_EQ(action->Updated, c.Accept);
    }
    // Nobody takes it: the application's OnActionExecute is asked last.
    TActionCounter counter;
    Application->OnActionExecute = MakeMethod<&TActionCounter::ListExecute>(&counter);
    action->Accept = nullptr;
    action->Execute();
    EXPECT_EQ(counter.Executes, 1);
    Application->OnActionExecute.Clear();
}

// A document window (MDI child) with the focus comes first, its frame right after it.
TEST_F(ActionTest, DocumentsAndTheirFrameFollowEachOther) {
    auto* frame = New<TForm>(nullptr, CreateNew);
    Forms.emplace_back(frame);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(50, 50, 600, 400);
    frame->Show();
    Application->SetMainForm(frame);
    TForm* other = MakeForm(700, 100);
    auto* child = New<TForm>(frame, CreateNew);
    child->SetFormStyle(fsMDIChild);
    auto* childFocus = New<TTestControl>(child);
    childFocus->SetParent(child);
    child->Show();
    childFocus->SetFocus();
    PumpMessages();
    ASSERT_EQ(frame->ActiveMDIChild(), child);
    auto* action = New<TProbeAction>(frame);

    // The focus in the document: the document, then the frame (which never had a focused
    // control of its own), then the other form.
    ASSERT_EQ(Screen->ActiveCustomForm(), child);
    action->Accept = frame;
    action->Execute();
    EXPECT_EQ(action->Offered, (std::vector<TObject*>{childFocus, child, childFocus, frame}));
    EXPECT_EQ(action->Executed, frame);
    action->Offered.clear();
    action->Accept = other;
    action->Execute();
    EXPECT_EQ(action->Offered, (std::vector<TObject*>{childFocus, child, childFocus, frame, other}));
    EXPECT_EQ(action->Executed, other);
}

TEST_F(ActionTest, CheckedGroupsAndAutoCheck) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* list = New<TActionList>(owner.get());
    TAction* left = MakeAction(owner.get(), list, "Left");
    TAction* right = MakeAction(owner.get(), list, "Right");
    TAction* bold = MakeAction(owner.get(), list, "Bold");
    TActionCounter counter;
    for (TAction* a : {left, right, bold}) {
        a->OnExecute = MakeMethod<&TActionCounter::Execute>(&counter);
        a->SetAutoCheck(true);
    }
    left->SetGroupIndex(1);
    right->SetGroupIndex(1);
    left->Execute();
    EXPECT_TRUE(left->Checked());
    right->Execute();
    EXPECT_TRUE(right->Checked());
    EXPECT_FALSE(left->Checked());
    right->Execute();
    EXPECT_TRUE(right->Checked()) << "executing the checked action of a group keeps it checked";
    bold->Execute();
    bold->Execute();
    EXPECT_FALSE(bold->Checked());
    EXPECT_EQ(counter.Executes, 5);
    EXPECT_EQ(list->Categories(), std::vector<String>{""});
    bold->SetCategory("Format");
    EXPECT_EQ(list->Categories(), (std::vector<String>{"", "Format"}));
}

TEST_F(ActionTest, ListsKeepTheirActionsInOrder) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* list = New<TActionList>(owner.get());
    TAction* a = MakeAction(owner.get(), list, "A");
    TAction* b = MakeAction(owner.get(), list, "B");
    TAction* c = MakeAction(owner.get(), list, "C");
    c->SetIndex(0);
    EXPECT_EQ(list->Actions(0), c);
    EXPECT_EQ(a->Index(), 1);
    b->Free();
    EXPECT_EQ(list->ActionCount(), 2);
    EXPECT_THROW(list->Actions(2), EListError);
    // An action owned elsewhere leaves the list when the list goes.
    auto* elsewhere = New<TAction>(nullptr);
    TObjectPtr<TAction> keep(elsewhere);
    elsewhere->SetActionList(list);
    list->Free();
    EXPECT_EQ(elsewhere->ActionList(), nullptr);
}

TEST_F(ActionTest, SuspendedEnabledListEnablesItsActionsUntilItResumes) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* list = New<TActionList>(owner.get());
    TAction* a = MakeAction(owner.get(), list, "A");
    a->SetEnabled(false);
    list->SetState(asSuspendedEnabled);
    EXPECT_TRUE(a->Enabled());
    a->SetEnabled(false); // kept aside until the list resumes
    EXPECT_TRUE(a->Enabled());
    list->SetState(asNormal);
    EXPECT_FALSE(a->Enabled());
}

// ---------------------------------------------------------------------------------------------
// Standard edit actions

class EditActionTest : public ActionTest {
protected:
    void SetUp() override {
        ActionTest::SetUp();
        Form = MakeForm(100, 100, 300, 200);
        Edit = AddEdit(10, "Hello world");
        Other = AddEdit(40, "second");
        List = New<TActionList>(Form);
        Cut = Add<TEditCut>();
        Copy = Add<TEditCopy>();
        Paste = Add<TEditPaste>();
        Delete = Add<TEditDelete>();
        Undo = Add<TEditUndo>();
        SelectAll = Add<TEditSelectAll>();
        Clipboard()->Clear();
        Edit->SetFocus();
        PumpMessages();
    }
    TEdit* AddEdit(int top, const String& text) {
        auto* edit = New<TEdit>(Form);
        edit->SetParent(Form);
        edit->SetBounds(10, top, 150, 21);
        edit->SetText(text);
        return edit;
    }
    template <class T> T* Add() {
        auto* action = New<T>(Form);
        action->SetActionList(List);
        return action;
    }
    // Cut, Copy, Paste, Delete, Undo, SelectAll enabled after an idle update.
    std::vector<bool> EnabledAfterIdle() {
        Idle();
        return {Cut->Enabled(),    Copy->Enabled(), Paste->Enabled(),
                Delete->Enabled(), Undo->Enabled(), SelectAll->Enabled()};
    }
    void CtrlKey(int vk) {
        Backend->InjectKeyDown(VK_CONTROL);
        Process();
        PressKey(vk);
        Backend->InjectKeyUp(VK_CONTROL);
        Process();
    }

    TForm* Form = nullptr;
    TEdit *Edit = nullptr, *Other = nullptr;
    TActionList* List = nullptr;
    TEditAction *Cut = nullptr, *Copy = nullptr, *Paste = nullptr, *Delete = nullptr, *Undo = nullptr,
                *SelectAll = nullptr;
};

TEST_F(EditActionTest, DefaultShortcuts) {
    EXPECT_EQ(Cut->ShortCut(), 16472);
    EXPECT_EQ(Copy->ShortCut(), 16451);
    EXPECT_EQ(Paste->ShortCut(), 16470);
    EXPECT_EQ(Delete->ShortCut(), VK_DELETE);
    EXPECT_EQ(Undo->ShortCut(), 16474);
    EXPECT_EQ(SelectAll->ShortCut(), 16449);
    // Cleared, a shortcut is stored (it differs from the class's own default).
    const TPropInfo* prop = GetPropInfo(Copy, "ShortCut");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Default.value_or(-1), 16451);
}

TEST_F(EditActionTest, EnabledAsTheFocusedEditAllows) {
    Edit->SetSelStart(0);
    Edit->SetSelLength(0);
    EXPECT_EQ(EnabledAfterIdle(), (std::vector<bool>{false, false, false, false, false, true}));
    Edit->SelectAll();
    EXPECT_EQ(EnabledAfterIdle(), (std::vector<bool>{true, true, false, true, false, true}));
    Clipboard()->SetAsText("clip");
    EXPECT_EQ(EnabledAfterIdle(), (std::vector<bool>{true, true, true, true, false, true}));
    Edit->SetReadOnly(true);
    EXPECT_EQ(EnabledAfterIdle(), (std::vector<bool>{false, true, false, false, false, true}));
    // Without a focused edit there is nothing to act on.
    auto* button = New<TTestControl>(Form);
    button->SetParent(Form);
    button->SetFocus();
    EXPECT_EQ(EnabledAfterIdle(), (std::vector<bool>(6, false)));
}

TEST_F(EditActionTest, ShortcutsActOnTheFocusedEdit) {
    Edit->SetSelStart(0);
    Edit->SetSelLength(5);
    Idle();
    CtrlKey('X');
    EXPECT_EQ(Edit->Text(), " world");
    EXPECT_EQ(Clipboard()->AsText(), "Hello");
    Idle();
    CtrlKey('Z');
    EXPECT_EQ(Edit->Text(), "Hello world");
    Edit->SetSelStart(Edit->Text().size());
    Edit->SetSelLength(0);
    Idle();
    CtrlKey('V');
    EXPECT_EQ(Edit->Text(), "Hello worldHello");
    Idle();
    CtrlKey('A');
    EXPECT_EQ(Edit->SelLength(), static_cast<int>(Edit->Text().size()));
    Copy->Execute();
    EXPECT_EQ(Clipboard()->AsText(), "Hello worldHello");
    Idle();
    PressKey(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "");
    EXPECT_EQ(Other->Text(), "second") << "the other edit is never touched";
}

TEST_F(EditActionTest, BoundControlIsTheOnlyTarget) {
    Copy->SetControl(Other);
    Other->SelectAll();
    Edit->SetSelLength(0);
    Idle();
    EXPECT_TRUE(Copy->Enabled()) << "bound to the other edit, which has a selection";
    EXPECT_TRUE(Copy->Execute());
    EXPECT_EQ(Clipboard()->AsText(), "second");
    Other->Free();
    EXPECT_EQ(Copy->Control(), nullptr);
    // A control in design state is no target.
    Edit->SelectAll();
    Edit->SetDesigning(true);
    Idle();
    EXPECT_FALSE(Copy->Enabled());
}

} // namespace
} // namespace dw::test
