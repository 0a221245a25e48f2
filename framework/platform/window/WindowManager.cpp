// The window manager's records, tree and geometry helpers and visible regions.
#include "framework/platform/window/WindowManager.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/window/Mdi.h"

#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace dw {

namespace {
std::unique_ptr<TWindowManager>& Instance() {
    static std::unique_ptr<TWindowManager> instance;
    return instance;
}
} // namespace

TWindowManager& WM() {
    auto& inst = Instance();
    if (!inst) inst = std::make_unique<TWindowManager>();
    if (!inst->HasBackend()) inst->Reset(CreateDefaultBackend());
    return *inst;
}

void SetBackend(std::unique_ptr<TBackend> backend) {
    auto& inst = Instance();
    if (!inst) inst = std::make_unique<TWindowManager>();
    inst->Reset(backend ? std::move(backend) : CreateDefaultBackend());
}

TBackend& CurrentBackend() {
    return WM().Backend();
}

TWindowManager::TWindowManager() {
    FDesktop.Handle = reinterpret_cast<HWND>(std::uintptr_t{0x10001});
    FDesktop.Style = WS_VISIBLE | WS_CLIPCHILDREN;
}

TWindowManager::~TWindowManager() {
    // Windows are dropped without messages: the program is ending.
    FWindows.clear();
    FGraveyard.clear();
}

void TWindowManager::Reset(std::unique_ptr<TBackend> backend) {
    // Destroy top-level windows with their messages while the old backend still exists.
    if (FBackend) {
        std::vector<HWND> tops;
        for (TWindow* w : FDesktop.Children) tops.push_back(w->Handle);
        for (HWND h : tops) {
            try {
                if (Find(h)) DestroyWindow(h);
            } catch (...) {
                // A window procedure failing while the whole screen goes away must not stop the reset.
            }
        }
    }
    FWindows.clear();
    FDesktop.Children.clear();
    FGraveyard.clear();
    FPosted.clear();
    FInput.clear();
    FInputMsgs.clear();
    FQuitPosted = false;
    FTimers.clear();
    FPaintSet.clear();
    FFocus = FActive = FCapture = FLocked = FMouseWindow = FHoverWindow = nullptr;
    FKeyState.fill(0);
    FAsyncKeyState.fill(0);
    FClipCursor.reset();
    FCursor = nullptr;
    FLastDownTime = 0;
    FLastDownHwnd = nullptr;
    FLastDownMsg = 0;
    FTrack = TTrackState{};
    for (auto& open : FOpenDCs) ReleaseSurfaceDC(open.Dc);
    FOpenDCs.clear();
    FSavedBits.clear();
    FScreenSurface.reset();
    FIdleHandler = nullptr;
    FCascade = 0;
    FBackend = std::move(backend);
    TSize screen = FBackend->ScreenSize();
    FDesktop.Rect = {0, 0, screen.cx, screen.cy};
    FDesktop.Client = FDesktop.Rect;
    FCursorPos = {screen.cx / 2, screen.cy / 2};
    FBackend->SetEventSink([](const TBackendEvent& e) { WmOnBackendEvent(e); });
    RegisterSystemClasses();
}

TBackend& TWindowManager::Backend() {
    if (!FBackend) Reset(CreateDefaultBackend());
    return *FBackend;
}

TWindow* TWindowManager::Find(HWND hwnd) const {
    if (!hwnd) return nullptr;
    if (hwnd == FDesktop.Handle) return const_cast<TWindow*>(&FDesktop);
    auto it = FWindows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    if (it == FWindows.end() || it->second->Destroyed) return nullptr;
    return it->second.get();
}

TWindow* TWindowManager::Get(HWND hwnd) const {
    TWindow* w = Find(hwnd);
    if (!w)
        throw EInvalidArgument(
            Format("Invalid window handle $%s", IntToHex(reinterpret_cast<std::uintptr_t>(hwnd), 8)));
    return w;
}

HWND TWindowManager::NewHandle(std::unique_ptr<TWindow> w) {
    // Handles are never reused, so a stale handle can never reach a newer window.
    std::uintptr_t value = (FNextHandle += 4);
    w->Handle = reinterpret_cast<HWND>(value);
    HWND h = w->Handle;
    FWindows.emplace(value, std::move(w));
    return h;
}

void TWindowManager::Forget(TWindow* w) {
    auto it = FWindows.find(reinterpret_cast<std::uintptr_t>(w->Handle));
    if (it == FWindows.end()) return;
    w->Destroyed = true;
    FGraveyard.push_back(std::move(it->second));
    FWindows.erase(it);
    if (FSendDepth == 0) CollectGarbage();
}

