#include "framework/controls/forms/LoadedRoot.h"

#include "framework/controls/forms/DataModule.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/forms/Frame.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Filer.h"

#include <set>

namespace dw {

namespace {

// A form read on its own is not shown as what it was stored as (an MDI child needs its frame
// window): its style, state and visibility are kept as values only.
class TLoadedForm : public TForm {
    DW_CLASS(TLoadedForm, TForm)
    using TForm::TForm;
    TFormStyle StoredFormStyle() const { return FStoredFormStyle; }
    void SetStoredFormStyle(TFormStyle value) { FStoredFormStyle = value; }
    TWindowState StoredWindowState() const { return FStoredWindowState; }
    void SetStoredWindowState(TWindowState value) { FStoredWindowState = value; }
    bool StoredVisible() const { return FStoredVisible; }
    void SetStoredVisible(bool value) { FStoredVisible = value; }

private:
    TFormStyle FStoredFormStyle = fsNormal;
    TWindowState FStoredWindowState = wsNormal;
    bool FStoredVisible = false;
};

} // namespace

DW_DEFINE_CLASS(TLoadedForm) {
    c.Property("FormStyle", &TLoadedForm::StoredFormStyle, &TLoadedForm::SetStoredFormStyle).Default(fsNormal);
    c.Property("WindowState", &TLoadedForm::StoredWindowState, &TLoadedForm::SetStoredWindowState).Default(wsNormal);
    c.Property("Visible", &TLoadedForm::StoredVisible, &TLoadedForm::SetStoredVisible).Default(false);
}

TComponent* CreateLoadedRoot(TStream& binary) {
    Int64 start = binary.Position();
    String className;
    std::set<String> names;
    {
        TReader reader(binary, 4096);
        reader.ReadSignature();
        TFilerFlags flags;
        int childPos;
        reader.ReadPrefix(flags, childPos);
        className = reader.ReadStr();
        reader.ReadStr();
        while (!reader.EndOfList()) {
            names.insert(UpperCase(reader.ReadStr()));
            reader.SkipValue();
        }
    }
    binary.SetPosition(start);
    auto has = [&](const char* name) { return names.count(name) > 0; };
    TClass cls = GetClass(className);
    if (cls && cls->InheritsFrom(TDataModule::StaticClass())) return New<TDataModule>(nullptr, CreateNew);
    if (cls && cls->InheritsFrom(TFrame::StaticClass())) return New<TFrame>(nullptr, CreateNew);
    if (cls && cls->InheritsFrom(TCustomForm::StaticClass())) return New<TLoadedForm>(nullptr, CreateNew);
    // A data module stores no client size, and the older ones say how they are created.
    if (has("OLDCREATEORDER") && !has("CLIENTWIDTH") && !has("CLIENTHEIGHT") && !has("CAPTION"))
        return New<TDataModule>(nullptr, CreateNew);
    if (has("CLIENTWIDTH") || has("CLIENTHEIGHT") || has("CAPTION") || has("PIXELSPERINCH") || has("FORMSTYLE"))
        return New<TLoadedForm>(nullptr, CreateNew);
    if (has("WIDTH") || has("HEIGHT")) {
        if (!has("LEFT") || has("TABORDER")) return New<TFrame>(nullptr, CreateNew);
        return New<TDataModule>(nullptr, CreateNew);
    }
    return New<TDataModule>(nullptr, CreateNew);
}

} // namespace dw
