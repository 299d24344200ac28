// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "net/PackageDownload.h"

using namespace kavalo;

// zipfilenum.txt as a server may send it: a count that the two-digit package
// names cannot hold is no count (it would start that many downloads).
TEST(PackageCount, OnlyCountsThePackageNamesCanHold) {
  const std::vector<std::pair<QString, int>> cases = {
      {" 12 \r\n", 12}, {"100", 100},       {"0", 0},     {"abc", 0},          {"101", -1},
      {"-1", -1},       {"2147483647", -1}, {"1e39", -1}, {"-2147483648", -1},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(ParsePackageCount(text), count) << text.toStdString();
}
