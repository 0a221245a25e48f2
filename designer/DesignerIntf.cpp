// The designer interface as editors, the inspector and the actions see it: methods, names,
// components by name, and the edit handler.
#include "designer/FormDesigner.h"

#include "framework/platform/window/Input.h"
#include "framework/rtl/GlobalComponents.h"
#include "framework/rtl/SysUtils.h"

#include <filesystem>

namespace dw {

namespace {

// Splits "Component.Method" (or a longer path) at its last full stop.
void SplitMethodPath(const String& name, String& path, String& method) {
    auto dot = name.rfind('.');
    if (dot == String::npos) {
        path.clear();
        method = name;
    } else {
        path = name.substr(0, dot);
        method = name.substr(dot + 1);
    }
}

bool SignatureMatches(const TMethodEntry* entry, const TTypeInfo* typeData) {
    if (!entry || !entry->Code) return false;
    if (!typeData || !typeData->Signature) return true;
    return entry->Code->Signature() == *typeData->Signature;
}

// Splits a name path at "." and "->".
std::vector<String> SplitNamePath(const String& name) {
    std::vector<String> parts;
    String current;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '.') {
            parts.push_back(current);
            current.clear();
        } else if (name[i] == '-' && i + 1 < name.size() && name[i + 1] == '>') {
            parts.push_back(current);
            current.clear();
            ++i;
        } else {
            current += name[i];
        }
    }
    parts.push_back(current);
    return parts;
}

} // namespace

void TzCustomFormDesigner::Activate() {
    if (FActive) DesignerManager().SetActiveDesigner(this);
}

TComponent* TzCustomFormDesigner::MethodOwner(const String& path) {
    if (path.empty()) return FRoot;
    return GetComponent(path);
}

TMethod TzCustomFormDesigner::CreateMethod(const String& name, const TTypeInfo* typeData) {
    String path, methodName;
    SplitMethodPath(name, path, methodName);
    TMethod result;
    TComponent* owner = MethodOwner(path);
    if (owner) {
        const TMethodEntry* entry = owner->ClassType()->FindMethod(methodName);
        if (entry) {
            bool accept = SignatureMatches(entry, typeData);
            OnValidateMethod(this, typeData, FRoot, const_cast<TMethodCode*>(entry->Code), name, accept);
            if (accept) result = TMethod{const_cast<TMethodCode*>(entry->Code), owner};
        }
    }
    if (!result.Assigned()) OnCreateMethod(this, name, typeData, result);
    return result;
}

String TzCustomFormDesigner::GetMethodName(const TMethod& method) {
    if (!method.Data) return {};
    auto* object = static_cast<TObject*>(method.Data);
    String name = object->MethodName(method.Code);
    auto* component = As<TComponent>(object);
    if (component && component != FRoot) return component->Name() + "." + name;
    return name;
}

void TzCustomFormDesigner::GetMethods(const TTypeInfo* typeData, const TGetStrProc& proc) {
    if (FRoot)
        for (const TMethodEntry* entry : FRoot->ClassType()->Methods())
            if (SignatureMatches(entry, typeData) && proc) proc(entry->Name);
    std::vector<TComponent*> roots;
    DesignerManager().GetRootComponents(FRoot, roots);
    for (TComponent* root : roots) {
        if (!root || root == FRoot) continue;
        for (const TMethodEntry* entry : root->ClassType()->Methods())
            if (SignatureMatches(entry, typeData) && proc) proc(root->Name() + "." + entry->Name);
    }
    OnGetMethodNames(this, typeData, proc);
}

String TzCustomFormDesigner::GetPrivateDirectory() {
    if (!Application) return {};
    return std::filesystem::path(Application->ExeName()).parent_path().string();
}

bool TzCustomFormDesigner::MethodExists(const String& name) {
    String path, methodName;
    SplitMethodPath(name, path, methodName);
    TComponent* owner = MethodOwner(path);
    return owner && owner->ClassType()->FindMethod(methodName) != nullptr;
}

