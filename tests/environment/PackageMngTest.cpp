// The component registry: records and their glyphs, pages, batches of registrations and their one
// PaletteChanged, the record setters, no-icon classes and custom modules.
#include "EnvFixture.h"

#include "environment/DMCustomModule.h"
#include "environment/Frames.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/Resources.h"

#include <algorithm>
#include <map>

namespace dw::test {

// Classes whose glyph resources the tests control: a base with a small glyph of its own, children
// with glyphs too large, a grandchild below an unregistered class, and classes with no glyph.
class TGlyphBase : public TComponent {
    DW_CLASS(TGlyphBase, TComponent)
    using TComponent::TComponent;
};
class TTallGlyphChild : public TGlyphBase {
    DW_CLASS(TTallGlyphChild, TGlyphBase)
    using TGlyphBase::TGlyphBase;
};
class TWideGlyphChild : public TGlyphBase {
    DW_CLASS(TWideGlyphChild, TGlyphBase)
    using TGlyphBase::TGlyphBase;
};
class TUnregisteredMiddle : public TGlyphBase {
    DW_CLASS(TUnregisteredMiddle, TGlyphBase)
    using TGlyphBase::TGlyphBase;
};
class TGlyphGrandChild : public TUnregisteredMiddle {
    DW_CLASS(TGlyphGrandChild, TUnregisteredMiddle)
    using TUnregisteredMiddle::TUnregisteredMiddle;
};
class TBigGlyphOrphan : public TComponent {
    DW_CLASS(TBigGlyphOrphan, TComponent)
    using TComponent::TComponent;
};
class TNoGlyph : public TComponent {
    DW_CLASS(TNoGlyph, TComponent)
    using TComponent::TComponent;
};
class TNoGlyphChild : public TNoGlyph {
    DW_CLASS(TNoGlyphChild, TNoGlyph)
    using TNoGlyph::TNoGlyph;
};
DW_DEFINE_CLASS(TGlyphBase) {}
DW_DEFINE_CLASS(TTallGlyphChild) {}
DW_DEFINE_CLASS(TWideGlyphChild) {}
DW_DEFINE_CLASS(TUnregisteredMiddle) {}
DW_DEFINE_CLASS(TGlyphGrandChild) {}
DW_DEFINE_CLASS(TBigGlyphOrphan) {}
DW_DEFINE_CLASS(TNoGlyph) {}
DW_DEFINE_CLASS(TNoGlyphChild) {}

namespace {

// Registers a 16-colour bitmap resource of one colour; the bytes live for the whole run.
void RegisterGlyphResource(const String& name, int width, int height, TColor color) {
    static std::map<String, std::vector<unsigned char>> store;
    if (store.count(name)) return;
    auto bitmap = MakeObject<TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(TRect{0, 0, width, height});
    bitmap->SetPixelFormat(pf4bit);
    TMemoryStream stream;
    bitmap->SaveToStream(stream);
    auto& bytes = store[name];
    bytes.resize(static_cast<size_t>(stream.Size()));
    stream.SetPosition(0);
    stream.Read(bytes.data(), static_cast<Int64>(bytes.size()));
    RegisterResource(name, "BITMAP", bytes.data(), bytes.size());
}

TObjectPtr<TBitmap> ResourceBitmap(const String& name) {
    auto bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName(name);
    return bitmap;
}

bool SamePixels(TBitmap* a, TBitmap* b) {
    if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (a->Canvas()->Pixels(x, y) != b->Canvas()->Pixels(x, y)) return false;
    return true;
}

} // namespace

// A fresh registry, without the start-up registrations, and a palette listener.
class RegistryTest : public ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        FreePackageMng();
        RegisterGlyphResource("TGLYPHBASE", 16, 16, clGreen);
        RegisterGlyphResource("TTALLGLYPHCHILD", 20, 25, clRed);
        RegisterGlyphResource("TWIDEGLYPHCHILD", 25, 20, clRed);
        RegisterGlyphResource("TBIGGLYPHORPHAN", 32, 32, clBlue);
        DesignerManager().AddListener(Palette.Intf());
    }
    void TearDown() override {
        FreePackageMng();
        ManagerTest::TearDown();
    }
    int PaletteChanges() const {
        return static_cast<int>(std::count(Log.begin(), Log.end(), "palette:PaletteChanged"));
    }

    TRecordingListener Palette{"palette", Log, lsPalette};
};

