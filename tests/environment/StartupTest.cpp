// Start-up and exit of the design environment: the registration hooks, the palette as the program
// starts, streaming of the registered classes, and the global-component finder.
#include "EnvFixture.h"

#include "environment/ClassGlyph.h"
#include "environment/Frames.h"
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/controls/stdctrls/Buttons.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/GlobalComponents.h"

namespace dw::test {

namespace {
using Strings = std::vector<String>;

Strings PageNames() {
    Strings pages;
    for (int i = 0; i < PackageMng().Pages()->Count(); ++i) pages.push_back(PackageMng().Pages()->Strings(i));
    return pages;
}

Strings ClassNamesOn(const String& page) {
    Strings names;
    for (int i = 0; i < PackageMng().ClassInfoCount(); ++i)
        if (PackageMng().ClassInfos(i)->Page() == page)
            names.push_back(PackageMng().ClassInfos(i)->ComponentClass()->ClassName());
    return names;
}
} // namespace

TEST_F(EnvironmentTest, PalettePagesAndClassesInStartUpOrder) {
    EXPECT_EQ(PageNames(), (Strings{"Standard", "Additional", "Win32", "System", "Dialogs"}));
    EXPECT_EQ(PackageMng().ClassInfos(0)->ComponentClass(), Frames::StaticClass());
    EXPECT_EQ(ClassNamesOn("Standard"), (Strings{"Frames", "TMainMenu", "TPopupMenu", "TLabel", "TEdit", "TMemo",
                                                 "TButton", "TCheckBox", "TRadioButton", "TListBox", "TComboBox",
                                                 "TScrollBar", "TGroupBox", "TRadioGroup", "TPanel", "TActionList"}));
    EXPECT_EQ(ClassNamesOn("Additional"),
              (Strings{"TBitBtn", "TSpeedButton", "TBevel", "TScrollBox", "TSplitter", "TControlBar"}));
    EXPECT_EQ(ClassNamesOn("Win32"), (Strings{"TTabControl", "TPageControl", "TImageList", "TStatusBar", "TToolBar"}));
    EXPECT_EQ(ClassNamesOn("System"), (Strings{"TTimer", "TPaintBox"}));
    EXPECT_EQ(ClassNamesOn("Dialogs"), (Strings{"TOpenDialog", "TSaveDialog"}));
    EXPECT_EQ(PackageMng().FindClassInfo(TToolButton::StaticClass()), nullptr) << "streaming only";
    EXPECT_EQ(PackageMng().FindClassInfo(TTabSheet::StaticClass()), nullptr) << "streaming only";
}

TEST_F(EnvironmentTest, EveryPaletteClassHasAGlyphOfItsOwn) {
    auto noIcon = MakeObject<TBitmap>();
    noIcon->LoadFromResourceName("NOICON");
    for (int i = 0; i < PackageMng().ClassInfoCount(); ++i) {
        TComponentClassInfo* info = PackageMng().ClassInfos(i);
        String name = UpperCase(info->ComponentClass()->ClassName());
        SCOPED_TRACE(name);
        EXPECT_TRUE(info->HasValidGlyph());
        EXPECT_EQ(info->Glyph()->Width(), 24);
        EXPECT_EQ(info->Glyph()->Height(), 24);
        auto own = MakeObject<TBitmap>();
        own->LoadFromResourceName(name == "FRAMES" ? String("FRAMES") : name);
        EXPECT_EQ(own->PixelFormat(), pf4bit) << "16 colours";
        bool same = true;
        for (int y = 0; y < 24 && same; ++y)
            for (int x = 0; x < 24 && same; ++x)
                same = own->Canvas()->Pixels(x, y) == info->Glyph()->Canvas()->Pixels(x, y);
        EXPECT_TRUE(same) << "the record shows the class's own glyph";
    }
    auto dsn = MakeObject<TBitmap>();
    EXPECT_NO_THROW(dsn->LoadFromResourceName("NOICON_DSN"));
}

TEST_F(EnvironmentTest, NoIconClassesAndTheDataModuleModule) {
    auto& registry = PackageMng();
    EXPECT_TRUE(registry.IsNoIconClass(TMenuItem::StaticClass()));
    EXPECT_TRUE(registry.IsNoIconClass(TAction::StaticClass()));
    EXPECT_TRUE(registry.IsNoIconClass(TEditCopy::StaticClass())) << "descends from TAction";
    EXPECT_TRUE(registry.IsNoIconClass(TBasicAction::StaticClass()));
    EXPECT_FALSE(registry.IsNoIconClass(TTimer::StaticClass()));
    EXPECT_TRUE(IsClassRegistered(TMenuItem::StaticClass())) << "no-icon classes are streamed too";

    TObjectPtr<TDataModule> module(New<TDataModule>(nullptr, CreateNew));
    auto custom = registry.GetCustomModule(module.get());
    ASSERT_TRUE(custom);
    TObjectPtr<TButton> button(New<TButton>(nullptr));
    EXPECT_THROW(custom->ValidateComponent(button.get()), EComponentError);
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    EXPECT_FALSE(registry.GetCustomModule(form.get())) << "forms need no custom module";
}

TEST_F(EnvironmentTest, FormWithTheRegisteredClassesReadsBack) {
    for (int i = 1; i < PackageMng().ClassInfoCount(); ++i)
        EXPECT_TRUE(IsClassRegistered(PackageMng().ClassInfos(i)->ComponentClass()))
            << PackageMng().ClassInfos(i)->ComponentClass()->ClassName();
    EXPECT_TRUE(IsClassRegistered(TToolButton::StaticClass()));
    EXPECT_TRUE(IsClassRegistered(TTabSheet::StaticClass()));

    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    form->SetName("StreamForm");
    auto place = [&](TComponent* c, const char* name, TWinControl* parent = nullptr) {
        c->SetName(name);
        if (auto* control = As<TControl>(c)) control->SetParent(parent ? parent : form.get());
        return c;
    };
    auto* panel = static_cast<TPanel*>(place(New<TPanel>(form.get()), "Panel1"));
    place(New<TEdit>(form.get()), "Edit1", panel);
    place(New<TButton>(form.get()), "Button1");
    place(New<TTimer>(form.get()), "Timer1");
    auto* menu = static_cast<TMainMenu*>(place(New<TMainMenu>(form.get()), "MainMenu1"));
    auto* item = New<TMenuItem>(form.get());
    item->SetName("File1");
    menu->Items()->Add(item);
    auto* pages = static_cast<TPageControl*>(place(New<TPageControl>(form.get()), "PageControl1"));
    auto* sheet = New<TTabSheet>(form.get());
    sheet->SetName("TabSheet1");
    sheet->SetPageControl(pages);
    auto* bar = static_cast<TToolBar*>(place(New<TToolBar>(form.get()), "ToolBar1"));
    place(New<TToolButton>(form.get()), "ToolButton1", bar);
    place(New<TOpenDialog>(form.get()), "OpenDialog1");

    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(form.get());
    }
    stream.SetPosition(0);
    TObjectPtr<TForm> copy(New<TForm>(nullptr, CreateNew));
    {
        TReader reader(stream, 4096);
        reader.ReadRootComponent(copy.get());
    }
    const std::pair<const char*, TClass> expected[] = {
        {"Panel1", TPanel::StaticClass()},
        {"Edit1", TEdit::StaticClass()},
        {"Button1", TButton::StaticClass()},
        {"Timer1", TTimer::StaticClass()},
        {"MainMenu1", TMainMenu::StaticClass()},
        {"File1", TMenuItem::StaticClass()},
        {"PageControl1", TPageControl::StaticClass()},
        {"TabSheet1", TTabSheet::StaticClass()},
        {"ToolBar1", TToolBar::StaticClass()},
        {"ToolButton1", TToolButton::StaticClass()},
        {"OpenDialog1", TOpenDialog::StaticClass()},
    };
    for (const auto& [name, cls] : expected) {
        TComponent* found = copy->FindComponent(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->ClassType(), cls) << name;
    }
    EXPECT_EQ(static_cast<TEdit*>(copy->FindComponent("Edit1"))->Parent(), copy->FindComponent("Panel1"));
    EXPECT_EQ(static_cast<TToolButton*>(copy->FindComponent("ToolButton1"))->Parent(), copy->FindComponent("ToolBar1"));
}

