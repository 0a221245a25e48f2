#include "framework/designtime/RefPropEdits.h"

#include "framework/designtime/EditorRegistry.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

DW_DEFINE_CLASS(TClassProperty) {}
DW_DEFINE_CLASS(TComponentProperty) {}
DW_DEFINE_CLASS(TMethodProperty) {}

// ---------------------------------------------------------------------------------------------

void TClassProperty::GetProperties(const TGetPropProc& proc) {
    if (!Registry()) return;
    TInterfacePtr<IDesignerSelections> objects = TDesignerSelections::Make();
    for (int i = 0; i < PropCount(); ++i) {
        auto* object = As<TPersistent>(GetObjectValueAt(i));
        // The sub-properties are those every object has; one missing object leaves none.
        if (!object) return;
        objects->Add(object);
    }
    Registry()->GetComponentProperties(objects.get(), tkProperties, Designer(), proc);
}

String TClassProperty::GetValue() {
    return "(" + GetPropType()->Name() + ")";
}

// ---------------------------------------------------------------------------------------------

HRESULT TComponentProperty::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IReferenceProperty::IID) {
        *obj = static_cast<IReferenceProperty*>(this);
        AddRef();
        return S_OK;
    }
    return TPropertyEditor::QueryInterface(iid, obj);
}

TPropertyAttributes TComponentProperty::GetAttributes() {
    TPropertyAttributes attrs{paMultiSelect, paValueList, paSortList, paRevertable};
    if (!GetPropInfo()->HasSetter()) attrs = attrs - paValueList + paReadOnly;
    return attrs;
}

String TComponentProperty::GetValue() {
    auto* component = As<TComponent>(GetObjectValueAt(0));
    if (!component) return "";
    return Designer() ? Designer()->GetComponentName(component) : component->Name();
}

void TComponentProperty::GetValues(const TGetStrProc& proc) {
    if (Designer()) Designer()->GetComponentNames(GetPropType(), proc);
}

void TComponentProperty::SetValue(const String& value) {
    TComponent* component = nullptr;
    String name = Trim(value);
    if (!name.empty()) {
        component = Designer() ? Designer()->GetComponent(name) : nullptr;
        TClass propClass = GetPropType()->ClassType();
        if (!component || (propClass && !component->InheritsFrom(propClass))) RaiseInvalidPropertyValue();
    }
    SetPropValue(static_cast<TObject*>(component));
}

TComponent* TComponentProperty::GetComponentReference() {
    return As<TComponent>(GetObjectValueAt(0));
}

// ---------------------------------------------------------------------------------------------

namespace {

// "Button1Click" or "Frame1.Button1Click": identifiers joined by full stops.
bool IsValidMethodName(const String& name) {
    size_t start = 0;
    while (true) {
        size_t dot = name.find('.', start);
        if (!IsValidIdent(name.substr(start, dot == String::npos ? String::npos : dot - start))) return false;
        if (dot == String::npos) return true;
        start = dot + 1;
    }
}

} // namespace

bool TMethodProperty::AllEqual() {
    TMethod first = GetMethodValueAt(0);
    for (int i = 1; i < PropCount(); ++i)
        if (!(GetMethodValueAt(i) == first)) return false;
    return true;
}

String TMethodProperty::GetValue() {
    TMethod method = GetMethodValue();
    if (!method.Assigned()) return "";
    if (Designer()) return Designer()->GetMethodName(method);
    return method.Data ? static_cast<TObject*>(method.Data)->MethodName(method.Code) : String();
}

void TMethodProperty::GetValues(const TGetStrProc& proc) {
    if (Designer()) Designer()->GetMethods(GetPropType(), proc);
}

String TMethodProperty::GetTrimmedEventName() {
    String name = GetName();
    if (name.size() > 2 && SameText(name.substr(0, 2), "On")) name.erase(0, 2);
    return name;
}

String TMethodProperty::GetFormMethodName() {
    String result;
    auto* component = As<TComponent>(GetComponent(0));
    if (Designer() && component && component == Designer()->GetRoot()) {
        result = Designer()->GetRootClassName();
        if (!result.empty() && result[0] == 'T') result.erase(0, 1);
    } else if (Designer()) {
        result = Designer()->GetObjectName(GetComponent(0));
        std::erase_if(result, [](char c) { return c == '.' || c == '[' || c == ']' || c == '-' || c == '>'; });
    } else if (component) {
        result = component->Name();
    }
    if (result.empty()) throw EPropertyError("Cannot create a method for an unnamed component");
    return result + GetTrimmedEventName();
}

void TMethodProperty::Edit() {
    if (!Designer()) return;
    String methodName = GetValue();
    if (methodName.empty() || Designer()->MethodFromAncestor(GetMethodValue())) {
        if (methodName.empty()) methodName = GetFormMethodName();
        SetValue(methodName);
    }
    Designer()->ShowMethod(methodName);
}

void TMethodProperty::SetValue(const String& value) {
    String newName = Trim(value);
    if (newName.empty()) {
        SetMethodValue(TMethod{});
        return;
    }
    if (!IsValidMethodName(newName)) throw EPropertyError(Format("'%s' is not a valid method name", newName));
    if (!Designer()) throw EPropertyError(Format("Method '%s' cannot be created without a designer", newName));
    String current = GetValue();
    if (!current.empty() && (SameText(current, newName) || !Designer()->MethodExists(newName)) &&
        !Designer()->MethodFromAncestor(GetMethodValue())) {
        Designer()->RenameMethod(current, newName);
        Modified();
        return;
    }
    bool isNew = !Designer()->MethodExists(newName);
    TMethod method = Designer()->CreateMethod(newName, GetPropType());
    // A name the designer cannot turn into a handler must not clear the event behind a success.
    if (!method.Assigned()) throw EPropertyError(Format("Method '%s' cannot be created", newName));
    SetMethodValue(method);
    if (isNew) Designer()->ShowMethod(newName);
}

} // namespace dw
