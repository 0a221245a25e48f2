#include "framework/designtime/PropEdit.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TPropertyEditor) {}

void CheckEditorRange(Int64 value, Int64 min, Int64 max) {
    if (value < min || value > max) throw EPropertyError(Format("Value must be between %d and %d", min, max));
}

void RaiseInvalidPropertyValue() {
    throw EPropertyError("Invalid property value");
}

TPropertyEditor* TPropertyEditor::Create(TPropertyEditorClass editorClass, IDesigner* designer,
                                         TEditorRegistry* registry, int propCount) {
    if (!editorClass || !editorClass->InheritsFrom(TPropertyEditor::StaticClass()))
        throw EInvalidArgument(
            Format("%s is not a property editor class", editorClass ? editorClass->ClassName() : String("(none)")));
    auto* editor = static_cast<TPropertyEditor*>(editorClass->Create());
    editor->FDesigner = designer;
    editor->FRegistry = registry;
    editor->FPropList.resize(static_cast<size_t>(propCount < 1 ? 1 : propCount));
    return editor;
}

void TPropertyEditor::SetPropEntry(int index, TPersistent* instance, const TPropInfo* propInfo) {
    if (index < 0 || index >= PropCount())
        throw EListError(Format("Property editor entry index out of bounds (%d)", index));
    FPropList[static_cast<size_t>(index)] = {instance, propInfo};
}

