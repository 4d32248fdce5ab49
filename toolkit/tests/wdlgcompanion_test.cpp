// Reading dialog companion records: sections, numbers that stop at the
// first non-digit, list entries with their trailing blanks cut, and the
// sections and lines that are read past.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/window/wdialog.h"

namespace tsd {
namespace {

TEST(WdlgCompanion, TheTableDialogRecordLimitsOneField) {
  Companion c = yyparsecompanion("[Checks] \n[Menus] \n[Lengths] \n 1027 64000 \n");
  EXPECT_TRUE(c.checks.empty());
  EXPECT_TRUE(c.lists.empty());
  ASSERT_EQ(c.lengths.size(), 1u);
  EXPECT_EQ(c.lengths[0].field, 1027);
  EXPECT_EQ(c.lengths[0].maximum, 64000);
}

TEST(WdlgCompanion, ChecksReadDigitsOnly) {
  struct Case {
    const char* line;
    int field;
    int state;
  };
  const Case cases[] = {
      {"1003 1", 1003, 1},     {"  1004    2  ", 1004, 2}, {"1005 -1", 1005, 0},
      {"1006 1x", 1006, 1},    {"1007", 1007, 0},          {"x1008 1", 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.line);
    Companion c = yyparsecompanion(std::string("[Checks]\n") + k.line + "\n");
    ASSERT_EQ(c.checks.size(), 1u);
    EXPECT_EQ(c.checks[0].field, k.field);
    EXPECT_EQ(c.checks[0].state, k.state);
  }
}

TEST(WdlgCompanion, MenusTakeTheirEntryLinesInOrder) {
  Companion c = yyparsecompanion("[Menus]\n1005 3 2\nalfa\n  beta   \ngamma\n1006 1 0\n[Checks]\n");
  ASSERT_EQ(c.lists.size(), 2u);
  EXPECT_EQ(c.lists[0].field, 1005);
  EXPECT_EQ(c.lists[0].selection, 2);
  ASSERT_EQ(c.lists[0].entries.size(), 3u);
  EXPECT_EQ(c.lists[0].entries[0], "alfa");
  EXPECT_EQ(c.lists[0].entries[1], "beta") << "leading and trailing blanks go";
  EXPECT_EQ(c.lists[0].entries[2], "gamma");
  ASSERT_EQ(c.lists[1].entries.size(), 1u);
  EXPECT_EQ(c.lists[1].entries[0], "[Checks]") << "an entry line is an entry even when it looks like a section";
}

TEST(WdlgCompanion, AListCutShortByTheEndOfTheRecordKeepsWhatThereIs) {
  Companion c = yyparsecompanion(std::string("[Menus]\n1005 5 1\none\ntwo") + '\0' + "three\n");
  ASSERT_EQ(c.lists.size(), 1u);
  ASSERT_EQ(c.lists[0].entries.size(), 2u) << "the text ends at the first NUL";
  EXPECT_EQ(c.lists[0].entries[1], "two");
}

TEST(WdlgCompanion, LongEntriesAreCutAt1024) {
  Companion c = yyparsecompanion("[Menus]\n1 1 1\n" + std::string(2000, 'a') + "\n");
  ASSERT_EQ(c.lists.size(), 1u);
  ASSERT_EQ(c.lists[0].entries.size(), 1u);
  EXPECT_EQ(c.lists[0].entries[0].size(), 1024u);
}

TEST(WdlgCompanion, OtherSectionsAndLinesBeforeAnySectionAreIgnored) {
  Companion c = yyparsecompanion(
      "1001 1\n[Ranges]\n1001 1 5\n[Tabs]\n1 2\n[Grids]\n1 2\n[Colours]\n1 2\n[Trackbars]\n1 2\n"
      "[Len\n1002 7\n");
  EXPECT_TRUE(c.checks.empty());
  EXPECT_TRUE(c.lists.empty());
  ASSERT_EQ(c.lengths.size(), 1u) << "\"[Len\" names the section as a prefix";
  EXPECT_EQ(c.lengths[0].field, 1002);
  EXPECT_EQ(c.lengths[0].maximum, 7);
}

TEST(WdlgCompanion, AnEmptyLineDoesNotSwitchSections) {
  Companion c = yyparsecompanion("[Lengths]\n\n   \n1002 9\n");
  ASSERT_EQ(c.lengths.size(), 1u);
  EXPECT_EQ(c.lengths[0].maximum, 9);
}

}  // namespace
}  // namespace tsd
