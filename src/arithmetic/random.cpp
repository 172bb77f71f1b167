#include "arithmetic/random.h"

#include "arithmetic/algebra.h"

namespace ar {

void Zufallsmatrix(Context& ctx, int32_t n, int64_t d, const std::function<int64_t()>& eintrag, Matrix& M) {
  n = clampCount(n, core::kMax);
  Matrix U{}, L{};
  for (int32_t i = 1; i <= n; ++i) {
    U[i][i] = 1;
    for (int32_t j = i + 1; j <= n; ++j) U[i][j] = eintrag();
  }
  U[1][1] = d;
  for (int32_t i = 1; i <= n; ++i) {
    L[i][i] = 1;
    for (int32_t j = 1; j < i; ++j) L[i][j] = eintrag();
  }
  U[0] = L[0] = {n, n, 1, 1};
  MatMult(ctx, U, L, M);
}

}  // namespace ar
