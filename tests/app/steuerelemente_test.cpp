// The controls of the main window: names, kinds, order, places and bindings.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/fenster_fixture.h"
#include "app/layoutdata.h"

using fw::ControlClass;

namespace {

// The 45 bindings of the window, as control + "_" + event.
const std::set<std::string> kAllBindings = {
    "BevelButton1_Action",  "SZahlF_TextChange",     "ZZahlF_TextChange",     "SzUpDownArrows_Down",
    "SzUpDownArrows_Up",    "ZzUpDownArrows_Down",   "ZzUpDownArrows_Up",     "BevelButton3_Action",
    "BevelButton4_Action",  "BevelButton5_Action",   "BevelButton6_Action",   "BevelButton7_Action",
    "InAB_Action",          "InBB_Action",           "BevelButton11_Action",  "InCB_Action",
    "BevelButton13_Action", "InDB_Action",           "BevelButton15_Action",  "BevelButton16_Action",
    "BevelButton17_Action", "BevelButton18_Action",  "FakNF_LostFocus",       "BevelButton22_Action",
    "InFB_Action",          "OutFB_Action",          "InGB_Action",           "OutGB_Action",
    "InHB_Action",          "OutHB_Action",          "BevelButton27_Action",  "BevelButton28_Action",
    "BevelButton23_Action", "BevelButton24_Action",  "BevelButton29_Action",  "BevelButton30_Action",
    "BevelButton19_Action", "ProtokollB_Action",     "BevelButton20_Action",  "BevelButton21_Action",
    "BevelButton31_Action", "BevelButton32_Action",  "BevelButton33_Action",  "BevelButton35_Action",
    "InOutF_LostFocus",
};
const char* const kEvents[] = {"Action", "TextChange", "LostFocus", "Up", "Down"};

std::vector<std::string> namesOf(const std::vector<app::ControlDef>& defs) {
  std::vector<std::string> v;
  for (const auto& d : defs) v.push_back(d.name);
  return v;
}

}  // namespace

TEST_F(FensterTest, InventoryByKind) {
  const auto& all = w->controls();
  ASSERT_EQ(all.size(), 227u);
  std::set<std::string> names;
  std::map<ControlClass, int> kinds;
  for (const fw::Control* c : all) {
    names.insert(c->name());
    ++kinds[c->controlClass()];
  }
  EXPECT_EQ(names.size(), 227u);
  EXPECT_EQ(kinds[ControlClass::EditField], 150);
  EXPECT_EQ(kinds[ControlClass::BevelButton], 37);
  EXPECT_EQ(kinds[ControlClass::StaticText], 32);
  EXPECT_EQ(kinds[ControlClass::Line], 3);
  EXPECT_EQ(kinds[ControlClass::UpDownArrows], 2);
  EXPECT_EQ(kinds[ControlClass::RadioButton], 2);
  EXPECT_EQ(kinds[ControlClass::Separator], 1);
  for (const char* absent : {"BevelButton8", "BevelButton25", "BevelButton26"})
    EXPECT_EQ(w->findControl(absent), nullptr) << absent;
}

TEST(Erstellung, FiveStepsInTheirOrder) {
  const auto& steps = app::creationSteps();
  const size_t sizes[] = {50, 50, 50, 49, 28};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(steps[i].size(), sizes[i]) << "step " << i;

  const auto s0 = namesOf(steps[0]);
  const std::vector<std::string> head = {"BevelButton1", "StaticText1", "StaticText2", "SZahlF",
                                         "ZZahlF", "SzUpDownArrows", "ZzUpDownArrows", "A11F"};
  EXPECT_EQ(std::vector<std::string>(s0.begin(), s0.begin() + 8), head);
  EXPECT_EQ(s0[17], "A1BF");
  EXPECT_EQ(s0[18], "A21F");
  EXPECT_EQ(s0.back(), "A4AF");
  EXPECT_EQ(namesOf(steps[1]).front(), "A4BF");
  EXPECT_EQ(namesOf(steps[1]).back(), "A95F");
  const auto s2 = namesOf(steps[2]);
  EXPECT_EQ(s2.front(), "A96F");
  EXPECT_EQ(s2[38], "ACBF");
  EXPECT_EQ(s2[39], "S1T");
  EXPECT_EQ(s2.back(), "SBT");
  const std::vector<std::string> s3tail = {
      "ZCT",  "BevelButton3", "BevelButton4", "BevelButton5", "BevelButton6", "BevelButton7", "InAB", "InBB",
      "BevelButton11", "InCB", "BevelButton13", "InDB", "BevelButton15", "Line1", "BevelButton16",
      "BevelButton17", "A9CF", "AACF", "ABCF", "ACCF", "SCT", "A1CF", "A2CF", "A3CF", "A4CF", "A5CF", "A6CF",
      "A7CF", "A8CF", "BruchB", "DezBB", "BevelButton18", "StaticText3", "FakZF", "FakNF", "Line2",
      "BevelButton22", "FormelF"};
  const auto s3 = namesOf(steps[3]);
  EXPECT_EQ(s3.front(), "Z1T");
  EXPECT_EQ(std::vector<std::string>(s3.begin() + 11, s3.end()), s3tail);
  const std::vector<std::string> s4 = {
      "InFB", "OutFB", "InGB", "OutGB", "InHB", "OutHB", "BevelButton27", "Line3", "StaticText4", "StaticText5",
      "BevelButton28", "BevelButton23", "StaticText6", "StaticText7", "BevelButton24", "BevelButton29",
      "BevelButton30", "BevelButton19", "ProtokollB", "BevelButton20", "StaticText8", "BevelButton21",
      "BevelButton31", "BevelButton32", "BevelButton33", "Separator1", "BevelButton35", "InOutF"};
  EXPECT_EQ(namesOf(steps[4]), s4);
}

