// TApplication: the message loop with its pre-dispatch steps (hints, shortcuts, dialog keys),
// idle processing, modal support, the hint machinery and the default exception display.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Mdi.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace dw {

// The application and screen live for the whole program; they are never freed, so that nothing
// runs against a windowing core that static destruction may already have taken down.
TApplication* Application = New<TApplication>(nullptr);

namespace {
constexpr UINT_PTR HintTimerId = 1;
enum { htNone, htShow, htHide };
} // namespace

DW_DEFINE_CLASS(TApplication) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    FHintWindowClass = THintWindow::StaticClass();
    FPreviousSink = SetSwallowedErrorSink(this);
}

TApplication::~TApplication() {
    SetSwallowedErrorSink(FPreviousSink);
}

void TApplication::ErrorSwallowed(TObject* sender, const String& message) {
    // Shown quietly: a message box here would open a modal loop inside a broadcast or an undo step.
    if (!OnException) {
        std::fprintf(stderr, "draftwell: error stopped: %s\n", message.c_str());
        return;
    }
    Exception e(message);
    OnException(sender, e);
}

void TApplication::BeforeDestruction() {
    if (FHandle && IsWindow(FHandle)) DeallocateHWnd(FHandle);
    FHandle = nullptr;
    TComponent::BeforeDestruction();
}

void TApplication::Initialize() {}

HWND TApplication::Handle() {
    if (!FHandle || !IsWindow(FHandle)) FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    return FHandle;
}

String TApplication::ExeName() const {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return n > 0 ? String(buffer, static_cast<size_t>(n)) : String();
}

void TApplication::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == HintTimerId) HintTimerExpired();
        break;
    default:
        message.Result = DefWindowProc(FHandle, message.Msg, message.WParam, message.LParam);
    }
}

TCustomForm* TApplication::CreateForm(TClass cls) {
    if (!cls || !cls->InheritsFrom(TCustomForm::StaticClass()))
        throw EInvalidArgument(Format("%s is not a form class", cls ? cls->ClassName() : String("(none)")));
    auto* form = static_cast<TCustomForm*>(cls->Create(this));
    if (!FMainForm && form->Is<TForm>()) {
        form->HandleNeeded();
        FMainForm = static_cast<TForm*>(form);
    }
    return form;
}

// ---------------------------------------------------------------------------------------------
// The loop

