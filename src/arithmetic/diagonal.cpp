#include "arithmetic/diagonal.h"

#include <algorithm>

#include "arithmetic/bignum.h"
#include "arithmetic/exact.h"

namespace ar {

namespace {

using exact::i128;

// Column 0 carries nothing, yet workspace files keep it: scaled along, wrapping.
int64_t scaledColumn0(int64_t v, uint64_t f) { return static_cast<int64_t>(static_cast<uint64_t>(v) * f); }

// The scaled rows exactly, shown as the normal form of their value: a common
// multiple on the way may leave 64 bits while the value's normal form fits.
bool scaledNormalForm(Matrix& M, int32_t m) {
  big::BigMatrix B = big::of(M);
  mpz_class L = B[1][1];
  for (int32_t i = 2; i <= m; ++i) L = L / gcd(L, B[i][i]) * B[i][i];
  for (int32_t i = 1; i <= m; ++i) {
    const mpz_class f = L / B[i][i];
    // The low 64 bits of f, as a wrapping product takes them.
    const mpz_class low = f & mpz_class(~0UL);
    B[i][0] = static_cast<long>(scaledColumn0(M[i][0], low.get_ui()));
    for (int32_t c = 1; c <= colsOf(M); ++c) B[i][c] *= f;
  }
  big::normalize(B);
  // The cells outside the rows and columns are M's own, so only the result can fail to fit.
  return big::store(B, M);
}

}  // namespace

void Vereinheitlichen(Context& ctx, Matrix& M) {
  const int32_t cols = colsOf(M);
  const int32_t m = std::min(rowsOf(M), cols);
  // A value of zero has nothing to equalise and never overflows: it stays,
  // and its normal form is the zero matrix.
  if (m == 0 || (M[0][2] == 0 && M[0][3] != 0)) return;
  for (int32_t i = 1; i <= m; ++i)
    if (M[i][i] == 0) return;

  bool fits = true;
  i128 L = M[1][1];
  for (int32_t i = 2; i <= m && fits; ++i) {
    const auto g = static_cast<i128>(exact::gcd128(exact::mag128(L), exact::mag64(M[i][i])));
    L = L / g * M[i][i];
    fits = exact::fits64(L);
  }
  // All products are checked before the first row changes.
  i128 f[13];
  for (int32_t i = 1; i <= m && fits; ++i) {
    f[i] = L / M[i][i];
    for (int32_t c = 1; c <= cols && fits; ++c) fits = exact::fits64(static_cast<i128>(M[i][c]) * f[i]);
  }
  if (!fits) {
    if (!scaledNormalForm(M, m)) ctx.overflow = true;
    return;
  }
  for (int32_t i = 1; i <= m; ++i) {
    M[i][0] = scaledColumn0(M[i][0], static_cast<uint64_t>(f[i]));
    for (int32_t c = 1; c <= cols; ++c) M[i][c] = static_cast<int64_t>(M[i][c] * f[i]);
  }
}

}  // namespace ar
