// The message loop: building typed messages from window-system messages,
// holding Expose and Resize messages that arrive while the program is busy
// (one slot per window), and converting what is returned into window units
// and user units.
#include "toolkit/window/wmessage.h"

#include <initializer_list>

#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/winkeys.h"
#include "toolkit/window/wresource.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

MessageState wmsg;

namespace {

// Message number of the caret-blink system timer and its marker.
constexpr plat::UINT kSystemTimer = 280;
constexpr int kCaretBlinkId = -10;

// Virtual-key offsets the client adds for Shift and Ctrl.
constexpr int kVkShift = 4096;
constexpr int kVkCtrl = 8192;

bool knowntype(int type) { return type >= 1 && type <= kMessageTypes; }

// Enable flag of a built type: dialog graphics-field types 101 + n use the
// flag of type n + 1.
bool enabled(int type) {
  if (type > 100) type = type - 100;
  return knowntype(type) && wmsg.wMessageEnabled[type] != 0;
}

void startmessage(int type, int win) {
  wmsg.wMessageType = type;
  wmsg.wMessageWin = win;
  for (int& v : wmsg.wMessageValue) v = -1;
  wmsg.wMessageX = -1;
  wmsg.wMessageY = -1;
  wmsg.wMessageTime = static_cast<int>(plat::GetMessageTime());
}

// A mouse position from a message parameter; values past the screen are
// positions left of or above a window that holds the capture.
void mouseposition(plat::LPARAM lparam) {
  int x = plat::LOWORD(static_cast<std::uintptr_t>(lparam));
  int y = plat::HIWORD(static_cast<std::uintptr_t>(lparam));
  if (x > quorba01.screenwidth) x -= 65536;
  if (y > quorba01.screenheight) y -= 65536;
  wmsg.wMessageX = x;
  wmsg.wMessageY = y;
}

void clientsize(int index, int& w, int& h) {
  w = 0;
  h = 0;
  if (index < 0 || index >= kWindowSlots || !wsys.slots[index].hClient) return;
  plat::RECT r;
  plat::GetClientRect(wsys.slots[index].hClient, &r);
  w = r.right - r.left;
  h = r.bottom - r.top;
}

void fromslot(int index, int& itype, WindowMessage& m) {
  HeldMessage& h = wmsg.KRBMessages[index];
  m = WindowMessage{};
  itype = h.type;
  m.win = index;
  m.value1 = h.value[0];
  m.value2 = h.value[1];
  m.value3 = h.value[2];
  m.value4 = h.value[3];
  m.x = h.x;
  m.y = h.y;
  m.time = h.time;
  if (itype == kExpose) {
    m.x = 0;
    m.y = 0;
    clientsize(index, m.value1, m.value2);
  }
  h = HeldMessage{};
}

void frombuilt(int& itype, WindowMessage& m) {
  m = WindowMessage{};
  itype = wmsg.wMessageType;
  m.win = wmsg.wMessageWin;
  m.value1 = wmsg.wMessageValue[0];
  m.value2 = wmsg.wMessageValue[1];
  m.value3 = wmsg.wMessageValue[2];
  m.value4 = wmsg.wMessageValue[3];
  m.x = wmsg.wMessageX;
  m.y = wmsg.wMessageY;
  m.time = wmsg.wMessageTime;
}

// A returned Expose or Resize empties its window's held slot; a held
// Expose widens a returned Expose to the whole client area.
void takeheld(int itype, WindowMessage& m) {
  if ((itype != kExpose && itype != kResize) || m.win < 0 || m.win >= kWindowSlots) return;
  HeldMessage& h = wmsg.KRBMessages[m.win];
  if (h.type == kExpose && itype == kExpose) {
    m.x = 0;
    m.y = 0;
    clientsize(m.win, m.value1, m.value2);
  }
  h = HeldMessage{};
}

bool firstheld(int& itype, WindowMessage& m) {
  for (int i = 0; i < kWindowSlots; ++i) {
    if (wmsg.KRBMessages[i].type != 0) {
      fromslot(i, itype, m);
      return true;
    }
  }
  return false;
}

// Hand one window-system message to its window: the modeless dialog and
// the accelerators first, else translated and dispatched.
void pump(const plat::MSG& msg) {
  if (wmsg.block118 && msg.message == kSystemTimer &&
      static_cast<int>(static_cast<std::int16_t>(plat::LOWORD(msg.wParam))) == kCaretBlinkId)
    return;
  // The active modeless dialog gets the first chance (keyboard navigation).
  plat::MSG m = msg;
  if (wmsg.hDlgCur && plat::IsWindow(wmsg.hDlgCur) && plat::IsDialogMessageA(wmsg.hDlgCur, &m)) return;
  if (yytranslateaccelerator(&m)) return;
  plat::TranslateMessage(&msg);
  bool paintorsize = msg.message == plat::WM_PAINT || msg.message == plat::WM_SIZE;
  if (paintorsize) wmsg.bExpectPaintResize = true;
  plat::DispatchMessageA(&msg);
  if (paintorsize) wmsg.bExpectPaintResize = false;
}

void finish(int& itype, WindowMessage& m, bool& valid) {
  frombuilt(itype, m);
  valid = wmsg.wValidMessage != 2;
  takeheld(itype, m);
}

// Device point of a pixel position, in the graphics layer's device
// coordinates (origin lower left, y upward), as user units.
void userunits(float px, float py, float& gx, float& gy) {
  float dx = px + 0.5f;
  float dy = grstate.winheight - py + 0.5f;
  xxi2e(dx, dy, gx, gy);
}

}  // namespace

