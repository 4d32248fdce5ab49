// The root window's toolbar: made from its record and bitmap with the
// states of the menu entries, laid out above the client, replaced and
// removed with the size change reported; its buttons follow wmenusetstate,
// answer yymngflg, and give menu commands when clicked; tooltip texts are
// stored, cleared, refused when the table is full, or taken from the
// string resources, and shown when the pointer rests over a button.
#include "platform/comctl/comctl.h"
#include "platform/user/menu/menu.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wmenu.h"
#include "toolkit/window/wmenuedit.h"
#include "toolkit/window/wtoolbar.h"

namespace tsd::testing {
namespace {

constexpr int kRecord = 30510;
// Bitmap 16 x 15 plus 6 each way; the bar adds its top line and margins.
constexpr int kButtonWidth = 22;
constexpr int kButtonHeight = 21;

class Wtoolbar : public WinHeadless {
 protected:
  void open(const std::string& script = "") {
    WindowStyle style = defaultstyle();
    style.menu = 30502;
    start(script, style);
  }
  static plat::LRESULT tb(plat::UINT msg, plat::WPARAM wp = 0, plat::LPARAM lp = 0) {
    return plat::SendMessageA(wsys.wToolbar, msg, wp, lp);
  }
  static int buttonstate(int id) { return static_cast<int>(tb(plat::TB_GETSTATE, static_cast<plat::WPARAM>(id))); }
  static plat::RECT clientrect() {
    plat::RECT r;
    plat::GetWindowRect(client(), &r);
    plat::POINT p{r.left, r.top};
    plat::ScreenToClient(frame(), &p);
    return plat::RECT{p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
  }
  static plat::RECT frameclient() {
    plat::RECT r;
    plat::GetClientRect(frame(), &r);
    return r;
  }
  // The centre of a button in the frame's client, for pointer moves.
  static plat::POINT centreof(int id) {
    plat::RECT r;
    tb(plat::TB_GETITEMRECT, static_cast<plat::WPARAM>(tb(plat::TB_COMMANDTOINDEX, static_cast<plat::WPARAM>(id))),
       reinterpret_cast<plat::LPARAM>(&r));
    return plat::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  std::string log() const { return readfile(logpath_); }
};

TEST_F(Wtoolbar, ButtonsComeFromTheRecordWithTheStatesOfTheMenu) {
  open();
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  ASSERT_NE(wsys.wToolbar, nullptr);
  char cls[32] = {};
  plat::GetClassNameA(wsys.wToolbar, cls, sizeof cls);
  EXPECT_STREQ(cls, "ToolbarWin");
  EXPECT_EQ(tb(plat::TB_BUTTONCOUNT), 5) << "four buttons and a gap";
  plat::RECT r;
  ASSERT_TRUE(tb(plat::TB_GETITEMRECT, 0, reinterpret_cast<plat::LPARAM>(&r)));
  EXPECT_EQ(r.right - r.left, kButtonWidth);
  EXPECT_EQ(r.bottom - r.top, kButtonHeight);
  struct Case {
    int id;
    int state;
  };
  const Case cases[] = {{40001, plat::TBSTATE_ENABLED},
                        {40011, plat::TBSTATE_ENABLED},
                        {40012, plat::TBSTATE_CHECKED},  // checked and greyed in the menu
                        {40077, 0}};                     // no menu entry: disabled
  for (const Case& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.id));
    EXPECT_EQ(buttonstate(c.id), c.state);
  }
  // The client lies below the toolbar; the size change is the toolbar's size.
  plat::RECT bar;
  plat::GetWindowRect(wsys.wToolbar, &bar);
  const plat::RECT fc = frameclient();
  EXPECT_EQ(w, fc.right);
  EXPECT_EQ(h, bar.bottom - bar.top);
  EXPECT_GT(h, kButtonHeight);
  EXPECT_EQ(clientrect().top, h);
  EXPECT_EQ(clientrect().bottom, fc.bottom);
  // The program hears of the smaller client as a resize.
  std::vector<Got> resized = oftype(loop(), kResize);
  ASSERT_FALSE(resized.empty());
  EXPECT_EQ(quorba01.clientheight, fc.bottom - h);
}

TEST_F(Wtoolbar, ReplacingReportsNoChangeAndRemovingGivesTheSizeBack) {
  open();
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  const int height = h, width = w;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  EXPECT_EQ(w, -1);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(yymntbar(0, w, h), 0);
  EXPECT_EQ(wsys.wToolbar, nullptr);
  EXPECT_EQ(w, -width);
  EXPECT_EQ(h, -height);
  EXPECT_EQ(clientrect().top, 0);
  EXPECT_EQ(yymntbar(0, w, h), 0) << "nothing to remove";
  EXPECT_EQ(h, -1);
}

TEST_F(Wtoolbar, RecordsThatCannotBeReadMakeNoToolbar) {
  open();
  for (int id : {30511, 31999}) {
    SCOPED_TRACE("record " + std::to_string(id));
    int w = 0, h = 0;
    EXPECT_EQ(yymntbar(id, w, h), -1);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    EXPECT_EQ(wsys.wToolbar, nullptr);
  }
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  EXPECT_EQ(yymntbar(30511, w, h), -1);
  EXPECT_EQ(wsys.wToolbar, nullptr) << "the old toolbar is removed all the same";
  EXPECT_EQ(clientrect().top, 0);
}

TEST_F(Wtoolbar, ButtonsFollowTheMenuStatesAndAnswerForMissingEntries) {
  open();
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  infoerror(1);
  wmenusetstate(40011, 1, 0);
  EXPECT_EQ(buttonstate(40011), 0);
  EXPECT_TRUE(plat::GetMenuState(wsys.wRootMenu, 40011, plat::MF_BYCOMMAND) & plat::MF_GRAYED);
  wmenusetstate(40001, 2, 1);
  EXPECT_EQ(buttonstate(40001), plat::TBSTATE_ENABLED | plat::TBSTATE_CHECKED);
  wmenusetstate(40077, 1, 1);
  EXPECT_EQ(infoerror(1), 0) << "a toolbar button found counts as success";
  EXPECT_EQ(buttonstate(40077), plat::TBSTATE_ENABLED);
  int s = -5;
  EXPECT_EQ(yymngflg(40077, 1, s), 0);
  EXPECT_EQ(s, 1) << "from the toolbar";
  EXPECT_EQ(yymngflg(40077, 2, s), 0);
  EXPECT_EQ(s, 0);
  wmenusetstate(45000, 1, 1);
  EXPECT_EQ(infoerror(1), kErrMenuItem);
}

TEST_F(Wtoolbar, AClickedButtonIsAMenuCommandAndADisabledOneGivesNone) {
  open("toolbar 40077\ntoolbar 40011\nscreenshot \"" + wintemp("toolbar.png") + "\"\n");
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  std::vector<Got> got = oftype(loop(), kMenuSelect);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].m.value1, 40011);
  EXPECT_EQ(got[0].m.win, 0);
  EXPECT_NE(log().find("toolbar command: 40011"), std::string::npos);
  EXPECT_EQ(log().find("toolbar command: 40077"), std::string::npos);
}

