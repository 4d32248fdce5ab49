// chrpreview: draws the stroke fonts the way the text routines draw them,
// into PNG files for a person to look at.
//
//   chrpreview OUT_PREFIX FONT.chr...
//
// writes OUT_PREFIX-<font>-1.png and -2.png with every glyph of the font in
// tables of cells (codes 33..126 and 161..255, 16 a row; the baseline and the cell
// edges in grey), and OUT_PREFIX-text.png with sample lines in every font.
// All fonts get the same cell on the page, as they do in the programs.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "text/cp1250.h"
#include "toolkit/graphics/chrfile.h"

namespace {

struct Rgb {
  unsigned char r, g, b;
};

class Image {
 public:
  Image(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, Rgb{255, 255, 255}) {}
  int width() const { return w_; }
  int height() const { return h_; }

  // y counts upwards from the bottom row, as device coordinates do.
  void plot(int x, int y, Rgb c) {
    const int row = h_ - 1 - y;
    if (x < 0 || x >= w_ || row < 0 || row >= h_) return;
    px_[static_cast<std::size_t>(row) * w_ + x] = c;
  }

  // A line 2 * half + 1 pixels thick.
  void line(double x0, double y0, double x1, double y1, Rgb c, int half) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len = std::max(std::abs(dx), std::abs(dy));
    const int steps = static_cast<int>(len * 2) + 1;
    for (int i = 0; i <= steps; ++i) {
      const double t = static_cast<double>(i) / steps;
      const int x = static_cast<int>(x0 + dx * t);
      const int y = static_cast<int>(y0 + dy * t);
      for (int oy = -half; oy <= half; ++oy) {
        for (int ox = -half; ox <= half; ++ox) plot(x + ox, y + oy, c);
      }
    }
  }

