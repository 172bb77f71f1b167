#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/matrix.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Ggt, Table) {
  struct Case {
    int64_t a, b, expected;
  };
  const Case cases[] = {
      {0, 0, 0},
      {0, -7, 7},
      {-7, 0, 7},
      {-4, 6, 2},
      {6, -4, 2},
      {12, 18, 6},
      {1, 0, 1},
      {-1, -1, 1},
      {kMax, 7, 7},                        // 2^63 - 1 = 7 * 1317624576693539401
      {9007199254740993, 3, 3},            // 2^53 + 1, not representable as a double
      {9007199254740993, 9007199254740992, 1},
      {kMin, 6, 2},
      {kMin, 3, 1},
      {kMin, P(40), P(40)},
      {kMin, kMax, 1},
      // 2^63 does not fit: the greatest common divisor that fits instead.
      {kMin, 0, P(62)},
      {0, kMin, P(62)},
      {kMin, kMin, P(62)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ar::ggt(c.a, c.b), c.expected) << c.a << ", " << c.b;
    EXPECT_EQ(ar::ggt(c.b, c.a), c.expected) << c.b << ", " << c.a;
  }
}

TEST(Fehler, ShowsOnePlainBoxWithTheProcedureName) {
  ar::RecordingContext ctx;
  ar::Fehler(ctx, "Kehrwert");
  ASSERT_EQ(ctx.messages.size(), 1u);
  EXPECT_EQ(ctx.messages[0].first, "In der Prozedur Kehrwert ist ein Fehler aufgetreten");
  EXPECT_EQ(ctx.messages[0].second, ar::kPlainBox);
  EXPECT_FALSE(ctx.Formelfehler);
}

TEST(Klone, CopiesAllCellsAndNothingElse) {
  Matrix a = make(2, 2, {{1, 2}, {3, 4}}, 3, 4);
  a[3][3] = 9;
  a[12][12] = -5;
  a[0][12] = 7;
  Matrix b = make(5, 5, {{6, 6, 6}}, 8, 8);
  ar::Klone(a, b);
  EXPECT_EQ(b, a);

  ar::WideMatrix w{};
  w[1][13] = 11;
  w[12][24] = 12;
  ar::Klone(a, w);
  for (size_t i = 0; i <= 12; ++i) {
    for (size_t j = 0; j <= 12; ++j) EXPECT_EQ(w[i][j], a[i][j]);
  }
  EXPECT_EQ(w[1][13], 11);
  EXPECT_EQ(w[12][24], 12);
}

struct NormalCase {
  const char* name;
  int64_t rows, cols, z, n;
  Rows in;
  Rows out;
  int64_t zOut, nOut;
};

