// Cleanup on every way out, and the one place that stops errors without losing them.
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace dw {
namespace {

class TRecordingSink : public ISwallowedErrorSink {
public:
    TRecordingSink() : FPrevious(SetSwallowedErrorSink(this)) {}
    ~TRecordingSink() { SetSwallowedErrorSink(FPrevious); }
    void ErrorSwallowed(TObject*, const String& message) override { Messages.push_back(message); }
    std::vector<String> Messages;

private:
    ISwallowedErrorSink* FPrevious;
};

TEST(ScopeGuard, ExitRunsOnReturnAndOnThrowFailOnlyOnThrow) {
    int exits = 0, fails = 0;
    auto body = [&](bool raise) {
        auto exit = ScopeExit([&] { ++exits; });
        auto fail = ScopeFail([&] { ++fails; });
        if (raise) throw EInvalidOperation("step failed");
    };
    body(false);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(fails, 0);
    EXPECT_THROW(body(true), EInvalidOperation);
    EXPECT_EQ(exits, 2);
    EXPECT_EQ(fails, 1);
}

TEST(ScopeGuard, ACleanupFailingWhileUnwindingIsReportedAndTheFirstErrorGoesOn) {
    TRecordingSink sink;
    try {
        auto cleanup = ScopeExit([] { throw EInvalidOperation("cleanup failed"); });
        throw EInvalidArgument("first");
    } catch (const EInvalidArgument& e) {
        EXPECT_EQ(e.Message(), "first");
    }
    EXPECT_EQ(sink.Messages, std::vector<String>{"cleanup failed"});
}

TEST(ScopeGuard, ACleanupFailingOnTheNormalPathReachesTheCaller) {
    auto body = [] { auto cleanup = ScopeExit([] { throw EInvalidOperation("cleanup failed"); }); };
    EXPECT_THROW(body(), EInvalidOperation);
}

TEST(ScopeGuard, DismissedGuardDoesNothing) {
    int runs = 0;
    {
        auto guard = ScopeExit([&] { ++runs; });
        guard.Dismiss();
    }
    EXPECT_EQ(runs, 0);
}

TEST(Swallow, ReportsWhatItStopsButNeverOutOfMemory) {
    TRecordingSink sink;
    Swallow([] { throw EComponentError("listener failed"); });
    Swallow([] { throw 42; });
    EXPECT_EQ(sink.Messages, (std::vector<String>{"listener failed", "Unknown exception"}));
    EXPECT_THROW(Swallow([] { throw std::bad_alloc(); }), std::bad_alloc);
}

} // namespace
} // namespace dw