void TApplication::Run() {
    FRunning = true;
    FTerminate = false;
    {
        auto restore = ScopeExit([&] {
            FRunning = false;
            FTerminate = false;
        });
        if (FMainForm) {
            if (FMainForm->WindowState() == wsMinimized) FMainForm->SetWindowState(wsMinimized);
            FMainForm->SetVisible(true);
        }
        while (!FTerminate) HandleMessage();
    }
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::HandleMessage() {
    TMsg msg;
    if (!ProcessMessage(msg)) Idle(true);
}

void TApplication::ProcessMessages() {
    TMsg msg;
    while (ProcessMessage(msg)) {
        if (FTerminate) break;
    }
}

bool TApplication::ProcessMessage(TMsg& msg) {
    if (!PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminate = true;
        return true;
    }
    bool handled = false;
    try {
        OnMessage(msg, handled);
    } catch (...) {
        HandleException(this);
    }
    if (!handled && !IsHintMsg(msg) && !IsMDIMsg(msg) && !IsKeyMsg(msg)) {
        TranslateMessage(msg);
        DispatchGuarded(msg);
    }
    return true;
}

void TApplication::DispatchGuarded(const TMsg& msg) {
    try {
        DispatchMessage(msg);
    } catch (...) {
        // The dispatch boundary: whatever a handler raised is shown, and the loop goes on.
        HandleException(this);
    }
}

bool TApplication::IsHintMsg(TMsg& msg) {
    if (FHintWindow && FHintWindow->HandleAllocated() && FHintWindow->IsHintMsg(msg)) CancelHint();
    return false;
}

// The frame's document keys (Ctrl+F4, Ctrl+F6, Ctrl+Shift+F6) come before any control's key
// handling, a designed document's included.
bool TApplication::IsMDIMsg(TMsg& msg) {
    if (!FMainForm || FMainForm->FormStyle() != fsMDIForm || !FMainForm->ClientHandle()) return false;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    try {
        return TranslateMDISysAccel(FMainForm->ClientHandle(), msg);
    } catch (...) {
        HandleException(this);
        return true;
    }
}

// A key message first goes, reflected as CN_BASE + message, to the framework control it is for:
// there shortcuts and dialog keys are handled, and a non-zero answer consumes the key.
bool TApplication::IsKeyMsg(TMsg& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture();
    if (!wnd || !TWinControl::FindControl(wnd)) {
        wnd = msg.hwnd;
        while (wnd && !TWinControl::FindControl(wnd)) wnd = GetParent(wnd);
    }
    if (!wnd) return false;
    LRESULT result = 0;
    try {
        result = SendMessage(wnd, CN_BASE + msg.message, msg.wParam, msg.lParam);
    } catch (...) {
        HandleException(this);
        return true;
    }
    return result != 0;
}

bool TApplication::IsShortCut(TWMKey& message) {
    if (!Screen) return false;
    TCustomForm* active = Screen->ActiveCustomForm();
    if (active && !active->HasState(csDestroying)) {
        if (active->IsShortCut(message)) return true;
        if (active->FormStyle() == fsMDIForm)
            if (TForm* child = active->ActiveMDIChild(); child && child->IsShortCut(message)) return true;
    }
    if (FMainForm && FMainForm != active && FMainForm->HandleAllocated() && IsWindowEnabled(FMainForm->Handle())) {
        if (TForm* child = FMainForm->ActiveMDIChild(); child && child != active && child->IsShortCut(message))
            return true;
        if (FMainForm->IsShortCut(message)) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Idle

int TApplication::AddIdleUpdate(std::function<void()> update) {
    int key = FNextIdleKey++;
    FIdleUpdates.emplace_back(key, std::move(update));
    return key;
}

void TApplication::RemoveIdleUpdate(int key) {
    FIdleUpdates.erase(std::remove_if(FIdleUpdates.begin(), FIdleUpdates.end(),
                                      [key](const auto& entry) { return entry.first == key; }),
                       FIdleUpdates.end());
}

void TApplication::DoActionIdle() {
    if (!Screen) return;
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
        TCustomForm* form = Screen->CustomForms(i);
        if (form->HandleAllocated() && IsWindowVisible(form->Handle())) form->UpdateActions();
    }
    auto updates = FIdleUpdates;
    for (auto& entry : updates) {
        bool stillRegistered = std::any_of(FIdleUpdates.begin(), FIdleUpdates.end(),
                                           [&](const auto& e) { return e.first == entry.first; });
        if (stillRegistered) entry.second();
    }
}

void TApplication::Idle(bool waitForMessage) {
    if (FInIdle) return;
    FInIdle = true;
    bool done = true;
    try {
        // The control under the mouse, for enter and leave notifications.
        TPoint cursor = GetCursorPos();
        TControl* under = FindDragTarget(cursor, true);
        if (!GetCaptureControl() && under != FMouseControl) {
            if (!under || !under->HasState(csDesigning)) SetMouseControl(under);
        }
        OnIdle(this, done);
        if (done) DoActionIdle();
    } catch (...) {
        HandleException(this);
    }
    TControlCanvas::FreeDeviceContexts();
    FInIdle = false;
    if (!done || !waitForMessage || FTerminate) return;
    // A modal form told to close must not wait for a message first.
    if (Screen)
        for (int i = 0; i < Screen->CustomFormCount(); ++i) {
            TCustomForm* f = Screen->CustomForms(i);
            if (f->FormState().Contains(fsModal) && f->ModalResult() != mrNone) return;
        }
    WaitMessage();
}

bool TApplication::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    OnActionExecute(action, handled);
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* action) {
    bool handled = false;
    OnActionUpdate(action, handled);
    return handled;
}

bool TApplication::HelpContext(int context) {
    bool callHelp = true;
    OnHelp(0, context, callHelp);
    return !callHelp;
}

// ---------------------------------------------------------------------------------------------
// Modal support

std::vector<HWND> TApplication::DisableTaskWindows(HWND except) {
    std::vector<HWND> disabled;
    EnumWindows([&](HWND h) {
        if (h != except && h != FHandle && IsWindowVisible(h) && IsWindowEnabled(h) &&
            !(FHintWindow && FHintWindow->HandleAllocated() && h == FHintWindow->Handle())) {
            disabled.push_back(h);
        }
        return true;
    });
    for (HWND h : disabled) EnableWindow(h, false);
    return disabled;
}

void TApplication::EnableTaskWindows(const std::vector<HWND>& windows) {
    for (HWND h : windows)
        if (IsWindow(h)) EnableWindow(h, true);
}

// ---------------------------------------------------------------------------------------------
// Exceptions

void TApplication::HandleException(TObject* sender) {
    // Called from a catch block: the exception being handled is shown; nothing escapes from here,
    // since the callers are the boundaries that must not let anything through.
    try {
        if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    } catch (...) {
    }
    auto show = [&](Exception& e) {
        try {
            if (OnException)
                OnException(sender, e);
            else
                ShowException(e);
        } catch (...) {
            // A failing display has nobody left to report to.
        }
    };
    try {
        throw;
    } catch (Exception& e) {
        show(e);
    } catch (std::exception& e) {
        Exception wrapped(e.what());
        show(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        show(wrapped);
    }
}

void TApplication::ShowException(const Exception& e) {
    if (FShowingException) return;
    FShowingException = true;
    {
        auto restore = ScopeExit([&] { FShowingException = false; });
        String text = e.Message();
        if (!text.empty() && text.back() != '.') text += '.';
        MessageBox(text, FTitle.empty() ? String("Error") : FTitle, MB_OK | MB_ICONERROR);
    }
}

namespace {

// The framework's own message box: the text and one OK button on a small dialog form, used until
// the dialogs replace it through MessageBoxHook.
class TMessageBoxButton : public TCustomControl {
    DW_CLASS(TMessageBoxButton, TCustomControl)
    explicit TMessageBoxButton(TComponent* owner) : TCustomControl(owner) {
        FTabStop = true;
        FColor = clBtnFace;
        FParentColor = false;
    }

protected:
    void Paint() override {
        TRect r = ClientRect();
        HDC dc = Canvas()->Handle();
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED : 0));
        Canvas()->Brush()->SetStyle(bsClear);
        TRect t = ClientRect();
        Canvas()->TextRect(t, Caption(), {tfCenter, tfVerticalCenter, tfSingleLine});
        if (Focused()) {
            TRect f = r.Inflate(-4, -4);
            DrawFocusRect(dc, &f);
        }
    }
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override {
        FPressed = true;
        Invalidate();
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override {
        FPressed = false;
        Invalidate();
        TCustomControl::MouseUp(button, shift, x, y);
    }
    void Click() override {
        if (auto* form = GetParentForm(this)) form->SetModalResult(mrOk);
    }
    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_DIALOGKEY &&
            (message.WParam == static_cast<WPARAM>(VK_RETURN) || message.WParam == static_cast<WPARAM>(VK_ESCAPE))) {
            Click();
            message.Result = 1;
            return;
        }
        if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
        TCustomControl::Dispatch(message);
    }

private:
    bool FPressed = false;
};
DW_DEFINE_CLASS(TMessageBoxButton) {}

