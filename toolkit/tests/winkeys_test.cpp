// The key table of KeyDown messages.
#include <gtest/gtest.h>

#include "platform/user/user_constants.h"
#include "toolkit/window/winkeys.h"

namespace tsd {
namespace {

struct KeyCase {
  const char* what;
  int vk;
  int modifier;
  int code;
};

TEST(WinKeyTable, CodesOfKeysWithoutCharacter) {
  using namespace plat;
  const KeyCase cases[] = {
      {"Tab", VK_TAB, 0, 9},
      {"Shift+Tab", VK_TAB, kKeyShift, 274},
      {"Ctrl+Tab", VK_TAB, kKeyCtrl, 9},
      {"Up", VK_UP, 0, 258},
      {"Down", VK_DOWN, 0, 259},
      {"Right", VK_RIGHT, 0, 260},
      {"Left", VK_LEFT, 0, 261},
      {"Shift+Up is Page Up's code", VK_UP, kKeyShift, 262},
      {"Shift+Down is Page Down's code", VK_DOWN, kKeyShift, 263},
      {"Shift+Left", VK_LEFT, kKeyShift, 265},
      {"Ctrl+Up", VK_UP, kKeyCtrl, 266},
      {"Ctrl+Left", VK_LEFT, kKeyCtrl, 269},
      {"Page Up", VK_PRIOR, 0, 262},
      {"Shift+Page Down", VK_NEXT, kKeyShift, 263},
      {"Home", VK_HOME, kKeyCtrl, 270},
      {"End", VK_END, 0, 271},
      {"Insert", VK_INSERT, 0, 272},
      {"Delete", VK_DELETE, kKeyShift, 273},
      {"Num0", VK_NUMPAD0, 0, 280},
      {"Num9", VK_NUMPAD9, 0, 289},
      {"Clear", VK_CLEAR, 0, 285},
      {"Num minus", VK_SUBTRACT, 0, 290},
      {"Num decimal", VK_DECIMAL, 0, 291},
      {"Num plus", VK_ADD, 0, 292},
      {"Num separator", VK_SEPARATOR, 0, 292},
      {"Num divide", VK_DIVIDE, 0, 293},
      {"Num multiply", VK_MULTIPLY, 0, 294},
      {"Print Screen", VK_SNAPSHOT, 0, 300},
      {"F1", static_cast<int>(VK_F(1)), 0, 301},
      {"F20", static_cast<int>(VK_F(20)), 0, 320},
      {"Shift+F12", static_cast<int>(VK_F(12)), kKeyShift, 332},
      {"Shift+F20", static_cast<int>(VK_F(20)), kKeyShift, 340},
      {"Ctrl+F1", static_cast<int>(VK_F(1)), kKeyCtrl, 341},
      {"Ctrl+F20", static_cast<int>(VK_F(20)), kKeyCtrl, 360},
      {"F21 is its virtual key", static_cast<int>(VK_F(21)), kKeyShift, static_cast<int>(VK_F(21))},
      {"Help is its virtual key", VK_HELP, 0, VK_HELP},
      {"Shift alone", VK_SHIFT, kKeyShift, 0},
      {"Ctrl alone", VK_CONTROL, kKeyCtrl, 0},
      {"Alt alone", VK_MENU, 0, 0},
      {"Pause", VK_PAUSE, 0, 0},
      {"Caps Lock", VK_CAPITAL, 0, 0},
      {"Num Lock", VK_NUMLOCK, 0, 0},
      {"Scroll Lock", VK_SCROLL, 0, 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(yyinterpretkey(c.vk, c.modifier), c.code) << "vk " << c.vk << " modifier " << c.modifier;
  }
}

TEST(WinKeyTable, NumericPadKeysWithCharacters) {
  EXPECT_TRUE(yynumpadkey(plat::VK_NUMPAD0 + 5));
  EXPECT_TRUE(yynumpadkey(plat::VK_DIVIDE));
  EXPECT_FALSE(yynumpadkey('5'));
  EXPECT_FALSE(yynumpadkey(plat::VK_RETURN));
}

}  // namespace
}  // namespace tsd
