// The helpers under the elimination: inverses modulo 2^64 and 2^128, exact division by a pivot, the content of a
// row and its primitive form, the fused row steps, fraction-free elimination and the size of big entries.
// Expected values by hand or from python3 (pow(x, -1, 2**64), math.gcd, fractions).

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "arithmetic/bareiss.h"
#include "arithmetic/bignum.h"
#include "arithmetic/exact.h"
#include "arithmetic/fused.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;
using ar::exact::i128;
using ar::exact::u128;
constexpr u128 U(uint64_t hi, uint64_t lo) { return u128(hi) << 64 | lo; }

TEST(Inverse, ModuloPowersOfTwo) {
  const struct { uint64_t odd, inv64; u128 inv128; } rows[] = {
      {1, 1, 1},
      {3, 0xAAAAAAAAAAAAAAAB, U(0xAAAAAAAAAAAAAAAA, 0xAAAAAAAAAAAAAAAB)},
      {5, 0xCCCCCCCCCCCCCCCD, U(0xCCCCCCCCCCCCCCCC, 0xCCCCCCCCCCCCCCCD)}};
  for (const auto& r : rows) {
    EXPECT_EQ(ar::exact::inverse64(r.odd), r.inv64) << r.odd;
    EXPECT_TRUE(ar::exact::inverse128(r.odd) == r.inv128) << r.odd;
  }
}

// x / d when d divides x and the quotient fits; exact() agrees where x fits in 64 bits.
TEST(ExactDivisor64, Table) {
  const struct { int64_t d; const char* x; bool ok; int64_t q = 0; } rows[] = {
      {7, "21", true, 3}, {6, "9", false}, {-4, "-12", true, 3}, {1, "min", true, kMin}, {-1, "-max", true, kMax},
      {-1, "-2^63", false}, {-2, "-2^64", false}, {2, "2^64", false}, {-3, "-3*2^63", false},
      {3, "3*2^62", true, P(62)}, {kMin, "5*2^63", true, -5}, {kMin, "-2^126", false},
      // -2^63 fits, whatever the divisor's sign.
      {-1, "2^63", true, kMin}, {-4, "2^65", true, kMin}, {kMin, "2^126", true, kMin}, {4, "-2^65", true, kMin}};
  for (const auto& r : rows) {
    const ar::exact::ExactDivisor64 div(r.d);
    const i128 x = wide(r.x);
    SCOPED_TRACE(std::to_string(r.d) + " " + r.x);
    int64_t q = 0;
    const bool ok = div.divide(x, q);
    EXPECT_EQ(std::make_tuple(ok, ok ? q : 0), std::make_tuple(r.ok, r.q));
    const bool fits = r.ok && ar::exact::fits64(x);
    EXPECT_EQ(fits ? div.exact(static_cast<int64_t>(x)) : 0, fits ? r.q : 0);
  }
}

// The gcd of the magnitudes and the row divided by it; a quotient beyond 64 bits is reported (the row is then not
// compared). The values stand in an array of exactly their count.
TEST(Content, StorePrimitive) {
  const struct { std::vector<const char*> v; const char* content; bool ok; std::vector<int64_t> out = {}; } rows[] = {
      {{"0", "0", "0"}, "0", true, {0, 0, 0}}, {{"0", "-1", "5"}, "1", true, {0, -1, 5}},
      {{"6", "4"}, "2", true, {3, 2}}, {{"-12", "0", "18", "8"}, "2", true, {-6, 0, 9, 4}},
      {{"3*2^70", "-5*2^70"}, "2^70", true, {3, -5}}, {{"2^100", "3"}, "1", false},
      {{"2^65", "2"}, "2", false}, {{"2^64", "-2"}, "2", false}, {{"-2^64", "2"}, "2", true, {kMin, 1}}};
  for (const auto& r : rows) {
    std::vector<i128> v(r.v.size());
    std::transform(r.v.begin(), r.v.end(), v.begin(), [](const char* t) { return wide(t); });
    std::vector<int64_t> out(v.size());
    const int n = static_cast<int>(v.size());
    SCOPED_TRACE(std::string(r.v[0]) + " " + r.v[1] + " ...");
    EXPECT_TRUE(ar::exact::content(v.data(), n) == static_cast<u128>(wide(r.content)));
    const bool ok = ar::exact::storePrimitive(v.data(), n, out.data());
    EXPECT_EQ(std::make_tuple(ok, ok ? out : r.out), std::make_tuple(r.ok, r.out));
  }
}

