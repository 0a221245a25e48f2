// Buttons, labels, edits and memos, check boxes, radio buttons and groups, list boxes, combo boxes
// and scroll bars, driven with injected mouse and keyboard input.
#include "StdTestUtil.h"

#include "framework/platform/window/Clipboard.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"

namespace dw::test {
namespace {

using ButtonTest = StdTest;
using EditTest = StdTest;
using LabelTest = StdTest;
using CheckTest = StdTest;
using ListBoxTest = StdTest;
using ComboBoxTest = StdTest;
using ScrollBarTest = StdTest;

// ---------------------------------------------------------------------------------------------
// Buttons

// A click and then a double click on each kind of control: OnClick and OnDblClick fire as the
// classic controls fire them. Buttons and check boxes take the second half of a double click as
// another press; a radio button that is already checked only reports the double click; a list box
// clicks when the selection changes and double-clicks on the second press.
TEST_F(ButtonTest, ClickAndDoubleClickFireWhereTheClassicControlsFireThem) {
    struct TCase {
        const char* Name;
        std::function<TControl*(TForm*)> Make;
        TPoint ClickAt, DoubleClickAt;
        int Clicks, DoubleClicks;
    };
    auto listBox = [this](TForm* form) {
        auto* list = Place<TListBox>(form, 10, 10, 120, 100);
        list->Items()->SetCommaText("one,two,three");
        return list;
    };
    auto simpleCombo = [this](TForm* form) {
        auto* combo = Place<TComboBox>(form, 10, 10, 120, 120);
        combo->SetStyle(csSimple);
        combo->SetBounds(10, 10, 120, 120);
        combo->Items()->SetCommaText("one,two,three,four");
        return combo;
    };
    const TCase cases[] = {
        {"button", [this](TForm* f) { return Place<TButton>(f, 10, 10); }, {20, 10}, {20, 10}, 3, 0},
        {"check box", [this](TForm* f) { return Place<TCheckBox>(f, 10, 10); }, {5, 8}, {5, 8}, 3, 0},
        {"radio button", [this](TForm* f) { return Place<TRadioButton>(f, 10, 10); }, {5, 8}, {5, 8}, 1, 1},
        {"list box", listBox, {20, 5}, {20, 20}, 2, 1},
        {"simple combo box", simpleCombo, {20, 30}, {20, 45}, 2, 1},
        {"edit", [this](TForm* f) { return Place<TEdit>(f, 10, 10, 100); }, {20, 8}, {20, 8}, 2, 1},
        {"memo", [this](TForm* f) { return Place<TMemo>(f, 10, 10, 100, 60); }, {20, 8}, {20, 8}, 2, 1},
        {"label", [this](TForm* f) { return Place<TLabel>(f, 10, 10, 60, 20); }, {5, 5}, {5, 5}, 2, 1},
        {"panel", [this](TForm* f) { return Place<TPanel>(f, 10, 10); }, {20, 20}, {20, 20}, 2, 1},
        {"group box", [this](TForm* f) { return Place<TGroupBox>(f, 10, 10); }, {20, 30}, {20, 30}, 2, 1},
        {"paint box", [this](TForm* f) { return Place<TPaintBox>(f, 10, 10, 50, 50); }, {5, 5}, {5, 5}, 2, 1},
        {"scroll box", [this](TForm* f) { return Place<TScrollBox>(f, 10, 10, 80, 80); }, {20, 20}, {20, 20}, 2, 1},
        {"status bar", [this](TForm* f) { return Place<TStatusBar>(f, 0, 0); }, {20, 5}, {20, 5}, 2, 1},
    };
    for (const TCase& t : cases) {
        SCOPED_TRACE(t.Name);
        TForm* form = MakeForm();
        TControl* control = t.Make(form);
        TEventSink clicks, doubleClicks;
        control->OnClick = MakeMethod<&TEventSink::Click>(&clicks);
        control->OnDblClick = MakeMethod<&TEventSink::Click>(&doubleClicks);
        Process();
        ClickAt(control, t.ClickAt.X, t.ClickAt.Y);
        Process();
        Backend->SkipTime(DoubleClickTime + 1);
        TPoint p = ScreenPoint(control, t.DoubleClickAt.X, t.DoubleClickAt.Y);
        Backend->DoubleClick(p.X, p.Y);
        Process();
        EXPECT_EQ(clicks.Clicks.size(), static_cast<size_t>(t.Clicks));
        EXPECT_EQ(doubleClicks.Clicks.size(), static_cast<size_t>(t.DoubleClicks));
        Forms.clear();
    }
}

TEST_F(ButtonTest, PressedWhileTheMouseIsDownInsideAndClickedOnRelease) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 20, 20);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    PumpMessages();

