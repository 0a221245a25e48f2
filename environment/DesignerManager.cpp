#include "environment/DesignerManager.h"

#include "framework/rtl/Swallow.h"

#include <algorithm>
#include <memory>

namespace dw {

template <class I, class F> void TDesignerManager::Broadcast(F&& call, bool swallow) {
    // A copy: a listener may add or remove listeners while it is told.
    std::vector<IInterface*> listeners = FListeners;
    for (IInterface* listener : listeners) {
        if (std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end()) continue;
        I* target = QueryIntf<I>(listener);
        if (!target) continue;
        TInterfacePtr<I> hold(target);
        target->Release(); // QueryInterface counted once already; hold keeps exactly one
        if (!swallow) {
            call(target);
            continue;
        }
        // One listener's failure must not keep the others uninformed.
        Swallow([&] { call(target); });
    }
}

void TDesignerManager::SetActiveDesigner(IDesigner* designer) {
    if (FActiveDesigner.get() == designer) return;
    FActiveDesigner = TInterfacePtr<IDesigner>(designer);
    if (designer) {
        auto selection = TDesignerSelections::Make();
        designer->GetSelections(selection.get());
        NotifyDesignerOpened(designer, false);
        NotifySelectionChanged(designer, selection.get());
    }
    Broadcast<IDesignEnvironmentHook>([](IDesignEnvironmentHook* hook) { hook->ActiveDesignerChanged(); }, false);
}

void TDesignerManager::AddListener(IInterface* listener) {
    if (!listener || std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) return;
    FListeners.push_back(listener);
}

void TDesignerManager::RemoveListener(IInterface* listener) {
    auto it = std::find(FListeners.begin(), FListeners.end(), listener);
    if (it != FListeners.end()) FListeners.erase(it);
}

void TDesignerManager::NotifyItemDeleted(IDesigner* designer, TPersistent* item) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->ItemDeleted(designer, item); }, true);
}

void TDesignerManager::NotifyItemInserted(IDesigner* designer, TPersistent* item) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->ItemInserted(designer, item); }, true);
}

void TDesignerManager::NotifyItemsModified(IDesigner* designer) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->ItemsModified(designer); }, true);
}

void TDesignerManager::NotifySelectionChanged(IDesigner* designer, IDesignerSelections* selection) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->SelectionChanged(designer, selection); }, true);
}

void TDesignerManager::NotifyDesignerOpened(IDesigner* designer, bool resurrecting) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->DesignerOpened(designer, resurrecting); }, true);
}

void TDesignerManager::NotifyDesignerClosed(IDesigner* designer, bool goingDormant) {
    Broadcast<IDesignNotification>([&](IDesignNotification* l) { l->DesignerClosed(designer, goingDormant); }, true);
}

void TDesignerManager::NotifyComponentClassChanged() {
    Broadcast<IPaletteNotification>([](IPaletteNotification* l) { l->ComponentClassChanged(); }, false);
}

void TDesignerManager::NotifyPaletteChanged() {
    Broadcast<IPaletteNotification>([](IPaletteNotification* l) { l->PaletteChanged(); }, false);
}

void TDesignerManager::SetComponentClass(TClass componentClass) {
    if (componentClass == FComponentClass) return;
    if (!componentClass) FKeepClass = false;
    FComponentClass = componentClass;
    NotifyComponentClassChanged();
}

void TDesignerManager::SetKeepClass(bool value) {
    if (value == FKeepClass) return;
    FKeepClass = value;
    NotifyComponentClassChanged();
}

void TDesignerManager::ComponentCreated() {
    if (!FKeepClass) SetComponentClass(nullptr);
}

void TDesignerManager::CreateSelectedClass() {
    if (!FComponentClass || !FActiveDesigner) return;
    FActiveDesigner->CreateComponent(FComponentClass, nullptr, 0, 0, 0, 0);
    ComponentCreated();
}

bool TDesignerManager::GetRootComponents(TComponent* askingRoot, std::vector<TComponent*>& list) {
    bool stopped = false;
    Broadcast<IDesignEnvironmentHook>(
        [&](IDesignEnvironmentHook* hook) {
            if (!stopped) stopped = hook->GetRootComponents(askingRoot, list);
        },
        false);
    return stopped;
}

void TDesignerManager::DesignerKeyDown(IDesigner* designer, Word& key, TShiftState shift) {
    if (!designer) designer = ActiveDesigner();
    Broadcast<IDesignEnvironmentHook>(
        [&](IDesignEnvironmentHook* hook) {
            if (key != 0) hook->DesignerKeyDown(designer, key, shift);
        },
        false);
}

void TDesignerManager::DesignerKeyPress(IDesigner* designer, char32_t& key) {
    if (!designer) designer = ActiveDesigner();
    Broadcast<IDesignEnvironmentHook>(
        [&](IDesignEnvironmentHook* hook) {
            if (key != 0) hook->DesignerKeyPress(designer, key);
        },
        false);
}

void TDesignerManager::GetNewRootPosition(TPoint& point) {
    point = TPoint{0, 0};
    bool stopped = false;
    Broadcast<IDesignEnvironmentHook>(
        [&](IDesignEnvironmentHook* hook) {
            if (!stopped) stopped = hook->GetNewRootPosition(point);
        },
        false);
}

void TDesignerManager::FilterComponentClass(TClass componentClass, String& page, bool& accept) {
    Broadcast<IDesignEnvironmentHook>(
        [&](IDesignEnvironmentHook* hook) { hook->FilterComponentClass(componentClass, page, accept); }, false);
}

namespace {
std::unique_ptr<TDesignerManager>& ManagerInstance() {
    static std::unique_ptr<TDesignerManager> instance;
    return instance;
}
} // namespace

TDesignerManager& DesignerManager() {
    auto& instance = ManagerInstance();
    if (!instance) instance = std::make_unique<TDesignerManager>();
    return *instance;
}

void FreeDesignerManager() {
    ManagerInstance().reset();
}

TObject* GetFormDesignerObject(IDesigner* designer) {
    if (!designer) designer = DesignerManager().ActiveDesigner();
    if (auto* impl = QueryIntf<IImplementation>(designer)) {
        TObject* instance = impl->GetInstance();
        impl->Release();
        return instance;
    }
    return nullptr;
}

} // namespace dw
