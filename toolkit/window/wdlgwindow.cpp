// Dialog windows of the dialog manager: templates from the resources, the
// field records and subclassing of a new dialog's controls, the copying of
// fields between two instances of one template, placement and focus, and
// the dialog procedures of the loaded and the modal instance.
#include "toolkit/window/wdlgwindow.h"

#include <span>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wmiscel.h"
#include "toolkit/window/wstate.h"

namespace tsd {

ModalStart wModalStart;

namespace {

constexpr const char* kFieldProp = "tsd.field";
constexpr int kCtrlA = 1;  // the character Ctrl+A gives
constexpr int kHelpButton = 9;  // the push button F1 stands for

std::string classof(plat::HWND h) {
  char name[64] = {};
  plat::GetClassNameA(h, name, sizeof name);
  std::string s(name);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

plat::DWORD styleof(plat::HWND h) { return static_cast<plat::DWORD>(plat::GetWindowLongPtrA(h, plat::GWL_STYLE)); }

bool isbutton(plat::HWND h) { return classof(h) == "BUTTON"; }

std::string textof(plat::HWND h) {
  int n = plat::GetWindowTextLengthA(h);
  if (n <= 0) return std::string();
  if (n > plat::kMaxControlText) n = plat::kMaxControlText;
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = plat::GetWindowTextA(h, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return s;
}

std::vector<plat::HWND> controlsof(plat::HWND dlg) {
  std::vector<plat::HWND> v;
  for (plat::HWND c = plat::GetWindow(dlg, plat::GW_CHILD); c; c = plat::GetWindow(c, plat::GW_HWNDNEXT)) v.push_back(c);
  return v;
}

// The entry whose loaded window, or running modal instance, is dlg; -1
// when none (0 is the modal instance's entry).
int anyentryof(plat::HWND dlg) {
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].hwnd == dlg) return i;
  if (wdlg.DialogInfo[0].hwnd == dlg && dlg) return 0;
  return -1;
}

// The subclass of every control: Ctrl+A selects the whole text of an edit
// field; the repaint of a graphics field is reported as an Expose of the
// dialog.
plat::LRESULT fieldsubclass(plat::HWND h, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  FieldRecord* f = yyfieldrecord(h);
  auto own = f ? reinterpret_cast<plat::WNDPROC>(f->ownproc) : nullptr;
  if (msg == plat::WM_CHAR && wp == static_cast<plat::WPARAM>(kCtrlA) && yyfieldclass(h) == "EDIT") {
    plat::SendMessageA(h, plat::EM_SETSEL, 0, -1);
    return 0;
  }
  plat::LRESULT r = own ? plat::CallWindowProcA(own, h, msg, wp, lp) : plat::DefWindowProcA(h, msg, wp, lp);
  if (msg == plat::WM_PAINT && f && f->graphics && !wsys.wImagesSaved) {
    int i = anyentryof(plat::GetParent(h));
    if (i >= 0) {
      DialogEntry& e = wdlg.DialogInfo[i];
      e.gfield = plat::GetDlgCtrlID(h);
      yybuildmessage(kDialogExpose, e.id, -1, -1, 1, e.gfield, -1, -1);
    }
  }
  return r;
}

// The entry whose loaded window is dlg (0 when none).
int entryof(plat::HWND dlg) {
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].hwnd == dlg) return i;
  return 0;
}

