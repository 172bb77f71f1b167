// The display grid: its size fields and arrows, reading it and showing a matrix in it.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

TEST_F(FensterTest, TypedSizesAndArrowsKeepTheCountWithinOneToTwelve) {
  // Typed text, then an arrow (+1 up, -1 down, 0 none): the field's text and the count. At the ends an arrow
  // writes nothing: the text stays as typed.
  const struct { const char* typed; int arrow; const char* fieldAfter; int count; } cases[] = {
      {"13", 0, "12", 12}, {"0", 0, "1", 1}, {"", 0, "1", 1}, {"-3", 0, "1", 1}, {"99999999999", 0, "12", 12},
      {"-99999999999", 0, "1", 1}, {"05", 0, "05", 5}, {"2.7", 0, "2.7", 2}, {"7x", 0, "7x", 7}, {"3", 1, "4", 4},
      {"05", 1, "6", 6}, {"2", -1, "1", 1}, {"12", -1, "11", 11}, {"012", 1, "012", 12}, {"01", -1, "01", 1}};
  for (const auto& [field, arrows] : {std::pair{"SZahlF", "SzUpDownArrows"}, {"ZZahlF", "ZzUpDownArrows"}}) {
    for (const auto& c : cases) {
      type(field, c.typed);
      if (auto& a = w->as<fw::UpDownArrows>(arrows); c.arrow) c.arrow > 0 ? a.pressUp() : a.pressDown();
      EXPECT_EQ(std::tuple(text(field), std::string(field) == "SZahlF" ? w->Szahl : w->Zzahl, shownCells()),
                std::tuple(c.fieldAfter, c.count, 3 * c.count)) << field << " \"" << c.typed << "\" arrow " << c.arrow;
    }
    type(field, "3");
  }
  // Exactly the cells and labels of the size show.
  type("SZahlF", "2"), type("ZZahlF", "4");
  std::string visible;
  for (int k = 1; k <= 12; ++k) {
    for (const std::string& n : {grid::columnLabelName(k), grid::rowLabelName(k)}) visible += shown(n) ? n + " " : "";
    for (int c = 1; c <= 12; ++c) visible += shown(grid::cellName(k, c)) ? grid::cellName(k, c) + " " : "";
  }
  EXPECT_EQ(visible, "S1T Z1T A11F A12F S2T Z2T A21F A22F Z3T A31F A32F Z4T A41F A42F ");
}

TEST_F(FensterTest, ReadsTheGridWithItsFactorAndLeavesTheRestOfTheArray) {
  // Rows 3 and 4 are hidden below. The factor's denominator is read as it
  // stands, before its field loses the focus.
  setGrid({{11, 12, 13, 14}, {21, 22, 23, 24}, {31, 32, 33, 34}, {41, 42, 43, 44}}, "-2.9", "0");
  // Odd texts go through the one rule, shown or hidden; hidden cells keep their texts.
  const struct { int r, c; const char* text; int64_t value; } odd[] = {
      {1, 1, "abc", 0}, {1, 2, "-2.9", -2}, {1, 3, "2.5e1", 25}, {2, 1, "9007199254740993", 9007199254740993},
      {2, 2, "-9223372036854775808", INT64_MIN}, {2, 3, "9223372036854775807", INT64_MAX},
      {4, 4, "1e18", 1000000000000000000}};
  for (const auto& o : odd) type(grid::cellName(o.r, o.c), o.text);
  type("ZZahlF", "2");
  ar::Matrix M{}, expected = matrix(2, 4, -2, 0, {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34, 41, 42, 43, 44});
  for (int k = 4; k <= 12; ++k) M[0][k] = expected[0][k] = 100 + k;
  for (int r = 1; r <= 12; ++r) M[r][0] = expected[r][0] = -r;
  for (const auto& o : odd) expected[o.r][o.c] = o.value;
  EXPECT_TRUE(w->Einlesen(M));
  EXPECT_EQ(M, expected);
  // A number beyond 64 bits, shown or hidden, in a cell or a factor field, is not read as another one.
  for (const char* name : {"A33F", "AC1F", "FakZF", "FakNF"})
    for (const std::string before = text(name);
         const char* beyond : {"9223372036854775808", "-9223372036854775809", "99999999999999999999", "1e30"}) {
      ar::Matrix unchanged = expected;
      type(name, beyond), w->overflow = false;
      EXPECT_TRUE(!w->Einlesen(unchanged) && unchanged == expected && w->overflow) << name << " " << beyond;
      type(name, before);
    }
}

