// Forms made of the standard controls written and read back: every published property comes
// back, radio group buttons are not written, pages are their page control's children.
#include "StdTestUtil.h"

#include "framework/controls/forms/Timer.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"

#include <cstring>

#include <algorithm>
#include <iterator>

namespace dw::test {
namespace {

using StreamingTest = StdTest;

// Every published property of an object, nested objects included, one "path=value" per line.
void Describe(const TObject* obj, const String& path, String& out, int depth = 0) {
    if (!obj || depth > 4) return;
    for (const TPropInfo* prop : GetPropList(obj->ClassType())) {
        // The form's focus is the form's business, not the controls'.
        if (depth == 0 && path.empty() && prop->Name == "ActiveControl") continue;
        String name = path + prop->Name;
        switch (prop->Kind()) {
        case tkMethod:
            break;
        case tkClass: {
            TObject* value = GetObjectProp(obj, *prop);
            if (auto* strings = As<TStrings>(value)) {
                out += name + "=" + strings->Text() + "\n";
            } else if (auto* collection = As<TCollection>(value)) {
                out += name + ".Count=" + IntToStr(collection->Count()) + "\n";
                for (int i = 0; i < collection->Count(); ++i)
                    Describe(collection->Items(i), name + "[" + IntToStr(i) + "].", out, depth + 1);
            } else if (auto* component = As<TComponent>(value)) {
                out += name + "->" + component->Name() + "\n";
            } else if (value) {
                Describe(value, name + ".", out, depth + 1);
            }
            break;
        }
        case tkString:
        case tkLString:
        case tkWString:
            out += name + "=" + GetStrProp(obj, *prop) + "\n";
            break;
        case tkFloat:
            out += name + "=" + FloatToStr(GetFloatProp(obj, *prop)) + "\n";
            break;
        case tkInt64:
            out += name + "=" + IntToStr(GetInt64Prop(obj, *prop)) + "\n";
            break;
        default:
            if (prop->Type().IsOrdinal()) out += name + "=" + IntToStr(GetOrdProp(obj, *prop)) + "\n";
            break;
        }
    }
}

// The root's own properties (but its name, which the reader makes unique) and every component's.
String DescribeAll(TComponent* root) {
    String out;
    Describe(root, "", out);
    out.erase(0, out.find('\n') + 1);
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        String one;
        Describe(c, c->Name() + ".", one);
        auto* control = As<TControl>(c);
        TWinControl* parent = control ? control->Parent() : nullptr;
        out += c->ClassName() + " " + c->Name() + " in " +
               (parent == root ? String("(root)")
                : parent       ? parent->Name()
                               : "") +
               "\n" + one;
    }
    return out;
}

// The lines of a that b lacks and those of b that a lacks, as "-" and "+" lines.
String Diff(const String& a, const String& b) {
    auto lines = [](const String& s) {
        std::vector<String> v;
        size_t pos = 0;
        while (pos < s.size()) {
            size_t end = s.find('\n', pos);
            if (end == String::npos) end = s.size();
            v.push_back(s.substr(pos, end - pos));
            pos = end + 1;
        }
        std::sort(v.begin(), v.end());
        return v;
    };
    std::vector<String> la = lines(a), lb = lines(b), onlyA, onlyB;
    std::set_difference(la.begin(), la.end(), lb.begin(), lb.end(), std::back_inserter(onlyA));
    std::set_difference(lb.begin(), lb.end(), la.begin(), la.end(), std::back_inserter(onlyB));
    String out;
    for (const String& l : onlyA) out += "-" + l + "\n";
    for (const String& l : onlyB) out += "+" + l + "\n";
    return out;
}

String WriteText(TComponent* root) {
    TMemoryStream binary, text;
    {
        TWriter writer(binary, 4096);
        writer.WriteRootComponent(root);
    }
    binary.SetPosition(0);
    ObjectBinaryToText(binary, text);
    return String(reinterpret_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
}

TForm* ReadText(const String& text, std::vector<TObjectPtr<TForm>>& keep) {
    TMemoryStream source, binary;
    source.Write(text.data(), static_cast<Int64>(text.size()));
    source.SetPosition(0);
    ObjectTextToBinary(source, binary);
    binary.SetPosition(0);
    auto* form = New<TForm>(nullptr, CreateNew);
    keep.emplace_back(form);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(form);
    return form;
}

TEST_F(StreamingTest, AFormOfStandardControlsRoundTrips) {
    TForm* form = MakeForm(100, 100, 500, 400);
    form->SetName("Original");
    auto* label = Place<TLabel>(form, 8, 8);
    label->SetName("Label1");
    label->SetCaption("&Name:");
    label->SetAlignment(taRightJustify);
    auto* edit = Place<TEdit>(form, 80, 8, 150);
    edit->SetName("Edit1");
    edit->SetText("text");
    edit->SetMaxLength(20);
    edit->SetPasswordChar('#');
    edit->SetCharCase(ecUpperCase);
    label->SetFocusControl(edit);
    auto* memo = Place<TMemo>(form, 8, 40, 200, 80);
    memo->SetName("Memo1");
    memo->Lines()->SetCommaText("one,two,\"three four\"");
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    auto* button = Place<TButton>(form, 8, 130);
    button->SetName("Button1");
    button->SetCaption("OK");
    button->SetDefault(true);
    button->SetModalResult(mrOk);
    auto* check = Place<TCheckBox>(form, 100, 130);
    check->SetName("CheckBox1");
    check->SetAllowGrayed(true);
    check->SetState(cbGrayed);
    check->SetAlignment(taLeftJustify);
    auto* group = Place<TRadioGroup>(form, 220, 8, 150, 90);
    group->SetName("RadioGroup1");
    group->Items()->SetCommaText("a,b,c");
    group->SetItemIndex(2);
    group->SetColumns(2);
    auto* list = Place<TListBox>(form, 220, 100, 120, 80);
    list->SetName("ListBox1");
    list->Items()->SetCommaText("x,y,z");
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    list->SetMultiSelect(true);
    auto* combo = Place<TComboBox>(form, 220, 190, 120);
    combo->SetName("ComboBox1");
    combo->SetStyle(csDropDownList);
    combo->Items()->SetCommaText("Left,Right");
    combo->SetItemIndex(1);
    auto* panel = Place<TPanel>(form, 8, 200, 200, 60);
    panel->SetName("Panel1");
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    panel->SetAlignment(taLeftJustify);
    auto* radio = Place<TRadioButton>(panel, 10, 10);
    radio->SetName("RadioButton1");
    radio->SetChecked(true);
    auto* scroll = Place<TScrollBar>(form, 8, 270, 200);
    scroll->SetName("ScrollBar1");
    scroll->SetParams(30, 10, 90);
    scroll->SetKind(sbVertical);
    auto* speed = Place<TSpeedButton>(form, 220, 230);
    speed->SetName("SpeedButton1");
    speed->SetGroupIndex(3);
    speed->SetDown(true);
    speed->SetFlat(true);
    auto* bit = Place<TBitBtn>(form, 260, 230, 90);
    bit->SetName("BitBtn1");
    bit->SetKind(bkCancel);
    auto* bit2 = Place<TBitBtn>(form, 260, 260, 90);
    bit2->SetName("BitBtn2");
    bit2->SetKind(bkOK);
    bit2->SetCaption("Go");

    String text = WriteText(form);
    EXPECT_EQ(text.find(": TRadioButton"), text.rfind(": TRadioButton")) << "only the panel's radio button is written";
    EXPECT_NE(text.find("Kind = bkCancel"), String::npos);
    EXPECT_EQ(text.find("Caption = 'Cancel'"), String::npos) << "a kind's own caption is not written";
    EXPECT_NE(text.find("Caption = 'Go'"), String::npos);

    TForm* copy = ReadText(text, Forms);
    EXPECT_EQ(Diff(DescribeAll(copy), DescribeAll(form)), "");
    auto* group2 = As<TRadioGroup>(copy->FindComponent("RadioGroup1"));
    ASSERT_NE(group2, nullptr);
    ASSERT_EQ(group2->ButtonCount(), 3);
    EXPECT_TRUE(group2->Buttons(2)->Checked());
    EXPECT_EQ(As<TComboBox>(copy->FindComponent("ComboBox1"))->Text(), "Right");
    EXPECT_EQ(As<TLabel>(copy->FindComponent("Label1"))->FocusControl(), copy->FindComponent("Edit1"));
    EXPECT_EQ(As<TMemo>(copy->FindComponent("Memo1"))->Lines()->Get(2), "three four");
}

TEST_F(StreamingTest, PagesBarsAndPanelsRoundTrip) {
    TForm* form = MakeForm(100, 100, 500, 400);
    form->SetName("Original");
    auto* pages = Place<TPageControl>(form, 8, 8, 300, 200);
    pages->SetName("PageControl1");
    pages->SetTabPosition(tpBottom);
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < 3; ++i) {
        auto* sheet = New<TTabSheet>(form);
        sheet->SetName("TabSheet" + IntToStr(i + 1));
        sheet->SetPageControl(pages);
        sheet->SetCaption("Sheet " + IntToStr(i + 1));
        sheets.push_back(sheet);
    }
    sheets[1]->SetTabVisible(false);
    pages->SetActivePage(sheets[2]);
    auto* onSheet = Place<TEdit>(sheets[2], 10, 10);
    onSheet->SetName("Edit1");
    auto* tabs = Place<TTabControl>(form, 320, 8, 170, 200);
    tabs->SetName("TabControl1");
    tabs->SetTabPosition(tpLeft);
    tabs->SetMultiLine(true);
    tabs->Tabs()->SetCommaText("\"By names\",\"By categories\"");
    tabs->SetTabIndex(1);
    auto* bar = Place<TControlBar>(form, 0, 0, 500, 60);
    bar->SetName("ControlBar1");
    bar->SetAlign(alTop);
    bar->SetRowSize(30);
    bar->SetAutoSize(true);
    auto* tools = Place<TToolBar>(bar, 11, 2, 120, 26);
    tools->SetName("ToolBar1");
    tools->SetAlign(alNone);
    tools->SetFlat(true);
    tools->SetEdgeBorders({});
    tools->SetButtonWidth(24);
    tools->SetButtonHeight(24);
    for (int i = 0; i < 4; ++i) {
        auto* b = New<TToolButton>(form);
        b->SetName("ToolButton" + IntToStr(i + 1));
        b->SetBounds(1000, 0, 24, 24);
        b->SetParent(tools);
        b->SetImageIndex(i);
    }
    tools->Buttons(1)->SetStyle(tbsSeparator);
    tools->Buttons(3)->SetStyle(tbsCheck);
    tools->Buttons(3)->SetDown(true);
    auto* status = Place<TStatusBar>(form, 0, 0);
    status->SetName("StatusBar1");
    for (int i = 0; i < 2; ++i) {
        TStatusPanel* p = status->Panels()->Add();
        p->SetText("Panel " + IntToStr(i));
        p->SetWidth(70 + i);
        p->SetAlignment(taCenter);
        p->SetBevel(i ? pbRaised : pbNone);
    }
    auto* split = Place<TSplitter>(form, 0, 0);
    split->SetName("Splitter1");
    split->SetAlign(alRight);
    split->SetMinSize(45);

    String text = WriteText(form);
    TForm* copy = ReadText(text, Forms);
    EXPECT_EQ(Diff(DescribeAll(copy), DescribeAll(form)), "");
    auto* pages2 = As<TPageControl>(copy->FindComponent("PageControl1"));
    ASSERT_EQ(pages2->PageCount(), 3);
    EXPECT_EQ(pages2->ActivePage(), copy->FindComponent("TabSheet3"));
    EXPECT_EQ(pages2->Pages(0)->Name(), "TabSheet1");
    EXPECT_FALSE(pages2->Pages(0)->Visible());
    EXPECT_EQ(As<TControl>(copy->FindComponent("Edit1"))->Parent(), pages2->Pages(2));
    auto* tools2 = As<TToolBar>(copy->FindComponent("ToolBar1"));
    ASSERT_EQ(tools2->ButtonCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tools2->Buttons(i)->Name(), "ToolButton" + IntToStr(i + 1));
    // Written again, the copy gives the same text (but for the form's own focus).
    copy->SetName("Original");
    copy->SetActiveControl(nullptr);
    EXPECT_EQ(WriteText(copy), text);
}

// Each alignment group comes back in the order it was shown in, whatever order the stream holds.
TEST_F(StreamingTest, AlignedControlsKeepTheirOrderThroughAStream) {
    TForm* form = MakeForm(100, 100, 400, 300);
    form->SetName("Original");
    const TAlign aligns[] = {alBottom, alRight, alTop, alLeft};
    std::vector<std::pair<TPanel*, TPanel*>> groups;
    int n = 0;
    for (TAlign align : aligns) {
        TPanel* pair[2];
        for (int i = 0; i < 2; ++i) {
            auto* p = Place<TPanel>(form, 0, 0, 20 + n, 20 + n);
            p->SetName("Panel" + IntToStr(++n));
            // The second is put on the inner side of the first, so the stream holds the outer one first.
            if (i == 1) {
                TRect outer = pair[0]->BoundsRect();
                if (align == alBottom) p->SetTop(outer.Top - 30);
                if (align == alRight) p->SetLeft(outer.Left - 30);
                if (align == alTop) p->SetTop(outer.Bottom + 5);
                if (align == alLeft) p->SetLeft(outer.Right + 5);
            }
            p->SetAlign(align);
            pair[i] = p;
        }
        groups.emplace_back(pair[0], pair[1]);
    }
    ASSERT_LT(groups[0].second->Top(), groups[0].first->Top()) << "the second bottom panel is above the first";
    ASSERT_LT(groups[1].second->Left(), groups[1].first->Left());
    ASSERT_GT(groups[2].second->Top(), groups[2].first->Top());
    ASSERT_GT(groups[3].second->Left(), groups[3].first->Left());
    TForm* copy = ReadText(WriteText(form), Forms);
    copy->Show();
    for (auto [first, second] : groups)
        for (TPanel* p : {first, second}) {
            auto* c = As<TControl>(copy->FindComponent(p->Name()));
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->BoundsRect(), p->BoundsRect()) << p->Name().c_str();
        }
}

