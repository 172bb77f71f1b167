#include "arithmetic/elimination.h"

#include <algorithm>

#include "arithmetic/bareiss.h"
#include "arithmetic/bignum.h"
#include "arithmetic/exact.h"
#include "arithmetic/fused.h"
#include "arithmetic/rowops.h"

namespace ar {
namespace {

// A regular system: every pass finds its pivot in its own column and no row
// becomes zero. The elimination then ends at the primitive rows of the
// reduced echelon form with a positive diagonal, which Bareiss's elimination
// reaches at less cost: its rows are those rows times the determinant D.
// Only where the caller's bound is the matrix's own column count: the sign
// step then turns whole rows, while under another bound the columns beyond
// the smaller count keep signs that depend on the steps on the way.
bool regular(Matrix& M, int32_t rows, int32_t cols, int32_t sz) {
  if (rows == 0 || rows > cols || sz != cols) return false;
  detail::BareissArray w;
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) w[i][j] = M[i + 1][j + 1];
  if (detail::bareiss(w, rows, cols, true).outcome != detail::Elimination::kDone) return false;
  const int64_t D = w[0][0];
  Matrix out = M;
  for (int i = 0; i < rows; ++i) {
    // The other pivot columns hold 0.
    uint64_t g = exact::mag64(D);
    for (int j = rows; j < cols && g != 1; ++j) g = exact::gcd64(g, exact::mag64(w[i][j]));
    for (int j = 0; j < cols; ++j) {
      const uint64_t q = exact::mag64(w[i][j]) / g;
      // The sign step turns rows with a negative diagonal.
      const bool neg = (w[i][j] < 0) != (D < 0);
      if (q > (neg ? uint64_t{1} << 63 : uint64_t{INT64_MAX})) return false;
      out[i + 1][j + 1] = static_cast<int64_t>(neg ? 0 - q : q);
    }
  }
  out[0][0] = rows;
  M = out;
  return true;
}

// The same steps on entries of any size, for when a row leaves 64 bits.
using big::BigMatrix;

void reduceRow(BigMatrix& M, int32_t j, int32_t cols) {
  mpz_class g = 0;
  for (int32_t c = 1; c <= cols && g != 1; ++c) g = gcd(g, M[j][c]);
  if (g > 1)
    for (int32_t c = 1; c <= cols; ++c) mpz_divexact(M[j][c].get_mpz_t(), M[j][c].get_mpz_t(), g.get_mpz_t());
}
bool isZeroRow(const BigMatrix& M, int32_t i, int32_t cols) {
  for (int32_t c = 1; c <= cols; ++c)
    if (M[i][c] != 0) return false;
  return true;
}
bool clearEntry(BigMatrix& M, int32_t j, int32_t k, int32_t p, int32_t cols, int32_t zeroCols) {
  const mpz_class a = M[k][p], b = M[j][p];
  for (int32_t c = 1; c <= cols; ++c) M[j][c] = a * M[j][c] - b * M[k][c];
  if (!isZeroRow(M, j, zeroCols)) reduceRow(M, j, cols);
  return true;
}
bool negateRow(BigMatrix& M, int32_t i, int32_t cols) {
  for (int32_t c = 1; c <= cols; ++c) M[i][c] = -M[i][c];
  return true;
}
void swapRows(BigMatrix& M, int32_t i, int32_t j, int32_t cols) {
  for (int32_t c = 1; c <= cols; ++c) swap(M[i][c], M[j][c]);
}
void deleteRow(BigMatrix& M, int32_t i, int32_t zz, int32_t sz) {
  for (int32_t r = i; r <= zz - 1; ++r)
    for (int32_t c = 1; c <= sz; ++c) M[r][c] = M[r + 1][c];
}

bool isZeroRow(const Matrix& M, int32_t i, int32_t cols) { return IstNullzeile(M, i, cols); }
bool clearEntry(Matrix& M, int32_t j, int32_t k, int32_t p, int32_t cols, int32_t zeroCols) {
  return fused::clearEntry(M, j, k, p, cols, zeroCols);
}
void reduceRow(Matrix& M, int32_t j, int32_t cols) { fused::reduceRow(M, j, cols); }
bool negateRow(Matrix& M, int32_t i, int32_t cols) { return fused::negateRow(M, i, cols); }
void swapRows(Matrix& M, int32_t i, int32_t j, int32_t) { Zeilentausch(M, i, j); }
void deleteRow(Matrix& M, int32_t i, int32_t zz, int32_t sz) { ZeileLoeschen(M, i, zz, sz); }

// The elimination step by step, each combined row divided by its content at
// once. False when a row does not fit in T.
template <class T>
bool eliminate(T& M, int32_t zz, int32_t sz, int32_t cols, int32_t& rows) {
  auto drop = [&](int32_t j) {
    deleteRow(M, j, zz, sz);
    --rows;
  };
  int32_t k = 0, s = 0;
  while (k < rows && k + s < sz) {
    ++k;
    const int32_t p = k + s;
    if (M[k][p] == 0) {
      int32_t j = k + 1;
      while (j <= rows && M[j][p] == 0) ++j;  // never reads past the last row
      if (j > rows) {
        ++s;
        --k;
        continue;
      }
      swapRows(M, k, j, cols);
    }
    for (int32_t j = 1; j <= rows; ++j)
      if (j != k && !clearEntry(M, j, k, p, cols, sz)) return false;
    for (int32_t j = rows; j >= k; --j) {
      if (isZeroRow(M, j, sz))
        drop(j);
      else
        reduceRow(M, j, cols);
    }
  }
  for (int32_t i = rows; i >= 1; --i)
    if (isZeroRow(M, i, sz)) drop(i);
  for (int32_t i = 1; i <= rows; ++i)
    if (M[i][i] < 0 && !negateRow(M, i, sz)) return false;
  return true;
}

}  // namespace

void Verfahren(Context& ctx, Matrix& M, int32_t zzahl, int32_t szahl) {
  const int32_t zz = clampCount(zzahl, core::kMax), sz = clampCount(szahl, core::kMax);
  const int32_t cols = colsOf(M);  // the row operations' own column bound
  const int32_t rows = rowsOf(M);
  if (regular(M, rows, cols, sz)) return;
  Matrix work = M;
  int32_t left = rows;
  if (!eliminate(work, zz, sz, cols, left)) {
    BigMatrix wide = big::of(M);
    left = rows;
    eliminate(wide, zz, sz, cols, left);
    // Only the result must fit. A hidden row below it keeps the leftover of
    // the elimination where that fits, and otherwise the row it held.
    Matrix out = M;
    for (int32_t i = 1; i <= core::kMax; ++i)
      if (!big::storeRow(wide, i, out) && i <= left) {
        ctx.overflow = true;
        return;
      }
    work = out;
  }
  work[0][0] = left;
  M = work;
}

void Verfahren(Context& ctx, Matrix& M) { Verfahren(ctx, M, rowsOf(M), colsOf(M)); }

bool IstNullspalte(const Matrix& M, int32_t j) {
  if (j < 0 || j > core::kMax) return true;
  for (int32_t i = 1; i <= rowsOf(M); ++i)
    if (M[i][j] != 0) return false;
  return true;
}

}  // namespace ar
