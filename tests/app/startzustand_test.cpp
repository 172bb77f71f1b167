// The window right after it opens, and the reset "Neustart".

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;
using grid::columnLabelName;
using grid::rowLabelName;

namespace {

const char* const kStoreButtons[] = {"InAB", "InBB", "InCB", "InDB", "InFB", "InGB", "InHB"};

}  // namespace

TEST_F(FensterTest, WindowIsFixedSizeTitledQuenlorWithoutMenuBar) {
  EXPECT_EQ(w->title(), "Quenlor");
  EXPECT_EQ(w->width(), 1109);
  EXPECT_EQ(w->height(), 796);
  EXPECT_TRUE(w->fixedSize());
  ASSERT_NE(w->property("MenuBarVisible"), nullptr);
  EXPECT_EQ(std::get<bool>(*w->property("MenuBarVisible")), false);
  EXPECT_TRUE(services.boxes().empty());
}

TEST_F(FensterTest, StartStateOfTheFields) {
  EXPECT_EQ(text("SZahlF"), "3");
  EXPECT_EQ(text("ZZahlF"), "3");
  EXPECT_EQ(text("FakZF"), "1");
  EXPECT_EQ(text("FakNF"), "1");
  EXPECT_EQ(text("FormelF"), "");
  EXPECT_EQ(text("InOutF"), "");
  EXPECT_EQ(w->Szahl, 3);
  EXPECT_EQ(w->Zzahl, 3);
  for (int r = 1; r <= 12; ++r)
    for (int c = 1; c <= 12; ++c) EXPECT_EQ(text(cellName(r, c)), "0") << cellName(r, c);
}

TEST_F(FensterTest, StartStateShowsExactlyTheThreeByThreeBlock) {
  int cells = 0, labels = 0;
  for (int k = 1; k <= 12; ++k) {
    EXPECT_EQ(shown(columnLabelName(k)), k <= 3) << k;
    EXPECT_EQ(shown(rowLabelName(k)), k <= 3) << k;
    labels += shown(columnLabelName(k)) + shown(rowLabelName(k));
    for (int c = 1; c <= 12; ++c) cells += shown(cellName(k, c));
  }
  EXPECT_EQ(cells, 9);
  EXPECT_EQ(labels, 6);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 3; ++c) EXPECT_TRUE(shown(cellName(r, c)));
}

TEST_F(FensterTest, StartStateOfButtonsAndSwitch) {
  EXPECT_EQ(button("ProtokollB").caption(), "Protokollierung Einschalten");
  EXPECT_FALSE(button("ProtokollB").value());
  for (const char* b : kStoreButtons) EXPECT_FALSE(button(b).value()) << b;
  EXPECT_TRUE(w->as<fw::RadioButton>("DezBB").value());
  EXPECT_FALSE(w->as<fw::RadioButton>("BruchB").value());
}

TEST_F(FensterTest, StartStateOfTheWindowState) {
  EXPECT_EQ(w->Protokoll, "$");
  EXPECT_FALSE(w->Formelfehler);
  const ar::Matrix* stores[] = {&w->A, &w->B, &w->C, &w->D, &w->F, &w->G, &w->H};
  for (const ar::Matrix* s : stores) {
    for (int k = 0; k <= 3; ++k) EXPECT_EQ((*s)[0][k], 1);
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) EXPECT_EQ((*s)[i][j], 0);
  }
  EXPECT_EQ(w->X[0][0], 3);
  EXPECT_EQ(w->X[0][1], 3);
  EXPECT_EQ(w->X[0][2], 1);
  EXPECT_EQ(w->X[0][3], 1);
}

TEST_F(FensterTest, SignPairTable) {
  const std::array<std::array<std::string, 2>, 11> expected = {{
      {"6", ""}, {"+-", "-"}, {"**", "*"}, {"*+", "*"}, {"-+", "-"}, {"++", "+"}, {"--", "+"},
      {"", ""}, {"", ""}, {"", ""}, {"", ""},
  }};
  EXPECT_EQ(w->V, expected);
  w->Neustart();
  w->Neustart();
  EXPECT_EQ(w->V, expected);
}

TEST_F(FensterTest, NeustartAfterWorkResetsOnlyWhatItOwns) {
  // Work: a 2 x 4 grid, stores written, logging on, a term, an output, the
  // other radio button.
  type("SZahlF", "4");
  type("ZZahlF", "2");
  type("A11F", "7");
  type("FakZF", "5");
  type("FormelF", "2*A");
  type("InOutF", "Det() = 3");
  w->as<fw::RadioButton>("BruchB").click();
  button("ProtokollB").setValue(true);
  button("ProtokollB").setCaption("Protokollierung Ausschalten");
  for (const char* b : kStoreButtons) button(b).setValue(true);
  w->Protokoll = "$A = x\r";
  w->A[0][0] = 4;
  w->A[2][2] = 9;
  w->A[0][7] = 77;  // outside header and entries: kept
  w->A[5][0] = 55;
  w->SMat[1][1] = 42;
  w->Formelfehler = true;
  w->BruchZ[3] = 8;

  w->Neustart();

  EXPECT_EQ(text("SZahlF"), "3");
  EXPECT_EQ(text("ZZahlF"), "3");
  EXPECT_EQ(text("A11F"), "0");
  EXPECT_EQ(text("FakZF"), "1");
  EXPECT_EQ(text("FormelF"), "");
  EXPECT_EQ(button("ProtokollB").caption(), "Protokollierung Einschalten");
  EXPECT_FALSE(button("ProtokollB").value());
  for (const char* b : kStoreButtons) EXPECT_FALSE(button(b).value()) << b;
  EXPECT_EQ(w->Protokoll, "$");
  EXPECT_EQ(w->A[0][0], 1);
  EXPECT_EQ(w->A[2][2], 0);
  // Untouched by the reset.
  EXPECT_EQ(text("InOutF"), "Det() = 3");
  EXPECT_TRUE(w->as<fw::RadioButton>("BruchB").value());
  EXPECT_EQ(w->A[0][7], 77);
  EXPECT_EQ(w->A[5][0], 55);
  EXPECT_EQ(w->SMat[1][1], 42);
  EXPECT_TRUE(w->Formelfehler);
  EXPECT_EQ(w->BruchZ[3], 8);
  EXPECT_TRUE(services.boxes().empty());
}

TEST_F(FensterTest, AccessorReturnsTheOpenWindow) {
  HauptFenster& first = HauptFenster::Instanz();
  EXPECT_EQ(&first, w.get());
  w->Protokoll = "$changed";
  HauptFenster& second = HauptFenster::Instanz();
  EXPECT_EQ(&second, w.get());
  // Not opened again: the reset would have put "$" back.
  EXPECT_EQ(second.Protokoll, "$changed");
}
