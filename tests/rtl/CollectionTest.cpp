#include "framework/rtl/Collection.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

class TPanel : public TCollectionItem {
    DW_CLASS(TPanel, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    ~TPanel() override { ++Destroyed; }
    String Text;
    int Width = 50;
    void Assign(const TPersistent* source) override {
        if (auto* panel = As<TPanel>(source)) {
            Text = panel->Text;
            Width = panel->Width;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(source);
    }
    static inline int Destroyed = 0;

protected:
    String GetDisplayName() const override { return Text.empty() ? TCollectionItem::GetDisplayName() : Text; }
};

class TOtherItem : public TCollectionItem {
    DW_CLASS(TOtherItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
};

// Raises in its own constructor, after the base part joined the collection.
class TFailingPanel : public TPanel {
    DW_CLASS(TFailingPanel, TPanel)
    explicit TFailingPanel(TCollection* collection) : TPanel(collection) { throw EInvalidOperation("no panel today"); }
};

// Writes every notification and update into Log: "+3" added item ID 3, "-3" extracting, "x3"
// deleting, "u3" update of item 3, "u*" update of all.
class TPanels : public TOwnedCollection {
    DW_CLASS(TPanels, TOwnedCollection)
    TPanels(TPersistent* owner, TClass itemClass = TPanel::StaticClass()) : TOwnedCollection(owner, itemClass) {}
    TPanel* Panel(int index) const { return static_cast<TPanel*>(Items(index)); }
    TPanel* AddPanel(const String& text) {
        auto* panel = static_cast<TPanel*>(Add());
        panel->Text = text;
        return panel;
    }
    String Log;
    // Also written to, for a log that outlives the collection.
    String* Sink = nullptr;

protected:
    void Update(TCollectionItem* item) override { Write(item ? Format("u%d ", item->ID()) : String("u* ")); }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        const char* marks[] = {"+", "-", "x"};
        Write(Format("%s%d ", marks[action], item->ID()));
    }

private:
    void Write(const String& entry) {
        Log += entry;
        if (Sink) *Sink += entry;
    }
};

// Stands in for a control that publishes its collection, with a name path of its own.
class TStatusBarLike : public TPersistent {
    DW_CLASS(TStatusBarLike, TPersistent)
    TStatusBarLike() : FPanels(MakeObject<TPanels>(this)), FHidden(MakeObject<TPanels>(this)) {}
    TPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TPanels* value) { FPanels->Assign(value); }
    // Belongs to this object, but no published property holds it.
    TPanels* Hidden() const { return FHidden.get(); }
    String GetNamePath() const override { return "Form1.StatusBar1"; }

private:
    TObjectPtr<TPanels> FPanels;
    TObjectPtr<TPanels> FHidden;
};

String Texts(const TPanels& panels) {
    String out;
    for (int i = 0; i < panels.Count(); ++i) out += (i ? "|" : "") + panels.Panel(i)->Text;
    return out;
}

} // namespace

DW_DEFINE_CLASS(TPanel) {
    c.Property("Text", &TPanel::Text, &TPanel::Text);
    c.Property("Width", &TPanel::Width, &TPanel::Width).Default(50);
}
DW_DEFINE_CLASS(TOtherItem) {}
DW_DEFINE_CLASS(TFailingPanel) {}
DW_DEFINE_CLASS(TPanels) {}
DW_DEFINE_CLASS(TStatusBarLike) {
    c.Property("Panels", &TStatusBarLike::Panels, &TStatusBarLike::SetPanels);
}

TEST(Collection, IdsIncreaseAndAreNeverReused) {
    TPanels panels(nullptr);
    for (const char* text : {"a", "b", "c"}) panels.AddPanel(text);
    EXPECT_EQ(panels.Panel(2)->ID(), 2);
    panels.Delete(1);
    EXPECT_EQ(panels.AddPanel("d")->ID(), 3);
    EXPECT_EQ(panels.FindItemID(1), nullptr);
    EXPECT_EQ(panels.FindItemID(3), panels.Items(2));
    panels.Clear();
    EXPECT_EQ(panels.Count(), 0);
    EXPECT_EQ(panels.AddPanel("e")->ID(), 4);
}

