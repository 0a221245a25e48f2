// TWinControl: the window on demand, children in z-order, tab order and focus, keyboard routing
// with dialog keys and shortcuts, painting with the non-windowed children, and bounds kept in
// step with the window.
#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Mdi.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <unordered_set>

namespace dw {

namespace {

constexpr const char* ControlProp = "DwControl";
// The control whose window is being made: the class procedure adopts the new window for it at
// its first message (WM_NCCREATE and friends arrive before CreateWindowEx returns).
TWinControl* gCreationControl = nullptr;
// Names of the window classes the framework registered (all with StdWndProc).
std::unordered_set<String>& OwnClasses() {
    static std::unordered_set<String> classes;
    return classes;
}
int gWndProcNesting = 0;

} // namespace

DW_DEFINE_CLASS(TWinControl) {}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    FBrush.reset(New<TBrush>());
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
    if (!HasState(csDestroying)) Destroying();
    if (FParent) RemoveFocus(true);
    if (FHandle) DestroyWindowHandle();
    // Children die with their parent, whoever owns them.
    while (!FWinControls.empty() || !FGraphicControls.empty()) {
        TControl* child = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FGraphicControls.back();
        RemoveControl(child);
        child->Free();
    }
    TControl::BeforeDestruction();
}

TWinControl* TWinControl::FindControl(HWND handle) {
    if (!handle || !IsWindow(handle)) return nullptr;
    return static_cast<TWinControl*>(GetProp(handle, ControlProp));
}

TWinControl* FindControl(HWND handle) {
    return TWinControl::FindControl(handle);
}

LRESULT TWinControl::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(GetProp(hwnd, ControlProp));
    if (!control) {
        if (!gCreationControl) return DefWindowProc(hwnd, msg, wParam, lParam);
        control = gCreationControl;
        gCreationControl = nullptr;
        control->AttachHandle(hwnd);
    }
    if (msg == WM_NCDESTROY) {
        LRESULT result = control->MainWndProc(hwnd, msg, wParam, lParam);
        control->DetachHandle(hwnd);
        return result;
    }
    return control->MainWndProc(hwnd, msg, wParam, lParam);
}

void TWinControl::AttachHandle(HWND handle) {
    FHandle = handle;
    SetProp(handle, ControlProp, this);
}

void TWinControl::DetachHandle(HWND handle) {
    RemoveProp(handle, ControlProp);
    if (FHandle == handle) {
        FHandle = nullptr;
        FShowing = false;
    }
}

LRESULT TWinControl::MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    ++gWndProcNesting;
    try {
        // The window moved or was sized by the platform (a user's drag, MoveWindow): the bounds
        // follow before anyone, the designer hook included, looks at the message.
        if (hwnd == FHandle && (msg == WM_WINDOWPOSCHANGED || msg == WM_SIZE || msg == WM_MOVE)) UpdateBounds();
        WindowProc(message);
    } catch (...) {
        // The boundary of message handling: an exception is shown and goes no further.
        if (Application) Application->HandleException(this);
    }
    if (--gWndProcNesting == 0) TControlCanvas::FreeDeviceContexts();
    return message.Result;
}

// ---------------------------------------------------------------------------------------------
// The window

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle && !IsWindow(FHandle)) DetachHandle(FHandle);
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    if (FParent && FHandle)
        SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (TControl* c : FGraphicControls) c->UpdateAnchorRules();
    for (TWinControl* c : FWinControls) c->UpdateAnchorRules();
}

