// The protocol text: matrices as LaTeX arrays, appended while logging is on.

#include "app/hauptfenster.h"
#include "core/int64.h"
#include "framework/text.h"

namespace {

const char* const kCR = "\r";

// The factor in front of a matrix block, written from its own numerator and
// denominator (never from their product, which can overflow or hide a sign).
// Nothing for a factor of 1 or a zero denominator; the sign goes to the
// numerator. A zero numerator is written, so that a matrix of value zero is
// never logged as its entries. With integerForm a denominator of 1 gives
// "Z \cdot  ".
std::string faktorText(int64_t z, int64_t n, bool integerForm) {
  if (n == 0) return "";
  const bool negativ = z != 0 && (z < 0) != (n < 0);
  const uint64_t zb = core::magnitude(z);
  const uint64_t nb = core::magnitude(n);
  if (!negativ && zb == 1 && nb == 1) return "";
  const std::string zaehler = (negativ ? "-" : "") + std::to_string(zb);
  if (integerForm && nb == 1) return zaehler + " \\cdot  ";
  return "\\frac {" + zaehler + "} {" + std::to_string(nb) + "} \\cdot  ";
}

std::string arrayKopf(int32_t spalten) {
  return "\\left( \\begin {array} {" + std::string(static_cast<size_t>(spalten), 'c') + "}";
}

}  // namespace

void HauptFenster::InsProtokoll(const Matrix& M, const std::string& heading) {
  const int32_t r = ar::rowsOf(M), c = ar::colsOf(M);
  std::string s = heading + faktorText(M[0][2], M[0][3], true) + arrayKopf(c);
  for (int32_t i = 1; i <= r; ++i) {
    for (int32_t j = 1; j < c; ++j) s += fw::Str(M[i][j]) + "&";
    if (c >= 1) s += fw::Str(M[i][c]);
    s += std::string("\\\\") + kCR;
  }
  s += std::string("\\end{array} \\right) ") + kCR;
  Protokoll += s;
}

void HauptFenster::InsProtokoll2(const Matrix& M, const std::string& trailer) {
  const int32_t r = ar::rowsOf(M), c = ar::colsOf(M);
  std::string s = faktorText(M[0][2], M[0][3], false) + arrayKopf(c + 1);
  for (int32_t i = 1; i <= r; ++i) {
    for (int32_t j = 1; j < c; ++j) s += fw::Str(M[i][j]) + "&";
    if (c >= 1) s += "| &" + fw::Str(M[i][c]);
    s += std::string("\\\\") + kCR;
  }
  s += "\\end{array} \\right) " + trailer + kCR;
  Protokoll += s;
}

void HauptFenster::PZeilenumbruch() { Protokoll += std::string("\\\\") + kCR; }

bool HauptFenster::ProtokollAn() const { return as<fw::BevelButton>("ProtokollB").value(); }
