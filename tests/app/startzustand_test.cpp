// The window right after it opens, and the reset "Neustart".

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;

namespace {

const char* const kStoreButtons[] = {"InAB", "InBB", "InCB", "InDB", "InFB", "InGB", "InHB"};

class StartTest : public FensterTest {
 protected:
  // What the reset puts back: a 3 x 3 grid of "0" with factor 1 over 1 and
  // only its cells and six labels shown, logging off, no store chosen, empty
  // stores and protocol.
  void expectStartState() const {
    const std::pair<const char*, const char*> fields[] = {
        {"SZahlF", "3"}, {"ZZahlF", "3"}, {"FakZF", "1"}, {"FakNF", "1"}, {"FormelF", ""}};
    for (const auto& [name, t] : fields) EXPECT_EQ(text(name), t) << name;
    EXPECT_EQ(w->Szahl, 3);
    EXPECT_EQ(w->Zzahl, 3);
    for (int k = 1; k <= 12; ++k) {
      EXPECT_EQ(shown(grid::columnLabelName(k)), k <= 3) << k;
      EXPECT_EQ(shown(grid::rowLabelName(k)), k <= 3) << k;
      for (int c = 1; c <= 12; ++c) {
        EXPECT_EQ(text(cellName(k, c)), "0") << cellName(k, c);
        EXPECT_EQ(shown(cellName(k, c)), k <= 3 && c <= 3) << cellName(k, c);
      }
    }
    EXPECT_EQ(button("ProtokollB").caption(), "Protokollierung Einschalten");
    EXPECT_FALSE(button("ProtokollB").value());
    for (const char* b : kStoreButtons) EXPECT_FALSE(button(b).value()) << b;
    EXPECT_EQ(w->Protokoll, "$");
    for (const ar::Matrix* s : {&w->A, &w->B, &w->C, &w->D, &w->F, &w->G, &w->H}) {
      for (int k = 0; k <= 3; ++k) EXPECT_EQ((*s)[0][k], 1);
      for (int i = 1; i <= 12; ++i)
        for (int j = 1; j <= 12; ++j) EXPECT_EQ((*s)[i][j], 0);
    }
  }
};

}  // namespace

TEST_F(StartTest, StartState) {
  EXPECT_EQ(w->title(), "Quenlor");
  EXPECT_EQ(w->width(), 1109);
  EXPECT_EQ(w->height(), 796);
  EXPECT_TRUE(w->fixedSize());
  ASSERT_NE(w->property("MenuBarVisible"), nullptr);
  EXPECT_EQ(std::get<bool>(*w->property("MenuBarVisible")), false);
  expectStartState();
  EXPECT_EQ(text("InOutF"), "");
  EXPECT_TRUE(w->as<fw::RadioButton>("DezBB").value());
  EXPECT_FALSE(w->as<fw::RadioButton>("BruchB").value());
  EXPECT_FALSE(w->Formelfehler);
  EXPECT_EQ((std::array<int64_t, 4>{w->X[0][0], w->X[0][1], w->X[0][2], w->X[0][3]}),
            (std::array<int64_t, 4>{3, 3, 1, 1}));
  const std::array<std::array<std::string, 2>, 11> signPairs = {{
      {"6", ""}, {"+-", "-"}, {"**", "*"}, {"*+", "*"}, {"-+", "-"}, {"++", "+"}, {"--", "+"},
      {"", ""}, {"", ""}, {"", ""}, {"", ""},
  }};
  EXPECT_EQ(w->V, signPairs);
  w->Neustart();
  EXPECT_EQ(w->V, signPairs);
}

TEST_F(StartTest, NeustartAfterWorkResetsOnlyWhatItOwns) {
  // Work: a 2 x 4 grid, stores written, logging on, a term, an output, the
  // other radio button.
  const std::pair<const char*, const char*> typed[] = {{"SZahlF", "4"}, {"ZZahlF", "2"},   {"A11F", "7"},
                                                       {"FakZF", "5"},  {"FormelF", "2*A"}, {"InOutF", "Det() = 3"}};
  for (const auto& [name, t] : typed) type(name, t);
  w->as<fw::RadioButton>("BruchB").click();
  button("ProtokollB").setValue(true);
  button("ProtokollB").setCaption("Protokollierung Ausschalten");
  for (const char* b : kStoreButtons) button(b).setValue(true);
  w->Protokoll = "$A = x\r";
  w->A[0][0] = 4;
  w->G[2][2] = 9;
  w->A[0][7] = 77;  // outside header and entries: kept
  w->A[5][0] = 55;
  w->SMat[1][1] = 42;
  w->Formelfehler = true;
  w->Auswerter.BruchZ[3] = 8;

  w->Neustart();

  expectStartState();
  // Untouched by the reset.
  EXPECT_EQ(text("InOutF"), "Det() = 3");
  EXPECT_TRUE(w->as<fw::RadioButton>("BruchB").value());
  EXPECT_EQ(w->A[0][7], 77);
  EXPECT_EQ(w->A[5][0], 55);
  EXPECT_EQ(w->SMat[1][1], 42);
  EXPECT_TRUE(w->Formelfehler);
  EXPECT_EQ(w->Auswerter.BruchZ[3], 8);
}

TEST_F(FensterTest, AccessorReturnsTheOpenWindow) {
  w->Protokoll = "$changed";
  EXPECT_EQ(&HauptFenster::Instanz(), w.get());
  // Not opened again: the reset would have put "$" back.
  EXPECT_EQ(w->Protokoll, "$changed");
}
