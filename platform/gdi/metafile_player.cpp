// Metafile playback shared by both formats: coordinates, objects, saved
// states and the drawing calls.
#include "platform/gdi/metafile_player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/region.h"

namespace plat {

namespace {

constexpr std::size_t kMaxHandles = 65536;
constexpr double kCoordLimit = static_cast<double>(1L << 26);

}  // namespace

int RoundCoord(double v) {
  if (!(v == v)) return 0;  // not a number
  return static_cast<int>(std::lround(std::clamp(v, -kCoordLimit, kCoordLimit)));
}

namespace {

RECT clipboxof(HDC dc) {
  RECT r{};
  GetClipBox(dc, &r);
  return r;
}

}  // namespace

MetaPlayer::MetaPlayer(HDC dc, std::size_t handles)
    : dc_(dc),
      clip_(clipboxof(dc)),
      slots_(std::min(handles, kMaxHandles), nullptr),
      taken_(std::min(handles, kMaxHandles), false),
      regions_(std::min(handles, kMaxHandles)) {
  map = MapStateOf(AsDC(dc));
  original_ = snapshot();
}

MetaPlayer::~MetaPlayer() {
  apply(original_);
  for (std::size_t i = 0; i < slots_.size(); ++i)
    if (taken_[i] && slots_[i] != nullptr) DeleteObject(slots_[i]);
  for (HGDIOBJ o : pending_) DeleteObject(o);
}

MetaPlayer::Saved MetaPlayer::snapshot() const {
  Saved s;
  s.map = map;
  s.ax = ax;
  s.bx = bx;
  s.ay = ay;
  s.by = by;
  s.world = world;
  s.pen = GetCurrentObject(dc_, OBJ_PEN);
  s.brush = GetCurrentObject(dc_, OBJ_BRUSH);
  s.font = GetCurrentObject(dc_, OBJ_FONT);
  s.text = GetTextColor(dc_);
  s.bk = GetBkColor(dc_);
  s.bkmode = GetBkMode(dc_);
  s.rop2 = GetROP2(dc_);
  s.align = GetTextAlign(dc_);
  s.clip = clip_;
  s.fillmode = fillmode_;
  return s;
}

// ---- Coordinates ------------------------------------------------------------

WorldTransform WorldTransform::followedby(const WorldTransform& t) const {
  WorldTransform r;
  r.m11 = m11 * t.m11 + m12 * t.m21;
  r.m12 = m11 * t.m12 + m12 * t.m22;
  r.m21 = m21 * t.m11 + m22 * t.m21;
  r.m22 = m21 * t.m12 + m22 * t.m22;
  r.dx = dx * t.m11 + dy * t.m21 + t.dx;
  r.dy = dx * t.m12 + dy * t.m22 + t.dy;
  return r;
}

void MetaPlayer::modifyworld(const WorldTransform& w, int mode) {
  if (mode == 1)
    world = WorldTransform{};
  else if (mode == 2)
    world = w.followedby(world);
  else if (mode == 3)
    world = world.followedby(w);
}

POINT MetaPlayer::device(double x, double y) const {
  const double wx = world.m11 * x + world.m21 * y + world.dx;
  const double wy = world.m12 * x + world.m22 * y + world.dy;
  double dx = 0, dy = 0;
  map.apply(wx, wy, dx, dy);
  return POINT{RoundCoord(ax * dx + bx), RoundCoord(ay * dy + by)};
}

void MetaPlayer::flipped(bool& fx, bool& fy) const {
  double sx = 1, sy = 1;
  map.scale(sx, sy);
  fx = sx * ax < 0;
  fy = sy * ay < 0;
}

// ---- Objects ----------------------------------------------------------------

std::size_t MetaPlayer::freeslot() const {
  for (std::size_t i = 0; i < taken_.size(); ++i)
    if (!taken_[i]) return i;
  return taken_.size();
}

void MetaPlayer::put(std::size_t slot, HGDIOBJ object) {
  if (slot >= slots_.size()) {
    if (object != nullptr) DeleteObject(object);
    return;
  }
  remove(slot);
  slots_[slot] = object;
  taken_[slot] = true;
}

void MetaPlayer::putregion(std::size_t slot, std::vector<RECT> rects) {
  if (slot >= slots_.size()) return;
  put(slot, nullptr);
  regions_[slot] = std::move(rects);
}

void MetaPlayer::select(std::size_t slot) {
  if (slot >= slots_.size() || !taken_[slot]) return;
  if (regions_[slot])
    clip_.combine(*regions_[slot], kRgnCopy);
  else if (slots_[slot] != nullptr)
    SelectObject(dc_, slots_[slot]);
}

void MetaPlayer::selectstock(int which) {
  if (which == DEFAULT_PALETTE) return;
  if (HGDIOBJ o = GetStockObject(which)) SelectObject(dc_, o);
}

void MetaPlayer::remove(std::size_t slot) {
  if (slot >= slots_.size() || !taken_[slot]) return;
  if (slots_[slot] != nullptr && !DeleteObject(slots_[slot])) pending_.push_back(slots_[slot]);
  slots_[slot] = nullptr;
  taken_[slot] = false;
  regions_[slot].reset();
}

HPEN MetaPlayer::makepen(int style, double width, COLORREF colour) const {
  double sx = 1, sy = 1;
  map.scale(sx, sy);
  style &= 0x0f;
  if (style == PS_INSIDEFRAME || style > PS_NULL) style = PS_SOLID;
  const double turned = std::sqrt(std::fabs(world.m11 * world.m22 - world.m12 * world.m21));
  const int w = std::max(1, RoundCoord(std::min(std::fabs(width * turned * sx * ax), 1000.0)));
  return CreatePen(style, w, colour);
}

HBRUSH MetaPlayer::makebrush(int style, COLORREF colour, int hatch) const {
  if (style == BS_NULL) return nullptr;
  if (style == BS_HATCHED && hatch >= HS_HORIZONTAL && hatch <= HS_DIAGCROSS) return CreateHatchBrush(hatch, colour);
  return CreateSolidBrush(colour);
}

HFONT MetaPlayer::makefont(LOGFONTA lf) const {
  double sx = 1, sy = 1;
  map.scale(sx, sy);
  const double h = std::min(std::fabs(lf.lfHeight * sy * ay), 2000.0);
  const double w = std::min(std::fabs(lf.lfWidth * sx * ax), 2000.0);
  lf.lfHeight = lf.lfHeight < 0 ? -RoundCoord(h) : RoundCoord(h);
  lf.lfWidth = RoundCoord(w);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  return CreateFontIndirectA(&lf);
}

// ---- Saved states -------------------------------------------------------------

void MetaPlayer::save() {
  if (saved_.size() < kMaxHandles) saved_.push_back(snapshot());
}

void MetaPlayer::restore(int which) {
  std::size_t keep = 0;  // states left on the stack afterwards
  if (which < 0) {
    const std::size_t back = static_cast<std::size_t>(-static_cast<long>(which));
    if (back > saved_.size()) return;
    keep = saved_.size() - back;
  } else if (which > 0) {
    if (static_cast<std::size_t>(which) > saved_.size()) return;
    keep = static_cast<std::size_t>(which) - 1;
  } else {
    return;
  }
  const Saved s = saved_[keep];
  saved_.resize(keep);
  apply(s);
}

void MetaPlayer::apply(const Saved& s) {
  map = s.map;
  ax = s.ax;
  bx = s.bx;
  ay = s.ay;
  by = s.by;
  world = s.world;
  SelectObject(dc_, s.pen);
  SelectObject(dc_, s.brush);
  SelectObject(dc_, s.font);
  SetTextColor(dc_, s.text);
  SetBkColor(dc_, s.bk);
  SetBkMode(dc_, s.bkmode);
  SetROP2(dc_, s.rop2);
  SetTextAlign(dc_, s.align);
  clip_ = s.clip;
  fillmode_ = s.fillmode;
}

// ---- Modes ------------------------------------------------------------------

void MetaPlayer::bkmode(int mode) { SetBkMode(dc_, mode); }
void MetaPlayer::bkcolour(COLORREF c) { SetBkColor(dc_, c & 0x00ffffffu); }
void MetaPlayer::textcolour(COLORREF c) { SetTextColor(dc_, c & 0x00ffffffu); }
void MetaPlayer::rop2(int rop) { SetROP2(dc_, rop); }
void MetaPlayer::textalign(UINT align) { SetTextAlign(dc_, align); }

// ---- Clip region ------------------------------------------------------------

RECT MetaPlayer::devicerect(double l, double t, double r, double b) const {
  const POINT a = device(l, t), c = device(r, b);
  return RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

POINT MetaPlayer::framed(double x, double y) const { return POINT{RoundCoord(ax * x + bx), RoundCoord(ay * y + by)}; }

void MetaPlayer::intersectclip(double l, double t, double r, double b) { clip_.intersect(devicerect(l, t, r, b)); }

void MetaPlayer::excludeclip(double l, double t, double r, double b) { clip_.exclude(devicerect(l, t, r, b)); }

void MetaPlayer::offsetclip(double dx, double dy) {
  const POINT o = device(0, 0), p = device(dx, dy);
  clip_.offset(p.x - o.x, p.y - o.y);
}

void MetaPlayer::selectclip(const std::vector<RECT>& rects, int mode) { clip_.combine(rects, mode); }

void MetaPlayer::selectclipregion(std::size_t slot) {
  if (slot < slots_.size() && taken_[slot] && regions_[slot]) clip_.combine(*regions_[slot], kRgnCopy);
}

void MetaPlayer::clipped(const std::function<void()>& drawing) { clip_.draw(AsDC(dc_), drawing); }

// ---- Paths ------------------------------------------------------------------

void MetaPlayer::beginpath() {
  path_.clear();
  path_.open = true;
}

void MetaPlayer::endpath() {
  if (!path_.open) return;
  path_.open = false;
  path_.done = true;
}

void MetaPlayer::closefigure() {
  if (path_.open) path_.close();
}

void MetaPlayer::fillmode(int mode) {
  if (mode == kFillAlternate || mode == kFillWinding) fillmode_ = mode;
}

std::vector<std::vector<POINT>> MetaPlayer::pathpolygons(bool close) const {
  std::vector<std::vector<POINT>> out;
  for (const Path::Fig& f : path_.figures) {
    std::vector<POINT> p;
    for (const PathPoint& q : f.points) p.push_back(device(q.x, q.y));
    if ((close || f.closed) && p.size() > 1) p.push_back(p.front());
    out.push_back(std::move(p));
  }
  return out;
}

void MetaPlayer::fillpath(bool fill, bool stroke) {
  if (!path_.done) return;
  DeviceContext* dc = AsDC(dc_);
  if (dc != nullptr && fill) {
    const std::vector<std::vector<POINT>> polygons = pathpolygons(true);
    clipped([&] {
      const Target t = TargetOf(dc);
      if (t.empty()) return;
      const BrushPaint brush = BrushOf(dc, dc->brush);
      PolygonSpans(polygons, fillmode_, t.logical_clip(),
                   [&](int y, int x0, int x1) { FillSpan(t, y, x0, x1, brush, dc->rop2); });
    });
  }
  if (stroke) {
    const std::vector<std::vector<POINT>> lines = pathpolygons(false);
    clipped([&] {
      for (const std::vector<POINT>& p : lines)
        if (p.size() >= 2 && p.size() <= static_cast<std::size_t>(kMaxPolyPoints))
          Polyline(dc_, p.data(), static_cast<int>(p.size()));
    });
  }
  path_.clear();
}

void MetaPlayer::selectclippath(int mode) {
  if (!path_.done) return;
  const std::vector<std::vector<POINT>> polygons = pathpolygons(true);
  const int rule = fillmode_;
  clip_.combine([&](const std::function<void(int, int, int)>& span) { PolygonSpans(polygons, rule, clip_.area(), span); },
                mode);
  path_.clear();
}

// ---- Drawing ----------------------------------------------------------------

void MetaPlayer::moveto(double x, double y) {
  current_ = {x, y};
  if (path_.open) {
    path_.moveto(current_);
    return;
  }
  const POINT p = device(x, y);
  MoveToEx(dc_, p.x, p.y, nullptr);
}

void MetaPlayer::lineto(double x, double y) {
  current_ = {x, y};
  if (path_.open) {
    path_.lineto(current_);
    return;
  }
  const POINT p = device(x, y);
  clipped([&] { LineTo(dc_, p.x, p.y); });
}

void MetaPlayer::outline(const Figure& f) {
  if (f.empty()) return;
  if (path_.open) {
    path_.moveto(f.front());
    for (std::size_t i = 1; i < f.size(); ++i) path_.lineto(f[i]);
    path_.close();
    return;
  }
  std::vector<double> xy;
  for (const PathPoint& q : f) {
    xy.push_back(q.x);
    xy.push_back(q.y);
  }
  poly(true, xy);
}

void MetaPlayer::rectangle(double l, double t, double r, double b) {
  // A world transform that turns or slants makes it a polygon.
  if (path_.open || world.turns()) {
    outline(Figure{{l, t}, {r, t}, {r, b}, {l, b}});
    return;
  }
  const POINT a = device(l, t), c = device(r, b);
  clipped([&] { Rectangle(dc_, std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)); });
}

void MetaPlayer::roundrect(double l, double t, double r, double b, double cw, double ch) {
  outline(RoundRectOutline(l, t, r, b, cw, ch));
}

void MetaPlayer::ellipse(double l, double t, double r, double b) {
  if (path_.open || world.turns()) {
    outline(EllipseOutline(l, t, r, b));
    return;
  }
  const POINT a = device(l, t), c = device(r, b);
  clipped([&] { Ellipse(dc_, std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)); });
}

