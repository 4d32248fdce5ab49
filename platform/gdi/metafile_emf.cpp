// Enhanced metafiles: records of 32-bit values in the coordinates of the
// reference device, whose picture frame is mapped onto the rectangle given
// to the playback.
//
// Header record (type 1): bounds (device units, 16 bytes), frame (0.01 mm,
// 16 bytes), signature " EMF", version, size in bytes, record count,
// object count (16 bits), reserved, description length and offset, palette
// entries, reference device size in pixels (8 bytes) and in millimetres (8
// bytes). Every record: type, size in bytes (a multiple of 4, at least 8),
// parameters.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/metafile.h"
#include "platform/gdi/metafile_player.h"
#include "platform/gdi/objects.h"
#include "text/cp1250.h"

struct plat::EnhMetaFileData {
  std::vector<std::uint8_t> bytes;
};

namespace plat {

namespace {

constexpr std::size_t kHeaderBytes = 88;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kStockFlag = 0x80000000u;

enum : std::uint32_t {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExt = 9,
  kSetWindowOrg = 10,
  kSetViewportExt = 11,
  kSetViewportOrg = 12,
  kEof = 14,
  kSetPixel = 15,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetRop2 = 20,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kSetBkColor = 25,
  kOffsetClipRgn = 26,
  kMoveTo = 27,
  kExcludeClipRect = 29,
  kIntersectClipRect = 30,
  kSaveDC = 33,
  kRestoreDC = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrush = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kRectangle = 43,
  kRoundRect = 44,
  kArc = 45,
  kChord = 46,
  kPie = 47,
  kLineTo = 54,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kSelectClipPath = 67,
  kAbortPath = 68,
  kExtSelectClipRgn = 75,
  kStretchDibits = 81,
  kCreateFont = 82,
  kTextA = 83,
  kTextW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kExtCreatePen = 95,
};

bool wellformed(std::span<const std::uint8_t> b) {
  const RecordBytes r{b};
  if (b.size() < kHeaderBytes || r.u32(0) != kHeader || r.u32(40) != kSignature) return false;
  const std::size_t first = r.u32(4);
  if (first < kHeaderBytes || first > b.size()) return false;
  std::size_t at = first;
  while (at < b.size()) {
    if (!r.ok(at, 8)) return false;
    const std::size_t size = r.u32(at + 4);
    if (size < 8 || size % 4 != 0 || size > b.size() - at) return false;
    if (r.u32(at) == kEof) return true;
    at += size;
  }
  return true;
}

// The picture frame in reference-device pixels, mapped onto the rectangle.
void frametransform(MetaPlayer& p, const RecordBytes& h, const RECT& dest) {
  const double devx = h.s32(72), devy = h.s32(76), mmx = h.s32(80), mmy = h.s32(84);
  double l = 0, t = 0, r = 0, b = 0;
  if (devx > 0 && devy > 0 && mmx > 0 && mmy > 0) {
    l = h.s32(24) * devx / (mmx * 100.0);
    t = h.s32(28) * devy / (mmy * 100.0);
    r = h.s32(32) * devx / (mmx * 100.0);
    b = h.s32(36) * devy / (mmy * 100.0);
  }
  if (r <= l || b <= t) {
    // No usable frame: the bounds, whose corners are both inside.
    l = h.s32(8);
    t = h.s32(12);
    r = h.s32(16) + 1.0;
    b = h.s32(20) + 1.0;
  }
  if (r <= l || b <= t) {
    p.bx = dest.left;
    p.by = dest.top;
    return;
  }
  p.ax = (dest.right - dest.left) / (r - l);
  p.ay = (dest.bottom - dest.top) / (b - t);
  p.bx = dest.left - l * p.ax;
  p.by = dest.top - t * p.ay;
}

std::string fromutf16(const RecordBytes& r, std::size_t at, std::size_t n) {
  std::string u8;
  for (std::size_t i = 0; i < n && r.ok(at + 2 * i, 2); ++i) {
    const char32_t c = r.u16(at + 2 * i);
    if (c < 0x80) {
      u8 += static_cast<char>(c);
    } else if (c < 0x800) {
      u8 += static_cast<char>(0xC0 | (c >> 6));
      u8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      u8 += static_cast<char>(0xE0 | (c >> 12));
      u8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      u8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text::cp1250_from_utf8(u8);
}

// The n points of a record from byte `at`, 16- or 32-bit; empty when the
// record is too short for them.
std::vector<double> pointsof(const RecordBytes& r, std::size_t at, std::size_t n, bool small) {
  const std::size_t each = small ? 4 : 8;
  if (n > (r.b.size() - std::min(at, r.b.size())) / each) return {};
  std::vector<double> xy(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    xy[2 * i] = small ? r.s16(at + each * i) : r.s32(at + each * i);
    xy[2 * i + 1] = small ? r.s16(at + each * i + 2) : r.s32(at + each * i + 4);
  }
  return xy;
}

void points(MetaPlayer& p, const RecordBytes& r, std::size_t at, std::size_t n, bool small, bool closed) {
  const std::vector<double> xy = pointsof(r, at, n, small);
  if (!xy.empty()) p.poly(closed, xy);
}

// A region's rectangles (device units of the reference device) onto the
// rectangle played into; combined with the clip region by the mode. No
// region with the copy mode removes the clip region.
void selectregion(MetaPlayer& p, const RecordBytes& r) {
  constexpr std::size_t kData = 16, kRects = kData + 32;
  const std::size_t bytes = r.u32(8);
  const int mode = r.s32(12);
  if (bytes == 0) {
    if (mode == kRgnCopy) p.resetclip();
    return;
  }
  const std::size_t n = r.u32(kData + 8);
  if (!r.ok(kRects, 0) || n > (r.b.size() - kRects) / 16) return;
  std::vector<RECT> rects;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = kRects + 16 * i;
    const POINT a = p.framed(r.s32(at), r.s32(at + 4)), b = p.framed(r.s32(at + 8), r.s32(at + 12));
    rects.push_back(RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
  }
  p.selectclip(rects, mode);
}

// Several polygons (closed) or polylines (open) of one record.
void polypoly(MetaPlayer& p, const RecordBytes& r, bool small, bool closed) {
  const std::size_t polys = r.u32(24);
  const std::size_t counts = 32;
  if (r.b.size() < counts || polys > (r.b.size() - counts) / 4) return;
  std::size_t at = counts + 4 * polys;
  const std::size_t each = small ? 4 : 8;
  for (std::size_t k = 0; k < polys; ++k) {
    const std::size_t n = r.u32(counts + 4 * k);
    if (n > (r.b.size() - std::min(at, r.b.size())) / each) return;
    points(p, r, at, n, small, closed);
    at += n * each;
  }
}

// The six floats of a world transform at byte `at`.
WorldTransform worldof(const RecordBytes& r, std::size_t at) {
  auto f = [&](std::size_t i) {
    const std::uint32_t bits = r.u32(at + 4 * i);
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return std::isfinite(v) ? static_cast<double>(v) : 0.0;
  };
  return WorldTransform{f(0), f(1), f(2), f(3), f(4), f(5)};
}

// An extended pen: style, width, brush style and colour of its logical
// pen after the bitmap fields; a null brush makes a null pen, a cosmetic
// pen is one pixel wide.
void extpen(MetaPlayer& p, const RecordBytes& r) {
  constexpr std::uint32_t kGeometric = 0x00010000;
  const std::uint32_t style = r.u32(28);
  const double width = (style & kGeometric) != 0 ? r.u32(32) : 1.0;
  const std::uint32_t brushstyle = r.u32(36);
  const int pen = brushstyle == static_cast<std::uint32_t>(BS_NULL) ? PS_NULL : static_cast<int>(style & 0x0f);
  p.put(r.u32(8), p.makepen(pen, std::min(width, 1.0e6), r.u32(40)));
}

void text(MetaPlayer& p, const RecordBytes& r, bool wide) {
  const double x = r.s32(36), y = r.s32(40);
  const std::size_t n = r.u32(44), off = r.u32(48);
  if (n > 65535 || !r.ok(off, n * (wide ? 2 : 1))) return;
  if (wide)
    p.text(x, y, fromutf16(r, off, n));
  else
    p.text(x, y, std::string(reinterpret_cast<const char*>(r.b.data() + off), n));
}

void playrecord(MetaPlayer& p, const RecordBytes& r, std::uint32_t type) {
  auto s = [&](std::size_t at) { return static_cast<double>(r.s32(at)); };
  switch (type) {
    case kSetWindowExt:
      if (r.s32(8) != 0 && r.s32(12) != 0) {
        p.map.wex = s(8);
        p.map.wey = s(12);
      }
      break;
    case kSetWindowOrg: p.map.wox = s(8); p.map.woy = s(12); break;
    case kSetViewportExt:
      if (r.s32(8) != 0 && r.s32(12) != 0) {
        p.map.vex = s(8);
        p.map.vey = s(12);
      }
      break;
    case kSetViewportOrg: p.map.vox = s(8); p.map.voy = s(12); break;
    case kSetMapMode: p.map.mode = r.s32(8); break;
    case kSetBkMode: p.bkmode(r.s32(8)); break;
    case kSetPolyFillMode: p.fillmode(r.s32(8)); break;
    case kSetRop2: p.rop2(r.s32(8)); break;
    case kSetTextAlign: p.textalign(r.u32(8)); break;
    case kSetTextColor: p.textcolour(r.u32(8)); break;
    case kSetBkColor: p.bkcolour(r.u32(8)); break;
    case kMoveTo: p.moveto(s(8), s(12)); break;
    case kIntersectClipRect: p.intersectclip(s(8), s(12), s(16), s(20)); break;
    case kExcludeClipRect: p.excludeclip(s(8), s(12), s(16), s(20)); break;
    case kOffsetClipRgn: p.offsetclip(s(8), s(12)); break;
    case kExtSelectClipRgn: selectregion(p, r); break;
    case kBeginPath: p.beginpath(); break;
    case kEndPath: p.endpath(); break;
    case kAbortPath: p.abortpath(); break;
    case kCloseFigure: p.closefigure(); break;
    case kFillPath: p.fillpath(true, false); break;
    case kStrokeAndFillPath: p.fillpath(true, true); break;
    case kStrokePath: p.fillpath(false, true); break;
    case kSelectClipPath: p.selectclippath(r.s32(8)); break;
    case kRoundRect: p.roundrect(s(8), s(12), s(16), s(20), s(24), s(28)); break;
    case kPolyBezier:
    case kPolyBezierTo: p.bezier(type == kPolyBezierTo, pointsof(r, 28, r.u32(24), false)); break;
    case kPolyBezier16:
    case kPolyBezierTo16: p.bezier(type == kPolyBezierTo16, pointsof(r, 28, r.u32(24), true)); break;
    case kPolylineTo: p.polyto(pointsof(r, 28, r.u32(24), false)); break;
    case kPolylineTo16: p.polyto(pointsof(r, 28, r.u32(24), true)); break;
    case kLineTo: p.lineto(s(8), s(12)); break;
    case kSaveDC: p.save(); break;
    case kRestoreDC: p.restore(r.s32(8)); break;
    case kSelectObject: {
      const std::uint32_t ih = r.u32(8);
      if ((ih & kStockFlag) != 0)
        p.selectstock(static_cast<int>(ih & ~kStockFlag));
      else
        p.select(ih);
      break;
    }
    case kCreatePen: p.put(r.u32(8), p.makepen(r.s32(12), s(16), r.u32(24))); break;
    case kCreateBrush: p.put(r.u32(8), p.makebrush(r.s32(12), r.u32(16), r.s32(20))); break;
    case kCreateFont: {
      LOGFONTA lf;
      lf.lfHeight = r.s32(12);
      lf.lfWidth = r.s32(16);
      lf.lfEscapement = r.s32(20);
      lf.lfOrientation = r.s32(24);
      lf.lfWeight = r.s32(28);
      r.fontbytes(32, lf);
      std::size_t n = 0;
      while (n < LF_FACESIZE - 1 && r.ok(40 + 2 * n, 2) && r.u16(40 + 2 * n) != 0) ++n;
      const std::string face = fromutf16(r, 40, n);
      for (std::size_t i = 0; i < face.size() && i + 1 < LF_FACESIZE; ++i) lf.lfFaceName[i] = face[i];
      p.put(r.u32(8), p.makefont(lf));
      break;
    }
    case kDeleteObject: p.remove(r.u32(8)); break;
    case kEllipse: p.ellipse(s(8), s(12), s(16), s(20)); break;
    case kRectangle: p.rectangle(s(8), s(12), s(16), s(20)); break;
    case kArc:
    case kPie: p.arc(type == kPie ? 1 : 0, s(8), s(12), s(16), s(20), s(24), s(28), s(32), s(36)); break;
    case kSetPixel: p.pixel(s(8), s(12), r.u32(16)); break;
    case kPolygon:
    case kPolyline: points(p, r, 28, r.u32(24), false, type == kPolygon); break;
    case kPolygon16:
    case kPolyline16: points(p, r, 28, r.u32(24), true, type == kPolygon16); break;
    case kPolyPolygon: polypoly(p, r, false, true); break;
    case kPolyPolygon16: polypoly(p, r, true, true); break;
    case kPolyPolyline: polypoly(p, r, false, false); break;
    case kPolyPolyline16: polypoly(p, r, true, false); break;
    case kSetWorldTransform: p.setworld(worldof(r, 8)); break;
    case kModifyWorldTransform: p.modifyworld(worldof(r, 8), r.s32(32)); break;
    case kExtCreatePen: extpen(p, r); break;
    case kChord: p.arc(2, s(8), s(12), s(16), s(20), s(24), s(28), s(32), s(36)); break;
    case kTextA: text(p, r, false); break;
    case kTextW: text(p, r, true); break;
    case kStretchDibits: {
      const std::size_t offbmi = r.u32(48), cbbmi = r.u32(52), offbits = r.u32(56), cbbits = r.u32(60);
      if (!r.ok(offbmi, cbbmi) || !r.ok(offbits, cbbits)) break;
      p.dib(s(24), s(28), s(72), s(76), r.s32(32), r.s32(36), r.s32(40), r.s32(44), r.b.subspan(offbmi, cbbmi),
            r.b.subspan(offbits, cbbits), r.u32(64), r.u32(68));
      break;
    }
    default:
      break;  // palettes, escapes and the rest draw nothing here
  }
}

}  // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
  if (data == nullptr) return nullptr;
  const std::span<const std::uint8_t> b(data, size);
  if (!wellformed(b)) return nullptr;
  auto m = std::make_unique<EnhMetaFileData>();
  m->bytes.assign(b.begin(), b.end());
  return m.release();
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
  delete metafile;
  return metafile != nullptr ? TRUE : FALSE;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
  if (AsDC(dc) == nullptr || metafile == nullptr || rect == nullptr) return FALSE;
  const std::span<const std::uint8_t> b(metafile->bytes);
  const RecordBytes all{b};
  MetaPlayer player(dc, all.u16(56));
  // Records are in the reference device's own mapping, which starts as
  // plain pixels whatever the context uses.
  player.map = MapState{};
  frametransform(player, all, *rect);
  std::size_t at = all.u32(4);
  while (at + 8 <= b.size()) {
    const std::uint32_t type = all.u32(at);
    const std::size_t size = all.u32(at + 4);
    if (type == kEof) break;
    playrecord(player, RecordBytes{b.subspan(at, size)}, type);
    at += size;
  }
  return TRUE;
}

}  // namespace plat
