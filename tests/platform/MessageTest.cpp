// The message queue: registered messages, posting and retrieval order, filters, timers, the quit
// message, translation of keys and errors thrown by window procedures.
#include "tests/platform/WmFixture.h"

#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

class MessageTest : public WmTest {};

TEST_F(MessageTest, RegisteredMessagesAreStableAndSkipTheDesignerNumber) {
    std::vector<UINT> numbers;
    for (int i = 0; i < 8; ++i) numbers.push_back(RegisterWindowMessage("DwTestMessage" + std::to_string(i)));
    for (UINT n : numbers) {
        EXPECT_GE(n, 0xC000u);
        EXPECT_NE(n, 0xC002u);
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());
    EXPECT_EQ(RegisterWindowMessage("DwTestMessage3"), RegisterWindowMessage("dwtestmessage3"));
    EXPECT_THROW(RegisterWindowMessage(""), EInvalidArgument);
}

TEST_F(MessageTest, PostedMessagesComeBeforeInputPaintAndTimers) {
    HWND w = Top({10, 10, 200, 200});
    Pump();
    SetTimer(w, 7, 10);
    Screen->SkipTime(20); // the timer is due, nobody ran the loop
    InvalidateRect(w, nullptr, false);
    Screen->InjectMouseMove(60, 60);
    PostMessage(w, WM_USER + 1, 0, 0);
    PostMessage(w, WM_USER + 2, 0, 0);
    TMsg msg;
    std::vector<UINT> order;
    while (order.size() < 10 && PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessage(msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageTest, TimersFireFromTheVirtualClockInOrder) {
    HWND w = Top({10, 10, 100, 100});
    SetTimer(w, 1, 30);
    SetTimer(w, 2, 50);
    Pump();
    Log.clear();
    Screen->AdvanceTime(100);
    std::vector<WPARAM> ids;
    for (const auto& e : Entries(w, WM_TIMER)) ids.push_back(e.wParam);
    // 30, 50, 60, 90, 100.
    EXPECT_EQ(ids, (std::vector<WPARAM>{1, 2, 1, 1, 2}));
    KillTimer(w, 1);
    Log.clear();
    Screen->AdvanceTime(100);
    EXPECT_EQ(Count(w, WM_TIMER), 2);
    for (const auto& e : Entries(w, WM_TIMER)) EXPECT_EQ(e.wParam, 2u);
}

TEST_F(MessageTest, TimeStandsStillUntilATestAdvancesIt) {
    HWND w = Top({10, 10, 100, 100});
    SetTimer(w, 1, 5);
    DWORD start = GetTickCount();
    Pump();
    EXPECT_EQ(Count(w, WM_TIMER), 0);
    EXPECT_EQ(GetTickCount(), start);
    Screen->AdvanceTime(50);
    EXPECT_EQ(Count(w, WM_TIMER), 10);
    EXPECT_EQ(GetTickCount(), start + 50);
}

TEST_F(MessageTest, TimerWithoutWindowCallsItsCallback) {
    int calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 20, [&](HWND, UINT msg, UINT_PTR, DWORD) {
        EXPECT_EQ(msg, WM_TIMER);
        ++calls;
    });
    EXPECT_NE(id, 0u);
    Screen->AdvanceTime(61);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(KillTimer(nullptr, id));
    Screen->AdvanceTime(100);
    EXPECT_EQ(calls, 3);
}

TEST_F(MessageTest, DestroyingAWindowDropsItsTimersAndPostedMessages) {
    HWND w = Top({10, 10, 100, 100});
    SetTimer(w, 1, 10);
    PostMessage(w, WM_USER, 0, 0);
    DestroyWindow(w);
    Screen->AdvanceTime(50);
    EXPECT_EQ(Count(w, WM_TIMER), 0);
    EXPECT_EQ(Count(w, WM_USER), 0);
    EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
}

TEST_F(MessageTest, PeekFiltersByWindowAndRangeAndCanLeaveMessages) {
    HWND a = Top({10, 10, 100, 100});
    HWND b = Top({200, 10, 300, 100});
    HWND bChild = Child(b, {0, 0, 10, 10});
    Pump();
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(bChild, WM_USER + 2, 0, 0);
    PostMessage(a, WM_USER + 3, 0, 0);
    TMsg msg;
    ASSERT_TRUE(PeekMessage(msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, bChild); // descendants count
    ASSERT_TRUE(PeekMessage(msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3);
    ASSERT_TRUE(PeekMessage(msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessage(msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_FALSE(PeekMessage(msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(MessageTest, GetMessageEndsAtQuitAndRefusesToWaitForever) {
    PostMessage(nullptr, WM_USER, 5, 0);
    PostQuitMessage(3);
    TMsg msg;
    EXPECT_TRUE(GetMessage(msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_FALSE(GetMessage(msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_THROW(GetMessage(msg, nullptr, 0, 0), EInvalidOperation);
}

TEST_F(MessageTest, IdleHandlerRunsWhenTheQueueRunsEmpty) {
    int idle = 0;
    SetIdleHandler([&] {
        ++idle;
        PostMessage(nullptr, WM_USER + 9, 0, 0);
    });
    TMsg msg;
    ASSERT_TRUE(GetMessage(msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 9);
    EXPECT_EQ(idle, 1);
    SetIdleHandler(nullptr);
}

TEST_F(MessageTest, TranslateMakesCharactersFromKeys) {
    HWND w = Top({10, 10, 100, 100});
    Pump();
    SetFocus(w);
    struct TCase {
        std::vector<int> keys; // pressed in order, released in reverse
        UINT expectedMsg;
        WPARAM expectedChar;
    };
    const TCase cases[] = {
        {{'A'}, WM_CHAR, 'a'},           {{VK_SHIFT, 'A'}, WM_CHAR, 'A'}, {{VK_SHIFT, '1'}, WM_CHAR, '!'},
        {{VK_CONTROL, 'C'}, WM_CHAR, 3}, {{VK_RETURN}, WM_CHAR, '\r'},    {{VK_MENU, 'X'}, WM_SYSCHAR, 'x'},
        {{VK_OEM_MINUS}, WM_CHAR, '-'},
    };
    for (const TCase& c : cases) {
        Log.clear();
        for (int k : c.keys) Screen->InjectKeyDown(k);
        for (auto it = c.keys.rbegin(); it != c.keys.rend(); ++it) Screen->InjectKeyUp(*it);
        Pump();
        auto chars = Entries(w, c.expectedMsg);
        ASSERT_EQ(chars.size(), 1u) << "key " << c.keys.back();
        EXPECT_EQ(chars[0].wParam, c.expectedChar) << "key " << c.keys.back();
    }
    Log.clear();
    Screen->TypeText("Hi, é!");
    std::string typed;
    for (const auto& e : Entries(w, WM_CHAR)) AppendUtf8(typed, static_cast<char32_t>(e.wParam));
    EXPECT_EQ(typed, "Hi, é!");
}

TEST_F(MessageTest, ExceptionsFromWindowProceduresReachTheCaller) {
    HWND w = Top({10, 10, 100, 100});
    Pump();
    On(w, WM_USER, [](HWND, WPARAM, LPARAM) -> LRESULT { throw EInvalidOperation("boom"); });
    EXPECT_THROW(SendMessage(w, WM_USER, 0, 0), EInvalidOperation);
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER + 1, 0, 0);
    TMsg msg;
    ASSERT_TRUE(PeekMessage(msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_THROW(DispatchMessage(msg), EInvalidOperation);
    // The queue goes on.
    ASSERT_TRUE(PeekMessage(msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
}

TEST_F(MessageTest, SendingToADestroyedWindowIsHarmless) {
    HWND w = Top({10, 10, 100, 100});
    DestroyWindow(w);
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(DestroyWindow(w));
}

} // namespace
} // namespace dw::test
