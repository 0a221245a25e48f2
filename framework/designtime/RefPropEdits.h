// The framework's editors for references: objects held by a property (their properties become
// sub-properties), components referred to by name, and event handlers by method name.
#pragma once

#include "framework/designtime/PropEdit.h"

namespace dw {

// "(TFont)": the declared type's name; the held objects' properties are the sub-properties.
class TClassProperty : public TPropertyEditor {
    DW_CLASS(TClassProperty, TPropertyEditor)
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paSubProperties, paReadOnly}; }
    void GetProperties(const TGetPropProc& proc) override;
    String GetValue() override;
};

// The referenced component's name; the value list holds the designer's components of the
// property's class. An unknown name or one of another class is refused.
class TComponentProperty : public TPropertyEditor, public IReferenceProperty {
    DW_CLASS(TComponentProperty, TPropertyEditor)
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TPropertyEditor::AddRef(); }
    int Release() override { return TPropertyEditor::Release(); }

    TPropertyAttributes GetAttributes() override;
    int GetEditLimit() override { return 127; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
    TComponent* GetComponentReference() override;
};

// The handler's name; the value list holds the designer's compatible methods. Typing a name
// makes (or renames) the handler; Edit makes one named after the component and the event.
class TMethodProperty : public TPropertyEditor {
    DW_CLASS(TMethodProperty, TPropertyEditor)
    bool AllEqual() override;
    void Edit() override;
    TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
    int GetEditLimit() override { return 127; }
    String GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const String& value) override;
    // "Button1Click": the component's name (the root's class name without its T for the root)
    // and the event's name without "On"; raises for an unnamed component.
    virtual String GetFormMethodName();
    String GetTrimmedEventName();
};

} // namespace dw
