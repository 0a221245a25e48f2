// TCustomEdit, TEdit, TCustomMemo, TMemo and the memo's lines.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

namespace {

constexpr UINT_PTR CaretTimerId = 1;
constexpr UINT CaretBlinkTime = 530;

String ApplyCharCase(const String& text, TEditCharCase charCase) {
    if (charCase == ecUpperCase) return UpperCase(text);
    if (charCase == ecLowerCase) return LowerCase(text);
    return text;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TCustomEdit

DW_DEFINE_CLASS(TCustomEdit) {}

DW_DEFINE_CLASS(TEdit) {
    PublishStd(c,
               {"Align",      "Anchors",        "BiDiMode",  "Color",    "Constraints",    "Ctl3D",       "DragCursor",
                "DragKind",   "DragMode",       "Enabled",   "Font",     "ParentBiDiMode", "ParentColor", "ParentCtl3D",
                "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",       "Visible"});
    c.Property("TabStop", &TEdit::TabStop, &TEdit::SetTabStop).Default(true);
    c.Property("Alignment", &TEdit::Alignment, &TEdit::SetAlignment).Default(taLeftJustify);
    c.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect).Default(true);
    c.Property("AutoSize", &TEdit::AutoSize, &TEdit::SetAutoSize).Default(true);
    c.Property("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle)
        .Type(BorderStyleTypeInfo())
        .Default(bsSingle);
    c.Property("CharCase", &TEdit::CharCase, &TEdit::SetCharCase).Default(ecNormal);
    c.Property("HideSelection", &TEdit::HideSelection, &TEdit::SetHideSelection).Default(true);
    c.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
    c.Property(
         "PasswordChar",
         [](const TEdit* e) { return static_cast<char>(e->PasswordChar() < 0x80 ? e->PasswordChar() : '*'); },
         [](TEdit* e, char v) { e->SetPasswordChar(static_cast<unsigned char>(v)); })
        .Default(0);
    c.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
    PublishStd(c, {"Text"});
    c.Property("OnChange", &TEdit::OnChange, &TEdit::OnChange);
    PublishStd(c, {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter",
                   "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave", "OnStartDrag"});
}

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    FParentColor = false;
    FTabStop = true;
    FAutoSize = true;
    FEdit.GetFont = [this] { return static_cast<const TFont*>(Font()); };
    FEdit.OnChange = [this] { EditChanged(); };
    FEdit.OnInvalidate = [this] {
        if (HandleAllocated()) Invalidate();
    };
    FEdit.OnScroll = [this] { EditScrolled(); };
    SetBounds(0, 0, 121, 25);
    AdjustHeight();
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    params.ClassCursor = LoadCursor(nullptr, IDC_IBEAM);
}

void TCustomEdit::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateEditRect();
    FEdit.ScrollCaret();
}

TRect TCustomEdit::EditRect() {
    TRect client = ClientRect();
    int lineHeight = FEdit.LineHeight();
    int top = client.Height() > lineHeight ? (client.Height() - lineHeight) / 2 : 0;
    return {client.Left + 2, top, std::max(client.Left + 2, client.Right - 2), top + lineHeight};
}

void TCustomEdit::UpdateEditRect() {
    FEdit.SetRect(EditRect());
}

void TCustomEdit::Resize() {
    UpdateEditRect();
    TCustomControl::Resize();
}

bool TCustomEdit::CanAutoSize(int& newWidth, int& newHeight) {
    (void)newWidth;
    int border = FBorderStyle == bsSingle ? (Ctl3D() ? 8 : 6) : 4;
    newHeight = FontLineHeight(Font()) + border;
    return true;
}

void TCustomEdit::AdjustHeight() {
    if (!FAutoSize || FEdit.MultiLine) return;
    int w = Width(), h = Height();
    if (CanAutoSize(w, h) && h != Height()) SetBounds(Left(), Top(), Width(), h);
}

void TCustomEdit::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    TCustomControl::SetAutoSize(value);
    AdjustHeight();
}

