#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "arithmetic/determinant.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

Matrix square(const Rows& e) { return make(static_cast<int64_t>(e.size()), static_cast<int64_t>(e.size()), e); }

TEST(Det, SmallMatrices) {
  struct Case {
    const char* name;
    Matrix m;
    int64_t det;
  };
  const Case cases[] = {
      {"1x1", square({{-7}}), -7},
      {"row count 0", make(0, 0, {{5}}), 0},
      {"negative row count", make(-3, 2, {{5}}), 0},
      {"ad - cb", square({{3, 5}, {2, 7}}), 11},
      {"3x3", square({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}), -3},
      {"swap", square({{0, 1}, {1, 0}}), -1},
      {"singular", square({{1, 2}, {2, 4}}), 0},
      {"zero first column", square({{0, 1, 2}, {0, 3, 4}, {0, 5, 6}}), 0},
      {"pivot found below", square({{0, 2, 1}, {0, 1, 3}, {4, 1, 1}}), 20},
      {"factor ignored", make(2, 2, {{3, 5}, {2, 7}}, 1, 2), 11},
      {"2 rows, 3 columns: first two columns", make(2, 3, {{1, 2, 9}, {3, 4, 9}}), -2},
      {"upper triangular", square({{2, 7, -1, 3}, {0, -3, 5, 8}, {0, 0, 5, 1}, {0, 0, 0, 7}}), -210},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, c.m), c.det);
    EXPECT_FALSE(ctx.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

// 2 on the diagonal and 1 elsewhere is I + J, whose determinant is 1 + 12.
TEST(Det, TwelveByTwelve) {
  Matrix m = make(12, 12, {});
  for (int i = 1; i <= 12; ++i)
    for (int j = 1; j <= 12; ++j) m[i][j] = i == j ? 2 : 1;
  ar::RecordingContext ctx;
  EXPECT_EQ(ar::Det(ctx, m), 13);

  // A 12x12 triangular matrix with 2 and -1 on its diagonal.
  Matrix t = make(12, 12, {});
  for (int i = 1; i <= 12; ++i) {
    t[i][i] = i <= 6 ? 2 : -1;
    for (int j = i + 1; j <= 12; ++j) t[i][j] = (i + j) % 7 - 3;
  }
  EXPECT_EQ(ar::Det(ctx, t), 64);
  EXPECT_FALSE(ctx.overflow);
}

// Huge entries can have a small determinant; every 2x2 product below leaves
// 64 bits while the determinant does not.
TEST(Det, HugeEntriesSmallDeterminant) {
  const int64_t x = P(31) + 11, y = P(31) - 5;  // x * y a little above 2^62
  struct Case {
    const char* name;
    Matrix m;
    int64_t det;
  };
  const Case cases[] = {
      {"consecutive", square({{P(62), P(62) - 1}, {P(62) + 1, P(62)}}), 1},
      {"extremes", square({{kMax, kMax - 1}, {kMax - 1, kMax - 2}}), -1},
      {"unimodular 3x3", square({{1 + x * y, x, 0}, {y, 1, 0}, {0, 0, 1}}), 1},
      {"unimodular times 5", square({{1 + x * y, x, 0}, {y, 1, 0}, {0, 0, 5}}), 5},
      // rows (2^62, 2^62) and (2^62 + 2, 2^62 + 1): the difference of two 2^124 terms
      {"difference of huge products", square({{P(62), P(62)}, {P(62) + 2, P(62) + 1}}), -P(62)},
      {"exactly -2^63", square({{-P(62), 0}, {0, 2}}), kMin},
      {"-2^63 behind a huge minor", square({{P(62), P(62)}, {P(62) + 2, P(62)}}), kMin},
      {"2^63 - 1", square({{kMax, 0, 0}, {5, 1, 0}, {P(60), kMin, 1}}), kMax},
      {"all -2^63", square({{kMin, kMin}, {kMin, kMin}}), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, c.m), c.det);
    EXPECT_FALSE(ctx.overflow);
  }
}

