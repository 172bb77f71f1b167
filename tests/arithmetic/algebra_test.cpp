// The normal form, product, sum, scalar multiple, power, transpose, diagonal
// equalisation and orthogonalisation.

#include <gtest/gtest.h>

#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

constexpr int32_t kP = 2147483647;  // 2^31 - 1, the largest exponent
// i -> i + s (mod 12); I + N with N^2 = 0.
Matrix cycle(int s) { Matrix m = M("", 12, 12); for (int i = 0; i < 12; ++i) m[i + 1][(i + s) % 12 + 1] = 1; return m; }
Matrix firstRow(int64_t v) { Matrix m = identity(12); for (int j = 2; j <= 12; ++j) m[1][j] = v; return m; }
Matrix p(int64_t e) { return M("", e, 0); }

TEST(ProductSumScalarMultipleTranspose, Table) {
  // A product that fits is found however wide the way.
  run('*', {{"gcd into the factor", M("2 4"), M("1; 2 | 1/5"), M("1 | 2/1")},
            {"denominators -2, 3", M("3 | 1/-2"), M("1 | 1/3"), M("1 | 1/-2")},
            {"2^64 meets 1/2^64", M("2^32 | 1/2^32"), M("2^32 | 1/2^32"), M("1")},
            {"128-bit sum wraps and returns", M("min min min min | 1/2^32"), M("min; min; max; max | 1/2^32"), M("1")},
            {"sum 2^127 over 2^126", M("min min | 1/min"), M("min; min | 1/min"), M("1 | 2/1")},
            {"sizes", M("1 2 3; 4 5 6"), M("1 2 3; 4 5 6"), kBefore, kFormat},
            {"zero over 3037000500 squared", M("0 | 1/3037000500"), M("0 | 1/3037000500"), M("0")},
            {"numerator 0 times 2^64 + 1", M("2^32 1; 1 1 | 0/1"), M("2^32 1; 1 1"), M("0 0; 0 0")},
            {"factor 2^64", M("2^32"), M("2^32"), kBefore, kOverflow},
            {"factor 2^64 beside a 0", M("2^32"), M("2^32 0"), kBefore, kOverflow},
            {"entry 2^64 over factor 2^124", M("2^32 | 2^62/1"), M("2^32 | 2^62/1"), kBefore, kOverflow},
            // a = 2^33 + 1: the entries' gcd and the denominator are a^2 > 2^64.
            {"gcd of two values beyond 2^64", M("3*8589934593; 5*8589934593 | 1/8589934593"),
             M("8589934593 | 1/8589934593"), M("3; 5")},
            // Sums of 2^127 leave 128 bits: the exact way reduces them, the sign going into the entries.
            {"sum 2^127 times -1/2^126", M("min min | -1/min"), M("min; min | 1/min"), M("-1 | 2/1")},
            {"sum 2^127 over -3 * 2^124", M("min min | 1/min"), M("min; min | 1/3*2^61"), M("1 | 8/-3")},
            {"sum 2^127, numerator 0", M("min min | 0/1"), M("min; min"), M("0")},
            {"sum 2^127 over 0/0", M("min min | 0/0"), M("min; min"), M("1 | 0/0")},
            {"2^64 + 1", M("2^32 1"), M("2^32; 1"), kBefore, kOverflow},
            // Each product fits, their sum 3 * (2^31 - 1)^2 does not: the gcd 3 * (2^31 - 1) brings the row back.
            {"sum of three products past 2^63", M("2^31-1 2^31-1 2^31-1"), M("2^31-1 1; 2^31-1 1; 2^31-1 1"),
             M("2147483647 1 | 6442450941/1")},
            {"A's column 0 left out past 2^127", with(M("min min | 1/min"), 1, 0, 7), M("min; min | 1/min"),
             M("1 | 2/1")},
            {"-2^63 - 1 beside -1", M("min -1"), M("1 0; 1 1"), kBefore, kOverflow}});
  run('+', {{"L = 12", M("1 | 1/4"), M("1 | 1/6"), M("1 | 5/12"), kQuiet, 3, 2},
            {"L = -6", M("1 | 1/-2"), M("1 | 1/3"), M("1 | 1/-6"), kQuiet, 3, -2},
            {"2x2", M("1 0; 0 -1 | 2/3"), M("2 2; 2 2 | -1/6"), M("1 -1; -1 -3 | 1/3"), kQuiet, 4, -1},
            {"zero denominator", M("1 | 1/0"), M("1 | 1/2"), M("0 | 1/0"), kQuiet, 0, 0},
            {"wide sum halved", M("max | 1/2"), M("max | 1/2"), M("1 | max/1"), kQuiet, 1, 1},
            {"B's numerator -2^64 stays", M("0 | 1/4"), M("0 | -2^62/1"), M("0"), kQuiet, 1, -P(62)},
            {"A - A over 2^32 is 0/1", M("1 2 | 1/2^32"), M("-1 -2 | 1/2^32"), M("0 0"), kQuiet, 1, 1},
            {"sizes", M("1 2 | 1/2"), M("1 | 1/3"), kBefore, kFormat, 1, 1},
            // A's numerator over L = 4 is 2^64: 2^62 - 2^60 found exactly; A's numerator stays.
            {"2^64 over L", M("1 | 2^62/1"), M("-1 | 2^62/4"), M("1 | 3*2^60/1"), kQuiet, P(62), P(62)},
            {"2^64 over L = -4", M("1 | 2^62/-1"), M("-1 | 2^62/4"), M("1 | 5*2^60/-1"), kQuiet, P(62), -P(62)},
            {"sum of the entries", M("max"), M("max"), kBefore, kOverflow, 1, 1},
            {"-2^63 - 1 beside 1", M("min 1"), M("-1 0"), kBefore, kOverflow, 1, 1}});
  run('s', {{"2/3 on 3/4", M("2 3 | 3/4"), M("| 2/3"), M("2 3 | 1/2")},
            {"-1", M("2 3 | 3/4"), M("| -1/1"), M("-2 -3 | 3/4")}, {"1/0", M("2 3 | 3/4"), M("| 1/0"), M("2 3 | 1/0")},
            {"entries too", M("4 6"), M("| 1/1"), M("2 3 | 2/1")},
            {"2^64 on the way", M("1 | 2^62/1"), M("| 4/2^10"), M("1 | 2^54/1")},
            {"2^64", M("1 | 2^62/1"), M("| 4/1"), M("1 | 2^62/1"), kOverflow},
            {"times 0 is the zero matrix", M("1 2; 3 4 | 1/3"), M("| 0/7"), M("0 0; 0 0")},
            {"0 times a huge factor", M("max min | max/3"), M("| 0/max"), M("0 0")},
            {"denominator -2^63 - 1", M("1 | 1/-3074457345618258603"), M("| 1/3"), M("1 | 1/-3074457345618258603"),
             kOverflow}});
  run('t', {{"transpose", M("1 2 3; 4 5 6 | 4/6"), {}, M("1 4; 2 5; 3 6 | 4/6")}});
}

