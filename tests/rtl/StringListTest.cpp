#include "framework/rtl/StringList.h"
#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace dw;

namespace {

// The lines as "a|b|c", to compare whole lists at once.
String Joined(const TStrings& list) {
    String out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "|" : "") + list.Strings(i);
    return out;
}

void SetLines(TStrings& list, std::initializer_list<const char*> lines) {
    list.Clear();
    for (const char* s : lines) list.Add(s);
}

// Counts change events and remembers the line count each one saw.
class TChangeCounter : public TObject {
    DW_CLASS(TChangeCounter, TObject)
    void Changing(TObject* sender) {
        ++FChanging;
        FCountAtChanging = static_cast<TStrings*>(sender)->Count();
    }
    void Changed(TObject* sender) {
        ++FChanged;
        FCountAtChanged = static_cast<TStrings*>(sender)->Count();
    }
    void Watch(TStringList& list) {
        list.SetOnChanging(MakeMethod<&TChangeCounter::Changing>(this));
        list.SetOnChange(MakeMethod<&TChangeCounter::Changed>(this));
    }
    int FChanging = 0, FChanged = 0, FCountAtChanging = -1, FCountAtChanged = -1;
};

class TPlainPersistent : public TPersistent {
    DW_CLASS(TPlainPersistent, TPersistent)
};

class TOwnedThing : public TObject {
    DW_CLASS(TOwnedThing, TObject)
    TOwnedThing(String name, String* log) : FName(std::move(name)), FLog(log) {}
    ~TOwnedThing() override { *FLog += FName + ";"; }

private:
    String FName;
    String* FLog;
};

// A component publishing a list of lines, the way a memo does.
class TMemoLike : public TComponent {
    DW_CLASS(TMemoLike, TComponent)
    explicit TMemoLike(TComponent* owner) : TComponent(owner), FLines(MakeObject<TStringList>()) {}
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value) { FLines->Assign(value); }

private:
    TObjectPtr<TStringList> FLines;
};

// Records what DefineProperties declares.
class TProbeFiler : public TFiler {
    DW_CLASS(TProbeFiler, TFiler)
    explicit TProbeFiler(TStream& stream) : TFiler(stream, 0) {}
    void DefineProperty(const String& name, const TReaderProc&, const TWriterProc&, bool hasData) override {
        Declared += Format("%s:%s;", name, hasData ? "data" : "none");
    }
    void DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc&, bool) override {
        Declared += "binary " + name + ";";
    }
    String Declared;
};

bool StreamContains(const TMemoryStream& stream, const String& text) {
    auto& bytes = stream.Bytes();
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

} // namespace

DW_DEFINE_CLASS(TMemoLike) {
    c.Property("Lines", &TMemoLike::Lines, &TMemoLike::SetLines);
}
DW_DEFINE_CLASS(TProbeFiler) {}
DW_DEFINE_CLASS(TChangeCounter) {}
DW_DEFINE_CLASS(TOwnedThing) {}
DW_DEFINE_CLASS(TPlainPersistent) {}

TEST(StringList, EditingKeepsObjectsWithTheirLines) {
    TStringList list;
    TObject* one = reinterpret_cast<TObject*>(&list); // any distinct pointers will do
    TObject* two = reinterpret_cast<TObject*>(&one);
    list.Add("alpha");
    list.AddObject("beta", one);
    list.InsertObject(0, "gamma", two);
    list.Put(2, "BETA");
    EXPECT_EQ(Joined(list), "gamma|alpha|BETA");
    EXPECT_EQ(list.Objects(2), one);
    list.Exchange(0, 2);
    EXPECT_EQ(Joined(list), "BETA|alpha|gamma");
    EXPECT_EQ(list.Objects(0), one);
    list.Move(0, 2);
    EXPECT_EQ(Joined(list), "alpha|gamma|BETA");
    EXPECT_EQ(list.Objects(1), two);
    EXPECT_EQ(list.IndexOfObject(one), 2);
    list.Delete(1);
    EXPECT_EQ(Joined(list), "alpha|BETA");
    EXPECT_EQ(list.IndexOfObject(two), -1);
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
    TStringList list;
    SetLines(list, {"Alpha", "beta", "BETA"});
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    EXPECT_EQ(list.IndexOf("Beta"), 1);
    EXPECT_EQ(list.IndexOf("delta"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_EQ(list.IndexOf("BETA"), 2);
}

TEST(StringList, IndexErrorsRaiseStringListError) {
    struct Case {
        const char* what;
        std::function<void(TStringList&)> call;
        int index;
    } cases[] = {
        {"Strings", [](TStringList& l) { l.Strings(2); }, 2},
        {"Objects", [](TStringList& l) { l.Objects(-1); }, -1},
        {"Put", [](TStringList& l) { l.Put(2, "x"); }, 2},
        {"PutObject", [](TStringList& l) { l.PutObject(5, nullptr); }, 5},
        {"Delete", [](TStringList& l) { l.Delete(2); }, 2},
        {"Insert", [](TStringList& l) { l.Insert(3, "x"); }, 3},
        {"Exchange", [](TStringList& l) { l.Exchange(0, 2); }, 2},
        {"Move", [](TStringList& l) { l.Move(-1, 0); }, -1},
    };
    for (auto& c : cases) {
        TStringList list;
        SetLines(list, {"a", "b"});
        try {
            c.call(list);
            ADD_FAILURE() << c.what << " did not raise";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), Format("List index out of bounds (%d)", c.index)) << c.what;
        }
        EXPECT_EQ(Joined(list), "a|b") << c.what;
    }
}

