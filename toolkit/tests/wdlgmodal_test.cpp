// What a modal show hands over between the loaded dialog and its modal
// instance: the exit and focus fields whatever control held the focus,
// the length limit of a combo box, the tab stop of a radio group with no
// button set, and the caret of a multiple-selection list.
#include "platform/user/controls/controls.h"
#include "platform/user/user.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"

namespace tsd::testing {
namespace {

constexpr int kTestDialog = 101;   // drop-down list 1007, radio group 1011-1013
constexpr int kComboDialog = 103;  // combo box 1101 with an edit field, limit 4
constexpr int kFieldsDialog = 301; // multiple-selection list 3016 of four entries

class WdlgModal : public WinHeadless {
 protected:
  void load(const std::string& script, int id) {
    start(script);
    infoerror(1);
    wdialogload(id);
    ASSERT_EQ(infoerror(1), 0);
  }
  static std::string get(int field, std::size_t length) {
    std::string s(length, '#');
    wdialoggetstring(field, s);
    return s;
  }
};

TEST_F(WdlgModal, AComboWithTheFocusIsTheFocusFieldNotTheExitField) {
  const struct {
    const char* script;
    int exit;
  } cases[] = {{"key Enter\n", 1}, {"key Escape\n", 2}, {"close\n", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    load(c.script, kTestDialog);
    wdialogshow(1, -1, 1007, kShowModal);
    EXPECT_EQ(winfodialog(1), c.exit) << "the button that ended the show";
    EXPECT_EQ(winfodialog(2), 1007) << "the combo box had the focus before it";
    TearDown();
    SetUp();
  }
}

TEST_F(WdlgModal, TheLengthLimitOfAComboHoldsInTheModalInstance) {
  load("type \"abcdefgh\"\nkey Enter\n", kComboDialog);
  wdialogshow(1, -1, 1101, kShowModal);
  EXPECT_EQ(winfodialog(1), 1);
  EXPECT_EQ(get(1101, 8), "abcd    ") << "[Lengths] gives the combo box 4 characters";
}

TEST_F(WdlgModal, ARadioGroupWithNoButtonSetIsReachedWithTab) {
  // From the combo box Tab goes to the group's first button; Space sets it.
  load("key Tab\nkey Space\nkey Escape\n", kTestDialog);
  int index = 0;
  wdialoggetradiobutton(1011, index);
  ASSERT_EQ(index, kNoRadioSet) << "no button of the group is set";
  infoerror(1);
  wdialogshow(1, -1, 1007, kShowModal);
  EXPECT_EQ(winfodialog(1), 2) << "Escape ended it, not a push button reached by Tab";
  EXPECT_EQ(winfodialog(2), 1011) << "the first button of the group had the focus";
  wdialoggetradiobutton(1011, index);
  EXPECT_EQ(index, 1) << "Space set the first button";
}

TEST_F(WdlgModal, TheCaretOfAMultipleSelectionListStaysWhereItWas) {
  // The first Down moves the caret from the first entry to the second.
  load("key Down\nkey Space\nkey Escape\n", kFieldsDialog);
  wdialogshow(1, -1, 3016, kShowModal);
  const struct {
    int entry;
    int selected;
  } cases[] = {{1, 0}, {2, 1}, {3, 0}, {4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    int field = 3016, state = -1;
    yyfieldgetopt(field, c.entry, state);
    ASSERT_EQ(field, 3016);
    EXPECT_EQ(state, c.selected);
  }
}

}  // namespace
}  // namespace tsd::testing
