#include "arithmetic/matrix.h"

#include <cmath>
#include <type_traits>

#include "core/int64.h"

namespace ar {

namespace detail {

namespace {
constexpr u128 kMaxPos = static_cast<u128>(core::kInt64Max);
constexpr u128 kMaxNeg = kMaxPos + 1;  // |INT64_MIN|

bool fits(u128 magnitude, bool negative) { return magnitude <= (negative ? kMaxNeg : kMaxPos); }

// The zero matrix of the given size with factor 1/1, written into M.
void nullmatrix(Matrix& M, int32_t rows, int32_t cols) {
  for (int32_t i = 1; i <= rows; ++i)
    for (int32_t j = 1; j <= cols; ++j) M[i][j] = 0;
  M[0][2] = 1;
  M[0][3] = 1;
}

int64_t toInt64(u128 magnitude, bool negative) {
  const uint64_t m = static_cast<uint64_t>(magnitude);
  return static_cast<int64_t>(negative ? 0 - m : m);
}
}  // namespace

template <class Entries>
bool normalForm(const Entries& E, int32_t rows, int32_t cols, i128 Z, i128 N, Matrix& M) {
  constexpr bool kNarrow = std::is_same_v<Entries, Matrix>;
  // The gcd of the entries moves into the factor; once it is 1 it stays 1.
  u128 m = 0;
  if constexpr (kNarrow) {
    uint64_t g = 0;
    for (int32_t i = 1; i <= rows && g != 1; ++i)
      for (int32_t j = 1; j <= cols && g != 1; ++j) g = exact::gcd64(g, exact::mag64(E[i][j]));
    m = g;
  } else {
    for (int32_t i = 1; i <= rows && m != 1; ++i)
      for (int32_t j = 1; j <= cols && m != 1; ++j) m = exact::gcd128(m, exact::mag128(E[i][j]));
  }
  // Value zero (a zero numerator or no non-zero entry) is the zero matrix with factor 1/1. A zero
  // denominator has no value: it stays for the display to report.
  if (N != 0 && (Z == 0 || m == 0)) {
    nullmatrix(M, rows, cols);
    return true;
  }
  const u128 scale = m > 1 ? m : 1;

  // Factor Z*scale/N reduced, without forming Z*scale before the reduction.
  const bool zNeg = Z < 0;
  const bool nNeg = N < 0;
  u128 zm = exact::mag128(Z);
  u128 nm = exact::mag128(N);
  const u128 h = exact::gcd128(zm, nm);
  if (h > 1) {
    zm /= h;
    nm /= h;
  }
  if (scale > 1) {
    // With N = 0 this gives h2 = scale, so Z stays at 1 (or 0) over 0.
    const u128 h2 = exact::gcd128(scale, nm);
    nm /= h2;
    if (__builtin_mul_overflow(zm, scale / h2, &zm)) return false;
  }
  if (!fits(zm, false) || !fits(nm, nNeg)) return false;

  // A negative numerator moves its sign into the entries.
  Matrix out;
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) {
      u128 q;
      if constexpr (kNarrow)
        q = scale == 1 ? exact::mag64(E[i][j]) : exact::mag64(E[i][j]) / static_cast<uint64_t>(scale);
      else
        q = scale == 1 ? exact::mag128(E[i][j]) : exact::mag128(E[i][j]) / scale;
      const bool neg = (E[i][j] < 0) != zNeg;
      if (q != 0 && !fits(q, neg)) return false;
      out[i][j] = q == 0 ? 0 : toInt64(q, neg);
    }
  }
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= cols; ++j) M[i][j] = out[i][j];
  }
  M[0][2] = toInt64(zm, false);
  M[0][3] = toInt64(nm, nNeg);
  return true;
}

template bool normalForm<Matrix>(const Matrix&, int32_t, int32_t, i128, i128, Matrix&);
template bool normalForm<WideEntries>(const WideEntries&, int32_t, int32_t, i128, i128, Matrix&);

}  // namespace detail

int64_t ggt(int64_t a, int64_t b) {
  const uint64_t g = exact::gcd64(exact::mag64(a), exact::mag64(b));
  // Only 2^63 itself does not fit; 2^62 is its greatest divisor that does.
  return g > static_cast<uint64_t>(core::kInt64Max) ? int64_t{1} << 62 : static_cast<int64_t>(g);
}

void Fehler(Context& ctx, const std::string& text) {
  ctx.message("In der Prozedur " + text + " ist ein Fehler aufgetreten", core::kMsgPlain);
}

void Klone(const Matrix& A, Matrix& B) {
  for (size_t i = 0; i <= 12; ++i) {
    for (size_t j = 0; j <= 12; ++j) B[i][j] = A[i][j];
  }
}

void Klone(const Matrix& A, WideMatrix& B) {
  for (size_t i = 0; i <= 12; ++i) {
    for (size_t j = 0; j <= 12; ++j) B[i][j] = A[i][j];
  }
}

void MKuerzen(Context& ctx, Matrix& M) {
  if (!detail::normalForm(M, rowsOf(M), colsOf(M), M[0][2], M[0][3], M)) ctx.overflow = true;
}

bool NormalformPasst(const Matrix& M) {
  Matrix probe = M;
  return detail::normalForm(M, rowsOf(M), colsOf(M), M[0][2], M[0][3], probe);
}

Matrix Nullform(const Matrix& M) {
  Matrix R = M;
  const int32_t rows = rowsOf(M), cols = colsOf(M);
  bool null = M[0][3] != 0;
  for (int32_t i = 1; i <= rows && null && M[0][2] != 0; ++i)
    for (int32_t j = 1; j <= cols && null; ++j) null = M[i][j] == 0;
  if (null) detail::nullmatrix(R, rows, cols);
  return R;
}

bool ganzzahlig(double x) { return std::floor(x) == x; }

}  // namespace ar
