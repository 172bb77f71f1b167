#pragma once
// Fraction-free Gauss-Jordan elimination to reduced row echelon form.

#include "arithmetic/matrix.h"

namespace ar {

// Brings M in place to reduced row echelon form over the integers: every
// row divided by the gcd of its entries, zero rows deleted (M(0,0) falls by
// one for each), rows with a negative diagonal entry negated. The factor and
// M(0,1) stay. `zzahl`/`szahl` bound the row moves, the pivot columns and
// the zero-row test: the grid commands pass the grid's size, other callers
// the matrix's own. Exact whatever the entries reach on the way: only when a
// row of the result does not fit in 64 bits is ctx.overflow set, with M
// unchanged. Rows below the result hold the leftovers of the elimination;
// one that does not fit in 64 bits keeps the row it held before.
void Verfahren(Context& ctx, Matrix& M, int32_t zzahl, int32_t szahl);
// Bounded by M's own size.
void Verfahren(Context& ctx, Matrix& M);

// True when column j is 0 in rows 1 to M(0,0).
bool IstNullspalte(const Matrix& M, int32_t j);

}  // namespace ar
