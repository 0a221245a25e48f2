// The window manager's internal state: window records, the desktop, focus, activation and
// capture, the queues, timers and the backend. Used by the platform's own sources only; the rest
// of the framework uses the functions of Window.h, MessageQueue.h, Input.h, Paint.h and friends.
#pragma once

#include "framework/platform/backends/Backend.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/Messages.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/WindowClass.h"
#include "framework/platform/window/WmRegion.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

namespace dw {

struct TWindowClassRec {
    ATOM Atom = 0;
    String Name;
    UINT Style = 0;
    TWindowProc Proc;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
    int WindowCount = 0;
};

struct TScrollBarState {
    int Min = 0;
    int Max = 100;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    bool Tracking = false;
    UINT DisabledArrows = 0; // ESB_* bits
};

struct TMdiClientState {
    HWND Active = nullptr;
    // The maximized active document the frame shows (its caption, its buttons in the menu
    // bar) and the title shown with it: a change makes the frame lay its frame out again.
    HWND ShownMaximized = nullptr;
    String ShownTitle;
    std::vector<HWND> Order; // activation history, most recent first
};

struct TWindow {
    HWND Handle = nullptr;
    std::shared_ptr<TWindowClassRec> Class;
    std::shared_ptr<TWindowProc> Proc;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    String Text;
    TWindow* Parent = nullptr; // the desktop for top-level windows
    TWindow* Owner = nullptr;
    std::vector<TWindow*> Children; // z-order, topmost first
    TRect Rect;                     // in the parent's client coordinates (screen for top-level windows)
    TRect Client;                   // client area relative to the window's top-left corner
    LONG_PTR UserData = 0;
    LONG_PTR Id = 0;
    std::map<String, void*> Props;
    bool Destroying = false;
    bool Destroyed = false;
    bool Created = false;     // WM_NCCREATE answered
    bool Redraw = true;       // WM_SETREDRAW
    bool MessageOnly = false; // created under HWND_MESSAGE: never shown
    // Painting.
    TWmRegion Update; // client coordinates
    bool UpdateErase = false;
    bool NcDirty = false;
    bool InPaintSet = false;
    bool InternalPaint = false;
    // Non-client extras.
    TScrollBarState HScroll;
    TScrollBarState VScroll;
    bool FlatScrollBars = false;
    int MenuBarHeight = 0; // rows kept for a menu bar below the caption (SetMenuBarHeight)
    int NcButtonDown = 0;  // caption button pressed and still under the mouse (hit code), 0 if none
    bool NcActive = false;
    std::optional<TWmRegion> Shape; // window region, window coordinates
    TRect RestoreRect;              // rectangle before maximise or minimise
    bool HasRestoreRect = false;
    // Minimized by the desktop's window manager (an icon of the desktop's); without one a
    // minimized top-level window is a caption bar at the bottom of the screen.
    bool DesktopIcon = false;
    // Top-level windows.
    TNativeWindow Native = 0;
    std::unique_ptr<TSurface> Surface;
    TRect SurfaceDirty; // painted since the last present
    // MDI client windows.
    std::unique_ptr<TMdiClientState> Mdi;
    // Mouse tracking requested with TrackMouseEvent.
    DWORD TrackFlags = 0;

    bool IsChild() const { return (Style & WS_CHILD) != 0; }
    bool IsVisibleFlag() const { return (Style & WS_VISIBLE) != 0; }
    bool IsRtl() const { return (ExStyle & WS_EX_LAYOUTRTL) != 0; }
};

using UINT_PTR = std::uintptr_t;
using TIMERPROC = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;

struct TWmTimer {
    HWND Hwnd = nullptr;
    UINT_PTR Id = 0;
    UINT Interval = 0;
    DWORD Due = 0;
    TIMERPROC Callback;
    bool Internal = false; // the window manager's own (scroll bar auto-repeat); never reaches the queue
};

// What an interactive loop of the window manager is doing (moving or sizing a window, tracking a
// scroll bar or a caption button); it runs as a state fed by mouse input, so that it works the same
// with a live display and with injected input.
struct TTrackState {
    enum Kind { None, MoveSize, ScrollBar, CaptionButton };
    Kind Kind = None;
    HWND Hwnd = nullptr;
    int Hit = 0;          // HTCAPTION, HTLEFT ... for MoveSize; HTHSCROLL/HTVSCROLL; the button
    TPoint StartCursor;   // screen
    TRect StartRect;      // screen
    TRect CurrentRect;    // screen
    bool Started = false; // WM_ENTERSIZEMOVE sent
    // Scroll bars.
    int Bar = 0;         // SB_HORZ or SB_VERT
    int Part = 0;        // which part was pressed
    int ThumbOffset = 0; // cursor offset inside the thumb along the bar
    int ThumbStartPos = 0;
    bool Pressed = true; // cursor still over the pressed part
    UINT_PTR RepeatTimer = 0;
};

class TWindowManager {
public:
    TWindowManager();
    ~TWindowManager();

