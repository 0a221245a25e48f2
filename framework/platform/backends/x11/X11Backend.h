// TX11Backend: the display backend on an X server (real top-level windows, input, cursors,
// pointer confinement and the CLIPBOARD selection), and RegisterX11Backend, which lets
// CreateDefaultBackend choose it.
#pragma once

#include "framework/platform/backends/Backend.h"

#include <memory>

namespace dw {

struct TX11Options {
    // Push surfaces through MIT-SHM when the server offers it on this machine; off forces XPutImage.
    bool UseSharedMemory = true;
    // How long a request to another program's clipboard may take before it counts as failed.
    int SelectionTimeoutMs = 1000;
};

// Native window handles are X window ids. Every top-level window is an undecorated X window (the
// window manager of this program draws frames and captions itself); pop-ups are override-redirect.
//
// Clipboard: the CLIPBOARD selection. A format is exchanged under the target atom of its name
// ("Draftwell Components"); the plain text format (ClipboardTextFormatName in Clipboard.h, UTF-8)
// is offered as UTF8_STRING, text/plain;charset=utf-8, STRING (Latin-1) and TEXT, and fetched
// from others in that order of preference. Placing a format while another program owns the
// selection first fetches that program's formats (within the selection timeout and 16 MiB in
// all) and offers them again with ours, so that data of other formats stays as it does when this
// program already owns the selection; what cannot be fetched in time is dropped. EmptyClipboard
// takes the selection with no formats. Data too large for one X request is refused to the
// requestor (no INCR transfers), and an INCR answer from another owner counts as no data. An
// owner that lets a request time out is not asked again for three seconds (its clipboard reads
// as empty meanwhile), so that idle-time checks do not stall on a hung program.
class TX11Backend : public TBackend {
public:
    // Connects to the named display (empty: the DISPLAY environment variable). Raises
    // EInvalidOperation naming the display when the connection fails.
    explicit TX11Backend(const String& displayName = String(), TX11Options options = TX11Options());
    ~TX11Backend() override;
    TX11Backend(const TX11Backend&) = delete;
    TX11Backend& operator=(const TX11Backend&) = delete;

    TSize ScreenSize() const override;

    TNativeWindow CreateNativeWindow(const TRect& screenRect, TNativeWindowFlags flags) override;
    void DestroyNativeWindow(TNativeWindow w) override;
    void ShowNativeWindow(TNativeWindow w, bool show, bool activate) override;
    void MoveNativeWindow(TNativeWindow w, const TRect& screenRect) override;
    void RestackNativeWindows(const std::vector<TNativeWindow>& frontToBack) override;
    void SetNativeWindowShape(TNativeWindow w, const std::vector<TRect>* shape) override;
    void SetNativeWindowTitle(TNativeWindow w, const String& title) override;
    void SetNativeWindowFlags(TNativeWindow w, TNativeWindowFlags flags) override;
    bool HasWindowManager() override;
    void IconifyNativeWindow(TNativeWindow w) override;
    void SetNativeWindowSurface(TNativeWindow w, TSurface* surface) override;
    void PresentRect(TNativeWindow w, const TRect& rect) override;

    void SetCursorShape(TCursorShape shape) override;
    void ConfinePointer(const TRect* screenRect) override;
    void WarpPointer(TPoint screenPos) override;

    std::uint32_t TickCount() const override;
    void PollEvents() override;
    bool WaitForEvents(int timeoutMs) override;

    void SetClipboardData(const String& format, std::vector<std::uint8_t> data) override;
    std::optional<std::vector<std::uint8_t>> GetClipboardData(const String& format) const override;
    std::vector<String> ClipboardFormats() const override;
    void EmptyClipboard() override;

    // Whether surfaces currently travel through MIT-SHM.
    bool UsesSharedMemory() const;
    // Sends what is buffered and waits until the server has handled it.
    void Sync();
    // The connection's display name as Xlib resolved it.
    String DisplayName() const;

    struct TImpl;

private:
    std::unique_ptr<TImpl> F;
};

// Makes CreateDefaultBackend use X11 when a display can be opened. A program calls this once at
// start-up, before the window manager is first used. The registration is a call on purpose:
// a static initializer in this static library would be dropped by the linker unless something
// else referenced its object file.
void RegisterX11Backend();

} // namespace dw
