#include "TestClasses.h"

#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/GlobalComponents.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

namespace {

struct FilerTest : ::testing::Test {
    void SetUp() override { RegisterTestClasses(); }

    static void Write(TComponent* root, TMemoryStream& stream) {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(root);
    }

    // Reads stream into root; errors go to the hook when handle is set, and are collected.
    void Read(TMemoryStream& stream, TComponent* root, bool handle = false) {
        stream.SetPosition(0);
        TReader reader(stream, 4096);
        if (handle)
            reader.OnError = [this](TReader*, const String& message, bool& handled) {
                Errors.push_back(message);
                handled = true;
            };
        reader.ReadRootComponent(root);
    }

    static bool Contains(const TMemoryStream& stream, const String& text) {
        auto& bytes = stream.Bytes();
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    }

    std::vector<String> Errors;
};

// Builds a stream by hand, for shapes the writer never makes.
struct StreamBuilder {
    TMemoryStream Stream;
    TWriter Writer{Stream, 256};
    StreamBuilder() { Writer.WriteSignature(); }
    StreamBuilder& Object(const char* cls, const char* name, TFilerFlags flags = 0) {
        Writer.WritePrefix(flags, 0);
        Writer.WriteStr(cls);
        Writer.WriteStr(name);
        return *this;
    }
    StreamBuilder& Int(const char* prop, int v) {
        Writer.WriteStr(prop);
        Writer.WriteInteger(v);
        return *this;
    }
    StreamBuilder& Str(const char* prop, const char* v) {
        Writer.WriteStr(prop);
        Writer.WriteString(v);
        return *this;
    }
    StreamBuilder& Ident(const char* prop, const char* v) {
        Writer.WriteStr(prop);
        Writer.WriteIdent(v);
        return *this;
    }
    StreamBuilder& End() {
        Writer.WriteListEnd();
        return *this;
    }
    TMemoryStream& Done() {
        Writer.FlushBuffer();
        Stream.SetPosition(0);
        return Stream;
    }
};

// Reads an object into the root's component of the same name and class, as reading a file
// into an open form does.
class TUpdatingReader : public TReader {
public:
    using TReader::TReader;
    TComponent* Existing = nullptr;

protected:
    void ReadPrefix(TFilerFlags& flags, int& childPos) override {
        TReader::ReadPrefix(flags, childPos);
        Existing = nullptr;
        if (!Root()) return;
        Int64 pos = Position();
        String cls = ReadStr();
        String name = ReadStr();
        SetPosition(pos);
        TComponent* found = Root()->FindComponent(name);
        if (found && SameText(found->ClassName(), cls)) {
            flags |= ffInherited;
            Existing = found;
        }
    }
    TComponent* FindAncestorComponent(const String& name, TClass cls) override {
        return Existing ? Existing : TReader::FindAncestorComponent(name, cls);
    }
};

} // namespace

TEST_F(FilerTest, EveryPropertyKindSurvivesARoundTrip) {
    TTestRoot source(nullptr);
    source.SetName("Source");
    TWidget* a = New<TWidget>(&source);
    a->SetName("Widget1");
    TWidget* b = New<TWidget>(&source);
    b->SetName("Widget2");
    a->Count = -100000;
    a->Enabled = false;
    a->Mode = cmGreen;
    a->Modes = {cmNone, cmBlue};
    a->Letter = 'q';
    a->WideLetter = u'\u20AC';
    a->Caption = "Line 1\r\nLine 2 'quoted' \xC3\xA9";
    a->Short.Value = "short";
    a->Wide = u"wide \u263A";
    a->Ratio = 3.25;
    a->When = TDateTime{45000.5};
    a->Big = INT64_C(-1) << 50;
    a->Extra = Variant(7);
    a->SetBuddy(b);
    a->Origin()->X = 12;
    a->OnClick = MakeMethod<&TTestRoot::WidgetClick>(&source);
    a->OnValue = MakeMethod<&TTestRoot::WidgetValue>(&source);
    auto* item = static_cast<TTestItem*>(a->Items()->Add());
    item->Text = "first";
    static_cast<TTestItem*>(a->Items()->Add())->Width = 7;
    b->SetDesignInfo((30 << 16) | 20);
    TMemoryStream stream;
    Write(&source, stream);

    TTestRoot target(nullptr);
    Read(stream, &target);
    ASSERT_NE(target.Widget1, nullptr);
    ASSERT_NE(target.Widget2, nullptr);
    TWidget* r = target.Widget1;
    EXPECT_EQ(r->Count, -100000);
    EXPECT_FALSE(r->Enabled);
    EXPECT_EQ(r->Mode, cmGreen);
    EXPECT_EQ(r->Modes, (TColorModes{cmNone, cmBlue}));
    EXPECT_EQ(r->Letter, 'q');
    EXPECT_EQ(r->WideLetter, u'\u20AC');
    EXPECT_EQ(r->Caption, a->Caption);
    EXPECT_EQ(r->Short.Value, "short");
    EXPECT_EQ(r->Wide, a->Wide);
    EXPECT_EQ(r->Ratio, 3.25);
    EXPECT_EQ(r->When.Value, 45000.5);
    EXPECT_EQ(r->Big, a->Big);
    EXPECT_EQ(r->Extra.AsInteger(), 7);
    EXPECT_EQ(r->Buddy, target.Widget2);
    EXPECT_EQ(r->Origin()->X, 12);
    ASSERT_EQ(r->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(r->Items()->Items(0))->Text, "first");
    EXPECT_EQ(static_cast<TTestItem*>(r->Items()->Items(1))->Width, 7);
    EXPECT_EQ(target.Widget2->DesignInfo(), (30 << 16) | 20);
    r->OnClick(r);
    EXPECT_EQ(target.Clicks, 1);
    int v = 5;
    r->OnValue(r, v);
    EXPECT_EQ(v, 10);
}

