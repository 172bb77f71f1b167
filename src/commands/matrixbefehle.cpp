// Commands that take the grid, run one matrix operation and show the result in
// the grid: Transformieren, Invertieren, Diagonale Vereinheitlichen, E->,
// Transponieren, Orthogonalisieren; and the protocol switch.

#include "app/hauptfenster.h"
#include "arithmetic/algebra.h"
#include "arithmetic/diagonal.h"
#include "arithmetic/elimination.h"
#include "arithmetic/inverse.h"
#include "arithmetic/orthogonal.h"
#include "commands/befehlsrahmen.h"

using ar::Matrix;

void HauptFenster::BevelButton1_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{};
  const bool log = ProtokollAn();
  if (!rahmen.einlesen(M)) return;
  if (log) InsProtokoll2(M, "\\rightarrow");
  // A value of zero is the zero matrix, whatever its entries: no row stays.
  M = ar::Nullform(M);
  ar::Verfahren(*this, M, Zzahl, Szahl);
  if (rahmen.uebergelaufen()) return;
  // Without a row left, the grid shows one row, zero as every row was, and
  // so does the protocol.
  if (M[0][0] == 0) M[0][0] = 1;
  if (log) {
    InsProtokoll2(ar::Nullform(M), ".");
    PZeilenumbruch();
  }
  rahmen.zeige(M);
}

void HauptFenster::BevelButton4_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{}, Inv{};
  bool fehlgeschlagen = false;
  if (!rahmen.einlesen(M)) return;
  if (ProtokollAn()) InsProtokoll(M, "");
  ar::Invertieren(*this, M, Inv, fehlgeschlagen);
  if (rahmen.uebergelaufen()) return;
  if (fehlgeschlagen) {
    rahmen.zeigeWieder(Inv);
    return;
  }
  if (ProtokollAn()) {
    InsProtokoll(Inv, "^{-1} =");
    PZeilenumbruch();
  }
  rahmen.zeige(Inv);
}

void HauptFenster::BevelButton5_Action() {
  Befehlsrahmen rahmen(*this);
  if (!rahmen.einlesen(SMat)) return;
  ar::Vereinheitlichen(*this, SMat);
  if (rahmen.uebergelaufen()) return;
  rahmen.zeige(SMat);
}

void HauptFenster::BevelButton6_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{};
  for (int32_t i = 1; i <= Zzahl && i <= 12; ++i)
    for (int32_t j = 1; j <= Szahl && j <= 12; ++j) M[i][j] = i == j ? 1 : 0;
  M[0][0] = Zzahl;
  M[0][1] = Szahl;
  M[0][2] = 1;
  M[0][3] = 1;
  rahmen.zeige(M);
}

void HauptFenster::BevelButton28_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{}, T{};
  if (!rahmen.einlesen(M)) return;
  ar::Transponieren(M, T);
  rahmen.zeige(T);
}

void HauptFenster::BevelButton23_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{};
  if (!rahmen.einlesen(M)) return;
  if (ProtokollAn()) InsProtokoll(M, "");
  ar::Orthnorm(*this, M);
  if (rahmen.uebergelaufen()) return;
  if (ProtokollAn()) {
    InsProtokoll(ar::Nullform(M), "\\mathrm{orthogonalisiert:}");
    PZeilenumbruch();
  }
  rahmen.zeige(M);
}

void HauptFenster::ProtokollB_Action() {
  auto& schalter = as<fw::BevelButton>("ProtokollB");
  schalter.setCaption(schalter.value() ? "Protokollierung Ausschalten" : "Protokollierung Einschalten");
}
