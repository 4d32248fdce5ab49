// Menu editing: inserting, deleting, removing and replacing items, by
// command at any depth or by position.
#include "platform/user/menu/menu_private.h"

namespace plat {
namespace {

// The menu that holds the item and the item's index in it.
bool locate(HMENU m, UINT item, UINT flags, int depth, HMENU* owner, std::size_t* index) {
  if (!menu::valid(m) || depth > kMaxMenuDepth) return false;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return false;
    *owner = m;
    *index = item;
    return true;
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    const Menu::Item& it = m->items[i];
    if (it.popup) {
      if (locate(it.popup, item, flags, depth + 1, owner, index)) return true;
    } else if (!(it.flags & MF_SEPARATOR) && it.id == item) {
      *owner = m;
      *index = i;
      return true;
    }
  }
  return false;
}

BOOL take_out(HMENU m, UINT position, UINT flags, bool destroy) {
  HMENU owner = nullptr;
  std::size_t index = 0;
  if (!locate(m, position, flags, 0, &owner, &index)) return FALSE;
  HMENU popup = owner->items[index].popup;
  owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
  if (destroy && popup) DestroyMenu(popup);
  return TRUE;
}

}  // namespace

BOOL InsertMenuA(HMENU m, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  if (!menu::valid(m)) return FALSE;
  Menu::Item it;
  if (!menu::make_item(flags, id_or_popup, text, &it)) return FALSE;
  HMENU owner = m;
  std::size_t index = m->items.size();
  if (!locate(m, position, flags, 0, &owner, &index)) {
    // A position past the end appends; a command that is not there fails.
    if (!(flags & MF_BYPOSITION)) return FALSE;
    owner = m;
    index = m->items.size();
  }
  owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(index), it);
  return TRUE;
}

BOOL DeleteMenu(HMENU m, UINT position, UINT flags) { return take_out(m, position, flags, true); }

BOOL RemoveMenu(HMENU m, UINT position, UINT flags) { return take_out(m, position, flags, false); }

BOOL ModifyMenuA(HMENU m, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
  HMENU owner = nullptr;
  std::size_t index = 0;
  if (!locate(m, position, flags, 0, &owner, &index)) return FALSE;
  Menu::Item it;
  if (!menu::make_item(flags, id_or_popup, text, &it)) return FALSE;
  Menu::Item& old = owner->items[index];
  // A popup replaced by something else is destroyed, as Windows does.
  if (old.popup && old.popup != it.popup) DestroyMenu(old.popup);
  old = it;
  return TRUE;
}

}  // namespace plat
