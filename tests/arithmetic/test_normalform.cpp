#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "arithmetic/matrix.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Ggt, Table) {
  const std::array<int64_t, 3> cases[] = {
      {0, 0, 0}, {0, -7, 7}, {-4, 6, 2}, {12, 18, 6}, {1, 0, 1}, {-1, -1, 1},
      {kMax, 7, 7},                        // 2^63 - 1 = 7 * 1317624576693539401
      {9007199254740993, 3, 3},            // 2^53 + 1, not representable as a double
      {9007199254740993, 9007199254740992, 1},
      {kMin, 6, 2}, {kMin, 3, 1}, {kMin, P(40), P(40)}, {kMin, kMax, 1},
      // 2^63 does not fit: the greatest common divisor that fits instead.
      {kMin, 0, P(62)}, {kMin, kMin, P(62)},
  };
  for (auto [a, b, g] : cases) {
    EXPECT_EQ(ar::ggt(a, b), g) << a << ", " << b;
    EXPECT_EQ(ar::ggt(b, a), g) << b << ", " << a;
  }
}

TEST(Klone, CopiesAllCellsAndNothingElse) {
  const Matrix a = with(with(with(make({{1, 2}, {3, 4}}, 3, 4), 3, 3, 9), 12, 12, -5), 0, 12, 7);
  Matrix b = make(5, 5, {{6, 6, 6}}, 8, 8);
  ar::Klone(a, b);
  EXPECT_EQ(b, a);

  ar::WideMatrix w = with(with(ar::WideMatrix{}, 1, 13, 11), 12, 24, 12);
  ar::Klone(a, w);
  for (size_t i = 0; i <= 12; ++i)
    for (size_t j = 0; j <= 12; ++j) EXPECT_EQ(w[i][j], a[i][j]);
  EXPECT_EQ(w[1][13], 11);
  EXPECT_EQ(w[12][24], 12);
}

// The normal form, idempotent; where it does not fit, the overflow report and
// the matrix as it was.
TEST(MKuerzen, NormalFormTable) {
  struct Case {
    const char* name;
    int64_t z, n;
    Rows in, out;
    int64_t zOut, nOut;
    bool overflow = false;
  };
  const Case cases[] = {
      {"gcd into factor", 1, 3, {{2, 4}, {6, 8}}, {{1, 2}, {3, 4}}, 2, 3},
      {"first entry stays negative", 1, 1, {{-2, 4}}, {{-1, 2}}, 2, 1},
      {"numerator made non-negative", -3, 6, {{1, -2}}, {{-1, 2}}, 1, 2},
      {"negative denominator keeps its sign", 1, -2, {{4}}, {{1}}, 2, -1},
      {"both signs negative", -1, -2, {{3}}, {{-1}}, 3, -2},
      {"last entry scanned", 1, 1, {{0, 0}, {0, 6}}, {{0, 0}, {0, 1}}, 6, 1},
      {"zero matrix 4/6", 4, 6, {{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}, 2, 3},
      {"zero 0/5", 0, 5, {{0}}, {{0}}, 0, 1}, {"zero 0/-5", 0, -5, {{0}}, {{0}}, 0, -1},
      {"zero 0/0", 0, 0, {{0}}, {{0}}, 0, 0}, {"zero 5/0", 5, 0, {{0}}, {{0}}, 1, 0},
      {"zero denominator with entries", 2, 0, {{6, -9}}, {{2, -3}}, 1, 0},
      {"negative numerator over 0", -4, 0, {{2}}, {{-1}}, 1, 0},
      {"already normal", 2, 3, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}, 2, 3},
      {"zero numerator, entries still reduced", 0, 7, {{4, 6}}, {{2, 3}}, 0, 1},
      // Exact where double precision is not: 2^53 + 1 = 3 * 3002399751580331.
      {"above 2^53", 1, 1, {{9007199254740993, 3}}, {{3002399751580331, 1}}, 3, 1},
      // Z*m = 2^80 only exists before the reduction by N = 2^60.
      {"wide intermediate", P(40), P(60), {{P(40)}}, {{1}}, P(20), 1},
      {"INT64_MIN entry", 1, 2, {{kMin, 0}}, {{-1, 0}}, P(62), 1},
      {"INT64_MIN denominator", 1, kMin, {{1}}, {{1}}, 1, kMin},
      {"INT64_MIN numerator and denominator", kMin, kMin, {{5}}, {{-1}}, 5, -1},
      {"gcd 2^63 into factor 1", 1, 1, {{kMin}}, {{kMin}}, 1, 1, true},
      {"factor 2^80", P(40), 1, {{P(40), 0}}, {{P(40), 0}}, P(40), 1, true},
      {"entry INT64_MIN negated", -1, 1, {{kMin, 1}}, {{kMin, 1}}, -1, 1, true},
      {"numerator INT64_MIN over 1", kMin, 1, {{1}}, {{1}}, kMin, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    // The rest of the header row and cells outside the size are left alone.
    Matrix m = with(with(make(c.in, c.z, c.n), 0, 7, 42), 5, 9, 13);
    const Matrix expected = with(with(make(c.out, c.zOut, c.nOut), 0, 7, 42), 5, 9, 13);
    ar::MKuerzen(ctx, m);
    EXPECT_EQ(m, expected);
    ar::MKuerzen(ctx, m);
    EXPECT_EQ(m, expected) << "second run";
    EXPECT_EQ(ctx.overflow, c.overflow);
    EXPECT_TRUE(ctx.messages.empty());
  }
}

TEST(MKuerzen, CountsOutsideTheArrayAreClamped) {
  ar::RecordingContext ctx;
  Matrix m = with(make(99, 2, {{2, 4}}), 12, 2, 6);
  ar::MKuerzen(ctx, m);
  EXPECT_EQ(m, with(make(99, 2, {{1, 2}}, 2, 1), 12, 2, 3));

  Matrix neg = make(-5, 3, {{2, 4, 6}}, 4, 6);
  ar::MKuerzen(ctx, neg);
  EXPECT_EQ(neg, make(-5, 3, {{2, 4, 6}}, 2, 3));  // no entries: only the factor
  EXPECT_FALSE(ctx.overflow);
}

TEST(Ganzzahlig, Table) {
  for (double x : {0.0, 2.0, -3.0, 1e300}) EXPECT_TRUE(ar::ganzzahlig(x)) << x;
  for (double x : {2.5, -0.5}) EXPECT_FALSE(ar::ganzzahlig(x)) << x;
}

}  // namespace
