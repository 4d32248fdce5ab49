// Window images and window disabling around the toolkit's modal loops.
#include "toolkit/window/wimages.h"

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

// Depth of nested modal loops; the pictures are taken by the outermost.
int saveDepth = 0;

plat::HWND topof(plat::HWND hwnd) {
  plat::HWND top = hwnd ? plat::GetAncestor(hwnd, plat::GA_ROOT) : nullptr;
  return top ? top : hwnd;
}

}  // namespace

void yysaveimages(plat::HWND except) {
  using namespace plat;
  if (saveDepth++ > 0) return;
  for (WindowSlot& s : wsys.slots) {
    if (!s.hClient || s.hClient == except || !IsWindowVisible(s.hClient)) continue;
    RECT r;
    GetClientRect(s.hClient, &r);
    if (r.right <= 0 || r.bottom <= 0) continue;
    HDC dc = GetDC(s.hClient);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, r.right, r.bottom);
    if (mem && bmp) {
      HGDIOBJ old = SelectObject(mem, bmp);
      BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      s.wImage = bmp;
    } else if (bmp) {
      DeleteObject(bmp);
    }
    if (mem) DeleteDC(mem);
    ReleaseDC(s.hClient, dc);
  }
  wsys.wImagesSaved = 1;
}

bool yypaintfromimage(plat::HWND client, plat::HDC dc, const plat::RECT& area) {
  using namespace plat;
  if (!wsys.wImagesSaved || !dc) return false;
  int index = yygetwindowindex(client);
  if (index < 0 || wsys.slots[index].hClient != client || !wsys.slots[index].wImage) return false;
  HDC mem = CreateCompatibleDC(dc);
  if (!mem) return false;
  HGDIOBJ old = SelectObject(mem, wsys.slots[index].wImage);
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, area.left, area.top, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return true;
}

void yyrestoreimages() {
  using namespace plat;
  if (saveDepth == 0) return;
  if (--saveDepth > 0) return;
  for (WindowSlot& s : wsys.slots) {
    if (!s.wImage) continue;
    if (s.hClient && IsWindow(s.hClient)) {
      RECT r;
      GetClientRect(s.hClient, &r);
      HDC dc = GetDC(s.hClient);
      HDC mem = CreateCompatibleDC(dc);
      if (mem) {
        HGDIOBJ old = SelectObject(mem, s.wImage);
        BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
      }
      ReleaseDC(s.hClient, dc);
      ValidateRect(s.hClient, nullptr);
    }
    DeleteObject(s.wImage);
    s.wImage = nullptr;
  }
  wsys.wImagesSaved = 0;
}

std::vector<plat::HWND> yydisableothers(plat::HWND owner) {
  using namespace plat;
  std::vector<HWND> disabled;
  HWND keep = topof(owner);
  auto off = [&](HWND w) {
    if (!w || w == keep || !IsWindowVisible(w) || !IsWindowEnabled(w)) return;
    EnableWindow(w, FALSE);
    disabled.push_back(w);
  };
  for (int i = 1; i <= wdlg.nDialogs; ++i) {
    HWND d = wdlg.DialogInfo[i].hwnd;
    if (d && !(GetWindowLongPtrA(d, GWL_STYLE) & WS_CHILD)) off(d);
  }
  for (WindowSlot& s : wsys.slots) off(s.wWindow);
  return disabled;
}

void yyenableagain(const std::vector<plat::HWND>& disabled) {
  for (plat::HWND w : disabled)
    if (plat::IsWindow(w)) plat::EnableWindow(w, plat::TRUE);
}

plat::HWND yycurrentowner() {
  if (wmsg.hDlgCur && plat::IsWindow(wmsg.hDlgCur) && plat::IsWindowVisible(wmsg.hDlgCur)) return wmsg.hDlgCur;
  if (wsys.wOwner && plat::IsWindow(wsys.wOwner)) return wsys.wOwner;
  return wsys.slots[wsys.wIndex].hClient ? wsys.slots[wsys.wIndex].hClient : wsys.slots[0].hClient;
}

void yyfocusowner(plat::HWND owner) {
  if (owner && plat::IsWindow(owner) && (plat::GetWindowLongPtrA(owner, plat::GWL_STYLE) & plat::WS_CHILD))
    plat::SetFocus(owner);
}

}  // namespace tsd
