// Memos: multi-line edits and the string list view of their lines.
#pragma once

#include "framework/controls/stdctrls/Edit.h"
#include "framework/rtl/StringList.h"

#include <string_view>

namespace dw {

DW_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

class TCustomMemo;

// The lines of a memo: a view of its text, one line per hard line break.
class TMemoStrings : public TStrings {
    DW_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo* memo = nullptr) : FMemo(memo) {}
    int Count() const override;
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetText(std::string_view text) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    // Lines added at the end during an update wait here and reach the memo in one piece, so
    // that loading a memo is linear in its text.
    void Flush() const;
    TCustomMemo* FMemo;
    mutable String FPending;
    mutable int FPendingCount = 0;
};

class TCustomMemo : public TCustomEdit {
    DW_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value) { FLines->Assign(value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FEdit.WordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const override { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const override { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    TRect EditRect() override;
    void KeyPress(char32_t& key) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void EditScrolled() override;

private:
    friend class TMemoStrings;
    void UpdateScrollBars();
    void ScrollMessage(int bar, WPARAM wParam);

    TObjectPtr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FUpdatingBars = false;
};

class TMemo : public TCustomMemo {
    DW_CLASS(TMemo, TCustomMemo)
    using TCustomMemo::TCustomMemo;
};

} // namespace dw
