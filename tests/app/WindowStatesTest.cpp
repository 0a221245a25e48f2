// The main window and its documents maximized, restored and moved: what stays on the screen,
// where an opened form sits, and the active document through undo.
#include "ShellFixture.h"

#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Window.h"

namespace dw::test {

using WindowStatesTest = ShellTest;

namespace {

TPoint Centre(const TRect& r) {
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// The screen rectangle of a frame part of window (its layout is in window coordinates).
TRect FramePart(HWND window, TRect TNonClientLayout::*part) {
    TRect r = GetNonClientLayout(window).*part;
    TRect w = GetWindowRect(window);
    return r.Offset(w.Left, w.Top);
}

// The control whose window the user sees at the centre of control.
bool ShowsAtItsCentre(TControl* control) {
    TPoint p = control->ClientToScreen(TPoint{control->Width() / 2, control->Height() / 2});
    auto* windowed = As<TWinControl>(control);
    return WindowFromPoint(p) == (windowed ? windowed->Handle() : control->Parent()->Handle());
}

TRect ScreenBounds(TControl* control) {
    return Bounds(control->ClientOrigin().X, control->ClientOrigin().Y, control->Width(), control->Height());
}

} // namespace

TEST_F(WindowStatesTest, MaximizingTheMainWindowKeepsTheDocumentBesideTheInspector) {
    TMDIChild* document = NewDocument();
    struct TStep {
        const char* Title;
        TRect TNonClientLayout::*Button;
        bool Zoomed;
    };
    const TStep steps[] = {{"maximized by its caption button", &TNonClientLayout::MaxButton, true},
                           {"restored by its caption button", &TNonClientLayout::MaxButton, false},
                           {"maximized again", &TNonClientLayout::MaxButton, true}};
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Title);
        TPoint p = Centre(FramePart(Main->Handle(), step.Button));
        Backend->SkipTime(DoubleClickTime + 1);
        Backend->Click(p.X, p.Y);
        Process();
        ASSERT_EQ(IsZoomed(Main->Handle()), step.Zoomed);
        // The workspace is what the control bar, the inspector panel and the splitter leave.
        TRect workspace = GetWindowRect(Main->ClientHandle());
        TRect splitter = ScreenBounds(Main->Splitter1);
        TRect bar = GetWindowRect(Main->ControlBar1->Handle());
        TRect frameClient = Main->ClientRect();
        EXPECT_EQ(workspace.Left, splitter.Right);
        EXPECT_EQ(workspace.Top, bar.Bottom);
        EXPECT_EQ(workspace.Right, Main->ClientToScreen(TPoint{frameClient.Right, 0}).X);
        EXPECT_EQ(workspace.Bottom, Main->ClientToScreen(TPoint{0, frameClient.Bottom}).Y);
        EXPECT_TRUE(ShowsAtItsCentre(Main->Splitter1));
        EXPECT_TRUE(ShowsAtItsCentre(document->Button1));
        EXPECT_TRUE(ShowsAtItsCentre(document->Button2));
        TRect inside = GetClientRect(Main->ClientHandle());
        EXPECT_EQ(document->ClientOrigin(), (workspace.TopLeft() + TPoint{2, 2})) << "the document fills the workspace";
        EXPECT_EQ(document->ClientRect(), inside);
    }
}

