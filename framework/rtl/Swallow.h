// The one place where errors that must not escape (a listener of a broadcast, an undo step, a
// cleanup while another error is on its way) are stopped: they are reported, never dropped
// silently, and running out of memory is never stopped.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <new>

namespace dw {

class TObject;

// Receives the errors that were stopped. The application installs one that hands them to its
// exception event; without one they are written to the standard error stream.
class ISwallowedErrorSink {
public:
    virtual void ErrorSwallowed(TObject* sender, const String& message) = 0;

protected:
    ~ISwallowedErrorSink() = default;
};

// The sink in use (null: the standard error stream); the previous one is returned.
ISwallowedErrorSink* SetSwallowedErrorSink(ISwallowedErrorSink* sink);

// Reports the exception being handled; call it from a catch block.
void ReportSwallowed(TObject* sender = nullptr) noexcept;

// Runs action; an exception it raises is reported and goes no further, except std::bad_alloc.
template <class F> void Swallow(F&& action, TObject* sender = nullptr) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        ReportSwallowed(sender);
    }
}

// Runs action while another exception is already unwinding: nothing may escape then, not even
// std::bad_alloc (the error on its way is the one the caller sees).
template <class F> void SwallowDuringUnwind(F&& action) noexcept {
    try {
        action();
    } catch (...) {
        ReportSwallowed(nullptr);
    }
}

} // namespace dw
