#pragma once
// Matrices for the arithmetic tests, written as header values and rows.

#include <cstdint>
#include <limits>
#include <vector>

#include "arithmetic/matrix.h"

namespace test {

using ar::Matrix;
using Rows = std::vector<std::vector<int64_t>>;

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

}  // namespace test
