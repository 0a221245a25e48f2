// The classic clipboard on the headless backend: formats, global memory, opening rules and what
// placing a format does to the others.
#include "framework/platform/window/Clipboard.h"

#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Window.h"
#include "framework/platform/window/WindowManager.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dw {
namespace {

using TBytes = std::vector<std::uint8_t>;

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetBackend(std::make_unique<THeadlessBackend>()); }
    void TearDown() override {
        CloseClipboard();
        SetBackend(std::make_unique<THeadlessBackend>());
    }

    static HGLOBAL Block(const TBytes& bytes) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
        EXPECT_NE(h, nullptr);
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        return h;
    }
    static HGLOBAL TextBlock(const String& text) {
        TBytes bytes(text.begin(), text.end());
        bytes.push_back(0);
        return Block(bytes);
    }
    static TBytes Contents(HGLOBAL h) {
        auto* p = static_cast<std::uint8_t*>(GlobalLock(h));
        TBytes bytes(p, p + GlobalSize(h));
        GlobalUnlock(h);
        return bytes;
    }
    static std::vector<UINT> Enumerated() {
        std::vector<UINT> formats;
        for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.push_back(f);
        return formats;
    }
    static UINT Components() { return RegisterClipboardFormat("Draftwell Components"); }
};

TEST_F(ClipboardTest, TextPlacedUnderEitherTextFormatReadsBackUnderBoth) {
    const String text = "Grüße, world";
    for (UINT placed : {CF_TEXT, CF_UNICODETEXT}) {
        SCOPED_TRACE(placed);
        ASSERT_TRUE(OpenClipboard(nullptr));
        ASSERT_TRUE(EmptyClipboard());
        HGLOBAL h = TextBlock(text);
        EXPECT_EQ(SetClipboardData(placed, h), h);
        EXPECT_EQ(GlobalSize(h), 0u) << "the clipboard took the block over and freed it";
        ASSERT_TRUE(CloseClipboard());

        ASSERT_TRUE(OpenClipboard(nullptr));
        for (UINT read : {CF_TEXT, CF_UNICODETEXT}) {
            HGLOBAL got = GetClipboardData(read);
            ASSERT_NE(got, nullptr);
            EXPECT_EQ(GlobalSize(got), text.size() + 1);
            EXPECT_STREQ(static_cast<const char*>(GlobalLock(got)), text.c_str());
            GlobalUnlock(got);
        }
        TBytes bytes;
        ASSERT_TRUE(GetClipboardData(CF_TEXT, bytes));
        EXPECT_EQ(String(bytes.begin(), bytes.end()), text);
        ASSERT_TRUE(CloseClipboard());
    }
    EXPECT_EQ(GetClipboardText(), text);
}

TEST_F(ClipboardTest, TextEndsAtItsFirstZero) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(SetClipboardData(CF_TEXT, TBytes{'a', 'b', 0, 'c', 0, 0}));
    TBytes bytes;
    ASSERT_TRUE(GetClipboardData(CF_TEXT, bytes));
    EXPECT_EQ(bytes, (TBytes{'a', 'b'}));
}

TEST_F(ClipboardTest, RegisteredFormatKeepsEveryByteAndTheExactSize) {
    const TBytes data{'T', 'P', 'F', '0', 0, 0xFF, 0, 1};
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL h = Block(data);
    ASSERT_EQ(SetClipboardData(Components(), h), h);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(Components()));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL got = GetClipboardData(Components());
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(GlobalSize(got), data.size()) << "readers rely on the block's size";
    EXPECT_EQ(Contents(got), data);
    EXPECT_EQ(GetClipboardData(Components()), got) << "the same handle while the clipboard stays open";
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GlobalSize(got), 0u) << "the clipboard's handle is freed at close";
}

TEST_F(ClipboardTest, RegistrationGivesOneNumberPerNameInTheRegisteredRange) {
    UINT a = RegisterClipboardFormat("Draftwell Components");
    EXPECT_EQ(RegisterClipboardFormat("DRAFTWELL components"), a);
    EXPECT_EQ(RegisterWindowMessage("Draftwell Components"), a) << "formats and messages share one table";
    EXPECT_EQ(GetClipboardFormatName(a), "Draftwell Components");
    UINT b = RegisterClipboardFormat("Draftwell Other Format");
    EXPECT_NE(a, b);
    for (UINT n : {a, b}) {
        EXPECT_GE(n, 0xC000u);
        EXPECT_LT(n, 0xFFFFu);
    }
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT), "");
    EXPECT_EQ(GetClipboardFormatName(0xBFFF), "");
    EXPECT_THROW(RegisterClipboardFormat(""), EInvalidArgument);
}

TEST_F(ClipboardTest, RegistrationSkipsC002AndNeverHandsOutFFFF) {
    // Move the window manager's counter to the edges instead of registering thousands of names;
    // its table is restored so that other tests see the numbers they expect.
    auto& wm = WM();
    auto savedNames = wm.FRegisteredMessages;
    UINT savedNext = wm.FNextMessage;

    wm.FNextMessage = 0xC001;
    EXPECT_EQ(RegisterClipboardFormat("Edge Format C001"), 0xC001u);
    EXPECT_EQ(RegisterClipboardFormat("Edge Format After C001"), 0xC003u);

    wm.FNextMessage = 0xFFFE;
    EXPECT_EQ(RegisterClipboardFormat("Edge Format FFFE"), 0xFFFEu);
    EXPECT_THROW(RegisterClipboardFormat("Edge Format FFFF"), EOutOfResources);
    EXPECT_THROW(RegisterClipboardFormat("Edge Format FFFF"), EOutOfResources) << "and not on a second try either";

    wm.FRegisteredMessages = savedNames;
    wm.FNextMessage = savedNext;
}

