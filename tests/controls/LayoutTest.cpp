// Align and Anchors layout of a windowed control's children.
#include "CoreFixture.h"

namespace dw::test {
namespace {

using LayoutTest = CoreTest;

struct TChildSpec {
    TAlign Align = alNone;
    TAnchors Anchors{akLeft, akTop};
    TRect Bounds;
    bool Visible = true;
    int MaxWidth = 0;
};

struct TLayoutCase {
    const char* Name;
    std::vector<TChildSpec> Children;
    TSize NewParentSize; // {0, 0}: no resize
    std::vector<TRect> Expected;
};

TEST_F(LayoutTest, AlignAndAnchorsTable) {
    const TLayoutCase cases[] = {
        {"top", {{alTop, {}, Bounds(5, 50, 10, 20)}}, {}, {Bounds(0, 0, 200, 20)}},
        {"all sides and client",
         {{alTop, {}, Bounds(0, 0, 1, 10)},
          {alBottom, {}, Bounds(0, 0, 1, 15)},
          {alLeft, {}, Bounds(0, 0, 20, 1)},
          {alRight, {}, Bounds(0, 0, 25, 1)},
          {alClient, {}, Bounds(0, 0, 1, 1)}},
         {},
         {Bounds(0, 0, 200, 10), Bounds(0, 85, 200, 15), Bounds(0, 10, 20, 75), Bounds(175, 10, 25, 75),
          Bounds(20, 10, 155, 75)}},
        // The first is aligned alone to the top; the second, put at 5, goes below it.
        {"a newly aligned top goes by its position",
         {{alTop, {}, Bounds(0, 40, 1, 10)}, {alTop, {}, Bounds(0, 5, 1, 20)}},
         {},
         {Bounds(0, 0, 200, 10), Bounds(0, 10, 200, 20)}},
        {"a newly aligned top at the very top goes first",
         {{alTop, {}, Bounds(0, 40, 1, 10)}, {alTop, {}, Bounds(0, 0, 1, 20)}},
         {},
         {Bounds(0, 20, 200, 10), Bounds(0, 0, 200, 20)}},
        {"a splitter put right of a left panel stays right of it",
         {{alLeft, {}, Bounds(0, 0, 60, 1)}, {alLeft, {}, Bounds(60, 0, 3, 1)}, {alClient, {}, Bounds(63, 0, 1, 1)}},
         {},
         {Bounds(0, 0, 60, 100), Bounds(60, 0, 3, 100), Bounds(63, 0, 137, 100)}},
        {"a newly aligned right goes by its position",
         {{alRight, {}, Bounds(0, 0, 30, 1)}, {alRight, {}, Bounds(160, 0, 4, 1)}},
         {},
         {Bounds(170, 0, 30, 100), Bounds(166, 0, 4, 100)}},
        {"a newly aligned bottom goes by its position",
         {{alBottom, {}, Bounds(0, 0, 1, 20)}, {alBottom, {}, Bounds(0, 70, 1, 5)}},
         {},
         {Bounds(0, 80, 200, 20), Bounds(0, 75, 200, 5)}},
        {"an invisible aligned control takes no room",
         {{alTop, {}, Bounds(0, 0, 1, 10), false}, {alTop, {}, Bounds(0, 20, 1, 10)}},
         {},
         {Bounds(0, 0, 1, 10), Bounds(0, 0, 200, 10)}},
        {"client that cannot grow leaves the rest",
         {{alClient, {}, Bounds(0, 0, 1, 1), true, 100}, {alRight, {}, Bounds(0, 0, 30, 1)}},
         {},
         {Bounds(0, 0, 100, 100), Bounds(170, 0, 30, 100)}},
        {"right anchor keeps the distance to the right edge",
         {{alNone, {akTop, akRight}, Bounds(150, 10, 30, 20)}},
         {300, 100},
         {Bounds(250, 10, 30, 20)}},
        {"left and right anchors stretch",
         {{alNone, {akLeft, akTop, akRight}, Bounds(10, 10, 30, 20)}},
         {300, 100},
         {Bounds(10, 10, 130, 20)}},
        {"no horizontal anchor keeps the centre in proportion",
         {{alNone, {akTop}, Bounds(150, 10, 30, 20)}},
         {300, 100},
         {Bounds(233, 10, 30, 20)}},
        {"bottom anchor follows the bottom edge",
         {{alNone, {akLeft, akBottom}, Bounds(10, 70, 30, 20)}},
         {200, 150},
         {Bounds(10, 120, 30, 20)}},
        {"all anchors stretch both ways",
         {{alNone, {akLeft, akTop, akRight, akBottom}, Bounds(10, 10, 180, 80)}},
         {250, 60},
         {Bounds(10, 10, 230, 40)}},
        {"aligned controls follow a resize",
         {{alTop, {}, Bounds(0, 0, 1, 10)}, {alClient, {}, Bounds(0, 0, 1, 1)}},
         {120, 50},
         {Bounds(0, 0, 120, 10), Bounds(0, 10, 120, 40)}},
    };
    for (const TLayoutCase& t : cases) {
        TForm* form = MakeForm(0, 0, 400, 300);
        auto* panel = New<TTestPanel>(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 200, 100);
        std::vector<TTestControl*> children;
        for (const TChildSpec& spec : t.Children) {
            auto* c = New<TTestControl>(form);
            c->SetVisible(spec.Visible);
            c->Constraints()->SetMaxWidth(spec.MaxWidth);
            c->SetBoundsRect(spec.Bounds);
            c->SetParent(panel);
            c->SetAlign(spec.Align);
            if (spec.Align == alNone) c->SetAnchors(spec.Anchors);
            children.push_back(c);
        }
        if (t.NewParentSize.cx) panel->SetBounds(0, 0, t.NewParentSize.cx, t.NewParentSize.cy);
        for (size_t i = 0; i < children.size(); ++i)
            EXPECT_EQ(children[i]->BoundsRect(), t.Expected[i]) << t.Name << ", child " << i;
        Forms.clear();
    }
}

// Moving an aligned control within its group puts it where it was moved to.
TEST_F(LayoutTest, AMovedAlignedControlTakesThePlaceItWasMovedTo) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    std::vector<TTestControl*> tops;
    for (int i = 0; i < 3; ++i) {
        auto* c = New<TTestControl>(form);
        c->SetBounds(0, 100, 10, 10 + i);
        c->SetParent(panel);
        c->SetAlign(alTop);
        tops.push_back(c);
    }
    // Stacked in the order they came: 10, 11 and 12 high.
    EXPECT_EQ(tops[2]->Top(), 21);
    tops[2]->SetTop(5); // into the first one
    EXPECT_EQ(tops[0]->Top(), 0);
    EXPECT_EQ(tops[2]->Top(), 10);
    EXPECT_EQ(tops[1]->Top(), 22);
    tops[1]->SetTop(0); // to the very top
    EXPECT_EQ(tops[1]->Top(), 0);
    EXPECT_EQ(tops[0]->Top(), 11);
    EXPECT_EQ(tops[2]->Top(), 21);
}

// Windows may be as thin as nothing, as the classic platform allows (splitters, separators).
TEST_F(LayoutTest, WindowedControlsCanBeZeroOrOnePixelWide) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 50, 50);
    ASSERT_TRUE(c->HandleAllocated());
    for (TSize size : {TSize{1, 1}, TSize{0, 0}, TSize{1, 40}, TSize{40, 0}}) {
        c->SetBounds(10, 10, size.cx, size.cy);
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        EXPECT_EQ(c->Width(), size.cx);
        EXPECT_EQ(c->Height(), size.cy);
        TRect r = GetWindowRect(c->Handle());
        EXPECT_EQ(r.Width(), size.cx);
        EXPECT_EQ(r.Height(), size.cy);
        EXPECT_EQ(c->ClientRect(), (TRect{0, 0, size.cx, size.cy}));
    }
}

