#include "arithmetic/elimination.h"

#include <algorithm>

#include "arithmetic/fused.h"
#include "arithmetic/rowops.h"

namespace ar {
namespace {
constexpr int32_t kMax = 12;
}  // namespace

void Verfahren(Context& ctx, Matrix& M, int32_t zzahl, int32_t szahl) {
  const int32_t zz = clampCount(zzahl, kMax), sz = clampCount(szahl, kMax);
  const int32_t cols = colsOf(M);  // the row operations' own column bound
  int32_t rows = rowsOf(M);
  auto drop = [&](int32_t j) {
    ZeileLoeschen(M, j, zz, sz);
    --rows;
    M[0][0] = rows;
  };

  int32_t k = 0, s = 0;
  while (k < rows && k + s < sz) {
    ++k;
    const int32_t p = k + s;
    if (M[k][p] == 0) {
      int32_t j = k + 1;
      while (j <= rows && M[j][p] == 0) ++j;  // never reads past the last row
      if (j > rows) {
        ++s;
        --k;
        continue;
      }
      Zeilentausch(M, k, j);
    }
    for (int32_t j = 1; j <= rows; ++j) {
      if (j != k && !fused::clearEntry(M, j, k, p, cols, sz)) {
        ctx.overflow = true;
        return;
      }
    }
    for (int32_t j = rows; j >= k; --j) {
      if (IstNullzeile(M, j, sz))
        drop(j);
      else
        fused::reduceRow(M, j, cols);
    }
  }
  for (int32_t i = rows; i >= 1; --i)
    if (IstNullzeile(M, i, sz)) drop(i);
  for (int32_t i = 1; i <= rows; ++i) {
    if (M[i][i] < 0 && !fused::negateRow(M, i, sz)) ctx.overflow = true;
  }
  M[0][0] = rows;
}

void Verfahren(Context& ctx, Matrix& M) { Verfahren(ctx, M, rowsOf(M), colsOf(M)); }

bool IstNullspalte(const Matrix& M, int32_t j) {
  if (j < 0 || j > kMax) return true;
  for (int32_t i = 1; i <= rowsOf(M); ++i)
    if (M[i][j] != 0) return false;
  return true;
}

}  // namespace ar
