#pragma once
// Row operations on a matrix or on the inverse's wider working array. None of
// them touches the header row or the factor. Column bounds from a header are
// clamped to the array; a row index outside 1..12 changes nothing.

#include "arithmetic/matrix.h"

namespace ar {

// Row i := a * row i + b * row j over columns 1..M(0,1), exact. With a = 0 or
// i = j: Fehler("Zeilentrans") and nothing changes. When a value does not fit,
// ctx.overflow is set and the row is left as it was.
template <size_t C>
void Zeilentrans(Context& ctx, Grid<C>& M, int32_t i, int64_t a, int64_t b, int32_t j);

// Exchanges rows i and j over columns 1..M(0,1).
template <size_t C>
void Zeilentausch(Grid<C>& M, int32_t i, int32_t j);

// Divides row i by the gcd of its entries (exact, INT64_MIN included); signs
// unchanged.
template <size_t C>
void ZeileKuerzen(Grid<C>& M, int32_t i);

// Moves rows i+1..rows up by one over columns 1..cols (the caller passes the
// bounds: the grid's Zzahl/Szahl for a matrix read from the grid). The header
// is unchanged; the caller lowers the row count.
template <size_t C>
void ZeileLoeschen(Grid<C>& M, int32_t i, int32_t rows, int32_t cols);

// True when row i is zero over columns 1..cols.
template <size_t C>
bool IstNullzeile(const Grid<C>& M, int32_t i, int32_t cols);

// Row i := f * row i over columns 0..M(0,1). When a value does not fit,
// ctx.overflow is set and the row is left as it was.
template <size_t C>
void Zeilenmult(Context& ctx, Grid<C>& M, int32_t i, int64_t f);

}  // namespace ar
