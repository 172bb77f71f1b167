// Reading the grid into a matrix.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;

TEST_F(FensterTest, ReadsATypedMatrixWithItsFactor) {
  type("SZahlF", "3");
  type("ZZahlF", "2");
  type("FakZF", "-2");
  type("FakNF", "7");
  const char* typed[2][3] = {{"1", "-7", "0"}, {"12", "5", "-3"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) type(cellName(r + 1, c + 1), typed[r][c]);

  ar::Matrix M{};
  w->Einlesen(M);
  ar::Matrix expected{};
  expected[0] = {2, 3, -2, 7};
  expected[1] = {0, 1, -7, 0};
  expected[2] = {0, 12, 5, -3};
  EXPECT_EQ(M, expected);
}

TEST_F(FensterTest, ReadsHiddenCellsAndLeavesTheRestOfTheArray) {
  type("SZahlF", "4");
  type("ZZahlF", "4");
  fillCells(4);
  type("SZahlF", "3");
  type("ZZahlF", "2");
  type("FakNF", "0");  // read as it stands, before the field loses the focus

  ar::Matrix M{};
  for (int k = 4; k <= 12; ++k) M[0][k] = 100 + k;
  for (int r = 1; r <= 12; ++r) M[r][0] = -r;
  w->Einlesen(M);

  EXPECT_EQ(M[0][0], 2);
  EXPECT_EQ(M[0][1], 3);
  EXPECT_EQ(M[0][3], 0);
  EXPECT_EQ(M[3][3], 33);
  EXPECT_EQ(M[4][4], 44);
  EXPECT_EQ(M[1][4], 14);
  EXPECT_EQ(M[5][5], 0);
  for (int k = 4; k <= 12; ++k) EXPECT_EQ(M[0][k], 100 + k);
  for (int r = 1; r <= 12; ++r) EXPECT_EQ(M[r][0], -r);
  EXPECT_EQ(text("FakNF"), "0");
}

TEST_F(FensterTest, OddTextsGoThroughTheOneRule) {
  const struct {
    const char* text;
    int64_t value;
  } cases[] = {
      {"abc", 0}, {"-2.9", -2}, {"2.5e1", 25}, {"9007199254740993", 9007199254740993},  // beyond 2^53, still exact
      {"-9223372036854775808", INT64_MIN}, {"99999999999999999999", INT64_MAX}, {"1e400", INT64_MAX},
  };
  for (const auto& c : cases) {
    type("A22F", c.text);
    type("FakZF", c.text);
    ar::Matrix M{};
    w->Einlesen(M);
    EXPECT_EQ(M[2][2], c.value) << '"' << c.text << '"';
    EXPECT_EQ(M[0][2], c.value) << '"' << c.text << '"';
  }
}
