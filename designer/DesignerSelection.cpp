// The designer's selection: the surface controls and the other selected objects, and how the
// selection is announced to the environment.
#include "designer/FormDesigner.h"

#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

bool TzCustomFormDesigner::IsSelected(TPersistent* item) const {
    if (!item) return false;
    if (auto* control = As<TControl>(item))
        if (std::find(FSelection.begin(), FSelection.end(), control) != FSelection.end()) return true;
    return std::find(FOtherSelection.begin(), FOtherSelection.end(), item) != FOtherSelection.end();
}

void TzCustomFormDesigner::AnnounceSelection() {
    auto list = TDesignerSelections::Make();
    FillSelection(list.get());
    DesignerManager().NotifySelectionChanged(this, list.get());
}

void TzCustomFormDesigner::UpdateSelection() {
    FOtherSelection.clear();
    BeginSuppressModified();
    {
        auto restore = ScopeExit([&] { EndSuppressModified(); });
        if (!FDesignWindow || !DesignForm()) {
            FSelMarker->SetTarget(nullptr);
        } else if (FSelection.size() == 1) {
            TControl* control = FSelection.front();
            TComponent* component = IconComponent(control);
            FSelMarker->SetLockedLook(FLockControls ||
                                      (!CanMoveComponent(component) && !CanResizeComponent(component)));
            if (FActive) FSelMarker->SetTarget(control);
        } else {
            FSelMarker->SetTarget(nullptr);
            for (TControl* control : FSelection) control->Invalidate();
        }
    }
    UpdateFrameGrips();
    AnnounceSelection();
    RefreshStaticGuidelines();
}

void TzCustomFormDesigner::SelectOnly(TPersistent* item, bool showPage) {
    FOtherSelection.clear();
    if (!item || item == FDesignWindow) {
        ClearSelected();
        return;
    }
    auto* component = As<TComponent>(item);
    TControl* control = As<TControl>(item);
    if (!control && component) control = FindComponentIcon(component);
    if (!control) {
        FOtherSelection.push_back(item);
        FSelection.clear();
        AnnounceSelection();
        return;
    }
    if (component && !CanSelectComponent(component)) {
        ClearSelected();
        return;
    }
    FSelection.assign(1, control);
    if (showPage) {
        for (TControl* c = control->Parent(); c; c = c->Parent())
            if (auto* sheet = As<TTabSheet>(c)) {
                if (sheet->PageControl()) sheet->PageControl()->SetActivePage(sheet);
                break;
            }
    }
    ExtendByGroups();
    UpdateSelection();
}

void TzCustomFormDesigner::AddSelected(TPersistent* item) {
    auto* control = As<TControl>(item);
    if (!control) {
        if (auto* component = As<TComponent>(item)) control = FindComponentIcon(component);
    }
    if (!control || !FMultiSelect) {
        SelectOnly(item, false);
        return;
    }
    if (std::find(FSelection.begin(), FSelection.end(), control) == FSelection.end()) FSelection.push_back(control);
    UpdateSelection();
}

void TzCustomFormDesigner::RemoveSelected(TPersistent* item) {
    bool removed = std::erase(FSelection, As<TControl>(item)) > 0;
    if (std::erase(FOtherSelection, item) > 0) removed = true;
    if (removed) UpdateSelection();
}

void TzCustomFormDesigner::ClearSelected() {
    CancelDrag();
    FSelection.clear();
    FOtherSelection.clear();
    UpdateSelection();
}

void TzCustomFormDesigner::TakeSelection(IDesignerSelections* list) {
    if (list && list->Count() == 1) {
        SelectOnly(list->Get(0), true);
        return;
    }
    FOtherSelection.clear();
    if (!list || list->Count() == 0) {
        ClearSelected();
        return;
    }
    FSelection.clear();
    std::vector<TPersistent*> others;
    for (int i = 0; i < list->Count(); ++i) {
        TPersistent* item = list->Get(i);
        auto* control = As<TControl>(item);
        if (!control) {
            if (auto* component = As<TComponent>(item)) control = FindComponentIcon(component);
        }
        if (!control) {
            others.push_back(item);
            continue;
        }
        if (control == DesignForm()) continue;
        if (std::find(FSelection.begin(), FSelection.end(), control) == FSelection.end()) FSelection.push_back(control);
    }
    if (!FMultiSelect && FSelection.size() > 1) FSelection.resize(1);
    if (!FSelection.empty()) {
        UpdateSelection();
    } else {
        FOtherSelection = std::move(others);
        AnnounceSelection();
    }
}

void TzCustomFormDesigner::FillSelection(IDesignerSelections* list) {
    if (!list) return;
    if (!FActive && ((FSelection.empty() && FOtherSelection.empty()) || HasState(csDesigning))) return;
    if (!FOtherSelection.empty()) {
        for (TPersistent* item : FOtherSelection) list->Add(item);
        return;
    }
    if (!FSelection.empty()) {
        for (TControl* control : FSelection) {
            TComponent* component = IconComponent(control);
            if (component && component != this) list->Add(component);
        }
        return;
    }
    if (!FDesignWindow || FDesignWindow->HasState(csDestroying)) return;
    TComponent* rootItem = FRoot == DesignForm() ? static_cast<TComponent*>(FDesignWindow) : FRoot;
    if (rootItem && CanSelectComponent(rootItem)) list->Add(rootItem);
}

} // namespace dw
