#pragma once
// Exact values beyond 128 bits, in GMP's integers: a matrix of the same
// layout as Matrix, for the few results whose way leaves 128 bits.

#include <flint/fmpz.h>
#include <gmpxx.h>

#include <array>

#include "arithmetic/matrix.h"

namespace ar::big {

using BigMatrix = std::array<std::array<mpz_class, 13>, 13>;

mpz_class of(exact::i128 v);
// A FLINT integer as a GMP one.
mpz_class fromFmpz(const fmpz_t v);
// All 169 cells.
BigMatrix of(const Matrix& M);
// All 169 cells into M when every one fits in 64 bits; otherwise false and M
// stays as it was.
bool store(const BigMatrix& B, Matrix& M);

// Row i, columns 0..12, into M when each of its cells fits in 64 bits;
// otherwise false and M stays as it was.
bool storeRow(const BigMatrix& B, size_t i, Matrix& M);

// The header counts clamped to the array, as for Matrix.
int32_t rowsOf(const BigMatrix& M);
int32_t colsOf(const BigMatrix& M);

// The normal form in place, by the same steps as MKuerzen.
void normalize(BigMatrix& M);

// The size in bits of the largest entry or factor part.
size_t bits(const BigMatrix& M);

}  // namespace ar::big
