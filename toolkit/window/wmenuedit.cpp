// Menu editing and floating menus on the root window's menu.
#include "toolkit/window/wmenuedit.h"

#include <string>
#include <vector>

#include "platform/user/menu/menu.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wmenu.h"
#include "toolkit/window/wresource.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wtoolbar.h"

namespace tsd {

namespace {

constexpr plat::UINT kStateBits = plat::MF_GRAYED | plat::MF_DISABLED | plat::MF_CHECKED;
constexpr plat::UINT kNoItem = static_cast<plat::UINT>(-1);
constexpr int kMaxText = 256;

// An entry of a menu: by command id, else (for popups) through a companion record.
struct Entry {
  plat::HMENU menu = nullptr;  // the menu that holds it
  int position = -1;
  bool onbar = false;
};

bool findentry(plat::HMENU bar, const void* record, int size, int id, Entry& e) {
  e = Entry{};
  if (!bar) return false;
  if (id > 0) {
    plat::HMENU owner = nullptr;
    const int position = yymngetpos(bar, id, owner);
    if (position >= 0) {
      e.menu = owner;
      e.position = position;
      e.onbar = owner == bar;
      return true;
    }
  }
  return yymenuitemof(bar, record, size, id, e.menu, e.position, e.onbar);
}

bool findroot(int id, Entry& e) { return findentry(wsys.wRootMenu, wsys.hKRB, wsys.hKRBSize, id, e); }

std::string textof(plat::HMENU menu, int position) {
  char buffer[kMaxText];
  const int n = plat::GetMenuStringA(menu, static_cast<plat::UINT>(position), buffer, kMaxText, plat::MF_BYPOSITION);
  return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

// Rewrites an entry with new state bits and text, keeping what it opens or sends.
void rewrite(const Entry& e, plat::UINT state, const std::string& text) {
  using namespace plat;
  const UINT pos = static_cast<UINT>(e.position);
  HMENU popup = GetSubMenu(e.menu, e.position);
  if (popup) {
    // Replacing an item by the same popup keeps the popup.
    ModifyMenuA(e.menu, pos, MF_BYPOSITION | MF_POPUP | (state & kStateBits), reinterpret_cast<UINT_PTR>(popup),
                text.c_str());
  } else {
    ModifyMenuA(e.menu, pos, MF_BYPOSITION | MF_STRING | (state & kStateBits), GetMenuItemID(e.menu, e.position),
                text.c_str());
  }
}

void redrawbar() {
  plat::HWND frame = wsys.slots[0].wWindow;
  if (frame) plat::DrawMenuBar(frame);
}

void freeroot() {
  plat::HWND frame = wsys.slots[0].wWindow;
  plat::HMENU old = wsys.wRootMenu;
  if (frame) plat::SetMenu(frame, nullptr);
  if (old && plat::IsMenu(old)) plat::DestroyMenu(old);
  if (wsys.wAccel) plat::DestroyAcceleratorTable(wsys.wAccel);
  wsys.wRootMenu = nullptr;
  wsys.wAccel = nullptr;
  wsys.hKRB = nullptr;
  wsys.hKRBSize = 0;
}

void copyitems(plat::HMENU menu, int depth) {
  using namespace plat;
  if (depth > kMaxMenuDepth) return;
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      copyitems(sub, depth + 1);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    const UINT own = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (id == 0 || id == kNoItem || (own & MF_SEPARATOR)) continue;
    Entry root;
    if (!findroot(static_cast<int>(id), root)) continue;
    const UINT state = GetMenuState(root.menu, static_cast<UINT>(root.position), MF_BYPOSITION);
    rewrite(Entry{menu, i, false}, state, textof(root.menu, root.position));
  }
}

}  // namespace

int yymngetpos(plat::HMENU menu, int id, plat::HMENU& owner) {
  using namespace plat;
  owner = nullptr;
  if (!menu || id <= 0) return -1;
  // Depth-first: the items in order, a popup searched where it stands.
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      const int found = yymngetpos(sub, id, owner);
      if (found >= 0) return found;
      continue;
    }
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (!(state & MF_SEPARATOR) && GetMenuItemID(menu, i) == static_cast<UINT>(id)) {
      owner = menu;
      return i;
    }
  }
  return -1;
}

void yymnconv(plat::HMENU menu) {
  using namespace plat;
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (state != kNoItem && (state & MF_GRAYED))
      EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED | MF_DISABLED);
    if (HMENU sub = GetSubMenu(menu, i)) yymnconv(sub);
  }
}

plat::HMENU yymnload(int id) {
  if (id <= 0) return nullptr;
  plat::HMENU menu = yyloadmenubar(id);
  if (menu) yymnconv(menu);
  return menu;
}

