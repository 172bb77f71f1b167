#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "arithmetic/elimination.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

Rows entries(const Matrix& m, int rows, int cols) {
  Rows out(rows, std::vector<int64_t>(cols));
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) out[i][j] = m[i + 1][j + 1];
  return out;
}

struct EchelonCase {
  const char* name;
  Rows in;
  Rows out;  // the remaining rows
  int rank;
};

// Reduced echelon forms with integer leading entries, as worked by hand.
const EchelonCase kEchelon[] = {
    {"system 2x+y=3, 4x+3y=7", {{2, 1, 3}, {4, 3, 7}}, {{1, 0, 1}, {0, 1, 1}}, 2},
    {"dependent row deleted", {{1, 2, 3}, {2, 4, 6}, {1, 1, 1}}, {{1, 0, -1}, {0, 1, 2}}, 2},
    {"negative second pivot made positive", {{2, 4}, {3, 5}}, {{1, 0}, {0, 1}}, 2},
    {"rows exchanged", {{0, 1}, {1, 0}}, {{1, 0}, {0, 1}}, 2},
    {"zero matrix", {{0, 0}, {0, 0}}, {}, 0},
    {"first column passed over, sign kept", {{0, -2, 4}}, {{0, -1, 2}}, 1},
    {"single row reduced and made positive", {{-2, 4}}, {{1, -2}}, 1},
    {"leading -1 right of the diagonal stays", {{1, -1, 0}, {0, 0, -1}}, {{1, -1, 0}, {0, 0, -1}}, 2},
    {"column without pivot after deletions", {{1, 1, 0, 0}, {2, 2, 0, 0}, {3, 3, 0, 0}, {0, 0, 1, 0}},
     {{1, 1, 0, 0}, {0, 0, 1, 0}}, 2},
    {"more rows than columns", {{1, 2}, {3, 4}, {5, 6}}, {{1, 0}, {0, 1}}, 2},
    {"3x3 of rank 2", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{1, 0, -1}, {0, 1, 2}}, 2},
    {"all rows multiples", {{1, 2, 3, 4}, {-2, -4, -6, -8}, {3, 6, 9, 12}}, {{1, 2, 3, 4}}, 1},
    {"rational solution keeps integer leading entries", {{2, 0, 1}, {0, 3, 1}}, {{2, 0, 1}, {0, 3, 1}}, 2},
    {"solution 1/3, -1/3", {{1, 1, 0}, {1, -2, 1}}, {{3, 0, 1}, {0, 3, -1}}, 2},
    // Unreduced, row 2 would be 2^62 * row 2 - 2^62 * row 1 = (0, 2^63): too big
    // for 64 bits, yet its reduced form (0, 1) is found.
    {"reduced row found where the product overflows", {{P(62), 1}, {P(62), 3}}, {{1, 0}, {0, 1}}, 2},
    // Row 2 combines to (0, 3 * 2^64, 5 * 2^64): its divisor 2^64 has no room in 64 bits.
    {"combined entries beyond 2^64 share 2^64", {{P(62), 0, 0}, {1, 12, 20}}, {{1, 0, 0}, {0, 3, 5}}, 2},
    // Row 2 combines to 2^10 * (0, 3q, 5q) with q = 2^58 + 5, whose divisor 2^10 * q leaves 64 bits.
    {"combined entries share a divisor beyond 2^64", {{P(10), 0, 0}, {1, 3 * (P(58) + 5), 5 * (P(58) + 5)}},
     {{1, 0, 0}, {0, 3, 5}}, 2},
};

TEST(Verfahren, ReducedEchelonFormsAndRank) {
  for (const auto& c : kEchelon) {
    SCOPED_TRACE(c.name);
    const int rows = static_cast<int>(c.in.size()), cols = static_cast<int>(c.in[0].size());
    const int left = static_cast<int>(c.out.size());
    ar::RecordingContext ctx;
    Matrix m = make(c.in, 5, 7);
    ar::Verfahren(ctx, m, rows, cols);
    EXPECT_EQ(m[0], make(left, cols, {}, 5, 7)[0]);  // the column count and the factor stay
    EXPECT_EQ(entries(m, left, cols), c.out);
    expectQuiet(ctx);

    Matrix r = make(c.in);
    EXPECT_EQ(ar::Rang(ctx, r), c.rank);
    EXPECT_EQ(r, make(c.in));  // left as it was
  }
}

// 11 rows c + d_i e_i (independent: the last column forces equal weights) and
// row 12 = row 1 + row 2 - row 3, all near 2^62.
Matrix nearTwoTo62RankEleven() {
  const int64_t c = P(62) - 977;
  Matrix m = make(12, 12, {});
  for (int i = 1; i <= 11; ++i)
    for (int j = 1; j <= 12; ++j) m[i][j] = c + (i == j ? 1000 + 17 * i : 0);
  for (int j = 1; j <= 12; ++j) m[12][j] = m[1][j] + m[2][j] - m[3][j];
  return m;
}

