// An owning handle for a drawing object (brush, pen, font, bitmap, region): it is deleted when
// the handle goes out of scope, also when drawing throws on the way.
#pragma once

#include "framework/platform/gdi/GdiObjects.h"

#include <utility>

namespace dw {

class TGdiHandle {
public:
    TGdiHandle() = default;
    explicit TGdiHandle(HGDIOBJ object) : FObject(object) {}
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    TGdiHandle(TGdiHandle&& other) noexcept : FObject(other.Release()) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~TGdiHandle() { Reset(); }

    HGDIOBJ Get() const { return FObject; }
    operator HGDIOBJ() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }
    // Hands the object over to whoever deletes it now.
    HGDIOBJ Release() { return std::exchange(FObject, nullptr); }
    void Reset(HGDIOBJ object = nullptr) {
        if (HGDIOBJ old = std::exchange(FObject, object)) DeleteObject(old);
    }

private:
    HGDIOBJ FObject = nullptr;
};

} // namespace dw
