// The x-y plot routine.
//
// Sections: constants; private helpers (ranges, ticks, texts, the bar
// rectangle); the routine itself.
#include "shell/winplots.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "analysis/conversions.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grtext.h"
#include "toolkit/window/strings.h"

namespace tsd {
namespace {

// ---- Constants ----

// The frame as fractions of the window.
constexpr float kFrameX1 = 0.24f;
constexpr float kFrameY1 = 0.12f;
constexpr float kFrameX2 = 0.96f;
constexpr float kFrameY2 = 0.98f;

constexpr int kDrawColour = 223;   // frame, zero lines, major grid, texts
constexpr int kMinorColour = 255;  // minor grid lines

constexpr int kTitleLength = 10;  // characters of an axis title
constexpr float kMinorMark = 0.01f;
constexpr float kMajorMark = 0.02f;

// Most ticks of one step drawn: a span holds at most about 50 major and 250
// minor ticks, so only a range that is not a finite interval reaches this.
constexpr double kMostTicks = 1000.0;

// ---- Ranges ----

// Smallest and largest finite value of the first n; with none (no points,
// or none finite) the caller's values stay.
void datarange(std::span<const double> v, int n, int mode, double& lo, double& hi) {
  double smallest = HUGE_VAL, largest = -HUGE_VAL;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) continue;
    smallest = std::min(smallest, v[i]);
    largest = std::max(largest, v[i]);
  }
  if (smallest > largest) return;
  if (mode == 2 || mode == 4) lo = smallest;
  if (mode == 3 || mode == 4) hi = largest;
}

void widen(double& lo, double& hi) {
  if (hi > lo) return;
  if (hi > 0.0) {
    lo = 0.0;
  } else if (lo < 0.0) {
    hi = 0.0;
  } else {
    lo = -1.0;
    hi = 1.0;
  }
}

// Frame fraction of v in lo..hi, in single precision. A point far outside
// the frame is cut by the layer's clipping anyway; its fraction is held
// within the single-precision range so that the conversion stays defined.
float fraction(double v, double lo, double hi) {
  constexpr double kFar = 1.0e30;
  return static_cast<float>(std::clamp((v - lo) / (hi - lo), -kFar, kFar));
}

// ---- Ticks ----

// Ticks k*step for k = first .. last. The indices are taken with floor, so
// that a range below zero gets its ticks as a range above zero does (for a
// non-negative range floor is the truncation toward zero).
struct Ticks {
  double step = 0.0;
  double first = 0.0;
  double last = -1.0;
  bool usable = false;  // a finite step over a finite range
  bool valid() const { return usable && last >= first; }
};

Ticks ticks(double step, double lo, double hi) {
  Ticks t;
  t.step = step;
  if (!(step > 0.0) || !std::isfinite(lo / step) || !std::isfinite(hi / step)) return t;
  t.first = std::floor(lo / step) + 1.0;
  t.last = std::floor(hi / step);
  t.usable = t.last - t.first <= kMostTicks;  // else nothing sensible to draw
  return t;
}

// Calls draw(position as a frame fraction) for every tick of t.
template <typename Draw>
void eachtick(const Ticks& t, double lo, double hi, Draw draw) {
  if (!t.valid()) return;
  for (double k = t.first; k <= t.last; k += 1.0) draw(fraction(k * t.step, lo, hi));
}

void xmark(float x, float length) {
  igrmoveto(x, 0.0f);
  igrlineto(x, length);
  igrmoveto(x, 1.0f - length);
  igrlineto(x, 1.0f);
}

void ymark(float y, float length) {
  igrmoveto(0.0f, y);
  igrlineto(length, y);
  igrmoveto(1.0f - length, y);
  igrlineto(1.0f, y);
}

void xline(float x) {
  igrmoveto(x, 0.0f);
  igrlineto(x, 1.0f);
}

void yline(float y) {
  igrmoveto(0.0f, y);
  igrlineto(1.0f, y);
}