TEST_F(LayoutTest, AnchoredControlsKeepTheirRulesThroughManyResizes) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    auto* c = New<TTestControl>(form);
    c->SetParent(panel);
    c->SetBounds(50, 10, 30, 20);
    c->SetAnchors({akTop});
    // Shrinking and growing back returns the control to where it was (no drift from rounding).
    for (int w : {137, 251, 99, 311, 200}) panel->SetWidth(w);
    EXPECT_EQ(c->BoundsRect(), Bounds(50, 10, 30, 20));
    // An explicit move makes new rules.
    c->SetLeft(100);
    panel->SetWidth(400);
    EXPECT_EQ(c->Left(), (100 + 15) * 2 - 15);
}

TEST_F(LayoutTest, AlignmentWaitsWhileDisabled) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    auto* c = New<TTestControl>(form);
    c->SetParent(panel);
    panel->DisableAlign();
    c->SetAlign(alClient);
    EXPECT_NE(c->BoundsRect(), Bounds(0, 0, 200, 100));
    panel->EnableAlign();
    EXPECT_EQ(c->BoundsRect(), Bounds(0, 0, 200, 100));
}

TEST_F(LayoutTest, AlignWorksBeforeAnyWindowExists) {
    TObjectPtr<TTestPanel> panel(New<TTestPanel>(nullptr));
    panel->SetBounds(0, 0, 120, 80);
    auto* top = New<TTestControl>(panel.get());
    top->SetParent(panel.get());
    top->SetAlign(alTop);
    auto* rest = New<TTestControl>(panel.get());
    rest->SetParent(panel.get());
    rest->SetAlign(alClient);
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 120, 25));
    EXPECT_EQ(rest->BoundsRect(), Bounds(0, 25, 120, 55));
    panel->SetHeight(100);
    EXPECT_EQ(rest->BoundsRect(), Bounds(0, 25, 120, 75));
}

TEST_F(LayoutTest, BorderWidthShrinksTheClientArea) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBorderWidth(5);
    auto* c = New<TTestControl>(form);
    c->SetParent(panel);
    c->SetAlign(alClient);
    EXPECT_EQ(panel->ClientRect(), (TRect{0, 0, 190, 90}));
    EXPECT_EQ(c->BoundsRect(), Bounds(0, 0, 190, 90));
    EXPECT_EQ(c->ClientOrigin(), panel->ClientToScreen(TPoint{0, 0}));
    EXPECT_EQ(panel->ClientOrigin().X, form->ClientOrigin().X + 5);
}

} // namespace
} // namespace dw::test
