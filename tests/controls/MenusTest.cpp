// Menus: shortcuts and their texts, the item tree and its streaming, the menu bar driven by mouse
// and keyboard, popup menus, shortcut dispatch and items bound to actions.
#include "MenuFixture.h"

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/MenuTracker.h"
#include "framework/platform/window/NonClient.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/Stream.h"

#include <cstring>
#include <functional>

namespace dw::test {
namespace {

// ---------------------------------------------------------------------------------------------
// Shortcuts

TEST(ShortCutTest, TextsOfTheClassicEncoding) {
    struct TCase {
        TShortCut ShortCut;
        const char* Text;
    };
    const TCase cases[] = {
        {16451, "Ctrl+C"},
        {16472, "Ctrl+X"},
        {16470, "Ctrl+V"},
        {16474, "Ctrl+Z"},
        {16449, "Ctrl+A"},
        {24666, "Shift+Ctrl+Z"},
        {46, "Del"},
        {16430, "Ctrl+Del"},
        {45, "Ins"},
        {VK_F4, "F4"},
        {scAlt | VK_F4, "Alt+F4"},
        {scCtrl | VK_UP, "Ctrl+Up"},
        {scCtrl | VK_DOWN, "Ctrl+Down"},
        {scShift | scCtrl | scAlt | 'K', "Shift+Ctrl+Alt+K"},
        {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_BACK, "BkSp"},
        {VK_NUMPAD0 + 7, "Num 7"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text) << c.ShortCut;
        EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
    }
    EXPECT_EQ(ShortCut('C', TShiftState{ssCtrl}), 16451);
    EXPECT_EQ(ShortCut('Z', TShiftState{ssShift, ssCtrl}), 24666);
}

TEST(ShortCutTest, ReadingIsForgivingAboutCaseAndSpacesButNotAboutNonsense) {
    EXPECT_EQ(TextToShortCut("ctrl + c"), 16451);
    EXPECT_EQ(TextToShortCut(" Shift+ctrl+z "), 24666);
    EXPECT_EQ(TextToShortCut("Delete"), VK_DELETE);
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_THROW(TextToShortCut("Ctrl+Banana"), EConvertError);
    EXPECT_THROW(TextToShortCut("Ctrl+"), EConvertError);
    TShortCut s = 1;
    EXPECT_FALSE(TryTextToShortCut("Hyper+Q", s));
    EXPECT_EQ(s, scNone);
    // A key code beyond a byte makes no shortcut.
    EXPECT_EQ(ShortCut(0x1234, TShiftState{ssCtrl}), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST(ShortCutTest, Accelerators) {
    EXPECT_EQ(GetHotkey("&File"), U'F');
    EXPECT_EQ(GetHotkey("Save &as"), U'A');
    EXPECT_EQ(GetHotkey("Fish && &Chips"), U'C');
    EXPECT_EQ(GetHotkey("No accelerator"), 0u);
    EXPECT_EQ(GetHotkey("Trailing &"), 0u);
    EXPECT_TRUE(IsAccel(U'f', "&File"));
    EXPECT_FALSE(IsAccel(U'i', "&File"));
    EXPECT_TRUE(IsAccel(U'ü', "Men&ü"));
    EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
}

// ---------------------------------------------------------------------------------------------
// The item tree

// Handles every reading error, so that a form whose handlers are missing still reads.
class TErrorSkipper : public TObject {
public:
    std::vector<String> Errors;
    void Skip(TReader* reader, const String& message, bool& handled) {
        (void)reader;
        Errors.push_back(message);
        handled = true;
    }
};

class MenuItemTest : public MenuTest {
protected:
    TErrorSkipper Skipper;
};

namespace {
// A form read from its text description (menus, actions and TForm registered).
TObjectPtr<TForm> ReadTextForm(const char* text,
                               std::function<void(TReader*, const String&, bool&)> onError = nullptr) {
    if (!GetClass("TForm")) RegisterClass(TForm::StaticClass());
    RegisterMenuClasses();
    RegisterActionClasses();
    TMemoryStream textStream, binary;
    textStream.Write(text, static_cast<Int64>(std::strlen(text)));
    textStream.SetPosition(0);
    ObjectTextToBinary(textStream, binary);
    binary.SetPosition(0);
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    TReader reader(binary, 4096);
    if (onError) reader.OnError = std::move(onError);
    reader.ReadRootComponent(form.get());
    return form;
}
} // namespace

TEST_F(MenuItemTest, TreeOperations) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* root = New<TMenuItem>(owner.get());
    TMenuItem* a = AddItem(root, "&Alpha");
    TMenuItem* c = AddItem(root, "Gamma");
    auto* b = New<TMenuItem>(owner.get());
    b->SetCaption("Beta");
    root->Insert(1, b);
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Items(1), b);
    EXPECT_EQ(b->Parent(), root);
    EXPECT_EQ(c->MenuIndex(), 2);
    EXPECT_EQ(root->Find("alpha"), a);
    EXPECT_EQ(root->Find("&Gamma"), c);
    EXPECT_EQ(root->Find("Delta"), nullptr);

    c->SetMenuIndex(0);
    EXPECT_EQ(root->IndexOf(c), 0);
    EXPECT_EQ(root->IndexOf(a), 1);

    // Delete takes the item out without freeing it: its owner still has it.
    root->Delete(0);
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_EQ(owner->FindComponent(c->Name()), c->Name().empty() ? nullptr : c);
    root->Add(c);

    // Errors name what is wrong.
    EXPECT_THROW(root->Add(a), EInvalidOperation); // already in a menu
    EXPECT_THROW(a->Add(root), EInvalidOperation); // into its own descendant
    EXPECT_THROW(root->Insert(7, New<TMenuItem>(owner.get())), EListError);
    EXPECT_THROW(root->Items(3), EListError);
}

TEST_F(MenuItemTest, FreeingAnItemFreesItsSubItemsAndLeavesItsParent) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* root = New<TMenuItem>(owner.get());
    TMenuItem* sub = AddItem(root, "Sub");
    AddItem(sub, "One");
    AddItem(sub, "Two");
    ASSERT_EQ(owner->ComponentCount(), 4);
    sub->Free();
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(owner->ComponentCount(), 1);
    AddItem(root, "x");
    AddItem(root, "y");
    root->Clear();
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(owner->ComponentCount(), 1);
}

TEST_F(MenuItemTest, RadioItemsOfAGroupCheckOneAtATime) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* root = New<TMenuItem>(owner.get());
    std::vector<TMenuItem*> items;
    for (const char* caption : {"Small", "Medium", "Large", "Other group"}) {
        TMenuItem* item = AddItem(root, caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        items.push_back(item);
    }
    items[3]->SetGroupIndex(2);
    items[3]->SetChecked(true);
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[2]->Checked());
    EXPECT_TRUE(items[3]->Checked()) << "another group is left alone";
    // AutoCheck on a radio item checks it (it does not toggle off).
    items[1]->SetAutoCheck(true);
    items[1]->Click();
    items[1]->Click();
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_FALSE(items[2]->Checked());
}

