// Resources compiled into the program, found by name and type ("RCDATA" for stored form
// descriptions, "BITMAP" for bitmaps). Names compare without regard to case.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <cstddef>

namespace dw {

struct TResourceData {
    const unsigned char* Data = nullptr;
    size_t Size = 0;
};

// Registers a resource; the data must live as long as the program. Registering the same name
// and type again replaces the earlier data.
void RegisterResource(const String& name, const String& type, const unsigned char* data, size_t size);
// The resource, or nullptr data when there is none.
TResourceData FindResource(const String& name, const String& type);

// Registers a resource from a static initialiser: DW_RESOURCE(TMDIFORM, "RCDATA", bytes).
struct TResourceRegistration {
    TResourceRegistration(const char* name, const char* type, const unsigned char* data, size_t size) {
        RegisterResource(name, type, data, size);
    }
};

} // namespace dw
