// Helpers for the dialog tests: a headless display with a script and a log
// file, a test dialog template with every kind of standard control, and a
// main window for owners, where a dialog's controls and a list's rows are.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/tests/user_test_support.h"
#include "platform/user/dialog/dialog.h"
#include "tools/testkit/files.h"

namespace plat::testing {

using tsd::testkit::readfile;

// The commands a frame window whose procedure is command_frame_proc was
// sent, in order: the menu tests read what a choice ran.
inline std::vector<int>& frame_commands() {
  static std::vector<int> v;
  return v;
}

inline LRESULT command_frame_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) frame_commands().push_back(LOWORD(w));
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

inline constexpr int kEditId = 101;
inline constexpr int kRadio1 = 201, kRadio2 = 202, kRadio3 = 203;
inline constexpr int kCheck3 = 301;
inline constexpr int kListId = 401;
inline constexpr int kComboId = 501;
inline constexpr int kPasswordId = 102;

inline DialogControlTemplate item(const char* cls, const char* text, int id, DWORD style, int x, int y, int cx, int cy) {
  DialogControlTemplate t;
  t.window_class = cls;
  t.text = text;
  t.id = id;
  t.style = style | WS_VISIBLE;
  t.x = static_cast<std::int16_t>(x);
  t.y = static_cast<std::int16_t>(y);
  t.cx = static_cast<std::int16_t>(cx);
  t.cy = static_cast<std::int16_t>(cy);
  return t;
}

// A dialog of the kind the programs use: labelled fields, a radio group,
// check boxes, a list, a drop-down list, OK and Cancel.
inline DialogTemplate test_dialog() {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.x = 10;
  t.y = 10;
  t.cx = 250;
  t.cy = 160;
  t.caption = "Test dialog";
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {
      item("STATIC", "&Name:", -1, SS_LEFT, 7, 9, 40, 8),
      item("EDIT", "", kEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 7, 120, 12),
      item("STATIC", "&Password:", -1, SS_LEFT, 7, 25, 40, 8),
      item("EDIT", "", kPasswordId, WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 50, 23, 120, 12),
      item("BUTTON", "Model", -1, BS_GROUPBOX, 7, 40, 90, 56),
      item("BUTTON", "&First order", kRadio1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 14, 52, 76, 10),
      item("BUTTON", "&Second order", kRadio2, BS_AUTORADIOBUTTON, 14, 65, 76, 10),
      item("BUTTON", "&General order", kRadio3, BS_AUTORADIOBUTTON, 14, 78, 76, 10),
      item("BUTTON", "&Three states", kCheck3, BS_AUTO3STATE | WS_GROUP | WS_TABSTOP, 104, 44, 70, 10),
      item("BUTTON", "Chec&ked", 302, BS_AUTOCHECKBOX | WS_TABSTOP, 104, 57, 70, 10),
      item("LISTBOX", "", kListId, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 104, 72, 70, 40),
      item("COMBOBOX", "", kComboId, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 7, 102, 90, 60),
      item("STATIC", "Right text", -1, SS_RIGHT, 104, 118, 70, 8),
      item("STATIC", "Centred", -1, SS_CENTER | SS_SUNKEN, 104, 130, 70, 10),
      item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 190, 7, 50, 14),
      item("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 190, 24, 50, 14),
      item("BUTTON", "Disabled", 601, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 190, 41, 50, 14),
  };
  return t;
}

// Where a dialog and its controls are on the screen, by control id (0: the
// dialog itself); a dialog procedure takes them before the dialog ends, for
// a test that looks at a screenshot.
inline std::map<int, RECT> screen_places(HWND dlg) {
  std::map<int, RECT> m;
  GetWindowRect(dlg, &m[0]);
  for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    GetWindowRect(c, &m[GetDlgCtrlID(c)]);
  return m;
}

// The height of a list box's rows: the lines of its font.
inline int list_row_height(HWND list) {
  HDC dc = GetDC(list);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  if (old) SelectObject(dc, old);
  ReleaseDC(list, dc);
  return static_cast<int>(tm.tmHeight);
}

class DialogTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    log_path_ = unique_temp("log.txt");
    std::remove(log_path_.c_str());
    setenv("TSD_LOG", log_path_.c_str(), 1);
  }
  void TearDown() override {
    UserTest::TearDown();
    unsetenv("TSD_LOG");
  }
  // A visible main window to own the dialogs.
  HWND main_window(const char* title = "Main") {
    HWND w = top(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 500, 400);
    drain();
    return w;
  }
  std::string log() { return readfile(log_path_); }
  // Forget every window and class, and start again (between the cases of a table).
  void restart() {
    desktop_reset();
    WNDCLASSA wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = CALLBACK_record;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "Recorder";
    RegisterClassA(&wc);
  }
  std::string log_path_;
};

}  // namespace plat::testing
