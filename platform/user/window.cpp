// Window records: creation and destruction, the window tree, window data
// (GetWindowLongPtr, properties, text) and enabling.
#include <algorithm>
#include <cstring>

#include "platform/display/display.h"
#include "platform/gdi/objects.h"
#include "platform/user/controls/controls.h"
#include "platform/user/desktop.h"

namespace plat {

Desktop& desktop() {
  static Desktop d;
  return d;
}

BOOL IsWindow(HWND hwnd) {
  if (!hwnd) return FALSE;
  auto& all = desktop().all;
  return std::find(all.begin(), all.end(), hwnd) != all.end() && !hwnd->destroying;
}

bool is_top_level(HWND hwnd) { return hwnd && !(hwnd->style & WS_CHILD); }

HWND sibling_created_before(HWND hwnd) {
  const std::vector<HWND>& all = desktop().all;
  auto it = std::find(all.begin(), all.end(), hwnd);
  if (it == all.end()) return nullptr;
  while (it != all.begin()) {
    --it;
    if ((*it)->parent == hwnd->parent) return *it;
  }
  return nullptr;
}

HWND top_level_of(HWND hwnd) {
  while (hwnd && hwnd->parent) hwnd = hwnd->parent;
  return hwnd;
}

bool really_visible(HWND hwnd) {
  for (; hwnd; hwnd = hwnd->parent)
    if (!(hwnd->style & WS_VISIBLE)) return false;
  return true;
}

namespace {

void insert_top_level(HWND hwnd) {
  auto& v = desktop().top_level;
  auto pos = v.begin();
  if (!(hwnd->exstyle & WS_EX_TOPMOST))
    while (pos != v.end() && ((*pos)->exstyle & WS_EX_TOPMOST)) ++pos;
  v.insert(pos, hwnd);
}

void unlink(HWND hwnd) {
  auto drop = [hwnd](std::vector<HWND>& v) { v.erase(std::remove(v.begin(), v.end(), hwnd), v.end()); };
  drop(desktop().all);
  drop(desktop().top_level);
  drop(desktop().kept_on_top);
  if (hwnd->parent) drop(hwnd->parent->children);
}

}  // namespace

HWND CreateWindowExA(DWORD exstyle, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu_or_id, HINSTANCE instance,
                     void* param) {
  WindowClass* cls = find_class(class_name);
  if (!cls) {
    // The standard control classes exist from the first use on.
    ensure_standard_controls();
    cls = find_class(class_name);
  }
  if (!cls) return nullptr;
  if ((style & WS_CHILD) && !IsWindow(parent)) return nullptr;
  if (parent && !IsWindow(parent)) return nullptr;
  ensure_display();

  auto* w = new Window;
  w->cls = cls;
  w->proc = cls->proc;
  w->instance = instance;
  w->extra.assign(static_cast<std::size_t>(std::max(0, cls->extra_bytes)), 0);
  if (title) w->title = title;
  bool child = (style & WS_CHILD) != 0;
  if (!child && !(style & WS_POPUP)) style |= WS_CAPTION | WS_CLIPSIBLINGS;  // an overlapped window always has a caption
  w->style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  w->exstyle = exstyle;
  if (child) {
    w->parent = parent;
    w->id = reinterpret_cast<LONG_PTR>(menu_or_id);
  } else {
    w->owner = parent ? top_level_of(parent) : nullptr;
    w->menu = menu_or_id;
  }

  if (x == CW_USEDEFAULT) {
    if (child) {
      x = y = 0;
    } else {
      x = y = 32 + 24 * (desktop().cascade++ % 8);
    }
  }
  if (width == CW_USEDEFAULT) {
    if (child) {
      width = height = 0;
    } else {
      width = GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
      height = GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
    }
  }
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  w->rect = make_rect(x, y, x + width, y + height);
  w->normal_rect = w->rect;

  desktop().all.push_back(w);
  if (child) {
    parent->children.insert(parent->children.begin(), w);
  } else {
    insert_top_level(w);
    w->surface = std::make_unique<Surface>();
  }
  recompute_client(w);
  if (w->surface) fit_surface(w);

  CREATESTRUCTA cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu_or_id;
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = title;
  cs.lpszClass = class_name;
  cs.dwExStyle = exstyle;
  auto lp = reinterpret_cast<LPARAM>(&cs);
  if (!SendMessageA(w, WM_NCCREATE, 0, lp) || SendMessageA(w, WM_CREATE, 0, lp) == -1) {
    DestroyWindow(w);
    return nullptr;
  }
  if (!IsWindow(w)) return nullptr;
  w->created = true;
  RECT cr;
  GetClientRect(w, &cr);
  SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.right, cr.bottom));
  POINT org{w->rect.left + w->client.left, w->rect.top + w->client.top};
  SendMessageA(w, WM_MOVE, 0, MAKELPARAM(org.x, org.y));
  if (!IsWindow(w)) return nullptr;

  if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
    ShowWindow(w, (style & WS_MAXIMIZE) ? ((style & WS_VISIBLE) ? SW_SHOWMAXIMIZED : SW_MAXIMIZE)
                                        : SW_SHOWMINNOACTIVE);
    if (!(style & WS_VISIBLE) && IsWindow(w)) ShowWindow(w, SW_HIDE);
  } else if (style & WS_VISIBLE) {
    ShowWindow(w, SW_SHOW);
  }
  return IsWindow(w) ? w : nullptr;
}

