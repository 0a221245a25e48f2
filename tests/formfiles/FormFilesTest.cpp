#include "formfiles/FormFiles.h"

#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StringList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

using namespace dw;

namespace {

class TPart : public TComponent {
    DW_CLASS(TPart, TComponent)
    using TComponent::TComponent;
    int Left = 0;
    String Caption;
    TNotifyEvent OnClick;
};
DW_DEFINE_CLASS(TPart) {
    c.Property("Left", &TPart::Left, &TPart::Left).Default(0);
    c.Property("Caption", &TPart::Caption, &TPart::Caption);
    c.Event("OnClick", &TPart::OnClick);
}

class TOtherPart : public TComponent {
    DW_CLASS(TOtherPart, TComponent)
    using TComponent::TComponent;
};
DW_DEFINE_CLASS(TOtherPart) {}

class TDoc : public TComponent {
    DW_CLASS(TDoc, TComponent)
    using TComponent::TComponent;
    TPart* Button1 = nullptr;
    TNotifyEvent OnCreate;
    void RealHandler(TObject*) {}
};
DW_DEFINE_CLASS(TDoc) {
    c.Field("Button1", &TDoc::Button1);
    c.Event("OnCreate", &TDoc::OnCreate);
    c.Method<&TDoc::RealHandler>("RealHandler");
}

struct FormFilesTest : ::testing::Test {
    void SetUp() override {
        static bool registered = (RegisterClasses({TPart::StaticClass(), TOtherPart::StaticClass(), TDoc::StaticClass()}),
                                  true);
        (void)registered;
        Doc.SetName("MDIChild_1");
        Part = New<TPart>(&Doc);
        Part->SetName("Button1");
        Part->Left = 24;
        Part->Caption = "OK";
    }
    static String Text(TComponent* root, TStrings* events = nullptr) {
        TStringStream s;
        WriteFormStream(s, root, true, events);
        return s.DataString();
    }
    TDoc Doc{nullptr};
    TPart* Part = nullptr;
};

} // namespace

TEST_F(FormFilesTest, TextFormStartsWithTheRootAndReadsBack) {
    String text = Text(&Doc);
    EXPECT_EQ(text.rfind("object MDIChild_1: TDoc", 0), 0u) << text;
    TStringStream in(text);
    TDoc copy(nullptr);
    ReadFormStream(in, &copy);
    ASSERT_NE(copy.Button1, nullptr);
    EXPECT_EQ(copy.Button1->Left, 24);
    EXPECT_EQ(copy.Button1->Caption, "OK");
}

TEST_F(FormFilesTest, BinaryFormHasTheResourceHeader) {
    TMemoryStream s;
    WriteFormStream(s, &Doc, false);
    const auto& b = s.Bytes();
    ASSERT_GT(b.size(), 16u);
    const Byte expected[] = {0xFF, 10, 0, 'T', 'D', 'O', 'C', 0, 0x30, 0x10};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), b.begin()));
    std::uint32_t length;
    std::memcpy(&length, b.data() + 10, 4);
    EXPECT_EQ(length, b.size() - 14);
    s.SetPosition(0);
    TDoc copy(nullptr);
    ReadFormStream(s, &copy);
    EXPECT_EQ(copy.Button1->Caption, "OK");
}

TEST_F(FormFilesTest, EventListLinesAreWrittenAsHandlerNamesAndThenCleared) {
    TStringList events;
    events.Add("Button1.OnClick=Button1Click");
    events.Add("OnCreate=FormCreate");
    events.Add("Missing.OnClick=Nowhere"); // does not resolve: skipped
    Part->OnClick = MakeMethod<&TDoc::RealHandler>(&Doc); // replaced by the list's binding
    String text = Text(&Doc, &events);
    EXPECT_NE(text.find("OnClick = Button1Click"), String::npos) << text;
    EXPECT_NE(text.find("OnCreate = FormCreate"), String::npos) << text;
    EXPECT_EQ(text.find("Nowhere"), String::npos);
    EXPECT_FALSE(Part->OnClick.Assigned());
    EXPECT_FALSE(Doc.OnCreate.Assigned());
}

TEST_F(FormFilesTest, HandlersBoundToRealMethodsAreLeftOutWhileAnEventListIsUsed) {
    TStringList events;
    events.Add("OnCreate=FormCreate");
    Part->OnClick = MakeMethod<&TDoc::RealHandler>(&Doc);
    String text = Text(&Doc, &events);
    EXPECT_EQ(text.find("RealHandler"), String::npos) << text;
    EXPECT_TRUE(Part->OnClick.Assigned());
    // Without a list the real method is written by name.
    EXPECT_NE(Text(&Doc).find("OnClick = RealHandler"), String::npos);
}