TEST(StringList, SortedAddFollowsDuplicatesMode) {
    struct Case {
        TDuplicates mode;
        const char* expected;
        int indexOfSecondB;
    } cases[] = {
        {dupIgnore, "a|b|c", 1},
        // Equal lines keep the order they came in.
        {dupAccept, "a|b|B|b|c", 2},
        {dupError, "a|b|c", -1},
    };
    for (auto& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.mode);
        for (const char* s : {"c", "b", "a"}) list.Add(s);
        if (c.mode == dupError) {
            try {
                list.Add("B");
                ADD_FAILURE() << "dupError accepted a duplicate";
            } catch (const EStringListError& e) {
                EXPECT_EQ(e.Message(), "String list does not allow duplicates");
            }
        } else {
            EXPECT_EQ(list.Add("B"), c.indexOfSecondB);
            list.Add("b");
        }
        EXPECT_EQ(Joined(list), c.expected) << GetEnumName(TypeInfoOf<TDuplicates>(), c.mode);
    }
}

TEST(StringList, FindGivesPositionOfLineOrOfItsPlace) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const char* s : {"d", "b", "f", "b"}) list.Add(s);
    int index = -1;
    EXPECT_TRUE(list.Find("B", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find("c", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("z", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("F"), 3);
}

TEST(StringList, SortedListRefusesChangesThatBreakItsOrder) {
    std::function<void(TStringList&)> calls[] = {
        [](TStringList& l) { l.Put(0, "z"); },
        [](TStringList& l) { l.Insert(0, "z"); },
        [](TStringList& l) { l.Exchange(0, 1); },
        [](TStringList& l) { l.Move(0, 1); },
        [](TStringList& l) { l.CustomSort([](TStringList*, int, int) { return 0; }); },
    };
    for (auto& call : calls) {
        TStringList list;
        list.SetSorted(true);
        SetLines(list, {"b", "a"});
        EXPECT_THROW(call(list), EStringListError);
        EXPECT_EQ(Joined(list), "a|b");
    }
}

TEST(StringList, SortingOrdersAndCaseSensitivityResorts) {
    TStringList list;
    SetLines(list, {"b", "C", "a", "B"});
    list.Sort();
    EXPECT_EQ(Joined(list), "a|b|B|C");
    list.CustomSort([](TStringList* l, int i, int j) { return CompareText(l->Strings(j), l->Strings(i)); });
    EXPECT_EQ(Joined(list), "C|b|B|a");
    list.SetSorted(true);
    EXPECT_EQ(Joined(list), "a|b|B|C");
    list.SetCaseSensitive(true); // upper case sorts before lower case byte-wise
    EXPECT_EQ(Joined(list), "B|C|a|b");
}

TEST(StringList, NameValueHelpers) {
    TStringList list;
    SetLines(list, {"Width=120", "caption=Hello = World", "plain", "=nameless", "Empty="});
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(1), "Hello = World");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.Values("WIDTH"), "120");
    EXPECT_EQ(list.Values("Caption"), "Hello = World");
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.Values(""), "nameless");
    EXPECT_EQ(list.IndexOfName("empty"), 4);
    EXPECT_EQ(list.IndexOfName("missing"), -1);

    list.SetValue("width", "300");
    list.SetValue("Height", "40");
    list.SetValue("Caption", "");
    EXPECT_EQ(Joined(list), "width=300|plain|=nameless|Empty=|Height=40");
    list.SetValueFromIndex(4, "41");
    EXPECT_EQ(list.Strings(4), "Height=41");
    list.SetNameValueSeparator(':');
    list.SetValue("Top", "5");
    EXPECT_EQ(list.Values("top"), "5");
    EXPECT_EQ(list.Strings(5), "Top:5");
}