TEST_F(MenuItemTest, DisabledItemsDoNotClick) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* root = New<TMenuItem>(owner.get());
    TMenuItem* item = AddItem(root, "Go");
    item->SetEnabled(false);
    item->Click();
    EXPECT_TRUE(Log.Clicks.empty());
    item->SetEnabled(true);
    item->Click();
    EXPECT_EQ(Log.Clicks.size(), 1u);
}

TEST_F(MenuItemTest, MenusStreamWithTheirItemsInsideTheirParents) {
    if (!GetClass("TForm")) RegisterClass(TForm::StaticClass());
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    form->SetName("Form1");
    auto* menu = New<TMainMenu>(form.get());
    menu->SetName("MainMenu1");
    auto* list = New<TActionList>(form.get());
    list->SetName("ActionList1");
    auto* action = New<TAction>(form.get());
    action->SetName("FileOpen");
    action->SetActionList(list);
    action->SetCaption("&Open...");
    action->SetShortCut(TextToShortCut("Ctrl+O"));
    auto* file = New<TMenuItem>(form.get());
    file->SetName("File1");
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* open = New<TMenuItem>(form.get());
    open->SetName("Open1");
    open->SetAction(action);
    file->Add(open);
    auto* line = New<TMenuItem>(form.get());
    line->SetName("N1");
    line->SetCaption("-");
    file->Add(line);
    auto* flip = New<TMenuItem>(form.get());
    flip->SetName("All1");
    flip->SetAction(action);
    flip->SetCaption("All"); // the item shows its own caption, not the action's
    file->Add(flip);

    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(form.get());
    }
    // The items are written inside their parents, the action's values are not repeated.
    TMemoryStream text;
    stream.SetPosition(0);
    ObjectBinaryToText(stream, text);
    String dfm(reinterpret_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
    EXPECT_NE(dfm.find("object File1: TMenuItem"), String::npos) << dfm;
    EXPECT_LT(dfm.find("object MainMenu1"), dfm.find("object File1"));
    size_t open1 = dfm.find("object Open1");
    EXPECT_EQ(dfm.substr(open1, dfm.find("end", open1) - open1).find("Caption"), String::npos)
        << "Open1 follows its action: " << dfm;
    EXPECT_NE(dfm.find("Caption = 'All'"), String::npos) << dfm;

    TObjectPtr<TForm> copy(New<TForm>(nullptr, CreateNew));
    stream.SetPosition(0);
    TReader reader(stream, 4096);
    reader.ReadRootComponent(copy.get());
    auto* menu2 = As<TMainMenu>(copy->FindComponent("MainMenu1"));
    ASSERT_NE(menu2, nullptr);
    ASSERT_EQ(menu2->Items()->Count(), 1);
    TMenuItem* file2 = menu2->Items()->Items(0);
    EXPECT_EQ(file2->Name(), "File1");
    ASSERT_EQ(file2->Count(), 3);
    EXPECT_EQ(file2->Items(0)->Caption(), "&Open...");
    EXPECT_EQ(file2->Items(0)->ShortCut(), TextToShortCut("Ctrl+O"));
    EXPECT_EQ(file2->Items(0)->Action(), copy->FindComponent("FileOpen"));
    EXPECT_TRUE(file2->Items(1)->IsLine());
    EXPECT_EQ(file2->Items(2)->Caption(), "All");
    auto* list2 = As<TActionList>(copy->FindComponent("ActionList1"));
    ASSERT_NE(list2, nullptr);
    ASSERT_EQ(list2->ActionCount(), 1);
    EXPECT_EQ(list2->Actions(0)->Name(), "FileOpen");
}

