// Forms: creation from stored descriptions, the designer hook's other duties, closing, modal
// loops, release, multiple documents, frames and data modules.
#include "CoreFixture.h"

#include "framework/controls/forms/Timer.h"
#include "framework/platform/window/NonClient.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/GlobalComponents.h"
#include "framework/rtl/Resources.h"

#include <cstring>

namespace dw::test {

// A form class with a stored description: fields and handlers are bound when it is read.
class TStoredForm : public TForm {
    DW_CLASS(TStoredForm, TForm)
    using TForm::TForm;
    TTestControl* Button1 = nullptr;
    TTestControl* Button2 = nullptr;
    TTestGraphic* Label1 = nullptr;
    int Clicks = 0;
    bool CreatedWithFields = false;
    int Creates = 0;
    void Button1Click(TObject* sender) {
        (void)sender;
        ++Clicks;
    }
    void FormCreate(TObject* sender) {
        (void)sender;
        ++Creates;
        CreatedWithFields = Button1 && Button2 && Label1;
    }
};

DW_DEFINE_CLASS(TStoredForm) {
    c.Field("Button1", &TStoredForm::Button1);
    c.Field("Button2", &TStoredForm::Button2);
    c.Field("Label1", &TStoredForm::Label1);
    c.Method<&TStoredForm::Button1Click>("Button1Click");
    c.Method<&TStoredForm::FormCreate>("FormCreate");
}

// Inherits the stored form and adds a description of its own.
class TDerivedStoredForm : public TStoredForm {
    DW_CLASS(TDerivedStoredForm, TStoredForm)
    using TStoredForm::TStoredForm;
    TTestControl* Extra = nullptr;
};

DW_DEFINE_CLASS(TDerivedStoredForm) {
    c.Field("Extra", &TDerivedStoredForm::Extra);
}

// A form class nobody stored a description for.
class TUndescribedForm : public TForm {
    DW_CLASS(TUndescribedForm, TForm)
    using TForm::TForm;
};
DW_DEFINE_CLASS(TUndescribedForm) {}

// Answers WM_APP by setting ModalResult from WPARAM, and records activation messages.
class TProbeForm : public TForm {
    DW_CLASS(TProbeForm, TForm)
    using TForm::TForm;
    std::vector<UINT> Activation;
    std::function<void()> OnApp;
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_APP) {
            if (OnApp) OnApp();
            SetModalResult(static_cast<TModalResult>(message.WParam));
            return;
        }
        if (message.Msg == CM_ACTIVATE || message.Msg == CM_DEACTIVATE) Activation.push_back(message.Msg);
        TForm::Dispatch(message);
    }
    int Count(UINT msg) const { return static_cast<int>(std::count(Activation.begin(), Activation.end(), msg)); }
};
DW_DEFINE_CLASS(TProbeForm) {}

// A frame class with a stored description, and a data module with one.
class TStoredFrame : public TFrame {
    DW_CLASS(TStoredFrame, TFrame)
    using TFrame::TFrame;
    TTestControl* FrameButton = nullptr;
};
DW_DEFINE_CLASS(TStoredFrame) {
    c.Field("FrameButton", &TStoredFrame::FrameButton);
}

class TStoredModule : public TDataModule {
    DW_CLASS(TStoredModule, TDataModule)
    using TDataModule::TDataModule;
    TTimer* Timer1 = nullptr;
    int Creates = 0;
    void ModuleCreate(TObject* sender) {
        (void)sender;
        Creates += Timer1 ? 1 : 100;
    }
};
DW_DEFINE_CLASS(TStoredModule) {
    c.Field("Timer1", &TStoredModule::Timer1);
    c.Method<&TStoredModule::ModuleCreate>("ModuleCreate");
}

// A main menu as the menus implement it: told when a form takes it, asked about shortcuts.
class TTestMainMenu : public TComponent, public IFormMenu, public IShortCutHandler {
    DW_CLASS(TTestMainMenu, TComponent)
    using TComponent::TComponent;
    std::vector<TCustomForm*> Attached;
    int Detaches = 0;
    int ShortCuts = 0;
    void AttachToForm(TCustomForm* form) override { Attached.push_back(form); }
    void DetachFromForm(TCustomForm* form) override {
        (void)form;
        ++Detaches;
    }
    int BarHeight(const TCustomForm* form, int width) const override {
        (void)form, (void)width;
        return 0;
    }
    bool IsShortCut(TWMKey& message) override {
        if (message.CharCode() != VK_F5) return false;
        ++ShortCuts;
        return true;
    }
};
DW_DEFINE_CLASS(TTestMainMenu) {}