TEST_F(FensterTest, WindowCreatesInTheOrderOfTheSteps) {
  std::vector<std::string> expected;
  for (const auto& step : app::creationSteps())
    for (const auto& d : step) expected.push_back(d.name);
  std::vector<std::string> actual;
  for (const fw::Control* c : w->controls()) actual.push_back(c->name());
  EXPECT_EQ(actual, expected);
  // Places counted from 1: column 12's cells come after the buttons.
  EXPECT_EQ(actual[139 - 1], "ACBF");
  EXPECT_EQ(actual[150 - 1], "SBT");
  EXPECT_EQ(actual[178 - 1], "A9CF");
  EXPECT_EQ(actual[182 - 1], "SCT");
  EXPECT_EQ(actual[190 - 1], "A8CF");
}

TEST_F(FensterTest, PlacesOfASampleOfControls) {
  struct Place {
    const char* name;
    int left, top, width, height;
  };
  const Place places[] = {
      {"BevelButton1", 702, 592, 150, 37},   {"BevelButton3", 953, 16, 78, 51},
      {"ProtokollB", 505, 5, 263, 22},       {"SZahlF", 338, 16, 38, 27},
      {"ZZahlF", 338, 41, 38, 26},           {"SzUpDownArrows", 380, 16, 13, 20},
      {"ZzUpDownArrows", 380, 47, 13, 20},   {"FakZF", 40, 46, 98, 27},
      {"FakNF", 40, 71, 98, 26},             {"StaticText3", 24, 14, 186, 20},
      {"InGB", 289, 592, 44, 37},            {"OutGB", 291, 631, 44, 37},
      {"FormelF", 83, 675, 250, 31},         {"InOutF", 397, 675, 105, 25},
      {"BevelButton18", 702, 680, 323, 26},  {"DezBB", 918, 608, 107, 27},
      {"Separator1", 684, 669, 347, 7},      {"StaticText4", 702, 555, 323, 20},
      {"A11F", 108, 153, 72, 25},            {"A1BF", 881, 153, 72, 25},
      {"A1CF", 959, 154, 72, 25},            {"ACCF", 959, 495, 72, 25},
      {"A55F", 419, 277, 72, 25},            {"S4T", 342, 121, 72, 20},
      {"SCT", 959, 121, 72, 20},             {"S5T", 419, 120, 72, 20},
      {"Z8T", 67, 371, 46, 20},              {"Z9T", 67, 401, 46, 20},
      {"ZCT", 67, 494, 46, 20},              {"Z1T", 67, 154, 46, 20},
  };
  for (const Place& p : places) {
    const fw::Control& c = w->control(p.name);
    EXPECT_EQ(c.left(), p.left) << p.name;
    EXPECT_EQ(c.top(), p.top) << p.name;
    EXPECT_EQ(c.width(), p.width) << p.name;
    EXPECT_EQ(c.height(), p.height) << p.name;
  }
}

