// Helpers for the shell tests: a fresh headless screen with the main window shown, and the
// gestures a user makes on it (tool buttons, menu items, tabs, dialogs answered by script).
#pragma once

#include "app/MDIChild.h"
#include "app/MDIForm.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "tests/support/IdleSteps.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace dw::test {

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
