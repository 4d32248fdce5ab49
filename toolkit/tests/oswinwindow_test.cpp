// The operating-system services that need the window system: the error
// message box and the wait that keeps dispatching window messages.
#include <gtest/gtest.h>

#include <string>

#include "platform/user/user.h"
#include "text/cp1250.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/wmiscel.h"

namespace {

using namespace tsd;
using tsd::testing::readfile;

class OsWindowServices : public tsd::testing::WinHeadless {};

TEST_F(OsWindowServices, MessageBoxShowsErrorIconAndOkOnDrawingWindow) {
  start("msgbox \"OK\"\n");
  xxmwinmessagebox(text::cp1250_from_utf8("Błąd").c_str(), "Nie ma pliku");
  std::string log = readfile(logpath_);
  EXPECT_NE(log.find("message box shown: \"Błąd\" text \"Nie ma pliku\" icon stop buttons OK"), std::string::npos)
      << log;
  EXPECT_NE(log.find("message box answered: OK"), std::string::npos) << log;
}

TEST_F(OsWindowServices, WaitLastsItsTimeAndDispatchesMessages) {
  start("wait 5000\n");
  // A timer of the frame that ends inside the wait is dispatched there.
  yysettimer(200, 7);
  ASSERT_EQ(wsys.wTimer, 1);
  const plat::DWORD before = plat::GetTickCount();
  xxwait(50);
  const plat::DWORD waited = plat::GetTickCount() - before;
  EXPECT_GE(waited, 500u) << "milliseconds waited";
  EXPECT_LT(waited, 600u) << "milliseconds waited";
  EXPECT_EQ(wsys.wTimer, 0) << "the frame's own timer was not dispatched during the wait";
  // The wait's timer is gone: nothing of it reaches the program later.
  plat::MSG msg;
  EXPECT_FALSE(plat::PeekMessageA(&msg, Window, plat::WM_TIMER, plat::WM_TIMER, plat::PM_NOREMOVE));
}

TEST_F(OsWindowServices, WaitEndsBeforeALaterTimer) {
  start("wait 5000\n");
  yysettimer(2000, 7);
  const plat::DWORD before = plat::GetTickCount();
  xxwait(30);
  const plat::DWORD waited = plat::GetTickCount() - before;
  EXPECT_GE(waited, 300u) << "milliseconds waited";
  EXPECT_LT(waited, 2000u) << "milliseconds waited";
  EXPECT_EQ(wsys.wTimer, 1) << "the later timer must still be armed";
}

TEST_F(OsWindowServices, WaitOfNothingReturnsAtOnce) {
  start("wait 5000\n");
  for (int h : {0, -5}) {
    SCOPED_TRACE(h);
    const plat::DWORD before = plat::GetTickCount();
    xxwait(h);
    EXPECT_EQ(plat::GetTickCount() - before, 0u) << "milliseconds waited";
  }
}

}  // namespace
