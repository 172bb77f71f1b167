// Commands that compute a number of the grid or build a new matrix from
// numbers: Det, Rang, Spur and their output field, Cramer, Rnd-> and lin.Abb.

#include <cmath>

#include "app/hauptfenster.h"
#include "arithmetic/algebra.h"
#include "arithmetic/determinant.h"
#include "arithmetic/elimination.h"
#include "arithmetic/exact.h"
#include "arithmetic/fraction.h"
#include "arithmetic/inverse.h"
#include "commands/befehlsrahmen.h"
#include "framework/int64.h"
#include "framework/text.h"

using ar::Matrix;
using ar::exact::i128;
using ar::exact::u128;

namespace {

// Appends " = " and the number to the entry just begun and ends it.
void protokolliereZahl(HauptFenster& w, const Matrix& M, const std::string& heading, const std::string& zahl) {
  w.InsProtokoll(M, heading);
  w.Protokoll += " = " + zahl;
  w.PZeilenumbruch();
}

// a / b (b not 0) as the double nearest to the exact quotient. Dividing two
// doubles would round each operand first once it lies beyond 2^53.
double quotient(int64_t a, int64_t b) {
  if (a == 0) return 0.0;
  const uint64_t am = ar::exact::mag64(a), bm = ar::exact::mag64(b);
  // Long division until the quotient holds 55 bits or more, so that the
  // rounding bit and a sticky bit for the rest lie below the 53 kept ones.
  u128 q = am / bm, r = am % bm;
  int shift = 0;
  while (q < (u128{1} << 55)) {
    r <<= 1;
    q <<= 1;
    if (r >= bm) {
      r -= bm;
      q |= 1;
    }
    ++shift;
  }
  if (r != 0) q |= 1;
  const double v = std::ldexp(static_cast<double>(q), -shift);
  return (a < 0) != (b < 0) ? -v : v;
}

// One random entry from -10 to 9.
int64_t zufallsEintrag(fw::Services& s) { return fw::doubleToInt64(std::floor((s.rnd() - 0.5) * 20)); }

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
  // Summed exactly; twelve 64-bit entries cannot leave 128 bits.
  i128 s = 0;
  for (int32_t i = 1; i <= ar::rowsOf(M); ++i) s += M[i][i];
  if (!ar::exact::fits64(s)) {
    message(kUeberlaufMeldung);
    return;
  }
  const std::string spur = fw::Str(static_cast<int64_t>(s));
  as<fw::EditField>("InOutF").setText("Spur() = " + spur);
  if (ProtokollAn()) protokolliereZahl(*this, M, "\\mathrm{spur} ", spur);
}

void HauptFenster::InOutF_LostFocus() { as<fw::EditField>("InOutF").setText(""); }

void HauptFenster::BevelButton17_Action() {
  Befehlsrahmen rahmen(*this);
  if (!rahmen.einlesen(SMat)) return;
  const int64_t n = SMat[0][0], m = SMat[0][1];
  if (n < 1 || n > 11 || m != n + 1) {
    message("Format des Systems passt nicht zu Cramer", fw::kMsgCaution);
    return;
  }
  const auto zeilen = static_cast<int32_t>(n);
  Matrix M{};
  ar::Cramermatrix(SMat, zeilen + 1, M);
  const int64_t D = ar::Det(*this, M);
  if (rahmen.uebergelaufen()) return;
  if (D == 0) {
    message("Systemmatrix darf nicht verschwinden");
    return;
  }
  const bool dezimal = as<fw::RadioButton>("DezBB").value();
  std::string text = "L = (";
  for (int32_t i = 1; i <= zeilen; ++i) {
    ar::Cramermatrix(SMat, i, M);
    const int64_t zaehler = ar::Det(*this, M);
    if (dezimal) {
      text += fw::Str(quotient(zaehler, D)) + (i < zeilen ? " ; " : " ) ");
    } else {
      ar::BruchT b;
      b.Z = zaehler;
      b.N = D;
      b.Kuerzen(*this);
      text += fw::Str(b.Z) + "/" + fw::Str(b.N) + (i < zeilen ? "; " : ")");
    }
    if (rahmen.uebergelaufen()) return;
  }
  message(text);
}

void HauptFenster::BevelButton27_Action() {
  Befehlsrahmen rahmen(*this);
  const std::string eingabe = as<fw::EditField>("InOutF").text();
  Matrix M{};
  if (fw::StrComp(eingabe, "") > 0 && fw::InStr(eingabe, "=") == 0) {
    // A typed determinant d: M = U * L with U upper triangular with diagonal
    // d, 1, ..., 1 and L lower triangular with ones on it.
    const std::optional<int64_t> d = fw::toInt64Checked(eingabe);
    if (!d) {
      message(kUeberlaufMeldung);
      return;
    }
    const int32_t n = Zzahl;
    Matrix U{}, L{};
    for (int32_t i = 1; i <= n; ++i) {
      U[i][i] = 1;
      for (int32_t j = i + 1; j <= n; ++j) U[i][j] = zufallsEintrag(services());
    }
    U[1][1] = *d;
    for (int32_t i = 1; i <= n; ++i) {
      L[i][i] = 1;
      for (int32_t j = 1; j < i; ++j) L[i][j] = zufallsEintrag(services());
    }
    U[0] = L[0] = {n, n, 1, 1};
    ar::MatMult(*this, U, L, M);
    if (rahmen.uebergelaufen()) return;
  } else {
    for (int32_t i = 1; i <= Zzahl; ++i)
      for (int32_t j = 1; j <= Szahl; ++j) M[i][j] = zufallsEintrag(services());
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
  // play no part. A zero factor makes every column 0.
  Matrix T{}, Inv{};
  ar::Klone(A, T);
  const int32_t r = ar::Rang(*this, T);
  if (r != A[0][1] || A[0][0] != A[0][1] || A[0][2] == 0) {
    message("Die Spalten der Matrix A bilden keine Basis von R^" + fw::Str(A[0][1]), fw::kMsgCaution);
    return;
  }
  if (B[0][1] != A[0][1]) {
    message("Die Spaltenanzahlen der Matrizen A und B muessen gleich sein!", fw::kMsgCaution);
    return;
  }
  ar::Klone(A, T);
  bool fehlgeschlagen = false;
  ar::Invertieren(*this, T, Inv, fehlgeschlagen);
  if (rahmen.uebergelaufen() || fehlgeschlagen) return;
  // T keeps A's cells outside the product; they go to the hidden cells.
  ar::MatMult(*this, B, Inv, T);
  if (rahmen.uebergelaufen()) return;
  if (ProtokollAn()) {
    InsProtokoll(A, "\\mathrm{Urbilder}:");
    InsProtokoll(B, "\\mathrm{;\\ Bilder}:");
    InsProtokoll(T, "\\mathrm{;\\ Abb.Matrix:\\ }");
    PZeilenumbruch();
  }
  rahmen.zeige(T);
}
