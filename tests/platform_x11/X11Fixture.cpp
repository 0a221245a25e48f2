// The Xvfb environment and the helpers of the X11 tests.
#include "tests/platform_x11/X11Fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace dw::test {

namespace {

TXvfbEnvironment* gEnvironment = nullptr;
[[maybe_unused]] auto* gRegistered = ::testing::AddGlobalTestEnvironment(new TXvfbEnvironment);

String FindProgram(const char* name) {
    const char* path = std::getenv("PATH");
    String dirs = String(path ? path : "") + ":/usr/bin:/usr/local/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == String::npos) end = dirs.size();
        String candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return String();
}

} // namespace

TXvfbEnvironment* TXvfbEnvironment::Instance() {
    return gEnvironment;
}

void TXvfbEnvironment::SetUp() {
    gEnvironment = this;
    // Some tests run a second connection on a thread of its own.
    XInitThreads();
    String program = FindProgram("Xvfb");
    if (program.empty()) {
        FWhy = "Xvfb is not installed (tools/setup.sh installs the xvfb package)";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        FWhy = "no pipe for Xvfb's display number";
        return;
    }
    String fdArg = std::to_string(fds[1]);
    FPid = fork();
    if (FPid == 0) {
        close(fds[0]);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execl(program.c_str(), "Xvfb", "-displayfd", fdArg.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
              "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (FPid < 0) {
        close(fds[0]);
        FWhy = "could not start Xvfb";
        return;
    }
    // Xvfb writes the display number once it accepts connections.
    String number;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (number.find('\n') == String::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) continue;
        char buf[16];
        ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        number.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (number.find('\n') == String::npos) {
        FWhy = "Xvfb did not report a display";
        TearDown();
        return;
    }
    FDisplay = ":" + number.substr(0, number.find('\n'));
}

void TXvfbEnvironment::TearDown() {
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        int status = 0;
        waitpid(FPid, &status, 0);
        FPid = -1;
    }
}

// ---------------------------------------------------------------------------------------------

void X11Test::SetUp() {
    if (TXvfbEnvironment::Display().empty()) GTEST_SKIP() << TXvfbEnvironment::Why();
    Raw = XOpenDisplay(TXvfbEnvironment::Display().c_str());
    ASSERT_NE(Raw, nullptr);
    XSetWindowAttributes a{};
    a.event_mask = PropertyChangeMask;
    RawWindow = XCreateWindow(Raw, DefaultRootWindow(Raw), 0, 0, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                              CWEventMask, &a);
    // Every test starts with the pointer in a corner and an empty clipboard.
    XSetSelectionOwner(Raw, XInternAtom(Raw, "CLIPBOARD", False), XNoneId, CurrentTime);
    XWarpPointer(Raw, XNoneId, DefaultRootWindow(Raw), 0, 0, 0, 0, 1, 1);
    XSync(Raw, False);
}

void X11Test::TearDown() {
    if (Raw) {
        XDestroyWindow(Raw, RawWindow);
        XCloseDisplay(Raw);
        Raw = nullptr;
    }
}

std::unique_ptr<TX11Backend> X11Test::NewBackend(TX11Options options) {
    auto b = std::make_unique<TX11Backend>(TXvfbEnvironment::Display(), options);
    b->SetEventSink([this](const TBackendEvent& e) { Events.push_back(e); });
    return b;
}

bool X11Test::PumpUntil(TX11Backend& b, const std::function<bool()>& pred, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        b.WaitForEvents(20);
    }
    return true;
}

void X11Test::ShowAndWait(TX11Backend& b, TNativeWindow w, bool activate) {
    b.ShowNativeWindow(w, true, activate);
    bool exposed = PumpUntil(b, [&] {
        for (auto& e : Events)
            if (e.kind == TBackendEvent::Expose && e.window == w) return true;
        return false;
    });
    ASSERT_TRUE(exposed) << "the window was never exposed";
}