    TPoint in = ScreenPoint(button, 10, 10), out = ScreenPoint(button, 150, 10);
    Backend->InjectMouseMove(in.X, in.Y);
    Backend->InjectMouseDown();
    Process();
    EXPECT_TRUE(button->Pressed());
    Backend->InjectMouseMove(out.X, out.Y);
    Process();
    EXPECT_FALSE(button->Pressed());
    Backend->InjectMouseUp();
    Process();
    EXPECT_TRUE(sink.Clicks.empty()) << "released outside: no click";

    ClickAt(button, 10, 10);
    ASSERT_EQ(sink.Clicks.size(), 1u);
    EXPECT_EQ(sink.Clicks[0], button);
    EXPECT_TRUE(button->Focused());
}

TEST_F(ButtonTest, InDesignStateItDoesNotPressAndTheHookGetsTheClick) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 20, 20);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    PumpMessages();

    // Whether the hook takes the mouse or lets it through, the button stays up and silent.
    for (bool take : {true, false}) {
        hook.Seen.clear();
        Backend->SkipTime(1000); // no double click
        hook.Take = [take](TControl*, TMessage& m) {
            return take && m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK;
        };
        TPoint p = ScreenPoint(button, 10, 10);
        Backend->InjectMouseMove(p.X, p.Y);
        Backend->InjectMouseDown();
        Process();
        EXPECT_FALSE(button->Pressed()) << "take=" << take;
        Backend->InjectMouseUp();
        Process();
        EXPECT_TRUE(sink.Clicks.empty()) << "take=" << take;
        EXPECT_EQ(hook.Count(button, WM_LBUTTONDOWN), 1) << "take=" << take;
        EXPECT_EQ(hook.Count(button, WM_LBUTTONUP), 1) << "take=" << take;
    }
    form->SetDesigner(nullptr);
}

TEST_F(ButtonTest, ModalResultIsHandedToTheForm) {
    TForm* form = MakeForm();
    auto* ok = Place<TButton>(form, 20, 20);
    ok->SetModalResult(mrOk);
    auto* plain = Place<TButton>(form, 120, 20);
    ClickAt(plain, 5, 5);
    EXPECT_EQ(form->ModalResult(), mrNone);
    ClickAt(ok, 5, 5);
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(ButtonTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
    TForm* form = MakeForm();
    auto* edit = Place<TEdit>(form, 10, 10);
    auto* ok = Place<TButton>(form, 10, 60);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Place<TButton>(form, 100, 60);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* other = Place<TButton>(form, 190, 60);
    TEventSink sink;
    for (TButton* b : {ok, cancel, other}) b->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    edit->SetFocus();
    Process();
    EXPECT_TRUE(ok->Active());

    PressKey(VK_RETURN);
    ASSERT_EQ(sink.Clicks.size(), 1u);
    EXPECT_EQ(sink.Clicks[0], ok);
    EXPECT_EQ(form->ModalResult(), mrOk);

    form->SetModalResult(mrNone);
    PressKey(VK_ESCAPE);
    ASSERT_EQ(sink.Clicks.size(), 2u);
    EXPECT_EQ(sink.Clicks[1], cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);

    // A focused button takes Enter for itself; the default button is no longer active.
    other->SetFocus();
    Process();
    EXPECT_FALSE(ok->Active());
    EXPECT_TRUE(other->Active());
    PressKey(VK_RETURN);
    ASSERT_EQ(sink.Clicks.size(), 3u);
    EXPECT_EQ(sink.Clicks[2], other);
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButtonOnRelease) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 20, 20);
    TEventSink sink;
    button->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    button->SetFocus();
    Backend->InjectKeyDown(VK_SPACE);
    Process();
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(sink.Clicks.empty());
    Backend->InjectKeyUp(VK_SPACE);
    Process();
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(sink.Clicks.size(), 1u);
}

TEST_F(ButtonTest, BitBtnKindSetsCaptionResultAndGlyphUntilChanged) {
    TForm* form = MakeForm();
    auto* button = Place<TBitBtn>(form, 20, 20);
    button->SetKind(bkCancel);
    EXPECT_EQ(button->Caption(), "Cancel");
    EXPECT_EQ(button->ModalResult(), mrCancel);
    EXPECT_TRUE(button->Cancel());
    EXPECT_FALSE(button->Glyph()->Empty());
    EXPECT_EQ(button->Kind(), bkCancel);
    EXPECT_FALSE(button->IsCustomCaption());
    button->SetCaption("Stop");
    EXPECT_TRUE(button->IsCustomCaption());
    button->SetModalResult(mrAbort);
    EXPECT_EQ(button->Kind(), bkCustom);
    ClickAt(button, 5, 5);
    EXPECT_EQ(form->ModalResult(), mrAbort);
}

