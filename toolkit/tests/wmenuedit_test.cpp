// Menu editing on the root menu: loading greys into disabled-and-greyed,
// replacing and removing the root menu, changing texts, reading states,
// deleting and inserting entries by command id or through the companion
// record, the depth-first position search, and the floating menu that
// takes its states and texts from the root menu.
#include "platform/user/menu/menu.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wmenu.h"
#include "toolkit/window/wmenuedit.h"
#include "toolkit/window/wresource.h"

namespace tsd::testing {
namespace {

using plat::MF_BYCOMMAND;
using plat::MF_BYPOSITION;

std::string text(plat::HMENU m, int pos) {
  char b[256];
  int n = plat::GetMenuStringA(m, static_cast<plat::UINT>(pos), b, sizeof b, MF_BYPOSITION);
  return std::string(b, static_cast<std::size_t>(n));
}
plat::UINT state(plat::HMENU m, int pos) { return plat::GetMenuState(m, static_cast<plat::UINT>(pos), MF_BYPOSITION); }

TEST(WmenuLoad, GreyedEntriesBecomeDisabledAtEveryDepth) {
  plat::HMENU m = yymnload(30504);
  ASSERT_NE(m, nullptr);
  plat::HMENU a = plat::GetSubMenu(m, 0);
  const plat::UINT both = plat::MF_GRAYED | plat::MF_DISABLED;
  EXPECT_EQ(state(a, 0) & both, both) << "command B";
  EXPECT_EQ(state(a, 1) & both, both) << "popup C";
  EXPECT_EQ(state(plat::GetSubMenu(a, 1), 0) & both, both) << "command D inside C";
  EXPECT_EQ(state(m, 0) & both, 0u) << "the popup A was not greyed";
  plat::DestroyMenu(m);
  EXPECT_EQ(yymnload(31999), nullptr);
}

class WmenuEdit : public WinHeadless {
 protected:
  void open(const std::string& script = "") {
    WindowStyle style = defaultstyle();
    style.menu = 30502;
    start(script, style);
    ASSERT_NE(bar(), nullptr);
  }
  static plat::HMENU bar() { return wsys.wRootMenu; }
  static plat::HMENU file() { return plat::GetSubMenu(bar(), 0); }
  static plat::HMENU graphs() { return plat::GetSubMenu(bar(), 1); }
  static int clientheight() {
    plat::RECT r;
    plat::GetClientRect(client(), &r);
    return r.bottom;
  }
};

TEST_F(WmenuEdit, TheRootMenuIsReplacedWithItsRecordAndAcceleratorsOrRemoved) {
  WindowStyle style = defaultstyle();
  style.menu = 30001;
  start("", style);
  const int before = clientheight();
  EXPECT_EQ(yymnroot(31999), -1) << "no such menu";
  EXPECT_EQ(plat::GetMenuItemCount(bar()), 1) << "the old menu stays";
  EXPECT_EQ(yymnroot(30502), 0);
  EXPECT_EQ(plat::GetMenu(frame()), bar());
  EXPECT_EQ(plat::GetMenuItemCount(bar()), 3);
  EXPECT_EQ(wsys.hKRBSize, 16) << "the companion record of menu 30502";
  EXPECT_NE(wsys.wAccel, nullptr);
  EXPECT_EQ(yymntext(40010, "Inne"), 0) << "its popup is found through the new record";
  EXPECT_EQ(yymnroot(0), 0);
  EXPECT_EQ(plat::GetMenu(frame()), nullptr);
  EXPECT_EQ(bar(), nullptr);
  EXPECT_EQ(wsys.hKRB, nullptr);
  EXPECT_EQ(wsys.wAccel, nullptr);
  EXPECT_EQ(clientheight(), before + plat::GetSystemMetrics(plat::SM_CYMENU)) << "the client takes the bar's room";
  int s = 0;
  EXPECT_EQ(yymngflg(40001, 1, s), -1) << "without a menu nothing is found";
}

TEST_F(WmenuEdit, TextsChangeByCommandOrThroughTheRecordAndKeepTheState) {
  open();
  EXPECT_EQ(yymntext(40012, "Nowa polaryzacja   "), 0);
  EXPECT_EQ(text(graphs(), 1), "Nowa polaryzacja") << "trailing blanks cut";
  EXPECT_EQ(state(graphs(), 1) & (plat::MF_CHECKED | plat::MF_GRAYED), plat::MF_CHECKED | plat::MF_GRAYED);
  EXPECT_EQ(yymntext(40010, "&Rysunki"), 0);
  EXPECT_EQ(text(bar(), 1), "&Rysunki") << "the popup of the bar, by its path 2";
  EXPECT_EQ(plat::GetSubMenu(bar(), 1), graphs());
  EXPECT_EQ(plat::GetMenuItemCount(graphs()), 2) << "the popup keeps its entries";
  EXPECT_EQ(yymntext(40020, "P&omoc!"), 0);
  EXPECT_EQ(text(bar(), 2), "P&omoc!");
  EXPECT_EQ(plat::GetMenuItemID(bar(), 2), 40020u);
  EXPECT_EQ(yymntext(45000, "x"), -1);
}

TEST_F(WmenuEdit, StatesAreReadFromTheMenu) {
  open();
  struct Case {
    int id, type;
    int result, state;
  };
  const Case cases[] = {{40012, 1, 0, 0}, {40012, 2, 0, 1}, {40011, 1, 0, 1}, {40011, 2, 0, 0},
                        {40010, 1, 0, 1}, {40020, 2, 0, 0}, {45000, 1, -1, 7}, {40011, 3, -1, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id) + " type " + std::to_string(c.type));
    int s = 7;
    EXPECT_EQ(yymngflg(c.id, c.type, s), c.result);
    EXPECT_EQ(s, c.state);
  }
}

TEST_F(WmenuEdit, PositionsAreFoundDepthFirst) {
  open();
  struct Case {
    int id;
    int position;
    int owner;  // 0 bar, 1 "Plik", 2 "Wykresy", -1 none
  };
  const Case cases[] = {{40001, 0, 1}, {40002, 2, 1}, {40012, 1, 2}, {40020, 2, 0}, {45000, -1, -1}, {0, -1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id));
    plat::HMENU owner = reinterpret_cast<plat::HMENU>(1);
    EXPECT_EQ(yymngetpos(bar(), c.id, owner), c.position);
    plat::HMENU want = c.owner == 0 ? bar() : c.owner == 1 ? file() : c.owner == 2 ? graphs() : nullptr;
    EXPECT_EQ(owner, want);
  }
}