HRESULT TPropertyEditor::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IProperty::IID || iid == IInterface::IID) {
        *obj = static_cast<IProperty*>(this);
        AddRef();
        return S_OK;
    }
    if (iid == IPropertyIsDefault::IID) {
        *obj = static_cast<IPropertyIsDefault*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TPropertyEditor::Release() {
    int count = --FRefCount;
    if (count == 0) Free();
    return count;
}

TPersistent* TPropertyEditor::GetComponent(int index) const {
    if (index < 0 || index >= PropCount())
        throw EListError(Format("Property editor entry index out of bounds (%d)", index));
    return FPropList[static_cast<size_t>(index)].Instance;
}

TPropValue TPropertyEditor::RawValueAt(int index) const {
    const TInstProp& entry = FPropList.at(static_cast<size_t>(index));
    if (!entry.PropInfo->HasGetter()) throw EPropertyError(Format("Property %s cannot be read", entry.PropInfo->Name));
    return entry.PropInfo->Getter(entry.Instance);
}

bool TPropertyEditor::AllEqual() {
    if (PropCount() == 1) return true;
    TPropValue first = RawValueAt(0);
    for (int i = 1; i < PropCount(); ++i)
        if (!(RawValueAt(i) == first)) return false;
    return true;
}

void TPropertyEditor::Edit() {
    TPropertyAttributes attrs = GetAttributes();
    if (!attrs.Contains(paValueList)) return;
    std::vector<String> values;
    GetValues([&values](const String& s) { values.push_back(s); });
    if (values.empty()) return;
    if (attrs.Contains(paSortList))
        std::stable_sort(values.begin(), values.end(),
                         [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    String current = GetValue();
    size_t next = 0;
    for (size_t i = 0; i < values.size(); ++i)
        if (SameText(values[i], current)) {
            next = i + 1;
            break;
        }
    if (next >= values.size()) next = 0;
    SetValue(values[next]);
}

bool TPropertyEditor::HasInstance(TPersistent* instance) {
    for (const TInstProp& entry : FPropList)
        if (entry.Instance == instance) return true;
    return false;
}

bool TPropertyEditor::GetEditValue(String& value) {
    value = GetValue();
    return true;
}

String TPropertyEditor::GetName() {
    return FPropList[0].PropInfo->Name;
}

String TPropertyEditor::GetValue() {
    return "(Not available)";
}

void TPropertyEditor::Revert() {
    if (!FDesigner) return;
    for (const TInstProp& entry : FPropList) FDesigner->Revert(entry.Instance, entry.PropInfo);
}

bool TPropertyEditor::ValueAvailable() {
    try {
        GetValue();
        AllEqual();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TPropertyEditor::IsDefault() {
    const TInstProp& entry = FPropList[0];
    const TPropInfo& prop = *entry.PropInfo;
    if (!prop.HasGetter()) return false;
    if (!prop.IsStored(entry.Instance)) return true;
    TPropValue value = prop.Getter(entry.Instance);
    switch (prop.Kind()) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar:
        return prop.Default && std::get<Int64>(value) == *prop.Default;
    case tkInt64:
        return std::get<Int64>(value) == 0;
    case tkFloat:
        return std::get<double>(value) == 0;
    case tkString:
    case tkLString:
        return std::get<String>(value).empty();
    case tkWString:
        return std::get<WideString>(value).empty();
    case tkVariant:
        return std::get<Variant>(value).IsEmpty();
    case tkMethod:
        return !std::get<TMethod>(value).Assigned();
    default:
        return false;
    }
}

void TPropertyEditor::Modified() {
    if (FDesigner) FDesigner->Modified();
}

Int64 TPropertyEditor::GetOrdValueAt(int index) const {
    TPropValue value = RawValueAt(index);
    if (auto* i = std::get_if<Int64>(&value)) return *i;
    throw EPropertyError(Format("Property %s is not an ordinal property", PropInfoAt(index)->Name));
}

double TPropertyEditor::GetFloatValueAt(int index) const {
    TPropValue value = RawValueAt(index);
    if (auto* d = std::get_if<double>(&value)) return *d;
    throw EPropertyError(Format("Property %s is not a floating point property", PropInfoAt(index)->Name));
}

String TPropertyEditor::GetStrValueAt(int index) const {
    const TInstProp& entry = FPropList.at(static_cast<size_t>(index));
    return GetStrProp(entry.Instance, *entry.PropInfo);
}

Int64 TPropertyEditor::GetInt64Value() const {
    return GetOrdValueAt(0);
}

Variant TPropertyEditor::GetVarValueAt(int index) const {
    const TInstProp& entry = FPropList.at(static_cast<size_t>(index));
    return GetVariantProp(entry.Instance, *entry.PropInfo);
}

TMethod TPropertyEditor::GetMethodValueAt(int index) const {
    const TInstProp& entry = FPropList.at(static_cast<size_t>(index));
    return GetMethodProp(entry.Instance, *entry.PropInfo);
}

TObject* TPropertyEditor::GetObjectValueAt(int index) const {
    const TInstProp& entry = FPropList.at(static_cast<size_t>(index));
    return GetObjectProp(entry.Instance, *entry.PropInfo);
}

void TPropertyEditor::SetStrValue(const String& value) {
    if (GetPropType()->Kind == tkWString)
        SetPropValue(Utf8ToWide(value));
    else
        SetPropValue(value);
}

void TPropertyEditor::SetPropValue(const TPropValue& value) {
    SetPropValueEach([&value](int) { return value; });
}

void TPropertyEditor::SetPropValueEach(const std::function<TPropValue(int index)>& valueAt) {
    struct TWritten {
        const TInstProp* Entry;
        TPropValue Old;
    };
    std::vector<TWritten> written;
    bool wroteWithoutGetter = false;
    written.reserve(FPropList.size());
    try {
        for (size_t i = 0; i < FPropList.size(); ++i) {
            const TInstProp& entry = FPropList[i];
            if (!entry.PropInfo->HasSetter()) continue;
            TPropValue value = valueAt(static_cast<int>(i));
            if (!entry.PropInfo->HasGetter()) {
                entry.PropInfo->Setter(entry.Instance, value);
                wroteWithoutGetter = true;
                continue;
            }
            TPropValue old = entry.PropInfo->Getter(entry.Instance);
            entry.PropInfo->Setter(entry.Instance, value);
            written.push_back({&entry, std::move(old)});
        }
    } catch (const Exception&) {
        // Put back what was written, newest first; a refused restore cannot make things worse.
        for (auto it = written.rbegin(); it != written.rend(); ++it) {
            try {
                it->Entry->PropInfo->Setter(it->Entry->Instance, it->Old);
            } catch (const Exception&) {
            }
        }
        throw;
    }
    // A value that reached no object (every property read-only) changes nothing to record.
    if (!written.empty() || wroteWithoutGetter) Modified();
}

} // namespace dw
