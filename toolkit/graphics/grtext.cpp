// Text output: justification, size factors, the characters across and down
// the window, and igrcharout, which hands a string to the window driver's
// text operation (whole cells clipped) or draws it with the stroke font.
#include "toolkit/graphics/grtext.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grlines.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

constexpr int kFixedFont = 4;  // index of "fixed.chr" among the preloaded fonts

std::string_view textbuffer() { return std::string_view(grtextbuf, kTextBufLength); }
void charsizehook(float fw, float fh) { igrcharsize(fw, fh); }

// The text part of the layer joins the core through its seams.
[[maybe_unused]] const bool kHooked = [] {
  grtexthooks.charsize = charsizehook;
  grtexthooks.initfonts = xxinitfonts;
  grtexthooks.textbuffer = textbuffer;
  return true;
}();

bool screenon() { return tkdevices.screenon > 0; }

// A cell edge at x is visible when both its ends lie in the clipping box.
bool edgevisible(float x, float y, float ch) {
  return xxbox(x, y + ch / 2.0f) == 1 && xxbox(x, y - ch / 2.0f) == 1;
}

// Proportional hardware text: each visible character is its own driver
// call, in a cell as wide as its width factor.
void proportionaltext(float px, float y, std::string_view text, float cw, float ch) {
  const int n = static_cast<int>(text.size());
  std::vector<float> left(static_cast<std::size_t>(n) + 1);
  left[0] = px;
  for (int i = 0; i < n; ++i)
    left[static_cast<std::size_t>(i) + 1] =
        left[static_cast<std::size_t>(i)] + xxcwidth(xxichar(text[static_cast<std::size_t>(i)])) * cw;
  int first = 0;
  for (int i = 1; i <= n; ++i) {
    if (edgevisible(left[static_cast<std::size_t>(i) - 1], y, ch)) {
      first = i;
      break;
    }
  }
  if (first == 0) return;
  int last = 0;
  for (int i = n; i >= first; --i) {
    if (edgevisible(left[static_cast<std::size_t>(i)], y, ch)) {
      last = i;
      break;
    }
  }
  for (int i = first; i <= last; ++i) {
    grtextbuf[0] = text[static_cast<std::size_t>(i) - 1];
    grdrvparams.fx1 = left[static_cast<std::size_t>(i) - 1];
    grdrvparams.fy1 = y;
    grdrvparams.fx2 = cw;
    grdrvparams.fy2 = ch;
    grdrvparams.ix1 = 1;
    xxgdrv(kDrvText);
  }
}

// The hardware font cannot write proportional text when the device says
// so or when its cell is too far from the one asked for.
bool proportionalunfit() {
  const GrState& s = grstate;
  if (grdevice.capability[26] == '0') return true;
  const float rw = s.charfw * s.charsacross / (s.basecharw / s.areawidth);
  const float rh = s.charfh * s.charsdown / (s.basecharh / s.areaheight);
  return rw > 1.3f || rw < 0.8f || rh > 1.3f || rh < 0.8f;
}

void hardwaretext(float px, float y, std::string_view text, float cw, float ch) {
  const int n = static_cast<int>(text.size());
  int first = 0;
  for (int i = 1; i <= n; ++i) {
    if (edgevisible(px + static_cast<float>(i - 1) * cw, y, ch)) {
      first = i;
      break;
    }
  }
  if (first == 0) return;
  int last = 0;
  for (int i = n; i >= first; --i) {
    if (edgevisible(px + static_cast<float>(i) * cw, y, ch)) {
      last = i;
      break;
    }
  }
  if (last == 0) return;
  const int count = std::min(last - first + 1, kTextBufLength);
  std::memcpy(grtextbuf, text.data() + (first - 1), static_cast<std::size_t>(count));
  grdrvparams.fx1 = px + static_cast<float>(first - 1) * cw;
  grdrvparams.fy1 = y;
  grdrvparams.fx2 = cw;
  grdrvparams.fy2 = ch;
  grdrvparams.ix1 = count;
  xxgdrv(kDrvText);
}

}  // namespace

int xxichar(char c) { return static_cast<unsigned char>(c); }

int igrcharjustify(std::string_view text) {
  const char c = text.empty() ? ' ' : text[0];
  if (c == 'L' || c == 'l')
    grstate.justification = 1;
  else if (c == 'R' || c == 'r')
    grstate.justification = 2;
  else
    grstate.justification = 0;
  return 0;
}

