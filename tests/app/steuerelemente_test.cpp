// The controls of the main window: names, kinds, order, places and bindings.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/fenster_fixture.h"
#include "app/layoutdata.h"

using fw::ControlClass;
using grid::cellName;

namespace {

// The 45 bindings of the window, as control + "_" + event: these, and the
// Action of every bevel button.
const std::set<std::string> kOtherBindings = {
    "SZahlF_TextChange",   "ZZahlF_TextChange", "SzUpDownArrows_Down", "SzUpDownArrows_Up",
    "ZzUpDownArrows_Down", "ZzUpDownArrows_Up", "FakNF_LostFocus",     "InOutF_LostFocus",
};

// The order of creation: the grid's cells of columns 1 to 11 row by row and its
// labels, fifteen other controls, then column 12 ("SCT" amid its cells).
std::vector<std::string> creationOrder() {
  std::vector<std::string> v = {"BevelButton1", "StaticText1",    "StaticText2",   "SZahlF",
                                "ZZahlF",       "SzUpDownArrows", "ZzUpDownArrows"};
  for (int r = 1; r <= 12; ++r)
    for (int c = 1; c <= 11; ++c) v.push_back(cellName(r, c));
  for (int k = 1; k <= 11; ++k) v.push_back(grid::columnLabelName(k));
  for (int k = 1; k <= 12; ++k) v.push_back(grid::rowLabelName(k));
  v.insert(v.end(), {"BevelButton3", "BevelButton4", "BevelButton5", "BevelButton6", "BevelButton7", "InAB", "InBB",
                     "BevelButton11", "InCB", "BevelButton13", "InDB", "BevelButton15", "Line1", "BevelButton16",
                     "BevelButton17", "A9CF", "AACF", "ABCF", "ACCF", "SCT"});
  for (int r = 1; r <= 8; ++r) v.push_back(cellName(r, 12));
  v.insert(v.end(), {"BruchB", "DezBB", "BevelButton18", "StaticText3", "FakZF", "FakNF", "Line2", "BevelButton22",
                     "FormelF", "InFB", "OutFB", "InGB", "OutGB", "InHB", "OutHB", "BevelButton27", "Line3",
                     "StaticText4", "StaticText5", "BevelButton28", "BevelButton23", "StaticText6", "StaticText7",
                     "BevelButton24", "BevelButton29", "BevelButton30", "BevelButton19", "ProtokollB",
                     "BevelButton20", "StaticText8", "BevelButton21", "BevelButton31", "BevelButton32",
                     "BevelButton33", "Separator1", "BevelButton35", "InOutF"});
  return v;
}

}  // namespace

TEST_F(FensterTest, InventoryInTheOrderOfCreation) {
  std::vector<std::string> names;
  std::map<ControlClass, int> kinds;
  for (const fw::Control* c : w->controls()) {
    names.push_back(c->name());
    ++kinds[c->controlClass()];
  }
  const auto expected = creationOrder();
  ASSERT_EQ(expected.size(), 227u);
  EXPECT_EQ(names, expected);
  EXPECT_EQ(kinds, (std::map<ControlClass, int>{{ControlClass::EditField, 150}, {ControlClass::BevelButton, 37},
                                                {ControlClass::StaticText, 32}, {ControlClass::Line, 3},
                                                {ControlClass::UpDownArrows, 2}, {ControlClass::RadioButton, 2},
                                                {ControlClass::Separator, 1}}));
  for (const char* absent : {"BevelButton8", "BevelButton25", "BevelButton26"})
    EXPECT_EQ(w->findControl(absent), nullptr) << absent;
  // Five creation steps of 50, 50, 50, 49 and 28 controls.
  const size_t sizes[] = {50, 50, 50, 49, 28};
  size_t place = 0;
  for (size_t i = 0; i < 5; ++i) {
    ASSERT_EQ(app::creationSteps()[i].size(), sizes[i]) << "step " << i;
    for (const auto& d : app::creationSteps()[i]) EXPECT_EQ(d.name, expected[place++]);
  }
}

TEST_F(FensterTest, PlacesOfASampleOfControlsAndTheLines) {
  const struct {
    const char* name;
    std::vector<int> box;  // left, top, width, height
  } places[] = {
      {"BevelButton1", {702, 592, 150, 37}},  {"ProtokollB", {505, 5, 263, 22}},
      {"ZZahlF", {338, 41, 38, 26}},          {"ZzUpDownArrows", {380, 47, 13, 20}},
      {"OutGB", {291, 631, 44, 37}},          {"InOutF", {397, 675, 105, 25}},
      {"DezBB", {918, 608, 107, 27}},         {"Separator1", {684, 669, 347, 7}},
      {"A11F", {108, 153, 72, 25}},           {"A1BF", {881, 153, 72, 25}},
      {"A1CF", {959, 154, 72, 25}},           {"ACCF", {959, 495, 72, 25}},
      {"A55F", {419, 277, 72, 25}},           {"S4T", {342, 121, 72, 20}},
      {"SCT", {959, 121, 72, 20}},            {"S5T", {419, 120, 72, 20}},
      {"Z8T", {67, 371, 46, 20}},             {"Z9T", {67, 401, 46, 20}},
  };
  for (const auto& p : places) {
    const fw::Control& c = w->control(p.name);
    EXPECT_EQ((std::vector<int>{c.left(), c.top(), c.width(), c.height()}), p.box) << p.name;
  }
  const std::pair<const char*, std::vector<int>> lines[] = {  // x1, y1, x2, y2, border width
      {"Line1", {21, 546, 1031, 543, 1}}, {"Line2", {34, 71, 147, 72, 2}}, {"Line3", {685, 546, 684, 716, 1}}};
  for (const auto& [name, ends] : lines) {
    const auto& l = w->as<fw::Line>(name);
    EXPECT_EQ((std::vector<int>{l.x1(), l.y1(), l.x2(), l.y2(), std::get<int32_t>(*l.property("BorderWidth"))}), ends)
        << name;
  }
}

