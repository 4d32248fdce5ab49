// Global records of the graphics layer: the graphics state, the device
// record shared with the window layer, the polygon point buffer, the fill
// state and the driver parameter block. Reals are single precision.
#pragma once

#include <cstdint>

namespace tsd {

// Most points of one polygon or polyline run.
inline constexpr int kPolyPoints = 4095;
// Length of the driver capability string.
inline constexpr int kCapabilityLength = 40;

// Graphics state. Device coordinates are pixels of the current client
// area as reals, origin at the lower left, y upward.
struct GrState {
  float aspect = 1.32f;           // W/H of the window (1.0 when H = 0)
  std::int32_t prevdevcolour = 0; // device colour index of the previous colour
  std::int32_t devcolour = 0;     // device colour index of the current colour
  std::int32_t prevcolour = 0;    // colour number set before the current one
  std::int32_t colour = 223;      // current colour number 0..255
  float areax1 = 0.0f;            // area as fractions of the window
  float areay1 = 0.0f;
  float areax2 = 1.0f;
  float areay2 = 1.0f;
  float areawidth = 1.0f;         // x2 - x1, y2 - y1 at the last igrarea
  float areaheight = 1.0f;
  float unitsx1 = 0.0f;           // user units at the lower-left and upper-right corners
  float unitsy1 = 0.0f;
  float unitsx2 = 1.0f;
  float unitsy2 = 1.0f;
  float curx = 0.0f;              // current point in user units
  float cury = 0.0f;
  float devx1 = 0.0f;             // area rectangle in device coordinates
  float devy1 = 0.0f;
  float devx2 = 0.0f;
  float devy2 = 0.0f;
  float boxx1 = 0.0f;             // the same widened by 0.001: the clipping box
  float boxy1 = 0.0f;
  float boxx2 = 0.0f;
  float boxy2 = 0.0f;
  std::int32_t pixx1 = 0;         // device rectangle truncated to integers
  std::int32_t pixy1 = 0;
  std::int32_t pixx2 = 0;
  std::int32_t pixy2 = 0;
  std::int32_t pixwidth = 0;      // pixx2 - pixx1 + 1, pixy2 - pixy1 + 1
  std::int32_t pixheight = 0;
  float winwidth = 0.0f;          // W - 0.01, H - 0.01: largest device coordinate
  float winheight = 0.0f;
  std::int32_t winpixw = 0;       // client size in pixels
  std::int32_t winpixh = 0;
  float devwidth = 0.0f;          // devx2 - devx1, devy2 - devy1
  float devheight = 0.0f;
  float unitswidth = 1.0f;        // unitsx2 - unitsx1, unitsy2 - unitsy1
  float unitsheight = 1.0f;
  float areadevwidth = 0.0f;      // device size at the last igrarea (character scaling)
  float areadevheight = 0.0f;
  float areaunitswidth = 1.0f;    // units size at the last igrunits
  float areaunitsheight = 1.0f;
  float scalex = 1.0f;            // device pixels per user unit
  float scaley = 1.0f;
  float charfw = 1.0f;            // character size factors
  float charfh = 1.0f;
  float basecharw = 75.0f;        // characters across and down the area at factor 1
  float basecharh = 25.0f;

  // Text state (hardware and stroke text).
  float charsacross = 0.0f;       // character cells across and down the whole window
  float charsdown = 0.0f;
  std::int32_t justification = 0; // 0 centred, 1 left, 2 right
  std::int32_t spacing = 0;       // 0 fixed, 1 and 2 proportional
  std::int32_t fontnumber = 1;    // hardware face and style, fallback font
  float textangle = 0.0f;         // degrees
  float textadvx = 0.0f;          // device offset from one cell to the next
  float textadvy = 0.0f;
  float textheightx = 0.0f;       // device vector from the bottom to the top of a cell
  float textheighty = 0.0f;
  std::int32_t underline = 0;
  std::int32_t vertical = 0;      // 1 = characters one below the other
  std::int32_t fontkind = 0;      // 0 hardware, 1 line stroke font, 2 filled stroke font
  std::int32_t fonttype = 0;      // 7 or 8 for a stroke font
  // Per device (0 screen, 1 hardcopy): a text word, the number of angle
  // steps and the character size limit; the driver reset sets the screen's.
  std::int32_t textword[2] = {0, 0};
  std::int32_t anglesteps[2] = {1, 1};
  float sizelimit[2] = {0.0f, 0.0f};

  std::int32_t plotmode = 0;      // 0 copy, 1 merge, 2 mask, 3 xor
  std::int32_t linetype = 0;      // 0..6
  std::int32_t devcolourscopy = 0;  // device colours taken when the screen driver went on
};

// Device record shared with the window layer.
struct GrDevice {
  std::int32_t width = 0;         // client width and height W, H
  std::int32_t height = 0;
  std::int32_t width2 = 0;        // the same again (written with W, H; nothing reads them)
  std::int32_t height2 = 0;
  std::int32_t maxcol = 0;        // largest pixel column W - 1 and row H - 1
  std::int32_t maxrow = 0;
  std::int32_t invert = 0;        // 1 = inverted black/white scheme
  std::int32_t ncolours = 256;    // device colours the colour mapping uses
  std::int32_t requested = 256;   // colours requested by the window layer
  // Character op is 'W' when the window driver performs operation op, blank
  // when the layer draws the shape itself (position 1 = operation 1).
  char capability[kCapabilityLength] = {
      ' ', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W',
      'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W',
      'W', 'W', 'W', 'W', 'W', 'W', ' ', ' ', ' ', ' ', ' ', ' '};
};

// Device points of one polygon or polyline run.
struct GrPolyBuf {
  float x[kPolyPoints] = {};
  float y[kPolyPoints] = {};
};

// Fill state.
struct GrFill {
  std::int32_t pattern = 0;       // 0 outline, 1 hatch, 2 cross-hatch, 3 stipple, 4 solid
  std::int32_t density = 2;       // 1..5, spacing of hatch lines
  std::int32_t angle = 3;         // 1..4; 4 adds the second direction to a hatch
  std::int32_t outline = 1;       // 1 = draw the outline of patterns 0..2
  std::int32_t selfscreen = 0;    // 2 = the layer fills this shape itself on the screen
  std::int32_t selfhardcopy = 0;  // the same for the hardcopy driver
};

// Parameters of one driver operation.
struct GrDrvParams {
  std::int32_t ix1 = 0, ix2 = 0, ix3 = 0, ix4 = 0;
  std::int32_t iy1 = 0, iy2 = 0, iy3 = 0, iy4 = 0;
  float fx1 = 0.0f, fx2 = 0.0f, fx3 = 0.0f, fx4 = 0.0f;
  float fy1 = 0.0f, fy2 = 0.0f, fy3 = 0.0f, fy4 = 0.0f;
  std::int32_t marker = 0;        // palette index, hardcopy begin/end marker, blit fill flag
  std::int32_t count = 0;         // points in grpolybuf
};

extern GrState grstate;
extern GrDevice grdevice;
extern GrPolyBuf grpolybuf;
extern GrFill grfill;
extern GrDrvParams grdrvparams;

// True when the window driver can perform operation op.
bool xxcapable(int op);

// Truncation toward zero of a device real, saturated to the int range
// (not a number gives 0), so no conversion is ever undefined.
int itrunc(float v);
// v held inside the int range: coordinate sums of shapes far outside the
// window are formed in 64 bits and saturated, never overflowed.
int isaturate(long long v);

}  // namespace tsd
