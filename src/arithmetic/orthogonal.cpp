#include "arithmetic/orthogonal.h"

#include <gmpxx.h>

#include "arithmetic/exact.h"

namespace ar {
namespace {


mpz_class dot(const Matrix& M, int rows, int j, int k) {
  mpz_class sum = 0;
  for (int i = 1; i <= rows; ++i) sum += mpz_class(static_cast<long>(M[i][j])) * static_cast<long>(M[i][k]);
  return sum;
}

}  // namespace

int64_t SkalProd(Context& ctx, const Matrix& M, int32_t j, int32_t k) {
  if (j < 0 || j > core::kMax || k < 0 || k > core::kMax) return 0;
  exact::Sum128 sum;  // twelve products of 2^126 leave 128 bits
  for (int32_t i = 1; i <= rowsOf(M); ++i) sum.add(static_cast<exact::i128>(M[i][j]) * M[i][k]);
  if (sum.exact() && exact::fits64(sum.value)) return static_cast<int64_t>(sum.value);
  ctx.overflow = true;
  return 0;
}

int64_t NormQ(Context& ctx, const Matrix& M, int32_t j) { return SkalProd(ctx, M, j, j); }

void SpalteKuerzen(Matrix& M, int32_t k, bool& null) {
  if (k < 0 || k > core::kMax) return;
  const int32_t rows = rowsOf(M);
  uint64_t g = 0;
  for (int32_t i = 1; i <= rows; ++i) g = exact::gcd64(g, exact::mag64(M[i][k]));
  if (g == 0) {
    null = true;
    return;
  }
  if (g == 1) return;
  for (int32_t i = 1; i <= rows; ++i) {
    const uint64_t q = exact::mag64(M[i][k]) / g;  // below 2^63 unless g is 1
    M[i][k] = M[i][k] < 0 ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  }
}

void Orthnorm(Context& ctx, Matrix& M) {
  const int rows = rowsOf(M), cols = colsOf(M);
  mpz_class norm[core::kMax + 1];  // squared lengths of the finished columns
  int earlier[core::kMax], count = 0;  // finished non-zero columns
  mpz_class v[core::kMax];
  for (int k = 1; k <= cols; ++k) {
    // v = P * a - sum_j (P / n_j) <c_j, a> c_j, P the product of the n_j:
    // the residual of column a scaled by P, as integers.
    mpz_class P = 1;
    for (int t = 0; t < count; ++t) P *= norm[earlier[t]];
    for (int i = 0; i < rows; ++i) v[i] = P * static_cast<long>(M[i + 1][k]);
    for (int t = 0; t < count; ++t) {
      const int j = earlier[t];
      mpz_class coef = -dot(M, rows, j, k);
      if (coef == 0) continue;
      for (int u = 0; u < count; ++u)
        if (u != t) coef *= norm[earlier[u]];
      for (int i = 0; i < rows; ++i) v[i] += coef * static_cast<long>(M[i + 1][j]);
    }
    mpz_class g = 0;
    for (int i = 0; i < rows; ++i) g = gcd(g, v[i]);
    for (int i = 0; i < rows && g > 1; ++i) mpz_divexact(v[i].get_mpz_t(), v[i].get_mpz_t(), g.get_mpz_t());
    for (int i = 0; i < rows; ++i)
      if (!v[i].fits_slong_p()) {
        ctx.overflow = true;
        return;
      }
    for (int i = 0; i < rows; ++i) M[i + 1][k] = v[i].get_si();
    norm[k] = dot(M, rows, k, k);
    if (norm[k] != 0) earlier[count++] = k;
  }
}

}  // namespace ar
