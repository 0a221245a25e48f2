// The designer manager: the armed class, the active designer, the notification broadcast and the
// forwarding to environment hooks.
#include "EnvFixture.h"

#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw::test {

using Strings = std::vector<String>;

// --- The armed class ---

TEST_F(ManagerTest, ArmingTheSameClassTwiceBroadcastsOnce) {
    TRecordingListener palette("palette", Log, lsPalette);
    DesignerManager().AddListener(palette.Intf());
    DesignerManager().SetComponentClass(TButton::StaticClass());
    DesignerManager().SetComponentClass(TButton::StaticClass());
    EXPECT_EQ(Log, Strings{"palette:ComponentClassChanged"});
    EXPECT_EQ(DesignerManager().ComponentClass(), TButton::StaticClass());
}

TEST_F(ManagerTest, DisarmingClearsKeepClassWithOneBroadcast) {
    auto& manager = DesignerManager();
    manager.SetComponentClass(TButton::StaticClass());
    manager.SetKeepClass(true);
    TRecordingListener palette("palette", Log, lsPalette);
    manager.AddListener(palette.Intf());
    manager.SetComponentClass(nullptr);
    EXPECT_FALSE(manager.KeepClass());
    EXPECT_EQ(manager.ComponentClass(), nullptr);
    EXPECT_EQ(Log, Strings{"palette:ComponentClassChanged"});
}

TEST_F(ManagerTest, SetKeepClassBroadcastsOnlyOnChange) {
    TRecordingListener palette("palette", Log, lsPalette);
    DesignerManager().AddListener(palette.Intf());
    DesignerManager().SetKeepClass(true);
    DesignerManager().SetKeepClass(true);
    DesignerManager().SetKeepClass(false);
    EXPECT_EQ(Log, (Strings{"palette:ComponentClassChanged", "palette:ComponentClassChanged"}));
}

TEST_F(ManagerTest, ComponentCreatedDisarmsUnlessKeepClass) {
    auto& manager = DesignerManager();
    manager.SetComponentClass(TButton::StaticClass());
    manager.ComponentCreated();
    EXPECT_EQ(manager.ComponentClass(), nullptr);

    manager.SetComponentClass(TButton::StaticClass());
    manager.SetKeepClass(true);
    manager.ComponentCreated();
    EXPECT_EQ(manager.ComponentClass(), TButton::StaticClass());
}

TEST_F(ManagerTest, CreateSelectedClassWithoutActiveDesignerLeavesClassArmed) {
    auto& manager = DesignerManager();
    manager.SetComponentClass(TButton::StaticClass());
    manager.CreateSelectedClass();
    EXPECT_EQ(manager.ComponentClass(), TButton::StaticClass());
}

TEST_F(ManagerTest, CreateSelectedClassCreatesAtDefaultPlaceThenDisarms) {
    TFakeDesigner designer;
    auto& manager = DesignerManager();
    manager.SetActiveDesigner(&designer);
    manager.CreateSelectedClass(); // nothing armed: nothing made
    EXPECT_TRUE(designer.Created.empty());

    manager.SetComponentClass(TEdit::StaticClass());
    manager.CreateSelectedClass();
    ASSERT_EQ(designer.Created.size(), 1u);
    const auto& call = designer.Created[0];
    EXPECT_EQ(call.ComponentClass, TEdit::StaticClass());
    EXPECT_EQ(call.Parent, nullptr);
    EXPECT_EQ((std::vector<int>{call.Left, call.Top, call.Width, call.Height}), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(manager.ComponentClass(), nullptr);
    manager.SetActiveDesigner(nullptr);
}

// --- The active designer ---

TEST_F(ManagerTest, SetActiveDesignerSendsOpenedThenSelectionThenTellsHooks) {
    TObjectPtr<TComponent> item(New<TComponent>(nullptr));
    TFakeDesigner designer;
    designer.Selection = {item.get()};
    TRecordingListener inspector("inspector", Log, lsNotification);
    TRecordingListener hook("hook", Log, lsHook);
    DesignerManager().AddListener(inspector.Intf());
    DesignerManager().AddListener(hook.Intf());

    DesignerManager().SetActiveDesigner(&designer);
    EXPECT_EQ(Log, (Strings{"inspector:DesignerOpened", "inspector:SelectionChanged", "hook:ActiveDesignerChanged"}));
    EXPECT_EQ(inspector.LastDesigner, &designer);
    EXPECT_EQ(inspector.LastSelectionCount, 1);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), &designer);
    EXPECT_EQ(designer.Refs(), 1) << "the manager holds one counted reference";

    Log.clear();
    DesignerManager().SetActiveDesigner(&designer);
    EXPECT_TRUE(Log.empty()) << "the held designer again sends nothing";

    DesignerManager().SetActiveDesigner(nullptr);
    EXPECT_EQ(Log, Strings{"hook:ActiveDesignerChanged"}) << "clearing tells only the hooks";
    EXPECT_EQ(designer.Refs(), 0);
}

