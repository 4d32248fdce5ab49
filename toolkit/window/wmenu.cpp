// wmenusetstate: the state applied by command id, else by the position
// path the menu companion record gives; the menu bar is redrawn when one
// of its own entries was greyed or enabled; a toolbar button of the same
// command follows.
#include "toolkit/window/wmenu.h"

#include <cstring>

#include "platform/user/menu/menu.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wtoolbar.h"

namespace tsd {

namespace {

plat::UINT stateflags(int type, int state) {
  if (type == 1) return state == 1 ? plat::MF_ENABLED : plat::MF_GRAYED;
  return state == 1 ? plat::MF_CHECKED : plat::MF_UNCHECKED;
}

bool apply(plat::HMENU menu, plat::UINT item, plat::UINT how, int type, int state) {
  const plat::UINT flags = how | stateflags(type, state);
  const plat::DWORD r = type == 1 ? plat::EnableMenuItem(menu, item, flags) : plat::CheckMenuItem(menu, item, flags);
  return r != plat::kMenuNotFound;
}

bool onbar(plat::HMENU bar, int id) {
  const int n = plat::GetMenuItemCount(bar);
  for (int i = 0; i < n; ++i)
    if (plat::GetMenuItemID(bar, i) == static_cast<plat::UINT>(id)) return true;
  return false;
}

}  // namespace

std::vector<int> yymenupath(const void* record, int size, int id) {
  std::vector<int> path;
  if (!record || size < 2 || id <= 0 || id > 65535) return path;
  const auto* bytes = static_cast<const unsigned char*>(record);
  const int words = size / 2;
  auto word = [&](int i) { return static_cast<int>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
  int i = 0;
  while (i < words) {
    const int item = word(i++);
    if (item == 0) break;
    std::vector<int> positions;
    while (i < words && word(i) != 0) positions.push_back(word(i++));
    if (i >= words) break;  // an entry without its end word: the record is cut short
    ++i;
    if (item == id) return positions;
  }
  return path;
}

bool yymenuitemof(plat::HMENU bar, const void* record, int size, int id, plat::HMENU& menu, int& position,
                  bool& onbar) {
  menu = nullptr;
  position = -1;
  onbar = false;
  std::vector<int> path = yymenupath(record, size, id);
  plat::HMENU m = path.empty() ? nullptr : bar;
  for (std::size_t k = 0; m && k + 1 < path.size(); ++k) m = plat::GetSubMenu(m, path[k] - 1);
  if (!m || path.back() < 1 || path.back() > plat::GetMenuItemCount(m)) return false;
  menu = m;
  position = path.back() - 1;
  onbar = path.size() == 1;
  return true;
}

bool yymenuonbar(plat::HMENU bar, int id) { return onbar(bar, id); }

void wmenusetstate(int id, int type, int state) {
  using namespace plat;
  if ((type != 1 && type != 2) || (state != 0 && state != 1)) return;
  HMENU bar = wsys.wRootMenu;
  bool found = false;
  bool baritem = false;
  if (bar && id >= 0 && apply(bar, static_cast<UINT>(id), MF_BYCOMMAND, type, state)) {
    found = true;
    baritem = onbar(bar, id);
  } else if (bar) {
    HMENU menu = nullptr;
    int position = 0;
    if (yymenuitemof(bar, wsys.hKRB, wsys.hKRBSize, id, menu, position, baritem) &&
        apply(menu, static_cast<UINT>(position), MF_BYPOSITION, type, state)) {
      found = true;
    } else {
      baritem = false;
    }
  }
  // The toolbar's button of the same command follows the menu.
  if (yytoolbarsetstate(id, type, state)) found = true;
  if (!found) {
    xxerror(kErrMenuItem);
    return;
  }
  if (type == 1 && baritem && wsys.slots[0].wWindow) {
    RedrawWindow(wsys.slots[0].wWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    DrawMenuBar(wsys.slots[0].wWindow);
  }
}

}  // namespace tsd
