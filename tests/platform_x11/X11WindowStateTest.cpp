// Minimize and restore of a form on the X server, with a real window manager (twm) and without
// one: the window never becomes unreachable.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "tests/platform_x11/X11Fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace dw::test {
namespace {

// twm on the test server for one test; stopped (and its windows given back) at the end.
class TTwm {
public:
    TTwm() {
        if (access("/usr/bin/twm", X_OK) != 0) return;
        // The test server has only the built-in "fixed" fonts; twm's own choices are not there.
        FConfig = "/tmp/draftwell-twmrc-" + std::to_string(getpid());
        if (std::FILE* f = std::fopen(FConfig.c_str(), "w")) {
            std::fputs("TitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\nIconFont \"fixed\"\n"
                       "IconManagerFont \"fixed\"\n",
                       f);
            std::fclose(f);
        }
        FPid = fork();
        if (FPid == 0) {
            setenv("DISPLAY", TXvfbEnvironment::Display().c_str(), 1);
            int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            execl("/usr/bin/twm", "twm", "-f", FConfig.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~TTwm() {
        if (!FConfig.empty()) std::remove(FConfig.c_str());
        if (FPid <= 0) return;
        kill(FPid, SIGTERM);
        int status = 0;
        waitpid(FPid, &status, 0);
    }
    // Whether a window manager runs, as the program sees it.
    bool Running() const { return CurrentBackend().HasWindowManager(); }

private:
    pid_t FPid = -1;
    String FConfig;
};

class X11WindowStateTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) return;
        SetBackend(std::make_unique<TX11Backend>(TXvfbEnvironment::Display()));
    }
    void TearDown() override {
        Form.reset();
        if (!IsSkipped()) SetBackend(std::make_unique<THeadlessBackend>());
        X11Test::TearDown();
    }
    bool Run(const std::function<bool()>& pred, int timeoutMs = 5000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!pred()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            Application->ProcessMessages();
            CurrentBackend().WaitForEvents(10);
        }
        return true;
    }
    void ShowForm() {
        Form.reset(New<TForm>(nullptr, CreateNew));
        Form->SetBounds(100, 100, 300, 200);
        Form->SetCaption("Minimize me");
        Form->Show();
        Xid = static_cast<Window>(WM().Find(Form->Handle())->Native);
        ASSERT_TRUE(Run([&] { return Viewable(); })) << "the form never showed";
    }
    bool Viewable() {
        XWindowAttributes a{};
        return XGetWindowAttributes(Raw, Xid, &a) && a.map_state == IsViewable;
    }
    // WM_STATE as the window manager keeps it: 1 normal, 3 iconic, 0 none (withdrawn).
    long WmState() {
        Atom wmState = XInternAtom(Raw, "WM_STATE", False);
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        long state = 0;
        if (XGetWindowProperty(Raw, Xid, wmState, 0, 2, False, wmState, &type, &format, &n, &after, &data) == Success &&
            data) {
            if (n >= 1) state = reinterpret_cast<long*>(data)[0];
            XFree(data);
        }
        return state;
    }

    TObjectPtr<TForm> Form;
    Window Xid = 0;
};

TEST_F(X11WindowStateTest, UnderAWindowManagerMinimizeIconifiesAndEitherSideRestores) {
    TTwm twm;
    if (!twm.Running()) GTEST_SKIP() << "twm is not installed (tools/setup.sh installs it)";
    ShowForm();
    ASSERT_TRUE(Run([&] { return WmState() == NormalState; }));

    // The program minimizes: the desktop holds an icon, the window is not withdrawn.
    Form->SetWindowState(wsMinimized);
    EXPECT_TRUE(Run([&] { return WmState() == IconicState && !Viewable(); })) << "state " << WmState();
    // The desktop gives it back (its icon clicked): the form is restored.
    XMapWindow(Raw, Xid);
    XSync(Raw, False);
    EXPECT_TRUE(Run([&] { return Form->WindowState() == wsNormal && Viewable(); }));

    // The desktop iconifies it (a task bar's button): the form knows it is minimized.
    XIconifyWindow(Raw, Xid, DefaultScreen(Raw));
    XSync(Raw, False);
    EXPECT_TRUE(Run([&] { return Form->WindowState() == wsMinimized; }));
    // The program restores it.
    Form->SetWindowState(wsNormal);
    EXPECT_TRUE(Run([&] { return WmState() == NormalState && Viewable(); })) << "state " << WmState();
    EXPECT_EQ(Form->Width(), 300);
}

TEST_F(X11WindowStateTest, WithoutAWindowManagerAMinimizedWindowStaysReachable) {
    ShowForm();
    Form->SetWindowState(wsMinimized);
    Run([] { return false; }, 100);
    // A caption bar at the bottom of the screen, still on the screen.
    EXPECT_TRUE(Viewable());
    XWindowAttributes a{};
    XGetWindowAttributes(Raw, Xid, &a);
    EXPECT_LE(a.height, 40);
    EXPECT_GE(a.y + a.height, DisplayHeight(Raw, DefaultScreen(Raw)) - 40);
    Form->SetWindowState(wsNormal);
    EXPECT_TRUE(Run([&] {
        XWindowAttributes b{};
        XGetWindowAttributes(Raw, Xid, &b);
        return b.width == 300 && b.height == 200 && b.map_state == IsViewable;
    }));
}

} // namespace
} // namespace dw::test
