// wmessagebox: button sets, icons and default buttons mapped to the window
// system's box, the pressed button mapped to the result, and a box driven
// by the scripted user whose texts and icon the log records.
#include "platform/user/dialog/dialog.h"
#include "text/cp1250.h"
#include "toolkit/tests/winheadless.h"
#include "platform/gdi/surface_png.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "tools/testkit/surface_pixels.h"

namespace tsd::testing {
namespace {

TEST(WcomdlgBoxType, ButtonsIconsAndDefaults) {
  using namespace plat;
  struct Case {
    int buttons, icon, def;
    UINT type;
  };
  const Case cases[] = {
      {0, 3, 1, MB_OK | MB_ICONEXCLAMATION | MB_DEFBUTTON1},
      {0, 3, 3, MB_OK | MB_ICONEXCLAMATION | MB_DEFBUTTON1},  // one button: always the first
      {1, 4, 1, MB_OKCANCEL | MB_ICONASTERISK | MB_DEFBUTTON1},
      {1, 4, 2, MB_OKCANCEL | MB_ICONASTERISK | MB_DEFBUTTON2},
      {2, 1, 0, MB_RETRYCANCEL | MB_ICONHAND | MB_DEFBUTTON2},
      {3, 2, 7, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2},  // default 7 makes No the default
      {4, 0, 1, MB_YESNOCANCEL | MB_DEFBUTTON1},
      {4, 5, 2, MB_YESNOCANCEL | MB_DEFBUTTON2},
      {4, 9, 3, MB_YESNOCANCEL | MB_DEFBUTTON3},
      {5, 1, 0, MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON3},
      {6, 1, 1, MB_OK | MB_ICONHAND},    // any other set: OK
      {-1, 2, 2, MB_OK | MB_ICONQUESTION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("buttons " + std::to_string(c.buttons) + " icon " + std::to_string(c.icon) + " default " +
                 std::to_string(c.def));
    EXPECT_EQ(yymessageboxtype(c.buttons, c.icon, c.def), c.type);
  }
}

TEST(WcomdlgBoxType, PressedButtonsGiveTheirResults) {
  using namespace plat;
  struct Case {
    int pressed, result;
  };
  const Case cases[] = {{IDOK, 1}, {IDRETRY, 1}, {IDYES, 1}, {IDCANCEL, 0}, {IDIGNORE, 0},
                        {IDABORT, 2}, {IDNO, 2}, {0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("pressed " + std::to_string(c.pressed));
    EXPECT_EQ(yymessageboxresult(c.pressed), c.result);
  }
}

class WcomdlgBox : public WinHeadless {};

TEST_F(WcomdlgBox, AnsweredBoxesGiveTheirResults) {
  struct Case {
    int buttons;
    const char* press;
    int result;
  };
  const Case cases[] = {{4, "No", 2}, {4, "Cancel", 0}, {4, "Yes", 1}, {0, "OK", 1}, {5, "Abort", 2}, {5, "Ignore", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("press ") + c.press);
    start(std::string("msgbox \"") + c.press + "\"\n");
    quorba04.focusfield = 77;
    wmessagebox(c.buttons, 2, 1, "Pytanie?", "Tytul");
    EXPECT_EQ(winfodialog(4), c.result);
    EXPECT_EQ(winfodialog(2), 0) << "item 2 is set to 0";
    EXPECT_EQ(infoerror(1), 0);
    TearDown();
    SetUp();
  }
}

TEST_F(WcomdlgBox, TheLogRecordsTextsAndIcon) {
  const std::string shot = wintemp("msgbox.png");
  start("screenshot \"" + shot + "\"\nmsgbox OK\n");
  wmessagebox(0, 3, 1, ::text::cp1250_from_utf8("Błąd odczytu danych     "), ::text::cp1250_from_utf8("Błąd   "));
  EXPECT_EQ(winfodialog(4), 1);
  std::string log = readfile(logpath_);
  EXPECT_NE(log.find("message box shown: \"Błąd\" text \"Błąd odczytu danych\" icon exclamation buttons OK default OK"),
            std::string::npos)
      << log;
  std::printf("message box screenshot: %s\n", shot.c_str());
  // The box shows the exclamation icon (yellow), its text right of it and
  // its active caption above it.
  plat::Surface s;
  ASSERT_TRUE(plat::ReadSurfacePng(shot, &s)) << shot;
  const plat::RECT icon = testkit::boundsof(s, 0xffff00, testkit::wholeof(s));
  EXPECT_GE(testkit::countcolour(s, 0xffff00, icon), 200) << testkit::describe(icon);
  EXPECT_LE(icon.right - icon.left, 32);
  EXPECT_LE(icon.bottom - icon.top, 32);
  EXPECT_GT(testkit::countother(s, testkit::syscolour(plat::COLOR_BTNFACE),
                                plat::RECT{icon.right, icon.top, icon.right + 120, icon.bottom}),
            100)
      << "the text right of the icon";
  EXPECT_EQ(testkit::pixelat(s, icon.left + 60, icon.top - 24), testkit::syscolour(plat::COLOR_ACTIVECAPTION));
}

TEST_F(WcomdlgBox, RepaintsDuringTheBoxProduceNoExpose) {
  start("repaint in \"Okno testowe\"\nmsgbox OK\nclose in \"Okno testowe\"\n");
  wmessagebox(0, 4, 1, "Informacja", "Informacja");
  std::vector<Got> got = loop();
  EXPECT_TRUE(oftype(got, kExpose).empty());
}

TEST_F(WcomdlgBox, TheModalDialogScreenshot) {
  const std::string shot = wintemp("dialog.png"), after = wintemp("after.png");
  start("field 1001 \"Kowalski\"\nbutton 1003\nscreenshot \"" + shot + "\"\nkey Enter\nscreenshot \"" + after +
        "\"\nclose\n");
  wdialogload(101);
  wdialogputradiobutton(1012);
  wdialogshow(1, -1, 1001, kShowModal);
  EXPECT_EQ(winfodialog(1), 1);
  loop();
  std::printf("dialog screenshot: %s\n", shot.c_str());
  // The dialog shows on the screen while it is open and is gone after: its
  // face (button-face grey) covers a rectangle of a dialog's size in the
  // first screenshot that is not grey in the second.
  plat::Surface open, closed;
  ASSERT_TRUE(plat::ReadSurfacePng(shot, &open));
  ASSERT_TRUE(plat::ReadSurfacePng(after, &closed));
  ASSERT_EQ(open.pixels.size(), closed.pixels.size());
  const std::uint32_t face = 0xc0c0c0;
  int l = open.width, t = open.height, r = -1, b = -1, face_pixels = 0;
  for (int y = 0; y < open.height; ++y)
    for (int x = 0; x < open.width; ++x)
      if (testkit::pixelat(open, x, y) == face && testkit::pixelat(closed, x, y) != face) {
        ++face_pixels;
        l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
      }
  EXPECT_GE(r - l, 150) << "width of the dialog";
  EXPECT_GE(b - t, 80) << "height of the dialog";
  EXPECT_LT(r - l, open.width / 2);
  EXPECT_GT(face_pixels, (r - l) * (b - t) / 2) << "the dialog's face fills its rectangle";
}

}  // namespace
}  // namespace tsd::testing
