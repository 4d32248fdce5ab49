// What the common dialogs share: path helpers, the extended error and
// the control lines of their built-in templates.
#pragma once

#include <string>

#include "platform/user/dialog/dialog.h"

namespace plat::cdlg {

bool is_dir(const std::string& p);
bool exists(const std::string& p);
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
