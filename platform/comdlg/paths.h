// What the common dialogs share: path helpers and the extended error.
#pragma once

#include <string>

#include "platform/types.h"

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

}  // namespace plat::cdlg
