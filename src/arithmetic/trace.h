#pragma once
// The trace of a square matrix's integer entries.

#include <cstdint>

#include "arithmetic/matrix.h"

namespace ar {

// The exact sum of M(i,i) for i = 1 .. M(0,0); the factor plays no part.
// When it does not fit in 64 bits, ctx.overflow is set and 0 returned.
int64_t Spur(Context& ctx, const Matrix& M);

}  // namespace ar
