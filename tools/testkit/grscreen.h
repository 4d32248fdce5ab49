// Test fixture of the graphics layer on a plain surface: a device context
// on a W x H surface (no window), the shared handles set as the window
// layer sets them, and the layer started on it with its colour tables.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/desktop.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wwindow.h"
#include "tools/testkit/picture_output.h"

namespace tsd::grtest {

inline constexpr std::uint32_t kMark = 0x123456;  // background the tests paint first

struct Screen {
  plat::Surface surface;
  int depth = 32;
  int olddepth = 32;

  // bits: display bits per pixel; ncolours: the graphics colours a program
  // asks of windowopen (they count on a palette display, bits 8). The
  // colour state comes from the window layer as the root window's creation
  // sets it: what it learns of the display, the colours asked, ngColours
  // and, on a palette display, the palette.
  Screen(int w, int h, int ncolours = 16, int invert = 0, int bits = 32) : depth(bits) {
    // The window layer asks the display what it is; the headless one is
    // opened first (whatever display the machine has), then given the
    // depth of this test.
    if (!plat::display_is_open() && plat::display_open("headless", nullptr)) plat::install_desktop_hooks();
    olddepth = plat::DisplayColourDepth();
    plat::SetDisplayColourDepth(bits);
    surface.resize(w, h, kMark);
    hdc = plat::CreateSurfaceDC(&surface, plat::POINT{0, 0}, plat::RECT{0, 0, w, h});
    plat::SetBkMode(hdc, plat::TRANSPARENT);
    Window = nullptr;
    WinWidth = w;
    WinHeight = h;
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
    yylearndisplay();
    yyaskgraphicscolours(&ncolours);
    grdevice.invert = invert;
    std::fill(grdevice.capability, grdevice.capability + kCapabilityLength, ' ');
    std::fill(grdevice.capability + 1, grdevice.capability + 34, 'W');
    grfill = GrFill{};
    grdriverhook = nullptr;
    grdevice.ncolours = grdevice.requested;
    yysharedcolours();
    igrinit(" ");
    xxpali();
    infoerror(1);
  }
  ~Screen() {
    xxmwinremoveg();
    plat::DeleteSurfaceDC(hdc);
    hdc = nullptr;
    plat::SetDisplayColourDepth(olddepth);
    // The programs always draw in the normal scheme.
    InvertBW = 0;
    grdevice.invert = 0;
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
    const std::string path = testkit::pictureoutput("gr_pictures", name);
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
