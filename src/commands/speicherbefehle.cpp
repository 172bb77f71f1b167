// The seven stores: the store buttons "->A" ... "->H" copy the grid into a
// store, the recall buttons "A ->" ... "H ->" log it and show it. Questions
// and headings come from the one table of the stores.

#include "app/hauptfenster.h"
#include "commands/befehlsrahmen.h"
#include "core/speicher.h"

namespace {

const core::SpeicherInfo& info(char buchstabe) { return core::kSpeicher[*core::speicherIndex(buchstabe)]; }

}  // namespace

void HauptFenster::InSpeicher(char buchstabe) {
  Befehlsrahmen rahmen(*this);
  Matrix& speicher = Speicher[*core::speicherIndex(buchstabe)];
  Matrix gelesen = speicher;
  if (!rahmen.einlesen(gelesen)) return;
  // A store of one row is taken for empty and overwritten without asking.
  if (speicher[0][0] > 1 && services().msgBox(info(buchstabe).frage, core::kMsgOkCancel) != core::kAnswerOk) return;
  speicher = gelesen;
}

void HauptFenster::AusSpeicher(char buchstabe) {
  Befehlsrahmen rahmen(*this);
  Matrix& speicher = Speicher[*core::speicherIndex(buchstabe)];
  // Logged as it is held, before the display brings it to normal form; a
  // value of zero as the zero matrix that the grid then shows.
  if (ProtokollAn()) {
    InsProtokoll(ar::Nullform(speicher), info(buchstabe).ueberschrift);
    PZeilenumbruch();
  }
  rahmen.zeige(speicher);
}

void HauptFenster::InAB_Action() { InSpeicher('A'); }
void HauptFenster::InBB_Action() { InSpeicher('B'); }
void HauptFenster::InCB_Action() { InSpeicher('C'); }
void HauptFenster::InDB_Action() { InSpeicher('D'); }
void HauptFenster::InFB_Action() { InSpeicher('F'); }
void HauptFenster::InGB_Action() { InSpeicher('G'); }
void HauptFenster::InHB_Action() { InSpeicher('H'); }

void HauptFenster::BevelButton7_Action() { AusSpeicher('A'); }
void HauptFenster::BevelButton11_Action() { AusSpeicher('B'); }
void HauptFenster::BevelButton13_Action() { AusSpeicher('C'); }
void HauptFenster::BevelButton15_Action() { AusSpeicher('D'); }
void HauptFenster::OutFB_Action() { AusSpeicher('F'); }
void HauptFenster::OutGB_Action() { AusSpeicher('G'); }
void HauptFenster::OutHB_Action() { AusSpeicher('H'); }