void TCustomEdit::Loaded() {
    TCustomControl::Loaded();
    AdjustHeight();
    FEdit.Modified = false;
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
    AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (FCharCase == value) return;
    FCharCase = value;
    if (value != ecNormal) SetText(ApplyCharCase(Text(), value));
}

void TCustomEdit::SetHideSelection(bool value) {
    FEdit.HideSelection = value;
    Invalidate();
}

void TCustomEdit::SetReadOnly(bool value) {
    FEdit.ReadOnly = value;
    Invalidate();
}

void TCustomEdit::SetPasswordChar(char32_t value) {
    if (FEdit.PasswordChar == value) return;
    FEdit.PasswordChar = value;
    FEdit.InvalidateLayout();
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (FEdit.Alignment == value) return;
    FEdit.Alignment = value;
    FEdit.ScrollCaret();
    Invalidate();
}

void TCustomEdit::SetTextImpl(const String& value) {
    FChanging = true;
    {
        auto restore = ScopeExit([&] { FChanging = false; });
        FEdit.SetText(ApplyCharCase(value, FCharCase));
    }
}

void TCustomEdit::EditChanged() {
    FText = FEdit.Text();
    if (!HasState(csLoading) && !HasState(csReading)) Change();
    // A change the user made goes through the usual text notification as well.
    if (!FChanging) Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomEdit::Change() {
    OnChange(this);
}

TPoint TCustomEdit::CaretPos() const {
    size_t caret = FEdit.Caret();
    int line = FEdit.LineOfPos(caret);
    return {FEdit.CharOfByte(caret) - FEdit.CharOfByte(FEdit.LineStart(line)), line};
}

bool TCustomEdit::EraseBackground(HDC dc) {
    (void)dc;
    return true; // Paint fills the background itself
}

void TCustomEdit::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    FEdit.Paint(canvas, Enabled());
}

void TCustomEdit::StartCaretTimer() {
    if (!HandleAllocated()) return;
    SetTimer(Handle(), CaretTimerId, CaretBlinkTime);
    FCaretTimer = true;
}

void TCustomEdit::StopCaretTimer() {
    if (FCaretTimer && HandleAllocated()) KillTimer(Handle(), CaretTimerId);
    FCaretTimer = false;
}

void TCustomEdit::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning)) {
        if (!Focused() && CanFocus()) {
            // A click puts the caret where it lands; AutoSelect is for the keyboard.
            FControlState += csLButtonDown;
            SetFocus();
        }
        if (Focused()) FEdit.MouseDown({x, y}, shift, shift.Contains(ssDouble));
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (FEdit.Selecting()) FEdit.MouseMove({x, y});
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FEdit.MouseUp();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || HasState(csDesigning)) return;
    if (FEdit.KeyDown(key, shift)) FEdit.ShowCaretNow();
}

void TCustomEdit::KeyPress(char32_t& key) {
    TCustomControl::KeyPress(key);
    if (key == 0 || HasState(csDesigning)) return;
    if (FCharCase != ecNormal && key < 0x80) {
        String s = ApplyCharCase(String(1, static_cast<char>(key)), FCharCase);
        key = static_cast<unsigned char>(s[0]);
    }
    if (FEdit.KeyPress(key, WantTabs())) key = 0;
}

void TCustomEdit::DoEnter() {
    bool byMouse = FControlState.Contains(csLButtonDown);
    if (FAutoSelect && !byMouse && !FEdit.MultiLine) FEdit.SelectAll();
    TCustomControl::DoEnter();
}

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        if (WantTabs()) message.Result |= DLGC_WANTTAB;
        if (WantReturns()) message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        FEdit.SetFocused(true);
        StartCaretTimer();
        return;
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        FEdit.SetFocused(false);
        FEdit.MouseUp();
        StopCaretTimer();
        return;
    case WM_TIMER:
        if (message.WParam == CaretTimerId) {
            FEdit.ToggleCaret();
            return;
        }
        break;
    case WM_LBUTTONUP:
        FControlState -= csLButtonDown;
        break;
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_CLEAR:
        ClearSelection();
        return;
    case WM_UNDO:
        Undo();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        FEdit.InvalidateLayout();
        AdjustHeight();
        UpdateEditRect();
        return;
    case CM_ENABLEDCHANGED:
    case CM_CTL3DCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TMemoStrings