TEST_F(FormFilesTest, ReadingWithAnEventListCapturesHandlerNames) {
    TStringList saved;
    saved.Add("Button1.OnClick=Button1Click");
    saved.Add("OnCreate=FormCreate");
    String text = Text(&Doc, &saved);

    TDoc copy(nullptr);
    TStringList events;
    events.Add("stale line");
    TStringStream in(text);
    ReadFormStream(in, &copy, &events);
    EXPECT_EQ(events.Count(), 2);
    EXPECT_GE(events.IndexOf("Button1.OnClick=Button1Click"), 0);
    EXPECT_GE(events.IndexOf("OnCreate=FormCreate"), 0);
    EXPECT_FALSE(copy.Button1->OnClick.Assigned());
    EXPECT_FALSE(copy.OnCreate.Assigned());

    // Without a list, the unknown handlers go to the error hook, which skips them.
    TDoc plain(nullptr);
    TStringStream again(text);
    int errors = 0;
    ReadFormStream(again, &plain, nullptr, nullptr, [&](TReader*, const String&, bool& handled) {
        ++errors;
        handled = true;
    });
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(plain.Button1->Caption, "OK");
    EXPECT_FALSE(plain.Button1->OnClick.Assigned());
}

TEST_F(FormFilesTest, ReadingIntoAnOpenFormUpdatesSameNameAndClassOnly) {
    String text = Text(&Doc);
    TDoc open(nullptr);
    TPart* existing = New<TPart>(&open);
    existing->SetName("Button1");
    TStringStream in(text);
    ReadFormStream(in, &open);
    EXPECT_EQ(open.ComponentCount(), 1);
    EXPECT_EQ(open.Button1, existing);
    EXPECT_EQ(existing->Caption, "OK");

    // A Button1 of another class stays; the file's one cannot take its name and is skipped.
    TDoc other(nullptr);
    New<TOtherPart>(&other)->SetName("Button1");
    std::vector<String> errors;
    TStringStream in2(text);
    ReadFormStream(in2, &other, nullptr, nullptr, [&](TReader*, const String& message, bool& handled) {
        errors.push_back(message);
        handled = true;
    });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("already exists"), String::npos);
    EXPECT_EQ(other.ComponentCount(), 1);
    EXPECT_TRUE(other.Components(0)->Is<TOtherPart>());
}

TEST_F(FormFilesTest, StreamFormsAreRecognisedFromTheirFirstBytes) {
    struct Case {
        String data;
        const char* error; // null: reads
    } cases[] = {
        {"PK\x03\x04", "Unsupported resource format"},
        {"", "Unsupported resource format"},
        {"TPF0\x00\x00", "Invalid stream format"},
        {"\nobject Doc: TDoc\nend\n", nullptr},
        {"\xEF\xBB\xBFobject Doc: TDoc\nend\n", nullptr},
        {"  object Doc: TDoc\r\nend\r\n", nullptr},
    };
    for (auto& c : cases) {
        TStringStream s(c.data);
        TDoc root(nullptr);
        if (!c.error) {
            EXPECT_NO_THROW(ReadFormStream(s, &root)) << c.data;
            continue;
        }
        try {
            ReadFormStream(s, &root);
            ADD_FAILURE() << "no error for " << c.data;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.error);
        }
    }
}

TEST_F(FormFilesTest, FilesAreWrittenAndReadBack) {
    String name = ::testing::TempDir() + "formfiles_test.dfm";
    {
        TFileStream f(name, fmCreate);
        WriteFormStream(f, &Doc, true);
    }
    TDoc copy(nullptr);
    ReadFormFile(name, &copy);
    EXPECT_EQ(copy.Button1->Left, 24);
    std::remove(name.c_str());
    EXPECT_THROW(ReadFormFile(name, &copy), EFOpenError);
}

TEST_F(FormFilesTest, CopyComponentStateFillsARootFromAnInstance) {
    TDoc target(nullptr);
    New<TPart>(&target)->SetName("Button1");
    CopyComponentState(&target, &Doc);
    EXPECT_EQ(target.ComponentCount(), 1);
    EXPECT_EQ(target.Button1->Caption, "OK");
}