TEST(StringList, SettingAValueInASortedListKeepsItSorted) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"a=1", "b=2", "c=3"}) list.Add(s);
    list.SetValue("A", "9");
    EXPECT_EQ(Joined(list), "A=9|b=2|c=3");
    list.SetValue("b", "");
    EXPECT_EQ(Joined(list), "A=9|c=3");
    list.SetValue("0", "x");
    EXPECT_EQ(Joined(list), "0=x|A=9|c=3");
}

TEST(StringList, TextSplitsOnEveryLineBreakAndJoinsWithLineFeed) {
    struct Case {
        const char* text;
        const char* lines;
        int count;
    } cases[] = {
        {"a\r\nb\nc\rd", "a|b|c|d", 4}, {"a\n", "a", 1},         {"a\n\n", "a|", 2}, {"\n", "", 1}, {"", "", 0},
        {"a\r\rb", "a||b", 3},          {"a\n\r\nb", "a||b", 3},
    };
    for (auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Joined(list), c.lines) << c.text;
        EXPECT_EQ(list.Count(), c.count) << c.text;
        // What Text gives, SetText takes back unchanged.
        TStringList copy;
        copy.SetText(list.Text());
        EXPECT_TRUE(copy.Equals(&list)) << c.text;
    }
    TStringList list;
    SetLines(list, {"one", "", "three"});
    EXPECT_EQ(list.Text(), "one\n\nthree\n");
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndRoundTrips) {
    struct Case {
        std::vector<String> lines;
        const char* text;
    } cases[] = {
        {{"a", "b", "c"}, "a,b,c"},
        {{"two words", "comma,inside", "say \"hi\"", "tab\there"},
         "\"two words\",\"comma,inside\",\"say \"\"hi\"\"\",\"tab\there\""},
        {{""}, "\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{"a", ""}, "a,"},
        {{"", "a"}, ",a"},
        {{"Gr\xC3\xBC\xC3\x9F"
          "e"},
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
        {{}, ""},
    };
    for (auto& c : cases) {
        TStringList list;
        for (auto& s : c.lines) list.Add(s);
        EXPECT_EQ(list.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_TRUE(back.Equals(&list)) << c.text << " read back as " << Joined(back);
    }
}

TEST(StringList, CommaTextReadingSplitsOnBlanksOutsideQuotes) {
    struct Case {
        const char* text;
        const char* lines;
    } cases[] = {
        {"a b,c", "a|b|c"},        {"  a ,  b  ", "a|b"},
        {"\"a b\"c,d", "a b|c|d"}, {"\"unterminated, still read", "unterminated, still read"},
        {"\"\"\"\"", "\""},
    };
    for (auto& c : cases) {
        TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(Joined(list), c.lines) << c.text;
    }
}

TEST(StringList, DelimitedTextUsesDelimiterQuoteCharAndStrictness) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    SetLines(list, {"a b", "it's", "x;y", "plain"});
    EXPECT_EQ(list.DelimitedText(), "'a b';'it''s';'x;y';plain");
    TStringList back;
    back.SetDelimiter(';');
    back.SetQuoteChar('\'');
    back.SetDelimitedText(list.DelimitedText());
    EXPECT_TRUE(back.Equals(&list)) << Joined(back);
    // CommaText is unaffected by the delimiter settings.
    EXPECT_EQ(list.CommaText(), "\"a b\",it's,x;y,plain");

    list.SetStrictDelimiter(true);
    SetLines(list, {" padded ", "two words", "x;y"});
    EXPECT_EQ(list.DelimitedText(), " padded ;two words;'x;y'");
    back.SetStrictDelimiter(true);
    back.SetDelimitedText(list.DelimitedText());
    EXPECT_TRUE(back.Equals(&list)) << Joined(back);
}

class StringListFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dw-stringlist-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        FDir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    String Path(const char* name) const { return FDir + "/" + name; }
    static String Contents(const String& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    String FDir;
};

TEST_F(StringListFile, SavesUtf8AndLoadsWithOrWithoutByteOrderMark) {
    TStringList list;
    SetLines(list, {"Gr\xC3\xBC\xC3\x9F"
                    "e",
                    "", "last"});
    list.SaveToFile(Path("a.txt"));
    EXPECT_EQ(Contents(Path("a.txt")), "Gr\xC3\xBC\xC3\x9F"
                                       "e\n\nlast\n");
    TStringList back;
    back.LoadFromFile(Path("a.txt"));
    EXPECT_TRUE(back.Equals(&list));

    std::ofstream(Path("bom.txt"), std::ios::binary) << "\xEF\xBB\xBF"
                                                        "first\r\nsecond\r\n";
    back.LoadFromFile(Path("bom.txt"));
    EXPECT_EQ(Joined(back), "first|second");
    EXPECT_THROW(back.LoadFromFile(Path("missing.txt")), EFOpenError);
}

TEST(StringList, LoadsFromTheStreamPositionOn) {
    TStringStream stream("skip|one\ntwo");
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Joined(list), "one|two");
    TStringStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "one\ntwo\n");
}

