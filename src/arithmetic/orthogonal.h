#pragma once
// Column orthogonalisation by Gram-Schmidt in integers, and its helpers.

#include "arithmetic/matrix.h"

namespace ar {

// Replaces each column k, from the first to the last, by the primitive
// integer vector along what remains of it after its projections onto the
// earlier (already replaced, non-zero) columns are taken away; a column that
// depends on the earlier ones becomes zero. Signs follow that remainder; the
// header and the factor stay. Exact: when a column does not fit in 64 bits,
// ctx.overflow is set and the columns from there on are left as they were.
void Orthnorm(Context& ctx, Matrix& M);

// Sum of M(i,j) * M(i,k) over rows 1..M(0,0); ctx.overflow when the sum does
// not fit in 64 bits (0 is returned then).
int64_t SkalProd(Context& ctx, const Matrix& M, int32_t j, int32_t k);
// SkalProd(M, j, j).
int64_t NormQ(Context& ctx, const Matrix& M, int32_t j);

// Divides column k by the gcd of its entries, signs unchanged; an all-zero
// column stays and sets `null` (which is never set to false).
void SpalteKuerzen(Matrix& M, int32_t k, bool& null);

}  // namespace ar
