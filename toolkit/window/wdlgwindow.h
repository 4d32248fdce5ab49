// The window-system side of the dialog manager, shared by its files: the
// dialog procedures, the setup of a new dialog window's controls and the
// copying of fields between the loaded and the modal instance.
#pragma once

#include <optional>

#include "platform/kernel/resources.h"
#include "platform/user/dialog/dialog.h"

namespace tsd {

// The template of dialog `id` from the program's resources.
std::optional<plat::DialogTemplate> yydialogtemplate(int id);

// Procedures of the loaded (and modeless) instance and of the modal instance.
plat::INT_PTR yydialogproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam);
plat::INT_PTR yymodalproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam);

// Every control of a new dialog window: a field record, edit fields
// subclassed, check boxes and radio buttons made automatic.
void yysetupcontrols(plat::HWND dlg);
// Puts back every control's own procedure and frees its field record.
void yyreleasecontrols(plat::HWND dlg);
// Copies title and fields of `from` into `to` (same template).
void yycopyfields(plat::HWND from, plat::HWND to);

// What the modal instance needs at its creation: entry index, place and
// focus field.
struct ModalStart {
  int entry = 0;
  int x = -1;
  int y = -1;
  int focusfield = 0;
  bool child = false;
};
extern ModalStart wModalStart;

// Place a dialog: -1 on an axis centres it on the screen (or on the root
// client for a child dialog).
void yyplacedialog(plat::HWND dlg, int x, int y, bool child);
// Focus a field of a dialog and select all its text; false when it does not exist.
bool yyfocusfield(plat::HWND dlg, int field);

bool yyispushbutton(plat::HWND control);
bool yyisautoradio(plat::HWND control);

}  // namespace tsd