namespace {

const char StoredFormText[] = R"(object StoredForm: TStoredForm
  Left = 30
  Top = 40
  Caption = 'Stored form'
  ClientHeight = 150
  ClientWidth = 250
  OnCreate = FormCreate
  TextHeight = 13
  object Button1: TTestControl
    Left = 16
    Top = 20
    Width = 75
    Height = 25
    Caption = 'Press'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TTestControl
    Left = 16
    Top = 52
    Width = 75
    Height = 25
    Caption = 'Other'
    TabOrder = 0
  end
  object Label1: TTestGraphic
    Left = 120
    Top = 20
    Width = 40
    Height = 20
  end
end
)";

const char DerivedFormText[] = R"(inherited DerivedStoredForm: TDerivedStoredForm
  Caption = 'Derived'
  inherited Button1: TTestControl
    Caption = 'Changed'
  end
  object Extra: TTestControl
    Left = 100
    Top = 100
    Width = 50
    Height = 20
  end
end
)";

const char StoredFrameText[] = R"(object StoredFrame: TStoredFrame
  Left = 0
  Top = 0
  Width = 160
  Height = 90
  object FrameButton: TTestControl
    Left = 8
    Top = 8
    Width = 60
    Height = 20
    Caption = 'In frame'
  end
end
)";

const char StoredModuleText[] = R"(object StoredModule: TStoredModule
  OnCreate = ModuleCreate
  Height = 150
  Width = 215
  object Timer1: TTimer
    Interval = 250
  end
end
)";

void RegisterTextResource(const char* name, const char* text) {
    RegisterResource(name, "RCDATA", reinterpret_cast<const unsigned char*>(text), std::strlen(text));
}

class FormTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        static bool registered = [] {
            RegisterTextResource("TSTOREDFORM", StoredFormText);
            RegisterTextResource("TDERIVEDSTOREDFORM", DerivedFormText);
            RegisterTextResource("TSTOREDFRAME", StoredFrameText);
            RegisterTextResource("TSTOREDMODULE", StoredModuleText);
            for (TClass c : {TStoredFrame::StaticClass(), TTimer::StaticClass()})
                if (!GetClass(c->ClassName())) RegisterClass(c);
            return true;
        }();
        (void)registered;
    }
};

// Freed components report here.
class TWatcher : public TComponent {
public:
    explicit TWatcher(TComponent* owner) : TComponent(owner) {}
    std::vector<TComponent*> Freed;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) Freed.push_back(component);
    }
};

class TCloseSink : public TObject {
public:
    TCloseAction Action = caHide;
    int Queries = 0;
    int RefuseFirst = 0;
    void OnClose(TObject* sender, TCloseAction& action) {
        (void)sender;
        action = Action;
    }
    void OnQuery(TObject* sender, bool& canClose) {
        (void)sender;
        canClose = ++Queries > RefuseFirst;
    }
};

TEST_F(FormTest, CreatedFromItsStoredDescription) {
    TObjectPtr<TStoredForm> form(New<TStoredForm>(nullptr));
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Caption(), "Press");
    EXPECT_EQ(form->Button1->Parent(), form.get());
    EXPECT_EQ(form->Button1->Owner(), form.get());
    EXPECT_EQ(form->Caption(), "Stored form");
    EXPECT_EQ(form->Name(), "StoredForm");
    EXPECT_EQ(form->ClientWidth(), 250);
    EXPECT_EQ(form->ClientHeight(), 150);
    EXPECT_EQ(form->Left(), 30);
    // Tab orders read in any order end up as stored.
    EXPECT_EQ(form->Button2->TabOrder(), 0);
    EXPECT_EQ(form->Button1->TabOrder(), 1);
    // OnCreate ran once, after the fields were bound.
    EXPECT_EQ(form->Creates, 1);
    EXPECT_TRUE(form->CreatedWithFields);
    form->Button1->Click();
    EXPECT_EQ(form->Clicks, 1);
    // Forms are global components and known to the screen.
    EXPECT_EQ(FindGlobalComponent("StoredForm"), form.get());
    bool onScreen = false;
    for (int i = 0; i < Screen->FormCount(); ++i) onScreen |= Screen->Forms(i) == form.get();
    EXPECT_TRUE(onScreen);
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, InheritedDescriptionsAreReadAncestorFirst) {
    TObjectPtr<TDerivedStoredForm> form(New<TDerivedStoredForm>(nullptr));
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Caption(), "Changed");
    EXPECT_EQ(form->Button2->Caption(), "Other");
    ASSERT_NE(form->Extra, nullptr);
    EXPECT_EQ(form->Extra->Left(), 100);
    EXPECT_EQ(form->Caption(), "Derived");
    EXPECT_EQ(form->ClientWidth(), 250);
}

