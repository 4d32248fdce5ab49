// Wide pens: a square pen swept over a set of centre pixels. Each centre row
// keeps the columns its pen squares cover (merged while they touch); the
// rows are then swept downwards, counting per column how many of the centre
// rows whose squares reach the output row cover it.
#include "platform/gdi/widepen.h"

#include <algorithm>

namespace plat {

WideStroke::WideStroke(const Target& t, const PenPaint& pen, int rop) : t_(t), rop_(rop) {
  ink_.null = pen.null;
  ink_.solid = true;
  ink_.colour = pen.colour;
  ink_.pattern.fill(pen.colour);
  const int w = std::max(pen.width, 1);
  before_ = (w - 1) / 2;
  after_ = w - 1 - before_;
  if (t.empty()) return;
  out_ = t.logical_clip();
  top_ = out_.top - after_;
  rows_.resize(static_cast<std::size_t>(out_.bottom - out_.top) + static_cast<std::size_t>(w - 1));
}

void WideStroke::run(int y, int x0, int x1) {
  if (rows_.empty() || y < top_ || y >= top_ + static_cast<int>(rows_.size())) return;
  if (x0 > x1) std::swap(x0, x1);
  const int a = std::max(x0 - before_, static_cast<int>(out_.left));
  const int b = std::min(x1 + after_, static_cast<int>(out_.right) - 1);
  if (a > b) return;
  auto& v = rows_[static_cast<std::size_t>(y - top_)];
  if (!v.empty() && a <= v.back().second + 1 && b >= v.back().first - 1) {
    v.back().first = std::min(v.back().first, a);
    v.back().second = std::max(v.back().second, b);
  } else {
    v.emplace_back(a, b);
  }
  colmin_ = colmax_ < colmin_ ? a : std::min(colmin_, a);
  colmax_ = std::max(colmax_, b);
}

void WideStroke::line(int x0, int y0, int x1, int y1) {
  if (rows_.empty()) return;
  const RECT box{out_.left - after_ - 1, top_, out_.right + before_ + 1, top_ + static_cast<int>(rows_.size())};
  WalkLine(x0, y0, x1, y1, box, [&](int x, int y, long) { run(y, x, x); });
}

void WideStroke::paint() {
  if (rows_.empty() || ink_.null || colmax_ < colmin_) {
    for (auto& v : rows_) v.clear();
    return;
  }
  // count[x - colmin_]: centre rows in the window of the output row whose
  // squares cover column x.
  std::vector<int> count(static_cast<std::size_t>(colmax_ - colmin_ + 1), 0);
  auto add = [&](int i, int d) {
    for (const auto& [a, b] : rows_[static_cast<std::size_t>(i)])
      for (int x = a; x <= b; ++x) count[static_cast<std::size_t>(x - colmin_)] += d;
  };
  const int n = static_cast<int>(rows_.size());
  int active = 0;  // centre rows with columns in the window
  // The output row out_.top + k takes the centre rows k .. k + before_ + after_.
  for (int i = 0; i < before_ + after_ && i < n; ++i) {
    add(i, 1);
    active += rows_[static_cast<std::size_t>(i)].empty() ? 0 : 1;
  }
  for (int y = out_.top, k = 0; y < out_.bottom; ++y, ++k) {
    const int enter = k + before_ + after_;
    if (enter < n) {
      add(enter, 1);
      active += rows_[static_cast<std::size_t>(enter)].empty() ? 0 : 1;
    }
    if (active > 0) {
      int x = 0;
      const int width = colmax_ - colmin_ + 1;
      while (x < width) {
        if (count[static_cast<std::size_t>(x)] == 0) {
          ++x;
          continue;
        }
        int e = x;
        while (e < width && count[static_cast<std::size_t>(e)] > 0) ++e;
        FillSpan(t_, y, colmin_ + x, colmin_ + e, ink_, rop_);
        x = e;
      }
    }
    add(k, -1);
    active -= rows_[static_cast<std::size_t>(k)].empty() ? 0 : 1;
  }
  for (auto& v : rows_) v.clear();
  colmin_ = 0;
  colmax_ = -1;
}

}  // namespace plat