TEST(Collection, InsertAndIndexPlaceItems) {
    TPanels panels(nullptr);
    for (const char* text : {"a", "b", "c"}) panels.AddPanel(text);
    static_cast<TPanel*>(panels.Insert(0))->Text = "front";
    EXPECT_EQ(Texts(panels), "front|a|b|c");
    panels.Panel(0)->SetIndex(3);
    EXPECT_EQ(Texts(panels), "a|b|c|front");
    EXPECT_EQ(panels.Panel(3)->Index(), 3);
    panels.Panel(3)->SetIndex(1);
    EXPECT_EQ(Texts(panels), "a|front|b|c");
    try {
        panels.Items(4);
        ADD_FAILURE() << "Items(4) did not raise";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (4)");
    }
    EXPECT_THROW(panels.Delete(-1), EListError);
}

TEST(Collection, NotifiesAndUpdatesOncePerChangeOrUpdateBlock) {
    TPanels panels(nullptr);
    panels.AddPanel("a");
    panels.AddPanel("b");
    EXPECT_EQ(panels.Log, "+0 u* +1 u* ");
    panels.Log.clear();
    panels.Panel(1)->SetDisplayName("B");
    EXPECT_EQ(panels.Log, "u1 ");
    panels.Log.clear();
    panels.Delete(0);
    EXPECT_EQ(panels.Log, "x0 -0 u* ");
    panels.Log.clear();
    panels.BeginUpdate();
    panels.AddPanel("c");
    panels.Panel(0)->SetDisplayName("again");
    panels.Clear();
    panels.EndUpdate();
    EXPECT_EQ(panels.Log, "+2 x2 -2 x1 -1 u* ");
    panels.Log.clear();
    panels.BeginUpdate();
    panels.EndUpdate();
    EXPECT_EQ(panels.Log, "") << "an update block without changes updates nothing";
}

TEST(Collection, FreedItemLeavesItsCollection) {
    TPanels panels(nullptr);
    panels.AddPanel("a");
    panels.AddPanel("b");
    panels.Log.clear();
    panels.Panel(0)->Free();
    EXPECT_EQ(Texts(panels), "b");
    EXPECT_EQ(panels.Log, "-0 u* ");
}

TEST(Collection, ItemMovesBetweenCollectionsWithANewID) {
    TPanels first(nullptr), second(nullptr);
    first.AddPanel("a");
    TPanel* moving = first.AddPanel("b");
    for (const char* text : {"x", "y", "z"}) second.AddPanel(text);
    first.Log.clear();
    second.Log.clear();
    moving->SetCollection(&second);
    EXPECT_EQ(moving->Collection(), &second);
    EXPECT_EQ(moving->ID(), 3);
    EXPECT_EQ(moving->Index(), 3);
    EXPECT_EQ(Texts(first), "a");
    EXPECT_EQ(Texts(second), "x|y|z|b");
    EXPECT_EQ(first.Log, "-1 u* ");
    EXPECT_EQ(second.Log, "+3 u* ");

    moving->SetCollection(nullptr);
    EXPECT_EQ(moving->Collection(), nullptr);
    EXPECT_EQ(moving->Index(), -1);
    EXPECT_EQ(second.Count(), 3);
    moving->Free();
}

TEST(Collection, ItemOfAnotherClassIsRefused) {
    TPanels panels(nullptr);
    TPanels others(nullptr, TOtherItem::StaticClass());
    TCollectionItem* other = others.Add();
    EXPECT_THROW(other->SetCollection(&panels), EInvalidOperation);
    EXPECT_EQ(other->Collection(), &others) << "a refused item stays where it was";
    EXPECT_EQ(others.Count(), 1);
    EXPECT_EQ(panels.Count(), 0);
    // Through the virtual constructor, the final class is known only after construction.
    EXPECT_THROW(TOtherItem::StaticClass()->Create(&panels), EInvalidOperation);
    EXPECT_EQ(panels.Count(), 0);
    EXPECT_EQ(panels.Log, "");
    EXPECT_THROW(TPanels(nullptr, TStatusBarLike::StaticClass()), EInvalidArgument);
}

