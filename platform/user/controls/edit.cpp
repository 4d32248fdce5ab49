// EDIT: single-line fields (caret, selection, clipboard, text limit,
// password, read-only, number-only) and multi-line fields (lines ended by
// CR LF, tab stops, a vertical scroll bar), all text code page 1250.
//
// Sections: state and text model; geometry (lines, columns, pixels);
// painting; editing commands; keyboard and mouse; the messages by kind
// and the window procedure that hands them out.
#include <algorithm>
#include <vector>

#include "platform/user/controls/control_common.h"
#include "platform/user/controls/scroll_bar.h"
#include "text/letters.h"

namespace plat {
namespace {

using namespace ctl;

inline constexpr int kDefaultLimit = 32767;  // what typing may reach without EM_LIMITTEXT
inline constexpr int kMaxTabStops = 64;
inline constexpr int kMargin = 2;  // pixels between the edge and the text
inline constexpr int kColumn = 8;  // pixels the horizontal bar moves the text by a step

struct Edit {
  HFONT font = nullptr;
  std::string text;
  int anchor = 0;  // where the selection started
  int caret = 0;   // the selection's moving end, where the caret is
  int limit = kDefaultLimit;
  bool modified = false;
  char password = 0;
  int scroll_x = 0;  // pixels scrolled to the left
  VScroll vs;        // multi-line: first visible line
  VScroll hs;        // multi-line with WS_HSCROLL: columns of kColumn pixels
  bool selecting = false;  // left button held
  std::vector<int> tabs;   // tab stops in pixels (multi-line)
};

bool multiline(HWND h) { return style_of(h) & ES_MULTILINE; }
bool read_only(HWND h) { return style_of(h) & ES_READONLY; }
int sel_lo(const Edit* e) { return std::min(e->anchor, e->caret); }
int sel_hi(const Edit* e) { return std::max(e->anchor, e->caret); }

// ---- Lines ---------------------------------------------------------------

struct LineSpan {
  int start = 0;
  int end = 0;  // before the line break
};

std::vector<LineSpan> lines_of(const std::string& t) {
  std::vector<LineSpan> v;
  int start = 0;
  int n = static_cast<int>(t.size());
  for (int i = 0; i < n; ++i) {
    if (t[static_cast<std::size_t>(i)] == '\r' || t[static_cast<std::size_t>(i)] == '\n') {
      v.push_back({start, i});
      if (t[static_cast<std::size_t>(i)] == '\r' && i + 1 < n && t[static_cast<std::size_t>(i) + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  v.push_back({start, n});
  return v;
}

int line_of(const std::vector<LineSpan>& ls, int pos) {
  for (std::size_t i = 0; i < ls.size(); ++i)
    if (pos <= ls[i].end) return static_cast<int>(i);
  return static_cast<int>(ls.size()) - 1;
}

// ---- Pixels --------------------------------------------------------------

// What is shown for a stretch of text: the password character for every
// character of a password field.
std::string shown(HWND h, const Edit* e, int from, int to) {
  std::string s = e->text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  if (e->password && !multiline(h)) std::fill(s.begin(), s.end(), e->password);
  return s;
}

int default_tab(HDC dc) {
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  return 8 * std::max<int>(1, static_cast<int>(tm.tmAveCharWidth));  // 32 dialog units
}

// Width of a stretch of one line, tabs expanded to the tab stops.
int text_width(HDC dc, const Edit* e, const std::string& s) {
  int x = 0;
  std::size_t run = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && s[i] != '\t') continue;
    if (i > run) {
      SIZE sz;
      GetTextExtentPoint32A(dc, s.data() + run, static_cast<int>(i - run), &sz);
      x += static_cast<int>(sz.cx);
    }
    if (i < s.size()) {
      // Explicit stops first; one stop alone is the spacing of all of them;
      // past the last one, every 32 dialog units.
      int next = 0;
      if (e->tabs.size() > 1)
        for (int t : e->tabs)
          if (t > x) {
            next = t;
            break;
          }
      if (!next) {
        int step = e->tabs.size() == 1 && e->tabs[0] > 0 ? e->tabs[0] : default_tab(dc);
        next = (x / step + 1) * step;
      }
      x = next;
    }
    run = i + 1;
  }
  return x;
}

bool has_vbar(HWND h) { return multiline(h) && (style_of(h) & WS_VSCROLL); }
bool has_hbar(HWND h) { return multiline(h) && (style_of(h) & WS_HSCROLL); }

// The vertical bar along the right, above the horizontal one along the bottom.
RECT vbar_rect(HWND h) {
  RECT c;
  GetClientRect(h, &c);
  RECT r = scroll_rect(c);
  if (has_hbar(h)) r.bottom = std::max(r.top, r.bottom - kScrollWidth);
  return r;
}
RECT hbar_rect(HWND h) {
  RECT c;
  GetClientRect(h, &c);
  return RECT{c.left, std::max(c.top, c.bottom - kScrollWidth), has_vbar(h) ? std::max(c.left, c.right - kScrollWidth) : c.right,
              c.bottom};
}

RECT text_area(HWND h, const Edit* e) {
  RECT c;
  GetClientRect(h, &c);
  if (has_vbar(h)) c.right -= kScrollWidth;
  if (has_hbar(h)) c.bottom -= kScrollWidth;
  (void)e;
  InflateRect(&c, -kMargin, multiline(h) ? -kMargin : 0);
  return c;
}

// The character position nearest to x within line [from, to).
int pos_at_x(HDC dc, HWND h, const Edit* e, int from, int to, int x) {
  int best = from;
  int prev_w = 0;
  for (int p = from + 1; p <= to; ++p) {
    int w = text_width(dc, e, shown(h, e, from, p));
    if (x < (prev_w + w) / 2) return p - 1;
    prev_w = w;
    best = p;
  }
  return best;
}

int visible_lines(HWND h, HDC dc, const Edit* e) {
  RECT a = text_area(h, e);
  return std::max(1, static_cast<int>((a.bottom - a.top) / line_height(dc)));
}

// Scroll so the caret is visible.
void follow_caret(HWND h, Edit* e) {
  HDC dc = GetDC(h);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font_or_default(e->font));
  RECT a = text_area(h, e);
  int width = a.right - a.left;
  std::vector<LineSpan> ls = lines_of(e->text);
  int li = line_of(ls, e->caret);
  int cx = text_width(dc, e, shown(h, e, ls[static_cast<std::size_t>(li)].start, e->caret));
  if (cx - e->scroll_x > width - 1) e->scroll_x = cx - width + std::max(1, width / 4);
  if (cx < e->scroll_x) e->scroll_x = std::max(0, cx - std::max(1, width / 4));
  if (multiline(h)) {
    e->hs.first = e->scroll_x / kColumn;
    e->vs.count = static_cast<int>(ls.size());
    e->vs.page = visible_lines(h, dc, e);
    if (li < e->vs.first) e->vs.first = li;
    if (li >= e->vs.first + e->vs.page) e->vs.first = li - e->vs.page + 1;
    e->vs.clamp();
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
}

// ---- Painting ------------------------------------------------------------

// The horizontal bar's range: the widest line, in columns.
void measure_columns(HWND h, HDC dc, Edit* e, const std::vector<LineSpan>& ls) {
  RECT a = text_area(h, e);
  int widest = 0;
  for (const LineSpan& l : ls) widest = std::max(widest, text_width(dc, e, shown(h, e, l.start, l.end)));
  e->hs.page = std::max(1, static_cast<int>(a.right - a.left) / kColumn);
  e->hs.count = (widest + kColumn - 1) / kColumn + 1;
  e->hs.first = e->scroll_x / kColumn;
}

void paint(HWND h, Edit* e) {
  PaintScope p(h, e->font);
  HDC dc = p.dc();
  if (!dc) return;
  RECT c = p.client();
  bool disabled = !IsWindowEnabled(h);
  // Read-only and disabled fields show on the button face, as usual.
  HBRUSH bg = control_colours(h, dc, (read_only(h) || disabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &c, bg);
  COLORREF text_colour = disabled ? sys_colour(COLOR_GRAYTEXT) : GetTextColor(dc);
  RECT a = text_area(h, e);
  int lh = line_height(dc);
  std::vector<LineSpan> ls = lines_of(e->text);
  bool focused = has_focus(h);
  bool show_sel = focused || (style_of(h) & ES_NOHIDESEL);
  int lo = sel_lo(e), hi = sel_hi(e);
  int first = multiline(h) ? e->vs.first : 0;
  int y = multiline(h) ? a.top : a.top + ((a.bottom - a.top) - lh) / 2;
  int count = multiline(h) ? visible_lines(h, dc, e) + 1 : 1;
  RECT clip_area = a;
  // The text stays inside its area, off the margins and the bars.
  HRGN text_clip = CreateRectRgn(a.left, c.top, a.right, has_hbar(h) ? a.bottom + kMargin : c.bottom);
  SelectClipRgn(dc, text_clip);
  for (int li = first; li < static_cast<int>(ls.size()) && li < first + count; ++li, y += lh) {
    const LineSpan& l = ls[static_cast<std::size_t>(li)];
    int x0 = a.left - e->scroll_x;
    // Selected part, drawn as highlight.
    int s0 = std::clamp(lo, l.start, l.end), s1 = std::clamp(hi, l.start, l.end);
    std::string all = shown(h, e, l.start, l.end);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    // Draw tab-separated runs at their stops.
    int run = l.start;
    for (int i = l.start; i <= l.end; ++i) {
      if (i < l.end && e->text[static_cast<std::size_t>(i)] != '\t') continue;
      if (i > run) {
        int rx = x0 + text_width(dc, e, shown(h, e, l.start, run));
        std::string piece = shown(h, e, run, i);
        if (rx < clip_area.right && y < clip_area.bottom)
          TextOutA(dc, rx, y, piece.data(), static_cast<int>(piece.size()));
      }
      run = i + 1;
    }
    if (show_sel && s1 > s0) {
      int sx0 = x0 + text_width(dc, e, shown(h, e, l.start, s0));
      int sx1 = x0 + text_width(dc, e, shown(h, e, l.start, s1));
      RECT sr{std::max<LONG>(sx0, a.left), y, std::min<LONG>(sx1, a.right), y + lh};
      fill(dc, sr, sys_colour(COLOR_HIGHLIGHT));
      SetTextColor(dc, sys_colour(COLOR_HIGHLIGHTTEXT));
      // The selected characters again, over the highlight (tab-free runs).
      int r0 = s0;
      for (int i = s0; i <= s1; ++i) {
        if (i < s1 && e->text[static_cast<std::size_t>(i)] != '\t') continue;
        if (i > r0) {
          int rx = x0 + text_width(dc, e, shown(h, e, l.start, r0));
          std::string piece = shown(h, e, r0, i);
          TextOutA(dc, rx, y, piece.data(), static_cast<int>(piece.size()));
        }
        r0 = i + 1;
      }
      SetTextColor(dc, text_colour);
    }
    if (focused && e->caret >= l.start && e->caret <= l.end) {
      int cx = x0 + text_width(dc, e, shown(h, e, l.start, e->caret));
      if (cx >= a.left - 1 && cx < a.right + 1) vline(dc, cx, y, y + lh, sys_colour(COLOR_WINDOWTEXT));
    }
    (void)all;
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(text_clip);
  if (has_vbar(h)) {
    e->vs.count = static_cast<int>(ls.size());
    e->vs.page = visible_lines(h, dc, e);
    e->vs.clamp();
    draw_vscroll(dc, vbar_rect(h), e->vs);
  }
  if (has_hbar(h)) {
    measure_columns(h, dc, e, ls);
    draw_hscroll(dc, hbar_rect(h), e->hs);
    if (has_vbar(h)) {
      RECT vb = vbar_rect(h), hb = hbar_rect(h);
      fill(dc, RECT{vb.left, hb.top, vb.right, hb.bottom}, sys_colour(COLOR_BTNFACE));
    }
  }
}

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

// ---- Editing ---------------------------------------------------------------

void changed(HWND h, Edit* e) {
  e->modified = true;
  follow_caret(h, e);
  redraw(h);
  notify_parent(h, EN_UPDATE);
  notify_parent(h, EN_CHANGE);
}

// Replace the selection by `s` (cut to what the limit allows). Returns
// false when nothing at all could be inserted because of the limit.
bool replace_selection(HWND h, Edit* e, std::string s, bool check_limit) {
  int lo = sel_lo(e), hi = sel_hi(e);
  if (check_limit) {
    int room = e->limit - (static_cast<int>(e->text.size()) - (hi - lo));
    if (room < static_cast<int>(s.size())) {
      s.resize(static_cast<std::size_t>(std::max(0, room)));
      notify_parent(h, EN_MAXTEXT);
      if (s.empty() && lo == hi) return false;
    }
  }
  e->text.replace(static_cast<std::size_t>(lo), static_cast<std::size_t>(hi - lo), s);
  e->anchor = e->caret = lo + static_cast<int>(s.size());
  return true;
}

std::string selected(const Edit* e) {
  return e->text.substr(static_cast<std::size_t>(sel_lo(e)), static_cast<std::size_t>(sel_hi(e) - sel_lo(e)));
}

void copy(HWND h, Edit* e) {
  if (e->password && !multiline(h)) return;  // a password is not handed out
  if (sel_hi(e) > sel_lo(e)) clipboard_set_text(selected(e));
}

void paste(HWND h, Edit* e) {
  if (read_only(h)) return;
  std::string s = clipboard_text();
  if (!multiline(h)) {
    // A single line takes the clipboard up to its first line break.
    std::size_t cut = s.find_first_of("\r\n");
    if (cut != std::string::npos) s.resize(cut);
  }
  if (replace_selection(h, e, s, true)) changed(h, e);
}

void erase(HWND h, Edit* e, bool forward) {
  if (read_only(h)) return;
  if (sel_lo(e) == sel_hi(e)) {
    int n = static_cast<int>(e->text.size());
    if (forward) {
      if (e->caret >= n) return;
      int step = (e->text[static_cast<std::size_t>(e->caret)] == '\r' && e->caret + 1 < n &&
                  e->text[static_cast<std::size_t>(e->caret) + 1] == '\n') ? 2 : 1;
      e->caret += step;
    } else {
      if (e->caret <= 0) return;
      int step = (e->caret >= 2 && e->text[static_cast<std::size_t>(e->caret) - 1] == '\n' &&
                  e->text[static_cast<std::size_t>(e->caret) - 2] == '\r') ? 2 : 1;
      e->caret -= step;
    }
  }
  replace_selection(h, e, "", false);
  changed(h, e);
}

bool is_word_char(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; }

int word_left(const Edit* e, int p) {
  while (p > 0 && !is_word_char(e->text[static_cast<std::size_t>(p) - 1])) --p;
  while (p > 0 && is_word_char(e->text[static_cast<std::size_t>(p) - 1])) --p;
  return p;
}
int word_right(const Edit* e, int p) {
  int n = static_cast<int>(e->text.size());
  while (p < n && is_word_char(e->text[static_cast<std::size_t>(p)])) ++p;
  while (p < n && !is_word_char(e->text[static_cast<std::size_t>(p)])) ++p;
  return p;
}

// ---- Keyboard and mouse --------------------------------------------------

void move_caret(HWND h, Edit* e, int to, bool extend) {
  to = std::clamp(to, 0, static_cast<int>(e->text.size()));
  e->caret = to;
  if (!extend) e->anchor = to;
  follow_caret(h, e);
  redraw(h);
}

// The position on another line at the same pixel column.
int vertical_move(HWND h, Edit* e, int delta) {
  std::vector<LineSpan> ls = lines_of(e->text);
  int li = line_of(ls, e->caret);
  int target = std::clamp(li + delta, 0, static_cast<int>(ls.size()) - 1);
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(e->font));
  const LineSpan& cur = ls[static_cast<std::size_t>(li)];
  int x = text_width(dc, e, shown(h, e, cur.start, e->caret));
  const LineSpan& t = ls[static_cast<std::size_t>(target)];
  int p = pos_at_x(dc, h, e, t.start, t.end, x);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return p;
}

int page_lines(HWND h, Edit* e) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(e->font));
  int n = visible_lines(h, dc, e);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return n;
}

bool key_down(HWND h, Edit* e, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  std::vector<LineSpan> ls = lines_of(e->text);
  const LineSpan& cur = ls[static_cast<std::size_t>(line_of(ls, e->caret))];
  switch (vk) {
    case VK_LEFT: {
      int li = line_of(ls, e->caret);
      if (!shift && sel_lo(e) != sel_hi(e)) move_caret(h, e, sel_lo(e), false);
      else if (ctrl) move_caret(h, e, word_left(e, e->caret), shift);
      else if (e->caret == cur.start && li > 0) move_caret(h, e, ls[static_cast<std::size_t>(li) - 1].end, shift);
      else move_caret(h, e, e->caret - 1, shift);
      return true;
    }
    case VK_RIGHT:
      if (!shift && sel_lo(e) != sel_hi(e)) move_caret(h, e, sel_hi(e), false);
      else if (e->caret == cur.end && line_of(ls, e->caret) + 1 < static_cast<int>(ls.size()))
        move_caret(h, e, ls[static_cast<std::size_t>(line_of(ls, e->caret)) + 1].start, shift);
      else move_caret(h, e, ctrl ? word_right(e, e->caret) : e->caret + 1, shift);
      return true;
    case VK_HOME: move_caret(h, e, ctrl ? 0 : cur.start, shift); return true;
    case VK_END: move_caret(h, e, ctrl ? static_cast<int>(e->text.size()) : cur.end, shift); return true;
    case VK_UP:
      if (!multiline(h)) return false;
      move_caret(h, e, vertical_move(h, e, -1), shift);
      return true;
    case VK_DOWN:
      if (!multiline(h)) return false;
      move_caret(h, e, vertical_move(h, e, 1), shift);
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      if (!multiline(h)) return false;
      move_caret(h, e, vertical_move(h, e, (vk == VK_PRIOR ? -1 : 1) * page_lines(h, e)), shift);
      return true;
    case VK_DELETE:
      if (shift) {  // Shift+Delete cuts
        copy(h, e);
        if (sel_lo(e) != sel_hi(e)) erase(h, e, true);
      } else {
        erase(h, e, true);
      }
      return true;
    case VK_INSERT:
      if (ctrl) copy(h, e);
      else if (shift) paste(h, e);
      return true;
    default: break;
  }
  if (ctrl) {
    switch (vk) {
      case 'A': e->anchor = 0; move_caret(h, e, static_cast<int>(e->text.size()), true); return true;
      case 'C': copy(h, e); return true;
      case 'X':
        copy(h, e);
        if (!read_only(h) && sel_lo(e) != sel_hi(e)) erase(h, e, true);
        return true;
      case 'V': paste(h, e); return true;
      default: break;
    }
  }
  return false;
}

void char_typed(HWND h, Edit* e, unsigned char c) {
  if (c == 8) {
    erase(h, e, false);
    return;
  }
  if (read_only(h)) return;
  std::string s;
  if (c == '\r') {
    if (!multiline(h)) return;
    s = "\r\n";
  } else if (c == '\t') {
    if (!multiline(h)) return;
    s = "\t";
  } else if (c < 32 || c == 127) {
    return;
  } else {
    if ((style_of(h) & ES_NUMBER) && (c < '0' || c > '9')) {
      MessageBeep(0);
      return;
    }
    if (style_of(h) & ES_UPPERCASE) c = static_cast<unsigned char>(text::asciiupper(static_cast<char>(c)));
    if (style_of(h) & ES_LOWERCASE) c = static_cast<unsigned char>(text::asciilower(static_cast<char>(c)));
    s = std::string(1, static_cast<char>(c));
  }
  if (!replace_selection(h, e, s, true)) {
    MessageBeep(0);
    return;
  }
  changed(h, e);
}

int pos_at_point(HWND h, Edit* e, POINT pt) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(e->font));
  RECT a = text_area(h, e);
  std::vector<LineSpan> ls = lines_of(e->text);
  int li = 0;
  if (multiline(h)) li = std::clamp(e->vs.first + static_cast<int>((pt.y - a.top) / line_height(dc)), 0,
                                    static_cast<int>(ls.size()) - 1);
  const LineSpan& l = ls[static_cast<std::size_t>(li)];
  int p = pos_at_x(dc, h, e, l.start, l.end, pt.x - a.left + e->scroll_x);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return p;
}

bool on_scroll_bar(HWND h, POINT pt) {
  if (!has_vbar(h)) return false;
  RECT r = vbar_rect(h);
  return PtInRect(&r, pt) != 0;
}

bool on_hscroll_bar(HWND h, POINT pt) {
  if (!has_hbar(h)) return false;
  RECT r = hbar_rect(h);
  return PtInRect(&r, pt) != 0;
}

// The horizontal bar moved: the text follows it.
void scroll_to_column(HWND h, Edit* e) {
  e->hs.clamp();
  e->scroll_x = e->hs.first * kColumn;
  redraw(h);
}

void set_text(HWND h, Edit* e, const char* s) {
  e->text = s ? s : "";
  if (e->text.size() > static_cast<std::size_t>(kMaxControlText)) e->text.resize(kMaxControlText);
  if (!multiline(h)) {
    std::size_t cut = e->text.find_first_of("\r\n");
    if (cut != std::string::npos) e->text.resize(cut);
  }
  e->anchor = e->caret = 0;
  e->scroll_x = 0;
  e->vs.first = 0;
  e->modified = false;
  redraw(h);
}

// ---- Messages, by kind ---------------------------------------------------

LRESULT create(HWND h, Edit* e, LPARAM lp) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
  if (cs && cs->lpszName) set_text(h, e, cs->lpszName);
  if (style_of(h) & ES_PASSWORD) e->password = '*';
  return 0;
}

