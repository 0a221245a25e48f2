// Helpers for the menu, action and dialog tests: steps run one at a time whenever a modal loop
// (a menu being tracked, a dialog) waits for input, and a recorder of menu clicks.
#pragma once

#include "CoreFixture.h"

#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "tests/support/IdleSteps.h"

#include <deque>
#include <functional>

namespace dw::test {

// Records clicks of menu items and what the screen looked like at that moment.
class TMenuClickLog : public TObject {
public:
    struct TEntry {
        TObject* Sender;
        bool MenuOpen;
    };
    std::vector<TEntry> Clicks;
    void Click(TObject* sender) {
        Clicks.push_back({sender, ActiveMenu() != nullptr || !OpenDropDownWindows().empty()});
    }
    TNotifyEvent Handler() { return MakeMethod<&TMenuClickLog::Click>(this); }
};

class MenuTest : public CoreTest {
protected:
    // An item with a caption under parent, clicks going to the log.
    TMenuItem* AddItem(TMenuItem* parent, const String& caption, TShortCut shortCut = scNone);
    // Presses the mouse at a screen point and runs the loop (a menu opened by it is tracked until
    // the steps end it).
    void PressAt(TPoint p);
    // Input while a menu is tracked: only queued, the menu's loop takes it.
    void ReleaseAt(TPoint p);
    void QueueClick(TPoint p);
    void QueueKey(int vk);
    static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    TMenuClickLog Log;
};

} // namespace dw::test
