#include "arithmetic/inverse.h"

#include <flint/fmpz_mat.h>

#include "arithmetic/algebra.h"
#include "arithmetic/bareiss.h"
#include "arithmetic/bignum.h"
#include "arithmetic/exact.h"

namespace ar {
namespace {

using exact::i128;
using exact::u128;


enum class Outcome { kRegular, kSingular, kOverflow };

// The factor of the inverse: N/g over Z*d/g with g = ggt(N, Z*d), signs kept
// (Z and N are not 0).
bool writeFactor(const Matrix& S, uint64_t d, Matrix& R) {
  const int64_t Z = S[0][2], N = S[0][3];
  const i128 P = static_cast<i128>(Z) * static_cast<i128>(d);
  const u128 g = exact::gcd128(exact::mag64(N), exact::mag128(P));
  const i128 num = N / static_cast<i128>(g), den = P / static_cast<i128>(g);
  if (!exact::fits64(num) || !exact::fits64(den)) return false;
  R[0][2] = static_cast<int64_t>(num);
  R[0][3] = static_cast<int64_t>(den);
  return true;
}

// Gauss-Jordan on [S | I] ends at [D*I | D*S^-1]. The elimination of the
// plain algorithm, each row divided by its content, ends at rows
// (d_i e_i | d_i S^-1_i) with the least d_i > 0, scaled to the common multiple
// of the d_i: that is d*S^-1 with d the least common denominator of S^-1.
Outcome invertFast(const Matrix& S, int n, Matrix& R) {
  detail::BareissArray w;
  const int width = 2 * n;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < width; ++j) w[i][j] = j < n ? S[i + 1][j + 1] : (j - n == i ? 1 : 0);
  const detail::BareissResult r = detail::bareiss(w, n, width, true);
  if (r.outcome == detail::Elimination::kNoPivot) return Outcome::kSingular;
  if (r.outcome == detail::Elimination::kOverflow) return Outcome::kOverflow;
  const int64_t D = w[0][0];
  uint64_t G = exact::mag64(D);
  for (int i = 0; i < n && G != 1; ++i)
    for (int j = n; j < width && G != 1; ++j) G = exact::gcd64(G, exact::mag64(w[i][j]));
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const i128 q = static_cast<i128>(exact::mag64(w[i][n + j]) / G);
      const i128 v = (w[i][n + j] < 0) != (D < 0) ? -q : q;
      if (!exact::fits64(v)) return Outcome::kOverflow;
      R[i + 1][j + 1] = static_cast<int64_t>(v);
    }
  }
  if (!writeFactor(S, exact::mag64(D) / G, R)) return Outcome::kOverflow;
  return Outcome::kRegular;
}

// The same result from FLINT's exact inverse S^-1 = B / den; kOverflow only
// when the result itself does not fit.
Outcome invertExact(const Matrix& S, int n, Matrix& R) {
  fmpz_mat_t a, b;
  fmpz_mat_init(a, n, n);
  fmpz_mat_init(b, n, n);
  fmpz_t den, g, P, t;
  fmpz_init(den);
  fmpz_init(g);
  fmpz_init(P);
  fmpz_init(t);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(a, i, j), S[i + 1][j + 1]);
  Outcome o = Outcome::kSingular;
  if (fmpz_mat_inv(b, den, a)) {
    o = Outcome::kRegular;
    // d = |den| / g and the entries B / g with den's sign: the least denominator.
    fmpz_mat_content(g, b);
    fmpz_gcd(g, g, den);
    if (fmpz_sgn(den) < 0) fmpz_neg(g, g);
    fmpz_divexact(den, den, g);
    for (int i = 0; i < n && o == Outcome::kRegular; ++i)
      for (int j = 0; j < n && o == Outcome::kRegular; ++j) {
        fmpz_divexact(t, fmpz_mat_entry(b, i, j), g);
        if (!fmpz_fits_si(t)) o = Outcome::kOverflow;
        R[i + 1][j + 1] = fmpz_get_si(t);
      }
    // The factor N/g over Z*d/g, g = ggt(N, Z*d).
    fmpz_set_si(P, S[0][2]);
    fmpz_mul(P, P, den);
    fmpz_set_si(t, S[0][3]);
    fmpz_gcd(g, t, P);
    fmpz_divexact(t, t, g);
    fmpz_divexact(P, P, g);
    if (!fmpz_fits_si(t) || !fmpz_fits_si(P)) o = Outcome::kOverflow;
    R[0][2] = fmpz_get_si(t);
    R[0][3] = fmpz_get_si(P);
  }
  fmpz_clear(t);
  fmpz_clear(P);
  fmpz_clear(g);
  fmpz_clear(den);
  fmpz_mat_clear(b);
  fmpz_mat_clear(a);
  return o;
}