TEST(StringList, ChangeEventsFireOncePerChangeOrUpdateBlock) {
    struct Case {
        const char* what;
        std::function<void(TStringList&)> change;
        int events;
    } cases[] = {
        {"Add", [](TStringList& l) { l.Add("x"); }, 1},
        {"Put", [](TStringList& l) { l.Put(0, "x"); }, 1},
        {"PutObject", [](TStringList& l) { l.PutObject(0, &l); }, 1},
        {"Delete", [](TStringList& l) { l.Delete(0); }, 1},
        {"Clear", [](TStringList& l) { l.Clear(); }, 1},
        {"SetText", [](TStringList& l) { l.SetText("p\nq\nr"); }, 1},
        {"SetCommaText", [](TStringList& l) { l.SetCommaText("p,q"); }, 1},
        {"Assign",
         [](TStringList& l) {
             TStringList other;
             other.SetCommaText("p,q,r");
             l.Assign(&other);
         },
         1},
        {"Sort", [](TStringList& l) { l.Sort(); }, 1},
        {"update block",
         [](TStringList& l) {
             l.BeginUpdate();
             l.Add("x");
             l.BeginUpdate();
             l.Delete(0);
             l.EndUpdate();
             l.Add("y");
             l.EndUpdate();
         },
         1},
        {"update block without a change",
         [](TStringList& l) {
             l.BeginUpdate();
             l.IndexOf("a");
             l.EndUpdate();
         },
         0},
        {"two changes",
         [](TStringList& l) {
             l.Add("x");
             l.Add("y");
         },
         2},
        {"Move to the same place", [](TStringList& l) { l.Move(1, 1); }, 0},
        {"unmatched EndUpdate",
         [](TStringList& l) {
             l.EndUpdate();
             l.Add("x");
         },
         1},
    };
    for (auto& c : cases) {
        TStringList list;
        SetLines(list, {"b", "a"});
        TChangeCounter counter;
        counter.Watch(list);
        c.change(list);
        EXPECT_EQ(counter.FChanging, c.events) << c.what;
        EXPECT_EQ(counter.FChanged, c.events) << c.what;
    }
    // OnChanging sees the list before the change, OnChange after it.
    TStringList list;
    TChangeCounter counter;
    counter.Watch(list);
    list.Add("x");
    EXPECT_EQ(counter.FCountAtChanging, 0);
    EXPECT_EQ(counter.FCountAtChanged, 1);
}

