#include "arithmetic/random.h"

#include "arithmetic/algebra.h"
#include "arithmetic/exact.h"

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
  // M(1,1) = d + s, s the sum of U(1,k) * L(k,1) over k > 1, and every other
  // entry is small. Near the ends of the range d + s may leave 64 bits while
  // d - s fits: the first column of L then changes its sign, which keeps
  // both determinants.
  exact::Sum128 ecke;
  ecke.add(d);
  for (int32_t k = 2; k <= n; ++k) ecke.add(static_cast<exact::i128>(U[1][k]) * L[k][1]);
  if (!ecke.exact() || !exact::fits64(ecke.value))
    for (int32_t k = 2; k <= n; ++k) L[k][1] = static_cast<int64_t>(0 - static_cast<uint64_t>(L[k][1]));
  U[0] = L[0] = {n, n, 1, 1};
  MatMult(ctx, U, L, M);
}

}  // namespace ar
