#include "arithmetic/orthogonal.h"

#include <algorithm>
#include <cassert>

#include "arithmetic/exact.h"

namespace ar {
namespace {

using exact::i128;
using exact::u128;

constexpr int kMax = 12;

// A signed integer of up to kLimbs 64-bit limbs, enough for the scale P
// (a product of up to 11 squared lengths of 64-bit columns, < 2^1430) times
// an entry, and for the sum of the projection terms (< 2^1500).
constexpr int kLimbs = 28;

struct Big {
  bool neg = false;
  int n = 0;  // limbs in use; l[n-1] != 0 unless n == 0
  uint64_t l[kLimbs];

  bool isZero() const { return n == 0; }
  void trim() {
    while (n > 0 && l[n - 1] == 0) --n;
    if (n == 0) neg = false;
  }
  static Big of(u128 mag, bool negative) {
    Big b;
    b.l[0] = static_cast<uint64_t>(mag);
    b.l[1] = static_cast<uint64_t>(mag >> 64);
    b.n = 2;
    b.neg = negative;
    b.trim();
    return b;
  }
  static Big of(int64_t v) { return of(exact::mag64(v), v < 0); }
};

int cmpMag(const Big& a, const Big& b) {
  if (a.n != b.n) return a.n < b.n ? -1 : 1;
  for (int i = a.n - 1; i >= 0; --i)
    if (a.l[i] != b.l[i]) return a.l[i] < b.l[i] ? -1 : 1;
  return 0;
}

// |a| += |b|
void addMag(Big& a, const Big& b) {
  const int n = std::max(a.n, b.n);
  assert(n < kLimbs);
  u128 carry = 0;
  for (int i = 0; i < n; ++i) {
    carry += static_cast<u128>(i < a.n ? a.l[i] : 0) + (i < b.n ? b.l[i] : 0);
    a.l[i] = static_cast<uint64_t>(carry);
    carry >>= 64;
  }
  a.n = n;
  if (carry) a.l[a.n++] = static_cast<uint64_t>(carry);
}

// |a| -= |b| for |a| >= |b|
void subMag(Big& a, const Big& b) {
  uint64_t borrow = 0;
  for (int i = 0; i < a.n; ++i) {
    const uint64_t bi = i < b.n ? b.l[i] : 0;
    const uint64_t d = a.l[i] - bi - borrow;
    borrow = (a.l[i] < bi || (a.l[i] == bi && borrow)) ? 1 : 0;
    a.l[i] = d;
  }
  a.trim();
}

// a += b (signed)
void add(Big& a, const Big& b) {
  if (b.isZero()) return;
  if (a.isZero()) {
    a = b;
    return;
  }
  if (a.neg == b.neg) {
    addMag(a, b);
  } else if (cmpMag(a, b) >= 0) {
    subMag(a, b);
  } else {
    Big t = b;
    subMag(t, a);
    a = t;
  }
}

Big mul(const Big& a, const Big& b) {
  Big r;
  if (a.isZero() || b.isZero()) return r;
  const int n = a.n + b.n;
  assert(n <= kLimbs);
  std::fill(r.l, r.l + n, 0);
  for (int i = 0; i < a.n; ++i) {
    u128 carry = 0;
    for (int j = 0; j < b.n; ++j) {
      carry += static_cast<u128>(a.l[i]) * b.l[j] + r.l[i + j];
      r.l[i + j] = static_cast<uint64_t>(carry);
      carry >>= 64;
    }
    r.l[i + b.n] = static_cast<uint64_t>(carry);
  }
  r.n = n;
  r.neg = a.neg != b.neg;
  r.trim();
  return r;
}

Big mul(const Big& a, int64_t y) { return mul(a, Big::of(y)); }

int ctz(const Big& a) {
  int i = 0;
  while (a.l[i] == 0) ++i;
  return 64 * i + __builtin_ctzll(a.l[i]);
}

void shiftRight(Big& a, int bits) {
  const int limbs = bits / 64, r = bits % 64;
  if (limbs >= a.n) {
    a = Big();
    return;
  }
  for (int i = 0; i + limbs < a.n; ++i) {
    uint64_t v = a.l[i + limbs] >> r;
    if (r && i + limbs + 1 < a.n) v |= a.l[i + limbs + 1] << (64 - r);
    a.l[i] = v;
  }
  a.n -= limbs;
  a.trim();
}

void shiftLeft(Big& a, int bits) {
  if (a.isZero()) return;
  const int limbs = bits / 64, r = bits % 64;
  const int n = a.n + limbs + 1;
  assert(n <= kLimbs);
  for (int i = n - 1; i >= 0; --i) {
    const int src = i - limbs;
    uint64_t v = 0;
    if (src >= 0 && src < a.n) v = a.l[src] << r;
    if (r && src - 1 >= 0 && src - 1 < a.n) v |= a.l[src - 1] >> (64 - r);
    a.l[i] = v;
  }
  a.n = n;
  a.trim();
}

// gcd of two non-zero magnitudes (binary: as many steps as the cofactors have bits).
Big gcdMag(Big a, Big b) {
  a.neg = b.neg = false;
  const int shift = std::min(ctz(a), ctz(b));
  shiftRight(a, ctz(a));
  for (;;) {
    shiftRight(b, ctz(b));
    if (cmpMag(a, b) > 0) std::swap(a, b);
    subMag(b, a);
    if (b.isZero()) break;
  }
  shiftLeft(a, shift);
  return a;
}

// |v| / g when that quotient is below 2^64 and g divides v; false otherwise.
bool smallQuotient(const Big& v, const Big& g, int gShift, uint64_t gInv, uint64_t& q) {
  if (v.isZero()) {
    q = 0;
    return true;
  }
  if (ctz(v) < gShift) return false;
  Big t = v;
  shiftRight(t, gShift);
  q = t.l[0] * gInv;
  Big back = mul(g, Big::of(static_cast<u128>(q), false));
  return cmpMag(back, v) == 0;
}

int bitLength(const Big& a) { return a.n == 0 ? 0 : 64 * a.n - __builtin_clzll(a.l[a.n - 1]); }

// Column out := v / gcd(v) with v's signs; false when an entry does not fit.
bool primitiveColumn(const Big* v, int rows, int64_t* out) {
  Big g;
  int first = -1;
  for (int i = 0; i < rows; ++i) {
    if (v[i].isZero()) continue;
    if (g.isZero()) {
      g = v[i];
      g.neg = false;
      first = i;
      continue;
    }
    if (g.n == 1 && g.l[0] == 1) break;
    uint64_t q;
    const int s = ctz(g);
    Big odd = g;
    shiftRight(odd, s);
    if (smallQuotient(v[i], g, s, exact::inverse64(odd.l[0]), q)) continue;
    g = gcdMag(g, v[i]);
    // The final divisor divides g: once v[first] / g reaches 2^64 it cannot fit.
    if (bitLength(v[first]) - bitLength(g) > 64) return false;
  }
  if (g.isZero()) {
    std::fill(out, out + rows, 0);
    return true;
  }
  const int s = ctz(g);
  Big odd = g;
  shiftRight(odd, s);
  const uint64_t inv = exact::inverse64(odd.l[0]);
  for (int i = 0; i < rows; ++i) {
    uint64_t q;
    if (!smallQuotient(v[i], g, s, inv, q)) return false;
    if (v[i].neg ? q > (uint64_t{1} << 63) : q > static_cast<uint64_t>(INT64_MAX)) return false;
    out[i] = static_cast<int64_t>(v[i].neg ? 0 - q : q);
  }
  return true;
}

// Sum of M(i,j) * M(i,k) exactly (at most 12 products: below 2^130).
Big dot(const Matrix& M, int rows, int j, int k) {
  i128 lo = 0;
  int64_t wraps = 0;  // multiples of 2^128 lost by lo
  for (int i = 1; i <= rows; ++i) {
    const i128 p = static_cast<i128>(M[i][j]) * M[i][k];
    if (__builtin_add_overflow(lo, p, &lo)) wraps += p > 0 ? 1 : -1;
  }
  Big r = Big::of(exact::mag128(lo), lo < 0);
  if (wraps != 0) {
    Big w = Big::of(wraps);
    shiftLeft(w, 128);
    add(r, w);
  }
  return r;
}

}  // namespace

int64_t SkalProd(Context& ctx, const Matrix& M, int32_t j, int32_t k) {
  if (j < 0 || j > kMax || k < 0 || k > kMax) return 0;
  exact::Sum128 sum;  // twelve products of 2^126 leave 128 bits
  for (int32_t i = 1; i <= rowsOf(M); ++i) sum.add(static_cast<i128>(M[i][j]) * M[i][k]);
  if (sum.exact() && exact::fits64(sum.value)) return static_cast<int64_t>(sum.value);
  ctx.overflow = true;
  return 0;
}

int64_t NormQ(Context& ctx, const Matrix& M, int32_t j) { return SkalProd(ctx, M, j, j); }

void SpalteKuerzen(Matrix& M, int32_t k, bool& null) {
  if (k < 0 || k > kMax) return;
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
  Big norm[kMax + 1];  // squared lengths of the finished columns
  int earlier[kMax], count = 0;  // finished non-zero columns
  Big v[kMax];
  for (int k = 1; k <= cols; ++k) {
    // v = P * a - sum_j (P / n_j) <c_j, a> c_j, P the product of the n_j:
    // the residual of column a scaled by P, as integers.
    Big P = Big::of(1);
    for (int t = 0; t < count; ++t) P = mul(P, norm[earlier[t]]);
    for (int i = 0; i < rows; ++i) v[i] = mul(P, M[i + 1][k]);
    for (int t = 0; t < count; ++t) {
      const int j = earlier[t];
      Big coef = dot(M, rows, j, k);
      if (coef.isZero()) continue;
      coef.neg = !coef.neg;
      for (int u = 0; u < count; ++u)
        if (u != t) coef = mul(coef, norm[earlier[u]]);
      for (int i = 0; i < rows; ++i)
        if (M[i + 1][j] != 0) add(v[i], mul(coef, M[i + 1][j]));
    }
    int64_t column[kMax];
    if (!primitiveColumn(v, rows, column)) {
      ctx.overflow = true;
      return;
    }
    for (int i = 0; i < rows; ++i) M[i + 1][k] = column[i];
    norm[k] = dot(M, rows, k, k);
    if (!norm[k].isZero()) earlier[count++] = k;
  }
}

}  // namespace ar
