#include "environment/Startup.h"

#include "environment/ClassGlyph.h"
#include "environment/DMCustomModule.h"
#include "environment/DesignerManager.h"
#include "environment/PackageMng.h"
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/stdctrls/Buttons.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/designtime/Registration.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/GlobalComponents.h"

namespace dw {

namespace {
bool registryOwnsRegistration = false;

// Registration for the form reader. A class that is already registered (by the framework's own
// start-up or an earlier registration) is fine as it is, so the duplicate error is swallowed.
void RegisterForStreaming(const TComponentClasses& classes) {
    for (TClass cls : classes) {
        try {
            RegisterClass(cls);
        } catch (const Exception&) {
        }
    }
}

void InstallRegistrationHooks() {
    TRegistrationHooks& hooks = RegistrationHooks();
    hooks.RegisterComponents = [](const String& page, const TComponentClasses& classes) {
        PackageMng().RegisterComponentClasses(page, classes);
        RegisterForStreaming(classes);
    };
    hooks.RegisterNoIcon = [](const TComponentClasses& classes) {
        PackageMng().AddNoIconClasses(classes);
        RegisterForStreaming(classes);
    };
    hooks.RegisterNonActiveX = [](const TComponentClasses& classes) { RegisterForStreaming(classes); };
    hooks.RegisterFields = [](const TComponentClasses& classes) {
        PackageMng().AddFieldClasses(classes);
        RegisterForStreaming(classes);
    };
    hooks.RegisterCustomModule = [](int group, TClass componentBaseClass, const TCustomModuleClass& moduleClass) {
        PackageMng().AddCustomModule(group, componentBaseClass, moduleClass);
    };
    hooks.RegisterDesignNotification = [](IInterface* listener) { DesignerManager().AddListener(listener); };
    hooks.UnregisterDesignNotification = [](IInterface* listener) { DesignerManager().RemoveListener(listener); };
}

// The palette as the program starts. Classes the control library does not have yet join their
// pages here as it gains them.
void RegisterBuiltInComponents() {
    RegisterComponents("Standard", {TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TLabel::StaticClass(),
                                    TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                                    TCheckBox::StaticClass(), TRadioButton::StaticClass(), TListBox::StaticClass(),
                                    TComboBox::StaticClass(), TScrollBar::StaticClass(), TGroupBox::StaticClass(),
                                    TRadioGroup::StaticClass(), TPanel::StaticClass(), TActionList::StaticClass()});
    RegisterComponents("Additional", {TBitBtn::StaticClass(), TSpeedButton::StaticClass(), TBevel::StaticClass(),
                                      TScrollBox::StaticClass(), TSplitter::StaticClass(), TControlBar::StaticClass()});
    RegisterComponents("Win32", {TTabControl::StaticClass(), TPageControl::StaticClass(), TImageList::StaticClass(),
                                 TStatusBar::StaticClass(), TToolBar::StaticClass()});
    RegisterComponents("System", {TTimer::StaticClass(), TPaintBox::StaticClass()});
    RegisterComponents("Dialogs", {TOpenDialog::StaticClass(), TSaveDialog::StaticClass()});
    // Children that only ever come with their parents: readable, not on the palette.
    RegisterForStreaming({TToolButton::StaticClass(), TTabSheet::StaticClass()});
}

// The registrations the environment itself supplies.
void RegisterEnvironmentClasses() {
    RegisterNoIcon({TMenuItem::StaticClass(), TBasicAction::StaticClass(), TAction::StaticClass()});
    RegisterCustomModule(TDataModule::StaticClass(), CustomModuleClassOf<TzDMCustomModule>("TzDMCustomModule"));
}
} // namespace

bool InitDesignEnvironment() {
    if (RegistrationHooks().RegisterComponents) return false;
    registryOwnsRegistration = true;
    PackageMng();
    InstallRegistrationHooks();
    RegisterEnvironmentClasses();
    DesignerManager();
    AddFindGlobalComponentProc(&FindGlobalComponentByName);
    RegisterBuiltInComponents();
    return true;
}

void DoneDesignEnvironment() {
    if (!registryOwnsRegistration) return;
    RemoveFindGlobalComponentProc(&FindGlobalComponentByName);
    FreeDesignerManager();
    FreeClassDragImage();
    FreePackageMng();
    RegistrationHooks() = TRegistrationHooks();
    registryOwnsRegistration = false;
}

bool RegistryOwnsRegistration() {
    return registryOwnsRegistration;
}

TComponent* FindGlobalComponentByName(std::string_view name) {
    std::vector<TComponent*> roots;
    DesignerManager().GetRootComponents(nullptr, roots);
    for (TComponent* component : roots)
        if (component && SameText(component->Name(), name)) return component;
    return nullptr;
}

} // namespace dw
