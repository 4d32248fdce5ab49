// Classic metafiles: the 18-byte header and records of 16-bit words,
// played through the context's mapping.
//
// Header: type (1 memory, 2 disk), header size in words (9), version
// (0x100 or 0x300), file size in words (32 bits), object count, largest
// record in words (32 bits), 0. Record: size in words (32 bits, the size
// itself included), function number, parameters; the parameters of most
// drawing records come last-first (y before x, bottom-right before
// top-left).
#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/metafile.h"
#include "platform/gdi/metafile_player.h"
#include "platform/gdi/objects.h"

struct plat::MetaFileData {
  std::vector<std::uint8_t> bytes;
  std::size_t handles = 0;
};

namespace plat {

namespace {

constexpr std::size_t kHeaderBytes = 18;

enum : std::uint16_t {
  kEof = 0x0000,
  kSaveDC = 0x001E,
  kRealizePalette = 0x0035,
  kCreatePalette = 0x00F7,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kRestoreDC = 0x0127,
  kSelectClipRegion = 0x012C,
  kSelectObject = 0x012D,
  kSetTextAlign = 0x012E,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kOffsetClipRgn = 0x0220,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kEllipse = 0x0418,
  kRectangle = 0x041B,
  kSetPixel = 0x041F,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kArc = 0x0817,
  kPie = 0x081A,
  kExtTextOut = 0x0A32,
  kStretchDib = 0x0F43,
};

constexpr UINT kEtoOpaque = 2;
constexpr UINT kEtoClipped = 4;

// Checks the header and that the records tile the bytes up to the end
// record (or the end of the bytes).
bool wellformed(std::span<const std::uint8_t> b) {
  const RecordBytes r{b};
  if (b.size() < kHeaderBytes) return false;
  const std::uint16_t type = r.u16(0), words = r.u16(2), version = r.u16(4);
  if ((type != 1 && type != 2) || words != 9 || (version != 0x0100 && version != 0x0300)) return false;
  std::size_t at = kHeaderBytes;
  while (at < b.size()) {
    if (!r.ok(at, 6)) return false;
    const std::uint64_t size = static_cast<std::uint64_t>(r.u32(at)) * 2;
    if (size < 6 || size > b.size() - at) return false;
    if (r.u16(at + 4) == kEof) return true;
    at += static_cast<std::size_t>(size);
  }
  return true;
}

// Text of a record as code page 1250 bytes.
std::string textat(const RecordBytes& r, std::size_t at, std::size_t n) {
  if (!r.ok(at, n)) return {};
  return std::string(reinterpret_cast<const char*>(r.b.data() + at), n);
}

// A region object: a header, then scans of rows top..bottom with pairs of
// left and right edges (logical units), mapped onto the device. Rectangles
// past the record's end are left out.
std::vector<RECT> regionof(const MetaPlayer& p, const RecordBytes& r) {
  constexpr std::size_t kScans = 6 + 22;
  std::vector<RECT> out;
  const std::size_t scans = r.u16(6 + 10);
  std::size_t at = kScans;
  for (std::size_t k = 0; k < scans && r.ok(at, 6); ++k) {
    const std::size_t count = r.u16(at);
    const double top = r.s16(at + 2), bottom = r.s16(at + 4);
    if (!r.ok(at + 6, count * 2 + 2)) break;
    for (std::size_t i = 0; i + 1 < count; i += 2)
      out.push_back(p.devicerect(r.s16(at + 6 + 2 * i), top, r.s16(at + 8 + 2 * i), bottom));
    at += 6 + count * 2 + 2;
  }
  return out;
}

void playrecord(MetaPlayer& p, const RecordBytes& r, std::uint16_t fn) {
  // Parameters start at byte 6 of the record.
  auto w = [&](std::size_t i) { return static_cast<double>(r.s16(6 + 2 * i)); };
  auto u = [&](std::size_t i) { return r.u16(6 + 2 * i); };
  auto colour = [&](std::size_t i) { return static_cast<COLORREF>(r.u32(6 + 2 * i)); };
  const std::size_t nparams = (r.b.size() - 6) / 2;
  switch (fn) {
    case kSaveDC: p.save(); break;
    case kRestoreDC: p.restore(r.s16(6)); break;
    case kSetBkMode: p.bkmode(u(0)); break;
    case kSetMapMode: p.map.mode = u(0); break;
    case kSetRop2: p.rop2(u(0)); break;
    case kSetTextAlign: p.textalign(u(0)); break;
    case kSetBkColor: p.bkcolour(colour(0)); break;
    case kSetTextColor: p.textcolour(colour(0)); break;
    case kSetWindowOrg: p.map.woy = w(0); p.map.wox = w(1); break;
    case kSetWindowExt:
      if (w(0) != 0 && w(1) != 0) {
        p.map.wey = w(0);
        p.map.wex = w(1);
      }
      break;
    case kSetViewportOrg: p.map.voy = w(0); p.map.vox = w(1); break;
    case kSetViewportExt:
      if (w(0) != 0 && w(1) != 0) {
        p.map.vey = w(0);
        p.map.vex = w(1);
      }
      break;
    case kMoveTo: p.moveto(w(1), w(0)); break;
    case kLineTo: p.lineto(w(1), w(0)); break;
    case kRectangle: p.rectangle(w(3), w(2), w(1), w(0)); break;
    case kEllipse: p.ellipse(w(3), w(2), w(1), w(0)); break;
    case kArc:
    case kPie:
      p.arc(fn == kPie ? 1 : 0, w(7), w(6), w(5), w(4), w(3), w(2), w(1), w(0));
      break;
    case kSetPixel: p.pixel(w(3), w(2), colour(0)); break;
    case kRoundRect: p.roundrect(w(5), w(4), w(3), w(2), w(1), w(0)); break;
    case kPatBlt: p.patblt(w(5), w(4), w(3), w(2), static_cast<DWORD>(r.u32(6))); break;
    case kSetPolyFillMode: p.fillmode(u(0)); break;
    case kIntersectClipRect: p.intersectclip(w(3), w(2), w(1), w(0)); break;
    case kExcludeClipRect: p.excludeclip(w(3), w(2), w(1), w(0)); break;
    case kOffsetClipRgn: p.offsetclip(w(1), w(0)); break;
    case kSelectClipRegion: p.selectclipregion(u(0)); break;
    case kCreateRegion: p.putregion(p.freeslot(), regionof(p, r)); break;
    case kPolygon:
    case kPolyline: {
      if (nparams < 1) break;
      const std::size_t n = std::min<std::size_t>(u(0), (nparams - 1) / 2);
      std::vector<double> xy(2 * n);
      for (std::size_t i = 0; i < 2 * n; ++i) xy[i] = w(1 + i);
      p.poly(fn == kPolygon, xy);
      break;
    }
    case kPolyPolygon: {
      if (nparams < 1) break;
      const std::size_t polys = std::min<std::size_t>(u(0), nparams - 1);
      std::size_t at = 1 + polys;
      for (std::size_t k = 0; k < polys; ++k) {
        const std::size_t n = u(1 + k);
        if (at + 2 * n > nparams) break;
        std::vector<double> xy(2 * n);
        for (std::size_t i = 0; i < 2 * n; ++i) xy[i] = w(at + i);
        p.poly(true, xy);
        at += 2 * n;
      }
      break;
    }
    case kTextOut: {
      const std::size_t n = u(0);
      const std::size_t padded = (n + 1) / 2 * 2;
      if (!r.ok(8, padded + 4)) break;
      p.text(r.s16(8 + padded + 2), r.s16(8 + padded), textat(r, 8, n));
      break;
    }
    case kExtTextOut: {
      const double y = w(0), x = w(1);
      const std::size_t n = u(2);
      const UINT options = u(3);
      const std::size_t at = 6 + 8 + ((options & (kEtoOpaque | kEtoClipped)) != 0 ? 8 : 0);
      p.text(x, y, textat(r, at, n));
      break;
    }
    case kCreatePenIndirect:
      p.put(p.freeslot(), p.makepen(u(0), w(1), colour(3)));
      break;
    case kCreateBrushIndirect:
      p.put(p.freeslot(), p.makebrush(u(0), colour(1), u(3)));
      break;
    case kCreateFontIndirect: {
      LOGFONTA lf;
      lf.lfHeight = r.s16(6);
      lf.lfWidth = r.s16(8);
      lf.lfEscapement = r.s16(10);
      lf.lfOrientation = r.s16(12);
      lf.lfWeight = r.s16(14);
      r.fontbytes(16, lf);
      for (std::size_t i = 0; i + 1 < LF_FACESIZE && r.ok(24 + i, 1) && r.b[24 + i] != 0; ++i)
        lf.lfFaceName[i] = static_cast<char>(r.b[24 + i]);
      p.put(p.freeslot(), p.makefont(lf));
      break;
    }
    case kCreatePalette:
    case kCreatePatternBrush:
    case kDibCreatePatternBrush:
      // Objects this layer does not make still take their slot.
      p.put(p.freeslot(), nullptr);
      break;
    case kSelectObject: p.select(u(0)); break;
    case kDeleteObject: p.remove(u(0)); break;
    case kStretchDib: {
      // rop, usage, source h, w, y, x, destination h, w, y, x, the bitmap.
      const DWORD rop = r.u32(6);
      const UINT usage = u(2);
      const int hs = r.s16(12), ws = r.s16(14), ys = r.s16(16), xs = r.s16(18);
      const double hd = w(7), wd = w(8), yd = w(9), xd = w(10);
      constexpr std::size_t kDibAt = 28;
      if (!r.ok(kDibAt, 40)) break;
      const std::span<const std::uint8_t> rest = r.b.subspan(kDibAt);
      const RecordBytes dib{rest};
      const std::size_t hdr = dib.u32(0);
      const int bpp = dib.u16(14);
      std::size_t colours = dib.u32(32);
      if (colours == 0 && bpp <= 8) colours = std::size_t{1} << bpp;
      const std::size_t table = hdr + colours * (usage == DIB_PAL_COLORS ? 2 : 4);
      if (hdr < 40 || table > rest.size()) break;
      p.dib(xd, yd, wd, hd, xs, ys, ws, hs, rest.first(table), rest.subspan(table), usage, rop);
      break;
    }
    default:
      break;  // palettes, escapes and the rest draw nothing here
  }
}

}  // namespace

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data) {
  if (data == nullptr) return nullptr;
  const std::span<const std::uint8_t> b(data, size);
  if (!wellformed(b)) return nullptr;
  auto m = std::make_unique<MetaFileData>();
  m->bytes.assign(b.begin(), b.end());
  m->handles = RecordBytes{b}.u16(10);
  return m.release();
}

BOOL DeleteMetaFile(HMETAFILE metafile) {
  delete metafile;
  return metafile != nullptr ? TRUE : FALSE;
}

BOOL PlayMetaFile(HDC dc, HMETAFILE metafile) {
  if (AsDC(dc) == nullptr || metafile == nullptr) return FALSE;
  const std::span<const std::uint8_t> b(metafile->bytes);
  MetaPlayer player(dc, metafile->handles);
  std::size_t at = kHeaderBytes;
  while (at + 6 <= b.size()) {
    const RecordBytes all{b};
    const std::size_t size = static_cast<std::size_t>(all.u32(at)) * 2;
    const std::uint16_t fn = all.u16(at + 4);
    if (fn == kEof) break;
    playrecord(player, RecordBytes{b.subspan(at, size)}, fn);
    at += size;
  }
  return TRUE;
}

}  // namespace plat