// A main window described as the shell's is: menus bound to actions, a top-level item bound to
// an action, items with captions of their own, an action without a handler. "Filp children" is
// spelled so on purpose: stored forms and the shell use this caption.
TEST_F(MenuItemTest, AStoredMainWindowWithMenusBoundToActions) {
    const char* text = R"(object MainWindow: TForm
  Left = 235
  Top = 229
  Width = 500
  Height = 300
  Caption = 'Vornix Draftwell'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    Left = 8
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Action = FileOpen
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Action = FileExit
      end
    end
    object Design1: TMenuItem
      Caption = '&Design'
      object Filpchildren1: TMenuItem
        Caption = 'Filp children'
        object All1: TMenuItem
          Action = FlipAll
          Caption = 'All'
        end
      end
    end
    object About1: TMenuItem
      Action = DsnAbout
    end
  end
  object ActionList1: TActionList
    Left = 40
    Top = 8
    object FileOpen: TAction
      Category = 'File'
      Caption = 'Open'
      ShortCut = 16463
      OnExecute = FileOpenExecute
    end
    object FileExit: TAction
      Category = 'File'
      Caption = 'Exit'
    end
    object FlipAll: TAction
      Category = 'VX Designer'
      Caption = 'Flip all children'
      OnExecute = FileOpenExecute
    end
    object DsnAbout: TAction
      Category = 'VX Designer'
      Caption = 'About...'
      OnExecute = FileOpenExecute
    end
  end
end
)";
    // The handler is not there: the reader is told to go on without it.
    TObjectPtr<TForm> form = ReadTextForm(
        text, [this](TReader* r, const String& message, bool& handled) { Skipper.Skip(r, message, handled); });
    auto* menu = As<TMainMenu>(form->Menu());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 3);
    TMenuItem* about = menu->Items()->Items(2);
    EXPECT_EQ(about->Caption(), "About...");
    TMenuItem* all = menu->Items()->Items(1)->Items(0)->Items(0);
    EXPECT_EQ(all->Caption(), "All");
    EXPECT_EQ(menu->Items()->Items(0)->Items(0)->ShortCut(), 16463);
    form->Show();
    Application->Idle(false);
    TMenuItem* exit = menu->Items()->Items(0)->Items(2);
    EXPECT_FALSE(exit->Enabled()) << "FileExit has no handler";
    EXPECT_EQ(all->Caption(), "All") << "the idle update keeps the item's own caption";
    EXPECT_EQ(menu->ItemRect(form.get(), 2).Left, menu->ItemRect(form.get(), 1).Right);
}

