// The property editor contract: IProperty with its attribute bits and the optional query
// interfaces (is-default, component reference, custom drawing, list drawing) that the inspector
// asks an editor for by identifier.
#pragma once

#include "framework/designtime/DesignIntf.h"

namespace dw {

class TCanvas;
class IProperty;

// Bits of an editor's attributes; bits after paReadOnly are passed through untouched.
DW_ENUM(TPropertyAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList, paReadOnly,
        paRevertable, paFullWidthName, paVolatileSubProperties, paVCL, paNotNestable, paDisplayReadOnly,
        paCustomDropDown, paValueEditable)
DW_SET(TPropertyAttributes, TPropertyAttribute)

// One call per property editor of an enumeration; the callee keeps the editor by taking a
// counted reference (TInterfacePtr), otherwise it dies when the call returns.
using TGetPropProc = std::function<void(IProperty* prop)>;

class IProperty : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7ED7BF29-E349-11D3-AB4A-00C04FB17A72}");
    virtual void Activate() = 0;                              // 1
    virtual bool AllEqual() = 0;                              // 2
    virtual bool AutoFill() = 0;                              // 3
    virtual void Edit() = 0;                                  // 4
    virtual bool HasInstance(TPersistent* instance) = 0;      // 5
    virtual TPropertyAttributes GetAttributes() = 0;          // 6
    virtual int GetEditLimit() = 0;                           // 7
    virtual bool GetEditValue(String& value) = 0;             // 8
    virtual String GetName() = 0;                             // 9
    virtual void GetProperties(const TGetPropProc& proc) = 0; // 10
    virtual const TPropInfo* GetPropInfo() = 0;               // 11
    virtual const TTypeInfo* GetPropType() = 0;               // 12
    virtual String GetValue() = 0;                            // 13
    virtual void GetValues(const TGetStrProc& proc) = 0;      // 14
    virtual void Revert() = 0;                                // 15
    virtual void SetValue(const String& value) = 0;           // 16
    virtual bool ValueAvailable() = 0;                        // 17

protected:
    ~IProperty() = default;
};

// Whether the value equals the property's declared default.
class IPropertyIsDefault : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{57B97F18-B47F-4635-94CB-3344783E7069}");
    virtual bool IsDefault() = 0;

protected:
    ~IPropertyIsDefault() = default;
};

// The component a reference property points at, or null.
class IReferenceProperty : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{C7EE2B1E-3F89-40AD-9250-D2667BA3D46B}");
    virtual TComponent* GetComponentReference() = 0;

protected:
    ~IReferenceProperty() = default;
};

class ICustomPropertyDrawing : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{E1A50419-1288-4B26-9EFA-6608A35F0824}");
    virtual void PropDrawName(TCanvas* canvas, const TRect& rect, bool selected) = 0;
    virtual void PropDrawValue(TCanvas* canvas, const TRect& rect, bool selected) = 0;

protected:
    ~ICustomPropertyDrawing() = default;
};

class ICustomPropertyListDrawing : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{BE2B8CF7-DDCA-4D4B-BE26-2396B969F8E0}");
    virtual void ListMeasureWidth(const String& value, TCanvas* canvas, int& width) = 0;
    virtual void ListMeasureHeight(const String& value, TCanvas* canvas, int& height) = 0;
    virtual void ListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected) = 0;

protected:
    ~ICustomPropertyListDrawing() = default;
};

// The value as the inspector shows it: empty when several objects differ.
String GetVisualValue(IProperty* prop);

// The framework's default drawing of a name cell, a value cell and one value of a drop-down list.
void DefaultPropertyDrawName(IProperty* prop, TCanvas* canvas, const TRect& rect);
void DefaultPropertyDrawValue(IProperty* prop, TCanvas* canvas, const TRect& rect);
void DefaultPropertyListDrawValue(const String& value, TCanvas* canvas, const TRect& rect, bool selected);

} // namespace dw
