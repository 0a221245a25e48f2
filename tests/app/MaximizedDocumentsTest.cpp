// Maximized documents in the frame: the frame's caption names the document, the document's icon
// and buttons sit at the ends of the menu bar and work, and the document keys close and switch
// documents.
#include "ShellFixture.h"

#include "designer/FormDesigner.h"
#include "framework/controls/menus/Menus.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"

namespace dw::test {

namespace {

TPoint Centre(const TRect& r) {
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class MaximizedDocumentsTest : public ShellTest {
protected:
    // The title the desktop shows for the main window.
    String Title() { return Backend->NativeWindowTitle(WM().Find(Main->Handle())->Native); }
    TRect Part(TMenuDocumentPart part) { return Main->MainMenu1->DocumentPartRect(Main, part); }
    void ClickPart(TMenuDocumentPart part) {
        TRect r = Part(part);
        ASSERT_FALSE(r.IsEmpty());
        Backend->SkipTime(DoubleClickTime + 1);
        Backend->Click(Centre(r).X, Centre(r).Y);
        Process();
    }
    void Chord(std::initializer_list<int> modifiers, int key) {
        for (int m : modifiers) Backend->InjectKeyDown(m);
        Backend->InjectKeyDown(key);
        Backend->InjectKeyUp(key);
        for (int m : modifiers) Backend->InjectKeyUp(m);
        Process();
    }
    bool Exists(const String& name) {
        for (int i = 0; i < Screen->CustomFormCount(); ++i)
            if (Screen->CustomForms(i)->Name() == name) return true;
        return false;
    }
};

} // namespace

TEST_F(MaximizedDocumentsTest, TheFrameShowsTheMaximizedDocumentInItsCaptionAndMenuBar) {
    EXPECT_EQ(Title(), "Vornix Draftwell");
    EXPECT_TRUE(Part(TMenuDocumentPart::Close).IsEmpty()) << "no document, no buttons";
    TMDIChild* document = NewDocument();
    ASSERT_TRUE(IsZoomed(document->Handle()));
    EXPECT_EQ(Title(), "Vornix Draftwell - [New form]");
    EXPECT_EQ(Main->Caption(), "Vornix Draftwell") << "the frame's own caption stays";
    document->SetCaption("Order entry");
    EXPECT_EQ(Title(), "Vornix Draftwell - [Order entry]");

    // The icon at the left end, before File; the buttons at the right end, in caption order.
    TRect bar = Main->MainMenu1->ItemRect(Main, 0);
    TRect icon = Part(TMenuDocumentPart::Icon);
    TRect minimize = Part(TMenuDocumentPart::Minimize);
    TRect restore = Part(TMenuDocumentPart::Restore);
    TRect close = Part(TMenuDocumentPart::Close);
    EXPECT_LE(icon.Right, bar.Left);
    EXPECT_EQ(icon.Top, bar.Top);
    EXPECT_LT(minimize.Right, close.Left);
    EXPECT_LE(minimize.Right, restore.Left);
    EXPECT_LE(restore.Right, close.Left);
    EXPECT_GT(close.Right, GetWindowRect(Main->Handle()).Right - 12);

    // Restore: the document gets its caption back, the frame its own title and a plain bar.
    ClickPart(TMenuDocumentPart::Restore);
    EXPECT_FALSE(IsZoomed(document->Handle()));
    EXPECT_EQ(Title(), "Vornix Draftwell");
    EXPECT_TRUE(Part(TMenuDocumentPart::Close).IsEmpty());
    EXPECT_EQ(Main->ActiveDocument(), document);
    EXPECT_TRUE(document->FormDesigner->Active()) << "still designed";

    // Maximized again (its own maximize box), then minimized from the bar.
    SendMessage(document->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Process();
    ASSERT_TRUE(IsZoomed(document->Handle()));
    ClickPart(TMenuDocumentPart::Minimize);
    EXPECT_TRUE(IsIconic(document->Handle()));
    EXPECT_EQ(Title(), "Vornix Draftwell");
}

TEST_F(MaximizedDocumentsTest, TheBarsCloseButtonClosesTheDocumentThroughItsCloseHandling) {
    TMDIChild* first = NewDocument();
    TMDIChild* second = NewDocument();
    TzFormDesigner* designer = second->FormDesigner;
    bool deactivated = false;
    struct TWatch : TObject {
        bool* Flag = nullptr;
        void Changed(TObject* sender) { *Flag = !static_cast<TzFormDesigner*>(sender)->Active(); }
    } watch;
    watch.Flag = &deactivated;
    designer->OnActiveChanged = MakeMethod<&TWatch::Changed>(&watch);
    // A press that leaves the button before the release does nothing.
    TRect close = Part(TMenuDocumentPart::Close);
    Backend->SkipTime(DoubleClickTime + 1);
    Backend->Drag(Centre(close), TPoint{close.Left - 40, close.Bottom + 40}, 2);
    Process();
    ASSERT_TRUE(Exists("MDIChild_2"));
    ClickPart(TMenuDocumentPart::Close);
    EXPECT_TRUE(deactivated) << "CloseDisactive: the designer lets go first";
    EXPECT_FALSE(Exists("MDIChild_2"));
    EXPECT_EQ(Main->ActiveDocument(), first);
    EXPECT_TRUE(IsZoomed(first->Handle())) << "the next document takes the maximized place";
    EXPECT_EQ(Title(), "Vornix Draftwell - [New form]");
}

TEST_F(MaximizedDocumentsTest, TheIconOpensTheDocumentsWindowMenu) {
    TMDIChild* first = NewDocument();
    NewDocument();
    TIdleSteps steps;
    steps.When([] { return !OpenDropDownWindows().empty(); },
               [&] {
                   // Close is the third entry.
                   TPoint p = Centre(DropDownItemRect(0, 2));
                   Backend->InjectMouseMove(p.X, p.Y);
                   Backend->InjectMouseDown();
                   Backend->InjectMouseUp();
               });
    ClickPart(TMenuDocumentPart::Icon);
    EXPECT_EQ(steps.Left(), 0) << "the window menu did not open";
    EXPECT_FALSE(Exists("MDIChild_2"));
    EXPECT_EQ(Main->ActiveDocument(), first);

    // A double click on the icon closes the document, as on a document's own caption.
    TPoint icon = Centre(Part(TMenuDocumentPart::Icon));
    Backend->SkipTime(DoubleClickTime + 1);
    Backend->DoubleClick(icon.X, icon.Y);
    Process();
    EXPECT_TRUE(OpenDropDownWindows().empty());
    EXPECT_FALSE(Exists("MDIChild_1"));
    EXPECT_EQ(Main->MDIChildCount(), 0);
}

TEST_F(MaximizedDocumentsTest, DocumentKeysReachEveryDocumentAndCloseTheActiveOne) {
    std::vector<TMDIChild*> documents;
    for (int i = 0; i < 3; ++i) documents.push_back(NewDocument());
    ASSERT_EQ(Main->ActiveDocument(), documents[2]);
    // Ctrl+F6 walks through all three and back to the first one seen.
    std::vector<TMDIChild*> seen;
    for (int i = 0; i < 3; ++i) {
        Chord({VK_CONTROL}, VK_F6);
        seen.push_back(Main->ActiveDocument());
        EXPECT_TRUE(IsZoomed(seen.back()->Handle()));
        EXPECT_EQ(Title(), "Vornix Draftwell - [New form]");
    }
    EXPECT_EQ(seen, (std::vector<TMDIChild*>{documents[1], documents[0], documents[2]}));
    // Ctrl+Shift+F6 goes the other way.
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        Chord({VK_CONTROL, VK_SHIFT}, VK_F6);
        seen.push_back(Main->ActiveDocument());
    }
    EXPECT_EQ(seen, (std::vector<TMDIChild*>{documents[0], documents[1], documents[2]}));
    EXPECT_TRUE(documents[2]->FormDesigner->Active()) << "the keys are the frame's, not the designer's";

    // Ctrl+F4 closes the active document through its close handling (the designer lets go, the
    // document is freed), and the next one comes up maximized.
    Chord({VK_CONTROL}, VK_F4);
    EXPECT_EQ(Main->MDIChildCount(), 2);
    EXPECT_FALSE(Exists("MDIChild_3"));
    ASSERT_NE(Main->ActiveDocument(), nullptr);
    EXPECT_TRUE(IsZoomed(Main->ActiveDocument()->Handle()));
    // With CloseDisactive off the close hides the document and its designer stays.
    TMDIChild* kept = Main->ActiveDocument();
    String keptName = kept->Name();
    kept->FormDesigner->SetCloseDisactive(false);
    Chord({VK_CONTROL}, VK_F4);
    ASSERT_TRUE(Exists(keptName));
    EXPECT_FALSE(IsWindowVisible(kept->Handle()));
    EXPECT_TRUE(kept->FormDesigner->Active());
    EXPECT_NE(Main->ActiveDocument(), kept);
    kept->Free();
    Process();
}

} // namespace dw::test
