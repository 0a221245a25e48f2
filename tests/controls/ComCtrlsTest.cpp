// Tab controls, page controls, tool bars and status bars.
#include "StdTestUtil.h"

namespace dw::test {
namespace {

using TabTest = StdTest;
using ToolBarTest = StdTest;
using StatusBarTest = StdTest;

TPoint Center(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

struct TTabLog : TObject {
    int Changes = 0;
    bool Allow = true;
    void Change(TObject*) { ++Changes; }
    void Changing(TObject*, bool& allow) { allow = Allow; }
};

TPageControl* MakePages(TForm* form, int count, std::vector<TTabSheet*>& sheets) {
    auto* pages = New<TPageControl>(form);
    pages->SetParent(form);
    pages->SetBounds(10, 10, 280, 180);
    for (int i = 0; i < count; ++i) {
        auto* sheet = New<TTabSheet>(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption("Page " + IntToStr(i + 1));
        sheets.push_back(sheet);
    }
    return pages;
}

TEST_F(TabTest, ClickingATabShowsItsPage) {
    TForm* form = MakeForm();
    std::vector<TTabSheet*> sheets;
    TPageControl* pages = MakePages(form, 3, sheets);
    PumpMessages();
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(sheets[2]->PageControl(), pages);
    TTabLog log;
    pages->OnChange = MakeMethod<&TTabLog::Change>(&log);
    pages->OnChanging = MakeMethod<&TTabLog::Changing>(&log);

    TPoint tab = Center(pages->TabRect(2));
    ClickAt(pages, tab.X, tab.Y);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(sheets[2]->BoundsRect(), pages->DisplayRect()) << "the page fills the display area";
    EXPECT_EQ(log.Changes, 1);

    // OnChanging may refuse; a hidden tab takes no place.
    log.Allow = false;
    tab = Center(pages->TabRect(0));
    ClickAt(pages, tab.X, tab.Y);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    log.Allow = true;
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->Tabs()->Count(), 2);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_EQ(pages->FindNextPage(sheets[0], true, true), sheets[2]);
    EXPECT_EQ(pages->FindNextPage(sheets[0], false, false), sheets[2]);

    // Freeing the active page activates the next one.
    sheets[2]->Free();
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
}

TEST_F(TabTest, TabsAnswerTheDesignHitTestAndSwitchAtDesignTime) {
    TForm* form = MakeForm();
    std::vector<TTabSheet*> sheets;
    TPageControl* pages = MakePages(form, 2, sheets);
    PumpMessages();
    auto designHit = [&](TPoint p) { return pages->Perform(CM_DESIGNHITTEST, 0, PointToLParam(p)); };
    EXPECT_NE(designHit(Center(pages->TabRect(1))), 0);
    EXPECT_NE(designHit(Center(pages->TabRect(0))), 0);
    EXPECT_EQ(designHit(Center(pages->DisplayRect())), 0);
    TRect tab = pages->TabRect(1);
    EXPECT_EQ(designHit({tab.Right + 20, tab.Top + 3}), 0) << "beside the last tab";

    // A hook that, like the designer, leaves the mouse to controls that ask for it.
    TRecordingHook hook;
    hook.Take = [](TControl* sender, TMessage& m) {
        if (m.Msg < WM_MOUSEMOVE || m.Msg > WM_MBUTTONDBLCLK) return false;
        return sender->Perform(CM_DESIGNHITTEST, m.WParam, m.LParam) == 0;
    };
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    TPoint p = Center(pages->TabRect(1));
    ClickAt(pages, p.X, p.Y);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_TRUE(sheets[1]->DesignVisible());
    EXPECT_FALSE(sheets[0]->DesignVisible()) << "only the active page shows at design time";
    // Elsewhere the designer keeps the mouse.
    hook.Seen.clear();
    TPoint inside = Center(pages->DisplayRect());
    ClickAt(pages, inside.X, inside.Y);
    EXPECT_GE(hook.Count(nullptr, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    form->SetDesigner(nullptr);
}

TEST_F(TabTest, DisplayRectExcludesTheTabsOnEverySide) {
    TForm* form = MakeForm(100, 100, 400, 300);
    for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
        auto* tabs = Place<TTabControl>(form, 10, 10, 300, 200);
        tabs->Tabs()->SetCommaText("Properties,Events");
        tabs->SetTabPosition(position);
        tabs->SetTabIndex(0);
        auto* child = Place<TPanel>(tabs, 0, 0);
        child->SetAlign(alClient);
        TRect display = tabs->DisplayRect();
        EXPECT_EQ(child->BoundsRect(), display) << "position " << position;
        for (int i = 0; i < 2; ++i) {
            TRect tab = tabs->TabRect(i);
            ASSERT_FALSE(tab.IsEmpty());
            EXPECT_TRUE(tab.Intersect(display).IsEmpty()) << "position " << position << " tab " << i;
            EXPECT_EQ(tabs->IndexOfTabAt(Center(tab).X, Center(tab).Y), i);
        }
        bool side = position == tpLeft || position == tpRight;
        TPoint c0 = Center(tabs->TabRect(0)), c1 = Center(tabs->TabRect(1));
        EXPECT_LE(side ? std::abs(c0.X - c1.X) : std::abs(c0.Y - c1.Y), 2) << "tabs run along their side";
        if (position == tpBottom) {
            EXPECT_GT(tabs->TabRect(0).Top, display.Bottom);
        }
        if (position == tpLeft) {
            EXPECT_LT(tabs->TabRect(0).Right, display.Left);
        }
        tabs->Free();
    }
}

TEST_F(TabTest, MultiLineRowsKeepTheSelectedRowNextToThePage) {
    TForm* form = MakeForm(100, 100, 400, 300);
    auto* tabs = Place<TTabControl>(form, 10, 10, 160, 150);
    tabs->SetMultiLine(true);
    tabs->Tabs()->SetCommaText("First,Second,Third,Fourth,Fifth,Sixth");
    tabs->SetTabIndex(0);
    ASSERT_GT(tabs->RowCount(), 1);
    TRect display = tabs->DisplayRect();
    auto nearestRowTop = [&] {
        int top = 0;
        for (int i = 0; i < 6; ++i) top = std::max(top, tabs->TabRect(i).Top);
        return top;
    };
    EXPECT_GE(tabs->TabRect(0).Top, nearestRowTop() - 2) << "the selected tab's row is next to the page";
    tabs->SetTabIndex(5);
    EXPECT_GE(tabs->TabRect(5).Top, nearestRowTop() - 2);
    EXPECT_EQ(tabs->DisplayRect(), display);
    // Ctrl+Tab moves to the next tab when the focus is inside.
    TTabLog log;
    tabs->OnChange = MakeMethod<&TTabLog::Change>(&log);
    auto* edit = Place<TEdit>(tabs, 20, 100);
    edit->SetFocus();
    Process();
    Chord({VK_CONTROL}, VK_TAB);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(log.Changes, 1);
}

// ---------------------------------------------------------------------------------------------
// Tool bars

struct TActionSink : TObject {
    int Executed = 0;
    void Execute(TObject*) { ++Executed; }
};

TEST_F(ToolBarTest, AToolButtonShowsItsActionAndExecutesIt) {
    TForm* form = MakeForm();
    auto* bar = Place<TToolBar>(form, 0, 0);
    bar->SetFlat(true);
    auto* button = New<TToolButton>(form);
    button->SetParent(bar);
    auto* action = New<TTestAction>(form);
    TActionSink sink;
    action->OnExecute = MakeMethod<&TActionSink::Execute>(&sink);
    action->SetImageIndex(3);
    action->SetHint("Copy");
    action->SetEnabled(false);
    button->SetAction(action);
    EXPECT_EQ(button->ImageIndex(), 3);
    EXPECT_EQ(button->Hint(), "Copy");
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(button->IsImageIndexStored()) << "the action's image is not written for the button";

    ClickAt(button, 5, 5);
    EXPECT_EQ(sink.Executed, 0) << "a disabled button does nothing";
    action->SetEnabled(true);
    EXPECT_TRUE(button->Enabled());
    ClickAt(button, 5, 5);
    EXPECT_EQ(sink.Executed, 1);
    action->SetImageIndex(5);
    EXPECT_EQ(button->ImageIndex(), 5);
    action->SetChecked(true);
    EXPECT_TRUE(button->Down());
    // The link goes with the action.
    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(ToolBarTest, ButtonsAreLaidOutInOrderAndWrap) {
    TForm* form = MakeForm(100, 100, 400, 200);
    auto* bar = Place<TToolBar>(form, 0, 0);
    bar->SetButtonWidth(24);
    bar->SetButtonHeight(24);
    bar->SetEdgeBorders({});
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = New<TToolButton>(form);
        b->SetBounds(1000 + i, 0, 24, 24); // new buttons go after the last
        b->SetParent(bar);
        buttons.push_back(b);
    }
    buttons[2]->SetStyle(tbsSeparator);
    ASSERT_EQ(bar->ButtonCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bar->Buttons(i), buttons[static_cast<size_t>(i)]);
    const int lefts[] = {0, 24, 48, 56, 80};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(buttons[static_cast<size_t>(i)]->Left(), lefts[i]) << i;
    EXPECT_EQ(buttons[2]->Width(), 8);
    EXPECT_EQ(buttons[0]->Height(), 24);

    // A narrow bar wraps; a button moved by someone else takes its new place.
    bar->SetAutoSize(true);
    bar->SetAlign(alNone);
    bar->SetWidth(60);
    EXPECT_GT(buttons[4]->Top(), 0);
    EXPECT_EQ(bar->Height(), bar->RowCount() * 24);
    bar->SetWidth(400);
    buttons[0]->SetLeft(70);
    EXPECT_EQ(bar->Buttons(3), buttons[0]);
    EXPECT_EQ(buttons[1]->Left(), 0);
}

TEST_F(ToolBarTest, CheckButtonsOfAGroupReleaseEachOther) {
    TForm* form = MakeForm();
    auto* bar = Place<TToolBar>(form, 0, 0);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = New<TToolButton>(form);
        b->SetBounds(1000 + i, 0, 23, 22);
        b->SetParent(bar);
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
        buttons.push_back(b);
    }
    ClickAt(buttons[0], 5, 5);
    ClickAt(buttons[2], 5, 5);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[2]->Down());
    ClickAt(buttons[2], 5, 5);
    EXPECT_TRUE(buttons[2]->Down()) << "a group without AllowAllUp keeps one down";
}

// ---------------------------------------------------------------------------------------------
// Status bars

TEST_F(StatusBarTest, PanelsLieSideBySideAndTheLastReachesTheEdge) {
    TForm* form = MakeForm(100, 100, 400, 200);
    auto* status = Place<TStatusBar>(form, 0, 0);
    for (int width : {100, 80, 50}) {
        TStatusPanel* panel = status->Panels()->Add();
        panel->SetWidth(width);
        panel->SetText("w" + IntToStr(width));
    }
    EXPECT_EQ(status->Top() + status->Height(), form->ClientHeight()) << "aligned to the bottom";
    EXPECT_EQ(status->PanelRect(0).Left, 0);
    EXPECT_EQ(status->PanelRect(1).Left, 100);
    EXPECT_EQ(status->PanelRect(2).Right, status->ClientWidth());
    EXPECT_EQ(status->PanelAt(120, 10), 1);
    EXPECT_FALSE(status->GripRect().IsEmpty()) << "a sizeable form gets the grip";
    status->SetSimplePanel(true);
    EXPECT_EQ(status->PanelRect(0).Right, status->ClientWidth());
    EXPECT_EQ(status->PanelAt(120, 10), 0);
    form->SetBorderStyle(bsDialog);
    EXPECT_TRUE(status->GripRect().IsEmpty());
}

} // namespace
} // namespace dw::test
