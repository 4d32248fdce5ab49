// Menu records: creation, loading, states; accelerator tables.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/user/controls/control_common.h"
#include "platform/user/menu/menu_private.h"

struct plat::AcceleratorTable {
  std::vector<plat::AcceleratorTemplate> entries;
};

namespace plat {
namespace menu {
namespace {
// Live menus, so a stale handle is refused rather than followed. The
// tables live as long as the process (menus not destroyed by their program
// stay reachable through them to the end).
std::set<HMENU>& live() {
  static auto* s = new std::set<HMENU>;
  return *s;
}
std::set<HACCEL>& live_accels() {
  static auto* s = new std::set<HACCEL>;
  return *s;
}
HMENU make(bool popup) {
  HMENU m = new Menu();
  m->is_popup = popup;
  live().insert(m);
  return m;
}
Menu::Item* by_command(HMENU m, UINT id, int depth) {
  if (!valid(m) || depth > kMaxMenuDepth) return nullptr;
  for (Menu::Item& it : m->items) {
    if (it.popup) {
      if (Menu::Item* f = by_command(it.popup, id, depth + 1)) return f;
    } else if (!(it.flags & MF_SEPARATOR) && it.id == id) {
      return &it;
    }
  }
  return nullptr;
}
HMENU from_template(const std::vector<MenuItemTemplate>& items, bool popup) {
  HMENU m = make(popup);
  for (const MenuItemTemplate& t : items) {
    Menu::Item it;
    it.flags = t.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
    it.id = t.id;
    it.text = t.text;
    if (t.popup()) it.popup = from_template(t.items, true);
    m->items.push_back(it);
  }
  return m;
}
}  // namespace

bool valid(HMENU m) { return m && live().count(m) != 0; }

Menu::Item* find_item(HMENU m, UINT item, UINT flags) {
  if (!valid(m)) return nullptr;
  if (flags & MF_BYPOSITION) return item < m->items.size() ? &m->items[item] : nullptr;
  return by_command(m, item, 0);
}

bool item_greyed(const Menu::Item& it) { return (it.flags & (MF_GRAYED | MF_DISABLED)) != 0; }

bool make_item(UINT flags, UINT_PTR id_or_popup, LPCSTR text, Menu::Item* it) {
  *it = Menu::Item{};
  it->flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
  if (flags & MF_POPUP) {
    it->popup = reinterpret_cast<HMENU>(id_or_popup);
    if (!valid(it->popup)) return false;
    it->popup->is_popup = true;
  } else {
    it->id = static_cast<UINT>(id_or_popup);
  }
  if (text && !(flags & MF_SEPARATOR)) it->text = text;
  return true;
}

}  // namespace menu

using namespace menu;

HMENU CreateMenu() { return make(false); }
HMENU CreatePopupMenu() { return make(true); }
BOOL IsMenu(HMENU m) { return valid(m) ? TRUE : FALSE; }

BOOL DestroyMenu(HMENU m) {
  if (!valid(m)) return FALSE;
  for (Menu::Item& it : m->items)
    if (it.popup) DestroyMenu(it.popup);
  live().erase(m);
  delete m;
  return TRUE;
}

BOOL AppendMenuA(HMENU m, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  if (!valid(m)) return FALSE;
  Menu::Item it;
  if (!make_item(flags, id_or_popup, text, &it)) return FALSE;
  m->items.push_back(it);
  return TRUE;
}

HMENU LoadMenuIndirectA(const MenuTemplate& t) { return from_template(t.items, false); }

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
  auto module = reinterpret_cast<HMODULE>(instance);
  HRSRC r = FindResourceA(module, name, RT_MENU);
  if (!r) return nullptr;
  const void* data = LockResource(LoadResource(module, r));
  if (!data) return nullptr;
  std::optional<MenuTemplate> t = decode_menu(std::span<const BYTE>(static_cast<const BYTE*>(data), SizeofResource(module, r)));
  return t ? LoadMenuIndirectA(*t) : nullptr;
}

HMENU GetSubMenu(HMENU m, int pos) {
  if (!valid(m) || pos < 0 || pos >= static_cast<int>(m->items.size())) return nullptr;
  return m->items[static_cast<std::size_t>(pos)].popup;
}

int GetMenuItemCount(HMENU m) { return valid(m) ? static_cast<int>(m->items.size()) : -1; }

UINT GetMenuItemID(HMENU m, int pos) {
  if (!valid(m) || pos < 0 || pos >= static_cast<int>(m->items.size())) return static_cast<UINT>(-1);
  const Menu::Item& it = m->items[static_cast<std::size_t>(pos)];
  return it.popup ? static_cast<UINT>(-1) : it.id;
}

UINT GetMenuState(HMENU m, UINT item, UINT flags) {
  Menu::Item* it = find_item(m, item, flags);
  return it ? it->flags : static_cast<UINT>(-1);
}

int GetMenuStringA(HMENU m, UINT item, LPSTR buffer, int size, UINT flags) {
  Menu::Item* it = find_item(m, item, flags);
  if (!it) return 0;
  if (!buffer || size <= 0) return static_cast<int>(it->text.size());
  int n = std::min(static_cast<int>(it->text.size()), size - 1);
  std::memcpy(buffer, it->text.data(), static_cast<std::size_t>(n));
  buffer[n] = 0;
  return n;
}