TEST_F(ClipboardTest, OneOpeningAtATime) {
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "DwClipboardOwner";
    RegisterClass(wc);
    HWND w = CreateWindowEx(0, "DwClipboardOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0);
    ASSERT_NE(w, nullptr);

    EXPECT_FALSE(CloseClipboard()) << "nothing to close";
    ASSERT_TRUE(OpenClipboard(w));
    EXPECT_EQ(GetOpenClipboardWindow(), w);
    EXPECT_FALSE(OpenClipboard(w)) << "nested opening by the same window";
    EXPECT_FALSE(OpenClipboard(nullptr)) << "opening by anyone else";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);

    DestroyWindow(w);
    EXPECT_FALSE(OpenClipboard(w)) << "a destroyed window cannot open it";
}

TEST_F(ClipboardTest, ClosedClipboardRefusesChangesAndReadsAndTheCallerKeepsItsBlock) {
    ASSERT_TRUE(SetClipboardText("before"));
    HGLOBAL h = TextBlock("after");
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
    EXPECT_EQ(GlobalSize(h), 6u) << "a refused block stays the caller's";
    EXPECT_FALSE(SetClipboardData(CF_TEXT, TBytes{'x'}));
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    // The queries that need no opening still answer.
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 2);
    EXPECT_EQ(GetClipboardText(), "before");
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(ClipboardTest, PlacingWithoutEmptyingKeepsTheOtherFormats) {
    ASSERT_TRUE(SetClipboardText("some text"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(SetClipboardData(Components(), TBytes{1, 2, 3}));
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(Components()));
    EXPECT_EQ(CountClipboardFormats(), 3);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(Enumerated(), (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, Components()}));
    // Placing a format again replaces just that format.
    ASSERT_TRUE(SetClipboardData(Components(), TBytes{9}));
    TBytes bytes;
    ASSERT_TRUE(GetClipboardData(Components(), bytes));
    EXPECT_EQ(bytes, TBytes{9});
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardText(), "some text");
}

TEST_F(ClipboardTest, EmptyingRemovesEveryFormat) {
    ASSERT_TRUE(SetClipboardText("some text"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(SetClipboardData(Components(), TBytes{1, 2, 3}));
    ASSERT_TRUE(CloseClipboard());

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    ASSERT_TRUE(SetClipboardData(Components(), TBytes{4}));
    ASSERT_TRUE(CloseClipboard());

    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(Components()));
    EXPECT_EQ(CountClipboardFormats(), 1);
}

TEST_F(ClipboardTest, NumbersThatAreNoFormatAreRefused) {
    const UINT unknown[] = {0, 2, 0x1234, 0xBFFF, 0xFFFF};
    ASSERT_TRUE(OpenClipboard(nullptr));
    for (UINT f : unknown) {
        SCOPED_TRACE(f);
        EXPECT_FALSE(SetClipboardData(f, TBytes{1}));
        EXPECT_EQ(GetClipboardData(f), nullptr);
        EXPECT_FALSE(IsClipboardFormatAvailable(f));
    }
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST_F(ClipboardTest, GlobalMemoryHandlesCountLocksAndRecogniseStaleHandles) {
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr) << "unknown flag";
    HGLOBAL h = GlobalAlloc(GHND | GMEM_DDESHARE, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    auto* p = static_cast<std::uint8_t*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(TBytes(p, p + 16), TBytes(16, 0));
    EXPECT_EQ(GlobalLock(h), p) << "a block does not move while locked";
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_EQ(GlobalFree(h), h) << "a locked block is not freed";
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h)) << "unlocking an unlocked block";
    EXPECT_EQ(GlobalFree(h), nullptr);

    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalFree(h), h);
    HGLOBAL next = GlobalAlloc(GMEM_MOVEABLE, 16);
    EXPECT_NE(next, h) << "handles are not reused";
    GlobalFree(next);

    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    EXPECT_NE(GlobalLock(empty), nullptr) << "an empty block still locks";
    GlobalUnlock(empty);
    GlobalFree(empty);
}

// A display that refuses the clipboard (another program would not let go, say).
class TRefusingBackend : public THeadlessBackend {
public:
    void SetClipboardData(const String&, std::vector<std::uint8_t>) override {
        throw EInvalidOperation("The display refused the clipboard");
    }
};

TEST_F(ClipboardTest, BackendRefusalFailsThePlacementAndLeavesTheBlockWithTheCaller) {
    SetBackend(std::make_unique<TRefusingBackend>());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL h = Block({1, 2, 3});
    EXPECT_EQ(SetClipboardData(Components(), h), nullptr);
    EXPECT_EQ(Contents(h), (TBytes{1, 2, 3}));
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_FALSE(SetClipboardData(CF_TEXT, TBytes{'a'}));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(SetClipboardText("x"));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

} // namespace
} // namespace dw
