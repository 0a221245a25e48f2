// A private Xvfb server for the X11 backend's tests (started once per test program, stopped at
// its end), a fixture that skips when there is none, and helpers that act as the user or as
// another program on a connection of their own.
#pragma once

#include "framework/platform/backends/x11/X11Backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

// Last, and its macros that collide with names of ours and of GoogleTest undone; include this
// header after every other.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#ifdef DW_HAVE_XTEST
#include <X11/extensions/XTest.h>
#endif
#undef None
#undef Bool
#undef CursorShape
#undef Expose

namespace dw::test {

constexpr unsigned long XNoneId = 0L;

// Starts Xvfb with -displayfd, so that the server itself picks a display number nobody uses.
class TXvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
    static const String& Display() { return Instance()->FDisplay; }
    static const String& Why() { return Instance()->FWhy; }
    static TXvfbEnvironment* Instance();

private:
    int FPid = -1;
    String FDisplay;
    String FWhy;
};

class X11Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A backend on the test server whose events are collected in Events.
    std::unique_ptr<TX11Backend> NewBackend(TX11Options options = TX11Options());
    // Runs the backend's event loop until pred holds; false after timeoutMs.
    bool PumpUntil(TX11Backend& b, const std::function<bool()>& pred, int timeoutMs = 5000);
    // Shows a window and waits until the server reports it exposed.
    void ShowAndWait(TX11Backend& b, TNativeWindow w, bool activate = false);
    std::vector<TBackendEvent> EventsOf(TBackendEvent::Kind kind) const;
    // Everything typed so far: the text of key-downs and the characters that came alone.
    std::u32string Typed() const;

    // The user, through XTest when it is there (XSendEvent otherwise).
    void MovePointer(int x, int y);
    void Button(unsigned button, bool press, Window target = 0);
    void Key(unsigned long keysym, bool press, unsigned state = 0, Window target = 0);
    TPoint PointerPos();

    // Pixels on the screen as the server has them (0xRRGGBB).
    std::uint32_t ScreenPixel(Window w, int x, int y);

    Display* Raw = nullptr; // a connection of our own, like another program's
    Window RawWindow = 0;   // its window for selection answers
    std::vector<TBackendEvent> Events;
};

// Runs a backend's event loop on another thread, as another program would run its own.
class TPumpThread {
public:
    explicit TPumpThread(TX11Backend& b)
        : FThread([this, &b] {
              while (!FStop) b.WaitForEvents(10);
          }) {}
    ~TPumpThread() {
        FStop = true;
        FThread.join();
    }

private:
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

struct TSelectionAnswer {
    Atom Type = 0;
    int Format = 8;
    std::vector<std::uint8_t> Bytes; // 32-bit items packed as 32-bit values
};

// Asks the CLIPBOARD owner for a target on the raw connection; `pump` runs while it waits (to
// let an owner on this thread answer). Nullopt when refused or after timeoutMs.
std::optional<TSelectionAnswer> RawConvert(Display* d, Window w, Atom target, const std::function<void()>& pump,
                                           int timeoutMs = 3000);

// Another program owning CLIPBOARD on a connection and thread of its own. The handler answers a
// target with data (nullopt refuses); with `silent` it never answers at all.
class TForeignOwner {
public:
    using THandler = std::function<std::optional<TSelectionAnswer>(const String& target)>;
    TForeignOwner(const String& display, std::vector<String> targets, THandler handler, bool silent = false);
    ~TForeignOwner();
    bool Owns() const { return FOwns; }
    // Whether the owner has heard that it lost the selection.
    bool Cleared() const { return FCleared; }

private:
    void Run();
    Display* FDisplay = nullptr;
    Window FWindow = 0;
    std::vector<String> FTargets;
    THandler FHandler;
    bool FSilent;
    std::atomic<bool> FOwns{false};
    std::atomic<bool> FCleared{false};
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

std::vector<std::uint8_t> Bytes(std::string_view s);

} // namespace dw::test