// Exact whatever the entries; never an overflow.
TEST(Rang, ExactForAnyEntries) {
  struct Case {
    const char* name;
    Matrix m;
    int rank;
  };
  const Case cases[] = {
      {"combined row beyond 64 bits", make({{1, 3, 0}, {0, 1, 4309386534379168539}}), 2},
      {"12x12 near 2^62 of rank 11", nearTwoTo62RankEleven(), 11},
      {"rows of extremes, dependent", make({{kMin, kMax}, {kMin, kMax}}), 1},
      {"extremes, independent", make({{kMin, kMax}, {kMax, kMin}}), 2},
      {"2^62 multiples", make({{P(62), P(61)}, {P(61), P(60)}}), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = c.m;
    EXPECT_EQ(ar::Rang(ctx, m), c.rank);
    EXPECT_EQ(ar::Rang(ctx, m, 12, 12), c.rank);
    EXPECT_EQ(m, c.m);
    expectQuiet(ctx);
  }
}

// A full grid whose first column is zero: the pivot search for column 1 runs
// to the last row and stops there.
TEST(Verfahren, PivotSearchStopsAtTheLastRow) {
  Matrix m = make(12, 12, {}), expected = make(11, 12, {});
  for (int i = 1; i <= 11; ++i) {
    m[i][i + 1] = i + 1;
    expected[i][i + 1] = 1;
  }
  ar::RecordingContext ctx;
  ar::Verfahren(ctx, m, 12, 12);
  EXPECT_EQ(m, expected);

  // Columns 2..12 of rows 1..11 are triangular with ones on their diagonal.
  Matrix again = make(12, 12, {});
  for (int j = 2; j <= 12; ++j) again[12][j] = j % 3 - 1;
  for (int i = 1; i <= 11; ++i) {
    again[i][i + 1] = 1;
    for (int j = i + 2; j <= 12; ++j) again[i][j] = (i * 7 + j * 3) % 5 - 2;
  }
  EXPECT_EQ(ar::Rang(ctx, again), 11);
  EXPECT_FALSE(ctx.overflow);
}

// The bounds come from the caller; the grid's size equals the matrix's own for
// a matrix read from the grid, and a stored matrix is ranked by its own size.
TEST(Verfahren, BoundsComeFromTheCaller) {
  ar::RecordingContext ctx;
  // Only columns 1..2 count: row 2 becomes (0, 0, 1), zero there, and is deleted.
  Matrix m = make({{1, 2, 3}, {2, 4, 7}});
  ar::Verfahren(ctx, m, 2, 2);
  EXPECT_EQ(m[0][0], 1);
  EXPECT_EQ(entries(m, 1, 3), (Rows{{1, 2, 3}}));

  Matrix own = make({{1, 2, 3}, {2, 4, 7}});
  ar::Verfahren(ctx, own);
  EXPECT_EQ(own[0][0], 2);
  EXPECT_EQ(entries(own, 2, 3), (Rows{{1, 2, 0}, {0, 0, 1}}));

  Matrix stored = make({{1, 2}, {2, 4}, {0, 1}});
  EXPECT_EQ(ar::Rang(ctx, stored), 2);

  // A deleted row's place below the new row count keeps what was left there.
  Matrix left = make({{1, 2, 3}, {2, 4, 6}, {1, 1, 1}});
  ar::Verfahren(ctx, left);
  EXPECT_EQ(left[0][0], 2);
  EXPECT_EQ(entries(left, 3, 3), (Rows{{1, 0, -1}, {0, 1, 2}, {0, -1, -2}}));
  EXPECT_FALSE(ctx.overflow);
}

TEST(Verfahren, OverflowAndDamagedHeaders) {
  // Row 2 becomes 2 * (1, 0, 2^62) - (2, 1, 0) = (0, -1, 2^63), already reduced.
  ar::RecordingContext ctx;
  Matrix m = make({{2, 1, 0}, {1, 0, P(62)}});
  ar::Verfahren(ctx, m);
  EXPECT_TRUE(ctx.overflow);
  EXPECT_TRUE(ctx.messages.empty());

  ar::RecordingContext clamped;
  Matrix none = make(99, -5, {{1, 2}});
  ar::Verfahren(clamped, none);
  EXPECT_EQ(none[0][0], 0);  // no columns: every row counts as zero
  Matrix big = make(40, 40, {{2, 4}, {1, 3}});
  EXPECT_EQ(ar::Rang(clamped, big), 2);
}

TEST(IstNullspalte, LooksAtTheRowsOfTheHeader) {
  Matrix m = make(2, 2, {{0, 1}, {0, 0}, {5, 5}});
  EXPECT_TRUE(ar::IstNullspalte(m, 1));  // row 3 lies outside
  EXPECT_FALSE(ar::IstNullspalte(m, 2));
  m[0][0] = 0;
  EXPECT_TRUE(ar::IstNullspalte(m, 2));
}

}  // namespace
