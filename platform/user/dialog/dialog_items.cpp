// Item helpers of dialogs and dialog units.
#include <strings.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/user/dialog/dialog_private.h"

namespace plat {

using namespace dlg;

BOOL MapDialogRect(HWND dlg, RECT* r) {
  DialogState* s = state_of(dlg);
  if (!s || !r) return FALSE;
  r->left = r->left * s->base_x / 4;
  r->right = r->right * s->base_x / 4;
  r->top = r->top * s->base_y / 8;
  r->bottom = r->bottom * s->base_y / 8;
  return TRUE;
}

LONG GetDialogBaseUnits() {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, default_dialog_font());
  SIZE sz;
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &sz);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return static_cast<LONG>(MAKELPARAM((sz.cx / 26 + 1) / 2, tm.tmHeight));
}

LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp) {
  HWND c = GetDlgItem(dlg, id);
  return c ? SendMessageA(c, msg, wp, lp) : 0;
}

BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text) {
  HWND c = GetDlgItem(dlg, id);
  return c ? SetWindowTextA(c, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  HWND c = GetDlgItem(dlg, id);
  return c ? static_cast<UINT>(GetWindowTextA(c, buffer, size)) : 0;
}

BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL is_signed) {
  char buf[16];
  if (is_signed) std::snprintf(buf, sizeof buf, "%d", static_cast<int>(value));
  else std::snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemTextA(dlg, id, buf);
}

UINT GetDlgItemInt(HWND dlg, int id, BOOL* ok, BOOL is_signed) {
  if (ok) *ok = FALSE;
  char buf[64];
  if (!GetDlgItemTextA(dlg, id, buf, sizeof buf)) return 0;
  char* end = nullptr;
  errno = 0;
  long long v = is_signed ? std::strtoll(buf, &end, 10) : static_cast<long long>(std::strtoull(buf, &end, 10));
  while (end && *end == ' ') ++end;
  if (!end || end == buf || *end || errno) return 0;
  if (is_signed ? (v < INT32_MIN || v > INT32_MAX) : (v < 0 || v > static_cast<long long>(UINT32_MAX))) return 0;
  if (ok) *ok = TRUE;
  return static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dlg, int id, UINT state) {
  HWND c = GetDlgItem(dlg, id);
  if (!c) return FALSE;
  SendMessageA(c, BM_SETCHECK, state, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dlg, int id) {
  HWND c = GetDlgItem(dlg, id);
  return c ? static_cast<UINT>(SendMessageA(c, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dlg, int first_id, int last_id, int check_id) {
  bool found = false;
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(c);
    if (id < first_id || id > last_id) continue;
    SendMessageA(c, BM_SETCHECK, id == check_id ? BST_CHECKED : BST_UNCHECKED, 0);
    found = found || id == check_id;
  }
  return found ? TRUE : FALSE;
}

}  // namespace plat
