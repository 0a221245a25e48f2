// TControl: bounds, parent, appearance properties, the message path, mouse input, actions,
// scaling and streaming; TSizeConstraints and TControlActionLink.
#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/TypInfo.h"

#include <algorithm>
#include <cmath>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Types

const TTypeInfo& BorderStyleTypeInfo() {
    static const TTypeInfo& info = MakeEnumTypeInfo("TBorderStyle", "bsNone, bsSingle");
    return info;
}
const TTypeInfo& TabOrderTypeInfo() {
    return NamedType(tkInteger, "TTabOrder", -1, 32767);
}
const TTypeInfo& CaptionTypeInfo() {
    return NamedType(tkLString, "TCaption");
}

TAnchors AnchorAlign(TAlign align) {
    switch (align) {
    case alTop:
        return {akLeft, akTop, akRight};
    case alBottom:
        return {akLeft, akRight, akBottom};
    case alLeft:
        return {akLeft, akTop, akBottom};
    case alRight:
        return {akRight, akTop, akBottom};
    case alClient:
        return {akLeft, akTop, akRight, akBottom};
    default:
        return {akLeft, akTop};
    }
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s += ssShift;
    if (keys & MK_CONTROL) s += ssCtrl;
    if (keys & MK_LBUTTON) s += ssLeft;
    if (keys & MK_RBUTTON) s += ssRight;
    if (keys & MK_MBUTTON) s += ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    constexpr LPARAM AltMask = 0x20000000;
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if ((keyData & AltMask) || GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s += ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s += ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s += ssMiddle;
    return s;
}

namespace {

int MulDivRound(int value, int m, int d) {
    if (d == 0) return value;
    return static_cast<int>(std::lround(static_cast<double>(value) * m / d));
}

// The form with a designer hook that a design-state control's messages go to: the nearest form
// up the parent chain that has one (a designed form may itself sit inside another window).
IDesignerHook* DesignerHookOf(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent())
        if (auto* form = As<TCustomForm>(c))
            if (form->Designer()) return form->Designer();
    return nullptr;
}

// Published action properties read through the class metadata, so the control core needs no
// knowledge of the action classes.
bool ActionString(TBasicAction* action, const char* name, String& value) {
    const TPropInfo* p = action ? GetPropInfo(action, name) : nullptr;
    if (!p || !p->HasGetter() || !(KindBit(p->Kind()) & tkStrings)) return false;
    value = GetStrProp(action, *p);
    return true;
}
bool ActionBool(TBasicAction* action, const char* name, bool& value) {
    const TPropInfo* p = action ? GetPropInfo(action, name) : nullptr;
    if (!p || !p->HasGetter() || !p->Type().IsOrdinal()) return false;
    value = GetOrdProp(action, *p) != 0;
    return true;
}

TControl* gCaptureControl = nullptr;

} // namespace

namespace {
TMouse gMouse;
} // namespace
TMouse* Mouse = &gMouse;

TPoint TMouse::CursorPos() const {
    return GetCursorPos();
}
void TMouse::SetCursorPos(TPoint value) {
    dw::SetCursorPos(value.X, value.Y);
}
HWND TMouse::Capture() const {
    return GetCapture();
}
void TMouse::SetCapture(HWND value) {
    if (value)
        dw::SetCapture(value);
    else
        ReleaseCapture();
}

TControl* GetCaptureControl() {
    HWND captured = GetCapture();
    if (!captured) {
        gCaptureControl = nullptr;
        return nullptr;
    }
    if (gCaptureControl && gCaptureControl->Parent() && gCaptureControl->Parent()->HandleAllocated() &&
        gCaptureControl->Parent()->Handle() == captured)
        return gCaptureControl;
    gCaptureControl = nullptr;
    return TWinControl::FindControl(captured);
}

void SetCaptureControl(TControl* control) {
    gCaptureControl = nullptr;
    ReleaseCapture();
    if (!control) return;
    if (!control->Is<TWinControl>()) {
        if (!control->Parent()) return;
        gCaptureControl = control;
        control = control->Parent();
    }
    SetCapture(static_cast<TWinControl*>(control)->Handle());
}

TCustomForm* GetParentForm(const TControl* control, bool topForm) {
    const TControl* c = control;
    if (!c) return nullptr;
    while ((topForm || !c->Is<TCustomForm>()) && c->Parent()) c = c->Parent();
    return const_cast<TCustomForm*>(As<TCustomForm>(c));
}

