// Tracking the main menu with the mouse: sliding along the bar with a list open opens the list
// of each item the pointer reaches, the first one again included.
#include "ShellFixture.h"

#include "framework/controls/Menus.h"
#include "framework/platform/Input.h"
#include "tests/support/IdleSteps.h"

namespace dw::test {

using MenuTrackingTest = ShellTest;

TEST_F(MenuTrackingTest, SlidingBackToAnItemReopensItsList) {
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    auto barItem = [&](int index) { return centre(Main->MainMenu1->ItemRect(Main, index)); };
    // The left edge of the open list tells which item's list it is.
    auto openListLeft = [] {
        auto rects = OpenDropDownRects();
        return rects.empty() ? -1 : rects[0].Left;
    };
    // Edit's list may be empty while no designer action is there: the slide goes past it.
    int fileLeft = -1, againLeft = -1;
    TIdleSteps steps;
    steps.When([&] { return openListLeft() >= 0; },
               [&] {
                   fileLeft = openListLeft();
                   TPoint p = barItem(1);
                   Backend->InjectMouseMove(p.X, p.Y);
               })
        .Then([&] {
            TPoint p = barItem(2);
            Backend->InjectMouseMove(p.X, p.Y);
        })
        .Then([&] {
            TPoint p = barItem(0);
            Backend->InjectMouseMove(p.X, p.Y);
        })
        .When([&] { return openListLeft() == fileLeft; },
              [&] {
                  againLeft = openListLeft();
                  CancelMenuTracking();
              });
    Backend->SkipTime(DoubleClickTime + 1);
    TPoint p = barItem(0);
    Backend->InjectMouseMove(p.X, p.Y);
    Backend->InjectMouseDown();
    Backend->InjectMouseUp();
    // Idle passes run the steps; a menu that stays closed leaves a step over.
    for (int i = 0; i < 20 && steps.Left() > 0 && ActiveMenu(); ++i) Process();
    if (ActiveMenu()) CancelMenuTracking();
    Process();
    EXPECT_GE(fileLeft, 0);
    EXPECT_EQ(againLeft, fileLeft) << "File's list opened again";
}

} // namespace dw::test
