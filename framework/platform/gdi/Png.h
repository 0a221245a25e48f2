// PNG files to and from TSurface (libpng): screenshots for people and tests, expected images,
// and the picture classes' PNG format.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/rtl/SysUtils.h"

#include <cstdint>
#include <vector>

namespace dw {

// Writes the part of rect inside the surface (the whole surface when rect is null) as an 8-bit
// RGB PNG, or RGBA when withAlpha (colours un-premultiplied). Raises EFCreateError naming the file
// when it cannot be written, EInvalidArgument when the area is empty.
void SavePng(const TSurface& surface, const String& fileName, const TRect* rect = nullptr, bool withAlpha = false);
std::vector<std::uint8_t> EncodePng(const TSurface& surface, const TRect* rect = nullptr, bool withAlpha = false);

// Reads any PNG (palette, grey, 16-bit, interlaced, with or without alpha) into a new surface
// with premultiplied alpha. hasAlpha (optional) tells whether the image had transparency.
// Raises EReadError naming the file (or EInvalidImage for a corrupt image, and for images larger
// than TSurface allows).
TSurface LoadPng(const String& fileName, bool* hasAlpha = nullptr);
TSurface DecodePng(const std::uint8_t* data, std::size_t size, bool* hasAlpha = nullptr);

} // namespace dw
