// The control core: input routed to controls and to the designer hook, painting, bounds and the
// window, z-order, tab order, focus and dialog keys, scaling, mirroring and actions.
#include "CoreFixture.h"

#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

using ControlTest = CoreTest;

TEST_F(ControlTest, ClickFiresOnClick) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    button->SetBounds(20, 30, 75, 25);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    PumpMessages();

    ClickAt(button, 10, 10);
    ASSERT_EQ(sink.Clicks.size(), 1u);
    EXPECT_EQ(sink.Clicks[0], button);

    // A press that is released outside the control is no click.
    TPoint in = ScreenPoint(button, 10, 10), out = ScreenPoint(button, 200, 10);
    Backend->InjectMouseMove(in.X, in.Y);
    Backend->InjectMouseDown();
    Backend->InjectMouseMove(out.X, out.Y);
    Backend->InjectMouseUp();
    PumpMessages();
    EXPECT_EQ(sink.Clicks.size(), 1u);
}

TEST_F(ControlTest, GraphicChildGetsItsMouseFromTheParent) {
    TForm* form = MakeForm();
    auto* label = New<TTestGraphic>(form);
    label->SetParent(form);
    label->SetBounds(50, 60, 40, 20);
    TEventSink sink;
    label->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(label, 5, 5);
    ASSERT_EQ(sink.Clicks.size(), 1u);
    EXPECT_EQ(sink.Clicks[0], label);
    // Outside the graphic control the form gets the click.
    form->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(form, 5, 5);
    ASSERT_EQ(sink.Clicks.size(), 2u);
    EXPECT_EQ(sink.Clicks[1], form);
}

TEST_F(ControlTest, DesignStateSendsTheClickToTheHook) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    button->SetBounds(20, 30, 75, 25);
    auto* label = New<TTestGraphic>(form);
    label->SetParent(form);
    label->SetBounds(150, 30, 40, 20);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    label->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    TRecordingHook hook;
    hook.Take = [](TControl*, TMessage& m) { return m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK; };
    form->SetDesigner(&hook);
    form->SetDesigning(true);

    ClickAt(button, 10, 10);
    ClickAt(label, 5, 5);
    EXPECT_TRUE(sink.Clicks.empty());
    EXPECT_EQ(hook.Count(button, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(hook.Count(button, WM_LBUTTONUP), 1);
    // The non-windowed control is the sender of its own messages.
    EXPECT_EQ(hook.Count(label, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(hook.Count(form, WM_LBUTTONDOWN), 0);

    // A hook that lets the messages through leaves the control working.
    hook.Take = nullptr;
    ClickAt(button, 10, 10);
    EXPECT_EQ(sink.Clicks.size(), 1u);
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, ControlsOutsideDesignStateBypassTheHook) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    TRecordingHook hook;
    hook.Take = [](TControl*, TMessage&) { return true; };
    form->SetDesigner(&hook);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(button, 5, 5);
    EXPECT_EQ(sink.Clicks.size(), 1u);
    EXPECT_TRUE(hook.Seen.empty());
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, GraphicChildrenPaintThroughTheirHook) {
    TForm* form = MakeForm();
    auto* label = New<TTestGraphic>(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 40, 20);
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    button->SetBounds(100, 10, 75, 25);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    PumpMessages();
    hook.Seen.clear();
    label->PaintCount = 0;

    form->Repaint();
    // The form's own WM_PAINT comes without a DC; the graphic child's carries the form's DC.
    ASSERT_GE(hook.Count(label, WM_PAINT), 1);
    for (const auto& s : hook.Seen) {
        if (s.Sender == label && s.Msg == WM_PAINT) {
            EXPECT_NE(s.WParam, 0u);
        }
    }
    EXPECT_GE(hook.Count(form, WM_PAINT), 1);
    EXPECT_EQ(label->PaintCount, hook.Count(label, WM_PAINT));
    EXPECT_GE(hook.GridPaints, 1);

    // A hook that takes the paint message paints instead of the control.
    hook.Take = [label](TControl* sender, TMessage& m) { return sender == label && m.Msg == WM_PAINT; };
    label->PaintCount = 0;
    form->Repaint();
    EXPECT_EQ(label->PaintCount, 0);
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, PaintHandlerWithADcSkipsTheHook) {
    TForm* form = MakeForm();
    auto* button = New<TTestControl>(form);
    button->SetParent(form);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    PumpMessages();
    hook.Seen.clear();
    button->PaintCount = 0;
    HDC dc = GetDC(button->Handle());
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    button->PaintHandler(m);
    ReleaseDC(button->Handle(), dc);
    EXPECT_EQ(button->PaintCount, 1);
    EXPECT_EQ(hook.Count(button, WM_PAINT), 0);
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, NonWindowedSetBoundsReachesTheHook) {
    TForm* form = MakeForm();
    auto* label = New<TTestGraphic>(form);
    label->SetParent(form);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    hook.Seen.clear();
    label->SetBounds(33, 44, 55, 66);
    ASSERT_EQ(hook.Count(label, WM_WINDOWPOSCHANGED), 1);
    auto* pos = reinterpret_cast<WINDOWPOS*>(hook.Seen.back().LParam);
    (void)pos; // only valid during the call; the bounds are what matters afterwards
    EXPECT_EQ(label->BoundsRect(), Bounds(33, 44, 55, 66));
    // The same bounds again send nothing.
    label->SetBounds(33, 44, 55, 66);
    EXPECT_EQ(hook.Count(label, WM_WINDOWPOSCHANGED), 1);
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, BoundsFollowTheWindowWhenThePlatformMovesIt) {
    TForm* form = MakeForm();
    auto* child = New<TTestControl>(form);
    child->SetParent(form);
    child->SetBounds(10, 10, 50, 20);
    int leftSeen = -1;
    TWndMethod old = child->WindowProc;
    child->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == WM_WINDOWPOSCHANGED) leftSeen = child->Left();
        old(m);
    };
    MoveWindow(child->Handle(), 70, 80, 90, 30, true);
    EXPECT_EQ(leftSeen, 70);
    EXPECT_EQ(child->BoundsRect(), Bounds(70, 80, 90, 30));
    child->WindowProc = old;
    // The form's outer bounds follow a platform move too.
    MoveWindow(form->Handle(), 200, 150, 400, 300, true);
    EXPECT_EQ(form->BoundsRect(), Bounds(200, 150, 400, 300));
}

