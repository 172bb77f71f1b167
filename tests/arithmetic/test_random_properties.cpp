// Properties over seeded random matrices, checked in this file's own exact
// arithmetic: 128-bit integers and a Laplace expansion memoised over row
// subsets.

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "arithmetic/determinant.h"
#include "arithmetic/elimination.h"
#include "arithmetic/inverse.h"
#include "arithmetic/orthogonal.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;
using i128 = __int128;

constexpr int kRounds = 100;

// rows x cols, entries from -bound to bound, factor 1/1.
Matrix randomMatrix(std::mt19937_64& rng, int rows, int cols, int64_t bound) {
  std::uniform_int_distribution<int64_t> entry(-bound, bound);
  Matrix m = make(rows, cols, {});
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= cols; ++j) m[i][j] = entry(rng);
  return m;
}

// Determinant of rows 1..n of the given columns (by default 1..n), by
// expansion along the first of them, each minor computed once.
i128 laplace(const Matrix& m, int n, std::vector<int> cols = {}) {
  if (cols.empty()) {
    cols.resize(n);
    std::iota(cols.begin(), cols.end(), 1);
  }
  std::vector<i128> minor(size_t{1} << n);
  minor[0] = 1;
  for (uint32_t mask = 1; mask < (1u << n); ++mask) {
    const int col = cols[n - __builtin_popcount(mask)];  // the minor on the last k columns
    i128 sum = 0;
    int pos = 0;
    for (int i = 0; i < n; ++i) {
      if (!(mask & (1u << i))) continue;
      const i128 term = static_cast<i128>(m[i + 1][col]) * minor[mask & ~(1u << i)];
      sum += pos++ % 2 ? -term : term;
    }
    minor[mask] = sum;
  }
  return minor[(1u << n) - 1];
}

i128 abs128(i128 v) { return v < 0 ? -v : v; }
i128 gcd128(i128 a, i128 b) {
  while (b != 0) a = std::exchange(b, a % b);
  return abs128(a);
}

// Up to 12 x 12 with entries to 10 every determinant fits; 6 x 6 with entries
// to 1500 some do and some do not.
TEST(RandomDet, ExactOrReported) {
  std::mt19937_64 rng(11);
  int fitting = 0, reported = 0;
  for (int round = 0; round < 3 * kRounds; ++round) {
    const bool big = round >= 2 * kRounds;
    const int n = big ? 6 : round < kRounds ? 12 : 1 + round % 12;
    const Matrix m = randomMatrix(rng, n, n, big ? 1500 : 10);
    const i128 det = laplace(m, n);
    const bool fits = det >= kMin && det <= kMax;
    ar::RecordingContext ctx;
    const int64_t got = ar::Det(ctx, m);
    EXPECT_EQ(ctx.overflow, !fits) << "round " << round;
    EXPECT_EQ(static_cast<i128>(got), fits ? det : 0) << "round " << round;
    EXPECT_TRUE(big || fits) << "round " << round;
    ++(fits ? fitting : reported);
  }
  EXPECT_GT(fitting, 2 * kRounds);  // some of the large ones too
  EXPECT_GT(reported, 0);
}

// A * R = I, where R's value is its factor times its entries, and R's entries
// with its denominator have no common divisor (the least denominator).
TEST(RandomInverse, TimesTheMatrixIsTheIdentity) {
  std::mt19937_64 rng(13);
  int regular = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    Matrix a = randomMatrix(rng, 12, 12, 10);
    const int64_t Z = a[0][2] = static_cast<int64_t>(rng() % 7) - 3;  // factor Z/N, Z may be 0
    const int64_t N = a[0][3] = static_cast<int64_t>(rng() % 5) + 1;
    const i128 det = laplace(a, 12);
    ar::RecordingContext ctx;
    Matrix r{};
    bool failed = false;
    ar::Invertieren(ctx, a, r, failed);
    ASSERT_FALSE(ctx.overflow);
    ASSERT_EQ(failed, det == 0);
    EXPECT_EQ(ctx.messages.size(), det == 0 ? 1u : 0u);
    if (det == 0) continue;
    ++regular;
    EXPECT_EQ(r[0][0], 12);
    EXPECT_EQ(r[0][1], 12);
    // a * r = d * I with d > 0 the least denominator: r's entries and d
    // have no common divisor, and d divides det a.
    i128 prod[13][13] = {};
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j)
        for (int k = 1; k <= 12; ++k) prod[i][j] += static_cast<i128>(a[i][k]) * r[k][j];
    const i128 d = prod[1][1];
    EXPECT_GT(d, 0);
    i128 g = 0;
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) {
        EXPECT_EQ(prod[i][j], i == j ? d : 0) << i << "," << j;
        g = gcd128(g, r[i][j]);
      }
    EXPECT_EQ(gcd128(g, d), 1);
    EXPECT_EQ(abs128(det) % d, 0);
    // (Z/N) a times (rz/rn) r is I: Z * rz * d = N * rn.
    EXPECT_EQ(static_cast<i128>(Z) * r[0][2] * d, static_cast<i128>(N) * r[0][3]);
    EXPECT_TRUE(Z == 0 || r[0][3] != 0);
  }
  EXPECT_GT(regular, kRounds / 2);
}

