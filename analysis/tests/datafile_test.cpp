// The measured-data reader, on small fixture files written for each case.
#include "analysis/datafile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "analysis/var.h"

namespace {

namespace fs = std::filesystem;
using tsd::DataFileStatus;
using tsd::MeasuredData;
using tsd::readdatafile;

const char* name_of(DataFileStatus s) {
  switch (s) {
    case DataFileStatus::ok: return "ok";
    case DataFileStatus::cannot_open: return "cannot_open";
    case DataFileStatus::read_failed: return "read_failed";
  }
  return "?";
}

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("datafile_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    data_ = std::make_unique<MeasuredData>();
    tsd::var = {};
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string fixture(const std::string& contents) {
    const fs::path p = dir_ / ("f" + std::to_string(++count_) + ".dat");
    std::ofstream(p, std::ios::binary) << contents;
    return p.string();
  }

  // A record that shows which values a failed read changed.
  void fill_with_old_data() {
    data_->N = 7;
    data_->b = 0.5;
    data_->T0 = 200.0;
    data_->S = 4.0;
    for (int i = 0; i < tsd::kMaxMeasuredPoints; ++i) {
      data_->T[i] = -1.0;
      data_->J[i] = -2.0;
    }
    tsd::var.b = 0.5;
    tsd::var.T0 = 200.0;
  }

  fs::path dir_;
  int count_ = 0;
  std::unique_ptr<MeasuredData> data_;
};

TEST_F(DataFileTest, ReadsHeaderAndPointsAndScalesTheCurrent) {
  // header over two lines, a third value on a point line, CR LF, commas
  const std::string f = fixture(
      "3 0.1\r\n"
      "250.0 2.0\r\n"
      "300.0 1.0E-12 17\r\n"
      "310, 2.0E-12\r\n"
      "320\r\n"
      "4e-12\r\n");
  ASSERT_STREQ(name_of(readdatafile(f, *data_)), "ok");
  EXPECT_EQ(data_->N, 3);
  EXPECT_EQ(data_->b, 0.1);
  EXPECT_EQ(data_->T0, 250.0);
  EXPECT_EQ(data_->S, 2.0);
  EXPECT_EQ(tsd::var.b, 0.1);
  EXPECT_EQ(tsd::var.T0, 250.0);
  const double t[] = {300.0, 310.0, 320.0};
  const double j[] = {5.0e-13, 1.0e-12, 2.0e-12};  // current times 1/S
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("point " + std::to_string(i + 1));
    EXPECT_EQ(data_->T[i], t[i]);
    EXPECT_EQ(data_->J[i], j[i]);
  }
}

TEST_F(DataFileTest, FullCapacityIsRead) {
  std::string s = "800 0.1 250 1\n";
  for (int i = 0; i < 800; ++i) s += std::to_string(260 + i) + " 1e-12\n";
  ASSERT_STREQ(name_of(readdatafile(fixture(s), *data_)), "ok");
  EXPECT_EQ(data_->N, 800);
  EXPECT_EQ(data_->T[799], 1059.0);
}

TEST_F(DataFileTest, MissingFileIsReportedApartAndChangesNothing) {
  fill_with_old_data();
  EXPECT_STREQ(name_of(readdatafile((dir_ / "nie_ma.dat").string(), *data_)), "cannot_open");
  EXPECT_STREQ(name_of(readdatafile(dir_.string(), *data_)), "cannot_open");
  EXPECT_EQ(data_->N, 7);
  EXPECT_EQ(data_->T[0], -1.0);
  EXPECT_EQ(tsd::var.b, 0.5);
}