TEST_F(RegistryTest, StartsWithTheFramesRecordOnStandardWithoutAddingThePage) {
    TPackageMng& registry = PackageMng();
    ASSERT_EQ(registry.ClassInfoCount(), 1);
    TComponentClassInfo* frames = registry.ClassInfos(0);
    EXPECT_EQ(frames->ComponentClass(), Frames::StaticClass());
    EXPECT_EQ(frames->Page(), "Standard");
    EXPECT_TRUE(SamePixels(frames->Glyph(), ResourceBitmap("FRAMES").get()));
    EXPECT_EQ(registry.Pages()->Count(), 0);
}

TEST_F(RegistryTest, GlyphComesFromResourceAncestorOrNoIcon) {
    auto noIcon = ResourceBitmap("NOICON");
    auto base = ResourceBitmap("TGLYPHBASE");
    PackageMng().RegisterComponentClasses("Test", {TGlyphBase::StaticClass()});
    struct TCase {
        TClass Class;
        TBitmap* Expected;
        const char* Why;
    };
    const TCase cases[] = {
        {TNoGlyph::StaticClass(), noIcon.get(), "no resource, no registered ancestor"},
        {TTallGlyphChild::StaticClass(), base.get(), "25 pixels high: the registered ancestor's glyph"},
        {TWideGlyphChild::StaticClass(), base.get(), "25 pixels wide: the registered ancestor's glyph"},
        {TGlyphGrandChild::StaticClass(), base.get(), "no resource: the nearest registered ancestor, skipping others"},
        {TBigGlyphOrphan::StaticClass(), noIcon.get(), "32 pixels and no registered ancestor"},
    };
    for (const TCase& c : cases) {
        PackageMng().RegisterComponentClasses("Test", {c.Class});
        TComponentClassInfo* info = PackageMng().FindClassInfo(c.Class);
        ASSERT_NE(info, nullptr) << c.Why;
        EXPECT_TRUE(SamePixels(info->Glyph(), c.Expected)) << c.Why;
        EXPECT_TRUE(info->HasValidGlyph()) << c.Why;
    }
    EXPECT_TRUE(SamePixels(PackageMng().FindClassInfo(TGlyphBase::StaticClass())->Glyph(), base.get()));
}

TEST_F(RegistryTest, AncestorGlyphIsCopiedNotShared) {
    PackageMng().RegisterComponentClasses("Test", {TGlyphBase::StaticClass(), TTallGlyphChild::StaticClass()});
    TBitmap* baseGlyph = PackageMng().FindClassInfo(TGlyphBase::StaticClass())->Glyph();
    TBitmap* childGlyph = PackageMng().FindClassInfo(TTallGlyphChild::StaticClass())->Glyph();
    EXPECT_NE(baseGlyph, childGlyph);
    childGlyph->SetSize(8, 8);
    EXPECT_EQ(baseGlyph->Width(), 16);
}

TEST_F(RegistryTest, RecordKeepsClassPagesAndName) {
    PackageMng().RegisterComponentClasses("Samples", {TNoGlyph::StaticClass()});
    TComponentClassInfo* info = PackageMng().FindClassInfo(TNoGlyph::StaticClass());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Page(), "Samples");
    EXPECT_EQ(info->DefaultPage(), "Samples");
    EXPECT_EQ(info->DisplayName(), u"TNoGlyph");
    EXPECT_FALSE(info->Hidden());
    EXPECT_EQ(info->Package(), nullptr);
    EXPECT_TRUE(info->Available());
    EXPECT_EQ(PackageMng().IndexOfClassInfo(info), 1) << "after the Frames record";
}

