#include "framework/designtime/VclPropEdits.h"

#include "framework/controls/forms/Form.h"
#include "framework/controls/forms/Screen.h"
#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TColorProperty) {}
DW_DEFINE_CLASS(TBrushStyleProperty) {}
DW_DEFINE_CLASS(TPenStyleProperty) {}
DW_DEFINE_CLASS(TCursorProperty) {}
DW_DEFINE_CLASS(TFontProperty) {}
DW_DEFINE_CLASS(TFontNameProperty) {}
DW_DEFINE_CLASS(TFontCharsetProperty) {}
DW_DEFINE_CLASS(TModalResultProperty) {}
DW_DEFINE_CLASS(TTabOrderProperty) {}
DW_DEFINE_CLASS(TCaptionProperty) {}
DW_DEFINE_CLASS(TComponentNameProperty) {}
DW_DEFINE_CLASS(TDateProperty) {}
DW_DEFINE_CLASS(TTimeProperty) {}
DW_DEFINE_CLASS(TDateTimeProperty) {}

const TTypeInfo& DateTypeInfo() {
    static const TTypeInfo& info = NamedType(tkFloat, "TDate");
    return info;
}

const TTypeInfo& TimeTypeInfo() {
    static const TTypeInfo& info = NamedType(tkFloat, "TTime");
    return info;
}

namespace {

// Both drawing interfaces of an editor that implements them, else what the base answers.
template <class E> HRESULT QueryDrawing(E* self, const TGUID& iid, void** obj) {
    if (iid == ICustomPropertyDrawing::IID) {
        *obj = static_cast<ICustomPropertyDrawing*>(self);
        self->AddRef();
        return S_OK;
    }
    if (iid == ICustomPropertyListDrawing::IID) {
        *obj = static_cast<ICustomPropertyListDrawing*>(self);
        self->AddRef();
        return S_OK;
    }
    return self->TPropertyEditor::QueryInterface(iid, obj);
}

// Puts the canvas's pen and brush back as they were when the drawing is done.
class TCanvasToolsSaver {
public:
    explicit TCanvasToolsSaver(TCanvas* canvas)
        : FCanvas(canvas), FPenColor(canvas->Pen()->Color()), FPenStyle(canvas->Pen()->Style()),
          FBrushColor(canvas->Brush()->Color()), FBrushStyle(canvas->Brush()->Style()) {}
    ~TCanvasToolsSaver() {
        FCanvas->Pen()->SetColor(FPenColor);
        FCanvas->Pen()->SetStyle(FPenStyle);
        FCanvas->Brush()->SetColor(FBrushColor);
        FCanvas->Brush()->SetStyle(FBrushStyle);
    }
    TCanvasToolsSaver(const TCanvasToolsSaver&) = delete;
    TCanvasToolsSaver& operator=(const TCanvasToolsSaver&) = delete;

private:
    TCanvas* FCanvas;
    TColor FPenColor;
    TPenStyle FPenStyle;
    TColor FBrushColor;
    TBrushStyle FBrushStyle;
};

// A swatch frame that stands out from the row: black, or white on a dark selected row.
TColor SwatchBorder(TColor color, bool selected) {
    COLORREF rgb = ColorToRGB(color);
    int sum = (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF);
    if (sum > 0x180 || !selected) return clBlack;
    return clWhite;
}

void DrawValueOrDefault(IProperty* prop, ICustomPropertyListDrawing* list, TCanvas* canvas, const TRect& rect) {
    String value = GetVisualValue(prop);
    if (value.empty())
        DefaultPropertyDrawValue(prop, canvas, rect);
    else
        list->ListDrawValue(value, canvas, rect, true);
}

} // namespace

// ---------------------------------------------------------------------------------------------

HRESULT TColorProperty::QueryInterface(const TGUID& iid, void** obj) {
    return QueryDrawing(this, iid, obj);
}

String TColorProperty::GetValue() {
    return ColorToString(static_cast<TColor>(GetOrdValue()));
}

void TColorProperty::GetValues(const TGetStrProc& proc) {
    GetColorValues(proc);
}