// Every malformed file is a read failure; what stays is checked per case.
TEST_F(DataFileTest, MalformedFilesAreReadFailures) {
  struct Case {
    const char* what;
    std::string contents;
    int n;          // N afterwards
    double b;       // b afterwards (also in var)
    double s;       // S afterwards
    double t1, j1;  // point 1 afterwards
    double t2, j2;  // point 2 afterwards
  };
  const Case cases[] = {
      {"empty file", "", 7, 0.5, 4.0, -1, -2, -1, -2},
      {"letters in the header", "3 abc 250 2\n300 1e-12\n", 3, 0.5, 4.0, -1, -2, -1, -2},
      {"header ends early", "3 0.1\n", 3, 0.1, 4.0, -1, -2, -1, -2},
      {"N with a decimal point", "3.0 0.1 250 2\n300 1e-12\n", 7, 0.5, 4.0, -1, -2, -1, -2},
      {"letters in a point: the loop goes on",
       "3 0.1 250 2\n3x0 1e-12\n310 2e-12\n320 4e-12\n", 3, 0.1, 2.0, -1, -2, 310, 1e-12},
      {"too few point lines: the points read stay",
       "3 0.1 250 2\n300 1e-12\n310 2e-12\n", 3, 0.1, 2.0, 300, 5e-13, 310, 1e-12},
      {"a point line with one value", "2 0.1 250 2\n300 1e-12\n310\n", 2, 0.1, 2.0, 300, 5e-13, 310,
       -2},
      {"a null value in a point", "2 0.1 250 2\n300,,1e-12\n310 2e-12\n", 2, 0.1, 2.0, 300, -2, 310,
       1e-12},
      {"N = 1", "1 0.1 250 2\n300 1e-12\n310 2e-12\n", 7, 0.1, 2.0, 300, 5e-13, -1, -2},
      {"N = 0", "0 0.1 250 2\n300 1e-12\n", 7, 0.1, 2.0, -1, -2, -1, -2},
      {"N < 0", "-5 0.1 250 2\n300 1e-12\n", 7, 0.1, 2.0, -1, -2, -1, -2},
      {"S = 0", "2 0.1 250 0\n300 1e-12\n310 2e-12\n", 2, 0.1, 4.0, -1, -2, -1, -2},
      {"b = 0", "2 0 250 2\n300 1e-12\n310 2e-12\n", 2, 0.0, 2.0, -1, -2, -1, -2},
      {"b below 0", "2 -0.1 250 2\n300 1e-12\n310 2e-12\n", 2, -0.1, 2.0, -1, -2, -1, -2},
      {"S so small that 1/S overflows", "2 0.1 250 1e-320\n300 1e-12\n310 2e-12\n", 2, 0.1, 4.0, -1,
       -2, -1, -2},
      {"a current density that overflows", "2 0.1 250 1e-300\n300 1e10\n310 2e-12\n", 2, 0.1,
       1e-300, 300, -2, 310, 2e-12 * (1.0 / 1e-300)},
      {"NaN in the header", "2 NaN 250 2\n300 1e-12\n310 2e-12\n", 2, 0.5, 4.0, -1, -2, -1, -2},
      {"Infinity in a point", "2 0.1 250 2\n300 Infinity\n310 2e-12\n", 2, 0.1, 2.0, 300, -2, 310,
       1e-12},
      {"inf in a point", "2 0.1 250 2\ninf 1e-12\n310 2e-12\n", 2, 0.1, 2.0, -1, -2, 310, 1e-12},
      {"a number beyond double precision", "2 0.1 250 2\n300 1e999\n310 2e-12\n", 2, 0.1, 2.0, 300,
       -2, 310, 1e-12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fill_with_old_data();
    EXPECT_STREQ(name_of(readdatafile(fixture(c.contents), *data_)), "read_failed");
    EXPECT_EQ(data_->N, c.n);
    EXPECT_EQ(data_->b, c.b);
    EXPECT_EQ(tsd::var.b, c.b);
    EXPECT_EQ(data_->S, c.s);
    EXPECT_EQ(data_->T[0], c.t1);
    EXPECT_EQ(data_->J[0], c.j1);
    EXPECT_EQ(data_->T[1], c.t2);
    EXPECT_EQ(data_->J[1], c.j2);
  }
}

TEST_F(DataFileTest, TooManyPointsFillOnlyTheCapacity) {
  // N beyond 800, with more point lines than fit: the first 800 are kept,
  // N is refused, and nothing is written past the arrays (the sanitizer
  // build runs this).
  for (int n : {801, 5000}) {
    SCOPED_TRACE("N = " + std::to_string(n));
    fill_with_old_data();
    std::string s = std::to_string(n) + " 0.1 250 1\n";
    for (int i = 0; i < n; ++i) s += std::to_string(1000 + i) + " 1e-12\n";
    EXPECT_STREQ(name_of(readdatafile(fixture(s), *data_)), "read_failed");
    EXPECT_EQ(data_->N, 7);
    EXPECT_EQ(data_->T[0], 1000.0);
    EXPECT_EQ(data_->T[799], 1799.0);
    EXPECT_EQ(data_->J[799], 1e-12);
  }
}

}  // namespace
