// A screenshot of the dialog of every field kind, filled through the
// field routines and shown modal, and what must show in it: the label in
// its own colours inside its field and nowhere else, the icon, the check
// mark and the radio dot set, the focus field's text selected and the
// progress bar filled to its position; and the colours and images of its
// loaded instance reach the modal one.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/comctl/comctl.h"
#include "platform/gdi/surface_png.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "text/cp1250.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

namespace tsd::testing {
namespace {

using testkit::boundsof;
using testkit::countcolour;
using testkit::countother;
using testkit::describe;
using testkit::inside;
using testkit::syscolour;
using testkit::wholeof;

constexpr int kDialog = 301;
constexpr int kLabel = 3001, kIcon = 3102, kEdit = 3004, kCheck = 3010, kRadioOne = 3011, kRadioTwo = 3012;
constexpr int kProgress = 3018, kProgressPosition = 40;
constexpr std::uint32_t kLabelText = 0xb40000, kLabelBack = 0xffffc8;  // the colours given to the label

// Where the fields of the dialog `dlg` lie, by id, from its client origin.
std::map<int, plat::RECT> fieldplaces(plat::HWND dlg) {
  plat::POINT origin{0, 0};
  plat::ClientToScreen(dlg, &origin);
  std::map<int, plat::RECT> m;
  for (plat::HWND c = plat::GetWindow(dlg, plat::GW_CHILD); c != nullptr; c = plat::GetWindow(c, plat::GW_HWNDNEXT)) {
    plat::RECT r;
    plat::GetWindowRect(c, &r);
    m[plat::GetDlgCtrlID(c)] = plat::RECT{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
  }
  return m;
}

// The client origin on the screen of the front dialog, made from the
// template of `loaded`: its caption is the topmost row of the active
// caption colour, as wide as its client and a frame below its top.
plat::POINT modalorigin(const plat::Surface& s, plat::HWND loaded) {
  plat::RECT w;
  plat::GetWindowRect(loaded, &w);
  plat::POINT c{0, 0};
  plat::ClientToScreen(loaded, &c);
  const int frame = c.x - w.left;
  const plat::RECT caption = testkit::topband(s, syscolour(plat::COLOR_ACTIVECAPTION), 200);
  if (caption.bottom <= caption.top) return plat::POINT{-1, -1};
  return plat::POINT{caption.left, caption.top - frame + (c.y - w.top)};
}

plat::RECT moved(plat::RECT r, plat::POINT by) { return plat::RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

class FieldKindsShot : public WinHeadless {};

TEST_F(FieldKindsShot, EveryFieldKindFilledAndShownModal) {
  const std::string shot = testkit::shotoutput("dialog_shots", "fieldkinds.png");
  std::remove(shot.c_str());
  start("screenshot \"" + shot + "\"\nkey Escape\n");
  wdialogload(kDialog);
  int f = kEdit;
  yyfieldputtext(f, "1.25e-3");
  f = 3005;
  yyfieldputtext(f, ::text::cp1250_from_utf8("Wiersz pierwszy\r\nwiersz drugi"));
  f = 3006;
  yyfieldrange(f, 0, 50);
  yyfieldputtext(f, "12");
  f = kLabel;
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
  f = kProgress;
  yyrangeprogress(f, 0, 100);
  yyfieldputprogress(f, kProgressPosition, 0);
  wdialogputcheckbox(kCheck, 1);
  wdialogputradiobutton(kRadioTwo);
  plat::TCITEMA tab;
  tab.mask = plat::TCIF_TEXT;
  int at = 0;
  const plat::HWND loaded = wdlg.DialogInfo[wdlg.iDlgCur].hwnd;
  for (const char* t : {"Prąd", "Tau"}) {
    std::string s = ::text::cp1250_from_utf8(t);
    tab.pszText = s.data();
    plat::SendMessageA(plat::GetDlgItem(loaded, 3017), plat::TCM_INSERTITEMA, static_cast<plat::WPARAM>(at++),
                       reinterpret_cast<plat::LPARAM>(&tab));
  }
  const std::map<int, plat::RECT> fields = fieldplaces(loaded);
  wdialogshow(-1, -1, kEdit, kShowModal);
  EXPECT_EQ(winfodialog(1), 2) << "Escape ends it as button 2";
  std::printf("field kinds screenshot: %s\n", shot.c_str());

  plat::Surface s;
  ASSERT_TRUE(plat::ReadSurfacePng(shot, &s)) << shot;
  const plat::POINT origin = modalorigin(s, loaded);
  ASSERT_GE(origin.x, 0) << "no dialog caption on the screen";
  auto place = [&](int id) { return moved(fields.at(id), origin); };

  // The label's background fills exactly its field; its text, in its own
  // colour, lies inside it, and that colour is nowhere else.
  const plat::RECT label = place(kLabel);
  const plat::RECT back = boundsof(s, kLabelBack, wholeof(s));
  EXPECT_EQ(describe(back), describe(label)) << "the label's background is its field";
  const plat::RECT text = boundsof(s, kLabelText, wholeof(s));
  EXPECT_GE(countcolour(s, kLabelText, label), 3) << "the label's text in its colour";
  EXPECT_TRUE(inside(text, label)) << describe(text) << " in " << describe(label);
  EXPECT_GT(countother(s, kLabelBack, label), 15) << "the label's letters";
  EXPECT_LE(text.left, label.left + 3) << "a left-aligned label starts at its field's left";
  EXPECT_GE(text.right - text.left, 30) << "the whole word shows";

  // The icon (a green cross) in its field.
  EXPECT_GE(countcolour(s, 0x00c800, place(kIcon)), 50) << describe(place(kIcon));

  // The check mark and the radio dot set by the program, in the white box
  // of their buttons; the other radio button of the pair clear.
  const std::uint32_t black = syscolour(plat::COLOR_WINDOWTEXT), white = syscolour(plat::COLOR_WINDOW);
  EXPECT_GE(countcolour(s, black, testkit::markarea(s, place(kCheck), white)), 3) << "the check mark";
  EXPECT_GE(countcolour(s, black, testkit::markarea(s, place(kRadioTwo), white)), 4) << "the radio dot";
  EXPECT_EQ(countcolour(s, black, testkit::markarea(s, place(kRadioOne), white)), 0) << "the radio clear";

  // The focus field's text is selected, inside its field.
  const std::uint32_t hot = syscolour(plat::COLOR_HIGHLIGHT);
  const plat::RECT edit = place(kEdit);
  const plat::RECT selected = boundsof(s, hot, edit);
  EXPECT_GT(selected.right - selected.left, 20) << describe(selected) << " in " << describe(edit);
  EXPECT_GT(countother(s, hot, selected), 15) << "the text in the highlight";

  // The bar is filled from its left to its position.
  const plat::RECT bar = place(kProgress);
  const plat::RECT filled = boundsof(s, hot, bar);
  EXPECT_LE(filled.left, bar.left + 3) << describe(filled);
  EXPECT_NEAR(filled.right, bar.left + 2 + (bar.right - bar.left - 4) * kProgressPosition / 100.0, 9.0)
      << describe(filled) << " in " << describe(bar);
}

}  // namespace
}  // namespace tsd::testing
