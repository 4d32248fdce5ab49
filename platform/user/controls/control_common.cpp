// Shared control machinery: state records, pressing, colours, frames, text.
#include "platform/user/controls/control_common.h"

#include <algorithm>
#include <vector>

#include "text/letters.h"

namespace plat::ctl {

void register_control_class(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
  WNDCLASSA wc;
  wc.style = style | CS_GLOBALCLASS | CS_PARENTDC;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursorA(nullptr, cursor);
  wc.cbWndExtra = kStateBytes;
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

DWORD style_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)); }
int id_of(HWND hwnd) { return GetDlgCtrlID(hwnd); }
bool has_focus(HWND hwnd) { return GetFocus() == hwnd; }

HFONT font_or_default(HFONT f) { return f ? f : default_dialog_font(); }

void notify_parent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id_of(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

bool press_input(HWND hwnd, Press& p, UINT msg, WPARAM wparam, LPARAM lparam, bool* clicked, bool* changed) {
  *clicked = false;
  bool before = p.shown();
  bool handled = true;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      p.mouse = true;
      p.inside = true;
      SetCapture(hwnd);
      if (!has_focus(hwnd)) SetFocus(hwnd);
      break;
    case WM_MOUSEMOVE:
      if (p.mouse) {
        RECT c;
        GetClientRect(hwnd, &c);
        p.inside = PtInRect(&c, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != 0;
      }
      break;
    case WM_LBUTTONUP:
      if (p.mouse) {
        bool was_in = p.inside;
        p.mouse = false;
        p.inside = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        *clicked = was_in && !p.key;
      }
      break;
    case WM_CAPTURECHANGED:
      if (p.mouse && reinterpret_cast<HWND>(lparam) != hwnd) p.mouse = p.inside = false;
      break;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE && !p.mouse) p.key = true;
      else handled = false;
      break;
    case WM_KEYUP:
      if (wparam == VK_SPACE && p.key) {
        p.key = false;
        *clicked = true;
      } else {
        handled = false;
      }
      break;
    case WM_KILLFOCUS:
      p.key = false;
      handled = false;
      break;
    default:
      handled = false;
  }
  *changed = before != p.shown();
  return handled;
}

COLORREF sys_colour(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

HBRUSH control_colours(HWND hwnd, HDC dc, UINT msg) {
  bool well = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, sys_colour(COLOR_WINDOWTEXT));
  SetBkColor(dc, sys_colour(well ? COLOR_WINDOW : COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  HWND parent = GetParent(hwnd);
  if (parent) {
    LRESULT r = SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    if (r) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<HBRUSH>(r);
    }
  }
  return GetSysColorBrush(well ? COLOR_WINDOW : COLOR_BTNFACE);
}

void fill(HDC dc, const RECT& r, COLORREF c) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}
void hline(HDC dc, int x0, int x1, int y, COLORREF c) { fill(dc, RECT{x0, y, x1, y + 1}, c); }
void vline(HDC dc, int x, int y0, int y1, COLORREF c) { fill(dc, RECT{x, y0, x + 1, y1}, c); }

namespace {
// Top-left lines in one colour, bottom-right lines in another.
void edge(HDC dc, const RECT& r, COLORREF tl, COLORREF br) {
  hline(dc, r.left, r.right - 1, r.top, tl);
  vline(dc, r.left, r.top, r.bottom - 1, tl);
  hline(dc, r.left, r.right, r.bottom - 1, br);
  vline(dc, r.right - 1, r.top, r.bottom - 1, br);
}
}  // namespace

void draw_button_edge(HDC dc, RECT r, bool pressed) {
  if (pressed) {
    edge(dc, r, sys_colour(COLOR_BTNSHADOW), sys_colour(COLOR_BTNSHADOW));
    return;
  }
  edge(dc, r, sys_colour(COLOR_BTNHIGHLIGHT), sys_colour(COLOR_3DDKSHADOW));
  InflateRect(&r, -1, -1);
  edge(dc, r, sys_colour(COLOR_3DLIGHT), sys_colour(COLOR_BTNSHADOW));
}

void draw_sunken_edge(HDC dc, RECT r) {
  edge(dc, r, sys_colour(COLOR_BTNSHADOW), sys_colour(COLOR_BTNHIGHLIGHT));
  InflateRect(&r, -1, -1);
  edge(dc, r, sys_colour(COLOR_3DDKSHADOW), sys_colour(COLOR_3DLIGHT));
}

void draw_etched_frame(HDC dc, RECT r) {
  RECT outer{r.left, r.top, r.right - 1, r.bottom - 1};
  RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
  COLORREF sh = sys_colour(COLOR_BTNSHADOW), hi = sys_colour(COLOR_BTNHIGHLIGHT);
  edge(dc, inner, hi, hi);
  edge(dc, outer, sh, sh);
}

void draw_focus_rect(HDC dc, RECT r) {
  COLORREF c = sys_colour(COLOR_WINDOWTEXT);
  for (int x = r.left; x < r.right; x += 2) {
    SetPixel(dc, x, r.top, c);
    SetPixel(dc, x, r.bottom - 1, c);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    SetPixel(dc, r.left, y, c);
    SetPixel(dc, r.right - 1, y, c);
  }
}

