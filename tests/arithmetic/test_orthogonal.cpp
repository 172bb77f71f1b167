#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "arithmetic/orthogonal.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Orthnorm, OrthogonalPrimitiveColumns) {
  struct Case {
    const char* name;
    Rows in, out;
    bool overflow = false;  // then the columns from there on stay
  };
  const Case cases[] = {
      {"3x3", {{1, 1, 0}, {1, 0, 1}, {0, 1, 1}}, {{1, 1, -1}, {1, -1, 1}, {0, 2, 1}}},
      {"3-4-5", {{3, 1}, {4, 2}}, {{3, -4}, {4, 3}}},
      {"signs not normalised", {{-2, 1}, {-4, 3}}, {{-1, -2}, {-2, 1}}},
      {"dependent column becomes zero", {{1, 2}, {2, 4}}, {{1, 0}, {2, 0}}},
      {"zero column stays zero", {{2, 0}, {4, 0}}, {{1, 0}, {2, 0}}},
      {"zero first column passed over", {{0, 1}, {0, 1}}, {{0, 1}, {0, 1}}},
      {"more columns than rows", {{1, 0, 1}, {0, 1, 1}}, {{1, 0, 0}, {0, 1, 0}}},
      // P = 2^124 + 1 and the projection 2^62 / P: exact, as no double is.
      {"huge entries", {{P(62), 1}, {1, 0}}, {{P(62), 1}, {1, -P(62)}}},
      {"column of -2^63", {{kMin, 3}, {0, 5}}, {{-1, 0}, {0, 1}}},
      // Column 2 becomes (-2^32, 1, 2^64 + 1), already primitive.
      {"column does not fit", {{1, 0}, {P(32), 1}, {0, 1}}, {{1, 0}, {P(32), 1}, {0, 1}}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    const size_t below = c.in.size() + 1;  // outside the matrix
    Matrix m = with(make(c.in, 1, 3), below, 1, 8);
    ar::Orthnorm(ctx, m);
    EXPECT_EQ(m, with(make(c.out, 1, 3), below, 1, 8));  // the factor 1/3 stays
    EXPECT_EQ(ctx.overflow, c.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(SpalteKuerzen, DividesByTheColumnGcd) {
  const std::tuple<Rows, Rows, bool> cases[] = {
      {{{0}, {0}, {6}, {-9}}, {{0}, {0}, {2}, {-3}}, false}, {{{0}, {-5}, {0}}, {{0}, {-1}, {0}}, false},
      {{{4}, {6}, {9}}, {{4}, {6}, {9}}, false},             {{{kMin}, {0}}, {{-1}, {0}}, false},
      {{{0}, {0}, {0}}, {{0}, {0}, {0}}, true},
  };
  for (const auto& [in, out, isZero] : cases) {
    Matrix m = make(in);
    bool zero = false;
    ar::SpalteKuerzen(m, 1, zero);
    EXPECT_EQ(m, make(out));
    EXPECT_EQ(zero, isZero);
  }
  Matrix m = make({{3}});
  bool zero = true;  // never set back to false
  ar::SpalteKuerzen(m, 1, zero);
  EXPECT_TRUE(zero);
}

TEST(SkalProd, ExactOrOverflow) {
  const std::tuple<Rows, int32_t, int32_t, int64_t, bool> cases[] = {
      {{{1, 4}, {2, 5}, {3, 6}}, 1, 2, 32, false},
      {{{1, 4}, {2, 5}, {3, 6}}, 1, 1, 14, false},
      {{{P(62), 2}, {-P(62), 2}}, 1, 2, 0, false},               // each product 2^63, the sum 0
      {{{P(32), 0}, {P(32), 0}}, 1, 1, 0, true},                  // 2^65
      {{{P(31), 0}, {P(31), 0}}, 1, 1, 0, true},                  // 2^63
      {{{P(31), -P(31)}, {P(31), -P(31)}}, 1, 2, kMin, false},    // -2^63 fits
      {{{kMin, 0}, {kMin, 0}, {kMin, 0}, {kMin, 0}}, 1, 1, 0, true},  // 2^128
      {{{kMin, kMin}, {kMin, kMin}}, 1, 2, 0, true},                  // 2^127
      // 2^127 + (-2^127 + 2^64) - 2^64: beyond 128 bits on the way, 0 at the end
      {{{kMin, kMin}, {kMin, kMin}, {kMin, kMax}, {kMin, kMax}, {-P(32), P(32)}}, 1, 2, 0, false},
  };
  for (const auto& [in, j, k, value, overflow] : cases) {
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::SkalProd(ctx, make(in), j, k), value) << in[0][0] << ", " << j << k;
    EXPECT_EQ(ctx.overflow, overflow) << in[0][0] << ", " << j << k;
    if (j == k) {
      ar::RecordingContext norm;
      EXPECT_EQ(ar::NormQ(norm, make(in), j), value);
      EXPECT_EQ(norm.overflow, overflow);
    }
  }
}

}  // namespace
