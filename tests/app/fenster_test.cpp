// The window as it opens, the reset "Neustart", and quitting.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

#include "app/fenster_fixture.h"
#include "protocol/protokollfenster.h"

// The window as it opens and after the reset "Neustart", which resets only
// what it owns.
TEST_F(FensterTest, TheWindowOpensInTheStartStateAndNeustartReturnsToIt) {
  // A 3 x 3 grid of "0" with factor 1 over 1 and only its cells and six labels
  // shown, logging off, no store chosen, empty stores and protocol, the term
  // language's sign pairs.
  auto expectStartState = [this] {
    EXPECT_EQ(shownGrid() + text("FormelF"), "1/1: 0 0 0 | 0 0 0 | 0 0 0");
    EXPECT_EQ(std::tuple(w->Zzahl, w->Szahl, w->Protokoll, shownCells()), std::tuple(3, 3, "$", 9));
    for (int k = 1; k <= 12; ++k) {
      EXPECT_EQ(shown(grid::columnLabelName(k)) + shown(grid::rowLabelName(k)), k <= 3 ? 2 : 0) << k;
      for (int c = 1; c <= 12; ++c) EXPECT_EQ(text(grid::cellName(k, c)), "0") << grid::cellName(k, c);
    }
    EXPECT_EQ(button("ProtokollB").caption() + (button("ProtokollB").value() ? " pressed" : ""),
              "Protokollierung Einschalten");
    for (const auto& s : core::kSpeicher) EXPECT_FALSE(button(s.speicherKnopf).value()) << s.speicherKnopf;
    for (const ar::Matrix& s : w->Speicher) EXPECT_EQ(s, matrix(1, 1, 1, 1));
    const std::array<std::array<std::string, 2>, 11> signPairs = {
        {{"6", ""}, {"+-", "-"}, {"**", "*"}, {"*+", "*"}, {"-+", "-"}, {"++", "+"}, {"--", "+"}}};
    EXPECT_EQ(w->V, signPairs);
  };
  EXPECT_EQ(w->title() + " " + std::to_string(w->width()) + "x" + std::to_string(w->height()), "Quenlor 1109x796");
  EXPECT_TRUE(w->fixedSize() && !std::get<bool>(*w->property("MenuBarVisible")));
  expectStartState();
  EXPECT_TRUE(text("InOutF").empty() && w->as<fw::RadioButton>("DezBB").value() && !w->Formelfehler);
  EXPECT_EQ(&HauptFenster::Instanz(), w.get()) << "the accessor hands out the open window";

  type("SZahlF", "4"), type("ZZahlF", "2"), type("ACCF", "7"), type("FakZF", "5"), type("FormelF", "2*A");
  type("InOutF", "Det() = 3");
  w->as<fw::RadioButton>("BruchB").click();
  button("ProtokollB").click();
  for (const auto& s : core::kSpeicher) button(s.speicherKnopf).setValue(true);
  w->Protokoll = "$A = x\r", w->G[2][2] = 9, w->Formelfehler = true;
  w->A[0][7] = 77;  // outside header and entries: kept
  w->Neustart();
  EXPECT_EQ(std::exchange(w->A[0][7], 0), 77);
  expectStartState();
  // Untouched by the reset.
  EXPECT_EQ(std::tuple(text("InOutF"), w->as<fw::RadioButton>("BruchB").value(), w->Formelfehler),
            std::tuple("Det() = 3", true, true));
}

// "Beenden" and the window manager's close button ask before the program ends.
TEST_F(FensterTest, BeendenAndTheCloseButtonAskAndQuitOnlyOnYes) {
  const std::string frage = "Beim Beenden gehen alle nicht gespeicherten Daten verloren.\f\fWirklich Beenden?";
  w->show();
  type("A11F", "5");
  for (int answer : {core::kAnswerNo, core::kAnswerNo, core::kAnswerYes}) services.expectBox(answer);
  button("BevelButton3").click();
  w->widget()->windowHandle()->close();  // as the window manager asks
  EXPECT_TRUE(w->isVisible() && !services.quitCalled() && text("A11F") == "5");
  EXPECT_TRUE(w->widget()->close() && services.quitCalled());
  EXPECT_EQ(boxesShown(), Boxes(3, {frage, core::kMsgYesNo}));
}

// The display plugin ends the process with exit() when the connection to the
// display breaks, maybe while a box is open over the protocol window: no exit
// handler may take the windows down under the box.
TEST(Beenden, ExitFromInsideABoxOverTheProtocolWindowEndsCleanly) {
  EXPECT_EXIT(
      {
        HauptFenster& w = HauptFenster::Instanz();  // on the desktop's own services
        w.as<fw::BevelButton>("BevelButton29").click();
        QApplication::processEvents();
        if (QApplication::activeWindow() != w.ProtokollFenster().widget()) std::_Exit(3);
        QTimer::singleShot(0, [] { std::exit(1); });
        w.services().msgBox("Box");
        std::_Exit(4);
      },
      testing::ExitedWithCode(1), "");
}
