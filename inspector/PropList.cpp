#include "inspector/PropList.h"

#include "framework/rtl/ClassInfo.h"

#include <cstdlib>

namespace dw {

DW_DEFINE_CLASS(TCustomPropList) {}

TCustomPropList::TCustomPropList(TComponent* owner) : TDualList(owner), FFoldingIcon(New<TBitmap>()) {
    if (ComponentState().Contains(csDesigning)) {
        try {
            FFoldingIcon->LoadFromResourceName("FOLDINGICON");
        } catch (const Exception&) {
            // Without the picture the drawn plus and minus boxes stand in.
        }
    }
}

TCustomPropList::~TCustomPropList() = default;

void TCustomPropList::AfterConstruction() {
    TDualList::AfterConstruction();
    FItemRoot = CreateRoot();
}

std::unique_ptr<TPropListRoot> TCustomPropList::CreateRoot() {
    return std::make_unique<TPropListRoot>(this);
}

TPropertyItem* TCustomPropList::Selected() const {
    if (ItemIndex() < 0 || !FItemRoot || FItemRoot->VisibleCount() == 0) return nullptr;
    return FItemRoot->VisibleItem(ItemIndex());
}

int TCustomPropList::Indent(const TPropertyItem* item) const {
    return (item->Level() + 1) * FIndentStep + FIndentBase;
}

void TCustomPropList::SetShowGutter(bool value) {
    if (value == FShowGutter) return;
    FShowGutter = value;
    Invalidate();
}

void TCustomPropList::SetcGutter(TColor value) {
    if (value == FcGutter) return;
    FcGutter = value;
    if (FShowGutter) Invalidate();
}

void TCustomPropList::SetcGutterBnd(TColor value) {
    if (value == FcGutterBnd) return;
    FcGutterBnd = value;
    if (FShowGutter) Invalidate();
}

void TCustomPropList::SetcHighlight(TColor value) {
    if (value == FcHighlight) return;
    FcHighlight = value;
    Invalidate();
}

void TCustomPropList::SetcHighlightText(TColor value) {
    if (value == FcHighlightText) return;
    FcHighlightText = value;
    Invalidate();
}

void TCustomPropList::SetIndentStep(int value) {
    FIndentStep = value;
    Invalidate();
}

void TCustomPropList::SetIndentBase(int value) {
    FIndentBase = value;
    Invalidate();
}

void TCustomPropList::SetFoldingIcon(TBitmap* value) {
    FFoldingIcon->Assign(value);
    Invalidate();
}

void TCustomPropList::GetCellParams(TPropertyItem* item, TCellType cellType, TAlignment& alignment) {
    if (OnGetCellParams) OnGetCellParams(this, item, Canvas(), cellType, alignment);
}

bool TCustomPropList::IsFullRow(int index) {
    TPropertyItem* item = FItemRoot ? FItemRoot->VisibleItem(index) : nullptr;
    return item && !item->HasValueColumn();
}

void TCustomPropList::DrawCellText(TCanvas* canvas, const TRect& rect, const String& text, TAlignment alignment) {
    TTextFormat format{tfExpandTabs, tfNoPrefix};
    format += alignment == taRightJustify ? tfRight : alignment == taCenter ? tfCenter : tfLeft;
    TRect r = rect;
    r.Top += std::max(1, (r.Height() - canvas->TextHeight("W")) / 2);
    canvas->TextRect(r, text, format);
}

void TCustomPropList::DrawCell(const TRect& cellRect, int column, bool selected, int index) {
    (void)selected;
    if (!FItemRoot || index >= FItemRoot->VisibleCount()) return;
    TPropertyItem* item = FItemRoot->VisibleItem(index);
    TCellType cellType = !item->HasValueColumn() ? ctCategory : column == 0 ? ctPropName : ctPropValue;
    if (cellType == ctCategory && column != 0) return;
    TRect rect = cellRect;
    if (cellType == ctCategory) rect.Right = ClientWidth();
    int left = rect.Left;
    int indent = Indent(item);
    if (column == 0) rect.Left += indent + 1;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->SetFont(Font());
    TAlignment alignment = taLeftJustify;
    GetCellParams(item, cellType, alignment);
    if (!ShowSelFrame() && column == 0 && index == ItemIndex()) {
        Canvas()->Brush()->SetColor(FcHighlight);
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Font()->SetColor(FcHighlightText);
    }
    Canvas()->FillRect(rect);
    if (OnDrawPropCell)
        OnDrawPropCell(this, rect, cellType, item, alignment);
    else
        DrawPropCell(rect, item, cellType, alignment);
    if (column != 0) return;
    if (FShowGutter) DrawGutter(index, item, left, rect.Top, rect.Bottom);
    if (item->HasChildren()) DrawFoldingIcon(left + indent, rect.Top, rect.Bottom, item->Expanded());
    if (index == ItemIndex()) {
        if (!item->HasChildren())
            DrawSelectionMark(left + indent, rect.Top, rect.Bottom);
        else if (item->Level() > 0)
            DrawSelectionMark(left + indent - FIndentStep, rect.Top, rect.Bottom);
    }
}

void TCustomPropList::DrawGutter(int index, TPropertyItem* item, int left, int top, int bottom) {
    int edge = left + Indent(item);
    int level = item->Level();
    auto levelOf = [this](int i) { return FItemRoot->VisibleItem(i)->Level(); };
    auto delta = [level](int other) { return other == level ? 0 : other > level ? 2 : -2; };
    int prevDelta = index == 0 ? 0 : delta(levelOf(index - 1));
    int nextDelta = index + 1 >= FItemRoot->VisibleCount() ? 0 : delta(levelOf(index + 1));
    int levelDiff = index == 0 ? 0 : levelOf(index - 1) - level;
    Canvas()->Brush()->SetColor(FcGutter);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Pen()->SetStyle(psClear);
    Canvas()->Polygon({TPoint{left, top - 1}, TPoint{edge + prevDelta, top - 1}, TPoint{edge, top + 1},
                       TPoint{edge, bottom - 1}, TPoint{edge + nextDelta, bottom + 1}, TPoint{left, bottom + 1}});
    Canvas()->Pen()->SetStyle(psSolid);
    Canvas()->Pen()->SetWidth(1);
    Canvas()->Pen()->SetColor(FcGutterBnd);
    Canvas()->Polyline({TPoint{edge + FIndentStep * levelDiff - prevDelta, top - 1}, TPoint{edge + prevDelta, top - 1},
                        TPoint{edge, top + 1}, TPoint{edge, bottom - 2}, TPoint{edge + nextDelta, bottom}});
}

void TCustomPropList::DrawFoldingIcon(int x, int top, int bottom, bool expanded) {
    if (FFoldingIcon->Empty()) {
        int bx = x - 12, by = (top + bottom) / 2 - 4;
        Canvas()->Pen()->SetStyle(psSolid);
        Canvas()->Pen()->SetColor(clBlack);
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Rectangle(bx, by, bx + 9, by + 9);
        Canvas()->MoveTo(bx + 2, by + 4);
        Canvas()->LineTo(bx + 9 - 2, by + 4);
        if (!expanded) {
            Canvas()->MoveTo(bx + 4, by + 2);
            Canvas()->LineTo(bx + 4, by + 7);
        }
        return;
    }
    int width = FFoldingIcon->Width() / 2, height = FFoldingIcon->Height();
    int sourceLeft = expanded ? 0 : width;
    int destTop = (top + bottom - height) / 2;
    TCanvas* source = FFoldingIcon->Canvas();
    TColor key = source->Pixels(0, height - 1);
    for (int y = 0; y < height; ++y)
        for (int x0 = 0; x0 < width; ++x0) {
            TColor c = source->Pixels(sourceLeft + x0, y);
            if (c != key) Canvas()->SetPixels(x - 12 + x0, destTop + y, c);
        }
}

void TCustomPropList::DrawSelectionMark(int x, int top, int bottom) {
    int y0 = (top + bottom) / 2 - 4;
    Canvas()->Pen()->SetStyle(psSolid);
    Canvas()->Pen()->SetWidth(1);
    Canvas()->Pen()->SetColor(clBlack);
    for (int a : {x - 12, x - 11, x - 8, x - 7})
        Canvas()->Polyline({TPoint{a, y0}, TPoint{a + 3, y0 + 3}, TPoint{a - 1, y0 + 7}});
}

void TCustomPropList::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    TDualList::MouseDown(button, shift, x, y);
    if (button != mbLeft || Splitting()) return;
    TPropertyItem* item = Selected();
    if (!item || !item->HasChildren()) return;
    int indent = Indent(item);
    if ((x >= indent - 12 && x < indent - 2) || (shift.Contains(ssDouble) && x < SplitPos()))
        item->SetExpanded(!item->Expanded());
}

} // namespace dw