// What p products in normal form give.
TEST(MatPot, Table) {
  const Matrix u = M("1 1; 0 1"), fib = M("1 1; 1 0"), wide = M("1 2 3; 4 5 6");
  run('^', {{"p = 0", u, p(0), identity(2)}, {"p = -2", u, p(-2), identity(2)}, {"12-cycle", cycle(1), p(kP), cycle(7)},
            {"p = 1 in normal form", M("2 4; 6 8 | 6/4"), p(1), M("1 2; 3 4 | 3/1")},
            {"content", M("2 2; 0 2"), p(62), M("1 62; 0 1 | 2^62/1")},
            {"denominator 1/-1", M("1 1; 0 1 | -1/-1"), p(kP), M("-1 -2147483647; 0 -1 | 1/-1")},
            {"12x12 unipotent", firstRow(1), p(kP), firstRow(kP)},
            {"12x12, the corner in row 12 0 at the end",
             with(with(with(identity(12), 11, 10, 8), 12, 11, 8), 12, 10, -68719476672), p(kP),
             with(with(identity(12), 11, 10, 17179869176), 12, 11, 17179869176)},
            {"Fibonacci p = 91", fib, p(91),
             M("7540113804746346429 4660046610375530309; 4660046610375530309 2880067194370816120")},
            {"halved doubling", M("2 | 1/2"), p(kP), M("1")},
            // (I + N)^p = I + pN + p(p-1)/2 N^2: the corner, beyond 64 bits on the way, is 0 at p = 2^31 - 1.
            {"corner 0 at the end", M("1 8 -68719476672; 0 1 8; 0 0 1"), p(kP),
             M("1 17179869176 0; 0 1 17179869176; 0 0 1")},
            // Zero from some power on: the zero matrix with factor 1/1, whatever the factors were.
            {"nilpotent", M("0 6; 0 0"), p(kP), M("0 0; 0 0")},
            {"nilpotent 1/-1", M("0 1; 0 0 | 1/-1"), p(kP), M("0 0; 0 0")},
            {"nilpotent halves p = 64", M("0 6; 0 0 | 1/2"), p(64), M("0 0; 0 0")},
            {"nilpotent, 2^80 on the way", M("0 2^40 0; 0 0 2^40; 0 0 0"), p(kP), M("0 0 0; 0 0 0; 0 0 0")},
            {"zero over 3037000500", M("0 | 1/3037000500"), p(2), M("0")}, {"empty", M("| 3/4"), p(5), M("")},
            {"zero times 2/1", M("0 | 2/1"), p(64), M("0")}, {"Fibonacci p = 92", fib, p(92), identity(2), kOverflow},
            {"numerator 0", M("2^32 1; 1 1 | 0/1"), p(2), M("0 0; 0 0")},
            {"nilpotent 3/0", M("0 1; 0 0 | 3/0"), p(kP), M("0 0; 0 0 | 1/0")},
            {"doubling", M("2"), p(kP), identity(1), kOverflow},
            {"denominator 3^p", M("1 | 1/3"), p(kP), identity(1), kOverflow},
            // Reported as soon as the factor passes the bound, not after growing to gigabytes.
            {"2^62", M("2^62"), p(kP), identity(1), kOverflow},
            {"denominator 2^62", M("1 | 1/2^62"), p(kP), identity(1), kOverflow},
            {"2I", M("2 0; 0 2"), p(kP), identity(2), kOverflow},
            {"I/2", M("1 0; 0 1 | 1/2"), p(kP), identity(2), kOverflow},
            {"entry p * 2^40", M("1 2^40; 0 1"), p(kP), identity(2), kOverflow},
            {"not square: one message", wide, p(kP), identity(2), kFormat},
            {"not square, p = 0", wide, p(0), identity(2)}});
}

