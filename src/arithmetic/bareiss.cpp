#include "arithmetic/bareiss.h"

#include <utility>

#include "arithmetic/exact.h"

namespace ar::detail {

namespace {
using exact::i128;

// Below this bound for every magnitude, pivot * a - f * b fits in 64 bits.
constexpr uint64_t kSmall = uint64_t{1} << 31;
}  // namespace

BareissResult bareiss(BareissArray& w, int n, int width, bool jordan) {
  bool odd = false;
  uint64_t bits = 0;  // the OR of every magnitude still to be used: a bound
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < width; ++j) bits |= exact::mag64(w[i][j]);
  int64_t prev = 1;
  for (int k = 0; k < n; ++k) {
    if (w[k][k] == 0) {
      int r = k + 1;
      while (r < n && w[r][k] == 0) ++r;
      if (r == n) return {Elimination::kNoPivot, k, odd};
      std::swap(w[k], w[r]);
      odd = !odd;
    }
    const int64_t pivot = w[k][k];
    const exact::ExactDivisor64 div(prev);
    const bool small = bits < kSmall;
    uint64_t next = exact::mag64(pivot);
    if (jordan)
      for (int j = k + 1; j < width; ++j) next |= exact::mag64(w[k][j]);
    for (int i = jordan ? 0 : k + 1; i < n; ++i) {
      if (i == k) continue;
      int64_t* row = w[i];
      const int64_t* top = w[k];
      const int64_t f = row[k];
      if (small) {
        for (int j = k + 1; j < width; ++j) {
          row[j] = div.exact(pivot * row[j] - f * top[j]);
          next |= exact::mag64(row[j]);
        }
      } else {
        for (int j = k + 1; j < width; ++j) {
          i128 x;
          if (__builtin_sub_overflow(static_cast<i128>(pivot) * row[j], static_cast<i128>(f) * top[j], &x) ||
              !div.divide(x, row[j]))
            return {Elimination::kOverflow, k, odd};
          next |= exact::mag64(row[j]);
        }
      }
      row[k] = 0;
      if (i < k) row[i] = pivot;  // the left part is the current minor times I
    }
    prev = pivot;
    bits = next;
  }
  return {Elimination::kDone, n, odd};
}

}  // namespace ar::detail
