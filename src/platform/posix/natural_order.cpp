// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/natural_order.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tv {
namespace {

inline bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

inline unsigned char Fold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// <0, 0 or >0 ignoring case and leading zeros; `zeros` receives the first difference in
// leading zeros (fewer first), which decides only when everything else is equal.
int CompareNatural(std::string_view a, std::string_view b, int& zeros) {
  const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
  const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
  const size_t na = a.size(), nb = b.size();
  size_t i = 0, j = 0;
  zeros = 0;
  while (i < na && j < nb) {
    unsigned char ca = Fold(pa[i]);
    unsigned char cb = Fold(pb[j]);
    if (IsDigit(ca) && IsDigit(cb)) {
      size_t si = i, sj = j;
      while (si < na && pa[si] == '0') ++si;
      while (sj < nb && pb[sj] == '0') ++sj;
      size_t ei = si, ej = sj;
      while (ei < na && IsDigit(pa[ei])) ++ei;
      while (ej < nb && IsDigit(pb[ej])) ++ej;
      // Without leading zeros, the longer run is the larger number; no overflow however long.
      size_t la = ei - si, lb = ej - sj;
      if (la != lb) return la < lb ? -1 : 1;
      for (size_t k = 0; k < la; ++k) {
        if (pa[si + k] != pb[sj + k]) return pa[si + k] < pb[sj + k] ? -1 : 1;
      }
      if (zeros == 0 && si - i != sj - j) zeros = (si - i) < (sj - j) ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < na) return 1;
  if (j < nb) return -1;
  return 0;
}

// A digit run becomes "0", its length without leading zeros (one byte below 255, else 255
// and four bytes), then those digits; letters are folded. No other digit byte can meet the
// marker "0", so it compares with letters and signs exactly as the run's digits would.
void AppendSortKey(std::string_view name, std::string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(name.data());
  const size_t n = name.size();
  size_t i = 0;
  while (i < n) {
    if (!IsDigit(p[i])) {
      out.push_back(static_cast<char>(Fold(p[i])));
      ++i;
      continue;
    }
    while (i < n && p[i] == '0') ++i;
    size_t end = i;
    while (end < n && IsDigit(p[end])) ++end;
    size_t length = end - i;
    out.push_back('0');
    if (length < 255) {
      out.push_back(static_cast<char>(length));
    } else {
      out.push_back(static_cast<char>(255));
      for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((length >> shift) & 255));
      }
    }
    out.append(name.data() + i, length);
    i = end;
  }
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  int zeros = 0;
  int c = CompareNatural(a, b, zeros);
  if (c != 0) return c < 0;
  if (zeros != 0) return zeros < 0;
  return a < b;
}

std::vector<uint32_t> NaturalOrder(const std::vector<std::string_view>& names) {
  struct Key {
    uint32_t offset;
    uint32_t length;
    uint32_t index;
  };
  size_t total = 0;
  for (auto n : names) total += n.size() + 8;
  // One block of keys that compare with memcmp exactly as CompareNatural compares the names.
  std::string keys_text;
  keys_text.reserve(total);
  std::vector<Key> keys;
  keys.reserve(names.size());
  for (size_t k = 0; k < names.size(); ++k) {
    size_t start = keys_text.size();
    AppendSortKey(names[k], keys_text);
    keys.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(keys_text.size() - start),
                    static_cast<uint32_t>(k)});
  }
  const char* base = keys_text.data();
  std::sort(keys.begin(), keys.end(), [&](const Key& x, const Key& y) {
    int c = std::memcmp(base + x.offset, base + y.offset, std::min(x.length, y.length));
    if (c != 0) return c < 0;
    if (x.length != y.length) return x.length < y.length;
    return NaturalLess(names[x.index], names[y.index]);  // leading zeros, then bytes
  });
  std::vector<uint32_t> order;
  order.reserve(keys.size());
  for (const Key& k : keys) order.push_back(k.index);
  return order;
}

}  // namespace tv