void TColorProperty::SetValue(const String& value) {
    SetOrdValue(StringToColor(Trim(value)));
}

void TColorProperty::PropDrawName(TCanvas* canvas, const TRect& rect, bool) {
    DefaultPropertyDrawName(this, canvas, rect);
}

void TColorProperty::PropDrawValue(TCanvas* canvas, const TRect& rect, bool) {
    DrawValueOrDefault(this, this, canvas, rect);
}

void TColorProperty::ListMeasureWidth(const String&, TCanvas* canvas, int& width) {
    width += canvas->TextHeight("M");
}

void TColorProperty::ListMeasureHeight(const String&, TCanvas*, int&) {}

void TColorProperty::ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) {
    int right = rect.Left + (rect.Bottom - rect.Top);
    {
        TCanvasToolsSaver saver(canvas);
        canvas->Pen()->SetColor(canvas->Brush()->Color());
        canvas->Rectangle(rect.Left, rect.Top, right, rect.Bottom);
        TColor color = clBlack;
        try {
            color = StringToColor(value);
        } catch (const EConvertError&) {
            // A value that names no colour gets an empty swatch, not a failed paint.
        }
        canvas->Brush()->SetColor(color);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetColor(SwatchBorder(color, selected));
        canvas->Rectangle(rect.Left + 1, rect.Top + 1, right - 1, rect.Bottom - 1);
    }
    DefaultPropertyListDrawValue(value, canvas, TRect{right, rect.Top, rect.Right, rect.Bottom}, selected);
}

// ---------------------------------------------------------------------------------------------

HRESULT TBrushStyleProperty::QueryInterface(const TGUID& iid, void** obj) {
    return QueryDrawing(this, iid, obj);
}

void TBrushStyleProperty::PropDrawName(TCanvas* canvas, const TRect& rect, bool) {
    DefaultPropertyDrawName(this, canvas, rect);
}

void TBrushStyleProperty::PropDrawValue(TCanvas* canvas, const TRect& rect, bool) {
    DrawValueOrDefault(this, this, canvas, rect);
}

void TBrushStyleProperty::ListMeasureWidth(const String&, TCanvas* canvas, int& width) {
    width += canvas->TextHeight("A");
}

void TBrushStyleProperty::ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) {
    int right = rect.Left + (rect.Bottom - rect.Top);
    {
        TCanvasToolsSaver saver(canvas);
        canvas->Pen()->SetColor(canvas->Brush()->Color());
        canvas->Brush()->SetColor(clWindow);
        canvas->Rectangle(rect.Left, rect.Top, right, rect.Bottom);
        Int64 style = GetEnumValue(*GetPropType(), value);
        if (style < 0 || style == bsClear) {
            canvas->Brush()->SetColor(clWindow);
            canvas->Brush()->SetStyle(bsSolid);
        } else {
            canvas->Brush()->SetColor(clWindowText);
            canvas->Brush()->SetStyle(static_cast<TBrushStyle>(style));
        }
        canvas->Pen()->SetColor(SwatchBorder(clWindow, selected));
        canvas->Rectangle(rect.Left + 1, rect.Top + 1, right - 1, rect.Bottom - 1);
    }
    DefaultPropertyListDrawValue(value, canvas, TRect{right, rect.Top, rect.Right, rect.Bottom}, selected);
}

// ---------------------------------------------------------------------------------------------

HRESULT TPenStyleProperty::QueryInterface(const TGUID& iid, void** obj) {
    return QueryDrawing(this, iid, obj);
}

void TPenStyleProperty::PropDrawName(TCanvas* canvas, const TRect& rect, bool) {
    DefaultPropertyDrawName(this, canvas, rect);
}

void TPenStyleProperty::PropDrawValue(TCanvas* canvas, const TRect& rect, bool) {
    DrawValueOrDefault(this, this, canvas, rect);
}

void TPenStyleProperty::ListMeasureWidth(const String&, TCanvas* canvas, int& width) {
    width += canvas->TextHeight("X") * 2;
}

