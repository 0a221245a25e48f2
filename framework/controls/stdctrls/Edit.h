// Single-line edits.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/stdctrls/EditCore.h"
#include "framework/controls/stdctrls/StdPublish.h"

#include <memory>

namespace dw {

DW_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TCustomControl {
    DW_CLASS(TCustomEdit, TCustomControl)
    // What a fresh one has, for the published defaults.
    static constexpr bool ParentColorDefault = false;
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return FEdit.HideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const { return FEdit.MaxLength; }
    void SetMaxLength(int value) { FEdit.MaxLength = value < 0 ? 0 : value; }
    bool ReadOnly() const { return FEdit.ReadOnly; }
    void SetReadOnly(bool value);
    char32_t PasswordChar() const { return FEdit.PasswordChar; }
    void SetPasswordChar(char32_t value);
    TAlignment Alignment() const { return FEdit.Alignment; }
    void SetAlignment(TAlignment value);
    // Whether the user changed the text since it was last set or the flag cleared.
    bool Modified() const { return FEdit.Modified; }
    void SetModified(bool value) { FEdit.Modified = value; }
    void SetAutoSize(bool value) override;

    int SelStart() const { return FEdit.SelStart(); }
    void SetSelStart(int value) { FEdit.SetSelStart(value); }
    int SelLength() const { return FEdit.SelLength(); }
    void SetSelLength(int value) { FEdit.SetSelLength(value); }
    String SelText() const { return FEdit.SelText(); }
    void SetSelText(const String& value) { FEdit.SetSelText(value); }
    bool CanUndo() const { return FEdit.CanUndo(); }
    void Undo() { FEdit.Undo(); }
    void ClearUndo() { FEdit.ClearUndo(); }
    void SelectAll() { FEdit.SelectAll(); }
    void ClearSelection() { FEdit.ClearSelection(); }
    void Clear() { SetText(String()); }
    void CopyToClipboard() { FEdit.CopyToClipboard(); }
    void CutToClipboard() { FEdit.CutToClipboard(); }
    void PasteFromClipboard() { FEdit.PasteFromClipboard(); }
    // The rectangle the text is laid out in (client coordinates).
    TRect FormattingRect() const { return FEdit.Rect(); }
    // Scrolls the caret into view.
    void ScrollCaret() { FEdit.ScrollCaret(); }
    // The caret's position: the line and the character in the line.
    TPoint CaretPos() const;

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void SetTextImpl(const String& value) override;
    String GetText() const override { return FEdit.Text(); }
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void Resize() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Loaded() override;
    // Fires OnChange.
    virtual void Change();
    // The formatting rectangle for the current client size.
    virtual TRect EditRect();
    void UpdateEditRect();
    virtual bool WantTabs() const { return false; }
    virtual bool WantReturns() const { return false; }
    // Single-line edits take their height from the font while AutoSize is on.
    void AdjustHeight();
    virtual void EditScrolled() {}

    TEditCore FEdit;

private:
    void EditChanged();
    void StartCaretTimer();
    void StopCaretTimer();

    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    bool FCaretTimer = false;
    bool FChanging = false;
};

class TEdit : public TCustomEdit {
    DW_CLASS(TEdit, TCustomEdit)
    using TCustomEdit::TCustomEdit;
};

} // namespace dw
