// Undo and redo: whole-form snapshots of the Root, newest first.
#include "designer/FormDesigner.h"

#include "formfiles/FormFiles.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/window/Paint.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

namespace dw {

void TzCustomFormDesigner::WriteSnapshot(TStream& stream) {
    if (!FRoot) return;
    // The designer and the data module host are not designed content: they leave the Root's
    // components for the moment of writing, quietly (no rename checks, no notifications).
    struct TDetached {
        TComponent* Component;
        int Index;
    };
    std::vector<TDetached> detached;
    auto detach = [&](TComponent* component) {
        if (component && component->Owner() == FRoot) {
            detached.push_back({component, component->ComponentIndex()});
            FRoot->DetachQuietly(component);
        }
    };
    detach(this);
    if (As<TDataModule>(FRoot)) detach(HostForm());
    auto reattach = [&] {
        for (auto it = detached.rbegin(); it != detached.rend(); ++it) FRoot->AttachQuietly(it->Component, it->Index);
    };
    {
        auto restore = ScopeExit([&] { reattach(); });
        WriteFormStream(stream, FRoot, false, nullptr);
    }
}

void TzCustomFormDesigner::PushUndo() {
    if (FUndoLimit <= 0 || FUndoBusy) return;
    if (Target() != FRoot) return;
    for (int i = 0; i < FUndoPos && !FUndoList.empty(); ++i) FUndoList.erase(FUndoList.begin());
    FUndoPos = 0;
    TObjectPtr<TMemoryStream> stream(New<TMemoryStream>());
    FUndoBusy = true;
    try {
        if (OnPushUndo.Assigned())
            OnPushUndo(this, stream.get());
        else
            WriteSnapshot(*stream);
        FUndoList.insert(FUndoList.begin(), std::move(stream));
    } catch (const Exception& e) {
        // The change stays made but cannot be undone: the user hears why instead of finding out
        // at the next Undo.
        FUndoBusy = false;
        try {
            throw Exception("This change cannot be undone: " + e.Message());
        } catch (...) {
            if (Application) Application->HandleException(this);
        }
    }
    FUndoBusy = false;
    TrimUndo();
}

void TzCustomFormDesigner::ResetUndo() {
    FUndoList.clear();
    FUndoPos = 0;
    PushUndo();
}

void TzCustomFormDesigner::TrimUndo() {
    std::size_t keep = static_cast<std::size_t>(std::max(FUndoLimit, 0)) + 1;
    while (FUndoList.size() > keep) FUndoList.pop_back();
    if (FUndoPos >= UndoCount()) FUndoPos = std::max(0, UndoCount() - 1);
}

void TzCustomFormDesigner::Undo() {
    if (!CanUndo()) return;
    ++FUndoPos;
    TStream& stream = *FUndoList[static_cast<size_t>(FUndoPos)];
    if (OnPopUndo.Assigned())
        OnPopUndo(this, &stream);
    else
        RestoreSnapshot(stream);
}

void TzCustomFormDesigner::Redo() {
    if (!CanRedo()) return;
    --FUndoPos;
    TStream& stream = *FUndoList[static_cast<size_t>(FUndoPos)];
    if (OnPopUndo.Assigned())
        OnPopUndo(this, &stream);
    else
        RestoreSnapshot(stream);
}

namespace {

// Puts the published properties that a snapshot does not necessarily hold back to their
// defaults, so that reading the snapshot gives the state it was taken in.
void ResetToDefaults(TPersistent* object) {
    if (!object) return;
    for (const TPropInfo* prop : object->ClassType()->Properties()) {
        try {
            TTypeKind kind = prop->Kind();
            if (prop->Type().IsOrdinal()) {
                if (prop->HasSetter() && prop->Default && GetOrdProp(object, *prop) != *prop->Default)
                    SetOrdProp(object, *prop, *prop->Default);
            } else if (kind == tkString) {
                if (prop->HasSetter() && !SameText(prop->Name, "Name")) SetStrProp(object, *prop, "");
            } else if (kind == tkClass) {
                TObject* value = GetObjectProp(object, *prop);
                auto* component = As<TComponent>(value);
                if (component) {
                    if (component->Owner() != object && prop->HasSetter()) SetObjectProp(object, *prop, nullptr);
                } else if (auto* persistent = As<TPersistent>(value)) {
                    ResetToDefaults(persistent);
                }
            }
        } catch (const Exception&) {
            // A property that refuses its default keeps its value; the snapshot sets it anyway.
        }
    }
}

} // namespace

void TzCustomFormDesigner::RestoreSnapshot(TStream& stream) {
    if (!FRoot) return;
    FUndoBusy = true;
    std::vector<String> selectedNames;
    {
        auto list = TDesignerSelections::Make();
        FillSelection(list.get());
        for (int i = 0; i < list->Count(); ++i)
            if (auto* component = As<TComponent>(list->Get(i))) selectedNames.push_back(component->Name());
    }
    TCustomForm* form = DesignForm();
    bool locked = form && form->HandleAllocated() && LockWindowUpdate(form->Handle());
    auto finish = ScopeExit([&] {
        if (locked) LockWindowUpdate(nullptr);
        FUndoBusy = false;
    });
    ClearSelected();
    FHintControl = nullptr;
    TCustomForm* host = As<TDataModule>(FRoot) ? HostForm() : nullptr;
    std::vector<TComponent*> owned;
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* c = FRoot->Components(i);
        if (c != this && c != host) owned.push_back(c);
    }
    // One at a time: freeing one may take others (a parent takes no owned components, but a
    // component may free what it made).
    for (TComponent* c : owned)
        for (int i = 0; i < FRoot->ComponentCount(); ++i)
            if (FRoot->Components(i) == c) {
                c->Free();
                break;
            }
    ResetToDefaults(FRoot);
    stream.SetPosition(0);
    ReadFormStream(stream, FRoot);
    RepositionIcons();
    auto list = TDesignerSelections::Make();
    for (const String& name : selectedNames)
        if (TComponent* c = FRoot->FindComponent(name)) list->Add(c);
    if (list->Count() > 0) TakeSelection(list.get());
}

} // namespace dw