namespace {

// Where line `index` of a text starts and ends (before its break); false when there is no such line.
bool LineBounds(const String& text, int index, size_t& start, size_t& end) {
    size_t pos = 0;
    for (int line = 0;; ++line) {
        size_t brk = text.find_first_of("\r\n", pos);
        size_t lineEnd = brk == String::npos ? text.size() : brk;
        if (line == index) {
            start = pos;
            end = lineEnd;
            return !(pos == text.size() && (brk == String::npos) && (index > 0 || text.empty()));
        }
        if (brk == String::npos) return false;
        pos = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
    }
}

size_t NextLineStart(const String& text, size_t end) {
    if (end >= text.size()) return text.size();
    return end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
}

} // namespace

DW_DEFINE_CLASS(TMemoStrings) {}

void TMemoStrings::Flush() const {
    if (FPendingCount == 0) return;
    String text = FMemo->FEdit.Text();
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    text += FPending;
    FPending.clear();
    FPendingCount = 0;
    FMemo->SetText(text);
}

void TMemoStrings::SetUpdateState(bool updating) {
    if (!updating) Flush();
}

int TMemoStrings::Count() const {
    const String& text = FMemo->FEdit.Text();
    int n = 0;
    if (!text.empty()) {
        n = FMemo->FEdit.LogicalLineCount();
        char last = text.back();
        if (last == '\n' || last == '\r') --n;
    }
    return n + FPendingCount;
}

String TMemoStrings::Get(int index) const {
    Flush();
    size_t start = 0, end = 0;
    if (index < 0 || index >= Count() || !LineBounds(FMemo->FEdit.Text(), index, start, end))
        Error("List index out of bounds (%d)", index);
    return FMemo->FEdit.Text().substr(start, end - start);
}

void TMemoStrings::Put(int index, const String& s) {
    Flush();
    size_t start = 0, end = 0;
    String text = FMemo->FEdit.Text();
    if (index < 0 || index >= Count() || !LineBounds(text, index, start, end))
        Error("List index out of bounds (%d)", index);
    text.replace(start, end - start, s);
    FMemo->SetText(text);
}

void TMemoStrings::Insert(int index, const String& s) {
    int count = Count();
    if (index < 0 || index > count) Error("List index out of bounds (%d)", index);
    if (index == count && UpdateCount() > 0) {
        FPending += s;
        FPending += "\r\n";
        ++FPendingCount;
        return;
    }
    Flush();
    String text = FMemo->FEdit.Text();
    if (index == count) {
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
        text += s + "\r\n";
    } else {
        size_t start = 0, end = 0;
        LineBounds(text, index, start, end);
        text.insert(start, s + "\r\n");
    }
    FMemo->SetText(text);
}

void TMemoStrings::Delete(int index) {
    Flush();
    size_t start = 0, end = 0;
    String text = FMemo->FEdit.Text();
    if (index < 0 || index >= Count() || !LineBounds(text, index, start, end))
        Error("List index out of bounds (%d)", index);
    text.erase(start, NextLineStart(text, end) - start);
    FMemo->SetText(text);
}

void TMemoStrings::Clear() {
    FPending.clear();
    FPendingCount = 0;
    FMemo->SetText(String());
}

void TMemoStrings::SetText(std::string_view text) {
    FPending.clear();
    FPendingCount = 0;
    // The memo keeps CR LF line breaks whatever the text brings.
    String normal;
    normal.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normal += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            normal += "\r\n";
        } else {
            normal += text[i];
        }
    }
    FMemo->SetText(normal);
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

DW_DEFINE_CLASS(TCustomMemo) {}

