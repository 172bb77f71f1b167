#pragma once
// Diagonal equalisation: whole rows scaled so that the main diagonal holds
// one common value.

#include "arithmetic/matrix.h"

namespace ar {

// With m the smaller of M's row and column counts and every M(i,i), i = 1..m,
// non-zero: L := the least common multiple of their magnitudes with the
// product of their signs, and each row i = 1..m is multiplied by L / M(i,i).
// Rows beyond m, the header and the factor stay. A zero on the diagonal
// leaves M unchanged, and so does a zero numerator over a non-zero
// denominator (the value is zero). When a scaled value does not fit in 64 bits,
// ctx.overflow is set and M is left unchanged. Works on a matrix and on an
// augmented array of n rows and 2n columns alike (the inverse itself reaches
// its common diagonal by Bareiss's elimination instead).
template <size_t C>
void Vereinheitlichen(Context& ctx, Grid<C>& M);

extern template void Vereinheitlichen<13>(Context&, Grid<13>&);
extern template void Vereinheitlichen<25>(Context&, Grid<25>&);

}  // namespace ar
