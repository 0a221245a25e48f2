// TCustomPanel, TPanel, TSplitter, TCustomRadioGroup, TRadioGroup, TCustomControlBar, TControlBar,
// TBevel and TPaintBox.
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Paint.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <map>
#include <set>

namespace dw {

namespace {

// Lines of width pixels: the top and left in topColor, the bottom and right in bottomColor;
// rect shrinks by width.
void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    COLORREF top = ColorToRGB(topColor), bottom = ColorToRGB(bottomColor);
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        FillSolidRect(dc, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1}, top);
        FillSolidRect(dc, {rect.Left, rect.Top, rect.Right - 1, rect.Top + 1}, top);
        FillSolidRect(dc, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, bottom);
        FillSolidRect(dc, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, bottom);
        rect = rect.Inflate(-1, -1);
    }
}

void BevelColors(TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

// A brush of alternating black and white pixels, for inverting splitter lines.
HBRUSH HalftoneBrush() {
    static HBRUSH brush = [] {
        TGdiHandle pattern(CreateBitmap(8, 8, 1, 32, nullptr));
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, pattern);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) SetPixelV(dc, x, y, (x + y) % 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        SelectObject(dc, old);
        DeleteDC(dc);
        return CreatePatternBrush(pattern);
    }();
    return brush;
}

// A dashed frame around graphic controls that draw nothing themselves, so they can be found at
// design time.
void DesignFrame(TCanvas* canvas, const TRect& r) {
    canvas->Pen()->SetStyle(psDash);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(r);
    canvas->Pen()->SetStyle(psSolid);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TCustomPanel

DW_DEFINE_CLASS(TCustomPanel) {}

DW_DEFINE_CLASS(TPanel) {
    PublishStd(c, {"Align"});
    c.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
    PublishStd(c, {"Anchors", "AutoSize"});
    c.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    c.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    PublishStd(c, {"BevelWidth", "BiDiMode", "BorderWidth"});
    c.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle)
        .Type(BorderStyleTypeInfo())
        .Default(bsNone);
    PublishStd(c,
               {"Caption", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint).Default(true);
    c.Property("Locked", &TPanel::Locked, &TPanel::SetLocked).Default(false);
    PublishStd(c, {"ParentBiDiMode",
                   "ParentColor",
                   "ParentCtl3D",
                   "ParentFont",
                   "ParentShowHint",
                   "PopupMenu",
                   "ShowHint",
                   "TabOrder",
                   "TabStop",
                   "Visible",
                   "OnCanResize",
                   "OnClick",
                   "OnConstrainedResize",
                   "OnContextPopup",
                   "OnDblClick",
                   "OnDragDrop",
                   "OnDragOver",
                   "OnEndDrag",
                   "OnEnter",
                   "OnExit",
                   "OnMouseDown",
                   "OnMouseMove",
                   "OnMouseUp",
                   "OnMouseEnter",
                   "OnMouseLeave",
                   "OnResize",
                   "OnStartDrag"});
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csOpaque,          csDoubleClicks, csReplicatable};
    FBevelInner = bvNone;
    FBevelOuter = bvRaised;
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

int TCustomPanel::FrameWidth() const {
    int w = FBorderWidth;
    if (FBevelInner != bvNone) w += FBevelWidth;
    if (FBevelOuter != bvNone) w += FBevelWidth;
    return w;
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
    TCustomControl::AdjustClientRect(rect);
    int w = FrameWidth();
    rect = rect.Inflate(-w, -w);
    if (rect.Right < rect.Left) rect.Right = rect.Left;
    if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect r = ClientRect();
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(dc, r, top, bottom, FBevelWidth);
    }
    Frame3D(dc, r, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(dc, r, top, bottom, FBevelWidth);
    }
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    if (Caption().empty()) return;
    canvas->SetFont(Font());
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    DrawCaption(canvas, Caption(), r, flags, Enabled());
}

bool TCustomPanel::CanAutoSize(int& newWidth, int& newHeight) {
    // Wraps the children (and the frame) when there are any.
    if (ControlCount() == 0) return false;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible() || c->Align() == alClient) continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    TRect margins = NonClientMargins();
    int frame = FrameWidth();
    if (right > 0) newWidth = right + frame + margins.Left + margins.Right;
    if (bottom > 0) newHeight = bottom + frame + margins.Top + margins.Bottom;
    return true;
}

void TCustomPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    // The border is drawn inside the client area, not as a window frame.
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        DefaultHandler(message);
        return;
    case CM_BORDERCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TSplitter

DW_DEFINE_CLASS(TSplitter) {
    c.Property("Align", &TSplitter::Align, &TSplitter::SetAlign).Default(alLeft);
    c.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(true);
    c.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
    PublishStd(c, {"Color", "Constraints", "Cursor"});
    c.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
    PublishStd(c, {"ParentColor"});
    c.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern);
    PublishStd(c, {"Visible"});
    c.Property("OnCanResize", &TSplitter::OnCanResize, &TSplitter::OnCanResize);
    c.Property("OnMoved", &TSplitter::OnMoved, &TSplitter::OnMoved);
    c.Property("OnPaint", &TSplitter::OnPaint, &TSplitter::OnPaint);
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    TControl::SetAlign(alLeft);
    SetCursor(crHSplit);
    SetBounds(0, 0, 3, 100);
}

void TSplitter::SetAlign(TAlign value) {
    TAlign old = Align();
    if (old == value) return;
    bool wasVertical = old == alLeft || old == alRight;
    bool vertical = value == alLeft || value == alRight;
    int thickness = wasVertical ? Width() : Height();
    TControl::SetAlign(value);
    SetCursor(vertical ? crHSplit : crVSplit);
    if (!HasState(csLoading) && !HasState(csReading) && wasVertical != vertical) {
        // The splitter keeps its thickness across the other direction.
        if (vertical)
            SetWidth(thickness);
        else
            SetHeight(thickness);
    }
}

void TSplitter::SetBeveled(bool value) {
    if (FBeveled == value) return;
    FBeveled = value;
    Invalidate();
}

void TSplitter::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    if (FBeveled) {
        TRect edge = r;
        if (Align() == alLeft || Align() == alRight)
            edge = edge.Inflate(-1, 2);
        else
            edge = edge.Inflate(2, -1);
        DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
    }
    if (HasState(csDesigning) && !FBeveled) DesignFrame(canvas, r);
    OnPaint(this);
}

TControl* TSplitter::FindResizeControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    TPoint p{Left(), Top()};
    switch (Align()) {
    case alLeft:
        --p.X;
        break;
    case alRight:
        p.X += Width();
        break;
    case alTop:
        --p.Y;
        break;
    case alBottom:
        p.Y += Height();
        break;
    default:
        return nullptr;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || !c->Enabled()) continue;
        TRect r = c->BoundsRect();
        bool leading = Align() == alLeft || Align() == alTop;
        // A control collapsed to nothing is still found at the splitter's edge.
        if (r.Width() == 0) (leading ? r.Left : r.Right) += leading ? -1 : 1;
        if (r.Height() == 0) (leading ? r.Top : r.Bottom) += leading ? -1 : 1;
        if (r.Contains(p)) return c;
    }
    return nullptr;
}

int TSplitter::ClampSize(int size) const {
    if (size > FMaxSize) size = FMaxSize;
    if (size < FMinSize) size = FAutoSnap && size < FMinSize / 2 ? 0 : FMinSize;
    return std::max(0, size);
}

bool TSplitter::CanResize(int& newSize) {
    bool accept = true;
    OnCanResize(this, newSize, accept);
    return accept;
}

TRect TSplitter::LineRect() const {
    int delta = FNewSize - FOldSize;
    if (Align() == alRight || Align() == alBottom) delta = -delta;
    bool vertical = Align() == alLeft || Align() == alRight;
    return vertical ? BoundsRect().Offset(delta, 0) : BoundsRect().Offset(0, delta);
}