// The standard registration makes every component a stored form of standard controls holds known
// to the reader, those of the control core included.
TEST_F(StreamingTest, StandardRegistrationCoversTheCoreComponentsFormsHold) {
    for (const char* name : {"TImageList", "TScrollBox", "TTimer"}) {
        if (TClass cls = GetClass(name)) UnRegisterClass(cls);
        ASSERT_EQ(GetClass(name), nullptr) << name;
    }
    RegisterStandardControls();
    for (const char* name : {"TImageList", "TScrollBox", "TTimer", "TPanel"})
        EXPECT_NE(GetClass(name), nullptr) << name;
    TForm* copy = ReadText(R"(object Holder: TForm
  object ScrollBox1: TScrollBox
    Left = 8
    Top = 8
    Width = 100
    Height = 80
  end
  object ImageList1: TImageList
    Width = 20
  end
  object Timer1: TTimer
    Interval = 250
  end
end
)",
                           Forms);
    ASSERT_NE(As<TScrollBox>(copy->FindComponent("ScrollBox1")), nullptr);
    EXPECT_EQ(As<TImageList>(copy->FindComponent("ImageList1"))->Width(), 20);
    EXPECT_EQ(As<TTimer>(copy->FindComponent("Timer1"))->Interval(), 250u);
}