TCustomForm* ValidParentForm(const TControl* control, bool topForm) {
    TCustomForm* form = GetParentForm(control, topForm);
    if (!form) throw EInvalidOperation(Format("Control '%s' has no parent form", control ? control->Name() : ""));
    return form;
}

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

DW_DEFINE_CLASS(TSizeConstraints) {
    c.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
    c.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    c.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
    c.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(const TPersistent* source) {
    if (auto* s = As<TSizeConstraints>(source)) {
        FMinHeight = s->FMinHeight;
        FMaxHeight = s->FMaxHeight;
        FMinWidth = s->FMinWidth;
        FMaxWidth = s->FMaxWidth;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

TPersistent* TSizeConstraints::GetOwner() const {
    return FControl;
}

// A maximum below the minimum lifts the maximum, a minimum above the maximum lowers it, so the
// pair always describes a size that exists.
void TSizeConstraints::SetMaxHeight(int value) {
    value = std::max(value, 0);
    if (value == FMaxHeight) return;
    FMaxHeight = value;
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMinHeight = FMaxHeight;
    Change();
}
void TSizeConstraints::SetMaxWidth(int value) {
    value = std::max(value, 0);
    if (value == FMaxWidth) return;
    FMaxWidth = value;
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMinWidth = FMaxWidth;
    Change();
}
void TSizeConstraints::SetMinHeight(int value) {
    value = std::max(value, 0);
    if (value == FMinHeight) return;
    FMinHeight = value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
    Change();
}
void TSizeConstraints::SetMinWidth(int value) {
    value = std::max(value, 0);
    if (value == FMinWidth) return;
    FMinWidth = value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
    Change();
}
void TSizeConstraints::Change() {
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TControlActionLink

DW_DEFINE_CLASS(TActionLink) {}
DW_DEFINE_CLASS(TControlActionLink) {}

TControlActionLink::TControlActionLink(TObject* client) : TActionLink(client), FControl(As<TControl>(client)) {}

bool TControlActionLink::IsCaptionLinked() const {
    String v;
    return TActionLink::IsCaptionLinked() && ActionString(FAction, "Caption", v) && FControl->Caption() == v;
}
bool TControlActionLink::IsEnabledLinked() const {
    bool v;
    return TActionLink::IsEnabledLinked() && ActionBool(FAction, "Enabled", v) && FControl->Enabled() == v;
}
bool TControlActionLink::IsHintLinked() const {
    String v;
    return TActionLink::IsHintLinked() && ActionString(FAction, "Hint", v) && FControl->Hint() == v;
}
bool TControlActionLink::IsVisibleLinked() const {
    bool v;
    return TActionLink::IsVisibleLinked() && ActionBool(FAction, "Visible", v) && FControl->Visible() == v;
}
bool TControlActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && FControl->OnClick == TNotifyEvent(FAction->OnExecute);
}
void TControlActionLink::SetCaption(const String& value) {
    if (IsCaptionLinked()) FControl->SetCaption(value);
}
void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) FControl->SetEnabled(value);
}
void TControlActionLink::SetHint(const String& value) {
    if (IsHintLinked()) FControl->SetHint(value);
}
void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) FControl->SetVisible(value);
}
void TControlActionLink::SetOnExecute(const TNotifyEvent& value) {
    if (IsOnExecuteLinked()) FControl->OnClick = value;
}
bool TControlActionLink::DoShowHint(String& hintStr) {
    (void)hintStr;
    return true;
}

// ---------------------------------------------------------------------------------------------
// TControl

DW_DEFINE_CLASS(TControl) {
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Type(CursorTypeInfo()).Default(crDefault);
    c.Property("Hint", &TControl::Hint, &TControl::SetHint).Type(CaptionTypeInfo()).Stored(&TControl::IsHintStored);
    c.Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).Default(0);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.reset(New<TFont>());
    FFont->OnChange = MakeMethod<&TControl::FontChanged>(this);
    FConstraints.reset(New<TSizeConstraints>(this));
    FConstraints->OnChange = MakeMethod<&TControl::DoConstraintsChange>(this);
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
    if (!HasState(csDestroying)) Destroying();
    if (Application) Application->ControlDestroyed(this);
    if (gCaptureControl == this) SetCaptureControl(nullptr);
    DragControlDestroyed(this);
    SetParent(nullptr);
    FActionLink.reset();
    TComponent::BeforeDestruction();
}

