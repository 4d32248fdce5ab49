// The root window and window management: opening the root window with its
// client window and status bar, selecting the drawing target, closing
// windows, converting window units, and the bell.
#include "toolkit/window/wwindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/winunits.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wprocs.h"
#include "toolkit/window/wresource.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wtoolbar.h"
#include "toolkit/window/wwintext.h"

namespace tsd {

WindowSystem wsys;

namespace {

constexpr int kErrBadWindow = 1003;
constexpr int kStatusBarId = 999;
constexpr int kStatusBarHeight = 10;
constexpr int kStippleSize = 8;
constexpr const char* kFatalCaption = "Quorbatelix Window";

int graphicscolours(const int* ncolours) {
  if (ncolours && (*ncolours == 16 || *ncolours == 32 || *ncolours == 64 || *ncolours == 128)) return *ncolours;
  return 16;
}

// Number of graphics colours asked of windowopen, for the palette.
int wGraphicsColours = 16;

void textcolours() {
  using plat::RGB;
  const plat::COLORREF fixed[16] = {
      RGB(0, 0, 0),       RGB(180, 0, 0),     RGB(180, 200, 0),   RGB(0, 180, 0),
      RGB(0, 191, 191),   RGB(0, 0, 191),     RGB(191, 0, 191),   RGB(191, 191, 191),
      RGB(64, 64, 64),    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(0, 255, 0),
      RGB(0, 255, 255),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(255, 255, 255)};
  for (int i = 0; i < 16; ++i) wsys.wColour[i] = fixed[i];
  wsys.wColour[16] = plat::GetSysColor(plat::COLOR_WINDOWTEXT);
  wsys.wColour[17] = plat::GetSysColor(plat::COLOR_WINDOW);
}

bool registerclasses() {
  using namespace plat;
  UnregisterClassA(kFrameClass, wsys.wInstance);
  WNDCLASSA frame;
  frame.style = 0;
  frame.lpfnWndProc = yyframeproc;
  frame.hInstance = wsys.wInstance;
  frame.hIcon = nullptr;  // no program has the icon "icon1": the default icon
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  frame.lpszClassName = kFrameClass;
  if (!RegisterClassA(&frame)) return false;
  WNDCLASSA known;
  if (!GetClassInfoA(wsys.wInstance, kClientClass, &known)) {
    WNDCLASSA client;
    client.style = CS_HREDRAW | CS_VREDRAW;
    client.lpfnWndProc = yyclientproc;
    client.hInstance = wsys.wInstance;
    client.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    client.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    client.lpszClassName = kClientClass;
    if (!RegisterClassA(&client)) return false;
  }
  return true;
}

void clientsizeof(plat::HWND client, int& w, int& h) {
  plat::RECT r;
  plat::GetClientRect(client, &r);
  w = r.right - r.left;
  h = r.bottom - r.top;
}

}  // namespace

void yyfatal(const char* text) {
  // The box has no owner and an error icon; the run then ends at once.
  yyfatalbox(text, kFatalCaption);
  std::fflush(nullptr);
  std::_Exit(kFatalExitCode);
}

void setwindowtitle(WindowStyle& style, const char* text) {
  std::size_t n = text ? std::strlen(text) : 0;
  if (n > static_cast<std::size_t>(kTitleLength)) n = kTitleLength;
  std::memset(style.title, ' ', sizeof style.title);
  if (n) std::memcpy(style.title, text, n);
}

void yycreaterootwindow(int x, int y, int& width, int& height, int menu, const char* caption,
                        const int flagtable[kFlagSlots]) {
  using namespace plat;
  wsys.wInstance = yymoduleinstance();
  if (!registerclasses()) yyfatal("Failed to register class - aborting.");
  const bool fixed = flagtable[kFlagFixedSize] != 0;
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (flagtable[kFlagSysMenu]) style |= WS_SYSMENU;
  if (flagtable[kFlagMinBox]) style |= WS_MINIMIZEBOX;
  if (flagtable[kFlagMaxBox]) style |= WS_MAXIMIZEBOX;
  if (!fixed) style |= WS_THICKFRAME;
  DWORD exstyle = flagtable[kFlagTopmost] ? WS_EX_TOPMOST : 0;
  HMENU bar = menu != 0 ? yyloadmenubar(menu) : nullptr;
  // The size asked for is the client's: enlarge for the frame, then the menu bar.
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, style, FALSE, exstyle);
  if (bar) r.bottom += GetSystemMetrics(SM_CYMENU);
  HWND frame = CreateWindowExA(exstyle, kFrameClass, caption, style, x, y, r.right - r.left,
                               r.bottom - r.top, nullptr, bar, wsys.wInstance, nullptr);
  WindowSlot& root = wsys.slots[0];
  root = WindowSlot{};
  root.wWindow = frame;
  int statusheight = 0;
  if (frame && flagtable[kFlagStatusBar]) {
    DWORD sstyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!fixed) sstyle |= kStatusSizeGrip;
    RECT fc;
    GetClientRect(frame, &fc);
    root.wMessLine = CreateWindowExA(0, kStatusClass, "", sstyle, 0, 0, fc.right, kStatusBarHeight, frame,
                                     reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kStatusBarId)),
                                     wsys.wInstance, nullptr);
    if (root.wMessLine) {
      SendMessageA(root.wMessLine, WM_SIZE, 0, 0);
      RECT sr;
      GetWindowRect(root.wMessLine, &sr);
      statusheight = sr.bottom - sr.top;
      RECT fr;
      GetWindowRect(frame, &fr);
      SetWindowPos(frame, nullptr, 0, 0, fr.right - fr.left, fr.bottom - fr.top + statusheight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (frame) {
    RECT fc;
    GetClientRect(frame, &fc);
    root.hClient = CreateWindowExA(0, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                   0, 0, fc.right, fc.bottom - statusheight, frame,
                                   reinterpret_cast<HMENU>(static_cast<std::intptr_t>(-1)), wsys.wInstance,
                                   nullptr);
  }
  if (!frame || !root.hClient) yyfatal("Failed to create window - aborting.");
  wsys.wWindowOpen = 1;
  wsys.wIndex = 0;
  if (flagtable[kFlagHidden]) {
    wsys.wHideRoot = 1;
  } else {
    wsys.wHideRoot = 0;
    ShowWindow(frame, flagtable[kFlagMaximised] ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  }
  // Nothing is to be painted before the program draws.
  ValidateRect(root.hClient, nullptr);
  wsys.wDC = GetDC(root.hClient);
  SetBkMode(wsys.wDC, TRANSPARENT);
  clientsizeof(root.hClient, width, height);
  wsys.wRootMenu = GetMenu(frame);
  wsys.wAccel = menu != 0 ? yyloadaccelerators(menu) : nullptr;
  yymenucompanion(menu, wsys.hKRB, wsys.hKRBSize);
  // Window text colours.
  quorba03.textcolour = 0;
  quorba03.backcolour = 15;
  yysetfontunderline(0);
  textcolours();
  // Shared drawing state.
  Window = root.hClient;
  hdc = wsys.wDC;
  wsys.wTimer = 0;
  gRegion = nullptr;
  gFont = nullptr;
  yysharedcolours();
  if (!gBitmap) gBitmap = CreateCompatibleBitmap(hdc, kStippleSize, kStippleSize);
  gStippleExists = 1;
  gStippleChanged = 1;
  gLinetype = 0;
  gPlotmode = R2_COPYPEN;
  WinWidth = width;
  WinHeight = height;
  wsys.wWinWidth = width;
  wsys.wWinHeight = height;
  wsys.wMemBmp = -1;
  wsys.hGraphicsField = nullptr;
  yyclearheld();
  wsys.wOwner = root.hClient;
  if (!wsys.wHideRoot) SetFocus(root.hClient);
}

void windowopen(WindowStyle& style, const int* ncolours) {
  if (quorba01.open == 1) return;
  if (quorba01.screenwidth <= 0 || quorba01.screenheight <= 0) {
    quorba01.screenwidth = plat::GetSystemMetrics(plat::SM_CXSCREEN);
    quorba01.screenheight = plat::GetSystemMetrics(plat::SM_CYSCREEN);
  }
  int width = style.width < 1 ? quorba01.screenwidth * 80 / 100 : style.width;
  int height = style.height < 1 ? quorba01.screenheight * 80 / 100 : style.height;
  int x = style.x < 0 ? quorba01.screenwidth / 2 - width / 2 : style.x;
  int y = style.y < 0 ? quorba01.screenheight / 2 - height / 2 : style.y;
  int flagtable[kFlagSlots];
  for (int i = 0; i < kFlagSlots; ++i) flagtable[i] = (style.flags >> i) & 1;
  yyaskgraphicscolours(ncolours);
  int n = kTitleLength;
  while (n > 0 && (style.title[n - 1] == ' ' || style.title[n - 1] == '\0')) --n;
  std::string caption(style.title, static_cast<std::size_t>(n));
  if (caption.find('\0') != std::string::npos) caption.resize(caption.find('\0'));
  yycreaterootwindow(x, y, width, height, style.menu, caption.c_str(), flagtable);
  quorba01.clientwidth = width;
  quorba01.clientheight = height;
  quorba01.current = 0;
  quorba01.winflags[0] = style.flags;
  quorba01.open = 1;
  quorba02.kind[0] = 'R';
  quorba02.kind[1] = ' ';
  quorba03 = Quorba03{};
  quorba03.backcolour = 15;
  int cw = 0, ch = 0;
  yycreatefont(0, 0, 0, cw, ch);
  yytextcellunits();
  igrinit(" ");
  xxpali();
}

void yyaskgraphicscolours(const int* ncolours) {
  wGraphicsColours = graphicscolours(ncolours);
  if (quorba01.colours == 256) grdevice.requested = wGraphicsColours;
}

void yysharedcolours() {
  // The graphics layer tells the kind of display by ngColours: on a palette
  // display the graphics colours asked for, on any other the display's own
  // colours (2 on a black-and-white display, 256 and more in true colour).
  if (quorba01.colours == 256) {
    ngColours = wGraphicsColours;
    xxmwindefinepalette(1);
  } else {
    ngColours = quorba01.colours;
  }
}

void yysetupdrawingtarget() {
  using namespace plat;
  if (gBitmap) DeleteObject(gBitmap);
  gBitmap = CreateCompatibleBitmap(hdc, kStippleSize, kStippleSize);
  gStippleExists = 1;
  gStippleChanged = 1;
  SetROP2(hdc, gPlotmode);
  SetBkMode(hdc, TRANSPARENT);
  if (gPen) penOLD = reinterpret_cast<HPEN>(SelectObject(hdc, gPen));
  if (gPal256) xxmwindefinepalette(0);
}

void yyselectfocus(int iwin) {
  using namespace plat;
  if (wsys.wMemDC) {
    DeleteDC(wsys.wMemDC);
    wsys.wMemDC = nullptr;
  }
  HWND oldclient = wsys.slots[wsys.wIndex].hClient;
  if (wsys.wDC) ReleaseDC(oldclient, wsys.wDC);
  wsys.wIndex = iwin;
  HWND client = wsys.slots[iwin].hClient;
  wsys.wDC = GetDC(client);
  if (wsys.wMemBmp >= 0 && wsys.wMemBmp < kUserBitmaps && wsys.wUserBitmap[wsys.wMemBmp]) {
    wsys.wMemDC = CreateCompatibleDC(wsys.wDC);
    SelectObject(wsys.wMemDC, wsys.wUserBitmap[wsys.wMemBmp]);
    hdc = wsys.wMemDC;
  } else if (wsys.hGraphicsField) {
    // One context of the field at a time: the one of the previous
    // selection goes back first.
    if (wsys.wFieldDC) ReleaseDC(wsys.hGraphicsField, wsys.wFieldDC);
    wsys.wFieldDC = GetDC(wsys.hGraphicsField);
    hdc = wsys.wFieldDC;
  } else {
    hdc = wsys.wDC;
  }
  Window = client;
  yysetupdrawingtarget();
  int w = 0, h = 0;
  clientsizeof(client, w, h);
  wsys.wWinWidth = w;
  wsys.wWinHeight = h;
  WinWidth = w;
  WinHeight = h;
  quorba01.clientwidth = w;
  quorba01.clientheight = h;
}

void windowselect(int iwin) {
  if (iwin < 0 || iwin >= kWindowSlots || !wsys.slots[iwin].hClient || wsys.wWindowOpen == 0) {
    xxerror(kErrBadWindow);
    return;
  }
  yyselectfocus(iwin);
  quorba01.current = iwin;
  quorba03.textx = 0;
  quorba03.texty = 0;
  xxresn();
  yytextcellunits();
}

void yyclosemcidevice(int iwin) {
  // No media device is ever opened on this system; the id is only forgotten.
  if (iwin >= 0 && iwin < kWindowSlots) wsys.slots[iwin].wDevice = 0;
}

void yyclosechild(int iwin) {
  using namespace plat;
  WindowSlot& s = wsys.slots[iwin];
  yyclosemcidevice(iwin);
  const bool current = wsys.wIndex == iwin;
  // Only the current window's context is given back: another window's
  // drawing target must stay valid.
  if (current && wsys.wDC) {
    if (wsys.wMemDC) {
      DeleteDC(wsys.wMemDC);
      wsys.wMemDC = nullptr;
    }
    ReleaseDC(s.hClient, wsys.wDC);
    wsys.wDC = nullptr;
  }
  HWND client = s.hClient;
  HWND frame = s.wWindow;
  if (client) DestroyWindow(client);
  if (frame) DestroyWindow(frame);
  if (wsys.wOwner == client || wsys.wOwner == frame) wsys.wOwner = wsys.slots[0].hClient;
  s = WindowSlot{};
  // A message held for the window goes with it.
  wmsg.KRBMessages[iwin] = HeldMessage{};
  if (current) wsys.wIndex = 0;
}

void windowclosechild(int iwin) {
  if (iwin < 1 || iwin >= kWindowSlots || !wsys.slots[iwin].hClient) {
    xxerror(kErrBadWindow);
    return;
  }
  const bool current = quorba01.current == iwin || wsys.wIndex == iwin;
  yyclosechild(iwin);
  quorba01.winflags[iwin] = -1;
  if (current) {
    quorba01.current = 0;
    windowselect(0);
  }
}

void yyshutdown() {
  using namespace plat;
  xxmwinremoveg();
  for (HBITMAP& b : wsys.wUserBitmap) {
    if (b) DeleteObject(b);
    b = nullptr;
  }
  yyclosedialogs();
  for (int i = 0; i < kWindowSlots; ++i) yyclosemcidevice(i);
  if (wsys.wMemDC) {
    DeleteDC(wsys.wMemDC);
    wsys.wMemDC = nullptr;
  }
  if (wsys.wDC) ReleaseDC(wsys.slots[wsys.wIndex].hClient, wsys.wDC);
  wsys.wDC = nullptr;
  hdc = nullptr;
  for (int i = kWindowSlots - 1; i >= 1; --i) {
    if (wsys.slots[i].wWindow) DestroyWindow(wsys.slots[i].wWindow);
    wsys.slots[i] = WindowSlot{};
  }
  wsys.wIndex = 0;
  yytoolbarreset();
  yyresetmessageflags();
  wsys.wWindowOpen = 0;
  if (wsys.slots[0].wWindow) DestroyWindow(wsys.slots[0].wWindow);
  wsys.slots[0] = WindowSlot{};
  yyfreemenubar();
  yydeletefont();
  if (gBitmap) DeleteObject(gBitmap);
  gBitmap = nullptr;
  gStippleExists = 0;
  Window = nullptr;
  wsys.wMemBmp = -1;
  wsys.wOwner = nullptr;
}

void windowclose() {
  if (quorba01.open != 1 && wsys.wWindowOpen == 0) return;
  yyshutdown();
  quorba01.open = 0;
  // Every window is closed now, the children as well as the root.
  for (int& w : quorba01.winflags) w = -1;
  quorba04 = Quorba04{};
}

void windowunitstopixels(int ix, int iy, int& ixpix, int& iypix) {
  ixpix = unitstopixels(quorba01.clientwidth, ix);
  iypix = unitstopixels(quorba01.clientheight, iy);
}

void windowunitsfrompixels(int ixpix, int iypix, int& ix, int& iy) {
  int x = unitsfrompixels(quorba01.clientwidth, ixpix);
  int y = unitsfrompixels(quorba01.clientheight, iypix);
  ix = x;
  iy = y;
}

void yytextcellunits() {
  windowunitsfrompixels(quorba03.cellwidthpix, quorba03.cellheightpix, quorba03.cellwidthunits,
                        quorba03.cellheightunits);
}

void windowbell(const char* text, int length) {
  char word[3] = {' ', ' ', ' '};
  for (int i = 0; i < 3 && i < length && text; ++i) {
    char c = text[i] == '\0' ? ' ' : text[i];
    word[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (std::memcmp(word, "ON ", 3) == 0) {
    yysetbell(1);
  } else if (std::memcmp(word, "OFF", 3) == 0) {
    yysetbell(0);
  } else {
    yyringbell();
  }
}

}  // namespace tsd