void TWindowManager::CollectGarbage() {
    if (FSendDepth == 0 && !FGraveyard.empty()) FGraveyard.clear();
}

TWindow* TWindowManager::TopLevelOf(TWindow* w) const {
    if (!w || w == &FDesktop) return nullptr;
    while (w->Parent && w->Parent != &FDesktop) w = w->Parent;
    return w;
}

bool TWindowManager::IsDescendant(const TWindow* ancestor, const TWindow* w) const {
    for (; w; w = w->Parent)
        if (w == ancestor) return true;
    return false;
}

bool TWindowManager::ReallyVisible(const TWindow* w) const {
    for (; w && w != &FDesktop; w = w->Parent)
        if (!(w->Style & WS_VISIBLE)) return false;
    return w == &FDesktop;
}

bool TWindowManager::ReallyEnabled(const TWindow* w) const {
    for (; w && w != &FDesktop; w = w->Parent)
        if (w->Style & WS_DISABLED) return false;
    return true;
}

void TWindowManager::Unlink(TWindow* w) {
    if (!w->Parent) return;
    auto& list = w->Parent->Children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    w->Parent = nullptr;
}

void TWindowManager::LinkAt(TWindow* w, TWindow* parent, TWindow* after) {
    auto& list = parent->Children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    w->Parent = parent;
    auto pos = list.begin();
    if (after) {
        auto it = std::find(list.begin(), list.end(), after);
        pos = it == list.end() ? list.begin() : it + 1;
    }
    if (parent == &FDesktop) {
        // Top-most windows stay above all others.
        bool topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
        auto firstNormal =
            std::find_if(list.begin(), list.end(), [](TWindow* x) { return !(x->ExStyle & WS_EX_TOPMOST); });
        auto idx = pos - list.begin();
        auto normalIdx = firstNormal - list.begin();
        if (topmost && idx > normalIdx) idx = normalIdx;
        if (!topmost && idx < normalIdx) idx = normalIdx;
        pos = list.begin() + idx;
    }
    list.insert(pos, w);
}

void TWindowManager::LinkTop(TWindow* w, TWindow* parent) {
    LinkAt(w, parent, nullptr);
}

void TWindowManager::LinkBottom(TWindow* w, TWindow* parent) {
    auto& list = parent->Children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    LinkAt(w, parent, list.empty() ? nullptr : list.back());
}

void TWindowManager::RaiseOwned(TWindow* w) {
    if (!IsTopLevel(w)) return;
    auto& list = FDesktop.Children;
    std::vector<TWindow*> owned;
    for (TWindow* t : list)
        if (t->Owner == w && t != w) owned.push_back(t);
    // From the lowest owned window up, each goes directly above the owner.
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        auto wPos = std::find(list.begin(), list.end(), w);
        auto oPos = std::find(list.begin(), list.end(), *it);
        if (oPos < wPos) continue;
        LinkAt(*it, &FDesktop, wPos == list.begin() ? nullptr : *(wPos - 1));
    }
    for (TWindow* o : owned) RaiseOwned(o);
}

void TWindowManager::RestackNative() {
    std::vector<TNativeWindow> order;
    for (TWindow* w : FDesktop.Children)
        if (w->Native) order.push_back(w->Native);
    FBackend->RestackNativeWindows(order);
}

TRect TWindowManager::PhysicalRectInParent(const TWindow* w) const {
    const TWindow* p = w->Parent;
    if (p && p != &FDesktop && p->IsRtl()) {
        int cw = p->Client.Width();
        return {cw - w->Rect.Right, w->Rect.Top, cw - w->Rect.Left, w->Rect.Bottom};
    }
    return w->Rect;
}

TPoint TWindowManager::WindowOrigin(const TWindow* w) const {
    if (!w || w == &FDesktop) return {0, 0};
    if (w->Parent == &FDesktop || !w->Parent) return w->Rect.TopLeft();
    TPoint parentClient = WindowOrigin(w->Parent) + w->Parent->Client.TopLeft();
    return parentClient + PhysicalRectInParent(w).TopLeft();
}

TRect TWindowManager::ScreenRect(const TWindow* w) const {
    TPoint o = WindowOrigin(w);
    return Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
}

TRect TWindowManager::ScreenClient(const TWindow* w) const {
    return w->Client.Offset(WindowOrigin(w).X, WindowOrigin(w).Y);
}

