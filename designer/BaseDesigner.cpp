#include "designer/BaseDesigner.h"

#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TBaseDesigner) {}

TBaseDesigner::TBaseDesigner(TComponent* owner) : TComponent(owner) {
    FHintWindow.reset(New<THintWindow>(nullptr));
    FHintWindow->SetColor(DesignerHintColor);
    FHintTimer.reset(New<TTimer>(nullptr));
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(DesignerHintPause);
    FHintTimer->SetOnTimer(MakeMethod<&TBaseDesigner::HintTimerTick>(this));
}

TBaseDesigner::~TBaseDesigner() = default;

void TBaseDesigner::BeforeDestruction() {
    FHintTimer.reset();
    FHintWindow.reset();
    TComponent::BeforeDestruction();
}

bool TBaseDesigner::Active() const {
    if (HasState(csLoading) || HasState(csDesigning)) return FStoredActive;
    return FActive;
}

void TBaseDesigner::SetActive(bool value) {
    if (HasState(csLoading) || HasState(csDesigning)) {
        FStoredActive = value;
        return;
    }
    SetActiveValue(value);
}

void TBaseDesigner::SetActiveValue(bool value) {
    if (value && !FActive)
        BaseActivate();
    else if (!value && FActive)
        BaseDeactivate();
}

void TBaseDesigner::Loaded() {
    TComponent::Loaded();
    if (!HasState(csDesigning)) SetActiveValue(FStoredActive);
}

void TBaseDesigner::BaseActivate() {
    if (!FDesignWindow)
        throw EInvalidOperation("Designer usage error. Can not activate designer without design window");
    FCurrentContainer = FDesignWindow;
    FActive = true;
    DoActiveChanged();
}

void TBaseDesigner::BaseDeactivate() {
    HideHint();
    if (FHintWindow) FHintWindow->ReleaseHandle();
    FActive = false;
    DoActiveChanged();
}

void TBaseDesigner::DoActiveChanged() {
    // A failing handler must not leave the designer half switched: it is shown, then ignored.
    try {
        OnActiveChanged(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

void TBaseDesigner::SetDesignWindow(TWinControl* value) {
    if (FDesignWindow == value) return;
    if (FDesignWindow) FDesignWindow->RemoveFreeNotification(this);
    FDesignWindow = value;
    if (FCurrentContainer && FCurrentContainer != value) FCurrentContainer = nullptr;
    if (value) value->FreeNotification(this);
}

void TBaseDesigner::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FHintControl) FHintControl = nullptr;
    if (component == FCurrentContainer) FCurrentContainer = nullptr;
    if (component == FDesignWindow) {
        if (FActive) SetActive(false);
        FDesignWindow = nullptr;
        FCurrentContainer = nullptr;
    }
}

void TBaseDesigner::HideHint() {
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (FHintWindow && FHintWindow->HandleAllocated())
        SetWindowPos(FHintWindow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TBaseDesigner::HintTimerTick(TObject* sender) {
    (void)sender;
    FHintTimer->SetEnabled(false);
    if (FActive && FShowHints) ShowPositionHint();
}

void TBaseDesigner::DesignMouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    HideHint();
    OnMouseDown(this, button, shift, x, y);
}

void TBaseDesigner::DesignMouseMove(TShiftState shift, int x, int y) {
    OnMouseMove(this, shift, x, y);
}

void TBaseDesigner::DesignMouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    OnMouseUp(this, button, shift, x, y);
}

void TBaseDesigner::DesignKeyUp(Word& key, TShiftState shift) {
    OnKeyUp(this, key, shift);
}

void TBaseDesigner::DesignKeyDown(Word& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
}

void TBaseDesigner::DesignKeyPress(char32_t& key) {
    OnKeyPress(this, key);
}

bool TBaseDesigner::AcceptsNonClientMouse(TControl* control) {
    return !As<TCustomForm>(control);
}

bool TBaseDesigner::DesignDragOver(TControl* target, TObject* source, int x, int y, TDragState state) {
    bool accept = false;
    OnDragOver(target, source, x, y, state, accept);
    return accept;
}

void TBaseDesigner::DesignDragDrop(TControl* target, TObject* source, int x, int y) {
    OnDragDrop(target, source, x, y);
}

namespace {

TMouseBtn ButtonOf(UINT msg) {
    if (msg >= WM_RBUTTONDOWN && msg <= WM_RBUTTONDBLCLK) return mbRight;
    if (msg >= WM_MBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) return mbMiddle;
    return mbLeft;
}

} // namespace

bool TBaseDesigner::DefaultHandleMessage(TControl* sender, TMessage& message) {
    if (!FActive) return false;
    bool handled = false;
    OnHandleControlMessage(this, sender, message, handled);
    if (handled) return true;

    UINT msg = message.Msg;
    TMessage work = message;
    bool screenPoint = false;
    TShiftState shift;
    if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMOUSEMOVE + 9) {
        if (AcceptsNonClientMouse(sender) == false || sender == FDesignWindow) return false;
        if (auto* win = As<TWinControl>(sender)) {
            LRESULT hit = win->Perform(WM_NCHITTEST, 0, message.LParam);
            if (hit == HTHSCROLL || hit == HTVSCROLL) return false;
        }
        work.Msg = msg + (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
        screenPoint = true;
        shift = KeyboardStateToShiftState();
    }

    msg = work.Msg;
    if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) {
        shift = KeyDataToShiftState(message.LParam);
        switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            Word key = static_cast<Word>(message.WParam);
            DesignKeyDown(key, shift);
            message.WParam = key;
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            Word key = static_cast<Word>(message.WParam);
            DesignKeyUp(key, shift);
            message.WParam = key;
            break;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            char32_t ch = static_cast<char32_t>(message.WParam);
            DesignKeyPress(ch);
            message.WParam = ch;
            break;
        }
        default:
            break;
        }
        return true;
    }

    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        if (!screenPoint) shift = KeysToShiftState(work.WParam);
        if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) shift += ssDouble;
        TPoint p{LoWordSigned(work.LParam), HiWordSigned(work.LParam)};
        if (!screenPoint) p = sender->ClientToScreen(p);
        if (FDesignWindow) p = FDesignWindow->ScreenToClient(p);
        TMouseBtn button = ButtonOf(msg);
        switch (msg) {
        case WM_MOUSEMOVE:
            DesignMouseMove(shift, p.X, p.Y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            DesignMouseUp(button, shift, p.X, p.Y);
            break;
        default:
            DesignMouseDown(button, shift, p.X, p.Y);
            break;
        }
        return true;
    }

    if (msg == CM_DRAG) {
        TCMDrag drag(message);
        TDragRec* rec = drag.DragRec();
        auto* source = rec ? As<TDragControlObject>(rec->Source) : nullptr;
        if (!source) return false;
        TControl* target = rec->Target ? rec->Target : sender;
        TPoint p = target->ScreenToClient(rec->Pos);
        switch (drag.DragMessage()) {
        case dmDragEnter:
        case dmDragLeave:
        case dmDragMove: {
            auto state = static_cast<TDragState>(drag.DragMessage() - dmDragEnter);
            message.Result = DesignDragOver(target, source->Control(), p.X, p.Y, state) ? 1 : 0;
            return true;
        }
        case dmDragDrop:
            DesignDragDrop(target, source->Control(), p.X, p.Y);
            return true;
        default:
            return false;
        }
    }
    return false;
}

} // namespace dw
