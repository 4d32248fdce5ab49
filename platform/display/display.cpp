// Choosing and calling the display backend. This is the only file that
// calls through the backend's table.
#include "platform/display/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "text/letters.h"

namespace plat {

bool sdl_backend_create(DisplayBackend* out, std::string* why);
bool headless_backend_create(DisplayBackend* out, std::string* why);

namespace {

const BackendEntry kBackends[] = {
    {.name = "sdl", .description = "SDL2: one host window per top-level window", .create = sdl_backend_create},
    {.name = "headless",
     .description = "virtual screen with a deterministic clock, driven by a scripted user",
     .create = headless_backend_create},
};

struct Current {
  DisplayBackend backend;
  const BackendEntry* entry = nullptr;
  DesktopHooks hooks;
};

Current& current() {
  static Current c;
  return c;
}

// Every slot gets a do-nothing default, so callers never test for one.
void fill_defaults(DisplayBackend& b) {
  if (!b.shutdown) b.shutdown = [](void*) {};
  if (!b.window_shown) b.window_shown = [](void*, const HostWindowInfo&) {};
  if (!b.window_hidden) b.window_hidden = [](void*, HWND) {};
  if (!b.window_minimised) b.window_minimised = b.window_hidden;
  if (!b.window_destroyed) b.window_destroyed = [](void*, HWND) {};
  if (!b.window_title) b.window_title = [](void*, HWND, const std::string&) {};
  if (!b.window_geometry) b.window_geometry = [](void*, HWND, RECT) {};
  if (!b.window_raised) b.window_raised = [](void*, HWND) {};
  if (!b.present) b.present = [](void*, HWND, const Surface&) {};
  if (!b.z_order) b.z_order = [](void*, const HWND*, int) {};
  if (!b.pump_events) b.pump_events = [](void*, const DesktopHooks&, int) {};
  if (!b.screen_info)
    b.screen_info = [](void*, int* w, int* h, int* bits) {
      *w = 1024;
      *h = 768;
      *bits = 32;
    };
  if (!b.beep) b.beep = [](void*, UINT) {};
  if (!b.set_cursor) b.set_cursor = [](void*, int) {};
  if (!b.pointer_position) b.pointer_position = [](void*, POINT*, bool*) { return false; };
  if (!b.clock_ms) b.clock_ms = [](void*) -> DWORD { return 0; };
  if (!b.log) b.log = [](void*, const std::string&) {};
  if (!b.clipboard_set) b.clipboard_set = [](void*, const std::string&) {};
  if (!b.clipboard_get) b.clipboard_get = [](void*) { return std::string(); };
}

bool try_open(const BackendEntry& e, std::string* why) {
  DisplayBackend b;
  std::string reason;
  if (!e.create(&b, &reason)) {
    if (why) *why += std::string(e.name) + ": " + reason + "; ";
    return false;
  }
  fill_defaults(b);
  current().backend = b;
  current().entry = &e;
  return true;
}

const BackendEntry* find(const std::string& name) {
  for (const BackendEntry& e : kBackends)
    if (name == e.name) return &e;
  return nullptr;
}

}  // namespace

bool display_open(const char* name, std::string* error) {
  if (current().entry) return true;
  std::string why;
  std::string list;
  if (name && *name) list = name;
  else if (const char* env = std::getenv("TSD_DISPLAY"); env && *env) list = env;
  if (!list.empty()) {
    std::size_t start = 0;
    while (start <= list.size()) {
      std::size_t comma = list.find(',', start);
      const std::string one(
          text::stripped(std::string_view(list).substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
      start = comma == std::string::npos ? list.size() + 1 : comma + 1;
      if (one.empty()) continue;
      const BackendEntry* e = find(one);
      if (!e) {
        why += one + ": no such display backend; ";
        continue;
      }
      if (try_open(*e, &why)) return true;
    }
  } else {
    for (const BackendEntry& e : kBackends)
      if (try_open(e, &why)) return true;
  }
  if (error) *error = "no display backend could be opened (" + why + "choose one with TSD_DISPLAY=sdl or headless)";
  return false;
}

void display_open_or_exit() {
  std::string error;
  if (display_open(nullptr, &error)) return;
  std::fprintf(stderr, "display: %s\n", error.c_str());
  std::exit(2);
}

bool display_is_open() { return current().entry != nullptr; }
const char* display_name() { return current().entry ? current().entry->name : ""; }

void display_close() {
  Current& c = current();
  if (!c.entry) return;
  c.backend.shutdown(c.backend.self);
  c.backend = DisplayBackend{};
  c.entry = nullptr;
}

void display_set_hooks(const DesktopHooks& hooks) { current().hooks = hooks; }

namespace {
// Call one slot of the open backend; nothing happens before one is open.
template <typename Slot, typename... Args>
void call(Slot DisplayBackend::*slot, Args&&... args) {
  Current& c = current();
  if (c.entry) (c.backend.*slot)(c.backend.self, std::forward<Args>(args)...);
}
}  // namespace

void display_window_shown(const HostWindowInfo& info) { call(&DisplayBackend::window_shown, info); }
void display_window_hidden(HWND window) { call(&DisplayBackend::window_hidden, window); }
void display_window_minimised(HWND window) { call(&DisplayBackend::window_minimised, window); }
void display_window_destroyed(HWND window) { call(&DisplayBackend::window_destroyed, window); }
void display_window_title(HWND window, const std::string& title) { call(&DisplayBackend::window_title, window, title); }
void display_window_geometry(HWND window, RECT rect) { call(&DisplayBackend::window_geometry, window, rect); }
void display_window_raised(HWND window) { call(&DisplayBackend::window_raised, window); }
void display_present(HWND window, const Surface& surface) { call(&DisplayBackend::present, window, surface); }
void display_z_order(const HWND* front_to_back, int count) { call(&DisplayBackend::z_order, front_to_back, count); }
void display_pump_events(int timeout_ms) { call(&DisplayBackend::pump_events, current().hooks, timeout_ms); }
void display_beep(UINT type) { call(&DisplayBackend::beep, type); }
void display_set_cursor(int cursor_id) { call(&DisplayBackend::set_cursor, cursor_id); }
void script_log(const std::string& line) { call(&DisplayBackend::log, line); }
void display_clipboard_set(const std::string& text) { call(&DisplayBackend::clipboard_set, text); }

bool display_pointer_position(POINT* screen, bool* left_held) {
  Current& c = current();
  return c.entry && c.backend.pointer_position(c.backend.self, screen, left_held);
}

std::string display_clipboard_text() {
  Current& c = current();
  return c.entry ? c.backend.clipboard_get(c.backend.self) : std::string();
}

void display_screen_info(int* width, int* height, int* bits_per_pixel) {
  Current& c = current();
  int w = 1024, h = 768, b = 32;
  if (c.entry) c.backend.screen_info(c.backend.self, &w, &h, &b);
  if (width) *width = w;
  if (height) *height = h;
  if (bits_per_pixel) *bits_per_pixel = b;
}

DWORD display_clock_ms() {
  Current& c = current();
  return c.entry ? c.backend.clock_ms(c.backend.self) : 0;
}

}  // namespace plat
