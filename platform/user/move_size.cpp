// Moving and sizing a window from the keyboard, as the window menu's Move
// and Size do: the arrow keys move the window (Size: the border the first
// arrow of each direction chose) by a few pixels a press, Enter or a click
// keeps where it is, Escape puts it back as it was.
#include "platform/user/desktop.h"

namespace plat {

namespace {

constexpr int kStep = 8;  // pixels an arrow moves the window or a border

}  // namespace

void keyboard_move_size(HWND hwnd, bool size) {
  if (!IsWindow(hwnd) || IsZoomed(hwnd) || IsIconic(hwnd)) return;
  const RECT start = hwnd->rect;  // the coordinates SetWindowPos takes
  RECT r = start;
  int side_x = 0, side_y = 0;  // Size: -1 the left (top) border, 1 the right (bottom) one
  const int min_w = GetSystemMetrics(SM_CXMIN), min_h = GetSystemMetrics(SM_CYMIN);
  SetCapture(hwnd);
  SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
  bool done = false, keep = true;
  while (!done) {
    MSG m;
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (!IsWindow(hwnd)) return;
    switch (m.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        int dx = 0, dy = 0;
        if (m.wParam == VK_LEFT) dx = -1;
        else if (m.wParam == VK_RIGHT) dx = 1;
        else if (m.wParam == VK_UP) dy = -1;
        else if (m.wParam == VK_DOWN) dy = 1;
        else if (m.wParam == VK_RETURN) done = true;
        else if (m.wParam == VK_ESCAPE) {
          keep = false;
          done = true;
        }
        if (!dx && !dy) break;
        if (!size) {
          r = rect_offset(r, dx * kStep, dy * kStep);
        } else {
          if (dx && !side_x) side_x = dx;
          if (dy && !side_y) side_y = dy;
          if (dx) (side_x < 0 ? r.left : r.right) += dx * kStep;
          if (dy) (side_y < 0 ? r.top : r.bottom) += dy * kStep;
          if (rect_width(r) < min_w) (side_x < 0 ? r.left = r.right - min_w : r.right = r.left + min_w);
          if (rect_height(r) < min_h) (side_y < 0 ? r.top = r.bottom - min_h : r.bottom = r.top + min_h);
        }
        SetWindowPos(hwnd, nullptr, r.left, r.top, rect_width(r), rect_height(r), SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_NCLBUTTONDOWN: done = true; break;  // a click keeps the new place
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR: break;  // the keys are ours while this runs
      default:
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (!keep && IsWindow(hwnd))
    SetWindowPos(hwnd, nullptr, start.left, start.top, rect_width(start), rect_height(start), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace plat