TEST_F(ControlTest, ConstraintsApplyToEveryBoundsChange) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->Constraints()->SetMinWidth(40);
    c->Constraints()->SetMaxWidth(100);
    c->Constraints()->SetMinHeight(10);
    c->SetBounds(0, 0, 20, 5);
    EXPECT_EQ(c->Width(), 40);
    EXPECT_EQ(c->Height(), 10);
    c->SetWidth(500);
    EXPECT_EQ(c->Width(), 100);
    // Tightening a constraint applies it to the current size at once.
    c->Constraints()->SetMaxWidth(60);
    EXPECT_EQ(c->Width(), 60);
    // The window agrees.
    EXPECT_EQ(GetWindowRect(c->Handle()).Width(), 60);
}

TEST_F(ControlTest, ZOrderMovesChangeControlsAndWindows) {
    TForm* form = MakeForm();
    auto* a = New<TTestControl>(form);
    auto* b = New<TTestControl>(form);
    auto* c = New<TTestControl>(form);
    auto* g1 = New<TTestGraphic>(form);
    auto* g2 = New<TTestGraphic>(form);
    for (TControl* x : std::initializer_list<TControl*>{a, b, c, g1, g2}) x->SetParent(form);
    auto order = [&] {
        std::vector<TControl*> v;
        for (int i = 0; i < form->ControlCount(); ++i) v.push_back(form->Controls(i));
        return v;
    };
    // Non-windowed controls lie below windowed ones.
    EXPECT_EQ(order(), (std::vector<TControl*>{g1, g2, a, b, c}));
    a->BringToFront();
    g2->SendToBack();
    EXPECT_EQ(order(), (std::vector<TControl*>{g2, g1, b, c, a}));
    // The window order (topmost first) matches.
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), a->Handle());
    EXPECT_EQ(GetWindow(a->Handle(), GW_HWNDNEXT), c->Handle());
    EXPECT_EQ(GetWindow(c->Handle(), GW_HWNDNEXT), b->Handle());
    c->SendToBack();
    EXPECT_EQ(order(), (std::vector<TControl*>{g2, g1, c, b, a}));
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), a->Handle());
    EXPECT_EQ(GetWindow(b->Handle(), GW_HWNDNEXT), c->Handle());
}

