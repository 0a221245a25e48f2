// The X11 backend's clipboard on a private Xvfb server: answering other programs, reading from
// them, taking the selection over, time limits and data too large to send.
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Clipboard.h"
#include "framework/platform/window/WindowManager.h"
#include "tests/platform_x11/X11Fixture.h"

#include <algorithm>
#include <cstring>

namespace dw::test {
namespace {

using TBytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

const String Text(ClipboardTextFormatName);
const String Components = "Draftwell Components";
const String Greeting = "grüße €";
const TBytes Stream{'T', 'P', 'F', '0', 0, 1, 0xFF, 0};

class X11ClipboardTest : public X11Test {
protected:
    // Backends without an event sink: some of them run on a second thread.
    std::unique_ptr<TX11Backend> Program(TX11Options options = TX11Options()) {
        return std::make_unique<TX11Backend>(TXvfbEnvironment::Display(), options);
    }
    Atom A(const char* name) { return XInternAtom(Raw, name, False); }
    std::vector<String> TargetNames(TX11Backend& owner) {
        std::vector<String> names;
        auto answer = RawConvert(Raw, RawWindow, A("TARGETS"), [&] { owner.PollEvents(); });
        if (!answer) return names;
        for (std::size_t i = 0; i + 4 <= answer->Bytes.size(); i += 4) {
            std::uint32_t atom;
            std::memcpy(&atom, answer->Bytes.data() + i, 4);
            char* n = XGetAtomName(Raw, atom);
            names.emplace_back(n ? n : "");
            if (n) XFree(n);
        }
        return names;
    }
    static long long MsSince(Clock::time_point start) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    }
};

bool Has(const std::vector<String>& list, const String& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

TEST_F(X11ClipboardTest, OwnerAnswersOtherProgramsInEveryTextFormAndByFormatName) {
    auto a = Program();
    a->SetClipboardData(Text, Bytes(Greeting));
    a->SetClipboardData(Components, Stream);
    auto pump = [&] { a->PollEvents(); };

    std::vector<String> targets = TargetNames(*a);
    for (const char* t : {"TARGETS", "TIMESTAMP", "UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8",
                          "Draftwell Components"}) {
        EXPECT_TRUE(Has(targets, t)) << t;
    }

    struct TCase {
        const char* target;
        const char* type;
        TBytes bytes;
    };
    const TCase cases[] = {
        {"UTF8_STRING", "UTF8_STRING", Bytes(Greeting)},
        {"text/plain;charset=utf-8", "text/plain;charset=utf-8", Bytes(Greeting)},
        {"STRING", "STRING",
         Bytes("gr\xFC\xDF"
               "e ?")},
        {"TEXT", "UTF8_STRING", Bytes(Greeting)}, // the euro sign is beyond Latin-1
        {"Draftwell Components", "Draftwell Components", Stream},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        auto answer = RawConvert(Raw, RawWindow, A(c.target), pump);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->Type, A(c.type));
        EXPECT_EQ(answer->Format, 8);
        EXPECT_EQ(answer->Bytes, c.bytes);
    }
    EXPECT_FALSE(RawConvert(Raw, RawWindow, A("image/png"), pump)) << "a format it does not hold is refused";
}

TEST_F(X11ClipboardTest, LatinOneTextIsOfferedAsStringUnderText) {
    auto a = Program();
    a->SetClipboardData(Text, Bytes("café"));
    auto answer = RawConvert(Raw, RawWindow, A("TEXT"), [&] { a->PollEvents(); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Type, XA_STRING);
    EXPECT_EQ(answer->Bytes, Bytes("caf\xE9"));
}

TEST_F(X11ClipboardTest, AnotherProgramReadsFormatsAndData) {
    auto a = Program();
    auto b = Program();
    a->SetClipboardData(Text, Bytes(Greeting));
    a->SetClipboardData(Components, Stream);
    TPumpThread running(*a);
    std::vector<String> formats = b->ClipboardFormats();
    EXPECT_TRUE(Has(formats, Text));
    EXPECT_TRUE(Has(formats, Components));
    EXPECT_EQ(std::count(formats.begin(), formats.end(), Text), 1) << "text forms collapse into one format";
    EXPECT_EQ(b->GetClipboardData(Text), Bytes(Greeting));
    EXPECT_EQ(b->GetClipboardData(Components), Stream);
    auto start = Clock::now();
    EXPECT_FALSE(b->GetClipboardData("Some Other Format"));
    EXPECT_LT(MsSince(start), 900) << "a refusal is an answer, not a time-out";
}

TEST_F(X11ClipboardTest, TakingTheClipboardOverKeepsThePreviousOwnersFormats) {
    auto a = Program();
    auto b = Program();
    a->SetClipboardData(Text, Bytes(Greeting));
    a->SetClipboardData(Components, Stream);
    const TBytes newer{'T', 'P', 'F', '0', 9, 0};
    {
        TPumpThread running(*a);
        b->SetClipboardData(Components, newer);
    }
    EXPECT_EQ(XGetSelectionOwner(Raw, A("CLIPBOARD")) == XNoneId, false);
    auto pumpB = [&] { b->PollEvents(); };
    auto text = RawConvert(Raw, RawWindow, A("UTF8_STRING"), pumpB);
    ASSERT_TRUE(text) << "the text of the previous owner is offered again";
    EXPECT_EQ(text->Bytes, Bytes(Greeting));
    auto comps = RawConvert(Raw, RawWindow, A("Draftwell Components"), pumpB);
    ASSERT_TRUE(comps);
    EXPECT_EQ(comps->Bytes, newer);

    // The first program has lost the selection and now reads through it.
    a->PollEvents();
    TPumpThread running(*b);
    EXPECT_EQ(a->GetClipboardData(Components), newer);
    EXPECT_EQ(a->GetClipboardData(Text), Bytes(Greeting));
}

TEST_F(X11ClipboardTest, TakingTheClipboardFromAForeignProgramKeepsItsFormats) {
    const TBytes picture{1, 2, 3, 0, 4};
    Atom utf8 = A("UTF8_STRING"), image = A("image/x-dw-test");
    TForeignOwner other(TXvfbEnvironment::Display(), {"UTF8_STRING", "image/x-dw-test", "SAVE_TARGETS"},
                        [&](const String& target) -> std::optional<TSelectionAnswer> {
                            if (target == "UTF8_STRING") return TSelectionAnswer{utf8, 8, Bytes("foreign")};
                            if (target == "image/x-dw-test") return TSelectionAnswer{image, 8, picture};
                            return std::nullopt;
                        });
    ASSERT_TRUE(other.Owns());
    auto a = Program();
    a->SetClipboardData(Components, Stream);
    auto pump = [&] { a->PollEvents(); };
    std::vector<String> targets = TargetNames(*a);
    EXPECT_TRUE(Has(targets, "image/x-dw-test"));
    EXPECT_FALSE(Has(targets, "SAVE_TARGETS")) << "protocol targets are no data";
    auto text = RawConvert(Raw, RawWindow, A("UTF8_STRING"), pump);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Bytes, Bytes("foreign"));
    auto pic = RawConvert(Raw, RawWindow, A("image/x-dw-test"), pump);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Bytes, picture);
    auto comps = RawConvert(Raw, RawWindow, A("Draftwell Components"), pump);
    ASSERT_TRUE(comps);
    EXPECT_EQ(comps->Bytes, Stream);
    auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!other.Cleared() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(other.Cleared()) << "the foreign program was told it lost the selection";
}