int xxsizg() {
  GrState& s = grstate;
  if (!screenon()) {
    s.charsacross = s.winwidth * s.basecharw / (s.areadevwidth * s.charfw);
    s.charsdown = s.winheight * s.basecharh / (s.areadevheight * s.charfh);
  } else if (s.fontkind == 0) {
    xxgdrv(kDrvFontSizeScaled);
  }
  return 0;
}

int igrcharsize(float fw, float fh) {
  // Zero, negative zero and negative factors all compare <= 0.
  grstate.charfw = fw <= 0.0f ? 1.0f : fw;
  grstate.charfh = fh <= 0.0f ? 1.0f : fh;
  xxhdrv(kDrvFontSizeScaled);
  xxsizg();
  return 0;
}

float xxcwidth(int c) {
  int code = c;
  if (c >= 128 && c <= 160 && grstate.fonttype == 8 && xxcomposedbase(c) != 0)
    code = xxcomposedbase(c);
  else if (!(c >= 32 && c <= 126) && !(c >= 161 && c <= 255 && grstate.fonttype == 8))
    code = 32;
  return code <= 126 ? grfont.widths[code - 32] : grfont.widths[95 + code - 161];
}

float igrcharlength(std::string_view text, int n) {
  if (grstate.spacing == 0) return static_cast<float>(n);
  const int m = static_cast<int>(std::min<std::size_t>(text.size(), static_cast<std::size_t>(std::max(n, 0))));
  float sum = 0.0f;
  for (int i = 0; i < m; ++i) sum += xxcwidth(xxichar(text[static_cast<std::size_t>(i)]));
  return sum;
}

int igrcharspacing(std::string_view text) {
  const char c = text.empty() ? ' ' : text[0];
  if (c == 'H' || c == 'h')
    grstate.spacing = 2;
  else if (c == 'P' || c == 'p')
    grstate.spacing = 1;
  else
    grstate.spacing = 0;
  xxgdrv(kDrvFontSize);
  xxhdrv(kDrvFontSize);
  return 0;
}

int igrcharout(float x, float y, std::string_view text) {
  GrState& s = grstate;
  const int n = static_cast<int>(std::min<std::size_t>(text.size(), 0x7fffffff));
  float dx = 0.0f;
  float dy = 0.0f;
  xxe2i(x, y, dx, dy);
  const float j = s.justification == 0 ? 0.5f : (s.justification == 2 ? 1.0f : 0.0f);
  const int linetype = s.linetype;
  bool fallback = false;
  // At most two passes: the second with the fallback stroke font.
  for (int pass = 0; pass < 2; ++pass) {
    const float fn = igrcharlength(text, n);
    const float cw0 = s.areadevwidth * s.charfw / s.basecharw;
    const float ch0 = s.areadevheight * s.charfh / s.basecharh;
    const bool stroke = s.fontkind != 0 || fallback;
    const float cw = stroke ? cw0 : s.winwidth / s.charsacross;
    const float ch = stroke ? ch0 : s.winheight / s.charsdown;
    s.textadvx = cw;
    s.textadvy = 0.0f;
    s.textheightx = 0.0f;
    s.textheighty = ch;
    const float px = dx - j * fn * cw;
    const float qx = dx + (1.0f - j) * fn * cw0 + j * cw0;
    if (screenon()) {
      float ux = 0.0f;
      float uy = 0.0f;
      xxi2e(qx, dy, ux, uy);
      igrmoveto(ux, uy);
    }
    if (stroke) {
      if (s.linetype != 0) {
        const int solid = 0;
        igrlinetype(&solid);
      }
      xxwscs(px, dy, text, cw, ch, n);
      if (fallback) igrcharset("H");
      break;
    }
    const float limit = s.sizelimit[0];
    const bool unfit = s.spacing == 0 ? !(limit < 0.0f) && limit < cw && limit < ch
                                      : proportionalunfit();
    // Fixed text falls back to "fixed.chr"; proportional text to the
    // preloaded font of its font number (swiss.chr for font 1).
    const int fallbackfont =
        s.spacing == 0 ? kFixedFont : (((s.fontnumber + 1) / 2 - 1) % 4 + 4) % 4;
    if (unfit) {
      if (pass == 0 && grfont.available[fallbackfont] == 1) {
        igrcharset(kPreloadedNames[fallbackfont]);
        // Should the file have gone since the start, the hardware font stays.
        if (s.fontkind != 0) {
          fallback = true;
          continue;
        }
      } else {
        xxerror(kErrText);
      }
    }
    if (s.spacing == 0)
      hardwaretext(px, dy, text, cw, ch);
    else
      proportionaltext(px, dy, text, cw, ch);
    break;
  }
  if (s.linetype != linetype) igrlinetype(&linetype);
  return 0;
}

}  // namespace tsd
