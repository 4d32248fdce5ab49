// Metafile playback, shared by the classic and the enhanced format: the
// mapping of record coordinates to the device, the table of the objects a
// metafile makes, the saved states, and the drawing calls the records turn
// into. Internal to platform/gdi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/gdi_private.h"
#include "platform/gdi/metafile_clip.h"
#include "platform/gdi/metafile_path.h"
#include "platform/gdi/text.h"
#include "text/littleendian.h"

namespace plat {

// A mapping mode with its window and viewport, in doubles.
struct MapState {
  int mode = 1;
  double wox = 0, woy = 0, wex = 1, wey = 1;
  double vox = 0, voy = 0, vex = 1, vey = 1;
  int dpi = 96;
  // Device units per logical unit (signed).
  void scale(double& sx, double& sy) const;
  void apply(double x, double y, double& dx, double& dy) const;
};

MapState MapStateOf(const DeviceContext* dc);
// Rounded to the nearest integer and held inside the rasteriser's range.
int RoundCoord(double v);

// Little-endian reads inside a record; out-of-range reads give 0, so a
// short record draws nothing sensible but never reads outside its bytes.
struct RecordBytes {
  std::span<const std::uint8_t> b;
  bool ok(std::size_t at, std::size_t n) const { return text::fits(b, at, n); }
  std::uint16_t u16(std::size_t at) const { return text::le16(b, at); }
  std::int16_t s16(std::size_t at) const { return text::les16(b, at); }
  std::uint32_t u32(std::size_t at) const { return text::le32(b, at); }
  std::int32_t s32(std::size_t at) const { return text::les32(b, at); }
  // The eight one-byte fields of a logical font (italic .. pitch and
  // family), as both formats store them.
  void fontbytes(std::size_t at, LOGFONTA& lf) const {
    if (!ok(at, 8)) return;
    lf.lfItalic = b[at];
    lf.lfUnderline = b[at + 1];
    lf.lfStrikeOut = b[at + 2];
    lf.lfCharSet = b[at + 3];
    lf.lfOutPrecision = b[at + 4];
    lf.lfClipPrecision = b[at + 5];
    lf.lfQuality = b[at + 6];
    lf.lfPitchAndFamily = b[at + 7];
  }
};

// The world transform of an enhanced metafile: record coordinates (x, y)
// become (m11 x + m21 y + dx, m12 x + m22 y + dy) before the mapping.
struct WorldTransform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  // This transform applied first, then `then`.
  WorldTransform followedby(const WorldTransform& then) const;
  bool turns() const { return m12 != 0 || m21 != 0; }
};

class MetaPlayer {
 public:
  MetaPlayer(HDC dc, std::size_t handles);
  ~MetaPlayer();
  MetaPlayer(const MetaPlayer&) = delete;
  MetaPlayer& operator=(const MetaPlayer&) = delete;

  // Record coordinates -> device: through `map`, then the affine frame
  // (ax, bx, ay, by), identity for classic metafiles.
  MapState map;
  double ax = 1, bx = 0, ay = 1, by = 0;
  WorldTransform world;

  // The world transform set, or combined with the one in force: mode 1
  // back to identity, 2 the given one first, 3 the given one after.
  void setworld(const WorldTransform& w) { world = w; }
  void modifyworld(const WorldTransform& w, int mode);

  // Objects. Classic metafiles take the lowest free slot; enhanced ones
  // name the slot. Slots that hold a kind this layer does not make are
  // taken with a null handle. A region (device rectangles) is kept by the
  // player; selecting it makes it the clip region.
  std::size_t freeslot() const;
  void put(std::size_t slot, HGDIOBJ object);
  void putregion(std::size_t slot, std::vector<RECT> rects);
  void select(std::size_t slot);
  void selectstock(int which);
  void remove(std::size_t slot);

