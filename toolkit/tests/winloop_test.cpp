// The message loop on the headless display, driven by the scripted user:
// keys, menu commands, held Resize and Expose messages, the close box,
// message enabling, and a screenshot of the root window.
#include "platform/gdi/gdi.h"
#include "toolkit/tests/winheadless.h"
#include "platform/gdi/surface_png.h"

namespace tsd::testing {
namespace {

class WinLoop : public WinHeadless {};

TEST_F(WinLoop, KeysGiveTheirCodesAndTheCloseBoxGivesType9) {
  start("move 40 30 in \"Okno testowe\"\nkey F5 a Enter Shift+Tab Ctrl+F1 Shift+F12 Up Shift+Down Num7 Shift\nclose\n");
  std::vector<Got> got = loop();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().type, kCloseRequest) << "the close box ends the loop";
  EXPECT_EQ(got.back().m.win, 0);
  EXPECT_EQ(got.back().m.value1, -1);
  std::vector<Got> keys = oftype(got, kKeyDown);
  const int expected[] = {305, 'a', 13, 274, 341, 332, 258, 263, 287};
  ASSERT_EQ(keys.size(), std::size(expected)) << "one KeyDown per key; Shift alone gives nothing";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE("key " + std::to_string(i));
    EXPECT_EQ(keys[i].m.value1, expected[i]);
    EXPECT_EQ(keys[i].m.win, 0);
    EXPECT_EQ(keys[i].m.value2, -1);
    EXPECT_EQ(keys[i].m.value3, 0);
    EXPECT_EQ(keys[i].m.value4, -1);
    EXPECT_EQ(keys[i].m.x, unitsfrompixels(400, 40)) << "the pointer's position in window units";
    EXPECT_EQ(keys[i].m.y, unitsfrompixels(300, 30));
  }
}

TEST_F(WinLoop, MenuCommandGivesType2WithItsId) {
  start("idle\nclose\n");
  // The frame receives the command as a menu would send it.
  plat::PostMessageA(frame(), plat::WM_COMMAND, 40001, 0);
  std::vector<Got> menus = oftype(loop(), kMenuSelect);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].m.value1, 40001);
  EXPECT_EQ(menus[0].m.value2, -1);
  EXPECT_EQ(menus[0].m.win, 0);
}

TEST_F(WinLoop, ResizeWhileBusyIsHeldAndComesFirst) {
  start("key a\nclose\n");
  // The program resizes its window between two calls: the Resize is held.
  plat::RECT fr;
  plat::GetWindowRect(frame(), &fr);
  plat::SetWindowPos(frame(), nullptr, 0, 0, fr.right - fr.left + 100, fr.bottom - fr.top + 50,
                     plat::SWP_NOMOVE | plat::SWP_NOZORDER);
  EXPECT_EQ(wmsg.KRBMessages[0].type, kResize) << "held in the root's slot";
  std::vector<Got> got = loop();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].type, kResize) << "the held Resize is returned before the key";
  EXPECT_EQ(got[0].m.value1, 500);
  EXPECT_EQ(got[0].m.value2, 350);
  EXPECT_EQ(quorba01.clientwidth, 500) << "the current client size follows the Resize";
  EXPECT_EQ(quorba01.clientheight, 350);
  EXPECT_EQ(wmsg.KRBMessages[0].type, 0) << "the slot is emptied";
  EXPECT_EQ(oftype(got, kKeyDown).size(), 1u);
}

TEST_F(WinLoop, ExposeDoesNotReplaceAHeldResize) {
  start("close\n");
  plat::RECT fr;
  plat::GetWindowRect(frame(), &fr);
  plat::SetWindowPos(frame(), nullptr, 0, 0, fr.right - fr.left + 10, fr.bottom - fr.top,
                     plat::SWP_NOMOVE | plat::SWP_NOZORDER);
  plat::RECT part{5, 5, 20, 20};
  plat::InvalidateRect(client(), &part, plat::TRUE);
  plat::UpdateWindow(client());
  EXPECT_EQ(wmsg.KRBMessages[0].type, kResize);
  std::vector<Got> got = loop();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].type, kResize);
}

