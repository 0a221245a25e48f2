// Window creation and destruction, the tree, positioning and showing, coordinates, text and long
// values, window procedures and sending.
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include "framework/platform/window/Input.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Classes and registered messages

ATOM RegisterClass(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty()) throw EInvalidArgument("A window class needs a name");
    if (!wc.lpfnWndProc)
        throw EInvalidArgument(Format("Window class \"%s\" has no window procedure", wc.lpszClassName));
    auto& wm = WM();
    String key = UpperCase(wc.lpszClassName);
    if (wm.FClasses.count(key)) return 0;
    auto rec = std::make_shared<TWindowClassRec>();
    rec->Atom = wm.FNextAtom++;
    rec->Name = wc.lpszClassName;
    rec->Style = wc.style;
    rec->Proc = wc.lpfnWndProc;
    rec->Cursor = wc.hCursor;
    rec->Background = wc.hbrBackground;
    wm.FClasses.emplace(key, rec);
    return rec->Atom;
}

bool UnregisterClass(std::string_view className) {
    auto& wm = WM();
    auto it = wm.FClasses.find(UpperCase(className));
    if (it == wm.FClasses.end() || it->second->WindowCount > 0) return false;
    wm.FClasses.erase(it);
    return true;
}

bool GetClassInfo(std::string_view className, WNDCLASS& wc) {
    auto& wm = WM();
    auto it = wm.FClasses.find(UpperCase(className));
    if (it == wm.FClasses.end()) return false;
    wc.style = it->second->Style;
    wc.lpfnWndProc = it->second->Proc;
    wc.hCursor = it->second->Cursor;
    wc.hbrBackground = it->second->Background;
    wc.lpszClassName = it->second->Name;
    return true;
}

String GetClassName(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && w->Class ? w->Class->Name : String();
}

LONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !w->Class) return 0;
    switch (index) {
    case GCL_STYLE:
        return w->Class->Style;
    case GCLP_HCURSOR:
        return reinterpret_cast<LONG_PTR>(w->Class->Cursor);
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<LONG_PTR>(w->Class->Background);
    }
    throw EInvalidArgument(Format("Unknown class value index %d", index));
}

LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !w->Class) return 0;
    LONG_PTR old = GetClassLongPtr(hwnd, index);
    switch (index) {
    case GCL_STYLE:
        w->Class->Style = static_cast<UINT>(value);
        break;
    case GCLP_HCURSOR:
        w->Class->Cursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HBRBACKGROUND:
        w->Class->Background = reinterpret_cast<HBRUSH>(value);
        break;
    }
    return old;
}

UINT RegisterWindowMessage(std::string_view name) {
    if (name.empty()) throw EInvalidArgument("A registered window message needs a name");
    auto& wm = WM();
    String key = UpperCase(name);
    auto it = wm.FRegisteredMessages.find(key);
    if (it != wm.FRegisteredMessages.end()) return it->second;
    UINT n = wm.FNextMessage++;
    if (n == 0xC002) n = wm.FNextMessage++; // reserved for the designer's own deferred refresh
    if (n > 0xFFFF) throw EOutOfResources("No window message numbers are left to register");
    wm.FRegisteredMessages.emplace(key, n);
    return n;
}

// ---------------------------------------------------------------------------------------------
// Window procedures

namespace {
// Procedures that are not plain functions are handed out as WNDPROC tokens that CallWindowProc
// recognises; real code addresses never look like these.
constexpr std::uintptr_t ProcTokenBase = 0xFFFF800000000000ull;
std::map<std::uintptr_t, std::shared_ptr<TWindowProc>>& ProcTokens() {
    static std::map<std::uintptr_t, std::shared_ptr<TWindowProc>> tokens;
    return tokens;
}
std::uintptr_t& NextProcToken() {
    static std::uintptr_t next = ProcTokenBase;
    return next;
}

WNDPROC ProcToWndProc(const std::shared_ptr<TWindowProc>& proc) {
    if (!proc || !*proc) return nullptr;
    if (auto* fn = proc->target<WNDPROC>()) return *fn;
    if (auto* fn = proc->target<LRESULT (*)(HWND, UINT, WPARAM, LPARAM)>()) return *fn;
    for (auto& [token, p] : ProcTokens())
        if (p == proc) return reinterpret_cast<WNDPROC>(token);
    std::uintptr_t token = (NextProcToken() += 16);
    ProcTokens().emplace(token, proc);
    return reinterpret_cast<WNDPROC>(token);
}
} // namespace

TWindowProc GetWindowProc(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && w->Proc ? *w->Proc : TWindowProc();
}

TWindowProc SetWindowProc(HWND hwnd, TWindowProc proc) {
    TWindow* w = WM().Get(hwnd);
    if (!proc) throw EInvalidArgument("A window procedure cannot be empty");
    TWindowProc old = w->Proc ? *w->Proc : TWindowProc();
    w->Proc = std::make_shared<TWindowProc>(std::move(proc));
    return old;
}

