// The headless display backend: a virtual screen (TSD_SCREEN=WxH or
// WxHxBITS, default 1024x768x32), a clock that moves only in fixed steps
// as the program waits, and the scripted user (TSD_SCRIPT) who acts
// whenever the program waits for input. The log (TSD_LOG, else standard
// error) records each action and every window shown.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/display/backend.h"
#include "platform/display/headless/headless_screen.h"
#include "platform/display/headless/screenshot.h"
#include "platform/display/headless/script.h"
#include "text/cp1250.h"

namespace plat {

namespace {

using headless::Screen;
using headless::ScreenWindow;
using headless::ScriptAction;

constexpr DWORD kWaitStep = 10;          // the clock's step per wait, ms
constexpr int kCloseRepeat = 20;         // after the script: ask again every so many waits
constexpr int kWaitsAfterScript = 200;   // then give up and end the run

struct Headless {
  Screen screen;
  DWORD clock = 0;
  std::vector<ScriptAction> script;
  std::size_t next = 0;
  bool had_script = false;
  int waits_after_script = 0;
  DWORD idle_until = 0;
  bool idling = false;
  std::FILE* log = nullptr;
  bool own_log = false;
  std::string clipboard;  // the virtual desktop's own clipboard
};

Headless* self_of(void* p) { return static_cast<Headless*>(p); }

void write_log(Headless* h, const std::string& line) {
  std::FILE* f = h->log ? h->log : stderr;
  std::string u8 = text::utf8_from_cp1250(line);
  std::fprintf(f, "[%8u ms] %s\n", static_cast<unsigned>(h->clock), u8.c_str());
  std::fflush(f);
}

// Log lines from the script are UTF-8 already.
void write_log_utf8(Headless* h, const std::string& line) {
  std::FILE* f = h->log ? h->log : stderr;
  std::fprintf(f, "[%8u ms] %s\n", static_cast<unsigned>(h->clock), line.c_str());
  std::fflush(f);
}

void run_out_of_script(Headless* h, const DesktopHooks& hooks) {
  int n = h->waits_after_script++;
  if (n >= kWaitsAfterScript) {
    write_log_utf8(h, "script: the program did not end after the close request; ending the run");
    std::exit(4);
  }
  if (n % kCloseRepeat != 0) return;
  HWND w = hooks.active_window ? hooks.active_window() : nullptr;
  if (!w) {
    if (n == 0) write_log_utf8(h, h->had_script ? "script: done, no window to close" : "script: none, no window to close");
    return;
  }
  if (n == 0) write_log_utf8(h, h->had_script ? "script: done, asking the active window to close" : "script: none, asking the active window to close");
  InputEvent e;
  e.kind = InputKind::host_close;
  e.window = w;
  hooks.deliver(e);
}

void perform_next(Headless* h, const DesktopHooks& hooks) {
  const ScriptAction& a = h->script[h->next++];
  write_log_utf8(h, "action " + std::to_string(a.line) + ": " + a.source);
  headless::ScriptOutcome out = headless::perform(a, hooks);
  if (!out.error.empty()) {
    write_log_utf8(h, "script line " + std::to_string(a.line) + ": " + out.error);
    std::exit(4);
  }
  for (const InputEvent& e : out.events) hooks.deliver(e);
  if (!out.screenshot.empty()) {
    std::string why;
    if (!headless::write_screenshot(h->screen, out.screenshot, &why)) {
      write_log_utf8(h, "script line " + std::to_string(a.line) + ": screenshot failed: " + why);
      std::exit(4);
    }
  }
  if (out.wait_ms > 0) {
    h->idling = true;
    h->idle_until = h->clock + static_cast<DWORD>(out.wait_ms);
  }
}

void pump(void* p, const DesktopHooks& hooks, int timeout_ms) {
  Headless* h = self_of(p);
  if (timeout_ms == 0) return;  // only a look: nothing happens without a wait
  if (h->idling) {
    // Let time pass, as far as the next timer at most.
    DWORD left = h->idle_until - h->clock;
    DWORD step = timeout_ms > 0 && static_cast<DWORD>(timeout_ms) < left ? static_cast<DWORD>(timeout_ms) : left;
    h->clock += step;
    if (h->clock == h->idle_until) h->idling = false;
    return;
  }
  h->clock += kWaitStep;
  if (!hooks.deliver) return;
  if (h->next < h->script.size()) {
    perform_next(h, hooks);
    return;
  }
  run_out_of_script(h, hooks);
}

void shutdown(void* p) {
  Headless* h = self_of(p);
  if (h->own_log && h->log) std::fclose(h->log);
  delete h;
}

void shown(void* p, const HostWindowInfo& info) {
  ScreenWindow& s = self_of(p)->screen.get(info.window);
  s.title = info.title;
  s.rect = info.rect;
  s.visible = true;
}

bool load_script(Headless* h, std::string* why) {
  const char* path = std::getenv("TSD_SCRIPT");
  if (!path || !*path) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *why = std::string("cannot read the script ") + path;
    return false;
  }
  std::stringstream ss;
  ss << in.rdbuf();
  if (!headless::parse_script(ss.str(), &h->script, why)) return false;
  h->had_script = true;
  return true;
}

}  // namespace

