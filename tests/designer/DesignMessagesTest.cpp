// What a designed form does with the user's mouse and keyboard: controls stay inert, page tabs
// still switch, closing, designing one panel, the grid and the refresh after a move.
#include "DesignerFixture.h"

#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

using DesignMessagesTest = DesignerTest;

TPoint Center(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

TEST_F(DesignMessagesTest, ButtonsAndEditsAreInertAndTheDesignerGetsTheClicks) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 40, 30, 80, 25);
    auto* edit = Place<TEdit>(form, 40, 80, 100, 21);
    TDesignerLog log;
    button->OnClick = MakeMethod<&TDesignerLog::Click>(&log);
    TzFormDesigner* designer = Design(form);
    designer->OnMouseDown = MakeMethod<&TDesignerLog::MouseDown>(&log);

    ClickAt(button, 10, 5);
    EXPECT_EQ(log.Clicks, 0) << "a designed button does not fire OnClick";
    EXPECT_FALSE(button->Focused());
    ASSERT_EQ(log.MouseDowns.size(), 1u);
    EXPECT_EQ(log.MouseDowns[0].first, mbLeft);
    EXPECT_EQ(log.MouseDowns[0].second, (TPoint{50, 35})) << "in the design window's client coordinates";

    // A held button stays unpressed: the press never reaches it.
    TPoint p = button->ClientToScreen(TPoint{10, 5});
    Backend->InjectMouseMove(p.X, p.Y);
    Backend->InjectMouseDown();
    Process();
    EXPECT_FALSE(button->ControlState().Contains(csLButtonDown));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    Backend->InjectMouseUp();
    Process();

    ClickAt(edit, 5, 5);
    EXPECT_FALSE(edit->Focused()) << "a designed edit takes no focus";
    EXPECT_EQ(log.MouseDowns.size(), 3u);

    // The same click once the designer lets go works as usual.
    designer->SetActive(false);
    Process();
    ClickAt(button, 10, 5);
    EXPECT_EQ(log.Clicks, 1);
}

TEST_F(DesignMessagesTest, PageTabsSwitchWithTheLeftButtonButTheRightButtonIsTaken) {
    TForm* form = MakeForm(400, 300);
    auto* pages = Place<TPageControl>(form, 10, 10, 300, 200);
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < 3; ++i) {
        auto* sheet = New<TTabSheet>(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption("Page " + std::to_string(i + 1));
        sheets.push_back(sheet);
    }
    TDesignerLog log;
    TzFormDesigner* designer = Design(form);
    designer->OnMouseDown = MakeMethod<&TDesignerLog::MouseDown>(&log);
    ASSERT_EQ(pages->ActivePage(), sheets[0]);

    TPoint tab = Center(pages->TabRect(2));
    ClickAt(pages, tab.X, tab.Y);
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the tab keeps the left button at design time";
    EXPECT_TRUE(log.MouseDowns.empty());

    tab = Center(pages->TabRect(1));
    ClickAt(pages, tab.X, tab.Y, TMouseButton::Right);
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the right button never reaches the tabs";
    ASSERT_EQ(log.MouseDowns.size(), 1u);
    EXPECT_EQ(log.MouseDowns[0].first, mbRight);
}

TEST_F(DesignMessagesTest, ClosingTheFormHidesItOrDeactivatesAsCloseDisactiveSays) {
    for (bool closeDisactive : {false, true}) {
        SCOPED_TRACE(closeDisactive ? "CloseDisactive" : "hide on close");
        TForm* form = MakeForm();
        TDesignerLog log;
        TzFormDesigner* designer = Design(form);
        designer->SetCloseDisactive(closeDisactive);
        designer->OnFormClosed = MakeMethod<&TDesignerLog::Closed>(&log);

        Backend->InjectClose(form->Handle());
        Process();
        EXPECT_FALSE(form->HandleAllocated() && IsWindowVisible(form->Handle()));
        EXPECT_EQ(designer->Active(), !closeDisactive);
        EXPECT_EQ(log.FormClosed, closeDisactive ? 0 : 1);
        EXPECT_EQ(form->Designer() != nullptr, !closeDisactive);
        EXPECT_EQ(form->HasState(csDesigning), !closeDisactive);

        if (!closeDisactive) {
            // Activating again shows the hidden form.
            designer->SetActive(true);
            Process();
            EXPECT_TRUE(IsWindowVisible(form->Handle()));
        }
    }
}

