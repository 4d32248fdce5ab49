// What a person sees on an X server and how they act on it, for tests that
// drive the programs on the SDL display from outside: the windows on the
// screen with their titles and places, the screen's pixels, the window
// that has the keyboard, and keys and clicks sent through xdotool (XTEST),
// as real input.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace tsd::desktop {

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
  bool operator==(const Box&) const = default;
};

class XScreen {
 public:
  XScreen() = default;
  XScreen(const XScreen&) = delete;
  XScreen& operator=(const XScreen&) = delete;
  ~XScreen();

  // Connects to the server (":N"); false when it cannot.
  bool open(const std::string& display);

  // Whether a window manager has taken the screen (it announces itself on
  // the root window).
  bool managed();

  // The shown window titled `utf8` (0 when there is none) and where it is.
  unsigned long find(const std::string& utf8);
  bool place(unsigned long window, Box* out);

  // Shown windows that no window manager handles (menus, tooltips).
  std::vector<Box> popups();

  // The window that has the keyboard (0: none; 1: whatever is under the
  // pointer); a window inside a top-level counts as that top-level.
  unsigned long focus();
  // The title of a window (UTF-8; empty when it has none).
  std::string title(unsigned long window);

  // Every titled window on the server, mapped or not, with its map state,
  // WM_STATE and place: for the report of a state that did not come.
  std::string describe();

  // The screen's pixels in `area` (0x00RRGGBB).
  plat::Surface grab(const Box& area);

  // Keys and clicks as a person gives them (xdotool with XTEST); false when
  // xdotool failed.
  bool keys(const std::vector<std::string>& names);
  bool type(const std::string& text);
  bool click(int x, int y);
  // Text typed on the Polish keyboard (setxkbmap pl): each Polish letter
  // with the right Alt key held (AltGr, a real key code) and Shift for the
  // capitals; other characters (letters, digits, ". _ - " and space) as
  // they are.
  bool typepolish(const std::string& utf8);

  // What a person asks of the window manager: iconify a window, and bring
  // it back (as a taskbar does).
  bool minimise(unsigned long window);
  bool activate(unsigned long window);
  // Waits until the window manager has handled everything sent to the
  // server before this call (clicks and keys included), at most `seconds`;
  // true at once on a bare server.
  bool wmsync(double seconds = 10.0);
  // Whether the screen's stacking puts `upper` (with its frame, under a
  // window manager) above `lower`.
  bool above(unsigned long upper, unsigned long lower);

  // Any other xdotool command (the words after the program's name), such
  // as a press, moves and a release in one go; false when it failed.
  bool xdotool(std::vector<std::string> args);

  const std::string& display() const { return display_; }

 private:
  bool tellwm(unsigned long window, const char* message, long a0, long a1, long a2);
  void* x_ = nullptr;  // the Display
  unsigned long probe_ = 0;  // a window of ours the window manager answers about
  std::string display_;
};

// Polls `ready` until it holds or `seconds` pass; true when it held.
bool waitfor(const std::function<bool()>& ready, double seconds = 10.0);

// How many pixels of `a` and `b` (of one size) differ outside `skip`
// (coordinates of the surfaces); -1 when the sizes differ.
long differing(const plat::Surface& a, const plat::Surface& b, const Box& skip = Box{});

}  // namespace tsd::desktop
