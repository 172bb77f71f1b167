// The greatest common divisor, the normal form, the fraction's reduction,
// product, sum, scalar multiple, power, transpose, diagonal equalisation and
// orthogonalisation.

#include <gtest/gtest.h>

#include <array>

#include "arithmetic/fraction.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

constexpr int32_t kP = 2147483647;  // 2^31 - 1, the largest exponent
Matrix cycle(int shift) {  // i -> i + shift (mod 12)
  Matrix m = M("", 12, 12);
  for (int i = 0; i < 12; ++i) m[i + 1][(i + shift) % 12 + 1] = 1;
  return m;
}
Matrix firstRow(int64_t v) {  // I + N with N^2 = 0
  Matrix m = identity(12);
  for (int j = 2; j <= 12; ++j) m[1][j] = v;
  return m;
}
Matrix p(int64_t e) { return M("", e, 0); }

// A product that fits is found however wide the way.
TEST(MatMult, Table) {
  run({{'*', "sum over all columns", M("1 2 3; 4 5 6"), M("1 0; 0 1; 1 1"), M("4 5; 10 11")},
       {'*', "factors", M("1 | 1/2"), M("1 | 2/3"), M("1 | 1/3")},
       {'*', "gcd into the factor", M("2 4"), M("1; 2 | 1/5"), M("1 | 2/1")},
       {'*', "denominators -2, 3", M("3 | 1/-2"), M("1 | 1/3"), M("1 | 1/-2")},
       {'*', "2^64 meets 1/2^64", M("2^32 | 1/2^32"), M("2^32 | 1/2^32"), M("1")},
       {'*', "128-bit sum wraps and returns", M("min min min min | 1/2^32"), M("min; min; max; max | 1/2^32"), M("1")},
       {'*', "sum 2^127 over 2^126", M("min min | 1/min"), M("min; min | 1/min"), M("1 | 2/1")},
       {'*', "sizes", M("1 2 3; 4 5 6"), M("1 2 3; 4 5 6"), kBefore, kFormat},
       {'*', "zero over 3037000500 squared", M("0 | 1/3037000500"), M("0 | 1/3037000500"), M("0")},
       {'*', "numerator 0 times 2^64 + 1", M("2^32 1; 1 1 | 0/1"), M("2^32 1; 1 1"), M("0 0; 0 0")},
       {'*', "factor 2^64", M("2^32"), M("2^32"), kBefore, kOverflow},
       {'*', "2^64 + 1", M("2^32 1"), M("2^32; 1"), kBefore, kOverflow}});
}

