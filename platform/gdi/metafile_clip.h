// The clip region of metafile playback: any shape (rectangles intersected
// or excluded, region records, a path), kept as one byte per pixel over the
// part of the context that playback may draw into. Records draw through
// it: the pixels of that part are kept, the record draws, and what it drew
// outside the region is put back. Internal to platform/gdi.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_private.h"

namespace plat {

// How a region combines with the clip region (ExtSelectClipRgn).
inline constexpr int kRgnAnd = 1;
inline constexpr int kRgnOr = 2;
inline constexpr int kRgnXor = 3;
inline constexpr int kRgnDiff = 4;
inline constexpr int kRgnCopy = 5;

class MetaClip {
 public:
  // `area`: the logical rectangle of the context drawing may reach.
  explicit MetaClip(const RECT& area = {});
  bool clipped() const { return mask_ != nullptr; }
  const RECT& area() const { return area_; }
  void reset() { mask_.reset(); }
  void intersect(const RECT& r);
  void exclude(const RECT& r);
  // A region of device rectangles combined by mode (kRgn...).
  void combine(const std::vector<RECT>& rects, int mode);
  // The pixels `spans` reports, combined by mode.
  void combine(const std::function<void(const std::function<void(int, int, int)>&)>& spans, int mode);
  void offset(int dx, int dy);
  // Runs `draw` on the context so that it changes only pixels inside the
  // clip region.
  void draw(DeviceContext* dc, const std::function<void()>& drawing) const;

 private:
  // The pixels of the region (1 inside), row by row over the area, and the
  // smallest rectangle holding them (inclusive, in mask coordinates; empty
  // when r < l).
  struct Mask {
    std::vector<std::uint8_t> bits;
    long l = 0, t = 0, r = -1, b = -1;
  };
  std::vector<std::uint8_t> full() const;  // the mask, all set when unclipped
  void apply(const std::vector<std::uint8_t>& region, int mode);
  void set(std::vector<std::uint8_t> bits);
  RECT area_{};
  int w_ = 0, h_ = 0;
  // No mask: no clip region. Saved states share the mask they saved.
  std::shared_ptr<const Mask> mask_;
};

}  // namespace plat