TEST_F(ManagerTest, ReplacingTheDesignerReleasesTheOldOne) {
    TFakeDesigner first, second;
    DesignerManager().SetActiveDesigner(&first);
    DesignerManager().SetActiveDesigner(&second);
    EXPECT_EQ(first.Refs(), 0);
    EXPECT_EQ(second.Refs(), 1);
    FreeDesignerManager();
    EXPECT_EQ(second.Refs(), 0) << "freeing the manager lets go of the active designer";
}

TEST_F(ManagerTest, GetFormDesignerObjectReachesTheObjectBehindTheDesigner) {
    TObjectPtr<TComponent> designerComponent(New<TComponent>(nullptr));
    TFakeDesigner withInstance(designerComponent.get()), without;
    EXPECT_EQ(GetFormDesignerObject(), nullptr);
    EXPECT_EQ(GetFormDesignerObject(&withInstance), designerComponent.get());
    EXPECT_EQ(GetFormDesignerObject(&without), nullptr);
    DesignerManager().SetActiveDesigner(&withInstance);
    EXPECT_EQ(GetFormDesignerObject(), designerComponent.get()) << "empty means the active designer";
    DesignerManager().SetActiveDesigner(nullptr);
    EXPECT_EQ(withInstance.Refs(), 0);
}

// --- Broadcasts ---

TEST_F(ManagerTest, ListenerIsAddedOnceAndRemoved) {
    TRecordingListener a("a", Log, lsNotification);
    auto& manager = DesignerManager();
    manager.AddListener(a.Intf());
    manager.AddListener(a.Intf());
    manager.NotifyItemsModified(nullptr);
    EXPECT_EQ(Log, Strings{"a:ItemsModified"});
    manager.RemoveListener(a.Intf());
    manager.NotifyItemsModified(nullptr);
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(ManagerTest, EachNotificationReachesItsOperationAndSkipsOtherListeners) {
    TFakeDesigner designer;
    TObjectPtr<TComponent> item(New<TComponent>(nullptr));
    TRecordingListener inspector("inspector", Log, lsNotification);
    TRecordingListener palette("palette", Log, lsPalette);
    TRecordingListener hook("hook", Log, lsHook);
    auto& manager = DesignerManager();
    for (auto* l : {&palette, &inspector, &hook}) manager.AddListener(l->Intf());

    auto selection = TDesignerSelections::Make();
    const std::vector<std::pair<std::function<void()>, String>> cases = {
        {[&] { manager.NotifyItemDeleted(&designer, item.get()); }, "ItemDeleted"},
        {[&] { manager.NotifyItemInserted(&designer, item.get()); }, "ItemInserted"},
        {[&] { manager.NotifyItemsModified(&designer); }, "ItemsModified"},
        {[&] { manager.NotifySelectionChanged(&designer, selection.get()); }, "SelectionChanged"},
        {[&] { manager.NotifyDesignerOpened(&designer); }, "DesignerOpened"},
        {[&] { manager.NotifyDesignerClosed(&designer); }, "DesignerClosed"},
    };
    for (const auto& [notify, operation] : cases) {
        Log.clear();
        notify();
        EXPECT_EQ(Log, Strings{"inspector:" + operation});
    }
    Log.clear();
    manager.NotifyPaletteChanged();
    manager.NotifyComponentClassChanged();
    EXPECT_EQ(Log, (Strings{"palette:PaletteChanged", "palette:ComponentClassChanged"}));
    EXPECT_EQ(designer.Refs(), 0);
}

TEST_F(ManagerTest, OneListenersExceptionIsSwallowedAndTheNextIsStillTold) {
    TRecordingListener first("first", Log, lsNotification), second("second", Log, lsNotification);
    first.Throw = "ItemsModified";
    DesignerManager().AddListener(first.Intf());
    DesignerManager().AddListener(second.Intf());
    EXPECT_NO_THROW(DesignerManager().NotifyItemsModified(nullptr));
    EXPECT_EQ(Log, (Strings{"first:ItemsModified", "second:ItemsModified"}));
}

TEST_F(ManagerTest, PaletteAndHookExceptionsPropagate) {
    TRecordingListener listener("l", Log, lsPalette | lsHook);
    DesignerManager().AddListener(listener.Intf());
    listener.Throw = "PaletteChanged";
    EXPECT_THROW(DesignerManager().NotifyPaletteChanged(), EComponentError);
    listener.Throw = "ActiveDesignerChanged";
    TFakeDesigner designer;
    EXPECT_THROW(DesignerManager().SetActiveDesigner(&designer), EComponentError);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), &designer) << "the designer was stored before the hooks ran";
    listener.Throw.clear();
    DesignerManager().SetActiveDesigner(nullptr);
    EXPECT_EQ(designer.Refs(), 0);
}