TEST(MatPlusAndMatSkalMul, Table) {
  run({{'+', "halves and thirds", M("1 | 1/2"), M("1 | 1/3"), M("1 | 5/6"), kQuiet, 3, 2},
       {'+', "L = 12", M("1 | 1/4"), M("1 | 1/6"), M("1 | 5/12"), kQuiet, 3, 2},
       {'+', "L = -6", M("1 | 1/-2"), M("1 | 1/3"), M("1 | 1/-6"), kQuiet, 3, -2},
       {'+', "2x2", M("1 0; 0 -1 | 2/3"), M("2 2; 2 2 | -1/6"), M("1 -1; -1 -3 | 1/3"), kQuiet, 4, -1},
       {'+', "zero denominator", M("1 | 1/0"), M("1 | 1/2"), M("0 | 1/0"), kQuiet, 0, 0},
       {'+', "wide sum halved", M("max | 1/2"), M("max | 1/2"), M("1 | max/1"), kQuiet, 1, 1},
       {'+', "B's numerator -2^64 stays", M("0 | 1/4"), M("0 | -2^62/1"), M("0"), kQuiet, 1, -P(62)},
       {'+', "A - A over 2^32 is 0/1", M("1 2 | 1/2^32"), M("-1 -2 | 1/2^32"), M("0 0"), kQuiet, 1, 1},
       {'+', "sizes", M("1 2 | 1/2"), M("1 | 1/3"), kBefore, kFormat, 1, 1},
       {'+', "sum of the entries", M("max"), M("max"), kBefore, kOverflow, 1, 1},
       {'s', "2/3 on 3/4", M("2 3 | 3/4"), M("| 2/3"), M("2 3 | 1/2")},
       {'s', "-1", M("2 3 | 3/4"), M("| -1/1"), M("-2 -3 | 3/4")},
       {'s', "1/0", M("2 3 | 3/4"), M("| 1/0"), M("2 3 | 1/0")},
       {'s', "entries too", M("4 6"), M("| 1/1"), M("2 3 | 2/1")},
       {'s', "2^64 on the way", M("1 | 2^62/1"), M("| 4/2^10"), M("1 | 2^54/1")},
       {'s', "2^64", M("1 | 2^62/1"), M("| 4/1"), M("1 | 2^62/1"), kOverflow},
       {'s', "times 0 is the zero matrix", M("1 2; 3 4 | 1/3"), M("| 0/7"), M("0 0; 0 0")},
       {'s', "0 times a huge factor", M("max min | max/3"), M("| 0/max"), M("0 0")}});
  Matrix b = with(Matrix{}, 8, 8, 3);
  ar::Transponieren(M("1 2 3; 4 5 6 | 4/6"), b);
  EXPECT_EQ(b, with(M("1 4; 2 5; 3 6 | 4/6"), 8, 8, 3));
}

// What p products in normal form give.
TEST(MatPot, Table) {
  const Matrix u = M("1 1; 0 1"), fib = M("1 1; 1 0"), nil = M("0 6; 0 0"), wide = M("1 2 3; 4 5 6");
  run({{'^', "p = 0", u, p(0), identity(2)}, {'^', "p = -2", u, p(-2), identity(2)},
      {'^', "p = 1 in normal form", M("2 4; 6 8 | 6/4"), p(1), M("1 2; 3 4 | 3/1")},
      {'^', "unipotent p = 3", u, p(3), M("1 3; 0 1")},
      {'^', "unipotent", u, p(kP), M("1 2147483647; 0 1")},
      {'^', "content", M("2 2; 0 2"), p(62), M("1 62; 0 1 | 2^62/1")},
      {'^', "denominator 1/-1", M("1 1; 0 1 | -1/-1"), p(kP), M("-1 -2147483647; 0 -1 | 1/-1")},
      {'^', "12-cycle", cycle(1), p(kP), cycle(7)}, {'^', "12x12 unipotent", firstRow(1), p(kP), firstRow(kP)},
      {'^', "Fibonacci p = 91", fib, p(91),
          M("7540113804746346429 4660046610375530309; 4660046610375530309 2880067194370816120")},
      {'^', "halved doubling", M("2 | 1/2"), p(kP), M("1")},
      // (I + N)^p = I + pN + p(p-1)/2 N^2: the corner, beyond 64 bits on the way, is 0 at p = 2^31 - 1.
      {'^', "corner 0 at the end", M("1 8 -68719476672; 0 1 8; 0 0 1"), p(kP),
          M("1 17179869176 0; 0 1 17179869176; 0 0 1")},
      // Zero from some power on: the zero matrix with factor 1/1, whatever the factors were.
      {'^', "nilpotent", nil, p(kP), M("0 0; 0 0")},
      {'^', "nilpotent 1/-1", M("0 1; 0 0 | 1/-1"), p(kP), M("0 0; 0 0")},
      {'^', "nilpotent halves p = 64", M("0 6; 0 0 | 1/2"), p(64), M("0 0; 0 0")},
      {'^', "nilpotent, 2^80 on the way", M("0 2^40 0; 0 0 2^40; 0 0 0"), p(kP), M("0 0 0; 0 0 0; 0 0 0")},
      {'^', "zero over 3037000500", M("0 | 1/3037000500"), p(2), M("0")},
      {'^', "zero times 2/1", M("0 | 2/1"), p(64), M("0")},
      {'^', "numerator 0", M("2^32 1; 1 1 | 0/1"), p(2), M("0 0; 0 0")},
      {'^', "nilpotent 3/0", M("0 1; 0 0 | 3/0"), p(kP), M("0 0; 0 0 | 1/0")}, {'^', "empty", M("| 3/4"), p(5), M("")},
      {'^', "Fibonacci p = 92", fib, p(92), identity(2), kOverflow},
      {'^', "doubling", M("2"), p(kP), identity(1), kOverflow},
      {'^', "entry p * 2^40", M("1 2^40; 0 1"), p(kP), identity(2), kOverflow},
      {'^', "not square: one message", wide, p(kP), identity(2), kFormat},
      {'^', "not square, p = 0", wide, p(0), identity(2)}});
}

