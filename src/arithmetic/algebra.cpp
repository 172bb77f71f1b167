#include "arithmetic/algebra.h"

#include "framework/int64.h"

namespace ar {

namespace {
using exact::i128;

// Powers MatPot forms one product at a time: a nilpotent matrix reaches 0
// within its size, and an early overflow shows at the power that has it.
constexpr int64_t kSinglePasses = 64;

// R := normal form of X * Y, the sizes already checked. False when a value of
// the result does not fit; R is then untouched. R may be X or Y.
bool product(const Matrix& X, const Matrix& Y, Matrix& R) {
  const int32_t rows = rowsOf(X);
  const int32_t inner = colsOf(X);
  const int32_t cols = colsOf(Y);
  detail::WideEntries E;
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) {
      exact::Sum128 s;
      for (int32_t k = 1; k <= inner; ++k) s.add(static_cast<i128>(X[i][k]) * Y[k][j]);
      if (!s.exact()) return false;
      E[i][j] = s.value;
    }
  }
  const int64_t hRows = X[0][0];
  const int64_t hCols = Y[0][1];
  if (!detail::normalForm(E, rows, cols, static_cast<i128>(X[0][2]) * Y[0][2],
                          static_cast<i128>(X[0][3]) * Y[0][3], R))
    return false;
  R[0][0] = hRows;
  R[0][1] = hCols;
  return true;
}

bool entriesZero(const Matrix& M) {
  const int32_t rows = rowsOf(M);
  const int32_t cols = colsOf(M);
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) {
      if (M[i][j] != 0) return false;
    }
  }
  return true;
}

struct Factor {
  int64_t z, n;
  bool operator==(const Factor&) const = default;
};

// One pass of the power on a zero matrix: only the factor moves, as the
// normal form of the product leaves it.
bool zeroPass(Factor a, Factor& f) {
  Matrix none{};
  detail::WideEntries E{};
  if (!detail::normalForm(E, 0, 0, static_cast<i128>(a.z) * f.z, static_cast<i128>(a.n) * f.n, none)) return false;
  f = {none[0][2], none[0][3]};
  return true;
}

// The factor of a zero power after `remaining` further passes. The sequence
// either leaves 64 bits within about two hundred passes (a numerator or
// denominator factor of 2 or more) or repeats with period 1 or 2.
bool zeroTail(Factor a, Factor& f, int64_t remaining) {
  Factor before = f;
  bool haveBefore = false;
  while (remaining > 0) {
    Factor next = f;
    if (!zeroPass(a, next)) return false;
    --remaining;
    if (next == f) return true;
    if (haveBefore && next == before) {
      // Period 2: an odd number of passes left ends on f.
      f = (remaining % 2 == 0) ? next : f;
      return true;
    }
    before = f;
    haveBefore = true;
    f = next;
  }
  return true;
}
}  // namespace

void MatMult(Context& ctx, const Matrix& A, const Matrix& B, Matrix& R) {
  if (A[0][1] != B[0][0]) {
    ctx.message("Die Matrixformate passen nicht zusammen", fw::kMsgPlain);
    ctx.Formelfehler = true;
    return;
  }
  if (!product(A, B, R)) ctx.overflow = true;
}

void MatPlus(Context& ctx, Matrix& A, Matrix& B, Matrix& R) {
  if (A[0][0] != B[0][0] || A[0][1] != B[0][1]) {
    ctx.message("Matrizen haben verschiedene Formate", fw::kMsgPlain);
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
  // The new numerators are stored in the operands, so they must fit.
  if (!exact::fits64(za) || !exact::fits64(zb)) {
    ctx.overflow = true;
    return;
  }
  const int32_t rows = rowsOf(A);
  const int32_t cols = colsOf(A);
  detail::WideEntries E;
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) {
      exact::Sum128 s;
      s.add(za * A[i][j]);
      s.add(zb * B[i][j]);
      if (!s.exact()) {
        ctx.overflow = true;
        return;
      }
      E[i][j] = s.value;
    }
  }
  Matrix result = R;
  if (!detail::normalForm(E, rows, cols, 1, L, result)) {
    ctx.overflow = true;
    return;
  }
  result[0][0] = A[0][0];
  result[0][1] = A[0][1];
  A[0][2] = static_cast<int64_t>(za);
  B[0][2] = static_cast<int64_t>(zb);
  // Written last, so that a result array shared with an operand holds the sum.
  R = result;
}

void MatSkalMul(Context& ctx, int64_t z, int64_t n, Matrix& M) {
  const int32_t rows = rowsOf(M);
  const int32_t cols = colsOf(M);
  detail::WideEntries E;
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) E[i][j] = M[i][j];
  }
  if (!detail::normalForm(E, rows, cols, static_cast<i128>(M[0][2]) * z, static_cast<i128>(M[0][3]) * n, M))
    ctx.overflow = true;
}

void MatPot(Context& ctx, const Matrix& A, int32_t p, Matrix& B) {
  const Matrix a = A;  // B may be A's own array
  Matrix T{};
  const int32_t n = rowsOf(a);
  for (int32_t i = 1; i <= n; ++i) T[i][i] = 1;
  T[0][0] = a[0][0];
  T[0][1] = a[0][0];
  T[0][2] = 1;
  T[0][3] = 1;
  Klone(T, B);
  if (p <= 0) return;
  if (a[0][1] != T[0][0]) {
    // Every one of the p products would fail the same way; one message is enough.
    ctx.message("Die Matrixformate passen nicht zusammen", fw::kMsgPlain);
    ctx.Formelfehler = true;
    return;
  }

  // A^1, A^2, ... one product with A at a time, each in normal form.
  Matrix cur = T;
  Matrix first = T;
  int64_t done = 0;
  while (done < p && done < kSinglePasses) {
    if (!product(a, cur, cur)) {
      ctx.overflow = true;
      return;
    }
    ++done;
    if (done == 1) first = cur;
    if (entriesZero(cur)) {
      // Zero from here on; only the factor keeps moving.
      Factor f{cur[0][2], cur[0][3]};
      if (!zeroTail({a[0][2], a[0][3]}, f, p - done)) {
        ctx.overflow = true;
        return;
      }
      cur[0][2] = f.z;
      cur[0][3] = f.n;
      Klone(cur, B);
      return;
    }
  }
  if (done == p) {
    Klone(cur, B);
    return;
  }

  // A^64 is not 0, so no power is: a normal form is fixed by the exact value
  // and the signs, so squaring gives the matrices single products give.
  // Left to right over the bits every power formed lies below p, so an
  // overflow here is one that single products meet as well.
  Matrix r = first;
  for (int bit = 30 - __builtin_clz(static_cast<unsigned>(p)); bit >= 0; --bit) {
    if (!product(r, r, r) || (((p >> bit) & 1) != 0 && !product(r, first, r))) {
      ctx.overflow = true;
      return;
    }
  }
  Klone(r, B);
}

void Transponieren(const Matrix& A, Matrix& B) {
  const Matrix a = A;  // B may be A's own array
  B[0][0] = a[0][1];
  B[0][1] = a[0][0];
  B[0][2] = a[0][2];
  B[0][3] = a[0][3];
  const int32_t rows = rowsOf(a);
  const int32_t cols = colsOf(a);
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) B[j][i] = a[i][j];
  }
}

}  // namespace ar
