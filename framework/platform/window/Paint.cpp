// Update regions, WM_PAINT, device contexts on window surfaces, update locking, scrolling, window
// shapes and the native windows that show top-level surfaces.
#include "framework/platform/window/Paint.h"

#include "framework/platform/gdi/Surface.h"
#include "framework/platform/gdi/SysColors.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <optional>

namespace dw {

namespace {

TRect ClientBox(const TWindow* w) {
    return {0, 0, w->Client.Width(), w->Client.Height()};
}

bool HasFrame(const TWindow* w) {
    return w->Client != TRect{0, 0, w->Rect.Width(), w->Rect.Height()};
}

TSurface* EnsureSurface(TWindow* top) {
    // A window may be larger than any surface can be; the part beyond the limits is not kept.
    int width = std::clamp(top->Rect.Width(), 1, TSurface::kMaxDimension);
    int height = std::clamp(top->Rect.Height(), 1, TSurface::kMaxDimension);
    height = static_cast<int>(std::min<std::int64_t>(height, TSurface::kMaxPixels / width));
    if (!top->Surface) {
        // Left as fresh memory: the window's first paint (erase, frame, children) covers it.
        top->Surface = std::make_unique<TSurface>(TSurface::Blank(width, height));
        top->Surface->SetTrackDamage(true);
    } else if (top->Surface->Width() != width || top->Surface->Height() != height) {
        top->Surface->Resize(width, height, PixelFromColor(GetSysColor(COLOR_BTNFACE)));
    }
    top->Surface->SetScreenOrigin(top->Rect.TopLeft());
    return top->Surface.get();
}

void Present(TWindow* top) {
    if (!top || !top->Surface) return;
    TRegion damage = top->Surface->TakeDamage();
    if (damage.IsEmpty() || !top->Native) return;
    WM().Backend().PresentRect(top->Native, damage.Bounds());
}

TNativeWindowFlags NativeFlags(const TWindow* w) {
    TNativeWindowFlags f;
    f.popup = (w->Style & WS_POPUP) != 0 || (w->ExStyle & WS_EX_TOOLWINDOW) != 0;
    f.topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
    f.noActivate = (w->ExStyle & WS_EX_NOACTIVATE) != 0;
    return f;
}

void PushShape(TWindow* top) {
    if (!top->Native) return;
    if (top->Shape) {
        std::vector<TRect> rects = top->Shape->Rects();
        WM().Backend().SetNativeWindowShape(top->Native, &rects);
    } else {
        WM().Backend().SetNativeWindowShape(top->Native, nullptr);
    }
}

// Something other than a save-bits window (or its children) drew or became invalid over the area
// it saved: the saved pixels no longer show what is beneath.
void DiscardSavedBits(TWindow* top, const TRegion& surfaceRegion, const TWindow* drawer) {
    auto& wm = WM();
    auto& saved = wm.FSavedBits;
    for (std::size_t i = 0; i < saved.size();) {
        const auto& s = saved[i];
        if (s.Top == top && !(drawer && wm.IsDescendant(s.Window, drawer)) && surfaceRegion.Intersects(s.Area))
            saved.erase(saved.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

// Makes a DC on the window's surface. kind: client area or whole window.
HDC MakeWindowDC(TWindow* w, bool wholeWindow, bool clipChildren, bool clipSiblings, const TRegion* intersectClient,
                 bool paint, bool ignoreLock = false) {
    auto& wm = WM();
    TWindow* top = wm.TopLevelOf(w);
    TSurface* surface = EnsureSurface(top);
    TPoint org = wm.SurfaceOrigin(w);
    TPoint deviceOrigin = wholeWindow ? org : org + w->Client.TopLeft();
    TRegion visible = wm.VisibleRegion(w, !wholeWindow, clipChildren, clipSiblings, ignoreLock);
    if (intersectClient) {
        TRegion extra = *intersectClient;
        extra.Offset(org.X + w->Client.Left, org.Y + w->Client.Top);
        visible.Intersect(extra);
    }
    if (!wm.FSavedBits.empty()) DiscardSavedBits(top, visible, w);
    HDC dc = CreateSurfaceDC(surface, deviceOrigin, visible);
    wm.FOpenDCs.push_back({dc, w, paint, wholeWindow, clipChildren, clipSiblings, ignoreLock});
    return dc;
}

void RedrawTree(TWindow* w, const TRegion& clientRgn, bool wholeClient, bool frameTouched, UINT flags);

void RedrawChildren(TWindow* w, const TRegion& rgn, UINT flags) {
    auto& wm = WM();
    if (rgn.IsEmpty()) return;
    TRect bounds = rgn.Bounds();
    for (TWindow* c : w->Children) {
        if (!(c->Style & WS_VISIBLE)) continue;
        TRect pr = wm.PhysicalRectInParent(c);
        if (pr.Intersect(bounds).IsEmpty() || !rgn.Intersects(pr)) continue;
        TRegion crgn = rgn;
        crgn.Intersect(pr);
        crgn.Offset(-pr.Left, -pr.Top);
        bool frameTouched = HasFrame(c) && !crgn.Bounds().IsEmpty() && !TRegion(c->Client).ContainsRect(crgn.Bounds());
        crgn.Offset(-c->Client.Left, -c->Client.Top);
        crgn.Intersect(ClientBox(c));
        RedrawTree(c, crgn, false, frameTouched, flags);
    }
}

void RedrawTree(TWindow* w, const TRegion& clientRgn, bool wholeClient, bool frameTouched, UINT flags) {
    if (flags & RDW_INVALIDATE) {
        auto& wm = WM();
        if (!wm.FSavedBits.empty() && (!clientRgn.IsEmpty() || frameTouched)) {
            TPoint org = wm.SurfaceOrigin(w);
            TRegion area = frameTouched ? TRegion(Bounds(org.X, org.Y, w->Rect.Width(), w->Rect.Height())) : clientRgn;
            if (!frameTouched) area.Offset(org.X + w->Client.Left, org.Y + w->Client.Top);
            DiscardSavedBits(wm.TopLevelOf(w), area, w);
        }
        if (!clientRgn.IsEmpty()) {
            w->Update.Union(clientRgn);
            if (flags & RDW_ERASE) w->UpdateErase = true;
        }
        if (frameTouched && !(flags & RDW_NOFRAME)) w->NcDirty = true;
        if (flags & RDW_INTERNALPAINT) w->InternalPaint = true;
        if (!w->Update.IsEmpty() || w->NcDirty || w->InternalPaint) WmAddToPaintSet(w);
    } else if (flags & RDW_VALIDATE) {
        if (wholeClient)
            w->Update.Clear();
        else
            w->Update.Subtract(clientRgn);
        if (frameTouched && (flags & RDW_FRAME)) w->NcDirty = false;
        if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
        if (w->Update.IsEmpty()) w->UpdateErase = false;
        if (w->Update.IsEmpty() && !w->NcDirty && !w->InternalPaint) WmRemoveFromPaintSet(w);
    }
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
    if (children) {
        // Children lie in the client area; a parent region in client coordinates is what they see.
        RedrawChildren(w, clientRgn, flags & ~UINT(RDW_UPDATENOW | RDW_ERASENOW));
    }
}

void PaintNow(TWindow* w, bool children) {
    auto& wm = WM();
    HWND h = w->Handle;
    if (w->InPaintSet && WmCanDraw(w) && !wm.IsUpdateLocked(w)) {
        wm.Send(w, WM_PAINT, 0, 0);
        if (!wm.Find(h)) return;
        // A handler that painted nothing still leaves its frame drawn and the window validated once.
        if (w->NcDirty) {
            w->NcDirty = false;
            wm.Send(w, WM_NCPAINT, 1, 0);
            if (!wm.Find(h)) return;
        }
    }
    if (!children) return;
    std::vector<HWND> kids;
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it) kids.push_back((*it)->Handle);
    for (HWND k : kids)
        if (TWindow* c = wm.Find(k)) PaintNow(c, true);
}

} // namespace

void WmSaveBitsUnder(TWindow* w) {
    auto& wm = WM();
    WmDropSavedBits(w);
    TWindow* top = wm.TopLevelOf(w);
    if (!top || top == w || !WmCanDraw(w)) return;
    TSurface* surface = EnsureSurface(top);
    TPoint org = wm.SurfaceOrigin(w);
    TRect area = Bounds(org.X, org.Y, w->Rect.Width(), w->Rect.Height()).Intersect(surface->BoundsRect());
    if (area.IsEmpty()) return;
    // Pixels still waiting for a repaint are not worth keeping.
    for (TWindow* p : wm.FPaintSet) {
        if (p->Destroyed || wm.TopLevelOf(p) != top || wm.IsDescendant(w, p)) continue;
        TPoint po = wm.SurfaceOrigin(p);
        TRect pr = p->NcDirty ? Bounds(po.X, po.Y, p->Rect.Width(), p->Rect.Height())
                              : p->Update.Bounds().Offset(po.X + p->Client.Left, po.Y + p->Client.Top);
        if (!pr.Intersect(area).IsEmpty()) return;
    }
    auto pixels = std::make_unique<TSurface>(area.Width(), area.Height());
    for (int y = 0; y < area.Height(); ++y)
        std::copy_n(surface->Row(area.Top + y) + area.Left, area.Width(), pixels->Row(y));
    wm.FSavedBits.push_back({w, top, area, std::move(pixels)});
}

bool WmRestoreBitsUnder(TWindow* w) {
    auto& wm = WM();
    auto& saved = wm.FSavedBits;
    auto it =
        std::find_if(saved.begin(), saved.end(), [&](const TWindowManager::TSavedBits& s) { return s.Window == w; });
    if (it == saved.end()) return false;
    TWindowManager::TSavedBits bits = std::move(*it);
    saved.erase(it);
    TSurface* surface = bits.Top->Surface.get();
    if (!surface || bits.Area.Intersect(surface->BoundsRect()) != bits.Area) return false;
    for (int y = 0; y < bits.Area.Height(); ++y)
        std::copy_n(bits.Pixels->Row(y), bits.Area.Width(), surface->Row(bits.Area.Top + y) + bits.Area.Left);
    surface->AddDamage(bits.Area);
    Present(bits.Top);
    return true;
}

void WmDropSavedBits(TWindow* w) {
    auto& saved = WM().FSavedBits;
    saved.erase(std::remove_if(saved.begin(), saved.end(),
                               [&](const TWindowManager::TSavedBits& s) { return s.Window == w || s.Top == w; }),
                saved.end());
}

bool WmCanDraw(const TWindow* w) {
    auto& wm = WM();
    if (!wm.ReallyVisible(w)) return false;
    for (const TWindow* c = w; c && c != wm.Desktop(); c = c->Parent) {
        if (!c->Redraw) return false;
        if ((c->Style & WS_MINIMIZE) && wm.IsTopLevel(c)) return false;
    }
    return true;
}

void WmAddToPaintSet(TWindow* w) {
    if (w->InPaintSet) return;
    w->InPaintSet = true;
    WM().FPaintSet.push_back(w);
}

void WmRemoveFromPaintSet(TWindow* w) {
    if (!w->InPaintSet) return;
    w->InPaintSet = false;
    auto& set = WM().FPaintSet;
    set.erase(std::remove(set.begin(), set.end(), w), set.end());
}

TWindow* WmNextPaintWindow(TWindow* within) {
    auto& wm = WM();
    auto& set = wm.FPaintSet;
    for (std::size_t i = 0; i < set.size();) {
        TWindow* w = set[i];
        if (w->Destroyed || !WmCanDraw(w)) {
            // Hidden windows keep nothing to paint; showing them invalidates them again.
            w->InPaintSet = false;
            w->Update.Clear();
            w->UpdateErase = false;
            w->NcDirty = false;
            w->InternalPaint = false;
            set.erase(set.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    TWindow* best = nullptr;
    for (TWindow* w : set) {
        if (within && !wm.IsDescendant(within, w)) continue;
        if (wm.IsUpdateLocked(w)) continue;
        bool ancestorPending = false;
        for (TWindow* p = w->Parent; p && p != wm.Desktop(); p = p->Parent)
            if (p->InPaintSet && !wm.IsUpdateLocked(p) && (!within || wm.IsDescendant(within, p))) {
                ancestorPending = true;
                break;
            }
        if (!ancestorPending) {
            best = w;
            break;
        }
    }
    return best;
}

void WmRedraw(TWindow* w, const TWmRegion* clientRegion, UINT flags) {
    auto& wm = WM();
    if (!w || w == wm.Desktop() || !WmCanDraw(w)) return;
    TRegion rgn = clientRegion ? *clientRegion : TRegion(ClientBox(w));
    rgn.Intersect(ClientBox(w));
    bool frame = !clientRegion && (flags & RDW_FRAME) && HasFrame(w);
    RedrawTree(w, rgn, clientRegion == nullptr, frame, flags);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
        PaintNow(w, children);
    }
}

void WmExposeParentArea(TWindow* parent, const TRect& rectInParent) {
    auto& wm = WM();
    if (!parent || parent == wm.Desktop()) return;
    TRect physical = rectInParent;
    if (parent->IsRtl()) {
        int cw = parent->Client.Width();
        physical = {cw - rectInParent.Right, rectInParent.Top, cw - rectInParent.Left, rectInParent.Bottom};
    }
    TRegion rgn(physical);
    WmRedraw(parent, &rgn, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WmSyncNative(TWindow* top, bool sizeChanged) {
    auto& wm = WM();
    auto& backend = wm.Backend();
    bool iconic = (top->Style & WS_VISIBLE) && (top->Style & WS_MINIMIZE) && top->DesktopIcon;
    bool shown = (top->Style & WS_VISIBLE) && !iconic;
    if (shown && !top->Native) {
        EnsureSurface(top);
        top->Native = backend.CreateNativeWindow(top->Rect, NativeFlags(top));
        backend.SetNativeWindowSurface(top->Native, top->Surface.get());
        backend.SetNativeWindowTitle(top->Native, WmWindowCaption(top));
        PushShape(top);
        wm.RestackNative();
        backend.ShowNativeWindow(top->Native, true, wm.FActive == top);
        return;
    }
    if (iconic && !top->Native) {
        // Shown minimized from the start: mapped first, then handed to the desktop as an icon.
        EnsureSurface(top);
        top->Native = backend.CreateNativeWindow(top->Rect, NativeFlags(top));
        backend.SetNativeWindowSurface(top->Native, top->Surface.get());
        backend.SetNativeWindowTitle(top->Native, WmWindowCaption(top));
        PushShape(top);
        wm.RestackNative();
        backend.ShowNativeWindow(top->Native, true, false);
        backend.IconifyNativeWindow(top->Native);
        return;
    }
    if (!top->Native) {
        if (top->Surface && sizeChanged) EnsureSurface(top);
        return;
    }
    if (sizeChanged) {
        EnsureSurface(top);
        backend.SetNativeWindowSurface(top->Native, top->Surface.get());
    }
    if (top->Surface) top->Surface->SetScreenOrigin(top->Rect.TopLeft());
    backend.MoveNativeWindow(top->Native, top->Rect);
    if (iconic)
        backend.IconifyNativeWindow(top->Native);
    else
        backend.ShowNativeWindow(top->Native, shown, false);
}

void WmDestroyNative(TWindow* top) {
    auto& wm = WM();
    WmReleaseWindowDCs(top);
    if (top->Native) {
        wm.Backend().DestroyNativeWindow(top->Native);
        top->Native = 0;
    }
}

void WmReleaseWindowDCs(TWindow* w) {
    auto& wm = WM();
    auto& open = wm.FOpenDCs;
    for (std::size_t i = 0; i < open.size();) {
        if (open[i].Window && (open[i].Window == w || wm.IsDescendant(w, open[i].Window))) {
            ReleaseSurfaceDC(open[i].Dc);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void WmAbortPaint(TWindow* w) {
    auto& wm = WM();
    auto& open = wm.FOpenDCs;
    TWindow* top = wm.TopLevelOf(w);
    for (std::size_t i = 0; i < open.size();) {
        if (open[i].Paint && open[i].Window == w) {
            ReleaseSurfaceDC(open[i].Dc);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (!w->Destroyed) {
        w->Update.Clear();
        w->UpdateErase = false;
        w->NcDirty = false;
        w->InternalPaint = false;
        WmRemoveFromPaintSet(w);
        Present(top);
    }
}

// ---------------------------------------------------------------------------------------------

bool RedrawWindow(HWND hwnd, const TRect* rect, HRGN rgn, UINT flags) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return false;
    if (rgn) {
        TRegion r;
        if (!GetRegion(rgn, r)) return false;
        WmRedraw(w, &r, flags);
    } else if (rect) {
        TRegion r(*rect);
        WmRedraw(w, &r, flags);
    } else {
        WmRedraw(w, nullptr, flags);
    }
    return true;
}

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool InvalidateRgn(HWND hwnd, HRGN rgn, bool erase) {
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool ValidateRect(HWND hwnd, const TRect* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND hwnd, HRGN rgn) {
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

namespace {
void EraseNow(TWindow* w) {
    if (!w->UpdateErase || w->Update.IsEmpty()) return;
    w->UpdateErase = false;
    TRegion area = w->Update;
    HDC dc = MakeWindowDC(w, false, (w->Style & WS_CLIPCHILDREN) != 0, (w->Style & WS_CLIPSIBLINGS) != 0, &area, false);
    HWND h = w->Handle;
    struct TRelease {
        HDC dc;
        HWND h;
        ~TRelease() { ReleaseDC(h, dc); }
    } release{dc, h};
    WM().Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}
} // namespace

bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    if (erase) EraseNow(w);
    TRect b = w->Update.Bounds();
    if (rect) *rect = b;
    return !b.IsEmpty();
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, bool erase) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return ERROR;
    if (erase) EraseNow(w);
    if (!SetRegion(rgn, w->Update)) return ERROR;
    return w->Update.Kind();
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    ps = PAINTSTRUCT{};
    if (!w) return nullptr;
    if (w->NcDirty) {
        w->NcDirty = false;
        wm.Send(w, WM_NCPAINT, 1, 0);
        if (!wm.Find(hwnd)) return nullptr;
    }
    TRegion update = w->Update;
    update.Intersect(ClientBox(w));
    bool erase = w->UpdateErase;
    w->Update.Clear();
    w->UpdateErase = false;
    w->InternalPaint = false;
    WmRemoveFromPaintSet(w);
    ++wm.FBeginPaintCount;
    HDC dc =
        MakeWindowDC(w, false, (w->Style & WS_CLIPCHILDREN) != 0, (w->Style & WS_CLIPSIBLINGS) != 0, &update, true);
    ps.hdc = dc;
    ps.rcPaint = update.Bounds();
    if (erase) {
        ps.fErase = wm.Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    }
    return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps) {
    auto& wm = WM();
    auto& open = wm.FOpenDCs;
    auto it = std::find_if(open.begin(), open.end(), [&](const TWindowManager::TOpenDC& o) { return o.Dc == ps.hdc; });
    if (it == open.end()) return false;
    TWindow* w = it->Window;
    open.erase(it);
    ReleaseSurfaceDC(ps.hdc);
    (void)hwnd;
    if (w && !w->Destroyed) Present(wm.TopLevelOf(w));
    return true;
}

bool UpdateWindow(HWND hwnd) {
    TWindow* w = WM().Find(hwnd);
    if (!w) return false;
    PaintNow(w, true);
    return true;
}

bool LockWindowUpdate(HWND hwnd) {
    auto& wm = WM();
    if (!hwnd) {
        TWindow* old = wm.FLocked;
        if (!old) return false;
        wm.FLocked = nullptr;
        // Open DCs of the unlocked windows see their windows again (a paint DC only its update).
        for (auto& o : wm.FOpenDCs)
            if (o.Window && !o.Paint && !o.IgnoreLock && wm.IsDescendant(old, o.Window))
                SetDCVisibleRegion(o.Dc, wm.VisibleRegion(o.Window, !o.Whole, o.ClipChildren, o.ClipSiblings));
        std::vector<TWindow*> repaint;
        if (old == wm.Desktop())
            repaint = old->Children;
        else if (!old->Destroyed)
            repaint.push_back(old);
        for (TWindow* t : repaint) WmRedraw(t, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return true;
    }
    TWindow* w = wm.Find(hwnd);
    if (!w || (wm.FLocked && wm.FLocked != w)) return false;
    wm.FLocked = w;
    for (auto& o : wm.FOpenDCs)
        if (o.Window && !o.IgnoreLock && wm.IsDescendant(w, o.Window)) SetDCVisibleRegion(o.Dc, TRegion());
    return true;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    auto& wm = WM();
    TRegion extra;
    bool haveExtra = false;
    if (clip && (flags & (DCX_EXCLUDERGN | DCX_INTERSECTRGN))) {
        haveExtra = GetRegion(clip, extra);
        DeleteObject(clip);
    }
    if (!hwnd) {
        if (!wm.FScreenSurface) {
            TSize s = wm.Backend().ScreenSize();
            wm.FScreenSurface = std::make_unique<TSurface>(std::max(s.cx, 1), std::max(s.cy, 1));
            wm.FScreenSurface->Fill(PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
        }
        HDC dc = CreateSurfaceDC(wm.FScreenSurface.get());
        wm.FOpenDCs.push_back({dc, nullptr, false});
        return dc;
    }
    TWindow* w = wm.Find(hwnd);
    if (!w) return nullptr;
    bool whole = (flags & DCX_WINDOW) != 0;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) != 0;
    bool clipSiblings = (flags & DCX_CLIPSIBLINGS) != 0;
    // DCX_LOCKWINDOWUPDATE draws even while the window is locked (drag feedback over a frozen window).
    std::optional<TRegion> update;
    if (flags & DCX_INTERSECTUPDATE) {
        update = w->Update;
        if (whole) update->Offset(w->Client.Left, w->Client.Top);
        if (flags & DCX_VALIDATE) WmRedraw(w, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    }
    HDC dc = MakeWindowDC(w, whole, clipChildren, clipSiblings, nullptr, false, (flags & DCX_LOCKWINDOWUPDATE) != 0);
    if (update) {
        TPoint org = wm.SurfaceOrigin(w);
        update->Offset(org.X, org.Y);
        TRegion vis;
        GetDCVisibleRegion(dc, vis);
        vis.Intersect(*update);
        SetDCVisibleRegion(dc, vis);
    }
    if (haveExtra) {
        // The extra region is in the DC's coordinates; fold it into the visible region.
        TPoint org = wm.SurfaceOrigin(w);
        if (!whole) org = org + w->Client.TopLeft();
        extra.Offset(org.X, org.Y);
        TRegion vis;
        GetDCVisibleRegion(dc, vis);
        if (flags & DCX_EXCLUDERGN)
            vis.Subtract(extra);
        else
            vis.Intersect(extra);
        SetDCVisibleRegion(dc, vis);
    }
    return dc;
}

HDC GetDC(HWND hwnd) {
    if (!hwnd) return GetDCEx(nullptr, nullptr, 0);
    TWindow* w = WM().Find(hwnd);
    if (!w) return nullptr;
    DWORD flags = 0;
    if (w->Style & WS_CLIPCHILDREN) flags |= DCX_CLIPCHILDREN;
    if (w->Style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
    return GetDCEx(hwnd, nullptr, flags);
}

HDC GetWindowDC(HWND hwnd) {
    if (!hwnd) return GetDC(nullptr);
    TWindow* w = WM().Find(hwnd);
    if (!w) return nullptr;
    DWORD flags = DCX_WINDOW;
    if (w->Style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
    return GetDCEx(hwnd, nullptr, flags);
}

int ReleaseDC(HWND hwnd, HDC dc) {
    auto& wm = WM();
    auto& open = wm.FOpenDCs;
    auto it = std::find_if(open.begin(), open.end(), [&](const TWindowManager::TOpenDC& o) { return o.Dc == dc; });
    if (it == open.end()) return 0;
    TWindow* w = it->Window;
    open.erase(it);
    ReleaseSurfaceDC(dc);
    (void)hwnd;
    if (w && !w->Destroyed) Present(wm.TopLevelOf(w));
    return 1;
}

HWND WindowFromDC(HDC dc) {
    for (auto& o : WM().FOpenDCs)
        if (o.Dc == dc) return H(o.Window);
    return nullptr;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
                   UINT flags) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return ERROR;
    if (flags & SW_SCROLLCHILDREN) {
        std::vector<HWND> kids;
        for (TWindow* c : w->Children) kids.push_back(c->Handle);
        for (HWND k : kids) {
            TWindow* c = wm.Find(k);
            if (!c) continue;
            TRect r = c->Rect;
            if (scroll && r.Intersect(*scroll).IsEmpty()) continue;
            int mdx = w->IsRtl() ? -dx : dx;
            SetWindowPos(k, nullptr, r.Left + mdx, r.Top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        if (!wm.Find(hwnd)) return ERROR;
    }
    // The scrolled area is repainted rather than copied: simple, and always right.
    TRect area = scroll ? scroll->Intersect(ClientBox(w)) : ClientBox(w);
    if (clip) area = area.Intersect(*clip);
    if (update) SetRegion(update, TRegion(area));
    if (updateRect) *updateRect = area;
    UINT rdw =
        RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0u) | ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0u);
    {
        TRegion rgn(area);
        WmRedraw(w, &rgn, rdw);
    }
    return area.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip) {
    UINT flags = SW_INVALIDATE | SW_ERASE | ((scroll == nullptr) ? SW_SCROLLCHILDREN : 0u);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}

TSurface* GetWindowSurface(HWND topLevel) {
    auto& wm = WM();
    TWindow* w = wm.Find(topLevel);
    if (!w || !wm.IsTopLevel(w)) return nullptr;
    return EnsureSurface(w);
}

// ---------------------------------------------------------------------------------------------
// Window shapes

int SetWindowRgn(HWND hwnd, HRGN rgn, bool redraw) {
    auto& wm = WM();
    TWindow* w = wm.Find(hwnd);
    if (!w) return 0;
    std::optional<TRegion> shape;
    if (rgn) {
        TRegion r;
        if (!GetRegion(rgn, r)) return 0;
        shape = std::move(r);
        DeleteObject(rgn);
    }
    bool visible = wm.ReallyVisible(w);
    if (visible && redraw && !wm.IsTopLevel(w)) WmExposeParentArea(w->Parent, w->Rect);
    w->Shape = std::move(shape);
    if (wm.IsTopLevel(w)) PushShape(w);
    if (visible && redraw) WmRedraw(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
    TWindow* w = WM().Find(hwnd);
    if (!w || !w->Shape) return ERROR;
    if (!SetRegion(rgn, *w->Shape)) return ERROR;
    return w->Shape->Kind();
}

} // namespace dw