TEST(Ggt, Table) {
  const std::array<int64_t, 3> cases[] = {
      {0, 0, 0}, {0, -7, 7}, {-4, 6, 2}, {12, 18, 6}, {1, 0, 1}, {kMax, 7, 7}, {9007199254740993, 3, 3}, {kMin, 6, 2},
      {kMin, kMax, 1}, {kMin, 0, P(62)}, {kMin, kMin, P(62)}};  // 2^63 does not fit: the greatest divisor that does
  for (auto [a, b, g] : cases) {
    EXPECT_EQ(ar::ggt(a, b), g) << a << ", " << b;
    EXPECT_EQ(ar::ggt(b, a), g) << b << ", " << a;
  }
}

// The normal form, which a second run leaves as it is; the rest of the header and cells outside stay.
TEST(MKuerzen, Table) {
  run({{'n', "gcd into factor", M("2 4; 6 8 | 1/3"), {}, M("1 2; 3 4 | 2/3")},
  {'n', "first stays negative", M("-2 4"), {}, M("-1 2 | 2/1")},
       {'n', "numerator made positive", M("1 -2 | -3/6"), {}, M("-1 2 | 1/2")},
       {'n', "1/-2 stays", M("4 | 1/-2"), {}, M("1 | 2/-1")},
       {'n', "last entry scanned", M("0 0; 0 6"), {}, M("0 0; 0 1 | 6/1")},
       {'n', "zero 4/6", M("0 0 | 4/6"), {}, M("0 0")},
       {'n', "zero 0/-5", M("0 | 0/-5"), {}, M("0")}, {'n', "numerator 0", M("1 2; 3 4 | 0/5"), {}, M("0 0; 0 0")},
       {'n', "zero 0/0", M("0 | 0/0"), {}, M("0 | 0/0")}, {'n', "zero 5/0", M("0 | 5/0"), {}, M("0 | 1/0")},
       {'n', "-4/0", M("2 | -4/0"), {}, M("-1 | 1/0")}, {'n', "gcd 1", M("2 3"), {}, M("2 3")},
       {'n', "gcd 2^63", M("min"), {}, M("min"), kOverflow},
       {'n', "above 2^53", M("2^53+1 3"), {}, M("3002399751580331 1 | 3/1")},
       {'n', "2^80 on the way", M("2^40 | 2^40/2^60"), {}, M("1 | 2^20/1")},
       {'n', "-2^63 entry", M("min 0 | 1/2"), {}, M("-1 0 | 2^62/1")},
       {'n', "-2^63 factor", M("5 | min/min"), {}, M("-1 | 5/-1")},
       {'n', "factor 2^80", M("2^40 0 | 2^40/1"), {}, M("2^40 0 | 2^40/1"), kOverflow},
       {'n', "-2^63 negated", M("min 1 | -1/1"), {}, M("min 1 | -1/1"), kOverflow}});
}

