// THeadlessBackend: a deterministic virtual screen for tests and tools. Time stands still until a
// test advances it; input is injected as backend events and takes the same path a display's events
// take; any window or the whole screen can be captured and written as PNG.
#pragma once

#include "framework/platform/backends/Backend.h"
#include "framework/platform/gdi/Surface.h"

#include <map>
#include <optional>
#include <vector>

namespace dw {

class THeadlessBackend : public TBackend {
public:
    explicit THeadlessBackend(TSize screenSize = {1280, 1024});

    // TBackend.
    TSize ScreenSize() const override { return FScreenSize; }
    TNativeWindow CreateNativeWindow(const TRect& screenRect, TNativeWindowFlags flags) override;
    void DestroyNativeWindow(TNativeWindow w) override;
    void ShowNativeWindow(TNativeWindow w, bool show, bool activate) override;
    void MoveNativeWindow(TNativeWindow w, const TRect& screenRect) override;
    void RestackNativeWindows(const std::vector<TNativeWindow>& frontToBack) override;
    void SetNativeWindowShape(TNativeWindow w, const std::vector<TRect>* shape) override;
    void SetNativeWindowTitle(TNativeWindow w, const String& title) override;
    void SetNativeWindowFlags(TNativeWindow w, TNativeWindowFlags flags) override;
    void SetNativeWindowSurface(TNativeWindow w, TSurface* surface) override;
    void PresentRect(TNativeWindow w, const TRect& rect) override;
    void SetCursorShape(TCursorShape shape) override { FCursor = shape; }
    void ConfinePointer(const TRect* screenRect) override;
    void WarpPointer(TPoint screenPos) override { FPointer = screenPos; }
    std::uint32_t TickCount() const override { return FTime; }
    void PollEvents() override {}
    bool WaitForEvents(int timeoutMs) override;

    // Time. AdvanceTime moves the clock forward in steps, stopping at every moment a timer or a
    // hover notification is due and running the message loop there, then once more at the end.
    void AdvanceTime(std::uint32_t ms);
    // Moves the clock without running the message loop, as if the program had been busy.
    void SkipTime(std::uint32_t ms) { FTime += ms; }

    // Input, queued as backend events (run the message loop to deliver them, e.g. PumpMessages).
    void InjectMouseMove(int x, int y);
    void InjectMouseDown(TMouseButton button = TMouseButton::Left);
    void InjectMouseUp(TMouseButton button = TMouseButton::Left);
    void InjectMouseWheel(int delta);
    void InjectKeyDown(int vk);
    void InjectKeyUp(int vk);
    void InjectChar(char32_t ch);
    // A close request from the desktop for a top-level window (its close box or the window list).
    void InjectClose(HWND topLevel);
    // Helpers made of the above. Click and DoubleClick move first; Drag presses at `from`, moves
    // in `steps` equal steps to `to` and releases there. Each runs the message loop after every
    // event, as a user's pace would let it.
    void Click(int x, int y, TMouseButton button = TMouseButton::Left);
    void DoubleClick(int x, int y);
    void Drag(TPoint from, TPoint to, int steps = 4, TMouseButton button = TMouseButton::Left);
    void PressKey(int vk);
    // Presses the keys that type the text (Shift where needed); characters without a key arrive
    // as bare character events.
    void TypeText(const String& text);
    TPoint PointerPos() const { return FPointer; }

    // What the screen shows.
    TCursorShape CursorShape() const { return FCursor; }
    std::optional<TRect> PointerConfinement() const { return FConfinement; }
    int PresentCount() const { return FPresentCount; }
    bool IsNativeWindowVisible(TNativeWindow w) const;
    String NativeWindowTitle(TNativeWindow w) const;
    // Top-level windows composited in z-order over the desktop.
    TSurface Screenshot() const;
    // One top-level window's surface (its pixels whether covered or not).
    TSurface WindowScreenshot(HWND topLevel) const;
    void SaveScreenshot(const String& fileName) const;
    void SaveWindowScreenshot(HWND topLevel, const String& fileName) const;

private:
    struct TNative {
        TRect Rect;
        bool Visible = false;
        TNativeWindowFlags Flags;
        TSurface* Surface = nullptr;
        std::optional<std::vector<TRect>> Shape;
        String Title;
    };
    void Emit(TBackendEvent e);
    void Pump();

    TSize FScreenSize;
    std::map<TNativeWindow, TNative> FWindows;
    std::vector<TNativeWindow> FStack; // frontmost first
    TNativeWindow FNextWindow = 1;
    std::uint32_t FTime = 100000;
    TPoint FPointer;
    TCursorShape FCursor = TCursorShape::Arrow;
    std::optional<TRect> FConfinement;
    int FPresentCount = 0;
};

// The headless backend in use, or null when another backend runs.
THeadlessBackend* HeadlessBackend();

} // namespace dw