TEST(MKuerzen, NormalFormTable) {
  const NormalCase cases[] = {
      {"gcd into factor", 2, 2, 1, 3, {{2, 4}, {6, 8}}, {{1, 2}, {3, 4}}, 2, 3},
      {"first entry stays negative", 1, 2, 1, 1, {{-2, 4}}, {{-1, 2}}, 2, 1},
      {"numerator made non-negative", 1, 2, -3, 6, {{1, -2}}, {{-1, 2}}, 1, 2},
      {"negative denominator keeps its sign", 1, 1, 1, -2, {{4}}, {{1}}, 2, -1},
      {"both signs negative", 1, 1, -1, -2, {{3}}, {{-1}}, 3, -2},
      {"last entry scanned", 2, 2, 1, 1, {{0, 0}, {0, 6}}, {{0, 0}, {0, 1}}, 6, 1},
      {"zero matrix 4/6", 2, 2, 4, 6, {{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}, 2, 3},
      {"zero matrix 0/5", 1, 1, 0, 5, {{0}}, {{0}}, 0, 1},
      {"zero matrix 0/-5", 1, 1, 0, -5, {{0}}, {{0}}, 0, -1},
      {"zero matrix 0/0", 1, 1, 0, 0, {{0}}, {{0}}, 0, 0},
      {"zero matrix 5/0", 1, 1, 5, 0, {{0}}, {{0}}, 1, 0},
      {"zero denominator with entries", 1, 2, 2, 0, {{6, -9}}, {{2, -3}}, 1, 0},
      {"negative numerator over 0", 1, 1, -4, 0, {{2}}, {{-1}}, 1, 0},
      {"coprime entries untouched", 1, 2, 1, 1, {{2, 3}}, {{2, 3}}, 1, 1},
      {"already normal", 2, 2, 2, 3, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}, 2, 3},
      {"zero numerator, entries still reduced", 1, 2, 0, 7, {{4, 6}}, {{2, 3}}, 0, 1},
      // Exact where double precision is not: 2^53 + 1 = 3 * 3002399751580331.
      {"above 2^53", 1, 2, 1, 1, {{9007199254740993, 3}}, {{3002399751580331, 1}}, 3, 1},
      // Z*m = 2^80 only exists before the reduction by N = 2^60.
      {"wide intermediate", 1, 1, P(40), P(60), {{P(40)}}, {{1}}, P(20), 1},
      {"INT64_MIN entry", 1, 2, 1, 2, {{kMin, 0}}, {{-1, 0}}, P(62), 1},
      {"INT64_MIN denominator", 1, 1, 1, kMin, {{1}}, {{1}}, 1, kMin},
      {"INT64_MIN numerator and denominator", 1, 1, kMin, kMin, {{5}}, {{-1}}, 5, -1},
  };
  for (const NormalCase& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = make(c.rows, c.cols, c.in, c.z, c.n);
    m[0][7] = 42;  // the rest of the header row is left alone
    m[5][9] = 13;  // so are cells outside the size
    Matrix expected = make(c.rows, c.cols, c.out, c.zOut, c.nOut);
    expected[0][7] = 42;
    expected[5][9] = 13;
    ar::MKuerzen(ctx, m);
    EXPECT_EQ(m, expected) << c.name;
    EXPECT_FALSE(ctx.overflow) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
    ar::MKuerzen(ctx, m);
    EXPECT_EQ(m, expected) << c.name << " (second run)";
  }
}

TEST(MKuerzen, OverflowLeavesTheMatrixAsItWas) {
  const NormalCase cases[] = {
      {"gcd 2^63 into factor 1", 1, 1, 1, 1, {{kMin}}, {}, 0, 0},
      {"factor 2^80", 1, 2, P(40), 1, {{P(40), 0}}, {}, 0, 0},
      {"entry INT64_MIN negated", 1, 2, -1, 1, {{kMin, 1}}, {}, 0, 0},
      {"numerator INT64_MIN over 1", 1, 1, kMin, 1, {{1}}, {}, 0, 0},
  };
  for (const NormalCase& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = make(c.rows, c.cols, c.in, c.z, c.n);
    const Matrix before = m;
    ar::MKuerzen(ctx, m);
    EXPECT_TRUE(ctx.overflow) << c.name;
    EXPECT_EQ(m, before) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MKuerzen, CountsOutsideTheArrayAreClamped) {
  ar::RecordingContext ctx;
  Matrix m = make(99, 2, {{2, 4}});
  m[12][2] = 6;
  ar::MKuerzen(ctx, m);
  Matrix expected = make(99, 2, {{1, 2}}, 2, 1);
  expected[12][2] = 3;
  EXPECT_EQ(m, expected);

  Matrix neg = make(-5, 3, {{2, 4, 6}}, 4, 6);
  ar::MKuerzen(ctx, neg);
  EXPECT_EQ(neg, make(-5, 3, {{2, 4, 6}}, 2, 3));  // no entries: only the factor
  EXPECT_FALSE(ctx.overflow);
}

TEST(Ganzzahlig, Table) {
  struct Case {
    double x;
    bool expected;
  };
  const Case cases[] = {{0.0, true}, {2.0, true}, {-3.0, true}, {2.5, false}, {-0.5, false}, {1e300, true}};
  for (const Case& c : cases) EXPECT_EQ(ar::ganzzahlig(c.x), c.expected) << c.x;
}

}  // namespace
