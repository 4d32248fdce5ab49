// The clip region of metafile playback as a pixel mask.
#include "platform/gdi/metafile_clip.h"

#include <algorithm>

namespace plat {

MetaClip::MetaClip(const RECT& area) : area_(area) {
  w_ = std::max(0L, static_cast<long>(area.right) - area.left);
  h_ = std::max(0L, static_cast<long>(area.bottom) - area.top);
}

std::vector<std::uint8_t> MetaClip::full() const {
  if (clipped()) return mask_->bits;
  return std::vector<std::uint8_t>(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), 1);
}

void MetaClip::apply(const std::vector<std::uint8_t>& region, int mode) {
  if (mode == kRgnCopy) {
    set(region);
    return;
  }
  std::vector<std::uint8_t> m = full();
  for (std::size_t i = 0; i < m.size(); ++i) {
    switch (mode) {
      case kRgnAnd: m[i] = m[i] & region[i]; break;
      case kRgnOr: m[i] = m[i] | region[i]; break;
      case kRgnXor: m[i] = m[i] ^ region[i]; break;
      case kRgnDiff: m[i] = m[i] & (region[i] ^ 1); break;
      default: return;  // an unknown mode changes nothing
    }
  }
  set(std::move(m));
}

void MetaClip::set(std::vector<std::uint8_t> bits) {
  auto m = std::make_shared<Mask>();
  m->l = w_;
  m->t = h_;
  for (long y = 0; y < h_; ++y) {
    const std::uint8_t* row = bits.data() + static_cast<std::size_t>(y * w_);
    const std::uint8_t* first = std::find(row, row + w_, std::uint8_t{1});
    if (first == row + w_) continue;
    long x1 = w_ - 1;
    while (row[x1] == 0) --x1;
    m->l = std::min(m->l, static_cast<long>(first - row));
    m->r = std::max(m->r, x1);
    m->t = std::min(m->t, y);
    m->b = y;
  }
  m->bits = std::move(bits);
  mask_ = std::move(m);
}

void MetaClip::combine(const std::vector<RECT>& rects, int mode) {
  combine(
      [&](const std::function<void(int, int, int)>& span) {
        for (const RECT& r : rects)
          for (long y = std::max(r.top, area_.top); y < std::min(r.bottom, area_.bottom); ++y)
            span(static_cast<int>(y), r.left, r.right);
      },
      mode);
}

void MetaClip::combine(const std::function<void(const std::function<void(int, int, int)>&)>& spans, int mode) {
  if (mode < kRgnAnd || mode > kRgnCopy || w_ == 0 || h_ == 0) return;
  std::vector<std::uint8_t> region(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), 0);
  spans([&](int y, int x0, int x1) {
    if (y < area_.top || y >= area_.bottom) return;
    const long a = std::max<long>(x0, area_.left), b = std::min<long>(x1, area_.right);
    if (a >= b) return;
    std::uint8_t* row = region.data() + static_cast<std::size_t>(y - area_.top) * static_cast<std::size_t>(w_);
    std::fill(row + (a - area_.left), row + (b - area_.left), std::uint8_t{1});
  });
  apply(region, mode);
}

void MetaClip::intersect(const RECT& r) { combine(std::vector<RECT>{r}, kRgnAnd); }

void MetaClip::exclude(const RECT& r) { combine(std::vector<RECT>{r}, kRgnDiff); }

void MetaClip::offset(int dx, int dy) {
  if (!clipped()) return;
  const std::vector<std::uint8_t>& now = mask_->bits;
  std::vector<std::uint8_t> m(now.size(), 0);
  for (long y = 0; y < h_; ++y) {
    const long sy = y - dy;
    if (sy < 0 || sy >= h_) continue;
    for (long x = 0; x < w_; ++x) {
      const long sx = x - dx;
      if (sx >= 0 && sx < w_) m[static_cast<std::size_t>(y * w_ + x)] = now[static_cast<std::size_t>(sy * w_ + sx)];
    }
  }
  set(std::move(m));
}

void MetaClip::draw(DeviceContext* dc, const std::function<void()>& drawing) const {
  if (!clipped()) {
    drawing();
    return;
  }
  const long l = mask_->l, t = mask_->t, r = mask_->r, b = mask_->b;
  if (r < l || dc == nullptr || dc->surface == nullptr) return;
  const RECT box{static_cast<LONG>(area_.left + l), static_cast<LONG>(area_.top + t), static_cast<LONG>(area_.left + r + 1),
                 static_cast<LONG>(area_.top + b + 1)};
  // Surface pixels of the box before the record draws.
  Surface& s = *dc->surface;
  const long sx0 = box.left + dc->origin.x, sy0 = box.top + dc->origin.y;
  const long bw = box.right - box.left, bh = box.bottom - box.top;
  if (sx0 < 0 || sy0 < 0 || sx0 + bw > s.width || sy0 + bh > s.height) return;
  std::vector<std::uint32_t> kept(static_cast<std::size_t>(bw * bh));
  for (long y = 0; y < bh; ++y)
    std::copy_n(s.row(static_cast<int>(sy0 + y)) + sx0, bw, kept.begin() + y * bw);
  // Drawing is held to the box, then what it drew outside the region goes.
  const bool had = dc->has_clip;
  const RECT old = dc->clip;
  dc->clip = had ? IntersectRects(old, box) : box;
  dc->has_clip = true;
  drawing();
  dc->has_clip = had;
  dc->clip = old;
  for (long y = 0; y < bh; ++y) {
    std::uint32_t* row = s.row(static_cast<int>(sy0 + y)) + sx0;
    const std::uint8_t* m = mask_->bits.data() + static_cast<std::size_t>((t + y) * w_ + l);
    for (long x = 0; x < bw; ++x)
      if (m[x] == 0) row[x] = kept[static_cast<std::size_t>(y * bw + x)];
  }
}

}  // namespace plat
