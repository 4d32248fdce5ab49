// Dialog windows of the dialog manager: templates from the resources, the
// field records and subclassing of a new dialog's controls, the kinds of
// fields and the one lookup of a field of the current dialog, the copying
// of fields between two instances of one template, placement and focus.
// The dialog procedures are in wdlgprocs.cpp.
#include "toolkit/window/wdlgwindow.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "text/letters.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wmiscel.h"
#include "toolkit/window/wstate.h"

namespace tsd {

ModalStart wModalStart;

namespace {

constexpr const char* kFieldProp = "tsd.field";
constexpr int kCtrlA = 1;  // the character Ctrl+A gives

std::string classof(plat::HWND h) {
  char name[64] = {};
  plat::GetClassNameA(h, name, sizeof name);
  return text::asciiupper(name);
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

std::vector<plat::HWND> controlsof(plat::HWND dlg) { return yycontrols(dlg); }

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
    // Setting each entry moved the caret; it goes back where it was.
    SendMessageA(to, LB_SETCARETINDEX, static_cast<WPARAM>(SendMessageA(from, LB_GETCARETINDEX, 0, 0)), FALSE);
  } else {
    SendMessageA(to, LB_SETCURSEL, static_cast<WPARAM>(SendMessageA(from, LB_GETCURSEL, 0, 0)), 0);
  }
}

}  // namespace

std::string yyfieldclass(plat::HWND h) { return classof(h); }

std::vector<plat::HWND> yycontrols(plat::HWND dlg) {
  std::vector<plat::HWND> v;
  for (plat::HWND c = plat::GetWindow(dlg, plat::GW_CHILD); c; c = plat::GetWindow(c, plat::GW_HWNDNEXT)) v.push_back(c);
  return v;
}

int yyfieldkind(plat::HWND c) {
  using namespace plat;
  const std::string cls = classof(c);
  const DWORD st = styleof(c);
  if (cls == "BUTTON") {
    switch (st & BS_TYPEMASK) {
      case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: return kFieldPushButton;
      case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: return kFieldCheckBox;
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return kFieldRadioButton;
      case BS_GROUPBOX: return kFieldGroupBox;
      default: return kFieldOther;
    }
  }
  if (cls == "STATIC") {
    switch (st & SS_TYPEMASK) {
      case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_SIMPLE: case SS_LEFTNOWORDWRAP: return kFieldStaticText;
      default: return kFieldPicture;
    }
  }
  if (cls == "EDIT") return kFieldEdit;
  if (cls == "COMBOBOX") return kFieldCombo;
  if (cls == "LISTBOX") return kFieldList;
  if (cls == "SYSTABCONTROL32") return kFieldTab;
  if (cls == "MSCTLS_PROGRESS32") return kFieldProgress;
  if (cls == "MSCTLS_TRACKBAR32") return kFieldTrackbar;
  return kFieldOther;
}
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

plat::HWND yyfieldof(int& field, std::initializer_list<int> kinds) {
  plat::HWND dlg = yycurrentdialogwindow();
  plat::HWND c = dlg && field != kNoFieldId ? plat::GetDlgItem(dlg, field) : nullptr;
  if (c && kinds.size() != 0 && std::find(kinds.begin(), kinds.end(), yyfieldkind(c)) == kinds.end()) c = nullptr;
  if (!c) field = kFieldFailed;
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
      // Setting a radio button's check moves the group's tab stop; the copy
      // keeps the tab stops as they were (a group with no button set is
      // still reached with Tab).
      SetWindowLongPtrA(d, GWL_STYLE, static_cast<LONG_PTR>((styleof(d) & ~WS_TABSTOP) | (styleof(s) & WS_TABSTOP)));
    } else if (cls == "LISTBOX") {
      copylist(s, d, false);
    } else if (cls == "COMBOBOX") {
      copylist(s, d, true);
      // A combo box's limit cannot be asked of it: the field record keeps it.
      if (fs && fs->maxlength > 0) SendMessageA(d, CB_LIMITTEXT, static_cast<WPARAM>(fs->maxlength), 0);
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
  if (field == 0 || field == kNoFieldId) return false;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c) return false;
  plat::SetFocus(c);
  if (classof(c) == "EDIT") plat::SendMessageA(c, plat::EM_SETSEL, 0, -1);
  return true;
}

}  // namespace tsd