TEST_F(ControlTest, WindowsMadeLaterTakeTheirPlaceInTheZOrder) {
    auto* form = New<TForm>(nullptr);
    Forms.emplace_back(form);
    auto* a = New<TTestControl>(form);
    auto* b = New<TTestControl>(form);
    a->SetParent(form);
    b->SetParent(form);
    a->BringToFront();
    form->Show();
    // Created after the order was set: a above b.
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), a->Handle());
    EXPECT_EQ(GetWindow(a->Handle(), GW_HWNDNEXT), b->Handle());
}

TEST_F(ControlTest, SettingATabOrderRenumbersTheSiblings) {
    TForm* form = MakeForm();
    std::vector<TTestControl*> c;
    for (int i = 0; i < 4; ++i) {
        c.push_back(New<TTestControl>(form));
        c.back()->SetParent(form);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(c[static_cast<size_t>(i)]->TabOrder(), i);
    struct TCase {
        int control;
        int newOrder;
        std::vector<int> expected; // tab order of c[0..3] afterwards
    };
    const TCase cases[] = {
        {3, 0, {1, 2, 3, 0}},  // to the front
        {3, 3, {0, 1, 2, 3}},  // back to the end
        {0, 2, {2, 0, 1, 3}},  // into the middle
        {1, 99, {1, 3, 0, 2}}, // out of range: last
        {1, -5, {1, 3, 0, 2}}, // negative: last as well
    };
    for (const TCase& t : cases) {
        c[static_cast<size_t>(t.control)]->SetTabOrder(t.newOrder);
        std::vector<int> got;
        for (auto* x : c) got.push_back(x->TabOrder());
        EXPECT_EQ(got, t.expected) << "control " << t.control << " to " << t.newOrder;
    }
    // A control leaving the parent closes the gap.
    c[3]->SetParent(nullptr);
    EXPECT_EQ(c[3]->TabOrder(), -1);
    std::vector<int> got;
    for (size_t i = 0; i < 3; ++i) got.push_back(c[i]->TabOrder());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<int>{0, 1, 2}));
    c[3]->Free();
}

TEST_F(ControlTest, TabMovesTheFocusInTabOrder) {
    TForm* form = MakeForm();
    auto* a = New<TTestControl>(form);
    auto* b = New<TTestControl>(form);
    auto* c = New<TTestControl>(form);
    for (auto* x : {a, b, c}) x->SetParent(form);
    c->SetTabOrder(0); // c, a, b
    b->SetTabStop(false);
    c->SetFocus();
    Process();
    EXPECT_TRUE(c->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(a->Focused());
    PressKey(VK_TAB); // b is no tab stop
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(form->ActiveControl(), c);
    // A control that asks for Tab (WM_GETDLGCODE) gets it as a key instead.
    c->DlgCode = DLGC_WANTTAB;
    std::vector<Word> keys;
    TEventSink sink;
    c->Record = true;
    PressKey(VK_TAB);
    EXPECT_TRUE(c->Focused());
    EXPECT_NE(std::find(c->Handled.begin(), c->Handled.end(), WM_KEYDOWN), c->Handled.end());
}

TEST_F(ControlTest, EnterAndExitFollowTheFocus) {
    TForm* form = MakeForm();
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    auto* inner = New<TTestControl>(form);
    inner->SetParent(panel);
    auto* outer = New<TTestControl>(form);
    outer->SetParent(form);
    TEventSink sink;
    std::vector<String> log;
    auto track = [&](TWinControl* w, const char* name) {
        TWndMethod old = w->WindowProc;
        w->WindowProc = [&log, old, name](TMessage& m) {
            if (m.Msg == CM_ENTER) log.push_back(String("enter ") + name);
            if (m.Msg == CM_EXIT) log.push_back(String("exit ") + name);
            old(m);
        };
    };
    track(panel, "panel");
    track(inner, "inner");
    track(outer, "outer");
    outer->SetFocus();
    log.clear();
    inner->SetFocus();
    EXPECT_EQ(log, (std::vector<String>{"exit outer", "enter panel", "enter inner"}));
    log.clear();
    outer->SetFocus();
    EXPECT_EQ(log, (std::vector<String>{"exit inner", "exit panel", "enter outer"}));
}

TEST_F(ControlTest, FocusingAHiddenOrDisabledControlRaises) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetEnabled(false);
    EXPECT_FALSE(c->CanFocus());
    EXPECT_THROW(c->SetFocus(), EInvalidOperation);
    EXPECT_THROW(form->SetActiveControl(c), EInvalidOperation);
    c->SetEnabled(true);
    c->SetVisible(false);
    EXPECT_THROW(c->SetFocus(), EInvalidOperation);
    c->SetVisible(true);
    EXPECT_NO_THROW(c->SetFocus());
    EXPECT_TRUE(c->Focused());
    // A control on no form cannot be focused at all.
    TObjectPtr<TTestControl> orphan(New<TTestControl>(nullptr));
    EXPECT_THROW(orphan->SetFocus(), EInvalidOperation);
}