TEST_F(ButtonTest, SpeedButtonsOfAGroupKeepOneDown) {
    TForm* form = MakeForm();
    std::vector<TSpeedButton*> group;
    for (int i = 0; i < 3; ++i) {
        auto* b = Place<TSpeedButton>(form, 10 + 25 * i, 10);
        b->SetGroupIndex(1);
        group.push_back(b);
    }
    auto* loose = Place<TSpeedButton>(form, 100, 10);
    TEventSink sink;
    for (auto* b : group) b->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(group[0], 5, 5);
    EXPECT_TRUE(group[0]->Down());
    ClickAt(group[2], 5, 5);
    EXPECT_FALSE(group[0]->Down());
    EXPECT_TRUE(group[2]->Down());
    // Without AllowAllUp the last one down stays down.
    ClickAt(group[2], 5, 5);
    EXPECT_TRUE(group[2]->Down());
    group[0]->SetAllowAllUp(true);
    EXPECT_TRUE(group[2]->AllowAllUp());
    ClickAt(group[2], 5, 5);
    EXPECT_FALSE(group[2]->Down());
    EXPECT_EQ(sink.Clicks.size(), 4u);
    // A button outside any group never stays down.
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

// ---------------------------------------------------------------------------------------------
// Labels

TEST_F(LabelTest, AutoSizeFollowsTheCaption) {
    TForm* form = MakeForm();
    auto* label = Place<TLabel>(form, 10, 10);
    label->SetCaption("Hi");
    int small = label->Width();
    int lineHeight = label->Height();
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->Width(), small * 3);
    EXPECT_EQ(label->Height(), lineHeight);
    label->SetCaption("Two\nlines");
    EXPECT_EQ(label->Height(), 2 * lineHeight);

    // Right-aligned labels grow to the left.
    auto* right = Place<TLabel>(form, 100, 40);
    right->SetAlignment(taRightJustify);
    right->SetCaption("x");
    int edge = right->Left() + right->Width();
    right->SetCaption("a wider caption");
    EXPECT_EQ(right->Left() + right->Width(), edge);

    // Word wrap keeps the width and grows downwards; without AutoSize nothing moves.
    auto* wrap = Place<TLabel>(form, 10, 80);
    wrap->SetWordWrap(true);
    wrap->SetWidth(60);
    wrap->SetCaption("several words that cannot fit in sixty pixels");
    EXPECT_EQ(wrap->Width(), 60);
    EXPECT_GT(wrap->Height(), 2 * lineHeight);
    auto* fixed = Place<TLabel>(form, 10, 150);
    fixed->SetAutoSize(false);
    fixed->SetBounds(10, 150, 30, 30);
    fixed->SetCaption("no size change here");
    EXPECT_EQ(fixed->Width(), 30);
    EXPECT_EQ(fixed->Height(), 30);
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
    TForm* form = MakeForm();
    auto* label = Place<TLabel>(form, 10, 10);
    label->SetCaption("&Name");
    auto* edit = Place<TEdit>(form, 60, 10);
    label->SetFocusControl(edit);
    auto* button = Place<TButton>(form, 10, 60);
    button->SetFocus();
    Process();
    Type("n");
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->Text(), "");
    // The reference goes when the control does.
    edit->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Edits and memos

TEST_F(EditTest, TypingSelectionAndClipboardRoundTrip) {
    TForm* form = MakeForm();
    auto* first = Place<TEdit>(form, 10, 10, 200);
    auto* second = Place<TEdit>(form, 10, 40, 200);
    int changes = 0;
    struct TCounter : TObject {
        int* N;
        void Changed(TObject*) { ++*N; }
    } counter;
    counter.N = &changes;
    first->OnChange = MakeMethod<&TCounter::Changed>(&counter);

    ClickAt(first, 5, 5);
    ASSERT_TRUE(first->Focused());
    Type("hello world");
    EXPECT_EQ(first->Text(), "hello world");
    EXPECT_EQ(changes, 11);
    EXPECT_TRUE(first->Modified());

    // Home, then Ctrl+Shift+Right selects the first word with its space.
    PressKey(VK_HOME);
    Chord({VK_CONTROL, VK_SHIFT}, VK_RIGHT);
    EXPECT_EQ(first->SelText(), "hello ");
    Chord({VK_CONTROL}, 'C');
    EXPECT_EQ(GetClipboardText().value_or(""), "hello ");

    ClickAt(second, 5, 5);
    Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(second->Text(), "hello ");

    // Cut the last word, then take it back with undo.
    first->SetFocus();
    Process();
    PressKey(VK_END);
    Chord({VK_CONTROL, VK_SHIFT}, VK_LEFT);
    EXPECT_EQ(first->SelText(), "world");
    Chord({VK_CONTROL}, 'X');
    EXPECT_EQ(first->Text(), "hello ");
    EXPECT_EQ(GetClipboardText().value_or(""), "world");
    Chord({VK_CONTROL}, 'Z');
    EXPECT_EQ(first->Text(), "hello world");
    EXPECT_TRUE(first->CanUndo());

    // The clipboard messages do the same.
    second->SelectAll();
    second->Perform(WM_CUT);
    EXPECT_EQ(second->Text(), "");
    EXPECT_EQ(GetClipboardText().value_or(""), "hello ");
    second->Perform(WM_PASTE);
    second->Perform(WM_PASTE);
    EXPECT_EQ(second->Text(), "hello hello ");
    second->Perform(WM_UNDO);
    EXPECT_EQ(second->Text(), "hello ");
}

