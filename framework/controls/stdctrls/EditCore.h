// TEditCore: the text editing engine behind edits, memos and the text of combo boxes: the text
// with its selection, caret and one level of undo, line layout (word wrap, tabs, password
// characters), scrolling, keyboard and mouse handling, clipboard, and painting. Positions are
// byte offsets into the UTF-8 text that always lie on character boundaries; the caret steps over a CR LF
// pair at once.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/controls/graphics/Canvas.h"

#include <functional>
#include <vector>

namespace dw {

class TEditCore {
public:
    TEditCore();

    // ---- settings
    bool MultiLine = false;
    bool WordWrap = false;
    bool ReadOnly = false;
    bool HideSelection = true;
    // Maximum length in characters; 0: no limit.
    int MaxLength = 0;
    // Shown instead of each character of a single-line text; 0: the text itself.
    char32_t PasswordChar = 0;
    TAlignment Alignment = taLeftJustify;
    // Told whenever the text changed (by the user or the program); the host fires OnChange.
    std::function<void()> OnChange;
    // Told when something must be repainted; the host invalidates its window.
    std::function<void()> OnInvalidate;
    // Told when the scroll position or the extent changed; the host updates its scroll bars.
    std::function<void()> OnScroll;
    // The font the text is laid out and drawn in.
    std::function<const TFont*()> GetFont;

    // ---- text
    const String& Text() const { return FText; }
    // Replaces the text as the program does: caret at the start, no selection, no undo, not
    // modified. MaxLength does not apply.
    void SetText(const String& text);
    // Set by every change the user makes; the host may clear it.
    bool Modified = false;

    // ---- selection (character positions for the public API)
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    // Replaces the selection as if typed (undoable, modifies).
    void SetSelText(const String& value);
    // Byte positions: the anchor stays where a selection started, the caret moves.
    size_t Anchor() const { return FAnchor; }
    size_t Caret() const { return FCaret; }
    size_t SelFrom() const { return std::min(FAnchor, FCaret); }
    size_t SelTo() const { return std::max(FAnchor, FCaret); }
    void Select(size_t anchor, size_t caret);
    void SelectAll();
    void ClearSelection();
    bool CanUndo() const { return FUndo.Valid; }
    void Undo();
    void ClearUndo() { FUndo.Valid = false; }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // Character and byte positions.
    size_t ByteOfChar(int charIndex) const;
    int CharOfByte(size_t pos) const;

    // ---- layout and scrolling
    // The formatting rectangle (client coordinates) the text is laid out in.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& rect);
    // Forgets the layout (after a font change).
    void InvalidateLayout();
    int LineHeight();
    int VisualLineCount();
    // The widest visual line in pixels.
    int ContentWidth();
    int TopLine() const { return FTopLine; }
    void SetTopLine(int value);
    int ScrollX() const { return FScrollX; }
    void SetScrollX(int value);
    int VisibleLines();
    // Scrolls so that the caret is inside the formatting rectangle.
    void ScrollCaret();
    // The caret's rectangle in client coordinates (one pixel wide, a line high).
    TRect CaretRect();
    // The position nearest to a client point.
    size_t PosFromPoint(TPoint p);
    // The client point of a position (the top-left of its character cell).
    TPoint PointFromPos(size_t pos);
    // The logical line (between hard breaks) a position is on, and where a logical line starts.
    int LineOfPos(size_t pos) const;
    size_t LineStart(int line) const;
    int LogicalLineCount() const;

    // ---- input; each answers whether it used the key or click
    bool KeyDown(Word key, TShiftState shift);
    // Printable characters, Backspace, CR (multi-line only), Tab (when wantTab) and the control
    // characters of Ctrl+A, C, V, X, Z.
    bool KeyPress(char32_t ch, bool wantTab);
    void MouseDown(TPoint p, TShiftState shift, bool doubleClick);
    void MouseMove(TPoint p);
    void MouseUp();
    bool Selecting() const { return FMouseSelecting; }

    // ---- focus and painting
    void SetFocused(bool value);
    bool Focused() const { return FFocused; }
    // Caret blinking: call from a timer; answers whether the caret is shown.
    bool ToggleCaret();
    void ShowCaretNow() { FCaretVisible = true; }
    // Paints the text (clipped to the formatting rectangle) on a background already filled.
    void Paint(TCanvas* canvas, bool enabled);

private:
    struct TLine {
        size_t Start = 0;
        size_t End = 0;  // before the line break or the wrap point
        size_t Next = 0; // where the next line starts
    };
    struct TUndoState {
        bool Valid = false;
        String Text;
        size_t Anchor = 0;
        size_t Caret = 0;
    };

    void EnsureLayout();
    // x positions (relative to the line's start) of every character boundary of a line, with
    // the byte position of each boundary.
    void LinePositions(const TLine& line, std::vector<size_t>& bytes, std::vector<int>& xs);
    int LineWidth(const TLine& line);
    int LineOffset(const TLine& line);
    int VisualLineOf(size_t pos);
    size_t PosInLine(int lineIndex, int x);
    int XOfPos(size_t pos);
    String DisplayRun(size_t from, size_t to) const;

    size_t NextPos(size_t pos) const;
    size_t PrevPos(size_t pos) const;
    size_t WordLeft(size_t pos) const;
    size_t WordRight(size_t pos) const;
    int CharCount(size_t from, size_t to) const;

    // Saves the state for undo before a change (a run of typing keeps its first state).
    void SaveUndo(bool typing);
    // Replaces the selection with text (cut to MaxLength and, single-line, to the first line).
    void ReplaceSelection(String text, bool typing);
    void MoveCaret(size_t pos, bool extend);
    void Changed();
    void Invalidate();
    void NotifyScroll();

    String FText;
    size_t FAnchor = 0;
    size_t FCaret = 0;
    TUndoState FUndo;
    bool FTyping = false;
    TRect FRect;
    std::vector<TLine> FLines;
    bool FLayoutValid = false;
    int FContentWidth = -1;
    int FLineHeight = 0;
    int FTopLine = 0;
    int FScrollX = 0;
    int FDesiredX = -1;
    bool FFocused = false;
    bool FCaretVisible = true;
    bool FMouseSelecting = false;
    size_t FWordAnchorFrom = 0;
    size_t FWordAnchorTo = 0;
    bool FWordSelecting = false;
};

} // namespace dw
