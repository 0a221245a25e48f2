// TCustomTabControl, TTabControl, TTabSheet and TPageControl.
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

namespace {
constexpr int ScrollerButton = 16;
}

// ---------------------------------------------------------------------------------------------
// TTabStrings

DW_DEFINE_CLASS(TTabStrings) {}

void TTabStrings::Changed() {
    TStringList::Changed();
    if (FTabControl) FTabControl->TabsChanged();
}

// ---------------------------------------------------------------------------------------------
// TCustomTabControl

DW_DEFINE_CLASS(TCustomTabControl) {}

DW_DEFINE_CLASS(TTabControl) {
    PublishStd(
        c, {"Align", "Anchors", "BiDiMode", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("HotTrack", &TTabControl::HotTrack, &TTabControl::SetHotTrack).Default(false);
    c.Property("Images", &TTabControl::Images, &TTabControl::SetImages);
    c.Property("MultiLine", &TTabControl::MultiLine, &TTabControl::SetMultiLine).Default(false);
    c.Property("MultiSelect", &TTabControl::MultiSelect, &TTabControl::SetMultiSelect).Default(false);
    PublishStd(c, {"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu"});
    c.Property("RaggedRight", &TTabControl::RaggedRight, &TTabControl::SetRaggedRight).Default(false);
    c.Property("ScrollOpposite", &TTabControl::ScrollOpposite, &TTabControl::SetScrollOpposite).Default(false);
    PublishStd(c, {"ShowHint"});
    c.Property("Style", &TTabControl::Style, &TTabControl::SetStyle).Default(tsTabs);
    c.Property("TabHeight", &TTabControl::TabHeight, &TTabControl::SetTabHeight).Default(0);
    PublishStd(c, {"TabOrder"});
    c.Property("TabPosition", &TTabControl::TabPosition, &TTabControl::SetTabPosition).Default(tpTop);
    c.Property("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
    c.Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
    c.Property("TabStop", &TTabControl::TabStop, &TTabControl::SetTabStop).Default(true);
    c.Property("TabWidth", &TTabControl::TabWidth, &TTabControl::SetTabWidth).Default(0);
    PublishStd(c, {"Visible"});
    c.Property("OnChange", &TTabControl::OnChange, &TTabControl::OnChange);
    c.Property("OnChanging", &TTabControl::OnChanging, &TTabControl::OnChanging);
    PublishStd(c, {"OnContextPopup", "OnDragDrop", "OnDragOver"});
    c.Property("OnDrawTab", &TTabControl::OnDrawTab, &TTabControl::OnDrawTab);
    PublishStd(c, {"OnEndDrag", "OnEnter", "OnExit"});
    c.Property("OnGetImageIndex", &TTabControl::OnGetImageIndex, &TTabControl::OnGetImageIndex);
    PublishStd(c,
               {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter", "OnMouseLeave", "OnResize", "OnStartDrag"});
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csDoubleClicks, csOpaque};
    FTabs.reset(New<TTabStrings>(this));
    FImageLink.reset(New<TChangeLink>());
    FImageLink->OnChange = MakeMethod<&TCustomTabControl::InvalidateLayoutEvent>(this);
    FTabStop = true;
    SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl() {
    if (FImages) FImages->UnRegisterChanges(FImageLink.get());
}

void TCustomTabControl::InvalidateLayoutEvent(TObject* sender) {
    (void)sender;
    InvalidateLayout();
}

void TCustomTabControl::InvalidateLayout() {
    FLayoutValid = false;
    if (HasState(csLoading) || HasState(csReading)) return;
    Realign();
    Invalidate();
}

void TCustomTabControl::TabsChanged() {
    if (!HasState(csLoading) && !HasState(csReading) && FTabIndex >= TabCount()) FTabIndex = TabCount() - 1;
    FFirstTab = std::clamp(FFirstTab, 0, std::max(0, TabCount() - 1));
    InvalidateLayout();
}

void TCustomTabControl::SetTabIndex(int value) {
    if (HasState(csLoading) || HasState(csReading)) {
        FTabIndex = value;
        return;
    }
    if (value < -1 || value >= TabCount()) value = -1;
    if (value == FTabIndex) return;
    FTabIndex = value;
    // Multiple rows move the selected one next to the frame.
    FLayoutValid = false;
    if (FMultiLine) Realign();
    if (value >= 0 && value < FFirstTab) FFirstTab = value;
    Invalidate();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
    if (FTabPosition == value) return;
    FTabPosition = value;
    InvalidateLayout();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (FMultiLine == value) return;
    FMultiLine = value;
    FFirstTab = 0;
    InvalidateLayout();
}

void TCustomTabControl::SetRaggedRight(bool value) {
    if (FRaggedRight == value) return;
    FRaggedRight = value;
    InvalidateLayout();
}

void TCustomTabControl::SetStyle(TTabStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    InvalidateLayout();
}

void TCustomTabControl::SetTabHeight(int value) {
    value = std::max(0, value);
    if (FTabHeight == value) return;
    FTabHeight = value;
    InvalidateLayout();
}

void TCustomTabControl::SetTabWidth(int value) {
    value = std::max(0, value);
    if (FTabWidth == value) return;
    FTabWidth = value;
    InvalidateLayout();
}

void TCustomTabControl::SetImages(TCustomImageList* value) {
    if (FImages == value) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = value;
    if (FImages) {
        FImages->RegisterChanges(FImageLink.get());
        FImages->FreeNotification(this);
    }
    InvalidateLayout();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        InvalidateLayout();
    }
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    OnChange(this);
}

int TCustomTabControl::GetImageIndex(int tabIndex) {
    int index = tabIndex;
    OnGetImageIndex(this, tabIndex, index);
    return index;
}

void TCustomTabControl::SelectTab(int index) {
    if (index < 0 || index >= TabCount() || index == FTabIndex) return;
    if (!CanChange()) return;
    SetTabIndex(index);
    Change();
}

// ---- layout

int TCustomTabControl::TabThickness() const {
    if (FTabHeight > 0) return FTabHeight;
    int h = FontLineHeight(Font()) + 5;
    if (FImages) h = std::max(h, FImages->Height() + 4);
    return h;
}

int TCustomTabControl::StripLength() const {
    TRect client = ClientRect();
    return FTabPosition == tpTop || FTabPosition == tpBottom ? client.Width() : client.Height();
}

int TCustomTabControl::StripThickness() const {
    EnsureLayout();
    if (TabCount() == 0) return 0;
    return FRows * TabThickness() + 2;
}

bool TCustomTabControl::ScrollerVisible() const {
    EnsureLayout();
    return FOverflow;
}

TRect TCustomTabControl::ScrollerRect() const {
    if (!ScrollerVisible()) return {};
    int length = StripLength();
    int thickness = StripThickness();
    int button = std::min(ScrollerButton, thickness - 2);
    TRect r{length - 2 * button, thickness - 2 - button, length, thickness - 2};
    return MapRect(r);
}

void TCustomTabControl::EnsureLayout() const {
    if (FLayoutValid) return;
    FLayoutValid = true;
    int count = TabCount();
    FPlaces.assign(static_cast<size_t>(count), TTabPlace{});
    FRows = 1;
    FOverflow = false;
    if (count == 0) return;
    int length = StripLength();
    int available = std::max(1, length - 4);
    TMeasureDC measure(Font());
    std::vector<int> widths(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        int w = FTabWidth;
        if (w <= 0) {
            w = measure.FormattedSize(TabCaption(i), DT_SINGLELINE).cx + 12;
            if (FImages) w += FImages->Width() + 3;
        }
        widths[static_cast<size_t>(i)] = std::max(w, 12);
    }
    // Rows of tabs in order: the first row holds the first tabs.
    std::vector<std::vector<int>> rows(1);
    int x = 0;
    for (int i = 0; i < count; ++i) {
        int w = widths[static_cast<size_t>(i)];
        if (FMultiLine && !rows.back().empty() && x + w > available) {
            rows.emplace_back();
            x = 0;
        }
        rows.back().push_back(i);
        x += w;
    }
    if (!FMultiLine && x > available) FOverflow = true;
    // The row holding the selected tab lies next to the frame; the others keep their order.
    int selectedRow = 0;
    for (size_t r = 0; r < rows.size(); ++r)
        if (std::find(rows[r].begin(), rows[r].end(), FTabIndex) != rows[r].end()) selectedRow = static_cast<int>(r);
    int rowCount = static_cast<int>(rows.size());
    FRows = rowCount;
    int thickness = TabThickness();
    int strip = rowCount * thickness + 2;
    for (int r = 0; r < rowCount; ++r) {
        const std::vector<int>& row = rows[static_cast<size_t>(r)];
        int place = (r - selectedRow + rowCount) % rowCount; // 0: next to the frame
        int rowWidth = 0;
        for (int i : row) rowWidth += widths[static_cast<size_t>(i)];
        // Rows of a multi-line control are stretched to the full length, unless ragged.
        int extra = FMultiLine && rowCount > 1 && !FRaggedRight ? std::max(0, available - rowWidth) : 0;
        int left = 2;
        int top = strip - (place + 1) * thickness;
        for (size_t k = 0; k < row.size(); ++k) {
            int i = row[k];
            int w = widths[static_cast<size_t>(i)] + (row.empty() ? 0 : extra / static_cast<int>(row.size())) +
                    (static_cast<int>(k) < extra % static_cast<int>(row.size()) ? 1 : 0);
            FPlaces[static_cast<size_t>(i)] = {{left, top, left + w, top + thickness}, place};
            left += w;
        }
    }
    if (FOverflow) {
        // Scrolled: the tabs before the first visible one are out of view.
        int shift = FPlaces[static_cast<size_t>(std::clamp(FFirstTab, 0, count - 1))].Rect.Left - 2;
        for (TTabPlace& p : FPlaces) p.Rect = p.Rect.Offset(-shift, 0);
    }
}

TRect TCustomTabControl::MapRect(const TRect& r) const {
    TRect client = ClientRect();
    switch (FTabPosition) {
    case tpTop:
        return r;
    case tpBottom:
        return {r.Left, client.Height() - r.Bottom, r.Right, client.Height() - r.Top};
    case tpLeft:
        return {r.Top, r.Left, r.Bottom, r.Right};
    case tpRight:
        return {client.Width() - r.Bottom, r.Left, client.Width() - r.Top, r.Right};
    }
    return r;
}

int TCustomTabControl::RowCount() const {
    EnsureLayout();
    return FRows;
}

TRect TCustomTabControl::TabRect(int index) const {
    EnsureLayout();
    if (index < 0 || index >= static_cast<int>(FPlaces.size())) return {};
    TRect r = FPlaces[static_cast<size_t>(index)].Rect;
    if (FOverflow && (index < FFirstTab || r.Left >= StripLength() - 2 * ScrollerButton)) return {};
    if (index == FTabIndex) r = {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1};
    return MapRect(r);
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
    TPoint p{x, y};
    if (ScrollerRect().Contains(p)) return -1;
    if (FTabIndex >= 0 && TabRect(FTabIndex).Contains(p)) return FTabIndex;
    for (int i = 0; i < TabCount(); ++i)
        if (TabRect(i).Contains(p)) return i;
    return -1;
}

void TCustomTabControl::ScrollTabs(int delta) {
    int value = std::clamp(FFirstTab + delta, 0, std::max(0, TabCount() - 1));
    if (value == FFirstTab) return;
    FFirstTab = value;
    FLayoutValid = false;
    Invalidate();
}

TRect TCustomTabControl::DisplayRect() const {
    TRect client = ClientRect();
    int strip = StripThickness();
    TRect frame{0, strip, StripLength(),
                FTabPosition == tpTop || FTabPosition == tpBottom ? client.Height() : client.Width()};
    TRect r = MapRect(frame).Inflate(-4, -4);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& rect) const {
    rect = DisplayRect();
}

void TCustomTabControl::Resize() {
    FLayoutValid = false;
    TCustomControl::Resize();
    Invalidate();
}

// ---- painting

void TCustomTabControl::DrawTabText(TCanvas* canvas, int index, const TRect& rect) {
    String caption = TabCaption(index);
    int imageIndex = FImages ? GetImageIndex(index) : -1;
    bool vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
    canvas->SetFont(Font());
    if (!vertical) {
        TRect text = rect;
        if (imageIndex >= 0 && FImages) {
            TSize size = TMeasureDC(Font()).FormattedSize(caption, DT_SINGLELINE);
            int total = FImages->Width() + 3 + size.cx;
            int left = rect.Left + (rect.Width() - total) / 2;
            FImages->Draw(canvas, left, rect.Top + (rect.Height() - FImages->Height()) / 2, imageIndex, Enabled());
            text.Left = left + FImages->Width() + 3;
            DrawCaption(canvas, caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, Enabled());
        } else {
            DrawCaption(canvas, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
        }
        return;
    }
    // Sideways text: drawn into a bitmap and turned a quarter round.
    TSize size = TMeasureDC(Font()).FormattedSize(caption, DT_SINGLELINE);
    if (size.cx <= 0 || size.cy <= 0) return;
    auto flat = MakeObject<TBitmap>(size.cx, size.cy);
    TCanvas* fc = flat->Canvas();
    fc->Brush()->SetColor(clBtnFace);
    fc->FillRect({0, 0, size.cx, size.cy});
    fc->SetFont(Font());
    TRect all{0, 0, size.cx, size.cy};
    DrawCaption(fc, caption, all, DT_LEFT | DT_SINGLELINE, Enabled());
    auto turned = MakeObject<TBitmap>(size.cy, size.cx);
    for (int y = 0; y < size.cx; ++y) {
        TPixel* out = turned->ScanLine(y);
        for (int x = 0; x < size.cy; ++x) {
            // Left tabs read from bottom to top, right tabs from top to bottom.
            int sx = FTabPosition == tpLeft ? size.cx - 1 - y : y;
            int sy = FTabPosition == tpLeft ? x : size.cy - 1 - x;
            out[x] = flat->Surface()->Row(sy)[sx];
        }
    }
    turned->SetModified(true);
    canvas->Draw(rect.Left + (rect.Width() - size.cy) / 2, rect.Top + (rect.Height() - size.cx) / 2, turned.get());
}

void TCustomTabControl::DrawTab(int tabIndex, const TRect& rect, bool active) {
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect inner = rect;
    if (FStyle != tsTabs) {
        TRect face = rect;
        if (FStyle == tsButtons) {
            DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (active ? DFCS_PUSHED : 0));
            if (active) FillRect(dc, &face, DitherBrush());
        } else if (active) {
            DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT);
        }
    } else {
        COLORREF light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow), dark = ColorToRGB(cl3DDkShadow);
        FillSolidRect(dc, rect, ColorToRGB(clBtnFace));
        int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
        // The edges facing away from the frame, with clipped corners.
        switch (FTabPosition) {
        case tpTop:
            FillSolidRect(dc, {l, t + 2, l + 1, b}, light);
            FillSolidRect(dc, {l + 1, t + 1, l + 2, t + 2}, light);
            FillSolidRect(dc, {l + 2, t, r - 2, t + 1}, light);
            FillSolidRect(dc, {r - 2, t + 1, r - 1, t + 2}, dark);
            FillSolidRect(dc, {r - 2, t + 2, r - 1, b}, shadow);
            FillSolidRect(dc, {r - 1, t + 2, r, b}, dark);
            break;
        case tpBottom:
            FillSolidRect(dc, {l, t, l + 1, b - 2}, light);
            FillSolidRect(dc, {l + 1, b - 2, l + 2, b - 1}, dark);
            FillSolidRect(dc, {l + 2, b - 2, r - 2, b - 1}, shadow);
            FillSolidRect(dc, {l + 2, b - 1, r - 2, b}, dark);
            FillSolidRect(dc, {r - 2, b - 2, r - 1, b - 1}, dark);
            FillSolidRect(dc, {r - 2, t, r - 1, b - 2}, shadow);
            FillSolidRect(dc, {r - 1, t, r, b - 2}, dark);
            break;
        case tpLeft:
            FillSolidRect(dc, {l + 2, t, r, t + 1}, light);
            FillSolidRect(dc, {l + 1, t + 1, l + 2, t + 2}, light);
            FillSolidRect(dc, {l, t + 2, l + 1, b - 2}, light);
            FillSolidRect(dc, {l + 1, b - 2, l + 2, b - 1}, dark);
            FillSolidRect(dc, {l + 2, b - 2, r, b - 1}, shadow);
            FillSolidRect(dc, {l + 2, b - 1, r, b}, dark);
            break;
        case tpRight:
            FillSolidRect(dc, {l, t, r - 2, t + 1}, light);
            FillSolidRect(dc, {r - 2, t + 1, r - 1, t + 2}, dark);
            FillSolidRect(dc, {r - 2, t + 2, r - 1, b - 2}, shadow);
            FillSolidRect(dc, {r - 1, t + 2, r, b - 2}, dark);
            FillSolidRect(dc, {r - 2, b - 2, r - 1, b - 1}, dark);
            FillSolidRect(dc, {l, b - 2, r - 2, b - 1}, shadow);
            FillSolidRect(dc, {l, b - 1, r - 2, b}, dark);
            break;
        }
        inner = rect.Inflate(-2, -2);
        if (!active) {
            if (FTabPosition == tpTop) inner = inner.Offset(0, 1);
            if (FTabPosition == tpBottom) inner = inner.Offset(0, -1);
        }
    }
    DrawTabText(canvas, tabIndex, inner);
    if (active && Focused() && !HasState(csDesigning)) canvas->DrawFocusRect(rect.Inflate(-3, -3));
}

void TCustomTabControl::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect client = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    EnsureLayout();
    int count = TabCount();
    if (FStyle == tsTabs) {
        int strip = StripThickness();
        TRect frame = MapRect({0, strip, StripLength(),
                               FTabPosition == tpTop || FTabPosition == tpBottom ? client.Height() : client.Width()});
        DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    // Tabs are clipped to the strip (and off the scroller); the selected one last, over the frame.
    int saved = SaveDC(dc);
    TRect scroller = ScrollerRect();
    if (!scroller.IsEmpty()) {
        int cut = StripLength() - 2 * ScrollerButton;
        TRect clip = MapRect({0, 0, cut, StripThickness() + 1});
        IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    }
    for (int i = 0; i < count; ++i) {
        if (i == FTabIndex) continue;
        TRect r = TabRect(i);
        if (!r.IsEmpty()) DrawTab(i, r, false);
    }
    if (FTabIndex >= 0 && FTabIndex < count) {
        TRect r = TabRect(FTabIndex);
        if (!r.IsEmpty()) DrawTab(FTabIndex, r, true);
    }
    RestoreDC(dc, saved);
    canvas->Refresh();
    if (!scroller.IsEmpty()) {
        bool horizontal = FTabPosition == tpTop || FTabPosition == tpBottom;
        TRect first = scroller, second = scroller;
        if (horizontal) {
            first.Right = second.Left = scroller.Left + scroller.Width() / 2;
        } else {
            first.Bottom = second.Top = scroller.Top + scroller.Height() / 2;
        }
        UINT back = horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP, fwd = horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
        DrawFrameControl(dc, &first, DFC_SCROLL, back | (FFirstTab == 0 ? DFCS_INACTIVE : 0));
        DrawFrameControl(dc, &second, DFC_SCROLL, fwd | (FFirstTab >= count - 1 ? DFCS_INACTIVE : 0));
    }
}

// ---- input

void TCustomTabControl::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        TRect scroller = ScrollerRect();
        if (scroller.Contains({x, y})) {
            bool horizontal = FTabPosition == tpTop || FTabPosition == tpBottom;
            bool back =
                horizontal ? x < scroller.Left + scroller.Width() / 2 : y < scroller.Top + scroller.Height() / 2;
            ScrollTabs(back ? -1 : 1);
        } else {
            int index = IndexOfTabAt(x, y);
            if (index >= 0) {
                if (!HasState(csDesigning) && !Focused() && CanFocus() && FTabStop) SetFocus();
                SelectTab(index);
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomTabControl::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || HasState(csDesigning) || TabCount() == 0) return;
    int count = TabCount();
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        SelectTab(std::max(0, FTabIndex - 1));
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SelectTab(std::min(count - 1, FTabIndex + 1));
        break;
    default:
        return;
    }
    key = 0;
}

void TCustomTabControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DESIGNHITTEST: {
        // The tabs stay usable while the control is designed.
        TWMMouse mouse(message);
        message.Result = IndexOfTabAt(mouse.XPos(), mouse.YPos()) >= 0 || ScrollerRect().Contains(mouse.Pos());
        return;
    }
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case CM_DIALOGKEY: {
        TWMKey key(message);
        if (key.CharCode() == VK_TAB && KeyDataToShiftState(key.KeyData()).Contains(ssCtrl) && ContainsFocus() &&
            TabCount() > 0) {
            bool back = KeyDataToShiftState(key.KeyData()).Contains(ssShift);
            SelectTab((FTabIndex + (back ? TabCount() - 1 : 1)) % TabCount());
            message.Result = 1;
            return;
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        InvalidateLayout();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TTabSheet

DW_DEFINE_CLASS(TTabSheet) {
    PublishStd(c, {"BorderWidth", "Caption", "DragMode", "Enabled", "Font"});
    c.Property("Height", &TTabSheet::Height, &TTabSheet::SetHeight).Stored(false);
    c.Property("Highlighted", &TTabSheet::Highlighted, &TTabSheet::SetHighlighted).Default(false);
    c.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(0);
    c.Property("Left", &TTabSheet::Left, &TTabSheet::SetLeft).Stored(false);
    PublishStd(c, {"Constraints"});
    c.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    PublishStd(c, {"ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
    c.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    c.Property("Top", &TTabSheet::Top, &TTabSheet::SetTop).Stored(false);
    c.Property("Visible", &TTabSheet::Visible, &TTabSheet::SetVisible).Stored(false);
    c.Property("Width", &TTabSheet::Width, &TTabSheet::SetWidth).Stored(false);
    PublishStd(c, {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit"});
    c.Property("OnHide", &TTabSheet::OnHide, &TTabSheet::OnHide);
    PublishStd(c, {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
    c.Property("OnShow", &TTabSheet::OnShow, &TTabSheet::OnShow);
    PublishStd(c, {"OnStartDrag"});
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    // Only the active page shows, also at design time.
    FControlStyle = TControlStyle{csAcceptsControls, csNoDesignVisible, csCaptureMouse, csClickEvents, csDoubleClicks};
    FVisible = false;
    FAlign = alClient;
}

void TTabSheet::BeforeDestruction() {
    if (FPageControl) FPageControl->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (FPageControl == value) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(value);
    if (value) value->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* value) {
    if (auto* pages = As<TPageControl>(value)) {
        SetPageControl(pages);
        return;
    }
    TWinControl::SetParentComponent(value);
}

void TTabSheet::ReadState(TReader* reader) {
    TWinControl::ReadState(reader);
    if (auto* pages = As<TPageControl>(reader->Parent())) SetPageControl(pages);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl) FPageControl->MovePage(this, value);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (FTabVisible == value) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int value) {
    if (FImageIndex == value) return;
    FImageIndex = value;
    if (FPageControl) FPageControl->Invalidate();
}

void TTabSheet::PaintWindow(HDC dc) {
    (void)dc;
}

void TTabSheet::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        TWinControl::Dispatch(message);
        if (FPageControl) FPageControl->UpdateTabs();
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TPageControl

DW_DEFINE_CLASS(TPageControl) {
    c.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    PublishStd(
        c, {"Align", "Anchors", "BiDiMode", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
    c.Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack).Default(false);
    c.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
    c.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(false);
    PublishStd(c, {"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu"});
    c.Property("RaggedRight", &TPageControl::RaggedRight, &TPageControl::SetRaggedRight).Default(false);
    c.Property("ScrollOpposite", &TPageControl::ScrollOpposite, &TPageControl::SetScrollOpposite).Default(false);
    PublishStd(c, {"ShowHint"});
    c.Property("Style", &TPageControl::Style, &TPageControl::SetStyle).Default(tsTabs);
    c.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
    PublishStd(c, {"TabOrder"});
    c.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition).Default(tpTop);
    c.Property("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop).Default(true);
    c.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
    PublishStd(c, {"Visible"});
    c.Property("OnChange", &TPageControl::OnChange, &TPageControl::OnChange);
    c.Property("OnChanging", &TPageControl::OnChanging, &TPageControl::OnChanging);
    PublishStd(c, {"OnContextPopup", "OnDragDrop", "OnDragOver"});
    c.Property("OnDrawTab", &TPageControl::OnDrawTab, &TPageControl::OnDrawTab);
    PublishStd(c, {"OnEndDrag", "OnEnter", "OnExit"});
    c.Property("OnGetImageIndex", &TPageControl::OnGetImageIndex, &TPageControl::OnGetImageIndex);
    PublishStd(c, {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDrag"});
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {
    FControlStyle -= csAcceptsControls;
}

void TPageControl::BeforeDestruction() {
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
    TCustomTabControl::BeforeDestruction();
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError(Format("Page index %d out of bounds (0 to %d)", index, PageCount() - 1));
    return FPages[static_cast<size_t>(index)];
}

int TPageControl::TabCount() const {
    int n = 0;
    for (TTabSheet* page : FPages) n += page->TabVisible() ? 1 : 0;
    return n;
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* page : FPages)
        if (page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

String TPageControl::TabCaption(int index) const {
    TTabSheet* page = PageOfTab(index);
    return page ? page->Caption() : String();
}

int TPageControl::GetImageIndex(int tabIndex) {
    TTabSheet* page = PageOfTab(tabIndex);
    int index = page ? page->ImageIndex() : tabIndex;
    OnGetImageIndex(this, tabIndex, index);
    return index;
}

void TPageControl::UpdateTabs() {
    {
        // Tabs mirrors the visible pages for those who read captions through it.
        TStringsUpdate update(*FTabs);
        FTabs->Clear();
        for (TTabSheet* page : FPages)
            if (page->TabVisible()) FTabs->AddObject(page->Caption(), page);
    }
    FTabIndex = FActivePage ? FActivePage->TabIndex() : -1;
    InvalidateLayout();
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(FPages.begin(), FPages.end(), page) != FPages.end()) return;
    FPages.push_back(page);
    page->FPageControl = this;
    UpdateTabs();
    if (!FActivePage && !HasState(csLoading) && !HasState(csReading)) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, false) : FActivePage;
    if (next == page) next = nullptr;
    if (page == FActivePage) FActivePage = nullptr;
    FPages.erase(std::find(FPages.begin(), FPages.end(), page));
    page->FPageControl = nullptr;
    if (next && !HasState(csDestroying)) ChangeActivePage(next);
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, page);
    UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    if (page == FActivePage) return;
    ChangeActivePage(page);
}

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(value >= 0 && value < PageCount() ? FPages[static_cast<size_t>(value)] : nullptr);
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    TTabSheet* old = FActivePage;
    TCustomForm* form = GetParentForm(this);
    bool focusInOld = form && old && old->ContainsFocus();
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
    }
    FActivePage = page;
    if (old && old != page) {
        old->SetVisible(false);
        old->OnHide(old);
    }
    if (page && page != old) page->OnShow(page);
    if (focusInOld) {
        if (page && page->CanFocus())
            page->SelectNext(nullptr, true, true);
        else if (CanFocus())
            SetFocus();
    }
    FTabIndex = page ? page->TabIndex() : -1;
    InvalidateLayout();
}

void TPageControl::Change() {
    TTabSheet* page = PageOfTab(FTabIndex);
    if (page && page != FActivePage) ChangeActivePage(page);
    TCustomTabControl::Change();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), current);
    int start = it == FPages.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = (i + (goForward ? 1 : count - 1)) % count;
        TTabSheet* page = FPages[static_cast<size_t>(i)];
        if (!checkTabVisible || page->TabVisible()) return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (page && page != FActivePage && CanChange()) {
        ChangeActivePage(page);
        TCustomTabControl::Change();
    }
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TTabSheet* page : FPages)
        if (page->Owner() == root) proc(page);
}

void TPageControl::SetChildOrder(TComponent* child, int order) {
    if (auto* page = As<TTabSheet>(child)) page->SetPageIndex(order);
}

void TPageControl::ShowControl(TControl* control) {
    for (TControl* c = control; c; c = c->Parent()) {
        if (auto* page = As<TTabSheet>(c); page && page->FPageControl == this) {
            SetActivePage(page);
            break;
        }
    }
    TCustomTabControl::ShowControl(control);
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TCustomTabControl::Notification(component, operation);
    if (operation == opRemove && component == FActivePage) FActivePage = nullptr;
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    TCustomTabControl::AlignControls(control, rect);
    if (FSizingPages || HasState(csLoading) || HasState(csReading)) return;
    // Hidden pages are not laid out, but they keep the display area's bounds all the same.
    FSizingPages = true;
    {
        auto restore = ScopeExit([&] { FSizingPages = false; });
        TRect display = DisplayRect();
        for (TTabSheet* page : FPages)
            if (page->BoundsRect() != display)
                page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
    }
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    for (TTabSheet* page : FPages) page->SetVisible(page == FActivePage);
    UpdateTabs();
    Realign();
}

} // namespace dw
