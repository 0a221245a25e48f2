// TTimer: OnTimer every Interval milliseconds through WM_TIMER of a hidden window.
#include "framework/controls/forms/Timer.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Window.h"

namespace dw {

namespace {
constexpr UINT_PTR TimerId = 1;
}

DW_DEFINE_CLASS(TTimer) {
    c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    c.Property("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() = default;

void TTimer::BeforeDestruction() {
    FEnabled = false;
    UpdateTimer();
    if (FWindowHandle) DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
    TComponent::BeforeDestruction();
}

void TTimer::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal value) {
    if (FInterval == value) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& value) {
    FOnTimer = value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

// Every change stops the timer and, when it should run, starts a fresh countdown.
void TTimer::UpdateTimer() {
    if (FRunning && FWindowHandle && IsWindow(FWindowHandle)) KillTimer(FWindowHandle, TimerId);
    FRunning = false;
    if (HasState(csLoading) || HasState(csDesigning) || HasState(csDestroying)) return;
    if (!FEnabled || FInterval == 0 || !FOnTimer) return;
    if (!FWindowHandle || !IsWindow(FWindowHandle)) FWindowHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    if (!SetTimer(FWindowHandle, TimerId, FInterval, nullptr)) throw EOutOfResources("Not enough timers available");
    FRunning = true;
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (...) {
            if (Application) Application->HandleException(this);
        }
        return;
    }
    message.Result = DefWindowProc(FWindowHandle, message.Msg, message.WParam, message.LParam);
}

void TTimer::Timer() {
    if (FEnabled) FOnTimer(this);
}

} // namespace dw