void TPenStyleProperty::ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) {
    int right = rect.Left + (rect.Bottom - rect.Top) * 2;
    int middle = rect.Top + (rect.Bottom - rect.Top) / 2;
    {
        TCanvasToolsSaver saver(canvas);
        canvas->Pen()->SetColor(canvas->Brush()->Color());
        canvas->Brush()->SetColor(clWindow);
        canvas->Rectangle(rect.Left, rect.Top, right, rect.Bottom);
        canvas->Pen()->SetColor(clWindowText);
        Int64 style = GetEnumValue(*GetPropType(), value);
        canvas->Pen()->SetStyle(style < 0 || style == psInsideFrame ? psSolid : static_cast<TPenStyle>(style));
        canvas->MoveTo(rect.Left + 1, middle);
        canvas->LineTo(right - 1, middle);
        canvas->MoveTo(rect.Left + 1, middle + 1);
        canvas->LineTo(right - 1, middle + 1);
    }
    DefaultPropertyListDrawValue(value, canvas, TRect{right, rect.Top, rect.Right, rect.Bottom}, selected);
}

// ---------------------------------------------------------------------------------------------

String TCursorProperty::GetValue() {
    return CursorToString(static_cast<TCursor>(GetOrdValue()));
}

void TCursorProperty::GetValues(const TGetStrProc& proc) {
    GetCursorValues(proc);
}

void TCursorProperty::SetValue(const String& value) {
    int cursor;
    if (IdentToCursor(Trim(value), cursor)) {
        SetOrdValue(cursor);
        return;
    }
    TIntegerProperty::SetValue(value);
}

void TFontNameProperty::GetValues(const TGetStrProc& proc) {
    if (!Screen) return;
    for (const String& name : Screen->Fonts()) proc(name);
}

String TFontCharsetProperty::GetValue() {
    String ident;
    if (CharsetToIdent(static_cast<int>(GetOrdValue()), ident)) return ident;
    return TIntegerProperty::GetValue();
}

void TFontCharsetProperty::GetValues(const TGetStrProc& proc) {
    GetCharsetValues(proc);
}

void TFontCharsetProperty::SetValue(const String& value) {
    int charset;
    if (IdentToCharset(Trim(value), charset)) {
        SetOrdValue(charset);
        return;
    }
    TIntegerProperty::SetValue(value);
}

namespace {
constexpr const char* ModalResultNames[] = {"mrNone", "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                            "mrYes",  "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};
constexpr int ModalResultCount = 11;
} // namespace

String TModalResultProperty::GetValue() {
    Int64 v = GetOrdValue();
    if (v >= 0 && v < ModalResultCount) return ModalResultNames[v];
    return TIntegerProperty::GetValue();
}

void TModalResultProperty::GetValues(const TGetStrProc& proc) {
    for (const char* name : ModalResultNames) proc(name);
}

void TModalResultProperty::SetValue(const String& value) {
    for (int i = 0; i < ModalResultCount; ++i)
        if (SameText(Trim(value), ModalResultNames[i])) {
            SetOrdValue(i);
            return;
        }
    TIntegerProperty::SetValue(value);
}

// ---------------------------------------------------------------------------------------------

String TDateProperty::GetValue() {
    double v = GetFloatValue();
    return v == 0 ? String() : DateToStr({v});
}

void TDateProperty::SetValue(const String& value) {
    SetFloatValue(Trim(value).empty() ? 0.0 : StrToDate(value).Value);
}

String TTimeProperty::GetValue() {
    return TimeToStr({GetFloatValue()});
}

void TTimeProperty::SetValue(const String& value) {
    SetFloatValue(Trim(value).empty() ? 0.0 : StrToTime(value).Value);
}

String TDateTimeProperty::GetValue() {
    double v = GetFloatValue();
    return v == 0 ? String() : DateTimeToStr({v});
}

void TDateTimeProperty::SetValue(const String& value) {
    SetFloatValue(Trim(value).empty() ? 0.0 : StrToDateTime(value).Value);
}

} // namespace dw