HWND TWinControl::PrecedingWindow(TWinControl* control) const {
    auto it = std::find(FWinControls.begin(), FWinControls.end(), control);
    if (it == FWinControls.end()) return HWND_TOP;
    for (++it; it != FWinControls.end(); ++it)
        if ((*it)->FHandle) return (*it)->FHandle;
    return HWND_TOP;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!HasState(csDesigning) && !Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    // Measuring the frame must not make the parent's window.
    params.WndParent = FParent ? (FMeasuringFrame ? FParent->FHandle : FParent->Handle()) : FParentWindow;
    params.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.ClassCursor = LoadCursor(nullptr, IDC_ARROW);
    params.WinClassName = ClassName();
    if (UseRightToLeftReading()) params.ExStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftScrollBar()) params.ExStyle |= WS_EX_LEFTSCROLLBAR;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD))
        throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
    WNDCLASS existing;
    bool ours = OwnClasses().count(UpperCase(params.WinClassName)) != 0;
    if (!GetClassInfo(params.WinClassName, existing)) {
        WNDCLASS wc;
        wc.style = params.ClassStyle;
        wc.lpfnWndProc = &TWinControl::StdWndProc;
        wc.hCursor = params.ClassCursor;
        wc.hbrBackground = params.ClassBackground;
        wc.lpszClassName = params.WinClassName;
        if (!RegisterClass(wc)) throw EOutOfResources(Format("Cannot register window class %s", params.WinClassName));
        OwnClasses().insert(UpperCase(params.WinClassName));
        ours = true;
    }
    FOwnClass = ours;
    FDefWndProc = ours ? TWindowProc(&DefWindowProc) : TWindowProc();
    CreateWindowHandle(params);
    if (!FHandle) throw EOutOfResources(Format("Error creating window for control '%s'", Name()));
    if (!ours) {
        // A class registered by someone else: its procedure becomes the default handling.
        FDefWndProc = SetWindowProc(FHandle, &TWinControl::StdWndProc);
        if (!GetProp(FHandle, ControlProp)) AttachHandle(FHandle);
    }
    UpdateBounds();
    if (FAutoSize) AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    TWinControl* saved = gCreationControl;
    gCreationControl = FOwnClass ? this : nullptr;
    {
        auto restore = ScopeExit([&] { gCreationControl = saved; });
        HWND h = nullptr;
        if (params.ExStyle & WS_EX_MDICHILD)
            // A document window: the MDI client places it (CW_USEDEFAULT cascades) and activates it.
            h = CreateMDIWindow(params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X, params.Y,
                                params.Width, params.Height, params.WndParent, reinterpret_cast<LPARAM>(params.Param));
        else
            h = CreateWindowEx(params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X, params.Y,
                               params.Width, params.Height, params.WndParent, 0, params.Param);
        if (h && !FHandle) AttachHandle(h);
    }
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    FControlState += csDestroyingHandle;
    HWND h = FHandle;
    {
        auto undo = ScopeFail([&] {
            FControlState -= csDestroyingHandle;
            DetachHandle(h);
        });
        if (h && IsWindow(h)) DestroyWindow(h);
    }
    FControlState -= csDestroyingHandle;
    if (FHandle == h) DetachHandle(h);
    FShowing = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage& message) {
    (void)message;
    bool wasFocused = Focused();
    FRecreating = true;
    {
        auto restore = ScopeExit([&] { FRecreating = false; });
        DestroyHandle();
        UpdateControlState();
    }
    if (wasFocused && FHandle) dw::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND value) {
    if (FParent || FParentWindow == value) return;
    if (FHandle && FParentWindow && value) {
        // Moves the window to the new parent window as it is.
        dw::SetParent(FHandle, value);
        FParentWindow = value;
        return;
    }
    DestroyHandle();
    FParentWindow = value;
    UpdateControlState();
}

void TWinControl::UpdateBounds() {
    if (!FHandle) return;
    TRect r = GetWindowRect(FHandle);
    if (GetWindowLongPtr(FHandle, GWL_STYLE) & WS_CHILD) {
        if (HWND parent = GetParent(FHandle)) MapWindowRect(nullptr, parent, r);
    }
    if (r.Left != FLeft || r.Top != FTop || r.Width() != FWidth || r.Height() != FHeight) UpdateBoundsRect(r);
}

