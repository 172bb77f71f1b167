#include "arithmetic/algebra.h"

#include <algorithm>

#include "arithmetic/bignum.h"

namespace ar {

namespace {
using big::BigMatrix;
using exact::i128;

// A power whose exact intermediate values grow beyond this many bits is
// reported: no power met in practice comes near it (a 12 x 12 unipotent
// matrix of 64-bit entries stays below 1200 bits up to 2^31 - 1).
constexpr size_t kPowerBits = 2048;

int bitLength(uint64_t x) { return x == 0 ? 0 : 64 - __builtin_clzll(x); }

// R := normal form of X * Y, the sizes already checked; R may be X or Y. In
// 64 bits when the entries' sizes rule out an overflow, else in 128 bits.
// False, with R untouched, when a value does not fit: the big product decides.
bool product(const Matrix& X, const Matrix& Y, Matrix& R) {
  const int32_t rows = rowsOf(X), inner = colsOf(X), cols = colsOf(Y);
  uint64_t bx = 0, by = 0;
  for (int32_t i = 1; i <= rows; ++i)
    for (int32_t k = 1; k <= inner; ++k) bx |= exact::mag64(X[i][k]);
  for (int32_t k = 1; k <= inner; ++k)
    for (int32_t j = 1; j <= cols; ++j) by |= exact::mag64(Y[k][j]);
  const i128 Z = static_cast<i128>(X[0][2]) * Y[0][2], N = static_cast<i128>(X[0][3]) * Y[0][3];
  bool ok;
  if (bitLength(bx) + bitLength(by) + bitLength(static_cast<uint64_t>(inner)) <= 63) {
    Matrix E;
    for (int32_t i = 1; i <= rows; ++i) {
      int64_t acc[13] = {};
      for (int32_t k = 1; k <= inner; ++k) {
        const int64_t x = X[i][k];
        if (x == 0) continue;
        for (int32_t j = 1; j <= cols; ++j) acc[j] += x * Y[k][j];
      }
      std::copy(acc + 1, acc + cols + 1, &E[i][1]);
    }
    ok = detail::normalForm(E, rows, cols, Z, N, R);
  } else {
    detail::WideEntries E;
    for (int32_t i = 1; i <= rows; ++i) {
      for (int32_t j = 1; j <= cols; ++j) {
        exact::Sum128 s;
        for (int32_t k = 1; k <= inner; ++k) s.add(static_cast<i128>(X[i][k]) * Y[k][j]);
        if (!s.exact()) return false;
        E[i][j] = s.value;
      }
    }
    ok = detail::normalForm(E, rows, cols, Z, N, R);
  }
  if (!ok) return false;
  R[0][0] = X[0][0];
  R[0][1] = Y[0][1];
  return true;
}

// The same product exactly; R may be X or Y.
bool product(const BigMatrix& X, const BigMatrix& Y, BigMatrix& R) {
  const int32_t rows = big::rowsOf(X), inner = big::colsOf(X), cols = big::colsOf(Y);
  BigMatrix T = R;
  for (int32_t i = 1; i <= rows; ++i)
    for (int32_t j = 1; j <= cols; ++j) {
      T[i][j] = 0;
      for (int32_t k = 1; k <= inner; ++k) T[i][j] += X[i][k] * Y[k][j];
    }
  T[0][0] = X[0][0];
  T[0][1] = Y[0][1];
  T[0][2] = X[0][2] * Y[0][2];
  T[0][3] = X[0][3] * Y[0][3];
  big::normalize(T);
  R = std::move(T);
  return big::bits(R) <= kPowerBits;
}

using ar::colsOf;
using ar::rowsOf;
using big::colsOf;
using big::rowsOf;

template <class G>
bool entriesZero(const G& M) {
  for (int32_t i = 1; i <= rowsOf(M); ++i)
    for (int32_t j = 1; j <= colsOf(M); ++j)
      if (M[i][j] != 0) return false;
  return true;
}
// out := A^p as p products with A in normal form give it; out holds the
// identity on entry. A nilpotent matrix is 0 from its size on; any other
// power is not 0, and its normal form is fixed by its exact value and the
// signs, so squaring gives the matrices single products give.
template <class G>
bool power(const G& a, int32_t p, G& out) {
  G cur = out, first = out;
  const int64_t single = std::max(rowsOf(a), 1);
  int64_t done = 0;
  while (done < p && done < single) {
    if (!product(a, cur, cur)) return false;
    if (++done == 1) first = cur;
    // The zero matrix (factor 1/1, or 1/0 and 0/0 without a value) stays what it is.
    if (entriesZero(cur)) {
      out = std::move(cur);
      return true;
    }
  }
  if (done == p) {
    out = std::move(cur);
    return true;
  }
  G r = first;
  for (int bit = 30 - __builtin_clz(static_cast<unsigned>(p)); bit >= 0; --bit)
    if (!product(r, r, r) || (((p >> bit) & 1) != 0 && !product(r, first, r))) return false;
  out = std::move(r);
  return true;
}
}  // namespace

void MatMult(Context& ctx, const Matrix& A, const Matrix& B, Matrix& R) {
  if (A[0][1] != B[0][0]) {
    ctx.message("Die Matrixformate passen nicht zusammen", core::kMsgPlain);
    ctx.Formelfehler = true;
    return;
  }
  if (product(A, B, R)) return;
  BigMatrix r = big::of(R);
  product(big::of(A), big::of(B), r);
  if (!big::store(r, R)) ctx.overflow = true;
}

void MatPlus(Context& ctx, Matrix& A, Matrix& B, Matrix& R) {
  if (A[0][0] != B[0][0] || A[0][1] != B[0][1]) {
    ctx.message("Matrizen haben verschiedene Formate", core::kMsgPlain);
    ctx.Formelfehler = true;
    return;
  }
  const int64_t an = A[0][3];
  const int64_t bn = B[0][3];
  // L = an*bn/g with the sign of the product; the new numerators are
  // az*L/an = az*(bn/g) and bz*(an/g). A quotient by a zero denominator is 0.
  const i128 g = static_cast<i128>(exact::gcd64(exact::mag64(an), exact::mag64(bn)));
  const i128 L = g == 0 ? 0 : static_cast<i128>(an) * (bn / g);
  const i128 za = an == 0 ? 0 : static_cast<i128>(A[0][2]) * (bn / g);
  const i128 zb = bn == 0 ? 0 : static_cast<i128>(B[0][2]) * (an / g);
  const int32_t rows = rowsOf(A);
  const int32_t cols = colsOf(A);
  Matrix result = R;
  bool wide = !exact::fits64(za) || !exact::fits64(zb);
  bool ok = false;
  if (!wide) {
    detail::WideEntries E;
    for (int32_t i = 1; i <= rows && !wide; ++i) {
      for (int32_t j = 1; j <= cols; ++j) {
        exact::Sum128 s;
        s.add(za * A[i][j]);
        s.add(zb * B[i][j]);
        wide |= !s.exact();
        E[i][j] = s.value;
      }
    }
    if (!wide) ok = detail::normalForm(E, rows, cols, 1, L, result);
  }
  if (wide) {
    BigMatrix r = big::of(R);
    const mpz_class bigA = big::of(za), bigB = big::of(zb);
    for (int32_t i = 1; i <= rows; ++i)
      for (int32_t j = 1; j <= cols; ++j)
        r[i][j] = bigA * static_cast<long>(A[i][j]) + bigB * static_cast<long>(B[i][j]);
    r[0][0] = rows;
    r[0][1] = cols;
    r[0][2] = 1;
    r[0][3] = big::of(L);
    big::normalize(r);
    ok = big::store(r, result);
  }
  if (!ok) {
    ctx.overflow = true;
    return;
  }
  result[0][0] = A[0][0];
  result[0][1] = A[0][1];
  // The operands' numerators over L; one that does not fit in 64 bits stays.
  if (exact::fits64(za)) A[0][2] = static_cast<int64_t>(za);
  if (exact::fits64(zb)) B[0][2] = static_cast<int64_t>(zb);
  // Written last, so that a result array shared with an operand holds the sum.
  R = result;
}

void MatSkalMul(Context& ctx, int64_t z, int64_t n, Matrix& M) {
  if (!detail::normalForm(M, rowsOf(M), colsOf(M), static_cast<i128>(M[0][2]) * z, static_cast<i128>(M[0][3]) * n,
                          M))
    ctx.overflow = true;
}

void MatPot(Context& ctx, const Matrix& A, int32_t p, Matrix& B) {
  const Matrix a = A;  // B may be A's own array
  Matrix T{};
  const int32_t n = ar::rowsOf(a);
  for (int32_t i = 1; i <= n; ++i) T[i][i] = 1;
  T[0][0] = a[0][0];
  T[0][1] = a[0][0];
  T[0][2] = 1;
  T[0][3] = 1;
  Klone(T, B);
  if (p <= 0) return;
  if (a[0][1] != T[0][0]) {
    // Every one of the p products would fail the same way; one message is enough.
    ctx.message("Die Matrixformate passen nicht zusammen", core::kMsgPlain);
    ctx.Formelfehler = true;
    return;
  }
  Matrix out = T;
  if (power(a, p, out)) {
    Klone(out, B);
    return;
  }
  // A value on the way left 64 bits: the same steps exactly.
  BigMatrix bigOut = big::of(T);
  if (power(big::of(a), p, bigOut) && big::store(bigOut, out)) {
    Klone(out, B);
    return;
  }
  ctx.overflow = true;
}

void Transponieren(const Matrix& A, Matrix& B) {
  const Matrix a = A;  // B may be A's own array
  B[0][0] = a[0][1];
  B[0][1] = a[0][0];
  B[0][2] = a[0][2];
  B[0][3] = a[0][3];
  const int32_t rows = ar::rowsOf(a);
  const int32_t cols = ar::colsOf(a);
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) B[j][i] = a[i][j];
  }
}

}  // namespace ar
