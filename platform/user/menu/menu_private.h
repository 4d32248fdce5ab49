// The menu record behind an HMENU, shared by the menu files.
#pragma once

#include <memory>

#include "platform/user/menu/menu.h"

struct plat::Menu {
  struct Item {
    UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
    UINT id = 0;
    std::string text;
    HMENU popup = nullptr;
  };
  std::vector<Item> items;
  bool is_popup = false;
};

namespace plat::menu {
bool valid(HMENU m);
// Find an item by command (any depth) or by position.
Menu::Item* find_item(HMENU m, UINT item, UINT flags);
bool item_greyed(const Menu::Item& it);
// An item from AppendMenuA-style arguments; false for a popup handle that is no menu.
bool make_item(UINT flags, UINT_PTR id_or_popup, LPCSTR text, Menu::Item* it);
}  // namespace plat::menu
