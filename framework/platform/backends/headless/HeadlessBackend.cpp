// The headless backend: virtual screen, virtual clock, injected input and screenshots.
#include "framework/platform/backends/headless/HeadlessBackend.h"

#include "framework/platform/gdi/Png.h"
#include "framework/platform/gdi/SysColors.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/KeyboardLayout.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Messages.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace dw {

THeadlessBackend* HeadlessBackend() {
    if (!WM().HasBackend()) return nullptr;
    return dynamic_cast<THeadlessBackend*>(&WM().Backend());
}

THeadlessBackend::THeadlessBackend(TSize screenSize) : FScreenSize(screenSize) {
    if (screenSize.cx <= 0 || screenSize.cy <= 0 || screenSize.cx > TSurface::kMaxDimension ||
        screenSize.cy > TSurface::kMaxDimension)
        throw EInvalidArgument(Format("Invalid virtual screen size %d x %d", screenSize.cx, screenSize.cy));
    FPointer = {screenSize.cx / 2, screenSize.cy / 2};
}

TNativeWindow THeadlessBackend::CreateNativeWindow(const TRect& screenRect, TNativeWindowFlags flags) {
    TNativeWindow id = FNextWindow++;
    TNative n;
    n.Rect = screenRect;
    n.Flags = flags;
    FWindows.emplace(id, n);
    FStack.insert(FStack.begin(), id);
    return id;
}

void THeadlessBackend::DestroyNativeWindow(TNativeWindow w) {
    FWindows.erase(w);
    FStack.erase(std::remove(FStack.begin(), FStack.end(), w), FStack.end());
}

void THeadlessBackend::ShowNativeWindow(TNativeWindow w, bool show, bool) {
    if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Visible = show;
}

void THeadlessBackend::MoveNativeWindow(TNativeWindow w, const TRect& screenRect) {
    if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Rect = screenRect;
}

void THeadlessBackend::RestackNativeWindows(const std::vector<TNativeWindow>& frontToBack) {
    std::vector<TNativeWindow> stack;
    for (TNativeWindow w : frontToBack)
        if (FWindows.count(w)) stack.push_back(w);
    for (TNativeWindow w : FStack)
        if (std::find(stack.begin(), stack.end(), w) == stack.end()) stack.push_back(w);
    FStack = std::move(stack);
}

void THeadlessBackend::SetNativeWindowShape(TNativeWindow w, const std::vector<TRect>* shape) {
    if (auto it = FWindows.find(w); it != FWindows.end()) {
        if (shape)
            it->second.Shape = *shape;
        else
            it->second.Shape.reset();
    }
}

void THeadlessBackend::SetNativeWindowTitle(TNativeWindow w, const String& title) {
    if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Title = title;
}

void THeadlessBackend::SetNativeWindowFlags(TNativeWindow w, TNativeWindowFlags flags) {
    if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Flags = flags;
}

void THeadlessBackend::SetNativeWindowSurface(TNativeWindow w, TSurface* surface) {
    if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Surface = surface;
}

void THeadlessBackend::PresentRect(TNativeWindow, const TRect&) {
    ++FPresentCount;
}

void THeadlessBackend::ConfinePointer(const TRect* screenRect) {
    if (screenRect)
        FConfinement = *screenRect;
    else
        FConfinement.reset();
}

bool THeadlessBackend::WaitForEvents(int) {
    // Nobody types on a virtual screen: only a test can bring input or move the clock.
    return false;
}

bool THeadlessBackend::IsNativeWindowVisible(TNativeWindow w) const {
    auto it = FWindows.find(w);
    return it != FWindows.end() && it->second.Visible;
}

String THeadlessBackend::NativeWindowTitle(TNativeWindow w) const {
    auto it = FWindows.find(w);
    return it == FWindows.end() ? String() : it->second.Title;
}

// ---------------------------------------------------------------------------------------------
// Time and input

void THeadlessBackend::Pump() {
    PumpMessages();
}

void THeadlessBackend::AdvanceTime(std::uint32_t ms) {
    std::uint32_t target = FTime + ms;
    for (;;) {
        Pump();
        auto& wm = WM();
        std::int64_t next = -1;
        auto consider = [&](std::uint32_t due) {
            std::int32_t ahead = static_cast<std::int32_t>(due - FTime);
            if (ahead < 0) ahead = 0;
            if (static_cast<std::int32_t>(due - target) > 0) return;
            if (next < 0 || ahead < next) next = ahead;
        };
        for (const TWmTimer& t : wm.FTimers) consider(t.Due);
        if (wm.FHoverWindow && (wm.FHoverWindow->TrackFlags & TME_HOVER)) consider(wm.FHoverStartTime + wm.FHoverTime);
        if (next < 0) break;
        FTime += static_cast<std::uint32_t>(std::max<std::int64_t>(next, 0));
        if (next == 0) {
            // Something due now that the loop above did not consume (a filtered caller); step on.
            Pump();
            if (static_cast<std::int32_t>(target - FTime) <= 0) break;
            FTime += 1;
        }
    }
    FTime = target;
    Pump();
}

void THeadlessBackend::Emit(TBackendEvent e) {
    e.time = FTime;
    Deliver(e);
}

void THeadlessBackend::InjectMouseMove(int x, int y) {
    TBackendEvent e;
    e.kind = TBackendEvent::MouseMove;
    e.pos = {x, y};
    if (FConfinement) {
        e.pos.X = std::clamp(e.pos.X, FConfinement->Left, std::max(FConfinement->Left, FConfinement->Right - 1));
        e.pos.Y = std::clamp(e.pos.Y, FConfinement->Top, std::max(FConfinement->Top, FConfinement->Bottom - 1));
    }
    FPointer = e.pos;
    Emit(e);
}