namespace {

void send_destroy(HWND hwnd) {
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  std::vector<HWND> kids = hwnd->children;
  for (HWND c : kids)
    if (IsWindow(c)) send_destroy(c);
}

void final_release(HWND hwnd) {
  std::vector<HWND> kids = hwnd->children;
  for (HWND c : kids) final_release(c);
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  remove_timers_of(hwnd);
  remove_messages_of(hwnd);
  forget_dcs(hwnd);
  Desktop& d = desktop();
  if (d.capture == hwnd) d.capture = nullptr;
  if (d.focus == hwnd) d.focus = nullptr;
  if (d.active == hwnd) d.active = nullptr;
  if (d.dragging == hwnd) d.dragging = nullptr;
  if (d.last_click_window == hwnd) d.last_click_window = nullptr;
  for (auto& e : d.input)
    if (e.window == hwnd) e.window = nullptr;
  hwnd->destroying = true;
  unlink(hwnd);
  d.graveyard.push_back(hwnd);
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  if (hwnd->destroy_started) return TRUE;
  hwnd->destroy_started = true;
  Desktop& d = desktop();
  if (is_top_level(hwnd)) {
    // Owned windows go first.
    std::vector<HWND> owned;
    for (HWND w : d.top_level)
      if (w->owner == hwnd) owned.push_back(w);
    for (HWND w : owned) DestroyWindow(w);
  }
  if (!IsWindow(hwnd)) return TRUE;
  // Take it off the screen; the active window and the focus move on.
  if (hwnd->style & WS_VISIBLE) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!IsWindow(hwnd)) return TRUE;
  focus_lost_with(hwnd);
  if (hwnd->parent && !hwnd->parent->destroying) invalidate_client(hwnd->parent, nullptr, true, true);
  send_destroy(hwnd);
  if (!IsWindow(hwnd)) return TRUE;
  if (is_top_level(hwnd)) display_window_destroyed(hwnd);
  final_release(hwnd);
  tell_host_z_order();
  return TRUE;
}

void free_graveyard() {
  Desktop& d = desktop();
  if (d.send_depth > 0) return;
  for (Window* w : d.graveyard) delete w;
  d.graveyard.clear();
}

BOOL IsChild(HWND parent, HWND hwnd) {
  if (!IsWindow(parent) || !IsWindow(hwnd)) return FALSE;
  for (HWND p = hwnd->parent; p; p = p->parent)
    if (p == parent) return TRUE;
  return FALSE;
}

HWND GetParent(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return hwnd->parent ? hwnd->parent : hwnd->owner;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  if (!IsWindow(hwnd)) return nullptr;
  if (flags == GA_PARENT) return hwnd->parent;
  HWND top = top_level_of(hwnd);
  if (flags == GA_ROOTOWNER)
    while (top->owner) top = top->owner;
  return top;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  if (!IsWindow(hwnd)) return nullptr;
  if (cmd == GW_CHILD) return hwnd->children.empty() ? nullptr : hwnd->children.front();
  if (cmd == GW_OWNER) return hwnd->owner;
  const std::vector<HWND>& sib = hwnd->parent ? hwnd->parent->children : desktop().top_level;
  auto it = std::find(sib.begin(), sib.end(), hwnd);
  if (it == sib.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return sib.front();
    case GW_HWNDLAST: return sib.back();
    case GW_HWNDNEXT: return (it + 1 == sib.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == sib.begin()) ? nullptr : *(it - 1);
    default: return nullptr;
  }
}

HWND GetDlgItem(HWND parent, int id) {
  if (!IsWindow(parent)) return nullptr;
  // In creation order, the order of a dialog template.
  for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it)
    if ((*it)->id == id) return *it;
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) { return IsWindow(hwnd) ? static_cast<int>(hwnd->id) : 0; }

HWND FindWindowA(LPCSTR class_name, LPCSTR title) {
  for (HWND w : desktop().top_level) {
    if (class_name && find_class(class_name) != w->cls) continue;
    if (title && w->title != title) continue;
    return w;
  }
  return nullptr;
}

