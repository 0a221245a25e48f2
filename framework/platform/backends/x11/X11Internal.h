// The X11 backend's state, shared by its sources (windows and input in X11Backend.cpp, the
// selection in X11Clipboard.cpp). Not for use outside framework/platform/backends/x11.
#pragma once

#include "framework/platform/backends/x11/X11Backend.h"
#include "framework/platform/gdi/Surface.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

// Xlib's None and Expose macros collide with TCursorShape::None and TBackendEvent::Expose.
constexpr unsigned long XNone = None;
constexpr int XEventExpose = Expose;
#undef None
#undef Expose

#include <chrono>
#include <map>
#include <optional>
#include <vector>

namespace dw {

// Xlib reports protocol errors through one process-wide handler; the backend installs one that
// records them (per thread) instead of ending the program. A trap clears the record, and after an
// XSync tells whether a request inside it failed.
class TX11ErrorTrap {
public:
    explicit TX11ErrorTrap(Display* display);
    // Syncs and returns the first error code seen since construction (0 for none).
    int Check();

private:
    Display* FDisplay;
};

struct TX11Window {
    Window Xid = 0;
    TRect Rect; // screen
    TNativeWindowFlags Flags;
    TSurface* Surface = nullptr;
    bool Mapped = false;   // as requested
    bool Viewable = false; // MapNotify seen
    bool FocusOnMap = false;
    bool Iconic = false; // iconified by request or by the desktop; mapped again to restore
    XIC InputContext = nullptr;
    TRect PendingExpose; // accumulated until the last Expose of a series
};

struct TX11Backend::TImpl {
    TX11Backend* Owner = nullptr;
    TX11Options Options;
    Display* Dpy = nullptr;
    int Screen = 0;
    Window Root = 0;
    Visual* Vis = nullptr;
    int Depth = 0;
    GC Gc = nullptr;
    std::map<Window, TX11Window> Windows;
    std::chrono::steady_clock::time_point Epoch;

    // Pixels to the server.
    bool FastPixels = false; // the visual takes our 0xAARRGGBB words as they are
    bool Shm = false;
    XShmSegmentInfo ShmInfo{};
    XImage* ShmImage = nullptr;
    bool ShmBusy = false; // the server may still be reading the segment

    // Input.
    XIM InputMethod = nullptr;
    bool HaveTimeOffset = false;
    std::uint32_t TimeOffset = 0;
    Time LastServerTime = CurrentTime;
    TCursorShape CurrentCursor = TCursorShape::Arrow;
    std::map<TCursorShape, Cursor> Cursors;
    Window ConfineWindow = 0;
    std::optional<TRect> Confine;
    bool PointerGrabbed = false;
    bool NetActiveWindow = false; // a desktop window manager that activates on request runs
    int ShapeEvent = -1;          // the SHAPE extension's first event, -1 without it

    // Atoms.
    Atom WmProtocols = 0, WmDeleteWindow = 0, NetWmPing = 0, NetWmName = 0, Utf8String = 0, NetWmState = 0,
         NetWmStateAbove = 0, NetWmWindowType = 0, NetWmWindowTypeNormal = 0, NetWmWindowTypePopup = 0,
         MotifWmHints = 0, NetActiveWindowAtom = 0, NetWmPid = 0, NetWmUserTime = 0;
    Atom Clipboard = 0, Targets = 0, TimestampAtom = 0, Multiple = 0, Incr = 0, TextAtom = 0, TextPlainUtf8 = 0,
         TextPlain = 0, CompoundText = 0, SelectionProperty = 0, TimestampProperty = 0;

    // Clipboard: the selection owner window, and the formats it offers while it owns CLIPBOARD.
    Window SelectionWindow = 0;
    bool OwnsClipboard = false;
    Time OwnershipTime = CurrentTime;
    std::vector<std::pair<String, std::vector<std::uint8_t>>> Offered;
    // The owner whose last answer timed out, left alone until SilentUntil.
    static constexpr int SilentOwnerPauseMs = 3000;
    Window SilentOwner = 0;
    std::chrono::steady_clock::time_point SilentUntil;

    Atom Intern(const char* name) const;
    String AtomName(Atom a) const;
    std::uint32_t Now() const;
    std::uint32_t MapTime(Time serverTime);
    TX11Window* Find(Window w);
    TX11Window& Get(TNativeWindow w);

    bool IsIconicOnDesktop(Window xid);
    Atom WmState = 0;
    void Dispatch(XEvent& ev);
    void Push(TX11Window& w, TRect rect);
    void PutRows(TX11Window& w, const TRect& r);
    void WaitShmIdle();
    void ApplyWindowFlags(TX11Window& w);
    void ApplyCursor();
    Cursor CursorFor(TCursorShape shape);
    Time ServerTime();

    // Selection (X11Clipboard.cpp).
    void HandleSelectionRequest(const XSelectionRequestEvent& req);
    void HandleSelectionClear(const XSelectionClearEvent& ev);
    void TakeClipboard();
    // Asks the current owner for a target; nullopt on refusal, time-out, INCR or no owner.
    std::optional<std::vector<std::uint8_t>> Request(Atom target, std::chrono::steady_clock::time_point deadline,
                                                     Atom* replyType = nullptr);
    std::vector<Atom> RequestTargets(std::chrono::steady_clock::time_point deadline);
    std::optional<std::vector<std::uint8_t>> RequestText(const std::vector<Atom>& targets,
                                                         std::chrono::steady_clock::time_point deadline);
    std::vector<std::pair<String, std::vector<std::uint8_t>>> FetchForeignFormats();
    std::size_t MaxPropertyBytes() const;
};

} // namespace dw