// B * A^-1 from FLINT's solution of A^T X^T = B^T, X^T = Y / den: the value
// (Bz An / (Bn Az)) * Y^T / den, with den made positive, so that the
// denominator keeps the sign of Bn * Az as the 64-bit way leaves it.
Outcome abbildungExakt(const Matrix& A, const Matrix& B, Matrix& R) {
  const int n = rowsOf(A), k = rowsOf(B);
  fmpz_mat_t at, bt, y;
  fmpz_mat_init(at, n, n);
  fmpz_mat_init(bt, n, k);
  fmpz_mat_init(y, n, k);
  fmpz_t den;
  fmpz_init(den);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(at, i, j), A[j + 1][i + 1]);
    for (int j = 0; j < k; ++j) fmpz_set_si(fmpz_mat_entry(bt, i, j), B[j + 1][i + 1]);
  }
  Outcome o = Outcome::kSingular;
  if (fmpz_mat_solve(y, den, at, bt)) {
    big::BigMatrix r = big::of(R);
    const int vorzeichen = fmpz_sgn(den);
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < n; ++j) r[i + 1][j + 1] = big::fromFmpz(fmpz_mat_entry(y, j, i)) * vorzeichen;
    r[0][0] = k;
    r[0][1] = n;
    r[0][2] = mpz_class(static_cast<long>(B[0][2])) * static_cast<long>(A[0][3]);
    r[0][3] = mpz_class(static_cast<long>(B[0][3])) * static_cast<long>(A[0][2]) * abs(big::fromFmpz(den));
    big::normalize(r);
    // R's other cells are its own: only the result can fail to fit.
    o = big::store(r, R) ? Outcome::kRegular : Outcome::kOverflow;
  }
  fmpz_clear(den);
  fmpz_mat_clear(y);
  fmpz_mat_clear(bt);
  fmpz_mat_clear(at);
  return o;
}

}  // namespace

void Abbildungsmatrix(Context& ctx, const Matrix& A, const Matrix& B, Matrix& R, bool& fehlgeschlagen) {
  // A zero denominator leaves a matrix without a value.
  if (A[0][3] == 0 || B[0][3] == 0) {
    ctx.overflow = true;
    return;
  }
  const int64_t n = A[0][0];
  if (B[0][1] != n) {
    MatMult(ctx, B, A, R);  // says that the formats do not fit, and changes nothing
    return;
  }
  Outcome o = Outcome::kSingular;
  Matrix inv{};
  if (n == A[0][1] && n >= 1 && n <= core::kMax && A[0][2] != 0) o = invertFast(A, static_cast<int>(n), inv);
  if (o == Outcome::kRegular) {
    // The product is exact whatever it meets on the way: what does not fit here does not fit at all.
    inv[0][0] = inv[0][1] = n;
    MatMult(ctx, B, inv, R);
  } else if (o == Outcome::kOverflow) {
    // A^-1 left 64 bits: the result may fit all the same.
    o = abbildungExakt(A, B, R);
    if (o == Outcome::kOverflow) ctx.overflow = true;
  }
  if (o == Outcome::kSingular) Invertieren(ctx, A, R, fehlgeschlagen);  // its message and its copy of A
}

void Invertieren(Context& ctx, const Matrix& S, Matrix& R, bool& fehlgeschlagen) {
  const int64_t n = S[0][0];
  // A zero denominator leaves the matrix without a value to invert.
  if (S[0][3] == 0) {
    ctx.overflow = true;
    return;
  }
  Outcome o = Outcome::kSingular;
  Matrix out = R;  // written only on success
  // A zero numerator makes it the zero matrix, which is singular.
  if (n == S[0][1] && n >= 1 && n <= core::kMax && S[0][2] != 0) {
    o = invertFast(S, static_cast<int>(n), out);
    if (o == Outcome::kOverflow) o = invertExact(S, static_cast<int>(n), out);
  }
  switch (o) {
    case Outcome::kRegular:
      out[0][0] = n;
      out[0][1] = n;
      R = out;
      return;
    case Outcome::kOverflow:
      ctx.overflow = true;
      return;
    case Outcome::kSingular:
      ctx.message("Die Matrix ist nicht regulaer", core::kMsgCautionOkCancel);
      fehlgeschlagen = true;
      Klone(S, R);
      return;
  }
}

}  // namespace ar