LRESULT dialog_code(HWND h, LPARAM lp) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (multiline(h)) code |= DLGC_WANTALLKEYS;
  // Escape and Enter stay the dialog's in a single-line field, and Tab everywhere.
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  if (m && multiline(h) && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
      (m->wParam == VK_ESCAPE || m->wParam == VK_TAB || (m->wParam == VK_RETURN && !(style_of(h) & ES_WANTRETURN))))
    code &= ~DLGC_WANTALLKEYS;
  return code;
}

LRESULT text_message(HWND h, Edit* e, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETTEXT:
      set_text(h, e, reinterpret_cast<const char*>(lp));
      notify_parent(h, EN_CHANGE);
      return TRUE;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      if (!buf || wp == 0) return 0;
      std::size_t n = std::min(e->text.size(), static_cast<std::size_t>(wp) - 1);
      std::copy_n(e->text.data(), n, buf);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    default: return static_cast<LRESULT>(e->text.size());  // WM_GETTEXTLENGTH
  }
}

LRESULT button_down(HWND h, Edit* e, UINT msg, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (!has_focus(h)) SetFocus(h);
  if (on_scroll_bar(h, pt)) {
    if (vscroll_press(vbar_rect(h), e->vs, pt)) redraw(h);
    SetCapture(h);
    return 0;
  }
  if (on_hscroll_bar(h, pt)) {
    if (hscroll_press(hbar_rect(h), e->hs, pt)) scroll_to_column(h, e);
    SetCapture(h);
    return 0;
  }
  if (has_hbar(h) || has_vbar(h)) {
    // The corner between the two bars does nothing.
    RECT a = text_area(h, e);
    if (pt.x >= a.right + kMargin || pt.y >= a.bottom + kMargin) return 0;
  }
  int p = pos_at_point(h, e, pt);
  if (msg == WM_LBUTTONDBLCLK) {
    e->anchor = word_left(e, std::min(p + 1, static_cast<int>(e->text.size())));
    int r = p;
    while (r < static_cast<int>(e->text.size()) && is_word_char(e->text[static_cast<std::size_t>(r)])) ++r;
    e->caret = r;
    redraw(h);
    return 0;
  }
  move_caret(h, e, p, GetKeyState(VK_SHIFT) < 0);
  e->selecting = true;
  SetCapture(h);
  return 0;
}