LRESULT CallWindowProc(const TWindowProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto value = reinterpret_cast<std::uintptr_t>(proc);
    if (value >= ProcTokenBase) {
        auto it = ProcTokens().find(value);
        if (it == ProcTokens().end()) throw EInvalidArgument("Unknown window procedure token");
        std::shared_ptr<TWindowProc> p = it->second;
        return (*p)(hwnd, msg, wParam, lParam);
    }
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return WM().Send(hwnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

namespace {
void SendParentNotify(TWindow* w, UINT event) {
    if (!w->IsChild() || (w->ExStyle & WS_EX_NOPARENTNOTIFY)) return;
    auto& wm = WM();
    TWindow* child = w;
    for (TWindow* p = w->Parent; p && p != wm.Desktop(); p = p->Parent) {
        wm.Send(p, WM_PARENTNOTIFY, event | (static_cast<WPARAM>(child->Id & 0xFFFF) << 16),
                reinterpret_cast<LPARAM>(w->Handle));
        if (!p->IsChild() || (p->ExStyle & WS_EX_NOPARENTNOTIFY)) break;
        child = p;
    }
}

TRect CalcClient(TWindow* w, const TRect& windowRect) {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = windowRect;
    params.rgrc[1] = windowRect;
    params.rgrc[2] = w->Client.Offset(windowRect.Left, windowRect.Top);
    WM().Send(w, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&params));
    TRect c = params.rgrc[0];
    // Keep the client inside the window and never inverted.
    c.Left = std::clamp(c.Left, windowRect.Left, windowRect.Right);
    c.Top = std::clamp(c.Top, windowRect.Top, windowRect.Bottom);
    c.Right = std::clamp(c.Right, c.Left, windowRect.Right);
    c.Bottom = std::clamp(c.Bottom, c.Top, windowRect.Bottom);
    return c.Offset(-windowRect.Left, -windowRect.Top);
}

void DestroyTree(TWindow* w, std::vector<TWindow*>& order) {
    auto& wm = WM();
    w->Destroying = true;
    order.push_back(w);
    wm.Send(w, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    for (TWindow* c : w->Children) children.push_back(c->Handle);
    for (HWND h : children)
        if (TWindow* c = wm.Find(h); c && !c->Destroying) DestroyTree(c, order);
    wm.Send(w, WM_NCDESTROY, 0, 0);
}
} // namespace

HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, LONG_PTR id, void* createParams) {
    auto& wm = WM();
    auto cls = wm.FClasses.find(UpperCase(className));
    if (cls == wm.FClasses.end())
        throw EInvalidArgument(Format("Window class \"%s\" is not registered", String(className)));
    TWindow* parentRec = nullptr;
    TWindow* ownerRec = nullptr;
    if (style & WS_CHILD) {
        parentRec = wm.Find(parent);
        if (!parentRec)
            throw EInvalidArgument(Format("Child window of class \"%s\" needs a valid parent", String(className)));
    } else {
        parentRec = wm.Desktop();
        if (parent && parent != wm.Desktop()->Handle && parent != HWND_MESSAGE) {
            ownerRec = wm.Find(parent);
            if (!ownerRec)
                throw EInvalidArgument(Format("Owner of a window of class \"%s\" is invalid", String(className)));
            ownerRec = wm.TopLevelOf(ownerRec);
        }
    }
    if (!(style & WS_CHILD)) {
        style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP)) style |= WS_CAPTION; // overlapped windows always have a caption
    }
    if ((style & WS_DLGFRAME) || (style & WS_THICKFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        exStyle |= WS_EX_WINDOWEDGE;
    if (parentRec != wm.Desktop() && parentRec->IsRtl() && !(parentRec->ExStyle & WS_EX_NOINHERITLAYOUT))
        exStyle |= WS_EX_LAYOUTRTL;

    if (x == CW_USEDEFAULT || y == CW_USEDEFAULT) {
        int step = (wm.FCascade++ % 10) * 24;
        x = 40 + step;
        y = 40 + step;
    }
    if (width == CW_USEDEFAULT || height == CW_USEDEFAULT) {
        width = 480;
        height = 360;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto rec = std::make_unique<TWindow>();
    TWindow* w = rec.get();
    w->Class = cls->second;
    w->Proc = std::make_shared<TWindowProc>(cls->second->Proc);
    w->Style = style & ~DWORD(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    w->ExStyle = exStyle;
    w->Owner = ownerRec;
    w->Id = (style & WS_CHILD) ? id : 0;
    w->Rect = Bounds(x, y, width, height);
    w->Client = Bounds(0, 0, width, height);
    w->MessageOnly = parent == HWND_MESSAGE && !(style & WS_CHILD);
    if (w->MessageOnly) style &= ~WS_VISIBLE;
    HWND h = wm.NewHandle(std::move(rec));
    cls->second->WindowCount++;
    wm.LinkTop(w, parentRec);

    String name(windowName);
    String clsName(className);
    CREATESTRUCT cs;
    cs.lpCreateParams = createParams;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HWND>(id);
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = style;
    cs.lpszName = name.c_str();
    cs.lpszClass = clsName.c_str();
    cs.dwExStyle = exStyle;
    // A window whose creation fails on the way goes away again.
    auto undo = ScopeFail([&] {
        if (wm.Find(h)) DestroyWindow(h);
    });
    if (!wm.Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (wm.Find(h)) DestroyWindow(h);
        return nullptr;
    }
    if (!wm.Find(h)) return nullptr;
    w->Created = true;
    w->Client = CalcClient(w, w->Rect);
    if (wm.Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (wm.Find(h)) DestroyWindow(h);
        return nullptr;
    }
    if (!wm.Find(h)) return nullptr;
    wm.Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    TPoint clientPos = w->Rect.TopLeft() + w->Client.TopLeft();
    wm.Send(w, WM_MOVE, 0, MAKELPARAM(clientPos.X, clientPos.Y));
    SendParentNotify(w, WM_CREATE);
    if (wm.Find(h) && (style & WS_VISIBLE)) {
        if (style & WS_MAXIMIZE)
            ShowWindow(h, SW_SHOWMAXIMIZED);
        else if (style & WS_MINIMIZE)
            ShowWindow(h, SW_SHOWMINNOACTIVE);
        else
            ShowWindow(h, SW_SHOW);
    }
    return wm.Find(h) ? h : nullptr;
}

bool DestroyWindow(HWND hwnd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop() || w->Destroying) return false;
    // Owned pop-ups go first.
    std::vector<HWND> owned;
    for (auto& [value, rec] : wm.FWindows)
        if (rec->Owner == w && !rec->Destroying) owned.push_back(rec->Handle);
    for (HWND o : owned) DestroyWindow(o);
    if (!wm.Find(hwnd)) return true;

    SendParentNotify(w, WM_DESTROY);
    if (!wm.Find(hwnd)) return true;
    if (w->Style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!wm.Find(hwnd)) return true;
    if (w->ExStyle & WS_EX_MDICHILD) WmMdiChildDestroyed(w);
    if (wm.FActive && wm.IsDescendant(w, wm.FActive)) WmActivateNext(w);
    WmForgetInputState(w);

    std::vector<TWindow*> order;
    try {
        DestroyTree(w, order);
    } catch (...) {
        // The tree goes away even when a window procedure throws on the way; the error still reaches the caller.
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            TWindow* d = *it;
            if (d->Destroyed) continue;
            WmForgetInputState(d);
            WmRemoveFromPaintSet(d);
        }
        std::vector<TWindow*> all;
        std::function<void(TWindow*)> collect = [&](TWindow* x) {
            all.push_back(x);
            for (TWindow* c : x->Children) collect(c);
        };
        collect(w);
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            TWindow* d = *it;
            if (d->Native) WmDestroyNative(d);
            WmForgetInputState(d);
            WmRemoveFromPaintSet(d);
            if (d->Class) d->Class->WindowCount--;
            wm.Unlink(d);
            wm.Forget(d);
        }
        throw;
    }
    // Records go in reverse order so that children are unlinked before their parents.
    std::vector<TWindow*> all;
    std::function<void(TWindow*)> collect = [&](TWindow* x) {
        all.push_back(x);
        for (TWindow* c : x->Children) collect(c);
    };
    collect(w);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        TWindow* d = *it;
        WmForgetInputState(d);
        WmRemoveFromPaintSet(d);
        WmDropSavedBits(d);
        if (d->Native) WmDestroyNative(d);
        if (d->Class) d->Class->WindowCount--;
        wm.Unlink(d);
        wm.Forget(d);
    }
    return true;
}