TEST_F(EditTest, EditingKeys) {
    TForm* form = MakeForm();
    auto* edit = Place<TEdit>(form, 10, 10, 200);
    edit->SetFocus();
    Process();
    Type("abcd");
    PressKey(VK_LEFT);
    PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "abd");
    PressKey(VK_DELETE);
    EXPECT_EQ(edit->Text(), "ab");
    PressKey(VK_HOME);
    Chord({VK_SHIFT}, VK_RIGHT);
    Type("X");
    EXPECT_EQ(edit->Text(), "Xb");
    EXPECT_EQ(edit->SelStart(), 1);
    // A selection collapses to its side with the arrows.
    Chord({VK_SHIFT}, VK_END);
    PressKey(VK_LEFT);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(EditTest, MaxLengthReadOnlyAndPasswordLimitWhatTheUserDoes) {
    TForm* form = MakeForm();
    auto* limited = Place<TEdit>(form, 10, 10);
    limited->SetMaxLength(3);
    limited->SetFocus();
    Process();
    Type("abcdef");
    EXPECT_EQ(limited->Text(), "abc");
    SetClipboardText("12345");
    limited->SelectAll();
    Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(limited->Text(), "123");

    auto* readOnly = Place<TEdit>(form, 10, 40);
    readOnly->SetText("fixed");
    readOnly->SetReadOnly(true);
    readOnly->SetFocus();
    Process();
    Type("x");
    PressKey(VK_BACK);
    EXPECT_EQ(readOnly->Text(), "fixed");
    readOnly->SelectAll();
    Chord({VK_CONTROL}, 'C');
    EXPECT_EQ(GetClipboardText().value_or(""), "fixed");

    // Hidden text never reaches the clipboard.
    auto* password = Place<TEdit>(form, 10, 70);
    password->SetPasswordChar('*');
    password->SetText("secret");
    password->SetFocus();
    Process();
    password->SelectAll();
    Chord({VK_CONTROL}, 'C');
    Chord({VK_CONTROL}, 'X');
    EXPECT_EQ(GetClipboardText().value_or(""), "fixed");
    EXPECT_EQ(password->Text(), "secret");
}

TEST_F(EditTest, MouseSelectsAndLongTextScrollsToTheCaret) {
    TForm* form = MakeForm();
    auto* edit = Place<TEdit>(form, 10, 10, 80);
    edit->SetText("alpha beta gamma delta epsilon zeta");
    edit->SetFocus();
    Process();
    PressKey(VK_END);
    TRect text = edit->FormattingRect();
    // The caret stays inside the box: the text scrolled.
    TPoint caret = edit->CaretPos();
    EXPECT_EQ(caret.X, static_cast<int>(edit->Text().size()));
    PressKey(VK_HOME);
    // A drag from the left edge selects from the start.
    TPoint from = ScreenPoint(edit, text.Left, text.Top + 2), to = ScreenPoint(edit, text.Left + 30, text.Top + 2);
    Backend->Drag(from, to, 3);
    Process();
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_GT(edit->SelLength(), 1);
    EXPECT_EQ(edit->SelText(), edit->Text().substr(0, static_cast<size_t>(edit->SelLength())));
    // A double click selects the word under the mouse.
    TPoint word = ScreenPoint(edit, text.Left + 3, text.Top + 2);
    Backend->DoubleClick(word.X, word.Y);
    Process();
    EXPECT_EQ(edit->SelText(), "alpha ");
}

TEST_F(EditTest, AutoSelectOnTabButNotOnClick) {
    TForm* form = MakeForm();
    auto* button = Place<TButton>(form, 10, 10);
    auto* edit = Place<TEdit>(form, 10, 50, 150);
    edit->SetText("everything");
    button->SetFocus();
    Process();
    PressKey(VK_TAB);
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 10);
    button->SetFocus();
    Process();
    ClickAt(edit, 4, 4);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditTest, InDesignStateAnEditDoesNotTakeTheFocus) {
    TForm* form = MakeForm();
    auto* edit = Place<TEdit>(form, 10, 10);
    TRecordingHook hook;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    ClickAt(edit, 5, 5);
    EXPECT_FALSE(edit->Focused());
    EXPECT_EQ(hook.Count(edit, WM_LBUTTONDOWN), 1);
    form->SetDesigner(nullptr);
}

