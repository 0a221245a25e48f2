// TGraphicControl, TCustomControl and TControlCanvas: controls that paint on a canvas; the
// framework's hidden utility windows; finding controls at screen points.
#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <unordered_map>

namespace dw {

namespace {

// Canvases that hold a DC of a control outside painting; released after every message.
std::vector<TControlCanvas*>& CanvasList() {
    static std::vector<TControlCanvas*> list;
    return list;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TControlCanvas

DW_DEFINE_CLASS(TControlCanvas) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* value) {
    if (FControl == value) return;
    FreeHandle();
    FControl = value;
}

void TControlCanvas::CreateHandle() {
    if (!FControl) return;
    HWND window = nullptr;
    HDC dc = nullptr;
    if (auto* w = As<TWinControl>(FControl)) {
        window = w->Handle();
        dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    } else {
        TWinControl* parent = FControl->Parent();
        if (!parent) return;
        window = parent->Handle();
        dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (dc) {
            SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
            IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
        }
    }
    if (!dc) return;
    FDeviceContext = dc;
    FWindowHandle = window;
    CanvasList().push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FDeviceContext) return;
    SetHandle(nullptr);
    if (IsWindow(FWindowHandle)) ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
    FWindowHandle = nullptr;
    auto& list = CanvasList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts() {
    auto& list = CanvasList();
    while (!list.empty()) list.back()->FreeHandle();
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

DW_DEFINE_CLASS(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
    auto* canvas = New<TControlCanvas>();
    canvas->SetControl(this);
    FCanvas.reset(canvas);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT)
        WMPaint(message);
    else
        TControl::Dispatch(message);
}

void TGraphicControl::WMPaint(TMessage& message) {
    HDC dc = TWMPaint(message).DC();
    if (!dc || HasState(csDestroying)) return;
    auto* canvas = static_cast<TControlCanvas*>(FCanvas.get());
    canvas->FreeHandle();
    canvas->SetHandle(dc);
    canvas->SetFont(FFont.get());
    canvas->Brush()->SetColor(FColor);
    {
        auto restore = ScopeExit([&] { canvas->SetHandle(nullptr); });
        Paint();
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

DW_DEFINE_CLASS(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    auto* canvas = New<TControlCanvas>();
    canvas->SetControl(this);
    FCanvas.reset(canvas);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        FControlState += csCustomPaint;
        {
            auto restore = ScopeExit([&] { FControlState -= csCustomPaint; });
            TWinControl::Dispatch(message);
        }
        return;
    }
    TWinControl::Dispatch(message);
}

void TCustomControl::PaintWindow(HDC dc) {
    auto* canvas = static_cast<TControlCanvas*>(FCanvas.get());
    canvas->FreeHandle();
    canvas->SetHandle(dc);
    canvas->SetFont(FFont.get());
    canvas->Brush()->SetColor(FColor);
    {
        auto restore = ScopeExit([&] { canvas->SetHandle(nullptr); });
        Paint();
    }
}

void TCustomControl::DestroyWnd() {
    static_cast<TControlCanvas*>(FCanvas.get())->FreeHandle();
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------------------------
// Utility windows

namespace {

constexpr const char* UtilWindowClass = "DwUtilWindow";

std::unordered_map<HWND, TWndMethod>& UtilWindows() {
    static std::unordered_map<HWND, TWndMethod> windows;
    return windows;
}

LRESULT UtilWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& windows = UtilWindows();
    auto it = windows.find(hwnd);
    if (msg == WM_NCDESTROY) {
        if (it != windows.end()) windows.erase(it);
        return 0;
    }
    if (it == windows.end()) return DefWindowProc(hwnd, msg, wParam, lParam);
    TWndMethod proc = it->second;
    TMessage message{msg, wParam, lParam, 0};
    try {
        proc(message);
    } catch (...) {
        // The boundary of message handling, as for controls.
        if (Application) Application->HandleException(nullptr);
    }
    return message.Result;
}

} // namespace

HWND AllocateHWnd(TWndMethod proc) {
    WNDCLASS existing;
    if (!GetClassInfo(UtilWindowClass, existing)) {
        WNDCLASS wc;
        wc.lpfnWndProc = &UtilWindowProc;
        wc.lpszClassName = UtilWindowClass;
        RegisterClass(wc);
    }
    HWND h = CreateWindowEx(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0);
    if (!h) throw EOutOfResources("Cannot make a utility window");
    UtilWindows()[h] = std::move(proc);
    return h;
}

void DeallocateHWnd(HWND window) {
    UtilWindows().erase(window);
    if (window && IsWindow(window)) DestroyWindow(window);
}

// ---------------------------------------------------------------------------------------------
// Controls at screen points

TWinControl* FindVCLWindow(TPoint screenPos) {
    HWND h = WindowFromPoint(screenPos);
    while (h && !TWinControl::FindControl(h)) h = GetParent(h);
    return TWinControl::FindControl(h);
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    TWinControl* window = FindVCLWindow(screenPos);
    if (!window) return nullptr;
    TControl* control = window->ControlAtPos(window->ScreenToClient(screenPos), allowDisabled);
    return control ? control : window;
}

} // namespace dw
