#pragma once
// The exact inverse of a square matrix with its common factor.

#include "arithmetic/matrix.h"

namespace ar {

// R := the inverse of S: integer entries d * S^-1 (d the least common
// denominator of the inverse of S's entries) with factor N/g over Z*d/g,
// where Z/N is S's factor and g = ggt(N, Z*d); the factor keeps those signs
// and is not reduced further. Only R's header cells (0,0)..(0,3) and its n x n
// entries are written. A matrix that is not square (or has no size from 1 to
// 12), has the factor numerator 0 or is singular: "Die Matrix ist nicht
// regulaer" in a caution OK/Cancel box, `fehlgeschlagen` := true, R := a full
// copy of S. A factor denominator of 0, or a value that does not fit in 64
// bits, sets ctx.overflow and leaves R. `fehlgeschlagen` is never set to false.
void Invertieren(Context& ctx, const Matrix& S, Matrix& R, bool& fehlgeschlagen);

// R := B * A^-1 in normal form: the matrix of the linear map that takes the
// columns of A to those of B. Exact whatever A^-1 needs: MatMult with A^-1
// where that fits in 64 bits, else an exact solution of X A = B. R's header
// takes B's rows and A's columns; its cells outside them keep what they
// held. A singular or non-square A: as Invertieren (its message,
// `fehlgeschlagen`, R its copy of A). B's column count differing from A's
// row count: MatMult's format message and Formelfehler. A zero denominator,
// or a result that does not fit in 64 bits, sets ctx.overflow, and R stays.
void Abbildungsmatrix(Context& ctx, const Matrix& A, const Matrix& B, Matrix& R, bool& fehlgeschlagen);

}  // namespace ar
