// Cleanup that runs on every way out of a scope: ScopeExit always, ScopeFail only when the scope
// is left by an exception (a half-made object freed, a failed step undone).
#pragma once

#include "framework/rtl/Swallow.h"

#include <exception>
#include <utility>

namespace dw {

template <class F, bool OnlyOnFailure> class TScopeGuard {
public:
    explicit TScopeGuard(F action) : FAction(std::move(action)), FUncaught(std::uncaught_exceptions()) {}
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;

    // A failing cleanup on the normal way out is the error the caller sees; while an exception is
    // already on its way, that first error is the one worth reporting and the cleanup's is logged.
    ~TScopeGuard() noexcept(false) {
        if (!FActive) return;
        bool failing = std::uncaught_exceptions() > FUncaught;
        if (failing)
            SwallowDuringUnwind(FAction);
        else if (!OnlyOnFailure)
            FAction();
    }

    // The scope succeeded in a way that needs no cleanup (ownership handed on).
    void Dismiss() { FActive = false; }

private:
    F FAction;
    int FUncaught;
    bool FActive = true;
};

template <class F> [[nodiscard]] TScopeGuard<F, false> ScopeExit(F action) {
    return TScopeGuard<F, false>(std::move(action));
}

template <class F> [[nodiscard]] TScopeGuard<F, true> ScopeFail(F action) {
    return TScopeGuard<F, true>(std::move(action));
}

} // namespace dw
