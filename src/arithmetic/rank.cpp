// The exact rank without an echelon form: ranks modulo word-size primes,
// confirmed by Hadamard's bound, and FLINT's rank where the bound asks for
// more primes than the table holds.

#include <flint/fmpz_mat.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "arithmetic/rank.h"

namespace ar {
namespace {


// Rank of the rows x cols block modulo P < 2^31: every product and the sum
// of two stay below 2^63. P is a constant, so the remainders are products.
template <uint64_t P>
int rankModulo(const Matrix& M, int rows, int cols) {
  uint64_t a[core::kMax][core::kMax];
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      const int64_t r = M[i + 1][j + 1] % static_cast<int64_t>(P);
      a[i][j] = static_cast<uint64_t>(r < 0 ? r + static_cast<int64_t>(P) : r);
    }
  int rank = 0;
  for (int c = 0; c < cols && rank < rows; ++c) {
    int r = rank;
    while (r < rows && a[r][c] == 0) ++r;
    if (r == rows) continue;
    if (r != rank)
      for (int j = c; j < cols; ++j) std::swap(a[r][j], a[rank][j]);
    const uint64_t pivot = a[rank][c];
    for (int i = rank + 1; i < rows; ++i) {
      if (a[i][c] == 0) continue;
      const uint64_t f = P - a[i][c];
      for (int j = c + 1; j < cols; ++j) a[i][j] = (a[i][j] * pivot + f * a[rank][j]) % P;
    }
    ++rank;
  }
  return rank;
}

using RankFn = int (*)(const Matrix&, int, int);
// The largest primes below 2^31, each above 2^30.99.
constexpr std::array<RankFn, 8> kRankModulo = {
    &rankModulo<2147483647>, &rankModulo<2147483629>, &rankModulo<2147483587>, &rankModulo<2147483579>,
    &rankModulo<2147483563>, &rankModulo<2147483549>, &rankModulo<2147483543>, &rankModulo<2147483497>};
constexpr double kPrimeBits = 30.99;

// log2 of Hadamard's bound for every k x k minor: the product of the k
// largest row lengths, rounded up.
double minorBoundBits(const Matrix& M, int rows, int cols, int k) {
  std::array<double, core::kMax> bits{};
  for (int i = 0; i < rows; ++i) {
    long double sq = 0;
    for (int j = 0; j < cols; ++j) sq += static_cast<long double>(M[i + 1][j + 1]) * M[i + 1][j + 1];
    bits[i] = sq == 0 ? 0 : 0.5 * static_cast<double>(std::log2(sq));
  }
  std::sort(bits.begin(), bits.begin() + rows, std::greater<>());
  double sum = 1;
  for (int i = 0; i < k && i < rows; ++i) sum += bits[i];
  return sum;
}

int rankFlint(const Matrix& M, int rows, int cols) {
  fmpz_mat_t a;
  fmpz_mat_init(a, rows, cols);
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) fmpz_set_si(fmpz_mat_entry(a, i, j), M[i + 1][j + 1]);
  const auto rank = static_cast<int>(fmpz_mat_rank(a));
  fmpz_mat_clear(a);
  return rank;
}

}  // namespace

// A rank r modulo a prime means a non-zero r x r minor, so the true rank is at
// least r; it exceeds the largest such r only if every prime tried divides a
// non-zero (r+1) x (r+1) minor, which their product rules out once it passes
// Hadamard's bound.
int32_t Rang(Context&, Matrix& M, int32_t zzahl, int32_t szahl) {
  if (M[0][2] == 0) return 0;  // the zero matrix, whatever its entries
  const int rows = std::min(rowsOf(M), clampCount(zzahl, core::kMax));
  const int cols = std::min(colsOf(M), clampCount(szahl, core::kMax));
  const int full = std::min(rows, cols);
  int rank = 0;
  for (size_t used = 1; used <= kRankModulo.size(); ++used) {
    rank = std::max(rank, kRankModulo[used - 1](M, rows, cols));
    if (rank == full || static_cast<double>(used) * kPrimeBits > minorBoundBits(M, rows, cols, rank + 1))
      return rank;
  }
  return rankFlint(M, rows, cols);
}

int32_t Rang(Context& ctx, Matrix& M) { return Rang(ctx, M, rowsOf(M), colsOf(M)); }

}  // namespace ar
