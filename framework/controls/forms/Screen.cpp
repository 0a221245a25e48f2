// TScreen: the forms and data modules of the program in activation order, the active form and
// control, the cursor table and the screen-wide cursor, the screen's size and the fonts.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/gdi/FontEngine.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Window.h"

#include <algorithm>
#include <set>

namespace dw {

TScreen* Screen = New<TScreen>(nullptr);

DW_DEFINE_CLASS(TScreen) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    FHintFont.reset(New<TFont>());
    FHintFont->SetColor(clInfoText);
    FIconFont.reset(New<TFont>());
    FMenuFont.reset(New<TFont>());
    FMenuFont->SetColor(clMenuText);
}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* form) {
    FCustomForms.push_back(form);
    if (auto* f = As<TForm>(form))
        FForms.push_back(f);
    else if (form->Is<TForm>())
        FForms.push_back(static_cast<TForm*>(form));
}

void TScreen::RemoveForm(TCustomForm* form) {
    FCustomForms.erase(std::remove(FCustomForms.begin(), FCustomForms.end(), form), FCustomForms.end());
    FForms.erase(std::remove(FForms.begin(), FForms.end(), static_cast<TForm*>(form)), FForms.end());
    bool changed = false;
    if (FActiveCustomForm == form) {
        FActiveCustomForm = nullptr;
        FActiveForm = nullptr;
        changed = true;
    }
    if (FFocusedForm == form) FFocusedForm = nullptr;
    if (FActiveControl && form->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (changed) OnActiveFormChange(this);
}

void TScreen::AddDataModule(TDataModule* dataModule) {
    FDataModules.push_back(dataModule);
}

void TScreen::RemoveDataModule(TDataModule* dataModule) {
    FDataModules.erase(std::remove(FDataModules.begin(), FDataModules.end(), dataModule), FDataModules.end());
}

void TScreen::SetActiveCustomForm(TCustomForm* form) {
    auto it = std::find(FCustomForms.begin(), FCustomForms.end(), form);
    if (it != FCustomForms.end()) {
        FCustomForms.erase(it);
        FCustomForms.insert(FCustomForms.begin(), form);
    }
    if (auto* f = As<TForm>(form)) {
        auto jt = std::find(FForms.begin(), FForms.end(), f);
        if (jt != FForms.end()) {
            FForms.erase(jt);
            FForms.insert(FForms.begin(), f);
        }
    }
    if (FActiveCustomForm == form) return;
    FActiveCustomForm = form;
    FActiveForm = As<TForm>(form);
    OnActiveFormChange(this);
}

void TScreen::SetActiveControlInternal(TWinControl* control) {
    if (FActiveControl == control) return;
    FActiveControl = control;
    OnActiveControlChange(this);
}

// ---------------------------------------------------------------------------------------------
// Cursors

namespace {

int StandardCursorId(int cursor) {
    switch (cursor) {
    case crDefault:
    case crArrow:
        return IDC_ARROW;
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
        return IDC_SIZEWE;
    case crUpArrow:
        return IDC_UPARROW;
    case crHourGlass:
    case crSQLWait:
        return IDC_WAIT;
    case crDrag:
        return IDC_DRAG;
    case crNoDrop:
        return IDC_NODROP;
    case crHSplit:
        return IDC_HSPLIT;
    case crVSplit:
        return IDC_VSPLIT;
    case crMultiDrag:
        return IDC_MULTIDRAG;
    case crNo:
        return IDC_NO;
    case crAppStart:
        return IDC_APPSTARTING;
    case crHelp:
        return IDC_HELP;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return 0;
    }
}

} // namespace

HCURSOR TScreen::Cursors(int index) const {
    for (const auto& [i, h] : FCustomCursors)
        if (i == index) return h;
    if (index == crNone) return nullptr;
    int id = StandardCursorId(index);
    return LoadCursor(nullptr, id ? id : IDC_ARROW);
}

void TScreen::SetCursors(int index, HCURSOR handle) {
    for (auto& entry : FCustomCursors)
        if (entry.first == index) {
            entry.second = handle;
            return;
        }
    FCustomCursors.emplace_back(index, handle);
}

void TScreen::SetCursor(TCursor value) {
    if (FCursor == value) return;
    FCursor = value;
    if (value != crDefault) {
        dw::SetCursor(Cursors(value));
        return;
    }
    // Back to the controls' own cursors: the window under the mouse sets its cursor again.
    TPoint p = GetCursorPos();
    if (HWND h = WindowFromPoint(p))
        SendMessage(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TScreen::ApplyCursor(TCursor cursor) {
    dw::SetCursor(Cursors(FCursor != crDefault ? FCursor : cursor));
}

// ---------------------------------------------------------------------------------------------
// Size and fonts

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}
int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}
TRect TScreen::DesktopRect() const {
    return {0, 0, Width(), Height()};
}

// The windowing core offers no list of installed faces; the list holds the face names stored
// forms commonly use and the families they resolve to on this machine.
const std::vector<String>& TScreen::Fonts() {
    if (FFontsLoaded) return FFonts;
    static const char* const known[] = {"MS Sans Serif", "MS Serif", "Arial",    "Courier New", "Times New Roman",
                                        "Tahoma",        "Verdana",  "Segoe UI", "System",      "Small Fonts",
                                        "Courier",       "Sans",     "Serif",    "Monospace"};
    std::set<String, bool (*)(const String&, const String&)> faces(
        [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    for (const char* name : known) {
        faces.insert(name);
        String family = ResolveFontFamily(name);
        if (!family.empty()) faces.insert(family);
    }
    FFonts.assign(faces.begin(), faces.end());
    FFontsLoaded = true;
    return FFonts;
}

} // namespace dw
