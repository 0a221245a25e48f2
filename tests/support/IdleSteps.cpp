#include "tests/support/IdleSteps.h"

#include "framework/controls/forms/Forms.h"

namespace dw::test {

TIdleSteps::TIdleSteps() {
    FKey = Application->AddIdleUpdate([this] { Run(); });
}

TIdleSteps::~TIdleSteps() {
    Application->RemoveIdleUpdate(FKey);
}

void TIdleSteps::Run() {
    if (FSteps.empty() || (FSteps.front().first && !FSteps.front().first())) return;
    auto step = std::move(FSteps.front().second);
    FSteps.pop_front();
    step();
}

} // namespace dw::test
