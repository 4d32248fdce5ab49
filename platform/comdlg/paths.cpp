// What the common dialogs share: path helpers, the extended error and
// the control lines of their built-in templates.
#include "platform/comdlg/paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/user/controls/control_common.h"
#include "text/cp1250.h"

namespace plat::cdlg {

namespace {
constexpr std::size_t kMaxPath = 4096;

std::string host(const std::string& path) { return text::utf8_from_cp1250(path); }

bool less_ignoring_case(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }
}  // namespace

bool is_dir(const std::string& p) {
  struct stat st;
  return !has_missing_letters(p) && stat(host(p).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& p) {
  struct stat st;
  return !has_missing_letters(p) && stat(host(p).c_str(), &st) == 0;
}

bool has_missing_letters(const std::string& name) { return name.find(text::kNoCp1250) != std::string::npos; }

void refuse_missing_letters(HWND dlg, const std::string& name) {
  const std::string text =
      name + "\r\nThis name holds characters that cannot be used in a file or folder name here.\r\n"
             "Type the name with other letters.";
  MessageBoxA(dlg, text.c_str(), ctl::window_text(dlg).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

FolderEntries read_folder(const std::string& dir) {
  FolderEntries out;
  if (has_missing_letters(dir)) return out;
  const std::string host_dir = host(dir);
  DIR* d = opendir(host_dir.c_str());
  if (!d) return out;
  while (dirent* e = readdir(d)) {
    const std::string raw = e->d_name;
    if (raw == "." || raw == "..") continue;
    // Folders and regular files (links followed) only: a named pipe or a
    // device is nothing a program can read or write as a file.
    struct stat st;
    if (stat((host_dir + "/" + raw).c_str(), &st) != 0) continue;
    if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) continue;
    (S_ISDIR(st.st_mode) ? out.folders : out.files).push_back(text::cp1250_from_utf8(raw, text::kNoCp1250));
  }
  closedir(d);
  std::sort(out.folders.begin(), out.folders.end(), less_ignoring_case);
  std::sort(out.files.begin(), out.files.end(), less_ignoring_case);
  return out;
}

bool make_current(const std::string& dir) { return !has_missing_letters(dir) && chdir(host(dir).c_str()) == 0; }

std::string join(const std::string& dir, const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string normalise(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string p = path.substr(i, j - i);
    if (p == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!p.empty() && p != ".") {
      parts.push_back(p);
    }
    i = j + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

std::string current_dir() {
  char cwd[kMaxPath];
  return getcwd(cwd, sizeof cwd) ? text::cp1250_from_utf8(cwd, text::kNoCp1250) : std::string("/");
}

DWORD& extended_error() {
  static DWORD e = 0;
  return e;
}

DialogControlTemplate control(const char* cls, const char* text, int id, DWORD style, int x, int y, int cx, int cy) {
  DialogControlTemplate t;
  t.window_class = cls;
  t.text = text;
  t.id = id;
  t.style = style | WS_CHILD | WS_VISIBLE;
  t.x = static_cast<std::int16_t>(x);
  t.y = static_cast<std::int16_t>(y);
  t.cx = static_cast<std::int16_t>(cx);
  t.cy = static_cast<std::int16_t>(cy);
  return t;
}

}  // namespace plat::cdlg
