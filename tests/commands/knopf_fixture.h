#pragma once
// A main window driven through its buttons: a typed grid in, the grid, the
// output field, the boxes and the protocol out.

#include <string>
#include <vector>

#include "app/fenster_fixture.h"

using Rows = std::vector<std::vector<int64_t>>;

class KnopfTest : public FensterTest {
 protected:
  const std::string kUeberlauf = "Ergebnis falsch durch fehlerhafte Datei oder Überlauf bei Ganzzahlarithmetik!!";
  // The start of a two-column block, its end and the line break that ends an entry.
  const std::string kCC = "\\left( \\begin {array} {cc}", kEnde = "\\end{array} \\right) \r", kUmbruch = "\\\\\r";

  // Types sizes, factor and cells as a user would.
  void setGrid(const Rows& rows, const std::string& num = "1", const std::string& den = "1") const {
    type("ZZahlF", std::to_string(rows.size()));
    type("SZahlF", std::to_string(rows[0].size()));
    type("FakZF", num);
    type("FakNF", den);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) type(grid::cellName(r + 1, c + 1), std::to_string(rows[r][c]));
  }
  // The grid as shown, factor aside.
  Rows grid() const {
    Rows out(std::stoul(text("ZZahlF")), std::vector<int64_t>(std::stoul(text("SZahlF"))));
    for (size_t r = 0; r < out.size(); ++r)
      for (size_t c = 0; c < out[r].size(); ++c) out[r][c] = std::stoll(text(grid::cellName(r + 1, c + 1)));
    return out;
  }
  std::string factor() const { return text("FakZF") + "/" + text("FakNF"); }
  // Clicks with the given answers queued; the boxes of this click.
  Boxes press(const std::string& name, std::vector<int> answers = {}) {
    services.clearBoxes();
    for (int a : answers) services.expectBox(a);
    button(name).click();
    return boxesShown();
  }
  // OK to each of the boxes expected.
  static std::vector<int> oks(const Boxes& expected) { return std::vector<int>(expected.size(), fw::kAnswerOk); }

  // One row of a table: the grid typed with the factor 5/7, a text in the
  // output field and random entries scripted (as drawn); the boxes, the grid
  // (empty: as typed), the factor and the output field (empty: as typed)
  // afterwards. A refused command logs nothing.
  struct Fall {
    const char *what, *knopf;
    Rows in;
    std::string out;
    Boxes boxes = {};
    Rows shown = {};
    std::string fak = "5/7", eingabe = "vorher";
    std::vector<int> zuege = {};
  };
  void run(const std::vector<Fall>& faelle) {
    for (const auto& f : faelle) {
      setGrid(f.in, "5", "7");
      type("InOutF", f.eingabe);
      for (int e : f.zuege) services.queueRnd((e + 10.5) / 20);  // the middle of e's interval
      const std::string protokoll = w->Protokoll;
      EXPECT_EQ(press(f.knopf, oks(f.boxes)), f.boxes) << f.what;
      EXPECT_EQ(grid(), f.shown.empty() ? f.in : f.shown) << f.what;
      EXPECT_EQ(factor(), f.fak) << f.what;
      EXPECT_EQ(text("InOutF"), f.out.empty() ? f.eingabe : f.out) << f.what;
      EXPECT_TRUE(f.boxes.empty() || w->Protokoll == protokoll) << f.what;
    }
  }
};