bool IsWindow(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && w != WM().Desktop();
}

int GetWindowCount() {
    return static_cast<int>(WM().WindowCount());
}

// ---------------------------------------------------------------------------------------------
// Long values, properties, text

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<std::int32_t>(w->Style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->ExStyle);
    case GWLP_USERDATA:
        return w->UserData;
    case GWLP_ID:
        return w->Id;
    case GWLP_HINSTANCE:
        return 0;
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->IsChild() ? H(w->Parent) : H(w->Owner));
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(ProcToWndProc(w->Proc));
    }
    throw EInvalidArgument(Format("Unknown window value index %d", index));
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_STYLE: {
        DWORD newStyle = static_cast<DWORD>(value);
        DWORD changed = newStyle ^ w->Style;
        // Visibility and enabling have their own operations with their own messages; the bits
        // follow here the way they always did.
        w->Style = newStyle;
        if ((changed & WS_VISIBLE) && !wm.IsTopLevel(w) && w->Parent) WmExposeParentArea(w->Parent, w->Rect);
        break;
    }
    case GWL_EXSTYLE: {
        DWORD newEx = static_cast<DWORD>(value);
        bool topmostChanged = ((newEx ^ w->ExStyle) & WS_EX_TOPMOST) != 0;
        w->ExStyle = newEx;
        if (topmostChanged && wm.IsTopLevel(w)) {
            wm.LinkTop(w, w->Parent);
            wm.RestackNative();
        }
        if (w->Native) {
            TNativeWindowFlags flags{(w->Style & WS_POPUP) != 0, (w->ExStyle & WS_EX_TOPMOST) != 0,
                                     (w->ExStyle & WS_EX_NOACTIVATE) != 0};
            wm.Backend().SetNativeWindowFlags(w->Native, flags);
        }
        break;
    }
    case GWLP_USERDATA:
        w->UserData = value;
        break;
    case GWLP_ID:
        w->Id = value;
        break;
    case GWLP_HWNDPARENT:
        if (!w->IsChild()) w->Owner = wm.TopLevelOf(wm.Find(reinterpret_cast<HWND>(value)));
        break;
    case GWLP_WNDPROC: {
        auto proc = reinterpret_cast<WNDPROC>(value);
        if (!proc) throw EInvalidArgument("A window procedure cannot be empty");
        auto v = static_cast<std::uintptr_t>(value);
        if (v >= ProcTokenBase) {
            auto it = ProcTokens().find(v);
            if (it == ProcTokens().end()) throw EInvalidArgument("Unknown window procedure token");
            w->Proc = it->second;
        } else {
            w->Proc = std::make_shared<TWindowProc>(proc);
        }
        break;
    }
    }
    return old;
}

