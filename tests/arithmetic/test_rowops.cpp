#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "arithmetic/rowops.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

TEST(Zeilentrans, Table) {
  struct Case {
    const char* name;
    int32_t i;
    int64_t a, b;
    int32_t j;
    Rows in, out;  // out = in when refused or on overflow
    bool overflow = false;
  };
  const Case cases[] = {
      {"combines two rows", 2, 2, -3, 1, {{2, 4, 6}, {3, 5, 7}}, {{2, 4, 6}, {0, -2, -4}}},
      {"zero multiplier refused", 1, 0, 5, 2, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
      {"same row refused", 2, 3, 5, 2, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
      {"products beyond 64 bits cancel", 1, P(62), -P(62), 2, {{4}, {4}}, {{0}, {4}}},
      {"sum reaches INT64_MIN exactly", 1, P(62), P(62), 2, {{-1}, {-1}}, {{kMin}, {-1}}},
      {"sum one past INT64_MAX", 1, kMax, 1, 2, {{1}, {1}}, {{1}, {1}}, true},
      {"product 2^64", 1, P(62), 1, 2, {{4}, {0}}, {{4}, {0}}, true},
      {"extreme corner", 1, kMin, kMin, 2, {{kMin}, {kMin}}, {{kMin}, {kMin}}, true},
  };
  const Messages refusal = {{"In der Prozedur Zeilentrans ist ein Fehler aufgetreten", fw::kMsgPlain}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    Matrix m = make(c.in);
    ar::Zeilentrans(ctx, m, c.i, c.a, c.b, c.j);
    EXPECT_EQ(m, make(c.out));
    EXPECT_EQ(ctx.overflow, c.overflow);
    EXPECT_EQ(ctx.messages, c.a == 0 || c.i == c.j ? refusal : Messages{});
  }
}

TEST(RowOps, WideArrayUpToItsHeaderColumns) {
  ar::RecordingContext ctx;
  ar::WideMatrix w{};
  w[0] = {12, 24};
  w[1][24] = 5;
  w[2] = {0, 1};
  w[2][24] = 1;
  ar::Zeilentrans(ctx, w, 1, 1, -5, 2);
  EXPECT_EQ(w[1][24], 0);
  EXPECT_EQ(w[1][1], -5);

  w[0][1] = 99;  // a header from nowhere still stays inside the array
  ar::Zeilentausch(w, 1, 2);
  EXPECT_EQ(w[1][24], 1);
  EXPECT_EQ(w[2][24], 0);
}

TEST(Zeilentausch, ExchangesOnlyTheEntries) {
  Matrix m = with(make({{1, 2}, {3, 4}, {5, 6}}), 1, 3, 9);  // beyond the column count
  ar::Zeilentausch(m, 1, 3);
  const Matrix expected = with(make({{5, 6}, {3, 4}, {1, 2}}), 1, 3, 9);
  EXPECT_EQ(m, expected);
  ar::Zeilentausch(m, 2, 2);
  EXPECT_EQ(m, expected);
}

TEST(ZeileKuerzen, Table) {
  const std::pair<std::vector<int64_t>, std::vector<int64_t>> cases[] = {
      {{0, -2, -4}, {0, -1, -2}}, {{4, 6, 9}, {4, 6, 9}},   {{0, 0, 0}, {0, 0, 0}},
      {{0, 0, 5}, {0, 0, 1}},     {{-6}, {-1}},             {{kMin, 0}, {-1, 0}},
      {{kMin, P(62)}, {-2, 1}},   {{9007199254740993, 3}, {3002399751580331, 1}},
  };
  for (const auto& [in, out] : cases) {
    const size_t beyond = in.size() + 1;  // not part of the row
    Matrix m = with(make({in}), 1, beyond, 8);
    ar::ZeileKuerzen(m, 1);
    EXPECT_EQ(m, with(make({out}), 1, beyond, 8)) << "first entry " << in[0];
  }
}

TEST(ZeileLoeschen, MovesRowsUpWithinTheGivenBounds) {
  Matrix m = make(3, 2, {{1, 2, 7}, {3, 4, 8}, {5, 6, 9}});
  ar::ZeileLoeschen(m, 1, 3, 2);
  const Matrix expected = make(3, 2, {{3, 4, 7}, {5, 6, 8}, {5, 6, 9}});
  EXPECT_EQ(m, expected);  // column 3 lies beyond the bound; the header stays
  ar::ZeileLoeschen(m, 3, 3, 2);
  EXPECT_EQ(m, expected);

  // Bounds from a damaged file: nothing is read or written outside the array.
  Matrix big = with(with(make(12, 12, {}), 12, 12, 4), 12, 1, 3);
  const Matrix moved = with(with(big, 11, 12, 4), 11, 1, 3);  // row 12 kept its copy
  ar::ZeileLoeschen(big, 11, 99, 99);
  EXPECT_EQ(big, moved);
  ar::ZeileLoeschen(big, 1, -5, -5);
  EXPECT_EQ(big, moved);
}

TEST(IstNullzeile, LooksOnlyUpToTheGivenColumns) {
  const Matrix m = make({{0, 0, 5}, {0, 0, 0}});
  EXPECT_TRUE(ar::IstNullzeile(m, 1, 2));
  EXPECT_FALSE(ar::IstNullzeile(m, 1, 3));
  EXPECT_TRUE(ar::IstNullzeile(m, 2, 3));
  EXPECT_TRUE(ar::IstNullzeile(m, 1, 0));
  EXPECT_FALSE(ar::IstNullzeile(m, 1, 99));
}

TEST(Zeilenmult, Table) {
  const std::pair<int64_t, std::vector<int64_t>> cases[] = {
      {0, {0, 0, 0}}, {-1, {-3, 0, 4}}, {2, {6, 0, -8}}, {P(62), {3, 0, -4}}};
  for (const auto& [f, out] : cases) {
    ar::RecordingContext ctx;
    Matrix m = make({{3, 0, -4}, {1, 1, 1}});
    ar::Zeilenmult(ctx, m, 1, f);
    EXPECT_EQ(ctx.overflow, f == P(62)) << f;  // then the row stays
    EXPECT_EQ(m, make({out, {1, 1, 1}})) << f;
  }
}

TEST(RowOps, RowIndicesOutsideTheEntriesChangeNothing) {
  ar::RecordingContext ctx;
  Matrix m = make({{1, 2}, {3, 4}});
  ar::Zeilentrans(ctx, m, 0, 1, 1, 1);
  ar::Zeilentrans(ctx, m, 1, 1, 1, 13);
  ar::Zeilentausch(m, 0, 1);
  ar::Zeilentausch(m, 1, 13);
  ar::ZeileKuerzen(m, -1);
  ar::ZeileLoeschen(m, 0, 2, 2);
  ar::Zeilenmult(ctx, m, 0, 5);
  EXPECT_EQ(m, make({{1, 2}, {3, 4}}));
  expectQuiet(ctx);
}

}  // namespace