TEST(Det, OverflowOnlyWhenTheValueDoesNotFit) {
  const Matrix cases[] = {
      square({{P(62), 0}, {0, 2}}),                      // 2^63
      square({{P(32), 0}, {0, P(32)}}),                  // 2^64
      square({{P(62), P(62)}, {P(62), P(62) + 2}}),      // 2^63 again, through huge minors
      square({{kMin, 1}, {1, kMin}}),                    // 2^126 - 1
  };
  for (const auto& m : cases) {
    ar::RecordingContext ctx;
    ar::Det(ctx, m);
    EXPECT_TRUE(ctx.overflow);
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
    for (int i = 1; i <= 12; ++i) {
      m[i][i] = static_cast<int64_t>(rng() % 5) + 1;
      det *= m[i][i];
    }
    for (int step = 0; step < 60; ++step) {
      const int from = static_cast<int>(rng() % 12) + 1, to = static_cast<int>(rng() % 12) + 1;
      if (from == to) continue;
      const int64_t f = static_cast<int64_t>(rng() % 2001) - 1000;
      Matrix next = m;
      bool fits = true;
      for (int c = 1; c <= 12 && fits; ++c) {
        int64_t prod;
        fits = !__builtin_mul_overflow(f, m[from][c], &prod) && !__builtin_add_overflow(next[to][c], prod, &next[to][c]) &&
               next[to][c] > -P(41) && next[to][c] < P(41);
      }
      if (fits) m = next;
    }
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, m), det) << "round " << round;
    EXPECT_FALSE(ctx.overflow);
  }
}

TEST(Untermatrix, DropsRowJAndColumnOne) {
  const Matrix a = square({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
  struct Case {
    int32_t j;
    Rows minor;
  };
  const Case cases[] = {{1, {{5, 6}, {8, 10}}}, {2, {{2, 3}, {8, 10}}}, {3, {{2, 3}, {5, 6}}}};
  for (const auto& c : cases) {
    Matrix b{};
    b[0][2] = 77;
    ar::Untermatrix(a, c.j, b);
    EXPECT_EQ(b[0][0], 2);
    EXPECT_EQ(b[0][1], 2);
    EXPECT_EQ(b[0][2], 77);  // the factor is not written
    for (int r = 0; r < 2; ++r)
      for (int col = 0; col < 2; ++col) EXPECT_EQ(b[r + 1][col + 1], c.minor[r][col]) << "j=" << c.j;
    EXPECT_EQ(b[3][1], 8);  // row n keeps its copy
  }
  Matrix b{};
  ar::Untermatrix(a, 0, b);  // no row 0 to drop: rows 1.. move up as for j = 1
  EXPECT_EQ(b[1][1], 5);
}

TEST(Cramermatrix, ReplacesOneColumnByTheRightHandSide) {
  const Matrix sys = make(2, 3, {{2, 1, 3}, {4, 3, 7}}, 2, 5);
  struct Case {
    int32_t j;
    Rows m;
  };
  const Case cases[] = {{3, {{2, 1}, {4, 3}}}, {1, {{3, 1}, {7, 3}}}, {2, {{2, 3}, {4, 7}}}};
  Matrix b{};
  for (const auto& c : cases) {
    ar::Cramermatrix(sys, c.j, b);
    EXPECT_EQ(b[0][0], 2);
    EXPECT_EQ(b[0][1], 2);
    EXPECT_EQ(b[0][2], 2);
    EXPECT_EQ(b[0][3], 5);
    for (int r = 0; r < 2; ++r)
      for (int col = 0; col < 2; ++col) EXPECT_EQ(b[r + 1][col + 1], c.m[r][col]) << "j=" << c.j;
    EXPECT_EQ(b[1][3], 3);  // the right-hand side stays outside the matrix
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, b), 2);
  }
}

TEST(Cramermatrix, TwelveRowsHaveNoColumnThirteen) {
  Matrix a = make(12, 12, {});
  for (int i = 1; i <= 12; ++i) a[i][i] = i;
  Matrix b{};
  ar::Cramermatrix(a, 5, b);
  EXPECT_EQ(b[5][5], 5);
  EXPECT_EQ(b[0][0], 12);
  EXPECT_EQ(b[0][1], 12);
}

}  // namespace
