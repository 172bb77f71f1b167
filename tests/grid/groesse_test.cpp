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
      for (const std::string& n : {grid::columnLabelName(k), grid::rowLabelName(k)})
        if (shown(n)) v.insert(n);
      for (int c = 1; c <= 12; ++c)
        if (shown(cellName(k, c))) v.insert(cellName(k, c));
    }
    return v;
  }
};

}  // namespace

TEST_F(GroesseTest, TypedSizeIsKeptWithinOneToTwelve) {
  const struct {
    const char *typed, *fieldAfter;
    int count;
  } cases[] = {
      {"13", "12", 12}, {"0", "1", 1},   {"", "1", 1},     {"-3", "1", 1},   {"99999999999", "12", 12},
      {"-99999999999", "1", 1},          {"99999999999999999999999", "12", 12},
      {"05", "05", 5},  {"2.7", "2.7", 2}, {"7x", "7x", 7}, {" 4", " 4", 4}, {"12", "12", 12}, {"1", "1", 1},
  };
  for (const auto& c : cases) {
    type("SZahlF", c.typed);
    EXPECT_EQ(text("SZahlF"), c.fieldAfter) << "columns " << c.typed;
    EXPECT_EQ(w->Szahl, c.count) << "columns " << c.typed;
    EXPECT_EQ(shownCells(), 3 * c.count) << "columns " << c.typed;
    type("ZZahlF", c.typed);
    EXPECT_EQ(text("ZZahlF"), c.fieldAfter) << "rows " << c.typed;
    EXPECT_EQ(w->Zzahl, c.count) << "rows " << c.typed;
    EXPECT_EQ(shownCells(), c.count * c.count) << "rows " << c.typed;
    type("ZZahlF", "3");
  }
}

TEST_F(GroesseTest, TypingTwelveDigitByDigit) {
  type("SZahlF", "1");
  EXPECT_EQ(visibleGrid(), (std::set<std::string>{"S1T", "Z1T", "Z2T", "Z3T", "A11F", "A21F", "A31F"}));
  type("SZahlF", "12");
  EXPECT_EQ(shownCells(), 36);
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

TEST_F(GroesseTest, HiddenCellsKeepTheirTextsAndShowThemAgain) {
  fillCells(4);  // the fourth row and column hidden
  type("SZahlF", "2");
  type("ZZahlF", "2");
  EXPECT_EQ(shownCells(), 4);
  EXPECT_EQ(text("A33F"), "33");
  w->as<fw::UpDownArrows>("SzUpDownArrows").pressUp();
  EXPECT_EQ(text("SZahlF"), "3");
  // Exactly the cells and labels of the size show.
  EXPECT_EQ(visibleGrid(), (std::set<std::string>{"S1T", "S2T", "S3T", "Z1T", "Z2T", "A11F", "A12F", "A13F", "A21F",
                                                  "A22F", "A23F"}));
  type("SZahlF", "4");
  type("ZZahlF", "4");
  EXPECT_EQ(shownCells(), 16);
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
  EXPECT_EQ(shownCells(), 0);
  for (int c = 1; c <= 12; ++c) EXPECT_TRUE(shown(grid::columnLabelName(c)));
  EXPECT_EQ(text("SZahlF"), "3");  // the size fields are not touched
}