class TMessageBoxText : public TGraphicControl {
    DW_CLASS(TMessageBoxText, TGraphicControl)
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetStyle(bsClear);
        TRect r = ClientRect();
        DrawText(Canvas()->Handle(), Caption(), &r, DT_WORDBREAK | DT_NOPREFIX);
    }
};
DW_DEFINE_CLASS(TMessageBoxText) {}

} // namespace

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
    if (MessageBoxHook) return MessageBoxHook(text, caption, flags);
    TObjectPtr<TForm> box(New<TForm>(nullptr, CreateNew));
    box->SetBorderStyle(bsDialog);
    box->SetPosition(poScreenCenter);
    box->SetCaption(caption);
    auto* label = New<TMessageBoxText>(box.get());
    label->SetParent(box.get());
    // Measure the text to size the box.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, box->Font()->Handle());
    TRect measure{0, 0, 360, 0};
    DrawText(dc, text, &measure, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int textWidth = std::max(measure.Width(), 120);
    label->SetBounds(16, 16, textWidth, measure.Height());
    label->SetCaption(text);
    auto* button = New<TMessageBoxButton>(box.get());
    button->SetParent(box.get());
    button->SetCaption("OK");
    int clientWidth = textWidth + 32;
    button->SetBounds((clientWidth - 75) / 2, measure.Height() + 32, 75, 25);
    box->SetClientSize(clientWidth, measure.Height() + 32 + 25 + 12);
    box->SetActiveControl(nullptr);
    (void)flags;
    box->ShowModal();
    return IDOK;
}

// ---------------------------------------------------------------------------------------------
// Mouse tracking and hints

void TApplication::SetMouseControl(TControl* control) {
    if (control == FMouseControl) return;
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control && control == FMouseControl) control->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::ControlDestroyed(TControl* control) {
    if (FMouseControl == control) FMouseControl = nullptr;
    if (FHintControl == control) {
        FHintControl = nullptr;
        CancelHint();
    }
    if (FMainForm == control) FMainForm = nullptr;
    if (FHintWindow == control) FHintWindow = nullptr;
}

