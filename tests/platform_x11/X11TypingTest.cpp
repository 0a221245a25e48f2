// Typing as a person types: real key presses (XTest) on the X server reach an edit, a memo, a
// combo box and a file dialog's name field through the whole program (backend, message loop,
// TranslateMessage, controls), and each key types its character once.
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "tests/platform_x11/X11Fixture.h"

#include <X11/keysym.h>

#include <filesystem>

namespace dw::test {
namespace {

class X11TypingTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) return;
        SetBackend(std::make_unique<TX11Backend>(TXvfbEnvironment::Display()));
        Form.reset(New<TForm>(nullptr, CreateNew));
        Form->SetBounds(40, 40, 360, 260);
        Form->SetCaption("Typing");
    }
    void TearDown() override {
        DialogScript().Clear();
        Form.reset();
        if (!IsSkipped()) SetBackend(std::make_unique<THeadlessBackend>());
        X11Test::TearDown();
    }

    // The program's loop runs until pred holds (false after timeoutMs).
    bool Run(const std::function<bool()>& pred, int timeoutMs = 5000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!pred()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            Application->ProcessMessages();
            CurrentBackend().WaitForEvents(10);
        }
        return true;
    }
    Window XidOf(HWND h) { return static_cast<Window>(WM().Find(h)->Native); }
    void ShowAndFocus(TWinControl* control) {
        Form->Show();
        Window xid = XidOf(Form->Handle());
        ASSERT_TRUE(Run([&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(Raw, &focus, &revert);
            return focus == xid;
        })) << "the form never got the keyboard "
            << xid << " visible " << IsWindowVisible(Form->Handle()) << " active "
            << (GetActiveWindow() == Form->Handle());
        control->SetFocus();
        Application->ProcessMessages();
    }
    void Press(unsigned long keysym, bool shift = false) {
        if (shift) Key(XK_Shift_L, true);
        Key(keysym, true);
        Key(keysym, false);
        if (shift) Key(XK_Shift_L, false);
    }
    void TypeAscii(const String& text) {
        for (char c : text) Press(static_cast<unsigned long>(static_cast<unsigned char>(c)));
    }

    TObjectPtr<TForm> Form;
};

TEST_F(X11TypingTest, EachKeyTypesOnceInEditsMemosAndComboBoxes) {
    auto* edit = New<TEdit>(Form.get());
    edit->SetBounds(10, 10, 200, 21);
    edit->SetParent(Form.get());
    auto* memo = New<TMemo>(Form.get());
    memo->SetBounds(10, 40, 200, 80);
    memo->SetParent(Form.get());
    auto* combo = New<TComboBox>(Form.get());
    combo->SetBounds(10, 130, 200, 21);
    combo->SetParent(Form.get());
    struct TCase {
        const char* Title;
        TWinControl* Control;
        std::function<String()> Text;
    };
    const TCase cases[] = {
        {"edit", edit, [&] { return edit->Text(); }},
        {"memo", memo, [&] { return memo->Text(); }},
        {"combo box", combo, [&] { return combo->Text(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        ShowAndFocus(c.Control);
        TypeAscii("designcopyx");
        Press(XK_BackSpace); // one character goes
        Press(XK_a, true);
        EXPECT_TRUE(Run([&] { return c.Text() == "designcopyA"; })) << c.Text();
        // Nothing more arrives later.
        Run([] { return false; }, 100);
        EXPECT_EQ(c.Text(), "designcopyA");
    }
}

TEST_F(X11TypingTest, CharactersBeyondAsciiAndDeadKeysTypeOnce) {
    auto* edit = New<TEdit>(Form.get());
    edit->SetBounds(10, 10, 200, 21);
    edit->SetParent(Form.get());
    // A layout with é on one key and a dead acute on another, on keys nobody uses.
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(Raw, &minCode, &maxCode);
    KeySym eacute = XK_eacute, dead = XK_dead_acute;
    XChangeKeyboardMapping(Raw, maxCode, 1, &eacute, 1);
    XChangeKeyboardMapping(Raw, maxCode - 1, 1, &dead, 1);
    XSync(Raw, False);
    ShowAndFocus(edit);
    Run([] { return false; }, 100); // the mapping change reaches the program first
    Press(XK_eacute);
    Press(XK_t);
    Press(XK_dead_acute);
    Press(XK_e);
    bool typed = Run([&] { return edit->Text() == "\xC3\xA9t\xC3\xA9"; });
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(Raw, maxCode, 1, &none, 1);
    XChangeKeyboardMapping(Raw, maxCode - 1, 1, &none, 1);
    XSync(Raw, False);
    EXPECT_TRUE(typed) << edit->Text();
    Run([] { return false; }, 100);
    EXPECT_EQ(edit->Text(), "\xC3\xA9t\xC3\xA9");
}

TEST_F(X11TypingTest, TheFileDialogsNameFieldTakesTypedNames) {
    TObjectPtr<TSaveDialog> dialog(New<TSaveDialog>(nullptr));
    String folder = (std::filesystem::temp_directory_path() / "draftwell-x11-typing").string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    dialog->SetInitialDir(folder);
    dialog->SetDefaultExt("dfm");
    Form->Show();
    DialogScript().Handle(TDialogKind::SaveDialog, [&](TForm* box) {
        Window xid = XidOf(box->Handle());
        Run([&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(Raw, &focus, &revert);
            return focus == xid;
        });
        TypeAscii("designcopy");
        Press(XK_Return);
    });
    bool accepted = false;
    ASSERT_NO_THROW(accepted = dialog->Execute());
    EXPECT_TRUE(accepted);
    EXPECT_EQ(std::filesystem::path(dialog->FileName()).filename().string(), "designcopy.dfm");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace dw::test
