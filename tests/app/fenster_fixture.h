#pragma once
// A main window on scripted services: every message box must be expected.
// A grid goes in as a user types it; the grid, the boxes and the protocol
// come out as shown.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/gridnames.h"
#include "app/hauptfenster.h"

// Scripted services: every box, dialog or random number that the test did not
// script fails the test, and so does a scripted answer left over.
struct TestServices : fw::ScriptedServices {
  TestServices() { setFailureHook([](const std::string& what) { ADD_FAILURE() << what; }); }
  void expectAllUsed() const { EXPECT_TRUE(allUsed()) << "scripted answers left unused"; }
};

using Rows = std::vector<std::vector<int64_t>>;
using Boxes = std::vector<std::pair<std::string, int>>;  // text and kind

inline const std::string kUeberlauf = "Ergebnis falsch durch fehlerhafte Datei oder Überlauf bei Ganzzahlarithmetik!!";
inline const Boxes kUeberlaufBox = {{kUeberlauf, core::kMsgPlain}};
// The start of a two-column block, its end and the line break that ends an entry.
inline const std::string kCC = "\\left( \\begin {array} {cc}", kEnde = "\\end{array} \\right) \r", kUmbruch = "\\\\\r";

// An array with its header and the entries row by row.
inline ar::Matrix matrix(int64_t rows, int64_t cols, int64_t num, int64_t den, std::vector<int64_t> entries = {}) {
  ar::Matrix M{{{rows, cols, num, den}}};
  for (size_t k = 0; k < entries.size(); ++k) M[1 + k / cols][1 + k % cols] = entries[k];
  return M;
}

class FensterTest : public ::testing::Test {
 protected:
  void SetUp() override { w = std::make_unique<HauptFenster>(services); }
  void TearDown() override { services.expectAllUsed(); }

  fw::EditField& field(const std::string& name) const { return w->as<fw::EditField>(name); }
  std::string text(const std::string& name) const { return field(name).text(); }
  void type(const std::string& name, const std::string& t) const { field(name).setText(t); }
  bool shown(const std::string& name) const { return w->control(name).visible(); }
  fw::BevelButton& button(const std::string& name) const { return w->as<fw::BevelButton>(name); }

  Boxes boxesShown() const {
    Boxes v;
    for (const auto& b : services.boxes()) v.emplace_back(b.text, b.kind);
    return v;
  }
  // Clicks with the given answers queued; the boxes of this click.
  Boxes press(fw::BevelButton& b, std::vector<int> answers = {}) {
    services.clearBoxes();
    for (int a : answers) services.expectBox(a);
    b.click();
    return boxesShown();
  }
  Boxes press(const std::string& name, std::vector<int> answers = {}) { return press(button(name), answers); }
  // OK to each of the boxes expected.
  static std::vector<int> oks(const Boxes& expected) { return std::vector<int>(expected.size(), core::kAnswerOk); }

  // How many cells of the grid show.
  int shownCells() const {
    int n = 0;
    for (int k = 0; k < 144; ++k) n += shown(grid::cellName(k / 12 + 1, k % 12 + 1));
    return n;
  }
  // Types sizes, factor and cells as a user would.
  void setGrid(const Rows& rows, const std::string& num = "1", const std::string& den = "1") const {
    type("ZZahlF", std::to_string(rows.size())), type("SZahlF", std::to_string(rows[0].size()));
    type("FakZF", num), type("FakNF", den);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) type(grid::cellName(r + 1, c + 1), std::to_string(rows[r][c]));
  }
  // The cells of the size fields, factor aside.
  Rows grid() const {
    Rows out(std::stoul(text("ZZahlF")), std::vector<int64_t>(std::stoul(text("SZahlF"))));
    for (size_t r = 0; r < out.size(); ++r)
      for (size_t c = 0; c < out[r].size(); ++c) out[r][c] = std::stoll(text(grid::cellName(r + 1, c + 1)));
    return out;
  }
  std::string factor() const { return text("FakZF") + "/" + text("FakNF"); }
  // The grid as one text: "factor: row | row".
  std::string shownGrid() const {
    std::string s = factor() + ":";
    for (int r = 1; r <= std::stoi(text("ZZahlF")); ++r)
      for (int c = 1; c <= std::stoi(text("SZahlF")); ++c)
        s += (r > 1 && c == 1 ? " | " : " ") + text(grid::cellName(r, c));
    return s;
  }

  // Declared first, so that it outlives the window.
  TestServices services;
  std::unique_ptr<HauptFenster> w;
};