TEST_F(FormTest, MissingDescriptionRaisesResNotFound) {
    try {
        New<TUndescribedForm>(nullptr);
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_NE(e.Message().find("TUndescribedForm"), String::npos) << e.Message();
    }
    // Created without a description on purpose, it is fine.
    TObjectPtr<TUndescribedForm> form(New<TUndescribedForm>(nullptr, CreateNew));
    EXPECT_EQ(form->ComponentCount(), 0);
    // Plain TForm needs no description.
    TObjectPtr<TForm> plain(New<TForm>(nullptr));
    EXPECT_EQ(plain->ComponentCount(), 0);
}

TEST_F(FormTest, StreamedVisibleFormShowsWhenComplete) {
    static const char text[] = R"(object VisibleForm: TStoredForm
  Caption = 'Visible'
  Visible = True
  object Button1: TTestControl
  end
  object Button2: TTestControl
  end
  object Label1: TTestGraphic
  end
end
)";
    TMemoryStream in, out;
    in.WriteBuffer(text, static_cast<Int64>(std::strlen(text)));
    in.SetPosition(0);
    ObjectTextToBinary(in, out);
    out.SetPosition(0);
    TObjectPtr<TStoredForm> form(New<TStoredForm>(nullptr, CreateNew));
    TReader reader(out, 4096);
    reader.ReadRootComponent(form.get());
    EXPECT_TRUE(form->Visible());
    ASSERT_TRUE(form->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(FormTest, WrittenFormReadsBackIntoAnotherInstance) {
    TObjectPtr<TStoredForm> form(New<TStoredForm>(nullptr));
    form->Button1->SetCaption("Edited");
    form->Button1->SetBounds(1, 2, 33, 44);
    form->Button2->SetTabOrder(1);
    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(form.get());
    }
    stream.SetPosition(0);
    TObjectPtr<TStoredForm> copy(New<TStoredForm>(nullptr, CreateNew));
    TReader reader(stream, 4096);
    reader.ReadRootComponent(copy.get());
    EXPECT_EQ(copy->Button1->Caption(), "Edited");
    EXPECT_EQ(copy->Button1->BoundsRect(), Bounds(1, 2, 33, 44));
    EXPECT_EQ(copy->Button1->TabOrder(), 0);
    EXPECT_EQ(copy->Button2->TabOrder(), 1);
    EXPECT_EQ(copy->ComponentCount(), 3);
    copy->Button1->Click();
    EXPECT_EQ(copy->Clicks, 1);
}

TEST_F(FormTest, HookHearsInsertsRemovesAndRenames) {
    TForm* form = MakeForm();
    TRecordingHook hook;
    form->SetDesigner(&hook);
    auto* c = New<TTestControl>(form);
    ASSERT_EQ(hook.Notifications.size(), 1u);
    EXPECT_EQ(hook.Notifications[0].first, c);
    EXPECT_EQ(hook.Notifications[0].second, opInsert);
    c->SetName("Button7");
    EXPECT_EQ(hook.Renames.back(), "->Button7");
    EXPECT_THROW(c->SetName("Forbidden"), EComponentError);
    EXPECT_EQ(c->Name(), "Button7");
    c->Free();
    ASSERT_EQ(hook.Notifications.size(), 2u);
    EXPECT_EQ(hook.Notifications[1].second, opRemove);
    form->SetDesigner(nullptr);
}

TEST_F(FormTest, CloseActions) {
    TCloseSink sink;
    struct TCase {
        TCloseAction action;
        bool visibleAfter;
        bool freed;
    };
    for (TCase t : {TCase{caNone, true, false}, TCase{caHide, false, false}, TCase{caFree, false, true},
                    TCase{caMinimize, true, false}}) {
        auto* form = New<TForm>(nullptr);
        form->Show();
        TObjectPtr<TWatcher> watcherPtr(New<TWatcher>(nullptr));
        TWatcher& watcher = *watcherPtr;
        form->FreeNotification(&watcher);
        sink.Action = t.action;
        form->OnClose = MakeMethod<&TCloseSink::OnClose>(&sink);
        form->Close();
        PumpMessages();
        EXPECT_EQ(!watcher.Freed.empty(), t.freed) << "action " << t.action;
        if (watcher.Freed.empty()) {
            EXPECT_EQ(form->Visible(), t.visibleAfter) << "action " << t.action;
            if (t.action == caMinimize) {
                EXPECT_TRUE(IsIconic(form->Handle()));
            }
            form->Free();
        }
    }
}