// A property whose value is its declared default is not written, and reading gives what the
// constructor made: so a fresh control must hold every declared default that it would store, or a
// value set to the "default" would be lost on the way through a form file.
TEST_F(StreamingTest, FreshControlsHoldTheirDeclaredDefaults) {
    TForm* form = MakeForm();
    auto* panel = Place<TPanel>(form, 0, 0, 300, 200);
    const char* classes[] = {"TLabel",       "TEdit",        "TMemo",       "TButton",     "TCheckBox",
                             "TRadioButton", "TGroupBox",    "TListBox",    "TComboBox",   "TScrollBar",
                             "TPanel",       "TSplitter",    "TRadioGroup", "TControlBar", "TBevel",
                             "TPaintBox",    "TSpeedButton", "TBitBtn",     "TTabControl", "TPageControl",
                             "TToolBar",     "TStatusBar",   "TScrollBox",  "TImageList",  "TTimer"};
    for (const char* name : classes) {
        TClass cls = FindClass(name);
        auto* component = static_cast<TComponent*>(cls->Create(form));
        if (auto* control = As<TControl>(component)) control->SetParent(panel);
        for (const TPropInfo* prop : GetPropList(cls)) {
            if (!prop->Default || !prop->IsStored(component)) continue;
            // TabOrder's -1 means "always written"; a standard list's ItemHeight follows its font
            // (only owner-drawn lists keep the value set, and they start at the default).
            if (prop->Name == "TabOrder" || prop->Name == "ItemHeight") continue;
            EXPECT_EQ(GetOrdProp(component, *prop), *prop->Default) << name << "." << prop->Name.c_str();
        }
    }
}

