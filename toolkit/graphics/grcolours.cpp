// Colour numbers: the three RGB tables built by rule, the mapping of a
// colour number to a device colour index, igrcolourn and igrlinetype.
#include "toolkit/graphics/grcolours.h"

#include <cstdint>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {


struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// Tables by colour number (256), for 16-colour devices, and for devices
// with 32..128 colours (only the first n entries used).
Rgb table256[256];
Rgb table16[16];
Rgb table128[128];

// The 16 device colours take these colour numbers of the 256 table.
constexpr int kSixteenFrom256[16] = {0, 175, 111, 143, 47, 207, 79, 239,
                                     240, 159, 95, 127, 31, 191, 63, 223};

// Reordering of the 8 base colours.
constexpr int kColn[2][8] = {{0, 4, 6, 2, 3, 1, 5, 7}, {0, 5, 3, 4, 1, 6, 2, 7}};

// Channels of a band: red, green, blue set or not.
struct Band {
  bool r, g, b;
  int start;        // level of the band's first colour, normal scheme
  int invstart;     // the same in the inverted scheme
  bool invdown;     // inverted levels fall by 4 per colour
};

constexpr Band kBands[16] = {
    {true, true, true, 0x00, 0xff, true},    // 0: grey ramp from black
    {true, false, false, 0xc3, 0xc3, false},  // 1: bright red
    {true, false, false, 0x83, 0x83, false},  // 2: red
    {true, true, false, 0xc3, 0xc3, false},   // 3: bright yellow
    {true, true, false, 0x83, 0x83, false},   // 4: yellow
    {false, true, false, 0xc3, 0xc3, false},  // 5: bright green
    {false, true, false, 0x83, 0x83, false},  // 6: green
    {false, true, true, 0xc3, 0xc3, false},   // 7: bright cyan
    {false, true, true, 0x83, 0x83, false},   // 8: cyan
    {false, false, true, 0xc3, 0xc3, false},  // 9: bright blue
    {false, false, true, 0x83, 0x83, false},  // 10: blue
    {true, false, true, 0xc3, 0xc3, false},   // 11: bright magenta
    {true, false, true, 0x83, 0x83, false},   // 12: magenta
    {true, true, true, 0xc3, 0x3c, true},     // 13: light greys up to white
    {true, true, true, 0x83, 0x7c, true},     // 14: middle greys
    {true, true, true, 0x40, 0xbf, true},     // 15: dark greys
};

int devicecolours() { return grdevice.ncolours; }

bool usestable128(int n) { return n >= 32 && n <= 128; }

void put(const Rgb& c, int& r, int& g, int& b) {
  r = c.r;
  g = c.g;
  b = c.b;
}

// Entry i of the 256 table by rule: 16 bands of 16 levels.
Rgb rule256(int i, bool inverted) {
  const Band& bd = kBands[i / 16];
  const int k = i % 16;
  int level = bd.start + 4 * k;
  if (inverted) level = bd.invdown ? bd.invstart - 4 * k : bd.invstart + 4 * k;
  const auto v = static_cast<std::uint8_t>(level);
  return Rgb{bd.r ? v : std::uint8_t{0}, bd.g ? v : std::uint8_t{0}, bd.b ? v : std::uint8_t{0}};
}

// Colour number behind entry j of the table for n = 32..128 colours: the
// first colour of its block at the ends, the last one in between.
int from256(int n, int j) {
  const int step = 256 / n;
  int i = j * step;
  if (i >= 16 && i < 240) i += step - 1;
  return i;
}

}  // namespace

int xxcoln(int i, int table) {
  if (i < 0 || i > 15) return -1;
  const int t = table == 1 ? 1 : 0;
  return kColn[t][i % 8] + (i > 7 ? 8 : 0);
}

int xxcnum(int c) {
  const int n = devicecolours();
  if (n == 256) return ((c % 256) + 256) % 256;
  if (c == 0) return 0;
  if (n < 3) return 1;
  const int base = xxcoln(((c + 16) / 32) % 8, 0);
  if (n < 9) return base;
  if (n == 16) return base + ((c + 16) % 32 < 16 ? 8 : 0);
  return c * n / 256;
}

int xxpali() {
  const bool inverted = grdevice.invert == 1;
  for (int i = 0; i < 256; ++i) table256[i] = rule256(i, inverted);
  for (int j = 0; j < 16; ++j) table16[j] = table256[kSixteenFrom256[j]];
  const int n = devicecolours();
  if (usestable128(n))
    for (int j = 0; j < n; ++j) table128[j] = table256[from256(n, j)];
  return 0;
}

int xxpalrule(int n, int i, int inverted, int& r, int& g, int& b) {
  Rgb c;
  const bool inv = inverted == 1;
  if (n >= 256 && i >= 0 && i < 256)
    c = rule256(i, inv);
  else if (n == 16 && i >= 0 && i < 16)
    c = rule256(kSixteenFrom256[i], inv);
  else if (usestable128(n) && i >= 0 && i < n)
    c = rule256(from256(n, i), inv);
  put(c, r, g, b);
  return 0;
}

int xxpalg(int i, int& r, int& g, int& b) {
  put(i >= 0 && i < 256 ? table256[i] : Rgb{}, r, g, b);
  return 0;
}

int xxpalg16(int i, int& r, int& g, int& b) {
  put(i >= 0 && i < 16 ? table16[i] : Rgb{}, r, g, b);
  return 0;
}

int xxpalg32(int i, int& r, int& g, int& b) {
  put(i >= 0 && i < 128 ? table128[i] : Rgb{}, r, g, b);
  return 0;
}

int xxpals(int i, int r, int g, int b) {
  if (i < 0 || i > 255) return 0;
  const Rgb c{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
              static_cast<std::uint8_t>(b)};
  table256[i] = c;
  table16[xxcoln(((i + 16) / 32) % 8, 0) + 8 * ((i / 16) % 2)] = c;
  const int n = devicecolours();
  if (usestable128(n)) table128[i * n / 256] = c;
  return 0;
}

int igrcolourn(int c) {
  if (c < 0 || c > 255) {
    xxerror(kErrColourNumber);
    return 0;
  }
  grstate.prevcolour = grstate.colour;
  grstate.prevdevcolour = grstate.devcolour;
  grstate.colour = c;
  grstate.devcolour = xxcnum(c);
  xxgdrv(kDrvColour);
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvColour);
  return 0;
}

int igrlinetype(const int* type) {
  int t = type != nullptr ? *type : 0;
  if (t < 0 || t > 6) t = 0;
  grstate.linetype = t;
  xxgdrv(kDrvLineType);
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvLineType);
  return 0;
}

}  // namespace tsd
