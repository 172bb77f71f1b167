#include "arithmetic/determinant.h"

#include <flint/fmpz_mat.h>

#include <algorithm>

#include "arithmetic/bareiss.h"

namespace ar {

int64_t Det(Context& ctx, const Matrix& A) {
  const int n = rowsOf(A);
  if (n == 0) return 0;
  if (n == 1) return A[1][1];
  detail::BareissArray w;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) w[i][j] = A[i + 1][j + 1];
  const detail::BareissResult r = detail::bareiss(w, n, n, false);
  if (r.outcome == detail::Elimination::kNoPivot) return 0;
  if (r.outcome == detail::Elimination::kDone) {
    const int64_t d = w[n - 1][n - 1];
    if (!r.oddSwaps) return d;
    if (d != INT64_MIN) return -d;
    ctx.overflow = true;  // 2^63
    return 0;
  }
  // A minor on the way left 64 bits: FLINT's exact determinant decides.
  fmpz_mat_t a;
  fmpz_mat_init(a, n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(a, i, j), A[i + 1][j + 1]);
  fmpz_t det;
  fmpz_init(det);
  fmpz_mat_det(det, a);
  int64_t value = 0;
  if (fmpz_fits_si(det))
    value = fmpz_get_si(det);
  else
    ctx.overflow = true;
  fmpz_clear(det);
  fmpz_mat_clear(a);
  return value;
}

void Untermatrix(const Matrix& A, int32_t j, Matrix& B) {
  const int32_t n = rowsOf(A);
  for (int32_t r = 1; r <= n; ++r)
    for (int32_t c = 1; c <= n - 1; ++c) B[r][c] = A[r][c + 1];
  for (int32_t r = std::max(j, 1); r <= n - 1; ++r)
    for (int32_t c = 1; c <= n - 1; ++c) B[r][c] = B[r + 1][c];
  B[0][0] = n - 1;
  B[0][1] = n - 1;
}

void Cramermatrix(const Matrix& A, int32_t j, Matrix& B) {
  const int32_t n = rowsOf(A);
  Klone(A, B);
  // The right-hand side stands in column n + 1, which must be a column of the array.
  if (j >= 1 && j <= core::kMax && n + 1 <= core::kMax)
    for (int32_t i = 1; i <= n; ++i) B[i][j] = B[i][n + 1];
  B[0][0] = n;
  B[0][1] = n;
}

}  // namespace ar
