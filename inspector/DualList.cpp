#include "inspector/DualList.h"

#include "framework/controls/graphics/Clipbrd.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/rtl/ClassInfo.h"

#include <algorithm>
#include <cstdlib>

namespace dw {

DW_DEFINE_CLASS(TDualList) {}

TDualList::TDualList(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 200, 300);
    SetTabStop(true);
    SetDoubleBuffered(true);
    Font()->SetHeight(9);
}

TDualList::~TDualList() = default;

void TDualList::AfterConstruction() {
    TCustomControl::AfterConstruction();
    // Made here rather than in the constructor so that a descendant's CreateEditor is the one used.
    FEditor = CreateEditor();
    FEditor->SetVisible(false);
    FEditor->SetDoubleBuffered(false);
    FEditor->SetTabStop(false);
    FEditor->SetCtl3D(false);
    FEditor->SetBorderStyle(bsNone);
    FEditor->Font()->SetHeight(9);
    FEditor->SetBounds(0, 0, 0, 0);
    FEditor->OnMouseDown = TMouseEvent(MakeMethod<&TDualList::EditorMouseDown>(this));
    FEditor->SetParent(this);
    FScrollTimer = New<TTimer>(this);
    FScrollTimer->SetEnabled(false);
    FScrollTimer->SetInterval(5);
    FScrollTimer->SetOnTimer(TNotifyEvent(MakeMethod<&TDualList::ScrollTimerTick>(this)));
}

void TDualList::BeforeDestruction() {
    // The editor has no owner: the list frees it.
    TCustomEdit* editor = FEditor;
    FEditor = nullptr;
    dw::Free(editor);
    TCustomControl::BeforeDestruction();
}

namespace {
// The plain in-place editor: an edit that hands the row keys to its list, so the keyboard moves
// through the rows while the editor has the focus.
class TDualListEdit : public TEdit {
    DW_CLASS(TDualListEdit, TEdit)
    using TEdit::TEdit;

protected:
    void KeyDown(Word& key, TShiftState shift) override {
        auto* list = dynamic_cast<TDualList*>(Parent());
        bool ctrl = shift.Contains(ssCtrl);
        if (list && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                     (ctrl && (key == VK_HOME || key == VK_END)))) {
            list->HandleRowKey(key, shift);
            key = 0;
            return;
        }
        Word typed = key;
        TEdit::KeyDown(key, shift);
        if (list && typed != VK_HOME && typed != VK_END) list->HandleRowKey(typed, shift);
    }
};
DW_DEFINE_CLASS(TDualListEdit) {}
} // namespace

TCustomEdit* TDualList::CreateEditor() {
    return New<TDualListEdit>(nullptr);
}

void TDualList::HandleRowKey(Word key, TShiftState shift) {
    bool ctrl = shift.Contains(ssCtrl);
    switch (key) {
    case VK_PRIOR:
        SetItemIndex(FItemIndex - VisibleRows());
        break;
    case VK_NEXT:
        SetItemIndex(FItemIndex + VisibleRows());
        break;
    case VK_UP:
        SetItemIndex(FItemIndex - 1);
        break;
    case VK_DOWN:
        SetItemIndex(FItemIndex + 1);
        break;
    case VK_HOME:
        if (ctrl) SetItemIndex(0);
        break;
    case VK_END:
        if (ctrl) SetItemIndex(FItemCount - 1);
        break;
    default:
        // Any other key brings the selected row back into view; the row just below counts as shown.
        if (FItemIndex < FTopItem)
            SetTopItem(FItemIndex);
        else if (FItemIndex > FTopItem + VisibleRows())
            SetTopItem(FItemIndex - VisibleRows() + 1);
        break;
    }
}

void TDualList::FocusEditor() {
    if (FEditor && FEditor->HandleAllocated() && Focused()) FEditor->SetFocus();
}

void TDualList::LoadEditor() {
    if (!FEditor) return;
    FEditor->SetText("");
    FEditor->SetMaxLength(0);
}

void TDualList::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TDualList::CreateWnd() {
    TCustomControl::CreateWnd();
    PlaceEditor(-1);
    UpdateScrollBar();
}

int TDualList::VisibleRows() const {
    return HandleAllocated() ? ClientHeight() / FItemHeight : 0;
}