// Reduced with the sign in the numerator; a result beyond 64 bits is reported and changes nothing.
TEST(BruchT, Kuerzen) {
  const std::array<int64_t,
      5> cases[] = {{4, -6, -2, 3, 0}, {-4, -6, 2, 3, 0}, {0, -5, 0, 1, 0}, {-5, 0, -1, 0, 0}, {0, 0, 0, 0, 0},
                                          {9007199254740993, 3, 3002399751580331, 1, 0}, {2, kMin, -1, P(62), 0},
                                          {1, kMin, 1, kMin, 1}};
  for (auto [z, n, zOut, nOut, overflow] : cases) {
    ar::RecordingContext ctx;
    ar::BruchT b{.N = n, .Z = z};
    b.Kuerzen(ctx);
    EXPECT_EQ(std::make_pair(b.Z, b.N), std::make_pair(zOut, nOut)) << z << "/" << n;
    EXPECT_EQ(ctx.overflow, overflow == 1) << z << "/" << n;
  }
}

// Rows scaled to the common multiple of the diagonal; the factor stays. On overflow the matrix stays.
TEST(Vereinheitlichen, Table) {
  run({{'v', "2, 3", M("2 1; 1 3 | 1/2"), {}, M("6 3; 2 6 | 1/2")}, {'v', "4, 6", M("4 1; 1 6"), {}, M("12 3; 2 12")},
               {'v', "2, -3", M("2 0; 0 -3"), {}, M("-6 0; 0 -6")}, {'v', "-2, -3", M("-2 0; 0 -3"), {}, M("6 0; 0 6")},
               {'v', "zero on the diagonal", M("2 1; 1 0"), {}, M("2 1; 1 0")},
               {'v', "1 x n", M("5 7 -1"), {}, M("5 7 -1")},
               {'v', "2 x 3", M("2 1 5; 1 3 7"), {}, M("6 3 15; 2 6 14")},
               {'v', "3 x 2", M("2 1; 1 3; 5 5"), {}, M("6 3; 2 6; 5 5")},
               {'v', "beyond 2^53", M("2^53+2 0; 0 3"), {}, M("3*2^53+6 0; 0 3*2^53+6")},
               {'v', "L = 3 * 2^62", M("2^62 0; 0 3"), {}, M("2^62 0; 0 3"), kOverflow},
               {'v', "row", M("2^40 0; 2^30 3"), {}, M("2^40 0; 2^30 3"), kOverflow}});
}

// Orthogonal primitive columns; the factor and the cells below stay. On overflow the columns from there on stay.
TEST(Orthnorm, Table) {
  run({{'o', "2x2", M("1 1; 1 0 | 1/3"), {}, M("1 1; 1 -1 | 1/3")}, {'o', "3-4-5", M("3 1; 4 2"), {}, M("3 -4; 4 3")},
               {'o', "3x3", M("1 1 0; 1 0 1; 0 1 1"), {}, M("1 1 -1; 1 -1 1; 0 2 1")},
               {'o', "signs stay", M("-2 1; -4 3"), {}, M("-1 -2; -2 1")},
               {'o', "dependent", M("1 2; 2 4"), {}, M("1 0; 2 0")},
               {'o', "zero column", M("2 0; 4 0"), {}, M("1 0; 2 0")},
               {'o', "zero first column", M("0 1; 0 1"), {}, M("0 1; 0 1")},
               {'o', "wide", M("1 0 1; 0 1 1"), {}, M("1 0 0; 0 1 0")},
               {'o', "P = 2^124 + 1", M("2^62 1; 1 0"), {}, M("2^62 1; 1 -2^62")},
               {'o', "row below stays", M("1 0; 2^32 1; 0 1 | 1/3", 2, 2), {}, M("1 -2^32; 2^32 1; 0 1 | 1/3", 2, 2)},
               {'o', "column does not fit", M("1 0; 2^32 1; 0 1"), {}, M("1 0; 2^32 1; 0 1"), kOverflow}});
}

}  // namespace
