// Fields of every kind: what kind and state a field is, clearing and
// enabling it, its text, length, rectangle, tab stops, colours and image.
#include <string>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/controls/controls.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

// Longest tab stop list a field keeps.
constexpr int kMaxTabStops = 256;
// The colour value that stands for the system colour, and for "unchanged".
constexpr int kSystemColour = 256;
constexpr int kUnchanged = -1;

plat::DWORD styleof(plat::HWND h) { return static_cast<plat::DWORD>(plat::GetWindowLongPtrA(h, plat::GWL_STYLE)); }

bool edittype(int kind) { return kind >= kFieldEdit && kind <= kFieldDouble; }

// A colour argument triple: the system colour (-1 in the record), the
// colour kept, or a new one.
int colourof(int r, int g, int b, int current) {
  if (r == kUnchanged) return current;
  if (r == kSystemColour) return -1;
  auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
  return static_cast<int>(plat::RGB(clamp(r), clamp(g), clamp(b)));
}

}  // namespace

void yygetfieldtype(int& field, int& kind) {
  plat::HWND c = yyfieldof(field);
  if (c) kind = yyfieldkind(c);
}

void yygetfieldstate(int& field, int& state) {
  plat::HWND c = yyfieldof(field);
  if (!c) return;
  if (!plat::IsWindowEnabled(c)) state = kFieldDisabled;
  else if (edittype(yyfieldkind(c)) && (styleof(c) & plat::ES_READONLY)) state = kFieldReadOnly;
  else state = kFieldEnabled;
}

void yyfieldenable(int& field, int state) {
  using namespace plat;
  HWND c = yyfieldof(field);
  if (!c) return;
  if (edittype(yyfieldkind(c))) {
    EnableWindow(c, state != kFieldDisabled ? TRUE : FALSE);
    if (state != kFieldDisabled) SendMessageA(c, EM_SETREADONLY, state == kFieldReadOnly ? TRUE : FALSE, 0);
    return;
  }
  EnableWindow(c, state == kFieldEnabled ? TRUE : FALSE);
}

void yyfieldclear(int& field) {
  using namespace plat;
  HWND c = yyfieldof(field);
  if (!c) return;
  switch (yyfieldkind(c)) {
    case kFieldEdit: case kFieldInteger: case kFieldReal: case kFieldDouble:
    case kFieldStaticText: case kFieldPushButton: case kFieldGroupBox:
      SetWindowTextA(c, "");
      break;
    case kFieldCombo:
      SendMessageA(c, CB_RESETCONTENT, 0, 0);
      SetWindowTextA(c, "");
      break;
    case kFieldList:
      SendMessageA(c, LB_RESETCONTENT, 0, 0);
      break;
    case kFieldCheckBox:
      SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
      break;
    case kFieldRadioButton:
      for (HWND r : yyradiogroup(GetParent(c), c)) SendMessageA(r, BM_SETCHECK, BST_UNCHECKED, 0);
      if (!yyisautoradio(c)) SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
      break;
    default:
      field = kFieldFailed;
      break;
  }
}

void yyfieldputtext(int& field, std::string_view text) {
  plat::HWND c = yyfieldof(field);
  if (!c) return;
  std::string s(trimmed(text));
  if (s.size() > static_cast<std::size_t>(plat::kMaxControlText)) s.resize(plat::kMaxControlText);
  plat::SetWindowTextA(c, s.c_str());
}

void yyfieldgetlength(int& field, int& length) {
  plat::HWND c = yyfieldof(field);
  if (c) length = static_cast<int>(yyfieldtext(c).size());
}

void yygetfieldinfo(int& field, int& x, int& y, int& width, int& height, int client) {
  using namespace plat;
  HWND c = yyfieldof(field);
  if (!c) return;
  HWND dlg = GetParent(c);
  RECT r;
  if (client == 1) {
    GetClientRect(c, &r);
    MapWindowPoints(c, dlg, reinterpret_cast<POINT*>(&r), 2);
  } else {
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
  }
  x = r.left;
  y = r.top;
  width = r.right - r.left;
  height = r.bottom - r.top;
}

void yydialogtabstops(int& field, std::span<const int> stops, int count) {
  using namespace plat;
  HWND c = yyfieldof(field);
  if (!c) return;
  const std::string cls = yyfieldclass(c);
  const bool list = cls == "LISTBOX";
  const bool multiline = cls == "EDIT" && (styleof(c) & ES_MULTILINE);
  if ((!list && !multiline) || count < 0 || count > kMaxTabStops) {
    field = kFieldFailed;
    return;
  }
  const std::size_t n = static_cast<std::size_t>(count) < stops.size() ? static_cast<std::size_t>(count) : stops.size();
  FieldRecord* f = yyfieldrecord(c);
  std::vector<int> kept(stops.begin(), stops.begin() + static_cast<std::ptrdiff_t>(n));
  SendMessageA(c, list ? LB_SETTABSTOPS : EM_SETTABSTOPS, kept.size(), reinterpret_cast<LPARAM>(kept.data()));
  if (f) f->tabstops = std::move(kept);
  InvalidateRect(c, nullptr, TRUE);
}

void yyfieldcolour(int& field, int tr, int tg, int tb, int br, int bg, int bb) {
  using namespace plat;
  HWND c = yyfieldof(field);
  FieldRecord* f = c ? yyfieldrecordof(field) : nullptr;
  if (!f) return;
  f->textcolour = colourof(tr, tg, tb, f->textcolour);
  const int back = colourof(br, bg, bb, f->backcolour);
  if (back != f->backcolour && f->backbrush) {
    DeleteObject(f->backbrush);
    f->backbrush = nullptr;
  }
  f->backcolour = back;
  InvalidateRect(c, nullptr, TRUE);
}

void yyfieldimage(int& field, int imageid, int kind) {
  using namespace plat;
  HWND c = yyfieldof(field);
  if (!c) return;
  const int k = yyfieldkind(c);
  const bool button = k == kFieldPushButton || k == kFieldCheckBox || k == kFieldRadioButton;
  const bool picture = k == kFieldStaticText || k == kFieldPicture;
  if (!button && !picture) {
    field = kFieldFailed;
    return;
  }
  const bool bitmap = kind == 1;
  // On a button the bitmap's top-left colour shows the button face (not on
  // the oldest platform, which has no such loading).
  const UINT flags = button && bitmap && wsys.WinVer != 3 ? LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS : LR_DEFAULTCOLOR;
  HANDLE img = imageid > 0 && imageid <= 65535
                   ? LoadImageA(wsys.wInstance, MAKEINTRESOURCEA(static_cast<unsigned>(imageid)),
                                bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0, 0, flags)
                   : nullptr;
  if (!img) {
    field = kFieldMissing;
    return;
  }
  yysetfieldimage(c, static_cast<HGDIOBJ>(img), bitmap ? 1 : 2, true);
}

}  // namespace tsd
