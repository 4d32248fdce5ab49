// Keyboard translation: TranslateMessage turns a key-down into the
// character it types (code page 1250), and the key state tables behind
// GetKeyState (as of the last message taken) and GetAsyncKeyState (now).
#include <cstring>

#include "platform/display/display.h"
#include "platform/user/desktop.h"

namespace plat {

namespace {

// The character of a key on a US keyboard, or -1 for none.
int key_character(UINT vk, bool shift, bool ctrl) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<int>(vk - 'A' + 1);
    return shift ? static_cast<int>(vk) : static_cast<int>(vk - 'A' + 'a');
  }
  if (ctrl) {
    if (vk == VK_RETURN) return 10;
    if (vk == VK_BACK) return 127;
    if (vk == VK_ESCAPE) return 27;
    if (vk == VK_OEM_4) return 27;
    if (vk == VK_OEM_5) return 28;
    if (vk == VK_OEM_6) return 29;
    if (vk == VK_SPACE) return ' ';
    return -1;
  }
  if (vk >= '0' && vk <= '9') {
    static const char shifted[] = ")!@#$%^&*(";
    return shift ? shifted[vk - '0'] : static_cast<int>(vk);
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<int>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return '\t';
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return -1;
  }
}

void set_state(BYTE* table, UINT vk, bool down) {
  if (vk > 255) return;
  if (down) {
    if (!(table[vk] & 0x80)) table[vk] ^= 0x01;  // toggle bit, as Caps Lock uses it
    table[vk] |= 0x80;
  } else {
    table[vk] &= static_cast<BYTE>(~0x80);
  }
}

}  // namespace

void note_async_key(UINT vk, bool down) {
  BYTE* t = desktop().async_key_state;
  set_state(t, vk, down);
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) set_state(t, VK_SHIFT, down);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) set_state(t, VK_CONTROL, down);
  if (vk == VK_LMENU || vk == VK_RMENU) set_state(t, VK_MENU, down);
}

void note_key_message(const MSG& m) {
  BYTE* t = desktop().key_state;
  bool key = m.message >= WM_KEYDOWN && m.message <= WM_SYSCHAR;
  bool mouse = m.message >= WM_MOUSEMOVE && m.message <= WM_MOUSEWHEEL;
  bool ncmouse = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONUP;
  if (!key && !mouse && !ncmouse) return;
  if (m.lPrivate & kPrivHasMods) {
    unsigned mods = (m.lPrivate >> 9) & 7;
    auto keep = [t](UINT vk, bool down) {
      if (((t[vk] & 0x80) != 0) != down) set_state(t, vk, down);
    };
    keep(VK_SHIFT, (mods & kModShift) != 0);
    keep(VK_CONTROL, (mods & kModCtrl) != 0);
    keep(VK_MENU, (mods & kModAlt) != 0);
  }
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) set_state(t, static_cast<UINT>(m.wParam), true);
  if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) set_state(t, static_cast<UINT>(m.wParam), false);
}

short GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  BYTE s = desktop().key_state[vk];
  return static_cast<short>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

short GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return (desktop().async_key_state[vk] & 0x80) ? static_cast<short>(0x8000) : 0;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  if (msg->lPrivate & kPrivNoChar) return FALSE;
  int ch = -1;
  if (msg->lPrivate & kPrivHasChar) {
    ch = static_cast<int>(msg->lPrivate & 0xff);
  } else {
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    ch = key_character(static_cast<UINT>(msg->wParam), shift, ctrl);
  }
  if (ch < 0) return FALSE;
  MSG c = *msg;
  c.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  c.wParam = static_cast<WPARAM>(ch);
  c.lPrivate = msg->lPrivate & ~kPrivHasChar & ~0xffu;
  // The character comes next, before anything else that waits.
  post_message(c, true);
  return TRUE;
}

}  // namespace plat
