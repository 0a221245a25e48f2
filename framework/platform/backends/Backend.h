// TBackend: what the window manager needs from a display system (native top-level windows,
// presenting their surfaces, cursor, pointer confinement, clipboard, clock, input events), and the
// factory that picks the backend for this run.
#pragma once

#include "framework/platform/Types.h"
#include "framework/rtl/SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dw {

class TSurface;

using TNativeWindow = std::uintptr_t;

// Cursor shapes a backend can show. The window manager's HCURSOR values stand for these.
enum class TCursorShape {
    None,
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    Help,
    Drag,
    NoDrop,
    MultiDrag,
    HSplit,
    VSplit,
};

enum class TMouseButton { Left = 1, Right = 2, Middle = 3 };

// One input or window event, as the backend delivers it. Positions are screen coordinates;
// time is the backend clock in milliseconds.
struct TBackendEvent {
    // Char: a character that no key-down carries (an input method's composed text).
    // Minimized, Restored: the desktop iconified the window or brought it back (its own controls).
    enum Kind {
        MouseMove,
        MouseDown,
        MouseUp,
        MouseWheel,
        KeyDown,
        KeyUp,
        Char,
        Expose,
        Close,
        FocusLost,
        Minimized,
        Restored
    };
    Kind kind = MouseMove;
    TNativeWindow window = 0;
    TPoint pos;
    TMouseButton button = TMouseButton::Left;
    int key = 0;     // virtual key of KeyDown and KeyUp
    char32_t ch = 0; // the character of Char events
    // KeyDown of a backend that knows its keyboard layout: the characters the key types there
    // (none for keys that type nothing). TranslateMessage makes the character messages from
    // them; without it the key's character comes from the classic US layout.
    bool translated = false;
    std::u32string text;
    int wheelDelta = 0; // multiples of 120 per notch, positive away from the user
    TRect rect;         // the exposed area of Expose, in window coordinates
    std::uint32_t time = 0;
};

// Flags of a native top-level window.
struct TNativeWindowFlags {
    bool popup = false; // no decorations of the desktop and not managed by it
    bool topmost = false;
    bool noActivate = false;
};

class TBackend {
public:
    using TEventSink = std::function<void(const TBackendEvent&)>;

    virtual ~TBackend() = default;

    // The window manager installs itself here; events go to it in the order they happen.
    void SetEventSink(TEventSink sink) { FSink = std::move(sink); }

    virtual TSize ScreenSize() const = 0;

    virtual TNativeWindow CreateNativeWindow(const TRect& screenRect, TNativeWindowFlags flags) = 0;
    virtual void DestroyNativeWindow(TNativeWindow w) = 0;
    virtual void ShowNativeWindow(TNativeWindow w, bool show, bool activate) = 0;
    virtual void MoveNativeWindow(TNativeWindow w, const TRect& screenRect) = 0;
    // Stacking of all native windows, frontmost first.
    virtual void RestackNativeWindows(const std::vector<TNativeWindow>& frontToBack) = 0;
    // The window's shape in window coordinates; null for rectangular.
    virtual void SetNativeWindowShape(TNativeWindow w, const std::vector<TRect>* shape) = 0;
    virtual void SetNativeWindowTitle(TNativeWindow w, const String& title) = 0;
    virtual void SetNativeWindowFlags(TNativeWindow w, TNativeWindowFlags flags) = 0;
    // Whether a desktop window manager runs that can iconify windows (and give them back). Without
    // one the framework shows a minimized window as a caption bar at the bottom of the screen.
    virtual bool HasWindowManager() { return false; }
    // Asks the window manager to iconify a shown window; ShowNativeWindow brings it back.
    virtual void IconifyNativeWindow(TNativeWindow w) { (void)w; }
    // The surface holding the window's pixels; it stays valid until the next call for the window
    // or until the window is destroyed.
    virtual void SetNativeWindowSurface(TNativeWindow w, TSurface* surface) = 0;
    // The area (window coordinates) of the surface changed and should reach the display.
    virtual void PresentRect(TNativeWindow w, const TRect& rect) = 0;

    virtual void SetCursorShape(TCursorShape shape) = 0;
    // Confines the pointer to a screen rectangle, or frees it (null).
    virtual void ConfinePointer(const TRect* screenRect) = 0;
    virtual void WarpPointer(TPoint screenPos) = 0;

    // Milliseconds on the backend's clock.
    virtual std::uint32_t TickCount() const = 0;
    // Delivers pending native events to the sink without waiting.
    virtual void PollEvents() = 0;
    // Waits at most timeoutMs (negative: no limit) for an event and delivers what arrived. Returns
    // false when no event can ever arrive (a headless screen with nobody injecting input).
    virtual bool WaitForEvents(int timeoutMs) = 0;

    // Clipboard by format name; the X11 backend fills these in. The default keeps a private
    // clipboard inside this program.
    virtual void SetClipboardData(const String& format, std::vector<std::uint8_t> data);
    virtual std::optional<std::vector<std::uint8_t>> GetClipboardData(const String& format) const;
    virtual std::vector<String> ClipboardFormats() const;
    virtual void EmptyClipboard();

protected:
    void Deliver(const TBackendEvent& e) const {
        if (FSink) FSink(e);
    }

private:
    TEventSink FSink;
    std::vector<std::pair<String, std::vector<std::uint8_t>>> FClipboard;
};

// Creates the backend for this run: the X11 backend when DISPLAY is set and one is linked in
// (it registers itself with RegisterX11BackendFactory), otherwise the headless backend.
std::unique_ptr<TBackend> CreateDefaultBackend();
void RegisterX11BackendFactory(std::function<std::unique_ptr<TBackend>()> factory);

// Installs a backend for the window manager. Every window is destroyed first, the queue, timers
// and input state are cleared; window classes and registered messages stay. Tests install a
// headless backend this way; null installs the default backend. Until a backend is installed,
// the first use of the window manager installs the default one.
void SetBackend(std::unique_ptr<TBackend> backend);
TBackend& CurrentBackend();

} // namespace dw
