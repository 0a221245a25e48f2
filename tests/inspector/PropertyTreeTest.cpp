// The inspector's root: which editors become nodes (type kinds, references, categories) and how
// expanding a node fills it.
#include "framework/controls/forms/Application.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/controls/stdctrls/Button.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/ClassInfo.h"
#include "inspector/PropList.h"
#include "inspector/PropertyNodes.h"

#include <gtest/gtest.h>

namespace dw::test {

class TTreeList : public TCustomPropList {
    DW_CLASS(TTreeList, TCustomPropList)
    using TCustomPropList::TCustomPropList;
    TPropertyNodes* Nodes() const { return static_cast<TPropertyNodes*>(ItemRoot()); }

protected:
    std::unique_ptr<TPropListRoot> CreateRoot() override { return std::make_unique<TPropertyNodes>(this, nullptr); }
};
DW_DEFINE_CLASS(TTreeList) {}

// Two categories and the default one; "Layout" takes Left, Top and Width, "Sizes" takes Width
// and Height, "Miscellaneous" everything.
class TCategories : public IPropertyCategorySource {
public:
    int CategoryCount() override { return 3; }
    TPropertyCategory* Category(int index) override { return Tag(index); }
    String CategoryName(TPropertyCategory* category) override {
        static const char* names[] = {"Layout", "Sizes", "Miscellaneous"};
        return names[Index(category)];
    }
    TPropertyCategory* DefaultCategory() override { return Tag(2); }
    bool Matches(TPropertyCategory* category, const String& name, TClass, const TTypeInfo*) override {
        switch (Index(category)) {
        case 0:
            return name == "Left" || name == "Top" || name == "Width";
        case 1:
            return name == "Width" || name == "Height";
        default:
            return true;
        }
    }

private:
    char FTags[3] = {};
    TPropertyCategory* Tag(int i) { return reinterpret_cast<TPropertyCategory*>(&FTags[i]); }
    int Index(TPropertyCategory* c) { return static_cast<int>(reinterpret_cast<char*>(c) - FTags); }
};

class PropertyTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBackend(std::make_unique<THeadlessBackend>());
        Form.reset(New<TForm>(nullptr, CreateNew));
        Form->SetBounds(0, 0, 400, 400);
        Button1 = New<TButton>(Form.get());
        Button1->SetName("Button1");
        Button1->SetParent(Form.get());
        Menu = New<TPopupMenu>(Form.get());
        Menu->SetName("PopupMenu1");
        List = New<TTreeList>(Form.get());
        List->SetBounds(0, 0, 250, 380);
        List->Nodes()->SetEditorRegistry(&Registry);
        List->SetParent(Form.get());
        Form->Show();
        PumpMessages();
        Application->MessageBoxHook = [this](const String& text, const String& caption, UINT) {
            Boxes.push_back(caption + ": " + text);
            return 1;
        };
    }
    void TearDown() override {
        Application->MessageBoxHook = nullptr;
        Form.reset();
        SetBackend(std::make_unique<THeadlessBackend>());
    }
    void Show() {
        TInterfacePtr<IDesignerSelections> selection = TDesignerSelections::Make();
        selection->Add(Button1);
        List->Nodes()->Rebuild(selection.get(), nullptr);
    }
    TPropertyItem* Find(const String& path) {
        for (int i = 0; i < List->Nodes()->VisibleCount(); ++i)
            if (List->Nodes()->VisibleItem(i)->Path() == path) return List->Nodes()->VisibleItem(i);
        return nullptr;
    }
    std::vector<String> Paths() {
        std::vector<String> paths;
        for (int i = 0; i < List->Nodes()->VisibleCount(); ++i) paths.push_back(List->Nodes()->VisibleItem(i)->Path());
        return paths;
    }

    TEditorRegistry Registry;
    TObjectPtr<TForm> Form;
    TButton* Button1 = nullptr;
    TPopupMenu* Menu = nullptr;
    TTreeList* List = nullptr;
    std::vector<String> Boxes;
};

