// TToolButton, its action link, and TToolBar.
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

namespace {

constexpr int DropDownArrowWidth = 14;

bool ActionOrdProp(TObject* action, const char* name, Int64& value) {
    const TPropInfo* prop = action ? GetPropInfo(action, name) : nullptr;
    if (!prop || !prop->Type().IsOrdinal()) return false;
    value = GetOrdProp(action, *prop);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TToolButtonActionLink

DW_DEFINE_CLASS(TToolButtonActionLink) {}

bool TToolButtonActionLink::IsCheckedLinked() const {
    auto* button = As<TToolButton>(FControl);
    Int64 checked = 0;
    return TControlActionLink::IsCheckedLinked() && button && ActionOrdProp(FAction, "Checked", checked) &&
           button->Down() == (checked != 0);
}

bool TToolButtonActionLink::IsImageIndexLinked() const {
    auto* button = As<TToolButton>(FControl);
    Int64 index = -1;
    return TControlActionLink::IsImageIndexLinked() && button && ActionOrdProp(FAction, "ImageIndex", index) &&
           button->ImageIndex() == index;
}

void TToolButtonActionLink::SetChecked(bool value) {
    if (!IsCheckedLinked()) return;
    if (auto* button = As<TToolButton>(FControl)) button->SetDown(value);
}

void TToolButtonActionLink::SetImageIndex(int value) {
    if (!IsImageIndexLinked()) return;
    if (auto* button = As<TToolButton>(FControl)) button->SetImageIndex(value);
}

// ---------------------------------------------------------------------------------------------
// TToolButton

DW_DEFINE_CLASS(TToolButton) {
    PublishStd(c, {"Action"});
    c.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).Default(false);
    c.Property("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize).Default(false);
    PublishStd(c, {"Caption"});
    c.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false).Stored(&TToolButton::IsCheckedStored);
    PublishStd(c, {"DragCursor", "DragKind", "DragMode"});
    c.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    PublishStd(c, {"Enabled"});
    c.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    c.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .Default(-1)
        .Stored(&TToolButton::IsImageIndexStored);
    c.Property("Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate).Default(false);
    c.Property("Marked", &TToolButton::Marked, &TToolButton::SetMarked).Default(false);
    PublishStd(c, {"ParentShowHint", "PopupMenu"});
    c.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap).Default(false);
    PublishStd(c, {"ShowHint"});
    c.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
    PublishStd(c, {"Visible", "OnClick", "OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
                   "OnMouseMove", "OnMouseUp", "OnStartDrag"});
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption};
    SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const {
    return As<TToolBar>(Parent());
}

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    if (!bar) return -1;
    auto it = std::find(bar->FButtons.begin(), bar->FButtons.end(), this);
    return it == bar->FButtons.end() ? -1 : static_cast<int>(it - bar->FButtons.begin());
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (FStyle == value) return;
    bool wasSeparator = FStyle == tbsSeparator || FStyle == tbsDivider;
    FStyle = value;
    bool separator = value == tbsSeparator || value == tbsDivider;
    if (!HasState(csLoading) && !HasState(csReading) && separator != wasSeparator) {
        TToolBar* bar = ToolBar();
        SetWidth(separator ? 8 : (bar ? bar->ButtonSize().cx : 23));
    }
    if (TToolBar* bar = ToolBar()) bar->Realign();
    Invalidate();
}

void TToolButton::SetImageIndex(int value) {
    if (FImageIndex == value) return;
    FImageIndex = value;
    Invalidate();
}

bool TToolButton::IsImageIndexStored() const {
    return !ActionLink() || !ActionLink()->IsImageIndexLinked();
}
bool TToolButton::IsCheckedStored() const {
    return !ActionLink() || !ActionLink()->IsCheckedLinked();
}

void TToolButton::SetDown(bool value) {
    if (FDown == value) return;
    FDown = value;
    if (value && FGrouped) UpdateGroup();
    Invalidate();
}

