// The headless backend's virtual screen: its size and colour depth, the
// top-level windows it was shown (their pixels as last presented, their
// place and order), and the composition of all of them into one picture.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/types.h"

namespace plat::headless {

struct ScreenWindow {
  HWND window = nullptr;
  std::string title;
  RECT rect;
  bool visible = false;
  Surface pixels;  // as last presented
};

struct Screen {
  int width = 1024;
  int height = 768;
  int bits = 32;
  std::vector<ScreenWindow> windows;  // front to back

  ScreenWindow* find(HWND w);
  ScreenWindow& get(HWND w);  // adds it at the front when new
  void forget(HWND w);
  void restack(const HWND* front_to_back, int count);
  // The whole screen: the desktop colour, then every visible window from
  // back to front.
  Surface compose() const;
};

// Read "WxH" or "WxHxBITS" (e.g. "800x600x8"); false when malformed or out
// of range (sizes 64..8192, depth 1, 4, 8, 15, 16, 24 or 32).
bool parse_screen_setting(const std::string& setting, int* width, int* height, int* bits);

}  // namespace plat::headless
