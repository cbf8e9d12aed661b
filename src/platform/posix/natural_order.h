// SPDX-License-Identifier: GPL-3.0-or-later
// The order a Linux file manager shows names in: ASCII letters without regard to case,
// runs of digits by their number ("img2" before "img10"), other bytes as they are.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tv {

// A strict total order: names equal but for case or leading zeros are ordered by fewer
// leading zeros first, then byte by byte, so every sort gives the same sequence.
bool NaturalLess(std::string_view a, std::string_view b);

// The indices of `names` in natural order, the order NaturalLess gives. Each name is turned
// once into a key that compares with memcmp, so folders of many thousand pictures sort fast.
std::vector<uint32_t> NaturalOrder(const std::vector<std::string_view>& names);

}  // namespace tv
