// A fresh folder for one test under the system's temporary folder, named
// after the running test and removed when the test ends; a fixture that
// works inside it as the current directory. Header only.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace tsd::testkit {

// "<suite>_<test>" of the running test, '/' of parameterised names as '_'.
inline std::string testname() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info == nullptr ? std::string("test")
                                     : std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name;
}

// The folder <temporary>/tsd_<test>_<pid>, empty when made, removed with
// what it holds when the object goes.
class TempFolder {
 public:
  TempFolder() : path_(std::filesystem::temp_directory_path() /
                       ("tsd_" + testname() + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A test that runs inside its own TempFolder as the current directory; the
// directory it started in is the current one again afterwards.
class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    startdir_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
  }
  void TearDown() override { std::filesystem::current_path(startdir_); }

  const std::filesystem::path& dir() const { return folder_.path(); }
  const std::filesystem::path& startdir() const { return startdir_; }

 private:
  TempFolder folder_;
  std::filesystem::path startdir_;
};

}  // namespace tsd::testkit