namespace {
bool enum_children(HWND parent, WNDENUMPROC proc, LPARAM param) {
  std::vector<HWND> kids(parent->children.rbegin(), parent->children.rend());
  for (HWND c : kids) {
    if (!IsWindow(c)) continue;
    if (!proc(c, param)) return false;
    if (!enum_children(c, proc, param)) return false;
  }
  return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  if (!IsWindow(parent) || !proc) return FALSE;
  enum_children(parent, proc, param);
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  std::vector<HWND> v = desktop().top_level;
  for (HWND w : v)
    if (IsWindow(w) && !proc(w, param)) break;
  return TRUE;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  if (!IsWindow(hwnd)) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(hwnd->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(hwnd->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(hwnd->parent ? hwnd->parent : hwnd->owner);
    case GWLP_ID: return hwnd->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(hwnd->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(hwnd->exstyle));
    case GWLP_USERDATA: return hwnd->user_data;
    default: break;
  }
  if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= hwnd->extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, hwnd->extra.data() + index, sizeof v);
    return v;
  }
  return 0;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  if (!IsWindow(hwnd)) return 0;
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value) hwnd->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE: hwnd->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_ID: hwnd->id = value; return old;
    case GWLP_USERDATA: hwnd->user_data = value; return old;
    case GWL_EXSTYLE: hwnd->exstyle = static_cast<DWORD>(value); return old;
    case GWL_STYLE: {
      // Visibility and enabling follow the bits at once; frame changes take
      // effect with SetWindowPos(SWP_FRAMECHANGED).
      DWORD keep = hwnd->style & (WS_MINIMIZE | WS_MAXIMIZE);
      hwnd->style = (static_cast<DWORD>(value) & ~(WS_MINIMIZE | WS_MAXIMIZE)) | keep;
      if (hwnd->parent) hwnd->style |= WS_CHILD;
      return old;
    }
    case GWLP_HWNDPARENT:
      if (!hwnd->parent) hwnd->owner = reinterpret_cast<HWND>(value);
      return old;
    default: break;
  }
  if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= hwnd->extra.size()) {
    std::memcpy(hwnd->extra.data() + index, &value, sizeof value);
    return old;
  }
  return 0;
}

namespace {
// Property names may be atoms (small integers) or strings.
std::string prop_key(LPCSTR name) {
  auto v = reinterpret_cast<std::uintptr_t>(name);
  if (v < 0x10000) return "#" + std::to_string(v);
  return name;
}
}  // namespace

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
  if (!IsWindow(hwnd) || !name) return FALSE;
  hwnd->props[prop_key(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hwnd, LPCSTR name) {
  if (!IsWindow(hwnd) || !name) return nullptr;
  auto it = hwnd->props.find(prop_key(name));
  return it == hwnd->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
  if (!IsWindow(hwnd) || !name) return nullptr;
  auto it = hwnd->props.find(prop_key(name));
  if (it == hwnd->props.end()) return nullptr;
  HANDLE h = it->second;
  hwnd->props.erase(it);
  return h;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  if (!IsWindow(hwnd) || !buffer || size <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL IsWindowEnabled(HWND hwnd) { return IsWindow(hwnd) && !(hwnd->style & WS_DISABLED); }
BOOL IsWindowVisible(HWND hwnd) { return IsWindow(hwnd) && really_visible(hwnd); }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  if (!IsWindow(hwnd)) return FALSE;
  BOOL was_disabled = (hwnd->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable && was_disabled) {
    hwnd->style &= ~WS_DISABLED;
    SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !was_disabled) {
    hwnd->style |= WS_DISABLED;
    Desktop& d = desktop();
    if (d.focus && (d.focus == hwnd || IsChild(hwnd, d.focus))) SetFocus(nullptr);
    if (d.capture && (d.capture == hwnd || IsChild(hwnd, d.capture))) ReleaseCapture();
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
  }
  return was_disabled;
}

HMENU GetMenu(HWND hwnd) { return (IsWindow(hwnd) && !hwnd->parent) ? hwnd->menu : nullptr; }

BOOL SetMenu(HWND hwnd, HMENU menu) {
  if (!IsWindow(hwnd) || hwnd->parent) return FALSE;
  hwnd->menu = menu;
  // The client shrinks or grows by the menu bar.
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

void desktop_reset() {
  Desktop& d = desktop();
  std::vector<HWND> tops = d.top_level;
  for (HWND w : tops)
    if (IsWindow(w)) DestroyWindow(w);
  d.send_depth = 0;
  free_graveyard();
  d.classes.clear();
  d.queue.clear();
  d.input.clear();
  d.timers.clear();
  d.quit_posted = false;
  d.quit_code = 0;
  d.active = d.focus = d.capture = nullptr;
  d.dragging = nullptr;
  d.last_click_window = nullptr;
  d.message_time = 0;
  std::memset(d.key_state, 0, sizeof d.key_state);
  std::memset(d.async_key_state, 0, sizeof d.async_key_state);
  d.cascade = 0;
  for (HBRUSH& b : d.sys_brushes) {
    if (b) DeleteObject(b);
    b = nullptr;
  }
  display_close();
}

}  // namespace plat
