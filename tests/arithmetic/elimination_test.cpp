// Echelon form, row deletion, rank, determinant and the inverse.

#include <gtest/gtest.h>

#include "arithmetic/determinant.h"
#include "arithmetic/rowops.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

// Reduced echelon forms with integer leading entries, as worked by hand; the
// row count drops to the rank, the column count and the factor stay. The
// rank, found apart, leaves its matrix as it was.
TEST(Verfahren, ReducedEchelonFormsAndRank) {
  const std::vector<Op> cases = {
      {'e', "2x+y=3, 4x+3y=7", M("2 1 3; 4 3 7 | 5/7"), {}, M("1 0 1; 0 1 1 | 5/7")},
      {'e', "dependent row deleted, its successor left twice", M("1 2 3; 2 4 6; 1 1 1"), {},
          M("1 0 -1; 0 1 2; 0 -1 -2", 2, 3)},
      {'e', "negative pivot", M("2 4; 3 5"), {}, M("1 0; 0 1")}, {'e', "exchange", M("0 1; 1 0"), {}, M("1 0; 0 1")},
      {'e', "zero matrix", M("0 0; 0 0"), {}, M("0 0; 0 0", 0, 2)},
      {'e', "first column passed over", M("0 -2 4"), {}, M("0 -1 2")},
      {'e', "single row", M("-2 4"), {}, M("1 -2")},
      {'e', "leading -1 right of the diagonal", M("1 -1 0; 0 0 -1"), {}, M("1 -1 0; 0 0 -1")},
      {'e', "no pivot after deletions", M("1 1 0 0; 2 2 0 0; 3 3 0 0; 0 0 1 0"), {},
          M("1 1 0 0; 0 0 1 0; 0 0 1 0; 0 0 1 0", 2, 4)},
      {'e', "more rows than columns", M("1 2; 3 4; 5 6"), {}, M("1 0; 0 1; 0 0", 2, 2)},
      {'e', "multiples", M("2 -4 6; 1 -2 3"), {}, M("1 -2 3", 1, 3)},
      {'e', "3x3 regular", M("1 2 3; 4 5 6; 7 8 10"), {}, identity(3)},
      {'e', "solution 1/3, -1/3", M("1 1 0; 1 -2 1"), {}, M("3 0 1; 0 3 -1")},
      {'e', "product 2^63 on the way", M("2^62 1; 2^62 3"), {}, identity(2)},
      {'e', "divisor 2^64 on the way", M("2^62 0 0; 1 12 20"), {}, M("1 0 0; 0 3 5")},
      {'e', "minors beyond 64 bits", M("1 2^40; 2^40+1 0"), {}, identity(2)},
      {'e', "row (0, -1, 2^63) on the way", M("2 1 0; 1 0 2^62"), {}, M("1 0 2^62; 0 1 -2^63")},
      {'e', "rows beyond 64 bits on the way", M("1 -181 3037000496; 0 0 1; 0 -3037000498 -3037000497"), {},
          identity(3)}};
  run(cases);
  ar::RecordingContext ctx;
  for (const Op& c : cases) {
    Matrix r = c.a;
    EXPECT_EQ(ar::Rang(ctx, r), c.expected[0][0]) << c.name;
    EXPECT_EQ(r, c.a) << c.name;  // left as it was
  }
  EXPECT_FALSE(ctx.overflow);
}

TEST(Verfahren, BoundsFromTheCaller) {
  ar::RecordingContext ctx;
  Matrix m = M("1 2 3; 2 4 7");  // with two columns, row 2 becomes (0, 0, 1): zero there
  ar::Verfahren(ctx, m, 2, 2);
  EXPECT_EQ(m, M("1 2 3; 0 0 1", 1, 3));
  EXPECT_EQ(ar::Rang(ctx, m, 2, 2), 1);
  Matrix full = M("", 12, 12);  // the pivot search for column 1 runs to the last row
  for (int i = 1; i <= 11; ++i) full[i][i + 1] = i + 1;
  ar::Verfahren(ctx, full);
  EXPECT_EQ(full[0][0], 11);
  EXPECT_EQ(full[11][12], 1);
  Matrix rows = M("1 2 7; 3 4 8; 5 6 9", 3, 2);
  ar::ZeileLoeschen(rows, 1, 3, 2);
  ar::ZeileLoeschen(rows, 11, 99, 99);  // bounds from a damaged file stay inside the array
  ar::Zeilentausch(rows, 1, 3);
  EXPECT_EQ(rows, M("5 6 7; 5 6 8; 3 4 9", 3, 2));
  EXPECT_TRUE(ar::IstNullzeile(M("0 0 5"), 1, 2) && !ar::IstNullzeile(M("0 0 5"), 1, 99));
}

