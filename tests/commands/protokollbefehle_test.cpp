// "Loeschen", "->K", "Neu", the about box, and the fields that act when left.

#include <QApplication>
#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

namespace {

// "Loeschen" asks when there is something to lose, "Neu" every time; "->K"
// copies the protocol. The rest of the start state is the reset's own.
TEST_F(FensterTest, LoeschenAndNeuAskBeforeTheyDropTheProtocol) {
  const char *loeschen = "Beim Loeschen gehen alle im Protokoll gespeicherten Daten verloren.\f\fWirklich Loeschen?",
             *neu = "Beim Neustart gehen alle nicht gespeicherten Daten verloren.\f\fWirklich neu Starten?";
  const struct { const char* fall; std::string protokoll; int antwort; std::string danach; } faelle[] = {
      {"fresh", "$", 0, "$"}, {"empty", "", 0, ""}, {"more, OK", "$a\r", core::kAnswerOk, "$"},
      {"more, Cancel", "$a", core::kAnswerCancel, "$a"}, {"sorts below $", "#a", core::kAnswerOk, "$"},
      {"Neu, Cancel", "$x", core::kAnswerCancel, "$x"}, {"Neu, fresh", "$", core::kAnswerCancel, "$"},
      {"Neu, OK", "$x", core::kAnswerOk, "$"}};
  for (const auto& [fall, protokoll, antwort, danach] : faelle) {
    const bool istNeu = std::string(fall).starts_with("Neu");
    const Boxes frage = antwort ? Boxes{{istNeu ? neu : loeschen, core::kMsgOkCancel}} : Boxes{};  // 0: nothing asked
    w->Protokoll = protokoll;
    EXPECT_EQ(press(istNeu ? "BevelButton21" : "BevelButton30", std::vector(frage.size(), antwort)), frage) << fall;
    button("BevelButton31").click();
    EXPECT_EQ(std::pair(w->Protokoll, services.clipboardText()), std::pair(danach, "\r" + danach)) << fall;
  }
}

// Version and contact, then the fixed paragraph of three sentences.
TEST_F(FensterTest, AboutBoxIsACaution) {
  const auto [t, kind] = press("BevelButton18", {core::kAnswerOk}).at(0);
  EXPECT_EQ(std::make_tuple(kind, t.substr(0, 9), std::count(t.begin(), t.end(), '\f')),
            std::make_tuple(core::kMsgCaution, "Quenlor, ", 6l));
  EXPECT_NE(t.find("\f\fDas Programm Quenlor arbeitet mit 64-Bit-Ganzzahlarithmetik.\f"), std::string::npos);
}

// Leaving the denominator field with no number or 0 gives "1", the rest
// stays; leaving the output field empties it.
TEST_F(FensterTest, FieldsRepairedOrEmptiedWhenLeft) {
  w->show();
  QApplication::setActiveWindow(w->widget());
  for (const auto& [feld, getippt, danach] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"FakNF", "", "1"}, {"FakNF", "0", "1"}, {"FakNF", "0.0", "1"}, {"FakNF", "abc", "1"},
           {"FakNF", "-3", "-3"}, {"FakNF", "0.5", "0.5"}, {"FakNF", "-0", "1"}, {"InOutF", "Det() = 0", ""}}) {
    field(feld).setFocus();
    type(feld, getippt);
    field("A11F").setFocus();
    EXPECT_EQ(text(feld), danach) << feld << " typed \"" << getippt << "\"";
  }
}

}  // namespace