void MetaPlayer::arc(int kind, double l, double t, double r, double b, double xs, double ys, double xe,
                     double ye) {
  const POINT a = device(l, t), c = device(r, b);
  POINT s = device(xs, ys), e = device(xe, ye);
  // A mapping that mirrors the picture turns the direction of the arc; the
  // ends are swapped so that the same part of the ellipse is drawn.
  bool fx = false, fy = false;
  flipped(fx, fy);
  if (fx != fy) std::swap(s, e);
  const int L = std::min(a.x, c.x), T = std::min(a.y, c.y), R = std::max(a.x, c.x), B = std::max(a.y, c.y);
  clipped([&] {
    if (kind == 1)
      Pie(dc_, L, T, R, B, s.x, s.y, e.x, e.y);
    else if (kind == 2)
      Chord(dc_, L, T, R, B, s.x, s.y, e.x, e.y);
    else
      Arc(dc_, L, T, R, B, s.x, s.y, e.x, e.y);
  });
}

void MetaPlayer::poly(bool closed, const std::vector<double>& xy) {
  const std::size_t n = std::min<std::size_t>(xy.size() / 2, static_cast<std::size_t>(kMaxPolyPoints));
  if (n < 2) return;
  if (path_.open) {
    path_.moveto({xy[0], xy[1]});
    for (std::size_t i = 1; i < n; ++i) path_.lineto({xy[2 * i], xy[2 * i + 1]});
    if (closed) path_.close();
    current_ = {xy[2 * n - 2], xy[2 * n - 1]};
    return;
  }
  std::vector<POINT> pts(n);
  for (std::size_t i = 0; i < n; ++i) pts[i] = device(xy[2 * i], xy[2 * i + 1]);
  clipped([&] {
    if (closed)
      Polygon(dc_, pts.data(), static_cast<int>(n));
    else
      Polyline(dc_, pts.data(), static_cast<int>(n));
  });
}

