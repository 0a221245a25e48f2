// Forms written by other programs (unknown classes, later-version properties, their own text
// style) read into live components and written back with nothing lost.
#include "formfiles/FormFiles.h"
#include "framework/controls/StdReg.h"
#include "framework/controls/core/PlaceholderControl.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/forms/LoadedRoot.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/Placeholder.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/StreamFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace dw;

namespace {

String ReadData(const String& name) {
    const char* dir = std::getenv("DW_TEST_DATA");
    std::ifstream in(String(dir ? dir : "tests/formfiles/data") + "/keep/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Fill(TMemoryStream& stream, std::string_view bytes) {
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
}

String BytesOf(TMemoryStream& stream) {
    return String(reinterpret_cast<const char*>(stream.Memory()), stream.Size());
}

// The lines of a text, for comparing what changed.
std::vector<String> Lines(const String& text) {
    std::vector<String> lines;
    std::istringstream in(text);
    for (String line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of after that are not at the same place in before, and the other way round.
std::vector<String> ChangedLines(const String& before, const String& after) {
    std::vector<String> a = Lines(before), b = Lines(after), changed;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i, ++j;
        } else if (j < b.size() && std::find(a.begin() + static_cast<std::ptrdiff_t>(i), a.end(), b[j]) == a.end()) {
            changed.push_back("+" + b[j++]);
        } else if (i < a.size()) {
            changed.push_back("-" + a[i++]);
        } else {
            changed.push_back("+" + b[j++]);
        }
    }
    return changed;
}

struct KeepTest : ::testing::Test {
    void SetUp() override {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
    }
    void TearDown() override {
        Root.reset();
        SetBackend(std::make_unique<THeadlessBackend>());
    }

    // Reads a form file (text, or binary behind its header) as a program that loads forms does.
    TComponent* Load(const String& bytes) {
        TMemoryStream file;
        Fill(file, bytes);
        TMemoryStream binary;
        if (TestStreamFormat(file) == TStreamOriginalFormat::sofText) {
            ObjectTextToBinary(file, binary);
        } else {
            ReadResourceHeader(file);
            binary.WriteBuffer(file.Memory() + file.Position(), file.Size() - file.Position());
        }
        binary.SetPosition(0);
        Root.reset(CreateLoadedRoot(binary));
        file.SetPosition(0);
        TReadKeeping keeping;
        keeping.FreshRoot = true;
        ReadFormStream(
            file, Root.get(), nullptr, nullptr, [](TReader*, const String&, bool& handled) { handled = true; },
            &keeping);
        Kept = keeping.Summary;
        return Root.get();
    }
    String Save(TFormWriteMode mode = TFormWriteMode::Text) {
        TMemoryStream out;
        WriteFormStream(out, Root.get(), mode);
        return BytesOf(out);
    }
    template <class T> T* Find(const char* name) {
        TComponent* c = Root->FindComponent(name);
        EXPECT_NE(c, nullptr) << name;
        return dynamic_cast<T*>(c);
    }

    TObjectPtr<TComponent> Root;
    TKeptSummary Kept;
};

const char* const kCorpus[] = {"thirdparty.dfm", "crlf-escapes.dfm",  "utf8.dfm",
                               "datamodule.dfm", "later-version.dfm", "inherited.dfm"};

TEST_F(KeepTest, EveryFormOfTheCorpusIsWrittenBackByteForByte) {
    for (const char* name : kCorpus) {
        String original = ReadData(name);
        ASSERT_FALSE(original.empty()) << name;
        Load(original);
        EXPECT_EQ(Save(), original) << name;
    }
}

TEST_F(KeepTest, BinaryFormsAreWrittenBackByteForByte) {
    for (const char* name : kCorpus) {
        TMemoryStream text;
        Fill(text, ReadData(name));
        TMemoryStream binary;
        ObjectTextToResource(text, binary);
        String original = BytesOf(binary);
        Load(original);
        EXPECT_EQ(Save(TFormWriteMode::BinaryFile), original) << name;
    }
}

TEST_F(KeepTest, ExtendedFloatsAndOtherValueTypesOfABinaryFormAreKeptExactly) {
    // Value types this program does not write itself: an 80-bit float, a 32-bit integer that would
    // fit a byte, a wide string.
    const char* text = "object Form1: TForm1\n  Caption = 'x':WString\n  ClientHeight = 7:Int32\n"
                       "  object Gauge1: TGauge\n    Left = 1\n    Top = 2\n    Width = 30\n    Height = 40\n"
                       "    Progress = 38746.33687497685:Extended\n  end\nend\n";
    TMemoryStream in;
    Fill(in, text);
    TMemoryStream binary;
    ObjectTextToResource(in, binary);
    String original = BytesOf(binary);
    Load(original);
    EXPECT_EQ(Save(TFormWriteMode::BinaryFile), original);
}

TEST_F(KeepTest, UnknownControlsBecomePlaceholdersThatHoldTheirChildren) {
    Load(ReadData("thirdparty.dfm"));
    auto* panel = Find<TPlaceholderControl>("JvPanel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->StoredClassName(), "TJvPanel");
    EXPECT_EQ(panel->Label(), "JvPanel1: TJvPanel");
    EXPECT_EQ(panel->BoundsRect(), (TRect{8, 8, 313, 209}));
    EXPECT_EQ(panel->Parent(), Root.get());
    EXPECT_EQ(Find<TButton>("Button1")->Parent(), panel);
    auto* group = Find<TPlaceholderControl>("JvGroupBox1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Parent(), panel);
    EXPECT_EQ(Find<TPlaceholderControl>("JvEdit1")->Parent(), group);
    EXPECT_EQ(Find<TLabel>("Label1")->Parent(), group);
    // A non-visual one keeps its place as a component icon would show it.
    auto* timer = Find<TPlaceholderComponent>("JvTimer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->DesignInfo() & 0xFFFF, 432);
    EXPECT_EQ(timer->DesignInfo() >> 16, 16);
    EXPECT_EQ(Kept.Classes,
              (std::map<String, int>{{"TJvEdit", 1}, {"TJvGroupBox", 1}, {"TJvPanel", 1}, {"TJvTimer", 1}}));
}

TEST_F(KeepTest, FieldsOfAnUnknownDataSetStayInsideIt) {
    Load(ReadData("datamodule.dfm"));
    auto* dataSet = Find<TPlaceholderComponent>("Customers");
    ASSERT_NE(dataSet, nullptr);
    EXPECT_EQ(Find<TPlaceholderComponent>("CustomersName")->GetParentComponent(), dataSet);
    EXPECT_EQ(Find<TPlaceholderComponent>("Connection1")->GetParentComponent(), nullptr);
    // Freeing the data set leaves its fields at the top, written and read again.
    dataSet->Free();
    String saved = Save();
    EXPECT_EQ(saved.find("TClientDataSet"), String::npos);
    EXPECT_NE(saved.find("  object CustomersName: TStringField\n    DisplayWidth = 30\n"), String::npos) << saved;
}

TEST_F(KeepTest, UnknownPropertiesOfKnownClassesAreKeptInPlace) {
    Load(ReadData("later-version.dfm"));
    std::vector<String> expected = {"SettingsForm.Padding.Left", "SettingsForm.Padding.Top", "Panel1.AlignWithMargins",
                                    "Panel1.Margins.Left",       "Panel1.Margins.Top",       "Panel1.ParentBackground",
                                    "Panel1.ShowCaption",        "Panel1.ExplicitLeft",      "Panel1.ExplicitTop",
                                    "Panel1.ExplicitWidth"};
    for (const String& name : expected)
        EXPECT_NE(std::find(Kept.Properties.begin(), Kept.Properties.end(), name), Kept.Properties.end()) << name;
    EXPECT_EQ(Find<TPanel>("Panel1")->Caption(), "Panel1") << "known properties are applied as usual";
}

TEST_F(KeepTest, AnEditChangesOnlyWhatWasEdited) {
    String original = ReadData("thirdparty.dfm");
    Load(original);
    Find<TButton>("Button1")->SetLeft(40);
    Find<TPlaceholderControl>("JvPanel1")->SetTop(12);
    EXPECT_EQ(ChangedLines(original, Save()),
              (std::vector<String>{"+    Top = 12", "-    Top = 8", "+      Left = 40", "-      Left = 16"}));
}

TEST_F(KeepTest, ValuesChangedToTheirDefaultsAreLeftOutAndNewOnesGoAfterTheirPredecessor) {
    String original = ReadData("thirdparty.dfm");
    Load(original);
    auto* button = Find<TButton>("Button2");
    button->SetCaption("");
    button->SetHint("Go");
    std::vector<String> changed = ChangedLines(original, Save());
    EXPECT_EQ(changed, (std::vector<String>{"+    Hint = 'Go'", "-    Caption = 'After'"}));
}

TEST_F(KeepTest, ComponentsAddedAndRemovedLeaveTheRestAsItWas) {
    String original = ReadData("thirdparty.dfm");
    Load(original);
    Find<TTimer>("Timer1")->Free();
    auto* added = New<TButton>(Root.get());
    added->SetName("Added");
    added->SetParent(Find<TPlaceholderControl>("JvGroupBox1"));
    added->SetBounds(100, 24, 75, 25);
    String expected = original;
    String timer = "  object Timer1: TTimer\n    Interval = 500\n    Left = 464\n    Top = 16\n  end\n";
    expected.erase(expected.find(timer), timer.size());
    // After its predecessor among the group's children, with the tab order the group gave it.
    expected.insert(expected.find("      object Label1: TLabel"),
                    "      object Added: TButton\n        Left = 100\n        Top = 24\n        Width = 75\n"
                    "        Height = 25\n        Caption = 'Added'\n        TabOrder = 1\n      end\n");
    EXPECT_EQ(Save(), expected);
}

TEST_F(KeepTest, MergingASecondFileKeepsWhatBothHold) {
    Load(ReadData("thirdparty.dfm"));
    const char* second = "object MainForm: TMainForm\n  Caption = 'Merged'\n  ShowHint2 = True\n"
                         "  object JvPanel1: TJvPanel\n    Left = 20\n  end\n"
                         "  object Grid1: TJvDBGrid\n    Left = 8\n    Top = 220\n    Width = 200\n    Height = 90\n"
                         "    TitleFont.Height = -11\n  end\nend\n";
    TMemoryStream stream;
    Fill(stream, second);
    ReadFormStream(stream, Root.get(), nullptr, nullptr,
                   [](TReader*, const String&, bool& handled) { handled = true; });
    String saved = Save();
    // The first file's unknown items, the second's, and the first's known values the second did
    // not mention.
    for (const char* expected :
         {"  TextHeight = 13\n", "  ShowHint2 = True\n", "  Caption = 'Merged'\n", "  PixelsPerInch = 96\n",
          "    HotTrackFont.Charset = DEFAULT_CHARSET\n", "  object JvPanel1: TJvPanel\n    Left = 20\n",
          "  object Grid1: TJvDBGrid\n", "    TitleFont.Height = -11\n", "        EmptyValue = '(none)'\n"})
        EXPECT_NE(saved.find(expected), String::npos) << expected << "\n" << saved;
    EXPECT_EQ(Root->FindComponent("JvPanel1")->ComponentIndex(), 0) << "the placeholder was updated, not doubled";
}

TEST_F(KeepTest, TextStyleOfTheFileIsKeptForNewValues) {
    // CR LF line ends and escapes for characters beyond ASCII hold for values written anew.
    Load(ReadData("crlf-escapes.dfm"));
    Find<TLabel>("Label1")->SetCaption("Gr\xC3\xBC\xC3\x9F"
                                       "e");
    String saved = Save();
    EXPECT_NE(saved.find("\r\n    Caption = 'Gr'#252#223'e'\r\n"), String::npos) << saved;
    EXPECT_EQ(saved.find("\n\n"), String::npos);
    for (size_t at = saved.find('\n'); at != String::npos; at = saved.find('\n', at + 1))
        ASSERT_EQ(saved[at - 1], '\r');
}

TEST_F(KeepTest, OddFilesAreKeptExactlyOrRefusedClearly) {
    struct Case {
        const char* Name;
        String Text;
        const char* Error; // null: written back byte for byte
    };
    String nested;
    for (int i = 0; i < 10000; ++i) nested += "object A" + std::to_string(i) + ": TDeep\n";
    String big = "object Form1: TForm1\n  object Blob1: TBlob\n    Data = {\n";
    for (int i = 0; i < 32768; ++i) big += "      " + String(64, 'A') + "\n";
    big.pop_back();
    big += "}\n  end\nend\n";
    const Case cases[] = {
        {"mixed line ends", "object Form1: TForm1\r\n  Tag = 1\n  Caption = 'x'\r\n  Foo = 2\rend\n", nullptr},
        {"byte-order mark", "\xEF\xBB\xBFobject Form1: TForm1\n  Caption = 'x'\nend\n", nullptr},
        {"no final line end", "object Form1: TForm1\n  Caption = 'x'\nend", nullptr},
        {"blank after equals", "object Form1: TForm1\n  Caption =''\n  Hint = \n    'h'\nend\n", nullptr},
        {"a megabyte in a placeholder", big, nullptr},
        {"truncated end", "object Form1: TForm1\n  object Unknown1: TUnknown\n    Left = 1\n  end\n", "Line 5"},
        {"nested too deep", nested, "nested deeper than 256 levels"},
    };
    for (const Case& c : cases) {
        if (!c.Error) {
            Load(c.Text);
            EXPECT_EQ(Save(), c.Text) << c.Name;
            continue;
        }
        try {
            Load(c.Text);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.Error), String::npos) << c.Name << ": " << e.Message();
        }
    }
}

} // namespace