void copylist(plat::HWND from, plat::HWND to, bool combo) {
  using namespace plat;
  const UINT reset = combo ? CB_RESETCONTENT : LB_RESETCONTENT;
  const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT len = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT get = combo ? CB_GETLBTEXT : LB_GETTEXT;
  const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
  SendMessageA(to, reset, 0, 0);
  LRESULT n = SendMessageA(from, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT l = SendMessageA(from, len, static_cast<WPARAM>(i), 0);
    std::string s(static_cast<std::size_t>(l > 0 ? l : 0) + 1, '\0');
    SendMessageA(from, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
    s.resize(s.find('\0'));
    SendMessageA(to, add, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  if (combo) {
    SendMessageA(to, CB_SETCURSEL, static_cast<WPARAM>(SendMessageA(from, CB_GETCURSEL, 0, 0)), 0);
    return;
  }
  if (styleof(from) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    for (LRESULT i = 0; i < n; ++i)
      SendMessageA(to, LB_SETSEL, SendMessageA(from, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 ? TRUE : FALSE,
                   static_cast<LPARAM>(i));
  } else {
    SendMessageA(to, LB_SETCURSEL, static_cast<WPARAM>(SendMessageA(from, LB_GETCURSEL, 0, 0)), 0);
  }
}

// Control notifications of either instance: previous field = current
// field, current field = this control.
void fieldentered(DialogEntry& e, int id) {
  e.prevfield = e.field;
  e.field = id;
}

bool iscolourrequest(plat::UINT msg) { return msg >= plat::WM_CTLCOLORMSGBOX && msg <= plat::WM_CTLCOLORSTATIC; }

// A control's colour request: the brush of its field record's colours,
// or 0 for the default colours.
plat::INT_PTR colourrequest(plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  return reinterpret_cast<plat::INT_PTR>(
      yyfieldcolours(reinterpret_cast<plat::HWND>(lp), reinterpret_cast<plat::HDC>(wp), msg));
}

int mousebutton(plat::UINT msg) {
  switch (msg) {
    case plat::WM_LBUTTONDOWN: case plat::WM_LBUTTONUP: return 1;
    case plat::WM_MBUTTONDOWN: case plat::WM_MBUTTONUP: return 2;
    case plat::WM_RBUTTONDOWN: case plat::WM_RBUTTONUP: return 3;
    default: return 0;
  }
}

// Mouse events of a shown modeless or semi-modeless dialog with a graphics
// field: a press captures the mouse (104), a release frees it (105), a
// move is 106. Over a graphics field the position is in its pixels and
// the field is named; elsewhere it is the dialog's, field 0.
bool graphicsmouse(plat::HWND dlg, plat::UINT msg, plat::LPARAM lp) {
  using namespace plat;
  int i = entryof(dlg);
  if (i == 0) return false;
  DialogEntry& e = wdlg.DialogInfo[i];
  if (!e.gflag || !e.shown || (e.showtype != kShowModeless && e.showtype != kShowSemiModeless)) return false;
  POINT p{static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))),
          static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp)))};
  e.gfield = 0;
  for (HWND c : controlsof(dlg)) {
    FieldRecord* f = yyfieldrecord(c);
    if (!f || !f->graphics || !IsWindowVisible(c)) continue;
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    if (PtInRect(&r, p)) {
      POINT q = p;
      MapWindowPoints(dlg, c, &q, 1);
      p = q;
      e.gfield = GetDlgCtrlID(c);
      break;
    }
  }
  const int button = mousebutton(msg);
  int type = kDialogMouseMove;
  if (msg == WM_LBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_RBUTTONDOWN) {
    SetCapture(dlg);
    type = kDialogButtonDown;
  } else if (msg == WM_LBUTTONUP || msg == WM_MBUTTONUP || msg == WM_RBUTTONUP) {
    if (GetCapture() == dlg) ReleaseCapture();
    type = kDialogButtonUp;
  }
  e.gbutton = button;
  const int time = static_cast<int>(GetMessageTime()) / 10;
  yybuildmessage(type, e.id, type == kDialogMouseMove ? -1 : e.gbutton, time, 1, e.gfield, p.x, p.y);
  return true;
}

}  // namespace

std::string yyfieldclass(plat::HWND h) { return classof(h); }
std::string yyfieldtext(plat::HWND h) { return textof(h); }

std::vector<plat::HWND> yyradiogroup(plat::HWND dlg, plat::HWND c) {
  std::vector<plat::HWND> all = controlsof(dlg);
  std::size_t at = 0;
  while (at < all.size() && all[at] != c) ++at;
  if (at == all.size()) return {};
  std::size_t first = at;
  while (first > 0 && !(styleof(all[first]) & plat::WS_GROUP)) --first;
  std::vector<plat::HWND> group;
  for (std::size_t i = first; i < all.size(); ++i) {
    if (i > first && (styleof(all[i]) & plat::WS_GROUP)) break;
    if (yyisautoradio(all[i])) group.push_back(all[i]);
  }
  return group;
}

