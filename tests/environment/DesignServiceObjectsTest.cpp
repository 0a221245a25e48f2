#include "EnvFixture.h"

#include "environment/DesignServiceObjects.h"
#include "environment/EnvironmentEditors.h"
#include "framework/controls/core/ControlTypes.h"
#include "framework/controls/forms/Screen.h"
#include "framework/controls/stdctrls/Button.h"
#include "framework/designtime/VclPropEdits.h"
#include "framework/rtl/ClassInfo.h"

namespace dw::test {

// With no designed form open nothing is active: no designer, an empty root, no selection.
TEST_F(ManagerTest, ServicesAnswerEmptyWithoutAnActiveDesigner) {
    auto designers = TzDesigners::Make(DesignerManager());
    EXPECT_FALSE(designers->HasActiveDesigner());
    IComponentDesigner* componentDesigner = designers->GetComponentDesigner();
    ASSERT_NE(componentDesigner, nullptr);
    EXPECT_EQ(designers->GetActiveComponentDesigner(), componentDesigner);
    EXPECT_EQ(componentDesigner->GetActiveRoot()->GetDesigner(), nullptr);
    auto list = TDesignerSelections::Make();
    componentDesigner->GetSelections(list.get());
    EXPECT_EQ(list->Count(), 0);
    int count = 7;
    EXPECT_EQ(designers->GetModuleDesignerCount(count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(designers->GetModuleNames().empty());
    EXPECT_TRUE(componentDesigner->CanDesign());
    EXPECT_EQ(componentDesigner->GetEditState(), 0x3FFFu);
    EXPECT_FALSE(componentDesigner->FindRoot("Form2"));
}

// The answers that matter come from the designer manager's active designer.
TEST_F(ManagerTest, ServicesFollowTheActiveDesigner) {
    auto designers = TzDesigners::Make(DesignerManager());
    TButton* button = New<TButton>(nullptr);
    TObjectPtr<TButton> holder(button);
    TFakeDesigner designer;
    designer.Selection = {button};
    DesignerManager().SetActiveDesigner(&designer);
    EXPECT_TRUE(designers->HasActiveDesigner());
    auto root = designers->GetComponentDesigner()->GetActiveRoot();
    EXPECT_EQ(root->GetDesigner(), &designer);
    EXPECT_NE(root.get(), designers->GetComponentDesigner()->GetActiveRoot().get()) << "a new root every time";
    auto list = TDesignerSelections::Make();
    designers->GetComponentDesigner()->GetSelections(list.get());
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Get(0), button);
    DesignerManager().SetActiveDesigner(nullptr);
    EXPECT_EQ(root->GetDesigner(), nullptr);
}

// The component designer and the environment do not count references, so any number of
// acquires and releases leaves them alive; asking for an interface they lack fails.
TEST_F(ManagerTest, PlainServiceObjectsSurviveAcquireAndRelease) {
    auto designers = TzDesigners::Make(DesignerManager());
    IComponentDesigner* componentDesigner = designers->GetComponentDesigner();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(componentDesigner->Release(), 1);
    IDesignEnvironment* environment = componentDesigner->Environment();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(environment->Release(), 1);
    EXPECT_EQ(QueryIntf<IDesignEnvironment>(environment), environment);
    EXPECT_EQ(QueryIntf<IComponentDesigner>(environment), nullptr);
    EXPECT_EQ(QueryIntf<IDesigners>(componentDesigner), nullptr);
    EXPECT_TRUE(componentDesigner->CanDesign());
}

// Design windows go under the main window: (0, 0, screen width, y) with y from the hooks' new
// root position, 0 without one; a creation through the environment disarms the palette.
TEST_F(ManagerTest, DesignEnvironmentPlacesAndDisarmsThroughTheManager) {
    auto designers = TzDesigners::Make(DesignerManager());
    IDesignEnvironment* environment = designers->GetComponentDesigner()->Environment();
    EXPECT_EQ(environment->GetMainWindowSize(), (TRect{0, 0, Screen->Width(), 0}));
    TRecordingListener hook("hook", Log, lsHook);
    hook.StopNewRootPosition = true;
    hook.NewRootPosition = {30, 120};
    DesignerManager().AddListener(hook.Intf());
    EXPECT_EQ(environment->GetNewRootPosition(), (TPoint{30, 120}));
    EXPECT_EQ(environment->GetMainWindowSize(), (TRect{0, 0, Screen->Width(), 120}));
    DesignerManager().RemoveListener(hook.Intf());
    DesignerManager().SetComponentClass(TButton::StaticClass());
    environment->ComponentCreated();
    EXPECT_EQ(DesignerManager().ComponentClass(), nullptr);
}

TEST_F(ManagerTest, IDEServicesAnswerFormExtensionAndNeutralValues) {
    auto services = TzIDEServices::Make();
    EXPECT_EQ(services->GetFormFileExtension(), "dfm");
    EXPECT_FALSE(services->IsProjectOpen());
    auto* general = QueryIntf<IGeneralServices>(services.get());
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(general->GetBaseRegistryKey(), "");
    EXPECT_EQ(general->GetBinDirectory(), "");
    EXPECT_TRUE(general->IsDesignTime());
    EXPECT_TRUE(general->CanCreateComponents());
    general->Release();
    auto* modules = QueryIntf<IModuleServices>(services.get());
    ASSERT_NE(modules, nullptr);
    EXPECT_EQ(modules->GetModuleCount(), 0);
    EXPECT_FALSE(modules->OpenModule("Unit1.dfm"));
    modules->Release();
    EXPECT_EQ(QueryIntf<IDesigners>(services.get()), nullptr);
    TIToolServicesImpl tools;
    EXPECT_EQ(tools.CreateModule("Unit1", TObjectPtr<TStream>(New<TMemoryStream>()), nullptr, 0), 0);
    EXPECT_EQ(tools.GetMainWindowRect(), TRect{});
}

} // namespace dw::test

namespace dw::test {

// An editor someone registered for captions earlier.
class TOldCaptionEditor : public TStringProperty {
    DW_CLASS(TOldCaptionEditor, TStringProperty)
};
DW_DEFINE_CLASS(TOldCaptionEditor) {}

// The environment's registrations come after earlier ones for the same types and take over.
TEST_F(ManagerTest, EnvironmentEditorsTakeOverEarlierRegistrations) {
    TEditorRegistry registry;
    registry.RegisterPropertyEditor(&CaptionTypeInfo(), nullptr, "", TOldCaptionEditor::StaticClass());
    TObjectPtr<TButton> button(New<TButton>(nullptr));
    EXPECT_EQ(registry.GetEditorClass(GetPropInfo(button.get(), "Caption"), button.get()),
              TOldCaptionEditor::StaticClass());
    RegisterEnvironmentEditors(registry);
    const std::pair<const char*, TClass> cases[] = {
        {"Caption", TCaptionProperty::StaticClass()},         {"Font", TFontProperty::StaticClass()},
        {"Name", TComponentNameProperty::StaticClass()},      {"Cursor", TCursorProperty::StaticClass()},
        {"ModalResult", TModalResultProperty::StaticClass()}, {"TabOrder", TTabOrderProperty::StaticClass()},
        {"PopupMenu", TComponentProperty::StaticClass()},
    };
    for (auto [name, editorClass] : cases)
        EXPECT_EQ(registry.GetEditorClass(GetPropInfo(button.get(), name), button.get()), editorClass) << name;
}

} // namespace dw::test