TEST_F(ControlTest, ParentChangesAndRecreationKeepTheState) {
    TForm* form = MakeForm();
    auto* left = New<TTestPanel>(form);
    left->SetParent(form);
    left->SetBounds(0, 0, 140, 200);
    auto* right = New<TTestPanel>(form);
    right->SetParent(form);
    right->SetBounds(150, 0, 140, 200);
    auto* c = New<TTestControl>(form);
    c->SetParent(left);
    c->SetBounds(5, 6, 70, 20);
    c->SetCaption("Keep me");
    c->SetEnabled(false);
    HWND first = c->Handle();
    c->SetParent(right);
    EXPECT_EQ(c->Parent(), right);
    EXPECT_EQ(left->ControlCount(), 0);
    EXPECT_EQ(right->ControlCount(), 1);
    EXPECT_TRUE(c->HandleAllocated());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetParent(c->Handle()), right->Handle());
    EXPECT_EQ(GetWindowText(c->Handle()), "Keep me");
    EXPECT_EQ(c->BoundsRect(), Bounds(5, 6, 70, 20));
    EXPECT_FALSE(IsWindowEnabled(c->Handle()));

    c->SetEnabled(true);
    c->SetFocus();
    HWND before = c->Handle();
    c->RecreateWnd();
    EXPECT_NE(c->Handle(), before);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(GetWindowText(c->Handle()), "Keep me");
    EXPECT_EQ(c->BoundsRect(), Bounds(5, 6, 70, 20));

    // Taking the control off every parent removes its window; it keeps its state.
    c->SetParent(nullptr);
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_EQ(c->Caption(), "Keep me");
    EXPECT_THROW(c->SetParent(c), EInvalidOperation);
    EXPECT_THROW(left->SetParent(left), EInvalidOperation);
    c->Free();
}

TEST_F(ControlTest, ParentWindowHostsAControlWithoutParent) {
    TForm* form = MakeForm();
    TObjectPtr<TTestControl> c(New<TTestControl>(nullptr));
    c->SetBounds(10, 10, 40, 20);
    c->SetParentWindow(form->Handle());
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_EQ(GetParent(c->Handle()), form->Handle());
    EXPECT_TRUE(IsWindowVisible(c->Handle()));
    c->SetParentWindow(nullptr);
    EXPECT_FALSE(c->HandleAllocated());
}

TEST_F(ControlTest, ScaleByScalesChildrenAndFonts) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 100);
    auto* c = New<TTestControl>(form);
    c->SetParent(panel);
    c->SetBounds(10, 20, 30, 40);
    c->SetParentFont(false);
    c->Font()->SetHeight(-11);
    auto* fixed = New<TUnscaledControl>(form);
    fixed->SetParent(panel);
    fixed->SetBounds(5, 5, 28, 28);
    panel->ScaleBy(3, 2);
    // The scaled control keeps its place and grows.
    EXPECT_EQ(panel->BoundsRect(), Bounds(10, 10, 300, 150));
    EXPECT_EQ(c->BoundsRect(), Bounds(15, 30, 45, 60));
    EXPECT_EQ(c->Font()->Height(), -17); // -16.5 rounds away from zero
    EXPECT_EQ(fixed->BoundsRect(), Bounds(5, 5, 28, 28));
}

TEST_F(ControlTest, FlipChildrenMirrorsPositionsAndAlignment) {
    TForm* form = MakeForm(0, 0, 300, 200);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    auto* a = New<TTestControl>(form);
    a->SetParent(panel);
    a->SetBounds(10, 10, 50, 20);
    auto* inner = New<TTestPanel>(form);
    inner->SetParent(panel);
    inner->SetBounds(100, 40, 80, 50);
    auto* deep = New<TTestControl>(form);
    deep->SetParent(inner);
    deep->SetBounds(0, 0, 20, 10);
    auto* side = New<TTestControl>(form);
    side->SetParent(panel);
    side->SetAlign(alLeft);
    side->SetWidth(15);
    panel->FlipChildren(false);
    EXPECT_EQ(a->Left(), 200 - 50 - 10);
    EXPECT_EQ(inner->Left(), 200 - 80 - 100);
    EXPECT_EQ(deep->Left(), 0);
    EXPECT_EQ(side->Align(), alRight);
    EXPECT_EQ(side->Left(), 200 - 15);
    panel->FlipChildren(true);
    EXPECT_EQ(deep->Left(), 80 - 20);
}