void TSplitter::DrawLine() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated()) return;
    HDC dc = GetDCEx(parent->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (!dc) return;
    TRect r = LineRect();
    HGDIOBJ old = SelectObject(dc, HalftoneBrush());
    PatBlt(dc, r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
    SelectObject(dc, old);
    ReleaseDC(parent->Handle(), dc);
    FLineVisible = !FLineVisible;
}

void TSplitter::ApplySize() {
    if (!FControl) return;
    if (Align() == alLeft || Align() == alRight)
        FControl->SetWidth(FNewSize);
    else
        FControl->SetHeight(FNewSize);
    if (Parent()) Parent()->Update();
}

void TSplitter::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || HasState(csDesigning)) return;
    FControl = FindResizeControl();
    if (!FControl) return;
    TWinControl* parent = Parent();
    bool vertical = Align() == alLeft || Align() == alRight;
    // The room the parent has: its client extent less every other control aligned the same way.
    FMaxSize = (vertical ? parent->ClientWidth() : parent->ClientHeight()) - FMinSize;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        if (vertical && (c->Align() == alLeft || c->Align() == alRight)) FMaxSize -= c->Width();
        if (!vertical && (c->Align() == alTop || c->Align() == alBottom)) FMaxSize -= c->Height();
    }
    FOldSize = vertical ? FControl->Width() : FControl->Height();
    FMaxSize += FOldSize;
    FNewSize = FOldSize;
    FDownPos = {x, y};
    if (FResizeStyle == rsLine || FResizeStyle == rsPattern) DrawLine();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FControl) return;
    bool vertical = Align() == alLeft || Align() == alRight;
    int delta = vertical ? x - FDownPos.X : y - FDownPos.Y;
    if (Align() == alRight || Align() == alBottom) delta = -delta;
    int size = ClampSize(FOldSize + delta);
    if (size == FNewSize || !CanResize(size)) return;
    if (FResizeStyle == rsUpdate) {
        // The splitter moves with the control, so the mouse is now relative to a new place.
        FNewSize = size;
        ApplySize();
        return;
    }
    bool line = FResizeStyle == rsLine || FResizeStyle == rsPattern;
    if (line && FLineVisible) DrawLine();
    FNewSize = size;
    if (line) DrawLine();
}

void TSplitter::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FControl) return;
    StopSizing();
}

void TSplitter::StopSizing() {
    if (FLineVisible) DrawLine();
    if (FResizeStyle != rsUpdate) ApplySize();
    FControl = nullptr;
    OnMoved(this);
}

// ---------------------------------------------------------------------------------------------
// TCustomRadioGroup

DW_DEFINE_CLASS(TRadioGroupStrings) {}

void TRadioGroupStrings::Changed() {
    TStringList::Changed();
    if (FGroup) FGroup->ItemsChanged();
}

DW_DEFINE_CLASS(TCustomRadioGroup) {}

DW_DEFINE_CLASS(TRadioGroup) {
    PublishStd(c, {"Align", "Anchors", "BiDiMode", "Caption", "Color"});
    c.Property("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns).Default(1);
    PublishStd(c, {"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
    c.Property("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex).Default(-1);
    PublishStd(c, {"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnContextPopup", "OnDragDrop",
                   "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnStartDrag"});
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents};
    FItems.reset(New<TRadioGroupStrings>(this));
}

TCustomRadioGroup::~TCustomRadioGroup() = default;

void TCustomRadioGroup::ItemsChanged() {
    if (HasState(csLoading) || HasState(csReading)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
    FUpdating = true;
    {
        auto restore = ScopeExit([&] { FUpdating = false; });
        int count = FItems->Count();
        while (static_cast<int>(FButtons.size()) < count) {
            auto* button = New<TRadioButton>(this);
            button->SetDesigning(HasState(csDesigning));
            button->OnClick = MakeMethod<&TCustomRadioGroup::ButtonClick>(this);
            button->SetParentShowHint(false);
            button->SetParent(this);
            FButtons.push_back(button);
        }
        while (static_cast<int>(FButtons.size()) > count) {
            TRadioButton* button = FButtons.back();
            FButtons.pop_back();
            button->Free();
        }
        for (int i = 0; i < count; ++i) {
            TRadioButton* button = FButtons[static_cast<size_t>(i)];
            button->SetCaption(FItems->Get(i));
            button->SetEnabled(Enabled());
            button->SetChecked(i == FItemIndex);
        }
        ArrangeButtons();
    }
    Invalidate();
}

void TCustomRadioGroup::ArrangeButtons() {
    int count = static_cast<int>(FButtons.size());
    if (count == 0) return;
    int columns = std::max(1, FColumns);
    int perColumn = (count + columns - 1) / columns;
    int buttonWidth = (Width() - 10) / columns;
    int lineHeight = FontLineHeight(Font());
    int room = Height() - lineHeight - 5;
    int buttonHeight = room / perColumn;
    int topMargin = lineHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        TRadioButton* button = FButtons[static_cast<size_t>(i)];
        button->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                          buttonHeight);
        button->SetVisible(true);
    }
}

void TCustomRadioGroup::ButtonClick(TObject* sender) {
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), sender);
    if (it == FButtons.end() || !(*it)->Checked()) return;
    int index = static_cast<int>(it - FButtons.begin());
    if (index == FItemIndex) return;
    FItemIndex = index;
    Click();
}