DWORD EnableMenuItem(HMENU m, UINT item, UINT flags) {
  Menu::Item* it = find_item(m, item, flags);
  if (!it) return kMenuNotFound;
  DWORD before = it->flags & (MF_GRAYED | MF_DISABLED);
  it->flags = (it->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return before;
}

DWORD CheckMenuItem(HMENU m, UINT item, UINT flags) {
  Menu::Item* it = find_item(m, item, flags);
  if (!it) return kMenuNotFound;
  DWORD before = it->flags & MF_CHECKED;
  it->flags = (it->flags & ~static_cast<UINT>(MF_CHECKED)) | (flags & MF_CHECKED);
  return before;
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!IsWindow(hwnd) || !GetMenu(hwnd)) return FALSE;
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return TRUE;
}

// ---- System menus ------------------------------------------------------------

namespace {
struct SystemMenu {
  HWND hwnd;
  HMENU menu;
};
std::vector<SystemMenu>& system_menus() {
  static auto* v = new std::vector<SystemMenu>;
  return *v;
}
}  // namespace

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  std::vector<SystemMenu>& v = system_menus();
  // Menus of windows that are gone are freed here.
  for (std::size_t i = 0; i < v.size();) {
    if (!IsWindow(v[i].hwnd) || (revert && v[i].hwnd == hwnd)) {
      DestroyMenu(v[i].menu);
      v.erase(v.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  if (!IsWindow(hwnd) || revert) return nullptr;
  for (const SystemMenu& s : v)
    if (s.hwnd == hwnd) return s.menu;
  HMENU m = CreatePopupMenu();
  AppendMenuA(m, MF_STRING, SC_RESTORE, "&Restore");
  AppendMenuA(m, MF_STRING, SC_MOVE, "&Move");
  AppendMenuA(m, MF_STRING, SC_SIZE, "&Size");
  AppendMenuA(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
  AppendMenuA(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
  AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(m, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
  v.push_back(SystemMenu{hwnd, m});
  return m;
}

// ---- Accelerators ----------------------------------------------------------

HACCEL CreateAcceleratorTableA(const std::vector<AcceleratorTemplate>& entries) {
  auto* t = new AcceleratorTable{entries};
  live_accels().insert(t);
  return t;
}

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  auto module = reinterpret_cast<HMODULE>(instance);
  HRSRC r = FindResourceA(module, name, RT_ACCELERATOR);
  if (!r) return nullptr;
  const void* data = LockResource(LoadResource(module, r));
  if (!data) return nullptr;
  auto t = decode_accelerators(std::span<const BYTE>(static_cast<const BYTE*>(data), SizeofResource(module, r)));
  return t ? CreateAcceleratorTableA(*t) : nullptr;
}

BOOL DestroyAcceleratorTable(HACCEL t) {
  if (!live_accels().count(t)) return FALSE;
  live_accels().erase(t);
  delete t;
  return TRUE;
}

int TranslateAcceleratorA(HWND hwnd, HACCEL t, MSG* msg) {
  if (!msg || !IsWindow(hwnd) || !live_accels().count(t)) return 0;
  bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool chr = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key && !chr) return 0;
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  bool alt = msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR || GetKeyState(VK_MENU) < 0;
  for (const AcceleratorTemplate& a : t->entries) {
    bool match = false;
    if (a.flags & FVIRTKEY) {
      match = key && msg->wParam == a.key && shift == ((a.flags & FSHIFT) != 0) &&
              ctrl == ((a.flags & FCONTROL) != 0) && alt == ((a.flags & FALT) != 0);
    } else {
      match = chr && msg->wParam == a.key && alt == ((a.flags & FALT) != 0);
    }
    if (!match) continue;
    // A greyed menu item gives no command, from its accelerator neither.
    Menu::Item* it = find_item(GetMenu(hwnd), a.id, MF_BYCOMMAND);
    if (it && item_greyed(*it)) return 1;
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(a.id, 1), 0);
    return 1;
  }
  return 0;
}

// ---- Scripted user ----------------------------------------------------------

namespace {
bool steps_to(HMENU m, int id, const std::vector<std::string>& path, std::size_t level, std::vector<int>* steps,
              int depth) {
  if (!valid(m) || depth > kMaxMenuDepth) return false;
  int selectable = 0;
  for (Menu::Item& it : m->items) {
    if (it.flags & MF_SEPARATOR) continue;
    bool here = false;
    if (id >= 0) {
      here = !it.popup && it.id == static_cast<UINT>(id);
    } else if (level < path.size()) {
      here = strcasecmp(ctl::strip_prefix(it.text).c_str(), ctl::strip_prefix(path[level]).c_str()) == 0 ||
             strcasecmp(ctl::strip_prefix(it.text.substr(0, it.text.find('\t'))).c_str(),
                        ctl::strip_prefix(path[level]).c_str()) == 0;
    }
    steps->push_back(selectable);
    if (here && (id >= 0 || level + 1 == path.size())) return true;
    if (it.popup && (id >= 0 || here) && steps_to(it.popup, id, path, level + 1, steps, depth + 1)) return true;
    steps->pop_back();
    ++selectable;
  }
  return false;
}
}  // namespace

bool script_menu_steps(HWND top, int id, const std::string& path, std::vector<int>* steps) {
  HMENU bar = GetMenu(top);
  if (!valid(bar) || !steps) return false;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (id < 0 && start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  steps->clear();
  return steps_to(bar, id, parts, 0, steps, 0);
}

}  // namespace plat
