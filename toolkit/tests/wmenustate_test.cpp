// wmenusetstate on a menu bar with a companion record: commands by id,
// popups of the bar and deeper ones by their position path, the bar
// redrawn, the calls that do nothing and error 1001; a greyed popup that
// the scripted user cannot open until it is enabled.
#include "platform/user/menu/menu.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wmenu.h"

namespace tsd::testing {
namespace {

TEST(WmenuPath, TheFirstEqualIdCountsAndTheRecordEndsTheSearch) {
  const std::uint16_t words[] = {40005, 2, 0, 40020, 3, 2, 0, 40005, 4, 0, 0, 40030, 1, 0};
  struct Case {
    int id;
    std::vector<int> path;
  };
  const Case cases[] = {{40005, {2}}, {40020, {3, 2}}, {40030, {}}, {12345, {}}, {0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id));
    EXPECT_EQ(yymenupath(words, sizeof words, c.id), c.path);
  }
  EXPECT_TRUE(yymenupath(words, 10, 40020).empty()) << "an entry cut off by the record's size";
  EXPECT_TRUE(yymenupath(nullptr, 0, 40005).empty()) << "no record";
}

class WmenuState : public WinHeadless {
 protected:
  // A root window with the test menu bar; it finds its companion record.
  void open(const std::string& script) {
    WindowStyle style = defaultstyle();
    style.menu = 30201;
    start(script, style);
    ASSERT_NE(wsys.wRootMenu, nullptr);
    ASSERT_EQ(plat::GetMenu(frame()), wsys.wRootMenu);
    ASSERT_EQ(wsys.hKRBSize, 28);
  }
  static plat::UINT bystate(plat::HMENU m, int pos) { return plat::GetMenuState(m, static_cast<plat::UINT>(pos), plat::MF_BYPOSITION); }
  static plat::HMENU bar() { return wsys.wRootMenu; }
};

TEST_F(WmenuState, PopupsOfTheBarAreGreyedAndEnabledThroughTheRecord) {
  open("");
  ASSERT_TRUE(bystate(bar(), 2) & plat::MF_GRAYED) << "the resource greys \"Wykresy\"";
  wmenusetstate(40010, 1, 1);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_FALSE(bystate(bar(), 2) & plat::MF_GRAYED);
  wmenusetstate(40005, 1, 0);
  EXPECT_TRUE(bystate(bar(), 1) & plat::MF_GRAYED) << "position 2 of the bar";
  EXPECT_FALSE(bystate(bar(), 3) & plat::MF_GRAYED) << "the second entry of 40005 is never reached";
  wmenusetstate(40020, 2, 1);
  EXPECT_TRUE(bystate(plat::GetSubMenu(bar(), 2), 1) & plat::MF_CHECKED) << "path 3, 2 reaches the inner popup";
}

TEST_F(WmenuState, CommandsAreFoundById) {
  open("");
  wmenusetstate(40001, 2, 1);
  EXPECT_TRUE(plat::GetMenuState(bar(), 40001, plat::MF_BYCOMMAND) & plat::MF_CHECKED);
  wmenusetstate(40211, 1, 0);
  EXPECT_TRUE(plat::GetMenuState(bar(), 40211, plat::MF_BYCOMMAND) & plat::MF_GRAYED) << "at any depth";
  wmenusetstate(40211, 1, 1);
  EXPECT_FALSE(plat::GetMenuState(bar(), 40211, plat::MF_BYCOMMAND) & plat::MF_GRAYED);
  wmenusetstate(40001, 2, 0);
  EXPECT_FALSE(plat::GetMenuState(bar(), 40001, plat::MF_BYCOMMAND) & plat::MF_CHECKED);
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(WmenuState, BadTypesAndStatesDoNothingAndUnknownIdsAreErrors) {
  open("");
  struct Case {
    int id, type, state;
    int error;
  };
  const Case cases[] = {{40005, 3, 1, 0}, {40005, 1, 2, 0}, {40005, 0, 0, 0}, {40005, 1, -1, 0},
                        {45000, 1, 1, kErrMenuItem}, {45000, 2, 0, kErrMenuItem}};
  for (const Case& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id) + " type " + std::to_string(c.type) + " state " + std::to_string(c.state));
    infoerror(1);
    wmenusetstate(c.id, c.type, c.state);
    EXPECT_EQ(infoerror(1), c.error);
    EXPECT_FALSE(bystate(bar(), 1) & plat::MF_GRAYED) << "nothing changed";
  }
}

TEST_F(WmenuState, AGreyedPopupGivesNoCommandUntilEnabled) {
  open("menu 40201\nkey Escape\nkey a\nmenu 40201\nclose\n");
  std::vector<Got> first;
  for (int i = 0; i < 50; ++i) {
    Got g;
    wmessage(g.type, g.m);
    first.push_back(g);
    if (g.type == kKeyDown || g.type == kCloseRequest) break;
  }
  EXPECT_TRUE(oftype(first, kMenuSelect).empty()) << "the popup is greyed";
  wmenusetstate(40010, 1, 1);
  std::vector<Got> menus = oftype(loop(), kMenuSelect);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].m.value1, 40201);
}

}  // namespace
}  // namespace tsd::testing