plat::HWND yycurrentdialogwindow() {
  if (wdlg.iDlgCur <= 0 || wdlg.iDlgCur > wdlg.nDialogs) return nullptr;
  return wdlg.DialogInfo[wdlg.iDlgCur].hwnd;
}

plat::HWND yyfieldof(int& field) {
  plat::HWND dlg = yycurrentdialogwindow();
  plat::HWND c = dlg ? plat::GetDlgItem(dlg, field) : nullptr;
  if (!c) field = -1;
  return c;
}

FieldRecord* yyfieldrecordof(int& field) {
  plat::HWND c = yyfieldof(field);
  if (!c) return nullptr;
  FieldRecord* f = yyfieldrecord(c);
  if (!f) field = -1;
  return f;
}

void yysetfieldimage(plat::HWND c, plat::HGDIOBJ image, int kind, bool owned) {
  using namespace plat;
  FieldRecord* f = yyfieldrecord(c);
  const bool button = classof(c) == "BUTTON";
  const WPARAM type = kind == 1 ? IMAGE_BITMAP : IMAGE_ICON;
  DWORD st = styleof(c);
  if (button) {
    st = (st & ~(BS_BITMAP | BS_ICON)) | (kind == 1 ? BS_BITMAP : BS_ICON);
  } else {
    st = (st & ~SS_TYPEMASK) | (kind == 1 ? SS_BITMAP : SS_ICON);
  }
  SetWindowLongPtrA(c, GWL_STYLE, static_cast<LONG_PTR>(st));
  SendMessageA(c, button ? BM_SETIMAGE : STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
  if (!f) return;
  if (f->ownsimage && f->image && f->image != image) {
    if (f->imagekind == 2) DestroyIcon(f->image);
    else DeleteObject(f->image);
  }
  f->image = image;
  f->imagekind = kind == 1 ? 1 : 2;
  f->ownsimage = owned;
}

plat::HBRUSH yyfieldcolours(plat::HWND c, plat::HDC dc, plat::UINT msg) {
  using namespace plat;
  FieldRecord* f = yyfieldrecord(c);
  if (!f || (f->textcolour == -1 && f->backcolour == -1)) return nullptr;
  // Statics, buttons and read-only edits stand on the button face, the
  // others on the window colour, unless the field has its own background.
  const bool face = msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN ||
                    (classof(c) == "EDIT" && (styleof(c) & ES_READONLY));
  SetTextColor(dc, f->textcolour != -1 ? static_cast<COLORREF>(f->textcolour) : GetSysColor(COLOR_WINDOWTEXT));
  if (f->backcolour == -1) return GetSysColorBrush(face ? COLOR_BTNFACE : COLOR_WINDOW);
  SetBkColor(dc, static_cast<COLORREF>(f->backcolour));
  if (!f->backbrush) f->backbrush = CreateSolidBrush(static_cast<COLORREF>(f->backcolour));
  return f->backbrush;
}

void yyreleasegraphicsfield(plat::HWND dlg) {
  using namespace plat;
  HWND g = wsys.hGraphicsField;
  if (!g || !dlg || (g != dlg && !IsChild(dlg, g))) return;
  if (wsys.wFieldDC) ReleaseDC(g, wsys.wFieldDC);
  if (hdc == wsys.wFieldDC) hdc = wsys.wDC;
  wsys.wFieldDC = nullptr;
  wsys.hGraphicsField = nullptr;
}

std::optional<plat::DialogTemplate> yydialogtemplate(int id) {
  if (id <= 0 || id > 65535) return std::nullopt;
  std::span<const plat::BYTE> bytes =
      plat::resource_bytes(plat::MAKEINTRESOURCEA(static_cast<unsigned>(id)), plat::RT_DIALOG);
  if (bytes.empty()) return std::nullopt;
  return plat::decode_dialog(bytes);
}

FieldRecord* yyfieldrecord(plat::HWND control) {
  return control ? static_cast<FieldRecord*>(plat::GetPropA(control, kFieldProp)) : nullptr;
}

bool yyispushbutton(plat::HWND c) {
  if (!c || !isbutton(c)) return false;
  plat::DWORD t = styleof(c) & plat::BS_TYPEMASK;
  return t == plat::BS_PUSHBUTTON || t == plat::BS_DEFPUSHBUTTON;
}

bool yyisautoradio(plat::HWND c) {
  return c && isbutton(c) && (styleof(c) & plat::BS_TYPEMASK) == plat::BS_AUTORADIOBUTTON;
}

void yysetupcontrols(plat::HWND dlg) {
  using namespace plat;
  for (HWND c : controlsof(dlg)) {
    auto* f = new FieldRecord();
    SetPropA(c, kFieldProp, f);
    std::string cls = classof(c);
    if (cls == "EDIT" || cls == "BUTTON" || cls == "STATIC" || cls == "MSCTLS_TRACKBAR32") {
      f->ownproc = reinterpret_cast<void*>(GetWindowLongPtrA(c, GWLP_WNDPROC));
      SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&fieldsubclass));
    }
    DWORD st = styleof(c);
    if (cls == "BUTTON") {
      DWORD t = st & BS_TYPEMASK;
      DWORD nt = t == BS_CHECKBOX ? BS_AUTOCHECKBOX : t == BS_3STATE ? BS_AUTO3STATE : t == BS_RADIOBUTTON ? BS_AUTORADIOBUTTON : t;
      if (nt != t) SetWindowLongPtrA(c, GWL_STYLE, static_cast<LONG_PTR>((st & ~BS_TYPEMASK) | nt));
    }
    // Buttons and statics with an image style show the image of the
    // resource named by their id; without one the style goes.
    const bool buttonimage = cls == "BUTTON" && (st & (BS_BITMAP | BS_ICON));
    const bool staticimage = cls == "STATIC" && ((st & SS_TYPEMASK) == SS_BITMAP || (st & SS_TYPEMASK) == SS_ICON);
    if (buttonimage || staticimage) {
      const bool bitmap = buttonimage ? (st & BS_BITMAP) != 0 : (st & SS_TYPEMASK) == SS_BITMAP;
      const int id = GetDlgCtrlID(c);
      HANDLE img = id > 0 && id <= 65535
                       ? LoadImageA(wsys.wInstance, MAKEINTRESOURCEA(static_cast<unsigned>(id)),
                                    bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0, 0,
                                    buttonimage && bitmap && wsys.WinVer != 3 ? LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS : 0)
                       : nullptr;
      if (img) {
        yysetfieldimage(c, static_cast<HGDIOBJ>(img), bitmap ? 1 : 2, true);
      } else {
        DWORD plain = buttonimage ? (st & ~(BS_BITMAP | BS_ICON)) : (st & ~SS_TYPEMASK);
        SetWindowLongPtrA(c, GWL_STYLE, static_cast<LONG_PTR>(plain));
      }
    }
  }
  // Spin partners: an up-down control's buddy keeps it in its record.
  for (HWND c : controlsof(dlg)) {
    if (classof(c) != "MSCTLS_UPDOWN32") continue;
    HWND buddy = reinterpret_cast<HWND>(SendMessageA(c, UDM_GETBUDDY, 0, 0));
    if (FieldRecord* b = yyfieldrecord(buddy)) b->spin = c;
  }
}

