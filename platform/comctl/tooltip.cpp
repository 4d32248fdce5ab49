// Tooltips ("tooltips_class32"): a list of tools (a rectangle of a window
// each), a timer that notices when the pointer has rested over one, and a
// small topmost window that shows the tool's text below the pointer.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/display/display.h"
#include "platform/kernel/resources.h"
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

constexpr UINT_PTR kRestTimer = 1;
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kWatchMs = 100;
constexpr int kPadding = 3;
constexpr int kBelowPointer = 20;
constexpr std::size_t kMaxTools = 512;

struct Tool {
  HWND owner = nullptr;
  UINT_PTR id = 0;
  RECT rect;
  bool callback = false;
  std::string text;
};

struct Tooltip {
  std::vector<Tool> tools;
  bool active = true;
  int hot = -1;       // tool under the pointer, waiting for the delay
  int shown = -1;     // tool whose text is shown
  std::string text;   // the text shown
};

int find_tool(const Tooltip* t, HWND owner, UINT_PTR id) {
  for (std::size_t i = 0; i < t->tools.size(); ++i)
    if (t->tools[i].owner == owner && t->tools[i].id == id) return static_cast<int>(i);
  return -1;
}

// The tool under a screen point, or -1.
int tool_at(const Tooltip* t, POINT screen) {
  for (std::size_t i = 0; i < t->tools.size(); ++i) {
    const Tool& tool = t->tools[i];
    if (!IsWindow(tool.owner) || !IsWindowVisible(tool.owner)) continue;
    POINT p = screen;
    ScreenToClient(tool.owner, &p);
    if (PtInRect(&tool.rect, p)) return static_cast<int>(i);
  }
  return -1;
}

// The tool's text: stored, or asked of the tool's window.
std::string text_of(HWND tip, const Tool& tool) {
  if (!tool.callback) return tool.text;
  NMTTDISPINFOA info;
  info.hdr.hwndFrom = tip;
  info.hdr.idFrom = tool.id;
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
  info.szText[sizeof info.szText - 1] = '\0';
  if (info.hinst && info.lpszText && reinterpret_cast<std::uintptr_t>(info.lpszText) <= 0xFFFF) {
    char buffer[kMaxTooltipText];
    int n = LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(info.lpszText)), buffer,
                        static_cast<int>(sizeof buffer));
    return std::string(buffer, static_cast<std::size_t>(std::max(n, 0)));
  }
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA) {
    const char* s = info.lpszText;
    std::size_t n = 0;
    while (n < static_cast<std::size_t>(kMaxTooltipText) && s[n]) ++n;
    return std::string(s, n);
  }
  return std::string(info.szText);
}

void hide(HWND h, Tooltip* t) {
  KillTimer(h, kWatchTimer);
  if (t->shown >= 0 && IsWindowVisible(h)) ShowWindow(h, SW_HIDE);
  t->shown = -1;
}

void show(HWND h, Tooltip* t, int index, POINT screen) {
  std::string text = text_of(h, t->tools[static_cast<std::size_t>(index)]);
  if (text.empty()) return;
  t->text = text;
  t->shown = index;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(nullptr));
  SIZE size = draw_text(dc, RECT{0, 0, 4096, 4096}, text, kMeasure);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  const int w = size.cx + 2 * kPadding + 2;
  const int ht = size.cy + 2 * kPadding;
  // Below the pointer, kept on the screen.
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  int x = std::clamp(static_cast<int>(screen.x), 0, std::max(0, sw - w));
  int y = screen.y + kBelowPointer;
  if (y + ht > sh) y = std::max(0, static_cast<int>(screen.y) - ht - 2);
  SetWindowPos(h, HWND_TOPMOST, x, y, w, ht, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(h, nullptr, TRUE);
  SetTimer(h, kWatchTimer, kWatchMs, nullptr);
  script_log("tooltip shown: \"" + text + "\"");
}

void relay(HWND h, Tooltip* t, const MSG* m) {
  if (!m || !t->active) return;
  if (m->message == WM_LBUTTONDOWN || m->message == WM_RBUTTONDOWN || m->message == WM_MBUTTONDOWN) {
    KillTimer(h, kRestTimer);
    t->hot = -1;
    hide(h, t);
    return;
  }
  if (m->message != WM_MOUSEMOVE) return;
  POINT screen{static_cast<LONG>(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(m->lParam)))),
               static_cast<LONG>(static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(m->lParam))))};
  ClientToScreen(m->hwnd, &screen);
  const int index = tool_at(t, screen);
  if (index == t->shown && index >= 0) return;
  if (t->shown >= 0) hide(h, t);
  if (index != t->hot) {
    t->hot = index;
    KillTimer(h, kRestTimer);
    if (index >= 0) SetTimer(h, kRestTimer, kTooltipDelayMs, nullptr);
  }
}

