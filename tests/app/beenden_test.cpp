// "Beenden" and the window manager's close button ask before the program ends.

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "app/fenster_fixture.h"

namespace {

const std::string kFrage = "Beim Beenden gehen alle nicht gespeicherten Daten verloren.\f\fWirklich Beenden?";

}  // namespace

TEST_F(FensterTest, BeendenAsksAndQuitsOnlyOnYes) {
  type("A11F", "5");
  services.expectBox(fw::kAnswerNo);
  button("BevelButton3").click();
  EXPECT_FALSE(services.quitCalled());
  EXPECT_EQ(text("A11F"), "5");
  EXPECT_EQ(w->Protokoll, "$");
  services.expectBox(fw::kAnswerYes);
  button("BevelButton3").click();
  EXPECT_TRUE(services.quitCalled());
  EXPECT_EQ(boxesShown(), (Boxes{{kFrage, fw::kMsgYesNo}, {kFrage, fw::kMsgYesNo}}));
}

TEST_F(FensterTest, CloseButtonAsksTheSameQuestion) {
  w->show();
  services.expectBox(fw::kAnswerNo);
  w->widget()->windowHandle()->close();  // as the window manager asks
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(services.quitCalled());
  services.expectBox(fw::kAnswerYes);
  EXPECT_TRUE(w->widget()->close());
  EXPECT_TRUE(services.quitCalled());
  EXPECT_EQ(boxesShown(), (Boxes{{kFrage, fw::kMsgYesNo}, {kFrage, fw::kMsgYesNo}}));
}
