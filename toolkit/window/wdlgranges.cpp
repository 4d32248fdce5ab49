// Fields with a value range: trackbars (position, selection, range, ticks
// and steps), progress bars, the value bounds of numeric fields and their
// spin partners (up-down controls).
#include "platform/comctl/comctl.h"
#include "platform/user/user.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"

namespace tsd {

namespace {

plat::HWND trackbarof(int& field) { return yyfieldof(field, {kFieldTrackbar}); }
plat::HWND progressof(int& field) { return yyfieldof(field, {kFieldProgress}); }

// A value that fits the 32-bit range of a spin partner.
int spinvalue(double v) {
  if (!(v > -2147483648.0)) return -2147483647 - 1;
  if (!(v < 2147483647.0)) return 2147483647;
  return static_cast<int>(v);
}

}  // namespace

void yyfieldgettrack(int& field, int& position, int& selstart, int& selend) {
  using namespace plat;
  HWND c = trackbarof(field);
  if (!c) return;
  position = static_cast<int>(SendMessageA(c, TBM_GETPOS, 0, 0));
  const auto st = static_cast<DWORD>(GetWindowLongPtrA(c, GWL_STYLE));
  const int a = static_cast<int>(SendMessageA(c, TBM_GETSELSTART, 0, 0));
  const int b = static_cast<int>(SendMessageA(c, TBM_GETSELEND, 0, 0));
  if (!(st & TBS_ENABLESELRANGE) || a >= b) {
    selstart = kNoSelection;
    selend = kNoSelection;
    return;
  }
  selstart = a;
  selend = b;
}

void yyfieldputtrack(int& field, int position, int selstart, int selend, int mode) {
  using namespace plat;
  HWND c = trackbarof(field);
  if (!c) return;
  SendMessageA(c, TBM_SETPOS, TRUE, position);
  if (mode == 0) SendMessageA(c, TBM_SETSEL, TRUE, MAKELPARAM(selstart, selend));
  else if (mode == 2) SendMessageA(c, TBM_CLEARSEL, TRUE, 0);
}

void yyrangetrack(int& field, int minimum, int maximum, int frequency) {
  using namespace plat;
  HWND c = trackbarof(field);
  if (!c) return;
  SendMessageA(c, TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageA(c, TBM_SETRANGEMAX, TRUE, maximum);
  if (frequency > 0) SendMessageA(c, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void yyfieldtrackstep(int& field, int line, int page) {
  using namespace plat;
  HWND c = trackbarof(field);
  if (!c) return;
  SendMessageA(c, TBM_SETLINESIZE, 0, line);
  SendMessageA(c, TBM_SETPAGESIZE, 0, page > 0 ? page : line);
}

void yyfieldputprogress(int& field, int value, int mode) {
  using namespace plat;
  HWND c = progressof(field);
  if (!c) return;
  SendMessageA(c, mode == 0 ? PBM_SETPOS : PBM_DELTAPOS, static_cast<WPARAM>(value), 0);
}

void yyrangeprogress(int& field, int minimum, int maximum) {
  using namespace plat;
  HWND c = progressof(field);
  if (!c) return;
  // The range request holds 16-bit bounds.
  SendMessageA(c, PBM_SETRANGE, 0, MAKELPARAM(minimum & 0xffff, maximum & 0xffff));
}

void yyfieldrange(int& field, double lower, double upper) {
  using namespace plat;
  FieldRecord* f = yyfieldrecordof(field);
  if (!f) return;
  f->lower = lower;
  f->upper = upper;
  if (f->spin && lower <= upper)
    SendMessageA(f->spin, UDM_SETRANGE32, static_cast<WPARAM>(spinvalue(lower)), spinvalue(upper));
}

void yyfieldrangecheck(int& field, double value) {
  const FieldRecord* f = yyfieldrecordof(field);
  if (!f) return;
  if (f->lower <= f->upper && (value < f->lower || value > f->upper)) field = kFieldMissing;
}

void yyfieldspinstep(int& field, int step, int fraction) {
  using namespace plat;
  const FieldRecord* f = yyfieldrecordof(field);
  if (!f) return;
  if (!f->spin) {
    field = kFieldFailed;
    return;
  }
  // The up-down control steps whole numbers: a fractional step of a real
  // field moves it by one.
  UDACCEL accel;
  accel.nSec = 0;
  accel.nInc = static_cast<UINT>(fraction != 0 || step < 1 ? 1 : step);
  SendMessageA(f->spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

}  // namespace tsd
