// Helpers for the shell tests: a fresh headless screen with the main window shown, and the
// gestures a user makes on it (tool buttons, menu items, tabs, dialogs answered by script).
#pragma once

#include "app/MDIChild.h"
#include "app/MDIForm.h"
#include "framework/platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace dw::test {

// Steps for a modal loop (a menu being tracked, a modal box): each idle pass runs the next one.
class TIdleSteps {
public:
    TIdleSteps();
    ~TIdleSteps();
    TIdleSteps(const TIdleSteps&) = delete;
    TIdleSteps& operator=(const TIdleSteps&) = delete;
    TIdleSteps& Then(std::function<void()> step) {
        FSteps.push_back({nullptr, std::move(step)});
        return *this;
    }
    // A step that waits for the first idle pass on which ready() holds.
    TIdleSteps& When(std::function<bool()> ready, std::function<void()> step) {
        FSteps.push_back({std::move(ready), std::move(step)});
        return *this;
    }
    int Left() const { return static_cast<int>(FSteps.size()); }

private:
    void Run();
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> FSteps;
    int FKey = 0;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lets the application handle everything queued, then runs one idle pass (actions update).
    void Process();
    void ClickAt(TControl* control, int x, int y);
    void ClickCentre(TControl* control) { ClickAt(control, control->Width() / 2, control->Height() / 2); }
    // Clicks the tool button bound to action.
    void ClickToolButton(TBasicAction* action);
    // Opens top-level menu item barIndex with the mouse and clicks item itemIndex of its drop-down
    // (itemIndex -1: the bar item itself is clicked).
    void ChooseMenuItem(int barIndex, int itemIndex);
    void ClickTab(TCustomTabControl* tabs, int index);
    // "File" > "New" by its tool button; returns the new active document.
    TMDIChild* NewDocument();
    // Answers the next open (or save) dialog with fileName.
    void AnswerOpen(const String& fileName);
    void AnswerSave(const String& fileName);
    // Messages the application's exception display showed.
    std::vector<String> Shown;
    // A fresh path in the test's own temporary folder.
    String TempPath(const String& name);
    void WriteText(const String& fileName, const String& text);
    String ReadText(const String& fileName);

    THeadlessBackend* Backend = nullptr;
    TMDIForm* Main = nullptr;
    String TempDir;
};

} // namespace dw::test
