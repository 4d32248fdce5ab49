// Test fixture of the graphics layer on a plain surface: a device context
// on a W x H surface (no window), the shared handles set as the window
// layer sets them, and the layer started on it with its colour tables.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/gdi/gdi.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "tools/testkit/files.h"

namespace tsd::grtest {

inline constexpr std::uint32_t kMark = 0x123456;  // background the tests paint first

struct Screen {
  plat::Surface surface;
  int depth = 32;
  int olddepth = 32;

  // ncolours: graphics colours (grdevice and ngColours); depth: display
  // bits per pixel (8 = palette display, where the palette is defined as
  // the root window's creation does).
  Screen(int w, int h, int ncolours = 256, int invert = 0, int bits = 32) : depth(bits) {
    olddepth = plat::DisplayColourDepth();
    plat::SetDisplayColourDepth(bits);
    surface.resize(w, h, kMark);
    hdc = plat::CreateSurfaceDC(&surface, plat::POINT{0, 0}, plat::RECT{0, 0, w, h});
    plat::SetBkMode(hdc, plat::TRANSPARENT);
    Window = nullptr;
    WinWidth = w;
    WinHeight = h;
    ngColours = ncolours;
    InvertBW = invert;
    gPen = nullptr;
    penOLD = nullptr;
    gFont = nullptr;
    gPal256 = nullptr;
    gRegion = nullptr;
    gBitmap = nullptr;
    gStippleExists = 0;
    gStippleChanged = 1;
    gLinetype = 0;
    gPlotmode = 13;
    plat::SetROP2(hdc, gPlotmode);
    quorba01.clientwidth = w;
    quorba01.clientheight = h;
    grdevice.requested = ncolours;
    grdevice.invert = invert;
    std::fill(grdevice.capability, grdevice.capability + kCapabilityLength, ' ');
    std::fill(grdevice.capability + 1, grdevice.capability + 34, 'W');
    grfill = GrFill{};
    grdriverhook = nullptr;
    grdevice.ncolours = ncolours;
    if (bits == 8) xxmwindefinepalette(1);
    igrinit(" ");
    xxpali();
    infoerror(1);
  }
  ~Screen() {
    xxmwinremoveg();
    plat::DeleteSurfaceDC(hdc);
    hdc = nullptr;
    plat::SetDisplayColourDepth(olddepth);
  }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Pixel at GDI column x, row y (rows from the top), 0xRRGGBB.
  std::uint32_t at(int x, int y) const { return surface.row(y)[x] & 0xffffffu; }
  // Pixel at device coordinates of the layer (rows from the bottom).
  std::uint32_t dev(int x, int y) const { return at(x, surface.height - 1 - y); }
  void fill(std::uint32_t c) { std::fill(surface.pixels.begin(), surface.pixels.end(), c); }
  int count(std::uint32_t c) const {
    return static_cast<int>(std::count_if(surface.pixels.begin(), surface.pixels.end(),
                                          [c](std::uint32_t p) { return (p & 0xffffffu) == c; }));
  }
  // Writes the surface as PNG into the build tree (for a person to look at).
  std::string save(const std::string& name) const {
    const std::string path = testkit::buildtree() + "/" + name;
    plat::WriteSurfacePng(surface, path);
    return path;
  }
};

// Pixels per user unit 1: units equal to device pixels of the whole window.
inline void pixelunits(const Screen& s) {
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrunits(0.0f, 0.0f, static_cast<float>(s.surface.width) - 0.01f,
           static_cast<float>(s.surface.height) - 0.01f);
}

}  // namespace tsd::grtest
