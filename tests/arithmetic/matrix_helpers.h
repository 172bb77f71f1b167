#pragma once
// Matrices for the arithmetic tests, written as header values and rows, and
// the checks every arithmetic test shares.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "arithmetic/matrix.h"

namespace test {

using ar::Matrix;
using Rows = std::vector<std::vector<int64_t>>;
using Messages = std::vector<std::pair<std::string, int>>;

inline constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
inline constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t P(int e) { return int64_t{1} << e; }

// rows x cols with factor z/n; the entries row by row, every other cell 0.
inline Matrix make(int64_t rows, int64_t cols, const Rows& e, int64_t z = 1, int64_t n = 1) {
  Matrix m{};
  m[0][0] = rows;
  m[0][1] = cols;
  m[0][2] = z;
  m[0][3] = n;
  for (size_t i = 0; i < e.size(); ++i)
    for (size_t j = 0; j < e[i].size(); ++j) m[i + 1][j + 1] = e[i][j];
  return m;
}
// Size taken from the rows.
inline Matrix make(const Rows& e, int64_t z = 1, int64_t n = 1) {
  return make(static_cast<int64_t>(e.size()), static_cast<int64_t>(e.empty() ? 0 : e[0].size()), e, z, n);
}
inline Matrix identity(int64_t n) {
  Matrix m = make(n, n, {});
  for (int64_t i = 1; i <= n; ++i) m[i][i] = 1;
  return m;
}
// m with one more cell set, for cells an operation must leave alone.
template <class M>
M with(M m, size_t i, size_t j, int64_t v) {
  m[i][j] = v;
  return m;
}

// Nothing reported: no overflow, no format error, no message.
inline void expectQuiet(const ar::RecordingContext& ctx) {
  EXPECT_FALSE(ctx.overflow);
  EXPECT_FALSE(ctx.Formelfehler);
  EXPECT_EQ(ctx.messages, Messages{});
}

}  // namespace test