std::vector<TBackendEvent> X11Test::EventsOf(TBackendEvent::Kind kind) const {
    std::vector<TBackendEvent> out;
    for (auto& e : Events)
        if (e.kind == kind) out.push_back(e);
    return out;
}

std::u32string X11Test::Typed() const {
    std::u32string typed;
    for (auto& e : Events) {
        if (e.kind == TBackendEvent::KeyDown) typed += e.text;
        if (e.kind == TBackendEvent::Char) typed += e.ch;
    }
    return typed;
}

namespace {

// The window under a screen point (the deepest top-level), for synthesised events.
[[maybe_unused]] Window WindowAt(Display* d, int x, int y) {
    Window root = DefaultRootWindow(d), child = 0;
    int wx = 0, wy = 0;
    XTranslateCoordinates(d, root, root, x, y, &wx, &wy, &child);
    return child ? child : root;
}

} // namespace

void X11Test::MovePointer(int x, int y) {
#ifdef DW_HAVE_XTEST
    XTestFakeMotionEvent(Raw, -1, x, y, CurrentTime);
#else
    XWarpPointer(Raw, XNoneId, DefaultRootWindow(Raw), 0, 0, 0, 0, x, y);
#endif
    XSync(Raw, False);
}

void X11Test::Button(unsigned button, bool press, Window target) {
#ifdef DW_HAVE_XTEST
    (void)target;
    XTestFakeButtonEvent(Raw, button, press ? True : False, CurrentTime);
#else
    TPoint p = PointerPos();
    Window w = target ? target : WindowAt(Raw, p.X, p.Y);
    XEvent ev{};
    ev.xbutton.type = press ? ButtonPress : ButtonRelease;
    ev.xbutton.window = w;
    ev.xbutton.root = DefaultRootWindow(Raw);
    ev.xbutton.button = button;
    ev.xbutton.x_root = p.X;
    ev.xbutton.y_root = p.Y;
    ev.xbutton.time = CurrentTime;
    ev.xbutton.same_screen = True;
    XSendEvent(Raw, w, True, press ? ButtonPressMask : ButtonReleaseMask, &ev);
#endif
    XSync(Raw, False);
}

void X11Test::Key(unsigned long keysym, bool press, unsigned state, Window target) {
    KeyCode code = XKeysymToKeycode(Raw, keysym);
    ASSERT_NE(code, 0) << "no key types keysym " << keysym;
#ifdef DW_HAVE_XTEST
    (void)state;
    (void)target;
    XTestFakeKeyEvent(Raw, code, press ? True : False, CurrentTime);
#else
    Window focus = target;
    int revert = 0;
    if (!focus) XGetInputFocus(Raw, &focus, &revert);
    XEvent ev{};
    ev.xkey.type = press ? KeyPress : KeyRelease;
    ev.xkey.window = focus;
    ev.xkey.root = DefaultRootWindow(Raw);
    ev.xkey.keycode = code;
    ev.xkey.state = state;
    ev.xkey.time = CurrentTime;
    ev.xkey.same_screen = True;
    XSendEvent(Raw, focus, True, press ? KeyPressMask : KeyReleaseMask, &ev);
#endif
    XSync(Raw, False);
}