// ---- Texts ----
// Texts are drawn with the toolkit's default character set (a one-blank
// name selects it) and placed in the whole window with units 0..1.
void textarea(float fw, float fh, int colour) {
  igrcharset(" ");
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrunits(0.0f, 0.0f, 1.0f, 1.0f);
  igrcharsize(fw, fh);
  igrcolourn(colour);
}

// An axis title cut or padded to its 10 characters, justified within itself.
std::array<char, kTitleLength> title(std::string_view text, std::string_view how) {
  std::array<char, kTitleLength> t{};
  assign(t, text);
  ijustifystring(t, how);
  return t;
}

// Tick labels of one axis at k = first-1 (when it lies on or in the frame),
// first .. last and last+1 (the same), each formatted into a 14-character
// text justified within itself and drawn at place(X).
template <typename Place>
void ticklabels(const Ticks& t, double lo, double hi, std::string_view format,
                std::string_view how, Place place) {
  if (!t.usable) return;
  std::string text;
  std::array<char, kFieldTextLength> field{};
  auto label = [&](double k) {
    realtostring(k * t.step, text, format);
    assign(field, text);
    ijustifystring(field, how);
    const float f = fraction(k * t.step, lo, hi);
    const std::array<float, 2> at = place(f);
    igrcharout(at[0], at[1], std::string_view(field.data(), field.size()));
  };
  const double below = t.first - 1.0;
  if (fraction(below * t.step, lo, hi) >= -0.001f) label(below);
  for (double k = t.first; k <= t.last; k += 1.0) label(k);
  const double above = t.last + 1.0;  // last >= first - 1 always
  if (fraction(above * t.step, lo, hi) <= 1.001f) label(above);
}

// ---- Bars ----

// The closed polygon of a rectangle around (xc, yc), filled with the
// current colour and fill pattern.
void rectangle(float xc, float yc, float w, float h) {
  const std::array<float, 5> xs = {xc - w / 2, xc + w / 2, xc + w / 2, xc - w / 2, xc - w / 2};
  const std::array<float, 5> ys = {yc - h / 2, yc - h / 2, yc + h / 2, yc + h / 2, yc - h / 2};
  igrpolygoncomplex(xs.data(), ys.data(), 5);
}

}  // namespace

double winplotstep(double span) {
  const double r = std::log10(span);
  double e = std::trunc(r);
  if (r < 0.0) e -= 1.0;
  const double f = r - e;
  const double p = std::pow(10.0, e);
  if (f > 0.667) return p;
  if (f > 0.333) return 0.5 * p;
  return 0.2 * p;
}

