// The X11 backend: connection, native windows, pushing surfaces (MIT-SHM or XPutImage), input
// translation, cursors, pointer confinement and the clock.
#include "framework/platform/backends/x11/X11Backend.h"

#include "framework/platform/backends/x11/X11Internal.h"
#include "framework/platform/backends/x11/X11Keyboard.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"

#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <clocale>
#include <cstdlib>
#include <cstring>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Protocol errors

namespace {

thread_local int gLastError = 0;

int RecordError(Display*, XErrorEvent* e) {
    if (gLastError == 0) gLastError = e->error_code;
    return 0;
}

void InstallErrorHandler() {
    static bool installed = false;
    if (!installed) {
        XSetErrorHandler(RecordError);
        installed = true;
    }
}

} // namespace

TX11ErrorTrap::TX11ErrorTrap(Display* display) : FDisplay(display) {
    XSync(FDisplay, False);
    gLastError = 0;
}

int TX11ErrorTrap::Check() {
    XSync(FDisplay, False);
    int e = gLastError;
    gLastError = 0;
    return e;
}

// ---------------------------------------------------------------------------------------------
// Helpers

namespace {

constexpr long WindowEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                              KeyReleaseMask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask |
                              FocusChangeMask | PropertyChangeMask;

int Clamp16(int v) {
    return std::clamp(v, -32768, 32767);
}
unsigned ClampSize(int v) {
    return static_cast<unsigned>(std::clamp(v, 1, 32767));
}

// Appends the code points of UTF-8 text (a malformed sequence as U+FFFD).
void DecodeUtf8(const char* s, int n, std::vector<char32_t>& out) {
    std::string_view text(s, static_cast<std::size_t>(std::max(n, 0)));
    for (std::size_t i = 0; i < text.size();) out.push_back(NextUtf8(text, i));
}

// Places a channel value (0..255) into the bits of a visual's colour mask.
unsigned long ScaleToMask(unsigned value, unsigned long mask) {
    if (!mask) return 0;
    int shift = std::countr_zero(mask);
    unsigned long bits = mask >> shift;
    return ((value * bits + 127) / 255) << shift;
}

} // namespace

Atom TX11Backend::TImpl::Intern(const char* name) const {
    return XInternAtom(Dpy, name, False);
}

String TX11Backend::TImpl::AtomName(Atom a) const {
    if (a == XNone) return String();
    TX11ErrorTrap trap(Dpy);
    char* name = XGetAtomName(Dpy, a);
    trap.Check();
    if (!name) return String();
    String s(name);
    XFree(name);
    return s;
}