TEST_F(EditTest, MemoLinesFollowTheText) {
    TForm* form = MakeForm();
    auto* memo = Place<TMemo>(form, 10, 10, 200, 100);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Insert(1, "middle");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->Text(), "middle\nsecond\n");
    memo->Lines()->Put(1, "last");
    EXPECT_EQ(memo->Text(), "middle\r\nlast\r\n");
    EXPECT_THROW(memo->Lines()->Get(2), EStringListError);

    // Typing Enter breaks the line; the caret goes down keeping its column.
    memo->Clear();
    memo->SetFocus();
    Process();
    Type("abc");
    PressKey(VK_RETURN);
    Type("defgh");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "defgh");
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    PressKey(VK_UP);
    EXPECT_EQ(memo->CaretPos(), (TPoint{3, 0}));
    // Without WantReturns, Enter is the form's.
    memo->SetWantReturns(false);
    PressKey(VK_RETURN);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(EditTest, TextThatIsNotValidUtf8IsLaidOutAndKept) {
    // Stored strings may hold any bytes: stray continuation bytes, cut sequences, bytes no
    // UTF-8 has. They are shown (as replacement characters) and kept as they are.
    TForm* form = MakeForm();
    auto* edit = Place<TEdit>(form, 10, 10, 150, 21);
    auto* memo = Place<TMemo>(form, 10, 40, 150, 60);
    const char* cases[] = {"t\x87wo", "cut \xE2\x82", "\xFF\xFE\xC0\x80 bytes", "\x80\x80\x80\x80\x80\x80"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        edit->SetText(text);
        memo->SetText(String(text) + "\r\n" + text);
        Process();
        EXPECT_EQ(edit->Text(), text);
        EXPECT_EQ(memo->Lines()->Get(1), text);
    }
}

TEST_F(EditTest, AMemoTakesItsLoadedLinesInOnePiece) {
    // A stored memo of 2,000 long lines: its text is set once, not once per line (which made
    // loading quadratic in the text).
    TForm* form = MakeForm();
    auto* memo = Place<TMemo>(form, 10, 10, 200, 100);
    int changes = 0;
    struct TCounter : TObject {
        int* Changes = nullptr;
        void Changed(TObject*) { ++*Changes; }
    } counter;
    counter.Changes = &changes;
    memo->OnChange = MakeMethod<&TCounter::Changed>(&counter);
    String line(1000, 'x');
    String text = "object Memo1: TMemo\n  Lines.Strings = (\n";
    for (int i = 0; i < 2000; ++i) text += "    '" + line + IntToStr(i) + "'\n";
    text += "  )\nend\n";
    TMemoryStream source, binary;
    source.Write(text.data(), static_cast<Int64>(text.size()));
    source.SetPosition(0);
    ObjectTextToBinary(source, binary);
    binary.SetPosition(0);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(memo);
    EXPECT_LE(changes, 2);
    ASSERT_EQ(memo->Lines()->Count(), 2000);
    EXPECT_EQ(memo->Lines()->Get(1999), line + "1999");

    // Lines added in an update block arrive in one piece too, after what was there.
    changes = 0;
    memo->Lines()->BeginUpdate();
    for (int i = 0; i < 100; ++i) memo->Lines()->Add("more");
    EXPECT_EQ(memo->Lines()->Count(), 2100);
    memo->Lines()->EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo->Lines()->Get(2000), "more");
    EXPECT_EQ(memo->Lines()->Get(1999), line + "1999");
}

TEST_F(EditTest, MemoWrapsWordsAtItsWidth) {
    TForm* form = MakeForm();
    auto* memo = Place<TMemo>(form, 10, 10, 120, 100);
    memo->SetText("one two three four five six seven eight nine ten");
    memo->SetFocus();
    Process();
    PressKey(VK_HOME);
    PressKey(VK_DOWN);
    // One hard line, several rows: Down moved within it.
    EXPECT_EQ(memo->CaretPos().Y, 0);
    EXPECT_GT(memo->CaretPos().X, 0);
    memo->SetWordWrap(false);
    PressKey(VK_DOWN);
    EXPECT_EQ(memo->CaretPos().Y, 0);
}

// ---------------------------------------------------------------------------------------------
// Check boxes and radio buttons

