// The dialog manager: dialogs loaded once from the program's resources as
// hidden modeless windows (at most 50), their companion records, the
// field routines that write and read a loaded dialog's controls, and the
// three ways of showing one (modal, modeless, semi-modeless).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace tsd {

inline constexpr int kMaxDialogs = 50;

// Show types.
inline constexpr int kShowModal = 1;
inline constexpr int kShowModeless = 2;
inline constexpr int kShowSemiModeless = 3;

// Result of wdialoggetradiobutton when no button of the group is set.
inline constexpr int kNoRadioSet = -999;

// One entry of the dialog table (its 14 words).
struct DialogEntry {
  std::int32_t id = 0;              // 1 resource id
  plat::HWND hwnd = nullptr;        // 2 window (entry 0: the modal instance)
  std::int32_t shown = 0;           // 3 shown flag
  std::int32_t field = 0;           // 4 current field; after a modal show the ending button
  std::int32_t prevfield = 0;       // 5 previous field
  std::int32_t word6 = 0;           // 6, 7 reported only by the reserved type 11
  std::int32_t word7 = 0;
  std::int32_t showtype = 0;        // 8 1 modal, 2 modeless, 3 semi-modeless
  plat::HWND owner = nullptr;       // 9 owner while shown
  plat::HWND reenable = nullptr;    // 10 window to re-enable after a semi-modeless show
  plat::HWND lastcontrol = nullptr; // 11 control of the last FieldChanged message
  std::int32_t gfield = 0;          // 12 graphics field of the last graphics-field event
  std::int32_t gflag = 0;           // 13 the dialog has a graphics field
  std::int32_t gbutton = 0;         // 14 mouse button of the last graphics-field event
};

// The dialog table: entries 1 to 50 are the loaded dialogs, entry 0 the
// running modal instance.
struct DialogTable {
  DialogEntry DialogInfo[kMaxDialogs + 1];
  int nDialogs = 0;
  int iDlgCur = 0;                  // current entry, 0 = none
  int iDlgAct = 0;                  // id of the dialog whose modal show ended last
  int nSemi = 0;                    // semi-modeless dialogs shown
  plat::HWND hLastSemi = nullptr;   // the last one shown
};

extern DialogTable wdlg;

// ---- Public routines ------------------------------------------------------
void wdialogload(int id);
void wdialogselect(int id);
void wdialogshow(int x, int y, int focusfield = 0, int type = kShowModeless);
void wdialoghide();
void wdialogunload();
void wdialogunload(int ignored);
void wdialogputstring(int field, std::string_view text);
void wdialoggetstring(int field, std::span<char> text);
void wdialogputcheckbox(int field, int state);
void wdialoggetcheckbox(int field, int& state);
void wdialogputradiobutton(int field);
void wdialoggetradiobutton(int field, int& index);
int winfodialog(int item);

// ---- Companion records ----------------------------------------------------
struct CompanionCheck {
  int field = 0;
  int state = 0;
};
struct CompanionList {
  int field = 0;
  int selection = 0;                // 1-based, 0 = none
  std::vector<std::string> entries;
};
struct CompanionLength {
  int field = 0;
  int maximum = 0;
};
struct Companion {
  std::vector<CompanionCheck> checks;
  std::vector<CompanionList> lists;
  std::vector<CompanionLength> lengths;
};
// Reads the text of a dialog companion record (up to its first NUL).
Companion yyparsecompanion(std::string_view text);

// ---- Window-system side ---------------------------------------------------
// Entry index 1..nDialogs of a loaded dialog id, 0 when not loaded.
int yydialogindex(int id);
// The field record attached to every control of a dialog window.
struct FieldRecord {
  double lower = 1000.0;            // a lower bound above the upper means no range
  double upper = -1000.0;
  plat::HWND spin = nullptr;
  void* ownproc = nullptr;          // the control's procedure before subclassing
  int graphics = 0;
  int textcolour = -1;              // -1 = system colours
  int backcolour = -1;
  int further1 = 0;
  int further2 = 0;
  int maxlength = 0;                // 0 = none
  std::vector<int> tabstops;
  plat::HGDIOBJ image = nullptr;    // bitmap or icon of a button or static
  int imagekind = 0;                // 1 bitmap, 2 icon
  bool ownsimage = false;           // the image is deleted with the field
  plat::HBRUSH backbrush = nullptr; // brush of the background colour
};
FieldRecord* yyfieldrecord(plat::HWND control);

}  // namespace tsd