TEST_F(FensterTest, CaptionsTextsAndKindsFromTheRecords) {
  const std::pair<const char*, const char*> buttons[] = {
      {"BevelButton1", "Transformieren"}, {"BevelButton3", "Beenden"}, {"BevelButton4", "Invertieren"},
      {"BevelButton5", "Diagonale Vereinheitlichen"}, {"BevelButton6", "E->"}, {"BevelButton7", "A ->"},
      {"InAB", "->A"}, {"InHB", "->H"}, {"OutHB", "H ->"}, {"BevelButton16", "Det"}, {"BevelButton17", "Cramer"},
      {"BevelButton18", "Information zu Quenlor"}, {"BevelButton22", "="}, {"BevelButton27", "Rnd->"},
      {"BevelButton28", "Transponieren"}, {"BevelButton23", "Orthogonalisieren"}, {"BevelButton24", "Speichern"},
      {"BevelButton19", "Speichern"}, {"BevelButton29", "Zeigen"}, {"BevelButton30", "Loeschen"},
      {"BevelButton20", "Laden"}, {"BevelButton21", "Neu"}, {"BevelButton31", "->K"}, {"BevelButton32", "Rang"},
      {"BevelButton33", "Spur"}, {"BevelButton35", "lin.Abb."},
  };
  for (const auto& [name, caption] : buttons) EXPECT_EQ(button(name).caption(), caption) << name;
  const std::pair<const char*, const char*> labels[] = {
      {"StaticText1", "Spaltenanzahl:"}, {"StaticText2", "Zeilenanzahl:"},
      {"StaticText3", "Faktor vor aktueller Matrix:"}, {"StaticText4", "Gl.-System: Erweiterte Koeffizientenmatrix"},
      {"StaticText5", "Matrizenrechnung"}, {"StaticText6", "STO"}, {"StaticText7", "RCL"},
      {"StaticText8", "Arbeitsumgebung"}, {"SAT", "10"}, {"ZCT", "12"}, {"S1T", "1"},
  };
  for (const auto& [name, t] : labels) EXPECT_EQ(w->as<fw::StaticText>(name).text(), t) << name;
  EXPECT_EQ(w->as<fw::RadioButton>("BruchB").caption(), "als Bruch");
  EXPECT_EQ(w->as<fw::RadioButton>("DezBB").caption(), "als DezBruch");

  EXPECT_EQ(button("ProtokollB").buttonType(), 1);
  for (const char* sticky : {"InAB", "InBB", "InCB", "InDB", "InFB", "InGB", "InHB"})
    EXPECT_EQ(button(sticky).buttonType(), 2) << sticky;
  EXPECT_EQ(button("BevelButton7").buttonType(), 0);

  EXPECT_EQ(w->control("BevelButton31").helpTag(), "Schreibt das aktuelle Protokoll ins Klemmbrett.");
  EXPECT_EQ(w->control("BevelButton4").helpTag(), "Invertiert die Matrix im Display .");
  EXPECT_EQ(w->control("BevelButton3").helpTag(), "");
}

TEST_F(FensterTest, BindingsOnlyFromTheTable) {
  std::set<std::string> all = kOtherBindings;
  for (const fw::Control* c : w->controls())
    if (c->controlClass() == ControlClass::BevelButton) all.insert(c->name() + "_Action");
  ASSERT_EQ(all.size(), 45u);
  std::set<std::string> listed;
  for (const auto& step : app::creationSteps())
    for (const auto& d : step)
      for (const auto& ev : d.events) listed.insert(d.name + "_" + ev);
  EXPECT_EQ(listed, all);
  for (const fw::Control* c : w->controls())
    for (const char* ev : {"Action", "TextChange", "LostFocus", "Up", "Down"})
      EXPECT_TRUE(!c->hasHandler(ev) || all.count(c->name() + "_" + ev)) << c->name() << " " << ev;
  // The handlers of the grid and of "Beenden" exist, so they are bound.
  for (const std::string b : {"SZahlF_TextChange", "ZZahlF_TextChange", "SzUpDownArrows_Up", "SzUpDownArrows_Down",
                              "ZzUpDownArrows_Up", "ZzUpDownArrows_Down", "BevelButton3_Action"})
    EXPECT_TRUE(w->control(b.substr(0, b.find('_'))).hasHandler(b.substr(b.find('_') + 1))) << b;
  // No grid control has a handler.
  for (int r = 1; r <= 12; ++r)
    for (int c = 1; c <= 12; ++c) EXPECT_FALSE(w->control(cellName(r, c)).hasHandler("TextChange"));
}