void MetaPlayer::polyto(const std::vector<double>& xy) {
  const std::size_t n = std::min<std::size_t>(xy.size() / 2, static_cast<std::size_t>(kMaxPolyPoints) - 1);
  if (n < 1) return;
  std::vector<double> all{current_.x, current_.y};
  all.insert(all.end(), xy.begin(), xy.begin() + static_cast<std::ptrdiff_t>(2 * n));
  if (path_.open) {
    if (path_.figures.empty() || path_.figures.back().closed) path_.moveto(current_);
    for (std::size_t i = 0; i < n; ++i) path_.lineto({xy[2 * i], xy[2 * i + 1]});
  } else {
    poly(false, all);
  }
  position({xy[2 * n - 2], xy[2 * n - 1]});
}

void MetaPlayer::bezier(bool to, const std::vector<double>& xy) {
  std::size_t n = xy.size() / 2;
  std::size_t at = 0;
  PathPoint from = current_;
  if (!to) {
    if (n < 1) return;
    from = {xy[0], xy[1]};
    at = 1;
  }
  Figure f{from};
  for (; at + 3 <= n && f.size() < static_cast<std::size_t>(kMaxPolyPoints) - 16; at += 3) {
    const PathPoint c1{xy[2 * at], xy[2 * at + 1]}, c2{xy[2 * at + 2], xy[2 * at + 3]}, e{xy[2 * at + 4], xy[2 * at + 5]};
    FlattenBezier(f.back(), c1, c2, e, f);
  }
  std::vector<double> flat;
  for (const PathPoint& q : f) {
    flat.push_back(q.x);
    flat.push_back(q.y);
  }
  if (path_.open) {
    if (!to || path_.figures.empty() || path_.figures.back().closed) path_.moveto(from);
    for (std::size_t i = 1; i < f.size(); ++i) path_.lineto(f[i]);
  } else {
    poly(false, flat);
  }
  if (to) position(f.back());
}

