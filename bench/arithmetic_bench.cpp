// Figures for the exact arithmetic: 12 x 12 product and sum of six-digit
// entries, and powers to the largest exponent a term can carry (the
// permutation power is in the comparison with FLINT).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "arithmetic/algebra.h"

namespace {

constexpr int32_t kMaxExp = std::numeric_limits<int32_t>::max();

ar::Matrix filled(int64_t z, int64_t n, int64_t seed) {
  ar::Matrix m{};
  m[0][0] = 12;
  m[0][1] = 12;
  m[0][2] = z;
  m[0][3] = n;
  // Entries of up to six digits with both signs, no common divisor.
  uint64_t x = static_cast<uint64_t>(seed);
  for (int i = 1; i <= 12; ++i) {
    for (int j = 1; j <= 12; ++j) {
      x = x * 6364136223846793005u + 1442695040888963407u;
      m[i][j] = static_cast<int64_t>((x >> 33) % 2000001) - 1000000;
    }
  }
  m[1][1] = 1;
  return m;
}

ar::Matrix identity12() {
  ar::Matrix m{};
  m[0][0] = 12;
  m[0][1] = 12;
  m[0][2] = 1;
  m[0][3] = 1;
  for (int i = 1; i <= 12; ++i) m[i][i] = 1;
  return m;
}

// The product or the sum of two 12 x 12 matrices of six-digit entries.
template <bool kSumme>
void BM_Zwei12(benchmark::State& state) {
  const ar::Matrix a0 = filled(2, 3, kSumme ? 3 : 1), b0 = filled(5, 7, kSumme ? 4 : 2);
  ar::Matrix r{};
  ar::RecordingContext ctx;
  for (auto _ : state) {
    if constexpr (kSumme) {
      ar::Matrix a = a0, b = b0;  // the sum rewrites its operands' numerators
      ar::MatPlus(ctx, a, b, r);
    } else {
      ar::MatMult(ctx, a0, b0, r);
    }
    benchmark::DoNotOptimize(r);
  }
  if (ctx.overflow) state.SkipWithError("overflow");
}
BENCHMARK(BM_Zwei12<false>)->Name("BM_MatMult12");
BENCHMARK(BM_Zwei12<true>)->Name("BM_MatPlus12");

void runPower(benchmark::State& state, const ar::Matrix& a, bool overflowExpected) {
  ar::Matrix b{};
  ar::RecordingContext ctx;
  for (auto _ : state) {
    ctx.overflow = false;
    ar::MatPot(ctx, a, kMaxExp, b);
    benchmark::DoNotOptimize(b);
  }
  if (ctx.overflow != overflowExpected) state.SkipWithError("unexpected overflow state");
}

// I + N with N a first row of ones (N^2 = 0): the power fits.
void BM_MatPotUnipotent12(benchmark::State& state) {
  ar::Matrix u = identity12();
  for (int j = 2; j <= 12; ++j) u[1][j] = 1;
  runPower(state, u, false);
}
BENCHMARK(BM_MatPotUnipotent12)->Unit(benchmark::kMicrosecond);

// Upper triangle of ones: binomial growth, the power does not fit.
void BM_MatPotUnipotentTriangle12(benchmark::State& state) {
  ar::Matrix u = identity12();
  for (int i = 1; i <= 12; ++i) {
    for (int j = i + 1; j <= 12; ++j) u[i][j] = 1;
  }
  runPower(state, u, true);
}
BENCHMARK(BM_MatPotUnipotentTriangle12)->Unit(benchmark::kMicrosecond);

// Strict upper triangle of ones: zero from the twelfth power on.
void BM_MatPotNilpotent12(benchmark::State& state) {
  ar::Matrix u{};
  u[0][0] = 12;
  u[0][1] = 12;
  u[0][2] = 1;
  u[0][3] = 1;
  for (int i = 1; i <= 12; ++i) {
    for (int j = i + 1; j <= 12; ++j) u[i][j] = 1;
  }
  runPower(state, u, false);
}
BENCHMARK(BM_MatPotNilpotent12)->Unit(benchmark::kMicrosecond);

}  // namespace