// Events with references: the reference properties are listed beside the events, and with
// ExpandRefs a set reference expands into the referenced component's events.
TEST_F(PropertyTreeTest, ReferencesBesideEventsExpandIntoTheReferencedComponent) {
    Button1->SetPopupMenu(Menu);
    TPropertyNodes* nodes = List->Nodes();
    nodes->TypeSelector = tsEvents;
    Show();
    EXPECT_NE(Find("\\OnClick"), nullptr);
    EXPECT_EQ(Find("\\PopupMenu"), nullptr);
    nodes->IncludeRefs = true;
    Show();
    TPropertyItem* popup = Find("\\PopupMenu");
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(static_cast<TPropertyNode*>(popup)->IsReference());
    EXPECT_FALSE(popup->HasChildren()) << "without ExpandRefs a reference does not fold";
    EXPECT_EQ(Find("\\Font"), nullptr) << "other class properties stay out";
    nodes->ExpandRefs = true;
    Show();
    popup = Find("\\PopupMenu");
    ASSERT_TRUE(popup->HasChildren());
    popup->SetExpanded(true);
    EXPECT_NE(Find("PopupMenu\\OnPopup"), nullptr);
    auto* child = static_cast<TPropertyNode*>(Find("PopupMenu\\OnPopup"));
    EXPECT_TRUE(child->IsUnderReference());
    EXPECT_EQ(child->OwnerObject(), Menu);
    // A reference to nothing does not fold.
    Button1->SetPopupMenu(nullptr);
    Show();
    EXPECT_FALSE(Find("\\PopupMenu")->HasChildren());
}

// Expanding a node without sub-properties that is no reference marks it expanded, adds nothing.
TEST_F(PropertyTreeTest, ExpandingANodeWithoutChildrenAddsNoRows) {
    Show();
    int rows = List->ItemCount();
    TPropertyItem* left = Find("\\Left");
    left->SetExpanded(true);
    EXPECT_TRUE(left->Expanded());
    EXPECT_EQ(List->ItemCount(), rows);
    // A class property's sub-properties are read anew on each expansion.
    TPropertyItem* font = Find("\\Font");
    font->SetExpanded(true);
    auto* size = static_cast<TPropertyNode*>(Find("Font\\Size"));
    EXPECT_EQ(size->OwnerObject(), Button1->Font());
    font->SetExpanded(false);
    Button1->Font()->SetSize(30);
    font->SetExpanded(true);
    EXPECT_EQ(GetVisualValue(static_cast<TPropertyNode*>(Find("Font\\Size"))->PropEdit()), "30");
}

// By categories: a property can be in two categories, the rest goes to the default one, empty
// categories are dropped, and a refused default category hides the unmatched properties.
TEST_F(PropertyTreeTest, CategoriesGroupPropertiesAndDropEmptyOnes) {
    TCategories categories;
    TPropertyNodes* nodes = List->Nodes();
    nodes->SetCategorySource(&categories);
    nodes->ByCategories = true;
    nodes->TypeKinds = KindBit(tkInteger);
    nodes->TypeSelector = tsCustom;
    Show();
    std::vector<String> top;
    for (int i = 0; i < nodes->ChildCount(); ++i) top.push_back(nodes->Child(i)->GetName());
    EXPECT_EQ(top, (std::vector<String>{"Layout", "Sizes", "Miscellaneous"}));
    EXPECT_FALSE(nodes->Child(0)->HasValueColumn());
    nodes->Child(0)->SetExpanded(true);
    nodes->Child(1)->SetExpanded(true);
    EXPECT_NE(Find("Layout\\Width"), nullptr);
    EXPECT_NE(Find("Sizes\\Width"), nullptr);
    EXPECT_EQ(Find("Layout\\Height"), nullptr);
    nodes->Child(2)->SetExpanded(true);
    EXPECT_NE(Find("Miscellaneous\\Tag"), nullptr);
    EXPECT_EQ(Find("Miscellaneous\\Left"), nullptr);
    // Collapsing a category keeps its children.
    int layoutChildren = nodes->Child(0)->ChildCount();
    nodes->Child(0)->SetExpanded(false);
    EXPECT_EQ(nodes->Child(0)->ChildCount(), layoutChildren);

    nodes->OnAcceptCategory = [](WideString& name, bool& accept) { accept = name != u"Miscellaneous"; };
    nodes->TypeKinds = KindBit(tkInteger) | KindBit(tkEnumeration);
    Show();
    top.clear();
    for (int i = 0; i < nodes->ChildCount(); ++i) top.push_back(nodes->Child(i)->GetName());
    EXPECT_EQ(top, (std::vector<String>{"Layout", "Sizes"}));
    // A category that nothing matches is removed.
    nodes->OnAcceptCategory = nullptr;
    nodes->TypeKinds = KindBit(tkEnumeration);
    Show();
    top.clear();
    for (int i = 0; i < nodes->ChildCount(); ++i) top.push_back(nodes->Child(i)->GetName());
    EXPECT_EQ(top, (std::vector<String>{"Miscellaneous"}));
}