TEST_F(CheckTest, ClicksCycleTheStates) {
    struct TCase {
        bool allowGrayed;
        std::vector<TCheckBoxState> states;
    };
    const TCase cases[] = {
        {false, {cbChecked, cbUnchecked, cbChecked}},
        {true, {cbChecked, cbGrayed, cbUnchecked}},
    };
    TForm* form = MakeForm();
    for (const TCase& c : cases) {
        auto* box = Place<TCheckBox>(form, 10, 10);
        box->SetAllowGrayed(c.allowGrayed);
        TEventSink sink;
        box->OnClick = MakeMethod<&TEventSink::Click>(&sink);
        for (size_t i = 0; i < c.states.size(); ++i) {
            ClickAt(box, 5, 5);
            EXPECT_EQ(box->State(), c.states[i]) << "allowGrayed=" << c.allowGrayed << " click " << i;
        }
        EXPECT_EQ(sink.Clicks.size(), c.states.size());
        // Space toggles the focused box too.
        TCheckBoxState before = box->State();
        PressKey(VK_SPACE);
        EXPECT_NE(box->State(), before);
        box->Free();
    }
}

TEST_F(CheckTest, RadioButtonsOfOneParentAreOneGroup) {
    TForm* form = MakeForm();
    auto* a = Place<TRadioButton>(form, 10, 10);
    auto* b = Place<TRadioButton>(form, 10, 30);
    auto* box = Place<TGroupBox>(form, 150, 10);
    auto* c = Place<TRadioButton>(box, 10, 20);
    c->SetChecked(true);
    ClickAt(a, 5, 5);
    EXPECT_TRUE(a->Checked());
    ClickAt(b, 5, 5);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()) << "another parent is another group";
    // Clicking a checked one keeps it checked; the arrows move and check.
    ClickAt(b, 5, 5);
    EXPECT_TRUE(b->Checked());
    PressKey(VK_UP);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(a->Focused());
}

TEST_F(CheckTest, RadioGroupHasOneRealRadioButtonPerItem) {
    TForm* form = MakeForm(100, 100, 300, 250);
    auto* group = Place<TRadioGroup>(form, 10, 10, 200, 120);
    group->Items()->SetCommaText("Red,Green,Blue");
    ASSERT_EQ(group->ButtonCount(), 3);
    ASSERT_EQ(group->ControlCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TRadioButton* button = group->Buttons(i);
        EXPECT_EQ(group->Controls(i), button);
        EXPECT_EQ(button->Caption(), group->Items()->Get(i));
        if (i > 0) {
            EXPECT_GT(button->Top(), group->Buttons(i - 1)->Top()) << "in item order";
        }
    }
    TEventSink sink;
    group->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(group->Buttons(1), 5, 5);
    EXPECT_EQ(group->ItemIndex(), 1);
    ClickAt(group->Buttons(2), 5, 5);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_EQ(sink.Clicks.size(), 2u);

    // The program's choice checks the button without an event; the items rebuild the buttons.
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    EXPECT_EQ(sink.Clicks.size(), 2u);
    group->Items()->Add("Black");
    EXPECT_EQ(group->ButtonCount(), 4);
    group->Items()->Delete(0);
    group->Items()->Delete(0);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Caption(), "Blue");
    // Two columns side by side.
    group->SetColumns(2);
    EXPECT_GT(group->Buttons(1)->Left(), group->Buttons(0)->Left());
}

// ---------------------------------------------------------------------------------------------
// List boxes

struct TDrawLog : TObject {
    std::vector<int> Indexes;
    void Draw(TWinControl*, int index, const TRect&, TOwnerDrawState) { Indexes.push_back(index); }
    void Measure(TWinControl*, int index, int& height) { height = 10 + index % 3 * 10; }
};

TEST_F(ListBoxTest, OwnerDrawIsCalledOncePerVisibleItem) {
    TForm* form = MakeForm();
    auto* list = Place<TListBox>(form, 10, 10, 120, 84);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    for (int i = 0; i < 30; ++i) list->Items()->Add("Item " + IntToStr(i));
    TDrawLog log;
    list->OnDrawItem = MakeMethod<&TDrawLog::Draw>(&log);
    PumpMessages();
    int visible = list->ClientHeight() / 16 + (list->ClientHeight() % 16 ? 1 : 0);
    log.Indexes.clear();
    list->Repaint();
    std::vector<int> expected;
    for (int i = 0; i < visible; ++i) expected.push_back(i);
    EXPECT_EQ(log.Indexes, expected);

    list->SetTopIndex(10);
    log.Indexes.clear();
    list->Repaint();
    ASSERT_EQ(log.Indexes.size(), expected.size());
    EXPECT_EQ(log.Indexes.front(), 10);

    // Variable heights ask for each item's height.
    list->SetStyle(lbOwnerDrawVariable);
    list->OnMeasureItem = MakeMethod<&TDrawLog::Measure>(&log);
    list->SetTopIndex(0);
    EXPECT_EQ(list->ItemRect(1).Top, 10);
    EXPECT_EQ(list->ItemRect(2).Top, 30);
    EXPECT_EQ(list->ItemAtPos({5, 35}, true), 2);
}

