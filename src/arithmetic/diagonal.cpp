#include "arithmetic/diagonal.h"

#include <algorithm>

#include "arithmetic/exact.h"

namespace ar {

template <size_t C>
void Vereinheitlichen(Context& ctx, Grid<C>& M) {
  using exact::i128;
  const int32_t cols = colsOf(M);
  const int32_t m = std::min(rowsOf(M), cols);
  // A value of zero has nothing to equalise and never overflows: it stays,
  // and its normal form is the zero matrix.
  if (m == 0 || (M[0][2] == 0 && M[0][3] != 0)) return;
  for (int32_t i = 1; i <= m; ++i)
    if (M[i][i] == 0) return;

  i128 L = M[1][1];
  for (int32_t i = 2; i <= m; ++i) {
    const auto g = static_cast<i128>(exact::gcd128(exact::mag128(L), exact::mag64(M[i][i])));
    L = L / g * M[i][i];
    if (!exact::fits64(L)) {
      ctx.overflow = true;
      return;
    }
  }
  // All products are checked before the first row changes.
  i128 f[13];
  for (int32_t i = 1; i <= m; ++i) {
    f[i] = L / M[i][i];
    for (int32_t c = 1; c <= cols; ++c) {
      if (!exact::fits64(static_cast<i128>(M[i][c]) * f[i])) {
        ctx.overflow = true;
        return;
      }
    }
  }
  for (int32_t i = 1; i <= m; ++i) {
    // Column 0 carries nothing, yet workspace files keep it: scaled along, wrapping.
    M[i][0] = static_cast<int64_t>(static_cast<uint64_t>(M[i][0]) * static_cast<uint64_t>(f[i]));
    for (int32_t c = 1; c <= cols; ++c) M[i][c] = static_cast<int64_t>(M[i][c] * f[i]);
  }
}

template void Vereinheitlichen<13>(Context&, Grid<13>&);
template void Vereinheitlichen<25>(Context&, Grid<25>&);

}  // namespace ar
