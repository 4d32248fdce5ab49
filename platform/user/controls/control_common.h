// What every standard control shares: its state record in the window's
// extra bytes, the font, the press/focus logic of clickable controls, the
// colour request to the parent, notifications, and the frame and text
// helpers every control draws with.
#pragma once

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/controls/controls.h"

namespace plat::ctl {

// ---- State record ------------------------------------------------------
// Each control class keeps one heap record whose pointer sits in the first
// extra bytes of the window; it is made at WM_NCCREATE and freed at
// WM_NCDESTROY.
inline constexpr int kStateBytes = sizeof(void*);

template <class T>
T* state_of(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, 0));
}
template <class T>
T* attach_state(HWND hwnd) {
  T* s = new T();
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  return s;
}
template <class T>
void free_state(HWND hwnd) {
  delete state_of<T>(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
}

// Register one control class with room for its state record; the pointer
// takes the shape `cursor` over it (a system cursor).
void register_control_class(const char* name, WNDPROC proc, UINT style, LPCSTR cursor = IDC_ARROW);

DWORD style_of(HWND hwnd);
int id_of(HWND hwnd);
bool has_focus(HWND hwnd);
// The font the control draws with: the one set by WM_SETFONT, else the
// dialog font.
HFONT font_or_default(HFONT f);

// WM_COMMAND to the parent: the control's id and a notification code.
void notify_parent(HWND hwnd, WORD code);

// ---- Pressing with mouse and keyboard ----------------------------------
// A clickable control is pressed while the left button went down on it and
// the pointer stays inside, or while Space is held; it is clicked when the
// button (or Space) is released in that state.
struct Press {
  bool mouse = false;  // the left button went down on the control (captured)
  bool key = false;    // Space is held
  bool inside = false; // the pointer is inside now
  bool shown() const { return key || (mouse && inside); }
};
// Feed a message to the press logic: true when it was handled; *clicked is
// set when the press completed as a click, *changed when shown() changed.
bool press_input(HWND hwnd, Press& p, UINT msg, WPARAM wparam, LPARAM lparam, bool* clicked,
                 bool* changed);

// ---- Colours -----------------------------------------------------------
COLORREF sys_colour(int index);
// Ask the parent for the control's colours (WM_CTLCOLORxxx); without an
// answer the defaults are set: window text on button face for buttons and
// statics, on the window colour for edits and lists. Returns the
// background brush.
HBRUSH control_colours(HWND hwnd, HDC dc, UINT ctlcolor_msg);

// ---- Drawing -----------------------------------------------------------
void fill(HDC dc, const RECT& r, COLORREF c);
void hline(HDC dc, int x0, int x1, int y, COLORREF c);  // x0..x1-1
void vline(HDC dc, int x, int y0, int y1, COLORREF c);  // y0..y1-1
// Raised push-button edge (pressed: the flat shadow frame).
void draw_button_edge(HDC dc, RECT r, bool pressed);
// Sunken 2-pixel field edge (check boxes, list and edit wells).
void draw_sunken_edge(HDC dc, RECT r);
// Etched line frame (group boxes, etched statics).
void draw_etched_frame(HDC dc, RECT r);
// Dotted focus rectangle.
void draw_focus_rect(HDC dc, RECT r);

// Text flags for draw_text.
inline constexpr unsigned kLeft = 0;
inline constexpr unsigned kCenter = 1;
inline constexpr unsigned kRight = 2;
inline constexpr unsigned kVCenter = 4;
inline constexpr unsigned kWrap = 8;       // break lines at blanks to fit the width
inline constexpr unsigned kPrefix = 16;    // "&x" underlines x, "&&" is "&"
inline constexpr unsigned kDisabled = 32;  // embossed grey
inline constexpr unsigned kMeasure = 64;   // compute only, draw nothing

// Draws text in the rectangle with the context's font and text colour;
// CR LF, a lone CR or LF break lines. Returns the size it takes (the width
// of the longest line and the height of all lines).
SIZE draw_text(HDC dc, const RECT& r, const std::string& text, unsigned flags);
// The mnemonic character of a text with "&" prefixes, lower-cased (0: none).
char mnemonic_of(const std::string& text);
// Text without its "&" prefixes.
std::string strip_prefix(const std::string& text);

// Window text as a std::string.
std::string window_text(HWND hwnd);

// Line height of a font.
int line_height(HDC dc);

// ---- Painting ----------------------------------------------------------
// BeginPaint/EndPaint with the control's font selected, restored at the end.
class PaintScope {
 public:
  PaintScope(HWND hwnd, HFONT font);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return ps_.hdc; }
  RECT client() const { return client_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_;
  HGDIOBJ old_font_ = nullptr;
  RECT client_;
};

}  // namespace plat::ctl
