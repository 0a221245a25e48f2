// TControlScrollBar, TScrollingWinControl and TScrollBox: children laid out on an area larger
// than the client, scrolled by the window's scroll bars.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TControlScrollBar) {
    c.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
    c.Property("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin).Default(0);
    c.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
    c.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
    c.Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(false);
    c.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : FControl(control), FKind(kind) {}

void TControlScrollBar::Assign(const TPersistent* source) {
    if (auto* s = As<TControlScrollBar>(source)) {
        FIncrement = s->FIncrement;
        FMargin = s->FMargin;
        FTracking = s->FTracking;
        FVisible = s->FVisible;
        SetRange(s->FRange);
        SetPosition(s->FPosition);
        return;
    }
    TPersistent::Assign(source);
}

TPersistent* TControlScrollBar::GetOwner() const {
    return FControl;
}

int TControlScrollBar::ClientExtent() const {
    TRect r = FControl->ClientRect();
    return FKind == sbHorizontal ? r.Width() : r.Height();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    return FVisible && FRange > ClientExtent();
}

void TControlScrollBar::SetRange(int value) {
    value = std::max(value, 0);
    if (FRange == value) return;
    FRange = value;
    // A position beyond the new range is pulled back.
    SetPosition(FPosition);
    Update();
}

void TControlScrollBar::SetPosition(int value) {
    int limit = std::max(0, FRange - ClientExtent());
    if (FControl->HasState(csLoading)) limit = std::max(FRange, 0);
    value = std::clamp(value, 0, limit);
    if (value == FPosition) return;
    int delta = FPosition - value;
    FPosition = value;
    if (!FControl->HasState(csLoading)) {
        if (FKind == sbHorizontal)
            FControl->ScrollBy(delta, 0);
        else
            FControl->ScrollBy(0, delta);
    }
    Update();
}

void TControlScrollBar::SetVisible(bool value) {
    if (FVisible == value) return;
    FVisible = value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::Update() {
    if (FUpdating || !FControl->HandleAllocated()) return;
    FUpdating = true;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    if (IsScrollBarVisible()) {
        info.nMax = FRange - 1;
        info.nPage = static_cast<UINT>(ClientExtent());
        info.nPos = FPosition;
    }
    // Setting the same information again would only repaint the window's frame.
    HWND handle = FControl->Handle();
    if (handle != FAppliedHandle || info.nMax != FAppliedInfo.nMax || info.nPage != FAppliedInfo.nPage ||
        info.nPos != FAppliedInfo.nPos) {
        SetScrollInfo(handle, FKind == sbHorizontal ? SB_HORZ : SB_VERT, info, true);
        FAppliedHandle = handle;
        FAppliedInfo = info;
    }
    FUpdating = false;
}

void TControlScrollBar::ScrollMessage(WPARAM wParam) {
    int code = LOWORD(wParam);
    int page = std::max(ClientExtent() - FIncrement, FIncrement);
    // Without tracking the thumb moves the view only when it is let go.
    if (code == SB_THUMBTRACK && !FTracking) return;
    int thumb = ScrollTrackPos(FControl->HandleAllocated() ? FControl->Handle() : nullptr,
                               FKind == sbHorizontal ? SB_HORZ : SB_VERT, HIWORD(wParam));
    if (std::optional<int> pos = RequestedScrollPos(code, FPosition, FIncrement, page, 0, FRange, thumb))
        SetPosition(*pos);
}

// ---------------------------------------------------------------------------------------------

DW_DEFINE_CLASS(TScrollingWinControl) {}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
    FHorzScrollBar.reset(New<TControlScrollBar>(this, sbHorizontal));
    FVertScrollBar.reset(New<TControlScrollBar>(this, sbVertical));
    FAutoScroll = true;
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (FAutoScroll == value) return;
    FAutoScroll = value;
    if (value)
        CalcAutoRange();
    else {
        FHorzScrollBar->SetRange(0);
        FVertScrollBar->SetRange(0);
    }
}

void TScrollingWinControl::CalcAutoRange() {
    if (!FAutoScroll || HasState(csLoading)) return;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->DesignVisible()) continue;
        if (c->Align() != alRight && c->Align() != alClient && !c->Anchors().Contains(akRight))
            right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->ScrollPos());
        if (c->Align() != alBottom && c->Align() != alClient && !c->Anchors().Contains(akBottom))
            bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->ScrollPos());
    }
    FHorzScrollBar->SetRange(right > ClientWidth() ? right + FHorzScrollBar->Margin() : 0);
    FVertScrollBar->SetRange(bottom > ClientHeight() ? bottom + FVertScrollBar->Margin() : 0);
}