TEST_F(ControlTest, CaptionFollowsTheNameWhileTheyAgree) {
    TObjectPtr<TTestControl> c(New<TTestControl>(nullptr));
    c->SetName("Button1");
    EXPECT_EQ(c->Caption(), "Button1");
    c->SetName("OkButton");
    EXPECT_EQ(c->Caption(), "OkButton");
    c->SetCaption("OK");
    c->SetName("Other");
    EXPECT_EQ(c->Caption(), "OK");
}

TEST_F(ControlTest, ParentColorAndFontFollowTheParent) {
    TForm* form = MakeForm();
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    auto* c = New<TTestControl>(form);
    c->SetParentColor(true);
    c->SetParent(panel);
    panel->SetColor(clRed);
    EXPECT_EQ(c->Color(), clRed);
    EXPECT_TRUE(c->ParentColor());
    panel->Font()->SetHeight(-20);
    EXPECT_EQ(c->Font()->Height(), -20);
    c->SetColor(clLime);
    EXPECT_FALSE(c->ParentColor());
    panel->SetColor(clBlue);
    EXPECT_EQ(c->Color(), clLime);
}

TEST_F(ControlTest, DesignVisibilityRule) {
    TObjectPtr<TTestControl> c(New<TTestControl>(nullptr));
    struct TCase {
        bool designing, visible, noDesignVisible, shown;
    };
    const TCase cases[] = {
        {false, true, false, true}, {false, false, false, false}, {false, true, true, true},
        {true, false, false, true}, {true, false, true, false},   {true, true, true, true},
    };
    for (const TCase& t : cases) {
        c->SetDesigning(t.designing);
        c->SetVisible(t.visible);
        TControlStyle style = c->ControlStyle();
        if (t.noDesignVisible)
            style += csNoDesignVisible;
        else
            style -= csNoDesignVisible;
        c->SetControlStyle(style);
        EXPECT_EQ(c->DesignVisible(), t.shown)
            << "designing " << t.designing << " visible " << t.visible << " noDesignVisible " << t.noDesignVisible;
    }
}