TEST_F(MenuItemTest, ItemFollowsItsActionWhileTheyAgree) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* action = New<TAction>(owner.get());
    action->SetCaption("Copy");
    action->SetShortCut(16451);
    action->SetImageIndex(8);
    auto* item = New<TMenuItem>(owner.get());
    item->SetAction(action);
    EXPECT_EQ(item->Caption(), "Copy");
    EXPECT_EQ(item->ShortCut(), 16451);
    EXPECT_EQ(item->ImageIndex(), 8);
    action->SetEnabled(false);
    action->SetChecked(true);
    action->SetCaption("Copy all");
    EXPECT_FALSE(item->Enabled());
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(item->Caption(), "Copy all");
    // An item given its own caption keeps it.
    item->SetCaption("Selected");
    action->SetCaption("Flip children");
    EXPECT_EQ(item->Caption(), "Selected");
    EXPECT_TRUE(item->IsCaptionStored());
    EXPECT_FALSE(item->IsShortCutStored());
    action->Free();
    EXPECT_EQ(item->Action(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The menu bar

class MenuBarTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        Form = MakeForm(100, 100, 400, 250);
        ClientBefore = Form->ClientHeight();
        Menu = New<TMainMenu>(Form);
        File = AddItem(Menu->Items(), "&File");
        New1 = AddItem(File, "&New", TextToShortCut("Ctrl+N"));
        Open = AddItem(File, "&Open...", TextToShortCut("Ctrl+O"));
        AddItem(File, "-");
        Recent = AddItem(File, "&Recent");
        AddItem(Recent, "one.dfm");
        AddItem(Recent, "two.dfm");
        Exit = AddItem(File, "E&xit");
        Edit = AddItem(Menu->Items(), "&Edit");
        Undo = AddItem(Edit, "&Undo", TextToShortCut("Ctrl+Z"));
        Cut = AddItem(Edit, "Cu&t", TextToShortCut("Ctrl+X"));
        Cut->SetEnabled(false);
        About = AddItem(Menu->Items(), "&About");
        Form->SetMenu(Menu);
        PumpMessages();
    }
    TRect BarItem(int index) const { return Menu->ItemRect(Form, index); }

    TForm* Form = nullptr;
    int ClientBefore = 0;
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *New1 = nullptr, *Open = nullptr, *Recent = nullptr, *Exit = nullptr;
    TMenuItem *Edit = nullptr, *Undo = nullptr, *Cut = nullptr, *About = nullptr;
};

TEST_F(MenuBarTest, BarSitsInTheFrameAboveTheClientArea) {
    EXPECT_EQ(Form->ClientHeight(), ClientBefore - 19);
    TRect file = BarItem(0), edit = BarItem(1);
    TPoint clientOrigin = Form->ClientOrigin();
    EXPECT_EQ(file.Bottom, clientOrigin.Y);
    EXPECT_EQ(file.Left, clientOrigin.X);
    EXPECT_EQ(edit.Left, file.Right);
    EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(file.Left + 3, file.Top + 3)), HTMENU);
    // Taking the menu away gives the rows back.
    Form->SetMenu(nullptr);
    PumpMessages();
    EXPECT_EQ(Form->ClientHeight(), ClientBefore);
    Form->SetMenu(Menu);
    EXPECT_EQ(Form->ClientHeight(), ClientBefore - 19);
    // A hidden top-level item leaves the bar.
    Edit->SetVisible(false);
    EXPECT_EQ(BarItem(1).Left, file.Right);
    EXPECT_EQ(TFormMenuBar::Of(Form, false)->Items()[1], About);
}

// The bar lies in the frame between the caption and everything else: the client edge, the
// scroll bars and the client area are below it, and it spans the inside of the frame.
TEST_F(MenuBarTest, BarIsAboveTheScrollBarsAndSpansTheFrame) {
    Form->SetAutoScroll(false);
    Form->VertScrollBar()->SetRange(2000);
    Form->HorzScrollBar()->SetRange(2000);
    PumpMessages();
    HWND hwnd = Form->Handle();
    TNonClientLayout l = GetNonClientLayout(hwnd);
    ASSERT_FALSE(l.VScroll.IsEmpty());
    ASSERT_FALSE(l.HScroll.IsEmpty());
    TRect bar = TFormMenuBar::Of(Form, false)->BarRect();
    EXPECT_EQ(l.MenuBar, bar);
    EXPECT_EQ(bar.Height(), 19);
    EXPECT_EQ(bar.Top, l.Caption.Bottom + 1);
    EXPECT_EQ(bar.Left, l.Frame);
    EXPECT_EQ(bar.Right, Form->Width() - l.Frame);
    EXPECT_GE(l.VScroll.Top, bar.Bottom);
    EXPECT_GE(l.Client.Top, bar.Bottom);
    // The whole bar answers as the menu, past its last item too.
    TRect window = GetWindowRect(hwnd);
    EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.Left + bar.Right - 3, window.Top + bar.Top + 3)),
              HTMENU);
    EXPECT_EQ(
        SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.Left + l.VScroll.Left + 2, window.Top + bar.Bottom + 2)),
        HTVSCROLL);
    // Painted: the bar's background is the menu colour, not scroll bar or client pixels.
    Form->Repaint();
    PumpMessages();
    COLORREF menuColour = GetSysColor(COLOR_MENU);
    HDC dc = GetWindowDC(hwnd);
    EXPECT_EQ(GetPixel(dc, bar.Right - 2, bar.Top + 2), menuColour);
    EXPECT_EQ(GetPixel(dc, l.VScroll.Left + 1, bar.Top + 2), menuColour);
    ReleaseDC(hwnd, dc);
}

