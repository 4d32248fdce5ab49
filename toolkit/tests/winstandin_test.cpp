// TEMPORARY: stands in for the drawing layer until it is merged into this
// branch; removed with that merge.
#include "platform/display/headless/screenshot.h"
#include "platform/user/desktop.h"

namespace plat {
struct DeviceContext {
  Surface* s;
  POINT o;
  RECT b;
};
HDC CreateSurfaceDC(Surface* surface, POINT origin, RECT bounds) { return new DeviceContext{surface, origin, bounds}; }
void SetSurfaceDCPlacement(HDC dc, Surface* surface, POINT origin, RECT bounds) { *dc = DeviceContext{surface, origin, bounds}; }
void DeleteSurfaceDC(HDC dc) { delete dc; }
Surface* SurfaceOfDC(HDC dc) { return dc ? dc->s : nullptr; }
void nc_paint(HWND) {}
void fill_with_class_brush(HDC, RECT, HBRUSH) {}
namespace headless {
bool write_screenshot(const Screen&, const std::string&, std::string* why) { *why = "not yet"; return false; }
}
}  // namespace plat