TEST_F(DesignMessagesTest, DesigningAPanelLeavesTheRestOfTheFormWorking) {
    TForm* form = MakeForm(400, 300);
    auto* panel = Place<TPanel>(form, 10, 10, 200, 150);
    auto* inner = Place<TButton>(panel, 10, 10, 80, 25);
    auto* deeper = Place<TPanel>(panel, 10, 50, 150, 80);
    auto* deepest = Place<TCheckBox>(deeper, 5, 5, 100, 20);
    auto* outside = Place<TButton>(form, 250, 10, 80, 25);
    TDesignerLog log;
    inner->OnClick = MakeMethod<&TDesignerLog::Click>(&log);
    outside->OnClick = MakeMethod<&TDesignerLog::Click>(&log);

    auto* designer = New<TzFormDesigner>(form);
    designer->SetTarget(panel);
    EXPECT_EQ(designer->Root(), form);
    EXPECT_EQ(designer->DesignWindow(), panel);
    EXPECT_EQ(designer->Target(), panel);
    designer->SetActive(true);
    Process();

    for (TComponent* c : std::initializer_list<TComponent*>{panel, inner, deeper, deepest})
        EXPECT_TRUE(c->HasState(csDesigning)) << c->ClassName();
    EXPECT_FALSE(form->HasState(csDesigning));
    EXPECT_FALSE(outside->HasState(csDesigning));
    EXPECT_FALSE(designer->HasState(csDesigning));
    EXPECT_EQ(designer->UndoCount(), 0) << "no snapshots while only a part of the form is designed";

    ClickAt(inner, 10, 5);
    EXPECT_EQ(log.Clicks, 0);
    ClickAt(outside, 10, 5);
    EXPECT_EQ(log.Clicks, 1) << "a button outside the panel still clicks";

    designer->SetActive(false);
    EXPECT_FALSE(deepest->HasState(csDesigning));
    EXPECT_FALSE(panel->HasState(csDesigning));
}

TEST_F(DesignMessagesTest, GridDotsArePaintedEveryGridStep) {
    TForm* form = MakeForm(200, 150);
    form->SetColor(clBtnFace);
    TzFormDesigner* designer = Design(form);
    Process();
    const COLORREF grey = 0x808080;
    const COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_EQ(ScreenColor(form, 4, 4), grey);
    EXPECT_EQ(ScreenColor(form, 8, 12), grey);
    EXPECT_EQ(ScreenColor(form, 196, 148), grey);
    EXPECT_EQ(ScreenColor(form, 5, 4), face);
    EXPECT_EQ(ScreenColor(form, 0, 0), face) << "no dot at the origin";
    EXPECT_EQ(ScreenColor(form, 6, 6), face);

    designer->SetGridStepX(10);
    designer->SetGridStepY(6);
    Process();
    EXPECT_EQ(ScreenColor(form, 10, 6), grey);
    EXPECT_EQ(ScreenColor(form, 4, 4), face);
    EXPECT_EQ(ScreenColor(form, 20, 12), grey);

    designer->SetDisplayGrid(false);
    Process();
    EXPECT_EQ(ScreenColor(form, 10, 6), face);
}

TEST_F(DesignMessagesTest, MovingTheSelectedControlPostsARefresh) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 10, 10);
    auto* label = Place<TLabel>(form, 10, 60);
    label->SetCaption("Label");
    TzFormDesigner* designer = Design(form);

    for (TControl* control : std::initializer_list<TControl*>{button, label}) {
        SCOPED_TRACE(control->ClassName());
        designer->SelectComponent(control);
        Process();
        int before = designer->RefreshCount();
        control->SetLeft(control->Left() + 8);
        if (As<TWinControl>(control)) {
            EXPECT_EQ(designer->RefreshCount(), before) << "a windowed control's refresh is posted";
        }
        Process();
        EXPECT_EQ(designer->RefreshCount(), before + 1);
    }

    // A control that is not the only selected one is not followed.
    designer->ClearSelection();
    Process();
    int before = designer->RefreshCount();
    button->SetLeft(button->Left() + 8);
    Process();
    EXPECT_EQ(designer->RefreshCount(), before);
}

TEST_F(DesignMessagesTest, HitResolutionFindsTheDeepestDesignedControl) {
    TForm* form = MakeForm(400, 300);
    auto* panel = Place<TPanel>(form, 10, 10, 200, 150);
    auto* button = Place<TButton>(panel, 10, 10, 80, 25);
    auto* label = Place<TLabel>(panel, 10, 60, 60, 20);
    auto* hidden = Place<TButton>(panel, 100, 60, 60, 20);
    hidden->SetVisible(false);
    TzFormDesigner* designer = Design(form);

    EXPECT_EQ(designer->ControlAtPoint(form, {25, 25}), button);
    EXPECT_EQ(designer->ControlAtPoint(form, {25, 75}), label);
    EXPECT_EQ(designer->ControlAtPoint(form, {115, 75}), hidden) << "designed controls show while invisible";
    EXPECT_EQ(designer->ControlAtPoint(form, {150, 140}), panel);
    EXPECT_EQ(designer->ControlAtPoint(form, {300, 250}), nullptr);
    EXPECT_EQ(designer->DesignedAncestor(button), button);
}

TEST_F(DesignMessagesTest, ActivationMakesTheDesignerTheManagersActiveOne) {
    TForm* first = MakeForm();
    TForm* second = MakeForm();
    TzFormDesigner* one = Design(first);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), static_cast<IDesigner*>(one));
    TzFormDesigner* two = Design(second);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), static_cast<IDesigner*>(two));
    two->SetActive(false);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr);
    one->Activate();
    EXPECT_EQ(DesignerManager().ActiveDesigner(), static_cast<IDesigner*>(one));
    one->SetActive(false);
    EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr);
    two->Activate();
    EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr) << "an inactive designer does not take over";
}

} // namespace
} // namespace dw::test