bool SetProp(HWND hwnd, std::string_view name, void* value) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    w->Props[UpperCase(name)] = value;
    return true;
}

void* GetProp(HWND hwnd, std::string_view name) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return nullptr;
    auto it = w->Props.find(UpperCase(name));
    return it == w->Props.end() ? nullptr : it->second;
}

void* RemoveProp(HWND hwnd, std::string_view name) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return nullptr;
    auto it = w->Props.find(UpperCase(name));
    if (it == w->Props.end()) return nullptr;
    void* v = it->second;
    w->Props.erase(it);
    return v;
}

bool SetWindowText(HWND hwnd, std::string_view text) {
    String s(text);
    return IsWindow(hwnd) && SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())) != 0;
}

String GetWindowText(HWND hwnd) {
    if (!IsWindow(hwnd)) return {};
    int len = static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    if (len <= 0) return {};
    String buf(static_cast<size_t>(len) + 1, '\0');
    int got = static_cast<int>(SendMessage(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(static_cast<size_t>(std::clamp(got, 0, len)));
    return buf;
}

int GetWindowTextLength(HWND hwnd) {
    if (!IsWindow(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// The tree

HWND GetDesktopWindow() {
    return WM().Desktop()->Handle;
}

HWND GetParent(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w || w == WM().Desktop()) return nullptr;
    if (w->IsChild()) return H(w->Parent);
    return H(w->Owner);
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return nullptr;
    switch (flags) {
    case GA_PARENT:
        return H(w->Parent);
    case GA_ROOT:
        return H(wm.TopLevelOf(w));
    case GA_ROOTOWNER: {
        TWindow* r = wm.TopLevelOf(w);
        while (r->Owner) r = r->Owner;
        return H(r);
    }
    }
    return nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    auto& wm = WM();
    TWindow* w = wm.Get(hwnd);
    TWindow* np = newParent ? wm.Get(newParent) : wm.Desktop();
    if (w == wm.Desktop()) throw EInvalidArgument("The desktop window has no parent to change");
    if (wm.IsDescendant(w, np))
        throw EInvalidArgument("A window cannot become a child of itself or of its descendants");
    TWindow* old = w->Parent;
    HWND oldHandle = old == wm.Desktop() ? nullptr : H(old);
    if (old == np) return oldHandle;
    bool visible = (w->Style & WS_VISIBLE) != 0;
    TRect screen = wm.ScreenRect(w);
    if (visible) {
        if (wm.IsTopLevel(w)) {
            if (w->Native) wm.Backend().ShowNativeWindow(w->Native, false, false);
        } else {
            WmExposeParentArea(old, w->Rect);
        }
    }
    bool wasTop = wm.IsTopLevel(w);
    if (wasTop && w->Native) WmDestroyNative(w);
    if (wasTop && wm.FActive == w) {
        WmActivateNext(w);
        if (wm.FActive == w) wm.FActive = nullptr;
    }
    wm.Unlink(w);
    if (np == wm.Desktop()) {
        w->Style &= ~WS_CHILD;
        w->Id = 0;
    } else {
        w->Style |= WS_CHILD;
        w->Style &= ~WS_POPUP;
        w->Owner = nullptr;
    }
    wm.LinkTop(w, np);
    // The window keeps its place on the screen; its rectangle is now relative to the new parent.
    TPoint pos = screen.TopLeft();
    if (np != wm.Desktop()) {
        TRect inParent = screen;
        MapWindowRect(nullptr, np->Handle, inParent);
        pos = {std::min(inParent.Left, inParent.Right), inParent.Top};
    }
    w->Rect = Bounds(pos.X, pos.Y, w->Rect.Width(), w->Rect.Height());
    if (visible) {
        if (np == wm.Desktop()) {
            WmSyncNative(w, true);
        }
        WmRedraw(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (wm.FFocus && wm.IsDescendant(w, wm.FFocus) && wm.FActive != wm.TopLevelOf(w)) {
        // Focus stays with its window even when the window changes top-level windows; the new
        // top-level window takes the activation so that keys keep arriving there.
        if (wm.ReallyVisible(w)) WmActivate(wm.TopLevelOf(w), WA_ACTIVE);
    }
    return oldHandle;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->Children.empty() ? nullptr : H(w->Children.front());
    if (cmd == GW_OWNER) return H(w->Owner);
    if (!w->Parent) return nullptr;
    auto& list = w->Parent->Children;
    auto it = std::find(list.begin(), list.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST:
        return H(list.front());
    case GW_HWNDLAST:
        return H(list.back());
    case GW_HWNDNEXT:
        return it + 1 < list.end() ? H(*(it + 1)) : nullptr;
    case GW_HWNDPREV:
        return it > list.begin() ? H(*(it - 1)) : nullptr;
    }
    return nullptr;
}

HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

bool IsChild(HWND parent, HWND hwnd) {
    auto& wm = WM();
    TWindow* p = wm.Find(parent);
    TWindow* w = wm.Find(hwnd);
    if (!p || !w || p == w) return false;
    for (TWindow* c = w; c->IsChild() && c->Parent; c = c->Parent)
        if (c->Parent == p) return true;
    return false;
}

namespace {
bool EnumTree(TWindow* parent, const std::function<bool(HWND)>& fn) {
    auto& wm = WM();
    std::vector<HWND> kids;
    for (TWindow* c : parent->Children) kids.push_back(c->Handle);
    for (HWND h : kids) {
        TWindow* c = wm.Find(h);
        if (!c) continue;
        if (!fn(h)) return false;
        if ((c = wm.Find(h)) && !EnumTree(c, fn)) return false;
    }
    return true;
}
} // namespace

bool EnumChildWindows(HWND parent, const std::function<bool(HWND)>& fn) {
    TWindow* p = WM().Find(parent);
    if (!p) return false;
    return EnumTree(p, fn);
}

bool EnumWindows(const std::function<bool(HWND)>& fn) {
    auto& wm = WM();
    std::vector<HWND> tops;
    for (TWindow* c : wm.Desktop()->Children) tops.push_back(c->Handle);
    for (HWND h : tops)
        if (wm.Find(h) && !fn(h)) return false;
    return true;
}

HWND FindWindow(std::string_view className, std::string_view windowName) {
    for (TWindow* c : WM().Desktop()->Children) {
        if (!className.empty() && (!c->Class || !SameText(c->Class->Name, className))) continue;
        if (!windowName.empty() && c->Text != windowName) continue;
        return c->Handle;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Positioning and showing

namespace {
TWindow* ResolveInsertAfter(TWindow* w, HWND insertAfter, bool& toBottom) {
    toBottom = false;
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) return nullptr;
    if (insertAfter == HWND_BOTTOM) {
        toBottom = true;
        return nullptr;
    }
    TWindow* a = WM().Find(insertAfter);
    if (!a || a->Parent != w->Parent || a == w) return nullptr;
    return a;
}
} // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return false;
    if ((flags & SWP_SHOWWINDOW) && ((w->Style & WS_VISIBLE) || w->MessageOnly)) flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w->Style & WS_VISIBLE)) flags &= ~SWP_HIDEWINDOW;

    WINDOWPOS pos;
    pos.hwnd = hwnd;
    pos.hwndInsertAfter = insertAfter;
    pos.x = (flags & SWP_NOMOVE) ? w->Rect.Left : x;
    pos.y = (flags & SWP_NOMOVE) ? w->Rect.Top : y;
    pos.cx = (flags & SWP_NOSIZE) ? w->Rect.Width() : std::max(cx, 0);
    pos.cy = (flags & SWP_NOSIZE) ? w->Rect.Height() : std::max(cy, 0);
    pos.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING)) {
        wm.Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!wm.Find(hwnd)) return false;
        flags = pos.flags;
    }
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);

    const TRect oldRect = w->Rect;
    const TRect oldClient = w->Client;
    const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
    const bool wasReallyVisible = wm.ReallyVisible(w);
    TRect newRect = Bounds(pos.x, pos.y, pos.cx, pos.cy);
    bool moved = newRect.TopLeft() != oldRect.TopLeft();
    bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    bool frameChanged = (flags & SWP_FRAMECHANGED) != 0;

    TRect newClient = oldClient;
    if (sized || frameChanged) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = oldClient.Offset(oldRect.Left, oldRect.Top);
        params.lppos = &pos;
        wm.Send(w, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
        if (!wm.Find(hwnd)) return false;
        TRect c = params.rgrc[0];
        c.Left = std::clamp(c.Left, newRect.Left, newRect.Right);
        c.Top = std::clamp(c.Top, newRect.Top, newRect.Bottom);
        c.Right = std::clamp(c.Right, c.Left, newRect.Right);
        c.Bottom = std::clamp(c.Bottom, c.Top, newRect.Bottom);
        newClient = c.Offset(-newRect.Left, -newRect.Top);
    }
    bool clientMoved = (newClient.TopLeft() + newRect.TopLeft()) != (oldClient.TopLeft() + oldRect.TopLeft());
    bool clientSized = newClient.Width() != oldClient.Width() || newClient.Height() != oldClient.Height();

    // Z-order.
    bool zChanged = false;
    if (!(flags & SWP_NOZORDER) && w->Parent) {
        auto& list = w->Parent->Children;
        auto before = std::find(list.begin(), list.end(), w) - list.begin();
        if (wm.IsTopLevel(w)) {
            if (pos.hwndInsertAfter == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
            if (pos.hwndInsertAfter == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
        }
        bool toBottom = false;
        TWindow* after = ResolveInsertAfter(w, pos.hwndInsertAfter, toBottom);
        if (toBottom)
            wm.LinkBottom(w, w->Parent);
        else
            wm.LinkAt(w, w->Parent, after);
        auto now = std::find(list.begin(), list.end(), w) - list.begin();
        zChanged = now != before;
        // Owned pop-ups stay above their owner.
        if (wm.IsTopLevel(w) && !(flags & SWP_NOOWNERZORDER)) wm.RaiseOwned(w);
        if (zChanged && wm.IsTopLevel(w)) wm.RestackNative();
    }

    // Old area of a child is exposed in the parent before the window changes.
    bool geometryChanged = moved || sized || frameChanged;
    bool saveBits = !wm.IsTopLevel(w) && w->Class && (w->Class->Style & CS_SAVEBITS);
    if (!(flags & SWP_NOREDRAW) && wasReallyVisible && !wm.IsTopLevel(w) &&
        (geometryChanged || (flags & SWP_HIDEWINDOW) || zChanged)) {
        // A save-bits window that goes away puts back what it covered instead of repainting it.
        bool restored = saveBits && !zChanged && WmRestoreBitsUnder(w);
        if (!restored) WmExposeParentArea(w->Parent, oldRect);
    } else if (saveBits && (geometryChanged || (flags & SWP_HIDEWINDOW) || zChanged)) {
        WmDropSavedBits(w);
    }

    w->Rect = newRect;
    w->Client = newClient;
    if (flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;

    if (wm.IsTopLevel(w)) {
        if ((flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) || moved || sized || w->Native)
            WmSyncNative(w, sized || (flags & SWP_SHOWWINDOW) != 0);
    }

    bool nowVisible = wm.ReallyVisible(w);
    if (saveBits && nowVisible && !(flags & SWP_NOREDRAW) && ((flags & SWP_SHOWWINDOW) || geometryChanged || zChanged))
        WmSaveBitsUnder(w);
    // A top-level window has its own surface: moving or restacking it leaves its pixels valid.
    bool selfChanged = wm.IsTopLevel(w) ? (sized || frameChanged) : (geometryChanged || zChanged);
    if (!(flags & SWP_NOREDRAW) && nowVisible && ((flags & SWP_SHOWWINDOW) || selfChanged)) {
        UINT rdw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
        WmRedraw(w, nullptr, rdw);
    } else if (frameChanged && nowVisible) {
        WmRedraw(w, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if ((flags & SWP_HIDEWINDOW) && wasVisible) {
        if (wm.FCapture && wm.IsDescendant(w, wm.FCapture)) ReleaseCapture();
    }

    // Report only what really changed.
    pos.x = newRect.Left;
    pos.y = newRect.Top;
    pos.cx = newRect.Width();
    pos.cy = newRect.Height();
    pos.flags = flags;
    // What the client area did decides WM_MOVE and WM_SIZE, as a frame change moves it too.
    if (!clientMoved && !moved)
        pos.flags |= SWP_NOMOVE;
    else
        pos.flags &= ~SWP_NOMOVE;
    if (!clientSized && !sized)
        pos.flags |= SWP_NOSIZE;
    else
        pos.flags &= ~SWP_NOSIZE;
    if (!zChanged) pos.flags |= SWP_NOZORDER;
    if (!(pos.flags & SWP_NOMOVE) || !(pos.flags & SWP_NOSIZE) || !(pos.flags & SWP_NOZORDER) ||
        (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)))
        wm.Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!wm.Find(hwnd)) return true;

    // Activation of top-level windows brought up without SWP_NOACTIVATE.
    if (!(flags & SWP_NOACTIVATE) && wm.IsTopLevel(w) && wm.ReallyVisible(w) && !(w->ExStyle & WS_EX_NOACTIVATE) &&
        !(w->Style & WS_DISABLED) && wm.FActive != w && ((flags & SWP_SHOWWINDOW) || !(flags & SWP_NOZORDER)))
        WmActivate(w, WA_ACTIVE);
    else if (!(flags & SWP_NOACTIVATE) && (w->ExStyle & WS_EX_MDICHILD) && wm.ReallyVisible(w) &&
             ((flags & SWP_SHOWWINDOW) || !(flags & SWP_NOZORDER)))
        wm.Send(w, WM_CHILDACTIVATE, 0, 0);
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

bool BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {
// The rectangle a maximised window takes: the parent's client area (the screen for top-level
// windows) with the frame outside it; an MDI child also puts its caption outside.
TRect MaximizedRect(TWindow* w) {
    auto& wm = WM();
    TRect area =
        wm.IsTopLevel(w) ? wm.Desktop()->Rect : Bounds(0, 0, w->Parent->Client.Width(), w->Parent->Client.Height());
    TRect insets = WmNcInsets(w, Bounds(0, 0, area.Width(), area.Height()));
    TRect r = area;
    r.Left -= insets.Left;
    r.Right += insets.Right;
    r.Bottom += insets.Bottom;
    if (w->ExStyle & WS_EX_MDICHILD)
        r.Top -= insets.Top;
    else
        r.Top -= std::min(insets.Left, insets.Top); // the caption stays on screen
    MINMAXINFO mmi;
    mmi.ptMaxSize = {r.Width(), r.Height()};
    mmi.ptMaxPosition = r.TopLeft();
    mmi.ptMinTrackSize = {0, 0};
    mmi.ptMaxTrackSize = {r.Width(), r.Height()};
    wm.Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
}

TRect MinimizedRect(TWindow* w) {
    auto& wm = WM();
    int iconWidth = 160, iconHeight = 24;
    if (wm.IsTopLevel(w)) {
        // The desktop's window manager keeps an icon of its own; the window keeps its place.
        w->DesktopIcon = wm.Backend().HasWindowManager();
        if (w->DesktopIcon) return w->Rect;
    }
    int index = 0;
    for (TWindow* s : w->Parent->Children)
        if (s != w && (s->Style & WS_MINIMIZE)) ++index;
    int h = w->Parent->Client.Height();
    return Bounds(index * iconWidth, h - iconHeight, iconWidth, iconHeight);
}
} // namespace

bool ShowWindow(HWND hwnd, int cmd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return false;
    bool wasVisible = (w->Style & WS_VISIBLE) != 0;
    if (w->MessageOnly) return false;
    if (cmd == SW_HIDE) {
        if (!wasVisible) return false;
        wm.Send(w, WM_SHOWWINDOW, 0, 0);
        if (!wm.Find(hwnd)) return true;
        bool wasActiveMdi = (w->ExStyle & WS_EX_MDICHILD) != 0;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!wm.Find(hwnd)) return true;
        if (wm.FActive && wm.IsDescendant(w, wm.FActive)) WmActivateNext(w);
        if (wasActiveMdi) WmMdiChildHidden(w);
        if (wm.FFocus && wm.IsDescendant(w, wm.FFocus) && wm.IsTopLevel(w)) WmSetFocus(nullptr);
        return true;
    }

    bool activate = true;
    switch (cmd) {
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
        activate = false;
        break;
    }
    if (!wasVisible) {
        wm.Send(w, WM_SHOWWINDOW, 1, 0);
        if (!wm.Find(hwnd)) return false;
    }

    UINT flags = SWP_SHOWWINDOW | SWP_NOZORDER | (activate ? 0u : static_cast<UINT>(SWP_NOACTIVATE));
    bool zoomed = (w->Style & WS_MAXIMIZE) != 0;
    bool iconic = (w->Style & WS_MINIMIZE) != 0;
    TRect target = w->Rect;
    bool changeRect = false;
    WPARAM sizeKind = SIZE_RESTORED;
    switch (cmd) {
    case SW_MAXIMIZE: // == SW_SHOWMAXIMIZED
        if (!zoomed) {
            if (!iconic) {
                w->RestoreRect = w->Rect;
                w->HasRestoreRect = true;
            }
            w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
            target = MaximizedRect(w);
            changeRect = true;
            sizeKind = SIZE_MAXIMIZED;
        }
        flags &= ~SWP_NOZORDER;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!iconic) {
            if (!zoomed) {
                w->RestoreRect = w->Rect;
                w->HasRestoreRect = true;
            }
            w->Style = (w->Style | WS_MINIMIZE);
            target = MinimizedRect(w);
            changeRect = true;
            sizeKind = SIZE_MINIMIZED;
            if (wm.FActive == w) WmActivateNext(w);
            if (wm.FFocus && wm.IsDescendant(w, wm.FFocus)) WmSetFocus(nullptr);
        }
        activate = false;
        flags |= SWP_NOACTIVATE;
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (iconic && zoomed) {
            // A maximised window that was minimised comes back maximised.
            w->Style &= ~WS_MINIMIZE;
            target = MaximizedRect(w);
            changeRect = true;
            sizeKind = SIZE_MAXIMIZED;
        } else if (iconic || zoomed) {
            w->Style &= ~DWORD(WS_MINIMIZE | WS_MAXIMIZE);
            if (w->HasRestoreRect) target = w->RestoreRect;
            changeRect = true;
        }
        flags &= ~SWP_NOZORDER;
        break;
    default:
        break;
    }
    if (changeRect) {
        SetWindowPos(hwnd, HWND_TOP, target.Left, target.Top, target.Width(), target.Height(),
                     (flags | SWP_FRAMECHANGED) & ~SWP_NOZORDER);
        if (!wm.Find(hwnd)) return wasVisible;
        // WM_SIZE reports the kind of change.
        if (sizeKind != SIZE_RESTORED) wm.Send(w, WM_SIZE, sizeKind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    } else {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (!wm.Find(hwnd)) return wasVisible;
    if (activate && wm.IsTopLevel(w) && wm.FActive != w && !(w->ExStyle & WS_EX_NOACTIVATE) && wm.ReallyVisible(w))
        WmActivate(w, WA_ACTIVE);
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    return w && w != wm.Desktop() && wm.ReallyVisible(w);
}

bool IsIconic(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && (w->Style & WS_MINIMIZE);
}

bool IsZoomed(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && (w->Style & WS_MAXIMIZE) && !(w->Style & WS_MINIMIZE);
}

bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT& wp) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    wp.showCmd = (w->Style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                 : (w->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                            : SW_SHOWNORMAL;
    wp.rcNormalPosition = ((w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) && w->HasRestoreRect) ? w->RestoreRect : w->Rect;
    return true;
}

bool EnableWindow(HWND hwnd, bool enable) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w || w == wm.Desktop()) return false;
    bool wasDisabled = (w->Style & WS_DISABLED) != 0;
    if (enable == !wasDisabled) return wasDisabled;
    if (!enable) {
        // Whatever mode the capture window runs (a drag, a scroll) ends first.
        if (wm.FTrack.Kind != TTrackState::None && wm.IsDescendant(w, wm.Find(wm.FTrack.Hwnd))) WmEndTracking(true);
        if (wm.FCapture && wm.IsDescendant(w, wm.FCapture)) wm.Send(wm.FCapture, WM_CANCELMODE, 0, 0);
        if (!wm.Find(hwnd)) return wasDisabled;
        w->Style |= WS_DISABLED;
        if (wm.FFocus && wm.IsDescendant(w, wm.FFocus)) WmSetFocus(nullptr);
    } else {
        w->Style &= ~WS_DISABLED;
    }
    wm.Send(w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    return w && !(w->Style & WS_DISABLED);
}

// ---------------------------------------------------------------------------------------------
// Coordinates

bool GetWindowRect(HWND hwnd, TRect& rect) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    rect = WM().ScreenRect(w);
    return true;
}

bool GetClientRect(HWND hwnd, TRect& rect) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    rect = {0, 0, w->Client.Width(), w->Client.Height()};
    return true;
}

TRect GetWindowRect(HWND hwnd) {
    TRect r;
    GetWindowRect(hwnd, r);
    return r;
}

TRect GetClientRect(HWND hwnd) {
    TRect r;
    GetClientRect(hwnd, r);
    return r;
}

bool ClientToScreen(HWND hwnd, TPoint& p) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    p = WM().ClientToScreen(w, p);
    return true;
}