TEST_F(ListBoxTest, KeyboardAndMouseSelect) {
    TForm* form = MakeForm();
    auto* list = Place<TListBox>(form, 10, 10, 120, 60);
    list->Items()->SetCommaText("apple,banana,cherry,date,elder,fig,grape,kiwi,lemon,mango");
    TEventSink sink;
    list->OnClick = MakeMethod<&TEventSink::Click>(&sink);
    ClickAt(list, 5, list->ItemRect(2).Top + 2);
    EXPECT_EQ(list->ItemIndex(), 2);
    PressKey(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 3);
    PressKey(VK_END);
    EXPECT_EQ(list->ItemIndex(), 9);
    EXPECT_LE(list->TopIndex(), 9);
    EXPECT_GE(list->ItemRect(9).Top, 0) << "the last item was scrolled into view";
    Type("b");
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(sink.Clicks.size(), 4u);
    // Deleting the selected item leaves no selection; items above it move it.
    list->Items()->Delete(1);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(3);
    list->Items()->Insert(0, "aaa");
    EXPECT_EQ(list->ItemIndex(), 4);
}

// Scroll requests as the scroll bar sends them: a line, a page (one row less than is visible, at
// least one) and the ends; the end of a scroll moves nothing.
int Page(int rows) {
    return std::max(1, rows - 1);
}

TEST_F(ListBoxTest, ScrollRequestsMoveTheTopIndexAndTheScrollBoxView) {
    TForm* form = MakeForm();
    auto* list = Place<TListBox>(form, 10, 10, 120, 100);
    for (int i = 0; i < 40; ++i) list->Items()->Add(Format("item %d", i));
    auto* box = Place<TScrollBox>(form, 150, 10, 100, 100);
    Place<TPanel>(box, 0, 0, 50, 1000);
    box->VertScrollBar()->SetIncrement(8);
    Process();
    ASSERT_GE(box->VertScrollBar()->Range(), 1000);
    int rows = list->ClientRect().Height() / list->ItemHeight();
    int listMax = 40 - rows;
    int boxPage = std::max(box->ClientHeight() - 8, 8);
    int boxMax = box->VertScrollBar()->Range() - box->ClientHeight();
    struct TCase {
        int Code, Thumb;
        int ListTop, BoxPos;
    };
    const TCase cases[] = {
        {SB_LINEDOWN, 0, 1, 8},
        {SB_PAGEDOWN, 0, 1 + Page(rows), 8 + boxPage},
        {SB_LINEUP, 0, Page(rows), boxPage},
        {SB_BOTTOM, 0, listMax, boxMax},
        {SB_PAGEUP, 0, listMax - Page(rows), boxMax - boxPage},
        {SB_TOP, 0, 0, 0},
        {SB_LINEDOWN, 0, 1, 8},
        {SB_ENDSCROLL, 0, 1, 8},
    };
    for (const TCase& c : cases) {
        SendMessage(list->Handle(), WM_VSCROLL, MAKELPARAM(c.Code, c.Thumb), 0);
        SendMessage(box->Handle(), WM_VSCROLL, MAKELPARAM(c.Code, c.Thumb), 0);
        EXPECT_EQ(list->TopIndex(), c.ListTop) << "request " << c.Code;
        EXPECT_EQ(box->VertScrollBar()->Position(), c.BoxPos) << "request " << c.Code;
    }
}

TEST_F(ListBoxTest, ExtendedMultiSelection) {
    TForm* form = MakeForm();
    auto* list = Place<TListBox>(form, 10, 10, 120, 150);
    list->SetMultiSelect(true);
    list->Items()->SetCommaText("a,b,c,d,e,f");
    auto itemY = [&](int i) { return list->ItemRect(i).Top + 2; };
    ClickAt(list, 5, itemY(1));
    Backend->InjectKeyDown(VK_SHIFT);
    ClickAt(list, 5, itemY(3));
    Backend->InjectKeyUp(VK_SHIFT);
    Process();
    EXPECT_EQ(list->SelCount(), 3);
    Backend->InjectKeyDown(VK_CONTROL);
    ClickAt(list, 5, itemY(5));
    ClickAt(list, 5, itemY(2));
    Backend->InjectKeyUp(VK_CONTROL);
    Process();
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_TRUE(list->Selected(5));
    EXPECT_FALSE(list->Selected(2));
    // Selection stays with its items when items move.
    list->Items()->Insert(0, "new");
    EXPECT_TRUE(list->Selected(6));
    EXPECT_TRUE(list->Selected(2));
    list->DeleteSelected();
    EXPECT_EQ(list->Items()->CommaText(), "new,a,c,e");
}

