#include "ShellFixture.h"

#include "app/Shell.h"
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/menus/Menus.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dw::test {

namespace {

class TExceptionSink : public TObject {
public:
    std::vector<String>* Shown = nullptr;
    void Show(TObject* sender, Exception& e) {
        (void)sender;
        Shown->push_back(e.Message());
    }
};

TExceptionSink ExceptionSink;

} // namespace

void ShellTest::SetUp() {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    SetBackend(std::move(backend));
    InitializeShell();
    DialogScript().Clear();
    ExceptionSink.Shown = &Shown;
    Application->OnException = MakeMethod<&TExceptionSink::Show>(&ExceptionSink);
    Main = New<TMDIForm>(nullptr);
    Application->SetMainForm(Main);
    Main->Show();
    Process();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    TempDir = (std::filesystem::temp_directory_path() /
               ("draftwell-" + String(info->test_suite_name()) + "-" + String(info->name())))
                  .string();
    std::filesystem::remove_all(TempDir);
    std::filesystem::create_directories(TempDir);
}

void ShellTest::TearDown() {
    EXPECT_EQ(DialogScript().Pending(), 0) << "a scripted dialog answer was not used";
    DialogScript().Clear();
    if (Main) Main->Free();
    Main = nullptr;
    Application->OnException.Clear();
    Application->SetMainForm(nullptr);
    FinalizeShell();
    SetBackend(std::make_unique<THeadlessBackend>());
    std::filesystem::remove_all(TempDir);
}

void ShellTest::Process() {
    Application->ProcessMessages();
    Application->Idle(false);
    PumpMessages();
}

void ShellTest::ClickAt(TControl* control, int x, int y) {
    // Clicks of a test are separate clicks, never halves of a double click.
    Backend->SkipTime(DoubleClickTime + 1);
    TPoint p = control->ClientToScreen(TPoint{x, y});
    Backend->Click(p.X, p.Y);
    Process();
}

void ShellTest::ClickToolButton(TBasicAction* action) {
    for (TToolBar* bar : {Main->ToolBar1, Main->ToolBar2, Main->ToolBar3})
        for (int i = 0; i < bar->ButtonCount(); ++i)
            if (bar->Buttons(i)->Action() == action) return ClickCentre(bar->Buttons(i));
    FAIL() << "no tool button for " << action->Name();
}

void ShellTest::ChooseMenuItem(int barIndex, int itemIndex) {
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    TIdleSteps steps;
    if (itemIndex >= 0)
        steps.When([] { return !OpenDropDownWindows().empty(); },
                   [&] {
                       TPoint p = centre(DropDownItemRect(0, itemIndex));
                       Backend->InjectMouseMove(p.X, p.Y);
                       Backend->InjectMouseDown();
                       Backend->InjectMouseUp();
                   });
    Backend->SkipTime(DoubleClickTime + 1);
    TPoint p = centre(Main->MainMenu1->ItemRect(Main, barIndex));
    Backend->InjectMouseMove(p.X, p.Y);
    PumpMessages();
    Backend->InjectMouseDown();
    if (itemIndex < 0) Backend->InjectMouseUp();
    PumpMessages();
    EXPECT_EQ(steps.Left(), 0) << "the drop-down did not open";
    if (itemIndex >= 0) Backend->InjectMouseUp();
    Process();
}

void ShellTest::ClickTab(TCustomTabControl* tabs, int index) {
    TRect r = tabs->TabRect(index);
    ClickAt(tabs, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

TMDIChild* ShellTest::NewDocument() {
    int before = Main->MDIChildCount();
    ClickToolButton(Main->FileNew);
    EXPECT_EQ(Main->MDIChildCount(), before + 1);
    return Main->ActiveDocument();
}

void ShellTest::AnswerOpen(const String& fileName) {
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, fileName);
}

void ShellTest::AnswerSave(const String& fileName) {
    DialogScript().AnswerFileName(TDialogKind::SaveDialog, fileName);
}

String ShellTest::TempPath(const String& name) {
    return (std::filesystem::path(TempDir) / name).string();
}

void ShellTest::WriteText(const String& fileName, const String& text) {
    std::ofstream out(fileName, std::ios::binary);
    out << text;
}

String ShellTest::ReadText(const String& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace dw::test
