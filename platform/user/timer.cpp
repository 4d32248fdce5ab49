// Timers: SetTimer/KillTimer and the WM_TIMER messages they produce. A due
// timer yields one WM_TIMER when the queue has nothing else; it is then
// armed again for its next period (missed periods do not pile up).
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/desktop.h"

namespace plat {

namespace {
// Milliseconds from `now` to `due`, negative when past (the clock wraps).
long long until(DWORD due, DWORD now) { return static_cast<std::int32_t>(due - now); }
}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  Desktop& d = desktop();
  if (hwnd && !IsWindow(hwnd)) return 0;
  if (elapse_ms < 10) elapse_ms = 10;
  if (!hwnd) id = d.next_timer_id++;  // a thread timer gets an id of its own
  DWORD now = display_clock_ms();
  for (Timer& t : d.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.elapse = elapse_ms;
      t.due = now + elapse_ms;
      t.proc = proc;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  Timer t;
  t.hwnd = hwnd;
  t.id = id;
  t.elapse = elapse_ms;
  t.due = now + elapse_ms;
  t.proc = proc;
  d.timers.push_back(t);
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto& v = desktop().timers;
  auto it = std::find_if(v.begin(), v.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == v.end()) return FALSE;
  v.erase(it);
  // A WM_TIMER of it that was not yet taken goes too.
  auto& q = desktop().queue;
  q.erase(std::remove_if(q.begin(), q.end(),
                         [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; }),
          q.end());
  return TRUE;
}

void remove_timers_of(HWND hwnd) {
  auto& v = desktop().timers;
  v.erase(std::remove_if(v.begin(), v.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }), v.end());
}

bool take_timer_message(MSG* out, HWND filter, bool remove) {
  Desktop& d = desktop();
  DWORD now = display_clock_ms();
  for (Timer& t : d.timers) {
    if (until(t.due, now) > 0) continue;
    if (filter && t.hwnd != filter && !IsChild(filter, t.hwnd)) continue;
    MSG m;
    m.hwnd = t.hwnd;
    m.message = WM_TIMER;
    m.wParam = t.id;
    m.lParam = reinterpret_cast<LPARAM>(t.proc);
    m.time = now;
    m.pt = d.cursor_pos;
    *out = m;
    if (remove) t.due = now + t.elapse;
    return true;
  }
  return false;
}

int time_to_next_timer() {
  DWORD now = display_clock_ms();
  long long best = -1;
  for (const Timer& t : desktop().timers) {
    long long u = until(t.due, now);
    if (u < 0) u = 0;
    if (best < 0 || u < best) best = u;
  }
  return static_cast<int>(best);
}

}  // namespace plat
