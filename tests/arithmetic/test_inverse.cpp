#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/inverse.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

struct InverseCase {
  const char* name;
  Rows in;
  int64_t z, n;
  Rows out;
  int64_t outZ, outN;
};

// Inverses worked by hand: integer entries d * S^-1 (d the least common
// denominator) with factor N / (Z * d), not reduced to normal form.
const InverseCase kInverses[] = {
    {"2x2", {{1, 2}, {3, 4}}, 1, 1, {{-4, 2}, {3, -1}}, 1, 2},
    {"3x3 tridiagonal", {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}}, 1, 1, {{11, -4, 1}, {-4, 8, -2}, {1, -2, 5}}, 1, 18},
    {"pivot by exchange", {{0, 1}, {1, 0}}, 2, 3, {{0, 1}, {1, 0}}, 3, 2},
    {"diagonal 4, 6", {{4, 0}, {0, 6}}, 1, 1, {{3, 0}, {0, 2}}, 1, 12},
    {"2I with factor 3/5", {{2, 0}, {0, 2}}, 3, 5, {{1, 0}, {0, 1}}, 5, 6},
    {"negative numerator goes below", {{1, 2}, {3, 4}}, -2, 3, {{-4, 2}, {3, -1}}, 3, -4},
    {"1x1", {{3}}, 1, 1, {{1}}, 1, 3},
    {"1x1 negative", {{-3}}, 1, 1, {{-1}}, 1, 3},
    {"factor 0/1 gives a zero denominator", {{1, 0}, {0, 1}}, 0, 1, {{1, 0}, {0, 1}}, 1, 0},
    {"negative denominator stays above", {{2}}, 1, -3, {{1}}, -3, 2},
    {"det -1", {{2, 3}, {1, 1}}, 1, 1, {{-1, 3}, {1, -2}}, 1, 1},
    // Its minors reach 2^80: only the reduced rows stay within 64 bits.
    {"huge diagonal", {{P(40), 0, 0}, {0, P(40), 0}, {0, 0, 3}}, 1, 1, {{3, 0, 0}, {0, 3, 0}, {0, 0, P(40)}}, 1, 3 * P(40)},
    {"huge unimodular", {{1 + (P(31) + 1) * (P(31) - 1), P(31) + 1}, {P(31) - 1, 1}}, 1, 1,
     {{1, -(P(31) + 1)}, {-(P(31) - 1), 1 + (P(31) + 1) * (P(31) - 1)}}, 1, 1},
};

TEST(Invertieren, ExactInverses) {
  for (const auto& c : kInverses) {
    SCOPED_TRACE(c.name);
    const auto n = static_cast<int64_t>(c.in.size());
    ar::RecordingContext ctx;
    Matrix r{};
    r[5][5] = 99;
    r[1][10] = 98;
    bool failed = false;
    ar::Invertieren(ctx, make(n, n, c.in, c.z, c.n), r, failed);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(ctx.overflow);
    EXPECT_TRUE(ctx.messages.empty());
    Matrix expected = make(n, n, c.out, c.outZ, c.outN);
    if (n < 5) expected[5][5] = 99;  // cells outside the result stay
    expected[1][10] = 98;
    EXPECT_EQ(r, expected);
  }
}

// The row-by-row elimination gives the very same results.
TEST(Invertieren, StepwiseEliminationAgrees) {
  for (const auto& c : kInverses) {
    SCOPED_TRACE(c.name);
    const auto n = static_cast<int64_t>(c.in.size());
    ar::RecordingContext ctx;
    Matrix r{};
    EXPECT_TRUE(ar::detail::InvertierenSchrittweise(ctx, make(n, n, c.in, c.z, c.n), r));
    EXPECT_EQ(r, make(n, n, c.out, c.outZ, c.outN));
    EXPECT_FALSE(ctx.overflow);
  }
}

TEST(Invertieren, FailureShowsOneMessageSetsTheFlagAndCopies) {
  struct Case {
    const char* name;
    Matrix s;
  };
  Matrix withCells = make(2, 2, {{1, 2}, {2, 4}}, 3, 7);
  withCells[9][9] = 5;
  withCells[0][7] = 4;
  const Case cases[] = {
      {"singular in column 2", withCells},
      {"exchange, then no pivot in column 3", make(3, 3, {{1, 2, 3}, {2, 4, 6}, {1, 0, 1}})},
      {"not square", make(2, 3, {{1, 0, 0}, {0, 1, 0}})},
      {"zero matrix", make(3, 3, {})},
      {"no rows", make(0, 0, {})},
      {"header beyond the array", make(13, 13, {{1}})},
      // Row 3 = row 1 - row 2; eliminating column 1 already needs 2^126.
      {"singular with huge entries", make(3, 3, {{INT64_MAX, 1, 1}, {1, INT64_MAX, 1}, {INT64_MAX - 1, 1 - INT64_MAX, 0}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix r = make(1, 1, {{42}});
    bool failed = false;
    ar::Invertieren(ctx, c.s, r, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(r, c.s);
    ASSERT_EQ(ctx.messages.size(), 1u);
    EXPECT_EQ(ctx.messages[0].first, "Die Matrix ist nicht regulaer");
    EXPECT_EQ(ctx.messages[0].second, ar::kCautionOkCancelBox);
    EXPECT_FALSE(ctx.overflow);
  }
}

TEST(Invertieren, FlagIsNeverCleared) {
  ar::RecordingContext ctx;
  Matrix r{};
  bool failed = true;
  ar::Invertieren(ctx, make(1, 1, {{2}}), r, failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(r, make(1, 1, {{1}}, 1, 2));
}

// With factor 0/0, g = ggt(0, 0) = 0: the factor stays 0/0 instead of a
// division by zero, and the display reports the zero denominator.
TEST(Invertieren, FactorZeroOverZero) {
  ar::RecordingContext ctx;
  Matrix r{};
  bool failed = false;
  ar::Invertieren(ctx, make(2, 2, {{1, 2}, {3, 4}}, 0, 0), r, failed);
  EXPECT_FALSE(failed);
  EXPECT_EQ(r, make(2, 2, {{-4, 2}, {3, -1}}, 0, 0));
  EXPECT_FALSE(ctx.overflow);
}

TEST(Invertieren, OverflowWhenTheResultDoesNotFit) {
  struct Case {
    const char* name;
    Matrix s;
  };
  const Case cases[] = {
      // inverse (1/2^66) [[2^33, -1], [0, 2^33]]: the denominator leaves 64 bits
      {"denominator", make(2, 2, {{P(33), 1}, {0, P(33)}})},
      // entry 1 with factor 1/(3 * 2^62)
      {"factor", make(1, 1, {{3}}, P(62), 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix r = make(1, 1, {{42}});
    const Matrix before = r;
    bool failed = false;
    ar::Invertieren(ctx, c.s, r, failed);
    EXPECT_TRUE(ctx.overflow);
    EXPECT_FALSE(failed);
    EXPECT_EQ(r, before);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(Invertieren, SingularByStepwiseElimination) {
  ar::RecordingContext ctx;
  Matrix r = make(1, 1, {{42}});
  EXPECT_FALSE(ar::detail::InvertierenSchrittweise(ctx, make(2, 2, {{P(50), P(51)}, {3, 6}}), r));
  EXPECT_EQ(r, make(1, 1, {{42}}));
}

}  // namespace
