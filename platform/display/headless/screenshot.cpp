// Writing the composed headless screen as PNG (through the drawing
// layer's PNG writer).
#include "platform/display/headless/screenshot.h"

#include "platform/gdi/surface_png.h"

namespace plat::headless {

bool write_screenshot(const Screen& screen, const std::string& path, std::string* why) {
  Surface s = screen.compose();
  if (!WriteSurfacePng(s, path)) {
    *why = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace plat::headless
