#include "arithmetic/rowops.h"

#include "core/int64.h"

namespace ar {

namespace {
// Row indices come from the algorithms; anything outside the entry rows is
// refused rather than read or written.
bool validRow(int32_t i) { return i >= 1 && i <= core::kMax; }
}  // namespace

template <size_t C>
void Zeilentrans(Context& ctx, Grid<C>& M, int32_t i, int64_t a, int64_t b, int32_t j) {
  if (a == 0 || i == j) {
    Fehler(ctx, "Zeilentrans");
    return;
  }
  if (!validRow(i) || !validRow(j)) return;
  const int32_t cols = colsOf(M);
  // The whole row is formed first, so an overflow leaves it as it was.
  std::array<int64_t, C> row{};
  for (int32_t c = 1; c <= cols; ++c) {
    exact::i128 v = static_cast<exact::i128>(a) * M[i][c];
    if (__builtin_add_overflow(v, static_cast<exact::i128>(b) * M[j][c], &v) || !exact::fits64(v)) {
      ctx.overflow = true;
      return;
    }
    row[c] = static_cast<int64_t>(v);
  }
  for (int32_t c = 1; c <= cols; ++c) M[i][c] = row[c];
}

template <size_t C>
void Zeilentausch(Grid<C>& M, int32_t i, int32_t j) {
  if (!validRow(i) || !validRow(j)) return;
  const int32_t cols = colsOf(M);
  for (int32_t c = 1; c <= cols; ++c) std::swap(M[i][c], M[j][c]);
}

template <size_t C>
void ZeileKuerzen(Grid<C>& M, int32_t i) {
  if (!validRow(i)) return;
  const int32_t n = colsOf(M);
  uint64_t g = 0;
  for (int32_t c = 1; c <= n && g != 1; ++c) g = exact::gcd64(g, exact::mag64(M[i][c]));
  if (g <= 1) return;
  // Exact division of the magnitudes; signs stay (2^63 / 2^63 gives -1).
  for (int32_t c = 1; c <= n; ++c) {
    const uint64_t q = exact::mag64(M[i][c]) / g;
    M[i][c] = static_cast<int64_t>(M[i][c] < 0 ? 0 - q : q);
  }
}

template <size_t C>
void ZeileLoeschen(Grid<C>& M, int32_t i, int32_t rows, int32_t cols) {
  if (!validRow(i)) return;
  const int32_t r1 = clampCount(rows, core::kMax);
  const int32_t c1 = clampCount(cols, static_cast<int32_t>(C) - 1);
  for (int32_t r = i; r <= r1 - 1; ++r) {
    for (int32_t c = 1; c <= c1; ++c) M[r][c] = M[r + 1][c];
  }
}

template <size_t C>
bool IstNullzeile(const Grid<C>& M, int32_t i, int32_t cols) {
  if (!validRow(i)) return true;
  const int32_t c1 = clampCount(cols, static_cast<int32_t>(C) - 1);
  for (int32_t c = 1; c <= c1; ++c) {
    if (M[i][c] != 0) return false;
  }
  return true;
}

template <size_t C>
void Zeilenmult(Context& ctx, Grid<C>& M, int32_t i, int64_t f) {
  if (!validRow(i)) return;
  const int32_t cols = colsOf(M);
  std::array<int64_t, C> row{};
  for (int32_t c = 0; c <= cols; ++c) {
    if (core::mulOverflow(M[i][c], f, &row[c])) {
      ctx.overflow = true;
      return;
    }
  }
  for (int32_t c = 0; c <= cols; ++c) M[i][c] = row[c];
}

#define AR_ROWOPS_INSTANTIATE(C)                                                  \
  template void Zeilentrans<C>(Context&, Grid<C>&, int32_t, int64_t, int64_t, int32_t); \
  template void Zeilentausch<C>(Grid<C>&, int32_t, int32_t);                      \
  template void ZeileKuerzen<C>(Grid<C>&, int32_t);                               \
  template void ZeileLoeschen<C>(Grid<C>&, int32_t, int32_t, int32_t);            \
  template bool IstNullzeile<C>(const Grid<C>&, int32_t, int32_t);                \
  template void Zeilenmult<C>(Context&, Grid<C>&, int32_t, int64_t);

AR_ROWOPS_INSTANTIATE(13)
AR_ROWOPS_INSTANTIATE(25)

#undef AR_ROWOPS_INSTANTIATE

}  // namespace ar
