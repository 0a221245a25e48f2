// The application and screen: the loop and its exception boundary, idle processing and actions,
// shortcuts and dialog keys, hints, timers, cursors, and drag and drop.
#include "CoreFixture.h"

#include "framework/controls/forms/Timer.h"
#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {

// An action with the properties a control shows, published as the actions publish them.
class TLinkTestAction : public TBasicAction {
    DW_CLASS(TLinkTestAction, TBasicAction)
    using TBasicAction::TBasicAction;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) {
        for (TBasicActionLink* link : FClients)
            if (auto* l = As<TActionLink>(link)) l->SetCaption(value);
        FCaption = value;
        Change();
    }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) {
        for (TBasicActionLink* link : FClients)
            if (auto* l = As<TActionLink>(link)) l->SetEnabled(value);
        FEnabled = value;
        Change();
    }

private:
    String FCaption;
    bool FEnabled = true;
};
DW_DEFINE_CLASS(TLinkTestAction) {
    c.Property("Caption", &TLinkTestAction::Caption, &TLinkTestAction::SetCaption);
    c.Property("Enabled", &TLinkTestAction::Enabled, &TLinkTestAction::SetEnabled).Default(true);
}

// A component that answers Ctrl+S as a shortcut, as an action list would.
class TShortCutComponent : public TComponent, public IShortCutHandler {
    DW_CLASS(TShortCutComponent, TComponent)
    using TComponent::TComponent;
    int Hits = 0;
    bool IsShortCut(TWMKey& message) override {
        if (message.CharCode() == 'S' && GetKeyState(VK_CONTROL) < 0) {
            ++Hits;
            return true;
        }
        return false;
    }
};
DW_DEFINE_CLASS(TShortCutComponent) {}

// A button that answers Enter as the form's default button.
class TDefaultButton : public TTestControl {
    DW_CLASS(TDefaultButton, TTestControl)
    using TTestControl::TTestControl;
    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_DIALOGKEY && message.WParam == static_cast<WPARAM>(VK_RETURN)) {
            Click();
            message.Result = 1;
            return;
        }
        TTestControl::Dispatch(message);
    }
};
DW_DEFINE_CLASS(TDefaultButton) {}

// A drag source with images of its own.
class TImageSource : public TTestControl {
    DW_CLASS(TImageSource, TTestControl)
    using TTestControl::TTestControl;
    TDragImageList* Images = nullptr;

protected:
    TDragImageList* GetDragImages() override { return Images; }
};
DW_DEFINE_CLASS(TImageSource) {}

namespace {

using ApplicationTest = CoreTest;

struct TThrower : TObject {
    void Boom(TObject* sender) {
        (void)sender;
        throw EInvalidOperation("Boom happened");
    }
};

struct TCatcher : TObject {
    std::vector<String> Messages;
    std::vector<TObject*> Senders;
    void Show(TObject* sender, Exception& e) {
        Senders.push_back(sender);
        Messages.push_back(e.Message());
    }
};

TEST_F(ApplicationTest, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    TThrower thrower;
    TCatcher catcher;
    button->OnClick = MakeMethod<&TThrower::Boom>(&thrower);
    Application->OnException = MakeMethod<&TCatcher::Show>(&catcher);
    ClickAt(button, 5, 5);
    ClickAt(button, 5, 5);
    EXPECT_EQ(catcher.Messages, (std::vector<String>{"Boom happened", "Boom happened"}));
    EXPECT_EQ(catcher.Senders[0], button);
    // The control still works afterwards.
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(button, 5, 5);
    EXPECT_EQ(sink.Clicks.size(), 1u);
}

TEST_F(ApplicationTest, DefaultDisplayShowsTheMessageInAMessageBox) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    TThrower thrower;
    button->OnClick = MakeMethod<&TThrower::Boom>(&thrower);
    std::vector<String> shown;
    Application->MessageBoxHook = [&](const String& text, const String&, UINT flags) {
        shown.push_back(text);
        EXPECT_TRUE(flags & MB_ICONERROR);
        return IDOK;
    };
    ClickAt(button, 5, 5);
    EXPECT_EQ(shown, (std::vector<String>{"Boom happened."}));
}

