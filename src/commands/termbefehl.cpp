// "=": the term in the formula field, evaluated over the stores and the grid,
// shown in the grid and, while logging is on, logged with the term in LaTeX.
// A refused term changes neither the grid nor the protocol.

#include "app/hauptfenster.h"
#include "commands/befehlsrahmen.h"
#include "protocol/tex.h"

void HauptFenster::BevelButton22_Action() { TermAuswerten(); }

void HauptFenster::TermAuswerten() {
  const bool log = ProtokollAn();  // the state at the press decides
  Befehlsrahmen rahmen(*this);
  if (!rahmen.einlesen(X)) {
    Formelfehler = true;
    return;
  }
  auto& feld = as<fw::EditField>("FormelF");
  std::string formel = feld.text();
  Matrix ergebnis{};
  // The cleaned formula shows at once, also behind the messages that follow.
  Auswerter.Bereinigt = [&feld](const std::string& bereinigt) {
    if (bereinigt != feld.text()) feld.setText(bereinigt);
  };
  const bool ok = Auswerter.Kalkuel(formel, ergebnis);
  Auswerter.Bereinigt = nullptr;
  if (rahmen.uebergelaufen() || !ok) return;
  rahmen.zeige(ergebnis);
  if (log && !overflow) {
    InsProtokoll(ergebnis, protokoll::Tex(formel) + " = ");
    PZeilenumbruch();
  }
}
