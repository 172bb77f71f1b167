#include "arithmetic/determinant.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "arithmetic/exact.h"

namespace ar {
namespace {

using exact::i128;
using exact::u128;

constexpr int kMax = 12;
using Square = int64_t[kMax][kMax];

// Fraction-free elimination (every stored value is a minor of the input);
// false when one of those minors leaves 64 bits.
bool detBareiss(Square a, int n, i128& det) {
  int sign = 1;
  int64_t prev = 1;
  for (int k = 0; k + 1 < n; ++k) {
    if (a[k][k] == 0) {
      int r = k + 1;
      while (r < n && a[r][k] == 0) ++r;
      if (r == n) {
        det = 0;
        return true;
      }
      for (int c = k; c < n; ++c) std::swap(a[k][c], a[r][c]);
      sign = -sign;
    }
    const exact::ExactDivisor64 div(prev);
    const i128 pivot = a[k][k];
    for (int i = k + 1; i < n; ++i) {
      const i128 f = a[i][k];
      for (int j = k + 1; j < n; ++j) {
        i128 x;
        if (__builtin_sub_overflow(pivot * a[i][j], f * a[k][j], &x)) return false;
        if (!div.divide(x, a[i][j])) return false;
      }
    }
    prev = a[k][k];
  }
  det = sign * static_cast<i128>(a[n - 1][n - 1]);
  return true;
}

// Primes just below 2^62; 13 of them exceed twice the largest Hadamard bound
// of a 12 x 12 matrix of 64-bit entries.
constexpr uint64_t kPrimeBase = uint64_t{1} << 62;
constexpr uint64_t kPrimeOffsets[] = {57, 87, 117, 143, 153, 167, 171, 195, 203, 273, 287, 317, 443, 483};
constexpr int kPrimeCount = sizeof kPrimeOffsets / sizeof kPrimeOffsets[0];

uint64_t mulMod(uint64_t a, uint64_t b, uint64_t p) { return static_cast<uint64_t>(static_cast<u128>(a) * b % p); }

uint64_t invMod(uint64_t a, uint64_t p) {
  int64_t t = 0, newT = 1;
  int64_t r = static_cast<int64_t>(p), newR = static_cast<int64_t>(a);
  while (newR != 0) {
    const int64_t q = r / newR;
    const int64_t nextT = t - q * newT, nextR = r - q * newR;
    t = newT;
    newT = nextT;
    r = newR;
    newR = nextR;
  }
  return static_cast<uint64_t>(t < 0 ? t + static_cast<int64_t>(p) : t);
}

uint64_t detModP(const Square a, int n, uint64_t p) {
  uint64_t m[kMax][kMax];
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const int64_t r = a[i][j] % static_cast<int64_t>(p);
      m[i][j] = static_cast<uint64_t>(r < 0 ? r + static_cast<int64_t>(p) : r);
    }
  uint64_t det = 1;
  for (int k = 0; k < n; ++k) {
    int r = k;
    while (r < n && m[r][k] == 0) ++r;
    if (r == n) return 0;
    if (r != k) {
      for (int c = k; c < n; ++c) std::swap(m[k][c], m[r][c]);
      det = det == 0 ? 0 : p - det;
    }
    det = mulMod(det, m[k][k], p);
    const uint64_t inv = invMod(m[k][k], p);
    for (int i = k + 1; i < n; ++i) {
      if (m[i][k] == 0) continue;
      const uint64_t f = mulMod(m[i][k], inv, p);
      for (int j = k + 1; j < n; ++j) {
        const uint64_t t = mulMod(f, m[k][j], p);
        m[i][j] = m[i][j] >= t ? m[i][j] - t : m[i][j] + p - t;
      }
    }
  }
  return det;
}

// The value below 2^63 + 1 whose residues are r, if there is one (Garner's
// mixed-radix digits beyond the second must vanish).
bool smallFromResidues(const uint64_t* r, const uint64_t* p, int count, u128& value) {
  uint64_t digits[kPrimeCount] = {};
  for (int i = 0; i < count; ++i) {
    // x mod p_i from the digits so far, and the product of the earlier primes.
    uint64_t x = 0, prod = 1;
    for (int l = i - 1; l >= 0; --l) x = (mulMod(x, p[l] % p[i], p[i]) + digits[l] % p[i]) % p[i];
    for (int l = 0; l < i; ++l) prod = mulMod(prod, p[l] % p[i], p[i]);
    const uint64_t diff = r[i] >= x ? r[i] - x : r[i] + p[i] - x;
    digits[i] = mulMod(diff, invMod(prod, p[i]), p[i]);
    if (i >= 2 && digits[i] != 0) return false;
  }
  value = digits[0] + (count > 1 ? static_cast<u128>(digits[1]) * p[0] : 0);
  return value <= (u128(1) << 63);
}

// Exact determinant by residues modulo enough primes; false when it does not fit.
bool detModular(const Square a, int n, int64_t& det) {
  double bits = 0;  // log2 of Hadamard's bound
  for (int i = 0; i < n; ++i) {
    long double sq = 0;
    for (int j = 0; j < n; ++j) sq += static_cast<long double>(a[i][j]) * static_cast<long double>(a[i][j]);
    if (sq == 0) {
      det = 0;
      return true;
    }
    bits += 0.5 * static_cast<double>(std::log2(sq));
  }
  const int count = std::min(kPrimeCount, std::max(2, static_cast<int>(std::ceil((bits + 4) / 61.9))));
  uint64_t p[kPrimeCount], r[kPrimeCount], negR[kPrimeCount];
  for (int i = 0; i < count; ++i) {
    p[i] = kPrimeBase - kPrimeOffsets[i];
    r[i] = detModP(a, n, p[i]);
    negR[i] = r[i] == 0 ? 0 : p[i] - r[i];
  }
  u128 v;
  if (smallFromResidues(r, p, count, v) && v < (u128(1) << 63)) {
    det = static_cast<int64_t>(v);
    return true;
  }
  if (smallFromResidues(negR, p, count, v)) {
    det = static_cast<int64_t>(0 - static_cast<uint64_t>(v));
    return true;
  }
  return false;
}

}  // namespace

int64_t Det(Context& ctx, const Matrix& A) {
  const int n = rowsOf(A);
  if (n == 0) return 0;
  if (n == 1) return A[1][1];
  Square a;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[i][j] = A[i + 1][j + 1];
  i128 det;
  if (detBareiss(a, n, det)) {
    if (exact::fits64(det)) return static_cast<int64_t>(det);
    ctx.overflow = true;
    return 0;
  }
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[i][j] = A[i + 1][j + 1];
  int64_t value;
  if (detModular(a, n, value)) return value;
  ctx.overflow = true;
  return 0;
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
  if (j >= 1 && j <= kMax && n + 1 <= kMax)
    for (int32_t i = 1; i <= n; ++i) B[i][j] = B[i][n + 1];
  B[0][0] = n;
  B[0][1] = n;
}

}  // namespace ar
