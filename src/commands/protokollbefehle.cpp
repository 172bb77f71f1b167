// The buttons of the protocol and workspace groups, "Neu", the about box and
// the factor denominator field.

#include "app/hauptfenster.h"
#include "framework/text.h"
#include "protocol/protokollfenster.h"

namespace {
const std::string kFF = "\f";
const std::string kLeeresProtokoll = "$";
}  // namespace

void HauptFenster::BevelButton30_Action() {
  // An empty protocol has nothing to lose either.
  if (Protokoll == kLeeresProtokoll || Protokoll.empty()) return;
  const int antwort = services_.msgBox(
      "Beim Loeschen gehen alle im Protokoll gespeicherten Daten verloren." + kFF + kFF + "Wirklich Loeschen?",
      core::kMsgOkCancel);
  if (antwort == core::kAnswerOk) Protokoll = kLeeresProtokoll;
}

void HauptFenster::BevelButton29_Action() {
  ProtokollW& fenster = ProtokollFenster();
  fenster.as<fw::EditField>("ProtokollF").setText(Protokoll);
  fenster.show();
}

void HauptFenster::BevelButton31_Action() { services_.setClipboardText("\r" + Protokoll); }

void HauptFenster::BevelButton24_Action() { SpeichereProtokoll(); }
void HauptFenster::BevelButton19_Action() { SpeichereDaten(); }
void HauptFenster::BevelButton20_Action() { DatenLaden(); }

void HauptFenster::BevelButton21_Action() {
  const int antwort = services_.msgBox(
      "Beim Neustart gehen alle nicht gespeicherten Daten verloren." + kFF + kFF + "Wirklich neu Starten?",
      core::kMsgOkCancel);
  if (antwort == core::kAnswerOk) Neustart();
}

void HauptFenster::BevelButton18_Action() {
  services_.msgBox("Quenlor, Version 1.0" + kFF + kFF + "Kontakt: ueber die Projektseite von Quenlor" + kFF + kFF +
                       "Das Programm Quenlor arbeitet mit 64-Bit-Ganzzahlarithmetik." + kFF +
                       "Ein Overflow durch zu grosse Zahlen wird auch bei eingeschalteter Ueberlaufkontrolle nicht "
                       "mit Sicherheit unterbunden; er  fuehrt zu falschen oder unsinnigen Ergebnissen." +
                       kFF + "Vor allem beim Invertieren duerfen daher die Werte nicht zu gross sein!",
                   core::kMsgCaution);
}

void HauptFenster::FakNF_LostFocus() {
  auto& nenner = as<fw::EditField>("FakNF");
  if (fw::Val(nenner.text()) == 0) nenner.setText("1");
}
