// A surface as a PNG file (8-bit RGB) and back, for screenshots and tests.
#pragma once

#include <string>

#include "platform/gdi/surface.h"

namespace plat {

// False when the file cannot be written or the surface is empty.
bool WriteSurfacePng(const Surface& surface, const std::string& path);

// Reads a PNG file into `out` as 0x00RRGGBB pixels; false when it cannot.
bool ReadSurfacePng(const std::string& path, Surface* out);

}  // namespace plat
