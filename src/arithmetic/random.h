#pragma once
// A random square matrix with a given determinant.

#include <cstdint>
#include <functional>

#include "arithmetic/matrix.h"

namespace ar {

// M := U * L in normal form (MatMult), n x n: U upper triangular with the
// diagonal d, 1, ..., 1, L lower triangular with ones on it, so det M = d.
// The entries above U's diagonal and below L's come from eintrag, drawn
// first for U row by row, then for L row by row; when M(1,1) would leave 64
// bits, the entries below L's first diagonal entry take the opposite sign, so
// that a d at either end of the range still gives a matrix (small entries
// assumed). n is clamped to 0..12. When the normal form does not fit
// (d = -2^63 with n = 1), ctx.overflow is set and M stays.
void Zufallsmatrix(Context& ctx, int32_t n, int64_t d, const std::function<int64_t()>& eintrag, Matrix& M);

}  // namespace ar
