#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>

#include "arithmetic/determinant.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

// 2 on the diagonal and 1 elsewhere is I + J, whose determinant is 1 + 12.
Matrix twoOnTheDiagonal() {
  Matrix m = make(12, 12, {});
  for (int i = 1; i <= 12; ++i)
    for (int j = 1; j <= 12; ++j) m[i][j] = i == j ? 2 : 1;
  return m;
}

// The exact value; where it does not fit, the overflow report and 0.
TEST(Det, Table) {
  const int64_t x = P(31) + 11, y = P(31) - 5;  // x * y a little above 2^62
  struct Case {
    const char* name;
    Matrix m;
    int64_t det;
    bool overflow = false;
  };
  const Case cases[] = {
      {"1x1", make({{-7}}), -7}, {"row count 0", make(0, 0, {{5}}), 0}, {"negative row count", make(-3, 2, {{5}}), 0},
      {"ad - cb, factor ignored", make({{3, 5}, {2, 7}}, 1, 2), 11},
      {"3x3", make({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}), -3},
      {"swap", make({{0, 1}, {1, 0}}), -1}, {"singular", make({{1, 2}, {2, 4}}), 0},
      {"zero first column", make({{0, 1, 2}, {0, 3, 4}, {0, 5, 6}}), 0},
      {"pivot found below", make({{0, 2, 1}, {0, 1, 3}, {4, 1, 1}}), 20},
      {"2 rows, 3 columns: first two columns", make({{1, 2, 9}, {3, 4, 9}}), -2},
      {"12x12 I + J", twoOnTheDiagonal(), 13},
      // Huge entries can have a small determinant; every 2x2 product below
      // leaves 64 bits while the determinant does not.
      {"consecutive", make({{P(62), P(62) - 1}, {P(62) + 1, P(62)}}), 1},
      {"extremes", make({{kMax, kMax - 1}, {kMax - 1, kMax - 2}}), -1},
      {"unimodular 3x3", make({{1 + x * y, x, 0}, {y, 1, 0}, {0, 0, 1}}), 1},
      {"unimodular times 5", make({{1 + x * y, x, 0}, {y, 1, 0}, {0, 0, 5}}), 5},
      // rows (2^62, 2^62) and (2^62 + 2, 2^62 + 1): the difference of two 2^124 terms
      {"difference of huge products", make({{P(62), P(62)}, {P(62) + 2, P(62) + 1}}), -P(62)},
      {"exactly -2^63", make({{-P(62), 0}, {0, 2}}), kMin},
      {"-2^63 behind a huge minor", make({{P(62), P(62)}, {P(62) + 2, P(62)}}), kMin},
      {"2^63 - 1", make({{kMax, 0, 0}, {5, 1, 0}, {P(60), kMin, 1}}), kMax},
      {"all -2^63", make({{kMin, kMin}, {kMin, kMin}}), 0},
      {"2^63", make({{P(62), 0}, {0, 2}}), 0, true},
      {"2^64", make({{P(32), 0}, {0, P(32)}}), 0, true},
      {"2^63 through huge minors", make({{P(62), P(62)}, {P(62), P(62) + 2}}), 0, true},
      {"2^126 - 1", make({{kMin, 1}, {1, kMin}}), 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, c.m), c.det);
    EXPECT_EQ(ctx.overflow, c.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

// A 12x12 with entries near 2^40 made from diag(d) by adding multiples of
// rows to other rows, so its determinant is the product of d.
TEST(Det, TwelveByTwelveHugeEntriesByUnimodularSteps) {
  std::mt19937_64 rng(7);
  for (int round = 0; round < 20; ++round) {
    Matrix m = make(12, 12, {});
    int64_t det = 1;
    for (int i = 1; i <= 12; ++i) det *= m[i][i] = static_cast<int64_t>(rng() % 5) + 1;
    for (int step = 0; step < 60; ++step) {
      const int from = static_cast<int>(rng() % 12) + 1, to = static_cast<int>(rng() % 12) + 1;
      if (from == to) continue;
      const int64_t f = static_cast<int64_t>(rng() % 2001) - 1000;
      Matrix next = m;
      bool fits = true;  // entries below 2^41, so f * entry stays below 2^51
      for (int c = 1; c <= 12; ++c) fits &= std::abs(next[to][c] += f * m[from][c]) < P(41);
      if (fits) m = next;
    }
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, m), det) << "round " << round;
    EXPECT_FALSE(ctx.overflow);
  }
}

TEST(Untermatrix, DropsRowJAndColumnOne) {
  const Matrix a = make({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
  const Rows minors[] = {{{5, 6}, {8, 10}}, {{5, 6}, {8, 10}}, {{2, 3}, {8, 10}}, {{2, 3}, {5, 6}}};
  for (int32_t j = 0; j <= 3; ++j) {  // no row 0 to drop: rows 1.. move up as for j = 1
    Matrix b = with(Matrix{}, 0, 2, 77);
    ar::Untermatrix(a, j, b);
    // The factor is not written; row n keeps its copy.
    const Matrix minor = with(with(make(minors[j]), 0, 2, 77), 0, 3, 0);
    EXPECT_EQ(b, with(with(minor, 3, 1, 8), 3, 2, 10)) << "j=" << j;
  }
}

TEST(Cramermatrix, ReplacesOneColumnByTheRightHandSide) {
  const Matrix sys = make({{2, 1, 3}, {4, 3, 7}}, 2, 5);
  const Rows expected[] = {{{3, 1}, {7, 3}}, {{2, 3}, {4, 7}}, {{2, 1}, {4, 3}}};
  Matrix b{};
  for (int32_t j : {3, 1, 2}) {
    ar::Cramermatrix(sys, j, b);
    // The right-hand side stays outside the matrix.
    EXPECT_EQ(b, with(with(make(expected[j - 1], 2, 5), 1, 3, 3), 2, 3, 7)) << "j=" << j;
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, b), 2);
  }

  Matrix a = make(12, 12, {});
  for (int i = 1; i <= 12; ++i) a[i][i] = i;
  ar::Cramermatrix(a, 5, b);  // twelve rows have no column thirteen
  EXPECT_EQ(b, a);
}

}  // namespace
