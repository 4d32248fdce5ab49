// SDL host windows: one borderless window per shown top-level window,
// placed and sized like it, titled in UTF-8, showing its surface; the
// active one holds the host's keyboard focus.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

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
    known->asked.x = info.rect.left;
    known->asked.y = info.rect.top;
    known->present_whole = true;
    SDL_ShowWindow(known->sdl);
    if (SDL_GetWindowFlags(known->sdl) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(known->sdl);
  } else {
    int w = std::max(1, static_cast<int>(info.rect.right - info.rect.left));
    int h = std::max(1, static_cast<int>(info.rect.bottom - info.rect.top));
    // Made hidden and shown once it is owned: the window manager learns
    // its owner and kind when it first maps it.
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (info.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (info.popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    std::string title = text::utf8_from_cp1250(info.title);
    SDL_Window* win = SDL_CreateWindow(title.c_str(), info.rect.left, info.rect.top, w, h, flags);
    if (!win) return;  // nothing to show it in; the program goes on unseen
    bool first = s->windows.empty();
    HostWindow hw;
    hw.sdl = win;
    hw.window = info.window;
    hw.asked = SDL_Rect{info.rect.left, info.rect.top, w, h};
    s->windows[info.window] = hw;
    s->by_id[SDL_GetWindowID(win)] = info.window;
    if (s->x11) s->by_xid[x11_window_id(win)] = info.window;
    if (first) s->right_alt_is_altgr = x11_right_alt_is_altgr(s->x11, win);
    if (HostWindow* owner = find(p, info.owner); owner && !info.popup) x11_own(s->x11, win, owner->sdl, info.modal);
    SDL_ShowWindow(win);
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
  HostWindow* h = find(p, w);
  if (!h) return;
  if (x11_managed(state_of(p)->x11, h->sdl)) {
    SDL_MinimizeWindow(h->sdl);
    return;
  }
  // Nothing on a bare X server can iconify a window (nor give it back):
  // it stays as it was, and the window is reported restored.
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_RESTORED;
  e.window.windowID = SDL_GetWindowID(h->sdl);
  e.window.timestamp = SDL_GetTicks();
  SDL_PushEvent(&e);
}

void window_destroyed(void* p, HWND w) {
  auto* s = state_of(p);
  auto it = s->windows.find(w);
  if (it == s->windows.end()) return;
  s->by_id.erase(SDL_GetWindowID(it->second.sdl));
  if (s->x11) s->by_xid.erase(x11_window_id(it->second.sdl));
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
  // Asked again unless both our last request and the host's last report
  // say the window is there: either alone may be out of date.
  int x = 0, y = 0, cw = 0, ch = 0;
  SDL_GetWindowPosition(h->sdl, &x, &y);
  SDL_GetWindowSize(h->sdl, &cw, &ch);
  SDL_Rect& a = h->asked;
  if (x != r.left || y != r.top || a.x != r.left || a.y != r.top) SDL_SetWindowPosition(h->sdl, r.left, r.top);
  int nw = std::max(1, static_cast<int>(r.right - r.left)), nh = std::max(1, static_cast<int>(r.bottom - r.top));
  if (cw != nw || ch != nh || a.w != nw || a.h != nh) SDL_SetWindowSize(h->sdl, nw, nh);
  a = SDL_Rect{static_cast<int>(r.left), static_cast<int>(r.top), nw, nh};
}

void window_raised(void* p, HWND w) { take_focus(state_of(p), w); }

namespace {

// The rows [top, bottom) of `s` whose pixels differ from the host's copy,
// as rectangles of one band of rows each, spanning the columns that differ.
std::vector<SDL_Rect> changed_rects(const Surface& s, const SDL_Surface* host) {
  std::vector<SDL_Rect> out;
  const int w = std::min(s.width, host->w), h = std::min(s.height, host->h);
  const auto* base = static_cast<const std::uint8_t*>(host->pixels);
  SDL_Rect band{0, 0, 0, 0};
  bool open = false;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* mine = s.row(y);
    const auto* theirs = reinterpret_cast<const std::uint32_t*>(base + static_cast<std::size_t>(y) * host->pitch);
    int x0 = 0;
    while (x0 < w && ((mine[x0] ^ theirs[x0]) & 0x00ffffffu) == 0) ++x0;
    if (x0 == w) {
      if (open) out.push_back(band);
      open = false;
      continue;
    }
    int x1 = w - 1;
    while (((mine[x1] ^ theirs[x1]) & 0x00ffffffu) == 0) --x1;
    if (!open) {
      band = SDL_Rect{x0, y, x1 - x0 + 1, 1};
      open = true;
      continue;
    }
    const int left = std::min(band.x, x0), right = std::max(band.x + band.w - 1, x1);
    band.x = left;
    band.w = right - left + 1;
    band.h = y - band.y + 1;
  }
  if (open) out.push_back(band);
  return out;
}

// A fingerprint of one row's colours (the unused top byte left out), two
// pixels at a time.
std::uint64_t row_print(const std::uint32_t* row, int width) {
  std::uint64_t h = 0x9e3779b97f4a7c15u ^ static_cast<std::uint64_t>(width);
  int x = 0;
  for (; x + 1 < width; x += 2) {
    std::uint64_t pair = 0;
    std::memcpy(&pair, row + x, sizeof pair);
    h = (h ^ (pair & 0x00ffffff00ffffffu)) * 0xff51afd7ed558ccdu;
    h ^= h >> 29;
  }
  if (x < width) h = ((h ^ (row[x] & 0x00ffffffu)) * 0xff51afd7ed558ccdu) ^ (h >> 29);
  return h;
}

// Straight into the X window: the bands of rows whose fingerprints differ
// from what was presented last (every row when the host has nothing).
void put_changed_rows(State* st, HostWindow* h, const Surface& s) {
  const bool whole = h->present_whole || h->row_prints.size() != static_cast<std::size_t>(s.height);
  h->row_prints.resize(static_cast<std::size_t>(s.height));
  int band = -1;  // the first row of the open band
  bool sent = false;
  for (int y = 0; y <= s.height; ++y) {
    bool changed = false;
    if (y < s.height) {
      const std::uint64_t print = row_print(s.row(y), s.width);
      changed = whole || print != h->row_prints[static_cast<std::size_t>(y)];
      h->row_prints[static_cast<std::size_t>(y)] = print;
    }
    if (changed && band < 0) band = y;
    if (!changed && band >= 0) {
      x11_put(st->x11, h->sdl, s, band, y);
      band = -1;
      sent = true;
    }
  }
  if (sent) x11_flush(st->x11, h->sdl);
  h->present_whole = false;
}

}  // namespace

void present(void* p, HWND w, const Surface& s) {
  HostWindow* h = find(p, w);
  if (!h || s.width <= 0 || s.height <= 0) return;
  auto* st = state_of(p);
  // On X our pixels are put into the window as they are: SDL would keep a
  // second copy of every window's pixels (its window surface) to send from.
  if (h->put_straight < 0) h->put_straight = x11_can_put(st->x11, h->sdl) ? 1 : 0;
  if (h->put_straight) {
    put_changed_rows(st, h, s);
    return;
  }
  SDL_Surface* target = SDL_GetWindowSurface(h->sdl);
  if (!target) return;
  // Where the host's copy holds our pixel format, only the rows and
  // columns that changed since the last present are copied and sent.
  if (target != h->presented_on) h->present_whole = true;  // resized: a new surface
  const bool comparable = target->format->format == SDL_PIXELFORMAT_RGB888 && !h->present_whole &&
                          !SDL_MUSTLOCK(target) && target->w == s.width && target->h == s.height;
  if (comparable) {
    std::vector<SDL_Rect> rects = changed_rects(s, target);
    if (rects.empty()) return;
    auto* base = static_cast<std::uint8_t*>(target->pixels);
    for (const SDL_Rect& r : rects)
      for (int y = r.y; y < r.y + r.h; ++y)
        std::memcpy(base + static_cast<std::size_t>(y) * target->pitch + static_cast<std::size_t>(r.x) * 4,
                    s.row(y) + r.x, static_cast<std::size_t>(r.w) * 4);
    SDL_UpdateWindowSurfaceRects(h->sdl, rects.data(), static_cast<int>(rects.size()));
    return;
  }
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(s.pixels.data()), s.width, s.height, 32,
                                                        s.width * 4, SDL_PIXELFORMAT_RGB888);
  if (!src) return;
  SDL_BlitSurface(src, nullptr, target, nullptr);
  SDL_FreeSurface(src);
  SDL_UpdateWindowSurface(h->sdl);
  h->present_whole = false;
  h->presented_on = target;
}

void z_order(void* p, const HWND* front_to_back, int count) {
  auto* st = state_of(p);
  std::vector<SDL_Window*> v;
  for (int i = 0; i < count; ++i)
    if (HostWindow* h = find(p, front_to_back[i])) v.push_back(h->sdl);
  // A window manager keeps each owned window above its owner itself; on a
  // bare server the stacking is ours.
  if (v.size() < 2 || x11_managed(st->x11, v.front())) return;
  x11_restack(st->x11, v.data(), static_cast<int>(v.size()));
}

}  // namespace plat::sdl
