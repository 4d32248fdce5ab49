// Graphics state set-up: start of the layer, area, user units, clearing,
// window size and the mapping between user units and device coordinates.
#include "toolkit/graphics/grmapping.h"

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"

namespace tsd {

namespace {

// Scale of one axis: device size per user unit, the device size itself
// when the units have no positive extent.
float axisscale(float devsize, float unitsize) {
  return unitsize > 0.0f ? devsize / unitsize : devsize;
}

}  // namespace

int xxe2i(float x, float y, float& dx, float& dy) {
  dx = (x - grstate.unitsx1) * grstate.scalex + grstate.devx1;
  dy = (y - grstate.unitsy1) * grstate.scaley + grstate.devy1;
  return 0;
}

int xxi2e(float dx, float dy, float& x, float& y) {
  x = (dx - grstate.devx1) / grstate.scalex + grstate.unitsx1;
  y = (dy - grstate.devy1) / grstate.scaley + grstate.unitsy1;
  return 0;
}

int xxwing(float x1, float y1, float x2, float y2) {
  if (x1 <= 0.0f) x1 = 0.0f;
  if (y1 <= 0.0f) y1 = 0.0f;
  if (x2 > grstate.winwidth) x2 = grstate.winwidth;
  if (y2 > grstate.winheight) y2 = grstate.winheight;
  grstate.devx1 = x1;
  grstate.devy1 = y1;
  grstate.devx2 = x2;
  grstate.devy2 = y2;
  grstate.boxx1 = x1 - 0.001f;
  grstate.boxy1 = y1 - 0.001f;
  grstate.boxx2 = x2 + 0.001f;
  grstate.boxy2 = y2 + 0.001f;
  grstate.pixx1 = itrunc(x1);
  grstate.pixy1 = itrunc(y1);
  grstate.pixx2 = itrunc(x2);
  grstate.pixy2 = itrunc(y2);
  grstate.pixwidth = grstate.pixx2 - grstate.pixx1 + 1;
  grstate.pixheight = grstate.pixy2 - grstate.pixy1 + 1;
  grstate.devwidth = x2 - x1;
  grstate.devheight = y2 - y1;
  xxgdrv(kDrvClip);
  return 0;
}

int igrarea(float x1, float y1, float x2, float y2) {
  // A negative zero passes as 0 for the lower bound and fails 0 < x2.
  if (x1 >= 0.0f && x1 < 1.0f && x2 > 0.0f && x2 <= 1.0f && x2 > x1) {
    grstate.areax1 = x1;
    grstate.areax2 = x2;
  } else {
    grstate.areax1 = 0.0f;
    grstate.areax2 = 1.0f;
    xxerror(kErrArea);
  }
  if (y1 >= 0.0f && y1 < 1.0f && y2 > 0.0f && y2 <= 1.0f && y2 > y1) {
    grstate.areay1 = y1;
    grstate.areay2 = y2;
  } else {
    grstate.areay1 = 0.0f;
    grstate.areay2 = 1.0f;
    xxerror(kErrArea);
  }
  const float ww = grstate.winwidth;
  const float wh = grstate.winheight;
  xxwing(ww * grstate.areax1, wh * grstate.areay1, ww * grstate.areax2, wh * grstate.areay2);
  grstate.scalex = axisscale(grstate.devwidth, grstate.unitswidth);
  grstate.scaley = axisscale(grstate.devheight, grstate.unitsheight);
  grstate.areawidth = grstate.areax2 - grstate.areax1;
  grstate.areaheight = grstate.areay2 - grstate.areay1;
  grstate.areadevwidth = grstate.devwidth;
  grstate.areadevheight = grstate.devheight;
  if (grtexthooks.charsize != nullptr) grtexthooks.charsize(grstate.charfw, grstate.charfh);
  return 0;
}

int igrunits(float x1, float y1, float x2, float y2) {
  // Written as "not ascending" so that a value that is not a number is
  // refused like a descending pair.
  if (!(x2 > x1)) {
    grstate.unitsx1 = 0.0f;
    grstate.unitsx2 = 1.0f;
    xxerror(kErrUserUnits);
  } else {
    grstate.unitsx1 = x1;
    grstate.unitsx2 = x2;
  }
  if (!(y2 > y1)) {
    grstate.unitsy1 = 0.0f;
    grstate.unitsy2 = 1.0f;
  } else {
    grstate.unitsy1 = y1;
    grstate.unitsy2 = y2;
  }
  grstate.unitswidth = grstate.unitsx2 - grstate.unitsx1;
  grstate.unitsheight = grstate.unitsy2 - grstate.unitsy1;
  grstate.areaunitswidth = grstate.unitswidth;
  grstate.areaunitsheight = grstate.unitsheight;
  grstate.scalex = grstate.devwidth / grstate.unitswidth;
  grstate.scaley = grstate.devheight / grstate.unitsheight;
  return 0;
}

int xxresn() {
  const int w = quorba01.clientwidth;
  const int h = quorba01.clientheight;
  grdevice.width = w;
  grdevice.height = h;
  grdevice.width2 = w;
  grdevice.height2 = h;
  grdevice.maxcol = w - 1;
  grdevice.maxrow = h - 1;
  grstate.winpixw = w;
  grstate.winpixh = h;
  grstate.winwidth = static_cast<float>(w) - 0.01f;
  grstate.winheight = static_cast<float>(h) - 0.01f;
  grstate.aspect = h == 0 ? 1.0f : static_cast<float>(w) / static_cast<float>(h);
  igrarea(grstate.areax1, grstate.areay1, grstate.areax2, grstate.areay2);
  return 0;
}

int xxgscr() {
  grdevice.ncolours = grdevice.requested;
  grstate.devcolourscopy = grdevice.requested;
  tkdevices.screenon = 1;
  // The colour tables are built before the first colour reaches the
  // device, so that the first pen already has its real colour.
  xxpali();
  xxgdrv(kDrvReset);
  xxresn();
  // Copies: igrcolourn moves the current colour into the previous slot
  // before it reads its argument's value.
  const int previous = grstate.prevcolour;
  const int current = grstate.colour;
  igrcolourn(previous);
  igrcolourn(current);
  xxgdrv(kDrvPlotMode);
  xxgdrv(kDrvLineType);
  xxgdrv(kDrvFontSize);
  return 0;
}

int igrinit(std::string_view options) {
  grstate.areax1 = 0.0f;
  grstate.areay1 = 0.0f;
  grstate.areax2 = 1.0f;
  grstate.areay2 = 1.0f;
  grstate.unitswidth = 1.0f;
  grstate.unitsheight = 1.0f;
  grstate.areawidth = 1.0f;
  grstate.areaheight = 1.0f;
  grstate.basecharw = 75.0f;
  grstate.basecharh = 25.0f;
  grstate.charfw = 1.0f;
  grstate.charfh = 1.0f;
  grstate.textangle = 0.0f;
  grstate.justification = 0;
  grstate.spacing = 0;
  grstate.fontnumber = 1;
  grstate.fontkind = 0;
  grstate.underline = 0;
  grstate.vertical = 0;
  grstate.anglesteps[0] = 1;
  grstate.anglesteps[1] = 1;
  grstate.prevcolour = 0;
  grstate.colour = 223;
  grstate.plotmode = 0;
  if (xxopt(options, 'H')) {
    tkdevices.screenon = 0;
    xxresn();
  } else {
    xxgscr();
  }
  if (grtexthooks.initfonts != nullptr) grtexthooks.initfonts();
  igrunits(0.0f, 0.0f, 1.0f, 1.0f);
  grstate.curx = 0.0f;
  grstate.cury = 0.0f;
  grfill.pattern = 0;
  grfill.outline = 1;
  grfill.selfscreen = 0;
  grfill.selfhardcopy = 0;
  return 0;
}

int igrareaclear() {
  if (grstate.pixx1 == 0 && grstate.pixx2 == grstate.winpixw - 1 && grstate.pixy1 == 0 &&
      grstate.pixy2 == grstate.winpixh - 1) {
    xxgdrv(kDrvClear);
    return 0;
  }
  const int pattern = grfill.pattern;
  const int plotmode = grstate.plotmode;
  const int devcolour = grstate.devcolour;
  const int colour = grstate.colour;
  grfill.pattern = 4;
  const bool modechanged = plotmode != 0;
  if (modechanged) {
    grstate.plotmode = 0;
    xxgdrv(kDrvPlotMode);
  }
  const bool colourchanged = devcolour != 0;
  if (colourchanged) {
    grstate.devcolour = 0;
    grstate.colour = 0;
    xxgdrv(kDrvColour);
  }
  grdrvparams.ix1 = grstate.pixx1;
  grdrvparams.iy1 = grstate.pixy1;
  grdrvparams.ix2 = grstate.pixx2;
  grdrvparams.iy2 = grstate.pixy2;
  xxgdrv(kDrvRectangleSolid);
  grfill.pattern = pattern;
  if (modechanged) {
    grstate.plotmode = plotmode;
    xxgdrv(kDrvPlotMode);
  }
  if (colourchanged) {
    grstate.devcolour = devcolour;
    grstate.colour = colour;
    xxgdrv(kDrvColour);
  }
  return 0;
}

}  // namespace tsd
