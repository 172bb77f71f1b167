#pragma once
// A main window on scripted services: every message box must be expected.

#include <gtest/gtest.h>

#include "app/hauptfenster.h"
#include "grid/gridnames.h"
#include "support/scripted.h"

class FensterTest : public ::testing::Test {
 protected:
  void SetUp() override { w = std::make_unique<HauptFenster>(services); }
  void TearDown() override { services.expectAllUsed(); }

  fw::EditField& field(const std::string& name) const { return w->as<fw::EditField>(name); }
  std::string text(const std::string& name) const { return field(name).text(); }
  void type(const std::string& name, const std::string& t) const { field(name).setText(t); }
  bool shown(const std::string& name) const { return w->control(name).visible(); }
  fw::BevelButton& button(const std::string& name) const { return w->as<fw::BevelButton>(name); }

  // The boxes shown so far, as text and kind.
  using Boxes = std::vector<std::pair<std::string, int>>;
  Boxes boxesShown() const {
    Boxes v;
    for (const auto& b : services.boxes()) v.emplace_back(b.text, b.kind);
    return v;
  }
  // How many cells of the grid show.
  int shownCells() const {
    int n = 0;
    for (int k = 0; k < 144; ++k) n += shown(grid::cellName(k / 12 + 1, k % 12 + 1));
    return n;
  }

  // Fills the cells of rows and columns 1..n with row*10+column, visible or not.
  void fillCells(int n) const {
    for (int r = 1; r <= n; ++r)
      for (int c = 1; c <= n; ++c) type(grid::cellName(r, c), std::to_string(r * 10 + c));
  }

  // Declared first, so that it outlives the window.
  test::TestServices services;
  std::unique_ptr<HauptFenster> w;
};
