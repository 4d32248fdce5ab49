// Host events to input events: keys (with the typed character attached
// when the host sends it right behind its key), text, the mouse, and what
// the host does to a window (close, expose, resize, move).
#include "platform/display/sdl/sdl_state.h"
#include "platform/user/user_constants.h"
#include "text/cp1250.h"

namespace plat::sdl {

namespace {

// Where the right Alt key is AltGr (as in the Polish layout) it only
// chooses what the keys type: it is never Alt.
unsigned mods_of(const State* s, Uint16 m) {
  unsigned r = 0;
  if (m & KMOD_SHIFT) r |= kModShift;
  if (m & KMOD_CTRL) r |= kModCtrl;
  if (m & (s->right_alt_is_altgr ? KMOD_LALT : KMOD_ALT)) r |= kModAlt;
  return r;
}

unsigned current_mods(const State* s) { return mods_of(s, static_cast<Uint16>(SDL_GetModState())); }

HWND window_of(State* s, Uint32 id) {
  auto it = s->by_id.find(id);
  return it == s->by_id.end() ? nullptr : it->second;
}

void key_event(State* s, const SDL_KeyboardEvent& k, const DesktopHooks& hooks) {
  if (k.keysym.sym == SDLK_RALT && s->right_alt_is_altgr) return;  // AltGr itself is no key of ours
  bool keypad = false;
  UINT vk = vk_of(k.keysym.sym, &keypad);
  if (!vk) return;
  InputEvent e;
  e.kind = k.type == SDL_KEYDOWN ? InputKind::key_down : InputKind::key_up;
  e.window = window_of(s, k.windowID);
  e.vk = vk;
  e.keypad = keypad;
  e.mods = mods_of(s, k.keysym.mod);
  if (e.kind == InputKind::key_down) {
    // The character of this key, when the host reports it right behind.
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT) {
      std::string cp = text::cp1250_from_utf8(next.text.text, text::kNoCp1250);
      if (cp.size() == 1) {
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        e.text = cp;
      }
    }
    // Keys that type something without Ctrl or Alt get their character from
    // the host's text, never from our own key table (the host's keyboard
    // layout decides what they type).
    bool printable = k.keysym.sym >= 32 && k.keysym.sym < 127;
    if (e.text.empty() && printable && !(e.mods & (kModCtrl | kModAlt))) e.text_follows = true;
  }
  hooks.deliver(e);
}

void mouse_event(State* s, InputKind kind, HWND window, int x, int y, int button, const DesktopHooks& hooks) {
  InputEvent e;
  e.kind = kind;
  e.window = window;
  if (!e.window) return;
  e.pos = POINT{x, y};
  e.button = button == SDL_BUTTON_RIGHT ? 3 : button == SDL_BUTTON_MIDDLE ? 2 : 1;
  e.mods = current_mods(s);
  hooks.deliver(e);
}

void window_event(State* s, const SDL_WindowEvent& w, const DesktopHooks& hooks) {
  HWND hwnd = window_of(s, w.windowID);
  if (!hwnd) return;
  InputEvent e;
  e.window = hwnd;
  switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
      e.kind = InputKind::host_close;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      // SDL reports any unmapping of the window as a minimise, also the one
      // a window manager makes while it reparents a new window into its
      // frame (when the reparenting is not yet in the queue, as on a busy
      // machine): taken for a minimise, the program would iconify its
      // window for good as it first appears. Only a window the window
      // manager holds iconified is minimised.
      if (!x11_iconic(s->x11, SDL_GetWindowFromID(w.windowID))) return;
      e.kind = InputKind::host_minimise;
      break;
    case SDL_WINDOWEVENT_RESTORED:
      e.kind = InputKind::host_restore;
      break;
    case SDL_WINDOWEVENT_EXPOSED: {
      HostWindow& h = s->windows[hwnd];
      h.present_whole = true;
      if (!h.exposed_once) {
        h.exposed_once = true;
        return;
      }
      e.kind = InputKind::host_expose;
      break;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      e.kind = InputKind::host_resize;
      e.rect.right = w.data1;
      e.rect.bottom = w.data2;
      break;
    case SDL_WINDOWEVENT_MOVED:
      e.kind = InputKind::host_move;
      e.rect.left = w.data1;
      e.rect.top = w.data2;
      break;
    default:
      return;
  }
  hooks.deliver(e);
}

bool modifier_key(SDL_Keycode k) {
  switch (k) {
    case SDLK_LALT: case SDLK_RALT: case SDLK_LCTRL: case SDLK_RCTRL: case SDLK_LSHIFT: case SDLK_RSHIFT:
    case SDLK_LGUI: case SDLK_RGUI: case SDLK_MODE:
      return true;
    default:
      return false;
  }
}

// When a host window gains the keyboard SDL presses, right behind the
// focus event, every modifier the host reports held: not a key the user
// pressed now (it was pressed before, often for the very command that
// opened the window), and an Alt press would close a menu or open the menu
// bar. Such presses are left out. SDL stamps them when it queues them, so
// on a busy machine they may come a few milliseconds after the focus.
constexpr Uint32 kFocusPressSlackMs = 50;

bool pressed_by_focus(State* s, const SDL_Event& ev) {
  if (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
    s->focus_just_gained = true;
    s->focus_gained_at = ev.window.timestamp;
    return false;
  }
  if (ev.type == SDL_KEYDOWN && s->focus_just_gained && ev.key.timestamp - s->focus_gained_at <= kFocusPressSlackMs &&
      modifier_key(ev.key.keysym.sym))
    return true;
  s->focus_just_gained = false;
  return false;
}

void one_event(State* s, const SDL_Event& ev, const DesktopHooks& hooks) {
  if (pressed_by_focus(s, ev)) return;
  switch (ev.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: key_event(s, ev.key, hooks); break;
    case SDL_TEXTINPUT: {
      InputEvent e;
      e.kind = InputKind::text;
      e.window = window_of(s, ev.text.windowID);
      e.text = text::cp1250_from_utf8(ev.text.text, text::kNoCp1250);
      e.mods = current_mods(s);
      if (!e.text.empty()) hooks.deliver(e);
      break;
    }
    case SDL_MOUSEMOTION:
      mouse_event(s, InputKind::mouse_move, window_of(s, ev.motion.windowID), ev.motion.x, ev.motion.y, 0, hooks);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (s->x11) break;
      if (ev.button.windowID) s->pressed_in = ev.button.windowID;
      mouse_event(s, InputKind::mouse_down, window_of(s, ev.button.windowID), ev.button.x, ev.button.y,
                  ev.button.button, hooks);
      break;
    case SDL_MOUSEBUTTONUP:
      if (s->x11) break;
      mouse_event(s, InputKind::mouse_up, window_of(s, ev.button.windowID ? ev.button.windowID : s->pressed_in),
                  ev.button.x, ev.button.y, ev.button.button, hooks);
      break;
    case SDL_SYSWMEVENT: {
      RawButton b;
      if (!s->x11 || !x11_button(ev, &b)) break;
      auto it = s->by_xid.find(b.window);
      if (it == s->by_xid.end()) break;
      mouse_event(s, b.pressed ? InputKind::mouse_down : InputKind::mouse_up, it->second, b.x, b.y, b.button, hooks);
      break;
    }
    case SDL_MOUSEWHEEL: wheel_event(s, ev.wheel, hooks); break;
    case SDL_WINDOWEVENT: window_event(s, ev.window, hooks); break;
    case SDL_KEYMAPCHANGED:
      if (!s->windows.empty()) s->right_alt_is_altgr = x11_right_alt_is_altgr(s->x11, s->windows.begin()->second.sdl);
      break;
    default: break;
  }
}

}  // namespace

void pump_events(void* p, const DesktopHooks& hooks, int timeout_ms) {
  auto* s = state_of(p);
  if (!hooks.deliver) return;
  SDL_Event ev;
  bool got = timeout_ms == 0 ? SDL_PollEvent(&ev) == 1
             : timeout_ms < 0 ? SDL_WaitEvent(&ev) == 1
                              : SDL_WaitEventTimeout(&ev, timeout_ms) == 1;
  if (!got) {
    if (timeout_ms < 0) {
      // Waiting without a limit fails only when the display is gone.
      InputEvent e;
      e.kind = InputKind::host_lost;
      hooks.deliver(e);
    }
    return;
  }
  one_event(s, ev, hooks);
  while (SDL_PollEvent(&ev) == 1) one_event(s, ev, hooks);
}

}  // namespace plat::sdl
