#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "arithmetic/algebra.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

constexpr int32_t kMaxExp = std::numeric_limits<int32_t>::max();  // 2^31 - 1

Matrix identity(int64_t n) {
  Matrix m = make(n, n, {});
  for (int64_t i = 1; i <= n; ++i) m[i][i] = 1;
  return m;
}

// ---- MatMult ----

TEST(MatMult, Table) {
  struct Case {
    const char* name;
    Matrix a, b, expected;
  };
  const Case cases[] = {
      {"sum over all columns of A", make(2, 3, {{1, 2, 3}, {4, 5, 6}}),
       make(3, 2, {{1, 0}, {0, 1}, {1, 1}}), make(2, 2, {{4, 5}, {10, 11}})},
      {"3x2 times 2x3", make(3, 2, {{1, 2}, {3, 4}, {5, 6}}), make(2, 3, {{1, 0, 1}, {0, 1, 1}}),
       make(3, 3, {{1, 2, 3}, {3, 4, 7}, {5, 6, 11}})},
      {"factors multiply and reduce", make(1, 1, {{1}}, 1, 2), make(1, 1, {{1}}, 2, 3), make(1, 1, {{1}}, 1, 3)},
      {"gcd of the product into the factor", make(1, 2, {{2, 4}}), make(2, 1, {{1}, {2}}, 1, 5),
       make(1, 1, {{1}}, 2, 1)},
      {"negative denominators multiply", make(1, 1, {{3}}, 1, -2), make(1, 1, {{1}}, 1, -3),
       make(1, 1, {{1}}, 1, 2)},
      {"one negative denominator", make(1, 1, {{3}}, 1, -2), make(1, 1, {{1}}, 1, 3), make(1, 1, {{1}}, 1, -2)},
      // Exact beyond 64 bits: the entry 2^64 and the factor 1/2^64 meet in the normal form.
      {"wide entry and factor", make(1, 1, {{P(32)}}, 1, P(32)), make(1, 1, {{P(32)}}, 1, P(32)),
       make(1, 1, {{1}})},
      // The 128-bit sum wraps up once and down once on its way to 2^64.
      {"128-bit sum wraps and returns", make(1, 4, {{kMin, kMin, kMin, kMin}}, 1, P(32)),
       make(4, 1, {{kMin}, {kMin}, {kMax}, {kMax}}, 1, P(32)), make(1, 1, {{1}})},
      {"products beyond 64 bits cancel", make(1, 2, {{P(62), P(62)}}), make(2, 1, {{4}, {-4}}),
       make(1, 1, {{0}})},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix r{};
    r[9][9] = 77;  // outside the result: kept
    Matrix expected = c.expected;
    expected[9][9] = 77;
    ar::MatMult(ctx, c.a, c.b, r);
    EXPECT_EQ(r, expected) << c.name;
    EXPECT_FALSE(ctx.overflow) << c.name;
    EXPECT_FALSE(ctx.Formelfehler) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MatMult, SizeMismatchLeavesTheResult) {
  ar::RecordingContext ctx;
  const Matrix a = make(2, 3, {{1, 2, 3}, {4, 5, 6}});
  Matrix r = make(4, 4, {{1, 1}}, 5, 6);
  const Matrix before = r;
  ar::MatMult(ctx, a, a, r);
  EXPECT_EQ(r, before);
  EXPECT_TRUE(ctx.Formelfehler);
  ASSERT_EQ(ctx.messages.size(), 1u);
  EXPECT_EQ(ctx.messages[0].first, "Die Matrixformate passen nicht zusammen");
  EXPECT_EQ(ctx.messages[0].second, ar::kPlainBox);
}

TEST(MatMult, OverflowLeavesTheResult) {
  struct Case {
    const char* name;
    Matrix a, b;
  };
  const Case cases[] = {
      {"factor 2^64", make(1, 1, {{P(32)}}), make(1, 1, {{P(32)}})},
      {"entry 2^64 + 1 beside a 1", make(1, 2, {{P(32), 1}}), make(2, 2, {{P(32), 0}, {1, 1}})},
      {"sum 2^127", make(1, 2, {{kMin, kMin}}), make(2, 1, {{kMin}, {kMin}})},
      {"factor numerators", make(1, 1, {{1}}, P(40), 1), make(1, 1, {{1}}, P(40), 1)},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix r = make(3, 3, {{9}}, 2, 2);
    const Matrix before = r;
    ar::MatMult(ctx, c.a, c.b, r);
    EXPECT_TRUE(ctx.overflow) << c.name;
    EXPECT_EQ(r, before) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MatMult, HeadersFromFilesStayInsideTheArray) {
  ar::RecordingContext ctx;
  Matrix a = identity(12);
  a[0][0] = 99;
  a[0][1] = 99;
  Matrix b = a;
  b[0][0] = 99;
  Matrix r{};
  ar::MatMult(ctx, a, b, r);
  Matrix expected = identity(12);
  expected[0][0] = 99;
  expected[0][1] = 99;
  EXPECT_EQ(r, expected);
}

// ---- MatPlus ----

TEST(MatPlus, Table) {
  struct Case {
    const char* name;
    Matrix a, b, expected;
    int64_t aZ, bZ;  // the operands' numerators afterwards
  };
  const Case cases[] = {
      {"halves and thirds", make(1, 1, {{1}}, 1, 2), make(1, 1, {{1}}, 1, 3), make(1, 1, {{1}}, 5, 6), 3, 2},
      {"L = 12", make(1, 1, {{1}}, 1, 4), make(1, 1, {{1}}, 1, 6), make(1, 1, {{1}}, 5, 12), 3, 2},
      {"L = -6", make(1, 1, {{1}}, 1, -2), make(1, 1, {{1}}, 1, 3), make(1, 1, {{1}}, 1, -6), 3, -2},
      {"2x2 with signs", make(2, 2, {{1, 0}, {0, -1}}, 2, 3), make(2, 2, {{2, 2}, {2, 2}}, -1, 6),
       make(2, 2, {{1, -1}, {-1, -3}}, 1, 3), 4, -1},
      {"cancels to zero", make(1, 2, {{1, 3}}, 1, 2), make(1, 2, {{1, 3}}, -1, 2), make(1, 2, {{0, 0}}, 1, 2), 1, -1},
      {"zero denominator flows on", make(1, 1, {{1}}, 1, 0), make(1, 1, {{1}}, 1, 2), make(1, 1, {{0}}, 1, 0), 0, 0},
      {"wide sum halved", make(1, 1, {{kMax}}, 1, 2), make(1, 1, {{kMax}}, 1, 2), make(1, 1, {{1}}, kMax, 1), 1, 1},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix a = c.a;
    Matrix b = c.b;
    Matrix r{};
    r[7][7] = 5;
    Matrix expected = c.expected;
    expected[7][7] = 5;
    ar::MatPlus(ctx, a, b, r);
    EXPECT_EQ(r, expected) << c.name;
    EXPECT_EQ(a[0][2], c.aZ) << c.name;
    EXPECT_EQ(b[0][2], c.bZ) << c.name;
    EXPECT_EQ(a[0][3], c.a[0][3]) << c.name;
    EXPECT_EQ(b[0][3], c.b[0][3]) << c.name;
    EXPECT_FALSE(ctx.overflow) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MatPlus, DifferentSizesChangeNothing) {
  ar::RecordingContext ctx;
  Matrix a = make(2, 2, {{1, 2}, {3, 4}}, 1, 2);
  Matrix b = make(2, 3, {{1, 2, 3}, {4, 5, 6}}, 1, 3);
  Matrix r = make(1, 1, {{8}});
  const Matrix a0 = a, b0 = b, r0 = r;
  ar::MatPlus(ctx, a, b, r);
  EXPECT_EQ(a, a0);
  EXPECT_EQ(b, b0);
  EXPECT_EQ(r, r0);
  EXPECT_TRUE(ctx.Formelfehler);
  ASSERT_EQ(ctx.messages.size(), 1u);
  EXPECT_EQ(ctx.messages[0].first, "Matrizen haben verschiedene Formate");
}

TEST(MatPlus, OverflowChangesNothing) {
  struct Case {
    const char* name;
    Matrix a, b;
  };
  const Case cases[] = {
      {"numerator over L", make(1, 1, {{1}}, kMax, 3), make(1, 1, {{1}}, 1, 2)},
      {"sum of the entries", make(1, 1, {{kMax}}), make(1, 1, {{kMax}})},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix a = c.a;
    Matrix b = c.b;
    Matrix r = make(1, 1, {{8}});
    const Matrix r0 = r;
    ar::MatPlus(ctx, a, b, r);
    EXPECT_TRUE(ctx.overflow) << c.name;
    EXPECT_EQ(a, c.a) << c.name;
    EXPECT_EQ(b, c.b) << c.name;
    EXPECT_EQ(r, r0) << c.name;
  }
}

// ---- MatSkalMul ----

TEST(MatSkalMul, Table) {
  struct Case {
    const char* name;
    int64_t z, n;
    Matrix m, expected;
    bool overflow;
  };
  const Case cases[] = {
      {"2/3 on 3/4", 2, 3, make(1, 2, {{2, 3}}, 3, 4), make(1, 2, {{2, 3}}, 1, 2), false},
      {"-1 negates the entries", -1, 1, make(1, 2, {{2, 3}}, 3, 4), make(1, 2, {{-2, -3}}, 3, 4), false},
      {"n = 0 leaves denominator 0", 1, 0, make(1, 2, {{2, 3}}, 3, 4), make(1, 2, {{2, 3}}, 1, 0), false},
      {"entries reduced too", 1, 1, make(1, 2, {{4, 6}}), make(1, 2, {{2, 3}}, 2, 1), false},
      {"wide product reduced", 4, P(10), make(1, 1, {{1}}, P(62), 1), make(1, 1, {{1}}, P(54), 1), false},
      {"does not fit", 4, 1, make(1, 1, {{1}}, P(62), 1), make(1, 1, {{1}}, P(62), 1), true},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = c.m;
    ar::MatSkalMul(ctx, c.z, c.n, m);
    EXPECT_EQ(m, c.expected) << c.name;
    EXPECT_EQ(ctx.overflow, c.overflow) << c.name;
  }
}

// ---- Transponieren ----

TEST(Transponieren, SwapsSizesKeepsTheFactorUnreduced) {
  const Matrix a = make(2, 3, {{1, 2, 3}, {4, 5, 6}}, 4, 6);
  Matrix b{};
  b[8][8] = 3;
  ar::Transponieren(a, b);
  Matrix expected = make(3, 2, {{1, 4}, {2, 5}, {3, 6}}, 4, 6);
  expected[8][8] = 3;
  EXPECT_EQ(b, expected);

  Matrix self = a;
  ar::Transponieren(self, self);
  EXPECT_EQ(self[0][0], 3);
  EXPECT_EQ(self[3][1], 3);
  EXPECT_EQ(self[1][2], 4);

  Matrix big = identity(12);
  big[0][0] = 99;
  big[0][1] = -5;
  ar::Transponieren(big, b);  // no entries within a negative column count
  EXPECT_EQ(b[0][0], -5);
  EXPECT_EQ(b[0][1], 99);
}

// ---- MatPot ----

struct PotCase {
  const char* name;
  Matrix a;
  int32_t p;
  Matrix expected;
};

Matrix cycle(int n, int shift) {
  // Permutation matrix of i -> i + shift (mod n).
  Matrix m = make(n, n, {});
  for (int i = 0; i < n; ++i) m[i + 1][(i + shift) % n + 1] = 1;
  return m;
}

Matrix zero(int64_t n, int64_t z, int64_t d) { return make(n, n, {}, z, d); }

const Matrix kUnipotent = make(2, 2, {{1, 1}, {0, 1}});
const Matrix kNilpotent = make(2, 2, {{0, 1}, {0, 0}});

TEST(MatPot, Table) {
  const PotCase cases[] = {
      {"p = 0", kUnipotent, 0, identity(2)},
      {"p = -2", kUnipotent, -2, identity(2)},
      {"p = 1", kUnipotent, 1, kUnipotent},
      {"p = 1 in normal form", make(2, 2, {{2, 4}, {6, 8}}, 6, 4), 1, make(2, 2, {{1, 2}, {3, 4}}, 3, 1)},
      {"p = 0 on a matrix that is not square", make(1, 2, {{2, 4}}, 6, 4), 0, identity(1)},
      {"unipotent p = 2", kUnipotent, 2, make(2, 2, {{1, 2}, {0, 1}})},
      {"unipotent p = 3", kUnipotent, 3, make(2, 2, {{1, 3}, {0, 1}})},
      {"unipotent p = 2^31-1", kUnipotent, kMaxExp, make(2, 2, {{1, kMaxExp}, {0, 1}})},
      {"scaled unipotent", make(2, 2, {{2, 2}, {0, 2}}, 1, 2), kMaxExp, make(2, 2, {{1, kMaxExp}, {0, 1}})},
      {"content into the factor", make(2, 2, {{2, 2}, {0, 2}}), 62, make(2, 2, {{1, 62}, {0, 1}}, P(62), 1)},
      // Factor 1/-1: N's sign alternates, the numerator stays positive.
      {"negative unit denominator", make(2, 2, {{1, 1}, {0, 1}}, -1, -1), kMaxExp,
       make(2, 2, {{-1, -kMaxExp}, {0, -1}}, 1, -1)},
      {"negative unit numerator", make(1, 1, {{1}}, -1, 1), kMaxExp, make(1, 1, {{-1}})},
      {"identity", identity(3), kMaxExp, identity(3)},
      {"3-cycle p = 2", cycle(3, 1), 2, cycle(3, 2)},
      {"3-cycle p = 2^31-1", cycle(3, 1), kMaxExp, cycle(3, 1)},      // 2^31 - 1 = 1 mod 3
      {"12-cycle p = 2^31-1", cycle(12, 1), kMaxExp, cycle(12, 7)},   // 2^31 - 1 = 7 mod 12
      {"12-cycle p = 2^31-2", cycle(12, 1), kMaxExp - 1, cycle(12, 6)},
      // Fibonacci: A^91 = (F92, F91 / F91, F90), the last power that fits.
      {"Fibonacci p = 91", make(2, 2, {{1, 1}, {1, 0}}), 91,
       make(2, 2, {{7540113804746346429, 4660046610375530309}, {4660046610375530309, 2880067194370816120}})},
      {"halved doubling", make(1, 1, {{2}}, 1, 2), kMaxExp, make(1, 1, {{1}})},
      {"doubling p = 62", make(1, 1, {{2}}), 62, make(1, 1, {{1}}, P(62), 1)},
      // Nilpotent: once the power is 0, only the factor moves on, product by product.
      {"nilpotent p = 2", kNilpotent, 2, zero(2, 1, 1)},
      {"nilpotent p = 2^31-1", kNilpotent, kMaxExp, zero(2, 1, 1)},
      {"nilpotent keeps the content", make(2, 2, {{0, 6}, {0, 0}}), kMaxExp, zero(2, 6, 1)},
      {"nilpotent factor 2 p = 62", make(2, 2, {{0, 1}, {0, 0}}, 2, 1), 62, zero(2, P(62), 1)},
      {"nilpotent halves p = 63", make(2, 2, {{0, 6}, {0, 0}}, 1, 2), 63, zero(2, 3, P(62))},
      {"nilpotent factor 1/-1 odd p", make(2, 2, {{0, 1}, {0, 0}}, 1, -1), kMaxExp, zero(2, 1, -1)},
      {"nilpotent factor 1/-1 even p", make(2, 2, {{0, 1}, {0, 0}}, 1, -1), kMaxExp - 1, zero(2, 1, 1)},
      {"nilpotent factor -1", make(2, 2, {{0, 1}, {0, 0}}, -1, 1), kMaxExp, zero(2, 1, 1)},
      {"nilpotent factor 0", make(2, 2, {{0, 1}, {0, 0}}, 0, 5), kMaxExp, zero(2, 0, 1)},
      {"nilpotent denominator 0", make(2, 2, {{0, 1}, {0, 0}}, 3, 0), kMaxExp, zero(2, 1, 0)},
      {"3x3 nilpotent p = 2", make(3, 3, {{0, 2, 0}, {0, 0, 3}, {0, 0, 0}}), 2,
       make(3, 3, {{0, 0, 1}, {0, 0, 0}, {0, 0, 0}}, 6, 1)},
      {"3x3 nilpotent p = 2^31-1", make(3, 3, {{0, 2, 0}, {0, 0, 3}, {0, 0, 0}}), kMaxExp, zero(3, 6, 1)},
      {"empty matrix", make(0, 0, {}, 3, 4), 5, make(0, 0, {}, 243, 1024)},
  };
  for (const PotCase& c : cases) {
    ar::RecordingContext ctx;
    Matrix b = make(5, 5, {{9, 9, 9, 9, 9}}, 9, 9);
    ar::MatPot(ctx, c.a, c.p, b);
    EXPECT_EQ(b, c.expected) << c.name;
    EXPECT_FALSE(ctx.overflow) << c.name;
    EXPECT_FALSE(ctx.Formelfehler) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MatPot, OverflowReportedAndIdentityLeft) {
  const PotCase cases[] = {
      {"Fibonacci p = 92", make(2, 2, {{1, 1}, {1, 0}}), 92, identity(2)},
      {"doubling p = 63", make(1, 1, {{2}}), 63, identity(1)},
      {"doubling p = 2^31-1", make(1, 1, {{2}}), kMaxExp, identity(1)},
      {"content p = 63", make(2, 2, {{2, 2}, {0, 2}}), 63, identity(2)},
      {"nilpotent factor 2 p = 63", make(2, 2, {{0, 1}, {0, 0}}, 2, 1), 63, identity(2)},
      {"nilpotent factor 2 p = 2^31-1", make(2, 2, {{0, 1}, {0, 0}}, 2, 1), kMaxExp, identity(2)},
      {"nilpotent halves p = 64", make(2, 2, {{0, 6}, {0, 0}}, 1, 2), 64, identity(2)},
      // The products stop at A^2, whose factor 2^80 does not fit, although A^3 = 0.
      {"nilpotent with a wide square", make(3, 3, {{0, P(40), 0}, {0, 0, P(40)}, {0, 0, 0}}), kMaxExp,
       identity(3)},
      {"unipotent with a wide step", make(2, 2, {{1, P(40)}, {0, 1}}), kMaxExp, identity(2)},
  };
  for (const PotCase& c : cases) {
    ar::RecordingContext ctx;
    Matrix b{};
    ar::MatPot(ctx, c.a, c.p, b);
    EXPECT_TRUE(ctx.overflow) << c.name;
    EXPECT_EQ(b, c.expected) << c.name;
    EXPECT_TRUE(ctx.messages.empty()) << c.name;
  }
}

TEST(MatPot, NotSquareReportsOnceAndLeavesTheIdentity) {
  for (int32_t p : {1, 2, kMaxExp}) {
    ar::RecordingContext ctx;
    Matrix b{};
    ar::MatPot(ctx, make(2, 3, {{1, 2, 3}, {4, 5, 6}}), p, b);
    EXPECT_EQ(b, identity(2)) << p;
    EXPECT_TRUE(ctx.Formelfehler) << p;
    ASSERT_EQ(ctx.messages.size(), 1u) << p;
    EXPECT_EQ(ctx.messages[0].first, "Die Matrixformate passen nicht zusammen");
  }
  ar::RecordingContext ctx;
  Matrix b{};
  ar::MatPot(ctx, make(2, 3, {}), 0, b);
  EXPECT_TRUE(ctx.messages.empty());
  EXPECT_EQ(b, identity(2));
}

TEST(MatPot, LargeMatricesAndSharedArrays) {
  // 12 x 12 unipotent with a first row of ones: (I + N)^p = I + pN, as N^2 = 0.
  Matrix u = identity(12);
  for (int j = 2; j <= 12; ++j) u[1][j] = 1;
  Matrix expected = identity(12);
  for (int j = 2; j <= 12; ++j) expected[1][j] = kMaxExp;
  ar::RecordingContext ctx;
  Matrix b{};
  ar::MatPot(ctx, u, kMaxExp, b);
  EXPECT_EQ(b, expected);

  // The result array may be the operand's own.
  ar::MatPot(ctx, u, kMaxExp, u);
  EXPECT_EQ(u, expected);
  EXPECT_FALSE(ctx.overflow);

  // A header from a damaged file: square by its counts, worked within the array.
  Matrix big = identity(12);
  big[0][0] = 99;
  big[0][1] = 99;
  ar::MatPot(ctx, big, 1000, b);
  Matrix bigExpected = identity(12);
  bigExpected[0][0] = 99;
  bigExpected[0][1] = 99;
  EXPECT_EQ(b, bigExpected);
  EXPECT_FALSE(ctx.overflow);
}

}  // namespace