int yymnroot(int id) {
  plat::HWND frame = wsys.slots[0].wWindow;
  if (!frame) return -1;
  if (id == 0) {
    freeroot();
    return 0;
  }
  plat::HMENU menu = yymnload(id);
  if (!menu) return -1;
  freeroot();
  plat::SetMenu(frame, menu);
  wsys.wRootMenu = menu;
  wsys.wAccel = yyloadaccelerators(id);
  yymenucompanion(id, wsys.hKRB, wsys.hKRBSize);
  redrawbar();
  return 0;
}

void yymnmtch(plat::HMENU menu, const void* record, int size) {
  using namespace plat;
  if (!menu || !wsys.wRootMenu) return;
  copyitems(menu, 0);
  // Popups: the floating menu's record finds them in it, the root's in the root menu.
  if (!record || size < 2) return;
  const auto* bytes = static_cast<const unsigned char*>(record);
  const int words = size / 2;
  auto word = [&](int i) { return static_cast<int>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
  for (int i = 0; i < words;) {
    const int id = word(i++);
    if (id == 0) break;
    while (i < words && word(i) != 0) ++i;
    if (i >= words) break;
    ++i;
    Entry here, root;
    if (!yymenuitemof(menu, record, size, id, here.menu, here.position, here.onbar)) continue;
    if (!GetSubMenu(here.menu, here.position)) continue;
    if (!yymenuitemof(wsys.wRootMenu, wsys.hKRB, wsys.hKRBSize, id, root.menu, root.position, root.onbar)) continue;
    const UINT state = GetMenuState(root.menu, static_cast<UINT>(root.position), MF_BYPOSITION);
    rewrite(here, state, textof(root.menu, root.position));
  }
}

int yymnflot(int id, int x, int y) {
  using namespace plat;
  HMENU menu = yymnload(id);
  if (!menu) return -1;
  HMENU popup = GetSubMenu(menu, 0);
  const WindowSlot& slot = wsys.slots[wsys.wIndex];
  HWND owner = slot.wWindow ? slot.wWindow : wsys.slots[0].wWindow;
  HWND client = slot.hClient ? slot.hClient : wsys.slots[0].hClient;
  if (!popup || !owner) {
    DestroyMenu(menu);
    return -1;
  }
  const void* record = nullptr;
  int size = 0;
  yymenucompanion(id, record, size);
  yymnmtch(menu, record, size);
  POINT p{x, y};
  ClientToScreen(client, &p);
  TrackPopupMenu(popup, TPM_LEFTALIGN, p.x, p.y, 0, owner, nullptr);
  DestroyMenu(menu);
  return 0;
}

int yymntext(int id, std::string_view text) {
  Entry e;
  if (!findroot(id, e)) return -1;
  const plat::UINT state = plat::GetMenuState(e.menu, static_cast<plat::UINT>(e.position), plat::MF_BYPOSITION);
  rewrite(e, state, std::string(trimmed(text)));
  if (e.onbar) redrawbar();
  return 0;
}

int yymngflg(int id, int type, int& state) {
  if (type != 1 && type != 2) return -1;
  Entry e;
  if (findroot(id, e)) {
    const plat::UINT s = plat::GetMenuState(e.menu, static_cast<plat::UINT>(e.position), plat::MF_BYPOSITION);
    if (type == 1) state = (s & (plat::MF_GRAYED | plat::MF_DISABLED)) ? 0 : 1;
    else state = (s & plat::MF_CHECKED) ? 1 : 0;
    return 0;
  }
  return yytoolbarstate(id, type, state) ? 0 : -1;
}

int yymndel(int id) {
  Entry e;
  if (!findroot(id, e)) return -1;
  plat::DeleteMenu(e.menu, static_cast<plat::UINT>(e.position), plat::MF_BYPOSITION);
  if (e.onbar) redrawbar();
  return 0;
}

int yymnins(int id, int offset, int newid, std::string_view text) {
  using namespace plat;
  Entry e;
  if (!findroot(id, e)) return -1;
  const int count = GetMenuItemCount(e.menu);
  long long at = static_cast<long long>(e.position) + offset;
  if (at < 0) at = 0;
  if (at > count) at = count;
  const std::string t(trimmed(text));
  const UINT flags = MF_BYPOSITION | (newid == 0 ? MF_SEPARATOR : MF_STRING);
  if (!InsertMenuA(e.menu, static_cast<UINT>(at), flags, static_cast<UINT_PTR>(newid > 0 ? newid : 0), t.c_str()))
    return -1;
  if (e.onbar) redrawbar();
  return 0;
}

}  // namespace tsd