// Ctl3D defaults to True and is written only by a control that does not follow its parent.
TEST_F(StreamingTest, Ctl3DIsWrittenOnlyWhereItDoesNotFollowTheParent) {
    TForm* form = MakeForm();
    form->SetName("Original");
    auto* panel = Place<TPanel>(form, 0, 0, 300, 200);
    panel->SetName("Panel1");
    panel->SetCtl3D(false);
    auto* follower = Place<TEdit>(panel, 8, 8, 100);
    follower->SetName("Follower");
    auto* own = Place<TEdit>(panel, 8, 40, 100);
    own->SetName("Own");
    own->SetCtl3D(true);
    EXPECT_FALSE(follower->Ctl3D());
    const TPropInfo* prop = GetPropInfo(TEdit::StaticClass(), "Ctl3D");
    ASSERT_TRUE(prop && prop->Default);
    EXPECT_EQ(*prop->Default, 1);
    EXPECT_FALSE(prop->IsStored(follower));
    EXPECT_TRUE(prop->IsStored(own));
    String text = WriteText(form);
    EXPECT_NE(text.find(" Ctl3D = False"), String::npos);
    EXPECT_EQ(text.find(" Ctl3D = False"), text.rfind(" Ctl3D = False")) << text;
    TForm* copy = ReadText(text, Forms);
    EXPECT_FALSE(As<TEdit>(copy->FindComponent("Follower"))->Ctl3D());
    EXPECT_TRUE(As<TEdit>(copy->FindComponent("Follower"))->ParentCtl3D());
    EXPECT_TRUE(As<TEdit>(copy->FindComponent("Own"))->Ctl3D());
    EXPECT_FALSE(As<TEdit>(copy->FindComponent("Own"))->ParentCtl3D());
}

} // namespace
} // namespace dw::test