TEST(Collection, ItemWhoseConstructorRaisesLeavesNoTrace) {
    TPanels panels(nullptr, TFailingPanel::StaticClass());
    EXPECT_THROW(panels.Add(), EInvalidOperation);
    EXPECT_EQ(panels.Count(), 0);
    EXPECT_EQ(panels.Log, "");
}

TEST(Collection, AssignCopiesEveryItem) {
    TPanels source(nullptr), dest(nullptr);
    for (const char* text : {"a", "b"}) source.AddPanel(text)->Width = 7;
    for (const char* text : {"p", "q", "r"}) dest.AddPanel(text);
    dest.Log.clear();
    dest.Assign(&source);
    EXPECT_EQ(Texts(dest), "a|b");
    EXPECT_EQ(dest.Panel(1)->Width, 7);
    EXPECT_NE(dest.Items(0), source.Items(0));
    EXPECT_EQ(dest.Log, "x2 -2 x1 -1 x0 -0 +3 +4 u* ");
    dest.SetItem(0, source.Panel(1));
    EXPECT_EQ(Texts(dest), "b|b");
    TStatusBarLike notACollection;
    EXPECT_THROW(dest.Assign(&notACollection), EConvertError);
}

TEST(Collection, NamePathsFollowTheOwnersPublishedProperty) {
    TStatusBarLike bar;
    bar.Panels()->AddPanel("a");
    TPanel* second = bar.Panels()->AddPanel("b");
    EXPECT_EQ(bar.Panels()->PropName(), "Panels");
    EXPECT_EQ(bar.Panels()->GetNamePath(), "Form1.StatusBar1.Panels");
    EXPECT_EQ(second->GetNamePath(), "Form1.StatusBar1.Panels[1]");
    EXPECT_EQ(second->GetOwner(), bar.Panels());
    EXPECT_EQ(bar.Panels()->Owner(), &bar);
    // Without a published property, an owner or a collection, the class name is all there is.
    EXPECT_EQ(bar.Hidden()->GetNamePath(), "TPanels");
    TPanels loose(nullptr);
    EXPECT_EQ(loose.AddPanel("x")->GetNamePath(), "TPanels[0]");
    second->SetCollection(nullptr);
    EXPECT_EQ(second->GetNamePath(), "TPanel");
    second->Free();
}

TEST(Collection, DisplayNameDefaultsToTheClassName) {
    TPanels panels(nullptr);
    TPanel* panel = panels.AddPanel("");
    EXPECT_EQ(panel->DisplayName(), "TPanel");
    panel->Text = "Status";
    EXPECT_EQ(panel->DisplayName(), "Status");
}

TEST(Collection, ItemsGoWithTheCollection) {
    int before = TPanel::Destroyed;
    {
        auto panels = MakeObject<TPanels>(nullptr);
        for (int i = 0; i < 3; ++i) panels->Add();
    }
    EXPECT_EQ(TPanel::Destroyed - before, 3);
    // Also when the collection is a plain member that is never freed with Free.
    {
        TPanels panels(nullptr);
        for (int i = 0; i < 2; ++i) panels.Add();
    }
    EXPECT_EQ(TPanel::Destroyed - before, 5);
}

TEST(Collection, DescendantsHearTheItemsGoWhenFreed) {
    String log;
    TPanels* panels = New<TPanels>(nullptr);
    panels->Sink = &log;
    panels->AddPanel("a");
    panels->AddPanel("b");
    log.clear();
    panels->Free();
    EXPECT_EQ(log, "x1 -1 x0 -0 ");
}