TEST_F(X11ClipboardTest, EmptyingTakesTheSelectionWithNoFormats) {
    auto a = Program();
    auto b = Program();
    a->SetClipboardData(Text, Bytes(Greeting));
    b->EmptyClipboard();
    std::vector<String> targets = TargetNames(*b);
    EXPECT_EQ(targets, (std::vector<String>{"TARGETS", "TIMESTAMP"}));
    a->PollEvents();
    TPumpThread running(*b);
    EXPECT_TRUE(a->ClipboardFormats().empty());
    EXPECT_FALSE(a->GetClipboardData(Text));
}

TEST_F(X11ClipboardTest, OwnerThatNeverAnswersTimesOutAfterAboutASecond) {
    TForeignOwner silent(TXvfbEnvironment::Display(), {}, nullptr, /*silent=*/true);
    ASSERT_TRUE(silent.Owns());
    auto a = Program();

    auto start = Clock::now();
    EXPECT_FALSE(a->GetClipboardData(Text));
    long long ms = MsSince(start);
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 2500);

    // Asked again at once, the silent owner is skipped instead of waited for.
    start = Clock::now();
    EXPECT_TRUE(a->ClipboardFormats().empty());
    EXPECT_FALSE(a->GetClipboardData(Text));
    EXPECT_LT(MsSince(start), 300);

    // Placing data still works: fetching the old owner's formats gives up in time.
    auto b = Program();
    start = Clock::now();
    b->SetClipboardData(Text, Bytes("mine"));
    ms = MsSince(start);
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 2500);
    auto text = RawConvert(Raw, RawWindow, A("UTF8_STRING"), [&] { b->PollEvents(); });
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Bytes, Bytes("mine"));
}

