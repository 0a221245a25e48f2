// TButtonControl, TButton, TCustomCheckBox, TCheckBox, TRadioButton, TCustomGroupBox and TGroupBox.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"

#include <algorithm>

namespace dw {

// ---------------------------------------------------------------------------------------------
// TButtonControl

DW_DEFINE_CLASS(TButtonControl) {}

TButtonControl::TButtonControl(TComponent* owner) : TCustomControl(owner) {
    // A press is completed here, on release inside, not by the generic click handling. The second
    // press of a double click comes as one (ssDouble): another press, or a double click for kinds
    // that report it.
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks};
    FTabStop = true;
}

void TButtonControl::SetPressed(bool value) {
    if (FPressed == value) return;
    FPressed = value;
    Invalidate();
}

void TButtonControl::CancelPress() {
    FMouseDown = false;
    FSpaceDown = false;
    SetPressed(false);
}

void TButtonControl::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning) && Enabled()) {
        if (!Focused() && CanFocus()) SetFocus();
        if (shift.Contains(ssDouble) && ReportsDoubleClicks()) {
            DblClick();
        } else {
            FMouseDown = true;
            SetPressed(true);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButtonControl::MouseMove(TShiftState shift, int x, int y) {
    if (FMouseDown) SetPressed(ClientRect().Contains({x, y}));
    TCustomControl::MouseMove(shift, x, y);
}

void TButtonControl::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FMouseDown) {
        FMouseDown = false;
        bool completed = FPressed && ClientRect().Contains({x, y});
        SetPressed(false);
        if (completed) Press();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButtonControl::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !HasState(csDesigning) && !FMouseDown) {
        FSpaceDown = true;
        SetPressed(true);
    }
}

void TButtonControl::KeyUp(Word& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        SetPressed(false);
        Press();
    }
}

void TButtonControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_BUTTON;
        return;
    case CM_DIALOGCHAR:
        if (!HasState(csDesigning) && IsAccel(static_cast<char32_t>(message.WParam), Caption()) && CanFocus()) {
            if (!Is<TButton>()) SetFocus();
            Press();
            message.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case WM_KILLFOCUS:
    case CM_CANCELMODE:
        TCustomControl::Dispatch(message);
        CancelPress();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        if (!Enabled()) CancelPress();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TButton

DW_DEFINE_CLASS(TButton) {
    PublishStd(c, {"Action", "Anchors", "BiDiMode"});
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    PublishStd(c, {"Caption", "Constraints"});
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    PublishStd(c, {"DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Type(ModalResultTypeInfo())
        .Default(mrNone);
    PublishStd(c, {"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder"});
    c.Property("TabStop", &TButton::TabStop, &TButton::SetTabStop).Default(true);
    PublishStd(c, {"Visible", "OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit",
                   "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter",
                   "OnMouseLeave", "OnStartDrag"});
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    bool active = focused && focused->Is<TButton>() ? focused == this : FDefault;
    if (active != FActive) {
        FActive = active;
        Invalidate();
    }
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

TRect TButton::DrawButtonFace() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect r = ClientRect();
    // The button Enter would press wears a dark outer frame.
    if (FActive || (HasState(csDesigning) && FDefault)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = r.Inflate(-1, -1);
    }
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (FPressed) state |= DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    TRect face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
    return face;
}

void TButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect face = DrawButtonFace();
    canvas->SetFont(Font());
    TRect text = face;
    if (FPressed) text = text.Offset(1, 1);
    DrawCaption(canvas, Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
    if (Focused() && !HasState(csDesigning)) {
        TRect focus = ClientRect().Inflate(-4, -4);
        canvas->DrawFocusRect(focus);
    }
}

void TButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
        bool active = focused && focused->Is<TButton>() ? focused == this : FDefault;
        if (active != FActive) {
            FActive = active;
            Invalidate();
        }
        break;
    }
    case CM_DIALOGKEY: {
        TWMKey key(message);
        int code = static_cast<int>(key.CharCode());
        bool plain = KeyDataToShiftState(key.KeyData()).Empty();
        if (!HasState(csDesigning) && plain && ((code == VK_RETURN && FActive) || (code == VK_ESCAPE && FCancel)) &&
            CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    default:
        break;
    }
    TButtonControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Check boxes and radio buttons

namespace {

// Draws the box (or circle) and the caption of a check box or radio button; the caption sits on
// the side away from the mark.
void PaintCheck(TButtonControl* control, TCanvas* canvas, UINT markState, TAlignment alignment) {
    TRect client = control->ClientRect();
    canvas->Brush()->SetColor(control->Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    HDC dc = canvas->Handle();
    constexpr int box = 13;
    int top = (client.Height() - box) / 2;
    bool markLeft = alignment == taRightJustify;
    TRect mark = markLeft ? Bounds(0, top, box, box) : Bounds(client.Right - box, top, box, box);
    if (control->Pressed()) markState |= DFCS_PUSHED;
    if (!control->Enabled()) markState |= DFCS_INACTIVE;
    DrawFrameControl(dc, &mark, DFC_BUTTON, markState);
    canvas->SetFont(control->Font());
    TRect text =
        markLeft ? TRect{box + 4, 0, client.Right, client.Bottom} : TRect{0, 0, client.Right - box - 4, client.Bottom};
    const String& caption = control->Caption();
    DrawCaption(canvas, caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, control->Enabled());
    if (control->Focused() && !control->HasState(csDesigning) && !caption.empty()) {
        TSize size = TMeasureDC(control->Font()).FormattedSize(caption, DT_SINGLELINE);
        int y = (client.Height() - size.cy) / 2;
        TRect focus{text.Left - 1, y - 1, std::min(text.Right, text.Left + size.cx + 1), y + size.cy + 1};
        canvas->DrawFocusRect(focus.Intersect(client));
    }
}

} // namespace

DW_DEFINE_CLASS(TCustomCheckBox) {}

DW_DEFINE_CLASS(TCheckBox) {
    PublishStd(c, {"Action"});
    c.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
    c.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
    PublishStd(c, {"Anchors", "BiDiMode", "Caption"});
    c.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Default(false);
    PublishStd(c, {"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
                   "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint"});
    c.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
    PublishStd(c, {"TabOrder"});
    c.Property("TabStop", &TCheckBox::TabStop, &TCheckBox::SetTabStop).Default(true);
    PublishStd(c, {"Visible", "OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit",
                   "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter",
                   "OnMouseLeave", "OnStartDrag"});
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (FState == value) return;
    FState = value;
    Invalidate();
    if (!HasState(csLoading) && !HasState(csReading)) Click();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbUnchecked);
        break;
    }
}

void TCustomCheckBox::Paint() {
    UINT state = DFCS_BUTTONCHECK;
    if (FState == cbChecked) state |= DFCS_CHECKED;
    if (FState == cbGrayed) state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    PaintCheck(this, Canvas(), state, FAlignment);
}

DW_DEFINE_CLASS(TRadioButton) {
    PublishStd(c, {"Action"});
    c.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
    PublishStd(c, {"Anchors", "BiDiMode", "Caption"});
    c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
    PublishStd(c, {"Color",          "Constraints",    "Ctl3D",          "DragCursor",   "DragKind",    "DragMode",
                   "Enabled",        "Font",           "ParentBiDiMode", "ParentColor",  "ParentCtl3D", "ParentFont",
                   "ParentShowHint", "PopupMenu",      "ShowHint",       "TabOrder",     "TabStop",     "Visible",
                   "OnClick",        "OnContextPopup", "OnDblClick",     "OnDragDrop",   "OnDragOver",  "OnEndDrag",
                   "OnEnter",        "OnExit",         "OnKeyDown",      "OnKeyPress",   "OnKeyUp",     "OnMouseDown",
                   "OnMouseMove",    "OnMouseUp",      "OnMouseEnter",   "OnMouseLeave", "OnStartDrag"});
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    FTabStop = false;
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TRadioButton::SetChecked(bool value) {
    if (FChecked == value) return;
    FChecked = value;
    SetTabStop(value);
    Invalidate();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = As<TRadioButton>(parent->Controls(i)); other && other != this) other->SetChecked(false);
    }
    if (!HasState(csLoading) && !HasState(csReading)) Click();
}

void TRadioButton::Paint() {
    PaintCheck(this, Canvas(), DFCS_BUTTONRADIO | (FChecked ? DFCS_CHECKED : 0), FAlignment);
}

void TRadioButton::KeyDown(Word& key, TShiftState shift) {
    TButtonControl::KeyDown(key, shift);
    if (HasState(csDesigning) || !Parent()) return;
    int step = 0;
    if (key == VK_DOWN || key == VK_RIGHT) step = 1;
    if (key == VK_UP || key == VK_LEFT) step = -1;
    if (step == 0) return;
    // The arrows move through the radio buttons of the same parent, in tab order, and check them.
    std::vector<TRadioButton*> group;
    std::vector<TWinControl*> order;
    Parent()->GetTabOrderList(order);
    for (TWinControl* c : order)
        if (auto* r = As<TRadioButton>(c); r && r->Parent() == Parent() && r->CanFocus()) group.push_back(r);
    auto it = std::find(group.begin(), group.end(), this);
    if (it == group.end() || group.size() < 2) return;
    int index = static_cast<int>(it - group.begin());
    int count = static_cast<int>(group.size());
    TRadioButton* next = group[static_cast<size_t>((index + step + count) % count)];
    key = 0;
    next->SetFocus();
    next->SetChecked(true);
}

void TRadioButton::Dispatch(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
        return;
    }
    TButtonControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Group boxes

DW_DEFINE_CLASS(TCustomGroupBox) {}

DW_DEFINE_CLASS(TGroupBox) {
    PublishStd(c, {"Align",          "Anchors",     "BiDiMode",    "Caption",      "Color",          "Constraints",
                   "Ctl3D",          "DragCursor",  "DragKind",    "DragMode",     "Enabled",        "Font",
                   "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",   "ParentShowHint", "PopupMenu",
                   "ShowHint",       "TabOrder",    "TabStop",     "Visible",      "OnClick",        "OnContextPopup",
                   "OnDblClick",     "OnDragDrop",  "OnDragOver",  "OnEndDrag",    "OnEnter",        "OnExit",
                   "OnMouseDown",    "OnMouseMove", "OnMouseUp",   "OnMouseEnter", "OnMouseLeave",   "OnStartDrag"});
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    FControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) const {
    TCustomControl::AdjustClientRect(rect);
    rect.Top += FontLineHeight(Font());
    rect = rect.Inflate(-2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    canvas->SetFont(Font());
    int lineHeight = FontLineHeight(Font());
    TRect frame{client.Left, client.Top + lineHeight / 2, client.Right, client.Bottom};
    DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    TSize size = TMeasureDC(Font()).FormattedSize(Caption(), DT_SINGLELINE);
    TRect text{8, 0, std::min(client.Right - 2, 8 + size.cx), lineHeight};
    canvas->Brush()->SetColor(Color());
    canvas->FillRect({text.Left - 2, text.Top, std::min(client.Right, text.Right + 2), text.Bottom});
    DrawCaption(canvas, Caption(), text, DT_LEFT | DT_SINGLELINE, Enabled());
}

void TCustomGroupBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<char32_t>(message.WParam), Caption()) && CanFocus()) {
            SelectNext(nullptr, true, true);
            message.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace dw
