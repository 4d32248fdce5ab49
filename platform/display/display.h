// The chosen display backend, as the window manager sees it: open one by
// name (or by the TSD_DISPLAY environment variable, or the first that
// works), then call the services below. Every call is safe before a
// display is open (it does nothing, and the screen is 1024 x 768 x 32).
#pragma once

#include <string>

#include "platform/display/backend.h"

namespace plat {

// Open a display. `name` may be null or empty: then TSD_DISPLAY (a list
// like "sdl,headless", tried in order), then every known backend in order
// ("sdl" only succeeds where a display exists). Returns false with a
// message naming what was tried when none can be used.
bool display_open(const char* name, std::string* error);
// Open a display as display_open does, or end the process with a message
// and exit code 2 when none can be used.
void display_open_or_exit();
bool display_is_open();
const char* display_name();
void display_close();

// The hooks the backend reports input through (set by the window manager).
void display_set_hooks(const DesktopHooks& hooks);

void display_window_shown(const HostWindowInfo& info);
void display_window_hidden(HWND window);
void display_window_minimised(HWND window);
void display_window_destroyed(HWND window);
void display_window_title(HWND window, const std::string& title);
void display_window_geometry(HWND window, RECT rect);
void display_window_raised(HWND window);
void display_present(HWND window, const Surface& surface);
void display_z_order(const HWND* front_to_back, int count);
void display_pump_events(int timeout_ms);
void display_screen_info(int* width, int* height, int* bits_per_pixel);
void display_beep(UINT type);
void display_set_cursor(int cursor_id);
// Where the pointer is on the screen now and whether its left button is
// held, when the host can tell.
bool display_pointer_position(POINT* screen, bool* left_held);
DWORD display_clock_ms();
// The host's clipboard (text in code page 1250, CR LF line ends).
void display_clipboard_set(const std::string& text);
std::string display_clipboard_text();

// Add a line to the run's log (the scripted user's log: standard error or
// the file named by TSD_LOG). Dialogs and message boxes report what they
// show through this.
void script_log(const std::string& line);

}  // namespace plat
