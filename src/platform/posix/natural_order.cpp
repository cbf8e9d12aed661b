#include "platform/posix/natural_order.h"

#include <algorithm>
#include <string>

namespace tv {
namespace {

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

inline unsigned char Fold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// <0, 0 or >0 ignoring case and leading zeros; `zeros` receives the first difference in
// leading zeros (fewer first), which decides only when everything else is equal.
// kFold is false when both texts are already folded.
template <bool kFold>
int CompareNatural(std::string_view a, std::string_view b, int& zeros) {
  const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
  const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
  const size_t na = a.size(), nb = b.size();
  size_t i = 0, j = 0;
  zeros = 0;
  while (i < na && j < nb) {
    unsigned char ca = kFold ? Fold(pa[i]) : pa[i];
    unsigned char cb = kFold ? Fold(pb[j]) : pb[j];
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

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  int zeros = 0;
  int c = CompareNatural<true>(a, b, zeros);
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
  for (auto n : names) total += n.size();
  // One block of folded names keeps the keys close together in memory.
  std::string folded;
  folded.reserve(total);
  std::vector<Key> keys;
  keys.reserve(names.size());
  for (size_t k = 0; k < names.size(); ++k) {
    keys.push_back({static_cast<uint32_t>(folded.size()), static_cast<uint32_t>(names[k].size()),
                    static_cast<uint32_t>(k)});
    for (unsigned char c : names[k]) folded.push_back(static_cast<char>(Fold(c)));
  }
  const char* base = folded.data();
  std::sort(keys.begin(), keys.end(), [&](const Key& x, const Key& y) {
    int zeros = 0;
    int c = CompareNatural<false>(std::string_view(base + x.offset, x.length),
                                  std::string_view(base + y.offset, y.length), zeros);
    if (c != 0) return c < 0;
    if (zeros != 0) return zeros < 0;
    return names[x.index] < names[y.index];
  });
  std::vector<uint32_t> order;
  order.reserve(keys.size());
  for (const Key& k : keys) order.push_back(k.index);
  return order;
}

}  // namespace tv
