// TListBoxStrings, TCustomListBox and TListBox.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"

#include <algorithm>
#include <cctype>

namespace dw {

// ---------------------------------------------------------------------------------------------
// TListBoxStrings

DW_DEFINE_CLASS(TListBoxStrings) {}

int TListBoxStrings::Add(const String& s) {
    return AddObject(s, nullptr);
}

int TListBoxStrings::AddObject(const String& s, TObject* obj) {
    int before = Count();
    int index = TStringList::AddObject(s, obj);
    if (FListBox && Count() > before) FListBox->ItemInserted(index);
    return index;
}

void TListBoxStrings::Insert(int index, const String& s) {
    InsertObject(index, s, nullptr);
}

void TListBoxStrings::InsertObject(int index, const String& s, TObject* obj) {
    TStringList::InsertObject(index, s, obj);
    if (FListBox) FListBox->ItemInserted(index);
}

void TListBoxStrings::Delete(int index) {
    TStringList::Delete(index);
    if (FListBox) FListBox->ItemDeleted(index);
}

void TListBoxStrings::Clear() {
    TStringList::Clear();
    if (FListBox) FListBox->ItemsCleared();
}

void TListBoxStrings::Exchange(int index1, int index2) {
    TStringList::Exchange(index1, index2);
    if (FListBox) FListBox->ItemsExchanged(index1, index2);
}

void TListBoxStrings::Move(int curIndex, int newIndex) {
    TStringList::Move(curIndex, newIndex);
    if (FListBox) FListBox->ItemsMoved(curIndex, newIndex);
}

void TListBoxStrings::Changed() {
    TStringList::Changed();
    if (FListBox) FListBox->ItemsChanged();
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

DW_DEFINE_CLASS(TCustomListBox) {}

DW_DEFINE_CLASS(TListBox) {
    PublishStd(c, {"Align", "Anchors", "BiDiMode"});
    c.Property("BorderStyle", &TListBox::BorderStyle, &TListBox::SetBorderStyle)
        .Type(BorderStyleTypeInfo())
        .Default(bsSingle);
    PublishStd(c, {"Color"});
    c.Property("Columns", &TListBox::Columns, &TListBox::SetColumns).Default(0);
    PublishStd(c, {"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled"});
    c.Property("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect).Default(true);
    PublishStd(c, {"Font"});
    c.Property("IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight).Default(false);
    c.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight).Default(16);
    c.Property("Items", &TListBox::Items, &TListBox::SetItems);
    c.Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect).Default(false);
    PublishStd(
        c, {"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
    c.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted).Default(false);
    c.Property("Style", &TListBox::Style, &TListBox::SetStyle).Default(lbStandard);
    PublishStd(c, {"TabOrder"});
    c.Property("TabStop", &TListBox::TabStop, &TListBox::SetTabStop).Default(true);
    PublishStd(c, {"Visible", "OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver"});
    c.Property("OnDrawItem", &TListBox::OnDrawItem, &TListBox::OnDrawItem);
    PublishStd(c, {"OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    c.Property("OnMeasureItem", &TListBox::OnMeasureItem, &TListBox::OnMeasureItem);
    PublishStd(c, {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter", "OnMouseLeave", "OnStartDrag"});
}

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csOpaque};
    FItems.reset(New<TListBoxStrings>(this));
    FParentColor = false;
    FTabStop = true;
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomListBox::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBar();
}

// ---- items and selection

void TCustomListBox::ItemInserted(int index) {
    FSelected.resize(static_cast<size_t>(std::max(0, Count() - 1)), 0);
    FSelected.insert(FSelected.begin() + std::clamp(index, 0, static_cast<int>(FSelected.size())), 0);
    if (index <= FItemIndex) ++FItemIndex;
    if (index <= FAnchorIndex) ++FAnchorIndex;
    FTopsValid = false;
}

void TCustomListBox::ItemDeleted(int index) {
    if (index >= 0 && index < static_cast<int>(FSelected.size())) FSelected.erase(FSelected.begin() + index);
    FSelected.resize(static_cast<size_t>(Count()), 0);
    if (index == FItemIndex)
        FItemIndex = -1;
    else if (index < FItemIndex)
        --FItemIndex;
    if (index == FAnchorIndex)
        FAnchorIndex = -1;
    else if (index < FAnchorIndex)
        --FAnchorIndex;
    FTopsValid = false;
    ItemsChanged();
}

void TCustomListBox::ItemsMoved(int from, int to) {
    if (from < 0 || to < 0 || from >= static_cast<int>(FSelected.size()) || to >= static_cast<int>(FSelected.size()))
        return;
    char sel = FSelected[static_cast<size_t>(from)];
    FSelected.erase(FSelected.begin() + from);
    FSelected.insert(FSelected.begin() + to, sel);
    if (FItemIndex == from)
        FItemIndex = to;
    else if (from < FItemIndex && FItemIndex <= to)
        --FItemIndex;
    else if (to <= FItemIndex && FItemIndex < from)
        ++FItemIndex;
    FTopsValid = false;
    ItemsChanged();
}

void TCustomListBox::ItemsExchanged(int index1, int index2) {
    FSelected.resize(static_cast<size_t>(Count()), 0);
    if (index1 >= 0 && index2 >= 0 && index1 < Count() && index2 < Count())
        std::swap(FSelected[static_cast<size_t>(index1)], FSelected[static_cast<size_t>(index2)]);
    if (FItemIndex == index1)
        FItemIndex = index2;
    else if (FItemIndex == index2)
        FItemIndex = index1;
    ItemsChanged();
}

void TCustomListBox::ItemsCleared() {
    FSelected.clear();
    FItemIndex = -1;
    FAnchorIndex = -1;
    FTopIndex = 0;
    FTopsValid = false;
    ItemsChanged();
}

void TCustomListBox::ItemsChanged() {
    FTopsValid = false;
    if (FItemIndex >= Count()) FItemIndex = -1;
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::SetItemIndex(int value) {
    if (value < -1 || value >= Count()) value = -1;
    if (FMultiSelect) {
        FItemIndex = value;
        if (value >= 0) SetSelected(value, true);
    } else if (value != FItemIndex) {
        FItemIndex = value;
        Invalidate();
    }
    if (value >= 0) MakeVisible(value);
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    if (!FMultiSelect) return index == FItemIndex;
    return static_cast<size_t>(index) < FSelected.size() && FSelected[static_cast<size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    if (!FMultiSelect) {
        if (value)
            SetItemIndex(index);
        else if (index == FItemIndex)
            SetItemIndex(-1);
        return;
    }
    FSelected.resize(static_cast<size_t>(Count()), 0);
    if (static_cast<bool>(FSelected[static_cast<size_t>(index)]) == value) return;
    FSelected[static_cast<size_t>(index)] = value ? 1 : 0;
    Invalidate();
}

int TCustomListBox::SelCount() const {
    if (!FMultiSelect) return FItemIndex >= 0 ? 1 : 0;
    int n = 0;
    for (size_t i = 0; i < FSelected.size() && i < static_cast<size_t>(Count()); ++i) n += FSelected[i] ? 1 : 0;
    return n;
}

void TCustomListBox::SelectAll() {
    if (!FMultiSelect) return;
    FSelected.assign(static_cast<size_t>(Count()), 1);
    Invalidate();
}

void TCustomListBox::ClearSelection() {
    if (FMultiSelect) {
        FSelected.assign(static_cast<size_t>(Count()), 0);
        Invalidate();
    } else {
        SetItemIndex(-1);
    }
}

void TCustomListBox::DeleteSelected() {
    TStringsUpdate update(*FItems);
    for (int i = Count() - 1; i >= 0; --i)
        if (Selected(i)) FItems->Delete(i);
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (FMultiSelect == value) return;
    FMultiSelect = value;
    FSelected.assign(static_cast<size_t>(Count()), 0);
    if (value && FItemIndex >= 0) FSelected[static_cast<size_t>(FItemIndex)] = 1;
    Invalidate();
}

void TCustomListBox::SetSorted(bool value) {
    if (FItems->Sorted() == value) return;
    FItems->SetSorted(value);
    // Sorting moves items under the selection; start afresh.
    FSelected.assign(static_cast<size_t>(Count()), 0);
    FItemIndex = -1;
    ItemsChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    ItemsChanged();
}

int TCustomListBox::ItemHeight() const {
    if (FStyle == lbStandard) return FontLineHeight(Font());
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value) {
    if (value < 1 || value == FItemHeight) return;
    FItemHeight = value;
    ItemsChanged();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

// ---- geometry

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

int TCustomListBox::ItemHeightOf(int index) {
    if (FStyle != lbOwnerDrawVariable) return ItemHeight();
    int height = FItemHeight;
    MeasureItem(index, height);
    return std::max(1, height);
}

namespace {
int ItemTop(std::vector<int>& tops, bool& valid, int count, const std::function<int(int)>& heightOf, int index) {
    if (!valid) {
        tops.assign(static_cast<size_t>(count) + 1, 0);
        for (int i = 0; i < count; ++i) tops[static_cast<size_t>(i) + 1] = tops[static_cast<size_t>(i)] + heightOf(i);
        valid = true;
    }
    return tops[static_cast<size_t>(std::clamp(index, 0, count))];
}
} // namespace

TRect TCustomListBox::ItemRect(int index) {
    TRect client = ClientRect();
    if (FStyle != lbOwnerDrawVariable) {
        int h = ItemHeight();
        int top = (index - FTopIndex) * h;
        return {0, top, client.Width(), top + h};
    }
    auto heightOf = [this](int i) { return ItemHeightOf(i); };
    int origin = ItemTop(FTops, FTopsValid, Count(), heightOf, FTopIndex);
    int top = ItemTop(FTops, FTopsValid, Count(), heightOf, index) - origin;
    int h = index >= 0 && index < Count() ? ItemHeightOf(index) : ItemHeight();
    return {0, top, client.Width(), top + h};
}

int TCustomListBox::VisibleCount() {
    int clientHeight = ClientRect().Height();
    if (FStyle != lbOwnerDrawVariable) return std::max(1, clientHeight / std::max(1, ItemHeight()));
    int n = 0, y = 0;
    for (int i = FTopIndex; i < Count(); ++i) {
        y += ItemHeightOf(i);
        if (y > clientHeight) break;
        ++n;
    }
    return std::max(1, n);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
    if (pos.Y < 0) return -1;
    int y = 0;
    for (int i = FTopIndex; i < Count(); ++i) {
        int h = ItemHeightOf(i);
        if (pos.Y < y + h) return i;
        y += h;
        if (y > ClientRect().Height() + h) break;
    }
    return existing ? -1 : Count();
}

void TCustomListBox::SetTopIndex(int value) {
    int count = Count();
    // The last item may not be scrolled above the bottom edge.
    int maxTop = 0;
    if (FStyle != lbOwnerDrawVariable) {
        maxTop = std::max(0, count - std::max(1, ClientRect().Height() / std::max(1, ItemHeight())));
    } else {
        int clientHeight = ClientRect().Height(), y = 0;
        maxTop = count;
        while (maxTop > 0 && y + ItemHeightOf(maxTop - 1) <= clientHeight) y += ItemHeightOf(--maxTop);
    }
    value = std::clamp(value, 0, maxTop);
    if (value == FTopIndex) return;
    FTopIndex = value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::MakeVisible(int index) {
    if (index < 0 || index >= Count()) return;
    if (index < FTopIndex) {
        SetTopIndex(index);
        return;
    }
    int clientHeight = ClientRect().Height();
    int top = FTopIndex;
    while (top < index && ItemRect(index).Bottom > clientHeight) {
        SetTopIndex(++top);
        if (FTopIndex != top) break;
    }
}

void TCustomListBox::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, Count() - 1);
    info.nPage = static_cast<UINT>(VisibleCount());
    info.nPos = FTopIndex;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

void TCustomListBox::Resize() {
    TCustomControl::Resize();
    FTopsValid = false;
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

// ---- painting

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (FStyle != lbStandard && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    int lineHeight = FontLineHeight(Font());
    canvas->TextRect(rect, rect.Left + 2, rect.Top + (rect.Height() - lineHeight) / 2, FItems->Get(index));
}

void TCustomListBox::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
    bool focused = Focused() && !HasState(csDesigning);
    for (int i = FTopIndex; i < Count(); ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= client.Bottom) break;
        TOwnerDrawState state;
        bool selected = FMultiSelect ? (static_cast<size_t>(i) < FSelected.size() && FSelected[static_cast<size_t>(i)])
                                     : i == FItemIndex;
        if (selected) state += odSelected;
        if (focused && i == FItemIndex) state += odFocused;
        if (!Enabled()) state += odDisabled;
        canvas->SetFont(Font());
        if (selected) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
        } else {
            canvas->Brush()->SetColor(Color());
            if (!Enabled()) canvas->Font()->SetColor(clGrayText);
        }
        canvas->Brush()->SetStyle(bsSolid);
        DrawItem(i, r, state);
        if (state.Contains(odFocused)) canvas->DrawFocusRect(r);
    }
    if (focused && (FItemIndex < 0 || Count() == 0)) {
        TRect r = ItemRect(std::max(0, FTopIndex));
        canvas->DrawFocusRect(r);
    }
}

// ---- input

void TCustomListBox::SelectionChanged() {
    Click();
}

void TCustomListBox::UserSelect(int index, TShiftState shift) {
    if (index < 0 || index >= Count()) return;
    if (!FMultiSelect) {
        MakeVisible(index);
        if (index == FItemIndex) return;
        FItemIndex = index;
        Invalidate();
        SelectionChanged();
        return;
    }
    FSelected.resize(static_cast<size_t>(Count()), 0);
    if (FExtendedSelect && shift.Contains(ssShift) && FAnchorIndex >= 0) {
        if (!shift.Contains(ssCtrl)) std::fill(FSelected.begin(), FSelected.end(), 0);
        for (int i = std::min(FAnchorIndex, index); i <= std::max(FAnchorIndex, index); ++i)
            FSelected[static_cast<size_t>(i)] = 1;
    } else if (FExtendedSelect && !shift.Contains(ssCtrl)) {
        std::fill(FSelected.begin(), FSelected.end(), 0);
        FSelected[static_cast<size_t>(index)] = 1;
        FAnchorIndex = index;
    }
    FItemIndex = index;
    MakeVisible(index);
    Invalidate();
    SelectionChanged();
}

void TCustomListBox::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning)) {
        if (!Focused() && CanFocus()) SetFocus();
        int index = ItemAtPos({x, y}, true);
        if (index >= 0) {
            FMouseSelecting = true;
            if (FMultiSelect && (!FExtendedSelect || shift.Contains(ssCtrl)) && !shift.Contains(ssShift)) {
                FSelected.resize(static_cast<size_t>(Count()), 0);
                FSelected[static_cast<size_t>(index)] ^= 1;
                FItemIndex = FAnchorIndex = index;
                Invalidate();
                SelectionChanged();
            } else {
                UserSelect(index, shift);
            }
        }
        // The list box reports double clicks itself: its clicks are selection changes, not the
        // generic click events.
        if (shift.Contains(ssDouble)) DblClick();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    if ((FMouseSelecting || FHotTrack) && Count() > 0) {
        int index;
        int clientHeight = ClientRect().Height();
        if (y < 0)
            index = FMouseSelecting ? std::max(0, FTopIndex - 1) : -1;
        else if (y >= clientHeight)
            index = FMouseSelecting ? std::min(Count() - 1, FTopIndex + VisibleCount()) : -1;
        else
            index = ItemAtPos({x, y}, true);
        if (index >= 0 && index != FItemIndex) {
            if (FMouseSelecting && FMultiSelect && FExtendedSelect)
                UserSelect(index, shift + ssShift);
            else if (FMouseSelecting && !FMultiSelect)
                UserSelect(index, shift);
            else if (!FMouseSelecting && ClientRect().Contains({x, y})) {
                FItemIndex = index;
                Invalidate();
            }
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomListBox::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FMouseSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomListBox::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || HasState(csDesigning) || Count() == 0) return;
    int current = FItemIndex;
    int target = current;
    int page = std::max(1, VisibleCount() - 1);
    switch (key) {
    case VK_UP:
        target = current - 1;
        break;
    case VK_DOWN:
        target = current + 1;
        break;
    case VK_LEFT:
        target = current - 1;
        break;
    case VK_RIGHT:
        target = current + 1;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = Count() - 1;
        break;
    case VK_PRIOR:
        target = current - page;
        break;
    case VK_NEXT:
        target = current + page;
        break;
    case VK_SPACE:
        if (FMultiSelect && current >= 0 && (!FExtendedSelect || shift.Contains(ssCtrl))) {
            FSelected.resize(static_cast<size_t>(Count()), 0);
            FSelected[static_cast<size_t>(current)] ^= 1;
            FAnchorIndex = current;
            Invalidate();
            SelectionChanged();
            key = 0;
        }
        return;
    default:
        return;
    }
    if (current < 0) target = std::max(0, key == VK_UP || key == VK_PRIOR ? 0 : target);
    target = std::clamp(target, 0, Count() - 1);
    key = 0;
    if (FMultiSelect && !FExtendedSelect) {
        // Non-extended multiple selection: the arrows move the focus only; Space selects.
        FItemIndex = target;
        MakeVisible(target);
        Invalidate();
        return;
    }
    UserSelect(target, shift);
}

void TCustomListBox::KeyPress(char32_t& key) {
    TCustomControl::KeyPress(key);
    if (key < 32 || key >= 0x80 || HasState(csDesigning) || Count() == 0 || key == ' ') return;
    // A letter moves to the next item that starts with it.
    int count = Count();
    int upper = std::toupper(static_cast<int>(key));
    for (int step = 1; step <= count; ++step) {
        int i = (std::max(FItemIndex, -1) + step) % count;
        String s = FItems->Get(i);
        if (!s.empty() && std::toupper(static_cast<unsigned char>(s[0])) == upper) {
            UserSelect(i, TShiftState{});
            break;
        }
    }
    key = 0;
}

bool TCustomListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    SetTopIndex(FTopIndex - wheelDelta / 120 * 3);
    return true;
}

void TCustomListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_VSCROLL: {
        int code = LOWORD(message.WParam);
        int page = std::max(1, VisibleCount() - 1);
        int thumb = ScrollTrackPos(Handle(), SB_VERT, FTopIndex);
        std::optional<int> top = RequestedScrollPos(code, FTopIndex, 1, page, 0, Count(), thumb);
        if (!top) return;
        SetTopIndex(*top);
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        FMouseSelecting = false;
        Invalidate();
        return;
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        ItemsChanged();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace dw