TEST_F(WmenuEdit, EntriesAreDeletedByCommandOrThroughTheRecord) {
  open();
  EXPECT_EQ(yymndel(40002), 0);
  plat::HMENU owner = nullptr;
  EXPECT_EQ(yymngetpos(bar(), 40002, owner), -1);
  EXPECT_EQ(plat::GetMenuItemCount(file()), 2) << "Dane and the separator stay";
  EXPECT_EQ(yymndel(40010), 0);
  EXPECT_EQ(plat::GetMenuItemCount(bar()), 2) << "the popup Wykresy is gone from the bar";
  EXPECT_EQ(yymngetpos(bar(), 40011, owner), -1) << "with its entries";
  EXPECT_EQ(yymndel(40002), -1) << "already gone";
  EXPECT_EQ(yymndel(45000), -1);
}

TEST_F(WmenuEdit, EntriesAreInsertedAtAnOffsetFromAnother) {
  struct Case {
    int id, offset, newid;
    int result;
    int menu;  // 1 "Plik", 0 bar
    int position;
    std::string label;
  };
  const Case cases[] = {
      {40001, 1, 40005, 0, 1, 1, "Nowe"},    // after Dane
      {40001, 0, 40005, 0, 1, 0, "Nowe"},    // before it
      {40002, 7, 40005, 0, 1, 3, "Nowe"},    // past the end: appended
      {40002, -9, 40005, 0, 1, 0, "Nowe"},   // before the start: first
      {40001, 1, 0, 0, 1, 1, ""},            // a separator
      {40010, 1, 40006, 0, 0, 2, "Nowe"},    // beside the popup found through the record
      {45000, 0, 40005, -1, 1, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id) + " offset " + std::to_string(c.offset) + " new " + std::to_string(c.newid));
    open();
    plat::HMENU m = c.menu == 1 ? file() : bar();
    const int count = plat::GetMenuItemCount(m);
    EXPECT_EQ(yymnins(c.id, c.offset, c.newid, "Nowe  "), c.result);
    if (c.result == 0) {
      EXPECT_EQ(plat::GetMenuItemCount(m), count + 1);
      if (c.newid == 0) {
        EXPECT_TRUE(state(m, c.position) & plat::MF_SEPARATOR);
      } else {
        EXPECT_EQ(plat::GetMenuItemID(m, c.position), static_cast<plat::UINT>(c.newid));
        EXPECT_EQ(text(m, c.position), c.label);
      }
    } else {
      EXPECT_EQ(plat::GetMenuItemCount(m), count);
    }
    windowclose();
  }
}

TEST_F(WmenuEdit, AFloatingMenuTakesStatesAndTextsFromTheRootMenu) {
  open();
  plat::HMENU m = yymnload(30503);
  ASSERT_NE(m, nullptr);
  const void* record = nullptr;
  int size = 0;
  yymenucompanion(30503, record, size);
  ASSERT_GT(size, 0);
  yymnmtch(m, record, size);
  plat::HMENU popup = plat::GetSubMenu(m, 0);
  EXPECT_EQ(text(popup, 0), text(graphs(), 0)) << "40011 has the root's text";
  EXPECT_EQ(text(popup, 1), "W\xb3" "asne") << "40099 is in no root menu";
  EXPECT_EQ(text(popup, 2), "&Wykresy") << "the popup named by both records";
  plat::HMENU inner = plat::GetSubMenu(popup, 2);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(text(inner, 0), text(graphs(), 1));
  EXPECT_EQ(state(inner, 0) & (plat::MF_CHECKED | plat::MF_GRAYED), plat::MF_CHECKED | plat::MF_GRAYED);
  plat::DestroyMenu(m);
}

TEST_F(WmenuEdit, AFloatingMenuDeliversItsChoiceAsAMenuCommand) {
  // The popup opens at the point; the first entry is taken with the keyboard.
  open("key Down\nscreenshot \"" + wintemp("float.png") + "\"\nkey Enter\n");
  EXPECT_EQ(yymnflot(31999, 10, 10), -1);
  EXPECT_EQ(yymnflot(30503, 40, 30), 0);
  std::vector<Got> got = oftype(loop(), kMenuSelect);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].m.value1, 40011);
}

}  // namespace
}  // namespace tsd::testing