TEST_F(FilerTest, DefaultValuesAreNotWritten) {
    TTestRoot source(nullptr);
    TWidget* w = New<TWidget>(&source);
    w->SetName("Plain");
    TMemoryStream stream;
    Write(&source, stream);
    for (const char* name : {"Count", "Enabled", "Mode", "Letter", "Caption", "Ratio", "Big", "Buddy", "OnClick",
                             "Origin.X", "Items", "Left"})
        EXPECT_FALSE(Contains(stream, name)) << name;
    w->Count = 1;
    w->Enabled = false;
    TMemoryStream changed;
    Write(&source, changed);
    EXPECT_TRUE(Contains(changed, "Count"));
    EXPECT_TRUE(Contains(changed, "Enabled"));
}

TEST_F(FilerTest, ReadingIntoAnOpenRootUpdatesComponentsOfTheSameNameAndClass) {
    TTestRoot target(nullptr);
    TWidget* existing = New<TWidget>(&target);
    existing->SetName("Widget1");
    TWidget* untouched = New<TWidget>(&target);
    untouched->SetName("Keep");
    untouched->Caption = "kept";
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .Str("Caption", "updated")
                  .End()
                  .End()
                  .Object("TWidget", "Fresh")
                  .End()
                  .End()
                  .End()
                  .Done();
    TUpdatingReader reader(s, 4096);
    reader.ReadRootComponent(&target);
    EXPECT_EQ(target.ComponentCount(), 3);
    EXPECT_EQ(target.Widget1, existing);
    EXPECT_EQ(existing->Caption, "updated");
    EXPECT_EQ(existing->LoadedCount, 1);
    EXPECT_EQ(untouched->Caption, "kept");
    EXPECT_EQ(untouched->LoadedCount, 0);
    EXPECT_NE(target.FindComponent("Fresh"), nullptr);
}

TEST_F(FilerTest, HandledErrorsSkipExactlyTheItemInError) {
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .Int("NoSuchProperty", 5)
                  .Ident("Mode", "cmPurple")
                  .Int("Count", 3)
                  .End()
                  .End()
                  .Object("TNoSuchClass", "Lost")
                  .Int("Count", 1)
                  .End()
                  .Object("TWidget", "Inner")
                  .End()
                  .End()
                  .End()
                  .Object("TWidget", "Widget2")
                  .Ident("OnClick", "NoSuchHandler")
                  .Ident("Buddy", "Nobody")
                  .Str("Caption", "after")
                  .End()
                  .End()
                  .End()
                  .Done();
    TTestRoot target(nullptr);
    Read(s, &target, true);
    ASSERT_EQ(Errors.size(), 5u);
    EXPECT_NE(Errors[0].find("NoSuchProperty"), String::npos);
    EXPECT_NE(Errors[1].find("cmPurple"), String::npos);
    EXPECT_NE(Errors[2].find("TNoSuchClass"), String::npos);
    EXPECT_NE(Errors[3].find("NoSuchHandler"), String::npos);
    EXPECT_NE(Errors[4].find("Nobody"), String::npos);
    ASSERT_NE(target.Widget1, nullptr);
    EXPECT_EQ(target.Widget1->Count, 3);
    EXPECT_EQ(target.FindComponent("Lost"), nullptr);
    EXPECT_EQ(target.FindComponent("Inner"), nullptr);
    ASSERT_NE(target.Widget2, nullptr);
    EXPECT_EQ(target.Widget2->Caption, "after");
    EXPECT_EQ(target.ComponentCount(), 2);
}

