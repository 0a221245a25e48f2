// Steps for a modal loop (a menu being tracked, a modal box, a dialog): each idle pass of the
// application runs the next one, so a test can act inside a loop that waits for input.
#pragma once

#include <deque>
#include <functional>
#include <utility>

namespace dw::test {

class TIdleSteps {
public:
    TIdleSteps();
    ~TIdleSteps();
    TIdleSteps(const TIdleSteps&) = delete;
    TIdleSteps& operator=(const TIdleSteps&) = delete;
    TIdleSteps& Then(std::function<void()> step) {
        FSteps.push_back({nullptr, std::move(step)});
        return *this;
    }
    // A step that waits for the first idle pass on which ready() holds.
    TIdleSteps& When(std::function<bool()> ready, std::function<void()> step) {
        FSteps.push_back({std::move(ready), std::move(step)});
        return *this;
    }
    int Left() const { return static_cast<int>(FSteps.size()); }

private:
    void Run();
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> FSteps;
    int FKey = 0;
};

} // namespace dw::test
