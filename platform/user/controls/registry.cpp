// The standard control classes, the dialog font and the clipboard (the
// display's: the host's on a desktop, the headless display's own).
#include "platform/comctl/comctl.h"
#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/controls/controls.h"

namespace plat {

void register_button_class();
void register_static_class();
void register_edit_class();
void register_listbox_class();
void register_combobox_class();

void ensure_standard_controls() {
  // The common controls are there from the first lookup too, as the
  // programs' frames create their status bars by class name.
  register_common_control_classes();
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, "BUTTON", &probe)) return;
  register_button_class();
  register_static_class();
  register_edit_class();
  register_listbox_class();
  register_combobox_class();
}

HFONT default_dialog_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void clipboard_set_text(const std::string& text) { display_clipboard_set(text); }
std::string clipboard_text() { return display_clipboard_text(); }

}  // namespace plat
