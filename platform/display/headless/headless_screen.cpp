// The headless virtual screen and its composition.
#include "platform/display/headless/headless_screen.h"

#include <algorithm>
#include <cstdlib>

namespace plat::headless {

namespace {
constexpr std::uint32_t kDesktopColour = 0x008080;  // 0x00RRGGBB: the classic teal desktop
}

ScreenWindow* Screen::find(HWND w) {
  for (ScreenWindow& s : windows)
    if (s.window == w) return &s;
  return nullptr;
}

ScreenWindow& Screen::get(HWND w) {
  if (ScreenWindow* s = find(w)) return *s;
  ScreenWindow s;
  s.window = w;
  windows.insert(windows.begin(), std::move(s));
  return windows.front();
}

void Screen::forget(HWND w) {
  windows.erase(std::remove_if(windows.begin(), windows.end(), [w](const ScreenWindow& s) { return s.window == w; }),
                windows.end());
}

void Screen::restack(const HWND* front_to_back, int count) {
  std::vector<ScreenWindow> sorted;
  for (int i = 0; i < count; ++i) {
    if (ScreenWindow* s = find(front_to_back[i])) {
      sorted.push_back(std::move(*s));
      s->window = nullptr;
    }
  }
  for (ScreenWindow& s : windows)
    if (s.window) sorted.push_back(std::move(s));
  windows = std::move(sorted);
}

Surface Screen::compose() const {
  Surface out;
  out.resize(width, height, kDesktopColour);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    const ScreenWindow& s = *it;
    if (!s.visible) continue;
    int x0 = std::max<int>(0, s.rect.left), y0 = std::max<int>(0, s.rect.top);
    int x1 = std::min<int>(width, s.rect.left + s.pixels.width);
    int y1 = std::min<int>(height, s.rect.top + s.pixels.height);
    for (int y = y0; y < y1; ++y) {
      const std::uint32_t* src = s.pixels.row(y - s.rect.top) + (x0 - s.rect.left);
      std::copy(src, src + (x1 - x0), out.row(y) + x0);
    }
  }
  return out;
}

bool parse_screen_setting(const std::string& setting, int* width, int* height, int* bits) {
  int v[3] = {0, 0, 32};
  int n = 0;
  std::size_t i = 0;
  while (n < 3) {
    std::size_t start = i;
    long value = 0;
    while (i < setting.size() && setting[i] >= '0' && setting[i] <= '9') {
      value = value * 10 + (setting[i] - '0');
      if (value > 100000) return false;
      ++i;
    }
    if (i == start) return false;
    v[n++] = static_cast<int>(value);
    if (i == setting.size()) break;
    if (setting[i] != 'x' && setting[i] != 'X') return false;
    ++i;
  }
  if (i != setting.size() || n < 2) return false;
  if (v[0] < 64 || v[0] > 8192 || v[1] < 64 || v[1] > 8192) return false;
  const int ok[] = {1, 4, 8, 15, 16, 24, 32};
  if (std::find(std::begin(ok), std::end(ok), v[2]) == std::end(ok)) return false;
  *width = v[0];
  *height = v[1];
  *bits = v[2];
  return true;
}

}  // namespace plat::headless