    // Replaces the backend: every window is destroyed, the queues, timers and input state are
    // cleared. Window classes and registered messages stay.
    void Reset(std::unique_ptr<TBackend> backend);
    TBackend& Backend();
    bool HasBackend() const { return FBackend != nullptr; }

    // Handles.
    TWindow* Find(HWND hwnd) const;
    TWindow* Get(HWND hwnd) const; // throws EInvalidArgument for an invalid handle
    TWindow* Desktop() { return &FDesktop; }
    HWND NewHandle(std::unique_ptr<TWindow> w);
    void Forget(TWindow* w);
    std::size_t WindowCount() const { return FWindows.size(); }

    // Tree helpers.
    static bool IsTopLevel(const TWindow* w) { return w->Parent && w->Parent->Parent == nullptr; }
    TWindow* TopLevelOf(TWindow* w) const;
    bool IsDescendant(const TWindow* ancestor, const TWindow* w) const; // w inside ancestor, or equal
    bool ReallyVisible(const TWindow* w) const;                         // it and all its ancestors are visible
    bool ReallyEnabled(const TWindow* w) const;                         // it and all its ancestors are enabled
    void Unlink(TWindow* w);
    // Inserts w among its parent's children: after `after` (null: at the top); keeps top-most
    // top-level windows above the others.
    void LinkAt(TWindow* w, TWindow* parent, TWindow* after);
    void LinkTop(TWindow* w, TWindow* parent);
    void LinkBottom(TWindow* w, TWindow* parent);
    void RestackNative();
    // Puts the pop-ups a top-level window owns (and theirs) right above it, keeping their order.
    void RaiseOwned(TWindow* w);

    // Geometry.
    TPoint WindowOrigin(const TWindow* w) const; // screen position of the window's top-left
    TRect ScreenRect(const TWindow* w) const;    // window rectangle on screen
    TRect ScreenClient(const TWindow* w) const;  // client rectangle on screen
    TPoint ClientToScreen(const TWindow* w, TPoint p) const;
    TPoint ScreenToClient(const TWindow* w, TPoint p) const;
    // Offset of the window's top-left corner inside its top-level window's surface.
    TPoint SurfaceOrigin(const TWindow* w) const;
    // A window rectangle given in the parent's logical client coordinates, as it lies physically
    // inside the parent's client area (mirrored for a right-to-left parent).
    TRect PhysicalRectInParent(const TWindow* w) const;

