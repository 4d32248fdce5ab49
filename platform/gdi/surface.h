// Pixel surfaces and the device contexts that draw on them.
//
// Every top-level window (its frame and all its children) owns one Surface;
// a window's device context draws into a rectangle of it, with its own
// origin and clip. Memory device contexts draw into a bitmap's Surface.
// This is the seam between the window manager (platform/user) and the
// rasteriser (platform/gdi).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace plat {

// 32-bit pixels, 0x00RRGGBB, rows top to bottom.
struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  // Counts the drawing done through device contexts; whoever shows the
  // pixels compares it with the count when it last showed them.
  std::uint64_t changes = 0;

  void resize(int w, int h, std::uint32_t fill = 0) {
    width = w < 0 ? 0 : w;
    height = h < 0 ? 0 : h;
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
  }
  std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
  const std::uint32_t* row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
};

// Device context on a rectangle of a surface: logical (0,0) maps to
// `origin` on the surface, and nothing outside `bounds` (surface
// coordinates, exclusive right/bottom) is ever touched. The window manager
// calls this for GetDC/BeginPaint and moves or shrinks the rectangle when
// the window moves, resizes or is partly covered by a sibling.
HDC CreateSurfaceDC(Surface* surface, POINT origin, RECT bounds);
void SetSurfaceDCPlacement(HDC dc, Surface* surface, POINT origin, RECT bounds);
// Rectangles inside the bounds (surface coordinates) that belong to windows
// in front of the context's window: nothing is drawn there. Replaces the
// previous set; an empty set removes them.
void SetSurfaceDCHoles(HDC dc, std::vector<RECT> holes);
void DeleteSurfaceDC(HDC dc);

// The surface a device context draws on (the window's, or the selected
// bitmap's for a memory context), or nullptr.
Surface* SurfaceOfDC(HDC dc);

}  // namespace plat