TEST_F(EnvironmentTest, EntriesReachTheRegistryAndDuplicatesAreSwallowed) {
    // TButton is registered for streaming already: registering it again on the palette is fine.
    EXPECT_NO_THROW(RegisterComponents("Mine", {TButton::StaticClass()}));
    EXPECT_EQ(PackageMng().FindClassInfo(TButton::StaticClass())->Page(), "Standard") << "lookups find the first";
    EXPECT_EQ(PageNames().back(), "Mine");

    TRecordingListener listener("l", Log, lsNotification);
    RegisterDesignNotification(listener.Intf());
    DesignerManager().NotifyItemsModified(nullptr);
    UnregisterDesignNotification(listener.Intf());
    DesignerManager().NotifyItemsModified(nullptr);
    EXPECT_EQ(Log, Strings{"l:ItemsModified"});
}

TEST_F(EnvironmentTest, StartingAgainDoesNothing) {
    int records = PackageMng().ClassInfoCount();
    EXPECT_FALSE(InitDesignEnvironment());
    EXPECT_EQ(PackageMng().ClassInfoCount(), records);
    EXPECT_TRUE(RegistryOwnsRegistration());
}

TEST_F(ManagerTest, ExitFreesTheRegistryAndUninstallsTheHooks) {
    ASSERT_TRUE(InitDesignEnvironment());
    DesignerManager().SetComponentClass(TButton::StaticClass());
    ASSERT_NE(GetClassDragImage(false), nullptr);
    DoneDesignEnvironment();
    EXPECT_FALSE(RegistryOwnsRegistration());
    EXPECT_FALSE(PackageMngExists());
    EXPECT_EQ(DesignerManager().ComponentClass(), nullptr) << "a new manager after the old one was freed";
    EXPECT_THROW(RegisterComponents("Standard", {TButton::StaticClass()}), EComponentError);
    EXPECT_FALSE(static_cast<bool>(RegistrationHooks().RegisterDesignNotification));
}