  HPEN makepen(int style, double width, COLORREF colour) const;
  HBRUSH makebrush(int style, COLORREF colour, int hatch) const;
  HFONT makefont(LOGFONTA lf) const;

  void save();
  void restore(int which);  // < 0: that many states back; > 0: the state of that number

  // Modes.
  void bkmode(int mode);
  void bkcolour(COLORREF c);
  void textcolour(COLORREF c);
  void rop2(int rop);
  void textalign(UINT align);

  // The clip region. Rectangles in record coordinates; region rectangles
  // already on the device.
  void intersectclip(double l, double t, double r, double b);
  void excludeclip(double l, double t, double r, double b);
  void offsetclip(double dx, double dy);
  void selectclip(const std::vector<RECT>& rects, int mode);
  // The region in `slot` becomes the clip region; other slots do nothing.
  void selectclipregion(std::size_t slot);
  void resetclip() { clip_.reset(); }
  // Corners of a record rectangle on the device, ordered.
  RECT devicerect(double l, double t, double r, double b) const;
  // The frame of an enhanced metafile alone (for its region records).
  POINT framed(double x, double y) const;

  // Paths (enhanced metafiles): between begin and end the drawing records
  // add figures; the path is then filled, stroked or made the clip region.
  void beginpath();
  void endpath();
  void abortpath() { path_.clear(); }
  void closefigure();
  void fillpath(bool fill, bool stroke);
  void selectclippath(int mode);
  void fillmode(int mode);

  // Drawing in record coordinates.
  void moveto(double x, double y);
  void lineto(double x, double y);
  void rectangle(double l, double t, double r, double b);
  void ellipse(double l, double t, double r, double b);
  // kind 0 arc, 1 pie, 2 chord.
  void arc(int kind, double l, double t, double r, double b, double xs, double ys, double xe, double ye);
  void poly(bool closed, const std::vector<double>& xy);
  // Lines from the current position through the points.
  void polyto(const std::vector<double>& xy);
  // Bezier curves: start point then three points a curve, or (`to`) from
  // the current position, three points a curve.
  void bezier(bool to, const std::vector<double>& xy);
  void roundrect(double l, double t, double r, double b, double cw, double ch);
  void pixel(double x, double y, COLORREF c);
  // The rectangle with the brush through the raster operation (no source).
  void patblt(double x, double y, double w, double h, DWORD rop);
  void text(double x, double y, const std::string& cp1250);
  // A device-independent bitmap (header, colour table, bits in one block)
  // into a record rectangle.
  void dib(double xd, double yd, double wd, double hd, int xs, int ys, int ws, int hs,
           std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, UINT usage, DWORD rop);

 private:
  struct Saved {
    MapState map;
    double ax, bx, ay, by;
    WorldTransform world;
    HGDIOBJ pen, brush, font;
    COLORREF text, bk;
    int bkmode, rop2;
    UINT align;
    MetaClip clip;
    int fillmode;
  };
  Saved snapshot() const;
  void apply(const Saved& s);
  POINT device(double x, double y) const;
  void flipped(bool& fx, bool& fy) const;
  // Draws through the clip region.
  void clipped(const std::function<void()>& drawing);
  // The figures of a closed outline, into the path or drawn as a polygon.
  void outline(const Figure& f);
  std::vector<std::vector<POINT>> pathpolygons(bool close) const;
  // The current position after a record that ends somewhere, without
  // starting a figure.
  void position(PathPoint p);

  HDC dc_;
  MetaClip clip_;
  Path path_;
  int fillmode_ = kFillAlternate;
  PathPoint current_;  // current position in record coordinates
  std::vector<HGDIOBJ> slots_;
  std::vector<bool> taken_;
  std::vector<std::optional<std::vector<RECT>>> regions_;  // by slot
  std::vector<HGDIOBJ> pending_;  // deleted by the metafile while selected
  std::vector<Saved> saved_;
  Saved original_;
};

}  // namespace plat