// 11 equations with their right-hand sides: row k of the result is
// (D e_k | D_k) divided by gcd(D, D_k), with D = det A and D_k Cramer's.
TEST(RandomElimination, SolvesSystemsExactly) {
  std::mt19937_64 rng(14);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    const Matrix m = randomMatrix(rng, 11, 12, 10);
    const i128 D = laplace(m, 11);
    if (D == 0) continue;
    Matrix e = m;
    ar::RecordingContext ctx;
    ar::Verfahren(ctx, e, 11, 12);
    ASSERT_FALSE(ctx.overflow);
    ASSERT_EQ(e[0][0], 11);
    for (int k = 1; k <= 11; ++k) {
      std::vector<int> ck(11);
      std::iota(ck.begin(), ck.end(), 1);
      ck[k - 1] = 12;
      const i128 Dk = laplace(m, 11, ck);
      const i128 g = gcd128(D, Dk);
      for (int j = 1; j <= 11; ++j) EXPECT_EQ(static_cast<i128>(e[k][j]), j == k ? abs128(D) / g : 0) << k << "," << j;
      EXPECT_EQ(static_cast<i128>(e[k][12]), (D < 0 ? -Dk : Dk) / g) << k;
    }
  }
}

TEST(RandomElimination, FullGridAndRank) {
  std::mt19937_64 rng(15);
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    Matrix m = randomMatrix(rng, 12, 12, 10);
    Matrix e = m;
    ar::RecordingContext ctx;
    ar::Verfahren(ctx, e, 12, 12);
    ASSERT_FALSE(ctx.overflow);
    if (laplace(m, 12) != 0) {
      EXPECT_EQ(e, identity(12));
    }
    // Rows 7..12 are combinations of rows 1..6, so the rank is 6 when the
    // first six columns of rows 1..6 are independent.
    for (int i = 7; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) m[i][j] = m[i - 6][j] * (i % 3 - 1) + m[(i % 6) + 1][j] * 2;
    if (laplace(m, 6) == 0) continue;
    EXPECT_EQ(ar::Rang(ctx, m), 6);
    EXPECT_FALSE(ctx.overflow);
  }
}

// For a regular A, column k of the result is orthogonal to the other result
// columns and to the input columns before k, has a positive product with
// input column k, and is primitive: that fixes it as the scaled Gram-Schmidt
// residual.
void expectGramSchmidt(const Matrix& a, const Matrix& c, int n) {
  auto dot = [n](const Matrix& x, int j, const Matrix& y, int k) {
    i128 sum = 0;
    for (int i = 1; i <= n; ++i) {
      i128 p;
      EXPECT_FALSE(__builtin_mul_overflow(static_cast<i128>(x[i][j]), static_cast<i128>(y[i][k]), &p));
      EXPECT_FALSE(__builtin_add_overflow(sum, p, &sum));
    }
    return sum;
  };
  for (int k = 1; k <= n; ++k) {
    for (int j = 1; j <= n; ++j) {
      if (j != k) {
        EXPECT_EQ(dot(c, j, c, k), 0) << j << "," << k;
      }
      if (j < k) {
        EXPECT_EQ(dot(c, k, a, j), 0) << k << "," << j;
      }
    }
    EXPECT_GT(dot(c, k, a, k), 0) << k;
    i128 g = 0;
    for (int i = 1; i <= n; ++i) g = gcd128(g, c[i][k]);
    EXPECT_EQ(g, 1) << k;
  }
}

// 2 x 2 to 8 x 8 always fit; on 12 x 12 the later columns need more than 64
// bits: exact or reported, never a wrong number.
TEST(RandomOrthnorm, ScaledGramSchmidtResiduals) {
  std::mt19937_64 rng(16);
  for (int round = 0; round < kRounds + 20; ++round) {
    SCOPED_TRACE(round);
    const bool twelve = round >= kRounds;
    const int n = twelve ? 12 : 2 + round % 7;
    const Matrix a = randomMatrix(rng, n, n, 10);
    const bool regular = laplace(a, n) != 0;
    if (!regular && !twelve) continue;
    Matrix c = a;
    ar::RecordingContext ctx;
    ar::Orthnorm(ctx, c);
    ASSERT_TRUE(twelve || !ctx.overflow);
    if (!ctx.overflow && regular) expectGramSchmidt(a, c, n);
  }
}

}  // namespace