    // Messages.
    LRESULT Send(TWindow* w, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Visible regions in surface coordinates of the top-level window.
    TWmRegion VisibleRegion(TWindow* w, bool clientOnly, bool clipChildren, bool clipSiblings, bool ignoreLock = false);
    bool IsUpdateLocked(const TWindow* w) const;

    // State.
    std::unique_ptr<TBackend> FBackend;
    TWindow FDesktop;
    std::unordered_map<std::uintptr_t, std::unique_ptr<TWindow>> FWindows;
    std::uintptr_t FNextHandle = 0x10010;
    std::map<String, std::shared_ptr<TWindowClassRec>> FClasses; // key: upper-case name
    ATOM FNextAtom = 0xC000;
    std::map<String, UINT> FRegisteredMessages;
    UINT FNextMessage = 0xC000;

    std::deque<TMsg> FPosted;
    std::deque<TBackendEvent> FInput; // raw input from the backend, not yet turned into messages
    std::deque<TMsg> FInputMsgs;      // input turned into messages, waiting to be retrieved
    // What recent key presses type in the backend's layout, by their keySerial, until
    // TranslateMessage takes it (a few dozen at most are kept).
    std::deque<std::pair<std::uint32_t, std::u32string>> FKeyTexts;
    std::uint32_t FNextKeySerial = 1;
    int FBeginPaintCount = 0;
    bool FQuitPosted = false;
    int FQuitCode = 0;
    std::vector<TWmTimer> FTimers;
    UINT_PTR FNextTimerId = 0x7FFF0001; // ids of timers without a window
    std::vector<TWindow*> FPaintSet;
    std::function<void()> FIdleHandler;

    TWindow* FFocus = nullptr;
    TWindow* FActive = nullptr;
    TWindow* FCapture = nullptr;
    TWindow* FLocked = nullptr;      // LockWindowUpdate
    TWindow* FMouseWindow = nullptr; // the window that got the last mouse message
    TWindow* FHoverWindow = nullptr;
    TPoint FHoverStart;
    DWORD FHoverStartTime = 0;
    UINT FHoverTime = 400;
    bool FTrackHoverClient = true;
    std::array<std::uint8_t, 256> FKeyState{};      // as of the last message retrieved
    std::array<std::uint8_t, 256> FAsyncKeyState{}; // as of the last backend event
    TPoint FCursorPos;
    std::optional<TRect> FClipCursor;
    HCURSOR FCursor = nullptr;
    // Double clicks.
    DWORD FLastDownTime = 0;
    TPoint FLastDownPos;
    HWND FLastDownHwnd = nullptr;
    UINT FLastDownMsg = 0;
    bool FLastDownWasDouble = false;

    TTrackState FTrack;
    std::deque<TBackendEvent> FTrackInput;
    int FSendDepth = 0;
    // Records of destroyed windows stay allocated until no message is being handled, so that code
    // holding a record across a message can still look at its Destroyed flag.
    std::vector<std::unique_ptr<TWindow>> FGraveyard;
    void CollectGarbage();
    DWORD FMessageTime = 0;
    TPoint FMessagePos;
    int FCascade = 0;
    // DCs handed out by GetDC, GetWindowDC and BeginPaint that are not released yet.
    struct TOpenDC {
        HDC Dc = nullptr;
        TWindow* Window = nullptr; // null for the screen
        bool Paint = false;
        bool Whole = false;
        bool ClipChildren = false;
        bool ClipSiblings = false;
        bool IgnoreLock = false;
    };
    std::vector<TOpenDC> FOpenDCs;
    // Pixels under visible CS_SAVEBITS child windows, put back when the window hides or moves
    // while nothing else has drawn or been invalidated there.
    struct TSavedBits {
        TWindow* Window = nullptr;
        TWindow* Top = nullptr;
        TRect Area; // surface coordinates of the top-level window
        std::unique_ptr<TSurface> Pixels;
    };
    std::vector<TSavedBits> FSavedBits;
    // What GetDC(null) draws on: the desktop behind all windows.
    std::unique_ptr<TSurface> FScreenSurface;
};

// The one window manager of this program. It creates the default backend on first use.
TWindowManager& WM();

inline HWND H(const TWindow* w) {
    return w ? w->Handle : nullptr;
}

// Cross-module steps of the window manager, defined next to the subsystem they belong to.
// Paint.cpp: invalidation in client coordinates (flags are RDW_* values), native windows, surfaces.
void WmRedraw(TWindow* w, const TWmRegion* clientRegion, UINT flags);
// Invalidates what a window covered inside its parent (rect in the parent's logical client coordinates).
void WmExposeParentArea(TWindow* parent, const TRect& rectInParent);
void WmSyncNative(TWindow* top, bool sizeChanged);
void WmDestroyNative(TWindow* top);
void WmRemoveFromPaintSet(TWindow* w);
void WmAddToPaintSet(TWindow* w);
// The next window due for WM_PAINT (parents first), limited to `within` and its descendants when
// given; windows that no longer need painting leave the set on the way.
TWindow* WmNextPaintWindow(TWindow* within);
// Releases every DC still open on the window (it is going away).
void WmReleaseWindowDCs(TWindow* w);
// A WM_PAINT handler failed: its paint DCs are released and the window counts as painted.
void WmAbortPaint(TWindow* w);
bool WmCanDraw(const TWindow* w);
// Save-bits windows: keep what lies under the window, put it back (true) when it hides or moves.
void WmSaveBitsUnder(TWindow* w);
bool WmRestoreBitsUnder(TWindow* w);
void WmDropSavedBits(TWindow* w);
// Input.cpp: backend events, turning input into messages, activation, focus and capture.
void WmOnBackendEvent(const TBackendEvent& e);
// Turns the oldest raw input event into zero or more messages in FInputMsgs; false when none is left.
bool WmConvertInput();
void WmCheckHover(DWORD now);
void WmActivate(TWindow* top, WPARAM how);
void WmActivateNext(TWindow* leaving);
void WmForgetInputState(TWindow* w);
void WmSetFocus(TWindow* w);
// NonClient.cpp: frame thickness on each side (left, top, right, bottom as a TRect of insets) and
// the interactive loops.
TRect WmNcInsets(const TWindow* w, const TRect& windowRect);
void WmEndTracking(bool cancelled);
// Input arriving while a loop runs is queued for it and handled when DispatchMessage meets the
// window manager's private WM_SYSTRACK message, so that errors of the window procedures it calls
// reach the caller of DispatchMessage like any other.
void WmQueueTrackInput(const TBackendEvent& e);
void WmTrackStep(const TMsg& msg);
constexpr UINT WM_SYSTRACK = 0x03FF;
TNonClientLayout WmLayout(const TWindow* w, int width, int height);
// Draws the frame of a window into a DC whose origin is the window's top-left corner.
void WmDrawFrame(HDC dc, TWindow* w);
// ScrollBar.cpp: drawing the bars into a whole-window DC, and the scroll bar loop.
void WmDrawScrollBars(HDC windowDc, TWindow* w, const TNonClientLayout& layout);
void WmBeginScrollTrack(TWindow* w, int bar, TPoint screen);
void WmScrollTrackInput(const TBackendEvent* e); // null: an auto-repeat tick
void WmEndScrollTrack(bool cancelled);
void WmBeginCaptionButton(TWindow* w, int hit);
// Mdi.cpp: an MDI child was hidden, destroyed or shown.
void WmMdiChildHidden(TWindow* child);
void WmMdiChildDestroyed(TWindow* child);
// The caption a window shows: its text, and for a frame whose MDI client has a maximized active
// document also the document's, as "Frame - [Document]".
String WmWindowCaption(const TWindow* w);

} // namespace dw
