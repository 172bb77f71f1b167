#pragma once
// The elimination step of Verfahren and Invertieren as one operation: the
// combination of two rows is formed in 128 bits and divided by the gcd of its
// entries before it is stored, so a reduced row that fits is found exactly.

#include <algorithm>

#include "arithmetic/exact.h"
#include "arithmetic/matrix.h"

namespace ar::fused {

// Row j := M(k,p) * row j - M(j,p) * row k over columns 1..cols, divided by
// the gcd of its entries unless it is zero over columns 1..zeroCols (then it
// is stored as combined). False when the stored row does not fit in 64 bits.
template <size_t C>
bool clearEntry(Grid<C>& M, int32_t j, int32_t k, int32_t p, int32_t cols, int32_t zeroCols) {
  using exact::i128;
  const int64_t a = M[k][p], b = M[j][p];
  auto& row = M[j];
  i128 v[C];
  if (b == 0) {
    // The reduced multiple of a row is the reduced row with the multiplier's sign.
    for (int32_t c = 1; c <= cols; ++c) v[c] = a < 0 ? -static_cast<i128>(row[c]) : static_cast<i128>(row[c]);
  } else {
    for (int32_t c = 1; c <= cols; ++c)
      if (__builtin_sub_overflow(static_cast<i128>(a) * row[c], static_cast<i128>(b) * M[k][c], &v[c]))
        return false;
  }
  bool zero = true;
  for (int32_t c = 1; c <= zeroCols && zero; ++c) zero = (c <= cols ? v[c] : static_cast<i128>(row[c])) == 0;
  if (!zero) return exact::storePrimitive(v + 1, cols, &row[1]);
  if (b == 0)
    for (int32_t c = 1; c <= cols; ++c) v[c] = static_cast<i128>(a) * row[c];
  bool ok = true;
  for (int32_t c = 1; c <= cols; ++c) {
    ok &= exact::fits64(v[c]);
    row[c] = static_cast<int64_t>(v[c]);
  }
  return ok;
}

// Divides row j by the gcd of its entries over columns 1..cols; signs stay.
template <size_t C>
void reduceRow(Grid<C>& M, int32_t j, int32_t cols) {
  exact::i128 v[C];
  for (int32_t c = 1; c <= cols; ++c) v[c] = M[j][c];
  exact::storePrimitive(v + 1, cols, &M[j][1]);  // a quotient never outgrows its dividend
}

// Negates row i over columns 1..cols; false when an entry is -2^63.
template <size_t C>
bool negateRow(Grid<C>& M, int32_t i, int32_t cols) {
  bool ok = true;
  for (int32_t c = 1; c <= cols; ++c) {
    ok &= M[i][c] != INT64_MIN;
    M[i][c] = static_cast<int64_t>(0 - static_cast<uint64_t>(M[i][c]));
  }
  return ok;
}

}  // namespace ar::fused