void TCustomRadioGroup::SetItemIndex(int value) {
    if (HasState(csLoading) || HasState(csReading)) {
        FItemIndex = value;
        return;
    }
    if (value < -1 || value >= FItems->Count()) value = -1;
    if (value == FItemIndex) return;
    FUpdating = true;
    {
        auto restore = ScopeExit([&] { FUpdating = false; });
        if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
        FItemIndex = value;
        if (value >= 0 && value < ButtonCount()) FButtons[static_cast<size_t>(value)]->SetChecked(true);
    }
}

void TCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (FColumns == value) return;
    FColumns = value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::GetChildren(const TGetChildProc& proc, TComponent* root) {
    // The buttons are the group's own; Items and ItemIndex describe them.
    (void)proc, (void)root;
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    UpdateButtons();
}

void TCustomRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_ENABLEDCHANGED:
        TCustomGroupBox::Dispatch(message);
        for (TRadioButton* button : FButtons) button->SetEnabled(Enabled());
        return;
    case CM_FONTCHANGED:
        TCustomGroupBox::Dispatch(message);
        ArrangeButtons();
        return;
    default:
        TCustomGroupBox::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomControlBar

DW_DEFINE_CLASS(TCustomControlBar) {}

DW_DEFINE_CLASS(TControlBar) {
    PublishStd(c, {"Align", "Anchors"});
    c.Property("AutoDrag", &TControlBar::AutoDrag, &TControlBar::SetAutoDrag).Default(true);
    c.Property("AutoSize", &TControlBar::AutoSize, &TControlBar::SetAutoSize).Default(false);
    PublishStd(c, {"BevelEdges", "BevelInner", "BevelOuter", "BevelKind", "BevelWidth", "BorderWidth", "Color",
                   "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "ParentColor", "ParentFont",
                   "ParentShowHint", "PopupMenu"});
    c.Property("RowSize", &TControlBar::RowSize, &TControlBar::SetRowSize).Default(26);
    c.Property("RowSnap", &TControlBar::RowSnap, &TControlBar::SetRowSnap).Default(true);
    PublishStd(c, {"ShowHint", "TabOrder", "TabStop", "Visible"});
    c.Property("OnBandMove", &TControlBar::OnBandMove, &TControlBar::OnBandMove);
    PublishStd(c, {"OnCanResize", "OnClick", "OnConstrainedResize", "OnContextPopup", "OnDblClick", "OnDragDrop",
                   "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                   "OnResize", "OnStartDrag"});
}

TCustomControlBar::TCustomControlBar(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(clBtnFace);
    SetBounds(0, 0, 100, 50);
}

void TCustomControlBar::SetRowSize(int value) {
    value = std::max(value, 1);
    if (FRowSize == value) return;
    FRowSize = value;
    LayoutBands(nullptr);
    Invalidate();
}

void TCustomControlBar::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    TCustomControl::SetAutoSize(value);
    LayoutBands(nullptr);
}

TRect TCustomControlBar::BandRect(const TControl* control) const {
    return {control->Left() - GrabberSize, control->Top() - BandMargin, control->Left() + control->Width() + BandMargin,
            control->Top() + control->Height() + BandMargin};
}

int TCustomControlBar::RowOf(const TControl* control) const {
    return std::max(0, (control->Top() - BandMargin + FRowSize / 2) / FRowSize);
}

TControl* TCustomControlBar::BandAt(TPoint p, bool* onGrabber) const {
    for (int i = ControlCount() - 1; i >= 0; --i) {
        TControl* c = Controls(i);
        if (!c->DesignVisible()) continue;
        TRect band = BandRect(c);
        if (!band.Contains(p)) continue;
        if (onGrabber) *onGrabber = p.X < band.Left + GrabberSize;
        return c;
    }
    return nullptr;
}

int TCustomControlBar::RowCount() const {
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->DesignVisible()) bottom = std::max(bottom, BandRect(c).Bottom);
    }
    return (bottom + FRowSize - 1) / FRowSize;
}