namespace dw::test {

// A form holding `depth` - 1 panels, each inside the one before: `depth` objects deep.
String NestedPanels(int depth) {
    String s = "object Form1: TForm\n  Caption = 'Deep'\n";
    for (int i = 1; i < depth; ++i)
        s += String(size_t(2 * i), ' ') + "object Panel" + IntToStr(i) + ": TPanel\n" + String(size_t(2 * i + 2), ' ') +
             "Left = 1\n";
    for (int i = depth - 1; i >= 1; --i) s += String(size_t(2 * i), ' ') + "end\n";
    return s + "end\n";
}

TEST_F(StreamingTest, ObjectsNestAsDeeplyWhenWrittenAsWhenReadOrConverted) {
    // As deep as the limit: read, written again, converted both ways.
    std::vector<TObjectPtr<TForm>> keep;
    String text = NestedPanels(MaxFilerNesting);
    TForm* form = ReadText(text, keep);
    ASSERT_NE(form->FindComponent("Panel255"), nullptr);
    String again;
    ASSERT_NO_THROW(again = WriteText(form));
    EXPECT_NE(again.find("object Panel255: TPanel"), String::npos);
    EXPECT_NO_THROW(ReadText(again, keep));

    // One level deeper fails alike everywhere, naming the limit.
    String tooDeep = NestedPanels(MaxFilerNesting + 1);
    auto limitNamed = [](const std::exception& e) { return String(e.what()).find("256") != String::npos; };
    try {
        ReadText(tooDeep, keep);
        ADD_FAILURE() << "a text form one level too deep was read";
    } catch (const Exception& e) {
        EXPECT_TRUE(limitNamed(e)) << e.Message();
    }
    auto* deepest = As<TPanel>(form->FindComponent("Panel255"));
    ASSERT_NE(deepest, nullptr);
    auto* extra = New<TPanel>(form);
    extra->SetName("Panel256");
    extra->SetParent(deepest);
    try {
        WriteText(form);
        ADD_FAILURE() << "a form one level too deep was written";
    } catch (const Exception& e) {
        EXPECT_TRUE(limitNamed(e)) << e.Message();
    }
}

} // namespace dw::test

