// "Beenden" and the window manager's close button ask before the program ends.

#include <gtest/gtest.h>

#include <QWidget>

#include "app/fenster_fixture.h"

namespace {

const std::string kFrage = "Beim Beenden gehen alle nicht gespeicherten Daten verloren.\f\fWirklich Beenden?";

}  // namespace

TEST_F(FensterTest, BeendenAnsweredNoKeepsEverything) {
  type("A11F", "5");
  services.expectBox(fw::kAnswerNo);
  button("BevelButton3").click();
  ASSERT_EQ(services.boxes().size(), 1u);
  EXPECT_EQ(services.boxes()[0].text, kFrage);
  EXPECT_EQ(services.boxes()[0].kind, fw::kMsgYesNo);
  EXPECT_FALSE(services.quitCalled());
  EXPECT_EQ(text("A11F"), "5");
  EXPECT_EQ(w->Protokoll, "$");
}

TEST_F(FensterTest, BeendenAnsweredYesQuits) {
  services.expectBox(fw::kAnswerYes);
  button("BevelButton3").click();
  EXPECT_EQ(services.boxes().size(), 1u);
  EXPECT_TRUE(services.quitCalled());
}

TEST_F(FensterTest, CloseButtonAsksTheSameQuestion) {
  w->show();
  services.expectBox(fw::kAnswerNo);
  EXPECT_FALSE(w->widget()->close());
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(services.quitCalled());

  services.expectBox(fw::kAnswerYes);
  EXPECT_TRUE(w->widget()->close());
  EXPECT_TRUE(services.quitCalled());
  ASSERT_EQ(services.boxes().size(), 2u);
  EXPECT_EQ(services.boxes()[1].text, kFrage);
  EXPECT_EQ(services.boxes()[1].kind, fw::kMsgYesNo);
}
