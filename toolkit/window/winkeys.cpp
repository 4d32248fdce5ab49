// The key table of KeyDown messages. Cursor keys add 4 with Shift and 8 with
// Ctrl; function keys add 20 with Shift and 40 with Ctrl; Tab with Shift is
// 274; every other key has one code whatever the modifiers.
#include "toolkit/window/winkeys.h"

#include "platform/user/user_constants.h"

namespace tsd {

namespace {

constexpr int kFirstFunctionCode = 301;  // F1
constexpr int kFunctionKeys = 20;        // F1 to F20 have codes of their own

int cursorcode(int base, int modifier) {
  if (modifier == kKeyCtrl) return base + 8;
  if (modifier == kKeyShift) return base + 4;
  return base;
}

}  // namespace

bool yynumpadkey(int vkey) {
  return vkey >= static_cast<int>(plat::VK_NUMPAD0) && vkey <= static_cast<int>(plat::VK_DIVIDE);
}

int yyinterpretkey(int vkey, int modifier) {
  using namespace plat;
  const int vk = vkey;
  if (vk >= static_cast<int>(VK_F1) && vk < static_cast<int>(VK_F1) + kFunctionKeys) {
    int code = kFirstFunctionCode + (vk - static_cast<int>(VK_F1));
    if (modifier == kKeyCtrl) return code + 40;
    if (modifier == kKeyShift) return code + 20;
    return code;
  }
  if (vk >= static_cast<int>(VK_NUMPAD0) && vk <= static_cast<int>(VK_NUMPAD9))
    return 280 + (vk - static_cast<int>(VK_NUMPAD0));
  switch (static_cast<UINT>(vk)) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_PAUSE: case VK_CAPITAL:
    case VK_NUMLOCK: case VK_SCROLL: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
    case VK_RCONTROL: case VK_LMENU: case VK_RMENU:
      return 0;
    case VK_TAB: return modifier == kKeyShift ? 274 : 9;
    case VK_UP: return cursorcode(258, modifier);
    case VK_DOWN: return cursorcode(259, modifier);
    case VK_RIGHT: return cursorcode(260, modifier);
    case VK_LEFT: return cursorcode(261, modifier);
    case VK_PRIOR: return 262;
    case VK_NEXT: return 263;
    case VK_HOME: return 270;
    case VK_END: case VK_SELECT: return 271;
    case VK_INSERT: return 272;
    case VK_DELETE: return 273;
    case VK_CLEAR: return 285;
    case VK_SUBTRACT: return 290;
    case VK_DECIMAL: return 291;
    case VK_ADD: case VK_SEPARATOR: return 292;
    case VK_DIVIDE: return 293;
    case VK_MULTIPLY: return 294;
    case VK_SNAPSHOT: return 300;
    default: return vk;
  }
}

}  // namespace tsd
