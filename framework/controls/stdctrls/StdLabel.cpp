// TCustomLabel and TLabel.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Text.h"

namespace dw {

DW_DEFINE_CLASS(TCustomLabel) {}

DW_DEFINE_CLASS(TLabel) {
    PublishStd(c, {"Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints", "DragCursor", "DragKind",
                   "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint",
                   "PopupMenu", "ShowHint", "Visible"});
    c.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    c.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    c.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
    c.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    c.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
    PublishStd(c, {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
                   "OnMouseMove", "OnMouseUp", "OnMouseEnter", "OnMouseLeave", "OnStartDrag"});
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle += TControlStyle{csOpaque, csReplicatable};
    FAutoSize = true;
    SetBounds(0, 0, 65, 17);
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->SetFont(Font());
    TRect r = client;
    if (FLayout != tlTop) {
        TSize size = TMeasureDC(Font()).FormattedSize(Caption(), TextFlags(), r.Width());
        int offset = r.Height() - size.cy;
        if (FLayout == tlCenter) offset /= 2;
        r.Top += offset;
    }
    DrawCaption(canvas, Caption(), r, TextFlags(), Enabled());
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading) || HasState(csReading)) return;
    TSize size =
        TMeasureDC(Font()).FormattedSize(Caption(), TextFlags() & ~(DT_RIGHT | DT_CENTER), FWordWrap ? Width() : 0);
    int width = FWordWrap ? Width() : size.cx;
    int left = Left();
    if (FAlignment == taRightJustify) left += Width() - width;
    if (FAlignment == taCenter) left += (Width() - width) / 2;
    if (width != Width() || size.cy != Height() || left != Left()) SetBounds(left, Top(), width, size.cy);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (FShowAccelChar == value) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    if (value)
        FControlStyle -= csOpaque;
    else
        FControlStyle += csOpaque;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (FWordWrap == value) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (FFocusControl == value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<char32_t>(message.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            message.Result = 1;
            return;
        }
        break;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        AdjustBounds();
        return;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

} // namespace dw
