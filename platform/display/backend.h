// The display backend interface: the one seam between the window manager
// and a host (an SDL window per top-level window, or the headless virtual
// screen). A backend fills the slots it needs; registration fills every
// slot it left empty with a do-nothing default, so callers never check.
// Only platform/display/display.cpp calls through this table.
#pragma once

#include <string>

#include "platform/display/input_event.h"
#include "platform/gdi/surface.h"
#include "platform/types.h"

namespace plat {

// What the window manager tells a backend about one top-level window.
struct HostWindowInfo {
  HWND window = nullptr;
  std::string title;  // code page 1250
  RECT rect;          // outer rectangle on the screen
  bool topmost = false;
  // A menu or a tooltip: the host's window manager leaves it undecorated
  // where it is put, and it never takes the keyboard.
  bool popup = false;
  // The window is the active one: it takes the host's keyboard focus.
  bool active = false;
  // The top-level window that owns it (a dialog's or a box's owner), or
  // null. The host keeps an owned window above its owner.
  HWND owner = nullptr;
  // Shown modal: its owner takes no input while it is there.
  bool modal = false;
};

struct DisplayBackend {
  void* self = nullptr;  // the backend's own state, passed back to every slot

  // ---- Lifetime
  // Release every host resource; the backend is not used afterwards.
  void (*shutdown)(void* self);

  // ---- Top-level windows
  // The window became visible: make (or show again) its host window.
  void (*window_shown)(void* self, const HostWindowInfo& info);
  // The window was hidden: take its host window off the screen.
  void (*window_hidden)(void* self, HWND window);
  // The window was minimised: show its host window as an icon (or not at
  // all). A host that cannot iconify reports the window restored.
  void (*window_minimised)(void* self, HWND window);
  // The window is gone: forget it and free its host window.
  void (*window_destroyed)(void* self, HWND window);
  // The window's title changed (code page 1250).
  void (*window_title)(void* self, HWND window, const std::string& title);
  // The window moved or changed size on our screen (outer rectangle).
  void (*window_geometry)(void* self, HWND window, RECT rect);
  // The window became the active one and was raised to the top: it takes
  // the host's keyboard focus, and keeps it while other windows (menus,
  // dialogs, boxes) appear and go.
  void (*window_raised)(void* self, HWND window);
  // Put the window's pixels (its whole frame) on the host; the surface is
  // as large as the window's outer rectangle.
  void (*present)(void* self, HWND window, const Surface& surface);
  // The order of the top-level windows changed: front first.
  void (*z_order)(void* self, const HWND* front_to_back, int count);

  // ---- Input
  // Wait up to timeout_ms (0: do not wait, -1: until something happens)
  // for host input and deliver what arrived through hooks.deliver. The
  // window manager calls this only when it has nothing left to do.
  void (*pump_events)(void* self, const DesktopHooks& hooks, int timeout_ms);

  // ---- Screen
  // Screen size in pixels and colour depth in bits per pixel.
  void (*screen_info)(void* self, int* width, int* height, int* bits_per_pixel);

  // ---- Pointer
  // Show the pointer as a system cursor (IDC_xxx number; 0 for the arrow).
  void (*set_cursor)(void* self, int cursor_id);
  // Where the pointer is on the screen now and whether its left button is
  // held, as the host knows it (false: the host cannot tell, and the mouse
  // events' own positions stand). A host whose mouse positions are relative
  // to a window it moves reports positions queued before a move against
  // the old place.
  bool (*pointer_position)(void* self, POINT* screen, bool* left_held);

  // ---- Sound
  // Sound the bell (MessageBeep's type: MB_OK, MB_ICONHAND, ...).
  void (*beep)(void* self, UINT type);

  // ---- Clock
  // Milliseconds since the backend started (the message time base).
  DWORD (*clock_ms)(void* self);

  // ---- Log
  // Record one line in the run's log (the scripted user keeps one; others ignore it).
  void (*log)(void* self, const std::string& line);

  // ---- Clipboard
  // Put text (code page 1250; lines ended by CR LF) on the host's
  // clipboard, where other programs take it from.
  void (*clipboard_set)(void* self, const std::string& text);
  // The text on the host's clipboard in code page 1250 with CR LF line
  // ends; empty when there is none.
  std::string (*clipboard_get)(void* self);
};

// One backend that can be chosen: create() fills `out` and returns true
// when the host can be used, else writes why not into `why`.
struct BackendEntry {
  const char* name;
  const char* description;
  bool (*create)(DisplayBackend* out, std::string* why);
};

}  // namespace plat