void MetaPlayer::position(PathPoint p) {
  current_ = p;
  if (path_.open) return;
  const POINT d = device(p.x, p.y);
  MoveToEx(dc_, d.x, d.y, nullptr);
}

void MetaPlayer::pixel(double x, double y, COLORREF c) {
  const POINT p = device(x, y);
  clipped([&] { SetPixel(dc_, p.x, p.y, c & 0x00ffffffu); });
}

void MetaPlayer::patblt(double x, double y, double w, double h, DWORD rop) {
  const RECT r = devicerect(x, y, x + w, y + h);
  clipped([&] { BitBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, 0, 0, rop); });
}

void MetaPlayer::text(double x, double y, const std::string& cp1250) {
  if (cp1250.empty()) return;
  const POINT p = device(x, y);
  clipped([&] {
    TextOutA(dc_, p.x, p.y, cp1250.data(), static_cast<int>(std::min<std::size_t>(cp1250.size(), 65535)));
  });
}

void MetaPlayer::dib(double xd, double yd, double wd, double hd, int xs, int ys, int ws, int hs,
                     std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, UINT usage, DWORD rop) {
  // The header and its colour table are checked before anything is read.
  const RecordBytes r{info};
  if (!r.ok(0, 40) || r.u32(0) < 40 || r.u32(0) > info.size()) return;
  BITMAPINFOHEADER h;
  h.biWidth = r.s32(4);
  h.biHeight = r.s32(8);
  h.biPlanes = r.u16(12);
  h.biBitCount = r.u16(14);
  h.biCompression = r.u32(16);
  h.biClrUsed = r.u32(32);
  const int bpp = h.biBitCount;
  if (h.biCompression != BI_RGB || h.biPlanes != 1 || h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN)
    return;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return;
  const long w = h.biWidth, rows = std::labs(static_cast<long>(h.biHeight));
  if (w > (1L << 26) || rows > (1L << 26) / w) return;
  std::size_t colours = 0;
  if (bpp <= 8) colours = h.biClrUsed != 0 ? std::min<std::size_t>(h.biClrUsed, 1u << bpp) : 1u << bpp;
  const std::size_t entry = usage == DIB_PAL_COLORS ? 2 : 4;
  const std::size_t header = r.u32(0);
  if (!r.ok(header, colours * entry)) return;
  const std::size_t stride = static_cast<std::size_t>((w * bpp + 31) / 32 * 4);
  if (bits.size() < stride * static_cast<std::size_t>(rows)) return;
  // An aligned copy with the table right after a 40-byte header.
  std::vector<std::uint32_t> block((40 + std::max<std::size_t>(colours, 1) * 4 + 3) / 4, 0);
  auto* bi = reinterpret_cast<BITMAPINFO*>(block.data());
  bi->bmiHeader = h;
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
  std::memcpy(bi->bmiColors, info.data() + header, colours * entry);
  const POINT p0 = device(xd, yd), p1 = device(xd + wd, yd + hd);
  clipped([&] { StretchDIBits(dc_, p0.x, p0.y, p1.x - p0.x, p1.y - p0.y, xs, ys, ws, hs, bits.data(), bi, usage, rop); });
}

}  // namespace plat
