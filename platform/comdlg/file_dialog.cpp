// The open and save file dialogs: a folder list, a file list filtered by
// the chosen pattern list (case ignored), the file-name field, the filter
// box, OK and Cancel, with the usual prompts.
#include <fnmatch.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"
#include "platform/comdlg/paths.h"
#include "platform/display/display.h"
#include "platform/user/controls/control_common.h"
#include "text/letters.h"

namespace plat {
namespace {

using cdlg::exists;
using cdlg::control;
using cdlg::has_missing_letters;
using cdlg::is_dir;
using cdlg::join;
using cdlg::normalise;

inline constexpr std::size_t kMaxPath = 4096;

struct Filter {
  std::string description;
  std::string patterns;  // "*.dat; *.prn"
};

struct FileDialog {
  OPENFILENAMEA* ofn = nullptr;
  bool save = false;
  std::string dir;
  std::vector<Filter> filters;
  int filter = 0;
  std::string pattern_override;  // a pattern typed into the name field
  std::string result;            // what goes back into lpstrFile
  int name_offset = 0;
  int ext_offset = 0;
};

using cdlg::extended_error;

std::vector<std::string> split_patterns(const std::string& s) {
  std::vector<std::string> v;
  std::size_t i = 0;
  while (i <= s.size()) {
    std::size_t j = s.find(';', i);
    if (j == std::string::npos) j = s.size();
    const std::string p(text::stripped(std::string_view(s).substr(i, j - i)));
    if (!p.empty()) v.push_back(p);
    i = j + 1;
  }
  return v;
}

bool matches(const std::string& name, const std::vector<std::string>& pats) {
  for (const std::string& p : pats) {
    if (p == "*.*" || p == "*") return true;
    if (fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
  }
  return false;
}

std::string current_patterns(const FileDialog* f) {
  if (!f->pattern_override.empty()) return f->pattern_override;
  if (f->filter >= 0 && f->filter < static_cast<int>(f->filters.size()))
    return f->filters[static_cast<std::size_t>(f->filter)].patterns;
  return "*";
}

void fill(HWND dlg, FileDialog* f) {
  SendDlgItemMessageA(dlg, kFileList, LB_RESETCONTENT, 0, 0);
  SendDlgItemMessageA(dlg, kFolderList, LB_RESETCONTENT, 0, 0);
  SetDlgItemTextA(dlg, kFolderLabel, f->dir.c_str());
  const cdlg::FolderEntries found = cdlg::read_folder(f->dir);
  std::vector<std::string> pats = split_patterns(current_patterns(f));
  std::string shown;
  for (const std::string& n : found.files)
    if (matches(n, pats)) {
      SendDlgItemMessageA(dlg, kFileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
      shown += (shown.empty() ? "" : ", ") + n;
    }
  if (f->dir != "/") SendDlgItemMessageA(dlg, kFolderList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
  for (const std::string& n : found.folders)
    SendDlgItemMessageA(dlg, kFolderList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
  script_log("file dialog lists: folder \"" + f->dir + "\" pattern \"" + current_patterns(f) + "\" files: " + shown);
}

bool has_wildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// The extension a name without one gets: lpstrDefExt, or when that is
// empty the chosen filter's first pattern's ("*.dat" gives "dat").
std::string default_extension(const FileDialog* f) {
  if (!f->ofn->lpstrDefExt) return "";
  if (*f->ofn->lpstrDefExt) return f->ofn->lpstrDefExt;
  std::vector<std::string> pats = split_patterns(current_patterns(f));
  if (pats.empty()) return "";
  std::size_t dot = pats[0].rfind('.');
  if (dot == std::string::npos) return "";
  std::string e = pats[0].substr(dot + 1);
  return has_wildcard(e) ? "" : e;
}

bool ask(HWND dlg, const std::string& text, UINT type) {
  return MessageBoxA(dlg, text.c_str(), ctl::window_text(dlg).c_str(), type) == (type == MB_OK ? IDOK : IDYES);
}

void set_result(FileDialog* f, const std::string& path) {
  f->result = path;
  std::size_t slash = path.rfind('/');
  f->name_offset = static_cast<int>(slash == std::string::npos ? 0 : slash + 1);
  std::size_t dot = path.rfind('.');
  f->ext_offset = dot != std::string::npos && static_cast<int>(dot) >= f->name_offset ? static_cast<int>(dot) + 1
                                                                                      : static_cast<int>(path.size());
}

// OK (or Enter, or a double click on a file): true when the dialog may end.
bool confirm(HWND dlg, FileDialog* f) {
  DWORD flags = f->ofn->Flags;
  HWND list = GetDlgItem(dlg, kFileList);
  int nsel = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  if (!f->save && (flags & OFN_ALLOWMULTISELECT) && nsel > 1) {
    // The folder and every selected name, each ended by a NUL, then a NUL.
    std::vector<int> sel(static_cast<std::size_t>(nsel));
    SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(nsel), reinterpret_cast<LPARAM>(sel.data()));
    std::string r = f->dir + std::string(1, '\0');
    for (int i : sel) {
      char buf[kMaxPath];
      if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= static_cast<LRESULT>(sizeof buf)) continue;
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      if (has_missing_letters(buf)) {
        cdlg::refuse_missing_letters(dlg, buf);
        return false;
      }
      r += std::string(buf) + std::string(1, '\0');
    }
    f->result = r;
    f->name_offset = static_cast<int>(f->dir.size() + 1);
    f->ext_offset = 0;
    return true;
  }
  std::string name(text::stripped(ctl::window_text(GetDlgItem(dlg, kFileNameEdit))));
  if (name.empty()) return false;
  if (has_missing_letters(name)) {
    // Checked before the wildcards: such a letter is no pattern.
    cdlg::refuse_missing_letters(dlg, name);
    return false;
  }
  if (has_wildcard(name)) {
    f->pattern_override = name;
    fill(dlg, f);
    return false;
  }
  std::string path = normalise(join(f->dir, name));
  if (is_dir(path)) {
    f->dir = path;
    f->pattern_override.clear();
    SetDlgItemTextA(dlg, kFileNameEdit, "");
    fill(dlg, f);
    return false;
  }
  std::size_t slash = path.rfind('/');
  std::string folder = path.substr(0, slash == 0 ? 1 : slash);
  std::string base = path.substr(slash + 1);
  if (base.find('.') == std::string::npos) {
    std::string e = default_extension(f);
    if (!e.empty()) path += "." + e;
  }
  if (!is_dir(folder) && (flags & OFN_PATHMUSTEXIST)) {
    ask(dlg, path + "\r\nThe path does not exist.\r\nCheck the path and try again.", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  bool there = exists(path);
  if (!f->save && !there) {
    if (flags & OFN_CREATEPROMPT) {
      if (!ask(dlg, path + "\r\nThis file does not exist.\r\nDo you want to create it?", MB_YESNO | MB_ICONQUESTION))
        return false;
    } else if (flags & OFN_FILEMUSTEXIST) {
      ask(dlg, path + "\r\nFile not found.\r\nCheck the file name and try again.", MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
  }
  if (f->save && there && (flags & OFN_OVERWRITEPROMPT)) {
    if (!ask(dlg, path + " already exists.\r\nDo you want to replace it?", MB_YESNO | MB_ICONEXCLAMATION)) return false;
  }
  set_result(f, path);
  return true;
}

INT_PTR dialog_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto* f = reinterpret_cast<FileDialog*>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      f = reinterpret_cast<FileDialog*>(lp);
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      for (const Filter& x : f->filters)
        SendDlgItemMessageA(dlg, kFilterCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(x.description.c_str()));
      SendDlgItemMessageA(dlg, kFilterCombo, CB_SETCURSEL, static_cast<WPARAM>(f->filter), 0);
      SetDlgItemTextA(dlg, kFileNameEdit, f->result.c_str());
      fill(dlg, f);
      return TRUE;
    }
    case WM_COMMAND: {
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      if (id == IDOK) {
        if (confirm(dlg, f)) EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      if (id == kFilterCombo && code == CBN_SELCHANGE) {
        f->filter = static_cast<int>(SendDlgItemMessageA(dlg, kFilterCombo, CB_GETCURSEL, 0, 0));
        f->pattern_override.clear();
        fill(dlg, f);
        return TRUE;
      }
      if (id == kFileList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        HWND list = GetDlgItem(dlg, kFileList);
        int i = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        // In a multiple-selection list the name is the one entry selected,
        // which a Ctrl+click may have left elsewhere than the caret.
        int one = -1;
        if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) == 1 &&
            SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&one)) == 1)
          i = one;
        char buf[kMaxPath];
        if (i >= 0 && SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof buf)) {
          SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
          SetDlgItemTextA(dlg, kFileNameEdit, buf);
        }
        if (code == LBN_DBLCLK && confirm(dlg, f)) EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (id == kFolderList && code == LBN_DBLCLK) {
        HWND list = GetDlgItem(dlg, kFolderList);
        int i = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        char buf[kMaxPath];
        if (i >= 0 && SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof buf)) {
          SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
          f->dir = normalise(join(f->dir, buf));
          fill(dlg, f);
        }
        return TRUE;
      }
      return FALSE;
    }
    default: return FALSE;
  }
}

BOOL run(OPENFILENAMEA* ofn, bool save) {
  extended_error() = 0;
  if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
    extended_error() = CDERR_INITIALIZATION;
    return FALSE;
  }
  FileDialog f;
  f.ofn = ofn;
  f.save = save;
  // Filters: description and pattern pairs up to the empty string.
  for (const char* p = ofn->lpstrFilter; p && *p;) {
    Filter x;
    x.description = p;
    p += x.description.size() + 1;
    if (!*p) break;
    x.patterns = p;
    p += x.patterns.size() + 1;
    f.filters.push_back(x);
  }
  f.filter = ofn->nFilterIndex > 0 && ofn->nFilterIndex <= f.filters.size() ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
  // The initial name: its folder (else the initial directory, else the
  // current one) and its file name.
  std::string initial(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  // A folder that does not exist is not shown empty: the current one is.
  const std::string current = cdlg::current_dir();
  std::string base_dir = current;
  if (ofn->lpstrInitialDir && *ofn->lpstrInitialDir) base_dir = normalise(join(current, ofn->lpstrInitialDir));
  if (!is_dir(base_dir)) base_dir = current;
  std::size_t slash = initial.rfind('/');
  if (slash != std::string::npos) {
    f.dir = normalise(join(base_dir, initial.substr(0, slash + 1)));
    f.result = initial.substr(slash + 1);
  } else {
    f.dir = base_dir;
    f.result = initial;
  }
  if (!is_dir(f.dir)) f.dir = base_dir;
  bool multi = !save && (ofn->Flags & OFN_ALLOWMULTISELECT);

  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 280;
  t.cy = 148;
  t.caption = ofn->lpstrTitle && *ofn->lpstrTitle ? ofn->lpstrTitle : "Select File";
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {
      control("STATIC", "File &name:", -1, SS_LEFT, 6, 6, 90, 9),
      control("EDIT", "", kFileNameEdit, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 6, 16, 90, 12),
      control("LISTBOX", "", kFileList,
              WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | (multi ? LBS_EXTENDEDSEL : 0), 6, 32, 90, 68),
      control("STATIC", "&Folders:", -1, SS_LEFT, 110, 6, 96, 9),
      control("STATIC", "", kFolderLabel, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 110, 16, 96, 9),
      control("LISTBOX", "", kFolderList, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 110, 32, 96, 68),
      control("STATIC", "List files of &type:", -1, SS_LEFT, 6, 104, 90, 9),
      control("COMBOBOX", "", kFilterCombo, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 6, 114, 90, 60),
      control("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 220, 6, 54, 14),
      control("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 220, 24, 54, 14),
  };
  INT_PTR r = DialogBoxIndirectParamA(nullptr, &t, ofn->hwndOwner, dialog_proc, reinterpret_cast<LPARAM>(&f));
  if (r == -1) {
    extended_error() = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (r != IDOK) return FALSE;  // cancelled: the extended error stays 0
  std::size_t need = f.result.size() + 1 + (f.result.find('\0') != std::string::npos ? 1 : 0);
  if (need > ofn->nMaxFile) {
    // Too long for the caller's buffer: nothing is cut, the size needed is reported.
    extended_error() = FNERR_BUFFERTOOSMALL;
    if (ofn->nMaxFile >= 2) {
      ofn->lpstrFile[0] = static_cast<char>(need & 0xff);
      ofn->lpstrFile[1] = static_cast<char>((need >> 8) & 0xff);
    }
    return FALSE;
  }
  std::memcpy(ofn->lpstrFile, f.result.data(), f.result.size());
  ofn->lpstrFile[f.result.size()] = 0;
  if (need > f.result.size() + 1) ofn->lpstrFile[f.result.size() + 1] = 0;
  ofn->nFileOffset = static_cast<WORD>(f.name_offset);
  ofn->nFileExtension = static_cast<WORD>(f.ext_offset);
  ofn->nFilterIndex = f.filters.empty() ? 0 : static_cast<DWORD>(f.filter + 1);
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle) {
    std::string title = f.result.substr(static_cast<std::size_t>(f.name_offset));
    title = title.substr(0, title.find('\0'));
    std::size_t n = std::min<std::size_t>(title.size(), ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, title.data(), n);
    ofn->lpstrFileTitle[n] = 0;
  }
  if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
    std::string folder = f.result.find('\0') != std::string::npos ? f.dir : f.result.substr(0, f.name_offset ? f.name_offset - 1 : 0);
    if (!folder.empty() && !cdlg::make_current(folder)) script_log("file dialog: the folder could not be made current");
  }
  script_log("file dialog chose: \"" + f.result.substr(0, f.result.find('\0')) + "\"");
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return run(ofn, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return run(ofn, true); }
DWORD CommDlgExtendedError() { return extended_error(); }

}  // namespace plat
