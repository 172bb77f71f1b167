#pragma once
// The one fraction-free (Bareiss) elimination behind the determinant, the
// inverse and the echelon form of a regular system: every value it stores is
// a minor of its input, found by an exact division by the previous pivot.

#include <cstdint>

#include "core/groesse.h"

namespace ar::detail {

// Room for the largest system and the inverse's [S | I]: n rows, 2n columns.
inline constexpr int kBareissWidth = 2 * core::kMax;
using BareissArray = int64_t[core::kMax][kBareissWidth];

enum class Elimination { kDone, kNoPivot, kOverflow };

struct BareissResult {
  Elimination outcome;
  int column;     // with kNoPivot: the column without a pivot at or below the diagonal
  bool oddSwaps;  // an odd number of row exchanges
};

// Pivots in columns 0..n-1 of the n x width array w, each the first non-zero
// entry at or below the diagonal. Forward: the rows below a pivot are
// cleared, and w[n-1][n-1] ends as the determinant up to the sign of the
// exchanges. Jordan: the rows above as well, so w ends as [D*I | D*rest] with
// D = w[0][0]. kOverflow when a minor leaves 64 bits; w is spoilt then.
BareissResult bareiss(BareissArray& w, int n, int width, bool jordan);

}  // namespace ar::detail
