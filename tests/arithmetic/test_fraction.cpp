#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "arithmetic/fraction.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;
using ar::BruchT;
using ZN = std::pair<int64_t, int64_t>;

BruchT frac(int64_t z, int64_t n) { return BruchT{.N = n, .Z = z}; }
ZN zn(const BruchT& b) { return {b.Z, b.N}; }

TEST(BruchT, KuerzenTable) {
  struct Case {
    int64_t z, n, zOut, nOut;
    bool overflow = false;  // then the fraction is left as it was
  };
  const Case cases[] = {
      {4, 6, 2, 3}, {-4, 6, -2, 3}, {4, -6, -2, 3}, {-4, -6, 2, 3}, {0, 5, 0, 1}, {0, -5, 0, 1},
      {7, 1, 7, 1}, {5, 0, 1, 0}, {-5, 0, -1, 0}, {0, 0, 0, 0}, {-3, -1, 3, 1},
      {9007199254740993, 3, 3002399751580331, 1},  // 2^53 + 1: exact, not through doubles
      {kMin, 2, -P(62), 1}, {2, kMin, -1, P(62)}, {kMin, kMin, 1, 1}, {kMax, -kMax, -1, 1},
      {1, kMin, 1, kMin, true}, {-1, kMin, -1, kMin, true}, {kMin, -1, kMin, -1, true},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    BruchT b = frac(c.z, c.n);
    b.Kuerzen(ctx);
    EXPECT_EQ(zn(b), ZN(c.zOut, c.nOut)) << c.z << "/" << c.n;
    EXPECT_EQ(ctx.overflow, c.overflow) << c.z << "/" << c.n;
  }
}

TEST(BruchT, StartAndTests) {
  EXPECT_EQ(zn(BruchT{}), ZN(0, 0));
  EXPECT_TRUE(frac(0, 5).IstNull() && !frac(1, 5).IstNull());
  EXPECT_TRUE(!frac(3, 0).IstDefiniert() && frac(3, -1).IstDefiniert());
}

TEST(BruchT, PlusTable) {
  struct Case {
    int64_t az, an, bz, bn, cz, cn;
    bool overflow = false;  // then c is left as it was
  };
  const Case cases[] = {
      {1, 2, 1, 3, 5, 6},   {1, 2, 1, 2, 1, 1}, {1, 2, -1, 2, 0, 1}, {1, -4, 1, 6, -1, 12},
      {1, 0, 1, 2, 1, 0},    // a zero denominator stays and shows
      {-1, 0, 1, -2, 1, 0},  // (-2)(-1) over 0
      {0, 0, 0, 0, 0, 0},
      {kMin, kMin, kMin, kMin, 2, 1},  // 1 + 1 although the cross products are 2^127
      {kMax, kMax - 1, -1, kMax - 1, 1, 1}, {kMax, 1, 1, 1, 99, 98, true},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    BruchT r = frac(99, 98);
    EXPECT_EQ(&frac(c.az, c.an).Plus(ctx, frac(c.bz, c.bn), r), &r);
    EXPECT_EQ(zn(r), ZN(c.cz, c.cn)) << c.az << "/" << c.an << " + " << c.bz << "/" << c.bn;
    EXPECT_EQ(ctx.overflow, c.overflow);
  }
}

TEST(BruchT, MalIsNotReducedKehrwertSwaps) {
  ar::RecordingContext ctx;
  BruchT r;
  EXPECT_EQ(zn(frac(2, 3).Mal(ctx, frac(3, 4), r)), ZN(6, 12));
  EXPECT_FALSE(ctx.overflow);
  frac(P(62), 1).Mal(ctx, frac(4, 1), r);
  EXPECT_TRUE(ctx.overflow);
  EXPECT_EQ(zn(r), ZN(6, 12));

  EXPECT_EQ(zn(frac(2, 3).Kehrwert(ctx, r)), ZN(3, 2));
  EXPECT_EQ(zn(frac(-2, 3).Kehrwert(ctx, r)), ZN(3, -2));
  BruchT self = frac(5, 7);
  EXPECT_EQ(zn(self.Kehrwert(ctx, self)), ZN(7, 5));
  EXPECT_TRUE(ctx.messages.empty());
  EXPECT_EQ(zn(frac(0, 5).Kehrwert(ctx, r)), ZN(3, -2));  // c is left as it was
  EXPECT_EQ(ctx.messages, (Messages{{"In der Prozedur Kehrwert ist ein Fehler aufgetreten", fw::kMsgPlain}}));
}

}  // namespace
