// Echelon form, row deletion, rank, determinant, trace and the inverse.

#include <gtest/gtest.h>

#include "arithmetic/cramer.h"
#include "arithmetic/determinant.h"
#include "arithmetic/matrix_helpers.h"
#include "arithmetic/rowops.h"
#include "arithmetic/trace.h"

namespace {

using namespace test;

// Row 3 = row 1 - row 2; eliminating column 1 already needs 2^126.
const char* kHuge = "max 1 1; 1 max 1; 9223372036854775806 -9223372036854775806 0";

std::string mal(const std::string& s, int n) { return n > 0 ? s + mal(s, n - 1) : ""; }
const std::string kZeile1 = "2^60+1 2^60+3 3 3*2^60+16; ", kZeile2 = "2^61+2 2^61+6 6 6*2^60+32; ",
                  kZeilen34 = "5 2^60+7 2^60+13 5*2^60+58; 2^60+33 7 2^60+43 2^62+176; ";
const std::string kZweifach = kZeile1 + kZeile2 + kZeilen34, kZweifachZuletzt = kZeile1 + kZeilen34 + kZeile2;
const std::string o8 = " 0 0 0 0 0 0 0 0 ", kNull12 = "0" + o8 + "0 0 0; ";
const std::string kZwoelf = "2^60+1 2^60+3 3" + o8 + "3*2^60+16; 5 2^60+7 2^60+13" + o8 + "5*2^60+58; " +
                            "2^60+33 7 2^60+43" + o8 + "2^62+176; " + mal(kNull12, 8) + "2^61+2 2^61+6 6" + o8 +
                            "6*2^60+32";
const std::string kZwoelfErgebnis = "1 0 0" + o8 + "1; 0 1 0" + o8 + "2; 0 0 1" + o8 + "3; " + mal(kNull12, 9);

TEST(EchelonFormAndInverse, Table) {
  const std::string o9 = " 0 0 0 0 0 0 0 0 0 ";  // for rows of twelve columns
  // Reduced echelon forms with integer leading entries, as worked by hand; the row count drops to the rank, the
  // column count and the factor stay. The rank, found apart, leaves its matrix as it was.
  run('e', {{"2x+y=3, 4x+3y=7", M("2 1 3; 4 3 7 | 5/7"), {}, M("1 0 1; 0 1 1 | 5/7")},
            {"dependent row deleted, its successor left twice", M("1 2 3; 2 4 6; 1 1 1"), {},
             M("1 0 -1; 0 1 2; 0 -1 -2", 2, 3)},
            {"exchange", M("0 1; 1 0"), {}, M("1 0; 0 1")}, {"zero matrix", M("0 0; 0 0"), {}, M("0 0; 0 0", 0, 2)},
            {"first column passed over", M("0 -2 4"), {}, M("0 -1 2")}, {"single row", M("-2 4"), {}, M("1 -2")},
            {"leading -1 right of the diagonal", M("1 -1 0; 0 0 -1"), {}, M("1 -1 0; 0 0 -1")},
            {"no pivot after deletions", M("1 1 0 0; 2 2 0 0; 3 3 0 0; 0 0 1 0"), {},
             M("1 1 0 0; 0 0 1 0; 0 0 1 0; 0 0 1 0", 2, 4)},
            {"more rows than columns", M("1 2; 3 4; 5 6"), {}, M("1 0; 0 1; 0 0", 2, 2)},
            {"more rows than columns, regular on top", M("1 2 3; 4 5 6; 7 8 10; 1 1 1"), {}, identity(3)},
            {"multiples", M("2 -4 6; 1 -2 3"), {}, M("1 -2 3", 1, 3)},
            {"solution 1/3, -1/3", M("1 1 0; 1 -2 1"), {}, M("3 0 1; 0 3 -1")},
            {"product 2^63 on the way", M("2^62 1; 2^62 3"), {}, identity(2)},
            {"divisor 2^64 on the way", M("2^62 0 0; 1 12 20"), {}, M("1 0 0; 0 3 5")},
            {"minors beyond 64 bits", M("1 2^40; 2^40+1 0"), {}, identity(2)},
            {"row (0, -1, 2^63) on the way", M("2 1 0; 1 0 2^62"), {}, M("1 0 2^62; 0 1 -2^63")},
            // Row 2 - 2^62 * row 1 is (0, 2^124 - 1, 2^62), primitive; row 4 = row 1 + row 2 - row 3.
            {"beyond 64 bits, a dependent fourth row", M("2^62 1 0; 1 2^62 1; 0 1 1; 2^62+1 2^62 0"), {},
             identity(3)},
            // Row 3 = row 1 + row 2, deleted at the second pivot: row 4 moves up, past 64 bits on the way.
            {"beyond 64 bits, a deleted row moves the next up", M("2^62 1 0; 1 2^62 1; 2^62+1 2^62+1 1; 0 1 1"), {},
             M("1 0 0; 0 1 0; 0 0 1; 0 0 1", 3, 3)},
            // Row 2 = 2 * row 1. Its deletion leaves a copy of row 4 near 2^119 below the result: that row keeps
            // what it held. Row 2 last, the copy is of a zero row.
            {"a leftover beyond 64 bits stays hidden", M(kZweifach), {},
             M("1 0 0 1; 0 1 0 2; 0 0 1 3; 2^60+33 7 2^60+43 2^62+176", 3, 4)},
            {"... the same rows, the double last", M(kZweifachZuletzt), {},
             M("1 0 0 1; 0 1 0 2; 0 0 1 3; 0 0 0 0", 3, 4)},
            {"content 1 behind a leading 2", M("1 1 1; 1 3 4; 2 2 2"), {}, M("2 0 -1; 0 2 3; 0 0 0", 2, 3)},
            {"a deletion moves all twelve columns", M("1 0" + o9 + "1; 2 0" + o9 + "2; 0 1" + o9 + "5"), {},
             M("1 0" + o9 + "1; 0 1" + o9 + "5; 0 1" + o9 + "5", 2, 12)},
            {"pivot in row 12", M("0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 1"), {},
             M("1; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0", 1, 1)},
            {"row count -1 read as 0", with(M("1 2 | 2/3"), 0, 0, -1), {}, M("1 2 | 2/3", 0, 2)},
            // The sign step turns columns 1 to n only, in 64 bits and beyond.
            {"column 0 not turned", with(M("-2 4; -1 2"), 1, 0, 5), {}, with(M("1 -2; 0 0", 1, 2), 1, 0, 5)},
            {"column 0 not turned past 64 bits", with(M("2 1 0; 1 0 2^62"), 1, 0, 5), {},
             with(M("1 0 2^62; 0 1 -2^63"), 1, 0, 5)},
            {"primitive row", M("4 2 1"), {}, M("4 2 1")},
            // (1 0 2^62; 0 1 -3 * 2^62): the second row of the result does not fit.
            {"a row of the result beyond 64 bits", M("3 1 0; 1 0 2^62"), {}, M("3 1 0; 1 0 2^62"), kOverflow},
            {"-2^63 turned", M("min 1"), {}, M("min 1"), kOverflow},
            {"rows beyond 64 bits on the way", M("1 -181 3037000496; 0 0 1; 0 -3037000498 -3037000497"), {},
             identity(3)},
            // Column 2 has no pivot: the search looks at the last row too, which is 0 there.
            {"no pivot in column 2 down to the last row", M("1 1 0; 0 0 1; 0 0 1"), {}, M("1 1 0; 0 0 1; 0 0 0", 2, 3)},
            {"a deleted row leaves column 0", with(with(M("1 2 3; 2 4 6; 1 1 1"), 2, 0, 5), 3, 0, 7), {},
             with(with(M("1 0 -1; 0 1 2; 0 -1 -2", 2, 3), 2, 0, 5), 3, 0, 7)}});
  // d * S^-1 over the least d, with factor N / (Z d) not reduced further.
  run('i', {{"exchange", M("0 1; 1 0 | 2/3"), {}, M("0 1; 1 0 | 3/2")},
            {"2I, 3/5", M("2 0; 0 2 | 3/5"), {}, M("1 0; 0 1 | 5/6")},
            {"-2/3", M("1 2; 3 4 | -2/3"), {}, M("-4 2; 3 -1 | 3/-4")}, {"1x1 -3", M("-3"), {}, M("-1 | 1/3")},
            // A zero numerator is the zero matrix; a zero denominator leaves no value.
            {"factor 0/1", M("1 0; 0 1 | 0/1"), {}, M("1 0; 0 1 | 0/1"), kSingular},
            {"factor 0/0", M("1 2; 3 4 | 0/0"), {}, kBefore, kOverflow},
            {"factor 1/0", M("1 | 1/0"), {}, kBefore, kOverflow},
            {"huge diagonal", M("2^40 0 0; 0 2^40 0; 0 0 3"), {}, M("3 0 0; 0 3 0; 0 0 2^40 | 1/3*2^40")},
            {"denominator 35 * 2^58", M("0 -5*2^58; -7 0 | 1/-2"), {}, M("0 -5*2^58; -7 0 | -1/5044031582654955520")},
            {"diag(2^62, 3), 1/2", M("2^62 0; 0 3 | 1/2"), {}, M("3 0; 0 2^62 | 1/3*2^61")},
            {"singular", M("1 2; 2 4 | 3/7"), {}, M("1 2; 2 4 | 3/7"), kSingular},
            {"not square", M("1 0 0; 0 1 0"), {}, M("1 0 0; 0 1 0"), kSingular},
            {"beyond the array", M("1", 13, 13), {}, M("1", 13, 13), kSingular},
            {"singular, huge", M(kHuge), {}, M(kHuge), kSingular},
            {"denominator 3 * 2^62", M("3 | 2^62/1"), {}, kBefore, kOverflow},
            {"entry 2^64", M("1 2^32 0; 0 1 2^32; 0 0 1"), {}, kBefore, kOverflow},
            // 2^62 * 4 on the way to the entry -2^62 / 4.
            {"2^62 above the diagonal", M("4 2^62; 0 1"), {}, M("1 -2^62; 0 4 | 1/4")},
            {"denominator 2^66", M("2^33 1; 0 2^33"), {}, kBefore, kOverflow},
            {"denominator 2^66 over -2^63", M("2^33 1; 0 2^33 | 1/min"), {}, M("2^33 -1; 0 2^33 | -1/8")},
            // Determinant -1, inverse (-1 1; -(2^63 - 1) 2^63): all minors fit, the last entry does not.
            {"entry 2^63", M("min 1; -max 1"), {}, kBefore, kOverflow}});
}

// b a^-1: its normal form, also where a^-1 does not fit in 64 bits (diag(2^-62, 1/3) has the denominator 3 * 2^62).
TEST(Abbildungsmatrix, Table) {
  const Matrix a = M("2^62 0; 0 3");
  run('l', {{"b = a", a, a, identity(2)}, {"b zero", a, M("0 0; 0 0"), M("0 0; 0 0")},
            {"(1 1/3; 0 1)", a, M("2^62 1; 0 3"), M("3 1; 0 3 | 1/3")},
            {"(1 1/3; 0 1) / -2", M("2^62 0; 0 3 | -2/1"), M("2^62 1; 0 3"), M("3 1; 0 3 | 1/-6")},
            {"one row", a, M("2^62 0"), M("1 0")}, {"det a < 0", M("0 3; 2^62 0"), a, M("0 1; 1 0")},
            {"three rows", a, M("0 3; 2^62 0; 2^63-2^62 6"), M("0 1; 1 0; 1 2")},
            {"factors", M("2^62 0; 0 3 | 5/7"), M("2^62 1; 0 3 | 2/3"), M("3 1; 0 3 | 14/45")},
            {"small", M("1 1; 0 1 | 1/2"), M("3 0; 0 3"), M("1 -1; 0 1 | 6/1")},
            {"1 x 1", M("2"), M("6"), M("1 | 3/1")},
            // The marker the runner leaves at (9, 9) is the result's own entry there.
            {"12 x 12", identity(12), with(identity(12), 9, 9, 77), with(identity(12), 9, 9, 77)},
            {"a of value zero", M("1 0; 0 1 | 0/1"), identity(2), M("1 0; 0 1 | 0/1"), kSingular},
            {"a of no rows", M("", 0, 0), M("", 1, 0), M("", 0, 0), kSingular},
            {"1/(3 * 2^62) does not fit", M("3 | 2^62/1"), M("1"), kBefore, kOverflow},
            {"formats", M("1 0; 0 1"), M("1 2 3"), kBefore, kFormat},
            {"formats beyond 64 bits", a, M("1 2 3"), kBefore, kFormat},
            {"a not square, b of its columns", M("1 0 0; 0 1 0"), M("1 2 3"), kBefore, kFormat},
            {"a not square, b of its rows", M("1 0 0; 0 1 0"), M("1 2"), M("1 0 0; 0 1 0"), kSingular},
            {"singular", M("1 2; 2 4"), identity(2), M("1 2; 2 4"), kSingular},
            {"singular beyond 64 bits", M(kHuge), identity(3), M(kHuge), kSingular},
            {"a over 0", M("1 | 1/0"), M("1"), kBefore, kOverflow},
            {"b over 0", M("1"), M("1 | 1/0"), kBefore, kOverflow}});
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
  EXPECT_EQ(std::make_pair(full[0][0], full[11][12]), std::make_pair(int64_t{11}, int64_t{1}));
  Matrix drei = identity(3);  // row 3 is zero over two columns: deleted, no regular 3 x 3 system
  ar::Verfahren(ctx, drei, 3, 2);
  EXPECT_EQ(drei, M("1 0 0; 0 1 0; 0 0 1", 2, 3));
  Matrix schmal = M("-1 0 5; 0 1 7");  // the sign step turns two columns; the pivots on the way turned row 1
  ar::Verfahren(ctx, schmal, 2, 2);
  EXPECT_EQ(schmal, M("1 0 -5; 0 1 -7"));
  Matrix breit = M("-1 0 5; 0 -1 7", 2, 2);  // the sign step turns a third column that no step combined
  ar::Verfahren(ctx, breit, 2, 3);
  EXPECT_EQ(breit, M("1 0 -5; 0 1 7", 2, 2));
  Matrix zwoelf = with(identity(12), 0, 0, 13);  // a row count beyond the array is read as 12
  ar::Verfahren(ctx, zwoelf);
  EXPECT_EQ(zwoelf, identity(12));
  // Beyond 64 bits on the way, in twelve rows and columns: the double of row 1 in row 12, below eight zero rows,
  // leaves the leftover 0 there.
  Matrix zwoelfZeilen = M(kZwoelf);
  ar::Verfahren(ctx, zwoelfZeilen);
  EXPECT_EQ(zwoelfZeilen, M(kZwoelfErgebnis, 3, 12));
  Matrix null = M("", 12, 12);  // no pivot in any of the twelve columns: the search ends at column 12
  ar::Verfahren(ctx, null);
  EXPECT_EQ(null, M("", 0, 12));
  Matrix rows = M("1 2 7; 3 4 8; 5 6 9", 3, 2);
  ar::ZeileLoeschen(rows, 1, 3, 2), ar::Zeilentausch(rows, 1, 3);
  ar::ZeileLoeschen(rows, 11, 99, 99);  // bounds from a damaged file stay inside the array
  ar::Zeilentausch(rows, 2, 0), ar::ZeileLoeschen(rows, 0, 3, 2);  // the header is no entry row
  ar::ZeileLoeschen(rows, -1, 3, 2);  // nor row -1
  EXPECT_EQ(rows, M("5 6 7; 5 6 8; 3 4 9", 3, 2));
  EXPECT_TRUE(ar::IstNullzeile(M("0 0 5"), 1, 2) && !ar::IstNullzeile(M("0 0 5"), 1, 99));
  EXPECT_TRUE(ar::IstNullzeile(M("1 2"), 0, 2) && ar::IstNullzeile(with(M("0 0"), 1, 0, 5), 1, 2));  // no entries
}

// One number from a matrix: 'd' Det and 's' Spur, exact or the overflow report and 0; 'r' Rang, exact for any
// entries and never an overflow. The matrix stays as it was.
TEST(DetRangSpur, Table) {
  // 11 rows c + d_i e_i (independent: the last column forces equal weights) and
  // row 12 = row 1 + row 2 - row 3, all near 2^62; twelve times -2^63 on the diagonal.
  Matrix m = M("", 12, 12), zwoelf = identity(12);
  for (int i = 1; i <= 11; ++i)
    for (int j = 1; j <= 12; ++j) m[i][j] = P(62) - 977 + (i == j ? 1000 + 17 * i : 0);
  for (int j = 1; j <= 12; ++j) m[12][j] = m[1][j] + m[2][j] - m[3][j], zwoelf[j][j] = kMin;
  const struct { const char* name; char op; Matrix m; int64_t v; bool overflow = false; } cases[] = {
      {"1x1", 'd', M("-7"), -7}, {"row count 0", 'd', M("5", 0, 0), 0}, {"swap", 'd', M("0 1; 1 0"), -1},
      {"factor ignored", 'd', M("3 5; 2 7 | 1/2"), 11}, {"2 rows, 3 columns", 'd', M("1 2 9; 3 4 9"), -2},
      {"consecutive", 'd', M("2^62 2^62-1; 2^62+1 2^62"), 1}, {"-2^63 by an exchange", 'd', M("0 2^62; 2 0"), kMin},
      {"unimodular", 'd', M("4611686031312289738 2147483659 0; 2147483643 1 0; 0 0 5"), 5},
      {"-2^63 behind huge minors", 'd', M("2^62 2^62; 2^62+2 2^62"), kMin}, {"2^63", 'd', M("2^62 0; 0 2"), 0, true},
      {"2^63 by an exchange", 'd', M("0 2; -2^62 0"), 0, true},
      {"2^63 over the pivot -1", 'd', M("-1 0 0; 0 2^32 0; 0 0 -2^31"), 0, true},
      {"3037000500^2", 'd', M("3037000500 0; 0 3037000500"), 0, true}, {"2^126 - 1", 'd', M("min 1; 1 min"), 0, true},
      {"rank 2 near 2^62", 'r', M("1 3 0; 0 1 4309386534379168539"), 2}, {"rank 11 near 2^62", 'r', m, 11},
      {"-2^63, 2^63 - 1 twice", 'r', M("min max; min max"), 1}, {"the zero matrix", 'r', M("1 2; 3 4 | 0/5"), 0},
      {"the first prime's rank is 1, a zero row", 'r', M("1 0; 0 0; 0 2147483647"), 2},
      {"-2^63, 2^63 - 1 crossed", 'r', M("min max; max min"), 2},
      {"the first prime's rank is 1", 'r', M("2147483647 0; 0 1"), 2},
      {"the first prime's rank is 0", 'r', M("2147483647 0; 0 2147483647"), 2},
      {"only the block", 's', M("1 0; 0 7", 1, 1), 1},
      {"2^63", 's', M("2^62 0; 0 2^62"), 0, true}, {"diagonal 1, 5, 9", 's', M("1 0 0; 0 5 0; 0 0 9 | 1/2"), 15},
      {"-2^63 - 1", 's', M("min 0; 0 -1"), 0, true}, {"back into range", 's', M("max 0 0; 0 max 0; 0 0 min"), kMax - 1},
      {"no rows", 's', M("", 0, 0), 0}, {"twelve times -2^63", 's', zwoelf, 0, true}};
  for (const auto& c : cases) {
    ar::RecordingContext ctx;
    Matrix r = c.m;
    scribble();
    EXPECT_EQ(c.op == 'd' ? ar::Det(ctx, r) : c.op == 'r' ? ar::Rang(ctx, r) : ar::Spur(ctx, r), c.v) << c.name;
    EXPECT_EQ(std::tie(ctx.overflow, r), std::tie(c.overflow, c.m)) << c.name;
  }
}

// FLINT keeps the big integers it frees for reuse, in blocks of about 4000, and an uncleared one shows as a
// leak only once the blocks after its own are used up too: one per call is reported from about 8200 calls on
// (12200 for the inverse). Each call here takes the FLINT path and ends with big integers; the inverse's
// factor 1/(2^63 - 1) and 1/-2^63 leave them in its last quotient and in its last gcd.
TEST(FlintPath, LeavesNoBigIntegerBehind) {
  const Matrix det = M("min 1; 1 min"), inv = M("2^33 1; 0 2^33"), sys = M("4294967297 1 2147483650; 1 4294967297 1");
  const Matrix invMax = M("2^33 1; 0 2^33 | 1/max"), invMin = M("2^33 1; 0 2^33 | 1/min");
  const Matrix lin = M("2^62 0; 0 3");
  ar::RecordingContext ctx;
  std::array<ar::BruchT, ar::kCramerMax> x{};
  Matrix r = kBefore, l = kBefore, s = kBefore;
  bool failed = false;
  int64_t d = 0;
  for (int k = 0; k < 20000; ++k) {
    d |= ar::Det(ctx, det);  // 2^126 - 1
    ar::Invertieren(ctx, inv, r, failed);  // denominator 2^66
    ar::Invertieren(ctx, invMax, r, failed);  // (2^63 - 1) / 2^66
    ar::Invertieren(ctx, invMin, s, failed);  // -2^63 / 2^66 = -1/8
    ar::CramerBrueche(ctx, sys, x);  // x_1 = 9223372047592194049/18446744082299486208
    ar::Abbildungsmatrix(ctx, lin, lin, l, failed);  // its determinant 3 * 2^62 on the way
  }
  EXPECT_EQ(std::tie(d, r, l, failed, ctx.overflow), std::make_tuple(0, kBefore, identity(2), false, true));
  EXPECT_EQ(s, M("2^33 -1; 0 2^33 | -1/8"));
}

}  // namespace