// A client size given before the window exists (as a stored form gives it) counts the bar.
TEST_F(MenuBarTest, AClientSizeSetBeforeTheWindowExistsCountsTheBar) {
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    auto* menu = New<TMainMenu>(form.get());
    AddItem(menu->Items(), "&File");
    form->SetMenu(menu);
    form->SetClientWidth(320);
    form->SetClientHeight(200);
    EXPECT_FALSE(form->HandleAllocated());
    form->Show();
    PumpMessages();
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_FALSE(menu->ItemRect(form.get(), 0).IsEmpty());
}

TEST_F(MenuBarTest, AStoredClientSizeCountsTheBar) {
    const char* text = R"(object MenuWindow: TForm
  Left = 50
  Top = 60
  ClientHeight = 150
  ClientWidth = 250
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
    end
  end
end
)";
    TObjectPtr<TForm> form = ReadTextForm(text);
    form->Show();
    PumpMessages();
    EXPECT_EQ(form->ClientWidth(), 250);
    EXPECT_EQ(form->ClientHeight(), 150);
    EXPECT_FALSE(As<TMainMenu>(form->Menu())->ItemRect(form.get(), 0).IsEmpty());
}

TEST_F(MenuBarTest, AMenuOwnedElsewhereGetsItsBarOnTheNextIdlePass) {
    TForm* second = MakeForm(300, 300, 300, 200);
    int before = second->ClientHeight();
    TObjectPtr<TComponent> module(New<TComponent>(nullptr));
    auto* menu = New<TMainMenu>(module.get());
    AddItem(menu->Items(), "&Tools");
    second->SetMenu(menu);
    Application->Idle(false);
    EXPECT_EQ(second->ClientHeight(), before - 19);
    EXPECT_FALSE(menu->ItemRect(second, 0).IsEmpty());
    // The menu going takes the bar with it.
    module.reset();
    PumpMessages();
    EXPECT_EQ(second->Menu(), nullptr);
    EXPECT_EQ(second->ClientHeight(), before);
}

TEST_F(MenuBarTest, ADesignedFormShowsItsBarButDoesNotOpenIt) {
    Form->SetDesigning(true, false);
    PressAt(Centre(BarItem(0)));
    ReleaseAt(Centre(BarItem(0)));
    PumpMessages();
    EXPECT_EQ(ActiveMenu(), nullptr);
    EXPECT_TRUE(OpenDropDownRects().empty());
    EXPECT_FALSE(BarItem(0).IsEmpty());
}

TEST_F(MenuBarTest, ADropDownShowsTheCurrentStateOfItsActions) {
    auto* action = New<TAction>(Form);
    action->SetCaption("&Paste");
    bool canPaste = false;
    struct TPasteState : TObject {
        bool* Can = nullptr;
        void Update(TObject* sender) { static_cast<TAction*>(sender)->SetEnabled(*Can); }
        void Execute(TObject*) {}
    } state;
    state.Can = &canPaste;
    action->OnUpdate = MakeMethod<&TPasteState::Update>(&state);
    action->OnExecute = MakeMethod<&TPasteState::Execute>(&state);
    auto* paste = New<TMenuItem>(Form);
    paste->SetAction(action);
    Edit->Add(paste);
    action->Update();
    EXPECT_FALSE(paste->Enabled());
    canPaste = true; // no idle pass between here and the drop-down
    TIdleSteps steps;
    steps.Then([&] {
        EXPECT_TRUE(paste->Enabled()) << "updated when the drop-down opened";
        QueueClick(Centre(DropDownItemRect(0, 2)));
    });
    PressAt(Centre(BarItem(1)));
    EXPECT_EQ(steps.Left(), 0);
}

TEST_F(MenuBarTest, ItemsThatDoNotFitWrapIntoAnotherRow) {
    for (int i = 0; i < 12; ++i) AddItem(Menu->Items(), "Long caption " + IntToStr(i));
    EXPECT_EQ(Form->ClientHeight() % 19, (ClientBefore - 19) % 19);
    EXPECT_LT(Form->ClientHeight(), ClientBefore - 19);
    TFormMenuBar* bar = TFormMenuBar::Of(Form, false);
    EXPECT_GT(bar->BarRect().Height(), 19);
    for (size_t i = 0; i < bar->Items().size(); ++i)
        EXPECT_LE(bar->ItemScreenRect(static_cast<int>(i)).Right, Form->ClientOrigin().X + Form->ClientWidth());
}

