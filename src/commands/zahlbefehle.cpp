// Commands that compute a number of the grid or build a new matrix from
// numbers: Det, Rang, Spur and their output field, Cramer, Rnd-> and lin.Abb.

#include <cmath>

#include "app/hauptfenster.h"
#include "arithmetic/algebra.h"
#include "arithmetic/cramer.h"
#include "arithmetic/determinant.h"
#include "arithmetic/inverse.h"
#include "arithmetic/random.h"
#include "arithmetic/rank.h"
#include "arithmetic/trace.h"
#include "commands/befehlsrahmen.h"
#include "core/int64.h"
#include "framework/text.h"

using ar::Matrix;

namespace {

// Appends " = " and the number to the entry just begun and ends it.
void protokolliereZahl(HauptFenster& w, const Matrix& M, const std::string& heading, const std::string& zahl) {
  w.InsProtokoll(M, heading);
  w.Protokoll += " = " + zahl;
  w.PZeilenumbruch();
}

// One random entry from -10 to 9.
int64_t zufallsEintrag(fw::Services& s) { return core::doubleToInt64(std::floor((s.rnd() - 0.5) * 20)); }

}  // namespace

void HauptFenster::BevelButton16_Action() {
  Befehlsrahmen rahmen(*this);
  const bool log = ProtokollAn();
  Matrix M{};
  if (!rahmen.einlesen(M)) return;
  if (Zzahl != Szahl) {
    message("Keine quadratische Matrix");
    return;
  }
  M[0][2] = 1;
  M[0][3] = 1;
  const int64_t d = ar::Det(*this, M);
  if (rahmen.uebergelaufen()) return;
  as<fw::EditField>("InOutF").setText("Det() = " + fw::Str(d));
  if (log) protokolliereZahl(*this, M, "\\det ", fw::Str(d));
}

void HauptFenster::BevelButton32_Action() {
  Befehlsrahmen rahmen(*this);
  const bool log = ProtokollAn();
  Matrix M{};
  if (!rahmen.einlesen(M)) return;
  // Exact whatever the entries, and M stays as the grid shows it.
  const int32_t r = ar::Rang(*this, M, Zzahl, Szahl);
  as<fw::EditField>("InOutF").setText("Rang() = " + fw::Str(r));
  if (log) protokolliereZahl(*this, M, "\\mathrm{rg} ", fw::Str(r));
}

void HauptFenster::BevelButton33_Action() {
  Befehlsrahmen rahmen(*this);
  Matrix M{};
  if (!rahmen.einlesen(M)) return;
  if (M[0][0] != M[0][1]) {
    message("Eine Spur ist nur für quadratische Matrizen erklärt");
    return;
  }
  const int64_t s = ar::Spur(*this, M);
  if (rahmen.uebergelaufen()) return;
  const std::string spur = fw::Str(s);
  as<fw::EditField>("InOutF").setText("Spur() = " + spur);
  if (ProtokollAn()) protokolliereZahl(*this, M, "\\mathrm{spur} ", spur);
}

void HauptFenster::InOutF_LostFocus() { as<fw::EditField>("InOutF").setText(""); }

void HauptFenster::BevelButton17_Action() {
  Befehlsrahmen rahmen(*this);
  if (!rahmen.einlesen(SMat)) return;
  const bool dezimal = as<fw::RadioButton>("DezBB").value();
  std::array<double, ar::kCramerMax> werte{};
  std::array<ar::BruchT, ar::kCramerMax> brueche{};
  const ar::CramerFall fall = dezimal ? ar::CramerDezimal(SMat, werte) : ar::CramerBrueche(*this, SMat, brueche);
  if (fall == ar::CramerFall::kFormat) {
    message("Format des Systems passt nicht zu Cramer", core::kMsgCaution);
    return;
  }
  if (fall == ar::CramerFall::kSingulaer) {
    message("Systemmatrix darf nicht verschwinden");
    return;
  }
  if (rahmen.uebergelaufen()) return;
  const auto zeilen = static_cast<size_t>(SMat[0][0]);
  std::string text = "L = (";
  for (size_t i = 0; i < zeilen; ++i) {
    const bool letzte = i + 1 == zeilen;
    if (dezimal)
      text += fw::Str(werte[i]) + (letzte ? " ) " : " ; ");
    else
      text += fw::Str(brueche[i].Z) + "/" + fw::Str(brueche[i].N) + (letzte ? ")" : "; ");
  }
  message(text);
}

void HauptFenster::BevelButton27_Action() {
  Befehlsrahmen rahmen(*this);
  const std::string eingabe = as<fw::EditField>("InOutF").text();
  Matrix M{};
  if (fw::StrComp(eingabe, "") > 0 && fw::InStr(eingabe, "=") == 0) {
    // A typed determinant: a random square matrix with it.
    const std::optional<int64_t> d = fw::toInt64Checked(eingabe);
    if (!d) {
      message(kUeberlaufMeldung);
      return;
    }
    ar::Zufallsmatrix(*this, Zzahl, *d, [this] { return zufallsEintrag(services()); }, M);
    if (rahmen.uebergelaufen()) return;
  } else {
    for (int32_t i = 1; i <= Zzahl && i <= core::kMax; ++i)
      for (int32_t j = 1; j <= Szahl && j <= core::kMax; ++j) M[i][j] = zufallsEintrag(services());
    M[0] = {Zzahl, Szahl, 1, 1};
  }
  rahmen.zeige(M);
}

void HauptFenster::BevelButton35_Action() {
  Befehlsrahmen rahmen(*this);
  // A store taken while its denominator field showed 0 has no value.
  if (A[0][3] == 0 || B[0][3] == 0) {
    message(kUeberlaufMeldung);
    return;
  }
  // The basis test over A's own size: the grid's size and A's hidden cells
  // play no part. A zero factor makes A the zero matrix, of rank 0.
  Matrix T{};
  ar::Klone(A, T);
  const int32_t r = ar::Rang(*this, T);
  if (r != A[0][1] || A[0][0] != A[0][1]) {
    message("Die Spalten der Matrix A bilden keine Basis von R^" + fw::Str(A[0][1]), core::kMsgCaution);
    return;
  }
  if (B[0][1] != A[0][1]) {
    message("Die Spaltenanzahlen der Matrizen A und B muessen gleich sein!", core::kMsgCaution);
    return;
  }
  // T keeps A's cells outside the result; they go to the hidden cells.
  ar::Klone(A, T);
  bool fehlgeschlagen = false;
  ar::Abbildungsmatrix(*this, A, B, T, fehlgeschlagen);
  if (rahmen.uebergelaufen() || fehlgeschlagen) return;
  if (ProtokollAn()) {
    InsProtokoll(A, "\\mathrm{Urbilder}:");
    InsProtokoll(B, "\\mathrm{;\\ Bilder}:");
    InsProtokoll(T, "\\mathrm{;\\ Abb.Matrix:\\ }");
    PZeilenumbruch();
  }
  rahmen.zeige(T);
}
