// What the dialog files share: the state record of a dialog window.
#pragma once

#include <string>

#include "platform/user/controls/control_common.h"
#include "platform/user/dialog/dialog.h"

namespace plat::dlg {

struct DialogState {
  DLGPROC proc = nullptr;
  HFONT font = nullptr;
  bool own_font = false;
  int base_x = 6;  // horizontal base unit: average character width
  int base_y = 13; // vertical base unit: character height
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND saved_focus = nullptr;  // the control to focus when the dialog is activated
  int def_id = 0;              // set by DM_SETDEFID (0: the BS_DEFPUSHBUTTON control)
  bool logged = false;
};

inline constexpr int kStateOffset = 3 * sizeof(LONG_PTR);
DialogState* state_of(HWND dlg);
bool is_dialog(HWND hwnd);
// The child of `dlg` that holds `hwnd` (itself or an ancestor), or null.
HWND dialog_child_of(HWND dlg, HWND hwnd);
// Focus a control the way keyboard navigation does: edit text selected,
// the default push button following the focus.
void focus_control(HWND dlg, HWND ctl);
std::string class_of(HWND hwnd);
// The line the log gets when a dialog is shown.
void log_dialog(HWND dlg);

}  // namespace plat::dlg
