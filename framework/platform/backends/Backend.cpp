// The backend factory and the in-program clipboard every backend starts with.
#include "framework/platform/backends/Backend.h"

#include "framework/platform/backends/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstdlib>

namespace dw {

namespace {
std::function<std::unique_ptr<TBackend>()>& X11Factory() {
    static std::function<std::unique_ptr<TBackend>()> factory;
    return factory;
}
} // namespace

void RegisterX11BackendFactory(std::function<std::unique_ptr<TBackend>()> factory) {
    X11Factory() = std::move(factory);
}

std::unique_ptr<TBackend> CreateDefaultBackend() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display && X11Factory()) {
        if (auto backend = X11Factory()()) return backend;
    }
    return std::make_unique<THeadlessBackend>();
}

void TBackend::SetClipboardData(const String& format, std::vector<std::uint8_t> data) {
    for (auto& entry : FClipboard)
        if (entry.first == format) {
            entry.second = std::move(data);
            return;
        }
    FClipboard.emplace_back(format, std::move(data));
}

std::optional<std::vector<std::uint8_t>> TBackend::GetClipboardData(const String& format) const {
    for (const auto& entry : FClipboard)
        if (entry.first == format) return entry.second;
    return std::nullopt;
}

std::vector<String> TBackend::ClipboardFormats() const {
    std::vector<String> names;
    for (const auto& entry : FClipboard) names.push_back(entry.first);
    return names;
}

void TBackend::EmptyClipboard() {
    FClipboard.clear();
}

} // namespace dw
