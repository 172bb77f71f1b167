#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/diagonal.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Vereinheitlichen, ScalesRowsToTheCommonMultiple) {
  struct Case {
    const char* name;
    int rows, cols;
    Rows in, out;
  };
  const Case cases[] = {
      {"2, 3 with ones off the diagonal", 2, 2, {{2, 1}, {1, 3}}, {{6, 3}, {2, 6}}},
      {"4, 6: lcm 12", 2, 2, {{4, 1}, {1, 6}}, {{12, 3}, {2, 12}}},
      {"2, -3: odd number of negatives", 2, 2, {{2, 0}, {0, -3}}, {{-6, 0}, {0, -6}}},
      {"-2, -3", 2, 2, {{-2, 0}, {0, -3}}, {{6, 0}, {0, 6}}},
      {"zero on the diagonal", 3, 3, {{2, 1, 1}, {1, 0, 1}, {1, 1, 3}}, {{2, 1, 1}, {1, 0, 1}, {1, 1, 3}}},
      {"1 x n unchanged", 1, 3, {{5, 7, -1}}, {{5, 7, -1}}},
      {"1 x n with a zero lead", 1, 3, {{0, 7, -1}}, {{0, 7, -1}}},
      {"2 x 3: the right-hand side is scaled along", 2, 3, {{2, 1, 5}, {1, 3, 7}}, {{6, 3, 15}, {2, 6, 14}}},
      {"3 x 2: row 3 untouched", 3, 2, {{2, 1}, {1, 3}, {5, 5}}, {{6, 3}, {2, 6}, {5, 5}}},
      {"zero entries stay", 3, 3, {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}, {{6, 0, 0}, {0, 6, 0}, {0, 0, 6}}},
      {"lcm beyond 2^53", 2, 2, {{P(53) + 2, 0}, {0, 3}}, {{3 * P(53) + 6, 0}, {0, 3 * P(53) + 6}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = make(c.rows, c.cols, c.in, 1, 2);
    m[0][5] = 9;
    ar::Vereinheitlichen(ctx, m);
    Matrix expected = make(c.rows, c.cols, c.out, 1, 2);  // the factor 1/2 stays
    expected[0][5] = 9;
    EXPECT_EQ(m, expected);
    EXPECT_FALSE(ctx.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(Vereinheitlichen, WorksOnTheWideWorkingArray) {
  ar::WideMatrix w{};
  w[0][0] = 2;
  w[0][1] = 4;
  w[1][1] = 2;
  w[1][3] = 1;
  w[2][2] = 3;
  w[2][4] = 1;
  w[1][20] = 7;  // beyond the header's columns
  ar::RecordingContext ctx;
  ar::Vereinheitlichen(ctx, w);
  EXPECT_EQ(w[1][1], 6);
  EXPECT_EQ(w[1][3], 3);
  EXPECT_EQ(w[2][2], 6);
  EXPECT_EQ(w[2][4], 2);
  EXPECT_EQ(w[1][20], 7);
}

TEST(Vereinheitlichen, OverflowLeavesTheMatrixAlone) {
  const Matrix cases[] = {
      make(2, 2, {{P(62), 0}, {0, 3}}),      // L = 3 * 2^62
      make(2, 2, {{P(40), 0}, {P(30), 3}}),  // L = 3 * 2^40 fits; row 2 times 2^40 does not
      make(2, 2, {{P(32) - 1, 0}, {0, P(32) + 1}}),  // L = 2^64 - 1
  };
  for (const auto& start : cases) {
    ar::RecordingContext ctx;
    Matrix m = start;
    ar::Vereinheitlichen(ctx, m);
    EXPECT_EQ(m, start);
    EXPECT_TRUE(ctx.overflow);
  }
}

}  // namespace