TEST(StringList, AssignCopiesLinesAndObjectsFromAnyStrings) {
    TStringList source;
    source.AddObject("one", &source);
    source.Add("two");
    TStringList dest;
    dest.SetSorted(true);
    dest.Add("zero");
    dest.Assign(&source);
    EXPECT_EQ(Joined(dest), "one|two");
    EXPECT_EQ(dest.Objects(0), &source);
    dest.Assign(&dest);
    EXPECT_EQ(Joined(dest), "one|two");
    dest.SetDuplicates(dupAccept);
    dest.AddStrings(&dest);
    EXPECT_EQ(Joined(dest), "one|one|two|two") << "a sorted list takes its own lines once more";
    TPlainPersistent other;
    EXPECT_THROW(dest.Assign(&other), EConvertError);
    EXPECT_THROW(dest.Assign(nullptr), EConvertError);
    EXPECT_EQ(Joined(dest), "one|one|two|two");
    EXPECT_FALSE(dest.Equals(&source));
    source.Assign(&dest);
    EXPECT_TRUE(dest.Equals(&source));
}

TEST(StringList, OwnedObjectsAreFreedWhenTheirLinesGo) {
    String log;
    {
        TStringList list;
        list.SetOwnsObjects(true);
        list.AddObject("a", new TOwnedThing("a", &log));
        list.AddObject("b", new TOwnedThing("b", &log));
        list.AddObject("c", new TOwnedThing("c", &log));
        list.AddObject("d", new TOwnedThing("d", &log));
        list.Delete(0);
        EXPECT_EQ(log, "a;");
        // PutObject hands the old object back to the caller.
        TObject* b = list.Objects(0);
        list.PutObject(0, nullptr);
        EXPECT_EQ(log, "a;");
        b->Free();
        list.Move(1, 2);
        list.Exchange(1, 2);
        EXPECT_EQ(log, "a;b;");
        list.Clear();
        EXPECT_EQ(log, "a;b;c;d;");
        list.AddObject("e", new TOwnedThing("e", &log));
    }
    EXPECT_EQ(log, "a;b;c;d;e;");
}

TEST(StringList, LinesStreamAsTheStringsPropertyOfTheirOwner) {
    auto memo = MakeObject<TMemoLike>(nullptr);
    memo->SetName("Memo1");
    memo->Lines()->SetText("first\n\nGr\xC3\xBC\xC3\x9F"
                           "e\nwith \"quotes\", commas\n");
    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(memo.get());
    }
    EXPECT_TRUE(StreamContains(stream, "Lines.Strings"));
    auto copy = MakeObject<TMemoLike>(nullptr);
    copy->Lines()->SetCommaText("old,lines");
    stream.SetPosition(0);
    {
        TReader reader(stream, 4096);
        reader.ReadRootComponent(copy.get());
    }
    EXPECT_TRUE(copy->Lines()->Equals(memo->Lines())) << Joined(*copy->Lines());
    EXPECT_EQ(copy->Name(), "Memo1");

    // The published setter copies the lines rather than taking the list.
    TStringList other;
    other.SetCommaText("x,y");
    SetObjectProp(copy.get(), *GetPropInfo(copy.get(), "Lines"), &other);
    EXPECT_NE(copy->Lines(), &other);
    EXPECT_EQ(Joined(*copy->Lines()), "x|y");
}

TEST(StringList, EmptyLinesAreNotWritten) {
    auto memo = MakeObject<TMemoLike>(nullptr);
    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(memo.get());
    }
    EXPECT_FALSE(StreamContains(stream, "Strings"));
}

TEST(StringList, DefinesStringsWithDataOnlyWhereThereIsSomethingToWrite) {
    TMemoryStream stream;
    TStringList lines, sameAsLines, different;
    lines.SetCommaText("a,b");
    sameAsLines.SetCommaText("a,b");
    different.SetCommaText("a");
    TStringList empty;
    TPlainPersistent notStrings;
    struct Case {
        const char* what;
        TStringList* list;
        TPersistent* ancestor;
        const char* declared;
    } cases[] = {
        {"empty", &empty, nullptr, "Strings:none;"},
        {"lines", &lines, nullptr, "Strings:data;"},
        {"same as the ancestor", &lines, &sameAsLines, "Strings:none;"},
        {"different from the ancestor", &lines, &different, "Strings:data;"},
        {"emptied against the ancestor", &empty, &different, "Strings:data;"},
        {"ancestor of another class", &empty, &notStrings, "Strings:none;"},
    };
    for (auto& c : cases) {
        TProbeFiler filer(stream);
        filer.SetAncestor(c.ancestor);
        c.list->DefineProperties(&filer);
        EXPECT_EQ(filer.Declared, c.declared) << c.what;
    }
}
