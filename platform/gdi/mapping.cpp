// Mapping modes: the window and viewport of a device context, and the
// logical-to-device conversion they give.
#include "platform/gdi/display_state.h"
#include "platform/gdi/gdi_private.h"
#include "platform/gdi/metafile.h"
#include "platform/gdi/metafile_player.h"

namespace plat {

MapState MapStateOf(const DeviceContext* dc) {
  MapState m;
  m.mode = dc->map_mode;
  m.wox = dc->window_org.x;
  m.woy = dc->window_org.y;
  m.wex = dc->window_ext.cx;
  m.wey = dc->window_ext.cy;
  m.vox = dc->viewport_org.x;
  m.voy = dc->viewport_org.y;
  m.vex = dc->viewport_ext.cx;
  m.vey = dc->viewport_ext.cy;
  m.dpi = Display().dpi;
  return m;
}

void MapState::scale(double& sx, double& sy) const {
  // Fixed modes: units per inch, y upward.
  double perinch = 0.0;
  switch (mode) {
    case MM_LOMETRIC: perinch = 254.0; break;
    case MM_HIMETRIC: perinch = 2540.0; break;
    case MM_LOENGLISH: perinch = 100.0; break;
    case MM_HIENGLISH: perinch = 1000.0; break;
    case MM_TWIPS: perinch = 1440.0; break;
    default: break;
  }
  if (perinch > 0.0) {
    sx = dpi / perinch;
    sy = -dpi / perinch;
    return;
  }
  if (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) {
    sx = 1.0;
    sy = 1.0;
    return;
  }
  sx = wex != 0 ? vex / wex : 1.0;
  sy = wey != 0 ? vey / wey : 1.0;
  if (mode == MM_ISOTROPIC) {
    // One unit is as long in x as in y: the smaller scale for both.
    const double a = std::min(std::abs(sx), std::abs(sy));
    sx = sx < 0 ? -a : a;
    sy = sy < 0 ? -a : a;
  }
}

void MapState::apply(double x, double y, double& dx, double& dy) const {
  double sx = 1.0, sy = 1.0;
  scale(sx, sy);
  dx = (x - wox) * sx + vox;
  dy = (y - woy) * sy + voy;
}

int SetMapMode(HDC hdc, int mode) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  const int old = dc->map_mode;
  dc->map_mode = mode;
  return old;
}

int GetMapMode(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? 0 : dc->map_mode;
}

namespace {

BOOL setpoint(HDC hdc, POINT DeviceContext::*field, int x, int y, POINT* previous) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->*field;
  dc->*field = POINT{x, y};
  return TRUE;
}

BOOL setsize(HDC hdc, SIZE DeviceContext::*field, int x, int y, SIZE* previous) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || x == 0 || y == 0) return FALSE;
  if (previous != nullptr) *previous = dc->*field;
  dc->*field = SIZE{x, y};
  return TRUE;
}

template <class T>
BOOL get(HDC hdc, T DeviceContext::*field, T* out) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || out == nullptr) return FALSE;
  *out = dc->*field;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return setpoint(dc, &DeviceContext::viewport_org, x, y, previous);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return setpoint(dc, &DeviceContext::window_org, x, y, previous);
}
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous) {
  return setsize(dc, &DeviceContext::viewport_ext, x, y, previous);
}
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous) {
  return setsize(dc, &DeviceContext::window_ext, x, y, previous);
}
BOOL GetViewportOrgEx(HDC dc, POINT* org) { return get(dc, &DeviceContext::viewport_org, org); }
BOOL GetViewportExtEx(HDC dc, SIZE* ext) { return get(dc, &DeviceContext::viewport_ext, ext); }
BOOL GetWindowOrgEx(HDC dc, POINT* org) { return get(dc, &DeviceContext::window_org, org); }
BOOL GetWindowExtEx(HDC dc, SIZE* ext) { return get(dc, &DeviceContext::window_ext, ext); }

BOOL LPtoDP(HDC hdc, POINT* points, int count) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || points == nullptr || count < 0) return FALSE;
  const MapState m = MapStateOf(dc);
  for (int i = 0; i < count; ++i) {
    double x = 0, y = 0;
    m.apply(points[i].x, points[i].y, x, y);
    points[i] = POINT{RoundCoord(x), RoundCoord(y)};
  }
  return TRUE;
}

}  // namespace plat