TEST_F(RegistryTest, OneBatchGivesExactlyOnePaletteChanged) {
    PackageMng().RegisterComponentClasses("Test", {TNoGlyph::StaticClass(), TGlyphBase::StaticClass()});
    EXPECT_EQ(PaletteChanges(), 1) << "two classes on a new page, one notification";
    Log.clear();
    PackageMng().BeginUpdate();
    PackageMng().RegisterComponentClasses("Other", {TNoGlyphChild::StaticClass()});
    PackageMng().RegisterComponentClasses("Third", {TBigGlyphOrphan::StaticClass()});
    EXPECT_EQ(PaletteChanges(), 0) << "inside an outer update";
    PackageMng().EndUpdate();
    EXPECT_EQ(PaletteChanges(), 1);
    EXPECT_EQ(PackageMng().UpdateCount(), 0);
}

TEST_F(RegistryTest, FailingClassStillEndsTheBatch) {
    EXPECT_THROW(PackageMng().RegisterComponentClasses("Test", {TNoGlyph::StaticClass(), nullptr}), EInvalidArgument);
    EXPECT_THROW(PackageMng().RegisterComponentClasses("Test", {TBitmap::StaticClass()}), EInvalidArgument);
    EXPECT_EQ(PaletteChanges(), 2);
    EXPECT_EQ(PackageMng().UpdateCount(), 0);
    EXPECT_NE(PackageMng().FindClassInfo(TNoGlyph::StaticClass()), nullptr) << "classes before the failure stay";
}

TEST_F(RegistryTest, PagesKeepFirstOccurrenceOrderWithoutRegardToCase) {
    auto& registry = PackageMng();
    registry.RegisterComponentClasses("Beta", {TNoGlyph::StaticClass()});
    registry.RegisterComponentClasses("alpha", {TGlyphBase::StaticClass()});
    registry.RegisterComponentClasses("BETA", {TNoGlyphChild::StaticClass()});
    ASSERT_EQ(registry.Pages()->Count(), 2);
    EXPECT_EQ(registry.Pages()->Strings(0), "Beta");
    EXPECT_EQ(registry.Pages()->Strings(1), "alpha");
    EXPECT_EQ(registry.FindClassInfo(TNoGlyphChild::StaticClass())->Page(), "BETA") << "the record keeps its spelling";
}

TEST_F(RegistryTest, FiltersChooseThePageOrRefuseTheClass) {
    auto& registry = PackageMng();
    TRecordingListener hook("hook", Log, lsHook);
    DesignerManager().AddListener(hook.Intf());
    std::vector<TComponentClassInfo*> registered;
    registry.OnClassRegistered = [&](TComponentClassInfo* info) { registered.push_back(info); };
    registry.OnFilterClass = [](TClass cls, String& page, bool& accept) {
        if (cls == TNoGlyph::StaticClass()) accept = false;
        if (cls == TGlyphBase::StaticClass()) page = "Moved";
    };
    registry.RegisterComponentClasses("Test", {TNoGlyph::StaticClass(), TGlyphBase::StaticClass()});
    EXPECT_EQ(registry.FindClassInfo(TNoGlyph::StaticClass()), nullptr);
    ASSERT_NE(registry.FindClassInfo(TGlyphBase::StaticClass()), nullptr);
    EXPECT_EQ(registry.FindClassInfo(TGlyphBase::StaticClass())->DefaultPage(), "Moved");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "hook:FilterComponentClass"), 1)
        << "the hooks are not asked about a class the registry's own filter refused";
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0]->ComponentClass(), TGlyphBase::StaticClass());
    EXPECT_EQ(registry.Pages()->IndexOf("Test"), -1) << "no class landed there";

    hook.Reject = true;
    registry.RegisterComponentClasses("Test", {TNoGlyphChild::StaticClass()});
    EXPECT_EQ(registry.FindClassInfo(TNoGlyphChild::StaticClass()), nullptr);
}