TRect TDualList::ItemRect(int index) const {
    int top = (index - FTopItem) * FItemHeight;
    return TRect{0, top, ClientWidth(), top + FItemHeight};
}

int TDualList::ItemAtY(int y) const {
    if (FItemCount == 0) return -1;
    int row = (y >= 0 ? y / FItemHeight : (y - FItemHeight + 1) / FItemHeight) + FTopItem;
    return std::clamp(row, 0, FItemCount - 1);
}

void TDualList::SetItemCount(int value) {
    if (value < 0) value = 0;
    if (value != FItemCount) {
        int chosen = FItemIndex;
        bool stays = false;
        if (FItemIndex >= value)
            chosen = value - 1;
        else if (FItemCount == 0 && value > 0)
            chosen = 0;
        else if (value == 0)
            chosen = -1;
        else
            stays = true;
        FItemCount = value;
        if (FItemCount - VisibleRows() < FTopItem) FTopItem = std::max(0, FItemCount - VisibleRows());
        if (stays || chosen == FItemIndex)
            PlaceEditor(FItemIndex);
        else
            SetItemIndex(chosen);
        UpdateScrollBar();
    }
    Invalidate();
}

void TDualList::SetItemIndex(int value) {
    if (value < 0 && FItemCount > 0) value = 0;
    if (value >= FItemCount) value = FItemCount - 1;
    if (FItemCount == 0) value = -1;
    if (value == FItemIndex) return;
    if (value != -1) {
        if (value >= FTopItem + VisibleRows())
            SetTopItem(value - VisibleRows() + 1);
        else if (value < FTopItem)
            SetTopItem(value);
    }
    if (!HandleAllocated()) return;
    InvalidateRow(FItemIndex, 1);
    FItemIndex = value;
    PlaceEditor(FItemIndex);
    LoadEditor();
    InvalidateRow(FItemIndex);
    Click();
}

void TDualList::InvalidateRow(int index, int grow) {
    if (!HandleAllocated() || index < 0) return;
    TRect r = ItemRect(index);
    r.Top -= grow;
    r.Bottom += grow;
    InvalidateRect(Handle(), &r, false);
}

void TDualList::SetTopItem(int value) {
    int rows = (HandleAllocated() ? ClientHeight() : Height()) / FItemHeight;
    value = std::max(0, std::min(value, FItemCount - rows));
    if (value == FTopItem) return;
    FTopItem = value;
    PlaceEditor(FItemIndex);
    Invalidate();
    UpdateScrollBar();
}

void TDualList::SetItemHeight(int value) {
    if (value < 1) value = 1;
    FItemHeight = value;
    if (FItemCount - VisibleRows() < FTopItem) SetTopItem(FItemCount - VisibleRows());
    Invalidate();
}

void TDualList::SetSplitPos(int value) {
    if (value == FSplitPos || value < 20 || Width() - value < 20) return;
    FSplitPos = value;
    PlaceEditor(FItemIndex);
    Invalidate();
}

void TDualList::SetShowGrid(bool value) {
    if (value == FShowGrid) return;
    FShowGrid = value;
    Invalidate();
}

void TDualList::SetEditorVisible(bool value) {
    if (value == FEditorVisible) return;
    FEditorVisible = value;
    PlaceEditor(FItemIndex);
}

void TDualList::SetShowSelFrame(bool value) {
    if (value == FShowSelFrame) return;
    FShowSelFrame = value;
    PlaceEditor(FItemIndex);
    Invalidate();
}

void TDualList::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

void TDualList::PlaceEditor(int index) {
    if (!FEditor) return;
    if (index < 0 || index >= FItemCount || ComponentState().Contains(csDesigning) || !FEditorVisible ||
        !HandleAllocated() || IsFullRow(index)) {
        FEditor->SetVisible(false);
        return;
    }
    TRect r = ItemRect(index);
    int left = FSplitPos + 3;
    int top = r.Top + 1 + (FShowSelFrame ? 1 : 0);
    FEditor->SetBounds(left, top, ClientWidth() - 1 - left, r.Bottom - 1 - top);
    FEditor->SetVisible(true);
    FocusEditor();
}

void TDualList::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, FItemCount - VisibleRows());
    info.nPage = 1;
    info.nPos = FTopItem;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