TEST_F(MenuBarTest, ClickOpensDropDownAndTheChosenItemClicksAfterTheMenuClosed) {
    TIdleSteps steps;
    HWND dropDown = nullptr;
    steps
        .Then([&] {
            // Opened by the press: the File drop-down shows below its bar item.
            ASSERT_EQ(OpenDropDownRects().size(), 1u);
            EXPECT_EQ(OpenDropDownRects()[0].Top, BarItem(0).Bottom);
            EXPECT_EQ(OpenDropDownRects()[0].Left, BarItem(0).Left);
            dropDown = OpenDropDownWindows()[0];
            EXPECT_TRUE(IsWindowVisible(dropDown));
            ReleaseAt(Centre(BarItem(0))); // the release on the bar item that opened it chooses nothing
        })
        .Then([&] {
            EXPECT_EQ(OpenDropDownRects().size(), 1u);
            QueueClick(Centre(DropDownItemRect(0, 1))); // Open...
        });
    PressAt(Centre(BarItem(0)));
    EXPECT_EQ(steps.Left(), 0);
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, Open);
    EXPECT_FALSE(Log.Clicks[0].MenuOpen) << "the click comes after the menu closed";
    EXPECT_FALSE(IsWindow(dropDown));
    EXPECT_EQ(ActiveMenu(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuBarTest, PointingAtAnotherBarItemSwitchesTheOpenDropDown) {
    TIdleSteps steps;
    steps
        .Then([&] {
            TPoint p = Centre(BarItem(1));
            Backend->InjectMouseMove(p.X, p.Y);
        })
        .Then([&] {
            ASSERT_EQ(OpenDropDownRects().size(), 1u);
            EXPECT_EQ(OpenDropDownRects()[0].Left, BarItem(1).Left) << "Edit's drop-down is open now";
            QueueClick(Centre(DropDownItemRect(0, 0))); // Undo
        });
    PressAt(Centre(BarItem(0)));
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, Undo);
}

TEST_F(MenuBarTest, DisabledItemsAndSeparatorsDoNotCloseTheMenu) {
    TIdleSteps steps;
    steps
        .Then([&] {
            TPoint p = Centre(BarItem(1));
            Backend->InjectMouseMove(p.X, p.Y);
        })
        .Then([&] { QueueClick(Centre(DropDownItemRect(0, 1))); }) // Cut, disabled
        .Then([&] {
            EXPECT_EQ(OpenDropDownRects().size(), 1u) << "a disabled item keeps the menu open";
            EXPECT_EQ(TMenuTracker::Active()->LevelSelected(0), 1);
            QueueKey(VK_RETURN); // nor does Enter on it close the menu
        })
        .Then([&] {
            EXPECT_EQ(OpenDropDownRects().size(), 1u);
            QueueKey(VK_ESCAPE); // closes the drop-down, the bar stays selected
        })
        .Then([&] {
            EXPECT_TRUE(OpenDropDownRects().empty());
            EXPECT_NE(ActiveMenu(), nullptr);
            QueueKey(VK_ESCAPE); // leaves the bar
        });
    PressAt(Centre(BarItem(0)));
    EXPECT_EQ(steps.Left(), 0);
    EXPECT_TRUE(Log.Clicks.empty());
    EXPECT_EQ(ActiveMenu(), nullptr);
}

TEST_F(MenuBarTest, AltAndAnAcceleratorOpenTheMenuAndTheKeyboardChoosesAnItem) {
    TIdleSteps steps;
    steps
        .Then([&] {
            ASSERT_EQ(OpenDropDownRects().size(), 1u);
            EXPECT_EQ(OpenDropDownRects()[0].Left, BarItem(0).Left) << "Alt+F opened File";
            EXPECT_EQ(TMenuTracker::Active()->LevelSelected(0), 0) << "its first item is selected";
            QueueKey(VK_DOWN); // Open...
            QueueKey(VK_DOWN); // Recent (the separator is skipped)
            QueueKey(VK_RIGHT);
        })
        .Then([&] {
            ASSERT_EQ(OpenDropDownRects().size(), 2u);
            EXPECT_EQ(OpenDropDownRects()[1].Left, OpenDropDownRects()[0].Right - 3);
            QueueKey(VK_LEFT); // back to File
        })
        .Then([&] {
            EXPECT_EQ(OpenDropDownRects().size(), 1u);
            Backend->InjectChar(U'x'); // E&xit by its accelerator (as a character)
            QueueKey('X');
        });
    Backend->InjectKeyDown(VK_MENU);
    Backend->InjectKeyDown('F');
    Backend->InjectKeyUp('F');
    Backend->InjectKeyUp(VK_MENU);
    Process();
    EXPECT_EQ(steps.Left(), 0);
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, Exit);
    EXPECT_FALSE(Log.Clicks[0].MenuOpen);
}