// The term evaluator hands a fresh array to the sum; "lin.Abb." a copy of A, whose cells outside the product stay.
TEST(ProductSumIntoOtherArrays, Table) {
  const Matrix column0 = with(with(kBefore, 1, 0, 3), 2, 0, 5);
  const struct { const char* name; char op; Matrix a, b, r, expected; } cases[] = {
      {"2^64 over L into a fresh array", '+', M("1 | 2^62/1"), M("-1 | 2^62/4"), Matrix{}, M("1 | 3*2^60/1")},
      {"2^64 over L beside column 0 and the header's cell 4", '+', M("1 2 3 4 | 2^62/1"), M("-1 -2 -3 -4 | 2^62/4"),
       with(column0, 0, 4, 9), with(with(with(M("1 2 3 4 | 3*2^60/1"), 1, 0, 3), 2, 0, 5), 0, 4, 9)},
      {"sum 2^127 beside column 0", '*', M("min min | 1/min"), M("min; min | 1/min"), column0,
       with(with(M("1 | 2/1"), 1, 0, 3), 2, 0, 5)}};
  for (auto c : cases) {
    ar::RecordingContext ctx;
    c.op == '+' ? ar::MatPlus(ctx, c.a, c.b, c.r) : ar::MatMult(ctx, c.a, c.b, c.r);
    EXPECT_EQ(std::tie(c.r, ctx.overflow), std::make_tuple(c.expected, false)) << c.name;
  }
}