TPoint X11Test::PointerPos() {
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(Raw, DefaultRootWindow(Raw), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

std::uint32_t X11Test::ScreenPixel(Window w, int x, int y) {
    XImage* img = XGetImage(Raw, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0xFFFFFFFFu;
    std::uint32_t p = static_cast<std::uint32_t>(XGetPixel(img, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(img);
    return p;
}

// ---------------------------------------------------------------------------------------------

namespace {

std::optional<TSelectionAnswer> ReadProperty(Display* d, Window w, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1 << 24, True, AnyPropertyType, &type, &format, &count, &after, &data) !=
        Success)
        return std::nullopt;
    TSelectionAnswer a;
    a.Type = type;
    a.Format = format;
    if (data) {
        if (format == 8) {
            a.Bytes.assign(data, data + count);
        } else if (format == 32) {
            for (unsigned long i = 0; i < count; ++i) {
                auto v = static_cast<std::uint32_t>(reinterpret_cast<long*>(data)[i]);
                auto* p = reinterpret_cast<std::uint8_t*>(&v);
                a.Bytes.insert(a.Bytes.end(), p, p + 4);
            }
        }
        XFree(data);
    }
    return a;
}

} // namespace

std::optional<TSelectionAnswer> RawConvert(Display* d, Window w, Atom target, const std::function<void()>& pump,
                                           int timeoutMs) {
    Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    Atom property = XInternAtom(d, "DW_TEST_ANSWER", False);
    XDeleteProperty(d, w, property);
    XConvertSelection(d, clipboard, target, property, w, CurrentTime);
    XFlush(d);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (pump) pump();
        XEvent ev;
        while (XCheckTypedWindowEvent(d, w, SelectionNotify, &ev)) {
            if (ev.xselection.target != target) continue;
            if (ev.xselection.property == XNoneId) return std::nullopt;
            return ReadProperty(d, w, ev.xselection.property);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

TForeignOwner::TForeignOwner(const String& display, std::vector<String> targets, THandler handler, bool silent)
    : FTargets(std::move(targets)), FHandler(std::move(handler)), FSilent(silent) {
    FDisplay = XOpenDisplay(display.c_str());
    if (!FDisplay) return;
    FWindow = XCreateWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, CopyFromParent, InputOnly,
                            CopyFromParent, 0, nullptr);
    Atom clipboard = XInternAtom(FDisplay, "CLIPBOARD", False);
    XSetSelectionOwner(FDisplay, clipboard, FWindow, CurrentTime);
    FOwns = XGetSelectionOwner(FDisplay, clipboard) == FWindow;
    FThread = std::thread([this] { Run(); });
}

TForeignOwner::~TForeignOwner() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    if (FDisplay) {
        XDestroyWindow(FDisplay, FWindow);
        XCloseDisplay(FDisplay);
    }
}

void TForeignOwner::Run() {
    Atom targetsAtom = XInternAtom(FDisplay, "TARGETS", False);
    while (!FStop) {
        while (XPending(FDisplay) > 0) {
            XEvent ev;
            XNextEvent(FDisplay, &ev);
            if (ev.type == SelectionClear) {
                FCleared = true;
                continue;
            }
            if (ev.type != SelectionRequest || FSilent) continue;
            const XSelectionRequestEvent& req = ev.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = req.requestor;
            reply.xselection.selection = req.selection;
            reply.xselection.target = req.target;
            reply.xselection.time = req.time;
            reply.xselection.property = XNoneId;
            if (req.target == targetsAtom) {
                std::vector<long> atoms{static_cast<long>(targetsAtom)};
                for (auto& t : FTargets) atoms.push_back(static_cast<long>(XInternAtom(FDisplay, t.c_str(), False)));
                XChangeProperty(FDisplay, req.requestor, req.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
                reply.xselection.property = req.property;
            } else {
                char* name = XGetAtomName(FDisplay, req.target);
                auto answer = FHandler(name ? String(name) : String());
                if (name) XFree(name);
                if (answer) {
                    if (answer->Format == 32) {
                        std::vector<long> items;
                        for (std::size_t i = 0; i + 4 <= answer->Bytes.size(); i += 4) {
                            std::uint32_t v;
                            std::memcpy(&v, answer->Bytes.data() + i, 4);
                            items.push_back(v);
                        }
                        XChangeProperty(FDisplay, req.requestor, req.property, answer->Type, 32, PropModeReplace,
                                        reinterpret_cast<unsigned char*>(items.data()), static_cast<int>(items.size()));
                    } else {
                        XChangeProperty(FDisplay, req.requestor, req.property, answer->Type, 8, PropModeReplace,
                                        answer->Bytes.data(), static_cast<int>(answer->Bytes.size()));
                    }
                    reply.xselection.property = req.property;
                }
            }
            XSendEvent(FDisplay, req.requestor, False, NoEventMask, &reply);
            XFlush(FDisplay);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

} // namespace dw::test