// ---- messages

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

bool TControl::DesignerTakes(TMessage& message) {
    if (!HasState(csDesigning)) return false;
    IDesignerHook* hook = DesignerHookOf(this);
    return hook && hook->IsDesignMsg(this, message);
}

void TControl::WndProc(TMessage& message) {
    if (DesignerTakes(message)) return;
    ControlWndProc(message);
}

void TControl::ControlWndProc(TMessage& message) {
    UINT msg = message.Msg;
    if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->WantChildKey(this, message)) return;
    } else if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        if (!FControlStyle.Contains(csDoubleClicks)) {
            if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
                message.Msg = msg = msg - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
        }
        switch (msg) {
        case WM_MOUSEMOVE:
            if (Application) Application->HintMouseMessage(this, message);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (FDragMode == dmAutomatic && !HasState(csDesigning)) {
                BeginAutoDrag();
                return;
            }
            FControlState += csLButtonDown;
            break;
        case WM_LBUTTONUP:
            FControlState -= csLButtonDown;
            break;
        default:
            break;
        }
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        WMMouseButton(message, mbLeft, true, false);
        break;
    case WM_LBUTTONUP:
        WMMouseButton(message, mbLeft, false, false);
        break;
    case WM_LBUTTONDBLCLK:
        WMMouseButton(message, mbLeft, true, true);
        break;
    case WM_RBUTTONDOWN:
        WMMouseButton(message, mbRight, true, false);
        break;
    case WM_RBUTTONUP:
        WMMouseButton(message, mbRight, false, false);
        break;
    case WM_RBUTTONDBLCLK:
        WMMouseButton(message, mbRight, true, true);
        break;
    case WM_MBUTTONDOWN:
        WMMouseButton(message, mbMiddle, true, false);
        break;
    case WM_MBUTTONUP:
        WMMouseButton(message, mbMiddle, false, false);
        break;
    case WM_MBUTTONDBLCLK:
        WMMouseButton(message, mbMiddle, true, true);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(message);
        break;
    case WM_MOUSEWHEEL:
        WMMouseWheel(message);
        break;
    case CM_MOUSEWHEEL:
        CMMouseWheel(message);
        break;
    case CM_DRAG:
        CMDrag(message);
        break;
    case CM_HITTEST:
        CMHitTest(message);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        break;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(message);
        break;
    case CM_PARENTBIDIMODECHANGED:
        CMParentBiDiModeChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    (void)message;
}

