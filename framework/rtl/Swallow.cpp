#include "framework/rtl/Swallow.h"

#include "framework/rtl/Exceptions.h"

#include <cstdio>

namespace dw {

namespace {
ISwallowedErrorSink* currentSink = nullptr;

String CurrentMessage() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}
} // namespace

ISwallowedErrorSink* SetSwallowedErrorSink(ISwallowedErrorSink* sink) {
    ISwallowedErrorSink* previous = currentSink;
    currentSink = sink;
    return previous;
}

void ReportSwallowed(TObject* sender) noexcept {
    String message = CurrentMessage();
    try {
        if (currentSink) {
            currentSink->ErrorSwallowed(sender, message);
            return;
        }
    } catch (...) {
        // A failing sink leaves the standard error stream.
    }
    std::fprintf(stderr, "draftwell: error stopped: %s\n", message.c_str());
}

} // namespace dw
