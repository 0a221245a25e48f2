// TTimer: a non-visual component that fires OnTimer every Interval milliseconds while Enabled,
// through WM_TIMER of a hidden window of its own.
#pragma once

#include "framework/controls/core/Controls.h"

namespace dw {

class TTimer : public TComponent {
    DW_CLASS(TTimer, TComponent)
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    // Changing Enabled, Interval or OnTimer restarts the countdown.
    void SetEnabled(bool value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& value);
    void Loaded() override;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    TNotifyEvent FOnTimer;
    HWND FWindowHandle = nullptr;
    bool FRunning = false;
};

} // namespace dw
