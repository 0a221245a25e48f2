// TEditCore: the text editing engine of edits, memos and combo boxes.
#include "framework/controls/stdctrls/EditCore.h"

#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Clipboard.h"
#include "framework/rtl/Utf8.h"

#include <algorithm>

namespace dw {

namespace {

size_t NextCodePoint(const String& s, size_t pos) {
    if (pos >= s.size()) return s.size();
    ++pos;
    while (pos < s.size() && IsUtf8Continuation(s[pos])) ++pos;
    return pos;
}

size_t PrevCodePoint(const String& s, size_t pos) {
    if (pos == 0) return 0;
    --pos;
    while (pos > 0 && IsUtf8Continuation(s[pos])) --pos;
    return pos;
}

bool IsWordChar(unsigned char c) {
    return c >= 0x80 || std::isalnum(c) || c == '_';
}
bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// Keeps at most count characters (code points) of text.
void TruncateChars(String& text, int count) {
    size_t pos = 0;
    for (int i = 0; i < count && pos < text.size(); ++i) pos = NextCodePoint(text, pos);
    text.resize(pos);
}

} // namespace

TEditCore::TEditCore() = default;

// ---------------------------------------------------------------------------------------------
// Text and positions

void TEditCore::SetText(const String& text) {
    FText = text;
    FAnchor = FCaret = 0;
    FUndo.Valid = false;
    FTyping = false;
    Modified = false;
    FTopLine = 0;
    FScrollX = 0;
    FDesiredX = -1;
    FLayoutValid = false;
    Changed();
    Invalidate();
    NotifyScroll();
}

size_t TEditCore::NextPos(size_t pos) const {
    if (pos + 1 < FText.size() && FText[pos] == '\r' && FText[pos + 1] == '\n') return pos + 2;
    return NextCodePoint(FText, pos);
}

size_t TEditCore::PrevPos(size_t pos) const {
    if (pos >= 2 && FText[pos - 1] == '\n' && FText[pos - 2] == '\r') return pos - 2;
    return PrevCodePoint(FText, pos);
}

int TEditCore::CharCount(size_t from, size_t to) const {
    int n = 0;
    for (size_t i = from; i < to && i < FText.size(); ++i)
        if (!IsUtf8Continuation(FText[i])) ++n;
    return n;
}

size_t TEditCore::ByteOfChar(int charIndex) const {
    size_t pos = 0;
    for (int i = 0; i < charIndex && pos < FText.size(); ++i) pos = NextCodePoint(FText, pos);
    // Never between the two halves of a line break.
    if (pos > 0 && pos < FText.size() && FText[pos] == '\n' && FText[pos - 1] == '\r') ++pos;
    return pos;
}

int TEditCore::CharOfByte(size_t pos) const {
    return CharCount(0, std::min(pos, FText.size()));
}

int TEditCore::SelStart() const {
    return CharOfByte(SelFrom());
}
int TEditCore::SelLength() const {
    return CharCount(SelFrom(), SelTo());
}
String TEditCore::SelText() const {
    return FText.substr(SelFrom(), SelTo() - SelFrom());
}

void TEditCore::SetSelStart(int value) {
    size_t pos = ByteOfChar(std::max(value, 0));
    Select(pos, pos);
}

void TEditCore::SetSelLength(int value) {
    size_t from = SelFrom();
    Select(from, ByteOfChar(CharOfByte(from) + std::max(value, 0)));
}

void TEditCore::SetSelText(const String& value) {
    ReplaceSelection(value, false);
}

void TEditCore::Select(size_t anchor, size_t caret) {
    anchor = std::min(anchor, FText.size());
    caret = std::min(caret, FText.size());
    if (anchor == FAnchor && caret == FCaret) return;
    FAnchor = anchor;
    FCaret = caret;
    FTyping = false;
    FDesiredX = -1;
    FCaretVisible = true;
    ScrollCaret();
    Invalidate();
}

void TEditCore::SelectAll() {
    Select(0, FText.size());
}

void TEditCore::ClearSelection() {
    if (SelFrom() != SelTo()) ReplaceSelection(String(), false);
}

void TEditCore::MoveCaret(size_t pos, bool extend) {
    size_t anchor = extend ? FAnchor : pos;
    int desired = FDesiredX;
    Select(anchor, pos);
    FDesiredX = desired;
}

size_t TEditCore::WordLeft(size_t pos) const {
    if (pos > 0 && IsBreak(FText[pos - 1])) return PrevPos(pos);
    while (pos > 0 && !IsWordChar(static_cast<unsigned char>(FText[pos - 1])) && !IsBreak(FText[pos - 1]))
        pos = PrevCodePoint(FText, pos);
    while (pos > 0 && IsWordChar(static_cast<unsigned char>(FText[pos - 1]))) pos = PrevCodePoint(FText, pos);
    return pos;
}

size_t TEditCore::WordRight(size_t pos) const {
    size_t n = FText.size();
    if (pos < n && IsBreak(FText[pos])) return NextPos(pos);
    while (pos < n && IsWordChar(static_cast<unsigned char>(FText[pos]))) pos = NextCodePoint(FText, pos);
    while (pos < n && !IsWordChar(static_cast<unsigned char>(FText[pos])) && !IsBreak(FText[pos])) ++pos;
    return pos;
}

// ---------------------------------------------------------------------------------------------
// Changes and undo

void TEditCore::SaveUndo(bool typing) {
    if (typing && FTyping && FUndo.Valid) return;
    FUndo.Valid = true;
    FUndo.Text = FText;
    FUndo.Anchor = FAnchor;
    FUndo.Caret = FCaret;
    FTyping = typing;
}

void TEditCore::ReplaceSelection(String text, bool typing) {
    if (ReadOnly) return;
    if (!MultiLine) {
        size_t brk = text.find_first_of("\r\n");
        if (brk != String::npos) text.resize(brk);
    }
    size_t from = SelFrom(), to = SelTo();
    if (MaxLength > 0) {
        int room = MaxLength - (CharCount(0, FText.size()) - CharCount(from, to));
        if (room <= 0)
            text.clear();
        else
            TruncateChars(text, room);
    }
    if (text.empty() && from == to) return;
    SaveUndo(typing);
    FText.replace(from, to - from, text);
    FAnchor = FCaret = from + text.size();
    Modified = true;
    FLayoutValid = false;
    FDesiredX = -1;
    FCaretVisible = true;
    Changed();
    ScrollCaret();
    Invalidate();
    NotifyScroll();
}

void TEditCore::Undo() {
    if (!FUndo.Valid || ReadOnly) return;
    TUndoState current{true, FText, FAnchor, FCaret};
    FText = FUndo.Text;
    FAnchor = std::min(FUndo.Anchor, FText.size());
    FCaret = std::min(FUndo.Caret, FText.size());
    FUndo = current;
    FTyping = false;
    Modified = true;
    FLayoutValid = false;
    FDesiredX = -1;
    Changed();
    ScrollCaret();
    Invalidate();
    NotifyScroll();
}

void TEditCore::CopyToClipboard() {
    // Hidden text does not leave the control.
    if (PasswordChar || SelFrom() == SelTo()) return;
    SetClipboardText(SelText());
}

void TEditCore::CutToClipboard() {
    if (PasswordChar || ReadOnly || SelFrom() == SelTo()) return;
    CopyToClipboard();
    ReplaceSelection(String(), false);
}

void TEditCore::PasteFromClipboard() {
    if (ReadOnly) return;
    std::optional<String> text = GetClipboardText();
    if (!text) return;
    // Bare line feeds from other programs become the CR LF pairs a memo keeps.
    String normal;
    normal.reserve(text->size());
    for (size_t i = 0; i < text->size(); ++i) {
        char c = (*text)[i];
        if (c == '\n' && (i == 0 || (*text)[i - 1] != '\r'))
            normal += "\r\n";
        else
            normal += c;
    }
    ReplaceSelection(normal, false);
}

void TEditCore::Changed() {
    if (OnChange) OnChange();
}

void TEditCore::Invalidate() {
    if (OnInvalidate) OnInvalidate();
}

void TEditCore::NotifyScroll() {
    if (OnScroll) OnScroll();
}

// ---------------------------------------------------------------------------------------------
// Layout

void TEditCore::SetRect(const TRect& rect) {
    if (rect == FRect) return;
    bool widthChanged = rect.Width() != FRect.Width();
    FRect = rect;
    if (widthChanged && WordWrap) FLayoutValid = false;
    ScrollCaret();
    NotifyScroll();
}

void TEditCore::InvalidateLayout() {
    FLayoutValid = false;
    Invalidate();
}

String TEditCore::DisplayRun(size_t from, size_t to) const {
    if (!PasswordChar || MultiLine) return FText.substr(from, to - from);
    String out;
    for (size_t i = from; i < to; i = NextCodePoint(FText, i)) AppendUtf8(out, PasswordChar);
    return out;
}

void TEditCore::LinePositions(const TLine& line, std::vector<size_t>& bytes, std::vector<int>& xs) {
    bytes.clear();
    xs.clear();
    TMeasureDC measure(GetFont ? GetFont() : nullptr);
    HDC dc = measure.DC();
    int tabWidth = std::max(1, measure.Extent("0").cx * 8);
    bytes.push_back(line.Start);
    xs.push_back(0);
    int x = 0;
    size_t pos = line.Start;
    while (pos < line.End) {
        if (FText[pos] == '\t' && (MultiLine || !PasswordChar)) {
            x = (x / tabWidth + 1) * tabWidth;
            ++pos;
            bytes.push_back(pos);
            xs.push_back(x);
            continue;
        }
        size_t runEnd = pos;
        while (runEnd < line.End && FText[runEnd] != '\t') runEnd = NextCodePoint(FText, runEnd);
        String run = DisplayRun(pos, runEnd);
        int count = 0;
        for (char c : run)
            if (!IsUtf8Continuation(c)) ++count;
        // Room for one offset per byte: text that is not valid UTF-8 (a stored string, say) may
        // decode to more characters than the lead bytes counted here.
        std::vector<int> dx(std::max(run.size(), static_cast<size_t>(count)));
        TSize size;
        GetTextExtentExPoint(dc, run, 0, nullptr, dx.data(), &size);
        size_t b = pos;
        for (int i = 0; i < count; ++i) {
            b = NextCodePoint(FText, b);
            bytes.push_back(b);
            xs.push_back(x + dx[static_cast<size_t>(i)]);
        }
        x += size.cx;
        pos = runEnd;
    }
}

void TEditCore::EnsureLayout() {
    if (FLayoutValid) return;
    FLayoutValid = true;
    FContentWidth = -1;
    FLines.clear();
    FLineHeight = TMeasureDC(GetFont ? GetFont() : nullptr).LineHeight();
    if (FLineHeight <= 0) FLineHeight = 13;
    size_t n = FText.size();
    if (!MultiLine) {
        FLines.push_back({0, n, n});
        return;
    }
    int wrapWidth = FRect.Width();
    size_t pos = 0;
    std::vector<size_t> bytes;
    std::vector<int> xs;
    while (true) {
        size_t end = pos;
        while (end < n && !IsBreak(FText[end])) ++end;
        size_t next = end;
        if (next < n) next += (FText[next] == '\r' && next + 1 < n && FText[next + 1] == '\n') ? 2 : 1;
        if (WordWrap && wrapWidth > 0 && end > pos) {
            TLine whole{pos, end, next};
            LinePositions(whole, bytes, xs);
            size_t first = 0; // index into bytes of the current visual line's start
            while (first + 1 < bytes.size()) {
                size_t j = first + 1;
                while (j < bytes.size() && xs[j] - xs[first] <= wrapWidth) ++j;
                if (j >= bytes.size()) break; // the rest fits
                // Break after the last space within the line, else before the character that overflows.
                size_t cut = j - 1;
                for (size_t k = j - 1; k > first; --k) {
                    if (FText[bytes[k] - 1] == ' ') {
                        cut = k;
                        break;
                    }
                }
                if (cut == first) cut = first + 1;
                FLines.push_back({bytes[first], bytes[cut], bytes[cut]});
                first = cut;
            }
            FLines.push_back({bytes[first], end, next});
        } else {
            FLines.push_back({pos, end, next});
        }
        if (end >= n) break;
        pos = next;
        if (pos >= n) {
            FLines.push_back({n, n, n});
            break;
        }
    }
}

int TEditCore::LineHeight() {
    EnsureLayout();
    return FLineHeight;
}

int TEditCore::VisualLineCount() {
    EnsureLayout();
    return static_cast<int>(FLines.size());
}

int TEditCore::VisibleLines() {
    EnsureLayout();
    return std::max(1, FRect.Height() / FLineHeight);
}

int TEditCore::LineWidth(const TLine& line) {
    std::vector<size_t> bytes;
    std::vector<int> xs;
    LinePositions(line, bytes, xs);
    return xs.back();
}

int TEditCore::ContentWidth() {
    EnsureLayout();
    if (FContentWidth < 0) {
        FContentWidth = 0;
        for (const TLine& line : FLines) FContentWidth = std::max(FContentWidth, LineWidth(line));
    }
    return FContentWidth;
}

int TEditCore::LineOffset(const TLine& line) {
    if (Alignment == taLeftJustify) return 0;
    int free = FRect.Width() - LineWidth(line) - 1;
    if (free <= 0) return 0;
    return Alignment == taRightJustify ? free : free / 2;
}

int TEditCore::VisualLineOf(size_t pos) {
    EnsureLayout();
    for (size_t i = 0; i + 1 < FLines.size(); ++i)
        if (pos < FLines[i + 1].Start || (pos <= FLines[i].End && FLines[i].End < FLines[i].Next))
            return static_cast<int>(i);
    return static_cast<int>(FLines.size()) - 1;
}

int TEditCore::XOfPos(size_t pos) {
    const TLine& line = FLines[static_cast<size_t>(VisualLineOf(pos))];
    std::vector<size_t> bytes;
    std::vector<int> xs;
    LinePositions(line, bytes, xs);
    int x = xs.back();
    for (size_t k = 0; k < bytes.size(); ++k)
        if (bytes[k] >= pos) {
            x = xs[k];
            break;
        }
    return x + LineOffset(line);
}

size_t TEditCore::PosInLine(int lineIndex, int x) {
    const TLine& line = FLines[static_cast<size_t>(lineIndex)];
    std::vector<size_t> bytes;
    std::vector<int> xs;
    LinePositions(line, bytes, xs);
    x -= LineOffset(line);
    for (size_t k = 0; k + 1 < bytes.size(); ++k)
        if (x < (xs[k] + xs[k + 1] + 1) / 2) return bytes[k];
    return bytes.back();
}

size_t TEditCore::PosFromPoint(TPoint p) {
    EnsureLayout();
    int row = p.Y < FRect.Top ? -1 : (p.Y - FRect.Top) / FLineHeight;
    int line = std::clamp(FTopLine + row, 0, static_cast<int>(FLines.size()) - 1);
    return PosInLine(line, p.X - FRect.Left + FScrollX);
}

TPoint TEditCore::PointFromPos(size_t pos) {
    EnsureLayout();
    pos = std::min(pos, FText.size());
    int line = VisualLineOf(pos);
    return {FRect.Left + XOfPos(pos) - FScrollX, FRect.Top + (line - FTopLine) * FLineHeight};
}

TRect TEditCore::CaretRect() {
    TPoint p = PointFromPos(FCaret);
    return {p.X, p.Y, p.X + 1, p.Y + FLineHeight};
}

int TEditCore::LogicalLineCount() const {
    int n = 1;
    for (size_t i = 0; i < FText.size(); ++i) {
        if (FText[i] == '\r') {
            ++n;
            if (i + 1 < FText.size() && FText[i + 1] == '\n') ++i;
        } else if (FText[i] == '\n') {
            ++n;
        }
    }
    return n;
}

int TEditCore::LineOfPos(size_t pos) const {
    int line = 0;
    for (size_t i = 0; i < pos && i < FText.size(); ++i) {
        if (FText[i] == '\r') {
            ++line;
            if (i + 1 < FText.size() && FText[i + 1] == '\n') ++i;
        } else if (FText[i] == '\n') {
            ++line;
        }
    }
    return line;
}

size_t TEditCore::LineStart(int line) const {
    if (line <= 0) return 0;
    int current = 0;
    for (size_t i = 0; i < FText.size(); ++i) {
        if (FText[i] == '\r' || FText[i] == '\n') {
            if (FText[i] == '\r' && i + 1 < FText.size() && FText[i + 1] == '\n') ++i;
            if (++current == line) return i + 1;
        }
    }
    return FText.size();
}

void TEditCore::SetTopLine(int value) {
    EnsureLayout();
    int maxTop = std::max(0, static_cast<int>(FLines.size()) - VisibleLines());
    value = std::clamp(value, 0, maxTop);
    if (value == FTopLine) return;
    FTopLine = value;
    Invalidate();
    NotifyScroll();
}

void TEditCore::SetScrollX(int value) {
    value = std::max(0, value);
    if (value == FScrollX) return;
    FScrollX = value;
    Invalidate();
    NotifyScroll();
}

void TEditCore::ScrollCaret() {
    EnsureLayout();
    if (FRect.Width() <= 0 || FRect.Height() <= 0) return;
    int oldTop = FTopLine, oldX = FScrollX;
    int line = VisualLineOf(FCaret);
    int visible = VisibleLines();
    if (line < FTopLine) FTopLine = line;
    if (line >= FTopLine + visible) FTopLine = line - visible + 1;
    FTopLine = std::clamp(FTopLine, 0, std::max(0, static_cast<int>(FLines.size()) - 1));
    if (!MultiLine || !WordWrap) {
        int width = FRect.Width();
        int x = XOfPos(FCaret);
        if (x - FScrollX < 0)
            FScrollX = std::max(0, x - width / 4);
        else if (x - FScrollX > width - 1)
            FScrollX = x - width + 1 + width / 4;
        // Scroll no further than the text needs.
        FScrollX = std::clamp(FScrollX, 0, std::max(0, ContentWidth() + 1 - width));
    } else {
        FScrollX = 0;
    }
    if (oldTop != FTopLine || oldX != FScrollX) {
        Invalidate();
        NotifyScroll();
    }
}

// ---------------------------------------------------------------------------------------------
// Input

bool TEditCore::KeyDown(Word key, TShiftState shift) {
    bool extend = shift.Contains(ssShift);
    bool ctrl = shift.Contains(ssCtrl);
    EnsureLayout();
    switch (key) {
    case VK_LEFT:
        if (!extend && SelFrom() != SelTo())
            MoveCaret(SelFrom(), false);
        else
            MoveCaret(ctrl ? WordLeft(FCaret) : PrevPos(FCaret), extend);
        return true;
    case VK_RIGHT:
        if (!extend && SelFrom() != SelTo())
            MoveCaret(SelTo(), false);
        else
            MoveCaret(ctrl ? WordRight(FCaret) : NextPos(FCaret), extend);
        return true;
    case VK_HOME:
        if (ctrl || !MultiLine)
            MoveCaret(0, extend);
        else
            MoveCaret(FLines[static_cast<size_t>(VisualLineOf(FCaret))].Start, extend);
        return true;
    case VK_END:
        if (ctrl || !MultiLine)
            MoveCaret(FText.size(), extend);
        else
            MoveCaret(FLines[static_cast<size_t>(VisualLineOf(FCaret))].End, extend);
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!MultiLine) return false;
        int step = (key == VK_UP || key == VK_DOWN) ? 1 : std::max(1, VisibleLines() - 1);
        if (key == VK_UP || key == VK_PRIOR) step = -step;
        int line = VisualLineOf(FCaret);
        if (FDesiredX < 0) FDesiredX = XOfPos(FCaret);
        int target = std::clamp(line + step, 0, static_cast<int>(FLines.size()) - 1);
        if (key == VK_PRIOR || key == VK_NEXT) SetTopLine(FTopLine + step);
        int desired = FDesiredX;
        MoveCaret(PosInLine(target, desired), extend);
        FDesiredX = desired;
        return true;
    }
    case VK_DELETE:
        if (ReadOnly) return true;
        if (extend) {
            CutToClipboard();
        } else if (SelFrom() != SelTo()) {
            ReplaceSelection(String(), false);
        } else if (FCaret < FText.size()) {
            size_t to = ctrl ? WordRight(FCaret) : NextPos(FCaret);
            FAnchor = FCaret;
            FCaret = to;
            ReplaceSelection(String(), false);
        }
        return true;
    case VK_INSERT:
        if (ctrl) {
            CopyToClipboard();
            return true;
        }
        if (extend) {
            PasteFromClipboard();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TEditCore::KeyPress(char32_t ch, bool wantTab) {
    switch (ch) {
    case 1:
        SelectAll();
        return true;
    case 3:
        CopyToClipboard();
        return true;
    case 22:
        PasteFromClipboard();
        return true;
    case 24:
        CutToClipboard();
        return true;
    case 26:
        Undo();
        return true;
    case 8:
        if (ReadOnly) return true;
        if (SelFrom() == SelTo()) {
            if (FCaret == 0) return true;
            FAnchor = FCaret;
            FCaret = PrevPos(FCaret);
        }
        ReplaceSelection(String(), false);
        return true;
    case 127:
        if (ReadOnly) return true;
        if (SelFrom() == SelTo()) {
            FAnchor = FCaret;
            FCaret = WordLeft(FCaret);
        }
        ReplaceSelection(String(), false);
        return true;
    case '\r':
    case '\n':
        if (!MultiLine) return false;
        ReplaceSelection("\r\n", false);
        return true;
    case '\t':
        if (!MultiLine || !wantTab) return false;
        ReplaceSelection("\t", true);
        return true;
    default:
        break;
    }
    if (ch < 32 || ch == 127) return false;
    String s;
    AppendUtf8(s, ch);
    ReplaceSelection(s, true);
    return true;
}

void TEditCore::MouseDown(TPoint p, TShiftState shift, bool doubleClick) {
    size_t pos = PosFromPoint(p);
    FMouseSelecting = true;
    FWordSelecting = false;
    if (doubleClick) {
        size_t from = pos, to = pos;
        while (from > 0 && IsWordChar(static_cast<unsigned char>(FText[from - 1]))) from = PrevCodePoint(FText, from);
        while (to < FText.size() && IsWordChar(static_cast<unsigned char>(FText[to]))) to = NextCodePoint(FText, to);
        while (to < FText.size() && FText[to] == ' ') ++to;
        Select(from, to);
        FWordAnchorFrom = from;
        FWordAnchorTo = to;
        FWordSelecting = true;
        return;
    }
    MoveCaret(pos, shift.Contains(ssShift));
}

void TEditCore::MouseMove(TPoint p) {
    if (!FMouseSelecting) return;
    size_t pos = PosFromPoint(p);
    if (FWordSelecting) {
        if (pos < FWordAnchorFrom)
            Select(FWordAnchorTo, pos);
        else
            Select(FWordAnchorFrom, std::max(pos, FWordAnchorTo));
        return;
    }
    MoveCaret(pos, true);
}

void TEditCore::MouseUp() {
    FMouseSelecting = false;
    FWordSelecting = false;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TEditCore::SetFocused(bool value) {
    if (FFocused == value) return;
    FFocused = value;
    FCaretVisible = true;
    Invalidate();
}

bool TEditCore::ToggleCaret() {
    FCaretVisible = !FCaretVisible;
    if (FFocused) Invalidate();
    return FCaretVisible;
}

void TEditCore::Paint(TCanvas* canvas, bool enabled) {
    EnsureLayout();
    HDC dc = canvas->Handle();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, FRect.Left, FRect.Top, FRect.Right, FRect.Bottom);
    SetBkMode(dc, TRANSPARENT);
    COLORREF textColour = enabled ? ColorToRGB(canvas->Font()->Color()) : ColorToRGB(clGrayText);
    COLORREF highText = ColorToRGB(clHighlightText), highBack = ColorToRGB(clHighlight);
    bool showSelection = SelFrom() != SelTo() && (FFocused || !HideSelection);
    size_t selFrom = SelFrom(), selTo = SelTo();
    std::vector<size_t> bytes;
    std::vector<int> xs;
    int last = std::min(static_cast<int>(FLines.size()), FTopLine + VisibleLines() + 1);
    for (int i = FTopLine; i < last; ++i) {
        const TLine& line = FLines[static_cast<size_t>(i)];
        int y = FRect.Top + (i - FTopLine) * FLineHeight;
        int left = FRect.Left - FScrollX + LineOffset(line);
        LinePositions(line, bytes, xs);
        size_t k = 0;
        while (k + 1 < bytes.size()) {
            bool selected = showSelection && bytes[k] >= selFrom && bytes[k] < selTo;
            size_t j = k;
            while (j + 1 < bytes.size() && (showSelection && bytes[j] >= selFrom && bytes[j] < selTo) == selected &&
                   FText[bytes[j]] != '\t')
                ++j;
            if (j == k) j = k + 1; // a tab on its own
            if (selected) {
                TRect band{left + xs[k], y, left + xs[j], y + FLineHeight};
                FillSolidRect(dc, band, highBack);
            }
            if (FText[bytes[k]] != '\t') {
                SetTextColor(dc, selected ? highText : textColour);
                ExtTextOut(dc, left + xs[k], y, 0, nullptr, DisplayRun(bytes[k], bytes[j]));
            }
            k = j;
        }
    }
    if (FFocused && FCaretVisible && enabled) {
        TRect caret = CaretRect();
        FillSolidRect(dc, caret, textColour);
    }
    RestoreDC(dc, saved);
}

} // namespace dw