TRect TWinControl::NonClientMargins() const {
    if (FHandle && IsWindow(FHandle)) {
        TRect window = GetWindowRect(FHandle);
        TRect client = dw::GetClientRect(FHandle);
        TPoint origin{0, 0};
        dw::ClientToScreen(FHandle, origin);
        // A mirrored client's origin is its right edge; measure from the left edge either way.
        if (GetWindowLongPtr(FHandle, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) origin.X -= client.Width() - 1;
        int left = origin.X - window.Left, top = origin.Y - window.Top;
        return {left, top, window.Width() - client.Width() - left, window.Height() - client.Height() - top};
    }
    TCreateParams params;
    auto* self = const_cast<TWinControl*>(this);
    bool saved = self->FMeasuringFrame;
    self->FMeasuringFrame = true;
    {
        auto restore = ScopeExit([&] { self->FMeasuringFrame = saved; });
        self->CreateParams(params);
    }
    TRect r{0, 0, 0, 0};
    AdjustWindowRectEx(r, params.Style, false, params.ExStyle);
    TRect m{-r.Left, -r.Top, r.Right, r.Bottom};
    if (!(params.Style & WS_CHILD)) {
        // The menu bar spans the inside of the outer frame, above the client edge and scroll bars.
        TRect frame{0, 0, 0, 0};
        AdjustWindowRectEx(frame, params.Style & ~(WS_CAPTION | WS_VSCROLL | WS_HSCROLL), false,
                           params.ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        m.Top += MenuBarHeight(std::max(0, FWidth - frame.Width()));
    }
    int bevel = BevelFrameWidth();
    m.Left += FBorderWidth + (FBevelEdges.Contains(beLeft) ? bevel : 0);
    m.Top += FBorderWidth + (FBevelEdges.Contains(beTop) ? bevel : 0);
    m.Right += FBorderWidth + (FBevelEdges.Contains(beRight) ? bevel : 0);
    m.Bottom += FBorderWidth + (FBevelEdges.Contains(beBottom) ? bevel : 0);
    return m;
}

int TWinControl::BevelFrameWidth() const {
    if (FBevelKind == bkNone) return 0;
    int w = 0;
    if (FBevelInner != bvNone) w += FBevelWidth;
    if (FBevelOuter != bvNone) w += FBevelWidth;
    return w;
}

TRect TWinControl::GetClientRect() const {
    if (FHandle && IsWindow(FHandle)) return dw::GetClientRect(FHandle);
    TRect m = NonClientMargins();
    return {0, 0, std::max(0, FWidth - m.Left - m.Right), std::max(0, FHeight - m.Top - m.Bottom)};
}

TPoint TWinControl::GetClientOrigin() const {
    if (FHandle && IsWindow(FHandle)) {
        TPoint p{0, 0};
        dw::ClientToScreen(FHandle, p);
        return p;
    }
    TRect m = NonClientMargins();
    TPoint base = FParent ? FParent->ClientOrigin() : TPoint{0, 0};
    return {base.X + FLeft + m.Left, base.Y + FTop + m.Top};
}

void TWinControl::SetClientSizeImpl(int width, int height) {
    CheckControlSize("ClientWidth", width);
    CheckControlSize("ClientHeight", height);
    TRect m = NonClientMargins();
    SetBounds(FLeft, FTop, width + m.Left + m.Right, height + m.Top + m.Bottom);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    CheckControlPosition("Left", left);
    CheckControlPosition("Top", top);
    CheckControlSize("Width", width);
    CheckControlSize("Height", height);
    if (!CheckNewSize(width, height)) return;
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    if (FHandle && IsWindow(FHandle) && !IsIconic(FHandle)) {
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool sized = width != FWidth || height != FHeight;
        FLeft = left;
        FTop = top;
        FWidth = width;
        FHeight = height;
        if (sized) {
            Realign();
            if (!HasState(csLoading)) Resize();
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateControlState() {
    for (TControl* c = FParent; c; c = c->Parent())
        if (!static_cast<TWinControl*>(c)->FShowing) return;
    TControl* top = this;
    while (top->Parent()) top = top->Parent();
    auto* topWin = static_cast<TWinControl*>(top);
    if (top->Is<TCustomForm>() || topWin->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing() {
    bool show = DesignVisible() && !FControlState.Contains(csReadingState);
    if (show) {
        if (!FHandle) CreateHandle();
        for (TWinControl* c : std::vector<TWinControl*>(FWinControls)) c->UpdateShowing();
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        {
            auto undo = ScopeFail([&] { FShowing = !show; });
            Perform(CM_SHOWINGCHANGED, 0, 0);
        }
    }
}

void TWinControl::CMShowingChanged(TMessage& message) {
    (void)message;
    constexpr UINT common = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, common | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChangedW(TMessage& message) {
    if (!FVisible && FParent) RemoveFocus(false);
    if (!HasState(csDesigning) || FControlStyle.Contains(csNoDesignVisible)) UpdateControlState();
    (void)message;
}

// ---------------------------------------------------------------------------------------------
// Children

TControl* TWinControl::Controls(int index) const {
    size_t i = static_cast<size_t>(index);
    if (index < 0 || i >= FGraphicControls.size() + FWinControls.size())
        throw EListError(Format("Control index %d out of bounds (0 to %d)", index, ControlCount() - 1));
    if (i < FGraphicControls.size()) return FGraphicControls[i];
    return FWinControls[i - FGraphicControls.size()];
}

void TWinControl::InsertControl(TControl* control) {
    control->ValidateContainer(this);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (auto* w = As<TWinControl>(control)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FGraphicControls.push_back(control);
    }
    control->FParent = this;
    if (!control->HasState(csReading)) {
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
        control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        control->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        if (auto* w = As<TWinControl>(control)) {
            w->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
            w->UpdateControlState();
        } else if (FHandle) {
            control->Invalidate();
        }
        AlignControl(control);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* w = As<TWinControl>(control)) {
        w->RemoveFocus(true);
        w->DestroyHandle();
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    } else {
        if (FHandle) control->InvalidateControl(control->Visible(), false);
        FGraphicControls.erase(std::remove(FGraphicControls.begin(), FGraphicControls.end(), control),
                               FGraphicControls.end());
    }
    if (FMouseControl == control) FMouseControl = nullptr;
    control->FParent = nullptr;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (!HasState(csDestroying)) Realign();
}

void TWinControl::SetParent(TWinControl* value) {
    if (FParent == value) return;
    // A parent control replaces a parent window.
    if (value && FParentWindow) {
        DestroyHandle();
        FParentWindow = nullptr;
    }
    TControl::SetParent(value);
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls, bool allLevels) const {
    auto hit = [&](TControl* c) {
        TPoint p{pos.X - c->Left(), pos.Y - c->Top()};
        if (!c->BoundsRect().Contains(pos)) return false;
        if (c->HasState(csDesigning) && c->DesignVisible()) return true;
        return c->Visible() && (c->Enabled() || allowDisabled) && c->Perform(CM_HITTEST, 0, PointToLParam(p)) != 0;
    };
    if (allowWinControls) {
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it) {
            if (!hit(*it)) continue;
            if (allLevels) {
                TPoint inner = (*it)->ParentToClient(pos, const_cast<TWinControl*>(this));
                if (TControl* deeper = (*it)->ControlAtPos(inner, allowDisabled, true, true)) return deeper;
            }
            return *it;
        }
    }
    for (auto it = FGraphicControls.rbegin(); it != FGraphicControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

TControl* TWinControl::FindChildControl(std::string_view controlName) const {
    for (TControl* c : FGraphicControls)
        if (SameText(c->Name(), controlName)) return c;
    for (TWinControl* c : FWinControls)
        if (SameText(c->Name(), controlName)) return c;
    return nullptr;
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (int i = 0, n = ControlCount(); i < n; ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == root) proc(c);
    }
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
    auto* control = As<TControl>(child);
    if (!control || control->Parent() != this) return;
    if (auto* w = As<TWinControl>(control)) {
        order -= static_cast<int>(FGraphicControls.size());
        FWinControls.erase(std::find(FWinControls.begin(), FWinControls.end(), w));
        order = std::clamp(order, 0, static_cast<int>(FWinControls.size()));
        FWinControls.insert(FWinControls.begin() + order, w);
    } else {
        FGraphicControls.erase(std::find(FGraphicControls.begin(), FGraphicControls.end(), control));
        order = std::clamp(order, 0, static_cast<int>(FGraphicControls.size()));
        FGraphicControls.insert(FGraphicControls.begin() + order, control);
    }
}

void TWinControl::Broadcast(TMessage& message) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->WindowProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage m{msg, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(m);
}

void TWinControl::ShowControl(TControl* control) {
    (void)control;
    if (FParent) FParent->ShowControl(this);
}

void TWinControl::SetZOrder(bool topMost) {
    if (!FParent) {
        if (FHandle) SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    auto& list = FParent->FWinControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    if (FHandle) {
        SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    FParent->Realign();
}

// ---------------------------------------------------------------------------------------------
// Tab order and focus

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    if (FControlState.Contains(csReadingState) && FTabOrder >= 0) return FTabOrder;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (FControlState.Contains(csReadingState) || HasState(csReading)) {
        // Siblings read later would shift the order: it is applied once the parent is read.
        FTabOrder = value;
        return;
    }
    UpdateTabOrder(value);
}

void TWinControl::UpdateTabOrder(int value) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    int count = static_cast<int>(list.size());
    if (value < 0 || value >= count) value = count - 1;
    list.erase(it);
    list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList() {
    std::vector<TWinControl*> ordered(FTabList.size(), nullptr);
    std::vector<TWinControl*> rest;
    for (TWinControl* c : FTabList) {
        int order = c->FTabOrder;
        if (order >= 0 && order < static_cast<int>(ordered.size()) && !ordered[static_cast<size_t>(order)])
            ordered[static_cast<size_t>(order)] = c;
        else
            rest.push_back(c);
        c->FTabOrder = -1;
    }
    size_t r = 0;
    for (auto& slot : ordered)
        if (!slot) slot = rest[r++];
    FTabList = std::move(ordered);
}

void TWinControl::SetTabStop(bool value) {
    if (FTabStop == value) return;
    FTabStop = value;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtr(FHandle, GWL_STYLE);
        SetWindowLongPtr(FHandle, GWL_STYLE,
                         value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!(c->Visible() && c->Enabled())) return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControl(this);
    else if (FParentWindow)
        dw::SetFocus(Handle());
    else
        ValidParentForm(this);
}

bool TWinControl::ContainsFocus() const {
    HWND focus = GetFocus();
    if (!focus || !FHandle) return false;
    return focus == FHandle || IsChild(FHandle, focus);
}

void TWinControl::RemoveFocus(bool removing) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, removing);
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) break;
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this)) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next) next->SetFocus();
}

void TWinControl::CMEnter(TMessage& message) {
    (void)message;
    DoEnter();
}
void TWinControl::CMExit(TMessage& message) {
    (void)message;
    DoExit();
}
void TWinControl::DoEnter() {
    OnEnter(this);
}
void TWinControl::DoExit() {
    OnExit(this);
}

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
}
void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::CMFocusChanged(TMessage& message) {
    Broadcast(message);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

bool TWinControl::DoKeyDown(TMessage& message) {
    TWMKey key(message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word k = static_cast<Word>(key.CharCode());
        KeyDown(k, KeyDataToShiftState(key.KeyData()));
        key.CharCode() = k;
        if (k == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& message) {
    TWMKey key(message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word k = static_cast<Word>(key.CharCode());
        KeyUp(k, KeyDataToShiftState(key.KeyData()));
        key.CharCode() = k;
        if (k == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    TWMKey key(message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        char32_t ch = static_cast<char32_t>(key.CharCode());
        KeyPress(ch);
        key.CharCode() = ch;
        if (ch == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(Word& key, TShiftState shift) {
    OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char32_t& key) {
    OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& message) {
    if (!DoKeyDown(message)) DefaultHandler(message);
}
void TWinControl::WMSysKeyDown(TMessage& message) {
    if (!DoKeyDown(message)) DefaultHandler(message);
}
void TWinControl::WMKeyUp(TMessage& message) {
    if (!DoKeyUp(message)) DefaultHandler(message);
}
void TWinControl::WMChar(TMessage& message) {
    if (!DoKeyPress(message)) DefaultHandler(message);
}

// On a designed form the keys are the designer's, except the menu keys and shortcuts of the
// program around it (its main menu and actions): those stay the frame's, or a designed document
// would lock the user out of the menu. The designed controls' own menus and actions do not act.
bool TWinControl::IsMenuKey(TMessage& message) {
    TWMKey key(message);
    if (HasState(csDesigning)) return Application && Application->IsShortCut(key);
    for (TControl* c = this; c; c = c->Parent())
        if (auto* handler = Supports<IShortCutHandler>(c->FPopupMenu))
            if (handler->IsShortCut(key)) return true;
    return Application && Application->IsShortCut(key);
}

// A key before it is dispatched: shortcuts first, then the dialog keys (Tab, arrows, Enter, Esc)
// go to the form unless the control asks for them with WM_GETDLGCODE or CM_WANTSPECIALKEY.
// Result 1 means the key was used up.
void TWinControl::CNKeyDown(TMessage& message) {
    message.Result = 1;
    if (IsMenuKey(message)) return;
    if (!HasState(csDesigning)) {
        TWMKey key(message);
        if (Perform(CM_CHILDKEY, key.CharCode(), reinterpret_cast<LPARAM>(this)) != 0) return;
        LRESULT mask = 0;
        switch (static_cast<int>(key.CharCode())) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, key.CharCode(), 0) == 0 &&
            (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
            TCustomForm* form = GetParentForm(this);
            if (form && form->Perform(CM_DIALOGKEY, key.CharCode(), key.KeyData()) != 0) return;
        }
    }
    message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& message) {
    message.Result = 0;
    if (HasState(csDesigning)) return;
    switch (static_cast<int>(message.WParam)) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        message.Result = Perform(CM_WANTSPECIALKEY, message.WParam, message.LParam);
        break;
    default:
        break;
    }
}

void TWinControl::CNChar(TMessage& message) {
    message.Result = 0;
    if (HasState(csDesigning)) return;
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) message.Result = 1;
    }
}

void TWinControl::CMChildKey(TMessage& message) {
    if (FParent) message.Result = FParent->Perform(CM_CHILDKEY, message.WParam, message.LParam);
}

void TWinControl::CMDialogKey(TMessage& message) {
    Broadcast(message);
}
void TWinControl::CMDialogChar(TMessage& message) {
    Broadcast(message);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TWinControl::Invalidate() {
    Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::CMInvalidate(TMessage& message) {
    if (!FHandle) return;
    if (FParent) FParent->Perform(CM_INVALIDATE, 1, 0);
    if (message.WParam == 0) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::InvalidateFrame() {
    if (!FHandle) return;
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

void TWinControl::WMPaint(TMessage& message) {
    TWMPaint paint(message);
    if (paint.DC() || !FDoubleBuffered || !FHandle) {
        PaintHandler(message);
        return;
    }
    // Double buffered: erase and paint into a bitmap (through the whole message path, designer
    // hook included), then copy it to the window in one go.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, ps);
    TRect client = ClientRect();
    HDC memDC = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1, client.Width()), std::max(1, client.Height()));
    HGDIOBJ old = SelectObject(memDC, bitmap);
    {
        auto restore = ScopeExit([&] {
            SelectObject(memDC, old);
            DeleteObject(bitmap);
            DeleteDC(memDC);
            EndPaint(FHandle, ps);
        });
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memDC), reinterpret_cast<LPARAM>(memDC));
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(memDC), 0);
        BitBlt(dc, 0, 0, client.Width(), client.Height(), memDC, 0, 0, SRCCOPY);
    }
}

void TWinControl::PaintHandler(TMessage& message) {
    TWMPaint paint(message);
    HDC dc = paint.DC();
    PAINTSTRUCT ps;
    if (!dc) {
        if (!FHandle) return;
        dc = BeginPaint(FHandle, ps);
    }
    auto finish = ScopeExit([&] {
        if (!paint.DC()) EndPaint(FHandle, ps);
    });
    int saved = SaveDC(dc);
    bool covered = false;
    // Opaque non-windowed children paint their whole area: the window need not paint under them.
    for (TControl* c : FGraphicControls) {
        if (c->DesignVisible() && c->ControlStyle().Contains(csOpaque)) {
            if (ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()) ==
                NULLREGION) {
                covered = true;
                break;
            }
        }
    }
    if (!covered) PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    size_t i = 0;
    if (first) {
        auto it = std::find(FGraphicControls.begin(), FGraphicControls.end(), first);
        if (it != FGraphicControls.end()) i = static_cast<size_t>(it - FGraphicControls.begin());
    }
    // The list may change while painting (a handler frees a control); iterate over a copy.
    std::vector<TControl*> controls(FGraphicControls.begin() + static_cast<std::ptrdiff_t>(i), FGraphicControls.end());
    for (TControl* c : controls) {
        if (std::find(FGraphicControls.begin(), FGraphicControls.end(), c) == FGraphicControls.end()) continue;
        if (!c->DesignVisible()) continue;
        TRect r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        if (FControlState.Contains(csPaintCopy)) c->FControlState += csPaintCopy;
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        {
            auto restore = ScopeExit([&] {
                RestoreDC(dc, saved);
                c->FControlState -= csPaintCopy;
            });
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        }
    }
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    FControlState += csPaintCopy;
    int saved = SaveDC(dc);
    TRect margins = NonClientMargins();
    OffsetViewportOrgEx(dc, x + margins.Left, y + margins.Top, nullptr);
    TRect client = ClientRect();
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    {
        auto undo = ScopeFail([&] {
            RestoreDC(dc, saved);
            FControlState -= csPaintCopy;
        });
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    RestoreDC(dc, saved);
    for (TWinControl* c : FWinControls)
        if (c->DesignVisible()) c->PaintTo(dc, x + margins.Left + c->Left(), y + margins.Top + c->Top());
    FControlState -= csPaintCopy;
}

bool TWinControl::EraseBackground(HDC dc) {
    TRect r = ClientRect();
    FillRect(dc, &r, FBrush->Handle());
    return true;
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    HDC dc = TWMEraseBkgnd(message).DC();
    message.Result = dc && EraseBackground(dc) ? 1 : 0;
}

void TWinControl::WMNCCalcSize(TMessage& message) {
    DefaultHandler(message);
    int bevel = BevelFrameWidth();
    if (FBorderWidth == 0 && bevel == 0) return;
    TRect* r = nullptr;
    if (message.WParam)
        r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0];
    else
        r = reinterpret_cast<TRect*>(message.LParam);
    if (!r) return;
    r->Left += FBorderWidth + (FBevelEdges.Contains(beLeft) ? bevel : 0);
    r->Top += FBorderWidth + (FBevelEdges.Contains(beTop) ? bevel : 0);
    r->Right -= FBorderWidth + (FBevelEdges.Contains(beRight) ? bevel : 0);
    r->Bottom -= FBorderWidth + (FBevelEdges.Contains(beBottom) ? bevel : 0);
    if (r->Right < r->Left) r->Right = r->Left;
    if (r->Bottom < r->Top) r->Bottom = r->Top;
}

void TWinControl::WMNCPaint(TMessage& message) {
    DefaultHandler(message);
    int bevel = BevelFrameWidth();
    if ((FBorderWidth == 0 && bevel == 0) || !FHandle) return;
    HDC dc = GetWindowDC(FHandle);
    TRect window = GetWindowRect(FHandle);
    TRect r{0, 0, window.Width(), window.Height()};
    // The frame the platform drew stays; the border and bevels lie inside it.
    TNonClientLayout layout = GetNonClientLayout(FHandle);
    if (!layout.EdgeRect.IsEmpty()) r = layout.EdgeRect.Inflate(-layout.Edge, -layout.Edge);
    TRect client = layout.Client;
    if (bevel > 0) {
        UINT edges = 0;
        if (FBevelEdges.Contains(beLeft)) edges |= BF_LEFT;
        if (FBevelEdges.Contains(beTop)) edges |= BF_TOP;
        if (FBevelEdges.Contains(beRight)) edges |= BF_RIGHT;
        if (FBevelEdges.Contains(beBottom)) edges |= BF_BOTTOM;
        UINT edge = 0;
        if (FBevelInner == bvLowered) edge |= BDR_SUNKENINNER;
        if (FBevelInner == bvRaised) edge |= BDR_RAISEDINNER;
        if (FBevelOuter == bvLowered) edge |= BDR_SUNKENOUTER;
        if (FBevelOuter == bvRaised) edge |= BDR_RAISEDOUTER;
        if (FBevelKind == bkFlat) edges |= BF_FLAT;
        if (FBevelKind == bkSoft) edges |= BF_SOFT;
        TRect e = r;
        DrawEdge(dc, &e, edge, edges | BF_ADJUST);
        r = e;
    }
    if (FBorderWidth > 0) {
        // Fill the border band around the client area with the control's colour.
        int saved = SaveDC(dc);
        ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
        FillRect(dc, &r, FBrush->Handle());
        RestoreDC(dc, saved);
    }
    ReleaseDC(FHandle, dc);
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TWinControl::IsControlMouseMsg(TMessage& message) {
    TControl* control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        TControl* captured = GetCaptureControl();
        if (captured && captured != this && captured->Parent() == this) control = captured;
    } else {
        control = ControlAtPos(TWMMouse(message).Pos(), false, false);
    }
    if (!control) return false;
    TWMMouse mouse(message);
    TPoint p{mouse.XPos() - control->Left(), mouse.YPos() - control->Top()};
    message.Result = control->Perform(message.Msg, message.WParam, PointToLParam(p));
    return true;
}

void TWinControl::WMSetCursor(TMessage& message) {
    TWMSetCursor set(message);
    if (set.CursorWnd() == FHandle && set.HitTest() == HTCLIENT) {
        TCursor cursor = Screen ? Screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            TPoint p = ScreenToClient(GetCursorPos());
            TControl* control = ControlAtPos(p, false, false);
            if (control && (!control->HasState(csDesigning) || control->ControlStyle().Contains(csDesignInteractive)))
                cursor = control->Cursor();
            if (cursor == crDefault) cursor = HasState(csDesigning) ? crArrow : FCursor;
        }
        if (cursor != crDefault && Screen) {
            dw::SetCursor(Screen->Cursors(cursor));
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::CMCursorChanged(TMessage& message) {
    (void)message;
    if (!FHandle || GetCapture()) return;
    TPoint p = GetCursorPos();
    if (WindowFromPoint(p) == FHandle)
        Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TWinControl::WMNCHitTest(TMessage& message) {
    // A designed child answers client everywhere, so the designer gets client mouse messages.
    if (HasState(csDesigning) && FParent)
        message.Result = HTCLIENT;
    else
        DefaultHandler(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
    if (Application) {
        TControl* mouse = Application->MouseControl();
        if (mouse && (mouse == this || (mouse->Parent() == this && !mouse->Is<TWinControl>())))
            Application->SetMouseControl(nullptr);
    }
    DefaultHandler(message);
}

// ---------------------------------------------------------------------------------------------
// Size and position

void TWinControl::WMSize(TMessage& message) {
    UpdateBounds();
    DefaultHandler(message);
    TRect client = ClientRect();
    TSize size{client.Width(), client.Height()};
    if (size.cx != FLastClientSize.cx || size.cy != FLastClientSize.cy) {
        FLastClientSize = size;
        Realign();
    }
    if (!HasState(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& message) {
    UpdateBounds();
    DefaultHandler(message);
}

void TWinControl::WMWindowPosChangedW(TMessage& message) {
    UpdateBounds();
    DefaultHandler(message);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TWinControl::SetEnabledImpl(bool value) {
    TControl::SetEnabledImpl(value);
}

void TWinControl::CMEnabledChangedW(TMessage& message) {
    (void)message;
    if (!Enabled() && FParent) RemoveFocus(false);
    if (FHandle && !HasState(csDesigning)) EnableWindow(FHandle, Enabled());
    Invalidate();
}

void TWinControl::SetTextImpl(const String& value) {
    FText = value;
    if (FHandle) SetWindowText(FHandle, value);
}

String TWinControl::GetText() const {
    return FText;
}

HWND TWinControl::GetParentHandle() const {
    return FParent ? FParent->Handle() : FParentWindow;
}

void TWinControl::CMColorChangedW(TMessage& message) {
    FBrush->SetColor(FColor);
    TControl::CMColorChanged(message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChangedW(TMessage& message) {
    TControl::CMFontChanged(message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMBiDiModeChangedW(TMessage& message) {
    (void)message;
    RecreateWnd();
    NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::SetCtl3D(bool value) {
    if (FCtl3D != value) {
        FCtl3D = value;
        Perform(CM_CTL3DCHANGED, 0, 0);
    }
    FParentCtl3D = false;
}

void TWinControl::SetParentCtl3D(bool value) {
    if (FParentCtl3D == value) return;
    FParentCtl3D = value;
    if (FParent && value && !HasState(csReading)) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage& message) {
    (void)message;
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::SetBorderWidth(TBorderWidth value) {
    CheckControlSize("BorderWidth", value);
    value = std::max(value, 0);
    if (FBorderWidth == value) return;
    FBorderWidth = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBevelInner(TBevelCut value) {
    if (FBevelInner == value) return;
    FBevelInner = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}
void TWinControl::SetBevelOuter(TBevelCut value) {
    if (FBevelOuter == value) return;
    FBevelOuter = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}
void TWinControl::SetBevelKind(TBevelKind value) {
    if (FBevelKind == value) return;
    FBevelKind = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}
void TWinControl::SetBevelWidth(TBevelWidth value) {
    value = std::max(value, 1);
    if (FBevelWidth == value) return;
    FBevelWidth = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}
void TWinControl::SetBevelEdges(TBevelEdges value) {
    if (FBevelEdges == value) return;
    FBevelEdges = value;
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::CMBorderChanged(TMessage& message) {
    (void)message;
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        Invalidate();
    }
    Realign();
}

// ---------------------------------------------------------------------------------------------
// Message routing

void TWinControl::WndProc(TMessage& message) {
    UINT msg = message.Msg;
    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        // The non-windowed child under the mouse gets it (and offers it to the designer itself).
        if (IsControlMouseMsg(message)) return;
        if (msg == WM_MOUSEMOVE && FHandle) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = FHandle;
            TrackMouseEvent(track);
        }
    }
    if (DesignerTakes(message)) return;
    switch (msg) {
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
        break;
    case WM_KILLFOCUS:
        if (FControlState.Contains(csFocusing)) return;
        break;
    case WM_CANCELMODE:
        if (FHandle && GetCapture() == FHandle) {
            TControl* captured = GetCaptureControl();
            if (captured && captured != this && captured->Parent() == this) captured->Perform(WM_CANCELMODE, 0, 0);
        }
        break;
    default:
        if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST && IsDragging()) return;
        break;
    }
    ControlWndProc(message);
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        break;
    case WM_SETFOCUS:
        WMSetFocus(message);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(message);
        break;
    case WM_KEYDOWN:
        WMKeyDown(message);
        break;
    case WM_SYSKEYDOWN:
        WMSysKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        break;
    case WM_CHAR:
        WMChar(message);
        break;
    case WM_SIZE:
        WMSize(message);
        break;
    case WM_MOVE:
        WMMove(message);
        break;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChangedW(message);
        break;
    case WM_SETCURSOR:
        WMSetCursor(message);
        break;
    case WM_NCHITTEST:
        WMNCHitTest(message);
        break;
    case WM_NCPAINT:
        WMNCPaint(message);
        break;
    case WM_NCCALCSIZE:
        WMNCCalcSize(message);
        break;
    case WM_MOUSELEAVE:
        WMMouseLeave(message);
        break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(message);
        break;
    case CN_KEYUP:
    case CN_SYSKEYUP:
        CNKeyUp(message);
        break;
    case CN_CHAR:
    case CN_SYSCHAR:
        CNChar(message);
        break;
    case CM_ENTER:
        CMEnter(message);
        break;
    case CM_EXIT:
        CMExit(message);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    case CM_SHOWINGCHANGED:
        CMShowingChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChangedW(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChangedW(message);
        break;
    case CM_COLORCHANGED:
        CMColorChangedW(message);
        break;
    case CM_FONTCHANGED:
        CMFontChangedW(message);
        break;
    case CM_BORDERCHANGED:
        CMBorderChanged(message);
        break;
    case CM_RECREATEWND:
        CMRecreateWnd(message);
        break;
    case CM_INVALIDATE:
        CMInvalidate(message);
        break;
    case CM_CHILDKEY:
        CMChildKey(message);
        break;
    case CM_CURSORCHANGED:
        CMCursorChanged(message);
        break;
    case CM_BIDIMODECHANGED:
        CMBiDiModeChangedW(message);
        break;
    case CM_CTL3DCHANGED:
        CMCtl3DChanged(message);
        break;
    case CM_PARENTCTL3DCHANGED:
        if (FParentCtl3D && FParent) {
            SetCtl3D(FParent->Ctl3D());
            FParentCtl3D = true;
        }
        break;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        break;
    default:
        TControl::Dispatch(message);
        break;
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!FHandle) return;
    message.Result = CallDefWndProc(message);
}

LRESULT TWinControl::CallDefWndProc(TMessage& message) {
    if (FDefWndProc) return FDefWndProc(FHandle, message.Msg, message.WParam, message.LParam);
    return DefWindowProc(FHandle, message.Msg, message.WParam, message.LParam);
}

// ---------------------------------------------------------------------------------------------
// Streaming and actions

void TWinControl::ReadState(TReader* reader) {
    DisableAlign();
    {
        auto undo = ScopeFail([&] { EnableAlign(); });
        TControl::ReadState(reader);
    }
    FixupTabList();
    if (FParent && FParentCtl3D) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    UpdateControlState();
    EnableAlign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FHandle) UpdateBounds();
    Realign();
}

void TWinControl::InitiateAction() {
    TControl::InitiateAction();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->InitiateAction();
}

void TWinControl::ScrollBy(int deltaX, int deltaY) {
    if (deltaX == 0 && deltaY == 0) return;
    DisableAlign();
    {
        auto restore = ScopeExit([&] { EnableAlign(); });
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBoundsByLayout(c->Left() + deltaX, c->Top() + deltaY, c->Width(), c->Height());
        }
    }
    Invalidate();
}

} // namespace dw