void yyresetmessageflags() {
  for (int t = 1; t <= kMessageTypes; ++t) wmsg.wMessageEnabled[t] = 1;
  for (int t : {5, 6, 10, 11, 12}) wmsg.wMessageEnabled[t] = 0;
}

void yyenablemessage(int type, int flag) {
  if (knowntype(type)) wmsg.wMessageEnabled[type] = flag;
}

void yyinfomessage(int type, int& flag) {
  if (knowntype(type)) flag = wmsg.wMessageEnabled[type];
}

void yyclearheld() {
  for (HeldMessage& h : wmsg.KRBMessages) h = HeldMessage{};
}

void yybuildmessage(int type, int win, int v1, int v2, int v3, int v4, int x, int y) {
  wmsg.built = false;
  if (!enabled(type)) return;
  startmessage(type > 100 ? type - 100 : type, win);
  wmsg.wMessageValue[0] = v1;
  wmsg.wMessageValue[1] = v2;
  wmsg.wMessageValue[2] = v3;
  wmsg.wMessageValue[3] = v4;
  wmsg.wMessageX = x;
  wmsg.wMessageY = y;
  wmsg.wValidMessage = 0;
  wmsg.built = true;
}

void yyinterpretmessage(int type, int sub, plat::WPARAM wparam, plat::LPARAM lparam, plat::HWND hwnd) {
  wmsg.built = false;
  if (!enabled(type)) return;
  startmessage(type, yygetwindowindex(hwnd));
  int* v = wmsg.wMessageValue;
  switch (type) {
    case kKeyDown: {
      plat::POINT p;
      plat::GetCursorPos(&p);
      plat::ScreenToClient(hwnd, &p);
      wmsg.wMessageX = p.x;
      wmsg.wMessageY = p.y;
      int code = static_cast<int>(wparam);
      if (sub == 1) {
        int modifier = 0;
        if (code & kVkCtrl) modifier = kKeyCtrl;
        else if (code & kVkShift) modifier = kKeyShift;
        code = yyinterpretkey(code & 0xfff, modifier);
      }
      v[0] = code;
      v[2] = wsys.wMemBmp != -1 ? 2 : 0;
      break;
    }
    case kMenuSelect:
      v[0] = plat::LOWORD(wparam);
      break;
    case kMouseButDown:
    case kMouseButUp:
    case kMouseMove:
      v[0] = type == kMouseMove ? -1 : sub;
      v[1] = wmsg.wMessageTime / 10;
      v[2] = wsys.wMemBmp != -1 ? 2 : 0;
      mouseposition(lparam);
      break;
    case kExpose: {
      // The update rectangle comes in lparam as a RECT of the caller.
      const plat::RECT* r = reinterpret_cast<const plat::RECT*>(lparam);
      wmsg.wMessageX = r ? r->left : 0;
      wmsg.wMessageY = r ? r->top : 0;
      v[0] = r ? r->right - r->left : 0;
      v[1] = r ? r->bottom - r->top : 0;
      v[2] = 0;
      break;
    }
    case kResize: {
      if (wparam == plat::SIZE_MINIMIZED) return;
      int w = plat::LOWORD(static_cast<std::uintptr_t>(lparam));
      int h = plat::HIWORD(static_cast<std::uintptr_t>(lparam));
      v[0] = w;
      v[1] = h;
      wmsg.wValidMessage = plat::IsWindowVisible(hwnd) ? 0 : 2;
      wsys.wWinWidth = w;
      wsys.wWinHeight = h;
      WinWidth = w;
      WinHeight = h;
      wmsg.built = true;
      return;
    }
    case kFrameButton:
      v[0] = sub;
      break;
    case kTimerExpired:
      v[0] = static_cast<int>(wparam);
      break;
    default:  // close request, reserved types: every value -1
      break;
  }
  wmsg.wValidMessage = 0;
  wmsg.built = true;
}