// 'c' clearEntry(j, k, p, cols, zero), 'r' reduceRow(j, cols), 'n' negateRow(j, cols); column 0 and the cells
// beyond cols stay. A failing step is only reported (its row is not compared).
TEST(FusedRowSteps, Table) {
  const struct { const char* name; char op; Matrix before, expected; int32_t j, k = 0, p = 0, cols = 2, zero = 0;
                 bool ok = true; } rows[] = {
      {"reduced: non-zero in the last zero column", 'c', M("1 1; 2 0"), M("1 1; 0 -1"), 2, 1, 1, 2, 2},
      {"zero over column 1: kept as combined", 'c', M("1 1; 1 3"), M("1 1; 0 2"), 2, 1, 1, 2, 1},
      {"-2 times a row, reduced", 'c', M("1 -2; 4 0 5", 2, 2), M("1 -2; -1 0 5", 2, 2), 2, 1, 2, 2, 1},
      {"-2 times a row, kept", 'c', M("-2 1; 0 6 5", 2, 2), M("-2 1; 0 -12 5", 2, 2), 2, 1, 1, 2, 1},
      {"2^64 kept as combined", 'c', M("4 0; 1 2^62"), {}, 2, 1, 1, 2, 1, false},
      {"reduce", 'r', M("-6 0 9 4"), M("-2 0 3 4"), 1, 0, 0, 3}, {"negate", 'n', M("1 -2 max"), M("-1 2 -max"), 1, 0, 0, 3},
      {"-2^63 beyond cols", 'n', M("3 4 min"), M("-3 -4 min"), 1}, {"-2^63", 'n', M("3 min"), {}, 1, 0, 0, 2, 0, false}};
  for (const auto& r : rows) {
    Matrix m = r.before;
    bool ok = true;
    scribble();
    if (r.op == 'c') ok = ar::fused::clearEntry(m, r.j, r.k, r.p, r.cols, r.zero);
    if (r.op == 'r') ar::fused::reduceRow(m, r.j, r.cols);
    if (r.op == 'n') ok = ar::fused::negateRow(m, r.j, r.cols);
    EXPECT_EQ(std::make_tuple(ok, ok ? m : r.expected), std::make_tuple(r.ok, r.expected)) << r.name;
  }
}

// Only the n x width block changes, and only when the elimination ends (kDone).
TEST(Bareiss, Table) {
  using enum ar::detail::Elimination;
  const struct { const char* name; Matrix in; int n, width; bool jordan; ar::detail::Elimination outcome; int column;
                 bool odd; Matrix out = {}; } rows[] = {
      {"det -2", M("1 2; 3 4"), 2, 2, false, kDone, 2, false, M("1 2; 0 -2")},
      {"an exchange", M("0 1; 1 0"), 2, 2, false, kDone, 2, true, M("1 0; 0 1")},
      {"2x + y = 3, x + 3y = 5: (4/5, 7/5)", M("2 1 3; 1 3 5"), 2, 3, true, kDone, 2, false, M("5 0 4; 0 5 7")},
      {"no pivot in the second column", M("1 2; 2 4"), 2, 2, false, kNoPivot, 1, false},
      {"2^63 over the pivot -1", M("-1 0 0; 0 2^32 0; 0 0 -2^31"), 3, 3, false, kOverflow, 1, false}};
  for (const auto& r : rows) {
    ar::detail::BareissArray w, expected;
    for (int i = 0; i < 12; ++i)
      for (int j = 0; j < ar::detail::kBareissWidth; ++j) {
        const bool block = i < r.n && j < r.width;
        w[i][j] = block ? r.in[i + 1][j + 1] : 77;
        expected[i][j] = block ? r.out[i + 1][j + 1] : 77;
      }
    scribble();
    const ar::detail::BareissResult res = ar::detail::bareiss(w, r.n, r.width, r.jordan);
    EXPECT_EQ(std::tie(res.outcome, res.column, res.oddSwaps), std::tie(r.outcome, r.column, r.odd)) << r.name;
    const bool same = std::equal(&w[0][0], &w[11][0] + ar::detail::kBareissWidth, &expected[0][0]);
    EXPECT_TRUE(same || r.outcome != kDone) << r.name;
  }
}

// The bits of the largest entry or factor part; cell (i, j) set to v first.
TEST(BigBits, Table) {
  const mpz_class p100 = mpz_class(1) << 100;
  const struct { const char* name; Matrix m; size_t i, j; mpz_class v; size_t bits; } rows[] = {
      {"2^100 in the only row", M("1"), 1, 1, p100, 101}, {"2^100 in the last row", M("1; 1"), 2, 1, p100, 101},
      {"factor 2^70/3", M("5 | 1/3"), 0, 2, mpz_class(1) << 70, 71},
      {"the counts are no entries", M("1 1 1 1 1 1 1 1 1 1 1 1"), 1, 1, 1, 1},
      {"beyond the rows", M("3", 1, 1), 2, 1, p100, 2}};
  for (const auto& r : rows) {
    ar::big::BigMatrix b = ar::big::of(r.m);
    b[r.i][r.j] = r.v;
    EXPECT_EQ(ar::big::bits(b), r.bits) << r.name;
  }
}

}  // namespace
