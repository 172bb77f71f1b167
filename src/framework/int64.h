#pragma once
// Signed 64-bit helpers without undefined behaviour: wrapping operations go
// through uint64_t, checked ones report overflow, division never traps.
// Plain C++, usable from the arithmetic without Qt.

#include <cstdint>
#include <limits>

namespace fw {

inline constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
inline constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

inline int64_t wrapAdd(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}
inline int64_t wrapSub(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}
inline int64_t wrapMul(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
}
inline int64_t wrapNeg(int64_t a) { return static_cast<int64_t>(0 - static_cast<uint64_t>(a)); }

// Checked versions: return true on overflow; *out holds the wrapped value then.
inline bool addOverflow(int64_t a, int64_t b, int64_t* out) { return __builtin_add_overflow(a, b, out); }
inline bool subOverflow(int64_t a, int64_t b, int64_t* out) { return __builtin_sub_overflow(a, b, out); }
inline bool mulOverflow(int64_t a, int64_t b, int64_t* out) { return __builtin_mul_overflow(a, b, out); }
inline bool negOverflow(int64_t a, int64_t* out) { return __builtin_sub_overflow(int64_t{0}, a, out); }

// Exact magnitude; |INT64_MIN| = 2^63 fits in uint64_t.
inline uint64_t magnitude(int64_t a) {
  return a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a);
}

// Truncating division that never traps: b = 0 gives 0, INT64_MIN / -1 wraps
// to INT64_MIN. *overflow (if given) is set for the latter.
inline int64_t truncDiv(int64_t a, int64_t b, bool* overflow = nullptr) {
  if (b == 0) return 0;
  if (b == -1) {
    if (a == kInt64Min && overflow) *overflow = true;
    return wrapNeg(a);
  }
  return a / b;
}

// Remainder with the sign of the dividend, never trapping (b = 0 gives 0).
inline int64_t truncMod(int64_t a, int64_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}

// Double to integer by the same rule as text: truncated toward zero,
// saturated at the range ends; NaN gives 0. A plain cast of an
// out-of-range double would be undefined behaviour.
inline int64_t doubleToInt64(double x) {
  if (x != x) return 0;
  if (x >= 9223372036854775808.0) return kInt64Max;  // 2^63
  if (x <= -9223372036854775808.0) return kInt64Min;
  return static_cast<int64_t>(x);
}
inline int32_t doubleToInt32(double x) {
  if (x != x) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(x);
}

}  // namespace fw