TEST_F(ControlTest, PerformReturnsTheResult) {
    TObjectPtr<TTestControl> c(New<TTestControl>(nullptr));
    EXPECT_EQ(c->Perform(CM_HITTEST, 0, 0), HTCLIENT);
    c->DlgCode = DLGC_WANTARROWS;
    EXPECT_EQ(c->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(ControlTest, MouseEnterAndLeave) {
    TForm* form = MakeForm();
    auto* a = New<TTestControl>(form);
    a->SetParent(form);
    a->SetBounds(10, 10, 50, 30);
    auto* g = New<TTestGraphic>(form);
    g->SetParent(form);
    g->SetBounds(100, 10, 50, 30);
    TEventSink sink;
    a->OnMouseEnter = MakeMethod<&TEventSink::Note>(&sink);
    a->OnMouseLeave = MakeMethod<&TEventSink::Note>(&sink);
    g->OnMouseEnter = MakeMethod<&TEventSink::Note>(&sink);
    TPoint pa = ScreenPoint(a, 5, 5), pg = ScreenPoint(g, 5, 5);
    Backend->InjectMouseMove(pa.X, pa.Y);
    PumpMessages();
    EXPECT_TRUE(a->MouseInClient());
    Backend->InjectMouseMove(pg.X, pg.Y);
    PumpMessages();
    EXPECT_FALSE(a->MouseInClient());
    EXPECT_TRUE(g->MouseInClient());
    EXPECT_EQ(sink.Log, (std::vector<String>{"TTestControl", "TTestControl", "TTestGraphic"}));
}

TEST_F(ControlTest, CanvasDrawsOutsidePaintingToo) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 60, 30);
    form->Repaint();
    c->Canvas()->Brush()->SetColor(clFuchsia);
    c->Canvas()->FillRect(Bounds(5, 5, 10, 10));
    TControlCanvas::FreeDeviceContexts();
    TSurface shot = Backend->WindowScreenshot(form->Handle());
    TPoint p = ScreenPoint(c, 8, 8);
    TRect w = GetWindowRect(form->Handle());
    EXPECT_EQ(shot.Pixel(p.X - w.Left, p.Y - w.Top) & 0xFFFFFF, 0xFF00FFu);
    // A graphic control's canvas draws on its parent, at the control's place.
    auto* g = New<TTestGraphic>(form);
    g->SetParent(form);
    g->SetBounds(100, 50, 30, 20);
    g->Canvas()->Brush()->SetColor(clLime);
    g->Canvas()->FillRect(Bounds(0, 0, 4, 4));
    TControlCanvas::FreeDeviceContexts();
    shot = Backend->WindowScreenshot(form->Handle());
    p = ScreenPoint(g, 1, 1);
    EXPECT_EQ(shot.Pixel(p.X - w.Left, p.Y - w.Top) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(ControlTest, DoubleBufferedPaintStillGoesThroughTheHook) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetParent(form);
    c->SetDoubleBuffered(true);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    PumpMessages();
    hook.Seen.clear();
    c->PaintCount = 0;
    c->Repaint();
    // The window's own WM_PAINT, then the one into the buffer carrying its DC.
    int withDc = 0;
    for (const auto& seen : hook.Seen)
        if (seen.Sender == c && seen.Msg == WM_PAINT && seen.WParam) ++withDc;
    EXPECT_EQ(withDc, 1);
    EXPECT_EQ(c->PaintCount, 1);
    form->SetDesigner(nullptr);
}

TEST_F(ControlTest, MouseWheelIsOfferedUpTheParents) {
    TForm* form = MakeForm();
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    auto* c = New<TTestControl>(form);
    c->SetParent(panel);
    c->SetFocus();
    struct TWheel : TObject {
        std::vector<int> Deltas;
        bool Take = false;
        void Wheel(TObject*, TShiftState, int delta, TPoint, bool& handled) {
            Deltas.push_back(delta);
            handled = Take;
        }
    } inner, outer;
    c->OnMouseWheel = MakeMethod<&TWheel::Wheel>(&inner);
    form->OnMouseWheel = MakeMethod<&TWheel::Wheel>(&outer);
    outer.Take = true;
    TPoint p = ScreenPoint(c, 5, 5);
    Backend->InjectMouseMove(p.X, p.Y);
    Backend->InjectMouseWheel(-120);
    PumpMessages();
    EXPECT_EQ(inner.Deltas, (std::vector<int>{-120}));
    EXPECT_EQ(outer.Deltas, (std::vector<int>{-120}));
    inner.Take = true;
    Backend->InjectMouseWheel(120);
    PumpMessages();
    EXPECT_EQ(outer.Deltas.size(), 1u);
    EXPECT_EQ(c->Perform(CM_MOUSEWHEEL, MAKELPARAM(0, 120), 0), 1);
}

TEST_F(ControlTest, ScrollBoxScrollsItsChildren) {
    TForm* form = MakeForm(0, 0, 400, 300);
    auto* box = New<TScrollBox>(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 200, 100);
    auto* far = New<TTestControl>(form);
    far->SetParent(box);
    far->SetBounds(10, 300, 50, 20);
    EXPECT_EQ(box->VertScrollBar()->Range(), 320);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    box->VertScrollBar()->SetPosition(200);
    EXPECT_EQ(far->Top(), 100);
    // The position cannot pass the end of the range.
    box->VertScrollBar()->SetPosition(10000);
    EXPECT_EQ(box->VertScrollBar()->Position(), 320 - box->ClientHeight());
    EXPECT_EQ(far->Top() + box->VertScrollBar()->Position(), 300);
    // Scrolling a control into view.
    box->VertScrollBar()->SetPosition(0);
    box->ScrollInView(far);
    EXPECT_GE(far->Top(), 0);
    EXPECT_LE(far->Top() + far->Height(), box->ClientHeight());
}

TEST_F(ControlTest, DesignedControlShowsWhenNoDesignVisibleIsTakenAway) {
    TForm* form = MakeForm();
    auto* c = New<TTestControl>(form);
    c->SetControlStyle(c->ControlStyle() + csNoDesignVisible);
    c->SetVisible(false);
    c->SetParent(form);
    form->SetDesigning(true);
    EXPECT_FALSE(c->HandleAllocated() && IsWindowVisible(c->Handle()));
    c->SetControlStyle(c->ControlStyle() - csNoDesignVisible);
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(c->Handle()));
    c->SetControlStyle(c->ControlStyle() + csNoDesignVisible);
    EXPECT_FALSE(IsWindowVisible(c->Handle()));
}

} // namespace
} // namespace dw::test
