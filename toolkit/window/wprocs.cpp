// Frame and client window procedures. The frame reports menu commands,
// close requests, timers and non-client clicks and lays out its status bar
// and client; the client reports keys, mouse buttons and moves, size and
// paint, and holds Expose and Resize messages that come while the program
// is busy.
#include "toolkit/window/wprocs.h"

#include <algorithm>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "toolkit/window/wimages.h"
#include "toolkit/window/winkeys.h"
#include "toolkit/window/wmiscel.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wtoolbar.h"

namespace tsd {

namespace {

constexpr int kVkShift = 4096;
constexpr int kVkCtrl = 8192;

int ncbutton(plat::UINT msg) {
  switch (msg) {
    case plat::WM_NCLBUTTONDOWN: return 1;
    case plat::WM_NCMBUTTONDOWN: return 2;
    case plat::WM_NCRBUTTONDOWN: return 3;
    default: return 0;
  }
}

void layout(plat::HWND frame) {
  using namespace plat;
  int index = yygetwindowindex(frame);
  if (index < 0) return;
  WindowSlot& s = wsys.slots[index];
  RECT fc;
  GetClientRect(frame, &fc);
  int statusheight = 0;
  if (s.wMessLine) {
    SendMessageA(s.wMessLine, WM_SIZE, 0, 0);
    RECT sr;
    GetWindowRect(s.wMessLine, &sr);
    statusheight = sr.bottom - sr.top;
  }
  // The root's toolbar along the top; the client takes what is left.
  const int toolbarheight = yytoolbarlayout(frame);
  if (s.hClient)
    MoveWindow(s.hClient, 0, toolbarheight, fc.right, std::max(0, static_cast<int>(fc.bottom) - statusheight - toolbarheight),
               TRUE);
}

// The character message TranslateMessage put right behind this key-down,
// if there is one; nothing else is taken from the queue.
bool characterofkey(plat::HWND hwnd, int& ch) {
  plat::MSG next;
  if (!plat::PeekMessageA(&next, hwnd, plat::WM_CHAR, plat::WM_CHAR, plat::PM_REMOVE)) return false;
  ch = static_cast<int>(next.wParam & 0xff);
  return true;
}

void keydown(plat::HWND hwnd, plat::WPARAM wparam) {
  using namespace plat;
  const int vk = static_cast<int>(wparam & 0xff);
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  int ch = 0;
  const bool hascharacter = characterofkey(hwnd, ch);
  if (hascharacter && !yynumpadkey(vk)) {
    if (ch == '\t' && shift && !ctrl)
      yyinterpretmessage(kKeyDown, 1, static_cast<WPARAM>(VK_TAB + kVkShift), 0, hwnd);
    else
      yyinterpretmessage(kKeyDown, 0, static_cast<WPARAM>(ch), 0, hwnd);
    return;
  }
  int modified = vk;
  if (!hascharacter) {
    if (ctrl) modified += kVkCtrl;
    else if (shift) modified += kVkShift;
  }
  if (yyinterpretkey(vk, 0) == 0) return;  // Shift, Ctrl, Alt, Pause and the locks give nothing
  yyinterpretmessage(kKeyDown, 1, static_cast<WPARAM>(modified), 0, hwnd);
}

// A child frame that lies inside the root's client area.
bool insideroot(plat::HWND frame, int index) {
  return index > 0 && (plat::GetWindowLongA(frame, plat::GWL_STYLE) & static_cast<plat::LONG>(plat::WS_CHILD));
}

// Maximise, restore and minimise of a child frame inside the root: the
// normal rectangle (in root-client pixels) is kept while it is maximised
// and put back on restore; a minimised child hands the active caption to
// the root. Returns false when the command is the window system's alone.
bool childsyscommand(plat::HWND frame, plat::WPARAM command, plat::LPARAM lparam, plat::LRESULT& result) {
  using namespace plat;
  const int index = yygetwindowindex(frame);
  if (!insideroot(frame, index)) return false;
  WindowSlot& s = wsys.slots[index];
  switch (command & 0xFFF0) {
    case SC_MAXIMIZE:
      if (!IsZoomed(frame) && !IsIconic(frame)) {
        RECT r;
        GetWindowRect(frame, &r);
        MapWindowPoints(nullptr, GetParent(frame), reinterpret_cast<POINT*>(&r), 2);
        s.wChildRect[0] = r.left;
        s.wChildRect[1] = r.top;
        s.wChildRect[2] = r.right;
        s.wChildRect[3] = r.bottom;
      }
      return false;
    case SC_RESTORE: {
      const bool zoomed = IsZoomed(frame) != 0;
      result = DefWindowProcA(frame, WM_SYSCOMMAND, command, lparam);
      if (zoomed && s.wChildRect[0] != -999 && IsWindow(frame)) {
        MoveWindow(frame, s.wChildRect[0], s.wChildRect[1], s.wChildRect[2] - s.wChildRect[0],
                   s.wChildRect[3] - s.wChildRect[1], TRUE);
        s.wChildRect[0] = -999;
      }
      return true;
    }
    case SC_MINIMIZE:
      result = DefWindowProcA(frame, WM_SYSCOMMAND, command, lparam);
      if (wsys.slots[0].wWindow) SendMessageA(wsys.slots[0].wWindow, WM_NCACTIVATE, TRUE, 0);
      return true;
    default:
      return false;
  }
}

// After the root client changed size, every maximised child frame inside
// it covers the new client area again; its saved normal rectangle stays.
void remaximisechildren(plat::HWND rootclient) {
  using namespace plat;
  RECT c;
  GetClientRect(rootclient, &c);
  for (int i = 1; i < kWindowSlots; ++i) {
    HWND f = wsys.slots[i].wWindow;
    if (!f || !insideroot(f, i) || GetParent(f) != rootclient || !IsZoomed(f)) continue;
    MoveWindow(f, c.left, c.top, c.right - c.left, c.bottom - c.top, TRUE);
  }
}

int buttonof(plat::UINT msg) {
  switch (msg) {
    case plat::WM_LBUTTONDOWN: case plat::WM_LBUTTONUP: return 1;
    case plat::WM_MBUTTONDOWN: case plat::WM_MBUTTONUP: return 2;
    default: return 3;
  }
}

}  // namespace

plat::LRESULT yyframeproc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam) {
  using namespace plat;
  switch (msg) {
    case WM_COMMAND:
      // Menu (0) and accelerator (1) commands; controls of the frame report otherwise.
      if (lparam == 0 && (HIWORD(wparam) == 0 || HIWORD(wparam) == 1)) {
        yyinterpretmessage(kMenuSelect, 0, wparam, lparam, hwnd);
        return 0;
      }
      // A toolbar button gives the command of its menu entry.
      if (yytoolbarcommand(lparam) && HIWORD(wparam) == 0) {
        yyinterpretmessage(kMenuSelect, 0, wparam, 0, hwnd);
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (yytooltipnotify(lparam)) return 0;
      break;
    case WM_CLOSE:
      // The program decides what a close request does.
      yyinterpretmessage(kCloseRequest, 0, wparam, lparam, hwnd);
      return 0;
    case WM_TIMER:
      KillTimer(hwnd, wparam);
      wsys.wTimer = 0;
      yyinterpretmessage(kTimerExpired, 0, wparam, lparam, hwnd);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (static_cast<LRESULT>(wparam) != HTMINBUTTON)
        yyinterpretmessage(kFrameButton, ncbutton(msg), wparam, lparam, hwnd);
      break;
    case WM_MOUSEACTIVATE:
      // A press anywhere in the window (its client included, which asks
      // its frame) raises it and gives it the active caption.
      yytitlecolour(hwnd);
      return MA_ACTIVATE;
    case WM_SYSCOMMAND: {
      LRESULT result = 0;
      if (childsyscommand(hwnd, wparam, lparam, result)) return result;
      break;
    }
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) layout(hwnd);
      return 0;
    case WM_SETFOCUS: {
      // Keys belong to the client window.
      int index = yygetwindowindex(hwnd);
      if (index >= 0 && wsys.slots[index].hClient) SetFocus(wsys.slots[index].hClient);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

plat::LRESULT yyclientproc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam) {
  using namespace plat;
  switch (msg) {
    case WM_CHAR:
      yyinterpretmessage(kKeyDown, 0, wparam & 0xff, lparam, hwnd);
      return 0;
    case WM_KEYDOWN:
      keydown(hwnd, wparam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetCapture(hwnd);
      yyinterpretmessage(kMouseButDown, buttonof(msg), wparam, lparam, hwnd);
      return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      yyinterpretmessage(kMouseButUp, buttonof(msg), wparam, lparam, hwnd);
      return 0;
    case WM_MOUSEMOVE:
      yyinterpretmessage(kMouseMove, 0, wparam, lparam, hwnd);
      return 0;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return 0;
      ArrangeIconicWindows(hwnd);
      InvalidateRect(hwnd, nullptr, TRUE);
      yyinterpretmessage(kResize, 0, wparam, lparam, hwnd);
      yyholdmessage(yygetwindowindex(hwnd));
      if (hwnd == wsys.slots[0].hClient) remaximisechildren(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      if (gPal256 && ps.hdc) {
        SelectPalette(ps.hdc, gPal256, FALSE);
        RealizePalette(ps.hdc);
      }
      // While a modal loop runs the picture comes from the saved image;
      // otherwise the area is erased to the class background and the
      // program redraws it.
      if (!yypaintfromimage(hwnd, ps.hdc, ps.rcPaint))
        FillRect(ps.hdc, &ps.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      RECT area = ps.rcPaint;
      EndPaint(hwnd, &ps);
      // An empty area (all of it under child windows) needs no redrawing.
      if (!wsys.wImagesSaved && !IsRectEmpty(&area)) {
        yyinterpretmessage(kExpose, 0, 0, reinterpret_cast<LPARAM>(&area), hwnd);
        yyholdmessage(yygetwindowindex(hwnd));
      }
      return 0;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      yyinterpretmessage(kFrameButton, ncbutton(msg), wparam, lparam, hwnd);
      break;
    case WM_SETCURSOR:
      if (wsys.wCursor && LOWORD(static_cast<std::uintptr_t>(lparam)) == HTCLIENT) {
        SetCursor(wsys.wCursor);
        return TRUE;
      }
      break;
    case WM_SETFOCUS: {
      wsys.wOwner = hwnd;
      wmsg.hDlgCur = nullptr;
      int index = yygetwindowindex(hwnd);
      if (index >= 0 && !(index == 0 && wsys.wHideRoot))
        SetWindowPos(wsys.slots[index].wWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace tsd
