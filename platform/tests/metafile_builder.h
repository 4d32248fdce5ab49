// Metafiles made in tests, record by record: classic metafiles (with or
// without a placeable header) and enhanced metafiles.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace mftest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xff));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}
inline void put32(Bytes& b, std::int64_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xff));
}

// Record numbers of the clip, path and rounded-rectangle records (and what
// they are drawn with), for tests and fuzz seeds.
namespace wmfrec {
inline constexpr int kSaveDC = 0x001E, kRestoreDC = 0x0127, kSetPolyFillMode = 0x0106,
                     kSelectClipRegion = 0x012C, kSelectObject = 0x012D, kDeleteObject = 0x01F0,
                     kSetWindowExt = 0x020C, kOffsetClipRgn = 0x0220, kCreatePen = 0x02FA,
                     kCreateBrush = 0x02FC, kExcludeClipRect = 0x0415, kIntersectClipRect = 0x0416,
                     kRectangle = 0x041B, kRoundRect = 0x061C, kCreateRegion = 0x06FF, kPolygon = 0x0324,
                     kEllipse = 0x0418, kLineTo = 0x0213, kMoveTo = 0x0214, kTextOut = 0x0521;
}  // namespace wmfrec
namespace emfrec {
inline constexpr std::uint32_t kPolyBezier16 = 85, kPolylineTo16 = 89, kPolyBezierTo16 = 88, kPolygon16 = 86,
                               kSetPolyFillMode = 19, kOffsetClipRgn = 26, kMoveTo = 27, kExcludeClipRect = 29,
                               kIntersectClipRect = 30, kSaveDC = 33, kRestoreDC = 34, kSelectObject = 37,
                               kCreatePen = 38, kCreateBrush = 39, kEllipse = 42, kRectangle = 43,
                               kRoundRect = 44, kLineTo = 54, kBeginPath = 59, kEndPath = 60,
                               kCloseFigure = 61, kFillPath = 62, kStrokeAndFillPath = 63, kStrokePath = 64,
                               kSelectClipPath = 67, kAbortPath = 68, kExtSelectClipRgn = 75;
inline constexpr std::int64_t kStock = 0x80000000;
}  // namespace emfrec

// Classic metafile: parameters are 16-bit words, in the order the record
// keeps them (most drawing records: last coordinate first).
struct Wmf {
  Bytes records;
  int objects = 8;
  int largest = 3;

  Wmf& rec(int function, std::initializer_list<int> words) {
    const int size = 3 + static_cast<int>(words.size());
    put32(records, size);
    put16(records, function);
    for (int w : words) put16(records, w);
    if (size > largest) largest = size;
    return *this;
  }
  // A region object of rectangles (left, top, right, bottom), one scan
  // each, in the object table's next free slot.
  Wmf& region(std::initializer_list<std::array<int, 4>> rects) {
    std::vector<int> w{0, 6, 0, 0, 0, static_cast<int>(rects.size()), 0, 0, 0, 0, 0};
    for (const auto& r : rects) {
      for (int v : {2, r[1], r[3], r[0], r[2], 2}) w.push_back(v);
    }
    const int size = 3 + static_cast<int>(w.size());
    put32(records, size);
    put16(records, 0x06FF);
    for (int v : w) put16(records, v);
    if (size > largest) largest = size;
    return *this;
  }
  // A colour reference as its two words.
  static int lo(std::uint32_t c) { return static_cast<int>(c & 0xffff); }
  static int hi(std::uint32_t c) { return static_cast<int>(c >> 16); }

  Bytes bytes(bool placeable = false) const {
    Bytes out;
    if (placeable) {
      put32(out, 0x9AC6CDD7);
      put16(out, 0);
      for (int v : {0, 0, 100, 100}) put16(out, v);
      put16(out, 1440);
      put32(out, 0);
      put16(out, 0);
    }
    const std::size_t words = 9 + records.size() / 2 + 3;
    put16(out, 2);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, static_cast<std::int64_t>(words));
    put16(out, objects);
    put32(out, largest);
    put16(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    put32(out, 3);
    put16(out, 0);
    return out;
  }
};

// Enhanced metafile: a reference device of 1000 x 1000 pixels on 250 x 250
// millimetres (4 pixels a millimetre), and a picture frame in 0.01 mm.
struct Emf {
  Bytes records;
  int count = 0;
  int handles = 8;
  int frame[4] = {0, 0, 2500, 2500};  // 100 x 100 reference pixels

  Emf& rec(std::uint32_t type, std::initializer_list<std::int64_t> values) {
    put32(records, type);
    put32(records, 8 + 4 * static_cast<std::int64_t>(values.size()));
    for (std::int64_t v : values) put32(records, v);
    ++count;
    return *this;
  }
  // Clip region of device rectangles (left, top, right, bottom), combined
  // by mode (1 and, 2 or, 3 xor, 4 diff, 5 copy).
  Emf& region(int mode, std::initializer_list<std::array<int, 4>> rects) {
    Bytes p;
    put32(p, 32 + 16 * static_cast<std::int64_t>(rects.size()));
    put32(p, mode);
    for (std::int64_t v : {32, 1, static_cast<int>(rects.size()), 16 * static_cast<int>(rects.size()), 0, 0, 0, 0})
      put32(p, v);
    for (const auto& r : rects)
      for (int v : r) put32(p, v);
    return raw(75, p);
  }
  // A record of any bytes after type and size (padded to 4).
  Emf& raw(std::uint32_t type, Bytes payload) {
    while (payload.size() % 4 != 0) payload.push_back(0);
    put32(records, type);
    put32(records, 8 + static_cast<std::int64_t>(payload.size()));
    records.insert(records.end(), payload.begin(), payload.end());
    ++count;
    return *this;
  }

  Bytes bytes() const {
    Bytes out;
    put32(out, 1);
    put32(out, 88);
    for (int v : {0, 0, 99, 99}) put32(out, v);
    for (int v : frame) put32(out, v);
    put32(out, 0x464D4520);
    put32(out, 0x10000);
    put32(out, static_cast<std::int64_t>(88 + records.size() + 20));
    put32(out, count + 2);
    put16(out, handles);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 1000);
    put32(out, 1000);
    put32(out, 250);
    put32(out, 250);
    out.insert(out.end(), records.begin(), records.end());
    put32(out, 14);
    put32(out, 20);
    put32(out, 0);
    put32(out, 0);
    put32(out, 20);
    return out;
  }
};

}  // namespace mftest