void yyreleasecontrols(plat::HWND dlg) {
  using namespace plat;
  yyreleasegraphicsfield(dlg);
  for (HWND c : controlsof(dlg)) {
    FieldRecord* f = yyfieldrecord(c);
    if (!f) continue;
    if (f->ownproc) SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(f->ownproc));
    if (f->ownsimage && f->image) {
      SendMessageA(c, classof(c) == "BUTTON" ? BM_SETIMAGE : STM_SETIMAGE, f->imagekind == 1 ? IMAGE_BITMAP : IMAGE_ICON, 0);
      if (f->imagekind == 2) DestroyIcon(f->image);
      else DeleteObject(f->image);
    }
    if (f->backbrush) DeleteObject(f->backbrush);
    RemovePropA(c, kFieldProp);
    delete f;
  }
}

void yycopyfields(plat::HWND from, plat::HWND to) {
  using namespace plat;
  SetWindowTextA(to, textof(from).c_str());
  std::vector<HWND> a = controlsof(from);
  std::vector<HWND> b = controlsof(to);
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    HWND s = a[i];
    HWND d = b[i];
    SetWindowLongPtrA(d, GWL_STYLE, static_cast<LONG_PTR>((styleof(s) & ~WS_VISIBLE) | (styleof(d) & WS_VISIBLE)));
    FieldRecord* fs = yyfieldrecord(s);
    FieldRecord* fd = yyfieldrecord(d);
    std::string cls = classof(s);
    if (fs && fd) {
      // Bounds, colours, limits and tab stops; the other instance's image
      // is shown, not owned; the spin partner is this instance's control
      // at the partner's place.
      fd->lower = fs->lower;
      fd->upper = fs->upper;
      fd->graphics = fs->graphics;
      fd->textcolour = fs->textcolour;
      if (fd->backcolour != fs->backcolour && fd->backbrush) {
        DeleteObject(fd->backbrush);
        fd->backbrush = nullptr;
      }
      fd->backcolour = fs->backcolour;
      fd->maxlength = fs->maxlength;
      fd->tabstops = fs->tabstops;
      fd->spin = nullptr;
      for (std::size_t k = 0; k < a.size() && k < b.size(); ++k)
        if (fs->spin && a[k] == fs->spin) fd->spin = b[k];
      if (fs->image && fs->image != fd->image) yysetfieldimage(d, fs->image, fs->imagekind, false);
      if (!fs->tabstops.empty()) {
        const UINT msg = cls == "LISTBOX" ? LB_SETTABSTOPS : EM_SETTABSTOPS;
        SendMessageA(d, msg, fs->tabstops.size(), reinterpret_cast<LPARAM>(fs->tabstops.data()));
      }
    }
    if (cls == "BUTTON") {
      SendMessageA(d, BM_SETCHECK, static_cast<WPARAM>(SendMessageA(s, BM_GETCHECK, 0, 0)), 0);
    } else if (cls == "LISTBOX") {
      copylist(s, d, false);
    } else if (cls == "COMBOBOX") {
      copylist(s, d, true);
    } else if (cls == "EDIT") {
      SendMessageA(d, EM_LIMITTEXT, static_cast<WPARAM>(SendMessageA(s, EM_GETLIMITTEXT, 0, 0)), 0);
      SendMessageA(d, EM_SETPASSWORDCHAR, static_cast<WPARAM>(SendMessageA(s, EM_GETPASSWORDCHAR, 0, 0)), 0);
    } else if (cls == "MSCTLS_TRACKBAR32") {
      // Range, position and selection, so the other instance shows the
      // trackbar as it was left.
      SendMessageA(d, TBM_SETRANGEMIN, FALSE, SendMessageA(s, TBM_GETRANGEMIN, 0, 0));
      SendMessageA(d, TBM_SETRANGEMAX, FALSE, SendMessageA(s, TBM_GETRANGEMAX, 0, 0));
      SendMessageA(d, TBM_SETSEL, FALSE,
                   MAKELPARAM(SendMessageA(s, TBM_GETSELSTART, 0, 0), SendMessageA(s, TBM_GETSELEND, 0, 0)));
      SendMessageA(d, TBM_SETPOS, TRUE, SendMessageA(s, TBM_GETPOS, 0, 0));
    } else if (cls == "SYSTABCONTROL32") {
      SendMessageA(d, TCM_DELETEALLITEMS, 0, 0);
      const LRESULT n = SendMessageA(s, TCM_GETITEMCOUNT, 0, 0);
      for (LRESULT k = 0; k < n; ++k) {
        char buffer[kMaxTabText + 1] = {};
        TCITEMA item;
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(s, TCM_GETITEMA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&item));
        item.pszText = buffer;
        SendMessageA(d, TCM_INSERTITEMA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&item));
      }
      SendMessageA(d, TCM_SETCURSEL, static_cast<WPARAM>(SendMessageA(s, TCM_GETCURSEL, 0, 0)), 0);
    } else if (cls == "MSCTLS_PROGRESS32") {
      SendMessageA(d, PBM_SETRANGE32, static_cast<WPARAM>(SendMessageA(s, PBM_GETRANGE, TRUE, 0)),
                   SendMessageA(s, PBM_GETRANGE, FALSE, 0));
      SendMessageA(d, PBM_SETPOS, static_cast<WPARAM>(SendMessageA(s, PBM_GETPOS, 0, 0)), 0);
    } else if (cls == "MSCTLS_UPDOWN32") {
      int lo = 0, hi = 0;
      SendMessageA(s, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
      SendMessageA(d, UDM_SETRANGE32, static_cast<WPARAM>(lo), static_cast<LPARAM>(hi));
      SendMessageA(d, UDM_SETPOS32, 0, SendMessageA(s, UDM_GETPOS32, 0, 0));
    }
    if (cls != "LISTBOX") SetWindowTextA(d, textof(s).c_str());
    EnableWindow(d, IsWindowEnabled(s));
  }
}

