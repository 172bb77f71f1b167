// Showing a matrix in the grid.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;

namespace {

const std::string kKaputt = "Ergebnis falsch durch fehlerhafte Datei oder Überlauf bei Ganzzahlarithmetik!!";

ar::Matrix matrix(int64_t rows, int64_t cols, int64_t num, int64_t den, std::initializer_list<int64_t> entries) {
  ar::Matrix M{};
  M[0] = {rows, cols, num, den};
  auto it = entries.begin();
  for (int r = 1; r <= rows && r <= 12; ++r)
    for (int c = 1; c <= cols && c <= 12 && it != entries.end(); ++c) M[r][c] = *it++;
  return M;
}

}  // namespace

TEST_F(FensterTest, ShowsTheNormalForm) {
  const struct {
    const char* what;
    ar::Matrix in;
    const char *num, *den;
    std::vector<std::string> cells;  // row by row
  } cases[] = {
      {"common divisor 2", matrix(3, 3, 1, 1, {2, 4, 6, 8, 10, 12, 14, 16, 18}), "2", "1",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {"negative denominator keeps its sign", matrix(1, 1, 1, -2, {4}), "2", "-1", {"1"}},
      {"mixed signs", matrix(2, 1, -3, 9, {6, -9}), "1", "1", {"-2", "3"}},
  };
  for (const auto& c : cases) {
    ar::Matrix M = c.in;
    w->Ausgabe(M);
    const int rows = static_cast<int>(c.in[0][0]), cols = static_cast<int>(c.in[0][1]);
    std::vector<std::string> cells;
    for (int r = 1; r <= rows; ++r)
      for (int col = 1; col <= cols; ++col) cells.push_back(text(cellName(r, col)));
    EXPECT_EQ(cells, c.cells) << c.what;
    EXPECT_EQ(shownCells(), rows * cols) << c.what;
    EXPECT_EQ(text("FakZF") + "/" + text("FakNF"), std::string(c.num) + "/" + c.den) << c.what;
    EXPECT_EQ(text("ZZahlF") + "x" + text("SZahlF"), std::to_string(rows) + "x" + std::to_string(cols)) << c.what;
    EXPECT_EQ(std::pair(w->Zzahl, w->Szahl), std::pair(rows, cols)) << c.what;
    ar::Matrix back{};  // what is shown reads back: the caller's array has the same normal form
    w->Einlesen(back);
    EXPECT_EQ(back, M) << c.what;
  }
}

TEST_F(FensterTest, ZeroDenominatorIsRepairedWithOneMessage) {
  ar::Matrix M = matrix(2, 2, 6, 0, {0, 0, 0, 0});
  services.expectBox();
  w->Ausgabe(M);
  EXPECT_EQ(boxesShown(), (Boxes{{kKaputt, fw::kMsgPlain}}));
  EXPECT_EQ(text("FakZF"), "1");
  EXPECT_EQ(text("FakNF"), "0");
  EXPECT_EQ(M[0][2], 1);
  EXPECT_EQ(M[0][3], 1);
}

TEST_F(FensterTest, HiddenCellsShowWhatTheArrayHolds) {
  ar::Matrix M = matrix(2, 2, 1, 1, {1, 2, 3, 4});
  M[3][3] = 33;
  M[1][12] = -112;
  M[12][12] = 1212;
  w->Ausgabe(M);
  EXPECT_FALSE(shown("A33F"));
  EXPECT_EQ(text("A33F"), "33");
  EXPECT_EQ(text("A1CF"), "-112");
  EXPECT_EQ(text("ACCF"), "1212");
  EXPECT_EQ(text("A44F"), "0");
  type("SZahlF", "12");
  type("ZZahlF", "12");
  EXPECT_TRUE(shown("A33F"));
  EXPECT_EQ(text("A33F"), "33");
}

TEST_F(FensterTest, HeadersOutsideTheGridDoNotLeaveTheArrays) {
  const struct {
    int64_t rows, cols;
    int zzahl, szahl;
  } cases[] = {
      {0, 3, 1, 3}, {-5, 2, 1, 2}, {99, 99, 12, 12}, {13, 1, 12, 1}, {INT64_MAX, INT64_MIN, 12, 1},
      {4294967299, 2, 12, 2},  // 2^32 + 3: not its low 32 bits
  };
  for (const auto& c : cases) {
    ar::Matrix M = matrix(c.rows, c.cols, 1, 1, {});
    for (int r = 1; r <= 12; ++r)
      for (int col = 1; col <= 12; ++col) M[r][col] = 2;
    w->Ausgabe(M);
    EXPECT_EQ(text("ZZahlF"), std::to_string(c.zzahl)) << c.rows;
    EXPECT_EQ(text("SZahlF"), std::to_string(c.szahl)) << c.cols;
    EXPECT_EQ(w->Zzahl, c.zzahl) << c.rows;
    EXPECT_EQ(w->Szahl, c.szahl) << c.cols;
    // The array keeps its header counts.
    EXPECT_EQ(M[0][0], c.rows);
    EXPECT_EQ(M[0][1], c.cols);
  }
}

TEST_F(FensterTest, NormalFormBeyondSixtyFourBitsShowsNothing) {
  // Entries 2^62, 2^62 with factor 4: the normal form's numerator would be 2^64.
  ar::Matrix M = matrix(1, 2, 4, 1, {int64_t{1} << 62, int64_t{1} << 62});
  const ar::Matrix before = M;
  services.expectBox();
  w->Ausgabe(M);
  EXPECT_EQ(boxesShown(), (Boxes{{kKaputt, fw::kMsgPlain}}));
  EXPECT_EQ(M, before);
  EXPECT_TRUE(w->overflow);
  // The start state stays on screen.
  EXPECT_EQ(text("A11F") + text("A12F") + text("FakZF") + text("ZZahlF") + text("SZahlF"), "00133");
  EXPECT_EQ(w->Zzahl, 3);
  EXPECT_EQ(w->Szahl, 3);
}
