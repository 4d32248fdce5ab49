// A screenshot of the dialog of every field kind, filled through the
// field routines and shown modal, for looking at; and the colours and
// images of its loaded instance reach the modal one.
#include <cstdio>
#include <cstdlib>

#include "platform/comctl/comctl.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "text/cp1250.h"

namespace tsd::testing {
namespace {

std::string shotpath(const std::string& name) {
  const char* dir = std::getenv("TSD_SHOT_DIR");
  return dir ? std::string(dir) + "/" + name : wintemp(name);
}

class FieldKindsShot : public WinHeadless {};

TEST_F(FieldKindsShot, EveryFieldKindFilledAndShownModal) {
  const std::string shot = shotpath("fieldkinds.png");
  std::remove(shot.c_str());
  start("screenshot \"" + shot + "\"\nkey Escape\n");
  wdialogload(301);
  int f = 3004;
  yyfieldputtext(f, "1.25e-3");
  f = 3005;
  yyfieldputtext(f, ::text::cp1250_from_utf8("Wiersz pierwszy\r\nwiersz drugi"));
  f = 3006;
  yyfieldrange(f, 0, 50);
  yyfieldputtext(f, "12");
  f = 3001;
  yyfieldcolour(f, 180, 0, 0, 255, 255, 200);
  f = 3013;
  yyfieldputcombo(f, "alfab");
  f = 3015;
  yyfieldputoption(1, f, 1);
  f = 3016;
  yyfieldputopt2(f, 1, 2, 1);
  f = 3019;
  yyrangetrack(f, 0, 100, 10);
  yyfieldputtrack(f, 60, 20, 80, 0);
  f = 3018;
  yyrangeprogress(f, 0, 100);
  yyfieldputprogress(f, 40, 0);
  wdialogputcheckbox(3010, 1);
  wdialogputradiobutton(3012);
  plat::TCITEMA tab;
  tab.mask = plat::TCIF_TEXT;
  int at = 0;
  for (const char* t : {"Prąd", "Tau"}) {
    std::string s = ::text::cp1250_from_utf8(t);
    tab.pszText = s.data();
    plat::SendMessageA(plat::GetDlgItem(wdlg.DialogInfo[wdlg.iDlgCur].hwnd, 3017), plat::TCM_INSERTITEMA,
                       static_cast<plat::WPARAM>(at++), reinterpret_cast<plat::LPARAM>(&tab));
  }
  wdialogshow(-1, -1, 3004, kShowModal);
  EXPECT_EQ(winfodialog(1), 2) << "Escape ends it as button 2";
  std::FILE* png = std::fopen(shot.c_str(), "rb");
  EXPECT_NE(png, nullptr) << "the screenshot was written";
  if (png) std::fclose(png);
  std::printf("field kinds screenshot: %s\n", shot.c_str());
}

}  // namespace
}  // namespace tsd::testing