TEST_F(X11ClipboardTest, IncrementalAnswerCountsAsNoDataWithoutWaiting) {
    TBytes length(4);
    std::uint32_t big = 50u << 20;
    std::memcpy(length.data(), &big, 4);
    Atom incr = A("INCR");
    TForeignOwner other(TXvfbEnvironment::Display(), {"UTF8_STRING", "Draftwell Components"},
                        [&](const String&) -> std::optional<TSelectionAnswer> {
                            return TSelectionAnswer{incr, 32, length};
                        });
    ASSERT_TRUE(other.Owns());
    auto a = Program();
    auto start = Clock::now();
    EXPECT_FALSE(a->GetClipboardData(Components));
    EXPECT_FALSE(a->GetClipboardData(Text));
    EXPECT_LT(MsSince(start), 900);
}

TEST_F(X11ClipboardTest, DataTooLargeForOneRequestIsRefusedAndTheConnectionSurvives) {
    auto a = Program();
    auto b = Program();
    TBytes huge(20u << 20, 0x5A); // beyond the server's largest request
    a->SetClipboardData(Components, huge);
    {
        TPumpThread running(*a);
        auto start = Clock::now();
        EXPECT_FALSE(b->GetClipboardData(Components));
        EXPECT_LT(MsSince(start), 900) << "refused at once, not timed out";
    }
    a->SetClipboardData("Draftwell Small", TBytes{7, 8});
    TPumpThread running(*a);
    EXPECT_EQ(b->GetClipboardData("Draftwell Small"), (TBytes{7, 8}));
}

TEST_F(X11ClipboardTest, ClassicClipboardCallsReachOtherPrograms) {
    SetBackend(std::make_unique<TX11Backend>(TXvfbEnvironment::Display()));
    UINT components = RegisterClipboardFormat(Components);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(SetClipboardData(CF_TEXT, Bytes("hello")));
    ASSERT_TRUE(SetClipboardData(components, Stream));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(components));

    auto pump = [] { CurrentBackend().PollEvents(); };
    auto text = RawConvert(Raw, RawWindow, A("UTF8_STRING"), pump);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Bytes, Bytes("hello"));
    auto comps = RawConvert(Raw, RawWindow, A("Draftwell Components"), pump);
    ASSERT_TRUE(comps);
    EXPECT_EQ(comps->Bytes, Stream);

    // Another program takes the clipboard over with text only.
    {
        Atom utf8 = A("UTF8_STRING");
        TForeignOwner other(TXvfbEnvironment::Display(), {"UTF8_STRING"},
                            [&](const String&) -> std::optional<TSelectionAnswer> {
                                return TSelectionAnswer{utf8, 8, Bytes("from elsewhere")};
                            });
        ASSERT_TRUE(other.Owns());
        CurrentBackend().PollEvents();
        EXPECT_FALSE(IsClipboardFormatAvailable(components));
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
        EXPECT_EQ(GetClipboardText(), "from elsewhere");
    }
    SetBackend(std::make_unique<THeadlessBackend>());
}

} // namespace
} // namespace dw::test