TEST_F(ManagerTest, AnotherRegistrationHandlerKeepsTheRegistryOut) {
    Strings seen;
    RegistrationHooks().RegisterComponents = [&](const String& page, const TComponentClasses&) {
        seen.push_back(page);
    };
    EXPECT_FALSE(InitDesignEnvironment());
    EXPECT_FALSE(RegistryOwnsRegistration());
    EXPECT_FALSE(PackageMngExists());
    EXPECT_TRUE(seen.empty()) << "nothing is registered through the other handler";
    EXPECT_FALSE(static_cast<bool>(RegistrationHooks().RegisterNoIcon));
    DoneDesignEnvironment(); // not ours: leaves the handler alone
    RegisterComponents("Host", {TButton::StaticClass()});
    EXPECT_EQ(seen, Strings{"Host"});
    RegistrationHooks() = TRegistrationHooks();
}

TEST_F(EnvironmentTest, GlobalComponentsAreFoundThroughTheHooks) {
    TObjectPtr<TComponent> module(New<TComponent>(nullptr));
    module->SetName("SharedModule");
    EXPECT_EQ(FindGlobalComponentByName("SharedModule"), nullptr) << "no hook: none";

    TRecordingListener hook("hook", Log, lsHook);
    hook.Roots = {nullptr, module.get()};
    DesignerManager().AddListener(hook.Intf());
    EXPECT_EQ(FindGlobalComponentByName("sharedmodule"), module.get());
    EXPECT_EQ(FindGlobalComponentByName("Other"), nullptr);
    EXPECT_EQ(FindGlobalComponent("SHAREDMODULE"), module.get()) << "installed as a finder";

    DoneDesignEnvironment();
    EXPECT_EQ(FindGlobalComponent("SharedModule"), nullptr) << "the finder is gone at exit";
    ASSERT_TRUE(InitDesignEnvironment());
}

} // namespace dw::test
