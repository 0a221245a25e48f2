// The two-pane list and the property item tree on a headless screen, driven by injected mouse
// and keyboard input.
#include "inspector/PropList.h"
#include "framework/controls/forms/Application.h"
#include "framework/controls/forms/Form.h"
#include "framework/controls/stdctrls/Button.h"
#include "framework/controls/stdctrls/Label.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/ClassInfo.h"
#include "inspector/PropertyNodes.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dw::test {

// A property list that shows the item tree of the selection, names on the left and values on
// the right, as the inspector will.
class TTestPropList : public TCustomPropList {
    DW_CLASS(TTestPropList, TCustomPropList)
    using TCustomPropList::TCustomPropList;
    TPropertyNodes* Nodes() const { return static_cast<TPropertyNodes*>(ItemRoot()); }
    int Clicks = 0;
    void Click() override {
        ++Clicks;
        TCustomPropList::Click();
    }

protected:
    std::unique_ptr<TPropListRoot> CreateRoot() override { return std::make_unique<TPropertyNodes>(this, nullptr); }
    void DrawPropCell(const TRect& rect, TPropertyItem* item, TCellType cellType, TAlignment alignment) override {
        String text = WideToUtf8(item->Caption());
        if (cellType == ctPropValue)
            if (auto* node = dynamic_cast<TPropertyNode*>(item)) {
                // Editors that draw their values (colours, brush and pen styles) do so themselves.
                if (auto* drawing = QueryIntf<ICustomPropertyDrawing>(node->PropEdit())) {
                    drawing->PropDrawValue(Canvas(), rect, false);
                    drawing->Release();
                    return;
                }
                text = GetVisualValue(node->PropEdit());
            }
        TRect r = rect;
        r.Left += 2;
        DrawCellText(Canvas(), r, text, alignment);
    }
};
DW_DEFINE_CLASS(TTestPropList) {}

// Rows without a tree: the bare two-pane list.
class TPlainDualList : public TDualList {
    DW_CLASS(TPlainDualList, TDualList)
    using TDualList::TDualList;
};
DW_DEFINE_CLASS(TPlainDualList) {}

class PropListTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<THeadlessBackend>();
        Backend = backend.get();
        SetBackend(std::move(backend));
        Form.reset(New<TForm>(nullptr, CreateNew));
        Form->SetName("Form1");
        Form->SetBounds(50, 50, 420, 420);
        Button1 = New<TButton>(Form.get());
        Button1->SetName("Button1");
        Button1->SetParent(Form.get());
        Button2 = New<TButton>(Form.get());
        Button2->SetName("Button2");
        Button2->SetLeft(90);
        Button2->SetParent(Form.get());
        Label1 = New<TLabel>(Form.get());
        Label1->SetName("Label1");
        Label1->SetParent(Form.get());
        List = New<TTestPropList>(Form.get());
        List->SetBounds(200, 0, 200, 300);
        List->Nodes()->SetEditorRegistry(&Registry);
        List->SetParent(Form.get());
        Form->Show();
        Process();
    }
    void TearDown() override {
        Form.reset();
        SetBackend(std::make_unique<THeadlessBackend>());
    }
    void Process() {
        PumpMessages();
        Application->ProcessMessages();
    }
    void Show(std::initializer_list<TPersistent*> objects) {
        TInterfacePtr<IDesignerSelections> selection = TDesignerSelections::Make();
        for (TPersistent* o : objects) selection->Add(o);
        List->Nodes()->Rebuild(selection.get(), nullptr);
        Process();
    }
    // A fresh press at a client point of the list, never half of a double click.
    void ClickList(int x, int y) {
        Backend->SkipTime(1000);
        TPoint p = List->ClientToScreen(TPoint{x, y});
        Backend->Click(p.X, p.Y);
        Process();
    }
    void Key(int vk, bool ctrl = false) {
        if (ctrl) Backend->InjectKeyDown(VK_CONTROL);
        Backend->PressKey(vk);
        if (ctrl) Backend->InjectKeyUp(VK_CONTROL);
        Process();
    }
    int RowOf(const String& path) {
        for (int i = 0; i < List->Nodes()->VisibleCount(); ++i)
            if (List->Nodes()->VisibleItem(i)->Path() == path) return i;
        return -1;
    }
    TPoint RowPoint(int row, int x = 40) { return {x, (row - List->TopItem()) * List->ItemHeight() + 8}; }
    COLORREF Pixel(int x, int y) {
        TPoint p = List->ClientToScreen(TPoint{x, y});
        TSurface shot = Backend->Screenshot();
        return ColorFromPixel(shot.Pixel(p.X, p.Y));
    }

    THeadlessBackend* Backend = nullptr;
    TEditorRegistry Registry;
    TObjectPtr<TForm> Form;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label1 = nullptr;
    TTestPropList* List = nullptr;
};