void TApplication::SetShowHint(bool value) {
    if (FShowHint == value) return;
    FShowHint = value;
    if (!value) {
        CancelHint();
        if (FHintWindow) {
            FHintWindow->Free();
            FHintWindow = nullptr;
        }
    }
}

void TApplication::SetHint(const String& value) {
    if (FHint == value) return;
    FHint = value;
    OnHint(this);
}

void TApplication::SetHintColor(TColor value) {
    FHintColor = value;
    if (FHintWindow) FHintWindow->SetColor(value);
}

void TApplication::SetHintWindowClass(TClass value) {
    if (!value || !value->InheritsFrom(THintWindow::StaticClass())) return;
    FHintWindowClass = value;
    if (FHintWindow) {
        FHintWindow->Free();
        FHintWindow = nullptr;
    }
}

namespace {

// The control whose hint shows: the nearest one up the parents that has ShowHint; none in design state.
TControl* HintControlOf(TControl* control) {
    while (control && !control->ShowHint()) control = control->Parent();
    if (control && control->HasState(csDesigning)) return nullptr;
    return control;
}

String HintOf(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty()) return c->Hint();
    return {};
}

} // namespace

void TApplication::HintMouseMessage(TControl* control, TMessage& message) {
    TPoint screen = control->ClientToScreen(TWMMouse(message).Pos());
    if (!GetCaptureControl()) SetMouseControl(control);
    if (!FShowHint) return;
    TControl* hintControl = HintControlOf(FindDragTarget(screen, true));
    if (!hintControl) {
        CancelHint();
        return;
    }
    TPoint local = hintControl->ScreenToClient(screen);
    if (hintControl != FHintControl || !FHintCursorRect.Contains(local)) {
        bool wasActive = FHintActive;
        int pause = wasActive ? FHintShortPause : FHintPause;
        hintControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
        CancelHint();
        FHintActive = wasActive;
        FHintControl = hintControl;
        FHintCursorRect = hintControl->ClientRect();
        StartHintTimer(pause, htShow);
    }
}

void TApplication::StartHintTimer(int value, int kind) {
    StopHintTimer();
    FHintTimerKind = kind;
    SetTimer(Handle(), HintTimerId, static_cast<UINT>(std::max(value, 1)), nullptr);
}

void TApplication::StopHintTimer() {
    if (FHintTimerKind != htNone && FHandle && IsWindow(FHandle)) KillTimer(FHandle, HintTimerId);
    FHintTimerKind = htNone;
}

void TApplication::HintTimerExpired() {
    int kind = FHintTimerKind;
    StopHintTimer();
    if (kind == htShow)
        ActivateHint(GetCursorPos());
    else
        CancelHint();
}

void TApplication::ActivateHint(TPoint cursorPos) {
    TControl* control = HintControlOf(FindDragTarget(cursorPos, true));
    FHintControl = control;
    if (!control || !FShowHint) {
        HideHint();
        return;
    }
    THintInfo info;
    info.HintControl = control;
    info.HintPos = {cursorPos.X, cursorPos.Y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
    info.HintMaxWidth = Screen ? Screen->Width() : 640;
    info.HintColor = FHintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(cursorPos);
    info.HintStr = GetShortHint(HintOf(control));
    info.HideTimeout = FHintHidePause;
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && control->ActionLink()) canShow = control->ActionLink()->DoShowHint(info.HintStr);
    if (canShow) OnShowHint(info.HintStr, canShow, info);
    FHintActive = canShow;
    if (!canShow || info.HintStr.empty()) {
        HideHint();
        return;
    }
    if (!FHintWindow) FHintWindow = static_cast<THintWindow*>(FHintWindowClass->Create(this));
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = r.Offset(info.HintPos.X, info.HintPos.Y);
    if (Screen) {
        // Keep the hint on the screen.
        if (r.Right > Screen->Width()) r = r.Offset(Screen->Width() - r.Right, 0);
        if (r.Left < 0) r = r.Offset(-r.Left, 0);
        if (r.Bottom > Screen->Height()) r = r.Offset(0, cursorPos.Y - 4 - r.Bottom);
    }
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    FHintCursorRect = info.CursorRect;
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, htHide);
}

void TApplication::HideHint() {
    if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()))
        ShowWindow(FHintWindow->Handle(), SW_HIDE);
}

void TApplication::CancelHint() {
    if (FHintControl) {
        HideHint();
        FHintControl = nullptr;
        FHintActive = false;
        StopHintTimer();
    }
}

String GetShortHint(const String& hint) {
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(0, bar);
}

String GetLongHint(const String& hint) {
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

} // namespace dw
