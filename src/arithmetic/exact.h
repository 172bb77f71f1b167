#pragma once
// 128-bit helpers for the whole arithmetic: exact magnitudes, greatest
// common divisors, sums that notice leaving 128 bits, exact division by a
// divisor known in advance, and the reduction of a freshly combined row.

#include <cstdint>
#include <utility>

namespace ar::exact {

using i128 = __int128;
using u128 = unsigned __int128;

inline constexpr i128 kMin64 = INT64_MIN;
inline constexpr i128 kMax64 = INT64_MAX;

inline bool fits64(i128 v) { return v >= kMin64 && v <= kMax64; }
inline uint64_t mag64(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }
inline u128 mag128(i128 v) { return v < 0 ? u128(0) - static_cast<u128>(v) : static_cast<u128>(v); }

inline int ctz128(u128 x) {
  const auto lo = static_cast<uint64_t>(x);
  return lo ? __builtin_ctzll(lo) : 64 + __builtin_ctzll(static_cast<uint64_t>(x >> 64));
}

// Binary gcd; gcd(0, x) = x.
inline uint64_t gcd64(uint64_t a, uint64_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = __builtin_ctzll(a | b);
  a >>= __builtin_ctzll(a);
  do {
    b >>= __builtin_ctzll(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a << shift;
}

inline u128 gcd128(u128 a, u128 b) {
  if (a == 0) return b;
  if (b == 0) return a;
  if ((a >> 64) == 0 && (b >> 64) == 0) return gcd64(static_cast<uint64_t>(a), static_cast<uint64_t>(b));
  // One side small: a single remainder brings both below 2^64.
  if ((a >> 64) == 0) std::swap(a, b);
  if ((b >> 64) == 0) return gcd64(static_cast<uint64_t>(b), static_cast<uint64_t>(a % b));
  const int shift = ctz128(a | b);
  a >>= ctz128(a);
  do {
    b >>= ctz128(b);
    if (a > b) std::swap(a, b);
    b -= a;
    if ((b >> 64) == 0 && (a >> 64) == 0)
      return static_cast<u128>(gcd64(static_cast<uint64_t>(a), static_cast<uint64_t>(b))) << shift;
  } while (b != 0);
  return a << shift;
}

// A signed 128-bit sum that remembers how often it wrapped: the true value is
// value + carry * 2^128, so a non-zero carry means it is far outside 64 bits.
struct Sum128 {
  i128 value = 0;
  int carry = 0;
  void add(i128 x) {
    if (__builtin_add_overflow(value, x, &value)) carry += x > 0 ? 1 : -1;
  }
  bool exact() const { return carry == 0; }
};

// Inverses of odd numbers modulo 2^64 and 2^128 (Newton's iteration).
inline uint64_t inverse64(uint64_t odd) {
  uint64_t x = odd;  // right to 3 bits
  for (int i = 0; i < 5; ++i) x *= 2 - odd * x;
  return x;
}
inline u128 inverse128(u128 odd) {
  u128 x = odd;
  for (int i = 0; i < 6; ++i) x *= 2 - odd * x;
  return x;
}

// Division by a fixed non-zero 64-bit divisor d of dividends that d divides
// exactly (the pivots of fraction-free elimination): a shift and one product.
class ExactDivisor64 {
 public:
  explicit ExactDivisor64(int64_t d)
      : neg_(d < 0), mag_(mag64(d)), shift_(__builtin_ctzll(mag_)), inv_(inverse64(mag_ >> shift_)) {}
  // x / d for an x that d divides, where x fits in 64 bits.
  int64_t exact(int64_t x) const {
    const auto q = static_cast<int64_t>(static_cast<uint64_t>(x >> shift_) * inv_);
    return neg_ ? static_cast<int64_t>(0 - static_cast<uint64_t>(q)) : q;
  }
  // x / d when d divides x and the quotient fits in 64 bits; false otherwise.
  bool divide(i128 x, int64_t& q) const {
    // x / d = y / |d|, y = -x for a negative d (negated without overflow).
    const auto y = neg_ ? static_cast<i128>(u128(0) - static_cast<u128>(x)) : x;
    const auto cand = static_cast<int64_t>(static_cast<uint64_t>(y >> shift_) * inv_);
    if (static_cast<i128>(cand) * static_cast<i128>(mag_) != y) return false;
    q = cand;
    return true;
  }

 private:
  bool neg_;
  uint64_t mag_;
  int shift_;
  uint64_t inv_;
};

// Divisibility test and exact quotient for one 128-bit magnitude g > 0.
class ExactDivisor128 {
 public:
  explicit ExactDivisor128(u128 g)
      : shift_(ctz128(g)), inv_(inverse128(g >> shift_)), limit_(~u128(0) / (g >> shift_)) {}
  bool divides(u128 a) const {
    if (shift_ && (a & ((u128(1) << shift_) - 1)) != 0) return false;
    return (a >> shift_) * inv_ <= limit_;
  }
  // a / g for an a that g divides.
  u128 quotient(u128 a) const { return (a >> shift_) * inv_; }

 private:
  int shift_;
  u128 inv_;
  u128 limit_;
};

// The greatest common divisor of the magnitudes of v[0..n), 0 for a zero row.
inline u128 content(const i128* v, int n) {
  u128 g = 0;
  int c = 0;
  for (; c < n && g == 0; ++c) g = mag128(v[c]);
  if (g <= 1) return g;
  ExactDivisor128 div(g);
  for (; c < n; ++c) {
    const u128 a = mag128(v[c]);
    if (a == 0 || div.divides(a)) continue;
    g = gcd128(g, a);
    if (g == 1) return 1;
    div = ExactDivisor128(g);
  }
  return g;
}

// out[c] = v[c] / (gcd of v) for c in 0..n; the signs stay. False when a
// reduced value does not fit in 64 bits (out then holds wrapped values).
inline bool storePrimitive(const i128* v, int n, int64_t* out) {
  const u128 g = content(v, n);
  bool ok = true;
  if (g <= 1) {
    for (int c = 0; c < n; ++c) {
      ok &= fits64(v[c]);
      out[c] = static_cast<int64_t>(v[c]);
    }
    return ok;
  }
  ExactDivisor128 div(g);
  for (int c = 0; c < n; ++c) {
    const u128 q = div.quotient(mag128(v[c]));
    const i128 s = v[c] < 0 ? -static_cast<i128>(q) : static_cast<i128>(q);
    ok &= (q >> 64) == 0 && fits64(s);
    out[c] = static_cast<int64_t>(s);
  }
  return ok;
}

}  // namespace ar::exact