void TScrollingWinControl::UpdateScrollBars() {
    if (FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    FHorzScrollBar->Update();
    FVertScrollBar->Update();
    FUpdatingScrollBars = false;
}

void TScrollingWinControl::AdjustClientRect(TRect& rect) const {
    rect = Bounds(-FHorzScrollBar->ScrollPos(), -FVertScrollBar->ScrollPos(),
                  std::max(FHorzScrollBar->Range(), rect.Width()), std::max(FVertScrollBar->Range(), rect.Height()));
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    CalcAutoRange();
    UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || !ContainsControl(control) || control == this) return;
    TPoint topLeft = control->ClientToParent({0, 0}, this);
    TRect r = Bounds(topLeft.X, topLeft.Y, control->Width(), control->Height());
    TRect client = ClientRect();
    if (FHorzScrollBar->IsScrollBarVisible()) {
        if (r.Left < 0)
            FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + r.Left);
        else if (r.Right > client.Width())
            FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + std::min(r.Right - client.Width(), r.Left));
    }
    if (FVertScrollBar->IsScrollBarVisible()) {
        if (r.Top < 0)
            FVertScrollBar->SetPosition(FVertScrollBar->Position() + r.Top);
        else if (r.Bottom > client.Height())
            FVertScrollBar->SetPosition(FVertScrollBar->Position() + std::min(r.Bottom - client.Height(), r.Top));
    }
}

void TScrollingWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
        FHorzScrollBar->ScrollMessage(message.WParam);
        break;
    case WM_VSCROLL:
        FVertScrollBar->ScrollMessage(message.WParam);
        break;
    case WM_SIZE:
        TWinControl::Dispatch(message);
        CalcAutoRange();
        UpdateScrollBars();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

// ---------------------------------------------------------------------------------------------

DW_DEFINE_CLASS(TScrollBox) {
    PublishControlProperties(c, {"Align",          "Anchors",        "BiDiMode",     "Constraints", "Ctl3D",
                                 "DragCursor",     "DragKind",       "DragMode",     "Enabled",     "Color",
                                 "Font",           "ParentBiDiMode", "ParentColor",  "ParentCtl3D", "ParentFont",
                                 "ParentShowHint", "PopupMenu",      "ShowHint",     "TabOrder",    "TabStop",
                                 "Visible",        "BevelInner",     "BevelOuter",   "BevelKind",   "BevelWidth",
                                 "BevelEdges",     "BorderWidth",    "OnClick",      "OnDblClick",  "OnDragDrop",
                                 "OnDragOver",     "OnEndDrag",      "OnEnter",      "OnExit",      "OnMouseDown",
                                 "OnMouseMove",    "OnMouseUp",      "OnMouseWheel", "OnResize",    "OnStartDrag"});
    c.Property("AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).Default(true);
    c.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
        .Type(BorderStyleTypeInfo())
        .Default(bsSingle);
    c.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, &TScrollBox::SetHorzScrollBar);
    c.Property("VertScrollBar", &TScrollBox::VertScrollBar, &TScrollBox::SetVertScrollBar);
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    FBrush->SetColor(FColor);
    FParentColor = false;
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (FBorderStyle == bsSingle) {
        if (FCtl3D)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

} // namespace dw
