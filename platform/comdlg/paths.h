// What the common dialogs share: path helpers, the extended error and
// the control lines of their built-in templates.
#pragma once

#include <string>
#include <vector>

#include "platform/user/dialog/dialog.h"

namespace plat::cdlg {

// Paths here are in code page 1250, as the dialogs show and return them;
// they are turned into the host's names (UTF-8) only where they reach the
// file system.
bool is_dir(const std::string& p);
bool exists(const std::string& p);
// True when a name holds a character the code page cannot show (typed, or
// read from the disk): no file can be reached by such a name.
bool has_missing_letters(const std::string& name);
// Tells the user, in a box over the dialog, that `name` cannot be used.
void refuse_missing_letters(HWND dlg, const std::string& name);
// The folders and the regular files in `dir` (links followed; named pipes,
// devices, sockets and broken links left out), each sorted (case ignored),
// without "." and "..". A name the code page cannot show holds
// text::kNoCp1250.
struct FolderEntries {
  std::vector<std::string> folders;
  std::vector<std::string> files;
};
FolderEntries read_folder(const std::string& dir);
// Makes `dir` the current directory; false when it cannot be.
bool make_current(const std::string& dir);
// `name` in `dir` (an absolute name stays as it is).
std::string join(const std::string& dir, const std::string& name);
// "a/b/../c" and "a/./b" folded, so the folder label reads well.
std::string normalise(const std::string& path);
// The current directory ("/" when it cannot be read).
std::string current_dir();
// The code CommDlgExtendedError reports: set by the last dialog run.
DWORD& extended_error();
// A visible child control line of a dialog template, in dialog units.
DialogControlTemplate control(const char* cls, const char* text, int id, DWORD style, int x, int y, int cx, int cy);

}  // namespace plat::cdlg