TEST_F(ApplicationTest, FrameworkMessageBoxIsAnsweredWithEnter) {
    // Without a hook the framework's own box shows; Enter (posted before it opens) answers it.
    Backend->InjectKeyDown(VK_RETURN);
    Backend->InjectKeyUp(VK_RETURN);
    EXPECT_EQ(Application->MessageBox("Saved.", "Note"), IDOK);
}

TEST_F(ApplicationTest, ExceptionInAPostedMessageIsCaughtAtDispatch) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    TCatcher catcher;
    Application->OnException = MakeMethod<&TCatcher::Show>(&catcher);
    TWndMethod old = c->WindowProc;
    c->WindowProc = [old](TMessage& m) {
        if (m.Msg == WM_APP) throw EConvertError("Bad posted value");
        old(m);
    };
    PostMessage(c->Handle(), WM_APP, 0, 0);
    PostMessage(c->Handle(), WM_APP, 0, 0);
    EXPECT_NO_THROW(Application->ProcessMessages());
    EXPECT_EQ(catcher.Messages.size(), 2u);
    c->WindowProc = old;
}

TEST_F(ApplicationTest, RunEndsWhenTheMainFormCloses) {
    auto* form = New<TForm>(nullptr);
    Forms.emplace_back(form);
    Application->SetMainForm(form);
    PostMessage(form->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    EXPECT_TRUE(form->Visible()); // the main form closing ends the program; it is not hidden
    // A later modal loop is not cut short by the finished run.
    TObjectPtr<TForm> dialog(New<TForm>(nullptr, CreateNew));
    PostMessage(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(ApplicationTest, CreateFormMakesTheFirstFormTheMainForm) {
    TForm* first = nullptr;
    TForm* second = nullptr;
    Application->CreateForm(first);
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), first);
    EXPECT_EQ(first->Owner(), Application);
    second->Free();
    first->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, IdleRunsRegisteredUpdatesAndActionLinks) {
    TForm* form = MakeForm();
    int updates = 0;
    int key = Application->AddIdleUpdate([&] { ++updates; });
    Application->Idle(false);
    EXPECT_EQ(updates, 1);
    Application->RemoveIdleUpdate(key);
    Application->Idle(false);
    EXPECT_EQ(updates, 1);

    auto* action = New<TLinkTestAction>(form);
    TEventSink sink;
    action->OnUpdate = MakeMethod<&TEventSink::Note>(&sink);
    action->OnExecute = MakeMethod<&TEventSink::Click>(&sink);
    action->SetCaption("Do it");
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), "Do it");
    Application->Idle(false);
    EXPECT_EQ(sink.Log.size(), 1u);
    // The control follows the action while they agree, and a click executes the action.
    action->SetCaption("Done");
    EXPECT_EQ(button->Caption(), "Done");
    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    ClickAt(button, 5, 5);
    ASSERT_EQ(sink.Clicks.size(), 1u);
    EXPECT_EQ(sink.Clicks[0], action);
    // A caption of its own unlinks it.
    button->SetCaption("Mine");
    action->SetCaption("Again");
    EXPECT_EQ(button->Caption(), "Mine");
    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(ApplicationTest, ShortcutsComeBeforeTheFocusedControl) {
    TForm* form = MakeForm();
    auto* edit = New<TTestControl>(form);
    edit->SetParent(form);
    edit->SetFocus();
    auto* shortcuts = New<TShortCutComponent>(form);
    std::vector<Word> keys;
    struct TKeys : TObject {
        std::vector<Word>* Keys;
        void Down(TObject*, Word& key, TShiftState) { Keys->push_back(key); }
    } sink;
    sink.Keys = &keys;
    edit->OnKeyDown = MakeMethod<&TKeys::Down>(&sink);
    Backend->InjectKeyDown(VK_CONTROL);
    Process();
    PressKey('S');
    Backend->InjectKeyUp(VK_CONTROL);
    Process();
    EXPECT_EQ(shortcuts->Hits, 1);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), Word('S')), 0);
    PressKey('S');
    EXPECT_EQ(shortcuts->Hits, 1);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), Word('S')), 1);
}

