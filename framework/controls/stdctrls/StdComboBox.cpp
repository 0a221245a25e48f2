// TComboListBox, TComboBoxStrings, TCustomComboBox and TComboBox.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cctype>

namespace dw {

namespace {
constexpr UINT_PTR CaretTimerId = 1;
constexpr UINT CaretBlinkTime = 530;
} // namespace

// ---------------------------------------------------------------------------------------------
// TComboListBox

DW_DEFINE_CLASS(TComboListBox) {}

TComboListBox::TComboListBox(TComponent* owner) : TCustomListBox(owner) {
    // The combo box decides who has the mouse while the list is dropped down.
    FControlStyle -= csCaptureMouse;
    FHotTrack = true;
    FTabStop = false;
}

void TComboListBox::CreateParams(TCreateParams& params) {
    TCustomListBox::CreateParams(params);
    if (!FPopup) return;
    params.Style = (params.Style & ~(WS_CHILD | WS_CLIPSIBLINGS)) | WS_POPUP | WS_BORDER;
    params.ExStyle = (params.ExStyle & ~WS_EX_CLIENTEDGE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.ClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
    params.WinClassName = "TComboLBox";
}

void TComboListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (!FComboBox) {
        TCustomListBox::DrawItem(index, rect, state);
        return;
    }
    // The combo box's own drawing (and its OnDrawItem) paints on the list through its canvas.
    TCanvas* own = Canvas();
    TCanvas* combo = FComboBox->Canvas();
    if (auto* controlCanvas = As<TControlCanvas>(combo)) controlCanvas->FreeHandle();
    combo->SetHandle(own->Handle());
    combo->SetFont(own->Font());
    combo->SetBrush(own->Brush());
    {
        auto restore = ScopeExit([&] {
            combo->SetHandle(nullptr);
            own->Refresh();
        });
        FComboBox->DrawItem(index, rect, state);
    }
}

void TComboListBox::MeasureItem(int index, int& height) {
    if (FComboBox)
        FComboBox->MeasureItem(index, height);
    else
        TCustomListBox::MeasureItem(index, height);
}

void TComboListBox::SelectionChanged() {
    // A simple combo box takes the selection at once; a drop-down one when the list closes.
    if (FComboBox && !FPopup && FItemIndex >= 0) FComboBox->UserSelect(FItemIndex);
}

void TComboListBox::DblClick() {
    if (FComboBox && !FPopup)
        FComboBox->DblClick();
    else
        TCustomListBox::DblClick();
}

void TComboListBox::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (!FPopup || !FComboBox) {
        TCustomListBox::MouseDown(button, shift, x, y);
        return;
    }
    if (!ClientRect().Contains({x, y})) {
        TPoint screen = ClientToScreen(TPoint{x, y});
        // The scroll bar of the list is still the list; anywhere else closes it.
        if (!GetWindowRect(Handle()).Contains(screen)) FComboBox->CloseList(false);
        return;
    }
    FTrackingFromButton = false;
    int index = ItemAtPos({x, y}, true);
    if (index >= 0 && index != FItemIndex) {
        FItemIndex = index;
        Invalidate();
    }
}

void TComboListBox::MouseMove(TShiftState shift, int x, int y) {
    TCustomListBox::MouseMove(shift, x, y);
}

void TComboListBox::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (!FPopup || !FComboBox) {
        TCustomListBox::MouseUp(button, shift, x, y);
        return;
    }
    if (button != mbLeft) return;
    if (ClientRect().Contains({x, y}) && ItemAtPos({x, y}, true) >= 0) {
        FComboBox->CloseList(true);
        return;
    }
    // Released where it was pressed (on the combo box's button): the list stays open.
    FTrackingFromButton = false;
}

