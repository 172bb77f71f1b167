#pragma once
// Product, sum, scalar multiple, power and transpose of matrices with a
// common factor. Results are exact: when a value of the result does not fit in
// signed 64 bits, ctx.overflow is set and the result array is left as it was.

#include <cstdint>

#include "arithmetic/matrix.h"

namespace ar {

// R := A * B in normal form; header (A rows, B cols, A.Z*B.Z, A.N*B.N) before
// the normal form. When A's column count differs from B's row count: the
// message "Die Matrixformate passen nicht zusammen", Formelfehler, R untouched.
void MatMult(Context& ctx, const Matrix& A, const Matrix& B, Matrix& R);

// R := A + B over L, the least common multiple of the denominators (with the
// sign of their product), in normal form; A(0,2) and B(0,2) become the
// numerators over L (their denominators stay). A zero denominator makes L = 0.
// Different sizes: "Matrizen haben verschiedene Formate", Formelfehler, and
// nothing changes.
void MatPlus(Context& ctx, Matrix& A, Matrix& B, Matrix& R);

// M := M times z/n, in normal form; n = 0 leaves a denominator of 0.
void MatSkalMul(Context& ctx, int64_t z, int64_t n, Matrix& M);

// B := A^p, exactly what p products with A in normal form give, in
// logarithmic time; p <= 0 gives the identity of A's row count with factor
// 1/1. A matrix that is not square: one format message, Formelfehler, and B
// holds that identity. On overflow B holds that identity as well.
void MatPot(Context& ctx, const Matrix& A, int32_t p, Matrix& B);

// B := the transpose of A, with A's factor as it stands (not reduced).
void Transponieren(const Matrix& A, Matrix& B);

}  // namespace ar
