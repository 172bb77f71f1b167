#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "arithmetic/algebra.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

constexpr int32_t kMaxExp = std::numeric_limits<int32_t>::max();  // 2^31 - 1

// What an operation reports: nothing, an overflow, or its format message
// with Formelfehler.
enum Outcome { kQuiet, kOverflow, kFormat };

void expectOutcome(const ar::RecordingContext& ctx, Outcome o, const char* formatMessage) {
  EXPECT_EQ(ctx.overflow, o == kOverflow);
  EXPECT_EQ(ctx.Formelfehler, o == kFormat);
  const Messages format = {{formatMessage, fw::kMsgPlain}};
  EXPECT_EQ(ctx.messages, o == kFormat ? format : Messages{});
}

constexpr const char* kMismatch = "Die Matrixformate passen nicht zusammen";

// Permutation matrix of i -> i + shift (mod n).
Matrix cycle(int n, int shift) {
  Matrix m = make(n, n, {});
  for (int i = 0; i < n; ++i) m[i + 1][(i + shift) % n + 1] = 1;
  return m;
}
Matrix zero(int64_t n, int64_t z, int64_t d) { return make(n, n, {}, z, d); }

const Matrix kUnipotent = make({{1, 1}, {0, 1}});
const Matrix kWide = make({{1, 2, 3}, {4, 5, 6}});
Matrix nil(int64_t z, int64_t n) { return make({{0, 1}, {0, 0}}, z, n); }
// 12 x 12 unipotent with a first row of v: (I + N)^p = I + pN, as N^2 = 0.
Matrix firstRow(int64_t v) {
  Matrix m = identity(12);
  for (int j = 2; j <= 12; ++j) m[1][j] = v;
  return m;
}
// A header from a damaged file: square by its counts, worked within the array.
const Matrix kDamaged = with(with(identity(12), 0, 0, 99), 0, 1, 99);