bool ScreenToClient(HWND hwnd, TPoint& p) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    p = WM().ScreenToClient(w, p);
    return true;
}

int MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
    auto& wm = WM();
    TWindow* f = from ? wm.Find(from) : nullptr;
    TWindow* t = to ? wm.Find(to) : nullptr;
    if ((from && !f) || (to && !t)) return 0;
    for (int i = 0; i < count; ++i) {
        TPoint p = f ? wm.ClientToScreen(f, points[i]) : points[i];
        points[i] = t ? wm.ScreenToClient(t, p) : p;
    }
    return count;
}

void MapWindowRect(HWND from, HWND to, TRect& rect) {
    // Map the corner pixels and rebuild the edges, so that mirrored sides swap left and right. An
    // extent of nothing (a window 0 pixels wide or high) has no corner pixel: it maps as the edge
    // it lies on, and stays nothing.
    bool noWidth = rect.Right == rect.Left, noHeight = rect.Bottom == rect.Top;
    TPoint pts[3] = {{rect.Left, rect.Top}, {rect.Right - 1, rect.Bottom - 1}, {rect.Left + 1, rect.Top}};
    MapWindowPoints(from, to, pts, 3);
    const TPoint& a = pts[0];
    const TPoint& b = pts[1];
    rect = {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1, std::max(a.Y, b.Y) + 1};
    if (noWidth) {
        // Mirrored, the edge at x is the right edge of the pixel x maps to.
        bool mirrored = pts[2].X < a.X;
        rect.Left = rect.Right = mirrored ? a.X + 1 : a.X;
    }
    if (noHeight) rect.Top = rect.Bottom = a.Y;
}

