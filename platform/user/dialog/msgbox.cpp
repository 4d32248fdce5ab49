// MessageBoxA: a modal dialog built at run time, with the text, the icon
// and the button set of the type; the log says what it showed and what was
// pressed.
#include <algorithm>
#include <vector>

#include "platform/display/display.h"
#include "platform/user/dialog/dialog_private.h"

namespace plat {
namespace {

inline constexpr int kMargin = 12;
inline constexpr int kIcon = 32;
inline constexpr int kButtonW = 75;
inline constexpr int kButtonH = 23;
inline constexpr int kButtonGap = 6;
inline constexpr int kTextId = 0xFFFF;

struct BoxButton {
  int id;
  const char* text;
};

struct Box {
  std::string text;
  UINT type = 0;
  std::vector<BoxButton> buttons;
  int default_index = 0;
};

std::vector<BoxButton> buttons_of(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

const char* icon_name(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return "stop";
    case MB_ICONQUESTION: return "question";
    case MB_ICONEXCLAMATION: return "exclamation";
    case MB_ICONASTERISK: return "information";
    default: return nullptr;
  }
}

bool has_button(const Box* b, int id) {
  for (const BoxButton& x : b->buttons)
    if (x.id == id) return true;
  return false;
}

void draw_symbol(HDC dc, int x, int y, const char* ch, COLORREF colour) {
  HFONT f = CreateFontA(-26, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(dc, f);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  SIZE sz;
  GetTextExtentPoint32A(dc, ch, 1, &sz);
  TextOutA(dc, x + (kIcon - sz.cx) / 2, y + (kIcon - sz.cy) / 2, ch, 1);
  SelectObject(dc, old);
  DeleteObject(f);
}

void draw_icon(HDC dc, int x, int y, UINT type) {
  UINT icon = type & MB_ICONMASK;
  HPEN outline = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old_pen = SelectObject(dc, outline);
  if (icon == MB_ICONEXCLAMATION) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ ob = SelectObject(dc, yellow);
    POINT tri[3] = {{x + kIcon / 2, y + 1}, {x + kIcon - 1, y + kIcon - 2}, {x, y + kIcon - 2}};
    Polygon(dc, tri, 3);
    SelectObject(dc, ob);
    DeleteObject(yellow);
    draw_symbol(dc, x, y + 3, "!", RGB(0, 0, 0));
  } else {
    COLORREF fillc = icon == MB_ICONHAND ? RGB(255, 0, 0) : RGB(255, 255, 255);
    HBRUSH b = CreateSolidBrush(fillc);
    HGDIOBJ ob = SelectObject(dc, b);
    Ellipse(dc, x, y, x + kIcon, y + kIcon);
    SelectObject(dc, ob);
    DeleteObject(b);
    if (icon == MB_ICONHAND) {
      // A white cross, three pixels thick.
      HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
      SelectObject(dc, white);
      for (int d = -1; d <= 1; ++d) {
        MoveToEx(dc, x + 9 + d, y + 9, nullptr);
        LineTo(dc, x + 23 + d, y + 23);
        MoveToEx(dc, x + 22 + d, y + 9, nullptr);
        LineTo(dc, x + 8 + d, y + 23);
      }
      SelectObject(dc, outline);
      DeleteObject(white);
    } else {
      draw_symbol(dc, x, y, icon == MB_ICONQUESTION ? "?" : "i", RGB(0, 0, 255));
    }
  }
  SelectObject(dc, old_pen);
  DeleteObject(outline);
}

std::string one_line(const std::string& s) {
  std::string out;
  for (char c : s) out += (c == '\r' || c == '\n') ? ' ' : c;
  return out;
}

INT_PTR box_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  Box* box = reinterpret_cast<Box*>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      box = reinterpret_cast<Box*>(lp);
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      HFONT font = default_dialog_font();
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, font);
      RECT limit{0, 0, 400, 10000};
      SIZE ts = ctl::draw_text(dc, limit, box->text, ctl::kMeasure);
      int lh = ctl::line_height(dc);
      SelectObject(dc, old);
      DeleteDC(dc);
      bool icon = icon_name(box->type) != nullptr;
      int text_x = kMargin + (icon ? kIcon + kMargin : 0);
      int body_h = std::max<int>(ts.cy, icon ? kIcon : 0);
      int text_y = kMargin + (body_h - ts.cy) / 2;
      int nb = static_cast<int>(box->buttons.size());
      int buttons_w = nb * kButtonW + (nb - 1) * kButtonGap;
      int client_w = std::max<int>(text_x + ts.cx + kMargin, buttons_w + 2 * kMargin);
      client_w = std::max(client_w, 120);
      int client_h = kMargin + body_h + kMargin + kButtonH + kMargin;
      HWND text = CreateWindowExA(0, "STATIC", box->text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                  text_x, text_y, ts.cx + 2, std::max<int>(ts.cy, lh), dlg,
                                  reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kTextId)), nullptr, nullptr);
      SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
      int bx = (client_w - buttons_w) / 2, by = client_h - kMargin - kButtonH;
      HWND def = nullptr;
      for (int i = 0; i < nb; ++i) {
        const BoxButton& b = box->buttons[static_cast<std::size_t>(i)];
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == box->default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) style |= WS_GROUP;
        HWND h = CreateWindowExA(0, "BUTTON", b.text, style, bx + i * (kButtonW + kButtonGap), by, kButtonW, kButtonH, dlg,
                                 reinterpret_cast<HMENU>(static_cast<std::intptr_t>(b.id)), nullptr, nullptr);
        SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        if (i == box->default_index) def = h;
      }
      SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(def)), 0);
      RECT r{0, 0, client_w, client_h};
      AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_EXSTYLE)));
      int w = r.right - r.left, h = r.bottom - r.top;
      SetWindowPos(dlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      std::string line = "message box shown: \"" + ctl::window_text(dlg) + "\" text \"" + one_line(box->text) + "\"";
      if (icon) line += std::string(" icon ") + icon_name(box->type);
      line += " buttons";
      for (int i = 0; i < nb; ++i) line += std::string(i ? ", " : " ") + ctl::strip_prefix(box->buttons[static_cast<std::size_t>(i)].text);
      line += " default " + ctl::strip_prefix(box->buttons[static_cast<std::size_t>(box->default_index)].text);
      script_log(line);
      dlg::state_of(dlg)->logged = true;
      dlg::state_of(dlg)->saved_focus = def;
      return FALSE;
    }
    case WM_PAINT: {
      if (!box || !icon_name(box->type)) return FALSE;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dlg, &ps);
      RECT c;
      GetClientRect(dlg, &c);
      int body_h = std::max<int>(kIcon, 0);
      (void)body_h;
      draw_icon(dc, kMargin, kMargin, box->type);
      EndPaint(dlg, &ps);
      return TRUE;
    }
    case WM_COMMAND: {
      int id = LOWORD(wp);
      if (!box) return FALSE;
      if (id == IDCANCEL && !has_button(box, IDCANCEL)) {
        // Escape or the close box: only a box with just OK takes it, as OK.
        if (box->buttons.size() == 1) id = IDOK;
        else return TRUE;
      }
      if (!has_button(box, id)) return FALSE;
      for (const BoxButton& b : box->buttons)
        if (b.id == id) script_log("message box answered: " + ctl::strip_prefix(b.text));
      EndDialog(dlg, id);
      return TRUE;
    }
    default: return FALSE;
  }
  (void)lp;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR title, UINT type) {
  Box box;
  box.text = text ? text : "";
  box.type = type;
  box.buttons = buttons_of(type);
  int n = static_cast<int>(box.buttons.size());
  int def = static_cast<int>((type & MB_DEFMASK) >> 8);
  box.default_index = def < n ? def : 0;
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.caption = title ? title : "Error";
  if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
  INT_PTR r = DialogBoxIndirectParamA(nullptr, &t, owner, box_proc, reinterpret_cast<LPARAM>(&box));
  return r < 0 ? 0 : static_cast<int>(r);
}

}  // namespace plat
