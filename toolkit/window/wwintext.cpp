// The window text font and text output, the window text colours, the
// status bar texts and the bell.
#include "toolkit/window/wwintext.h"

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/winunits.h"

namespace tsd {

namespace {

constexpr int kStatusParts = 32;
constexpr plat::UINT kSbSetTextA = plat::WM_USER + 1;
constexpr plat::UINT kSbSetParts = plat::WM_USER + 4;

plat::HFONT wFont = nullptr;      // window text font
bool wFontOwned = false;          // created here (not a stock font)
int wUnderline = 0;
int wStatusEdges[kStatusParts] = {};

const char* facename(int style) {
  switch (style) {
    case 2: return "Times New Roman";
    case 3: return "Arial";
    case 4: return "Courier New";
    case 5: return "Symbol";
    case 6: return "Wingdings";
    default: return nullptr;
  }
}

plat::COLORREF textcolour(int index) {
  if (index < 0 || index >= kTextColours) index = 0;
  plat::COLORREF c = wsys.wColour[index];
  if (quorba01.colours == 256 && hdc) c = plat::GetNearestColor(hdc, c);
  return c;
}

std::string counted(const char* text, int length) {
  if (!text || length <= 0) return std::string();
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace

void yydeletefont() {
  if (wFont && wFontOwned) plat::DeleteObject(wFont);
  wFont = nullptr;
  wFontOwned = false;
}

void yycreatefont(int style, int bold, int italic, int& width, int& height) {
  using namespace plat;
  yydeletefont();
  const char* face = facename(style);
  if (face) {
    wFont = CreateFontA(height, width, 0, 0, bold ? 700 : FW_NORMAL, italic ? 1 : 0, 0, 0, DEFAULT_CHARSET,
                        OUT_TT_PRECIS, 0, 0, 0, face);
    wFontOwned = wFont != nullptr;
  }
  if (!wFont) wFont = reinterpret_cast<HFONT>(GetStockObject(style == 1 ? SYSTEM_FIXED_FONT : SYSTEM_FONT));
  quorba03.fontstyle = style;
  quorba03.bold = bold;
  quorba03.italic = italic;
  HDC dc = wsys.wDC ? wsys.wDC : hdc;
  if (dc && wFont) {
    HGDIOBJ old = SelectObject(dc, wFont);
    TEXTMETRICA tm;
    if (GetTextMetricsA(dc, &tm)) {
      height = tm.tmHeight;
      width = tm.tmAveCharWidth;
    }
    SelectObject(dc, old);
  }
  quorba03.cellwidthpix = width;
  quorba03.cellheightpix = height;
}

void yyfntsiz(int width, int height) {
  quorba03.cellwidthunits = width;
  quorba03.cellheightunits = height;
  int w = unitstopixels(quorba01.clientwidth, width);
  int h = unitstopixels(quorba01.clientheight, height);
  yycreatefont(quorba03.fontstyle, quorba03.bold, quorba03.italic, w, h);
}

void yysetfontcolour(int colour, int background) {
  quorba03.textcolour = colour;
  quorba03.backcolour = background == 16 ? 17 : background;
}

void yyfntcol(int colour, int background) {
  int c = colour >= 0 && colour <= 16 ? colour : quorba03.textcolour;
  int b = background >= 0 && background <= 16 ? background : quorba03.backcolour;
  if (b == 17) b = 16;
  yysetfontcolour(c, b);
}

void yysetfontcolourrgb(int index, int red, int green, int blue) {
  if (index < 0 || index >= kTextColours) return;
  wsys.wColour[index] = plat::RGB(red, green, blue);
  // On a palette display the text colours follow the graphics colours in
  // the logical palette; the entry must hold the colour to be drawn.
  if (quorba01.colours == 256) xxmwinpalette256(ngColours + index, red, green, blue, 0);
}

void yysetfontunderline(int flag) { wUnderline = flag != 0 ? 1 : 0; }

void yystringout(int& x, int& y, const char* text, int length) {
  using namespace plat;
  if (!hdc || !wFont) return;
  std::string s = counted(text, length);
  HGDIOBJ old = SelectObject(hdc, wFont);
  SetBkMode(hdc, OPAQUE);
  SetBkColor(hdc, textcolour(quorba03.backcolour));
  SetTextColor(hdc, textcolour(quorba03.textcolour));
  UINT align = SetTextAlign(hdc, TA_BASELINE | TA_LEFT);
  TextOutA(hdc, x, y, s.data(), static_cast<int>(s.size()));
  SIZE extent;
  GetTextExtentPoint32A(hdc, s.data(), static_cast<int>(s.size()), &extent);
  if (wUnderline) {
    HPEN pen = CreatePen(0, 1, textcolour(quorba03.textcolour));
    HGDIOBJ oldpen = SelectObject(hdc, pen);
    MoveToEx(hdc, x, y + 2, nullptr);
    LineTo(hdc, x + extent.cx, y + 2);
    SelectObject(hdc, oldpen);
    DeleteObject(pen);
  }
  SetTextAlign(hdc, align);
  SetBkMode(hdc, TRANSPARENT);
  SelectObject(hdc, old);
  x += extent.cx;
}

void yystringlen(int& width, const char* text, int length) {
  using namespace plat;
  width = 0;
  HDC dc = hdc ? hdc : wsys.wDC;
  if (!dc || !wFont) return;
  std::string s = counted(text, length);
  HGDIOBJ old = SelectObject(dc, wFont);
  SIZE extent;
  if (GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &extent)) width = extent.cx;
  SelectObject(dc, old);
}

void yycleararea(int x1, int y1, int x2, int y2) {
  using namespace plat;
  if (!hdc) return;
  RECT r{x1, y1, x2 + 1, y2 + 1};
  HBRUSH b = CreateSolidBrush(textcolour(quorba03.backcolour));
  FillRect(hdc, &r, b);
  DeleteObject(b);
}

void yysetstatustext(int part, const char* text) {
  plat::HWND bar = wsys.slots[wsys.wIndex].wMessLine;
  if (!bar || part < 1) return;
  plat::SendMessageA(bar, kSbSetTextA, static_cast<plat::WPARAM>(part - 1), reinterpret_cast<plat::LPARAM>(text));
}

void yysetstatuspart(int part, int rightedge) {
  if (part >= 1 && part <= kStatusParts) wStatusEdges[part - 1] = rightedge;
}

void yysetstatusbar(int count) {
  plat::HWND bar = wsys.slots[wsys.wIndex].wMessLine;
  if (!bar || count < 1) return;
  if (count > kStatusParts) count = kStatusParts;
  plat::SendMessageA(bar, kSbSetParts, static_cast<plat::WPARAM>(count), reinterpret_cast<plat::LPARAM>(wStatusEdges));
}

void yysetbell(int flag) { wsys.wBell = flag != 0 ? 1 : 0; }

void yyringbell() {
  if (wsys.wBell) plat::MessageBeep(0);
}

}  // namespace tsd