TEST_F(FilerTest, UnhandledErrorsRaiseAndKeepWhatWasRead) {
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .End()
                  .End()
                  .Object("TWidget", "Widget2")
                  .Int("Count", 2)
                  .Int("Bogus", 1)
                  .End()
                  .End()
                  .End()
                  .Done();
    TTestRoot target(nullptr);
    try {
        Read(s, &target);
        FAIL() << "no error raised";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Widget2.Bogus"), String::npos) << e.Message();
    }
    ASSERT_NE(target.Widget1, nullptr);
    EXPECT_EQ(target.Widget1->LoadedCount, 1);
    EXPECT_FALSE(target.Widget1->HasState(csLoading));
    EXPECT_EQ(target.Widget2, nullptr); // the half-read component is freed
}

TEST_F(FilerTest, ADuplicateNameFreesTheHalfMadeComponent) {
    TTestRoot target(nullptr);
    New<TWidget>(&target)->SetName("Widget1");
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "WIDGET1")
                  .Str("Caption", "x")
                  .End()
                  .End()
                  .End()
                  .Done();
    Read(s, &target, true);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find("already exists"), String::npos);
    EXPECT_EQ(target.ComponentCount(), 1);
    EXPECT_EQ(target.Widget1->Caption, "");
}

TEST_F(FilerTest, ReferencesResolveAfterReadingBeforeLoaded) {
    TTestRoot other(nullptr);
    other.SetName("OtherForm");
    AddGlobalComponent(&other);
    New<TWidget>(&other)->SetName("Remote");
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "FirstDoc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .Ident("Buddy", "Widget2") // forward reference
                  .End()
                  .End()
                  .Object("TWidget", "Widget2")
                  .Ident("Buddy", "OtherForm.Remote")
                  .End()
                  .End()
                  .End()
                  .Done();
    TTestRoot target(nullptr);
    Read(s, &target);
    EXPECT_EQ(target.Widget1->Buddy, target.Widget2);
    EXPECT_EQ(target.Widget1->BuddyAtLoaded, target.Widget2);
    EXPECT_EQ(target.Widget2->Buddy, other.FindComponent("Remote"));
    RemoveGlobalComponent(&other);
}

TEST_F(FilerTest, TheStoredRootNameMeansTheNewRootEvenWhenItWasRenamed) {
    TTestRoot first(nullptr);
    first.SetName("Doc");
    AddGlobalComponent(&first);
    TWidget* w = New<TWidget>(&first);
    w->SetName("Widget1");
    w->SetTarget(&first);
    TMemoryStream stream;
    Write(&first, stream);

    TTestRoot second(nullptr);
    AddGlobalComponent(&second);
    Read(stream, &second);
    EXPECT_EQ(second.Name(), "Doc_1");
    EXPECT_EQ(second.Widget1->Target, &second);
    EXPECT_EQ(second.Widget1->LoadedCount, 1);
    RemoveGlobalComponent(&second);
    RemoveGlobalComponent(&first);
}

TEST_F(FilerTest, RootTakesAUniqueGlobalNameUnlessDesigning) {
    TTestRoot existing(nullptr);
    existing.SetName("Doc");
    AddGlobalComponent(&existing);
    auto make = [] {
        StreamBuilder b;
        b.Object("TTestRoot", "Doc").End().End();
        auto* m = new TMemoryStream;
        m->LoadFromStream(b.Done());
        return TObjectPtr<TMemoryStream>(m);
    };
    TTestRoot plain(nullptr);
    auto s1 = make();
    Read(*s1, &plain);
    EXPECT_EQ(plain.Name(), "Doc_1");
    TTestRoot designed(nullptr);
    designed.SetName("KeepMe");
    designed.SetDesigning(true);
    auto s2 = make();
    Read(*s2, &designed);
    EXPECT_EQ(designed.Name(), "KeepMe");
    RemoveGlobalComponent(&existing);
}

