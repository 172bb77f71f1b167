// "Beenden" and the window manager's close button ask before the program ends.

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "app/fenster_fixture.h"

TEST_F(FensterTest, BeendenAndTheCloseButtonAskAndQuitOnlyOnYes) {
  const std::string frage = "Beim Beenden gehen alle nicht gespeicherten Daten verloren.\f\fWirklich Beenden?";
  w->show();
  type("A11F", "5");
  services.expectBox(fw::kAnswerNo);
  button("BevelButton3").click();
  services.expectBox(fw::kAnswerNo);
  w->widget()->windowHandle()->close();  // as the window manager asks
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(services.quitCalled());
  EXPECT_EQ(text("A11F"), "5");
  EXPECT_EQ(w->Protokoll, "$");
  services.expectBox(fw::kAnswerYes);
  EXPECT_TRUE(w->widget()->close());
  EXPECT_TRUE(services.quitCalled());
  EXPECT_EQ(boxesShown(), Boxes(3, {frage, fw::kMsgYesNo}));
}

TEST_F(FensterTest, BeendenAnsweredYesQuits) {
  services.expectBox(fw::kAnswerYes);
  button("BevelButton3").click();
  EXPECT_TRUE(services.quitCalled());
}
