// Internal state of the window manager, shared by the files of
// platform/user/ and by nothing else: the window records, the class table,
// the message queue, timers and the input state. One Desktop exists per
// process, as one window station does.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/input_event.h"
#include "platform/gdi/surface.h"
#include "platform/user/user.h"

namespace plat {

struct WindowClass {
  std::string name;  // compared without regard to case
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menu_name;
  int extra_bytes = 0;
  ATOM atom = 0;
};

}  // namespace plat

// The window record behind an HWND.
struct plat::Window {
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exstyle = 0;
  std::string title;
  HWND parent = nullptr;  // child windows only
  HWND owner = nullptr;   // owned top-level windows only
  std::vector<HWND> children;  // front to back
  LONG_PTR id = 0;        // child id (GWL_ID)
  HMENU menu = nullptr;   // top-level menu bar
  HINSTANCE instance = nullptr;
  LONG_PTR user_data = 0;
  std::map<std::string, HANDLE> props;
  std::vector<unsigned char> extra;  // the class's window extra bytes

  // Outer rectangle: screen coordinates for a top-level window, parent-client
  // coordinates for a child. The client rectangle is kept relative to the
  // outer rectangle's top-left corner.
  RECT rect;
  RECT client;
  RECT normal_rect;  // outer rectangle to restore after minimise/maximise

  // Painting: the pending update of the client (client coordinates), and
  // whether the frame needs drawing.
  bool has_update = false;
  RECT update;
  bool erase_pending = false;
  bool frame_pending = false;
  bool caption_active = false;  // as the last WM_NCACTIVATE said
  bool in_paint = false;

  // Top-level windows own the pixels of their frame and every child.
  std::unique_ptr<Surface> surface;
  bool shown_on_host = false;   // its host window shows it
  bool iconic_on_host = false;  // its host window shows it minimised
  // The host's own report of the window's place or size is being taken:
  // it is not sent back (a report may be of an earlier request, and sent
  // back it would undo the later one).
  bool placed_by_host = false;
  bool dirty = false;  // pixels changed since the host last saw them
  std::uint64_t presented_changes = 0;  // the surface's count of changes when it was last shown
  // The pixels a minimised window had, shown again as it is restored: the
  // program may be unable to draw at that moment (inside a menu).
  std::unique_ptr<Surface> kept_while_iconic;
  std::vector<HDC> dcs;  // device contexts handed out and not yet released

  bool destroy_started = false;  // DestroyWindow is under way (its handlers may call it again)
  bool destroying = false;
  bool created = false;  // WM_CREATE has returned
  bool restore_maximized = false;  // minimised from the maximised state
};

namespace plat {

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  DWORD due = 0;
  TIMERPROC proc = nullptr;
};

// A device context handed out for a window: on its client area, on its
// whole window (frame included), or for one BeginPaint with its clip.
struct DcUse {
  HDC dc = nullptr;
  HWND hwnd = nullptr;
  bool whole_window = false;
  bool paint = false;
  RECT clip;  // BeginPaint only: the area to paint, client coordinates
};

struct Desktop {
  std::vector<DcUse> dc_uses;
  std::vector<std::unique_ptr<WindowClass>> classes;
  ATOM next_atom = 0xC000;
  std::vector<HWND> all;        // every live window, in creation order
  std::vector<HWND> top_level;  // top-level windows, front to back
  std::vector<HWND> kept_on_top;  // child windows drawn again over any window that draws on them

  std::deque<MSG> queue;  // posted and input messages, in order
  bool quit_posted = false;
  int quit_code = 0;
  std::deque<InputEvent> input;  // host events not yet routed

  std::vector<Timer> timers;
  UINT_PTR next_timer_id = 1;

  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;

  // State of the last message taken from the queue.
  DWORD message_time = 0;
  POINT message_pos;
  POINT cursor_pos;  // screen position of the pointer now
  BYTE key_state[256] = {};        // as of the last key message taken (bit 7 down)
  BYTE async_key_state[256] = {};  // as the host reports it now
  bool alt_alone = false;          // Alt is down and no other key went down since

  // Double-click detection.
  HWND last_click_window = nullptr;
  UINT last_click_message = 0;
  DWORD last_click_time = 0;
  POINT last_click_pos;

  // Moving or sizing a window with the mouse: the hit-test code where the
  // button went down, the pointer then, and the window's rectangle then.
  HWND dragging = nullptr;
  LRESULT drag_hit = 0;
  POINT drag_start;
  RECT drag_rect;

  HBRUSH sys_brushes[COLOR_COUNT] = {};
  int cascade = 0;  // next default position of a top-level window  // GetSysColorBrush, made on first use
  int send_depth = 0;                // window procedures running now
  std::vector<Window*> graveyard;    // destroyed, freed when no procedure runs
};

Desktop& desktop();

