// Root window and window management on the headless display: default sizes
// and centring, the style flags, window selection and closing, the unit
// conversions of the current window, the bell, child windows, the program
// entry and the fatal paths.
#include <stdexcept>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/winmain.h"
#include "toolkit/window/wmiscel.h"
#include "toolkit/window/wprocs.h"
#include "toolkit/window/wwintext.h"

namespace tsd::testing {
namespace {

class WinWindow : public WinHeadless {};

plat::RECT windowrect(plat::HWND h) {
  plat::RECT r;
  plat::GetWindowRect(h, &r);
  return r;
}

TEST_F(WinWindow, DefaultSizeIsEightyPercentCentred) {
  WindowStyle s = defaultstyle();
  s.width = 0;
  s.height = 0;
  start("", s);
  plat::RECT c;
  plat::GetClientRect(client(), &c);
  EXPECT_EQ(c.right, 819);
  EXPECT_EQ(c.bottom, 614);
  EXPECT_EQ(quorba01.clientwidth, 819);
  EXPECT_EQ(quorba01.clientheight, 614);
  plat::RECT f = windowrect(frame());
  EXPECT_EQ(f.left, 103) << "the frame's corner is where the client was centred";
  EXPECT_EQ(f.top, 77);
  EXPECT_GT(f.right - f.left, 819) << "the frame is enlarged around the client";
  EXPECT_EQ(quorba01.winflags[0], s.flags);
  EXPECT_EQ(quorba02.kind[0], 'R');
  EXPECT_EQ(quorba03.backcolour, 15);
  EXPECT_GT(quorba03.cellheightpix, 0) << "the window text font's cell";
  EXPECT_EQ(quorba03.cellheightunits, unitsfrompixels(614, quorba03.cellheightpix));
  EXPECT_EQ(Window, client());
  EXPECT_EQ(hdc, wsys.wDC);
  EXPECT_EQ(WinWidth, 819);
  EXPECT_EQ(gPlotmode, 13);
  EXPECT_NE(gBitmap, nullptr);
  EXPECT_EQ(tkdevices.screenon, 1) << "the graphics layer was started";
}

TEST_F(WinWindow, GivenPositionAndTitleWithoutTrailingBlanks) {
  WindowStyle s = defaultstyle();
  s.x = 10;
  s.y = 20;
  setwindowtitle(s, "Varnel  ");
  start("", s);
  plat::RECT f = windowrect(frame());
  EXPECT_EQ(f.left, 10);
  EXPECT_EQ(f.top, 20);
  char title[100] = {};
  plat::GetWindowTextA(frame(), title, sizeof title);
  EXPECT_STREQ(title, "Varnel");
}

TEST_F(WinWindow, StyleFlags) {
  WindowStyle s = defaultstyle();
  s.flags = kStyleSysMenu | kStyleFixedSize | kStyleTopmost;
  start("", s);
  plat::LONG style = plat::GetWindowLongA(frame(), plat::GWL_STYLE);
  plat::LONG ex = plat::GetWindowLongA(frame(), plat::GWL_EXSTYLE);
  EXPECT_TRUE(style & static_cast<plat::LONG>(plat::WS_SYSMENU));
  EXPECT_FALSE(style & static_cast<plat::LONG>(plat::WS_MINIMIZEBOX));
  EXPECT_FALSE(style & static_cast<plat::LONG>(plat::WS_MAXIMIZEBOX));
  EXPECT_FALSE(style & static_cast<plat::LONG>(plat::WS_THICKFRAME)) << "fixed size: no sizing border";
  EXPECT_TRUE(ex & static_cast<plat::LONG>(plat::WS_EX_TOPMOST));
  EXPECT_TRUE(plat::IsWindowVisible(frame()));
}

TEST_F(WinWindow, HiddenAndMaximisedRoots) {
  WindowStyle s = defaultstyle();
  s.flags = kStyleHidden;
  start("", s);
  EXPECT_FALSE(plat::IsWindowVisible(frame()));
  EXPECT_EQ(wsys.wHideRoot, 1);
  windowclose();
  s.flags = kStyleMaximised | kStyleMaxBox;
  windowopen(s);
  EXPECT_TRUE(plat::IsZoomed(frame()));
}

TEST_F(WinWindow, SecondOpenDoesNothingAndCloseAllowsAnother) {
  start("");
  plat::HWND first = frame();
  WindowStyle s = defaultstyle();
  windowopen(s);
  EXPECT_EQ(frame(), first);
  windowclose();
  EXPECT_EQ(quorba01.open, 0);
  EXPECT_EQ(quorba01.winflags[0], -1);
  EXPECT_FALSE(plat::IsWindow(first));
  windowopen(s);
  EXPECT_EQ(quorba01.open, 1);
  EXPECT_TRUE(plat::IsWindow(frame()));
}

TEST_F(WinWindow, ConversionsOnTheCurrentClient) {
  WindowStyle s = defaultstyle();
  s.width = 500;
  s.height = 200;
  start("", s);
  int px = 0, py = 0;
  windowunitstopixels(9999, 5000, px, py);
  EXPECT_EQ(px, 500);
  EXPECT_EQ(py, 100);
  windowunitstopixels(5000, 0, px, py);
  EXPECT_EQ(px, 250);
  int ux = 0, uy = 0;
  windowunitsfrompixels(499, 199, ux, uy);
  EXPECT_EQ(ux, 9999);
  EXPECT_EQ(uy, 9999);
}

TEST_F(WinWindow, BadWindowNumbersRecord1003AndChangeNothing) {
  start("");
  infoerror(1);
  windowselect(21);
  EXPECT_EQ(infoerror(1), 1003);
  windowselect(-1);
  EXPECT_EQ(infoerror(1), 1003);
  windowselect(3);
  EXPECT_EQ(infoerror(1), 1003) << "a closed window";
  EXPECT_EQ(quorba01.current, 0);
  windowclosechild(0);
  EXPECT_EQ(infoerror(1), 1003) << "the root is no child";
  windowclosechild(4);
  EXPECT_EQ(infoerror(1), 1003);
  windowselect(0);
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(WinWindow, ChildWindowsSelectAndClose) {
  start("");
  int iwin = 0;
  yyopenchild(20, 20, 200, 100, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  int second = 0;
  yyopenchild(40, 40, 120, 80, 0, 0, 0, 1, 0, second, 0, 1, 1, 0, "Drugie");
  ASSERT_EQ(second, 2);
  windowselect(1);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(quorba01.current, 1);
  EXPECT_EQ(quorba01.clientwidth, 200);
  EXPECT_EQ(Window, wsys.slots[1].hClient);
  EXPECT_EQ(yygetwindowindex(wsys.slots[2].wWindow), 2);
  EXPECT_EQ(yygetwindowindex(nullptr), -1);
  windowclosechild(1);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(quorba01.current, 0) << "closing the current window selects the root";
  EXPECT_EQ(quorba01.winflags[1], -1);
  EXPECT_EQ(Window, client());
  EXPECT_EQ(quorba01.clientwidth, 400);
  int third = 0;
  yyopenchild(0, 0, 50, 50, 0, 0, 0, 0, 1, third, 0, 0, 0, 0, "");
  EXPECT_EQ(third, 1) << "the first free number is used again";
  windowclose();
  EXPECT_EQ(wsys.slots[1].wWindow, nullptr);
  EXPECT_EQ(wsys.slots[2].wWindow, nullptr);
}

TEST_F(WinWindow, HeldMessagesOfSeveralWindowsComeInWindowOrder) {
  start("close\n");
  int a = 0, b = 0;
  yyopenchild(10, 10, 100, 80, 0, 0, 0, 1, 1, a, 0, 0, 0, 0, "A");
  yyopenchild(30, 30, 100, 80, 0, 0, 0, 1, 1, b, 0, 0, 0, 0, "B");
  ASSERT_EQ(b, 2);
  yyclearheld();
  // Program code repaints child 2, then the root, while not waiting.
  plat::InvalidateRect(wsys.slots[2].hClient, nullptr, plat::TRUE);
  plat::UpdateWindow(wsys.slots[2].hClient);
  plat::InvalidateRect(client(), nullptr, plat::TRUE);
  plat::UpdateWindow(client());
  Got first, second;
  wmessage(first.type, first.m);
  wmessage(second.type, second.m);
  EXPECT_EQ(first.type, kExpose);
  EXPECT_EQ(first.m.win, 0) << "window order, not arrival order";
  EXPECT_EQ(second.type, kExpose);
  EXPECT_EQ(second.m.win, 2);
  EXPECT_EQ(second.m.value1, 9999);
  EXPECT_EQ(quorba01.current, 0) << "the conversion selected window 2 and then the root again";
}

TEST_F(WinWindow, AResizeHeldForAChildClosedMeanwhileIsNotDelivered) {
  start("idle\nclose\n");
  int iwin = 0;
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  yyclearheld();
  // Program code sizes the child while not waiting: the Resize is held.
  plat::SetWindowPos(wsys.slots[iwin].wWindow, nullptr, 0, 0, 160, 140,
                     plat::SWP_NOMOVE | plat::SWP_NOZORDER | plat::SWP_NOACTIVATE);
  ASSERT_EQ(wmsg.KRBMessages[iwin].type, kResize);
  windowclosechild(iwin);
  std::vector<Got> got = loop();
  for (const Got& g : got) EXPECT_NE(g.m.win, iwin) << "a message of the closed window, type " << g.type;
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().type, kCloseRequest);
  int px = 0, py = 0;
  windowunitstopixels(9999, 9999, px, py);
  EXPECT_EQ(px, 400) << "the root's own size, not the child's";
  EXPECT_EQ(py, 300);
}

TEST_F(WinWindow, AfterWindowCloseEveryWindowsFlagWordIsThatOfAClosedWindow) {
  start("");
  int a = 0, b = 0;
  yyopenchild(10, 10, 100, 80, 0, 0, 0, 1, 1, a, 0, 0, 0, 0, "A");
  yyopenchild(30, 30, 100, 80, 0, 0, 0, 1, 0, b, 0, 0, 0, 0, "B");
  ASSERT_EQ(b, 2);
  ASSERT_EQ(quorba01.winflags[1], 0) << "an open child's word";
  windowclose();
  for (int i = 0; i < kWindowSlots; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(quorba01.winflags[i], -1);
  }
}

TEST_F(WinWindow, AQuitMessageGivesNoCloseRequestWhileType9IsDisabled) {
  start("");
  using Fetch = void (*)(int&, WindowMessage&, bool&);
  const struct {
    const char* name;
    Fetch fetch;
    int after;  // what the fetch gives once the quit is passed over
  } fetches[] = {{"blocking", yydispatchnextmessage, kTimerExpired}, {"peek", yydispatchpeekmessage, -1}};
  yyenablemessage(kCloseRequest, 0);
  for (const auto& f : fetches) {
    SCOPED_TRACE(f.name);
    yyclearheld();
    plat::PostQuitMessage(0);
    yysettimer(10, 7);  // something for the blocking fetch to return
    int type = 0;
    WindowMessage m;
    bool valid = false;
    std::vector<int> types;
    for (int i = 0; i < 100 && type != f.after; ++i) {
      f.fetch(type, m, valid);
      types.push_back(type);
    }
    EXPECT_EQ(type, f.after);
    for (int t : types) EXPECT_NE(t, kCloseRequest) << "a disabled type is never produced";
    // Let the timer of the peek case fire before the next case.
    if (type == -1) {
      for (int i = 0; i < 100 && type != kTimerExpired; ++i) yydispatchnextmessage(type, m, valid);
    }
  }
  yyenablemessage(kCloseRequest, 1);
}

TEST_F(WinWindow, BellSwitchAndBeep) {
  start("");
  windowbell("off", 3);
  EXPECT_EQ(wsys.wBell, 0);
  windowbell("X  ", 3);
  windowbell("On", 2);
  EXPECT_EQ(wsys.wBell, 1);
  windowbell("X", 1);
  plat::display_close();  // flushes the log
  std::string log = readfile(logpath_);
  std::size_t first = log.find("beep");
  EXPECT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find("beep", first + 1), std::string::npos) << "one beep: the bell was off for the first";
}

TEST_F(WinWindow, TextServicesOfTheCurrentWindow) {
  start("");
  int w = 0;
  yystringlen(w, "Tekst", 5);
  EXPECT_GT(w, 0);
  int x = 10, y = 40;
  yystringout(x, y, "Tekst", 5);
  EXPECT_EQ(x, 10 + w) << "the position after the text";
  int cw = 0, ch = 16;
  yycreatefont(4, 1, 0, cw, ch);
  EXPECT_GT(ch, 0);
  EXPECT_EQ(quorba03.fontstyle, 4);
  yyfntcol(3, 16);
  EXPECT_EQ(quorba03.textcolour, 3);
  EXPECT_EQ(quorba03.backcolour, 17) << "16 as background is the system window colour";
  yyfntcol(40, 2);
  EXPECT_EQ(quorba03.textcolour, 3) << "out of range: kept";
  EXPECT_EQ(quorba03.backcolour, 2);
  yywindowtitle("Nowy tytuł");
  char title[40] = {};
  plat::GetWindowTextA(frame(), title, sizeof title);
  EXPECT_STREQ(title, "Nowy tytuł");
  int state = -1;
  yygetminmaxstate(state);
  EXPECT_EQ(state, 1);
  int px = 0, py = 0, child = -1;
  yygetwindowpos(1, px, py, child);
  EXPECT_GT(px, 400);
  EXPECT_EQ(child, 0);
  yysetstatustext(1, "nic");  // no status bar: nothing happens
}

TEST_F(WinWindow, TimerGivesType13Once) {
  start("wait 200\nclose\n");
  yysettimer(50, 7);
  std::vector<Got> timers = oftype(loop(), kTimerExpired);
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(timers[0].m.value1, 7);
}

TEST_F(WinWindow, PeekReturnsAtOnceWhenNothingWaits) {
  start("");
  int type = 0;
  WindowMessage m;
  bool valid = false;
  while (true) {
    yydispatchpeekmessage(type, m, valid);
    if (type == -1) break;
  }
  EXPECT_EQ(type, -1);
}

TEST_F(WinWindow, AQuitMessageIsACloseRequestForBothFetches) {
  start("");
  using Fetch = void (*)(int&, WindowMessage&, bool&);
  const struct {
    const char* name;
    Fetch fetch;
  } fetches[] = {{"blocking", yydispatchnextmessage}, {"peek", yydispatchpeekmessage}};
  for (const auto& f : fetches) {
    SCOPED_TRACE(f.name);
    yyclearheld();
    plat::PostQuitMessage(0);
    int type = 0;
    WindowMessage m;
    bool valid = false;
    // Messages queued before the quit come first.
    for (int i = 0; i < 100 && type != kCloseRequest && type != -1; ++i) f.fetch(type, m, valid);
    EXPECT_EQ(type, kCloseRequest);
    EXPECT_EQ(m.win, 0) << "the root is asked to close";
    EXPECT_TRUE(valid);
  }
}

TEST_F(WinWindow, EditTestAnswersByTheCurrentWindowsRecordKind) {
  start("");
  int iwin = 0;
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Tekst");
  ASSERT_EQ(iwin, 1);
  wsys.slots[iwin].kind = kEditWindow;
  const struct {
    int window;
    int flag;
  } cases[] = {{0, 0}, {1, 1}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    windowselect(c.window);
    int flag = -1;
    yyedittest(flag);
    EXPECT_EQ(flag, c.flag);
  }
  windowclosechild(iwin);
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Grafika");
  windowselect(iwin);
  int flag = -1;
  yyedittest(flag);
  EXPECT_EQ(flag, 0) << "a new window in the same number is a drawing client";
}

void quietmain() {}
void throwingmain() { throw std::runtime_error("boom"); }

TEST(WinProgramEntry, ExitCodes) {
  setenv("TSD_DISPLAY", "headless", 1);
  char name[] = "test";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(winmain(1, argv, quietmain), 0);
  EXPECT_EQ(winmain(1, argv, throwingmain), kUnhandledExitCode);
}

TEST(WinFatalPath, EndsWithANonZeroCodeAfterTheBox) {
  const std::string log = wintemp("fatal.log");
  std::remove(log.c_str());
  setenv("TSD_LOG", log.c_str(), 1);
  setenv("TSD_DISPLAY", "headless", 1);
  EXPECT_EXIT(yyfatal("Failed to create window - aborting."), ::testing::ExitedWithCode(kFatalExitCode),
              "Failed to create window - aborting.");
  std::string text = readfile(log);
  EXPECT_NE(text.find("Quorbatelix Window"), std::string::npos) << text;
  EXPECT_NE(text.find("Failed to create window - aborting."), std::string::npos) << text;
  unsetenv("TSD_LOG");
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

class WinPaletteDisplay : public WinHeadless {
 protected:
  void SetUp() override {
    WinHeadless::SetUp();
    setenv("TSD_SCREEN", "1024x768x8", 1);
    quorba01.guard = 0;  // learn this display again
  }
  void TearDown() override {
    WinHeadless::TearDown();
    unsetenv("TSD_SCREEN");
    quorba01.guard = 0;
  }
};

TEST_F(WinPaletteDisplay, GraphicsColoursOnA256ColourDisplay) {
  plat::display_close();
  ASSERT_TRUE(plat::display_open("headless", nullptr));
  plat::install_desktop_hooks();
  winitialise(" ");
  EXPECT_EQ(quorba01.colours, 256);
  EXPECT_EQ(grdevice.requested, 16) << "device colours of a 256-colour display";
  WindowStyle s = defaultstyle();
  const int asked[] = {48, 64};
  const int expected[] = {16, 64};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(asked[i]);
    windowopen(s, &asked[i]);
    EXPECT_EQ(ngColours, expected[i]);
    EXPECT_EQ(grdevice.requested, expected[i]);
    EXPECT_NE(gPal256, nullptr) << "the logical palette exists";
    windowclose();
  }
}

TEST_F(WinPaletteDisplay, TextColourGivenAsRgbIsThePaletteEntryItDrawsWith) {
  plat::display_close();
  ASSERT_TRUE(plat::display_open("headless", nullptr));
  plat::install_desktop_hooks();
  winitialise(" ");
  WindowStyle s = defaultstyle();
  windowopen(s);
  ASSERT_NE(gPal256, nullptr);
  const plat::COLORREF wanted = plat::RGB(10, 120, 230);
  yysetfontcolourrgb(3, 10, 120, 230);
  plat::PALETTEENTRY e{};
  ASSERT_EQ(plat::GetPaletteEntries(gPal256, static_cast<plat::UINT>(ngColours + 3), 1, &e), 1u);
  EXPECT_EQ(plat::RGB(e.peRed, e.peGreen, e.peBlue), wanted) << "the text colour's palette entry";
  // Text in that colour shows it.
  yyfntcol(3, 15);
  int x = 10, y = 40;
  yystringout(x, y, "MMMM", 4);
  int found = 0;
  for (int py = 20; py < 45; ++py)
    for (int px = 10; px < x; ++px)
      if (plat::GetPixel(hdc, px, py) == wanted) ++found;
  EXPECT_GT(found, 0) << "no pixel of the text has the colour given";
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

class WinCursor : public WinHeadless {};

TEST_F(WinCursor, ShapesAreSystemCursorsKeptForTheClients) {
  start("");
  yychangecursor(1);
  EXPECT_EQ(plat::SystemCursorId(wsys.wCursor), 32514) << "hourglass";
  yychangecursor(3);
  EXPECT_EQ(plat::SystemCursorId(wsys.wCursor), 32515) << "cross";
  plat::HCURSOR kept = wsys.wCursor;
  yychangecursor(777);  // no such cursor resource: the shape stays
  EXPECT_EQ(wsys.wCursor, kept);
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

class WinStatusBar : public WinHeadless {};

TEST_F(WinStatusBar, FrameGrowsByTheBarAndTheClientKeepsItsSize) {
  WindowStyle plain = defaultstyle();
  start("", plain);
  const plat::RECT without = windowrect(frame());
  windowclose();
  WindowStyle s = defaultstyle();
  s.flags |= kStyleStatusBar;
  windowopen(s);
  plat::HWND bar = wsys.slots[0].wMessLine;
  ASSERT_NE(bar, nullptr) << "status bar created";
  const plat::RECT with = windowrect(frame());
  const plat::RECT b = windowrect(bar);
  EXPECT_EQ((with.bottom - with.top) - (without.bottom - without.top), b.bottom - b.top);
  plat::RECT c;
  plat::GetClientRect(client(), &c);
  EXPECT_EQ(c.right, 400);
  EXPECT_EQ(c.bottom, 300);
  yysetstatustext(1, "Gotowe");
  char text[32] = {};
  plat::SendMessageA(bar, plat::WM_USER + 2, 0, reinterpret_cast<plat::LPARAM>(text));
  EXPECT_STREQ(text, "Gotowe");
}

}  // namespace
}  // namespace tsd::testing
