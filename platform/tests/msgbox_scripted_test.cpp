// Message boxes: the button sets, their results and default buttons, the
// modal loop blocking the owner, and what the log records.
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

class MessageBoxScripted : public DialogTest {
 protected:
  int show(const std::string& script, UINT type, const char* text = "Line one\r\nLine two\rLine three") {
    use_script(script);
    owner_ = main_window("Main");
    seen().clear();
    int r = MessageBoxA(owner_, text, "Question", type);
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "the owner is enabled again";
    return r;
  }
  HWND owner_ = nullptr;
};

TEST_F(MessageBoxScripted, PressedButtonIsTheResult) {
  struct Case {
    UINT type;
    const char* press;
    int want;
  } cases[] = {
      {MB_OK, "\"OK\"", IDOK},
      {MB_OKCANCEL, "\"Cancel\"", IDCANCEL},
      {MB_RETRYCANCEL, "\"Retry\"", IDRETRY},
      {MB_YESNO, "\"No\"", IDNO},
      {MB_YESNOCANCEL, "\"No\"", IDNO},
      {MB_YESNOCANCEL, "\"Cancel\"", IDCANCEL},
      {MB_ABORTRETRYIGNORE, "\"Abort\"", IDABORT},
      {MB_ABORTRETRYIGNORE, "5", IDIGNORE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("type ") + std::to_string(c.type) + " press " + c.press);
    EXPECT_EQ(show(std::string("msgbox ") + c.press + "\n", c.type | MB_ICONQUESTION), c.want);
    restart();
  }
}

TEST_F(MessageBoxScripted, EnterPressesTheDefaultButton) {
  struct Case {
    UINT type;
    int want;
  } cases[] = {
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_OK | MB_DEFBUTTON2, IDOK},  // one button: always the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    EXPECT_EQ(show("key Enter\n", c.type), c.want);
    restart();
  }
}

TEST_F(MessageBoxScripted, EscapeIsCancelOnlyWhereThereIsOne) {
  EXPECT_EQ(show("key Escape\n", MB_OKCANCEL), IDCANCEL);
  restart();
  EXPECT_EQ(show("key Escape\n", MB_OK), IDOK);
  restart();
  // Yes/No has no Cancel: Escape does nothing, the box waits for an answer.
  EXPECT_EQ(show("key Escape\nmsgbox \"Yes\"\n", MB_YESNO), IDYES);
}

TEST_F(MessageBoxScripted, BlocksTheOwnerAndLogsWhatItShows) {
  int r = show("click 50 50 in \"Main\"\nmsgbox \"No\"\n", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  EXPECT_EQ(r, IDNO);
  for (const Seen& s : seen())
    EXPECT_FALSE(s.hwnd == owner_ && s.message == WM_LBUTTONDOWN) << "the owner got a click while the box was up";
  std::string l = log();
  EXPECT_NE(l.find("message box shown: \"Question\" text \"Line one  Line two Line three\" icon exclamation "
                   "buttons Yes, No, Cancel default Yes"),
            std::string::npos)
      << l;
  EXPECT_NE(l.find("message box answered: No"), std::string::npos) << l;
}

TEST_F(MessageBoxScripted, LinesBreakAtCrLfAndALoneCr) {
  // Three lines make the box taller than one line does: by two lines.
  const std::string one = unique_temp("one.png"), three = unique_temp("three.png");
  use_script("screenshot \"" + one + "\"\nkey Enter\n");
  EXPECT_EQ(MessageBoxA(nullptr, "One line", "T", MB_OK), IDOK);
  restart();
  use_script("screenshot \"" + three + "\"\nkey Enter\n");
  EXPECT_EQ(MessageBoxA(nullptr, "a\r\nb\rc", "T", MB_OK), IDOK);
  Surface a, b;
  ASSERT_TRUE(ReadSurfacePng(one, &a)) << one;
  ASSERT_TRUE(ReadSurfacePng(three, &b)) << three;
  const std::uint32_t face = tsd::testkit::syscolour(COLOR_BTNFACE);
  const RECT box1 = tsd::testkit::boundsof(a, face, tsd::testkit::wholeof(a));
  const RECT box3 = tsd::testkit::boundsof(b, face, tsd::testkit::wholeof(b));
  EXPECT_GE((box3.bottom - box3.top) - (box1.bottom - box1.top), 20)
      << tsd::testkit::describe(box1) << " then " << tsd::testkit::describe(box3);
}

}  // namespace
}  // namespace plat::testing
