// "Loeschen", "->K", "Neu", the about box and the factor denominator field.

#include <QApplication>
#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

namespace {

const std::string FF = "\f";

// "Loeschen" asks when there is something to lose, "Neu" every time; "->K"
// copies the protocol. The rest of the start state is the reset's own.
TEST_F(FensterTest, LoeschenAndNeuAskBeforeTheyDropTheProtocol) {
  const std::string loeschen = "Beim Loeschen gehen alle im Protokoll gespeicherten Daten verloren." + FF + FF +
                               "Wirklich Loeschen?",
                    neu = "Beim Neustart gehen alle nicht gespeicherten Daten verloren." + FF + FF +
                          "Wirklich neu Starten?";
  for (const auto& [fall, protokoll, antwort, danach] : std::vector<std::tuple<const char*, std::string, int, std::string>>{
           {"fresh", "$", 0, "$"}, {"empty", "", 0, ""}, {"more, OK", "$a\r", fw::kAnswerOk, "$"},
           {"more, Cancel", "$a", fw::kAnswerCancel, "$a"}, {"sorts below $", "#a", fw::kAnswerOk, "$"},
           {"Neu, Cancel", "$x", fw::kAnswerCancel, "$x"}, {"Neu, fresh", "$", fw::kAnswerCancel, "$"},
           {"Neu, OK", "$x", fw::kAnswerOk, "$"}}) {
    const bool istNeu = std::string(fall).starts_with("Neu");
    w->Protokoll = protokoll;
    if (antwort) services.expectBox(antwort);  // 0: nothing asked
    button(istNeu ? "BevelButton21" : "BevelButton30").click();
    button("BevelButton31").click();
    EXPECT_EQ(std::make_tuple(w->Protokoll, services.clipboardText(), boxesShown()),
              std::make_tuple(danach, "\r" + danach, antwort ? Boxes{{istNeu ? neu : loeschen, 1}} : Boxes{})) << fall;
    services.clearBoxes();
  }
}

// Version and contact, then the fixed paragraph of three sentences.
TEST_F(FensterTest, AboutBoxIsACaution) {
  services.expectBox();
  button("BevelButton18").click();
  const std::string t = services.boxes().at(0).text;
  EXPECT_EQ(std::make_tuple(services.boxes()[0].kind, t.substr(0, 9), std::count(t.begin(), t.end(), '\f')),
            std::make_tuple(fw::kMsgCaution, "Quenlor, ", 6l));
  EXPECT_NE(t.find(FF + FF + "Das Programm Quenlor arbeitet mit 64-Bit-Ganzzahlarithmetik." + FF), std::string::npos);
}

// Leaving the denominator field with no number or 0 gives "1"; the rest stays.
TEST_F(FensterTest, DenominatorFieldRefusesZeroWhenLeft) {
  w->show();
  QApplication::setActiveWindow(w->widget());
  for (const auto& [getippt, danach] : std::vector<std::pair<std::string, std::string>>{
           {"", "1"}, {"0", "1"}, {"0.0", "1"}, {"abc", "1"}, {"-3", "-3"}, {"0.5", "0.5"}, {"-0", "1"}}) {
    field("FakNF").setFocus();
    type("FakNF", getippt);
    field("FakZF").setFocus();
    EXPECT_EQ(text("FakNF"), danach) << "typed \"" << getippt << "\"";
  }
}

}  // namespace
