#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/inverse.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

// Inverses worked by hand: integer entries d * S^-1 (d the least common
// denominator) with factor N / (Z * d), not reduced to normal form. The
// row-by-row elimination gives the very same results.
TEST(Invertieren, ExactInverses) {
  struct Case {
    const char* name;
    Rows in;
    int64_t z, n;
    Rows out;
    int64_t outZ, outN;
  };
  const Case cases[] = {
      {"2x2", {{1, 2}, {3, 4}}, 1, 1, {{-4, 2}, {3, -1}}, 1, 2},
      {"3x3 tridiagonal", {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}}, 1, 1, {{11, -4, 1}, {-4, 8, -2}, {1, -2, 5}}, 1, 18},
      {"pivot by exchange", {{0, 1}, {1, 0}}, 2, 3, {{0, 1}, {1, 0}}, 3, 2},
      {"diagonal 4, 6", {{4, 0}, {0, 6}}, 1, 1, {{3, 0}, {0, 2}}, 1, 12},
      {"2I with factor 3/5", {{2, 0}, {0, 2}}, 3, 5, {{1, 0}, {0, 1}}, 5, 6},
      {"negative numerator goes below", {{1, 2}, {3, 4}}, -2, 3, {{-4, 2}, {3, -1}}, 3, -4},
      {"1x1", {{3}}, 1, 1, {{1}}, 1, 3},
      {"1x1 negative", {{-3}}, 1, 1, {{-1}}, 1, 3},
      {"factor 0/1 gives a zero denominator", {{1, 0}, {0, 1}}, 0, 1, {{1, 0}, {0, 1}}, 1, 0},
      // g = ggt(0, 0) = 0: the factor stays 0/0 instead of a division by zero.
      {"factor 0/0", {{1, 2}, {3, 4}}, 0, 0, {{-4, 2}, {3, -1}}, 0, 0},
      {"negative denominator stays above", {{2}}, 1, -3, {{1}}, -3, 2},
      {"det -1", {{2, 3}, {1, 1}}, 1, 1, {{-1, 3}, {1, -2}}, 1, 1},
      // Its minors reach 2^80: only the reduced rows stay within 64 bits.
      {"huge diagonal", {{P(40), 0, 0}, {0, P(40), 0}, {0, 0, 3}}, 1, 1, {{3, 0, 0}, {0, 3, 0}, {0, 0, P(40)}}, 1,
       3 * P(40)},
      {"huge unimodular", {{1 + (P(31) + 1) * (P(31) - 1), P(31) + 1}, {P(31) - 1, 1}}, 1, 1,
       {{1, -(P(31) + 1)}, {-(P(31) - 1), 1 + (P(31) + 1) * (P(31) - 1)}}, 1, 1},
      // The least denominator 35 * 2^58 leaves 64 bits; the factor takes half of it.
      {"denominator beyond 64 bits, factor within", {{0, -5 * P(58)}, {-7, 0}}, 1, -2, {{0, -5 * P(58)}, {-7, 0}},
       -1, 5044031582654955520},
      {"diag(2^62, 3) over 2", {{P(62), 0}, {0, 3}}, 1, 2, {{3, 0}, {0, P(62)}}, 1, 3 * P(61)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Matrix expected = make(c.out, c.outZ, c.outN);
    ar::RecordingContext ctx;
    Matrix r = with(with(Matrix{}, 12, 12, 99), 1, 10, 98);  // cells outside the result stay
    bool failed = false;
    ar::Invertieren(ctx, make(c.in, c.z, c.n), r, failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(r, with(with(expected, 12, 12, 99), 1, 10, 98));
    expectQuiet(ctx);
  }
}

// Singular or not square: one message, the flag, and a copy of S. A result
// that does not fit: the overflow report and R as it was.
TEST(Invertieren, FailuresAndOverflow) {
  struct Case {
    const char* name;
    Matrix s;
    bool overflow = false;
  };
  const Case cases[] = {
      {"singular in column 2", with(with(make({{1, 2}, {2, 4}}, 3, 7), 9, 9, 5), 0, 7, 4)},
      {"exchange, then no pivot in column 3", make({{1, 2, 3}, {2, 4, 6}, {1, 0, 1}})},
      {"not square", make({{1, 0, 0}, {0, 1, 0}})},
      {"zero matrix", make(3, 3, {})},
      {"no rows", make(0, 0, {})},
      {"header beyond the array", make(13, 13, {{1}})},
      // Row 3 = row 1 - row 2; eliminating column 1 already needs 2^126.
      {"singular with huge entries", make({{kMax, 1, 1}, {1, kMax, 1}, {kMax - 1, 1 - kMax, 0}})},
      // inverse (1/2^66) [[2^33, -1], [0, 2^33]]: the denominator leaves 64 bits
      {"denominator overflows", make({{P(33), 1}, {0, P(33)}}), true},
      {"factor 1/(3 * 2^62) overflows", make({{3}}, P(62), 1), true},
  };
  const Messages singular = {{"Die Matrix ist nicht regulaer", fw::kMsgCautionOkCancel}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix r = make({{42}});
    bool failed = false;
    ar::Invertieren(ctx, c.s, r, failed);
    EXPECT_EQ(failed, !c.overflow);
    EXPECT_EQ(r, c.overflow ? make({{42}}) : c.s);
    EXPECT_EQ(ctx.messages, c.overflow ? Messages{} : singular);
    EXPECT_EQ(ctx.overflow, c.overflow);
  }
  ar::RecordingContext ctx;
  Matrix r = make({{42}});

  bool failed = true;  // never set back to false
  ar::Invertieren(ctx, make({{2}}), r, failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(r, make({{1}}, 1, 2));
}

}  // namespace
