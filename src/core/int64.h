#pragma once
// Signed 64-bit helpers without undefined behaviour. Plain C++, usable from
// the arithmetic without Qt.

#include <cstdint>
#include <limits>

namespace core {

inline constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
inline constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// Checked product: true on overflow; *out holds the wrapped value then.
inline bool mulOverflow(int64_t a, int64_t b, int64_t* out) { return __builtin_mul_overflow(a, b, out); }

// Exact magnitude; |INT64_MIN| = 2^63 fits in uint64_t.
inline uint64_t magnitude(int64_t a) {
  return a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a);
}

// Double to integer, truncated toward zero and saturated at the range ends;
// NaN gives 0. A plain cast of an out-of-range double is undefined.
inline int64_t doubleToInt64(double x) {
  if (x != x) return 0;
  if (x >= 9223372036854775808.0) return kInt64Max;  // 2^63
  if (x <= -9223372036854775808.0) return kInt64Min;
  return static_cast<int64_t>(x);
}

}  // namespace core