namespace dw::test {

TEST_F(StreamingTest, GeometryBeyondTheFrameworksRangeIsRefusedByName) {
    struct TCase {
        const char* Text;
        const char* Message; // the one error reading gives, empty for none
    };
    const TCase cases[] = {
        {"object F: TForm\n  object P: TPanel\n    Width = 2147483647\n  end\nend\n",
         "Property Width: 2147483647 is out of range (0 to 1000000)"},
        {"object F: TForm\n  ClientWidth = 2147483647\nend\n",
         "Property ClientWidth: 2147483647 is out of range (0 to 1000000)"},
        {"object F: TForm\n  ClientHeight = 2147483647\nend\n",
         "Property ClientHeight: 2147483647 is out of range (0 to 1000000)"},
        {"object F: TForm\n  Left = 2147483647\nend\n",
         "Property Left: 2147483647 is out of range (-1000000 to 1000000)"},
        {"object F: TForm\n  Top = -2147483648\nend\n",
         "Property Top: -2147483648 is out of range (-1000000 to 1000000)"},
        {"object F: TForm\n  BorderWidth = 2147483647\nend\n",
         "Property BorderWidth: 2147483647 is out of range (0 to 1000000)"},
        {"object F: TForm\n  object P: TPanel\n    Left = 1000000\n    Width = 1000000\n  end\nend\n", ""},
        {"object F: TForm\n  object P: TPanel\n    Width = -5\n  end\nend\n", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TMemoryStream source, binary;
        source.Write(c.Text, static_cast<Int64>(std::strlen(c.Text)));
        source.SetPosition(0);
        ObjectTextToBinary(source, binary);
        binary.SetPosition(0);
        TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
        std::vector<String> errors;
        {
            TReader reader(binary, 4096);
            reader.OnError = [&](TReader*, const String& message, bool& handled) {
                errors.push_back(message);
                handled = true;
            };
            reader.ReadRootComponent(form.get());
        }
        if (*c.Message) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_NE(errors[0].find(c.Message), String::npos) << errors[0];
        } else {
            EXPECT_TRUE(errors.empty()) << errors.front();
        }
        // Shown and painted, with every rectangle the layout makes from it.
        form->Show();
        Process();
        EXPECT_LE(form->ClientWidth(), MaxControlCoordinate);
        EXPECT_GE(form->ClientRect().Width(), 0);
    }
}

} // namespace dw::test
