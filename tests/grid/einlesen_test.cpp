// Reading the grid into a matrix.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;

TEST_F(FensterTest, ReadsTheGridWithItsFactorAndLeavesTheRestOfTheArray) {
  type("SZahlF", "4");
  type("ZZahlF", "4");
  fillCells(4);
  // Odd texts go through the one rule, shown or hidden.
  const struct {
    int r, c;
    const char* text;
    int64_t value;
  } odd[] = {{1, 1, "abc", 0}, {1, 2, "-2.9", -2}, {1, 3, "2.5e1", 25},
             {2, 1, "9007199254740993", 9007199254740993},  // beyond 2^53, still exact
             {2, 2, "-9223372036854775808", INT64_MIN}, {2, 3, "99999999999999999999", INT64_MAX},
             {4, 4, "1e400", INT64_MAX}};
  for (const auto& o : odd) type(cellName(o.r, o.c), o.text);
  type("SZahlF", "3");
  type("ZZahlF", "2");
  type("FakZF", "-2.9");
  type("FakNF", "0");  // read as it stands, before the field loses the focus

  ar::Matrix M{};
  for (int k = 4; k <= 12; ++k) M[0][k] = 100 + k;
  for (int r = 1; r <= 12; ++r) M[r][0] = -r;
  ar::Matrix expected = M;
  expected[0][0] = 2;
  expected[0][1] = 3;
  expected[0][2] = -2;
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) expected[r][c] = r * 10 + c;  // hidden cells too
  for (const auto& o : odd) expected[o.r][o.c] = o.value;
  w->Einlesen(M);
  EXPECT_EQ(M, expected);
  EXPECT_EQ(text("FakNF"), "0");
}