TEST_F(FilerTest, MethodLookupAndMethodNamesAreHookable) {
    // The handler names become small numbers on reading and numbers become names on writing,
    // without any method behind them.
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .Ident("OnClick", "Widget1Click")
                  .End()
                  .End()
                  .End()
                  .Done();
    std::vector<String> table;
    TTestRoot target(nullptr);
    {
        TReader reader(s, 4096);
        reader.OnFindMethod = [&](TReader*, const String& name, void*& address, bool& error) {
            table.push_back(name);
            address = reinterpret_cast<void*>(static_cast<std::intptr_t>(table.size()));
            error = false;
        };
        reader.ReadRootComponent(&target);
    }
    EXPECT_EQ(target.Widget1->OnClick.Method().CodeAsNumber(), 1);
    EXPECT_EQ(target.Widget1->OnClick.Method().Data, static_cast<TObject*>(&target));

    TMemoryStream out;
    {
        TWriter writer(out, 4096);
        writer.OnFindMethodName = [&](TWriter*, const TMethod& m) -> String {
            auto i = m.CodeAsNumber();
            return i >= 1 && i <= static_cast<std::intptr_t>(table.size()) ? table[i - 1] : "";
        };
        writer.WriteRootComponent(&target);
    }
    EXPECT_TRUE(Contains(out, "Widget1Click"));
    target.Widget1->OnClick.Clear();
}

TEST_F(FilerTest, MethodsMustMatchTheEventType) {
    StreamBuilder builder;
    auto& s = builder
                  .Object("TTestRoot", "Doc")
                  .End()
                  .Object("TWidget", "Widget1")
                  .Ident("OnClick", "WidgetValue")
                  .End()
                  .End()
                  .End()
                  .Done();
    TTestRoot target(nullptr);
    Read(s, &target, true);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find("incompatible"), String::npos);
    EXPECT_FALSE(target.Widget1->OnClick.Assigned());
}

TEST_F(FilerTest, ReadComponentsReadsAListOfEntriesIntoOwnerAndParent) {
    TTestRoot source(nullptr);
    TMemoryStream block;
    for (const char* name : {"Widget1", "Widget2"}) {
        TWidget* w = New<TWidget>(&source);
        w->SetName(name);
        w->Caption = name;
        TWriter writer(block, 256);
        writer.SetRoot(&source);
        writer.WriteSignature();
        writer.WriteComponent(w);
        writer.FlushBuffer();
    }
    Byte end = vaNull;
    block.WriteBuffer(&end, 1);
    block.SetPosition(0);
    TTestRoot target(nullptr);
    std::vector<TComponent*> seen;
    TReader reader(block, 256);
    reader.ReadComponents(&target, nullptr, [&](TComponent* c) { seen.push_back(c); });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(target.Widget2->Caption, "Widget2");
    EXPECT_EQ(target.Widget1->LoadedCount, 1);
}

TEST_F(FilerTest, HostileNestingIsRefused) {
    StreamBuilder b;
    b.Object("TTestRoot", "Doc").End();
    for (int i = 0; i < MaxFilerNesting + 10; ++i) b.Object("TWidget", "").End();
    for (int i = 0; i < MaxFilerNesting + 10; ++i) b.End();
    b.End();
    TTestRoot target(nullptr);
    EXPECT_THROW(Read(b.Done(), &target), EReadError);
}

// Every truncation and every single-byte change of a valid stream either reads or raises a
// framework exception; none may crash, hang or leak (the sanitizer run checks the last two).
TEST_F(FilerTest, CorruptStreamsFailCleanly) {
    TTestRoot source(nullptr);
    TWidget* w = New<TWidget>(&source);
    w->SetName("Widget1");
    w->Caption = "caption";
    w->Modes = {cmGreen};
    w->Wide = u"wide";
    w->Items()->Add();
    TWidget* v = New<TWidget>(&source);
    v->SetName("Widget2");
    v->SetBuddy(w);
    TMemoryStream good;
    Write(&source, good);
    const auto bytes = good.Bytes();
    auto attempt = [&](const std::vector<Byte>& data) {
        TMemoryStream s;
        s.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
        s.SetPosition(0);
        TTestRoot target(nullptr);
        try {
            TReader reader(s, 64);
            reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
            reader.ReadRootComponent(&target);
        } catch (const Exception&) {
        }
    };
    for (size_t n = 0; n < bytes.size(); ++n) attempt(std::vector<Byte>(bytes.begin(), bytes.begin() + n));
    for (size_t i = 0; i < bytes.size(); ++i)
        for (Byte value : {Byte(0), Byte(0xFF), Byte(bytes[i] ^ 0x01), Byte(0x7F)}) {
            auto changed = bytes;
            changed[i] = value;
            attempt(changed);
        }
}