// A failing product leaves the result as it was.
TEST(MatMult, Table) {
  struct Case {
    const char* name;
    Matrix a, b, expected;
    Outcome outcome = kQuiet;
  };
  const Matrix kBefore = make(3, 3, {{9}}, 2, 2);
  const Case cases[] = {
      {"sum over all columns of A", kWide, make({{1, 0}, {0, 1}, {1, 1}}), make({{4, 5}, {10, 11}})},
      {"factors multiply and reduce", make({{1}}, 1, 2), make({{1}}, 2, 3), make({{1}}, 1, 3)},
      {"gcd of the product into the factor", make({{2, 4}}), make({{1}, {2}}, 1, 5), make({{1}}, 2, 1)},
      {"negative denominators multiply", make({{3}}, 1, -2), make({{1}}, 1, -3), make({{1}}, 1, 2)},
      {"one negative denominator", make({{3}}, 1, -2), make({{1}}, 1, 3), make({{1}}, 1, -2)},
      // Exact beyond 64 bits: the entry 2^64 and the factor 1/2^64 meet in the normal form.
      {"wide entry and factor", make({{P(32)}}, 1, P(32)), make({{P(32)}}, 1, P(32)), make({{1}})},
      // The 128-bit sum wraps up once and down once on its way to 2^64.
      {"128-bit sum wraps and returns", make({{kMin, kMin, kMin, kMin}}, 1, P(32)),
       make({{kMin}, {kMin}, {kMax}, {kMax}}, 1, P(32)), make({{1}})},
      {"products beyond 64 bits cancel", make({{P(62), P(62)}}), make({{4}, {-4}}), make({{0}})},
      {"sizes do not fit", kWide, kWide, kBefore, kFormat},
      {"factor 2^64", make({{P(32)}}), make({{P(32)}}), kBefore, kOverflow},
      {"entry 2^64 + 1 beside a 1", make({{P(32), 1}}), make({{P(32), 0}, {1, 1}}), kBefore, kOverflow},
      {"sum 2^127", make({{kMin, kMin}}), make({{kMin}, {kMin}}), kBefore, kOverflow},
      {"factor numerators", make({{1}}, P(40), 1), make({{1}}, P(40), 1), kBefore, kOverflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix r = with(kBefore, 9, 9, 77);  // outside the result: kept
    ar::MatMult(ctx, c.a, c.b, r);
    EXPECT_EQ(r, with(c.expected, 9, 9, 77));
    expectOutcome(ctx, c.outcome, kMismatch);
  }

  ar::RecordingContext ctx;  // a damaged header stays inside the array
  Matrix r{};
  ar::MatMult(ctx, kDamaged, kDamaged, r);
  EXPECT_EQ(r, kDamaged);
}

// On success the operands' numerators become those over L; a failing sum
// changes nothing.
TEST(MatPlus, Table) {
  struct Case {
    const char* name;
    Matrix a, b, expected;
    int64_t aZ, bZ;  // the operands' numerators afterwards
    Outcome outcome = kQuiet;
  };
  const Matrix kBefore = make({{8}});
  const Case cases[] = {
      {"halves and thirds", make({{1}}, 1, 2), make({{1}}, 1, 3), make({{1}}, 5, 6), 3, 2},
      {"L = 12", make({{1}}, 1, 4), make({{1}}, 1, 6), make({{1}}, 5, 12), 3, 2},
      {"L = -6", make({{1}}, 1, -2), make({{1}}, 1, 3), make({{1}}, 1, -6), 3, -2},
      {"2x2 with signs", make({{1, 0}, {0, -1}}, 2, 3), make({{2, 2}, {2, 2}}, -1, 6),
       make({{1, -1}, {-1, -3}}, 1, 3), 4, -1},
      {"cancels to zero", make({{1, 3}}, 1, 2), make({{1, 3}}, -1, 2), make({{0, 0}}, 1, 2), 1, -1},
      {"zero denominator flows on", make({{1}}, 1, 0), make({{1}}, 1, 2), make({{0}}, 1, 0), 0, 0},
      {"wide sum halved", make({{kMax}}, 1, 2), make({{kMax}}, 1, 2), make({{1}}, kMax, 1), 1, 1},
      // B's numerator over L would be -2^64: it stays, the sum fits.
      {"numerator beyond 64 bits on the way", make({{0}}, 1, 4), make({{0}}, -P(62), 1), make({{0}}, 1, 4), 1, -P(62)},
      {"sizes", make({{1, 2}, {3, 4}}, 1, 2), make({{1, 2, 3}, {4, 5, 6}}, 1, 3), kBefore, 1, 1, kFormat},
      {"numerator over L", make({{1}}, kMax, 3), make({{1}}, 1, 2), kBefore, kMax, 1, kOverflow},
      {"sum of the entries", make({{kMax}}), make({{kMax}}), kBefore, 1, 1, kOverflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix a = c.a, b = c.b, r = with(kBefore, 7, 7, 5);
    ar::MatPlus(ctx, a, b, r);
    EXPECT_EQ(r, with(c.expected, 7, 7, 5));
    EXPECT_EQ(a, with(c.a, 0, 2, c.aZ));  // nothing else of the operands changes
    EXPECT_EQ(b, with(c.b, 0, 2, c.bZ));
    expectOutcome(ctx, c.outcome, "Matrizen haben verschiedene Formate");
  }
}

TEST(MatSkalMul, Table) {
  struct Case {
    const char* name;
    int64_t z, n;
    Matrix m, expected;
    Outcome outcome = kQuiet;
  };
  const Case cases[] = {
      {"2/3 on 3/4", 2, 3, make({{2, 3}}, 3, 4), make({{2, 3}}, 1, 2)},
      {"-1 negates the entries", -1, 1, make({{2, 3}}, 3, 4), make({{-2, -3}}, 3, 4)},
      {"n = 0 leaves denominator 0", 1, 0, make({{2, 3}}, 3, 4), make({{2, 3}}, 1, 0)},
      {"entries reduced too", 1, 1, make({{4, 6}}), make({{2, 3}}, 2, 1)},
      {"wide product reduced", 4, P(10), make({{1}}, P(62), 1), make({{1}}, P(54), 1)},
      {"does not fit", 4, 1, make({{1}}, P(62), 1), make({{1}}, P(62), 1), kOverflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = c.m;
    ar::MatSkalMul(ctx, c.z, c.n, m);
    EXPECT_EQ(m, c.expected);
    expectOutcome(ctx, c.outcome, "");
  }
}

TEST(Transponieren, SwapsSizesKeepsTheFactorUnreduced) {
  const Matrix a = make({{1, 2, 3}, {4, 5, 6}}, 4, 6);
  Matrix b = with(Matrix{}, 8, 8, 3);
  ar::Transponieren(a, b);
  EXPECT_EQ(b, with(make({{1, 4}, {2, 5}, {3, 6}}, 4, 6), 8, 8, 3));

  ar::Transponieren(with(with(identity(12), 0, 0, 99), 0, 1, -5), b);  // no entries within a negative column count
  EXPECT_EQ(b[0][0], -5);
  EXPECT_EQ(b[0][1], 99);
}

// What the pass-by-pass products give; on overflow or a format error the
// identity of A's row count.
TEST(MatPot, Table) {
  struct Case {
    const char* name;
    Matrix a;
    int32_t p;
    Matrix expected;
    Outcome outcome = kQuiet;
  };
  const Case cases[] = {
      {"p = 0", kUnipotent, 0, identity(2)}, {"p = -2", kUnipotent, -2, identity(2)},
      {"p = 1 in normal form", make({{2, 4}, {6, 8}}, 6, 4), 1, make({{1, 2}, {3, 4}}, 3, 1)},
      {"p = 0 on a matrix that is not square", make({{2, 4}}, 6, 4), 0, identity(1)},
      {"unipotent p = 1", kUnipotent, 1, kUnipotent}, {"unipotent p = 2", kUnipotent, 2, make({{1, 2}, {0, 1}})},
      {"unipotent p = 2^31-1", kUnipotent, kMaxExp, make({{1, kMaxExp}, {0, 1}})},
      {"scaled unipotent", make({{2, 2}, {0, 2}}, 1, 2), kMaxExp, make({{1, kMaxExp}, {0, 1}})},
      {"content into the factor", make({{2, 2}, {0, 2}}), 62, make({{1, 62}, {0, 1}}, P(62), 1)},
      // Factor 1/-1: N's sign alternates, the numerator stays positive.
      {"negative unit denominator", make({{1, 1}, {0, 1}}, -1, -1), kMaxExp, make({{-1, -kMaxExp}, {0, -1}}, 1, -1)},
      {"negative unit numerator", make({{1}}, -1, 1), kMaxExp, make({{-1}})},
      {"identity", identity(3), kMaxExp, identity(3)}, {"3-cycle p = 2", cycle(3, 1), 2, cycle(3, 2)},
      {"3-cycle p = 2^31-1", cycle(3, 1), kMaxExp, cycle(3, 1)},     // 2^31 - 1 = 1 mod 3
      {"12-cycle p = 2^31-1", cycle(12, 1), kMaxExp, cycle(12, 7)},  // 2^31 - 1 = 7 mod 12
      {"12x12 unipotent", firstRow(1), kMaxExp, firstRow(kMaxExp)}, {"damaged header", kDamaged, 1000, kDamaged},
      // Fibonacci: A^91 = (F92, F91 / F91, F90), the last power that fits.
      {"Fibonacci p = 91", make({{1, 1}, {1, 0}}), 91,
       make({{7540113804746346429, 4660046610375530309}, {4660046610375530309, 2880067194370816120}})},
      {"halved doubling", make({{2}}, 1, 2), kMaxExp, make({{1}})},
      {"doubling p = 62", make({{2}}), 62, make({{1}}, P(62), 1)},
      // Nilpotent: once the power is 0, only the factor moves on, product by product.
      {"nilpotent keeps the content", make({{0, 6}, {0, 0}}), kMaxExp, zero(2, 6, 1)},
      {"nilpotent halves p = 63", make({{0, 6}, {0, 0}}, 1, 2), 63, zero(2, 3, P(62))},
      {"nilpotent factor 2 p = 62", nil(2, 1), 62, zero(2, P(62), 1)},
      {"nilpotent 1/-1 odd p", nil(1, -1), kMaxExp, zero(2, 1, -1)},
      {"nilpotent 1/-1 even p", nil(1, -1), kMaxExp - 1, zero(2, 1, 1)},
      {"nilpotent -1", nil(-1, 1), kMaxExp, zero(2, 1, 1)}, {"nilpotent 0/5", nil(0, 5), kMaxExp, zero(2, 0, 1)},
      {"nilpotent 3/0", nil(3, 0), kMaxExp, zero(2, 1, 0)},
      {"3x3 nilpotent p = 2", make({{0, 2, 0}, {0, 0, 3}, {0, 0, 0}}), 2, make(3, 3, {{0, 0, 1}}, 6, 1)},
      {"3x3 nilpotent p = 2^31-1", make({{0, 2, 0}, {0, 0, 3}, {0, 0, 0}}), kMaxExp, zero(3, 6, 1)},
      {"empty matrix", make(0, 0, {}, 3, 4), 5, make(0, 0, {}, 243, 1024)},
      // (I + N)^p = I + pN + p(p-1)/2 N^2: the corner is 0 for p = 2^31 - 1 only.
      {"corner beyond 64 bits on the way", make({{1, 8, -68719476672}, {0, 1, 8}, {0, 0, 1}}), kMaxExp,
       make({{1, 8 * int64_t{kMaxExp}, 0}, {0, 1, 8 * int64_t{kMaxExp}}, {0, 0, 1}})},
      {"Fibonacci p = 92", make({{1, 1}, {1, 0}}), 92, identity(2), kOverflow},
      {"doubling p = 63", make({{2}}), 63, identity(1), kOverflow},
      {"doubling p = 2^31-1", make({{2}}), kMaxExp, identity(1), kOverflow},
      {"content p = 63", make({{2, 2}, {0, 2}}), 63, identity(2), kOverflow},
      {"nilpotent factor 2 p = 63", nil(2, 1), 63, identity(2), kOverflow},
      {"nilpotent factor 2 p = 2^31-1", nil(2, 1), kMaxExp, identity(2), kOverflow},
      {"nilpotent halves p = 64", make({{0, 6}, {0, 0}}, 1, 2), 64, identity(2), kOverflow},
      // The products stop at A^2, whose factor 2^80 does not fit, although A^3 = 0.
      {"nilpotent, wide square", make({{0, P(40), 0}, {0, 0, P(40)}, {0, 0, 0}}), kMaxExp, identity(3), kOverflow},
      {"unipotent with a wide step", make({{1, P(40)}, {0, 1}}), kMaxExp, identity(2), kOverflow},
      // Not square: one message, not one per product; none without a product.
      {"not square p = 1", kWide, 1, identity(2), kFormat}, {"not square p = 0", kWide, 0, identity(2)},
      {"not square p = 2^31-1", kWide, kMaxExp, identity(2), kFormat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix b = make(5, 5, {{9, 9, 9, 9, 9}}, 9, 9);
    ar::MatPot(ctx, c.a, c.p, b);
    EXPECT_EQ(b, c.expected);
    expectOutcome(ctx, c.outcome, kMismatch);
  }
}

}  // namespace