TEST_F(FensterTest, CaptionsTextsAndKindsFromTheRecords) {
  struct Caption {
    const char* name;
    const char* caption;
  };
  const Caption buttons[] = {
      {"BevelButton1", "Transformieren"}, {"BevelButton3", "Beenden"}, {"BevelButton4", "Invertieren"},
      {"BevelButton5", "Diagonale Vereinheitlichen"}, {"BevelButton6", "E->"}, {"BevelButton7", "A ->"},
      {"InAB", "->A"}, {"InHB", "->H"}, {"OutHB", "H ->"}, {"BevelButton16", "Det"}, {"BevelButton17", "Cramer"},
      {"BevelButton18", "Information zu Quenlor"}, {"BevelButton22", "="}, {"BevelButton27", "Rnd->"},
      {"BevelButton28", "Transponieren"}, {"BevelButton23", "Orthogonalisieren"}, {"BevelButton24", "Speichern"},
      {"BevelButton19", "Speichern"}, {"BevelButton29", "Zeigen"}, {"BevelButton30", "Loeschen"},
      {"BevelButton20", "Laden"}, {"BevelButton21", "Neu"}, {"BevelButton31", "->K"}, {"BevelButton32", "Rang"},
      {"BevelButton33", "Spur"}, {"BevelButton35", "lin.Abb."},
  };
  for (const Caption& b : buttons) EXPECT_EQ(w->as<fw::BevelButton>(b.name).caption(), b.caption) << b.name;

  const Caption labels[] = {
      {"StaticText1", "Spaltenanzahl:"}, {"StaticText2", "Zeilenanzahl:"},
      {"StaticText3", "Faktor vor aktueller Matrix:"}, {"StaticText4", "Gl.-System: Erweiterte Koeffizientenmatrix"},
      {"StaticText5", "Matrizenrechnung"}, {"StaticText6", "STO"}, {"StaticText7", "RCL"},
      {"StaticText8", "Arbeitsumgebung"}, {"SAT", "10"}, {"ZCT", "12"}, {"S1T", "1"},
  };
  for (const Caption& l : labels) EXPECT_EQ(w->as<fw::StaticText>(l.name).text(), l.caption) << l.name;
  EXPECT_EQ(w->as<fw::RadioButton>("BruchB").caption(), "als Bruch");
  EXPECT_EQ(w->as<fw::RadioButton>("DezBB").caption(), "als DezBruch");

  EXPECT_EQ(w->as<fw::BevelButton>("ProtokollB").buttonType(), 1);
  for (const char* sticky : {"InAB", "InBB", "InCB", "InDB", "InFB", "InGB", "InHB"})
    EXPECT_EQ(w->as<fw::BevelButton>(sticky).buttonType(), 2) << sticky;
  EXPECT_EQ(w->as<fw::BevelButton>("BevelButton7").buttonType(), 0);

  EXPECT_EQ(w->control("BevelButton31").helpTag(), "Schreibt das aktuelle Protokoll ins Klemmbrett.");
  EXPECT_EQ(w->control("BevelButton4").helpTag(), "Invertiert die Matrix im Display .");
  EXPECT_EQ(w->control("BevelButton3").helpTag(), "");
}

TEST_F(FensterTest, BindingInventory) {
  size_t bound = 0;
  for (const fw::Control* c : w->controls()) {
    for (const char* ev : kEvents) {
      if (!c->hasHandler(ev)) continue;
      ++bound;
      EXPECT_TRUE(kAllBindings.count(c->name() + "_" + ev)) << c->name() << " " << ev << " is bound";
    }
  }
  EXPECT_LE(bound, 45u);
  // The handlers of the grid and of "Beenden" exist, so they are bound.
  EXPECT_TRUE(w->control("SZahlF").hasHandler("TextChange"));
  EXPECT_TRUE(w->control("ZZahlF").hasHandler("TextChange"));
  for (const char* arrows : {"SzUpDownArrows", "ZzUpDownArrows"}) {
    EXPECT_TRUE(w->control(arrows).hasHandler("Up"));
    EXPECT_TRUE(w->control(arrows).hasHandler("Down"));
  }
  EXPECT_TRUE(w->control("BevelButton3").hasHandler("Action"));
  // No grid control has a handler.
  for (int r = 1; r <= 12; ++r)
    for (int c = 1; c <= 12; ++c) EXPECT_EQ(w->control(grid::cellName(r, c)).bindingCount(), 0u);
}

TEST(Erstellung, BindingTableListsTheFortyFiveBindings) {
  std::set<std::string> listed;
  for (const auto& step : app::creationSteps())
    for (const auto& d : step)
      for (const auto& ev : d.events) listed.insert(d.name + "_" + ev);
  EXPECT_EQ(listed, kAllBindings);
  const size_t perStep[] = {7, 0, 0, 17, 21};
  for (size_t i = 0; i < 5; ++i) {
    size_t n = 0;
    for (const auto& d : app::creationSteps()[i]) n += d.events.size();
    EXPECT_EQ(n, perStep[i]) << "step " << i;
  }
  // Down comes before Up.
  const auto& arrows = app::creationSteps()[0][5];
  EXPECT_EQ(arrows.events, (std::vector<std::string>{"Down", "Up"}));
}