  void hline(int x0, int x1, int y, Rgb c) {
    for (int x = x0; x <= x1; ++x) plot(x, y, c);
  }
  void vline(int x, int y0, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y) plot(x, y, c);
  }

  bool write_png(const std::string& path) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_write_struct(&png, &info);
      std::fclose(f);
      return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w_), static_cast<png_uint_32>(h_), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < h_; ++row) {
      png_write_row(png, reinterpret_cast<png_const_bytep>(&px_[static_cast<std::size_t>(row) * w_]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
  }

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kGuide{200, 200, 200};
constexpr Rgb kBase{120, 170, 255};

// One glyph drawn as the text routines draw it: the cell's lower-left corner
// at (x, y), w by h device units; the glyph box centred across the cell.
void draw_glyph(Image& img, const toolkit::ChrFont& f, int code, double x, double y, double w, double h, int half) {
  const std::span<const std::uint8_t> g = toolkit::chr_glyph(f, code);
  const double sx = w / f.cell_width;
  const double sy = h / f.cell_height;
  const double ox = x + (w - f.glyph_width * sx) / 2;
  std::size_t i = 0;
  double px = 0, py = 0;
  bool have = false;
  while (i + 1 < g.size()) {
    const int vx = toolkit::chr_symbol_value(g[i]);
    if (vx < 0) {  // pen up
      have = false;
      ++i;
      continue;
    }
    const int vy = toolkit::chr_symbol_value(g[i + 1]);
    const double qx = ox + sx * vx, qy = y + sy * vy;
    if (have) img.line(px, py, qx, qy, kInk, half);
    px = qx;
    py = qy;
    have = true;
    i += 2;
  }
}

void draw_text(Image& img, const toolkit::ChrFont& f, const std::string& cp, double x, double y, double w, double h,
               int half) {
  for (unsigned char c : cp) {
    const bool drawable = (c > 32 && c <= 126) || (c >= 161 && f.type == toolkit::kChrTypeBoth);
    if (drawable) draw_glyph(img, f, c, x, y, w, h, half);
    x += w;
  }
}

bool load(const std::string& path, toolkit::ChrFont& font) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const toolkit::ChrDecoded d = toolkit::decode_chr(bytes);
  if (d.error != toolkit::ChrError::ok) {
    std::fprintf(stderr, "chrpreview: %s: %s\n", path.c_str(), std::string(toolkit::chr_error_text(d.error)).c_str());
    return false;
  }
  font = d.font;
  return true;
}

std::string base_name(const std::string& path) {
  std::string n = path.substr(path.find_last_of('/') + 1);
  return n.substr(0, n.find('.'));
}

// The cell every font is drawn in: about the proportions of a text cell of
// the programs' plots.
constexpr double kCellW = 54;
constexpr double kCellH = 84;
constexpr int kColumns = 16;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: chrpreview OUT_PREFIX FONT.chr...\n");
    return 2;
  }
  const std::string prefix = argv[1];
  std::vector<std::string> names;
  std::vector<toolkit::ChrFont> fonts;
  for (int a = 2; a < argc; ++a) {
    toolkit::ChrFont f;
    if (!load(argv[a], f)) return 1;
    fonts.push_back(f);
    names.push_back(base_name(argv[a]));
  }
  const toolkit::ChrFont& label_font = fonts.back();

  // Tables of every glyph, one image a block and font.
  for (std::size_t k = 0; k < fonts.size(); ++k) {
    for (int block = 1; block <= 2; ++block) {
      std::vector<int> codes;
      const int first = block == 1 ? 33 : 161;
      const int last = block == 1 ? 126 : 255;
      for (int c = first; c <= last; ++c) codes.push_back(c);
      while (codes.size() % kColumns != 0) codes.push_back(32);
      const int rows = static_cast<int>(codes.size()) / kColumns;
      const int margin = 20;
      const int title = 50;
      Image img(static_cast<int>(kColumns * kCellW) + 2 * margin,
                static_cast<int>(rows * kCellH) + 2 * margin + title);
      draw_text(img, label_font, names[k] + (block == 1 ? " 33..126" : " 161..255"), margin,
                img.height() - margin - 40, 24, 36, 1);
      for (int r = 0; r < rows; ++r) {
        const double y0 = img.height() - margin - title - (r + 1) * kCellH;
        for (int col = 0; col < kColumns; ++col) {
          const double x0 = margin + col * kCellW;
          img.vline(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(y0 + kCellH), kGuide);
          img.hline(static_cast<int>(x0), static_cast<int>(x0 + kCellW), static_cast<int>(y0), kGuide);
          // The baseline: 8 font units above the bottom of the cell.
          img.hline(static_cast<int>(x0) + 1, static_cast<int>(x0 + kCellW) - 1,
                    static_cast<int>(y0 + 8 * kCellH / fonts[k].cell_height), kBase);
          const int c = codes[static_cast<std::size_t>(r * kColumns + col)];
          if (c != 32) draw_glyph(img, fonts[k], c, x0, y0, kCellW, kCellH, 1);
        }
      }
      const std::string out = prefix + "-" + names[k] + "-" + std::to_string(block) + ".png";
      if (!img.write_png(out)) {
        std::fprintf(stderr, "chrpreview: cannot write %s\n", out.c_str());
        return 1;
      }
    }
  }

  // Sample lines in every font, at the size of the programs' plot titles and
  // with one-pixel lines, as the programs draw them.
  const std::vector<std::string> lines = {
      text::cp1250_from_utf8("Zażółć gęślą jaźń: ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"),
      text::cp1250_from_utf8("Gęstość prądu [A/cm2]  T [K]  0123456789 µ°±×÷"),
      text::cp1250_from_utf8("Příliš žluťoučký kůň úpěl ďábelské ódy. Árvíztűrő tükörfúrógép"),
  };
  const double w = 19, h = 30;
  const int margin = 20;
  const int per_font = static_cast<int>(h) * static_cast<int>(lines.size() + 1) + 20;
  Image img(static_cast<int>(66 * w) + 2 * margin, per_font * static_cast<int>(fonts.size()) + 2 * margin);
  for (std::size_t k = 0; k < fonts.size(); ++k) {
    double y = img.height() - margin - static_cast<double>(k) * per_font - h;
    draw_text(img, label_font, names[k], margin, y, w * 0.7, h * 0.7, 0);
    for (const std::string& s : lines) {
      y -= h;
      img.hline(margin, img.width() - margin, static_cast<int>(y + 8 * h / fonts[k].cell_height), kBase);
      draw_text(img, fonts[k], s, margin, y, w, h, 0);
    }
  }
  const std::string out = prefix + "-text.png";
  if (!img.write_png(out)) {
    std::fprintf(stderr, "chrpreview: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
