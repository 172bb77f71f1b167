#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/orthogonal.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Orthnorm, OrthogonalPrimitiveColumns) {
  struct Case {
    const char* name;
    int rows, cols;
    Rows in, out;
  };
  const Case cases[] = {
      {"2x2", 2, 2, {{1, 1}, {1, 0}}, {{1, 1}, {1, -1}}},
      {"3x3", 3, 3, {{1, 1, 0}, {1, 0, 1}, {0, 1, 1}}, {{1, 1, -1}, {1, -1, 1}, {0, 2, 1}}},
      {"3-4-5", 2, 2, {{3, 1}, {4, 2}}, {{3, -4}, {4, 3}}},
      {"signs not normalised", 2, 2, {{-2, 1}, {-4, 3}}, {{-1, -2}, {-2, 1}}},
      {"dependent column becomes zero", 2, 2, {{1, 2}, {2, 4}}, {{1, 0}, {2, 0}}},
      {"zero column stays zero", 2, 2, {{2, 0}, {4, 0}}, {{1, 0}, {2, 0}}},
      {"zero first column passed over", 2, 2, {{0, 1}, {0, 1}}, {{0, 1}, {0, 1}}},
      {"more columns than rows", 2, 3, {{1, 0, 1}, {0, 1, 1}}, {{1, 0, 0}, {0, 1, 0}}},
      // P = 2^124 + 1 and the projection 2^62 / P: exact, as no double is.
      {"huge entries", 2, 2, {{P(62), 1}, {1, 0}}, {{P(62), 1}, {1, -P(62)}}},
      {"column of -2^63", 2, 2, {{INT64_MIN, 3}, {0, 5}}, {{-1, 0}, {0, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = make(c.rows, c.cols, c.in, 1, 3);
    m[c.rows + 1][1] = 8;  // outside the matrix
    ar::Orthnorm(ctx, m);
    Matrix expected = make(c.rows, c.cols, c.out, 1, 3);  // the factor 1/3 stays
    expected[c.rows + 1][1] = 8;
    EXPECT_EQ(m, expected);
    EXPECT_FALSE(ctx.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(Orthnorm, OverflowWhenAColumnDoesNotFit) {
  // Column 2 becomes (-2^32, 1, 2^64 + 1), already primitive.
  ar::RecordingContext ctx;
  const Matrix start = make(3, 2, {{1, 0}, {P(32), 1}, {0, 1}});
  Matrix m = start;
  ar::Orthnorm(ctx, m);
  EXPECT_TRUE(ctx.overflow);
  EXPECT_EQ(m, start);  // column 1 was primitive already; column 2 stays as it was
}

TEST(SpalteKuerzen, DividesByTheColumnGcd) {
  struct Case {
    Rows in, out;
    bool zero;
  };
  const Case cases[] = {
      {{{0}, {0}, {6}, {-9}}, {{0}, {0}, {2}, {-3}}, false},
      {{{0}, {-5}, {0}}, {{0}, {-1}, {0}}, false},
      {{{4}, {6}, {9}}, {{4}, {6}, {9}}, false},
      {{{INT64_MIN}, {0}}, {{-1}, {0}}, false},
      {{{0}, {0}, {0}}, {{0}, {0}, {0}}, true},
  };
  for (const auto& c : cases) {
    Matrix m = make(static_cast<int64_t>(c.in.size()), 1, c.in);
    bool zero = false;
    ar::SpalteKuerzen(m, 1, zero);
    EXPECT_EQ(m, make(static_cast<int64_t>(c.in.size()), 1, c.out));
    EXPECT_EQ(zero, c.zero);
  }
  Matrix m = make(1, 1, {{3}});
  bool zero = true;  // never set back to false
  ar::SpalteKuerzen(m, 1, zero);
  EXPECT_TRUE(zero);
}

TEST(SkalProd, ExactOrOverflow) {
  struct Case {
    Rows in;
    int32_t j, k;
    int64_t value;
    bool overflow;
  };
  const Case cases[] = {
      {{{1, 4}, {2, 5}, {3, 6}}, 1, 2, 32, false},
      {{{1, 4}, {2, 5}, {3, 6}}, 1, 1, 14, false},
      {{{P(62), 2}, {-P(62), 2}}, 1, 2, 0, false},  // each product 2^63, the sum 0
      {{{P(32), 0}, {P(32), 0}}, 1, 1, 0, true},     // 2^65
      {{{P(31), 0}, {P(31), 0}}, 1, 1, 0, true},                       // 2^63
      {{{P(31), -P(31)}, {P(31), -P(31)}}, 1, 2, INT64_MIN, false},     // -2^63 fits
      {{{INT64_MIN, 0}, {INT64_MIN, 0}, {INT64_MIN, 0}, {INT64_MIN, 0}}, 1, 1, 0, true},  // 2^128
      {{{INT64_MIN, INT64_MIN}, {INT64_MIN, INT64_MIN}}, 1, 2, 0, true},                  // 2^127
      // 2^127 + (-2^127 + 2^64) - 2^64: beyond 128 bits on the way, 0 at the end
      {{{INT64_MIN, INT64_MIN}, {INT64_MIN, INT64_MIN}, {INT64_MIN, INT64_MAX}, {INT64_MIN, INT64_MAX}, {-P(32), P(32)}},
       1, 2, 0, false},
  };
  for (const auto& c : cases) {
    ar::RecordingContext ctx;
    const Matrix m = make(static_cast<int64_t>(c.in.size()), 2, c.in);
    EXPECT_EQ(ar::SkalProd(ctx, m, c.j, c.k), c.value);
    EXPECT_EQ(ctx.overflow, c.overflow);
  }
  ar::RecordingContext ctx;
  const Matrix m = make(3, 2, {{1, 4}, {2, 5}, {3, 6}});
  EXPECT_EQ(ar::NormQ(ctx, m, 2), 77);
}

}  // namespace
