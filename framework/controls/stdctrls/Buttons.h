// Buttons with pictures: TSpeedButton (a graphic control with a glyph, flat look, groups and
// sticky Down state) and TBitBtn (a push button with a glyph and standard kinds such as OK and
// Cancel).
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw {

DW_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
DW_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)
DW_ENUM(TButtonStyle, bsAutoDetect, bsWin31, bsNew)
DW_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)
using TNumGlyphs = int;

// Places a glyph and a caption inside a button face: the layout puts the glyph on one side,
// Margin is the space from the edge (-1: centre the pair), Spacing the gap between glyph and text
// (-1: centre the text in the space left). Draws glyph cell `state` of a strip of numGlyphs.
void DrawButtonGlyphAndText(TCanvas* canvas, const TRect& client, TBitmap* glyph, int numGlyphs, TButtonState state,
                            const String& caption, TButtonLayout layout, int margin, int spacing, bool pressed,
                            bool enabled);

// Ties a speed button to its action: Down follows Checked.
class TSpeedButtonActionLink : public TControlActionLink {
    DW_CLASS(TSpeedButtonActionLink, TControlActionLink)
    using TControlActionLink::TControlActionLink;
    bool IsCheckedLinked() const override;
    void SetChecked(bool value) override;
};

class TSpeedButton : public TGraphicControl {
    DW_CLASS(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    // Buttons of the same parent with the same non-zero GroupIndex are one group: at most one of
    // them is down; with AllowAllUp the down one can be released.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TButtonState State() const { return FState; }

    void Click() override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;

private:
    void UpdateExclusive();
    void GlyphChanged(TObject* sender);

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    TObjectPtr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FTransparent = true;
    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
};

class TBitBtn : public TButton {
    DW_CLASS(TBitBtn, TButton)
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    // Setting a kind other than bkCustom sets the caption, the modal result, Default or Cancel and
    // the glyph of that kind; the caption and modal result are then stored only when changed.
    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle value) { FStyle = value; }
    bool IsCustomCaption() const;
    bool IsCustomModalResult() const;
    bool IsCustomGlyph() const { return FKind == bkCustom; }

    void Click() override;

protected:
    void Paint() override;

private:
    void GlyphChanged(TObject* sender);
    TBitBtnKind FKind = bkCustom;
    TObjectPtr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonStyle FStyle = bsAutoDetect;
    bool FSettingKind = false;
};

// The caption and the glyph of a standard kind (the glyph 18 x 18 with two cells, drawn by the
// framework).
String BitBtnCaption(TBitBtnKind kind);
TModalResult BitBtnModalResult(TBitBtnKind kind);
void LoadBitBtnGlyph(TBitBtnKind kind, TBitmap* glyph);

} // namespace dw