TEST_F(RegistryTest, ClassRegisteredTwiceHasTwoRecordsAndLookupFindsTheFirst) {
    auto& registry = PackageMng();
    registry.RegisterComponentClasses("One", {TNoGlyph::StaticClass()});
    registry.RegisterComponentClasses("Two", {TNoGlyph::StaticClass()});
    EXPECT_EQ(registry.ClassInfoCount(), 3);
    EXPECT_EQ(registry.FindClassInfo(TNoGlyph::StaticClass())->Page(), "One");
    EXPECT_EQ(registry.FindClassInfo(TNoGlyphChild::StaticClass()), nullptr) << "never registered";
}

TEST_F(RegistryTest, SettersNotifyOnlyWhenTheValueChanges) {
    auto& registry = PackageMng();
    registry.RegisterComponentClasses("Standard", {TNoGlyph::StaticClass()});
    TComponentClassInfo* info = registry.FindClassInfo(TNoGlyph::StaticClass());
    Log.clear();
    info->SetPage("Standard");
    info->SetHidden(false);
    EXPECT_EQ(PaletteChanges(), 0);
    info->SetPage("standard"); // pages compare exactly here
    info->SetHidden(true);
    EXPECT_EQ(PaletteChanges(), 2);
    EXPECT_EQ(info->Page(), "standard");
    EXPECT_EQ(info->DefaultPage(), "Standard");
    EXPECT_TRUE(info->Hidden());
}

TEST_F(RegistryTest, SetPagesAssignsAndNotifiesOnce) {
    auto& registry = PackageMng();
    registry.RegisterComponentClasses("A", {TNoGlyph::StaticClass()});
    Log.clear();
    auto pages = MakeObject<TStringList>();
    pages->Add("Z");
    pages->Add("A");
    registry.SetPages(pages.get());
    EXPECT_EQ(registry.Pages()->Text(), "Z\nA\n");
    EXPECT_EQ(PaletteChanges(), 1);
}

TEST_F(RegistryTest, MoveClassInfoMovesOnceAndIgnoresStrangers) {
    auto& registry = PackageMng();
    registry.RegisterComponentClasses("A", {TNoGlyph::StaticClass(), TGlyphBase::StaticClass()});
    TComponentClassInfo* last = registry.ClassInfos(2);
    Log.clear();
    registry.MoveClassInfo(last, 0);
    EXPECT_EQ(registry.ClassInfos(0), last);
    EXPECT_EQ(registry.ClassInfos(1)->ComponentClass(), Frames::StaticClass());
    EXPECT_EQ(PaletteChanges(), 1);

    Log.clear();
    TComponentClassInfo stranger(&registry, TNoGlyph::StaticClass(), "A", nullptr);
    registry.MoveClassInfo(&stranger, 0);
    registry.MoveClassInfo(nullptr, 0);
    EXPECT_EQ(PaletteChanges(), 0);
    EXPECT_EQ(registry.ClassInfoCount(), 3);
    EXPECT_THROW(registry.ClassInfos(3), EListError);
}

TEST_F(RegistryTest, NoIconClassesCoverTheirDescendants) {
    auto& registry = PackageMng();
    registry.AddNoIconClasses({TNoGlyph::StaticClass()});
    EXPECT_TRUE(registry.IsNoIconClass(TNoGlyph::StaticClass()));
    EXPECT_TRUE(registry.IsNoIconClass(TNoGlyphChild::StaticClass()));
    EXPECT_FALSE(registry.IsNoIconClass(TGlyphBase::StaticClass()));
    EXPECT_FALSE(registry.IsNoIconClass(nullptr));
}