TEST_F(ApplicationTest, EnterGoesToTheDefaultButton) {
    TForm* form = MakeForm();
    auto* edit = New<TTestControl>(form);
    edit->SetParent(form);
    auto* ok = New<TDefaultButton>(form);
    ok->SetParent(form);
    TEventSink sink;
    ok->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    edit->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(sink.Clicks.size(), 1u);
    // A control that wants every key keeps Enter.
    edit->DlgCode = DLGC_WANTALLKEYS;
    PressKey(VK_RETURN);
    EXPECT_EQ(sink.Clicks.size(), 1u);
}

TEST_F(ApplicationTest, KeyPreviewLetsTheFormSeeKeysFirst) {
    TForm* form = MakeForm();
    auto* edit = New<TTestControl>(form);
    edit->SetParent(form);
    edit->SetFocus();
    struct TKeys : TObject {
        std::vector<String> Log;
        void FormDown(TObject*, Word& key, TShiftState) {
            Log.push_back("form");
            if (key == 'X') key = 0;
        }
        void EditDown(TObject*, Word&, TShiftState) { Log.push_back("edit"); }
    } sink;
    form->OnKeyDown = MakeMethod<&TKeys::FormDown>(&sink);
    edit->OnKeyDown = MakeMethod<&TKeys::EditDown>(&sink);
    PressKey('A');
    EXPECT_EQ(sink.Log, (std::vector<String>{"edit"}));
    form->SetKeyPreview(true);
    sink.Log.clear();
    PressKey('A');
    PressKey('X');
    EXPECT_EQ(sink.Log, (std::vector<String>{"form", "edit", "form"}));
}

TEST_F(ApplicationTest, TimersFireAsTheClockAdvances) {
    TObjectPtr<TTimer> timer(New<TTimer>(nullptr));
    TEventSink sink;
    timer->SetInterval(100);
    timer->SetOnTimer(MakeMethod<&TEventSink::Click>(&sink));
    Backend->AdvanceTime(350);
    EXPECT_EQ(sink.Clicks.size(), 3u);
    // Changing the interval starts a fresh countdown.
    Backend->AdvanceTime(40);
    timer->SetInterval(200);
    Backend->AdvanceTime(150);
    EXPECT_EQ(sink.Clicks.size(), 3u);
    Backend->AdvanceTime(50);
    EXPECT_EQ(sink.Clicks.size(), 4u);
    timer->SetEnabled(false);
    Backend->AdvanceTime(1000);
    EXPECT_EQ(sink.Clicks.size(), 4u);
    timer->SetEnabled(true);
    Backend->AdvanceTime(199);
    EXPECT_EQ(sink.Clicks.size(), 4u);
    Backend->AdvanceTime(1);
    EXPECT_EQ(sink.Clicks.size(), 5u);
}

