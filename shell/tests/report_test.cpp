// The one way reports and tables are written: appended to a file or sent to
// the printer through a writing routine, the failure texts, and the text of
// the box after a save.
#include "shell/report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "text/cp1250.h"
#include "tools/testkit/program_run.h"

namespace tsd {
namespace {

std::string u8(const std::string& cp1250) { return text::utf8_from_cp1250(cp1250); }

TEST(ShellReport, OneFailureTextPerSituation) {
  struct Case {
    OutputStatus status;
    const char* file;
    const char* text;
  } const cases[] = {
      {OutputStatus::ok, "a.txt", ""},
      {OutputStatus::open_failed, "a.txt   ", "Nie można otworzyć pliku a.txt"},
      {OutputStatus::write_failed, "/x/b.dat", "Błąd zapisu w pliku /x/b.dat"},
      {OutputStatus::printer_unavailable, "", "Drukarka niedostępna"},
      {OutputStatus::print_failed, "", "Błąd wydruku"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(u8(outputerrortext(c.status, c.file)), c.text) << c.file;
  }
}

TEST(ShellReport, SavedTextPadsTheNameToSeventyNineAndKeepsLongerNames) {
  EXPECT_EQ(savedtext("", "wyniki.txt   "), "wyniki.txt" + std::string(69, ' '));
  EXPECT_EQ(savedtext("Tabela 1 zapisana w pliku ", "t.dat"),
            "Tabela 1 zapisana w pliku t.dat" + std::string(74, ' '));
  const std::string longname(90, 'a');
  EXPECT_EQ(savedtext("P ", longname), "P " + longname);
}

class ShellOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = testkit::makeworkdir(std::string("shell_") + info->name());
  }
  void TearDown() override {
    unsetenv("TSD_PRN_FILE");
    std::filesystem::remove_all(dir_);
  }
  std::string dir_;
};

TEST_F(ShellOutput, AppendsWhatTheRoutineWritesAndKeepsWhatTheFileHeld) {
  const std::string file = dir_ + "/raport.txt";
  testkit::writefile(file, "przed\n");
  const OutputStatus status = appendoutput(file, [](runtime::TextFile& f) {
    f.write("(A,F6.2)", {" Tmin =", 273.15});
    f.write("(A)", {" koniec"});
  });
  EXPECT_EQ(status, OutputStatus::ok);
  EXPECT_EQ(testkit::readfile(file), "przed\n Tmin =273.15\n koniec\n");
  EXPECT_EQ(appendlines(file + "   ", {"a", "b"}), OutputStatus::ok);
  EXPECT_EQ(testkit::readfile(file), "przed\n Tmin =273.15\n koniec\na\nb\n");
}

TEST_F(ShellOutput, AFileThatCannotBeOpenedIsReportedAndNothingIsWritten) {
  bool called = false;
  const OutputStatus status =
      appendoutput(dir_ + "/brak/raport.txt", [&called](runtime::TextFile&) { called = true; });
  EXPECT_EQ(status, OutputStatus::open_failed);
  EXPECT_FALSE(called);
  EXPECT_FALSE(testkit::fileexists(dir_ + "/brak"));
}

TEST_F(ShellOutput, PrintingGoesToTheRedirectedPrinterFile) {
  const std::string printer = dir_ + "/prn.txt";
  setenv("TSD_PRN_FILE", printer.c_str(), 1);
  EXPECT_EQ(printlines({" Wyniki", " Ea = 0.8"}), OutputStatus::ok);
  EXPECT_EQ(testkit::readfile(printer), " Wyniki\n Ea = 0.8\n");
}

}  // namespace
}  // namespace tsd