TEST_F(RegistryTest, CustomizeIsNotAvailableYet) {
    EXPECT_FALSE(PackageMng().Customize());
}

// --- Custom modules ---

// Records the root and the designer it was made with, and how many exist.
class TCountingModule : public TBaseCustomModule {
public:
    TCountingModule(TComponent* root, IDesigner* designer) : TBaseCustomModule(root, designer) { ++Alive; }
    ~TCountingModule() override { --Alive; }
    static inline int Alive = 0;
};

TEST_F(RegistryTest, CustomModuleComesFromTheLatestMatchingRegistrationAndIsMadeOnce) {
    auto& registry = PackageMng();
    TFakeDesigner designer;
    DesignerManager().SetActiveDesigner(&designer);
    registry.AddCustomModule(0, TComponent::StaticClass(), CustomModuleClassOf<TCountingModule>("TCountingModule"));
    registry.AddCustomModule(0, TDataModule::StaticClass(), CustomModuleClassOf<TzDMCustomModule>("TzDMCustomModule"));
    registry.AddCustomModule(0, TForm::StaticClass(), CustomModuleClassOf<TCountingModule>("TCountingModule"));

    TObjectPtr<TDataModule> module1(New<TDataModule>(nullptr, CreateNew));
    TObjectPtr<TDataModule> module2(New<TDataModule>(nullptr, CreateNew));
    auto first = registry.GetCustomModule(module1.get());
    ASSERT_TRUE(first);
    EXPECT_NE(dynamic_cast<TzDMCustomModule*>(first.get()), nullptr);
    EXPECT_EQ(static_cast<TzDMCustomModule*>(first.get())->Root(), module1.get());
    EXPECT_EQ(static_cast<TzDMCustomModule*>(first.get())->Designer(), &designer);
    EXPECT_EQ(registry.GetCustomModule(module2.get()).get(), first.get()) << "one instance per registration";

    TObjectPtr<TTimer> timer(New<TTimer>(nullptr));
    auto general = registry.GetCustomModule(timer.get());
    ASSERT_TRUE(general);
    EXPECT_EQ(TCountingModule::Alive, 1);
    EXPECT_FALSE(registry.GetCustomModule(nullptr));
    EXPECT_EQ(registry.CustomModuleCount(), 3);

    general = {};
    first = {};
    FreePackageMng();
    EXPECT_EQ(TCountingModule::Alive, 0) << "the registry's records release their modules";
    DesignerManager().SetActiveDesigner(nullptr);
}

TEST_F(RegistryTest, DataModuleRefusesControls) {
    PackageMng().AddCustomModule(0, TDataModule::StaticClass(),
                                 CustomModuleClassOf<TzDMCustomModule>("TzDMCustomModule"));
    TObjectPtr<TDataModule> module(New<TDataModule>(nullptr, CreateNew));
    auto custom = PackageMng().GetCustomModule(module.get());
    ASSERT_TRUE(custom);
    TObjectPtr<TButton> button(New<TButton>(nullptr));
    TObjectPtr<TTimer> timer(New<TTimer>(nullptr));
    try {
        custom->ValidateComponent(button.get());
        ADD_FAILURE() << "a button was accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "Can not add control to Data Module");
    }
    EXPECT_NO_THROW(custom->ValidateComponent(timer.get()));
    EXPECT_FALSE(custom->ValidateComponentClass(TButton::StaticClass()));
    EXPECT_FALSE(custom->ValidateComponentClass(TLabel::StaticClass())) << "non-windowed controls too";
    EXPECT_TRUE(custom->ValidateComponentClass(TTimer::StaticClass()));
    EXPECT_EQ(custom->GetVerbCount(), 0);
    EXPECT_EQ(custom->GetVerb(0), "");
    EXPECT_FALSE(custom->Nestable());
}

} // namespace dw::test
