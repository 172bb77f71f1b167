#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "arithmetic/rowops.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Zeilentrans, CombinesTwoRows) {
  ar::RecordingContext ctx;
  Matrix m = make(2, 3, {{2, 4, 6}, {3, 5, 7}});
  ar::Zeilentrans(ctx, m, 2, 2, -3, 1);
  EXPECT_EQ(m, make(2, 3, {{2, 4, 6}, {0, -2, -4}}));
  EXPECT_TRUE(ctx.messages.empty());
  EXPECT_FALSE(ctx.overflow);
}

TEST(Zeilentrans, RefusesZeroMultiplierAndSameRow) {
  struct Case {
    int32_t i;
    int64_t a, b;
    int32_t j;
  };
  const Case cases[] = {{1, 0, 5, 2}, {2, 3, 1, 2}};
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = make(2, 2, {{1, 2}, {3, 4}});
    const Matrix before = m;
    ar::Zeilentrans(ctx, m, c.i, c.a, c.b, c.j);
    EXPECT_EQ(m, before);
    ASSERT_EQ(ctx.messages.size(), 1u);
    EXPECT_EQ(ctx.messages[0].first, "In der Prozedur Zeilentrans ist ein Fehler aufgetreten");
    EXPECT_EQ(ctx.messages[0].second, ar::kPlainBox);
  }
}

TEST(Zeilentrans, OverflowOnlyWhenTheResultDoesNotFit) {
  struct Case {
    const char* name;
    int64_t a, x, b, y;
    bool overflow;
    int64_t result;
  };
  const Case cases[] = {
      {"products beyond 64 bits cancel", P(62), 4, -P(62), 4, false, 0},
      {"sum reaches INT64_MIN exactly", P(62), -1, P(62), -1, false, kMin},
      {"sum one past INT64_MAX", kMax, 1, 1, 1, true, 0},
      {"product 2^64", P(62), 4, 1, 0, true, 0},
      {"extreme corner", kMin, kMin, kMin, kMin, true, 0},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = make(2, 1, {{c.x}, {c.y}});
    const Matrix before = m;
    ar::Zeilentrans(ctx, m, 1, c.a, c.b, 2);
    EXPECT_EQ(ctx.overflow, c.overflow) << c.name;
    if (c.overflow) {
      EXPECT_EQ(m, before) << c.name << ": the row is left whole";
    } else {
      EXPECT_EQ(m[1][1], c.result) << c.name;
    }
  }
}

TEST(Zeilentrans, WorksOnTheWideArrayUpToItsHeaderColumns) {
  ar::RecordingContext ctx;
  ar::WideMatrix w{};
  w[0][0] = 12;
  w[0][1] = 24;
  w[1][24] = 5;
  w[2][24] = 1;
  w[2][1] = 1;
  ar::Zeilentrans(ctx, w, 1, 1, -5, 2);
  EXPECT_EQ(w[1][24], 0);
  EXPECT_EQ(w[1][1], -5);

  w[0][1] = 99;  // a header from nowhere still stays inside the array
  ar::Zeilentausch(w, 1, 2);
  EXPECT_EQ(w[1][24], 1);
  EXPECT_EQ(w[2][24], 0);
}

TEST(Zeilentausch, ExchangesOnlyTheEntries) {
  Matrix m = make(3, 2, {{1, 2}, {3, 4}, {5, 6}});
  m[1][3] = 9;  // beyond the column count
  ar::Zeilentausch(m, 1, 3);
  Matrix expected = make(3, 2, {{5, 6}, {3, 4}, {1, 2}});
  expected[1][3] = 9;
  EXPECT_EQ(m, expected);

  ar::Zeilentausch(m, 2, 2);
  EXPECT_EQ(m, expected);
}