TPoint TWindowManager::ClientToScreen(const TWindow* w, TPoint p) const {
    TPoint o = WindowOrigin(w) + w->Client.TopLeft();
    if (w->IsRtl()) return {o.X + w->Client.Width() - 1 - p.X, o.Y + p.Y};
    return o + p;
}

TPoint TWindowManager::ScreenToClient(const TWindow* w, TPoint p) const {
    TPoint o = WindowOrigin(w) + w->Client.TopLeft();
    if (w->IsRtl()) return {o.X + w->Client.Width() - 1 - p.X, p.Y - o.Y};
    return p - o;
}

TPoint TWindowManager::SurfaceOrigin(const TWindow* w) const {
    const TWindow* top = TopLevelOf(const_cast<TWindow*>(w));
    return WindowOrigin(w) - WindowOrigin(top);
}

LRESULT TWindowManager::Send(TWindow* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!w || w->Destroyed || w == &FDesktop || !w->Proc) return 0;
    std::shared_ptr<TWindowProc> proc = w->Proc;
    HWND h = w->Handle;
    ++FSendDepth;
    struct TDepthGuard {
        TWindowManager* wm;
        ~TDepthGuard() {
            if (--wm->FSendDepth == 0) wm->CollectGarbage();
        }
    } guard{this};
    return (*proc)(h, msg, wParam, lParam);
}

LRESULT TWindowManager::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Send(Find(hwnd), msg, wParam, lParam);
}

bool TWindowManager::IsUpdateLocked(const TWindow* w) const {
    return FLocked && IsDescendant(FLocked, w);
}

namespace {
// The area a window covers inside its own coordinates: its rectangle, cut to its shape.
TWmRegion WindowArea(const TWindow* w, TPoint origin) {
    TWmRegion r(Bounds(origin.X, origin.Y, w->Rect.Width(), w->Rect.Height()));
    if (w->Shape) {
        TWmRegion shape = *w->Shape;
        shape.Offset(origin.X, origin.Y);
        r.Intersect(shape);
    }
    return r;
}
} // namespace

TWmRegion TWindowManager::VisibleRegion(TWindow* w, bool clientOnly, bool clipChildren, bool clipSiblings,
                                        bool ignoreLock) {
    if (!w || w == &FDesktop || !ReallyVisible(w) || (!ignoreLock && IsUpdateLocked(w))) return {};
    TWindow* top = TopLevelOf(w);
    if (top->Style & WS_MINIMIZE) return {};
    TPoint topOrigin = WindowOrigin(top);
    auto surfaceOrigin = [&](const TWindow* x) { return WindowOrigin(x) - topOrigin; };

    TPoint org = surfaceOrigin(w);
    TWmRegion region = WindowArea(w, org);
    if (clientOnly) region.Intersect(w->Client.Offset(org.X, org.Y));
    for (TWindow* c = w; c->Parent && c->Parent != &FDesktop; c = c->Parent) {
        TWindow* p = c->Parent;
        TPoint porg = surfaceOrigin(p);
        region.Intersect(p->Client.Offset(porg.X, porg.Y));
        if (p->Shape) {
            TWmRegion shape = *p->Shape;
            shape.Offset(porg.X, porg.Y);
            region.Intersect(shape);
        }
        if (region.IsEmpty()) return region;
        bool siblings = c == w ? clipSiblings : (c->Style & WS_CLIPSIBLINGS) != 0;
        if (siblings) {
            TRect bounds = region.Bounds();
            for (TWindow* s : p->Children) {
                if (s == c) break;
                if (!(s->Style & WS_VISIBLE)) continue;
                TPoint sorg = surfaceOrigin(s);
                TRect sr = Bounds(sorg.X, sorg.Y, s->Rect.Width(), s->Rect.Height());
                if (sr.Intersect(bounds).IsEmpty()) continue;
                region.Subtract(WindowArea(s, sorg));
            }
        }
    }
    if (clipChildren) {
        TRect bounds = region.Bounds();
        for (TWindow* ch : w->Children) {
            if (!(ch->Style & WS_VISIBLE)) continue;
            TPoint corg = surfaceOrigin(ch);
            TRect cr = Bounds(corg.X, corg.Y, ch->Rect.Width(), ch->Rect.Height());
            if (cr.Intersect(bounds).IsEmpty()) continue;
            region.Subtract(WindowArea(ch, corg));
        }
    }
    return region;
}

} // namespace dw
