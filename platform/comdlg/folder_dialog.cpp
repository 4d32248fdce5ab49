// Folder selection: the folder field, the list of folders in the folder
// shown, the folder shown and a box of starting places; a typed folder
// that does not exist goes to the caller's check.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"
#include "platform/comdlg/paths.h"
#include "platform/display/display.h"
#include "platform/user/controls/control_common.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace plat {
namespace {

using cdlg::control;
using cdlg::is_dir;
using cdlg::join;
using cdlg::normalise;

constexpr std::size_t kMaxItem = 4096;

struct FolderDialog {
  FOLDERDIALOGA* fd = nullptr;
  std::string dir;     // the folder shown
  std::string result;  // the folder chosen
};

std::string trimmed(std::string_view s) { return std::string(text::stripped(s)); }

void fill(HWND dlg, FolderDialog* f) {
  SendDlgItemMessageA(dlg, kFolderBox, LB_RESETCONTENT, 0, 0);
  SetDlgItemTextA(dlg, kFolderShown, f->dir.c_str());
  if (f->dir != "/") SendDlgItemMessageA(dlg, kFolderBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
  std::string shown;
  for (const std::string& n : cdlg::read_folder(f->dir).folders) {
    SendDlgItemMessageA(dlg, kFolderBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
    shown += (shown.empty() ? "" : ", ") + n;
  }
  script_log("folder dialog lists: folder \"" + f->dir + "\" folders: " + shown);
}

// The starting places: the file system's root and the home folder.
void fill_places(HWND dlg) {
  if (!GetDlgItem(dlg, kFolderPlaces)) return;
  SendDlgItemMessageA(dlg, kFolderPlaces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("/"));
  const char* home_u8 = std::getenv("HOME");
  const std::string home = home_u8 ? text::cp1250_from_utf8(home_u8, text::kNoCp1250) : std::string();
  if (!home.empty() && is_dir(home) && normalise(home) != "/") {
    const std::string h = normalise(home);
    SendDlgItemMessageA(dlg, kFolderPlaces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(h.c_str()));
  }
}

std::string list_text(HWND list, int i) {
  char buf[kMaxItem];
  if (i < 0 || SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= static_cast<LRESULT>(sizeof buf)) return "";
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
  return buf;
}

void open_selected(HWND dlg, FolderDialog* f) {
  HWND list = GetDlgItem(dlg, kFolderBox);
  const std::string name = list_text(list, static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
  if (name.empty()) return;
  const std::string next = normalise(join(f->dir, name));
  if (!is_dir(next)) return;
  f->dir = next;
  fill(dlg, f);
}

// OK or Enter: true when the dialog may end.
bool confirm(HWND dlg, FolderDialog* f) {
  HWND list = GetDlgItem(dlg, kFolderBox);
  const std::string typed = trimmed(ctl::window_text(GetDlgItem(dlg, kFolderField)));
  if (typed.empty()) {
    // Enter in the list opens the folder selected there.
    if (list && GetFocus() == list && SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0) {
      open_selected(dlg, f);
      return false;
    }
    f->result = f->dir;
    return true;
  }
  const std::string path = normalise(join(f->dir, typed));
  if (cdlg::has_missing_letters(path)) {
    cdlg::refuse_missing_letters(dlg, typed);
    HWND field = GetDlgItem(dlg, kFolderField);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
  }
  if (is_dir(path)) {
    f->result = path;
    return true;
  }
  const bool accepted = f->fd->lpfnMissing && f->fd->lpfnMissing(dlg, path.c_str(), f->fd->lCustData);
  if (accepted && is_dir(path)) {
    f->result = path;
    return true;
  }
  HWND field = GetDlgItem(dlg, kFolderField);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  return false;
}

INT_PTR dialog_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto* f = reinterpret_cast<FolderDialog*>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      f = reinterpret_cast<FolderDialog*>(lp);
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      if (f->fd->lpstrTitle && *f->fd->lpstrTitle) SetWindowTextA(dlg, f->fd->lpstrTitle);
      fill_places(dlg);
      fill(dlg, f);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const WORD code = HIWORD(wp);
      if (id == IDOK) {
        if (confirm(dlg, f)) EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      if (id == kFolderBox && code == LBN_DBLCLK) {
        open_selected(dlg, f);
        return TRUE;
      }
      if (id == kFolderPlaces && code == CBN_SELCHANGE) {
        char buf[kMaxItem];
        const LRESULT i = SendDlgItemMessageA(dlg, kFolderPlaces, CB_GETCURSEL, 0, 0);
        if (i >= 0 && SendDlgItemMessageA(dlg, kFolderPlaces, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) <
                          static_cast<LRESULT>(sizeof buf)) {
          SendDlgItemMessageA(dlg, kFolderPlaces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
          if (is_dir(buf)) {
            f->dir = normalise(buf);
            fill(dlg, f);
          }
        }
        return TRUE;
      }
      return FALSE;
    }
    default: return FALSE;
  }
}

// Used when the caller names no template.
DialogTemplate builtin_template() {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 220;
  t.cy = 150;
  t.caption = "Select Directory";
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {
      control("STATIC", "Directory &name:", -1, SS_LEFT, 6, 6, 150, 9),
      control("EDIT", "", kFolderField, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 6, 16, 150, 12),
      control("STATIC", "", kFolderShown, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 6, 32, 150, 9),
      control("LISTBOX", "", kFolderBox, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 6, 44, 150, 76),
      control("COMBOBOX", "", kFolderPlaces, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 6, 126, 150, 60),
      control("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 162, 6, 52, 14),
      control("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 162, 24, 52, 14),
  };
  return t;
}

}  // namespace

BOOL SelectFolderA(FOLDERDIALOGA* fd) {
  cdlg::extended_error() = 0;
  if (!fd || !fd->lpstrFolder || fd->nMaxFolder == 0) {
    cdlg::extended_error() = CDERR_INITIALIZATION;
    return FALSE;
  }
  FolderDialog f;
  f.fd = fd;
  const std::string current = cdlg::current_dir();
  f.dir = current;
  if (fd->lpstrInitialDir && *fd->lpstrInitialDir) {
    const std::string initial = normalise(join(current, fd->lpstrInitialDir));
    if (is_dir(initial)) f.dir = initial;
  }
  INT_PTR r = 0;
  if (fd->lpTemplateName) {
    r = DialogBoxParamA(fd->hInstance, fd->lpTemplateName, fd->hwndOwner, dialog_proc, reinterpret_cast<LPARAM>(&f));
  } else {
    const DialogTemplate t = builtin_template();
    r = DialogBoxIndirectParamA(nullptr, &t, fd->hwndOwner, dialog_proc, reinterpret_cast<LPARAM>(&f));
  }
  if (r == -1) {
    cdlg::extended_error() = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (r != IDOK) return FALSE;  // cancelled: the extended error stays 0
  if (f.result.size() + 1 > fd->nMaxFolder) {
    cdlg::extended_error() = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(fd->lpstrFolder, f.result.c_str(), f.result.size() + 1);
  if (!(fd->Flags & FDF_NOCHANGEDIR) && !cdlg::make_current(f.result))
    script_log("folder dialog: the folder could not be made current");
  script_log("folder dialog chose: \"" + f.result + "\"");
  return TRUE;
}

}  // namespace plat