void TToolButton::UpdateGroup() {
    TToolBar* bar = ToolBar();
    int index = Index();
    if (!bar || index < 0) return;
    // The group: the grouped check buttons next to this one, without separators between.
    auto release = [&](int from, int step) {
        for (int i = from; i >= 0 && i < bar->ButtonCount(); i += step) {
            TToolButton* other = bar->Buttons(i);
            if (other->FStyle != tbsCheck || !other->FGrouped) break;
            if (other->FDown) {
                other->FDown = false;
                other->Invalidate();
            }
        }
    };
    release(index - 1, -1);
    release(index + 1, 1);
}

void TToolButton::SetIndeterminate(bool value) {
    if (FIndeterminate == value) return;
    FIndeterminate = value;
    Invalidate();
}

void TToolButton::SetMarked(bool value) {
    if (FMarked == value) return;
    FMarked = value;
    Invalidate();
}

void TToolButton::SetWrap(bool value) {
    if (FWrap == value) return;
    FWrap = value;
    if (TToolBar* bar = ToolBar()) bar->Realign();
}

void TToolButton::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    TGraphicControl::SetAutoSize(value);
    if (TToolBar* bar = ToolBar()) bar->Realign();
}

void TToolButton::SetDropdownMenu(TComponent* value) {
    if (FDropdownMenu == value) return;
    if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = value;
    if (value) value->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FDropdownMenu) FDropdownMenu = nullptr;
}

void TToolButton::SetBounds(int left, int top, int width, int height) {
    TGraphicControl::SetBounds(left, top, width, height);
}

bool TToolButton::OnArrow(int x) const {
    return FStyle == tbsDropDown && x >= Width() - DropDownArrowWidth;
}

void TToolButton::ShowDropdown() {
    if (auto* popup = Supports<IContextPopup>(FDropdownMenu))
        popup->PopupFor(this, ClientToScreen(TPoint{0, Height()}));
}

void TToolButton::Click() {
    if (FStyle == tbsDropDown && !OnClick && !Action() && FDropdownMenu) {
        ShowDropdown();
        return;
    }
    TGraphicControl::Click();
}