TEST(NormalFormDiagonalOrthogonal, Table) {
  // The normal form, which a second run leaves as it is; the rest of the header and cells outside stay.
  run('n', {{"gcd into factor", M("2 4; 6 8 | 1/3"), {}, M("1 2; 3 4 | 2/3")},
            {"first stays negative", M("-2 4"), {}, M("-1 2 | 2/1")}, {"1/-2 stays", M("4 | 1/-2"), {}, M("1 | 2/-1")},
            {"numerator made positive", M("1 -2 | -3/6"), {}, M("-1 2 | 1/2")},
            {"last entry scanned", M("0 0; 0 6"), {}, M("0 0; 0 1 | 6/1")}, {"zero 4/6", M("0 0 | 4/6"), {}, M("0 0")},
            {"zero 0/-5", M("0 | 0/-5"), {}, M("0")}, {"numerator 0", M("1 2; 3 4 | 0/5"), {}, M("0 0; 0 0")},
            {"zero 0/0", M("0 | 0/0"), {}, M("0 | 0/0")}, {"zero 5/0", M("0 | 5/0"), {}, M("0 | 1/0")},
            {"-4/0", M("2 | -4/0"), {}, M("-1 | 1/0")}, {"gcd 2^63", M("min"), {}, M("min"), kOverflow},
            {"above 2^53", M("2^53+1 3"), {}, M("3002399751580331 1 | 3/1")},
            {"2^80 on the way", M("2^40 | 2^40/2^60"), {}, M("1 | 2^20/1")},
            {"-2^63 entry", M("min 0 | 1/2"), {}, M("-1 0 | 2^62/1")},
            {"-2^63 factor", M("5 | min/min"), {}, M("-1 | 5/-1")},
            {"factor 2^80", M("2^40 0 | 2^40/1"), {}, M("2^40 0 | 2^40/1"), kOverflow},
            {"-2^63 negated", M("min 1 | -1/1"), {}, M("min 1 | -1/1"), kOverflow},
            {"value zero, column 0 stays", with(M("1 2 | 0/5"), 1, 0, 7), {}, with(M("0 0"), 1, 0, 7)}});
  // Rows scaled to the common multiple of the diagonal; the factor stays. Where the scaled rows leave 64 bits,
  // the normal form of their value; where that does not fit either, the matrix stays.
  run('v', {{"2, 3", M("2 1; 1 3 | 1/2"), {}, M("6 3; 2 6 | 1/2")}, {"4, 6", M("4 1; 1 6"), {}, M("12 3; 2 12")},
            {"2, -3", M("2 0; 0 -3"), {}, M("-6 0; 0 -6")}, {"-2, -3", M("-2 0; 0 -3"), {}, M("6 0; 0 6")},
            {"zero on the diagonal", M("2 1; 1 0"), {}, M("2 1; 1 0")},
            {"zero at (1,1)", M("0 1; 1 2"), {}, M("0 1; 1 2")},
            {"last column", M("2 0 0; 0 3 2^62"), {}, M("3 0 0; 0 3 2^62 | 2/1")},
            {"last column, column 0 along", with(with(M("2 0 0; 0 3 2^62"), 1, 0, 5), 2, 0, P(62)), {},
             with(with(M("3 0 0; 0 3 2^62 | 2/1"), 1, 0, 15), 2, 0, kMin)},
            // L = -2: row 2 times -1 is (2^63, -2).
            {"2^63 in a row", with(M("-2 0; min 2"), 2, 0, 7), {}, with(M("-1 0; 2^62 -1 | 2/1"), 2, 0, -7)},
            {"2^63 in a row, 1/-3", M("-2 0; min 2 | 1/-3"), {}, M("-1 0; 2^62 -1 | 2/-3")},
            {"L = 3 * 2^62 over 3 * 2^61", M("2^62 0; 0 3 | 1/3*2^61"), {}, M("1 0; 0 1 | 2/1")},
            {"L = 3 * 2^62 over -3 * 2^61", M("2^62 0; 0 3 | -1/3*2^61"), {}, M("-1 0; 0 -1 | 2/1")},
            {"a row below the diagonal takes part in the gcd", M("2^62 0; 0 3; 3 0"), {},
             M("2^62 0; 0 2^62; 1 0 | 3/1")},
            {"... and keeps the normal form from fitting", M("2^62 0; 0 3; 5 5"), {}, M("2^62 0; 0 3; 5 5"), kOverflow},
            {"2 x 3", M("2 1 5; 1 3 7"), {}, M("6 3 15; 2 6 14")},
            {"3 x 2", M("2 1; 1 3; 5 5"), {}, M("6 3; 2 6; 5 5")},
            {"beyond 2^53", M("2^53+2 0; 0 3"), {}, M("3*2^53+6 0; 0 3*2^53+6")},
            {"L = 3 * 2^62", M("2^62 0; 0 3"), {}, M("2^62 0; 0 3"), kOverflow},
            {"row", M("2^40 0; 2^30 3"), {}, M("3 0; 2^30 3 | 2^40/1")},
            {"a factor of 2^62 stays out", M("2 1; 1 3 | 2^62/1"), {}, M("6 3; 2 6 | 2^62/1")},
            {"... also where the rows share a divisor", M("2 0; 0 3 | 2^62/1"), {}, M("6 0; 0 6 | 2^62/1")},
            // Column 0 carries no value; files keep it, and it is scaled along, wrapping: 3 * 2^62 -> -2^62.
            {"column 0 along", with(M("2 1; 1 3"), 1, 0, P(62)), {}, with(M("6 3; 2 6"), 1, 0, -P(62))},
            {"column 0 along, rows sharing a divisor", with(M("2 0; 0 3"), 1, 0, P(62)), {},
             with(M("6 0; 0 6"), 1, 0, -P(62))},
            {"value zero: nothing to scale", M("max 1; 1 max-1 | 0/1"), {}, M("max 1; 1 max-1 | 0/1")},
            // L = 2^62 (2^124 - 1) leaves even 128 bits.
            {"L beyond 128 bits", M("2^62 0 0; 0 2^62-1 0; 0 0 2^62+1"), {}, M("2^62 0 0; 0 2^62-1 0; 0 0 2^62+1"),
             kOverflow}});
  // Orthogonal primitive columns; the factor and the cells below stay. On overflow the columns from there on stay.
  Matrix twelve = M("", 12, 8), units = twelve;  // columns e_1 and e_1 + e_j: the residuals are e_j
  for (int j = 1; j <= 8; ++j) twelve[1][j] = 1, twelve[j][j] = 1, units[j][j] = 1;
  run('o', {{"2x2", M("1 1; 1 0 | 1/3"), {}, M("1 1; 1 -1 | 1/3")}, {"3-4-5", M("3 1; 4 2"), {}, M("3 -4; 4 3")},
            {"3x3", M("1 1 0; 1 0 1; 0 1 1"), {}, M("1 1 -1; 1 -1 1; 0 2 1")},
            {"signs stay", M("-2 1; -4 3"), {}, M("-1 -2; -2 1")}, {"dependent", M("1 2; 2 4"), {}, M("1 0; 2 0")},
            {"zero column", M("2 0; 4 0"), {}, M("1 0; 2 0")}, {"zero first column", M("0 1; 0 1"), {}, M("0 1; 0 1")},
            {"wide", M("1 0 1; 0 1 1"), {}, M("1 0 0; 0 1 0")},
            {"P = 2^124 + 1", M("2^62 1; 1 0"), {}, M("2^62 1; 1 -2^62")},
            {"row below stays", M("1 0; 2^32 1; 0 1 | 1/3", 2, 2), {}, M("1 -2^32; 2^32 1; 0 1 | 1/3", 2, 2)},
            {"<c, a> = -1", M("1 -1; 0 1"), {}, M("1 0; 0 1")},
            {"twelve rows", M("1 1; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0; 1 0"), {},
             M("1 11; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1; 1 -1")},
            {"twelve rows, eight columns", twelve, {}, units},
            // The residual (2^64 + 1, -2^32, 1): only its first entry does not fit.
            {"first entry does not fit", M("0 1; 1 0; 2^32 1"), {}, M("0 1; 1 0; 2^32 1"), kOverflow},
            {"column does not fit", M("1 0; 2^32 1; 0 1"), {}, M("1 0; 2^32 1; 0 1"), kOverflow}});
}

// What the protocol shows: a value of zero as the zero matrix with factor 1/1; any other matrix as it is.
TEST(Nullform, Table) {
  const struct { const char* name; Matrix m, expected; } cases[] = {
      {"numerator 0 over 1", M("1 2 | 0/1"), M("0 0")}, {"zero entries, 5/1", M("0 0 | 5/1"), M("0 0")},
      {"zero entries, 5/3", M("0; 0 | 5/3"), M("0; 0")}, {"1/0 has no value", M("0 | 1/0"), M("0 | 1/0")},
      {"not zero: as it is", M("0 3 | 2/1"), M("0 3 | 2/1")}};
  for (const auto& c : cases) EXPECT_EQ(ar::Nullform(c.m), c.expected) << c.name;
}

}  // namespace