LRESULT mouse_message(HWND h, Edit* e, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return button_down(h, e, msg, lp);
    case WM_MOUSEMOVE: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (e->vs.dragging) {
        if (vscroll_drag(vbar_rect(h), e->vs, pt)) redraw(h);
      } else if (e->hs.dragging) {
        if (hscroll_drag(hbar_rect(h), e->hs, pt)) scroll_to_column(h, e);
      } else if (e->selecting) {
        int p = pos_at_point(h, e, pt);
        if (p != e->caret) move_caret(h, e, p, true);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      e->selecting = false;
      e->vs.dragging = false;
      e->hs.dragging = false;
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    default:  // WM_MOUSEWHEEL
      if (multiline(h)) {
        e->vs.first -= 3 * static_cast<short>(HIWORD(wp)) / 120;
        e->vs.clamp();
        redraw(h);
      }
      return 0;
  }
}

LRESULT scroll_message(HWND h, Edit* e, UINT msg, WPARAM wp) {
  const int code = LOWORD(wp);
  if (msg == WM_VSCROLL) {
    if (!multiline(h)) return 0;
    int page = page_lines(h, e);
    if (code == SB_LINEUP) e->vs.first -= 1;
    else if (code == SB_LINEDOWN) e->vs.first += 1;
    else if (code == SB_PAGEUP) e->vs.first -= page;
    else if (code == SB_PAGEDOWN) e->vs.first += page;
    else if (code == SB_TOP) e->vs.first = 0;
    else if (code == SB_BOTTOM) e->vs.first = e->vs.count;
    e->vs.clamp();
    redraw(h);
    return 0;
  }
  if (!has_hbar(h)) return 0;
  if (code == SB_LINEUP) e->hs.first -= 1;
  else if (code == SB_LINEDOWN) e->hs.first += 1;
  else if (code == SB_PAGEUP) e->hs.first -= e->hs.page;
  else if (code == SB_PAGEDOWN) e->hs.first += e->hs.page;
  else if (code == SB_TOP) e->hs.first = 0;
  else if (code == SB_BOTTOM) e->hs.first = e->hs.count;
  else if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) e->hs.first = static_cast<std::int16_t>(HIWORD(wp));
  scroll_to_column(h, e);
  return 0;
}

