#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/diagonal.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

// Rows scaled to the common multiple; where a scaled value does not fit, the
// overflow report and the matrix as it was.
TEST(Vereinheitlichen, ScalesRowsToTheCommonMultiple) {
  struct Case {
    const char* name;
    Rows in, out;
    bool overflow = false;
  };
  const Case cases[] = {
      {"4, 6: lcm 12", {{4, 1}, {1, 6}}, {{12, 3}, {2, 12}}},
      {"2, -3: odd number of negatives", {{2, 0}, {0, -3}}, {{-6, 0}, {0, -6}}},
      {"-2, -3", {{-2, 0}, {0, -3}}, {{6, 0}, {0, 6}}},
      {"zero on the diagonal", {{2, 1, 1}, {1, 0, 1}, {1, 1, 3}}, {{2, 1, 1}, {1, 0, 1}, {1, 1, 3}}},
      {"1 x n unchanged", {{5, 7, -1}}, {{5, 7, -1}}},
      {"2 x 3: the right-hand side is scaled along", {{2, 1, 5}, {1, 3, 7}}, {{6, 3, 15}, {2, 6, 14}}},
      {"3 x 2: row 3 untouched", {{2, 1}, {1, 3}, {5, 5}}, {{6, 3}, {2, 6}, {5, 5}}},
      {"zero entries stay", {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}, {{6, 0, 0}, {0, 6, 0}, {0, 0, 6}}},
      {"lcm beyond 2^53", {{P(53) + 2, 0}, {0, 3}}, {{3 * P(53) + 6, 0}, {0, 3 * P(53) + 6}}},
      {"L = 3 * 2^62", {{P(62), 0}, {0, 3}}, {{P(62), 0}, {0, 3}}, true},
      // L = 3 * 2^40 fits; row 2 times 2^40 does not.
      {"scaled row", {{P(40), 0}, {P(30), 3}}, {{P(40), 0}, {P(30), 3}}, true},
      {"L = 2^64 - 1", {{P(32) - 1, 0}, {0, P(32) + 1}}, {{P(32) - 1, 0}, {0, P(32) + 1}}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = with(make(c.in, 1, 2), 0, 5, 9);
    ar::Vereinheitlichen(ctx, m);
    EXPECT_EQ(m, with(make(c.out, 1, 2), 0, 5, 9));  // the factor 1/2 stays
    EXPECT_EQ(ctx.overflow, c.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(Vereinheitlichen, WorksOnTheWideWorkingArray) {
  ar::WideMatrix w{};
  w[0] = {2, 4};
  w[1] = {0, 2, 0, 1};
  w[2] = {0, 0, 3, 0, 1};
  w[1][20] = 7;  // beyond the header's columns
  ar::RecordingContext ctx;
  ar::Vereinheitlichen(ctx, w);
  EXPECT_EQ(w[1][1], 6);
  EXPECT_EQ(w[1][3], 3);
  EXPECT_EQ(w[2][2], 6);
  EXPECT_EQ(w[2][4], 2);
  EXPECT_EQ(w[1][20], 7);
}

}  // namespace
