// The framework's editors for the common types of the control library: colours, brush and pen
// styles, cursors, fonts, font names and character sets, modal results, tab orders, captions,
// component names, and dates and times.
#pragma once

#include "framework/designtime/RefPropEdits.h"
#include "framework/designtime/StdPropEdits.h"

namespace dw {

// "clRed" or "$00FF8000"; the value list holds the colour names, drawn with a swatch.
class TColorProperty : public TIntegerProperty, public ICustomPropertyDrawing, public ICustomPropertyListDrawing {
    DW_CLASS(TColorProperty, TIntegerProperty)
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TPropertyEditor::AddRef(); }
    int Release() override { return TPropertyEditor::Release(); }

    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paRevertable}; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;

    void PropDrawName(TCanvas* canvas, const TRect& rect, bool selected) override;
    void PropDrawValue(TCanvas* canvas, const TRect& rect, bool selected) override;
    void ListMeasureWidth(const String& value, TCanvas* canvas, int& width) override;
    void ListMeasureHeight(const String& value, TCanvas* canvas, int& height) override;
    void ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) override;
};

// Enumerations whose list shows a sample of each value: a brush pattern or a pen line.
class TBrushStyleProperty : public TEnumProperty, public ICustomPropertyDrawing, public ICustomPropertyListDrawing {
    DW_CLASS(TBrushStyleProperty, TEnumProperty)
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TPropertyEditor::AddRef(); }
    int Release() override { return TPropertyEditor::Release(); }
    void PropDrawName(TCanvas* canvas, const TRect& rect, bool selected) override;
    void PropDrawValue(TCanvas* canvas, const TRect& rect, bool selected) override;
    void ListMeasureWidth(const String& value, TCanvas* canvas, int& width) override;
    void ListMeasureHeight(const String&, TCanvas*, int&) override {}
    void ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) override;
};

class TPenStyleProperty : public TEnumProperty, public ICustomPropertyDrawing, public ICustomPropertyListDrawing {
    DW_CLASS(TPenStyleProperty, TEnumProperty)
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TPropertyEditor::AddRef(); }
    int Release() override { return TPropertyEditor::Release(); }
    void PropDrawName(TCanvas* canvas, const TRect& rect, bool selected) override;
    void PropDrawValue(TCanvas* canvas, const TRect& rect, bool selected) override;
    void ListMeasureWidth(const String& value, TCanvas* canvas, int& width) override;
    void ListMeasureHeight(const String&, TCanvas*, int&) override {}
    void ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) override;
};

// "crDefault"; the value list holds the cursor names.
class TCursorProperty : public TIntegerProperty {
    DW_CLASS(TCursorProperty, TIntegerProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSortList, paValueList, paRevertable}; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
};

// "(TFont)" with the font's properties below it.
class TFontProperty : public TClassProperty {
    DW_CLASS(TFontProperty, TClassProperty)
};

// The screen's font names.
class TFontNameProperty : public TStringProperty {
    DW_CLASS(TFontNameProperty, TStringProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSortList, paValueList, paRevertable}; }
    void GetValues(const TGetStrProc& proc) override;
};

// "ANSI_CHARSET" or a number 0 to 255.
class TFontCharsetProperty : public TIntegerProperty {
    DW_CLASS(TFontCharsetProperty, TIntegerProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSortList, paValueList, paRevertable}; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
};

// "mrOk" and the other modal results by name, or a number.
class TModalResultProperty : public TIntegerProperty {
    DW_CLASS(TModalResultProperty, TIntegerProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paRevertable}; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
};

// A tab order belongs to one control: not offered for several.
class TTabOrderProperty : public TIntegerProperty {
    DW_CLASS(TTabOrderProperty, TIntegerProperty)
    TPropertyAttributes GetAttributes() override { return {}; }
};

// Written on every keystroke, so the form shows the caption as it is typed.
class TCaptionProperty : public TStringProperty {
    DW_CLASS(TCaptionProperty, TStringProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paAutoUpdate, paRevertable}; }
};

// A name belongs to one component; the component refuses names that break its rules.
class TComponentNameProperty : public TStringProperty {
    DW_CLASS(TComponentNameProperty, TStringProperty)
    TPropertyAttributes GetAttributes() override { return {}; }
    int GetEditLimit() override { return 63; }
};

// "yyyy-mm-dd", "hh:nn:ss" or both; empty text is day 0 at midnight.
class TDateProperty : public TFloatProperty {
    DW_CLASS(TDateProperty, TFloatProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
    String GetValue() override;
    void SetValue(const String& value) override;
};

class TTimeProperty : public TFloatProperty {
    DW_CLASS(TTimeProperty, TFloatProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
    String GetValue() override;
    void SetValue(const String& value) override;
};

class TDateTimeProperty : public TFloatProperty {
    DW_CLASS(TDateTimeProperty, TFloatProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
    String GetValue() override;
    void SetValue(const String& value) override;
};

// The named types of dates and times alone (TDateTime itself is the rtl's).
const TTypeInfo& DateTypeInfo();
const TTypeInfo& TimeTypeInfo();

} // namespace dw
