// Tracking the main menu with the mouse: sliding along the bar with a list open opens the list
// of each item the pointer reaches, the first one again included.
#include "ShellFixture.h"

#include "framework/controls/menus/Menus.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/Input.h"
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
    steps
        .When([&] { return openListLeft() >= 0; },
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

TEST_F(MenuTrackingTest, TheMenuBarStaysDrawnWhileAModalDialogIsUpAndAfter) {
    NewDocument();
    // The bar's pixels: from the first item's left to the last item's right.
    auto barPixels = [&] {
        TRect first = Main->MainMenu1->ItemRect(Main, 0), last = Main->MainMenu1->ItemRect(Main, 3);
        TRect bar{first.Left, first.Top, last.Right, first.Bottom};
        TPoint origin = Main->BoundsRect().TopLeft();
        TSurface shot = Backend->WindowScreenshot(Main->Handle());
        std::vector<TPixel> pixels;
        for (int y = bar.Top - origin.Y; y < bar.Bottom - origin.Y; ++y)
            for (int x = bar.Left - origin.X; x < bar.Right - origin.X; ++x) pixels.push_back(shot.Pixel(x, y));
        return pixels;
    };
    auto inked = [](const std::vector<TPixel>& pixels) {
        return std::count_if(pixels.begin(), pixels.end(), [](TPixel p) { return (p & 0xFF) < 0x60; });
    };
    std::vector<TPixel> before = barPixels();
    ASSERT_GT(inked(before), 50) << "the bar shows its captions";
    std::vector<TPixel> during;
    TIdleSteps steps;
    steps.When([] { return Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->FormState().Contains(fsModal); },
               [&] {
                   during = barPixels();
                   Screen->ActiveCustomForm()->SetModalResult(mrOk);
               });
    Main->DsnAbout->Execute();
    Process();
    EXPECT_EQ(during, before) << "the bar while the About box is up";
    EXPECT_EQ(barPixels(), before) << "the bar after the About box";
}

} // namespace dw::test
