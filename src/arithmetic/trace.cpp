#include "arithmetic/trace.h"

namespace ar {

int64_t Spur(Context& ctx, const Matrix& M) {
  // Twelve 64-bit entries cannot leave 128 bits.
  exact::i128 s = 0;
  for (int32_t i = 1; i <= rowsOf(M); ++i) s += M[i][i];
  if (exact::fits64(s)) return static_cast<int64_t>(s);
  ctx.overflow = true;
  return 0;
}

}  // namespace ar