void yyplacedialog(plat::HWND dlg, int x, int y, bool child) {
  using namespace plat;
  RECT r;
  GetWindowRect(dlg, &r);
  int w = r.right - r.left;
  int h = r.bottom - r.top;
  int sw = GetSystemMetrics(SM_CXSCREEN);
  int sh = GetSystemMetrics(SM_CYSCREEN);
  if (child && wsys.slots[0].hClient) {
    RECT c;
    GetClientRect(wsys.slots[0].hClient, &c);
    sw = c.right;
    sh = c.bottom;
  }
  int px = x == -1 ? (sw - w) / 2 : x;
  int py = y == -1 ? (sh - h) / 2 : y;
  SetWindowPos(dlg, nullptr, px, py, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool yyfocusfield(plat::HWND dlg, int field) {
  if (field == 0) return false;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c) return false;
  plat::SetFocus(c);
  if (classof(c) == "EDIT") plat::SendMessageA(c, plat::EM_SETSEL, 0, -1);
  return true;
}

plat::INT_PTR yydialogproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  using namespace plat;
  if (iscolourrequest(msg)) return colourrequest(msg, wp, lp);
  switch (msg) {
    case WM_INITDIALOG:
      yysetupcontrols(dlg);
      return FALSE;
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_ACTIVATE:
      wmsg.hDlgCur = LOWORD(wp) == WA_INACTIVE ? nullptr : dlg;
      return FALSE;
    case WM_MOUSEACTIVATE:
      // A dialog inside the root is a window of its own there: a press in
      // it gives it the active caption (the root is not asked).
      if (!(GetWindowLongPtrA(dlg, GWL_STYLE) & WS_CHILD)) return FALSE;
      yytitlecolour(dlg);
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, MA_ACTIVATE);
      return TRUE;
    case WM_HELP: {
      // F1 is reported as push button 9.
      int i = entryof(dlg);
      if (i == 0) return FALSE;
      DialogEntry& e = wdlg.DialogInfo[i];
      yybuildmessage(kPushButton, e.id, kHelpButton, e.prevfield, -1, -1, -1, -1);
      return TRUE;
    }
    case WM_PAINT: {
      // A dialog with a graphics field reports its repaints (not while a
      // modal loop keeps the windows' pictures); the window system paints
      // it as usual.
      int i = entryof(dlg);
      if (i > 0 && wdlg.DialogInfo[i].gflag && !wsys.wImagesSaved) {
        DialogEntry& e = wdlg.DialogInfo[i];
        e.gfield = 0;
        yybuildmessage(kDialogExpose, e.id, -1, -1, 1, 0, -1, -1);
      }
      return FALSE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      // A trackbar moved (its end of scroll is not a change of its own).
      int i = entryof(dlg);
      HWND c = reinterpret_cast<HWND>(lp);
      if (i == 0 || !c || classof(c) != "MSCTLS_TRACKBAR32" || LOWORD(wp) == TB_ENDTRACK) return FALSE;
      DialogEntry& e = wdlg.DialogInfo[i];
      fieldentered(e, GetDlgCtrlID(c));
      yybuildmessage(kFieldChanged, e.id, e.prevfield, e.field, -1, -1,
                     static_cast<int>(reinterpret_cast<std::intptr_t>(e.lastcontrol)),
                     static_cast<int>(reinterpret_cast<std::intptr_t>(c)));
      e.lastcontrol = c;
      return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      return graphicsmouse(dlg, msg, lp) ? TRUE : FALSE;
    case WM_COMMAND: {
      int i = entryof(dlg);
      if (i == 0) return FALSE;
      DialogEntry& e = wdlg.DialogInfo[i];
      HWND c = reinterpret_cast<HWND>(lp);
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      if (c && yyispushbutton(c) && code == BN_CLICKED) {
        // The previous field stays the field left unless the button has the focus.
        if (GetFocus() != c) e.prevfield = e.field;
        e.field = id;
        yybuildmessage(kPushButton, e.id, id, e.prevfield, -1, -1, -1, -1);
        return TRUE;
      }
      if (!c) {
        // Enter and Escape of the keyboard navigation: 1 and 2 as buttons.
        if (id == IDOK || id == IDCANCEL) {
          e.prevfield = e.field;
          e.field = id;
          yybuildmessage(kPushButton, e.id, id, e.prevfield, -1, -1, -1, -1);
          return TRUE;
        }
        return FALSE;
      }
      const bool click = code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELCHANGE;
      const bool focus = code == EN_SETFOCUS || code == BN_SETFOCUS ||
                         (classof(c) == "LISTBOX" && code == LBN_SETFOCUS) ||
                         (classof(c) == "COMBOBOX" && code == CBN_SETFOCUS);
      if ((code == LBN_DBLCLK && classof(c) == "LISTBOX") || (code == CBN_DBLCLK && classof(c) == "COMBOBOX")) {
        LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
        HWND b = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dlg, LOWORD(def)) : nullptr;
        if (b && IsWindowEnabled(b)) SendMessageA(b, BM_CLICK, 0, 0);
        return TRUE;
      }
      if (!click && !focus) return FALSE;
      const bool differs = e.field != id;
      fieldentered(e, id);
      if (click || differs) {
        HWND last = e.lastcontrol;
        yybuildmessage(kFieldChanged, e.id, e.prevfield, id, -1, -1,
                       static_cast<int>(reinterpret_cast<std::intptr_t>(last)),
                       static_cast<int>(reinterpret_cast<std::intptr_t>(c)));
        e.lastcontrol = c;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

plat::INT_PTR yymodalproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  using namespace plat;
  if (iscolourrequest(msg)) return colourrequest(msg, wp, lp);
  DialogEntry& cur = wdlg.DialogInfo[wModalStart.entry];
  switch (msg) {
    case WM_INITDIALOG:
      wdlg.DialogInfo[0].hwnd = dlg;
      wdlg.DialogInfo[0].id = cur.id;
      yysetupcontrols(dlg);
      if (cur.hwnd) yycopyfields(cur.hwnd, dlg);
      yyplacedialog(dlg, wModalStart.x, wModalStart.y, false);
      if (yyfocusfield(dlg, wModalStart.focusfield)) return FALSE;
      return TRUE;
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_COMMAND: {
      HWND c = reinterpret_cast<HWND>(lp);
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      // Any push button ends the dialog; Enter presses the default button,
      // Escape and the close box come as button 2 whether or not it exists.
      const bool ends = (c && yyispushbutton(c) && code == BN_CLICKED) || (!c && (id == IDOK || id == IDCANCEL)) ||
                        (c && id == IDCANCEL && code == BN_CLICKED);
      if (ends) {
        if (cur.field != id) cur.prevfield = cur.field;
        cur.field = id;
        wdlg.iDlgAct = cur.id;
        if (cur.hwnd) yycopyfields(dlg, cur.hwnd);
        EndDialog(dlg, id);
        return TRUE;
      }
      if (!c) return FALSE;
      const bool click = code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELCHANGE;
      const bool focus = code == EN_SETFOCUS || code == BN_SETFOCUS || code == LBN_SETFOCUS || code == CBN_SETFOCUS;
      if (click || (focus && cur.field != id)) fieldentered(cur, id);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace tsd