std::uint32_t TX11Backend::TImpl::Now() const {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint32_t TX11Backend::TImpl::MapTime(Time serverTime) {
    // Server time stamps count milliseconds from another origin; keep their differences exact
    // and shift them onto our clock, never ahead of it.
    std::uint32_t st = static_cast<std::uint32_t>(serverTime);
    std::uint32_t now = Now();
    if (serverTime != CurrentTime) LastServerTime = serverTime;
    if (!HaveTimeOffset) {
        TimeOffset = now - st;
        HaveTimeOffset = true;
    }
    std::uint32_t mapped = st + TimeOffset;
    if (static_cast<std::int32_t>(mapped - now) > 0) {
        TimeOffset = now - st;
        mapped = now;
    }
    return mapped;
}

TX11Window* TX11Backend::TImpl::Find(Window w) {
    auto it = Windows.find(w);
    return it == Windows.end() ? nullptr : &it->second;
}

TX11Window& TX11Backend::TImpl::Get(TNativeWindow w) {
    TX11Window* win = Find(static_cast<Window>(w));
    if (!win) throw EInvalidArgument(Format("Unknown native window %s", IntToHex(w, 8)));
    return *win;
}

Time TX11Backend::TImpl::ServerTime() {
    // A zero-length append changes nothing but makes the server report the current time.
    XChangeProperty(Dpy, SelectionWindow, TimestampProperty, XA_INTEGER, 8, PropModeAppend, nullptr, 0);
    XEvent ev;
    auto isStamp = [](Display*, XEvent* e, XPointer arg) -> Bool {
        auto* self = reinterpret_cast<TX11Backend::TImpl*>(arg);
        return e->type == PropertyNotify && e->xproperty.window == self->SelectionWindow &&
               e->xproperty.atom == self->TimestampProperty;
    };
    XIfEvent(Dpy, &ev, isStamp, reinterpret_cast<XPointer>(this));
    LastServerTime = ev.xproperty.time;
    return ev.xproperty.time;
}

// ---------------------------------------------------------------------------------------------
// Connection

TX11Backend::TX11Backend(const String& displayName, TX11Options options) : F(std::make_unique<TImpl>()) {
    InstallErrorHandler();
    F->Owner = this;
    F->Options = options;
    F->Dpy = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!F->Dpy) {
        const char* env = getenv("DISPLAY");
        String name = !displayName.empty() ? displayName : env ? String(env) : String();
        throw EInvalidOperation(Format("Cannot open the X display \"%s\"", name));
    }
    Display* d = F->Dpy;
    F->Epoch = std::chrono::steady_clock::now();
    F->Screen = DefaultScreen(d);
    F->Root = RootWindow(d, F->Screen);
    F->Vis = DefaultVisual(d, F->Screen);
    F->Depth = DefaultDepth(d, F->Screen);
    F->Gc = XCreateGC(d, F->Root, 0, nullptr);
    XSetGraphicsExposures(d, F->Gc, False);

    const char* names[] = {"WM_PROTOCOLS",
                           "WM_DELETE_WINDOW",
                           "_NET_WM_PING",
                           "_NET_WM_NAME",
                           "UTF8_STRING",
                           "_NET_WM_STATE",
                           "_NET_WM_STATE_ABOVE",
                           "_NET_WM_WINDOW_TYPE",
                           "_NET_WM_WINDOW_TYPE_NORMAL",
                           "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                           "_MOTIF_WM_HINTS",
                           "_NET_ACTIVE_WINDOW",
                           "_NET_WM_PID",
                           "_NET_WM_USER_TIME",
                           "CLIPBOARD",
                           "TARGETS",
                           "TIMESTAMP",
                           "MULTIPLE",
                           "INCR",
                           "TEXT",
                           "text/plain;charset=utf-8",
                           "text/plain",
                           "COMPOUND_TEXT",
                           "DW_SELECTION",
                           "DW_TIMESTAMP",
                           "WM_STATE"};
    constexpr int count = sizeof(names) / sizeof(names[0]);
    Atom atoms[count];
    XInternAtoms(d, const_cast<char**>(names), count, False, atoms);
    Atom* targets[] = {&F->WmProtocols,
                       &F->WmDeleteWindow,
                       &F->NetWmPing,
                       &F->NetWmName,
                       &F->Utf8String,
                       &F->NetWmState,
                       &F->NetWmStateAbove,
                       &F->NetWmWindowType,
                       &F->NetWmWindowTypeNormal,
                       &F->NetWmWindowTypePopup,
                       &F->MotifWmHints,
                       &F->NetActiveWindowAtom,
                       &F->NetWmPid,
                       &F->NetWmUserTime,
                       &F->Clipboard,
                       &F->Targets,
                       &F->TimestampAtom,
                       &F->Multiple,
                       &F->Incr,
                       &F->TextAtom,
                       &F->TextPlainUtf8,
                       &F->TextPlain,
                       &F->CompoundText,
                       &F->SelectionProperty,
                       &F->TimestampProperty,
                       &F->WmState};
    static_assert(sizeof(targets) / sizeof(targets[0]) == count);
    for (int i = 0; i < count; ++i) *targets[i] = atoms[i];

    // Pixels can go out as they are when the visual is 8-8-8 true colour in 32-bit words of
    // this machine's byte order.
    if (F->Vis->c_class == TrueColor && F->Vis->red_mask == 0xFF0000 && F->Vis->green_mask == 0xFF00 &&
        F->Vis->blue_mask == 0xFF && (F->Depth == 24 || F->Depth == 32)) {
        XImage* probe = XCreateImage(d, F->Vis, F->Depth, ZPixmap, 0, nullptr, 1, 1, 32, 0);
        if (probe) {
            int hostOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
            F->FastPixels = probe->bits_per_pixel == 32 && probe->byte_order == hostOrder;
            XDestroyImage(probe);
        }
    }
    F->Shm = options.UseSharedMemory && F->FastPixels && XShmQueryExtension(d);

    int shapeError = 0;
    int shapeEvent = 0;
    if (XShapeQueryExtension(d, &shapeEvent, &shapeError)) F->ShapeEvent = shapeEvent;

    Bool detectable = False;
    XkbSetDetectableAutoRepeat(d, True, &detectable);

    // An input method gives composed and non-Latin characters as UTF-8. It is opened under a
    // UTF-8 character type so that its conversions do not depend on the program's locale, which
    // stays untouched.
    String oldCtype = setlocale(LC_CTYPE, nullptr) ? setlocale(LC_CTYPE, nullptr) : "C";
    if (setlocale(LC_CTYPE, "C.UTF-8") && XSupportsLocale()) {
        XSetLocaleModifiers("");
        F->InputMethod = XOpenIM(d, nullptr, nullptr, nullptr);
        if (!F->InputMethod) {
            XSetLocaleModifiers("@im=none");
            F->InputMethod = XOpenIM(d, nullptr, nullptr, nullptr);
        }
    }
    setlocale(LC_CTYPE, oldCtype.c_str());

    // The clipboard's window: never mapped, it owns the selection and receives answers.
    XSetWindowAttributes a{};
    a.event_mask = PropertyChangeMask;
    F->SelectionWindow =
        XCreateWindow(d, F->Root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &a);

    // Whether a desktop window manager that honours activation requests is running.
    Atom type = XNone;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, F->Root, XInternAtom(d, "_NET_SUPPORTED", False), 0, 4096, False, XA_ATOM, &type, &format,
                           &n, &after, &data) == Success &&
        data) {
        auto* list = reinterpret_cast<Atom*>(data);
        F->NetActiveWindow = std::find(list, list + n, F->NetActiveWindowAtom) != list + n;
        XFree(data);
    }
}

TX11Backend::~TX11Backend() {
    Display* d = F->Dpy;
    if (F->PointerGrabbed) XUngrabPointer(d, CurrentTime);
    for (auto& [xid, w] : F->Windows) {
        if (w.InputContext) XDestroyIC(w.InputContext);
        XDestroyWindow(d, xid);
    }
    F->Windows.clear();
    if (F->ConfineWindow) XDestroyWindow(d, F->ConfineWindow);
    if (F->ShmImage) {
        F->WaitShmIdle();
        XShmDetach(d, &F->ShmInfo);
        F->ShmImage->data = nullptr;
        XDestroyImage(F->ShmImage);
        shmdt(F->ShmInfo.shmaddr);
    }
    for (auto& [shape, cursor] : F->Cursors) XFreeCursor(d, cursor);
    if (F->InputMethod) XCloseIM(F->InputMethod);
    XDestroyWindow(d, F->SelectionWindow);
    XFreeGC(d, F->Gc);
    XCloseDisplay(d);
}

