// The framework's editors for the plain type kinds: integers, 64-bit integers, characters,
// enumerations, sets and their elements, floats, strings and variants.
#pragma once

#include "framework/designtime/PropEdit.h"

namespace dw {

class TOrdinalProperty : public TPropertyEditor {
    DW_CLASS(TOrdinalProperty, TPropertyEditor)
    int GetEditLimit() override { return 63; }
};

// Decimal; a value outside the type's range is refused with "Value must be between %d and %d".
class TIntegerProperty : public TOrdinalProperty {
    DW_CLASS(TIntegerProperty, TOrdinalProperty)
    String GetValue() override;
    void SetValue(const String& value) override;
};

// The character, or "#%d" for one outside 33..127; "#65" or a single character sets it.
class TCharProperty : public TOrdinalProperty {
    DW_CLASS(TCharProperty, TOrdinalProperty)
    String GetValue() override;
    void SetValue(const String& value) override;
};

// The value's name; the value list is every name of the type.
class TEnumProperty : public TOrdinalProperty {
    DW_CLASS(TEnumProperty, TOrdinalProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
};

// "[a,b]"; one TSetElementProperty per element of the set's type.
class TSetProperty : public TOrdinalProperty {
    DW_CLASS(TSetProperty, TOrdinalProperty)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSubProperties, paReadOnly, paRevertable}; }
    String GetValue() override;
    void GetProperties(const TGetPropProc& proc) override;
    // "[a, b]" or "a,b"; an unknown element or a missing bracket is refused.
    void SetValue(const String& value) override;
};

// One element of a set: "False" or "True" for whether each object's set holds it.
class TSetElementProperty : public TPropertyEditor {
    DW_CLASS(TSetElementProperty, TPropertyEditor)
    void SetElement(int element) { FElement = element; }
    int Element() const { return FElement; }
    bool AllEqual() override;
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList}; }
    String GetName() override;
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;

private:
    int FElement = 0;
};

class TInt64Property : public TPropertyEditor {
    DW_CLASS(TInt64Property, TPropertyEditor)
    int GetEditLimit() override { return 63; }
    String GetValue() override;
    void SetValue(const String& value) override;
};

class TFloatProperty : public TPropertyEditor {
    DW_CLASS(TFloatProperty, TPropertyEditor)
    String GetValue() override;
    // Refuses malformed and non-finite numbers, and values a single cannot hold.
    void SetValue(const String& value) override;
};

class TStringProperty : public TPropertyEditor {
    DW_CLASS(TStringProperty, TPropertyEditor)
    int GetEditLimit() override;
    String GetValue() override { return GetStrValue(); }
    void SetValue(const String& value) override;
};

// The value; "(Null)" for null. Typed text keeps the kind of the current value.
class TVariantProperty : public TPropertyEditor {
    DW_CLASS(TVariantProperty, TPropertyEditor)
    String GetValue() override;
    void SetValue(const String& value) override;
};

} // namespace dw
