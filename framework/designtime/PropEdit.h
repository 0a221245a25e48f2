// TPropertyEditor, the base of every property editor: one published property of one or more
// selected objects. It reads the first object and writes all of them.
#pragma once

#include "framework/designtime/PropertyIntf.h"

#include <vector>

namespace dw {

class TEditorRegistry;

// A class derived from TPropertyEditor.
using TPropertyEditorClass = TClass;

class TPropertyEditor : public TObject, public IProperty, public IPropertyIsDefault {
    DW_CLASS(TPropertyEditor, TObject)
    TPropertyEditor() = default;

    // Made by the registry's enumeration: the designer, the registry the editor came from (for
    // sub-property enumerations), and one entry per selected object.
    static TPropertyEditor* Create(TPropertyEditorClass editorClass, IDesigner* designer, TEditorRegistry* registry,
                                   int propCount);
    void SetPropEntry(int index, TPersistent* instance, const TPropInfo* propInfo);
    // Runs once the entries are set, before the editor is handed out.
    virtual void Initialize() {}

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;

    void Activate() override {}
    // One object, or every object holds the first one's value.
    bool AllEqual() override;
    bool AutoFill() override { return true; }
    // Steps to the next value of the value list (wrapping); editors with a dialog open it.
    void Edit() override;
    bool HasInstance(TPersistent* instance) override;
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
    int GetEditLimit() override { return 2047; }
    bool GetEditValue(String& value) override;
    String GetName() override;
    void GetProperties(const TGetPropProc&) override {}
    const TPropInfo* GetPropInfo() override { return FPropList[0].PropInfo; }
    const TTypeInfo* GetPropType() override { return FPropList[0].PropInfo->PropType; }
    // "(Not available)": the value of a property no editor class can show.
    String GetValue() override;
    void GetValues(const TGetStrProc&) override {}
    void Revert() override;
    void SetValue(const String&) override {}
    // Whether the value can be read for every object.
    bool ValueAvailable() override;

    // The first object's value is its property's declared default (ordinals), or empty, zero or
    // unassigned for properties without one; an object's value the stream skips counts as default.
    bool IsDefault() override;

    IDesigner* Designer() const { return FDesigner; }
    TEditorRegistry* Registry() const { return FRegistry; }
    int PropCount() const { return static_cast<int>(FPropList.size()); }
    TPersistent* GetComponent(int index) const;
    // The property of the object at index (the same name and type for every object).
    const TPropInfo* PropInfoAt(int index) const { return FPropList[static_cast<size_t>(index)].PropInfo; }
    // Tells the designer that the form was modified.
    void Modified();

protected:
    Int64 GetOrdValue() const { return GetOrdValueAt(0); }
    Int64 GetOrdValueAt(int index) const;
    double GetFloatValue() const { return GetFloatValueAt(0); }
    double GetFloatValueAt(int index) const;
    String GetStrValue() const { return GetStrValueAt(0); }
    String GetStrValueAt(int index) const;
    Int64 GetInt64Value() const;
    Variant GetVarValue() const { return GetVarValueAt(0); }
    Variant GetVarValueAt(int index) const;
    TMethod GetMethodValue() const { return GetMethodValueAt(0); }
    TMethod GetMethodValueAt(int index) const;
    TObject* GetObjectValueAt(int index) const;

    // Writes the value to every object whose property has a setter, then (when one was written) calls
    // Modified. A setter that refuses the value leaves every object as it was: the ones already written
    // get their old values back before the error goes on, and nothing is marked modified.
    void SetPropValue(const TPropValue& value);
    // The same with a value of its own for each object (a set element toggled in every set).
    void SetPropValueEach(const std::function<TPropValue(int index)>& valueAt);
    void SetOrdValue(Int64 value) { SetPropValue(value); }
    void SetFloatValue(double value) { SetPropValue(value); }
    void SetStrValue(const String& value);
    void SetVarValue(const Variant& value) { SetPropValue(value); }
    void SetMethodValue(const TMethod& value) { SetPropValue(value); }
    // The raw value of the object at index, as its property stores it.
    TPropValue RawValueAt(int index) const;

private:
    struct TInstProp {
        TPersistent* Instance = nullptr;
        const TPropInfo* PropInfo = nullptr;
    };
    std::vector<TInstProp> FPropList;
    IDesigner* FDesigner = nullptr;
    TEditorRegistry* FRegistry = nullptr;
    int FRefCount = 0;
};

// "Value must be between %d and %d" unless min <= value <= max.
void CheckEditorRange(Int64 value, Int64 min, Int64 max);
// "Invalid property value".
[[noreturn]] void RaiseInvalidPropertyValue();

} // namespace dw
