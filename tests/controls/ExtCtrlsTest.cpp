// Panels, splitters and control bars.
#include "StdTestUtil.h"

namespace dw::test {
namespace {

using PanelTest = StdTest;
using SplitterTest = StdTest;
using ControlBarTest = StdTest;

TEST_F(PanelTest, ChildrenAreLaidOutInsideBevelsAndBorder) {
    struct TCase {
        TBevelCut inner, outer;
        int bevelWidth, borderWidth, inset;
    };
    const TCase cases[] = {
        {bvNone, bvRaised, 1, 0, 1},
        {bvLowered, bvRaised, 1, 0, 2},
        {bvLowered, bvRaised, 2, 3, 7},
        {bvNone, bvNone, 1, 4, 4},
    };
    TForm* form = MakeForm();
    for (const TCase& c : cases) {
        auto* panel = Place<TPanel>(form, 10, 10, 200, 100);
        panel->SetBevelInner(c.inner);
        panel->SetBevelOuter(c.outer);
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        auto* child = Place<TPanel>(panel, 0, 0);
        child->SetAlign(alClient);
        EXPECT_EQ(child->BoundsRect(), (TRect{c.inset, c.inset, 200 - c.inset, 100 - c.inset}))
            << "inner " << c.inner << " outer " << c.outer << " width " << c.bevelWidth << " border " << c.borderWidth;
        // The border is client area: the panel's window has no frame of its own.
        EXPECT_EQ(panel->ClientWidth(), 200);
        panel->Free();
    }
}

struct TSplitLog : TObject {
    int Moved = 0;
    int Refuse = -1;
    void OnMoved(TObject*) { ++Moved; }
    void CanResize(TObject*, int& size, bool& accept) { accept = size != Refuse; }
};

TEST_F(SplitterTest, DraggingResizesTheControlItIsAlignedAgainst) {
    TForm* form = MakeForm(100, 100, 400, 200);
    form->DisableAlign();
    auto* left = Place<TPanel>(form, 0, 0, 100);
    left->SetAlign(alLeft);
    auto* splitter = Place<TSplitter>(form, 100, 0);
    splitter->SetAlign(alLeft);
    auto* rest = Place<TPanel>(form, 0, 0);
    rest->SetAlign(alClient);
    form->EnableAlign();
    ASSERT_EQ(splitter->Left(), 100);
    EXPECT_EQ(splitter->FindResizeControl(), left);
    TSplitLog log;
    splitter->OnMoved = MakeMethod<&TSplitLog::OnMoved>(&log);

    Backend->Drag(ScreenPoint(splitter, 1, 50), ScreenPoint(splitter, 41, 50), 4);
    Process();
    EXPECT_EQ(left->Width(), 140);
    EXPECT_EQ(splitter->Left(), 140);
    EXPECT_EQ(rest->Left(), 143);
    EXPECT_EQ(log.Moved, 1);

    // The rest of the parent keeps MinSize; a drag far past it stops there.
    splitter->SetMinSize(50);
    Backend->Drag(ScreenPoint(splitter, 1, 50), ScreenPoint(splitter, 500, 50), 4);
    Process();
    EXPECT_EQ(left->Width(), 400 - 3 - 50);
    // Below half of MinSize the control snaps shut.
    Backend->Drag(ScreenPoint(splitter, 1, 50), ScreenPoint(splitter, -left->Width() + 10, 50), 4);
    Process();
    EXPECT_LT(left->Width(), 5) << "collapsed";
    EXPECT_EQ(splitter->Left(), left->Width());
    EXPECT_EQ(splitter->FindResizeControl(), left) << "a collapsed control is still found";
}

TEST_F(SplitterTest, RightAlignedAndRefusedSizes) {
    TForm* form = MakeForm(100, 100, 400, 200);
    form->DisableAlign();
    auto* right = Place<TPanel>(form, 300, 0, 100);
    right->SetAlign(alRight);
    auto* splitter = Place<TSplitter>(form, 297, 0);
    splitter->SetAlign(alRight);
    form->EnableAlign();
    splitter->SetResizeStyle(rsUpdate);
    TSplitLog log;
    log.Refuse = 130;
    splitter->OnCanResize = MakeMethod<&TSplitLog::CanResize>(&log);
    ASSERT_EQ(splitter->FindResizeControl(), right);
    // Dragging left widens a right-aligned control; the refused size is skipped.
    Backend->Drag(ScreenPoint(splitter, 1, 50), ScreenPoint(splitter, -29, 50), 1);
    Process();
    EXPECT_EQ(right->Width(), 100);
    Backend->Drag(ScreenPoint(splitter, 1, 50), ScreenPoint(splitter, -39, 50), 1);
    Process();
    EXPECT_EQ(right->Width(), 140);
}

struct TBandLog : TObject {
    TControl* Stretch = nullptr;
    TCustomControlBar* Bar = nullptr;
    std::vector<TControl*> Moves;
    void BandMove(TObject*, TControl* control, TRect& rect) {
        Moves.push_back(control);
        if (control == Stretch) rect.Right = Bar->ClientWidth();
    }
};

TEST_F(ControlBarTest, BandsMoveByTheirGrabberAndOnBandMoveChangesTheRect) {
    TForm* form = MakeForm(100, 100, 500, 200);
    auto* bar = Place<TControlBar>(form, 0, 0, 500, 60);
    bar->SetRowSize(30);
    bar->SetAutoSize(true);
    auto* first = Place<TPanel>(bar, 11, 2, 100, 26);
    auto* second = Place<TPanel>(bar, 129, 2, 100, 26);
    EXPECT_EQ(bar->Height(), 30);
    EXPECT_EQ(bar->BandRect(second), (TRect{118, 0, 231, 30}));
    TBandLog log;
    log.Stretch = second;
    log.Bar = bar;
    bar->OnBandMove = MakeMethod<&TBandLog::BandMove>(&log);

    // Drag the second band 20 pixels right by its grabber: the handler stretches it to the edge.
    Backend->Drag(ScreenPoint(bar, 121, 10), ScreenPoint(bar, 141, 10), 2);
    Process();
    ASSERT_FALSE(log.Moves.empty());
    EXPECT_EQ(log.Moves.back(), second);
    EXPECT_EQ(second->Left(), 149);
    EXPECT_EQ(second->Left() + second->Width() + TCustomControlBar::BandMargin, bar->ClientWidth());

    // Dropped on the first band, a band goes after it; dropped below, it starts a new row.
    log.Stretch = nullptr;
    Backend->Drag(ScreenPoint(bar, 141, 10), ScreenPoint(bar, 20, 10), 3);
    Process();
    EXPECT_GE(second->Left() - TCustomControlBar::GrabberSize, first->Left() + first->Width());
    TRect band = bar->BandRect(second);
    Backend->Drag(ScreenPoint(bar, band.Left + 3, 10), ScreenPoint(bar, 30, 40), 3);
    Process();
    EXPECT_EQ(second->Top(), 32);
    EXPECT_EQ(bar->RowCount(), 2);
    EXPECT_EQ(bar->Height(), 60) << "AutoSize follows the rows";
    // Grabbing the band itself (not its grabber) does not move it.
    size_t moves = log.Moves.size();
    Backend->Drag(ScreenPoint(first, 10, 10), ScreenPoint(first, 60, 10), 2);
    Process();
    EXPECT_EQ(log.Moves.size(), moves);
}

TEST_F(ControlBarTest, ATwoRowBandSharesTheLowerRowWithTheBandsBesideIt) {
    // The shell's bar: two bands on the first row, one on the second, and a band two rows high to
    // the right of them all.
    TForm* form = MakeForm(100, 100, 840, 200);
    auto* bar = Place<TControlBar>(form, 0, 0, 840, 60);
    bar->SetRowSize(30);
    bar->SetAutoSize(true);
    auto* first = Place<TPanel>(bar, 11, 2, 100, 26);
    auto* second = Place<TPanel>(bar, 129, 2, 180, 26);
    auto* below = Place<TPanel>(bar, 11, 32, 250, 26);
    auto* tall = Place<TPanel>(bar, 332, 2, 498, 56);
    struct TCase {
        TControl* Band;
        int Left, Top;
    };
    for (const TCase& c : {TCase{first, 11, 2}, TCase{second, 129, 2}, TCase{below, 11, 32}, TCase{tall, 332, 2}}) {
        EXPECT_EQ(c.Band->Left(), c.Left) << c.Band->Name();
        EXPECT_EQ(c.Band->Top(), c.Top) << c.Band->Name();
    }
    EXPECT_EQ(bar->RowCount(), 2);
    EXPECT_EQ(bar->Height(), 60);
    // A second-row band that grows under the tall band pushes it right; neither changes rows.
    below->SetWidth(340);
    EXPECT_EQ(below->Left(), 11);
    EXPECT_EQ(below->Top(), 32);
    EXPECT_EQ(tall->Left(),
              below->Left() + below->Width() + TCustomControlBar::BandMargin + TCustomControlBar::GrabberSize);
    EXPECT_EQ(tall->Top(), 2);
    EXPECT_EQ(second->Top(), 2);
    // Rows no band reaches close up: a band put far below lands on the first row after the tall band.
    below->SetBounds(11, 152, 250, 26);
    EXPECT_EQ(below->Top(), 62);
    EXPECT_EQ(bar->RowCount(), 3);
    EXPECT_EQ(bar->Height(), 90);
}

} // namespace
} // namespace dw::test