TEST_F(FensterTest, ShowsTheNormalFormInEveryCellAndTheSizeInItsFields) {
  // Factor, size, then the cells shown (up to 3 x 3) row by row.
  const struct { const char* what; ar::Matrix in; std::string shown; } cases[] = {
      {"common divisor 2", matrix(3, 3, 1, 1, {2, 4, 6, 8, 10, 12, 14, 16, 18}), "2/1 3x3 1 2 3 4 5 6 7 8 9"},
      {"negative denominator keeps its sign", matrix(1, 1, 1, -2, {4}), "2/-1 1x1 1"},
      {"mixed signs", matrix(2, 1, -3, 9, {6, -9}), "1/1 2x1 -2 3"},
      {"rows 0", matrix(0, 3, 1, 1, {}), "1/1 1x3 0 0 0"},
      {"rows -5", matrix(-5, 2, 1, 1, {}), "1/1 1x2 0 0"},
      {"beyond 12", matrix(13, 99, 1, 1, {}), "1/1 12x12 0 0 0 0 0 0 0 0 0"},
      {"2^32 + 3 rows, not its low 32 bits", matrix(4294967299, INT64_MIN, 1, 1, {}), "1/1 12x1 0 0 0"}};
  for (const auto& c : cases) {
    ar::Matrix M = c.in, back{};
    w->Ausgabe(M);
    std::string shown = text("FakZF") + "/" + text("FakNF") + " " + text("ZZahlF") + "x" + text("SZahlF");
    for (int r = 1; r <= std::min(w->Zzahl, 3); ++r)
      for (int col = 1; col <= std::min(w->Szahl, 3); ++col) shown += " " + text(grid::cellName(r, col));
    // The array keeps its size as it was.
    EXPECT_EQ(std::tuple(shown, shownCells(), M[0][0], M[0][1]),
              std::tuple(c.shown, w->Zzahl * w->Szahl, c.in[0][0], c.in[0][1])) << c.what;
    w->Einlesen(back);  // what is shown reads back: the caller's array has the same normal form
    EXPECT_TRUE(std::equal(back.begin() + 1, back.end(), M.begin() + 1) && back[0][2] == M[0][2] &&
                back[0][3] == M[0][3]) << c.what;
  }
}

// A zero denominator is shown, set to 1 in the array and reported; a normal
// form beyond 64 bits shows nothing and changes nothing.
TEST_F(FensterTest, ZeroDenominatorAndOverflowAreReportedOnce) {
  ar::Matrix M = matrix(2, 2, 6, 0, {0, 0, 0, 0});
  M[3][3] = 33, M[12][12] = 1212;  // hidden cells show what the array holds
  services.expectBox(), w->Ausgabe(M);
  EXPECT_EQ(text("FakZF") + "/" + text("FakNF") + " " + std::to_string(M[0][3]), "1/0 1");
  EXPECT_EQ(text("A33F") + " " + text("ACCF") + " " + text("A44F"), "33 1212 0");
  ar::Matrix big = matrix(1, 2, 4, 1, {int64_t{1} << 62, int64_t{1} << 62});  // numerator would be 2^64
  const ar::Matrix before = big;
  services.expectBox(), w->Ausgabe(big);
  EXPECT_TRUE(big == before && w->overflow);
  EXPECT_EQ(text("A11F") + text("A12F") + text("FakZF") + text("ZZahlF") + text("SZahlF"), "00122") << "unchanged";
  EXPECT_EQ(boxesShown(), Boxes(2, {kUeberlauf, core::kMsgPlain}));
}