TEST_F(MenuBarTest, F10EntersTheBarAndArrowsMoveAlongIt) {
    TIdleSteps steps;
    steps.Then([&] {
        TFormMenuBar* bar = TFormMenuBar::Of(Form, false);
        EXPECT_EQ(bar->Selected(), 0);
        EXPECT_TRUE(OpenDropDownRects().empty());
        QueueKey(VK_RIGHT);
        QueueKey(VK_RIGHT);  // About
        QueueKey(VK_RETURN); // a bar item without a drop-down runs at once
    });
    PressKey(VK_F10);
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, About);
}

TEST_F(MenuBarTest, AltAloneEntersTheBarAndDownOpensTheSelectedItem) {
    TIdleSteps steps;
    steps
        .Then([&] {
            EXPECT_EQ(TFormMenuBar::Of(Form, false)->Selected(), 0);
            EXPECT_TRUE(OpenDropDownRects().empty());
            Backend->InjectKeyUp(VK_MENU); // releasing Alt keeps the bar
            QueueKey(VK_LEFT);             // wraps round to About
            QueueKey(VK_LEFT);             // Edit
            QueueKey(VK_DOWN);
        })
        .Then([&] {
            ASSERT_EQ(OpenDropDownRects().size(), 1u);
            EXPECT_EQ(OpenDropDownRects()[0].Left, BarItem(1).Left);
            QueueKey(VK_RETURN); // Undo, the first item
        });
    Backend->InjectKeyDown(VK_MENU);
    Process();
    EXPECT_EQ(steps.Left(), 0);
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, Undo);
}

TEST_F(MenuBarTest, AltWithAKeyThatIsNoAcceleratorGoesOnAsAShortcut) {
    auto* quit = AddItem(File, "Quit", TextToShortCut("Alt+Q"));
    Backend->InjectKeyDown(VK_MENU);
    Backend->InjectKeyDown('Q');
    Backend->InjectKeyUp('Q');
    Backend->InjectKeyUp(VK_MENU);
    Process();
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, quit);
    EXPECT_EQ(ActiveMenu(), nullptr);
}

TEST_F(MenuBarTest, ShortcutsOfItemsWorkWithoutOpeningTheMenu) {
    auto* edit = New<TTestControl>(Form);
    edit->SetParent(Form);
    edit->Record = true;
    edit->SetFocus();
    Backend->InjectKeyDown(VK_CONTROL);
    PressKey('N');
    Backend->InjectKeyUp(VK_CONTROL);
    Process();
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, New1);
    EXPECT_EQ(std::count(edit->Handled.begin(), edit->Handled.end(), WM_KEYDOWN), 1) << "only the Ctrl key reaches it";
    // A disabled item's shortcut is no shortcut: the key goes on to the control.
    Backend->InjectKeyDown(VK_CONTROL);
    PressKey('X');
    Backend->InjectKeyUp(VK_CONTROL);
    Process();
    EXPECT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(std::count(edit->Handled.begin(), edit->Handled.end(), WM_KEYDOWN), 3);
}

TEST_F(MenuBarTest, ScreenshotOfTheOpenFileMenu) {
    // Two 16 x 16 images: a red and a blue square on a magenta background.
    auto* images = New<TImageList>(Form);
    TObjectPtr<TBitmap> strip = MakeObject<TBitmap>();
    strip->SetSize(32, 16);
    strip->Canvas()->Brush()->SetColor(clFuchsia);
    strip->Canvas()->FillRect({0, 0, 32, 16});
    strip->Canvas()->Brush()->SetColor(clRed);
    strip->Canvas()->FillRect({2, 2, 14, 14});
    strip->Canvas()->Brush()->SetColor(clBlue);
    strip->Canvas()->FillRect({18, 2, 30, 14});
    images->AddMasked(strip.get(), clFuchsia);
    Menu->SetImages(images);
    New1->SetImageIndex(0);
    Exit->SetImageIndex(1);
    Exit->SetEnabled(false);
    Open->SetChecked(true);
    New1->SetDefault(true);
    TIdleSteps steps;
    steps
        .Then([&] {
            TPoint p = Centre(DropDownItemRect(0, 3)); // Recent: opens its sub-menu
            Backend->InjectMouseMove(p.X, p.Y);
        })
        .Then([&] {
            String dir = testing::TempDir();
            Backend->SaveScreenshot(dir + "menu-bar-open.png");
            std::printf("screenshot: %smenu-bar-open.png\n", dir.c_str());
            QueueKey(VK_ESCAPE);
            QueueKey(VK_ESCAPE);
            QueueKey(VK_ESCAPE);
        });
    PressAt(Centre(BarItem(0)));
    EXPECT_EQ(steps.Left(), 0);
}

// ---------------------------------------------------------------------------------------------
// Popup menus

using PopupMenuTest = MenuTest;

