// The orderly end on a fatal input/output error.
#include "runtime/fatal.h"

#include <gtest/gtest.h>

#include "text/cp1250.h"

namespace {

TEST(RuntimeFatal, MessageNamesTheFileAndTheProblem) {
  EXPECT_EQ(tsd::runtime::fatal_message("VARNEL1.PAR", "rekord 3: brak"),
            "VARNEL1.PAR: rekord 3: brak");
  EXPECT_EQ(tsd::runtime::fatal_message("", "brak"), "brak");
}

TEST(RuntimeFatalDeathTest, EndsWithNonZeroCodeAndTheLineOnStandardError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string problem = text::cp1250_from_utf8("rekord 3: wartość, która nie jest liczbą");
  EXPECT_EXIT(tsd::runtime::fatal_io_error("/tmp/x/VARNEL1.PAR", problem),
              ::testing::ExitedWithCode(tsd::runtime::kFatalExitCode),
              "/tmp/x/VARNEL1.PAR: rekord 3: wartość, która nie jest liczbą");
}

}  // namespace
