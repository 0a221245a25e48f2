// The keyboard with a designed document active: the frame keeps its menu keys (Alt+letter, Alt,
// F10) and the shortcuts of its actions (Ctrl+N, Ctrl+O, Ctrl+S, the designer actions' own);
// every other key is the designer's.
#include "ShellFixture.h"

#include "designer/FormDesigner.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/menus/ShortCut.h"
#include "framework/platform/window/Messages.h"
#include "tests/support/IdleSteps.h"

namespace dw::test {

using KeyboardTest = ShellTest;

namespace {

struct TKeyLog : TObject {
    std::vector<Word> Keys;
    void KeyDown(TObject*, Word& key, TShiftState) { Keys.push_back(key); }
};

} // namespace

TEST_F(KeyboardTest, MenuKeysOpenTheFramesMenuWhileADocumentIsDesigned) {
    struct TCase {
        const char* Title;
        std::vector<int> Keys; // pressed in order, released in reverse
    };
    const TCase cases[] = {
        {"Alt+F", {VK_MENU, 'F'}},
        {"F10", {VK_F10}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TMDIChild* document = NewDocument();
        ASSERT_TRUE(document->FormDesigner->Active());
        bool opened = false;
        TIdleSteps steps;
        steps.When([] { return ActiveMenu() != nullptr; },
                   [&] {
                       opened = ActiveMenu() == Main->MainMenu1;
                       CancelMenuTracking();
                   });
        for (int k : c.Keys) Backend->InjectKeyDown(k);
        for (auto it = c.Keys.rbegin(); it != c.Keys.rend(); ++it) Backend->InjectKeyUp(*it);
        Process();
        EXPECT_TRUE(opened) << "the main menu was not entered";
        document->Free();
        Process();
    }
}

TEST_F(KeyboardTest, ShortcutsAreTheFramesOtherKeysTheDesigners) {
    TMDIChild* document = NewDocument();
    TKeyLog log;
    document->FormDesigner->OnKeyDown = MakeMethod<&TKeyLog::KeyDown>(&log);
    auto chord = [&](std::initializer_list<int> modifiers, int key) {
        for (int m : modifiers) Backend->InjectKeyDown(m);
        Backend->InjectKeyDown(key);
        Backend->InjectKeyUp(key);
        for (int m : modifiers) Backend->InjectKeyUp(m);
        Process();
    };
    // The designer's: arrows, Tab, Delete reach its key handling.
    chord({}, VK_RIGHT);
    chord({VK_SHIFT}, VK_DOWN);
    chord({}, VK_TAB);
    chord({}, VK_DELETE);
    EXPECT_EQ(log.Keys, (std::vector<Word>{VK_RIGHT, VK_SHIFT, VK_DOWN, VK_TAB, VK_DELETE}));

    // The frame's: Ctrl+N makes a document, and the designer never sees the N.
    log.Keys.clear();
    chord({VK_CONTROL}, 'N');
    EXPECT_EQ(Main->MDIChildCount(), 2);
    EXPECT_EQ(std::count(log.Keys.begin(), log.Keys.end(), Word('N')), 0);

    // Ctrl+S and Ctrl+O ask for their files.
    DialogScript().AnswerFileName(TDialogKind::SaveDialog, std::nullopt);
    chord({VK_CONTROL}, 'S');
    DialogScript().AnswerFileName(TDialogKind::OpenDialog, std::nullopt);
    chord({VK_CONTROL}, 'O');
    ASSERT_EQ(DialogScript().Log().size(), 2u);
    EXPECT_EQ(DialogScript().Log()[0].Caption, "Save form");
    EXPECT_EQ(DialogScript().Log()[1].Caption, "Open form");
}

TEST_F(KeyboardTest, TheShellsShortcutsAreShownAndCollideWithNoDesignerKey) {
    EXPECT_EQ(ShortCutToText(Main->FileNew->ShortCut()), "Ctrl+N");
    EXPECT_EQ(ShortCutToText(Main->FileOpen->ShortCut()), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(Main->FileSave->ShortCut()), "Ctrl+S");
    std::vector<TShortCut> seen;
    for (int i = 0; i < Main->ActionList1->ActionCount(); ++i) {
        auto* action = As<TCustomAction>(Main->ActionList1->Actions(i));
        if (!action || action->ShortCut() == 0) continue;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), action->ShortCut()), 0)
            << ShortCutToText(action->ShortCut()) << " is taken twice";
        seen.push_back(action->ShortCut());
    }
}

} // namespace dw::test
