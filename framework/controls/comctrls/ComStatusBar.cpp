// TStatusPanel, TStatusPanels and TStatusBar.
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/NonClient.h"

#include <algorithm>

namespace dw {

// ---------------------------------------------------------------------------------------------
// TStatusPanel

DW_DEFINE_CLASS(TStatusPanel) {
    c.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
    c.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
    c.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
    c.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    c.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::Assign(const TPersistent* source) {
    if (auto* other = As<TStatusPanel>(source)) {
        FAlignment = other->FAlignment;
        FBevel = other->FBevel;
        FStyle = other->FStyle;
        FText = other->FText;
        FWidth = other->FWidth;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(source);
}

String TStatusPanel::GetDisplayName() const {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (FBevel == value) return;
    FBevel = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    Changed(false);
}

void TStatusPanel::SetText(const String& value) {
    if (FText == value) return;
    FText = value;
    Changed(false);
}

void TStatusPanel::SetWidth(int value) {
    value = std::max(0, value);
    if (FWidth == value) return;
    FWidth = value;
    Changed(true);
}

DW_DEFINE_CLASS(TStatusPanels) {}

TStatusPanels::TStatusPanels(TStatusBar* statusBar)
    : TOwnedCollection(statusBar, TStatusPanel::StaticClass()), FStatusBar(statusBar) {}

void TStatusPanels::Update(TCollectionItem* item) {
    (void)item;
    if (FStatusBar) FStatusBar->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TStatusBar

DW_DEFINE_CLASS(TStatusBar) {
    PublishStd(c, {"Action"});
    c.Property("Align", &TStatusBar::Align, &TStatusBar::SetAlign).Default(alBottom);
    PublishStd(c, {"Anchors"});
    c.Property("AutoHint", &TStatusBar::AutoHint, &TStatusBar::SetAutoHint).Default(false);
    PublishStd(c, {"BiDiMode", "BorderWidth"});
    PublishColor(c, clBtnFace);
    PublishStd(c, {"Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    PublishStd(c, {"ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
    c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
    PublishStd(c, {"Visible", "OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag"});
    c.Property("OnHint", &TStatusBar::OnHint, &TStatusBar::OnHint);
    PublishStd(c, {"OnMouseDown", "OnMouseMove", "OnMouseUp"});
    c.Property("OnDrawPanel", &TStatusBar::OnDrawPanel, &TStatusBar::OnDrawPanel);
    PublishStd(c, {"OnResize", "OnStartDrag"});
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(clBtnFace);
    FPanels.reset(New<TStatusPanels>(this));
    TControl::SetAlign(alBottom);
    SetBounds(0, 0, 100, 19);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool value) {
    if (FSimplePanel == value) return;
    FSimplePanel = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& value) {
    if (FSimpleText == value) return;
    FSimpleText = value;
    if (FSimplePanel) Invalidate();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (FSizeGrip == value) return;
    FSizeGrip = value;
    Invalidate();
}

bool TStatusBar::GripShown() const {
    if (!FSizeGrip) return false;
    TCustomForm* form = GetParentForm(this);
    return form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

TRect TStatusBar::GripRect() const {
    if (!GripShown()) return {};
    TRect client = ClientRect();
    int size = std::min(GetSystemMetrics(SM_CXVSCROLL), client.Height());
    return {client.Right - size, client.Bottom - size, client.Right, client.Bottom};
}

TRect TStatusBar::PanelRect(int index) const {
    TRect client = ClientRect();
    if (FSimplePanel) return index == 0 ? TRect{client.Left, client.Top + 2, client.Right, client.Bottom} : TRect{};
    int count = FPanels->Count();
    if (index < 0 || index >= count) return {};
    int x = client.Left;
    for (int i = 0; i < index; ++i) x += FPanels->Items(i)->Width();
    // The last panel reaches the right edge; panels are two pixels apart.
    int right = index == count - 1 ? client.Right : std::min(client.Right, x + FPanels->Items(index)->Width() - 2);
    return {x, client.Top + 2, std::max(x, right), client.Bottom};
}

int TStatusBar::PanelAt(int x, int y) const {
    int count = FSimplePanel ? 1 : FPanels->Count();
    for (int i = 0; i < count; ++i)
        if (PanelRect(i).Contains({x, y})) return i;
    return -1;
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

void TStatusBar::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect client = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    canvas->SetFont(Font());
    auto textIn = [&](const String& text, TRect r, TAlignment alignment) {
        r = r.Inflate(-2, -1);
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS;
        if (alignment == taCenter) flags |= DT_CENTER;
        if (alignment == taRightJustify) flags |= DT_RIGHT;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        DrawCaption(canvas, text, r, flags, Enabled());
        RestoreDC(dc, saved);
        canvas->Refresh();
        dc = canvas->Handle();
    };
    if (FSimplePanel) {
        TRect r = PanelRect(0);
        TRect edge = r;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        textIn(FSimpleText, r, taLeftJustify);
    } else {
        for (int i = 0; i < FPanels->Count(); ++i) {
            TStatusPanel* panel = FPanels->Items(i);
            TRect r = PanelRect(i);
            if (r.IsEmpty()) continue;
            if (panel->Bevel() != pbNone) {
                TRect edge = r;
                DrawEdge(dc, &edge, panel->Bevel() == pbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            }
            if (panel->Style() == psOwnerDraw) {
                int saved = SaveDC(dc);
                TRect inner = r.Inflate(-1, -1);
                IntersectClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
                DrawPanel(panel, inner);
                RestoreDC(dc, saved);
                canvas->Refresh();
                dc = canvas->Handle();
            } else {
                textIn(panel->Text(), r, panel->Alignment());
            }
        }
    }
    TRect grip = GripRect();
    if (!grip.IsEmpty()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(grip);
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void TStatusBar::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning) && GripRect().Contains({x, y})) {
        // The grip sizes the form.
        if (TCustomForm* form = GetParentForm(this); form && form->HandleAllocated()) {
            ReleaseCapture();
            BeginMoveSize(form->Handle(), HTBOTTOMRIGHT);
            return;
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TStatusBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETCURSOR:
        if (!HasState(csDesigning) && HandleAllocated()) {
            TPoint p = ScreenToClient(GetCursorPos());
            if (GripRect().Contains(p)) {
                dw::SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
                message.Result = 1;
                return;
            }
        }
        break;
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace dw