TEST_F(ManagerTest, ListenerRemovedDuringBroadcastIsNotToldAgain) {
    // A listener that unregisters the one after it while it is told.
    struct TRemover : TRecordingListener {
        using TRecordingListener::TRecordingListener;
        IInterface* Victim = nullptr;
        void ItemsModified(IDesigner* d) override {
            TRecordingListener::ItemsModified(d);
            DesignerManager().RemoveListener(Victim);
        }
    };
    TRemover remover("remover", Log, lsNotification);
    TRecordingListener victim("victim", Log, lsNotification);
    remover.Victim = victim.Intf();
    DesignerManager().AddListener(remover.Intf());
    DesignerManager().AddListener(victim.Intf());
    DesignerManager().NotifyItemsModified(nullptr);
    EXPECT_EQ(Log, Strings{"remover:ItemsModified"});
}

// --- Hook forwarding ---

TEST_F(ManagerTest, GetRootComponentsStopsAtTheFirstHookThatSaysSo) {
    TObjectPtr<TComponent> rootA(New<TComponent>(nullptr)), rootB(New<TComponent>(nullptr));
    TRecordingListener a("a", Log, lsHook), b("b", Log, lsHook), c("c", Log, lsHook);
    a.Roots = {rootA.get()};
    b.Roots = {rootB.get()};
    b.StopRootComponents = true;
    for (auto* l : {&a, &b, &c}) DesignerManager().AddListener(l->Intf());
    std::vector<TComponent*> roots;
    EXPECT_TRUE(DesignerManager().GetRootComponents(nullptr, roots));
    EXPECT_EQ(roots, (std::vector<TComponent*>{rootA.get(), rootB.get()}));
    EXPECT_EQ(Log, (Strings{"a:GetRootComponents", "b:GetRootComponents"}));

    b.StopRootComponents = false;
    roots.clear();
    EXPECT_FALSE(DesignerManager().GetRootComponents(nullptr, roots));
}

TEST_F(ManagerTest, KeyForwardingStopsWhenAHookZeroesTheKey) {
    TFakeDesigner active, other;
    DesignerManager().SetActiveDesigner(&active);
    TRecordingListener a("a", Log, lsHook), b("b", Log, lsHook), c("c", Log, lsHook);
    b.EatKey = true;
    for (auto* l : {&a, &b, &c}) DesignerManager().AddListener(l->Intf());

    Word key = 'A';
    DesignerManager().DesignerKeyDown(nullptr, key, {});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(Log, (Strings{"a:DesignerKeyDown", "b:DesignerKeyDown"}));
    EXPECT_EQ(a.LastDesigner, &active) << "empty means the active designer";

    Log.clear();
    char32_t ch = U'x';
    DesignerManager().DesignerKeyPress(&other, ch);
    EXPECT_EQ(ch, 0u);
    EXPECT_EQ(Log, (Strings{"a:DesignerKeyPress", "b:DesignerKeyPress"}));
    EXPECT_EQ(a.LastDesigner, &other);
    DesignerManager().SetActiveDesigner(nullptr);
}

TEST_F(ManagerTest, NewRootPositionStartsAtOriginAndStopsAtFirstAnswer) {
    TPoint point{50, 60};
    DesignerManager().GetNewRootPosition(point);
    EXPECT_EQ(point, (TPoint{0, 0})) << "no hook: the origin";

    TRecordingListener a("a", Log, lsHook), b("b", Log, lsHook), c("c", Log, lsHook);
    b.StopNewRootPosition = true;
    b.NewRootPosition = {30, 40};
    c.StopNewRootPosition = true;
    c.NewRootPosition = {70, 80};
    for (auto* l : {&a, &b, &c}) DesignerManager().AddListener(l->Intf());
    point = {5, 5};
    DesignerManager().GetNewRootPosition(point);
    EXPECT_EQ(point, (TPoint{30, 40}));
    EXPECT_EQ(Log, (Strings{"a:GetNewRootPosition", "b:GetNewRootPosition"}));
}

TEST_F(ManagerTest, FilterComponentClassAsksEveryHook) {
    TRecordingListener a("a", Log, lsHook), b("b", Log, lsHook);
    a.Reject = true;
    b.RenamePage = "Mine";
    DesignerManager().AddListener(a.Intf());
    DesignerManager().AddListener(b.Intf());
    String page = "Standard";
    bool accept = true;
    DesignerManager().FilterComponentClass(TButton::StaticClass(), page, accept);
    EXPECT_FALSE(accept);
    EXPECT_EQ(page, "Mine");
    EXPECT_EQ(Log, (Strings{"a:FilterComponentClass", "b:FilterComponentClass"}));
}

} // namespace dw::test