void TToolButton::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TToolBar* bar = ToolBar();
    bool flat = bar && bar->Flat();
    TRect client = ClientRect();
    if (FStyle == tbsSeparator || FStyle == tbsDivider) {
        if (flat || FStyle == tbsDivider) {
            int x = client.Width() / 2 - 1;
            TRect line{x, client.Top + 1, x + 2, client.Bottom - 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        }
        if (HasState(csDesigning) && !flat) {
            canvas->Pen()->SetStyle(psDot);
            canvas->Pen()->SetColor(clBtnShadow);
            canvas->Brush()->SetStyle(bsClear);
            canvas->Rectangle(client);
            canvas->Pen()->SetStyle(psSolid);
        }
        return;
    }
    bool down = FDown || (FPressed && FTracking);
    bool enabled = Enabled();
    bool hot = FMouseInControl && enabled;
    TRect face = client;
    TRect buttonPart = client;
    if (FStyle == tbsDropDown) buttonPart.Right -= DropDownArrowWidth;
    if (flat) {
        if (FDown && !(FPressed && FTracking)) FillRect(dc, &face, DitherBrush());
        if (down) {
            TRect edge = buttonPart;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        } else if (hot || HasState(csDesigning)) {
            TRect edge = buttonPart;
            DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        }
        if (FStyle == tbsDropDown && (hot || down || FArrowPressed)) {
            TRect arrow{buttonPart.Right, client.Top, client.Right, client.Bottom};
            DrawEdge(dc, &arrow, FArrowPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
    } else {
        TRect edge = buttonPart;
        DrawFrameControl(dc, &edge, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        if (FDown && !(FPressed && FTracking)) FillRect(dc, &edge, DitherBrush());
        if (FStyle == tbsDropDown) {
            TRect arrow{buttonPart.Right, client.Top, client.Right, client.Bottom};
            DrawFrameControl(dc, &arrow, DFC_BUTTON, DFCS_BUTTONPUSH | (FArrowPressed ? DFCS_PUSHED : 0));
        }
    }
    int shift = down ? 1 : 0;
    bool showCaption = bar && bar->ShowCaptions() && !Caption().empty();
    TCustomImageList* images = bar ? bar->Images() : nullptr;
    TCustomImageList* drawList = images;
    bool drawEnabled = enabled && !FIndeterminate;
    if (!drawEnabled && bar && bar->DisabledImages()) {
        drawList = bar->DisabledImages();
        drawEnabled = true;
    } else if (hot && bar && bar->HotImages()) {
        drawList = bar->HotImages();
    }
    int lineHeight = showCaption ? FontLineHeight(bar->Font()) : 0;
    bool list = bar && bar->List();
    if (drawList && FImageIndex >= 0 && FImageIndex < drawList->Count()) {
        int w = drawList->Width(), h = drawList->Height();
        int x = buttonPart.Left + (buttonPart.Width() - w) / 2;
        int y = client.Top + (client.Height() - h - (showCaption && !list ? lineHeight + 2 : 0)) / 2;
        if (list && showCaption) x = buttonPart.Left + 4;
        drawList->Draw(canvas, x + shift, y + shift, FImageIndex, drawEnabled);
    }
    if (showCaption) {
        canvas->SetFont(bar->Font());
        TRect text = buttonPart;
        UINT flags = DT_SINGLELINE | DT_CENTER;
        if (list) {
            if (images) text.Left += images->Width() + 6;
            flags = DT_SINGLELINE | DT_LEFT | DT_VCENTER;
        } else {
            text.Top = client.Bottom - lineHeight - 4;
        }
        DrawCaption(canvas, Caption(), text.Offset(shift, shift), flags, enabled);
    }
    if (FStyle == tbsDropDown) {
        // The small arrow of the drop-down part.
        int cx = client.Right - DropDownArrowWidth / 2 - 1 + (FArrowPressed ? 1 : 0);
        int cy = client.Top + client.Height() / 2 - 1 + (FArrowPressed ? 1 : 0);
        COLORREF colour = ColorToRGB(enabled ? clBtnText : clGrayText);
        for (int i = 0; i < 3; ++i) FillSolidRect(dc, {cx - 2 + i, cy + i, cx + 3 - i, cy + i + 1}, colour);
    }
}

void TToolButton::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled() || HasState(csDesigning)) return;
    if (FStyle == tbsSeparator || FStyle == tbsDivider) return;
    if (OnArrow(x)) {
        FArrowPressed = true;
        Invalidate();
        ShowDropdown();
        FArrowPressed = false;
        Invalidate();
        return;
    }
    FPressed = true;
    FTracking = true;
    Invalidate();
}

void TToolButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FTracking) return;
    bool inside = ClientRect().Contains({x, y});
    if (inside != FPressed) {
        FPressed = inside;
        Invalidate();
    }
}

void TToolButton::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FTracking) return;
    FTracking = false;
    bool clicked = FPressed && ClientRect().Contains({x, y});
    FPressed = false;
    Invalidate();
    if (!clicked) return;
    if (FStyle == tbsCheck) {
        // A grouped button stays down unless the group may be all up.
        if (!FDown)
            SetDown(true);
        else if (!FGrouped || FAllowAllUp)
            SetDown(false);
    }
    Click();
}

void TToolButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        TGraphicControl::Dispatch(message);
        bool inside = message.Msg == CM_MOUSEENTER;
        if (inside != FMouseInControl) {
            FMouseInControl = inside;
            Invalidate();
        }
        return;
    }
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
        TGraphicControl::Dispatch(message);
        if (TToolBar* bar = ToolBar(); bar && message.Msg == CM_VISIBLECHANGED) bar->Realign();
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(message);
        if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) bar->Realign();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

TControlActionLink* TToolButton::CreateActionLink() {
    return New<TToolButtonActionLink>(this);
}

void TToolButton::ActionChange(TObject* sender, bool checkDefaults) {
    TGraphicControl::ActionChange(sender, checkDefaults);
    Int64 value = 0;
    if (ActionOrdProp(sender, "ImageIndex", value) && (!checkDefaults || FImageIndex == -1))
        SetImageIndex(static_cast<int>(value));
    if (ActionOrdProp(sender, "Checked", value) && (!checkDefaults || !FDown)) SetDown(value != 0);
}

