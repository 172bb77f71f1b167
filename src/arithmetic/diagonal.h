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
// denominator (the value is zero). When L or a scaled entry leaves 64 bits,
// M receives the scaled matrix's value in normal form instead (entries and
// factor; cells outside its rows and columns stay), and only when that does
// not fit either is ctx.overflow set, with M unchanged.
void Vereinheitlichen(Context& ctx, Matrix& M);

}  // namespace ar