TEST_F(WinLoop, TwoExposesWhileBusyComeBackAsOneOfTheWholeClient) {
  start("close\n");
  plat::RECT a{5, 5, 20, 20};
  plat::RECT b{100, 50, 130, 90};
  plat::InvalidateRect(client(), &a, plat::TRUE);
  plat::UpdateWindow(client());
  plat::InvalidateRect(client(), &b, plat::TRUE);
  plat::UpdateWindow(client());
  EXPECT_EQ(wmsg.KRBMessages[0].type, kExpose);
  std::vector<Got> got = loop();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].type, kExpose);
  EXPECT_EQ(got[0].m.x, 0);
  EXPECT_EQ(got[0].m.y, 0);
  EXPECT_EQ(got[0].m.value1, 9999) << "the whole width in window units";
  EXPECT_EQ(got[0].m.value2, 9999);
  EXPECT_EQ(got[0].m.value3, 0);
  EXPECT_EQ(got[0].m.value4, -1);
  EXPECT_EQ(oftype(got, kExpose).size(), 1u) << "one Expose for both";
}

TEST_F(WinLoop, ExposeInsideTheWaitIsReturnedWithItsArea) {
  start("repaint\nclose\n");
  std::vector<Got> exposes = oftype(loop(), kExpose);
  ASSERT_GE(exposes.size(), 1u);
  EXPECT_EQ(exposes[0].m.x, 0);
  EXPECT_EQ(exposes[0].m.y, 0);
  EXPECT_EQ(exposes[0].m.value1, 9999);
  EXPECT_EQ(exposes[0].m.value2, 9999);
}

TEST_F(WinLoop, MouseUpOnlyWhenEnabled) {
  start("click 200 150 in \"Okno testowe\"\nclose\n");
  std::vector<Got> got = loop();
  std::vector<Got> downs = oftype(got, kMouseButDown);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].m.value1, 1);
  EXPECT_EQ(downs[0].m.x, unitsfrompixels(400, 200));
  EXPECT_EQ(downs[0].m.y, unitsfrompixels(300, 150));
  EXPECT_EQ(downs[0].m.value2, downs[0].m.time / 10);
  EXPECT_TRUE(oftype(got, kMouseButUp).empty()) << "type 5 is disabled at start";
  EXPECT_TRUE(oftype(got, kMouseMove).empty()) << "type 6 is disabled at start";
}

TEST_F(WinLoop, MouseUpWhenEnabled) {
  start("click right 10 20 in \"Okno testowe\"\nclose\n");
  yyenablemessage(kMouseButUp, 1);
  int flag = 0;
  yyinfomessage(kMouseButUp, flag);
  EXPECT_EQ(flag, 1);
  std::vector<Got> ups = oftype(loop(), kMouseButUp);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].m.value1, 3);
  windowclose();
  yyinfomessage(kMouseButUp, flag);
  EXPECT_EQ(flag, 0) << "windowclose disables type 5 again";
}