bool headless_backend_create(DisplayBackend* out, std::string* why) {
  auto h = std::make_unique<Headless>();
  if (const char* setting = std::getenv("TSD_SCREEN"); setting && *setting) {
    if (!headless::parse_screen_setting(setting, &h->screen.width, &h->screen.height, &h->screen.bits)) {
      *why = std::string("TSD_SCREEN=") + setting + " is not WIDTHxHEIGHT or WIDTHxHEIGHTxBITS";
      return false;
    }
  }
  if (const char* log = std::getenv("TSD_LOG"); log && *log) {
    h->log = std::fopen(log, "w");
    if (!h->log) {
      *why = std::string("cannot write the log ") + log;
      return false;
    }
    h->own_log = true;
  }
  if (!load_script(h.get(), why)) {
    if (h->own_log) std::fclose(h->log);
    return false;
  }
  *out = DisplayBackend{
      .self = h.release(),
      .shutdown = shutdown,
      .window_shown = shown,
      .window_hidden = [](void* p, HWND w) {
        if (ScreenWindow* s = self_of(p)->screen.find(w)) s->visible = false;
      },
      .window_minimised = nullptr,  // as hidden: a minimised window is not on the screen
      .window_destroyed = [](void* p, HWND w) { self_of(p)->screen.forget(w); },
      .window_title = [](void* p, HWND w, const std::string& t) {
        if (ScreenWindow* s = self_of(p)->screen.find(w)) s->title = t;
      },
      .window_geometry = [](void* p, HWND w, RECT r) {
        if (ScreenWindow* s = self_of(p)->screen.find(w)) s->rect = r;
      },
      .window_raised = nullptr,
      .present = [](void* p, HWND w, const Surface& surface) {
        if (ScreenWindow* s = self_of(p)->screen.find(w)) s->pixels = surface;
      },
      .z_order = [](void* p, const HWND* order, int n) { self_of(p)->screen.restack(order, n); },
      .pump_events = pump,
      .screen_info = [](void* p, int* w, int* hh, int* bits) {
        const Screen& s = self_of(p)->screen;
        *w = s.width;
        *hh = s.height;
        *bits = s.bits;
      },
      .set_cursor = nullptr,  // no pointer to show
      .pointer_position = nullptr,  // the script's positions are the pointer's
      .beep = [](void* p, UINT type) { write_log_utf8(self_of(p), "beep " + std::to_string(type)); },
      .clock_ms = [](void* p) -> DWORD { return self_of(p)->clock; },
      .log = [](void* p, const std::string& line) { write_log(self_of(p), line); },
      .clipboard_set = [](void* p, const std::string& text) { self_of(p)->clipboard = text; },
      .clipboard_get = [](void* p) { return self_of(p)->clipboard; },
  };
  return true;
}

}  // namespace plat
