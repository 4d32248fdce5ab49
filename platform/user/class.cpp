// Window classes: registration, lookup by name (case-insensitive), and the
// class name of a window.
#include <cstring>
#include <strings.h>

#include "platform/user/desktop.h"

namespace plat {

WindowClass* find_class(const char* name) {
  if (!name) return nullptr;
  // A class may be named by its atom, as MAKEINTATOM does.
  auto atom = reinterpret_cast<std::uintptr_t>(name);
  for (auto& c : desktop().classes) {
    if (atom < 0x10000) {
      if (c->atom == atom) return c.get();
    } else if (strcasecmp(c->name.c_str(), name) == 0) {
      return c.get();
    }
  }
  return nullptr;
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || reinterpret_cast<std::uintptr_t>(wc->lpszClassName) < 0x10000)
    return 0;
  if (find_class(wc->lpszClassName)) return 0;  // already registered
  auto c = std::make_unique<WindowClass>();
  c->name = wc->lpszClassName;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  if (wc->lpszMenuName && reinterpret_cast<std::uintptr_t>(wc->lpszMenuName) >= 0x10000) c->menu_name = wc->lpszMenuName;
  c->extra_bytes = wc->cbWndExtra;
  c->atom = desktop().next_atom++;
  ATOM atom = c->atom;
  desktop().classes.push_back(std::move(c));
  return atom;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  WNDCLASSEXA ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassExA(&ex);
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
  WindowClass* c = find_class(name);
  if (!c) return FALSE;
  for (HWND w : desktop().all)
    if (w->cls == c) return FALSE;  // still in use
  auto& v = desktop().classes;
  for (auto it = v.begin(); it != v.end(); ++it) {
    if (it->get() == c) {
      v.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR name, WNDCLASSA* out) {
  WindowClass* c = find_class(name);
  if (!c || !out) return FALSE;
  out->style = c->style;
  out->lpfnWndProc = c->proc;
  out->cbClsExtra = 0;
  out->cbWndExtra = c->extra_bytes;
  out->hInstance = c->instance;
  out->hIcon = c->icon;
  out->hCursor = c->cursor;
  out->hbrBackground = c->background;
  out->lpszMenuName = c->menu_name.empty() ? nullptr : c->menu_name.c_str();
  out->lpszClassName = c->name.c_str();
  return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
  if (!IsWindow(hwnd) || !buffer || size <= 0) return 0;
  const std::string& n = hwnd->cls->name;
  int len = static_cast<int>(n.size());
  if (len > size - 1) len = size - 1;
  std::memcpy(buffer, n.data(), static_cast<std::size_t>(len));
  buffer[len] = 0;
  return len;
}

}  // namespace plat
