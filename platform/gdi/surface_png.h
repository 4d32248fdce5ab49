// Writing a surface as a PNG file (8-bit RGB), for screenshots and tests.
#pragma once

#include <string>

#include "platform/gdi/surface.h"

namespace plat {

// False when the file cannot be written or the surface is empty.
bool WriteSurfacePng(const Surface& surface, const std::string& path);

}  // namespace plat
