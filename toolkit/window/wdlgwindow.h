// The window-system side of the dialog manager, shared by its files: the
// dialog procedures, the setup of a new dialog window's controls and the
// copying of fields between the loaded and the modal instance.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel/resources.h"
#include "platform/user/dialog/dialog.h"

namespace tsd {

struct FieldRecord;

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

// The class name of a control in upper case ("BUTTON", "MSCTLS_TRACKBAR32").
std::string yyfieldclass(plat::HWND control);
// The kind of a control (the kField* numbers of wdlgfield.h) by its class
// and style.
int yyfieldkind(plat::HWND control);
// The controls of a dialog in window order.
std::vector<plat::HWND> yycontrols(plat::HWND dlg);
// The text of a control (up to 65535 characters).
std::string yyfieldtext(plat::HWND control);
// The radio group of a control: from the nearest control at or before it
// with the group style up to the one before the next; automatic radio
// buttons only.
std::vector<plat::HWND> yyradiogroup(plat::HWND dlg, plat::HWND control);
// The current dialog's window, null when none is current.
plat::HWND yycurrentdialogwindow();
// The id of labels that have none of their own; it names no field.
inline constexpr int kNoFieldId = -1;
// Field `field` of the current dialog, of one of `kinds` when any are
// given: the one lookup of a field that every field routine makes. Null
// (and field = -1) when there is no current dialog, no such field, or one
// of another kind.
plat::HWND yyfieldof(int& field, std::initializer_list<int> kinds = {});
// The field record of field `field` of the current dialog; null (and
// field = -1) when there is none.
FieldRecord* yyfieldrecordof(int& field);
// Sets an image on a button or static and keeps it in the field record
// (owned: deleted with the field, or when another image replaces it).
void yysetfieldimage(plat::HWND control, plat::HGDIOBJ image, int kind, bool owned);
// The colours a control asks its dialog for (WM_CTLCOLOR*): the field
// record's colours when set; null when the default colours apply.
plat::HBRUSH yyfieldcolours(plat::HWND control, plat::HDC dc, plat::UINT msg);
// Gives up a dialog graphics field that lies in `dlg` (or is it): its
// context is released and the window is the drawing target again.
void yyreleasegraphicsfield(plat::HWND dlg);

}  // namespace tsd