TSize TX11Backend::ScreenSize() const {
    return {DisplayWidth(F->Dpy, F->Screen), DisplayHeight(F->Dpy, F->Screen)};
}

bool TX11Backend::UsesSharedMemory() const {
    return F->Shm;
}

void TX11Backend::Sync() {
    XSync(F->Dpy, False);
}

String TX11Backend::DisplayName() const {
    return DisplayString(F->Dpy);
}

std::uint32_t TX11Backend::TickCount() const {
    return F->Now();
}

// ---------------------------------------------------------------------------------------------
// Native windows

void TX11Backend::TImpl::ApplyWindowFlags(TX11Window& w) {
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = w.Flags.noActivate ? False : True;
    hints.initial_state = NormalState;
    XSetWMHints(Dpy, w.Xid, &hints);

    Atom type = w.Flags.popup ? NetWmWindowTypePopup : NetWmWindowTypeNormal;
    XChangeProperty(Dpy, w.Xid, NetWmWindowType, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type),
                    1);
    if (w.Flags.topmost) {
        XChangeProperty(Dpy, w.Xid, NetWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&NetWmStateAbove), 1);
    } else {
        XDeleteProperty(Dpy, w.Xid, NetWmState);
    }
    if (w.Mapped && !w.Flags.popup) {
        // A mapped window's state changes through a request to the desktop's window manager.
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w.Xid;
        ev.xclient.message_type = NetWmState;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = w.Flags.topmost ? 1 : 0;
        ev.xclient.data.l[1] = static_cast<long>(NetWmStateAbove);
        ev.xclient.data.l[3] = 1;
        XSendEvent(Dpy, Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    }
    if (w.Flags.noActivate) {
        long zero = 0;
        XChangeProperty(Dpy, w.Xid, NetWmUserTime, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&zero), 1);
    } else {
        XDeleteProperty(Dpy, w.Xid, NetWmUserTime);
    }
}

TNativeWindow TX11Backend::CreateNativeWindow(const TRect& screenRect, TNativeWindowFlags flags) {
    Display* d = F->Dpy;
    XSetWindowAttributes a{};
    a.background_pixmap = XNone; // we repaint exposed parts from the surface ourselves
    a.border_pixel = 0;
    a.bit_gravity = NorthWestGravity;
    a.event_mask = WindowEvents;
    a.override_redirect = flags.popup ? True : False;
    a.save_under = flags.popup ? True : False;
    unsigned long mask = CWBackPixmap | CWBorderPixel | CWBitGravity | CWEventMask | CWOverrideRedirect | CWSaveUnder;
    Window xid =
        XCreateWindow(d, F->Root, Clamp16(screenRect.Left), Clamp16(screenRect.Top), ClampSize(screenRect.Width()),
                      ClampSize(screenRect.Height()), 0, CopyFromParent, InputOutput, CopyFromParent, mask, &a);
    TX11Window& w = F->Windows[xid];
    w.Xid = xid;
    w.Rect = screenRect;
    w.Flags = flags;

    Atom protocols[] = {F->WmDeleteWindow, F->NetWmPing};
    XSetWMProtocols(d, xid, protocols, 2);
    XSizeHints size{};
    size.flags = USPosition | USSize | PPosition | PSize;
    size.x = screenRect.Left;
    size.y = screenRect.Top;
    size.width = static_cast<int>(ClampSize(screenRect.Width()));
    size.height = static_cast<int>(ClampSize(screenRect.Height()));
    XSetWMNormalHints(d, xid, &size);
    XClassHint cls{const_cast<char*>("draftwell"), const_cast<char*>("Draftwell")};
    XSetClassHint(d, xid, &cls);
    long pid = getpid();
    XChangeProperty(d, xid, F->NetWmPid, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    // The framework draws frames and captions itself: ask the desktop for no decorations.
    long motif[5] = {2 /* decorations */, 0, 0, 0, 0};
    XChangeProperty(d, xid, F->MotifWmHints, F->MotifWmHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motif), 5);
    F->ApplyWindowFlags(w);
    XDefineCursor(d, xid, F->CursorFor(F->CurrentCursor));

    if (F->InputMethod) {
        w.InputContext = XCreateIC(F->InputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                                   xid, XNFocusWindow, xid, nullptr);
        if (w.InputContext) {
            unsigned long imEvents = 0;
            XGetICValues(w.InputContext, XNFilterEvents, &imEvents, nullptr);
            XSelectInput(d, xid, WindowEvents | static_cast<long>(imEvents));
        }
    }
    return static_cast<TNativeWindow>(xid);
}

void TX11Backend::DestroyNativeWindow(TNativeWindow native) {
    TX11Window& w = F->Get(native);
    if (w.InputContext) XDestroyIC(w.InputContext);
    XDestroyWindow(F->Dpy, w.Xid);
    F->Windows.erase(w.Xid);
    XFlush(F->Dpy);
}