namespace {
// Hit test through WM_NCHITTEST, in screen coordinates.
int HitTest(TWindow* w, TPoint screen) {
    return static_cast<int>(WM().Send(w, WM_NCHITTEST, 0, PointToLParam(screen)));
}

bool ContainsScreenPoint(TWindow* w, TPoint screen) {
    auto& wm = WM();
    TRect r = wm.ScreenRect(w);
    if (!r.Contains(screen)) return false;
    if (w->Shape) {
        TPoint local = screen - r.TopLeft();
        if (!w->Shape->Contains(local)) return false;
    }
    return true;
}

HWND FindDeepest(TWindow* parent, TPoint screen) {
    auto& wm = WM();
    if (!wm.ScreenClient(parent).Contains(screen)) return nullptr;
    for (TWindow* c : parent->Children) {
        if (!(c->Style & WS_VISIBLE)) continue;
        if (!ContainsScreenPoint(c, screen)) continue;
        if (c->ExStyle & WS_EX_TRANSPARENT) continue;
        HWND h = c->Handle;
        if (!(c->Style & WS_DISABLED)) {
            if (HWND deeper = FindDeepest(c, screen)) return deeper;
            if (!wm.Find(h)) return nullptr;
        }
        int hit = HitTest(c, screen);
        if (!wm.Find(h)) return nullptr;
        if (hit == HTTRANSPARENT) continue;
        return h;
    }
    return nullptr;
}
} // namespace

