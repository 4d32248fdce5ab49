// The mouse wheel: a turn becomes a wheel event at the pointer's place in
// the window it is over, 120 a notch, positive away from the user.
#include "platform/display/sdl/sdl_state.h"

namespace plat::sdl {

void wheel_event(State* s, const SDL_MouseWheelEvent& w, const DesktopHooks& hooks) {
  auto it = s->by_id.find(w.windowID);
  if (it == s->by_id.end()) return;
  int notches = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
  if (notches == 0) return;  // a sideways turn: nothing here scrolls sideways
  InputEvent e;
  e.kind = InputKind::mouse_wheel;
  e.window = it->second;
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);  // relative to the window that has the mouse
  e.pos = POINT{x, y};
  e.wheel = notches * 120;
  SDL_Keymod m = SDL_GetModState();
  if (m & KMOD_SHIFT) e.mods |= kModShift;
  if (m & KMOD_CTRL) e.mods |= kModCtrl;
  if (m & KMOD_ALT) e.mods |= kModAlt;
  hooks.deliver(e);
}

}  // namespace plat::sdl