// ---------------------------------------------------------------------------------------------
// TToolBar

DW_DEFINE_CLASS(TToolBar) {
    c.Property("Align", &TToolBar::Align, &TToolBar::SetAlign).Default(alTop);
    PublishStd(c, {"Anchors"});
    c.Property("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize).Default(false);
    PublishStd(c, {"BorderWidth"});
    c.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    c.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    PublishStd(c, {"Caption"});
    PublishColor(c, clBtnFace);
    PublishStd(c, {"Constraints"});
    c.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
    PublishStd(c, {"DragCursor", "DragKind", "DragMode"});
    c.Property("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders).Default(TEdgeBorders{ebTop});
    c.Property("EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner).Default(esRaised);
    c.Property("EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter).Default(esLowered);
    PublishStd(c, {"Enabled"});
    c.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    PublishStd(c, {"Font"});
    c.Property("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
    c.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    c.Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent).Default(0);
    c.Property("List", &TToolBar::List, &TToolBar::SetList).Default(false);
    PublishStd(c, {"ParentColor", "ParentFont", "ParentShowHint", "PopupMenu"});
    c.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    PublishStd(c, {"ShowHint", "TabOrder", "TabStop"});
    c.Property("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent).Default(false);
    PublishStd(c, {"Visible"});
    c.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(true);
    PublishStd(c, {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter",
                   "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDrag"});
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks,
                                  csMenuEvents,      csSetCaption,   csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(clBtnFace);
    FImageLink.reset(New<TChangeLink>());
    FImageLink->OnChange = MakeMethod<&TToolBar::ImageListChange>(this);
    TControl::SetAlign(alTop);
    SetBounds(0, 0, 150, 29);
}

TToolBar::~TToolBar() {
    for (TCustomImageList* list : {FImages, FDisabledImages, FHotImages})
        if (list) list->UnRegisterChanges(FImageLink.get());
}

int TToolBar::EdgeSize(TEdgeBorder edge) const {
    if (!FEdgeBorders.Contains(edge)) return 0;
    return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TToolBar::AdjustClientRect(TRect& rect) const {
    TCustomControl::AdjustClientRect(rect);
    rect.Left += EdgeSize(ebLeft);
    rect.Top += EdgeSize(ebTop);
    rect.Right -= EdgeSize(ebRight);
    rect.Bottom -= EdgeSize(ebBottom);
}

TSize TToolBar::ButtonSize() const {
    TSize size{FButtonWidth, FButtonHeight};
    if (!FShowCaptions) return size;
    TMeasureDC measure(Font());
    int textWidth = 0;
    for (TToolButton* b : FButtons)
        if (b->Style() != tbsSeparator && b->Style() != tbsDivider)
            textWidth = std::max(textWidth, measure.FormattedSize(b->Caption(), DT_SINGLELINE).cx);
    int lineHeight = measure.LineHeight();
    int imageWidth = FImages ? FImages->Width() : 0, imageHeight = FImages ? FImages->Height() : 0;
    if (FList) {
        size.cx = std::max(size.cx, imageWidth + textWidth + 14);
        size.cy = std::max(size.cy, std::max(imageHeight, lineHeight) + 7);
    } else {
        size.cx = std::max(size.cx, std::max(imageWidth, textWidth) + 8);
        size.cy = std::max(size.cy, imageHeight + lineHeight + 10);
    }
    return size;
}

void TToolBar::InsertButton(TToolButton* button) {
    if (std::find(FButtons.begin(), FButtons.end(), button) != FButtons.end()) return;
    if (HasState(csLoading) || HasState(csReading) || button->HasState(csLoading)) {
        // Buttons are read in their order.
        FButtons.push_back(button);
        return;
    }
    // A new button goes where it was put (designers put new ones after the last).
    int rowHeight = std::max(1, ButtonSize().cy);
    auto before = [&](TToolButton* other) {
        int rowA = button->Top() / rowHeight, rowB = other->Top() / rowHeight;
        return rowA < rowB || (rowA == rowB && button->Left() < other->Left());
    };
    auto it = std::find_if(FButtons.begin(), FButtons.end(), before);
    FButtons.insert(it, button);
}

void TToolBar::RemoveButton(TToolButton* button) {
    FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), button), FButtons.end());
}

int TToolBar::LayoutButtons(int width, bool apply) {
    TRect area{0, 0, width, 0};
    TRect adjusted = ClientRect();
    AdjustClientRect(adjusted);
    area.Left = adjusted.Left;
    area.Top = adjusted.Top;
    area.Right = adjusted.Left + std::max(0, width - (ClientRect().Width() - adjusted.Width()));
    TSize size = ButtonSize();
    // The order: the buttons, with other controls put among them by their left edges.
    std::vector<TControl*> order(FButtons.begin(), FButtons.end());
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Is<TToolButton>()) continue;
        auto it = std::find_if(order.begin(), order.end(), [c](TControl* o) { return o->Left() > c->Left(); });
        order.insert(it, c);
    }
    int x = area.Left + FIndent, y = area.Top;
    int rows = 1;
    bool rowEmpty = true;
    for (TControl* c : order) {
        if (!c->Visible() && !HasState(csDesigning)) continue;
        auto* button = As<TToolButton>(c);
        bool separator = button && (button->Style() == tbsSeparator || button->Style() == tbsDivider);
        int w = button ? (separator ? c->Width() : size.cx + (button->Style() == tbsDropDown ? DropDownArrowWidth : 0))
                       : c->Width();
        int h = button ? size.cy : c->Height();
        if (FWrapable && !rowEmpty && x + w > area.Right) {
            x = area.Left + FIndent;
            y += size.cy;
            ++rows;
            rowEmpty = true;
            // A separator does not start a row.
            if (separator) continue;
        }
        if (apply) {
            int top = button ? y : y + std::max(0, (size.cy - h) / 2);
            if (c->Left() != x || c->Top() != top || c->Width() != w || c->Height() != h) c->SetBounds(x, top, w, h);
        }
        x += w;
        rowEmpty = false;
        if (button && button->Wrap()) {
            x = area.Left + FIndent;
            y += size.cy;
            ++rows;
            rowEmpty = true;
        }
    }
    if (rowEmpty && rows > 1) --rows;
    if (apply) FRowCount = rows;
    return rows * size.cy;
}

void TToolBar::AlignControls(TControl* control, TRect& rect) {
    (void)rect;
    if (FLayingOut || HasState(csLoading) || HasState(csReading)) return;
    FLayingOut = true;
    {
        auto restore = ScopeExit([&] { FLayingOut = false; });
        // A button moved by someone else (a designer) takes the place it was moved to.
        if (auto* moved = As<TToolButton>(control); moved && moved->Parent() == this) {
            RemoveButton(moved);
            InsertButton(moved);
        }
        LayoutButtons(ClientRect().Width(), true);
    }
    if (FAutoSize) AdjustSize();
    Invalidate();
}

bool TToolBar::CanAutoSize(int& newWidth, int& newHeight) {
    TRect margins = NonClientMargins();
    int edgesV = EdgeSize(ebTop) + EdgeSize(ebBottom) + margins.Top + margins.Bottom;
    int edgesH = EdgeSize(ebLeft) + EdgeSize(ebRight) + margins.Left + margins.Right;
    if (Align() == alNone && !FWrapable) {
        // An unaligned bar that does not wrap takes the width of its buttons.
        int right = FIndent;
        for (TToolButton* b : FButtons)
            if (b->Visible() || HasState(csDesigning)) right = std::max(right, b->Left() + b->Width());
        newWidth = right + edgesH;
    }
    newHeight = LayoutButtons(newWidth - edgesH, false) + edgesV;
    return true;
}

void TToolBar::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TToolButton* b : FButtons)
        if (b->Owner() == root) proc(b);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Is<TToolButton>() && c->Owner() == root) proc(c);
    }
}