TEST(ZeileKuerzen, Table) {
  struct Case {
    std::vector<int64_t> in, out;
  };
  const Case cases[] = {
      {{0, -2, -4}, {0, -1, -2}},
      {{-6, 0, 9}, {-2, 0, 3}},
      {{4, 6, 9}, {4, 6, 9}},
      {{0, 0, 0}, {0, 0, 0}},
      {{0, 0, 5}, {0, 0, 1}},
      {{6}, {1}},
      {{-6}, {-1}},
      {{kMin, 0}, {-1, 0}},
      {{kMin, P(62)}, {-2, 1}},
      {{9007199254740993, 3}, {3002399751580331, 1}},
  };
  for (const Case& c : cases) {
    Matrix m = make(1, static_cast<int64_t>(c.in.size()), {c.in});
    m[1][c.in.size() + 1] = 8;  // beyond the column count: not part of the row
    ar::ZeileKuerzen(m, 1);
    Matrix expected = make(1, static_cast<int64_t>(c.out.size()), {c.out});
    expected[1][c.in.size() + 1] = 8;
    EXPECT_EQ(m, expected) << "first entry " << c.in[0];
  }
}

TEST(ZeileLoeschen, MovesRowsUpWithinTheGivenBounds) {
  Matrix m = make(3, 2, {{1, 2, 7}, {3, 4, 8}, {5, 6, 9}});
  ar::ZeileLoeschen(m, 1, 3, 2);
  Matrix expected = make(3, 2, {{3, 4, 7}, {5, 6, 8}, {5, 6, 9}});
  EXPECT_EQ(m, expected);  // column 3 lies beyond the bound; the header stays

  ar::ZeileLoeschen(m, 3, 3, 2);
  EXPECT_EQ(m, expected);

  // Bounds from a damaged file: nothing is read or written outside the array.
  Matrix big = make(12, 12, {});
  big[12][12] = 4;
  big[12][1] = 3;
  ar::ZeileLoeschen(big, 11, 99, 99);
  EXPECT_EQ(big[11][12], 4);
  EXPECT_EQ(big[11][1], 3);
  EXPECT_EQ(big[12][12], 4);
  ar::ZeileLoeschen(big, 1, -5, -5);
  EXPECT_EQ(big[11][12], 4);
}

TEST(IstNullzeile, LooksOnlyUpToTheGivenColumns) {
  const Matrix m = make(2, 3, {{0, 0, 5}, {0, 0, 0}});
  EXPECT_TRUE(ar::IstNullzeile(m, 1, 2));
  EXPECT_FALSE(ar::IstNullzeile(m, 1, 3));
  EXPECT_TRUE(ar::IstNullzeile(m, 2, 3));
  EXPECT_TRUE(ar::IstNullzeile(m, 1, 0));
  EXPECT_FALSE(ar::IstNullzeile(m, 1, 99));
}

TEST(Zeilenmult, Table) {
  struct Case {
    int64_t f;
    std::vector<int64_t> out;
    bool overflow;
  };
  const Case cases[] = {
      {0, {0, 0, 0}, false},
      {-1, {-3, 0, 4}, false},
      {2, {6, 0, -8}, false},
      {P(62), {}, true},
  };
  for (const Case& c : cases) {
    ar::RecordingContext ctx;
    Matrix m = make(2, 3, {{3, 0, -4}, {1, 1, 1}});
    const Matrix before = m;
    ar::Zeilenmult(ctx, m, 1, c.f);
    EXPECT_EQ(ctx.overflow, c.overflow) << c.f;
    if (c.overflow) {
      EXPECT_EQ(m, before);
    } else {
      Matrix expected = make(2, 3, {c.out, {1, 1, 1}});
      EXPECT_EQ(m, expected) << c.f;
    }
  }
}

TEST(RowOps, RowIndicesOutsideTheEntriesChangeNothing) {
  ar::RecordingContext ctx;
  Matrix m = make(2, 2, {{1, 2}, {3, 4}});
  const Matrix before = m;
  ar::Zeilentrans(ctx, m, 0, 1, 1, 1);
  ar::Zeilentrans(ctx, m, 1, 1, 1, 13);
  ar::Zeilentausch(m, 0, 1);
  ar::Zeilentausch(m, 1, 13);
  ar::ZeileKuerzen(m, -1);
  ar::ZeileLoeschen(m, 0, 2, 2);
  ar::Zeilenmult(ctx, m, 0, 5);
  EXPECT_EQ(m, before);
  EXPECT_TRUE(ctx.messages.empty());
  EXPECT_FALSE(ctx.overflow);
}

}  // namespace
