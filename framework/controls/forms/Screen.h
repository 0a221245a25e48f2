// The screen object: forms, the active form and control, cursors, fonts and size.
#pragma once

#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/Graphics.h"
#include "framework/rtl/Component.h"

#include <memory>
#include <utility>
#include <vector>

namespace dw {

class TCustomForm;
class TForm;
class TDataModule;
class TWinControl;

// The screen: forms, the active form and control, cursors, fonts and size.
class TScreen : public TComponent {
    DW_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    // Forms (TForm) and custom forms in the order the user last activated them, newest first.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    int CustomFormCount() const { return static_cast<int>(FCustomForms.size()); }
    TCustomForm* CustomForms(int index) const { return FCustomForms.at(static_cast<size_t>(index)); }
    int DataModuleCount() const { return static_cast<int>(FDataModules.size()); }
    TDataModule* DataModules(int index) const { return FDataModules.at(static_cast<size_t>(index)); }
    TForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }

    // A screen-wide cursor that overrides every control's cursor while it is not crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The cursor table: the standard cursors (crDefault 0 to crSizeAll) map to the platform's
    // shapes; numbers above 0 are free for a program's own cursors.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR handle);

    int Width() const;
    int Height() const;
    TRect DesktopRect() const;
    TRect WorkAreaRect() const { return DesktopRect(); }
    int PixelsPerInch() const { return ScreenPixelsPerInch; }
    // The font faces the platform knows (through fontconfig), sorted.
    const std::vector<String>& Fonts();
    TFont* HintFont() const { return FHintFont.get(); }
    TFont* IconFont() const { return FIconFont.get(); }
    TFont* MenuFont() const { return FMenuFont.get(); }

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void AddDataModule(TDataModule* dataModule);
    void RemoveDataModule(TDataModule* dataModule);
    // Moves form to the front of the activation order and makes it the active form.
    void SetActiveCustomForm(TCustomForm* form);
    void SetActiveControlInternal(TWinControl* control);
    void SetFocusedForm(TCustomForm* form) { FFocusedForm = form; }
    // Sets the platform cursor for a control's cursor (the screen cursor wins).
    void ApplyCursor(TCursor cursor);

private:
    std::vector<TForm*> FForms;
    std::vector<TCustomForm*> FCustomForms;
    std::vector<TDataModule*> FDataModules;
    TForm* FActiveForm = nullptr;
    TCustomForm* FActiveCustomForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TCursor FCursor = crDefault;
    std::vector<std::pair<int, HCURSOR>> FCustomCursors;
    std::vector<String> FFonts;
    bool FFontsLoaded = false;
    std::unique_ptr<TFont, TObjectDeleter> FHintFont;
    std::unique_ptr<TFont, TObjectDeleter> FIconFont;
    std::unique_ptr<TFont, TObjectDeleter> FMenuFont;
};

extern TScreen* Screen;

} // namespace dw