void TToolBar::Loaded() {
    TCustomControl::Loaded();
    Realign();
}

void TToolBar::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    if (FEdgeBorders.Empty()) return;
    UINT edge = 0;
    if (FEdgeOuter == esRaised) edge |= BDR_RAISEDOUTER;
    if (FEdgeOuter == esLowered) edge |= BDR_SUNKENOUTER;
    if (FEdgeInner == esRaised) edge |= BDR_RAISEDINNER;
    if (FEdgeInner == esLowered) edge |= BDR_SUNKENINNER;
    UINT sides = 0;
    if (FEdgeBorders.Contains(ebLeft)) sides |= BF_LEFT;
    if (FEdgeBorders.Contains(ebTop)) sides |= BF_TOP;
    if (FEdgeBorders.Contains(ebRight)) sides |= BF_RIGHT;
    if (FEdgeBorders.Contains(ebBottom)) sides |= BF_BOTTOM;
    DrawEdge(canvas->Handle(), &client, edge, sides);
}

void TToolBar::ImageListChange(TObject* sender) {
    (void)sender;
    Invalidate();
    if (FShowCaptions) Realign();
}

void TToolBar::SetImageList(TCustomImageList*& field, TCustomImageList* value) {
    if (field == value) return;
    if (field) {
        field->UnRegisterChanges(FImageLink.get());
        field->RemoveFreeNotification(this);
    }
    field = value;
    if (value) {
        value->RegisterChanges(FImageLink.get());
        value->FreeNotification(this);
    }
    Realign();
    Invalidate();
}

