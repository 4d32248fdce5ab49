// What the common dialogs share: path helpers, the extended error and
// the control lines of their built-in templates.
#include "platform/comdlg/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace plat::cdlg {

namespace {
constexpr std::size_t kMaxPath = 4096;
}

bool is_dir(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0;
}

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
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string("/");
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