// ---------------------------------------------------------------------------------------------
// Combo boxes

TEST_F(ComboBoxTest, DropDownListSelectsWithTheKeyboard) {
    TForm* form = MakeForm();
    auto* combo = Place<TComboBox>(form, 10, 10);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetCommaText("Left,Right,Top,Bottom");
    TEventSink sink;
    combo->OnSelect = MakeMethod<&TEventSink::Click>(&sink);
    combo->SetFocus();
    Process();

    PressKey(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    HWND list = combo->ListBox()->Handle();
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_GE(GetWindowRect(list).Top, GetWindowRect(combo->Handle()).Bottom) << "below the combo box";
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), -1) << "nothing is chosen while the list is open";
    PressKey(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Right");
    EXPECT_EQ(sink.Clicks.size(), 1u);

    // Esc closes without choosing; Down on the closed box chooses the next item at once.
    Chord({VK_MENU}, VK_DOWN);
    EXPECT_TRUE(combo->DroppedDown());
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    PressKey(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(sink.Clicks.size(), 2u);
    // A letter picks the next item starting with it.
    Type("b");
    EXPECT_EQ(combo->Text(), "Bottom");
}

TEST_F(ComboBoxTest, MouseDropsTheListAndPicksAnItem) {
    TForm* form = MakeForm();
    auto* combo = Place<TComboBox>(form, 10, 10, 150);
    combo->Items()->SetCommaText("one,two,three");
    TEventSink sink;
    combo->OnChange = MakeMethod<&TEventSink::Click>(&sink);
    TRect button = combo->ButtonRect();
    ClickAt(combo, button.Left + 3, button.Top + 3);
    ASSERT_TRUE(combo->DroppedDown());
    TComboListBox* list = combo->ListBox();
    TRect third = list->ItemRect(2);
    ClickAt(list, 5, third.Top + 2);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "three");
    EXPECT_EQ(sink.Clicks.size(), 1u) << "OnChange stands in for OnSelect";

    // A click anywhere else closes the list without choosing.
    ClickAt(combo, button.Left + 3, button.Top + 3);
    ASSERT_TRUE(combo->DroppedDown());
    ClickAt(form, 250, 150);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboBoxTest, EditableTextFiresOnChangeAndFindsItsItem) {
    TForm* form = MakeForm();
    auto* combo = Place<TComboBox>(form, 10, 10, 150);
    combo->Items()->SetCommaText("Arial,Courier");
    TEventSink sink;
    combo->OnChange = MakeMethod<&TEventSink::Click>(&sink);
    combo->SetFocus();
    Process();
    Type("Cour");
    EXPECT_EQ(combo->Text(), "Cour");
    EXPECT_EQ(combo->ItemIndex(), -1);
    Type("ier");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(sink.Clicks.size(), 7u);
    // The program's index does not fire events.
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "Arial");
    EXPECT_EQ(sink.Clicks.size(), 7u);
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

struct TScrollLog : TObject {
    std::vector<TScrollCode> Codes;
    int Changes = 0;
    void Scroll(TObject*, TScrollCode code, int&) { Codes.push_back(code); }
    void Change(TObject*) { ++Changes; }
};

TEST_F(ScrollBarTest, ArrowsPagesThumbAndKeys) {
    TForm* form = MakeForm();
    auto* bar = Place<TScrollBar>(form, 10, 10, 200);
    bar->SetLargeChange(10);
    TScrollLog log;
    bar->OnScroll = MakeMethod<&TScrollLog::Scroll>(&log);
    bar->OnChange = MakeMethod<&TScrollLog::Change>(&log);
    ClickAt(bar, bar->Width() - 3, 5);
    EXPECT_EQ(bar->Position(), 1);
    ClickAt(bar, bar->Width() - 30, 5);
    EXPECT_EQ(bar->Position(), 11);
    ClickAt(bar, 3, 5);
    EXPECT_EQ(bar->Position(), 10);
    PressKey(VK_END);
    EXPECT_EQ(bar->Position(), 100);
    PressKey(VK_PRIOR);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(log.Changes, 5);
    // Dragging the thumb to the left end tracks, then settles at the minimum.
    bar->SetPosition(50);
    log.Codes.clear();
    int middle = bar->Width() / 2;
    Backend->Drag(ScreenPoint(bar, middle, 5), ScreenPoint(bar, 0, 5), 4);
    Process();
    EXPECT_EQ(bar->Position(), 0);
    ASSERT_FALSE(log.Codes.empty());
    EXPECT_EQ(log.Codes.front(), scTrack);
    EXPECT_EQ(log.Codes.back(), scEndScroll);
    EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
}

} // namespace
} // namespace dw::test