DW_DEFINE_CLASS(TMemo) {
    PublishStd(c,
               {"Align",      "Anchors",        "BiDiMode",  "Color",    "Constraints",    "Ctl3D",       "DragCursor",
                "DragKind",   "DragMode",       "Enabled",   "Font",     "ParentBiDiMode", "ParentColor", "ParentCtl3D",
                "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",       "Visible"});
    c.Property("TabStop", &TMemo::TabStop, &TMemo::SetTabStop).Default(true);
    c.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment).Default(taLeftJustify);
    c.Property("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle)
        .Type(BorderStyleTypeInfo())
        .Default(bsSingle);
    c.Property("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection).Default(true);
    c.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
    c.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
    c.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
    c.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
    c.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
    c.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
    c.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
    c.Property("OnChange", &TMemo::OnChange, &TMemo::OnChange);
    PublishStd(c, {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter",
                   "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave", "OnStartDrag"});
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
    FLines.reset(New<TMemoStrings>(this));
    FEdit.MultiLine = true;
    FEdit.WordWrap = true;
    FAutoSize = false;
    FControlStyle -= csFixedHeight;
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
}

void TCustomMemo::CreateWnd() {
    TCustomEdit::CreateWnd();
    UpdateScrollBars();
}

TRect TCustomMemo::EditRect() {
    TRect client = ClientRect();
    return {client.Left + 2, client.Top + 1, std::max(client.Left + 2, client.Right - 2),
            std::max(client.Top + 1, client.Bottom - 1)};
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (FScrollBars == value) return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (FEdit.WordWrap == value) return;
    FEdit.WordWrap = value;
    FEdit.InvalidateLayout();
    FEdit.ScrollCaret();
    UpdateScrollBars();
}

void TCustomMemo::KeyPress(char32_t& key) {
    // Enter belongs to the form's default button unless the memo wants it; Ctrl+Enter always
    // breaks the line.
    if ((key == '\r' && !FWantReturns) || (key == '\t' && !FWantTabs)) {
        TCustomControl::KeyPress(key);
        key = 0;
        return;
    }
    TCustomEdit::KeyPress(key);
}

bool TCustomMemo::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TCustomEdit::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    FEdit.SetTopLine(FEdit.TopLine() - wheelDelta / 120 * 3);
    return true;
}

void TCustomMemo::EditScrolled() {
    UpdateScrollBars();
}

void TCustomMemo::UpdateScrollBars() {
    if (!HandleAllocated() || FUpdatingBars || FScrollBars == ssNone) return;
    FUpdatingBars = true;
    {
        auto restore = ScopeExit([&] { FUpdatingBars = false; });
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
            info.nMin = 0;
            info.nMax = std::max(0, FEdit.VisualLineCount() - 1);
            info.nPage = static_cast<UINT>(FEdit.VisibleLines());
            info.nPos = FEdit.TopLine();
            SetScrollInfo(Handle(), SB_VERT, info, true);
        }
        if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
            info.nMin = 0;
            info.nMax = FEdit.WordWrap ? 0 : FEdit.ContentWidth();
            info.nPage = static_cast<UINT>(std::max(1, FEdit.Rect().Width()));
            info.nPos = FEdit.ScrollX();
            SetScrollInfo(Handle(), SB_HORZ, info, true);
        }
    }
}

void TCustomMemo::ScrollMessage(int bar, WPARAM wParam) {
    int code = LOWORD(wParam);
    bool vertical = bar == SB_VERT;
    int pos = vertical ? FEdit.TopLine() : FEdit.ScrollX();
    int line = vertical ? 1 : 8;
    int page = vertical ? std::max(1, FEdit.VisibleLines() - 1) : std::max(8, FEdit.Rect().Width() - 8);
    int thumb = ScrollTrackPos(Handle(), bar, pos);
    int last = vertical ? FEdit.VisualLineCount() : FEdit.ContentWidth();
    std::optional<int> requested = RequestedScrollPos(code, pos, line, page, 0, last, thumb);
    if (!requested) return;
    pos = *requested;
    if (vertical)
        FEdit.SetTopLine(pos);
    else
        FEdit.SetScrollX(std::min(pos, std::max(0, FEdit.ContentWidth() - FEdit.Rect().Width() + 1)));
}

void TCustomMemo::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_VSCROLL:
        ScrollMessage(SB_VERT, message.WParam);
        return;
    case WM_HSCROLL:
        ScrollMessage(SB_HORZ, message.WParam);
        return;
    default:
        TCustomEdit::Dispatch(message);
    }
}

} // namespace dw
