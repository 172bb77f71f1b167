#pragma once
// Determinant of the integer entries of a square matrix, its minors, and the
// matrices of Cramer's rule.

#include "arithmetic/matrix.h"

namespace ar {

// The exact determinant of the A(0,0) x A(0,0) block of A's entries; the
// column count and the factor are not read. A(0,0) <= 0 gives 0, 1 gives
// A(1,1). When the value does not fit in signed 64 bits, ctx.overflow is set
// and 0 returned.
int64_t Det(Context& ctx, const Matrix& A);

// B := the minor of A without row j and column 1, with header n-1, n-1
// (n = A(0,0)); B's factor cells are not written, its row n keeps a copy of
// A's row n without column 1.
void Untermatrix(const Matrix& A, int32_t j, Matrix& B);

// B := a copy of A (n rows, n + 1 columns) whose column j holds the
// right-hand side, column n + 1; header n, n. j = n + 1 gives the
// coefficient matrix.
void Cramermatrix(const Matrix& A, int32_t j, Matrix& B);

}  // namespace ar