void TDualList::Resize() {
    TCustomControl::Resize();
    if (FItemCount - VisibleRows() < FTopItem && VisibleRows() < FItemCount)
        SetTopItem(FItemCount - VisibleRows());
    else
        PlaceEditor(FItemIndex);
    UpdateScrollBar();
}

// ---------------------------------------------------------------------------------------------

void TDualList::DrawGrid(const TRect& clip, int itemsBottom) {
    TColor back = Color();
    for (int y = FItemHeight * (clip.Top / FItemHeight) - 1; y <= clip.Bottom && y < itemsBottom; y += FItemHeight) {
        if (y < 0) continue;
        // An 8 x 8 checkerboard of the control colour and grey, as a pattern brush lays it.
        for (int x = clip.Left; x < clip.Right; ++x) Canvas()->SetPixels(x, y, ((x + y) & 1) ? clGray : back);
    }
}

void TDualList::Paint() {
    TRect clip = Canvas()->ClipRect();
    TRect client = ClientRect();
    clip.Left = std::max(clip.Left, client.Left);
    clip.Top = std::max(clip.Top, client.Top);
    clip.Right = std::min(clip.Right, client.Right);
    clip.Bottom = std::min(clip.Bottom, client.Bottom);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(clip);
    int itemsBottom = (FItemCount - FTopItem) * FItemHeight;
    if (itemsBottom < clip.Top) return;
    if (itemsBottom < clip.Bottom) clip.Bottom = itemsBottom;
    if (FShowGrid) DrawGrid(clip, itemsBottom);
    bool designing = ComponentState().Contains(csDesigning);
    for (int i = clip.Top / FItemHeight + FTopItem; i < FItemCount; ++i) {
        int y = (i - FTopItem) * FItemHeight;
        if (y >= clip.Bottom) break;
        if (!IsFullRow(i)) {
            Canvas()->Pen()->SetStyle(psSolid);
            Canvas()->Pen()->SetWidth(1);
            Canvas()->Pen()->SetColor(clGray);
            Canvas()->MoveTo(FSplitPos, y);
            Canvas()->LineTo(FSplitPos, y + FItemHeight);
            Canvas()->Pen()->SetColor(clWhite);
            Canvas()->MoveTo(FSplitPos + 1, y);
            Canvas()->LineTo(FSplitPos + 1, y + FItemHeight);
        }
        DrawCell(TRect{0, y, FSplitPos, y + FItemHeight - 1}, 0, i == FItemIndex, i);
        if (!(i == FItemIndex && FEditorVisible && !designing))
            DrawCell(TRect{FSplitPos + 2, y, ClientWidth(), y + FItemHeight - 1}, 1, false, i);
    }
    if (FShowSelFrame && FItemIndex >= 0) DrawSelFrame();
}

void TDualList::DrawSelFrame() {
    TRect r = ItemRect(FItemIndex);
    r.Top -= 1;
    DrawEdge(Canvas()->Handle(), &r, EDGE_SUNKEN, BF_RECT);
    if (!FEditorVisible || IsFullRow(FItemIndex) || !FEditor) return;
    TRect row = ItemRect(FItemIndex);
    Canvas()->Pen()->SetColor(FEditor->Color());
    Canvas()->MoveTo(FSplitPos + 2, row.Top + 1);
    Canvas()->LineTo(ClientWidth() - 2, row.Top + 1);
    Canvas()->MoveTo(FSplitPos + 2, row.Top + 1);
    Canvas()->LineTo(FSplitPos + 2, row.Bottom - 1);
}

// ---------------------------------------------------------------------------------------------

void TDualList::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    HandleRowKey(key, shift);
}