LRESULT clipboard_message(HWND h, Edit* e, UINT msg) {
  switch (msg) {
    case WM_COPY: copy(h, e); return 0;
    case WM_CUT:
      copy(h, e);
      if (!read_only(h) && sel_lo(e) != sel_hi(e)) erase(h, e, true);
      return 0;
    case WM_PASTE: paste(h, e); return 0;
    default:  // WM_CLEAR
      if (!read_only(h) && sel_lo(e) != sel_hi(e)) erase(h, e, true);
      return 0;
  }
}

LRESULT set_selection(HWND h, Edit* e, WPARAM wp, LPARAM lp) {
  int n = static_cast<int>(e->text.size());
  int a = static_cast<int>(static_cast<std::intptr_t>(wp));
  int b = static_cast<int>(lp);
  if (a < 0) {  // -1: no selection, the caret stays
    e->anchor = e->caret;
  } else {
    if (b < 0 || b > n) b = n;
    e->anchor = std::min(a, n);
    e->caret = b;
  }
  // A multi-line field keeps its view; EM_SCROLLCARET brings the caret in.
  if (!multiline(h)) follow_caret(h, e);
  redraw(h);
  return 0;
}

LRESULT set_tab_stops(HWND h, Edit* e, WPARAM wp, LPARAM lp) {
  // Tab stops come in dialog units: a quarter of the average character width each.
  e->tabs.clear();
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(e->font));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  int n = std::min(static_cast<int>(wp), kMaxTabStops);
  const int* stops = reinterpret_cast<const int*>(lp);
  for (int i = 0; stops && i < n; ++i) e->tabs.push_back(stops[i] * static_cast<int>(tm.tmAveCharWidth) / 4);
  redraw(h);
  return TRUE;
}