void timer(HWND h, Tooltip* t, UINT_PTR id) {
  POINT screen;
  GetCursorPos(&screen);
  const int index = tool_at(t, screen);
  if (id == kRestTimer) {
    KillTimer(h, kRestTimer);
    if (index >= 0 && index == t->hot && t->active) show(h, t, index, screen);
    return;
  }
  // While shown: the pointer leaving the tool (even out of its window) hides it.
  if (index != t->shown) {
    hide(h, t);
    t->hot = -1;
  }
}

void paint(HWND h, Tooltip* t) {
  PaintScope ps(h, nullptr);
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_INFOBK));
  const COLORREF edge = sys_colour(COLOR_WINDOWFRAME);
  hline(dc, c.left, c.right, c.top, edge);
  hline(dc, c.left, c.right, c.bottom - 1, edge);
  vline(dc, c.left, c.top, c.bottom, edge);
  vline(dc, c.right - 1, c.top, c.bottom, edge);
  SetTextColor(dc, sys_colour(COLOR_INFOTEXT));
  SetBkMode(dc, TRANSPARENT);
  draw_text(dc, RECT{c.left + kPadding + 1, c.top + kPadding, c.right - kPadding, c.bottom - kPadding}, t->text, kLeft);
}

bool tool_from(LPARAM lp, Tool* out) {
  const auto* info = reinterpret_cast<const TOOLINFOA*>(lp);
  if (!info) return false;
  out->owner = info->hwnd;
  out->id = info->uId;
  out->rect = info->rect;
  out->callback = info->lpszText == LPSTR_TEXTCALLBACKA;
  if (!out->callback && info->lpszText) {
    std::size_t n = 0;
    while (n < static_cast<std::size_t>(kMaxTooltipText) && info->lpszText[n]) ++n;
    out->text.assign(info->lpszText, n);
  }
  return true;
}

LRESULT tooltip_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Tooltip>(h);
  Tooltip* t = state_of<Tooltip>(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Tooltip>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, t); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_TIMER: timer(h, t, wp); return 0;
    case TTM_ACTIVATE:
      t->active = wp != 0;
      if (!t->active) hide(h, t);
      return 0;
    case TTM_ADDTOOLA: {
      Tool tool;
      if (!tool_from(lp, &tool) || t->tools.size() >= kMaxTools) return FALSE;
      const int at = find_tool(t, tool.owner, tool.id);
      if (at >= 0) t->tools[static_cast<std::size_t>(at)] = tool;
      else t->tools.push_back(tool);
      return TRUE;
    }
    case TTM_DELTOOLA: {
      Tool tool;
      if (!tool_from(lp, &tool)) return 0;
      const int at = find_tool(t, tool.owner, tool.id);
      if (at < 0) return 0;
      if (t->shown >= 0) hide(h, t);
      t->hot = -1;
      t->tools.erase(t->tools.begin() + at);
      return 0;
    }
    case TTM_NEWTOOLRECTA: {
      Tool tool;
      if (!tool_from(lp, &tool)) return 0;
      const int at = find_tool(t, tool.owner, tool.id);
      if (at >= 0) t->tools[static_cast<std::size_t>(at)].rect = tool.rect;
      return 0;
    }
    case TTM_UPDATETIPTEXTA: {
      Tool tool;
      if (!tool_from(lp, &tool)) return 0;
      const int at = find_tool(t, tool.owner, tool.id);
      if (at >= 0) {
        Tool& target = t->tools[static_cast<std::size_t>(at)];
        target.callback = tool.callback;
        target.text = tool.text;
      }
      return 0;
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(t->tools.size());
    case TTM_RELAYEVENT: relay(h, t, reinterpret_cast<const MSG*>(lp)); return 0;
    case TTM_POP:
      KillTimer(h, kRestTimer);
      t->hot = -1;
      hide(h, t);
      return 0;
    case WM_GETTEXT: {
      // The text shown (empty while hidden).
      const std::string& s = t->shown >= 0 ? t->text : std::string();
      if (!lp || wp == 0) return 0;
      const std::size_t n = std::min(s.size(), static_cast<std::size_t>(wp) - 1);
      std::copy_n(s.data(), n, reinterpret_cast<char*>(lp));
      reinterpret_cast<char*>(lp)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_tooltip_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &probe)) return;
  ctl::register_control_class(TOOLTIPS_CLASSA, tooltip_proc, 0);
}

}  // namespace plat
