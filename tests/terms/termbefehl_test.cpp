// "=" in the window: the grid in, the result shown, the entry logged; a
// refused term changes neither the grid nor the protocol.

#include <gtest/gtest.h>

#include <string>

#include "app/fenster_fixture.h"

namespace {

class GleichTest : public FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    setGrid({{1, 2}, {3, 4}});
  }
  void gleich(const std::string& term) {
    type("FormelF", term);
    button("BevelButton22").click();
  }
};

TEST_F(GleichTest, ShowsTheResultAndLogsTheTermWhileLoggingIsOn) {
  // (X+X)^-1 = 1/2 X^-1 = 1/4 (-4,2;3,-1).
  gleich("(X + X)^-1");
  EXPECT_EQ(shownGrid(), "1/4: -4 2 | 3 -1");
  EXPECT_EQ(text("FormelF"), "(X+X)^-1");
  EXPECT_EQ(w->Protokoll, "$") << "logging is off";

  // Logging on; X is now 1/4 (-4,2;3,-1), so (X+X)^-1 is the start matrix.
  button("ProtokollB").click();
  gleich("(X+X)^-1");
  EXPECT_EQ(shownGrid(), "1/1: 1 2 | 3 4");
  EXPECT_EQ(w->Protokoll, "$\\left(X+X\\right)^{-1} = \\left( \\begin {array} {cc}1&2\\\\\r3&4\\\\\r"
                          "\\end{array} \\right) \r\\\\\r");
}

TEST_F(GleichTest, RefusedTermChangesNothing) {
  button("ProtokollB").click();
  w->G[0] = {1, 1, 1, 1};
  w->G[1][1] = 4294967296;  // 2^32
  const std::pair<const char*, Boxes::value_type> faelle[] = {
      {"A/2", {"Der Term scheint fehlerhaft zu sein.", fw::kMsgPlain}},
      {"X(X+2)", {"Formel fehlerhaft ?", fw::kMsgPlain}},
      {"G*G", {kUeberlauf, fw::kMsgPlain}},
      {"(X-X)^-1", {"Die Matrix ist nicht regulaer", fw::kMsgCautionOkCancel}},
  };
  for (const auto& [term, box] : faelle) {
    services.clearBoxes();
    services.expectBox(fw::kAnswerOk);
    gleich(term);
    EXPECT_EQ(boxesShown(), Boxes{box}) << term;
    EXPECT_EQ(shownGrid(), "1/1: 1 2 | 3 4") << term;
    EXPECT_EQ(w->Protokoll, "$") << term;
    EXPECT_TRUE(w->Formelfehler) << term;
  }
}

}  // namespace
