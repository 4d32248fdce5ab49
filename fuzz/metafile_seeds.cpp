// Writes the seed corpora of the metafile fuzz targets: small hand-made
// classic metafiles into FOLDER/wmf and enhanced ones into FOLDER/emf, each
// with a few records of one kind (objects, shapes, text, wide pens, clip
// regions, paths), so the fuzzer starts from files the players accept.
//
//   metafile_seeds FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/tests/metafile_builder.h"

namespace {

using mftest::Bytes;
using mftest::Emf;
using mftest::Wmf;
namespace wr = mftest::wmfrec;
namespace er = mftest::emfrec;

constexpr int kRed = 0x0000ff, kBlue = 0xff0000;

bool write(const std::filesystem::path& file, const Bytes& b) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(out);
}

Wmf wmfbase() {
  Wmf m;
  m.rec(wr::kSetWindowExt, {100, 100});
  m.rec(wr::kCreateBrush, {0, Wmf::lo(kRed), Wmf::hi(kRed), 0});  // slot 0: solid
  m.rec(wr::kCreatePen, {0, 3, 0, Wmf::lo(kBlue), Wmf::hi(kBlue)});  // slot 1
  m.rec(wr::kSelectObject, {0}).rec(wr::kSelectObject, {1});
  return m;
}

Emf emfbase() {
  Emf e;
  e.rec(er::kCreateBrush, {1, 0, kRed, 0});
  e.rec(er::kCreatePen, {2, 0, 3, 0, kBlue});
  e.rec(er::kSelectObject, {1}).rec(er::kSelectObject, {2});
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: metafile_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path top(argv[1]);
  std::filesystem::create_directories(top / "wmf");
  std::filesystem::create_directories(top / "emf");
  bool ok = true;

  Wmf w1 = wmfbase();
  w1.rec(wr::kRectangle, {60, 60, 10, 10}).rec(wr::kEllipse, {90, 90, 40, 40});
  w1.rec(wr::kPolygon, {3, 5, 5, 95, 5, 50, 95}).rec(wr::kMoveTo, {0, 0}).rec(wr::kLineTo, {99, 99});
  w1.rec(wr::kTextOut, {2, 'A' | 'b' << 8, 50, 20});
  ok &= write(top / "wmf" / "shapes.wmf", w1.bytes());

  Wmf w2 = wmfbase();
  w2.rec(wr::kCreatePen, {0, 1000, 0, 0, 0}).rec(wr::kSelectObject, {2});
  w2.rec(wr::kEllipse, {80, 80, 20, 20}).rec(wr::kMoveTo, {0, 50}).rec(wr::kLineTo, {99, 50});
  ok &= write(top / "wmf" / "widepen.wmf", w2.bytes());

  Wmf w3 = wmfbase();
  w3.rec(wr::kIntersectClipRect, {90, 90, 10, 10}).rec(wr::kExcludeClipRect, {60, 60, 40, 40});
  w3.rec(wr::kOffsetClipRgn, {5, 5}).rec(wr::kSaveDC, {}).region({{0, 0, 50, 50}, {50, 50, 100, 100}});
  w3.rec(wr::kSelectClipRegion, {2}).rec(wr::kRoundRect, {30, 30, 95, 95, 5, 5});
  w3.rec(wr::kRestoreDC, {0xffff}).rec(wr::kRectangle, {100, 100, 0, 0}).rec(wr::kDeleteObject, {2});
  ok &= write(top / "wmf" / "clip.wmf", w3.bytes());
  ok &= write(top / "wmf" / "placeable.wmf", w1.bytes(true));

  Emf e1 = emfbase();
  e1.rec(er::kRectangle, {10, 10, 60, 60}).rec(er::kEllipse, {40, 40, 90, 90});
  e1.rec(er::kRoundRect, {5, 5, 95, 95, 20, 20});
  e1.rec(er::kPolygon16, {0, 0, 99, 99, 3, 5 | 5 << 16, 95 | 5 << 16, 50 | 95 << 16});
  ok &= write(top / "emf" / "shapes.emf", e1.bytes());

  Emf e2 = emfbase();
  e2.rec(er::kCreatePen, {3, 0, 1000, 0, 0}).rec(er::kSelectObject, {3});
  e2.rec(er::kEllipse, {20, 20, 80, 80}).rec(er::kMoveTo, {0, 50}).rec(er::kLineTo, {99, 50});
  ok &= write(top / "emf" / "widepen.emf", e2.bytes());

  Emf e3 = emfbase();
  e3.rec(er::kSetPolyFillMode, {2}).rec(er::kBeginPath, {}).rec(er::kMoveTo, {10, 10});
  e3.rec(er::kPolyBezierTo16, {0, 0, 99, 99, 3, 90 | 10 << 16, 90 | 90 << 16, 10 | 90 << 16});
  e3.rec(er::kPolylineTo16, {0, 0, 99, 99, 2, 50 | 50 << 16, 10 | 10 << 16});
  e3.rec(er::kCloseFigure, {}).rec(er::kEndPath, {}).rec(er::kStrokeAndFillPath, {0, 0, 99, 99});
  e3.rec(er::kBeginPath, {}).rec(er::kEllipse, {0, 0, 99, 99}).rec(er::kEndPath, {}).rec(er::kSelectClipPath, {5});
  e3.rec(er::kRectangle, {0, 0, 100, 100});
  ok &= write(top / "emf" / "path.emf", e3.bytes());

  Emf e4 = emfbase();
  e4.rec(er::kSaveDC, {}).rec(er::kIntersectClipRect, {10, 10, 90, 90}).rec(er::kExcludeClipRect, {40, 40, 60, 60});
  e4.rec(er::kOffsetClipRgn, {3, 3}).region(2, {{0, 0, 20, 20}, {70, 70, 99, 99}});
  e4.rec(er::kRectangle, {0, 0, 100, 100}).rec(er::kRestoreDC, {-1});
  e4.rec(er::kPolyBezier16, {0, 0, 99, 99, 4, 0, 99, 99 << 16 | 99, 99});
  ok &= write(top / "emf" / "clip.emf", e4.bytes());

  // An ellipse far larger than the picture (a hang once, found by the
  // fuzzer) and a filled pie, each with a 1000-pixel pen.
  Emf e5 = emfbase();
  e5.rec(er::kCreatePen, {3, 0, 1000, 0, 0}).rec(er::kSelectObject, {3});
  e5.rec(er::kEllipse, {40, 40, 0x5a005a00, 0x5a005a00});
  e5.rec(47, {10, 10, 90, 90, 90, 50, 50, 10});
  ok &= write(top / "emf" / "huge.emf", e5.bytes());

  if (!ok) {
    std::fprintf(stderr, "metafile_seeds: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