// ---- Lookups and geometry helpers (window.cpp, geometry.cpp)
WindowClass* find_class(const char* name);
HWND top_level_of(HWND hwnd);
// The sibling made just before `hwnd` (creation order, whatever the
// stacking order), or null.
HWND sibling_created_before(HWND hwnd);
// A child window that must stay in front of every other window of its
// top-level window while `on` (a dropped combo-box list): no other window
// of it draws over its place meanwhile.
void keep_on_top(HWND hwnd, bool on);
bool is_top_level(HWND hwnd);
bool really_visible(HWND hwnd);  // it and all its ancestors are visible
// Client rectangle's top-left corner in screen coordinates.
POINT client_origin_on_screen(HWND hwnd);
// Outer rectangle in screen coordinates.
RECT window_rect_on_screen(HWND hwnd);
// Outer rectangle relative to the top-level window's top-left corner
// (that is, in its surface's coordinates).
RECT window_rect_on_surface(HWND hwnd);
// Client rectangle in surface coordinates, cut to what the ancestors' client areas show.
RECT visible_client_on_surface(HWND hwnd);
// Recompute the client rectangle from the outer rectangle and the style.
void recompute_client(HWND hwnd);
// Refresh the placement of every device context of hwnd's top-level window
// (and the parts the windows in front cover).
void refresh_dc_placement(HWND hwnd);
// Repaint what `area` (surface coordinates) covers of window w: its frame,
// its client and its children.
void invalidate_on_surface(HWND w, RECT area);
// Repaint what `area` (surface coordinates) covers of the windows behind
// hwnd among its siblings, which it hid until now.
void invalidate_behind(HWND hwnd, RECT area);
// Resize a top-level window's surface to its outer size, keeping the overlap.
void fit_surface(HWND hwnd);
void tell_host_geometry(HWND hwnd);
void tell_host_z_order();
// Whether the top-level window `w` is owned by `owner`, directly or through
// windows owned by it.
bool owned_by(HWND w, HWND owner);
// The frontmost shown, enabled, not minimised window owned by `owner`
// (the modal dialog or box that disabled it), or null.
HWND enabled_owned_popup(HWND owner);

// ---- Rectangles (rect.cpp)
RECT make_rect(LONG l, LONG t, LONG r, LONG b);
bool rect_empty(const RECT& r);
RECT rect_intersect(const RECT& a, const RECT& b);
RECT rect_union(const RECT& a, const RECT& b);
RECT rect_offset(RECT r, LONG dx, LONG dy);
bool point_in(const RECT& r, POINT p);
LONG rect_width(const RECT& r);
LONG rect_height(const RECT& r);

// ---- Non-client area (nonclient.cpp)
// The frame's thickness on each side and the caption and menu heights for a style.
struct FrameMetrics {
  int border = 0;   // thickness of the border on each side
  int caption = 0;  // caption bar height (0: none)
  int menu = 0;     // menu bar height (0: none)
};
FrameMetrics frame_metrics(DWORD style, DWORD exstyle, bool has_menu);
// The window menu's Move (size false) and Size from the keyboard
// (move_size.cpp): arrows, Enter keeps, Escape puts the window back.
void keyboard_move_size(HWND hwnd, bool size);
LRESULT nc_hit_test(HWND hwnd, POINT screen_pt);
void nc_paint(HWND hwnd);
// Fill a rectangle with a class background brush, which may be a system
// colour given as (HBRUSH)(COLOR_xxx + 1).
void fill_with_class_brush(HDC dc, RECT r, HBRUSH brush);
// Caption boxes in surface coordinates (empty when absent).
RECT caption_rect(HWND hwnd);
RECT close_box_rect(HWND hwnd);
RECT max_box_rect(HWND hwnd);
RECT min_box_rect(HWND hwnd);
RECT sys_box_rect(HWND hwnd);
RECT menu_bar_rect(HWND hwnd);

// ---- Queue (queue.cpp)
void post_message(const MSG& m, bool at_front);
void remove_messages_of(HWND hwnd);
// Present every visible top-level window's surface whose pixels could have
// changed since the host last saw them; present_window presents one now.
void present_all();
void present_window(HWND top);

// ---- Input routing (input.cpp)
void route_event(const InputEvent& e);
void install_desktop_hooks();

// ---- Painting (paint.cpp)
void invalidate_client(HWND hwnd, const RECT* rect, bool erase, bool children);
void invalidate_frame(HWND hwnd);
// The next window that needs WM_PAINT (or its frame drawn), front to back.
HWND next_window_to_paint();
void forget_dcs(HWND hwnd);

// ---- Focus and activation (focus.cpp)
void activate_window(HWND hwnd, WPARAM how);
void focus_lost_with(HWND hwnd);  // hwnd is being hidden or destroyed

// ---- Timers (timer.cpp)
// Take the first timer that is due as a WM_TIMER message.
bool take_timer_message(MSG* out, HWND filter, bool remove);
// Milliseconds until the next timer is due (-1: none).
int time_to_next_timer();
void remove_timers_of(HWND hwnd);

// ---- Key state (translate.cpp)
void note_key_message(const MSG& m);
void note_async_key(UINT vk, bool down);
// MSG::lPrivate of an input message: the modifiers at the time of the event,
// and for a key-down the character the host gave with it.
inline constexpr DWORD kPrivHasChar = 0x100;
inline constexpr DWORD kPrivHasMods = 0x1000;
inline constexpr DWORD kPrivNoChar = 0x2000;  // the character arrives as a message of its own
inline DWORD private_bits(unsigned mods, int ch) {
  DWORD v = kPrivHasMods | (static_cast<DWORD>(mods & 7) << 9);
  if (ch >= 0) v |= kPrivHasChar | static_cast<DWORD>(ch & 0xff);
  return v;
}

// Free the records of destroyed windows once no window procedure runs.
void free_graveyard();
// Make sure a display is open (the first window or system value needs it).
void ensure_display();
// Destroy every window and forget all state: for tests and the end of a run.
void desktop_reset();

}  // namespace plat
