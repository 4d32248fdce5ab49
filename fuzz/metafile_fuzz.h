// What both metafile fuzz targets share: a drawing surface of the size of a
// program window with a context in a known state, and the checks that
// playback leaves the context as it found it.
#pragma once

#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"

namespace fuzzmeta {

inline void check(bool ok) {
  if (!ok) std::abort();
}

struct Canvas {
  plat::Surface surface;
  plat::HDC dc = nullptr;
  plat::HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr;
  plat::RECT clipbox{};

  Canvas(int w, int h) {
    surface.resize(w, h, 0x00ffffff);
    dc = plat::CreateSurfaceDC(&surface, {0, 0}, {0, 0, w, h});
    pen = plat::GetCurrentObject(dc, plat::OBJ_PEN);
    brush = plat::GetCurrentObject(dc, plat::OBJ_BRUSH);
    font = plat::GetCurrentObject(dc, plat::OBJ_FONT);
    plat::GetClipBox(dc, &clipbox);
  }
  ~Canvas() { plat::DeleteSurfaceDC(dc); }

  // The objects, modes and clip of the context are those it had before.
  void unchanged() const {
    check(plat::GetCurrentObject(dc, plat::OBJ_PEN) == pen);
    check(plat::GetCurrentObject(dc, plat::OBJ_BRUSH) == brush);
    check(plat::GetCurrentObject(dc, plat::OBJ_FONT) == font);
    check(plat::GetROP2(dc) == plat::R2_COPYPEN);
    plat::RECT box{};
    plat::GetClipBox(dc, &box);
    check(box.left == clipbox.left && box.top == clipbox.top && box.right == clipbox.right &&
          box.bottom == clipbox.bottom);
  }
};

}  // namespace fuzzmeta
