// Where the scripted user finds dialog controls: by id or by their text.
#include <strings.h>

#include "platform/user/desktop.h"
#include "platform/user/dialog/dialog_private.h"

namespace plat {
namespace {

struct Search {
  int id;
  std::string text;
  HWND parent = nullptr;  // when set, only its own children are looked at
  HWND found = nullptr;
};

BOOL match(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(h)) return TRUE;
  if (s->parent && GetParent(h) != s->parent) return TRUE;
  bool ok = s->id >= 0 ? GetDlgCtrlID(h) == s->id
                       : strcasecmp(ctl::strip_prefix(ctl::window_text(h)).c_str(), ctl::strip_prefix(s->text).c_str()) == 0;
  if (ok && !s->found) s->found = h;
  return s->found ? FALSE : TRUE;
}

}  // namespace

bool script_control_point(HWND top, int id, const std::string& text, POINT* frame_pt) {
  if (!IsWindow(top) || !frame_pt) return false;
  // The window's own controls first: a drop-down combo box's field has id
  // 1001 of its own, which must not stand for the dialog's control 1001.
  Search s{id, text, top};
  EnumChildWindows(top, match, reinterpret_cast<LPARAM>(&s));
  if (!s.found) {
    s.parent = nullptr;
    EnumChildWindows(top, match, reinterpret_cast<LPARAM>(&s));
  }
  if (!s.found) return false;
  RECT c;
  GetClientRect(s.found, &c);
  POINT p{(c.right - c.left) / 2, (c.bottom - c.top) / 2};
  // An editable combo box is aimed at its field, not its button.
  if (ctl::style_of(s.found) & 0x2 && strcasecmp(dlg::class_of(s.found).c_str(), "COMBOBOX") == 0) p.x = c.right / 3;
  POINT o = client_origin_on_screen(s.found);
  RECT tr = window_rect_on_screen(top);
  frame_pt->x = o.x + p.x - tr.left;
  frame_pt->y = o.y + p.y - tr.top;
  return true;
}

}  // namespace plat