TEST_F(ApplicationTest, HintShowsAfterThePauseAndHidesLater) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetBounds(20, 20, 80, 30);
    c->SetHint("Saves the file|Writes the document to disk");
    c->SetShowHint(true);
    TPoint p = ScreenPoint(c, 10, 10);
    Backend->InjectMouseMove(p.X, p.Y);
    PumpMessages();
    Backend->AdvanceTime(499);
    auto hintVisible = [] {
        THintWindow* h = Application->HintWindow();
        return h && h->HandleAllocated() && IsWindowVisible(h->Handle());
    };
    EXPECT_FALSE(hintVisible());
    Backend->AdvanceTime(2);
    ASSERT_TRUE(hintVisible());
    THintWindow* hint = Application->HintWindow();
    EXPECT_EQ(hint->Caption(), "Saves the file");
    EXPECT_EQ(hint->Color(), clInfoBk);
    EXPECT_GE(hint->Top(), p.Y);
    // The form stays active.
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_TRUE(GetWindowLongPtr(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Backend->AdvanceTime(2500);
    EXPECT_FALSE(hintVisible());
}

TEST_F(ApplicationTest, HintWindowWrapsLongText) {
    TObjectPtr<THintWindow> hint(New<THintWindow>(nullptr));
    TRect one = hint->CalcHintRect(1000, "A short hint", nullptr);
    TRect wrapped = hint->CalcHintRect(80, "A much longer hint that cannot fit in eighty pixels", nullptr);
    EXPECT_LE(wrapped.Width(), 80 + 6);
    EXPECT_GT(wrapped.Height(), one.Height());
    hint->SetColor(clYellow);
    hint->ActivateHint(Bounds(10, 10, wrapped.Width(), wrapped.Height()), "A much longer hint");
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    EXPECT_EQ(hint->Color(), clYellow);
    hint->ReleaseHandle();
    EXPECT_FALSE(hint->HandleAllocated());
}

TEST_F(ApplicationTest, ScreenCursorsAndTheScreenWideCursor) {
    EXPECT_EQ(Screen->Cursors(crDefault), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(Screen->Cursors(crIBeam), LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(Screen->Cursors(crSizeWE), LoadCursor(nullptr, IDC_SIZEWE));
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 60, 30);
    c->SetCursor(crHandPoint);
    TPoint p = ScreenPoint(c, 5, 5);
    Backend->InjectMouseMove(p.X, p.Y);
    PumpMessages();
    EXPECT_EQ(Backend->CursorShape(), TCursorShape::Hand);
    Screen->SetCursor(crHourGlass);
    Backend->InjectMouseMove(p.X + 1, p.Y);
    PumpMessages();
    EXPECT_EQ(Backend->CursorShape(), TCursorShape::Wait);
    Screen->SetCursor(crDefault);
    Backend->InjectMouseMove(p.X, p.Y);
    PumpMessages();
    EXPECT_EQ(Backend->CursorShape(), TCursorShape::Hand);
    EXPECT_EQ(Screen->Width(), 1280);
    EXPECT_FALSE(Screen->Fonts().empty());
}

TEST_F(ApplicationTest, DragAndDropBetweenControls) {
    TForm* form = MakeForm(50, 50, 400, 300);
    auto* source = New<TTestControl>(form);
    source->SetParent(form);
    source->SetBounds(10, 10, 60, 30);
    source->SetDragMode(dmAutomatic);
    auto* target = New<TTestPanel>(form);
    target->SetParent(form);
    target->SetBounds(200, 100, 150, 100);
    auto* refusing = New<TTestPanel>(form);
    refusing->SetParent(form);
    refusing->SetBounds(200, 10, 150, 50);
    struct TDrop : TObject {
        TObject* Source = nullptr;
        TPoint At;
        std::vector<TDragState> States;
        std::vector<TObject*> EndTargets;
        void Over(TObject*, TObject* source, int, int, TDragState state, bool& accept) {
            States.push_back(state);
            accept = source != nullptr;
        }
        void Drop(TObject*, TObject* source, int x, int y) {
            Source = source;
            At = {x, y};
        }
        void End(TObject*, TObject* target, int, int) { EndTargets.push_back(target); }
    } sink;
    target->OnDragOver = MakeMethod<&TDrop::Over>(&sink);
    target->OnDragDrop = MakeMethod<&TDrop::Drop>(&sink);
    source->OnEndDrag = MakeMethod<&TDrop::End>(&sink);
    TPoint from = ScreenPoint(source, 10, 10), to = ScreenPoint(target, 30, 40);
    Backend->Drag(from, to, 6);
    EXPECT_FALSE(IsDragging());
    EXPECT_EQ(sink.Source, source);
    EXPECT_EQ(sink.At, (TPoint{30, 40}));
    ASSERT_FALSE(sink.States.empty());
    EXPECT_EQ(sink.States.front(), dsDragEnter);
    EXPECT_EQ(sink.States.back(), dsDragLeave);
    ASSERT_EQ(sink.EndTargets.size(), 1u);
    EXPECT_EQ(sink.EndTargets[0], target);
    // Dropped where nobody accepts, the source hears of no target.
    sink.Source = nullptr;
    Backend->Drag(from, ScreenPoint(refusing, 20, 20), 6);
    EXPECT_EQ(sink.Source, nullptr);
    ASSERT_EQ(sink.EndTargets.size(), 2u);
    EXPECT_EQ(sink.EndTargets[1], nullptr);
    // A short move is no drag: the source gets its click.
    TEventSink clicks;
    source->SetDragMode(dmManual);
    source->OnClick = MakeMethod<&TEventSink::Click>(&clicks);
    ClickAt(source, 5, 5);
    EXPECT_EQ(clicks.Clicks.size(), 1u);
}

TEST_F(ApplicationTest, DragMessagesOfDesignedTargetsGoToTheHook) {
    TForm* form = MakeForm(50, 50, 400, 300);
    auto* target = New<TTestPanel>(form);
    target->SetParent(form);
    target->SetBounds(200, 100, 150, 100);
    TObjectPtr<TForm> palette(New<TForm>(nullptr, CreateNew));
    palette->SetBounds(600, 50, 200, 200);
    palette->Show();
    auto* source = New<TTestControl>(palette.get());
    source->SetParent(palette.get());
    source->SetBounds(10, 10, 50, 30);
    TRecordingHook hook;
    hook.Take = [](TControl*, TMessage& m) {
        if (m.Msg != CM_DRAG || m.WParam == dmFindTarget) return false;
        m.Result = 1; // accepts
        return true;
    };
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    source->BeginDrag(true);
    TPoint to = ScreenPoint(target, 20, 20);
    Backend->InjectMouseMove(to.X, to.Y);
    PumpMessages();
    Backend->InjectMouseUp();
    PumpMessages();
    EXPECT_GE(hook.Count(target, CM_DRAG), 4); // find target, enter, move, leave, drop
    bool dropped = false;
    for (const auto& s : hook.Seen)
        if (s.Sender == target && s.Msg == CM_DRAG && s.WParam == dmDragDrop) dropped = true;
    EXPECT_TRUE(dropped);
    form->SetDesigner(nullptr);
}

TEST_F(ApplicationTest, DragImagesShowOnlyOverControlsThatAskForThem) {
    TForm* form = MakeForm(50, 50, 400, 300);
    auto* images = New<TDragImageList>(form);
    images->SetSize(8, 8);
    TObjectPtr<TBitmap> red(New<TBitmap>());
    red->SetSize(8, 8);
    red->Canvas()->Brush()->SetColor(clRed);
    red->Canvas()->FillRect(Bounds(0, 0, 8, 8));
    images->AddMasked(red.get(), clNone);
    ASSERT_TRUE(images->SetDragImage(0, 4, 4));
    auto* source = New<TImageSource>(form);
    source->Images = images;
    source->SetParent(form);
    source->SetBounds(10, 10, 50, 30);
    auto* showing = New<TTestPanel>(form);
    showing->SetParent(form);
    showing->SetBounds(100, 100, 100, 100);
    showing->SetControlStyle(showing->ControlStyle() + csDisplayDragImage);
    auto* plain = New<TTestPanel>(form);
    plain->SetParent(form);
    plain->SetBounds(250, 100, 100, 100);
    TPoint start = ScreenPoint(source, 5, 5);
    Backend->InjectMouseMove(start.X, start.Y);
    PumpMessages();
    source->BeginDrag(true);
    TPoint over = ScreenPoint(showing, 50, 50);
    Backend->InjectMouseMove(over.X, over.Y);
    PumpMessages();
    EXPECT_TRUE(images->Dragging());
    TPoint elsewhere = ScreenPoint(plain, 50, 50);
    Backend->InjectMouseMove(elsewhere.X, elsewhere.Y);
    PumpMessages();
    EXPECT_FALSE(images->Dragging());
    Backend->InjectMouseMove(over.X, over.Y);
    PumpMessages();
    EXPECT_TRUE(images->Dragging());
    Backend->InjectMouseUp();
    PumpMessages();
    EXPECT_FALSE(images->Dragging());
    EXPECT_FALSE(IsDragging());
}

} // namespace
} // namespace dw::test