void TComboListBox::Dispatch(TMessage& message) {
    if (FPopup && message.Msg == WM_MOUSEACTIVATE) {
        message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomListBox::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TComboBoxStrings

DW_DEFINE_CLASS(TComboBoxStrings) {}

void TComboBoxStrings::Changed() {
    TStringList::Changed();
    if (FComboBox) FComboBox->ItemsChanged();
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox

DW_DEFINE_CLASS(TCustomComboBox) {}

DW_DEFINE_CLASS(TComboBox) {
    c.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
    PublishStd(c,
               {"Align", "Anchors", "BiDiMode", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode"});
    c.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
    PublishStd(c, {"Enabled", "Font"});
    c.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight).Default(16);
    c.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
    c.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
    c.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
    PublishStd(
        c, {"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
    c.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
    PublishStd(c, {"TabOrder"});
    c.Property("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop).Default(true);
    PublishStd(c, {"Text", "Visible"});
    c.Property("OnChange", &TComboBox::OnChange, &TComboBox::OnChange);
    PublishStd(c, {"OnClick"});
    c.Property("OnCloseUp", &TComboBox::OnCloseUp, &TComboBox::OnCloseUp);
    PublishStd(c, {"OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver"});
    c.Property("OnDrawItem", &TComboBox::OnDrawItem, &TComboBox::OnDrawItem);
    c.Property("OnDropDown", &TComboBox::OnDropDown, &TComboBox::OnDropDown);
    PublishStd(c, {"OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    c.Property("OnMeasureItem", &TComboBox::OnMeasureItem, &TComboBox::OnMeasureItem);
    PublishStd(c, {"OnMouseEnter", "OnMouseLeave"});
    c.Property("OnSelect", &TComboBox::OnSelect, &TComboBox::OnSelect);
    PublishStd(c, {"OnStartDrag"});
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
    FParentColor = false;
    FTabStop = true;
    FItems.reset(New<TComboBoxStrings>(this));
    FList.reset(New<TComboListBox>(nullptr));
    FList->SetComboBox(this);
    FList->SetVisible(false);
    FEdit.GetFont = [this] { return static_cast<const TFont*>(Font()); };
    FEdit.OnChange = [this] {
        FText = FEdit.Text();
        if (FChangingText) return;
        FItemIndex = FItems->IndexOf(FEdit.Text());
        if (!HasState(csLoading) && !HasState(csReading)) Change();
    };
    FEdit.OnInvalidate = [this] {
        if (HandleAllocated()) Invalidate();
    };
    SetBounds(0, 0, 145, 25);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::BeforeDestruction() {
    if (FDroppedDown && FList->HandleAllocated() && GetCapture() == FList->Handle()) ReleaseCapture();
    FDroppedDown = false;
    FList->SetComboBox(nullptr);
    FList.reset();
    TCustomControl::BeforeDestruction();
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FStyle != csSimple) params.ExStyle |= Ctl3D() ? WS_EX_CLIENTEDGE : 0;
    if (FStyle != csSimple && !Ctl3D()) params.Style |= WS_BORDER;
}

void TCustomComboBox::CreateWnd() {
    TCustomControl::CreateWnd();
    FEdit.MultiLine = false;
    FEdit.SetRect(TextRect().Inflate(-1, 0));
    if (FStyle == csSimple) {
        FList->SetPopup(false);
        FList->SetDesigning(HasState(csDesigning));
        FList->SetParent(this);
        FList->SetVisible(true);
        Resize();
    }
}

int TCustomComboBox::EditHeight() const {
    return FontLineHeight(Font()) + 8;
}

int TCustomComboBox::ItemHeight() const {
    if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) return FItemHeight;
    return FontLineHeight(Font());
}

void TCustomComboBox::SetItemHeight(int value) {
    if (value < 1 || value == FItemHeight) return;
    FItemHeight = value;
    Invalidate();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
    if (FStyle != csSimple) height = EditHeight();
    TCustomControl::SetBounds(left, top, width, height);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (FStyle == value) return;
    CloseList(false);
    bool wasSimple = FStyle == csSimple;
    FStyle = value;
    if (wasSimple) {
        FList->SetParent(nullptr);
        FList->SetPopup(true);
        FList->DestroyHandle();
    }
    if (FStyle != csSimple) SetBounds(Left(), Top(), Width(), Height());
    UpdateEdit();
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool value) {
    if (FItems->Sorted() == value) return;
    FItems->SetSorted(value);
    SetItemIndex(FItems->IndexOf(Text()));
}

TRect TCustomComboBox::ButtonRect() const {
    if (FStyle == csSimple) return {};
    TRect client = ClientRect();
    int width = GetSystemMetrics(SM_CXVSCROLL);
    return {std::max(client.Left, client.Right - width), client.Top, client.Right, client.Bottom};
}

TRect TCustomComboBox::TextRect() const {
    TRect client = ClientRect();
    if (FStyle == csSimple) return {client.Left + 3, client.Top + 3, client.Right - 3, client.Top + EditHeight() - 3};
    TRect button = ButtonRect();
    return {client.Left + 1, client.Top + 1, std::max(client.Left + 1, button.Left - 1), client.Bottom - 1};
}

void TCustomComboBox::Resize() {
    TCustomControl::Resize();
    TRect text = TextRect();
    int lineHeight = FontLineHeight(Font());
    int top = text.Top + std::max(0, (text.Height() - lineHeight) / 2);
    FEdit.SetRect({text.Left + 1, top, text.Right - 1, top + lineHeight});
    if (FStyle == csSimple && FList->Parent() == this) {
        TRect client = ClientRect();
        FList->SetBounds(client.Left, client.Top + EditHeight(), client.Width(),
                         std::max(0, client.Height() - EditHeight()));
    }
}

// ---- items and text

void TCustomComboBox::ItemsChanged() {
    if (HasState(csLoading) || HasState(csReading)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FStyle == csSimple || FDroppedDown) {
        FList->Items()->Assign(FItems.get());
        FList->SetItemIndex(FItemIndex);
    }
    if (!HasEdit()) FText = GetText();
    Invalidate();
}

void TCustomComboBox::UpdateEdit() {
    FChangingText = true;
    {
        auto restore = ScopeExit([&] { FChangingText = false; });
        if (HasEdit())
            FEdit.SetText(FItemIndex >= 0 ? FItems->Get(FItemIndex) : FEdit.Text());
        else
            FEdit.SetText(String());
    }
    FText = GetText();
    if (HasEdit() && Focused()) FEdit.SelectAll();
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int value) {
    if (HasState(csLoading) || HasState(csReading)) {
        // Items may come later in the stream; Loaded checks the index.
        FItemIndex = value;
        return;
    }
    if (value < -1 || value >= FItems->Count()) value = -1;
    FItemIndex = value;
    if (HasEdit() && value < 0) {
        FChangingText = true;
        FEdit.SetText(String());
        FChangingText = false;
        FText.clear();
    }
    UpdateEdit();
    if (FStyle == csSimple) FList->SetItemIndex(value);
}

void TCustomComboBox::SetTextImpl(const String& value) {
    if (HasState(csLoading) || HasState(csReading)) {
        FText = value;
        FLoadedText = true;
        return;
    }
    if (HasEdit()) {
        FChangingText = true;
        {
            auto restore = ScopeExit([&] { FChangingText = false; });
            FEdit.SetText(value);
        }
        FItemIndex = FItems->IndexOf(value);
        FText = value;
    } else {
        SetItemIndex(FItems->IndexOf(value));
    }
}

String TCustomComboBox::GetText() const {
    if (HasEdit()) return FEdit.Text();
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Get(FItemIndex) : String();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetItemIndex(-1);
}

void TCustomComboBox::Loaded() {
    TCustomControl::Loaded();
    int count = FItems->Count();
    if (FItemIndex < -1 || FItemIndex >= count) FItemIndex = -1;
    if (HasEdit()) {
        // The stored text wins over the item's: it is what the edit showed.
        String text = FLoadedText ? FText : (FItemIndex >= 0 ? FItems->Get(FItemIndex) : String());
        FChangingText = true;
        FEdit.SetText(text);
        FChangingText = false;
        if (FLoadedText && FItemIndex >= 0 && FItems->Get(FItemIndex) != text) FItemIndex = FItems->IndexOf(text);
    } else if (FItemIndex < 0 && FLoadedText) {
        FItemIndex = FItems->IndexOf(FText);
    }
    FLoadedText = false;
    FEdit.Modified = false;
    FText = GetText();
    if (FStyle == csSimple) FList->SetItemIndex(FItemIndex);
    Invalidate();
}

void TCustomComboBox::Change() {
    OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::UserSelect(int index) {
    if (index < 0 || index >= FItems->Count()) return;
    if (index == FItemIndex && (!HasEdit() || FEdit.Text() == FItems->Get(index))) return;
    FItemIndex = index;
    UpdateEdit();
    if (FStyle == csSimple && FList->ItemIndex() != index) FList->SetItemIndex(index);
    Click();
    Select();
}

// ---- the drop-down list

void TCustomComboBox::DropDown() {
    OnDropDown(this);
}
void TCustomComboBox::CloseUp() {
    OnCloseUp(this);
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (value == FDroppedDown) return;
    if (!value) {
        CloseList(false);
        return;
    }
    if (FStyle == csSimple || HasState(csDesigning) || !HandleAllocated()) return;
    DropDown();
    FList->SetFont(Font());
    FList->SetColor(Color());
    FList->SetStyle(FStyle == csOwnerDrawVariable ? lbOwnerDrawVariable
                    : FStyle == csOwnerDrawFixed  ? lbOwnerDrawFixed
                                                  : lbStandard);
    FList->SetItemHeight(ItemHeight());
    FList->Items()->Assign(FItems.get());
    int count = FItems->Count();
    int rows = std::clamp(count, 1, FDropDownCount);
    int height = 2;
    for (int i = 0; i < rows; ++i) {
        int h = ItemHeight();
        if (FStyle == csOwnerDrawVariable && i < count) MeasureItem(i, h);
        height += h;
    }
    TRect window = GetWindowRect(Handle());
    int top = window.Bottom;
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (top + height > screenHeight && window.Top - height >= 0) top = window.Top - height;
    FList->HandleNeeded();
    SetWindowPos(FList->Handle(), HWND_TOPMOST, window.Left, top, window.Width(), height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FList->UpdateBounds();
    FList->SetTopIndex(0);
    FList->SetItemIndex(FItemIndex);
    FSavedIndex = FItemIndex;
    FSavedText = Text();
    FDroppedDown = true;
    FList->FTrackingFromButton = false;
    SetCapture(FList->Handle());
    Invalidate();
}

void TCustomComboBox::CloseList(bool accept) {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    FButtonDown = false;
    int index = FList->ItemIndex();
    if (FList->HandleAllocated()) {
        if (GetCapture() == FList->Handle()) ReleaseCapture();
        ShowWindow(FList->Handle(), SW_HIDE);
    }
    Invalidate();
    CloseUp();
    if (accept && index >= 0) UserSelect(index);
}

// ---- painting

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if ((FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    if (index < 0 || index >= FItems->Count()) return;
    int lineHeight = FontLineHeight(Font());
    canvas->TextRect(rect, rect.Left + 2, rect.Top + (rect.Height() - lineHeight) / 2, FItems->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

bool TCustomComboBox::EraseBackground(HDC dc) {
    (void)dc;
    return true;
}

void TCustomComboBox::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FStyle == csSimple ? clBtnFace : Color());
    canvas->FillRect(client);
    HDC dc = canvas->Handle();
    if (FStyle == csSimple) {
        TRect frame = TextRect().Inflate(3, 3);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(frame);
        DrawEdge(canvas->Handle(), &frame, EDGE_SUNKEN, BF_RECT);
    } else {
        TRect button = ButtonRect();
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (FButtonDown && FDroppedDown) state |= DFCS_PUSHED | DFCS_FLAT;
        if (!Enabled()) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &button, DFC_SCROLL, state);
    }
    bool focused = Focused() && !HasState(csDesigning);
    if (HasEdit()) {
        canvas->SetFont(Font());
        FEdit.Paint(canvas, Enabled());
        return;
    }
    TRect text = TextRect().Inflate(-1, -1);
    TOwnerDrawState state{odComboBoxEdit};
    canvas->SetFont(Font());
    if (focused && !FDroppedDown) {
        state += odSelected;
        state += odFocused;
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    } else {
        canvas->Brush()->SetColor(Color());
        if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    }
    canvas->Brush()->SetStyle(bsSolid);
    if (FItemIndex >= 0)
        DrawItem(FItemIndex, text, state);
    else
        canvas->FillRect(text);
    if (focused && !FDroppedDown) canvas->DrawFocusRect(text);
}

// ---- input

void TCustomComboBox::DoEnter() {
    if (HasEdit()) FEdit.SelectAll();
    TCustomControl::DoEnter();
}

void TCustomComboBox::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning) && Enabled()) {
        if (!Focused() && CanFocus()) SetFocus();
        TPoint p{x, y};
        if (HasEdit() && TextRect().Contains(p)) {
            FEditMouse = true;
            FEdit.MouseDown(p, shift, shift.Contains(ssDouble));
        } else if (FStyle != csSimple) {
            if (FDroppedDown) {
                CloseList(false);
            } else {
                FButtonDown = true;
                SetDroppedDown(true);
                if (FDroppedDown) FList->FTrackingFromButton = true;
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
    if (FEditMouse) FEdit.MouseMove({x, y});
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomComboBox::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FEditMouse = false;
        FEdit.MouseUp();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomComboBox::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || HasState(csDesigning)) return;
    bool alt = shift.Contains(ssAlt);
    if (FDroppedDown) {
        int index = FList->ItemIndex();
        int count = FItems->Count();
        int page = std::max(1, FDropDownCount - 1);
        switch (key) {
        case VK_RETURN:
            CloseList(true);
            break;
        case VK_ESCAPE:
            CloseList(false);
            break;
        case VK_F4:
            CloseList(true);
            break;
        case VK_UP:
            if (alt) {
                CloseList(true);
                break;
            }
            index = std::max(0, index - 1);
            break;
        case VK_DOWN:
            if (alt) {
                CloseList(true);
                break;
            }
            index = std::min(count - 1, index + 1);
            break;
        case VK_PRIOR:
            index = std::max(0, index - page);
            break;
        case VK_NEXT:
            index = std::min(count - 1, index + page);
            break;
        case VK_HOME:
            if (HasEdit()) return;
            index = 0;
            break;
        case VK_END:
            if (HasEdit()) return;
            index = count - 1;
            break;
        default:
            if (HasEdit()) FEdit.KeyDown(key, shift);
            return;
        }
        if (FDroppedDown && index >= 0 && index < count) {
            FList->SetItemIndex(index);
            FList->Invalidate();
        }
        key = 0;
        return;
    }
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        SetDroppedDown(true);
        key = 0;
        return;
    }
    int count = FItems->Count();
    int index = FItemIndex;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        if (key == VK_LEFT && HasEdit()) break;
        index = index < 0 ? 0 : std::max(0, index - 1);
        UserSelect(index);
        key = 0;
        return;
    case VK_DOWN:
    case VK_RIGHT:
        if (key == VK_RIGHT && HasEdit()) break;
        index = std::min(count - 1, index + 1);
        UserSelect(index);
        key = 0;
        return;
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        if (HasEdit() && (key == VK_HOME || key == VK_END)) break;
        if (count == 0) return;
        index = key == VK_HOME || key == VK_PRIOR ? 0 : count - 1;
        UserSelect(index);
        key = 0;
        return;
    default:
        break;
    }
    if (HasEdit() && FEdit.KeyDown(key, shift)) FEdit.ShowCaretNow();
}

void TCustomComboBox::KeyPress(char32_t& key) {
    TCustomControl::KeyPress(key);
    if (key == 0 || HasState(csDesigning)) return;
    if (key == '\r' || key == 27) return;
    if (HasEdit()) {
        if (FEdit.KeyPress(key, false)) key = 0;
        return;
    }
    if (key < 32 || key >= 0x80) return;
    // A letter picks the next item that starts with it.
    int count = FItems->Count();
    int upper = std::toupper(static_cast<int>(key));
    int from = FDroppedDown ? FList->ItemIndex() : FItemIndex;
    for (int step = 1; step <= count; ++step) {
        int i = (std::max(from, -1) + step) % count;
        String s = FItems->Get(i);
        if (!s.empty() && std::toupper(static_cast<unsigned char>(s[0])) == upper) {
            if (FDroppedDown) {
                FList->SetItemIndex(i);
                FList->Invalidate();
            } else {
                UserSelect(i);
            }
            break;
        }
    }
    key = 0;
}

bool TCustomComboBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    if (FDroppedDown) {
        FList->SetTopIndex(FList->TopIndex() - wheelDelta / 120 * 3);
        return true;
    }
    if (FItems->Count() == 0 || HasState(csDesigning)) return true;
    int index = std::clamp(FItemIndex + (wheelDelta > 0 ? -1 : 1), 0, FItems->Count() - 1);
    UserSelect(index);
    return true;
}

void TCustomComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FDroppedDown ? DLGC_WANTALLKEYS : 0);
        return;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        FEdit.SetFocused(HasEdit());
        if (HasEdit() && HandleAllocated()) {
            SetTimer(Handle(), CaretTimerId, CaretBlinkTime);
            FCaretTimer = true;
        }
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        FEdit.SetFocused(false);
        if (FCaretTimer && HandleAllocated()) KillTimer(Handle(), CaretTimerId);
        FCaretTimer = false;
        CloseList(false);
        Invalidate();
        return;
    case WM_TIMER:
        if (message.WParam == CaretTimerId) {
            FEdit.ToggleCaret();
            return;
        }
        break;
    case CM_CANCELMODE:
        TCustomControl::Dispatch(message);
        CloseList(false);
        return;
    case WM_CUT:
        if (HasEdit()) FEdit.CutToClipboard();
        return;
    case WM_COPY:
        if (HasEdit()) FEdit.CopyToClipboard();
        return;
    case WM_PASTE:
        if (HasEdit()) FEdit.PasteFromClipboard();
        return;
    case WM_CLEAR:
        if (HasEdit()) FEdit.ClearSelection();
        return;
    case WM_UNDO:
        if (HasEdit()) FEdit.Undo();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        FEdit.InvalidateLayout();
        SetBounds(Left(), Top(), Width(), Height());
        Resize();
        return;
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