void TCustomControlBar::LayoutBands(TControl* moved) {
    if (FLayingOut || HasState(csLoading) || HasState(csReading)) return;
    FLayingOut = true;
    {
        auto restore = ScopeExit([&] { FLayingOut = false; });
        // Each band stays in the row its top puts it in and spans as many rows as its height
        // needs; a band two rows high shares the lower row with the bands beside it, not below it.
        struct TBandPlace {
            TControl* Control;
            int Row;
            int Span;
        };
        std::vector<TBandPlace> places;
        std::set<int> usedRows;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->DesignVisible()) continue;
            int span = std::max(1, (BandRect(c).Height() + FRowSize - 1) / FRowSize);
            places.push_back({c, RowOf(c), span});
            for (int r = 0; r < span; ++r) usedRows.insert(places.back().Row + r);
        }
        // Rows no band reaches close up.
        std::map<int, int> rowIndex;
        for (int row : usedRows) rowIndex.emplace(row, static_cast<int>(rowIndex.size()));
        for (TBandPlace& place : places) place.Row = rowIndex[place.Row];
        // Left to right; a band is pushed right past the bands already placed in any row it shares.
        std::stable_sort(places.begin(), places.end(), [moved](const TBandPlace& a, const TBandPlace& b) {
            int la = a.Control->Left(), lb = b.Control->Left();
            if (la != lb) return la < lb;
            if ((a.Control == moved) != (b.Control == moved)) return a.Control == moved;
            return a.Row < b.Row;
        });
        std::vector<std::pair<TBandPlace, int>> placed; // with the band's new right edge
        int bottomRow = 0;
        for (const TBandPlace& place : places) {
            TControl* c = place.Control;
            TRect band = BandRect(c);
            int left = band.Left;
            for (const auto& [other, right] : placed)
                if (other.Row < place.Row + place.Span && place.Row < other.Row + other.Span)
                    left = std::max(left, right);
            int newLeft = left + GrabberSize, newTop = place.Row * FRowSize + BandMargin;
            if (c->Left() != newLeft || c->Top() != newTop) c->SetBounds(newLeft, newTop, c->Width(), c->Height());
            placed.push_back({place, left + band.Width()});
            bottomRow = std::max(bottomRow, place.Row + place.Span);
        }
        int y = bottomRow * FRowSize;
        if (FAutoSize) {
            TRect margins = NonClientMargins();
            int height = std::max(y, FRowSize) + margins.Top + margins.Bottom;
            if (height != Height()) SetBounds(Left(), Top(), Width(), height);
        }
    }
    Invalidate();
}

bool TCustomControlBar::CanAutoSize(int& newWidth, int& newHeight) {
    (void)newWidth;
    TRect margins = NonClientMargins();
    newHeight = std::max(RowCount(), 1) * FRowSize + margins.Top + margins.Bottom;
    return true;
}

void TCustomControlBar::AlignControls(TControl* control, TRect& rect) {
    // Bands are placed by rows; Align of the children does not apply here.
    (void)rect;
    LayoutBands(control);
}

void TCustomControlBar::DoBandMove(TControl* control, TRect& rect) {
    OnBandMove(this, control, rect);
}

void TCustomControlBar::MoveBand(TControl* control, TRect bandRect) {
    if (bandRect.Left < 0) bandRect = bandRect.Offset(-bandRect.Left, 0);
    if (bandRect.Top < 0) bandRect = bandRect.Offset(0, -bandRect.Top);
    DoBandMove(control, bandRect);
    int width = std::max(0, bandRect.Width() - GrabberSize - BandMargin);
    FLayingOut = true;
    {
        auto restore = ScopeExit([&] { FLayingOut = false; });
        control->SetBounds(bandRect.Left + GrabberSize, bandRect.Top + BandMargin, width, control->Height());
    }
    LayoutBands(control);
}

void TCustomControlBar::PaintBand(TControl* control, const TRect& rect) {
    (void)control;
    HDC dc = Canvas()->Handle();
    TRect frame = rect;
    DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    // The grabber: two raised bars.
    for (int i = 0; i < 2; ++i) {
        TRect bar{rect.Left + 2 + i * 3, rect.Top + 2, rect.Left + 5 + i * 3, rect.Bottom - 2};
        DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
    }
}

void TCustomControlBar::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(ClientRect());
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->DesignVisible()) PaintBand(c, BandRect(c));
    }
}

