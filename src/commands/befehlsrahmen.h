#pragma once
// The frame of one command: a result that does not fit in 64 bits, or a typed
// number beyond them, is reported once and changes nothing, neither the grid
// nor the protocol.

#include "app/hauptfenster.h"

class Befehlsrahmen {
 public:
  explicit Befehlsrahmen(HauptFenster& w) : w_(w), protokoll_(w.Protokoll) { w_.overflow = false; }

  // Reads the grid into M; false, after the message, when a typed number lies
  // beyond 64 bits: the command must end.
  bool einlesen(ar::Matrix& M) { return w_.Einlesen(M) || !uebergelaufen(); }

  // After the computation: on overflow the protocol returns to what it was,
  // the message shows, and the command must end.
  bool uebergelaufen() {
    if (!w_.overflow) return false;
    w_.Protokoll = protokoll_;
    w_.message(HauptFenster::kUeberlaufMeldung);
    return true;
  }

  // Shows the result; when its normal form does not fit, Ausgabe has already
  // said so and shown nothing, and the protocol returns to what it was.
  void zeige(ar::Matrix& M) {
    w_.Ausgabe(M);
    if (w_.overflow) w_.Protokoll = protokoll_;
  }

  // Shows the unchanged input again after a refusal that has had its box: in
  // normal form, or, where that does not fit, as it stands in the grid, so
  // that one press never shows a second box.
  void zeigeWieder(ar::Matrix& M) {
    if (ar::NormalformPasst(M)) w_.Ausgabe(M);
  }

 private:
  HauptFenster& w_;
  std::string protokoll_;
};