TEST_F(PropListTest, EmptyListHasNoRowsNoSelectionAndNoEditor) {
    Show({});
    EXPECT_EQ(List->ItemCount(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_FALSE(List->Editor()->Visible());
    // No grid line and no split line: the client area is all background.
    EXPECT_EQ(Pixel(List->SplitPos(), 5), Pixel(10, 5));
    EXPECT_EQ(Pixel(11, List->ItemHeight() - 1), Pixel(10, 5));
}

TEST_F(PropListTest, TreeOfOneButtonListsItsPropertiesByName) {
    Show({Button1});
    int rows = List->ItemCount();
    ASSERT_GT(rows, 10);
    EXPECT_EQ(rows, List->Nodes()->VisibleCount());
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_TRUE(List->Editor()->Visible());
    for (int i = 1; i < rows; ++i)
        EXPECT_LT(CompareText(List->Nodes()->VisibleItem(i - 1)->GetName(), List->Nodes()->VisibleItem(i)->GetName()),
                  0);
    EXPECT_GE(RowOf("\\Caption"), 0);
    EXPECT_EQ(RowOf("\\OnClick"), -1) << "events are not properties";
    List->Nodes()->TypeSelector = tsEvents;
    Show({Button1});
    EXPECT_GE(RowOf("\\OnClick"), 0);
    EXPECT_EQ(RowOf("\\Caption"), -1);
    // Two objects: the common properties only.
    List->Nodes()->TypeSelector = tsProperties;
    Show({Button1, Label1});
    EXPECT_GE(RowOf("\\Caption"), 0);
    EXPECT_EQ(RowOf("\\Name"), -1);
}

// A click on the folding icon expands a node and shows its sub-properties; another collapses it.
TEST_F(PropListTest, FoldingIconExpandsAndCollapses) {
    Show({Button1});
    int font = RowOf("\\Font");
    ASSERT_GE(font, 0);
    int rows = List->ItemCount();
    List->SetTopItem(font);
    Process();
    TPropertyItem* item = List->Nodes()->VisibleItem(font);
    int indent = List->Indent(item);
    ClickList(indent - 7, RowPoint(font).Y);
    EXPECT_TRUE(item->Expanded());
    EXPECT_GT(List->ItemCount(), rows);
    EXPECT_EQ(RowOf("Font\\Size"), font + RowOf("Font\\Size") - font);
    EXPECT_GT(RowOf("Font\\Size"), font);
    EXPECT_EQ(List->Nodes()->VisibleItem(RowOf("Font\\Size"))->Level(), 1);
    ClickList(indent - 7, RowPoint(font).Y);
    EXPECT_FALSE(item->Expanded());
    EXPECT_EQ(List->ItemCount(), rows);
    EXPECT_EQ(RowOf("Font\\Size"), -1);
    // A double click on the name expands as well.
    TPoint p = List->ClientToScreen(RowPoint(font, 60));
    Backend->DoubleClick(p.X, p.Y);
    Process();
    EXPECT_TRUE(item->Expanded());
}

// A rebuild makes new items but expands the same paths again and keeps the top row and the
// selected row.
TEST_F(PropListTest, RebuildKeepsExpansionTopRowAndSelectionByPath) {
    Show({Button1});
    int font = RowOf("\\Font");
    List->Nodes()->VisibleItem(font)->SetExpanded(true);
    Process();
    int size = RowOf("Font\\Size");
    List->SetItemIndex(size);
    List->SetTopItem(3);
    Process();
    TPropertyItem* before = List->Nodes()->VisibleItem(size);
    Button1->Font()->SetSize(20);
    Show({Button1});
    EXPECT_EQ(List->TopItem(), 3);
    EXPECT_EQ(List->ItemIndex(), RowOf("Font\\Size"));
    TPropertyItem* after = List->Selected();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before) << "items are made anew";
    EXPECT_TRUE(after->IsSame(after));
    EXPECT_EQ(GetVisualValue(static_cast<TPropertyNode*>(after)->PropEdit()), "20");
    EXPECT_TRUE(List->Nodes()->VisibleItem(RowOf("\\Font"))->Expanded());
}

// Clicking rows selects them; the keys move the selection within the rows.
TEST_F(PropListTest, MouseAndKeysMoveTheSelection) {
    Show({Button1});
    ClickList(30, RowPoint(3).Y);
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_TRUE(List->Editor()->Focused()) << "the focus goes on to the editor";
    int clicks = List->Clicks;
    Key(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_EQ(List->Clicks, clicks + 1) << "a new row fires the click event";
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(List->ItemIndex(), 2);
    Key(VK_NEXT);
    EXPECT_EQ(List->ItemIndex(), 2 + List->VisibleRows());
    Key(VK_END, true);
    EXPECT_EQ(List->ItemIndex(), List->ItemCount() - 1);
    EXPECT_EQ(List->TopItem(), List->ItemCount() - List->VisibleRows());
    Key(VK_HOME);
    EXPECT_EQ(List->ItemIndex(), List->ItemCount() - 1) << "Home without Ctrl does nothing";
    Key(VK_HOME, true);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->TopItem(), 0);
    // Scrolled away with the wheel, any other key brings the selection back into view.
    for (int i = 0; i < 8; ++i) {
        TPoint p = List->ClientToScreen(TPoint{50, 50});
        Backend->InjectMouseMove(p.X, p.Y);
        Backend->InjectMouseWheel(-120);
    }
    Process();
    EXPECT_EQ(List->TopItem(), 8);
    Key(VK_RIGHT);
    EXPECT_EQ(List->TopItem(), 0);
}

// The split follows a drag that starts near it, keeping the offset of the press; values that
// leave less than 20 pixels on either side are ignored.
TEST_F(PropListTest, SplitDragKeepsItsOffsetAndLimits) {
    Show({Button1});
    List->SetItemIndex(5);
    Process();
    TPoint from = List->ClientToScreen(TPoint{List->SplitPos() + 2, RowPoint(1).Y});
    TPoint to = List->ClientToScreen(TPoint{List->SplitPos() + 32, RowPoint(1).Y});
    Backend->SkipTime(1000);
    Backend->Drag(from, to);
    Process();
    EXPECT_EQ(List->SplitPos(), 130);
    EXPECT_EQ(List->ItemIndex(), 5) << "a press at the split selects no row";
    EXPECT_EQ(List->Editor()->Left(), 133);
    List->SetSplitPos(19);
    EXPECT_EQ(List->SplitPos(), 130);
    List->SetSplitPos(List->Width() - 19);
    EXPECT_EQ(List->SplitPos(), 130);
    List->SetSplitPos(List->Width() - 20);
    EXPECT_EQ(List->SplitPos(), List->Width() - 20);
}

// Dragging below the rows with the button down scrolls one row per timer tick, selecting the
// row that comes into view; releasing stops it.
TEST_F(PropListTest, DraggingOutsideTheRowsAutoScrolls) {
    Show({Button1});
    Backend->SkipTime(1000);
    TPoint press = List->ClientToScreen(RowPoint(2));
    Backend->InjectMouseMove(press.X, press.Y);
    Backend->InjectMouseDown();
    Process();
    EXPECT_EQ(List->ItemIndex(), 2);
    TPoint below = List->ClientToScreen(TPoint{40, List->ClientHeight() + 20});
    Backend->InjectMouseMove(below.X, below.Y);
    Process();
    EXPECT_TRUE(List->ScrollTimer()->Enabled());
    int rows = List->VisibleRows();
    Backend->AdvanceTime(5);
    Process();
    EXPECT_EQ(List->ItemIndex(), rows);
    EXPECT_EQ(List->TopItem(), 1);
    Backend->AdvanceTime(5);
    Process();
    EXPECT_EQ(List->ItemIndex(), rows + 1);
    Backend->InjectMouseUp();
    Process();
    EXPECT_FALSE(List->ScrollTimer()->Enabled());
    Backend->AdvanceTime(50);
    Process();
    EXPECT_EQ(List->ItemIndex(), rows + 1);
}

// Counts the editor's double clicks.
struct TDblClickCounter : TObject {
    int Count = 0;
    void DblClick(TObject*) { ++Count; }
};

// The first click of a double click on another row moves the editor under the mouse; the
// second lands on the editor, which takes it as its double click.
TEST_F(PropListTest, DoubleClickOnANewRowReachesTheEditor) {
    Show({Button1});
    TDblClickCounter counter;
    List->Editor()->OnDblClick = TNotifyEvent(MakeMethod<&TDblClickCounter::DblClick>(&counter));
    TPoint p = List->ClientToScreen(RowPoint(4, List->SplitPos() + 30));
    Backend->SkipTime(1000);
    Backend->Click(p.X, p.Y);
    Process();
    EXPECT_EQ(List->ItemIndex(), 4);
    Backend->SkipTime(100);
    Backend->Click(p.X, p.Y);
    Process();
    EXPECT_EQ(counter.Count, 1);
    // A second click long after is a click of its own.
    Backend->SkipTime(5000);
    Backend->Click(p.X, p.Y);
    Process();
    EXPECT_EQ(counter.Count, 1);
    List->Editor()->OnDblClick.Clear();
}

namespace {
struct TIndexCase {
    int Requested;
    int Expected;
};
} // namespace

TEST_F(PropListTest, SelectionIsClampedIntoTheRows) {
    auto* plain = New<TPlainDualList>(Form.get());
    plain->SetItemCount(10);
    plain->SetItemIndex(4);
    EXPECT_EQ(plain->ItemIndex(), -1) << "without a window the index stays";
    plain->SetParent(Form.get());
    Process();
    const TIndexCase cases[] = {{-5, 0}, {13, 9}, {4, 4}};
    for (auto c : cases) {
        plain->SetItemIndex(c.Requested);
        EXPECT_EQ(plain->ItemIndex(), c.Expected) << c.Requested;
    }
    plain->SetItemCount(3);
    EXPECT_EQ(plain->ItemIndex(), 2) << "shrinking below the selection selects the last row";
    plain->SetItemCount(0);
    EXPECT_EQ(plain->ItemIndex(), -1);
    plain->SetItemCount(5);
    EXPECT_EQ(plain->ItemIndex(), 0) << "growing an empty list selects the first row";
}

// Colour values are drawn by their editor: a swatch of the colour, then its name.
TEST_F(PropListTest, ColourValuesShowASwatch) {
    Label1->SetColor(clRed);
    Show({Label1});
    int row = RowOf("\\Color");
    ASSERT_GE(row, 0);
    List->SetTopItem(row);
    List->SetItemIndex(row + 1);
    Process();
    TPoint swatch = RowPoint(row, List->SplitPos() + 2 + List->ItemHeight() / 2);
    EXPECT_EQ(Pixel(swatch.X, swatch.Y), ColorToRGB(clRed));
    const char* dir = std::getenv("DW_SCREENSHOT_DIR");
    if (dir) Backend->SaveWindowScreenshot(Form->Handle(), String(dir) + "/proplist-colour.png");
}

// Writes the list as the user sees it, for people to look at.
TEST_F(PropListTest, Screenshot) {
    Show({Button1});
    List->Nodes()->VisibleItem(RowOf("\\Font"))->SetExpanded(true);
    List->SetItemIndex(RowOf("Font\\Size"));
    List->SetTopItem(RowOf("\\Font") - 2);
    Process();
    const char* dir = std::getenv("DW_SCREENSHOT_DIR");
    if (dir) Backend->SaveWindowScreenshot(Form->Handle(), String(dir) + "/proplist.png");
    // The selected name cell is highlighted; a value cell is not.
    TPoint sel = RowPoint(List->ItemIndex(), List->SplitPos() - 10);
    EXPECT_EQ(Pixel(sel.X, sel.Y), ColorToRGB(clHighlight));
}

} // namespace dw::test
