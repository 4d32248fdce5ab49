// One input event from the host display, in the form the window manager
// routes it: keys with virtual-key codes, text already in code page 1250,
// mouse positions relative to the top-left corner of a top-level window
// (its frame, not its client), and what the host did to a window.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace plat {

enum class InputKind {
  key_down,      // vk (and, for keys that give a character, that character in `text`)
  key_up,        // vk
  text,          // characters typed that belong to no key event (composed, pasted)
  mouse_move,    // pos
  mouse_down,    // pos, button
  mouse_up,      // pos, button
  mouse_wheel,   // pos, wheel: the wheel turned with the pointer at pos
  host_resize,   // the host changed the window's outer size to rect's width and height
  host_move,     // the host moved the window: rect.left, rect.top are the new screen position
  host_expose,   // the host shows the window again (uncovered, mapped): its kept pixels are shown
  repaint,       // the scripted user has the window drawn anew, as its program's own invalidation would
  host_close,    // the host (or the user through it) asks the window to close
  host_minimise, // the user minimised the window on the host
  host_restore,  // the user restored it from its icon on the host
  host_lost,     // the display is gone: the program must end
};

// Modifier state that travels with each event.
inline constexpr unsigned kModShift = 1;
inline constexpr unsigned kModCtrl = 2;
inline constexpr unsigned kModAlt = 4;

struct InputEvent {
  InputKind kind = InputKind::mouse_move;
  HWND window = nullptr;  // the top-level window the event belongs to (null: the active one)
  POINT pos;              // mouse: relative to the window's top-left corner
  int button = 1;         // 1 left, 2 middle, 3 right
  int wheel = 0;          // mouse_wheel: 120 a notch, positive away from the user
  UINT vk = 0;            // virtual-key code
  bool keypad = false;    // the key is on the numeric pad
  bool text_follows = false;  // key_down: the host sends its character as a text event
  unsigned mods = 0;      // kModShift | kModCtrl | kModAlt at the time of the event
  std::string text;       // code page 1250
  RECT rect;              // host_resize / host_move
};

// What the window manager offers the display below it: a place to put
// input events, and a few questions about the windows (the scripted user
// needs them to aim its clicks). Filled in by the window manager when it
// starts the display.
struct DesktopHooks {
  // Queue one input event; it is routed to a window when messages are read.
  void (*deliver)(const InputEvent& e) = nullptr;
  // The active top-level window, or null.
  HWND (*active_window)() = nullptr;
  // The visible top-level window whose title (code page 1250) is `title`, or null.
  HWND (*find_window)(const std::string& title) = nullptr;
  // A client point of `hwnd` as a point relative to the top-left corner of
  // its top-level window (false when hwnd is no window).
  bool (*client_to_frame)(HWND hwnd, POINT* pt) = nullptr;
  // The top-level window that contains `hwnd` (itself when top-level).
  HWND (*top_level_of)(HWND hwnd) = nullptr;
  // The close box of a top-level window as a frame-relative rectangle
  // (empty when it has none).
  RECT (*close_box)(HWND hwnd) = nullptr;
  // A control of the top-level window `top`: by its id, or when `id` is
  // negative by its text ("&" prefixes and case ignored). Gives the centre
  // of the control as a point relative to the top-left corner of `top`
  // (false when there is no such control).
  bool (*control_point)(HWND top, int id, const std::string& text, POINT* frame_pt) = nullptr;
  // The keyboard steps to an item of the window's menu bar, by command id
  // (id >= 0) or by a text path "&File/&Open...": for each level the number
  // of items before it, separators not counted (false: no such item).
  bool (*menu_steps)(HWND top, int id, const std::string& path, std::vector<int>* steps) = nullptr;
  // The centre of the button with command id `id` of a toolbar of `top`,
  // relative to the top-left corner of `top` (false when there is none).
  bool (*toolbar_point)(HWND top, int id, POINT* frame_pt) = nullptr;
};

}  // namespace plat
