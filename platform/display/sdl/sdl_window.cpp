// SDL host windows: one borderless window per shown top-level window,
// placed and sized like it, titled in UTF-8, showing its surface; the
// active one holds the host's keyboard focus.
#include <algorithm>
#include <cstring>

#include "platform/display/sdl/sdl_state.h"
#include "text/cp1250.h"

namespace plat::sdl {

namespace {

HostWindow* find(void* p, HWND w) {
  auto* s = state_of(p);
  auto it = s->windows.find(w);
  return it == s->windows.end() ? nullptr : &it->second;
}

// The host's keyboard focus goes back to the active window whenever
// another host window appeared or went: without a window manager SDL hands
// the focus to each window it shows, and the focus of a window that goes
// is lost (nothing would take the next key).
void focus_active(State* s) {
  auto it = s->windows.find(s->active);
  if (it == s->windows.end()) return;
  Uint32 flags = SDL_GetWindowFlags(it->second.sdl);
  if ((flags & SDL_WINDOW_SHOWN) && !(flags & SDL_WINDOW_MINIMIZED)) SDL_SetWindowInputFocus(it->second.sdl);
}

void take_focus(State* s, HWND w) {
  s->active = w;
  auto it = s->windows.find(w);
  if (it == s->windows.end()) return;
  SDL_RaiseWindow(it->second.sdl);
  focus_active(s);
}

}  // namespace

void window_shown(void* p, const HostWindowInfo& info) {
  auto* s = state_of(p);
  if (HostWindow* known = find(p, info.window)) {
    SDL_SetWindowPosition(known->sdl, info.rect.left, info.rect.top);
    SDL_ShowWindow(known->sdl);
    if (SDL_GetWindowFlags(known->sdl) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(known->sdl);
  } else {
    int w = std::max(1, static_cast<int>(info.rect.right - info.rect.left));
    int h = std::max(1, static_cast<int>(info.rect.bottom - info.rect.top));
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
    if (info.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (info.popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    std::string title = text::utf8_from_cp1250(info.title);
    SDL_Window* win = SDL_CreateWindow(title.c_str(), info.rect.left, info.rect.top, w, h, flags);
    if (!win) return;  // nothing to show it in; the program goes on unseen
    HostWindow hw;
    hw.sdl = win;
    hw.window = info.window;
    s->windows[info.window] = hw;
    s->by_id[SDL_GetWindowID(win)] = info.window;
  }
  if (info.active) take_focus(s, info.window);
  else focus_active(s);
}

void window_hidden(void* p, HWND w) {
  auto* s = state_of(p);
  if (HostWindow* h = find(p, w)) SDL_HideWindow(h->sdl);
  if (s->active == w) s->active = nullptr;
  else focus_active(s);
}

void window_minimised(void* p, HWND w) {
  if (HostWindow* h = find(p, w)) SDL_MinimizeWindow(h->sdl);
}

void window_destroyed(void* p, HWND w) {
  auto* s = state_of(p);
  auto it = s->windows.find(w);
  if (it == s->windows.end()) return;
  s->by_id.erase(SDL_GetWindowID(it->second.sdl));
  SDL_DestroyWindow(it->second.sdl);
  s->windows.erase(it);
  if (s->active == w) s->active = nullptr;
  else focus_active(s);
}

void window_title(void* p, HWND w, const std::string& title) {
  if (HostWindow* h = find(p, w)) SDL_SetWindowTitle(h->sdl, text::utf8_from_cp1250(title).c_str());
}

void window_geometry(void* p, HWND w, RECT r) {
  HostWindow* h = find(p, w);
  if (!h) return;
  int x = 0, y = 0, cw = 0, ch = 0;
  SDL_GetWindowPosition(h->sdl, &x, &y);
  SDL_GetWindowSize(h->sdl, &cw, &ch);
  if (x != r.left || y != r.top) SDL_SetWindowPosition(h->sdl, r.left, r.top);
  int nw = std::max(1, static_cast<int>(r.right - r.left)), nh = std::max(1, static_cast<int>(r.bottom - r.top));
  if (cw != nw || ch != nh) SDL_SetWindowSize(h->sdl, nw, nh);
}

void window_raised(void* p, HWND w) { take_focus(state_of(p), w); }

void present(void* p, HWND w, const Surface& s) {
  HostWindow* h = find(p, w);
  if (!h || s.width <= 0 || s.height <= 0) return;
  SDL_Surface* target = SDL_GetWindowSurface(h->sdl);
  if (!target) return;
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(s.pixels.data()), s.width, s.height, 32,
                                                        s.width * 4, SDL_PIXELFORMAT_RGB888);
  if (!src) return;
  SDL_BlitSurface(src, nullptr, target, nullptr);
  SDL_FreeSurface(src);
  SDL_UpdateWindowSurface(h->sdl);
}

}  // namespace plat::sdl