char mnemonic_of(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text::asciilower(text[i + 1]);
  }
  return 0;
}

std::string strip_prefix(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    else if (text[i] == '&') continue;
    out += text[i];
  }
  return out;
}

std::string window_text(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(std::max(0, got)));
  return s;
}

int line_height(HDC dc) {
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 13;
}

namespace {

struct Line {
  std::string text;        // without prefixes
  int underline = -1;      // index of the mnemonic character in text
};

int width_of(HDC dc, const std::string& s) {
  SIZE sz;
  GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &sz);
  return static_cast<int>(sz.cx);
}

// Split into display lines: hard breaks, then word wrapping.
std::vector<Line> layout(HDC dc, const std::string& text, unsigned flags, int width) {
  std::vector<Line> lines;
  Line cur;
  bool prefix = flags & kPrefix;
  auto flush_hard = [&]() {
    lines.push_back(cur);
    cur = Line{};
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      flush_hard();
      continue;
    }
    if (c == '\n') {
      flush_hard();
      continue;
    }
    if (prefix && c == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        cur.text += '&';
        ++i;
      } else if (i + 1 < text.size()) {
        cur.underline = static_cast<int>(cur.text.size());
      }
      continue;
    }
    cur.text += c;
  }
  lines.push_back(cur);
  if (!(flags & kWrap) || width <= 0) return lines;
  std::vector<Line> wrapped;
  for (const Line& l : lines) {
    std::size_t start = 0;
    const std::string& s = l.text;
    if (s.empty()) wrapped.push_back(l);
    while (start < s.size()) {
      std::size_t end = s.size();
      if (width_of(dc, s.substr(start)) > width) {
        // The longest run of whole words that fits; a word longer than the
        // width is cut where it stops fitting.
        std::size_t best = std::string::npos;
        for (std::size_t k = start + 1; k <= s.size(); ++k) {
          if (k < s.size() && s[k] != ' ') continue;
          if (width_of(dc, s.substr(start, k - start)) > width) break;
          best = k;
        }
        if (best == std::string::npos) {
          best = start + 1;
          while (best < s.size() && width_of(dc, s.substr(start, best + 1 - start)) <= width) ++best;
        }
        end = best;
      }
      Line piece;
      piece.text = s.substr(start, end - start);
      if (l.underline >= static_cast<int>(start) && l.underline < static_cast<int>(end))
        piece.underline = l.underline - static_cast<int>(start);
      wrapped.push_back(piece);
      start = end;
      while (start < s.size() && s[start] == ' ') ++start;
    }
  }
  return wrapped;
}

void draw_line(HDC dc, int x, int y, const Line& l, int lh, COLORREF colour) {
  SetTextColor(dc, colour);
  TextOutA(dc, x, y, l.text.data(), static_cast<int>(l.text.size()));
  if (l.underline >= 0 && l.underline < static_cast<int>(l.text.size())) {
    int ux = x + width_of(dc, l.text.substr(0, static_cast<std::size_t>(l.underline)));
    int uw = width_of(dc, l.text.substr(static_cast<std::size_t>(l.underline), 1));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    int uy = y + std::min(static_cast<int>(tm.tmAscent) + 1, lh - 1);
    hline(dc, ux, ux + uw, uy, colour);
  }
}

}  // namespace

SIZE draw_text(HDC dc, const RECT& r, const std::string& text, unsigned flags) {
  int lh = line_height(dc);
  std::vector<Line> lines = layout(dc, text, flags, r.right - r.left);
  int total_h = lh * static_cast<int>(lines.size());
  int max_w = 0;
  for (const Line& l : lines) max_w = std::max(max_w, width_of(dc, l.text));
  SIZE size{max_w, total_h};
  if (flags & kMeasure) return size;
  int y = r.top;
  if (flags & kVCenter) y = r.top + ((r.bottom - r.top) - total_h) / 2;
  COLORREF colour = GetTextColor(dc);
  int old_mode = SetBkMode(dc, TRANSPARENT);
  for (const Line& l : lines) {
    int w = width_of(dc, l.text);
    int x = r.left;
    if ((flags & 3) == kCenter) x = r.left + ((r.right - r.left) - w) / 2;
    if ((flags & 3) == kRight) x = r.right - w;
    if (flags & kDisabled) {
      draw_line(dc, x + 1, y + 1, l, lh, sys_colour(COLOR_BTNHIGHLIGHT));
      draw_line(dc, x, y, l, lh, sys_colour(COLOR_BTNSHADOW));
    } else {
      draw_line(dc, x, y, l, lh, colour);
    }
    y += lh;
  }
  SetTextColor(dc, colour);
  SetBkMode(dc, old_mode);
  return size;
}

PaintScope::PaintScope(HWND hwnd, HFONT font) : hwnd_(hwnd) {
  BeginPaint(hwnd, &ps_);
  GetClientRect(hwnd, &client_);
  if (ps_.hdc) old_font_ = SelectObject(ps_.hdc, font_or_default(font));
}

PaintScope::~PaintScope() {
  if (ps_.hdc && old_font_) SelectObject(ps_.hdc, old_font_);
  EndPaint(hwnd_, &ps_);
}

}  // namespace plat::ctl
