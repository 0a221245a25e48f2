#include "TestClasses.h"

#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

namespace {
struct ComponentTest : ::testing::Test {
    TTestRoot Root{nullptr};
    TWidget* Make(const char* name) {
        auto* w = New<TWidget>(&Root);
        w->SetName(name);
        return w;
    }
};

// Counts how often it is told each component was removed.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> Removed;
    bool FreeSelfOnRemove = false;
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op != opRemove) return;
        Removed.push_back(c);
        if (FreeSelfOnRemove) Free();
    }
};
} // namespace

TEST_F(ComponentTest, NameSyntaxIsChecked) {
    struct Case {
        const char* name;
        bool valid;
    } cases[] = {{"Button1", true}, {"_a", true}, {"", true}, {"1Button", false}, {"my button", false}, {"a-b", false}};
    for (auto& c : cases) {
        TWidget w(nullptr);
        if (c.valid)
            EXPECT_NO_THROW(w.SetName(c.name)) << c.name;
        else
            EXPECT_THROW(w.SetName(c.name), EComponentError) << c.name;
    }
}

TEST_F(ComponentTest, NamesAreUniqueAmongSiblingsWithoutRegardToCase) {
    TWidget* a = Make("Button1");
    TWidget* b = Make("Button2");
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_EQ(b->Name(), "Button2");
    EXPECT_NO_THROW(a->SetName("BUTTON1")); // only the case changes
    EXPECT_EQ(Root.FindComponent("button1"), a);
    // The old name is free again after a rename.
    b->SetName("Other");
    EXPECT_EQ(Root.FindComponent("Button2"), nullptr);
    EXPECT_NO_THROW(Make("Button2"));
    // Several unnamed components may coexist.
    Make("");
    Make("");
    // An ownerless component can take any valid name.
    TWidget lone(nullptr);
    EXPECT_NO_THROW(lone.SetName("Button1"));
}

TEST_F(ComponentTest, InsertingAComponentWhoseNameIsTakenFails) {
    Make("Twin");
    TWidget* stranger = New<TWidget>(nullptr);
    stranger->SetName("twin");
    EXPECT_THROW(Root.InsertComponent(stranger), EComponentError);
    EXPECT_EQ(stranger->Owner(), nullptr);
    stranger->Free();
}

TEST_F(ComponentTest, OwnershipOrderAndIndex) {
    TWidget* a = Make("A");
    TWidget* b = Make("B");
    TWidget* c = Make("C");
    EXPECT_EQ(Root.ComponentCount(), 3);
    EXPECT_EQ(Root.Components(1), b);
    c->SetComponentIndex(0);
    EXPECT_EQ(Root.Components(0), c);
    EXPECT_EQ(a->ComponentIndex(), 1);
    EXPECT_THROW(Root.Components(3), EListError);
    Root.RemoveComponent(b);
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_EQ(Root.FindComponent("B"), nullptr);
    a->InsertComponent(b);
    EXPECT_EQ(b->Owner(), a);
    EXPECT_THROW(b->InsertComponent(a), EComponentError); // an owner cycle
}

TEST_F(ComponentTest, OwnerIsToldOfInsertAndRemove) {
    TWidget* w = Make("W");
    w->Free();
    ASSERT_EQ(Root.Notifications.size(), 2u);
    EXPECT_EQ(Root.Notifications[0].second, opInsert);
    EXPECT_EQ(Root.Notifications[1], std::make_pair(String("W"), opRemove));
}

TEST_F(ComponentTest, OwnerIsToldOfTheFinishedComponent) {
    New<TWidget>(&Root);
    TWidget::StaticClass()->Create(&Root);
    EXPECT_EQ(Root.InsertedClasses, (std::vector<String>{"TWidget", "TWidget"}));
}

TEST_F(ComponentTest, FreeNotificationOncePerFreedComponentIncludingOwned) {
    TWatcher watcher(nullptr);
    TWidget* parent = Make("Parent");
    auto* child = New<TWidget>(parent);
    child->SetName("Child");
    parent->FreeNotification(&watcher);
    child->FreeNotification(&watcher);
    parent->Free();
    ASSERT_EQ(watcher.Removed.size(), 2u);
    EXPECT_EQ(watcher.Removed[0], parent);
    EXPECT_EQ(watcher.Removed[1], child);
    EXPECT_EQ(Root.ComponentCount(), 0);
}

