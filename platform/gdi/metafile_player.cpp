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

namespace plat {

namespace {

constexpr std::size_t kMaxHandles = 65536;
constexpr double kCoordLimit = static_cast<double>(1L << 26);

}  // namespace

int RoundCoord(double v) {
  if (!(v == v)) return 0;  // not a number
  return static_cast<int>(std::lround(std::clamp(v, -kCoordLimit, kCoordLimit)));
}

MetaPlayer::MetaPlayer(HDC dc, std::size_t handles)
    : dc_(dc), slots_(std::min(handles, kMaxHandles), nullptr), taken_(std::min(handles, kMaxHandles), false) {
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
  s.pen = GetCurrentObject(dc_, OBJ_PEN);
  s.brush = GetCurrentObject(dc_, OBJ_BRUSH);
  s.font = GetCurrentObject(dc_, OBJ_FONT);
  s.text = GetTextColor(dc_);
  s.bk = GetBkColor(dc_);
  s.bkmode = GetBkMode(dc_);
  s.rop2 = GetROP2(dc_);
  s.align = GetTextAlign(dc_);
  return s;
}

// ---- Coordinates ------------------------------------------------------------

POINT MetaPlayer::device(double x, double y) const {
  double dx = 0, dy = 0;
  map.apply(x, y, dx, dy);
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

void MetaPlayer::select(std::size_t slot) {
  if (slot < slots_.size() && taken_[slot] && slots_[slot] != nullptr) SelectObject(dc_, slots_[slot]);
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
}

HPEN MetaPlayer::makepen(int style, double width, COLORREF colour) const {
  double sx = 1, sy = 1;
  map.scale(sx, sy);
  style &= 0x0f;
  if (style == PS_INSIDEFRAME || style > PS_NULL) style = PS_SOLID;
  const int w = std::max(1, RoundCoord(std::min(std::fabs(width * sx * ax), 1000.0)));
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
  SelectObject(dc_, s.pen);
  SelectObject(dc_, s.brush);
  SelectObject(dc_, s.font);
  SetTextColor(dc_, s.text);
  SetBkColor(dc_, s.bk);
  SetBkMode(dc_, s.bkmode);
  SetROP2(dc_, s.rop2);
  SetTextAlign(dc_, s.align);
}

// ---- Modes ------------------------------------------------------------------

void MetaPlayer::bkmode(int mode) { SetBkMode(dc_, mode); }
void MetaPlayer::bkcolour(COLORREF c) { SetBkColor(dc_, c & 0x00ffffffu); }
void MetaPlayer::textcolour(COLORREF c) { SetTextColor(dc_, c & 0x00ffffffu); }
void MetaPlayer::rop2(int rop) { SetROP2(dc_, rop); }
void MetaPlayer::textalign(UINT align) { SetTextAlign(dc_, align); }

// ---- Drawing ----------------------------------------------------------------

void MetaPlayer::moveto(double x, double y) {
  const POINT p = device(x, y);
  MoveToEx(dc_, p.x, p.y, nullptr);
}

void MetaPlayer::lineto(double x, double y) {
  const POINT p = device(x, y);
  LineTo(dc_, p.x, p.y);
}

void MetaPlayer::rectangle(double l, double t, double r, double b) {
  const POINT a = device(l, t), c = device(r, b);
  Rectangle(dc_, std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y));
}

void MetaPlayer::ellipse(double l, double t, double r, double b) {
  const POINT a = device(l, t), c = device(r, b);
  Ellipse(dc_, std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y));
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
  if (kind == 1)
    Pie(dc_, L, T, R, B, s.x, s.y, e.x, e.y);
  else
    Arc(dc_, L, T, R, B, s.x, s.y, e.x, e.y);
}

void MetaPlayer::poly(bool closed, const std::vector<double>& xy) {
  const std::size_t n = std::min<std::size_t>(xy.size() / 2, static_cast<std::size_t>(kMaxPolyPoints));
  if (n < 2) return;
  std::vector<POINT> pts(n);
  for (std::size_t i = 0; i < n; ++i) pts[i] = device(xy[2 * i], xy[2 * i + 1]);
  if (closed)
    Polygon(dc_, pts.data(), static_cast<int>(n));
  else
    Polyline(dc_, pts.data(), static_cast<int>(n));
}

void MetaPlayer::pixel(double x, double y, COLORREF c) {
  const POINT p = device(x, y);
  SetPixel(dc_, p.x, p.y, c & 0x00ffffffu);
}

void MetaPlayer::text(double x, double y, const std::string& cp1250) {
  if (cp1250.empty()) return;
  const POINT p = device(x, y);
  TextOutA(dc_, p.x, p.y, cp1250.data(), static_cast<int>(std::min<std::size_t>(cp1250.size(), 65535)));
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
  StretchDIBits(dc_, p0.x, p0.y, p1.x - p0.x, p1.y - p0.y, xs, ys, ws, hs, bits.data(), bi, usage, rop);
}

}  // namespace plat
