// Writing a designer's form: the designer left out quietly, events from its list, restored also
// when writing fails.
#include "designer/DesignedForm.h"
#include "designer/FormDesigner.h"
#include "environment/DesignerManager.h"
#include "framework/controls/StdReg.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Stream.h"

#include <gtest/gtest.h>

namespace dw::test {
namespace {

// Records insertions and removals the form hears of.
class TNoticeForm : public TForm {
public:
    using TForm::TForm;
    int Notices = 0;
    void Notification(TComponent* component, TOperation operation) override {
        TForm::Notification(component, operation);
        ++Notices;
    }
};

// A stream that refuses every write.
class TFullStream : public TMemoryStream {
public:
    Int64 Write(const void*, Int64) override { throw EWriteError("Disk full"); }
};

class DesignedFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        RegisterDesignerClasses();
        Form = New<TNoticeForm>(nullptr, CreateNew);
        Form->SetName("Form1");
        Button = New<TButton>(Form);
        Button->SetName("Button1");
        Button->SetParent(Form);
        Designer = New<TzFormDesigner>(Form);
        Designer->SetName("Designer");
        Designer->SetLockPublished(true);
        Other = New<TButton>(Form);
        Other->SetName("Button2");
        Other->SetParent(Form);
        Form->Show();
        Designer->SetActive(true);
    }
    void TearDown() override {
        Form->Free();
        SetBackend(std::make_unique<THeadlessBackend>());
    }
    String WriteText() {
        TMemoryStream stream;
        WriteDesignedForm(stream, Designer, true);
        return String(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    }

    TNoticeForm* Form = nullptr;
    TButton* Button = nullptr;
    TButton* Other = nullptr;
    TzFormDesigner* Designer = nullptr;
};

TEST_F(DesignedFormTest, TheDesignerIsLeftOutQuietlyAndComesBackInItsPlace) {
    int index = Designer->ComponentIndex();
    int notices = Form->Notices;
    String text = WriteText();
    EXPECT_EQ(text.rfind("object Form1: ", 0), 0u) << text;
    EXPECT_NE(text.find("object Button2: TButton"), String::npos);
    EXPECT_EQ(text.find("Designer"), String::npos) << text;
    EXPECT_EQ(Form->Notices, notices) << "no insertion or removal was broadcast";
    EXPECT_EQ(Designer->Owner(), Form);
    EXPECT_EQ(Designer->ComponentIndex(), index);
    EXPECT_TRUE(Designer->Active());
    EXPECT_FALSE(Designer->HasState(csDesigning));
}

TEST_F(DesignedFormTest, StoredEventsAreWrittenAndLeaveTheEventsEmpty) {
    Designer->EventList()->Add("Button1.OnClick=Button1Click");
    String text = WriteText();
    EXPECT_NE(text.find("OnClick = Button1Click"), String::npos) << text;
    EXPECT_FALSE(Button->OnClick.Assigned());
    Designer->SetStoreEvents(false);
    EXPECT_EQ(WriteText().find("OnClick"), String::npos);
}

TEST_F(DesignedFormTest, AFailedWriteStillPutsTheDesignerBack) {
    int index = Designer->ComponentIndex();
    TFullStream full;
    EXPECT_THROW(WriteDesignedForm(full, Designer, false), EWriteError);
    EXPECT_EQ(Designer->Owner(), Form);
    EXPECT_EQ(Designer->ComponentIndex(), index);
    EXPECT_EQ(Form->FindComponent("Designer"), Designer);
}

TEST_F(DesignedFormTest, WithoutADesignerNothingIsWritten) {
    Designer->SetActive(false);
    DesignerManager().SetActiveDesigner(nullptr);
    TMemoryStream stream;
    WriteDesignedForm(stream, nullptr, true);
    EXPECT_EQ(stream.Size(), 0);
}

TEST_F(DesignedFormTest, SaveCreatesOrOverwritesTheFile) {
    String fileName = ::testing::TempDir() + "designed-form.dfm";
    {
        TFileStream old(fileName, fmCreate);
        old.WriteBuffer("something much longer than nothing at all, and then some more text", 66);
    }
    SaveDesignedForm(fileName, Designer, true);
    TMemoryStream saved;
    saved.LoadFromFile(fileName);
    String text(reinterpret_cast<const char*>(saved.Memory()), static_cast<size_t>(saved.Size()));
    EXPECT_EQ(text, WriteText());
    std::remove(fileName.c_str());
}

} // namespace
} // namespace dw::test
