#pragma once
// The matrix type of the program and the context through which the arithmetic
// reaches the window: its message boxes, its formula error flag and the
// overflow flag. Plain C++, no Qt.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "arithmetic/exact.h"
#include "core/groesse.h"
#include "core/msgkinds.h"

namespace ar {

// Rows 0..12; row 0 is the header: (0,0) rows, (0,1) columns, (0,2) factor
// numerator, (0,3) factor denominator. Entries stand at rows and columns 1..12.
template <size_t Cols>
using Grid = std::array<std::array<int64_t, Cols>, 13>;
using Matrix = Grid<13>;
// The working array of the inverse: n rows, 2n columns (columns 0..24).
using WideMatrix = Grid<25>;

// What the arithmetic needs of its caller. The window supplies one; tests use
// RecordingContext.
class Context {
 public:
  virtual ~Context() = default;
  // Shows a modal message box of the given kind; the answer is not used.
  virtual void message(const std::string& text, int kind = core::kMsgPlain) = 0;

  // Set when operand formats do not fit (only ever set here; the term
  // evaluation clears it before it starts).
  bool Formelfehler = false;
  // Set when a value that would be stored does not fit in signed 64 bits.
  // Only ever set here; the caller clears it before a command.
  bool overflow = false;
};

class RecordingContext : public Context {
 public:
  void message(const std::string& text, int kind = core::kMsgPlain) override { messages.emplace_back(text, kind); }
  std::vector<std::pair<std::string, int>> messages;
};

// Greatest common divisor of the exact magnitudes; never negative;
// ggt(0, x) = |x|, ggt(0, 0) = 0. Works on exact magnitudes, INT64_MIN
// included. The one divisor that does not fit, 2^63 (ggt(INT64_MIN, 0) and
// ggt(INT64_MIN, INT64_MIN)), comes back as 2^62: the greatest common divisor
// that fits, so that a caller dividing by the result stays exact.
int64_t ggt(int64_t a, int64_t b);

// "In der Prozedur " + text + " ist ein Fehler aufgetreten" in a plain box.
void Fehler(Context& ctx, const std::string& text);

// Copies all 169 cells of A into B (header row and column 0 included).
void Klone(const Matrix& A, Matrix& B);
// Into the wider working array of the inverse: columns 0..12; the rest untouched.
void Klone(const Matrix& A, WideMatrix& B);

// Normal form in place: gcd of the entries into the factor, numerator made
// non-negative (its sign moved into the entries), factor reduced; a negative
// denominator keeps its sign, a zero denominator stays 0. A matrix of value
// zero becomes the zero matrix with factor 1/1. Exact: when the normal form
// does not fit in 64 bits, ctx.overflow is set and M stays.
void MKuerzen(Context& ctx, Matrix& M);

// True when M's normal form fits in 64 bits (MKuerzen would not overflow).
bool NormalformPasst(const Matrix& M);

// M as it is shown and logged when its value is zero (a zero numerator or no
// non-zero entry, over a denominator that is not 0): the zero matrix of its
// size with factor 1/1. Any other matrix comes back as it is.
Matrix Nullform(const Matrix& M);

bool ganzzahlig(double x);

// Header counts clamped to what the array holds (rows 0..12, columns up to its
// last index); files can carry anything.
template <size_t C>
inline int32_t rowsOf(const Grid<C>& M) {
  return M[0][0] < 0 ? 0 : M[0][0] > core::kMax ? core::kMax : static_cast<int32_t>(M[0][0]);
}
template <size_t C>
inline int32_t colsOf(const Grid<C>& M) {
  constexpr int64_t kLast = static_cast<int64_t>(C) - 1;
  return M[0][1] < 0 ? 0 : M[0][1] > kLast ? static_cast<int32_t>(kLast) : static_cast<int32_t>(M[0][1]);
}
// Clamps a count the caller passes (Szahl/Zzahl) to 0..hi.
inline int32_t clampCount(int64_t n, int32_t hi) { return n < 0 ? 0 : n > hi ? hi : static_cast<int32_t>(n); }

// The normal form of results formed in 64 or 128 bits.
namespace detail {
using exact::i128;
using exact::u128;

// Unreduced entries of a result: rows x cols, exact.
using WideEntries = std::array<std::array<i128, 13>, 13>;

// Normal form of the matrix with entries E (rows 1..rows, columns 1..cols) and
// factor Z/N, all exact; E is a Matrix or WideEntries and may be M itself.
// When every entry and the factor fit in 64 bits they are written into M
// (entries and M(0,2), M(0,3) only) and true comes back; otherwise M is left
// as it was and false comes back.
template <class Entries>
bool normalForm(const Entries& E, int32_t rows, int32_t cols, i128 Z, i128 N, Matrix& M);
}  // namespace detail

}  // namespace ar