// 11 rows c + d_i e_i (independent: the last column forces equal weights) and
// row 12 = row 1 + row 2 - row 3, all near 2^62.
TEST(Rang, ExactForAnyEntries) {
  Matrix m = M("", 12, 12);
  for (int i = 1; i <= 11; ++i)
    for (int j = 1; j <= 12; ++j) m[i][j] = P(62) - 977 + (i == j ? 1000 + 17 * i : 0);
  for (int j = 1; j <= 12; ++j) m[12][j] = m[1][j] + m[2][j] - m[3][j];
  const std::pair<Matrix, int> cases[] = {
      {M("1 3 0; 0 1 4309386534379168539"), 2}, {m, 11}, {M("min max; min max"), 1}, {M("min max; max min"), 2},
      {M("2147483647 0; 0 1"), 2},  // the first prime's rank is 1
      {M("1 2; 3 4 | 0/5"), 0}};     // the zero matrix
  for (auto [in, rank] : cases) {
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Rang(ctx, in), rank) << rank;
    EXPECT_FALSE(ctx.overflow);
  }
}

// The exact value; where it does not fit, the overflow report and 0.
TEST(Det, Table) {
  const std::tuple<const char*, Matrix, int64_t, bool> cases[] = {
      {"1x1", M("-7"), -7, false}, {"row count 0", M("5", 0, 0), 0, false},
      {"factor ignored", M("3 5; 2 7 | 1/2"), 11, false},
      {"3x3", M("1 2 3; 4 5 6; 7 8 10"), -3, false}, {"swap", M("0 1; 1 0"), -1, false},
      {"singular", M("1 2; 2 4"), 0, false},
      {"2 rows, 3 columns", M("1 2 9; 3 4 9"), -2, false},
      {"consecutive", M("2^62 2^62-1; 2^62+1 2^62"), 1, false}, {"-2^63 by an exchange", M("0 2^62; 2 0"), kMin, false},
      {"unimodular", M("4611686031312289738 2147483659 0; 2147483643 1 0; 0 0 5"), 5, false},
      {"-2^63 behind huge minors", M("2^62 2^62; 2^62+2 2^62"), kMin, false}, {"2^63", M("2^62 0; 0 2"), 0, true},
      {"3037000500^2", M("3037000500 0; 0 3037000500"), 0, true}, {"2^126 - 1", M("min 1; 1 min"), 0, true}};
  for (const auto& [name, m, det, overflow] : cases) {
    ar::RecordingContext ctx;
    EXPECT_EQ(ar::Det(ctx, m), det) << name;
    EXPECT_EQ(ctx.overflow, overflow) << name;
  }
}

// Row 3 = row 1 - row 2; eliminating column 1 already needs 2^126.
const char* kHuge = "max 1 1; 1 max 1; 9223372036854775806 -9223372036854775806 0";

// d * S^-1 over the least d, with factor N / (Z d) not reduced further.
TEST(Invertieren, Table) {
  run({{'i', "2x2", M("1 2; 3 4"), {}, M("-4 2; 3 -1 | 1/2")},
  {'i', "3x3", M("2 1 0; 1 3 1; 0 1 4"), {}, M("11 -4 1; -4 8 -2; 1 -2 5 | 1/18")},
      {'i', "exchange", M("0 1; 1 0 | 2/3"), {}, M("0 1; 1 0 | 3/2")},
      {'i', "diagonal 4, 6", M("4 0; 0 6"), {}, M("3 0; 0 2 | 1/12")},
      {'i', "2I, 3/5", M("2 0; 0 2 | 3/5"), {}, M("1 0; 0 1 | 5/6")},
      {'i', "-2/3", M("1 2; 3 4 | -2/3"), {}, M("-4 2; 3 -1 | 3/-4")},
      {'i', "1x1 -3", M("-3"), {}, M("-1 | 1/3")},
      // A zero numerator is the zero matrix; a zero denominator leaves no value.
      {'i', "factor 0/1", M("1 0; 0 1 | 0/1"), {}, M("1 0; 0 1 | 0/1"), kSingular},
      {'i', "factor 0/0", M("1 2; 3 4 | 0/0"), {}, kBefore, kOverflow},
      {'i', "factor 1/0", M("1 | 1/0"), {}, kBefore, kOverflow},
      {'i', "huge diagonal", M("2^40 0 0; 0 2^40 0; 0 0 3"), {}, M("3 0 0; 0 3 0; 0 0 2^40 | 1/3*2^40")},
      {'i', "denominator 35 * 2^58", M("0 -5*2^58; -7 0 | 1/-2"), {}, M("0 -5*2^58; -7 0 | -1/5044031582654955520")},
      {'i', "diag(2^62, 3), 1/2", M("2^62 0; 0 3 | 1/2"), {}, M("3 0; 0 2^62 | 1/3*2^61")},
      {'i', "singular", M("1 2; 2 4 | 3/7"), {}, M("1 2; 2 4 | 3/7"), kSingular},
      {'i', "no pivot in column 3", M("1 2 3; 2 4 6; 1 0 1"), {}, M("1 2 3; 2 4 6; 1 0 1"), kSingular},
      {'i', "not square", M("1 0 0; 0 1 0"), {}, M("1 0 0; 0 1 0"), kSingular},
      {'i', "beyond the array", M("1", 13, 13), {}, M("1", 13, 13), kSingular},
      {'i', "singular, huge", M(kHuge), {}, M(kHuge), kSingular},
      {'i', "denominator 2^66", M("2^33 1; 0 2^33"), {}, kBefore, kOverflow}});
}

}  // namespace
