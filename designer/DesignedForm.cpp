// Writing the form of a designer: the Root without the designer component (or, for a data
// module, without its host form), with the designer's event list when it stores events.
#include "designer/DesignedForm.h"

#include "designer/FormDesigner.h"
#include "formfiles/FormFiles.h"
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/Stream.h"

namespace dw {

void WriteDesignedForm(TStream& stream, IDesigner* designer, bool asText) {
    TzCustomFormDesigner* formDesigner = GetFormDesigner(designer);
    if (!formDesigner || !formDesigner->Root()) return;
    TComponent* root = formDesigner->Root();
    // Neither the designer nor a data module's host form belongs in the file. They leave the
    // Root's components quietly: a locked designer must not be refused by rename validation,
    // listeners must not hear of a deletion, and the designer must not change its design state.
    TComponent* left = nullptr;
    if (formDesigner->Owner() == root)
        left = formDesigner;
    else if (dynamic_cast<TDataModule*>(root) && formDesigner->HostForm() && formDesigner->HostForm()->Owner() == root)
        left = formDesigner->HostForm();
    int index = left ? left->ComponentIndex() : -1;
    if (left) root->DetachQuietly(left);
    TDesignSurface* surface = formDesigner->DesignSurface();
    auto restore = ScopeExit([&] {
        if (surface) surface->AfterFormSave();
        if (left) root->AttachQuietly(left, index);
    });
    if (surface) surface->BeforeFormSave();
    WriteFormStream(stream, root, asText, formDesigner->StoreEvents() ? formDesigner->EventList() : nullptr);
}

void SaveDesignedForm(const String& fileName, IDesigner* designer, bool asText) {
    // Written in memory first, so that a form that cannot be written leaves an existing file as
    // it was; the file is replaced whole or not at all.
    TMemoryStream memory;
    WriteDesignedForm(memory, designer, asText);
    memory.SaveToFile(fileName);
}

} // namespace dw
