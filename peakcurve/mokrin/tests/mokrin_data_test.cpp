// Loading measured data into a curve program: the polarisation of the
// points, the index range inside the grid, and a failed load that leaves
// what was shown before untouched.
#include "peakcurve/mokrin/mokrin_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/var.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::mokrin {
namespace {

class MokrinData : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.variant = Variant::mokrin1;
    s_.peak.Tmin = 215.0;
    s_.peak.Tmax = 310.0;
    var = VarRecord{300.0, 1.0};
  }
  std::string file(const std::string& name, const std::string& content) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path) << content;
    return path;
  }
  testkit::TempFolder folder_;
  const std::filesystem::path& dir_ = folder_.path();
  State s_;
};

// Three points, b = 0.5: Pd(i) = (1/b) * trapezoids from Td(i) to Td(3).
TEST_F(MokrinData, PolarisationFromTheLastPointDown) {
  const std::string f = file("a.dat", "3 0.5 200 2\n220 2e-12\n230 6e-12\n250 4e-12\n");
  ASSERT_EQ(loaddata(s_, f), DataFileStatus::ok);
  EXPECT_EQ(s_.dataflag, 1);
  EXPECT_EQ(s_.datafile, f);
  EXPECT_EQ(var.b, 0.5);
  EXPECT_EQ(var.T0, 200.0);
  EXPECT_EQ(s_.data.J[1], 6e-12 * (1.0 / 2.0));
  EXPECT_EQ(s_.Pd[2], 0.0);
  const double p2 = 0.5 * (3e-12 + 2e-12) * 20.0;
  const double p1 = p2 + 0.5 * (1e-12 + 3e-12) * 10.0;
  EXPECT_DOUBLE_EQ(s_.Pd[1], p2 / 0.5);
  EXPECT_DOUBLE_EQ(s_.Pd[0], p1 / 0.5);
  EXPECT_EQ(s_.i1, 1);
  EXPECT_EQ(s_.i2, 3);
  EXPECT_EQ(s_.Jdmax, 3e-12);
  EXPECT_DOUBLE_EQ(s_.Pdmax, p1 / 0.5);
}

// The range counts the points below Tmin and above Tmax; with every point
// outside it there is no measured maximum.
TEST_F(MokrinData, IndexRangeInsideTheGrid) {
  const std::string f = file("b.dat", "4 1 200 1\n200 1e-12\n220 5e-12\n240 3e-12\n400 9e-12\n");
  ASSERT_EQ(loaddata(s_, f), DataFileStatus::ok);
  EXPECT_EQ(s_.i1, 2);
  EXPECT_EQ(s_.i2, 3);
  EXPECT_TRUE(s_.datamax);
  EXPECT_EQ(s_.Jdmax, 5e-12) << "the point at 400 K lies above Tmax";
  s_.peak.Tmin = 500.0;
  s_.peak.Tmax = 600.0;
  datarange(s_);
  EXPECT_GT(s_.i1, s_.i2);
  EXPECT_FALSE(s_.datamax);
}

// Files that fail to read, and a heating rate of 0: the data, the flag,
// b, T0 and the file name stay as the last good load left them.
TEST_F(MokrinData, FailedLoadChangesNothing) {
  const std::string good = file("good.dat", "2 0.5 200 1\n220 2e-12\n230 6e-12\n");
  ASSERT_EQ(loaddata(s_, good), DataFileStatus::ok);
  struct Case {
    const char* what;
    const char* content;
    DataFileStatus status;
  };
  const Case cases[] = {
      {"more points declared than held", "5 0.1 250 1\n220 1e-12\n", DataFileStatus::read_failed},
      {"text where a number stands", "2 0.1 250 1\n220 x\n230 1e-12\n", DataFileStatus::read_failed},
      {"more than 800 points", "801 0.1 250 1\n", DataFileStatus::read_failed},
      {"heating rate 0", "2 0 250 1\n220 1e-12\n230 2e-12\n", DataFileStatus::read_failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(loaddata(s_, file("bad.dat", c.content)), c.status);
    EXPECT_EQ(s_.data.N, 2);
    EXPECT_EQ(s_.data.T[0], 220.0);
    EXPECT_EQ(var.b, 0.5);
    EXPECT_EQ(var.T0, 200.0);
    EXPECT_EQ(s_.datafile, good);
    EXPECT_EQ(s_.dataflag, 1);
  }
  EXPECT_EQ(loaddata(s_, (dir_ / "none.dat").string()), DataFileStatus::cannot_open);
  EXPECT_EQ(s_.data.N, 2);
}

TEST_F(MokrinData, SampleFile) {
  ASSERT_EQ(loaddata(s_, TSD_SOURCE_DIR "/examples/sample.dat"), DataFileStatus::ok);
  EXPECT_EQ(s_.data.N, 381);
  EXPECT_EQ(s_.i1, 1);
  EXPECT_EQ(s_.i2, 381);
  EXPECT_EQ(s_.Pd[380], 0.0);
  EXPECT_GT(s_.Pdmax, 0.0);
  EXPECT_EQ(s_.Pdmax, s_.Pd[0]) << "the polarisation falls with T";
}

}  // namespace
}  // namespace tsd::mokrin
