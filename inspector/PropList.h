// TCustomPropList: the two-pane list whose rows are the visible items of an item tree, drawn
// indented by level with a stepped gutter, folding icons and a mark at the selected row.
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "inspector/DualList.h"
#include "inspector/PropertyItem.h"

namespace dw {

DW_ENUM(TCellType, ctPropName, ctPropValue, ctCategory)

DW_EVENT(TGetCellParamsEvent, (TObject*, TPropertyItem*, TCanvas*, TCellType, TAlignment&),
         "Sender: TObject; Node: TPropertyItem; Canvas: TCanvas; CellType: TCellType; var Alignment: TAlignment");
DW_EVENT(TDrawPropCellEvent, (TObject*, const TRect&, TCellType, TPropertyItem*, TAlignment),
         "Sender: TObject; const R: TRect; CellType: TCellType; Node: TPropertyItem; Alignment: TAlignment");

class TCustomPropList : public TDualList {
    DW_CLASS(TCustomPropList, TDualList)
    explicit TCustomPropList(TComponent* owner);
    ~TCustomPropList() override;
    void AfterConstruction() override;

    TPropListRoot* ItemRoot() const { return FItemRoot.get(); }
    // The root's visible item at ItemIndex, or null.
    TPropertyItem* Selected() const;
    // (level + 1) x IndentStep + IndentBase.
    int Indent(const TPropertyItem* item) const;

    bool ShowGutter() const { return FShowGutter; }
    void SetShowGutter(bool value);
    TColor cGutter() const { return FcGutter; }
    void SetcGutter(TColor value);
    TColor cGutterBnd() const { return FcGutterBnd; }
    void SetcGutterBnd(TColor value);
    TColor cHighlight() const { return FcHighlight; }
    void SetcHighlight(TColor value);
    TColor cHighlightText() const { return FcHighlightText; }
    void SetcHighlightText(TColor value);
    int IndentStep() const { return FIndentStep; }
    void SetIndentStep(int value);
    int IndentBase() const { return FIndentBase; }
    void SetIndentBase(int value);
    TBitmap* FoldingIcon() const { return FFoldingIcon.get(); }
    // Copies the bitmap: two glyphs side by side, expanded on the left.
    void SetFoldingIcon(TBitmap* value);

    TGetCellParamsEvent OnGetCellParams;
    TDrawPropCellEvent OnDrawPropCell;

    // Draws one text in a rectangle, centred vertically, tabs expanded, no prefixes.
    static void DrawCellText(TCanvas* canvas, const TRect& rect, const String& text, TAlignment alignment);

protected:
    virtual std::unique_ptr<TPropListRoot> CreateRoot();
    virtual void GetCellParams(TPropertyItem* item, TCellType cellType, TAlignment& alignment);
    virtual void DrawPropCell(const TRect& rect, TPropertyItem* item, TCellType cellType, TAlignment alignment) {
        (void)rect, (void)item, (void)cellType, (void)alignment;
    }

    void DrawCell(const TRect& rect, int column, bool selected, int index) override;
    bool IsFullRow(int index) override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;

private:
    void DrawGutter(int index, TPropertyItem* item, int left, int top, int bottom);
    void DrawFoldingIcon(int x, int top, int bottom, bool expanded);
    void DrawSelectionMark(int x, int top, int bottom);

    std::unique_ptr<TPropListRoot> FItemRoot;
    bool FShowGutter = true;
    TColor FcGutter = clInfoBk;
    TColor FcGutterBnd = clGray;
    int FIndentStep = 12;
    int FIndentBase = 3;
    TColor FcHighlight = clHighlight;
    TColor FcHighlightText = clHighlightText;
    TObjectPtr<TBitmap> FFoldingIcon;
};

} // namespace dw
