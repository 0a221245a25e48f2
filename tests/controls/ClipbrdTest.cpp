// TClipboard over the platform clipboard: text, registered formats as bytes and handles, several
// formats placed in one Open/Close block, and the errors.
#include "CoreFixture.h"

#include "framework/controls/graphics/Clipbrd.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StringList.h"

#include <cstring>

namespace dw::test {
namespace {

using ClipboardTest = CoreTest;

TEST_F(ClipboardTest, TextRoundTrip) {
    Clipboard()->SetAsText("Grüße, Welt");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "Grüße, Welt");
    // Others see it through the platform, and the other way round.
    EXPECT_EQ(GetClipboardText().value_or(""), "Grüße, Welt");
    SetClipboardText("from elsewhere");
    EXPECT_EQ(Clipboard()->AsText(), "from elsewhere");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");
    auto lines = MakeObject<TStringList>();
    lines->Add("one");
    lines->Add("two");
    Clipboard()->Assign(lines.get());
    EXPECT_EQ(Clipboard()->AsText(), "one\ntwo\n");
}

TEST_F(ClipboardTest, FormatsPlacedInOneBlockGoTogether) {
    UINT components = RegisterClipboardFormat("Draftwell Components");
    const std::vector<std::uint8_t> bytes{'T', 'P', 'F', '0', 0, 1, 2, 0};
    Clipboard()->SetAsText("old text");
    Clipboard()->Open();
    Clipboard()->SetBuffer(components, bytes);
    Clipboard()->SetAsText("object Button1: TButton");
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->GetBuffer(components), bytes);
    EXPECT_EQ(Clipboard()->AsText(), "object Button1: TButton");
    // Text is offered in both text formats.
    std::vector<UINT> formats;
    for (int i = 0; i < Clipboard()->FormatCount(); ++i) formats.push_back(Clipboard()->Formats(i));
    std::sort(formats.begin(), formats.end());
    EXPECT_EQ(formats, (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, components}));
    EXPECT_THROW(Clipboard()->Formats(3), EListError);
    EXPECT_THROW(Clipboard()->Formats(-1), EListError);
    // A format placed outside a block replaces everything.
    Clipboard()->SetAsText("alone");
    EXPECT_FALSE(Clipboard()->HasFormat(components));
}

TEST_F(ClipboardTest, HandlesLiveWhileTheClipboardIsOpen) {
    UINT format = RegisterClipboardFormat("Draftwell Components");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(GlobalLock(block), "hello", 5);
    GlobalUnlock(block);
    Clipboard()->SetAsHandle(format, block);

    EXPECT_THROW(Clipboard()->GetAsHandle(format), EInvalidOperation);
    Clipboard()->Open();
    HGLOBAL got = Clipboard()->GetAsHandle(format);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(GlobalSize(got), 5u);
    EXPECT_EQ(std::memcmp(GlobalLock(got), "hello", 5), 0);
    GlobalUnlock(got);
    EXPECT_EQ(Clipboard()->GetAsHandle(RegisterClipboardFormat("Nothing here")), nullptr);
    Clipboard()->Close();

    // A handle that cannot be placed is freed and the failure reported.
    HGLOBAL stray = GlobalAlloc(GMEM_MOVEABLE, 1);
    EXPECT_THROW(Clipboard()->SetAsHandle(0x7777, stray), EInvalidOperation);
    EXPECT_EQ(GlobalSize(stray), 0u) << "freed";
}

TEST_F(ClipboardTest, OpenElsewhereIsAnError) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_THROW(Clipboard()->SetAsText("x"), EInvalidOperation);
    EXPECT_FALSE(Clipboard()->IsOpen());
    CloseClipboard();
    Clipboard()->SetAsText("x");
    EXPECT_EQ(Clipboard()->AsText(), "x");
}

} // namespace
} // namespace dw::test