void TzCustomFormDesigner::RenameMethod(const String& curName, const String& newName) {
    OnRenameMethod(this, curName, newName);
}

void TzCustomFormDesigner::ShowMethod(const String& name) {
    OnShowMethod(this, name);
}

void TzCustomFormDesigner::GetComponentNames(const TTypeInfo* typeData, const TGetStrProc& proc) {
    if (!proc) return;
    TClass cls = typeData ? typeData->ClassType() : nullptr;
    auto matches = [cls](TComponent* c) { return !cls || c->InheritsFrom(cls); };
    TCustomForm* form = DesignForm();
    if (FRoot)
        for (int i = 0; i < FRoot->ComponentCount(); ++i) {
            TComponent* c = FRoot->Components(i);
            if (c != form && !c->Name().empty() && matches(c)) proc(c->Name());
        }
    std::vector<TComponent*> roots;
    DesignerManager().GetRootComponents(FRoot, roots);
    for (TComponent* root : roots) {
        if (!root || root == FRoot) continue;
        for (int i = 0; i < root->ComponentCount(); ++i) {
            TComponent* c = root->Components(i);
            if (!c->Name().empty() && matches(c)) proc(root->Name() + "." + c->Name());
        }
    }
}

TComponent* TzCustomFormDesigner::GetComponent(const String& name) {
    if (name.empty()) return nullptr;
    std::vector<String> parts = SplitNamePath(name);
    TComponent* found = nullptr;
    if (parts.size() > 1) {
        found = FindGlobalComponent(parts[0]);
        for (size_t i = 1; found && i + 1 < parts.size(); ++i) found = found->FindComponent(parts[i]);
    }
    TComponent* base = found ? found : FRoot;
    if (!base) return nullptr;
    if (parts.size() == 1 && FRoot && SameText(FRoot->Name(), parts[0])) return FRoot;
    return base->FindComponent(parts.back());
}

String TzCustomFormDesigner::GetObjectName(TPersistent* instance) {
    String name;
    if (!instance) {
    } else if (instance == FRoot) {
        name = FRoot->Name();
    } else if (auto* component = As<TComponent>(instance)) {
        name = component->Name();
        if (component->Owner() && component->Owner() != FRoot) name = component->Owner()->Name() + "." + name;
    } else {
        for (TControl* control : FSelection) {
            for (const TPropInfo* prop : control->ClassType()->Properties())
                if (prop->Kind() == tkClass && prop->Getter) {
                    TPropValue value = prop->Getter(control);
                    if (auto* object = std::get_if<TObject*>(&value); object && *object == instance) {
                        name = control->Name() + "." + prop->Name;
                        break;
                    }
                }
            if (!name.empty()) break;
        }
        if (name.empty()) name = instance->GetNamePath();
    }
    OnGetObjectName(this, instance, name);
    return name;
}

bool TzCustomFormDesigner::MethodFromAncestor(const TMethod& method) {
    if (!FRoot || !method.Code) return false;
    TClass parent = FRoot->ClassType()->ClassParent();
    return parent && parent->FindMethodByCode(method.Code) != nullptr;
}

bool TzCustomFormDesigner::IsComponentLinkable(TComponent* component) {
    return component && FRoot && component->Owner() == FRoot &&
           FRoot->ClassType()->FindField(component->Name()) != nullptr;
}

void TzCustomFormDesigner::DeleteSelection(bool doAll) {
    (void)doAll;
    DeleteSelected();
}

TShiftState TzCustomFormDesigner::GetShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

bool TzCustomFormDesigner::RunEditCommand(int command) {
    switch (command) {
    case ecUndo:
        Undo();
        return true;
    case ecRedo:
        Redo();
        return true;
    default:
        // The other commands come with the clipboard, deletion and arrangement operations.
        return false;
    }
}

TEditStates TzCustomFormDesigner::EditStateSet() {
    TEditStates states = 0;
    if (CanUndo()) states |= 1u << esCanUndo;
    if (CanRedo()) states |= 1u << esCanRedo;
    return states;
}

} // namespace dw
