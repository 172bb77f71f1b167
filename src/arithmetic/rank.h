#pragma once
// The rank of a matrix.

#include "arithmetic/matrix.h"

namespace ar {

// The exact rank of M within the first `zzahl` rows and `szahl` columns (the
// grid's counts for a matrix read from the grid), whatever the entries: never
// an overflow; 0 when the factor numerator is 0. M is left as it was.
int32_t Rang(Context& ctx, Matrix& M, int32_t zzahl, int32_t szahl);
// Within M's own size.
int32_t Rang(Context& ctx, Matrix& M);

}  // namespace ar