// The selection, the limit, the state flags and the tab stops.
LRESULT field_message(HWND h, Edit* e, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case EM_GETSEL:
      if (wp) *reinterpret_cast<DWORD*>(wp) = static_cast<DWORD>(sel_lo(e));
      if (lp) *reinterpret_cast<DWORD*>(lp) = static_cast<DWORD>(sel_hi(e));
      return MAKELPARAM(sel_lo(e), sel_hi(e));
    case EM_SETSEL: return set_selection(h, e, wp, lp);
    case EM_REPLACESEL:
      if (replace_selection(h, e, lp ? reinterpret_cast<const char*>(lp) : "", true)) changed(h, e);
      return 0;
    case EM_LIMITTEXT:
      e->limit = wp == 0 || wp > static_cast<WPARAM>(kMaxControlText) ? kMaxControlText : static_cast<int>(wp);
      return 0;
    case EM_GETLIMITTEXT: return e->limit;
    case EM_GETMODIFY: return e->modified ? TRUE : FALSE;
    case EM_SETMODIFY: e->modified = wp != 0; return 0;
    case EM_SETREADONLY: {
      LONG_PTR st = GetWindowLongPtrA(h, GWL_STYLE);
      SetWindowLongPtrA(h, GWL_STYLE, wp ? st | ES_READONLY : st & ~static_cast<LONG_PTR>(ES_READONLY));
      redraw(h);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
      e->password = static_cast<char>(wp);
      LONG_PTR st = GetWindowLongPtrA(h, GWL_STYLE);
      SetWindowLongPtrA(h, GWL_STYLE, wp ? st | ES_PASSWORD : st & ~static_cast<LONG_PTR>(ES_PASSWORD));
      redraw(h);
      return 0;
    }
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(e->password);
    case EM_SETTABSTOPS: return set_tab_stops(h, e, wp, lp);
    default: return FALSE;  // EM_CANUNDO
  }
}