TEST_F(FormTest, CloseQueryCanRefuse) {
    TForm* form = MakeForm();
    TCloseSink sink;
    sink.RefuseFirst = 1;
    form->OnCloseQuery = MakeMethod<&TCloseSink::OnQuery>(&sink);
    form->Close();
    EXPECT_TRUE(form->Visible());
    form->Close();
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, WindowCloseRunsCloseUnlessTheHookTakesIt) {
    TForm* form = MakeForm();
    TRecordingHook hook;
    hook.Take = [](TControl*, TMessage& m) { return m.Msg == WM_CLOSE; };
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    Backend->InjectClose(form->Handle());
    PumpMessages();
    EXPECT_EQ(hook.Count(form, WM_CLOSE), 1);
    EXPECT_TRUE(form->Visible());
    form->SetDesigning(false);
    form->SetDesigner(nullptr);
    Backend->InjectClose(form->Handle());
    PumpMessages();
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, ShowModalReturnsTheResultAndDisablesOtherWindows) {
    TForm* other = MakeForm(0, 0, 100, 100);
    TObjectPtr<TProbeForm> dialog(New<TProbeForm>(nullptr, CreateNew));
    bool otherEnabledDuringModal = true;
    dialog->OnApp = [&] { otherEnabledDuringModal = IsWindowEnabled(other->Handle()); };
    PostMessage(dialog->Handle(), WM_APP, mrYes, 0);
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_FALSE(otherEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->FormState().Contains(fsModal));
    // A visible form cannot be made modal.
    other->Show();
    EXPECT_THROW(other->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, ModalCloseQueryRefusalKeepsTheDialogOpen) {
    TObjectPtr<TProbeForm> dialog(New<TProbeForm>(nullptr, CreateNew));
    TCloseSink sink;
    sink.RefuseFirst = 1;
    dialog->OnCloseQuery = MakeMethod<&TCloseSink::OnQuery>(&sink);
    int appMessages = 0;
    dialog->OnApp = [&] { ++appMessages; };
    PostMessage(dialog->Handle(), WM_APP, mrOk, 0);
    PostMessage(dialog->Handle(), WM_APP, mrAbort, 0);
    EXPECT_EQ(dialog->ShowModal(), mrAbort);
    EXPECT_EQ(appMessages, 2);
    EXPECT_EQ(sink.Queries, 2);
}

TEST_F(FormTest, ModalDialogAnsweredByATimer) {
    TObjectPtr<TForm> dialog(New<TForm>(nullptr, CreateNew));
    auto* timer = New<TTimer>(dialog.get());
    struct TAnswer : TObject {
        TForm* Dialog = nullptr;
        void Fire(TObject*) { Dialog->SetModalResult(mrRetry); }
    } answer;
    answer.Dialog = dialog.get();
    timer->SetInterval(200);
    timer->SetOnTimer(MakeMethod<&TAnswer::Fire>(&answer));
    // Nobody waits in real time on the headless screen: idle moves the clock on.
    struct TClock : TObject {
        THeadlessBackend* Backend = nullptr;
        void Idle(TObject*, bool& done) {
            Backend->AdvanceTime(50);
            done = false;
        }
    } clock;
    clock.Backend = Backend;
    Application->OnIdle = MakeMethod<&TClock::Idle>(&clock);
    EXPECT_EQ(dialog->ShowModal(), mrRetry);
}

TEST_F(FormTest, ReleaseFreesOnTheNextDispatch) {
    auto* form = New<TForm>(nullptr);
    form->Show();
    TObjectPtr<TWatcher> watcherPtr(New<TWatcher>(nullptr));
    TWatcher& watcher = *watcherPtr;
    form->FreeNotification(&watcher);
    form->Release();
    form->Release(); // twice is once
    EXPECT_TRUE(watcher.Freed.empty());
    EXPECT_TRUE(form->Visible());
    PumpMessages();
    ASSERT_EQ(watcher.Freed.size(), 1u);
    EXPECT_EQ(watcher.Freed[0], form);
}

TEST_F(FormTest, ReleaseOutlivesARemakeOfTheWindowQueuedBeforeIt) {
    auto* form = New<TForm>(nullptr, CreateNew);
    form->Show();
    TObjectPtr<TWatcher> watcherPtr(New<TWatcher>(nullptr));
    TWatcher& watcher = *watcherPtr;
    form->FreeNotification(&watcher);
    PostMessage(form->Handle(), CM_RECREATEWND, 0, 0);
    form->Release();
    PumpMessages();
    ASSERT_EQ(watcher.Freed.size(), 1u) << "the release went with the old window";
    EXPECT_EQ(watcher.Freed[0], form);
}

TEST_F(FormTest, ClientSizeSetsTheOuterSize) {
    TForm* form = MakeForm(10, 10, 300, 200);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_GT(form->Width(), 300);
    EXPECT_GT(form->Height(), 200 + GetSystemMetrics(SM_CYCAPTION) - 1);
    form->SetBorderStyle(bsNone);
    form->SetClientSize(120, 80);
    EXPECT_EQ(form->BoundsRect().Width(), 120);
    EXPECT_EQ(form->BoundsRect().Height(), 80);
}

TEST_F(FormTest, PositionScreenCenter) {
    auto* form = New<TForm>(nullptr);
    Forms.emplace_back(form);
    form->SetBounds(0, 0, 200, 100);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(form->Top(), (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
}

TEST_F(FormTest, ActivationSendsCmActivate) {
    TObjectPtr<TProbeForm> a(New<TProbeForm>(nullptr, CreateNew));
    TObjectPtr<TProbeForm> b(New<TProbeForm>(nullptr, CreateNew));
    a->Show();
    PumpMessages();
    EXPECT_EQ(a->Count(CM_ACTIVATE), 1);
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(Screen->ActiveForm(), a.get());
    b->Show();
    PumpMessages();
    EXPECT_EQ(b->Count(CM_ACTIVATE), 1);
    EXPECT_EQ(a->Count(CM_DEACTIVATE), 1);
    EXPECT_EQ(Screen->ActiveForm(), b.get());
    EXPECT_EQ(Screen->Forms(0), b.get());
}

TEST_F(FormTest, MdiChildActivationSendsCmActivate) {
    auto* frame = New<TForm>(nullptr, CreateNew);
    Forms.emplace_back(frame);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(0, 0, 600, 400);
    Application->SetMainForm(frame);
    frame->Show();
    ASSERT_NE(frame->ClientHandle(), nullptr);
    auto* one = New<TProbeForm>(nullptr, CreateNew);
    Forms.emplace_back(one);
    one->SetFormStyle(fsMDIChild);
    auto* two = New<TProbeForm>(nullptr, CreateNew);
    Forms.emplace_back(two);
    two->SetFormStyle(fsMDIChild);
    PumpMessages();
    EXPECT_TRUE(one->Visible());
    EXPECT_EQ(GetParent(one->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), two);
    EXPECT_GE(two->Count(CM_ACTIVATE), 1);

    int before = one->Count(CM_ACTIVATE);
    SendMessage(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one->Handle()), 0);
    PumpMessages();
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    EXPECT_EQ(one->Count(CM_ACTIVATE), before + 1);
    EXPECT_GE(two->Count(CM_DEACTIVATE), 1);
    EXPECT_EQ(Screen->ActiveCustomForm(), one);

    // Clicking a document activates it as well.
    int twoBefore = two->Count(CM_ACTIVATE);
    one->SetBounds(0, 0, 150, 100);
    two->SetBounds(200, 0, 150, 100);
    TPoint inside = two->ClientToScreen(TPoint{20, 20});
    Backend->Click(inside.X, inside.Y);
    EXPECT_EQ(frame->ActiveMDIChild(), two);
    EXPECT_EQ(two->Count(CM_ACTIVATE), twoBefore + 1);

    // A document can be hidden directly; the other one becomes active.
    two->Hide();
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(two->Handle()));
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    // Closing a document minimises it by default.
    one->Close();
    EXPECT_TRUE(IsIconic(one->Handle()));
}

TEST_F(FormTest, MdiChildStoredMaximizedOpensMaximized) {
    auto* frame = New<TForm>(nullptr, CreateNew);
    Forms.emplace_back(frame);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(0, 0, 600, 400);
    Application->SetMainForm(frame);
    frame->Show();
    for (TWindowState state : {wsMaximized, wsNormal}) {
        auto* child = New<TForm>(nullptr, CreateNew);
        Forms.emplace_back(child);
        child->SetBounds(30, 40, 200, 150);
        child->SetWindowState(state);
        child->SetFormStyle(fsMDIChild);
        PumpMessages();
        EXPECT_EQ(child->WindowState(), state);
        EXPECT_EQ(IsZoomed(child->Handle()), state == wsMaximized);
        if (state == wsMaximized) {
            // It covers the client area.
            TRect client = dw::GetClientRect(child->Handle());
            TRect frameClient = dw::GetClientRect(frame->ClientHandle());
            EXPECT_GE(client.Width(), frameClient.Width() - 4);
            // Restoring it by its system command makes it normal again.
            SendMessage(child->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
            PumpMessages();
            EXPECT_EQ(child->WindowState(), wsNormal);
            EXPECT_FALSE(IsZoomed(child->Handle()));
        }
    }
}

TEST_F(FormTest, MdiChildWithoutFrameRaises) {
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    EXPECT_THROW(form->SetFormStyle(fsMDIChild), EInvalidOperation);
}

TEST_F(FormTest, FrameReadsItsDescriptionAndIsWrittenInline) {
    TForm* form = MakeForm();
    form->SetName("Host");
    auto* frame = New<TStoredFrame>(form);
    frame->SetName("Frame1");
    frame->SetParent(form);
    ASSERT_NE(frame->FrameButton, nullptr);
    EXPECT_EQ(frame->FrameButton->Owner(), frame);
    EXPECT_EQ(frame->FrameButton->Caption(), "In frame");
    EXPECT_EQ(frame->Width(), 160);
    EXPECT_TRUE(frame->HasState(csInline));
    frame->FrameButton->SetCaption("Edited in form");

    TMemoryStream binary, text;
    {
        TWriter writer(binary, 4096);
        writer.WriteRootComponent(form);
    }
    binary.SetPosition(0);
    ObjectBinaryToText(binary, text);
    String written(reinterpret_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
    EXPECT_NE(written.find("inline Frame1: TStoredFrame"), String::npos) << written;
    EXPECT_NE(written.find("Edited in form"), String::npos) << written;

    binary.SetPosition(0);
    TObjectPtr<TForm> copy(New<TForm>(nullptr, CreateNew));
    TReader reader(binary, 4096);
    reader.ReadRootComponent(copy.get());
    auto* frameCopy = As<TStoredFrame>(copy->FindComponent("Frame1"));
    ASSERT_NE(frameCopy, nullptr);
    EXPECT_EQ(frameCopy->Parent(), copy.get());
    ASSERT_NE(frameCopy->FrameButton, nullptr);
    EXPECT_EQ(frameCopy->FrameButton->Caption(), "Edited in form");
    EXPECT_EQ(frameCopy->FrameButton->Parent(), frameCopy);
}

TEST_F(FormTest, DataModuleFromItsDescription) {
    TObjectPtr<TStoredModule> module(New<TStoredModule>(nullptr));
    ASSERT_NE(module->Timer1, nullptr);
    EXPECT_EQ(module->Timer1->Interval(), 250u);
    EXPECT_EQ(module->Creates, 1);
    EXPECT_EQ(module->DesignSize(), (TPoint{215, 150}));
    EXPECT_EQ(FindGlobalComponent("StoredModule"), module.get());
    ASSERT_EQ(Screen->DataModuleCount(), 1);
    EXPECT_EQ(Screen->DataModules(0), module.get());
    module.reset();
    EXPECT_EQ(Screen->DataModuleCount(), 0);
    EXPECT_EQ(FindGlobalComponent("StoredModule"), nullptr);
}

TEST_F(FormTest, MainMenuIsToldAndAskedForShortcuts) {
    TForm* form = MakeForm();
    auto* menu = New<TTestMainMenu>(form);
    form->SetMenu(menu);
    ASSERT_EQ(menu->Attached.size(), 1u);
    EXPECT_EQ(menu->Attached[0], form);
    PressKey(VK_F5);
    EXPECT_EQ(menu->ShortCuts, 1);
    form->SetMenu(nullptr);
    EXPECT_EQ(menu->Detaches, 1);
    form->SetMenu(menu);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
}

} // namespace
} // namespace dw::test