void yyholdmessage(int index) {
  if (!wmsg.built || wmsg.wValidMessage != 0 || wmsg.bExpectPaintResize || wsys.wImagesSaved) return;
  if (index < 0 || index >= kWindowSlots) return;
  if (wmsg.wMessageType != kExpose && wmsg.wMessageType != kResize) return;
  HeldMessage& h = wmsg.KRBMessages[index];
  if (wmsg.wMessageType == kExpose && h.type == kResize) return;
  h.type = wmsg.wMessageType;
  for (int i = 0; i < 4; ++i) h.value[i] = wmsg.wMessageValue[i];
  h.x = wmsg.wMessageX;
  h.y = wmsg.wMessageY;
  h.time = wmsg.wMessageTime;
}

namespace {

// The window system is ending the program (quit message): both fetches
// answer as the close box would, so the program closes in order, unless
// the program disabled close requests. False when nothing was built.
bool quitasclose() {
  if (!enabled(kCloseRequest)) return false;
  startmessage(kCloseRequest, 0);
  wmsg.wValidMessage = 0;
  return true;
}

}  // namespace

void yydispatchnextmessage(int& itype, WindowMessage& message, bool& valid) {
  valid = true;
  if (firstheld(itype, message)) return;
  wmsg.wValidMessage = 1;
  while (wmsg.wValidMessage == 1) {
    plat::MSG msg;
    if (plat::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      if (quitasclose()) break;
      continue;
    }
    pump(msg);
  }
  finish(itype, message, valid);
}

void yydispatchpeekmessage(int& itype, WindowMessage& message, bool& valid) {
  valid = true;
  if (firstheld(itype, message)) return;
  wmsg.wValidMessage = 1;
  while (wmsg.wValidMessage == 1) {
    plat::MSG msg;
    if (!plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
      wmsg.wValidMessage = 0;
      message = WindowMessage{};
      itype = -1;
      return;
    }
    if (msg.message == plat::WM_QUIT) {
      if (quitasclose()) break;
      continue;
    }
    pump(msg);
  }
  finish(itype, message, valid);
}

void yyevent(int itype, WindowMessage& m) {
  const bool windowtype = itype == 1 || itype == 2 || (itype >= 4 && itype <= 9) || itype == 12;
  const int previous = quorba01.current;
  const bool reselect = windowtype && m.win >= 0 && m.win < kWindowSlots && m.win != previous &&
                        wsys.slots[m.win].hClient != nullptr;
  if (reselect) windowselect(m.win);
  if (itype == kKeyDown || itype == kMouseButDown || itype == kMouseButUp || itype == kMouseMove) {
    if (m.value3 != 2) userunits(static_cast<float>(m.x), static_cast<float>(m.y), m.gx, m.gy);
    if (m.value3 != 1) windowunitsfrompixels(m.x, m.y, m.x, m.y);
  } else if (itype == kExpose && m.value3 != 1) {
    // (A graphics field's Expose has no area: its values stay -1.)
    userunits(static_cast<float>(m.x), static_cast<float>(m.y), m.gx, m.gy);
    // The area's size is taken as a device point, as it always was; no
    // program reads these two.
    xxi2e(static_cast<float>(m.value1) + 0.5f, static_cast<float>(m.value2) + 0.5f, m.gx2, m.gy2);
    int right = 0, bottom = 0;
    windowunitsfrompixels(m.x + m.value1 - 1, m.y + m.value2 - 1, right, bottom);
    windowunitsfrompixels(m.x, m.y, m.x, m.y);
    m.value1 = right - m.x;
    m.value2 = bottom - m.y;
  } else if (itype == kResize && m.win == quorba01.current) {
    // (Only a window that is open and selected takes its new size.)
    quorba01.clientwidth = m.value1;
    quorba01.clientheight = m.value2;
    yytextcellunits();
    xxresn();
  }
  if (reselect) windowselect(previous);
}

void wmessage(int& itype, WindowMessage& message) {
  bool valid = false;
  do {
    yydispatchnextmessage(itype, message, valid);
    yyevent(itype, message);
  } while (!valid);
}

}  // namespace tsd