// Lines and the view of a multi-line field.
LRESULT line_message(HWND h, Edit* e, UINT msg, WPARAM wp) {
  std::vector<LineSpan> ls = lines_of(e->text);
  int arg = static_cast<int>(static_cast<std::intptr_t>(wp));
  switch (msg) {
    case EM_GETLINECOUNT: return static_cast<LRESULT>(ls.size());
    case EM_LINEINDEX: {
      int li = arg < 0 ? line_of(ls, e->caret) : arg;
      return li < static_cast<int>(ls.size()) ? ls[static_cast<std::size_t>(li)].start : -1;
    }
    case EM_LINEFROMCHAR: return line_of(ls, arg < 0 ? e->caret : arg);
    case EM_LINELENGTH: {
      const LineSpan& l = ls[static_cast<std::size_t>(line_of(ls, arg < 0 ? e->caret : arg))];
      return l.end - l.start;
    }
    case EM_GETFIRSTVISIBLELINE: return multiline(h) ? e->vs.first : 0;
    default:  // EM_SCROLLCARET
      follow_caret(h, e);
      redraw(h);
      return TRUE;
  }
}

LRESULT edit_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Edit>(h);
  Edit* e = state_of<Edit>(h);
  if (!e) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Edit>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_CREATE: return create(h, e, lp);
    case WM_SETFONT:
      e->font = reinterpret_cast<HFONT>(wp);
      if (lp) redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, e); return 0;
    case WM_GETDLGCODE: return dialog_code(h, lp);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return text_message(h, e, msg, wp, lp);
    case WM_ENABLE: redraw(h); return 0;
    case WM_SETFOCUS:
      redraw(h);
      notify_parent(h, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      e->selecting = false;
      redraw(h);
      notify_parent(h, EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      if (key_down(h, e, wp)) return 0;
      return DefWindowProcA(h, msg, wp, lp);
    case WM_CHAR: char_typed(h, e, static_cast<unsigned char>(wp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL: return mouse_message(h, e, msg, wp, lp);
    case WM_VSCROLL:
    case WM_HSCROLL: return scroll_message(h, e, msg, wp);
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR: return clipboard_message(h, e, msg);
    case EM_GETSEL: case EM_SETSEL: case EM_REPLACESEL: case EM_LIMITTEXT: case EM_GETLIMITTEXT: case EM_GETMODIFY:
    case EM_SETMODIFY: case EM_SETREADONLY: case EM_SETPASSWORDCHAR: case EM_GETPASSWORDCHAR: case EM_SETTABSTOPS:
    case EM_CANUNDO:
      return field_message(h, e, msg, wp, lp);
    case EM_GETLINECOUNT: case EM_LINEINDEX: case EM_LINEFROMCHAR: case EM_LINELENGTH: case EM_GETFIRSTVISIBLELINE:
    case EM_SCROLLCARET:
      return line_message(h, e, msg, wp);
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

// Over a field the pointer is the text cursor.
void register_edit_class() { register_control_class("EDIT", edit_proc, CS_DBLCLKS, IDC_IBEAM); }

}  // namespace plat
