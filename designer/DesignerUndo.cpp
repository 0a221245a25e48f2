// Undo and redo: whole-form snapshots of the Root, newest first.
#include "designer/FormDesigner.h"

#include "formfiles/FormFiles.h"
#include "framework/platform/Paint.h"

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
    try {
        WriteFormStream(stream, FRoot, false, nullptr);
    } catch (...) {
        reattach();
        throw;
    }
    reattach();
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
    } catch (...) {
        // A snapshot that cannot be written is skipped.
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
    while (static_cast<int>(FUndoList.size()) > FUndoLimit + 1) FUndoList.pop_back();
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

} // namespace dw
