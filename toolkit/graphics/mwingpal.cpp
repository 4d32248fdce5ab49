// GDI drawing layer, part two: hardware text, rectangle moves, the
// logical palette and the removal of the graphics objects.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/region.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/text.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/graphics/mwingstate.h"
#include "toolkit/window/records.h"

namespace tsd {

using mwing::ShapeObjects;
using mwing::state;

namespace {

// The logical-palette record: header and entries in one block (word
// aligned, as the record starts with two words).
std::vector<std::uint16_t> palettememory;

plat::LOGPALETTE* logpalette() {
  return palettememory.empty() ? nullptr : reinterpret_cast<plat::LOGPALETTE*>(palettememory.data());
}

int paletteentries() {
  const plat::LOGPALETTE* lp = logpalette();
  return lp == nullptr ? 0 : lp->palNumEntries;
}

void allocatepalette(int count) {
  const std::size_t bytes = sizeof(plat::LOGPALETTE) +
                            static_cast<std::size_t>(count) * sizeof(plat::PALETTEENTRY);
  palettememory.assign((bytes + 1) / 2, 0);
  plat::LOGPALETTE* lp = logpalette();
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<plat::WORD>(count);
}

void setentry(int i, int r, int g, int b) {
  plat::PALETTEENTRY* e = logpalette()->palPalEntry;
  e[i] = plat::PALETTEENTRY{static_cast<plat::BYTE>(r), static_cast<plat::BYTE>(g),
                            static_cast<plat::BYTE>(b), 0};
}

// The 16 basic colours after the graphics colours of the palette.
constexpr std::uint32_t kBasicColours[16] = {
    0x000000, 0xbf0000, 0xbfbf00, 0x00bf00, 0x00bfbf, 0x0000bf, 0xbf00bf, 0xbfbfbf,
    0x404040, 0xff0000, 0xffff00, 0x00ff00, 0x00ffff, 0x0000ff, 0xff00ff, 0xffffff};

}  // namespace

int xxmwintextsize(int font, int width, int& height, int angle, int family) {
  if (gFont != nullptr) {
    plat::DeleteObject(gFont);
    gFont = nullptr;
  }
  const char* face = "Courier New";
  int pitchfamily = plat::VARIABLE_PITCH | plat::FF_MODERN;
  if (family == 1) {
    face = "Arial";
    pitchfamily = plat::VARIABLE_PITCH | plat::FF_SWISS;
  } else if (family == 2) {
    face = "Times New Roman";
    pitchfamily = plat::VARIABLE_PITCH | plat::FF_ROMAN;
  }
  int weight = plat::FW_NORMAL;
  plat::DWORD italic = 0;
  switch (font) {
    case 2:
    case 6:
      italic = 1;
      break;
    case 3:
    case 7:
      weight = plat::FW_BOLD;
      break;
    case 4:
    case 8:
      weight = plat::FW_BOLD;
      italic = 1;
      break;
    default:
      break;
  }
  gFont = plat::CreateFontA(-height, width, angle * 10, 0, weight, italic, 0, 0,
                            plat::DEFAULT_CHARSET, plat::OUT_TT_PRECIS, plat::CLIP_DEFAULT_PRECIS,
                            plat::DEFAULT_QUALITY, static_cast<plat::DWORD>(pitchfamily), face);
  if (hdc != nullptr && gFont != nullptr) {
    plat::HGDIOBJ old = plat::SelectObject(hdc, gFont);
    plat::TEXTMETRICA tm;
    if (plat::GetTextMetricsA(hdc, &tm)) height = tm.tmHeight;
    plat::SelectObject(hdc, old);
  }
  return 0;
}

int xxmwindrawstring(int x, int y, const char* text, int n) {
  if (hdc == nullptr || text == nullptr || n <= 0) return 0;
  const plat::COLORREF oldcolour = plat::SetTextColor(hdc, state.current);
  const int oldmode = plat::SetBkMode(hdc, plat::TRANSPARENT);
  plat::HGDIOBJ oldfont = gFont != nullptr ? plat::SelectObject(hdc, gFont) : nullptr;
  plat::TextOutA(hdc, x, y, text, n);
  if (oldfont != nullptr) plat::SelectObject(hdc, oldfont);
  plat::SetBkMode(hdc, oldmode);
  plat::SetTextColor(hdc, oldcolour);
  return 0;
}

int xxmwinblit(int xs, int ys, int xd, int yd, int w, int h, int fill) {
  if (hdc == nullptr || w <= 0 || h <= 0) return 0;
  plat::DWORD rop = plat::SRCCOPY;
  if (gPlotmode == plat::R2_MERGEPEN) rop = plat::SRCPAINT;
  if (gPlotmode == plat::R2_MASKPEN) rop = plat::SRCAND;
  if (gPlotmode == plat::R2_XORPEN) rop = plat::SRCINVERT;
  mwing::clipon();
  plat::BitBlt(hdc, xd, yd, w, h, hdc, xs, ys, rop);
  if (fill != 0) {
    // The part of the source that the destination does not cover, in
    // inclusive pixel corners: the whole source, one strip, or an L.
    const int dx = xd - xs;
    const int dy = yd - ys;
    const int right = xs + w - 1;
    const int bottom = ys + h - 1;
    plat::POINT pts[6];
    int n = 0;
    if (dx == 0 && dy == 0) {
      n = 0;
    } else if (dx >= w || -dx >= w || dy >= h || -dy >= h) {
      pts[0] = {xs, ys};
      pts[1] = {right, ys};
      pts[2] = {right, bottom};
      pts[3] = {xs, bottom};
      n = 4;
    } else {
      const int ax = dx > 0 ? xs : right;       // outer edge of the vacated columns
      const int bx = dx > 0 ? xd - 1 : xd + w;  // their inner edge
      const int fx = dx > 0 ? right : xs;       // far edge of the source
      const int ay = dy > 0 ? ys : bottom;
      const int by = dy > 0 ? yd - 1 : yd + h;
      const int fy = dy > 0 ? bottom : ys;
      if (dy == 0) {
        pts[0] = {ax, ys};
        pts[1] = {bx, ys};
        pts[2] = {bx, bottom};
        pts[3] = {ax, bottom};
        n = 4;
      } else if (dx == 0) {
        pts[0] = {xs, ay};
        pts[1] = {right, ay};
        pts[2] = {right, by};
        pts[3] = {xs, by};
        n = 4;
      } else {
        pts[0] = {ax, ay};
        pts[1] = {fx, ay};
        pts[2] = {fx, by};
        pts[3] = {bx, by};
        pts[4] = {bx, fy};
        pts[5] = {ax, fy};
        n = 6;
      }
    }
    if (n > 0) {
      const plat::COLORREF bg = plat::GetNearestColor(
          hdc, InvertBW == 1 ? plat::RGB(255, 255, 255) : plat::RGB(0, 0, 0));
      const int oldrop = plat::SetROP2(hdc, plat::R2_COPYPEN);
      {
        ShapeObjects objs(plat::CreatePen(plat::PS_SOLID, 1, bg), true, plat::CreateSolidBrush(bg),
                          true);
        plat::Polygon(hdc, pts, n);
      }
      plat::SetROP2(hdc, oldrop);
    }
  }
  mwing::clipoff();
  return 0;
}

int xxmwindefinepalette(int flag) {
  if (flag != 0) {
    // Palette displays have at most 256 graphics colours.
    const int n = std::clamp(ngColours, 0, 256);
    allocatepalette(n + 18);
    for (int i = 0; i < n; ++i) {
      int r = 0, g = 0, b = 0;
      xxpalrule(n, i, InvertBW, r, g, b);
      setentry(i, r, g, b);
    }
    for (int i = 0; i < 16; ++i) {
      const std::uint32_t c = kBasicColours[i];
      setentry(n + i, static_cast<int>((c >> 16) & 0xff), static_cast<int>((c >> 8) & 0xff),
               static_cast<int>(c & 0xff));
    }
    // The system's window-text and window colours.
    setentry(n + 16, 0, 0, 0);
    setentry(n + 17, 255, 255, 255);
  }
  if (logpalette() != nullptr && gPal256 == nullptr) gPal256 = plat::CreatePalette(logpalette());
  if (gPal256 != nullptr && hdc != nullptr) {
    plat::SelectPalette(hdc, gPal256, plat::FALSE);
    plat::RealizePalette(hdc);
  }
  return 0;
}

int xxmwinpalette256(int index, int r, int g, int b, int batch) {
  if (gPal256 == nullptr || index < 0 || index >= paletteentries()) return 0;
  if (batch < 2) plat::UnrealizeObject(gPal256);
  setentry(index, r, g, b);
  plat::SetPaletteEntries(gPal256, static_cast<plat::UINT>(index), 1,
                          logpalette()->palPalEntry + index);
  if ((batch == 0 || batch == 3) && hdc != nullptr) {
    plat::SelectPalette(hdc, gPal256, plat::FALSE);
    plat::RealizePalette(hdc);
  }
  return 0;
}

int xxmwinpalette(int index, int r, int g, int b, int batch) {
  if (ngColours < 16) return 0;
  if (ngColours < 256) {
    xxmwinpalette256(index, r, g, b, batch);
  } else if (index == state.index) {
    state.current = plat::GetNearestColor(hdc, plat::RGB(r, g, b));
  }
  mwing::replacepen();
  return 0;
}

int xxmwinremoveg() {
  if (gBitmap != nullptr) {
    plat::DeleteObject(gBitmap);
    gBitmap = nullptr;
    gStippleExists = 0;
  }
  if (gRegion != nullptr) {
    plat::DeleteObject(gRegion);
    gRegion = nullptr;
  }
  if (gFont != nullptr) {
    plat::DeleteObject(gFont);
    gFont = nullptr;
  }
  if (gPal256 != nullptr) {
    plat::DeleteObject(gPal256);
    gPal256 = nullptr;
  }
  palettememory.clear();
  if (gPen != nullptr) {
    if (hdc != nullptr && penOLD != nullptr) plat::SelectObject(hdc, penOLD);
    plat::DeleteObject(gPen);
    gPen = nullptr;
    penOLD = nullptr;
  }
  TextMode = 1;
  return 0;
}

int xxmwinclose() { return xxmwinremoveg(); }

}  // namespace tsd