TEST_F(ComponentTest, ReferencesAreClearedWhenTheReferencedComponentDies) {
    TWidget* a = Make("A");
    TWidget* b = Make("B");
    a->SetBuddy(b);
    b->Free();
    EXPECT_EQ(a->Buddy, nullptr);
    // The link goes both ways: the watcher dying first leaves nothing dangling either.
    TWidget* c = Make("C");
    c->SetBuddy(a);
    c->Free();
    a->Free();
    EXPECT_EQ(Root.ComponentCount(), 0);
}

TEST_F(ComponentTest, AReceiverMayFreeItselfInsideNotification) {
    auto* watcher = New<TWatcher>(nullptr);
    watcher->FreeSelfOnRemove = true;
    TWidget* w = Make("W");
    w->FreeNotification(watcher);
    w->Free(); // frees the watcher too; the sanitizer run checks nothing is touched after
    EXPECT_EQ(Root.ComponentCount(), 0);
}

TEST_F(ComponentTest, PublishedFieldsBindByNameAndClearWhenTheComponentGoes) {
    TWidget* w = Make("Widget1");
    EXPECT_EQ(Root.Widget1, w);
    w->SetName("Renamed");
    EXPECT_EQ(Root.Widget1, nullptr);
    w->SetName("widget1");
    EXPECT_EQ(Root.Widget1, w);
    Root.RemoveComponent(w);
    EXPECT_EQ(Root.Widget1, nullptr);
    Root.InsertComponent(w);
    EXPECT_EQ(Root.Widget1, w);
    w->Free();
    EXPECT_EQ(Root.Widget1, nullptr);
}

TEST_F(ComponentTest, QuietDetachKeepsFieldNameAndStateAndSendsNothing) {
    Root.SetDesigning(true);
    TWidget* w = Make("Widget2");
    w->SetDesigning(false, false);
    size_t notes = Root.Notifications.size();
    Root.DetachQuietly(w);
    EXPECT_EQ(w->Owner(), nullptr);
    EXPECT_EQ(Root.ComponentCount(), 0);
    EXPECT_EQ(Root.Widget2, w);
    Root.AttachQuietly(w);
    EXPECT_EQ(w->Owner(), &Root);
    EXPECT_EQ(Root.FindComponent("Widget2"), w);
    EXPECT_FALSE(w->HasState(csDesigning));
    EXPECT_EQ(Root.Notifications.size(), notes);
}

TEST_F(ComponentTest, DesignStateFollowsOwnerOnInsertAndCanBeSetAlone) {
    TWidget* before = Make("Before");
    Root.SetDesigning(true);
    EXPECT_TRUE(before->HasState(csDesigning));
    TWidget* after = Make("After");
    EXPECT_TRUE(after->HasState(csDesigning));
    Root.SetDesigning(false, false);
    EXPECT_FALSE(Root.HasState(csDesigning));
    EXPECT_TRUE(after->HasState(csDesigning));
    Root.SetDesigning(false);
    EXPECT_FALSE(after->HasState(csDesigning));
}

TEST_F(ComponentTest, DesignInfoHoldsUnsignedLeftAndTop) {
    TWidget* w = Make("W");
    w->SetDesignInfo(static_cast<std::int32_t>((40000u << 16) | 65535u));
    EXPECT_EQ(w->DesignInfo() & 0xFFFF, 65535);
    EXPECT_EQ((static_cast<std::uint32_t>(w->DesignInfo()) >> 16), 40000u);
}

TEST_F(ComponentTest, NamePaths) {
    TWidget* w = Make("Widget1");
    EXPECT_EQ(w->GetNamePath(), "Widget1");
    auto* item = w->Items()->Add();
    EXPECT_EQ(w->Items()->GetNamePath(), "Widget1.Items");
    EXPECT_EQ(item->GetNamePath(), "Widget1.Items[0]");
    TPoint3 p;
    EXPECT_EQ(p.GetNamePath(), "TPoint3");
}

TEST_F(ComponentTest, AssignOfAnUnknownClassRaises) {
    TPoint3 p;
    TTestItem dummyItem(nullptr);
    EXPECT_THROW(p.Assign(&dummyItem), EConvertError);
}