void TToolBar::SetImages(TCustomImageList* value) {
    SetImageList(FImages, value);
}
void TToolBar::SetDisabledImages(TCustomImageList* value) {
    SetImageList(FDisabledImages, value);
}
void TToolBar::SetHotImages(TCustomImageList* value) {
    SetImageList(FHotImages, value);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FImages) FImages = nullptr;
    if (component == FDisabledImages) FDisabledImages = nullptr;
    if (component == FHotImages) FHotImages = nullptr;
}

void TToolBar::SetButtonWidth(int value) {
    value = std::max(1, value);
    if (FButtonWidth == value) return;
    FButtonWidth = value;
    Realign();
}

void TToolBar::SetButtonHeight(int value) {
    value = std::max(1, value);
    if (FButtonHeight == value) return;
    FButtonHeight = value;
    Realign();
}

void TToolBar::SetFlat(bool value) {
    if (FFlat == value) return;
    FFlat = value;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
    if (FShowCaptions == value) return;
    FShowCaptions = value;
    Realign();
    Invalidate();
}

void TToolBar::SetList(bool value) {
    if (FList == value) return;
    FList = value;
    Realign();
    Invalidate();
}

void TToolBar::SetWrapable(bool value) {
    if (FWrapable == value) return;
    FWrapable = value;
    Realign();
}

void TToolBar::SetIndent(int value) {
    value = std::max(0, value);
    if (FIndent == value) return;
    FIndent = value;
    Realign();
}

void TToolBar::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    Invalidate();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    if (FEdgeBorders == value) return;
    FEdgeBorders = value;
    Realign();
    if (FAutoSize) AdjustSize();
    Invalidate();
}

void TToolBar::SetEdgeInner(TEdgeStyle value) {
    if (FEdgeInner == value) return;
    FEdgeInner = value;
    Realign();
    Invalidate();
}

void TToolBar::SetEdgeOuter(TEdgeStyle value) {
    if (FEdgeOuter == value) return;
    FEdgeOuter = value;
    Realign();
    Invalidate();
}

void TToolBar::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    TCustomControl::SetAutoSize(value);
    if (value) AdjustSize();
}

void TToolBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_CONTROLCHANGE: {
        TCMControlChange change(message);
        if (auto* button = As<TToolButton>(change.Control())) {
            if (change.Inserting())
                InsertButton(button);
            else
                RemoveButton(button);
        }
        TCustomControl::Dispatch(message);
        if (!HasState(csLoading) && !HasState(csReading)) Realign();
        return;
    }
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        if (FShowCaptions) Realign();
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

} // namespace dw