TEST_F(Wtoolbar, TooltipTextsAreStoredClearedAndLimited) {
  open();
  EXPECT_EQ(yytooltip(40001, "Dane", 4), -1) << "no toolbar";
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(30512, w, h), 0);
  EXPECT_EQ(yytooltip(45000, "x", 1), -1) << "no such button";
  for (int i = 0; i < kTooltips; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(yytooltip(40101 + i, "Przycisk", 8), 0);
  }
  EXPECT_EQ(yytooltip(40101 + kTooltips, "Przycisk", 8), -2) << "the table is full";
  EXPECT_EQ(yytooltip(40101, "Inny tekst", 10), 0) << "an entry of the button is replaced";
  EXPECT_EQ(yytooltip(40102, " ", 1), 0) << "cleared";
  EXPECT_EQ(yytooltip(40101 + kTooltips, "Ostatni", 7), 0) << "into the freed entry";
  const std::string longtext(120, 'a');
  EXPECT_EQ(yytooltip(40103, longtext, 120), 0);
  EXPECT_EQ(yytooltip(40104, "Krotki tekst", 6), 0);
  for (const TooltipEntry& e : wsys.wTooltips) {
    if (e.id == 40101) {
      EXPECT_STREQ(e.text, "Inny tekst");
    }
    if (e.id == 40103) {
      EXPECT_EQ(std::string(e.text), std::string(kTooltipLength, 'a')) << "at most 80 characters";
    }
    if (e.id == 40104) {
      EXPECT_STREQ(e.text, "Krotki") << "the given length counts";
    }
    EXPECT_NE(e.id, 40102);
  }
  ASSERT_EQ(yymntbar(0, w, h), 0);
  for (const TooltipEntry& e : wsys.wTooltips) EXPECT_EQ(e.id, 0) << "the table goes with the toolbar";
}

TEST_F(Wtoolbar, ATooltipShowsTheStoredTextOrTheStringResource) {
  // Rest over Dane (stored text), then over Prad (its string resource).
  open("");
  int w = 0, h = 0;
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  const plat::POINT dane = centreof(40001);
  const plat::POINT prad = centreof(40011);
  windowclose();
  plat::desktop_reset();
  open("move " + std::to_string(dane.x) + " " + std::to_string(dane.y) + "\nwait 800\n" +
       "screenshot \"" + wintemp("tooltip.png") + "\"\n" + "move " + std::to_string(prad.x) + " " +
       std::to_string(prad.y) + "\nwait 800\n" + "move 200 200\nwait 300\n");
  ASSERT_EQ(yymntbar(kRecord, w, h), 0);
  ASSERT_EQ(yytooltip(40001, "Wczytaj plik danych", 19), 0);
  loop();
  const std::string l = log();
  const std::size_t first = l.find("tooltip shown: \"Wczytaj plik danych\"");
  const std::size_t second = l.find("tooltip shown: \"Wykres pr");
  EXPECT_NE(first, std::string::npos) << l;
  EXPECT_NE(second, std::string::npos) << l;
  EXPECT_LT(first, second);
}

}  // namespace
}  // namespace tsd::testing