void TDualList::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !shift.Contains(ssDouble)) FLastClickTime = GetTickCount();
    SetMouseCapture(true);
    if (std::abs(x - FSplitPos) < 3) {
        FSplitting = true;
        FSplitOffset = FSplitPos - x;
    } else {
        SetItemIndex(ItemAtY(y));
    }
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TDualList::MouseMove(TShiftState shift, int x, int y) {
    SetCursor(std::abs(x - FSplitPos) <= 2 || FSplitting ? crHSplit : crDefault);
    if (FSplitting) {
        SetSplitPos(x + FSplitOffset);
    } else if (MouseCapture()) {
        if (y > 0 && y < VisibleRows() * FItemHeight) {
            SetItemIndex(ItemAtY(y));
            FScrollTimer->SetEnabled(false);
        } else {
            FScrollTimer->SetEnabled(true);
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TDualList::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    SetMouseCapture(false);
    FSplitting = false;
    FScrollTimer->SetEnabled(false);
    TCustomControl::MouseUp(button, shift, x, y);
}

void TDualList::ScrollTimerTick(TObject*) {
    if (!MouseCapture()) {
        FScrollTimer->SetEnabled(false);
        return;
    }
    TPoint p = ScreenToClient(Mouse->CursorPos());
    if (p.Y < 0)
        SetItemIndex(FTopItem - 1);
    else if (p.Y >= VisibleRows() * FItemHeight)
        SetItemIndex(FTopItem + VisibleRows());
}

bool TDualList::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    (void)shift, (void)mousePos;
    SetTopItem(FTopItem + (wheelDelta > 0 ? -1 : 1));
    return true;
}

void TDualList::EditorMouseDown(TObject*, TMouseBtn button, TShiftState shift, int, int) {
    // The first click of a double click moved the editor under the mouse; the second lands here.
    if (button == mbLeft && !shift.Contains(ssDouble) && GetTickCount() - FLastClickTime <= GetDoubleClickTime())
        FEditor->DblClick();
}

namespace {
bool IsEditAction(TBasicAction* action) {
    return action->Is<TEditCut>() || action->Is<TEditCopy>() || action->Is<TEditPaste>() || action->Is<TEditDelete>() ||
           action->Is<TEditUndo>() || action->Is<TEditSelectAll>();
}
} // namespace

bool TDualList::ExecuteAction(TBasicAction* action) {
    if (!FEditor || !FEditor->Visible() || !IsEditAction(action)) return TCustomControl::ExecuteAction(action);
    if (action->Is<TEditCut>())
        FEditor->CutToClipboard();
    else if (action->Is<TEditCopy>())
        FEditor->CopyToClipboard();
    else if (action->Is<TEditPaste>())
        FEditor->PasteFromClipboard();
    else if (action->Is<TEditDelete>())
        FEditor->ClearSelection();
    else if (action->Is<TEditUndo>())
        FEditor->Undo();
    else
        FEditor->SelectAll();
    return true;
}

bool TDualList::UpdateAction(TBasicAction* action) {
    if (!FEditor || !FEditor->Visible() || !IsEditAction(action)) return TCustomControl::UpdateAction(action);
    bool enabled;
    if (action->Is<TEditCut>() || action->Is<TEditDelete>())
        enabled = FEditor->SelLength() >= 1 && !FEditor->ReadOnly();
    else if (action->Is<TEditCopy>())
        enabled = FEditor->SelLength() > 0;
    else if (action->Is<TEditPaste>())
        enabled = Clipboard()->HasFormat(CF_TEXT);
    else if (action->Is<TEditUndo>())
        enabled = FEditor->CanUndo();
    else
        enabled = !FEditor->Text().empty();
    static_cast<TCustomAction*>(action)->SetEnabled(enabled);
    return true;
}

void TDualList::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_VSCROLL: {
        int rows = HandleAllocated() ? ClientHeight() / FItemHeight : 0;
        int code = LOWORD(message.WParam);
        int thumb = ScrollTrackPos(Handle(), SB_VERT, FTopItem);
        std::optional<int> top;
        switch (code) {
        case SB_LINEUP:
            top = std::max(0, FTopItem - 1);
            break;
        case SB_LINEDOWN:
            top = std::min(FItemCount - rows, FTopItem + 1);
            break;
        case SB_PAGEUP:
            top = std::max(0, FTopItem - rows);
            break;
        case SB_PAGEDOWN:
            top = std::min(FItemCount - rows, FTopItem + rows);
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = std::max(0, FItemCount - rows);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            top = thumb;
            break;
        default:
            break;
        }
        if (top) SetTopItem(*top);
        return;
    }
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        PlaceEditor(FItemIndex);
        return;
    case CM_CANCELMODE:
        if (FEditor) FEditor->Perform(CM_CANCELMODE, message.WParam, message.LParam);
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace dw
