// The display grid: its size fields and arrows, which cells show, reading the
// grid into a matrix and showing a matrix in it.

#include <optional>

#include "app/gridnames.h"
#include "app/hauptfenster.h"
#include "core/groesse.h"
#include "framework/text.h"

using grid::cellName;
using core::kMax;

namespace {

// Reads a count from its size field and keeps it within 1 to 12; a value
// outside is written back, which runs this handler again from inside the write.
void sizeFieldChanged(HauptFenster& w, const char* fieldName, int32_t& count) {
  auto& field = w.as<fw::EditField>(fieldName);
  count = fw::toInt32(field.text());
  if (count < 1) {
    count = 1;
    field.setText("1");
  }
  if (count > kMax) {
    count = kMax;
    field.setText("12");
  }
  w.Anpassen();
}

// An arrow changes the count by one and writes it into the field, whose
// handler then adapts the grid; at the end of the range nothing happens.
void arrowUp(HauptFenster& w, const char* fieldName, int32_t& count) {
  if (count >= kMax) return;
  count += 1;
  w.as<fw::EditField>(fieldName).setText(fw::Str(count));
}

void arrowDown(HauptFenster& w, const char* fieldName, int32_t& count) {
  if (count <= 1) return;
  count -= 1;
  w.as<fw::EditField>(fieldName).setText(fw::Str(count));
}

}  // namespace

void HauptFenster::SZahlF_TextChange() { sizeFieldChanged(*this, "SZahlF", Szahl); }
void HauptFenster::ZZahlF_TextChange() { sizeFieldChanged(*this, "ZZahlF", Zzahl); }
void HauptFenster::SzUpDownArrows_Down() { arrowDown(*this, "SZahlF", Szahl); }
void HauptFenster::SzUpDownArrows_Up() { arrowUp(*this, "SZahlF", Szahl); }
void HauptFenster::ZzUpDownArrows_Down() { arrowDown(*this, "ZZahlF", Zzahl); }
void HauptFenster::ZzUpDownArrows_Up() { arrowUp(*this, "ZZahlF", Zzahl); }

void HauptFenster::Anpassen() {
  for (int c = 1; c <= kMax; ++c) control(grid::columnLabelName(c)).setVisible(Szahl >= c);
  for (int r = 1; r <= kMax; ++r) control(grid::rowLabelName(r)).setVisible(Zzahl >= r);
  for (int r = 1; r <= kMax; ++r)
    for (int c = 1; c <= kMax; ++c) control(cellName(r, c)).setVisible(Szahl >= c && Zzahl >= r);
}

bool HauptFenster::Einlesen(Matrix& M) {
  Matrix gelesen = M;
  bool passt = true;
  auto read = [&](const std::string& name) {
    const std::optional<int64_t> v = fw::toInt64Checked(as<fw::EditField>(name).text());
    passt = passt && v.has_value();
    return v.value_or(0);
  };
  gelesen[0][0] = read("ZZahlF");
  gelesen[0][1] = read("SZahlF");
  gelesen[0][2] = read("FakZF");
  gelesen[0][3] = read("FakNF");
  for (int r = 1; r <= kMax; ++r)
    for (int c = 1; c <= kMax; ++c) gelesen[r][c] = read(cellName(r, c));
  if (!passt) {
    overflow = true;
    return false;
  }
  M = gelesen;
  return true;
}

void HauptFenster::Ausgabe(Matrix& M) {
  // A normal form that does not fit in 64 bits is reported here, once, and
  // nothing is shown; the flag stays set for the caller.
  const bool overflowBefore = overflow;
  overflow = false;
  ar::MKuerzen(*this, M);
  if (overflow) {
    message(kUeberlaufMeldung);
    return;
  }
  overflow = overflowBefore;
  Darstellen(M);
  if (M[0][3] == 0) {
    M[0][3] = 1;
    message(kUeberlaufMeldung);
  }
}

void HauptFenster::Darstellen(const Matrix& M) {
  // A count beyond Int32 saturates, so the size fields end at 12, not at
  // whatever the low 32 bits happen to say.
  Zzahl = fw::clampInt32(M[0][0]);
  Szahl = fw::clampInt32(M[0][1]);
  as<fw::EditField>("FakZF").setText(fw::Str(M[0][2]));
  as<fw::EditField>("FakNF").setText(fw::Str(M[0][3]));
  Anpassen();
  for (int r = 1; r <= kMax; ++r)
    for (int c = 1; c <= kMax; ++c) as<fw::EditField>(cellName(r, c)).setText(fw::Str(M[r][c]));
  as<fw::EditField>("SZahlF").setText(fw::Str(Szahl));
  as<fw::EditField>("ZZahlF").setText(fw::Str(Zzahl));
}
