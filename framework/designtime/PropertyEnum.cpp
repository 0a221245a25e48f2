// The enumeration of property editors for a selection of one or several objects.
#include "framework/designtime/EditorRegistry.h"

#include "framework/rtl/ClassInfo.h"

#include <unordered_map>

namespace dw {

namespace {

// The readable properties of the kinds, by name; writable unless class-typed or shown read-only.
std::vector<const TPropInfo*> CandidateProps(TClass cls, TTypeKinds filter, bool showReadOnly) {
    std::vector<const TPropInfo*> list = GetPropList(cls, filter, true);
    std::erase_if(list, [showReadOnly](const TPropInfo* p) {
        return !p->HasGetter() || (p->Kind() != tkClass && !p->HasSetter() && !showReadOnly);
    });
    return list;
}

} // namespace

void TEditorRegistry::GetComponentProperties(IDesignerSelections* components, TTypeKinds filter, IDesigner* designer,
                                             const TGetPropProc& proc) {
    if (!components || components->Count() == 0 || !proc) return;
    const int count = components->Count();
    TPersistent* first = components->Get(0);
    if (!first) return;
    std::vector<const TPropInfo*> candidates = CandidateProps(first->ClassType(), filter, FShowReadOnlyProps);

    if (count == 1) {
        for (const TPropInfo* prop : candidates) {
            TPropertyEditorClass editorClass = GetEditorClass(prop, first);
            TInterfacePtr<IProperty> editor(TPropertyEditor::Create(editorClass, designer, this, 1));
            auto* typed = static_cast<TPropertyEditor*>(editor.get());
            typed->SetPropEntry(0, first, prop);
            typed->Initialize();
            if (typed->ValueAvailable()) proc(typed);
        }
        return;
    }

    // For each further object, its property of the same name and type, found once per class.
    std::vector<TPersistent*> objects;
    objects.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        TPersistent* object = components->Get(i);
        if (!object) return;
        objects.push_back(object);
    }
    std::unordered_map<TClass, std::vector<const TPropInfo*>> matchesByClass;
    auto matchesFor = [&](TClass cls) -> const std::vector<const TPropInfo*>& {
        auto found = matchesByClass.find(cls);
        if (found != matchesByClass.end()) return found->second;
        std::vector<const TPropInfo*> matches(candidates.size(), nullptr);
        for (size_t c = 0; c < candidates.size(); ++c) {
            const TPropInfo* p = cls == first->ClassType() ? candidates[c] : cls->FindProperty(candidates[c]->Name);
            if (p && p->PropType == candidates[c]->PropType && (KindBit(p->Kind()) & filter) && p->HasGetter() &&
                (p->Kind() == tkClass || p->HasSetter() || FShowReadOnlyProps))
                matches[c] = p;
        }
        return matchesByClass.emplace(cls, std::move(matches)).first->second;
    };

    for (size_t c = 0; c < candidates.size(); ++c) {
        TPropertyEditorClass editorClass = GetEditorClass(candidates[c], first);
        bool common = true;
        std::vector<const TPropInfo*> props(objects.size());
        for (size_t j = 0; j < objects.size() && common; ++j) {
            props[j] = matchesFor(objects[j]->ClassType())[c];
            common = props[j] && (objects[j]->ClassType() == first->ClassType() ||
                                  GetEditorClass(props[j], objects[j]) == editorClass);
        }
        if (!common) continue;
        TInterfacePtr<IProperty> editor(TPropertyEditor::Create(editorClass, designer, this, count));
        auto* typed = static_cast<TPropertyEditor*>(editor.get());
        for (size_t j = 0; j < objects.size(); ++j) typed->SetPropEntry(static_cast<int>(j), objects[j], props[j]);
        typed->Initialize();
        if (typed->GetAttributes().Contains(paMultiSelect) && typed->ValueAvailable()) proc(typed);
    }
}

} // namespace dw