TEST_F(WinLoop, ScreenshotOfTheRootWindow) {
  const std::string png = wintemp("root.png");
  std::remove(png.c_str());
  start("screenshot \"" + png + "\"\nclose\n");
  // A red mark in the client window: the screenshot shows it where the
  // client window lies on the screen.
  plat::HBRUSH red = plat::CreateSolidBrush(plat::RGB(255, 0, 0));
  const plat::RECT mark{10, 10, 60, 40};
  plat::FillRect(wsys.wDC, &mark, red);
  plat::DeleteObject(red);
  plat::POINT origin{0, 0};
  plat::ClientToScreen(client(), &origin);
  loop();
  plat::Surface shot;
  ASSERT_TRUE(plat::ReadSurfacePng(png, &shot)) << "screenshot written to " << png;
  auto at = [&](int x, int y) { return shot.row(y)[x] & 0xffffffu; };
  EXPECT_EQ(shot.width, plat::GetSystemMetrics(plat::SM_CXSCREEN));
  EXPECT_EQ(shot.height, plat::GetSystemMetrics(plat::SM_CYSCREEN));
  EXPECT_EQ(at(origin.x + 10, origin.y + 10), 0xff0000u);
  EXPECT_EQ(at(origin.x + 59, origin.y + 39), 0xff0000u);
  EXPECT_NE(at(origin.x + 60, origin.y + 20), 0xff0000u) << "the mark ends where it was drawn";
  EXPECT_NE(at(origin.x + 30, origin.y + 40), 0xff0000u);
  std::ifstream in(png, std::ios::binary);
  if (const char* keep = std::getenv("TSD_KEEP_SCREENSHOT")) {
    std::ofstream(keep, std::ios::binary) << in.rdbuf();
  }
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

TEST_F(WinLoop, KeyDownTakesOnlyItsOwnCharacterFromTheQueue) {
  start("close\n");
  // A key without a character, and a menu command queued right behind it.
  plat::PostMessageA(client(), plat::WM_KEYDOWN, plat::VK_F(5), 0);
  plat::PostMessageA(frame(), plat::WM_COMMAND, 40002, 0);
  std::vector<Got> got = loop();
  ASSERT_GE(got.size(), 2u);
  EXPECT_EQ(got[0].type, kKeyDown);
  EXPECT_EQ(got[0].m.value1, 305);
  EXPECT_EQ(got[1].type, kMenuSelect) << "the message behind the key-down is not lost";
  EXPECT_EQ(got[1].m.value1, 40002);
}

TEST_F(WinLoop, ResizeOfAHiddenRootIsAbsorbed) {
  WindowStyle s = defaultstyle();
  s.flags = kStyleHidden;
  start("", s);
  plat::RECT fr;
  plat::GetWindowRect(frame(), &fr);
  plat::SetWindowPos(frame(), nullptr, 0, 0, fr.right - fr.left + 20, fr.bottom - fr.top,
                     plat::SWP_NOMOVE | plat::SWP_NOZORDER);
  EXPECT_EQ(wmsg.KRBMessages[0].type, 0) << "nothing held for a window that is not visible";
  EXPECT_EQ(WinWidth, 420) << "the sizes still follow";
  plat::PostMessageA(frame(), plat::WM_CLOSE, 0, 0);
  Got g;
  wmessage(g.type, g.m);
  EXPECT_EQ(g.type, kCloseRequest);
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

TEST_F(WinLoop, RootWithAMenuIdFindsItsCompanionRecord) {
  WindowStyle s = defaultstyle();
  s.menu = 30001;
  start("close\n", s);
  ASSERT_NE(wsys.hKRB, nullptr) << "the RCDATA resource with the menu's id";
  EXPECT_EQ(wsys.hKRBSize, 12) << "six 16-bit words";
  windowclose();
  s.menu = 30002;
  windowopen(s);
  EXPECT_EQ(wsys.hKRB, nullptr) << "absent: 0";
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

TEST_F(WinLoop, ScriptedResizeWhileWaitingIsReturnedThenExposed) {
  start("resize 520 380 in \"Okno testowe\"\nclose\n");
  plat::RECT f0;
  plat::GetWindowRect(frame(), &f0);
  const int dw = 520 - (f0.right - f0.left), dh = 380 - (f0.bottom - f0.top);
  std::vector<Got> got = loop();
  std::vector<Got> resizes = oftype(got, kResize);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].m.value1, 400 + dw);
  EXPECT_EQ(resizes[0].m.value2, 300 + dh);
  EXPECT_EQ(resizes[0].m.value3, -1);
  EXPECT_EQ(quorba01.clientwidth, 400 + dw);
  EXPECT_EQ(wmsg.KRBMessages[0].type, 0);
  std::vector<Got> exposes = oftype(got, kExpose);
  ASSERT_GE(exposes.size(), 1u) << "the resized client is repainted";
  EXPECT_EQ(exposes[0].m.value1, 9999);
}

}  // namespace
}  // namespace tsd::testing

namespace tsd::testing {
namespace {

TEST_F(WinLoop, ScriptedMenuChoiceGivesType2WithItsCommandId) {
  const std::string png = wintemp("menu.png");
  std::remove(png.c_str());
  WindowStyle s = defaultstyle();
  s.menu = 30001;
  start("screenshot \"" + png + "\"\nmenu 40001\nmenu \"&Plik/&Koniec\"\nclose\n", s);
  ASSERT_NE(plat::GetMenu(frame()), nullptr) << "the menu bar of resource 30001";
  plat::RECT c;
  plat::GetClientRect(client(), &c);
  EXPECT_EQ(c.right, 400);
  EXPECT_EQ(c.bottom, 300) << "the frame grew for the menu bar, the client kept its size";
  std::vector<Got> menus = oftype(loop(), kMenuSelect);
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].m.value1, 40001);
  EXPECT_EQ(menus[1].m.value1, 40002);
  EXPECT_EQ(menus[1].m.win, 0);
  if (const char* keep = std::getenv("TSD_KEEP_MENU_SCREENSHOT")) {
    std::ifstream in(png, std::ios::binary);
    std::ofstream(keep, std::ios::binary) << in.rdbuf();
  }
}

}  // namespace
}  // namespace tsd::testing
