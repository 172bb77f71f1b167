#include <gtest/gtest.h>

#include <cstdint>

#include "arithmetic/fraction.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;
using ar::BruchT;

BruchT frac(int64_t z, int64_t n) {
  BruchT b;
  b.Z = z;
  b.N = n;
  return b;
}

TEST(BruchT, StartsAtZeroOverZero) {
  const BruchT b;
  EXPECT_EQ(b.Z, 0);
  EXPECT_EQ(b.N, 0);
}

TEST(BruchT, KuerzenTable) {
  struct Case {
    int64_t z, n, zOut, nOut;
  };
  const Case cases[] = {
      {4, 6, 2, 3},     {-4, 6, -2, 3},  {4, -6, -2, 3}, {-4, -6, 2, 3},
      {0, 5, 0, 1},     {0, -5, 0, 1},   {7, 1, 7, 1},   {5, 0, 1, 0},
      {-5, 0, -1, 0},   {0, 0, 0, 0},    {-3, -1, 3, 1},
      {9007199254740993, 3, 3002399751580331, 1},  // 2^53 + 1: exact, not through doubles
      {kMin, 2, -P(62), 1},
      {2, kMin, -1, P(62)},
      {kMin, kMin, 1, 1},
      {kMax, -kMax, -1, 1},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    BruchT b = frac(c.z, c.n);
    b.Kuerzen(ctx);
    EXPECT_EQ(b.Z, c.zOut) << c.z << "/" << c.n;
    EXPECT_EQ(b.N, c.nOut) << c.z << "/" << c.n;
    EXPECT_FALSE(ctx.overflow) << c.z << "/" << c.n;
  }
}

TEST(BruchT, KuerzenOverflowLeavesTheFraction) {
  const BruchT cases[] = {frac(1, kMin), frac(-1, kMin), frac(kMin, -1)};
  for (const BruchT& c : cases) {
    ar::RecordingContext ctx;
    BruchT b = c;
    b.Kuerzen(ctx);
    EXPECT_TRUE(ctx.overflow) << c.Z << "/" << c.N;
    EXPECT_EQ(b.Z, c.Z);
    EXPECT_EQ(b.N, c.N);
  }
}

TEST(BruchT, Tests) {
  EXPECT_TRUE(frac(0, 5).IstNull());
  EXPECT_FALSE(frac(1, 5).IstNull());
  EXPECT_FALSE(frac(3, 0).IstDefiniert());
  EXPECT_TRUE(frac(3, -1).IstDefiniert());
}

TEST(BruchT, PlusTable) {
  struct Case {
    int64_t az, an, bz, bn, cz, cn;
  };
  const Case cases[] = {
      {1, 2, 1, 3, 5, 6},
      {1, 2, 1, 2, 1, 1},
      {1, 2, -1, 2, 0, 1},
      {1, -4, 1, 6, -1, 12},
      {1, 0, 1, 2, 1, 0},    // a zero denominator stays and shows
      {-1, 0, 1, -2, 1, 0},  // (-2)(-1) over 0
      {0, 0, 0, 0, 0, 0},
      {kMin, kMin, kMin, kMin, 2, 1},  // 1 + 1 although the cross products are 2^127
      {kMax, kMax - 1, -1, kMax - 1, 1, 1},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    BruchT r = frac(99, 98);
    BruchT& back = frac(c.az, c.an).Plus(ctx, frac(c.bz, c.bn), r);
    EXPECT_EQ(&back, &r);
    EXPECT_EQ(r.Z, c.cz) << c.az << "/" << c.an << " + " << c.bz << "/" << c.bn;
    EXPECT_EQ(r.N, c.cn) << c.az << "/" << c.an << " + " << c.bz << "/" << c.bn;
    EXPECT_FALSE(ctx.overflow);
  }

  ar::RecordingContext ctx;
  BruchT r = frac(99, 98);
  frac(kMax, 1).Plus(ctx, frac(1, 1), r);
  EXPECT_TRUE(ctx.overflow);
  EXPECT_EQ(r.Z, 99);
  EXPECT_EQ(r.N, 98);
}

TEST(BruchT, MalIsNotReduced) {
  ar::RecordingContext ctx;
  BruchT r;
  frac(2, 3).Mal(ctx, frac(3, 4), r);
  EXPECT_EQ(r.Z, 6);
  EXPECT_EQ(r.N, 12);
  EXPECT_FALSE(ctx.overflow);

  frac(P(62), 1).Mal(ctx, frac(4, 1), r);
  EXPECT_TRUE(ctx.overflow);
  EXPECT_EQ(r.Z, 6);
  EXPECT_EQ(r.N, 12);
}

TEST(BruchT, Kehrwert) {
  ar::RecordingContext ctx;
  BruchT r;
  frac(2, 3).Kehrwert(ctx, r);
  EXPECT_EQ(r.Z, 3);
  EXPECT_EQ(r.N, 2);
  frac(-2, 3).Kehrwert(ctx, r);
  EXPECT_EQ(r.Z, 3);
  EXPECT_EQ(r.N, -2);
  EXPECT_TRUE(ctx.messages.empty());

  BruchT self = frac(5, 7);
  self.Kehrwert(ctx, self);
  EXPECT_EQ(self.Z, 7);
  EXPECT_EQ(self.N, 5);

  frac(0, 5).Kehrwert(ctx, r);
  EXPECT_EQ(r.Z, 3);
  EXPECT_EQ(r.N, -2);
  ASSERT_EQ(ctx.messages.size(), 1u);
  EXPECT_EQ(ctx.messages[0].first, "In der Prozedur Kehrwert ist ein Fehler aufgetreten");
  EXPECT_EQ(ctx.messages[0].second, ar::kPlainBox);
}

}  // namespace
