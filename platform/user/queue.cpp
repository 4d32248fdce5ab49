// The message queue: sending, posting, and taking messages in the order
// the window system gives them: posted and input messages first, then the
// quit request, then painting (only when nothing else waits), then timers.
// When nothing is there, GetMessage shows the windows' pixels on the host
// and waits for the host's input.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/desktop.h"

namespace plat {

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (!IsWindow(hwnd)) return 0;  // never looks inside a handle that is not a live window
  WNDPROC proc = hwnd->proc;
  if (!proc) return DefWindowProcA(hwnd, msg, wparam, lparam);
  Desktop& d = desktop();
  ++d.send_depth;
  LRESULT r = proc(hwnd, msg, wparam, lparam);
  --d.send_depth;
  return r;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (!proc) return 0;
  Desktop& d = desktop();
  ++d.send_depth;
  LRESULT r = proc(hwnd, msg, wparam, lparam);
  --d.send_depth;
  return r;
}

void post_message(const MSG& m, bool at_front) {
  if (at_front) desktop().queue.push_front(m);
  else desktop().queue.push_back(m);
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (hwnd && !IsWindow(hwnd)) return FALSE;
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wparam;
  m.lParam = lparam;
  m.time = display_clock_ms();
  m.pt = desktop().cursor_pos;
  post_message(m, false);
  return TRUE;
}

void PostQuitMessage(int exit_code) {
  desktop().quit_posted = true;
  desktop().quit_code = exit_code;
}

void remove_messages_of(HWND hwnd) {
  auto& q = desktop().queue;
  q.erase(std::remove_if(q.begin(), q.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }), q.end());
}

// A window is shown again when its pixels could have changed since the
// host last saw them: the window manager changed them (dirty), or something
// was drawn into its surface through a device context (a context the
// program holds for a long time marks nothing dirty).
void present_window(HWND top) {
  if (!top->shown_on_host || !top->surface) return;
  top->dirty = false;
  top->presented_changes = top->surface->changes;
  display_present(top, *top->surface);
}

void present_all() {
  for (HWND w : desktop().top_level) {
    if (!w->shown_on_host || !w->surface) continue;
    if (!w->dirty && w->surface->changes == w->presented_changes) continue;
    present_window(w);
  }
}

namespace {

bool matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
  if (min == 0 && max == 0) return true;
  return m.message >= min && m.message <= max;
}

bool in_range(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

void note_taken(const MSG& m) {
  Desktop& d = desktop();
  d.message_time = m.time;
  d.message_pos = m.pt;
  note_key_message(m);
}

// One attempt to find a message; false when there is none now.
bool take_message(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  Desktop& d = desktop();
  // Host input is routed one event at a time, when what came before it has
  // been taken: a click on a caption starts a drag before the next mouse
  // move is routed, as the window under the pointer may change meanwhile.
  for (;;) {
    for (auto it = d.queue.begin(); it != d.queue.end(); ++it) {
      if (!matches(*it, filter, min, max)) continue;
      *out = *it;
      if (remove) {
        d.queue.erase(it);
        note_taken(*out);
      }
      return true;
    }
    if (d.input.empty() || !d.queue.empty()) break;
    InputEvent e = std::move(d.input.front());
    d.input.pop_front();
    route_event(e);
  }
  if (d.quit_posted && !filter && in_range(WM_QUIT, min, max)) {
    MSG m;
    m.message = WM_QUIT;
    m.wParam = static_cast<WPARAM>(d.quit_code);
    m.time = display_clock_ms();
    m.pt = d.cursor_pos;
    *out = m;
    if (remove) d.quit_posted = false;
    return true;
  }
  if (in_range(WM_PAINT, min, max)) {
    // Frames are drawn at once; client areas get a WM_PAINT.
    for (;;) {
      HWND w = next_window_to_paint();
      if (!w) break;
      if (filter && w != filter && !IsChild(filter, w)) break;
      if (w->frame_pending) {
        w->frame_pending = false;
        SendMessageA(w, WM_NCPAINT, 1, 0);
        continue;
      }
      MSG m;
      m.hwnd = w;
      m.message = WM_PAINT;
      m.time = display_clock_ms();
      m.pt = d.cursor_pos;
      *out = m;
      if (remove) note_taken(m);
      return true;
    }
  }
  if (in_range(WM_TIMER, min, max) && take_timer_message(out, filter, remove)) {
    if (remove) note_taken(*out);
    return true;
  }
  return false;
}

// How long GetMessage may wait: until the next timer, or for input. It
// always waits at least a moment (0 would only look).
int wait_time() {
  int t = time_to_next_timer();
  return t == 0 ? 1 : t;
}

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT min, UINT max, UINT remove) {
  if (!msg) return FALSE;
  free_graveyard();
  if (take_message(msg, hwnd, min, max, (remove & PM_REMOVE) != 0)) return TRUE;
  // Nothing waiting: show what was drawn and look once at the host.
  present_all();
  display_pump_events(0);
  return take_message(msg, hwnd, min, max, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT min, UINT max) {
  if (!msg) return FALSE;
  for (;;) {
    free_graveyard();
    if (take_message(msg, hwnd, min, max, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    present_all();
    display_pump_events(wait_time());
  }
}

BOOL WaitMessage() {
  MSG m;
  free_graveyard();
  while (!take_message(&m, nullptr, 0, 0, false)) {
    present_all();
    display_pump_events(wait_time());
  }
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, display_clock_ms());
    return 0;
  }
  if (!IsWindow(msg->hwnd)) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LONG GetMessageTime() { return static_cast<LONG>(desktop().message_time); }

DWORD GetMessagePos() {
  POINT p = desktop().message_pos;
  return static_cast<DWORD>(MAKELPARAM(p.x, p.y));
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = desktop().cursor_pos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  desktop().cursor_pos = POINT{x, y};
  return TRUE;
}

DWORD GetTickCount() { return display_clock_ms(); }
UINT GetDoubleClickTime() { return 500; }

}  // namespace plat