void TX11Backend::ShowNativeWindow(TNativeWindow native, bool show, bool activate) {
    TX11Window& w = F->Get(native);
    Display* d = F->Dpy;
    if (show && (!w.Mapped || w.Iconic)) {
        // Mapping an iconified window asks the window manager to bring it back.
        XMapWindow(d, w.Xid);
        w.Mapped = true;
        w.Iconic = false;
    } else if (!show && w.Mapped) {
        if (w.Flags.popup) {
            XUnmapWindow(d, w.Xid);
        } else {
            XWithdrawWindow(d, w.Xid, F->Screen);
        }
        w.Mapped = false;
        w.Viewable = false;
        w.FocusOnMap = false;
    }
    if (show && activate && !w.Flags.noActivate) {
        if (F->NetActiveWindow && !w.Flags.popup) {
            XEvent ev{};
            ev.xclient.type = ClientMessage;
            ev.xclient.window = w.Xid;
            ev.xclient.message_type = F->NetActiveWindowAtom;
            ev.xclient.format = 32;
            ev.xclient.data.l[0] = 1; // a normal application
            ev.xclient.data.l[1] = static_cast<long>(F->LastServerTime);
            XSendEvent(d, F->Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
        } else if (w.Viewable) {
            TX11ErrorTrap trap(d);
            XSetInputFocus(d, w.Xid, RevertToParent, CurrentTime);
            trap.Check();
        } else {
            w.FocusOnMap = true; // focus can only go to a viewable window
        }
    }
    XFlush(d);
}

void TX11Backend::MoveNativeWindow(TNativeWindow native, const TRect& screenRect) {
    TX11Window& w = F->Get(native);
    if (w.Rect == screenRect) return;
    w.Rect = screenRect;
    XMoveResizeWindow(F->Dpy, w.Xid, Clamp16(screenRect.Left), Clamp16(screenRect.Top), ClampSize(screenRect.Width()),
                      ClampSize(screenRect.Height()));
    XFlush(F->Dpy);
}

void TX11Backend::RestackNativeWindows(const std::vector<TNativeWindow>& frontToBack) {
    std::vector<Window> order;
    for (TNativeWindow n : frontToBack) {
        if (F->Find(static_cast<Window>(n))) order.push_back(static_cast<Window>(n));
    }
    if (order.empty()) return;
    // Restacking keeps the first window where it is and puts the others below it in order; under
    // a reparenting desktop manager the windows are no siblings and the server refuses, in which
    // case raising the frontmost is what still matters.
    TX11ErrorTrap trap(F->Dpy);
    XRaiseWindow(F->Dpy, order.front());
    if (order.size() > 1) XRestackWindows(F->Dpy, order.data(), static_cast<int>(order.size()));
    trap.Check();
}

void TX11Backend::SetNativeWindowShape(TNativeWindow native, const std::vector<TRect>* shape) {
    TX11Window& w = F->Get(native);
    if (F->ShapeEvent < 0) return; // without the extension windows stay rectangular
    if (!shape) {
        XShapeCombineMask(F->Dpy, w.Xid, ShapeBounding, 0, 0, XNone, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        rects.reserve(shape->size());
        for (const TRect& r : *shape) {
            if (r.IsEmpty()) continue;
            rects.push_back({static_cast<short>(Clamp16(r.Left)), static_cast<short>(Clamp16(r.Top)),
                             static_cast<unsigned short>(ClampSize(r.Width())),
                             static_cast<unsigned short>(ClampSize(r.Height()))});
        }
        XShapeCombineRectangles(F->Dpy, w.Xid, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                                ShapeSet, Unsorted);
    }
    XFlush(F->Dpy);
}

void TX11Backend::SetNativeWindowTitle(TNativeWindow native, const String& title) {
    TX11Window& w = F->Get(native);
    XChangeProperty(F->Dpy, w.Xid, F->NetWmName, F->Utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    // The old WM_NAME holds Latin-1; characters beyond it become question marks.
    std::vector<char32_t> cps;
    DecodeUtf8(title.data(), static_cast<int>(title.size()), cps);
    String latin1;
    for (char32_t c : cps) latin1.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    XChangeProperty(F->Dpy, w.Xid, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
    XFlush(F->Dpy);
}

void TX11Backend::SetNativeWindowFlags(TNativeWindow native, TNativeWindowFlags flags) {
    TX11Window& w = F->Get(native);
    bool popupChanged = w.Flags.popup != flags.popup;
    w.Flags = flags;
    if (popupChanged) {
        // Override-redirect only takes effect when the window is mapped again.
        bool wasMapped = w.Mapped;
        if (wasMapped) ShowNativeWindow(native, false, false);
        XSetWindowAttributes a{};
        a.override_redirect = flags.popup ? True : False;
        a.save_under = flags.popup ? True : False;
        XChangeWindowAttributes(F->Dpy, w.Xid, CWOverrideRedirect | CWSaveUnder, &a);
        F->ApplyWindowFlags(w);
        if (wasMapped) ShowNativeWindow(native, true, false);
    } else {
        F->ApplyWindowFlags(w);
    }
    XFlush(F->Dpy);
}

bool TX11Backend::HasWindowManager() {
    // A window manager is whoever redirects the root's substructure; the server reports every
    // client's selection on the root, so asking disturbs nobody.
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(F->Dpy, F->Root, &attributes)) return false;
    return (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

void TX11Backend::IconifyNativeWindow(TNativeWindow native) {
    TX11Window& w = F->Get(native);
    if (!w.Mapped) return;
    w.Iconic = true;
    XIconifyWindow(F->Dpy, w.Xid, F->Screen);
    XFlush(F->Dpy);
}

void TX11Backend::SetNativeWindowSurface(TNativeWindow native, TSurface* surface) {
    F->Get(native).Surface = surface;
}

void TX11Backend::PresentRect(TNativeWindow native, const TRect& rect) {
    F->Push(F->Get(native), rect);
    XFlush(F->Dpy);
}

// ---------------------------------------------------------------------------------------------
// Pixels

void TX11Backend::TImpl::WaitShmIdle() {
    if (!ShmBusy) return;
    XSync(Dpy, False);
    ShmBusy = false;
}

void TX11Backend::TImpl::Push(TX11Window& w, TRect rect) {
    if (!w.Surface || w.Surface->IsEmpty()) return;
    rect = rect.Intersect(w.Surface->BoundsRect()).Intersect({0, 0, w.Rect.Width(), w.Rect.Height()});
    if (rect.IsEmpty()) return;
    PutRows(w, rect);
}

void TX11Backend::TImpl::PutRows(TX11Window& w, const TRect& r) {
    TSurface& s = *w.Surface;
    const int width = r.Width();
    const int height = r.Height();

    if (Shm) {
        if (!ShmImage || ShmImage->width < width || ShmImage->height < height) {
            // Grow the shared staging image; on any failure fall back to XPutImage for good.
            WaitShmIdle();
            int iw = std::max(width, ShmImage ? ShmImage->width : 0);
            int ih = std::max(height, ShmImage ? ShmImage->height : 0);
            if (ShmImage) {
                XShmDetach(Dpy, &ShmInfo);
                ShmImage->data = nullptr;
                XDestroyImage(ShmImage);
                shmdt(ShmInfo.shmaddr);
                ShmImage = nullptr;
            }
            iw = std::max(iw, std::min(DisplayWidth(Dpy, Screen), 4096));
            ih = std::max(ih, 64);
            ShmInfo = XShmSegmentInfo{};
            XImage* img = XShmCreateImage(Dpy, Vis, static_cast<unsigned>(Depth), ZPixmap, nullptr, &ShmInfo,
                                          static_cast<unsigned>(iw), static_cast<unsigned>(ih));
            bool ok = img != nullptr;
            if (ok) {
                ShmInfo.shmid =
                    shmget(IPC_PRIVATE, static_cast<std::size_t>(img->bytes_per_line) * img->height, IPC_CREAT | 0600);
                ok = ShmInfo.shmid >= 0;
            }
            if (ok) {
                void* addr = shmat(ShmInfo.shmid, nullptr, 0);
                ok = addr != reinterpret_cast<void*>(-1);
                if (ok) {
                    ShmInfo.shmaddr = img->data = static_cast<char*>(addr);
                    ShmInfo.readOnly = False;
                    TX11ErrorTrap trap(Dpy);
                    XShmAttach(Dpy, &ShmInfo);
                    ok = trap.Check() == 0;
                    if (!ok) shmdt(addr);
                }
                shmctl(ShmInfo.shmid, IPC_RMID, nullptr); // freed once both sides detach
            }
            if (ok) {
                ShmImage = img;
            } else {
                if (img) {
                    img->data = nullptr;
                    XDestroyImage(img);
                }
                Shm = false;
            }
        }
        if (Shm) {
            WaitShmIdle();
            for (int y = 0; y < height; ++y) {
                std::memcpy(ShmImage->data + static_cast<std::ptrdiff_t>(y) * ShmImage->bytes_per_line,
                            s.Row(r.Top + y) + r.Left, static_cast<std::size_t>(width) * 4);
            }
            XShmPutImage(Dpy, w.Xid, Gc, ShmImage, 0, 0, r.Left, r.Top, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), False);
            ShmBusy = true;
            return;
        }
    }

    if (FastPixels && s.Stride() > 0) {
        // The surface's own memory goes out directly.
        XImage* img = XCreateImage(Dpy, Vis, static_cast<unsigned>(Depth), ZPixmap, 0,
                                   reinterpret_cast<char*>(s.Row(0)), static_cast<unsigned>(s.Width()),
                                   static_cast<unsigned>(s.Height()), 32, static_cast<int>(s.Stride()));
        if (img) {
            XPutImage(Dpy, w.Xid, Gc, img, r.Left, r.Top, r.Left, r.Top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
            img->data = nullptr;
            XDestroyImage(img);
        }
        return;
    }

    // Any other visual: convert pixel by pixel.
    XImage* img = XCreateImage(Dpy, Vis, static_cast<unsigned>(Depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!img) return;
    img->data = static_cast<char*>(malloc(static_cast<std::size_t>(img->bytes_per_line) * height));
    if (!img->data) {
        XDestroyImage(img);
        return;
    }
    for (int y = 0; y < height; ++y) {
        const TPixel* row = s.Row(r.Top + y) + r.Left;
        for (int x = 0; x < width; ++x) {
            TPixel p = row[x];
            unsigned long v = ScaleToMask((p >> 16) & 0xFF, Vis->red_mask) |
                              ScaleToMask((p >> 8) & 0xFF, Vis->green_mask) | ScaleToMask(p & 0xFF, Vis->blue_mask);
            XPutPixel(img, x, y, v);
        }
    }
    XPutImage(Dpy, w.Xid, Gc, img, 0, 0, r.Left, r.Top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XDestroyImage(img); // frees the pixel buffer with it
}

// ---------------------------------------------------------------------------------------------
// Cursor and pointer

Cursor TX11Backend::TImpl::CursorFor(TCursorShape shape) {
    auto it = Cursors.find(shape);
    if (it != Cursors.end()) return it->second;
    Cursor c = XNone;
    if (shape == TCursorShape::None) {
        // An invisible cursor: a one-pixel pixmap with an empty mask.
        char bits = 0;
        Pixmap blank = XCreateBitmapFromData(Dpy, Root, &bits, 1, 1);
        XColor black{};
        c = XCreatePixmapCursor(Dpy, blank, blank, &black, &black, 0, 0);
        XFreePixmap(Dpy, blank);
    } else {
        unsigned glyph = XC_left_ptr;
        switch (shape) {
        case TCursorShape::None:
        case TCursorShape::Arrow:
            glyph = XC_left_ptr;
            break;
        case TCursorShape::IBeam:
            glyph = XC_xterm;
            break;
        case TCursorShape::Wait:
        case TCursorShape::AppStarting:
            glyph = XC_watch;
            break;
        case TCursorShape::Cross:
            glyph = XC_crosshair;
            break;
        case TCursorShape::UpArrow:
            glyph = XC_sb_up_arrow;
            break;
        case TCursorShape::SizeNWSE:
            glyph = XC_bottom_right_corner;
            break;
        case TCursorShape::SizeNESW:
            glyph = XC_bottom_left_corner;
            break;
        case TCursorShape::SizeWE:
        case TCursorShape::HSplit:
            glyph = XC_sb_h_double_arrow;
            break;
        case TCursorShape::SizeNS:
        case TCursorShape::VSplit:
            glyph = XC_sb_v_double_arrow;
            break;
        case TCursorShape::SizeAll:
            glyph = XC_fleur;
            break;
        case TCursorShape::No:
        case TCursorShape::NoDrop:
            glyph = XC_circle;
            break;
        case TCursorShape::Hand:
            glyph = XC_hand2;
            break;
        case TCursorShape::Help:
            glyph = XC_question_arrow;
            break;
        case TCursorShape::Drag:
        case TCursorShape::MultiDrag:
            glyph = XC_dotbox;
            break;
        }
        c = XCreateFontCursor(Dpy, glyph);
    }
    Cursors[shape] = c;
    return c;
}

void TX11Backend::TImpl::ApplyCursor() {
    Cursor c = CursorFor(CurrentCursor);
    for (auto& [xid, w] : Windows) XDefineCursor(Dpy, xid, c);
    if (PointerGrabbed) {
        XChangeActivePointerGrab(Dpy, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, c, CurrentTime);
    }
}

void TX11Backend::SetCursorShape(TCursorShape shape) {
    if (shape == F->CurrentCursor) return;
    F->CurrentCursor = shape;
    F->ApplyCursor();
    XFlush(F->Dpy);
}

void TX11Backend::ConfinePointer(const TRect* screenRect) {
    Display* d = F->Dpy;
    if (!screenRect) {
        if (F->PointerGrabbed) XUngrabPointer(d, CurrentTime);
        if (F->ConfineWindow) XUnmapWindow(d, F->ConfineWindow);
        F->PointerGrabbed = false;
        F->Confine.reset();
        XFlush(d);
        return;
    }
    TRect r = *screenRect;
    F->Confine = r;
    // The pointer is grabbed with a helper window as the confinement: mapped at the bottom of the
    // stack so that it is viewable (which confinement needs) without covering anything. Our own
    // windows keep getting their events because the grab reports to the owner's windows.
    if (!F->ConfineWindow) {
        XSetWindowAttributes a{};
        a.override_redirect = True;
        F->ConfineWindow =
            XCreateWindow(d, F->Root, Clamp16(r.Left), Clamp16(r.Top), ClampSize(r.Width()), ClampSize(r.Height()), 0,
                          0, InputOnly, CopyFromParent, CWOverrideRedirect, &a);
    } else {
        XMoveResizeWindow(d, F->ConfineWindow, Clamp16(r.Left), Clamp16(r.Top), ClampSize(r.Width()),
                          ClampSize(r.Height()));
    }
    XMapWindow(d, F->ConfineWindow);
    XLowerWindow(d, F->ConfineWindow);
    int result =
        XGrabPointer(d, F->ConfineWindow, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, F->ConfineWindow, F->CursorFor(F->CurrentCursor), CurrentTime);
    F->PointerGrabbed = result == GrabSuccess;
    if (!F->PointerGrabbed) {
        // Another program holds a grab: keep the pointer inside by moving it back ourselves.
        Window rootRet, childRet;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        if (XQueryPointer(d, F->Root, &rootRet, &childRet, &rx, &ry, &wx, &wy, &mask) && !r.IsEmpty()) {
            int cx = std::clamp(rx, r.Left, r.Right - 1);
            int cy = std::clamp(ry, r.Top, r.Bottom - 1);
            if (cx != rx || cy != ry) XWarpPointer(d, XNone, F->Root, 0, 0, 0, 0, cx, cy);
        }
    }
    XFlush(d);
}

void TX11Backend::WarpPointer(TPoint screenPos) {
    XWarpPointer(F->Dpy, XNone, F->Root, 0, 0, 0, 0, screenPos.X, screenPos.Y);
    XFlush(F->Dpy);
}

// ---------------------------------------------------------------------------------------------
// Events

void TX11Backend::PollEvents() {
    while (XPending(F->Dpy) > 0) {
        XEvent ev;
        XNextEvent(F->Dpy, &ev);
        F->Dispatch(ev);
    }
}

bool TX11Backend::WaitForEvents(int timeoutMs) {
    XFlush(F->Dpy);
    if (XPending(F->Dpy) == 0) {
        pollfd p{ConnectionNumber(F->Dpy), POLLIN, 0};
        poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
    }
    PollEvents();
    return true;
}

namespace {

int VirtualKeyOf(Display* d, XKeyEvent& key) {
    KeySym base = XLookupKeysym(&key, 0);
    if (base >= XK_KP_Space && base <= XK_KP_9) {
        // Keypad keys are digits or navigation keys depending on Num Lock, which only the
        // modifier-applied symbol tells.
        KeySym applied = NoSymbol;
        char buf[8];
        XLookupString(&key, buf, sizeof buf, &applied, nullptr);
        if (int vk = VirtualKeyFromKeySym(applied)) return vk;
    }
    if (int vk = VirtualKeyFromKeySym(base)) return vk;
    // Keys of a non-Latin layout: the virtual key of the Latin letter or digit that another
    // group puts on the same key, as on the classic desktop.
    for (int group = 0; group < 4; ++group) {
        KeySym s = XkbKeycodeToKeysym(d, static_cast<KeyCode>(key.keycode), group, 0);
        if ((s >= XK_a && s <= XK_z) || (s >= XK_0 && s <= XK_9)) return VirtualKeyFromKeySym(s);
    }
    return 0;
}

} // namespace

bool TX11Backend::TImpl::IsIconicOnDesktop(Window xid) {
    // The window manager's WM_STATE says whether an unmapped window is iconic.
    Atom wmState = WmState;
    Atom type = XNone;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    TX11ErrorTrap trap(Dpy);
    bool iconic = false;
    if (XGetWindowProperty(Dpy, xid, wmState, 0, 2, False, wmState, &type, &format, &n, &after, &data) == Success &&
        data) {
        if (format == 32 && n >= 1) iconic = reinterpret_cast<long*>(data)[0] == IconicState;
        XFree(data);
    }
    trap.Check();
    return iconic;
}

void TX11Backend::TImpl::Dispatch(XEvent& ev) {
    if (XFilterEvent(&ev, XNone)) return; // the input method took it (a compose sequence, say)

    auto deliver = [this](const TBackendEvent& e) { Owner->Deliver(e); };
    Window xid = ev.xany.window;

    switch (ev.type) {
    case SelectionRequest:
        HandleSelectionRequest(ev.xselectionrequest);
        return;
    case SelectionClear:
        HandleSelectionClear(ev.xselectionclear);
        return;
    case MappingNotify:
        if (ev.xmapping.request == MappingKeyboard || ev.xmapping.request == MappingModifier) {
            XRefreshKeyboardMapping(&ev.xmapping);
        }
        return;
    default:
        break;
    }

    bool confineWindow = ConfineWindow && xid == ConfineWindow;
    TX11Window* w = Find(xid);
    if (!w && !confineWindow) return;
    TNativeWindow native = w ? static_cast<TNativeWindow>(xid) : 0;

    auto pointerEvent = [&](TBackendEvent::Kind kind, int rootX, int rootY, Time time) {
        TBackendEvent e;
        e.kind = kind;
        e.window = native;
        e.pos = {rootX, rootY};
        if (Confine && !PointerGrabbed && !Confine->IsEmpty() && !Confine->Contains(e.pos)) {
            e.pos = {std::clamp(rootX, Confine->Left, Confine->Right - 1),
                     std::clamp(rootY, Confine->Top, Confine->Bottom - 1)};
            XWarpPointer(Dpy, XNone, Root, 0, 0, 0, 0, e.pos.X, e.pos.Y);
        }
        e.time = MapTime(time);
        return e;
    };

    switch (ev.type) {
    case XEventExpose: {
        if (!w) return;
        TRect r = Bounds(ev.xexpose.x, ev.xexpose.y, ev.xexpose.width, ev.xexpose.height);
        w->PendingExpose = w->PendingExpose.Union(r);
        if (ev.xexpose.count > 0) return;
        TRect all = w->PendingExpose;
        w->PendingExpose = TRect{};
        // The window manager answers with PresentRect from the surface.
        TBackendEvent e;
        e.kind = TBackendEvent::Expose;
        e.window = native;
        e.rect = all;
        e.time = Now();
        deliver(e);
        return;
    }
    case ButtonPress:
    case ButtonRelease: {
        const XButtonEvent& b = ev.xbutton;
        bool down = ev.type == ButtonPress;
        if (b.button == Button4 || b.button == Button5) {
            if (!down) return;
            TBackendEvent e = pointerEvent(TBackendEvent::MouseWheel, b.x_root, b.y_root, b.time);
            e.wheelDelta = b.button == Button4 ? 120 : -120;
            deliver(e);
            return;
        }
        TMouseButton button;
        if (b.button == Button1) {
            button = TMouseButton::Left;
        } else if (b.button == Button2) {
            button = TMouseButton::Middle;
        } else if (b.button == Button3) {
            button = TMouseButton::Right;
        } else {
            return; // side buttons and horizontal wheels have no classic message here
        }
        TBackendEvent e =
            pointerEvent(down ? TBackendEvent::MouseDown : TBackendEvent::MouseUp, b.x_root, b.y_root, b.time);
        e.button = button;
        deliver(e);
        return;
    }
    case MotionNotify:
        deliver(pointerEvent(TBackendEvent::MouseMove, ev.xmotion.x_root, ev.xmotion.y_root, ev.xmotion.time));
        return;
    case EnterNotify:
        if (ev.xcrossing.mode != NotifyNormal) return;
        deliver(pointerEvent(TBackendEvent::MouseMove, ev.xcrossing.x_root, ev.xcrossing.y_root, ev.xcrossing.time));
        return;
    case KeyPress:
    case KeyRelease: {
        if (!w) return;
        XKeyEvent& k = ev.xkey;
        int vk = VirtualKeyOf(Dpy, k);
        std::uint32_t time = MapTime(k.time);
        if (ev.type == KeyRelease) {
            if (!vk) return;
            TBackendEvent e;
            e.kind = TBackendEvent::KeyUp;
            e.window = native;
            e.key = vk;
            e.time = time;
            deliver(e);
            return;
        }
        std::vector<char32_t> chars;
        KeySym sym = NoSymbol;
        if (w->InputContext) {
            char buf[64];
            Status status = 0;
            int n = Xutf8LookupString(w->InputContext, &k, buf, sizeof buf, &sym, &status);
            if (status == XBufferOverflow) {
                std::vector<char> big(static_cast<std::size_t>(n) + 1);
                n = Xutf8LookupString(w->InputContext, &k, big.data(), n + 1, &sym, &status);
                if (status == XLookupChars || status == XLookupBoth) DecodeUtf8(big.data(), n, chars);
            } else if (status == XLookupChars || status == XLookupBoth) {
                DecodeUtf8(buf, n, chars);
            }
        } else {
            char buf[32];
            int n = XLookupString(&k, buf, sizeof buf, &sym, nullptr);
            if (n == 1) {
                chars.push_back(static_cast<unsigned char>(buf[0])); // Latin-1
            } else if (n == 0) {
                if (char32_t c = CharFromKeySym(sym)) chars.push_back(c);
            }
        }
        std::erase(chars, char32_t(0x7F)); // Delete types nothing on the classic desktop
        if (vk) {
            // The key and what it types in this keyboard's layout travel together; the message
            // loop's TranslateMessage makes the character messages from them, once.
            TBackendEvent e;
            e.kind = TBackendEvent::KeyDown;
            e.window = native;
            e.key = vk;
            e.time = time;
            e.translated = true;
            e.text.assign(chars.begin(), chars.end());
            deliver(e);
            return;
        }
        // Text without a key of its own: what an input method composed (a dead key or compose
        // sequence ends in an event of key code 0).
        for (char32_t c : chars) {
            TBackendEvent e;
            e.kind = TBackendEvent::Char;
            e.window = native;
            e.ch = c;
            e.time = time;
            deliver(e);
        }
        return;
    }
    case FocusIn:
        if (w && w->InputContext) XSetICFocus(w->InputContext);
        return;
    case FocusOut: {
        if (!w) return;
        if (w->InputContext) XUnsetICFocus(w->InputContext);
        const XFocusChangeEvent& f = ev.xfocus;
        if (f.detail == NotifyInferior || f.detail == NotifyPointer) return;
        // Focus moving between our own windows is the window manager's business, not a loss.
        Window focus = XNone;
        int revert = 0;
        XGetInputFocus(Dpy, &focus, &revert);
        if (Find(focus)) return;
        TBackendEvent e;
        e.kind = TBackendEvent::FocusLost;
        e.window = native;
        e.time = Now();
        deliver(e);
        return;
    }
    case MapNotify:
        if (!w) return;
        w->Viewable = true;
        if (w->Iconic) {
            // The desktop gave an iconified window back (its task list, its icon).
            w->Iconic = false;
            TBackendEvent e;
            e.kind = TBackendEvent::Restored;
            e.window = native;
            e.time = Now();
            deliver(e);
        }
        if (w->FocusOnMap) {
            w->FocusOnMap = false;
            TX11ErrorTrap trap(Dpy);
            XSetInputFocus(Dpy, xid, RevertToParent, CurrentTime);
            trap.Check();
        }
        return;
    case UnmapNotify:
        if (w) w->Viewable = false;
        return;
    case PropertyNotify:
        if (!w || ev.xproperty.atom != WmState || ev.xproperty.state != PropertyNewValue) return;
        if (w->Mapped && !w->Iconic && IsIconicOnDesktop(xid)) {
            // The desktop iconified the window with its own controls.
            w->Iconic = true;
            TBackendEvent e;
            e.kind = TBackendEvent::Minimized;
            e.window = native;
            e.time = Now();
            deliver(e);
        }
        return;
    case ClientMessage: {
        if (!w || ev.xclient.message_type != WmProtocols || ev.xclient.format != 32) return;
        auto protocol = static_cast<Atom>(ev.xclient.data.l[0]);
        if (protocol == WmDeleteWindow) {
            TBackendEvent e;
            e.kind = TBackendEvent::Close;
            e.window = native;
            e.time = Now();
            deliver(e);
        } else if (protocol == NetWmPing) {
            XEvent reply = ev;
            reply.xclient.window = Root;
            XSendEvent(Dpy, Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &reply);
            XFlush(Dpy);
        }
        return;
    }
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterX11Backend() {
    RegisterX11BackendFactory([]() -> std::unique_ptr<TBackend> {
        try {
            return std::make_unique<TX11Backend>();
        } catch (const Exception&) {
            return nullptr; // no usable display: the caller falls back to the headless screen
        }
    });
}

} // namespace dw