TEST_F(WindowStatesTest, AnOpenedNormalFormIsANormalWindowInsideTheWorkspace) {
    const struct {
        const char* Title;
        const char* State;
    } cases[] = {{"no stored state", ""}, {"stored as normal", "  WindowState = wsNormal\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Title);
        String file = TempPath("Normal.dfm");
        WriteText(file, String("object Normal: TMDIChild\n  Left = 300\n  Top = 40\n  Width = 500\n  Height = 300\n"
                               "  Caption = 'Normal form'\n") +
                            c.State + "end\n");
        AnswerOpen(file);
        ClickToolButton(Main->FileOpen);
        TMDIChild* document = Main->ActiveDocument();
        ASSERT_NE(document, nullptr);
        ASSERT_TRUE(document->FormDesigner->Active());
        EXPECT_FALSE(IsZoomed(document->Handle())) << "no restore button on its caption";
        EXPECT_EQ(document->WindowState(), wsNormal);
        EXPECT_EQ(document->BoundsRect(), Bounds(300, 40, 500, 300)) << "where the file puts it";

        // Dragging the caption moves it.
        TPoint grip = Centre(FramePart(document->Handle(), &TNonClientLayout::Caption));
        Backend->SkipTime(DoubleClickTime + 1);
        Backend->Drag(grip, grip + TPoint{-40, 20}, 3);
        Process();
        EXPECT_EQ(document->BoundsRect(), Bounds(260, 60, 500, 300));

        // Lying partly outside the workspace, it can be scrolled into view.
        TRect workspace = GetClientRect(Main->ClientHandle());
        ASSERT_GT(document->Left() + document->Width(), workspace.Right);
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(Main->ClientHandle(), SB_HORZ, info));
        EXPECT_GE(info.nMax + 1, document->Left() + document->Width()) << "the horizontal bar reaches it";
        EXPECT_GT(info.nMax + 1 - info.nMin, static_cast<int>(info.nPage));

        // A double click on its caption maximizes it; restored, it is back in its place.
        Backend->SkipTime(DoubleClickTime + 1);
        TPoint title = Centre(FramePart(document->Handle(), &TNonClientLayout::Caption));
        Backend->DoubleClick(title.X, title.Y);
        Process();
        EXPECT_TRUE(IsZoomed(document->Handle()));
        SendMessage(document->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        Process();
        EXPECT_FALSE(IsZoomed(document->Handle()));
        EXPECT_EQ(document->BoundsRect(), Bounds(260, 60, 500, 300));
        document->Free();
        Process();
    }
}

TEST_F(WindowStatesTest, ASavedMaximizedDocumentOpensMaximizedAndRestoresToItsStoredPlace) {
    TRect normal = NewDocument()->NormalBounds();
    ASSERT_NE(normal.Width(), Main->ActiveDocument()->Width()) << "maximized wider than its normal place";
    String file = TempPath("Saved.dfm");
    AnswerSave(file);
    ClickToolButton(Main->FileSave);
    ASSERT_NE(ReadText(file).find("WindowState = wsMaximized"), String::npos) << ReadText(file);
    AnswerOpen(file);
    ClickToolButton(Main->FileOpen);
    TMDIChild* document = Main->ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->WindowState(), wsMaximized);
    EXPECT_TRUE(IsZoomed(document->Handle()));
    SendMessage(document->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Process();
    EXPECT_FALSE(IsZoomed(document->Handle()));
    EXPECT_EQ(document->Width(), normal.Width()) << "the stored size is the normal one";
    EXPECT_EQ(document->Height(), normal.Height());
}

TEST_F(WindowStatesTest, UndoKeepsTheDocumentActiveAndMaximized) {
    TMDIChild* first = NewDocument();
    TMDIChild* document = NewDocument();
    (void)first;
    // A change to undo, as the inspector makes one.
    document->Button2->SetLeft(17);
    document->FormDesigner->MarkModified();
    ASSERT_EQ(document->Button2->Left(), 17);
    ASSERT_TRUE(document->FormDesigner->CanUndo());
    // What the Undo action does.
    document->FormDesigner->Undo();
    Process();
    EXPECT_EQ(document->Button2->Left(), 16) << "undone";
    EXPECT_EQ(Main->ActiveDocument(), document);
    EXPECT_EQ(Main->MDIChildCount(), 2);
    EXPECT_EQ(document->FormStyle(), fsMDIChild);
    EXPECT_TRUE(IsWindowVisible(document->Handle()));
    EXPECT_TRUE(IsZoomed(document->Handle()));
    EXPECT_TRUE(document->FormDesigner->Active());
}

} // namespace dw::test
