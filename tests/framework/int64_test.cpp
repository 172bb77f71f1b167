#include "framework/int64.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using fw::kInt64Max;
using fw::kInt64Min;
constexpr int32_t kMax32 = 2147483647, kMin32 = -2147483647 - 1;

TEST(Int64, WrappingOperationsGoRoundTheRange) {
  const struct {
    const char* what;
    int64_t got, expected;
  } cases[] = {
      {"add max+1", fw::wrapAdd(kInt64Max, 1), kInt64Min},     {"add min+min", fw::wrapAdd(kInt64Min, kInt64Min), 0},
      {"add -1+min", fw::wrapAdd(-1, kInt64Min), kInt64Max},    {"sub", fw::wrapSub(2, 5), -3},
      {"sub min-1", fw::wrapSub(kInt64Min, 1), kInt64Max},      {"sub 0-min", fw::wrapSub(0, kInt64Min), kInt64Min},
      {"mul", fw::wrapMul(-4, 6), -24},                         {"mul max*2", fw::wrapMul(kInt64Max, 2), -2},
      {"mul min*-1", fw::wrapMul(kInt64Min, -1), kInt64Min},    {"neg min", fw::wrapNeg(kInt64Min), kInt64Min},
      {"mul 2^32*2^32", fw::wrapMul(int64_t{1} << 32, int64_t{1} << 32), 0},
      {"mul 3037000500^2", fw::wrapMul(3037000500, 3037000500), -9223372036709301616},
      {"neg max", fw::wrapNeg(kInt64Max), kInt64Min + 1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(Int64, CheckedOperationsReportOverflow) {
  const struct {
    const char* what;
    bool (*op)(int64_t, int64_t, int64_t*);
    int64_t a, b;
    bool overflow;
    int64_t value;  // the exact result, or the wrapped one on overflow
  } cases[] = {
      {"add max", fw::addOverflow, kInt64Max - 1, 1, false, kInt64Max},
      {"add over", fw::addOverflow, kInt64Max, 1, true, kInt64Min},
      {"add under", fw::addOverflow, kInt64Min, -1, true, kInt64Max},
      {"sub", fw::subOverflow, 0, kInt64Max, false, -kInt64Max},
      {"sub under", fw::subOverflow, 0, kInt64Min, true, kInt64Min},
      {"sub over", fw::subOverflow, kInt64Max, -1, true, kInt64Min},
      {"mul", fw::mulOverflow, -3037000499, 3037000499, false, -9223372030926249001},
      {"mul over", fw::mulOverflow, 3037000500, 3037000500, true, -9223372036709301616},
      {"mul min*-1", fw::mulOverflow, kInt64Min, -1, true, kInt64Min},
      {"mul 2^62*2", fw::mulOverflow, int64_t{1} << 62, 2, true, kInt64Min},
      {"mul -2^62*2", fw::mulOverflow, -(int64_t{1} << 62), 2, false, kInt64Min},
  };
  for (const auto& c : cases) {
    int64_t out = 0;
    EXPECT_EQ(c.op(c.a, c.b, &out), c.overflow) << c.what;
    EXPECT_EQ(out, c.value) << c.what;
  }
  int64_t out = 0;
  EXPECT_FALSE(fw::negOverflow(kInt64Max, &out));
  EXPECT_EQ(out, -kInt64Max);
  EXPECT_TRUE(fw::negOverflow(kInt64Min, &out));
  EXPECT_EQ(out, kInt64Min);
  EXPECT_EQ(fw::magnitude(-5), 5u);
  EXPECT_EQ(fw::magnitude(kInt64Max), 9223372036854775807u);
  EXPECT_EQ(fw::magnitude(kInt64Min), 9223372036854775808u);
}

TEST(Int64, DivisionNeverTraps) {
  const struct {
    int64_t a, b, quotient, remainder;
    bool overflow;
  } cases[] = {
      {-7, 2, -3, -1, false},  // toward zero, remainder takes the dividend's sign
      {7, -2, -3, 1, false},         {-7, -2, 3, -1, false},
      {5, 0, 0, 0, false},           {kInt64Min, 0, 0, 0, false},  // by zero: 0, no trap
      {kInt64Min, -1, kInt64Min, 0, true},  // 2^63 does not fit: wraps, reported
      {kInt64Max, -1, -kInt64Max, 0, false}, {kInt64Min, 2, kInt64Min / 2, 0, false},
      {kInt64Min, kInt64Max, -1, -1, false},
  };
  for (const auto& c : cases) {
    bool overflow = false;
    EXPECT_EQ(fw::truncDiv(c.a, c.b, &overflow), c.quotient) << c.a << " / " << c.b;
    EXPECT_EQ(overflow, c.overflow) << c.a << " / " << c.b;
    EXPECT_EQ(fw::truncMod(c.a, c.b), c.remainder) << c.a << " % " << c.b;
  }
  EXPECT_EQ(fw::truncDiv(kInt64Min, -1), kInt64Min);  // without the flag
}

TEST(Int64, DoublesTruncateAndSaturate) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    int64_t as64;
    int32_t as32;
  } cases[] = {
      {2.7, 2, 2}, {-2.7, -2, -2}, {-0.5, 0, 0}, {std::numeric_limits<double>::quiet_NaN(), 0, 0},
      {9223372036854775808.0, kInt64Max, kMax32},            // 2^63
      {9223372036854774784.0, 9223372036854774784, kMax32},  // largest double below 2^63
      {-9223372036854775808.0, kInt64Min, kMin32},  {1e300, kInt64Max, kMax32}, {-inf, kInt64Min, kMin32},
      {2147483647.9, 2147483647, kMax32},           {-2147483648.9, -2147483648, kMin32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::doubleToInt64(c.x), c.as64) << c.x;
    EXPECT_EQ(fw::doubleToInt32(c.x), c.as32) << c.x;
  }
}

}  // namespace
