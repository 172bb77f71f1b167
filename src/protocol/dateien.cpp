// The protocol file, the workspace file and the protocol window's accessor.

#include "app/hauptfenster.h"
#include "framework/textfile.h"
#include "protocol/arbeitsdatei.h"
#include "protocol/protokollfenster.h"

void HauptFenster::DateiSpeichern(const std::string& vorschlag, const std::string& text) {
  const auto pfad = services_.saveDialog(vorschlag);
  if (!pfad) return;
  if (!fw::writeTextFile(*pfad, text, datei::kZeilenende)) message(datei::kNichtGespeichert);
}

void HauptFenster::SpeichereProtokoll() { DateiSpeichern("QuenlorProtokoll", Protokoll + "$"); }

void HauptFenster::SpeichereDaten() { SpeichereDaten(datei::kGroessteDatei); }

void HauptFenster::SpeichereDaten(size_t groessteDatei) {
  std::string s;
  // A typed number beyond 64 bits cannot be saved as itself: nothing is written.
  if (!AlleDatenCodieren(s)) {
    message(kUeberlaufMeldung);
    return;
  }
  // Loading refuses a larger file: it would be saved, yet never load again.
  if (s.size() + std::string_view(datei::kZeilenende).size() > groessteDatei) {
    message(datei::kNichtGespeichert);
    return;
  }
  DateiSpeichern("QuenlorDaten", s);
}

bool HauptFenster::AlleDatenCodieren(std::string& s) {
  datei::Arbeitsumgebung a;
  if (!Einlesen(a.raster)) return false;
  a.speicher = Speicher;
  a.term = as<fw::EditField>("FormelF").text();
  a.protokoll = Protokoll;
  s += datei::Codieren(a);
  return true;
}

void HauptFenster::DatenLaden() { DatenLaden(datei::kGroessteDatei); }

void HauptFenster::DatenLaden(size_t groessteDatei) {
  const auto pfad = services_.openDialog();
  if (!pfad) return;
  const auto inhalt = fw::readTextFile(*pfad, groessteDatei);
  if (!inhalt) {
    message(kUeberlaufMeldung);
    return;
  }
  AlleDatenEinfuegen(*inhalt);
}

bool HauptFenster::AlleDatenEinfuegen(const std::string& s) {
  // The whole file is checked before anything changes.
  auto a = datei::Zerlegen(s);
  if (!a) {
    message(kUeberlaufMeldung);
    return false;
  }
  X = a->raster;
  // A grid whose normal form does not fit was saved as typed and comes back
  // so; the commands that read it report it.
  if (ar::NormalformPasst(X))
    Ausgabe(X);  // reports a zero denominator and goes on
  else
    Darstellen(X);
  Speicher = a->speicher;
  as<fw::EditField>("FormelF").setText(a->term);
  Protokoll = std::move(a->protokoll);
  return true;
}

ProtokollW& HauptFenster::ProtokollFenster() {
  if (!protokollW_) protokollW_ = std::make_shared<ProtokollW>(*this);
  return *protokollW_;
}