void TControl::SendCancelMode(TControl* sender) {
    for (TControl* c = this; c; c = c->Parent())
        if (auto* form = As<TCustomForm>(c))
            if (form->Active() && form->ActiveControl() && form->ActiveControl() != sender)
                form->ActiveControl()->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

// ---- mouse

void TControl::WMMouseButton(TMessage& message, TMouseBtn button, bool down, bool dbl) {
    TWMMouse mouse(message);
    TShiftState shift = KeysToShiftState(mouse.Keys());
    if (down) {
        SendCancelMode(this);
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (button == mbLeft && FControlStyle.Contains(csClickEvents)) {
            if (dbl)
                DblClick();
            else
                FControlState += csClicked;
        }
        if (dbl) shift += ssDouble;
        if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(button, shift, mouse.XPos(), mouse.YPos());
    } else {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (button == mbLeft && FControlState.Contains(csClicked)) {
            FControlState -= csClicked;
            if (ClientRect().Contains(mouse.Pos())) Click();
        }
        if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(button, shift, mouse.XPos(), mouse.YPos());
        if (button == mbRight && !HasState(csDesigning) && !HasState(csDestroying)) {
            bool handled = false;
            DoContextPopup(mouse.Pos(), handled);
            if (handled) message.Result = 1;
        }
    }
}

void TControl::WMMouseMove(TMessage& message) {
    TWMMouse mouse(message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(mouse.Keys()), mouse.XPos(), mouse.YPos());
}

void TControl::WMMouseWheel(TMessage& message) {
    TWMMouseWheel wheel(message);
    TShiftState shift = KeysToShiftState(wheel.Keys());
    if (DoMouseWheel(shift, wheel.WheelDelta(), wheel.Pos()))
        message.Result = 1;
    else if (FParent)
        message.Result = FParent->Perform(WM_MOUSEWHEEL, message.WParam, message.LParam);
}

void TControl::CMMouseWheel(TMessage& message) {
    TWMMouseWheel wheel(message);
    message.Result = DoMouseWheel(KeysToShiftState(wheel.Keys()), wheel.WheelDelta(), wheel.Pos()) ? 1 : 0;
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (!handled) {
        if (wheelDelta < 0)
            handled = DoMouseWheelDown(shift, mousePos);
        else if (wheelDelta > 0)
            handled = DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
    OnContextPopup(this, mousePos, handled);
    if (handled) return;
    for (TControl* c = this; c; c = c->Parent()) {
        if (auto* popup = Supports<IContextPopup>(c->FPopupMenu)) {
            popup->PopupFor(this, ClientToScreen(mousePos));
            handled = true;
            return;
        }
    }
}

void TControl::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    TBasicAction* action = Action();
    if (OnClick && action && !(OnClick == TNotifyEvent(action->OnExecute)))
        OnClick(this);
    else if (!HasState(csDesigning) && FActionLink)
        FActionLink->Execute(this);
    else
        OnClick(this);
}

void TControl::DblClick() {
    OnDblClick(this);
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
    if (MouseCapture() == value) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::CMMouseEnter(TMessage& message) {
    if (FParent) FParent->Perform(CM_MOUSEENTER, 0, message.LParam ? message.LParam : reinterpret_cast<LPARAM>(this));
    if (message.LParam == 0) {
        FControlState += csMouseInside;
        OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage& message) {
    if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, message.LParam ? message.LParam : reinterpret_cast<LPARAM>(this));
    if (message.LParam == 0) {
        FControlState -= csMouseInside;
        OnMouseLeave(this);
    }
}

void TControl::CMHitTest(TMessage& message) {
    message.Result = HTCLIENT;
}

// ---- geometry

TRect TControl::GetClientRect() const {
    return {0, 0, FWidth, FHeight};
}

TPoint TControl::GetClientOrigin() const {
    if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

void TControl::SetClientSizeImpl(int width, int height) {
    CheckControlSize("ClientWidth", width);
    CheckControlSize("ClientHeight", height);
    TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.Width() + width, FHeight - client.Height() + height);
}

void TControl::SetClientWidth(int value) {
    SetClientSize(value, ClientHeight());
}
void TControl::SetClientHeight(int value) {
    SetClientSize(ClientWidth(), value);
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TRect TControl::ClientToScreen(const TRect& r) const {
    TPoint a = ClientToScreen(r.TopLeft());
    return Bounds(a.X, a.Y, r.Width(), r.Height());
}

TRect TControl::ScreenToClient(const TRect& r) const {
    TPoint a = ScreenToClient(r.TopLeft());
    return Bounds(a.X, a.Y, r.Width(), r.Height());
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* parent) const {
    if (!parent) parent = FParent;
    if (!parent) throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
    for (const TControl* c = this; c != parent; c = c->FParent) {
        if (!c->FParent) throw EInvalidOperation(Format("'%s' is not a parent of '%s'", parent->Name(), Name()));
        p = {p.X + c->FLeft, p.Y + c->FTop};
        if (auto* w = As<TWinControl>(c)) {
            TRect margins = w->NonClientMargins();
            p = {p.X + margins.Left, p.Y + margins.Top};
        }
    }
    return p;
}

TPoint TControl::ParentToClient(TPoint p, TWinControl* parent) const {
    TPoint zero = ClientToParent({0, 0}, parent);
    return {p.X - zero.X, p.Y - zero.Y};
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
    bool result = true;
    OnCanResize(this, newWidth, newHeight, result);
    return result;
}

bool TControl::CanAutoSize(int& newWidth, int& newHeight) {
    (void)newWidth, (void)newHeight;
    return true;
}

void TControl::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {
    OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
}

bool TControl::CheckNewSize(int& newWidth, int& newHeight) {
    int w = std::max(newWidth, 0);
    int h = std::max(newHeight, 0);
    if (!CanResize(w, h)) return false;
    if (FAutoSize && !HasState(csLoading)) {
        int w2 = w, h2 = h;
        if (!CanAutoSize(w2, h2)) return false;
        w = w2;
        h = h2;
    }
    int minW = FConstraints->MinWidth(), minH = FConstraints->MinHeight();
    int maxW = FConstraints->MaxWidth(), maxH = FConstraints->MaxHeight();
    ConstrainedResize(minW, minH, maxW, maxH);
    if (maxW > 0 && w > maxW) w = maxW;
    if (minW > 0 && w < minW) w = minW;
    if (maxH > 0 && h > maxH) h = maxH;
    if (minH > 0 && h < minH) h = minH;
    newWidth = w;
    newHeight = h;
    return true;
}

void TControl::DoConstraintsChange(TObject* sender) {
    (void)sender;
    if (HasState(csLoading)) return;
    // Re-applies the limits to the current size.
    int w = FWidth, h = FHeight;
    if (CheckNewSize(w, h) && (w != FWidth || h != FHeight)) SetBounds(FLeft, FTop, w, h);
}

void CheckControlPosition(const char* name, int value) {
    CheckPropertyRange(name, value, -MaxControlCoordinate, MaxControlCoordinate);
}

void CheckControlSize(const char* name, int value) {
    CheckPropertyRange(name, std::max(value, 0), 0, MaxControlCoordinate);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    CheckControlPosition("Left", left);
    CheckControlPosition("Top", top);
    CheckControlSize("Width", width);
    CheckControlSize("Height", height);
    if (!CheckNewSize(width, height)) return;
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    UpdateAnchorRules();
    Invalidate();
    // A non-windowed control has no window to tell it; it tells itself, through its own message
    // path, so that a designer hook sees moves of every control.
    WINDOWPOS wp;
    wp.x = FLeft;
    wp.y = FTop;
    wp.cx = FWidth;
    wp.cy = FHeight;
    wp.flags = SWP_NOZORDER | SWP_NOACTIVATE;
    Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    RequestAlign();
    if (!HasState(csLoading)) Resize();
}

void TControl::SetBoundsByLayout(int left, int top, int width, int height) {
    bool saved = FAnchorMove;
    FAnchorMove = true;
    {
        auto restore = ScopeExit([&] { FAnchorMove = saved; });
        SetBounds(left, top, width, height);
    }
}

void TControl::UpdateBoundsRect(const TRect& r) {
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
    UpdateAnchorRules();
}

void TControl::Resize() {
    OnResize(this);
}

void TControl::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    FAutoSize = value;
    if (value) AdjustSize();
}

void TControl::AdjustSize() {
    if (HasState(csLoading)) return;
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value) return;
    FAlign = value;
    // The anchors follow the alignment; anchors read from the same stream win (a stream stores
    // them only when they differ from what the alignment implies).
    if (!(HasState(csLoading) && FAnchorsRead)) FAnchors = AnchorAlign(value);
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (HasState(csLoading)) FAnchorsRead = true;
    if (FAnchors == value) return;
    FAnchors = value;
    UpdateAnchorRules();
}

// Remembers what anchoring must keep: for a right anchor the distance to the parent's right
// edge, for both left and right the width's slack, and for neither the centre proportion.
void TControl::UpdateAnchorRules() {
    if (FAnchorMove || HasState(csLoading) || !FParent) return;
    if (FAnchors == TAnchors{akLeft, akTop} && FAlign == alNone) {
        FOriginalParentSize = {0, 0};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.X = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.Y = FTop + FHeight / 2;
    TRect client = FParent->ClientRect();
    FParent->AdjustClientRect(client);
    FOriginalParentSize = {client.Width(), client.Height()};
}

// ---- tree

void TControl::SetParent(TWinControl* value) {
    if (FParent == value) return;
    if (value == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (value && Is<TWinControl>() && static_cast<TWinControl*>(this)->ContainsControl(value))
        throw EInvalidOperation(Format("Control '%s' cannot be the parent of its own parent", Name()));
    if (FParent) FParent->RemoveControl(this);
    if (value) value->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* value) {
    if (auto* w = As<TWinControl>(value)) SetParent(w);
}

HWND TControl::GetParentHandle() const {
    return FParent ? FParent->Handle() : nullptr;
}

// ---- visibility and state

void TControl::SetVisible(bool value) {
    if (FVisible == value) return;
    VisibleChanging();
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() {
    if (FParent) FParent->ShowControl(this);
    if (!HasState(csDesigning) || FControlStyle.Contains(csNoDesignVisible)) SetVisible(true);
}

void TControl::Hide() {
    SetVisible(false);
}

bool TControl::IsVisibleOnScreen() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->DesignVisible()) return false;
    return true;
}

void TControl::SetControlStyle(TControlStyle value) {
    bool wasHidden = FControlStyle.Contains(csNoDesignVisible);
    FControlStyle = value;
    if (wasHidden == value.Contains(csNoDesignVisible) || !HasState(csDesigning)) return;
    if (auto* w = As<TWinControl>(this))
        w->UpdateControlState();
    else
        InvalidateControl(true, false);
    RequestAlign();
}

bool TControl::DesignVisible() const {
    if (!HasState(csDesigning)) return FVisible;
    return FVisible || !FControlStyle.Contains(csNoDesignVisible);
}

void TControl::CMVisibleChanged(TMessage& message) {
    (void)message;
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::SetEnabledImpl(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::CMEnabledChanged(TMessage& message) {
    (void)message;
    Invalidate();
}

void TControl::SetText(const String& value) {
    if (GetText() == value) return;
    SetTextImpl(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextImpl(const String& value) {
    FText = value;
}

void TControl::CMTextChanged(TMessage& message) {
    (void)message;
    if (FAutoSize) AdjustSize();
    Invalidate();
}

bool TControl::IsCaptionStored() const {
    return !FActionLink || !FActionLink->IsCaptionLinked();
}
bool TControl::IsHintStored() const {
    return !FActionLink || !FActionLink->IsHintLinked();
}

void TControl::SetName(const String& newName) {
    bool changeText = FControlStyle.Contains(csSetCaption) && !HasState(csLoading) && Name() == FText &&
                      (!Owner() || !Owner()->Is<TControl>() || !Owner()->HasState(csLoading));
    TComponent::SetName(newName);
    if (changeText) SetText(newName);
}

void TControl::SetColor(TColor value) {
    if (FColor != value) {
        FColor = value;
        FParentColor = false;
        Perform(CM_COLORCHANGED, 0, 0);
    } else {
        FParentColor = false;
    }
}

void TControl::SetParentColor(bool value) {
    if (FParentColor == value) return;
    FParentColor = value;
    if (FParent && value && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

bool TControl::IsColorStored() const {
    return !FParentColor;
}

void TControl::CMParentColorChanged(TMessage& message) {
    if (!FParentColor) return;
    TColor c = message.WParam ? static_cast<TColor>(message.LParam) : (FParent ? FParent->Color() : FColor);
    SetColor(c);
    FParentColor = true;
}

void TControl::CMColorChanged(TMessage& message) {
    (void)message;
    Invalidate();
}

void TControl::FontChanged(TObject* sender) {
    (void)sender;
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
    if (FParentFont == value) return;
    FParentFont = value;
    if (FParent && value && !HasState(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMParentFontChanged(TMessage& message) {
    if (!FParentFont) return;
    TFont* source = message.WParam ? reinterpret_cast<TFont*>(message.LParam) : (FParent ? FParent->Font() : nullptr);
    if (source) FFont->Assign(source);
    FParentFont = true;
}

void TControl::CMFontChanged(TMessage& message) {
    (void)message;
    if (FAutoSize) AdjustSize();
    Invalidate();
}

void TControl::SetCursor(TCursor value) {
    if (FCursor == value) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value) {
    if (FShowHint != value) {
        FShowHint = value;
        Perform(CM_SHOWHINTCHANGED, 0, 0);
    }
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool value) {
    if (FParentShowHint == value) return;
    FParentShowHint = value;
    if (FParent && value && !HasState(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage& message) {
    (void)message;
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
}

void TControl::SetBiDiMode(TBiDiMode value) {
    if (FBiDiMode != value) {
        FBiDiMode = value;
        Perform(CM_BIDIMODECHANGED, 0, 0);
    }
    FParentBiDiMode = false;
}

void TControl::SetParentBiDiMode(bool value) {
    if (FParentBiDiMode == value) return;
    FParentBiDiMode = value;
    if (FParent && value && !HasState(csReading)) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::CMParentBiDiModeChanged(TMessage& message) {
    (void)message;
    if (!FParentBiDiMode || !FParent) return;
    SetBiDiMode(FParent->BiDiMode());
    FParentBiDiMode = true;
}

void TControl::SetPopupMenu(TComponent* value) {
    if (FPopupMenu == value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink && component == FActionLink->Action()) SetAction(nullptr);
}

// ---- actions

TBasicAction* TControl::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value) {
    if (!value) {
        if (FActionLink) {
            if (TBasicAction* old = FActionLink->Action()) old->RemoveFreeNotification(this);
        }
        FActionLink.reset();
        FControlStyle -= csActionClient;
        return;
    }
    FControlStyle += csActionClient;
    if (!FActionLink) FActionLink.reset(CreateActionLink());
    if (TBasicAction* old = FActionLink->Action(); old && old != value) old->RemoveFreeNotification(this);
    FActionLink->SetAction(value);
    ActionChange(value, value->HasState(csLoading));
    value->FreeNotification(this);
}

TControlActionLink* TControl::CreateActionLink() {
    return New<TControlActionLink>(this);
}

void TControl::DoActionChange(TObject* sender) {
    if (FActionLink && sender == FActionLink->Action()) ActionChange(sender, false);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = As<TBasicAction>(sender);
    if (!action) return;
    String s;
    bool b;
    if (ActionString(action, "Caption", s) && (!checkDefaults || FText.empty() || FText == Name())) SetCaption(s);
    if (ActionBool(action, "Enabled", b) && (!checkDefaults || FEnabled)) SetEnabled(b);
    if (ActionString(action, "Hint", s) && (!checkDefaults || FHint.empty())) SetHint(s);
    if (ActionBool(action, "Visible", b) && (!checkDefaults || FVisible)) SetVisible(b);
    if (!checkDefaults || !OnClick) OnClick = TNotifyEvent(action->OnExecute);
}

void TControl::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

bool TControl::ExecuteAction(TBasicAction* action) {
    return TComponent::ExecuteAction(action);
}
bool TControl::UpdateAction(TBasicAction* action) {
    return TComponent::UpdateAction(action);
}

// ---- painting and z-order

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    bool shown = isVisible || (HasState(csDesigning) && !FControlStyle.Contains(csNoDesignVisible));
    if (!shown || !FParent || !FParent->HandleAllocated()) return;
    TRect r = BoundsRect();
    InvalidateRect(FParent->FHandle, &r, !(isOpaque || FParent->FControlStyle.Contains(csOpaque)));
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    if (!DesignVisible() || !FParent || !FParent->HandleAllocated()) return;
    if (FControlStyle.Contains(csOpaque)) {
        HDC dc = GetDC(FParent->FHandle);
        IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(dc, this);
        ReleaseDC(FParent->FHandle, dc);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::SetZOrder(bool topMost) {
    if (!FParent) return;
    auto& list = FParent->FGraphicControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
    FParent->Realign();
}

void TControl::PaintTo(HDC dc, int x, int y) {
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

// ---- scaling and mirroring

void TControl::ChangeScale(int m, int d) {
    if (m == d || d == 0) return;
    int x = MulDivRound(FLeft, m, d);
    int y = MulDivRound(FTop, m, d);
    int w = FControlStyle.Contains(csFixedWidth) ? FWidth : MulDivRound(FLeft + FWidth, m, d) - x;
    int h = FControlStyle.Contains(csFixedHeight) ? FHeight : MulDivRound(FTop + FHeight, m, d) - y;
    SetBounds(x, y, w, h);
    if (!FParentFont) FFont->SetHeight(MulDivRound(FFont->Height(), m, d));
}

void TControl::FlipPosition() {
    if (!FParent) return;
    int width = FParent->ClientWidth();
    SetLeft(width - FWidth - FLeft);
    if (FAlign == alLeft)
        SetAlign(alRight);
    else if (FAlign == alRight)
        SetAlign(alLeft);
    TAnchors a = FAnchors;
    bool left = a.Contains(akLeft), right = a.Contains(akRight);
    if (left != right) {
        a -= akLeft;
        a -= akRight;
        a += left ? akRight : akLeft;
        SetAnchors(a);
    }
}

// ---- streaming

void TControl::ReadState(TReader* reader) {
    FControlState += csReadingState;
    // A control read as a child takes its parent from the reader; the root keeps its own.
    if (auto* parent = As<TWinControl>(reader->Parent()); parent && reader->Root() != this) SetParent(parent);
    {
        auto restore = ScopeExit([&] { FControlState -= csReadingState; });
        TComponent::ReadState(reader);
    }
    if (FParent) {
        if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        if (FParentBiDiMode) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    FAnchorsRead = false;
    if (FActionLink && FActionLink->Action()) ActionChange(FActionLink->Action(), true);
    UpdateAnchorRules();
    if (FAutoSize) AdjustSize();
    // A plain child changes nothing in its parent's layout; only aligned and anchored ones do.
    if (FAlign != alNone || FAnchors != TAnchors{akLeft, akTop}) RequestAlign();
}

} // namespace dw
