// Character sets: selection of the hardware font or a stroke font, the
// loader with its cache, the default proportional widths and the preloading
// of the six standard fonts.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "runtime/hostfilename.h"
#include "runtime/regularfile.h"
#include "toolkit/graphics/chrfile.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grtext.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"

namespace tsd {

GrFontTables grfont;
GrFontCache grfontcache;
char grfontname[kFontNameLength] = {};
std::uint8_t grstrokes[kStrokeBytes] = {};
char grtextbuf[kTextBufLength + 1] = {};

namespace {

// Default proportional widths: codes 32..126, then 161..255.
constexpr float kDefaultWidths[kWidthCount] = {
    0.70f, 0.56f, 0.69f, 0.84f, 0.84f, 1.39f, 1.30f, 0.56f, 0.56f, 0.56f,  // 32..41
    0.84f, 0.94f, 0.42f, 0.56f, 0.42f, 0.47f, 0.84f, 0.84f, 0.84f, 0.84f,  // 42..51
    0.84f, 0.84f, 0.84f, 0.84f, 0.84f, 0.84f, 0.47f, 0.47f, 0.94f, 0.94f,  // 52..61
    0.94f, 0.74f, 1.54f, 1.11f, 1.11f, 1.11f, 1.20f, 1.02f, 0.93f, 1.20f,  // 62..71
    1.05f, 0.56f, 0.65f, 1.20f, 0.98f, 1.30f, 1.20f, 1.20f, 0.93f, 1.20f,  // 72..81
    1.11f, 0.93f, 1.02f, 1.11f, 1.02f, 1.50f, 1.20f, 1.20f, 1.02f, 0.56f,  // 82..91
    0.47f, 0.56f, 0.78f, 0.84f, 0.56f, 0.74f, 0.84f, 0.74f, 0.84f, 0.74f,  // 92..101
    0.56f, 0.84f, 0.84f, 0.46f, 0.46f, 0.84f, 0.46f, 1.30f, 0.84f, 0.84f,  // 102..111
    0.84f, 0.84f, 0.56f, 0.65f, 0.50f, 0.84f, 0.84f, 1.20f, 0.84f, 0.84f,  // 112..121
    0.74f, 0.80f, 0.33f, 0.80f, 0.90f,                                     // 122..126
    0.55f, 0.83f, 0.83f, 0.83f, 0.83f, 0.33f, 0.83f, 0.55f, 1.27f, 0.46f,  // 161..170
    0.83f, 0.94f, 0.55f, 1.27f, 0.55f, 0.67f, 0.94f, 0.50f, 0.50f, 0.55f,  // 171..180
    0.83f, 0.75f, 0.42f, 0.55f, 0.50f, 0.52f, 0.83f, 1.25f, 1.25f, 1.25f,  // 181..190
    0.74f, 1.20f, 1.20f, 1.20f, 1.20f, 1.20f, 1.20f, 1.49f, 1.11f, 1.02f,  // 191..200
    1.02f, 1.02f, 1.02f, 0.55f, 0.55f, 0.55f, 0.55f, 1.20f, 1.20f, 1.20f,  // 201..210
    1.20f, 1.20f, 1.20f, 1.20f, 0.94f, 1.20f, 1.20f, 1.20f, 1.20f, 1.20f,  // 211..220
    1.20f, 0.93f, 0.83f, 0.74f, 0.74f, 0.74f, 0.74f, 0.74f, 0.74f, 1.11f,  // 221..230
    0.74f, 0.74f, 0.74f, 0.74f, 0.74f, 0.46f, 0.46f, 0.46f, 0.46f, 0.83f,  // 231..240
    0.83f, 0.83f, 0.83f, 0.83f, 0.83f, 0.83f, 0.94f, 0.83f, 0.83f, 0.83f,  // 241..250
    0.83f, 0.83f, 0.83f, 0.83f, 0.83f,                                     // 251..255
};

// Largest font file the loader reads: both blocks at their byte limit.
// Bytes after the last block are never looked at.
constexpr int kMaxFileBytes = 788 + kStrokeBytes;

// True when a font file of this name can be opened for reading: only a
// regular file, opened so that it never waits (a named pipe or a folder of
// that name is no font file).
bool fileexists(std::string_view path) {
  const int fd = runtime::openregularfile(runtime::host_file_name(path), O_RDONLY);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

void blankname() { std::fill(grfontname, grfontname + kFontNameLength, ' '); }

void setname(std::string_view path) {
  blankname();
  std::memcpy(grfontname, path.data(), std::min<std::size_t>(path.size(), kFontNameLength));
}

// Makes cached font i current.
void fromcache(int i, std::string_view path) {
  const GrFontCache& c = grfontcache;
  grfont.cellwidth = c.cellwidth[i];
  grfont.cellheight = c.cellheight[i];
  grfont.glyphwidth = c.glyphwidth[i];
  grfont.glyphheight = c.glyphheight[i];
  std::copy(std::begin(c.start1[i]), std::end(c.start1[i]), grfont.start1);
  if (c.start2[i][0] == -1) {
    grstate.fonttype = toolkit::kChrTypeBlock1;
  } else {
    grstate.fonttype = toolkit::kChrTypeBoth;
    std::copy(std::begin(c.start2[i]), std::end(c.start2[i]), grfont.start2);
  }
  const int n = c.last[i] - c.first[i] + 1;
  std::memcpy(grstrokes, c.store + (c.first[i] - 1), static_cast<std::size_t>(n));
  setname(path);
  grstate.fontkind = c.kind[i];
}

// Appends the current font to the cache while there is room.
void tocache(std::string_view path, int nsymbols) {
  GrFontCache& c = grfontcache;
  if (c.count >= kFontCacheFonts) return;
  const int first = c.count == 0 ? 1 : c.last[c.count - 1] + 1;
  const int end = first + nsymbols - 1;
  if (end > kFontCacheBytes) return;
  const int i = c.count;
  c.kind[i] = grstate.fontkind;
  std::fill(c.names[i], c.names[i] + kFontNameLength, ' ');
  std::memcpy(c.names[i], path.data(), std::min<std::size_t>(path.size(), kFontNameLength));
  c.cellwidth[i] = grfont.cellwidth;
  c.cellheight[i] = grfont.cellheight;
  c.glyphwidth[i] = grfont.glyphwidth;
  c.glyphheight[i] = grfont.glyphheight;
  std::copy(std::begin(grfont.start1), std::end(grfont.start1), c.start1[i]);
  if (grstate.fonttype == toolkit::kChrTypeBoth)
    std::copy(std::begin(grfont.start2), std::end(grfont.start2), c.start2[i]);
  else
    c.start2[i][0] = -1;
  c.first[i] = first;
  c.last[i] = end;
  if (nsymbols > 0) std::memcpy(c.store + (first - 1), grstrokes, static_cast<std::size_t>(nsymbols));
  c.count += 1;
}

}  // namespace

int xxrset(std::string_view path) {
  const std::string_view p = trimmed(path);
  const std::size_t l = p.size();
  // A cached name of 160 characters cannot hold a longer path, so the
  // comparison never reads past it.
  if (l <= static_cast<std::size_t>(kFontNameLength)) {
    for (int i = 0; i < grfontcache.count; ++i) {
      if (std::string_view(grfontcache.names[i], l) == p) {
        fromcache(i, p);
        return 0;
      }
    }
  }
  // The whole file (up to the largest valid size) is checked before any
  // table changes.
  const int first = ilocatechar(p);
  std::string bytes;
  const runtime::WholeFileStatus read =
      first == 0 ? runtime::WholeFileStatus::cannot_open
                 : runtime::readregularfile(runtime::host_file_name(p.substr(first - 1)), bytes, static_cast<std::size_t>(kMaxFileBytes));
  if (read == runtime::WholeFileStatus::cannot_open) {
    xxerror(kErrFileOpen);
    errstate.os_status = first == 0 ? 0 : errno;
    return 0;
  }
  toolkit::ChrDecoded d;
  if (read == runtime::WholeFileStatus::ok)
    d = toolkit::decode_chr(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  if (read != runtime::WholeFileStatus::ok || d.error != toolkit::ChrError::ok) {
    blankname();
    grstate.fontkind = 0;
    xxsizg();
    xxerror(kErrFileRead);
    errstate.os_status = 0;
    return 0;
  }
  const toolkit::ChrFont& f = d.font;
  grfont.cellwidth = f.cell_width;
  grfont.cellheight = f.cell_height;
  grfont.glyphwidth = f.glyph_width;
  grfont.glyphheight = f.glyph_height;
  std::copy(f.start1.begin(), f.start1.end(), grfont.start1);
  grstate.fonttype = f.type;
  if (f.type == toolkit::kChrTypeBoth) std::copy(f.start2.begin(), f.start2.end(), grfont.start2);
  const int nsymbols = f.n1 + (f.type == toolkit::kChrTypeBoth ? f.n2 : 0);
  std::memcpy(grstrokes, f.strokes.data(), static_cast<std::size_t>(nsymbols));
  setname(p);
  grstate.fontkind = f.kind;
  tocache(p, nsymbols);
  return 0;
}

int igrcharset(std::string_view name) {
  const int l = iactuallength(name);
  if (l == 1 && (name[0] == 'H' || name[0] == 'h')) {
    grstate.fontkind = 0;
    xxsizg();
    return 0;
  }
  std::string candidate;
  if (ilocatechar(name) == 0) {
    const std::string_view def = text_of(tkfiles.charset);
    const int first = ilocatechar(def);
    if (first > 0) candidate = std::string(def.substr(first - 1, iactuallength(def) - first + 1));
  } else {
    const int first = ilocatechar(name);
    candidate = std::string(name.substr(first - 1, l - first + 1));
  }
  std::vector<std::string> attempts;
  attempts.push_back(candidate.substr(0, kPathLength));
  const std::string_view dir = trimmed(text_of(tkfiles.chardir));
  if (!dir.empty()) attempts.push_back((std::string(dir) + candidate).substr(0, kPathLength));

  const std::string_view current = trimmed(text_of(grfontname));
  bool found = false;
  for (const std::string& a : attempts) {
    const std::string_view path = trimmed(a);
    if (!path.empty() && path == current) {
      grstate.fontkind = grfont.lastkind;
      grstate.fonttype = grfont.lasttype;
      found = true;
      break;
    }
    if (!path.empty() && fileexists(path)) {
      xxrset(path);
      found = true;
      break;
    }
  }
  if (!found) {
    xxerror(kErrFileOpen);
    return 0;
  }
  if (grstate.fontkind != 0) {
    grfont.lastkind = grstate.fontkind;
    grfont.lasttype = grstate.fonttype;
  }
  return 0;
}

int xxcspace(int code) {
  if (code == 0) std::copy(std::begin(kDefaultWidths), std::end(kDefaultWidths), grfont.widths);
  return 0;
}

void xxinitfonts() {
  blankname();
  xxcspace(0);
  if (grfont.preloaded == 0) {
    grfont.preloaded = 1;
    const int saved = errstate.code;
    errstate.code = 0;
    for (int i = 0; i < kPreloadedFonts; ++i) {
      igrcharset(padded(kPreloadedNames[i], 12));
      grfont.available[i] = errstate.code == 0 ? 1 : 0;
      errstate.code = 0;
    }
    igrcharset("H");
    errstate.code = saved;
    return;
  }
  igrcharset("H");
}

}  // namespace tsd