// The host's filter may rename or refuse; a failing filter keeps what was decided before it.
TEST_F(PropertyTreeTest, AcceptPropertyFilterRenamesRefusesAndSurvivesFailures) {
    TPropertyNodes* nodes = List->Nodes();
    nodes->OnAcceptProperty = [](IProperty* editor, WideString& name, bool& accept) {
        if (editor->GetName() == "Tag") accept = false;
        if (editor->GetName() == "Hint") name = u"Tooltip";
        if (editor->GetName() == "Left") throw EPropertyError("filter failed");
    };
    Show();
    EXPECT_EQ(Find("\\Tag"), nullptr);
    ASSERT_NE(Find("\\Hint"), nullptr);
    EXPECT_EQ(Find("\\Hint")->Caption(), u"Tooltip");
    EXPECT_NE(Find("\\Left"), nullptr) << "accepted before the filter failed";
    EXPECT_TRUE(Boxes.empty());
}

// A failure while enumerating is shown in a message box and the partial tree stays.
TEST_F(PropertyTreeTest, EnumerationFailureIsReportedAndPartialTreeKept) {
    Registry.RegisterPropertyMapper([](TPersistent*, const TPropInfo* prop) -> TPropertyEditorClass {
        if (prop->Name == "Hint") throw EPropertyError("no editor");
        return nullptr;
    });
    Show();
    EXPECT_EQ(Boxes, std::vector<String>{"Property Error: Possibly no one property editor registered by system"});
    EXPECT_NE(Find("\\Caption"), nullptr) << "what was built before the failure stays";
    EXPECT_EQ(Find("\\Tag"), nullptr);
    EXPECT_EQ(List->ItemCount(), List->Nodes()->VisibleCount());
}

// The list answers the standard edit actions for its editor while the editor is shown.
TEST_F(PropertyTreeTest, EditActionsActOnTheShownEditor) {
    Show();
    ASSERT_TRUE(List->Editor()->Visible());
    List->Editor()->SetText("abc");
    TObjectPtr<TEditSelectAll> selectAll(New<TEditSelectAll>(nullptr));
    TObjectPtr<TEditDelete> del(New<TEditDelete>(nullptr));
    EXPECT_TRUE(List->UpdateAction(del.get()));
    EXPECT_FALSE(del->Enabled()) << "nothing selected";
    EXPECT_TRUE(List->UpdateAction(selectAll.get()));
    EXPECT_TRUE(selectAll->Enabled());
    EXPECT_TRUE(List->ExecuteAction(selectAll.get()));
    EXPECT_EQ(List->Editor()->SelLength(), 3);
    List->UpdateAction(del.get());
    EXPECT_TRUE(del->Enabled());
    List->ExecuteAction(del.get());
    EXPECT_EQ(List->Editor()->Text(), "");
    List->SetEditorVisible(false);
    EXPECT_FALSE(List->ExecuteAction(selectAll.get())) << "a hidden editor leaves actions to others";
}

} // namespace dw::test