TEST_F(PopupMenuTest, PopupCancelsTheCaptureAndDeliversTheClickAfterClosing) {
    TForm* form = MakeForm();
    auto* control = New<TTestControl>(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 100, 50);
    control->Record = true;
    PumpMessages();
    control->SetMouseCapture(true);
    ASSERT_EQ(GetCapture(), control->Handle());

    auto* popup = New<TPopupMenu>(form);
    TMenuItem* first = AddItem(popup->Items(), "First");
    TMenuItem* second = AddItem(popup->Items(), "Second");
    TEventSink sink;
    popup->OnPopup = MakeMethod<&TEventSink::Note>(&sink);
    TIdleSteps steps;
    steps.Then([&] {
        ASSERT_EQ(OpenDropDownRects().size(), 1u);
        EXPECT_EQ(OpenDropDownRects()[0].TopLeft(), (TPoint{300, 200}));
        QueueClick(Centre(DropDownItemRect(0, 1)));
    });
    popup->Popup(300, 200);
    EXPECT_EQ(std::count(control->Handled.begin(), control->Handled.end(), WM_CANCELMODE), 1);
    EXPECT_FALSE(control->MouseCapture());
    EXPECT_EQ(sink.Log.size(), 1u) << "OnPopup";
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, second);
    EXPECT_FALSE(Log.Clicks[0].MenuOpen);
    (void)first;
}

TEST_F(PopupMenuTest, StaysOnTheScreenAndClosesOnAClickElsewhere) {
    auto* popup = New<TPopupMenu>(nullptr);
    TObjectPtr<TPopupMenu> keep(popup);
    AddItem(popup->Items(), "Something rather long to show");
    AddItem(popup->Items(), "Two");
    TIdleSteps steps;
    TRect shown;
    steps.Then([&] {
        shown = OpenDropDownRects().at(0);
        QueueClick({5, 5});
    });
    TSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    popup->Popup(screen.cx - 10, screen.cy - 10);
    EXPECT_EQ(shown.Right, screen.cx);
    EXPECT_EQ(shown.Bottom, screen.cy - 10) << "shown above the point when there is no room below";
    EXPECT_TRUE(Log.Clicks.empty());
}

TEST_F(PopupMenuTest, RightClickOnAControlShowsItsPopupMenu) {
    TForm* form = MakeForm();
    auto* control = New<TTestControl>(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 100, 50);
    auto* popup = New<TPopupMenu>(form);
    TMenuItem* item = AddItem(popup->Items(), "Customize");
    control->SetPopupMenu(popup);
    PumpMessages();
    TIdleSteps steps;
    steps.Then([&] {
        QueueKey(VK_DOWN);
        QueueKey(VK_RETURN);
    });
    ClickAt(control, 20, 20, TMouseButton::Right);
    EXPECT_EQ(popup->PopupComponent(), control);
    ASSERT_EQ(Log.Clicks.size(), 1u);
    EXPECT_EQ(Log.Clicks[0].Sender, item);
    // With AutoPopup off the right click shows nothing.
    popup->SetAutoPopup(false);
    ClickAt(control, 20, 20, TMouseButton::Right);
    EXPECT_EQ(Log.Clicks.size(), 1u);
}

TEST_F(PopupMenuTest, AnItemFreedWhileTheMenuIsOpenIsNotClicked) {
    TForm* form = MakeForm();
    auto* popup = New<TPopupMenu>(form);
    TMenuItem* doomed = AddItem(popup->Items(), "Doomed");
    AddItem(popup->Items(), "Other");
    TIdleSteps steps;
    steps.Then([&] {
        TPoint p = Centre(DropDownItemRect(0, 0));
        doomed->Free();
        QueueClick(p);
    });
    popup->Popup(200, 200);
    EXPECT_TRUE(Log.Clicks.empty());
    EXPECT_EQ(ActiveMenu(), nullptr);
}

TEST(MenuItemAdapterTest, PreparesVerbItems) {
    TObjectPtr<TComponent> owner(New<TComponent>(nullptr));
    auto* root = New<TMenuItem>(owner.get());
    TMenuItemAdapter adapter(root);
    TMenuItemAdapter verb = adapter.Add("Edit...", {}, scNone, true, false);
    adapter.AddLine(0);
    EXPECT_EQ(adapter.Count(), 2);
    EXPECT_TRUE(adapter.Items(0).IsLine());
    EXPECT_EQ(adapter.Items(1).Item(), verb.Item());
    EXPECT_TRUE(verb.Checked());
    EXPECT_FALSE(verb.Enabled());
    verb.SetVisible(false);
    EXPECT_FALSE(verb.Item()->Visible());
    EXPECT_EQ(verb.Item()->Owner(), owner.get());
    EXPECT_FALSE(adapter.Find("Missing"));
    EXPECT_EQ(adapter.Find("edit...").Item(), verb.Item());
}

} // namespace
} // namespace dw::test
