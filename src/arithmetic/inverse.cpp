#include "arithmetic/inverse.h"

#include <utility>

#include "arithmetic/determinant.h"
#include "arithmetic/diagonal.h"
#include "arithmetic/exact.h"
#include "arithmetic/fused.h"
#include "arithmetic/rowops.h"

namespace ar {
namespace {

using exact::i128;
using exact::u128;

constexpr int kMax = 12;

enum class Outcome { kRegular, kSingular, kOverflow };

// The factor of the inverse: N/g over Z*d/g with g = ggt(N, Z*d), signs kept.
// A factor 0/0 has g = 0 and stays 0/0, which the display reports.
bool writeFactor(const Matrix& S, uint64_t d, Matrix& R) {
  const int64_t Z = S[0][2], N = S[0][3];
  const i128 P = static_cast<i128>(Z) * static_cast<i128>(d);
  const u128 g = exact::gcd128(exact::mag64(N), exact::mag128(P));
  if (g == 0) {
    R[0][2] = 0;
    R[0][3] = 0;
    return true;
  }
  const i128 num = N / static_cast<i128>(g), den = P / static_cast<i128>(g);
  if (!exact::fits64(num) || !exact::fits64(den)) return false;
  R[0][2] = static_cast<int64_t>(num);
  R[0][3] = static_cast<int64_t>(den);
  return true;
}

// Fraction-free Gauss-Jordan on [S | I]: every stored value is a minor of
// [S | I], so it stays small; at the end the left half is D * I and the right
// half D * S^-1 with D = ±det S. The result is the same as that of the
// elimination with reduced rows, which ends at rows (d_i e_i | d_i S^-1_i)
// with the least d_i > 0, scaled to the common multiple of the d_i.
Outcome invertFast(const Matrix& S, int n, Matrix& R) {
  int64_t w[kMax][2 * kMax];
  const int width = 2 * n;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < width; ++j) w[i][j] = j < n ? S[i + 1][j + 1] : (j - n == i ? 1 : 0);
  int64_t prev = 1;
  for (int k = 0; k < n; ++k) {
    if (w[k][k] == 0) {
      int r = k + 1;
      while (r < n && w[r][k] == 0) ++r;
      if (r == n) return Outcome::kSingular;
      std::swap(w[k], w[r]);
    }
    const exact::ExactDivisor64 div(prev);
    const i128 pivot = w[k][k];
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      const i128 f = w[i][k];
      for (int j = 0; j < width; ++j) {
        if (j == k) continue;
        i128 x;
        if (__builtin_sub_overflow(pivot * w[i][j], f * w[k][j], &x)) return Outcome::kOverflow;
        if (!div.divide(x, w[i][j])) return Outcome::kOverflow;
      }
      w[i][k] = 0;
    }
    prev = w[k][k];
  }
  const int64_t D = w[0][0];
  uint64_t G = exact::mag64(D);
  for (int i = 0; i < n && G != 1; ++i)
    for (int j = n; j < width && G != 1; ++j) G = exact::gcd64(G, exact::mag64(w[i][j]));
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const i128 q = static_cast<i128>(exact::mag64(w[i][n + j]) / G);
      const i128 v = (w[i][n + j] < 0) != (D < 0) ? -q : q;
      if (!exact::fits64(v)) return Outcome::kOverflow;
      R[i + 1][j + 1] = static_cast<int64_t>(v);
    }
  }
  if (!writeFactor(S, exact::mag64(D) / G, R)) return Outcome::kOverflow;
  return Outcome::kRegular;
}

Outcome invertStepwise(Context& ctx, const Matrix& S, int n, Matrix& R) {
  WideMatrix W{};
  Klone(S, W);
  const int32_t width = 2 * n;
  W[0][1] = width;
  for (int32_t i = 1; i <= n; ++i)
    for (int32_t j = n + 1; j <= width; ++j) W[i][j] = j - n == i ? 1 : 0;
  for (int32_t k = 1; k <= n; ++k) {
    if (W[k][k] == 0) {
      int32_t j = k + 1;
      while (j <= n && W[j][k] == 0) ++j;
      if (j > n) return Outcome::kSingular;
      Zeilentausch(W, k, j);
    }
    // Zero rows are judged over all working columns, whatever the grid shows.
    for (int32_t i = 1; i <= n; ++i)
      if (i != k && !fused::clearEntry(W, i, k, k, width, width)) return Outcome::kOverflow;
    fused::reduceRow(W, k, width);
  }
  for (int32_t i = 1; i <= n; ++i)
    if (W[i][i] < 0 && !fused::negateRow(W, i, width)) return Outcome::kOverflow;
  const bool before = ctx.overflow;
  ctx.overflow = false;
  Vereinheitlichen(ctx, W);
  const bool scaledOverflow = ctx.overflow;
  ctx.overflow = before;
  if (scaledOverflow) return Outcome::kOverflow;
  for (int32_t i = 1; i <= n; ++i)
    for (int32_t j = 1; j <= n; ++j) R[i][j] = W[i][j + n];
  if (!writeFactor(S, static_cast<uint64_t>(W[1][1]), R)) return Outcome::kOverflow;
  return Outcome::kRegular;
}

}  // namespace

namespace detail {
bool InvertierenSchrittweise(Context& ctx, const Matrix& S, Matrix& R) {
  const int n = rowsOf(S);
  Matrix out = R;
  const Outcome o = invertStepwise(ctx, S, n, out);
  if (o == Outcome::kOverflow) ctx.overflow = true;
  if (o != Outcome::kRegular) return o != Outcome::kSingular;
  out[0][0] = n;
  out[0][1] = n;
  R = out;
  return true;
}
}  // namespace detail

void Invertieren(Context& ctx, const Matrix& S, Matrix& R, bool& fehlgeschlagen) {
  const int64_t n = S[0][0];
  Outcome o = Outcome::kSingular;
  Matrix out = R;  // written only on success
  if (n == S[0][1] && n >= 1 && n <= kMax) {
    o = invertFast(S, static_cast<int>(n), out);
    if (o == Outcome::kOverflow) o = invertStepwise(ctx, S, static_cast<int>(n), out);
    if (o == Outcome::kOverflow) {
      // Rows too wide for 64 bits do not make a singular matrix regular.
      RecordingContext scratch;
      if (Det(scratch, S) == 0 && !scratch.overflow) o = Outcome::kSingular;
    }
  }
  switch (o) {
    case Outcome::kRegular:
      out[0][0] = n;
      out[0][1] = n;
      R = out;
      return;
    case Outcome::kOverflow:
      ctx.overflow = true;
      return;
    case Outcome::kSingular:
      ctx.message("Die Matrix ist nicht regulaer", fw::kMsgCautionOkCancel);
      fehlgeschlagen = true;
      Klone(S, R);
      return;
  }
}

}  // namespace ar