void THeadlessBackend::InjectMouseDown(TMouseButton button) {
    TBackendEvent e;
    e.kind = TBackendEvent::MouseDown;
    e.pos = FPointer;
    e.button = button;
    Emit(e);
}

void THeadlessBackend::InjectMouseUp(TMouseButton button) {
    TBackendEvent e;
    e.kind = TBackendEvent::MouseUp;
    e.pos = FPointer;
    e.button = button;
    Emit(e);
}

void THeadlessBackend::InjectMouseWheel(int delta) {
    TBackendEvent e;
    e.kind = TBackendEvent::MouseWheel;
    e.pos = FPointer;
    e.wheelDelta = delta;
    Emit(e);
}

void THeadlessBackend::InjectKeyDown(int vk) {
    TBackendEvent e;
    e.kind = TBackendEvent::KeyDown;
    e.key = vk;
    e.pos = FPointer;
    Emit(e);
}

void THeadlessBackend::InjectKeyUp(int vk) {
    TBackendEvent e;
    e.kind = TBackendEvent::KeyUp;
    e.key = vk;
    e.pos = FPointer;
    Emit(e);
}

void THeadlessBackend::InjectChar(char32_t ch) {
    TBackendEvent e;
    e.kind = TBackendEvent::Char;
    e.ch = ch;
    e.pos = FPointer;
    Emit(e);
}

void THeadlessBackend::InjectClose(HWND topLevel) {
    TWindow* w = WM().Find(topLevel);
    if (!w || !w->Native) return;
    TBackendEvent e;
    e.kind = TBackendEvent::Close;
    e.window = w->Native;
    Emit(e);
}

void THeadlessBackend::Click(int x, int y, TMouseButton button) {
    InjectMouseMove(x, y);
    Pump();
    InjectMouseDown(button);
    Pump();
    InjectMouseUp(button);
    Pump();
}

void THeadlessBackend::DoubleClick(int x, int y) {
    Click(x, y);
    InjectMouseDown();
    Pump();
    InjectMouseUp();
    Pump();
}

void THeadlessBackend::Drag(TPoint from, TPoint to, int steps, TMouseButton button) {
    steps = std::max(steps, 1);
    InjectMouseMove(from.X, from.Y);
    Pump();
    InjectMouseDown(button);
    Pump();
    for (int i = 1; i <= steps; ++i) {
        InjectMouseMove(from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps);
        Pump();
    }
    InjectMouseUp(button);
    Pump();
}

void THeadlessBackend::PressKey(int vk) {
    InjectKeyDown(vk);
    Pump();
    InjectKeyUp(vk);
    Pump();
}

namespace {
// The key and Shift state that type a character on a US keyboard; key 0 when none does.
std::pair<int, bool> KeyFor(char32_t c) {
    switch (c) {
    case '\n':
    case '\r':
        return {VK_RETURN, false};
    case '\t':
        return {VK_TAB, false};
    case '\b':
        return {VK_BACK, false};
    }
    return UsLayoutKeyFor(c);
}
} // namespace

void THeadlessBackend::TypeText(const String& text) {
    WideString wide = Utf8ToWide(text);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        auto [vk, shift] = KeyFor(c);
        if (!vk) {
            InjectChar(c);
            Pump();
            continue;
        }
        if (shift) InjectKeyDown(VK_SHIFT);
        InjectKeyDown(vk);
        Pump();
        InjectKeyUp(vk);
        if (shift) InjectKeyUp(VK_SHIFT);
        Pump();
    }
}

// ---------------------------------------------------------------------------------------------
// Screenshots

namespace {
void Blit(TSurface& dest, const TSurface& src, TPoint at, const TRect& srcArea) {
    TRect target = srcArea.Offset(at.X, at.Y).Intersect(dest.BoundsRect());
    for (int y = target.Top; y < target.Bottom; ++y) {
        const TPixel* s = src.Row(y - at.Y);
        TPixel* d = dest.Row(y);
        for (int x = target.Left; x < target.Right; ++x) d[x] = s[x - at.X] | 0xFF000000u;
    }
}
} // namespace

TSurface THeadlessBackend::Screenshot() const {
    TSurface screen(FScreenSize.cx, FScreenSize.cy);
    if (const TSurface* desktop = WM().FScreenSurface.get())
        Blit(screen, *desktop, {0, 0}, desktop->BoundsRect().Intersect(screen.BoundsRect()));
    else
        screen.Fill(PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
        const TNative& n = FWindows.at(*it);
        if (!n.Visible || !n.Surface) continue;
        TRect area = n.Surface->BoundsRect().Intersect({0, 0, n.Rect.Width(), n.Rect.Height()});
        if (n.Shape) {
            for (const TRect& r : *n.Shape) Blit(screen, *n.Surface, n.Rect.TopLeft(), r.Intersect(area));
        } else {
            Blit(screen, *n.Surface, n.Rect.TopLeft(), area);
        }
    }
    return screen;
}

TSurface THeadlessBackend::WindowScreenshot(HWND topLevel) const {
    TWindow* w = WM().Find(topLevel);
    if (!w || !WM().IsTopLevel(w)) throw EInvalidArgument("A window screenshot needs a top-level window");
    if (!w->Surface) return TSurface(std::max(w->Rect.Width(), 1), std::max(w->Rect.Height(), 1));
    return w->Surface->Clone();
}

void THeadlessBackend::SaveScreenshot(const String& fileName) const {
    SavePng(Screenshot(), fileName);
}

void THeadlessBackend::SaveWindowScreenshot(HWND topLevel, const String& fileName) const {
    SavePng(WindowScreenshot(topLevel), fileName);
}

} // namespace dw