void TCustomControlBar::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FAutoDrag && !HasState(csDesigning)) {
        bool onGrabber = false;
        TControl* c = BandAt({x, y}, &onGrabber);
        if (c && onGrabber) {
            FDragControl = c;
            TRect band = BandRect(c);
            FDragOffset = {x - band.Left, y - band.Top};
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomControlBar::MouseMove(TShiftState shift, int x, int y) {
    if (FDragControl) {
        TRect band = BandRect(FDragControl);
        int rows = RowCount();
        // The band goes to the row under the mouse; below the last row starts a new one.
        int row = std::clamp(y / FRowSize, 0, std::max(rows, 0));
        int top = FRowSnap ? row * FRowSize : std::max(0, y - FDragOffset.Y);
        int left = std::max(0, x - FDragOffset.X);
        TRect target{left, top, left + band.Width(), top + band.Height()};
        if (target != band) MoveBand(FDragControl, target);
    } else {
        bool onGrabber = false;
        if (FAutoDrag && !HasState(csDesigning) && BandAt({x, y}, &onGrabber) && onGrabber)
            Screen->ApplyCursor(crSizeAll);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomControlBar::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FDragControl = nullptr;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomControlBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_CONTROLLISTCHANGE:
    case CM_CONTROLCHANGE:
        TCustomControl::Dispatch(message);
        LayoutBands(nullptr);
        return;
    case CM_CANCELMODE:
        FDragControl = nullptr;
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TBevel and TPaintBox

DW_DEFINE_CLASS(TBevel) {
    PublishStd(c, {"Align", "Anchors", "Constraints", "ParentShowHint"});
    c.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    PublishStd(c, {"ShowHint"});
    c.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    PublishStd(c, {"Visible"});
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle += csReplicatable;
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    if (FShape == value) return;
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    COLORREF first = ColorToRGB(FStyle == bsLowered ? clBtnShadow : clBtnHighlight);
    COLORREF second = ColorToRGB(FStyle == bsLowered ? clBtnHighlight : clBtnShadow);
    int w = Width(), h = Height();
    auto box = [dc](TRect r, COLORREF topLeft, COLORREF bottomRight) {
        FillSolidRect(dc, {r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
        FillSolidRect(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
        FillSolidRect(dc, {r.Right, r.Top, r.Right + 1, r.Bottom + 1}, bottomRight);
        FillSolidRect(dc, {r.Left, r.Bottom, r.Right + 1, r.Bottom + 1}, bottomRight);
    };
    switch (FShape) {
    case bsBox:
        box({0, 0, w - 1, h - 1}, first, second);
        break;
    case bsFrame:
        box({1, 1, w - 1, h - 1}, second, second);
        box({0, 0, w - 2, h - 2}, first, first);
        break;
    case bsTopLine:
        FillSolidRect(dc, {0, 0, w, 1}, first);
        FillSolidRect(dc, {0, 1, w, 2}, second);
        break;
    case bsBottomLine:
        FillSolidRect(dc, {0, h - 2, w, h - 1}, first);
        FillSolidRect(dc, {0, h - 1, w, h}, second);
        break;
    case bsLeftLine:
        FillSolidRect(dc, {0, 0, 1, h}, first);
        FillSolidRect(dc, {1, 0, 2, h}, second);
        break;
    case bsRightLine:
        FillSolidRect(dc, {w - 2, 0, w - 1, h}, first);
        FillSolidRect(dc, {w - 1, 0, w, h}, second);
        break;
    case bsSpacer:
        if (HasState(csDesigning)) DesignFrame(canvas, ClientRect());
        break;
    }
}

DW_DEFINE_CLASS(TPaintBox) {
    PublishStd(c, {"Align",        "Anchors",     "Color",     "Constraints", "DragCursor",     "DragKind",
                   "DragMode",     "Enabled",     "Font",      "ParentColor", "ParentFont",     "ParentShowHint",
                   "PopupMenu",    "ShowHint",    "Visible",   "OnClick",     "OnContextPopup", "OnDblClick",
                   "OnDragDrop",   "OnDragOver",  "OnEndDrag", "OnMouseDown", "OnMouseMove",    "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave"});
    c.Property("OnPaint", &TPaintBox::OnPaint, &TPaintBox::OnPaint);
    PublishStd(c, {"OnStartDrag"});
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle += csReplicatable;
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    if (HasState(csDesigning)) DesignFrame(canvas, ClientRect());
    canvas->Brush()->SetStyle(bsSolid);
    OnPaint(this);
}

} // namespace dw