void winplots(std::span<const double> x, std::span<const double> y,
              double& xmin, double& xmax, double& ymin, double& ymax, int n,
              std::string_view xtitle, std::string_view ytitle, std::string_view label,
              double markersize, double labelposition, std::string_view xformat,
              std::string_view yformat, int colour, int kind, int xmode, int ymode,
              int callmode, int fill, int grid) {
  n = std::clamp(n, 0, static_cast<int>(std::min(x.size(), y.size())));

  // Ranges, written back to the caller.
  datarange(x, n, xmode, xmin, xmax);
  datarange(y, n, ymode, ymin, ymax);
  widen(xmin, xmax);
  widen(ymin, ymax);
  const double x0 = xmin, x1 = xmax, y0 = ymin, y1 = ymax;

  igrarea(kFrameX1, kFrameY1, kFrameX2, kFrameY2);
  igrunits(0.0f, 0.0f, 1.0f, 1.0f);

  bool zeroline = false;
  Ticks xmajor, ymajor;
  if (callmode == 1) {
    igrcolourn(kDrawColour);
    igrmoveto(0.0f, 0.0f);
    igrlineto(1.0f, 0.0f);
    igrlineto(1.0f, 1.0f);
    igrlineto(0.0f, 1.0f);
    igrlineto(0.0f, 0.0f);
    if (x1 > 0.0 && x0 < 0.0) xline(fraction(0.0, x0, x1));
    if (y1 > 0.0 && y0 < 0.0) {
      yline(fraction(0.0, y0, y1));
      zeroline = true;
    }

    const double xstep = winplotstep(x1 - x0);
    const double ystep = winplotstep(y1 - y0);
    xmajor = ticks(xstep, x0, x1);
    ymajor = ticks(ystep, y0, y1);
    const Ticks xminor = ticks(0.2 * xstep, x0, x1);
    const Ticks yminor = ticks(0.2 * ystep, y0, y1);
    if (grid == 0) {
      eachtick(xminor, x0, x1, [](float f) { xmark(f, kMinorMark); });
      eachtick(yminor, y0, y1, [](float f) { ymark(f, kMinorMark); });
      eachtick(xmajor, x0, x1, [](float f) { xmark(f, kMajorMark); });
      eachtick(ymajor, y0, y1, [](float f) { ymark(f, kMajorMark); });
    } else if (grid == 1) {
      igrcolourn(kMinorColour);
      eachtick(xminor, x0, x1, xline);
      eachtick(yminor, y0, y1, yline);
      igrcolourn(kDrawColour);
      eachtick(xmajor, x0, x1, xline);
      eachtick(ymajor, y0, y1, yline);
    }
  }

  // The series.
  igrcolourn(colour);
  if (fill == 0) {
    igrfillpattern(0);
  } else if (fill == 1) {
    igrfillpattern(4);
  }
  // A point with a coordinate that is not finite (log tau where the
  // current is 0, say) is not drawn, and a line is broken there.
  auto drawn = [&](int i) { return std::isfinite(x[i]) && std::isfinite(y[i]); };
  const float size = static_cast<float>(markersize);
  if (kind == kPlotCircles || kind == kPlotCirclesLine) {
    for (int i = 0; i < n; ++i) {
      if (drawn(i)) igrcircle(fraction(x[i], x0, x1), fraction(y[i], y0, y1), size);
    }
  }
  if (kind == kPlotLine || kind == kPlotCirclesLine) {
    bool pen = false;
    for (int i = 0; i < n; ++i) {
      if (!drawn(i)) {
        pen = false;
      } else if (pen) {
        igrlineto(fraction(x[i], x0, x1), fraction(y[i], y0, y1));
      } else {
        igrmoveto(fraction(x[i], x0, x1), fraction(y[i], y0, y1));
        pen = true;
      }
    }
  }
  if (kind == kPlotBars) {
    bool based = true;
    float base = 0.0f;
    if (zeroline) {
      base = fraction(0.0, y0, y1);
    } else if (y1 > 0.0) {
      base = 0.0f;
    } else if (y0 < 0.0) {
      base = 1.0f;
    } else {
      based = false;
    }
    for (int i = 0; based && i < n; ++i) {
      if (!drawn(i)) continue;
      const float top = fraction(y[i], y0, y1);
      rectangle(fraction(x[i], x0, x1), (base + top) / 2, size, top - base);
    }
  }

  if (callmode == 1) {
    textarea(1.4f, 1.0f, kDrawColour);
    const auto xt = title(xtitle, "C");
    igrcharjustify("C");
    igrcharout(0.62f, 0.03f, std::string_view(xt.data(), xt.size()));
    const auto yt = title(ytitle, "L");
    igrcharjustify("L");
    igrcharout(0.008f, 0.55f, std::string_view(yt.data(), yt.size()));

    igrcharsize(1.0f, 0.7f);
    igrcharjustify("C");
    ticklabels(xmajor, x0, x1, xformat, "C",
               [](float f) { return std::array<float, 2>{0.25f + 0.72f * f, 0.09f}; });
    igrcharjustify("R");
    ticklabels(ymajor, y0, y1, yformat, "R",
               [](float f) { return std::array<float, 2>{0.236f, 0.12f + 0.86f * f}; });
  } else if (callmode == 2) {
    textarea(1.4f, 1.0f, colour);
    igrcharjustify("L");
    igrcharout(static_cast<float>(labelposition), 0.03f, label);
  }
}

}  // namespace tsd