HWND WindowFromPoint(TPoint screen) {
    auto& wm = WM();
    std::vector<HWND> tops;
    for (TWindow* t : wm.Desktop()->Children) tops.push_back(t->Handle);
    for (HWND th : tops) {
        TWindow* t = wm.Find(th);
        if (!t || !(t->Style & WS_VISIBLE) || (t->Style & WS_MINIMIZE)) continue;
        if (!ContainsScreenPoint(t, screen)) continue;
        if (t->ExStyle & WS_EX_TRANSPARENT) continue;
        if (!(t->Style & WS_DISABLED))
            if (HWND deeper = FindDeepest(t, screen)) return deeper;
        if (!wm.Find(th)) continue;
        if (HitTest(t, screen) == HTTRANSPARENT) continue;
        return th;
    }
    return nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, TPoint p, UINT flags) {
    auto& wm = WM();
    TWindow* w = wm.Find(parent);
    if (!w) return nullptr;
    if (!TRect{0, 0, w->Client.Width(), w->Client.Height()}.Contains(p)) return nullptr;
    TPoint screen = wm.ClientToScreen(w, p);
    for (TWindow* c : w->Children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)) continue;
        if (ContainsScreenPoint(c, screen)) return c->Handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, TPoint p) {
    return ChildWindowFromPointEx(parent, p, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, TPoint p) {
    auto& wm = WM();
    TWindow* w = wm.Find(parent);
    if (!w) return nullptr;
    TPoint screen = wm.ClientToScreen(w, p);
    for (TWindow* c : w->Children) {
        if (!(c->Style & WS_VISIBLE) || !ContainsScreenPoint(c, screen)) continue;
        HWND h = c->Handle;
        if (HitTest(c, screen) == HTTRANSPARENT) continue;
        if (!wm.Find(h)) return nullptr;
        return h;
    }
    return parent;
}

} // namespace dw
