// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/natural_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tv {
namespace {

std::vector<std::string> SortedWithOrder(const std::vector<std::string>& names) {
  std::vector<std::string_view> views(names.begin(), names.end());
  std::vector<std::string> sorted;
  for (uint32_t i : NaturalOrder(views)) sorted.push_back(names[i]);
  return sorted;
}

// Each pair in order: digit runs by value however long, case ignored but the order kept
// total, leading zeros deciding only a tie, digits before letters, other bytes last.
TEST(PosixNaturalOrder, PairsComeInTheFileManagersOrder) {
  const std::string nines(40, '9'), ten = "1" + std::string(40, '0');
  // Two by two, the first of each pair first.
  const std::string pairs[] = {
      "img2",   "img10", "a1b2",   "a1b10", "x" + nines, "x" + ten, "apple",
      "Banana", "IMG2",  "img10",  "A.jpg", "a.jpg",     "img2",    "img02",
      "img002", "img3",  "img02a", "img2b", "a1b01",     "a01b1",   "",
      "a",      "img",   "img1",   "a1",    "ab",        "zebra",   "\xC3\xa9t\xC3\xa9"};
  for (size_t i = 0; i < std::size(pairs); i += 2) {
    EXPECT_TRUE(NaturalLess(pairs[i], pairs[i + 1])) << pairs[i] << " / " << pairs[i + 1];
    EXPECT_FALSE(NaturalLess(pairs[i + 1], pairs[i])) << pairs[i] << " / " << pairs[i + 1];
  }
}

// std::sort needs a strict weak order; a broken one can read out of bounds. Check every
// pair and triple of a set full of near-ties, and that both entry points agree.
TEST(PosixNaturalOrder, IsAStrictTotalOrderOnNearTies) {
  std::vector<std::string> names = {"a",   "A",    "a0",  "a00", "a1",   "A01",   "a001", "a1b",
                                    "a1B", "a01b", "a10", "a9",  "a_",   "aa",    "a 1",  "",
                                    "0",   "00",   "1",   "01",  "b2c3", "B02C3", "b2c03"};
  // Runs too long for a one-byte length take another path in the sort keys.
  names.push_back("n" + std::string(300, '7'));
  names.push_back("n0" + std::string(300, '7'));
  names.push_back("n" + std::string(299, '7') + "8");
  names.push_back("n" + std::string(254, '9'));
  names.push_back("n" + std::string(255, '1'));
  for (const auto& x : names) {
    EXPECT_FALSE(NaturalLess(x, x)) << x;
    for (const auto& y : names) {
      if (x != y) {
        EXPECT_NE(NaturalLess(x, y), NaturalLess(y, x)) << x << " / " << y;
      }
      for (const auto& z : names) {
        if (NaturalLess(x, y) && NaturalLess(y, z)) {
          EXPECT_TRUE(NaturalLess(x, z)) << x << " < " << y << " < " << z;
        }
      }
    }
  }
  std::vector<std::string> shuffled = names;
  std::mt19937 random(7);
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  std::vector<std::string> by_less = names;
  std::sort(by_less.begin(), by_less.end(),
            [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
  EXPECT_EQ(SortedWithOrder(shuffled), by_less);
}

}  // namespace
}  // namespace tv
