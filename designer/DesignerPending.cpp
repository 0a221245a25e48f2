// Designer operations whose behaviour arrives with the features they belong to (creating and
// naming components, clipboard, control groups, text editing, the context menu, component icons,
// guidelines, dragging). Each keeps the designer consistent and does nothing visible yet; none
// reports a result it did not produce.
#include "designer/FormDesigner.h"

namespace dw {

TCustomForm* TzCustomFormDesigner::HostForm() const {
    return FHostForm ? static_cast<TCustomForm*>(FHostForm) : FForeignHost;
}

void TzCustomFormDesigner::ResolvePastedName(TComponent* component, String& name) {
    (void)component, (void)name;
}

void TzCustomFormDesigner::CancelDrag() {
    if (!FDragging && FDragMode == ddNone) return;
    FDragging = false;
    FDragMode = ddNone;
    UpdateMarkers();
}

TComponent* TzCustomFormDesigner::CreateDesignComponent(TClass componentClass, TComponent* parent, int left, int top,
                                                        int width, int height) {
    (void)componentClass, (void)parent, (void)left, (void)top, (void)width, (void)height;
    return nullptr;
}

TComponent* TzCustomFormDesigner::CreateArmedComponent(TComponent* parent, const TRect& rect) {
    (void)parent, (void)rect;
    return nullptr;
}

String TzCustomFormDesigner::MakeUniqueName(const String& baseName) {
    String base = baseName;
    if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
    for (int n = 1;; ++n) {
        String candidate = base + std::to_string(n);
        if (!FRoot || (!FRoot->FindComponent(candidate) && !SameText(FRoot->Name(), candidate))) return candidate;
    }
}

void TzCustomFormDesigner::CheckRename(TComponent* component, const String& currentName, const String& newName) {
    (void)component, (void)currentName, (void)newName;
}

void TzCustomFormDesigner::DeleteSelected() {}

void TzCustomFormDesigner::EditComponent(TComponent* component) {
    (void)component;
}

void TzCustomFormDesigner::CopySelected() {}

void TzCustomFormDesigner::CutSelected() {}

bool TzCustomFormDesigner::ClipboardHasComponents() {
    return false;
}

void TzCustomFormDesigner::PasteComponents() {}

void TzCustomFormDesigner::ClearGroups() {}

void TzCustomFormDesigner::ExtendByGroups() {}

void TzCustomFormDesigner::RemoveFromGroups(TPersistent* object) {
    (void)object;
}

void TzCustomFormDesigner::EndTextEdit(bool commit) {
    (void)commit;
    FTextEditing = false;
}

void TzCustomFormDesigner::ShowDesignMenu(TPoint screenPos) {
    (void)screenPos;
}

void TzCustomFormDesigner::CreateComponentIcons() {}

void TzCustomFormDesigner::FreeComponentIcons() {}

void TzCustomFormDesigner::RefreshComponentIcons() {
    if (!FActive) return;
    FreeComponentIcons();
    CreateComponentIcons();
}

void TzCustomFormDesigner::CreateComponentIcon(TComponent* component) {
    (void)component;
}

void TzCustomFormDesigner::FreeComponentIcon(TComponent* component) {
    (void)component;
}

void TzCustomFormDesigner::ApplyIconSettings() {}

TControl* TzCustomFormDesigner::FindComponentIcon(TComponent* component) const {
    (void)component;
    return nullptr;
}

// Without icons every surface control stands for itself.
TComponent* TzCustomFormDesigner::IconComponent(TControl* control) const {
    return control;
}

bool TzCustomFormDesigner::IsIcon(TPersistent* object) const {
    (void)object;
    return false;
}

void TzCustomFormDesigner::RepositionIcons() {}

bool TzCustomFormDesigner::IsComponentHiddenOnSurface(TComponent* component) {
    (void)component;
    return false;
}

void TzCustomFormDesigner::RefreshStaticGuidelines() {}

void TzCustomFormDesigner::ClearGuidelines() {}

void TzCustomFormDesigner::UpdateMarkers() {
    FSelMarker->UpdateMarkers();
}

} // namespace dw
