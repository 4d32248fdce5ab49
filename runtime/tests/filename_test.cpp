// File names as long as the host allows: the field holds every path the
// host opens, and a name the host cannot take is told apart.
#include "runtime/filename.h"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1250.h"

namespace {

using tsd::runtime::FileName;
using tsd::runtime::hostcantake;
using tsd::runtime::kHostNamePartLength;
using tsd::runtime::kHostPathLength;

TEST(FileName, HoldsANameAsLongAsTheHostOpensAndNoLonger) {
  FileName name;
  EXPECT_EQ(name.text(), "");
  EXPECT_EQ(name.field().size(), kHostPathLength);
  const std::string longest(kHostPathLength, 'a');
  ASSERT_TRUE(name.set(longest));
  EXPECT_EQ(name.text(), longest);
  EXPECT_FALSE(name.set(longest + "b")) << "refused, not cut";
  EXPECT_EQ(name.text(), longest) << "and the name kept";
  ASSERT_TRUE(name.set("/dane/x.dat"));
  EXPECT_EQ(name.text(), "/dane/x.dat") << "the rest of the field blank again";
}

TEST(FileName, WhatTheHostCannotTake) {
  const std::string part(kHostNamePartLength, 'p');
  const std::string polish = text::cp1250_from_utf8("ł");  // one letter, two bytes on the disk
  std::string polishpath;  // 2,121 letters, 4,221 bytes
  for (int i = 0; i < 21; ++i) polishpath += "/" + std::string(100, polish[0]);
  std::string deep;
  while (deep.size() + 1 + part.size() <= kHostPathLength) deep += "/" + part;
  const struct {
    const char* what;
    std::string name;
    bool takes;
  } cases[] = {
      {"a plain name", "/dane/pomiar.dat", true},
      {"trailing blanks are no part of it", "/" + part + "   ", true},
      {"the longest part", "/" + part, true},
      {"a part one longer", "/" + part + "p", false},
      {"the longest path", deep + std::string(kHostPathLength - deep.size(), '/'), true},
      {"a path one longer", deep + std::string(kHostPathLength - deep.size() + 1, '/'), false},
      {"letters that fit, bytes that do not", polishpath, false},
  };
  for (const auto& c : cases) EXPECT_EQ(hostcantake(c.name), c.takes) << c.what;
}

}  // namespace
