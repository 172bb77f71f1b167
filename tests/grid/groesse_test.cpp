// The size fields, their arrows, and which cells and labels show.

#include <gtest/gtest.h>

#include <set>

#include "app/fenster_fixture.h"

using grid::cellName;

namespace {

class GroesseTest : public FensterTest {
 protected:
  // Names of the grid controls that show.
  std::set<std::string> visibleGrid() const {
    std::set<std::string> v;
    for (int k = 1; k <= 12; ++k) {
      if (shown(grid::columnLabelName(k))) v.insert(grid::columnLabelName(k));
      if (shown(grid::rowLabelName(k))) v.insert(grid::rowLabelName(k));
      for (int c = 1; c <= 12; ++c)
        if (shown(cellName(k, c))) v.insert(cellName(k, c));
    }
    return v;
  }
  int visibleCells() const {
    int n = 0;
    for (int r = 1; r <= 12; ++r)
      for (int c = 1; c <= 12; ++c) n += shown(cellName(r, c));
    return n;
  }
};

}  // namespace

TEST_F(GroesseTest, TypedSizeIsKeptWithinOneToTwelve) {
  const struct {
    const char* typed;
    const char* fieldAfter;
    int count;
  } cases[] = {
      {"5", "5", 5},
      {"13", "12", 12},
      {"99", "12", 12},
      {"0", "1", 1},
      {"", "1", 1},
      {"-3", "1", 1},
      {"abc", "1", 1},
      {"99999999999", "12", 12},
      {"-99999999999", "1", 1},
      {"99999999999999999999999", "12", 12},
      {"05", "05", 5},
      {"2.7", "2.7", 2},
      {"7x", "7x", 7},
      {" 4", " 4", 4},
      {"12", "12", 12},
      {"1", "1", 1},
  };
  for (const auto& c : cases) {
    type("SZahlF", c.typed);
    EXPECT_EQ(text("SZahlF"), c.fieldAfter) << "columns " << c.typed;
    EXPECT_EQ(w->Szahl, c.count) << "columns " << c.typed;
    EXPECT_EQ(visibleCells(), 3 * c.count) << "columns " << c.typed;

    type("ZZahlF", c.typed);
    EXPECT_EQ(text("ZZahlF"), c.fieldAfter) << "rows " << c.typed;
    EXPECT_EQ(w->Zzahl, c.count) << "rows " << c.typed;
    EXPECT_EQ(visibleCells(), c.count * c.count) << "rows " << c.typed;
    type("ZZahlF", "3");
  }
  EXPECT_TRUE(services.boxes().empty());
}

TEST_F(GroesseTest, ThreeColumnsTwoRowsShowExactlyTheirCellsAndLabels) {
  type("ZZahlF", "2");
  const std::set<std::string> expected = {"S1T", "S2T", "S3T", "Z1T", "Z2T", "A11F",
                                          "A12F", "A13F", "A21F", "A22F", "A23F"};
  EXPECT_EQ(visibleGrid(), expected);
}

TEST_F(GroesseTest, TypingTwelveDigitByDigit) {
  type("SZahlF", "1");
  EXPECT_EQ(visibleGrid(), (std::set<std::string>{"S1T", "Z1T", "Z2T", "Z3T", "A11F", "A21F", "A31F"}));
  type("SZahlF", "12");
  EXPECT_EQ(visibleCells(), 36);
  EXPECT_TRUE(shown("SCT"));
  EXPECT_TRUE(shown("A3CF"));
  EXPECT_FALSE(shown("A4CF"));
}

TEST_F(GroesseTest, Arrows) {
  const struct {
    const char* start;  // text of the field before the press
    bool up;
    const char* fieldAfter;
    int count;
  } cases[] = {
      {"3", true, "4", 4},   {"3", false, "2", 2},  {"05", true, "6", 6},   {"11", true, "12", 12},
      {"2", false, "1", 1},  {"12", false, "11", 11},
      // At the ends nothing is written: the typed text stays as it was.
      {"012", true, "012", 12}, {"01", false, "01", 1},
  };
  for (const char* fieldName : {"SZahlF", "ZZahlF"}) {
    const bool columns = std::string(fieldName) == "SZahlF";
    auto& arrows = w->as<fw::UpDownArrows>(columns ? "SzUpDownArrows" : "ZzUpDownArrows");
    for (const auto& c : cases) {
      type(fieldName, c.start);
      if (c.up) arrows.pressUp();
      else arrows.pressDown();
      EXPECT_EQ(text(fieldName), c.fieldAfter) << fieldName << " " << c.start << (c.up ? " up" : " down");
      EXPECT_EQ(columns ? w->Szahl : w->Zzahl, c.count) << fieldName << " " << c.start;
    }
    type(fieldName, "3");
  }
}

TEST_F(GroesseTest, UpShowsTheNewColumnWithItsOldTexts) {
  type("A14F", "8");  // hidden, keeps its text
  EXPECT_FALSE(shown("A14F"));
  w->as<fw::UpDownArrows>("SzUpDownArrows").pressUp();
  EXPECT_EQ(text("SZahlF"), "4");
  EXPECT_TRUE(shown("S4T"));
  EXPECT_TRUE(shown("A14F"));
  EXPECT_TRUE(shown("A34F"));
  EXPECT_FALSE(shown("A44F"));
  EXPECT_EQ(text("A14F"), "8");
}

TEST_F(GroesseTest, HiddenCellsKeepTheirTexts) {
  type("SZahlF", "4");
  type("ZZahlF", "4");
  fillCells(4);
  type("SZahlF", "2");
  type("ZZahlF", "2");
  EXPECT_EQ(visibleCells(), 4);
  EXPECT_FALSE(shown("A33F"));
  EXPECT_EQ(text("A33F"), "33");
  EXPECT_EQ(text("A14F"), "14");
  type("SZahlF", "4");
  type("ZZahlF", "4");
  EXPECT_EQ(visibleCells(), 16);
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(text(cellName(r, c)), std::to_string(r * 10 + c));
}

TEST_F(GroesseTest, AnpassenTakesTheCountsAsTheyAre) {
  w->Szahl = 0;
  w->Zzahl = 5;
  w->Anpassen();
  EXPECT_EQ(visibleGrid(), (std::set<std::string>{"Z1T", "Z2T", "Z3T", "Z4T", "Z5T"}));
  w->Szahl = 40;
  w->Zzahl = -2;
  w->Anpassen();
  EXPECT_EQ(visibleCells(), 0);
  for (int c = 1; c <= 12; ++c) EXPECT_TRUE(shown(grid::columnLabelName(c)));
  // The size fields are not touched.
  EXPECT_EQ(text("SZahlF"), "3");
}
